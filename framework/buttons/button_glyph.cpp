#include "framework/buttons/button_glyph.h"

#include "framework/graphics/canvas.h"
#include "framework/stdctrls/text_painter.h"

namespace fw {

TButtonGlyph::TButtonGlyph() : FGlyph(std::make_unique<TBitmap>()) {
  FGlyph->OnChange = [this](TObject* sender) {
    if (OnChange) OnChange(sender);
  };
}

TButtonGlyph::~TButtonGlyph() { FGlyph->OnChange = nullptr; }

void TButtonGlyph::SetGlyph(const TBitmap* glyph) {
  FGlyph->Assign(glyph);
  // A strip of square frames tells its own frame count.
  if (glyph && !FGlyph->GetEmpty() && FGlyph->GetHeight() > 0 && FGlyph->GetWidth() % FGlyph->GetHeight() == 0) {
    int frames = FGlyph->GetWidth() / FGlyph->GetHeight();
    if (frames >= 1 && frames <= 4) FNumGlyphs = frames;
  }
  if (OnChange) OnChange(nullptr);
}

void TButtonGlyph::SetNumGlyphs(int v) {
  if (v < 1) v = 1;
  if (v > 4) v = 4;
  FNumGlyphs = v;
}

SIZE TButtonGlyph::GlyphSize() const {
  if (FImages && FImageIndex >= 0 && FImageIndex < FImages->GetCount())
    return SIZE{FImages->GetWidth(), FImages->GetHeight()};
  if (FGlyph->GetEmpty()) return SIZE{0, 0};
  return SIZE{FGlyph->GetWidth() / FNumGlyphs, FGlyph->GetHeight()};
}

void TButtonGlyph::CalcLayout(HDC dc, const TRect& client, const std::string& caption, TButtonLayout layout,
                              int margin, int spacing, TPoint& glyphPos, TRect& textRect) const {
  SIZE glyph = GlyphSize();
  RECT calc{0, 0, client.Width(), 0};
  SIZE text{0, 0};
  if (!caption.empty()) {
    DrawTextUtf8(dc, caption, calc, DT_CALCRECT | DT_SINGLELINE);
    text = SIZE{calc.right - calc.left, calc.bottom - calc.top};
  }
  bool horizontal = layout == blGlyphLeft || layout == blGlyphRight;
  int extent = horizontal ? client.Width() : client.Height();
  int glyphLen = horizontal ? glyph.cx : glyph.cy;
  int textLen = horizontal ? text.cx : text.cy;
  if (glyphLen == 0 || textLen == 0) spacing = 0;
  if (margin == -1) {
    if (spacing == -1) {
      int total = glyphLen + textLen;
      margin = (extent - total) / 3;
      spacing = margin;
    } else {
      int total = glyphLen + spacing + textLen;
      margin = (extent - total) / 2;
    }
  } else if (spacing == -1) {
    int total = extent - (margin + glyphLen);
    spacing = (total - textLen) / 2;
  }
  int glyphAt, textAt;
  if (layout == blGlyphLeft || layout == blGlyphTop) {
    glyphAt = margin;
    textAt = margin + glyphLen + spacing;
  } else {
    glyphAt = extent - margin - glyphLen;
    textAt = glyphAt - spacing - textLen;
  }
  if (horizontal) {
    glyphPos = TPoint(client.Left + glyphAt, client.Top + (client.Height() - glyph.cy + 1) / 2);
    int top = client.Top + (client.Height() - text.cy + 1) / 2;
    textRect = Bounds(client.Left + textAt, top, text.cx, text.cy);
  } else {
    glyphPos = TPoint(client.Left + (client.Width() - glyph.cx + 1) / 2, client.Top + glyphAt);
    int left = client.Left + (client.Width() - text.cx + 1) / 2;
    textRect = Bounds(left, client.Top + textAt, text.cx, text.cy);
  }
}

void TButtonGlyph::DrawGlyph(HDC dc, TPoint pos, TButtonState state) const {
  if (FImages && FImageIndex >= 0 && FImageIndex < FImages->GetCount()) {
    TCanvas canvas;
    canvas.SetHandle(dc);
    FImages->Draw(&canvas, pos.X, pos.Y, FImageIndex, state != bsDisabled);
    canvas.SetHandle(nullptr);
    return;
  }
  if (FGlyph->GetEmpty()) return;
  SIZE size = GlyphSize();
  int frame = static_cast<int>(state);
  if (frame >= FNumGlyphs) frame = state == bsExclusive && FNumGlyphs > 2 ? 2 : 0;
  HDC src = FGlyph->GetCanvas()->GetHandle();
  int sx = frame * size.cx;
  COLORREF key = GetPixel(src, sx, size.cy - 1);
  TransparentBlt(dc, pos.X, pos.Y, size.cx, size.cy, src, sx, 0, size.cx, size.cy, key);
}

void TButtonGlyph::Draw(HDC dc, const TRect& client, TPoint offset, const std::string& caption, TButtonLayout layout,
                        int margin, int spacing, TButtonState state) const {
  TPoint glyphPos;
  TRect textRect;
  CalcLayout(dc, client, caption, layout, margin, spacing, glyphPos, textRect);
  glyphPos.X += offset.X;
  glyphPos.Y += offset.Y;
  OffsetRect(AsRECT(textRect), offset.X, offset.Y);
  DrawGlyph(dc, glyphPos, state);
  if (caption.empty()) return;
  int mode = SetBkMode(dc, TRANSPARENT);
  UINT flags = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
  if (state == bsDisabled) {
    DrawDisabledText(dc, caption, textRect, flags);
  } else {
    DrawTextUtf8(dc, caption, *AsRECT(textRect), flags);
  }
  SetBkMode(dc, mode);
}

}  // namespace fw
