#include "framework/stdctrls/button_control.h"

namespace fw {

TButtonControl::TButtonControl(TComponent* owner) : TWinControl(owner) {
  // The native button reports clicks itself (BN_CLICKED); the framework must not add its own.
  FControlStyle = TControlStyle{csSetCaption, csDoubleClicks};
  SetTabStop(true);
}

}  // namespace fw
