// The skinned edits against the control test skin: the text inset as a function, the idle look
// (the whole window from the cache, password characters) against the active one (only the
// 2-pixel frame from the cache), the disabled look, the bound label beside the edit, the
// unskinned mask edit that shows its text, the mask edit's border, window and text rectangle
// across skin changes, and the skin commands.
#include <gtest/gtest.h>

#include "framework/forms/application.h"
#include "framework/forms/custom_form.h"
#include "skin/controls/edit.h"
#include "skin/controls/mask_edit.h"
#include "skin/controls/panel.h"
#include "skin/engine/skin_manager.h"
#include "support/panel_form_fixture.h"

namespace {

using namespace control_skin;
using control_shots::SamePixels;
using control_shots::ScreenShot;
using control_shots::WindowShot;
using test_skins::PixelOf;
using testing_paint::CountColour;

TEST(EditLayout, TextInsetFromBorderAndBevels) {
  EXPECT_EQ(skin::EditTextRect(100, 20, skin::EditTextInset(false, true, 0)).Left, 1);
  EXPECT_EQ(skin::EditTextRect(100, 20, skin::EditTextInset(true, true, 0)).Left, 3);
  EXPECT_EQ(skin::EditTextRect(100, 20, skin::EditTextInset(true, false, 0)).Left, 2);
  EXPECT_EQ(skin::EditTextInset(true, true, 2), 4);
  EXPECT_EQ(skin::EditTextInset(false, false, 1), 1);
  const fw::TRect r = skin::EditTextRect(100, 20, 2);
  EXPECT_EQ(r.Top, 3);
  EXPECT_EQ(r.Right, 98);
  EXPECT_EQ(r.Bottom, 18);
  // One password character per character, however many bytes it takes.
  EXPECT_EQ(skin::EditShownText("a\xC3\xA9\xE2\x82\xAC", '*'), "***");
  EXPECT_EQ(skin::EditShownText("plain", 0), "plain");
}

class SkinnedEditTest : public control_shots::PanelFormTest {
 protected:
  void SetUp() override {
    PanelFormTest::SetUp();
    {
      // Made as a form's layout makes them: loaded once parented, so the edit takes the
      // section's colours.
      fw::TLoadScope scope;
      MakeForm(400, 280, fw::TRect(0, 0, 380, 240));
      // Takes the focus, so that the edits stay idle.
      focus = Place<fw::TEdit>(panel, 10, 200, 60, 24);
      edit = Place<skin::TkEdit>(panel, 100, 20, 140, 24);
      edit->SetName("edName");
      edit->SetText("Hello");
    }
    ShowForm();
    focus->SetFocus();
    Settle();
  }
  fw::TBitmap& Cache(fw::TControl* c) {
    if (auto* e = dynamic_cast<skin::TkEdit*>(c)) return *e->GetSkinData()->CacheBmp;
    return *dynamic_cast<skin::TkMaskEdit*>(c)->GetSkinData()->CacheBmp;
  }
  void Refresh(fw::TWinControl* c) {
    c->Invalidate();
    Settle();
  }

