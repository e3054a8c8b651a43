// TkCommonCombo: the platform combo-box window under a list control, its edit and list windows
// hooked (keys to the control, Enter and Escape closing a dropped list), its notifications, item
// height, drop-down count and MaxLength. TkCommonComboBox adds the string items (kept by the
// window, TkComboBoxStrings), the style, auto-complete (the typed letters sought from the start;
// a pause of more than 500 ms starts a new search) and the skinned painting: the face and the
// combo box's button from the cache, the selected item drawn over it by DrawSkinItem.
#pragma once
#include <memory>
#include <string>

#include "framework/controls/control_canvas.h"
#include "framework/msg/subclass_window.h"
#include "framework/stdctrls/custom_combo_box.h"
#include "skin/controls/combo_box_strings.h"
#include "skin/controls/list_control.h"

namespace skin {

class TkCommonCombo : public TkCustomListControl {
  FW_CLASS(TkCommonCombo, fw::TWinControl)
 public:
  explicit TkCommonCombo(fw::TComponent* owner);

  virtual fw::TStrings* GetItems() const = 0;
  // The stored height here; descendants may ask the window.
  virtual int GetItemHeight() const { return FItemHeight; }
  // Positive heights only: stored, sent, and the window made again.
  virtual void SetItemHeight(int value);
  int GetDropDownCount() const { return FDropDownCount; }
  virtual void SetDropDownCount(int value) { FDropDownCount = value; }
  int GetMaxLength() const { return FMaxLength; }
  // A negative length is stored (and sent) as 0.
  void SetMaxLength(int value);
  bool GetDroppedDown() const;
  void SetDroppedDown(bool value);
  HWND EditHandle() const { return FEditHandle; }
  HWND ListHandle() const { return FListHandle; }

  int GetCount() const override { return GetItems()->GetCount(); }
  int GetItemIndex() const override;
  void SetItemIndex(int value) override;
  void AddItem(const std::string& item, void* object) override { GetItems()->AddObject(item, object); }
  void Clear() override;
  void ClearSelection() override { SetItemIndex(-1); }
  void CopySelection(TkCustomListControl* destination) override;
  void DeleteSelected() override;
  void SelectAll() override;
  // The list as tall as its rows (at most DropDownCount) under the control.
  virtual void AdjustDropDown();

  fw::TNotifyEvent OnChange;
  fw::TNotifyEvent OnSelect;
  fw::TNotifyEvent OnDropDown;
  fw::TNotifyEvent OnCloseUp;

  void Dispatch(fw::TMessage& m) override;

 protected:
  ~TkCommonCombo() override;
  void Loaded() override;
  void CreateWnd() override;
  void DestroyWnd() override;
  // The messages of the edit and list windows: keys to the control first.
  virtual void SubWindowMessage(fw::TMessage& m, HWND wnd, const fw::TCallPrevious& previous);
  virtual void Change();
  virtual void Select();
  virtual void DropDown();
  virtual void CloseUp();
  // After a change, for descendants (margins).
  virtual void Changed() {}

  fw::TControlCanvas* Canvas() const { return FCanvas.get(); }
  int FItemHeight = 16;
  int FStoredIndex = -1;

 private:
  std::unique_ptr<fw::TControlCanvas> FCanvas;
  int FDropDownCount = 14;
  int FMaxLength = 0;
  bool FFocusChanged = false;
  HWND FEditHandle = nullptr;
  HWND FListHandle = nullptr;
  int FEditHook = 0;
  int FListHook = 0;
};

class TkCommonComboBox : public TkCommonCombo {
  FW_CLASS(TkCommonComboBox, fw::TWinControl)
 public:
  explicit TkCommonComboBox(fw::TComponent* owner);

  fw::TStrings* GetItems() const override { return FItems.get(); }
  // The window's own item height, the stored one for the owner-draw styles.
  int GetItemHeight() const override;
  fw::TComboBoxStyle GetStyle() const { return FStyle; }
  virtual void SetStyle(fw::TComboBoxStyle value);
  bool GetAutoComplete() const { return FAutoComplete; }
  void SetAutoComplete(bool value) { FAutoComplete = value; }
  bool GetAutoDropDown() const { return FAutoDropDown; }
  void SetAutoDropDown(bool value) { FAutoDropDown = value; }
  std::string GetText() const override;

  fw::TDrawItemEvent OnDrawItem;
  fw::TMeasureItemEvent OnMeasureItem;

  void WndProc(fw::TMessage& m) override;

 protected:
  ~TkCommonComboBox() override;
  void CreateParams(fw::TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void KeyPress(char& key) override;
  // The skinned face, button and edit area onto dc.
  virtual void PaintFromCache(HDC dc);
  virtual void DrawItem(int index, const fw::TRect& rect, fw::TOwnerDrawState state);
  // The edit area over the skinned face; nothing here.
  virtual void DrawSkinItem(int, const fw::TRect&, fw::TOwnerDrawState) {}
  virtual void MeasureItem(int index, int& height);
  // The button's place: a scroll bar's width inside the right edge (the left one right to left).
  fw::TRect ButtonRect() const;
  bool SkinnedMessage(fw::TMessage& m) override;

 private:
  void DrawItemMessage(fw::TMessage& m);

  std::unique_ptr<TkComboBoxStrings> FItems;
  fw::TComboBoxStyle FStyle = fw::csDropDown;
  bool FAutoComplete = true;
  bool FAutoDropDown = false;
  std::string FSearch;
  DWORD FLastKey = 0;
  std::unique_ptr<fw::TStringList> FSavedItems;
};

}  // namespace skin
