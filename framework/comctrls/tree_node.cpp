#include "framework/comctrls/tree_node.h"

#include <algorithm>
#include <cstring>

#include "framework/comctrls/tree_view.h"
#include "framework/rtl/wide_text.h"

namespace fw {

namespace {
// The item state bit of the focused node (not named in every header set).
constexpr UINT kFocusedState = 0x0001;
}  // namespace

// --- TTreeNode ---

TTreeNode::TTreeNode(TTreeNodes* owner, TTreeNode* parent) : FOwner(owner), FParent(parent) {}

TTreeNode::~TTreeNode() {
  for (TTreeNode* child : FChildren) delete child;
}

TCustomTreeView* TTreeNode::GetTreeView() const { return FOwner->GetOwner(); }

std::vector<TTreeNode*>& TTreeNode::Siblings() const { return FParent ? FParent->FChildren : FOwner->FRoots; }

void TTreeNode::InsertNative() {
  TCustomTreeView* tv = GetTreeView();
  if (!tv->HandleAllocated() || (FParent && !FParent->FItemId)) return;
  std::vector<TTreeNode*>& siblings = Siblings();
  auto it = std::find(siblings.begin(), siblings.end(), this);
  TVINSERTSTRUCTA ins{};
  ins.hParent = FParent ? FParent->FItemId : TVI_ROOT;
  ins.hInsertAfter = it == siblings.begin() ? TVI_FIRST : (*(it - 1))->FItemId;
  ins.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN;
  std::string text = ValidUtf8(FText);
  ins.item.pszText = text.data();
  ins.item.lParam = reinterpret_cast<LPARAM>(this);
  // The control asks for the images as it draws (GetImageIndex, GetSelectedIndex).
  ins.item.iImage = I_IMAGECALLBACK;
  ins.item.iSelectedImage = I_IMAGECALLBACK;
  ins.item.cChildren = FHasChildren ? 1 : 0;
  FItemId = reinterpret_cast<HTREEITEM>(tv->Perform(TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&ins)));
  if (FOverlayIndex >= 0) SetState(INDEXTOOVERLAYMASK(FOverlayIndex), TVIS_OVERLAYMASK);
  for (TTreeNode* child : FChildren) child->InsertNative();
  if (FExpanded) tv->Perform(TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(FItemId));
}

