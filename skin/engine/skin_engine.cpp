#include "skin/engine/skin_engine.h"

#include "framework/win.h"
#include "skin/engine/fast_pixels.h"
#include "skin/engine/skin_command.h"

namespace skin {

void StartSkinEngine() {
  // The message is registered under its name, then fixed at the number every part uses.
  SM_SKINCMD = RegisterWindowMessageA("SM_SKINCMD");
  SM_SKINCMD = 0xA100;
  CreateFastObjects();
}

void StopSkinEngine() { FastUnitFinalization(); }

}  // namespace skin
