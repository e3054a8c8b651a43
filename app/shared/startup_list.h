// The listing procedures of the Startup manager: each appends the entries of one source to the
// entry list, with their icons in the entry image list, and none clears the list. A row holds
// the caption and five sub-items: path, parameters, section ("HKLM"/"HKCU" or "Current user"/
// "All users"), the key path or Startup folder the entry belongs in, and "key" or "su"; its
// box is set for an active entry and clear for a disabled one.
#pragma once
#include <string>

#include "framework/comctrls/list_view.h"
#include "framework/graphics/image_list.h"
#include "services/shell/shortcut.h"
#include "services/system/computer_info_ex.h"

namespace app {

// The sub-items of a row.
enum TStartupSubItem { siPath, siParameters, siSection, siFrom, siKind };
inline constexpr char kRegistryRow[] = "key";
inline constexpr char kShortcutRow[] = "su";
// Kinds of Startup folder: the current user's and all users'.
inline constexpr int kCurrentUserStartup = 1;
inline constexpr int kAllUsersStartup = 2;
inline constexpr char kCurrentUserSection[] = "Current user";
inline constexpr char kAllUsersSection[] = "All users";
// The special folder of a Startup folder kind (CSIDL_STARTUP or CSIDL_COMMON_STARTUP).
int StartupFolderNumber(int kind);

// Keeps image 0, the fallback program icon (made when the list has none), and removes every
// icon a listing appended after it.
void TrimStartupImages(fw::TCustomImageList* images);

// The REG_SZ and REG_EXPAND_SZ values of one run key, checked; the default value and values of
// other types are left out, and a key that cannot be opened lists nothing.
void ListRegistryStartup(fw::TCustomImageList* images, fw::TCustomListView* list, const std::string& hiveName,
                         const std::string& keyPath);
// The shortcuts of one Startup folder (no trailing backslash), checked; a shortcut that does
// not resolve is left out.
void ListStartupFolder(svc::TSvShortcut* shortcut, fw::TCustomImageList* images, fw::TCustomListView* list,
                       int kind, const std::string& folder);
// The lines of one store (storeName relative to the program folder), unchecked, with image 0.
void ListDisabledRegistryStartup(const std::string& appDir, fw::TCustomImageList* images, fw::TCustomListView* list,
                                 const std::string& hiveName, const std::string& keyPath,
                                 const std::string& storeName);
// The shortcuts of one holding folder (no trailing backslash), unchecked, each showing the
// Startup folder it belongs in. A held link that does not resolve still lists with the target
// it holds, so it can be enabled or deleted.
void ListDisabledStartupFolder(svc::TDsComputerInfoEx* info, const std::string& appDir,
                               svc::TSvShortcut* shortcut, int kind, const std::string& folder,
                               fw::TCustomListView* list, fw::TCustomImageList* images);

}  // namespace app
