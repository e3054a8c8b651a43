#include "skin/controls/speed_button.h"

#include <algorithm>

#include "framework/controls/win_control.h"
#include "framework/graphics/canvas.h"
#include "framework/stdctrls/text_painter.h"
#include "skin/engine/glyphs_text.h"
#include "skin/engine/mask_paint.h"
#include "skin/engine/skin_manager.h"

namespace skin {

bool FrameBarAnimating = false;

namespace {

// A drop-down menu of some speed button is open: no other one opens meanwhile.
bool DropDownMenuShowing = false;

fw::TButtonLayout EffectiveLayout(const TkSpeedButtonLayout& l) {
  if (!l.RightToLeft) return l.Layout;
  if (l.Layout == fw::blGlyphLeft) return fw::blGlyphRight;
  if (l.Layout == fw::blGlyphRight) return fw::blGlyphLeft;
  return l.Layout;
}

int MarginOffset(const TkSpeedButtonLayout& l) { return l.Margin >= 0 ? l.Margin + 3 : 0; }

bool Loading(const fw::TComponent* c) { return c->GetComponentState().Contains(fw::csLoading); }
bool BeingDestroyed(const fw::TComponent* c) { return c->GetComponentState().Contains(fw::csDestroying); }
bool Designing(const fw::TComponent* c) { return c->GetComponentState().Contains(fw::csDesigning); }

}  // namespace

fw::TRect SpeedButtonCaptionRect(const TkSpeedButtonLayout& l) {
  const int w = l.Width, h = l.Height, dd = l.DropDownWidth, gw = l.GlyphWidth, gh = l.GlyphHeight;
  const int tw = l.TextWidth, th = l.TextHeight, mo = MarginOffset(l);
  const int sph = gw > 0 && l.HasCaption ? l.Spacing : 0;
  const int spv = gh > 0 && l.HasCaption ? l.Spacing : 0;
  const int x0 = (w - dd - gw - sph - tw) / 2 - mo;
  const int y0 = (h - gh - spv - th) / 2 - mo;
  int left = 0, top = (h - th) / 2, right = 0, bottom = h - top;
  switch (EffectiveLayout(l)) {
    case fw::blGlyphLeft:
      if (l.Alignment == fw::taLeftJustify) {
        left = gw + l.Margin + sph;
        right = w - dd - mo - 2 * x0;
      } else if (l.Alignment == fw::taRightJustify) {
        left = mo + 2 * x0 + gw + sph;
        right = w - dd - mo;
      } else {
        left = mo + x0 + gw + sph;
        right = w - dd - mo - x0;
      }
      break;
    case fw::blGlyphRight: {
      const int x = l.Alignment == fw::taLeftJustify ? mo : l.Alignment == fw::taRightJustify ? mo + 2 * x0 : mo + x0;
      left = x;
      right = x + tw;
      break;
    }
    case fw::blGlyphTop:
    case fw::blGlyphBottom:
      left = (w - tw - dd) / 2;
      right = w - left - dd;
      if (l.Layout == fw::blGlyphTop) {
        top = mo + y0 + gh + spv;
        bottom = h - y0 - mo;
      } else {
        top = mo + y0;
        bottom = h - y0 - mo - gh - spv;
      }
      break;
  }
  fw::TRect r(left - 1 + l.TextOffset, top, right + 2 + l.TextOffset, bottom);
  if (l.Pushed) OffsetRect(fw::AsRECT(r), 1, 1);
  return r;
}

fw::TRect SpeedButtonGlyphRect(const TkSpeedButtonLayout& l) {
  TkGlyphLayout g;
  g.Width = l.Width - l.DropDownWidth;
  g.Height = l.Height;
  g.Glyph = fw::TSize{l.GlyphWidth, l.GlyphHeight};
  g.Text = fw::TSize{l.TextWidth, l.TextHeight};
  g.Layout = EffectiveLayout(l);
  g.Alignment = l.Alignment;
  g.Margin = l.Margin;
  g.Spacing = l.Spacing;
  g.Spaced = l.ShowCaption && l.HasCaption;
  g.Down = l.Pushed;
  return GlyphRect(g);
}

TkSpeedButton::TkSpeedButton(fw::TComponent* owner) : TkSkinnedGraphicControl(owner, 92, true) {
  // The glyph's own change handler runs first; then the cache follows the new glyph.
  fw::TNotifyEvent kept = FGlyph.OnChange;
  FGlyph.OnChange = [this, kept](fw::TObject* sender) {
    if (kept) kept(sender);
    if (!Loading(this) && !BeingDestroyed(this) && !GetControlState().Contains(fw::csCreating))
      GetSkinData()->RepaintOwner();
  };
}

TkSpeedButton::~TkSpeedButton() = default;

void TkSpeedButton::AfterConstruction() {
  TkSkinnedGraphicControl::AfterConstruction();
  UpdateOpaque();
}

void TkSpeedButton::Loaded() {
  TkSkinnedGraphicControl::Loaded();
  UpdateOpaque();
}

void TkSpeedButton::BeforeDestruction() {
  FAnimation.reset();
  FHints.Restore();
  TkSkinnedGraphicControl::BeforeDestruction();
}

void TkSpeedButton::UpdateOpaque() {
  fw::TControlStyle style = GetControlStyle();
  if (GetSkinData()->SkinIsActive())
    style.Include(fw::csOpaque);
  else
    style.Exclude(fw::csOpaque);
  SetControlStyle(style);
}

void TkSpeedButton::Refresh() {
  GetSkinData()->BGChanged = true;
  RepaintWithParent();
}

void TkSpeedButton::SetAlignment(fw::TAlignment value) {
  FAlignment = value;
  Refresh();
}

void TkSpeedButton::SetTextAlignment(fw::TAlignment value) {
  FTextAlignment = value;
  Refresh();
}

void TkSpeedButton::SetBlend(int value) {
  FBlend = std::clamp(value, 0, 100);
  Refresh();
}

void TkSpeedButton::SetButtonStyle(fw::TToolButtonStyle value) {
  if (value == FButtonStyle) return;
  if (!Loading(this)) {
    if (value == fw::tbsDropDown)
      SetWidth(GetWidth() + kDropDownWidth);
    else if (FButtonStyle == fw::tbsDropDown)
      SetWidth(GetWidth() - kDropDownWidth);
  }
  FButtonStyle = value;
  Refresh();
}

void TkSpeedButton::SetDropdownMenu(fw::TPopupMenu* value) {
  if (value == FDropdownMenu) return;
  if (FDropdownMenu) FDropdownMenu->RemoveFreeNotification(this);
  FDropdownMenu = value;
  if (value) value->FreeNotification(this);
}

void TkSpeedButton::SetDisabledGlyphKind(TkDisabledGlyphKind value) {
  FDisabledGlyphKind = value;
  Refresh();
}

void TkSpeedButton::SetGrayed(bool value) {
  FGrayed = value;
  Refresh();
}

void TkSpeedButton::SetShowCaption(bool value) {
  FShowCaption = value;
  Refresh();
}

void TkSpeedButton::SetDrawOverBorder(bool value) {
  FDrawOverBorder = value;
  Refresh();
}

void TkSpeedButton::SetTextOffset(int value) {
  FTextOffset = value;
  Refresh();
}

void TkSpeedButton::SetImages(fw::TCustomImageList* images) {
  fw::TSpeedButton::SetImages(images);
  Refresh();
}

void TkSpeedButton::SetImageIndex(int value) {
  fw::TSpeedButton::SetImageIndex(value);
  Refresh();
}

void TkSpeedButton::Notification(fw::TComponent* component, fw::TOperation operation) {
  TkSkinnedGraphicControl::Notification(component, operation);
  if (operation == fw::opRemove && component == FDropdownMenu) FDropdownMenu = nullptr;
}

void TkSpeedButton::SetBounds(int left, int top, int width, int height) {
  const bool moved = left != GetLeft() || top != GetTop() || width != GetWidth() || height != GetHeight();
  TkSkinnedGraphicControl::SetBounds(left, top, width, height);
  // Another place shows another piece of the parent's background.
  if (moved) GetSkinData()->BGChanged = true;
}

void TkSpeedButton::RepaintWithParent() {
  if (GetControlState().Contains(fw::csCreating) || BeingDestroyed(this) || Loading(this)) return;
  fw::TWinControl* parent = GetParent();
  if (!parent || !GetVisible() || !parent->HandleAllocated()) return;
  HWND wnd = parent->GetHandle();
  SendMessageA(wnd, SM_SKINCMD, SkinCmdWParam(cmdGraphicRepaints), reinterpret_cast<LPARAM>(this));
  Repaint();
  SendMessageA(wnd, SM_SKINCMD, SkinCmdWParam(cmdGraphicRepaints), 0);
}

int TkSpeedButton::CurrentState() const {
  if (Pushed()) return 2;
  return GetSkinData()->CanPaint() ? 1 : 0;
}

int TkSpeedButton::ArrowState() const {
  if (FMenuOpen || GetDown() || Pushed()) return 2;
  return GetSkinData()->CanPaint() ? 1 : 0;
}

TkGlyphSource TkSpeedButton::GlyphSource() const {
  TkGlyphSource source;
  source.Glyph = GetGlyph();
  source.NumGlyphs = GetNumGlyphs();
  source.Images = GetImages();
  source.ImageIndex = GetImageIndex();
  source.Blend = FBlend;
  source.Grayed = FGrayed;
  source.Hot = CurrentState() != 0;
  source.Enabled = GetEnabled();
  source.DisabledGlyphKind = FDisabledGlyphKind;
  return source;
}

int TkSpeedButton::GlyphWidth() const { return GlyphSource().Size().cx; }

int TkSpeedButton::GlyphHeight() const { return GlyphSource().Size().cy; }

TkSpeedButtonLayout TkSpeedButton::Layout() {
  TkSpeedButtonLayout l;
  l.Width = GetWidth();
  l.Height = GetHeight();
  l.DropDownWidth = DropDownWidth();
  l.GlyphWidth = GlyphWidth();
  l.GlyphHeight = GlyphHeight();
  l.Margin = GetMargin();
  l.Spacing = GetSpacing();
  l.TextOffset = FTextOffset;
  l.Layout = GetLayout();
  l.Alignment = FAlignment;
  l.HasCaption = !GetCaption().empty();
  l.ShowCaption = FShowCaption;
  l.Pushed = Pushed();
  l.RightToLeft = UseRightToLeftReading();
  if (FShowCaption && l.HasCaption) {
    TkCommonData* d = GetSkinData();
    d->InitCacheBmp();
    fw::TCanvas* canvas = d->CacheBmp->GetCanvas();
    canvas->GetFont()->Assign(GetFont());
    canvas->TextExtent(" ");  // selects the font
    RECT r{0, 0, l.Width - l.DropDownWidth - 2 * l.Margin - (l.GlyphWidth ? l.GlyphWidth + l.Spacing : 0), 0};
    fw::DrawTextUtf8(canvas->GetHandle(), GetCaption(), r, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
    l.TextWidth = r.right - r.left;
    l.TextHeight = r.bottom - r.top;
  }
  return l;
}

fw::TRect TkSpeedButton::CaptionRect() { return SpeedButtonCaptionRect(Layout()); }

fw::TRect TkSpeedButton::GlyphRect() { return SpeedButtonGlyphRect(Layout()); }

void TkSpeedButton::DrawCaption() {
  if (!FShowCaption) return;
  fw::TCanvas* canvas = GetSkinData()->CacheBmp->GetCanvas();
  fw::TRect r = CaptionRect();
  canvas->GetFont()->Assign(GetFont());
  canvas->GetBrush()->SetStyle(fw::bsClear);
  const unsigned flags = (TextFlagsForAlignment(this, FTextAlignment) | DT_EXPANDTABS | DT_WORDBREAK) & ~DT_SINGLELINE;
  WriteSkinText(canvas, GetCaption(), GetEnabled(), CurrentState() != 0 ? 1 : 0, GetSkinData(), flags, r);
}

void TkSpeedButton::DrawGlyph() { DrawSpeedButtonGlyph(GlyphSource(), GetSkinData()->CacheBmp.get(), GlyphRect()); }

void TkSpeedButton::PaintButtonFace(const TkBgRef& bg, const fw::TRect& r, int state, bool content) {
  TkCommonData* d = GetSkinData();
  fw::TBitmap* cache = d->CacheBmp.get();
  const fw::TPoint offset(GetLeft() + r.Left, GetTop() + r.Top);
  if (FDrawOverBorder) {
    PaintControlFace(d, bg, true, true, cache, offset, r, state);
    if (content) {
      DrawCaption();
      DrawGlyph();
    }
    return;
  }
  PaintControlSection(d, bg, state, cache, offset, r);
  if (content) {
    DrawCaption();
    DrawGlyph();
  }
  TkSkinManager* manager = d->GetSkinManager();
  if (manager && manager->IsValidImgIndex(d->BorderIndex)) {
    TkBgRef moved = bg;
    moved.X += GetLeft();
    moved.Y += GetTop();
    DrawSkinRect(cache, r, true, moved, manager->GetMasks()[d->BorderIndex], state, true);
  }
}

void TkSpeedButton::PaintArrow(const TkBgRef& bg) {
  const int w = GetWidth(), h = GetHeight(), state = ArrowState();
  PaintButtonFace(bg, fw::TRect(w - kDropDownWidth, 0, w, h), state, false);
  TkSkinManager* manager = GetSkinData()->GetSkinManager();
  const int index = manager->GetCommonIndexes().ScrollBtnGlyphs[1];
  if (!manager->IsValidImgIndex(index)) return;
  const TkMaskData& mask = manager->GetMasks()[index];
  if (mask.ImageCount < 1 || mask.MaskType < 0) return;
  const int fw = RectWidth(mask.R) / mask.ImageCount, fh = RectHeight(mask.R) / (mask.MaskType + 1);
  DrawMaskGlyphFrame(GetSkinData()->CacheBmp.get(),
                     fw::TPoint((kDropDownWidth - fw) / 2 + w - kDropDownWidth + 1, (h - fh) / 2), state, mask, 1);
}

void TkSpeedButton::PaintParentBackground(const TkBgRef& bg) {
  fw::TBitmap* cache = GetSkinData()->CacheBmp.get();
  HDC dc = cache->GetCanvas()->GetHandle();
  if (bg.Ready && bg.Bmp) {
    BitBlt(dc, 0, 0, GetWidth(), GetHeight(), bg.Bmp->GetCanvas()->GetHandle(), bg.X + GetLeft(), bg.Y + GetTop(),
           SRCCOPY);
    GdiFlush();
  } else if (GetParent()) {
    FillDCRect(dc, GetClientRect(), GetParent()->GetColor());
  }
}

void TkSpeedButton::PaintDivider(const TkBgRef& bg) {
  TkSkinManager* manager = GetSkinData()->GetSkinManager();
  const int index = manager->GetMaskIndex(manager->GetSkinIndex("DIVIDER"), "DIVIDER", "BORDERSMASK");
  if (!manager->IsValidImgIndex(index)) return;
  const int fw = manager->GetMaskFrameSize(index).cx, w = GetWidth();
  TkBgRef moved = bg;
  moved.X += GetLeft();
  moved.Y += GetTop();
  DrawSkinRect(GetSkinData()->CacheBmp.get(), fw::TRect((w - fw) / 2, 1, (w + fw) / 2, GetHeight() - 2), true, moved,
               manager->GetMasks()[index], 0, true);
}

void TkSpeedButton::PaintFace(const TkBgRef& bg) {
  // A parent still without a picture: nothing to lay the button on yet.
  if (bg.Ready && bg.Bmp && bg.Bmp->GetWidth() == 0) return;
  switch (FButtonStyle) {
    case fw::tbsSeparator:
      PaintParentBackground(bg);
      return;
    case fw::tbsDivider:
      PaintParentBackground(bg);
      PaintDivider(bg);
      return;
    default:
      break;
  }
  PaintButtonFace(bg, fw::TRect(0, 0, GetWidth() - DropDownWidth(), GetHeight()), CurrentState(), true);
  if (FButtonStyle == fw::tbsDropDown) PaintArrow(bg);
}

void TkSpeedButton::PrepareCache() {
  PaintCache();
  if (OnPaint) OnPaint(this, GetSkinData()->CacheBmp.get());
}

void TkSpeedButton::Paint() {
  TkCommonData* d = GetSkinData();
  if (!ControlIsReady(this) || !d->SkinIsActive() || (!GetVisible() && !Designing(this))) {
    fw::TSpeedButton::Paint();
    return;
  }
  const int w = GetWidth(), h = GetHeight();
  if (w == 0 || h == 0) return;
  HDC dc = GetCanvas()->GetHandle();
  fw::TBitmap* frame = FAnimation ? FAnimation->FrameImage.get() : nullptr;
  if (frame && frame->GetWidth() == w) {
    BitBlt(dc, 0, 0, w, h, frame->GetCanvas()->GetHandle(), 0, 0, SRCCOPY);
    return;
  }
  if (FPaintedDown != GetDown())
    d->BGChanged = true;
  else
    d->BGChanged = d->BGChanged || d->HalfVisible;
  d->HalfVisible = d->NeedsParentBackground();
  if (FPaintedNumGlyphs != GetNumGlyphs() || FPaintedSpacing != GetSpacing()) d->BGChanged = true;
  FPaintedDown = GetDown();
  FPaintedNumGlyphs = GetNumGlyphs();
  FPaintedSpacing = GetSpacing();
  if ((d->BGChanged || !d->CacheBmp) && !d->Cmd9Flag) PrepareCache();
  PaintSkinBordersAll(d, 0);
  fw::TBitmap* cache = d->CacheBmp.get();
  BitBlt(dc, 0, 0, cache->GetWidth(), cache->GetHeight(), cache->GetCanvas()->GetHandle(), 0, 0, SRCCOPY);
}

void TkSpeedButton::ChangeState(bool half, bool animate) {
  TkCommonData* d = GetSkinData();
  const TkGeneralData* section = d->Section();
  if (animate && !FadingForbidden && section && section->FadingEnabled && !SkinLoading && !d->BGChanged) {
    d->BGChanged = true;
    StartAnimation(half);
    return;
  }
  d->BGChanged = true;
  FAnimation.reset();
  RepaintWithParent();
}

void TkSpeedButton::StartAnimation(bool half) {
  if (Designing(this)) return;
  TkCommonData* d = GetSkinData();
  // A fade interrupted by the opposite change goes on from the steps it had left.
  const int start = FAnimation ? FAnimation->Iterations - FAnimation->CurrentStep : 1;
  FAnimation.reset();
  const TkGeneralData* section = d->Section();
  if (!section || !section->FadingEnabled || SkinLoading || !d->CacheBmp) return;
  FAnimation.reset(fw::New<TkAnimTimer>());
  FAnimation->StartFor(d);
  if (half) FAnimation->Iterations /= 2;
  FAnimation->CurrentStep = start;
  fw::TBitmap* cache = d->CacheBmp.get();
  FAnimation->OldImage = CreateBitmap24(cache->GetWidth(), cache->GetHeight());
  BitBlt(FAnimation->OldImage->GetCanvas()->GetHandle(), 0, 0, cache->GetWidth(), cache->GetHeight(),
         cache->GetCanvas()->GetHandle(), 0, 0, SRCCOPY);
  GdiFlush();
  PrepareCache();
  PaintSkinBordersAll(d, 1);
  FAnimation->SetEnabled(true);
  FAnimation->Step();
}

void TkSpeedButton::StopAnimation() {
  if (BeingDestroyed(this) || Designing(this) || !FAnimation) return;
  FAnimation->SetEnabled(false);
  const bool stepped = FAnimation->FrameImage != nullptr;
  FAnimation.reset();
  if (stepped) Refresh();
}

void TkSpeedButton::WndProc(fw::TMessage& m) {
  // However a press ends, the hints come back.
  if (m.Msg == WM_CAPTURECHANGED || m.Msg == WM_CANCELMODE) FHints.Restore();
  TkCommonData* d = GetSkinData();
  if (m.Msg == SM_SKINCMD) {
    const int command = SkinCmdOf(m.WParam);
    const bool own = m.LParam == reinterpret_cast<LPARAM>(d->GetSkinManager());
    switch (command) {
      case cmdNewSkin:
      case cmdRemoveSkin:
      case cmdRefresh:
        if (!own || (command == cmdRemoveSkin && BeingDestroyed(this))) break;
        StopAnimation();
        TkSkinnedGraphicControl::WndProc(m);
        if (command != cmdRefresh) UpdateOpaque();
        return;
      case cmdParentPainted:
        return;
      case cmdStopAnimation:
        StopAnimation();
        return;
      default:
        break;
    }
  }
  TkSkinnedGraphicControl::WndProc(m);
  if (BeingDestroyed(this) || Designing(this) || !ControlIsReady(this) || !d->SkinIsActive()) return;
  switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      ChangeState(true, AnimEventAllowed(aeMouseDown, GetAnimatEvents()));
      break;
    case WM_LBUTTONUP:
      ChangeState(true, AnimEventAllowed(aeMouseUp, GetAnimatEvents()));
      break;
    default:
      break;
  }
}

bool TkSpeedButton::SkinnedMessage(fw::TMessage& m) {
  TkCommonData* d = GetSkinData();
  const bool mine = m.LParam == 0 || m.LParam == reinterpret_cast<LPARAM>(this);
  if (m.Msg == SM_SKINCMD && SkinCmdOf(m.WParam) == cmdSetCmd9Flag) {
    CommonMessage(m, d);
    if (d->Cmd9Flag) PrepareCache();
    return true;
  }
  if (m.Msg == SM_SKINCMD && SkinCmdOf(m.WParam) == cmdIsUpdating) {
    m.LParam = d->Updating ? 1 : 0;
    return true;
  }
  switch (m.Msg) {
    case WM_LBUTTONUP:
      if (!Designing(this) && FAnimation && FAnimation->FrameImage &&
          FAnimation->FrameImage->GetWidth() == GetWidth()) {
        StopAnimation();
        PrepareCache();
        RepaintWithParent();
      }
      return false;
    case fw::CM_MOUSEENTER:
      if (!mine || !GetEnabled() || FMouseInControl || FrameBarAnimating || Designing(this)) return false;
      if (OnMouseEnter) OnMouseEnter(this);
      if (!d->MouseAbove) {
        d->MouseAbove = true;
        ChangeState(false, AnimEventAllowed(aeMouseEnter, GetAnimatEvents()));
      }
      return false;
    case fw::CM_MOUSELEAVE:
      if (!mine || !GetEnabled() || FrameBarAnimating) return false;
      if (OnMouseLeave) OnMouseLeave(this);
      d->MouseAbove = false;
      if (FState == fw::bsDown) FState = fw::bsUp;
      ChangeState(false, AnimEventAllowed(aeMouseLeave, GetAnimatEvents()));
      return false;
    default:
      break;
  }
  return TkSkinnedGraphicControl::SkinnedMessage(m);
}

void TkSpeedButton::MouseDown(fw::TMouseButton button, fw::TShiftState shift, int x, int y) {
  const bool dropping = button == fw::mbLeft && GetEnabled() && FButtonStyle == fw::tbsDropDown && FDropdownMenu;
  // A split button: the main area clicks, the arrow area drops the menu down.
  if (!dropping || (OnClick && x <= GetWidth() - kDropDownWidth)) {
    TkSkinnedGraphicControl::MouseDown(button, shift, x, y);
    return;
  }
  FHints.Save();
  StopAnimation();
  if (DropDownMenuShowing) return;
  DropDown();
}

void TkSpeedButton::DropDown() {
  DropDownMenuShowing = FMenuOpen = true;
  if (!OnClick) FState = fw::bsDown;
  Refresh();
  FDropdownMenu->SetPopupComponent(this);
  const fw::TPoint at = ClientToScreen(fw::TPoint(0, GetHeight() + 1));
  FDropdownMenu->Popup(at.X, at.Y);
  DropDownMenuShowing = FMenuOpen = false;
  // The menu's modal loop has usually eaten the mouse-up.
  FHints.Restore();
  POINT cursor{};
  GetCursorPos(&cursor);
  const fw::TPoint origin = ClientToScreen(fw::TPoint(0, 0));
  const fw::TRect bounds(origin.X, origin.Y, origin.X + GetWidth(), origin.Y + GetHeight());
  if (!PtInRect(fw::AsRECT(bounds), cursor)) Perform(fw::CM_MOUSELEAVE, 0, 0);
  if (!OnClick) FState = fw::bsUp;
  Refresh();
}

void TkSpeedButton::MouseUp(fw::TMouseButton button, fw::TShiftState shift, int x, int y) {
  if (button == fw::mbLeft && GetEnabled() && FButtonStyle == fw::tbsDropDown) {
    FMenuOpen = false;
    FHints.Restore();
  }
  TkSkinnedGraphicControl::MouseUp(button, shift, x, y);
}

}  // namespace skin
