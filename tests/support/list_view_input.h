// Real input on the rows of a list view with check boxes, as the user gives it: a mouse click
// on a row's check box, and the space bar on a focused row. Each lets the window's messages
// through afterwards.
#pragma once
#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "framework/comctrls/list_view.h"
#include "framework/forms/application.h"
#include "support/real_input.h"

namespace testing_support {

using testing_input::SendLeftButtons;

inline void PumpMessages() {
  for (int i = 0; i < 5; ++i) {
    fw::Application->ProcessMessages();
    Sleep(5);
  }
}

// The client point of the row's check box, the row scrolled into view.
inline POINT CheckBoxPoint(fw::TCustomListView* list, fw::TListItem* item) {
  item->MakeVisible(false);
  PumpMessages();
  fw::TRect r = item->DisplayRect(LVIR_BOUNDS);
  int y = (r.Top + r.Bottom) / 2;
  int x = r.Left;
  while (x < r.Right && !list->GetHitTestInfoAt(x, y).Contains(fw::htOnStateIcon)) ++x;
  EXPECT_LT(x, r.Right) << "no check box";
  return POINT{x + 3, y};
}

inline void ClickCheckBox(fw::TCustomListView* list, fw::TListItem* item) {
  POINT at = CheckBoxPoint(list, item);
  HWND wnd = list->GetHandle();
  PostMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
  PostMessageA(wnd, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
  PumpMessages();
}

// Puts the cursor on the row's check box, the given window in front, for input sent through
// the system's input queue.
inline void PointAtCheckBox(fw::TCustomListView* list, fw::TListItem* item, HWND foreground) {
  POINT at = CheckBoxPoint(list, item);
  ClientToScreen(list->GetHandle(), &at);
  SetForegroundWindow(foreground);
  SetCursorPos(at.x, at.y);
  PumpMessages();
  POINT cursor{};
  GetCursorPos(&cursor);
  EXPECT_EQ(WindowFromPoint(cursor), list->GetHandle());
}

inline void PressSpaceOn(fw::TCustomListView* list, fw::TListItem* item) {
  item->MakeVisible(false);
  item->SetSelected(true);
  item->SetFocused(true);
  list->SetFocus();
  PumpMessages();
  HWND wnd = list->GetHandle();
  PostMessageA(wnd, WM_KEYDOWN, VK_SPACE, 0x00390001);
  PostMessageA(wnd, WM_KEYUP, VK_SPACE, 0xC0390001);
  PumpMessages();
}

}  // namespace testing_support
