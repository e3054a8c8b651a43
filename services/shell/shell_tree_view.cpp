#include "services/shell/shell_tree_view.h"

#include <commctrl.h>

#include <vector>

#include "framework/rtl/seams.h"
#include "framework/rtl/sys_utils.h"
#include "services/shell/shell32_functions.h"
#include "services/shell/shell_comparers.h"
#include "services/shell/shell_component.h"
#include "services/shell/shell_controller.h"
#include "services/shell/shell_item.h"
#include "services/shell/shell_list_view.h"
#include "services/shell/shell_view_support.h"
#include "services/shell/sv_exception.h"

namespace svc {

namespace {

constexpr UINT kRenameCommand = 19;

int IndexOf(const fw::TTreeNode* node) {
  return node ? static_cast<int>(reinterpret_cast<intptr_t>(node->GetData())) : -1;
}

void* DataOf(int index) { return reinterpret_cast<void*>(static_cast<intptr_t>(index)); }

TPidl ClonePidl(LPCITEMIDLIST pidl) { return TPidl(pidl ? Shell32().ILClone(pidl) : nullptr); }

// The clones of pidl's ancestors, nearest first, the empty (desktop) list last.
std::vector<TPidl> AncestorsOf(LPCITEMIDLIST pidl) {
  std::vector<TPidl> ancestors;
  TPidl current = ClonePidl(pidl);
  while (current && Shell32().ILRemoveLastID(current.Get())) {
    ancestors.push_back(ClonePidl(current.Get()));
  }
  return ancestors;
}

}  // namespace

TSvCustomShellTreeView::TSvCustomShellTreeView(fw::TComponent* owner) : fw::TCustomTreeView(owner) {
  if (!Shell32FunctionsLoaded()) LoadShell32Functions();
  FOptions = TSvTreeOptions{toAllowRename, toAllowDrag, toAllowDrop, toExpandTopNode, toShellMenu};
  FFolders = fw::New<TSvShellFolderList>();
  SetBounds(GetLeft(), GetTop(), 180, 270);
  SetRightClickSelect(true);
  SetShowRoot(false);
  SetDragDrop(true);
}

void TSvCustomShellTreeView::AfterConstruction() {
  fw::TCustomTreeView::AfterConstruction();
  if (GetComponentState().Contains(fw::csDesigning)) return;
  FNotification = fw::New<TSvShellNotification>(this);
  FNotification->SetWatchSubFolders(true);
  FNotification->SetWatchPidl(nullptr);
  FNotification->SetMaxNotifications(5);
  FNotification->OnShellChangeNotify = [this](fw::TObject*, TSvShellItem* a, TSvShellItem* b, TSvNotifyEventsSet events) {
    TreeShellChanged(a, b, events);
  };
  FNotification->SetActive(true);
}

TSvCustomShellTreeView::~TSvCustomShellTreeView() {
  if (FNotification) FNotification->SetActive(false);
  DestroyHandle();
  FDropSite.Revoke();
  GetItems()->Clear();
  if (FController && FController->TreeView == this) FController->TreeView = nullptr;
  ReleaseController(FController);
  fw::Free(FFolders);
}

std::string TSvCustomShellTreeView::GetVersion() const { return kSvComponentVersion; }

TSvShellFolder* TSvCustomShellTreeView::FolderOf(const fw::TTreeNode* node) const {
  return node ? FFolders->GetItem(IndexOf(node)) : nullptr;
}

TSvShellFolder* TSvCustomShellTreeView::GetRootShellFolder() const { return FFolders->GetItem(FRootIndex); }

// --- life cycle ---

void TSvCustomShellTreeView::SetUpController() {
  if (!FController) FController = UseController(FListView ? FListView->GetController() : nullptr);
  FController->TreeView = this;
  if (!GetImages()) SetImages(FController->GetSmallImages());
}

void TSvCustomShellTreeView::CreateWnd() {
  fw::TCustomTreeView::CreateWnd();
  if (FRecreating) {
    // A window made again keeps the set-up of the one before; the flag ends with it.
    FRecreating = false;
    for (int i = 0; i < GetItems()->GetCount(); ++i) {
      fw::TTreeNode* node = GetItems()->GetItem(i);
      if (TSvShellFolder* folder = FolderOf(node))
        if (folder->HasSubFolder()) node->SetHasChildren(true);
    }
  } else if (!GetComponentState().Contains(fw::csLoading)) {
    SetUpController();
    FillTree();
  }
  RegisterDropTarget();
  SetDragDrop(FOptions.Contains(toAllowDrag));
}

void TSvCustomShellTreeView::Loaded() {
  fw::TCustomTreeView::Loaded();
  if (FRecreating) {
    FRecreating = false;
    return;
  }
  if (GetComponentState().Contains(fw::csLoading) || !HandleAllocated()) return;
  SetUpController();
  FillTree();
}

void TSvCustomShellTreeView::DestroyWnd() {
  if (!GetComponentState().Contains(fw::csDestroying)) FRecreating = true;
  FDropSite.Revoke();
  fw::TCustomTreeView::DestroyWnd();
}

void TSvCustomShellTreeView::Notification(fw::TComponent* component, fw::TOperation operation) {
  fw::TCustomTreeView::Notification(component, operation);
  if (operation != fw::opRemove) return;
  if (component == FListView) FListView = nullptr;
}

// --- filling ---

void TSvCustomShellTreeView::ClearNodes() {
  FSelectedFolder = nullptr;
  FDropNode = nullptr;
  GetItems()->Clear();
  FFolders->Clear();
  FRootIndex = -1;
}

void TSvCustomShellTreeView::SortTree() {
  fw::TTreeNode* top = GetTopItem();
  CustomSort([this](fw::TTreeNode* a, fw::TTreeNode* b, LPARAM) {
    TSvShellFolder* fa = FolderOf(a);
    TSvShellFolder* fb = FolderOf(b);
    return fa && fb ? TreeCompareIds(fa, fb) : 0;
  }, 0, true);
  if (top && HandleAllocated()) Perform(TVM_SELECTITEM, TVGN_FIRSTVISIBLE, reinterpret_cast<LPARAM>(top->GetItemId()));
}

void TSvCustomShellTreeView::SetNodeImages(fw::TTreeNode* node, LPCITEMIDLIST pidl, bool withText) {
  DWORD attributes = 0;
  std::string name;
  int open = -1, icon = -1;
  FController->GetShellFileInfo(pidl, attributes, name, open, icon);
  node->SetImageIndex(icon);
  node->SetSelectedIndex(open);
  if (withText) node->SetText(name);
}

void TSvCustomShellTreeView::FillTree() {
  ClearNodes();
  if (!FController || !HandleAllocated() || (FSpecialRootFolder == sfNone && FRootFolder.empty())) {
    FTreeReady = true;
    return;
  }
  TPidl root;
  if (FSpecialRootFolder != sfNone) {
    if (FAILED(SHGetSpecialFolderLocation(GetHandle(), SpecialFolderCsidl(FSpecialRootFolder), root.Put())) || !root)
      RaiseSsError<ESvShellError>(110);
  } else if (FAILED(FController->PathToPidl(FRootFolder, FController->GetDesktopFolder(), root)) || !root) {
    RaiseSsError<ESvInvalidFolder>(240);
  }
  fw::TTreeNode* top = GetItems()->AddChild(nullptr, "");
  SetNodeImages(top, root.Get(), true);
  fw::Owned<TSvShellItem> item(TSvShellItem::CreateFromPidl(root.Get(), FController));
  auto* folder = fw::New<TSvShellFolder>(FController);
  folder->Assign(item.get());
  folder->SetOwnerList(FFolders);
  FRootIndex = FFolders->Add(folder);
  top->SetText(folder->GetDisplayName());
  top->SetData(DataOf(FRootIndex));
  FController->ParentNode = top;
  FController->EnumerateFolder(folder->GetPidl(), ekTree);
  top->SetHasChildren(top->GetCount() > 0);
  SortTree();
  if (FOptions.Contains(toExpandTopNode)) top->Expand(false);
  TPidl startIn = StartInPidl(true);
  if (!startIn) {
    FTreeReady = true;
    return;
  }
  std::vector<TPidl> ancestors = AncestorsOf(startIn.Get());
  for (auto it = ancestors.rbegin(); it != ancestors.rend(); ++it)
    if (fw::TTreeNode* node = FindNodeByPidl(it->Get()))
      if (!node->GetExpanded()) node->Expand(false);
  FTreeReady = false;
}

TPidl TSvCustomShellTreeView::StartInPidl(bool desktopForNone) {
  TPidl pidl;
  if (!FStartInFolder.empty()) {
    FController->PathToPidl(FStartInFolder, FController->GetDesktopFolder(), pidl);
  } else if (FSpecialStartInFolder != sfNone || desktopForNone) {
    int csidl = FSpecialStartInFolder == sfNone ? 0 : SpecialFolderCsidl(FSpecialStartInFolder);
    if (FAILED(SHGetSpecialFolderLocation(GetHandle(), csidl, pidl.Put()))) pidl.Reset();
  }
  return pidl;
}

void TSvCustomShellTreeView::FirstPaint() {
  FTreeReady = true;
  TPidl startIn = StartInPidl(false);
  if (!startIn) {
    if (FListView && FListView->GetItems()->GetCount() == 0)
      if (TSvShellFolder* first = FFolders->GetItem(0)) {
        FListView->SetFolder(first);
        FListedAtFirstPaint = first;
      }
    return;
  }
  fw::TTreeNode* node = FindNodeByPidl(startIn.Get());
  if (node) {
    SetSelected(node);
    Change(node);
    node->MakeVisible();
  } else {
    Change(GetItems()->GetFirstNode());
  }
}

bool TSvCustomShellTreeView::DoFilterItem(TSvShellFolder* folder) {
  bool accept = true;
  if (OnFilterItem && FFiltered) OnFilterItem(this, folder, accept);
  return accept;
}

void TSvCustomShellTreeView::AddFolderNode(TSvShellFolder* folder, bool hasChildren) {
  int index = FFolders->Add(folder);
  fw::TTreeNode* node = GetItems()->AddChildObject(FController->ParentNode, folder->GetDisplayName(), DataOf(index));
  SetNodeImages(node, folder->GetPidl(), false);
  node->SetHasChildren(hasChildren);
}

bool TSvCustomShellTreeView::CanExpand(fw::TTreeNode* node) {
  bool allow = fw::TCustomTreeView::CanExpand(node);
  if (!GetComponentState().Contains(fw::csDestroying) && node->GetCount() == 0) EnumerateNode(node);
  return allow;
}

void TSvCustomShellTreeView::EnumerateNode(fw::TTreeNode* node) {
  TSvShellFolder* folder = FolderOf(node);
  if (!folder || !FController) return;
  {
    TSvBusyCursor busy;
    FController->ParentNode = node;
    FController->EnumerateFolder(folder->GetPidl(), ekTree);
  }
  if (node->GetCount() == 0) {
    node->SetHasChildren(false);
    return;
  }
  Perform(WM_SETREDRAW, 0, 0);
  SortTree();
  Perform(WM_SETREDRAW, 1, 0);
}

// --- finding nodes ---

fw::TTreeNode* TSvCustomShellTreeView::FindNodeByPidl(LPCITEMIDLIST pidl) const {
  for (fw::TTreeNode* node = GetItems()->GetFirstNode(); node; node = node->GetNext()) {
    TSvShellFolder* folder = FolderOf(node);
    if (folder && Shell32().ILIsEqual(folder->GetPidl(), pidl)) return node;
  }
  return nullptr;
}

fw::TTreeNode* TSvCustomShellTreeView::FindNodeByPath(const std::string& path) const {
  for (fw::TTreeNode* node = GetItems()->GetFirstNode(); node; node = node->GetNext()) {
    TSvShellFolder* folder = FolderOf(node);
    if (folder && folder->GetPath() == path) return node;
  }
  return nullptr;
}

fw::TTreeNode* TSvCustomShellTreeView::FindAncestorNode(LPCITEMIDLIST pidl) const {
  for (const TPidl& ancestor : AncestorsOf(pidl))
    if (fw::TTreeNode* node = FindNodeByPidl(ancestor.Get())) return node;
  return nullptr;
}

// --- selection ---

void TSvCustomShellTreeView::Change(fw::TTreeNode* node) {
  if (!FTreeReady) return;
  fw::TCustomTreeView::Change(node);
  FSelectedFolder = FolderOf(node);
  if (GetComponentState().Contains(fw::csLoading) || GetComponentState().Contains(fw::csDesigning)) return;
  if (OnFolderSelected && FSelectedFolder) OnFolderSelected(this, FSelectedFolder);
  if (FSelectingForList) {
    FSelectingForList = false;
    return;
  }
  const bool listed = FListedAtFirstPaint && FSelectedFolder == FListedAtFirstPaint;
  FListedAtFirstPaint = nullptr;
  if (listed) return;
  if (FListView && FSelectedFolder && (FSelectedFolder->IsShellFolder() || FSelectedFolder->GetIsDesktop()))
    FListView->SetFolderFromTree(FSelectedFolder);
}

void TSvCustomShellTreeView::Click() {
  fw::TCustomTreeView::Click();
  if (fw::TTreeNode* node = GetSelected())
    if (GetHotTrack() && !GetAutoExpand()) node->Expand(false);
}

bool TSvCustomShellTreeView::SelectFolderNode(TSvShellItem* folder, bool existingOnly) {
  if (!folder) return false;
  if (existingOnly) {
    fw::TTreeNode* node = FindNodeByPidl(folder->GetPidl());
    if (!node) return false;
    FSelectingForList = GetSelected() != node;
    SetSelected(node);
    FSelectingForList = false;
    return true;
  }
  SelectFolderPath(folder);
  return true;
}

void TSvCustomShellTreeView::SelectFolderPath(TSvShellItem* folder) {
  std::vector<TPidl> ancestors;
  fw::TTreeNode* node = FindNodeByPidl(folder->GetPidl());
  if (!node) {
    TPidl current = ClonePidl(folder->GetPidl());
    while (current && !node && Shell32().ILRemoveLastID(current.Get())) {
      node = FindNodeByPidl(current.Get());
      if (!node) ancestors.push_back(ClonePidl(current.Get()));
    }
  }
  if (!node) RaiseSsError<ESvInvalidFolder>(240);
  Perform(WM_SETREDRAW, 0, 0);
  if (node && !node->GetExpanded() && !SamePidl(FolderOf(node)->GetPidl(), folder->GetPidl())) node->Expand(false);
  for (auto it = ancestors.rbegin(); it != ancestors.rend(); ++it)
    if (fw::TTreeNode* inner = FindNodeByPidl(it->Get())) inner->Expand(false);
  fw::TTreeNode* target = FindNodeByPidl(folder->GetPidl());
  Perform(WM_SETREDRAW, 1, 0);
  if (!target) RaiseSsError<ESvInvalidFolder>(240);
  target->MakeVisible();
  FSelectingForList = GetSelected() != target;
  SetSelected(target);
  FSelectingForList = false;
  FSelectedFolder = FolderOf(target);
}

// --- rename ---

bool TSvCustomShellTreeView::CanEdit(fw::TTreeNode* node) {
  if (!fw::TCustomTreeView::CanEdit(node)) return false;
  TSvShellFolder* folder = FolderOf(GetSelected());
  return folder && folder->CanRename() && FOptions.Contains(toAllowRename);
}

void TSvCustomShellTreeView::Edit(const TVITEMA& item) {
  fw::TCustomTreeView::Edit(item);
  fw::TTreeNode* node = NodeOf(item.hItem);
  TSvShellFolder* folder = FolderOf(node);
  if (!folder || !item.pszText) return;
  std::string text = item.pszText;
  if (text == folder->GetDisplayName() || text.empty() || !folder->CanRename() || !folder->GetParentFolder()) {
    node->SetText(folder->GetDisplayName());
    return;
  }
  TSvBusyCursor busy;
  wchar_t wide[MAX_PATH + 1] = {};
  MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide, MAX_PATH);
  TPidl renamed;
  if (FAILED(folder->GetParentFolder()->SetNameOf(GetHandle(), folder->GetRelativePidl(), wide, SHGDN_NORMAL,
                                                   renamed.Put())) ||
      !renamed) {
    node->SetText(folder->GetDisplayName());
    return;
  }
  TPidl parent = ClonePidl(folder->GetPidl());
  Shell32().ILRemoveLastID(parent.Get());
  TPidl whole(Shell32().ILCombine(parent.Get(), renamed.Get()));
  std::string oldPath = folder->GetPath();
  std::string newPath = FController->GetDisplayName(folder->GetParentFolder(), renamed.Get(), SHGDN_FORPARSING);
  RebuildSubtree(node->GetParent(), oldPath, newPath);
  if (fw::TTreeNode* again = FindNodeByPidl(whole.Get())) {
    SetSelected(again);
    FSelectedFolder = FolderOf(again);
  }
}

