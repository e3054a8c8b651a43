#include "skin/controls/shell_tree_view.h"

#include <algorithm>
#include <vector>

#include "framework/forms/application.h"
#include "framework/menus/popup_menu.h"
#include "services/shell/shell_view_support.h"
#include "skin/controls/web_label.h"
#include "skin/engine/common_data.h"
#include "skin/engine/skin_command.h"

namespace skin {

namespace {

// Posted after a label rename: the parent is refreshed once the notification has returned.
constexpr UINT kRefreshAfterRename = WM_APP + 0x31;

IkShellTreeLink* LinkOf(fw::TComponent* partner) { return dynamic_cast<IkShellTreeLink*>(partner); }

// Updates of the nodes and of the skin data together.
class TNodeUpdate {
 public:
  explicit TNodeUpdate(TkCustomShellTreeView* tree) : FTree(tree) {
    FTree->GetItems()->BeginUpdate();
    if (TkCommonData* data = FTree->GetSkinData()) data->BeginUpdate();
  }
  ~TNodeUpdate() {
    if (TkCommonData* data = FTree->GetSkinData()) data->EndUpdate();
    FTree->GetItems()->EndUpdate();
  }
  TNodeUpdate(const TNodeUpdate&) = delete;
  TNodeUpdate& operator=(const TNodeUpdate&) = delete;

