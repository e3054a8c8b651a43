// The Duplicate finder end to end over real sandbox trees: the four steps, the options and size
// range, overlapping search paths, Windows-folder protection, the groups of dfext.ini and their
// dialog, Stop, and Copy / Move / Delete with collisions and failures.
#include <algorithm>
#include <map>
#include <memory>
#include <set>

#include "app/dialogs/file_group_form.h"
#include "app/shared/config_files.h"
#include "app/shared/file_procedures.h"
#include "app/tools/duplicate_finder.h"
#include "framework/rtl/ini_file.h"
#include "framework/rtl/sys_utils.h"
#include "main_window_fixture.h"
#include "services/hashing/md5.h"
#include "services/system/system_folders.h"

using app::frmMain;

namespace {

void MakeFile(const std::string& path, const std::string& content) {
  fw::ForceDirectories(fw::ExtractFilePath(path));
  testing_sandbox::WriteFile(path, content);
}

std::string Md5Hex(const std::string& text) {
  svc::TMD5Digest digest;
  svc::MD5OfString(digest, text);
  return svc::BytesToHex(digest.data(), 16);
}

class DuplicateFinderTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    tree = folder + "tree\\";
    fw::CreateDir(tree);
    fw::CreateDir(appDir + "config");
    testing_sandbox::WriteFile(appDir + "config\\dfext.ini",
                               "[All]\r\n1=*.*\r\n[Text]\r\n1=*.txt\r\n2=*.log\r\n[Images]\r\n1=*.bmp\r\n2=*.gif\r\n");
    Start();
    tool = frmMain->duplicateFinder.get();
    tool->Show();
  }
  void TearDown() override {
    tool = nullptr;
    fw::Application->ModalHook = nullptr;
    MainWindowTest::TearDown();
  }
  void AddPath(const std::string& path, bool ticked = true) {
    int index = tool->lvDFPath->GetItems()->Add(path);
    tool->lvDFPath->SetChecked(index, ticked);
  }
  void TickGroup(int index) { tool->clbDFGroup->SetChecked(index, true); }
  void Search() {
    scripted->Texts.clear();
    tool->btnDFSearch->Click();
  }
  // Full path -> digest of every result row.
  std::map<std::string, std::string> Results() {
    std::map<std::string, std::string> rows;
    fw::TListItems* items = tool->lvDFRes->GetItems();
    for (int i = 0; i < items->GetCount(); ++i) {
      fw::TListItem* row = items->GetItem(i);
      rows[fw::IncludeTrailingBackslash(row->GetSubItems()->GetStrings(1)) + row->GetCaption()] =
          row->GetSubItems()->GetStrings(3);
    }
    return rows;
  }
  std::set<std::string> ResultPaths() {
    std::set<std::string> paths;
    for (const auto& [path, digest] : Results()) paths.insert(path);
    return paths;
  }
  std::string Status(int panel) { return frmMain->kBar->GetPanels()->GetItems(panel)->GetText(); }
  void TickAllRows() {
    for (int i = 0; i < tool->lvDFRes->GetItems()->GetCount(); ++i) tool->lvDFRes->GetItems()->GetItem(i)->SetChecked(true);
  }
  std::string tree;
  app::TDuplicateFinder* tool = nullptr;
};

