// The frame bar: the sliding heights and the vertical range as functions; under the control
// test skin its sections opened at once or sliding in passes (each pass's clipped frame heights
// read at the pauses, which the clock seam takes instead of sleeping), frames asked for on
// opening and freed on closing with the veto, the default frame, a title clicked during the last
// pass acted on afterwards, the titles' looks with an open section hot, and the skin commands.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "framework/forms/application.h"
#include "framework/forms/custom_form.h"
#include "framework/rtl/seams.h"
#include "skin/controls/frame_bar.h"
#include "skin/controls/label.h"
#include "skin/engine/frame_adapter.h"
#include "skin/engine/skin_manager.h"
#include "support/control_skin.h"

namespace {

using namespace control_skin;
using skin::TkFrameBar;
using skin::TkTitleItem;
using test_skins::PixelOf;

// Takes the bar's pauses instead of sleeping, with something to do at each.
class TPassClock : public fw::testing::TClock {
 public:
  std::function<void()> OnSleep;
  int Sleeps = 0;
  void Sleep(DWORD) override {
    ++Sleeps;
    if (OnSleep) OnSleep();
  }
};

// The height of the frame the window region lets show: its full height without a region.
int ShownHeight(fw::TFrame* frame) {
  if (!frame) return -1;
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  const int type = GetWindowRgn(frame->GetHandle(), rgn);
  RECT box{};
  GetRgnBox(rgn, &box);
  DeleteObject(rgn);
  if (type == ERROR) return frame->GetHeight();
  return type == NULLREGION ? 0 : box.bottom - box.top;
}

TEST(FrameBarSlide, PassHeightsRoundHalvesToEven) {
  std::vector<int> opening, closing;
  for (int pass = 0; pass <= 4; ++pass) opening.push_back(skin::SlideHeight(150, 4, pass, true));
  for (int pass = 0; pass < 4; ++pass) closing.push_back(skin::SlideHeight(150, 4, pass, false));
  EXPECT_EQ(opening, (std::vector<int>{0, 38, 75, 112, 150}));
  EXPECT_EQ(closing, (std::vector<int>{150, 112, 75, 38}));
  EXPECT_EQ(skin::SlideHeight(150, 0, 0, false), 0);
  EXPECT_EQ(skin::SlideHeight(150, 0, 0, true), 150);
}

class FrameBarTest : public ControlSkinTest {
 protected:
  void SetUp() override {
    ControlSkinTest::SetUp();
    previousClock = fw::testing::SetClock(&clock);
    form = fw::New<fw::TForm>(fw::Application);
    form->SetBounds(50, 50, 400, 360);
    bar = fw::New<TkFrameBar>(form);
    bar->SetBounds(0, 0, 131, 400);
    bar->SetParent(form);
    for (const char* caption : {"One", "Two", "Three"}) {
      TkTitleItem* item = bar->GetItems()->Add();
      item->SetCaption(caption);
      item->SetSkinSection("BARTITLE");
      item->OnCreateFrame = [this](fw::TObject* sender, fw::TFrame*& frame) {
        frame = fw::New<fw::TFrame>(nullptr);
        frame->SetHeight(150);
        made.push_back(static_cast<TkTitleItem*>(sender)->GetIndex());
      };
    }
    form->Show();
    Settle();
  }
  void TearDown() override {
    if (form) fw::Free(form);
    fw::testing::SetClock(previousClock);
    ControlSkinTest::TearDown();
  }
  TkTitleItem* Item(int i) { return bar->GetItems()->GetItems(i); }
  std::vector<int> States() {
    std::vector<int> states;
    for (int i = 0; i < 3; ++i) states.push_back(Item(i)->GetState());
    return states;
  }
  fw::TColor TitleFace(int i) {
    skin::kFrameBar::TkTitleButton* button = Item(i)->GetTitleButton();
    Settle();
    auto shot = ScreenOf(button);
    return PixelOf(*shot, button->GetWidth() - 6, button->GetHeight() / 2);
  }

