// TkButton: the skinned push button. For now it draws and behaves as the framework's control.
#pragma once
#include "framework/stdctrls/button.h"

namespace skin {

class TkButton : public fw::TButton {
  FW_CLASS(TkButton, fw::TButton)
 public:
  explicit TkButton(fw::TComponent* owner);

 protected:
  ~TkButton() override = default;
};

}  // namespace skin
