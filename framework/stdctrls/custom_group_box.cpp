#include "framework/stdctrls/custom_group_box.h"

#include "framework/stdctrls/text_painter.h"

namespace fw {

TCustomGroupBox::TCustomGroupBox(TComponent* owner) : TCustomControl(owner) {
  FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  FWidth = 185;
  FHeight = 105;
}

void TCustomGroupBox::AdjustClientRect(TRect& rect) {
  TCustomControl::AdjustClientRect(rect);
  rect.Top += FontTextHeight(GetFont());
  InflateRect(AsRECT(rect), -2, -2);
}

void TCustomGroupBox::Paint() {
  HDC dc = GetCanvas()->GetHandle();
  TRect client = GetClientRect();
  HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(FColor)));
  FillRect(dc, AsRECT(client), brush);
  TTextPainter painter(dc, GetFont());
  int h = painter.Extent("0").cy;
  TRect frame(client.Left, client.Top + h / 2, client.Right, client.Bottom);
  DrawEdge(dc, AsRECT(frame), EDGE_ETCHED, BF_RECT);
  std::string text = GetCaption();
  if (!text.empty()) {
    TRect r(8, 0, 0, h);
    painter.Draw(text, r, DT_CALCRECT | DT_SINGLELINE);
    r.Left -= 1;
    r.Right += 1;
    FillRect(dc, AsRECT(r), brush);
    r.Left += 1;
    if (FEnabled) {
      painter.Draw(text, r, DT_SINGLELINE);
    } else {
      painter.DrawDisabled(text, r, DT_SINGLELINE);
    }
  }
  DeleteObject(brush);
}

void TCustomGroupBox::Dispatch(TMessage& msg) {
  switch (msg.Msg) {
    case CM_TEXTCHANGED:
      Invalidate();
      break;
    case CM_FONTCHANGED:
      Realign();
      Invalidate();
      break;
    default:
      break;
  }
  TCustomControl::Dispatch(msg);
}

}  // namespace fw
