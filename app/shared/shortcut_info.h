// TShortcutInfo and ReadShortcutInfo: every field of one shortcut file, read through the shell's
// link object as the file stands: nothing is resolved, no moved target is searched for and no
// window is shown.
#pragma once
#include <cstdint>

#include "framework/win.h"

namespace app {

struct TShortcutInfo {
  char FileName[261];  // the link file, put here by the caller
  char Path[261];      // the target
  char Arguments[261];
  char WorkingDirectory[261];
  char Description[261];
  char IconLocation[261];
  int32_t IconIndex;
  uint16_t HotKey;
  int32_t ShowCommand;
  WIN32_FIND_DATAA FindData;  // the target's, as the link keeps it
};

// Fills the fields after FileName from the link file it names; the caller zeroes the record
// first. A field the link does not give stays zero; a file that cannot be loaded as a shortcut
// (or a link object that cannot be made) leaves them all zero, so its target reads empty.
void ReadShortcutInfo(TShortcutInfo& info);

}  // namespace app
