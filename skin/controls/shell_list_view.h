// TkCustomShellListView/TkShellListView/TkDlgShellListView: the skinned list view in owner-data
// mode showing the items of one shell folder with system icons, filtered by a file mask, folders
// first, optional detail columns, incremental search and keyboard navigation. It follows a linked
// shell tree (IkShellTreeLink) and tells it where it went, without echo.
#pragma once
#include <string>
#include <vector>

#include "skin/controls/list_view.h"
#include "skin/controls/shell_tree_view.h"

namespace skin {

class TkCustomShellComboBox;

// The words of a mask: its text split at "*", "." and ";" ("*.txt;*.ini" gives "txt", "ini").
std::vector<std::string> MaskWords(const std::string& mask);
// Whether a file of this name passes the words (no words: every file; else its extension, in
// upper case, equals one of them; a name without extension never passes).
bool MatchesMaskWords(const std::string& fileName, const std::vector<std::string>& words);
// The first of names from start whose upper case begins with what's in upper case; past the last
// row only with wrap; -1 when none.
int FindNamePrefix(const std::vector<std::string>& names, const std::string& what, int start, bool wrap);

class TkCustomShellListView : public TkCustomListView, public IkContextVerbHook, public IkShellTreeLink {
  FW_CLASS(TkCustomShellListView, TkCustomListView)
 public:
  explicit TkCustomShellListView(fw::TComponent* owner);

  const TkRoot& GetRoot() const { return FRoot; }
  void SetRoot(const TkRoot& value);
  TkShellObjectTypes GetObjectTypes() const { return FObjectTypes; }
  void SetObjectTypes(TkShellObjectTypes value);
  const std::string& GetMask() const { return FMask; }
  void SetMask(const std::string& value);
  bool GetSorted() const { return FSorted; }
  void SetSorted(bool value);
  TkShowExtension GetShowExt() const { return FShowExt; }
  void SetShowExt(TkShowExtension value) { FShowExt = value; }
  bool GetAutoNavigate() const { return FAutoNavigate; }
  void SetAutoNavigate(bool value) { FAutoNavigate = value; }
  bool GetAutoContextMenus() const { return FAutoContextMenus; }
  void SetAutoContextMenus(bool value) { FAutoContextMenus = value; }
  bool GetAutoRefresh() const { return FAutoRefresh; }
  // Watches the listed folder and lists it again after each change.
  void SetAutoRefresh(bool value);
  TkShellChangeNotifier* GetNotifier() const { return FNotifier; }
  fw::TComponent* GetShellTreeView() const { return FTreeView; }
  void SetShellTreeView(TkCustomShellTreeView* value);
  TkCustomShellComboBox* GetShellComboBox() const { return FComboBox; }
  void SetShellComboBox(TkCustomShellComboBox* value);

  TkShellFolder* GetCurrentFolder() const { return FCurrentFolder; }
  void SetFolderPidl(LPCITEMIDLIST pidl);
  void UpOneLevel();
  // Lists the folder anew and selects the row that was selected (when still there).
  void Refresh();
  TkShellFolder* SelectedFolder() const;
  TkShellFolder* FolderAt(int index) const;
  int RowCount() const { return static_cast<int>(FRows.size()); }
  virtual void Populate();

  TkAddFolderEvent OnAddFolder;

  // IkShellTreeLink
  void LinkRoot(const TkRoot& root) override;
  void LinkTree(TkCustomShellTreeView* tree) override { FTreeView = tree; }
  void FollowFolder(LPCITEMIDLIST absolute) override;
  // IkContextVerbHook
  void BeforeVerb(const std::string& verb, bool& handled) override;
  void AfterVerb(const std::string& verb, bool succeeded) override;

  void WndProc(fw::TMessage& m) override;

 protected:
  ~TkCustomShellListView() override;
  void Notification(fw::TComponent* component, fw::TOperation operation) override;
  void Loaded() override;
  void CreateWnd() override;
  void DestroyWnd() override;
  bool OwnerDataFetch(fw::TListItem* item, fw::TItemRequests request) override;
  int OwnerDataFind(fw::TItemFind find, const std::string& findString, fw::TPoint findPosition, void* findData,
                    int startIndex, fw::TSearchDirection direction, bool wrap) override;
  void DblClick() override;
  void KeyDown(WORD& key, fw::TShiftState shift) override;
  void DoContextPopup(fw::TPoint mousePos, bool& handled) override;
  void Edit(const LVITEMA& item) override;
  // Opens the selected folder or starts the selected file with the shell.
  void OpenSelected();

 private:
  void PopulateAndSync();
  void CreateDetailColumns();
  void ClearRows();
  // False when a column of that title is there already.
  bool AddColumn(const std::string& title, fw::TAlignment alignment, int chars);

  TkRoot FRoot = "rfDesktop";
  TkShellFolder* FCurrentFolder = nullptr;
  HIMAGELIST FLargeImages = nullptr;
  HIMAGELIST FSmallImages = nullptr;
  bool FAutoContextMenus = true;
  bool FAutoNavigate = true;
  bool FSorted = true;
  bool FAutoRefresh = false;
  bool FChanging = false;
  TkShellObjectTypes FObjectTypes{otFolders, otNonFolders};
  std::vector<TkShellFolder*> FRows;
  TkCustomShellTreeView* FTreeView = nullptr;
  TkCustomShellComboBox* FComboBox = nullptr;
  TkShellChangeNotifier* FNotifier = nullptr;
  bool FRootChanged = false;
  std::string FSavedDirectory;
  std::string FMask;
  TkShowExtension FShowExt = seSystem;
};

class TkShellListView : public TkCustomShellListView {
  FW_CLASS(TkShellListView, TkCustomShellListView)
 public:
  using TkCustomShellListView::TkCustomShellListView;

 protected:
  ~TkShellListView() override = default;
};

// The list of the open form: a double click only fires OnDblClick and Enter goes on to the
// form's default button; the form decides, and never starts a file.
class TkDlgShellListView : public TkShellListView {
  FW_CLASS(TkDlgShellListView, TkShellListView)
 public:
  using TkShellListView::TkShellListView;

 protected:
  ~TkDlgShellListView() override = default;
  void DblClick() override;
  void KeyDown(WORD& key, fw::TShiftState shift) override;
};

}  // namespace skin
