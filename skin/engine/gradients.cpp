#include "skin/engine/gradients.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include <emmintrin.h>
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
        put(c, static_cast<unsigned char>(RoundHalfEven(acc[0])), static_cast<unsigned char>(RoundHalfEven(acc[1])),
            static_cast<unsigned char>(RoundHalfEven(acc[2])));
      for (int k = 0; k < 3; ++k) acc[k] += step[k];
    }
    c0 = c1;
  }
}

// Sixteen pixels are three 16-byte words; the stack is realigned for them.
__attribute__((target("sse2"), force_align_arg_pointer)) void FillRowSse2(unsigned char* p, int width,
                                                                          const unsigned char* sixteen) {
  const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(sixteen));
  const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(sixteen + 16));
  const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(sixteen + 32));
  int x = 0;
  for (; x + 16 <= width; x += 16, p += 48) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p), a);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p + 16), b);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p + 32), c);
  }
  std::memcpy(p, sixteen, static_cast<size_t>(width - x) * 3);
}

// Fills width pixels from p with one colour.
void FillRow(unsigned char* p, int width, unsigned char b, unsigned char g, unsigned char r) {
  unsigned char sixteen[48];
  for (int i = 0; i < 48; i += 3) sixteen[i] = b, sixteen[i + 1] = g, sixteen[i + 2] = r;
  if (HasSse2()) {
    FillRowSse2(p, width, sixteen);
    return;
  }
  int x = 0;
  for (; x + 16 <= width; x += 16, p += 48) std::memcpy(p, sixteen, 48);
  std::memcpy(p, sixteen, static_cast<size_t>(width - x) * 3);
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
    case 0: {
      // A row of the previous row's colour is copied from it.
      const unsigned char* previous = nullptr;
      unsigned char last[3] = {};
      const size_t total = static_cast<size_t>(width) * 3;
      WalkStops(stops, rect.Top + offset, height + offset, rect.Top, rect.Bottom - 1,
                [&](int y, unsigned char b, unsigned char g, unsigned char r) {
                  unsigned char* p = pixels.Row(y) + rect.Left * 3;
                  if (previous && last[0] == b && last[1] == g && last[2] == r) {
                    std::memcpy(p, previous, total);
                  } else {
                    FillRow(p, width, b, g, r);
                  }
                  previous = p;
                  last[0] = b, last[1] = g, last[2] = r;
                });
      break;
    }
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
