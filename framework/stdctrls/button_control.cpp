#include "framework/stdctrls/button_control.h"

#include "framework/stdctrls/text_painter.h"

namespace fw {

TButtonControl::TButtonControl(TComponent* owner) : TWinControl(owner) {
  // The native button reports clicks itself (BN_CLICKED); the framework must not add its own.
  FControlStyle = TControlStyle{csSetCaption, csDoubleClicks};
  SetTabStop(true);
}

void TButtonControl::Dispatch(TMessage& msg) {
  if (msg.Msg == CM_DIALOGCHAR && IsAccel(static_cast<char>(msg.WParam), GetCaption()) && CanFocus()) {
    AccelClick();
    msg.Result = 1;
    return;
  }
  TWinControl::Dispatch(msg);
}

}  // namespace fw
