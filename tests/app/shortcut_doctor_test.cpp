// The Shortcut doctor on the real main window: real links written through the shell's link
// object in the test's folder, the Desktop, Start menu and application-data folders redirected
// into it through the special-folder seam, and scripted dialogs. No test ticks a drive row.
#include <shlobj.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/main/system_frame.h"
#include "app/shared/config_files.h"
#include "app/shared/file_procedures.h"
#include "app/shared/shortcut_info.h"
#include "app/tools/shortcut_doctor.h"
#include "framework/classes/string_list.h"
#include "main_window_fixture.h"
#include "startup_fixture.h"
#include "support/ansi_links.h"
#include "support/held_file.h"
#include "support/hard_paths.h"
#include "support/list_view_input.h"
#include "support/scripted_link.h"
#include "support/shell_question.h"

namespace {

using startup_testing::MakeLink;
using testing_support::THeldFile;

class TRedirectedFolders : public fw::testing::TSpecialFolders {
 public:
  std::string GetPath(int csidl) override {
    switch (csidl) {
      case CSIDL_DESKTOP:
      case CSIDL_DESKTOPDIRECTORY: return Desktop;
      case CSIDL_STARTMENU:
      case CSIDL_PROGRAMS: return StartMenu;
      case CSIDL_APPDATA: return AppData;
      default: return fw::testing::TSpecialFolders::GetPath(csidl);
    }
  }
  std::string Desktop, StartMenu, AppData;
};

// Makes a link to target, which exists while the link is saved: target is made as a file (or
// as a folder when folder is set) and removed afterwards with every folder made for it below
// gone (when given).
void MakeBrokenLink(const std::string& link, const std::string& target, const std::string& gone = "",
                    bool folder = false) {
  testing_sandbox::MakeFolders(fw::ExtractFilePath(link));
  if (folder) {
    testing_sandbox::MakeFolders(target);
  } else {
    testing_sandbox::MakeFolders(fw::ExtractFilePath(target));
    testing_sandbox::WriteFile(target, "x");
  }
  MakeLink(link, target);
  testing_sandbox::RemoveTree(gone.empty() ? target : gone);
}

// Makes a link to a special item of the shell (one without a file-system path).
void MakeItemLink(const std::string& link, int csidl) {
  svc::TComRef<IShellLinkW> shell;
  ASSERT_TRUE(SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                         reinterpret_cast<void**>(shell.Put()))));
  LPITEMIDLIST item = nullptr;
  ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, csidl, &item), S_OK);
  shell->SetIDList(item);
  CoTaskMemFree(item);
  svc::TComRef<IPersistFile> file;
  ASSERT_TRUE(SUCCEEDED(shell->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.Put()))));
  ASSERT_EQ(file->Save(app::Widen(link).c_str(), TRUE), S_OK);
}

class ShortcutDoctorTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    folders.Desktop = folder + "Desktop";
    folders.StartMenu = folder + "Start Menu";
    folders.AppData = folder + "Application Data";
    for (const std::string& path : {folders.Desktop, folders.StartMenu, folders.AppData}) fw::CreateDir(path);
    fw::testing::SetSpecialFolders(&folders);
    Start();
    app::frmMain->barMenu->OpenItem(1, false);
    Pump();
    OpenTool();
    tool = &app::frmMain->ShortcutDoctor();
  }
  void TearDown() override {
    svc::testing::SetShellLinkFactory(nullptr);
    MainWindowTest::TearDown();
    fw::testing::SetSpecialFolders(nullptr);
  }

  void OpenTool() {
    app::frmMain->frmSystem1->kSpeedButton3Click(nullptr);
    Pump();
  }
  fw::TListItems* Paths() { return tool->lvSDPath->GetItems(); }
  fw::TListItems* Results() { return tool->lvSDRes->GetItems(); }
  // Adds a folder row through the folder chooser; returns it.
  fw::TListItem* AddFolder(const std::string& path) {
    testing_sandbox::MakeFolders(path);
    scriptedFiles->Folders.push_back(path);
    tool->btnSDAddPath->Click();
    Pump();
    return Paths()->GetItem(Paths()->GetCount() - 1);
  }
  // The ticks of the path list, one character a row.
  std::string Ticks() {
    std::string ticks;
    for (int i = 0; i < Paths()->GetCount(); ++i) ticks += Paths()->GetItem(i)->GetChecked() ? 'x' : '-';
    return ticks;
  }
  void ClickBox(fw::TListItem* item) { testing_support::ClickCheckBox(tool->lvSDPath, item); }
  void PressSpace(fw::TListItem* item) { testing_support::PressSpaceOn(tool->lvSDPath, item); }
  // Searches the given folders, each added and ticked; none: "Only special folder".
  void Search(const std::vector<std::string>& roots = {}) {
    for (const std::string& root : roots) AddFolder(root)->SetChecked(true);
    if (!roots.empty()) Paths()->GetItem(0)->SetChecked(false);
    scripted->Texts.clear();
    tool->btnSDSearch->Click();
    Pump();
  }
  // Each result row: caption, target, state and the shortcut's full path.
  std::vector<std::string> ResultRows() {
    std::vector<std::string> rows;
    for (int i = 0; i < Results()->GetCount(); ++i) {
      fw::TListItem* item = Results()->GetItem(i);
      rows.push_back(item->GetCaption() + "|" + item->GetSubItems()->GetStrings(0) + "|" +
                     item->GetSubItems()->GetStrings(1) + "|" + app::TShortcutDoctor::ShortcutPath(item));
    }
    return rows;
  }
  std::string Status(int panel) { return app::frmMain->kBar->GetPanels()->GetItems(panel)->GetText(); }
  void ExpectIdle() {
    EXPECT_TRUE(app::frmMain->barMenu->GetEnabled());
    EXPECT_TRUE(tool->lvSDPath->GetEnabled());
    EXPECT_TRUE(tool->btnSDAddPath->GetEnabled());
    EXPECT_TRUE(tool->btnSDRemovePath->GetEnabled());
    EXPECT_TRUE(tool->btnSDSearch->GetEnabled());
    EXPECT_FALSE(tool->btnSDStop->GetEnabled());
    EXPECT_FALSE(app::frmMain->Anim->GetActive());
  }
  std::vector<std::string> UserFolders() {
    fw::TStringList lines;
    std::string path = app::AppPath(appDir, app::kUserFoldersFile);
    if (fw::FileExists(path)) lines.LoadFromFile(path);
    std::vector<std::string> result;
    for (int i = 0; i < lines.GetCount(); ++i) result.push_back(lines.GetStrings(i));
    return result;
  }

  TRedirectedFolders folders;
  app::TShortcutDoctor* tool = nullptr;
};

