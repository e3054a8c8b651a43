#include "framework/graphics/pen.h"

namespace fw {

void TPen::Assign(const TPersistent* source) {
  auto* pen = dynamic_cast<const TPen*>(source);
  if (!pen) {
    TGraphicsObject::Assign(source);
    return;
  }
  if (pen == this) return;
  FColor = pen->FColor;
  FWidth = pen->FWidth;
  FStyle = pen->FStyle;
  FMode = pen->FMode;
  Changed();
}

void TPen::SetColor(TColor color) {
  if (color == FColor) return;
  FColor = color;
  Changed();
}

void TPen::SetWidth(int width) {
  if (width < 0 || width == FWidth) return;
  FWidth = width;
  Changed();
}

void TPen::SetStyle(TPenStyle style) {
  if (style == FStyle) return;
  FStyle = style;
  Changed();
}

void TPen::SetMode(TPenMode mode) {
  if (mode == FMode) return;
  FMode = mode;
  Changed(false);
}

int TPen::GetRop2() const {
  switch (FMode) {
    case pmNot: return R2_NOT;
    case pmXor: return R2_XORPEN;
    default: return R2_COPYPEN;
  }
}

HPEN TPen::GetHandle() {
  if (!FHandle) {
    static const int kStyles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT,
                                  PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
    LOGPEN lp{};
    lp.lopnStyle = kStyles[FStyle];
    lp.lopnWidth.x = FWidth;
    lp.lopnColor = static_cast<COLORREF>(ColorToRGB(FColor));
    FHandle = ::CreatePenIndirect(&lp);
    FOwnsHandle = true;
  }
  return static_cast<HPEN>(FHandle);
}

}  // namespace fw