TEST_F(DuplicateFinderTest, FindsTheCopiesAndNothingElse) {
  std::string copy(100, 'c'), other(100, 'o');
  MakeFile(tree + "a.txt", copy);
  MakeFile(tree + "sub\\b.txt", copy);
  MakeFile(tree + "sub\\deep\\C.TXT", copy);
  MakeFile(tree + "same-size.txt", other);  // equal size, other content
  MakeFile(tree + "unique.txt", "unique");
  MakeFile(tree + "empty1.txt", "");
  MakeFile(tree + "empty2.txt", "");
  MakeFile(tree + "copy.bmp", copy);  // not in the ticked group
  AddPath(tree);
  TickGroup(1);  // Text
  EXPECT_FALSE(tool->btnDFCopy->GetEnabled());
  Search();

  std::string digest = Md5Hex(copy);
  std::map<std::string, std::string> expected{
      {tree + "a.txt", digest}, {tree + "sub\\b.txt", digest}, {tree + "sub\\deep\\C.TXT", digest}};
  EXPECT_EQ(Results(), expected);
  fw::TListItem* row = tool->lvDFRes->GetItems()->GetItem(0);
  EXPECT_EQ(row->GetCaption(), "a.txt");
  EXPECT_EQ(row->GetSubItems()->GetStrings(0), ".txt");
  EXPECT_EQ(row->GetSubItems()->GetStrings(1), fw::ExcludeTrailingBackslash(tree));
  EXPECT_EQ(row->GetSubItems()->GetStrings(2), app::FormatFileSize(100));
  EXPECT_EQ(row->GetSubItems()->GetStrings(4), "100");
  EXPECT_FALSE(row->GetChecked());
  EXPECT_EQ(tool->dupFileCount, 5);
  EXPECT_EQ(Status(0), "Search done");
  EXPECT_EQ(Status(2), "    3 duplicate found");
  EXPECT_EQ(scripted->Texts, std::vector<std::string>{"Complete."});
  EXPECT_EQ(frmMain->dupList, nullptr);
  EXPECT_TRUE(tool->btnDFSearch->GetEnabled());
  EXPECT_FALSE(tool->btnDFStop->GetEnabled());
  EXPECT_TRUE(tool->btnDFCopy->GetEnabled() && tool->btnDFMove->GetEnabled() && tool->btnDFDelete->GetEnabled());
  EXPECT_TRUE(tool->kPageControl1->GetEnabled() && frmMain->barMenu->GetEnabled());

  // Zero-size files join only when asked for; all of them share the digest of empty input.
  tool->kCheckBox4->SetChecked(true);
  Search();
  EXPECT_EQ(Results().size(), 5u);
  EXPECT_EQ(Results()[tree + "empty1.txt"], "D41D8CD98F00B204E9800998ECF8427E");
  EXPECT_EQ(Results()[tree + "empty2.txt"], "D41D8CD98F00B204E9800998ECF8427E");

  // Without subfolders only one copy is left, which has no partner.
  tool->kCheckBox2->SetChecked(false);
  tool->kCheckBox4->SetChecked(false);
  Search();
  EXPECT_TRUE(Results().empty());
  EXPECT_EQ(Status(2), "    0 duplicate found");
}

TEST_F(DuplicateFinderTest, MissingPathOrGroupOnlyTellsTheUser) {
  MakeFile(tree + "a.txt", "same");
  MakeFile(tree + "b.txt", "same");
  Search();
  EXPECT_EQ(scripted->Texts, std::vector<std::string>{"Please enter a path and select file group"});
  AddPath(tree);
  Search();
  EXPECT_EQ(scripted->Texts, std::vector<std::string>{"Please enter a path and select file group"});
  EXPECT_FALSE(tool->btnDFCopy->GetEnabled());

  // Unticked paths: no search, but a finished one.
  tool->lvDFPath->SetChecked(0, false);
  TickGroup(0);
  Search();
  EXPECT_TRUE(Results().empty());
  EXPECT_EQ(Status(0), "Search done");
  EXPECT_EQ(Status(2), "    0 duplicate found");
  EXPECT_EQ(scripted->Texts, std::vector<std::string>{"Complete."});
}

