#include "skin/engine/glyphs_text.h"

#include <algorithm>
#include <cmath>

#include "framework/graphics/image_list.h"
#include "framework/rtl/wide_text.h"
#include "framework/stdctrls/text_painter.h"
#include "skin/engine/mask_paint.h"
#include "skin/engine/skin_manager.h"

namespace skin {

namespace {

void DrawColoured(HDC dc, const std::string& text, fw::TRect r, unsigned flags, fw::TColor color) {
  SetTextColor(dc, static_cast<COLORREF>(fw::ColorToRGB(color)));
  RECT rect = r;
  fw::DrawTextUtf8(dc, text, rect, flags);
}

TkHeldDisabledText* HeldText = nullptr;

// The steps WriteTextColored and WriteTextPlain share. colours: the main colour, then the left,
// top, right and bottom contour colours (-1 none); null for one pass in the canvas font's colour.
// letters: the colour of disabled letters a holder of the canvas keeps (-1: none are kept).
void WriteText(fw::TCanvas* canvas, const std::string& text, bool enabled, const int* colours, unsigned flags,
               fw::TRect& r, fw::TColor letters = -1) {
  if (!canvas) return;
  HDC dc = canvas->GetHandle();
  if (!dc) return;
  const fw::TRect clip = r;
  // Measured before the DC is saved, so that the canvas's font is the one restored.
  const fw::TSize size = canvas->TextExtent(text);
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, r.Left, r.Top, r.Right, r.Bottom);
  // The text goes where it is fitted; the caller gets that rectangle grown by the contours' pixel
  // on every side (drawn in the grown one, a left or right aligned text would lose its first or
  // last column to the clipping).
  fw::TRect at = r;
  if (!(flags & DT_WORDBREAK)) {
    const int top = r.Top + (RectHeight(r) - size.cy) / 2;
    if (flags & DT_CENTER) {
      const int left = r.Left + (RectWidth(r) - size.cx) / 2;
      at = fw::TRect(left, top, left + size.cx, top + size.cy);
    } else if (flags & DT_RIGHT) {
      at = fw::TRect(r.Right - size.cx, top, r.Right, top + size.cy);
    } else {
      at = fw::TRect(r.Left, top, r.Left + size.cx, top + size.cy);
    }
    r = fw::TRect(at.Left - 1, at.Top - 1, at.Right + 1, at.Bottom + 1);
  }
  SetBkMode(dc, TRANSPARENT);
  if (!text.empty()) {
    TkHeldDisabledText* holder = enabled || letters == -1 ? nullptr : TkHeldDisabledText::Of(canvas);
    if (holder) {
      // Written once, over the finished look: a light copy under them would show beside them.
      holder->Keep(dc, text, clip, at, flags, letters);
    } else if (!enabled) {
      DrawColoured(dc, text, fw::TRect(at.Left + 1, at.Top + 1, at.Right + 1, at.Bottom + 1), flags, fw::clBtnHighlight);
      DrawColoured(dc, text, at, flags, fw::clBtnShadow);
    } else if (!colours) {
      DrawColoured(dc, text, at, flags | DT_NOCLIP, canvas->GetFont()->GetColor());
    } else {
      static constexpr int kShift[4][2] = {{-1, 0}, {0, -1}, {1, 0}, {0, 1}};
      for (int side = 0; side < 4; ++side) {
        if (colours[side + 1] == -1) continue;
        const int dx = kShift[side][0], dy = kShift[side][1];
        DrawColoured(dc, text, fw::TRect(at.Left + dx, at.Top + dy, at.Right + dx, at.Bottom + dy), flags | DT_NOCLIP,
                     colours[side + 1]);
      }
      DrawColoured(dc, text, at, flags | DT_NOCLIP, colours[0]);
    }
  }
  RestoreDC(dc, saved);
}

// Removes the last UTF-8 character of s.
void PopCharacter(std::string& s) {
  while (!s.empty() && (static_cast<unsigned char>(s.back()) & 0xC0) == 0x80) s.pop_back();
  if (!s.empty()) s.pop_back();
}

std::unique_ptr<fw::TBitmap> Copy24(fw::TBitmap* source) {
  auto copy = CreateBitmap24(source->GetWidth(), source->GetHeight());
  BitBlt(copy->GetCanvas()->GetHandle(), 0, 0, source->GetWidth(), source->GetHeight(),
         source->GetCanvas()->GetHandle(), 0, 0, SRCCOPY);
  GdiFlush();
  return copy;
}

}  // namespace

