// TMainMenu: a form's menu bar. Its root item's native menu is a bar (CreateMenu); a change
// anywhere in the tree rebuilds the bar of the form that shows it and tells that form
// (CM_MENUCHANGED).
#pragma once
#include "framework/menus/menu.h"

namespace fw {

class TMainMenu : public TMenu {
  FW_CLASS(TMainMenu, TMenu)
 public:
  explicit TMainMenu(TComponent* owner);

  bool IsMenuBar() const override { return true; }
  void MenuChanged(TMenuItem* item) override;

  // The window whose bar this menu is (set by the form that shows it), or null.
  HWND GetWindowHandle() const { return FWindowHandle; }
  void SetWindowHandle(HWND wnd);

 protected:
  ~TMainMenu() override = default;
  void BeforeDestruction() override;

 private:
  HWND FWindowHandle = nullptr;
};

}  // namespace fw
