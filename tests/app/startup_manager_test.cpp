// The Startup manager on the real main window: the sandbox prefix's run keys, real links in two
// Startup folders inside the test's folder, the stores and holding folders of its program
// folder, and scripted message dialogs.
#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <random>
#include <utility>

#include "app/shared/command_line.h"
#include "app/shared/startup_list.h"
#include "app/shared/startup_store.h"
#include "framework/rtl/sys_utils.h"
#include "framework/rtl/wide_text.h"
#include "services/shell/sh_file_operation.h"
#include "startup_fixture.h"
#include "support/ansi_links.h"
#include "support/hard_paths.h"
#include "support/held_file.h"
#include "support/real_input.h"
#include "support/scripted_link.h"

using namespace startup_testing;
using app::rkRun;
using app::rkRunOnce;
using app::rkRunOnceEx;
using app::rkRunServices;
using app::rkRunServicesOnce;

namespace {

const HKEY kMachine = HKEY_LOCAL_MACHINE;
const HKEY kUser = HKEY_CURRENT_USER;

std::string SystemFolder() {
  char buffer[MAX_PATH] = {};
  GetSystemDirectoryA(buffer, MAX_PATH);
  return buffer;
}

void Touch(const std::string& path, const std::string& content = "x") {
  fw::ForceDirectories(fw::ExtractFilePath(path));
  testing_sandbox::WriteFile(path, content);
}

// Held sharing only reading: it can be read and copied, not written, moved or deleted.
class THeldFile : public testing_support::THeldFile {
 public:
  explicit THeldFile(const std::string& path) : testing_support::THeldFile(path, FILE_SHARE_READ) {}
};

}  // namespace

// ---- Splitting commands and store lines ----

TEST(StartupCommands, SplitKeepsPathsWholeAndParametersApart) {
  std::string folder = testing_sandbox::TestFolder();
  std::string hyphened = folder + "Some-App Dir\\app.exe";
  Touch(hyphened);
  auto split = [](const std::string& command, bool expand = false) {
    app::TCommandParts parts = app::SplitCommand(command, expand);
    return parts.Path + "|" + parts.Parameters;
  };
  EXPECT_EQ(split("\"C:\\Program Files\\App\\app.exe\" /min"), "C:\\Program Files\\App\\app.exe|/min");
  EXPECT_EQ(split("\"C:\\Program Files\\App\\app.exe /min"), "|C:\\Program Files\\App\\app.exe /min");
  EXPECT_EQ(split(hyphened + " -x /y"), hyphened + "|-x /y");
  EXPECT_EQ(split(hyphened), hyphened + "|");
  EXPECT_EQ(split("C:\\Apps\\Some-App\\app.exe"), "C:\\Apps\\Some-App\\app.exe|");
  EXPECT_EQ(split("C:\\x.exe /b"), "C:\\x.exe|/b");
  EXPECT_EQ(split("C:\\x.exe -b"), "C:\\x.exe|-b");
  EXPECT_EQ(split("C:\\x.exe "), "C:\\x.exe|");
  EXPECT_EQ(split("rundll32.exe a.dll,Start"), "rundll32.exe|a.dll,Start");
  EXPECT_EQ(split("%SystemRoot%\\system32\\cmd.exe /c echo", true), "%SystemRoot%\\system32\\cmd.exe|/c echo");
  // Only the expanded reference names an existing program (found with ".exe" added).
  EXPECT_EQ(split("%SystemRoot%\\system32\\cmd /c", true), "%SystemRoot%\\system32\\cmd|/c");
  EXPECT_EQ(split("%SystemRoot%\\system32\\cmd /c", false), "%SystemRoot%\\system32\\cmd /c|");
  EXPECT_EQ(split("no program here"), "no program here|");
  EXPECT_EQ(split(""), "|");
}

TEST(StartupCommands, StoreLinesReadBackOrAreRefused) {
  EXPECT_EQ(app::StoreLine("Tool", "C:\\t.exe", "/a"), "Tool<>\"C:\\t.exe\"<>/a");
  std::string name, path, parameters;
  app::ReadStoreLine("Tool<>\"C:\\t.exe\"<>/a b", name, path, parameters);
  EXPECT_EQ(name + "|" + path + "|" + parameters, "Tool|C:\\t.exe|/a b");
  app::ReadStoreLine("no separators", name, path, parameters);
  EXPECT_EQ(name + "|" + path + "|" + parameters, "no separators||");
  app::ReadStoreLine("half<>\"C:\\t.exe", name, path, parameters);
  EXPECT_EQ(name + "|" + path + "|" + parameters, "half||");
  EXPECT_TRUE(app::StoreLineReadsBack("Tool", "C:\\t.exe", ""));
  EXPECT_FALSE(app::StoreLineReadsBack("a<>b", "C:\\t.exe", ""));
  EXPECT_FALSE(app::StoreLineReadsBack("Tool", "C:\\t.exe\"<>x", ""));
  EXPECT_FALSE(app::StoreLineReadsBack("Tool", "C:\\t.exe", "/a\r\nEvil<>\"x\"<>"));
}

TEST(StartupCommands, RunFindsTheProgramItselfAndNeverTheCurrentFolder) {
  std::string folder = testing_sandbox::TestFolder();
  std::string tool = folder + "My Tools\\tool.exe";
  Touch(tool);
  Touch(folder + "My.exe");  // what the system's own search would start for the unquoted command
  std::string arguments;
  EXPECT_EQ(app::FindCommandProgram(tool + " /x", arguments), tool);
  EXPECT_EQ(arguments, "/x");
  EXPECT_EQ(app::SplitCommand(tool + " /x", false).Path, folder + "My");
  EXPECT_EQ(app::FindCommandProgram("\"" + tool + "\"", arguments), tool);
  EXPECT_EQ(arguments, "");
  EXPECT_TRUE(fw::SameText(app::FindCommandProgram("cmd.exe /c", arguments), SystemFolder() + "\\cmd.exe"));
  EXPECT_TRUE(fw::SameText(app::FindCommandProgram("%SystemRoot%\\system32\\cmd.exe", arguments),
                           SystemFolder() + "\\cmd.exe"));
  char saved[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, saved);
  Touch(folder + "onlyhere.exe");
  SetCurrentDirectoryA(folder.c_str());
  EXPECT_EQ(app::FindCommandProgram("onlyhere.exe", arguments), "");
  EXPECT_EQ(app::FindCommandProgram("My Tools\\tool.exe", arguments), "") << "relative paths are refused";
  SetCurrentDirectoryA(saved);
  EXPECT_EQ(app::FindCommandProgram(folder + "missing.exe", arguments), "");
  EXPECT_FALSE(app::RunProgramCommand(folder + "missing.exe"));
}

// ---- Listing ----

