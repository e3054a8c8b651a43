#include "framework/controls/graphic_control.h"

namespace fw {

TGraphicControl::TGraphicControl(TComponent* owner)
    : TControl(owner), FCanvas(std::make_unique<TControlCanvas>(this)) {}

TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::Dispatch(TMessage& msg) {
  if (msg.Msg == WM_PAINT) {
    if (msg.WParam && !GetComponentState().Contains(csDestroying)) {
      TCanvasLoan loan(FCanvas.get(), reinterpret_cast<HDC>(msg.WParam));
      Paint();
    }
    return;
  }
  TControl::Dispatch(msg);
}

}  // namespace fw
