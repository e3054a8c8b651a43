// TSvCustomShellController: the object a linked group of shell views shares. It holds the
// desktop folder and the system image lists, enumerates folders into shell items for the
// views, shows the shell's context menu, and answers the shell questions the items ask.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/graphics/image_list.h"
#include "framework/win.h"
#include "services/shell/com_ref.h"
#include "services/shell/shell_item_list.h"
#include "services/shell/shell_view_links.h"
#include "services/shell/sv_component.h"

namespace fw {
class TTreeNode;
class TAnimate;
}  // namespace fw

namespace svc {

enum TSvEnumerationKind { ekTree = 0, ekList = 1, ekCombo = 2 };

class TSvCustomShellController : public TSvComponent {
  FW_CLASS(TSvCustomShellController, TSvComponent)
 public:
  explicit TSvCustomShellController(fw::TComponent* owner);

  // Parses path within folder; returns the HRESULT (pidl null on failure).
  HRESULT PathToPidl(const std::string& path, IShellFolder* folder, TPidl& pidl);
  // The folder that holds the item; null for an item directly under the desktop.
  TComRef<IShellFolder> GetParentFolder(LPCITEMIDLIST pidl);
  HRESULT BindToFolder(IShellFolder* folder, LPCITEMIDLIST relative, TComRef<IShellFolder>& result);
  // IShellFolder.GetDisplayNameOf as text ("" on failure).
  std::string GetDisplayName(IShellFolder* folder, LPCITEMIDLIST relative, DWORD flags);
  // Attributes (folder, share, link), display name and the closed and open icon indexes.
  void GetShellFileInfo(LPCITEMIDLIST pidl, DWORD& attributes, std::string& displayName, int& openIcon,
                        int& icon);
  // As GetShellFileInfo, with the overlay: 0 shared, 1 link, -1 none.
  void GetItemImages(LPCITEMIDLIST pidl, int& icon, std::string& displayName, int& overlay, int& openIcon);
  // Fills the linked tree (under ParentNode), list or combo box with the folder's entries.
  void EnumerateFolder(LPCITEMIDLIST pidl, TSvEnumerationKind kind);
  // Shows the shell's context menu of the items at point; the command chosen and carried out,
  // or -1.
  int ShowContextMenu(const ISvShellViewLink* caller, IShellFolder* folder, HWND owner, POINT point, int count,
                      LPCITEMIDLIST* relativePidls);

  IShellFolder* GetDesktopFolder() const { return FDesktopFolder.Get(); }
  fw::TImageList* GetSmallImages() const { return FSmallImages; }
  fw::TImageList* GetLargeImages() const { return FLargeImages; }
  int GetSystemFileIconIndex() const { return FSystemFileIconIndex; }
  int GetLinkOverlayIndex() const { return FLinkOverlayIndex; }
  fw::TAnimate* GetBusyAnimation() const { return FBusyAnimation; }
  TSvShellItemList* GetItems() const { return FItems; }

  // The views of a group share the controller: each counts itself in, and the last one to
  // let go (ReleaseController) frees it, whichever view made it.
  void AddUser() { ++FUsers; }
  int RemoveUser() { return --FUsers; }

  ISvShellTreeLink* TreeView = nullptr;
  ISvShellListLink* ListView = nullptr;
  ISvShellComboLink* ComboBox = nullptr;
  fw::TTreeNode* ParentNode = nullptr;
  // The view a drag of the group started from, while it runs.
  fw::TObject* DragSource = nullptr;

 protected:
  ~TSvCustomShellController() override;

 private:
  // The link overlay and the system file icon, learnt from the temporary folder.
  void ProbeOverlays();
  TComRef<IShellFolder> FolderToEnumerate(LPCITEMIDLIST pidl);
  bool NodeHasChildren(IShellFolder* folder, LPCITEMIDLIST relative, const std::string& path);
  void ShowBusyAnimation();
  void HideBusyAnimation();
  // Makes the item of one enumerated ID and hands it to the view; false when rejected.
  void AddEnumeratedItem(IShellFolder* folder, LPCITEMIDLIST parent, LPCITEMIDLIST id, TSvEnumerationKind kind);

  TComRef<IShellFolder> FDesktopFolder;
  fw::TImageList* FSmallImages = nullptr;
  fw::TImageList* FLargeImages = nullptr;
  TSvShellItemList* FItems = nullptr;
  int FUsers = 0;
  fw::TAnimate* FBusyAnimation = nullptr;
  int FSystemFileIconIndex = -1;
  int FLinkOverlayIndex = 0;
};

namespace testing {
// What a scripted chooser sees of a context menu: the real menu the shell filled, the folder,
// the point and the items.
struct TSvContextMenuCall {
  HMENU Menu = nullptr;
  IShellFolder* Folder = nullptr;
  POINT Point{};
  std::vector<LPCITEMIDLIST> Items;
};
// Answers in place of the user: the command chosen, or -1; the command is not carried out.
using TSvContextMenuChooser = std::function<int(const TSvContextMenuCall& call)>;
// Replaces the user's choice in ShowContextMenu (an empty function restores the menu); returns
// the previous chooser.
TSvContextMenuChooser SetContextMenuChooser(TSvContextMenuChooser chooser);
}  // namespace testing

}  // namespace svc
