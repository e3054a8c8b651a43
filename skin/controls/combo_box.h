// TkCustomComboBox/TkComboBox: the skinned combo box ("COMBOBOX"). Its frame and its drop-down
// button column ("COMBOBTN" with the "COMBOBOX" arrow glyph, pressed while the list is down)
// come from the cache; the idle edit area is drawn by the item drawing (DrawComboItem) with
// the selected text; while focused an editable combo leaves its text to the native edit.
// ReadOnly keeps the selection and the text as they are: keys, presses, wheel and clipboard
// reach neither the control nor its edit and list windows, but it still takes the focus.
// Without an active skin it is the framework's combo box.
#pragma once
#include <memory>

#include "framework/msg/subclass_window.h"
#include "framework/stdctrls/custom_combo_box.h"
#include "skin/controls/bound_label.h"
#include "skin/controls/skinned_control.h"

namespace skin {

// The drop-down button of a combo box width x height: as wide as a vertical scroll bar (0 for
// a simple combo), 2 pixels inside the frame, at the left when aligned right to left.
fw::TRect ComboButtonRect(int width, int height, bool simple, bool rightToLeft);

// The drop-down button into the skin state's cache: the "COMBOBTN" face and border for the state
// (0 normal, 1 hot, 2 pressed) over r, and the "COMBOBOX" arrow frame centred in it on a control
// of that height.
void PaintComboButton(TkCommonData* d, const fw::TRect& r, int state, int height);

class TkCustomComboBox : public TkSkinned<fw::TCustomComboBox> {
  FW_CLASS(TkCustomComboBox, fw::TCustomComboBox)
 public:
  explicit TkCustomComboBox(fw::TComponent* owner);

  TkBoundLabel* GetBoundLabel() const { return FBoundLabel.get(); }
  bool GetReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool value) { FReadOnly = value; }
  // True from the list's opening until it closes.
  bool GetDropped() const { return FDropped; }
  fw::TRect ButtonRect() const;
  // The frame, the button column and the idle edit area onto dc (the window's DC when null).
  void PaintComboBox(HDC dc);
  // The focus is on the combo box or its edit window, else the skin state's focused flag.
  bool Focused() const override;
  void Invalidate() override;

  void WndProc(fw::TMessage& m) override;

 protected:
  ~TkCustomComboBox() override;
  void Loaded() override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void DropDown() override;
  // DrawComboItem: the edit area (and the rows of owner-drawn lists) with Text in the control's
  // colours, the selection's when selected; OnDrawItem when assigned.
  void DrawItem(int index, const fw::TRect& rect, fw::TOwnerDrawState state) override;
  void PaintContent() override;
  void OwnSkinCommand(int command) override;
  bool SkinnedMessage(fw::TMessage& m) override;

 private:
  // The button's face and arrow into the cache.
  void PaintButton();
  // While ReadOnly: what the control's own window or its edit and list windows must not get.
  bool ReadOnlyDropsOwn(const fw::TMessage& m) const;
  static bool ReadOnlyDropsSub(const fw::TMessage& m);
  void SubWindowMessage(fw::TMessage& m, const fw::TCallPrevious& previous);

  std::unique_ptr<TkBoundLabel> FBoundLabel;
  bool FReadOnly = false;
  bool FDropped = false;
  int FEditHook = 0;
  int FListHook = 0;
};

class TkComboBox : public TkCustomComboBox {
  FW_CLASS(TkComboBox, TkCustomComboBox)
 public:
  using TkCustomComboBox::TkCustomComboBox;

 protected:
  ~TkComboBox() override = default;
};

}  // namespace skin
