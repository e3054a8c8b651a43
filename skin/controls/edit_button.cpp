#include "skin/controls/edit_button.h"

#include <cmath>

#include "framework/graphics/canvas.h"
#include "skin/controls/combo_edit.h"
#include "skin/engine/glyphs_text.h"

namespace skin {

namespace {
constexpr int kEditButtonWidth = 22;
// The edit's frame: the button's client position lies this far inside the edit's window.
constexpr int kEditFrame = 2;
}  // namespace

TkEditButton::TkEditButton(fw::TComponent* owner, TkCustomComboEdit* edit) : TkSpeedButton(owner), FEdit(edit) {
  GetSkinData()->SetSkinSection("SPEEDBUTTON");
  SetFlat(true);
  SetCursor(fw::crArrow);
  SetAlign(fw::alRight);
  SetWidth(kEditButtonWidth);
  SetShowCaption(false);
}

int TkEditButton::GlyphWidth() const { return GetGlyph()->GetWidth() / 3; }

int TkEditButton::GlyphHeight() const { return GetGlyph()->GetHeight() / 2; }

int TkEditButton::GlyphFrame() const {
  if (CurrentState() == 2) return 2;
  return GetSkinData()->CanPaint() ? 1 : 0;
}

void TkEditButton::DrawEditGlyph(fw::TBitmap* bmp, int frame) {
  const TkGlyphMode* mode = FEdit->GetGlyphMode();
  fw::TBitmap* glyph = mode->Current();
  if (!glyph) return;
  const int gw = mode->GlyphWidth(), gh = mode->GlyphHeight();
  const int x = (GetWidth() - gw) / 2, y = (GetHeight() - gh) / 2;
  PaintSkinGlyph(fw::TRect(x, y, x + gw, y + gh), fw::TRect(frame * gw, 0, frame * gw + gw, gh), bmp, false, TkBgRef(),
                 glyph);
}

void TkEditButton::PrepareCache() {
  TkCommonData* d = GetSkinData();
  d->InitCacheBmp();
  fw::TBitmap* cache = d->CacheBmp.get();
  const int w = GetWidth(), h = GetHeight();
  HDC dc = cache->GetCanvas()->GetHandle();
  if (fw::TBitmap* face = FEdit->GetSkinData()->CacheBmp.get())
    BitBlt(dc, 0, 0, w, h, face->GetCanvas()->GetHandle(), GetLeft() + kEditFrame, GetTop() + kEditFrame, SRCCOPY);
  GdiFlush();
  if (FEdit->GetGlyphMode()->Current()) {
    auto picture = CreateBitmap24(w, h);
    BitBlt(picture->GetCanvas()->GetHandle(), 0, 0, w, h, dc, 0, 0, SRCCOPY);
    GdiFlush();
    const int frame = GlyphFrame();
    DrawEditGlyph(picture.get(), frame);
    const TkGlyphMode* mode = FEdit->GetGlyphMode();
    if (!FEdit->GetSkinData()->CanPaint() && frame != 1) {
      if (mode->GetGrayed()) GrayscaleBitmap(picture.get());
      if (mode->GetBlend() > 0)
        BlendBitmapsPercent(picture.get(), cache,
                            static_cast<unsigned char>(std::min(255L, std::lround(mode->GetBlend() * 2.56))));
    }
    if (!FEdit->GetEnabled()) {
      TkBgRef bg;
      MakeBgRef(bg, FEdit->GetSkinData()->CacheBmp.get(), kEditFrame, kEditFrame);
      ApplyDisabledKind(picture.get(), GetDisabledKind(), FEdit, fw::TPoint(GetLeft(), GetTop()), bg);
    }
    BitBlt(dc, 0, 0, w, h, picture->GetCanvas()->GetHandle(), 0, 0, SRCCOPY);
    GdiFlush();
  }
  d->BGChanged = false;
  if (OnPaint) OnPaint(this, cache);
}

void TkEditButton::Paint() {
  TkSpeedButton::Paint();
  if (GetSkinData()->SkinIsActive() || !FEdit->GetGlyphMode()->Current()) return;
  // Without a skin the glyph shows its hot frame, or its pressed one while pressed.
  const int w = GetWidth(), h = GetHeight();
  if (w <= 0 || h <= 0) return;
  HDC dc = GetCanvas()->GetHandle();
  auto picture = CreateBitmap24(w, h);
  BitBlt(picture->GetCanvas()->GetHandle(), 0, 0, w, h, dc, 0, 0, SRCCOPY);
  GdiFlush();
  DrawEditGlyph(picture.get(), CurrentState() == 2 ? 2 : 1);
  BitBlt(dc, 0, 0, w, h, picture->GetCanvas()->GetHandle(), 0, 0, SRCCOPY);
}

}  // namespace skin