  fw::TEdit* focus = nullptr;
  skin::TkEdit* edit = nullptr;
};

TEST_F(SkinnedEditTest, IdleLookIsTheWholeCache) {
  ASSERT_TRUE(edit->GetSkinData()->SkinIsActive());
  EXPECT_EQ(edit->GetSkinData()->GetSkinSection(), "EDIT");
  ASSERT_FALSE(edit->IsActiveLook());
  fw::TBitmap& cache = Cache(edit);
  EXPECT_EQ(PixelOf(cache, 70, 1), kFirst.Edit.Edge[kNormal]);
  EXPECT_EQ(PixelOf(cache, 130, 12), kFirst.Edit.Face[kNormal]);
  EXPECT_GT(CountColour(cache, fw::TRect(3, 3, 60, 21), kFirst.Edit.Font), 5);
  // The window, frame included, shows exactly the cache.
  EXPECT_TRUE(SamePixels(*WindowShot(edit), cache));
  // The native edit took the section's colours for its own painting.
  EXPECT_EQ(edit->GetColor(), kFirst.Edit.Face[kNormal]);
  EXPECT_EQ(edit->GetFont()->GetColor(), kFirst.Edit.Font);

  // A password edit shows one character per character of its text.
  auto* secret = fw::New<skin::TkEdit>(form);
  auto* stars = fw::New<skin::TkEdit>(form);
  secret->SetPasswordChar('*');
  secret->SetText("abc");
  stars->SetText("***");
  secret->SetBounds(100, 60, 140, 24);
  stars->SetBounds(100, 100, 140, 24);
  secret->SetParent(panel);
  stars->SetParent(panel);
  Settle();
  EXPECT_TRUE(SamePixels(Cache(secret), Cache(stars)));
  EXPECT_TRUE(SamePixels(*WindowShot(secret), Cache(secret)));
}

TEST_F(SkinnedEditTest, ActiveLookTakesOnlyTheFrame) {
  edit->Perform(fw::CM_MOUSEENTER);
  Settle();
  ASSERT_TRUE(edit->IsActiveLook());
  fw::TBitmap& cache = Cache(edit);
  EXPECT_EQ(PixelOf(cache, 130, 12), kFirst.Edit.Face[kHot]);
  auto shot = WindowShot(edit);
  // The 2-pixel strips from the cache ...
  for (int x = 1; x < 139; x += 6) {
    ASSERT_EQ(PixelOf(*shot, x, 0), PixelOf(cache, x, 0)) << x;
    ASSERT_EQ(PixelOf(*shot, x, 23), PixelOf(cache, x, 23)) << x;
  }
  for (int y = 1; y < 23; y += 3) {
    ASSERT_EQ(PixelOf(*shot, 1, y), kFirst.Edit.Edge[kHot]) << y;
    ASSERT_EQ(PixelOf(*shot, 138, y), kFirst.Edit.Edge[kHot]) << y;
  }
  // ... and inside, the native edit on its own colour.
  EXPECT_EQ(PixelOf(*shot, 130, 12), kFirst.Edit.Face[kNormal]);
  EXPECT_GT(CountColour(*shot, fw::TRect(2, 2, 60, 22), kFirst.Edit.Font), 5);

  // The mouse leaves: idle again, all from the cache.
  edit->Perform(fw::CM_MOUSELEAVE);
  Settle();
  EXPECT_FALSE(edit->IsActiveLook());
  EXPECT_TRUE(SamePixels(*WindowShot(edit), Cache(edit)));
  EXPECT_EQ(PixelOf(Cache(edit), 130, 12), kFirst.Edit.Face[kNormal]);
}

TEST_F(SkinnedEditTest, DisabledLook) {
  edit->SetEnabled(false);
  Settle();
  EXPECT_NE(PixelOf(Cache(edit), 130, 12), kFirst.Edit.Face[kNormal]);
  EXPECT_TRUE(SamePixels(*WindowShot(edit), Cache(edit)));
  edit->SetDisabledKind(skin::TkDisabledKind());
  Settle();
  EXPECT_EQ(PixelOf(Cache(edit), 130, 12), kFirst.Edit.Face[kNormal]);
}

TEST_F(SkinnedEditTest, BoundLabelStaysBeside) {
  skin::TkBoundLabel* bound = edit->GetBoundLabel();
  bound->SetCaption("Name:");
  bound->SetActive(true);
  skin::TkEditLabel* label = bound->GetLabel();
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->GetName(), "edNameLabel");
  EXPECT_EQ(label->GetParent(), panel);
  EXPECT_EQ(label->GetLeft(), 100 - label->GetWidth() - 4);
  EXPECT_EQ(label->GetTop(), (24 - label->GetHeight()) / 2 + 20 - 1);
  // It follows the edit's moves and size, visibility and enabled state.
  edit->SetBounds(150, 60, 140, 24);
  EXPECT_EQ(label->GetLeft(), 150 - label->GetWidth() - 4);
  EXPECT_EQ(label->GetTop(), (24 - label->GetHeight()) / 2 + 60 - 1);
  edit->SetBounds(150, 60, 140, 30);
  EXPECT_EQ(label->GetTop(), (30 - label->GetHeight()) / 2 + 60 - 1);
  edit->SetVisible(false);
  EXPECT_FALSE(label->GetVisible());
  edit->SetVisible(true);
  EXPECT_TRUE(label->GetVisible());
  edit->SetEnabled(false);
  EXPECT_FALSE(label->GetEnabled());
  bound->SetLayout(skin::sclTopLeft);
  bound->SetIndent(2);
  EXPECT_EQ(label->GetLeft(), 150);
  EXPECT_EQ(label->GetTop(), 60 - label->GetHeight() - 2);
  // The label is drawn on the panel in the skin's colours (disabled: the 40/60 mix).
  edit->SetEnabled(true);
  Settle();
  EXPECT_GT(CountColour(*ScreenShot(label), fw::TRect(0, 0, label->GetWidth(), label->GetHeight()), kFirst.GlobalFont),
            5);
  // Freed with the edit's bound label; a new one is made on activation.
  bound->SetActive(false);
  EXPECT_EQ(bound->GetLabel(), nullptr);
  bound->SetActive(true);
  ASSERT_NE(bound->GetLabel(), nullptr);
  fw::Free(edit);
  edit = nullptr;
  Settle();
}

