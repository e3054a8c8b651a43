#include "skin/controls/bit_btn.h"

#include "framework/graphics/image_list.h"
#include "skin/engine/skin_command.h"

namespace skin {

fw::TRect BitBtnCaptionRect(const TkGlyphLayout& l, const fw::TRect& client, bool rightToLeft) {
  fw::TButtonLayout layout = l.Layout;
  if (rightToLeft && layout == fw::blGlyphLeft)
    layout = fw::blGlyphRight;
  else if (rightToLeft && layout == fw::blGlyphRight)
    layout = fw::blGlyphLeft;
  const int cw = client.Width(), ch = client.Height(), gw = l.Glyph.cx, gh = l.Glyph.cy, tw = l.Text.cx,
            th = l.Text.cy;
  const bool horizontal = layout == fw::blGlyphLeft || layout == fw::blGlyphRight;
  int textX = 0, textY = 0;
  if (horizontal)
    textY = (ch - th + 1) / 2;
  else
    textX = (cw - tw + 1) / 2;
  int m = l.Margin, s = tw == 0 || gw == 0 ? 0 : l.Spacing;
  // Along the layout's direction: the free extent, the glyph's and the caption's lengths.
  const int extent = horizontal ? cw : ch, glyph = horizontal ? gw : gh, text = horizontal ? tw : th;
  if (m == -1 && s >= 0) {
    m = l.Alignment == fw::taCenter ? (extent - (glyph + s + text) + 1) / 2 : 2;
  } else if (m == -1) {
    s = (extent - (glyph + text)) / 3;
    m = s;
  } else if (s < 0) {
    s = (extent - m - glyph - text) / 2;
  }
  switch (layout) {
    case fw::blGlyphLeft:
      if (l.Alignment == fw::taLeftJustify)
        textX = m + gw + s;
      else if (l.Alignment == fw::taRightJustify)
        textX = cw - m - tw;
      else
        textX = (cw - tw - s - gw) / 2 + gw + s;
      break;
    case fw::blGlyphRight:
      if (l.Alignment == fw::taLeftJustify)
        textX = m;
      else if (l.Alignment == fw::taRightJustify)
        textX = cw - m - gw - s - tw;
      else
        textX = (cw - tw - s - gw) / 2;
      break;
    case fw::blGlyphTop:
      textY = (ch - gh - s - th) / 2 + gh + s;
      break;
    case fw::blGlyphBottom:
      textY = ch - gh - (ch - gh - s - th) / 2 - s - th;
      break;
  }
  return fw::Bounds(client.Left + textX, client.Top + textY, tw, th);
}

TkBitBtn::TkBitBtn(fw::TComponent* owner) : TkPushButton(owner, 94) {
  FGlyph.OnChange = [this](fw::TObject*) { GetSkinData()->RepaintOwner(); };
}

void TkBitBtn::SetAlignment(fw::TAlignment value) { Store(FAlignment, value); }
void TkBitBtn::SetBlend(int value) { Store(FBlend, value < 0 ? 0 : value > 100 ? 100 : value); }
void TkBitBtn::SetGrayed(bool value) { Store(FGrayed, value); }
void TkBitBtn::SetShowCaption(bool value) { Store(FShowCaption, value); }
void TkBitBtn::SetShowFocus(bool value) { Store(FShowFocus, value); }
void TkBitBtn::SetDrawOverBorder(bool value) { Store(FDrawOverBorder, value); }
void TkBitBtn::SetTextOffset(int value) { Store(FTextOffset, value); }
void TkBitBtn::SetTextAlignment(fw::TAlignment value) { Store(FTextAlignment, value); }

void TkBitBtn::SetDisabledGlyphKind(TkDisabledGlyphKind value) {
  FDisabledGlyphKind = value;
  GlyphFromList();
  GetSkinData()->RepaintOwner();
}

void TkBitBtn::SetImageIndex(int value) {
  FImageIndex = value;
  GlyphFromList();
  GetSkinData()->RepaintOwner();
}

void TkBitBtn::SetImages(fw::TCustomImageList* value) {
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = value;
  if (FImages) FImages->FreeNotification(this);
  GlyphFromList();
  GetSkinData()->RepaintOwner();
}

void TkBitBtn::Notification(fw::TComponent* component, fw::TOperation operation) {
  TkPushButton::Notification(component, operation);
  if (operation == fw::opRemove && component == FImages) FImages = nullptr;
}

void TkBitBtn::GlyphFromList() {
  if (ImagesCount(FImages) == 0 || GetSkinData()->SkinIsActive()) return;
  SetNumGlyphs(CopyListImageToGlyph(this, FImageIndex, GetNumGlyphs(), FDisabledGlyphKind, GetGlyph(), FImages));
}

TkGlyphSource TkBitBtn::GlyphSource() const {
  TkGlyphSource s;
  s.Glyph = GetGlyph();
  s.NumGlyphs = GetNumGlyphs();
  s.Images = FImages;
  s.ImageIndex = FImageIndex;
  s.Blend = FBlend;
  s.Grayed = FGrayed;
  s.Hot = CurrentState() != 0;
  s.Enabled = GetEnabled();
  s.DisabledGlyphKind = FDisabledGlyphKind;
  return s;
}

TkGlyphLayout TkBitBtn::GlyphLayout() {
  TkGlyphLayout l;
  l.Width = GetWidth();
  l.Height = GetHeight();
  l.Glyph = GlyphSource().Size();
  l.Layout = GetLayout();
  l.Alignment = FAlignment;
  l.Margin = GetMargin();
  l.Spacing = GetSpacing();
  const std::string caption = GetCaption();
  l.Spaced = FShowCaption && !caption.empty();
  if (l.Spaced) {
    const int width = GetWidth() - 2 * l.Margin - (l.Glyph.cx != 0 ? l.Glyph.cx + l.Spacing : 0);
    l.Text = MeasureCaption(GetSkinData()->CacheBmp->GetCanvas(), caption, width);
  } else {
    l.Text = fw::TSize{0, 0};
  }
  l.Down = GetDown();
  return l;
}

void TkBitBtn::PaintFace(const TkBgRef& bg) {
  PaintSectionFace(bg);
  if (FDrawOverBorder) PaintBorder();
}

void TkBitBtn::PaintContent() {
  TkCommonData* d = GetSkinData();
  fw::TCanvas* canvas = d->CacheBmp->GetCanvas();
  canvas->GetFont()->Assign(GetFont());
  canvas->GetBrush()->SetStyle(fw::bsClear);
  const TkGlyphLayout layout = GlyphLayout();
  if (FShowCaption) {
    fw::TRect r = BitBtnCaptionRect(layout, GetClientRect(), UseRightToLeftReading());
    if (CurrentState() == 2) r = fw::TRect(r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1);
    const unsigned flags = TextFlagsForAlignment(this, FTextAlignment) | DT_EXPANDTABS | DT_WORDBREAK;
    WriteSkinText(canvas, GetCaption(), GetEnabled(), HotText() ? 1 : 0, d, flags, r);
    if (FShowFocus) DrawButtonFocus(this, d, r, GetFocusMargin());
  }
  DrawBitBtnGlyph(GlyphSource(), d->CacheBmp.get(), GlyphRect(layout));
  if (!FDrawOverBorder) PaintBorder(false);
}

void TkBitBtn::CachePainted() {
  if (OnPaint) OnPaint(this, GetSkinData()->CacheBmp.get());
}

void TkBitBtn::OwnSkinCommand(int command) {
  if (command == cmdNewSkin && ImagesCount(FImages) > 0) {
    SetGlyph(nullptr);
    SetNumGlyphs(1);
  } else if (command == cmdRemoveSkin && !GetComponentState().Contains(fw::csDestroying)) {
    GlyphFromList();
  }
  TkPushButton::OwnSkinCommand(command);
}

void TkBitBtn::MouseDown(fw::TMouseButton button, fw::TShiftState shift, int x, int y) {
  GetSkinData()->Updating = false;
  TkPushButton::MouseDown(button, shift, x, y);
}

void TkBitBtn::MouseUp(fw::TMouseButton button, fw::TShiftState shift, int x, int y) {
  GetSkinData()->Updating = false;
  TkPushButton::MouseUp(button, shift, x, y);
}

bool TkBitBtn::SkinnedMessage(fw::TMessage& m) {
  // The mouse entering again changes nothing.
  if (m.Msg == fw::CM_MOUSEENTER && GetSkinData()->MouseAbove) return false;
  if (m.Msg == WM_PAINT) {
    const int layout[4] = {GetLayout(), GetMargin(), GetSpacing(), GetNumGlyphs()};
    if (!std::equal(layout, layout + 4, FPaintedLayout)) {
      std::copy(layout, layout + 4, FPaintedLayout);
      GetSkinData()->BGChanged = true;
    }
  }
  return TkPushButton::SkinnedMessage(m);
}

}  // namespace skin
