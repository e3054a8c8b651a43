// The skinned panel and grip against the control test skin: the panel's face and caption in its
// cache, copied around its child windows with its labels laid over it; the skin commands it
// passes on; the partly hidden panel that rebuilds at every paint; the framework's look and
// events without a skin; the grip showing its linked control's corner.
#include <gtest/gtest.h>

#include "framework/forms/application.h"
#include "framework/forms/custom_form.h"
#include "skin/controls/edit.h"
#include "skin/controls/grip.h"
#include "skin/controls/label.h"
#include "skin/controls/panel.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/stored_skins.h"
#include "support/form_skin_fixture.h"
#include "support/panel_form_fixture.h"

namespace {

using namespace control_skin;
using control_shots::PaintedBy;
using control_shots::ScreenShot;
using test_skins::PixelOf;
using testing_paint::CountColour;
using testing_paint::kCanary;

// Notes the skin commands 1, 2 and 3 that reach a control, then lets it handle them.
struct TCommandLog {
  std::vector<int> Commands;
  void Watch(fw::TControl* control) {
    fw::TWndMethodProc previous = control->GetWindowProc();
    control->SetWindowProc([this, previous](fw::TMessage& m) {
      if (m.Msg == skin::SM_SKINCMD && skin::SkinCmdOf(m.WParam) <= skin::cmdRefresh)
        Commands.push_back(skin::SkinCmdOf(m.WParam));
      previous(m);
    });
  }
};

class SkinnedPanelTest : public control_shots::PanelFormTest {
 protected:
  void SetUp() override {
    PanelFormTest::SetUp();
    MakeForm(380, 280, fw::TRect(10, 10, 250, 170));
    panel->SetCaption("Tools");
    edit = Place<skin::TkEdit>(panel, 20, 20, 90, 24);
    label = Place<skin::TkLabel>(panel, 130, 24, 60, 16);
    label->SetCaption("Files");
    ShowForm();
  }
  fw::TBitmap& Cache(skin::TkPanel* p) { return *p->GetSkinData()->CacheBmp; }

