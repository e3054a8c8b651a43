// The skinned group box, splitter and bevel against the control test skin: the caption plate's
// rectangle for its layouts and offsets, the frame from the middle of the caption line with the
// parent's background above it, the plate of CaptionSkin, the client area moved by the offset;
// the splitter's normal, hot and pressed faces, a drag driven by messages resizing its
// neighbour, and the application's hints after presses on splitters; the bevel's own name.
#include <gtest/gtest.h>

#include "framework/forms/application.h"
#include "skin/controls/bevel.h"
#include "skin/controls/group_box.h"
#include "skin/controls/splitter.h"
#include "skin/engine/skin_manager.h"
#include "support/panel_form_fixture.h"

namespace {

using namespace control_skin;
using control_shots::ScreenShot;
using test_skins::PixelOf;
using testing_paint::CountColour;

class SkinnedGroupBoxTest : public control_shots::PanelFormTest {
 protected:
  void SetUp() override {
    PanelFormTest::SetUp();
    MakeForm(420, 300, fw::TRect(10, 10, 390, 250));
    box = Place<skin::TkGroupBox>(panel, 20, 20, 200, 120);
    box->SetCaption("Selection");
  }
  int TextWidth() { return box->GetSkinData()->CacheBmp->GetCanvas()->TextWidth("Selection"); }
  int LineHeight() { return std::max(4, box->GetSkinData()->CacheBmp->GetCanvas()->TextHeight("W")) + 2; }

  skin::TkGroupBox* box = nullptr;
};

TEST_F(SkinnedGroupBoxTest, CaptionRectangleByLayoutAndOffset) {
  ShowForm();
  const int tw = TextWidth(), h = LineHeight();
  EXPECT_EQ(box->GroupCaptionRect(), fw::TRect(6, 0, tw + 14, h));
  box->SetCaptionLayout(skin::TkGroupBox::clTopCenter);
  EXPECT_EQ(box->GroupCaptionRect(), fw::TRect((200 - tw - 10) / 2, 0, (200 - tw - 10) / 2 + tw + 8, h));
  box->SetCaptionLayout(skin::TkGroupBox::clTopRight);
  EXPECT_EQ(box->GroupCaptionRect(), fw::TRect(200 - tw - 14, 0, 200 - 6, h));
  // A negative offset moves the plate up by as much; a positive one makes it taller.
  box->SetCaptionYOffset(-3);
  EXPECT_EQ(box->GroupCaptionRect(), fw::TRect(200 - tw - 14, -3, 200 - 6, h - 3));
  box->SetCaptionYOffset(4);
  EXPECT_EQ(box->GroupCaptionRect().Bottom, h + 4);
  // A caption wider than the box: the plate starts at 0 and ends at the box's right edge.
  box->SetCaptionLayout(skin::TkGroupBox::clTopLeft);
  box->SetWidth(tw / 2);
  EXPECT_EQ(box->GroupCaptionRect().Left, 6);
  EXPECT_EQ(box->GroupCaptionRect().Right, tw / 2);
  box->SetCaptionLayout(skin::TkGroupBox::clTopRight);
  EXPECT_EQ(box->GroupCaptionRect().Left, 0);
}

TEST_F(SkinnedGroupBoxTest, FrameFromMidCaptionLineAndPlateOfCaptionSkin) {
  box->SetCaptionSkin("BUTTON");
  ShowForm();
  ASSERT_TRUE(box->GetSkinData()->SkinIsActive());
  EXPECT_EQ(box->GetSkinData()->GetSkinSection(), "GROUPBOX");
  auto shot = ScreenShot(box);
  const fw::TRect c = box->GroupCaptionRect();
  const int frameTop = c.Height() / 2;
  const TSectionColours group = SectionOf(kFirst, "GROUPBOX");
  // Above half the caption line, right of the plate: the panel's face; then the frame's edge.
  EXPECT_EQ(PixelOf(*shot, 150, frameTop - 1), kFirst.Panel.Face[kNormal]);
  EXPECT_EQ(PixelOf(*shot, 150, frameTop), group.Edge[kNormal]);
  EXPECT_EQ(PixelOf(*shot, 1, 60), group.Edge[kNormal]);
  EXPECT_EQ(PixelOf(*shot, 100, 60), group.Face[kNormal]);
  // The plate: "BUTTON"'s edge around its face, the caption in the box's font colour.
  EXPECT_EQ(PixelOf(*shot, c.Left + 1, c.Top + c.Height() / 2), kFirst.Button.Edge[kNormal]);
  EXPECT_GT(CountColour(*shot, c, group.Font), 5);
  // The bottom corners show the panel behind them.
  EXPECT_EQ(PixelOf(*shot, 0, 119), kFirst.Panel.Face[kNormal]);

  // The offset moves the client area, and a child aligned to its top, down by as much.
  auto* child = Place<skin::TkPanel>(box, 0, 0, 50, 20);
  child->SetAlign(fw::alTop);
  const int top = child->GetTop();
  box->SetCaptionYOffset(5);
  EXPECT_EQ(child->GetTop(), top + 5);
}

TEST_F(SkinnedGroupBoxTest, SecondSkinAndNoSkin) {
  ShowForm();
  UseSecondSkin();
  Settle();
  EXPECT_EQ(PixelOf(*ScreenShot(box), 100, 60), SectionOf(kSecond, "GROUPBOX").Face[kNormal]);
  manager->SetActive(false);
  Settle();
  auto plain = ScreenShot(box);
  for (const TControlSkin* s : {&kFirst, &kSecond})
    EXPECT_EQ(CountColour(*plain, fw::TRect(0, 0, 200, 120), SectionOf(*s, "GROUPBOX").Face[kNormal]), 0);
}

TEST_F(SkinnedGroupBoxTest, BevelIsTheFrameworkBevelUnderItsOwnName) {
  auto* bevel = Place<skin::TkBevel>(panel, 10, 200, 100, 2);
  EXPECT_EQ(bevel->ClassName(), "TkBevel");
  EXPECT_TRUE(bevel->InheritsFrom<fw::TBevel>());
}

class SkinnedSplitterTest : public control_shots::PanelFormTest {
 protected:
  void SetUp() override {
    PanelFormTest::SetUp();
    MakeForm(420, 300, fw::TRect(10, 10, 390, 250));
    left = Place<skin::TkPanel>(panel, 0, 0, 100, 240);
    left->SetAlign(fw::alLeft);
    splitter = Place<skin::TkSplitter>(panel, 100, 0, 20, 240);
    splitter->SetAlign(fw::alLeft);
    splitter->SetWidth(20);
    ShowForm();
  }
  fw::TColor Centre() { return PixelOf(*ScreenShot(splitter), 10, 120); }
  void Mouse(UINT msg, int x) { splitter->Perform(msg, msg == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(x, 100)); }

