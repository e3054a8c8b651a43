// TkOpenDialogForm: the skinned open-file form ("Open") that TkOpenDialog shows: a shell combo
// of folders and a shell list of the folder's files, linked; Back with the history of folders
// visited, Up, the view styles; the file-name edit, the file-type filter (which sets the list's
// mask), Open, Cancel, Help and the read-only box. Open checks the name (AcceptOpenName) and keeps
// the form open when the check fails.
#pragma once
#include <string>
#include <vector>

#include "framework/forms/custom_form.h"

namespace fw {
class TListItem;
class TMenuItem;
class TPopupMenu;
}  // namespace fw

namespace skin {

class TkButton;
class TkCheckBox;
class TkDlgShellListView;
class TkEdit;
class TkFilterComboBox;
class TkOpenDialog;
class TkShellComboBox;
class TkSkinProvider;
class TkSpeedButton;

class TkOpenDialogForm : public fw::TForm {
  FW_CLASS(TkOpenDialogForm, fw::TForm)
 public:
  explicit TkOpenDialogForm(fw::TComponent* owner);
  void AfterConstruction() override;

  TkSpeedButton* BackBtn = nullptr;
  TkSpeedButton* UpBtn = nullptr;
  TkSpeedButton* CreateDirBtn = nullptr;
  TkSpeedButton* KindBtn = nullptr;
  fw::TPopupMenu* HistMenu = nullptr;
  fw::TPopupMenu* PopupMenu1 = nullptr;
  fw::TMenuItem* List1 = nullptr;
  fw::TMenuItem* Icons1 = nullptr;
  fw::TMenuItem* Icons2 = nullptr;
  fw::TMenuItem* Smallicons1 = nullptr;
  TkShellComboBox* DriveComboBox = nullptr;
  TkDlgShellListView* FileListView = nullptr;
  TkEdit* FileNameEdit = nullptr;
  TkFilterComboBox* FileTypeBox = nullptr;
  TkButton* kButton1 = nullptr;  // Open
  TkButton* kButton2 = nullptr;  // Cancel
  TkButton* BtnHelp = nullptr;
  TkCheckBox* CheckBoxReadOnly = nullptr;

  TkSkinProvider* GetSkinProvider() const { return FSkinProvider; }
  void SetDialog(TkOpenDialog* dialog) { FDialog = dialog; }
  void SetOpenZipAsFolder(bool value) { FOpenZipAsFolder = value; }
  // The file the Open button settled on.
  const std::string& GetResultName() const { return FResultName; }
  // The folders visited, oldest first; the last is the folder shown.
  const std::vector<std::string>& GetHistory() const { return FHistory; }
  // Shows a folder in the combo and the list; a folder that is not there changes nothing.
  void GoToFolder(const std::string& path);
  // The Back button's click: the folder before the last of the history.
  void GoBack();

 protected:
  ~TkOpenDialogForm() override = default;

 private:
  void FormShow(fw::TObject* sender);
  void FormClose(fw::TObject* sender, fw::TCloseAction& action);
  void FormCloseQuery(fw::TObject* sender, bool& canClose);
  void FolderChanged(fw::TObject* sender);
  void AddToHistory(const std::string& path);
  void HistoryItemClick(fw::TObject* sender);
  void UpClick(fw::TObject* sender);
  void KindClick(fw::TObject* sender);
  void ViewStyleClick(fw::TObject* sender);
  void TypeChange(fw::TObject* sender);
  void ListSelectItem(fw::TObject* sender, fw::TListItem* item, bool selected);
  void ListDblClick(fw::TObject* sender);
  void OpenClick(fw::TObject* sender);
  void CancelClick(fw::TObject* sender);
  void HelpClick(fw::TObject* sender);
  // The selected row opened as a folder (a ".zip" too when zips open as folders).
  bool SelectedIsFolder() const;

  TkSkinProvider* FSkinProvider = nullptr;
  TkOpenDialog* FDialog = nullptr;
  std::vector<std::string> FHistory;
  std::string FResultName;
  bool FOpenZipAsFolder = true;
  // Set while the form goes to a folder of its own history, which is not added again.
  bool FNavigating = false;
};

}  // namespace skin