class StartupListing : public StartupTest {
 protected:
  void MakeSources() {
    std::string hyphened = folder + "Some-App\\app.exe";
    Touch(hyphened);
    Touch(folder + "tool.exe");
    Touch(folder + "notes.txt", "plain text");
    SetValue(kMachine, rkRun, Name("mRun"), REG_SZ, Sz(L"\"C:\\m\\run.exe\" /a"));
    SetValue(kMachine, rkRunOnce, Name("mOnce"), REG_SZ, Sz(L"C:\\m\\once.exe /b"));
    DWORD flags = 0x20;
    SetValue(kMachine, rkRunOnceEx, Name("Flags"), REG_DWORD, std::string(reinterpret_cast<char*>(&flags), 4));
    SetValue(kMachine, rkRunOnceEx, Name("mOnceEx"), REG_SZ, Sz(L"C:\\m\\onceex.exe"));
    SetValue(kMachine, rkRunServices, Name("mSvc"), REG_SZ, Sz(L"C:\\m\\svc.exe -s"));
    SetValue(kMachine, rkRunServicesOnce, Name("mSvcOnce"), REG_SZ, Sz(L"C:\\m\\svconce.exe"));
    SetValue(kUser, rkRun, Name("uRun"), REG_SZ, Sz(L"\"C:\\u\\run.exe\" /x"));
    SetValue(kUser, rkRunOnce, Name("uOnce"), REG_SZ, Sz(app::Widen(hyphened + " -x /y")));
    SetValue(kUser, rkRunOnceEx, Name("uOnceEx"), REG_SZ, Sz(L"rundll32.exe a.dll,Start"));
    SetValue(kUser, rkRunServices, Name("uSvc"), REG_EXPAND_SZ, Sz(L"%SystemRoot%\\system32\\cmd.exe /c echo"));
    if (!keysBefore[app::rkRunKeyCount + rkRunServices])  // a key this test made: its default value goes with it
      SetValue(kUser, rkRunServices, L"", REG_SZ, Sz(L"C:\\default.exe"));
    SetValue(kUser, rkRunServicesOnce, Name("uSvcOnce"), REG_SZ, Sz(L"C:\\u\\svconce.exe"));
    MakeLink(userStartup + "\\" + Caption("uLink") + ".lnk", folder + "notes.txt", "/p");
    Touch(userStartup + "\\" + Caption("garbage") + ".lnk", "not a link");
    Touch(userStartup + "\\" + Caption("Notes") + ".lnk1", "no link either");
    MakeLink(commonStartup + "\\" + Caption("cLink") + ".lnk", folder + "tool.exe");
    MakeLink(HoldingFolder(false) + "\\" + Caption("hLink") + ".lnk", folder + "tool.exe", "-h");
    MakeLink(HoldingFolder(true) + "\\" + Caption("haLink") + ".lnk", folder + "tool.exe");
    testing_sandbox::WriteFile(StorePath("allRun.ini"), app::StoreLine(Caption("mOff"), "C:\\off.exe", "/q") + "\r\n");
    std::string line = app::StoreLine(Caption("uOff"), "C:\\uoff.exe", "");
    testing_sandbox::WriteFile(StorePath("currRun.ini"), line + "\r\n");
    app::TRunValue value{Name("uOff"), REG_SZ, Sz(L"C:\\uoff.exe")};
    testing_sandbox::WriteFile(StorePath("currRun.raw"), app::RecordLine(value, line) + "\r\n");
  }
};

TEST_F(StartupListing, EachSourceListsItsRowsInOrder) {
  MakeSources();
  const std::vector<std::string> machine = {"mRun|HKLM|on", "mOnce|HKLM|on", "mOnceEx|HKLM|on", "mSvc|HKLM|on",
                                            "mSvcOnce|HKLM|on"};
  const std::vector<std::string> user = {"uRun|HKCU|on", "uOnce|HKCU|on", "uOnceEx|HKCU|on", "uSvc|HKCU|on",
                                         "uSvcOnce|HKCU|on"};
  auto join = [](std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
  };
  const std::vector<std::string> uLink = {"uLink|Current user|on"}, cLink = {"cLink|All users|on"};
  const std::vector<std::string> hLink = {"hLink|Current user|off"}, haLink = {"haLink|All users|off"};
  const std::vector<std::string> mOff = {"mOff|HKLM|off"}, uOff = {"uOff|HKCU|off"};
  const std::vector<std::string> none;
  std::vector<std::vector<std::string>> expected = {
      join({machine, user, uLink, cLink, mOff, uOff, hLink, haLink}),
      join({uLink, cLink, hLink, haLink}),
      join({cLink, haLink}),
      join({uLink, hLink}),
      join({machine, user, mOff, uOff}),
      join({machine, mOff}),
      join({{machine[0]}, mOff}),
      {machine[1]},
      {machine[2]},
      {machine[3]},
      {machine[4]},
      join({user, uOff}),
      join({{user[0]}, uOff}),
      {user[1]},
      {user[2]},
      {user[3]}};
  for (int n = 0; n < app::kStartupSourceCount; ++n) {
    ListSource(n);
    EXPECT_EQ(TestRows(), expected[n]) << "source " << n;
    EXPECT_EQ(app::startupSource, n);
  }

  // The Startup button lists the user's four keys with stores, "All" lists five.
  frmMain()->frmSystem1->kSpeedButton1Click(nullptr);
  std::vector<std::string> button = expected[0];
  button.erase(std::find(button.begin(), button.end(), "uSvcOnce|HKCU|on"));
  EXPECT_EQ(TestRows(), button);
  EXPECT_EQ(app::startupSource, 15) << "the button keeps the source";
  EXPECT_TRUE(tool->tvSU->GetItems()->GetItem(4)->GetExpanded());
  // The sources' tree is drawn from the skin's "EDIT" section.
  EXPECT_TRUE(tool->tvSU->GetSkinData()->SkinIsActive());
  EXPECT_EQ(tool->tvSU->GetSkinData()->GetSkinSection(), "EDIT");

  // Every split form, and where each row belongs.
  ListSource(0);
  auto parts = [&](const char* caption) {
    fw::TListItem* row = Row(Caption(caption));
    if (!row) return std::string("missing");
    return Sub(row, 0) + "|" + Sub(row, 1) + "|" + Sub(row, 3) + "|" + Sub(row, 4);
  };
  const std::string run = "Software\\Microsoft\\Windows\\CurrentVersion\\";
  EXPECT_EQ(parts("mRun"), "C:\\m\\run.exe|/a|" + run + "Run\\|key");
  EXPECT_EQ(parts("mSvc"), "C:\\m\\svc.exe|-s|" + run + "RunServices\\|key");
  EXPECT_EQ(parts("uOnce"), folder + "Some-App\\app.exe|-x /y|" + run + "RunOnce\\|key");
  EXPECT_EQ(parts("uOnceEx"), "rundll32.exe|a.dll,Start|" + run + "RunOnceEx\\|key");
  EXPECT_EQ(parts("uSvc"), "%SystemRoot%\\system32\\cmd.exe|/c echo|" + run + "RunServices\\|key");
  EXPECT_EQ(parts("uLink"), folder + "notes.txt|/p|" + userStartup + "|su");
  EXPECT_EQ(parts("hLink"), folder + "tool.exe|-h|" + userStartup + "|su");
  EXPECT_EQ(parts("haLink"), folder + "tool.exe||" + commonStartup + "|su");
  EXPECT_EQ(parts("mOff"), "C:\\off.exe|/q|" + run + "Run\\|key");
  EXPECT_EQ(Row(Caption("uLink"))->GetImageIndex(), 0) << "a text file gives no icon";
  EXPECT_EQ(Row(Caption("mOff"))->GetImageIndex(), 0);
  EXPECT_EQ(Row(""), nullptr) << "the default value is not listed";

  // Listing again keeps image 0 and no more icons than one listing appends.
  int images = frmMain()->suIL->GetCount();
  EXPECT_GE(images, 1);
  ListSource(0);
  ListSource(0);
  EXPECT_EQ(frmMain()->suIL->GetCount(), images);

  // Refresh lists the remembered source again.
  ListSource(13);
  DeleteValue(kUser, rkRunOnce, Name("uOnce"));
  SetValue(kUser, rkRunOnce, Name("uOnce2"), REG_SZ, Sz(L"C:\\u2.exe"));
  tool->refreshBtnClick(nullptr);
  EXPECT_EQ(TestRows(), std::vector<std::string>{"uOnce2|HKCU|on"});
  EXPECT_TRUE(scripted->Exceptions.empty());
}

