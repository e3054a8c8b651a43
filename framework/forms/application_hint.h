// The application's one hint window: a tooltip in tracking mode that shows the Hint of the
// control under the mouse (windowless ones included) after the application's HintPause,
// when Application.ShowHint and the control's ShowHint allow it. The control may change the
// hint's text and position (or refuse it) on CM_HINTSHOW.
#pragma once
#include <string>

#include "framework/controls/control.h"

namespace fw {

// What CM_HINTSHOW hands the control under the mouse (LParam): the control may change the text
// and the screen position of its hint, or answer 1 for no hint.
struct THintInfo {
  TControl* HintControl = nullptr;
  TPoint CursorPos;  // in the control's client coordinates
  std::string HintStr;
  TPoint HintPos;  // screen position of the hint
};

// The short part of a hint ("short|long" gives "short").
std::string GetShortHint(const std::string& hint);

class TApplicationHint {
 public:
  explicit TApplicationHint(HWND owner) : FOwner(owner) {}
  ~TApplicationHint();
  TApplicationHint(const TApplicationHint&) = delete;
  TApplicationHint& operator=(const TApplicationHint&) = delete;

  // The mouse moved to another control: hide the hint and wait HintPause for the next one.
  void MouseControlChanged(TControl* control, bool enabled, int pause);
  // The pause is over: show the hint of the control still under the mouse.
  void PauseElapsed(TControl* mouseControl);
  void Hide();
  HWND GetHandle() const { return FTip; }

  static constexpr UINT_PTR kTimerId = 0x4854;

 private:
  HWND FOwner;
  HWND FTip = nullptr;
  TControl* FPending = nullptr;
};

}  // namespace fw
