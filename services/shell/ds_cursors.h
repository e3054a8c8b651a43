// The library's own drag cursors, which start as copies of the framework's drag cursors. They
// sit with the shell components because they go into the framework's screen object.
#pragma once
#include "framework/controls/control.h"

namespace svc {

constexpr fw::TCursor crDsDragLink = 101;
constexpr fw::TCursor crDsDragAlt = 102;
constexpr fw::TCursor crDsMultiDragLink = 103;
constexpr fw::TCursor crDsMultiDragAlt = 104;

// Called at start-up: when the screen object exists, copies the handles of crDrag and
// crMultiDrag into the four cursors above; without it, does nothing.
void RegisterDsCursors();

}  // namespace svc
