// The Uninstaller on the real main window, over the sandbox prefix's real uninstall key. Every
// entry of these tests is a subkey whose name begins with kPrefix; such subkeys are removed before
// and after each test, and no other subkey is ever touched. The programs the entries start are
// copies of uninstall_marker.exe, which notes its own path and command line beside itself.
#include <string>
#include <vector>

#include "app/main/system_frame.h"
#include "app/shared/wide_text.h"
#include "app/tools/uninstaller.h"
#include "framework/classes/registry.h"
#include "framework/classes/string_list.h"
#include "main_window_fixture.h"

namespace {

constexpr char kPrefix[] = "VorletUninstallerTest_";
const std::wstring kUninstallKeyW = app::Widen(app::kUninstallKey);

struct TValue {
  std::string Name;
  DWORD Type;
  std::string Text;  // a string value's text, or a REG_DWORD's number in decimal
};

std::string ModuleFolder() {
  std::wstring path(32768, L'\0');
  path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
  return fw::ExtractFilePath(app::Narrow(path));
}

// Waits up to milliseconds for a file to appear (letting the window's messages through).
bool WaitForFile(const std::string& path, DWORD milliseconds) {
  DWORD start = GetTickCount();
  while (!testing_sandbox::Exists(path)) {
    if (GetTickCount() - start > milliseconds) return false;
    fw::Application->ProcessMessages();
    Sleep(20);
  }
  return true;
}

class UninstallerTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    RemoveTestEntries();
    Start();
    app::frmMain->barMenu->OpenItem(1, false);
    Pump();
    app::frmMain->frmSystem1->kSpeedButton2Click(nullptr);
    Pump();
    tool = &app::frmMain->Uninstaller();
  }
  void TearDown() override {
    MainWindowTest::TearDown();
    RemoveTestEntries();
  }

  static void RemoveTestEntries() {
    fw::TRegistry registry;
    registry.SetRootKey(HKEY_LOCAL_MACHINE);
    fw::TStringList names;
    if (registry.OpenKeyReadOnly(app::kUninstallKey)) registry.GetKeyNames(names);
    registry.CloseKey();
    for (int i = 0; i < names.GetCount(); ++i)
      if (names.GetStrings(i).rfind(kPrefix, 0) == 0)
        registry.DeleteKey(std::string(app::kUninstallKey) + "\\" + names.GetStrings(i));
  }

  static std::string KeyPath(const std::string& name) { return std::string(app::kUninstallKey) + "\\" + kPrefix + name; }

  static void MakeEntry(const std::string& name, const std::vector<TValue>& values) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, app::Widen(KeyPath(name)).c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    for (const TValue& value : values) {
      std::wstring valueName = app::Widen(value.Name);
      if (value.Type == REG_DWORD) {
        DWORD number = static_cast<DWORD>(std::stoul(value.Text));
        RegSetValueExW(key, valueName.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
      } else {
        std::wstring text = app::Widen(value.Text);
        RegSetValueExW(key, valueName.c_str(), 0, value.Type, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
      }
    }
    RegCloseKey(key);
  }
  // A program entry with its display name (kPrefix + name) and uninstall command.
  static void MakeProgram(const std::string& name, const std::string& command, DWORD type = REG_SZ) {
    MakeEntry(name, {{"DisplayName", REG_SZ, kPrefix + name}, {"UninstallString", type, command}});
  }
  static bool EntryExists(const std::string& name) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, app::Widen(KeyPath(name)).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
      return false;
    RegCloseKey(key);
    return true;
  }

  // The rows of this test's entries: caption without the prefix and every sub-item, "|"-joined.
  std::vector<std::string> TestRows() {
    std::vector<std::string> rows;
    fw::TListItems* items = tool->lvUI->GetItems();
    for (int i = 0; i < items->GetCount(); ++i) {
      fw::TListItem* item = items->GetItem(i);
      if (item->GetCaption().rfind(kPrefix, 0) != 0) continue;
      std::string row = item->GetCaption().substr(std::string(kPrefix).size());
      for (int s = 0; s < item->GetSubItems()->GetCount(); ++s) row += "|" + item->GetSubItems()->GetStrings(s);
      rows.push_back(row);
    }
    return rows;
  }
  fw::TListItem* Row(const std::string& name) {
    fw::TListItems* items = tool->lvUI->GetItems();
    for (int i = 0; i < items->GetCount(); ++i)
      if (items->GetItem(i)->GetCaption() == kPrefix + name) return items->GetItem(i);
    return nullptr;
  }
  // The five details edits, "|"-joined.
  std::string Details() {
    return tool->kEdit1->GetText() + "|" + tool->kEdit2->GetText() + "|" + tool->kEdit3->GetText() + "|" +
           tool->kEdit4->GetText() + "|" + tool->kEdit5->GetText();
  }
  void Select(fw::TListItem* item) {
    ASSERT_NE(item, nullptr);
    item->SetSelected(true);
    Pump();
  }
  // A row that only a fresh listing removes: it tells whether the list was filled again.
  void AddSentinel() { tool->lvUI->GetItems()->Add()->SetCaption("sentinel"); }
  bool HasSentinel() { return tool->lvUI->FindCaption(0, "sentinel", false, true, false) != nullptr; }

  // Selects the entry's row and presses Uninstall.
  void Uninstall(const std::string& name) {
    Select(Row(name));
    AddSentinel();
    tool->kBitBtn1->Click();
    Pump();
  }
  // Copies the stand-in program to path; its notes will be path + ".txt".
  static void PlaceProgram(const std::string& path) {
    testing_sandbox::MakeFolders(fw::ExtractFilePath(path));
    ASSERT_TRUE(CopyFileW(app::Widen(ModuleFolder() + "uninstall_marker.exe").c_str(), app::Widen(path).c_str(), FALSE))
        << path;
  }
  // The two lines the program at path noted: its path and its command line.
  static std::string Notes(const std::string& path) {
    if (!WaitForFile(path + ".txt", 15000)) return "(did not run)";
    return testing_sandbox::ReadFile(path + ".txt");
  }

  app::TUninstaller* tool = nullptr;
};

