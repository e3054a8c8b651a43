#include "framework/forms/frame.h"

namespace fw {

TCustomFrame::TCustomFrame(TComponent* owner) : TScrollingWinControl(owner) {
  FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  StoreBounds(0, 0, 320, 240);
  SetAutoScroll(true);
}

void TCustomFrame::AfterConstruction() {
  TScrollingWinControl::AfterConstruction();
  RunLayout([this] { CreateComponents(); });
}

}  // namespace fw
