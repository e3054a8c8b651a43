#include "framework/buttons/speed_button.h"

#include "framework/controls/win_control.h"

namespace fw {

TSpeedButton::TSpeedButton(TComponent* owner) : TGlyphButton<TGraphicControl>(owner) {
  FControlStyle = TControlStyle{csCaptureMouse, csDoubleClicks};
  FWidth = 23;
  FHeight = 22;
}

TSpeedButton::~TSpeedButton() = default;

void TSpeedButton::Notification(TComponent* component, TOperation operation) {
  TGraphicControl::Notification(component, operation);
  if (operation == opRemove && component == FGlyph.GetImages()) FGlyph.SetImages(nullptr);
}

void TSpeedButton::SetImages(TCustomImageList* images) {
  if (FGlyph.GetImages()) FGlyph.GetImages()->RemoveFreeNotification(this);
  FGlyph.SetImages(images);
  if (images) images->FreeNotification(this);
  Invalidate();
}

void TSpeedButton::SetImageIndex(int v) {
  FGlyph.SetImageIndex(v);
  Invalidate();
}

void TSpeedButton::SetFlat(bool v) {
  FFlat = v;
  Invalidate();
}

void TSpeedButton::SetTransparent(bool v) {
  FTransparent = v;
  Invalidate();
}

void TSpeedButton::UpState() {
  FState = FDown ? bsExclusive : bsUp;
  if (!FEnabled) FState = bsDisabled;
}

void TSpeedButton::SetDown(bool v) {
  if (FGroupIndex == 0) v = false;
  if (v == FDown) return;
  if (FDown && !FAllowAllUp) return;
  FDown = v;
  if (!FDragging) UpState();
  Invalidate();
  if (v) UpdateExclusive();
}

void TSpeedButton::SetGroupIndex(int v) {
  FGroupIndex = v;
  if (v == 0) {
    FDown = false;
    UpState();
    Invalidate();
  } else {
    UpdateExclusive();
  }
}

void TSpeedButton::SetAllowAllUp(bool v) {
  FAllowAllUp = v;
  UpdateExclusive();
}

void TSpeedButton::UpdateExclusive() {
  if (FGroupIndex == 0 || !FParent) return;
  for (int i = 0; i < FParent->GetControlCount(); ++i) {
    auto* other = dynamic_cast<TSpeedButton*>(FParent->GetControls(i));
    if (!other || other == this || other->FGroupIndex != FGroupIndex) continue;
    if (FDown && other->FDown) {
      other->FDown = false;
      other->UpState();
      other->Invalidate();
    }
    other->FAllowAllUp = FAllowAllUp;
  }
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseDown(button, shift, x, y);
  if (button != mbLeft || !FEnabled) return;
  if (!FDown) {
    FState = bsDown;
    Invalidate();
  }
  FDragging = true;
}

void TSpeedButton::MouseMove(TShiftState shift, int x, int y) {
  TGraphicControl::MouseMove(shift, x, y);
  if (!FDragging) return;
  bool inside = x >= 0 && x < FWidth && y >= 0 && y < FHeight;
  TButtonState state = inside ? (FDown ? bsExclusive : bsDown) : (FDown ? bsExclusive : bsUp);
  if (state != FState) {
    FState = state;
    Invalidate();
  }
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (FDragging && button == mbLeft) {
    FDragging = false;
    bool inside = x >= 0 && x < FWidth && y >= 0 && y < FHeight;
    if (FGroupIndex == 0) {
      FState = bsUp;
      Invalidate();
    } else if (inside) {
      SetDown(!FDown);
      UpState();
      Invalidate();
    } else {
      UpState();
      Invalidate();
    }
    if (inside) Click();
  }
  TGraphicControl::MouseUp(button, shift, x, y);
}

void TSpeedButton::Paint() {
  HDC dc = GetCanvas()->GetHandle();
  if (!FEnabled) {
    FState = bsDisabled;
  } else if (FState == bsDisabled) {
    UpState();
  }
  TRect rect = GetClientRect();
  bool pushed = FState == bsDown || FState == bsExclusive;
  if (!FFlat || !FTransparent || pushed) {
    HBRUSH face = CreateSolidBrush(static_cast<COLORREF>(
        ColorToRGB(FState == bsExclusive && !FMouseInControl ? clBtnHighlight : clBtnFace)));
    FillRect(dc, AsRECT(rect), face);
    DeleteObject(face);
  }
  if (FFlat) {
    if (pushed) {
      DrawEdge(dc, AsRECT(rect), BDR_SUNKENOUTER, BF_RECT);
    } else if (FMouseInControl && FEnabled) {
      DrawEdge(dc, AsRECT(rect), BDR_RAISEDINNER, BF_RECT);
    }
  } else {
    DrawEdge(dc, AsRECT(rect), pushed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
  }
  InflateRect(AsRECT(rect), -2, -2);
  TPoint offset = pushed ? TPoint(1, 1) : TPoint(0, 0);
  DrawGlyph(dc, rect, offset, FState);
}

void TSpeedButton::Dispatch(TMessage& msg) {
  switch (msg.Msg) {
    case CM_MOUSEENTER:
      if (!msg.LParam || msg.LParam == reinterpret_cast<LPARAM>(this)) {
        FMouseInControl = true;
        if (FFlat && FEnabled) Invalidate();
      }
      break;
    case CM_MOUSELEAVE:
      if (!msg.LParam || msg.LParam == reinterpret_cast<LPARAM>(this)) {
        FMouseInControl = false;
        if (FFlat && FEnabled) Invalidate();
      }
      break;
    case CM_ENABLEDCHANGED:
      UpState();
      Invalidate();
      break;
    default:
      break;
  }
  TGlyphButton<TGraphicControl>::Dispatch(msg);
}

}  // namespace fw
