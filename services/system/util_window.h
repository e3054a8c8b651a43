// Hidden utility windows that hand every message to a method. They are top-level tool windows
// (not message-only ones), so system broadcasts such as WM_SETTINGCHANGE reach them.
#pragma once
#include <functional>
#include <string>

#include "framework/msg/messages.h"

namespace svc {

// Answers through the record's Result; for default handling it calls DefWindowProcA itself.
using TUtilWndMethod = std::function<void(fw::TMessage&)>;

// Registers the class ("TPUtilWindowEx" when className is empty) once and creates the window;
// an assigned method receives its messages (exceptions stop at the window procedure).
HWND AllocateUtilWindow(const std::string& className, TUtilWndMethod method);
// Destroys the window; a null handle is ignored.
void DeallocateUtilWindow(HWND wnd);

}  // namespace svc