  skin::TkEdit* edit = nullptr;
  skin::TkLabel* label = nullptr;
};

TEST_F(SkinnedPanelTest, FaceAroundChildWindowsWithLabelsOver) {
  ASSERT_TRUE(panel->GetSkinData()->SkinIsActive());
  EXPECT_EQ(panel->GetSkinData()->GetSkinSection(), "PANEL");
  fw::TBitmap& cache = Cache(panel);
  EXPECT_EQ(PixelOf(cache, 120, 140), kFirst.Panel.Face[kNormal]);
  EXPECT_EQ(PixelOf(cache, 1, 80), kFirst.Panel.Edge[kNormal]);
  // The caption, centred, in the section's font colour.
  EXPECT_GT(CountColour(cache, fw::TRect(80, 70, 160, 90), kFirst.Panel.Font), 5);

  // Painted into a DC: the cache everywhere but under the edit window, the label over it.
  auto painted = PaintedBy(240, 160, [&](HDC dc) { panel->PaintAll(dc); });
  EXPECT_EQ(CountColour(*painted, edit->GetBoundsRect(), kCanary), 90 * 24);
  EXPECT_EQ(PixelOf(*painted, 120, 140), kFirst.Panel.Face[kNormal]);
  EXPECT_EQ(PixelOf(*painted, 19, 30), kFirst.Panel.Face[kNormal]);
  const fw::TRect labelRect = label->GetBoundsRect();
  const int text = CountColour(*painted, labelRect, kFirst.GlobalFont);
  EXPECT_GT(text, 5);
  EXPECT_EQ(CountColour(*painted, labelRect, kFirst.Panel.Face[kNormal]) + text,
            labelRect.Width() * labelRect.Height());

  // The screen: the panel's face, the edit's own look, the label in the skin's font colour.
  auto shot = ScreenShot(panel);
  EXPECT_EQ(PixelOf(*shot, 120, 140), kFirst.Panel.Face[kNormal]);
  EXPECT_EQ(PixelOf(*shot, 40, 21), kFirst.Edit.Edge[edit->Focused() ? kHot : kNormal]);
  EXPECT_EQ(CountColour(*shot, labelRect, kFirst.GlobalFont), text);
  // After painting itself the panel tells its child windows (command 6): a waiting edit paints.
  edit->GetSkinData()->Updating = true;
  panel->Repaint();
  EXPECT_FALSE(edit->GetSkinData()->Updating);
  // A repaint without a change does not rebuild the cache.
  int rebuilds = 0;
  panel->OnPaint = [&](fw::TObject*, fw::TCanvas*) { ++rebuilds; };
  panel->Repaint();
  Settle();
  EXPECT_EQ(rebuilds, 0);
}

TEST_F(SkinnedPanelTest, PassesSkinCommandsToItsChildren) {
  TCommandLog heard;
  heard.Watch(label);
  heard.Watch(edit);
  auto* other = fw::New<skin::TkSkinManager>(nullptr);
  panel->GetSkinData()->BGChanged = false;
  for (int command : {skin::cmdNewSkin, skin::cmdRemoveSkin, skin::cmdRefresh})
    panel->Perform(skin::SM_SKINCMD, skin::SkinCmdWParam(command), reinterpret_cast<LPARAM>(other));
  Settle();
  // The panel itself changes nothing; each child hears all three (and ignores them).
  EXPECT_TRUE(panel->GetSkinData()->SkinIsActive());
  EXPECT_FALSE(panel->GetSkinData()->BGChanged);
  EXPECT_EQ(heard.Commands, (std::vector<int>{1, 1, 2, 2, 3, 3}));
  EXPECT_TRUE(edit->GetSkinData()->SkinIsActive());
  EXPECT_EQ(PixelOf(*ScreenShot(panel), 120, 140), kFirst.Panel.Face[kNormal]);
  other->Free();

  // Command 7 is answered skinned and unskinned.
  EXPECT_TRUE(skin::ControlAnswersCmd(panel, skin::cmdIsSkinned));
  manager->SetActive(false);
  EXPECT_FALSE(panel->GetSkinData()->SkinIsActive());
  EXPECT_TRUE(skin::ControlAnswersCmd(panel, skin::cmdIsSkinned));
}

TEST_F(SkinnedPanelTest, SecondSkinAndRemoval) {
  UseSecondSkin();
  Settle();
  auto shot = ScreenShot(panel);
  EXPECT_EQ(PixelOf(*shot, 120, 140), kSecond.Panel.Face[kNormal]);
  EXPECT_EQ(PixelOf(*shot, 1, 80), kSecond.Panel.Edge[kNormal]);
  EXPECT_EQ(PixelOf(*shot, 40, 21), kSecond.Edit.Edge[edit->Focused() ? kHot : kNormal]);
  EXPECT_GT(CountColour(*shot, label->GetBoundsRect(), kSecond.GlobalFont), 5);

  // Without a skin the framework's panel: the same pixels as a TPanel of the same size.
  manager->SetActive(false);
  auto* plain = fw::New<fw::TPanel>(form);
  plain->SetBounds(10, 170, 240, 60);
  plain->SetCaption("Tools");
  plain->SetParent(form);
  panel->SetBounds(10, 10, 240, 60);
  edit->SetVisible(false);
  label->SetVisible(false);
  Settle();
  EXPECT_TRUE(control_shots::SamePixels(*ScreenShot(panel), *ScreenShot(plain)));
  EXPECT_EQ(PixelOf(*ScreenShot(panel), 120, 50), fw::ColorToRGB(fw::clBtnFace));
}

TEST_F(SkinnedPanelTest, EventsSkinnedOrNot) {
  int entered = 0, left = 0, painted = 0;
  panel->OnMouseEnter = [&](fw::TObject*) { ++entered; };
  panel->OnMouseLeave = [&](fw::TObject*) { ++left; };
  panel->OnPaint = [&](fw::TObject* sender, fw::TCanvas*) {
    EXPECT_EQ(sender, panel);
    ++painted;
  };
  panel->Perform(fw::CM_MOUSEENTER);
  panel->Perform(fw::CM_MOUSELEAVE);
  EXPECT_EQ(entered, 1);
  EXPECT_EQ(left, 1);
  // Skinned, OnPaint runs on the cache when it is rebuilt.
  panel->GetSkinData()->BGChanged = true;
  panel->Repaint();
  EXPECT_EQ(painted, 1);

  manager->SetActive(false);
  Settle();
  painted = 0;
  panel->Perform(fw::CM_MOUSEENTER);
  panel->Perform(fw::CM_MOUSELEAVE);
  EXPECT_EQ(entered, 2);
  EXPECT_EQ(left, 2);
  // Unskinned, a panel painted by OnPaint is not erased, and OnPaint follows the framework's paint.
  auto erased = PaintedBy(240, 160, [&](HDC dc) { panel->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc)); });
  EXPECT_EQ(CountColour(*erased, fw::TRect(0, 0, 240, 160), kCanary), 240 * 160);
  panel->Repaint();
  EXPECT_EQ(painted, 1);
}

