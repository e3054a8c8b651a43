// TSvCustomShellListView and TSvShellListView: the contents of one shell folder in the
// framework's list control, run in owner-data mode: the rows are the entries of ShownItems
// (every enumerated item, or the copies that pass the file filter), each row's data its index,
// and the descending order a reversed index. Report columns with the files' details, sorting
// by column, the file filter, in-place rename through the shell, the shell's context menu and
// the automatic relisting on the shell's change notifications.
#pragma once
#include <functional>
#include <string>
#include <unordered_map>

#include "framework/comctrls/list_view.h"
#include "framework/core/sets.h"
#include "services/shell/com_ref.h"
#include "services/shell/root_folder.h"
#include "services/shell/shell_drop_target.h"
#include "services/shell/shell_item_list.h"
#include "services/shell/shell_notification.h"
#include "services/shell/shell_view_links.h"

namespace fw {
class TPopupMenu;
}

namespace svc {

class TSvCustomShellComboBox;
class TSvCustomShellController;
class TSvCustomShellTreeView;
class TSvDictionary;

enum TSvListOption {
  loAllowRename, loAllowDrag, loAllowDrop, loColorCompressed, loExtendedMenu, loOpenFoldersInNewWindow,
  loShellMenu, loShowHidden, loSortTypeByExt
};
using TSvListOptions = fw::TSet<TSvListOption>;
enum TSvOptimization { otEnumerate, otDisplay };

using TSvItemDblClickEvent = std::function<void(fw::TObject* sender, TSvShellItem* item, bool& defaultAction)>;
using TSvItemSelectedEvent = std::function<void(fw::TObject* sender, TSvShellItem* item)>;

// The size text of the list: whole kilobytes (at least 1 for a non-empty file) with thousands
// separators, followed by "KB".
std::string KilobyteText(int64_t bytes);

// The text of the picture a drag of several items shows: "n file(s)", ", m folder(s)" for the
// file-system folders, or "n objects" when there are neither.
std::string DragImageText(const std::vector<const TSvShellItem*>& items);

// The text of a STRRET the shell gave (freeing what it allocated); an offset points into pidl.
std::string StrRetText(STRRET& value, LPCITEMIDLIST pidl);

class TSvCustomShellListView : public fw::TCustomListView, public ISvShellListLink, public ISvDropTargetOwner {
  FW_CLASS(TSvCustomShellListView, fw::TCustomListView)
 public:
  explicit TSvCustomShellListView(fw::TComponent* owner);
  void AfterConstruction() override;

  // Lists folder; null lists the root chosen by SpecialRootFolder or RootFolder.
  virtual void SetFolder(TSvShellItem* folder);
  // Lists the listed folder again.
  void Refresh();
  // Lists the parent of the listed folder (the desktop stays the desktop).
  void MoveUpOneLevel();
  void SetFolderFromTree(TSvShellItem* folder);
  void SetFolderFromCombo(TSvShellItem* folder);
  virtual void FillItemDetails(TSvShellItem* item);
  // The columns a folder's IShellDetails names (captions' offsets point into folderPidl), each
  // as wide as its character count times the width of "a" in the list's font.
  void BuildShellDetailColumns(IShellDetails* details, LPCITEMIDLIST folderPidl);
  // The item's column texts from its folder's IShellDetails; a file's empty "Type" gets the
  // list's own type text, and "Size" and "Modified" read the item's file data.
  void FillShellDetails(IShellDetails* details, TSvShellItem* item);
  virtual void SortItems();
  void SetViewStyle(fw::TViewStyle style) override;

  // The shell item of the row the last item change named (null after a redisplay).
  TSvShellItem* GetSelectedItem() const { return FSelectedItem; }
  // Copies of the selected rows' items, in list order; never null.
  TSvShellItemList* GetSelectedItems();
  // The rows' items: FilteredItems while the file filter applies, else AllItems.
  TSvShellItemList* GetShownItems() const;
  TSvShellItemList* GetAllItems() const { return FAllItems; }
  // The item of a row (the index as the control counts it).
  TSvShellItem* ItemOfRow(int row) const;
  // The row showing item (-1 when none).
  int RowOfItem(const TSvShellItem* item) const;
  TSvShellFolder* GetFolder() const { return FFolder; }
  TSvCustomShellController* GetController() const { return FController; }
  TSvShellNotification* GetNotification() const { return FNotification; }
  TSvDictionary* GetFileTypes() const { return FFileTypes; }
  fw::TPopupMenu* GetViewMenu() const { return FViewMenu; }