  TPassClock clock;
  fw::testing::TClock* previousClock = nullptr;
  fw::TForm* form = nullptr;
  TkFrameBar* bar = nullptr;
  std::vector<int> made;
};

TEST_F(FrameBarTest, OpenItemOpensAtOnceAndTheRangeFollowsTheSections) {
  EXPECT_EQ(bar->GetSkinData()->GetSkinSection(), "BAR");
  EXPECT_EQ(bar->GetTitleHeight(), 28);
  EXPECT_EQ(bar->GetAlign(), fw::alLeft);
  // Three closed sections: 4 + 3 x 30 + 4.
  EXPECT_EQ(bar->GetVertScrollBar()->GetRange(), 98);
  EXPECT_EQ(Item(0)->GetTitleButton()->GetName(), "kTitleButton1");
  EXPECT_EQ(Item(0)->GetTitleButton()->GetTop(), 4);
  EXPECT_EQ(Item(2)->GetTitleButton()->GetTop(), 64);

  // Without AllowAllOpen the section opens at once whatever Animated says; the others close.
  bar->OpenItem(1, true);
  EXPECT_EQ(States(), (std::vector<int>{0, 1, 0}));
  EXPECT_EQ(made, std::vector<int>{1});
  // 4 + 30 + 182 + 30 + 4.
  EXPECT_EQ(bar->GetVertScrollBar()->GetRange(), 250);
  fw::TFrame* frame = Item(1)->GetFrame();
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->GetParent(), bar);
  // Right under its title.
  EXPECT_EQ(frame->GetTop(), 4 + 30 + 28);
  EXPECT_TRUE(frame->GetVisible());
  EXPECT_EQ(ShownHeight(frame), 150);
  EXPECT_EQ(Item(2)->GetTitleButton()->GetTop(), 4 + 30 + 182);

  // With AllowAllOpen the others stay open.
  bar->SetAllowAllOpen(true);
  bar->SetAnimation(false);
  bar->OpenItem(2, true);
  EXPECT_EQ(States(), (std::vector<int>{0, 1, 1}));
  EXPECT_EQ(bar->GetVertScrollBar()->GetRange(), 4 + 30 + 182 + 182 + 4);
  // Taller than the bar: the skinned vertical bar shows over the bar's right edge.
  ASSERT_NE(bar->GetVertSkinBar(), nullptr);
  EXPECT_TRUE(bar->GetVertSkinBar()->GetVisible());
  EXPECT_EQ(bar->GetVertSkinBar()->GetParent(), form);

  bar->SetAllowAllOpen(false);
  bar->OpenItem(0, false);
  EXPECT_EQ(States(), (std::vector<int>{1, 0, 0}));
  EXPECT_EQ(Item(1)->GetFrame(), nullptr);
  EXPECT_EQ(Item(2)->GetFrame(), nullptr);
  EXPECT_EQ(clock.Sleeps, 0);
}

// A change of the bar's height lays it out at once, the open frame taking up the change: the
// titles below it keep their distance to the bar's foot, and no scroll bar comes.
TEST_F(FrameBarTest, TheOpenFrameTakesUpAChangeOfTheBarsHeight) {
  bar->OpenItem(0, false);
  Settle();
  const int below = bar->GetHeight() - Item(2)->GetTitleButton()->GetTop();
  for (const int change : {120, -120, -60}) {
    const int frameHeight = Item(0)->GetFrame()->GetHeight();
    form->SetHeight(form->GetHeight() + change);
    Settle();
    EXPECT_EQ(Item(0)->GetFrame()->GetHeight(), frameHeight + change) << change;
    EXPECT_EQ(ShownHeight(Item(0)->GetFrame()), frameHeight + change) << change;
    EXPECT_EQ(bar->GetHeight() - Item(2)->GetTitleButton()->GetTop(), below) << change;
    EXPECT_FALSE(bar->GetVertSkinBar() && bar->GetVertSkinBar()->GetVisible()) << change;
  }
  EXPECT_EQ(clock.Sleeps, 0);
}

