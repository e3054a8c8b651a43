// TTreeNode/TTreeNodes: the nodes of a tree view. The nodes live as objects (text, data, images,
// children) and are mirrored into the window; the native item carries the TTreeNode* in its
// lParam. A node with HasChildren shows an expand button before it has children, so the
// children can be made when it is first expanded.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "framework/graphics/geometry.h"
#include "framework/win.h"

namespace fw {

class TCustomTreeView;
class TTreeNodes;

class TTreeNode {
 public:
  TTreeNode(TTreeNodes* owner, TTreeNode* parent);
  ~TTreeNode();
  TTreeNode(const TTreeNode&) = delete;
  TTreeNode& operator=(const TTreeNode&) = delete;

  TTreeNodes* GetOwner() const { return FOwner; }
  TCustomTreeView* GetTreeView() const;
  HTREEITEM GetItemId() const { return FItemId; }
  const std::string& GetText() const { return FText; }
  void SetText(const std::string& v);
  void* GetData() const { return FData; }
  void SetData(void* v) { FData = v; }
  int GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(int v);
  int GetSelectedIndex() const { return FSelectedIndex; }
  void SetSelectedIndex(int v);
  int GetOverlayIndex() const { return FOverlayIndex; }
  void SetOverlayIndex(int v);
  bool GetHasChildren() const { return FHasChildren; }
  void SetHasChildren(bool v);
  bool GetExpanded() const;
  void SetExpanded(bool v);
  void Expand(bool recursive);
  void Collapse(bool recursive);
  TTreeNode* GetParent() const { return FParent; }
  int GetLevel() const;
  int GetCount() const { return static_cast<int>(FChildren.size()); }
  TTreeNode* GetItem(int index) const { return FChildren.at(index); }
  int GetIndex() const;
  TTreeNode* GetFirstChild() const { return FChildren.empty() ? nullptr : FChildren.front(); }
  TTreeNode* GetLastChild() const { return FChildren.empty() ? nullptr : FChildren.back(); }
  TTreeNode* GetNextSibling() const;
  TTreeNode* GetPrevSibling() const;
  // The next node in depth-first order.
  TTreeNode* GetNext() const;
  int GetAbsoluteIndex() const;
  bool GetSelected() const;
  void SetSelected(bool v);
  bool GetFocused() const;
  void SetFocused(bool v);
  bool GetDropTarget() const;
  void SetDropTarget(bool v);
  void MakeVisible();
  void EditText();
  TRect DisplayRect(bool textOnly) const;
  void DeleteChildren();
  void Delete();

 private:
  friend class TTreeNodes;
  friend class TCustomTreeView;
  void InsertNative();
  void UpdateNative(UINT mask);
  void SetState(UINT state, UINT mask);
  UINT GetState(UINT mask) const;
  std::vector<TTreeNode*>& Siblings() const;

  TTreeNodes* FOwner;
  TTreeNode* FParent;
  HTREEITEM FItemId = nullptr;
  std::string FText;
  void* FData = nullptr;
  int FImageIndex = -1;
  int FSelectedIndex = -1;
  int FOverlayIndex = -1;
  bool FHasChildren = false;
  bool FExpanded = false;
  std::vector<TTreeNode*> FChildren;
};

class TTreeNodes {
 public:
  explicit TTreeNodes(TCustomTreeView* owner);
  ~TTreeNodes();
  TTreeNodes(const TTreeNodes&) = delete;
  TTreeNodes& operator=(const TTreeNodes&) = delete;

  TCustomTreeView* GetOwner() const { return FOwner; }
  // A new last sibling of sibling (a top-level node when sibling is null).
  TTreeNode* Add(TTreeNode* sibling, const std::string& text);
  TTreeNode* AddObject(TTreeNode* sibling, const std::string& text, void* data);
  // A new last child of parent (top level when null).
  TTreeNode* AddChild(TTreeNode* parent, const std::string& text);
  TTreeNode* AddChildObject(TTreeNode* parent, const std::string& text, void* data);
  // A new node just before sibling.
  // Before sibling (last at the top level without one).
  TTreeNode* Insert(TTreeNode* sibling, const std::string& text);
  TTreeNode* InsertObject(TTreeNode* sibling, const std::string& text, void* data);
  void Delete(TTreeNode* node);
  void Clear();
  int GetCount() const;
  // The node at an absolute (depth-first) index.
  TTreeNode* GetItem(int index) const;
  TTreeNode* GetFirstNode() const { return FRoots.empty() ? nullptr : FRoots.front(); }
  void BeginUpdate();
  void EndUpdate();

 private:
  friend class TTreeNode;
  friend class TCustomTreeView;
  TTreeNode* InsertAt(TTreeNode* parent, int index, const std::string& text, void* data);

  TCustomTreeView* FOwner;
  std::vector<TTreeNode*> FRoots;
  int FUpdateCount = 0;
};

}  // namespace fw
