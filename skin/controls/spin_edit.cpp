#include "skin/controls/spin_edit.h"

#include <algorithm>

#include "framework/rtl/sys_utils.h"

namespace skin {

TkSpinEdit::TkSpinEdit(fw::TComponent* owner) : fw::TCustomEdit(owner) { SetText("0"); }

int TkSpinEdit::GetValue() const {
  std::string text = fw::Trim(GetText());
  int value = fw::StrToIntDef(text, FMinValue);
  if (FMinValue != 0 || FMaxValue != 0) value = std::max(FMinValue, std::min(FMaxValue, value));
  return value;
}

void TkSpinEdit::SetValue(int value) { SetText(fw::IntToStr(value)); }

}  // namespace skin
