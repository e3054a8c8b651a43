#include "skin/engine/mask_paint.h"

#include <algorithm>

#include <emmintrin.h>

#include "framework/graphics/canvas.h"
#include "skin/engine/skin_manager.h"

namespace skin {

namespace {

// The transparent copy behind CopyTransparentPiece and CopyTransparentRect.
void CopyTransparent(fw::TBitmap* dst, fw::TBitmap* src, int x, int y, fw::TRect srcRect, fw::TColor transColor,
                     const TkFast24* parent, int parentX, int parentY) {
  TkFast24 s, d;
  if (!s.Attach(src) || !d.Attach(dst)) return;
  ClipInclusiveSource(srcRect, x, y, s.Width, s.Height);
  for (int row = 0; row <= srcRect.Bottom - srcRect.Top; ++row) {
    const int dy = y + row;
    if (dy < 0 || dy >= d.Height) continue;
    const unsigned char* sp = s.Row(srcRect.Top + row) + srcRect.Left * 3;
    for (int col = 0; col <= srcRect.Right - srcRect.Left; ++col, sp += 3) {
      const int dx = x + col;
      if (dx < 0 || dx >= d.Width) continue;
      const fw::TColor c = PixelAt(sp);
      if (c != transColor)
        PutPixel(d.Row(dy) + dx * 3, c);
      else if (parent && parent->Contains(parentX + col, parentY + row))
        PutPixel(d.Row(dy) + dx * 3, parent->Pixels(parentX + col, parentY + row));
    }
  }
}

// Blends count bytes from dp with a masked source row that repeats every tile bytes, starting
// offset bytes into it: dp[i] := MaskBlend(src, dp[i], mask). With SSE2, eight bytes at a time in
// 16-bit lanes: src * 256 + (dst - src) * m lies in 0..65280, so the lanes' wrapping arithmetic
// gives it exactly. The stack is realigned for the 16-byte registers.
__attribute__((target("sse2"), force_align_arg_pointer)) void BlendTiledRowSse2(unsigned char* dp,
                                                                                const unsigned char* sp,
                                                                                const unsigned char* mp, int tile,
                                                                                int offset, int count) {
  const __m128i zero = _mm_setzero_si128();
  for (int n; count > 0; dp += n, count -= n, offset = 0) {
    n = std::min(tile - offset, count);
    const unsigned char *s = sp + offset, *m = mp + offset;
    int i = 0;
    for (; i + 8 <= n; i += 8) {
      const __m128i vs = _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(s + i)), zero);
      const __m128i vd = _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(dp + i)), zero);
      const __m128i vm = _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(m + i)), zero);
      const __m128i r =
          _mm_srli_epi16(_mm_add_epi16(_mm_slli_epi16(vs, 8), _mm_mullo_epi16(_mm_sub_epi16(vd, vs), vm)), 8);
      _mm_storel_epi64(reinterpret_cast<__m128i*>(dp + i), _mm_packus_epi16(r, zero));
    }
    for (; i < n; ++i) dp[i] = MaskBlend(s[i], dp[i], m[i]);
  }
}

void BlendTiledRow(unsigned char* dp, const unsigned char* sp, const unsigned char* mp, int tile, int offset,
                   int count) {
  if (HasSse2()) {
    BlendTiledRowSse2(dp, sp, mp, tile, offset, count);
    return;
  }
  for (int i = 0; i < count; ++i, offset = offset + 1 == tile ? 0 : offset + 1)
    dp[i] = MaskBlend(sp[offset], dp[i], mp[offset]);
}

// Blends the masked tile (sx, sy, w x h, its mask maskOffset rows lower) over span, tiled from
// the span's corner, clipped to both bitmaps.
void BlendTiles(const TkFast24& d, const TkFast24& s, const fw::TRect& span, int sx, int sy, int w, int h,
                int maskOffset) {
  w = std::min(w, s.Width - sx);
  h = std::min(h, s.Height - maskOffset - sy);
  if (sx < 0 || sy < 0 || maskOffset < 0 || w <= 0 || h <= 0) return;
  const int left = std::max(span.Left, 0), right = std::min(span.Right, d.Width);
  const int top = std::max(span.Top, 0), bottom = std::min(span.Bottom, d.Height);
  if (left >= right) return;
  // The tile row of the first row; later ones follow without a division.
  const int firstColumn = (left - span.Left) % w;
  int ty = top < bottom ? (top - span.Top) % h : 0;
  for (int y = top; y < bottom; ++y, ty = ty + 1 == h ? 0 : ty + 1)
    BlendTiledRow(d.Row(y) + left * 3, s.Row(sy + ty) + sx * 3, s.Row(sy + ty + maskOffset) + sx * 3, w * 3,
                  firstColumn * 3, (right - left) * 3);
}

