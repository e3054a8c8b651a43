// TSvShortcut: links created and resolved in the sandbox with the prefix's real link object;
// through the link-object seam what Wine's Resolve never answers; the shell-version gate; links
// of an ordinary program, which runs in code page 1252.
#include <gtest/gtest.h>

#include <ole2.h>

#include <optional>
#include <vector>

#include "framework/rtl/file_utils.h"
#include "framework/rtl/seams.h"
#include "framework/rtl/wide_path.h"
#include "framework/rtl/wide_text.h"
#include "services/shell/com_ref.h"
#include "services/shell/shortcut.h"
#include "services/shell/sv_exception.h"
#include "support/ansi_links.h"
#include "support/hard_paths.h"
#include "support/sandbox.h"
#include "support/scripted_link.h"

using namespace svc;
using testing_support::TScriptedLink;
using testing_support::UseScriptedLink;
namespace sandbox = testing_sandbox;

namespace {

class TFolderOverride : public fw::testing::TSpecialFolders {
 public:
  TFolderOverride(int csidl, std::string path) : FCsidl(csidl), FPath(std::move(path)) {}
  std::string GetPath(int csidl) override {
    return csidl == FCsidl ? FPath : fw::testing::TSpecialFolders::GetPath(csidl);
  }

 private:
  int FCsidl;
  std::string FPath;
};

template <class E>
uint32_t RaisedCode(const std::function<void()>& action) {
  try {
    action();
  } catch (const E& e) {
    return e.GetErrorCode();
  }
  ADD_FAILURE() << "nothing raised";
  return ~0u;
}

class Shortcut : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = sandbox::TestFolder();
    target = dir + "target.exe";
    sandbox::WriteFile(target, "MZ");
    sc = fw::New<TSvShortcut>(nullptr);
    sc->SetFileName(target);
    sc->SetLocationType(ltDirectory);
    sc->SetDestinationDir(dir);
  }
  void TearDown() override {
    fw::Free(sc);
    svc::testing::SetShellLinkFactory(nullptr);
    svc::testing::SetShellVersion(std::nullopt);
  }
  // A fresh component reads the link.
  fw::Owned<TSvShortcut> Resolved(const std::string& link, bool& result) {
    fw::Owned<TSvShortcut> reader(fw::New<TSvShortcut>(nullptr));
    reader->SetShortcutFileName(link);
    result = reader->ResolveShortcut();
    return reader;
  }

  std::string dir, target;
  TSvShortcut* sc = nullptr;
};

}  // namespace

TEST_F(Shortcut, CreateThenResolve) {
  EXPECT_TRUE(sc->GetAutoName());
  sc->SetAutoName(false);
  sc->SetDescription("Notes");
  sc->SetParameters("/quiet now");
  sc->SetStartInDir("C:\\sandbox");
  sc->SetHotKey(MAKEWORD('K', HOTKEYF_CONTROL | HOTKEYF_ALT));
  sc->SetIconPath(dir + "icons.dll");
  sc->SetIconIndex(3);
  ASSERT_TRUE(sc->CreateShortcut());
  EXPECT_EQ(sc->GetShortcutFileName(), dir + "Notes.lnk");

  bool result = false;
  fw::Owned<TSvShortcut> reader = Resolved(dir + "Notes.lnk", result);
  EXPECT_TRUE(result);
  EXPECT_TRUE(fw::SameText(reader->GetFileName(), target));
  EXPECT_EQ(reader->GetParameters(), "/quiet now");
  EXPECT_EQ(reader->GetDescription(), "Notes");
  EXPECT_EQ(reader->GetStartInDir(), "C:\\sandbox");
  EXPECT_EQ(reader->GetHotKey(), MAKEWORD('K', HOTKEYF_CONTROL | HOTKEYF_ALT));

  // The component does not read the icon location back; the link object does.
  TComRef<IShellLinkW> link;
  ASSERT_EQ(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.PutVoid()), S_OK);
  TComRef<IPersistFile> file;
  link->QueryInterface(IID_IPersistFile, file.PutVoid());
  ASSERT_EQ(file->Load(fw::Utf8ToWide(sc->GetShortcutFileName()).c_str(), STGM_READ), S_OK);
  wchar_t iconPath[MAX_PATH] = {};
  int iconIndex = -1;
  ASSERT_EQ(link->GetIconLocation(iconPath, MAX_PATH, &iconIndex), S_OK);
  EXPECT_EQ(fw::WideToUtf8(iconPath), dir + "icons.dll");
  EXPECT_EQ(iconIndex, 3);
}