void TSvCustomShellTreeView::RebuildSubtree(fw::TTreeNode* node, const std::string& oldPath,
                                            const std::string& newPath) {
  if (!node) node = GetItems()->GetFirstNode();
  if (!node) return;
  // The expanded folders below the node, by path (a renamed folder's under its new path), to
  // open again afterwards.
  std::vector<std::string> expanded;
  std::vector<fw::TTreeNode*> below;
  for (fw::TTreeNode* n = node->GetFirstChild(); n; n = n->GetNext()) {
    if (n->GetLevel() <= node->GetLevel()) break;
    below.push_back(n);
    if (!n->GetExpanded()) continue;
    std::string path = FolderOf(n)->GetPath();
    if (!oldPath.empty() && fw::AnsiSameText(path.substr(0, oldPath.size()), oldPath) &&
        (path.size() == oldPath.size() || path[oldPath.size()] == '\\'))
      path = newPath + path.substr(oldPath.size());
    expanded.push_back(path);
  }
  for (fw::TTreeNode* n : below)
    if (n == GetSelected()) FSelectedFolder = nullptr;
  Perform(WM_SETREDRAW, 0, 0);
  for (fw::TTreeNode* n : below) FFolders->FreeAt(IndexOf(n));
  node->DeleteChildren();
  node->SetHasChildren(true);
  EnumerateNode(node);
  node->Expand(false);
  for (const std::string& path : expanded)
    if (fw::TTreeNode* again = FindNodeByPath(path)) again->Expand(false);
  Perform(WM_SETREDRAW, 1, 0);
  Invalidate();
}

