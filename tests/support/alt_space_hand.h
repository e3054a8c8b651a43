// Alt+Space (or Alt alone) given through the system's input queue from another thread, as a hand
// gives it, while the GUI thread goes on with whatever it runs (a form's modal loop, the
// application's message loop). A window menu that the keys open is noted and closed again with
// Escape.
#pragma once
#include <atomic>
#include <thread>

#include "framework/win.h"

namespace testing_keys {

// Which key the hand lets go of first; AltAlone presses and lets go of Alt with no Space at all.
enum class TAltRelease { AfterSpace, BeforeSpace, AltAlone };

class TAltSpaceHand {
 public:
  // After delay ms: Alt down, Space down, then both released in the order given (Alt down and up
  // for AltAlone).
  explicit TAltSpaceHand(TAltRelease order, DWORD delay = 200);
  ~TAltSpaceHand();
  TAltSpaceHand(const TAltSpaceHand&) = delete;
  TAltSpaceHand& operator=(const TAltSpaceHand&) = delete;

  // True once the keys are given, a menu they opened is closed and the queue had time to settle.
  bool Done() const { return FDone; }
  // The menu the keys opened, as its window names it; null when none showed.
  HMENU Menu() const { return FMenu; }
  // Runs the application's message loop until the hand is done; false when it never was.
  bool PumpUntilDone(int milliseconds = 5000);

 private:
  void Run(TAltRelease order, DWORD delay);
  // True while the GUI thread tracks a menu.
  bool InMenuMode() const;

  const DWORD FGuiThread;
  std::atomic<bool> FDone{false};
  std::atomic<HMENU> FMenu{nullptr};
  std::thread FThread;
};

}  // namespace testing_keys
