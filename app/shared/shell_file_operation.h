// Removing, moving and copying files through the shell, silently, with the user's removal method.
#pragma once
#include <functional>
#include <string>

#include "framework/win.h"

namespace app {

// The removal modes; [Remove] Method 1 to 3 of program.ini map onto the first three.
enum TRemoveMode { rmRecycle = 1, rmDelete = 2, rmMove = 3, rmCopy = 4 };

// One silent shell operation on one file or folder (source); where a path is too long for the
// shell, deleting, moving and copying use the file calls instead (a long folder is moved only
// within its volume, and never deleted outright or copied). Recycle and delete ignore target;
// move and copy put the source into the folder target, which is created when missing, under
// the source's name or, when that name is taken, under the first free "name (n).ext": nothing
// in the target is ever overwritten. Never raises and never shows anything: returns true only
// when the operation was carried out. Paths are UTF-8 of any length.
// Nothing is ever removed, moved or copied through a link: a source that is a link is removed
// or moved by itself (never handed to the shell) and never copied; the links inside a folder
// that is removed go by themselves first; a folder holding a link is not moved or copied. When
// a link cannot be taken by itself, the operation fails and leaves everything in place.
bool ShellFileOperation(const std::string& source, const std::string& target, int mode);

// Sends every file of folder (ending in a backslash) matching mask to the recycle bin;
// files that cannot be removed stay, silently.
void DeleteFilesByMask(const std::string& folder, const std::string& mask);

// Sends a folder with everything in it to the recycle bin (a link by itself, and the links in
// it by themselves, as ShellFileOperation does). Raises EOSError naming the folder and the
// shell's error code when that fails.
void DeleteFolderTree(const std::string& path);

namespace testing {
// The call that carries out every shell file operation here (default: SHFileOperationW), so
// tests can watch the flags and answer for cases the test system cannot produce. An empty
// function restores the default; the call it replaces is returned.
using TShellOperationCall = std::function<int(SHFILEOPSTRUCTW&)>;
TShellOperationCall SetShellOperationCall(TShellOperationCall call);
}  // namespace testing

}  // namespace app
