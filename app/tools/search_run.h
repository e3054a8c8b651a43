// TSearchRun: one run of a tool's search on the main window. While it lives the tool's
// controls are disabled and its Stop control enabled, the status bar's animation plays, and
// Pump lets window messages through at most once per interval, so the window repaints and
// Stop can be pressed. When it ends, however the search is left (exceptions included), the
// controls are enabled again, Stop disabled and the animation stopped.
#pragma once
#include <functional>
#include <initializer_list>
#include <vector>

#include "framework/comctrls/animate.h"
#include "framework/controls/control.h"
#include "framework/win.h"

namespace app {

class TSearchRun {
 public:
  // Any of animation and stop may be null; interval 0 lets messages through at every Pump.
  TSearchRun(fw::TAnimate* animation, std::initializer_list<fw::TControl*> controls, fw::TControl* stop,
             DWORD interval);
  ~TSearchRun();
  TSearchRun(const TSearchRun&) = delete;
  TSearchRun& operator=(const TSearchRun&) = delete;

  // Runs just before messages are let through (to show what the search found so far).
  std::function<void()> OnPump;
  // Runs last when the run ends, after the controls were given back.
  std::function<void()> OnEnd;

  // Lets pending window messages through when the interval has passed since the last time
  // (or the run began); always when forced.
  void Pump(bool force = false);

 private:
  fw::TAnimate* FAnimation;
  std::vector<fw::TControl*> FControls;
  fw::TControl* FStop;
  DWORD FInterval;
  DWORD FLastPump;
};

}  // namespace app
