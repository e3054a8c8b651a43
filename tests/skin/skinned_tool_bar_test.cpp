// The skinned tool bar against the control test skin: a button's state index from its
// custom-draw state; the bar's face and every button drawn through the custom-draw events from
// "TOOLBUTTON" and its mask; the drop-down part and its arrow; a disabled button blended; a
// pressed caption moved; the hot button of a bar that is not Flat followed by mouse messages,
// never a disabled button or a separator; the second skin and the native look without a skin.
#include <gtest/gtest.h>

#include "framework/menus/menu_item.h"
#include "framework/menus/popup_menu.h"
#include "skin/controls/tool_bar.h"
#include "skin/engine/glyphs_text.h"
#include "skin/engine/skin_manager.h"
#include "support/panel_form_fixture.h"

namespace {

using namespace control_skin;
using control_shots::ScreenShot;
using test_skins::PixelOf;
using testing_paint::CountColour;

// The drop-down part's edge colour seen while the menu is open, then the menu closed.
fw::TColor SeenWhileDropped = 0;
fw::TControl* DroppedBar = nullptr;
fw::TPoint DroppedPoint;
void CALLBACK LookAndEndMenu(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  SeenWhileDropped = PixelOf(*ScreenShot(DroppedBar), DroppedPoint.X, DroppedPoint.Y);
  EndMenu();
}

class SkinnedToolBarTest : public control_shots::PanelFormTest {
 protected:
  void SetUp() override {
    PanelFormTest::SetUp();
    MakeForm(460, 200, fw::TRect(10, 10, 430, 150));
    bar = fw::New<skin::TkToolBar>(form);
    bar->SetBounds(10, 20, 380, 40);
    bar->SetAlign(fw::alNone);
    bar->SetParent(panel);
    bar->SetButtonWidth(40);
    bar->SetButtonHeight(30);
    for (int i = 0; i < 5; ++i) {
      auto* b = fw::New<fw::TToolButton>(form);
      b->SetText("B" + std::to_string(i));
      if (i == 2) b->SetStyle(fw::tbsSeparator);
      if (i == 3) b->SetEnabled(false);
      b->SetToolBar(bar);
      buttons.push_back(b);
    }
    ShowForm();
  }
  fw::TColor At(int button, int dx, int dy) {
    const fw::TRect r = buttons[button]->GetItemRect();
    return PixelOf(*ScreenShot(bar), r.Left + dx, r.Top + dy);
  }
  void MoveTo(int button) {
    const fw::TRect r = buttons[button]->GetItemRect();
    bar->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(r.Left + 5, r.Top + 5));
    Settle();
  }

  skin::TkToolBar* bar = nullptr;
  std::vector<fw::TToolButton*> buttons;
};

TEST_F(SkinnedToolBarTest, StateIndexFromCustomDrawState) {
  using S = fw::TCustomDrawState;
  EXPECT_EQ(skin::TkToolBar::ToolButtonState(S()), 0);
  EXPECT_EQ(skin::TkToolBar::ToolButtonState(S{fw::cdsDisabled}), 0);
  EXPECT_EQ(skin::TkToolBar::ToolButtonState(S{fw::cdsHot}), 1);
  EXPECT_EQ(skin::TkToolBar::ToolButtonState(S{fw::cdsDisabled, fw::cdsHot}), 1);
  EXPECT_EQ(skin::TkToolBar::ToolButtonState(S{fw::cdsSelected}), 2);
  EXPECT_EQ(skin::TkToolBar::ToolButtonState(S{fw::cdsChecked, fw::cdsHot}), 2);
}

