// Start-up and shutdown of the skin engine, run by the program's entry around everything else:
// start-up fixes the skin command message before any form exists and loads the edit-button
// glyphs; shutdown frees what the engine made.
#pragma once
#include <memory>

#include "framework/graphics/icon.h"

namespace skin {

void StartSkinEngine();
void StopSkinEngine();

// The program's small and large shell icons (skinned title bars show them), asked of the shell
// the first time each is wanted (the shell's icon cache is slow to start, and most runs never
// show them); null outside the engine's run or when the shell has none.
const fw::TIcon* ProgramSmallIcon();
const fw::TIcon* ProgramLargeIcon();

}  // namespace skin
