#include "skin/controls/tool_bar.h"

#include "framework/menus/popup_menu.h"
#include "skin/controls/button_glyphs.h"
#include "skin/engine/glyphs_text.h"
#include "skin/engine/mask_paint.h"
#include "skin/engine/section_paint.h"
#include "skin/engine/skin_manager.h"

namespace skin {

namespace {

constexpr int kToolBarCtrlType = 54;

// The frame of State of a mask in the master picture or its own.
fw::TSize GlyphFrame(const TkMaskData& mask) {
  return fw::TSize{mask.R.Width() / mask.ImageCount, mask.R.Height() / (mask.MaskType + 1)};
}

}  // namespace

TkToolBar::TkToolBar(fw::TComponent* owner) : TkSkinned(owner, kToolBarCtrlType, true) { SetFlat(true); }

void TkToolBar::AfterConstruction() {
  TkSkinned::AfterConstruction();
  TakeCustomDraw();
}

void TkToolBar::Loaded() {
  TkSkinned::Loaded();
  TakeCustomDraw();
}

void TkToolBar::TakeCustomDraw() {
  OnAdvancedCustomDraw = [this](fw::TToolBar* s, const fw::TRect& r, fw::TCustomDrawStage stage, bool& dd) {
    PaintToolBarBackground(s, r, stage, dd);
  };
  if (GetComponentState().Contains(fw::csDesigning)) return;
  OnAdvancedCustomDrawButton = [this](fw::TToolBar* s, fw::TToolButton* b, fw::TCustomDrawState state,
                                      fw::TCustomDrawStage stage, fw::TTBCustomDrawFlags& flags, bool& dd) {
    PaintToolButton(s, b, state, stage, flags, dd);
  };
}

void TkToolBar::SetBtnDisabledKind(TkDisabledKind value) {
  if (value == FBtnDisabledKind) return;
  FBtnDisabledKind = value;
  Invalidate();
}

int TkToolBar::ToolButtonState(fw::TCustomDrawState state) {
  if (state.Empty() || state == fw::TCustomDrawState{fw::cdsDisabled}) return 0;
  if (state.Contains(fw::cdsSelected) || state.Contains(fw::cdsChecked)) return 2;
  return 1;
}

int TkToolBar::ToolButtonAtPos(fw::TPoint p) const {
  for (int i = 0; i < GetButtonCount(); ++i) {
    const fw::TToolButton* b = GetButtons(i);
    const fw::TRect r = b->GetItemRect();
    if (p.X < r.Left || p.X >= r.Right || p.Y < r.Top || p.Y >= r.Bottom) continue;
    return b->GetStyle() == fw::tbsSeparator || b->GetStyle() == fw::tbsDivider ? -1 : i;
  }
  return -1;
}

fw::TPoint TkToolBar::ClientOffset() const {
  return fw::TPoint(EdgeWidth(fw::ebLeft), EdgeWidth(fw::ebTop));
}

fw::TRect TkToolBar::ToolCaptionRect(const fw::TToolButton* button, fw::TSize size, int state) {
  const int mainWidth = size.cx - (button->GetStyle() == fw::tbsDropDown ? GetSystemMetrics(SM_CXVSCROLL) : 0);
  fw::TCustomImageList* images = GetImages();
  fw::TCanvas* canvas = GetSkinData()->CacheBmp->GetCanvas();
  canvas->GetFont()->Assign(GetFont());
  const int h = GetButtonHeight();
  fw::TRect r;
  if (GetList()) {
    r = fw::TRect(images ? images->GetWidth() + 6 : 1, 2, mainWidth - 2, h - 2);
  } else {
    const int x = (mainWidth - canvas->TextWidth(button->GetText())) / 2;
    const int th = canvas->TextHeight("A");
    const int g = images ? (h - images->GetHeight() - th - 3) / 2 : (h - th) / 2;
    const int top = images ? images->GetHeight() + g + 3 : g;
    r = fw::TRect(x - 1, top, mainWidth - x + 2, h - g);
  }
  if (state == 2) OffsetRect(fw::AsRECT(r), 1, 1);
  return r;
}

void TkToolBar::PaintToolBarBackground(fw::TToolBar*, const fw::TRect&, fw::TCustomDrawStage stage,
                                       bool& defaultDraw) {
  TkCommonData* d = GetSkinData();
  if (!ControlIsReady(this) || !d->SkinIsActive()) return;
  d->Updating = d->GetUpdating();
  if (stage != fw::cdPrePaint) {
    defaultDraw = false;
    return;
  }
  if (d->Updating) return;
  if (d->BGChanged || !d->CacheBmp || d->CacheBmp->GetWidth() != GetWidth()) PaintCache();
  HDC dc = GetCanvas()->GetHandle();
  const fw::TPoint o = ClientOffset();
  CopyWinControlCache(this, d, fw::TRect(o.X, o.Y, 0, 0), GetClientRect(), dc, true);
  PaintGraphicChildren(dc, this);
  SendCmdToChildWindows(this);
  if (GetClientWidth() != GetWidth() || GetClientHeight() != GetHeight()) PaintToolBarFrame();
}

void TkToolBar::PaintDropDownPart(fw::TBitmap* bmp, const fw::TToolButton* button, fw::TCustomDrawState state,
                                  int mainWidth, const TkBgRef& bg) {
  TkSkinManager* manager = GetSkinData()->GetSkinManager();
  const bool dropped = button->GetDown() || (button == FDroppedButton && button->GetDropdownMenu());
  const int st = dropped ? 2 : state.Contains(fw::cdsHot) ? 1 : 0;
  const int section = manager->GetSkinIndex("TOOLBUTTON");
  const int border = manager->GetMaskIndex(section, "TOOLBUTTON", "BORDERSMASK");
  if (manager->IsValidImgIndex(border))
    DrawSkinRect(bmp, fw::TRect(mainWidth, 0, bmp->GetWidth(), bmp->GetHeight()), true, bg,
                 manager->GetMasks()[border], st, true);
  const int arrow = manager->GetMaskIndexBySection("SCROLLBTNBOTTOM", "GLYPHMASK");
  if (arrow < 0 || manager->GetMasks()[arrow].ImageCount < 1) return;
  const TkMaskData& mask = manager->GetMasks()[arrow];
  const fw::TSize frame = GlyphFrame(mask);
  const int x = (GetSystemMetrics(SM_CXVSCROLL) - 3 - frame.cx) / 2 + mainWidth + 2;
  DrawMaskGlyphFrame(bmp, fw::TPoint(x, (GetButtonHeight() - frame.cy) / 2), st, mask, 1);
}

void TkToolBar::PaintToolButton(fw::TToolBar*, fw::TToolButton* button, fw::TCustomDrawState state,
                                fw::TCustomDrawStage stage, fw::TTBCustomDrawFlags& flags, bool& defaultDraw) {
  TkCommonData* d = GetSkinData();
  if (!ControlIsReady(this) || !d->SkinIsActive()) return;
  defaultDraw = false;
  if (stage != fw::cdPrePaint) return;
  if (!GetFlat() && button->GetIndex() == FHotButton) state.Include(fw::cdsHot);
  flags.Include(fw::tbNoEdges);
  flags.Include(fw::tbNoEtchedEffect);
  const fw::TRect r = button->GetItemRect();
  const int w = r.Width(), h = r.Height();
  if (w <= 0 || h <= 0) return;
  if (!d->CacheBmp || d->CacheBmp->GetWidth() != GetWidth()) PaintCache();
  auto bmp = CreateBitmap24(w, h);
  bmp->GetCanvas()->GetFont()->Assign(GetFont());
  const int st = ToolButtonState(state);
  TkSkinManager* manager = d->GetSkinManager();
  const int section = manager->GetSkinIndex("TOOLBUTTON");
  const fw::TPoint o = ClientOffset();
  TkBgRef bg;
  SetBgRefValues(d->CacheBmp.get(), o.X, o.Y, bg);
  const fw::TPoint at(r.Left, r.Top);
  PaintSkinSection(section, "TOOLBUTTON", fw::TRect(0, 0, w, GetButtonHeight()), fw::clFuchsia, -1, -1, manager,
                   bmp.get(), at, bg, st);
  TkBgRef moved = bg;
  moved.X += at.X;
  moved.Y += at.Y;
  const int border = manager->GetMaskIndex(section, "TOOLBUTTON", "BORDERSMASK");
  if (manager->IsValidImgIndex(border))
    DrawSkinRect(bmp.get(), fw::TRect(0, 0, w, h), true, moved, manager->GetMasks()[border], st, true);
  if (GetShowCaptions()) {
    fw::TRect c = ToolCaptionRect(button, fw::TSize{w, h}, st);
    bmp->GetCanvas()->GetBrush()->SetStyle(fw::bsClear);
    WriteTextColored(bmp->GetCanvas(), button->GetText(), true, manager, st != 0, section, DT_CENTER | DT_SINGLELINE, c);
  }
  const bool dropDown = button->GetStyle() == fw::tbsDropDown;
  fw::TCustomImageList* images = GetImages();
  if (images && button->GetImageIndex() >= 0 && button->GetImageIndex() < images->GetCount()) {
    const int letter = GetShowCaptions() ? bmp->GetCanvas()->TextHeight("A") : 0;
    DrawToolButtonGlyph(PlaceToolButtonGlyph(images, GetHotImages(), button->GetImageIndex(), st != 0, GetList(),
                                             fw::TSize{w, GetButtonHeight()}, dropDown, letter, st == 2),
                        button->GetImageIndex(), bmp.get());
  }
  if (dropDown) PaintDropDownPart(bmp.get(), button, state, w - GetSystemMetrics(SM_CXVSCROLL), moved);
  if (!button->GetEnabled()) ApplyDisabledKind(bmp.get(), FBtnDisabledKind, this, at, moved);
  BitBlt(GetCanvas()->GetHandle(), r.Left, r.Top, w, h, bmp->GetCanvas()->GetHandle(), 0, 0, SRCCOPY);
}

void TkToolBar::RepaintToolButton(int index) {
  if (index < 0 || index >= GetButtonCount() || !HandleAllocated()) return;
  HDC dc = GetDC(GetHandle());
  {
    fw::TCanvasLoan loan(static_cast<fw::TControlCanvas*>(GetCanvas()), dc);
    fw::TTBCustomDrawFlags flags;
    bool defaultDraw = true;
    PaintToolButton(this, GetButtons(index), fw::TCustomDrawState(), fw::cdPrePaint, flags, defaultDraw);
  }
  ReleaseDC(GetHandle(), dc);
}

void TkToolBar::PaintToolBarFrame() {
  TkCommonData* d = GetSkinData();
  d->Updating = d->GetUpdating();
  if (d->Updating || GetComponentState().Contains(fw::csDestroying) || !d->CacheBmp) return;
  const fw::TPoint o = ClientOffset();
  HDC dc = GetWindowDC(GetHandle());
  ExcludeClipRect(dc, o.X, o.Y, o.X + GetClientWidth(), o.Y + GetClientHeight());
  BitBlt(dc, 0, 0, GetWidth(), GetHeight(), d->CacheBmp->GetCanvas()->GetHandle(), 0, 0, SRCCOPY);
  ReleaseDC(GetHandle(), dc);
}

void TkToolBar::OwnSkinCommand(int command) {
  if (command == cmdNewSkin) return;
  FDroppedButton = nullptr;
  if (HandleAllocated()) RedrawWindow(GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE);
}

void TkToolBar::WndProc(fw::TMessage& m) {
  if (m.Msg == fw::CN_NOTIFY && fw::NMHdr(m)->code == TBN_DROPDOWN && ControlIsReady(this) &&
      GetSkinData()->SkinIsActive()) {
    const int index = static_cast<int>(SendMessageA(GetHandle(), TB_COMMANDTOINDEX,
                                                    reinterpret_cast<NMTOOLBARA*>(m.LParam)->iItem, 0));
    if (index >= 0 && index < GetButtonCount()) {
      FDroppedButton = GetButtons(index);
      RepaintToolButton(index);
    }
  }
  TkSkinned::WndProc(m);
}

bool TkToolBar::SkinnedMessage(fw::TMessage& m) {
  TkCommonData* d = GetSkinData();
  const bool designing = GetComponentState().Contains(fw::csDesigning);
  switch (m.Msg) {
    case WM_ERASEBKGND:
      return true;
    case WM_NCPAINT:
      PaintToolBarFrame();
      return true;
    case WM_PRINT:
      Perform(WM_PAINT, m.WParam, m.LParam);
      Perform(WM_NCPAINT, m.WParam, m.LParam);
      return true;
    case fw::CM_TEXTCHANGED:
      Invalidate();
      return true;
    default:
      break;
  }
  if (m.Msg == SM_SKINCMD) {
    if (SkinCmdOf(m.WParam) == cmdParentPainted) {
      if (d->Updating) {
        d->Updating = false;
        Invalidate();
      }
      return true;
    }
    return TkSkinned::SkinnedMessage(m);
  }
  CommonMessage(m, d);
  fw::TToolBar::WndProc(m);
  switch (m.Msg) {
    case fw::WM_TOOLBAR_DROPDOWN_CLOSED:
      if (FDroppedButton) {
        const int index = FDroppedButton->GetIndex();
        FHotButton = -1;
        FDroppedButton = nullptr;
        RepaintToolButton(index);
      }
      break;
    case WM_SIZE:
    case fw::CM_VISIBLECHANGED:
    case fw::CM_ENABLEDCHANGED:
      d->BGChanged = true;
      Invalidate();
      break;
    case WM_MOUSEMOVE: {
      if (GetFlat() || designing) break;
      const int index = ToolButtonAtPos(fw::TPoint(static_cast<short>(fw::LoWord(m.LParam)), static_cast<short>(fw::HiWord(m.LParam))));
      if (index == FHotButton || (index >= 0 && !GetButtons(index)->GetEnabled())) break;
      const int old = FHotButton;
      FHotButton = index;
      if (old >= 0 && !GetButtons(old)->GetDown()) RepaintToolButton(old);
      if (index >= 0 && !GetButtons(index)->GetDown()) RepaintToolButton(index);
      break;
    }
    case fw::CM_MOUSELEAVE:
      if (GetFlat() || designing) break;
      if (FHotButton >= 0) {
        const int old = FHotButton;
        FHotButton = -1;
        if (!GetButtons(old)->GetDown()) RepaintToolButton(old);
      }
      break;
    default:
      break;
  }
  return true;
}

}  // namespace skin
