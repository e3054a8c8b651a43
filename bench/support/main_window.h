// Starts the program's main window for a benchmark, on a program folder of its own, with
// scripted dialogs so no message box waits for a click.
#pragma once
#include <memory>
#include <string>

#include "app/main/main_form.h"
#include "framework/forms/application.h"
#include "framework/forms/dialog_service.h"
#include "framework/rtl/seams.h"
#include "framework/rtl/sys_utils.h"
#include "services/search/search_files.h"
#include "services/shell/shell_services.h"

namespace bench {

inline void StartMainWindow(const std::string& appDir) {
  fw::testing::SetProgramFolder(appDir);
  svc::SetIsConsole(false);
  fw::InitRtl();
  svc::StartShellServices();
  fw::StartupForms();
  fw::testing::SetDialogService(std::make_unique<fw::testing::TScriptedDialogs>());
  fw::Application->CreateForm(app::frmMain);
  app::frmMain->Show();
  fw::Application->ProcessMessages();
}

}  // namespace bench
