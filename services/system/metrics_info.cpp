#include "services/system/metrics_info.h"

#include "framework/win.h"

namespace svc {

TDsWindowsArrange ArrangeFromValue(int value) {
  if (value & 8) return {waHide};
  if (value & 4) return {waUp, waBottomLeft};
  return {waRight, waBottomLeft};
}

int ArrangeToValue(TDsWindowsArrange arrange) {
  static const int kValues[] = {4, 0, 0, 4, 0, 1, 8, 2, 3};  // in the order of TDsWindowsArrangeItem
  int value = 0;
  for (int i = 0; i <= waTopRight; ++i)
    if (arrange.Contains(static_cast<TDsWindowsArrangeItem>(i))) value |= kValues[i];
  return value;
}

int TDsMetricsInfo::GetIntMetric(int index) const { return GetSystemMetrics(index); }
TDsWindowsArrange TDsMetricsInfo::GetArrange() const { return ArrangeFromValue(GetSystemMetrics(SM_ARRANGE)); }

TDsCleanBoot TDsMetricsInfo::GetCleanBoot() const {
  const int boot = GetSystemMetrics(SM_CLEANBOOT);
  return boot == 1 ? cbFailSafe : boot == 2 ? cbFailSafeNetwork : cbNormal;
}

int TDsMetricsInfo::GetCaretBlinkTime() const { return static_cast<int>(::GetCaretBlinkTime()); }

int TDsMetricsInfo::GetCaretX() const {
  POINT p{};
  return GetCaretPos(&p) ? p.x : 0;
}

int TDsMetricsInfo::GetCaretY() const {
  POINT p{};
  return GetCaretPos(&p) ? p.y : 0;
}

int TDsMetricsInfo::GetCursorX() const {
  POINT p{};
  return GetCursorPos(&p) ? p.x : 0;
}

int TDsMetricsInfo::GetCursorY() const {
  POINT p{};
  return GetCursorPos(&p) ? p.y : 0;
}

int TDsMetricsInfo::GetCodePageANSI() const { return static_cast<int>(GetACP()); }
int TDsMetricsInfo::GetCodePageOEM() const { return static_cast<int>(GetOEMCP()); }
int TDsMetricsInfo::GetDialogBaseUnits() const { return static_cast<int>(::GetDialogBaseUnits()); }
int TDsMetricsInfo::GetDoubleClickTime() const { return static_cast<int>(::GetDoubleClickTime()); }

}  // namespace svc
