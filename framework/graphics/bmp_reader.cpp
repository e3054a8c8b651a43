#include "framework/graphics/bmp_reader.h"

#include <cstdint>
#include <cstring>

#include "framework/graphics/graphic.h"

namespace fw {
namespace {

constexpr uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3;
constexpr int64_t kMaxPixels = 64 * 1024 * 1024;

[[noreturn]] void Invalid() { RaiseInvalidGraphic("Bitmap image is not valid"); }

struct TColorEntry {
  unsigned char B, G, R;
};

// One channel of a BITFIELDS pixel: the bits under the mask, scaled to 0..255.
struct TChannel {
  uint32_t Mask = 0;
  int Shift = 0;
  uint32_t Max = 0;

  void SetMask(uint32_t mask) {
    Mask = mask;
    Shift = 0;
    Max = 0;
    if (!mask) return;
    while (!((mask >> Shift) & 1)) ++Shift;
    Max = mask >> Shift;
  }
  unsigned char Take(uint32_t value) const {
    if (!Max) return 0;
    return static_cast<unsigned char>(((value & Mask) >> Shift) * 255 / Max);
  }
};

class TDibDecoder {
 public:
  TDibDecoder(const unsigned char* data, size_t size) : FData(data), FSize(size) {}

  // Decodes the info header at offset 0; bitsOffset 0 means "right after the colour table".
  TBmpPixels Decode(size_t bitsOffset);

 private:
  const unsigned char* FData;
  size_t FSize;
  int FWidth = 0, FHeight = 0, FBitCount = 0;
  bool FTopDown = false;
  uint32_t FCompression = kRgb;
  std::vector<TColorEntry> FPalette;
  TChannel FRed, FGreen, FBlue;

