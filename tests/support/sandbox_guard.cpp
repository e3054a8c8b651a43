#include "support/sandbox_guard.h"

#include <cstdio>
#include <cstdlib>

#include "framework/rtl/folder_walker.h"
#include "framework/sys/owned_handle.h"
#include "framework/win.h"

namespace testing_sandbox {
namespace {

std::string FullPath(const std::string& path) {
  char buf[MAX_PATH * 2];
  DWORD n = GetFullPathNameA(path.c_str(), sizeof buf, buf, nullptr);
  return (n == 0 || n >= sizeof buf) ? std::string() : std::string(buf, n);
}

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

// The path the system resolves path to, links followed; "" when it cannot be opened.
std::string ResolvedPath(const std::string& path) {
  using TFinalPathName = DWORD(WINAPI*)(HANDLE, LPSTR, DWORD, DWORD);
  static const auto finalPathName = reinterpret_cast<TFinalPathName>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetFinalPathNameByHandleA")));
  if (!finalPathName) return FullPath(path);  // a system without file links
  fw::TFileHandle file(CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!file) return std::string();
  char buf[MAX_PATH * 2];
  DWORD n = finalPathName(file.Get(), buf, sizeof buf, 0);
  if (n == 0 || n >= sizeof buf) return std::string();
  std::string resolved(buf, n);
  return resolved.rfind("\\\\?\\", 0) == 0 ? resolved.substr(4) : resolved;
}

// False for a link that the system sees through to somewhere else.
bool IsWhereItSeems(const std::string& path) {
  std::string resolved = ResolvedPath(path), full = FullPath(path);
  return !full.empty() && _stricmp(resolved.c_str(), full.c_str()) == 0;
}

// Removes an entry whose attributes are known; true when it is gone.
bool RemoveEntry(const std::string& path, DWORD attr) {
  if (!IsWhereItSeems(path)) return false;
  const DWORD clear = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  if (attr & clear) SetFileAttributesA(path.c_str(), attr & ~clear);
  if (!(attr & FILE_ATTRIBUTE_DIRECTORY)) return DeleteFileA(path.c_str()) != FALSE;
  // A junction or directory link is removed as an empty folder would be, never entered.
  if (!(attr & FILE_ATTRIBUTE_REPARSE_POINT))
    for (fw::TFolderWalker entry(path); entry.Next();) RemoveEntry(entry.Path(), entry.Attributes());
  return RemoveDirectoryA(path.c_str()) != FALSE;
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
  DWORD attr = GetFileAttributesA(target.c_str());
  return attr == INVALID_FILE_ATTRIBUTES || RemoveEntry(target, attr);
}

}  // namespace testing_sandbox
