// TRadioButton: a native BUTTON with BS_RADIOBUTTON. Checking one unchecks the other radio
// buttons of the same parent; the state is stored before BM_SETCHECK is sent, and Click fires
// when the button becomes checked.
#pragma once
#include "framework/stdctrls/button_control.h"
#include "framework/stdctrls/text_painter.h"

namespace fw {

class TRadioButton : public TButtonControl {
  FW_CLASS(TRadioButton, TButtonControl)
 public:
  explicit TRadioButton(TComponent* owner);

  TLeftRight GetAlignment() const { return FAlignment; }
  void SetAlignment(TLeftRight v);
  bool GetChecked() const override { return FChecked; }
  void SetChecked(bool v) override;

  void Dispatch(TMessage& msg) override;

 protected:
  ~TRadioButton() override = default;
  void AccelClick() override;
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;

 private:
  TLeftRight FAlignment = taRightJustify;
  bool FChecked = false;
};

}  // namespace fw