bool UsableMask(const TkMaskData& mask) { return mask.ImageCount >= 1 && mask.MaskType >= 0; }

fw::TRect PieceRect(int x, int y, int w, int h) { return fw::TRect(x, y, x + w, y + h); }

}  // namespace

fw::TBitmap* MaskSource(const TkMaskData& mask) {
  if (!UsableMask(mask)) return nullptr;
  if (mask.Bmp) return mask.Bmp.get();
  return mask.Manager ? mask.Manager->GetMasterBitmap() : nullptr;
}

void FitBorders(int size, int& nearWidth, int& farWidth) {
  if (size < nearWidth + farWidth) {
    const int d = (nearWidth + farWidth - size) / 2;
    nearWidth -= d;
    farWidth -= d;
    if (size % 2 != 0) farWidth -= 1;
  }
  nearWidth = std::max(nearWidth, 0);
  farWidth = std::max(farWidth, 0);
}

void ForEachTile(int x, int y, int spanW, int spanH, int tileW, int tileH,
                 const std::function<void(int x, int y, int w, int h)>& tile) {
  if (tileW <= 0 || tileH <= 0 || spanW <= 0 || spanH <= 0) return;
  for (int ty = 0; ty < spanH; ty += tileH)
    for (int tx = 0; tx < spanW; tx += tileW) tile(x + tx, y + ty, std::min(tileW, spanW - tx), std::min(tileH, spanH - ty));
}

void BltPiece(HDC to, const fw::TRect& span, HDC from, int sx, int sy, int w, int h, bool stretch) {
  if (!to || !from || w <= 0 || h <= 0 || RectWidth(span) <= 0 || RectHeight(span) <= 0) return;
  if (stretch) {
    const int oldMode = SetStretchBltMode(to, COLORONCOLOR);
    StretchBlt(to, span.Left, span.Top, RectWidth(span), RectHeight(span), from, sx, sy, w, h, SRCCOPY);
    SetStretchBltMode(to, oldMode);
  } else {
    ForEachTile(span.Left, span.Top, RectWidth(span), RectHeight(span), w, h,
                [&](int x, int y, int cw, int ch) { BitBlt(to, x, y, cw, ch, from, sx, sy, SRCCOPY); });
  }
  GdiFlush();
}

void CopyTransparentPiece(fw::TBitmap* dst, fw::TBitmap* src, int x, int y, fw::TRect srcRect, fw::TColor transColor,
                          const TkBgRef& bgInfo, bool useParent) {
  const bool parent = useParent && bgInfo.Ready && bgInfo.Bmp && FastPixels && FastPixels->Attach(bgInfo.Bmp);
  CopyTransparent(dst, src, x, y, srcRect, transColor, parent ? FastPixels : nullptr, bgInfo.X, bgInfo.Y);
}

void CopyTransparentRect(fw::TBitmap* dst, fw::TBitmap* src, int x, int y, fw::TRect srcRect, fw::TColor transColor) {
  CopyTransparent(dst, src, x, y, srcRect, transColor, nullptr, 0, 0);
}

void CopyMaskedPixels(fw::TRect dstRect, fw::TRect srcRect, fw::TBitmap* dst, fw::TBitmap* src, int maskOffset,
                      fw::TColor transColor, const TkTransRule& rule, int weightAdd) {
  TkFast24 s, d;
  if (s.Attach(src) && d.Attach(dst)) CopyMaskedPixels(dstRect, srcRect, d, s, maskOffset, transColor, rule, weightAdd);
}

