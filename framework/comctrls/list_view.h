// TCustomListView/TListView over SysListView32 (ANSI notifications). Report view with columns,
// items with sub-items, check boxes (state images 1/2), selection, owner-data mode, rows on
// demand, sorting, label editing and custom draw. A click that the native control swallows (its drag-detect
// loop eats WM_LBUTTONUP) still reaches MouseUp/OnMouseUp.
#pragma once
#include <functional>
#include <memory>

#include "framework/comctrls/custom_draw.h"
#include "framework/comctrls/list_column.h"
#include "framework/comctrls/list_item.h"
#include "framework/controls/control_canvas.h"
#include "framework/controls/win_control.h"
#include "framework/graphics/image_list.h"

namespace fw {

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };
enum TItemChange { ctText, ctImage, ctState };
enum THitTest { htAbove, htBelow, htNowhere, htOnItem, htOnButton, htOnIcon, htOnIndent, htOnLabel, htOnRight,
                htOnStateIcon, htToLeft, htToRight };
using THitTests = TSet<THitTest>;
enum TItemFind { ifData, ifPartialString, ifExactString, ifNearest };
enum TSearchDirection { sdLeft, sdRight, sdAbove, sdBelow, sdAll };
enum TDisplayCode { drBounds, drIcon, drLabel, drSelectBounds };

using TLVChangeEvent = std::function<void(TObject* Sender, TListItem* Item, TItemChange Change)>;
using TLVSelectItemEvent = std::function<void(TObject* Sender, TListItem* Item, bool Selected)>;
using TLVColumnClickEvent = std::function<void(TObject* Sender, TListColumn* Column)>;
using TLVDeletedEvent = std::function<void(TObject* Sender, TListItem* Item)>;
using TLVEditingEvent = std::function<void(TObject* Sender, TListItem* Item, bool& AllowEdit)>;
using TLVEditedEvent = std::function<void(TObject* Sender, TListItem* Item, std::string& S)>;
using TLVOwnerDataEvent = std::function<void(TObject* Sender, TListItem* Item)>;
using TLVOwnerDataFindEvent =
    std::function<void(TObject* Sender, TItemFind Find, const std::string& FindString, TPoint FindPosition,
                       void* FindData, int StartIndex, TSearchDirection Direction, bool Wrap, int& Index)>;
using TLVOwnerDataHintEvent = std::function<void(TObject* Sender, int StartIndex, int EndIndex)>;
using TLVCustomDrawItemEvent =
    std::function<void(TCustomListView* Sender, TListItem* Item, TCustomDrawState State, bool& DefaultDraw)>;
using TLVAdvancedCustomDrawEvent =
    std::function<void(TCustomListView* Sender, const TRect& ARect, TCustomDrawStage Stage, bool& DefaultDraw)>;
using TLVCompareFunc = std::function<int(TListItem* a, TListItem* b, LPARAM data)>;

// Rows on demand: how often at most new rows reach the window while rows keep coming (ms), and
// the timer that brings them when they wait.
constexpr DWORD kShowRowsInterval = 500;
constexpr UINT_PTR kShowRowsTimer = CM_SHOWROWS;

class TCustomListView : public TWinControl {
  FW_CLASS(TCustomListView, TWinControl)
 public:
  explicit TCustomListView(TComponent* owner);

  TListColumns* GetColumns() const { return FColumns.get(); }
  TListColumn* GetColumn(int index) const { return FColumns->GetItems(index); }
  TListItems* GetItems() const { return FItems.get(); }

