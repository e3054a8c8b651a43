// TUninstaller: the "Uninstall software" tool of the main window. It lists the programs
// registered under the machine's uninstall key, shows one program's details, starts a
// program's uninstaller, or deletes a program's registry entry.
#pragma once
#include <string>

#include "skin/controls/bit_btn.h"
#include "skin/controls/edit.h"
#include "skin/controls/group_box.h"
#include "skin/controls/list_view.h"
#include "skin/controls/panel.h"

namespace app {

class TfrmMain;

// The machine's uninstall key (under HKEY_LOCAL_MACHINE), one subkey per program.
inline constexpr char kUninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

// The sub-items of a row of lvUI, in order; the caption is the DisplayName.
enum TUninstallSubItem { uiUninstallString, uiDisplayIcon, uiDisplayVersion, uiInstallDate, uiPublisher, uiSize,
                         uiKeyName, uiSubItemCount };

class TUninstaller {
 public:
  // Creates the tool's controls on panel (owned by the form) and binds their handlers.
  TUninstaller(TfrmMain& form, skin::TkPanel& panel);
  TUninstaller(const TUninstaller&) = delete;
  TUninstaller& operator=(const TUninstaller&) = delete;

  // Fills lvUI again from the uninstall key, read-only, in the order the registry gives the
  // subkeys; subkeys without a display name are left out.
  void ListUninstallEntries();

  skin::TkListView* lvUI = nullptr;
  skin::TkGroupBox* gbUIDetails = nullptr;
  skin::TkEdit* kEdit1 = nullptr;
  skin::TkEdit* kEdit2 = nullptr;
  skin::TkEdit* kEdit3 = nullptr;
  skin::TkEdit* kEdit4 = nullptr;
  skin::TkEdit* kEdit5 = nullptr;
  skin::TkBitBtn* kBitBtn1 = nullptr;
  skin::TkBitBtn* kBitBtn2 = nullptr;

  void lvUIChange(fw::TObject* Sender, fw::TListItem* Item, fw::TItemChange Change);
  // Uninstall: starts the selected row's uninstaller (the program itself, never another one
  // the system's search would pick) and lists again when it was started.
  void kBitBtn1Click(fw::TObject* Sender);
  // Delete entry: after a Yes, deletes the selected row's subkey with its own subkeys and
  // lists again when that worked; the details then show the row selected after the listing, or
  // nothing. A row without a subkey name deletes nothing.
  void kBitBtn2Click(fw::TObject* Sender);

 private:
  void CreateComponents();  // uninstaller_layout.cpp
  // Fills the five details edits from item's row, or empties them for none.
  void ShowDetails(fw::TListItem* item);

  TfrmMain& FForm;
  skin::TkPanel& FPanel;
};

}  // namespace app
