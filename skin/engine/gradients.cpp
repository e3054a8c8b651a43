#include "skin/engine/gradients.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "framework/graphics/canvas.h"
#include "skin/engine/fast_pixels.h"

namespace skin {

namespace {

// Walks the stops along a line of cells first..last: calls put(cell, b, g, r) for every cell a
// stop covers (both ends included), a stop starting where the previous one ended. The first
// stop starts at start (which may lie before first: those cells are not put).
template <class Put>
void WalkStops(const TkGradArray& stops, int start, int length, int first, int last, const Put& put) {
  int c0 = start;
  for (size_t i = 0; i < stops.size(); ++i) {
    const TkGradStop& stop = stops[i];
    int c1 = i + 1 == stops.size() ? last : c0 + length * stop.Percent / 100;
    c1 = std::min(c1, last);
    if (c1 - c0 <= 0) continue;
    unsigned char from[3], to[3];
    ColorToBGR(stop.Color1, from);
    ColorToBGR(stop.Color2, to);
    double acc[3], step[3];
    for (int k = 0; k < 3; ++k) {
      acc[k] = from[k];
      step[k] = (to[k] - from[k]) / static_cast<double>(c1 - c0);
    }
    for (int c = c0; c <= c1; ++c) {
      if (c >= first)
        put(c, static_cast<unsigned char>(std::nearbyint(acc[0])), static_cast<unsigned char>(std::nearbyint(acc[1])),
            static_cast<unsigned char>(std::nearbyint(acc[2])));
      for (int k = 0; k < 3; ++k) acc[k] += step[k];
    }
    c0 = c1;
  }
}

TRIVERTEX Vertex(int x, int y, fw::TColor color) {
  unsigned char bgr[3];
  ColorToBGR(color, bgr);
  return TRIVERTEX{x, y, static_cast<COLOR16>(bgr[2] << 8), static_cast<COLOR16>(bgr[1] << 8),
                   static_cast<COLOR16>(bgr[0] << 8), 0};
}

}  // namespace

void ColorToBGR(fw::TColor color, unsigned char bytes[3]) {
  bytes[0] = static_cast<unsigned char>(color >> 16);
  bytes[1] = static_cast<unsigned char>(color >> 8);
  bytes[2] = static_cast<unsigned char>(color);
}

void PaintGradient(fw::TBitmap* bitmap, fw::TRect rect, const TkGradArray& stops, int offset) {
  TkFast24 pixels;
  if (stops.empty() || !pixels.Attach(bitmap)) return;
  rect.Right = std::min(rect.Right, pixels.Width);
  rect.Bottom = std::min(rect.Bottom, pixels.Height);
  rect.Left = std::max(rect.Left, 0);
  rect.Top = std::max(rect.Top, 0);
  if (rect.Right <= rect.Left || rect.Bottom <= rect.Top) return;
  const int width = rect.Right - rect.Left, height = rect.Bottom - rect.Top;
  switch (stops[0].Mode) {
    case 0:
      WalkStops(stops, rect.Top + offset, height + offset, rect.Top, rect.Bottom - 1,
                [&](int y, unsigned char b, unsigned char g, unsigned char r) {
                  unsigned char* p = pixels.Row(y) + rect.Left * 3;
                  for (int x = 0; x < width; ++x, p += 3) p[0] = b, p[1] = g, p[2] = r;
                });
      break;
    case 1: {
      // Every row is the same: one is walked, the others copy it.
      std::vector<unsigned char> line(static_cast<size_t>(width) * 3);
      WalkStops(stops, rect.Left, width, rect.Left, rect.Right - 1,
                [&](int x, unsigned char b, unsigned char g, unsigned char r) {
                  unsigned char* p = &line[static_cast<size_t>(x - rect.Left) * 3];
                  p[0] = b, p[1] = g, p[2] = r;
                });
      for (int y = rect.Top; y < rect.Bottom; ++y) std::memcpy(pixels.Row(y) + rect.Left * 3, line.data(), line.size());
      break;
    }
    case 2: {
      fw::TColor colors[5];
      for (size_t k = 0; k < 5; ++k) colors[k] = k < stops.size() ? stops[k].Color1 : colors[k - 1];
      TRIVERTEX v[5] = {Vertex(rect.Left, rect.Top, colors[0]),
                        Vertex(rect.Left + width / 2, rect.Top + height / 2, colors[1]),
                        Vertex(rect.Right, rect.Top, colors[2]), Vertex(rect.Right, rect.Bottom, colors[3]),
                        Vertex(rect.Left, rect.Bottom, colors[4])};
      GRADIENT_TRIANGLE triangles[4] = {{0, 1, 2}, {1, 2, 3}, {0, 1, 4}, {4, 1, 3}};
      GradientFill(bitmap->GetCanvas()->GetHandle(), v, 5, triangles, 4, GRADIENT_FILL_TRIANGLE);
      GdiFlush();
      break;
    }
    default:
      break;
  }
}

}  // namespace skin
