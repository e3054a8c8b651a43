#include "app/shared/shell_file_operation.h"

#include <utility>

#include "framework/rtl/exceptions.h"
#include "framework/rtl/file_links.h"
#include "framework/rtl/file_utils.h"
#include "framework/rtl/folder_walker.h"
#include "framework/rtl/sys_utils.h"
#include "framework/rtl/wide_path.h"

namespace app {
namespace {

// Recycle bin: allow undo; a file that cannot be recycled (no recycle bin on its drive) must
// not be deleted outright without the user being asked, hence the nuke warning.
constexpr FILEOP_FLAGS kRecycleFlags =
    FOF_SILENT | FOF_NOCONFIRMATION | FOF_ALLOWUNDO | FOF_FILESONLY | FOF_NOERRORUI | FOF_WANTNUKEWARNING;
constexpr FILEOP_FLAGS kDeleteFlags = FOF_SILENT | FOF_NOCONFIRMATION | FOF_FILESONLY | FOF_NOERRORUI;
// Move and copy name the destination file itself, so a collision never overwrites.
constexpr FILEOP_FLAGS kTransferFlags = kDeleteFlags | FOF_MULTIDESTFILES;
// A folder tree goes to the recycle bin; the shell may report its errors itself.
constexpr FILEOP_FLAGS kTreeFlags = FOF_SILENT | FOF_NOCONFIRMATION | FOF_ALLOWUNDO;

testing::TShellOperationCall& ShellOperationCall() {
  static testing::TShellOperationCall call;
  return call;
}

struct TOperationResult {
  int Code = 0;
  bool Aborted = false;
};

// One SHFileOperationW call; the paths are passed in full, without the long-path prefix the
// shell does not take, as lists of one name ending in two NULs. Whatever the shell shows is
// owned by owner, which the shell disables meanwhile.
TOperationResult RunOperation(UINT func, const std::string& source, const std::string& target, FILEOP_FLAGS flags,
                              HWND owner) {
  std::wstring from = fw::FullWidePath(source);
  std::wstring to = fw::FullWidePath(target);
  from.push_back(L'\0');
  to.push_back(L'\0');
  SHFILEOPSTRUCTW op{};
  op.hwnd = owner;
  op.wFunc = func;
  op.pFrom = from.c_str();
  op.pTo = to.size() > 1 ? to.c_str() : nullptr;
  op.fFlags = flags;
  const testing::TShellOperationCall& call = ShellOperationCall();
  TOperationResult result;
  result.Code = call ? call(op) : SHFileOperationW(&op);
  result.Aborted = op.fAnyOperationsAborted != FALSE;
  return result;
}

bool Exists(const std::string& path) { return fw::FileAttributes(path) != INVALID_FILE_ATTRIBUTES; }

std::string WithoutTrailingBackslash(std::string path) {
  while (path.size() > 3 && path.back() == '\\') path.pop_back();
  return path;
}

// The first name in folder (ending in a backslash) that nothing holds: the name itself, then
// "name (2).ext", "name (3).ext" and so on. Empty when none is free.
std::string FreeDestination(const std::string& folder, const std::string& name) {
  if (!Exists(folder + name)) return folder + name;
  std::string ext = fw::ExtractFileExt(name);
  std::string stem = name.substr(0, name.size() - ext.size());
  for (int n = 2; n < 10000; ++n) {
    std::string candidate = folder + stem + " (" + std::to_string(n) + ")" + ext;
    if (!Exists(candidate)) return candidate;
  }
  return {};
}

// The folder a move or copy goes into, with its trailing backslash; created when missing.
// Empty when it is a file or cannot be created.
std::string PrepareTargetFolder(const std::string& target) {
  std::string folder = WithoutTrailingBackslash(target);
  if (folder.empty()) return {};
  DWORD attr = fw::FileAttributes(folder);
  if (attr == INVALID_FILE_ATTRIBUTES) {
    if (!fw::ForceDirectories(folder)) return {};
    attr = fw::FileAttributes(folder);
  }
  if (attr == INVALID_FILE_ATTRIBUTES || !(attr & FILE_ATTRIBUTE_DIRECTORY)) return {};
  return fw::IncludeTrailingBackslash(folder);
}

// The links inside a folder that is about to be removed go first, each by itself: the shell
// would follow them when it deletes the tree. False when one of them cannot be removed so.
bool RemoveLinksInside(const std::string& folder) {
  for (const std::string& link : fw::LinksInTree(folder))
    if (!fw::RemoveLink(link)) return false;
  return true;
}

// The shell keeps paths in MAX_PATH buffers: a longer one makes it fail or (in Wine) overrun
// them when it deletes, moves or copies. Such files are handled with the file calls themselves;
// only the recycle bin has no other way in.
bool FitsTheShell(const std::string& path) { return fw::FullWidePath(path).size() < MAX_PATH; }

bool Remove(const std::string& source, FILEOP_FLAGS flags, HWND owner) {
  // The shell (and its recycle bin) may reach through a link: a link is removed by itself.
  if (fw::IsLink(source)) return fw::RemoveLink(source);
  const bool folder = fw::DirectoryExists(source);
  if (folder && !RemoveLinksInside(source)) return false;
  if (!(flags & FOF_ALLOWUNDO) && !FitsTheShell(source))
    return !folder && DeleteFileW(fw::FileApiPath(source).c_str()) && !Exists(source);
  TOperationResult result = RunOperation(FO_DELETE, source, {}, flags, owner);
  return result.Code == 0 && !result.Aborted && !Exists(source);
}

// A move or copy the shell cannot take: a move renames (a file may be copied across volumes),
// a copy takes files only, and neither ever replaces anything.
bool TransferLong(const std::string& source, const std::string& destination, bool keepSource) {
  const bool folder = fw::DirectoryExists(source);
  std::wstring from = fw::FileApiPath(source), to = fw::FileApiPath(destination);
  if (keepSource) return !folder && CopyFileW(from.c_str(), to.c_str(), TRUE) && Exists(destination);
  return MoveFileExW(from.c_str(), to.c_str(), folder ? 0 : MOVEFILE_COPY_ALLOWED) && Exists(destination) &&
         !Exists(source);
}

bool Transfer(const std::string& source, const std::string& target, bool keepSource, HWND owner) {
  const bool link = fw::IsLink(source);
  // A copy would copy what a link leads to; a folder holding a link is neither moved nor copied,
  // since a move across volumes copies too.
  if ((link && keepSource) || (!link && fw::DirectoryExists(source) && !fw::LinksInTree(source).empty()))
    return false;
  std::string name = fw::ExtractFileName(source);
  std::string folder = PrepareTargetFolder(target);
  if (folder.empty()) return false;
  std::string destination = FreeDestination(folder, name);
  if (destination.empty()) return false;
  if (link) return fw::MoveLink(source, destination);
  if (!FitsTheShell(source) || !FitsTheShell(destination)) return TransferLong(source, destination, keepSource);
  TOperationResult result =
      RunOperation(keepSource ? FO_COPY : FO_MOVE, source, destination, kTransferFlags, owner);
  return result.Code == 0 && !result.Aborted && Exists(destination) && (keepSource || !Exists(source));
}

}  // namespace

bool ShellFileOperation(const std::string& source, const std::string& target, int mode, HWND owner) {
  try {
    std::string from = WithoutTrailingBackslash(source);
    // A drive root is never a source.
    if (fw::ExtractFileName(from).empty() || !Exists(from)) return false;
    switch (mode) {
      case rmRecycle: return Remove(from, kRecycleFlags, owner);
      case rmDelete: return Remove(from, kDeleteFlags, owner);
      case rmMove: return Transfer(from, target, false, owner);
      case rmCopy: return Transfer(from, target, true, owner);
      default: return false;
    }
  } catch (...) {
    return false;
  }
}

void DeleteFilesByMask(const std::string& folder, const std::string& mask, HWND owner) {
  for (fw::TFolderWalker entry(folder, mask); entry.Next();)
    if (fw::FileExists(entry.Path())) ShellFileOperation(entry.Path(), {}, rmRecycle, owner);
}

void DeleteFolderTree(const std::string& path, HWND owner) {
  std::string folder = WithoutTrailingBackslash(path);
  int code = 0;
  if (folder.empty() || fw::ExtractFileName(folder).empty())
    code = ERROR_INVALID_NAME;  // never a drive root
  else if (!fw::DirectoryExists(folder))
    code = ERROR_PATH_NOT_FOUND;
  else if (fw::IsLink(folder) ? !fw::RemoveLink(folder) : !RemoveLinksInside(folder))
    throw fw::EOSError(fw::Format("Cannot delete the folder \"%s\": a link in it cannot be removed by itself.",
                                  fw::DisplayPath(path)),
                       ERROR_ACCESS_DENIED);
  else if (Exists(folder)) {
    TOperationResult result = RunOperation(FO_DELETE, folder, {}, kTreeFlags, owner);
    code = result.Code;
    if (code == 0 && (result.Aborted || Exists(folder))) code = ERROR_CANCELLED;
  }
  if (code != 0) throw fw::EOSError(fw::Format("Cannot delete the folder \"%s\" (error %d).", fw::DisplayPath(path), code), code);
}

namespace testing {
TShellOperationCall SetShellOperationCall(TShellOperationCall call) {
  return std::exchange(ShellOperationCall(), std::move(call));
}
}  // namespace testing

}  // namespace app
