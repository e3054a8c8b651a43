#include "skin/controls/shell_combo_box.h"

#include <algorithm>
#include <vector>

#include "framework/forms/application.h"
#include "skin/controls/shell_list_view.h"

namespace skin {

TkCustomShellComboBox::TkCustomShellComboBox(fw::TComponent* owner) : TkComboBoxEx(owner) {
  SetDropDownCount(14);
  SHFILEINFOA info{};
  auto system = reinterpret_cast<HIMAGELIST>(
      SHGetFileInfoA("C:\\", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
  ImageList_SetBkColor(system, CLR_NONE);
  FSystemImages = fw::New<fw::TImageList>(this);
  FSystemImages->SetShareImages(true);
  FSystemImages->SetHandle(system);
  SetImages(FSystemImages);
}

TkCustomShellComboBox::~TkCustomShellComboBox() {
  SetShellTreeView(nullptr);
  SetShellListView(nullptr);
  // The items stay for the base; only their folders go.
  for (int n = 0; n < GetItemsEx()->GetCount(); ++n) delete FolderAt(n);
  delete FRootFolder;
}

void TkCustomShellComboBox::ClearFolders() {
  for (int n = 0; n < GetItemsEx()->GetCount(); ++n) {
    delete FolderAt(n);
    GetItemsEx()->GetItem(n)->SetData(nullptr);
  }
  Clear();
}

TkShellFolder* TkCustomShellComboBox::FolderAt(int index) const {
  if (index < 0 || index >= GetItemsEx()->GetCount()) return nullptr;
  return static_cast<TkShellFolder*>(GetItemsEx()->GetItem(index)->GetData());
}

// --- partners ---

void TkCustomShellComboBox::SetShellTreeView(TkCustomShellTreeView* value) {
  if (value == FTreeView) return;
  TkCustomShellTreeView* old = FTreeView;
  FTreeView = value;
  if (old && old->GetShellComboBox() == this) old->SetShellComboBox(nullptr);
  if (value) {
    value->FreeNotification(this);
    if (value->GetShellComboBox() != this) value->SetShellComboBox(this);
  }
}

void TkCustomShellComboBox::SetShellListView(TkCustomShellListView* value) {
  if (value == FListView) return;
  TkCustomShellListView* old = FListView;
  FListView = value;
  if (old && old->GetShellComboBox() == this) old->SetShellComboBox(nullptr);
  if (value) {
    value->FreeNotification(this);
    if (value->GetShellComboBox() != this) value->SetShellComboBox(this);
  }
}

void TkCustomShellComboBox::Notification(fw::TComponent* component, fw::TOperation operation) {
  TkComboBoxEx::Notification(component, operation);
  if (operation != fw::opRemove) return;
  if (component == FTreeView) FTreeView = nullptr;
  if (component == FListView) FListView = nullptr;
}

void TkCustomShellComboBox::TellPartners(LPCITEMIDLIST pidl) {
  if (FTreeView) FTreeView->SelectPidl(pidl);
  if (FListView) FListView->FollowFolder(pidl);
}

// --- properties ---

void TkCustomShellComboBox::SetRoot(const TkRoot& value) {
  if (value == FRoot && FRootFolder) return;
  FRoot = value;
  FChanging = true;
  CreateRoot();
  if (FTreeView) FTreeView->SetRoot(FRoot);
  if (FListView) FListView->SetRoot(FRoot);
  FChanging = false;
}

void TkCustomShellComboBox::LinkRoot(const TkRoot& root) {
  if (FChanging) return;
  FRoot = root;
  CreateRoot();
}

void TkCustomShellComboBox::SetObjectTypes(TkShellObjectTypes value) {
  FObjectTypes = value;
  if (FRootFolder) CreateRoot();
}

void TkCustomShellComboBox::SetUseShellImages(bool value) {
  FUseShellImages = value;
  if ((GetImages() && GetImages() != FSystemImages) || (GetImages() == FSystemImages) == value) return;
  SetImages(value ? FSystemImages : nullptr);
}

int TkCustomShellComboBox::ImageOf(TkShellFolder* folder) const {
  return FUseShellImages ? folder->ImageIndex(false) : -1;
}

std::string TkCustomShellComboBox::GetPath() const {
  TkShellFolder* folder = FolderAt(GetItemIndex());
  if (!folder) return {};
  std::string path = folder->PathName();
  if (!path.empty() && path.back() != '\\') path += '\\';
  return path;
}

void TkCustomShellComboBox::SetPath(const std::string& value) {
  std::string path = value;
  if (path == ".") {
    char current[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, current);
    path = current;
  }
  LPITEMIDLIST pidl = PidlFromPath(path);
  SetFolderPidl(pidl);
  FreePidl(pidl);
}

// --- items ---

int TkCustomShellComboBox::InsertFolder(int index, TkShellFolder* folder) {
  auto* item = static_cast<TkComboItem*>(GetItemsEx()->Insert(index));
  int image = ImageOf(folder);
  if (OnGetImageIndex && GetImages()) OnGetImageIndex(this, folder, image);
  item->SetImageIndex(image);
  item->SetSelectedImageIndex(image);
  item->SetIndend(folder->Level() - FolderAt(0)->Level());
  item->SetData(folder);
  item->SetCaption(folder->DisplayName());
  return index;
}

void TkCustomShellComboBox::CreateRoot() {
  if (GetComponentState().Contains(fw::csLoading)) return;
  ClearFolders();
  FRootFolder = CreateRootFolder(FRootFolder, FRoot);
  auto* top = new TkShellFolder(nullptr, FRootFolder->ShellFolder(), FRootFolder->AbsoluteID());
  auto* item = GetItemsEx()->AddItem("", ImageOf(top), ImageOf(top), -1, 0, top);
  item->SetCaption(top->DisplayName());
  PopulateRootLevel();
  SetItemIndex(0);
}

void TkCustomShellComboBox::PopulateRootLevel() {
  AddSubFolders(0, FolderAt(0));
  if (FRoot != "rfDesktop") return;
  LPITEMIDLIST computer = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &computer))) return;
  for (int n = GetItemsEx()->GetCount() - 1; n > 0; --n)
    if (SamePidls(FolderAt(n)->AbsoluteID(), computer)) {
      AddSubFolders(n, FolderAt(n));
      break;
    }
  FreePidl(computer);
}