  TSvCustomShellComboBox* GetComboBox() const { return FComboBox; }
  void SetComboBox(TSvCustomShellComboBox* value);
  TSvCustomShellTreeView* GetTreeView() const { return FTreeView; }
  void SetTreeView(TSvCustomShellTreeView* value);
  const std::string& GetRootFolder() const { return FRootFolder; }
  void SetRootFolder(const std::string& value);
  TSvSpecialRootFolder GetSpecialRootFolder() const { return FSpecialRootFolder; }
  void SetSpecialRootFolder(TSvSpecialRootFolder value);
  TSvListOptions GetOptions() const { return FOptions; }
  void SetOptions(TSvListOptions value);
  const std::string& GetFileFilter() const { return FFileFilter; }
  void SetFileFilter(const std::string& value);
  bool GetFiltered() const { return FFiltered; }
  void SetFiltered(bool value);
  bool GetOpenDialogMode() const { return FOpenDialogMode; }
  void SetOpenDialogMode(bool value) { FOpenDialogMode = value; }
  TSvOptimization GetOptimization() const { return FOptimization; }
  void SetOptimization(TSvOptimization value) { FOptimization = value; }
  int GetCompressedColor() const { return FCompressedColor; }
  void SetCompressedColor(int value);
  std::string GetVersion() const;

  TSvItemDblClickEvent OnItemDblClick;
  TSvItemSelectedEvent OnItemSelected;
  TSvEnumItemEvent OnFilterItem;
  fw::TNotifyEvent OnListFilled;
  TSvShellNotifyEvent3 OnShellChangeNotify;

  // ISvShellListLink
  bool ShowsHidden() const override { return FOptions.Contains(loShowHidden); }
  bool AllowsRename() const override { return FOptions.Contains(loAllowRename); }
  bool ExtendedMenu() const override { return FOptions.Contains(loExtendedMenu); }
  bool OptimizesDisplay() const override { return FOptimization == otDisplay; }
  bool DoFilterItem(TSvShellItem* item) override;
  TSvShellItemList* ItemList() override { return FAllItems; }
  void AddItem(TSvShellItem* item) override;
  fw::TWinControl* AnimationHost() override;

  void Dispatch(fw::TMessage& msg) override;

