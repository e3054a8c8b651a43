#include "framework/controls/custom_control.h"

namespace fw {

TCustomControl::TCustomControl(TComponent* owner)
    : TWinControl(owner), FCanvas(std::make_unique<TControlCanvas>(this)) {}

TCustomControl::~TCustomControl() = default;

void TCustomControl::DestroyWnd() {
  FCanvas->FreeHandle();
  TWinControl::DestroyWnd();
}

void TCustomControl::PaintWindow(HDC dc) {
  TCanvasLoan loan(FCanvas.get(), dc);
  Paint();
}

void TCustomControl::Dispatch(TMessage& msg) {
  if (msg.Msg == WM_PAINT) {
    FControlState.Include(csCustomPaint);
    struct TClear {
      TControlState& State;
      ~TClear() { State.Exclude(csCustomPaint); }
    } clear{FControlState};
    TWinControl::Dispatch(msg);
    return;
  }
  TWinControl::Dispatch(msg);
}

}  // namespace fw
