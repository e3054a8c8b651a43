// The skinned labels: the shadow's reach and blur as functions, the alpha buffer of a tiny
// shadowed label, the skin's font colour and the 40/60 disabled mix on screen, the shadow's
// offset, the link label's fonts and its click through the shell hook, and the skin commands.
#include <gtest/gtest.h>

#include <malloc.h>

#include <cmath>

#include "framework/forms/application.h"
#include "framework/forms/custom_form.h"
#include "framework/graphics/canvas.h"
#include "skin/controls/label.h"
#include "skin/controls/label_fx.h"
#include "skin/controls/panel.h"
#include "skin/controls/web_label.h"
#include "skin/engine/skin_command.h"
#include "skin/engine/skin_manager.h"
#include "support/panel_form_fixture.h"

namespace {

using namespace control_skin;
using control_shots::BoxOf;
using control_shots::ScreenShot;
using test_skins::PixelOf;
using testing_paint::CountColour;

// Per channel round(0.4 * font + 0.6 * parent).
fw::TColor Mix4060(fw::TColor font, fw::TColor parent) {
  fw::TColor mixed = 0;
  for (int shift = 0; shift < 24; shift += 8)
    mixed |= static_cast<int>(std::lround(0.4 * ((font >> shift) & 0xFF) + 0.6 * ((parent >> shift) & 0xFF))) << shift;
  return mixed;
}

TEST(LabelFxLayout, ShadowReachAndBlur) {
  const skin::TkShadowExtent e = skin::ShadowExtent(1, 4);
  EXPECT_EQ(e.Lo, -3);
  EXPECT_EQ(e.Hi, 5);
  EXPECT_EQ(skin::ShadowExtent(3, 1).Lo, 0);
  EXPECT_EQ(skin::ShadowExtent(-6, 2).Hi, 0);

  // One inked pixel at (2, 2), one pass: cells run row by row, each the mean of its four
  // neighbours as they stand, so the values fall off to the right and down.
  fw::TBitmap ink;
  ink.SetPixelFormat(fw::pf32bit);
  ink.SetSize(5, 5);
  HDC dc = ink.GetCanvas()->GetHandle();
  RECT all{0, 0, 5, 5};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  SetPixel(dc, 2, 2, RGB(255, 255, 255));
  std::vector<uint8_t> alpha(10, 77);  // too small: it grows
  skin::BlurTextAlpha(ink, 1, alpha);
  ASSERT_GE(alpha.size(), 49u);
  auto at = [&](int x, int y) { return static_cast<int>(alpha[(y + 1) * 7 + x + 1]); };
  EXPECT_EQ(at(2, 1), 63);
  EXPECT_EQ(at(1, 2), 63);
  EXPECT_EQ(at(2, 2), 31);
  EXPECT_EQ(at(3, 2), 11);
  EXPECT_EQ(at(1, 3), 15);
  EXPECT_EQ(at(0, 0), 0);
  EXPECT_EQ(alpha[0], 0);  // the border cells were cleared
  skin::BlurTextAlpha(ink, 0, alpha);
  EXPECT_EQ(at(2, 2), 0);
}

class SkinnedLabelTest : public control_shots::PanelFormTest {
 protected:
  void SetUp() override {
    PanelFormTest::SetUp();
    MakeForm(380, 260, fw::TRect(10, 10, 350, 210));
    label = Place<skin::TkLabel>(panel, 20, 20, 100, 16);
    label->SetCaption("Found files");
    ShowForm();
  }
  // Repaints the panel and its labels and reads the label back from the screen.
  std::unique_ptr<fw::TBitmap> Shown(fw::TControl* c) {
    panel->GetSkinData()->BGChanged = true;
    panel->Repaint();
    Settle();
    return ScreenShot(c);
  }
  fw::TColor Face() const { return kFirst.Panel.Face[kNormal]; }

