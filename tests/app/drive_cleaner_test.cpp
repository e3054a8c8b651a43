// The Drive cleaner end to end over real sandbox trees: the path list, the search with masks,
// exclusion lists and the removal folder, the running totals, Stop, the removal methods, files
// that cannot be removed, mask lists that leave nothing to search for, and Alt+Space on Delete.
#include <cstdlib>
#include <set>

#include "app/main/cleaners_frame.h"
#include "app/shared/config_files.h"
#include "app/shared/file_procedures.h"
#include "app/shared/shell_file_operation.h"
#include "app/tools/drive_cleaner.h"
#include "framework/rtl/sys_utils.h"
#include "framework/rtl/wide_text.h"
#include "main_window_fixture.h"
#include "skin/engine/skin_manager.h"
#include "skin/controls/message_dialogs.h"
#include "skin/engine/skin_provider.h"
#include "skin/engine/system_menu.h"
#include "support/alt_space_hand.h"
#include "support/control_skin.h"
#include "support/shell_question.h"

using app::frmMain;

namespace {

void MakeFile(const std::string& path, size_t size) {
  fw::ForceDirectories(fw::ExtractFilePath(path));
  testing_sandbox::WriteFile(path, std::string(size, 'x'));
}

std::set<std::string> ResultPaths() {
  std::set<std::string> paths;
  fw::TListItems* rows = frmMain->DriveCleaner().lvDCResult->GetItems();
  for (int i = 0; i < rows->GetCount(); ++i) paths.insert(rows->GetItem(i)->GetCaption());
  return paths;
}

class DriveCleanerTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    tree = folder + "tree\\";
    fw::CreateDir(appDir + "config");
  }
  // Lists the given folders in usrfldr.ini, starts the window and ticks their rows only.
  void StartWithFolders(std::initializer_list<std::string> folders) {
    std::string lines;
    for (const std::string& f : folders) lines += f + "\r\n";
    testing_sandbox::WriteFile(appDir + "config\\usrfldr.ini", lines);
    Start();
    fw::TListItems* rows = frmMain->DriveCleaner().lvDCDrive->GetItems();
    int drives = static_cast<int>(app::driveList->size());
    ASSERT_EQ(rows->GetCount(), drives + static_cast<int>(folders.size()));
    for (int i = drives; i < rows->GetCount(); ++i) rows->GetItem(i)->SetChecked(true);
  }
  void Search() {
    scripted->Texts.clear();
    frmMain->DriveCleaner().btnDCSearch->Click();
  }
  std::string Status(int panel) { return frmMain->kBar->GetPanels()->GetItems(panel)->GetText(); }
  void ExpectIdle() {
    EXPECT_TRUE(frmMain->barMenu->GetEnabled());
    EXPECT_TRUE(frmMain->DriveCleaner().btnDCSearch->GetEnabled());
    EXPECT_TRUE(frmMain->DriveCleaner().btnDCAddPath->GetEnabled());
    EXPECT_TRUE(frmMain->DriveCleaner().lvDCDrive->GetEnabled());
    EXPECT_TRUE(frmMain->DriveCleaner().kBitBtn7->GetEnabled());
    EXPECT_FALSE(frmMain->DriveCleaner().btnDCStop->GetEnabled());
    EXPECT_EQ(frmMain->exceptFiles, nullptr);
    EXPECT_EQ(frmMain->exceptFolders, nullptr);
  }
  std::string tree;
};

