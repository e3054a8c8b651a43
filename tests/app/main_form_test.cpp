// The main window end to end: the first start on an empty program folder, the navigation bar
// and tool switching, the navigation frames painted from the skin, the header buttons, closing, and
// the built program as a process of its own.
#include <algorithm>
#include <chrono>
#include <functional>
#include <set>
#include <vector>

#include "app/main/about_form.h"
#include "app/main/cleaners_frame.h"
#include "app/main/file_frame.h"
#include "app/main/system_frame.h"
#include "app/settings/settings_form.h"
#include "app/shared/config_defaults.h"
#include "app/tools/attribute_manager.h"
#include "app/tools/drive_cleaner.h"
#include "app/tools/duplicate_finder.h"
#include "framework/forms/screen.h"
#include "framework/graphics/bitmap.h"
#include "skin/controls/status_bar.h"
#include "skin/engine/skin_command.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/skin_provider.h"
#include "main_window_fixture.h"
#include "support/control_skin.h"
#include "support/hostile_skins.h"
#include "support/process_windows.h"
#include "support/test_skins.h"

using app::frmMain;

namespace {

std::vector<skin::TkPanel*> VisiblePanels() {
  std::vector<skin::TkPanel*> shown;
  for (skin::TkPanel* panel : frmMain->ToolPanels())
    if (panel->GetVisible()) shown.push_back(panel);
  return shown;
}

// The "TfrmMain" window titled with the program's name that belongs to the process.
HWND MainWindowOf(DWORD processId) {
  return testing_process::WindowOf(processId, [](HWND window) {
    char text[64] = {};
    GetWindowTextA(window, text, sizeof text);
    return testing_process::ClassOf(window) == "TfrmMain" && std::string(text) == "Vorlet Disk Cleaner 2.2";
  });
}

}  // namespace

TEST_F(MainWindowTest, FirstRunWritesProgramIniAndShowsTheDriveCleaner) {
  ASSERT_FALSE(fw::DirectoryExists(appDir + "config"));
  Start();
  std::string expected;
  for (const std::string& line : app::DefaultProgramIniLines()) expected += line + "\r\n";
  EXPECT_EQ(testing_sandbox::ReadFile(appDir + "config\\program.ini"), expected);

  EXPECT_EQ(frmMain->GetCaption(), "Vorlet Disk Cleaner 2.2");
  EXPECT_EQ(frmMain->GetWidth(), 700);
  EXPECT_EQ(frmMain->GetHeight(), 500);
  EXPECT_EQ(frmMain->appDir, appDir);
  EXPECT_EQ(frmMain->skinManager->GetSkinName(), "Neutral (internal)");
  EXPECT_EQ(frmMain->skinManager->GetSkinDirectory(), appDir + "Skins");
  EXPECT_EQ(skin::DefaultManager(), frmMain->skinManager);

  // Exactly the Drive cleaner panel, filling the client area.
  EXPECT_EQ(VisiblePanels(), std::vector<skin::TkPanel*>{frmMain->pnlDC});
  EXPECT_EQ(frmMain->pnlDC->GetAlign(), fw::alClient);
  // The "Cleaners" group is open with the frame the bar asked for, its first button down.
  skin::TkTitleItem* cleaners = frmMain->barMenu->GetItems()->GetItems(0);
  EXPECT_EQ(cleaners->GetState(), skin::tsOpen);
  EXPECT_EQ(frmMain->barMenu->GetItems()->GetItems(1)->GetState(), skin::tsClosed);
  ASSERT_NE(cleaners->GetFrame(), nullptr);
  EXPECT_EQ(cleaners->GetFrame(), frmMain->frmCleaners1);
  EXPECT_EQ(frmMain->frmCleaners1->GetOwner(), nullptr);
  EXPECT_TRUE(frmMain->frmCleaners1->GetVisible());
  EXPECT_EQ(frmMain->frmCleaners1->GetHeight(), frmMain->barMenu->GetHeight() - 110);
  EXPECT_TRUE(frmMain->frmCleaners1->kSpeedButton1->GetDown());
  EXPECT_FALSE(frmMain->frmCleaners1->kSpeedButton2->GetDown());

  // One path row per drive, then the (empty) user folders.
  ASSERT_NE(app::driveList, nullptr);
  fw::TListItems* rows = frmMain->DriveCleaner().lvDCDrive->GetItems();
  ASSERT_EQ(rows->GetCount(), static_cast<int>(app::driveList->size()));
  for (int i = 0; i < rows->GetCount(); ++i) {
    EXPECT_EQ(rows->GetItem(i)->GetCaption(), (*app::driveList)[i].Root);
    EXPECT_EQ(rows->GetItem(i)->GetSubItems()->GetStrings(5), std::to_string((*app::driveList)[i].DriveType));
  }
  EXPECT_TRUE(fw::FileExists(appDir + "config\\usrfldr.ini"));
  EXPECT_TRUE(frmMain->DriveCleaner().btnDCSearch->GetEnabled());
  EXPECT_FALSE(frmMain->DriveCleaner().btnDCStop->GetEnabled());
  EXPECT_FALSE(frmMain->DriveCleaner().btnDCDelete->GetEnabled());
  EXPECT_TRUE(scripted->Texts.empty());

  // The status bar is drawn from the skin's "STATUSBAR" with its three panels and the animation.
  skin::TkStatusBar* bar = frmMain->kBar;
  frmMain->Repaint();
  EXPECT_TRUE(bar->GetSkinData()->SkinIsActive());
  EXPECT_EQ(bar->GetSkinData()->GetSkinSection(), "STATUSBAR");
  EXPECT_EQ(bar->StatusPanelRect(1), fw::TRect(151, 0, 182, bar->GetHeight()));
  EXPECT_EQ(frmMain->Anim->GetParent(), bar);
  EXPECT_FALSE(bar->GetSkinData()->BGChanged);
}