// --- context menu and drag source ---

void TSvCustomShellTreeView::ShowShellMenu(fw::TMessage& msg) {
  fw::TTreeNode* node = GetSelected();
  TSvShellFolder* folder = FolderOf(node);
  if (!folder || !FController) return;
  POINT point{static_cast<short>(LOWORD(msg.LParam)), static_cast<short>(HIWORD(msg.LParam))};
  LPCITEMIDLIST id = folder->GetParentFolder() ? folder->GetRelativePidl() : folder->GetPidl();
  IShellFolder* parent = folder->GetParentFolder() ? folder->GetParentFolder() : FController->GetDesktopFolder();
  if (FController->ShowContextMenu(this, parent, GetHandle(), point, 1, &id) == static_cast<int>(kRenameCommand))
    node->EditText();
}

void TSvCustomShellTreeView::WndProc(fw::TMessage& msg) {
  switch (msg.Msg) {
    case WM_CONTEXTMENU:
      if (FOptions.Contains(toShellMenu)) {
        ShowShellMenu(msg);
        return;
      }
      break;
    case WM_PAINT:
      if (!FTreeReady && !GetComponentState().Contains(fw::csDesigning) && FController) {
        // Without a start-in folder the message is not passed on: its region stays invalid, so
        // the tree paints at the next one, now ready.
        bool listOnly = !StartInPidl(false);
        FirstPaint();
        if (listOnly) return;
      }
      break;
    case WM_TIMER:
      if (msg.WParam == kExpandTimer) {
        KillTimer(GetHandle(), kExpandTimer);
        if (FDropNode && FDropNode->GetHasChildren() && !FDropNode->GetExpanded()) {
          ImageList_DragShowNolock(FALSE);
          FDropNode->Expand(false);
          Repaint();
          ImageList_DragShowNolock(TRUE);
        }
        return;
      }
      break;
    case WM_ERASEBKGND:
      if (FSuppressErase) {
        msg.Result = 1;
        return;
      }
      break;
    default:
      break;
  }
  fw::TCustomTreeView::WndProc(msg);
}

