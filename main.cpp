// Entry point of Vorlet Disk Cleaner: start the framework, create the main window, run the
// message loop until the main window closes, shut down.
#include "app/main/main_form.h"
#include "framework/forms/application.h"
#include "framework/rtl/sys_utils.h"
#include "framework/win.h"
#include "services/shell/ds_cursors.h"
#include "services/shell/shell_services.h"
#include "services/system/ds_registries.h"
#include "skin/controls/message_dialogs.h"
#include "skin/engine/skin_engine.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  svc::TShellServices shellServices;
  svc::TDsRegistries registries;
  fw::InitRtl();
  fw::StartupForms();
  svc::RegisterDsCursors();
  skin::InstallSkinnedDialogs();
  fw::Application->Initialize();
  fw::Application->SetTitle(app::kProgramTitle);
  skin::StartSkinEngine();
  try {
    fw::Application->CreateForm(app::frmMain);
  } catch (...) {
    fw::Application->HandleException(fw::Application);
    fw::ShutdownForms();
    skin::StopSkinEngine();
    return 1;
  }
  fw::Application->Run();
  fw::ShutdownForms();
  skin::StopSkinEngine();
  return 0;
}
