#include "skin/controls/check_button.h"

#include <algorithm>

namespace skin {

fw::TRect CheckGlyphRect(int width, int height, fw::TSize frame, int margin, fw::TLeftRight alignment) {
  const int top = (height - frame.cy) / 2;
  if (alignment == fw::taLeftJustify) return fw::TRect(width - frame.cx - margin, top, width - margin, top + frame.cy);
  return fw::TRect(margin, top, margin + frame.cx, top + frame.cy);
}

fw::TSize CheckAutoSize(fw::TRect glyph, fw::TSize text, int margin, int textIndent) {
  const bool caption = text.cx > 0 || text.cy > 0;
  const int width = glyph.Width() + 2 * margin + (caption ? static_cast<int>(text.cx) + textIndent + 8 : 0);
  const int height = std::max<int>(glyph.Height(), (caption ? text.cy : 0) + 2 * margin) + 2;
  return fw::TSize{width, height};
}

fw::TRect CheckCaptionRect(int width, int height, fw::TRect glyph, int margin, int textIndent, bool checkBox,
                           fw::TLeftRight alignment) {
  const int start = glyph.Width() + textIndent + 3 + margin + (checkBox ? 1 : 0);
  if (alignment == fw::taLeftJustify) return fw::TRect(margin, margin, width - start - 2, height - margin);
  return fw::TRect(start, margin, width - margin - 2, height - margin);
}

int GlobalMaskIndex(const TkSkinManager* manager, const std::string& property) {
  if (!manager) return -1;
  const int global = manager->GetCommonIndexes().GlobalInfo;
  if (global < 0) return -1;
  const int mask = manager->GetMaskIndex(global, "GLOBALINFO", property);
  return manager->IsValidImgIndex(mask) ? mask : -1;
}

}  // namespace skin
