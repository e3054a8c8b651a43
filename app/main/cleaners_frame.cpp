#include "app/main/cleaners_frame.h"

#include "app/main/main_form.h"
#include "app/tools/drive_cleaner.h"
#include "app/tools/duplicate_finder.h"
#include "app/tools/other_clean.h"

namespace app {

TfrmCleaners::TfrmCleaners(fw::TComponent* owner) : TfrmNavigation(owner) {}

void TfrmCleaners::CreateComponents() {
  CreateButtons("Drive clean", "Other clean", "Duplicate finder", 0, 1);
  kSpeedButton1->OnClick = fw::Bind(this, &TfrmCleaners::kSpeedButton1Click);
  kSpeedButton2->OnClick = fw::Bind(this, &TfrmCleaners::kSpeedButton2Click);
  kSpeedButton3->OnClick = fw::Bind(this, &TfrmCleaners::kSpeedButton3Click);
}

void TfrmCleaners::kSpeedButton1Click(fw::TObject*) {
  SetDownButton(1);
  frmMain->DriveCleaner().Show();
}

void TfrmCleaners::kSpeedButton2Click(fw::TObject*) {
  SetDownButton(2);
  frmMain->ShowToolPanel(frmMain->pnlOC);
  // Its sizes are measured with the page shown, the window answering meanwhile.
  frmMain->OtherClean().Show();
}

void TfrmCleaners::kSpeedButton3Click(fw::TObject*) {
  SetDownButton(3);
  frmMain->DuplicateFinder().Show();
}

}  // namespace app
