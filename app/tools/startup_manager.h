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
  // Runs in front of the list's own window procedure for the button presses and key-downs it
  // is given; true when it took the message. A left press on a row's box (either click of a
  // double click too) and Space on the focused row each change that entry once, a key held down
  // once. The list never turns a box itself: the tool turns it when the change is made.
  bool BoxMessage(fw::TMessage& message);
  // The row whose box is at the list's client point; null elsewhere.
  fw::TListItem* BoxAt(int x, int y) const;
  // Disables the entry of a ticked row, or enables that of an unticked one. A press while a
  // change is under way (its message lets messages through) changes nothing.
  void PressBox(fw::TListItem* item);
  // Disables (enable false) or enables the entry of item and ticks its box to match; a refused
  // or failed change leaves the box and says why, the row not touched after the message.
  void ToggleRow(fw::TListItem* item, bool enable);
  bool ToggleRegistryRow(fw::TListItem* item, bool enable, std::string& reason);
  bool ToggleShortcutRow(fw::TListItem* item, bool enable, std::string& reason);
  void DeleteRow(fw::TListItem* item);
  // The holding folder of a shortcut row's section, without a trailing backslash.
  std::string HoldingFolder(const std::string& section) const;
  std::string StartupFolder(const std::string& section) const;

  TfrmMain& FForm;
  skin::TkPanel& FPanel;
  bool FToggling = false;
};

}  // namespace app
