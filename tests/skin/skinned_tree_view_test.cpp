// The skinned tree view against the control test skin: the frame strips from the cache in the
// non-client area, the skinned bars made only when the tree needs them (never for a list that
// exactly fits, never below 16 pixels), kept in step with the tree both ways, the corner
// between them; a new skin, the skin's removal (the border style back, the nodes kept), the
// tree without a manager, and controls built in code after the skin came (as the folder dialog
// builds its own) taking that skin.
#include <gtest/gtest.h>

#include "framework/forms/application.h"
#include "framework/forms/custom_form.h"
#include "framework/stdctrls/custom_edit.h"
#include "skin/controls/combo_box.h"
#include "skin/controls/panel.h"
#include "skin/controls/tree_view.h"
#include "skin/engine/scroll_bar.h"
#include "skin/engine/skin_manager.h"
#include "support/panel_form_fixture.h"

namespace {

using namespace control_skin;
using control_shots::WindowShot;
using test_skins::PixelOf;
using testing_paint::CountColour;

SCROLLINFO NativeInfo(fw::TWinControl* tree, int bar) {
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_ALL;
  GetScrollInfo(tree->GetHandle(), bar, &info);
  return info;
}

// Three pixels of frame on every side of the tree, in the first skin's "EDIT" edge.
void ExpectFrame(fw::TWinControl* tree) {
  const fw::TPoint client = tree->ClientToScreen(fw::TPoint(0, 0));
  RECT window{};
  GetWindowRect(tree->GetHandle(), &window);
  EXPECT_EQ(client.X - window.left, 3);
  EXPECT_EQ(client.Y - window.top, 3);
  auto shot = WindowShot(tree);
  for (int x = 4; x < tree->GetWidth() - 4; x += 7) {
    ASSERT_EQ(PixelOf(*shot, x, 1), kFirst.Edit.Edge[kNormal]) << x;
    ASSERT_EQ(PixelOf(*shot, x, tree->GetHeight() - 2), kFirst.Edit.Edge[kNormal]) << x;
  }
  for (int y = 4; y < tree->GetHeight() - 4; y += 7) ASSERT_EQ(PixelOf(*shot, 1, y), kFirst.Edit.Edge[kNormal]) << y;
}

TEST(TreeBars, NeededOnlyWhenTheRangeOverflowsItsPage) {
  EXPECT_TRUE(skin::TreeBarNeeded(0, 29, 8));
  // Exactly fitting: 10 rows (0..9) on a page of 10.
  EXPECT_FALSE(skin::TreeBarNeeded(0, 9, 10));
  EXPECT_TRUE(skin::TreeBarNeeded(0, 10, 10));
  EXPECT_FALSE(skin::TreeBarNeeded(0, 3, 10));
  // A page of one row or none never gets a bar.
  EXPECT_FALSE(skin::TreeBarNeeded(0, 50, 1));
  EXPECT_FALSE(skin::TreeBarNeeded(0, 50, 0));
  EXPECT_TRUE(skin::TreeBarNeeded(5, 40, 2));
}

class SkinnedTreeTest : public control_shots::PanelFormTest {
 protected:
  void SetUp() override {
    PanelFormTest::SetUp();
    {
      fw::TLoadScope scope;
      MakeForm(400, 320, fw::TRect(0, 0, 380, 280));
      focus = Place<fw::TEdit>(panel, 250, 240, 60, 24);
      tree = Place<skin::TkTreeView>(panel, 20, 20, 150, 120);
      tree->SetName("tvSources");
      for (int n = 0; n < 30; ++n) tree->GetItems()->AddChild(nullptr, "Node " + std::to_string(n));
    }
    ShowForm();
    focus->SetFocus();
    Settle();
  }
  fw::TBitmap& Cache() { return *tree->GetSkinData()->CacheBmp; }
  // The bar shows the native vertical scroll state of the tree.
  void ExpectInStep() {
    skin::TkScrollBar* bar = tree->GetVertBar();
    ASSERT_NE(bar, nullptr);
    const SCROLLINFO info = NativeInfo(tree, SB_VERT);
    EXPECT_EQ(bar->GetMax(), info.nMax - static_cast<int>(info.nPage) + 1);
    EXPECT_EQ(bar->GetPageSize(), static_cast<int>(info.nPage));
    EXPECT_EQ(bar->GetLargeChange(), static_cast<int>(info.nPage));
    EXPECT_EQ(bar->GetPosition(), info.nPos);
  }

