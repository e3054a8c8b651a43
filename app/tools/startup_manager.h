// TStartupManager: the Startup manager tool of the main window. It lists the programs Windows
// starts at logon (the run keys of the machine and of the user, the two Startup folders and the
// entries the user disabled) by the source chosen in its tree, and disables, enables, adds,
// deletes and runs them.
#pragma once
#include <string>

#include "framework/comctrls/tool_bar.h"
#include "skin/controls/list_view.h"
#include "skin/controls/panel.h"
#include "skin/controls/tool_bar.h"
#include "skin/controls/tree_view.h"

namespace app {

class TfrmMain;

// The number of sources in the tree (the absolute index of a node is its source number).
inline constexpr int kStartupSourceCount = 16;

class TStartupManager {
 public:
  // Creates the tool's controls on panel (owned by the form) and binds their handlers.
  TStartupManager(TfrmMain& form, skin::TkPanel& panel);
  TStartupManager(const TStartupManager&) = delete;
  TStartupManager& operator=(const TStartupManager&) = delete;

  // The preparation when the "Startup manager" button is pressed: expands the tree and lists
  // every source (the user's four run keys that have stores).
  void Show();
  // Clears the list and lists source n (0..15; others list nothing).
  void ListSource(int n);

  skin::TkToolBar* kToolBar1 = nullptr;
  fw::TToolButton* newBtn = nullptr;
  fw::TToolButton* editBtn = nullptr;
  fw::TToolButton* deleteBtn = nullptr;
  fw::TToolButton* ToolButton1 = nullptr;
  fw::TToolButton* copyBtn = nullptr;
  fw::TToolButton* cutBtn = nullptr;
  fw::TToolButton* pasteBtn = nullptr;
  fw::TToolButton* ToolButton2 = nullptr;
  fw::TToolButton* runBtn = nullptr;
  fw::TToolButton* refreshBtn = nullptr;
  fw::TToolButton* ToolButton3 = nullptr;
  fw::TToolButton* optionsBtn = nullptr;
  skin::TkTreeView* tvSU = nullptr;
  skin::TkListView* lvSU = nullptr;

  void tvSUClick(fw::TObject* Sender);
  void refreshBtnClick(fw::TObject* Sender);
  void lvSUMouseUp(fw::TObject* Sender, fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y);
  // Space acts as a click on the focused row's box, once; the list's own toggle is swallowed.
  void lvSUKeyDown(fw::TObject* Sender, WORD& Key, fw::TShiftState Shift);
  void newBtnClick(fw::TObject* Sender);
  void deleteBtnClick(fw::TObject* Sender);
  void runBtnClick(fw::TObject* Sender);

 private:
  void CreateComponents();  // startup_manager_layout.cpp
  void BeginListing();
  void EndListing();
  void ListKeys(const char* hive, int count);
  void ListStores(const char* hive, int count);
  void ListKeyAndStore(const char* hive, int runKey);
  void ListStartupFolderOf(int kind);
  void ListHeldShortcuts(int kind);
  // Disables (enable false) or enables the entry of item, whose box the user has just set to
  // enable; a refused or failed change puts the box back and says why.
  void ToggleRow(fw::TListItem* item, bool enable);
  bool ToggleRegistryRow(fw::TListItem* item, bool enable, std::string& reason);
  bool ToggleShortcutRow(fw::TListItem* item, bool enable, std::string& reason);
  void DeleteRow(fw::TListItem* item);
  // The holding folder of a shortcut row's section, without a trailing backslash.
  std::string HoldingFolder(const std::string& section) const;
  std::string StartupFolder(const std::string& section) const;

  TfrmMain& FForm;
  skin::TkPanel& FPanel;
};

}  // namespace app
