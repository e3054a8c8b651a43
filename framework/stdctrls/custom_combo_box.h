// TCustomComboBox/TComboBox over the native COMBOBOX class. Items is a TStrings that keeps its
// own copy of the strings and mirrors every change into the window (CB_INSERTSTRING ...), so
// the list survives before the window exists and across RecreateWnd. Owner-drawn styles paint
// through DrawItem on the control's Canvas.
#pragma once
#include <memory>

#include "framework/controls/control_canvas.h"
#include "framework/controls/win_control.h"
#include "framework/menus/menu_item.h"
#include "framework/classes/string_list.h"

namespace fw {

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

class TCustomComboBox;
using TDrawItemEvent = std::function<void(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State)>;
using TMeasureItemEvent = std::function<void(TWinControl* Control, int Index, int& Height)>;

class TCustomComboBox : public TWinControl {
  FW_CLASS(TCustomComboBox, TWinControl)
 public:
  explicit TCustomComboBox(TComponent* owner);

  TComboBoxStyle GetStyle() const { return FStyle; }
  void SetStyle(TComboBoxStyle v);
  TStrings* GetItems() const { return FItems.get(); }
  void SetItems(const TStrings* items) { FItems->Assign(items); }
  int GetItemIndex() const;
  void SetItemIndex(int v);
  int GetItemHeight() const { return FItemHeight; }
  void SetItemHeight(int v);
  bool GetSorted() const { return FSorted; }
  void SetSorted(bool v);
  int GetDropDownCount() const { return FDropDownCount; }
  void SetDropDownCount(int v) { FDropDownCount = v; }
  bool GetDroppedDown();
  void SetDroppedDown(bool v);
  std::string GetText() const override;
  void SetText(const std::string& s) override;
  TCanvas* GetCanvas() const { return FCanvas.get(); }
  void Clear() { FItems->Clear(); }

  TNotifyEvent OnChange;
  TNotifyEvent OnSelect;
  TNotifyEvent OnDropDown;
  TNotifyEvent OnCloseUp;
  TDrawItemEvent OnDrawItem;
  TMeasureItemEvent OnMeasureItem;

  void Dispatch(TMessage& msg) override;

 protected:
  ~TCustomComboBox() override;
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  virtual void Change();
  virtual void Select();
  virtual void DropDown();
  virtual void CloseUp();
  virtual void DrawItem(int index, const TRect& rect, TOwnerDrawState state);
  virtual void MeasureItem(int index, int& height);

 private:
  friend class TComboBoxStrings;
  std::unique_ptr<TStrings> FItems;
  std::unique_ptr<TControlCanvas> FCanvas;
  TComboBoxStyle FStyle = csDropDown;
  int FItemIndex = -1;
  int FItemHeight = 16;
  bool FSorted = false;
  int FDropDownCount = 8;
};

class TComboBox : public TCustomComboBox {
  FW_CLASS(TComboBox, TCustomComboBox)
 public:
  using TCustomComboBox::TCustomComboBox;

 protected:
  ~TComboBox() override = default;
};

}  // namespace fw