// ---- Path list and ticks ----

TEST_F(ShortcutDoctorTest, TheListHoldsTheSpecialFolderRowThenTheFixedAndNetworkDrives) {
  ASSERT_NE(app::driveList, nullptr);
  std::vector<std::string> expected = {"Only special folder|45|x||||||"};
  for (const app::TDriveInfo& drive : *app::driveList) {
    if (drive.DriveType == DRIVE_REMOVABLE) continue;
    expected.push_back(drive.Root + "|" + std::to_string(drive.DriveType == DRIVE_FIXED ? 17 : 15) + "|-|" +
                       drive.VolumeLabel + "|" + drive.FileSystem + "|" + drive.Serial + "|" +
                       app::FormatFileSize(drive.TotalSize) + "|" + app::FormatFileSize(drive.FreeSize) + "|" +
                       std::to_string(drive.DriveType));
  }
  std::vector<std::string> rows;
  for (int i = 0; i < Paths()->GetCount(); ++i) {
    fw::TListItem* item = Paths()->GetItem(i);
    std::string row = item->GetCaption() + "|" + std::to_string(item->GetImageIndex()) + "|" +
                      (item->GetChecked() ? "x" : "-");
    fw::TStrings* sub = item->GetSubItems();
    for (int s = 0; s < 6; ++s) row += "|" + (s < sub->GetCount() ? sub->GetStrings(s) : std::string());
    rows.push_back(row);
  }
  EXPECT_EQ(rows, expected);
  EXPECT_GE(rows.size(), 2u) << "the sandbox has its C: drive";
  EXPECT_TRUE(app::frmMain->pnlSD->GetVisible());
  EXPECT_FALSE(tool->btnSDRepare->GetVisible());
  EXPECT_FALSE(tool->btnSDRepare->GetEnabled());
  EXPECT_FALSE(tool->btnSDDelete->GetEnabled());
  EXPECT_FALSE(tool->btnSDStop->GetEnabled());
}

TEST_F(ShortcutDoctorTest, ClicksAndTheSpaceBarKeepTheTwoKindsOfRowsExclusive) {
  int drives = Paths()->GetCount() - 1;
  fw::TListItem* a = AddFolder(folder + "A");
  fw::TListItem* b = AddFolder(folder + "B");
  std::string none(drives, '-');
  EXPECT_EQ(Ticks(), "x" + none + "--");
  ClickBox(a);
  EXPECT_EQ(Ticks(), "-" + none + "x-");
  ClickBox(b);
  EXPECT_EQ(Ticks(), "-" + none + "xx");
  ClickBox(a);
  EXPECT_EQ(Ticks(), "-" + none + "-x");
  ClickBox(b);
  EXPECT_EQ(Ticks(), "x" + none + "--") << "the last folder unticked ticks the special folder again";
  ClickBox(a);
  ClickBox(b);
  ClickBox(Paths()->GetItem(0));
  EXPECT_EQ(Ticks(), "x" + none + "--");
  PressSpace(b);
  EXPECT_EQ(Ticks(), "-" + none + "-x");
  PressSpace(Paths()->GetItem(0));
  EXPECT_EQ(Ticks(), "x" + none + "--");
  PressSpace(a);
  PressSpace(a);
  EXPECT_EQ(Ticks(), "x" + none + "--");
}

