#include "framework/buttons/bit_btn.h"

namespace fw {

TBitBtn::TBitBtn(TComponent* owner) : TGlyphButton<TButton>(owner) {}

void TBitBtn::CreateParams(TCreateParams& params) {
  TButton::CreateParams(params);
  params.Style = (params.Style & ~static_cast<DWORD>(BS_DEFPUSHBUTTON)) | BS_OWNERDRAW;
}

void TBitBtn::DrawItem(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  TRect rect = item.rcItem;
  bool pressed = item.itemState & ODS_SELECTED;
  bool focused = item.itemState & ODS_FOCUS;
  bool isDefault = focused || (GetDefault() && IsActive());
  if (isDefault) {
    HBRUSH frame = GetSysColorBrush(COLOR_WINDOWFRAME);
    FrameRect(dc, AsRECT(rect), frame);
    InflateRect(AsRECT(rect), -1, -1);
  }
  UINT frameState = DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0);
  DrawFrameControl(dc, AsRECT(rect), DFC_BUTTON, frameState);
  TButtonState state = !FEnabled ? bsDisabled : pressed ? bsDown : bsUp;
  TPoint offset = pressed ? TPoint(1, 1) : TPoint(0, 0);
  TRect client = rect;
  InflateRect(AsRECT(client), -2, -2);
  DrawGlyph(dc, client, offset, state);
  if (focused) {
    TRect focus = rect;
    InflateRect(AsRECT(focus), -3, -3);
    DrawFocusRect(dc, AsRECT(focus));
  }
}

void TBitBtn::Dispatch(TMessage& msg) {
  switch (msg.Msg) {
    case CN_DRAWITEM:
      DrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(msg.LParam));
      msg.Result = 1;
      return;
    case CM_ENABLEDCHANGED:
      Invalidate();
      break;
    default:
      break;
  }
  TGlyphButton<TButton>::Dispatch(msg);
}

}  // namespace fw