void WriteTextColored(fw::TCanvas* canvas, const std::string& text, bool enabled, TkSkinManager* manager, bool hot,
                      int skinIndex, unsigned flags, fw::TRect& r) {
  if (!manager) manager = DefaultManager();
  const int* colours = nullptr;
  fw::TColor letters = -1;
  if (manager && manager->IsValidSkinIndex(skinIndex)) {
    const TkGeneralData& section = manager->GetSections()[skinIndex];
    colours = hot ? section.HotFontColor : section.FontColor;
    letters = AverageColors(fw::ColorToRGB(colours[0]), fw::ColorToRGB(hot ? section.HotColor : section.Color));
  }
  WriteText(canvas, text, enabled, colours, flags, r, letters);
}

void WriteTextPlain(fw::TCanvas* canvas, const std::string& text, bool enabled, unsigned flags, fw::TRect& r) {
  WriteText(canvas, text, enabled, nullptr, flags, r);
}

TkHeldDisabledText::TkHeldDisabledText(fw::TCanvas* canvas) : FCanvas(canvas), FOuter(HeldText) {
  if (FCanvas) HeldText = this;
}

TkHeldDisabledText::~TkHeldDisabledText() {
  if (FCanvas) HeldText = FOuter;
}

TkHeldDisabledText* TkHeldDisabledText::Of(const fw::TCanvas* canvas) {
  TkHeldDisabledText* holder = HeldText;
  while (holder && holder->FCanvas != canvas) holder = holder->FOuter;
  return holder;
}

void TkHeldDisabledText::Keep(HDC dc, const std::string& text, const fw::TRect& clip, const fw::TRect& at,
                              unsigned flags, fw::TColor color) {
  Letters letters{text, clip, at, flags, color, {}};
  if (GetObjectW(GetCurrentObject(dc, OBJ_FONT), sizeof(LOGFONTW), &letters.Font) != sizeof(LOGFONTW)) return;
  FLetters.push_back(std::move(letters));
}

void TkHeldDisabledText::Write() {
  if (FLetters.empty()) return;
  HDC dc = FCanvas ? FCanvas->GetHandle() : nullptr;
  if (dc) {
    for (const Letters& letters : FLetters) {
      HFONT font = CreateFontIndirectW(&letters.Font);
      const int saved = SaveDC(dc);
      SelectObject(dc, font);
      IntersectClipRect(dc, letters.Clip.Left, letters.Clip.Top, letters.Clip.Right, letters.Clip.Bottom);
      SetBkMode(dc, TRANSPARENT);
      DrawColoured(dc, letters.Text, letters.At, letters.Flags, letters.Color);
      RestoreDC(dc, saved);
      DeleteObject(font);
    }
    GdiFlush();
  }
  FLetters.clear();
}

void CutTextToWidth(fw::TCanvas* canvas, const std::string& text, int width, std::string& result) {
  result.clear();
  if (!canvas || width < 1) return;
  result = text;
  if (canvas->TextWidth(text) <= width) return;
  while (!result.empty() && canvas->TextWidth(result + "...") > width) PopCharacter(result);
  if (!result.empty()) result += "...";
}

fw::TSize TextExtentOfFont(HFONT font, const std::string& text) {
  fw::TSize size{0, 0};
  HDC dc = GetDC(nullptr);
  if (!dc) return size;
  HGDIOBJ old = SelectObject(dc, font);
  const std::wstring wide = fw::ShownWide(text);
  if (!old || !GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size)) size = fw::TSize{0, 0};
  if (old) SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return size;
}

