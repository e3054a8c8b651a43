// Hidden utility windows that deliver their messages to a std::function (the application
// window, timers, notification sinks). They are top-level windows, not message-only ones, so
// broadcasts such as WM_SETTINGCHANGE and WM_DEVICECHANGE reach them.
#pragma once
#include <functional>

#include "framework/msg/messages.h"

namespace fw {

// The handler answers through Result; for default processing it calls DefWindowProcA itself
// with the handle AllocateHWnd returned. Exceptions are caught at the window procedure.
using TWndMethod = std::function<void(TMessage&)>;

HWND AllocateHWnd(TWndMethod method);
// Destroys the window; a null handle is ignored.
void DeallocateHWnd(HWND wnd);

}  // namespace fw
