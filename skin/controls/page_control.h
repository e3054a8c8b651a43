// TkPageControl and TkTabSheet: the skinned page control and its sheets. For now they draw and
// behave as the framework's controls.
#pragma once
#include "framework/comctrls/page_control.h"

namespace skin {

class TkTabSheet : public fw::TTabSheet {
  FW_CLASS(TkTabSheet, fw::TTabSheet)
 public:
  explicit TkTabSheet(fw::TComponent* owner);

 protected:
  ~TkTabSheet() override = default;
};

class TkPageControl : public fw::TPageControl {
  FW_CLASS(TkPageControl, fw::TPageControl)
 public:
  explicit TkPageControl(fw::TComponent* owner);

 protected:
  ~TkPageControl() override = default;
};

}  // namespace skin
