// TAttributeManager: the "File attribute" tool of the main window. It browses the file system
// in a shell tree and the shell list it drives, opens the Change attribute dialog on the selected files and folders (folders
// only, files only, or both) and the Detail info dialog on the first selected one; its tool bar
// also moves the list up one level, lists it again and switches the list's view.
#pragma once
#include "framework/menus/menu_item.h"
#include "framework/menus/popup_menu.h"
#include "services/shell/shell_list_view.h"
#include "services/shell/shell_tree_view.h"
#include "skin/controls/panel.h"
#include "skin/controls/splitter.h"
#include "skin/controls/tool_bar.h"

namespace app {

class TfrmMain;

class TAttributeManager {
 public:
  // Creates the tool's controls on panel (owned by the form) and binds their handlers.
  TAttributeManager(TfrmMain& form, skin::TkPanel& panel);
  TAttributeManager(const TAttributeManager&) = delete;
  TAttributeManager& operator=(const TAttributeManager&) = delete;

  skin::TkToolBar* kToolBar2 = nullptr;
  fw::TToolButton* ToolButton1 = nullptr;   // folders only
  fw::TToolButton* ToolButton3 = nullptr;   // files only
  fw::TToolButton* ToolButton4 = nullptr;   // files and folders
  fw::TToolButton* ToolButton5 = nullptr;   // separator
  fw::TToolButton* ToolButton7 = nullptr;   // up
  fw::TToolButton* ToolButton9 = nullptr;   // view, with amPUpMnu
  fw::TToolButton* ToolButton8 = nullptr;   // refresh
  fw::TToolButton* ToolButton10 = nullptr;  // separator
  fw::TToolButton* ToolButton13 = nullptr;  // detail info
  fw::TPopupMenu* amPUpMnu = nullptr;
  fw::TMenuItem* Lagreicons1 = nullptr;
  fw::TMenuItem* Smallicons1 = nullptr;
  fw::TMenuItem* List1 = nullptr;
  fw::TMenuItem* Details1 = nullptr;
  svc::TSvShellTreeView* amShellTV = nullptr;
  skin::TkSplitter* amSplitter = nullptr;
  svc::TSvShellListView* amShellLV = nullptr;

  void lagreicons1Click(fw::TObject* Sender);
  void Smallicons1Click(fw::TObject* Sender);
  void List1Click(fw::TObject* Sender);
  void Details1Click(fw::TObject* Sender);
  void ToolButton7Click(fw::TObject* Sender);
  void ToolButton8Click(fw::TObject* Sender);
  // "Please select a folder." (button 1) or "Please select a file or folder." without a
  // selected row; otherwise the Change attribute dialog on the selected items in mode 0, 1 or 2.
  void ToolButton1Click(fw::TObject* Sender);
  void ToolButton3Click(fw::TObject* Sender);
  void ToolButton4Click(fw::TObject* Sender);
  // The Detail info dialog on the item of the first selected row ("Please select a file or
  // folder." without one).
  void ToolButton13Click(fw::TObject* Sender);

 private:
  void CreateComponents();  // attribute_manager_layout.cpp
  void ChangeAttributes(int mode, const char* refusal);

  TfrmMain& FForm;
  skin::TkPanel& FPanel;
};

}  // namespace app
