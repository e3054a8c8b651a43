// TkPanel: the skinned panel, a container with bevels and a caption.
// For now it draws and behaves as the framework's control.
#pragma once
#include "framework/extctrls/custom_panel.h"

namespace skin {

class TkPanel : public fw::TPanel {
  FW_CLASS(TkPanel, fw::TPanel)
 public:
  explicit TkPanel(fw::TComponent* owner);

 protected:
  ~TkPanel() override = default;
};

}  // namespace skin
