#include "framework/core/collection.h"

#include <algorithm>

#include "framework/rtl/exceptions.h"
#include "framework/rtl/sys_utils.h"

namespace fw {

TCollectionItem::TCollectionItem(TCollection* collection) { SetCollection(collection); }

TCollectionItem::~TCollectionItem() { SetCollection(nullptr); }

void TCollectionItem::SetCollection(TCollection* collection) {
  if (collection == FCollection) return;
  if (FCollection) FCollection->RemoveItem(this);
  if (collection) collection->InsertItem(this);
}

int TCollectionItem::GetIndex() const {
  if (!FCollection) return -1;
  auto& items = FCollection->FItems;
  return static_cast<int>(std::find(items.begin(), items.end(), this) - items.begin());
}

void TCollectionItem::SetIndex(int index) {
  if (FCollection) FCollection->MoveItem(this, index);
}

TPersistent* TCollectionItem::GetOwner() const { return FCollection; }

TCollection::TCollection(TPersistent* owner, TCollectionItemFactory factory)
    : FOwner(owner), FFactory(std::move(factory)) {}

TCollection::~TCollection() { Clear(); }

TCollectionItem* TCollection::Add() {
  TCollectionItem* item = FFactory(this);
  if (item->FCollection != this) item->SetCollection(this);
  return item;
}

TCollectionItem* TCollection::Insert(int index) {
  TCollectionItem* item = Add();
  item->SetIndex(index);
  return item;
}

void TCollection::Delete(int index) { GetItems(index)->Free(); }

void TCollection::Clear() {
  while (!FItems.empty()) FItems.back()->Free();
}

TCollectionItem* TCollection::GetItems(int index) const {
  if (index < 0 || index >= GetCount()) throw EListError(Format("List index out of bounds (%d)", index));
  return FItems[index];
}

TCollectionItem* TCollection::FindItemID(int id) const {
  for (TCollectionItem* item : FItems)
    if (item->FID == id) return item;
  return nullptr;
}

void TCollection::InsertItem(TCollectionItem* item) {
  FItems.push_back(item);
  item->FCollection = this;
  item->FID = FNextID++;
}

void TCollection::RemoveItem(TCollectionItem* item) {
  auto it = std::find(FItems.begin(), FItems.end(), item);
  if (it != FItems.end()) FItems.erase(it);
  item->FCollection = nullptr;
}

void TCollection::MoveItem(TCollectionItem* item, int index) {
  int current = item->GetIndex();
  index = std::max(0, std::min(index, GetCount() - 1));
  if (current == index) return;
  FItems.erase(FItems.begin() + current);
  FItems.insert(FItems.begin() + index, item);
}

}  // namespace fw
