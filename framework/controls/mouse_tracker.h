// Mouse enter/leave tracking: the message loop asks after every mouse message and when idle
// which control (windowless ones included) is under the cursor; when it changes, the old one
// gets CM_MOUSELEAVE and the new one CM_MOUSEENTER. TrackMouseEvent reports the cursor leaving
// the program's windows.
#pragma once
#include "framework/controls/control.h"

namespace fw {

// The control at a screen point: the framework window under it, or its windowless child there.
TControl* FindControlAtPoint(TPoint screenPos);
// Re-evaluates the control under the cursor.
void CheckMouseControl();
// The same for a given screen position (the cursor position in CheckMouseControl).
void UpdateMouseControl(TPoint screenPos);
TControl* GetMouseControl();
// The control under the mouse now shows another part of itself (a tool bar's button): the
// listener hears of it as of a new control, so a hint starts over for that part.
void MouseControlPartChanged();
// Forgets a control that is being destroyed.
void ControlGoingAway(TControl* control);
// Told whenever the control under the mouse changes (null: none); one listener (the hints).
void SetMouseControlListener(std::function<void(TControl*)> listener);

}  // namespace fw
