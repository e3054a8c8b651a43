// The skinned spin edits and up-down against the control test skin: the value rules and key
// filter as functions, the spin button's halves with their arrows per state and the key colour
// they give back after their paint, the auto-repeat by stepping the repeat timer, keys and the
// wheel (a read-only spin edit keeps its value), leaving the control clamping its text; the
// up-down's state machine and its halves per state; the skin commands.
#include <gtest/gtest.h>

#include "framework/forms/application.h"
#include "framework/forms/custom_form.h"
#include "skin/controls/spin_edit.h"
#include "skin/controls/up_down.h"
#include "skin/engine/skin_manager.h"
#include "support/panel_form_fixture.h"

namespace {

using namespace control_skin;
using control_shots::BoxOf;
using control_shots::ScreenShot;
using test_skins::PixelOf;
using testing_paint::CountColour;

TEST(SpinRules, ValueClampAndKeys) {
  // Empty, not a number or beyond 32 bits: the fallback (MinValue).
  EXPECT_EQ(skin::SpinTextValue("", 7), 7);
  EXPECT_EQ(skin::SpinTextValue("12a", 7), 7);
  EXPECT_EQ(skin::SpinTextValue("4294967296", 7), 7);
  EXPECT_EQ(skin::SpinTextValue("-2147483649", 7), 7);
  EXPECT_EQ(skin::SpinTextValue("2147483647", 7), 2147483647);
  EXPECT_EQ(skin::SpinTextValue(" -12 ", 7), -12);
  // Equal bounds (0 and 0 by default) clamp nothing.
  EXPECT_EQ(skin::ClampSpinValue(50, 0, 0), 50);
  EXPECT_EQ(skin::ClampSpinValue(-50, 3, 3), -50);
  EXPECT_EQ(skin::ClampSpinValue(50, 1, 10), 10);
  EXPECT_EQ(skin::ClampSpinValue(0, 1, 10), 1);
  EXPECT_EQ(skin::ClampSpinValue(5, 1, 10), 5);
  // A spin button is never narrower than 15.
  EXPECT_EQ(skin::SpinButtonWidth(10), 15);
  EXPECT_EQ(skin::SpinButtonWidth(18), 18);
  // Keys: outside the set, printable characters and Enter are refused; typing off leaves only
  // control characters other than Backspace.
  EXPECT_FALSE(skin::SpinKeyAccepted('x', false, true));
  EXPECT_FALSE(skin::SpinKeyAccepted('\r', false, true));
  EXPECT_FALSE(skin::SpinKeyAccepted('\xC3', false, true));
  EXPECT_TRUE(skin::SpinKeyAccepted('\x03', false, true));
  EXPECT_TRUE(skin::SpinKeyAccepted('5', true, true));
  EXPECT_FALSE(skin::SpinKeyAccepted('5', true, false));
  EXPECT_FALSE(skin::SpinKeyAccepted('\b', false, false));
  EXPECT_TRUE(skin::SpinKeyAccepted('\x16', false, false));
}

class SkinnedSpinEditTest : public control_shots::PanelFormTest {
 protected:
  void SetUp() override {
    PanelFormTest::SetUp();
    {
      fw::TLoadScope scope;
      MakeForm(400, 280, fw::TRect(0, 0, 380, 240));
      focus = Place<fw::TEdit>(panel, 10, 200, 60, 24);
      spin = Place<skin::TkSpinEdit>(panel, 100, 20, 100, 24);
      base = Place<skin::TkBaseSpinEdit>(panel, 100, 60, 100, 24);
      upDown = Place<skin::TkUpDown>(panel, 260, 20, 20, 40);
      horizontal = Place<skin::TkUpDown>(panel, 260, 100, 40, 20);
      horizontal->SetOrientation(fw::udHorizontal);
    }
    ShowForm();
    focus->SetFocus();
    Settle();
  }
  skin::TkTimerSpeedButton* Up() const { return spin->GetButton()->GetUpButton(); }
  skin::TkTimerSpeedButton* Down() const { return spin->GetButton()->GetDownButton(); }
  // A left press (and release) at the middle of a half, as the spin button's window gets it.
  void Mouse(UINT msg, skin::TkTimerSpeedButton* half) {
    spin->GetButton()->Perform(msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON,
                               MAKELPARAM(half->GetLeft() + half->GetWidth() / 2, half->GetTop() + half->GetHeight() / 2));
  }
  // The half's cache: its arrow's box (the black inside of the triangle) and the face around it.
  static fw::TRect ArrowBox(skin::TkTimerSpeedButton* half) {
    return BoxOf(*half->GetSkinData()->CacheBmp, [](fw::TColor c) { return c == 0; });
  }

