#include "support/alt_space_hand.h"

#include <gtest/gtest.h>

#include <vector>

#include "framework/forms/application.h"
#include "support/process_windows.h"

namespace testing_keys {

namespace {

INPUT Key(WORD key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

void Send(std::vector<INPUT> inputs) {
  EXPECT_EQ(SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)), inputs.size());
}

// The shown popup menu window of this process, null when there is none.
HWND ShownMenuWindow() {
  return testing_process::WindowOf(GetCurrentProcessId(), [](HWND window) {
    return IsWindowVisible(window) && testing_process::ClassOf(window) == "#32768";
  });
}

// Waits up to milliseconds for wanted(); true when it came.
template <class Wanted>
bool WaitFor(Wanted wanted, int milliseconds) {
  for (int waited = 0; waited < milliseconds; waited += 10) {
    if (wanted()) return true;
    Sleep(10);
  }
  return wanted();
}

}  // namespace

TAltSpaceHand::TAltSpaceHand(TAltRelease order, DWORD delay)
    : FGuiThread(GetCurrentThreadId()), FThread([this, order, delay] { Run(order, delay); }) {}

TAltSpaceHand::~TAltSpaceHand() {
  if (FThread.joinable()) FThread.join();
}

void TAltSpaceHand::Run(TAltRelease order, DWORD delay) {
  Sleep(delay);
  if (order == TAltRelease::AltAlone)
    Send({Key(VK_MENU, false), Key(VK_MENU, true)});
  else if (order == TAltRelease::AfterSpace)
    Send({Key(VK_MENU, false), Key(VK_SPACE, false), Key(VK_SPACE, true), Key(VK_MENU, true)});
  else
    Send({Key(VK_MENU, false), Key(VK_SPACE, false), Key(VK_MENU, true), Key(VK_SPACE, true)});
  if (WaitFor([] { return ShownMenuWindow() != nullptr; }, 500)) {
    DWORD_PTR menu = 0;
    SendMessageTimeoutA(ShownMenuWindow(), MN_GETHMENU, 0, 0, SMTO_ABORTIFHUNG, 1000, &menu);
    FMenu = reinterpret_cast<HMENU>(menu);
  }
  // Escape closes the menu; the system's window menu leaves its thread in menu mode on the
  // caption after that, which a second Escape ends. No Escape reaches a window outside it.
  for (int i = 0; i < 3 && InMenuMode(); ++i) {
    Send({Key(VK_ESCAPE, false), Key(VK_ESCAPE, true)});
    WaitFor([this] { return !InMenuMode(); }, 500);
  }
  EXPECT_FALSE(InMenuMode()) << "the window menu stayed open";
  // Whatever the keys started has its time to show.
  Sleep(300);
  FDone = true;
}

bool TAltSpaceHand::InMenuMode() const {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(FGuiThread, &info) && (info.flags & GUI_INMENUMODE) != 0;
}

bool TAltSpaceHand::PumpUntilDone(int milliseconds) {
  const DWORD start = GetTickCount();
  while (!FDone && static_cast<int>(GetTickCount() - start) < milliseconds) {
    fw::Application->ProcessMessages();
    Sleep(5);
  }
  fw::Application->ProcessMessages();
  return FDone;
}

}  // namespace testing_keys
