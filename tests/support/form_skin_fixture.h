// The fixture of the form skinner tests: a test skin whose FORM frame, title band and caption
// button frames (normal, hot, pressed) are distinct solid colours with $FF00FF corners (and whose
// GROUPBOX, the frames' section, is a plain solid colour), a form with a skin provider on it, and
// reading of the screen.
#pragma once
#include "framework/forms/custom_form.h"
#include "skin/engine/skin_provider.h"
#include "support/skin_paint_fixture.h"

namespace testing_form_skin {

constexpr fw::TColor kFrame = 0x305070, kTitle = 0x604020, kBtn = 0x20A0C0, kBtnHot = 0x40C0E0, kBtnPressed = 0x106080,
                     kGrip = 0x808000, kMenuLine = 0x2080C0, kGroupBox = 0x50A030,
                     kMDIArea = 0x5A2D80;
// The menu sections: the popup frame, an item normal and hot, the popup's extra line.
constexpr fw::TColor kMainMenu = 0x406080, kMenuItem = 0x90A0B0, kMenuItemHot = 0x3050F0, kExtraLine = 0x207030;

class FormSkinTest : public testing_paint::SkinPaintTest {
 protected:
  void SetUp() override;
  void TearDown() override;
  // A shown form of the border style with a provider whose caption buttons are icons.
  void MakeForm(fw::TFormBorderStyle style, skin::TkBorderIcons icons, int width = 320, int height = 200);
  // A pixel of the screen at a point of the form's window.
  fw::TColor WindowPixel(int x, int y);
  // The screen point of a window point, packed as a non-client mouse message carries it.
  LPARAM ScreenAt(int x, int y);
  LPARAM ScreenAt(const fw::TRect& r) { return ScreenAt((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2); }
  int HitAt(const fw::TRect& r);

  fw::TForm* form = nullptr;
  skin::TkSkinProvider* provider = nullptr;
};

}  // namespace testing_form_skin
