// Real input on the rows of a list view with check boxes, as the user gives it: a mouse click
// on a row's check box, and the space bar on a focused row. Each lets the window's messages
// through afterwards.
#pragma once
#include <gtest/gtest.h>

#include "framework/comctrls/list_view.h"
#include "framework/forms/application.h"

namespace testing_support {

inline void PumpMessages() {
  for (int i = 0; i < 5; ++i) {
    fw::Application->ProcessMessages();
    Sleep(5);
  }
}

inline void ClickCheckBox(fw::TCustomListView* list, fw::TListItem* item) {
  item->MakeVisible(false);
  PumpMessages();
  fw::TRect r = item->DisplayRect(LVIR_BOUNDS);
  int y = (r.Top + r.Bottom) / 2;
  int x = r.Left;
  while (x < r.Right && !list->GetHitTestInfoAt(x, y).Contains(fw::htOnStateIcon)) ++x;
  ASSERT_LT(x, r.Right) << "no check box";
  HWND wnd = list->GetHandle();
  PostMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x + 3, y));
  PostMessageA(wnd, WM_LBUTTONUP, 0, MAKELPARAM(x + 3, y));
  PumpMessages();
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
