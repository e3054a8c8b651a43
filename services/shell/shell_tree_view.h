// TSvCustomShellTreeView and TSvShellTreeView: the shell namespace as a tree of folders below a
// root, each node's children read at its first expansion. The tree opens at a start-in folder,
// follows the shell's change notifications, renames in place, shows the shell's context menu,
// takes part in drag and drop (a dragged object held over a collapsed node expands it) and
// drives a linked shell list view.
#pragma once
#include <functional>
#include <string>

#include "framework/comctrls/tree_view.h"
#include "framework/core/sets.h"
#include "services/shell/com_ref.h"
#include "services/shell/root_folder.h"
#include "services/shell/shell_drop_target.h"
#include "services/shell/shell_item_list.h"
#include "services/shell/shell_notification.h"
#include "services/shell/shell_view_links.h"

namespace svc {

class TSvCustomShellController;
class TSvCustomShellListView;

enum TSvTreeOption {
  toAllowRename, toAllowDrag, toAllowDrop, toColorCompressed, toExpandTopNode, toExtendedMenu, toShellMenu,
  toShowFiles, toShowHidden
};
using TSvTreeOptions = fw::TSet<TSvTreeOption>;

using TSvFolderSelectedEvent = std::function<void(fw::TObject* sender, TSvShellFolder* folder)>;

// The hover timer that expands the node a drag is held over.
inline constexpr UINT_PTR kExpandTimer = 55;

class TSvCustomShellTreeView : public fw::TCustomTreeView, public ISvShellTreeLink, public ISvDropTargetOwner {
  FW_CLASS(TSvCustomShellTreeView, fw::TCustomTreeView)
 public:
  explicit TSvCustomShellTreeView(fw::TComponent* owner);
  void AfterConstruction() override;

  // Rebuilds the tree from its root and expands the way to the start-in folder.
  virtual void FillTree();
  // Selects the node of folder: among the existing nodes only (false when there is none), or
  // expanding the tree down to it (raises ESvInvalidFolder 240 when it lies outside the tree).
  bool SelectFolderNode(TSvShellItem* folder, bool existingOnly);
  void SelectFolderPath(TSvShellItem* folder);
  fw::TTreeNode* FindNodeByPidl(LPCITEMIDLIST pidl) const;
  fw::TTreeNode* FindNodeByPath(const std::string& path) const;
  // The node of the item's nearest ancestor (the item itself not included).
  fw::TTreeNode* FindAncestorNode(LPCITEMIDLIST pidl) const;
  // Deletes the node's children and reads them again, expanding again what was expanded (what
  // lay under oldPath is looked for under newPath).
  void RebuildSubtree(fw::TTreeNode* node, const std::string& oldPath = "", const std::string& newPath = "");

  TSvShellFolder* FolderOf(const fw::TTreeNode* node) const;
  TSvShellFolder* GetSelectedFolder() const { return FSelectedFolder; }
  // The root's folder (null before filling).
  TSvShellFolder* GetRootShellFolder() const;
  TSvShellFolderList* GetFolders() const { return FFolders; }
  bool GetTreeReady() const { return FTreeReady; }
  TSvCustomShellController* GetController() const { return FController; }
  TSvShellNotification* GetNotification() const { return FNotification; }
  fw::TTreeNode* GetDropNode() const { return FDropNode; }
  IDropTarget* GetDropTarget() const { return FDropSite.GetTarget(); }

  TSvCustomShellListView* GetListView() const { return FListView; }
  void SetListView(TSvCustomShellListView* value);
  const std::string& GetRootFolder() const { return FRootFolder; }
  void SetRootFolder(const std::string& value);
  TSvSpecialRootFolder GetSpecialRootFolder() const { return FSpecialRootFolder; }
  void SetSpecialRootFolder(TSvSpecialRootFolder value);
  const std::string& GetStartInFolder() const { return FStartInFolder; }
  void SetStartInFolder(const std::string& value);
  TSvSpecialRootFolder GetSpecialStartInFolder() const { return FSpecialStartInFolder; }
  void SetSpecialStartInFolder(TSvSpecialRootFolder value);
  TSvTreeOptions GetOptions() const { return FOptions; }
  void SetOptions(TSvTreeOptions value);
  bool GetFiltered() const { return FFiltered; }
  void SetFiltered(bool value);
  int GetCompressedColor() const { return FCompressedColor; }
  void SetCompressedColor(int value);
  int GetExpandInterval() const { return FExpandInterval; }
  void SetExpandInterval(int value) { FExpandInterval = value; }
  std::string GetVersion() const;

