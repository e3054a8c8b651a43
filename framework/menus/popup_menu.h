// TPopupMenu: a context menu shown with Popup(x, y). The popup-list window owns the native
// popups and turns their commands, owner-draw and init messages into calls on the items.
#pragma once
#include "framework/menus/menu.h"

namespace fw {

enum TMenuAnimationFlag { maLeftToRight, maRightToLeft, maTopToBottom, maBottomToTop, maNone };
using TMenuAnimation = TSet<TMenuAnimationFlag>;

class TPopupMenu : public TMenu {
  FW_CLASS(TPopupMenu, TMenu)
 public:
  explicit TPopupMenu(TComponent* owner);

  bool GetAutoPopup() const { return FAutoPopup; }
  void SetAutoPopup(bool v) { FAutoPopup = v; }
  TComponent* GetPopupComponent() const { return FPopupComponent; }
  void SetPopupComponent(TComponent* c);
  TMenuAnimation GetMenuAnimation() const { return FMenuAnimation; }
  void SetMenuAnimation(TMenuAnimation v) { FMenuAnimation = v; }
  // Shows the menu at a screen point and returns when it closes; the chosen item's OnClick
  // runs from the command the popup-list window receives.
  virtual void Popup(int x, int y);

  TNotifyEvent OnPopup;

 protected:
  void Notification(TComponent* component, TOperation operation) override;
  virtual void DoPopup();

 private:
  bool FAutoPopup = true;
  TComponent* FPopupComponent = nullptr;
  TMenuAnimation FMenuAnimation;
};

// The hidden window that owns popup menus (created on first use).
HWND PopupListWindow();
void FreePopupList();

}  // namespace fw