void TSvCustomShellTreeView::Dispatch(fw::TMessage& msg) { fw::TCustomTreeView::Dispatch(msg); }

void TSvCustomShellTreeView::NotifyOther(fw::TMessage& msg) {
  auto* hdr = reinterpret_cast<NMHDR*>(msg.LParam);
  if (hdr->code == TVN_BEGINDRAGA && FOptions.Contains(toAllowDrag) && FController) {
    BeginDrag(*reinterpret_cast<NMTREEVIEWA*>(hdr));
    return;
  }
  fw::TCustomTreeView::NotifyOther(msg);
}

void TSvCustomShellTreeView::BeginDrag(const NMTREEVIEWA& info) {
  fw::TTreeNode* node = NodeOf(info.itemNew.hItem);
  TSvShellFolder* folder = FolderOf(node);
  if (!folder) return;
  FController->DragSource = this;
  IShellFolder* parent = folder->GetParentFolder() ? folder->GetParentFolder() : FController->GetDesktopFolder();
  TPidl id = ClonePidl(folder->GetParentFolder() ? folder->GetRelativePidl() : folder->GetPidl());
  LPCITEMIDLIST ids[] = {id.Get()};
  ULONG attributes = SFGAO_CANCOPY | SFGAO_CANMOVE | SFGAO_CANLINK;
  if (FAILED(parent->GetAttributesOf(1, ids, &attributes))) attributes = 0;
  auto image = reinterpret_cast<HIMAGELIST>(Perform(TVM_CREATEDRAGIMAGE, 0, reinterpret_cast<LPARAM>(node->GetItemId())));
  RunViewDrag(image, ids, 1, folder->GetPidl(), attributes & (DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK));
  FController->DragSource = nullptr;
}