void TTreeNode::UpdateNative(UINT mask) {
  if (!FItemId) return;
  TVITEMA item{};
  item.mask = mask | TVIF_HANDLE;
  item.hItem = FItemId;
  std::string text = ValidUtf8(FText);
  item.pszText = text.data();
  item.iImage = I_IMAGECALLBACK;
  item.iSelectedImage = I_IMAGECALLBACK;
  item.cChildren = FHasChildren ? 1 : 0;
  GetTreeView()->Perform(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

void TTreeNode::SetState(UINT state, UINT mask) {
  if (!FItemId) return;
  TVITEMA item{};
  item.mask = TVIF_STATE | TVIF_HANDLE;
  item.hItem = FItemId;
  item.state = state;
  item.stateMask = mask;
  GetTreeView()->Perform(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

UINT TTreeNode::GetState(UINT mask) const {
  if (!FItemId) return 0;
  return static_cast<UINT>(
      SendMessageA(GetTreeView()->GetHandleNoCreate(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(FItemId), mask));
}

void TTreeNode::SetText(const std::string& v) {
  FText = v;
  UpdateNative(TVIF_TEXT);
}

void TTreeNode::SetImageIndex(int v) {
  FImageIndex = v;
  UpdateNative(TVIF_IMAGE);
}

void TTreeNode::SetSelectedIndex(int v) {
  FSelectedIndex = v;
  UpdateNative(TVIF_SELECTEDIMAGE);
}

void TTreeNode::SetOverlayIndex(int v) {
  FOverlayIndex = v;
  SetState(INDEXTOOVERLAYMASK(v < 0 ? 0 : v), TVIS_OVERLAYMASK);
}

void TTreeNode::SetHasChildren(bool v) {
  FHasChildren = v;
  UpdateNative(TVIF_CHILDREN);
}

bool TTreeNode::GetExpanded() const { return FItemId ? (GetState(TVIS_EXPANDED) & TVIS_EXPANDED) != 0 : FExpanded; }

void TTreeNode::SetExpanded(bool v) {
  if (v) {
    Expand(false);
  } else {
    Collapse(false);
  }
}

void TTreeNode::Expand(bool recursive) {
  FExpanded = true;
  if (FItemId) GetTreeView()->Perform(TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(FItemId));
  if (recursive)
    for (size_t i = 0; i < FChildren.size(); ++i) FChildren[i]->Expand(true);
}

void TTreeNode::Collapse(bool recursive) {
  FExpanded = false;
  if (FItemId) GetTreeView()->Perform(TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(FItemId));
  if (recursive)
    for (TTreeNode* child : FChildren) child->Collapse(true);
}

int TTreeNode::GetLevel() const {
  int level = 0;
  for (TTreeNode* p = FParent; p; p = p->FParent) ++level;
  return level;
}

int TTreeNode::GetIndex() const {
  std::vector<TTreeNode*>& siblings = Siblings();
  return static_cast<int>(std::find(siblings.begin(), siblings.end(), this) - siblings.begin());
}

TTreeNode* TTreeNode::GetNextSibling() const {
  std::vector<TTreeNode*>& siblings = Siblings();
  size_t i = static_cast<size_t>(GetIndex()) + 1;
  return i < siblings.size() ? siblings[i] : nullptr;
}

TTreeNode* TTreeNode::GetPrevSibling() const {
  int i = GetIndex();
  return i > 0 ? Siblings()[i - 1] : nullptr;
}

TTreeNode* TTreeNode::GetNext() const {
  if (!FChildren.empty()) return FChildren.front();
  for (const TTreeNode* n = this; n; n = n->FParent)
    if (TTreeNode* s = n->GetNextSibling()) return s;
  return nullptr;
}

int TTreeNode::GetAbsoluteIndex() const {
  int index = 0;
  for (TTreeNode* n = FOwner->GetFirstNode(); n && n != this; n = n->GetNext()) ++index;
  return index;
}

bool TTreeNode::GetSelected() const { return (GetState(TVIS_SELECTED) & TVIS_SELECTED) != 0; }

void TTreeNode::SetSelected(bool v) {
  if (v) {
    GetTreeView()->SetSelected(this);
  } else if (GetSelected()) {
    GetTreeView()->SetSelected(nullptr);
  }
}

bool TTreeNode::GetFocused() const { return (GetState(kFocusedState) & kFocusedState) != 0; }

void TTreeNode::SetFocused(bool v) { SetState(v ? kFocusedState : 0, kFocusedState); }

bool TTreeNode::GetDropTarget() const { return (GetState(TVIS_DROPHILITED) & TVIS_DROPHILITED) != 0; }

void TTreeNode::SetDropTarget(bool v) {
  if (!FItemId) return;
  GetTreeView()->Perform(TVM_SELECTITEM, TVGN_DROPHILITE, v ? reinterpret_cast<LPARAM>(FItemId) : 0);
}

void TTreeNode::MakeVisible() {
  if (FItemId) GetTreeView()->Perform(TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(FItemId));
}

void TTreeNode::EditText() {
  if (!FItemId) return;
  GetTreeView()->SetFocus();
  GetTreeView()->Perform(TVM_EDITLABELA, 0, reinterpret_cast<LPARAM>(FItemId));
}

TRect TTreeNode::DisplayRect(bool textOnly) const {
  RECT r{};
  if (!FItemId) return r;
  std::memcpy(&r, &FItemId, sizeof FItemId);  // the item goes in, the rectangle comes out
  SendMessageA(GetTreeView()->GetHandleNoCreate(), TVM_GETITEMRECT, textOnly ? 1 : 0, reinterpret_cast<LPARAM>(&r));
  return r;
}

void TTreeNode::DeleteChildren() {
  while (!FChildren.empty()) FChildren.back()->Delete();
}

void TTreeNode::Delete() { FOwner->Delete(this); }

// --- TTreeNodes ---

TTreeNodes::TTreeNodes(TCustomTreeView* owner) : FOwner(owner) {}

TTreeNodes::~TTreeNodes() {
  for (TTreeNode* node : FRoots) delete node;
}

TTreeNode* TTreeNodes::InsertAt(TTreeNode* parent, int index, const std::string& text, void* data) {
  auto* node = new TTreeNode(this, parent);
  node->FText = text;
  node->FData = data;
  std::vector<TTreeNode*>& list = parent ? parent->FChildren : FRoots;
  if (index < 0 || index > static_cast<int>(list.size())) index = static_cast<int>(list.size());
  list.insert(list.begin() + index, node);
  node->InsertNative();
  return node;
}

TTreeNode* TTreeNodes::Add(TTreeNode* sibling, const std::string& text) { return AddObject(sibling, text, nullptr); }

TTreeNode* TTreeNodes::AddObject(TTreeNode* sibling, const std::string& text, void* data) {
  return InsertAt(sibling ? sibling->FParent : nullptr, -1, text, data);
}

TTreeNode* TTreeNodes::AddChild(TTreeNode* parent, const std::string& text) {
  return AddChildObject(parent, text, nullptr);
}

TTreeNode* TTreeNodes::AddChildObject(TTreeNode* parent, const std::string& text, void* data) {
  return InsertAt(parent, -1, text, data);
}

TTreeNode* TTreeNodes::Insert(TTreeNode* sibling, const std::string& text) { return InsertObject(sibling, text, nullptr); }

TTreeNode* TTreeNodes::InsertObject(TTreeNode* sibling, const std::string& text, void* data) {
  if (!sibling) return InsertAt(nullptr, -1, text, data);
  return InsertAt(sibling->FParent, sibling->GetIndex(), text, data);
}

void TTreeNodes::Delete(TTreeNode* node) {
  if (!node) return;
  // Children go first, each announced before its data is freed.
  node->DeleteChildren();
  FOwner->Delete(node);
  std::vector<TTreeNode*>& list = node->Siblings();
  list.erase(std::find(list.begin(), list.end(), node));
  if (node->FItemId && FOwner->HandleAllocated()) {
    HTREEITEM id = node->FItemId;
    node->FItemId = nullptr;
    FOwner->Perform(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(id));
  }
  delete node;
}

void TTreeNodes::Clear() {
  BeginUpdate();
  while (!FRoots.empty()) Delete(FRoots.back());
  EndUpdate();
}

int TTreeNodes::GetCount() const {
  int count = 0;
  for (TTreeNode* n = GetFirstNode(); n; n = n->GetNext()) ++count;
  return count;
}

TTreeNode* TTreeNodes::GetItem(int index) const {
  TTreeNode* n = GetFirstNode();
  for (int i = 0; n && i < index; ++i) n = n->GetNext();
  return index >= 0 ? n : nullptr;
}

void TTreeNodes::BeginUpdate() {
  if (FUpdateCount++ == 0 && FOwner->HandleAllocated()) FOwner->Perform(WM_SETREDRAW, 0, 0);
}

void TTreeNodes::EndUpdate() {
  if (FUpdateCount == 0 || --FUpdateCount > 0) return;
  if (FOwner->HandleAllocated()) {
    FOwner->Perform(WM_SETREDRAW, 1, 0);
    FOwner->Invalidate();
  }
}

}  // namespace fw
