// The system parameters (SystemParametersInfoA): Boolean and integer parameters by their get
// number, the record groups and a few values of their own. A write, when the object is
// writable, goes to the parameter's set number with the profile updated and the change
// broadcast.
#pragma once
#include <memory>
#include <string>

#include "framework/graphics/font.h"
#include "services/system/ds_info_base.h"
#include "services/system/ds_rect.h"
#include "services/system/system_info_types.h"
#include "services/system/system_parameter_groups.h"

namespace svc {

class TDsSystemParametersInfo : public TDsWriteableInfo {
  FW_CLASS(TDsSystemParametersInfo, TDsWriteableInfo)
 public:
  TDsSystemParametersInfo();
  ~TDsSystemParametersInfo() override;

  // False (0) when the read fails.
  bool GetBoolParameter(int index) const;
  int GetIntParameter(int index) const;
  // Writes through the set number paired with the get number index; 114 (whether a screen
  // saver runs) and unpaired numbers are never written.
  void SetBoolParameter(int index, bool value) { SetIntParameter(index, value ? 1 : 0); }
  void SetIntParameter(int index, int value);

#define DS_BOOL_PARAMETER(name, index) \
  bool Get##name() const { return GetBoolParameter(index); } \
  void Set##name(bool value) { SetBoolParameter(index, value); }
#define DS_INT_PARAMETER(name, index) \
  int Get##name() const { return GetIntParameter(index); } \
  void Set##name(int value) { SetIntParameter(index, value); }
  DS_BOOL_PARAMETER(Beep, 1)
  DS_BOOL_PARAMETER(DragFullWindows, 38)
  DS_BOOL_PARAMETER(FontSmoothing, 74)
  DS_BOOL_PARAMETER(IconTitleWrap, 25)
  DS_BOOL_PARAMETER(KeyboardPreferred, 68)
  DS_BOOL_PARAMETER(LowPowerActive, 83)
  DS_BOOL_PARAMETER(MenuLeftAligned, 27)
  DS_BOOL_PARAMETER(PowerOffActive, 84)
  DS_BOOL_PARAMETER(ScreenReader, 70)
  DS_BOOL_PARAMETER(ScreenSaverActive, 16)
  DS_BOOL_PARAMETER(ShowSounds, 56)
  DS_BOOL_PARAMETER(SnapToDefaultButton, 95)
  DS_BOOL_PARAMETER(WindowsExtensions, 92)
  DS_BOOL_PARAMETER(ScreenSaverRunning, 114)
  DS_BOOL_PARAMETER(MouseClickLock, 4126)
  DS_BOOL_PARAMETER(MouseSonar, 4124)
  DS_BOOL_PARAMETER(MouseVanish, 4128)
  DS_BOOL_PARAMETER(DropShadow, 4132)
  DS_BOOL_PARAMETER(FlatMenu, 4130)
  DS_BOOL_PARAMETER(ShowIMEUI, 110)
  DS_BOOL_PARAMETER(ActiveWindowTracking, 4096)
  DS_BOOL_PARAMETER(MenuAnimation, 4098)
  DS_BOOL_PARAMETER(ComboboxAnimation, 4100)
  DS_BOOL_PARAMETER(ListboxSmoothScrolling, 4102)
  DS_BOOL_PARAMETER(GradientCaptions, 4104)
  DS_BOOL_PARAMETER(MenuUnderLines, 4106)
  DS_BOOL_PARAMETER(ActiveWindowTrackZOrder, 4108)
  DS_BOOL_PARAMETER(HotTracking, 4110)
  DS_BOOL_PARAMETER(MenuFade, 4114)
  DS_BOOL_PARAMETER(SelectionFade, 4116)
  DS_BOOL_PARAMETER(ToolTipAnimation, 4118)
  DS_BOOL_PARAMETER(ToolTipFade, 4120)
  DS_BOOL_PARAMETER(CursorShadow, 4122)
  DS_BOOL_PARAMETER(UIEffects, 4158)
  DS_INT_PARAMETER(BorderMultiplier, 5)
  DS_INT_PARAMETER(DefaultInputLanguage, 89)
  DS_INT_PARAMETER(GridGranularity, 18)
  DS_INT_PARAMETER(KeyboardDelay, 22)
  DS_INT_PARAMETER(KeyboardSpeed, 10)
  DS_INT_PARAMETER(LowPowerTimeOut, 79)
  DS_INT_PARAMETER(MouseSpeed, 112)
  DS_INT_PARAMETER(MouseHoverHeight, 100)
  DS_INT_PARAMETER(MouseHoverTime, 102)
  DS_INT_PARAMETER(MouseHoverWidth, 98)
  DS_INT_PARAMETER(MouseTrails, 94)
  DS_INT_PARAMETER(PowerOffTimeout, 80)
  DS_INT_PARAMETER(ScreenSaveTimeOut, 14)
  DS_INT_PARAMETER(WheelScrollLines, 104)
  DS_INT_PARAMETER(FocusBorderHeight, 8208)
  DS_INT_PARAMETER(FocusBorderWidth, 8206)
  DS_INT_PARAMETER(MouseClickLockTime, 8200)
  DS_INT_PARAMETER(FontSmoothingContrast, 8204)
  DS_INT_PARAMETER(MenuShowDelay, 106)
  DS_INT_PARAMETER(ForegroundLockTimeOut, 8192)
  DS_INT_PARAMETER(ActiveWindowTrackTimeOut, 8194)
  DS_INT_PARAMETER(ForegroundFlashCount, 8196)
  DS_INT_PARAMETER(CaretWidth, 8198)
#undef DS_BOOL_PARAMETER
#undef DS_INT_PARAMETER

