// Start-up and shutdown of the skin engine, run by the program's entry around everything else:
// start-up fixes the skin command message before any form exists; shutdown frees what the
// start-up made.
#pragma once

namespace skin {

void StartSkinEngine();
void StopSkinEngine();

}  // namespace skin
