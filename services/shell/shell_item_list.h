// The lists of shell items the views keep; each list owns its items.
#pragma once
#include <algorithm>
#include <vector>

#include "framework/core/object.h"
#include "services/shell/shell_item.h"

namespace svc {

template <class T>
class TSvOwningList : public fw::TObject {
 public:
  TSvOwningList() = default;
  int GetCount() const { return static_cast<int>(FItems.size()); }
  // Null for an index outside the list.
  T* GetItem(int index) const {
    return index >= 0 && index < GetCount() ? FItems[index] : nullptr;
  }
  int Add(T* item) {
    FItems.push_back(item);
    return GetCount() - 1;
  }
  void Insert(int index, T* item) { FItems.insert(FItems.begin() + index, item); }
  // Frees the entry's item and removes the entry.
  void Delete(int index) {
    if (index < 0 || index >= GetCount()) return;
    T* item = FItems[index];
    FItems.erase(FItems.begin() + index);
    fw::Free(item);
  }
  void Move(int from, int to) {
    T* item = FItems[from];
    FItems.erase(FItems.begin() + from);
    FItems.insert(FItems.begin() + to, item);
  }
  // Frees the entry's item and leaves a null entry in its place.
  void FreeAt(int index) {
    if (index < 0 || index >= GetCount()) return;
    T* item = FItems[index];
    FItems[index] = nullptr;
    fw::Free(item);
  }
  // Stable sort by a comparer answering negative, zero or positive.
  template <class Compare>
  void Sort(Compare compare) {
    std::stable_sort(FItems.begin(), FItems.end(), [&](T* a, T* b) { return compare(a, b) < 0; });
  }
  // Frees every item.
  void Clear() {
    std::vector<T*> items;
    items.swap(FItems);
    for (T* item : items) fw::Free(item);
  }

 protected:
  ~TSvOwningList() override { Clear(); }

 private:
  std::vector<T*> FItems;
};

class TSvShellItemList : public TSvOwningList<TSvShellItem> {
  FW_CLASS(TSvShellItemList, fw::TObject)
 protected:
  ~TSvShellItemList() override = default;
};

class TSvShellFolderList : public TSvOwningList<TSvShellFolder> {
  FW_CLASS(TSvShellFolderList, fw::TObject)
 protected:
  ~TSvShellFolderList() override = default;
};

}  // namespace svc