TEST_F(FrameBarTest, SectionsSlideInFourPassesPausingThroughTheClock) {
  bar->OpenItem(0, false);
  ASSERT_EQ(clock.Sleeps, 0);
  fw::TFrame* closing = Item(0)->GetFrame();
  std::vector<int> first, second;
  bool flagsHeld = true;
  fw::Application->SetShowHint(true);
  clock.OnSleep = [&] {
    // The pauses alternate between the closing and the opening section; the last is the opening's.
    const bool closingTurn = clock.Sleeps % 2 == 1 && clock.Sleeps < 9;
    (closingTurn ? first : second).push_back(ShownHeight(closingTurn ? closing : Item(1)->GetFrame()));
    flagsHeld = flagsHeld && skin::FrameBarAnimating && skin::FadingForbidden && !fw::Application->GetShowHint();
  };
  Item(1)->GetTitleButton()->Click();
  EXPECT_EQ(clock.Sleeps, 9);
  EXPECT_EQ(first, (std::vector<int>{150, 112, 75, 38}));
  EXPECT_EQ(second, (std::vector<int>{0, 38, 75, 112, 150}));
  EXPECT_TRUE(flagsHeld);
  EXPECT_FALSE(skin::FrameBarAnimating);
  EXPECT_FALSE(skin::FadingForbidden);
  EXPECT_TRUE(fw::Application->GetShowHint());
  EXPECT_EQ(States(), (std::vector<int>{0, 1, 0}));
  EXPECT_EQ(Item(0)->GetFrame(), nullptr);
  EXPECT_EQ(ShownHeight(Item(1)->GetFrame()), 150);
  // The gap above the frame goes with the slide: the frame ends right under its title, where
  // OpenItem puts it, and the range is that of an open section.
  EXPECT_EQ(Item(1)->GetFrame()->GetTop(), 4 + 30 + 28);
  EXPECT_EQ(bar->GetVertScrollBar()->GetRange(), 250);

  // The open section's title does nothing without AllowAllClose; with it the section slides shut.
  clock.OnSleep = nullptr;
  clock.Sleeps = 0;
  Item(1)->GetTitleButton()->Click();
  EXPECT_EQ(clock.Sleeps, 0);
  EXPECT_EQ(States(), (std::vector<int>{0, 1, 0}));
  bar->SetAllowAllClose(true);
  Item(1)->GetTitleButton()->Click();
  EXPECT_EQ(clock.Sleeps, 4);
  EXPECT_EQ(States(), (std::vector<int>{0, 0, 0}));

  // Without Animation every change takes one pass and no pause.
  bar->SetAnimation(false);
  clock.Sleeps = 0;
  Item(2)->GetTitleButton()->Click();
  EXPECT_EQ(clock.Sleeps, 0);
  EXPECT_EQ(States(), (std::vector<int>{0, 0, 1}));
}

TEST_F(FrameBarTest, ATitleClickedDuringTheLastPassIsActedOnAfterwards) {
  bar->OpenItem(0, false);
  int clickAt = -1;
  clock.OnSleep = [&] {
    // The opening section's last pause: the message pump would hand over a click now.
    if (clock.Sleeps == clickAt) Item(2)->GetTitleButton()->Click();
  };
  clickAt = 9;
  Item(1)->GetTitleButton()->Click();
  EXPECT_EQ(States(), (std::vector<int>{0, 0, 1}));
  EXPECT_EQ(Item(1)->GetFrame(), nullptr);
  EXPECT_EQ(ShownHeight(Item(2)->GetFrame()), 150);
  EXPECT_EQ(bar->GetVertScrollBar()->GetRange(), 250);
  EXPECT_TRUE(Item(2)->GetTitleButton()->GetOpen());
  EXPECT_FALSE(Item(1)->GetTitleButton()->GetOpen());
}

TEST_F(FrameBarTest, FramesComeOnOpeningAndGoOnClosingUnlessVetoed) {
  bar->SetAnimation(false);
  std::vector<fw::TFrame*> offered;
  bool allow = false;
  Item(0)->OnFrameDestroy = [&](fw::TObject* sender, fw::TFrame*& frame, bool& canDestroy) {
    EXPECT_EQ(sender, bar);
    EXPECT_TRUE(canDestroy);
    offered.push_back(frame);
    canDestroy = allow;
  };
  bar->OpenItem(0, false);
  fw::TFrame* kept = Item(0)->GetFrame();
  bar->OpenItem(1, false);
  // Vetoed: the frame stays, and is offered again at every later rearrangement.
  EXPECT_EQ(offered, std::vector<fw::TFrame*>{kept});
  EXPECT_EQ(Item(0)->GetFrame(), kept);
  EXPECT_EQ(Item(0)->GetState(), skin::tsClosed);
  allow = true;
  bar->OpenItem(2, false);
  EXPECT_EQ(offered, (std::vector<fw::TFrame*>{kept, kept}));
  EXPECT_EQ(Item(0)->GetFrame(), nullptr);
  // Every opening asks for a new frame.
  bar->OpenItem(0, false);
  EXPECT_EQ(made, (std::vector<int>{0, 1, 2, 0}));

  // A handler that gives no frame leaves the title alone: 4 + 30 + 30 + 30 + 4.
  Item(1)->OnCreateFrame = [](fw::TObject*, fw::TFrame*& frame) { frame = nullptr; };
  bar->OpenItem(1, false);
  EXPECT_EQ(Item(1)->GetFrame(), nullptr);
  EXPECT_EQ(bar->GetVertScrollBar()->GetRange(), 98);

  // Without a handler the bar shows its own frame with a notice in red.
  Item(2)->OnCreateFrame = nullptr;
  bar->OpenItem(2, false);
  fw::TFrame* frame = Item(2)->GetFrame();
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->GetOwner(), bar);
  EXPECT_EQ(frame->GetHeight(), 150);
  skin::TkFrameAdapter* adapter = nullptr;
  skin::TkLabel* notice = nullptr;
  for (int i = 0; i < frame->GetComponentCount(); ++i) {
    if (auto* a = dynamic_cast<skin::TkFrameAdapter*>(frame->GetComponents(i))) adapter = a;
    if (auto* l = dynamic_cast<skin::TkLabel*>(frame->GetComponents(i))) notice = l;
  }
  ASSERT_NE(adapter, nullptr);
  EXPECT_EQ(adapter->GetSkinData()->GetSkinSection(), "BARPANEL");
  ASSERT_NE(notice, nullptr);
  EXPECT_EQ(notice->GetCaption(), "Frame creation\r\nevent has not been defined.");
  EXPECT_EQ(notice->GetFont()->GetColor(), 0x0000FF);
  EXPECT_EQ(notice->GetAlign(), fw::alClient);
}

