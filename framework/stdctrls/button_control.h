// TButtonControl: the base of the wrappers over the native BUTTON class. ClicksDisabled lets
// a setter change the check state without firing Click.
#pragma once
#include "framework/controls/win_control.h"

namespace fw {

class TButtonControl : public TWinControl {
  FW_CLASS(TButtonControl, TWinControl)
 public:
  explicit TButtonControl(TComponent* owner);

  virtual bool GetChecked() const { return false; }
  virtual void SetChecked(bool) {}
  bool GetClicksDisabled() const { return FClicksDisabled; }
  void SetClicksDisabled(bool v) { FClicksDisabled = v; }

  // Runs AccelClick for the caption's accelerator (CM_DIALOGCHAR) when the control can take focus.
  void Dispatch(TMessage& msg) override;

 protected:
  ~TButtonControl() override = default;
  // What the caption's accelerator key does (a push button clicks).
  virtual void AccelClick() { Click(); }
  bool FClicksDisabled = false;
};

}  // namespace fw