  TSvEnumItemEvent OnFilterItem;
  TSvFolderSelectedEvent OnFolderSelected;
  TSvShellNotifyEvent3 OnShellChangeNotify;

  // ISvShellTreeLink
  bool ShowsHidden() const override { return FOptions.Contains(toShowHidden); }
  bool AllowsRename() const override { return FOptions.Contains(toAllowRename); }
  bool ExtendedMenu() const override { return FOptions.Contains(toExtendedMenu); }
  bool ShowsFiles() const override { return FOptions.Contains(toShowFiles); }
  bool DoFilterItem(TSvShellFolder* folder) override;
  TSvShellFolderList* FolderList() override { return FFolders; }
  void AddFolderNode(TSvShellFolder* folder, bool hasChildren) override;

  // ISvDropTargetOwner
  HRESULT DropEnter(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override;
  HRESULT DropOver(DWORD keys, POINTL point, DWORD* effect) override;
  HRESULT DropLeave() override;
  HRESULT DropOn(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override;

  void Dispatch(fw::TMessage& msg) override;

 protected:
  ~TSvCustomShellTreeView() override;
  void Loaded() override;
  void Notification(fw::TComponent* component, fw::TOperation operation) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void WndProc(fw::TMessage& msg) override;

  void Click() override;
  bool CanExpand(fw::TTreeNode* node) override;
  void Change(fw::TTreeNode* node) override;
  bool CanEdit(fw::TTreeNode* node) override;
  void Edit(const TVITEMA& item) override;
  void NotifyOther(fw::TMessage& msg) override;
  bool WantsCustomDraw() const override { return FOptions.Contains(toColorCompressed); }
  // Compressed folders in CompressedColor with toColorCompressed (not the drop node of a drag).
  bool CustomDrawItem(fw::TTreeNode* node, UINT itemState, COLORREF& textColor) override;

  virtual void DoShellChangeNotify(TSvShellItem* oldItem, TSvShellItem* newItem, TSvNotifyEventsSet events);

 private:
  void SetUpController();
  void ClearNodes();
  void SortTree();
  // Reads the node's children (a node without any loses its expand button).
  void EnumerateNode(fw::TTreeNode* node);
  void SetNodeImages(fw::TTreeNode* node, LPCITEMIDLIST pidl, bool withText);
  // The start-in folder's ID list (null when there is none); sfNone gives the desktop only
  // when desktopForNone.
  TPidl StartInPidl(bool desktopForNone);
  void FirstPaint();
  void RemoveNode(fw::TTreeNode* node);
  void BeginDrag(const NMTREEVIEWA& info);
  void ShowShellMenu(fw::TMessage& msg);
  void TreeShellChanged(TSvShellItem* oldItem, TSvShellItem* newItem, TSvNotifyEventsSet events);
  void FolderCreated(TSvShellItem* item);
  void RegisterDropTarget();
  TComRef<IDropTarget> NodeDropTarget(fw::TTreeNode* node);
  void SetDropNode(fw::TTreeNode* node);
  void AutoScroll(fw::TTreeNode* node, POINT point);

  TSvCustomShellController* FController = nullptr;
  TSvShellFolderList* FFolders = nullptr;
  TSvShellFolder* FSelectedFolder = nullptr;
  int FRootIndex = -1;
  bool FTreeReady = false;
  bool FSelectingForList = false;
  // The folder the first paint listed for a tree without a start-in folder, until the tree
  // first selects a node: selecting it then does not list it again.
  TSvShellFolder* FListedAtFirstPaint = nullptr;
  TSvShellNotification* FNotification = nullptr;
  TSvCustomShellListView* FListView = nullptr;
  std::string FRootFolder;
  TSvSpecialRootFolder FSpecialRootFolder = sfDesktop;
  std::string FStartInFolder;
  TSvSpecialRootFolder FSpecialStartInFolder = sfNone;
  TSvTreeOptions FOptions;
  bool FFiltered = false;
  int FExpandInterval = 2000;
  int FCompressedColor = 0xFF0000;
  bool FRecreating = false;
  TSvDropSite FDropSite{this};
  bool FDragging = false;
  bool FSuppressErase = false;
  fw::TTreeNode* FDropNode = nullptr;
  TPidl FLastCreatedPidl;
};

class TSvShellTreeView : public TSvCustomShellTreeView {
  FW_CLASS(TSvShellTreeView, TSvCustomShellTreeView)
 public:
  using TSvCustomShellTreeView::TSvCustomShellTreeView;

 protected:
  ~TSvShellTreeView() override = default;
};

}  // namespace svc
