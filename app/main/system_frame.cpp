#include "app/main/system_frame.h"

#include "app/main/main_form.h"
#include "app/tools/shortcut_doctor.h"
#include "app/tools/startup_manager.h"
#include "app/tools/uninstaller.h"

namespace app {

TfrmSystem::TfrmSystem(fw::TComponent* owner) : TfrmNavigation(owner) {}

void TfrmSystem::CreateComponents() {
  CreateButtons("Startup manager", "Uninstaller", "Shortcut doctor", 3, 2);
  kSpeedButton1->OnClick = fw::Bind(this, &TfrmSystem::kSpeedButton1Click);
  kSpeedButton2->OnClick = fw::Bind(this, &TfrmSystem::kSpeedButton2Click);
  kSpeedButton3->OnClick = fw::Bind(this, &TfrmSystem::kSpeedButton3Click);
}

void TfrmSystem::kSpeedButton1Click(fw::TObject*) {
  SetDownButton(1);
  frmMain->ShowToolPanel(frmMain->pnlSU, [] { frmMain->StartupManager().Show(); });
}

void TfrmSystem::kSpeedButton2Click(fw::TObject*) {
  SetDownButton(2);
  frmMain->ShowToolPanel(frmMain->pnlUI, [] { frmMain->Uninstaller().ListUninstallEntries(); });
}

void TfrmSystem::kSpeedButton3Click(fw::TObject*) {
  SetDownButton(3);
  frmMain->ShowToolPanel(frmMain->pnlSD, [] { frmMain->ShortcutDoctor().Show(); });
}

}  // namespace app
