// TkRadioButton: the skinned radio button. For now it draws and behaves as the framework's
// control.
#pragma once
#include "framework/stdctrls/radio_button.h"

namespace skin {

class TkRadioButton : public fw::TRadioButton {
  FW_CLASS(TkRadioButton, fw::TRadioButton)
 public:
  explicit TkRadioButton(fw::TComponent* owner);

 protected:
  ~TkRadioButton() override = default;
};

}  // namespace skin
