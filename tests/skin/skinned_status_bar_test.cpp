// The skinned status bar against the control test skin: panel rectangles and the grip's place,
// the panels' "STATUSPANELMASK" faces, texts cut to their panel, the grip, dividers from
// "DIVIDER" when the section has no panel mask, the BorderWidth frame on the screen, the cache
// marked by a text change, the second skin and the framework's look without a skin, a
// transparent child (the search animation) on the bar's face colour, owner-drawn panels painted
// by the program in the skinned and the framework's bar, and one grip through a drag of the
// form's corner, none while it is maximised.
#include <gtest/gtest.h>

#include <vector>

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
  const HWND skinned = bar->GetHandle();
  manager->SetActive(false);
  Settle();
  EXPECT_FALSE(bar->GetSkinData()->SkinIsActive());
  // The window is made again for the framework's bar.
  EXPECT_NE(bar->GetHandle(), skinned);
  auto plain = ScreenShot(bar);
  for (fw::TColor c : {PanelEdge(kFirst), PanelEdge(kSecond), Grip(kFirst), Grip(kSecond), PanelFace(kSecond)})
    EXPECT_EQ(CountColour(*plain, fw::TRect(0, 0, 300, 24), c), 0);
}

// What the program paints into an owner-drawn panel: a block inset by 2 in its own colour.
constexpr fw::TColor kOwnerColour = 0x2468AC;
void PaintOwnerBlock(fw::TStatusBar* bar, fw::TStatusPanel*, const fw::TRect& r) {
  bar->GetCanvas()->GetBrush()->SetColor(kOwnerColour);
  bar->GetCanvas()->FillRect(fw::TRect(r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2));
}

TEST_F(SkinnedStatusBarTest, OwnerDrawnPanelPaintedByTheProgram) {
  // The framework's bar beside the skinned one: the window draws the panel through WM_DRAWITEM.
  auto* plain = Place<fw::TStatusBar>(panel, 10, 60, 300, 24);
  plain->SetAlign(fw::alNone);
  plain->SetBounds(10, 60, 300, 24);
  for (int width : {150, 30, 50}) plain->GetPanels()->Add()->SetWidth(width);
  plain->OnDrawPanel = PaintOwnerBlock;
  for (fw::TStatusBar* b : {static_cast<fw::TStatusBar*>(bar), plain}) {
    b->GetPanels()->GetItems(1)->SetStyle(fw::psOwnerDraw);
    b->GetPanels()->GetItems(1)->SetText("program's own");
  }
  std::vector<fw::TRect> drawn;
  bar->OnDrawPanel = [&](fw::TStatusBar* b, fw::TStatusPanel* p, const fw::TRect& r) {
    drawn.push_back(r);
    EXPECT_EQ(p, b->GetPanels()->GetItems(1));
    PaintOwnerBlock(b, p, r);
  };
  Settle();
  plain->Invalidate();
  bar->Invalidate();
  Settle();
  // Skinned: the panel's whole rectangle in the cache, the block in it and nothing of the mask.
  ASSERT_FALSE(drawn.empty());
  EXPECT_EQ(drawn.back(), bar->StatusPanelRect(1));
  const fw::TRect r = bar->StatusPanelRect(1);
  auto shot = ScreenShot(bar);
  EXPECT_EQ(CountColour(*shot, fw::TRect(0, 0, 300, 24), kOwnerColour), (r.Width() - 4) * (24 - 4));
  EXPECT_EQ(PixelOf(*shot, r.Left + 2, 12), kOwnerColour);
  EXPECT_EQ(CountColour(*shot, fw::TRect(r.Left + 2, 2, r.Right - 2, 22), PanelFace(kFirst)), 0);
  // The other panels keep their masks.
  EXPECT_EQ(PixelOf(*shot, bar->StatusPanelRect(0).Left + 2, 12), PanelEdge(kFirst));
  // The framework's bar: the block inside the panel's part of the window.
  RECT part{};
  SendMessageA(plain->GetHandle(), SB_GETRECT, 1, reinterpret_cast<LPARAM>(&part));
  auto plainShot = ScreenShot(plain);
  EXPECT_EQ(control_shots::BoxOf(*plainShot, [](fw::TColor c) { return c == kOwnerColour; }),
            fw::TRect(part.left + 2, part.top + 2, part.right - 2, part.bottom - 2));

  // Without a skin the skinned bar is the framework's: the window asks the program again.
  drawn.clear();
  manager->SetActive(false);
  Settle();
  bar->Invalidate();
  Settle();
  ASSERT_FALSE(drawn.empty());
  SendMessageA(bar->GetHandle(), SB_GETRECT, 1, reinterpret_cast<LPARAM>(&part));
  EXPECT_EQ(drawn.back(), fw::TRect(part));
  EXPECT_EQ(control_shots::BoxOf(*ScreenShot(bar), [](fw::TColor c) { return c == kOwnerColour; }),
            fw::TRect(part.left + 2, part.top + 2, part.right - 2, part.bottom - 2));
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

TEST_F(SkinnedStatusBarTest, OneGripAfterADragAndNoneMaximised) {
  // At the foot of the sizeable form, as the main window holds it.
  bar->SetParent(form);
  bar->SetAlign(fw::alBottom);
  auto gripPixelsShown = [this] {
    Settle();
    return CountColour(*ScreenShot(bar), fw::TRect(0, 0, bar->GetWidth(), bar->GetHeight()), Grip(kFirst));
  };
  const int oneGrip = gripPixelsShown();
  EXPECT_EQ(oneGrip, CountColour(Cache(), fw::TRect(0, 0, Cache().GetWidth(), Cache().GetHeight()), Grip(kFirst)));
  ASSERT_GT(oneGrip, 0);
  // A drag of the form's corner: five sizes, each painted before the next.
  for (int step = 1; step <= 5; ++step) {
    form->SetBounds(40, 40, 420 + 23 * step, 200 + 7 * step);
    Settle();
  }
  EXPECT_EQ(gripPixelsShown(), oneGrip);
  EXPECT_EQ(control_shots::BoxOf(*ScreenShot(bar), [](fw::TColor c) { return c == Grip(kFirst); }).Right,
            bar->GetWidth());
  // Maximised, the form cannot be sized from its corner: no grip at all, nor a stale one mid-bar.
  form->SetWindowState(fw::wsMaximized);
  EXPECT_EQ(gripPixelsShown(), 0);
  form->SetWindowState(fw::wsNormal);
  EXPECT_EQ(gripPixelsShown(), oneGrip);
}

}  // namespace
