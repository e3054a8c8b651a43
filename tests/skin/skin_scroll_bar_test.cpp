// The skinned scroll bar: its measures, the values and their range check, the mouse with its
// repeat timers, the keyboard, the window recreated native and plain by the skin commands, and
// its parts on the screen.
#include <gtest/gtest.h>

#include "framework/forms/application.h"
#include "framework/forms/custom_form.h"
#include "framework/forms/dialog_service.h"
#include "framework/rtl/exceptions.h"
#include "framework/sys/timer.h"
#include "skin/engine/scroll_bar.h"
#include "skin/engine/skin_command.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/stored_skins.h"
#include "support/skin_paint_fixture.h"

namespace {

using namespace testing_paint;
using skin::TkScrollBar;
using test_skins::PixelOf;

constexpr fw::TColor kArrow = 0x2040A0, kTrack1 = 0x30A050, kTrack2 = 0x50C070, kSlider = 0xA02060;

class ScrollBarTest : public SkinPaintTest {
 protected:
  void SetUp() override {
    SkinPaintTest::SetUp();
    LoadSkin(test_skins::MaskPicture({kArrow}, 4, 4, false),
             {{"GLOBALINFO", ""},
              {"SCROLLBTNTOP", ""},
              {"SCROLLBTNBOTTOM", ""},
              {"SCROLLBTNLEFT", ""},
              {"SCROLLBTNRIGHT", ""},
              {"SCROLLBAR1H", ""},
              {"SCROLLBAR1V", ""},
              {"SCROLLBAR2H", ""},
              {"SCROLLBAR2V", ""},
              {"SCROLLSLIDERH", ""},
              {"SCROLLSLIDERV", ""}},
             [](skin::TkStoredSkin& stored) {
               for (const char* s : {"SCROLLBTNTOP", "SCROLLBTNBOTTOM", "SCROLLBTNLEFT", "SCROLLBTNRIGHT"})
                 SectionOf(stored, s)->SetColor(kArrow);
               // The track parts turn hot while the mouse is over the bar.
               for (const char* s : {"SCROLLBAR1H", "SCROLLBAR1V"}) SectionOf(stored, s)->SetHotColor(kTrack1);
               for (const char* s : {"SCROLLBAR2H", "SCROLLBAR2V"}) SectionOf(stored, s)->SetHotColor(kTrack2);
               SectionOf(stored, "SCROLLBAR1H")->SetColor(kTrack1);
               SectionOf(stored, "SCROLLBAR1V")->SetColor(kTrack1);
               SectionOf(stored, "SCROLLBAR2H")->SetColor(kTrack2);
               SectionOf(stored, "SCROLLBAR2V")->SetColor(kTrack2);
               SectionOf(stored, "SCROLLSLIDERH")->SetColor(kSlider);
               SectionOf(stored, "SCROLLSLIDERV")->SetColor(kSlider);
             });
    form = fw::New<fw::TForm>(fw::Application);
    form->SetBounds(60, 60, 300, 300);
    bar = fw::New<TkScrollBar>(form);
    bar->SetName("bar");
    bar->SetKind(fw::sbVertical);
    bar->SetBounds(20, 10, 17, 200);
    bar->SetParent(form);
    form->Show();
    Settle();
  }
  void TearDown() override {
    fw::Free(form);
    SkinPaintTest::TearDown();
  }
  LPARAM At(fw::TRect r) { return MAKELPARAM((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2); }
  void Press(fw::TRect r) { SendMessageA(bar->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, At(r)); }
  void Release(fw::TRect r) { SendMessageA(bar->GetHandle(), WM_LBUTTONUP, 0, At(r)); }
  fw::TColor ScreenPixel(int x, int y) {
    const fw::TPoint p = bar->ClientToScreen(fw::TPoint(x, y));
    HDC screen = GetDC(nullptr);
    COLORREF c = GetPixel(screen, p.X, p.Y);
    ReleaseDC(nullptr, screen);
    return static_cast<fw::TColor>(c);
  }
  std::string ClassOf(HWND wnd) {
    char name[64] = {};
    GetClassNameA(wnd, name, sizeof name);
    return name;
  }

  fw::TForm* form = nullptr;
  TkScrollBar* bar = nullptr;
};

TEST_F(ScrollBarTest, MeasuresAlongTheBar) {
  const int a = GetSystemMetrics(SM_CYVSCROLL);
  EXPECT_EQ(bar->ArrowSize(), a);
  EXPECT_EQ(bar->TrackLength(), 200 - 2 * a);
  bar->SetParams(0, 0, 100000);
  EXPECT_EQ(bar->SliderSize(), 14);  // PageSize 0: 14 whatever the range
  // 100 pixels, PageSize 10 of 0..100: Round(TrackLength * 10 / 110) is below 14 and raised.
  bar->SetHeight(100);
  bar->SetParams(0, 0, 100);
  bar->SetPageSize(10);
  EXPECT_EQ(bar->SliderSize(), 14);
  bar->SetPageSize(-3);  // ignored
  EXPECT_EQ(bar->GetPageSize(), 10);
  // The slider at Min starts right after the first arrow; at Max it ends at the second.
  EXPECT_EQ(bar->PartRect(skin::spSlider).Top, a);
  bar->SetPosition(100);
  EXPECT_EQ(bar->PartRect(skin::spSlider).Bottom, 100 - a);
  EXPECT_EQ(bar->PositionFromPoint(fw::TPoint(5, 100 - a - 7)), 100);
  // A 40-pixel bar whose slider fills the track, or a range that leaves no divisor: no
  // division by zero, the position reads as Min.
  bar->SetHeight(40);
  bar->SetPageSize(1000);
  EXPECT_EQ(bar->PositionFromPoint(fw::TPoint(5, 20)), 0);
  bar->SetHeight(2 * a + 6);
  bar->SetPageSize(0);
  EXPECT_EQ(bar->PositionFromPoint(fw::TPoint(5, a + 3)), 0);
  Press(bar->PartRect(skin::spTrack2));
  Release(bar->PartRect(skin::spTrack2));
  scripted->Texts.clear();
  bar->SetParams(0, 10, 5);  // Max below Min is allowed skinned, with the warning
  bar->SetPageSize(5);       // Max + PageSize - Min = 0
  EXPECT_EQ(bar->SliderSize(), std::max(bar->TrackLength(), 0));
  EXPECT_EQ(bar->GetPosition(), 10);
}

TEST_F(ScrollBarTest, HeldArrowRepeatsAfterHalfASecond) {
  bar->SetParams(10, 0, 14);
  std::vector<int> seen;
  bar->OnPosChange = [&](fw::TObject*, int old) { seen.push_back(old); };
  Press(bar->PartRect(skin::spSecondArrow));
  EXPECT_EQ(bar->GetPosition(), 11);  // at once
  fw::TTimer* timer = bar->GetRepeatTimer();
  ASSERT_NE(timer, nullptr);
  EXPECT_EQ(timer->GetInterval(), 500u);
  timer->Tick();
  EXPECT_EQ(bar->GetPosition(), 12);
  EXPECT_EQ(timer->GetInterval(), 100u);  // then every 100 ms
  timer->Tick();
  timer->Tick();
  timer->Tick();
  EXPECT_EQ(bar->GetPosition(), 14);  // up to Max, no further
  EXPECT_EQ(bar->PartState(skin::spSecondArrow), skin::kPartPressed);
  Release(bar->PartRect(skin::spSecondArrow));
  EXPECT_EQ(bar->GetRepeatTimer(), nullptr);
  EXPECT_EQ(bar->PartState(skin::spSecondArrow), skin::kPartHot);
  EXPECT_EQ(seen, (std::vector<int>{10, 11, 12, 13}));
}

TEST_F(ScrollBarTest, PagingStopsAtTheCursor) {
  bar->SetParams(0, 0, 100);
  bar->SetLargeChange(10);
  // The cursor rests over the position 50 of the track.
  fw::TRect track = bar->PartRect(skin::spTrack2);
  int y = track.Bottom - 1;
  while (y > track.Top && bar->PositionFromPoint(fw::TPoint(5, y)) > 50) --y;
  const fw::TPoint screen = bar->ClientToScreen(fw::TPoint(5, y));
  SetCursorPos(screen.X, screen.Y);
  SendMessageA(bar->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, y));
  EXPECT_EQ(bar->GetPosition(), 10);
  fw::TTimer* timer = bar->GetRepeatTimer();
  ASSERT_NE(timer, nullptr);
  for (int i = 0; i < 10 && bar->GetRepeatTimer(); ++i) timer->Tick();
  EXPECT_EQ(bar->GetRepeatTimer(), nullptr);  // the timer went once the slider reached the cursor
  EXPECT_EQ(bar->GetPosition(), 50);
  SendMessageA(bar->GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(5, y));
}

TEST_F(ScrollBarTest, DragWithoutSmoothNotifiesOnceAtMouseUp) {
  bar->SetParams(20, 0, 100);
  bar->SetSmooth(false);
  std::vector<int> seen;
  std::vector<skin::TScrollCode> codes;
  bar->OnPosChange = [&](fw::TObject*, int old) { seen.push_back(old); };
  bar->OnScroll = [&](fw::TObject*, skin::TScrollCode code, int&) { codes.push_back(code); };
  const fw::TRect slider = bar->PartRect(skin::spSlider);
  Press(slider);
  EXPECT_EQ(bar->PartState(skin::spSlider), skin::kPartPressed);
  const LPARAM lower = MAKELPARAM(5, (slider.Top + slider.Bottom) / 2 + 60);
  SendMessageA(bar->GetHandle(), WM_MOUSEMOVE, MK_LBUTTON, lower);
  SendMessageA(bar->GetHandle(), WM_NCHITTEST, 0,
               [&] {
                 const fw::TPoint s = bar->ClientToScreen(fw::TPoint(5, (slider.Top + slider.Bottom) / 2 + 60));
                 return MAKELPARAM(s.X, s.Y);
               }());
  EXPECT_GT(bar->GetPosition(), 20);  // the slider follows
  EXPECT_TRUE(seen.empty());          // but nobody is told yet
  SendMessageA(bar->GetHandle(), WM_LBUTTONUP, 0, lower);
  EXPECT_EQ(seen, (std::vector<int>{20}));
  ASSERT_FALSE(codes.empty());
  EXPECT_EQ(codes.back(), skin::scEndScroll);
  EXPECT_EQ(bar->GetRepeatTimer(), nullptr);
}

TEST_F(ScrollBarTest, RangeCheckAndKeys) {
  scripted->Texts.clear();
  bar->SetParams(3, 5, 5);
  ASSERT_EQ(scripted->Texts.size(), 1u);
  EXPECT_EQ(scripted->Texts[0], "Scrollbar property out of range\r\nMax = 5(bar)");
  EXPECT_EQ(bar->GetMin(), 5);  // applied all the same
  EXPECT_EQ(bar->GetPosition(), 5);
  bar->SetLinkedControl(form);
  form->SetName("host");
  bar->SetMax(2);
  EXPECT_EQ(scripted->Texts.back(), "Scrollbar property out of range\r\nMax = 2(Owner=host)");
  bar->SetParams(40, 0, 100);
  bar->Perform(fw::CN_KEYDOWN, VK_END, 0);
  EXPECT_EQ(bar->GetPosition(), 100);
  bar->Perform(fw::CN_KEYDOWN, VK_HOME, 0);
  EXPECT_EQ(bar->GetPosition(), 0);
  bar->Perform(fw::CN_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(bar->GetPosition(), 1);
  EXPECT_NE(SendMessageA(bar->GetHandle(), WM_GETDLGCODE, 0, 0) & DLGC_WANTARROWS, 0);
}

TEST_F(ScrollBarTest, SkinCommandsRecreateTheWindow) {
  EXPECT_EQ(ClassOf(bar->GetHandle()), "TkScrollBarSkinned");
  const LPARAM own = reinterpret_cast<LPARAM>(manager);
  EXPECT_EQ(SendMessageA(bar->GetHandle(), skin::SM_SKINCMD, skin::SkinCmdWParam(skin::cmdRemoveSkin), 12345), 0);
  EXPECT_EQ(ClassOf(bar->GetHandle()), "TkScrollBarSkinned");  // another manager's command
  bar->SetParams(30, 0, 100);
  manager->SetActive(false);
  SendMessageA(bar->GetHandle(), skin::SM_SKINCMD, skin::SkinCmdWParam(skin::cmdRemoveSkin), own);
  HWND native = bar->GetHandle();
  EXPECT_NE(ClassOf(native), "TkScrollBarSkinned");
  EXPECT_EQ(GetScrollPos(native, SB_CTL), 30);
  // Native: the scroll messages move the position, and Max below Min raises.
  SendMessageA(form->GetHandle(), WM_VSCROLL, SB_PAGEDOWN, reinterpret_cast<LPARAM>(native));
  EXPECT_EQ(bar->GetPosition(), 31);
  EXPECT_EQ(GetScrollPos(native, SB_CTL), 31);
  EXPECT_THROW(bar->SetParams(0, 10, 5), fw::EInvalidOperation);
  manager->SetActive(true);
  SendMessageA(bar->GetHandle(), skin::SM_SKINCMD, skin::SkinCmdWParam(skin::cmdRefresh), own);
  EXPECT_EQ(ClassOf(bar->GetHandle()), "TkScrollBarSkinned");
  EXPECT_EQ(bar->GetPosition(), 31);
}

TEST_F(ScrollBarTest, PartsOnTheScreen) {
  bar->SetParams(0, 0, 100);
  bar->Invalidate();
  Settle();
  const fw::TRect first = bar->PartRect(skin::spFirstArrow), second = bar->PartRect(skin::spSecondArrow),
                  slider = bar->PartRect(skin::spSlider);
  EXPECT_EQ(ScreenPixel(8, first.Top + 2), kArrow);
  EXPECT_EQ(ScreenPixel(8, second.Bottom - 3), kArrow);
  EXPECT_EQ(ScreenPixel(8, (slider.Top + slider.Bottom) / 2), kSlider);
  EXPECT_EQ(ScreenPixel(8, slider.Bottom + 20), kTrack2);
  bar->SetPosition(100);
  Settle();
  const fw::TRect moved = bar->PartRect(skin::spSlider);
  EXPECT_EQ(ScreenPixel(8, (moved.Top + moved.Bottom) / 2), kSlider);
  EXPECT_EQ(ScreenPixel(8, moved.Top - 20), kTrack1);
  // Disabled: no slider while the linked control has nothing to scroll... and no slider colour.
  bar->SetLinkedControl(form);
  bar->SetEnabled(false);
  bar->Invalidate();
  Settle();
  EXPECT_NE(ScreenPixel(8, (moved.Top + moved.Bottom) / 2), kSlider);
}

}  // namespace
