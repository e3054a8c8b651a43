// TkHintSuspension: switches the application's hints off while a button is held (so that no
// hint pops up over a pressed button or its drop-down menu) and gives them back exactly once,
// however the press ends: mouse-up, capture lost, menu closed or the button destroyed.
#pragma once

namespace skin {

class TkHintSuspension {
 public:
  TkHintSuspension() = default;
  TkHintSuspension(const TkHintSuspension&) = delete;
  TkHintSuspension& operator=(const TkHintSuspension&) = delete;
  ~TkHintSuspension() { Restore(); }

  // Saves the application's ShowHint and switches hints off; nothing while a save is pending,
  // so a second press cannot save the switched-off value.
  void Suspend();
  // Gives the saved value back; nothing when no save is pending.
  void Restore();
  bool Pending() const { return FPending; }

 private:
  bool FPending = false;
  bool FSaved = true;
};

}  // namespace skin