// --- drop target ---

void TSvCustomShellTreeView::RegisterDropTarget() {
  if (FOptions.Contains(toAllowDrop) && HandleAllocated() && !GetComponentState().Contains(fw::csDesigning))
    FDropSite.Register(GetHandle());
}

TComRef<IDropTarget> TSvCustomShellTreeView::NodeDropTarget(fw::TTreeNode* node) {
  TSvShellFolder* folder = FolderOf(node);
  if (!folder || !FController) return TComRef<IDropTarget>();
  return ShellDropTarget(folder->GetParentFolder(),
                         folder->GetParentFolder() ? folder->GetRelativePidl() : folder->GetPidl(),
                         FController->GetDesktopFolder(), GetHandle());
}

void TSvCustomShellTreeView::SetDropNode(fw::TTreeNode* node) {
  if (node == FDropNode) return;
  if (FDropNode) FDropNode->SetDropTarget(false);
  FDropNode = node;
  if (FDropNode) FDropNode->SetDropTarget(true);
  UpdateWindow(GetHandle());
}

void TSvCustomShellTreeView::AutoScroll(fw::TTreeNode* node, POINT point) {
  RECT client;
  ::GetClientRect(GetHandle(), &client);
  UINT direction = 0;
  if (point.y < client.top + 10 && node != GetItems()->GetFirstNode()) direction = SB_LINEUP;
  else if (point.y > client.bottom - 30 && node->GetNext()) direction = SB_LINEDOWN;
  else return;
  fw::Sleep(30);
  bool leftmost = GetScrollPos(GetHandle(), SB_HORZ) == 0;
  ImageList_DragShowNolock(FALSE);
  Perform(WM_VSCROLL, direction, 0);
  if (leftmost) Perform(WM_HSCROLL, SB_LEFT, 0);
  FSuppressErase = true;
  ImageList_DragShowNolock(TRUE);
}

