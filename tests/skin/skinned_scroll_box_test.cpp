// The skinned scroll box under the control test skin: the bar information it lays its skinned
// bars by, bars made only when the content exceeds the box, scrolling by a bar moving windowed
// and graphic children between its two events, a focused child scrolled into view, the border
// strips and the corner square from the cache, another skin, and the native bars given back when
// the skin goes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/controls/custom_control.h"
#include "framework/controls/graphic_control.h"
#include "framework/forms/application.h"
#include "framework/forms/custom_form.h"
#include "skin/controls/scroll_box.h"
#include "skin/engine/skin_manager.h"
#include "support/control_skin.h"

namespace {

using namespace control_skin;
using skin::TkBarInfo;
using skin::TkScrollBox;
using test_skins::PixelOf;

class ScrollBoxTest : public ControlSkinTest {
 protected:
  void SetUp() override {
    ControlSkinTest::SetUp();
    form = fw::New<fw::TForm>(fw::Application);
    form->SetBounds(50, 50, 400, 300);
    box = fw::New<TkScrollBox>(form);
    box->SetBounds(10, 10, 200, 100);
    box->SetParent(form);
    form->Show();
    Settle();
    w = GetSystemMetrics(SM_CXVSCROLL);
    h = GetSystemMetrics(SM_CYHSCROLL);
  }
  void TearDown() override {
    if (form) fw::Free(form);
    ControlSkinTest::TearDown();
  }
  fw::TCustomControl* Child(int left, int top, int width, int height) {
    auto* c = fw::New<fw::TCustomControl>(form);
    c->SetBounds(left, top, width, height);
    c->SetParent(box);
    box->UpdateSkinScrollBars();
    Settle(2);
    return c;
  }
  int WindowTop(fw::TWinControl* c) {
    RECT r{};
    GetWindowRect(c->GetHandle(), &r);
    POINT p{r.left, r.top};
    ScreenToClient(box->GetHandle(), &p);
    return p.y;
  }
  // A pixel of the box's whole window (its border included) on the screen.
  fw::TColor BoxPixel(int x, int y) {
    Settle();
    auto shot = ScreenOf(box);
    return PixelOf(*shot, x, y);
  }

