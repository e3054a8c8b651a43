#include "framework/rtl/seams.h"

#include "framework/rtl/file_utils.h"

namespace fw {

namespace {

std::string programFolderOverride;
testing::TClock* clockOverride = nullptr;
testing::TSpecialFolders* foldersOverride = nullptr;

}  // namespace

std::string ProgramFolder() {
  if (!programFolderOverride.empty()) return programFolderOverride;
  char path[MAX_PATH * 4];
  DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  return ExtractFilePath(std::string(path, length));
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
  LPITEMIDLIST pidl = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &pidl)) || !pidl) return std::string();
  char path[MAX_PATH];
  bool ok = SHGetPathFromIDListA(pidl, path) != FALSE;
  CoTaskMemFree(pidl);
  return ok ? std::string(path) : std::string();
}

void SetProgramFolder(const std::string& folder) {
  programFolderOverride = folder.empty() ? folder : IncludeTrailingBackslash(folder);
}

TClock* SetClock(TClock* clock) {
  TClock* previous = clockOverride;
  clockOverride = clock;
  return previous;
}

TClock& Clock() {
  static TClock real;
  return clockOverride ? *clockOverride : real;
}

TSpecialFolders* SetSpecialFolders(TSpecialFolders* folders) {
  TSpecialFolders* previous = foldersOverride;
  foldersOverride = folders;
  return previous;
}

TSpecialFolders& SpecialFolders() {
  static TSpecialFolders real;
  return foldersOverride ? *foldersOverride : real;
}

}  // namespace testing
}  // namespace fw
