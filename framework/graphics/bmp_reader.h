// Our own reader of Windows bitmaps: 1, 4, 8, 16, 24 and 32 bits per pixel, RLE4/RLE8 and
// BITFIELDS, bottom-up or top-down, core (OS/2 1.x) or info headers up to version 5. Every
// format is converted to 24-bit blue/green/red pixels.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

namespace fw {

struct TBmpPixels {
  int Width = 0;
  int Height = 0;
  std::vector<unsigned char> Bgr;  // top row first, 3 * Width bytes per row, no padding
};

// A .bmp file: file header, info header, colour table and pixels.
// Raises EInvalidGraphic when the data is not a bitmap we can read.
TBmpPixels ReadBmpFile(const unsigned char* data, size_t size);

// A packed bitmap as stored in RT_BITMAP resources and CF_DIB: info header, colour table and
// pixels, with no file header.
TBmpPixels ReadPackedDib(const unsigned char* data, size_t size);

}  // namespace fw
