// TkLabelFX: the skinned label with a text effect (a shadow), used for large titles.
// For now it draws and behaves as the framework's control.
#pragma once
#include "framework/stdctrls/custom_label.h"

namespace skin {

class TkLabelFX : public fw::TCustomLabel {
  FW_CLASS(TkLabelFX, fw::TCustomLabel)
 public:
  explicit TkLabelFX(fw::TComponent* owner);

 protected:
  ~TkLabelFX() override = default;
};

}  // namespace skin
