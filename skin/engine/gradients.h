// Gradients: a section's parsed "GRADIENTDATA" stops painted into a 24-bit bitmap, vertical
// (mode 0) or horizontal (mode 1) on the scan lines, or as four triangles between the corners and
// the centre (mode 2, GradientFill). The text format and its parser live with the section data.
#pragma once
#include "framework/graphics/bitmap.h"
#include "framework/graphics/geometry.h"
#include "skin/engine/gradient_data.h"

namespace skin {

// Paints the stops over rect (clipped to the bitmap); only the first stop's mode counts. Each
// stop takes its Percent of the length, the last one reaching the far edge; a row or column two
// stops share takes the later stop's colour. Offset moves a vertical gradient's start (rows
// above the rectangle are not written).
void PaintGradient(fw::TBitmap* bitmap, fw::TRect rect, const TkGradArray& stops, int offset = 0);
// The blue, green and red bytes of a colour, in pixel order (system colours are not resolved).
void ColorToBGR(fw::TColor color, unsigned char bytes[3]);

}  // namespace skin
