// The skinned push button against the control test skin: its caption rectangle, its faces per
// state in cache and on screen, the window region without the mask's corners, the focus frame
// and the default button's look, the disabled looks, clicks raised exactly once by the button
// itself, the Down latch, hints after a lost mouse-up, the skin commands, and the framework's
// button when no manager serves it.
#include <gtest/gtest.h>

#include "framework/forms/application.h"
#include "framework/forms/custom_form.h"
#include "framework/stdctrls/custom_edit.h"
#include "skin/controls/button.h"
#include "skin/engine/skin_manager.h"
#include "support/control_skin.h"

namespace {

using namespace control_skin;
using test_skins::PixelOf;
using testing_paint::CountColour;

constexpr fw::TColor kFormColour = 0x5A6A7A;
const TSectionColours& kButton = kFirst.Button;

// The bounding box of the pixels of a colour (empty when none).
fw::TRect BoxOf(const fw::TBitmap& b, fw::TColor colour) {
  fw::TRect box(b.GetWidth(), b.GetHeight(), 0, 0);
  for (int y = 0; y < b.GetHeight(); ++y)
    for (int x = 0; x < b.GetWidth(); ++x)
      if (PixelOf(b, x, y) == colour)
        box = fw::TRect(std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x + 1),
                        std::max(box.Bottom, y + 1));
  return box;
}

bool InRegion(HWND wnd, int x, int y) {
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  const int kind = GetWindowRgn(wnd, rgn);
  const bool inside = kind == ERROR || PtInRegion(rgn, x, y);
  DeleteObject(rgn);
  return inside;
}

bool HasRegion(HWND wnd) {
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  const int kind = GetWindowRgn(wnd, rgn);
  DeleteObject(rgn);
  return kind != ERROR;
}

TEST(PushButtonLayout, CaptionRectangle) {
  // 90 x 30 with a 20 x 13 caption: 35 free on each side, 8 above, 9 below.
  EXPECT_EQ(skin::PushButtonCaptionRect(90, 30, {20, 13}, false), fw::TRect(34, 8, 57, 22));
  EXPECT_EQ(skin::PushButtonCaptionRect(90, 30, {20, 13}, true), fw::TRect(35, 9, 58, 23));
  // Odd space: the division truncates on both sides alike.
  EXPECT_EQ(skin::PushButtonCaptionRect(91, 31, {20, 13}, false), fw::TRect(34, 9, 58, 22));
  EXPECT_EQ(skin::PushButtonCaptionRect(10, 10, {0, 0}, false), fw::TRect(4, 5, 7, 5));
}

class SkinnedButtonTest : public ControlSkinTest {
 protected:
  void SetUp() override {
    ControlSkinTest::SetUp();
    form = fw::New<fw::TForm>(fw::Application);
    form->SetBounds(40, 40, 360, 240);
    form->SetColor(kFormColour);
    button = Make(20, 20, "Go");
    other = Make(20, 70, "Other");
    edit = fw::New<fw::TEdit>(form);
    edit->SetBounds(150, 20, 80, 24);
    edit->SetParent(form);
    form->Show();
    edit->SetFocus();
    Settle();
    button->OnClick = [this](fw::TObject*) { ++clicks; };
  }
  void TearDown() override {
    fw::Free(form);
    fw::Application->SetShowHint(true);
    ControlSkinTest::TearDown();
  }
  skin::TkButton* Make(int x, int y, const char* caption) {
    auto* b = fw::New<skin::TkButton>(form);
    b->SetBounds(x, y, 90, 30);
    b->SetCaption(caption);
    b->SetParent(form);
    return b;
  }
  fw::TBitmap& Cache(skin::TkButton* b = nullptr) { return *(b ? b : button)->GetSkinData()->CacheBmp; }
  // The edge and face colours the cache and the screen show.
  void ExpectLook(const TSectionColours& c, int state, skin::TkButton* b = nullptr) {
    b = b ? b : button;
    Settle();
    EXPECT_EQ(PixelOf(Cache(b), 45, 1), c.Edge[state]) << state;
    EXPECT_EQ(PixelOf(Cache(b), 5, 15), c.Face[state]) << state;
    EXPECT_TRUE(SamePixels(*ScreenOf(b), Cache(b))) << state;
  }
  void Send(UINT msg, WPARAM w = 0, int x = 10, int y = 10) {
    SendMessageA(button->GetHandle(), msg, w, MAKELPARAM(x, y));
  }

  fw::TForm* form = nullptr;
  skin::TkButton* button = nullptr;
  skin::TkButton* other = nullptr;
  fw::TEdit* edit = nullptr;
  int clicks = 0;
};