TEST_F(StartupListing, LinksThatDoNotResolveAreSkippedUnlessHeld) {
  MakeSources();
  testing_support::UseScriptedLink(E_FAIL);
  ListSource(1);
  EXPECT_EQ(TestRows(), (std::vector<std::string>{"hLink|Current user|off", "haLink|All users|off"}));
  fw::TListItem* held = Row(Caption("hLink"));
  ASSERT_NE(held, nullptr);
  EXPECT_EQ(Sub(held, 0), folder + "tool.exe") << "the target the link holds";
  EXPECT_EQ(Sub(held, 1), "-h");
  PressSpace(held);
  EXPECT_TRUE(held->GetChecked());
  EXPECT_TRUE(fw::FileExists(userStartup + "\\" + Caption("hLink") + ".lnk"));
}

// Startup-folder shortcuts whose target, arguments and name lie outside the ANSI code page, read
// by the component (a link that resolves) and directly (a held link that does not), with the
// system's own link object and with one whose narrow interface answers as a system whose ANSI
// code page is 1252 would (support/scripted_link.h).
class StartupUnicodeListing : public StartupTest, public ::testing::WithParamInterface<UINT> {
 protected:
  const std::string program = testing_sandbox::kLatinName;
  const std::string unicode = testing_sandbox::kUnicodeName;
  std::string Parts(const std::string& caption) {
    fw::TListItem* row = Row(Caption(caption));
    if (!row) return "missing";
    return Sub(row, 0) + "|" + Sub(row, 1) + "|" + (row->GetChecked() ? "on" : "off");
  }
};

TEST_P(StartupUnicodeListing, TargetsAndArgumentsReadAsTheSystemStoresThem) {
  const std::string active = folder + program + "\\app.exe";
  const std::string held = folder + unicode + "\\tool.exe";
  // A target whose UTF-8 form is longer than MAX_PATH bytes, its UTF-16 form well within it.
  const std::string many = folder + testing_sandbox::WideCharacters(100) + "\\app.exe";
  Touch(active);
  Touch(held);
  Touch(many);
  MakeLink(userStartup + "\\" + Caption("u " + unicode) + ".lnk", active, "/" + unicode);
  MakeLink(userStartup + "\\" + Caption("many") + ".lnk", many);
  MakeLink(HoldingFolder(false) + "\\" + Caption("h " + program) + ".lnk", held, "-" + program);
  ASSERT_EQ(ReadLink(userStartup + "\\" + Caption("u " + unicode) + ".lnk").Target, active)
      << "the system keeps the target as given";
  testing_support::UseScriptedLink(S_OK, GetParam());
  ListSource(1);
  EXPECT_EQ(Parts("u " + unicode), active + "|/" + unicode + "|on");
  EXPECT_EQ(Parts("many"), many + "||on");
  EXPECT_EQ(Parts("h " + program), held + "|-" + program + "|off");
  EXPECT_EQ(testing_support::TScriptedLink::narrowQueries, 0) << "the narrow interface is never asked";

  // A held link that does not resolve is read directly, and still exactly.
  testing_support::UseScriptedLink(E_FAIL, GetParam());
  ListSource(1);
  EXPECT_EQ(Parts("u " + unicode), "missing") << "an active link that does not resolve is left out";
  EXPECT_EQ(Parts("h " + program), held + "|-" + program + "|off");
  EXPECT_EQ(testing_support::TScriptedLink::narrowQueries, 0) << "the narrow interface is never asked";
}

// Shortcuts an ordinary program (code page 1252, support/ansi_links.h) wrote keep the target's
// path text in that code page; the listing reads the targets as that program wrote them.
TEST_P(StartupUnicodeListing, ShortcutsOfAnOrdinaryProgramReadAsItWroteThem) {
  const std::string active = folder + program + "\\app.exe";
  const std::string held = folder + unicode + "\\tool.exe";
  Touch(active);
  Touch(held);
  testing_support::WriteAnsiLink(userStartup + "\\" + Caption("a " + program) + ".lnk", active,
                                 testing_support::TAnsiLinkCall::Narrow);
  testing_support::WriteAnsiLink(HoldingFolder(false) + "\\" + Caption("h " + unicode) + ".lnk", held,
                                 testing_support::TAnsiLinkCall::Wide);
  testing_support::UseScriptedLink(S_OK, GetParam());
  ListSource(1);
  EXPECT_EQ(Parts("a " + program), active + "||on");
  EXPECT_EQ(Parts("h " + unicode), held + "||off");
  // A held link that does not resolve is read directly, and still as it was written.
  testing_support::UseScriptedLink(E_FAIL, GetParam());
  ListSource(1);
  EXPECT_EQ(Parts("h " + unicode), held + "||off");
}

INSTANTIATE_TEST_SUITE_P(LinkObjects, StartupUnicodeListing, ::testing::Values(0u, 1252u),
                         testing_support::LinkObjectName);

TEST_F(StartupListing, NoNodeSelectedListsNothingAndKeepsTheSource) {
  MakeSources();
  ListSource(6);
  tool->tvSU->SetSelected(nullptr);
  tool->tvSUClick(tool->tvSU);
  EXPECT_EQ(tool->lvSU->GetItems()->GetCount(), 0);
  EXPECT_EQ(app::startupSource, 6);
}

// ---- Disable and enable ----

class StartupToggle : public StartupTest {
 protected:
  // The store's and record file's lines that mention caption.
  int Lines(const std::string& text, const std::string& what) {
    int count = 0;
    size_t at = 0;
    while ((at = text.find(what, at)) != std::string::npos) {
      ++count;
      at += what.size();
    }
    return count;
  }
  // Puts a REG_SZ value with the command into the run key and lists the key's source; the
  // value's row (null, and a failure, when it is not listed).
  fw::TListItem* ListedValue(HKEY hive, int runKey, int source, const std::string& name, const std::wstring& command) {
    SetValue(hive, runKey, Name(name), REG_SZ, Sz(command));
    ListSource(source);
    fw::TListItem* row = Row(Caption(name));
    EXPECT_NE(row, nullptr) << name;
    return row;
  }
  // The value lies in its key with this type and these bytes.
  void ExpectValue(HKEY hive, int runKey, const std::wstring& name, DWORD type, const std::string& bytes) {
    DWORD actualType = 0;
    std::string actual;
    ASSERT_TRUE(GetValue(hive, runKey, name, actualType, actual)) << app::Narrow(name);
    EXPECT_EQ(actualType, type) << app::Narrow(name);
    EXPECT_EQ(actual, bytes);
  }
  bool HasMessage(const std::string& start) {
    for (const std::string& text : scripted->Texts)
      if (text.rfind(start, 0) == 0) return true;
    return false;
  }
};

