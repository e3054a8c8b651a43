// Start-up and shutdown of the skin engine, run by the program's entry around everything else:
// start-up fixes the skin command message before any form exists and loads the program's shell
// icons and the edit-button glyphs; shutdown frees what the start-up made.
#pragma once
#include <memory>

#include "framework/graphics/icon.h"

namespace skin {

void StartSkinEngine();
void StopSkinEngine();

// The program's small and large shell icons (skinned title bars show them); null outside the
// engine's run or when the shell has none.
extern std::unique_ptr<fw::TIcon> ProgramSmallIcon;
extern std::unique_ptr<fw::TIcon> ProgramLargeIcon;

}  // namespace skin
