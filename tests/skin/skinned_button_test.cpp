// The skinned push button against the control test skin: its caption rectangle, its faces per
// state in cache and on screen, the window region without the mask's corners, the focus frame
// and the default button's look, the disabled looks, clicks raised exactly once by the button
// itself, the Down latch, hints after a lost mouse-up, the skin commands, and the framework's
// button when no manager serves it.
#include <gtest/gtest.h>

#include <optional>

#include "framework/forms/application.h"
#include "framework/forms/custom_form.h"
#include "framework/stdctrls/custom_edit.h"
#include "framework/graphics/image_list.h"
#include "framework/stdctrls/text_painter.h"
#include "skin/controls/bit_btn.h"
#include "skin/controls/button.h"
#include "skin/controls/panel.h"
#include "skin/engine/glyphs_text.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/stored_skins.h"
#include "skin/engine/stored_skin_reader.h"
#include "support/control_skin.h"

namespace {

using namespace control_skin;
using test_skins::PixelOf;
using testing_paint::CountColour;

constexpr fw::TColor kFormColour = 0x5A6A7A, kGlyph = 0x2080E0, kKey = 0x00FF00;
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

// Each channel of c lies between those of a and b.
bool Between(fw::TColor c, fw::TColor a, fw::TColor b) {
  for (int shift = 0; shift < 24; shift += 8) {
    const int v = (c >> shift) & 0xFF, lo = std::min((a >> shift) & 0xFF, (b >> shift) & 0xFF),
              hi = std::max((a >> shift) & 0xFF, (b >> shift) & 0xFF);
    if (v < lo || v > hi) return false;
  }
  return true;
}

// The box of the pixels inside `within` that differ from colour.
fw::TRect InkBox(const fw::TBitmap& b, fw::TColor colour, const fw::TRect& within) {
  fw::TRect box(b.GetWidth(), b.GetHeight(), 0, 0);
  for (int y = within.Top; y < within.Bottom; ++y)
    for (int x = within.Left; x < within.Right; ++x)
      if (PixelOf(b, x, y) != colour)
        box = fw::TRect(std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x + 1),
                        std::max(box.Bottom, y + 1));
  return box;
}

// The caption's size in the control's font within width, measured on a screen DC.
fw::TSize TextSize(fw::TControl* c, int width) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, c->GetFont()->GetHandle());
  RECT r{0, 0, width, 0};
  fw::DrawTextUtf8(dc, c->GetCaption(), r, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return fw::TSize{r.right - r.left, r.bottom - r.top};
}

// Where the caption's ink lands when drawn in the control's font into R with the flags.
fw::TRect ExpectedInk(fw::TControl* c, fw::TRect r, unsigned flags) {
  auto bmp = testing_paint::Filled(c->GetWidth(), c->GetHeight(), 0xFFFFFF);
  HDC dc = bmp->GetCanvas()->GetHandle();
  HGDIOBJ old = SelectObject(dc, c->GetFont()->GetHandle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, 0);
  RECT rect = r;
  fw::DrawTextUtf8(dc, c->GetCaption(), rect, flags);
  SelectObject(dc, old);
  GdiFlush();
  return InkBox(*bmp, 0xFFFFFF, fw::TRect(0, 0, c->GetWidth(), c->GetHeight()));
}

bool IsGrey(fw::TColor c) { return (c & 0xFF) == (c >> 8 & 0xFF) && (c & 0xFF) == (c >> 16 & 0xFF); }

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

// A control of the class on the form at the place, with the caption.
template <class B>
B* Place(fw::TForm* form, fw::TRect r, const char* caption) {
  auto* b = fw::New<B>(form);
  b->SetBounds(r.Left, r.Top, r.Width(), r.Height());
  b->SetCaption(caption);
  b->SetParent(form);
  return b;
}

// A form with an edit that takes the focus when the form is shown, so no button starts focused.
struct TButtonForm {
  fw::TForm* Form = nullptr;
  fw::TEdit* Edit = nullptr;
  explicit TButtonForm(int height = 240) : Form(fw::New<fw::TForm>(fw::Application)) {
    Form->SetBounds(40, 40, 360, height);
    Edit = fw::New<fw::TEdit>(Form);
    Edit->SetBounds(250, 20, 80, 24);
    Edit->SetParent(Form);
  }
  void Show() {
    Form->Show();
    Edit->SetFocus();
  }
};

