// The skinned control pattern: a windowed button-like control, a graphic one and a container
// built on it, painted from the skin into their caches and onto the screen in one copy, with the
// disabled and hot looks, the corners showing the container, the skin commands of their own
// manager only, and the framework's look without a skin.
#include <gtest/gtest.h>

#include <cmath>

#include "framework/controls/custom_control.h"
#include "framework/controls/graphic_control.h"
#include "framework/forms/application.h"
#include "framework/forms/custom_form.h"
#include "skin/controls/skinned_control.h"
#include "skin/engine/glyphs_text.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/stored_skins.h"
#include "support/control_skin.h"
#include "support/skin_paint_fixture.h"

namespace {

using namespace testing_paint;
using control_skin::SamePixels;
using control_skin::ScreenOf;
using test_skins::PixelOf;

constexpr fw::TColor kNormal = 0x206040, kHot = 0x40A080, kPressed = 0x102010, kSpeed = 0x705030,
                     kSpeedHot = 0x907050, kPlain = 0x00FFFF, kText = 0x0000C0;

// Notes the skin commands that reach the framework's handling.
template <class Base>
class TNoting : public Base {
 public:
  using Base::Base;
  std::vector<int> PassedOn;
  int Rebuilds = 0;

  void Dispatch(fw::TMessage& m) override {
    if (m.Msg == skin::SM_SKINCMD) PassedOn.push_back(skin::SkinCmdOf(m.WParam));
    Base::Dispatch(m);
  }

 protected:
  void PaintContent() override {
    ++Rebuilds;
    fw::TRect r(0, 0, this->GetWidth(), this->GetHeight());
    skin::WriteSkinText(this->GetSkinData()->CacheBmp->GetCanvas(), this->GetCaption(), true, this->StateIndex(),
                        this->GetSkinData(), DT_CENTER | DT_SINGLELINE, r);
  }
};

class TTestButton : public TNoting<skin::TkSkinnedWinControl<fw::TCustomControl>> {
  FW_CLASS(TTestButton, fw::TCustomControl)
 public:
  explicit TTestButton(fw::TComponent* owner) : TNoting(owner, 93, true) {}
  bool Down = false;  // latched down: the pressed look, hot or not

 protected:
  int StateIndex() const override { return Down ? 2 : TNoting::StateIndex(); }
  void Paint() override { skin::FillDCRect(GetCanvas()->GetHandle(), GetClientRect(), kPlain); }
};

class TTestSpeed : public TNoting<skin::TkSkinnedGraphicControl<fw::TGraphicControl>> {
  FW_CLASS(TTestSpeed, fw::TGraphicControl)
 public:
  explicit TTestSpeed(fw::TComponent* owner) : TNoting(owner, 92, true) {}
};

class TTestPanel : public skin::TkSkinnedWinControl<fw::TCustomControl> {
  FW_CLASS(TTestPanel, fw::TCustomControl)
 public:
  explicit TTestPanel(fw::TComponent* owner) : TkSkinnedWinControl(owner, 51, true) {}

 protected:
  bool PassesSkinCommands() const override { return true; }
};

class SkinnedControlTest : public SkinPaintTest {
 protected:
  void SetUp() override {
    SkinPaintTest::SetUp();
    LoadSkin(test_skins::MaskPicture({kNormal, kHot, kPressed}, 12, 12, false),
             {{"GLOBALINFO", ""}, {"BUTTON", ""}, {"SPEEDBUTTON", ""}, {"PANEL", ""}},
             [](skin::TkStoredSkin& stored) {
               AddImage(stored, "BUTTON", "BORDERSMASK", fw::TRect(0, 0, 36, 12), 0, 0, 4, 3);
               SectionOf(stored, "BUTTON")->SetFontColor(std::to_string(kText) + " -1 -1 -1 -1");
               SectionOf(stored, "SPEEDBUTTON")->SetColor(kSpeed);
               SectionOf(stored, "SPEEDBUTTON")->SetHotColor(kSpeedHot);
               SectionOf(stored, "PANEL")->SetGradientPercent(100);
               SectionOf(stored, "PANEL")->SetGradientData("0;255;100;0;0");
             });
    form = fw::New<fw::TForm>(fw::Application);
    form->SetBounds(40, 40, 360, 260);
    panel = fw::New<TTestPanel>(form);
    panel->SetBounds(10, 10, 220, 160);
    panel->SetParent(form);
    button = fw::New<TTestButton>(form);
    button->SetBounds(20, 30, 60, 30);
    button->SetCaption("Go");
    button->SetParent(panel);
    speed = fw::New<TTestSpeed>(form);
    speed->SetBounds(110, 40, 40, 30);
    speed->SetParent(panel);
    form->Show();
    Settle();
  }
  void TearDown() override {
    fw::Free(form);
    SkinPaintTest::TearDown();
  }
  fw::TBitmap& Cache(fw::TControl* c) {
    if (c == button) return *button->GetSkinData()->CacheBmp;
    if (c == speed) return *speed->GetSkinData()->CacheBmp;
    return *panel->GetSkinData()->CacheBmp;
  }
  fw::TColor Behind(fw::TControl* c, int x, int y) { return PixelOf(Cache(panel), c->GetLeft() + x, c->GetTop() + y); }

