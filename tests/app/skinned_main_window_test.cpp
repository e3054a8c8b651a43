// The main window drawn from the control test skin: its header, a tool panel's title strip, a
// bitmap button and the navigation speed buttons show the skin's colours, and a skin change
// repaints them all in the other skin's, the whole window at once; the status bar keeps one size
// grip through a drag of the window's corner and shows none while the window is maximised.
#include "app/main/cleaners_frame.h"
#include "app/main/file_frame.h"
#include "app/main/system_frame.h"
#include "app/tools/drive_cleaner.h"
#include "app/tools/other_clean.h"
#include "main_window_fixture.h"
#include "skin/engine/skin_command.h"
#include "skin/engine/skin_engine.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/stored_skins.h"
#include "support/control_skin.h"
#include "support/panel_form_fixture.h"

using app::frmMain;
using control_skin::kBorder;

namespace {

class SkinnedMainWindowTest : public SkinnedMainWindowFixture {
 protected:
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
  // The main window's point (window coordinates) at a point of one of its controls (a window
  // or a windowless control).
  static fw::TPoint WindowPointOf(fw::TControl& control, int x, int y) {
    const fw::TPoint p = control.ClientToScreen(fw::TPoint{x, y});
    RECT r{};
    GetWindowRect(frmMain->GetHandle(), &r);
    return fw::TPoint{p.X - r.left, p.Y - r.top};
  }
  // The screen pixel at a point of the control.
  static fw::TColor PixelOf(fw::TControl& control, int x, int y) {
    const fw::TPoint p = WindowPointOf(control, x, y);
    return testing_paint::ScreenPixelOf(frmMain->GetHandle(), p.X, p.Y);
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
    skin::TkBitBtn* search = frmMain->DriveCleaner().btnDCSearch;
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

// A tool first opened after a skin change is drawn in the skin then in use.
TEST_F(SkinnedMainWindowTest, AToolFirstOpenedAfterASwitchShowsTheNewSkin) {
  StartSkinned();
  ASSERT_FALSE(frmMain->ToolBuilt(frmMain->pnlOC));
  Use(control_skin::kSecondName);
  frmMain->frmCleaners1->kSpeedButton2->Click();
  Pump();
  auto* title = dynamic_cast<fw::TControl*>(frmMain->FindComponent("pnlOCTitle"));
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(PixelOf(*title, title->GetWidth() - 20, 20), control_skin::kSecond.Panel.Face[control_skin::kNormal]);
  skin::TkBitBtn* clean = frmMain->OtherClean().btnOCClean;
  EXPECT_EQ(PixelOf(*clean, clean->GetWidth() / 2, kBorder + 1),
            control_skin::kSecond.Button.Face[control_skin::kNormal]);
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

// A point of the main window the switch is watched at, with what it shows in either skin.
struct TProbe {
  const char* Name;
  fw::TPoint At;
  fw::TColor Old = 0, New = 0;
};

// The screen is read at every step of a skin change: before and after each announcement
// (commands 1, 16 and 3) the window and the watched controls get, and before each of the
// window's paints until it first paints. Every reading shows one skin whole: no control in the
// new skin beside one in the old, no window without its shape. The window paints in full once.
// (That paint covers the window and then its child windows; what it shows half-way depends on
// when the system copies the window to the screen, so it is not read.)
TEST_F(SkinnedMainWindowTest, ALiveSwitchShowsOneSkinAtATimeAndPaintsTheWindowOnce) {
  StartSkinned();
  HWND window = frmMain->GetHandle();
  RECT bounds{};
  GetWindowRect(window, &bounds);
  auto* title = dynamic_cast<fw::TControl*>(frmMain->FindComponent("pnlDCTitle"));
  ASSERT_NE(title, nullptr);
  skin::TkBitBtn* search = frmMain->DriveCleaner().btnDCSearch;
  std::vector<TProbe> probes = {
      {"the caption", fw::TPoint{bounds.right - bounds.left - 100, 6}},
      {"the header",
       WindowPointOf(*frmMain->kPanel1, frmMain->kLabelFX1->GetLeft() + frmMain->kLabelFX1->GetWidth() + 8, 20)},
      {"the Drive cleaner's title strip", WindowPointOf(*title, title->GetWidth() - 20, 20)},
      {"the Search button", WindowPointOf(*search, search->GetWidth() / 2, kBorder + 1)},
  };
  auto shown = [&](const TProbe& p) { return testing_paint::ScreenPixelOf(window, p.At.X, p.At.Y); };
  for (TProbe& p : probes) p.Old = shown(p);

  std::vector<std::vector<fw::TColor>> frames;
  auto capture = [&] {
    std::vector<fw::TColor> frame;
    for (const TProbe& p : probes) frame.push_back(shown(p));
    frames.push_back(std::move(frame));
  };
  auto announcement = [](const fw::TMessage& m) {
    const int command = m.Msg == skin::SM_SKINCMD ? skin::SkinCmdOf(m.WParam) : 0;
    return command == skin::cmdNewSkin || command == skin::cmdStopAnimation || command == skin::cmdRefresh;
  };
  bool painted = false;
  int fullPaints = 0;
  std::vector<std::pair<fw::TControl*, fw::TWndMethodProc>> watched;
  for (fw::TControl* control : {static_cast<fw::TControl*>(frmMain), static_cast<fw::TControl*>(frmMain->kPanel1), title,
                                static_cast<fw::TControl*>(search)}) {
    fw::TWndMethodProc original = control->GetWindowProc();
    watched.emplace_back(control, original);
    control->SetWindowProc([&, control, original](fw::TMessage& m) {
      const bool paint = control == frmMain && (m.Msg == WM_PAINT || m.Msg == WM_NCPAINT);
      if (paint && m.Msg == WM_PAINT) {
        // A paint without an update region paints the whole client area from the form's cache.
        RECT update{}, client{};
        GetClientRect(window, &client);
        if (!GetUpdateRect(window, &update, FALSE) || EqualRect(&update, &client)) ++fullPaints;
      }
      if (announcement(m) || (paint && !painted)) capture();
      painted = painted || paint;
      original(m);
      if (announcement(m)) capture();
    });
  }
  frmMain->skinManager->SetSkinName(control_skin::kSecondName);
  for (auto& [control, original] : watched) control->SetWindowProc(original);
  Pump();
  for (TProbe& p : probes) {
    p.New = shown(p);
    ASSERT_NE(p.Old, p.New) << p.Name << " looks the same in both skins";
  }

  ASSERT_FALSE(frames.empty());
  for (size_t f = 0; f < frames.size(); ++f) {
    size_t old = 0, fresh = 0;
    std::string seen;
    for (size_t i = 0; i < probes.size(); ++i) {
      old += frames[f][i] == probes[i].Old;
      fresh += frames[f][i] == probes[i].New;
      seen += std::string(" ") + probes[i].Name +
              (frames[f][i] == probes[i].Old ? ": old;" : frames[f][i] == probes[i].New ? ": new;" : ": neither;");
    }
    EXPECT_TRUE(old == probes.size() || fresh == probes.size()) << "reading " << f << " of " << frames.size() << ":" << seen;
  }
  EXPECT_EQ(fullPaints, 1) << "full paints of the main window during the switch";
}

}  // namespace
