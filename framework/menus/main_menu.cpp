#include "framework/menus/main_menu.h"

namespace fw {

TMainMenu::TMainMenu(TComponent* owner) : TMenu(owner) {}

void TMainMenu::BeforeDestruction() {
  // The window must not keep a bar whose items are about to go.
  SetWindowHandle(nullptr);
  TMenu::BeforeDestruction();
}

void TMainMenu::SetWindowHandle(HWND wnd) {
  if (FWindowHandle && FWindowHandle != wnd && IsWindow(FWindowHandle) && ::GetMenu(FWindowHandle) == GetHandle())
    ::SetMenu(FWindowHandle, nullptr);
  FWindowHandle = wnd;
  if (wnd) ::SetMenu(wnd, GetHandle());
}

void TMainMenu::MenuChanged(TMenuItem*) {
  if (!FWindowHandle || !IsWindow(FWindowHandle) || GetComponentState().Contains(csDestroying)) return;
  GetHandle();  // rebuilds the bar in place: the window keeps the same menu handle
  DrawMenuBar(FWindowHandle);
  SendMessageA(FWindowHandle, CM_MENUCHANGED, 0, 0);
}

}  // namespace fw
