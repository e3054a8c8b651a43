// The program's main window started in-process for a benchmark the way the tests start it:
// every seam saved, the forms started with scripted dialogs (no message box waits for a
// click), its own program folder, and searches that let messages through. The window and the
// forms go with the object, and the seams are restored.
#pragma once
#include <string>

#include "app/main/main_form.h"
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

}  // namespace bench
