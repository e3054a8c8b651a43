// TkGroupBox: the skinned group box, a framed container with a caption.
// For now it draws and behaves as the framework's control.
#pragma once
#include "framework/stdctrls/custom_group_box.h"

namespace skin {

class TkGroupBox : public fw::TGroupBox {
  FW_CLASS(TkGroupBox, fw::TGroupBox)
 public:
  explicit TkGroupBox(fw::TComponent* owner);

 protected:
  ~TkGroupBox() override = default;
};

}  // namespace skin