HRESULT TSvCustomShellTreeView::DropEnter(IDataObject* data, DWORD, POINTL point, DWORD* effect) {
  FDropSite.Enter(data, point, effect);
  FSuppressErase = false;
  return S_OK;
}

HRESULT TSvCustomShellTreeView::DropOver(DWORD keys, POINTL point, DWORD* effect) {
  FDragging = true;
  POINT client{point.x, point.y};
  ::ScreenToClient(GetHandle(), &client);
  fw::TTreeNode* node = GetNodeAt(client.x, client.y);
  if (!node || !FDropSite.GetData()) {
    *effect = DROPEFFECT_NONE;
    FDropSite.MovePicture(point);
    return S_OK;
  }
  AutoScroll(node, client);
  if (TComRef<IDropTarget> target = NodeDropTarget(node))
    ForwardDragOver(target.Get(), FDropSite.GetData(), keys, point, effect);
  else
    *effect = DROPEFFECT_NONE;
  ImageList_DragShowNolock(FALSE);
  SetDropNode(node);
  ImageList_DragShowNolock(TRUE);
  if (FExpandInterval != 0) SetTimer(GetHandle(), kExpandTimer, static_cast<UINT>(FExpandInterval), nullptr);
  FDropSite.MovePicture(point);
  return S_OK;
}

HRESULT TSvCustomShellTreeView::DropLeave() {
  if (FExpandInterval != 0) KillTimer(GetHandle(), kExpandTimer);
  FDropSite.Leave();
  FDragging = false;
  SetDropNode(nullptr);
  return S_OK;
}

HRESULT TSvCustomShellTreeView::DropOn(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) {
  KillTimer(GetHandle(), kExpandTimer);
  if (!FDropSite.GetData()) return E_FAIL;
  POINT client{point.x, point.y};
  ::ScreenToClient(GetHandle(), &client);
  fw::TTreeNode* node = GetNodeAt(client.x, client.y);
  DropLeave();
  keys |= MK_LBUTTON;
  TComRef<IDropTarget> target = NodeDropTarget(node);
  if (!target || !data) {
    *effect = DROPEFFECT_NONE;
    return S_OK;
  }
  // The drop hands on the object it was given: the one kept since DragEnter is gone.
  return ForwardDrop(target.Get(), data, keys, point, effect);
}