TEST_F(ShortcutDoctorTest, AddAppendsToTheUserFoldersAndOpeningAgainStartsFromTheDrives) {
  fw::CreateDir(appDir + "config");
  testing_sandbox::WriteFile(appDir + "config\\usrfldr.ini", "D:\\Earlier\r\n");
  int rows = Paths()->GetCount();
  fw::TListItem* added = AddFolder(folder + "Added");
  EXPECT_EQ(added->GetCaption(), folder + "Added");
  EXPECT_EQ(added->GetImageIndex(), 16);
  EXPECT_FALSE(added->GetChecked());
  EXPECT_EQ(added->GetSubItems()->GetStrings(5), "-1");
  EXPECT_EQ(UserFolders(), (std::vector<std::string>{"D:\\Earlier", folder + "Added"}));
  // Cancelled: nothing changes.
  tool->btnSDAddPath->Click();
  EXPECT_EQ(scriptedFiles->Browses.size(), 2u);
  EXPECT_EQ(Paths()->GetCount(), rows + 1);
  EXPECT_EQ(UserFolders(), (std::vector<std::string>{"D:\\Earlier", folder + "Added"}));

  ClickBox(added);
  OpenTool();
  EXPECT_EQ(Paths()->GetCount(), rows);
  EXPECT_TRUE(Paths()->GetItem(0)->GetChecked());
  EXPECT_EQ(UserFolders(), (std::vector<std::string>{"D:\\Earlier", folder + "Added"}));
}

// ---- Search ----

