// TCustomTreeView/TTreeView over SysTreeView32 (ANSI TVN_*A notifications): nodes with text,
// data and images, lazy expansion through CanExpand/OnExpanding, selection events, label
// editing and custom sorting. OnClick runs after the click's selection change.
#pragma once
#include <functional>
#include <memory>

#include "framework/comctrls/tree_node.h"
#include "framework/controls/win_control.h"
#include "framework/graphics/image_list.h"

namespace fw {

enum TSortType { stNone, stData, stText, stBoth };

using TTVChangedEvent = std::function<void(TObject* Sender, TTreeNode* Node)>;
using TTVChangingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowChange)>;
using TTVExpandingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowExpansion)>;
using TTVEditingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowEdit)>;
using TTVEditedEvent = std::function<void(TObject* Sender, TTreeNode* Node, std::string& S)>;
using TTVCompareFunc = std::function<int(TTreeNode* a, TTreeNode* b, LPARAM data)>;

class TCustomTreeView : public TWinControl {
  FW_CLASS(TCustomTreeView, TWinControl)
 public:
  explicit TCustomTreeView(TComponent* owner);

  TTreeNodes* GetItems() const { return FItems.get(); }
  TTreeNode* GetSelected() const;
  void SetSelected(TTreeNode* node);
  TTreeNode* GetTopItem() const;
  TTreeNode* GetNodeAt(int x, int y) const;
  TTreeNode* NodeOf(HTREEITEM item) const;
  bool IsEditing() const;
  void FullExpand();
  void FullCollapse();
  bool CustomSort(const TTVCompareFunc& compare, LPARAM data, bool recursive = true);
  // Sorts the children of parent (null: the top level) with compare.
  bool SortChildren(TTreeNode* parent, const TTVCompareFunc& compare, LPARAM data, bool recursive = false);
  bool AlphaSort(bool recursive = true);

  bool GetShowRoot() const { return FShowRoot; }
  void SetShowRoot(bool v);
  bool GetShowButtons() const { return FShowButtons; }
  void SetShowButtons(bool v);
  bool GetShowLines() const { return FShowLines; }
  void SetShowLines(bool v);
  bool GetReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool v);
  bool GetHideSelection() const { return FHideSelection; }
  void SetHideSelection(bool v);
  bool GetHotTrack() const { return FHotTrack; }
  void SetHotTrack(bool v);
  bool GetAutoExpand() const { return FAutoExpand; }
  void SetAutoExpand(bool v);
  bool GetRightClickSelect() const { return FRightClickSelect; }
  void SetRightClickSelect(bool v) { FRightClickSelect = v; }
  bool GetDragDrop() const { return FDragDrop; }
  void SetDragDrop(bool v);
  int GetIndent() const { return FIndent; }
  void SetIndent(int v);
  TCustomImageList* GetImages() const { return FImages; }
  void SetImages(TCustomImageList* images);
  TCustomImageList* GetStateImages() const { return FStateImages; }
  void SetStateImages(TCustomImageList* images);
  TFormBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle v);

  TTVChangedEvent OnChange;
  TTVChangingEvent OnChanging;
  TTVExpandingEvent OnExpanding;
  TTVChangedEvent OnExpanded;
  TTVExpandingEvent OnCollapsing;
  TTVChangedEvent OnCollapsed;
  TTVEditingEvent OnEditing;
  TTVEditedEvent OnEdited;
  TTVChangedEvent OnDeletion;

  void Dispatch(TMessage& msg) override;

 protected:
  ~TCustomTreeView() override;
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void Notification(TComponent* component, TOperation operation) override;

  virtual bool CanExpand(TTreeNode* node);
  virtual void Expand(TTreeNode* node);
  virtual bool CanCollapse(TTreeNode* node);
  virtual void Collapse(TTreeNode* node);
  virtual bool CanChange(TTreeNode* node);
  virtual void Change(TTreeNode* node);
  virtual bool CanEdit(TTreeNode* node);
  virtual void Edit(const TVITEMA& item);
  // Runs before a node (and its data) goes.
  virtual void Delete(TTreeNode* node);
  // A CN_NOTIFY the tree view does not handle itself.
  virtual void NotifyOther(TMessage& msg);
  // Custom drawing of the nodes: asked for only when WantsCustomDraw; CustomDrawItem may change
  // the text colour of a node about to be drawn (itemState: the CDIS_ bits) and answers true then.
  virtual bool WantsCustomDraw() const { return false; }
  virtual bool CustomDrawItem(TTreeNode* node, UINT itemState, COLORREF& textColor);
  // Asked each time the control draws a node, before its ImageIndex (SelectedIndex) is read:
  // a descendant may set the index there.
  virtual void GetImageIndex(TTreeNode* node);
  virtual void GetSelectedIndex(TTreeNode* node);

 private:
  friend class TTreeNode;
  friend class TTreeNodes;
  DWORD StyleBits() const;
  void ApplyStyles();
  void HandleNotify(TMessage& msg);
  // Reads the children order of a node (null: the top level) back from the window.
  void ReadOrder(TTreeNode* parent);

  std::unique_ptr<TTreeNodes> FItems;
  bool FShowRoot = true;
  bool FShowButtons = true;
  bool FShowLines = true;
  bool FReadOnly = false;
  bool FHideSelection = true;
  bool FHotTrack = false;
  bool FAutoExpand = false;
  bool FRightClickSelect = false;
  bool FDragDrop = false;
  int FIndent = 19;
  TCustomImageList* FImages = nullptr;
  TCustomImageList* FStateImages = nullptr;
  TFormBorderStyle FBorderStyle = bsSingle;
  bool FClickPending = false;
};

class TTreeView : public TCustomTreeView {
  FW_CLASS(TTreeView, TCustomTreeView)
 public:
  using TCustomTreeView::TCustomTreeView;

 protected:
  ~TTreeView() override = default;
};

}  // namespace fw
