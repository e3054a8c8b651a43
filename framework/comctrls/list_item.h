// TListItem/TListItems: the rows of a list view. The native item carries the TListItem* in its
// lParam and a copy of the texts; check, selection and focus live in the window once it exists.
// Rows appended between BeginUpdate and EndUpdate reach the window at EndUpdate (or as soon as
// something asks the window about its rows), each in one insertion with its caption and state.
// In owner-data mode the list holds only a count and Item[i] is a transient row filled by the
// list view's OwnerDataFetch. With rows on demand the items stay here as usual, but the window
// holds only their number (and their selection): ticks live in the items, and appended rows
// reach the window together, before it next handles a message.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "framework/core/object.h"
#include "framework/core/sets.h"
#include "framework/graphics/geometry.h"
#include "framework/win.h"
#include "framework/classes/string_list.h"

namespace fw {

class TCustomListView;
class TListItems;

// What an owner-data row is filled with.
enum TItemRequest { irText, irImage, irParam, irState, irIndent };
using TItemRequests = TSet<TItemRequest>;

class TListItem {
 public:
  explicit TListItem(TListItems* owner);
  ~TListItem();
  TListItem(const TListItem&) = delete;
  TListItem& operator=(const TListItem&) = delete;

  TListItems* GetOwner() const { return FOwner; }
  TCustomListView* GetListView() const;
  int GetIndex() const { return FIndex; }
  const std::string& GetCaption() const { return FCaption; }
  void SetCaption(const std::string& v);
  // The texts of columns 1, 2 ...; writing past the end extends the list with empty texts.
  TStrings* GetSubItems() const { return FSubItems.get(); }
  void SetSubItems(const TStrings* v) { FSubItems->Assign(v); }
  int GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(int v);
  void* GetData() const { return FData; }
  void SetData(void* v) { FData = v; }
  bool GetChecked() const;
  void SetChecked(bool v);
  bool GetSelected() const;
  void SetSelected(bool v);
  bool GetFocused() const;
  void SetFocused(bool v);
  // The highlight of the row a drag is held over.
  bool GetDropTarget() const;
  void SetDropTarget(bool v);
  // Starts editing the caption in place; the edit control, or null.
  HWND EditCaption();
  void MakeVisible(bool partialOK);
  TRect DisplayRect(int code) const;
  void Delete();
  void Update();

 private:
  friend class TListItems;
  friend class TCustomListView;
  friend class TSubItems;
  bool Native() const;
  // Selection, focus and highlight live in the window: a row it holds, or an owner-data row.
  bool StateInWindow() const;
  UINT GetState(UINT mask) const;
  void SetState(UINT state, UINT mask);
  void SubItemsChanged();
  // Reads check and selection back from the window (before it is destroyed).
  void SaveState();
  // Puts the item into the window at its index.
  void InsertNative();
  // Rows on demand: gives the window the item's selection and focus / has its row drawn anew.
  void ApplyState();
  void Redraw();

  TListItems* FOwner;
  int FIndex = -1;
  std::string FCaption;
  std::unique_ptr<TStrings> FSubItems;
  // The sub-item texts the window holds (columns 1, 2 ...), so unchanged ones are not sent again.
  std::vector<std::string> FNativeSubItems;
  int FImageIndex = -1;
  void* FData = nullptr;
  bool FChecked = false;
  bool FSelected = false;
  bool FFocused = false;
  bool FTransient = false;
};

class TListItems {
 public:
  explicit TListItems(TCustomListView* owner);
  ~TListItems();
  TListItems(const TListItems&) = delete;
  TListItems& operator=(const TListItems&) = delete;

  TCustomListView* GetOwner() const { return FOwner; }
  TListItem* Add();
  TListItem* Insert(int index);
  void Delete(int index);
  void Clear();
  int GetCount() const;
  // Owner-data mode: sets the number of rows (LVM_SETITEMCOUNT).
  void SetCount(int count);
  TListItem* GetItem(int index) const;
  int IndexOf(const TListItem* item) const;
  void BeginUpdate();
  void EndUpdate();

 private:
  friend class TCustomListView;
  friend class TListItem;
  void Renumber(int from);
  // Drops a row the window holds, repainting it when the list scrolled back by the row.
  void DeleteNativeRow(int index);
  // Owner-data mode: the transient row filled with what request names (GetItem asks for all).
  TListItem* FetchRow(int index, TItemRequests request) const;
  // Puts the rows added during BeginUpdate into the window (each in a single insertion; with
  // rows on demand, as one new row count).
  void Flush();
  // Reads selection and focus of every row back from the window / gives them to it again after
  // the rows were rearranged (rows on demand: the window knows them by index only).
  void SaveStates();
  void RestoreStates();
  bool OnDemand() const;
  // Rows on demand: makes sure a message comes that hands the window the new rows.
  void WakeWindow();
  // Rebuilds the order from the window's lParams (after a native sort).
  void ReadOrder();

  TCustomListView* FOwner;
  std::vector<TListItem*> FItems;
  int FCount = 0;  // owner-data rows
  int FUpdateCount = 0;
  // The first FNativeCount rows are in the window; rows appended during BeginUpdate wait after
  // them until EndUpdate or until something needs the window's rows.
  int FNativeCount = 0;
  // Rows on demand: a message is on its way to the window that will hand it the new rows, and
  // when the window last got some.
  bool FWakePosted = false;
  DWORD FLastShown = 0;
  std::unique_ptr<TListItem> FTemp;
};

}  // namespace fw
