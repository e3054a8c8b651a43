// What the shell controller asks of the views linked to it (the tree, the list and the combo
// box): their options, their item filter, taking an item in, and the list's window for the
// busy animation. The views implement these; the controller only calls them.
#pragma once
#include <functional>

namespace fw {
class TObject;
class TWinControl;
}

namespace svc {

class TSvShellItem;
class TSvShellFolder;
class TSvShellItemList;
class TSvShellFolderList;

// A view's filter of the enumerated items: accept stays true to take the item.
using TSvEnumItemEvent = std::function<void(fw::TObject* sender, TSvShellItem* item, bool& accept)>;

class ISvShellViewLink {
 public:
  virtual bool ShowsHidden() const = 0;
  // The context menu offers Rename.
  virtual bool AllowsRename() const = 0;
  // The context menu shows its extended verbs while Shift is down.
  virtual bool ExtendedMenu() const = 0;

 protected:
  ~ISvShellViewLink() = default;
};

class ISvShellTreeLink : public ISvShellViewLink {
 public:
  virtual bool ShowsFiles() const = 0;
  // True to take the folder (the default when the view has no filter handler).
  virtual bool DoFilterItem(TSvShellFolder* folder) = 0;
  // The list that holds the tree's folders (the folders' OwnerList).
  virtual TSvShellFolderList* FolderList() = 0;
  // Takes an accepted folder as a child node of the controller's ParentNode.
  virtual void AddFolderNode(TSvShellFolder* folder, bool hasChildren) = 0;

 protected:
  ~ISvShellTreeLink() = default;
};

class ISvShellListLink : public ISvShellViewLink {
 public:
  // Images are read while enumerating instead of when first drawn.
  virtual bool OptimizesDisplay() const = 0;
  virtual bool DoFilterItem(TSvShellItem* item) = 0;
  virtual TSvShellItemList* ItemList() = 0;
  // Takes an accepted item into its item list.
  virtual void AddItem(TSvShellItem* item) = 0;
  // The view's window while it is showing, else null.
  virtual fw::TWinControl* AnimationHost() = 0;

 protected:
  ~ISvShellListLink() = default;
};

class ISvShellComboLink {
 public:
  virtual void AddFolder(TSvShellFolder* folder) = 0;

 protected:
  ~ISvShellComboLink() = default;
};

}  // namespace svc
