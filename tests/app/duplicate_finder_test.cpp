// The Duplicate finder end to end over real sandbox trees: the four steps, the options and size
// range, overlapping search paths, Windows-folder protection, the groups of dfext.ini and their
// dialog, Stop, and Copy / Move / Delete with collisions and failures.
#include "app/tools/duplicate_finder.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>

#include "app/dialogs/file_group_form.h"
#include "app/shared/config_files.h"
#include "app/shared/file_procedures.h"
#include "app/shared/shell_file_operation.h"
#include "app/tools/file_digests.h"
#include "framework/classes/ini_file.h"
#include "framework/rtl/exceptions.h"
#include "framework/rtl/sys_utils.h"
#include "main_window_fixture.h"
#include "services/hashing/file_identity.h"
#include "services/hashing/md5.h"
#include "services/system/system_folders.h"
#include "skin/controls/page_control.h"
#include "skin/controls/spin_edit.h"
#include "skin/engine/skin_manager.h"
#include "support/control_skin.h"
#include "support/holding_process.h"
#include "support/host_links.h"
#include "support/shell_question.h"

using app::frmMain;

using testing_sandbox::RunHost;
using testing_sandbox::UnixName;

namespace {

void MakeFile(const std::string& path, const std::string& content) {
  fw::ForceDirectories(fw::ExtractFilePath(path));
  testing_sandbox::WriteFile(path, content);
}

const char kNotMoved[] =
    "Complete. Some files were not moved: they changed since the search, or no longer equal a copy that stays.";
const char kNotDeleted[] =
    "Complete. Some files were not deleted: they changed since the search, or no longer equal a copy that stays.";
const char kInUseNotDeleted[] =
    "Complete. Some files were not deleted: they could not be read (in use by another program).";
const char kBothNotDeleted[] =
    "Complete. Some files were not deleted: some changed since the search, or no longer equal a copy that stays; "
    "some could not be read (in use by another program).";

std::string Md5Hex(const std::string& text) {
  svc::TMD5Digest digest;
  svc::MD5OfString(digest, text);
  return svc::BytesToHex(digest.data(), 16);
}



// A second name of a file; false when none can be made here.
bool MakeHardLink(const std::string& link, const std::string& target) {
  testing_sandbox::RequireInSandbox(link);
  if (CreateHardLinkA(link.c_str(), target.c_str(), nullptr)) return true;
  std::string unixTarget = UnixName(target), unixLink = UnixName(link);
  if (unixTarget.empty() || unixLink.empty() || !RunHost("/bin/ln", unixTarget + " " + unixLink)) return false;
  for (int i = 0; i < 500; ++i, Sleep(10))
    if (GetFileAttributesA(link.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
  return false;
}

// Records the type and buttons of each message dialog.
class TKindDialogs : public fw::testing::TScriptedDialogs {
 public:
  int MessageDlg(const std::string& text, fw::TMsgDlgType type, fw::TMsgDlgButtons buttons, int helpContext) override {
    Kinds.emplace_back(type, buttons);
    return TScriptedDialogs::MessageDlg(text, type, buttons, helpContext);
  }
  std::vector<std::pair<fw::TMsgDlgType, fw::TMsgDlgButtons>> Kinds;
};

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
    tool = &frmMain->DuplicateFinder();
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
  // Searches the tree for every kind of file.
  void SearchTree() {
    AddPath(tree);
    TickGroup(0);
    Search();
  }
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

// The rows stand in the string list's standard order of their "digest=size=path" lines.
TEST_F(DuplicateFinderTest, RowsStandInTheStringListsOrder) {
  const char* names[] = {"b.txt", "A.txt", "sub\\a.txt", "Sub2\\c.txt", "_x.txt", "z.txt"};
  for (int size : {7, 12, 123, 1000}) {
    for (const char* name : names) MakeFile(tree + std::to_string(size) + "\\" + name, std::string(size, 'a' + size % 7));
  }
  AddPath(tree);
  TickGroup(0);
  Search();
  fw::TListItems* rows = tool->lvDFRes->GetItems();
  ASSERT_EQ(rows->GetCount(), 24);
  fw::TStringList lines;
  for (int i = 0; i < rows->GetCount(); ++i) {
    fw::TListItem* row = rows->GetItem(i);
    lines.Add(row->GetSubItems()->GetStrings(3) + "=" + row->GetSubItems()->GetStrings(4) + "=" +
              fw::IncludeTrailingBackslash(row->GetSubItems()->GetStrings(1)) + row->GetCaption());
  }
  fw::TStringList sorted;
  sorted.Assign(&lines);
  sorted.Sort();
  EXPECT_EQ(lines.GetText(), sorted.GetText());
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

TEST_F(DuplicateFinderTest, SizeUnitsAreSkinnedComboBoxes) {
  for (skin::TkComboBox* unit : {tool->fSizeMinCB, tool->fSizeMaxCB}) {
    ASSERT_TRUE(unit->GetSkinData()->SkinIsActive());
    EXPECT_EQ(unit->GetSkinData()->GetSkinSection(), "COMBOBOX");
    EXPECT_EQ(unit->GetStyle(), fw::csDropDownList);
    EXPECT_EQ(unit->GetItems()->GetCount(), 3);
    EXPECT_EQ(unit->GetText(), "Kb");
    // The button column carries the skin's arrow: more than the face and its frame.
    unit->PaintCache();
    const fw::TRect button = unit->ButtonRect();
    std::set<fw::TColor> colours;
    for (int y = button.Top; y < button.Bottom; ++y)
      for (int x = button.Left; x < button.Right; ++x) colours.insert(unit->GetSkinData()->CacheBmp->GetCanvas()->GetPixels(x, y));
    EXPECT_GT(colours.size(), 2u);
  }
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
    EXPECT_TRUE(dialog->kComboBox1->GetSkinData()->SkinIsActive());
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
    // While the search runs, Stop is the one button to press.
    EXPECT_TRUE(tool->btnDFStop->GetEnabled() && !tool->btnDFSearch->GetEnabled() &&
                !frmMain->barMenu->GetEnabled());
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

  // Move: the file that is gone is left alone and keeps its row; the other row leaves.
  DeleteFileA((tree + "sub\\a.txt").c_str());
  scripted->Texts.clear();
  tool->btnDFMoveClick(nullptr);
  EXPECT_EQ(scripted->Texts, std::vector<std::string>{kNotMoved});
  EXPECT_EQ(ResultPaths(), (std::set<std::string>{tree + "b.txt", tree + "sub\\a.txt"}));
  EXPECT_FALSE(fw::FileExists(tree + "a.txt"));
  EXPECT_EQ(testing_sandbox::ReadFile(target + "\\a (4).txt"), content);
  EXPECT_EQ(testing_sandbox::ReadFile(target + "\\a.txt"), "already here");

  // Delete: asked first; No keeps everything. Every row of the group is ticked, so a second
  // question comes; Yes to both deletes by the configured method.
  app::SaveRemoveSettings(appDir, 2, "", false);
  TickAllRows();
  scripted->Answers = {fw::mrNo};
  tool->btnDFDeleteClick(nullptr);
  EXPECT_TRUE(fw::FileExists(tree + "b.txt"));
  scripted->Texts.clear();
  scripted->Answers = {fw::mrYes, fw::mrYes};
  tool->btnDFDeleteClick(nullptr);
  EXPECT_FALSE(fw::FileExists(tree + "b.txt"));
  EXPECT_EQ(ResultPaths(), std::set<std::string>{tree + "sub\\a.txt"});
  ASSERT_EQ(scripted->Texts.size(), 3u);
  EXPECT_EQ(scripted->Texts[2], kNotDeleted);

  // A cancelled folder choice does nothing.
  ASSERT_TRUE(scriptedFiles->Folders.empty());
  scripted->Texts.clear();
  tool->btnDFMoveClick(nullptr);
  EXPECT_TRUE(scripted->Texts.empty());
}

// A copy another process holds open cannot go to the recycle bin: the shell's question whether
// to delete it outright belongs to the main window, which is disabled meanwhile. Answered No,
// the copy stays, listed and on disk.
TEST_F(DuplicateFinderTest, TheShellsQuestionDisablesTheMainWindow) {
  std::string name = "held-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount()) + ".txt";
  MakeFile(tree + name, "duplicate content");
  MakeFile(tree + "keep.txt", "duplicate content");
  app::SaveRemoveSettings(appDir, 1, "", false);
  SearchTree();
  ASSERT_EQ(ResultPaths(), (std::set<std::string>{tree + name, tree + "keep.txt"}));
  for (int i = 0; i < tool->lvDFRes->GetItems()->GetCount(); ++i) {
    fw::TListItem* row = tool->lvDFRes->GetItems()->GetItem(i);
    row->SetChecked(row->GetCaption() == name);
  }
  scripted->Texts.clear();
  testing_support::ExpectQuestionOwnedBy(frmMain->GetHandle(), tree + name, [&] {
    scripted->Answers = {fw::mrYes};
    tool->btnDFDeleteClick(nullptr);
  });
  EXPECT_EQ(scripted->Texts, (std::vector<std::string>{"Delete files?", "Complete. Some files can not be deleted."}));
  EXPECT_TRUE(fw::FileExists(tree + name));
  EXPECT_EQ(ResultPaths(), (std::set<std::string>{tree + name, tree + "keep.txt"}));
}

// A link is never listed: deleting the copies a link seemed to keep would lose the bytes. (Wine
// shows the host's file links as plain files, so there the link is told from its target as
// another name of the same file.)
TEST_F(DuplicateFinderTest, LinksAreNeverCandidates) {
  const std::string content = "the only real bytes";
  MakeFile(tree + "target.txt", content);
  MakeFile(tree + "copy.txt", content);
  const std::string link = tree + "link.txt";
  testing_sandbox::TLinkGuard unlink(link);
  if (!testing_sandbox::MakeLink(link, tree + "target.txt", false)) GTEST_SKIP() << "no symbolic links here";
  AddPath(tree);
  TickGroup(0);
  Search();
  EXPECT_EQ(ResultPaths(), (std::set<std::string>{tree + "copy.txt", tree + "target.txt"}));

  // Everything listed is ticked, as if the link kept a copy: nothing goes without a Yes.
  app::SaveRemoveSettings(appDir, 2, "", false);
  for (int i = 0; i < tool->lvDFRes->GetItems()->GetCount(); ++i)
    if (tool->lvDFRes->GetItems()->GetItem(i)->GetCaption() != "link.txt")
      tool->lvDFRes->GetItems()->GetItem(i)->SetChecked(true);
  scripted->Answers = {fw::mrYes, fw::mrNo};
  tool->btnDFDeleteClick(nullptr);
  EXPECT_EQ(testing_sandbox::ReadFile(tree + "target.txt"), content);
  EXPECT_EQ(testing_sandbox::ReadFile(link), content);
}

// Hard links of one file, and one folder reached through two search paths (the folder and a
// link to it), give one candidate each, never two rows of a group.
TEST_F(DuplicateFinderTest, OneFileUnderTwoNamesIsOneCandidate) {
  const std::string real = tree + "real\\";
  MakeFile(real + "a.txt", "twin content");
  MakeFile(real + "b.txt", "twin content");
  if (!MakeHardLink(real + "h.txt", real + "a.txt")) GTEST_SKIP() << "no hard links here";
  const std::string alias = tree + "alias";
  testing_sandbox::TLinkGuard unlink(alias);
  bool folderLink = testing_sandbox::MakeLink(alias, tree + "real", true);
  AddPath(tree + "real");
  if (folderLink) AddPath(alias);
  AddPath(tree);  // overlaps the first path
  TickGroup(0);
  Search();

  fw::TListItems* rows = tool->lvDFRes->GetItems();
  ASSERT_EQ(rows->GetCount(), 2) << "with a folder link: " << folderLink;
  std::set<std::string> names{rows->GetItem(0)->GetCaption(), rows->GetItem(1)->GetCaption()};
  EXPECT_EQ(names.count("b.txt"), 1u);
  EXPECT_EQ(names.count("a.txt") + names.count("h.txt"), 1u);
  EXPECT_EQ(rows->GetItem(0)->GetSubItems()->GetStrings(3), rows->GetItem(1)->GetSubItems()->GetStrings(3));
}

// Each ticked row is checked just before it is acted on: a file changed since the search, or
// one whose bytes differ from the copy that stays (equal MD5 only), is left alone.
TEST_F(DuplicateFinderTest, RowsAreCheckedJustBeforeActing) {
  MakeFile(tree + "a.txt", "grows later");
  MakeFile(tree + "b.txt", "grows later");
  MakeFile(tree + "c.txt", "grows later");
  // The collision pair of Wang, Feng, Lai and Yu: 128 bytes each, one MD5, six bytes apart.
  static const unsigned char kCollisionA[128] = {
      0xd1, 0x31, 0xdd, 0x02, 0xc5, 0xe6, 0xee, 0xc4, 0x69, 0x3d, 0x9a, 0x06, 0x98, 0xaf, 0xf9, 0x5c, 0x2f, 0xca,
      0xb5, 0x87, 0x12, 0x46, 0x7e, 0xab, 0x40, 0x04, 0x58, 0x3e, 0xb8, 0xfb, 0x7f, 0x89, 0x55, 0xad, 0x34, 0x06,
      0x09, 0xf4, 0xb3, 0x02, 0x83, 0xe4, 0x88, 0x83, 0x25, 0x71, 0x41, 0x5a, 0x08, 0x51, 0x25, 0xe8, 0xf7, 0xcd,
      0xc9, 0x9f, 0xd9, 0x1d, 0xbd, 0xf2, 0x80, 0x37, 0x3c, 0x5b, 0xd8, 0x82, 0x3e, 0x31, 0x56, 0x34, 0x8f, 0x5b,
      0xae, 0x6d, 0xac, 0xd4, 0x36, 0xc9, 0x19, 0xc6, 0xdd, 0x53, 0xe2, 0xb4, 0x87, 0xda, 0x03, 0xfd, 0x02, 0x39,
      0x63, 0x06, 0xd2, 0x48, 0xcd, 0xa0, 0xe9, 0x9f, 0x33, 0x42, 0x0f, 0x57, 0x7e, 0xe8, 0xce, 0x54, 0xb6, 0x70,
      0x80, 0xa8, 0x0d, 0x1e, 0xc6, 0x98, 0x21, 0xbc, 0xb6, 0xa8, 0x83, 0x93, 0x96, 0xf9, 0x65, 0x2b, 0x6f, 0xf7,
      0x2a, 0x70};
  std::string collisionA(reinterpret_cast<const char*>(kCollisionA), sizeof kCollisionA);
  std::string collisionB = collisionA;
  for (int at : {19, 45, 59, 83, 109, 123}) collisionB[at] = static_cast<char>(collisionB[at] ^ 0x80);
  ASSERT_NE(collisionA, collisionB);
  ASSERT_EQ(Md5Hex(collisionA), Md5Hex(collisionB));
  MakeFile(tree + "x.bin", collisionA);
  MakeFile(tree + "y.bin", collisionB);
  AddPath(tree);
  TickGroup(0);
  Search();
  ASSERT_EQ(ResultPaths(), (std::set<std::string>{tree + "a.txt", tree + "b.txt", tree + "c.txt", tree + "x.bin",
                                                  tree + "y.bin"}));

  // c.txt grows after the search; y.bin never equalled x.bin.
  HANDLE grow = CreateFileA((tree + "c.txt").c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                            nullptr);
  ASSERT_NE(grow, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(grow, "!", 1, &written, nullptr);
  CloseHandle(grow);
  for (int i = 0; i < tool->lvDFRes->GetItems()->GetCount(); ++i) {
    fw::TListItem* row = tool->lvDFRes->GetItems()->GetItem(i);
    row->SetChecked(row->GetCaption() == "b.txt" || row->GetCaption() == "c.txt" || row->GetCaption() == "y.bin");
  }
  app::SaveRemoveSettings(appDir, 2, "", false);
  scripted->Texts.clear();
  scripted->Answers = {fw::mrYes};
  tool->btnDFDeleteClick(nullptr);
  EXPECT_FALSE(fw::FileExists(tree + "b.txt"));
  EXPECT_EQ(testing_sandbox::ReadFile(tree + "c.txt"), "grows later!");
  EXPECT_EQ(testing_sandbox::ReadFile(tree + "y.bin"), collisionB);
  EXPECT_EQ(testing_sandbox::ReadFile(tree + "x.bin"), collisionA);
  EXPECT_EQ(ResultPaths(), (std::set<std::string>{tree + "a.txt", tree + "c.txt", tree + "x.bin", tree + "y.bin"}));
  EXPECT_EQ(scripted->Texts, (std::vector<std::string>{"Delete files?", kNotDeleted}));

  // Copying checks the same way and names what it did not do.
  scriptedFiles->Folders = {folder + "target"};
  fw::CreateDir(folder + "target");
  scripted->Texts.clear();
  tool->btnDFCopyClick(nullptr);
  EXPECT_FALSE(fw::FileExists(folder + "target\\c.txt"));
  EXPECT_FALSE(fw::FileExists(folder + "target\\y.bin"));
  EXPECT_EQ(scripted->Texts, std::vector<std::string>{"Complete. Some files were not copied: they changed since "
                                                      "the search, or no longer equal a copy that stays."});
}

// A ticked copy another program holds open sharing nothing cannot be read to be checked: it is
// left alone, byte for byte, and the closing message says it was in use, not that it changed. A
// copy that really changed still gets its own reason, and with both kinds the message gives both.
TEST_F(DuplicateFinderTest, TheClosingMessageTellsACopyInUseFromOneThatChanged) {
  const std::string content = "duplicate content";
  MakeFile(tree + "keep.txt", content);
  MakeFile(tree + "held.txt", content);
  MakeFile(tree + "grows.txt", content);
  SearchTree();
  const std::set<std::string> all{tree + "grows.txt", tree + "held.txt", tree + "keep.txt"};
  ASSERT_EQ(ResultPaths(), all);
  app::SaveRemoveSettings(appDir, app::rmDelete, "", false);
  auto deleteTicked = [&](const std::set<std::string>& ticked, bool hold) {
    for (int i = 0; i < tool->lvDFRes->GetItems()->GetCount(); ++i) {
      fw::TListItem* row = tool->lvDFRes->GetItems()->GetItem(i);
      row->SetChecked(ticked.count(row->GetCaption()) > 0);
    }
    std::unique_ptr<testing_support::THoldingProcess> holder;
    if (hold) {
      holder = std::make_unique<testing_support::THoldingProcess>(tree + "held.txt",
                                                                  testing_support::THoldingProcess::ShareNothing);
      ASSERT_TRUE(holder->Held());
    }
    scripted->Texts.clear();
    scripted->Answers = {fw::mrYes};
    tool->btnDFDeleteClick(nullptr);
  };

  deleteTicked({"held.txt"}, true);
  EXPECT_EQ(scripted->Texts, (std::vector<std::string>{"Delete files?", kInUseNotDeleted}));
  EXPECT_EQ(testing_sandbox::ReadFile(tree + "held.txt"), content);
  EXPECT_EQ(ResultPaths(), all);

  // grows.txt grows after the search.
  HANDLE grow = CreateFileA((tree + "grows.txt").c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            0, nullptr);
  ASSERT_NE(grow, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(grow, "!", 1, &written, nullptr);
  CloseHandle(grow);
  deleteTicked({"grows.txt"}, false);
  EXPECT_EQ(scripted->Texts, (std::vector<std::string>{"Delete files?", kNotDeleted}));

  deleteTicked({"grows.txt", "held.txt"}, true);
  EXPECT_EQ(scripted->Texts, (std::vector<std::string>{"Delete files?", kBothNotDeleted}));
  EXPECT_EQ(testing_sandbox::ReadFile(tree + "held.txt"), content);
  EXPECT_EQ(testing_sandbox::ReadFile(tree + "grows.txt"), content + "!");
  EXPECT_EQ(ResultPaths(), all);

  // A copy removed since the search cannot be opened either: it changed, it is not in use.
  ASSERT_TRUE(DeleteFileA((tree + "grows.txt").c_str()));
  deleteTicked({"grows.txt"}, false);
  EXPECT_EQ(scripted->Texts, (std::vector<std::string>{"Delete files?", kNotDeleted}));
}

// When the ticked rows hold every copy of some groups, Delete and Move ask first (a warning with
// Yes and No); No acts on the other rows only.
TEST_F(DuplicateFinderTest, WholeGroupsAreActedOnOnlyAfterAYes) {
  MakeFile(tree + "a1.txt", "group a");
  MakeFile(tree + "a2.txt", "group a");
  MakeFile(tree + "b1.txt", "group bb");
  MakeFile(tree + "b2.txt", "group bb");
  MakeFile(tree + "c1.txt", "group ccc");
  MakeFile(tree + "c2.txt", "group ccc");
  SearchTree();
  ASSERT_EQ(Results().size(), 6u);
  auto dialogs = std::make_unique<TKindDialogs>();
  TKindDialogs* kinds = dialogs.get();
  scripted = dialogs.get();
  fw::testing::SetDialogService(std::move(dialogs));
  for (int i = 0; i < tool->lvDFRes->GetItems()->GetCount(); ++i) {
    fw::TListItem* row = tool->lvDFRes->GetItems()->GetItem(i);
    row->SetChecked(row->GetCaption() != "b1.txt");
  }

  app::SaveRemoveSettings(appDir, 2, "", false);
  scripted->Answers = {fw::mrYes, fw::mrNo};
  tool->btnDFDeleteClick(nullptr);
  ASSERT_EQ(scripted->Texts.size(), 3u);
  EXPECT_EQ(scripted->Texts[1],
            "Every file of 2 groups is ticked: those groups would lose every copy.\r\nDelete them too?");
  EXPECT_EQ(scripted->Texts[2], "Complete.");
  ASSERT_EQ(kinds->Kinds.size(), 3u);
  EXPECT_EQ(kinds->Kinds[1].first, fw::mtWarning);
  EXPECT_TRUE(kinds->Kinds[1].second == (fw::TMsgDlgButtons{fw::mbYes, fw::mbNo}));
  EXPECT_FALSE(fw::FileExists(tree + "b2.txt"));
  for (const char* kept : {"a1.txt", "a2.txt", "b1.txt", "c1.txt", "c2.txt"}) EXPECT_TRUE(fw::FileExists(tree + kept));

  // Move: the same question; Yes moves both whole groups.
  const std::string target = folder + "target";
  fw::CreateDir(target);
  scriptedFiles->Folders = {target};
  scripted->Texts.clear();
  scripted->Answers = {fw::mrYes};
  tool->btnDFMoveClick(nullptr);
  EXPECT_EQ(scripted->Texts, (std::vector<std::string>{"Every file of 2 groups is ticked: those groups would lose "
                                                       "every copy.\r\nMove them too?",
                                                       "Complete."}));
  EXPECT_EQ(ResultPaths(), std::set<std::string>{tree + "b1.txt"});
  for (const char* moved : {"a1.txt", "a2.txt", "c1.txt", "c2.txt"}) EXPECT_TRUE(fw::FileExists(target + "\\" + moved));
}

// A copy that stays is told by identity, not by name: a keeper that became a link to the ticked
// file after the search holds no copy of its own, so the ticked file stays.
TEST_F(DuplicateFinderTest, AKeeperThatBecameALinkToTheTickedFileIsNoCopy) {
  const std::string content = "the last copy";
  MakeFile(tree + "a.txt", content);
  MakeFile(tree + "b.txt", content);
  SearchTree();
  ASSERT_EQ(ResultPaths(), (std::set<std::string>{tree + "a.txt", tree + "b.txt"}));
  const std::string keeper = tree + "a.txt";
  testing_sandbox::TLinkGuard unlink(keeper);
  ASSERT_TRUE(DeleteFileA(keeper.c_str()));
  if (!testing_sandbox::MakeLink(keeper, tree + "b.txt", false)) GTEST_SKIP() << "no symbolic links here";
  for (int i = 0; i < tool->lvDFRes->GetItems()->GetCount(); ++i) {
    fw::TListItem* row = tool->lvDFRes->GetItems()->GetItem(i);
    row->SetChecked(row->GetCaption() == "b.txt");
  }
  app::SaveRemoveSettings(appDir, 2, "", false);
  scripted->Texts.clear();
  scripted->Answers = {fw::mrYes};
  tool->btnDFDeleteClick(nullptr);
  EXPECT_EQ(testing_sandbox::ReadFile(tree + "b.txt"), content);
  EXPECT_EQ(scripted->Texts, (std::vector<std::string>{"Delete files?", kNotDeleted}));

  // Moving it away would leave the link leading nowhere just the same.
  const std::string target = folder + "target";
  fw::CreateDir(target);
  scriptedFiles->Folders = {target};
  scripted->Texts.clear();
  tool->btnDFMoveClick(nullptr);
  EXPECT_EQ(testing_sandbox::ReadFile(tree + "b.txt"), content);
  EXPECT_FALSE(fw::FileExists(target + "\\b.txt"));
  EXPECT_EQ(scripted->Texts, std::vector<std::string>{kNotMoved});
}

// With no copy that stays to compare with, a file of a whole group is acted on only while it is
// what the search saw: one rewritten since with other bytes of the same length (a later time)
// stays.
TEST_F(DuplicateFinderTest, AWholeGroupAfterYesKeepsAMemberRewrittenSinceTheSearch) {
  MakeFile(tree + "a1.txt", "version one");
  MakeFile(tree + "a2.txt", "version one");
  MakeFile(tree + "a3.txt", "version one");
  SearchTree();
  ASSERT_EQ(Results().size(), 3u);
  WIN32_FILE_ATTRIBUTE_DATA found{};
  ASSERT_TRUE(GetFileAttributesExA((tree + "a2.txt").c_str(), GetFileExInfoStandard, &found));
  testing_sandbox::WriteFile(tree + "a2.txt", "version TWO");
  ULARGE_INTEGER later{};
  later.LowPart = found.ftLastWriteTime.dwLowDateTime;
  later.HighPart = found.ftLastWriteTime.dwHighDateTime;
  later.QuadPart += 20000000;  // two seconds
  FILETIME laterTime{later.LowPart, later.HighPart};
  HANDLE rewritten = CreateFileA((tree + "a2.txt").c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                                 OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(rewritten, INVALID_HANDLE_VALUE);
  ASSERT_TRUE(SetFileTime(rewritten, nullptr, nullptr, &laterTime));
  CloseHandle(rewritten);
  TickAllRows();
  app::SaveRemoveSettings(appDir, 2, "", false);
  scripted->Texts.clear();
  scripted->Answers = {fw::mrYes, fw::mrYes};
  tool->btnDFDeleteClick(nullptr);
  EXPECT_FALSE(fw::FileExists(tree + "a1.txt"));
  EXPECT_FALSE(fw::FileExists(tree + "a3.txt"));
  EXPECT_EQ(testing_sandbox::ReadFile(tree + "a2.txt"), "version TWO");
  EXPECT_EQ(ResultPaths(), std::set<std::string>{tree + "a2.txt"});
  ASSERT_EQ(scripted->Texts.size(), 3u);
  EXPECT_EQ(scripted->Texts[2], kNotDeleted);
}

// Files that cannot be read take no part, whatever their sizes and contents.
TEST_F(DuplicateFinderTest, UnreadableFilesAreDropped) {
  MakeFile(tree + "locked1.txt", "locked one");
  MakeFile(tree + "locked2.txt", "locked two");
  MakeFile(tree + "a.txt", "readable");
  MakeFile(tree + "b.txt", "readable");
  AddPath(tree);
  TickGroup(0);
  HANDLE lock1 = CreateFileA((tree + "locked1.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  HANDLE lock2 = CreateFileA((tree + "locked2.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock1, INVALID_HANDLE_VALUE);
  ASSERT_NE(lock2, INVALID_HANDLE_VALUE);
  Search();
  CloseHandle(lock1);
  CloseHandle(lock2);
  EXPECT_EQ(ResultPaths(), (std::set<std::string>{tree + "a.txt", tree + "b.txt"}));
}

namespace {

// A file stream whose reads after the first one fail.
class TFailAfterFirstRead : public fw::TStream {
 public:
  explicit TFailAfterFirstRead(fw::TStream& file) : FFile(file) {}
  int Read(void* buffer, int count) override { return FReads++ == 0 ? FFile.Read(buffer, count) : -1; }
  int Write(const void*, int) override { return 0; }
  int64_t Seek(int64_t offset, fw::TSeekOrigin origin) override { return FFile.Seek(offset, origin); }

 private:
  fw::TStream& FFile;
  int FReads = 0;
};

}  // namespace

// A read that fails after the first block is an error, not the end of the file: two files that
// are equal only that far are not listed.
TEST_F(DuplicateFinderTest, ReadFailingAfterTheFirstBlockDropsTheFile) {
  std::string start(128 * 1024, 's');
  MakeFile(tree + "a.dat", start + std::string(64 * 1024, 'a'));
  MakeFile(tree + "b.dat", start + std::string(64 * 1024, 'b'));
  MakeFile(tree + "c.dat", std::string(100, 'c'));
  MakeFile(tree + "d.dat", std::string(100, 'c'));
  AddPath(tree);
  TickGroup(0);
  app::testing::SetDigestSourceWrap([](fw::TStream& file, const std::string&) {
    return std::make_unique<TFailAfterFirstRead>(file);
  });
  Search();
  app::testing::SetDigestSourceWrap(nullptr);
  EXPECT_EQ(ResultPaths(), (std::set<std::string>{tree + "c.dat", tree + "d.dat"}));
}

namespace {

// Puts content into path under a new file of its own (written beside it, then moved over it):
// the same name, another file. Plain Win32, since it runs on a worker thread.
bool ReplaceFile(const std::string& path, const std::string& content) {
  const std::string fresh = path + ".new";
  HANDLE file = CreateFileA(fresh.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr) &&
            written == content.size();
  CloseHandle(file);
  return ok && MoveFileExA(fresh.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}

}  // namespace

// In a size group too large to keep every file open, a file is read a second time after the
// others' first blocks: a file put in its place meanwhile is another file and is not listed,
// even with the bytes of a copy.
TEST_F(DuplicateFinderTest, AFileReplacedBetweenItsTwoReadsInALargeSizeGroupIsNotListed) {
  const size_t size = 64 * 1024 + 100;
  const std::string copy(size, 'd');
  MakeFile(tree + "dup1.dat", copy);
  MakeFile(tree + "dup2.dat", copy);
  for (int i = 0; i < 32; ++i) {
    std::string other(size, 'o');
    other.replace(0, 8, "other" + std::to_string(100 + i));
    MakeFile(tree + "f" + std::to_string(100 + i) + ".dat", other);
  }
  MakeFile(tree + "z-last.dat", std::string(size, 'z'));
  AddPath(tree);
  TickGroup(0);
  // When the group's last file is first opened, dup1.dat was read once and closed.
  std::atomic<int> replaced{0};
  const std::string dup1 = tree + "dup1.dat";
  app::testing::SetDigestSourceWrap([&](fw::TStream&, const std::string& name) -> std::unique_ptr<fw::TStream> {
    if (fw::ExtractFileName(name) == "z-last.dat" && replaced++ == 0 && !ReplaceFile(dup1, copy)) replaced = -100;
    return nullptr;
  });
  Search();
  app::testing::SetDigestSourceWrap(nullptr);
  ASSERT_GT(replaced.load(), 0);
  EXPECT_EQ(testing_sandbox::ReadFile(dup1), copy);
  EXPECT_EQ(tool->dupFileCount, 35);
  EXPECT_TRUE(ResultPaths().empty());
}

// Two files are one only when both their volume serial numbers and their file indexes agree:
// equal indexes on two volumes are two files, both listed.
TEST_F(DuplicateFinderTest, EqualIndexesOnTwoVolumesAreTwoFiles) {
  MakeFile(tree + "a.txt", "twins on two volumes");
  MakeFile(tree + "b.txt", "twins on two volumes");
  svc::testing::SetFileInformationCall([](HANDLE file, BY_HANDLE_FILE_INFORMATION& info) {
    if (!GetFileInformationByHandle(file, &info)) return false;
    info.dwVolumeSerialNumber = info.nFileIndexLow;  // one volume per file
    info.nFileIndexHigh = 0;
    info.nFileIndexLow = 7;  // and the same index on each
    return true;
  });
  SearchTree();
  svc::testing::SetFileInformationCall(nullptr);
  EXPECT_EQ(ResultPaths(), (std::set<std::string>{tree + "a.txt", tree + "b.txt"}));
}

// Files longer than the first block are compared whole: equal in their first 64 KiB and
// different after it, they are not listed.
TEST_F(DuplicateFinderTest, FilesEqualOnlyInTheirFirstBlockAreNotListed) {
  const std::string head(64 * 1024, 's');
  MakeFile(tree + "a.dat", head + std::string(64 * 1024, 'a'));
  MakeFile(tree + "b.dat", head + std::string(64 * 1024, 'b'));
  MakeFile(tree + "c.dat", head + std::string(64 * 1024, 'c'));
  MakeFile(tree + "d.dat", head + std::string(64 * 1024, 'c'));
  SearchTree();
  EXPECT_EQ(ResultPaths(), (std::set<std::string>{tree + "c.dat", tree + "d.dat"}));
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

// Under the skin, Add path shows the skinned picker rooted at My Computer without the Create
// button: the tool takes a folder that exists and makes none.
TEST_F(DuplicateFinderTest, AddPathPicksFromMyComputerWithoutCreate) {
  ASSERT_TRUE(skin::DefaultManager() && skin::DefaultManager()->GetActive());
  TPickerSeen seen = PickFolder([&] { tool->kBitBtn9->Click(); }, tree);
  ASSERT_TRUE(seen.Shown);
  EXPECT_EQ(seen.Root, "rfMyComputer");
  EXPECT_FALSE(seen.CreateOffered);
  ASSERT_EQ(tool->lvDFPath->GetItems()->GetCount(), 1);
  EXPECT_EQ(tool->lvDFPath->GetItems()->GetStrings(0), fw::ExcludeTrailingBackslash(tree));
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
  PostMessageA(list, WM_KEYDOWN, VK_SPACE, 0x00390001);
  Pump();
  EXPECT_FALSE(tool->clbDFGroup->GetChecked(1));
}

// ---- Group names outside ASCII ----

// A COLORREF as the 0x00RRGGBB of a 32-bit bitmap's pixel.
uint32_t ColorToRGBQuad(COLORREF color) {
  return (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
}

// The pixels of a top-down 32-bit bitmap of width x height after paint(dc).
std::vector<uint32_t> Pixels(int width, int height, const std::function<void(HDC)>& paint) {
  BITMAPINFO info{};
  info.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, bitmap);
  paint(dc);
  GdiFlush();
  const auto* first = static_cast<const uint32_t*>(bits);
  std::vector<uint32_t> pixels(first, first + width * height);
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return pixels;
}

// A group named in Unicode is painted in the group list as itself: the text area of its line
// equals the same text drawn with DrawTextW in the list's font, pixel for pixel.
TEST_F(DuplicateFinderTest, GroupNamesOutsideAsciiArePaintedAsThemselves) {
  const std::string name = reinterpret_cast<const char*>(u8"Ünïcødé 日本");
  testing_sandbox::WriteFile(appDir + "config\\dfext.ini", "[" + name + "]\r\n1=*.txt\r\n");
  tool->FillGroup();
  ASSERT_EQ(tool->clbDFGroup->GetItems()->GetCount(), 1);
  EXPECT_EQ(tool->clbDFGroup->GetItems()->GetStrings(0), name + "   (*.txt)");
  tool->kPageControl1->SetActivePage(tool->tsDFGroup);
  Pump();

  HWND list = tool->clbDFGroup->GetHandle();
  RECT client{}, line{};
  GetClientRect(list, &client);
  ASSERT_NE(SendMessageA(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&line)), LB_ERR);
  // The line as the list paints it (through its owner drawing) into a bitmap of ours.
  std::vector<uint32_t> painted = Pixels(client.right, client.bottom, [&](HDC dc) {
    SendMessageA(list, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  });
  // The text area right of the check box, drawn directly.
  const int textLeft = line.left + tool->clbDFGroup->CheckWidth();
  std::vector<uint32_t> drawn = Pixels(client.right, client.bottom, [&](HDC dc) {
    RECT area{textLeft, line.top, line.right, line.bottom};
    FillRect(dc, &area, GetSysColorBrush(COLOR_WINDOW));
    HGDIOBJ font = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(list, WM_GETFONT, 0, 0)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    RECT text{textLeft + 2, line.top, line.right, line.bottom};
    DrawTextW(dc, L"\u00DCn\u00EFc\u00F8d\u00E9 \u65E5\u672C   (*.txt)", -1, &text,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    SelectObject(dc, font);
  });
  int differing = 0, inked = 0;
  for (int y = line.top; y < line.bottom; ++y)
    for (int x = textLeft; x < std::min(line.right, client.right); ++x) {
      size_t at = static_cast<size_t>(y) * client.right + x;
      if (painted[at] != drawn[at]) ++differing;
      if ((drawn[at] & 0xFFFFFF) != (ColorToRGBQuad(GetSysColor(COLOR_WINDOW)))) ++inked;
    }
  EXPECT_GT(inked, 20) << "the text drew nothing";
  EXPECT_EQ(differing, 0) << "pixels that differ from the text drawn with DrawTextW";
}

// Under the control test skin the size limits show their arrow buttons in the small speed
// button's colours and still give their values; the page controls paint from "PAGECONTROL".
TEST_F(DuplicateFinderTest, SkinnedSpinEditsAndPageControls) {
  skin::TkSkinManager* manager = skin::DefaultManager();
  ASSERT_NE(manager, nullptr);
  control_skin::AddControlSkin(*manager->GetInternalSkins(), control_skin::kFirstName, control_skin::kFirst);
  manager->SetSkinName(control_skin::kFirstName);
  tool->kPageControl2->SetActivePage(tool->tsDFSize);
  Pump();
  const control_skin::TSectionColours small = control_skin::SectionOf(control_skin::kFirst, "SPEEDBUTTON_SMALL");
  for (skin::TkSpinEdit* edit : {tool->fSizeMinEdit, tool->fSizeMaxEdit}) {
    ASSERT_TRUE(edit->GetButton()->GetVisible());
    // Painted into a bitmap of ours (the tool may lie beyond the virtual screen's edge).
    fw::TBitmap shot;
    shot.SetSize(edit->GetButton()->GetWidth(), edit->GetButton()->GetHeight());
    edit->GetButton()->Perform(WM_PAINT, reinterpret_cast<WPARAM>(shot.GetCanvas()->GetHandle()), 0);
    for (skin::TkTimerSpeedButton* half : {edit->GetButton()->GetUpButton(), edit->GetButton()->GetDownButton()}) {
      ASSERT_NE(half->GetSkinData()->CacheBmp, nullptr);
      ASSERT_EQ(half->GetSkinData()->CacheBmp->GetHeight(), half->GetHeight());
      EXPECT_EQ(test_skins::PixelOf(*half->GetSkinData()->CacheBmp, half->GetWidth() / 2, 1), small.Edge[0]);
    }
    edit->SetText("25");
    EXPECT_EQ(edit->GetValue(), 25);
    edit->SetText("");
    EXPECT_EQ(edit->GetValue(), 0);
  }
  for (skin::TkPageControl* pages : {tool->kPageControl1, tool->kPageControl2}) {
    EXPECT_EQ(pages->GetSkinData()->GetSkinSection(), "PAGECONTROL");
    EXPECT_TRUE(pages->GetSkinData()->SkinIsActive());
  }
}

}  // namespace
