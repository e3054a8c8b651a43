#include "skin/engine/skin_engine.h"

#include "framework/win.h"
#include "skin/controls/check_list_box.h"
#include "skin/controls/glyph_mode.h"
#include "skin/controls/list_view.h"
#include "skin/controls/shell_folder.h"
#include "skin/engine/fast_pixels.h"
#include "skin/engine/skin_command.h"
#include "skin/engine/skin_utils.h"

namespace skin {

std::unique_ptr<fw::TIcon> ProgramSmallIcon;
std::unique_ptr<fw::TIcon> ProgramLargeIcon;

void StartSkinEngine() {
  // The message is registered under its name, then fixed at the number every part uses.
  SM_SKINCMD = RegisterWindowMessageA("SM_SKINCMD");
  SM_SKINCMD = 0xA100;
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  ProgramSmallIcon = GetFileIcon(path, true);
  ProgramLargeIcon = GetFileIcon(path, false);
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
  ProgramSmallIcon.reset();
  ProgramLargeIcon.reset();
}

}  // namespace skin