TEST_F(StartupToggle, RegistryEntriesComeBackWithNameTypeAndBytes) {
  struct TCase {
    HKEY Hive;
    int RunKey;
    int Source;
    std::wstring Name;
    DWORD Type;
    std::string Bytes;
    const char* Store;
  };
  const std::vector<TCase> cases = {
      {kMachine, rkRun, 6, Name("sz"), REG_SZ, Sz(L"\"C:\\Apps\\x.exe\" /a"), "allRun"},
      {kUser, rkRun, 12, Name("expand"), REG_EXPAND_SZ, Sz(L"%SystemRoot%\\system32\\cmd.exe /c echo"), "currRun"},
      {kUser, rkRunOnce, 13, Name("nonul"), REG_SZ, Sz(L"C:\\x.exe /b", false), "currRunOnce"},
      {kMachine, rkRunServices, 9, Name("\u00dcn\u00efcode \u540d"), REG_SZ,
       Sz(L"C:\\\u041f\u0440\u043e\u0433\\app.exe -x"), "allRunServices"},
      {kUser, rkRunServices, 15, Name("trail"), REG_SZ, Sz(L"C:\\Apps\\Some-App\\app.exe /b "), "currRunServices"},
      {kMachine, rkRunOnceEx, 8, Name("empty"), REG_SZ, "", "allRunOnceEx"},
  };
  bool byMouse = true;
  for (const TCase& c : cases) {
    SCOPED_TRACE(app::Narrow(c.Name));
    SetValue(c.Hive, c.RunKey, c.Name, c.Type, c.Bytes);
    ListSource(c.Source);
    fw::TListItem* row = Row(app::Narrow(c.Name));
    ASSERT_NE(row, nullptr);
    ASSERT_TRUE(row->GetChecked());
    std::string line = app::StoreLine(row->GetCaption(), Sub(row, 0), Sub(row, 1));
    byMouse ? ClickBox(row) : PressSpace(row);
    EXPECT_FALSE(row->GetChecked());
    EXPECT_FALSE(HasValue(c.Hive, c.RunKey, c.Name));
    EXPECT_EQ(Store(std::string(c.Store) + ".ini"), line + "\r\n");
    EXPECT_EQ(Store(std::string(c.Store) + ".raw"), app::RecordLine(app::TRunValue{c.Name, c.Type, c.Bytes}, line) + "\r\n");

    ListSource(c.Source);  // the disabled row as the store lists it
    row = Row(app::Narrow(c.Name));
    ASSERT_NE(row, nullptr);
    EXPECT_FALSE(row->GetChecked());
    byMouse ? ClickBox(row) : PressSpace(row);
    EXPECT_TRUE(row->GetChecked());
    DWORD type = 0;
    std::string bytes;
    ASSERT_TRUE(GetValue(c.Hive, c.RunKey, c.Name, type, bytes));
    EXPECT_EQ(type, c.Type);
    EXPECT_EQ(bytes, c.Bytes);
    EXPECT_EQ(Store(std::string(c.Store) + ".ini"), "");
    EXPECT_EQ(Store(std::string(c.Store) + ".raw"), "");
    byMouse = !byMouse;
  }
  EXPECT_TRUE(scripted->Texts.empty());
}

TEST_F(StartupToggle, ASecondDisableKeepsOneLineAndOneRecord) {
  SetValue(kUser, rkRun, Name("twice"), REG_SZ, Sz(L"C:\\first.exe"));
  ListSource(12);
  ClickBox(Row(Caption("twice")));
  SetValue(kUser, rkRun, Name("twice"), REG_SZ, Sz(L"C:\\first.exe"));
  ListSource(12);
  fw::TListItem* active = nullptr;
  for (int i = 0; i < tool->lvSU->GetItems()->GetCount(); ++i) {
    fw::TListItem* item = tool->lvSU->GetItems()->GetItem(i);
    if (item->GetCaption() == Caption("twice") && item->GetChecked()) active = item;
  }
  ASSERT_NE(active, nullptr);
  ClickBox(active);
  EXPECT_FALSE(HasValue(kUser, rkRun, Name("twice")));
  EXPECT_EQ(Lines(Store("currRun.ini"), Caption("twice")), 1);
  EXPECT_EQ(Lines(Store("currRun.raw"), Caption("twice")), 1);
}

TEST_F(StartupToggle, LinesWithoutRecordsEnableAsQuotedPathAndParameters) {
  testing_sandbox::WriteFile(StorePath("currRun.ini"),
                             app::StoreLine(Caption("old1"), "C:\\old app\\x.exe", "/q") + "\r\n" +
                                 app::StoreLine(Caption("old2"), "C:\\y.exe", "") + "\r\n" +
                                 app::StoreLine(Caption("old3"), "%SystemRoot%\\z.exe", "-k") + "\r\n");
  ListSource(12);
  for (const char* name : {"old1", "old2", "old3"}) PressSpace(Row(Caption(name)));
  ExpectValue(kUser, rkRun, Name("old1"), REG_SZ, Sz(L"\"C:\\old app\\x.exe\" /q"));
  ExpectValue(kUser, rkRun, Name("old2"), REG_SZ, Sz(L"\"C:\\y.exe\""));
  ExpectValue(kUser, rkRun, Name("old3"), REG_EXPAND_SZ, Sz(L"\"%SystemRoot%\\z.exe\" -k"));
  EXPECT_EQ(Store("currRun.ini"), "");
}

TEST_F(StartupToggle, StoreAndRecordFilesMayBeginWithAByteOrderMark) {
  const char bom[] = "\xEF\xBB\xBF";
  std::string line = app::StoreLine(Caption("bom"), "C:\\bom.exe", "");
  const std::string data = Sz(L"%SystemRoot%\\bom.exe /x");
  testing_sandbox::WriteFile(StorePath("currRun.ini"), bom + line + "\r\n");
  testing_sandbox::WriteFile(StorePath("currRun.raw"),
                             bom + app::RecordLine(app::TRunValue{Name("bom"), REG_EXPAND_SZ, data}, line) + "\r\n");
  ListSource(12);
  ASSERT_NE(Row(Caption("bom")), nullptr);
  PressSpace(Row(Caption("bom")));
  DWORD type = 0;
  std::string bytes;
  ASSERT_TRUE(GetValue(kUser, rkRun, Name("bom"), type, bytes));
  EXPECT_EQ(type, static_cast<DWORD>(REG_EXPAND_SZ));
  EXPECT_EQ(bytes, data);
  EXPECT_EQ(Store("currRun.ini"), "");
  EXPECT_EQ(Store("currRun.raw"), "");
}

