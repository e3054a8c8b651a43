#include "framework/stdctrls/custom_label.h"

#include <optional>

#include "framework/controls/win_control.h"
#include "framework/sys/owned_handle.h"

namespace fw {

TCustomLabel::TCustomLabel(TComponent* owner) : TGraphicControl(owner) {
  FControlStyle.Include(csOpaque);
  FAutoSize = true;
  FWidth = 65;
  FHeight = 17;
}

void TCustomLabel::SetAlignment(TAlignment v) {
  if (v == FAlignment) return;
  FAlignment = v;
  Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout v) {
  if (v == FLayout) return;
  FLayout = v;
  Invalidate();
}

void TCustomLabel::SetWordWrap(bool v) {
  if (v == FWordWrap) return;
  FWordWrap = v;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetTransparent(bool v) {
  if (v == GetTransparent()) return;
  if (v) {
    FControlStyle.Exclude(csOpaque);
  } else {
    FControlStyle.Include(csOpaque);
  }
  Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool v) {
  if (v == FShowAccelChar) return;
  FShowAccelChar = v;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl* control) {
  if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
  FFocusControl = control;
  if (control) control->FreeNotification(this);
}

void TCustomLabel::SetAutoSize(bool v) {
  TGraphicControl::SetAutoSize(v);
  AdjustBounds();
}

void TCustomLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

void TCustomLabel::Notification(TComponent* component, TOperation operation) {
  TGraphicControl::Notification(component, operation);
  if (operation == opRemove && component == FFocusControl) FFocusControl = nullptr;
}

void TCustomLabel::DoDrawText(TRect& rect, UINT flags) {
  std::string text = GetLabelText();
  if ((flags & DT_CALCRECT) && (text.empty() || (FShowAccelChar && text == "&"))) text += ' ';
  if (!FShowAccelChar) flags |= DT_NOPREFIX;
  std::optional<TWindowDC> screen;
  if (!FDrawDC) screen.emplace();
  TTextPainter painter(FDrawDC ? FDrawDC : screen->Get(), GetFont());
  if ((flags & DT_CALCRECT) || FEnabled) {
    painter.Draw(text, rect, flags);
  } else {
    painter.DrawDisabled(text, rect, flags);
  }
}

void TCustomLabel::Paint() {
  HDC dc = GetCanvas()->GetHandle();
  TRect rect = GetClientRect();
  if (!GetTransparent()) {
    HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(FColor)));
    FillRect(dc, AsRECT(rect), brush);
    DeleteObject(brush);
  }
  UINT flags = DT_EXPANDTABS | (FWordWrap ? DT_WORDBREAK : 0) | AlignmentFlags(FAlignment);
  FDrawDC = dc;
  struct TReset {
    HDC& Dc;
    ~TReset() { Dc = nullptr; }
  } reset{FDrawDC};
  if (FLayout != tlTop) {
    TRect calc = rect;
    DoDrawText(calc, flags | DT_CALCRECT);
    int offset = rect.Height() - calc.Height();
    rect.Top += FLayout == tlBottom ? offset : offset / 2;
  }
  DoDrawText(rect, flags);
}

void TCustomLabel::AdjustBounds() {
  if (!FAutoSize || GetComponentState().Contains(csLoading)) return;
  TRect rect = GetClientRect();
  DoDrawText(rect, DT_EXPANDTABS | DT_CALCRECT | (FWordWrap ? DT_WORDBREAK : 0));
  int left = FLeft;
  if (FAlignment == taRightJustify) left += FWidth - rect.Right;
  if (FAlignment == taCenter) left += (FWidth - rect.Right) / 2;
  SetBounds(left, FTop, rect.Right, rect.Bottom);
}

void TCustomLabel::Dispatch(TMessage& msg) {
  switch (msg.Msg) {
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
      Invalidate();
      AdjustBounds();
      break;
    case CM_DIALOGCHAR:
      if (FFocusControl && FEnabled && FShowAccelChar && IsAccel(static_cast<char>(msg.WParam), GetCaption()) &&
          FFocusControl->CanFocus()) {
        FFocusControl->SetFocus();
        msg.Result = 1;
        return;
      }
      break;
    default:
      break;
  }
  TGraphicControl::Dispatch(msg);
}

}  // namespace fw
