// The skinned speed button: its caption and glyph rectangles as functions; on a skinned panel
// under the control test skin, its looks per state read from its cache and the screen, the
// separator and divider, the drop-down arrow area with its own state and its split clicks,
// grouped buttons, the step fade, the drop-down menu's hints and a freed menu, and the skin
// commands; with no manager at all, the framework's speed button.
#include <gtest/gtest.h>

#include <functional>

#include "framework/controls/custom_control.h"
#include "framework/forms/application.h"
#include "framework/forms/custom_form.h"
#include "framework/menus/menu_item.h"
#include "skin/controls/speed_button.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/stored_skins.h"
#include "support/control_skin.h"

namespace {

using namespace control_skin;
using skin::TkSpeedButton;
using skin::TkSpeedButtonLayout;
using test_skins::PixelOf;
using testing_paint::CountColour;
using testing_paint::Filled;

// A skinned container ("PANEL") whose cache the buttons lie on.
class TTestPanel : public skin::TkSkinnedWinControl<fw::TCustomControl> {
  FW_CLASS(TTestPanel, fw::TCustomControl)
 public:
  explicit TTestPanel(fw::TComponent* owner) : TkSkinnedWinControl(owner, 51, true) {}

 protected:
  bool PassesSkinCommands() const override { return true; }
};

// What runs inside the modal loop of a drop-down menu, from a timer; the menu is then closed.
std::function<void()> whileMenuOpen;
void CALLBACK MenuTick(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  if (whileMenuOpen) whileMenuOpen();
  EndMenu();
}

void AddItem(fw::TPopupMenu* menu) {
  auto* item = fw::New<fw::TMenuItem>(menu);
  item->SetCaption("One");
  menu->GetItems()->Add(item);
}

bool SameRect(const fw::TRect& a, const fw::TRect& b) {
  return a.Left == b.Left && a.Top == b.Top && a.Right == b.Right && a.Bottom == b.Bottom;
}
fw::TRect Moved(fw::TRect r, int dx, int dy) { return fw::TRect(r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy); }

TEST(SpeedButtonLayout, CaptionAndGlyphRectangles) {
  TkSpeedButtonLayout l;
  l.Width = 100, l.Height = 40, l.GlyphWidth = 16, l.GlyphHeight = 16, l.TextWidth = 30, l.TextHeight = 13;
  l.HasCaption = true;
  // Centred side by side: glyph, Spacing, caption (the caption rectangle one pixel wider on the
  // left and two on the right), the pair centred in the button.
  fw::TRect glyph = skin::SpeedButtonGlyphRect(l), text = skin::SpeedButtonCaptionRect(l);
  EXPECT_TRUE(SameRect(glyph, fw::TRect(25, 12, 41, 28)));
  EXPECT_TRUE(SameRect(text, fw::TRect(44, 13, 77, 27)));
  EXPECT_EQ(text.Left + 1 - glyph.Right, l.Spacing);
  EXPECT_EQ(glyph.Left, 100 - (text.Right - 2));

  // Down: both move by (1, 1); TextOffset moves the caption only.
  l.Pushed = true;
  EXPECT_TRUE(SameRect(skin::SpeedButtonGlyphRect(l), Moved(glyph, 1, 1)));
  EXPECT_TRUE(SameRect(skin::SpeedButtonCaptionRect(l), Moved(text, 1, 1)));
  l.Pushed = false;
  l.TextOffset = 3;
  EXPECT_TRUE(SameRect(skin::SpeedButtonCaptionRect(l), Moved(text, 3, 0)));
  l.TextOffset = 0;

  // A drop-down button centres the pair in the width left of its arrow area.
  l.DropDownWidth = skin::kDropDownWidth;
  glyph = skin::SpeedButtonGlyphRect(l), text = skin::SpeedButtonCaptionRect(l);
  EXPECT_EQ(glyph.Left, 17);
  EXPECT_EQ(text.Left + 1 - glyph.Right, l.Spacing);
  EXPECT_EQ(glyph.Left, 84 - (text.Right - 2));
  EXPECT_LE(text.Right - 2, 100 - skin::kDropDownWidth);
  l.DropDownWidth = 0;

  // Right to left: the caption comes first, the glyph after it.
  l.RightToLeft = true;
  glyph = skin::SpeedButtonGlyphRect(l), text = skin::SpeedButtonCaptionRect(l);
  EXPECT_EQ(text.Left + 1, 25);
  EXPECT_EQ(glyph.Left - (text.Right - 2), l.Spacing);
  l.RightToLeft = false;

  // A margin puts the glyph Margin + 3 from the edge; the caption follows the glyph.
  l.Margin = 2, l.Alignment = fw::taLeftJustify;
  EXPECT_EQ(skin::SpeedButtonGlyphRect(l).Left, 5);
  EXPECT_EQ(skin::SpeedButtonCaptionRect(l).Left + 1, 16 + 2 + 4);
  l.Margin = -1, l.Alignment = fw::taCenter;

  // Glyph on top: both centred horizontally, the caption Spacing below the glyph.
  l.Layout = fw::blGlyphTop;
  glyph = skin::SpeedButtonGlyphRect(l), text = skin::SpeedButtonCaptionRect(l);
  EXPECT_TRUE(SameRect(glyph, fw::TRect(43, 3, 59, 19)));
  EXPECT_TRUE(SameRect(text, fw::TRect(34, 23, 67, 37)));
  // No caption: the glyph alone is centred.
  l.Layout = fw::blGlyphLeft, l.HasCaption = false, l.TextWidth = l.TextHeight = 0;
  EXPECT_TRUE(SameRect(skin::SpeedButtonGlyphRect(l), fw::TRect(42, 12, 58, 28)));
}

class SpeedButtonTest : public ControlSkinTest {
 protected:
  void SetUp() override {
    ControlSkinTest::SetUp();
    fw::Application->SetShowHint(true);
    form = fw::New<fw::TForm>(fw::Application);
    form->SetBounds(40, 40, 420, 260);
    panel = fw::New<TTestPanel>(form);
    panel->SetBounds(10, 10, 380, 200);
    panel->SetParent(form);
    form->Show();
    Settle();
  }
  void TearDown() override {
    whileMenuOpen = nullptr;
    fw::Free(form);
    ControlSkinTest::TearDown();
  }
  TkSpeedButton* Make(int left, int top, int width, int height, const std::string& caption = "") {
    auto* b = fw::New<TkSpeedButton>(form);
    b->SetBounds(left, top, width, height);
    b->SetCaption(caption);
    b->SetParent(panel);
    Settle();
    return b;
  }
  // Drops the menu down by a press at x and lets check run while it is open.
  void PressWithMenu(TkSpeedButton* b, int x, const std::function<void()>& check) {
    whileMenuOpen = check;
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, MenuTick);
    b->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 5));
    KillTimer(nullptr, timer);  // no menu opened: the timer must not close a later one
    Settle();
  }
  void Click(TkSpeedButton* b, int x = 5, int y = 5) {
    b->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    b->Perform(WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    Settle();
  }
  static fw::TBitmap& Cache(TkSpeedButton* b) { return *b->GetSkinData()->CacheBmp; }
  fw::TColor Behind(fw::TControl* c, int x, int y) {
    return PixelOf(*panel->GetSkinData()->CacheBmp, c->GetLeft() + x, c->GetTop() + y);
  }
  // The face and the edge of the button's main area, on the cache and the screen alike.
  void ExpectLook(TkSpeedButton* b, const TSectionColours& s, int state) {
    EXPECT_EQ(PixelOf(Cache(b), 8, 4), s.Face[state]) << state;
    EXPECT_EQ(PixelOf(Cache(b), 1, b->GetHeight() / 2), s.Edge[state]) << state;
    EXPECT_TRUE(SamePixels(*ScreenOf(b), Cache(b))) << state;
  }
  void ReloadFirstSkin() {
    UseSecondSkin();
    UseFirstSkin();
    Settle();
  }

  fw::TForm* form = nullptr;
  TTestPanel* panel = nullptr;
  const TSectionColours& S = kFirst.SpeedButton;
};

