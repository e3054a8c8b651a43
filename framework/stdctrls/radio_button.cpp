#include "framework/stdctrls/radio_button.h"

namespace fw {

TRadioButton::TRadioButton(TComponent* owner) : TButtonControl(owner) {
  FWidth = 113;
  FHeight = 17;
  SetTabStop(false);
}

void TRadioButton::CreateParams(TCreateParams& params) {
  TButtonControl::CreateParams(params);
  CreateSubClass(params, "BUTTON");
  params.Style |= BS_RADIOBUTTON;
  if (FAlignment == taLeftJustify) params.Style |= BS_LEFTTEXT;
}

void TRadioButton::CreateWnd() {
  TButtonControl::CreateWnd();
  Perform(BM_SETCHECK, FChecked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TRadioButton::SetAlignment(TLeftRight v) {
  if (v == FAlignment) return;
  FAlignment = v;
  RecreateWnd();
}

void TRadioButton::SetChecked(bool v) {
  if (v == FChecked) return;
  FChecked = v;
  SetTabStop(v);
  if (HandleAllocated()) Perform(BM_SETCHECK, v ? BST_CHECKED : BST_UNCHECKED, 0);
  if (!v) return;
  if (FParent) {
    for (int i = 0; i < FParent->GetControlCount(); ++i) {
      auto* other = dynamic_cast<TRadioButton*>(FParent->GetControls(i));
      if (other && other != this) other->SetChecked(false);
    }
  }
  if (!FClicksDisabled) Click();
}

void TRadioButton::AccelClick() {
  SetFocus();
  SetChecked(true);
}

void TRadioButton::Dispatch(TMessage& msg) {
  switch (msg.Msg) {
    case CN_COMMAND:
      if (HiWord(msg.WParam) == BN_CLICKED || HiWord(msg.WParam) == BN_DOUBLECLICKED) SetChecked(true);
      return;
    default:
      break;
  }
  TButtonControl::Dispatch(msg);
}

}  // namespace fw
