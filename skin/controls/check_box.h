// TkCheckBox: the skinned CheckBox stand-in; for now it draws and behaves as the framework's control.
#pragma once
#include "framework/stdctrls/check_box.h"

namespace skin {

class TkCheckBox : public fw::TCheckBox {
  FW_CLASS(TkCheckBox, fw::TCheckBox)
 public:
  explicit TkCheckBox(fw::TComponent* owner);

 protected:
  ~TkCheckBox() override = default;
};

}  // namespace skin
