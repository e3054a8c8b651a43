// Replaceable process-wide services that tests script: the program folder, the clock and the
// special-folder provider. The defaults are the real system.
#pragma once
#include "framework/win.h"

#include <string>

#include "framework/rtl/date_time.h"

namespace fw {

// The folder of the executable with a trailing backslash, unless a test overrides it.
std::string ProgramFolder();
// Tick count, local time and sleeping, through testing::Clock().
DWORD GetTickCount();
void Sleep(DWORD milliseconds);
// The path of a CSIDL_... folder without a trailing backslash, "" when it has none.
std::string GetSpecialFolderPath(int csidl);
// Whether the program's windows use visual themes: false, as the program's manifest does not ask
// for common controls 6 (Wine reports themes as active all the same).
bool VisualThemesInUse();

namespace testing {

class TClock {
 public:
  virtual ~TClock() = default;
  virtual DWORD GetTickCount();
  virtual TDateTime Now();
  virtual void Sleep(DWORD milliseconds);
};

class TSpecialFolders {
 public:
  virtual ~TSpecialFolders() = default;
  // The real lookup: SHGetSpecialFolderLocation and SHGetPathFromIDListA.
  virtual std::string GetPath(int csidl);
};

// Every setter of a test seam has one shape: it installs its argument and returns what it
// replaces, and the empty value ("", nullptr, an empty function) stands for the real platform.

// A folder without a trailing backslash gets one.
std::string SetProgramFolder(std::string folder);
// The replacement stays owned by the caller and must outlive its use.
TClock* SetClock(TClock* clock);
TClock& Clock();
TSpecialFolders* SetSpecialFolders(TSpecialFolders* folders);
TSpecialFolders& SpecialFolders();
// Lets a test run the themed branches; false is the program's own answer.
bool SetVisualThemesInUse(bool inUse);

}  // namespace testing
}  // namespace fw