  TViewStyle GetViewStyle() const { return FViewStyle; }
  virtual void SetViewStyle(TViewStyle v);
  bool GetCheckboxes() const { return FCheckboxes; }
  void SetCheckboxes(bool v);
  bool GetRowSelect() const { return FRowSelect; }
  void SetRowSelect(bool v);
  bool GetGridLines() const { return FGridLines; }
  void SetGridLines(bool v);
  // The row under the mouse is highlighted as it moves (the native track-select style).
  bool GetHotTrack() const { return FHotTrack; }
  void SetHotTrack(bool v);
  bool GetReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool v);
  bool GetColumnClick() const { return FColumnClick; }
  void SetColumnClick(bool v);
  bool GetHideSelection() const { return FHideSelection; }
  void SetHideSelection(bool v);
  bool GetMultiSelect() const { return FMultiSelect; }
  void SetMultiSelect(bool v);
  bool GetShowColumnHeaders() const { return FShowColumnHeaders; }
  void SetShowColumnHeaders(bool v);
  bool GetOwnerData() const { return FOwnerData; }
  void SetOwnerData(bool v);
  // The items stay in the list as usual, but the window keeps no copy of them: it is told how
  // many rows there are and asks for a row's texts, image and tick when it draws it. Adding
  // many rows then costs next to nothing in the window; items, ticks, selection, sorting and
  // deletion behave as without it.
  bool GetRowsOnDemand() const { return FRowsOnDemand; }
  void SetRowsOnDemand(bool v);
  TFormBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle v);
  TCustomImageList* GetSmallImages() const { return FSmallImages; }
  void SetSmallImages(TCustomImageList* images);
  TCustomImageList* GetLargeImages() const { return FLargeImages; }
  void SetLargeImages(TCustomImageList* images);
  TCanvas* GetCanvas() const { return FCanvas.get(); }

  // The first selected item (null when none) / selects only this item.
  TListItem* GetSelected() const;
  void SetSelected(TListItem* item);
  int GetItemIndex() const;
  void SetItemIndex(int index);
  int GetSelCount() const;
  TListItem* GetItemFocused() const;
  void SetItemFocused(TListItem* item);
  TListItem* GetTopItem() const;
  TListItem* GetItemAt(int x, int y) const;
  THitTests GetHitTestInfoAt(int x, int y) const;
  TListItem* FindCaption(int startIndex, const std::string& value, bool partial, bool inclusive, bool wrap) const;
  bool CustomSort(const TLVCompareFunc& compare, LPARAM data);
  // Sorts by caption (case-insensitive).
  bool AlphaSort();
  void Scroll(int dx, int dy);
  void ClearSelection();
  void SelectAll();
  bool IsEditing() const;

  TLVChangeEvent OnChange;
  TLVSelectItemEvent OnSelectItem;
  TLVColumnClickEvent OnColumnClick;
  TLVDeletedEvent OnDeletion;
  TLVEditingEvent OnEditing;
  TLVEditedEvent OnEdited;
  TLVOwnerDataEvent OnData;
  TLVOwnerDataFindEvent OnDataFind;
  TLVOwnerDataHintEvent OnDataHint;
  TLVCustomDrawItemEvent OnCustomDrawItem;
  TLVAdvancedCustomDrawEvent OnAdvancedCustomDraw;

  void Dispatch(TMessage& msg) override;

 protected:
  ~TCustomListView() override;
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void Notification(TComponent* component, TOperation operation) override;

  virtual void Change(TListItem* item, TItemChange change);
  virtual void ColClick(TListColumn* column);
  virtual void Delete(TListItem* item);
  virtual bool CanEdit(TListItem* item);
  virtual void Edit(const LVITEMA& item);
  // Owner-data mode: fills the transient item for the request; false when nothing was given.
  virtual bool OwnerDataFetch(TListItem* item, TItemRequests request);
  virtual int OwnerDataFind(TItemFind find, const std::string& findString, TPoint findPosition, void* findData,
                            int startIndex, TSearchDirection direction, bool wrap);
  virtual void OwnerDataHint(int startIndex, int endIndex);
  // A CN_NOTIFY the list view does not handle itself (LVN_BEGINDRAG ...).
  virtual void NotifyOther(TMessage& msg);
  // Custom drawing of the rows: asked for while WantsCustomDrawItem (by default: OnCustomDrawItem
  // is assigned); CustomDrawItem fires OnCustomDrawItem and may set the canvas font.
  virtual bool WantsCustomDrawItem() const { return static_cast<bool>(OnCustomDrawItem); }
  virtual void CustomDrawItem(TListItem* item, TCustomDrawState state, bool& defaultDraw);

 private:
  friend class TListColumn;
  friend class TListColumns;
  friend class TListItem;
  friend class TListItems;
  DWORD StyleBits() const;
  DWORD ExStyleBits() const;
  void ApplyStyles();
  void InsertColumnNative(int index);
  void UpdateColumnNative(int index);
  void DeleteColumnNative(int index);
  // Shares the width left by fixed columns among the AutoSize columns, each keeping at least
  // NarrowestAutoWidth: a list too narrow for its columns scrolls rather than squeezing one away.
  void UpdateAutoSizeColumns();
  // Room for the column's caption and, in the first column, the rows' check boxes and images.
  int NarrowestAutoWidth(int index);
  void HandleNotify(TMessage& msg);
  void HandleItemChanged(const NMLISTVIEW& nm);
  void HandleGetDispInfo(NMLVDISPINFOA& info, bool wide);
  LRESULT HandleCustomDraw(NMLVCUSTOMDRAW& cd);
  LRESULT HandleFindItem(const NMLVFINDITEMA& find, bool wide);
  // Rows on demand: the window's search for a row (type-ahead, LVM_FINDITEM) over the items.
  int FindItemOnDemand(const LVFINDINFOA& info, const std::string& text, int start) const;
  void HandleStateRangeChanged(const NMLVODSTATECHANGE& change);
  // Rows on demand: whether the window must know every row before it handles msg.
  static bool NeedsAllRows(const TMessage& msg);
  // Rows on demand: the row whose tick lies under the point (-1: none) / turns a row's tick.
  int TickAt(int x, int y) const;
  void ToggleTick(int index);
  TListItem* ItemOf(int index) const;

  std::unique_ptr<TListColumns> FColumns;
  std::unique_ptr<TListItems> FItems;
  std::unique_ptr<TControlCanvas> FCanvas;
  TViewStyle FViewStyle = vsIcon;
  bool FCheckboxes = false;
  bool FRowSelect = false;
  bool FGridLines = false;
  bool FHotTrack = false;
  bool FReadOnly = false;
  bool FColumnClick = true;
  bool FHideSelection = true;
  bool FMultiSelect = false;
  bool FShowColumnHeaders = true;
  bool FOwnerData = false;
  bool FRowsOnDemand = false;
  TFormBorderStyle FBorderStyle = bsSingle;
  TCustomImageList* FSmallImages = nullptr;
  TCustomImageList* FLargeImages = nullptr;
  bool FSizingColumns = false;
  // A row is being put into the window: its own notifications are no changes to report.
  bool FInserting = false;
  // Rows on demand: the row whose tick the window itself reported changed, last.
  int FNativeTick = -1;
};

class TListView : public TCustomListView {
  FW_CLASS(TListView, TCustomListView)
 public:
  using TCustomListView::TCustomListView;

 protected:
  ~TListView() override = default;
};

}  // namespace fw
