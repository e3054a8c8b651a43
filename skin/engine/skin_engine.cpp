#include "skin/engine/skin_engine.h"

#include <optional>

#include "framework/rtl/wide_path.h"
#include "framework/win.h"
#include "skin/controls/check_list_box.h"
#include "skin/controls/glyph_mode.h"
#include "skin/controls/list_view.h"
#include "skin/controls/shell_folder.h"
#include "skin/engine/fast_pixels.h"
#include "skin/engine/skin_command.h"
#include "skin/engine/skin_utils.h"

namespace skin {

namespace {

// The icons once asked for, and whether the engine runs.
struct TProgramIcons {
  bool Running = false;
  std::optional<std::unique_ptr<fw::TIcon>> Small, Large;
};
TProgramIcons programIcons;

const fw::TIcon* ProgramIcon(std::optional<std::unique_ptr<fw::TIcon>>& icon, bool small) {
  if (!programIcons.Running) return nullptr;
  if (!icon) icon = GetFileIcon(fw::ModuleFileName(nullptr), small);
  return icon->get();
}

}  // namespace

const fw::TIcon* ProgramSmallIcon() { return ProgramIcon(programIcons.Small, true); }
const fw::TIcon* ProgramLargeIcon() { return ProgramIcon(programIcons.Large, false); }

void StartSkinEngine() {
  // The message is registered under its name, then fixed at the number every part uses.
  SM_SKINCMD = RegisterWindowMessageA("SM_SKINCMD");
  SM_SKINCMD = 0xA100;
  programIcons.Running = true;
  CreateFastObjects();
  MeasureCheckListGlyph();
  CacheListViewMetrics();
  LoadEditGlyphs();
  StartShellFolders();
}

void StopSkinEngine() {
  StopShellFolders();
  FreeEditGlyphs();
  FastUnitFinalization();
  programIcons = TProgramIcons{};
}

}  // namespace skin
