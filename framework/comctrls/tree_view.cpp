#include "framework/comctrls/tree_view.h"

#include <algorithm>

#include "framework/comctrls/common_controls.h"
#include "framework/comctrls/item_views.h"
#include "framework/rtl/sys_utils.h"

namespace fw {

namespace {

// Posted to the tree itself so OnClick runs once the click's selection change is done.
constexpr UINT kDeferredClick = CM_BASE + 0x101;

using TSortContext = TNativeSortContext<TTreeNode>;

}  // namespace

TCustomTreeView::TCustomTreeView(TComponent* owner) : TWinControl(owner), FItems(std::make_unique<TTreeNodes>(this)) {
  FControlStyle = TControlStyle{csDoubleClicks};
  FWidth = 121;
  FHeight = 97;
  SetTabStop(true);
  SetParentColor(false);
  FColor = clWindow;
}

TCustomTreeView::~TCustomTreeView() { DestroyHandle(); }

DWORD TCustomTreeView::StyleBits() const {
  DWORD style = 0;
  if (FShowRoot) style |= TVS_LINESATROOT;
  if (FShowButtons) style |= TVS_HASBUTTONS;
  if (FShowLines) style |= TVS_HASLINES;
  if (!FReadOnly) style |= TVS_EDITLABELS;
  if (!FHideSelection) style |= TVS_SHOWSELALWAYS;
  if (FHotTrack) style |= TVS_TRACKSELECT;
  if (FAutoExpand) style |= TVS_SINGLEEXPAND;
  if (!FDragDrop) style |= TVS_DISABLEDRAGDROP;
  return style;
}

void TCustomTreeView::CreateParams(TCreateParams& params) {
  InitCommonControl(ICC_TREEVIEW_CLASSES);
  TWinControl::CreateParams(params);
  CreateSubClass(params, WC_TREEVIEWA);
  ApplyItemViewParams(params, StyleBits(), FBorderStyle);
}

void TCustomTreeView::CreateWnd() {
  TWinControl::CreateWnd();
  Perform(TVM_SETBKCOLOR, 0, static_cast<COLORREF>(ColorToRGB(FColor)));
  Perform(TVM_SETTEXTCOLOR, 0, static_cast<COLORREF>(ColorToRGB(GetFont()->GetColor())));
  Perform(TVM_SETINDENT, static_cast<WPARAM>(FIndent), 0);
  if (FImages) Perform(TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(FImages->GetHandle()));
  if (FStateImages) Perform(TVM_SETIMAGELIST, TVSIL_STATE, reinterpret_cast<LPARAM>(FStateImages->GetHandle()));
  FItems->BeginUpdate();
  for (TTreeNode* node : FItems->FRoots) node->InsertNative();
  FItems->EndUpdate();
}

void TCustomTreeView::DestroyWnd() {
  for (TTreeNode* n = FItems->GetFirstNode(); n; n = n->GetNext()) {
    n->FExpanded = n->GetExpanded();
    n->FItemId = nullptr;
  }
  TWinControl::DestroyWnd();
}

void TCustomTreeView::ApplyStyles() {
  if (!HandleAllocated()) return;
  const DWORD mask = TVS_LINESATROOT | TVS_HASBUTTONS | TVS_HASLINES | TVS_EDITLABELS | TVS_SHOWSELALWAYS |
                     TVS_TRACKSELECT | TVS_SINGLEEXPAND | TVS_DISABLEDRAGDROP;
  DWORD style = static_cast<DWORD>(GetWindowLongA(FHandle, GWL_STYLE));
  SetWindowLongA(FHandle, GWL_STYLE, static_cast<LONG>((style & ~mask) | StyleBits()));
  Invalidate();
}

void TCustomTreeView::SetShowRoot(bool v) {
  FShowRoot = v;
  ApplyStyles();
}

void TCustomTreeView::SetShowButtons(bool v) {
  FShowButtons = v;
  ApplyStyles();
}

void TCustomTreeView::SetShowLines(bool v) {
  FShowLines = v;
  ApplyStyles();
}

void TCustomTreeView::SetReadOnly(bool v) {
  FReadOnly = v;
  ApplyStyles();
}

void TCustomTreeView::SetHideSelection(bool v) {
  FHideSelection = v;
  ApplyStyles();
}

void TCustomTreeView::SetHotTrack(bool v) {
  FHotTrack = v;
  ApplyStyles();
}

void TCustomTreeView::SetAutoExpand(bool v) {
  FAutoExpand = v;
  ApplyStyles();
}

void TCustomTreeView::SetDragDrop(bool v) {
  FDragDrop = v;
  ApplyStyles();
}

void TCustomTreeView::SetIndent(int v) {
  FIndent = v;
  if (HandleAllocated()) Perform(TVM_SETINDENT, static_cast<WPARAM>(v), 0);
}

void TCustomTreeView::SetBorderStyle(TFormBorderStyle v) {
  if (v == FBorderStyle) return;
  FBorderStyle = v;
  RecreateWnd();
}

void TCustomTreeView::SetImages(TCustomImageList* images) {
  AssignImageList(this, FImages, images, TVM_SETIMAGELIST, TVSIL_NORMAL);
}

void TCustomTreeView::SetStateImages(TCustomImageList* images) {
  AssignImageList(this, FStateImages, images, TVM_SETIMAGELIST, TVSIL_STATE);
}

void TCustomTreeView::Notification(TComponent* component, TOperation operation) {
  TWinControl::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == FImages) SetImages(nullptr);
  if (component == FStateImages) SetStateImages(nullptr);
}

