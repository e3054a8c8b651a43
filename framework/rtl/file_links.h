// Links (symbolic links, junctions and other reparse points) told apart from what they lead
// to, so that code that removes or moves files never reaches through one. UTF-8 paths of any
// length.
#pragma once
#include <string>
#include <vector>

#include "framework/win.h"

namespace fw {

// True when path names a link rather than the file or folder it leads to: the system marks it
// as a reparse point, or the object it opens lies elsewhere than in the path's own folder under
// the path's own name (how Wine shows a host's symbolic link to a file). A path whose object
// cannot be opened to tell counts as a link. False when nothing is there.
bool IsLink(const std::string& path);

// Tells whether a handle opened on an entry of one folder without following a link
// (FILE_FLAG_OPEN_REPARSE_POINT) stands for that entry itself and not for what a link leads to:
// Wine opens a host's symbolic link as what it leads to even so. The folder's own name is looked
// up once, so a walk pays one query of each entry's handle.
class TOpenedEntries {
 public:
  // For the entries of folder (with or without its trailing backslash).
  explicit TOpenedEntries(const std::string& folder);
  // True when handle, opened on the entry the folder lists as name, stands for that entry;
  // false when that cannot be told.
  bool IsItself(HANDLE handle, const std::string& name) const;

 private:
  std::wstring FFolder;  // the system's name of the folder, upper-cased; "" when unknown
};

// The same for the one entry at path, its name read as its folder lists it; a drive root is
// always itself.
bool OpensAsItself(HANDLE handle, const std::string& path);

// Removes the link itself with the plain call that removes a link (DeleteFileW, or
// RemoveDirectoryW for a folder link), and only when the system shows it as a reparse point and
// opens it as itself rather than following it: otherwise that call could reach the target, and
// nothing is done. True when the link is gone.
bool RemoveLink(const std::string& path);

// True when path is a link that the calls acting on a link by itself (RemoveLink, MoveLink,
// and those that open with FILE_FLAG_OPEN_REPARSE_POINT) reach, never what it leads to: the
// system shows it as a reparse point and opens it as itself.
bool CanTakeLinkByItself(const std::string& path);

// Moves the link itself to destination (a full new name, never overwritten), under the same
// rule as RemoveLink; never copies what it leads to. True when it moved.
bool MoveLink(const std::string& path, const std::string& destination);

// Where path really lies, every link in it followed (the system's final path of what it opens,
// without the "\\?\" prefix); "" when that cannot be had.
std::string FinalPathName(const std::string& path);

// Every link inside folder, folder itself not counted; links are not entered.
std::vector<std::string> LinksInTree(const std::string& folder);

}  // namespace fw