TEST_F(MainWindowTest, UnmakeableConfigFolderOpensTheWindowOnTheDefaultsAndSaysSoOnce) {
  // A read-only file named "config" stands where the folder belongs.
  std::string config = appDir + "config";
  testing_sandbox::WriteFile(config, "not a folder");
  ASSERT_TRUE(SetFileAttributesA(config.c_str(), FILE_ATTRIBUTE_READONLY));
  Start();
  EXPECT_EQ(scripted->Texts,
            std::vector<std::string>{"Cannot create the folder \"" + config + "\". Settings will not be kept."});
  EXPECT_FALSE(frmMain->settingsKept);
  EXPECT_TRUE(IsWindowVisible(frmMain->GetHandle()));
  EXPECT_EQ(frmMain->skinManager->GetSkinName(), "Neutral (internal)");
  EXPECT_EQ(VisiblePanels(), std::vector<skin::TkPanel*>{frmMain->pnlDC});
  EXPECT_TRUE(frmMain->frmCleaners1->kSpeedButton1->GetDown());
  ASSERT_NE(app::driveList, nullptr);
  EXPECT_EQ(frmMain->DriveCleaner().lvDCDrive->GetItems()->GetCount(), static_cast<int>(app::driveList->size()));
  EXPECT_EQ(testing_sandbox::ReadFile(config), "not a folder");

  // The way out stays open.
  frmMain->btnExit->Click();
  Pump();
  EXPECT_TRUE(fw::Application->GetTerminated());
  SetFileAttributesA(config.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// A program folder the system names with "\\?\" is shown in the warning as the user types it.
TEST_F(MainWindowTest, TheConfigFolderWarningShowsThePathWithoutTheLongPathPrefix) {
  std::string config = appDir + "config";
  testing_sandbox::WriteFile(config, "not a folder");
  ASSERT_TRUE(SetFileAttributesA(config.c_str(), FILE_ATTRIBUTE_READONLY));
  fw::testing::SetProgramFolder("\\\\?\\" + appDir);
  Start();
  EXPECT_EQ(scripted->Texts,
            std::vector<std::string>{"Cannot create the folder \"" + config + "\". Settings will not be kept."});
  SetFileAttributesA(config.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(MainWindowTest, SavedSkinSettingsAreReadAndProgramIniKept) {
  fw::CreateDir(appDir + "config");
  testing_sandbox::WriteFile(appDir + "config\\program.ini",
                             "[Skin]\r\nSkinDirectory=C:\\sandbox\\skins\r\nSkinName=Blue\r\n");
  Start();
  EXPECT_EQ(frmMain->skinManager->GetSkinDirectory(), "C:\\sandbox\\skins");
  // No folder "Blue" there: the first stored skin is used, under its own name.
  EXPECT_EQ(frmMain->skinManager->GetSkinName(), "Neutral (internal)");
  EXPECT_EQ(testing_sandbox::ReadFile(appDir + "config\\program.ini"),
            "[Skin]\r\nSkinDirectory=C:\\sandbox\\skins\r\nSkinName=Blue\r\n");
}

TEST_F(MainWindowTest, NavigationButtonsSwitchToolsAndGroups) {
  Start();
  frmMain->frmCleaners1->kSpeedButton2->Click();
  EXPECT_EQ(VisiblePanels(), std::vector<skin::TkPanel*>{frmMain->pnlOC});
  EXPECT_FALSE(frmMain->frmCleaners1->kSpeedButton1->GetDown());
  EXPECT_TRUE(frmMain->frmCleaners1->kSpeedButton2->GetDown());
  frmMain->frmCleaners1->kSpeedButton3->Click();
  EXPECT_EQ(VisiblePanels(), std::vector<skin::TkPanel*>{frmMain->pnlDF});

  // Opening "System" closes "Cleaners", whose frame the bar frees (the window forgets it), and
  // makes its frame on demand, anew at every opening.
  app::TfrmSystem* designed = frmMain->frmSystem1;
  frmMain->barMenu->OpenItem(1, false);
  EXPECT_EQ(frmMain->barMenu->GetItems()->GetItems(0)->GetState(), skin::tsClosed);
  EXPECT_EQ(frmMain->barMenu->GetItems()->GetItems(0)->GetFrame(), nullptr);
  EXPECT_EQ(frmMain->frmCleaners1, nullptr);
  ASSERT_NE(frmMain->frmSystem1, designed);
  frmMain->barMenu->OpenItem(0, false);
  EXPECT_EQ(frmMain->frmSystem1, nullptr);
  ASSERT_NE(frmMain->frmCleaners1, nullptr);
  EXPECT_EQ(frmMain->barMenu->GetItems()->GetItems(0)->GetFrame(), frmMain->frmCleaners1);
  frmMain->barMenu->OpenItem(1, false);
  ASSERT_NE(frmMain->frmSystem1, nullptr);
  app::TfrmSystem* made = frmMain->frmSystem1;
  EXPECT_EQ(frmMain->barMenu->GetItems()->GetItems(1)->GetFrame(), made);
  for (auto [button, panel] : {std::pair{made->kSpeedButton1, frmMain->pnlSU},
                               std::pair{made->kSpeedButton2, frmMain->pnlUI},
                               std::pair{made->kSpeedButton3, frmMain->pnlSD}}) {
    button->Click();
    EXPECT_EQ(VisiblePanels(), std::vector<skin::TkPanel*>{panel});
    EXPECT_TRUE(button->GetDown());
  }

  frmMain->barMenu->OpenItem(2, false);
  app::TfrmFile* files = frmMain->frmFile1;
  EXPECT_FALSE(files->kSpeedButton3->GetVisible());
  files->kSpeedButton2->Click();
  EXPECT_EQ(VisiblePanels(), std::vector<skin::TkPanel*>{frmMain->pnlFW});
  files->kSpeedButton1->Click();
  EXPECT_EQ(VisiblePanels(), std::vector<skin::TkPanel*>{frmMain->pnlAM});

  // Back to the Drive cleaner: its path list is filled anew, not doubled.
  frmMain->barMenu->OpenItem(0, false);
  int rows = frmMain->DriveCleaner().lvDCDrive->GetItems()->GetCount();
  frmMain->frmCleaners1->kSpeedButton1->Click();
  EXPECT_EQ(VisiblePanels(), std::vector<skin::TkPanel*>{frmMain->pnlDC});
  EXPECT_EQ(frmMain->DriveCleaner().lvDCDrive->GetItems()->GetCount(), rows);
}

// Start-up builds only the tool the window opens on; every other tool is built when it is first
// opened, with its lists filled then from what is stored at that moment.
TEST_F(MainWindowTest, EachToolIsBuiltWhenFirstOpened) {
  Start();
  for (skin::TkPanel* panel : frmMain->ToolPanels())
    EXPECT_EQ(frmMain->ToolBuilt(panel), panel == frmMain->pnlDC) << panel->GetName();

  // A file group stored after start-up is among the Duplicate finder's groups at its first opening.
  testing_sandbox::WriteFile(appDir + "config\\dfext.ini", "[Zeta]\r\n1=*.zz\r\n");
  frmMain->frmCleaners1->kSpeedButton3->Click();
  EXPECT_TRUE(frmMain->ToolBuilt(frmMain->pnlDF));
  EXPECT_EQ(VisiblePanels(), std::vector<skin::TkPanel*>{frmMain->pnlDF});
  fw::TStrings* groups = frmMain->DuplicateFinder().clbDFGroup->GetItems();
  ASSERT_EQ(groups->GetCount(), 1);
  EXPECT_EQ(groups->GetStrings(0), "Zeta   (*.zz)");

  // The Attribute manager's shell tree is filled when the tool first shows.
  frmMain->barMenu->OpenItem(2, false);
  frmMain->frmFile1->kSpeedButton1->Click();
  Pump();
  EXPECT_TRUE(frmMain->ToolBuilt(frmMain->pnlAM));
  EXPECT_GT(frmMain->AttributeManager().amShellTV->GetItems()->GetCount(), 0);
  EXPECT_EQ(VisiblePanels(), std::vector<skin::TkPanel*>{frmMain->pnlAM});
  EXPECT_TRUE(frmMain->AttributeManager().amShellTV->GetHandle() && IsWindowVisible(frmMain->AttributeManager().amShellTV->GetHandle()));
}

// Whatever size the window takes (larger, maximised, restored, its smallest), the bar lays its
// sections out at once as it would open them at that size: the titles below the open section
// at the bar's foot, no scroll bar.
TEST_F(MainWindowTest, TheFrameBarFollowsEverySizeChange) {
  Start();
  skin::TkFrameBar* bar = frmMain->barMenu;
  auto title = [bar](int i) { return bar->GetItems()->GetItems(i)->GetTitleButton()->GetBoundsRect(); };
  auto titles = [title] {
    std::string rects;
    for (int i = 0; i < 3; ++i) {
      const fw::TRect r = title(i);
      rects += std::to_string(r.Left) + "," + std::to_string(r.Top) + "," + std::to_string(r.Right) + "," +
               std::to_string(r.Bottom) + " ";
    }
    return rects;
  };
  HWND window = frmMain->GetHandle();
  const std::vector<std::pair<const char*, std::function<void()>>> sizes = {
      {"larger", [] { frmMain->SetBounds(20, 20, 900, 700); }},
      {"maximised", [window] { ShowWindow(window, SW_MAXIMIZE); }},
      {"restored", [window] { ShowWindow(window, SW_RESTORE); }},
      {"smallest", [] { frmMain->SetBounds(20, 20, 600, 500); }},
  };
  for (const auto& [name, resize] : sizes) {
    resize();
    Pump();
    const std::string after = titles();
    EXPECT_FALSE(bar->GetVertSkinBar() && bar->GetVertSkinBar()->GetVisible()) << name;
    EXPECT_FALSE(GetWindowLongA(bar->GetHandle(), GWL_STYLE) & WS_VSCROLL) << name;
    // "Cleaners" opened anew at this size.
    bar->OpenItem(1, false);
    bar->OpenItem(0, false);
    Pump();
    EXPECT_EQ(after, titles()) << name;
    EXPECT_GT(title(2).Bottom, bar->GetClientHeight() - 20) << name;
  }
}

// Under the control test skin the bar shows its "BAR" face and its titles their "BARTITLE"
// faces, the open "Cleaners" title hot.
TEST_F(MainWindowTest, TheFrameBarShowsItsSectionsWithCleanersOpenAndHot) {
  Start();
  skin::TkStoredSkins& skins = *frmMain->skinManager->GetInternalSkins();
  control_skin::AddControlSkin(skins, control_skin::kFirstName, control_skin::kFirst);
  frmMain->skinManager->SetSkinName(control_skin::kFirstName);
  Pump();
  ASSERT_EQ(frmMain->skinManager->GetSkinName(), control_skin::kFirstName);
  const control_skin::TSectionColours bar = control_skin::SectionOf(control_skin::kFirst, "BAR");
  const control_skin::TSectionColours title = control_skin::SectionOf(control_skin::kFirst, "BARTITLE");
  skin::TkFrameBar* barMenu = frmMain->barMenu;
  EXPECT_EQ(barMenu->GetSkinData()->GetSkinSection(), "BAR");
  EXPECT_EQ(barMenu->GetItems()->GetItems(0)->GetCaption(), "Cleaners");
  EXPECT_EQ(barMenu->GetItems()->GetItems(0)->GetState(), skin::tsOpen);
  // The faces as painted into the caches the screen is copied from.
  auto face = [](skin::TkCommonData* d, int x, int y) { return test_skins::PixelOf(*d->CacheBmp, x, y); };
  for (int i = 0; i < 3; ++i) {
    skin::TkTitleItem* item = barMenu->GetItems()->GetItems(i);
    skin::kFrameBar::TkTitleButton* button = item->GetTitleButton();
    EXPECT_EQ(item->GetSkinSection(), "BARTITLE");
    EXPECT_EQ(button->CurrentState(), i == 0 ? 1 : 0) << i;
    button->PrepareCache();
    EXPECT_EQ(face(button->GetSkinData(), button->GetWidth() - 6, button->GetHeight() / 2),
              i == 0 ? title.Face[control_skin::kHot] : title.Face[control_skin::kNormal])
        << i;
  }
  skin::TkCommonData* d = barMenu->GetSkinData();
  EXPECT_EQ(face(d, 3, barMenu->GetHeight() - 6), bar.Face[control_skin::kNormal]);
  EXPECT_EQ(face(d, 0, barMenu->GetHeight() / 2), bar.Edge[control_skin::kNormal]);
}

// Each navigation frame the bar makes paints its face from the skin's GROUPBOX section, and again
// from the new skin's after a change.
TEST_F(MainWindowTest, NavigationFramesPaintFromTheSkinAndFollowItsChanges) {
  Start();
  auto frames = [] { return std::vector<app::TfrmNavigation*>{frmMain->frmCleaners1, frmMain->frmSystem1, frmMain->frmFile1}; };
  auto groupBoxColour = [] {
    skin::TkSkinManager* m = frmMain->skinManager;
    return m->GetSections()[m->GetSkinIndex("GROUPBOX")].Color;
  };
  // A point of the face below the buttons, as the frame paints it into a bitmap.
  auto facePixel = [](app::TfrmNavigation* frame) {
    fw::TBitmap bitmap;
    bitmap.SetPixelFormat(fw::pf24bit);
    bitmap.SetSize(frame->GetWidth(), frame->GetHeight());
    frame->Perform(WM_PAINT, reinterpret_cast<WPARAM>(bitmap.GetCanvas()->GetHandle()), 0);
    const int below = frame->kSpeedButton3->GetTop() + frame->kSpeedButton3->GetHeight();
    EXPECT_LT(below + 10, frame->GetHeight());
    return test_skins::PixelOf(bitmap, frame->GetWidth() / 2, (below + frame->GetHeight()) / 2);
  };
  auto check = [&](const fw::TColor expected) {
    for (int item = 0; item < 3; ++item) {
      frmMain->barMenu->OpenItem(item, false);
      Pump();
      app::TfrmNavigation* frame = frames()[item];
      EXPECT_EQ(frame->kFrameAdapter1->GetFrame(), frame) << item;
      EXPECT_TRUE(skin::ControlAnswersCmd(frame, skin::cmdIsSkinned)) << item;
      EXPECT_EQ(facePixel(frame), expected) << item;
    }
  };
  const fw::TColor neutral = groupBoxColour();
  check(neutral);
  test_skins::CopyShippedSkin(appDir + "Skins\\", "Slate");
  frmMain->skinManager->SetSkinDirectory(appDir + "Skins");
  frmMain->skinManager->SetSkinName("Slate");
  Pump();
  ASSERT_EQ(frmMain->skinManager->GetSkinName(), "Slate");
  ASSERT_NE(groupBoxColour(), neutral);
  check(groupBoxColour());
}

// Every tool panel, shown, has its title strip at the top and all else (tool bars included)
// below it.
TEST_F(MainWindowTest, EachToolPanelHasItsTitleOnTop) {
  Start();
  for (skin::TkPanel* panel : frmMain->ToolPanels()) {
    frmMain->ShowToolPanel(panel);
    Pump();
    const std::string title = panel->GetName() + "Title";
    auto* strip = dynamic_cast<fw::TControl*>(frmMain->FindComponent(title));
    ASSERT_NE(strip, nullptr) << title;
    EXPECT_EQ(strip->GetTop(), 0) << title;
    for (int i = 0; i < panel->GetControlCount(); ++i) {
      fw::TControl* control = panel->GetControls(i);
      if (control != strip && control->GetVisible()) {
        EXPECT_GE(control->GetTop(), strip->GetTop() + strip->GetHeight()) << control->GetName() << " in " << title;
      }
    }
  }
}

TEST_F(MainWindowTest, AboutAndSettingsShowModallyAndAreFreedOnClose) {
  Start();
  std::vector<std::string> shown;
  fw::Application->ModalHook = [&](fw::TCustomForm& form) {
    shown.push_back(form.ClassName() + " " + form.GetCaption());
    EXPECT_EQ(form.GetColor(), frmMain->skinManager->GetGlobalColor()) << form.GetCaption() << ": the skin's colour, not the system's";
    // Neither box can be resized: no grip in its corner.
    auto* provider = reinterpret_cast<skin::TkSkinProvider*>(
        SendMessageA(form.GetHandle(), skin::SM_SKINCMD, skin::SkinCmdWParam(skin::cmdGetProvider), 0));
    EXPECT_TRUE(provider && !provider->ShowsGrip()) << form.GetCaption();
    if (auto* about = dynamic_cast<app::TfrmAbout1*>(&form)) {
      EXPECT_EQ(about->Bevel1->ClassName(), "TkBevel");
      // Escape closes the About box through its key handler.
      PostMessageA(about->GetHandle(), WM_KEYDOWN, VK_ESCAPE, 1);
    } else {
      form.Close();
    }
  };
  EXPECT_TRUE(frmMain->skinProvider->ShowsGrip());  // the main window is sizeable
  frmMain->btnAboutClick(frmMain);
  frmMain->btnSettingsClick(frmMain);
  Pump();
  EXPECT_EQ(shown, (std::vector<std::string>{"TfrmAbout1 About", "TfrmSettings Settings"}));
  EXPECT_EQ(fw::Screen->GetFormCount(), 1);
}

TEST_F(MainWindowTest, HelpWithoutHelpFileDoesNothing) {
  Start();
  frmMain->btnHelp->Click();
  Pump();
  EXPECT_TRUE(scripted->Texts.empty());
  EXPECT_EQ(fw::Screen->GetFormCount(), 1);
}

TEST_F(MainWindowTest, ExitClosesTheWindowAndFreesTheDriveList) {
  Start();
  ASSERT_NE(app::driveList, nullptr);
  frmMain->btnExit->Click();
  EXPECT_EQ(app::driveList, nullptr);
  Pump();
  EXPECT_TRUE(fw::Application->GetTerminated());
}

namespace {

class BuiltProgramTest : public MainWindowTest {
 protected:
  // Starts the built program from a folder of its own (a copy still held by an earlier run
  // cannot be in the way), closes every message box it shows until its main window is visible,
  // checks the window and closes it. Skips when the program is not built.
  void RunUntilTheWindowShows(const std::function<void(const std::string& dir)>& prepare,
                              const std::function<void(HWND window)>& inspect = {}) {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string built = fw::ExtractFilePath(fw::ExcludeTrailingBackslash(fw::ExtractFilePath(self))) +
                        "VorletDiskCleaner.exe";
    if (!fw::FileExists(built)) GTEST_SKIP() << "the program is not built: " << built;
    static int runs = 0;
    dir = appDir + "run" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++runs) + "\\";
    ASSERT_TRUE(fw::CreateDir(dir));
    std::string exe = dir + "VorletDiskCleaner.exe";
    ASSERT_TRUE(CopyFileA(built.c_str(), exe.c_str(), TRUE));
    prepare(dir);
    STARTUPINFOA start{};
    start.cb = sizeof start;
    PROCESS_INFORMATION process{};
    std::string command = "\"" + exe + "\"";
    ASSERT_TRUE(CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &start,
                               &process));
    // The program never outlives the test, whatever fails.
    struct TEnd {
      PROCESS_INFORMATION& P;
      ~TEnd() {
        if (WaitForSingleObject(P.hProcess, 0) != WAIT_OBJECT_0) TerminateProcess(P.hProcess, 1);
        CloseHandle(P.hThread);
        CloseHandle(P.hProcess);
      }
    } end{process};
    HWND window = nullptr;
    // The window exists before it is shown: wait until it is visible.
    for (int i = 0; i < 300 && !(window && IsWindowVisible(window)); ++i) {
      window = MainWindowOf(process.dwProcessId);
      // Each other visible window of the process (a message box) is closed.
      testing_process::EachWindowOf(process.dwProcessId, [&](HWND other) {
        if (IsWindowVisible(other) && testing_process::ClassOf(other) != "TfrmMain") {
          messageBoxes.insert(other);
          PostMessageA(other, WM_CLOSE, 0, 0);
        }
        return true;
      });
      Sleep(100);
    }
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(IsWindowVisible(window));
    RECT r{};
    GetWindowRect(window, &r);
    EXPECT_EQ(r.right - r.left, 700);
    if (inspect) inspect(window);
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 20000), WAIT_OBJECT_0);
  }
  std::string dir;
  std::set<HWND> messageBoxes;
};

}  // namespace