void DrawGlyphBitmap(fw::TBitmap* glyph, fw::TBitmap* dst, fw::TPoint p, int blendPercent, bool hot,
                     TkDisabledKind disabledKind, bool grayed, bool enabled, int numGlyphs) {
  if (!glyph || glyph->GetEmpty() || glyph->GetWidth() < 1 || glyph->GetHeight() < 1 || !dst) return;
  std::unique_ptr<fw::TBitmap> work = Copy24(glyph);
  TkFast24 pixels;
  if (!pixels.Attach(work.get())) return;
  const fw::TColor trans = pixels.Pixels(0, pixels.Height - 1);
  const int h = work->GetHeight();
  if (numGlyphs == 2) {
    const int fw = work->GetWidth() / 2;
    if (fw < 1) return;
    if (enabled && !hot && blendPercent >= 1)
      BlendBitmapRect(dst, p.X, p.Y, trans, blendPercent / 100.0, fw::TRect(0, 0, fw - 1, h - 1), work.get());
    else
      CopyTransparentPiece(dst, work.get(), p.X, p.Y, fw::TRect(enabled ? 0 : fw, 0, (enabled ? fw : 2 * fw) - 1, h - 1),
                           trans, EmptyBgRef, false);
    return;
  }
  double factor = 0;
  if (enabled) {
    if (!hot && grayed) GrayscaleBitmapTransparent(work.get(), trans);
    if (!hot && blendPercent >= 1) factor = blendPercent / 100.0;
  } else {
    if (disabledKind.Contains(dkGrayed)) GrayscaleBitmapTransparent(work.get(), trans);
    if (disabledKind.Contains(dkBlended)) factor = 0.5;
  }
  if (factor > 0)
    BlendBitmapRect(dst, p.X, p.Y, trans, factor, fw::TRect(0, 0, work->GetWidth() - 1, h - 1), work.get());
  else
    CopyTransparentPixels(dst, work.get(), p.X, trans, p.Y);
}

void PaintSkinGlyph(fw::TRect dstRect, fw::TRect srcRect, fw::TBitmap* dst, bool useParent, const TkBgRef& bgInfo,
                    fw::TBitmap* src) {
  if (!src) return;
  TkTransRule rule;
  if (useParent && bgInfo.Ready && FastPixels && FastPixels->Attach(bgInfo.Bmp)) {
    rule.Parent = FastPixels;
    rule.X = bgInfo.X;
    rule.Y = bgInfo.Y;
  }
  CopyMaskedPixels(dstRect, srcRect, dst, src, src->GetHeight() / 2, fw::clFuchsia, rule);
}

void PaintShapeGlyph(fw::TBitmap* bmp, fw::TRect r, int transparency, int depth, int radius, fw::TColor color) {
  TkFast24 target;
  if (!target.Attach(bmp)) return;
  r = fw::TRect(std::max(r.Left, 0), std::max(r.Top, 0), std::min(r.Right, target.Width), std::min(r.Bottom, target.Height));
  const int w = RectWidth(r), h = RectHeight(r);
  if (w < 2 || h < 2) return;
  depth = std::clamp(depth, 0, std::min(w, h) / 2);
  radius = std::clamp(radius, 0, std::min(w, h) / 2);
  // The mask: white outside, rings growing darker inwards down to the base level.
  const int base = std::clamp(transparency, 0, 100) * 255 / 100;
  auto mask = CreateBitmap24(w, h);
  HDC dc = mask->GetCanvas()->GetHandle();
  const int saved = SaveDC(dc);
  FillDCRect(dc, fw::TRect(0, 0, w, h), fw::clWhite);
  SelectObject(dc, GetStockObject(NULL_PEN));
  for (int i = 0; i <= depth; ++i) {
    const int level = 255 - (255 - base) * (i + 1) / (depth + 1);
    HBRUSH brush = CreateSolidBrush(RGB(level, level, level));
    HGDIOBJ old = SelectObject(dc, brush);
    // A null pen leaves the right and bottom edge out: the shape spans the whole rectangle.
    RoundRect(dc, i, i, w - i + 1, h - i + 1, radius * 2, radius * 2);
    SelectObject(dc, old);
    DeleteObject(brush);
  }
  RestoreDC(dc, saved);
  GdiFlush();
  TkFast24 m;
  if (!m.Attach(mask.get())) return;
  const fw::TColor rgb = fw::ColorToRGB(color);
  const int tint[3] = {rgb >> 16 & 0xFF, rgb >> 8 & 0xFF, rgb & 0xFF};
  for (int y = 0; y < h; ++y) {
    unsigned char* p = target.Row(r.Top + y) + r.Left * 3;
    const unsigned char* q = m.Row(y);
    for (int x = 0; x < w * 3; ++x) p[x] = static_cast<unsigned char>((p[x] * q[x] + tint[x % 3] * (255 - q[x]) + 127) / 255);
  }
}