// ---- Listing ----

TEST_F(UninstallerTest, ListsEveryEntryWithADisplayNameAndReadsNumbersAsText) {
  MakeEntry("A_Full", {{"DisplayName", REG_SZ, std::string(kPrefix) + "A_Full"},
                       {"UninstallString", REG_SZ, "\"C:\\Full\\un.exe\" /S"},
                       {"DisplayIcon", REG_SZ, "C:\\Full\\app.ico"},
                       {"DisplayVersion", REG_SZ, "1.2.3"},
                       {"InstallDate", REG_SZ, "20261207"},
                       {"Publisher", REG_SZ, "Vorlet \u00c9diteur"},
                       {"Size", REG_SZ, "12 MB"}});
  MakeEntry("B_NoName", {{"UninstallString", REG_SZ, "C:\\NoName\\un.exe"}, {"Publisher", REG_SZ, "x"}});
  MakeEntry("C_NameOnly", {{"DisplayName", REG_SZ, std::string(kPrefix) + "C_NameOnly"}});
  MakeEntry("D_Numbers", {{"DisplayName", REG_SZ, std::string(kPrefix) + "D_Numbers"},
                          {"Size", REG_DWORD, "4294967295"},
                          {"InstallDate", REG_MULTI_SZ, "20260101"},
                          {"DisplayVersion", REG_EXPAND_SZ, "%Version%"}});
  MakeEntry("E_Later", {{"DisplayName", REG_SZ, std::string(kPrefix) + "E_Later"}, {"Size", REG_DWORD, "4096"}});
  // An entry whose display name is a number shows it too.
  MakeEntry("F_NumberName", {{"DisplayName", REG_DWORD, "7"}});
  tool->ListUninstallEntries();

  EXPECT_EQ(TestRows(), (std::vector<std::string>{
                            "A_Full|\"C:\\Full\\un.exe\" /S|C:\\Full\\app.ico|1.2.3|20261207|Vorlet \u00c9diteur|12 MB|" +
                                std::string(kPrefix) + "A_Full",
                            "C_NameOnly|||||||" + std::string(kPrefix) + "C_NameOnly",
                            "D_Numbers|||%Version%|||4294967295|" + std::string(kPrefix) + "D_Numbers",
                            "E_Later||||||4096|" + std::string(kPrefix) + "E_Later"}));
  EXPECT_NE(tool->lvUI->FindCaption(0, "7", false, true, false), nullptr);
  EXPECT_EQ(Row("A_Full")->GetImageIndex(), 43);
  EXPECT_EQ(tool->lvUI->GetColumns()->GetCount(), 8);
  EXPECT_EQ(tool->lvUI->GetColumn(0)->GetCaption(), "Software");
  EXPECT_EQ(tool->lvUI->GetColumn(1)->GetCaption(), "Uninstall location");
  for (int c = 2; c < 8; ++c) EXPECT_EQ(tool->lvUI->GetColumn(c)->GetWidth(), 0) << c;
}