  fw::TEdit* focus = nullptr;
  skin::TkSpinEdit* spin = nullptr;
  skin::TkBaseSpinEdit* base = nullptr;
  skin::TkUpDown* upDown = nullptr;
  skin::TkUpDown* horizontal = nullptr;
};

TEST_F(SkinnedSpinEditTest, ValueAndKeys) {
  EXPECT_EQ(spin->GetText(), "0");
  spin->SetMinValue(1);
  spin->SetMaxValue(10);
  spin->SetValue(50);
  EXPECT_EQ(spin->GetText(), "10");
  spin->SetText("abc");
  EXPECT_EQ(spin->GetValue(), 1);
  // Reading does not clamp; leaving the control rewrites the text.
  spin->SetText("0");
  EXPECT_EQ(spin->GetValue(), 0);
  spin->Perform(fw::CM_EXIT);
  EXPECT_EQ(spin->GetText(), "1");
  spin->SetText("5");
  spin->Perform(fw::CM_EXIT);
  EXPECT_EQ(spin->GetText(), "5");

  // The minus sign only in the base spin edit; Enter in neither.
  EXPECT_FALSE(spin->AcceptsKey('-'));
  EXPECT_TRUE(base->AcceptsKey('-'));
  EXPECT_TRUE(base->AcceptsKey('+'));
  EXPECT_FALSE(spin->AcceptsKey('\r'));
  EXPECT_FALSE(base->AcceptsKey('\r'));
  EXPECT_TRUE(spin->AcceptsKey('7'));

  // Typed: a refused key is dropped, an accepted one reaches the edit; arrows step.
  spin->SetFocus();
  spin->SetText("5");
  spin->SetSelStart(1);
  for (char key : {'-', 'x', '3'}) PostMessageA(spin->GetHandle(), WM_CHAR, static_cast<unsigned char>(key), 1);
  Settle();
  EXPECT_EQ(spin->GetText(), "53");
  spin->SetText("5");
  WORD key = VK_UP;
  spin->Perform(fw::CN_KEYDOWN, key, 0);
  EXPECT_EQ(spin->GetValue(), 6);
  spin->Perform(fw::CN_KEYDOWN, VK_DOWN, 0);
  spin->Perform(fw::CN_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(spin->GetValue(), 4);
}

TEST_F(SkinnedSpinEditTest, WheelAndReadOnly) {
  spin->SetIncrement(5);
  spin->SetValue(10);
  EXPECT_EQ(spin->Perform(fw::CM_MOUSEWHEEL, MAKEWPARAM(0, 2 * WHEEL_DELTA), 0), 1);
  EXPECT_EQ(spin->GetValue(), 20);
  spin->Perform(fw::CM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
  EXPECT_EQ(spin->GetValue(), 15);
  // Read-only: neither the wheel nor a step changes the value.
  spin->SetReadOnly(true);
  spin->Perform(fw::CM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
  spin->StepUp(spin);
  spin->StepDown(spin);
  EXPECT_EQ(spin->GetValue(), 15);
}

TEST_F(SkinnedSpinEditTest, ButtonsWithArrows) {
  skin::TkSpinButton* button = spin->GetButton();
  // At the right edge inside the frame, the height of the client area, halves up over down.
  EXPECT_EQ(button->GetParent(), spin);
  EXPECT_EQ(button->GetWidth(), 18);
  EXPECT_EQ(button->GetLeft(), spin->GetWidth() - 18 - 4);
  EXPECT_EQ(button->GetHeight(), spin->GetHeight() - 4);
  EXPECT_EQ(Up()->GetHeight(), button->GetHeight() / 2);
  EXPECT_EQ(Down()->GetTop(), Up()->GetHeight());
  EXPECT_EQ(Down()->GetTop() + Down()->GetHeight(), button->GetHeight());
  button->SetBounds(button->GetLeft(), 0, 10, button->GetHeight());
  EXPECT_EQ(button->GetWidth(), 15);
  EXPECT_EQ(Up()->GetWidth(), 15);
  button->SetBounds(button->GetLeft(), 0, 18, button->GetHeight());
  // The native edit's text stops before the buttons.
  RECT rect{};
  SendMessageA(spin->GetHandle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&rect));
  EXPECT_LE(rect.right, button->GetLeft());

  // Both halves from "SPEEDBUTTON_SMALL", with an arrow outlined in the edit's font colour.
  const TSectionColours small = SectionOf(kFirst, "SPEEDBUTTON_SMALL");
  for (skin::TkTimerSpeedButton* half : {Up(), Down()}) {
    EXPECT_EQ(half->GetSkinData()->GetSkinSection(), "SPEEDBUTTON_SMALL");
    fw::TBitmap& cache = *half->GetSkinData()->CacheBmp;
    EXPECT_EQ(PixelOf(cache, half->GetWidth() / 2, 1), small.Edge[kNormal]);
    EXPECT_EQ(PixelOf(cache, 4, half->GetHeight() / 2), small.Face[kNormal]);
    EXPECT_GT(CountColour(cache, fw::TRect(0, 0, half->GetWidth(), half->GetHeight()), kFirst.Edit.Font), 3);
  }
  // The up arrow is wider at its bottom, the down arrow at its top.
  const fw::TRect upBox = ArrowBox(Up()), downBox = ArrowBox(Down());
  ASSERT_GT(upBox.Height(), 1);
  ASSERT_GT(downBox.Height(), 1);
  auto rowInk = [](skin::TkTimerSpeedButton* half, int y) {
    return CountColour(*half->GetSkinData()->CacheBmp, fw::TRect(0, y, half->GetWidth(), y + 1), 0);
  };
  EXPECT_GT(rowInk(Up(), upBox.Bottom - 1), rowInk(Up(), upBox.Top));
  EXPECT_GT(rowInk(Down(), downBox.Top), rowInk(Down(), downBox.Bottom - 1));
  // On the screen as in the caches.
  Settle();
  auto shot = ScreenShot(button);
  EXPECT_EQ(PixelOf(*shot, 4, Up()->GetHeight() / 2), small.Face[kNormal]);
  EXPECT_EQ(PixelOf(*shot, 4, Down()->GetTop() + Down()->GetHeight() / 2), small.Face[kNormal]);

  // Hot, then pressed.
  Up()->Perform(fw::CM_MOUSEENTER);
  Settle();
  EXPECT_EQ(PixelOf(*Up()->GetSkinData()->CacheBmp, Up()->GetWidth() / 2, 1), small.Edge[kHot]);
  Up()->Perform(fw::CM_MOUSELEAVE);
  Mouse(WM_LBUTTONDOWN, Down());
  Settle();
  EXPECT_EQ(PixelOf(*Down()->GetSkinData()->CacheBmp, Down()->GetWidth() / 2, 1), small.Edge[kPressed]);
  Mouse(WM_LBUTTONUP, Down());
  Settle();
  EXPECT_EQ(PixelOf(*Down()->GetSkinData()->CacheBmp, Down()->GetWidth() / 2, 1), small.Edge[kNormal]);
}

// The halves paint with the window colour in place of the key colour, and give the key colour
// back, skinned or not: a control painted next must not take the window colour for its own.
TEST_F(SkinnedSpinEditTest, ButtonsGiveTheKeyColourBackAfterTheirPaint) {
  for (bool skinned : {true, false}) {
    SCOPED_TRACE(skinned ? "skinned" : "without a skin");
    manager->SetActive(skinned);
    Settle();
    // The halves alone, their caches as they are.
    RedrawWindow(spin->GetButton()->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(skin::MaskFillColor, fw::clFuchsia);
    EXPECT_EQ(skin::ParentBgColor, fw::clFuchsia);
  }
}

TEST_F(SkinnedSpinEditTest, HeldButtonRepeats) {
  spin->SetValue(10);
  Mouse(WM_LBUTTONDOWN, Up());
  fw::TTimer* timer = Up()->RepeatTimer();
  ASSERT_NE(timer, nullptr);
  EXPECT_TRUE(timer->GetEnabled());
  EXPECT_EQ(timer->GetInterval(), 400u);
  EXPECT_EQ(spin->GetValue(), 10);
  // The first tick clicks and speeds the timer up; every tick after clicks again.
  timer->Tick();
  EXPECT_EQ(spin->GetValue(), 11);
  EXPECT_EQ(timer->GetInterval(), 100u);
  timer->Tick();
  timer->Tick();
  EXPECT_EQ(spin->GetValue(), 13);
  // The release clicks once more and stops the repeat.
  Mouse(WM_LBUTTONUP, Up());
  EXPECT_EQ(spin->GetValue(), 14);
  EXPECT_FALSE(timer->GetEnabled());
  // A tick without the mouse held clicks nothing.
  timer->Tick();
  EXPECT_EQ(spin->GetValue(), 14);
  // The down half steps down; a read-only spin edit keeps its value.
  Mouse(WM_LBUTTONDOWN, Down());
  Down()->RepeatTimer()->Tick();
  Mouse(WM_LBUTTONUP, Down());
  EXPECT_EQ(spin->GetValue(), 12);
  spin->SetReadOnly(true);
  Mouse(WM_LBUTTONDOWN, Up());
  Up()->RepeatTimer()->Tick();
  Mouse(WM_LBUTTONUP, Up());
  EXPECT_EQ(spin->GetValue(), 12);
}

TEST_F(SkinnedSpinEditTest, UpDownStates) {
  using skin::TkUpDown;
  upDown->SetMin(0);
  upDown->SetMax(10);
  upDown->SetPosition(5);
  const fw::TPoint top = upDown->ClientToScreen(fw::TPoint(10, 5));
  const fw::TPoint bottom = upDown->ClientToScreen(fw::TPoint(10, 35));
  auto hover = [&](skin::TkUpDown* c, fw::TPoint p) { c->Perform(WM_NCHITTEST, 0, MAKELPARAM(p.X, p.Y)); };
  hover(upDown, top);
  EXPECT_EQ(upDown->GetButtonState(), TkUpDown::usFirstHot);
  hover(upDown, bottom);
  EXPECT_EQ(upDown->GetButtonState(), TkUpDown::usSecondHot);
  upDown->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 35));
  EXPECT_EQ(upDown->GetButtonState(), TkUpDown::usSecondPressed);
  // While pressed, hovering the other half changes nothing.
  hover(upDown, top);
  EXPECT_EQ(upDown->GetButtonState(), TkUpDown::usSecondPressed);
  upDown->Perform(WM_LBUTTONUP, 0, MAKELPARAM(10, 35));
  EXPECT_EQ(upDown->GetButtonState(), TkUpDown::usSecondHot);
  upDown->Perform(fw::CM_MOUSELEAVE);
  EXPECT_EQ(upDown->GetButtonState(), TkUpDown::usNone);

  // At Max the top half is at its limit: never hot, never pressed.
  upDown->SetPosition(10);
  hover(upDown, top);
  EXPECT_EQ(upDown->GetButtonState(), TkUpDown::usNone);
  // Without ShowInaccessibility it becomes hot, but a press still cannot go beyond Max.
  upDown->SetShowInaccessibility(false);
  hover(upDown, top);
  EXPECT_EQ(upDown->GetButtonState(), TkUpDown::usFirstHot);
  upDown->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 5));
  EXPECT_EQ(upDown->GetButtonState(), TkUpDown::usFirstHot);
  upDown->Perform(WM_LBUTTONUP, 0, MAKELPARAM(10, 5));