TEST_F(DriveCleanerTest, SearchListsJunkButHonoursExclusionsAndRemovalFolder) {
  MakeFile(tree + "a.tmp", 100);
  MakeFile(tree + "B.BAK", 2000);
  MakeFile(tree + "keep.txt", 10);
  MakeFile(tree + "x.bup", 10);  // its mask is disabled by default
  MakeFile(tree + "hidden.tmp", 10);
  SetFileAttributesA((tree + "hidden.tmp").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  MakeFile(tree + "only-hidden.tmp", 10);
  SetFileAttributesA((tree + "only-hidden.tmp").c_str(), FILE_ATTRIBUTE_HIDDEN);
  MakeFile(tree + "skip.tmp", 10);
  MakeFile(tree + "sub\\Skip.TMP", 10);
  MakeFile(tree + "sub\\c.old", 300);
  MakeFile(tree + "TEMP\\d.tmp", 10);
  MakeFile(tree + "TEMPORARY\\e.tmp", 10);
  MakeFile(tree + "bin\\moved.tmp", 10);
  MakeFile(tree + "bin\\deeper\\f.tmp", 40);
  testing_sandbox::WriteFile(appDir + "config\\fileexcl.ini", "skip.tmp\r\n");
  testing_sandbox::WriteFile(appDir + "config\\fldrexcl.ini", "\r\n" + tree + "temp\r\n");
  // The removal folder saved without its trailing backslash, not to be scanned.
  app::SaveRemoveSettings(appDir, 3, tree + "bin", true);
  StartWithFolders({tree});

  Search();
  std::set<std::string> expected{tree + "a.tmp", tree + "B.BAK", tree + "only-hidden.tmp", tree + "sub\\c.old",
                                 tree + "bin\\deeper\\f.tmp"};
  EXPECT_EQ(ResultPaths(), expected);
  EXPECT_EQ(frmMain->DriveCleaner().lblDCFileCount->GetCaption(), "5");
  EXPECT_EQ(frmMain->fileSize, 2450);
  EXPECT_EQ(frmMain->DriveCleaner().lblDCFileSize->GetCaption(), app::FormatFileSize(2450));
  for (int i = 0; i < frmMain->DriveCleaner().lvDCResult->GetItems()->GetCount(); ++i) {
    fw::TListItem* row = frmMain->DriveCleaner().lvDCResult->GetItems()->GetItem(i);
    if (row->GetCaption() != tree + "B.BAK") continue;
    EXPECT_EQ(row->GetSubItems()->GetStrings(0), app::FormatFileSize(2000));
    EXPECT_EQ(row->GetSubItems()->GetStrings(1), "2000");
  }
  EXPECT_EQ(Status(0), "Search done");
  EXPECT_EQ(Status(2), "");
  EXPECT_EQ(scripted->Texts, std::vector<std::string>{"Complete."});
  ExpectIdle();
  EXPECT_TRUE(frmMain->DriveCleaner().btnDCDelete->GetEnabled());

  // With Scan = 1 the removal folder's own files are listed too; a second search starts afresh.
  app::SaveRemoveSettings(appDir, 3, tree + "bin", false);
  Search();
  expected.insert(tree + "bin\\moved.tmp");
  EXPECT_EQ(ResultPaths(), expected);
  EXPECT_EQ(frmMain->DriveCleaner().lblDCFileCount->GetCaption(), "6");
}

TEST_F(DriveCleanerTest, NoTickedPathEndsAtOnce) {
  MakeFile(tree + "a.tmp", 10);
  Start();
  Search();
  EXPECT_TRUE(ResultPaths().empty());
  EXPECT_EQ(Status(0), "Search done");
  EXPECT_EQ(scripted->Texts, std::vector<std::string>{"Complete."});
  EXPECT_FALSE(frmMain->DriveCleaner().btnDCDelete->GetEnabled());
  // The defaults of ext.ini were written for the search.
  EXPECT_TRUE(fw::FileExists(appDir + "config\\ext.ini"));
}

TEST_F(DriveCleanerTest, BlankMaskIsSkippedAndNoEnabledMaskMeansNoSearch) {
  MakeFile(tree + "a.tmp", 10);
  MakeFile(tree + "b.txt", 10);
  testing_sandbox::WriteFile(appDir + "config\\ext.ini", "=Blank=true\r\n  =Spaces=true\r\n*.tmp=Temp= TRUE \r\n");
  StartWithFolders({tree});
  Search();
  EXPECT_EQ(ResultPaths(), std::set<std::string>{tree + "a.tmp"});
  EXPECT_EQ(scripted->Texts, std::vector<std::string>{"Complete."});
  ExpectIdle();

  // Every mask disabled (or blank): nothing is searched and the user is told so.
  testing_sandbox::WriteFile(appDir + "config\\ext.ini", "=Blank=true\r\n*.tmp=Temp=false\r\n*.txt=Text=no\r\n");
  Search();
  EXPECT_TRUE(ResultPaths().empty());
  EXPECT_EQ(Status(0), "No junk file mask is enabled");
  EXPECT_TRUE(scripted->Texts.empty());
  EXPECT_EQ(frmMain->DriveCleaner().lblDCFileCount->GetCaption(), "0");
  ExpectIdle();
}

TEST_F(DriveCleanerTest, MaskFileWithAByteOrderMarkKeepsItsFirstMask) {
  MakeFile(tree + "a.tmp", 10);
  MakeFile(tree + "b.bak", 10);
  testing_sandbox::WriteFile(appDir + "config\\ext.ini", "\xEF\xBB\xBF*.tmp=Temp=true\r\n*.bak=Backup=true\r\n");
  StartWithFolders({tree});
  Search();
  EXPECT_EQ(ResultPaths(), (std::set<std::string>{tree + "a.tmp", tree + "b.bak"}));
}

TEST_F(DriveCleanerTest, StopWorksWhileALongMaskListIsRead) {
  MakeFile(tree + "a.tmp", 10);
  std::string masks;
  for (int i = 0; i < 20000; ++i) masks += "*.x" + std::to_string(i) + "=Mask=true\r\n";
  testing_sandbox::WriteFile(appDir + "config\\ext.ini", masks + "*.tmp=Temp=true\r\n");
  StartWithFolders({tree});
  // The click waits in the queue: the reading of the masks lets it through and ends there.
  PostMessageA(frmMain->DriveCleaner().btnDCStop->GetHandle(), BM_CLICK, 0, 0);
  Search();
  EXPECT_TRUE(frmMain->canceled);
  EXPECT_LT(frmMain->dcSearcher->GetFileParams()->GetFileMasks()->GetCount(), 20000);
  EXPECT_TRUE(ResultPaths().empty());
  EXPECT_EQ(Status(0), "Canceled by user");
  EXPECT_TRUE(scripted->Texts.empty());
  ExpectIdle();

  // The next search reads the whole list again, and makes the list the engine compares with
  // once, not again for every mask it adds.
  int rebuilt = 0;
  frmMain->dcSearcher->GetFileParams()->GetCaseFileMasks()->OnChanging = [&rebuilt](fw::TObject*) { ++rebuilt; };
  Search();
  frmMain->dcSearcher->GetFileParams()->GetCaseFileMasks()->OnChanging = nullptr;
  EXPECT_EQ(rebuilt, 1);
  EXPECT_EQ(frmMain->dcSearcher->GetFileParams()->GetFileMasks()->GetCount(), 20001);
  EXPECT_EQ(frmMain->dcSearcher->GetFileParams()->GetCaseFileMasks()->GetStrings(20000), "*.TMP");
  EXPECT_EQ(ResultPaths(), std::set<std::string>{tree + "a.tmp"});
  EXPECT_EQ(Status(0), "Search done");
}

TEST_F(DriveCleanerTest, StopCancelsTheSearchAndStartsNoFurtherRoot) {
  for (int i = 0; i < 50; ++i) MakeFile(tree + "one\\f" + std::to_string(i) + ".tmp", 1);
  MakeFile(tree + "two\\g.tmp", 1);
  StartWithFolders({tree + "one", tree + "two"});
  // The Stop click waits in the queue until the search lets messages through.
  PostMessageA(frmMain->DriveCleaner().btnDCStop->GetHandle(), BM_CLICK, 0, 0);
  Search();
  EXPECT_TRUE(frmMain->canceled);
  EXPECT_LT(ResultPaths().size(), 50u);
  EXPECT_EQ(ResultPaths().count(tree + "two\\g.tmp"), 0u);
  EXPECT_EQ(Status(0), "Canceled by user");
  EXPECT_EQ(Status(2), "");
  EXPECT_TRUE(scripted->Texts.empty());
  ExpectIdle();
}

TEST_F(DriveCleanerTest, FailedSearchGivesTheControlsBack) {
  // ext.ini cannot be written or read: a folder stands in its place.
  fw::CreateDir(appDir + "config\\ext.ini");
  StartWithFolders({tree});
  EXPECT_THROW(frmMain->DriveCleaner().btnDCSearch->Click(), fw::Exception);
  ExpectIdle();
  EXPECT_FALSE(frmMain->Anim->GetActive());
}

class DriveCleanerDeleteTest : public DriveCleanerTest, public ::testing::WithParamInterface<int> {};

TEST_P(DriveCleanerDeleteTest, DeletesTickedRowsByTheRemovalMethod) {
  int method = GetParam();
  // A name of its own, to be found in the sandbox's trash.
  std::string a = "dc-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount()) + ".tmp";
  MakeFile(tree + a, 100);
  MakeFile(tree + "b.bak", 200);
  MakeFile(tree + "c.old", 300);
  std::string target = folder + "removed";
  app::SaveRemoveSettings(appDir, method, target, false);
  StartWithFolders({tree});
  Search();
  ASSERT_EQ(ResultPaths().size(), 3u);

  // Refused: nothing happens.
  frmMain->DriveCleaner().kBitBtn5->Click();
  scripted->Answers.push_back(fw::mrNo);
  frmMain->DriveCleaner().btnDCDelete->Click();
  EXPECT_EQ(ResultPaths().size(), 3u);
  EXPECT_TRUE(fw::FileExists(tree + a));

  // Untick b.bak: it stays listed and on disk, the others go.
  frmMain->DriveCleaner().kBitBtn7->Click();
  frmMain->DriveCleaner().kBitBtn7->Click();
  for (int i = 0; i < frmMain->DriveCleaner().lvDCResult->GetItems()->GetCount(); ++i) {
    fw::TListItem* row = frmMain->DriveCleaner().lvDCResult->GetItems()->GetItem(i);
    if (row->GetCaption() == tree + "b.bak") row->SetChecked(false);
  }
  scripted->Texts.clear();
  scripted->Answers.push_back(fw::mrYes);
  frmMain->DriveCleaner().btnDCDelete->Click();
  EXPECT_EQ(ResultPaths(), std::set<std::string>{tree + "b.bak"});
  EXPECT_EQ(frmMain->DriveCleaner().lblDCFileCount->GetCaption(), "1");
  EXPECT_EQ(frmMain->fileSize, 200);
  EXPECT_EQ(scripted->Texts, (std::vector<std::string>{"Delete files?", "Complete."}));
  EXPECT_FALSE(fw::FileExists(tree + a));
  EXPECT_FALSE(fw::FileExists(tree + "c.old"));
  EXPECT_TRUE(fw::FileExists(tree + "b.bak"));
  EXPECT_EQ(fw::FileExists(target + "\\" + a), method == 3);
  const char* trash = std::getenv("VORLET_SANDBOX_TRASH");
  ASSERT_NE(trash, nullptr);
  EXPECT_EQ(GetFileAttributesA((std::string(trash) + "\\" + a).c_str()) != INVALID_FILE_ATTRIBUTES, method == 1);

  frmMain->DriveCleaner().kBitBtn5->Click();
  scripted->Texts.clear();
  scripted->Answers.push_back(fw::mrYes);
  frmMain->DriveCleaner().btnDCDelete->Click();
  EXPECT_TRUE(ResultPaths().empty());
  EXPECT_EQ(frmMain->DriveCleaner().lblDCFileCount->GetCaption(), "0");
  EXPECT_EQ(frmMain->DriveCleaner().lblDCFileSize->GetCaption(), app::FormatFileSize(0));
  EXPECT_EQ(scripted->Texts.back(), "Complete.");
}

INSTANTIATE_TEST_SUITE_P(Methods, DriveCleanerDeleteTest, ::testing::Values(1, 2, 3));

// The closing message speaks of the ticked files alone: rows left unticked are no failure, and
// with nothing ticked there is nothing to ask about and nothing to report.
TEST_F(DriveCleanerTest, DeleteReportsOnlyTickedFilesThatStay) {
  const std::vector<std::string> names{"1.tmp", "2.tmp", "3.tmp", "4.tmp", "5.tmp"};
  for (const std::string& name : names) MakeFile(tree + name, 10);
  app::SaveRemoveSettings(appDir, 2, "", false);
  StartWithFolders({tree});
  Search();
  ASSERT_EQ(ResultPaths().size(), 5u);
  fw::TListItems* rows = frmMain->DriveCleaner().lvDCResult->GetItems();
  auto tick = [&](std::set<std::string> ticked) {
    for (int i = 0; i < rows->GetCount(); ++i)
      rows->GetItem(i)->SetChecked(ticked.count(fw::ExtractFileName(rows->GetItem(i)->GetCaption())) > 0);
  };
  auto remaining = [&] {
    std::set<std::string> left;
    for (const std::string& path : ResultPaths()) left.insert(fw::ExtractFileName(path));
    return left;
  };
  auto onDisk = [&] {
    std::set<std::string> there;
    for (const std::string& name : names)
      if (fw::FileExists(tree + name)) there.insert(name);
    return there;
  };

  // Nothing ticked: no question, nothing removed, nothing reported.
  tick({});
  scripted->Texts.clear();
  scripted->Answers.push_back(fw::mrYes);
  frmMain->DriveCleaner().btnDCDelete->Click();
  EXPECT_TRUE(scripted->Texts.empty()) << scripted->Texts.front();
  EXPECT_EQ(remaining().size(), 5u);
  EXPECT_EQ(onDisk().size(), 5u);
  scripted->Answers.clear();

  // Two of five ticked and both removed: complete, the three others stay listed and on disk.
  tick({"2.tmp", "4.tmp"});
  scripted->Answers.push_back(fw::mrYes);
  frmMain->DriveCleaner().btnDCDelete->Click();
  EXPECT_EQ(scripted->Texts, (std::vector<std::string>{"Delete files?", "Complete."}));
  std::set<std::string> three{"1.tmp", "3.tmp", "5.tmp"};
  EXPECT_EQ(remaining(), three);
  EXPECT_EQ(onDisk(), three);
  EXPECT_EQ(frmMain->DriveCleaner().lblDCFileCount->GetCaption(), "3");

  // A ticked file the shell fails to remove stays, and that is reported.
  std::string refused = tree + "3.tmp";
  app::testing::SetShellOperationCall([refused](SHFILEOPSTRUCTW& op) {
    if (fw::SameText(fw::WideToUtf8(op.pFrom), refused)) return static_cast<int>(ERROR_ACCESS_DENIED);
    return SHFileOperationW(&op);
  });
  tick({"3.tmp", "5.tmp"});
  scripted->Texts.clear();
  scripted->Answers.push_back(fw::mrYes);
  frmMain->DriveCleaner().btnDCDelete->Click();
  EXPECT_EQ(scripted->Texts, (std::vector<std::string>{"Delete files?", "Complete. Some files can not be deleted."}));
  EXPECT_EQ(remaining(), (std::set<std::string>{"1.tmp", "3.tmp"}));
  EXPECT_EQ(onDisk(), (std::set<std::string>{"1.tmp", "3.tmp"}));
}

TEST_F(DriveCleanerTest, FileHeldOpenStaysListed) {
  MakeFile(tree + "held.tmp", 10);
  MakeFile(tree + "free.tmp", 10);
  app::SaveRemoveSettings(appDir, 2, "", false);
  StartWithFolders({tree});
  Search();
  frmMain->DriveCleaner().kBitBtn5->Click();
  HANDLE held = CreateFileA((tree + "held.tmp").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  scripted->Texts.clear();
  scripted->Answers.push_back(fw::mrYes);
  frmMain->DriveCleaner().btnDCDelete->Click();
  CloseHandle(held);
  EXPECT_EQ(ResultPaths(), std::set<std::string>{tree + "held.tmp"});
  EXPECT_EQ(scripted->Texts.back(), "Complete. Some files can not be deleted.");
  EXPECT_TRUE(fw::FileExists(tree + "held.tmp"));
  EXPECT_FALSE(fw::FileExists(tree + "free.tmp"));
}

// A file another process holds open cannot go to the recycle bin, and the shell asks whether to
// delete it outright instead: the main window is the question's owner and is disabled while it
// is up, so no other Delete can start meanwhile. Answered No, the file stays, listed and on disk.
TEST_F(DriveCleanerTest, TheShellsQuestionDisablesTheMainWindow) {
  std::string name = "held-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount()) + ".tmp";
  MakeFile(tree + name, 10);
  MakeFile(tree + "free.tmp", 10);
  app::SaveRemoveSettings(appDir, 1, "", false);
  StartWithFolders({tree});
  Search();
  ASSERT_EQ(ResultPaths().size(), 2u);
  frmMain->DriveCleaner().kBitBtn5->Click();
  scripted->Texts.clear();
  testing_support::ExpectQuestionOwnedBy(frmMain->GetHandle(), tree + name, [&] {
    scripted->Answers.push_back(fw::mrYes);
    frmMain->DriveCleaner().btnDCDelete->Click();
  });
  EXPECT_EQ(scripted->Texts, (std::vector<std::string>{"Delete files?", "Complete. Some files can not be deleted."}));
  EXPECT_EQ(ResultPaths(), std::set<std::string>{tree + name});
  EXPECT_TRUE(fw::FileExists(tree + name)) << "answered No, the file stays";
  const char* trash = std::getenv("VORLET_SANDBOX_TRASH");
  ASSERT_NE(trash, nullptr);
  EXPECT_EQ(GetFileAttributesA((std::string(trash) + "\\" + name).c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_FALSE(fw::FileExists(tree + "free.tmp"));
}

// Alt+Space is the window menu's key: on the focused Delete over ticked files it asks nothing,
// and on the question Delete asks it answers nothing; the files stay. The keys come through the
// input queue.
TEST_F(DriveCleanerTest, AltSpaceDeletesNothing) {
  MakeFile(tree + "a.tmp", 10);
  MakeFile(tree + "b.tmp", 10);
  app::SaveRemoveSettings(appDir, 2, "", false);
  StartWithFolders({tree});
  Search();
  app::TDriveCleaner& cleaner = frmMain->DriveCleaner();
  cleaner.kBitBtn5->Click();
  const std::set<std::string> listed{tree + "a.tmp", tree + "b.tmp"};
  ASSERT_EQ(ResultPaths(), listed);
  fw::testing::SetDialogService(std::make_unique<skin::TkDialogService>());
  SetForegroundWindow(frmMain->GetHandle());
  cleaner.btnDCDelete->SetFocus();
  Pump();
  ASSERT_EQ(GetFocus(), cleaner.btnDCDelete->GetHandle());
  const HMENU windowMenu = frmMain->skinProvider->GetSystemMenu()->GetHandle();
  const auto order = {testing_keys::TAltRelease::AfterSpace, testing_keys::TAltRelease::BeforeSpace};

  // On Delete: the main window's menu, and no question.
  std::string asked;
  fw::Application->ModalHook = [&](fw::TCustomForm& form) {
    asked = form.GetCaption();
    form.Close();
  };
  for (auto release : order) {
    testing_keys::TAltSpaceHand hand(release);
    ASSERT_TRUE(hand.PumpUntilDone());
    EXPECT_EQ(hand.Menu(), windowMenu);
    EXPECT_EQ(asked, "");
    EXPECT_FALSE(cleaner.btnDCDelete->GetDown()) << "Delete was left pressed";
  }
  fw::Application->ModalHook = nullptr;

  // On the question, Yes focused: its own window menu, no answer.
  bool shown = false;
  const bool answered = WithModal<skin::TkMessageForm>(
      [&] { cleaner.btnDCDelete->Click(); },
      [&](skin::TkMessageForm& question) {
        skin::TkBitBtn* yes = nullptr;
        for (int i = 0; i < question.GetComponentCount(); ++i)
          if (auto* button = dynamic_cast<skin::TkBitBtn*>(question.GetComponents(i));
              button && button->GetModalResult() == fw::mrYes)
            yes = button;
        ASSERT_NE(yes, nullptr);
        SetForegroundWindow(question.GetHandle());
        yes->SetFocus();
        Pump();
        ASSERT_EQ(GetFocus(), yes->GetHandle());
        for (auto release : order) {
          testing_keys::TAltSpaceHand hand(release);
          ASSERT_TRUE(hand.PumpUntilDone());
          EXPECT_EQ(hand.Menu(), question.GetSkinProvider()->GetSystemMenu()->GetHandle());
          EXPECT_EQ(question.GetModalResult(), fw::mrNone);
          EXPECT_FALSE(yes->GetDown()) << "Yes was left pressed";
        }
      },
      shown);
  ASSERT_TRUE(shown);
  EXPECT_FALSE(answered);
  EXPECT_EQ(ResultPaths(), listed);
  for (const std::string& file : listed) EXPECT_TRUE(fw::FileExists(file)) << file;
}

// The user leaves the Drive cleaner with Delete focused over ticked files and clicks the Other
// clean tile: Space, then Space again, reach only the tool on screen. Nothing is asked, and the
// files stay where they are, byte for byte, out of the recycle bin.
TEST_F(DriveCleanerTest, SpacesAfterSwitchingToOtherCleanDeleteNothing) {
  const std::string a = tree + "a-" + std::to_string(GetTickCount()) + ".tmp";
  const std::string b = tree + "b-" + std::to_string(GetTickCount()) + ".tmp";
  fw::ForceDirectories(tree);
  testing_sandbox::WriteFile(a, "first file");
  testing_sandbox::WriteFile(b, "second file");
  app::SaveRemoveSettings(appDir, 1, "", false);
  StartWithFolders({tree});
  Search();
  app::TDriveCleaner& cleaner = frmMain->DriveCleaner();
  cleaner.kBitBtn5->Click();
  ASSERT_EQ(ResultPaths(), (std::set<std::string>{a, b}));
  ASSERT_NO_FATAL_FAILURE(
      LeaveByTile(cleaner.btnDCDelete, frmMain->frmCleaners1->kSpeedButton2, frmMain->pnlDC, frmMain->pnlOC));
  EXPECT_EQ(SpacesAsked(2), std::vector<std::string>{});
  EXPECT_EQ(testing_sandbox::ReadFile(a), "first file");
  EXPECT_EQ(testing_sandbox::ReadFile(b), "second file");
  const char* trash = std::getenv("VORLET_SANDBOX_TRASH");
  ASSERT_NE(trash, nullptr);
  for (const std::string& file : {a, b})
    EXPECT_EQ(GetFileAttributesA((std::string(trash) + "\\" + fw::ExtractFileName(file)).c_str()),
              INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(ResultPaths(), (std::set<std::string>{a, b}));
}

TEST_F(DriveCleanerTest, AddAndRemovePaths) {
  fw::CreateDir(folder + "one");
  fw::CreateDir(folder + "two");
  Start();
  int drives = static_cast<int>(app::driveList->size());
  scriptedFiles->Folders = {folder + "one\\", folder + "two"};
  frmMain->DriveCleaner().btnDCAddPath->Click();
  frmMain->DriveCleaner().btnDCAddPath->Click();
  fw::TListItems* rows = frmMain->DriveCleaner().lvDCDrive->GetItems();
  ASSERT_EQ(rows->GetCount(), drives + 2);
  EXPECT_EQ(rows->GetItem(drives)->GetCaption(), folder + "one");
  EXPECT_EQ(rows->GetItem(drives)->GetSubItems()->GetStrings(5), "-1");
  EXPECT_EQ(testing_sandbox::ReadFile(appDir + "config\\usrfldr.ini"), folder + "one\r\n" + folder + "two\r\n");

  // A cancelled dialog adds nothing.
  frmMain->DriveCleaner().btnDCAddPath->Click();
  EXPECT_EQ(rows->GetCount(), drives + 2);

  // A drive row cannot be removed; a user folder row can.
  if (drives > 0) {
    frmMain->DriveCleaner().lvDCDrive->SetSelected(rows->GetItem(0));
    frmMain->DriveCleaner().btnDCRemovePath->Click();
    EXPECT_EQ(rows->GetCount(), drives + 2);
  }
  frmMain->DriveCleaner().lvDCDrive->SetSelected(rows->GetItem(drives));
  frmMain->DriveCleaner().btnDCRemovePath->Click();
  ASSERT_EQ(rows->GetCount(), drives + 1);
  EXPECT_EQ(testing_sandbox::ReadFile(appDir + "config\\usrfldr.ini"), folder + "two\r\n");
}

TEST_F(DriveCleanerTest, SelectionButtons) {
  MakeFile(tree + "a.tmp", 1);
  MakeFile(tree + "b.tmp", 1);
  StartWithFolders({tree});
  Search();
  EXPECT_EQ(frmMain->DriveCleaner().kBitBtn5->GetCaption(), "Select all");
  EXPECT_EQ(frmMain->DriveCleaner().kBitBtn6->GetCaption(), "Unselect all");
  EXPECT_EQ(frmMain->DriveCleaner().kBitBtn7->GetCaption(), "Invert selection");
  fw::TListItems* rows = frmMain->DriveCleaner().lvDCResult->GetItems();
  ASSERT_EQ(rows->GetCount(), 2);
  rows->GetItem(0)->SetChecked(true);
  frmMain->DriveCleaner().kBitBtn7->Click();
  EXPECT_FALSE(rows->GetItem(0)->GetChecked());
  EXPECT_TRUE(rows->GetItem(1)->GetChecked());
  frmMain->DriveCleaner().kBitBtn5->Click();
  EXPECT_TRUE(rows->GetItem(0)->GetChecked() && rows->GetItem(1)->GetChecked());
  frmMain->DriveCleaner().kBitBtn6->Click();
  EXPECT_FALSE(rows->GetItem(0)->GetChecked() || rows->GetItem(1)->GetChecked());
}

// Under the control test skin both lists are skinned with "EDIT": their rows over its face, their
// frame from the cache, their header hooked, with their check boxes and small images as before.
TEST_F(DriveCleanerTest, ListsAreSkinnedWithTheEditSection) {
  StartWithFolders({tree});
  skin::TkSkinManager* manager = frmMain->skinManager;
  control_skin::AddControlSkin(*manager->GetInternalSkins(), control_skin::kFirstName, control_skin::kFirst);
  manager->SetSkinName(control_skin::kFirstName);
  frmMain->frmCleaners1->kSpeedButton1->Click();
  Pump();
  const control_skin::TSectionColours& edit = control_skin::kFirst.Edit;
  for (skin::TkListView* list : {frmMain->DriveCleaner().lvDCDrive, frmMain->DriveCleaner().lvDCResult}) {
    SCOPED_TRACE(list->GetName());
    EXPECT_EQ(list->GetSkinData()->GetSkinSection(), "EDIT");
    EXPECT_TRUE(list->GetSkinData()->SkinIsActive());
    EXPECT_EQ(list->GetColor(), edit.Face[control_skin::kNormal]);
    EXPECT_EQ(SendMessageA(list->GetHandle(), LVM_GETBKCOLOR, 0, 0), edit.Face[control_skin::kNormal]);
    // The cache the frame strips come from: the section's edge band around its face.
    const fw::TBitmap* cache = list->GetSkinData()->CacheBmp.get();
    ASSERT_EQ(cache->GetWidth(), list->GetWidth());
    EXPECT_EQ(test_skins::PixelOf(*cache, 1, list->GetHeight() / 2), edit.Edge[control_skin::kNormal]);
    EXPECT_EQ(test_skins::PixelOf(*cache, list->GetWidth() / 2, list->GetHeight() / 2), edit.Face[control_skin::kNormal]);
    EXPECT_NE(list->GetHeaderHandle(), nullptr);
    EXPECT_TRUE(list->GetCheckboxes());
  }
  EXPECT_EQ(frmMain->DriveCleaner().lvDCDrive->GetSmallImages(), frmMain->il16);
}

}  // namespace