  uint32_t U32(size_t at) const {
    if (at + 4 > FSize) Invalid();
    uint32_t v;
    std::memcpy(&v, FData + at, 4);
    return v;
  }
  uint16_t U16(size_t at) const {
    if (at + 2 > FSize) Invalid();
    uint16_t v;
    std::memcpy(&v, FData + at, 2);
    return v;
  }
  size_t ReadHeader();
  void ReadUncompressed(size_t at, TBmpPixels& out) const;
  void ReadRle(size_t at, TBmpPixels& out) const;
  void PutIndex(TBmpPixels& out, int x, int y, unsigned index) const;
  unsigned char* Row(TBmpPixels& out, int y) const {
    // y counts rows as stored; bottom-up storage starts with the last row of the image.
    int row = FTopDown ? y : FHeight - 1 - y;
    return out.Bgr.data() + static_cast<size_t>(row) * FWidth * 3;
  }
};

// Returns the offset just past the header, masks and colour table.
size_t TDibDecoder::ReadHeader() {
  uint32_t headerSize = U32(0);
  size_t at;
  int paletteEntrySize;
  uint32_t colorsUsed = 0;
  if (headerSize == 12) {
    FWidth = U16(4);
    FHeight = static_cast<int16_t>(U16(6));
    FBitCount = U16(10);
    at = 12;
    paletteEntrySize = 3;
  } else if (headerSize >= 40 && headerSize <= 124) {
    FWidth = static_cast<int32_t>(U32(4));
    FHeight = static_cast<int32_t>(U32(8));
    FBitCount = U16(14);
    FCompression = U32(16);
    colorsUsed = U32(32);
    at = headerSize;
    paletteEntrySize = 4;
  } else {
    Invalid();
  }
  if (FHeight < 0) {
    FTopDown = true;
    FHeight = -FHeight;
  }
  if (FWidth <= 0 || FHeight <= 0 || static_cast<int64_t>(FWidth) * FHeight > kMaxPixels) Invalid();

  switch (FBitCount) {
    case 1: case 4: case 8: case 16: case 24: case 32: break;
    default: Invalid();
  }
  bool valid = FCompression == kRgb || (FCompression == kRle8 && FBitCount == 8) ||
               (FCompression == kRle4 && FBitCount == 4) ||
               (FCompression == kBitFields && (FBitCount == 16 || FBitCount == 32));
  if (!valid || (FTopDown && (FCompression == kRle4 || FCompression == kRle8))) Invalid();

  if (FCompression == kBitFields) {
    // A plain info header is followed by the three masks; later versions hold them inside.
    size_t masks = 40;
    FRed.SetMask(U32(masks));
    FGreen.SetMask(U32(masks + 4));
    FBlue.SetMask(U32(masks + 8));
    if (headerSize == 40) at += 12;
  } else if (FBitCount == 16) {
    FRed.SetMask(0x7C00);
    FGreen.SetMask(0x03E0);
    FBlue.SetMask(0x001F);
  } else if (FBitCount == 32) {
    FRed.SetMask(0xFF0000);
    FGreen.SetMask(0xFF00);
    FBlue.SetMask(0xFF);
  }

  if (FBitCount <= 8) {
    uint32_t count = colorsUsed ? colorsUsed : (1u << FBitCount);
    if (count > 256) Invalid();
    if (at + static_cast<size_t>(count) * paletteEntrySize > FSize) Invalid();
    FPalette.resize(count);
    for (uint32_t i = 0; i < count; ++i) {
      const unsigned char* p = FData + at + i * paletteEntrySize;
      FPalette[i] = {p[0], p[1], p[2]};
    }
    at += static_cast<size_t>(count) * paletteEntrySize;
  }
  return at;
}

void TDibDecoder::PutIndex(TBmpPixels& out, int x, int y, unsigned index) const {
  if (x < 0 || x >= FWidth || y < 0 || y >= FHeight) return;
  TColorEntry c = index < FPalette.size() ? FPalette[index] : TColorEntry{0, 0, 0};
  unsigned char* p = Row(out, y) + x * 3;
  p[0] = c.B;
  p[1] = c.G;
  p[2] = c.R;
}

void TDibDecoder::ReadUncompressed(size_t at, TBmpPixels& out) const {
  size_t stride = ((static_cast<size_t>(FWidth) * FBitCount + 31) / 32) * 4;
  if (at > FSize || stride * FHeight > FSize - at) Invalid();
  for (int y = 0; y < FHeight; ++y) {
    const unsigned char* src = FData + at + stride * y;
    unsigned char* dst = Row(out, y);
    for (int x = 0; x < FWidth; ++x, dst += 3) {
      switch (FBitCount) {
        case 1: case 4: case 8: {
          int bitPos = x * FBitCount;
          unsigned byte = src[bitPos / 8];
          unsigned index = (byte >> (8 - FBitCount - bitPos % 8)) & ((1u << FBitCount) - 1);
          TColorEntry c = index < FPalette.size() ? FPalette[index] : TColorEntry{0, 0, 0};
          dst[0] = c.B;
          dst[1] = c.G;
          dst[2] = c.R;
          break;
        }
        case 24:
          dst[0] = src[x * 3];
          dst[1] = src[x * 3 + 1];
          dst[2] = src[x * 3 + 2];
          break;
        default: {
          uint32_t v = 0;
          std::memcpy(&v, src + x * (FBitCount / 8), FBitCount / 8);
          dst[0] = FBlue.Take(v);
          dst[1] = FGreen.Take(v);
          dst[2] = FRed.Take(v);
        }
      }
    }
  }
}

void TDibDecoder::ReadRle(size_t at, TBmpPixels& out) const {
  // Pixels the runs never reach keep colour 0 of the table.
  for (int y = 0; y < FHeight; ++y)
    for (int x = 0; x < FWidth; ++x) PutIndex(out, x, y, 0);
  bool four = FCompression == kRle4;
  int x = 0, y = 0;
  auto byteAt = [&](size_t i) -> unsigned {
    if (i >= FSize) Invalid();
    return FData[i];
  };
  while (y < FHeight) {
    unsigned count = byteAt(at), value = byteAt(at + 1);
    at += 2;
    if (count > 0) {
      for (unsigned i = 0; i < count; ++i, ++x) {
        unsigned index = four ? ((i & 1) ? value & 0x0F : value >> 4) : value;
        PutIndex(out, x, y, index);
      }
    } else if (value == 0) {  // end of line
      x = 0;
      ++y;
    } else if (value == 1) {  // end of bitmap
      break;
    } else if (value == 2) {  // delta
      x += byteAt(at);
      y += byteAt(at + 1);
      at += 2;
    } else {  // absolute run of `value` pixels, padded to a 16-bit boundary
      unsigned bytes = four ? (value + 1) / 2 : value;
      for (unsigned i = 0; i < value; ++i, ++x) {
        unsigned b = byteAt(at + (four ? i / 2 : i));
        unsigned index = four ? ((i & 1) ? b & 0x0F : b >> 4) : b;
        PutIndex(out, x, y, index);
      }
      at += bytes + (bytes & 1);
    }
  }
}

TBmpPixels TDibDecoder::Decode(size_t bitsOffset) {
  size_t tableEnd = ReadHeader();
  TBmpPixels out;
  out.Width = FWidth;
  out.Height = FHeight;
  out.Bgr.assign(static_cast<size_t>(FWidth) * FHeight * 3, 0);
  size_t at = bitsOffset ? bitsOffset : tableEnd;
  if (FCompression == kRle4 || FCompression == kRle8)
    ReadRle(at, out);
  else
    ReadUncompressed(at, out);
  return out;
}

}  // namespace

TBmpPixels ReadBmpFile(const unsigned char* data, size_t size) {
  if (size < 14 + 12 || data[0] != 'B' || data[1] != 'M') Invalid();
  uint32_t bitsOffset;
  std::memcpy(&bitsOffset, data + 10, 4);
  if (bitsOffset < 14 || bitsOffset > size) Invalid();
  return TDibDecoder(data + 14, size - 14).Decode(bitsOffset - 14);
}

TBmpPixels ReadPackedDib(const unsigned char* data, size_t size) {
  return TDibDecoder(data, size).Decode(0);
}

}  // namespace fw