  skin::TkPanel* left = nullptr;
  skin::TkSplitter* splitter = nullptr;
};

TEST_F(SkinnedSplitterTest, FacePerStateAndDragByMessages) {
  const TSectionColours s = SectionOf(kFirst, "SPLITTER");
  ASSERT_EQ(splitter->GetSkinData()->GetSkinSection(), "SPLITTER");
  EXPECT_EQ(Centre(), s.Face[kNormal]);
  EXPECT_EQ(PixelOf(*ScreenShot(splitter), 1, 120), s.Edge[kNormal]);
  splitter->Perform(fw::CM_MOUSEENTER, 0, 0);
  Settle();
  EXPECT_EQ(Centre(), s.Face[kHot]);
  // Pressed with rsUpdate: the pressed face until the release; the drag resizes the neighbour.
  Mouse(WM_LBUTTONDOWN, 10);
  Settle();
  EXPECT_EQ(Centre(), s.Face[kPressed]);
  Mouse(WM_MOUSEMOVE, 40);
  EXPECT_EQ(left->GetWidth(), 130);
  Mouse(WM_LBUTTONUP, 40);
  Settle();
  EXPECT_FALSE(splitter->GetMoving());
  EXPECT_NE(Centre(), s.Face[kPressed]);
  // Another resize style keeps the hot look while pressed.
  splitter->SetResizeStyle(fw::rsLine);
  Mouse(WM_LBUTTONDOWN, 10);
  Settle();
  EXPECT_EQ(Centre(), s.Face[kHot]);
  Mouse(WM_LBUTTONUP, 10);
  splitter->Perform(fw::CM_MOUSELEAVE, 0, 0);
  Settle();
  EXPECT_EQ(Centre(), s.Face[kNormal]);
}

TEST_F(SkinnedSplitterTest, HintsOffWhilePressedAndBackAfterTheLastRelease) {
  fw::Application->SetShowHint(true);
  Mouse(WM_LBUTTONDOWN, 10);
  EXPECT_FALSE(fw::Application->GetShowHint());
  // A second press before the release (another button) does not save "off" as the earlier value.
  splitter->Perform(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 100));
  EXPECT_FALSE(fw::Application->GetShowHint());
  splitter->Perform(WM_RBUTTONUP, 0, MAKELPARAM(10, 100));
  EXPECT_FALSE(fw::Application->GetShowHint());
  Mouse(WM_LBUTTONUP, 10);
  EXPECT_TRUE(fw::Application->GetShowHint());
  // A release without a press changes nothing.
  fw::Application->SetShowHint(false);
  Mouse(WM_LBUTTONUP, 10);
  EXPECT_FALSE(fw::Application->GetShowHint());
  fw::Application->SetShowHint(true);
}

}  // namespace
