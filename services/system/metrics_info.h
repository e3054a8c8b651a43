// The system metrics by number, the window arrangement and a few related values. The metrics
// are read only: writing them has no effect.
#pragma once
#include "services/system/ds_info_base.h"
#include "services/system/system_info_types.h"

namespace svc {

class TDsMetricsInfo : public TDsWriteableInfo {
  FW_CLASS(TDsMetricsInfo, TDsWriteableInfo)
 public:
  // GetSystemMetrics(index), and whether it is not 0.
  int GetIntMetric(int index) const;
  bool GetBoolMetric(int index) const { return GetIntMetric(index) != 0; }

  int GetMouseButtons() const { return GetIntMetric(43); }
  int GetBorderWidth() const { return GetIntMetric(5); }
  int GetBorderHeight() const { return GetIntMetric(6); }
  int GetCursorWidth() const { return GetIntMetric(13); }
  int GetCursorHeight() const { return GetIntMetric(14); }
  int GetDialogFrameWidth() const { return GetIntMetric(7); }
  int GetDialogFrameHeight() const { return GetIntMetric(8); }
  int GetDoubleClickWidth() const { return GetIntMetric(36); }
  int GetDoubleClickHeight() const { return GetIntMetric(37); }
  int GetDragWidth() const { return GetIntMetric(68); }
  int GetDragHeight() const { return GetIntMetric(69); }
  int GetEdgeWidth() const { return GetIntMetric(45); }
  int GetEdgeHeight() const { return GetIntMetric(46); }
  int GetFixedFrameWidth() const { return GetIntMetric(7); }
  int GetFixedFrameHeight() const { return GetIntMetric(8); }
  int GetFrameWidth() const { return GetIntMetric(32); }
  int GetFrameHeight() const { return GetIntMetric(33); }
  int GetScreenClientWidth() const { return GetIntMetric(16); }
  int GetScreenClientHeight() const { return GetIntMetric(17); }
  int GetScreenWidth() const { return GetIntMetric(0); }
  int GetScreenHeight() const { return GetIntMetric(1); }
  int GetScrollArrowWidth() const { return GetIntMetric(21); }
  int GetScrollArrowHeight() const { return GetIntMetric(3); }
  int GetScrollThumbWidth() const { return GetIntMetric(10); }
  int GetScrollThumbHeight() const { return GetIntMetric(9); }
  int GetScrollWidth() const { return GetIntMetric(2); }
  int GetScrollHeight() const { return GetIntMetric(20); }
  int GetIconWidth() const { return GetIntMetric(11); }
  int GetIconHeight() const { return GetIntMetric(12); }
  int GetSmallIconWidth() const { return GetIntMetric(49); }
  int GetSmallIconHeight() const { return GetIntMetric(50); }
  int GetIconSpacingWidth() const { return GetIntMetric(38); }
  int GetIconSpacingHeight() const { return GetIntMetric(39); }
  int GetMaximizedWindowWidth() const { return GetIntMetric(61); }
  int GetMaximizedWindowHeight() const { return GetIntMetric(62); }
  int GetMinimizedWindowWidth() const { return GetIntMetric(57); }
  int GetMinimizedWindowHeight() const { return GetIntMetric(58); }
  int GetMaxDragWindowWidth() const { return GetIntMetric(59); }
  int GetMaxDragWindowHeight() const { return GetIntMetric(60); }
  int GetMinDragWindowWidth() const { return GetIntMetric(34); }
  int GetMinDragWindowHeight() const { return GetIntMetric(35); }
  int GetMinWindowWidth() const { return GetIntMetric(28); }
  int GetMinWindowHeight() const { return GetIntMetric(29); }
  int GetMenuCheckWidth() const { return GetIntMetric(71); }
  int GetMenuCheckHeight() const { return GetIntMetric(72); }
  int GetMenuButtonWidth() const { return GetIntMetric(54); }
  int GetMenuButtonHeight() const { return GetIntMetric(55); }
  int GetMinimizedWindowSpacingWidth() const { return GetIntMetric(47); }
  int GetMinimizedWindowSpacingHeight() const { return GetIntMetric(48); }
  int GetCaptionButtonWidth() const { return GetIntMetric(30); }
  int GetCaptionButtonheight() const { return GetIntMetric(31); }
  int GetResizeBorderWidth() const { return GetIntMetric(32); }
  int GetResizeBorderHeight() const { return GetIntMetric(33); }
  int GetSmallCaptionButtonWidth() const { return GetIntMetric(52); }
  int GetSmallCaptionButtonHeight() const { return GetIntMetric(53); }
  int GetWindowCaptionHeight() const { return GetIntMetric(4); }
  int GetSmallWindowCaptionHeight() const { return GetIntMetric(51); }
  int GetKanjiWindowHeight() const { return GetIntMetric(18); }
  int GetMenuItemHeight() const { return GetIntMetric(15); }

  bool GetDBCSEnabled() const { return GetBoolMetric(42); }
  bool GetDebug() const { return GetBoolMetric(22); }
  bool GetMenuRightAligned() const { return GetBoolMetric(40); }
  bool GetMidEastEnabled() const { return GetBoolMetric(74); }
  bool GetMousePresent() const { return GetBoolMetric(19); }
  bool GetMouseWheelPresent() const { return GetBoolMetric(75); }
  bool GetNetworked() const { return GetBoolMetric(63); }
  bool GetPenWindows() const { return GetBoolMetric(41); }
  bool GetSecure() const { return GetBoolMetric(44); }
  bool GetShowSounds() const { return GetBoolMetric(70); }
  bool GetSlowMachine() const { return GetBoolMetric(73); }
  bool GetMouseButtonsSwapped() const { return GetBoolMetric(23); }

  TDsWindowsArrange GetArrange() const;
  TDsCleanBoot GetCleanBoot() const;
  int GetCaretBlinkTime() const;
  int GetCaretX() const;
  int GetCaretY() const;
  int GetCursorX() const;
  int GetCursorY() const;
  int GetCodePageANSI() const;
  int GetCodePageOEM() const;
  int GetDialogBaseUnits() const;
  int GetDoubleClickTime() const;
};

// The arrangement set of the platform's arrangement value: [waHide] for the hide bit, else
// [waUp, waBottomLeft] for the up/down bit, else [waRight, waBottomLeft].
TDsWindowsArrange ArrangeFromValue(int value);
// The platform value of a set: waBottomRight 1, waTopLeft 2, waTopRight 3, waUp and waDown 4,
// waHide 8, the others 0, joined by bitwise or.
int ArrangeToValue(TDsWindowsArrange arrange);

}  // namespace svc