// --- change notification ---

void TSvCustomShellTreeView::RemoveNode(fw::TTreeNode* node) {
  if (!node) return;
  if (node == GetSelected()) {
    fw::TTreeNode* next = node->GetNextSibling() ? node->GetNextSibling() : node->GetPrevSibling();
    if (!next) next = node->GetParent();
    SetSelected(next);
  }
  if (node == FDropNode) FDropNode = nullptr;
  std::vector<int> indexes;
  for (fw::TTreeNode* n = node; n; n = n->GetNext()) {
    if (n != node && n->GetLevel() <= node->GetLevel()) break;
    indexes.push_back(IndexOf(n));
  }
  node->Delete();
  for (int index : indexes) FFolders->FreeAt(index);
}

void TSvCustomShellTreeView::FolderCreated(TSvShellItem* item) {
  fw::TTreeNode* parent = FindAncestorNode(item->GetPidl());
  if (!parent || parent->GetCount() == 0 || FindNodeByPidl(item->GetPidl())) return;
  // The shell announces a path as a simple ID list, which its folders do not order like the
  // lists they give out themselves: the path is parsed again.
  TPidl parsed;
  fw::Owned<TSvShellItem> full;
  if (item->GetIsFileSystem() && SUCCEEDED(FController->PathToPidl(item->GetPath(), FController->GetDesktopFolder(), parsed)))
    full.reset(TSvShellItem::CreateFromPidl(parsed.Get(), FController));
  auto* folder = fw::New<TSvShellFolder>(FController);
  folder->Assign(full ? full.get() : item);
  folder->SetOwnerList(FFolders);
  int index = FFolders->Add(folder);
  fw::TTreeNode* node = FindNodeByPath(folder->GetPath());
  if (!node) node = GetItems()->AddChildObject(parent, folder->GetDisplayName(), DataOf(index));
  node->SetData(DataOf(index));
  FLastCreatedPidl = ClonePidl(folder->GetPidl());
  SetNodeImages(node, folder->GetPidl(), false);
  node->SetOverlayIndex(item->GetOverlayIndex());
  if (GetDriveTypeA(folder->GetPath().c_str()) != DRIVE_UNKNOWN && folder->GetPath().size() <= 3)
    node->SetHasChildren(true);
  SortTree();
}

void TSvCustomShellTreeView::TreeShellChanged(TSvShellItem* oldItem, TSvShellItem* newItem,
                                              TSvNotifyEventsSet events) {
  DoShellChangeNotify(oldItem, newItem, events);
  if (!oldItem || !oldItem->GetPidl() || !FController) return;
  bool files = FOptions.Contains(toShowFiles);
  if (events.Contains(neFolderCreate) || events.Contains(neDriveAdd) ||
      (events.Contains(neFileCreate) && files && !SamePidl(oldItem->GetPidl(), FLastCreatedPidl.Get())))
    FolderCreated(oldItem);
  if (events.Contains(neFolderDelete) || events.Contains(neDriveRemove) || (events.Contains(neFileDelete) && files)) {
    fw::TTreeNode* node = FindNodeByPidl(oldItem->GetPidl());
    RemoveNode(node ? node : FindNodeByPath(oldItem->GetPath()));
  }
  if ((events.Contains(neFolderRename) || (events.Contains(neFileRename) && files)) && newItem && newItem->GetPidl()) {
    if (newItem->GetIsDesktop()) {
      fw::TTreeNode* node = FindNodeByPidl(oldItem->GetPidl());
      RemoveNode(node ? node : FindNodeByPath(oldItem->GetPath()));
    } else {
      std::string oldPath = fw::UpperCase(oldItem->GetPath());
      for (int i = 0; i < FFolders->GetCount(); ++i) {
        TSvShellFolder* folder = FFolders->GetItem(i);
        if (folder && fw::UpperCase(folder->GetPath()) == oldPath) folder->Assign(newItem);
      }
      if (fw::TTreeNode* node = FindNodeByPidl(newItem->GetPidl())) node->SetText(newItem->GetDisplayName());
      SortTree();
    }
  }
  if (events.Contains(neNetShare) || events.Contains(neNetUnShare))
    if (fw::TTreeNode* node = FindNodeByPidl(oldItem->GetPidl())) node->SetOverlayIndex(oldItem->GetOverlayIndex());
  if (events.Contains(neMediaInsert) || events.Contains(neMediaRemove))
    if (fw::TTreeNode* node = FindNodeByPath(oldItem->GetPath())) {
      node->SetImageIndex(oldItem->GetImageIndex());
      node->SetText(oldItem->GetDisplayName());
    }
}

