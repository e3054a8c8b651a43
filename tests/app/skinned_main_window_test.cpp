// The main window drawn from the control test skin: its header, a tool panel's title strip, a
// bitmap button and the navigation speed buttons show the skin's colours, and a skin change
// repaints them all in the other skin's; the status bar keeps one size grip through a drag of the
// window's corner and shows none while the window is maximised.
#include "app/main/cleaners_frame.h"
#include "app/main/file_frame.h"
#include "app/main/system_frame.h"
#include "app/tools/drive_cleaner.h"
#include "main_window_fixture.h"
#include "skin/engine/skin_engine.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/stored_skins.h"
#include "support/control_skin.h"
#include "support/panel_form_fixture.h"

using app::frmMain;
using control_skin::kBorder;

namespace {

class SkinnedMainWindowTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    skin::StartSkinEngine();
  }
  void TearDown() override {
    MainWindowTest::TearDown();
    skin::StopSkinEngine();
  }
  // Starts the main window and gives its manager the two control skins, the first one active.
  void StartSkinned() {
    Start();
    skin::TkSkinManager* manager = frmMain->skinManager;
    // The window itself takes the dialog's frame.
    for (auto [name, colours] : {std::pair{control_skin::kFirstName, &control_skin::kFirst},
                                 std::pair{control_skin::kSecondName, &control_skin::kSecond}}) {
      skin::TkSkinGeneral* form = control_skin::AddControlSkin(*manager->GetInternalSkins(), name, *colours)
                                      ->GetGeneralData()
                                      ->AddItem();
      form->SetSectionName("FORM");
      form->SetParentClass("DIALOG");
    }
    Use(control_skin::kFirstName);
  }
  void Use(const char* skinName) {
    frmMain->skinManager->SetSkinName(skinName);
    for (int i = 0; i < 8; ++i) {
      fw::Application->ProcessMessages();
      Sleep(10);
    }
  }
  // The screen pixel at a point of the control (a window or a windowless control).
  static fw::TColor PixelOf(fw::TControl& control, int x, int y) {
    GdiFlush();
    fw::TPoint p = control.ClientToScreen(fw::TPoint{x, y});
    HDC screen = GetDC(nullptr);
    const COLORREF c = GetPixel(screen, p.X, p.Y);
    ReleaseDC(nullptr, screen);
    return static_cast<fw::TColor>(c);
  }
  // What the test looks at, with the colours each shows in a skin.
  void ExpectColours(const control_skin::TControlSkin& skin) {
    skin::TkPanel* header = frmMain->kPanel1;
    EXPECT_EQ(PixelOf(*header, frmMain->kLabelFX1->GetLeft() + frmMain->kLabelFX1->GetWidth() + 8, 20),
              skin.Panel.Face[control_skin::kNormal])
        << "the header's face";
    auto* title = dynamic_cast<fw::TControl*>(frmMain->FindComponent("pnlDCTitle"));
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(PixelOf(*title, title->GetWidth() - 20, 20), skin.Panel.Face[control_skin::kNormal])
        << "the Drive cleaner's title strip";
    skin::TkBitBtn* search = frmMain->driveCleaner->btnDCSearch;
    EXPECT_EQ(PixelOf(*search, search->GetWidth() / 2, kBorder + 1), skin.Button.Face[control_skin::kNormal])
        << "the Search button";
    app::TfrmCleaners* cleaners = frmMain->frmCleaners1;
    EXPECT_EQ(PixelOf(*cleaners->kSpeedButton2, 20, kBorder + 1), skin.SpeedButton.Face[control_skin::kNormal])
        << "the navigation button that is up";
    EXPECT_EQ(PixelOf(*cleaners->kSpeedButton1, 20, kBorder + 1), skin.SpeedButton.Face[control_skin::kPressed])
        << "the navigation button that is down";
    EXPECT_EQ(PixelOf(*frmMain->btnAbout, 20, kBorder + 1), skin.SpeedButton.Face[control_skin::kNormal])
        << "a header button";
  }
};

TEST_F(SkinnedMainWindowTest, TheWindowShowsTheSkinsColoursAndFollowsAChange) {
  StartSkinned();
  ExpectColours(control_skin::kFirst);
  Use(control_skin::kSecondName);
  ExpectColours(control_skin::kSecond);
}

TEST_F(SkinnedMainWindowTest, TheStatusBarKeepsOneGripThroughADrag) {
  StartSkinned();
  skin::TkStatusBar* bar = frmMain->kBar;
  const fw::TColor grip = control_skin::Colour(control_skin::kFirst.Index, control_skin::kGripNumber, 0);
  // The grip pixels the bar shows.
  auto gripPixels = [&] {
    Pump();
    return testing_paint::CountColour(*control_shots::ScreenShot(bar),
                                      fw::TRect(0, 0, bar->GetWidth(), bar->GetHeight()), grip);
  };
  const int oneGrip = gripPixels();
  ASSERT_GT(oneGrip, 0);
  for (int step = 1; step <= 5; ++step) {
    frmMain->SetBounds(frmMain->GetLeft(), frmMain->GetTop(), frmMain->GetWidth() + 17, frmMain->GetHeight() + 5);
    Pump();
  }
  EXPECT_EQ(gripPixels(), oneGrip);
  frmMain->SetWindowState(fw::wsMaximized);
  EXPECT_EQ(gripPixels(), 0);
}

// Whichever group is open, the tile of the tool shown stays pressed and the others are up.
TEST_F(SkinnedMainWindowTest, TheShownToolsTileIsPressedInEveryGroup) {
  StartSkinned();
  auto expectPressed = [&](app::TfrmNavigation* frame, int pressed) {
    Use(control_skin::kFirstName);
    skin::TkSpeedButton* buttons[] = {frame->kSpeedButton1, frame->kSpeedButton2, frame->kSpeedButton3};
    for (int i = 0; i < 3; ++i) {
      if (!buttons[i]->GetVisible()) continue;
      EXPECT_EQ(PixelOf(*buttons[i], 20, kBorder + 1),
                control_skin::kFirst.SpeedButton.Face[i + 1 == pressed ? control_skin::kPressed : control_skin::kNormal])
          << frame->ClassName() << " " << i + 1;
    }
  };
  frmMain->barMenu->OpenItem(1, false);
  frmMain->frmSystem1->kSpeedButton2->Click();
  expectPressed(frmMain->frmSystem1, 2);
  frmMain->barMenu->OpenItem(2, false);
  frmMain->frmFile1->kSpeedButton2->Click();
  expectPressed(frmMain->frmFile1, 2);
  frmMain->frmFile1->kSpeedButton1->Click();
  expectPressed(frmMain->frmFile1, 1);
}

}  // namespace