TEST_F(StartupToggle, ShortcutsMoveOutAndBackByteForByte) {
  Touch(folder + "tool.exe");
  std::string link = userStartup + "\\" + Caption("Tool") + ".lnk";
  MakeLink(link, folder + "tool.exe", "/min", folder, folder + "tool.exe", 1, "Tool");
  std::string bytes = testing_sandbox::ReadFile(link);
  std::string held = HoldingFolder(false) + "\\" + Caption("Tool") + ".lnk";
  ListSource(3);
  ClickBox(Row(Caption("Tool")));
  EXPECT_FALSE(fw::FileExists(link));
  ASSERT_TRUE(fw::FileExists(held));
  EXPECT_EQ(testing_sandbox::ReadFile(held), bytes);
  ListSource(3);
  fw::TListItem* row = Row(Caption("Tool"));
  ASSERT_NE(row, nullptr);
  EXPECT_FALSE(row->GetChecked());
  EXPECT_EQ(Sub(row, 3), userStartup);
  PressSpace(row);
  EXPECT_TRUE(row->GetChecked());
  EXPECT_FALSE(fw::FileExists(held));
  ASSERT_TRUE(fw::FileExists(link));
  EXPECT_EQ(testing_sandbox::ReadFile(link), bytes);
  TLinkFields fields = ReadLink(link);
  EXPECT_EQ(fields.Target, folder + "tool.exe");
  EXPECT_EQ(fields.Arguments, "/min");
  EXPECT_TRUE(scripted->Texts.empty());
}

TEST_F(StartupToggle, TakenShortcutNamesGetTheFirstFreeNumber) {
  Touch(folder + "a.exe");
  Touch(folder + "b.exe");
  std::string link = userStartup + "\\" + Caption("Tool") + ".lnk";
  MakeLink(link, folder + "a.exe");
  std::string mine = testing_sandbox::ReadFile(link);
  std::string taken = HoldingFolder(false) + "\\" + Caption("Tool") + ".lnk";
  MakeLink(taken, folder + "b.exe");
  std::string other = testing_sandbox::ReadFile(taken);
  ListSource(3);
  fw::TListItem* row = nullptr;
  for (int i = 0; i < tool->lvSU->GetItems()->GetCount(); ++i)
    if (tool->lvSU->GetItems()->GetItem(i)->GetChecked()) row = tool->lvSU->GetItems()->GetItem(i);
  ASSERT_NE(row, nullptr);
  ClickBox(row);
  EXPECT_EQ(row->GetCaption(), Caption("Tool (2)"));
  EXPECT_EQ(testing_sandbox::ReadFile(taken), other);
  EXPECT_EQ(testing_sandbox::ReadFile(HoldingFolder(false) + "\\" + Caption("Tool (2)") + ".lnk"), mine);
  // Back into a Startup folder whose name is taken meanwhile.
  MakeLink(userStartup + "\\" + Caption("Tool (2)") + ".lnk", folder + "b.exe");
  ClickBox(row);
  EXPECT_TRUE(row->GetChecked());
  EXPECT_EQ(row->GetCaption(), Caption("Tool (2) (2)"));
  EXPECT_EQ(testing_sandbox::ReadFile(userStartup + "\\" + Caption("Tool (2) (2)") + ".lnk"), mine);
  EXPECT_EQ(ReadLink(userStartup + "\\" + Caption("Tool (2)") + ".lnk").Target, folder + "b.exe");
}

// ---- Failures: the entry stays whole and its box goes back ----

TEST_F(StartupToggle, AHeldStoreLeavesTheValueInItsKey) {
  SetValue(kUser, rkRun, Name("held"), REG_SZ, Sz(L"C:\\held.exe"));
  ListSource(12);
  {
    THeldFile hold(StorePath("currRun.ini"));
    ClickBox(Row(Caption("held")));
  }
  EXPECT_TRUE(Row(Caption("held"))->GetChecked());
  EXPECT_TRUE(HasValue(kUser, rkRun, Name("held")));
  EXPECT_TRUE(HasMessage("Can not disable entry\n"));
  EXPECT_EQ(Store("currRun.ini"), "");
  EXPECT_EQ(Store("currRun.raw"), "");
}

TEST_F(StartupToggle, AValueGoneBehindTheToolsBackIsReported) {
  SetValue(kUser, rkRun, Name("gone"), REG_SZ, Sz(L"C:\\gone.exe"));
  ListSource(12);
  DeleteValue(kUser, rkRun, Name("gone"));
  ClickBox(Row(Caption("gone")));
  EXPECT_TRUE(Row(Caption("gone"))->GetChecked());
  EXPECT_TRUE(HasMessage("Can not disable entry\n"));
  EXPECT_EQ(Store("currRun.ini"), "");
}

TEST_F(StartupToggle, AHeldShortcutStaysWhereItIs) {
  Touch(folder + "a.exe");
  std::string link = userStartup + "\\" + Caption("Held") + ".lnk";
  MakeLink(link, folder + "a.exe");
  std::string bytes = testing_sandbox::ReadFile(link);
  ListSource(3);
  {
    THeldFile hold(link);
    ClickBox(Row(Caption("Held")));
  }
  EXPECT_TRUE(Row(Caption("Held"))->GetChecked());
  EXPECT_TRUE(HasMessage("Can not disable entry\n"));
  EXPECT_EQ(testing_sandbox::ReadFile(link), bytes);
  EXPECT_FALSE(fw::FileExists(HoldingFolder(false) + "\\" + Caption("Held") + ".lnk"));
}

TEST_F(StartupToggle, FailingRegistryStepsUndoWhatWentBefore) {
  SetValue(kMachine, rkRun, Name("fault"), REG_SZ, Sz(L"C:\\fault.exe /f"));
  ListSource(6);
  fw::TListItem* row = Row(Caption("fault"));
  for (app::TRunKeyStep step : {app::rsOpenForWrite, app::rsDeleteValue}) {
    app::testing::SetRunKeyFault([step](app::TRunKeyStep s, const std::string&, const std::wstring&) {
      return s == step ? ERROR_ACCESS_DENIED : ERROR_SUCCESS;
    });
    ClickBox(row);
    EXPECT_TRUE(row->GetChecked()) << step;
    EXPECT_TRUE(HasValue(kMachine, rkRun, Name("fault")));
    EXPECT_EQ(Store("allRun.ini"), "") << "the just-added line is dropped";
    EXPECT_EQ(Store("allRun.raw"), "");
  }
  EXPECT_TRUE(HasMessage("Can not disable entry\n"));
  app::testing::SetRunKeyFault(nullptr);
  ClickBox(row);
  ASSERT_FALSE(row->GetChecked());
  std::string line = Store("allRun.ini");
  scripted->Texts.clear();
  for (app::TRunKeyStep step : {app::rsOpenForWrite, app::rsWriteValue}) {
    app::testing::SetRunKeyFault([step](app::TRunKeyStep s, const std::string&, const std::wstring&) {
      return s == step ? ERROR_ACCESS_DENIED : ERROR_SUCCESS;
    });
    ClickBox(row);
    EXPECT_FALSE(row->GetChecked()) << step;
    EXPECT_FALSE(HasValue(kMachine, rkRun, Name("fault")));
    EXPECT_EQ(Store("allRun.ini"), line);
  }
  EXPECT_TRUE(HasMessage("Can not enable entry\n"));
  app::testing::SetRunKeyFault(nullptr);
  ClickBox(row);
  EXPECT_TRUE(row->GetChecked());
  DWORD type = 0;
  std::string bytes;
  ASSERT_TRUE(GetValue(kMachine, rkRun, Name("fault"), type, bytes));
  EXPECT_EQ(bytes, Sz(L"C:\\fault.exe /f"));
}