void CopyMaskedPixels(fw::TRect dstRect, fw::TRect srcRect, const TkFast24& d, const TkFast24& s, int maskOffset,
                      fw::TColor transColor, const TkTransRule& rule, int weightAdd) {
  if (maskOffset < 0) return;
  int dx = dstRect.Left, dy = dstRect.Top, sx = srcRect.Left, sy = srcRect.Top;
  int w = std::min(RectWidth(dstRect), RectWidth(srcRect)), h = std::min(RectHeight(dstRect), RectHeight(srcRect));
  const int overX = std::max({0, -dx, -sx}), overY = std::max({0, -dy, -sy});
  dx += overX, sx += overX, w -= overX;
  dy += overY, sy += overY, h -= overY;
  w = std::min({w, d.Width - dx, s.Width - sx});
  h = std::min({h, d.Height - dy, s.Height - maskOffset - sy});
  for (int row = 0; row < h; ++row) {
    const unsigned char* sp = s.Row(sy + row) + sx * 3;
    const unsigned char* mp = s.Row(sy + row + maskOffset) + sx * 3;
    unsigned char* dp = d.Row(dy + row) + dx * 3;
    if (rule.Blend && weightAdd == 0) {
      BlendTiledRow(dp, sp, mp, w * 3, 0, w * 3);
      continue;
    }
    for (int col = 0; col < w; ++col, sp += 3, mp += 3, dp += 3) {
      if (!rule.Blend && PixelAt(sp) == transColor) {
        const int px = rule.X + dx + col, py = rule.Y + dy + row;
        if (rule.Parent && rule.Parent->Contains(px, py))
          PutPixel(dp, rule.Parent->Pixels(px, py));
        else if (rule.Fill)
          PutPixel(dp, rule.FillColor);
        continue;
      }
      for (int c = 0; c < 3; ++c) dp[c] = MaskBlend(sp[c], dp[c], std::min(mp[c] + weightAdd, 255));
    }
  }
}

void CopyMaskedPiece(fw::TRect dstRect, fw::TRect srcRect, fw::TBitmap* dst, const TkMaskData& mask, bool isCorner,
                     const TkBgRef& bgInfo, fw::TBitmap* src) {
  TkTransRule rule;
  if (!isCorner) {
    rule.Blend = true;
  } else if (bgInfo.Ready) {
    if (!FastPixels || !FastPixels->Attach(bgInfo.Bmp)) return;
    rule.Parent = FastPixels;
    rule.X = bgInfo.X;
    rule.Y = bgInfo.Y;
  } else {
    // Without a parent picture the corners keep $FF00FF unless a fill colour is set.
    rule.Fill = true;
    rule.FillColor = MaskFillColor;
  }
  CopyMaskedPixels(dstRect, srcRect, dst, src, RectHeight(mask.R) / 2, fw::clFuchsia, rule);
}

void CopyMasterMasked(fw::TRect dstRect, fw::TRect srcRect, fw::TBitmap* dst, const TkMaskData& mask,
                      const TkBgRef& bgInfo) {
  if (!mask.Manager) return;
  TkTransRule rule;
  if (MaskFillColor != fw::clFuchsia) {
    rule.Fill = true;
    rule.FillColor = MaskFillColor;
  } else if (bgInfo.Ready && FastPixels && FastPixels->Attach(bgInfo.Bmp)) {
    rule.Parent = FastPixels;
    rule.X = bgInfo.X;
    rule.Y = bgInfo.Y;
  }
  CopyMaskedPixels(dstRect, srcRect, dst, MaskSource(mask), RectHeight(mask.R) / 2, fw::clFuchsia, rule);
}

void CopyMaskedGlyph(fw::TRect dstRect, fw::TRect srcRect, fw::TBitmap* dst, const TkMaskData& mask, int mode,
                     fw::TColor transColor, fw::TBitmap* src) {
  if (!UsableMask(mask)) return;
  if (mask.MaskType == 0) {
    const int w = std::min(RectWidth(dstRect), RectWidth(srcRect));
    const int h = std::min(RectHeight(dstRect), RectHeight(srcRect));
    if (w <= 0 || h <= 0) return;
    CopyTransparentRect(dst, src, dstRect.Left, dstRect.Top,
                        fw::TRect(srcRect.Left, srcRect.Top, srcRect.Left + w - 1, srcRect.Top + h - 1), transColor);
    return;
  }
  CopyMaskedPixels(dstRect, srcRect, dst, src, RectHeight(mask.R) / (mask.MaskType + 1), fw::ColorToRGB(transColor),
                   TkTransRule{}, mode == 1 ? 0 : 100);
}

