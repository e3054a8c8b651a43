// Subclassing of windows the framework did not create (a list view's header, a combo box's
// edit, a menu window): the new procedure sees each message first and may pass it on.
#pragma once
#include <functional>

#include "framework/msg/messages.h"

namespace fw {

// Passes the message on to the procedure that was in place before (sets its Result).
using TCallPrevious = std::function<void(TMessage&)>;
using TSubclassProc = std::function<void(TMessage& msg, const TCallPrevious& previous)>;

// Installs proc in front of the window's current procedure and returns a non-zero id. Removal
// is by id, normally in reverse order of installation; every subclass of a window is dropped
// automatically at WM_NCDESTROY. Exceptions thrown by proc are caught at the window procedure.
int SubclassWindow(HWND wnd, TSubclassProc proc);
// Removes a subclass; unknown or already dropped ids are ignored.
void RemoveSubclass(int id);

}  // namespace fw