// Makes the call numbered FailAt among the store's file calls fail; a failing write writes half
// of its bytes first, as on a full disk, and with ShortWriteSucceeds reports success all the same.
class TFailingStoreCalls : public app::testing::TStoreFileCalls {
 public:
  explicit TFailingStoreCalls(int failAt, bool shortWriteSucceeds = false)
      : FailAt(failAt), ShortWriteSucceeds(shortWriteSucceeds) {}
  HANDLE Create(const wchar_t* path) override {
    if (!Fails()) return TStoreFileCalls::Create(path);
    SetLastError(ERROR_ACCESS_DENIED);
    return INVALID_HANDLE_VALUE;
  }
  BOOL Write(HANDLE file, const void* data, DWORD size, DWORD* written) override {
    if (!Fails()) return TStoreFileCalls::Write(file, data, size, written);
    const BOOL wrote = TStoreFileCalls::Write(file, data, size / 2, written);
    if (ShortWriteSucceeds) return wrote;
    SetLastError(ERROR_DISK_FULL);
    return FALSE;
  }
  BOOL Flush(HANDLE file) override {
    if (!Fails()) return TStoreFileCalls::Flush(file);
    SetLastError(ERROR_DISK_FULL);
    return FALSE;
  }
  BOOL Move(const wchar_t* from, const wchar_t* to) override {
    if (!Fails()) return TStoreFileCalls::Move(from, to);
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  int FailAt;
  bool ShortWriteSucceeds;
  int Calls = 0;

 private:
  bool Fails() { return ++Calls == FailAt; }
};

// Beside three disabled entries, a save that fails at any of its file calls, on disable and on
// enable, leaves the store and its record file byte for byte and the key as it was.
TEST_F(StartupToggle, AFailedSaveLeavesBothFilesAndTheKeyAsTheyWere) {
  for (const char* other : {"other1", "other2", "other3"})
    SetValue(kUser, rkRun, Name(other), REG_SZ, Sz(app::Widen(std::string("C:\\") + other + ".exe /x")));
  SetValue(kUser, rkRun, Name("victim"), REG_EXPAND_SZ, Sz(L"%SystemRoot%\\victim.exe -v"));
  ListSource(12);
  for (const char* other : {"other1", "other2", "other3"}) ClickBox(Row(Caption(other)));
  fw::TListItem* row = Row(Caption("victim"));
  ASSERT_NE(row, nullptr);
  auto keyAsItWas = [&](bool victimThere) {
    for (const char* other : {"other1", "other2", "other3"}) EXPECT_FALSE(HasValue(kUser, rkRun, Name(other)));
    if (victimThere)
      ExpectValue(kUser, rkRun, Name("victim"), REG_EXPAND_SZ, Sz(L"%SystemRoot%\\victim.exe -v"));
    else
      EXPECT_FALSE(HasValue(kUser, rkRun, Name("victim")));
  };
  for (bool enable : {false, true}) {
    SCOPED_TRACE(enable ? "enable" : "disable");
    std::string store = Store("currRun.ini"), records = Store("currRun.raw");
    ASSERT_EQ(Lines(records, "\r\n"), enable ? 4 : 3);
    int failAt = 1;
    for (;; ++failAt) {
      TFailingStoreCalls calls(failAt);
      app::testing::SetStoreFileCalls(&calls);
      scripted->Texts.clear();
      ClickBox(row);
      app::testing::SetStoreFileCalls(nullptr);
      if (calls.Calls < failAt) break;  // every call has failed once
      SCOPED_TRACE(failAt);
      EXPECT_EQ(row->GetChecked(), !enable);
      ASSERT_EQ(scripted->Texts.size(), 1u);
      EXPECT_EQ(scripted->Texts[0].rfind(enable ? "Can not enable entry\n" : "Can not disable entry\n", 0), 0u);
      EXPECT_EQ(Store("currRun.ini"), store);
      EXPECT_EQ(Store("currRun.raw"), records);
      EXPECT_FALSE(fw::FileExists(StorePath("currRun.ini.tmp")));
      EXPECT_FALSE(fw::FileExists(StorePath("currRun.raw.tmp")));
      keyAsItWas(!enable);
    }
    // Create, write and flush the two temporary files, then move each in place.
    EXPECT_EQ(failAt - 1, 8);
    // The last click, with no call failing, made the change.
    EXPECT_EQ(row->GetChecked(), enable);
    keyAsItWas(enable);
    EXPECT_EQ(Lines(Store("currRun.raw"), "\r\n"), enable ? 3 : 4);
  }
}

// A write that puts down half of the bytes and reports success, into the record file or the
// store: the disable fails with a reason, the value stays in its key and both files stay as they
// were (the entry is never lost between a cut store and an emptied key).
TEST_F(StartupToggle, AShortWriteReportedAsSuccessFailsTheDisable) {
  SetValue(kUser, rkRun, Name("kept"), REG_SZ, Sz(L"C:\\kept.exe /k"));
  SetValue(kUser, rkRun, Name("victim"), REG_SZ, Sz(L"C:\\victim.exe -v"));
  ListSource(12);
  ClickBox(Row(Caption("kept")));
  fw::TListItem* row = Row(Caption("victim"));
  ASSERT_NE(row, nullptr);
  const std::string store = Store("currRun.ini"), records = Store("currRun.raw");
  ASSERT_NE(store, "");
  // The second call writes the record file, the fifth the store.
  for (int failAt : {2, 5}) {
    SCOPED_TRACE(failAt);
    TFailingStoreCalls calls(failAt, true);
    app::testing::SetStoreFileCalls(&calls);
    scripted->Texts.clear();
    ClickBox(row);
    app::testing::SetStoreFileCalls(nullptr);
    EXPECT_TRUE(row->GetChecked());
    ASSERT_EQ(scripted->Texts.size(), 1u);
    EXPECT_EQ(scripted->Texts[0].rfind("Can not disable entry\n", 0), 0u);
    EXPECT_NE(scripted->Texts[0].find(fw::Trim(fw::SysErrorMessage(ERROR_WRITE_FAULT))), std::string::npos)
        << scripted->Texts[0];
    ExpectValue(kUser, rkRun, Name("victim"), REG_SZ, Sz(L"C:\\victim.exe -v"));
    EXPECT_EQ(Store("currRun.ini"), store);
    EXPECT_EQ(Store("currRun.raw"), records);
    EXPECT_FALSE(fw::FileExists(StorePath("currRun.ini.tmp")));
    EXPECT_FALSE(fw::FileExists(StorePath("currRun.raw.tmp")));
  }
}

// A record is written back only for the value of its own line, and only as a string; otherwise
// the line's command is.
TEST_F(StartupToggle, ARecordThatDoesNotFitItsLineIsNotWritten) {
  std::string shown = app::StoreLine(Caption("Shown"), "C:\\windows\\notepad.exe", "");
  std::string binary = app::StoreLine(Caption("Binary"), "C:\\tools\\b.exe", "/b");
  testing_sandbox::WriteFile(StorePath("currRun.ini"), shown + "\r\n" + binary + "\r\n");
  testing_sandbox::WriteFile(
      StorePath("currRun.raw"),
      app::RecordLine(app::TRunValue{Name("Other"), REG_SZ, Sz(L"\"C:\\evil.exe\"")}, shown) + "\r\n" +
          app::RecordLine(app::TRunValue{Name("binary"), REG_BINARY, std::string("\xDE\xAD\xBE\xEF", 4)}, binary) +
          "\r\n");
  ListSource(12);
  for (const char* name : {"Shown", "Binary"}) {
    fw::TListItem* row = Row(Caption(name));
    ASSERT_NE(row, nullptr);
    ClickBox(row);
    EXPECT_TRUE(row->GetChecked());
  }
  EXPECT_FALSE(HasValue(kUser, rkRun, Name("Other")));
  ExpectValue(kUser, rkRun, Name("Shown"), REG_SZ, Sz(L"\"C:\\windows\\notepad.exe\""));
  ExpectValue(kUser, rkRun, Name("Binary"), REG_SZ, Sz(L"\"C:\\tools\\b.exe\" /b"));
  EXPECT_EQ(Store("currRun.ini"), "");
  EXPECT_EQ(Store("currRun.raw"), "");
  ListSource(12);
  EXPECT_NE(Row(Caption("Binary")), nullptr) << "listed from its key";
  EXPECT_TRUE(scripted->Texts.empty());
}

// The shell moved the shortcut but reported the operation aborted: the copy it made is the
// shortcut now, and the clean-up of a copy beside a source that stayed leaves it.
TEST_F(StartupToggle, AnAbortReportedAfterTheMoveKeepsTheShortcutInOneFolder) {
  Touch(folder + "a.exe");
  std::string link = userStartup + "\\" + Caption("Moved") + ".lnk";
  MakeLink(link, folder + "a.exe");
  std::string bytes = testing_sandbox::ReadFile(link);
  std::string held = HoldingFolder(false) + "\\" + Caption("Moved") + ".lnk";
  ListSource(3);
  svc::testing::SetShFileOperationCall([](SHFILEOPSTRUCTA& op) {
    int answer = SHFileOperationA(&op);
    op.fAnyOperationsAborted = TRUE;
    return answer;
  });
  ClickBox(Row(Caption("Moved")));
  svc::testing::SetShFileOperationCall(nullptr);
  EXPECT_FALSE(fw::FileExists(link)) << "the shell moved it";
  ASSERT_TRUE(fw::FileExists(held)) << "the shortcut is in exactly one folder";
  EXPECT_EQ(testing_sandbox::ReadFile(held), bytes);
}

TEST_F(StartupToggle, EnableIsRefusedWhileTheKeyHoldsTheName) {
  SetValue(kUser, rkRun, Name("same"), REG_SZ, Sz(L"C:\\old.exe"));
  ListSource(12);
  ClickBox(Row(Caption("same")));
  SetValue(kUser, rkRun, Name("same"), REG_SZ, Sz(L"C:\\new.exe"));
  std::string store = Store("currRun.ini");
  ListSource(12);
  fw::TListItem* disabled = nullptr;
  for (int i = 0; i < tool->lvSU->GetItems()->GetCount(); ++i) {
    fw::TListItem* item = tool->lvSU->GetItems()->GetItem(i);
    if (item->GetCaption() == Caption("same") && !item->GetChecked()) disabled = item;
  }
  ASSERT_NE(disabled, nullptr);
  ClickBox(disabled);
  EXPECT_FALSE(disabled->GetChecked());
  EXPECT_TRUE(HasMessage("Can not enable entry\n"));
  DWORD type = 0;
  std::string bytes;
  ASSERT_TRUE(GetValue(kUser, rkRun, Name("same"), type, bytes));
  EXPECT_EQ(bytes, Sz(L"C:\\new.exe"));
  EXPECT_EQ(Store("currRun.ini"), store);
}

TEST_F(StartupToggle, TheUsersRunServicesOnceHasNoStore) {
  fw::TListItem* row = ListedValue(kUser, rkRunServicesOnce, 11, "once", L"C:\\once.exe");
  ASSERT_NE(row, nullptr);
  ClickBox(row);
  EXPECT_TRUE(row->GetChecked());
  EXPECT_TRUE(HasValue(kUser, rkRunServicesOnce, Name("once")));
  EXPECT_TRUE(HasMessage("Can not disable entry\n"));
}

TEST_F(StartupToggle, AClickBesideTheBoxChangesNothing) {
  SetValue(kUser, rkRun, Name("text"), REG_SZ, Sz(L"C:\\text.exe"));
  ListSource(12);
  fw::TListItem* row = Row(Caption("text"));
  fw::TRect r = row->DisplayRect(LVIR_LABEL);
  HWND wnd = tool->lvSU->GetHandle();
  PostMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.Left + 4, (r.Top + r.Bottom) / 2));
  PostMessageA(wnd, WM_LBUTTONUP, 0, MAKELPARAM(r.Left + 4, (r.Top + r.Bottom) / 2));
  Pump();
  EXPECT_TRUE(row->GetChecked());
  EXPECT_TRUE(HasValue(kUser, rkRun, Name("text")));
}