void CopyImageListImage(fw::TBitmap* bmp, fw::TCustomImageList* imageList, int index) {
  if (!bmp || !imageList) return;
  bmp->SetPixelFormat(fw::pf24bit);
  bmp->SetSize(imageList->GetWidth(), imageList->GetHeight());
  if (bmp->GetEmpty()) return;
  const fw::TColor bk = imageList->GetBkColor() == fw::clNone ? fw::clFuchsia : imageList->GetBkColor();
  FillDCRect(bmp->GetCanvas()->GetHandle(), fw::TRect(0, 0, bmp->GetWidth(), bmp->GetHeight()), bk);
  imageList->Draw(bmp->GetCanvas(), 0, 0, index);
  GdiFlush();
}

void CopyTransparentPixels(fw::TBitmap* dst, fw::TBitmap* src, int x, fw::TColor transColor, int y) {
  if (!src) return;
  CopyTransparentRect(dst, src, x, y, fw::TRect(0, 0, src->GetWidth() - 1, src->GetHeight() - 1), transColor);
}

void GrayscaleBitmapTransparent(fw::TBitmap* bmp, fw::TColor transColor) {
  TkFast24 pixels;
  if (!pixels.Attach(bmp)) return;
  for (int y = 0; y < pixels.Height; ++y) {
    unsigned char* p = pixels.Row(y);
    for (int x = 0; x < pixels.Width; ++x, p += 3)
      if (PixelAt(p) != transColor) p[0] = p[1] = p[2] = static_cast<unsigned char>((p[0] + p[1] + p[2]) / 3);
  }
}

void BlendBitmapsPercent(fw::TBitmap* dst, fw::TBitmap* src, unsigned char alpha) {
  if (!dst || !src || !FastBlender || dst->GetWidth() != src->GetWidth() || dst->GetHeight() != src->GetHeight() ||
      !FastBlender->Attach(src, dst))
    return;
  FastBlender->Alpha = alpha;
  FastBlender->DstRect = fw::TRect(0, 0, dst->GetWidth(), dst->GetHeight());
  FastBlender->SrcRect = FastBlender->DstRect;
  FastBlender->BlendBitmaps();
}

void BlendBitmapsRect(fw::TBitmap* dst, fw::TBitmap* src, unsigned char alpha, fw::TPoint p, fw::TRect srcRect) {
  if (!FastBlender || !FastBlender->Attach(src, dst)) return;
  // A negative point or source origin moves both by the overshoot.
  const int overX = std::max({0, -p.X, -srcRect.Left}), overY = std::max({0, -p.Y, -srcRect.Top});
  p.X += overX, srcRect.Left += overX;
  p.Y += overY, srcRect.Top += overY;
  const int w = std::min({srcRect.Right, src->GetWidth()}) - srcRect.Left;
  const int h = std::min({srcRect.Bottom, src->GetHeight()}) - srcRect.Top;
  const int cw = std::min(w, dst->GetWidth() - p.X), ch = std::min(h, dst->GetHeight() - p.Y);
  if (cw <= 0 || ch <= 0) return;
  FastBlender->Alpha = alpha;
  FastBlender->DstRect = fw::TRect(p.X, p.Y, p.X + cw, p.Y + ch);
  FastBlender->SrcRect = fw::TRect(srcRect.Left, srcRect.Top, srcRect.Left + cw, srcRect.Top + ch);
  FastBlender->BlendBitmaps();
}

