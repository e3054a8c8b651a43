#include "framework/stdctrls/check_box.h"

namespace fw {

TCustomCheckBox::TCustomCheckBox(TComponent* owner) : TButtonControl(owner) {
  FWidth = 97;
  FHeight = 17;
}

void TCustomCheckBox::CreateParams(TCreateParams& params) {
  TButtonControl::CreateParams(params);
  CreateSubClass(params, "BUTTON");
  params.Style |= BS_3STATE;
  if (FAlignment == taLeftJustify) params.Style |= BS_LEFTTEXT;
}

void TCustomCheckBox::CreateWnd() {
  TButtonControl::CreateWnd();
  Perform(BM_SETCHECK, static_cast<WPARAM>(FState), 0);
}

void TCustomCheckBox::SetAlignment(TLeftRight v) {
  if (v == FAlignment) return;
  FAlignment = v;
  RecreateWnd();
}

void TCustomCheckBox::SetState(TCheckBoxState v) {
  if (v == FState) return;
  FState = v;
  if (HandleAllocated()) Perform(BM_SETCHECK, static_cast<WPARAM>(FState), 0);
  if (!FClicksDisabled) Click();
}

void TCustomCheckBox::Toggle() {
  switch (FState) {
    case cbUnchecked: SetState(FAllowGrayed ? cbGrayed : cbChecked); break;
    case cbChecked: SetState(cbUnchecked); break;
    default: SetState(cbChecked); break;
  }
}

void TCustomCheckBox::Click() {
  Changed();
  TButtonControl::Click();
}

void TCustomCheckBox::AccelClick() {
  SetFocus();
  Toggle();
}

void TCustomCheckBox::Dispatch(TMessage& msg) {
  switch (msg.Msg) {
    case CN_COMMAND:
      if (HiWord(msg.WParam) == BN_CLICKED) Toggle();
      return;
    default:
      break;
  }
  TButtonControl::Dispatch(msg);
}

}  // namespace fw
