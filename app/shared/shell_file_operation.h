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
// in the target is ever overwritten. Never raises and shows nothing of its own: returns true
// only when the operation was carried out. Paths are UTF-8 of any length.
// The shell may still ask one question: when a file cannot go to the recycle bin (held open by
// another process, or on a drive without one), whether to delete it outright instead. owner is
// the window that started the operation (the main window): the question belongs to it, and it
// is disabled while the question is up, so that nothing else can be started from it meanwhile.
// Nothing is ever removed, moved or copied through a link: a source that is a link is removed
// or moved by itself (never handed to the shell) and never copied; the links inside a folder
// that is removed go by themselves first; a folder holding a link is not moved or copied. When
// a link cannot be taken by itself, the operation fails and leaves everything in place.
bool ShellFileOperation(const std::string& source, const std::string& target, int mode, HWND owner = nullptr);

// Sends every file of folder (ending in a backslash) matching mask to the recycle bin;
// files that cannot be removed stay, silently, unless the shell asks (owner as above).
void DeleteFilesByMask(const std::string& folder, const std::string& mask, HWND owner = nullptr);

// Sends a folder with everything in it to the recycle bin (a link by itself, and the links in
// it by themselves, as ShellFileOperation does). Raises EOSError naming the folder and the
// shell's error code when that fails. What the shell shows belongs to owner, as above.
void DeleteFolderTree(const std::string& path, HWND owner = nullptr);

namespace testing {
// The call that carries out every shell file operation here (default: SHFileOperationW), so
// tests can watch the flags and answer for cases the test system cannot produce. An empty
// function restores the default; the call it replaces is returned.
using TShellOperationCall = std::function<int(SHFILEOPSTRUCTW&)>;
TShellOperationCall SetShellOperationCall(TShellOperationCall call);
}  // namespace testing

}  // namespace app