TTreeNode* TCustomTreeView::NodeOf(HTREEITEM item) const {
  if (!item || !HandleAllocated()) return nullptr;
  TVITEMA tv{};
  tv.mask = TVIF_PARAM | TVIF_HANDLE;
  tv.hItem = item;
  if (!SendMessageA(FHandle, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv))) return nullptr;
  return reinterpret_cast<TTreeNode*>(tv.lParam);
}

TTreeNode* TCustomTreeView::GetSelected() const {
  if (!HandleAllocated()) return nullptr;
  return NodeOf(reinterpret_cast<HTREEITEM>(SendMessageA(FHandle, TVM_GETNEXTITEM, TVGN_CARET, 0)));
}

void TCustomTreeView::SetSelected(TTreeNode* node) {
  Perform(TVM_SELECTITEM, TVGN_CARET, node ? reinterpret_cast<LPARAM>(node->FItemId) : 0);
}

TTreeNode* TCustomTreeView::GetTopItem() const {
  if (!HandleAllocated()) return nullptr;
  return NodeOf(reinterpret_cast<HTREEITEM>(SendMessageA(FHandle, TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0)));
}

TTreeNode* TCustomTreeView::GetNodeAt(int x, int y) const {
  if (!HandleAllocated()) return nullptr;
  TVHITTESTINFO info{};
  info.pt = POINT{x, y};
  SendMessageA(FHandle, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info));
  return (info.flags & (TVHT_ONITEM | TVHT_ONITEMBUTTON)) ? NodeOf(info.hItem) : nullptr;
}

bool TCustomTreeView::IsEditing() const {
  return HandleAllocated() && SendMessageA(FHandle, TVM_GETEDITCONTROL, 0, 0) != 0;
}

void TCustomTreeView::FullExpand() {
  for (size_t i = 0; i < FItems->FRoots.size(); ++i) FItems->FRoots[i]->Expand(true);
}

void TCustomTreeView::FullCollapse() {
  for (TTreeNode* node : FItems->FRoots) node->Collapse(true);
}

void TCustomTreeView::ReadOrder(TTreeNode* parent) {
  std::vector<TTreeNode*>& list = parent ? parent->FChildren : FItems->FRoots;
  HTREEITEM item = reinterpret_cast<HTREEITEM>(
      SendMessageA(FHandle, TVM_GETNEXTITEM, parent ? TVGN_CHILD : TVGN_ROOT,
                   parent ? reinterpret_cast<LPARAM>(parent->FItemId) : 0));
  for (size_t i = 0; item && i < list.size(); ++i) {
    list[i] = NodeOf(item);
    item = reinterpret_cast<HTREEITEM>(SendMessageA(FHandle, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)));
  }
}

bool TCustomTreeView::CustomSort(const TTVCompareFunc& compare, LPARAM data, bool recursive) {
  return SortChildren(nullptr, compare, data, recursive);
}