// A 16 x 16 glyph of kGlyph framed in its transparent colour kKey.
test_skins::Picture GlyphPicture(int w = 16, int h = 16) {
  test_skins::Picture p(w, h, kKey);
  p.Fill(1, 1, w - 2, h - 2, kGlyph);
  return p;
}

TEST(PushButtonLayout, CaptionRectangle) {
  // 90 x 30 with a 20 x 13 caption: 35 free on each side, 8 above, 9 below.
  EXPECT_EQ(skin::PushButtonCaptionRect(90, 30, {20, 13}, false), fw::TRect(34, 8, 57, 22));
  EXPECT_EQ(skin::PushButtonCaptionRect(90, 30, {20, 13}, true), fw::TRect(35, 9, 58, 23));
  // Odd space: the division truncates on both sides alike.
  EXPECT_EQ(skin::PushButtonCaptionRect(91, 31, {20, 13}, false), fw::TRect(34, 9, 58, 22));
  EXPECT_EQ(skin::PushButtonCaptionRect(10, 10, {0, 0}, false), fw::TRect(4, 5, 7, 5));
}

TEST(BitBtnLayout, CaptionRectangle) {
  // 100 x 30, a 16 x 16 glyph left of a 30 x 12 caption.
  skin::TkGlyphLayout l;
  l.Width = 100, l.Height = 30, l.Glyph = {16, 16}, l.Text = {30, 12};
  const fw::TRect client(0, 0, 100, 30);
  auto left = [&](int margin, int spacing, fw::TAlignment alignment, fw::TButtonLayout layout = fw::blGlyphLeft,
                  bool rightToLeft = false) {
    l.Margin = margin, l.Spacing = spacing, l.Alignment = alignment, l.Layout = layout;
    return skin::BitBtnCaptionRect(l, client, rightToLeft).Left;
  };
  // Margin -1 and Spacing -1: three equal gaps of 18 around glyph (18..34) and caption (52..82).
  EXPECT_EQ(left(-1, -1, fw::taCenter), 52);
  EXPECT_EQ(skin::BitBtnCaptionRect(l, client, false), fw::TRect(52, 9, 82, 21));
  // The glyph keeps its own rule: centred with the spacing, not in the first gap.
  EXPECT_EQ(skin::GlyphRect(l).Left, 27);
  EXPECT_EQ(left(-1, 4, fw::taCenter), 45);  // the block of 50 centred
  EXPECT_EQ(left(2, -1, fw::taLeftJustify), 44);  // spacing (100 - 2 - 16 - 30) / 2
  EXPECT_EQ(left(5, 4, fw::taLeftJustify), 25);
  EXPECT_EQ(left(5, 4, fw::taRightJustify), 65);
  EXPECT_EQ(left(5, 4, fw::taLeftJustify, fw::blGlyphRight), 5);
  EXPECT_EQ(left(5, 4, fw::taRightJustify, fw::blGlyphRight), 45);
  EXPECT_EQ(left(5, 4, fw::taCenter, fw::blGlyphRight), 25);
  // Right to left, glyph left and glyph right swap.
  EXPECT_EQ(left(5, 4, fw::taLeftJustify, fw::blGlyphLeft, true), 5);
  EXPECT_EQ(left(5, 4, fw::taLeftJustify, fw::blGlyphRight, true), 25);
  // Without a glyph there is no spacing.
  l.Glyph = {0, 0};
  EXPECT_EQ(left(5, 4, fw::taLeftJustify), 5);

  // Glyph above or below the caption in 100 x 60: the caption centred across.
  l.Glyph = {16, 16}, l.Height = 60;
  const fw::TRect tall(0, 0, 100, 60);
  l.Margin = -1, l.Spacing = 4, l.Layout = fw::blGlyphTop;
  EXPECT_EQ(skin::BitBtnCaptionRect(l, tall, false), fw::TRect(35, 34, 65, 46));
  l.Layout = fw::blGlyphBottom;
  EXPECT_EQ(skin::BitBtnCaptionRect(l, tall, false), fw::TRect(35, 14, 65, 26));
  // The client rectangle's origin moves it.
  EXPECT_EQ(skin::BitBtnCaptionRect(l, fw::TRect(2, 3, 102, 63), false), fw::TRect(37, 17, 67, 29));
}

