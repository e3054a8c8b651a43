// The colour changes of the skin's hue and saturation passes, one colour at a time.
#pragma once
#include "framework/graphics/colors.h"

namespace skin {

// Moves each of red, green and blue towards the mean of the three by amount percent (negative:
// away from it), rounded and kept in 0..255; the fourth byte passes unchanged.
fw::TColor ChangeColorSaturation(fw::TColor color, int amount);
// Turns the hue of the colour (a system colour is taken at its current value) by delta
// degrees, keeping saturation and value; a grey comes back unchanged. The top byte is 0.
fw::TColor ChangeColorHue(int delta, fw::TColor color);

// The same routines under the names the skin manager's passes use.
inline fw::TColor ChangeSaturation(fw::TColor color, int amount) { return ChangeColorSaturation(color, amount); }
inline fw::TColor ChangeHue(int delta, fw::TColor color) { return ChangeColorHue(delta, color); }

}  // namespace skin