// The built program in a process of its own shows its main window.
TEST_F(BuiltProgramTest, ShowsItsMainWindow) {
  RunUntilTheWindowShows([](const std::string&) {});
  if (IsSkipped()) return;
  EXPECT_TRUE(messageBoxes.empty());
  EXPECT_TRUE(fw::FileExists(dir + "config\\program.ini"));
}

// With a read-only file where its configuration folder belongs, it says so once and still
// opens its window.
TEST_F(BuiltProgramTest, ShowsItsMainWindowWithoutAConfigurationFolder) {
  std::string config;
  RunUntilTheWindowShows([&](const std::string& folder) {
    config = folder + "config";
    testing_sandbox::WriteFile(config, "not a folder");
    ASSERT_TRUE(SetFileAttributesA(config.c_str(), FILE_ATTRIBUTE_READONLY));
  });
  if (IsSkipped()) return;
  EXPECT_EQ(messageBoxes.size(), 1u);
  EXPECT_EQ(testing_sandbox::ReadFile(config), "not a folder");
  SetFileAttributesA(config.c_str(), FILE_ATTRIBUTE_NORMAL);
}

namespace {

// What the screen shows of the started program's title band, at a point left of the centred
// caption, with its window region checked: the skin's corners are cut out.
fw::TColor SkinnedTitleColour(HWND window) {
  Sleep(1500);  // the first paints
  RECT r{};
  GetWindowRect(window, &r);
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  EXPECT_NE(GetWindowRgn(window, rgn), ERROR);
  EXPECT_FALSE(PtInRegion(rgn, 0, 0));
  EXPECT_TRUE(PtInRegion(rgn, 350, 10));
  DeleteObject(rgn);
  HDC screen = GetDC(nullptr);
  const fw::TColor title = static_cast<fw::TColor>(GetPixel(screen, r.left + 40, r.top + GetSystemMetrics(SM_CYFRAME) + 6));
  ReleaseDC(nullptr, screen);
  EXPECT_NE(title, static_cast<fw::TColor>(GetSysColor(COLOR_ACTIVECAPTION)));
  EXPECT_NE(title, static_cast<fw::TColor>(GetSysColor(COLOR_INACTIVECAPTION)));
  return title;
}

}  // namespace