TEST_F(SkinnedButtonTest, LooksPerStateAndCaption) {
  ASSERT_TRUE(button->GetSkinData()->SkinIsActive());
  EXPECT_EQ(button->GetSkinData()->GetSkinSection(), "BUTTON");
  ExpectLook(kButton, kNormal);
  const fw::TRect normalText = BoxOf(Cache(), kButton.Font);
  EXPECT_GT(normalText.Right - normalText.Left, 5);
  EXPECT_EQ(CountColour(Cache(), fw::TRect(0, 0, 90, 30), kButton.HotFont), 0);

  button->Perform(fw::CM_MOUSEENTER);
  ExpectLook(kButton, kHot);
  EXPECT_EQ(BoxOf(Cache(), kButton.HotFont), normalText);  // hot colours, same place
  button->Perform(fw::CM_MOUSELEAVE);
  ExpectLook(kButton, kNormal);

  // Down: the pressed look with the caption one pixel right and down, mouse over it or not.
  button->SetDown(true);
  ExpectLook(kButton, kPressed);
  const fw::TRect downText = BoxOf(Cache(), kButton.HotFont);
  EXPECT_EQ(downText, fw::TRect(normalText.Left + 1, normalText.Top + 1, normalText.Right + 1, normalText.Bottom + 1));
  button->Perform(fw::CM_MOUSEENTER);
  ExpectLook(kButton, kPressed);
  button->Perform(fw::CM_MOUSELEAVE);
  ExpectLook(kButton, kPressed);
  button->SetDown(false);
  ExpectLook(kButton, kNormal);
  EXPECT_EQ(BoxOf(Cache(), kButton.Font), normalText);
}

TEST_F(SkinnedButtonTest, RegionLeavesOutTheMaskCorners) {
  HWND wnd = button->GetHandle();
  ASSERT_TRUE(HasRegion(wnd));
  for (auto [x, y] : {std::pair{0, 0}, {89, 0}, {0, 29}, {89, 29}}) {
    EXPECT_FALSE(InRegion(wnd, x, y)) << x << "," << y;
    EXPECT_EQ(PixelOf(Cache(), x, y), kFormColour) << x << "," << y;  // the cache shows the form there
    EXPECT_EQ(PixelOf(*ScreenOf(button), x, y), kFormColour) << x << "," << y;
  }
  for (auto [x, y] : {std::pair{1, 0}, {0, 1}, {88, 29}, {45, 15}}) EXPECT_TRUE(InRegion(wnd, x, y)) << x << "," << y;
  // A new size gets a new region.
  button->SetBounds(20, 20, 100, 34);
  Settle();
  EXPECT_FALSE(InRegion(wnd, 99, 33));
  EXPECT_TRUE(InRegion(wnd, 98, 33));
}

TEST_F(SkinnedButtonTest, FocusFrameAndDefaultButton) {
  constexpr fw::TColor kDot = 0x000000;
  EXPECT_EQ(CountColour(Cache(), fw::TRect(0, 0, 90, 30), kDot), 0);
  button->SetFocus();
  Settle();
  ASSERT_TRUE(button->Focused());
  // Focused: hot, with dots on the caption rectangle grown by the focus margin.
  ExpectLook(kButton, kHot);
  const fw::TRect caption = BoxOf(Cache(), kButton.HotFont);
  const fw::TRect dots = BoxOf(Cache(), kDot);
  EXPECT_GT(CountColour(Cache(), dots, kDot), 6);
  EXPECT_LT(dots.Left, caption.Left);
  EXPECT_GT(dots.Right, caption.Right);

  // The default button is hot while focus rests on a non-button or on itself.
  button->SetDefault(true);
  edit->SetFocus();
  ExpectLook(kButton, kHot);
  EXPECT_EQ(CountColour(Cache(), fw::TRect(0, 0, 90, 30), kDot), 0);
  other->SetFocus();
  ExpectLook(kButton, kNormal);
  ExpectLook(kButton, kHot, other);
  button->SetFocus();
  ExpectLook(kButton, kHot);
  ExpectLook(kButton, kNormal, other);
}