TEST_F(SpeedButtonTest, LooksPerStateFromTheSection) {
  TkSpeedButton* b = Make(20, 20, 60, 30, "Go");
  int clicks = 0;
  b->OnClick = [&](fw::TObject*) { ++clicks; };
  ASSERT_TRUE(b->GetSkinData()->SkinIsActive());
  EXPECT_EQ(b->GetSkinData()->GetSkinSection(), "SPEEDBUTTON");
  EXPECT_TRUE(b->GetControlStyle().Contains(fw::csOpaque));
  ExpectLook(b, S, kNormal);
  // The transparent corners show the panel; the caption is written in the font colour.
  for (auto [x, y] : {std::pair{0, 0}, {59, 0}, {0, 29}, {59, 29}})
    EXPECT_EQ(PixelOf(Cache(b), x, y), Behind(b, x, y)) << x << "," << y;
  const fw::TRect caption = b->CaptionRect();
  EXPECT_GT(CountColour(Cache(b), caption, S.Font), 5);

  b->Perform(fw::CM_MOUSEENTER);
  Settle();
  ExpectLook(b, S, kHot);
  EXPECT_GT(CountColour(Cache(b), caption, S.HotFont), 5);
  b->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 15));
  Settle();
  ExpectLook(b, S, kPressed);
  EXPECT_TRUE(SameRect(b->CaptionRect(), Moved(caption, 1, 1)));
  b->Perform(WM_LBUTTONUP, 0, MAKELPARAM(30, 15));
  Settle();
  EXPECT_EQ(clicks, 1);
  ExpectLook(b, S, kHot);
  b->Perform(fw::CM_MOUSELEAVE);
  Settle();
  ExpectLook(b, S, kNormal);

  // A press that leaves the button ends up instead of pressed, without a click.
  b->Perform(fw::CM_MOUSEENTER);
  b->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 15));
  b->Perform(fw::CM_MOUSELEAVE);
  b->Perform(WM_LBUTTONUP, 0, MAKELPARAM(90, 15));
  Settle();
  EXPECT_EQ(clicks, 1);
  ExpectLook(b, S, kNormal);

  // While the frame bar rearranges its sections, the mouse entering changes nothing.
  int entered = 0;
  b->OnMouseEnter = [&](fw::TObject*) { ++entered; };
  skin::FrameBarAnimating = true;
  b->Perform(fw::CM_MOUSEENTER);
  skin::FrameBarAnimating = false;
  Settle();
  EXPECT_EQ(entered, 0);
  ExpectLook(b, S, kNormal);

  // A zero-sized button paints nothing and survives.
  b->SetBounds(20, 20, 0, 30);
  b->Repaint();
  Settle();
}

