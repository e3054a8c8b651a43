// TkSpeedButton: the skinned speed button (flat navigation and tool buttons, grouped or not).
// For now it draws and behaves as the framework's control.
#pragma once
#include "framework/buttons/speed_button.h"

namespace skin {

class TkSpeedButton : public fw::TSpeedButton {
  FW_CLASS(TkSpeedButton, fw::TSpeedButton)
 public:
  explicit TkSpeedButton(fw::TComponent* owner);

 protected:
  ~TkSpeedButton() override = default;
};

}  // namespace skin
