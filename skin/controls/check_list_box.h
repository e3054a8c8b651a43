// TkCheckListBox: the skinned list box with a check box in front of every line. Each line may
// carry a three-state check, an enabled flag, a header flag (a caption line in its own colours
// or skin section, without a check box) and a user data value, all in one
// TkCheckListBoxDataWrapper kept as the native line's item data, so they follow the line
// through sorting, moves and exchanges, and survive a re-creation of the window. A click in the
// check area or the space bar toggles an enabled line. The glyphs are the skin's "SMALLCHECKED",
// "SMALLUNCHECKED" and "SMALLGRAYED", or the system's check box.
#pragma once
#include <unordered_set>
#include <vector>

#include "framework/stdctrls/check_box.h"
#include "skin/controls/list_box.h"

namespace skin {

struct TkCheckListBoxDataWrapper {
  void* Data = nullptr;
  fw::TCheckBoxState State = fw::cbUnchecked;
  bool Disabled = false;
  bool Header = false;
};

// The next state of a toggled check: unchecked -> (grayed ->) checked -> unchecked.
fw::TCheckBoxState NextCheckState(fw::TCheckBoxState state, bool allowGrayed);
// The system check glyph's size, measured once at start-up (OBM_CHECKBOXES, a 4 x 3 grid).
void MeasureCheckListGlyph();

class TkCheckListBox : public TkSkinListBox {
  FW_CLASS(TkCheckListBox, TkSkinListBox)
 public:
  explicit TkCheckListBox(fw::TComponent* owner);

  bool GetAllowGrayed() const { return FAllowGrayed; }
  void SetAllowGrayed(bool value) { FAllowGrayed = value; }
  fw::TColor GetHeaderColor() const { return FHeaderColor; }
  void SetHeaderColor(fw::TColor value) { SetAndRepaint(FHeaderColor, value); }
  fw::TColor GetHeaderBackgroundColor() const { return FHeaderBackgroundColor; }
  void SetHeaderBackgroundColor(fw::TColor value) { SetAndRepaint(FHeaderBackgroundColor, value); }
  const std::string& GetHeaderSkin() const { return FHeaderSkin; }
  void SetHeaderSkin(const std::string& value);

  bool GetChecked(int index) const { return GetState(index) == fw::cbChecked; }
  void SetChecked(int index, bool value) { SetState(index, value ? fw::cbChecked : fw::cbUnchecked); }
  fw::TCheckBoxState GetState(int index) const;
  void SetState(int index, fw::TCheckBoxState state);
  bool GetItemEnabled(int index) const;
  void SetItemEnabled(int index, bool value);
  bool GetHeader(int index) const;
  void SetHeader(int index, bool value);
  // The check area's width: the glyph's + 2.
  int CheckWidth() const;
  // Toggles an enabled line by the cycle, then ClickCheck.
  void ToggleClickCheck(int index);

  fw::TNotifyEvent OnClickCheck;

  void WndProc(fw::TMessage& m) override;
  void Dispatch(fw::TMessage& m) override;

 protected:
  ~TkCheckListBox() override;
  virtual void ClickCheck();
  void KeyPress(char& key) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void DrawItem(int index, const fw::TRect& rect, fw::TOwnerDrawState state) override;
  void* InternalGetItemData(int index) const override { return TkSkinListBox::GetItemData(index); }
  void InternalSetItemData(int index, void* data) override { TkSkinListBox::SetItemData(index, data); }
  void* GetItemData(int index) const override;
  void SetItemData(int index, void* data) override;
  void ResetContent() override;
  void DeleteString(int index) override;

 private:
  template <class T>
  void SetAndRepaint(T& field, const T& value) {
    if (field == value) return;
    field = value;
    GetSkinData()->RepaintOwner();
  }
  // The line's wrapper, null when it has none; an index the window refuses raises.
  TkCheckListBoxDataWrapper* Wrapper(int index) const;
  TkCheckListBoxDataWrapper* NeedWrapper(int index);
  void FreeWrappers();
  void InvalidateCheck(int index);
  fw::TSize GlyphSize() const;
  void DrawSkinnedItem(int index, const fw::TRect& rect, fw::TOwnerDrawState state);
  void DrawPlainItem(int index, const fw::TRect& rect, fw::TOwnerDrawState state);
  void DrawSystemCheck(HDC dc, const fw::TRect& area, fw::TCheckBoxState state, bool enabled);
  void DrawHeaderText(fw::TCanvas* canvas, int index, fw::TRect r);

  bool FAllowGrayed = false;
  fw::TColor FHeaderColor = fw::clInfoText;
  fw::TColor FHeaderBackgroundColor = fw::clInfoBk;
  std::string FHeaderSkin;
  std::unordered_set<TkCheckListBoxDataWrapper*> FWrappers;
  std::vector<int> FSavedStates;  // (State shl 16) or Disabled, between destroying and making the window
  size_t FSavedNext = 0;
};

}  // namespace skin