TEST_F(SpeedButtonTest, GlyphFromAnImageListBesideTheCaption) {
  constexpr fw::TColor kRed = 0x0000E0, kKey = 0x00FF00;
  test_skins::Picture picture(8, 8, kKey);
  picture.Fill(1, 1, 6, 6, kRed);
  fw::Owned<fw::TImageList> list(fw::New<fw::TImageList>(nullptr));
  list->SetWidth(8);
  list->SetHeight(8);
  list->AddMasked(testing_paint::FromPicture(picture).get(), kKey);
  TkSpeedButton* b = Make(20, 20, 80, 30, "Go");
  b->SetImages(list.get());
  b->SetImageIndex(0);
  Settle();
  const fw::TRect glyph = b->GlyphRect(), caption = b->CaptionRect();
  EXPECT_EQ(glyph.Right - glyph.Left, 8);
  EXPECT_LT(glyph.Right, caption.Left + 1);
  EXPECT_EQ(PixelOf(Cache(b), glyph.Left + 4, glyph.Top + 4), kRed);
  EXPECT_EQ(PixelOf(Cache(b), glyph.Left, glyph.Top), S.Face[kNormal]);  // the list's key colour is transparent
  // Grayed: grey while not hot, in colour while hot.
  b->SetGrayed(true);
  Settle();
  const fw::TColor grey = PixelOf(Cache(b), glyph.Left + 4, glyph.Top + 4);
  EXPECT_TRUE((grey & 0xFF) == ((grey >> 8) & 0xFF) && (grey & 0xFF) == ((grey >> 16) & 0xFF)) << grey;
  b->Perform(fw::CM_MOUSEENTER);
  Settle();
  EXPECT_EQ(PixelOf(Cache(b), glyph.Left + 4, glyph.Top + 4), kRed);
  // An index beyond the list draws no glyph.
  b->SetImageIndex(3);
  Settle();
  EXPECT_EQ(CountColour(Cache(b), fw::TRect(0, 0, 80, 30), kRed), 0);
  b->SetImages(nullptr);
}

