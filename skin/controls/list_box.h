// TkSkinListBox: the skinned list box over the native LISTBOX class. Its lines live in the window
// (Items is a TListBoxStrings speaking LB_ messages) and survive a re-creation of the window
// with the top line and the current line. Every list is owner-drawn. While skinned the 2-pixel
// frame comes from the section's cache, the colours from the section, and two TkScrollBar
// overlays named after the list ("…VSBar", "…HSBar") lie over the native bars as siblings in the
// parent. Typed characters search incrementally; a pause of 500 ms starts a new search.
// TkListBox adds MultiSelect.
#pragma once
#include <functional>
#include <memory>
#include <string>

#include "framework/classes/string_list.h"
#include "framework/controls/control_canvas.h"
#include "framework/controls/scrolling_win_control.h"
#include "framework/menus/menu_item.h"
#include "skin/controls/bound_label.h"
#include "skin/controls/skinned_control.h"

namespace skin {

class TkScrollBar;
class TkSkinListBox;

enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable, lbVirtual, lbVirtualOwnerDraw };

using TListDrawItemEvent = std::function<void(fw::TWinControl* Control, int Index, fw::TRect Rect, fw::TOwnerDrawState State)>;
using TListMeasureItemEvent = std::function<void(fw::TWinControl* Control, int Index, int& Height)>;
using TListDataEvent = std::function<void(fw::TWinControl* Control, int Index, std::string& Data)>;
using TListDataObjectEvent = std::function<void(fw::TWinControl* Control, int Index, void*& DataObject)>;
using TListDataFindEvent = std::function<int(fw::TWinControl* Control, const std::string& FindString)>;

// Raises "List index out of bounds (%d)".
[[noreturn]] void ListIndexError(int index);
// Whether a new search starts: 500 ms or more since the last typed key.
bool SearchRestarts(DWORD lastKeyTick, DWORD now);

// The lines of one list box, kept by its window; an index outside the list raises
// "List index out of bounds (%d)", a failed insert "Unable to insert a line". While the list
// has no window and can get none (no parent), the lines wait in the list box's saved lines.
class TListBoxStrings : public fw::TStrings {
  FW_CLASS(TListBoxStrings, fw::TStrings)
 public:
  explicit TListBoxStrings(TkSkinListBox* listBox) : FListBox(listBox) {}
  int GetCount() const override;
  int Add(const std::string& s) override;
  int AddObject(const std::string& s, void* object) override;
  void Insert(int index, const std::string& s) override;
  void Delete(int index) override;
  void Clear() override;
  void Exchange(int index1, int index2) override;
  void Move(int curIndex, int newIndex) override;
  int IndexOf(const std::string& s) const override;

 protected:
  std::string Get(int index) const override;
  void Put(int index, const std::string& s) override;
  void* GetObject(int index) const override;
  void PutObject(int index, void* object) override;
  void SetUpdateState(bool updating) override;

 private:
  void Check(int index, int count) const;
  TkSkinListBox* FListBox;
};

class TkSkinListBox : public TkSkinned<fw::TWinControl> {
  FW_CLASS(TkSkinListBox, fw::TWinControl)
  friend class TListBoxStrings;

 public:
  explicit TkSkinListBox(fw::TComponent* owner);

  fw::TStrings* GetItems() const { return FItems.get(); }
  void SetItems(const fw::TStrings* value);
  bool GetAutoHideScroll() const { return FAutoHideScroll; }
  void SetAutoHideScroll(bool value) { SetAndRecreate(FAutoHideScroll, value); }
  bool GetAutoComplete() const { return FAutoComplete; }
  void SetAutoComplete(bool value) { FAutoComplete = value; }
  fw::TBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(fw::TBorderStyle value);
  TkBoundLabel* GetBoundLabel() const { return FBoundLabel.get(); }
  int GetColumns() const { return FColumns; }
  void SetColumns(int value);
  bool GetIntegralHeight() const { return FIntegralHeight; }
  void SetIntegralHeight(bool value) { SetAndRecreate(FIntegralHeight, value); }
  int GetItemHeight() const;
  void SetItemHeight(int value);
  bool GetSorted() const { return FSorted; }
  void SetSorted(bool value);
  TListBoxStyle GetStyle() const { return FStyle; }
  void SetStyle(TListBoxStyle value);
  int GetTabWidth() const { return FTabWidth; }
  void SetTabWidth(int value);
  fw::TCanvas* GetCanvas() const { return FCanvas.get(); }