void TSvCustomShellTreeView::DoShellChangeNotify(TSvShellItem* oldItem, TSvShellItem* newItem,
                                                 TSvNotifyEventsSet events) {
  if (OnShellChangeNotify) OnShellChangeNotify(this, oldItem, newItem, events);
}

// --- setters ---

void TSvCustomShellTreeView::SetListView(TSvCustomShellListView* value) {
  LinkToListView(this, FListView, value, FController);
}

void TSvCustomShellTreeView::SetRootFolder(const std::string& value) {
  FRootFolder = value;
  if (FRootFolder.empty()) {
    ClearNodes();
    return;
  }
  if (FRootFolder.size() == 2 && FRootFolder.find(':') != std::string::npos) FRootFolder += '\\';
  if (GetComponentState().Contains(fw::csLoading)) return;
  FSpecialRootFolder = sfNone;
  if (FSpecialStartInFolder != sfNone || !FStartInFolder.empty()) FTreeReady = false;
  ClearNodes();
  FillTree();
}

void TSvCustomShellTreeView::SetSpecialRootFolder(TSvSpecialRootFolder value) {
  if (SpecialFolderNeedsShell47(value) && ReadShellVersion() < 4.7) RaiseSsError<ESvShellError>(110);
  if (value == FSpecialRootFolder) return;
  FSpecialRootFolder = value;
  if (value == sfNone || GetComponentState().Contains(fw::csLoading)) return;
  FRootFolder.clear();
  if (FSpecialStartInFolder != sfNone || !FStartInFolder.empty()) FTreeReady = false;
  ClearNodes();
  FillTree();
}

void TSvCustomShellTreeView::SetStartInFolder(const std::string& value) {
  FStartInFolder = value;
  if (FStartInFolder.empty()) {
    ClearNodes();
    return;
  }
  if (FStartInFolder.size() == 2 && FStartInFolder.find(':') != std::string::npos) FStartInFolder += '\\';
  if (!GetComponentState().Contains(fw::csLoading)) FSpecialStartInFolder = sfNone;
}

void TSvCustomShellTreeView::SetSpecialStartInFolder(TSvSpecialRootFolder value) {
  if (SpecialFolderNeedsShell47(value) && ReadShellVersion() < 4.7) RaiseSsError<ESvShellError>(110);
  FSpecialStartInFolder = value;
  if (value != sfNone && !GetComponentState().Contains(fw::csLoading)) FStartInFolder.clear();
}

void TSvCustomShellTreeView::SetFiltered(bool value) {
  FFiltered = value;
  if (GetComponentState().Contains(fw::csDesigning) || GetComponentState().Contains(fw::csLoading)) return;
  FillTree();
  Change(GetItems()->GetFirstNode());
}

bool TSvCustomShellTreeView::CustomDrawItem(fw::TTreeNode* node, UINT itemState, COLORREF& textColor) {
  if ((FDragging && node == FDropNode) || GetComponentState().Contains(fw::csDesigning) ||
      !FOptions.Contains(toColorCompressed) || (itemState & (CDIS_SELECTED | CDIS_HOT)))
    return false;
  TSvShellFolder* folder = FolderOf(node);
  if (!folder || !folder->GetParentFolder() || GetDriveTypeA(folder->GetPath().c_str()) == DRIVE_REMOVABLE ||
      !folder->IsCompressed())
    return false;
  textColor = static_cast<COLORREF>(fw::ColorToRGB(FCompressedColor));
  return true;
}

void TSvCustomShellTreeView::SetCompressedColor(int value) {
  FCompressedColor = value;
  if (FOptions.Contains(toColorCompressed)) Invalidate();
}

void TSvCustomShellTreeView::SetOptions(TSvTreeOptions value) {
  bool dropChanged = value.Contains(toAllowDrop) != FOptions.Contains(toAllowDrop);
  bool colourChanged = value.Contains(toColorCompressed) != FOptions.Contains(toColorCompressed);
  FOptions = value;
  if (colourChanged) Invalidate();
  if (dropChanged) {
    if (FOptions.Contains(toAllowDrop))
      RegisterDropTarget();
    else
      FDropSite.Revoke();
  }
  SetDragDrop(FOptions.Contains(toAllowDrag));
}

}  // namespace svc
