#include "skin/engine/skin_limits.h"

#include <algorithm>

namespace skin {

namespace {

void ClampPercent(int& value) { value = std::clamp(value, 0, 100); }

void ClampSide(int& value) { value = std::clamp(value, 0, kMaxSkinPictureSide); }

void ClampShort(short& value, int high) { value = static_cast<short>(std::clamp<int>(value, 0, high)); }

}  // namespace

void ClampSkinInfo(TkSkinData& data) {
  data.Shadow1Blur = std::clamp(data.Shadow1Blur, -1, kMaxShadowBlur);
  data.Shadow1Offset = std::clamp(data.Shadow1Offset, -kMaxShadowOffset, kMaxShadowOffset);
  ClampPercent(data.Shadow1Transparency);
}

void ClampSection(TkGeneralData& s) {
  s.ShadowBlur = std::clamp(s.ShadowBlur, 0, kMaxShadowBlur);
  s.ShadowOffset = std::clamp(s.ShadowOffset, -kMaxShadowOffset, kMaxShadowOffset);
  for (int* percent : {&s.ShadowTransparency, &s.Transparency, &s.HotTransparency, &s.GradientPercent,
                       &s.HotGradientPercent, &s.ImagePercent, &s.HotImagePercent})
    ClampPercent(*percent);
  s.FadingIterations = std::clamp(s.FadingIterations, 0, kMaxFadingIterations);
  s.FadingIntervalIn = std::clamp(s.FadingIntervalIn, 0, kMaxFadingInterval);
  s.FadingIntervalOut = std::clamp(s.FadingIntervalOut, 0, kMaxFadingInterval);
}

void ClampMask(TkMaskData& m) {
  for (int* side : {&m.R.Left, &m.R.Top, &m.R.Right, &m.R.Bottom}) ClampSide(*side);
  for (short* width : {&m.WL, &m.WT, &m.WR, &m.WB, &m.BorderWidth}) ClampShort(*width, kMaxSkinPictureSide);
  ClampShort(m.ImageCount, kMaxMaskFrames);
  ClampShort(m.MaskType, kMaxMaskFrames - 1);
}

}  // namespace skin
