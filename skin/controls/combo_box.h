// TkComboBox: the skinned ComboBox stand-in; for now it draws and behaves as the framework's control.
#pragma once
#include "framework/stdctrls/custom_combo_box.h"

namespace skin {

class TkComboBox : public fw::TComboBox {
  FW_CLASS(TkComboBox, fw::TComboBox)
 public:
  explicit TkComboBox(fw::TComponent* owner);

 protected:
  ~TkComboBox() override = default;
};

}  // namespace skin