TEST_F(SkinnedToolBarTest, ButtonsDrawnFromToolButtonSection) {
  ASSERT_TRUE(bar->GetSkinData()->SkinIsActive());
  EXPECT_EQ(bar->GetSkinData()->GetSkinSection(), "TOOLBAR");
  // New buttons are not down (the native bar answers -1 for a command it does not hold yet).
  for (fw::TToolButton* b : buttons) EXPECT_FALSE(b->GetDown());
  const TSectionColours tool = SectionOf(kFirst, "TOOLBUTTON");
  const fw::TRect r = buttons[0]->GetItemRect();
  ASSERT_GT(r.Width(), 2 * kBorder);
  EXPECT_EQ(At(0, 1, r.Height() / 2), tool.Edge[kNormal]);
  EXPECT_EQ(At(0, 4, 4), tool.Face[kNormal]);
  EXPECT_EQ(At(1, 1, r.Height() / 2), tool.Edge[kNormal]);
  // The bar's own face beyond the last button, no native frame around the buttons.
  auto shot = ScreenShot(bar);
  const fw::TRect last = buttons[4]->GetItemRect();
  EXPECT_EQ(PixelOf(*shot, last.Right + 20, 20), SectionOf(kFirst, "TOOLBAR").Face[kNormal]);
  // The disabled button: its normal face blended with what lies behind, not its plain face.
  EXPECT_NE(At(3, 4, 4), tool.Face[kNormal]);
  EXPECT_EQ(CountColour(*shot, buttons[3]->GetItemRect(), tool.Edge[kNormal]), 0);
}

TEST_F(SkinnedToolBarTest, HotButtonOfANonFlatBar) {
  bar->SetFlat(false);
  Settle();
  const TSectionColours tool = SectionOf(kFirst, "TOOLBUTTON");
  MoveTo(0);
  EXPECT_EQ(bar->GetHotButton(), 0);
  EXPECT_EQ(At(0, 1, 10), tool.Edge[kHot]);
  MoveTo(1);
  EXPECT_EQ(bar->GetHotButton(), 1);
  EXPECT_EQ(At(0, 1, 10), tool.Edge[kNormal]);
  EXPECT_EQ(At(1, 1, 10), tool.Edge[kHot]);
  // A disabled button never becomes hot: the hot button stays.
  MoveTo(3);
  EXPECT_EQ(bar->GetHotButton(), 1);
  // Over a separator no button is hot.
  MoveTo(2);
  EXPECT_EQ(bar->GetHotButton(), -1);
  EXPECT_EQ(At(1, 1, 10), tool.Edge[kNormal]);
  MoveTo(4);
  bar->Perform(fw::CM_MOUSELEAVE, 0, 0);
  Settle();
  EXPECT_EQ(bar->GetHotButton(), -1);
  EXPECT_EQ(At(4, 1, 10), tool.Edge[kNormal]);
}

TEST_F(SkinnedToolBarTest, NonFlatBarRepaintsOnlyTheTwoButtonsConcerned) {
  bar->SetFlat(false);
  Settle();
  MoveTo(0);
  // Paint over buttons 1 and 4 on the screen; only a repaint can bring their faces back.
  HDC dc = GetDC(bar->GetHandle());
  for (int i : {1, 4}) skin::FillDCRect(dc, buttons[i]->GetItemRect(), testing_paint::kCanary);
  ReleaseDC(bar->GetHandle(), dc);
  MoveTo(1);
  const TSectionColours tool = SectionOf(kFirst, "TOOLBUTTON");
  EXPECT_EQ(At(0, 1, 10), tool.Edge[kNormal]);
  EXPECT_EQ(At(1, 1, 10), tool.Edge[kHot]);
  EXPECT_EQ(At(4, 1, 10), testing_paint::kCanary);
  bar->Invalidate();
  Settle();
}

TEST_F(SkinnedToolBarTest, DropDownMenuShowsThePartPressedAndItsClosingRepaints) {
  auto* menu = fw::New<fw::TPopupMenu>(form);
  auto* item = fw::New<fw::TMenuItem>(menu);
  item->SetCaption("Details");
  menu->GetItems()->Add(item);
  buttons[1]->SetStyle(fw::tbsDropDown);
  buttons[1]->SetDropdownMenu(menu);
  Settle();
  const fw::TRect r = buttons[1]->GetItemRect();
  DroppedBar = bar;
  DroppedPoint = fw::TPoint(r.Right - GetSystemMetrics(SM_CXVSCROLL) + 1, r.Top + r.Height() / 2);
  NMTOOLBARA nm{};
  nm.hdr.hwndFrom = bar->GetHandle();
  nm.hdr.code = TBN_DROPDOWN;
  nm.iItem = buttons[1]->GetCommand();
  SetTimer(nullptr, 0, 150, LookAndEndMenu);
  bar->Perform(fw::CN_NOTIFY, 0, reinterpret_cast<LPARAM>(&nm));
  const TSectionColours tool = SectionOf(kFirst, "TOOLBUTTON");
  EXPECT_EQ(SeenWhileDropped, tool.Edge[kPressed]);
  Settle();
  EXPECT_EQ(At(1, DroppedPoint.X - r.Left, DroppedPoint.Y - r.Top), tool.Edge[kNormal]);
}

