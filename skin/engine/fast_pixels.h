// 24-bit pixel access and mask painting, first half: direct scan-line access to 24-bit
// bitmaps (TkFast24 reads pixels, TkFastSum24 blends one bitmap into another), the shared
// instances and colours every skin painter uses during one paint, and the blends behind the
// disabled look of a control. Pixels are blue, green, red in memory; a TColor is $00BBGGRR.
#pragma once
#include <optional>

#include "framework/core/sets.h"
#include "framework/graphics/bitmap.h"
#include "framework/graphics/geometry.h"
#include "skin/engine/skin_utils.h"

namespace fw {
class TControl;
}

namespace skin {

// Binds one 24-bit bitmap at least 2 x 2 pixels; the row stride is taken once.
class TkFast24 {
 public:
  bool Attach(fw::TBitmap* bitmap);
  // The pixel as $00BBGGRR; X and Y are not checked.
  fw::TColor Pixels(int x, int y) const {
    const unsigned char* p = Row(y) + x * 3;
    return p[2] | p[1] << 8 | p[0] << 16;
  }
  unsigned char* Row(int y) const { return Bits + y * Delta; }
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < Width && y < Height; }

  fw::TBitmap* Bitmap = nullptr;
  int Width = 0;
  int Height = 0;
  int Delta = 0;
  unsigned char* Bits = nullptr;
};

// Blends a rectangle of Src into Dst: dst := (src * (255 - Alpha) + dst * Alpha + 127) shr 8.
class TkFastSum24 {
 public:
  bool Attach(fw::TBitmap* src, fw::TBitmap* dst);
  // Blends DstRect (exclusive) from the source at SrcRect's top-left corner; the rectangle is
  // kept inside both bound bitmaps.
  void BlendBitmaps();

  fw::TBitmap* Src = nullptr;
  fw::TBitmap* Dst = nullptr;
  int Width = 0;
  int Height = 0;
  unsigned char* SrcBits = nullptr;
  unsigned char* DstBits = nullptr;
  int SrcDelta = 0;
  int DstDelta = 0;
  unsigned char Alpha = 0;
  fw::TRect DstRect;
  fw::TRect SrcRect;
};

enum TkDisabledKindItem { dkBlended, dkGrayed };
using TkDisabledKind = fw::TSet<TkDisabledKindItem>;

// The shared reader and blender: made by the skin engine's start-up (CreateFastObjects), freed
// by its shutdown (FastUnitFinalization); null outside, and then nothing is painted.
extern TkFast24* FastPixels;
extern TkFastSum24* FastBlender;
void CreateFastObjects();
void FastUnitFinalization();

// The colour transparent skin pixels take during one paint, and the parent's colour; clFuchsia
// when unset. Painters set them for one paint and put clFuchsia back.
extern fw::TColor MaskFillColor;
extern fw::TColor ParentBgColor;
inline fw::TColor& ParentFillColor = ParentBgColor;
// Sets both to one colour for a scope and puts clFuchsia back however the scope ends.
class TkMaskFillScope {
 public:
  explicit TkMaskFillScope(fw::TColor colour) { MaskFillColor = ParentBgColor = colour; }
  ~TkMaskFillScope() { MaskFillColor = ParentBgColor = fw::clFuchsia; }
  TkMaskFillScope(const TkMaskFillScope&) = delete;
  TkMaskFillScope& operator=(const TkMaskFillScope&) = delete;
};
// A background reference without a picture.
extern const TkBgRef EmptyBgRef;

// A TransColor whose top byte is $FF: no colour is transparent.
inline constexpr fw::TColor kNoTransColor = static_cast<fw::TColor>(0xFFFFFFFFu);

// Mixes Color into R (Right and Bottom inclusive): each channel becomes
// Round(c * p / 100 + colour * (100 - p) / 100), p = Percent limited to 0..100.
void BlendColorRect(fw::TBitmap* bmp, fw::TRect r, int percent, fw::TColor color);
// Blends SrcRect (inclusive) of Src onto Dst at (X, Y): d := Round(s - (s - d) * Factor).
// Source pixels equal to TransColor are skipped (see kNoTransColor).
void BlendBitmapRect(fw::TBitmap* dst, int x, int y, fw::TColor transColor, double factor, fw::TRect srcRect,
                     fw::TBitmap* src);
// Every pixel becomes (B + G + R) div 3 in each channel.
fw::TBitmap* GrayscaleBitmap(fw::TBitmap* bmp);
// The disabled look: grey for dkGrayed; for dkBlended 40 % of the image over the parent's
// picture, or an even mix with the parent's colour.
void ApplyDisabledKind(fw::TBitmap* bmp, TkDisabledKind disabledKind, fw::TControl* parent, fw::TPoint offset,
                       const TkBgRef& bgInfo);

// True when the processor has SSE2 (the painters' wide paths are chosen by it).
bool HasSse2();
namespace testing {
// Overrides the answer of HasSse2 (a test compares both paths); no value: the processor's.
std::optional<bool> SetSse2(std::optional<bool> value);
}  // namespace testing

// Cuts an inclusive source rectangle to a source of width x height: a negative Left or Top
// becomes 0 and moves the destination point (x, y) by as much.
inline void ClipInclusiveSource(fw::TRect& srcRect, int& x, int& y, int width, int height) {
  if (srcRect.Left < 0) x -= srcRect.Left, srcRect.Left = 0;
  if (srcRect.Top < 0) y -= srcRect.Top, srcRect.Top = 0;
  if (srcRect.Right > width - 1) srcRect.Right = width - 1;
  if (srcRect.Bottom > height - 1) srcRect.Bottom = height - 1;
}

// Internal helpers of the skin painters: one channel of a masked pixel, m (0..255) the weight of
// the destination (src * (256 - m) + dst * m stays below 256 * 256, so no clamp is needed), and a
// pixel written or read in a row.
inline unsigned char MaskBlend(int src, int dst, int m) { return static_cast<unsigned char>((src * 256 + (dst - src) * m) >> 8); }
// x rounded to the nearest integer, halves to the even one. x is first stored as a double, so the
// x87's wider intermediate values do not move a half.
inline int RoundHalfEven(double value) {
  volatile double stored = value;
  const double x = stored;
  int f = static_cast<int>(x);
  if (x < f) --f;
  const double d = x - f;
  return d > 0.5 || (d == 0.5 && (f & 1)) ? f + 1 : f;
}
inline fw::TColor PixelAt(const unsigned char* p) { return p[2] | p[1] << 8 | p[0] << 16; }
inline void PutPixel(unsigned char* p, fw::TColor c) {
  p[0] = static_cast<unsigned char>(c >> 16);
  p[1] = static_cast<unsigned char>(c >> 8);
  p[2] = static_cast<unsigned char>(c);
}

}  // namespace skin
