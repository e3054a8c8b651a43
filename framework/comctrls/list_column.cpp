#include "framework/comctrls/list_column.h"

#include "framework/comctrls/list_view.h"
#include "framework/rtl/wide_text.h"

namespace fw {

// --- TListColumn ---

TListColumn::TListColumn(TCollection* collection) : TCollectionItem(collection) {}

TCustomListView* TListColumn::ListView() const {
  auto* columns = dynamic_cast<TListColumns*>(GetCollection());
  return columns ? columns->GetListView() : nullptr;
}

void TListColumn::Changed() {
  if (TCustomListView* lv = ListView()) {
    lv->UpdateColumnNative(GetIndex());
    if (FAutoSize) lv->UpdateAutoSizeColumns();
  }
}

int TListColumn::GetWidth() const {
  TCustomListView* lv = ListView();
  if (FAutoSize && lv && lv->HandleAllocated())
    return static_cast<int>(SendMessageA(lv->GetHandleNoCreate(), LVM_GETCOLUMNWIDTH, GetIndex(), 0));
  return FWidth;
}

void TListColumn::SetCaption(const std::string& v) {
  FCaption = v;
  Changed();
}

void TListColumn::SetWidth(int v) {
  FWidth = v;
  Changed();
  if (TCustomListView* lv = ListView()) lv->UpdateAutoSizeColumns();
}

void TListColumn::SetAutoSize(bool v) {
  FAutoSize = v;
  if (TCustomListView* lv = ListView()) lv->UpdateAutoSizeColumns();
}

void TListColumn::SetAlignment(TAlignment v) {
  FAlignment = v;
  Changed();
}

void TListColumn::SetImageIndex(int v) {
  FImageIndex = v;
  Changed();
}

void TListColumn::SetIndex(int index) {
  int old = GetIndex();
  TCollectionItem::SetIndex(index);
  TCustomListView* lv = ListView();
  if (!lv || old == GetIndex()) return;
  lv->DeleteColumnNative(old);
  lv->InsertColumnNative(GetIndex());
}

void TListColumn::FillColumn(LVCOLUMNA& column, std::string& caption) const {
  column = LVCOLUMNA{};
  column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
  caption = ValidUtf8(FCaption);
  column.pszText = caption.data();
  column.cx = FWidth;
  column.fmt = FAlignment == taRightJustify ? LVCFMT_RIGHT : FAlignment == taCenter ? LVCFMT_CENTER : LVCFMT_LEFT;
  if (FImageIndex >= 0) {
    column.mask |= LVCF_IMAGE;
    column.fmt |= LVCFMT_IMAGE;
    column.iImage = FImageIndex;
  }
}

// --- TListColumns ---

TListColumns::TListColumns(TCustomListView* listView)
    : TCollection(nullptr, ItemFactory<TListColumn>()), FListView(listView) {}

TListColumn* TListColumns::Add() { return Insert(GetCount()); }

TListColumn* TListColumns::Insert(int index) {
  auto* column = static_cast<TListColumn*>(TCollection::Insert(index));
  FListView->InsertColumnNative(column->GetIndex());
  return column;
}

void TListColumns::Delete(int index) {
  TCollection::Delete(index);
  FListView->DeleteColumnNative(index);
  FListView->UpdateAutoSizeColumns();
}

void TListColumns::Clear() {
  for (int i = GetCount() - 1; i >= 0; --i) Delete(i);
}

}  // namespace fw
