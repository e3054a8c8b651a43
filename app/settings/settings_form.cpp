#include "app/settings/settings_form.h"

namespace app {

TfrmSettings::TfrmSettings(fw::TComponent* owner) : fw::TForm(owner) {}

void TfrmSettings::CreateComponents() {
  SetName("frmSettings");
  SetCaption("Settings");
  SetBorderStyle(fw::bsSingle);
  SetBorderIcons(fw::TBorderIcons{fw::biSystemMenu});
  SetPosition(fw::poMainFormCenter);
  SetClientWidth(480);
  SetClientHeight(360);
  OnClose = fw::Bind(this, &TfrmSettings::FormClose);
}

void TfrmSettings::FormClose(fw::TObject*, fw::TCloseAction& Action) { Action = fw::caFree; }

}  // namespace app
