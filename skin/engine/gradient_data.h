// A section's gradient: the "GRADIENTDATA" text and the stops it gives.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "framework/graphics/colors.h"

namespace skin {

struct TkGradStop {
  fw::TColor Color1 = 0;
  fw::TColor Color2 = 0;
  uint8_t Percent = 0;  // 0..100
  int Mode = 0;         // 0 vertical, 1 horizontal, 2 four triangles
  int Reserved = 0;
};
using TkGradArray = std::vector<TkGradStop>;

// Empties stops, then fills one stop from every five ";"-separated words (a remainder is
// ignored), at most kMaxGradientStops; the percent is held to 0..100. A word of a stop that is
// not a number raises EConvertError.
void ParseGradientData(const std::string& text, TkGradArray& stops);

}  // namespace skin
