#include "framework/graphics/brush.h"

namespace fw {

void TBrush::Assign(const TPersistent* source) {
  auto* brush = dynamic_cast<const TBrush*>(source);
  if (!brush) {
    TGraphicsObject::Assign(source);
    return;
  }
  if (brush == this) return;
  FColor = brush->FColor;
  FStyle = brush->FStyle;
  Changed();
}

void TBrush::SetColor(TColor color) {
  if (color == FColor) return;
  FColor = color;
  Changed();
}

void TBrush::SetStyle(TBrushStyle style) {
  if (style == FStyle) return;
  FStyle = style;
  Changed();
}

HBRUSH TBrush::GetHandle() {
  if (!FHandle) {
    if (FStyle == bsClear) {
      FHandle = ::GetStockObject(NULL_BRUSH);
      FOwnsHandle = false;
    } else {
      FHandle = ::CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(FColor)));
      FOwnsHandle = true;
    }
  }
  return static_cast<HBRUSH>(FHandle);
}

}  // namespace fw
