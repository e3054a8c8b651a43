// Small builders shared by the layout functions of the main window and its tools.
#pragma once
#include "framework/controls/win_control.h"
#include "skin/controls/bit_btn.h"

namespace app {

// A 25-pixel-high button at the given place; the hint is shown when it is not empty.
skin::TkBitBtn* MakeButton(fw::TComponent* owner, fw::TWinControl* parent, const char* name, const char* caption,
                           const char* hint, int left, int top, int width);

}  // namespace app