  // The drop target registered for the window (null without loAllowDrop).
  IDropTarget* GetDropTarget() const { return FDropSite.GetTarget(); }
  // The item of the row last highlighted by a drag held over the list (a copy), or null.
  TSvShellItem* GetDropItem() const { return FDropItem; }
  // ISvDropTargetOwner
  HRESULT DropEnter(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override;
  HRESULT DropOver(DWORD keys, POINTL point, DWORD* effect) override;
  HRESULT DropLeave() override;
  HRESULT DropOn(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override;

 protected:
  ~TSvCustomShellListView() override;
  void Loaded() override;
  void Notification(fw::TComponent* component, fw::TOperation operation) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void WndProc(fw::TMessage& msg) override;

  void Click() override;
  void DblClick() override;
  void Change(fw::TListItem* item, fw::TItemChange change) override;
  void ColClick(fw::TListColumn* column) override;
  bool CanEdit(fw::TListItem* item) override;
  void Edit(const LVITEMA& item) override;
  bool OwnerDataFetch(fw::TListItem* item, fw::TItemRequests request) override;
  void NotifyOther(fw::TMessage& msg) override;
  bool WantsCustomDrawItem() const override;
  // Compressed items in CompressedColor with loColorCompressed.
  void CustomDrawItem(fw::TListItem* item, fw::TCustomDrawState state, bool& defaultDraw) override;
  int OwnerDataFind(fw::TItemFind find, const std::string& findString, fw::TPoint findPosition, void* findData,
                    int startIndex, fw::TSearchDirection direction, bool wrap) override;

  virtual void DoItemDblClick(TSvShellItem* item, bool& defaultAction);
  virtual void DoItemSelected(TSvShellItem* item);
  virtual void DoListFilled();
  virtual void DoShellChangeNotify(TSvShellItem* oldItem, TSvShellItem* newItem, TSvNotifyEventsSet events);
  virtual void BuildColumns(TSvShellItem* folder);

 private:
  // Empties the items and the rows; the sort column goes back to 0.
  void ClearList();
  // Lists the rows anew, keeping the selected row by caption; with reEnumerate the folder is
  // read again first.
  void RefreshItems(bool reEnumerate);
  void ApplyFileFilter();
  // Fills FilteredItems from AllItems; a pattern that does not compile raises and leaves the
  // filter off until the pattern changes.
  void FilterItems();
  // Selects the row with caption (else the row at index) and shows it.
  void Reselect(const std::string& caption, int index);
  void RebuildSelectedItems();
  void SetRedraw(bool on);
  // Finds or makes the controller and lists the folder (or the root).
  void SetUpController();
  void EnterFolder(TSvShellItem* folder);
  // What a double click does to the selected item: enter it, open it or let the shell run it.
  void OpenSelectedItem();
  // Takes the controller of a linked view (watching it go) or makes one of its own.
  void UseController(TSvCustomShellController* controller);
  // Hands the folder to the linked combo box (SetSelection).
  void ShowInCombo(TSvShellItem* folder, bool byText);
  // Selects Folder in the linked tree (making its nodes) and hands it to the combo box.
  void ShowListedFolder();
  void ShowShellMenu(fw::TMessage& msg);
  // Whether item is the listed folder or one of its own entries.
  bool InListedFolder(const TSvShellItem* item) const;
  void ListShellChanged(fw::TObject* sender, TSvShellItem* oldItem, TSvShellItem* newItem, TSvNotifyEventsSet events);
  void BuildFileTypes();
  std::string TypeText(TSvShellItem* item);
  // A copy of item whose parent folder defaults to the desktop folder.
  TSvShellItem* CopyOf(const TSvShellItem* item);
  void ViewMenuClick(fw::TObject* sender);
  void AddColumn(const std::string& caption, int width, bool right = false);
  // Reads the listed folder's details source and file records for the items about to be listed.
  void BeginListingDetails(TSvShellItem* folder);
  void EndListingDetails();
  bool FilterApplies() const;
  // The drag of the selected items, started on the row's begin-drag notification.
  void BeginDrag();
  HIMAGELIST MakeDragImage(int row, const std::vector<const TSvShellItem*>& items);
  void RegisterDropTarget();
  // The shell's drop target under the point (client coordinates) and the item there (null for
  // the listed folder).
  TComRef<IDropTarget> DropTargetAt(POINT point, TSvShellItem*& item);
  // Moves the drop highlight to item's row (null: no row).
  void HighlightDropItem(TSvShellItem* item);
  void AutoScroll(POINT point);

  TSvCustomShellController* FController = nullptr;
  TSvCustomShellTreeView* FTreeView = nullptr;
  TSvCustomShellComboBox* FComboBox = nullptr;
  TSvShellFolder* FFolder = nullptr;
  TSvShellItemList* FAllItems = nullptr;
  TSvShellItemList* FFilteredItems = nullptr;
  TSvShellItemList* FSelectedItems = nullptr;
  bool FSelectedItemsStale = false;
  TSvShellItem* FSelectedItem = nullptr;
  TSvDictionary* FFileTypes = nullptr;
  fw::TPopupMenu* FViewMenu = nullptr;
  TSvShellNotification* FNotification = nullptr;
  std::string FCaptions[10];
  std::string FRootFolder;
  TSvSpecialRootFolder FSpecialRootFolder = sfNone;
  TSvListOptions FOptions;
  std::string FFileFilter;
  bool FFiltered = false;
  // False while the file filter's pattern does not compile: every row shows.
  bool FFilterValid = true;
  bool FOpenDialogMode = false;
  TSvOptimization FOptimization = otEnumerate;
  int FCompressedColor = 0xFF0000;
  bool FColumnsBuilt = false;
  bool FDetailsFilled = false;
  bool FStandardColumns = false;
  bool FRelisting = false;
  bool FRecreating = false;
  bool FSettingUp = false;
  TSvDropSite FDropSite{this};
  // Read once per listing: the listed folder's IShellDetails (when it offers one) and the file
  // system's records of its entries by upper-case name.
  bool FListingDetails = false;
  TComRef<IShellDetails> FFolderDetails;
  std::unordered_map<std::string, WIN32_FIND_DATAA> FFolderRecords;
  TSvShellItem* FDropItem = nullptr;
};

class TSvShellListView : public TSvCustomShellListView {
  FW_CLASS(TSvShellListView, TSvCustomShellListView)
 public:
  using TSvCustomShellListView::TSvCustomShellListView;

 protected:
  ~TSvShellListView() override = default;
};

}  // namespace svc
