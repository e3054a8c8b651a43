// TkCustomShellComboBox/TkShellComboBox: the skinned extended combo box showing the shell root,
// its first level (and the drives under My Computer for the desktop), and the chain of folders
// down to the current one, indented by level. It follows a linked shell tree and shell list view
// (IkShellTreeLink) and they follow it, without echo.
#pragma once
#include <functional>
#include <string>

#include "skin/controls/combo_box_ex.h"
#include "skin/controls/shell_tree_view.h"

namespace skin {

class TkCustomShellListView;

// Asked for the image of each folder item added below the root (with an image list in use).
using TkGetImageIndexEvent = std::function<void(fw::TObject* Sender, TkShellFolder* Folder, int& ImageIndex)>;

class TkCustomShellComboBox : public TkComboBoxEx, public IkShellTreeLink {
  FW_CLASS(TkCustomShellComboBox, fw::TWinControl)
 public:
  explicit TkCustomShellComboBox(fw::TComponent* owner);

  const TkRoot& GetRoot() const { return FRoot; }
  void SetRoot(const TkRoot& value);
  bool GetUseShellImages() const { return FUseShellImages; }
  void SetUseShellImages(bool value);
  TkShellObjectTypes GetObjectTypes() const { return FObjectTypes; }
  virtual void SetObjectTypes(TkShellObjectTypes value);
  TkCustomShellTreeView* GetShellTreeView() const { return FTreeView; }
  void SetShellTreeView(TkCustomShellTreeView* value);
  TkCustomShellListView* GetShellListView() const { return FListView; }
  void SetShellListView(TkCustomShellListView* value);

  // The selected folder's parsing name with a trailing backslash ("" without a selection);
  // writing ("." is the current directory) selects the folder of a path.
  std::string GetPath() const;
  void SetPath(const std::string& value);
  // Rebuilds the items from the root down to the folder of an absolute list and selects it.
  void SetFolderPidl(LPCITEMIDLIST pidl);
  TkShellFolder* FolderAt(int index) const;

  TkGetImageIndexEvent OnGetImageIndex;

  // IkShellTreeLink
  void LinkRoot(const TkRoot& root) override;
  void LinkTree(TkCustomShellTreeView* tree) override { FTreeView = tree; }
  void FollowFolder(LPCITEMIDLIST absolute) override;

 protected:
  ~TkCustomShellComboBox() override;
  virtual void PopulateRootLevel();
  void CreateWnd() override;
  void Loaded() override;
  void Notification(fw::TComponent* component, fw::TOperation operation) override;
  void Change() override;
  void CloseUp() override;

 private:
  void CreateRoot();
  void ClearFolders();
  void AddSubFolders(int parentIndex, TkShellFolder* folder);
  // Inserts an item for folder at index; returns index.
  int InsertFolder(int index, TkShellFolder* folder);
  int IndexOfPidl(LPCITEMIDLIST pidl) const;
  int ImageOf(TkShellFolder* folder) const;
  void TellPartners(LPCITEMIDLIST pidl);

  TkRoot FRoot = "rfDesktop";
  TkShellFolder* FRootFolder = nullptr;
  fw::TImageList* FSystemImages = nullptr;
  TkCustomShellTreeView* FTreeView = nullptr;
  TkCustomShellListView* FListView = nullptr;
  TkShellObjectTypes FObjectTypes{otFolders};
  bool FUseShellImages = true;
  bool FChanging = false;
};

class TkShellComboBox : public TkCustomShellComboBox {
  FW_CLASS(TkShellComboBox, fw::TWinControl)
 public:
  using TkCustomShellComboBox::TkCustomShellComboBox;

 protected:
  ~TkShellComboBox() override = default;
};

}  // namespace skin