TEST_F(SkinnedToolBarTest, DropDownPartAndPressedCaption) {
  buttons[1]->SetStyle(fw::tbsDropDown);
  bar->SetShowCaptions(true);
  Settle();
  const fw::TRect r = buttons[1]->GetItemRect();
  const int mainWidth = r.Width() - GetSystemMetrics(SM_CXVSCROLL);
  auto shot = ScreenShot(bar);
  const TSectionColours tool = SectionOf(kFirst, "TOOLBUTTON");
  // The drop-down part: its own mask frame and the arrow of "SCROLLBTNBOTTOM".
  EXPECT_EQ(PixelOf(*shot, r.Left + mainWidth + 1, r.Top + r.Height() / 2), tool.Edge[kNormal]);
  EXPECT_GT(CountColour(*shot, fw::TRect(r.Left + mainWidth, r.Top, r.Right, r.Bottom), kFirst.Arrow[kNormal]), 3);
  // A pressed button's caption one pixel right and down.
  const fw::TSize size{r.Width(), r.Height()};
  fw::TRect normal = bar->ToolCaptionRect(buttons[0], size, 0), pressed = bar->ToolCaptionRect(buttons[0], size, 2);
  EXPECT_EQ(pressed.Left, normal.Left + 1);
  EXPECT_EQ(pressed.Top, normal.Top + 1);
  EXPECT_GT(CountColour(*shot, buttons[0]->GetItemRect(), tool.Font), 3);
}

TEST_F(SkinnedToolBarTest, EdgeStripsFromTheCache) {
  bar->SetEdgeInner(fw::esRaised);
  bar->SetEdgeOuter(fw::esLowered);
  bar->SetEdgeBorders(fw::TEdgeBorders{fw::ebLeft, fw::ebTop});
  Settle();
  EXPECT_EQ(bar->GetClientWidth(), 378);
  EXPECT_EQ(bar->GetClientHeight(), 38);
  auto shot = control_shots::WindowShot(bar);
  const TSectionColours face = SectionOf(kFirst, "TOOLBAR");
  // The two-pixel strips show the bar's mask edge, not the native edges.
  EXPECT_EQ(PixelOf(*shot, 0, 20), face.Edge[kNormal]);
  EXPECT_EQ(PixelOf(*shot, 1, 20), face.Edge[kNormal]);
  EXPECT_EQ(PixelOf(*shot, 200, 1), face.Edge[kNormal]);
  // The buttons start inside the strips, on the button face.
  EXPECT_EQ(PixelOf(*shot, 2 + buttons[0]->GetItemRect().Left + 4, 2 + 4), SectionOf(kFirst, "TOOLBUTTON").Face[kNormal]);
}

TEST_F(SkinnedToolBarTest, SecondSkinAndNoSkin) {
  UseSecondSkin();
  Settle();
  EXPECT_EQ(At(0, 1, 10), SectionOf(kSecond, "TOOLBUTTON").Edge[kNormal]);
  manager->SetActive(false);
  Settle();
  auto plain = ScreenShot(bar);
  for (const TControlSkin* s : {&kFirst, &kSecond})
    for (fw::TColor c : {SectionOf(*s, "TOOLBUTTON").Edge[kNormal], SectionOf(*s, "TOOLBAR").Face[kNormal]})
      EXPECT_EQ(CountColour(*plain, fw::TRect(0, 0, 380, 40), c), 0);
}

}  // namespace