TEST_F(SpeedButtonTest, SeparatorShowsTheParentAndDividerItsMaskCentred) {
  TkSpeedButton* separator = Make(100, 20, 20, 30, "No");
  separator->SetButtonStyle(fw::tbsSeparator);
  Settle();
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 20; ++x) ASSERT_EQ(PixelOf(Cache(separator), x, y), Behind(separator, x, y)) << x << "," << y;
  EXPECT_TRUE(SamePixels(*ScreenOf(separator), Cache(separator)));

  TkSpeedButton* divider = Make(130, 20, 20, 30);
  divider->SetButtonStyle(fw::tbsDivider);
  Settle();
  const TSectionColours& d = kFirst.Divider;
  // The 12-pixel frame stands at x 4..15, from row 1 to row 27.
  EXPECT_EQ(PixelOf(Cache(divider), 10, 15), d.Face[kNormal]);
  EXPECT_EQ(PixelOf(Cache(divider), 5, 15), d.Edge[kNormal]);
  EXPECT_EQ(PixelOf(Cache(divider), 14, 15), d.Edge[kNormal]);
  EXPECT_EQ(PixelOf(Cache(divider), 10, 2), d.Edge[kNormal]);
  EXPECT_EQ(PixelOf(Cache(divider), 10, 26), d.Edge[kNormal]);
  for (auto [x, y] : {std::pair{3, 15}, {16, 15}, {10, 0}, {10, 28}, {10, 29}})
    EXPECT_EQ(PixelOf(Cache(divider), x, y), Behind(divider, x, y)) << x << "," << y;
  // The divider is drawn in its normal state, hot or not.
  divider->Perform(fw::CM_MOUSEENTER);
  Settle();
  EXPECT_EQ(PixelOf(Cache(divider), 10, 15), d.Face[kNormal]);
  EXPECT_TRUE(SamePixels(*ScreenOf(divider), Cache(divider)));
}

