#include "skin/controls/button_glyphs.h"

#include "framework/controls/control.h"
#include "framework/graphics/image_list.h"
#include "skin/engine/glyphs_text.h"

namespace skin {

namespace {

fw::TColor CornerColour(fw::TBitmap* bmp, bool bottom) {
  GdiFlush();
  return static_cast<fw::TColor>(GetPixel(bmp->GetCanvas()->GetHandle(), 0, bottom ? bmp->GetHeight() - 1 : 0));
}

// Copies Src onto Dst at (x, y), its TransColor pixels left out, Factor of Dst kept (0: none).
void PutGlyph(fw::TBitmap* dst, fw::TBitmap* src, int x, int y, fw::TColor transColor, double factor) {
  if (factor > 0)
    BlendBitmapRect(dst, x, y, transColor, factor, fw::TRect(0, 0, src->GetWidth() - 1, src->GetHeight() - 1), src);
  else
    CopyTransparentPixels(dst, src, x, transColor, y);
}

void DrawGlyph(const TkGlyphSource& s, fw::TBitmap* dst, const fw::TRect& at, bool keepBottomCorner) {
  if (!dst) return;
  if (s.BitmapMode()) {
    TkDisabledKind kind;
    if (s.DisabledGlyphKind.Contains(dgBlended)) kind += dkBlended;
    if (s.DisabledGlyphKind.Contains(dgGrayed)) kind += dkGrayed;
    DrawGlyphBitmap(s.Glyph, dst, at.TopLeft(), s.Blend, s.Hot, kind, s.Grayed, s.Enabled, s.NumGlyphs);
    return;
  }
  if (!s.Images || s.ImageIndex < 0 || s.ImageIndex >= ImagesCount(s.Images)) return;
  fw::TBitmap image;
  CopyImageListImage(&image, s.Images, s.ImageIndex);
  if (image.GetEmpty()) return;
  const bool grey = s.Enabled ? !s.Hot && s.Grayed : s.DisabledGlyphKind.Contains(dgGrayed);
  if (grey) GrayscaleBitmapTransparent(&image, CornerColour(&image, keepBottomCorner));
  double factor = 0;
  if (!s.Enabled)
    factor = s.DisabledGlyphKind.Contains(dgBlended) ? 0.5 : 0;
  else if (!s.Hot && s.Blend > 0)
    factor = s.Blend / 100.0;
  PutGlyph(dst, &image, at.Left, at.Top, ListBackground(s.Images), factor);
}

}  // namespace

int ImagesCount(fw::TCustomImageList* list) { return list ? list->GetCount() : 0; }

fw::TColor ListBackground(const fw::TCustomImageList* list) {
  return !list || list->GetBkColor() == fw::clNone ? fw::clFuchsia : list->GetBkColor();
}

bool TkGlyphSource::BitmapMode() const { return Glyph && Glyph->GetWidth() > 0; }

fw::TSize TkGlyphSource::Size() const {
  if (BitmapMode()) return fw::TSize{Glyph->GetWidth() / (NumGlyphs > 0 ? NumGlyphs : 1), Glyph->GetHeight()};
  if (Images && ImageIndex >= 0) return fw::TSize{Images->GetWidth(), Images->GetHeight()};
  return fw::TSize{0, 0};
}

fw::TRect GlyphRect(const TkGlyphLayout& l) {
  const int gw = l.Glyph.cx, gh = l.Glyph.cy, tw = l.Text.cx, th = l.Text.cy, w = l.Width, h = l.Height;
  const int mo = l.Margin >= 0 ? l.Margin + 3 : 0;
  const int sp = l.Spaced && gw > 0 ? l.Spacing : 0;
  const int x0 = (w - gw - sp - tw) / 2 - mo, y0 = (h - gh - sp - th) / 2 - mo;
  int x = 0, y = 0;
  switch (l.Layout) {
    case fw::blGlyphLeft:
      x = l.Alignment == fw::taLeftJustify ? mo : l.Alignment == fw::taRightJustify ? mo + 2 * x0 : mo + x0;
      y = (h - gh) / 2;
      break;
    case fw::blGlyphRight:
      x = l.Alignment == fw::taLeftJustify    ? w - mo - 2 * x0 - sp - gw
          : l.Alignment == fw::taRightJustify ? w - gw - mo
                                              : (w - gw + sp + tw) / 2;
      y = (h - gh) / 2;
      break;
    case fw::blGlyphTop:
      x = (w - gw) / 2 + 1;
      y = mo + y0;
      break;
    case fw::blGlyphBottom:
      x = (w - gw) / 2 + 1;
      y = h - mo - y0 - gh;
      break;
  }
  if (l.Down) ++x, ++y;
  return fw::TRect(x, y, x + gw, y + gh);
}

void DrawBitBtnGlyph(const TkGlyphSource& source, fw::TBitmap* dst, const fw::TRect& at) {
  DrawGlyph(source, dst, at, false);
}

void DrawSpeedButtonGlyph(const TkGlyphSource& source, fw::TBitmap* dst, const fw::TRect& at) {
  DrawGlyph(source, dst, at, true);
}

int CopyListImageToGlyph(fw::TControl* control, int index, int numGlyphs, TkDisabledGlyphKind disabledGlyphKind,
                         fw::TBitmap* glyph, fw::TCustomImageList* images) {
  if (!glyph || !images || index < 0 || index >= ImagesCount(images)) return numGlyphs;
  if (control && control->GetComponentState().Contains(fw::csLoading) &&
      control->GetComponentState().Contains(fw::csDesigning))
    return numGlyphs;
  fw::TBitmap image;
  CopyImageListImage(&image, images, index);
  const int w = image.GetWidth(), h = image.GetHeight();
  if (w <= 0 || h <= 0) return numGlyphs;
  const fw::TColor trans = ListBackground(images);
  auto strip = CreateBitmap24(2 * w, h);
  HDC dc = strip->GetCanvas()->GetHandle();
  BitBlt(dc, 0, 0, w, h, image.GetCanvas()->GetHandle(), 0, 0, SRCCOPY);
  if (disabledGlyphKind.Empty()) {
    BitBlt(dc, w, 0, w, h, image.GetCanvas()->GetHandle(), 0, 0, SRCCOPY);
  } else {
    if (disabledGlyphKind.Contains(dgGrayed)) GrayscaleBitmapTransparent(&image, trans);
    FillDCRect(dc, fw::TRect(w, 0, 2 * w, h), fw::ColorToRGB(fw::clBtnFace));
    GdiFlush();
    const bool blended = disabledGlyphKind.Contains(dgBlended);
    PutGlyph(strip.get(), &image, w, 0, trans, blended ? 0.5 : 0);
    if (!blended) SetPixel(dc, w, h - 1, fw::clFuchsia);
  }
  GdiFlush();
  const fw::TPixelFormat format = glyph->GetPixelFormat();
  glyph->Assign(strip.get());
  glyph->SetPixelFormat(format);
  if (!disabledGlyphKind.Empty()) glyph->SetTransparentColor(trans);
  return 2;
}

TkToolGlyph PlaceToolButtonGlyph(fw::TCustomImageList* images, fw::TCustomImageList* hotImages, int imageIndex,
                                 bool hot, bool list, fw::TSize button, bool dropDown, int letterHeight, bool pressed) {
  TkToolGlyph g;
  g.Images = hot && ImagesCount(hotImages) > imageIndex ? hotImages : images;
  if (!g.Images) return g;
  const int lw = g.Images->GetWidth(), lh = g.Images->GetHeight();
  if (list)
    g.At = fw::TPoint(5, (button.cy - lh) / 2);
  else
    g.At = fw::TPoint((button.cx - lw) / 2 + 1 - (dropDown ? 8 : 0),
                      (button.cy - lh - (letterHeight > 0 ? letterHeight + 3 : 0)) / 2);
  if (pressed) g.At.X += 1, g.At.Y += 1;
  return g;
}

void DrawToolButtonGlyph(const TkToolGlyph& glyph, int index, fw::TBitmap* dst) {
  if (!dst || !glyph.Images || index < 0 || index >= ImagesCount(glyph.Images)) return;
  fw::TBitmap image;
  CopyImageListImage(&image, glyph.Images, index);
  if (!image.GetEmpty()) CopyTransparentPixels(dst, &image, glyph.At.X, ListBackground(glyph.Images), glyph.At.Y);
}

}  // namespace skin
