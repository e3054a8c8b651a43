// The Drive cleaner end to end over files the ANSI calls cannot reach (names outside the code
// page, full paths beyond MAX_PATH, both), and over a symbolic link to a file outside the
// searched folder: found, shown and removed by each removal method; what a link leads to never
// moves or changes.
#include <cstdlib>
#include <set>

#include "app/shared/config_files.h"
#include "app/tools/drive_cleaner.h"
#include "framework/rtl/wide_path.h"
#include "main_window_fixture.h"
#include "support/hard_paths.h"
#include "support/host_links.h"

using app::frmMain;
namespace sb = testing_sandbox;

namespace {

std::set<std::string> ResultPaths() {
  std::set<std::string> paths;
  fw::TListItems* rows = frmMain->DriveCleaner().lvDCResult->GetItems();
  for (int i = 0; i < rows->GetCount(); ++i) paths.insert(rows->GetItem(i)->GetCaption());
  return paths;
}

// The text the list view itself shows in a row's first column.
std::wstring ShownText(int row) {
  return testing_gui::ListViewCellText(frmMain->DriveCleaner().lvDCResult->GetHandle(), row, 0);
}

bool InTrash(const std::string& name) {
  const char* trash = std::getenv("VORLET_SANDBOX_TRASH");
  return trash && sb::Exists(std::string(trash) + "\\" + name);
}

std::string UniqueName(const char* stem) {
  return std::string(stem) + "-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount()) +
         ".tmp";
}

class DriveCleanerPathsTest : public MainWindowTest, public ::testing::WithParamInterface<int> {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    tree = folder + "tree\\";
    fw::CreateDir(tree);
    fw::CreateDir(appDir + "config");
    target = folder + "removed";
    app::SaveRemoveSettings(appDir, GetParam(), target, false);
  }
  void StartAndSearch() {
    sb::WriteFile(appDir + "config\\usrfldr.ini", tree + "\r\n");
    Start();
    fw::TListItems* drives = frmMain->DriveCleaner().lvDCDrive->GetItems();
    drives->GetItem(drives->GetCount() - 1)->SetChecked(true);
    scripted->Texts.clear();
    frmMain->DriveCleaner().btnDCSearch->Click();
  }
  void DeleteAll() {
    frmMain->DriveCleaner().kBitBtn5->Click();
    scripted->Texts.clear();
    scripted->Answers.push_back(fw::mrYes);
    frmMain->DriveCleaner().btnDCDelete->Click();
  }
  std::string tree, target;
};

}  // namespace

TEST_P(DriveCleanerPathsTest, ForeignNamesAndLongPathsAreFoundShownAndRemoved) {
  const int method = GetParam();
  std::vector<sb::THardPath> cases = sb::HardPaths(tree, UniqueName("z"));
  std::set<std::string> expected;
  for (const sb::THardPath& c : cases) {
    sb::WriteFile(c.Path(), "junk of " + c.Label);
    expected.insert(c.Path());
  }
  StartAndSearch();
  EXPECT_EQ(ResultPaths(), expected);
  EXPECT_EQ(frmMain->DriveCleaner().lblDCFileCount->GetCaption(), "3");
  for (int row = 0; row < frmMain->DriveCleaner().lvDCResult->GetItems()->GetCount(); ++row)
    EXPECT_EQ(fw::WideToUtf8(ShownText(row)), frmMain->DriveCleaner().lvDCResult->GetItems()->GetItem(row)->GetCaption());

  DeleteAll();
  EXPECT_TRUE(ResultPaths().empty());
  EXPECT_EQ(scripted->Texts.back(), "Complete.");
  for (const sb::THardPath& c : cases) {
    SCOPED_TRACE(c.Label);
    EXPECT_FALSE(sb::Exists(c.Path()));
    EXPECT_EQ(InTrash(c.Name), method == 1);
  }
  // The move method keeps every file, under a free name when the names collide.
  if (method == 3) {
    fw::TSearchRec rec;
    int moved = 0;
    for (int r = fw::FindFirst(target + "\\*.tmp", 0, rec); r == 0; r = fw::FindNext(rec)) ++moved;
    fw::FindClose(rec);
    EXPECT_EQ(moved, 3);
  }
}

// Data-loss regression: a symbolic link ptr.tmp in the searched folder, leading to a file outside
// it, was listed, and Delete sent the file it leads to to the recycle bin. (The link's name is
// made unique: the sandbox's trash outlives the test.)
TEST_P(DriveCleanerPathsTest, ALinkIsRemovedByItselfOrStaysAndWhatItLeadsToIsKept) {
  const std::string outside = folder + "outside\\";
  fw::CreateDir(outside);
  const std::string kept = outside + UniqueName("kept");
  sb::WriteFile(kept, "the user's own bytes");
  const std::string link = tree + UniqueName("ptr");
  if (!sb::MakeLink(link, kept, false)) GTEST_SKIP() << "no links here";
  sb::TLinkGuard unlink(link);
  sb::WriteFile(tree + "plain.tmp", "junk");

  StartAndSearch();
  EXPECT_EQ(ResultPaths(), (std::set<std::string>{link, tree + "plain.tmp"}));
  DeleteAll();
  EXPECT_FALSE(sb::Exists(tree + "plain.tmp"));
  EXPECT_EQ(sb::ReadFile(kept), "the user's own bytes");
  EXPECT_FALSE(InTrash(fw::ExtractFileName(kept)));
  EXPECT_FALSE(InTrash(fw::ExtractFileName(link)));
  EXPECT_FALSE(sb::Exists(target + "\\" + fw::ExtractFileName(kept)));
  // Either the link went by itself, or it stays listed as a file that could not be removed.
  if (sb::Exists(link)) {
    EXPECT_EQ(ResultPaths(), std::set<std::string>{link});
    EXPECT_EQ(scripted->Texts.back(), "Complete. Some files can not be deleted.");
  } else {
    EXPECT_TRUE(ResultPaths().empty());
  }
}

INSTANTIATE_TEST_SUITE_P(Methods, DriveCleanerPathsTest, ::testing::Values(1, 2, 3));
