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

// The sections a scroll bar paints from, with no parents.
const std::vector<std::pair<std::string, std::string>> kScrollSections = {
    {"GLOBALINFO", ""},    {"SCROLLBTNTOP", ""}, {"SCROLLBTNBOTTOM", ""}, {"SCROLLBTNLEFT", ""},
    {"SCROLLBTNRIGHT", ""}, {"SCROLLBAR1H", ""},  {"SCROLLBAR1V", ""},     {"SCROLLBAR2H", ""},
    {"SCROLLBAR2V", ""},    {"SCROLLSLIDERH", ""}, {"SCROLLSLIDERV", ""}};

class ScrollBarTest : public SkinPaintTest {
 protected:
  void SetUp() override {
    SkinPaintTest::SetUp();
    LoadTestSkin();
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
  // Solid colours: the arrows in one, each track part and the slider in their own.
  virtual void LoadTestSkin() {
    LoadSkin(test_skins::MaskPicture({kArrow}, 4, 4, false),
             kScrollSections,
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

TEST_F(ScrollBarTest, RightToLeftNativeBars) {
  manager->SetActive(false);
  SendMessageA(bar->GetHandle(), skin::SM_SKINCMD, skin::SkinCmdWParam(skin::cmdRemoveSkin),
               reinterpret_cast<LPARAM>(manager));
  bar->SetLargeChange(10);
  // A vertical bar keeps its direction; its window aligns to the left.
  EXPECT_EQ(bar->MirrorFactor(), 1);
  EXPECT_NE(GetWindowLongA(bar->GetHandle(), GWL_STYLE) & SBS_RIGHTALIGN, 0);
  bar->SetBiDiMode(fw::bdRightToLeft);
  EXPECT_EQ(bar->MirrorFactor(), 1);
  EXPECT_NE(GetWindowLongA(bar->GetHandle(), GWL_STYLE) & SBS_LEFTALIGN, 0);
  EXPECT_EQ(GetWindowLongA(bar->GetHandle(), GWL_STYLE) & SBS_RIGHTALIGN, 0);
  bar->SetParams(30, 0, 100);
  SendMessageA(form->GetHandle(), WM_VSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(bar->GetHandle()));
  EXPECT_EQ(bar->GetPosition(), 31);
  // A horizontal one follows its form's mode and runs from Max at the left to Min at the right.
  bar->SetParentBiDiMode(true);
  bar->SetKind(fw::sbHorizontal);
  EXPECT_EQ(bar->MirrorFactor(), 1);
  form->SetBiDiMode(fw::bdRightToLeft);
  EXPECT_EQ(bar->GetBiDiMode(), fw::bdRightToLeft);
  ASSERT_EQ(bar->MirrorFactor(), -1);
  HWND native = bar->GetHandle();
  EXPECT_EQ(GetScrollPos(native, SB_CTL), 100 - 31);  // the window made again with the mirrored place
  bar->SetPosition(30);
  EXPECT_EQ(GetScrollPos(native, SB_CTL), 70);
  auto scroll = [&](WPARAM code) { SendMessageA(form->GetHandle(), WM_HSCROLL, code, reinterpret_cast<LPARAM>(native)); };
  scroll(SB_LINEDOWN);  // towards the left: back
  EXPECT_EQ(bar->GetPosition(), 29);
  EXPECT_EQ(GetScrollPos(native, SB_CTL), 71);
  scroll(SB_LINEUP);
  EXPECT_EQ(bar->GetPosition(), 30);
  scroll(SB_PAGEDOWN);
  EXPECT_EQ(bar->GetPosition(), 20);
  scroll(SB_PAGEUP);
  EXPECT_EQ(bar->GetPosition(), 30);
  SetScrollPos(native, SB_CTL, 90, FALSE);  // the thumb dropped near the left end
  scroll(MAKEWPARAM(SB_THUMBPOSITION, 90));
  EXPECT_EQ(bar->GetPosition(), 10);
  scroll(SB_BOTTOM);
  EXPECT_EQ(bar->GetPosition(), 100);
  EXPECT_EQ(GetScrollPos(native, SB_CTL), 0);
  // Back to left to right: the window is made again, unmirrored.
  form->SetBiDiMode(fw::bdLeftToRight);
  EXPECT_EQ(bar->MirrorFactor(), 1);
  EXPECT_EQ(GetScrollPos(bar->GetHandle(), SB_CTL), 100);
}

// The scroll sections framed: each part's BORDERSMASK has three solid frames (normal, hot,
// pressed) of its own colours; the arrow frames are 8 x 30 (top, left) or 30 x 8 (bottom,
// right).
constexpr fw::TColor kArrowN = 0x2040A0, kArrowH = 0x3050B0, kArrowP = 0x4060C0;
constexpr fw::TColor kTrack1N = 0x30A050, kTrack1H = 0x40B060, kTrack1P = 0x50C070;
constexpr fw::TColor kTrack2N = 0x60A030, kTrack2H = 0x70B040, kTrack2P = 0x80C050;
constexpr fw::TColor kSliderN = 0xA02060, kSliderH = 0xB03070, kSliderP = 0xC04080;

class ScrollBarStates : public ScrollBarTest {
 protected:
  void LoadTestSkin() override {
    test_skins::Picture master(90, 70, test_skins::kFuchsia);
    auto put = [&](const test_skins::Picture& frames, int top) {
      for (int y = 0; y < frames.Height; ++y)
        for (int x = 0; x < frames.Width; ++x) master.Set(x, top + y, frames.At(x, y));
    };
    put(test_skins::MaskPicture({kTrack1N, kTrack1H, kTrack1P}, 8, 8, false), 0);
    put(test_skins::MaskPicture({kTrack2N, kTrack2H, kTrack2P}, 8, 8, false), 8);
    put(test_skins::MaskPicture({kSliderN, kSliderH, kSliderP}, 8, 8, false), 16);
    put(test_skins::MaskPicture({kArrowN, kArrowH, kArrowP}, 8, 30, false), 24);
    put(test_skins::MaskPicture({kArrowN, kArrowH, kArrowP}, 30, 8, false), 54);
    LoadSkin(master,
             kScrollSections,
             [](skin::TkStoredSkin& s) {
               auto frame = [&](const char* section, fw::TRect r) {
                 AddImage(s, section, "BORDERSMASK", r, 0, 0, 2, 3);
               };
               for (const char* t : {"SCROLLBAR1H", "SCROLLBAR1V"}) frame(t, fw::TRect(0, 0, 24, 8));
               for (const char* t : {"SCROLLBAR2H", "SCROLLBAR2V"}) frame(t, fw::TRect(0, 8, 24, 16));
               for (const char* t : {"SCROLLSLIDERH", "SCROLLSLIDERV"}) frame(t, fw::TRect(0, 16, 24, 24));
               for (const char* t : {"SCROLLBTNTOP", "SCROLLBTNLEFT"}) frame(t, fw::TRect(0, 24, 24, 54));
               for (const char* t : {"SCROLLBTNBOTTOM", "SCROLLBTNRIGHT"}) frame(t, fw::TRect(0, 54, 90, 62));
             });
  }
  void SetUp() override {
    SetCursorPos(1000, 900);  // the real mouse far from the bar: only the test's messages count
    ScrollBarTest::SetUp();
  }
  // A pixel of the bar once its pending paint is done and the window's drawing reached the
  // screen. No other message is handled meanwhile: the real mouse and the repeat timers stay out
  // of it.
  fw::TColor Shown(int x, int y) {
    UpdateWindow(bar->GetHandle());
    GdiFlush();
    MSG msg;
    for (int i = 0; i < 3; ++i) {
      PeekMessageA(&msg, nullptr, WM_APP + 0x3FFF, WM_APP + 0x3FFF, PM_NOREMOVE);
      Sleep(10);
    }
    return ScreenPixel(x, y);
  }
  // The colour in the middle of a part.
  fw::TColor Middle(const fw::TRect& r) { return Shown((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2); }
  LPARAM ScreenAt(const fw::TRect& r) {
    const fw::TPoint s = bar->ClientToScreen(fw::TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
    return MAKELPARAM(s.X, s.Y);
  }
  void Hover(const fw::TRect& r) { SendMessageA(bar->GetHandle(), WM_NCHITTEST, 0, ScreenAt(r)); }
};

TEST_F(ScrollBarStates, PartsInEveryStateOnTheScreen) {
  bar->SetParams(50, 0, 100);
  bar->SetPageSize(20);
  bar->Invalidate();
  Settle();
  auto part = [&](skin::TkScrollPart p) { return bar->PartRect(p); };
  // Track part 1 runs from the first arrow to the slider, part 2 from the slider to the second.
  auto track1 = [&] { return fw::TRect(2, part(skin::spFirstArrow).Bottom + 2, 15, part(skin::spSlider).Top - 2); };
  auto track2 = [&] { return fw::TRect(2, part(skin::spSlider).Bottom + 2, 15, part(skin::spSecondArrow).Top - 2); };
  EXPECT_EQ(Middle(part(skin::spFirstArrow)), kArrowN);
  EXPECT_EQ(Middle(part(skin::spSecondArrow)), kArrowN);
  EXPECT_EQ(Middle(track1()), kTrack1N);
  EXPECT_EQ(Middle(track2()), kTrack2N);
  EXPECT_EQ(Middle(part(skin::spSlider)), kSliderN);
  // The mouse comes in: both track parts hot; over an arrow that arrow, over the slider the slider.
  bar->Perform(fw::CM_MOUSEENTER);
  EXPECT_EQ(Middle(track1()), kTrack1H);
  EXPECT_EQ(Middle(track2()), kTrack2H);
  Hover(part(skin::spFirstArrow));
  EXPECT_EQ(Middle(part(skin::spFirstArrow)), kArrowH);
  EXPECT_EQ(Middle(part(skin::spSecondArrow)), kArrowN);
  EXPECT_EQ(Middle(part(skin::spSlider)), kSliderN);
  Hover(part(skin::spSlider));
  EXPECT_EQ(Middle(part(skin::spFirstArrow)), kArrowN);
  EXPECT_EQ(Middle(part(skin::spSlider)), kSliderH);
  // Pressed: an arrow, the slider, a track part; each hot again (or normal) once released.
  Press(part(skin::spSecondArrow));
  EXPECT_EQ(Middle(part(skin::spSecondArrow)), kArrowP);
  Release(part(skin::spSecondArrow));
  EXPECT_EQ(Middle(part(skin::spSecondArrow)), kArrowH);
  Press(part(skin::spSlider));
  EXPECT_EQ(Middle(part(skin::spSlider)), kSliderP);
  Release(part(skin::spSlider));
  EXPECT_EQ(Middle(part(skin::spSlider)), kSliderH);
  const fw::TRect below = track2();
  Press(below);
  EXPECT_EQ(Middle(track2()), kTrack2P);
  EXPECT_EQ(Middle(track1()), kTrack1N);  // the other part: normal, the mouse is not over it
  Release(below);
  // The mouse leaves: everything normal.
  bar->Perform(fw::CM_MOUSELEAVE);
  EXPECT_EQ(Middle(part(skin::spSecondArrow)), kArrowN);
  EXPECT_EQ(Middle(part(skin::spSlider)), kSliderN);
  EXPECT_EQ(Middle(track1()), kTrack1N);
}

TEST_F(ScrollBarStates, ArrowsAsLongAsTheirFrames) {
  const int a = bar->ArrowSize();
  ASSERT_LT(a + 6, 30);
  bar->SetParams(50, 0, 100);
  for (const char* name : {"SCROLLBTNTOP", "SCROLLBTNBOTTOM", "SCROLLBTNLEFT", "SCROLLBTNRIGHT"})
    const_cast<skin::TkGeneralData&>(manager->GetSections()[manager->GetSkinIndex(name)]).ReservedBoolean = true;
  bar->Invalidate();
  Settle();
  // Vertical: the top arrow's frame is 30 high, the bottom one's 8 (below the arrow size).
  EXPECT_EQ(Shown(8, a + 6), kArrowN);
  EXPECT_EQ(Shown(8, 200 - a - 6), kTrack2N);
  EXPECT_EQ(Shown(8, 200 - a + 6), kArrowN);
  // The mouse still finds the arrows where they are.
  EXPECT_EQ(bar->PartRect(skin::spFirstArrow).Bottom, a);
  // Horizontal: the left frame is 8 wide, the right one 30.
  bar->SetKind(fw::sbHorizontal);
  bar->Invalidate();
  Settle();
  EXPECT_EQ(Shown(a + 6, 8), kTrack1N);
  EXPECT_EQ(Shown(a - 6, 8), kArrowN);
  EXPECT_EQ(Shown(200 - a - 6, 8), kArrowN);
  // Without the section's flag the arrow keeps the arrow size.
  const_cast<skin::TkGeneralData&>(manager->GetSections()[manager->GetSkinIndex("SCROLLBTNRIGHT")]).ReservedBoolean =
      false;
  bar->Invalidate();
  Settle();
  EXPECT_EQ(Shown(200 - a - 6, 8), kTrack2N);
}

}  // namespace
