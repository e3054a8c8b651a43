// TkCustomComboEdit: a skinned mask edit with a button inside its right edge (TkEditButton) that
// shows a glyph (TkGlyphMode) and runs RunButtonAction: OnButtonClick, then the popup window a
// descendant assigns. The native edit's rectangle leaves room for the button; ClickKey (Alt+Down)
// clicks it; DirectInput False refuses typing, pasting and cutting while the button still works;
// Enter and Escape go to the form first (default and cancel buttons). Idle, the whole window and
// the button come from the cache; active, the frame and the button.
#pragma once
#include <string>

#include "framework/menus/menu_item.h"
#include "skin/controls/edit_button.h"
#include "skin/controls/glyph_mode.h"
#include "skin/controls/mask_edit.h"

namespace skin {

class TkCustomComboEdit : public TkMaskEdit {
  FW_CLASS(TkCustomComboEdit, TkMaskEdit)
 public:
  explicit TkCustomComboEdit(fw::TComponent* owner);

  bool GetShowButton() const { return FShowButton; }
  void SetShowButton(bool value);
  fw::TShortCut GetClickKey() const { return FClickKey; }
  void SetClickKey(fw::TShortCut value) { FClickKey = value; }
  bool GetDirectInput() const { return FDirectInput; }
  void SetDirectInput(bool value);
  // The edit's own read-only state; the native edit is read-only also without DirectInput.
  bool GetReadOnly() const { return IsReadOnly(); }
  void SetReadOnly(bool value);
  TkGlyphMode* GetGlyphMode() const { return FGlyphMode.get(); }
  TkEditButton* GetButton() const { return FButton; }
  // The name of the built-in glyph the button shows (descendants set it).
  const std::string& GlyphName() const { return FGlyphName; }
  fw::TWinControl* GetPopup() const { return FPopup; }
  int GetPopupWidth() const { return FPopupWidth; }
  fw::TAlignment GetAlignment() const { return FAlignment; }

  virtual bool IsReadOnly() const { return FReadOnly; }
  // Shows the popup window under (or above) the edit; only with a popup, not read-only.
  virtual void ShowPopup();
  virtual void HidePopup();
  virtual void SelectAllText();
  bool PopupVisible() const;

  // What the button does (unless read-only): OnButtonClick, then shows or hides the popup.
  virtual void RunButtonAction();

  void FitEditRect() override;
  void PaintFromCache(HDC dc) override;
  bool IsActiveLook() const override;
  void Invalidate() override;
  void WndProc(fw::TMessage& m) override;

  fw::TNotifyEvent OnButtonClick;

 protected:
  ~TkCustomComboEdit() override;
  void BeforeDestruction() override;
  void CreateParams(fw::TCreateParams& params) override;
  void CreateWnd() override;
  void Loaded() override;
  void KeyDown(WORD& key, fw::TShiftState shift) override;
  void KeyPress(char& key) override;
  void MouseDown(fw::TMouseButton button, fw::TShiftState shift, int x, int y) override;
  void Change() override;
  bool PassesSkinCommands() const override { return true; }
  // The text leaves the button's room; the frame's right strip is 3 pixels wide, and the button
  // is drawn with it while the edit is active.
  fw::TRect TextRect() const override;
  unsigned TextFlags() const override;
  bool FrameRebuildsCache() const override { return IsActiveLook(); }
  void CopyFrame(HDC target) override;
  void SetGlyphName(const std::string& name);
  void SetPopup(fw::TWinControl* popup) { FPopup = popup; }
  void SetPopupWidth(int value) { FPopupWidth = value; }
  // 0: the popup's right edge under the edit's; 1: its left edge under the edit's.
  void SetPopupAlign(int value) { FPopupAlign = value; }

 private:
  void ButtonClick(fw::TObject* sender);
  int ButtonWidth() const;
  // The button's face from the cache onto dc at its place in the window.
  void DrawButton(HDC dc);

  bool FShowButton = true;
  fw::TShortCut FClickKey = fw::scAlt | VK_DOWN;
  bool FDirectInput = true;
  bool FReadOnly = false;
  std::unique_ptr<TkGlyphMode> FGlyphMode;
  TkEditButton* FButton = nullptr;
  std::string FGlyphName;
  fw::TWinControl* FPopup = nullptr;
  int FPopupWidth = 197;
  int FPopupAlign = 0;
  fw::TAlignment FAlignment = fw::taLeftJustify;
  bool FInvalidating = false;
};

}  // namespace skin