void DrawSkinRect(fw::TBitmap* bmp, fw::TRect r, bool filling, const TkBgRef& bgInfo, const TkMaskData& mask,
                  int state, bool updateCorners) {
  fw::TBitmap* src = MaskSource(mask);
  if (!src || !mask.Manager || !bmp || RectWidth(r) < 2 || RectHeight(r) < 2) return;
  int wl = mask.WL, wt = mask.WT, wr = mask.WR, wb = mask.WB;
  FitBorders(RectWidth(r), wl, wr);
  FitBorders(RectHeight(r), wt, wb);
  state = std::clamp(state, 0, mask.ImageCount - 1);
  const int fw = RectWidth(mask.R) / mask.ImageCount, fh = RectHeight(mask.R) / (mask.MaskType + 1);
  const int cw = std::max(0, fw - wl - wr), ch = fh - wt - wb;
  if (ch < 0) return;
  const int ox = mask.R.Left + state * fw, oy = mask.R.Top;
  const bool masked = mask.MaskType > 0;

  auto corner = [&](int dx, int dy, int sx, int sy, int w, int h) {
    if (w <= 0 || h <= 0) return;
    if (masked) {
      CopyMaskedPiece(PieceRect(dx, dy, w, h), PieceRect(sx, sy, w, h), bmp, mask, true, bgInfo, src);
    } else {
      TkBgRef moved = bgInfo;
      moved.X += dx;
      moved.Y += dy;
      CopyTransparentPiece(bmp, src, dx, dy, fw::TRect(sx, sy, sx + w - 1, sy + h - 1), fw::clFuchsia, moved,
                           updateCorners);
    }
  };
  auto area = [&](const fw::TRect& span, int sx, int sy, int w, int h) {
    if (!masked) {
      BltPiece(bmp->GetCanvas()->GetHandle(), span, src->GetCanvas()->GetHandle(), sx, sy, w, h, mask.StretchMode != 0);
      return;
    }
    // Sides and centre blend every pixel (no parent picture).
    TkFast24 s, d;
    if (s.Attach(src) && d.Attach(bmp)) BlendTiles(d, s, span, sx, sy, w, h, RectHeight(mask.R) / 2);
  };

  corner(r.Left, r.Top, ox, oy, wl, wt);
  corner(r.Right - wr, r.Top, ox + fw - wr, oy, wr, wt);
  corner(r.Left, r.Bottom - wb, ox, oy + fh - wb, wl, wb);
  corner(r.Right - wr, r.Bottom - wb, ox + fw - wr, oy + fh - wb, wr, wb);
  area(fw::TRect(r.Left, r.Top + wt, r.Left + wl, r.Bottom - wb), ox, oy + wt, wl, ch);
  area(fw::TRect(r.Left + wl, r.Top, r.Right - wr, r.Top + wt), ox + wl, oy, cw, wt);
  area(fw::TRect(r.Right - wr, r.Top + wt, r.Right, r.Bottom - wb), ox + fw - wr, oy + wt, wr, ch);
  area(fw::TRect(r.Left + wl, r.Bottom - wb, r.Right - wr, r.Bottom), ox + wl, oy + fh - wb, cw, wb);
  if (filling && (masked || mask.BorderWidth == 0))
    area(fw::TRect(r.Left + wl, r.Top + wt, r.Right - wr, r.Bottom - wb), ox + wl, oy + wt, cw, ch);
}

void DrawMaskGlyphFrame(fw::TBitmap* dst, fw::TPoint p, int state, const TkMaskData& mask, int mode) {
  // ImageCount and MaskType are tested before anything is divided by them.
  fw::TBitmap* src = MaskSource(mask);
  if (!src || !dst) return;
  const int fw = RectWidth(mask.R) / mask.ImageCount, fh = RectHeight(mask.R) / (mask.MaskType + 1);
  if (fw <= 0 || fh <= 0) return;
  const int sx = mask.R.Left + std::clamp(state, 0, mask.ImageCount - 1) * fw, sy = mask.R.Top;
  const fw::TRect dstRect = PieceRect(p.X, p.Y, fw, fh), srcRect = PieceRect(sx, sy, fw, fh);
  const fw::TRect inclusive(sx, sy, sx + fw - 1, sy + fh - 1);
  if (mask.Bmp || mask.MaskType >= 1)
    CopyMaskedGlyph(dstRect, srcRect, dst, mask, mode, fw::clFuchsia, src);
  else if (mode == 1)
    CopyTransparentPiece(dst, src, p.X, p.Y, inclusive, fw::clFuchsia, EmptyBgRef, false);
  else
    BlendBitmapRect(dst, p.X, p.Y, fw::clFuchsia, 0.5, inclusive, src);
}

}  // namespace skin
