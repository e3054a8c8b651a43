// Hidden utility windows that deliver their messages to a std::function (the application
// window, timers, notification sinks, the system-information component). They are top-level
// tool windows, not message-only ones, so broadcasts such as WM_SETTINGCHANGE and
// WM_DEVICECHANGE reach them.
#pragma once
#include <functional>
#include <string>

#include "framework/msg/messages.h"

namespace fw {

// The handler answers through Result; for default processing it calls DefWindowProcA itself
// with the handle AllocateHWnd returned. Exceptions are caught at the window procedure.
using TWndMethod = std::function<void(TMessage&)>;

// Registers the window class once (className "" is "TPUtilWindow") and creates a window; the
// method, when given, receives its messages from then on. The method belongs to the window: it
// is freed with it, whichever way the window goes.
HWND AllocateHWnd(TWndMethod method, const std::string& className = "");
// Takes the method off (it sees none of the destruction's messages), destroys the window and
// frees the method; a null handle is ignored.
void DeallocateHWnd(HWND wnd);

}  // namespace fw