TEST_F(UninstallerTest, SelectingARowFillsTheDetailsAndListingAgainKeepsThem) {
  MakeEntry("Full", {{"DisplayName", REG_SZ, std::string(kPrefix) + "Full"},
                     {"DisplayVersion", REG_SZ, "2.0"},
                     {"InstallDate", REG_SZ, "20250102"},
                     {"Publisher", REG_SZ, "Vorlet"},
                     {"Size", REG_DWORD, "512"}});
  tool->ListUninstallEntries();
  Select(Row("Full"));
  const std::string expected = std::string(kPrefix) + "Full|2.0|20250102|Vorlet|512";
  EXPECT_EQ(Details(), expected);
  EXPECT_TRUE(tool->kEdit1->GetReadOnly());
  tool->ListUninstallEntries();
  Pump();
  EXPECT_EQ(tool->lvUI->GetSelected(), nullptr);
  EXPECT_EQ(Details(), expected);
  // The button opens the tool with a fresh list too.
  AddSentinel();
  app::frmMain->frmSystem1->kSpeedButton2Click(nullptr);
  EXPECT_FALSE(HasSentinel());
  EXPECT_TRUE(app::frmMain->pnlUI->GetVisible());
  EXPECT_FALSE(app::frmMain->pnlSU->GetVisible());
}

// ---- Uninstall runs the right program ----

TEST_F(UninstallerTest, AnUnquotedPathWithBlanksRunsThatProgramAndNeverAShorterPiece) {
  std::string real = folder + "Program Files\\Vorlet App\\uninst.exe";
  std::string planted = folder + "Program.exe";
  PlaceProgram(real);
  PlaceProgram(planted);
  MakeProgram("Unquoted", real + " /S /log=a b");
  tool->ListUninstallEntries();

  Uninstall("Unquoted");
  EXPECT_EQ(Notes(real), real + "\r\n\"" + real + "\" /S /log=a b\r\n");
  EXPECT_FALSE(testing_sandbox::Exists(planted + ".txt"));
  EXPECT_FALSE(HasSentinel()) << "the list is filled again once the uninstaller started";
  EXPECT_NE(Row("Unquoted"), nullptr);

  // With the uninstaller gone, nothing runs: not the program at "...\Program".
  testing_sandbox::RemoveTree(real);
  testing_sandbox::RemoveTree(real + ".txt");
  Uninstall("Unquoted");
  EXPECT_TRUE(HasSentinel()) << "nothing started: the list stays";
  EXPECT_FALSE(WaitForFile(planted + ".txt", 2000));
  EXPECT_FALSE(testing_sandbox::Exists(real + ".txt"));
}

