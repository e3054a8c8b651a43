#include "framework/comctrls/tool_bar.h"

#include <algorithm>

#include "framework/comctrls/common_controls.h"
#include "framework/controls/mouse_tracker.h"
#include "framework/forms/application_hint.h"
#include "framework/menus/popup_menu.h"
#include "framework/rtl/wide_text.h"

namespace fw {

namespace {
int NextCommand() {
  static int id = 0x7000;
  return ++id;
}
}  // namespace

// --- TToolButton ---

TToolButton::TToolButton(TComponent* owner) : TControl(owner), FCommand(NextCommand()) {
  FWidth = 23;
  FHeight = 22;
}

TToolButton::~TToolButton() = default;

void TToolButton::Notification(TComponent* component, TOperation operation) {
  TControl::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == FDropdownMenu) FDropdownMenu = nullptr;
  if (component == FToolBar) FToolBar = nullptr;
}

void TToolButton::SetToolBar(TToolBar* bar) {
  if (bar == FToolBar) return;
  if (FToolBar) {
    auto& list = FToolBar->FButtons;
    list.erase(std::find(list.begin(), list.end(), this));
    FToolBar->RemoveFreeNotification(this);
    FToolBar->UpdateButtons();
  }
  FToolBar = bar;
  if (bar) {
    bar->FButtons.push_back(this);
    bar->FreeNotification(this);
    bar->UpdateButtons();
  }
}

