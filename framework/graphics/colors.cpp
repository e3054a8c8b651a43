#include "framework/graphics/colors.h"

namespace fw {

TColor ColorToRGB(TColor color) {
  if (color < 0) return static_cast<TColor>(::GetSysColor(color & 0xFF));
  return color;
}

}  // namespace fw
