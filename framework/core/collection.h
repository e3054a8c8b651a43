// TCollection and TCollectionItem: an ordered list of owned items made by an item factory
// (status panels, list columns). Items know their collection and can move by SetIndex.
#pragma once
#include <functional>
#include <vector>

#include "framework/core/object.h"

namespace fw {

class TCollection;

class TCollectionItem : public TPersistent {
  FW_CLASS(TCollectionItem, TPersistent)
 public:
  // Joins the collection at its end (when not null).
  explicit TCollectionItem(TCollection* collection);
  // Leaves the collection.
  ~TCollectionItem() override;

  TCollection* GetCollection() const { return FCollection; }
  // Moves the item to another collection (or none) at its end.
  void SetCollection(TCollection* collection);
  int GetIndex() const;
  // Moves the item inside its collection; the index is clamped to the valid range.
  virtual void SetIndex(int index);
  // Unique within the collection, never reused.
  int GetID() const { return FID; }
  TPersistent* GetOwner() const override;

 private:
  friend class TCollection;
  TCollection* FCollection = nullptr;
  int FID = 0;
};

using TCollectionItemFactory = std::function<TCollectionItem*(TCollection* collection)>;

class TCollection : public TPersistent {
  FW_CLASS(TCollection, TPersistent)
 public:
  TCollection(TPersistent* owner, TCollectionItemFactory factory);
  ~TCollection() override;
  TCollection(const TCollection&) = delete;
  TCollection& operator=(const TCollection&) = delete;

  // The usual factory: New<T>(collection).
  template <class T>
  static TCollectionItemFactory ItemFactory() {
    return [](TCollection* collection) -> TCollectionItem* { return New<T>(collection); };
  }

  TCollectionItem* Add();
  TCollectionItem* Insert(int index);
  // Raises EListError "List index out of bounds (%d)" for a bad index.
  void Delete(int index);
  void Clear();
  int GetCount() const { return static_cast<int>(FItems.size()); }
  TCollectionItem* GetItems(int index) const;
  TCollectionItem* FindItemID(int id) const;
  TPersistent* GetOwner() const override { return FOwner; }

 private:
  friend class TCollectionItem;
  void InsertItem(TCollectionItem* item);
  void RemoveItem(TCollectionItem* item);
  void MoveItem(TCollectionItem* item, int index);

  TPersistent* FOwner;
  TCollectionItemFactory FFactory;
  std::vector<TCollectionItem*> FItems;
  int FNextID = 0;
};

}  // namespace fw
