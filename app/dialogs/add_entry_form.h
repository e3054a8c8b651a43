// TfrmAddEntry ("Add new entry"): the modal dialog of the Startup manager's New button. It adds
// one program to start at logon, as a shortcut in the user's or all users' Startup folder or as
// a string value of one of the run keys. A name that could not be kept (file-name characters
// for a shortcut, "<>" or a line break for any entry) or that is taken is refused with a
// message, and the dialog stays open with what was typed. Escape closes it; closing frees it.
#pragma once
#include <string>

#include "framework/forms/custom_form.h"
#include "framework/win.h"
#include "services/shell/shortcut.h"
#include "skin/controls/bit_btn.h"
#include "skin/controls/check_box.h"
#include "skin/controls/combo_box.h"
#include "skin/controls/edit.h"
#include "skin/controls/group_box.h"
#include "skin/controls/label.h"
#include "skin/controls/open_dialog.h"
#include "skin/controls/path_dialog.h"
#include "skin/controls/speed_button.h"

namespace app {

// The locations of locationCB, in item order: two Startup folders, then the run keys.
inline constexpr int kAddEntryLocationCount = 11;

class TfrmAddEntry : public fw::TForm {
  FW_CLASS(TfrmAddEntry, fw::TForm)
 public:
  explicit TfrmAddEntry(fw::TComponent* owner);

  skin::TkGroupBox* kGroupBox1 = nullptr;
  skin::TkLabel* kLabel1 = nullptr;
  skin::TkEdit* commandEdit = nullptr;
  skin::TkSpeedButton* kSpeedButton1 = nullptr;
  skin::TkLabel* kLabel2 = nullptr;
  skin::TkEdit* nameEdit = nullptr;
  skin::TkLabel* kLabel3 = nullptr;
  skin::TkComboBox* locationCB = nullptr;
  skin::TkLabel* kLabel4 = nullptr;
  skin::TkEdit* paramEdit = nullptr;
  skin::TkGroupBox* kGroupBox2 = nullptr;
  skin::TkLabel* kLabel5 = nullptr;
  skin::TkEdit* wdEdit = nullptr;
  skin::TkSpeedButton* kSpeedButton2 = nullptr;
  skin::TkCheckBox* activeCB = nullptr;
  skin::TkBitBtn* okBtn = nullptr;
  skin::TkBitBtn* cancelBtn = nullptr;
  skin::TkOpenDialog* od = nullptr;
  skin::TkPathDialog* kBrowser = nullptr;
  svc::TSvShortcut* ss = nullptr;  // unused

  void FormCreate(fw::TObject* Sender);
  void FormKeyPress(fw::TObject* Sender, char& Key);
  void FormClose(fw::TObject* Sender, fw::TCloseAction& Action);
  void locationCBChange(fw::TObject* Sender);
  void kSpeedButton1Click(fw::TObject* Sender);
  void kSpeedButton2Click(fw::TObject* Sender);
  void okBtnClick(fw::TObject* Sender);
  void cancelBtnClick(fw::TObject* Sender);

  // Writes the value name under key of root, holding the quoted command, one blank and the
  // parameters; the key is made when missing. False when the key cannot be opened or the value
  // not written.
  bool SaveRegistry(HKEY root, const std::string& key, const std::string& parameters, const std::string& command,
                    const std::string& name);

 protected:
  ~TfrmAddEntry() override = default;
  void CreateComponents() override;
};

// Creates "<description>.lnk" in folder with the shortcut component, pointing at target with the
// parameters and working folder, and says "Shortcut created" or "Can not create shortcut". A
// missing target raises the component's error.
void CreateStartupShortcut(svc::TSvShortcut* shortcut, const std::string& target, const std::string& folder,
                           const std::string& workingFolder, const std::string& parameters,
                           const std::string& description);

}  // namespace app