int TToolButton::GetIndex() const {
  if (!FToolBar) return -1;
  auto& list = FToolBar->FButtons;
  return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

void TToolButton::SetStyle(TToolButtonStyle v) {
  FStyle = v;
  if (FToolBar) FToolBar->UpdateButtons();
}

void TToolButton::SetImageIndex(int v) {
  FImageIndex = v;
  if (FToolBar && FToolBar->HandleAllocated()) FToolBar->Perform(TB_CHANGEBITMAP, static_cast<WPARAM>(FCommand), v);
}

bool TToolButton::GetDown() const {
  if (FToolBar && FToolBar->HandleAllocated())
    // -1 answers a command the bar does not hold (yet).
    return SendMessageA(FToolBar->GetHandleNoCreate(), TB_ISBUTTONCHECKED, static_cast<WPARAM>(FCommand), 0) > 0;
  return FDown;
}

void TToolButton::SetDown(bool v) {
  FDown = v;
  if (FToolBar && FToolBar->HandleAllocated()) FToolBar->Perform(TB_CHECKBUTTON, static_cast<WPARAM>(FCommand), v);
}

void TToolButton::SetEnabled(bool v) {
  TControl::SetEnabled(v);
  if (FToolBar && FToolBar->HandleAllocated()) FToolBar->Perform(TB_ENABLEBUTTON, static_cast<WPARAM>(FCommand), v);
}

void TToolButton::SetVisible(bool v) {
  FVisible = v;
  if (FToolBar && FToolBar->HandleAllocated()) FToolBar->Perform(TB_HIDEBUTTON, static_cast<WPARAM>(FCommand), !v);
}

void TToolButton::SetText(const std::string& s) {
  FText = s;
  if (FToolBar) FToolBar->UpdateButtons();
}

void TToolButton::SetDropdownMenu(TPopupMenu* menu) {
  if (FDropdownMenu) FDropdownMenu->RemoveFreeNotification(this);
  FDropdownMenu = menu;
  if (menu) menu->FreeNotification(this);
}

TRect TToolButton::GetItemRect() const {
  RECT r{};
  int index = GetIndex();
  if (index >= 0 && FToolBar->HandleAllocated())
    SendMessageA(FToolBar->GetHandleNoCreate(), TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
  return r;
}

// --- TToolBar ---

TToolBar::TToolBar(TComponent* owner) : TWinControl(owner), FCanvas(std::make_unique<TControlCanvas>(this)) {
  FControlStyle = TControlStyle{csDoubleClicks};
  FWidth = 150;
  FHeight = 29;
  SetAlign(alTop);
  SetParentColor(false);
  FColor = clBtnFace;
}

TToolBar::~TToolBar() {
  for (TToolButton* b : FButtons) b->FToolBar = nullptr;
}

void TToolBar::CreateParams(TCreateParams& params) {
  InitCommonControl(ICC_BAR_CLASSES);
  TWinControl::CreateParams(params);
  CreateSubClass(params, TOOLBARCLASSNAMEA);
  params.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
  if (FFlat) params.Style |= TBSTYLE_FLAT;
  if (FList) params.Style |= TBSTYLE_LIST;
}

void TToolBar::CreateWnd() {
  TWinControl::CreateWnd();
  Perform(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  Perform(TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
  if (FImages) Perform(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(FImages->GetHandle()));
  if (FHotImages) Perform(TB_SETHOTIMAGELIST, 0, reinterpret_cast<LPARAM>(FHotImages->GetHandle()));
  UpdateButtons();
}

void TToolBar::UpdateButtons() {
  if (!HandleAllocated()) return;
  for (TToolButton* b : FButtons) b->FDown = b->GetDown();
  while (Perform(TB_BUTTONCOUNT, 0, 0) > 0) Perform(TB_DELETEBUTTON, 0, 0);
  if (FImages) Perform(TB_SETBITMAPSIZE, 0, MAKELONG(FImages->GetWidth(), FImages->GetHeight()));
  for (TToolButton* b : FButtons) {
    TBBUTTON tb{};
    tb.idCommand = b->FCommand;
    const bool spacer = b->FStyle == tbsSeparator || b->FStyle == tbsDivider;
    tb.iBitmap = spacer ? 0 : b->FImageIndex;
    static const BYTE styles[] = {BTNS_BUTTON, BTNS_CHECK, BTNS_DROPDOWN,
                                  BTNS_SEP,    BTNS_SEP,   BTNS_BUTTON | BTNS_SHOWTEXT};
    tb.fsStyle = styles[b->FStyle];
    tb.fsState = static_cast<BYTE>((b->FEnabled ? TBSTATE_ENABLED : 0) | (b->FDown ? TBSTATE_CHECKED : 0) |
                                   (b->FVisible ? 0 : TBSTATE_HIDDEN));
    std::string caption = ValidUtf8(b->FText);
    tb.iString = FShowCaptions && !spacer ? reinterpret_cast<INT_PTR>(caption.c_str()) : -1;
    Perform(TB_INSERTBUTTONA, static_cast<WPARAM>(Perform(TB_BUTTONCOUNT, 0, 0)), reinterpret_cast<LPARAM>(&tb));
  }
  if (!FShowCaptions) Perform(TB_SETBUTTONSIZE, 0, MAKELONG(FButtonWidth, FButtonHeight));
  Perform(TB_AUTOSIZE, 0, 0);
  Invalidate();
}

void TToolBar::SetImages(TCustomImageList* images) {
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = images;
  if (images) images->FreeNotification(this);
  if (HandleAllocated()) {
    Perform(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images ? images->GetHandle() : nullptr));
    UpdateButtons();
  }
}

void TToolBar::SetHotImages(TCustomImageList* images) {
  if (FHotImages) FHotImages->RemoveFreeNotification(this);
  FHotImages = images;
  if (images) images->FreeNotification(this);
  if (HandleAllocated()) Perform(TB_SETHOTIMAGELIST, 0, reinterpret_cast<LPARAM>(images ? images->GetHandle() : nullptr));
}

void TToolBar::Notification(TComponent* component, TOperation operation) {
  TWinControl::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == FImages) SetImages(nullptr);
  if (component == FHotImages) SetHotImages(nullptr);
  if (component == FHintButton) FHintButton = nullptr;
  auto it = std::find(FButtons.begin(), FButtons.end(), component);
  if (it != FButtons.end()) {
    FButtons.erase(it);
    UpdateButtons();
  }
}

void TToolBar::SetFlat(bool v) {
  if (v == FFlat) return;
  FFlat = v;
  RecreateWnd();
}

void TToolBar::SetList(bool v) {
  if (v == FList) return;
  FList = v;
  RecreateWnd();
}

void TToolBar::SetShowCaptions(bool v) {
  FShowCaptions = v;
  UpdateButtons();
}

void TToolBar::SetButtonWidth(int v) {
  FButtonWidth = v;
  UpdateButtons();
}

void TToolBar::SetButtonHeight(int v) {
  FButtonHeight = v;
  UpdateButtons();
}

void TToolBar::SetEdgeBorders(TEdgeBorders v) {
  FEdgeBorders = v;
  EdgesChanged();
}

void TToolBar::SetEdgeInner(TEdgeStyle v) {
  FEdgeInner = v;
  EdgesChanged();
}

void TToolBar::SetEdgeOuter(TEdgeStyle v) {
  FEdgeOuter = v;
  EdgesChanged();
}

int TToolBar::EdgeWidth(TEdgeBorder side) const {
  if (!FEdgeBorders.Contains(side)) return 0;
  return (FEdgeInner != esNone ? 1 : 0) + (FEdgeOuter != esNone ? 1 : 0);
}

void TToolBar::EdgesChanged() {
  if (HandleAllocated())
    SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TToolBar::PaintEdges() {
  if (EdgeWidth(ebLeft) + EdgeWidth(ebTop) + EdgeWidth(ebRight) + EdgeWidth(ebBottom) == 0) return;
  HDC dc = GetWindowDC(FHandle);
  RECT r{0, 0, GetWidth(), GetHeight()};
  UINT sides = (FEdgeBorders.Contains(ebLeft) ? BF_LEFT : 0) | (FEdgeBorders.Contains(ebTop) ? BF_TOP : 0) |
               (FEdgeBorders.Contains(ebRight) ? BF_RIGHT : 0) | (FEdgeBorders.Contains(ebBottom) ? BF_BOTTOM : 0);
  UINT edge = (FEdgeOuter == esRaised ? BDR_RAISEDOUTER : FEdgeOuter == esLowered ? BDR_SUNKENOUTER : 0) |
              (FEdgeInner == esRaised ? BDR_RAISEDINNER : FEdgeInner == esLowered ? BDR_SUNKENINNER : 0);
  DrawEdge(dc, &r, edge, sides | BF_ADJUST);
  ReleaseDC(FHandle, dc);
}

LRESULT TToolBar::CustomDraw(NMTBCUSTOMDRAW* draw) {
  NMCUSTOMDRAW& cd = draw->nmcd;
  bool defaultDraw = true;
  const DWORD stage = cd.dwDrawStage;
  TCustomDrawStage s = cdPrePaint;
  if ((stage & CDDS_POSTPAINT) == CDDS_POSTPAINT) s = cdPostPaint;
  if ((stage & CDDS_PREERASE) == CDDS_PREERASE) s = cdPreErase;
  if ((stage & CDDS_POSTERASE) == CDDS_POSTERASE) s = cdPostErase;
  TCanvasLoan loan(FCanvas.get(), cd.hdc);
  if (!(stage & CDDS_ITEM)) {
    if (!OnAdvancedCustomDraw && !OnAdvancedCustomDrawButton) return CDRF_DODEFAULT;
    if (OnAdvancedCustomDraw) OnAdvancedCustomDraw(this, GetClientRect(), s, defaultDraw);
    if (!defaultDraw) return CDRF_SKIPDEFAULT;
    // The native bar sends the buttons' custom draw only when asked for it.
    return stage == CDDS_PREPAINT ? CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT : CDRF_DODEFAULT;
  }
  TToolButton* button = ButtonOf(static_cast<int>(cd.dwItemSpec));
  if (!button || !OnAdvancedCustomDrawButton) return CDRF_DODEFAULT;
  TTBCustomDrawFlags flags;
  OnAdvancedCustomDrawButton(this, button, CustomDrawStateOf(cd.uItemState), s, flags, defaultDraw);
  if (!defaultDraw) return CDRF_SKIPDEFAULT;
  LRESULT result = CDRF_DODEFAULT;
  if (flags.Contains(tbNoEdges)) result |= TBCDRF_NOEDGES;
  if (flags.Contains(tbHiliteHotTrack)) result |= TBCDRF_HILITEHOTTRACK;
  if (flags.Contains(tbNoOffset)) result |= TBCDRF_NOOFFSET;
  if (flags.Contains(tbNoMark)) result |= TBCDRF_NOMARK;
  if (flags.Contains(tbNoEtchedEffect)) result |= TBCDRF_NOETCHEDEFFECT;
  return result;
}

TToolButton* TToolBar::ButtonOf(int command) const {
  for (TToolButton* b : FButtons)
    if (b->FCommand == command) return b;
  return nullptr;
}

TToolButton* TToolBar::ButtonAt(TPoint p) const {
  for (TToolButton* b : FButtons) {
    if (!b->GetVisible() || b->FStyle == tbsSeparator || b->FStyle == tbsDivider) continue;
    const TRect r = b->GetItemRect();
    if (p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom) return b;
  }
  return nullptr;
}

void TToolBar::Dispatch(TMessage& msg) {
  switch (msg.Msg) {
    case WM_MOUSEMOVE:
      // The buttons are no controls of their own: moving to another one starts its hint over.
      if (TToolButton* b = ButtonAt(TPoint(XPos(msg), YPos(msg))); b != FHintButton) {
        FHintButton = b;
        MouseControlPartChanged();
      }
      break;
    case CM_HINTSHOW: {
      auto* info = reinterpret_cast<THintInfo*>(msg.LParam);
      TToolButton* b = ButtonAt(info->CursorPos);
      if (b && !b->GetHint().empty()) info->HintStr = GetShortHint(b->GetHint());
      msg.Result = b && !b->GetHint().empty() ? 0 : 1;
      return;
    }
    case CN_COMMAND:
      if (TToolButton* b = ButtonOf(LoWord(msg.WParam))) {
        b->FDown = b->GetDown();
        b->Click();
      }
      return;
    case WM_NCCALCSIZE: {
      TWinControl::Dispatch(msg);
      RECT* r = reinterpret_cast<RECT*>(msg.LParam);  // the first rectangle of either form
      r->left += EdgeWidth(ebLeft);
      r->top += EdgeWidth(ebTop);
      r->right = std::max(r->left, r->right - EdgeWidth(ebRight));
      r->bottom = std::max(r->top, r->bottom - EdgeWidth(ebBottom));
      return;
    }
    case WM_NCPAINT:
      TWinControl::Dispatch(msg);
      PaintEdges();
      return;
    case CN_NOTIFY:
      if (NMHdr(msg)->code == NM_CUSTOMDRAW) {
        msg.Result = CustomDraw(reinterpret_cast<NMTBCUSTOMDRAW*>(msg.LParam));
        return;
      }
      if (NMHdr(msg)->code == TBN_DROPDOWN) {
        auto* nm = reinterpret_cast<NMTOOLBARA*>(msg.LParam);
        TToolButton* b = ButtonOf(nm->iItem);
        if (b && b->FDropdownMenu) {
          TRect r = b->GetItemRect();
          TPoint p = ClientToScreen(TPoint(r.Left, r.Bottom));
          b->FDropdownMenu->SetPopupComponent(b);
          b->FDropdownMenu->Popup(p.X, p.Y);
          PostMessageA(FHandle, WM_TOOLBAR_DROPDOWN_CLOSED, 0, 0);
        }
        msg.Result = TBDDRET_DEFAULT;
        return;
      }
      break;
    default:
      break;
  }
  TWinControl::Dispatch(msg);
}

}  // namespace fw
