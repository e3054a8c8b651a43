#include "support/form_skin_fixture.h"

#include "framework/forms/application.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/stored_skins.h"

namespace testing_form_skin {

using namespace testing_paint;

void FormSkinTest::SetUp() {
  SkinPaintTest::SetUp();
  // Row 0: the FORM frame (three 12 x 12 frames); row 1: the caption button frames.
  test_skins::Picture master(48, 26, test_skins::kFuchsia);
  const test_skins::Picture frame = test_skins::MaskPicture({kFrame, kFrame, kFrame}, 12, 12, false);
  const test_skins::Picture buttons = test_skins::MaskPicture({kBtn, kBtnHot, kBtnPressed}, 16, 14, false);
  const test_skins::Picture grip = test_skins::MaskPicture({kGrip}, 10, 10, false);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 36; ++x) master.Set(x, y, frame.At(x, y));
  for (int y = 0; y < 14; ++y)
    for (int x = 0; x < 48; ++x) master.Set(x, 12 + y, buttons.At(x, y));
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) master.Set(36 + x, y, grip.At(x, y));
  LoadSkin(master, {{"GLOBALINFO", ""}, {"FORM", ""}, {"FORMTITLE", ""}, {"MENULINE", ""}, {"SCROLLBAR1H", ""}, {"GROUPBOX", ""},
                   {"MAINMENU", ""}, {"MENUITEM", ""}, {"EXTRALINE", ""}, {"MDIAREA", ""}}, [](skin::TkStoredSkin& s) {
    AddImage(s, "FORM", "BORDERSMASK", fw::TRect(0, 0, 36, 12), 0, 0, 4, 3);
    for (const char* b : {"BICONCLOSE", "BICONMAX", "BICONMIN", "BICONHELP", "BICONNORM"})
      AddImage(s, "GLOBALINFO", b, fw::TRect(0, 12, 48, 26), 0, 0, 0, 3);
    AddImage(s, "GLOBALINFO", "GRIPIMAGE", fw::TRect(36, 0, 46, 10), 0, 0, 0, 1);
    SectionOf(s, "FORM")->SetColor(kFrame);
    SectionOf(s, "FORM")->SetHotColor(kFrame);
    SectionOf(s, "FORMTITLE")->SetColor(kTitle);
    SectionOf(s, "FORMTITLE")->SetHotColor(kTitle);
    SectionOf(s, "MENULINE")->SetColor(kMenuLine);
    SectionOf(s, "GROUPBOX")->SetColor(kGroupBox);
    SectionOf(s, "GROUPBOX")->SetHotColor(kGroupBox);
    SectionOf(s, "MAINMENU")->SetColor(kMainMenu);
    SectionOf(s, "MENUITEM")->SetColor(kMenuItem);
    SectionOf(s, "MENUITEM")->SetHotColor(kMenuItemHot);
    SectionOf(s, "EXTRALINE")->SetColor(kExtraLine);
    SectionOf(s, "MDIAREA")->SetColor(kMDIArea);
  });
  manager->SetIsDefault(true);
}

void FormSkinTest::TearDown() {
  fw::Free(form);
  SkinPaintTest::TearDown();
}

void FormSkinTest::MakeForm(fw::TFormBorderStyle style, skin::TkBorderIcons icons, int width, int height) {
  fw::Free(form);
  form = fw::New<fw::TForm>(fw::Application);
  form->SetBorderStyle(style);
  form->SetBounds(60, 60, width, height);
  provider = fw::New<skin::TkSkinProvider>(form);
  provider->SetBorderIcons(icons);
  provider->SetShowAppIcon(false);
  form->Show();
  Settle(8);
}

fw::TColor FormSkinTest::WindowPixel(int x, int y) { return WindowPixelOf(form->GetHandle(), x, y); }

LPARAM FormSkinTest::ScreenAt(int x, int y) {
  RECT r{};
  GetWindowRect(form->GetHandle(), &r);
  return MAKELPARAM(r.left + x, r.top + y);
}

int FormSkinTest::HitAt(const fw::TRect& r) {
  return static_cast<int>(SendMessageA(form->GetHandle(), WM_NCHITTEST, 0, ScreenAt(r)));
}

}  // namespace testing_form_skin
