// TkToolBar: the skinned tool bar. For now it draws and behaves as the framework's control.
#pragma once
#include "framework/comctrls/tool_bar.h"

namespace skin {

class TkToolBar : public fw::TToolBar {
  FW_CLASS(TkToolBar, fw::TToolBar)
 public:
  explicit TkToolBar(fw::TComponent* owner);

 protected:
  ~TkToolBar() override = default;
};

}  // namespace skin
