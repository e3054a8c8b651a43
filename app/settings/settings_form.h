// TfrmSettings: the Settings window. It is an empty window for now; closing frees it.
#pragma once
#include "framework/forms/custom_form.h"

namespace app {

class TfrmSettings : public fw::TForm {
  FW_CLASS(TfrmSettings, fw::TForm)
 public:
  explicit TfrmSettings(fw::TComponent* owner);

  void FormClose(fw::TObject* Sender, fw::TCloseAction& Action);

 protected:
  ~TfrmSettings() override = default;
  void CreateComponents() override;
};

}  // namespace app
