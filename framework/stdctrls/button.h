// TButton: a push button over the native BUTTON class. Its ModalResult is given to the form
// before OnClick runs, so OnClick may take it back; Enter presses the default button and Esc
// the cancel button.
#pragma once
#include "framework/stdctrls/button_control.h"

namespace fw {

class TButton : public TButtonControl {
  FW_CLASS(TButton, TButtonControl)
 public:
  explicit TButton(TComponent* owner);

  bool GetDefault() const { return FDefault; }
  void SetDefault(bool v);
  bool GetCancel() const { return FCancel; }
  void SetCancel(bool v) { FCancel = v; }
  int GetModalResult() const { return FModalResult; }
  void SetModalResult(int v) { FModalResult = v; }

  void Click() override;
  void Dispatch(TMessage& msg) override;

 protected:
  ~TButton() override = default;
  void CreateParams(TCreateParams& params) override;
  // Enter goes to this button: it is focused, or it is the default and no other button is.
  bool IsActive() const;
  // Shows the Default state on the window (the native default-button style).
  virtual void ApplyDefaultStyle();

 private:
  bool FDefault = false;
  bool FCancel = false;
  int FModalResult = 0;
};

}  // namespace fw