  fw::TForm* form = nullptr;
  TTestPanel* panel = nullptr;
  TTestButton* button = nullptr;
  TTestSpeed* speed = nullptr;
};

TEST_F(SkinnedControlTest, ScreenShowsTheCacheInOneCopy) {
  ASSERT_TRUE(button->GetSkinData()->SkinIsActive());
  EXPECT_EQ(button->GetSkinData()->GetSkinSection(), "BUTTON");
  EXPECT_EQ(speed->GetSkinData()->GetSkinSection(), "SPEEDBUTTON");
  EXPECT_EQ(panel->GetSkinData()->GetSkinSection(), "PANEL");
  // The container's gradient runs black to red down its height.
  EXPECT_EQ(PixelOf(Cache(panel), 5, 0), 0x000000);
  EXPECT_EQ(PixelOf(Cache(panel), 5, 159), 0x0000FF);
  // The button: its normal frame, the transparent corners showing the container behind them.
  fw::TBitmap& b = Cache(button);
  EXPECT_EQ(PixelOf(b, 30, 2), kNormal);
  EXPECT_EQ(PixelOf(b, 1, 1), kNormal);
  for (auto [x, y] : {std::pair{0, 0}, {59, 0}, {0, 29}, {59, 29}})
    EXPECT_EQ(PixelOf(b, x, y), Behind(button, x, y)) << x << "," << y;
  EXPECT_NE(Behind(button, 0, 0), Behind(button, 0, 29));
  // The caption in the section's font colour.
  EXPECT_GT(CountColour(b, fw::TRect(4, 4, 56, 26), kText), 5);
  EXPECT_EQ(CountColour(Cache(speed), fw::TRect(0, 0, 40, 30), kSpeed), 40 * 30);
  // The screen holds exactly the caches.
  EXPECT_TRUE(SamePixels(*ScreenOf(button), b));
  EXPECT_TRUE(SamePixels(*ScreenOf(speed), Cache(speed)));
  EXPECT_EQ(PixelOf(*ScreenOf(panel), 5, 5), PixelOf(Cache(panel), 5, 5));

  // Painting leaves the shared colours at rest, so no stale answer reaches the next control.
  EXPECT_EQ(skin::QueriedColor, fw::clFuchsia);
  EXPECT_EQ(skin::ParentBgColor, fw::clFuchsia);
  EXPECT_EQ(skin::MaskFillColor, fw::clFuchsia);

  // A repaint without a change copies the cache without rebuilding it.
  const int rebuilds = button->Rebuilds;
  button->Repaint();
  button->Repaint();
  EXPECT_EQ(button->Rebuilds, rebuilds);
  EXPECT_TRUE(SamePixels(*ScreenOf(button), b));
}

TEST_F(SkinnedControlTest, HotAndDisabledLooks) {
  int events = 0;
  button->OnMouseEnter = [&](fw::TObject*) { ++events; };
  button->Perform(fw::CM_MOUSEENTER);
  Settle();
  EXPECT_EQ(events, 1);
  EXPECT_EQ(PixelOf(Cache(button), 30, 2), kHot);
  EXPECT_EQ(PixelOf(*ScreenOf(button), 30, 2), kHot);
  button->Perform(fw::CM_MOUSELEAVE);
  Settle();
  EXPECT_EQ(PixelOf(*ScreenOf(button), 30, 2), kNormal);
  speed->Perform(fw::CM_MOUSEENTER);
  Settle();
  EXPECT_EQ(PixelOf(Cache(speed), 5, 5), kSpeedHot);
  EXPECT_EQ(PixelOf(*ScreenOf(speed), 5, 5), kSpeedHot);
  speed->Perform(fw::CM_MOUSELEAVE);

  // A latched button keeps its pressed frame, with the mouse over it or not.
  button->Down = true;
  button->GetSkinData()->BGChanged = true;
  button->Repaint();
  Settle();
  EXPECT_EQ(PixelOf(*ScreenOf(button), 30, 2), kPressed);
  button->Perform(fw::CM_MOUSEENTER);
  Settle();
  EXPECT_EQ(PixelOf(*ScreenOf(button), 30, 2), kPressed);
  button->Perform(fw::CM_MOUSELEAVE);
  button->Down = false;

  // Disabled: the normal face, 40 % over 60 % of the container's cache at the control's place.
  button->SetEnabled(false);
  button->Perform(fw::CM_MOUSEENTER);
  Settle();
  EXPECT_EQ(events, 2);  // the two while enabled, none now
  fw::TBitmap& b = Cache(button);
  for (int y = 1; y < 29; y += 3)
    for (int x = 1; x < 59; x += 7) {
      const fw::TColor bg = Behind(button, x, y);
      fw::TColor expected = 0;
      for (int shift = 0; shift < 24; shift += 8) {
        const int s = (bg >> shift) & 0xFF, d = (kNormal >> shift) & 0xFF;
        expected |= static_cast<int>(std::nearbyint(s - (s - d) * 0.4)) << shift;
      }
      ASSERT_EQ(PixelOf(b, x, y), expected) << x << "," << y;
    }
  EXPECT_TRUE(SamePixels(*ScreenOf(button), b));
  // Greyed instead.
  button->SetDisabledKind(skin::TkDisabledKind{skin::dkGrayed});
  Settle();
  const int grey = ((kNormal & 0xFF) + (kNormal >> 8 & 0xFF) + (kNormal >> 16)) / 3;
  EXPECT_EQ(PixelOf(Cache(button), 30, 2), grey | grey << 8 | grey << 16);
}

TEST_F(SkinnedControlTest, SkinCommands) {
  // Command 7 is answered while loading and unskinned.
  {
    fw::TLoadScope scope;
    auto* loading = fw::New<TTestButton>(form);
    EXPECT_TRUE(skin::ControlAnswersCmd(loading, skin::cmdIsSkinned));
  }
  auto* unskinned = fw::New<TTestButton>(form);
  unskinned->GetSkinData()->SetSkinSection("NOWHERE");
  EXPECT_FALSE(unskinned->GetSkinData()->SkinIsActive());
  EXPECT_TRUE(skin::ControlAnswersCmd(unskinned, skin::cmdIsSkinned));

  // Commands 1, 2 and 3 of another manager pass on unchanged.
  auto* other = fw::New<skin::TkSkinManager>(nullptr);
  button->PassedOn.clear();
  const int rebuilds = button->Rebuilds;
  for (int command : {skin::cmdNewSkin, skin::cmdRemoveSkin, skin::cmdRefresh})
    button->Perform(skin::SM_SKINCMD, skin::SkinCmdWParam(command), reinterpret_cast<LPARAM>(other));
  Settle();
  EXPECT_EQ(button->PassedOn, (std::vector<int>{1, 2, 3}));
  EXPECT_TRUE(button->GetSkinData()->SkinIsActive());
  EXPECT_EQ(button->Rebuilds, rebuilds);
  other->Free();

  // Command 2 of its own manager: the framework's look; mouse-over changes nothing then.
  button->PassedOn.clear();
  button->Perform(skin::SM_SKINCMD, skin::SkinCmdWParam(skin::cmdRemoveSkin), reinterpret_cast<LPARAM>(manager));
  Settle();
  EXPECT_TRUE(button->PassedOn.empty());
  EXPECT_FALSE(button->GetSkinData()->SkinIsActive());
  EXPECT_EQ(CountColour(*ScreenOf(button), fw::TRect(0, 0, 60, 30), kPlain), 60 * 30);
  button->Perform(fw::CM_MOUSEENTER);
  EXPECT_FALSE(button->GetSkinData()->MouseAbove);
  button->Perform(fw::CM_MOUSELEAVE);
  // Commands 1 and 3: skinned again.
  button->Perform(skin::SM_SKINCMD, skin::SkinCmdWParam(skin::cmdNewSkin), reinterpret_cast<LPARAM>(manager));
  button->Perform(skin::SM_SKINCMD, skin::SkinCmdWParam(skin::cmdRefresh), reinterpret_cast<LPARAM>(manager));
  Settle();
  EXPECT_TRUE(button->GetSkinData()->SkinIsActive());
  EXPECT_EQ(PixelOf(*ScreenOf(button), 30, 2), kNormal);
  EXPECT_TRUE(SamePixels(*ScreenOf(button), Cache(button)));

  // The container passes its manager's commands to its children.
  speed->PassedOn.clear();
  panel->Perform(skin::SM_SKINCMD, skin::SkinCmdWParam(skin::cmdRefresh), reinterpret_cast<LPARAM>(manager));
  EXPECT_TRUE(speed->PassedOn.empty());
  EXPECT_TRUE(speed->GetSkinData()->BGChanged || speed->Rebuilds > 0);
}

}  // namespace
