// TSvCustomShellComboBox: an owner-drawn combo box of the top of the shell namespace, as a file
// dialog's folder box shows it: the desktop, its children, My Computer's children and the
// ancestors of the folder being shown, each with its system icon and indented by its depth. A
// linked shell list view is driven by it and drives it; it fills itself anew when drives come
// and go.
#pragma once
#include <functional>
#include <string>

#include "framework/stdctrls/custom_combo_box.h"
#include "services/shell/shell_item_list.h"
#include "services/shell/shell_notification.h"
#include "services/shell/shell_view_links.h"

namespace svc {

class TSvCustomShellController;
class TSvCustomShellListView;

using TSvComboFolderEvent = std::function<void(fw::TObject* sender, TSvShellFolder* folder)>;

// The message that fills the box once its window exists at design time.
inline constexpr UINT kFillFoldersMessage = WM_USER + 4;

class TSvCustomShellComboBox : public fw::TCustomComboBox, public ISvShellComboLink {
  FW_CLASS(TSvCustomShellComboBox, fw::TCustomComboBox)
 public:
  explicit TSvCustomShellComboBox(fw::TComponent* owner);
  void AfterConstruction() override;

  // Lists the desktop, its children and My Computer's children.
  void FillFolders();
  // Makes folder an entry, inserting its ancestors below the nearest listed one, and selects it.
  void ShowFolder(TSvShellItem* folder);
  // Selects the first entry with the folder's path.
  void SelectFolder(TSvShellItem* folder);
  // What the linked list view calls when it lists a folder: by text, only the entry with the
  // folder's name is selected; else the folder is shown.
  void SetSelection(TSvShellItem* folder, bool byText);

  TSvShellFolderList* GetFolderList() const { return FFolderList; }
  TSvShellFolder* GetSelectedFolder() const { return FSelectedFolder; }
  TSvCustomShellController* GetController() const { return FController; }
  TSvShellNotification* GetNotifier() const { return FNotifier; }
  TSvCustomShellListView* GetListView() const { return FListView; }
  void SetListView(TSvCustomShellListView* value);

  TSvComboFolderEvent OnFolderChanging;
  TSvComboFolderEvent OnFolderSelected;

  // ISvShellComboLink
  void AddFolder(TSvShellFolder* folder) override;

  void Dispatch(fw::TMessage& msg) override;

 protected:
  ~TSvCustomShellComboBox() override;
  void CreateWnd() override;
  void Loaded() override;
  void Notification(fw::TComponent* component, fw::TOperation operation) override;
  void Click() override;
  void DrawItem(int index, const fw::TRect& rect, fw::TOwnerDrawState state) override;
  virtual void DoFolderSelected(TSvShellFolder* folder);
  virtual void DoFolderChanging(TSvShellFolder* folder);

 private:
  void SetUpController();
  // The chosen entry becomes the list view's folder.
  void ChooseEntry();
  void KeepSelection(const TSvShellItem* folder);
  void InsertEntry(int position, TSvShellFolder* folder);
  void RemoveEntry(int index);
  void DrivesChanged();

  TSvCustomShellController* FController = nullptr;
  TSvCustomShellListView* FListView = nullptr;
  TSvShellFolder* FSelectedFolder = nullptr;
  int FSelectedIndex = -1;
  TSvShellFolderList* FFolderList = nullptr;
  TSvShellNotification* FNotifier = nullptr;
};

class TSvShellComboBox : public TSvCustomShellComboBox {
  FW_CLASS(TSvShellComboBox, TSvCustomShellComboBox)
 public:
  using TSvCustomShellComboBox::TSvCustomShellComboBox;

 protected:
  ~TSvShellComboBox() override = default;
};

}  // namespace svc
