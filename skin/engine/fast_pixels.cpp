#include "skin/engine/fast_pixels.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <utility>

#include "framework/controls/control.h"

namespace skin {

namespace {
std::unique_ptr<TkFast24> sharedPixels;
std::unique_ptr<TkFastSum24> sharedBlender;

// Row 0 and the signed distance to row 1 of a 24-bit bitmap at least 2 x 2; false otherwise.
bool RowsOf(fw::TBitmap* bitmap, unsigned char*& bits, int& delta) {
  if (!bitmap || bitmap->GetEmpty() || bitmap->GetPixelFormat() != fw::pf24bit || bitmap->GetWidth() < 2 ||
      bitmap->GetHeight() < 2)
    return false;
  bits = static_cast<unsigned char*>(bitmap->GetScanLine(0));
  delta = static_cast<int>(static_cast<unsigned char*>(bitmap->GetScanLine(1)) - bits);
  return true;
}

std::optional<bool> sse2Override;

unsigned char Channel(fw::TColor c, int shift) { return static_cast<unsigned char>(c >> shift); }
}  // namespace

TkFast24* FastPixels = nullptr;
TkFastSum24* FastBlender = nullptr;
fw::TColor MaskFillColor = fw::clFuchsia;
fw::TColor ParentBgColor = fw::clFuchsia;
const TkBgRef EmptyBgRef{};

bool HasSse2() {
  static const bool sse2 = IsProcessorFeaturePresent(PF_XMMI64_INSTRUCTIONS_AVAILABLE) != 0;
  return sse2Override.value_or(sse2);
}

std::optional<bool> testing::SetSse2(std::optional<bool> value) { return std::exchange(sse2Override, value); }

void CreateFastObjects() {
  if (!sharedPixels) sharedPixels = std::make_unique<TkFast24>();
  if (!sharedBlender) sharedBlender = std::make_unique<TkFastSum24>();
  FastPixels = sharedPixels.get();
  FastBlender = sharedBlender.get();
}

void FastUnitFinalization() {
  FastPixels = nullptr;
  FastBlender = nullptr;
  sharedPixels.reset();
  sharedBlender.reset();
}

bool TkFast24::Attach(fw::TBitmap* bitmap) {
  if (!RowsOf(bitmap, Bits, Delta)) {
    Width = 0;
    return false;
  }
  Bitmap = bitmap;
  Width = bitmap->GetWidth();
  Height = bitmap->GetHeight();
  return true;
}

bool TkFastSum24::Attach(fw::TBitmap* src, fw::TBitmap* dst) {
  unsigned char *srcBits, *dstBits;
  int srcDelta, dstDelta;
  if (!RowsOf(src, srcBits, srcDelta) || !RowsOf(dst, dstBits, dstDelta)) return false;
  Src = src;
  Dst = dst;
  Width = std::min(src->GetWidth(), dst->GetWidth());
  Height = std::min(src->GetHeight(), dst->GetHeight());
  SrcBits = srcBits;
  DstBits = dstBits;
  SrcDelta = srcDelta;
  DstDelta = dstDelta;
  return true;
}

void TkFastSum24::BlendBitmaps() {
  if (!Src || !Dst) return;
  // Both rectangles stay inside their bitmaps.
  const int left = std::max(DstRect.Left, std::max(0, DstRect.Left - SrcRect.Left));
  const int top = std::max(DstRect.Top, std::max(0, DstRect.Top - SrcRect.Top));
  const int right = std::min({DstRect.Right, Dst->GetWidth(), Src->GetWidth() - SrcRect.Left + DstRect.Left});
  const int bottom = std::min({DstRect.Bottom, Dst->GetHeight(), Src->GetHeight() - SrcRect.Top + DstRect.Top});
  if (left >= right || top >= bottom) return;
  const int a = Alpha, s = 255 - Alpha;
  for (int y = bottom - 1; y >= top; --y) {
    unsigned char* d = DstBits + y * DstDelta + left * 3;
    const unsigned char* p =
        SrcBits + (y - DstRect.Top + SrcRect.Top) * SrcDelta + (left - DstRect.Left + SrcRect.Left) * 3;
    for (int i = (right - left) * 3 - 1; i >= 0; --i) d[i] = static_cast<unsigned char>((p[i] * s + d[i] * a + 127) >> 8);
  }
}

void BlendColorRect(fw::TBitmap* bmp, fw::TRect r, int percent, fw::TColor color) {
  TkFast24 pixels;
  if (!pixels.Attach(bmp)) return;
  r.Left = std::max(r.Left, 0);
  r.Top = std::max(r.Top, 0);
  r.Right = std::min(r.Right, pixels.Width - 1);
  r.Bottom = std::min(r.Bottom, pixels.Height - 1);
  if (r.Left > r.Right || r.Top > r.Bottom) return;
  const int p = std::clamp(percent, 0, 100);
  const fw::TColor rgb = fw::ColorToRGB(color);
  // One table per channel (blue, green, red in pixel order); (c * p + mix * (100 - p)) / 100 is
  // rounded exactly, halves to even.
  unsigned char table[3][256];
  for (int ch = 0; ch < 3; ++ch) {
    const int mix = Channel(rgb, 16 - ch * 8);
    for (int c = 0; c < 256; ++c) {
      const int v = c * p + mix * (100 - p), q = v / 100, rest = v % 100;
      table[ch][c] = static_cast<unsigned char>(rest > 50 || (rest == 50 && (q & 1)) ? q + 1 : q);
    }
  }
  for (int y = r.Top; y <= r.Bottom; ++y) {
    unsigned char* p = pixels.Row(y) + r.Left * 3;
    for (int x = r.Left; x <= r.Right; ++x, p += 3) {
      p[0] = table[0][p[0]];
      p[1] = table[1][p[1]];
      p[2] = table[2][p[2]];
    }
  }
}

void BlendBitmapRect(fw::TBitmap* dst, int x, int y, fw::TColor transColor, double factor, fw::TRect srcRect,
                     fw::TBitmap* src) {
  TkFast24 s, d;
  if (!s.Attach(src) || !d.Attach(dst)) return;
  ClipInclusiveSource(srcRect, x, y, s.Width, s.Height);
  const bool skipTrans = (static_cast<unsigned>(transColor) >> 24) < 0xFF;
  for (int sy = srcRect.Top; sy <= srcRect.Bottom; ++sy) {
    const int dy = y + sy - srcRect.Top;
    if (dy >= d.Height) break;
    if (dy < 0) continue;
    for (int sx = srcRect.Left; sx <= srcRect.Right; ++sx) {
      const int dx = x + sx - srcRect.Left;
      if (dx >= d.Width) break;
      if (dx < 0) continue;
      const unsigned char* sp = s.Row(sy) + sx * 3;
      if (skipTrans && PixelAt(sp) == transColor) continue;
      unsigned char* dp = d.Row(dy) + dx * 3;
      for (int c = 0; c < 3; ++c)
        dp[c] = static_cast<unsigned char>(ClampToByte(RoundHalfEven(sp[c] - (sp[c] - dp[c]) * factor)));
    }
  }
}

fw::TBitmap* GrayscaleBitmap(fw::TBitmap* bmp) {
  TkFast24 pixels;
  if (!pixels.Attach(bmp)) return bmp;
  for (int y = 0; y < pixels.Height; ++y) {
    unsigned char* p = pixels.Row(y);
    for (int x = 0; x < pixels.Width; ++x, p += 3) p[0] = p[1] = p[2] = static_cast<unsigned char>((p[0] + p[1] + p[2]) / 3);
  }
  return bmp;
}

void ApplyDisabledKind(fw::TBitmap* bmp, TkDisabledKind disabledKind, fw::TControl* parent, fw::TPoint offset,
                       const TkBgRef& bgInfo) {
  if (!bmp || bmp->GetEmpty()) return;
  if (disabledKind.Contains(dkGrayed)) GrayscaleBitmap(bmp);
  if (!disabledKind.Contains(dkBlended)) return;
  fw::TRect r(0, 0, bmp->GetWidth(), bmp->GetHeight());
  if (bgInfo.Ready && bgInfo.Bmp) {
    const int dx = bgInfo.X + offset.X, dy = bgInfo.Y + offset.Y;
    r = fw::TRect(r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy);
    BlendBitmapRect(bmp, 0, 0, kNoTransColor, 0.4, r, bgInfo.Bmp);
    return;
  }
  fw::TColor color = ParentBgColor;
  if (color == fw::clFuchsia) {
    if (!parent) return;
    color = fw::ColorToRGB(parent->GetColor());
  }
  BlendColorRect(bmp, r, 50, color);
}

}  // namespace skin
