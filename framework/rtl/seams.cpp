#include "framework/rtl/seams.h"

#include <utility>

#include "framework/rtl/file_utils.h"
#include "framework/rtl/wide_path.h"
#include "framework/sys/owned_handle.h"

namespace fw {

namespace {

std::string programFolderOverride;
testing::TClock* clockOverride = nullptr;
testing::TSpecialFolders* foldersOverride = nullptr;

}  // namespace

std::string ProgramFolder() {
  if (!programFolderOverride.empty()) return programFolderOverride;
  return ExtractFilePath(ModuleFileName(nullptr));
}

DWORD GetTickCount() { return testing::Clock().GetTickCount(); }
void Sleep(DWORD milliseconds) { testing::Clock().Sleep(milliseconds); }
std::string GetSpecialFolderPath(int csidl) { return testing::SpecialFolders().GetPath(csidl); }

namespace testing {

DWORD TClock::GetTickCount() { return ::GetTickCount(); }

TDateTime TClock::Now() {
  SYSTEMTIME time;
  GetLocalTime(&time);
  return SystemTimeToDateTime(time);
}

void TClock::Sleep(DWORD milliseconds) { ::Sleep(milliseconds); }

std::string TSpecialFolders::GetPath(int csidl) {
  TTaskMem<ITEMIDLIST> pidl;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, pidl.Receive())) || !pidl) return std::string();
  char path[MAX_PATH];
  return SHGetPathFromIDListA(pidl.Get(), path) ? std::string(path) : std::string();
}

std::string SetProgramFolder(std::string folder) {
  return std::exchange(programFolderOverride, folder.empty() ? folder : IncludeTrailingBackslash(folder));
}

TClock* SetClock(TClock* clock) { return std::exchange(clockOverride, clock); }

TClock& Clock() {
  static TClock real;
  return clockOverride ? *clockOverride : real;
}

TSpecialFolders* SetSpecialFolders(TSpecialFolders* folders) { return std::exchange(foldersOverride, folders); }

TSpecialFolders& SpecialFolders() {
  static TSpecialFolders real;
  return foldersOverride ? *foldersOverride : real;
}

}  // namespace testing

namespace {
bool visualThemesInUse = false;
}

bool VisualThemesInUse() { return visualThemesInUse; }

namespace testing {
bool SetVisualThemesInUse(bool inUse) { return std::exchange(visualThemesInUse, inUse); }
}  // namespace testing

}  // namespace fw
