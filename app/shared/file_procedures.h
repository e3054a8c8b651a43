// Small shared procedures of the tools: byte counts as text, the size of a folder tree and of
// the recycle bin, emptying the recycle bin, and starting a command line.
#pragma once
#include <cstdint>
#include <string>

#include "framework/win.h"

namespace app {

// "n b" up to 1024 bytes (and for any negative count), then "n.nn Kb", "n.nn Mb" and "n.nn Gb"
// (1024-based, two decimals rounded half up, the user's decimal separator).
std::string FormatFileSize(int64_t bytes);

// The bytes of every file under path (which may end in a backslash). A subfolder is entered
// only when its attributes are exactly the directory bit: hidden, system, read-only or
// archived subfolders are not counted. 0 for a missing or unreadable folder.
int64_t GetFolderSize(const std::string& path);

// The total size of the recycle bins of all drives; 0 when they cannot be queried.
int64_t GetRecycleBinSize();

// Empties the recycle bins of all drives when they can be queried; flags are the shell's
// SHERB_... flags (0: the shell confirms and shows progress, owned by owner). True when the
// shell reports success.
bool EmptyRecycleBin(HWND owner, DWORD flags);

// Starts the command line (program and arguments) in the current folder and environment
// without waiting for it. True when the process was started.
bool RunCommandLine(const std::string& command);

}  // namespace app
