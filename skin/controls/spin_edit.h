// TkSpinEdit: an edit box that holds a whole number; MinValue and MaxValue of 0 set no bounds.
#pragma once
#include "framework/stdctrls/custom_edit.h"

namespace skin {

class TkSpinEdit : public fw::TCustomEdit {
  FW_CLASS(TkSpinEdit, fw::TCustomEdit)
 public:
  explicit TkSpinEdit(fw::TComponent* owner);

  int GetMinValue() const { return FMinValue; }
  void SetMinValue(int value) { FMinValue = value; }
  int GetMaxValue() const { return FMaxValue; }
  void SetMaxValue(int value) { FMaxValue = value; }
  // The text read as a whole number; MinValue when the text is empty or not a number.
  int GetValue() const;
  void SetValue(int value);

 protected:
  ~TkSpinEdit() override = default;

 private:
  int FMinValue = 0;
  int FMaxValue = 0;
};

}  // namespace skin
