// TToolBar/TToolButton: a ToolbarWindow32 whose native buttons mirror the TToolButton objects
// (image, caption, style, state). The buttons have no windows and are not children of the bar's
// control list, so the mouse stays with the native bar; clicks come back as WM_COMMAND ids.
#pragma once
#include <string>
#include <vector>

#include "framework/controls/control.h"
#include "framework/controls/win_control.h"
#include "framework/graphics/image_list.h"

namespace fw {

class TToolBar;
class TPopupMenu;

enum TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider, tbsTextButton };

// Posted to the bar when a drop-down menu of one of its buttons has closed.
constexpr UINT WM_TOOLBAR_DROPDOWN_CLOSED = WM_USER + 0x1000;

class TToolButton : public TControl {
  FW_CLASS(TToolButton, TControl)
 public:
  explicit TToolButton(TComponent* owner);

  TToolBar* GetToolBar() const { return FToolBar; }
  void SetToolBar(TToolBar* bar);
  int GetIndex() const;
  TToolButtonStyle GetStyle() const { return FStyle; }
  void SetStyle(TToolButtonStyle v);
  int GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(int v);
  bool GetDown() const;
  void SetDown(bool v);
  void SetEnabled(bool v) override;
  void SetVisible(bool v) override;
  void SetText(const std::string& s) override;
  TPopupMenu* GetDropdownMenu() const { return FDropdownMenu; }
  void SetDropdownMenu(TPopupMenu* menu);
  // The button's rectangle in the bar (TB_GETITEMRECT).
  TRect GetItemRect() const;
  int GetCommand() const { return FCommand; }

 protected:
  ~TToolButton() override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  friend class TToolBar;
  TToolBar* FToolBar = nullptr;
  TToolButtonStyle FStyle = tbsButton;
  int FImageIndex = -1;
  bool FDown = false;
  int FCommand;
  TPopupMenu* FDropdownMenu = nullptr;
};

class TToolBar : public TWinControl {
  FW_CLASS(TToolBar, TWinControl)
 public:
  explicit TToolBar(TComponent* owner);

  int GetButtonCount() const { return static_cast<int>(FButtons.size()); }
  TToolButton* GetButtons(int index) const { return FButtons.at(index); }
  TCustomImageList* GetImages() const { return FImages; }
  void SetImages(TCustomImageList* images);
  TCustomImageList* GetHotImages() const { return FHotImages; }
  void SetHotImages(TCustomImageList* images);
  bool GetFlat() const { return FFlat; }
  void SetFlat(bool v);
  bool GetList() const { return FList; }
  void SetList(bool v);
  bool GetShowCaptions() const { return FShowCaptions; }
  void SetShowCaptions(bool v);
  int GetButtonWidth() const { return FButtonWidth; }
  void SetButtonWidth(int v);
  int GetButtonHeight() const { return FButtonHeight; }
  void SetButtonHeight(int v);
  // Sends every button again (after a change of any of them).
  void UpdateButtons();

  void Dispatch(TMessage& msg) override;

 protected:
  ~TToolBar() override;
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  friend class TToolButton;
  TToolButton* ButtonOf(int command) const;

  std::vector<TToolButton*> FButtons;
  TCustomImageList* FImages = nullptr;
  TCustomImageList* FHotImages = nullptr;
  bool FFlat = false;
  bool FList = false;
  bool FShowCaptions = false;
  int FButtonWidth = 23;
  int FButtonHeight = 22;
};

}  // namespace fw
