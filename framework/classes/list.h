// TList: a list of untyped pointers with checked indexes, and TThreadList, a TList behind a lock.
#pragma once
#include <functional>
#include <vector>

#include "framework/core/object.h"
#include "framework/rtl/critical_section.h"

namespace fw {

// Negative when a sorts before b, as for qsort.
using TListSortCompare = std::function<int(void* a, void* b)>;

class TList : public TObject {
  FW_CLASS(TList, TObject)
 public:
  TList() = default;
  ~TList() override = default;

  int GetCount() const { return static_cast<int>(FItems.size()); }
  // Raise EListError "List index out of bounds (%d)" for a bad index.
  void* GetItems(int index) const;
  void SetItems(int index, void* item);
  void* First() const { return GetItems(0); }
  void* Last() const { return GetItems(GetCount() - 1); }

  int Add(void* item);
  void Insert(int index, void* item);
  void Delete(int index);
  // Removes the first occurrence; returns its former index or -1.
  int Remove(void* item);
  int IndexOf(const void* item) const;
  void Exchange(int index1, int index2);
  void Move(int curIndex, int newIndex);
  void Clear() { FItems.clear(); }
  // Removes the null entries.
  void Pack();
  void Sort(const TListSortCompare& compare);

 private:
  void CheckIndex(int index) const;
  std::vector<void*> FItems;
};

class TThreadList {
 public:
  // The list stays locked until UnlockList.
  TList& LockList();
  void UnlockList();
  void Add(void* item);
  void Remove(void* item);
  void Clear();

 private:
  TCriticalSection FLock;
  TList FList;
};

}  // namespace fw
