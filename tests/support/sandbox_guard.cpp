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

template <class F>
F Kernel32(const char* name) {
  return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), name)));
}

// The entry itself, not what a link in its place leads to (where the system tells them apart).
fw::TFileHandle OpenEntry(const std::string& path, DWORD access) {
  return fw::TFileHandle(CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT,
                                     nullptr));
}

// True when the opened file is the one at path; false for a link that the system sees through
// to somewhere else, and for a file that could not be opened.
bool IsWhereItSeems(HANDLE file, const std::string& path) {
  using TFinalPathName = DWORD(WINAPI*)(HANDLE, LPSTR, DWORD, DWORD);
  static const auto finalPathName = Kernel32<TFinalPathName>("GetFinalPathNameByHandleA");
  if (!finalPathName) return true;  // a system without file links
  char buf[MAX_PATH * 2];
  DWORD n = finalPathName(file, buf, sizeof buf, 0);
  if (n == 0 || n >= sizeof buf) return false;
  std::string resolved(buf, n);
  if (resolved.rfind("\\\\?\\", 0) == 0) resolved.erase(0, 4);
  std::string full = FullPath(path);
  return !full.empty() && _stricmp(resolved.c_str(), full.c_str()) == 0;
}

void ClearAttributes(const std::string& path, DWORD attr) {
  const DWORD clear = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  if (attr & clear) SetFileAttributesA(path.c_str(), attr & ~clear);
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
    return DeleteFileA(path.c_str()) != FALSE;
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
