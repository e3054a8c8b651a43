#include "framework/controls/mouse_tracker.h"

#include "framework/controls/win_control.h"

namespace fw {

namespace {
TControl* mouseControl = nullptr;

std::function<void(TControl*)>& Listener() {
  static std::function<void(TControl*)> listener;
  return listener;
}

void Tell(TControl* control) {
  if (Listener()) Listener()(control);
}

// Asks the system to report the cursor leaving the window it is over for control: the control's
// own window, or a native child of it (a list's header) when the cursor is there, since only the
// window under the cursor hears of the leave. The report is asked for the part of the window the
// cursor is in (its frame and caption are the non-client part), and not at all over a window
// that takes no mouse input (disabled behind a modal dialog): a report asked for a part the
// cursor is not in comes at once, and each report would ask again, so the loop would hear of
// nothing but leaves, never of the keys or timers waiting behind them.
void TrackLeave(TControl* control, TPoint screenPos) {
  auto* win = dynamic_cast<TWinControl*>(control);
  if (!win && control) win = control->GetParent();
  if (!win || !win->HandleAllocated()) return;
  HWND wnd = win->GetHandleNoCreate();
  HWND under = WindowFromPoint(screenPos);
  if (under && under != wnd && IsChild(wnd, under)) wnd = under;
  if (!IsWindowEnabled(wnd)) return;
  LRESULT part = SendMessageA(wnd, WM_NCHITTEST, 0, PointToLParam(screenPos.X, screenPos.Y));
  if (part == HTERROR || part == HTNOWHERE || part == HTTRANSPARENT) return;
  TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE | (part == HTCLIENT ? 0u : TME_NONCLIENT), wnd, 0};
  TrackMouseEvent(&tme);
}
}  // namespace

TControl* FindControlAtPoint(TPoint screenPos) {
  HWND wnd = WindowFromPoint(screenPos);
  if (!wnd || GetWindowThreadProcessId(wnd, nullptr) != GetCurrentThreadId()) return nullptr;
  TWinControl* win = TWinControl::FindOwningControl(wnd);
  if (!win) return nullptr;
  if (TControl* child = win->ControlAtPos(win->ScreenToClient(screenPos), true)) return child;
  return win;
}

void CheckMouseControl() {
  POINT p;
  if (!GetCursorPos(&p)) return;
  UpdateMouseControl(p);
}

void UpdateMouseControl(TPoint screenPos) {
  TControl* target = FindControlAtPoint(screenPos);
  if (target == mouseControl) {
    // The cursor may have moved between the control's window and a native child of it.
    if (target) TrackLeave(target, screenPos);
    return;
  }
  TControl* capture = GetCaptureControl();
  // While a control holds the capture only it hears of entering and leaving.
  if (mouseControl && (!capture || mouseControl == capture)) {
    TControl* old = mouseControl;
    mouseControl = nullptr;
    old->Perform(CM_MOUSELEAVE);
  }
  mouseControl = target;
  if (target && (!capture || target == capture)) {
    target->Perform(CM_MOUSEENTER);
    if (mouseControl == target) TrackLeave(target, screenPos);
  }
  if (mouseControl == target) Tell(target);
}

TControl* GetMouseControl() { return mouseControl; }

void MouseControlPartChanged() {
  if (mouseControl) Tell(mouseControl);
}

void ControlGoingAway(TControl* control) {
  if (mouseControl != control) return;
  mouseControl = nullptr;
  Tell(nullptr);
}

void SetMouseControlListener(std::function<void(TControl*)> listener) { Listener() = std::move(listener); }

}  // namespace fw