void TkCustomShellComboBox::AddSubFolders(int parentIndex, TkShellFolder* folder) {
  IShellFolder* shell = folder ? folder->ShellFolder() : nullptr;
  if (!shell) return;
  std::vector<TkShellFolder*> children;
  svc::TComRef<IEnumIDList> items;
  if (SUCCEEDED(shell->EnumObjects(fw::Application->GetHandle(), ObjectTypeFlags(FObjectTypes), items.Put())) && items) {
    LPITEMIDLIST item = nullptr;
    ULONG fetched = 0;
    while (items->Next(1, &item, &fetched) == S_OK && fetched) {
      svc::TComRef<IShellFolder> own;
      shell->BindToObject(item, nullptr, IID_IShellFolder, own.PutVoid());
      children.push_back(new TkShellFolder(folder, own.Get(), item));
      CoTaskMemFree(item);
      item = nullptr;
    }
  }
  std::stable_sort(children.begin(), children.end(), [shell](TkShellFolder* a, TkShellFolder* b) {
    return static_cast<short>(HRESULT_CODE(shell->CompareIDs(0, a->RelativeID(), b->RelativeID()))) < 0;
  });
  int at = parentIndex;
  for (TkShellFolder* child : children) InsertFolder(++at, child);
}

int TkCustomShellComboBox::IndexOfPidl(LPCITEMIDLIST pidl) const {
  for (int n = 0; n < GetItemsEx()->GetCount(); ++n)
    if (SamePidls(FolderAt(n)->AbsoluteID(), pidl)) return n;
  return -1;
}

void TkCustomShellComboBox::SetFolderPidl(LPCITEMIDLIST pidl) {
  CreateRoot();
  std::vector<LPITEMIDLIST> chain = PidlToList(pidl);
  chain.push_back(CopyPidl(pidl));
  int found = -1;
  size_t deepest = chain.size();
  while (deepest > 0 && found < 0) found = IndexOfPidl(chain[--deepest]);
  if (found >= 0) {
    for (size_t n = deepest + 1; n < chain.size(); ++n) {
      TkShellFolder* parent = FolderAt(found);
      LPITEMIDLIST last = LastItemIdCopy(chain[n]);
      svc::TComRef<IShellFolder> own;
      if (parent->ShellFolder()) parent->ShellFolder()->BindToObject(last, nullptr, IID_IShellFolder, own.PutVoid());
      found = InsertFolder(found + 1, new TkShellFolder(parent, own.Get(), last));
      FreePidl(last);
    }
    SetItemIndex(found);
  }
  FreePidlList(chain);
}

// --- following ---

void TkCustomShellComboBox::FollowFolder(LPCITEMIDLIST absolute) {
  if (FChanging || GetComponentState().Contains(fw::csLoading)) return;
  TkShellFolder* selected = FolderAt(GetItemIndex());
  if (selected && SamePidls(selected->AbsoluteID(), absolute)) return;
  FChanging = true;
  SetFolderPidl(absolute);
  if (OnChange) OnChange(this);
  FChanging = false;
}

void TkCustomShellComboBox::Change() {
  TkComboBoxEx::Change();
  TkShellFolder* folder = FolderAt(GetItemIndex());
  if (FChanging || !folder || GetDroppedDown() || GetComponentState().Contains(fw::csLoading)) return;
  FChanging = true;
  TellPartners(folder->AbsoluteID());
  FChanging = false;
}

void TkCustomShellComboBox::CloseUp() {
  TkComboBoxEx::CloseUp();
  TkShellFolder* folder = FolderAt(GetItemIndex());
  if (FChanging || !folder) return;
  FChanging = true;
  LPITEMIDLIST pidl = CopyPidl(folder->AbsoluteID());
  SetFolderPidl(pidl);
  TellPartners(pidl);
  Click();
  FreePidl(pidl);
  FChanging = false;
}

// --- window ---

void TkCustomShellComboBox::CreateWnd() {
  TkComboBoxEx::CreateWnd();
  if (GetItemsEx()->GetCount() == 0 && !FChanging) CreateRoot();
}

void TkCustomShellComboBox::Loaded() {
  TkComboBoxEx::Loaded();
  if (!FChanging) CreateRoot();
}

}  // namespace skin
