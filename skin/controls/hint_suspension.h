// TkHintSuspension: switches the application's hints off while a button is held (so that no
// hint pops up over a pressed button or its drop-down menu) and gives them back exactly once,
// however the press ends: mouse-up, capture lost, menu closed or the button destroyed. The
// suspensions of all buttons count together: the first saves the application's ShowHint, the
// last one to end gives it back, so overlapping presses cannot keep a switched-off value.
#pragma once

namespace skin {

class TkHintSuspension {
 public:
  TkHintSuspension() = default;
  TkHintSuspension(const TkHintSuspension&) = delete;
  TkHintSuspension& operator=(const TkHintSuspension&) = delete;
  ~TkHintSuspension() { Restore(); }

  // Switches hints off; nothing while this holder's suspension is pending.
  void Suspend();
  // Ends this holder's suspension; nothing when none is pending.
  void Restore();
  bool Pending() const { return FPending; }

 private:
  bool FPending = false;
};

}  // namespace skin