TEST_F(SkinnedEditTest, UnskinnedEditsShowTheirText) {
  auto* mask = fw::New<skin::TkMaskEdit>(form);
  EXPECT_EQ(mask->GetSkinData()->GetSkinSection(), "EDIT");
  mask->SetBounds(100, 60, 140, 24);
  mask->SetText("Hello");
  mask->SetParent(panel);
  auto* plain = fw::New<fw::TEdit>(form);
  plain->SetBounds(100, 100, 140, 24);
  plain->SetText("Hello");
  plain->SetParent(panel);
  Settle();
  EXPECT_TRUE(SamePixels(*WindowShot(mask), Cache(mask)));

  // Without a manager at all: the framework's edit, text and all, like a TEdit of the same size.
  fw::FreeAndNil(manager);
  Settle();
  EXPECT_FALSE(mask->GetSkinData()->SkinIsActive());
  EXPECT_EQ(mask->GetColor(), fw::clWindow);
  Refresh(mask);
  Refresh(edit);
  Refresh(plain);
  auto shown = WindowShot(mask);
  EXPECT_GT(CountColour(*shown, fw::TRect(2, 2, 60, 22), fw::ColorToRGB(fw::clWindowText)), 5);
  EXPECT_TRUE(SamePixels(*shown, *WindowShot(plain)));
  EXPECT_TRUE(SamePixels(*WindowShot(edit), *WindowShot(plain)));
}

TEST_F(SkinnedEditTest, MaskEditBorderRecreationAndTextRect) {
  auto* mask = fw::New<skin::TkMaskEdit>(form);
  mask->SetBorderStyle(fw::bsNone);
  mask->SetBounds(100, 60, 140, 24);
  // A run of underscores marks every column the text may reach.
  mask->SetText(std::string(60, '_'));
  mask->SetParent(panel);
  Settle();
  // Placed under the skin, it takes a single border for the skin's frame.
  EXPECT_EQ(mask->GetBorderStyle(), fw::bsSingle);
  const auto fontBox = [&](const TControlSkin& s) {
    return control_shots::BoxOf(Cache(mask), [&](fw::TColor c) { return c == s.Edit.Font; });
  };
  // The idle text lies in (3, 3, Width - 3, Height - 3).
  EXPECT_EQ(fontBox(kFirst).Left, 3);
  EXPECT_EQ(fontBox(kFirst).Right, 140 - 3);
  EXPECT_TRUE(SamePixels(*WindowShot(mask), Cache(mask)));

  // A new skin gives it the single border again.
  mask->SetBorderStyle(fw::bsNone);
  UseSecondSkin();
  Settle();
  EXPECT_EQ(mask->GetBorderStyle(), fw::bsSingle);
  EXPECT_EQ(fontBox(kSecond).Right, 140 - 3);
  EXPECT_TRUE(SamePixels(*WindowShot(mask), Cache(mask)));

  // The skin's removal makes its window again, which the native edit paints.
  const HWND before = mask->GetHandle();
  manager->SetActive(false);
  Settle();
  EXPECT_TRUE(mask->HandleAllocated());
  EXPECT_NE(mask->GetHandle(), before);
  EXPECT_EQ(mask->GetText(), std::string(60, '_'));
  Refresh(mask);
  EXPECT_GT(CountColour(*WindowShot(mask), fw::TRect(2, 2, 138, 22), fw::ColorToRGB(fw::clWindowText)), 20);
}

TEST_F(SkinnedEditTest, SkinCommands) {
  // Command 7 is answered skinned or not; an edit is never a textured background.
  EXPECT_TRUE(skin::ControlAnswersCmd(edit, skin::cmdIsSkinned));
  EXPECT_FALSE(skin::ControlAnswersCmd(edit, skin::cmdIsTextured));
  // Another manager's 1, 2 and 3 change nothing.
  auto* other = fw::New<skin::TkSkinManager>(nullptr);
  for (int command : {skin::cmdNewSkin, skin::cmdRemoveSkin, skin::cmdRefresh})
    edit->Perform(skin::SM_SKINCMD, skin::SkinCmdWParam(command), reinterpret_cast<LPARAM>(other));
  other->Free();
  Settle();
  EXPECT_TRUE(edit->GetSkinData()->SkinIsActive());
  EXPECT_EQ(edit->GetColor(), kFirst.Edit.Face[kNormal]);
  EXPECT_TRUE(SamePixels(*WindowShot(edit), Cache(edit)));

  // The second skin repaints it in its colours.
  UseSecondSkin();
  Settle();
  EXPECT_EQ(PixelOf(*WindowShot(edit), 70, 1), kSecond.Edit.Edge[kNormal]);
  EXPECT_EQ(PixelOf(*WindowShot(edit), 130, 12), kSecond.Edit.Face[kNormal]);
  EXPECT_EQ(edit->GetColor(), kSecond.Edit.Face[kNormal]);

  // Removed: the framework's colours and look.
  manager->SetActive(false);
  Settle();
  EXPECT_EQ(edit->GetColor(), fw::clWindow);
  EXPECT_TRUE(skin::ControlAnswersCmd(edit, skin::cmdIsSkinned));
  EXPECT_EQ(PixelOf(*WindowShot(edit), 130, 12), fw::ColorToRGB(fw::clWindow));
}

}  // namespace