  void Clear() { FItems->Clear(); }
  void DeleteSelected();
  int GetCount() const;
  int GetItemIndex() const;
  void SetItemIndex(int value);
  bool GetSelected(int index) const;
  void SetSelected(int index, bool value);
  void ClearSelection();
  int GetTopIndex() const;
  void SetTopIndex(int value);
  // Lines per page: (Height - 6) div ItemHeight.
  int ItemsPerPage() const;
  // Virtual styles only: the number of lines the window shows.
  void SetCount(int value);
  // The line under a point of the client area, -1 outside it.
  int ItemAtPos(fw::TPoint p) const;
  fw::TRect ItemRect(int index) const;
  // Lays, shows, hides and feeds the skinned scroll bars.
  void UpdateSkinScrollBars();
  TkScrollBar* GetVertBar() const { return FVBar; }
  TkScrollBar* GetHorzBar() const { return FHBar; }

  TListDrawItemEvent OnDrawItem;
  TListMeasureItemEvent OnMeasureItem;
  TListDataEvent OnData;
  TListDataObjectEvent OnDataObject;
  TListDataFindEvent OnDataFind;

  void WndProc(fw::TMessage& m) override;
  void Dispatch(fw::TMessage& m) override;

 protected:
  ~TkSkinListBox() override;
  void BeforeDestruction() override;
  void Loaded() override;
  void CreateParams(fw::TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void KeyPress(char& key) override;
  void OwnSkinCommand(int command) override;
  bool SkinnedMessage(fw::TMessage& m) override;
  virtual void MeasureItem(int index, int& height);
  virtual void DrawItem(int index, const fw::TRect& rect, fw::TOwnerDrawState state);
  virtual void* InternalGetItemData(int index) const { return GetItemData(index); }
  virtual void InternalSetItemData(int index, void* data) { SetItemData(index, data); }
  virtual void* GetItemData(int index) const;
  virtual void SetItemData(int index, void* data);
  virtual void ResetContent();
  virtual void DeleteString(int index);
  bool IsVirtual() const { return FStyle == lbVirtual || FStyle == lbVirtualOwnerDraw; }
  bool GetMultiSelectValue() const { return FMultiSelect; }
  void SetMultiSelectValue(bool value) { SetAndRecreate(FMultiSelect, value); }
  bool Skinned() const { return ControlIsReady(this) && GetSkinData()->SkinIsActive(); }
  // The window, made when it can be; null while the lines wait in the saved lines.
  HWND ListWindow() const;
  LRESULT Send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const;
  // Invalidates the line's rectangle.
  void RedrawItem(int index);

 private:
  void SetAndRecreate(bool& field, bool value);
  fw::TStringList* Saved();
  void ResetColumnWidth();
  void PaintFrame();
  void DrawItemMessage(DRAWITEMSTRUCT& draw);
  TkScrollBar* MakeBar(fw::TScrollBarKind kind);
  bool FeedBar(TkScrollBar* bar, int which, bool positionFromTop);
  void FollowWithLabel(const fw::TMessage& m);

  std::unique_ptr<TListBoxStrings> FItems;
  std::unique_ptr<fw::TControlCanvas> FCanvas;
  std::unique_ptr<TkBoundLabel> FBoundLabel;
  std::unique_ptr<fw::TStringList> FSaved;  // the lines while there is no window
  int FSavedTop = -1, FSavedIndex = -1, FSavedCount = -1;
  bool FAutoHideScroll = true;
  bool FAutoComplete = true;
  fw::TBorderStyle FBorderStyle = fw::bsSingle;
  int FColumns = 0;
  bool FIntegralHeight = false;
  int FItemHeight = 16;
  bool FSorted = false;
  TListBoxStyle FStyle = lbStandard;
  int FTabWidth = 0;
  bool FMultiSelect = false;
  bool FExtendedSelect = true;
  int FCount = 0;
  std::string FSearch;
  DWORD FLastKeyTick = 0;
  TkScrollBar* FVBar = nullptr;
  TkScrollBar* FHBar = nullptr;
  bool FScrolling = false;
  bool FUpdatingBars = false;
};

class TkListBox : public TkSkinListBox {
  FW_CLASS(TkListBox, TkSkinListBox)
 public:
  using TkSkinListBox::TkSkinListBox;
  bool GetMultiSelect() const { return GetMultiSelectValue(); }
  void SetMultiSelect(bool value) { SetMultiSelectValue(value); }

 protected:
  ~TkListBox() override = default;
};

}  // namespace skin