std::unique_ptr<fw::TBitmap> CreateBitmap24(int width, int height) {
  auto bitmap = std::make_unique<fw::TBitmap>();
  bitmap->SetPixelFormat(fw::pf24bit);
  bitmap->SetSize(std::max(width, 0), std::max(height, 0));
  return bitmap;
}

std::unique_ptr<fw::TBitmap> CreateBitmap24As(const fw::TGraphic* graphic) {
  return graphic ? CreateBitmap24(graphic->GetWidth(), graphic->GetHeight()) : CreateBitmap24(0, 0);
}

void FillDCRect(HDC dc, const fw::TRect& r, fw::TColor color) {
  const int saved = SaveDC(dc);
  HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(fw::ColorToRGB(color)));
  FillRect(dc, fw::AsRECT(r), brush);
  DeleteObject(brush);
  RestoreDC(dc, saved);
}

fw::TColor AverageColors(fw::TColor c1, fw::TColor c2) {
  fw::TColor result = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const int a = c1 >> shift & 0xFF, b = c2 >> shift & 0xFF;
    result |= (((a - b) * 127 + (b << 8)) >> 8 & 0xFF) << shift;
  }
  return result;
}

fw::TColor MixColorsByFactor(fw::TColor c1, fw::TColor c2, double factor) {
  fw::TColor result = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const int a = c1 >> shift & 0xFF, b = c2 >> shift & 0xFF;
    result |= ClampToByte(RoundHalfEven((a - b) * factor + b)) << shift;
  }
  return result;
}

void DrawBevelLines(HDC dc, fw::TRect& r, int width, fw::TColor lightColor, fw::TColor darkColor) {
  HPEN light = CreatePen(PS_SOLID, 1, static_cast<COLORREF>(fw::ColorToRGB(lightColor)));
  HPEN dark = CreatePen(PS_SOLID, 1, static_cast<COLORREF>(fw::ColorToRGB(darkColor)));
  HGDIOBJ oldPen = SelectObject(dc, light);
  HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  r.Right -= 1;
  r.Bottom -= 1;
  for (int i = 0; i < width; ++i) {
    const POINT lit[3] = {{r.Left, r.Bottom}, {r.Left, r.Top}, {r.Right, r.Top}};
    const POINT shade[3] = {{r.Right, r.Top}, {r.Right, r.Bottom}, {r.Left - 1, r.Bottom}};
    SelectObject(dc, light);
    Polyline(dc, lit, 3);
    SelectObject(dc, dark);
    Polyline(dc, shade, 3);
    r = fw::TRect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
  }
  r.Right += 1;
  r.Bottom += 1;
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  DeleteObject(light);
  DeleteObject(dark);
}

void DrawFocusDots(fw::TCanvas* canvas, const fw::TRect& r) {
  if (!canvas) return;
  for (int i = 0; i <= RectWidth(r) / 3; ++i) {
    const int x = r.Left + 3 * i;
    canvas->SetPixels(x, r.Top, fw::clBlack);
    canvas->SetPixels(x, r.Bottom, fw::clBlack);
    canvas->SetPixels(x - 1, r.Top - 1, fw::clWhite);
    canvas->SetPixels(x - 1, r.Bottom - 1, fw::clWhite);
  }
  for (int j = 0; j <= RectHeight(r) / 3; ++j) {
    const int y = r.Top + 3 * j;
    canvas->SetPixels(r.Left, y, fw::clBlack);
    canvas->SetPixels(r.Right, y, fw::clBlack);
    canvas->SetPixels(r.Left - 1, y - 1, fw::clWhite);
    canvas->SetPixels(r.Right - 1, y - 1, fw::clWhite);
  }
}

}  // namespace skin