  fw::TEdit* focus = nullptr;
  skin::TkTreeView* tree = nullptr;
};

TEST_F(SkinnedTreeTest, FrameAndVerticalBar) {
  ASSERT_TRUE(tree->GetSkinData()->SkinIsActive());
  EXPECT_EQ(tree->GetSkinData()->GetSkinSection(), "EDIT");
  EXPECT_EQ(tree->GetColor(), kFirst.Edit.Face[kNormal]);
  // Three pixels of frame on every side, painted from the cache.
  ExpectFrame(tree);
  auto shot = WindowShot(tree);
  EXPECT_EQ(PixelOf(*shot, 1, 60), PixelOf(Cache(), 1, 60));
  EXPECT_EQ(PixelOf(*shot, 1, 60), kFirst.Edit.Edge[kNormal]);

  // Thirty nodes overflow: a skinned vertical bar over the native one, no horizontal bar.
  skin::TkScrollBar* bar = tree->GetVertBar();
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(tree->GetHorzBar(), nullptr);
  EXPECT_TRUE(bar->GetVisible());
  EXPECT_EQ(bar->GetParent(), panel);
  EXPECT_EQ(bar->GetKind(), fw::sbVertical);
  EXPECT_EQ(bar->GetLeft(), 20 + 150 - bar->GetWidth() - 3);
  EXPECT_EQ(bar->GetTop(), 23);
  EXPECT_EQ(bar->GetHeight(), 120 - 6);
  ExpectInStep();
  // The bar is drawn from the skin's scroll sections on the screen.
  auto barShot = WindowShot(bar);
  EXPECT_GT(testing_paint::CountColour(*barShot, fw::TRect(0, 0, bar->GetWidth(), bar->GetHeight()),
                                       SectionOf(kFirst, "SCROLLBTNTOP").Face[kNormal]) +
                testing_paint::CountColour(*barShot, fw::TRect(0, 0, bar->GetWidth(), bar->GetHeight()),
                                           SectionOf(kFirst, "SCROLLBTNTOP").Edge[kNormal]),
            10);
}

TEST_F(SkinnedTreeTest, BarsFollowScrollingBothWays) {
  skin::TkScrollBar* bar = tree->GetVertBar();
  ASSERT_NE(bar, nullptr);
  // The bar scrolls the tree.
  bar->SetPosition(5);
  Settle();
  EXPECT_EQ(NativeInfo(tree, SB_VERT).nPos, 5);
  ASSERT_NE(tree->GetTopItem(), nullptr);
  EXPECT_EQ(tree->GetTopItem()->GetText(), "Node 5");
  // Keys scroll the tree and the bar follows.
  tree->SetFocus();
  Settle();
  PostMessageA(tree->GetHandle(), WM_KEYDOWN, VK_END, 0);
  PostMessageA(tree->GetHandle(), WM_KEYUP, VK_END, 0);
  Settle();
  EXPECT_GT(NativeInfo(tree, SB_VERT).nPos, 5);
  ExpectInStep();
  EXPECT_EQ(bar->GetPosition(), bar->GetMax());
  // So does the wheel.
  SendMessageA(tree->GetHandle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
  Settle();
  EXPECT_LT(bar->GetPosition(), bar->GetMax());
  ExpectInStep();
  // Collapsing and expanding change the range.
  fw::TTreeNode* first = tree->GetItems()->GetFirstNode();
  for (int n = 0; n < 10; ++n) tree->GetItems()->AddChild(first, "Child " + std::to_string(n));
  first->Expand(false);
  Settle();
  ExpectInStep();
}

TEST_F(SkinnedTreeTest, ExactlyFittingListHasNoBar) {
  auto* fitting = Place<skin::TkTreeView>(panel, 200, 20, 150, 120);
  Settle();
  const int rows = fitting->GetClientHeight() / static_cast<int>(fitting->Perform(TVM_GETITEMHEIGHT, 0, 0));
  ASSERT_GT(rows, 2);
  for (int n = 0; n < rows; ++n) fitting->GetItems()->AddChild(nullptr, "Row " + std::to_string(n));
  Settle();
  EXPECT_EQ(fitting->GetVertBar(), nullptr);
  fitting->GetItems()->AddChild(nullptr, "One more");
  Settle();
  ASSERT_NE(fitting->GetVertBar(), nullptr);
  EXPECT_TRUE(fitting->GetVertBar()->GetVisible());
}

TEST_F(SkinnedTreeTest, BarsFreedBelowSixteenPixels) {
  ASSERT_NE(tree->GetVertBar(), nullptr);
  tree->SetWidth(15);
  Settle();
  EXPECT_EQ(tree->GetVertBar(), nullptr);
  tree->SetWidth(150);
  Settle();
  ASSERT_NE(tree->GetVertBar(), nullptr);
  tree->SetHeight(15);
  Settle();
  EXPECT_EQ(tree->GetVertBar(), nullptr);
  EXPECT_EQ(tree->GetHorzBar(), nullptr);
}

TEST_F(SkinnedTreeTest, BothBarsAndTheCornerBetweenThem) {
  tree->GetItems()->AddChild(nullptr, std::string(60, 'W'));
  Settle();
  skin::TkScrollBar* v = tree->GetVertBar();
  skin::TkScrollBar* h = tree->GetHorzBar();
  ASSERT_NE(v, nullptr);
  ASSERT_NE(h, nullptr);
  EXPECT_TRUE(h->GetVisible());
  EXPECT_EQ(h->GetKind(), fw::sbHorizontal);
  EXPECT_EQ(h->GetLeft(), 23);
  EXPECT_EQ(h->GetTop(), 20 + 120 - h->GetHeight() - 3);
  EXPECT_EQ(h->GetWidth(), 150 - 6 - v->GetWidth());
  EXPECT_EQ(v->GetHeight(), 120 - 6 - h->GetHeight());
  // The corner square comes from the cache: the section's face, not the native bars' grey.
  tree->Perform(WM_NCPAINT, 0, 0);
  const int cx = v->GetLeft() - 20 + v->GetWidth() / 2, cy = h->GetTop() - 20 + h->GetHeight() / 2;
  auto shot = WindowShot(tree);
  EXPECT_EQ(PixelOf(*shot, cx, cy), PixelOf(Cache(), cx, cy));
  EXPECT_EQ(PixelOf(*shot, cx, cy), kFirst.Edit.Face[kNormal]);
  // The horizontal bar scrolls the tree sideways.
  h->SetPosition(h->GetMax());
  Settle();
  EXPECT_EQ(NativeInfo(tree, SB_HORZ).nPos, h->GetMax());
}

// A selection kept while the tree has no focus stays readable: the system puts that node on the
// button face, and its text takes the button text colour instead of the skin's (light in a dark
// skin). With the focus the system's highlight shows, the skin not asked.
TEST_F(SkinnedTreeTest, AnUnfocusedSelectionIsReadable) {
  tree->SetHideSelection(false);
  fw::TTreeNode* node = tree->GetItems()->GetFirstNode();
  tree->SetSelected(node);
  focus->SetFocus();
  Settle();
  const fw::TColor buttonText = fw::TColor(GetSysColor(COLOR_BTNTEXT));
  const fw::TRect text = node->DisplayRect(true);
  EXPECT_GT(CountColour(*control_shots::ScreenShot(tree), text, buttonText), 5);
  tree->SetFocus();
  Settle();
  EXPECT_EQ(CountColour(*control_shots::ScreenShot(tree), text, buttonText), 0);
  // Not selected, the node keeps the skin's text colour.
  tree->SetSelected(tree->GetItems()->GetItem(1));
  focus->SetFocus();
  Settle();
  EXPECT_EQ(CountColour(*control_shots::ScreenShot(tree), text, buttonText), 0);
}

TEST_F(SkinnedTreeTest, SkinChangesKeepTheNodes) {
  fw::TTreeNode* first = tree->GetItems()->GetFirstNode();
  tree->GetItems()->AddChild(first, "Child");
  first->Expand(false);
  // A new skin: the native border goes, the frame in the new colours.
  UseSecondSkin();
  Settle();
  EXPECT_EQ(tree->GetBorderStyle(), fw::bsNone);
  EXPECT_EQ(tree->GetColor(), kSecond.Edit.Face[kNormal]);
  EXPECT_EQ(PixelOf(*WindowShot(tree), 60, 1), kSecond.Edit.Edge[kNormal]);
  ASSERT_NE(tree->GetVertBar(), nullptr);
  EXPECT_EQ(tree->GetItems()->GetCount(), 31);

  // Removed: the border style it had after construction, the framework's colours, no bars,
  // every node still there.
  manager->SetActive(false);
  Settle();
  EXPECT_EQ(tree->GetBorderStyle(), fw::bsSingle);
  EXPECT_EQ(tree->GetColor(), fw::clWindow);
  EXPECT_EQ(tree->GetVertBar(), nullptr);
  EXPECT_EQ(tree->GetHorzBar(), nullptr);
  ASSERT_EQ(tree->GetItems()->GetCount(), 31);
  EXPECT_EQ(tree->GetItems()->GetFirstNode()->GetItem(0)->GetText(), "Child");
  EXPECT_EQ(tree->GetItems()->GetItem(30)->GetText(), "Node 29");
  EXPECT_TRUE(tree->GetItems()->GetFirstNode()->GetExpanded());
  // The native client edge again.
  const fw::TPoint client = tree->ClientToScreen(fw::TPoint(0, 0));
  RECT window{};
  GetWindowRect(tree->GetHandle(), &window);
  EXPECT_EQ(client.X - window.left, GetSystemMetrics(SM_CXEDGE));
  EXPECT_NE(PixelOf(*WindowShot(tree), 60, 1), kSecond.Edit.Edge[kNormal]);
}

TEST_F(SkinnedTreeTest, WithoutManagerItIsTheFrameworkTree) {
  fw::FreeAndNil(manager);
  Settle();
  EXPECT_FALSE(tree->GetSkinData()->SkinIsActive());
  EXPECT_EQ(tree->GetVertBar(), nullptr);
  EXPECT_EQ(tree->GetItems()->GetCount(), 30);
  tree->UpdateScrolls();
  EXPECT_EQ(tree->GetVertBar(), nullptr);
  // Its own native bar scrolls it.
  SendMessageA(tree->GetHandle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 4), 0);
  EXPECT_EQ(tree->GetTopItem()->GetText(), "Node 4");
  EXPECT_TRUE(skin::ControlAnswersCmd(tree, skin::cmdIsSkinned));
}

// Controls made and placed in code while a skin is active, outside a load scope.
class BuiltInCodeTest : public control_shots::PanelFormTest {};

TEST_F(BuiltInCodeTest, ControlsTakeTheActiveSkin) {
  MakeForm(400, 320, fw::TRect(0, 0, 380, 280));
  auto* focus = Place<fw::TEdit>(panel, 250, 240, 60, 24);
  auto* tree = Place<skin::TkTreeView>(panel, 20, 20, 150, 120);
  for (int n = 0; n < 30; ++n) tree->GetItems()->AddChild(nullptr, "Node " + std::to_string(n));
  auto* combo = Place<skin::TkComboBox>(panel, 200, 20, 120, 24);
  ShowForm();
  focus->SetFocus();
  Settle();

  // The tree: the section's colours, no native border, the three-pixel frame from the cache
  // around a face of the section's colour.
  EXPECT_EQ(tree->GetColor(), kFirst.Edit.Face[kNormal]);
  EXPECT_EQ(tree->GetFont()->GetColor(), kFirst.Edit.Font);
  EXPECT_EQ(tree->GetBorderStyle(), fw::bsNone);
  ExpectFrame(tree);
  EXPECT_EQ(PixelOf(*WindowShot(tree), 100, 3 + 5), kFirst.Edit.Face[kNormal]);
  ASSERT_NE(tree->GetVertBar(), nullptr);
  EXPECT_TRUE(tree->GetVertBar()->GetVisible());
  // The combo box: its section's colours.
  EXPECT_EQ(combo->GetColor(), SectionOf(kFirst, "COMBOBOX").Face[kNormal]);
  EXPECT_EQ(combo->GetFont()->GetColor(), SectionOf(kFirst, "COMBOBOX").Font);
}

}  // namespace