  // Horizontal: left moves towards Min, right towards Max, for hit test and press alike.
  horizontal->SetMin(0);
  horizontal->SetMax(3);
  horizontal->SetPosition(0);
  EXPECT_TRUE(horizontal->AtLimit(skin::akLeft));
  EXPECT_FALSE(horizontal->AtLimit(skin::akRight));
  hover(horizontal, horizontal->ClientToScreen(fw::TPoint(5, 10)));
  EXPECT_EQ(horizontal->GetButtonState(), TkUpDown::usNone);
  hover(horizontal, horizontal->ClientToScreen(fw::TPoint(35, 10)));
  EXPECT_EQ(horizontal->GetButtonState(), TkUpDown::usSecondHot);
  horizontal->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(35, 10));
  EXPECT_EQ(horizontal->GetButtonState(), TkUpDown::usSecondPressed);
  horizontal->Perform(WM_LBUTTONUP, 0, MAKELPARAM(35, 10));
  EXPECT_EQ(horizontal->GetPosition(), 1);
  EXPECT_EQ(horizontal->GetButtonState(), TkUpDown::usSecondHot);
  horizontal->SetPosition(3);
  horizontal->SetShowInaccessibility(false);
  horizontal->SetButtonState(TkUpDown::usSecondHot);
  horizontal->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(35, 10));
  EXPECT_EQ(horizontal->GetButtonState(), TkUpDown::usSecondHot);
  horizontal->Perform(WM_LBUTTONUP, 0, MAKELPARAM(35, 10));
}