TEST_F(SkinnedButtonTest, DisabledLooks) {
  auto between = [](fw::TColor c, fw::TColor a, fw::TColor b) {
    for (int shift = 0; shift < 24; shift += 8) {
      const int v = (c >> shift) & 0xFF, lo = std::min((a >> shift) & 0xFF, (b >> shift) & 0xFF),
                hi = std::max((a >> shift) & 0xFF, (b >> shift) & 0xFF);
      if (v < lo || v > hi) return false;
    }
    return true;
  };
  button->SetEnabled(false);
  button->Perform(fw::CM_MOUSEENTER);  // no hot look while disabled
  Settle();
  const fw::TColor blended = PixelOf(Cache(), 5, 15);
  EXPECT_NE(blended, kButton.Face[kNormal]);
  EXPECT_NE(blended, kFormColour);
  EXPECT_TRUE(between(blended, kButton.Face[kNormal], kFormColour));
  EXPECT_TRUE(between(PixelOf(Cache(), 45, 1), kButton.Edge[kNormal], kFormColour));
  EXPECT_TRUE(SamePixels(*ScreenOf(button), Cache()));

  button->SetDisabledKind(skin::TkDisabledKind{skin::dkGrayed});
  Settle();
  const fw::TColor grey = PixelOf(Cache(), 5, 15);
  EXPECT_EQ(grey & 0xFF, grey >> 8 & 0xFF);
  EXPECT_EQ(grey & 0xFF, grey >> 16 & 0xFF);

  button->SetDisabledKind(skin::TkDisabledKind{});
  Settle();
  EXPECT_EQ(PixelOf(Cache(), 5, 15), kButton.Face[kNormal]);
  EXPECT_EQ(PixelOf(Cache(), 45, 1), kButton.Edge[kNormal]);
}

TEST_F(SkinnedButtonTest, ClickExactlyOnce) {
  // Mouse-up inside: one click, raised by the button, none by the native button.
  Send(WM_LBUTTONDOWN, MK_LBUTTON);
  Settle();
  EXPECT_EQ(PixelOf(Cache(), 45, 1), kButton.Edge[kPressed]);
  Send(WM_LBUTTONUP);
  Settle();
  EXPECT_EQ(clicks, 1);
  EXPECT_NE(PixelOf(Cache(), 45, 1), kButton.Edge[kPressed]);

  // Mouse-up outside: the pressed look ends without a click.
  Send(WM_LBUTTONDOWN, MK_LBUTTON);
  Send(WM_LBUTTONUP, 0, 95, 10);
  Settle();
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(button->GetDown());

  // The space key: pressed on the character, clicked once on the key-up.
  button->SetFocus();
  Settle();
  HWND wnd = button->GetHandle();
  PostMessageA(wnd, WM_KEYDOWN, VK_SPACE, 0x00390001);
  Settle();
  EXPECT_TRUE(button->GetDown());
  EXPECT_EQ(PixelOf(*ScreenOf(button), 45, 1), kButton.Edge[kPressed]);
  PostMessageA(wnd, WM_KEYUP, VK_SPACE, 0xC0390001);
  Settle();
  EXPECT_EQ(clicks, 2);
  EXPECT_FALSE(button->GetDown());

  // Enter on the focused button clicks once too.
  PostMessageA(wnd, WM_KEYDOWN, VK_RETURN, 0x001C0001);
  PostMessageA(wnd, WM_KEYUP, VK_RETURN, 0xC01C0001);
  Settle();
  EXPECT_EQ(clicks, 3);
}

TEST_F(SkinnedButtonTest, DownLatch) {
  button->SetDown(true);
  button->SetFocus();
  Settle();
  // A space key-up while latched clicks and keeps the latch.
  PostMessageA(button->GetHandle(), WM_KEYUP, VK_SPACE, 0xC0390001);
  Settle();
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(button->GetDown());
  ExpectLook(kButton, kPressed);
  // A mouse press on a latched button does not unlatch it; its mouse-up clicks.
  Send(WM_LBUTTONDOWN, MK_LBUTTON);
  Send(WM_LBUTTONUP);
  Settle();
  EXPECT_EQ(clicks, 2);
  EXPECT_TRUE(button->GetDown());
  button->SetDown(false);
  EXPECT_FALSE(button->GetDown());
}

