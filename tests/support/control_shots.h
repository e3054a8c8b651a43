// Reading back what skinned controls show: the screen under a control or its whole window, a
// control's painting into a bitmap of its own, and comparisons of pixels.
#pragma once
#include <functional>
#include <memory>

#include "framework/controls/win_control.h"
#include "framework/graphics/bitmap.h"

namespace control_shots {

// The screen under the control's client area (a windowless control's bounds in its parent).
std::unique_ptr<fw::TBitmap> ScreenShot(const fw::TControl* control);
// The screen under the whole window, frame included.
std::unique_ptr<fw::TBitmap> WindowShot(fw::TWinControl* control);
// A width x height bitmap filled with the canary colour, painted by paint through its DC.
std::unique_ptr<fw::TBitmap> PaintedBy(int width, int height, const std::function<void(HDC)>& paint);
// Same size and every pixel equal.
bool SamePixels(const fw::TBitmap& a, const fw::TBitmap& b);
// The smallest rectangle holding every pixel for which wanted is true (empty when none).
fw::TRect BoxOf(const fw::TBitmap& bitmap, const std::function<bool(fw::TColor)>& wanted);

}  // namespace control_shots