  fw::TForm* form = nullptr;
  TkScrollBox* box = nullptr;
  int w = 0, h = 0;
};

TEST_F(ScrollBoxTest, BarInformationWithAndWithoutTheOtherBarAndBorder) {
  EXPECT_EQ(box->GetSkinData()->GetSkinSection(), "PANEL_LOW");
  EXPECT_EQ(box->BorderSize(), 2);
  Child(0, 0, 50, 300);
  TkBarInfo v = box->GetVertBarInfo(), hz = box->GetHorzBarInfo();
  EXPECT_TRUE(v.Visible);
  EXPECT_EQ(v.Range, 300);
  EXPECT_EQ(v.Page, 96);
  EXPECT_EQ(v.Max, 204);
  EXPECT_EQ(v.Bounds, fw::TRect(10 + 200 - w - 2, 12, 208, 10 + 100 - 2 + 1));
  EXPECT_FALSE(hz.Visible);
  ASSERT_NE(box->GetVertSkinBar(), nullptr);
  EXPECT_EQ(box->GetHorzSkinBar(), nullptr);
  EXPECT_EQ(box->GetClientWidth(), 196 - w);

  // With both bars the vertical one leaves the bottom to the horizontal one.
  Child(0, 0, 400, 20);
  hz = box->GetHorzBarInfo();
  EXPECT_TRUE(hz.Visible);
  EXPECT_EQ(hz.Range, 400);
  EXPECT_EQ(hz.Bounds, fw::TRect(12, 10 + 100 - h - 2, 10 + 200 - 2 + 1, 108));
  ASSERT_NE(box->GetHorzSkinBar(), nullptr);
  EXPECT_EQ(box->GetVertSkinBar()->GetHeight(), box->GetVertBarInfo().Bounds.Height() - h);
  EXPECT_EQ(box->GetHorzSkinBar()->GetWidth(), hz.Bounds.Width() - w);

  box->SetBorderStyle(fw::bsNone);
  Settle();
  EXPECT_EQ(box->BorderSize(), 0);
  EXPECT_EQ(box->GetVertBarInfo().Bounds, fw::TRect(10 + 200 - w, 10, 210, 111));
}

TEST_F(ScrollBoxTest, SkinnedBarsComeOnlyWhenTheContentExceedsTheBox) {
  fw::TCustomControl* child = Child(0, 0, 50, 50);
  EXPECT_EQ(box->GetVertSkinBar(), nullptr);
  EXPECT_EQ(box->GetHorzSkinBar(), nullptr);
  EXPECT_FALSE(GetWindowLongA(box->GetHandle(), GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL));
  child->SetHeight(150);
  box->UpdateSkinScrollBars();
  ASSERT_NE(box->GetVertSkinBar(), nullptr);
  EXPECT_TRUE(box->GetVertSkinBar()->GetVisible());
  EXPECT_EQ(box->GetVertSkinBar()->GetParent(), form);
  EXPECT_EQ(box->GetVertSkinBar()->GetMax(), 150 - 96);
  // The native bar stays hidden.
  EXPECT_FALSE(GetWindowLongA(box->GetHandle(), GWL_STYLE) & WS_VSCROLL);
  child->SetHeight(60);
  box->UpdateSkinScrollBars();
  EXPECT_FALSE(box->GetVertSkinBar()->GetVisible());
}

TEST_F(ScrollBoxTest, ABarScrollsWindowedAndGraphicChildrenBetweenItsEvents) {
  fw::TCustomControl* low = Child(10, 150, 40, 40);
  auto* mark = fw::New<fw::TGraphicControl>(form);
  mark->SetBounds(60, 120, 10, 10);
  mark->SetParent(box);
  box->UpdateSkinScrollBars();
  std::vector<std::string> events;
  box->OnBeforeScroll = [&](fw::TObject*) { events.push_back("before " + std::to_string(WindowTop(low))); };
  box->OnAfterScroll = [&](fw::TObject*) { events.push_back("after " + std::to_string(WindowTop(low))); };
  ASSERT_NE(box->GetVertSkinBar(), nullptr);
  box->GetVertSkinBar()->SetPosition(40);
  EXPECT_EQ(events, (std::vector<std::string>{"before 150", "after 110"}));
  EXPECT_EQ(low->GetTop(), 110);
  EXPECT_EQ(mark->GetTop(), 80);
  EXPECT_EQ(box->GetVertScrollBar()->GetPosition(), 40);
  // What lies scrolled away still counts for the range.
  box->UpdateSkinScrollBars();
  EXPECT_EQ(box->GetVertSkinBar()->GetMax(), 190 - 96);
  // A line down by the box's own scroll message goes through the bar.
  box->Perform(WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(box->GetVertSkinBar()->GetPosition(), 40 + box->GetVertScrollBar()->GetIncrement());
  EXPECT_EQ(low->GetTop(), 150 - box->GetVertSkinBar()->GetPosition());
}

TEST_F(ScrollBoxTest, AFocusedChildIsScrolledIntoView) {
  fw::TCustomControl* hidden = Child(10, 250, 40, 20);
  hidden->SetTabStop(true);
  ASSERT_NE(box->GetVertSkinBar(), nullptr);
  hidden->SetFocus();
  Settle(2);
  EXPECT_EQ(box->GetVertSkinBar()->GetPosition(), 250 + 20 - box->GetClientHeight());
  EXPECT_EQ(WindowTop(hidden) + 20, box->GetClientHeight());
}

TEST_F(ScrollBoxTest, BorderStripsAndTheCornerSquareComeFromTheCache) {
  const TSectionColours low = SectionOf(kFirst, "PANEL_LOW");
  EXPECT_EQ(BoxPixel(0, 50), low.Edge[kNormal]);
  EXPECT_EQ(BoxPixel(100, 1), low.Edge[kNormal]);
  EXPECT_EQ(BoxPixel(100, 50), low.Face[kNormal]);
  Child(0, 0, 400, 10);
  Child(0, 0, 10, 300);
  const int x = box->GetWidth() - 2 - w, y = box->GetHeight() - 2 - h;
  EXPECT_EQ(BoxPixel(x + 2, y + 2), low.Face[kNormal]);
  EXPECT_EQ(BoxPixel(box->GetWidth() - 1, 50), low.Edge[kNormal]);

  UseSecondSkin();
  const TSectionColours second = SectionOf(kSecond, "PANEL_LOW");
  EXPECT_EQ(BoxPixel(0, 50), second.Edge[kNormal]);
  EXPECT_EQ(BoxPixel(x + 2, y + 2), second.Face[kNormal]);
}

TEST_F(ScrollBoxTest, RemovingTheSkinGivesTheNativeBarsBack) {
  fw::TCustomControl* low = Child(10, 150, 40, 40);
  ASSERT_NE(box->GetVertSkinBar(), nullptr);
  box->GetVertSkinBar()->SetPosition(30);
  manager->SetActive(false);
  Settle();
  EXPECT_EQ(box->GetVertSkinBar(), nullptr);
  EXPECT_TRUE(box->GetVertScrollBar()->GetVisible());
  EXPECT_TRUE(GetWindowLongA(box->GetHandle(), GWL_STYLE) & WS_VSCROLL);
  EXPECT_EQ(low->GetTop(), 150);
  // The native bar scrolls the content now.
  box->Perform(WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(low->GetTop(), 150 - box->GetVertScrollBar()->GetIncrement());
}

// A box loaded with its content scrolled (children stored where the scrolled view shows them):
// the saved position goes to the skinned bar when there is one, and waits when there is none
// (here the native bar is switched off, so no skinned bar stands in for it).
TEST_F(ScrollBoxTest, ALoadedBoxGivesItsSavedPositionToTheBarOnlyWhenThereIsOne) {
  auto load = [this](bool barVisible) {
    TkScrollBox* loaded = nullptr;
    fw::TCustomControl* child = nullptr;
    {
      fw::TLoadScope scope;
      loaded = fw::New<TkScrollBox>(form);
      loaded->SetBounds(220, 10, 150, 100);
      loaded->SetParent(form);
      child = fw::New<fw::TCustomControl>(form);
      child->SetBounds(0, 150, 40, 40);
      child->SetParent(loaded);
      loaded->GetVertScrollBar()->SetPosition(20);
      loaded->GetVertScrollBar()->SetVisible(barVisible);
    }
    Settle(2);
    return std::pair{loaded, child};
  };
  auto [shown, low] = load(true);
  ASSERT_NE(shown->GetVertSkinBar(), nullptr);
  EXPECT_EQ(shown->GetVertSkinBar()->GetPosition(), 20);
  EXPECT_EQ(shown->GetVertScrollBar()->GetPosition(), 20);
  EXPECT_EQ(low->GetTop(), 150);
  auto [none, other] = load(false);
  EXPECT_EQ(none->GetVertSkinBar(), nullptr);
}

}  // namespace
