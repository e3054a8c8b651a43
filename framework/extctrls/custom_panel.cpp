#include "framework/extctrls/custom_panel.h"

namespace fw {

namespace {
void PaintBevel(HDC dc, TRect& rect, TPanelBevel bevel, int width) {
  if (bevel == bvNone) return;
  TColor top = bevel == bvLowered ? clBtnShadow : clBtnHighlight;
  TColor bottom = bevel == bvLowered ? clBtnHighlight : clBtnShadow;
  if (bevel == bvSpace) top = bottom = clBtnFace;
  Frame3D(dc, rect, top, bottom, width);
}
}  // namespace

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner) {
  FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csOpaque,
                                csDoubleClicks};
  FWidth = 185;
  FHeight = 41;
  SetParentColor(false);
  FColor = clBtnFace;
}

void TCustomPanel::SetAlignment(TAlignment v) {
  FAlignment = v;
  Invalidate();
}

void TCustomPanel::SetBevelInner(TPanelBevel v) {
  FBevelInner = v;
  BordersChanged();
}

void TCustomPanel::SetBevelOuter(TPanelBevel v) {
  FBevelOuter = v;
  BordersChanged();
}

void TCustomPanel::SetBevelWidth(int v) {
  FBevelWidth = v;
  BordersChanged();
}

void TCustomPanel::SetBorderWidth(int v) {
  FBorderWidth = v;
  BordersChanged();
}

void TCustomPanel::BordersChanged() {
  Realign();
  Invalidate();
}

void TCustomPanel::AdjustClientRect(TRect& rect) {
  TCustomControl::AdjustClientRect(rect);
  int inset = FBorderWidth;
  if (FBevelOuter != bvNone) inset += FBevelWidth;
  if (FBevelInner != bvNone) inset += FBevelWidth;
  InflateRect(AsRECT(rect), -inset, -inset);
}

void TCustomPanel::Paint() {
  HDC dc = GetCanvas()->GetHandle();
  TRect rect = GetClientRect();
  PaintBevel(dc, rect, FBevelOuter, FBevelWidth);
  Frame3D(dc, rect, FColor, FColor, FBorderWidth);
  PaintBevel(dc, rect, FBevelInner, FBevelWidth);
  HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(FColor)));
  FillRect(dc, AsRECT(rect), brush);
  DeleteObject(brush);
  std::string text = GetCaption();
  if (text.empty()) return;
  TTextPainter painter(dc, GetFont());
  UINT flags = DT_EXPANDTABS | DT_SINGLELINE | DT_VCENTER | AlignmentFlags(FAlignment);
  if (FEnabled) {
    painter.Draw(text, rect, flags);
  } else {
    painter.DrawDisabled(text, rect, flags);
  }
}

void TCustomPanel::Dispatch(TMessage& msg) {
  if (msg.Msg == CM_TEXTCHANGED) Invalidate();
  TCustomControl::Dispatch(msg);
}

}  // namespace fw