// Started with the Skins folder beside it, the program draws its own title band and frame in
// the Neutral skin, and in Slate when program.ini names Slate.
TEST_F(BuiltProgramTest, DrawsItsWindowInTheSkinProgramIniNames) {
  fw::TColor neutral = 0, slate = 0;
  RunUntilTheWindowShows([](const std::string& folder) { test_skins::CopyShippedSkin(folder + "Skins\\", "Neutral"); },
                         [&](HWND window) { neutral = SkinnedTitleColour(window); });
  if (IsSkipped()) return;
  RunUntilTheWindowShows(
      [](const std::string& folder) {
        test_skins::CopyShippedSkin(folder + "Skins\\", "Neutral");
        test_skins::CopyShippedSkin(folder + "Skins\\", "Slate");
        fw::CreateDir(folder + "config");
        testing_sandbox::WriteFile(folder + "config\\program.ini", "[Skin]\r\nSkinName=Slate\r\n");
      },
      [&](HWND window) { slate = SkinnedTitleColour(window); });
  EXPECT_NE(neutral, slate);
}

// Hostile copies of Slate chosen in program.ini (a shadow blur of 2^31 - 1, a gradient of 20,000
// stops, a ring of 3,000 parents): each time the program shows its window within a few seconds,
// paints its skinned title band, answers and closes, with at most one message box.
TEST_F(BuiltProgramTest, HostileSkinsNeitherHangNorStopThePaint) {
  using hostile_skins::WithFirstLines;
  const std::vector<std::function<std::string(const std::string&)>> edits = {
      [](const std::string& t) { return WithFirstLines(t, "GLOBALINFO", "SHADOW1BLUR=2147483647\r\n"); },
      [](const std::string& t) {
        return WithFirstLines(t, "FORMTITLE", "GRADIENTDATA=" + hostile_skins::ManyStops(20000) + "\r\n");
      },
      [](const std::string& t) { return hostile_skins::WithParentRing(t, "PANEL", 3000); },
  };
  for (size_t i = 0; i < edits.size(); ++i) {
    SCOPED_TRACE(i);
    messageBoxes.clear();
    std::chrono::steady_clock::time_point started;
    double shown = 0;
    RunUntilTheWindowShows(
        [&](const std::string& folder) {
          const std::string options = test_skins::CopyShippedSkin(folder + "Skins\\", "Slate") + "Options.dat";
          testing_sandbox::WriteFile(options, edits[i](testing_sandbox::ReadFile(options)));
          fw::CreateDir(folder + "config");
          testing_sandbox::WriteFile(folder + "config\\program.ini", "[Skin]\r\nSkinName=Slate\r\n");
          started = std::chrono::steady_clock::now();
        },
        [&](HWND window) {
          shown = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
          SkinnedTitleColour(window);
          DWORD_PTR answer = 0;
          EXPECT_NE(SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer), 0);
        });
    if (IsSkipped()) return;
    EXPECT_LT(shown, 10.0);
    EXPECT_LE(messageBoxes.size(), 1u);
  }
}