TEST_F(Shortcut, NamingAndDestinations) {
  ASSERT_TRUE(sc->CreateShortcut());
  EXPECT_EQ(sc->GetShortcutFileName(), dir + "Shortcut to target.exe.lnk");
  EXPECT_TRUE(fw::FileExists(dir + "Shortcut to target.exe.lnk"));

  sc->SetAutoName(false);
  sc->SetDescription("Notes");
  sc->SetDestinationDir(fw::ExcludeTrailingBackslash(dir));
  EXPECT_EQ(sc->GetDestinationPath(), dir);
  ASSERT_TRUE(sc->CreateShortcut());
  EXPECT_EQ(sc->GetShortcutFileName(), dir + "Notes.lnk");
  // The same name again: the link is overwritten.
  sc->SetParameters("second");
  ASSERT_TRUE(sc->CreateShortcut());
  bool result = false;
  EXPECT_EQ(Resolved(dir + "Notes.lnk", result)->GetParameters(), "second");

  sc->SetLocationType(ltSpecialFolder);
  EXPECT_EQ(sc->GetSpecialFolder(), sfDesktop);
  fw::CreateDir(dir + "Desktop");
  TFolderOverride desktop(CSIDL_DESKTOP, dir + "Desktop");
  fw::testing::TSpecialFolders* previous = fw::testing::SetSpecialFolders(&desktop);
  bool created = sc->CreateShortcut();
  fw::testing::SetSpecialFolders(previous);
  EXPECT_TRUE(created);
  EXPECT_EQ(sc->GetShortcutFileName(), dir + "Desktop\\Notes.lnk");

  char module[MAX_PATH];
  GetModuleFileNameA(nullptr, module, MAX_PATH);
  sc->SetLocationType(ltWorkingDir);
  EXPECT_EQ(sc->GetDestinationPath(), fw::ExtractFilePath(module));

  // A lower-case extension passes the test.
  ASSERT_TRUE(sc->SaveShortcut(dir + "x.lnk"));
  EXPECT_TRUE(Resolved(dir + "x.lnk", result)->GetFileName() != "");
  EXPECT_TRUE(result);
}

TEST_F(Shortcut, RecentDocuments) {
  std::string name = "recent-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount());
  std::string document = dir + name + ".txt";
  sandbox::WriteFile(document, "text");
  sc->SetFileName(document);
  sc->SetLocationType(ltSpecialFolder);
  sc->SetSpecialFolder(sfRecentFiles);
  EXPECT_TRUE(sc->CreateShortcut());
  EXPECT_EQ(sc->GetShortcutFileName(), "");  // nothing written by the component itself
  fw::TSearchRec found;
  std::string recent = fw::GetSpecialFolderPath(CSIDL_RECENT);
  ASSERT_FALSE(recent.empty());
  EXPECT_EQ(fw::FindFirst(recent + "\\" + name + "*.lnk", fw::faAnyFile, found), 0) << recent;
  fw::FindClose(found);
}

