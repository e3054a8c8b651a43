#include "app/main/file_frame.h"

#include "app/main/main_form.h"

namespace app {

TfrmFile::TfrmFile(fw::TComponent* owner) : TfrmNavigation(owner) {}

void TfrmFile::CreateComponents() {
  // A group of its own, as the other two frames have: the shown tool's button stays down.
  CreateButtons("File attribute", "File wiper", "Folder size", 6, 3);
  kSpeedButton1->OnClick = fw::Bind(this, &TfrmFile::kSpeedButton1Click);
  kSpeedButton2->OnClick = fw::Bind(this, &TfrmFile::kSpeedButton2Click);
  // The folder-size tool does not exist: its button stays hidden and does nothing.
  kSpeedButton3->SetVisible(false);
}

void TfrmFile::kSpeedButton1Click(fw::TObject*) {
  SetDownButton(1);
  frmMain->ShowToolPanel(frmMain->pnlAM);
}

void TfrmFile::kSpeedButton2Click(fw::TObject*) {
  SetDownButton(2);
  frmMain->ShowToolPanel(frmMain->pnlFW);
}

void TfrmFile::kSpeedButton3Click(fw::TObject*) {}

}  // namespace app
