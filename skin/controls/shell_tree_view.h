// TkCustomShellTreeView/TkShellTreeView: the skinned tree view showing the shell namespace below
// Root. Each node holds a TkShellFolder in its Data; children are listed on first expansion and
// sorted by their folder's CompareIDs; icons come from the small system image list; the shell's
// context menu is offered. A shell combo box and a shell list view follow it through
// IkShellTreeLink, and it follows them, without echo.
#pragma once
#include <string>

#include "skin/controls/shell_change_notifier.h"
#include "skin/controls/shell_folder.h"
#include "skin/controls/tree_view.h"

namespace skin {

class TkCustomShellTreeView;

// What a view linked with the shell tree does for it: take its root, know the tree, follow a
// folder (its absolute ID list).
struct IkShellTreeLink {
  virtual void LinkRoot(const TkRoot& root) = 0;
  virtual void LinkTree(TkCustomShellTreeView* tree) = 0;
  virtual void FollowFolder(LPCITEMIDLIST absolute) = 0;

 protected:
  ~IkShellTreeLink() = default;
};

using TkAddFolderEvent = std::function<void(fw::TObject* Sender, TkShellFolder* AFolder, bool& CanAdd)>;

class TkCustomShellTreeView : public TkTreeView, public IkContextVerbHook {
  FW_CLASS(TkCustomShellTreeView, TkTreeView)
 public:
  explicit TkCustomShellTreeView(fw::TComponent* owner);

  const TkRoot& GetRoot() const { return FRoot; }
  void SetRoot(const TkRoot& value);
  TkShellObjectTypes GetObjectTypes() const { return FObjectTypes; }
  virtual void SetObjectTypes(TkShellObjectTypes value);
  bool GetUseShellImages() const { return FUseShellImages; }
  void SetUseShellImages(bool value);
  TkShowExtension GetShowExt() const { return FShowExt; }
  void SetShowExt(TkShowExtension value) { FShowExt = value; }
  bool GetAutoContextMenus() const { return FAutoContextMenus; }
  void SetAutoContextMenus(bool value) { FAutoContextMenus = value; }
  bool GetAutoRefresh() const { return FAutoRefresh; }
  void SetAutoRefresh(bool value);
  // The partners (components that implement IkShellTreeLink), not owned.
  fw::TComponent* GetShellComboBox() const { return FComboBox; }
  void SetShellComboBox(fw::TComponent* value);
  fw::TComponent* GetShellListView() const { return FListView; }
  void SetShellListView(fw::TComponent* value);
  TkShellChangeNotifier* GetNotifier() const { return FNotifier; }

  // The parsing name of the selected folder ("" without a selection); writing selects the
  // folder of a path (a path the desktop cannot parse raises).
  std::string GetPath() const;
  void SetPath(const std::string& value);
  TkShellFolder* SelectedFolder() const;
  TkShellFolder* FolderAt(int index) const;
  TkShellFolder* GetRootFolder() const { return FRootFolder; }

  // Selects the node of an absolute list, expanding the chain of nodes above it.
  void SelectPidl(LPCITEMIDLIST pidl);
  // The first node below start (null: every node) whose folder has the absolute list pidl.
  fw::TTreeNode* FindNodeByPidl(LPCITEMIDLIST pidl, fw::TTreeNode* start) const;
  // Lists the node's folder anew in place, keeping the node, the children still there (expanded
  // ones expanded) and the selection.
  void RefreshNode(fw::TTreeNode* node);
  void RefreshSelected();
  // Frees the root folder and the nodes.
  virtual void ResetTree();

  TkAddFolderEvent OnAddFolder;

  // IkContextVerbHook
  void BeforeVerb(const std::string& verb, bool& handled) override;
  void AfterVerb(const std::string& verb, bool succeeded) override;

  void WndProc(fw::TMessage& m) override;

 protected:
  ~TkCustomShellTreeView() override;
  void Loaded() override;
  void Notification(fw::TComponent* component, fw::TOperation operation) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  bool CanExpand(fw::TTreeNode* node) override;
  void Change(fw::TTreeNode* node) override;
  bool CanEdit(fw::TTreeNode* node) override;
  void Edit(const TVITEMA& item) override;
  void Delete(fw::TTreeNode* node) override;
  void GetImageIndex(fw::TTreeNode* node) override;
  void GetSelectedIndex(fw::TTreeNode* node) override;

 private:
  void RootChanged();
  void CreateRoot();
  void ClearItems();
  void PopulateNode(fw::TTreeNode* node);
  void ListChildren(fw::TTreeNode* node);
  // Whether a node of the folder shows an expand button before it is listed.
  bool ShowsButton(TkShellFolder* folder) const;
  // Fills a new child node of parentNode for the item pidl; false when OnAddFolder refused it
  // (the node is gone then).
  bool InitNode(fw::TTreeNode* node, LPCITEMIDLIST pidl, fw::TTreeNode* parentNode);
  void SetShellIcons(fw::TTreeNode* node, TkShellFolder* folder);
  void ApplyImageList();
  void LinkPartners(LPCITEMIDLIST absolute);
  void SetPartner(fw::TComponent*& slot, fw::TComponent* value);
  static TkShellFolder* FolderOf(const fw::TTreeNode* node);

  TkRoot FRoot = "rfDesktop";
  TkRoot FOldRoot;
  TkShellFolder* FRootFolder = nullptr;
  TkShellObjectTypes FObjectTypes{otFolders};
  HIMAGELIST FSystemImages = nullptr;
  bool FBuildingRoot = false;
  bool FAutoContextMenus = true;
  bool FLinking = false;
  fw::TComponent* FComboBox = nullptr;
  fw::TComponent* FListView = nullptr;
  bool FAutoRefresh = false;
  bool FSettingImages = false;
  bool FUseShellImages = true;
  TkShellChangeNotifier* FNotifier = nullptr;
  std::string FSavedDirectory;
  fw::TTreeNode* FRefreshingNode = nullptr;
  TkShowExtension FShowExt = seSystem;
  // The parent whose refresh a label rename posted, until the message comes.
  fw::TTreeNode* FPendingRefresh = nullptr;
  // Between the start of a label edit and its first end.
  bool FEditOpen = false;
};

class TkShellTreeView : public TkCustomShellTreeView {
  FW_CLASS(TkShellTreeView, TkCustomShellTreeView)
 public:
  using TkCustomShellTreeView::TkCustomShellTreeView;

 protected:
  ~TkShellTreeView() override = default;
};

}  // namespace skin
