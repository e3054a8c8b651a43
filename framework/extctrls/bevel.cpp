#include "framework/extctrls/bevel.h"

#include "framework/stdctrls/text_painter.h"

namespace fw {

TBevel::TBevel(TComponent* owner) : TGraphicControl(owner) {
  FWidth = 50;
  FHeight = 50;
}

void TBevel::SetShape(TBevelShape v) {
  FShape = v;
  Invalidate();
}

void TBevel::SetStyle(TBevelStyle v) {
  FStyle = v;
  Invalidate();
}

void TBevel::Paint() {
  HDC dc = GetCanvas()->GetHandle();
  TColor first = FStyle == bsLowered ? clBtnShadow : clBtnHighlight;
  TColor second = FStyle == bsLowered ? clBtnHighlight : clBtnShadow;
  TRect r = GetClientRect();
  int w = r.Width(), h = r.Height();
  auto line = [dc](int l, int t, int right, int bottom, TColor color) {
    TRect rr(l, t, right, bottom);
    TColor c = color;
    Frame3D(dc, rr, c, c, 1);
  };
  switch (FShape) {
    case bsBox:
      Frame3D(dc, r, first, second, 1);
      break;
    case bsFrame: {
      TRect outer(0, 0, w - 1, h - 1);
      Frame3D(dc, outer, first, first, 1);
      TRect inner(1, 1, w, h);
      Frame3D(dc, inner, second, second, 1);
      break;
    }
    case bsTopLine:
      line(0, 0, w, 1, first);
      line(0, 1, w, 2, second);
      break;
    case bsBottomLine:
      line(0, h - 2, w, h - 1, first);
      line(0, h - 1, w, h, second);
      break;
    case bsLeftLine:
      line(0, 0, 1, h, first);
      line(1, 0, 2, h, second);
      break;
    case bsRightLine:
      line(w - 2, 0, w - 1, h, first);
      line(w - 1, 0, w, h, second);
      break;
    default:
      break;
  }
}

}  // namespace fw