TEST_F(FrameBarTest, AnOpenSectionsTitleLooksHotInTheSkinsColours) {
  bar->OpenItem(0, false);
  const TSectionColours title = SectionOf(kFirst, "BARTITLE");
  EXPECT_EQ(Item(0)->GetTitleButton()->CurrentState(), 1);
  EXPECT_EQ(Item(1)->GetTitleButton()->CurrentState(), 0);
  EXPECT_EQ(TitleFace(0), title.Face[kHot]);
  EXPECT_EQ(TitleFace(1), title.Face[kNormal]);
  // The bar's own face between the titles, and its border strip.
  auto shot = ScreenOf(bar);
  EXPECT_EQ(PixelOf(*shot, 60, bar->GetHeight() - 10), SectionOf(kFirst, "BAR").Face[kNormal]);
  EXPECT_EQ(PixelOf(*shot, 0, bar->GetHeight() / 2), SectionOf(kFirst, "BAR").Edge[kNormal]);

  // Another skin repaints bar and titles in its colours.
  UseSecondSkin();
  Settle();
  EXPECT_EQ(TitleFace(0), SectionOf(kSecond, "BARTITLE").Face[kHot]);
  EXPECT_EQ(TitleFace(1), SectionOf(kSecond, "BARTITLE").Face[kNormal]);
  shot = ScreenOf(bar);
  EXPECT_EQ(PixelOf(*shot, 60, bar->GetHeight() - 10), SectionOf(kSecond, "BAR").Face[kNormal]);

  // Without the skin the skinned bar goes and the native bar serves the range.
  bar->SetAllowAllOpen(true);
  bar->OpenItem(1, false);
  bar->OpenItem(2, false);
  ASSERT_NE(bar->GetVertSkinBar(), nullptr);
  manager->SetActive(false);
  Settle();
  EXPECT_EQ(bar->GetVertSkinBar(), nullptr);
  EXPECT_TRUE(bar->GetVertScrollBar()->GetVisible());
  EXPECT_TRUE(bar->GetVertScrollBar()->IsShowing());
  EXPECT_TRUE(GetWindowLongA(bar->GetHandle(), GWL_STYLE) & WS_VSCROLL);
}

// With no manager at all the bar is a framework scroll box: the sections work as ever and the
// native bar serves the range.
TEST_F(FrameBarTest, WithoutAManagerTheNativeBarServesTheRange) {
  fw::Free(form);
  form = nullptr;
  manager->Free();
  manager = nullptr;
  ASSERT_EQ(skin::DefaultManager(), nullptr);
  form = fw::New<fw::TForm>(fw::Application);
  form->SetBounds(50, 50, 400, 360);
  bar = fw::New<TkFrameBar>(form);
  bar->SetParent(form);
  for (int i = 0; i < 3; ++i)
    bar->GetItems()->Add()->OnCreateFrame = [](fw::TObject*, fw::TFrame*& frame) {
      frame = fw::New<fw::TFrame>(nullptr);
      frame->SetHeight(150);
    };
  form->Show();
  bar->SetAllowAllOpen(true);
  for (int i = 0; i < 3; ++i) bar->OpenItem(i, false);
  Settle();
  EXPECT_EQ(States(), (std::vector<int>{1, 1, 1}));
  EXPECT_EQ(bar->GetVertSkinBar(), nullptr);
  EXPECT_TRUE(bar->GetVertScrollBar()->IsShowing());
  EXPECT_TRUE(GetWindowLongA(bar->GetHandle(), GWL_STYLE) & WS_VSCROLL);
  EXPECT_EQ(Item(0)->GetTitleButton()->CurrentState(), 1);
}

}  // namespace
