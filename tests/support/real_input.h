// Keys and clicks given through the system's input queue, as a hand gives them: they reach the
// window that has the focus (or lies under the pointer) when the loop takes them.
#pragma once
#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "framework/controls/win_control.h"

namespace testing_input {

// Each key pressed and released through the input queue, in order.
inline void SendKeys(const std::vector<WORD>& keys) {
  std::vector<INPUT> inputs;
  for (WORD key : keys)
    for (DWORD flags : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}}) {
      INPUT input{};
      input.type = INPUT_KEYBOARD;
      input.ki.wVk = key;
      input.ki.dwFlags = flags;
      inputs.push_back(input);
    }
  EXPECT_EQ(SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)), inputs.size());
}

// Left button presses and releases through the input queue, in this order, at the pointer.
inline void SendLeftButtons(std::initializer_list<DWORD> flags) {
  std::vector<INPUT> inputs;
  for (DWORD flag : flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flag;
    inputs.push_back(input);
  }
  EXPECT_EQ(SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)), inputs.size());
}

// A left click through the input queue, at the pointer.
inline void SendClick() { SendLeftButtons({MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP}); }

// The screen point at the middle of a control, windowless or not.
inline POINT MiddleOf(fw::TControl* control) {
  auto* windowed = dynamic_cast<fw::TWinControl*>(control);
  HWND wnd = windowed ? windowed->GetHandle() : control->GetParent()->GetHandle();
  POINT at{control->GetWidth() / 2 + (windowed ? 0 : control->GetLeft()),
           control->GetHeight() / 2 + (windowed ? 0 : control->GetTop())};
  ClientToScreen(wnd, &at);
  return at;
}

}  // namespace testing_input