TEST_F(SkinnedSpinEditTest, UpDownLooks) {
  upDown->SetMin(0);
  upDown->SetMax(10);
  upDown->SetPosition(5);
  const TSectionColours topBtn = SectionOf(kFirst, "SCROLLBTNTOP"), bottomBtn = SectionOf(kFirst, "SCROLLBTNBOTTOM");
  auto shot = [&] {
    upDown->Invalidate();
    Settle();
    return ScreenShot(upDown);
  };
  auto s = shot();
  EXPECT_EQ(PixelOf(*s, 10, 1), topBtn.Edge[kNormal]);
  EXPECT_EQ(PixelOf(*s, 10, 38), bottomBtn.Edge[kNormal]);
  // Each half carries its arrow.
  EXPECT_GT(CountColour(*s, fw::TRect(0, 0, 20, 20), kFirst.Arrow[kNormal]), 5);
  EXPECT_GT(CountColour(*s, fw::TRect(0, 20, 20, 40), kFirst.Arrow[kNormal]), 5);
  upDown->SetButtonState(skin::TkUpDown::usFirstHot);
  s = shot();
  EXPECT_EQ(PixelOf(*s, 10, 1), topBtn.Edge[kHot]);
  EXPECT_EQ(PixelOf(*s, 10, 38), bottomBtn.Edge[kNormal]);
  EXPECT_GT(CountColour(*s, fw::TRect(0, 0, 20, 20), kFirst.Arrow[kHot]), 5);
  upDown->SetButtonState(skin::TkUpDown::usSecondPressed);
  s = shot();
  EXPECT_EQ(PixelOf(*s, 10, 1), topBtn.Edge[kNormal]);
  EXPECT_EQ(PixelOf(*s, 10, 38), bottomBtn.Edge[kPressed]);
  // At Min the bottom half shows the disabled look (blended with the panel); without
  // ShowInaccessibility it does not.
  upDown->SetButtonState(skin::TkUpDown::usNone);
  upDown->SetPosition(0);
  s = shot();
  EXPECT_EQ(PixelOf(*s, 10, 1), topBtn.Edge[kNormal]);
  EXPECT_NE(PixelOf(*s, 10, 38), bottomBtn.Edge[kNormal]);
  upDown->SetShowInaccessibility(false);
  s = shot();
  EXPECT_EQ(PixelOf(*s, 10, 38), bottomBtn.Edge[kNormal]);
  // Horizontal: left and right sections.
  horizontal->SetMax(3);
  horizontal->SetPosition(1);
  horizontal->Invalidate();
  Settle();
  auto h = ScreenShot(horizontal);
  EXPECT_EQ(PixelOf(*h, 10, 1), SectionOf(kFirst, "SCROLLBTNLEFT").Edge[kNormal]);
  EXPECT_EQ(PixelOf(*h, 30, 1), SectionOf(kFirst, "SCROLLBTNRIGHT").Edge[kNormal]);
}

