// TListColumn/TListColumns: the report-view columns of a list view. The collection index is the
// native column index; every change is sent to the list view's window (LVM_INSERTCOLUMNA ...).
#pragma once
#include <string>

#include "framework/core/collection.h"
#include "framework/stdctrls/text_painter.h"

namespace fw {

class TCustomListView;

class TListColumn : public TCollectionItem {
  FW_CLASS(TListColumn, TCollectionItem)
 public:
  explicit TListColumn(TCollection* collection);

  const std::string& GetCaption() const { return FCaption; }
  void SetCaption(const std::string& v);
  // The width asked for; 0 hides the column. An AutoSize column's width follows the list's.
  int GetWidth() const;
  void SetWidth(int v);
  bool GetAutoSize() const { return FAutoSize; }
  void SetAutoSize(bool v);
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment v);
  int GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(int v);
  void SetIndex(int index) override;

  // The native column record of this column; its text points into caption.
  void FillColumn(LVCOLUMNA& column, std::string& caption) const;

 private:
  friend class TCustomListView;
  TCustomListView* ListView() const;
  void Changed();

  std::string FCaption;
  int FWidth = 50;
  bool FAutoSize = false;
  TAlignment FAlignment = taLeftJustify;
  int FImageIndex = -1;
};

class TListColumns : public TCollection {
  FW_CLASS(TListColumns, TCollection)
 public:
  explicit TListColumns(TCustomListView* listView);
  TCustomListView* GetListView() const { return FListView; }

  TListColumn* Add();
  TListColumn* Insert(int index);
  void Delete(int index);
  void Clear();
  TListColumn* GetItems(int index) const { return static_cast<TListColumn*>(TCollection::GetItems(index)); }

 private:
  TCustomListView* FListView;
};

}  // namespace fw
