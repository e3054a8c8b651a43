#include "services/system/system_folders.h"

#include <algorithm>
#include <cstring>

#include "framework/rtl/exceptions.h"
#include "framework/rtl/file_utils.h"
#include "framework/rtl/seams.h"
#include "framework/rtl/sys_utils.h"
#include "framework/rtl/wide_path.h"
#include "services/system/module_utils.h"
#include "services/system/protected_folders.h"
#include "services/system/registry_utils.h"

namespace svc {
namespace {

const char* const kCurrentVersionKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";

// A directory read that is asked for its length first; the text is cut at its first NUL.
template <class F>
std::string ReadDirectory(F read) {
  DWORD length = read(nullptr, 0);
  if (length == 0) return std::string();
  std::string text(length, '\0');
  length = read(text.data(), length);
  text.resize(std::min<size_t>(length, text.size()));
  text.resize(std::strlen(text.c_str()));
  return text;
}

// TEMP, TMP, then what GetTempPathA answers (with both unset it falls back to the profile or
// the Windows folder, which are refused), then the user's TEMP or TMP setting in the registry:
// the first of them that is usable. A folder may serve as the temporary folder, which the
// program empties, only when it may be cleaned at all.
std::string TempFolder() {
  const TProtectedFolders protectedFolders;
  auto usable = [&protectedFolders](const std::string& path) {
    return IsCleanableFolder(path, protectedFolders);
  };
  std::string path;
  for (const char* name : {"TEMP", "TMP"})
    if (ReadEnvironmentVariable(name, path, false) && usable(path)) return path;
  char buffer[MAX_PATH + 1];
  DWORD length = GetTempPathA(sizeof buffer, buffer);
  if (length > 0 && length <= MAX_PATH) {
    path.assign(buffer, length);
    if (usable(path)) return path;
  }
  for (const char* name : {"TEMP", "TMP"}) {
    path = ExpandEnvironmentText(ReadRegistryStringDefault(HKEY_CURRENT_USER, "Environment", name, ""));
    if (usable(path)) return path;
  }
  return std::string();
}

std::string ShellLongPathName(const std::string& path) {
  std::wstring wide = fw::Utf8ToWide(path);
  if (wide.empty()) return std::string();
  IShellFolder* desktop = nullptr;
  if (FAILED(SHGetDesktopFolder(&desktop)) || !desktop) return std::string();
  std::string result;
  LPITEMIDLIST pidl = nullptr;
  ULONG eaten = 0;
  if (SUCCEEDED(desktop->ParseDisplayName(nullptr, nullptr, wide.data(), &eaten, &pidl, nullptr)) && pidl) {
    result = IdListToPath(pidl);
    CoTaskMemFree(pidl);
  }
  desktop->Release();
  return result;
}

using TGetLongPathNameW = DWORD(WINAPI*)(LPCWSTR, LPWSTR, DWORD);

TGetLongPathNameW GetLongPathNameFunction() {
  static const TGetLongPathNameW function = reinterpret_cast<TGetLongPathNameW>(
      ModuleFunction(GetModuleHandleA("kernel32.dll"), "GetLongPathNameW"));
  return function;
}

}  // namespace

std::string ShellFolderPath(int csidl) { return fw::GetSpecialFolderPath(csidl); }

std::string IdListToPath(LPCITEMIDLIST pidl) {
  char path[MAX_PATH + 1] = {};
  if (!SHGetPathFromIDListA(pidl, path)) return std::string();
  return std::string(path);
}

bool ReadEnvironmentVariable(const std::string& name, std::string& value, bool expand) {
  DWORD size = GetEnvironmentVariableA(name.c_str(), nullptr, 0);
  value.assign(size, '\0');
  DWORD length = size ? GetEnvironmentVariableA(name.c_str(), value.data(), size) : 0;
  if (length == 0 || length >= size) {
    value.clear();
    return false;
  }
  value.resize(length);
  if (expand) value = ExpandEnvironmentText(value);
  return true;
}

std::string ExpandEnvironmentText(const std::string& text) {
  DWORD size = ExpandEnvironmentStringsA(text.c_str(), nullptr, 0);
  if (size == 0) return text;
  std::string expanded(size, '\0');
  DWORD length = ExpandEnvironmentStringsA(text.c_str(), expanded.data(), size);
  if (length == 0 || length > size) return text;
  expanded.resize(std::strlen(expanded.c_str()));
  return expanded;
}

std::string ReadCurrentFolder() {
  return ReadDirectory([](char* buffer, DWORD size) { return GetCurrentDirectoryA(size, buffer); });
}

std::string ReadWindowsFolder() {
  return ReadDirectory([](char* buffer, DWORD size) { return GetWindowsDirectoryA(buffer, size); });
}

std::string ReadSystemFolder() {
  return ReadDirectory([](char* buffer, DWORD size) { return GetSystemDirectoryA(buffer, size); });
}

std::string ReadCommonFilesFolder() {
  return ReadRegistryStringDefault(HKEY_LOCAL_MACHINE, kCurrentVersionKey, "CommonFilesDir", "");
}

std::string ReadProgramFilesFolder() {
  return ReadRegistryStringDefault(HKEY_LOCAL_MACHINE, kCurrentVersionKey, "ProgramFilesDir", "");
}

std::string LongPathName(const std::string& path) {
  std::string result;
  TGetLongPathNameW getLongPathName = GetLongPathNameFunction();
  if (path.find("::") != std::string::npos || !getLongPathName) {
    result = ShellLongPathName(path);
  } else if (!path.empty()) {
    // A path too long for the plain form goes through the call in its "\\?\" form.
    std::wstring wide = fw::Utf8ToWide(path);
    if (wide.size() >= MAX_PATH - 12) wide = fw::FileApiPath(path);
    DWORD size = getLongPathName(wide.c_str(), nullptr, 0);
    std::wstring buffer(size, L'\0');
    DWORD length = size ? getLongPathName(wide.c_str(), buffer.data(), size) : 0;
    if (length > 0 && length < size) {
      buffer.resize(length);
      result = fw::WideToUtf8(path.compare(0, 4, "\\\\?\\") == 0 ? buffer : fw::WithoutLongPathPrefix(buffer));
    }
  }
  return result.empty() ? path : result;
}

std::string TDsSystemFolders::ApplyTrailingDelimiter(const std::string& path) const {
  // Empty text stays empty either way: a lone backslash would name the current drive's root.
  if (path.empty()) return path;
  return FTrailingPathDelimiter ? fw::IncludeTrailingBackslash(path) : fw::ExcludeTrailingBackslash(path);
}

std::string TDsSystemFolders::GetCommonFiles() const { return ApplyTrailingDelimiter(ReadCommonFilesFolder()); }
std::string TDsSystemFolders::GetCurrent() const { return ApplyTrailingDelimiter(ReadCurrentFolder()); }
std::string TDsSystemFolders::GetProgramFiles() const { return ApplyTrailingDelimiter(ReadProgramFilesFolder()); }
std::string TDsSystemFolders::GetWindows() const { return ApplyTrailingDelimiter(ReadWindowsFolder()); }
std::string TDsSystemFolders::GetSystem() const { return ApplyTrailingDelimiter(ReadSystemFolder()); }

std::string TDsSystemFolders::GetTemp() const {
  std::string path = TempFolder();
  if (!path.empty()) path = LongPathName(path);
  return ApplyTrailingDelimiter(path);
}

std::string TDsSystemFolders::GetSpecialFolder(int index) const {
  return ApplyTrailingDelimiter(ShellFolderPath(index));
}

void TDsSystemFolders::SetCurrent(const std::string& value) {
  if (DesignMode || GetReadOnly()) {
    RaiseReadOnly(false);
    return;
  }
  if (!SetCurrentDirectoryA(value.c_str())) fw::RaiseLastOSError();
}

void TDsSystemFolders::SetCommonFiles(const std::string&) { RaiseReadOnly(false); }
void TDsSystemFolders::SetProgramFiles(const std::string&) { RaiseReadOnly(false); }
void TDsSystemFolders::SetWindows(const std::string&) { RaiseReadOnly(false); }
void TDsSystemFolders::SetSystem(const std::string&) { RaiseReadOnly(false); }
void TDsSystemFolders::SetTemp(const std::string&) { RaiseReadOnly(false); }
void TDsSystemFolders::SetSpecialFolder(int, const std::string&) { RaiseReadOnly(false); }

}  // namespace svc
