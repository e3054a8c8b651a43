// The skinned status bar against the control test skin: panel rectangles and the grip's place,
// the panels' "STATUSPANELMASK" faces, texts cut to their panel, the grip, dividers from
// "DIVIDER" when the section has no panel mask, the BorderWidth frame on the screen, the cache
// marked by a text change, the second skin and the framework's look without a skin, and a
// transparent child (the search animation) on the bar's face colour.
#include <gtest/gtest.h>

#include "framework/comctrls/animate.h"
#include "skin/controls/status_bar.h"
#include "skin/engine/skin_manager.h"
#include "support/panel_form_fixture.h"

namespace {

using namespace control_skin;
using control_shots::ScreenShot;
using control_shots::WindowShot;
using test_skins::PixelOf;
using testing_paint::CountColour;

class SkinnedStatusBarTest : public control_shots::PanelFormTest {
 protected:
  void SetUp() override {
    PanelFormTest::SetUp();
    MakeForm(420, 200, fw::TRect(10, 10, 390, 150));
    bar = Place<skin::TkStatusBar>(panel, 10, 100, 300, 24);
    bar->SetAlign(fw::alNone);
    bar->SetBounds(10, 100, 300, 24);
    for (int width : {150, 30, 50}) bar->GetPanels()->Add()->SetWidth(width);
    ShowForm();
  }
  fw::TBitmap& Cache() { return *bar->GetSkinData()->CacheBmp; }
  static fw::TColor PanelEdge(const TControlSkin& s) { return Colour(s.Index, kPanelMaskNumber, 3); }
  static fw::TColor PanelFace(const TControlSkin& s) { return Colour(s.Index, kPanelMaskNumber, 0); }
  static fw::TColor Grip(const TControlSkin& s) { return Colour(s.Index, kGripNumber, 0); }

