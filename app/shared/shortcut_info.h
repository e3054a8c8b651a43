// TShortcutInfo and ReadShortcutInfo: every field of one shortcut file, read through the shell's
// link object as the file stands: nothing is resolved, no moved target is searched for and no
// window is shown.
#pragma once
#include <string>

#include "services/shell/shortcut.h"

namespace app {

// The link file (its name of any length, put here by the caller) and what it holds: the target,
// arguments, working folder, description, icon location and index, hot key, show command and the
// target's find data, its texts read as svc::ReadShellLinkFields reads them (as the system stores
// them, never cut).
struct TShortcutInfo : svc::TShellLinkFields {
  std::string FileName;
};

// Fills the link's fields from the file FileName names; the caller starts from an empty record.
// A field the link does not give stays empty; a file that cannot be loaded as a shortcut (or a
// link object that cannot be made) leaves them all empty, so its target reads empty.
void ReadShortcutInfo(TShortcutInfo& info);

}  // namespace app