  TDsAccessTimeOut* GetAccessTimeOut() const { return FAccessTimeOut.get(); }
  TDsFilterKeys* GetFilterKeys() const { return FFilterKeys.get(); }
  TDsHighContrast* GetHighContrast() const { return FHighContrast.get(); }
  TDsIconMetrics* GetIconMetrics() const { return FIconMetrics.get(); }
  TDsMinimizedMetrics* GetMinimizedMetrics() const { return FMinimizedMetrics.get(); }
  TDsMouseKeys* GetMouseKeys() const { return FMouseKeys.get(); }
  TDsNonClientMetrics* GetNonClientMetrics() const { return FNonClientMetrics.get(); }
  TDsSerialKeys* GetSerialKeys() const { return FSerialKeys.get(); }
  TDsSoundSentry* GetSoundSentry() const { return FSoundSentry.get(); }

  // Whether windows animate when minimized and restored.
  bool GetAnimation() const;
  TDsFontSmoothingType GetFontSmoothingType() const;
  std::unique_ptr<fw::TFont> GetIconTitleFont() const;
  std::string GetKeyboardLayoutName() const;
  int GetMouseThreshold1() const;
  int GetMouseThreshold2() const;
  int GetIconHorizontalSpacing() const;
  int GetIconVerticalSpacing() const;
  // A fresh rectangle of the desktop's work area.
  std::unique_ptr<TDsRect> GetWorkArea() const;
  std::string GetDeskWallpaper() const;
  void SetDeskWallpaper(const std::string& value);

 private:
  std::unique_ptr<TDsAccessTimeOut> FAccessTimeOut;
  std::unique_ptr<TDsFilterKeys> FFilterKeys;
  std::unique_ptr<TDsHighContrast> FHighContrast;
  std::unique_ptr<TDsIconMetrics> FIconMetrics;
  std::unique_ptr<TDsMinimizedMetrics> FMinimizedMetrics;
  std::unique_ptr<TDsMouseKeys> FMouseKeys;
  std::unique_ptr<TDsNonClientMetrics> FNonClientMetrics;
  std::unique_ptr<TDsSerialKeys> FSerialKeys;
  std::unique_ptr<TDsSoundSentry> FSoundSentry;
};

// The set number paired with a get number, -1 when it has none.
int ParameterSetNumber(int getNumber);

}  // namespace svc