bool TCustomTreeView::SortChildren(TTreeNode* start, const TTVCompareFunc& compare, LPARAM data, bool recursive) {
  TSortContext ctx{&compare, data, this};
  std::function<void(TTreeNode*)> sortLevel = [&](TTreeNode* parent) {
    std::vector<TTreeNode*>& list = parent ? parent->FChildren : FItems->FRoots;
    if (HandleAllocated() && (!parent || parent->FItemId)) {
      TVSORTCB sort{};
      sort.hParent = parent ? parent->FItemId : TVI_ROOT;
      sort.lpfnCompare = TSortContext::Callback;
      sort.lParam = reinterpret_cast<LPARAM>(&ctx);
      Perform(TVM_SORTCHILDRENCB, 0, reinterpret_cast<LPARAM>(&sort));
      ReadOrder(parent);
    } else {
      std::stable_sort(list.begin(), list.end(), [&](TTreeNode* a, TTreeNode* b) { return compare(a, b, data) < 0; });
    }
    if (recursive)
      for (TTreeNode* child : list) sortLevel(child);
  };
  sortLevel(start);
  return true;
}

bool TCustomTreeView::AlphaSort(bool recursive) {
  return CustomSort([](TTreeNode* a, TTreeNode* b, LPARAM) { return AnsiCompareText(a->GetText(), b->GetText()); }, 0,
                    recursive);
}

// --- events ---

bool TCustomTreeView::CanExpand(TTreeNode* node) {
  bool allow = true;
  if (OnExpanding) OnExpanding(this, node, allow);
  return allow;
}

void TCustomTreeView::Expand(TTreeNode* node) {
  if (OnExpanded) OnExpanded(this, node);
}

bool TCustomTreeView::CanCollapse(TTreeNode* node) {
  bool allow = true;
  if (OnCollapsing) OnCollapsing(this, node, allow);
  return allow;
}

void TCustomTreeView::Collapse(TTreeNode* node) {
  if (OnCollapsed) OnCollapsed(this, node);
}

bool TCustomTreeView::CanChange(TTreeNode* node) {
  bool allow = true;
  if (OnChanging) OnChanging(this, node, allow);
  return allow;
}

void TCustomTreeView::Change(TTreeNode* node) {
  if (OnChange) OnChange(this, node);
}

bool TCustomTreeView::CanEdit(TTreeNode* node) {
  bool allow = !FReadOnly;
  if (OnEditing) OnEditing(this, node, allow);
  return allow;
}

void TCustomTreeView::Edit(const TVITEMA& item) {
  TTreeNode* node = reinterpret_cast<TTreeNode*>(item.lParam);
  if (!node) node = NodeOf(item.hItem);
  if (!node || !item.pszText) return;
  std::string text = item.pszText;
  if (OnEdited) OnEdited(this, node, text);
  node->SetText(text);
}

void TCustomTreeView::Delete(TTreeNode* node) {
  if (OnDeletion) OnDeletion(this, node);
}

void TCustomTreeView::NotifyOther(TMessage& msg) { DefaultHandler(msg); }

bool TCustomTreeView::CustomDrawItem(TTreeNode*, UINT, COLORREF&) { return false; }

void TCustomTreeView::GetImageIndex(TTreeNode*) {}

void TCustomTreeView::GetSelectedIndex(TTreeNode*) {}