class SkinnedButtonTest : public ControlSkinTest {
 protected:
  void SetUp() override {
    ControlSkinTest::SetUp();
    window.emplace();
    form = window->Form;
    edit = window->Edit;
    form->SetColor(kFormColour);
    button = Place<skin::TkButton>(form, fw::Bounds(20, 20, 90, 30), "Go");
    other = Place<skin::TkButton>(form, fw::Bounds(20, 70, 90, 30), "Other");
    window->Show();
    Settle();
    button->OnClick = [this](fw::TObject*) { ++clicks; };
  }
  void TearDown() override {
    fw::Free(form);
    fw::Application->SetShowHint(true);
    ControlSkinTest::TearDown();
  }
  // A bitmap button with a glyph of GlyphPicture.
  skin::TkBitBtn* MakeBitBtn(const char* caption, int width = 120, int height = 34) {
    auto* b = Place<skin::TkBitBtn>(form, fw::Bounds(20, 120, width, height), caption);
    b->SetGlyph(testing_paint::FromPicture(GlyphPicture()).get());
    Settle();
    return b;
  }
  // The centre of the glyph as the button places it.
  static fw::TPoint GlyphCentre(skin::TkBitBtn* b) {
    const fw::TRect r = skin::GlyphRect(b->GlyphLayout());
    return fw::TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
  }
  static fw::TColor GlyphPixel(skin::TkBitBtn* b) {
    const fw::TPoint p = GlyphCentre(b);
    return PixelOf(Cache(b), p.X, p.Y);
  }
  fw::TBitmap& Cache() { return *button->GetSkinData()->CacheBmp; }
  template <class B>
  static fw::TBitmap& Cache(B* b) {
    return *b->GetSkinData()->CacheBmp;
  }
  // The edge and face colours the cache and the screen show.
  void ExpectLook(const TSectionColours& c, int state) { ExpectLook(c, state, button); }
  template <class B>
  void ExpectLook(const TSectionColours& c, int state, B* b) {
    Settle();
    EXPECT_EQ(PixelOf(Cache(b), 45, 1), c.Edge[state]) << state;
    EXPECT_EQ(PixelOf(Cache(b), 5, 15), c.Face[state]) << state;
    EXPECT_TRUE(SamePixels(*ScreenOf(b), Cache(b))) << state;
  }
  void Send(UINT msg, WPARAM w = 0, int x = 10, int y = 10) {
    SendMessageA(button->GetHandle(), msg, w, MAKELPARAM(x, y));
  }

