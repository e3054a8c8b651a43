// The hidden utility window of the system components: a top-level tool window whose messages
// go to a method of the component that owns it.
#pragma once
#include <string>

#include "framework/msg/allocate_hwnd.h"

namespace svc {

// Creates the window under className ("" is "TPUtilWindowEx"; a class of that name registered
// with another procedure is registered anew); the method, when given, receives its messages.
HWND AllocateUtilWindow(const std::string& className, fw::TWndMethod method);
// Destroys the window; a null handle is ignored.
void DeallocateUtilWindow(HWND wnd);

}  // namespace svc
