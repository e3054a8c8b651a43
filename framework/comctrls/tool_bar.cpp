#include "framework/comctrls/tool_bar.h"

#include <algorithm>

#include "framework/comctrls/common_controls.h"
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
    return SendMessageA(FToolBar->GetHandleNoCreate(), TB_ISBUTTONCHECKED, static_cast<WPARAM>(FCommand), 0) != 0;
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

TToolBar::TToolBar(TComponent* owner) : TWinControl(owner) {
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

TToolButton* TToolBar::ButtonOf(int command) const {
  for (TToolButton* b : FButtons)
    if (b->FCommand == command) return b;
  return nullptr;
}

void TToolBar::Dispatch(TMessage& msg) {
  switch (msg.Msg) {
    case CN_COMMAND:
      if (TToolButton* b = ButtonOf(LoWord(msg.WParam))) {
        b->FDown = b->GetDown();
        b->Click();
      }
      return;
    case CN_NOTIFY:
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