TEST_F(SkinnedButtonTest, HintsComeBackAfterALostMouseUp) {
  fw::Application->SetShowHint(true);
  Send(WM_LBUTTONDOWN, MK_LBUTTON);
  EXPECT_FALSE(fw::Application->GetShowHint());
  Send(WM_LBUTTONUP);
  EXPECT_TRUE(fw::Application->GetShowHint());

  // Capture taken by another window while pressed.
  Send(WM_LBUTTONDOWN, MK_LBUTTON);
  EXPECT_FALSE(fw::Application->GetShowHint());
  Send(WM_CAPTURECHANGED);
  EXPECT_TRUE(fw::Application->GetShowHint());
  Send(WM_LBUTTONUP);
  EXPECT_TRUE(fw::Application->GetShowHint());

  // A second save before the restore keeps the first value; the value comes back once.
  skin::TkHintSaver saver;
  saver.Save();
  saver.Save();
  saver.Restore();
  EXPECT_TRUE(fw::Application->GetShowHint());
  fw::Application->SetShowHint(false);
  saver.Restore();
  EXPECT_FALSE(fw::Application->GetShowHint());
  fw::Application->SetShowHint(true);

  // Disabled while pressed.
  Send(WM_LBUTTONDOWN, MK_LBUTTON);
  button->SetEnabled(false);
  EXPECT_TRUE(fw::Application->GetShowHint());
  button->SetEnabled(true);

  // Destroyed while pressed.
  Send(WM_LBUTTONDOWN, MK_LBUTTON);
  EXPECT_FALSE(fw::Application->GetShowHint());
  fw::Free(button);
  EXPECT_TRUE(fw::Application->GetShowHint());

  // Hints that were off stay off.
  fw::Application->SetShowHint(false);
  SendMessageA(other->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageA(other->GetHandle(), WM_CAPTURECHANGED, 0, 0);
  EXPECT_FALSE(fw::Application->GetShowHint());
}

TEST_F(SkinnedButtonTest, SkinCommands) {
  // Command 7 is answered while loading and unskinned.
  {
    fw::TLoadScope scope;
    auto* loading = fw::New<skin::TkButton>(form);
    EXPECT_TRUE(skin::ControlAnswersCmd(loading, skin::cmdIsSkinned));
  }
  auto* unskinned = fw::New<skin::TkButton>(form);
  EXPECT_TRUE(skin::ControlAnswersCmd(unskinned, skin::cmdIsSkinned));

  // Commands 1, 2 and 3 of another manager change nothing.
  auto* stranger = fw::New<skin::TkSkinManager>(nullptr);
  for (int command : {skin::cmdNewSkin, skin::cmdRemoveSkin, skin::cmdRefresh})
    SendMessageA(button->GetHandle(), skin::SM_SKINCMD, skin::SkinCmdWParam(command),
                 reinterpret_cast<LPARAM>(stranger));
  stranger->Free();
  ExpectLook(kButton, kNormal);
  EXPECT_TRUE(HasRegion(button->GetHandle()));

  // The second skin at run time: every colour changes.
  UseSecondSkin();
  ExpectLook(kSecond.Button, kNormal);
  ExpectLook(kSecond.Button, kNormal, other);
  EXPECT_GT(CountColour(Cache(), fw::TRect(0, 0, 90, 30), kSecond.Button.Font), 5);
  UseFirstSkin();
  ExpectLook(kButton, kNormal);

  // Command 2 of its own manager: the region goes, the framework draws the button.
  SendMessageA(button->GetHandle(), skin::SM_SKINCMD, skin::SkinCmdWParam(skin::cmdRemoveSkin),
               reinterpret_cast<LPARAM>(manager));
  Settle();
  EXPECT_FALSE(HasRegion(button->GetHandle()));
  auto plain = fw::New<fw::TButton>(form);
  plain->SetBounds(200, 120, 90, 30);
  plain->SetCaption("Go");
  plain->SetParent(form);
  Settle();
  EXPECT_TRUE(SamePixels(*ScreenOf(button), *ScreenOf(plain)));
  // Commands 1 and 3 of its own manager: skinned again, with its region.
  for (int command : {skin::cmdNewSkin, skin::cmdRefresh})
    SendMessageA(button->GetHandle(), skin::SM_SKINCMD, skin::SkinCmdWParam(command),
                 reinterpret_cast<LPARAM>(manager));
  ExpectLook(kButton, kNormal);
  EXPECT_TRUE(HasRegion(button->GetHandle()));
}

// No manager at all: a TkButton is a TButton in looks and behaviour.
class UnskinnedButtonTest : public testing_paint::SkinPaintTest {};

TEST_F(UnskinnedButtonTest, LooksAndClicksAsTheFrameworkButton) {
  auto* form = fw::New<fw::TForm>(fw::Application);
  form->SetBounds(40, 40, 300, 200);
  auto* skinned = fw::New<skin::TkButton>(form);
  skinned->SetBounds(20, 20, 90, 30);
  skinned->SetCaption("Go");
  skinned->SetParent(form);
  auto* plain = fw::New<fw::TButton>(form);
  plain->SetBounds(20, 80, 90, 30);
  plain->SetCaption("Go");
  plain->SetParent(form);
  auto* edit = fw::New<fw::TEdit>(form);
  edit->SetBounds(150, 20, 80, 24);
  edit->SetParent(form);
  form->Show();
  edit->SetFocus();
  Settle();
  EXPECT_FALSE(skinned->GetSkinData()->SkinIsActive());
  EXPECT_TRUE(SamePixels(*ScreenOf(skinned), *ScreenOf(plain)));
  EXPECT_FALSE(HasRegion(skinned->GetHandle()));

  int clicks = 0;
  skinned->OnClick = [&](fw::TObject*) { ++clicks; };
  fw::Application->SetShowHint(true);
  SendMessageA(skinned->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  EXPECT_TRUE(fw::Application->GetShowHint());
  SendMessageA(skinned->GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
  Settle();
  EXPECT_EQ(clicks, 1);  // the native button's click
  fw::Free(form);
}

}  // namespace