TEST_F(Shortcut, BadInputRaises) {
  sc->SetFileName(dir + "missing.exe");
  EXPECT_EQ(RaisedCode<ESvShortcutError>([&] { sc->CreateShortcut(); }), 130u);
  sc->SetFileName(target);
  sc->SetDestinationDir("");
  EXPECT_EQ(RaisedCode<ESvShortcutError>([&] { sc->CreateShortcut(); }), 124u);
  sc->SetLocationType(ltSpecialFolder);
  sc->SetSpecialFolder(sfNone);
  EXPECT_EQ(RaisedCode<ESvShortcutError>([&] { sc->CreateShortcut(); }), 124u);

  sandbox::WriteFile(dir + "plain.txt", "text");
  sc->SetShortcutFileName(dir + "plain.txt");
  EXPECT_EQ(RaisedCode<ESvShortcutError>([&] { sc->ResolveShortcut(); }), 126u);
  sc->SetShortcutFileName(dir + "missing.lnk");
  EXPECT_EQ(RaisedCode<ESvShortcutError>([&] { sc->ResolveShortcut(); }), 73u);

  svc::testing::SetShellLinkFactory([](IShellLinkW**) { return E_NOINTERFACE; });
  sc->SetDestinationDir(dir);
  sc->SetLocationType(ltDirectory);
  EXPECT_EQ(RaisedCode<ESvShortcutError>([&] { sc->CreateShortcut(); }), 125u);
}

TEST_F(Shortcut, FilesThatAreNoLinksResolveFalse) {
  sc->SetParameters("/p");
  sc->SetStartInDir(dir);
  ASSERT_TRUE(sc->CreateShortcut());
  std::string good = sc->GetShortcutFileName();
  sandbox::WriteFile(dir + "garbage.lnk", std::string(200, 'x'));
  sandbox::WriteFile(dir + "empty.lnk", "");
  for (const char* bad : {"garbage.lnk", "empty.lnk"}) {
    SCOPED_TRACE(bad);
    sc->SetShortcutFileName(good);
    ASSERT_TRUE(sc->ResolveShortcut());
    ASSERT_FALSE(sc->GetFileName().empty());
    // Nothing of the previous link stays behind.
    sc->SetShortcutFileName(dir + bad);
    EXPECT_FALSE(sc->ResolveShortcut());
    EXPECT_EQ(sc->GetFileName(), "");
    EXPECT_EQ(sc->GetParameters(), "");
    EXPECT_EQ(sc->GetDescription(), "");
    EXPECT_EQ(sc->GetStartInDir(), "");
  }
}

TEST_F(Shortcut, ResolveAnswersAndFlags) {
  sc->SetDescription("flags");
  ASSERT_TRUE(sc->CreateShortcut());
  std::string link = sc->GetShortcutFileName();
  for (HRESULT answer : {S_FALSE, E_FAIL, HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND)}) {
    UseScriptedLink(answer);
    sc->SetShortcutFileName(link);
    EXPECT_FALSE(sc->ResolveShortcut()) << std::hex << answer;
    EXPECT_EQ(sc->GetFileName(), "");
    EXPECT_EQ(sc->GetDescription(), "");
  }

  UseScriptedLink(S_OK);
  EXPECT_TRUE(sc->ResolveShortcut());
  ASSERT_TRUE(TScriptedLink::resolveFlags.has_value());
  EXPECT_EQ(LOWORD(*TScriptedLink::resolveFlags), SLR_ANY_MATCH | SLR_UPDATE);

  std::string before = sandbox::ReadFile(link);
  sc->SetSilentResolve(true);
  EXPECT_TRUE(sc->ResolveShortcut());
  ASSERT_TRUE(TScriptedLink::resolveFlags.has_value());
  DWORD flags = *TScriptedLink::resolveFlags;
  EXPECT_TRUE(flags & SLR_NO_UI);
  EXPECT_FALSE(flags & SLR_UPDATE);
  EXPECT_GT(HIWORD(flags), 0);  // a time-out, not the default of several seconds
  EXPECT_EQ(sandbox::ReadFile(link), before);
  EXPECT_TRUE(fw::SameText(sc->GetFileName(), target));
}

TEST_F(Shortcut, SpecialFoldersNeedTheirShellVersion) {
  svc::testing::SetShellVersion(4.0);
  fw::Owned<TSvShortcut> old(fw::New<TSvShortcut>(nullptr));
  EXPECT_EQ(RaisedCode<ESvShellError>([&] { old->SetSpecialFolder(sfAltStartup); }), 110u);
  EXPECT_EQ(old->GetSpecialFolder(), sfAltStartup);
  old->SetSpecialFolder(sfStartup);  // known to every shell

  svc::testing::SetShellVersion(6.0);
  fw::Owned<TSvShortcut> current(fw::New<TSvShortcut>(nullptr));
  EXPECT_NO_THROW(current->SetSpecialFolder(sfAltStartup));
  EXPECT_NO_THROW(current->SetSpecialFolder(sfHistory));
}