TEST_F(SkinnedSpinEditTest, SkinCommands) {
  EXPECT_TRUE(skin::ControlAnswersCmd(upDown, skin::cmdIsSkinned));
  EXPECT_FALSE(skin::ControlAnswersCmd(spin, skin::cmdIsUpdating));
  // The second skin: the halves and the up-down in its colours.
  UseSecondSkin();
  Settle();
  const TSectionColours small = SectionOf(kSecond, "SPEEDBUTTON_SMALL");
  EXPECT_EQ(PixelOf(*Up()->GetSkinData()->CacheBmp, Up()->GetWidth() / 2, 1), small.Edge[kNormal]);
  EXPECT_EQ(PixelOf(*ScreenShot(spin->GetButton()), 4, Up()->GetHeight() / 2), small.Face[kNormal]);
  upDown->Invalidate();
  Settle();
  EXPECT_EQ(PixelOf(*ScreenShot(upDown), 10, 1), SectionOf(kSecond, "SCROLLBTNTOP").Edge[kNormal]);
  // Removed: the native looks; the spin edit still steps.
  manager->SetActive(false);
  Settle();
  upDown->Invalidate();
  Settle();
  EXPECT_FALSE(upDown->Skinned());
  EXPECT_EQ(CountColour(*ScreenShot(upDown), fw::TRect(0, 0, 20, 40), SectionOf(kSecond, "SCROLLBTNTOP").Edge[kNormal]),
            0);
  EXPECT_EQ(CountColour(*ScreenShot(spin->GetButton()), fw::TRect(0, 0, 18, 20), small.Face[kNormal]), 0);
  spin->SetValue(3);
  Mouse(WM_LBUTTONDOWN, Up());
  Mouse(WM_LBUTTONUP, Up());
  EXPECT_EQ(spin->GetValue(), 4);
  // No manager at all: still a working spin edit.
  manager->Free();
  manager = nullptr;
  Settle();
  Mouse(WM_LBUTTONDOWN, Down());
  Down()->RepeatTimer()->Tick();
  Mouse(WM_LBUTTONUP, Down());
  EXPECT_EQ(spin->GetValue(), 2);
}

}  // namespace