TEST_F(UninstallerTest, QuotedAndExpandedCommandsRunTheirProgramWithItsArguments) {
  std::string quoted = folder + "Quoted App\\un install.exe";
  PlaceProgram(quoted);
  MakeProgram("Quoted", "\"" + quoted + "\" /x \"a b\"");
  std::string expanded = folder + "Expanded App\\un.exe";
  PlaceProgram(expanded);
  SetEnvironmentVariableW(L"VORLET_UNINSTALL_TEST", app::Widen(fw::ExcludeTrailingBackslash(folder)).c_str());
  MakeProgram("Expanded", "%VORLET_UNINSTALL_TEST%\\Expanded App\\un.exe /e", REG_EXPAND_SZ);
  std::string batch = folder + "Batch App\\un.bat";
  testing_sandbox::MakeFolders(fw::ExtractFilePath(batch));
  testing_sandbox::WriteFile(batch, "@echo batch %1> \"" + folder + "batch.txt\"\r\n");
  MakeProgram("Batch", batch + " /b");
  tool->ListUninstallEntries();

  Uninstall("Quoted");
  EXPECT_EQ(Notes(quoted), quoted + "\r\n\"" + quoted + "\" /x \"a b\"\r\n");
  Uninstall("Expanded");
  EXPECT_EQ(Notes(expanded), expanded + "\r\n\"" + expanded + "\" /e\r\n");
  Uninstall("Batch");
  ASSERT_TRUE(WaitForFile(folder + "batch.txt", 15000));
  Sleep(200);
  EXPECT_EQ(testing_sandbox::ReadFile(folder + "batch.txt"), "batch /b\r\n");
  SetEnvironmentVariableW(L"VORLET_UNINSTALL_TEST", nullptr);
}

TEST_F(UninstallerTest, ABareNameRunsTheSystemProgramEvenWithOneOfThatNameInTheCurrentFolder) {
  std::string decoy = folder + "cmd.exe";
  PlaceProgram(decoy);
  std::string echoed = folder + "echoed.txt";
  MakeProgram("Cmd", "cmd.exe /c echo done> \"" + echoed + "\"");
  tool->ListUninstallEntries();
  wchar_t saved[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, saved);
  SetCurrentDirectoryW(app::Widen(folder).c_str());
  Uninstall("Cmd");
  SetCurrentDirectoryW(saved);
  ASSERT_TRUE(WaitForFile(echoed, 15000));
  Sleep(200);
  EXPECT_EQ(testing_sandbox::ReadFile(echoed), "done\r\n");
  EXPECT_FALSE(testing_sandbox::Exists(decoy + ".txt"));
}

TEST_F(UninstallerTest, AnEmptyOrMissingProgramStartsNothingAndKeepsTheList) {
  MakeEntry("NoCommand", {{"DisplayName", REG_SZ, std::string(kPrefix) + "NoCommand"}});
  MakeProgram("Missing", folder + "Gone\\uninst.exe /S");
  MakeProgram("Relative", "Gone\\uninst.exe");
  MakeProgram("Unclosed", "\"" + folder + "Gone\\uninst.exe /S");
  tool->ListUninstallEntries();
  for (const char* name : {"NoCommand", "Missing", "Relative", "Unclosed"}) {
    Uninstall(name);
    EXPECT_TRUE(HasSentinel()) << name;
  }
  // No row selected: nothing either.
  tool->lvUI->ClearSelection();
  tool->kBitBtn1->Click();
  EXPECT_TRUE(HasSentinel());
}

// A relative program path is never looked up, not even where the current folder holds it.
TEST_F(UninstallerTest, ARelativeProgramPathRunsNothingFromTheCurrentFolder) {
  const std::string relative = "Relative App\\uninst.exe";
  PlaceProgram(folder + relative);
  MakeProgram("Plain", "Relative App\\uninst.exe /S");
  MakeProgram("Quoted", "\"Relative App\\uninst.exe\" /S");
  MakeProgram("Dotted", ".\\Relative App\\uninst.exe");
  tool->ListUninstallEntries();
  wchar_t saved[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, saved);
  SetCurrentDirectoryW(app::Widen(folder).c_str());
  for (const char* name : {"Plain", "Quoted", "Dotted"}) {
    Uninstall(name);
    EXPECT_TRUE(HasSentinel()) << name << ": nothing started, the list stays";
  }
  SetCurrentDirectoryW(saved);
  EXPECT_FALSE(WaitForFile(folder + relative + ".txt", 2000));
}

// ---- Delete entry ----

