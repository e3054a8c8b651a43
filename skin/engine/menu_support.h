// TkMenuSupport: the menu options of the skin manager: the section of the popups' glyph column
// and the vertical extra line on the left of popups (its width and font).
#pragma once
#include <string>

#include "framework/core/object.h"
#include "framework/graphics/font.h"

namespace skin {

class TkMenuSupport : public fw::TPersistent {
  FW_CLASS(TkMenuSupport, fw::TPersistent)
 public:
  TkMenuSupport() = default;
  ~TkMenuSupport() override = default;
  // The section of the glyph column of popups.
  const std::string& GetIcoLineSkin() const { return FIcoLineSkin; }
  void SetIcoLineSkin(const std::string& value) { FIcoLineSkin = value; }
  // Popups show the extra line on their left.
  bool GetUseExtraLine() const { return FUseExtraLine; }
  void SetUseExtraLine(bool value) { FUseExtraLine = value; }
  int GetExtraLineWidth() const { return FExtraLineWidth; }
  void SetExtraLineWidth(int value) { FExtraLineWidth = value; }
  // The font of the extra line's caption.
  fw::TFont* GetExtraLineFont() { return &FExtraLineFont; }
  void SetExtraLineFont(const fw::TFont* value) { FExtraLineFont.Assign(value); }

 private:
  std::string FIcoLineSkin;
  bool FUseExtraLine = false;
  int FExtraLineWidth = 32;
  fw::TFont FExtraLineFont;
};

}  // namespace skin