// ---- One click, one change ----

TEST_F(StartupToggle, EachClickFromTheInputQueueTogglesOnce) {
  fw::TListItem* row = ListedValue(kUser, rkRun, 12, "hand", L"C:\\hand.exe");
  ASSERT_NE(row, nullptr);
  std::string line = app::StoreLine(row->GetCaption(), Sub(row, 0), Sub(row, 1));
  PointAtBox(row);
  // Slow clicks: the press is handled while the button is still down.
  for (bool enabled : {false, true}) {
    SendButtons({MOUSEEVENTF_LEFTDOWN});
    Pump();
    Sleep(100);
    SendButtons({MOUSEEVENTF_LEFTUP});
    Pump();
    EXPECT_EQ(row->GetChecked(), enabled);
    EXPECT_EQ(HasValue(kUser, rkRun, Name("hand")), enabled);
    EXPECT_EQ(Store("currRun.ini"), enabled ? "" : line + "\r\n");
  }
  // Two quick clicks, both in the queue before the first is handled: off and on again.
  Sleep(600);  // not a double click with the last one
  SendButtons({MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP});
  Pump();
  EXPECT_TRUE(row->GetChecked());
  EXPECT_TRUE(HasValue(kUser, rkRun, Name("hand")));
  EXPECT_EQ(Store("currRun.ini"), "");
  EXPECT_EQ(Store("currRun.raw"), "");
  EXPECT_TRUE(scripted->Texts.empty()) << scripted->Texts.front();
}