TEST_F(UninstallerTest, DeleteEntryRemovesTheKeyWithItsSubkeysOnYesOnly) {
  MakeProgram("Keep", "C:\\keep.exe");
  MakeProgram("Drop", "C:\\drop.exe");
  MakeEntry("Drop\\Component", {{"Version", REG_SZ, "1"}});
  tool->ListUninstallEntries();

  Select(Row("Drop"));
  scripted->Answers.push_back(fw::mrNo);
  tool->kBitBtn2->Click();
  EXPECT_EQ(scripted->Texts, std::vector<std::string>{"Do you want to delete entry from registry?"});
  EXPECT_TRUE(EntryExists("Drop\\Component"));
  EXPECT_NE(Row("Drop"), nullptr);

  scripted->Answers.push_back(fw::mrYes);
  tool->kBitBtn2->Click();
  EXPECT_FALSE(EntryExists("Drop"));
  EXPECT_TRUE(EntryExists("Keep"));
  EXPECT_EQ(Row("Drop"), nullptr);
  EXPECT_NE(Row("Keep"), nullptr);
  EXPECT_EQ(scripted->Texts.size(), 2u);
}

// Once an entry is deleted its details leave the group with it; a declined question leaves them.
TEST_F(UninstallerTest, ADeletedEntrysDetailsDoNotStayShown) {
  MakeProgram("Keep", "C:\\keep.exe");
  MakeEntry("Drop", {{"DisplayName", REG_SZ, std::string(kPrefix) + "Drop"},
                     {"DisplayVersion", REG_SZ, "3.1"},
                     {"InstallDate", REG_SZ, "20240301"},
                     {"Publisher", REG_SZ, "Dropper"},
                     {"Size", REG_SZ, "7 MB"}});
  tool->ListUninstallEntries();
  Select(Row("Drop"));
  const std::string dropped = std::string(kPrefix) + "Drop|3.1|20240301|Dropper|7 MB";
  ASSERT_EQ(Details(), dropped);

  scripted->Answers.push_back(fw::mrNo);
  tool->kBitBtn2->Click();
  Pump();
  EXPECT_EQ(Details(), dropped);

  scripted->Answers.push_back(fw::mrYes);
  tool->kBitBtn2->Click();
  Pump();
  ASSERT_FALSE(EntryExists("Drop"));
  ASSERT_EQ(tool->lvUI->GetSelected(), nullptr);
  EXPECT_EQ(Details(), "||||");
  // The list goes on filling them as before.
  Select(Row("Keep"));
  EXPECT_EQ(Details(), std::string(kPrefix) + "Keep||||");
}

// The user leaves the Uninstaller with Delete entry focused on a selected entry and clicks the
// Startup manager tile: two Spaces ask nothing and the entry stays in the registry.
TEST_F(UninstallerTest, SpacesAfterSwitchingToTheStartupManagerDeleteNoEntry) {
  MakeProgram("Kept", "C:\\kept.exe");
  tool->ListUninstallEntries();
  Select(Row("Kept"));
  ASSERT_NO_FATAL_FAILURE(
      LeaveByTile(tool->kBitBtn2, app::frmMain->frmSystem1->kSpeedButton1, app::frmMain->pnlUI, app::frmMain->pnlSU));
  EXPECT_EQ(SpacesAsked(2), std::vector<std::string>{});
  EXPECT_TRUE(EntryExists("Kept"));
}

TEST_F(UninstallerTest, ARowWithoutASubkeyNameDeletesNothing) {
  MakeProgram("Keep", "C:\\keep.exe");
  tool->ListUninstallEntries();
  fw::TListItem* item = tool->lvUI->GetItems()->Add();
  item->SetCaption("no key");
  for (int i = 0; i < app::uiSubItemCount; ++i) item->GetSubItems()->Add("");
  Select(item);
  scripted->Answers.push_back(fw::mrYes);
  tool->kBitBtn2->Click();
  EXPECT_TRUE(EntryExists("Keep"));
  EXPECT_NE(Row("Keep"), nullptr);
  EXPECT_TRUE(tool->lvUI->FindCaption(0, "no key", false, true, false)) << "nothing deleted, nothing listed again";
}

}  // namespace
