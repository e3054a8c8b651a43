#include "framework/extctrls/splitter.h"

#include "framework/controls/win_control.h"

namespace fw {

TSplitter::TSplitter(TComponent* owner) : TGraphicControl(owner) {
  FControlStyle = TControlStyle{csCaptureMouse};
  FWidth = 3;
  FHeight = 100;
  SetAlign(alLeft);
  SetCursor(crHSplit);
}

void TSplitter::SetBeveled(bool v) {
  FBeveled = v;
  Invalidate();
}

TControl* TSplitter::FindControl() const {
  if (!FParent) return nullptr;
  TAlign align = GetAlign();
  for (int i = 0; i < FParent->GetControlCount(); ++i) {
    TControl* c = FParent->GetControls(i);
    if (c == this || !c->GetVisible() || c->GetAlign() != align) continue;
    bool touches = false;
    switch (align) {
      case alLeft: touches = c->GetLeft() + c->GetWidth() == FLeft; break;
      case alRight: touches = c->GetLeft() == FLeft + FWidth; break;
      case alTop: touches = c->GetTop() + c->GetHeight() == FTop; break;
      case alBottom: touches = c->GetTop() == FTop + FHeight; break;
      default: break;
    }
    if (touches) return c;
  }
  return nullptr;
}

void TSplitter::Paint() {
  SetCursor(Horizontal() ? crHSplit : crVSplit);
  HDC dc = GetCanvas()->GetHandle();
  TRect r = GetClientRect();
  HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(FColor)));
  FillRect(dc, AsRECT(r), brush);
  DeleteObject(brush);
  if (FBeveled) DrawEdge(dc, AsRECT(r), BDR_RAISEDINNER, BF_RECT);
}

void TSplitter::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseDown(button, shift, x, y);
  if (button != mbLeft) return;
  FControl = FindControl();
  FDownPos = ClientToScreen(TPoint(x, y));
  if (FControl) FStartSize = Horizontal() ? FControl->GetWidth() : FControl->GetHeight();
}

void TSplitter::MouseMove(TShiftState shift, int x, int y) {
  TGraphicControl::MouseMove(shift, x, y);
  if (!FControl || !GetControlState().Contains(csLButtonDown) || FResizeStyle == rsNone) return;
  TPoint p = ClientToScreen(TPoint(x, y));
  int delta = Horizontal() ? p.X - FDownPos.X : p.Y - FDownPos.Y;
  if (GetAlign() == alRight || GetAlign() == alBottom) delta = -delta;
  int size = FStartSize + delta;
  if (size < FMinSize) size = FAutoSnap && size < FMinSize / 2 ? 0 : FMinSize;
  bool accept = true;
  if (OnCanResize) OnCanResize(this, size, accept);
  if (!accept) return;
  int current = Horizontal() ? FControl->GetWidth() : FControl->GetHeight();
  if (size == current) return;
  if (Horizontal()) {
    FControl->SetWidth(size);
  } else {
    FControl->SetHeight(size);
  }
}

void TSplitter::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  bool moved = FControl && button == mbLeft;
  FControl = nullptr;
  TGraphicControl::MouseUp(button, shift, x, y);
  if (moved && OnMoved) OnMoved(this);
}

void TSplitter::Dispatch(TMessage& msg) {
  if (msg.Msg == CM_VISIBLECHANGED || msg.Msg == CM_ENABLEDCHANGED) Invalidate();
  TGraphicControl::Dispatch(msg);
}

}  // namespace fw