TEST_F(SpeedButtonTest, DropDownArrowAreaAndSplitClicks) {
  TkSpeedButton* b = Make(20, 20, 60, 30, "Go");
  b->SetButtonStyle(fw::tbsDropDown);
  EXPECT_EQ(b->GetWidth(), 76);
  b->SetButtonStyle(fw::tbsButton);
  EXPECT_EQ(b->GetWidth(), 60);
  b->SetButtonStyle(fw::tbsDropDown);
  Settle();
  const int w = b->GetWidth(), arrowX = (16 - kArrowWidth) / 2 + w - 16 + 1, arrowY = (30 - kArrowHeight) / 2;
  // The arrow area has a face of its own, the arrow glyph in its middle; the main face ends
  // with its own edge before it.
  EXPECT_EQ(PixelOf(Cache(b), w - 16 + 4, 4), S.Face[kNormal]);
  EXPECT_EQ(PixelOf(Cache(b), w - 17, 15), S.Edge[kNormal]);
  EXPECT_EQ(PixelOf(Cache(b), w - 16 + 1, 15), S.Edge[kNormal]);
  EXPECT_EQ(PixelOf(Cache(b), arrowX + kArrowWidth / 2, arrowY), kFirst.Arrow[kNormal]);
  b->Perform(fw::CM_MOUSEENTER);
  Settle();
  EXPECT_EQ(PixelOf(Cache(b), w - 16 + 4, 4), S.Face[kHot]);
  EXPECT_EQ(PixelOf(Cache(b), arrowX + kArrowWidth / 2, arrowY), kFirst.Arrow[kHot]);

  auto* menu = fw::New<fw::TPopupMenu>(form);
  AddItem(menu);
  int popups = 0, clicks = 0;
  menu->OnPopup = [&](fw::TObject*) { ++popups; };
  b->SetDropdownMenu(menu);
  b->OnClick = [&](fw::TObject*) { ++clicks; };
  // With OnClick the main area clicks and only the last 16 pixels open the menu.
  PressWithMenu(b, w - 16, [] {});
  b->Perform(WM_LBUTTONUP, 0, MAKELPARAM(w - 16, 5));
  EXPECT_EQ(popups, 0);
  EXPECT_EQ(clicks, 1);
  bool open = false;
  fw::TColor mainFace = 0, arrowFace = 0, arrow = 0;
  PressWithMenu(b, w - 15, [&] {
    open = b->MenuOpen();
    mainFace = PixelOf(Cache(b), 8, 4);
    arrowFace = PixelOf(Cache(b), w - 16 + 4, 4);
    arrow = PixelOf(Cache(b), arrowX + kArrowWidth / 2, arrowY);
  });
  EXPECT_EQ(popups, 1);
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(open);
  EXPECT_EQ(mainFace, S.Face[kHot]);
  EXPECT_EQ(arrowFace, S.Face[kPressed]);
  EXPECT_EQ(arrow, kFirst.Arrow[kPressed]);
  EXPECT_FALSE(b->MenuOpen());
  EXPECT_EQ(menu->GetPopupComponent(), b);

  // Without OnClick the whole button opens the menu and looks pressed meanwhile.
  b->OnClick = nullptr;
  PressWithMenu(b, 5, [&] { mainFace = PixelOf(Cache(b), 8, 4); });
  EXPECT_EQ(popups, 2);
  EXPECT_EQ(mainFace, S.Face[kPressed]);
  EXPECT_NE(PixelOf(Cache(b), 8, 4), S.Face[kPressed]);
}

TEST_F(SpeedButtonTest, HintsComeBackAfterTheMenuClosedSkinnedOrNot) {
  TkSpeedButton* skinned = Make(20, 20, 60, 30, "Go");
  TkSpeedButton* plain = Make(100, 20, 60, 30, "Go");
  plain->GetSkinData()->SetSkinSection("NOSUCHSECTION");
  ASSERT_FALSE(plain->GetSkinData()->SkinIsActive());
  auto* menu = fw::New<fw::TPopupMenu>(form);
  AddItem(menu);
  int popups = 0;
  menu->OnPopup = [&](fw::TObject*) { ++popups; };
  for (TkSpeedButton* b : {skinned, plain}) {
    b->SetButtonStyle(fw::tbsDropDown);
    b->SetDropdownMenu(menu);
  }
  for (TkSpeedButton* b : {skinned, plain}) {
    bool hintsWhileOpen = true;
    PressWithMenu(b, 5, [&] { hintsWhileOpen = fw::Application->GetShowHint(); });
    EXPECT_FALSE(hintsWhileOpen);
    EXPECT_TRUE(fw::Application->GetShowHint()) << b->GetSkinData()->SkinIsActive();
  }
  EXPECT_EQ(popups, 2);

  // The hints come back at a capture loss, once; a second drop-down press while a menu is open
  // opens nothing, and its hint switch ends when the button goes.
  TkSpeedButton* third = Make(180, 20, 60, 30, "Go");
  third->SetButtonStyle(fw::tbsDropDown);
  third->SetDropdownMenu(menu);
  bool afterCaptureLoss = false, whileThirdHeld = true, afterThirdFreed = false;
  PressWithMenu(skinned, 5, [&] {
    skinned->Perform(WM_CAPTURECHANGED, 0, 0);
    afterCaptureLoss = fw::Application->GetShowHint();
    third->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    whileThirdHeld = fw::Application->GetShowHint();
    fw::Free(third);
    afterThirdFreed = fw::Application->GetShowHint();
  });
  EXPECT_TRUE(afterCaptureLoss);
  EXPECT_FALSE(whileThirdHeld);
  EXPECT_TRUE(afterThirdFreed);
  EXPECT_EQ(popups, 3);
  EXPECT_TRUE(fw::Application->GetShowHint());
}

