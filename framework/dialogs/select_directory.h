// SelectDirectory: the browse-for-folder dialog through the file dialog service.
#pragma once
#include <string>

#include "framework/win.h"

namespace fw {

// Shows the folder tree under root ("" = the desktop) with directory selected; on OK directory
// holds the folder chosen and the result is true. flags are BIF_* (BIF_BROWSEINCLUDEFILES ...).
bool SelectDirectory(const std::string& caption, const std::string& root, std::string& directory,
                     UINT flags = BIF_RETURNONLYFSDIRS, const std::string& statusText = "");
// The same with a special folder (CSIDL_*) as the root.
bool SelectDirectoryIn(const std::string& caption, int rootFolder, std::string& directory,
                       UINT flags = BIF_RETURNONLYFSDIRS, const std::string& statusText = "");

}  // namespace fw