TEST_F(DuplicateFinderTest, HiddenFilesFollowTheIncludeBox) {
  MakeFile(tree + "h1.txt", "hidden twin");
  MakeFile(tree + "h2.txt", "hidden twin");
  SetFileAttributesA((tree + "h1.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
  SetFileAttributesA((tree + "h2.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
  MakeFile(tree + "secret\\p1.txt", "plain twin");
  MakeFile(tree + "secret\\p2.txt", "plain twin");
  SetFileAttributesA((tree + "secret").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY);
  AddPath(tree);
  TickGroup(0);

  Search();  // unticked: hidden files stay out, plain files in a hidden folder are found
  EXPECT_EQ(ResultPaths(), (std::set<std::string>{tree + "secret\\p1.txt", tree + "secret\\p2.txt"}));
  tool->kCheckBox3->SetChecked(true);
  Search();
  EXPECT_EQ(ResultPaths(), (std::set<std::string>{tree + "h1.txt", tree + "h2.txt", tree + "secret\\p1.txt",
                                                  tree + "secret\\p2.txt"}));
}

TEST_F(DuplicateFinderTest, OverlappingPathsCollectEachFileOnce) {
  MakeFile(tree + "sub\\only.txt", "only one of me");
  MakeFile(tree + "sub\\twin1.txt", "twins");
  MakeFile(tree + "twin2.txt", "twins");
  AddPath(tree);
  AddPath(tree + "sub");
  AddPath(fw::UpperCase(tree) + "SUB\\");
  TickGroup(0);
  Search();
  EXPECT_EQ(ResultPaths(), (std::set<std::string>{tree + "sub\\twin1.txt", tree + "twin2.txt"}));
  EXPECT_EQ(tool->dupFileCount, 3);
}

TEST_F(DuplicateFinderTest, SizeLimitsAreInclusiveAndNegativeSwitchesOff) {
  for (int size : {1023, 1024, 2048, 2049})
    for (const char* name : {"x", "y"}) MakeFile(tree + name + std::to_string(size) + ".txt", std::string(size, 's'));
  AddPath(tree);
  TickGroup(0);
  tool->fSizeMinEdit->SetValue(1);
  tool->fSizeMaxEdit->SetValue(2);
  Search();  // unit Kb
  EXPECT_EQ(ResultPaths(), (std::set<std::string>{tree + "x1024.txt", tree + "y1024.txt", tree + "x2048.txt",
                                                  tree + "y2048.txt"}));
  tool->fSizeMinEdit->SetValue(-5);
  tool->fSizeMaxCB->SetItemIndex(0);
  tool->fSizeMaxEdit->SetValue(2048);
  Search();
  EXPECT_EQ(ResultPaths().size(), 6u);
  EXPECT_EQ(ResultPaths().count(tree + "x1023.txt"), 1u);
  tool->fSizeMaxEdit->SetText("");
  Search();
  EXPECT_EQ(ResultPaths().size(), 8u);
  // Limits are computed in 64 bits.
  tool->fSizeMinCB->SetItemIndex(2);
  tool->fSizeMinEdit->SetValue(3000);
  Search();
  EXPECT_EQ(frmMain->dfSearcher->GetFileParams()->GetMinSize(), 3145728000LL);
  EXPECT_TRUE(ResultPaths().empty());
}

TEST_F(DuplicateFinderTest, ProtectedWindowsFolderIgnoresLetterCase) {
  std::string windows = tree + "WinDir";
  MakeFile(windows + "\\sys1.txt", "system twin");
  MakeFile(windows + "\\sys2.txt", "system twin");
  MakeFile(tree + "user.txt", "system twin");
  app::testing::SetProtectedWindowsFolder(fw::UpperCase(windows));
  AddPath(fw::LowerCase(tree));
  TickGroup(0);
  Search();
  EXPECT_TRUE(Results().empty());
  EXPECT_EQ(tool->dupFileCount, 1);
  tool->kCheckBox1->SetChecked(false);
  Search();
  EXPECT_EQ(Results().size(), 3u);

  // The real Windows folder, as Wine reports it (lower case), still guards upper-case names.
  std::string real = svc::ReadWindowsFolder();
  ASSERT_FALSE(real.empty());
  EXPECT_TRUE(app::ContainsFolder(fw::UpperCase(real) + "\\SYSTEM32\\KERNEL32.DLL", real));
  EXPECT_FALSE(app::ContainsFolder(tree + "a.txt", real));
  EXPECT_FALSE(app::ContainsFolder(tree + "a.txt", ""));
}

TEST_F(DuplicateFinderTest, GroupsComeFromDfextIniAndPickTheMasks) {
  fw::TStrings* groups = tool->clbDFGroup->GetItems();
  ASSERT_EQ(groups->GetCount(), 3);
  EXPECT_EQ(groups->GetStrings(1), "Text   (*.txt,*.log)");
  EXPECT_EQ(groups->GetStrings(2), "Images   (*.bmp,*.gif)");
  EXPECT_FALSE(tool->clbDFGroup->GetChecked(2));
  MakeFile(tree + "a.gif", "pic");
  MakeFile(tree + "b.gif", "pic");
  MakeFile(tree + "a.txt", "pic");
  AddPath(tree);
  TickGroup(2);
  Search();
  EXPECT_EQ(ResultPaths(), (std::set<std::string>{tree + "a.gif", tree + "b.gif"}));

  // A missing dfext.ini is written with its defaults.
  DeleteFileA((appDir + "config\\dfext.ini").c_str());
  tool->FillGroup();
  EXPECT_TRUE(fw::FileExists(appDir + "config\\dfext.ini"));
  EXPECT_EQ(groups->GetStrings(0).rfind("Office   (*.ppt,*.doc,", 0), 0u);
}

TEST_F(DuplicateFinderTest, GroupDialogEditsTheFileAndRefusesBadNames) {
  std::string ini = appDir + "config\\dfext.ini";
  std::vector<std::string> log;
  fw::Application->ModalHook = [&](fw::TCustomForm& form) {
    auto* dialog = dynamic_cast<app::TfrmAddDFGroup*>(&form);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->GetCaption(), "Duplicate finder group");
    EXPECT_EQ(dialog->kComboBox1->GetText(), "All");
    EXPECT_EQ(dialog->kListBox1->GetItems()->GetCount(), 1);
    // An existing name (any case) and brackets are refused; nothing reaches the file.
    scripted->Inputs = {"text", "Bad]Name"};
    dialog->kSpeedButton1Click(nullptr);
    dialog->kSpeedButton1Click(nullptr);
    EXPECT_EQ(dialog->kComboBox1->GetItems()->GetCount(), 3);
    // A new group with its first wildcard; "*.*" adds nothing.
    scripted->Inputs = {"Pics", "*.*", "*.png", "*.jpg"};
    dialog->kSpeedButton1Click(nullptr);
    EXPECT_EQ(dialog->kComboBox1->GetText(), "Pics");
    dialog->kSpeedButton4Click(nullptr);
    dialog->kSpeedButton4Click(nullptr);
    dialog->kSpeedButton4Click(nullptr);
    EXPECT_EQ(dialog->kListBox1->GetItems()->GetText(), "*.png\r\n*.jpg\r\n");
    // Renaming onto an existing group is refused; a free name is taken.
    scripted->Inputs = {"Images", "Photos"};
    dialog->kSpeedButton2Click(nullptr);
    EXPECT_EQ(dialog->kComboBox1->GetText(), "Pics");
    dialog->kSpeedButton2Click(nullptr);
    EXPECT_EQ(dialog->kComboBox1->GetText(), "Photos");
    // Edit and delete a wildcard.
    dialog->kListBox1->SetItemIndex(0);
    scripted->Inputs = {"*.jpeg"};
    dialog->kSpeedButton5Click(nullptr);
    dialog->kListBox1->SetItemIndex(1);
    scripted->Answers = {fw::mrOk};
    dialog->kSpeedButton6Click(nullptr);
    EXPECT_EQ(dialog->kListBox1->GetItems()->GetText(), "*.jpeg\r\n");
    // A group added but left without a wildcard leaves no trace.
    scripted->Inputs = {"Ghost"};
    dialog->kSpeedButton1Click(nullptr);
    // Delete "Text" after its confirmation.
    dialog->FillCB(1);
    EXPECT_EQ(dialog->kComboBox1->GetText(), "Text");
    scripted->Answers = {fw::mrOk};
    dialog->kSpeedButton3Click(nullptr);
    log = scripted->Texts;
    dialog->kBitBtn1->Click();
  };
  scripted->Texts.clear();
  tool->kBitBtn12Click(nullptr);
  Pump();
  EXPECT_EQ(std::count(log.begin(), log.end(), "Group already exist"), 2);
  EXPECT_EQ(std::count(log.begin(), log.end(), "Group name can not contain \"[\" or \"]\""), 1);
  fw::TIniFile file(ini);
  fw::TStringList sections;
  file.ReadSections(sections);
  EXPECT_EQ(sections.GetText(), "All\r\nImages\r\nPhotos\r\n");
  fw::TStringList values;
  file.ReadSectionValues("Photos", values);
  EXPECT_EQ(values.GetText(), "1=*.jpeg\r\n");
  EXPECT_EQ(testing_sandbox::ReadFile(ini).find("Ghost"), std::string::npos);
  // The tool's group list was filled again.
  EXPECT_EQ(tool->clbDFGroup->GetItems()->GetCount(), 3);
  EXPECT_EQ(tool->clbDFGroup->GetItems()->GetStrings(2), "Photos   (*.jpeg)");
}

TEST_F(DuplicateFinderTest, StopEndsTheWalkButAnalysesWhatWasCollected) {
  MakeFile(tree + "one\\a.txt", "twin");
  MakeFile(tree + "one\\b.txt", "twin");
  MakeFile(tree + "two\\c.txt", "twin");
  AddPath(tree + "one");
  AddPath(tree + "two");
  TickGroup(0);
  auto find = frmMain->dfSearcher->OnFindFile;
  frmMain->dfSearcher->OnFindFile = [&](fw::TObject* sender, const std::string& name) {
    find(sender, name);
    if (tool->dupFileCount == 2) tool->btnDFStopClick(nullptr);
  };
  Search();
  EXPECT_EQ(ResultPaths(), (std::set<std::string>{tree + "one\\a.txt", tree + "one\\b.txt"}));
  EXPECT_EQ(Status(0), "Canceled by user");
  EXPECT_EQ(Status(2), "    2 duplicate found");
  EXPECT_TRUE(scripted->Texts.empty());
  EXPECT_TRUE(tool->btnDFSearch->GetEnabled());
}

TEST_F(DuplicateFinderTest, UnreadableFileTakesNoPart) {
  MakeFile(tree + "a.txt", "triplet");
  MakeFile(tree + "b.txt", "triplet");
  MakeFile(tree + "locked.txt", "triplet");
  AddPath(tree);
  TickGroup(0);
  HANDLE lock = CreateFileA((tree + "locked.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  Search();
  CloseHandle(lock);
  EXPECT_EQ(ResultPaths(), (std::set<std::string>{tree + "a.txt", tree + "b.txt"}));
}

TEST_F(DuplicateFinderTest, CopyMoveAndDeleteOverwriteNothingAndReportFailures) {
  std::string content = "duplicate content";
  MakeFile(tree + "a.txt", content);
  MakeFile(tree + "sub\\a.txt", content);
  MakeFile(tree + "b.txt", content);
  std::string target = folder + "target";
  MakeFile(target + "\\a.txt", "already here");
  AddPath(tree);
  TickGroup(0);
  Search();
  ASSERT_EQ(Results().size(), 3u);
  scriptedFiles->Folders = {target, target};  // for the copy and the move

  // Copy: both a.txt land beside the existing one under free names; the rows stay.
  tool->lvDFRes->GetItems()->GetItem(0)->SetChecked(true);  // a.txt
  tool->lvDFRes->GetItems()->GetItem(2)->SetChecked(true);  // sub\a.txt
  scripted->Texts.clear();
  tool->btnDFCopyClick(nullptr);
  EXPECT_EQ(scripted->Texts, std::vector<std::string>{"Complete."});
  EXPECT_EQ(testing_sandbox::ReadFile(target + "\\a.txt"), "already here");
  EXPECT_EQ(testing_sandbox::ReadFile(target + "\\a (2).txt"), content);
  EXPECT_EQ(testing_sandbox::ReadFile(target + "\\a (3).txt"), content);
  EXPECT_EQ(Results().size(), 3u);
  EXPECT_TRUE(fw::FileExists(tree + "a.txt") && fw::FileExists(tree + "sub\\a.txt"));

  // Move: the file that is gone cannot be moved and keeps its row; the other row leaves.
  DeleteFileA((tree + "sub\\a.txt").c_str());
  scripted->Texts.clear();
  tool->btnDFMoveClick(nullptr);
  EXPECT_EQ(scripted->Texts, std::vector<std::string>{"Complete. Some files can not be deleted."});
  EXPECT_EQ(ResultPaths(), (std::set<std::string>{tree + "b.txt", tree + "sub\\a.txt"}));
  EXPECT_FALSE(fw::FileExists(tree + "a.txt"));
  EXPECT_EQ(testing_sandbox::ReadFile(target + "\\a (4).txt"), content);
  EXPECT_EQ(testing_sandbox::ReadFile(target + "\\a.txt"), "already here");

  // Delete: asked first; No keeps everything, Yes deletes by the configured method.
  app::SaveRemoveSettings(appDir, 2, "", false);
  TickAllRows();
  scripted->Answers = {fw::mrNo};
  tool->btnDFDeleteClick(nullptr);
  EXPECT_TRUE(fw::FileExists(tree + "b.txt"));
  scripted->Texts.clear();
  scripted->Answers = {fw::mrYes};
  tool->btnDFDeleteClick(nullptr);
  EXPECT_FALSE(fw::FileExists(tree + "b.txt"));
  EXPECT_EQ(ResultPaths(), std::set<std::string>{tree + "sub\\a.txt"});
  EXPECT_EQ(scripted->Texts, (std::vector<std::string>{"Delete files?", "Complete. Some files can not be deleted."}));

  // A cancelled folder choice does nothing.
  ASSERT_TRUE(scriptedFiles->Folders.empty());
  scripted->Texts.clear();
  tool->btnDFMoveClick(nullptr);
  EXPECT_TRUE(scripted->Texts.empty());
}

TEST_F(DuplicateFinderTest, PathButtonsAddRemoveAndClear) {
  scriptedFiles->Folders = {tree, tree};
  tool->kBitBtn9Click(nullptr);
  tool->kBitBtn9Click(nullptr);  // the same folder may be added twice
  ASSERT_EQ(tool->lvDFPath->GetItems()->GetCount(), 2);
  EXPECT_TRUE(tool->lvDFPath->GetChecked(0) && tool->lvDFPath->GetChecked(1));
  tool->lvDFPath->SetItemIndex(1);
  tool->kBitBtn10Click(nullptr);
  EXPECT_EQ(tool->lvDFPath->GetItems()->GetCount(), 1);
  tool->kBitBtn10Click(nullptr);  // nothing selected now
  EXPECT_EQ(tool->lvDFPath->GetItems()->GetCount(), 1);
  tool->kBitBtn11Click(nullptr);
  EXPECT_EQ(tool->lvDFPath->GetItems()->GetCount(), 0);
}

TEST_F(DuplicateFinderTest, PagesSwitchAndBoxesToggleByMouseAndSpace) {
  EXPECT_EQ(tool->kPageControl1->GetActivePage(), tool->tsDFPath);
  EXPECT_TRUE(tool->tsDFPath->GetVisible());
  EXPECT_FALSE(tool->tsDFGroup->GetVisible());
  tool->kPageControl1->SetActivePageIndex(1);
  EXPECT_TRUE(tool->tsDFGroup->GetVisible());
  EXPECT_FALSE(tool->tsDFPath->GetVisible());
  Pump();

  // A click on the check area of the second group ticks it; another click unticks it.
  HWND list = tool->clbDFGroup->GetHandle();
  RECT row{};
  ASSERT_NE(SendMessageA(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row)), LB_ERR);
  LPARAM at = MAKELPARAM(row.left + 5, (row.top + row.bottom) / 2);
  SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(list, WM_LBUTTONUP, 0, at);
  EXPECT_TRUE(tool->clbDFGroup->GetChecked(1));
  EXPECT_FALSE(tool->clbDFGroup->GetChecked(0));
  EXPECT_EQ(tool->clbDFGroup->GetItemIndex(), 1);
  // A click on the text only selects; the space bar toggles the selected line.
  LPARAM text = MAKELPARAM(row.left + 60, (row.top + row.bottom) / 2);
  SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, text);
  SendMessageA(list, WM_LBUTTONUP, 0, text);
  EXPECT_TRUE(tool->clbDFGroup->GetChecked(1));
  SendMessageA(list, WM_KEYDOWN, VK_SPACE, 0);
  EXPECT_FALSE(tool->clbDFGroup->GetChecked(1));
}

}  // namespace
