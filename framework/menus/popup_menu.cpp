#include "framework/menus/popup_menu.h"

#include "framework/msg/allocate_hwnd.h"

namespace fw {

namespace {
HWND popupList = nullptr;

void PopupListProc(TMessage& msg) {
  if (DispatchMenuMessage(msg)) return;
  switch (msg.Msg) {
    case WM_INITMENUPOPUP:
      // A submenu opening runs its parent item's OnClick, so handlers can prepare it.
      if (TMenuItem* item = TMenuItem::FindBySubmenu(reinterpret_cast<HMENU>(msg.WParam)); item && item->GetParent())
        item->Click();
      return;
    default:
      break;
  }
  msg.Result = DefWindowProcA(popupList, msg.Msg, msg.WParam, msg.LParam);
}
}  // namespace

HWND PopupListWindow() {
  if (!popupList) popupList = AllocateHWnd(PopupListProc);
  return popupList;
}

void FreePopupList() {
  DeallocateHWnd(popupList);
  popupList = nullptr;
}

TPopupMenu::TPopupMenu(TComponent* owner) : TMenu(owner) {}

void TPopupMenu::SetPopupComponent(TComponent* c) {
  FPopupComponent = c;
  if (c) c->FreeNotification(this);
}

void TPopupMenu::Notification(TComponent* component, TOperation operation) {
  TMenu::Notification(component, operation);
  if (operation == opRemove && component == FPopupComponent) FPopupComponent = nullptr;
}

void TPopupMenu::DoPopup() {
  if (OnPopup) OnPopup(this);
}

void TPopupMenu::Popup(int x, int y) {
  DoPopup();
  UINT flags = TPM_LEFTALIGN | TPM_RIGHTBUTTON;
  if (FMenuAnimation.Contains(maNone)) flags |= 0x4000;  // TPM_NOANIMATION
  HWND owner = PopupListWindow();
  // The owner's thread must be in the foreground, or the menu would not close on a click
  // elsewhere. When one of this thread's windows is there already it stays there: handing the
  // foreground to the hidden owner would leave that window without activation and focus.
  HWND foreground = GetForegroundWindow();
  if (!foreground || GetWindowThreadProcessId(foreground, nullptr) != GetCurrentThreadId()) SetForegroundWindow(owner);
  TrackPopupMenu(GetHandle(), flags, x, y, 0, owner, nullptr);
  PostMessageA(owner, WM_NULL, 0, 0);
}

}  // namespace fw
