// Disabling and enabling startup entries. Every step is checked and a failed step undoes the
// earlier ones, so an entry is always whole in one place: its key or its store, its Startup
// folder or its holding folder. Each procedure answers false with the reason when it failed.
#pragma once
#include <string>

#include "framework/win.h"
#include "services/shell/sh_file_operation.h"

namespace app {

// Moves one value from its key into its store (storeName relative to the program folder):
// reads the value as it is, saves the store line and the record of the value, then deletes the
// value. Refused for a value that is gone or not a string, and for a name or command whose
// store line would read back as another entry.
bool DisableRegistryStartup(const std::string& appDir, HKEY hive, const std::string& keyPath,
                            const std::string& name, const std::string& path, const std::string& parameters,
                            const std::string& storeName, std::string& reason);
// Writes one value back into its key (made when missing) and removes its line and record from
// the store: the recorded name, type and bytes when the record names the line's value (case
// ignored) as REG_SZ or REG_EXPAND_SZ; otherwise (no record, or one that does not fit) the quoted
// path and the parameters after one blank (none without parameters) as REG_SZ, REG_EXPAND_SZ
// when the path holds a %NAME% reference. Refused while the key holds a value of that name.
bool EnableRegistryStartup(const std::string& appDir, HKEY hive, const std::string& keyPath,
                           const std::string& name, const std::string& path, const std::string& parameters,
                           std::string& reason);

// caption when folder holds no "<caption>.lnk", else the first "<caption> (n)" from n = 2 that
// is free.
std::string FreeShortcutCaption(const std::string& folder, const std::string& caption);
// Moves the shortcut file source into folder (no trailing backslash) under the first free name
// with fo; caption then holds the name it got, without ".lnk". The move counts only when the
// source is gone and the target there; a copy left beside a source that stayed is removed.
bool MoveStartupShortcut(svc::TDsSHFileOperation* fo, const std::string& source, const std::string& folder,
                         std::string& caption, std::string& reason);

}  // namespace app