  skin::TkStatusBar* bar = nullptr;
};

TEST_F(SkinnedStatusBarTest, PanelRectanglesAndGripPlace) {
  EXPECT_EQ(bar->StatusPanelRect(0), fw::TRect(0, 0, 151, 24));
  EXPECT_EQ(bar->StatusPanelRect(1), fw::TRect(151, 0, 182, 24));
  // The last panel reaches the right edge whatever its width.
  EXPECT_EQ(bar->StatusPanelRect(2), fw::TRect(182, 0, 300, 24));
  EXPECT_EQ(bar->StatusGripPos(), fw::TPoint(300 - kGripSide, 24 - kGripSide));
  bar->SetBorderWidth(2);
  EXPECT_EQ(bar->StatusGripPos(), fw::TPoint(298 - kGripSide, 22 - kGripSide));
}

TEST_F(SkinnedStatusBarTest, PanelMasksTextsAndGripOnTheScreen) {
  bar->GetPanels()->GetItems(0)->SetText("Ready");
  bar->GetPanels()->GetItems(1)->SetText("A text far too wide for a panel of thirty pixels");
  Settle();
  auto shot = ScreenShot(bar);
  ASSERT_TRUE(bar->GetSkinData()->SkinIsActive());
  EXPECT_EQ(bar->GetSkinData()->GetSkinSection(), "STATUSBAR");
  // Each panel's mask over its rectangle inflated by one pixel: edge band, then face.
  for (int i = 0; i < 3; ++i) {
    const fw::TRect r = bar->StatusPanelRect(i);
    EXPECT_EQ(PixelOf(*shot, r.Left + 2, 12), PanelEdge(kFirst)) << i;
    EXPECT_EQ(PixelOf(*shot, r.Left + 1 + kBorder + 1, r.Top + 1 + kBorder), PanelFace(kFirst)) << i;
  }
  // The text in the section's font colour inside its panel; the cut text stays inside its own.
  const TSectionColours status = SectionOf(kFirst, "STATUSBAR");
  EXPECT_GT(CountColour(*shot, fw::TRect(2, 2, 150, 22), status.Font), 5);
  EXPECT_GT(CountColour(*shot, fw::TRect(152, 2, 178, 22), status.Font), 2);
  EXPECT_EQ(CountColour(*shot, fw::TRect(178, 0, 260, 24), status.Font), 0);
  // The grip: its lower-right triangle in the grip colour, its upper-left one transparent.
  const fw::TPoint g = bar->StatusGripPos();
  EXPECT_EQ(PixelOf(*shot, 299, 23), Grip(kFirst));
  EXPECT_NE(PixelOf(*shot, g.X + 1, g.Y + 1), Grip(kFirst));
  EXPECT_EQ(PixelOf(*shot, g.X + 1, g.Y + 1), PanelFace(kFirst));
}

TEST_F(SkinnedStatusBarTest, TextChangeMarksTheCache) {
  Settle();
  EXPECT_FALSE(bar->GetSkinData()->BGChanged);
  EXPECT_EQ(CountColour(Cache(), fw::TRect(2, 2, 150, 22), SectionOf(kFirst, "STATUSBAR").Font), 0);
  bar->GetPanels()->GetItems(0)->SetText("Searching");
  EXPECT_TRUE(bar->GetSkinData()->BGChanged);
  Settle();
  EXPECT_GT(CountColour(Cache(), fw::TRect(2, 2, 150, 22), SectionOf(kFirst, "STATUSBAR").Font), 5);
}

TEST_F(SkinnedStatusBarTest, DividersBetweenPanelsWithoutPanelMask) {
  // "PANEL" has no "STATUSPANELMASK": the panels stay on the face, "DIVIDER" between them.
  bar->GetSkinData()->SetSkinSection("PANEL");
  Settle();
  auto shot = ScreenShot(bar);
  const TSectionColours divider = SectionOf(kFirst, "DIVIDER");
  EXPECT_EQ(CountColour(*shot, fw::TRect(0, 0, 300, 24), PanelEdge(kFirst)), 0);
  for (int i = 0; i < 2; ++i) {
    const fw::TRect r = bar->StatusPanelRect(i);
    // A divider one mask frame wide ending at the panel's inner right edge.
    EXPECT_EQ(PixelOf(*shot, r.Right - 2, 12), divider.Edge[kNormal]) << i;
    EXPECT_EQ(PixelOf(*shot, r.Right - 1 - kFrame / 2, 12), divider.Face[kNormal]) << i;
  }
  // None after the last panel: its right end, above the grip, shows the bar's own face.
  const TSectionColours face = SectionOf(kFirst, "PANEL");
  EXPECT_EQ(CountColour(*shot, fw::TRect(283, 4, 296, 12), face.Face[kNormal]), 13 * 8);
}

TEST_F(SkinnedStatusBarTest, BorderWidthFrameFromTheCache) {
  bar->SetBorderWidth(3);
  Settle();
  EXPECT_EQ(bar->GetClientWidth(), 294);
  auto shot = WindowShot(bar);
  // The frame shows the cache: the bar's "BORDERSMASK" edge, inside it the first panel's mask.
  const TSectionColours status = SectionOf(kFirst, "STATUSBAR");
  EXPECT_EQ(PixelOf(*shot, 0, 12), status.Edge[kNormal]);
  EXPECT_EQ(PixelOf(*shot, 100, 0), status.Edge[kNormal]);
  EXPECT_EQ(PixelOf(*shot, 1, 12), PanelEdge(kFirst));
  EXPECT_TRUE(SamePixels(*shot, Cache()));
}

TEST_F(SkinnedStatusBarTest, SecondSkinAndNoSkin) {
  UseSecondSkin();
  Settle();
  auto second = ScreenShot(bar);
  EXPECT_EQ(PixelOf(*second, 2, 12), PanelEdge(kSecond));
  EXPECT_EQ(PixelOf(*second, 299, 23), Grip(kSecond));
  manager->SetActive(false);
  Settle();
  EXPECT_FALSE(bar->GetSkinData()->SkinIsActive());
  auto plain = ScreenShot(bar);
  for (fw::TColor c : {PanelEdge(kFirst), PanelEdge(kSecond), Grip(kFirst), Grip(kSecond), PanelFace(kSecond)})
    EXPECT_EQ(CountColour(*plain, fw::TRect(0, 0, 300, 24), c), 0);
}

// The colour of the brush the bar gives a child for its background.
fw::TColor ChildBrushColour(skin::TkStatusBar* bar, fw::TWinControl* child) {
  HDC dc = GetDC(child->GetHandle());
  auto brush = reinterpret_cast<HBRUSH>(SendMessageA(bar->GetHandle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                                     reinterpret_cast<LPARAM>(child->GetHandle())));
  const COLORREF background = GetBkColor(dc);
  ReleaseDC(child->GetHandle(), dc);
  LOGBRUSH info{};
  EXPECT_EQ(GetObjectA(brush, sizeof info, &info), static_cast<int>(sizeof info));
  EXPECT_EQ(background, info.lbColor);
  return static_cast<fw::TColor>(info.lbColor);
}

TEST_F(SkinnedStatusBarTest, ATransparentChildSitsOnTheBarsFace) {
  // As the main window's search animation: a transparent child taking its parent's colour.
  auto* anim = Place<fw::TAnimate>(bar, 60, 2, 80, 20);
  anim->SetCommonAVI(fw::aviFindFile);
  Settle();
  for (const TControlSkin* skin : {&kFirst, &kSecond}) {
    if (skin == &kSecond) UseSecondSkin();
    anim->SetActive(false);
    Settle();
    const fw::TColor face = SectionOf(*skin, "STATUSBAR").Face[kNormal];
    EXPECT_EQ(bar->GetColor(), face);
    EXPECT_EQ(anim->GetColor(), face);
    // At rest its background; playing, the brush its clip's transparent pixels are filled with.
    EXPECT_EQ(PixelOf(*ScreenShot(anim), 0, 0), face);
    EXPECT_EQ(ChildBrushColour(bar, anim), face);
    if (!anim->GetOpen()) continue;
    anim->SetActive(true);
    for (int i = 0; i < 5; ++i) {
      Sleep(20);
      Settle();
    }
    EXPECT_EQ(PixelOf(*ScreenShot(anim), 0, 0), face);
  }
  anim->SetActive(false);
  // Without the skin, the framework's bar colour; a custom colour stays the bar's own.
  manager->SetActive(false);
  Settle();
  EXPECT_EQ(bar->GetColor(), fw::clBtnFace);
  EXPECT_EQ(anim->GetColor(), fw::clBtnFace);
  bar->GetSkinData()->SetCustomColor(true);
  bar->SetColor(0x345678);
  manager->SetActive(true);
  Settle();
  EXPECT_EQ(anim->GetColor(), 0x345678);
}

}  // namespace