void TCustomTreeView::HandleNotify(TMessage& msg) {
  NMHDR* hdr = NMHdr(msg);
  switch (hdr->code) {
    case TVN_ITEMEXPANDINGA: {
      auto* nm = reinterpret_cast<NMTREEVIEWA*>(hdr);
      TTreeNode* node = reinterpret_cast<TTreeNode*>(nm->itemNew.lParam);
      if (!node) node = NodeOf(nm->itemNew.hItem);
      bool allow = true;
      if (node && nm->action == TVE_EXPAND) allow = CanExpand(node);
      if (node && nm->action == TVE_COLLAPSE) allow = CanCollapse(node);
      // A lazily filled node that got no children loses its button.
      if (node && allow && nm->action == TVE_EXPAND && node->FChildren.empty() && node->FHasChildren)
        node->SetHasChildren(false);
      msg.Result = allow ? 0 : 1;
      return;
    }
    case TVN_ITEMEXPANDEDA: {
      auto* nm = reinterpret_cast<NMTREEVIEWA*>(hdr);
      TTreeNode* node = reinterpret_cast<TTreeNode*>(nm->itemNew.lParam);
      if (!node) node = NodeOf(nm->itemNew.hItem);
      if (!node) return;
      node->FExpanded = nm->action == TVE_EXPAND;
      if (nm->action == TVE_EXPAND) {
        Expand(node);
      } else if (nm->action == TVE_COLLAPSE) {
        Collapse(node);
      }
      return;
    }
    case TVN_SELCHANGINGA: {
      auto* nm = reinterpret_cast<NMTREEVIEWA*>(hdr);
      msg.Result = CanChange(reinterpret_cast<TTreeNode*>(nm->itemNew.lParam)) ? 0 : 1;
      return;
    }
    case TVN_SELCHANGEDA:
      Change(reinterpret_cast<TTreeNode*>(reinterpret_cast<NMTREEVIEWA*>(hdr)->itemNew.lParam));
      return;
    case TVN_BEGINLABELEDITA: {
      auto* info = reinterpret_cast<NMTVDISPINFOA*>(hdr);
      TTreeNode* node = reinterpret_cast<TTreeNode*>(info->item.lParam);
      if (!node) node = NodeOf(info->item.hItem);
      msg.Result = node && CanEdit(node) ? 0 : 1;
      return;
    }
    case TVN_ENDLABELEDITA:
      Edit(reinterpret_cast<NMTVDISPINFOA*>(hdr)->item);
      msg.Result = 0;
      return;
    case TVN_DELETEITEMA:
      return;  // the nodes announce their own deletion
    case TVN_GETDISPINFOA: {
      TVITEMA& item = reinterpret_cast<NMTVDISPINFOA*>(hdr)->item;
      TTreeNode* node = reinterpret_cast<TTreeNode*>(item.lParam);
      if (!node) node = NodeOf(item.hItem);
      if (!node) return;
      if (item.mask & TVIF_IMAGE) {
        GetImageIndex(node);
        item.iImage = node->FImageIndex;
      }
      if (item.mask & TVIF_SELECTEDIMAGE) {
        GetSelectedIndex(node);
        item.iSelectedImage = node->FSelectedIndex;
      }
      return;
    }
    case NM_CLICK:
      if (!FClickPending && HandleAllocated()) {
        FClickPending = true;
        PostMessageA(FHandle, kDeferredClick, 0, 0);
      }
      return;
    case NM_DBLCLK:
      DblClick();
      return;
    case NM_CUSTOMDRAW: {
      auto* cd = reinterpret_cast<NMTVCUSTOMDRAW*>(hdr);
      msg.Result = CDRF_DODEFAULT;
      if (cd->nmcd.dwDrawStage == CDDS_PREPAINT && WantsCustomDraw()) {
        msg.Result = CDRF_NOTIFYITEMDRAW;
      } else if (cd->nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
        TTreeNode* node = NodeOf(reinterpret_cast<HTREEITEM>(cd->nmcd.dwItemSpec));
        if (node && CustomDrawItem(node, cd->nmcd.uItemState, cd->clrText)) msg.Result = CDRF_NEWFONT;
      }
      return;
    }
    case NM_RCLICK:
      if (FRightClickSelect) {
        POINT p;
        GetCursorPos(&p);
        ::ScreenToClient(FHandle, &p);
        if (TTreeNode* node = GetNodeAt(p.x, p.y)) SetSelected(node);
      }
      NotifyOther(msg);
      return;
    default:
      NotifyOther(msg);
      return;
  }
}

void TCustomTreeView::Dispatch(TMessage& msg) {
  switch (msg.Msg) {
    case CN_NOTIFY:
      HandleNotify(msg);
      return;
    case kDeferredClick:
      FClickPending = false;
      Click();
      return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      TWinControl::Dispatch(msg);
      DeliverEatenButtonUp(this, msg);
      return;
    case CM_COLORCHANGED:
      if (HandleAllocated()) Perform(TVM_SETBKCOLOR, 0, static_cast<COLORREF>(ColorToRGB(FColor)));
      break;
    case CM_FONTCHANGED:
      if (HandleAllocated()) Perform(TVM_SETTEXTCOLOR, 0, static_cast<COLORREF>(ColorToRGB(GetFont()->GetColor())));
      break;
    default:
      break;
  }
  TWinControl::Dispatch(msg);
}

}  // namespace fw
