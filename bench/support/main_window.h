// The program's main window started in-process for a benchmark the way the tests start it:
// every seam saved, the forms started with scripted dialogs (no message box waits for a
// click), its own program folder, and searches that let messages through. The window and the
// forms go with the object, and the seams are restored. TDriveCleanerWindow starts it with a
// tree ticked in the Drive cleaner's path list.
#pragma once
#include <string>

#include "app/main/main_form.h"
#include "app/tools/drive_cleaner.h"
#include "framework/classes/string_list.h"
#include "framework/rtl/file_utils.h"
#include "framework/forms/application.h"
#include "framework/rtl/seams.h"
#include "framework/rtl/sys_utils.h"
#include "services/search/search_files.h"
#include "services/shell/shell_services.h"
#include "tests/support/scripted_forms.h"
#include "tests/support/seam_guard.h"

namespace bench {

class TMainWindow {
 public:
  explicit TMainWindow(const std::string& appDir) {
    fw::testing::SetProgramFolder(appDir);
    svc::testing::SetIsConsole(false);
    fw::InitRtl();
    svc::StartShellServices();
    fw::Application->CreateForm(app::frmMain);
    app::frmMain->Show();
    fw::Application->ProcessMessages();
  }

 private:
  testing_seams::TSeamGuard FSeams;
  testing_gui::TScriptedForms FForms;
};

// The main window on appDir (made with its config folder) whose Drive cleaner lists tree as a
// user folder, ticked: its Search button walks the tree.
class TDriveCleanerWindow {
 public:
  TDriveCleanerWindow(const std::string& appDir, const std::string& tree) : FWindow(OfferUserFolder(appDir, tree)) {
    fw::TListItems* rows = app::frmMain->DriveCleaner().lvDCDrive->GetItems();
    rows->GetItem(rows->GetCount() - 1)->SetChecked(true);
  }

 private:
  static std::string OfferUserFolder(const std::string& appDir, const std::string& tree) {
    fw::ForceDirectories(appDir + "config");
    fw::TStringList folders;
    folders.Add(tree);
    folders.SaveToFile(appDir + "config\\usrfldr.ini");
    return appDir;
  }
  TMainWindow FWindow;
};

}  // namespace bench