class ShortcutDoctorSearchTest : public ShortcutDoctorTest {
 protected:
  void MakeLinks(const std::string& root) {
    MakeBrokenLink(root + "tool.lnk", folder + "gone\\tool.exe", folder + "gone");
    MakeBrokenLink(root + "report.lnk", folder + "report.html");
    MakeBrokenLink(root + "dir.lnk", folder + "gone dir", "", true);
    testing_sandbox::WriteFile(folder + "present.txt", "x");
    MakeLink(root + "present.lnk", folder + "present.txt");
    testing_sandbox::WriteFile(root + "x.lnk", "not a shortcut");
    MakeItemLink(root + "computer.lnk", CSIDL_DRIVES);
    MakeBrokenLink(root + "sub\\deep.lnk", folder + "gone2\\deep.exe", folder + "gone2");
    MakeBrokenLink(root + "hidden.lnk", folder + "gone3\\hidden.exe", folder + "gone3");
    SetFileAttributesA((root + "hidden.lnk").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  }
};

TEST_F(ShortcutDoctorSearchTest, ListsExactlyTheLinksToMissingFilesWithAFourCharacterExtension) {
  std::string root = folder + "links\\";
  MakeLinks(root);
  Search({folder + "links"});
  EXPECT_EQ(ResultRows(), (std::vector<std::string>{
                              "tool.lnk|" + folder + "gone\\tool.exe|file not exist|" + root + "tool.lnk",
                              "deep.lnk|" + folder + "gone2\\deep.exe|file not exist|" + root + "sub\\deep.lnk"}));
  EXPECT_EQ(scripted->Texts, std::vector<std::string>{"Complete."});
  EXPECT_EQ(Status(0), "Search done");
  EXPECT_EQ(Status(2), "    2 invalid shortcuts found");
  EXPECT_TRUE(tool->btnSDDelete->GetEnabled());
  EXPECT_TRUE(tool->btnSDRepare->GetEnabled());
  EXPECT_FALSE(tool->btnSDRepare->GetVisible());
  ExpectIdle();
}

// A target counts as a missing file only when nothing of its path is there, a folder included,
// and when its extension is four characters long, counted as the system counts them (UTF-16
// units, not UTF-8 bytes): ".tëx" is four characters in five bytes, ".üx" three in four.
TEST_F(ShortcutDoctorSearchTest, FoldersThereAndExtensionsCountedInCharacters) {
  std::string root = folder + "links\\";
  testing_sandbox::MakeFolders(root);
  testing_sandbox::MakeFolders(folder + "Backup.old");
  MakeLink(root + "backup.lnk", folder + "Backup.old");
  MakeBrokenLink(root + "tex.lnk", folder + "gone\\paper.t\xC3\xABx", folder + "gone");
  MakeBrokenLink(root + "ux.lnk", folder + "gone2\\paper.\xC3\xBCx", folder + "gone2");
  Search({folder + "links"});
  EXPECT_EQ(ResultRows(), (std::vector<std::string>{"tex.lnk|" + folder + "gone\\paper.t\xC3\xABx|file not exist|" +
                                                    root + "tex.lnk"}));
}

TEST_F(ShortcutDoctorSearchTest, TheSpecialFolderRowWalksTheDesktopOnly) {
  MakeBrokenLink(folders.Desktop + "\\desk.lnk", folder + "gone\\desk.exe", folder + "gone");
  MakeBrokenLink(folders.StartMenu + "\\menu.lnk", folder + "gone2\\menu.exe", folder + "gone2");
  MakeBrokenLink(folders.AppData + "\\Quick Launch\\quick.lnk", folder + "gone3\\quick.exe", folder + "gone3");
  Search();
  EXPECT_EQ(ResultRows(), (std::vector<std::string>{"desk.lnk|" + folder + "gone\\desk.exe|file not exist|" +
                                                    folders.Desktop + "\\desk.lnk"}));
  // A Desktop the system cannot name is not searched, and never the current folder instead.
  folders.Desktop = "";
  wchar_t saved[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, saved);
  SetCurrentDirectoryA(folders.StartMenu.c_str());
  Search();
  SetCurrentDirectoryW(saved);
  EXPECT_TRUE(ResultRows().empty());
  EXPECT_EQ(Status(2), "    0 invalid shortcuts found");
}

TEST_F(ShortcutDoctorSearchTest, NothingFoundKeepsDeleteDisabled) {
  MakeLinks(folder + "links\\");
  testing_sandbox::RemoveTree(folder + "links\\tool.lnk");
  testing_sandbox::RemoveTree(folder + "links\\sub");
  AddFolder(folder + "missing root")->SetChecked(true);
  testing_sandbox::RemoveTree(folder + "missing root");
  Search({folder + "links"});
  EXPECT_TRUE(ResultRows().empty());
  EXPECT_EQ(Status(0), "Search done");
  EXPECT_EQ(Status(2), "    0 invalid shortcuts found");
  EXPECT_EQ(scripted->Texts, std::vector<std::string>{"Complete."});
  EXPECT_FALSE(tool->btnSDDelete->GetEnabled());
  ExpectIdle();
}

TEST_F(ShortcutDoctorSearchTest, StopEndsTheSearchWithoutTheClosingMessage) {
  std::string root = folder + "many\\";
  testing_sandbox::MakeFolders(root);
  for (int i = 0; i < 40; ++i) testing_sandbox::WriteFile(root + "f" + std::to_string(i) + ".txt", "x");
  MakeBrokenLink(folder + "later\\late.lnk", folder + "gone\\late.exe", folder + "gone");
  // The Stop click waits in the queue until the search lets messages through.
  AddFolder(folder + "many")->SetChecked(true);
  AddFolder(folder + "later")->SetChecked(true);
  PostMessageA(tool->btnSDStop->GetHandle(), BM_CLICK, 0, 0);
  Search();
  EXPECT_TRUE(app::frmMain->canceled);
  EXPECT_EQ(Status(0), "Canceled by user");
  EXPECT_TRUE(ResultRows().empty()) << "no further root is searched";
  EXPECT_TRUE(scripted->Texts.empty());
  ExpectIdle();
}

TEST_F(ShortcutDoctorSearchTest, ALinkObjectThatCannotBeMadeListsNothingAndAFailureGivesTheControlsBack) {
  MakeLinks(folder + "links\\");
  AddFolder(folder + "links")->SetChecked(true);
  svc::testing::SetShellLinkFactory([](IShellLinkW** link) {
    *link = nullptr;
    return E_FAIL;
  });
  Search();
  EXPECT_TRUE(ResultRows().empty());
  EXPECT_EQ(scripted->Texts, std::vector<std::string>{"Complete."});
  svc::testing::SetShellLinkFactory([](IShellLinkW**) -> HRESULT { throw fw::Exception("no link object"); });
  EXPECT_THROW(tool->btnSDSearch->Click(), fw::Exception);
  ExpectIdle();
}

TEST(ShortcutInfo, ReadsEveryFieldWithoutResolving) {
  std::string folder = testing_sandbox::TestFolder();
  std::string target = folder + "App Dir\\run.exe";
  testing_sandbox::MakeFolders(folder + "App Dir");
  testing_sandbox::WriteFile(target, "x");
  MakeLink(folder + "run.lnk", target, "/a /b", folder, folder + "icon.ico", 3, "Runs it");
  testing_sandbox::RemoveTree(folder + "App Dir");
  app::TShortcutInfo info;
  info.FileName = folder + "run.lnk";
  app::ReadShortcutInfo(info);
  EXPECT_EQ(info.Path, target);
  EXPECT_EQ(info.Arguments, "/a /b");
  EXPECT_EQ(info.WorkingDirectory, folder);
  EXPECT_EQ(info.Description, "Runs it");
  EXPECT_EQ(info.IconLocation, folder + "icon.ico");
  EXPECT_EQ(info.IconIndex, 3);
  EXPECT_EQ(app::Narrow(info.FindData.cFileName), "run.exe");

  app::TShortcutInfo notLink;
  testing_sandbox::WriteFile(folder + "x.lnk", "not a shortcut");
  notLink.FileName = folder + "x.lnk";
  app::ReadShortcutInfo(notLink);
  EXPECT_EQ(notLink.Path, "");
}

// ---- Targets outside the ANSI code page, and long paths ----

const std::string kProgram = testing_sandbox::kLatinName;
const std::string kUnicode = testing_sandbox::kUnicodeName;

// A folder in folder (with its trailing backslash) for a good target whose UTF-8 form is longer
// than MAX_PATH bytes while its UTF-16 form fits well: read into a field of MAX_PATH + 1 bytes
// through the narrow interface (even in the UTF-8 code page), it is cut right after
// "fake.exe", a path that does not exist and ends in a four-character extension.
std::string CutInNarrowField(const std::string& folder) {
  const std::string cut = " fake.exe";
  size_t room = MAX_PATH - folder.size() - cut.size();
  return folder + testing_sandbox::WideCharacters(static_cast<int>(room / 3)) + std::string(room % 3, 'a') + cut +
         " more\\";
}

// The link's target as the shell's link object itself reads it back through its wide interface.
std::string StoredTarget(const std::string& link) { return startup_testing::ReadLink(link).Target; }

// Each Unicode test runs with the system's own link object, and with one whose narrow interface
// answers as a system whose ANSI code page is 1252 would: there a reader that slipped back to the
// narrow interface reads "Pr\xF6gram" (U+FFFD once taken as UTF-8) and "?" for "日本". Both load
// and save only the link file names Windows takes (support/scripted_link.h).
class ShortcutDoctorUnicodeTest : public ShortcutDoctorTest, public ::testing::WithParamInterface<UINT> {
 protected:
  void SetUp() override {
    ShortcutDoctorTest::SetUp();
    testing_support::UseScriptedLink(S_OK, GetParam());
  }
  // A link to an existing file; fails the test when the system does not keep the target.
  void MakeGoodLink(const std::string& link, const std::string& target) {
    testing_sandbox::MakeFolders(fw::ExtractFilePath(target));
    testing_sandbox::WriteFile(target, "MZ");
    testing_sandbox::MakeFolders(fw::ExtractFilePath(link));
    MakeLink(link, target);
    ASSERT_EQ(StoredTarget(link), target) << "the system keeps the target as given";
  }
  // Every row ticked and deleted for good; the closing message says all went.
  void DeleteEveryRow() {
    app::SaveRemoveSettings(appDir, 2, "", false);
    for (int i = 0; i < Results()->GetCount(); ++i) Results()->GetItem(i)->SetChecked(true);
    scripted->Answers.push_back(fw::mrYes);
    scripted->Texts.clear();
    tool->btnSDDelete->Click();
    Pump();
    EXPECT_EQ(scripted->Texts, (std::vector<std::string>{"Delete files?", "Complete."}));
  }
  void MakeGoneLink(const std::string& link, const std::string& target) {
    MakeBrokenLink(link, target, fw::ExcludeTrailingBackslash(fw::ExtractFilePath(target)));
    ASSERT_EQ(StoredTarget(link), target) << "the system keeps the target as given";
  }
};

TEST_P(ShortcutDoctorUnicodeTest, GoodTargetsAreNeverListedAndMissingOnesAreShownExactly) {
  const std::string root = folder + "links\\";
  const std::string program = folder + kProgram + "\\app.exe";
  const std::string unicode = folder + kUnicode + "\\app.exe";
  const std::string many = CutInNarrowField(folder) + "app.exe";
  ASSERT_GT(many.size(), static_cast<size_t>(MAX_PATH)) << "its UTF-8 form is longer than MAX_PATH bytes";
  ASSERT_LT(testing_sandbox::SystemLength(many), static_cast<size_t>(MAX_PATH)) << "its UTF-16 form fits";
  MakeGoodLink(root + "program.lnk", program);
  MakeGoodLink(root + kUnicode + ".lnk", unicode);
  MakeGoodLink(root + "many.lnk", many);
  const std::string goneProgram = folder + kProgram + " gone\\tool.exe";
  const std::string goneUnicode = folder + kUnicode + " gone\\tool.exe";
  MakeGoneLink(root + "gone program.lnk", goneProgram);
  MakeGoneLink(root + kUnicode + " gone.lnk", goneUnicode);

  Search({folder + "links"});
  std::vector<std::string> rows = ResultRows();
  std::sort(rows.begin(), rows.end());
  std::vector<std::string> expected = {
      "gone program.lnk|" + goneProgram + "|file not exist|" + root + "gone program.lnk",
      kUnicode + " gone.lnk|" + goneUnicode + "|file not exist|" + root + kUnicode + " gone.lnk"};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(rows, expected);
  // The list view shows the targets as they are, no U+FFFD.
  for (int row = 0; row < Results()->GetCount(); ++row)
    EXPECT_EQ(fw::WideToUtf8(testing_gui::ListViewCellText(tool->lvSDRes->GetHandle(), row, 1)),
              Results()->GetItem(row)->GetSubItems()->GetStrings(0));

  // Every row ticked and deleted: the missing ones go, every good one stays.
  DeleteEveryRow();
  EXPECT_TRUE(ResultRows().empty());
  EXPECT_FALSE(testing_sandbox::Exists(root + "gone program.lnk"));
  EXPECT_FALSE(testing_sandbox::Exists(root + kUnicode + " gone.lnk"));
  for (const std::string& good : {root + "program.lnk", root + kUnicode + ".lnk", root + "many.lnk"})
    EXPECT_TRUE(testing_sandbox::Exists(good)) << good;
}

TEST_P(ShortcutDoctorUnicodeTest, ShortcutsOnLongPathsAreFoundReadAndRemoved) {
  const std::string root = folder + "links\\";
  // The 308 characters, and the sandbox's hard paths (337, one of them with foreign names).
  const std::string deep = testing_sandbox::LengthenedFolder(root + "deep\\", "gone308.lnk", 308) + "gone308.lnk";
  ASSERT_EQ(testing_sandbox::SystemLength(deep), 308u);
  std::vector<std::string> gone = {deep};
  std::vector<std::string> good;
  for (const testing_sandbox::THardPath& c : testing_sandbox::HardPaths(root, "gone.lnk")) {
    if (c.Label == "characters") continue;
    gone.push_back(c.Path());
    good.push_back(c.Folder + "good.lnk");
  }
  const std::string target = folder + kProgram + "\\app.exe";
  for (const std::string& link : good) MakeGoodLink(link, target);
  for (size_t i = 0; i < gone.size(); ++i) {
    testing_sandbox::MakeFolders(fw::ExtractFilePath(gone[i]));
    MakeGoneLink(gone[i], folder + "gone" + std::to_string(i) + "\\" + kProgram + ".exe");
  }

  Search({folder + "links"});
  std::vector<std::string> rows = ResultRows();
  std::vector<std::string> expected;
  for (size_t i = 0; i < gone.size(); ++i)
    expected.push_back(fw::ExtractFileName(gone[i]) + "|" + folder + "gone" + std::to_string(i) + "\\" + kProgram +
                       ".exe|file not exist|" + gone[i]);
  std::sort(rows.begin(), rows.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(rows, expected);

  DeleteEveryRow();
  for (const std::string& link : gone) EXPECT_FALSE(testing_sandbox::Exists(link)) << link;
  for (const std::string& link : good) EXPECT_TRUE(testing_sandbox::Exists(link)) << link;
  EXPECT_EQ(testing_support::TStrictNameFile::refusals, 0) << "every long link name goes with \\\\?\\";
}

// Links an ordinary program (code page 1252, support/ansi_links.h) wrote keep their targets' path
// text in that code page, where a reader of the UTF-8 code page finds U+FFFD for "ö": the targets
// are read from the links' item ID lists.
TEST_P(ShortcutDoctorUnicodeTest, LinksOfAnOrdinaryProgramAreReadAsItWroteThem) {
  using testing_support::TAnsiLinkCall;
  const std::string root = folder + "links\\";
  testing_sandbox::MakeFolders(root);
  const std::string program = folder + kProgram + "\\app.exe";
  const std::string unicode = folder + kUnicode + "\\app.exe";
  const std::string goneProgram = folder + kProgram + " gone\\tool.exe";
  const std::string goneUnicode = folder + kUnicode + " gone\\tool.exe";
  for (const std::string& target : {program, unicode, goneProgram, goneUnicode}) {
    testing_sandbox::MakeFolders(fw::ExtractFilePath(target));
    testing_sandbox::WriteFile(target, "MZ");
  }
  testing_support::WriteAnsiLink(root + "program narrow.lnk", program, TAnsiLinkCall::Narrow);
  testing_support::WriteAnsiLink(root + "program wide.lnk", program, TAnsiLinkCall::Wide);
  testing_support::WriteAnsiLink(root + "unicode wide.lnk", unicode, TAnsiLinkCall::Wide);
  testing_support::WriteAnsiLink(root + "folder.lnk", folder + kProgram, TAnsiLinkCall::Narrow);
  testing_support::WriteAnsiLink(root + "gone narrow.lnk", goneProgram, TAnsiLinkCall::Narrow);
  testing_support::WriteAnsiLink(root + "gone wide.lnk", goneUnicode, TAnsiLinkCall::Wide);
  for (const std::string& target : {goneProgram, goneUnicode}) testing_sandbox::RemoveTree(fw::ExtractFilePath(target));

  Search({folder + "links"});
  std::vector<std::string> rows = ResultRows();
  std::sort(rows.begin(), rows.end());
  EXPECT_EQ(rows, (std::vector<std::string>{
                      "gone narrow.lnk|" + goneProgram + "|file not exist|" + root + "gone narrow.lnk",
                      "gone wide.lnk|" + goneUnicode + "|file not exist|" + root + "gone wide.lnk"}));
  DeleteEveryRow();
  for (const char* good : {"program narrow.lnk", "program wide.lnk", "unicode wide.lnk", "folder.lnk"})
    EXPECT_TRUE(testing_sandbox::Exists(root + good)) << good;
}

// Without an item ID list only the path text names the target: one that could not be read exactly
// (holding U+FFFD) may name a file that is there, and is never listed; one read exactly still is.
TEST_P(ShortcutDoctorUnicodeTest, ATargetThatCannotBeReadExactlyIsNeverListed) {
  using testing_support::TAnsiLinkCall;
  const std::string root = folder + "links\\";
  testing_sandbox::MakeFolders(root);
  const std::string program = folder + kProgram + "\\app.exe";
  const std::string gone = folder + "gone\\tool.exe";
  for (const std::string& target : {program, gone}) {
    testing_sandbox::MakeFolders(fw::ExtractFilePath(target));
    testing_sandbox::WriteFile(target, "MZ");
  }
  testing_support::WriteAnsiLink(root + "program.lnk", program, TAnsiLinkCall::Narrow);
  testing_support::WriteAnsiLink(root + "gone.lnk", gone, TAnsiLinkCall::Narrow);
  testing_sandbox::RemoveTree(fw::ExtractFilePath(gone));
  for (const char* link : {"program.lnk", "gone.lnk"}) testing_support::DropItemIdList(root + link);
  app::TShortcutInfo info;
  info.FileName = root + "program.lnk";
  app::ReadShortcutInfo(info);
  ASSERT_NE(info.Path.find("\xEF\xBF\xBD"), std::string::npos) << "the path text names no file: " << info.Path;

  Search({folder + "links"});
  EXPECT_EQ(ResultRows(), (std::vector<std::string>{"gone.lnk|" + gone + "|file not exist|" + root + "gone.lnk"}));
}

INSTANTIATE_TEST_SUITE_P(LinkObjects, ShortcutDoctorUnicodeTest, ::testing::Values(0u, 1252u),
                         testing_support::LinkObjectName);

TEST(ShortcutInfo, ReadsUnicodeTextsAndLongLinkNamesThroughTheWideInterface) {
  std::string folder = testing_sandbox::TestFolder();
  for (UINT codePage : {0u, 1252u}) {
    SCOPED_TRACE(codePage);
    testing_support::UseScriptedLink(S_OK, codePage);
    std::string target = folder + kUnicode + "\\" + kProgram + ".exe";
    std::string many = folder + testing_sandbox::WideCharacters(100) + "\\";
    testing_sandbox::MakeFolders(folder + kUnicode);
    testing_sandbox::WriteFile(target, "MZ");
    std::string link = testing_sandbox::LengthenedFolder(folder + "long\\", "u.lnk", 300) + "u.lnk";
    testing_sandbox::MakeFolders(fw::ExtractFilePath(link));
    // Arguments far longer than MAX_PATH, which the link object cuts to any buffer without a word.
    std::string arguments;
    for (int i = 0; i < 150; ++i) arguments += "/" + kUnicode + " ";
    MakeLink(link, target, arguments, many, folder + kProgram + ".ico", 2, kUnicode);
    app::TShortcutInfo info;
    info.FileName = link;
    app::ReadShortcutInfo(info);
    EXPECT_EQ(info.Path, target);
    EXPECT_EQ(info.Arguments, arguments) << "read whole";
    EXPECT_EQ(info.WorkingDirectory, many);
    EXPECT_EQ(info.Description, kUnicode);
    EXPECT_EQ(info.IconLocation, folder + kProgram + ".ico");
    EXPECT_EQ(info.IconIndex, 2);
    EXPECT_EQ(app::Narrow(info.FindData.cFileName), kProgram + ".exe");
    EXPECT_EQ(testing_support::TScriptedLink::narrowQueries, 0) << "the narrow interface is never asked";
  }
  svc::testing::SetShellLinkFactory(nullptr);
}

// ---- Delete ----

class ShortcutDoctorDeleteTest : public ShortcutDoctorTest, public ::testing::WithParamInterface<int> {
 protected:
  // Two broken links of one name (a name of its own, to be found in the sandbox's trash), in the
  // folders "ticked" and "other"; only the first is ticked in the result.
  void FindTwins() {
    MakeBrokenLink(folder + "ticked\\" + name, folder + "gone\\tool.exe", folder + "gone");
    MakeBrokenLink(folder + "other\\" + name, folder + "gone\\tool.exe", folder + "gone");
    Search({folder + "ticked", folder + "other"});
    ASSERT_EQ(ResultRows().size(), 2u);
    for (int i = 0; i < Results()->GetCount(); ++i)
      Results()->GetItem(i)->SetChecked(app::TShortcutDoctor::ShortcutPath(Results()->GetItem(i)) ==
                                        folder + "ticked\\" + name);
  }
  void Delete(int answer = fw::mrYes) {
    scripted->Texts.clear();
    scripted->Answers.push_back(answer);
    tool->btnSDDelete->Click();
    Pump();
  }
  const std::string stem = "sd-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount());
  const std::string name = stem + ".lnk";
};

TEST_P(ShortcutDoctorDeleteTest, RemovesExactlyTheTickedShortcutByTheMethod) {
  int method = GetParam();
  std::string removal = folder + "removed\\";
  testing_sandbox::MakeFolders(removal);
  testing_sandbox::WriteFile(removal + name, "earlier");
  app::SaveRemoveSettings(appDir, method, removal, false);
  FindTwins();
  // A file of the caption's name in the current folder.
  testing_sandbox::MakeFolders(folder + "cwd");
  testing_sandbox::WriteFile(folder + "cwd\\" + name, "decoy");
  wchar_t saved[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, saved);
  SetCurrentDirectoryA((folder + "cwd").c_str());
  Delete();
  SetCurrentDirectoryW(saved);
  EXPECT_EQ(scripted->Texts, (std::vector<std::string>{"Delete files?", "Complete."}));
  EXPECT_FALSE(testing_sandbox::Exists(folder + "ticked\\" + name));
  EXPECT_TRUE(testing_sandbox::Exists(folder + "other\\" + name));
  EXPECT_EQ(testing_sandbox::ReadFile(folder + "cwd\\" + name), "decoy");
  EXPECT_EQ(testing_sandbox::ReadFile(removal + name), "earlier");
  EXPECT_EQ(testing_sandbox::Exists(removal + stem + " (2).lnk"), method == 3);
  const char* trash = std::getenv("VORLET_SANDBOX_TRASH");
  ASSERT_NE(trash, nullptr);
  EXPECT_EQ(GetFileAttributesA((std::string(trash) + "\\" + name).c_str()) != INVALID_FILE_ATTRIBUTES, method == 1);
  EXPECT_EQ(ResultRows(), (std::vector<std::string>{name + "|" + folder + "gone\\tool.exe|file not exist|" + folder +
                                                    "other\\" + name}));
}

INSTANTIATE_TEST_SUITE_P(Methods, ShortcutDoctorDeleteTest, ::testing::Values(1, 2, 3));

TEST_F(ShortcutDoctorDeleteTest, AShortcutThatCannotGoOrHasGoneKeepsItsRowAndIsReported) {
  app::SaveRemoveSettings(appDir, 2, "", false);
  FindTwins();
  {
    THeldFile held(folder + "ticked\\" + name);
    Delete();
  }
  EXPECT_EQ(scripted->Texts, (std::vector<std::string>{"Delete files?", "Complete. Some files can not be deleted."}));
  EXPECT_TRUE(testing_sandbox::Exists(folder + "ticked\\" + name));
  EXPECT_EQ(ResultRows().size(), 2u);

  testing_sandbox::RemoveTree(folder + "ticked\\" + name);
  Delete();
  EXPECT_EQ(scripted->Texts, (std::vector<std::string>{"Delete files?", "Complete. Some files can not be deleted."}));
  EXPECT_EQ(ResultRows().size(), 2u);
}

// A shortcut another process holds open cannot go to the recycle bin: the shell's question
// whether to delete it outright belongs to the main window, which is disabled meanwhile.
// Answered No, the shortcut stays.
TEST_F(ShortcutDoctorDeleteTest, TheShellsQuestionDisablesTheMainWindow) {
  app::SaveRemoveSettings(appDir, 1, "", false);
  FindTwins();
  testing_support::ExpectQuestionOwnedBy(app::frmMain->GetHandle(), folder + "ticked\\" + name, [&] { Delete(); });
  EXPECT_EQ(scripted->Texts, (std::vector<std::string>{"Delete files?", "Complete. Some files can not be deleted."}));
  EXPECT_TRUE(testing_sandbox::Exists(folder + "ticked\\" + name));
  EXPECT_EQ(ResultRows().size(), 2u);
}

TEST_F(ShortcutDoctorDeleteTest, NoChangesNothing) {
  app::SaveRemoveSettings(appDir, 2, "", false);
  FindTwins();
  Delete(fw::mrNo);
  EXPECT_EQ(scripted->Texts, std::vector<std::string>{"Delete files?"});
  EXPECT_TRUE(testing_sandbox::Exists(folder + "ticked\\" + name));
  EXPECT_EQ(ResultRows().size(), 2u);
}

}  // namespace
