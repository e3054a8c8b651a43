#include "framework/comctrls/list_item.h"

#include <algorithm>

#include "framework/comctrls/list_view.h"
#include "framework/rtl/exceptions.h"
#include "framework/rtl/sys_utils.h"
#include "framework/rtl/wide_text.h"

namespace fw {

// The sub-item texts of one row; every change is copied to the row's columns 1, 2 ...
class TSubItems : public TStringList {
  FW_CLASS(TSubItems, TStringList)
 public:
  explicit TSubItems(TListItem* item) : FItem(item) {
    OnChange = [this](TObject*) { FItem->SubItemsChanged(); };
  }

 protected:
  void Put(int index, const std::string& s) override {
    if (index >= GetCount()) {
      BeginUpdate();
      while (GetCount() < index) Add("");
      Add(s);
      EndUpdate();
      return;
    }
    TStringList::Put(index, s);
  }

 private:
  TListItem* FItem;
};

// --- TListItem ---

TListItem::TListItem(TListItems* owner) : FOwner(owner), FSubItems(std::make_unique<TSubItems>(this)) {}

TListItem::~TListItem() = default;

TCustomListView* TListItem::GetListView() const { return FOwner->GetOwner(); }

bool TListItem::Native() const {
  return !FTransient && FIndex >= 0 && FIndex < FOwner->FNativeCount && GetListView()->HandleAllocated();
}

bool TListItem::StateInWindow() const {
  return Native() || (FTransient && FIndex >= 0 && GetListView()->HandleAllocated());
}

void TListItem::ApplyState() {
  TCustomListView* view = GetListView();
  view->FInserting = true;
  SetState((FSelected ? LVIS_SELECTED : 0) | (FFocused ? LVIS_FOCUSED : 0), LVIS_SELECTED | LVIS_FOCUSED);
  view->FInserting = false;
}

void TListItem::Redraw() {
  // Inside BeginUpdate the whole list is drawn anew at EndUpdate.
  if (FOwner->FUpdateCount == 0) GetListView()->Perform(LVM_REDRAWITEMS, static_cast<WPARAM>(FIndex), FIndex);
}

void TListItem::InsertNative() {
  // One record carries the caption, image, lParam and the selection / focus state, so a new
  // unchecked row costs one insertion plus one message per non-empty sub-item.
  TCustomListView* view = GetListView();
  LVITEMA item{};
  item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_IMAGE | LVIF_STATE;
  item.iItem = FIndex;
  std::string caption = ValidUtf8(FCaption);
  item.pszText = caption.data();
  item.iImage = FImageIndex;
  item.lParam = reinterpret_cast<LPARAM>(this);
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  if (FSelected) item.state |= LVIS_SELECTED;
  if (FFocused) item.state |= LVIS_FOCUSED;
  view->FInserting = true;
  view->Perform(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
  FNativeSubItems.clear();
  SubItemsChanged();
  // The control gives every new row the unchecked image, whatever the record says.
  if (FChecked && view->GetCheckboxes()) SetState(INDEXTOSTATEIMAGEMASK(2), LVIS_STATEIMAGEMASK);
  view->FInserting = false;
}

void TListItem::SaveState() {
  if (!Native()) return;
  FChecked = GetChecked();
  FSelected = GetSelected();
  FFocused = GetFocused();
}

UINT TListItem::GetState(UINT mask) const {
  return static_cast<UINT>(
      SendMessageA(GetListView()->GetHandleNoCreate(), LVM_GETITEMSTATE, static_cast<WPARAM>(FIndex), mask));
}

void TListItem::SetState(UINT state, UINT mask) {
  LVITEMA item{};
  item.state = state;
  item.stateMask = mask;
  GetListView()->Perform(LVM_SETITEMSTATE, static_cast<WPARAM>(FIndex), reinterpret_cast<LPARAM>(&item));
}

void TListItem::SetCaption(const std::string& v) {
  FCaption = v;
  if (!Native()) return;
  if (FOwner->OnDemand()) return Redraw();
  LVITEMA item{};
  item.iSubItem = 0;
  std::string caption = ValidUtf8(FCaption);
  item.pszText = caption.data();
  GetListView()->Perform(LVM_SETITEMTEXTA, static_cast<WPARAM>(FIndex), reinterpret_cast<LPARAM>(&item));
}

void TListItem::SubItemsChanged() {
  if (!Native()) return;
  if (FOwner->OnDemand()) return Redraw();
  // Only the columns whose text differs from what the window holds are sent.
  int columns = GetListView()->GetColumns()->GetCount();
  int count = FSubItems->GetCount();
  int known = static_cast<int>(FNativeSubItems.size());
  int total = std::max(count, columns - 1);
  for (int i = 0; i < total; ++i) {
    std::string text = i < count ? FSubItems->GetStrings(i) : std::string();
    if (i < known ? FNativeSubItems[i] == text : text.empty()) continue;
    LVITEMA item{};
    item.iSubItem = i + 1;
    std::string shown = ValidUtf8(text);
    item.pszText = shown.data();
    GetListView()->Perform(LVM_SETITEMTEXTA, static_cast<WPARAM>(FIndex), reinterpret_cast<LPARAM>(&item));
    if (i >= known) FNativeSubItems.resize(i + 1);
    FNativeSubItems[i] = std::move(text);
  }
}

void TListItem::SetImageIndex(int v) {
  FImageIndex = v;
  if (!Native()) return;
  if (FOwner->OnDemand()) return Redraw();
  LVITEMA item{};
  item.mask = LVIF_IMAGE;
  item.iItem = FIndex;
  item.iImage = v;
  GetListView()->Perform(LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

bool TListItem::GetChecked() const {
  if (!Native() || FOwner->OnDemand()) return FChecked;
  return (GetState(LVIS_STATEIMAGEMASK) >> 12) == 2;
}

void TListItem::SetChecked(bool v) {
  if (FOwner->OnDemand()) {
    // The window draws the tick it asks for and reports the change as it would its own.
    bool changed = v != FChecked;
    FChecked = v;
    TCustomListView* view = GetListView();
    if (!Native()) return;
    Redraw();
    if (changed && !view->FInserting) view->Change(this, ctState);
    return;
  }
  FChecked = v;
  if (Native()) SetState(INDEXTOSTATEIMAGEMASK(v ? 2 : 1), LVIS_STATEIMAGEMASK);
}

bool TListItem::GetSelected() const {
  if (!StateInWindow()) return FSelected;
  return GetState(LVIS_SELECTED) != 0;
}

void TListItem::SetSelected(bool v) {
  FSelected = v;
  if (StateInWindow()) SetState(v ? LVIS_SELECTED : 0, LVIS_SELECTED);
}

bool TListItem::GetFocused() const {
  if (!StateInWindow()) return FFocused;
  return GetState(LVIS_FOCUSED) != 0;
}

void TListItem::SetFocused(bool v) {
  FFocused = v;
  if (StateInWindow()) SetState(v ? LVIS_FOCUSED : 0, LVIS_FOCUSED);
}

bool TListItem::GetDropTarget() const { return StateInWindow() && GetState(LVIS_DROPHILITED) != 0; }

void TListItem::SetDropTarget(bool v) {
  if (StateInWindow()) SetState(v ? LVIS_DROPHILITED : 0, LVIS_DROPHILITED);
}

HWND TListItem::EditCaption() {
  FOwner->Flush();
  if (!StateInWindow()) return nullptr;
  TCustomListView* view = GetListView();
  view->SetFocus();
  return reinterpret_cast<HWND>(view->Perform(LVM_EDITLABELA, static_cast<WPARAM>(FIndex), 0));
}

void TListItem::MakeVisible(bool partialOK) {
  FOwner->Flush();
  if (StateInWindow()) GetListView()->Perform(LVM_ENSUREVISIBLE, static_cast<WPARAM>(FIndex), partialOK ? 1 : 0);
}

TRect TListItem::DisplayRect(int code) const {
  RECT r{};
  FOwner->Flush();
  if (FIndex >= 0 && GetListView()->HandleAllocated()) {
    r.left = code;
    SendMessageA(GetListView()->GetHandleNoCreate(), LVM_GETITEMRECT, static_cast<WPARAM>(FIndex),
                 reinterpret_cast<LPARAM>(&r));
  }
  return r;
}

void TListItem::Delete() {
  if (!FTransient) FOwner->Delete(FIndex);
}

void TListItem::Update() {
  if (StateInWindow()) GetListView()->Perform(LVM_UPDATE, static_cast<WPARAM>(FIndex), 0);
}

// --- TListItems ---

TListItems::TListItems(TCustomListView* owner) : FOwner(owner) {}

TListItems::~TListItems() {
  for (TListItem* item : FItems) delete item;
}

TListItem* TListItems::Add() { return Insert(static_cast<int>(FItems.size())); }

TListItem* TListItems::Insert(int index) {
  if (FOwner->GetOwnerData()) throw EListError("An owner-data list view has no item objects");
  if (index < 0 || index > static_cast<int>(FItems.size())) index = static_cast<int>(FItems.size());
  auto item = std::make_unique<TListItem>(this);
  TListItem* raw = item.get();
  if (OnDemand()) {
    bool append = index == static_cast<int>(FItems.size());
    // A row put between others moves the selection of the rows after it.
    if (!append) {
      Flush();
      SaveStates();
    }
    FItems.insert(FItems.begin() + index, item.release());
    Renumber(index);
    if (!FOwner->HandleAllocated()) return raw;
    if (!append) {
      Flush();
      RestoreStates();
    } else if (FUpdateCount == 0 && !FWakePosted) {
      WakeWindow();
    }
    return raw;
  }
  // A row appended during BeginUpdate goes into the window later, with its caption and state.
  bool later = FUpdateCount > 0 && index == static_cast<int>(FItems.size());
  if (!later) Flush();
  FItems.insert(FItems.begin() + index, item.release());
  Renumber(index);
  if (FOwner->HandleAllocated() && !later) {
    ++FNativeCount;
    raw->InsertNative();
  }
  return raw;
}

void TListItems::DeleteNativeRow(int index) {
  if (index >= FNativeCount) return;
  --FNativeCount;
  if (!FOwner->HandleAllocated()) return;
  const LRESULT top = FOwner->Perform(LVM_GETTOPINDEX, 0, 0);
  FOwner->Perform(LVM_DELETEITEM, static_cast<WPARAM>(index), 0);
  // A list scrolled to its end moves back by a row; Wine's list moves its rows without
  // painting them anew, so the screen would keep a row twice.
  if (FOwner->Perform(LVM_GETTOPINDEX, 0, 0) != top) InvalidateRect(FOwner->GetHandle(), nullptr, TRUE);
}

void TListItems::Delete(int index) {
  if (FOwner->GetOwnerData()) {
    if (index >= 0 && index < FCount) SetCount(FCount - 1);
    return;
  }
  if (index < 0 || index >= static_cast<int>(FItems.size())) throw EListError(Format("List index out of bounds (%d)", index));
  TListItem* item = FItems[index];
  if (OnDemand()) {
    Flush();
    FOwner->Delete(item);
    FItems.erase(FItems.begin() + index);
    Renumber(index);
    // The window drops the row and moves the selection of the rows after it.
    DeleteNativeRow(index);
    delete item;
    return;
  }
  FOwner->Delete(item);
  DeleteNativeRow(index);
  FItems.erase(FItems.begin() + index);
  Renumber(index);
  delete item;
}

void TListItems::Clear() {
  if (FOwner->GetOwnerData()) {
    SetCount(0);
    return;
  }
  BeginUpdate();
  std::vector<TListItem*> items;
  items.swap(FItems);
  for (TListItem* item : items) FOwner->Delete(item);
  if (FOwner->HandleAllocated()) FOwner->Perform(LVM_DELETEALLITEMS, 0, 0);
  FNativeCount = 0;
  for (TListItem* item : items) delete item;
  EndUpdate();
}

int TListItems::GetCount() const {
  return FOwner->GetOwnerData() ? FCount : static_cast<int>(FItems.size());
}

void TListItems::SetCount(int count) {
  if (!FOwner->GetOwnerData()) return;
  FCount = count < 0 ? 0 : count;
  if (FOwner->HandleAllocated()) FOwner->Perform(LVM_SETITEMCOUNT, static_cast<WPARAM>(FCount), LVSICF_NOINVALIDATEALL);
  FOwner->Invalidate();
}

TListItem* TListItems::GetItem(int index) const {
  if (!FOwner->GetOwnerData()) {
    if (index < 0 || index >= static_cast<int>(FItems.size()))
      throw EListError(Format("List index out of bounds (%d)", index));
    return FItems[index];
  }
  return FetchRow(index, TItemRequests{irText, irImage, irParam, irState});
}

TListItem* TListItems::FetchRow(int index, TItemRequests request) const {
  if (index < 0 || index >= FCount) return nullptr;
  auto* self = const_cast<TListItems*>(this);
  if (!self->FTemp) {
    self->FTemp = std::make_unique<TListItem>(self);
    self->FTemp->FTransient = true;
  }
  TListItem* item = self->FTemp.get();
  item->FIndex = index;
  item->FCaption.clear();
  item->FImageIndex = -1;
  item->FData = nullptr;
  item->FChecked = false;
  item->FSubItems->Clear();
  FOwner->OwnerDataFetch(item, request);
  return item;
}

int TListItems::IndexOf(const TListItem* item) const { return item && item->FOwner == this ? item->FIndex : -1; }

void TListItems::BeginUpdate() {
  if (FUpdateCount++ == 0 && FOwner->HandleAllocated()) FOwner->Perform(WM_SETREDRAW, 0, 0);
}

void TListItems::EndUpdate() {
  if (FUpdateCount == 0 || --FUpdateCount > 0) return;
  Flush();
  if (FOwner->HandleAllocated()) {
    FOwner->Perform(WM_SETREDRAW, 1, 0);
    FOwner->Invalidate();
  }
}

void TListItems::Renumber(int from) {
  for (int i = from; i < static_cast<int>(FItems.size()); ++i) FItems[i]->FIndex = i;
}

bool TListItems::OnDemand() const { return FOwner->FRowsOnDemand && !FOwner->FOwnerData; }

void TListItems::WakeWindow() {
  // Each new row count costs the window a redraw of its scroll bar, so a list that keeps
  // filling shows its new rows at most a few times a second; the first ones come at once.
  HWND wnd = FOwner->GetHandle();
  DWORD since = ::GetTickCount() - FLastShown;
  if (since >= kShowRowsInterval)
    FWakePosted = PostMessageA(wnd, CM_SHOWROWS, 0, 0) != 0;
  else
    FWakePosted = SetTimer(wnd, kShowRowsTimer, kShowRowsInterval - since, nullptr) != 0;
}

void TListItems::Flush() {
  if (!FOwner->HandleAllocated() || FOwner->GetOwnerData()) return;
  if (!OnDemand()) {
    while (FNativeCount < static_cast<int>(FItems.size())) FItems[FNativeCount++]->InsertNative();
    return;
  }
  FWakePosted = false;
  int count = static_cast<int>(FItems.size());
  if (FNativeCount == count) return;
  FLastShown = ::GetTickCount();
  int first = FNativeCount;
  FNativeCount = count;
  FOwner->Perform(LVM_SETITEMCOUNT, static_cast<WPARAM>(count), LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
  for (int i = first; i < count; ++i)
    if (FItems[i]->FSelected || FItems[i]->FFocused) FItems[i]->ApplyState();
}

void TListItems::SaveStates() {
  if (!OnDemand()) {
    for (TListItem* item : FItems) item->SaveState();
    return;
  }
  if (!FOwner->HandleAllocated()) return;
  for (int i = 0; i < FNativeCount && i < static_cast<int>(FItems.size()); ++i)
    FItems[i]->FSelected = FItems[i]->FFocused = false;
  HWND wnd = FOwner->GetHandleNoCreate();
  for (UINT which : {static_cast<UINT>(LVNI_SELECTED), static_cast<UINT>(LVNI_FOCUSED)}) {
    int i = -1;
    while ((i = static_cast<int>(SendMessageA(wnd, LVM_GETNEXTITEM, static_cast<WPARAM>(i), which))) >= 0) {
      if (i >= static_cast<int>(FItems.size())) break;
      (which == LVNI_SELECTED ? FItems[i]->FSelected : FItems[i]->FFocused) = true;
    }
  }
}

void TListItems::RestoreStates() {
  if (!OnDemand() || !FOwner->HandleAllocated()) return;
  TCustomListView* view = FOwner;
  view->FInserting = true;
  LVITEMA none{};
  none.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  view->Perform(LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
  view->FInserting = false;
  for (int i = 0; i < FNativeCount; ++i)
    if (FItems[i]->FSelected || FItems[i]->FFocused) FItems[i]->ApplyState();
  view->Invalidate();
}

void TListItems::ReadOrder() {
  if (!FOwner->HandleAllocated()) return;
  for (int i = 0; i < static_cast<int>(FItems.size()); ++i) {
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = i;
    FOwner->Perform(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    FItems[i] = reinterpret_cast<TListItem*>(item.lParam);
  }
  Renumber(0);
}

}  // namespace fw