// ---- Texts outside the ANSI code page, and long link names ----

namespace {

const std::string kProgram = sandbox::kLatinName;
const std::string kUnicode = sandbox::kUnicodeName;

// Writes a link through the link object's wide interface, as another program would.
void MakeWideLink(const std::string& link, const std::string& target, const std::string& arguments,
                  const std::string& folder, const std::string& description) {
  TComRef<IShellLinkW> shell;
  ASSERT_EQ(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, shell.PutVoid()), S_OK);
  shell->SetPath(fw::Utf8ToWide(target).c_str());
  shell->SetArguments(fw::Utf8ToWide(arguments).c_str());
  shell->SetWorkingDirectory(fw::Utf8ToWide(folder).c_str());
  shell->SetDescription(fw::Utf8ToWide(description).c_str());
  TComRef<IPersistFile> file;
  ASSERT_TRUE(SUCCEEDED(shell->QueryInterface(IID_IPersistFile, file.PutVoid())));
  ASSERT_EQ(file->Save(fw::FileApiPath(link).c_str(), TRUE), S_OK);
}

// Each runs with the system's own link object and with one whose narrow interface answers as a
// system whose ANSI code page is 1252 would (see support/scripted_link.h).
class ShortcutUnicode : public Shortcut, public ::testing::WithParamInterface<UINT> {
 protected:
  void SetUp() override {
    Shortcut::SetUp();
    testing_support::UseScriptedLink(S_OK, GetParam());
  }
};

}  // namespace

TEST_P(ShortcutUnicode, ResolveReadsPathArgumentsAndFolderAsTheSystemStoresThem) {
  std::string many = dir + sandbox::WideCharacters(100) + "\\";
  for (const std::string& name : {kProgram, kUnicode}) {
    SCOPED_TRACE(name);
    std::string target = dir + name + "\\app.exe";
    sandbox::MakeFolders(dir + name);
    sandbox::WriteFile(target, "MZ");
    sandbox::MakeFolders(many);
    MakeWideLink(dir + name + ".lnk", target, "/" + name + " \"" + name + "\"", many, name);
    bool result = false;
    fw::Owned<TSvShortcut> reader = Resolved(dir + name + ".lnk", result);
    EXPECT_TRUE(result);
    EXPECT_EQ(reader->GetFileName(), target);
    EXPECT_EQ(reader->GetParameters(), "/" + name + " \"" + name + "\"");
    EXPECT_EQ(reader->GetStartInDir(), many);
    EXPECT_EQ(reader->GetDescription(), name);
  }
  EXPECT_EQ(TScriptedLink::narrowQueries, 0) << "the narrow interface is never asked";
}

TEST_P(ShortcutUnicode, CreateWritesUnicodeTextsThatReadBackExactly) {
  std::string target = dir + kUnicode + "\\" + kProgram + ".exe";
  sandbox::MakeFolders(dir + kUnicode);
  sandbox::WriteFile(target, "MZ");
  sc->SetFileName(target);
  sc->SetAutoName(false);
  sc->SetDescription(kUnicode);
  sc->SetParameters("/" + kProgram);
  sc->SetStartInDir(dir + kUnicode);
  ASSERT_TRUE(sc->CreateShortcut());
  EXPECT_EQ(sc->GetShortcutFileName(), dir + kUnicode + ".lnk");
  bool result = false;
  fw::Owned<TSvShortcut> reader = Resolved(dir + kUnicode + ".lnk", result);
  EXPECT_TRUE(result);
  EXPECT_EQ(reader->GetFileName(), target);
  EXPECT_EQ(reader->GetParameters(), "/" + kProgram);
  EXPECT_EQ(reader->GetStartInDir(), dir + kUnicode);
  EXPECT_EQ(reader->GetDescription(), kUnicode);
  EXPECT_EQ(TScriptedLink::narrowQueries, 0) << "the narrow interface is never asked";
}