TEST_F(SpeedButtonTest, FreedDropdownMenuIsForgotten) {
  TkSpeedButton* b = Make(20, 20, 60, 30, "Go");
  b->SetButtonStyle(fw::tbsDropDown);
  auto* menu = fw::New<fw::TPopupMenu>(form);
  b->SetDropdownMenu(menu);
  fw::Free(menu);
  EXPECT_EQ(b->GetDropdownMenu(), nullptr);
  // A press is an ordinary press now.
  int clicks = 0;
  b->OnClick = [&](fw::TObject*) { ++clicks; };
  Click(b, 5);
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(fw::Application->GetShowHint());
}

TEST_F(SpeedButtonTest, GroupedButtonsShowWhichIsDown) {
  TkSpeedButton* a = Make(20, 20, 60, 30, "A");
  TkSpeedButton* b = Make(100, 20, 60, 30, "B");
  for (TkSpeedButton* x : {a, b}) x->SetGroupIndex(1);
  Click(a);
  EXPECT_TRUE(a->GetDown());
  a->Perform(fw::CM_MOUSELEAVE);
  Settle();
  ExpectLook(a, S, kPressed);
  ExpectLook(b, S, kNormal);
  Click(b);
  b->Perform(fw::CM_MOUSELEAVE);
  Settle();
  EXPECT_FALSE(a->GetDown());
  EXPECT_TRUE(b->GetDown());
  ExpectLook(a, S, kNormal);
  ExpectLook(b, S, kPressed);
}

TEST_F(SpeedButtonTest, StepFadeGoesOnFromTheStepsLeft) {
  for (int i = 0; i < manager->GetInternalSkins()->GetCount(); ++i) {
    skin::TkStoredSkin* stored = manager->GetInternalSkins()->GetItem(i);
    if (stored->GetName() != kFirstName) continue;
    testing_paint::SectionOf(*stored, "SPEEDBUTTON")->SetFadingEnabled(true);
    testing_paint::SectionOf(*stored, "SPEEDBUTTON")->SetFadingIterations(10);
  }
  ReloadFirstSkin();
  TkSpeedButton* b = Make(20, 20, 60, 30, "Go");
  b->Perform(fw::CM_MOUSEENTER);
  skin::TkAnimTimer* fade = b->Animation();
  ASSERT_NE(fade, nullptr);
  EXPECT_EQ(fade->Iterations, 10);
  EXPECT_EQ(fade->CurrentStep, 2);  // the first step is taken at once
  // The button paints the blended frame, not its cache.
  auto painted = Filled(60, 30);
  b->Perform(WM_PAINT, reinterpret_cast<WPARAM>(painted->GetCanvas()->GetHandle()), 0);
  GdiFlush();
  EXPECT_EQ(PixelOf(*painted, 8, 4), PixelOf(*fade->FrameImage, 8, 4));
  EXPECT_NE(PixelOf(*painted, 8, 4), S.Face[kHot]);
  EXPECT_EQ(PixelOf(Cache(b), 8, 4), S.Face[kHot]);
  fade->Step();
  fade->Step();
  ASSERT_EQ(fade->CurrentStep, 4);
  // Leaving now fades back from the 10 - 4 steps left.
  b->Perform(fw::CM_MOUSELEAVE);
  fade = b->Animation();
  ASSERT_NE(fade, nullptr);
  EXPECT_EQ(fade->CurrentStep, 10 - 4 + 1);
  // Run to the end: the timer asks the button to stop and the cache's look stays.
  for (int i = 0; i < 20 && b->Animation(); ++i) b->Animation()->Tick();
  EXPECT_EQ(b->Animation(), nullptr);
  Settle();
  ExpectLook(b, S, kNormal);
  // A press fades over half the steps.
  b->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 15));
  ASSERT_NE(b->Animation(), nullptr);
  EXPECT_EQ(b->Animation()->Iterations, 5);
  b->Perform(WM_LBUTTONUP, 0, MAKELPARAM(30, 15));
  for (int i = 0; i < 20 && b->Animation(); ++i) b->Animation()->Tick();
  Settle();
}

