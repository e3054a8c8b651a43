// TkStatusBar: the skinned status bar with panels; it hosts child controls such as an animation.
// For now it draws and behaves as the framework's control.
#pragma once
#include "framework/comctrls/status_bar.h"

namespace skin {

class TkStatusBar : public fw::TStatusBar {
  FW_CLASS(TkStatusBar, fw::TStatusBar)
 public:
  explicit TkStatusBar(fw::TComponent* owner);

 protected:
  ~TkStatusBar() override = default;
};

}  // namespace skin
