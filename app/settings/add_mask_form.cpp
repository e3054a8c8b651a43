#include "app/settings/add_mask_form.h"

#include "app/settings/settings_form.h"
#include "framework/rtl/sys_utils.h"
#include "skin/controls/message_dialogs.h"

namespace app {

namespace {

void Refuse(const std::string& text) { skin::kMessageDlg(text, fw::mtWarning, fw::TMsgDlgButtons{fw::mbOK}, 0); }

}  // namespace

TfrmAddMask::TfrmAddMask(fw::TComponent* owner) : fw::TForm(owner) {}

void TfrmAddMask::FormCreate(fw::TObject*) {
  if (!frmSettings) return;
  kEdit1->SetText(frmSettings->maskText);
  kEdit2->SetText(frmSettings->maskDescription);
  kCheckBox1->SetChecked(frmSettings->maskActive);
}

void TfrmAddMask::FormKeyPress(fw::TObject*, char& Key) {
  if (Key == 27) Close();
}

void TfrmAddMask::FormClose(fw::TObject*, fw::TCloseAction& Action) { Action = fw::caFree; }

void TfrmAddMask::kBitBtn1Click(fw::TObject*) {
  std::string mask = kEdit1->GetText();
  std::string description = kEdit2->GetText();
  if (fw::Trim(mask).empty()) {
    Refuse("Enter a wildcard.");
    kEdit1->SetFocus();
    return;
  }
  if (mask.find('=') != std::string::npos || description.find('=') != std::string::npos) {
    Refuse("A wildcard or its description can not contain \"=\".");
    kEdit1->SetFocus();
    return;
  }
  if (frmSettings) {
    frmSettings->maskText = mask;
    frmSettings->maskDescription = description;
    frmSettings->maskActive = kCheckBox1->GetChecked();
  }
  SetModalResult(fw::mrOk);
}

void TfrmAddMask::kBitBtn2Click(fw::TObject*) { Close(); }

}  // namespace app