TEST_F(SpeedButtonTest, SkinCommands) {
  TkSpeedButton* b = Make(20, 20, 60, 30, "Go");
  TkSpeedButton* plain = Make(100, 20, 60, 30, "Go");
  plain->GetSkinData()->SetSkinSection("NOSUCHSECTION");
  // Command 7 is answered skinned or not, loading or not; loading, a new style keeps the width.
  {
    fw::TLoadScope scope;
    auto* loading = fw::New<TkSpeedButton>(form);
    EXPECT_TRUE(skin::ControlAnswersCmd(loading, skin::cmdIsSkinned));
    const int width = loading->GetWidth();
    loading->SetButtonStyle(fw::tbsDropDown);
    EXPECT_EQ(loading->GetWidth(), width);
  }
  EXPECT_TRUE(skin::ControlAnswersCmd(b, skin::cmdIsSkinned));
  EXPECT_TRUE(skin::ControlAnswersCmd(plain, skin::cmdIsSkinned));

  // Commands 1, 2 and 3 of another manager change nothing.
  auto* other = fw::New<skin::TkSkinManager>(nullptr);
  for (int command : {skin::cmdRemoveSkin, skin::cmdNewSkin, skin::cmdRefresh})
    b->Perform(skin::SM_SKINCMD, skin::SkinCmdWParam(command), reinterpret_cast<LPARAM>(other));
  fw::Free(other);
  Settle();
  EXPECT_TRUE(b->GetSkinData()->SkinIsActive());
  ExpectLook(b, S, kNormal);

  // The second skin repaints the button in its colours.
  UseSecondSkin();
  Settle();
  ExpectLook(b, kSecond.SpeedButton, kNormal);
  UseFirstSkin();
  Settle();
  ExpectLook(b, S, kNormal);

  // Command 2 of its own manager gives the framework's look back.
  b->Perform(skin::SM_SKINCMD, skin::SkinCmdWParam(skin::cmdRemoveSkin), reinterpret_cast<LPARAM>(manager));
  Settle();
  EXPECT_FALSE(b->GetSkinData()->SkinIsActive());
  EXPECT_FALSE(b->GetControlStyle().Contains(fw::csOpaque));
  EXPECT_EQ(PixelOf(*ScreenOf(b), 8, 4), fw::ColorToRGB(fw::clBtnFace));
}

// With no manager at all the button is the framework's speed button, pixel for pixel.
class SpeedButtonWithoutManager : public testing_paint::SkinPaintTest {};

TEST_F(SpeedButtonWithoutManager, LooksAndClicksAsTheFrameworkButton) {
  auto* form = fw::New<fw::TForm>(fw::Application);
  form->SetBounds(40, 40, 300, 160);
  auto* ours = fw::New<TkSpeedButton>(form);
  auto* theirs = fw::New<fw::TSpeedButton>(form);
  int clicks = 0;
  ours->OnClick = [&](fw::TObject*) { ++clicks; };
  for (fw::TSpeedButton* b : {static_cast<fw::TSpeedButton*>(ours), theirs}) {
    b->SetBounds(b == ours ? 20 : 120, 20, 70, 28);
    b->SetCaption("Same");
    b->SetParent(form);
  }
  form->Show();
  Settle();
  EXPECT_TRUE(SamePixels(*ScreenOf(ours), *ScreenOf(theirs)));
  EXPECT_FALSE(ours->GetControlStyle().Contains(fw::csOpaque));
  ours->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  ours->Perform(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(clicks, 1);
  fw::Free(form);
}

}  // namespace