TEST_P(ShortcutUnicode, LinksOnLongPathsAreWrittenAndResolved) {
  for (const sandbox::THardPath& c : sandbox::HardPaths(dir, "long.lnk")) {
    SCOPED_TRACE(c.Label);
    sc->SetAutoName(false);
    sc->SetDescription("long");
    sc->SetParameters("/" + kUnicode);
    ASSERT_TRUE(sc->SaveShortcut(c.Path()));
    EXPECT_EQ(sc->GetShortcutFileName(), c.Path());
    EXPECT_TRUE(sandbox::Exists(c.Path()));
    bool result = false;
    fw::Owned<TSvShortcut> reader = Resolved(c.Path(), result);
    EXPECT_TRUE(result);
    EXPECT_TRUE(fw::SameText(reader->GetFileName(), target));
    EXPECT_EQ(reader->GetParameters(), "/" + kUnicode);
  }
}

INSTANTIATE_TEST_SUITE_P(LinkObjects, ShortcutUnicode, ::testing::Values(0u, 1252u),
                         testing_support::LinkObjectName);

// ---- Links of ordinary programs ----

namespace {

using testing_support::TAnsiLinkCall;

struct TOrdinaryLink {
  std::string Target;
  TAnsiLinkCall Call;
  const char* Label;
};

// Links an ordinary program (code page 1252) writes to existing targets: "Prögram" through both
// interfaces, "日本", which code page 1252 cannot hold, through the wide one.
std::vector<TOrdinaryLink> OrdinaryLinks(const std::string& dir) {
  std::vector<TOrdinaryLink> links = {{dir + kProgram + "\\app.exe", TAnsiLinkCall::Narrow, "narrow"},
                                      {dir + kProgram + "\\app.exe", TAnsiLinkCall::Wide, "wide"},
                                      {dir + kUnicode + "\\app.exe", TAnsiLinkCall::Wide, "wide unicode"}};
  for (const TOrdinaryLink& link : links) {
    sandbox::MakeFolders(fw::ExtractFilePath(link.Target));
    sandbox::WriteFile(link.Target, "MZ");
  }
  return links;
}

}  // namespace

// The link keeps the target's path text in its writer's code page, which the link object of a
// UTF-8 program turns into U+FFFD; the item ID list keeps it whole.
TEST_F(Shortcut, LinksOfAnOrdinaryProgramReadAsItWroteThem) {
  for (const TOrdinaryLink& c : OrdinaryLinks(dir)) {
    SCOPED_TRACE(c.Label);
    std::string link = dir + c.Label + ".lnk";
    testing_support::WriteAnsiLink(link, c.Target, c.Call);
    std::string written = sandbox::ReadFile(link);
    bool result = false;
    EXPECT_EQ(Resolved(link, result)->GetFileName(), c.Target);
    EXPECT_TRUE(result);
    EXPECT_EQ(sandbox::ReadFile(link), written) << "a link that resolves is left as it was";

    TComRef<IShellLinkW> shell;
    ASSERT_EQ(CreateShellLink(shell.Put()), S_OK);
    ASSERT_EQ(LoadShellLink(shell.Get(), link), S_OK);
    for (DWORD flags : {SLGP_UNCPRIORITY, SLGP_RAWPATH}) EXPECT_EQ(ReadShellLinkFields(shell.Get(), flags).Path, c.Target);
  }
}

// A link the component writes names its target to an ordinary program as it does to the
// component.
TEST_F(Shortcut, LinksTheComponentWritesReadTheSameInAnOrdinaryProgram) {
  sc->SetAutoName(false);
  for (const TOrdinaryLink& c : OrdinaryLinks(dir)) {
    SCOPED_TRACE(c.Label);
    sc->SetFileName(c.Target);
    sc->SetDescription(c.Label);
    ASSERT_TRUE(sc->CreateShortcut());
    EXPECT_EQ(testing_support::ReadAnsiLink(sc->GetShortcutFileName()), c.Target);
  }
}
