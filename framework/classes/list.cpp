#include "framework/classes/list.h"

#include <algorithm>

#include "framework/rtl/exceptions.h"
#include "framework/rtl/sys_utils.h"

namespace fw {

void TList::CheckIndex(int index) const {
  if (index < 0 || index >= GetCount()) throw EListError(Format("List index out of bounds (%d)", index));
}

void* TList::GetItems(int index) const {
  CheckIndex(index);
  return FItems[index];
}

void TList::SetItems(int index, void* item) {
  CheckIndex(index);
  FItems[index] = item;
}

int TList::Add(void* item) {
  FItems.push_back(item);
  return GetCount() - 1;
}

void TList::Insert(int index, void* item) {
  if (index < 0 || index > GetCount()) throw EListError(Format("List index out of bounds (%d)", index));
  FItems.insert(FItems.begin() + index, item);
}

void TList::Delete(int index) {
  CheckIndex(index);
  FItems.erase(FItems.begin() + index);
}

int TList::Remove(void* item) {
  int index = IndexOf(item);
  if (index >= 0) Delete(index);
  return index;
}

int TList::IndexOf(const void* item) const {
  auto it = std::find(FItems.begin(), FItems.end(), item);
  return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

void TList::Exchange(int index1, int index2) {
  CheckIndex(index1);
  CheckIndex(index2);
  std::swap(FItems[index1], FItems[index2]);
}

void TList::Move(int curIndex, int newIndex) {
  if (curIndex == newIndex) return;
  CheckIndex(curIndex);
  CheckIndex(newIndex);
  void* item = FItems[curIndex];
  FItems.erase(FItems.begin() + curIndex);
  FItems.insert(FItems.begin() + newIndex, item);
}

void TList::Pack() { FItems.erase(std::remove(FItems.begin(), FItems.end(), nullptr), FItems.end()); }

void TList::Sort(const TListSortCompare& compare) {
  std::stable_sort(FItems.begin(), FItems.end(), [&](void* a, void* b) { return compare(a, b) < 0; });
}

TList& TThreadList::LockList() {
  FLock.Enter();
  return FList;
}

void TThreadList::UnlockList() { FLock.Leave(); }

void TThreadList::Add(void* item) {
  TLock lock(FLock);
  if (FList.IndexOf(item) < 0) FList.Add(item);
}

void TThreadList::Remove(void* item) {
  TLock lock(FLock);
  FList.Remove(item);
}

void TThreadList::Clear() {
  TLock lock(FLock);
  FList.Clear();
}

}  // namespace fw
