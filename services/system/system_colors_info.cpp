#include "services/system/system_colors_info.h"

#include "framework/win.h"

namespace svc {

int TDsSystemColorsInfo::GetColor(int index) const { return static_cast<int>(GetSysColor(index)); }

void TDsSystemColorsInfo::SetColor(int index, int value) {
  if (!CanWrite()) return;
  const COLORREF color = static_cast<COLORREF>(value);
  SetSysColors(1, &index, &color);
}

}  // namespace svc