TEST_F(SkinnedPanelTest, PartlyHiddenPanelRebuildsAtEveryPaint) {
  // Panels that show their parent's background: transparent over a gradient.
  skin::TkStoredSkin* second = manager->GetInternalSkins()->GetItem(1);
  testing_paint::SectionOf(*second, "PANEL")->SetTransparency(100);
  testing_paint::SectionOf(*second, "PANEL")->SetGradientPercent(100);
  testing_paint::SectionOf(*second, "PANEL")->SetGradientData("0;255;100;0;0");
  UseSecondSkin();
  auto* inside = Place<skin::TkPanel>(panel, 20, 60, 60, 40);
  auto* outside = Place<skin::TkPanel>(panel, 200, 60, 60, 40);
  Settle();
  int insideRebuilds = 0, outsideRebuilds = 0;
  inside->OnPaint = [&](fw::TObject*, fw::TCanvas*) { ++insideRebuilds; };
  outside->OnPaint = [&](fw::TObject*, fw::TCanvas*) { ++outsideRebuilds; };
  for (int i = 0; i < 3; ++i) {
    inside->Repaint();
    outside->Repaint();
  }
  EXPECT_EQ(insideRebuilds, 0);
  EXPECT_EQ(outsideRebuilds, 3);
}

TEST_F(SkinnedPanelTest, GripShowsItsLinkedControlsCorner) {
  auto* grip = fw::New<skin::TkGrip>(form);
  EXPECT_EQ(grip->GetWidth(), 20);
  EXPECT_EQ(grip->GetHeight(), 20);
  EXPECT_EQ(grip->GetSkinData()->GetSkinSection(), "CHECKBOX");
  grip->SetBounds(300, 200, 20, 20);
  grip->SetParent(form);
  grip->SetLinkedControl(panel);
  grip->SetTransparent(true);
  Settle();
  // The panel's bottom-right 20 x 20 block: its edge band along the right and bottom.
  auto shown = PaintedBy(20, 20, [&](HDC dc) { grip->PaintAll(dc); });
  for (int y = 0; y < 20; y += 3)
    for (int x = 0; x < 20; x += 3) ASSERT_EQ(PixelOf(*shown, x, y), PixelOf(Cache(panel), 220 + x, 140 + y));
  EXPECT_EQ(PixelOf(*shown, 18, 5), kFirst.Panel.Edge[kNormal]);
  EXPECT_EQ(PixelOf(*shown, 5, 5), kFirst.Panel.Face[kNormal]);
  EXPECT_TRUE(control_shots::SamePixels(*ScreenShot(grip), *shown));

  // A linked control without a cache: the plain framework panel.
  auto* plain = Place<fw::TPanel>(form, 10, 200, 100, 40);
  grip->SetLinkedControl(plain);
  grip->Repaint();
  Settle();
  EXPECT_EQ(PixelOf(*ScreenShot(grip), 10, 10), fw::ColorToRGB(fw::clBtnFace));
}

// The corner a form skinner fills between its two scroll bars shows the form's own face.
class FormGripTest : public testing_form_skin::FormSkinTest {};

TEST_F(FormGripTest, CornerBetweenScrollBarsShowsTheForm) {
  form = fw::New<fw::TForm>(fw::Application);
  form->SetAutoScroll(true);
  form->SetBounds(60, 60, 300, 200);
  provider = fw::New<skin::TkSkinProvider>(form);
  auto* beyond = fw::New<fw::TPanel>(form);
  beyond->SetBounds(500, 400, 20, 20);
  beyond->SetParent(form);
  form->Show();
  Settle(8);
  skin::TkGrip* grip = provider->GetGrip();
  ASSERT_NE(grip, nullptr);
  EXPECT_EQ(grip->GetLinkedControl(), form);
  auto shot = ScreenShot(grip);
  EXPECT_EQ(CountColour(*shot, fw::TRect(0, 0, grip->GetWidth(), grip->GetHeight()), testing_form_skin::kFrame),
            grip->GetWidth() * grip->GetHeight());
}

}  // namespace