  std::optional<TButtonForm> window;
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
  // The caption where the button's rule puts it, measured in the button's font.
  const fw::TRect inner(kBorder, kBorder, 90 - kBorder, 30 - kBorder);
  EXPECT_EQ(InkBox(Cache(), kButton.Face[kNormal], inner),
            ExpectedInk(button, skin::PushButtonCaptionRect(90, 30, TextSize(button, 88), false),
                        DT_EXPANDTABS | DT_WORDBREAK | DT_CENTER));
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

TEST_F(SkinnedButtonTest, FadesBetweenLooks) {
  skin::TkSkinGeneral* section = testing_paint::SectionOf(*manager->GetInternalSkins()->GetItem(0), "BUTTON");
  section->SetFadingEnabled(true);
  section->SetFadingIterations(4);
  UseSecondSkin();
  UseFirstSkin();
  Settle();
  ExpectLook(kButton, kNormal);
  // The fade is stepped here, its timer held.
  auto tick = [&] {
    button->FadeTimer()->SetEnabled(false);
    button->FadeTimer()->Timer();
  };
  auto finish = [&] {
    for (int n = 0; n < 12 && button->Fading(); ++n) tick();
    EXPECT_FALSE(button->Fading());
    button->Invalidate();
  };
  // Mouse entry fades from the normal to the hot look.
  button->Perform(fw::CM_MOUSEENTER);
  ASSERT_TRUE(button->Fading());
  tick();
  Settle(2);
  const fw::TColor between = PixelOf(*ScreenOf(button), 45, 1);
  EXPECT_TRUE(Between(between, kButton.Edge[kNormal], kButton.Edge[kHot]));
  EXPECT_NE(between, kButton.Edge[kNormal]);
  EXPECT_NE(between, kButton.Edge[kHot]);
  finish();
  ExpectLook(kButton, kHot);
  // A press while the leave fades ends in the pressed look, and its release clicks once.
  button->Perform(fw::CM_MOUSELEAVE);
  EXPECT_TRUE(button->Fading());
  Send(WM_LBUTTONDOWN, MK_LBUTTON);
  finish();
  ExpectLook(kButton, kPressed);
  Send(WM_LBUTTONUP);
  finish();
  EXPECT_EQ(clicks, 1);
}

TEST_F(SkinnedButtonTest, DisabledLooks) {
  button->SetEnabled(false);
  button->Perform(fw::CM_MOUSEENTER);  // no hot look while disabled
  Settle();
  const fw::TColor blended = PixelOf(Cache(), 5, 15);
  EXPECT_NE(blended, kButton.Face[kNormal]);
  EXPECT_NE(blended, kFormColour);
  EXPECT_TRUE(Between(blended, kButton.Face[kNormal], kFormColour));
  EXPECT_TRUE(Between(PixelOf(Cache(), 45, 1), kButton.Edge[kNormal], kFormColour));
  EXPECT_TRUE(SamePixels(*ScreenOf(button), Cache()));

  button->SetDisabledKind(skin::TkDisabledKind{skin::dkGrayed});
  Settle();
  EXPECT_TRUE(IsGrey(PixelOf(Cache(), 5, 15)));

  button->SetDisabledKind(skin::TkDisabledKind{});
  Settle();
  EXPECT_EQ(PixelOf(Cache(), 5, 15), kButton.Face[kNormal]);
  EXPECT_EQ(PixelOf(Cache(), 45, 1), kButton.Edge[kNormal]);
}

// A disabled button blends with the face of the panel it lies on (a panel within a panel, as
// the program's tools place them), and after a skin change with that panel's face in the new
// skin, not with what the panel showed before.
TEST_F(SkinnedButtonTest, DisabledOnAPanelBlendsWithTheNewSkinsPanel) {
  auto* outer = fw::New<skin::TkPanel>(form);
  outer->SetBounds(120, 60, 130, 80);
  outer->SetParent(form);
  auto* panel = fw::New<skin::TkPanel>(form);
  panel->SetBounds(10, 10, 110, 60);
  panel->SetParent(outer);
  auto* off = fw::New<skin::TkButton>(form);
  off->SetBounds(10, 15, 90, 30);
  off->SetCaption("Off");
  off->SetParent(panel);
  off->SetEnabled(false);
  Settle();
  const fw::TColor first = PixelOf(Cache(off), 5, 15);
  EXPECT_TRUE(Between(first, kButton.Face[kNormal], kFirst.Panel.Face[kNormal])) << std::hex << first;
  EXPECT_NE(first, kButton.Face[kNormal]);

  UseSecondSkin();
  Settle();
  const fw::TColor second = PixelOf(Cache(off), 5, 15);
  EXPECT_TRUE(Between(second, kSecond.Button.Face[kNormal], kSecond.Panel.Face[kNormal])) << std::hex << second;
  EXPECT_NE(second, kSecond.Button.Face[kNormal]);
  EXPECT_TRUE(SamePixels(*ScreenOf(off), Cache(off)));
  UseFirstSkin();
  Settle();
  EXPECT_EQ(PixelOf(Cache(off), 5, 15), first);
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

TEST_F(SkinnedButtonTest, BitBtnGlyphLooks) {
  auto* bit = MakeBitBtn("Save");
  ASSERT_EQ(bit->GetSkinData()->GetSkinSection(), "BUTTON");
  ExpectLook(kButton, kNormal, bit);
  EXPECT_EQ(GlyphPixel(bit), kGlyph);
  // The glyph's frame is transparent; glyph and caption do not meet.
  const fw::TRect g = skin::GlyphRect(bit->GlyphLayout());
  EXPECT_EQ(PixelOf(Cache(bit), g.Left, g.Top + 8), kButton.Face[kNormal]);
  const fw::TRect caption = BoxOf(Cache(bit), kButton.Font);
  EXPECT_GT(caption.Left, g.Right);
  skin::TkGlyphLayout layout = bit->GlyphLayout();
  layout.Text = TextSize(bit, 120 + 2 - 20);
  EXPECT_EQ(caption, ExpectedInk(bit, skin::BitBtnCaptionRect(layout, fw::TRect(0, 0, 120, 34), false),
                                 DT_CENTER | DT_EXPANDTABS | DT_WORDBREAK));

  // Grey and translucent only while not hot.
  bit->SetGrayed(true);
  Settle();
  EXPECT_TRUE(IsGrey(GlyphPixel(bit)));
  bit->Perform(fw::CM_MOUSEENTER);
  ExpectLook(kButton, kHot, bit);
  EXPECT_EQ(GlyphPixel(bit), kGlyph);
  bit->Perform(fw::CM_MOUSELEAVE);
  bit->SetGrayed(false);
  bit->SetBlend(150);
  EXPECT_EQ(bit->GetBlend(), 100);
  bit->SetBlend(-5);
  EXPECT_EQ(bit->GetBlend(), 0);
  bit->SetBlend(50);
  Settle();
  const fw::TColor half = GlyphPixel(bit);
  EXPECT_NE(half, kGlyph);
  EXPECT_TRUE(Between(half, kGlyph, kButton.Face[kNormal]));
  bit->Perform(fw::CM_MOUSEENTER);
  Settle();
  EXPECT_EQ(GlyphPixel(bit), kGlyph);
  bit->Perform(fw::CM_MOUSELEAVE);
  bit->SetBlend(0);

  // Pressed: the pressed face, glyph and caption one pixel right and down.
  bit->SetDown(true);
  ExpectLook(kButton, kPressed, bit);
  EXPECT_EQ(skin::GlyphRect(bit->GlyphLayout()), fw::TRect(g.Left + 1, g.Top + 1, g.Right + 1, g.Bottom + 1));
  EXPECT_EQ(GlyphPixel(bit), kGlyph);
  EXPECT_EQ(BoxOf(Cache(bit), kButton.HotFont),
            fw::TRect(caption.Left + 1, caption.Top + 1, caption.Right + 1, caption.Bottom + 1));
  bit->SetDown(false);

  // Disabled: the face as it is, the glyph grey.
  bit->SetDisabledKind(skin::TkDisabledKind{});
  bit->SetDisabledGlyphKind({skin::dgGrayed});
  bit->SetEnabled(false);
  Settle();
  EXPECT_EQ(PixelOf(Cache(bit), 60, 1), kButton.Edge[kNormal]);
  EXPECT_TRUE(IsGrey(GlyphPixel(bit)));
  bit->SetDisabledKind(skin::TkDisabledKind{skin::dkBlended});
  Settle();
  EXPECT_TRUE(Between(PixelOf(Cache(bit), 60, 1), kButton.Edge[kNormal], kFormColour));
  EXPECT_NE(PixelOf(Cache(bit), 60, 1), kButton.Edge[kNormal]);
}

TEST_F(SkinnedButtonTest, BitBtnImageListGlyph) {
  auto* list = fw::New<fw::TImageList>(form);
  list->SetWidth(16);
  list->SetHeight(16);
  list->AddMasked(testing_paint::FromPicture(GlyphPicture()).get(), kKey);
  auto* bit = MakeBitBtn("Open");
  bit->SetGlyph(nullptr);
  bit->SetImages(list);
  bit->SetImageIndex(0);
  Settle();
  EXPECT_TRUE(bit->GetGlyph()->GetEmpty());  // skinned: drawn straight from the list
  EXPECT_EQ(GlyphPixel(bit), kGlyph);
  const fw::TRect g = skin::GlyphRect(bit->GlyphLayout());
  EXPECT_EQ(PixelOf(Cache(bit), g.Left, g.Top), kButton.Face[kNormal]);  // the list's background
  EXPECT_TRUE(SamePixels(*ScreenOf(bit), Cache(bit)));

  // An index outside the list: no glyph.
  bit->SetImageIndex(3);
  Settle();
  EXPECT_EQ(CountColour(Cache(bit), fw::TRect(0, 0, 120, 34), kGlyph), 0);
  bit->SetImageIndex(0);

  // Skin removed: a two-frame framework glyph from the list; a new skin clears it.
  SendMessageA(bit->GetHandle(), skin::SM_SKINCMD, skin::SkinCmdWParam(skin::cmdRemoveSkin),
               reinterpret_cast<LPARAM>(manager));
  Settle();
  EXPECT_EQ(bit->GetGlyph()->GetWidth(), 32);
  EXPECT_EQ(bit->GetNumGlyphs(), 2);
  EXPECT_FALSE(HasRegion(bit->GetHandle()));
  EXPECT_GT(CountColour(*ScreenOf(bit), fw::TRect(0, 0, 120, 34), kGlyph), 100);
  for (int command : {skin::cmdNewSkin, skin::cmdRefresh})
    SendMessageA(bit->GetHandle(), skin::SM_SKINCMD, skin::SkinCmdWParam(command), reinterpret_cast<LPARAM>(manager));
  Settle();
  EXPECT_TRUE(bit->GetGlyph()->GetEmpty());
  EXPECT_EQ(GlyphPixel(bit), kGlyph);

  // A freed list is forgotten.
  fw::Free(list);
  EXPECT_EQ(bit->GetImages(), nullptr);
  bit->GetSkinData()->RepaintOwner();
  Settle();
  EXPECT_EQ(CountColour(Cache(bit), fw::TRect(0, 0, 120, 34), kGlyph), 0);
}

TEST_F(SkinnedButtonTest, BitBtnBorderOverContentAndOnPaint) {
  // A glyph as tall as the button reaches into the top edge of the border.
  auto* bit = MakeBitBtn("", 120, 30);
  bit->SetGlyph(testing_paint::FromPicture(GlyphPicture(16, 30)).get());
  Settle();
  const fw::TPoint c = GlyphCentre(bit);
  EXPECT_EQ(PixelOf(Cache(bit), c.X, 1), kGlyph);  // drawn over the border
  bit->SetDrawOverBorder(false);
  Settle();
  EXPECT_EQ(PixelOf(Cache(bit), c.X, 1), kButton.Edge[kNormal]);  // the border over it
  EXPECT_EQ(PixelOf(Cache(bit), c.X, 15), kGlyph);

  // OnPaint draws on the finished cache, which the screen shows.
  bit->OnPaint = [](fw::TObject*, fw::TBitmap* bmp) {
    skin::FillDCRect(bmp->GetCanvas()->GetHandle(), fw::TRect(100, 10, 104, 14), 0x0000FF);
  };
  bit->GetSkinData()->RepaintOwner();
  Settle();
  EXPECT_EQ(PixelOf(Cache(bit), 101, 11), 0x0000FF);
  EXPECT_EQ(PixelOf(*ScreenOf(bit), 101, 11), 0x0000FF);
}

TEST_F(SkinnedButtonTest, BitBtnClicksOnceInEverySkin) {
  auto* bit = MakeBitBtn("Save");
  int bitClicks = 0;
  bit->OnClick = [&](fw::TObject*) { ++bitClicks; };
  SendMessageA(bit->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  Settle();
  EXPECT_EQ(PixelOf(Cache(bit), 60, 1), kButton.Edge[kPressed]);
  SendMessageA(bit->GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
  Settle();
  EXPECT_EQ(bitClicks, 1);
  UseSecondSkin();
  ASSERT_TRUE(bit->Focused());  // the press focused it
  ExpectLook(kSecond.Button, kHot, bit);
  EXPECT_EQ(GlyphPixel(bit), kGlyph);
  EXPECT_TRUE(skin::ControlAnswersCmd(bit, skin::cmdIsSkinned));
}

// No manager at all: a TkButton is a TButton in looks and behaviour.
class UnskinnedButtonTest : public testing_paint::SkinPaintTest {};

TEST_F(UnskinnedButtonTest, LooksAndClicksAsTheFrameworkButton) {
  TButtonForm window(300);
  fw::TForm* form = window.Form;
  auto* skinned = Place<skin::TkButton>(form, fw::Bounds(20, 20, 90, 30), "Go");
  auto* plain = Place<fw::TButton>(form, fw::Bounds(20, 80, 90, 30), "Go");
  // The bitmap buttons too.
  auto* bit = Place<skin::TkBitBtn>(form, fw::Bounds(20, 130, 120, 34), "Save");
  auto* plainBit = Place<fw::TBitBtn>(form, fw::Bounds(20, 170, 120, 34), "Save");
  const test_skins::Picture glyph = GlyphPicture();
  for (fw::TBitBtn* b : {static_cast<fw::TBitBtn*>(bit), plainBit}) b->SetGlyph(testing_paint::FromPicture(glyph).get());
  window.Show();
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

  // The bitmap button; an image list becomes its two-frame glyph.
  EXPECT_GT(CountColour(*ScreenOf(plainBit), fw::TRect(0, 0, 120, 34), kGlyph), 100);
  EXPECT_TRUE(SamePixels(*ScreenOf(bit), *ScreenOf(plainBit)));
  auto* list = fw::New<fw::TImageList>(form);
  list->SetWidth(16);
  list->SetHeight(16);
  list->AddMasked(testing_paint::FromPicture(glyph).get(), kKey);
  bit->SetGlyph(nullptr);
  bit->SetImages(list);
  bit->SetImageIndex(0);
  EXPECT_EQ(bit->GetGlyph()->GetWidth(), 32);
  EXPECT_EQ(bit->GetNumGlyphs(), 2);
  fw::Free(form);
}

// The program's own skin has what a button reads: a border mask with transparent corners, faces
// per state, font colours and the focus frame.
TEST_F(UnskinnedButtonTest, TheProgramsSkinServesTheButton) {
  auto* own = fw::New<skin::TkSkinManager>(nullptr);
  skin::LoadStoredSkinResource(*own->GetInternalSkins());
  own->SetSkinName("Neutral (internal)");
  TButtonForm window;
  auto* button = Place<skin::TkButton>(window.Form, fw::Bounds(20, 20, 90, 30), "Go");
  window.Show();
  Settle();
  ASSERT_TRUE(button->GetSkinData()->SkinIsActive());
  EXPECT_GE(button->GetSkinData()->BorderIndex, 0);
  EXPECT_FALSE(InRegion(button->GetHandle(), 0, 0));
  EXPECT_TRUE(InRegion(button->GetHandle(), 45, 15));
  const fw::TColor font = fw::ColorToRGB(button->GetSkinData()->Section()->FontColor[0]);
  fw::TBitmap& cache = *button->GetSkinData()->CacheBmp;
  EXPECT_GT(CountColour(cache, fw::TRect(0, 0, 90, 30), font), 5);
  const fw::TColor normal = PixelOf(cache, 45, 5);
  button->Perform(fw::CM_MOUSEENTER);
  Settle();
  EXPECT_NE(PixelOf(*button->GetSkinData()->CacheBmp, 45, 5), normal);
  // Hot as when focused, but without the focus frame.
  const int black = CountColour(*button->GetSkinData()->CacheBmp, fw::TRect(0, 0, 90, 30), 0x000000);
  button->Perform(fw::CM_MOUSELEAVE);
  button->SetFocus();
  Settle();
  EXPECT_GT(CountColour(*button->GetSkinData()->CacheBmp, fw::TRect(0, 0, 90, 30), 0x000000), black + 6);
  fw::Free(window.Form);
  own->Free();
}

}  // namespace
