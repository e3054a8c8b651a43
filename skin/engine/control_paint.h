// Painting a control from its skin state: the section's face for a state, the whole face with
// the border mask and corner images over what lies behind the control, the transparent corner
// pixels of a finished cache repainted with the parent's background, and captions in the
// section's colours.
#pragma once
#include <string>

#include "framework/graphics/bitmap.h"
#include "framework/graphics/canvas.h"
#include "skin/engine/skin_utils.h"

namespace skin {

class TkCommonData;

// Corner bits of PaintSkinBorders.
enum : unsigned char { kCornerTopLeft = 1, kCornerBottomLeft = 2, kCornerTopRight = 4, kCornerBottomRight = 8 };

// The section's face for State (0 normal, 1 hot, 2 pressed) into R of Bmp; with CustomColor the
// owner's colour (a form skinner's form colour) replaces the section's.
void PaintControlSection(TkCommonData* skinData, const TkBgRef& bgInfo, int state, fw::TBitmap* bmp,
                         fw::TPoint offset, fw::TRect r);
// The whole face: the parent's colour or picture where the section is transparent, the section
// fill, the "BORDERSMASK" frame and the four corner images. Nothing without a manager, a valid
// section, or an R inside Bmp.
void PaintControlFace(TkCommonData* skinData, const TkBgRef& bgInfo, bool filling, bool updateCorners,
                      fw::TBitmap* bmp, fw::TPoint offset, fw::TRect r, int state);
// Repaints the cache pixels under the border mask's $FF00FF corner pixels with what lies behind
// the control (the parent's plain colour or its picture).
void PaintSkinBorders(TkCommonData* skinData, int state, unsigned char corners);
inline void PaintSkinBordersAll(TkCommonData* skinData, int state) { PaintSkinBorders(skinData, state, 15); }
// A caption in the section's normal or hot colours (the canvas font's colour with a custom font
// or without a section); "WEBBUTTON" is underlined while hot; disabled text embossed.
void WriteSkinText(fw::TCanvas* canvas, const std::string& text, bool enabled, int state, TkCommonData* skinData,
                   unsigned flags, fw::TRect& r);

}  // namespace skin
