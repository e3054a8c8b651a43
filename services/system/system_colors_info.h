// The system colours by COLOR number; written with SetSysColors when the object is writable.
#pragma once
#include "services/system/ds_info_base.h"

namespace svc {

class TDsSystemColorsInfo : public TDsWriteableInfo {
  FW_CLASS(TDsSystemColorsInfo, TDsWriteableInfo)
 public:
  int GetColor(int index) const;
  void SetColor(int index, int value);

#define DS_SYSTEM_COLOR(name, index) \
  int Get##name() const { return GetColor(index); } \
  void Set##name(int value) { SetColor(index, value); }
  DS_SYSTEM_COLOR(Color3DHighlight, 20)
  DS_SYSTEM_COLOR(Color3DLight, 22)
  DS_SYSTEM_COLOR(Color3DShadow, 16)
  DS_SYSTEM_COLOR(Color3DDarkShadow, 21)
  DS_SYSTEM_COLOR(Color3DFace, 15)
  DS_SYSTEM_COLOR(ColorActiveBorder, 10)
  DS_SYSTEM_COLOR(ColorActiveCaption, 2)
  DS_SYSTEM_COLOR(ColorAppWorkspace, 12)
  DS_SYSTEM_COLOR(ColorBackground, 1)
  DS_SYSTEM_COLOR(ColorBtnFace, 15)
  DS_SYSTEM_COLOR(ColorBtnText, 18)
  DS_SYSTEM_COLOR(ColorCaptionText, 9)
  DS_SYSTEM_COLOR(ColorGrayText, 17)
  DS_SYSTEM_COLOR(ColorHighlight, 13)
  DS_SYSTEM_COLOR(ColorHighlightText, 14)
  DS_SYSTEM_COLOR(ColorInactiveBorder, 11)
  DS_SYSTEM_COLOR(ColorInactiveCaption, 3)
  DS_SYSTEM_COLOR(ColorInactiveCaptionText, 19)
  DS_SYSTEM_COLOR(ColorInfoBk, 24)
  DS_SYSTEM_COLOR(ColorInfoText, 23)
  DS_SYSTEM_COLOR(ColorMenu, 4)
  DS_SYSTEM_COLOR(ColorMenuText, 7)
  DS_SYSTEM_COLOR(ColorScrollBar, 0)
  DS_SYSTEM_COLOR(ColorWindow, 5)
  DS_SYSTEM_COLOR(ColorWindowFrame, 6)
  DS_SYSTEM_COLOR(ColorWindowText, 8)
  DS_SYSTEM_COLOR(ColorHotLight, 26)
  DS_SYSTEM_COLOR(ColorGradientActiveCaption, 27)
  DS_SYSTEM_COLOR(ColorGradientInactiveCaption, 28)
  DS_SYSTEM_COLOR(ColorMenuHighlight, 29)
  DS_SYSTEM_COLOR(ColorMenuBar, 30)
#undef DS_SYSTEM_COLOR
};

}  // namespace svc
