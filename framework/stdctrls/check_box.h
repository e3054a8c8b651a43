// TCustomCheckBox/TCheckBox: a native BUTTON with BS_3STATE that the control checks itself.
// The state is stored before BM_SETCHECK is sent, so a window procedure watching the message
// already sees the new state; then Click fires (CM_CHANGED, then OnClick) unless clicks are
// disabled. A click on the box toggles unchecked -> (grayed ->) checked -> unchecked.
#pragma once
#include "framework/stdctrls/button_control.h"
#include "framework/stdctrls/text_painter.h"

namespace fw {

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

class TCustomCheckBox : public TButtonControl {
  FW_CLASS(TCustomCheckBox, TButtonControl)
 public:
  explicit TCustomCheckBox(TComponent* owner);

  TLeftRight GetAlignment() const { return FAlignment; }
  void SetAlignment(TLeftRight v);
  bool GetAllowGrayed() const { return FAllowGrayed; }
  void SetAllowGrayed(bool v) { FAllowGrayed = v; }
  TCheckBoxState GetState() const { return FState; }
  void SetState(TCheckBoxState v);
  bool GetChecked() const override { return FState == cbChecked; }
  void SetChecked(bool v) override { SetState(v ? cbChecked : cbUnchecked); }

  void Click() override;
  void Dispatch(TMessage& msg) override;

 protected:
  ~TCustomCheckBox() override = default;
  void AccelClick() override;
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  virtual void Toggle();

 private:
  TLeftRight FAlignment = taRightJustify;
  bool FAllowGrayed = false;
  TCheckBoxState FState = cbUnchecked;
};

class TCheckBox : public TCustomCheckBox {
  FW_CLASS(TCheckBox, TCustomCheckBox)
 public:
  using TCustomCheckBox::TCustomCheckBox;

 protected:
  ~TCheckBox() override = default;
};

}  // namespace fw