TEST_F(StartupToggle, EachSpacePressTogglesOnceHeldOrNot) {
  fw::TListItem* row = ListedValue(kUser, rkRun, 12, "key", L"C:\\key.exe");
  ASSERT_NE(row, nullptr);
  PointAtBox(row);
  row->SetSelected(true);
  row->SetFocused(true);
  tool->lvSU->SetFocus();
  Pump();
  testing_input::SendKeys({VK_SPACE});
  Pump();
  EXPECT_FALSE(row->GetChecked());
  EXPECT_FALSE(HasValue(kUser, rkRun, Name("key")));
  // Held down: the key-down repeats before the key comes up.
  HWND wnd = tool->lvSU->GetHandle();
  PostMessageA(wnd, WM_KEYDOWN, VK_SPACE, 0x00390001);
  for (int i = 0; i < 3; ++i) PostMessageA(wnd, WM_KEYDOWN, VK_SPACE, 0x40390001);
  PostMessageA(wnd, WM_KEYUP, VK_SPACE, 0xC0390001);
  Pump();
  EXPECT_TRUE(row->GetChecked());
  EXPECT_TRUE(HasValue(kUser, rkRun, Name("key")));
  EXPECT_EQ(Store("currRun.ini"), "");
  EXPECT_TRUE(scripted->Texts.empty()) << scripted->Texts.front();
}

// A message box lets messages through while it is shown; a click that waited in the queue
// meanwhile is not taken as a second change.
TEST_F(StartupToggle, APressWhileAFailureIsShownChangesNothing) {
  struct TClickingDialogs : fw::testing::TScriptedDialogs {
    int MessageDlg(const std::string& text, fw::TMsgDlgType type, fw::TMsgDlgButtons buttons, int help) override {
      if (OnShow) std::exchange(OnShow, nullptr)();
      return TScriptedDialogs::MessageDlg(text, type, buttons, help);
    }
    std::function<void()> OnShow;
  };
  auto owned = std::make_unique<TClickingDialogs>();
  TClickingDialogs* dialogs = owned.get();
  scripted = dialogs;
  fw::testing::SetDialogService(std::move(owned));
  fw::TListItem* row = ListedValue(kUser, rkRun, 12, "busy", L"C:\\busy.exe");
  ASSERT_NE(row, nullptr);
  DeleteValue(kUser, rkRun, Name("busy"));
  dialogs->OnShow = [&] { ClickBox(row); };
  ClickBox(row);
  EXPECT_EQ(dialogs->Texts.size(), 1u);
  EXPECT_TRUE(row->GetChecked());
  EXPECT_EQ(Store("currRun.ini"), "");
}

// ---- Delete and Run ----

TEST_F(StartupToggle, DeleteAsksAndRemovesEachKindOfRow) {
  Touch(folder + "a.exe");
  SetValue(kUser, rkRun, Name("delKey"), REG_SZ, Sz(L"C:\\k.exe"));
  SetValue(kUser, rkRun, Name("delOff"), REG_SZ, Sz(L"C:\\off.exe"));
  MakeLink(userStartup + "\\" + Caption("delLink") + ".lnk", folder + "a.exe");
  MakeLink(HoldingFolder(true) + "\\" + Caption("delHeld") + ".lnk", folder + "a.exe");
  ListSource(0);
  ClickBox(Row(Caption("delOff")));
  ASSERT_NE(Store("currRun.raw"), "");
  auto present = [&] {
    return std::vector<bool>{HasValue(kUser, rkRun, Name("delKey")), Store("currRun.ini") != "",
                             fw::FileExists(userStartup + "\\" + Caption("delLink") + ".lnk"),
                             fw::FileExists(HoldingFolder(true) + "\\" + Caption("delHeld") + ".lnk")};
  };
  const char* names[] = {"delKey", "delOff", "delLink", "delHeld"};
  for (int kind = 0; kind < 4; ++kind) {
    SCOPED_TRACE(names[kind]);
    ListSource(0);
    tool->lvSU->SetSelected(Row(Caption(names[kind])));
    fw::TListItem* marker = tool->lvSU->GetItems()->Add();
    marker->SetCaption("marker");
    std::vector<bool> before = present();
    scripted->Answers.push_back(fw::mrCancel);
    tool->deleteBtnClick(nullptr);
    EXPECT_EQ(scripted->Texts.back(), "Delete entry?");
    EXPECT_EQ(present(), before);
    EXPECT_NE(Row("marker"), nullptr) << "Cancel does not list again";
    scripted->Answers.push_back(fw::mrOk);
    tool->deleteBtnClick(nullptr);
    EXPECT_EQ(Row("marker"), nullptr) << "the list is read again";
    EXPECT_EQ(Row(Caption(names[kind])), nullptr);
    EXPECT_FALSE(present()[kind]);
  }
  EXPECT_EQ(Store("currRun.raw"), "") << "the record goes with its line";
}

TEST_F(StartupToggle, RunStartsAProgramWhosePathHoldsBlanks) {
  std::string tools = folder + "My Tools\\";
  fw::ForceDirectories(tools);
  ASSERT_TRUE(CopyFileA((SystemFolder() + "\\cmd.exe").c_str(), (tools + "cmd.exe").c_str(), FALSE));
  std::string marker = folder + "ran.txt";
  SetValue(kUser, rkRun, Name("run"), REG_SZ,
           Sz(app::Widen("\"" + tools + "cmd.exe\" /c echo ran>\"" + marker + "\"")));
  ListSource(12);
  tool->lvSU->SetSelected(Row(Caption("run")));
  tool->runBtnClick(nullptr);
  for (int i = 0; i < 200 && !fw::FileExists(marker); ++i) Sleep(50);
  EXPECT_TRUE(fw::FileExists(marker));
}

// ---- Damaged stores ----

namespace {

using StartupDamagedStore = StartupTest;

// Stores of random bytes (lines with NULs, cut UTF-8 sequences, bytes that are never UTF-8): the
// Startup manager opens over them, shows every cell as valid text up to its first NUL, and
// leaves the files as they were.
TEST_F(StartupDamagedStore, StoresOfRandomBytesOpenAndStayUntouched) {
  std::mt19937 random(35);
  std::map<std::string, std::string> stores;
  for (const char* name : {"currRun.ini", "currRun.raw", "allRun.ini", "allRunOnce.raw"}) {
    std::string bytes;
    for (int i = 0; i < 3000; ++i) bytes += static_cast<char>(random() % 256);
    bytes += "\x7F\xEF\r\n<>\"\xE6\x97\"<>\xF0\x9F\r\n";
    testing_sandbox::WriteFile(StorePath(name), bytes);
    stores[name] = bytes;
  }
  frmMain()->frmSystem1->kSpeedButton1Click(nullptr);
  Pump();
  fw::TListItems* rows = tool->lvSU->GetItems();
  ASSERT_GT(rows->GetCount(), 2);
  int columns = tool->lvSU->GetColumns()->GetCount();
  for (int i = 0; i < rows->GetCount(); ++i) {
    fw::TListItem* row = rows->GetItem(i);
    EXPECT_EQ(testing_gui::ListViewCellText(tool->lvSU->GetHandle(), i, 0), fw::ShownWide(row->GetCaption()));
    for (int column = 1; column < columns; ++column)
      EXPECT_EQ(testing_gui::ListViewCellText(tool->lvSU->GetHandle(), i, column), fw::ShownWide(Sub(row, column - 1)));
  }
  for (const auto& [name, bytes] : stores) EXPECT_EQ(Store(name), bytes) << name;
}

}  // namespace
