// Paths for the wide file calls. The program's strings are UTF-8; the ANSI file calls stop at
// MAX_PATH characters, so every file primitive converts its path here and calls the wide
// function instead.
#pragma once
#include <string>

#include "framework/rtl/wide_text.h"
#include "framework/win.h"

namespace fw {

// The full UTF-16 form of path (made full against the current folder), without any prefix.
// "" for an empty path, so it can never stand for the current folder.
std::wstring FullWidePath(const std::string& path);

// FullWidePath with the "\\?\" prefix ("\\?\UNC\" for a share) when it is too long for the
// plain form, ready for CreateFileW, FindFirstFileW and the other wide file calls. A path that
// already carries "\\?\" or "\\.\" is only converted.
std::wstring FileApiPath(const std::string& path);

// path without a "\\?\" prefix ("\\?\UNC\server" becomes "\\server").
std::wstring WithoutLongPathPrefix(const std::wstring& path);

// A path as the user reads and types it, for every text that shows one: a drive or share path
// without its "\\?\" prefix; any other path (Wine's "\\?\unix\..." for a folder no drive
// reaches) whole.
std::string DisplayPath(const std::string& path);

// The full file name of a module (nullptr: the program). Wine names a file no drive reaches
// "unix\tmp\...", and a module loaded by a name of MAX_PATH characters or more by its plain
// path, both without the "\\?\" its other calls need (and Windows gives); the prefix is given back.
std::string ModuleFileName(HMODULE module);

}  // namespace fw