 private:
  TkCustomShellTreeView* FTree;
};

}  // namespace

TkCustomShellTreeView::TkCustomShellTreeView(fw::TComponent* owner) : TkTreeView(owner) {
  SHFILEINFOA info{};
  FSystemImages = reinterpret_cast<HIMAGELIST>(
      SHGetFileInfoA("C:\\", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
  SetRightClickSelect(true);
  FNotifier = new TkShellChangeNotifier(this);
}

TkCustomShellTreeView::~TkCustomShellTreeView() {
  SetShellComboBox(nullptr);
  SetShellListView(nullptr);
  // The nodes' folders go here: the base's clearing no longer reaches this class's Delete.
  ClearItems();
  delete FRootFolder;
  FRootFolder = nullptr;
}

TkShellFolder* TkCustomShellTreeView::FolderOf(const fw::TTreeNode* node) {
  return node ? static_cast<TkShellFolder*>(node->GetData()) : nullptr;
}

// --- properties ---

void TkCustomShellTreeView::SetRoot(const TkRoot& value) {
  if (value == FRoot) return;
  FOldRoot = FRoot;
  FRoot = value;
  if (!FLinking) RootChanged();
}

void TkCustomShellTreeView::SetObjectTypes(TkShellObjectTypes value) {
  FObjectTypes = value;
  RootChanged();
}

void TkCustomShellTreeView::SetUseShellImages(bool value) {
  FUseShellImages = value;
  ApplyImageList();
}

void TkCustomShellTreeView::ApplyImageList() {
  if (!HandleAllocated()) return;
  HIMAGELIST list = GetImages() ? GetImages()->GetHandle() : FUseShellImages ? FSystemImages : nullptr;
  FSettingImages = true;
  Perform(TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(list));
  FSettingImages = false;
}

void TkCustomShellTreeView::SetAutoRefresh(bool value) {
  FAutoRefresh = value;
  if (GetComponentState().Contains(fw::csLoading) || GetComponentState().Contains(fw::csDesigning)) return;
  if (FNotifier) FNotifier->Free();
  FNotifier = nullptr;
  if (!value) return;
  FNotifier = new TkShellChangeNotifier(this);
  FNotifier->SetWatchSubTree(false);
  TkShellFolder* watched = FRefreshingNode ? FolderOf(FRefreshingNode) : FRootFolder;
  if (watched) FNotifier->SetRoot(watched->PathName());
  FNotifier->SetOnChange([this] { RefreshSelected(); });
}

void TkCustomShellTreeView::SetPartner(fw::TComponent*& slot, fw::TComponent* value) {
  if (slot == value) return;
  if (slot) {
    if (IkShellTreeLink* old = LinkOf(slot)) old->LinkTree(nullptr);
    slot->RemoveFreeNotification(this);
  }
  slot = value;
  if (!value) return;
  value->FreeNotification(this);
  if (IkShellTreeLink* link = LinkOf(value)) {
    link->LinkRoot(FRoot);
    link->LinkTree(this);
  }
}

void TkCustomShellTreeView::SetShellComboBox(fw::TComponent* value) { SetPartner(FComboBox, value); }

void TkCustomShellTreeView::SetShellListView(fw::TComponent* value) { SetPartner(FListView, value); }

void TkCustomShellTreeView::Notification(fw::TComponent* component, fw::TOperation operation) {
  TkTreeView::Notification(component, operation);
  if (operation != fw::opRemove) return;
  if (component == FComboBox) FComboBox = nullptr;
  if (component == FListView) FListView = nullptr;
  if (component == FNotifier) FNotifier = nullptr;
}

std::string TkCustomShellTreeView::GetPath() const {
  TkShellFolder* folder = SelectedFolder();
  return folder ? folder->PathName() : std::string();
}

void TkCustomShellTreeView::SetPath(const std::string& value) {
  LPITEMIDLIST pidl = PidlFromPath(value);
  if (!FLinking) SelectPidl(pidl);
  CoTaskMemFree(pidl);
}

TkShellFolder* TkCustomShellTreeView::SelectedFolder() const { return FolderOf(GetSelected()); }

TkShellFolder* TkCustomShellTreeView::FolderAt(int index) const { return FolderOf(GetItems()->GetItem(index)); }

void TkCustomShellTreeView::RefreshSelected() {
  if (fw::TTreeNode* node = GetSelected()) RefreshNode(node);
}

// --- building ---

void TkCustomShellTreeView::RootChanged() {
  if (FLinking) return;
  FLinking = true;
  try {
    CreateRoot();
  } catch (...) {
    FLinking = false;
    throw;
  }
  if (IkShellTreeLink* combo = LinkOf(FComboBox)) combo->LinkRoot(FRoot);
  if (IkShellTreeLink* list = LinkOf(FListView)) list->LinkRoot(FRoot);
  FLinking = false;
}

void TkCustomShellTreeView::CreateRoot() {
  if (GetComponentState().Contains(fw::csLoading) || GetComponentState().Contains(fw::csDesigning)) return;
  FRootFolder = CreateRootFolder(FRootFolder, FRoot);
  FBuildingRoot = true;
  std::string error;
  try {
    ClearItems();
    auto* top = new TkShellFolder(nullptr, FRootFolder->ShellFolder(), FRootFolder->AbsoluteID());
    fw::TTreeNode* node = GetItems()->AddObject(nullptr, "", top);
    node->SetText(GetItemDisplayName(DesktopShellFolder(), top->AbsoluteID(), 0, FShowExt));
    if (FUseShellImages && !GetImages()) SetShellIcons(node, top);
    node->SetHasChildren(top->SubFolders());
    node->Expand(false);
    node->SetSelected(true);
  } catch (const std::exception& e) {
    error = e.what();
  }
  FBuildingRoot = false;
  if (!error.empty()) throw fw::Exception(error);
}

void TkCustomShellTreeView::ResetTree() {
  ClearItems();
  delete FRootFolder;
  FRootFolder = nullptr;
}

void TkCustomShellTreeView::ClearItems() {
  TNodeUpdate update(this);
  for (fw::TTreeNode* node = GetItems()->GetFirstNode(); node; node = node->GetNext()) {
    delete FolderOf(node);
    node->SetData(nullptr);
  }
  FPendingRefresh = nullptr;
  GetItems()->Clear();
}

void TkCustomShellTreeView::SetShellIcons(fw::TTreeNode* node, TkShellFolder* folder) {
  node->SetImageIndex(ShellImageIndex(folder->AbsoluteID(), false, false));
  int open = ShellImageIndex(folder->AbsoluteID(), false, true);
  node->SetSelectedIndex(open == 0 ? node->GetImageIndex() : open);
}

void TkCustomShellTreeView::PopulateNode(fw::TTreeNode* node) {
  TkShellFolder* folder = FolderOf(node);
  if (!folder || !folder->ShellFolder()) return;
  svc::TSvBusyCursor busy;
  TNodeUpdate update(this);
  ListChildren(node);
}

// The folder's items are listed and matched with the node's children (the folder's CompareIDs
// finds an item equal): a child still listed keeps its node, and is listed anew itself when it
// was listed before (it has children or is expanded); a child no longer listed is deleted; a new
// item gets a node. Then the children are sorted in the folder's order.
void TkCustomShellTreeView::ListChildren(fw::TTreeNode* node) {
  IShellFolder* shell = FolderOf(node)->ShellFolder();
  auto order = [shell](LPCITEMIDLIST a, LPCITEMIDLIST b) {
    return static_cast<int>(static_cast<short>(HRESULT_CODE(shell->CompareIDs(0, a, b))));
  };
  std::vector<LPITEMIDLIST> listed;
  svc::TComRef<IEnumIDList> items;
  if (SUCCEEDED(shell->EnumObjects(fw::Application->GetHandle(), ObjectTypeFlags(FObjectTypes), items.Put())) &&
      items) {
    LPITEMIDLIST item = nullptr;
    ULONG fetched = 0;
    while (items->Next(1, &item, &fetched) == S_OK && fetched) {
      listed.push_back(item);
      item = nullptr;
    }
  }
  for (int i = node->GetCount() - 1; i >= 0; --i) {
    fw::TTreeNode* child = node->GetItem(i);
    TkShellFolder* folder = FolderOf(child);
    auto found = listed.end();
    if (folder)
      found = std::find_if(listed.begin(), listed.end(),
                           [&](LPITEMIDLIST item) { return order(folder->RelativeID(), item) == 0; });
    if (found == listed.end()) {
      child->Delete();
      continue;
    }
    FreePidl(*found);
    listed.erase(found);
    if (folder->ShellFolder() && (child->GetCount() > 0 || child->GetExpanded())) {
      ListChildren(child);
      child->SetHasChildren(child->GetCount() > 0);
    } else {
      child->SetHasChildren(ShowsButton(folder));
    }
  }
  for (LPITEMIDLIST item : listed) InitNode(GetItems()->AddChildObject(node, "", nullptr), item, node);
  FreePidlList(listed);
  SortChildren(node, [&](fw::TTreeNode* a, fw::TTreeNode* b, LPARAM) {
    return order(FolderOf(a)->RelativeID(), FolderOf(b)->RelativeID());
  }, 0);
}

bool TkCustomShellTreeView::ShowsButton(TkShellFolder* folder) const {
  if (FObjectTypes.Contains(otNonFolders) && folder->ShellFolder())
    return HasItems(folder->ShellFolder(), ObjectTypeFlags(FObjectTypes));
  return folder->SubFolders();
}

bool TkCustomShellTreeView::InitNode(fw::TTreeNode* node, LPCITEMIDLIST pidl, fw::TTreeNode* parentNode) {
  TkShellFolder* parent = FolderOf(parentNode);
  svc::TComRef<IShellFolder> own;
  parent->ShellFolder()->BindToObject(pidl, nullptr, IID_IShellFolder, own.PutVoid());
  auto* folder = new TkShellFolder(parent, own.Get(), pidl);
  node->SetData(folder);
  node->SetText(folder->DisplayName(FShowExt));
  if (FUseShellImages && !GetImages()) SetShellIcons(node, folder);
  if (folder->Properties().Contains(prShared)) node->SetOverlayIndex(0);
  node->SetHasChildren(ShowsButton(folder));
  bool canAdd = true;
  if (OnAddFolder) OnAddFolder(this, folder, canAdd);
  if (!canAdd) node->Delete();
  return canAdd;
}

// --- tree events ---

bool TkCustomShellTreeView::CanExpand(fw::TTreeNode* node) {
  if (GetComponentState().Contains(fw::csDesigning)) return node->GetCount() > 0;
  if (!TkTreeView::CanExpand(node)) return false;
  TkShellFolder* folder = FolderOf(node);
  if (folder && folder->IsFolder()) {
    if (node->GetHasChildren() && node->GetCount() == 0) PopulateNode(node);
  } else if (folder) {
    std::string path = folder->PathName();
    ShellOpen(path, SW_SHOWNORMAL, nullptr, FolderOfPath(path));
  }
  node->SetHasChildren(node->GetCount() > 0);
  return true;
}

void TkCustomShellTreeView::LinkPartners(LPCITEMIDLIST absolute) {
  if (IkShellTreeLink* combo = LinkOf(FComboBox)) combo->FollowFolder(absolute);
  if (IkShellTreeLink* list = LinkOf(FListView)) list->FollowFolder(absolute);
}

void TkCustomShellTreeView::Change(fw::TTreeNode* node) {
  TkTreeView::Change(node);
  if (FLinking || !node) return;
  bool autoRefresh = FAutoRefresh;
  if (autoRefresh) SetAutoRefresh(false);
  TkShellFolder* folder = FolderOf(node);
  if (folder && !folder->IsFolder() && node->GetParent()) folder = FolderOf(node->GetParent());
  if (folder) {
    FLinking = true;
    LinkPartners(folder->AbsoluteID());
    FLinking = false;
  }
  FRefreshingNode = node;
  if (autoRefresh) SetAutoRefresh(true);
  FRefreshingNode = nullptr;
}

bool TkCustomShellTreeView::CanEdit(fw::TTreeNode* node) {
  FEditOpen = TkTreeView::CanEdit(node);
  return FEditOpen;
}

void TkCustomShellTreeView::Edit(const TVITEMA& item) {
  // One rename an edit: the control may end a refused edit once more as its edit window goes.
  if (!FEditOpen) return;
  FEditOpen = false;
  if (!item.pszText) return;
  fw::TTreeNode* node = NodeOf(item.hItem);
  TkShellFolder* folder = FolderOf(node);
  if (!folder) return;
  std::string text = item.pszText;
  if (OnEdited) OnEdited(this, node, text);
  if (!folder->Rename(text)) return;
  node->SetText(text);
  // The native control still uses the edited item when this returns: the parent is listed
  // anew from a posted message.
  FPendingRefresh = node->GetParent();
  if (FPendingRefresh && HandleAllocated()) PostMessageA(GetHandle(), kRefreshAfterRename, 0, 0);
}

void TkCustomShellTreeView::Delete(fw::TTreeNode* node) {
  if (node == FPendingRefresh) FPendingRefresh = nullptr;
  delete FolderOf(node);
  node->SetData(nullptr);
  TkTreeView::Delete(node);
}

void TkCustomShellTreeView::GetImageIndex(fw::TTreeNode* node) {
  if (GetImages()) TkTreeView::GetImageIndex(node);
}

void TkCustomShellTreeView::GetSelectedIndex(fw::TTreeNode* node) {
  if (GetImages()) TkTreeView::GetSelectedIndex(node);
}

// --- finding and refreshing ---

fw::TTreeNode* TkCustomShellTreeView::FindNodeByPidl(LPCITEMIDLIST pidl, fw::TTreeNode* start) const {
  fw::TTreeNode* node = start ? start : GetItems()->GetFirstNode();
  int level = start ? start->GetLevel() : -1;
  for (; node && (node == start || node->GetLevel() > level); node = node->GetNext()) {
    TkShellFolder* folder = FolderOf(node);
    if (folder && SamePidls(folder->AbsoluteID(), pidl)) return node;
  }
  return nullptr;
}

void TkCustomShellTreeView::SelectPidl(LPCITEMIDLIST pidl) {
  if (FLinking || GetComponentState().Contains(fw::csLoading)) return;
  TkShellFolder* selected = SelectedFolder();
  if ((selected && SamePidls(selected->AbsoluteID(), pidl)) || !GetItems()->GetFirstNode()) return;
  FLinking = true;
  std::vector<LPITEMIDLIST> chain = PidlToList(pidl);
  {
    TNodeUpdate update(this);
    fw::TTreeNode* current = GetItems()->GetFirstNode();
    for (LPITEMIDLIST prefix : chain) {
      if (fw::TTreeNode* found = FindNodeByPidl(prefix, current)) {
        current = found;
        current->Expand(false);
      }
    }
    if (fw::TTreeNode* target = FindNodeByPidl(pidl, current)) {
      target->SetSelected(true);
      LinkPartners(FolderOf(target)->AbsoluteID());
    }
  }
  FreePidlList(chain);
  FLinking = false;
}

// The node is listed anew in place, so the node, its folder and every child still listed stay
// the same objects for whoever holds them; expanded children stay expanded, the selection stays
// where it was unless its folder went.
void TkCustomShellTreeView::RefreshNode(fw::TTreeNode* node) {
  TkShellFolder* folder = FolderOf(node);
  if (!folder || !folder->ShellFolder()) return;
  svc::TSvBusyCursor busy;
  TNodeUpdate update(this);
  ListChildren(node);
  if (FUseShellImages && !GetImages()) SetShellIcons(node, folder);
  node->SetHasChildren(folder->SubFolders() || node->GetCount() > 0);
  node->MakeVisible();
}

// --- the context menu's verbs ---

void TkCustomShellTreeView::BeforeVerb(const std::string& verb, bool& handled) {
  fw::TTreeNode* selected = GetSelected();
  if (verb == "rename" && selected) {
    selected->EditText();
    handled = true;
  } else if (verb == "open" && selected) {
    FSavedDirectory = EnterItemDirectory(SelectedFolder());
  }
}

void TkCustomShellTreeView::AfterVerb(const std::string& verb, bool succeeded) {
  fw::TTreeNode* selected = GetSelected();
  if (!succeeded || !selected) return;
  if (verb == "delete") {
    if (GetFileAttributesA(SelectedFolder()->PathName().c_str()) == INVALID_FILE_ATTRIBUTES) selected->Delete();
  } else if (verb == "paste") {
    RefreshNode(selected);
  } else if (verb == "open") {
    SetCurrentDirectoryA(FSavedDirectory.c_str());
  }
}

// --- window ---

void TkCustomShellTreeView::WndProc(fw::TMessage& m) {
  switch (m.Msg) {
    case WM_INITMENUPOPUP:
    case WM_MEASUREITEM:
    case WM_MENUCHAR:
      if (PassToOpenContextMenu(m)) return;
      break;
    case TVM_SETIMAGELIST:
      if (!FSettingImages) {
        ApplyImageList();
        return;
      }
      break;
    case WM_CONTEXTMENU:
      if (FAutoContextMenus && !(GetPopupMenu() && GetPopupMenu()->GetAutoPopup())) {
        POINT at{static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam))};
        ::ScreenToClient(GetHandle(), &at);
        InvokeContextMenu(this, GetHandle(), SelectedFolder(), at.x, at.y);
        return;
      }
      break;
    case kRefreshAfterRename:
      if (fw::TTreeNode* parent = FPendingRefresh) {
        FPendingRefresh = nullptr;
        RefreshNode(parent);
      }
      return;
    case WM_NCPAINT: {
      TkTreeView::WndProc(m);
      QueriedColor = 0xFF00FF;
      SendCmdToHandle(GetHandle(), cmdGetColor);
      if (QueriedColor != 0xFF00FF && FSystemImages) ImageList_SetBkColor(FSystemImages, fw::ColorToRGB(QueriedColor));
      return;
    }
    default:
      break;
  }
  TkTreeView::WndProc(m);
}

void TkCustomShellTreeView::CreateWnd() {
  TkTreeView::CreateWnd();
  ClearItems();
  if (!GetImages()) SetUseShellImages(FUseShellImages);
  if (!FBuildingRoot) CreateRoot();
}

void TkCustomShellTreeView::DestroyWnd() {
  ClearItems();
  TkTreeView::DestroyWnd();
}

void TkCustomShellTreeView::Loaded() {
  TkTreeView::Loaded();
  CreateRoot();
}

}  // namespace skin
