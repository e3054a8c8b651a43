// The section table of a loaded skin: one TkGeneralData per skin section, and TkSkinData with
// the skin's general information.
#pragma once
#include <string>
#include <vector>

#include "framework/core/object.h"
#include "framework/graphics/colors.h"
#include "skin/engine/gradient_data.h"

namespace skin {

enum TkControlBevel : unsigned char { cbNone, cbRaisedSoft, cbLoweredSoft, cbRaisedHard, cbLoweredHard };

// A bevel number as the skin writes it; values outside 0..4 read as cbNone.
TkControlBevel BevelFromInt(int value);

// One skin section. A new entry is all zero.
struct TkGeneralData {
  std::string ParentClass;
  std::string SectionName;
  fw::TColor Color = 0;
  TkControlBevel Bevel = cbNone;
  // [0] the text colour; [1]..[4] copies of the text one pixel left, above, right and below
  // (-1: none).
  int FontColor[5] = {};
  int HotFontColor[5] = {};
  bool ReservedBoolean = false;
  int ShadowBlur = 0;
  fw::TColor ShadowColor = 0;
  bool ShadowEnabled = false;
  int ShadowOffset = 0;
  int ShadowTransparency = 0;
  int Transparency = 0;
  int GradientPercent = 0;
  std::string GradientData;
  TkGradArray Gradient;
  int ImagePercent = 0;
  bool ShowFocus = false;
  bool FadingEnabled = false;
  int FadingIntervalIn = 0;
  int FadingIntervalOut = 0;
  int FadingIterations = 0;
  fw::TColor HotColor = 0;
  int HotTransparency = 0;
  TkControlBevel HotBevel = cbNone;
  int HotGradientPercent = 0;
  std::string HotGradientData;
  TkGradArray HotGradient;
  int HotImagePercent = 0;
  fw::TColor BorderColor1 = 0;
  fw::TColor BorderColor2 = 0;
};
using TkGeneralDataArray = std::vector<TkGeneralData>;

// The general information of the loaded skin.
class TkSkinData : public fw::TObject {
  FW_CLASS(TkSkinData, fw::TObject)
 public:
  TkSkinData() = default;
  ~TkSkinData() override = default;

  double Version = 0;
  std::string Author;
  std::string Description;
  int Shadow1Color = 0;
  int Shadow1Offset = 0;
  int Shadow1Blur = 0;
  int Shadow1Transparency = 0;
  // The folder of the loaded skin with its trailing backslash; empty for a stored skin.
  std::string SkinPath;
  // True while a loaded skin has been announced to the forms.
  bool SkinReady = false;
};

}  // namespace skin