  skin::TkLabel* label = nullptr;
};

TEST_F(SkinnedLabelTest, GrowsByTheShadowsReach) {
  auto* fx = fw::New<skin::TkLabelFX>(form);
  auto* plain = fw::New<skin::TkLabel>(form);
  for (skin::TkCustomLabel* l : {static_cast<skin::TkCustomLabel*>(fx), static_cast<skin::TkCustomLabel*>(plain)}) {
    l->GetFont()->SetSize(12);
    l->SetCaption("Settings");
    l->SetParent(panel);
  }
  EXPECT_EQ(fx->GetWidth(), plain->GetWidth() + 8);
  EXPECT_EQ(fx->GetHeight(), plain->GetHeight() + 8);
  // The skin's shadow (distance 3, blur 2): it reaches 5 beyond the text, none before it.
  fx->GetShadow()->SetMode(skin::smSkin1);
  fx->SetCaption("Settings!");
  plain->SetCaption("Settings!");
  EXPECT_EQ(kFirst.ShadowOffset + kFirst.ShadowBlur, 5);
  EXPECT_EQ(fx->GetWidth(), plain->GetWidth() + 5);
  fx->GetShadow()->SetMode(skin::smCustom);
  // No blur, or no shadow colour: no growth.
  fx->GetShadow()->SetBlurCount(0);
  fx->SetCaption("Settings.");
  plain->SetCaption("Settings.");
  EXPECT_EQ(fx->GetWidth(), plain->GetWidth());
}

TEST_F(SkinnedLabelTest, TinyShadowedLabelStaysInItsBuffer) {
  auto* fx = fw::New<skin::TkLabelFX>(form);
  fx->SetAutoSize(false);
  fx->SetCaption("W");
  fx->SetBounds(200, 20, 4, 4);
  fx->SetParent(panel);
  Shown(fx);
  // (4 + 2) x (4 + 2) cells at least; the heap is intact after the blur wrote them.
  EXPECT_GE(fx->AlphaCapacity(), 36u);
  EXPECT_EQ(_heapchk(), _HEAPOK);
  EXPECT_TRUE(HeapValidate(GetProcessHeap(), 0, nullptr));
}

TEST_F(SkinnedLabelTest, ColoursFromTheSkin) {
  // The skin's global font colour, over the panel's face.
  auto shot = Shown(label);
  const int text = CountColour(*shot, fw::TRect(0, 0, label->GetWidth(), label->GetHeight()), kFirst.GlobalFont);
  EXPECT_GT(text, 5);
  EXPECT_EQ(CountColour(*shot, fw::TRect(0, 0, label->GetWidth(), label->GetHeight()), Face()) + text,
            label->GetWidth() * label->GetHeight());

  // Disabled: 0.4 of the font colour and 0.6 of the panel's colour.
  label->SetEnabled(false);
  shot = Shown(label);
  EXPECT_EQ(CountColour(*shot, fw::TRect(0, 0, label->GetWidth(), label->GetHeight()), Mix4060(kFirst.GlobalFont, Face())),
            text);

  // Its own colour when it does not use the skin's.
  label->SetEnabled(true);
  label->SetUseSkinColor(false);
  label->GetFont()->SetColor(0x0000C0);
  shot = Shown(label);
  EXPECT_EQ(CountColour(*shot, fw::TRect(0, 0, label->GetWidth(), label->GetHeight()), 0x0000C0), text);

  // The second skin's colour.
  label->SetUseSkinColor(true);
  UseSecondSkin();
  shot = Shown(label);
  EXPECT_EQ(CountColour(*shot, fw::TRect(0, 0, label->GetWidth(), label->GetHeight()), kSecond.GlobalFont), text);

  // Without a skin: the window text colour, and the framework's embossed disabled text.
  manager->SetActive(false);
  EXPECT_EQ(label->GetFont()->GetColor(), fw::clWindowText);
  label->SetEnabled(false);
  shot = Shown(label);
  EXPECT_GT(CountColour(*shot, fw::TRect(0, 0, label->GetWidth(), label->GetHeight()),
                        fw::ColorToRGB(fw::clBtnShadow)),
            5);
}

TEST_F(SkinnedLabelTest, ShadowFallsByItsDistance) {
  auto* fx = fw::New<skin::TkLabelFX>(form);
  fx->GetShadow()->SetBlurCount(1);
  fx->GetShadow()->SetDistance(3);
  fx->GetShadow()->SetColor(fw::clBlack);
  fx->GetKind()->SetKindType(skin::ktCustom);
  fx->GetKind()->SetColor(0x0000FF);
  fx->SetCaption("II");
  fx->SetLeft(150);
  fx->SetTop(40);
  fx->SetParent(panel);
  auto shot = Shown(fx);
  const fw::TRect text = BoxOf(*shot, [](fw::TColor c) { return c == 0x0000FF; });
  // Shadow: clearly darker than the face (its channels together at least 16 below).
  const fw::TColor face = Face();
  auto sum = [](fw::TColor c) { return (c & 0xFF) + (c >> 8 & 0xFF) + (c >> 16 & 0xFF); };
  const fw::TRect shade =
      BoxOf(*shot, [&](fw::TColor c) { return c != 0x0000FF && sum(face) - sum(c) >= 16; });
  ASSERT_GT(text.Width(), 0);
  ASSERT_GT(shade.Width(), 0);
  // The shadow starts one blur cell before the text moved by the distance.
  EXPECT_EQ(shade.Left, text.Left + 2);
  EXPECT_EQ(shade.Top, text.Top + 2);
  EXPECT_GT(shade.Bottom, text.Bottom);
}

TEST_F(SkinnedLabelTest, LinkLabel) {
  std::vector<std::pair<std::string, int>> opened;
  skin::testing::SetShellOpen([&](const std::string& target, int show) { opened.emplace_back(target, show); });
  auto* link = fw::New<skin::TkWebLabel>(form);
  fw::TFont normal, hover;
  normal.SetColor(0x804000);
  hover.SetColor(0x0000FF);
  link->SetFont(&normal);
  link->SetHoverFont(&hover);
  link->SetCaption("vorlet.example");
  link->SetBounds(20, 80, 120, 16);
  link->SetParent(panel);
  EXPECT_EQ(link->GetCursor(), fw::crHandPoint);
  auto shot = Shown(link);
  const fw::TRect all(0, 0, link->GetWidth(), link->GetHeight());
  const int text = CountColour(*shot, all, 0x804000);
  EXPECT_GT(text, 5);
  link->Perform(fw::CM_MOUSEENTER);
  Settle();
  EXPECT_TRUE(link->Hovered());
  EXPECT_EQ(CountColour(*ScreenShot(link), all, 0x0000FF), text);
  link->Perform(fw::CM_MOUSELEAVE);
  Settle();
  EXPECT_EQ(CountColour(*ScreenShot(link), all, 0x804000), text);

  // A click with no URL does nothing; with one, the shell is asked once in the show mode.
  link->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  link->Perform(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_TRUE(opened.empty());
  link->SetURL("https://vorlet.example/");
  link->SetShowMode(skin::soMaximize);
  link->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  link->Perform(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], std::make_pair(std::string("https://vorlet.example/"), static_cast<int>(SW_MAXIMIZE)));
}

TEST_F(SkinnedLabelTest, SkinCommands) {
  int entered = 0, left = 0;
  label->OnMouseEnter = [&](fw::TObject*) { ++entered; };
  label->OnMouseLeave = [&](fw::TObject*) { ++left; };
  label->Perform(fw::CM_MOUSEENTER);
  label->Perform(fw::CM_MOUSELEAVE);
  EXPECT_EQ(entered + left, 2);
  Shown(label);
  ASSERT_EQ(label->GetFont()->GetColor(), kFirst.GlobalFont);
  // Command 2 of another manager leaves the colour; of the default manager it gives the
  // window text colour back.
  auto* other = fw::New<skin::TkSkinManager>(nullptr);
  label->Perform(skin::SM_SKINCMD, skin::SkinCmdWParam(skin::cmdRemoveSkin), reinterpret_cast<LPARAM>(other));
  EXPECT_EQ(label->GetFont()->GetColor(), kFirst.GlobalFont);
  other->Free();
  label->Perform(skin::SM_SKINCMD, skin::SkinCmdWParam(skin::cmdRemoveSkin), reinterpret_cast<LPARAM>(manager));
  EXPECT_EQ(label->GetFont()->GetColor(), fw::clWindowText);
  // A label that keeps its own colour keeps it.
  label->SetUseSkinColor(false);
  label->GetFont()->SetColor(0x0000C0);
  label->Perform(skin::SM_SKINCMD, skin::SkinCmdWParam(skin::cmdRemoveSkin), reinterpret_cast<LPARAM>(manager));
  EXPECT_EQ(label->GetFont()->GetColor(), 0x0000C0);
}

}  // namespace
