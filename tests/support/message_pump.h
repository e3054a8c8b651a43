// Runs the thread's messages while a test waits for something the message loop brings.
#pragma once
#include <chrono>

#include "framework/win.h"

namespace testing_pump {

// Runs the messages until done() or the time-out; true when done() came true.
template <class Done>
bool PumpUntil(Done done, int milliseconds = 3000) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  for (;;) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (done()) return true;
    if (std::chrono::steady_clock::now() > deadline) return false;
    Sleep(5);
  }
}

// Runs the messages for a while.
inline void Pump(int milliseconds) {
  PumpUntil([] { return false; }, milliseconds);
}

}  // namespace testing_pump
