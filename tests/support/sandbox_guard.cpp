#include "support/sandbox_guard.h"

#include <cstdio>
#include <cstdlib>

#include "framework/rtl/file_links.h"
#include "framework/rtl/folder_walker.h"
#include "framework/sys/owned_handle.h"
#include "framework/win.h"

namespace testing_sandbox {

// Paths are UTF-8 of any length, converted here on the guard's own (not the code under test's)
// wide conversions.
std::wstring Wide(const std::string& text) {
  int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(n, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
  return wide;
}

std::string Utf8(const std::wstring& wide) {
  int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string text(n, '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), text.data(), n, nullptr, nullptr);
  return text;
}

std::string FullPath(const std::string& path) {
  if (path.empty()) return std::string();
  std::wstring wide = Wide(path);
  DWORD size = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (size == 0) return std::string();
  std::wstring full(size, L'\0');
  DWORD n = GetFullPathNameW(wide.c_str(), size, full.data(), nullptr);
  if (n == 0 || n >= size) return std::string();
  full.resize(n);
  return Utf8(full);
}

// The full path in the "\\?\" form the wide calls take at any length.
std::wstring ApiPath(const std::string& path) { return L"\\\\?\\" + Wide(FullPath(path)); }

namespace {


bool StartsWithNoCase(const std::string& s, const std::string& prefix) {
  return s.size() >= prefix.size() && _strnicmp(s.c_str(), prefix.c_str(), prefix.size()) == 0;
}

bool NamesParent(const std::string& path) {
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find_first_of("\\/", start);
    if (end == std::string::npos) end = path.size();
    if (path.compare(start, end - start, "..") == 0) return true;
    start = end + 1;
  }
  return false;
}

std::string WithoutTrailingBackslash(std::string path) {
  while (!path.empty() && (path.back() == '\\' || path.back() == '/')) path.pop_back();
  return path;
}

template <class F>
F Kernel32(const char* name) {
  return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), name)));
}

// The entry itself, not what a link in its place leads to (where the system tells them apart).
fw::TFileHandle OpenEntry(const std::string& path, DWORD access) {
  return fw::TFileHandle(CreateFileW(ApiPath(path).c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT,
                                     nullptr));
}

// True when the opened file is the one at path; false for a link that the system sees through
// to somewhere else, and for a file that could not be opened.
bool IsWhereItSeems(HANDLE file, const std::string& path) {
  return file != INVALID_HANDLE_VALUE && !fw::IsLink(path);
}

void ClearAttributes(const std::string& path, DWORD attr) {
  const DWORD clear = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  if (attr & clear) SetFileAttributesW(ApiPath(path).c_str(), attr & ~clear);
}

// Deletes through the handle that was checked, so nothing can swap the entry in between.
bool RemoveFile(const std::string& path, DWORD attr) {
  fw::TFileHandle file = OpenEntry(path, DELETE);
  if (!IsWhereItSeems(file.Get(), path)) return false;
  ClearAttributes(path, attr);
  using TSetInformation = BOOL(WINAPI*)(HANDLE, int, LPVOID, DWORD);
  static const auto setInformation = Kernel32<TSetInformation>("SetFileInformationByHandle");
  if (!setInformation) {
    file.Close();
    return DeleteFileW(ApiPath(path).c_str()) != FALSE;
  }
  const int kFileDispositionInfo = 4;
  BOOLEAN dispose = TRUE;  // FILE_DISPOSITION_INFO: the file goes when the handle is closed
  return setInformation(file.Get(), kFileDispositionInfo, &dispose, sizeof dispose) != FALSE;
}

// Removes an entry whose attributes are known; true when it is gone.
bool RemoveEntry(const std::string& path, DWORD attr) {
  if (!(attr & FILE_ATTRIBUTE_DIRECTORY)) return RemoveFile(path, attr);
  if (!IsWhereItSeems(OpenEntry(path, 0).Get(), path)) return false;
  ClearAttributes(path, attr);
  // A junction or directory link is removed as an empty folder would be, never entered.
  if (!(attr & FILE_ATTRIBUTE_REPARSE_POINT))
    for (fw::TFolderWalker entry(path); entry.Next();) RemoveEntry(entry.Path(), entry.Attributes());
  return RemoveDirectoryW(ApiPath(path).c_str()) != FALSE;
}

}  // namespace

const std::string& Root() {
  static const std::string root = "C:\\sandbox\\";
  return root;
}

bool InSandbox(const std::string& path) {
  if (NamesParent(path)) return false;
  std::string full = FullPath(path);
  return !full.empty() && full.size() > Root().size() && StartsWithNoCase(full, Root()) &&
         full.find("..") == std::string::npos;
}

void RequireInSandbox(const std::string& path) {
  if (!InSandbox(path)) {
    std::fprintf(stderr, "refused: %s lies outside %s\n", path.c_str(), Root().c_str());
    std::fflush(stderr);
    std::abort();
  }
}

bool RemoveSandboxTree(const std::string& path) {
  if (!InSandbox(path)) {
    std::fprintf(stderr, "refused to remove %s: not a path inside %s\n", path.c_str(), Root().c_str());
    return false;
  }
  std::string target = WithoutTrailingBackslash(path);
  DWORD attr = GetFileAttributesW(ApiPath(target).c_str());
  return attr == INVALID_FILE_ATTRIBUTES || RemoveEntry(target, attr);
}

}  // namespace testing_sandbox
