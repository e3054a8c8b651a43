#include "framework/stdctrls/button.h"

#include "framework/forms/custom_form.h"
#include "framework/stdctrls/text_painter.h"

namespace fw {

TButton::TButton(TComponent* owner) : TButtonControl(owner) {
  FWidth = 75;
  FHeight = 25;
}

void TButton::CreateParams(TCreateParams& params) {
  TButtonControl::CreateParams(params);
  CreateSubClass(params, "BUTTON");
  params.Style |= FDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::SetDefault(bool v) {
  if (v == FDefault) return;
  FDefault = v;
  if (HandleAllocated()) ApplyDefaultStyle();
}

void TButton::ApplyDefaultStyle() { Perform(BM_SETSTYLE, FDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, 1); }

void TButton::Click() {
  if (TCustomForm* form = GetParentForm(this); form && FModalResult != 0) form->SetModalResult(FModalResult);
  TButtonControl::Click();
}

bool TButton::IsActive() const {
  if (Focused()) return true;
  if (!FDefault) return false;
  TWinControl* focused = FindControl(GetFocus());
  return !(focused && focused->InheritsFrom<TButton>());
}

void TButton::Dispatch(TMessage& msg) {
  switch (msg.Msg) {
    case CN_COMMAND:
      if (HiWord(msg.WParam) == BN_CLICKED && !FClicksDisabled) Click();
      return;
    case CM_DIALOGKEY: {
      WORD key = CharCode(msg);
      bool take = (key == VK_RETURN && IsActive()) || (key == VK_ESCAPE && FCancel);
      if (take && KeyDataToShiftState(msg.LParam).Empty() && CanFocus()) {
        Click();
        msg.Result = 1;
        return;
      }
      break;
    }
    default:
      break;
  }
  TButtonControl::Dispatch(msg);
}

}  // namespace fw
