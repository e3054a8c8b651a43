// Start and stop of the shell services, counted so that only the first start and the last
// stop act: the shell ID-list clipboard format, the shell32 functions and OLE. Every program
// entry starts them before it makes any form.
#pragma once
#include "framework/win.h"
#include "services/common/started_scope.h"

namespace svc {

// True when this call did the work (the first start).
bool StartShellServices();
// True when this call undid it (the last stop); a stop without a start does nothing.
bool StopShellServices();

// The clipboard format number of "Shell IDList Array" (0 before the first start).
UINT ShellIdListFormat();

// Starts the services for its lifetime.
using TShellServices = TStartedScope<StartShellServices, StopShellServices>;

}  // namespace svc
