// The main window as it shows in the two shipped skins, the stored Neutral and the Slate folder,
// read back from the screen: the navigation tiles sit whole inside their frame, the frame of an
// open group sits at one place however the group was opened, at the window's smallest size the
// Uninstaller's details stay inside their group, the Duplicate finder's options show whole there
// and maximised, its tab arrows show no key colour, and a switch back to Neutral repaints the
// scroll bar of its group list.
#include "app/main/cleaners_frame.h"
#include "app/main/file_frame.h"
#include "app/main/system_frame.h"
#include "app/tools/duplicate_finder.h"
#include "app/tools/uninstaller.h"
#include "main_window_fixture.h"
#include "skin/controls/list_box.h"
#include "skin/controls/page_control.h"
#include "skin/controls/up_down.h"
#include "skin/engine/scroll_bar.h"
#include "skin/engine/skin_engine.h"
#include "support/panel_form_fixture.h"
#include "support/skin_paint_fixture.h"
#include "support/test_skins.h"

using app::frmMain;

namespace {

// The colour that means "no colour" in every skin picture.
constexpr fw::TColor kKeyColour = 0xFF00FF;

class MainWindowSkinsTest : public SkinnedMainWindowFixture {
 protected:
  // Starts the main window and runs check in the stored Neutral skin, then in Slate.
  void InEachShippedSkin(const std::function<void()>& check) {
    Start();
    {
      SCOPED_TRACE(frmMain->skinManager->GetSkinName());
      check();
    }
    ASSERT_NO_FATAL_FAILURE(UseSlate());
    SCOPED_TRACE("Slate");
    check();
  }
  // Switches the running window to the Slate folder.
  void UseSlate() {
    test_skins::CopyShippedSkin(appDir + "Skins\\", "Slate");
    frmMain->skinManager->SetSkinDirectory(appDir + "Skins");
    frmMain->skinManager->SetSkinName("Slate");
    Settle();
    ASSERT_EQ(frmMain->skinManager->GetSkinName(), "Slate");
  }
  // Lets the paints through, as the idle loop would.
  void Settle() {
    for (int i = 0; i < 10; ++i) {
      fw::Application->ProcessMessages();
      Sleep(10);
    }
  }
  // The window at its smallest width.
  void Narrowest() {
    const int minWidth = frmMain->GetConstraints().MinWidth;
    ASSERT_EQ(minWidth, 600);
    frmMain->SetBounds(frmMain->GetLeft(), frmMain->GetTop(), minWidth, frmMain->GetHeight());
    Settle();
    ASSERT_EQ(frmMain->GetWidth(), minWidth);
  }
  // The Duplicate finder, opened by its tile.
  app::TDuplicateFinder& OpenDuplicateFinder() {
    frmMain->barMenu->OpenItem(0, false);
    frmMain->frmCleaners1->kSpeedButton3->Click();
    Settle();
    return frmMain->DuplicateFinder();
  }
  // A title click on the bar's section, as the user makes it.
  void ClickTitle(int index) {
    frmMain->barMenu->GetItems()->GetItems(index)->GetTitleButton()->Click();
    Settle();
  }
};

// Every tile of every group stands as far from its frame's left edge as from its right one, and
// shows its border whole: its outer columns mirror each other on the screen.
TEST_F(MainWindowSkinsTest, NavigationTilesShowWholeInTheirFrame) {
  InEachShippedSkin([&] {
    for (int item = 0; item < 3; ++item) {
      frmMain->barMenu->OpenItem(item, false);
      Settle();
      app::TfrmNavigation* frame = item == 0   ? static_cast<app::TfrmNavigation*>(frmMain->frmCleaners1)
                                   : item == 1 ? static_cast<app::TfrmNavigation*>(frmMain->frmSystem1)
                                               : static_cast<app::TfrmNavigation*>(frmMain->frmFile1);
      ASSERT_NE(frame, nullptr);
      const auto shot = control_shots::ScreenShot(frame);
      for (skin::TkSpeedButton* tile : {frame->kSpeedButton1, frame->kSpeedButton2, frame->kSpeedButton3}) {
        if (!tile->GetVisible()) continue;
        SCOPED_TRACE(tile->GetCaption());
        const int left = tile->GetLeft(), right = tile->GetLeft() + tile->GetWidth();
        EXPECT_GT(left, 0);
        EXPECT_EQ(left, frame->GetClientWidth() - right);
        int mirrored = 0;
        for (int y = tile->GetTop(); y < tile->GetTop() + tile->GetHeight(); ++y)
          for (int x = 0; x < 3; ++x)
            mirrored += test_skins::PixelOf(*shot, left + x, y) == test_skins::PixelOf(*shot, right - 1 - x, y);
        EXPECT_EQ(mirrored, 3 * tile->GetHeight());
      }
    }
  });
}

// The frame of the open group lies as far below its title whether the window opened the group,
// a title click slid it open, or a click on the open title laid the bar out again: the bar shows
// the same picture.
TEST_F(MainWindowSkinsTest, TheOpenGroupsFrameSitsAtOnePlace) {
  InEachShippedSkin([&] {
    skin::TkFrameBar* bar = frmMain->barMenu;
    auto gap = [&](int item) {
      const skin::TkTitleItem* section = bar->GetItems()->GetItems(item);
      const fw::TControl* title = section->GetTitleButton();
      return section->GetFrame()->GetTop() - (title->GetTop() + title->GetHeight());
    };
    frmMain->barMenu->OpenItem(0, false);
    Settle();
    const int opened = gap(0);
    for (int item : {1, 2, 0}) {
      SCOPED_TRACE(item);
      ClickTitle(item);
      ASSERT_EQ(bar->GetItems()->GetItems(item)->GetState(), skin::tsOpen);
      const int slid = gap(item);
      const auto slidShot = control_shots::ScreenShot(bar);
      ClickTitle(item);
      EXPECT_EQ(slid, opened);
      EXPECT_EQ(gap(item), opened);
      EXPECT_TRUE(control_shots::SamePixels(*slidShot, *control_shots::ScreenShot(bar)));
    }
  });
}

// At the smallest width every edit of the details ends inside the group box: the group's right
// border shows beside the long edits as it does beside the short ones.
TEST_F(MainWindowSkinsTest, UninstallerDetailsStayInsideTheirGroupAtTheSmallestWidth) {
  InEachShippedSkin([&] {
    Narrowest();
    frmMain->barMenu->OpenItem(1, false);
    frmMain->frmSystem1->kSpeedButton2->Click();
    Settle();
    app::TUninstaller& tool = frmMain->Uninstaller();
    skin::TkGroupBox* group = tool.gbUIDetails;
    ASSERT_TRUE(group->IsShowing());
    const auto shot = control_shots::ScreenShot(group);
    const int border = group->GetClientWidth() - 1;
    // Beside the short Version edit the border is bare.
    const int bare = tool.kEdit2->GetTop() + tool.kEdit2->GetHeight() / 2;
    ASSERT_LT(tool.kEdit2->GetLeft() + tool.kEdit2->GetWidth(), border - 2);
    for (skin::TkEdit* edit : {tool.kEdit1, tool.kEdit2, tool.kEdit3, tool.kEdit4, tool.kEdit5}) {
      SCOPED_TRACE(edit->GetName());
      EXPECT_LE(edit->GetLeft() + edit->GetWidth(), group->GetClientWidth() - 4);
      EXPECT_GE(edit->GetWidth(), 100);
      const int middle = edit->GetTop() + edit->GetHeight() / 2;
      for (int x = border - 1; x <= border; ++x)
        EXPECT_EQ(test_skins::PixelOf(*shot, x, middle), test_skins::PixelOf(*shot, x, bare)) << x;
    }
  });
}

// A live skin switch repaints the scroll bar laid over the Duplicate finder's group list at once:
// after the switch to Slate the screen shows the bar as it paints itself when asked again, and
// after the switch back to Neutral as Neutral painted it first, with no colour of Slate left
// until the pointer passes over it.
TEST_F(MainWindowSkinsTest, ASkinSwitchRepaintsTheGroupListsScrollBar) {
  Start();
  const std::string neutral = frmMain->skinManager->GetSkinName();
  // The pointer away from the window, so that the bar shows no hot part.
  SetCursorPos(1270, 1010);
  app::TDuplicateFinder& tool = OpenDuplicateFinder();
  tool.kPageControl1->SetActivePage(tool.tsDFGroup);
  Settle();
  skin::TkScrollBar* bar = tool.clbDFGroup->GetHorzBar();
  ASSERT_NE(bar, nullptr);
  ASSERT_TRUE(bar->IsShowing());
  const auto inNeutral = control_shots::ScreenShot(bar);
  ASSERT_NO_FATAL_FAILURE(UseSlate());
  const auto afterSwitch = control_shots::ScreenShot(bar);
  RedrawWindow(bar->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  Settle();
  const auto inSlate = control_shots::ScreenShot(bar);
  ASSERT_FALSE(control_shots::SamePixels(*inSlate, *inNeutral));
  EXPECT_TRUE(control_shots::SamePixels(*afterSwitch, *inSlate)) << "Slate";
  frmMain->skinManager->SetSkinName(neutral);
  Settle();
  ASSERT_EQ(frmMain->skinManager->GetSkinName(), neutral);
  ASSERT_TRUE(bar->IsShowing());
  EXPECT_TRUE(control_shots::SamePixels(*control_shots::ScreenShot(bar), *inNeutral)) << "Neutral";
}

// Option pages narrower than their tabs show arrows, and no pixel of them is the key colour.
TEST_F(MainWindowSkinsTest, DuplicateFinderTabArrowsShowNoKeyColour) {
  InEachShippedSkin([&] {
    Narrowest();
    app::TDuplicateFinder& tool = OpenDuplicateFinder();
    skin::TkPageControl* pages = tool.kPageControl2;
    const int width = pages->GetWidth();
    pages->SetWidth(100);
    Settle();
    skin::TkUpDown* scroller = pages->TabScroller();
    ASSERT_NE(scroller, nullptr);
    ASSERT_TRUE(scroller->IsShowing());
    const auto shot = control_shots::WindowShot(scroller);
    EXPECT_EQ(testing_paint::CountColour(*shot, fw::TRect(0, 0, shot->GetWidth(), shot->GetHeight()), kKeyColour),
              0);
    pages->SetWidth(width);
    Settle();
  });
}

// Every search option shows whole at the smallest width and maximised: its caption needs no more
// than the box's width, the box keeps the distance to its page's right edge it keeps to the left
// one, and the screen shows the box just as it painted itself.
TEST_F(MainWindowSkinsTest, DuplicateFinderOptionsShowWholeAtTheSmallestWidthAndMaximised) {
  InEachShippedSkin([&] {
    app::TDuplicateFinder& tool = OpenDuplicateFinder();
    for (bool maximised : {false, true}) {
      SCOPED_TRACE(maximised ? "maximised" : "smallest width");
      if (maximised) {
        frmMain->SetWindowState(fw::wsMaximized);
        Settle();
      } else {
        Narrowest();
      }
      ASSERT_TRUE(tool.tsDFOptions->IsShowing());
      for (skin::TkCheckBox* box : {tool.kCheckBox1, tool.kCheckBox2, tool.kCheckBox3, tool.kCheckBox4}) {
        SCOPED_TRACE(box->GetCaption());
        int needed = 0, height = 0;
        ASSERT_TRUE(box->CanAutoSize(needed, height));
        EXPECT_LE(needed, box->GetWidth());
        EXPECT_LE(box->GetLeft() + box->GetWidth(), tool.tsDFOptions->GetClientWidth() - box->GetLeft());
        EXPECT_TRUE(control_shots::SamePixels(*control_shots::ScreenShot(box), *box->GetSkinData()->CacheBmp));
      }
    }
    frmMain->SetWindowState(fw::wsNormal);
    Settle();
  });
}

}  // namespace
