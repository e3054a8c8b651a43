#include "skin/engine/mask_data.h"

#include <algorithm>

namespace skin {

namespace {

int Width(const fw::TRect& r) { return r.Right - r.Left; }
int Height(const fw::TRect& r) { return r.Bottom - r.Top; }

// A third of a frame's width or height; 0 for a mask whose ImageCount is below 1.
int ThirdOfFrameWidth(const TkMaskData& m) { return m.ImageCount < 1 ? 0 : Width(m.R) / (m.ImageCount * 3); }
int ThirdOfFrameHeight(const TkMaskData& m) {
  return m.ImageCount < 1 ? 0 : Height(m.R) / ((std::max<int>(m.MaskType, 0) + 1) * 3);
}

int SideWidth(short own, const TkMaskData& m, int third) {
  if (own > 0) return own;
  if (m.BorderWidth >= 1) return m.BorderWidth;
  return third;
}

}  // namespace

TkImgType ImgTypeFromInt(int value) {
  return value == 1 ? itisaTexture : value == 2 ? itisaGlyph : itisaBorder;
}

void FillMaskWidths(TkMaskData& m) {
  if (m.WL + m.WT + m.WR + m.WB != 0) return;
  if (m.BorderWidth != 0) {
    m.WL = m.WT = m.WR = m.WB = m.BorderWidth;
    return;
  }
  int count = std::max<int>(m.ImageCount, 1), rows = std::max<int>(m.MaskType, 0) + 1;
  m.WL = m.WR = static_cast<short>(Width(m.R) / (count * 3));
  m.WT = m.WB = static_cast<short>(Height(m.R) / (rows * 3));
}

fw::TSize MaskFrameSize(const TkMaskData& m) {
  if (m.Bmp) return fw::TSize{m.Bmp->GetWidth() / 3, m.Bmp->GetHeight() / 2};
  if (m.ImageCount < 1) return fw::TSize{0, 0};
  return fw::TSize{Width(m.R) / m.ImageCount, Height(m.R) / (std::max<int>(m.MaskType, 0) + 1)};
}

int MaskLeftWidth(const TkMaskData& m) { return SideWidth(m.WL, m, ThirdOfFrameWidth(m)); }
int MaskRightWidth(const TkMaskData& m) { return SideWidth(m.WR, m, ThirdOfFrameWidth(m)); }
int MaskTopWidth(const TkMaskData& m) { return SideWidth(m.WT, m, ThirdOfFrameHeight(m)); }
int MaskBottomWidth(const TkMaskData& m) { return SideWidth(m.WB, m, ThirdOfFrameHeight(m)); }

}  // namespace skin
