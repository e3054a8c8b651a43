// The skinned check box and radio button against the control test skin: the glyph rectangle,
// caption place and auto size as functions; glyph frames per look and per check state from the
// skin's GLOBALINFO masks, bitmap and image-list glyphs, the 16 x 16 area of a skin without
// masks, the focus frame and the disabled look; mouse and space taken from the native button
// (toggle cycles, read-only, a release outside, a checked radio button staying checked); the
// skin commands and the framework's controls when no manager serves them.
#include <gtest/gtest.h>

#include <optional>

#include "framework/forms/application.h"
#include "framework/forms/custom_form.h"
#include "framework/graphics/image_list.h"
#include "framework/stdctrls/custom_edit.h"
#include "skin/controls/check_box.h"
#include "skin/controls/radio_button.h"
#include "skin/engine/skin_manager.h"
#include "support/control_skin.h"

namespace {

using namespace control_skin;
using test_skins::PixelOf;
using testing_paint::CountColour;

constexpr fw::TColor kFormColour = 0x5A6A7A;
const TSectionColours kCheckFace = SectionOf(kFirst, "CHECKBOX");

TEST(CheckButtonLayout, GlyphRectangle) {
  // 13 x 13 in 80 x 21: centred vertically, Margin from the left edge, or from the right edge.
  EXPECT_EQ(skin::CheckGlyphRect(80, 21, {13, 13}, 2, fw::taRightJustify), fw::TRect(2, 4, 15, 17));
  EXPECT_EQ(skin::CheckGlyphRect(80, 21, {13, 13}, 2, fw::taLeftJustify), fw::TRect(65, 4, 78, 17));
  EXPECT_EQ(skin::CheckGlyphRect(80, 20, {13, 13}, 5, fw::taRightJustify), fw::TRect(5, 3, 18, 16));
  // The caption: glyph width + TextIndent + 3 + Margin from the left, one more for a check box.
  EXPECT_EQ(skin::CheckCaptionRect(80, 21, fw::TRect(2, 4, 15, 17), 2, 0, true, fw::taRightJustify),
            fw::TRect(19, 2, 76, 19));
  EXPECT_EQ(skin::CheckCaptionRect(80, 21, fw::TRect(2, 4, 15, 17), 2, 4, false, fw::taRightJustify),
            fw::TRect(22, 2, 76, 19));
  EXPECT_EQ(skin::CheckCaptionRect(80, 21, fw::TRect(65, 4, 78, 17), 2, 0, true, fw::taLeftJustify),
            fw::TRect(2, 2, 59, 19));
}

TEST(CheckButtonLayout, AutoSize) {
  // A 13 x 13 glyph and a 30 x 13 caption: 13 + 4 + 30 + 0 + 8 wide, max(13, 13 + 4) + 2 high.
  EXPECT_EQ(skin::CheckAutoSize(fw::TRect(2, 4, 15, 17), {30, 13}, 2, 0).cx, 55);
  EXPECT_EQ(skin::CheckAutoSize(fw::TRect(2, 4, 15, 17), {30, 13}, 2, 0).cy, 19);
  EXPECT_EQ(skin::CheckAutoSize(fw::TRect(2, 4, 15, 17), {30, 13}, 2, 6).cx, 61);
  // An empty caption: the glyph and twice Margin, + 2 in height.
  EXPECT_EQ(skin::CheckAutoSize(fw::TRect(0, 0, 16, 16), {0, 0}, 3, 6).cx, 22);
  EXPECT_EQ(skin::CheckAutoSize(fw::TRect(0, 0, 16, 16), {0, 0}, 3, 6).cy, 18);
  // A tall glyph decides the height.
  EXPECT_EQ(skin::CheckAutoSize(fw::TRect(0, 0, 20, 24), {10, 13}, 2, 0).cy, 26);
}

// A form with an edit holding the focus, and controls placed on it.
class SkinnedCheckBoxTest : public ControlSkinTest {
 protected:
  void SetUp() override {
    ControlSkinTest::SetUp();
    form = fw::New<fw::TForm>(fw::Application);
    form->SetBounds(40, 40, 360, 260);
    form->SetColor(kFormColour);
    edit = fw::New<fw::TEdit>(form);
    edit->SetBounds(250, 20, 80, 24);
    edit->SetParent(form);
    box = Place<skin::TkCheckBox>(20, 20, "Check");
    radio1 = Place<skin::TkRadioButton>(20, 60, "One");
    radio2 = Place<skin::TkRadioButton>(20, 90, "Two");
    form->Show();
    edit->SetFocus();
    Settle();
  }
  void TearDown() override {
    fw::Free(form);
    ControlSkinTest::TearDown();
  }
  template <class T>
  T* Place(int left, int top, const char* caption) {
    auto* c = fw::New<T>(form);
    c->SetBounds(left, top, 120, 21);
    c->SetCaption(caption);
    c->SetParent(form);
    c->AdjustSize();  // as loading does
    return c;
  }
  // The cache pixel at the centre of the glyph, after a paint.
  template <class T>
  fw::TColor GlyphPixel(T* c) {
    c->Repaint();
    const fw::TRect g = c->GlyphRect();
    return PixelOf(*c->GetSkinData()->CacheBmp, (g.Left + g.Right) / 2, (g.Top + g.Bottom) / 2);
  }
  static void Click(fw::TWinControl* c, int x = 5, int y = 10) {
    SendMessage(c->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessage(c->GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  }
  // The space bar pressed and released on the control, through the message loop.
  static void Space(fw::TWinControl* c) {
    PostMessage(c->GetHandle(), WM_KEYDOWN, VK_SPACE, 0x00390001);
    PostMessage(c->GetHandle(), WM_KEYUP, VK_SPACE, 0xC0390001);
    fw::Application->ProcessMessages();
  }

  fw::TForm* form = nullptr;
  fw::TEdit* edit = nullptr;
  skin::TkCheckBox* box = nullptr;
  skin::TkRadioButton* radio1 = nullptr;
  skin::TkRadioButton* radio2 = nullptr;
};

TEST_F(SkinnedCheckBoxTest, GlyphFramesPerLookAndState) {
  // Auto size: the 13-pixel glyph, the caption with TextIndent + 8, twice the margin of 2.
  const fw::TSize text = skin::TextExtentOfFont(box->GetFont()->GetHandle(), "Check");
  EXPECT_EQ(box->GetWidth(), 13 + 4 + text.cx + 8);
  EXPECT_EQ(box->GetHeight(), std::max<int>(13, text.cy + 4) + 2);
  EXPECT_EQ(box->GlyphRect().Width(), 13);
  // Normal: frame 0 of BOXUNCHECKED over the CHECKBOX face.
  EXPECT_EQ(GlyphPixel(box), GlyphColour(kFirst, "BOXUNCHECKED", kNormal));
  EXPECT_EQ(PixelOf(*box->GetSkinData()->CacheBmp, box->GetWidth() - 5, box->GetHeight() / 2), kCheckFace.Face[kNormal]);
  // Hot: frame 1, and the hot face.
  box->Perform(fw::CM_MOUSEENTER, 0, 0);
  EXPECT_EQ(GlyphPixel(box), GlyphColour(kFirst, "BOXUNCHECKED", kHot));
  EXPECT_EQ(PixelOf(*box->GetSkinData()->CacheBmp, box->GetWidth() - 5, box->GetHeight() / 2), kCheckFace.Face[kHot]);
  // Pressed: frame 2 while the button is held.
  SendMessage(box->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_TRUE(box->GetPressed());
  EXPECT_EQ(GlyphPixel(box), GlyphColour(kFirst, "BOXUNCHECKED", kPressed));
  SendMessage(box->GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(box->GetState(), fw::cbChecked);
  box->Perform(fw::CM_MOUSELEAVE, 0, 0);
  edit->SetFocus();
  EXPECT_EQ(GlyphPixel(box), GlyphColour(kFirst, "BOXCHECKED", kNormal));
  box->SetState(fw::cbGrayed);
  EXPECT_EQ(GlyphPixel(box), GlyphColour(kFirst, "BOXGRAYED", kNormal));
  // The screen shows the cache.
  Settle();
  auto shot = ScreenOf(box);
  const fw::TRect g = box->GlyphRect();
  EXPECT_EQ(PixelOf(*shot, g.Left + 5, g.Top + 5), GlyphColour(kFirst, "BOXGRAYED", kNormal));

  // Radio buttons: RADIOUNCHECKED, then RADIOCHECKED after a click; the other one unchecked.
  EXPECT_EQ(GlyphPixel(radio1), GlyphColour(kFirst, "RADIOUNCHECKED", kNormal));
  Click(radio1);
  EXPECT_TRUE(radio1->GetChecked());
  radio1->Perform(fw::CM_MOUSELEAVE, 0, 0);
  edit->SetFocus();
  EXPECT_EQ(GlyphPixel(radio1), GlyphColour(kFirst, "RADIOCHECKED", kNormal));
  Click(radio2);
  EXPECT_FALSE(radio1->GetChecked());
  EXPECT_TRUE(radio2->GetChecked());
  EXPECT_EQ(GlyphPixel(radio1), GlyphColour(kFirst, "RADIOUNCHECKED", kNormal));
  // A read-only control shows no hot frame.
  radio1->SetReadOnly(true);
  radio1->Perform(fw::CM_MOUSEENTER, 0, 0);
  EXPECT_EQ(GlyphPixel(radio1), GlyphColour(kFirst, "RADIOUNCHECKED", kNormal));
}

TEST_F(SkinnedCheckBoxTest, ToggleCycles) {
  int clicks = 0;
  box->OnClick = [&](fw::TObject*) { ++clicks; };
  std::vector<fw::TCheckBoxState> seen;
  for (int i = 0; i < 4; ++i) {
    Click(box);
    seen.push_back(box->GetState());
  }
  EXPECT_EQ(seen, (std::vector<fw::TCheckBoxState>{fw::cbChecked, fw::cbUnchecked, fw::cbChecked, fw::cbUnchecked}));
  EXPECT_EQ(clicks, 4);
  box->SetAllowGrayed(true);
  seen.clear();
  for (int i = 0; i < 4; ++i) {
    Space(box);
    seen.push_back(box->GetState());
  }
  EXPECT_EQ(seen, (std::vector<fw::TCheckBoxState>{fw::cbGrayed, fw::cbChecked, fw::cbUnchecked, fw::cbGrayed}));
  // The native button never saw a press: its own check state was never set.
  EXPECT_EQ(SendMessage(box->GetHandle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST_F(SkinnedCheckBoxTest, ReadOnlyReleaseOutsideAndCheckedRadio) {
  int downs = 0, keyDowns = 0, keyUps = 0;
  box->OnMouseDown = [&](fw::TObject*, fw::TMouseButton, fw::TShiftState, int, int) { ++downs; };
  box->OnKeyDown = [&](fw::TObject*, WORD&, fw::TShiftState) { ++keyDowns; };
  box->OnKeyUp = [&](fw::TObject*, WORD&, fw::TShiftState) { ++keyUps; };
  box->SetReadOnly(true);
  Click(box);
  Space(box);
  EXPECT_EQ(box->GetState(), fw::cbUnchecked);
  EXPECT_EQ(downs + keyDowns + keyUps, 0);
  box->SetReadOnly(false);
  Click(box);
  Space(box);
  EXPECT_EQ(downs, 1);
  EXPECT_EQ(keyDowns, 1);
  EXPECT_EQ(keyUps, 1);
  EXPECT_EQ(box->GetState(), fw::cbUnchecked);

  // Pressed inside, the mouse leaves, released: no toggle.
  SendMessage(box->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  box->Perform(fw::CM_MOUSELEAVE, 0, 0);
  EXPECT_FALSE(box->GetPressed());
  SendMessage(box->GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(box->GetState(), fw::cbUnchecked);

  // A checked radio button stays checked on click and space.
  Click(radio1);
  Click(radio1);
  Space(radio1);
  EXPECT_TRUE(radio1->GetChecked());
  radio2->SetReadOnly(true);
  Click(radio2);
  EXPECT_FALSE(radio2->GetChecked());
  EXPECT_TRUE(radio1->GetChecked());
}

TEST_F(SkinnedCheckBoxTest, FocusFrameAndDisabledLook) {
  box->SetAutoSize(false);
  box->SetBounds(20, 20, 120, 21);
  box->Repaint();
  const fw::TRect whole(0, 0, box->GetWidth(), box->GetHeight());
  EXPECT_EQ(CountColour(*box->GetSkinData()->CacheBmp, whole, 0x000000), 0);
  box->SetFocus();
  box->Repaint();
  // Black dots of the focus frame along the caption's top edge (above the text).
  const fw::TRect caption = skin::CheckCaptionRect(120, 21, box->GlyphRect(), 2, 0, true, fw::taRightJustify);
  EXPECT_GT(CountColour(*box->GetSkinData()->CacheBmp, fw::TRect(caption.Left, 0, caption.Right, 1), 0x000000), 5);
  box->SetShowFocus(false);
  box->Repaint();
  EXPECT_EQ(CountColour(*box->GetSkinData()->CacheBmp, fw::TRect(caption.Left, 0, caption.Right, 1), 0x000000), 0);
  edit->SetFocus();

  // Disabled: the whole image blended with the parent's colour, the glyph too.
  box->SetEnabled(false);
  const fw::TColor face = PixelOf(*box->GetSkinData()->CacheBmp, 118, 10);
  EXPECT_NE(face, kCheckFace.Face[kNormal]);
  const fw::TColor glyph = GlyphPixel(box);
  EXPECT_NE(glyph, GlyphColour(kFirst, "BOXUNCHECKED", kNormal));
  EXPECT_NE(glyph, kFormColour);
}

// A glyph picture of three frames (colours a, b, c) over a mask row that lets them through.
std::unique_ptr<fw::TBitmap> GlyphBitmap(int side, fw::TColor a, fw::TColor b, fw::TColor c) {
  test_skins::Picture p(3 * side, 2 * side, 0);
  p.Fill(0, 0, side, side, a);
  p.Fill(side, 0, side, side, b);
  p.Fill(2 * side, 0, side, side, c);
  return testing_paint::FromPicture(p);
}

TEST_F(SkinnedCheckBoxTest, BitmapAndImageListGlyphs) {
  box->SetGlyphChecked(GlyphBitmap(10, 0x102030, 0x203040, 0x304050).get());
  box->SetGlyphUnChecked(GlyphBitmap(10, 0x405060, 0x506070, 0x607080).get());
  EXPECT_EQ(box->GlyphRect().Width(), 10);
  EXPECT_EQ(GlyphPixel(box), 0x405060);
  box->SetState(fw::cbGrayed);  // a grayed box shows the unchecked glyph
  EXPECT_EQ(GlyphPixel(box), 0x405060);
  box->SetChecked(true);
  EXPECT_EQ(GlyphPixel(box), 0x102030);
  box->Perform(fw::CM_MOUSEENTER, 0, 0);
  EXPECT_EQ(GlyphPixel(box), 0x203040);
  box->Perform(fw::CM_MOUSELEAVE, 0, 0);
  radio1->SetGlyphChecked(GlyphBitmap(12, 0x112233, 0x223344, 0x334455).get());
  // No unchecked glyph: nothing drawn over the face.
  EXPECT_EQ(GlyphPixel(radio1), SectionOf(kFirst, "RADIOBUTTON").Face[kNormal]);
  radio1->SetChecked(true);
  EXPECT_EQ(GlyphPixel(radio1), 0x112233);

  // An image list wins over the bitmaps: its images are 24 x 16 pictures of three 8 x 8 frames.
  auto* images = fw::New<fw::TImageList>(form);
  images->SetWidth(24);
  images->SetHeight(16);
  images->SetBkColor(fw::clNone);
  auto checked = GlyphBitmap(8, 0x0A0B0C, 0x1A1B1C, 0x2A2B2C), unchecked = GlyphBitmap(8, 0x3A3B3C, 0x4A4B4C, 0x5A5B5C);
  images->AddMasked(unchecked.get(), fw::clFuchsia);
  images->AddMasked(checked.get(), fw::clFuchsia);
  box->SetImages(images);
  EXPECT_EQ(box->GlyphRect().Width(), 8);
  // Both indexes at their default 0: image 0 serves both states.
  EXPECT_EQ(GlyphPixel(box), 0x3A3B3C);
  box->SetImgChecked(1);
  EXPECT_EQ(GlyphPixel(box), 0x0A0B0C);
  box->SetChecked(false);
  EXPECT_EQ(GlyphPixel(box), 0x3A3B3C);
}

TEST_F(SkinnedCheckBoxTest, SkinCommands) {
  box->SetState(fw::cbChecked);
  radio1->SetChecked(true);
  UseSecondSkin();
  Settle();
  EXPECT_EQ(GlyphPixel(box), GlyphColour(kSecond, "BOXCHECKED", kNormal));
  EXPECT_EQ(GlyphPixel(radio1), GlyphColour(kSecond, "RADIOCHECKED", kNormal));
  EXPECT_EQ(PixelOf(*ScreenOf(box), box->GetWidth() - 4, box->GetHeight() / 2), SectionOf(kSecond, "CHECKBOX").Face[kNormal]);
  // Skinned, the native buttons never took the state; removal gives it to them.
  EXPECT_EQ(SendMessage(box->GetHandle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  manager->SetActive(false);
  Settle();
  EXPECT_EQ(SendMessage(box->GetHandle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessage(radio1->GetHandle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessage(radio2->GetHandle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  // Unskinned the native button toggles through the framework.
  SendMessage(box->GetHandle(), BM_CLICK, 0, 0);
  EXPECT_EQ(box->GetState(), fw::cbUnchecked);
  EXPECT_EQ(SendMessage(box->GetHandle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  SendMessage(radio2->GetHandle(), BM_CLICK, 0, 0);
  EXPECT_TRUE(radio2->GetChecked());
  EXPECT_FALSE(radio1->GetChecked());
}

// Without masks in the skin, the glyph area is 16 x 16 at the origin and nothing is drawn there.
class CheckBoxWithoutMasksTest : public testing_paint::SkinPaintTest {};

TEST_F(CheckBoxWithoutMasksTest, SixteenPixelArea) {
  LoadSkin(test_skins::Picture(), {{"GLOBALINFO", ""}, {"CHECKBOX", ""}});
  manager->SetIsDefault(true);
  auto* form = fw::New<fw::TForm>(fw::Application);
  form->SetBounds(40, 40, 200, 120);
  auto* box = fw::New<skin::TkCheckBox>(form);
  box->SetCaption("");
  box->SetParent(form);
  form->Show();
  Settle();
  box->AdjustSize();
  EXPECT_EQ(box->GlyphRect(), fw::TRect(0, 0, 16, 16));
  EXPECT_EQ(box->GetWidth(), 16 + 4);
  EXPECT_EQ(box->GetHeight(), 16 + 2);
  box->SetChecked(true);
  box->Repaint();
  const fw::TBitmap& cache = *box->GetSkinData()->CacheBmp;
  // The whole glyph area keeps the face's one colour: no glyph in either state.
  const fw::TColor face = PixelOf(cache, 8, 8);
  EXPECT_EQ(CountColour(cache, fw::TRect(0, 0, 16, 16), face), 16 * 16);
  box->SetChecked(false);
  box->Repaint();
  EXPECT_EQ(CountColour(*box->GetSkinData()->CacheBmp, fw::TRect(0, 0, 16, 16), face), 16 * 16);
  fw::Free(form);
}

// With no manager at all the controls are the framework's.
class CheckBoxWithoutManagerTest : public testing_gui::GuiTest {};

TEST_F(CheckBoxWithoutManagerTest, FrameworkBehaviour) {
  auto* form = fw::New<fw::TForm>(fw::Application);
  form->SetBounds(40, 40, 200, 120);
  auto* box = fw::New<skin::TkCheckBox>(form);
  box->SetBounds(10, 10, 120, 21);
  box->SetParent(form);
  form->Show();
  EXPECT_EQ(box->GetWidth(), 120);  // no skinned auto size
  SendMessage(box->GetHandle(), BM_CLICK, 0, 0);
  EXPECT_EQ(box->GetState(), fw::cbChecked);
  EXPECT_EQ(SendMessage(box->GetHandle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  fw::Free(form);
}

}  // namespace
