#include "skin/engine/color_passes.h"

#include <algorithm>
#include <cmath>

namespace skin {

namespace {

int RoundByte(double value) { return static_cast<int>(std::clamp(std::nearbyint(value), 0.0, 255.0)); }

}  // namespace

fw::TColor ChangeColorSaturation(fw::TColor color, int amount) {
  if (amount == 0) return color;
  unsigned bits = static_cast<unsigned>(color);
  int r = bits & 0xFF, g = (bits >> 8) & 0xFF, b = (bits >> 16) & 0xFF;
  double mean = (r + g + b) / 3.0;
  auto shift = [&](int c) { return RoundByte(amount * (mean - c) / 100.0 + c); };
  unsigned result = (bits & 0xFF000000u) | unsigned(shift(r)) | unsigned(shift(g)) << 8 | unsigned(shift(b)) << 16;
  return static_cast<fw::TColor>(result);
}

fw::TColor ChangeColorHue(int delta, fw::TColor color) {
  unsigned bits = static_cast<unsigned>(fw::ColorToRGB(color)) & 0xFFFFFFu;
  int r = bits & 0xFF, g = (bits >> 8) & 0xFF, b = (bits >> 16) & 0xFF;
  int maxC = std::max({r, g, b}), minC = std::min({r, g, b});
  if (maxC == 0 || maxC == minC) return static_cast<fw::TColor>(bits);
  double v = maxC, s = double(maxC - minC) / maxC, span = maxC - minC, h;
  if (maxC == r)
    h = (g - b) * 60.0 / span;
  else if (maxC == g)
    h = 120 + (b - r) * 60.0 / span;
  else
    h = 240 + (r - g) * 60.0 / span;
  if (h < 0) h += 360;
  int turned = static_cast<int>(std::nearbyint(h + delta)) % 360;
  if (turned < 0) turned += 360;
  int sector = turned / 60;
  double f = turned / 60.0 - sector;
  int vi = RoundByte(v), p = RoundByte((1 - s) * v), q = RoundByte((1 - s * f) * v), t = RoundByte((1 - (1 - f) * s) * v);
  int rgb[6][3] = {{vi, t, p}, {q, vi, p}, {p, vi, t}, {p, q, vi}, {t, p, vi}, {vi, p, q}};
  const int* c = rgb[sector];
  return static_cast<fw::TColor>(c[0] | c[1] << 8 | c[2] << 16);
}

}  // namespace skin
