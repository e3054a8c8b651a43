// What makes a change of a shown window reach the screen in one step. Under Wine a top-level
// window is painted into an off-screen surface that reaches the screen when the thread next finds
// its message queue empty and, once the thread has been busy for 50 ms, at the end of every paint
// of any window: a page painted window by window after a long change would show half done.
#pragma once
#include "framework/win.h"

namespace fw {

// Brings the screen up to date with every window as it stands (a look at the message queue that
// takes nothing out of it), so that paints made in the next few milliseconds reach the screen
// together at the next idle moment.
void ShowScreenAsItIs();

// Holds the painting of a shown window and of its child windows while it lives: children may be
// made, shown, hidden, laid out and filled meanwhile, and nothing of it is painted. The release
// paints the client area and the children in full, once, under a cover showing the area as it
// was, which goes when the paint is done: the screen goes from the old picture to the new one.
// A hidden window, or one already held, is left to whoever shows or holds it.
class TPaintHold {
 public:
  explicit TPaintHold(HWND window);
  ~TPaintHold();
  TPaintHold(const TPaintHold&) = delete;
  TPaintHold& operator=(const TPaintHold&) = delete;

 private:
  HWND FWindow = nullptr;
};

}  // namespace fw
