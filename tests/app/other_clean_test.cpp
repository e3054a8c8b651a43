// The Other clean tool on the real main window over sandbox folders: the recent-documents folder
// comes through the special-folder seam, the temporary folder through TEMP and TMP, the prefetch
// folder and the emptying of the recycle bins through the tool's own seams; the URL cache is the
// prefix's real one. Places that are empty, roots or system folders are never touched.
#include <cstdlib>
#include <map>
#include <memory>
#include <vector>

#include "app/shared/file_procedures.h"
#include "app/shared/internet_cache.h"
#include "app/shared/shell_file_operation.h"
#include "app/tools/other_clean.h"
#include "framework/msg/exception_barrier.h"
#include "framework/rtl/sys_utils.h"
#include "framework/rtl/wide_path.h"
#include "main_window_fixture.h"
#include "services/system/protected_folders.h"
#include "services/system/system_folders.h"
#include "support/host_links.h"
#include "support/shell_question.h"

#include <wininet.h>

using app::frmMain;

namespace {

const char kCachedUrl[] = "http://vorlet-oc.invalid/page.html";
const char kCookieUrl[] = "http://vorlet-oc.invalid/";

// The recent-documents folder the test chooses, and any other the test names; every other
// folder is the real one.
class TRecentFolder : public fw::testing::TSpecialFolders {
 public:
  std::string GetPath(int csidl) override {
    if (csidl == CSIDL_RECENT) return Path;
    auto other = Others.find(csidl);
    return other != Others.end() ? other->second : fw::testing::TSpecialFolders::GetPath(csidl);
  }
  std::string Path;
  std::map<int, std::string> Others;
};

void MakeFile(const std::string& path, size_t size) {
  fw::ForceDirectories(fw::ExtractFilePath(path));
  testing_sandbox::WriteFile(path, std::string(size, 'x'));
}

void AddCacheEntry(const char* url, const std::string& content) {
  char file[MAX_PATH] = {};
  ASSERT_TRUE(CreateUrlCacheEntryA(url, 0, "html", file, 0));
  HANDLE h = CreateFileA(file, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(h, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
  CloseHandle(h);
  ASSERT_TRUE(CommitUrlCacheEntryA(url, file, FILETIME{}, FILETIME{}, NORMAL_CACHE_ENTRY, nullptr, 0, nullptr,
                                   nullptr));
}

bool CookieKept() {
  char value[256] = {};
  DWORD size = sizeof value;
  return InternetGetCookieA(kCookieUrl, nullptr, value, &size) &&
         std::string(value).find("visit=kept") != std::string::npos;
}

std::string Environment(const char* name) {
  char value[MAX_PATH * 2] = {};
  DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
  return length > 0 && length < sizeof value ? std::string(value, length) : std::string();
}

class OtherCleanTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    prefetch = folder + "Prefetch\\";
    recent = folder + "Recent\\";
    temp = folder + "Temp\\";
    for (const std::string& f : {prefetch, recent, temp, folder + "Tmp\\"}) fw::CreateDir(f);
    recentFolder.Path = fw::ExcludeTrailingBackslash(recent);
    fw::testing::SetSpecialFolders(&recentFolder);
    savedTemp = Environment("TEMP");
    savedTmp = Environment("TMP");
    SetEnvironmentVariableA("TEMP", fw::ExcludeTrailingBackslash(temp).c_str());
    SetEnvironmentVariableA("TMP", (folder + "Tmp").c_str());
    app::testing::SetPrefetchFolder(fw::ExcludeTrailingBackslash(prefetch));
    app::testing::SetEmptyRecycleBinCall([this](HWND owner, DWORD flags) {
      recycleCalls.push_back({owner, flags});
      return true;
    });
    Start();
    tool = &frmMain->OtherClean();
    frmMain->ShowToolPanel(frmMain->pnlOC);
  }
  void TearDown() override {
    tool = nullptr;
    SetEnvironmentVariableA("TEMP", savedTemp.empty() ? nullptr : savedTemp.c_str());
    SetEnvironmentVariableA("TMP", savedTmp.empty() ? nullptr : savedTmp.c_str());
    MainWindowTest::TearDown();
  }
  fw::TListItem* Row(int row) { return tool->lvOC->GetItems()->GetItem(row); }
  std::string SizeText(int row) { return Row(row)->GetSubItems()->GetStrings(0); }
  std::string SizeBytes(int row) { return Row(row)->GetSubItems()->GetStrings(1); }
  void Tick(std::initializer_list<int> rows) {
    for (int row : rows) Row(row)->SetChecked(true);
  }
  void Clean() { tool->btnOCClean->Click(); }

  struct TRecycleCall {
    HWND Owner;
    DWORD Flags;
  };
  std::string prefetch, recent, temp, savedTemp, savedTmp;
  TRecentFolder recentFolder;
  std::vector<TRecycleCall> recycleCalls;
  app::TOtherClean* tool = nullptr;
};

TEST_F(OtherCleanTest, ShowMeasuresEveryPlaceAndShowsTheCurrentSizesEachTime) {
  fw::TListItems* rows = tool->lvOC->GetItems();
  ASSERT_EQ(rows->GetCount(), 5);
  EXPECT_EQ(Row(0)->GetCaption(), "Clean Windows Prefetch folder");
  EXPECT_EQ(Row(1)->GetCaption(), "Clean Windows Recent folder");
  EXPECT_EQ(Row(2)->GetCaption(), "Clean Windows Temp folder");
  EXPECT_EQ(Row(3)->GetCaption(), "Clean Temporary Internet files");
  EXPECT_EQ(Row(4)->GetCaption(), "Clean Windows Recycle Bin");
  for (int row = 0; row < 5; ++row) {
    EXPECT_FALSE(Row(row)->GetChecked());
    EXPECT_EQ(Row(row)->GetSubItems()->GetCount(), 0);
  }
  EXPECT_EQ(tool->lvOC->GetColumn(0)->GetCaption(), "Special folder");
  EXPECT_EQ(tool->lvOC->GetColumn(1)->GetCaption(), "Size");
  EXPECT_EQ(tool->lvOC->GetColumn(1)->GetWidth(), 100);
  EXPECT_EQ(tool->btnOCClean->GetCaption(), "Clean");
  EXPECT_EQ(tool->btnOCClean->GetHint(), "Clean selected special folder");

  MakeFile(prefetch + "APP.EXE-1234.pf", 100);
  MakeFile(prefetch + "Layout.ini", 50);
  MakeFile(recent + "doc.lnk", 10);
  MakeFile(recent + "sub\\inner.lnk", 20);
  MakeFile(temp + "t.tmp", 30);
  MakeFile(temp + "sub\\u.tmp", 40);
  app::ClearInternetCache();
  AddCacheEntry(kCachedUrl, std::string(1234, 'c'));

  tool->Show();
  EXPECT_EQ(SizeText(0), "150 b");
  EXPECT_EQ(SizeBytes(0), "150");
  EXPECT_EQ(SizeBytes(1), "30");
  EXPECT_EQ(SizeBytes(2), "70");
  EXPECT_EQ(SizeText(3), "1.21 Kb") << "with the test system's decimal separator";
  EXPECT_EQ(SizeBytes(3), "1234");
  EXPECT_EQ(SizeText(4), app::FormatFileSize(fw::StrToInt64(SizeBytes(4))));
  EXPECT_EQ(Row(0)->GetSubItems()->GetCount(), 2);

  MakeFile(temp + "more.tmp", 2000);
  tool->Show();
  EXPECT_EQ(SizeBytes(2), "2070");
  EXPECT_EQ(SizeText(2), app::FormatFileSize(2070));
  EXPECT_EQ(Row(2)->GetSubItems()->GetCount(), 2) << "the sub-items are made only once";
  EXPECT_TRUE(recycleCalls.empty()) << "measuring empties nothing";
  app::ClearInternetCache();
}

TEST_F(OtherCleanTest, CleanEmptiesTheTickedPlacesOnlyAndMeasuresThemAgain) {
  MakeFile(prefetch + "APP.EXE-1234.pf", 100);
  MakeFile(prefetch + "Layout.ini", 50);
  MakeFile(recent + "doc.lnk", 10);
  MakeFile(recent + "sub\\inner.lnk", 20);
  MakeFile(temp + "t.tmp", 30);
  MakeFile(temp + "sub\\deeper\\u.tmp", 40);
  app::ClearInternetCache();
  ASSERT_TRUE(InternetSetCookieA(kCookieUrl, "visit", "kept; expires=Sat, 01-Jan-2050 00:00:00 GMT"));
  AddCacheEntry(kCachedUrl, std::string(500, 'c'));
  tool->Show();

  // Nothing ticked: nothing changes.
  Clean();
  EXPECT_TRUE(fw::FileExists(prefetch + "APP.EXE-1234.pf"));
  EXPECT_TRUE(fw::FileExists(recent + "doc.lnk"));
  EXPECT_TRUE(fw::FileExists(temp + "t.tmp"));
  EXPECT_EQ(app::GetInternetCacheSize(), 500);
  EXPECT_TRUE(recycleCalls.empty());

  // Prefetch and temporary folder only.
  Tick({0, 2});
  Clean();
  EXPECT_FALSE(fw::FileExists(prefetch + "APP.EXE-1234.pf"));
  EXPECT_TRUE(fw::FileExists(prefetch + "Layout.ini")) << "only *.pf files are prefetch files";
  EXPECT_FALSE(fw::FileExists(temp + "t.tmp"));
  EXPECT_FALSE(fw::DirectoryExists(temp + "sub")) << "temporary subfolders go with their contents";
  EXPECT_TRUE(fw::DirectoryExists(temp)) << "the temporary folder itself stays";
  EXPECT_EQ(SizeBytes(0), "50");
  EXPECT_EQ(SizeText(2), "0 b");
  EXPECT_TRUE(fw::FileExists(recent + "doc.lnk")) << "an unticked row is left alone";
  EXPECT_EQ(app::GetInternetCacheSize(), 500);
  EXPECT_TRUE(recycleCalls.empty());

  // Recent documents, the internet cache and the recycle bin.
  Row(0)->SetChecked(false);
  Row(2)->SetChecked(false);
  Tick({1, 3, 4});
  Clean();
  EXPECT_FALSE(fw::FileExists(recent + "doc.lnk"));
  EXPECT_TRUE(fw::FileExists(recent + "sub\\inner.lnk")) << "recent subfolders are never deleted";
  EXPECT_EQ(SizeBytes(1), "20") << "what stays in the recent subfolder is still counted";
  EXPECT_EQ(app::GetInternetCacheSize(), 0);
  EXPECT_EQ(SizeText(3), "0 b");
  EXPECT_TRUE(CookieKept()) << "cookies are not temporary internet files";
  ASSERT_EQ(recycleCalls.size(), 1u);
  EXPECT_EQ(recycleCalls[0].Owner, frmMain->GetHandle());
  EXPECT_EQ(recycleCalls[0].Flags, 0u) << "the shell asks the user and shows its progress";
  EXPECT_EQ(SizeText(4), app::FormatFileSize(fw::StrToInt64(SizeBytes(4))));
}

TEST_F(OtherCleanTest, ATemporarySubfolderThatCannotBeRemovedStopsTheCleaningWithTheError) {
  MakeFile(temp + "t.tmp", 30);
  MakeFile(temp + "busy\\u.tmp", 40);
  app::ClearInternetCache();
  AddCacheEntry(kCachedUrl, std::string(500, 'c'));
  std::string busy = temp + "busy";
  app::testing::SetShellOperationCall([busy](SHFILEOPSTRUCTW& op) {
    if (fw::SameText(fw::WideToUtf8(op.pFrom), busy)) return static_cast<int>(ERROR_SHARING_VIOLATION);
    return SHFileOperationW(&op);
  });
  Tick({2, 3, 4});
  // The way a click reaches the handler from the window procedure.
  fw::Barrier([this] { Clean(); }, tool->btnOCClean);
  const std::vector<std::string>& errors = scripted->Exceptions;
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_NE(errors[0].find("busy"), std::string::npos) << errors[0];
  EXPECT_FALSE(fw::FileExists(temp + "t.tmp")) << "the files went before the subfolders";
  EXPECT_TRUE(fw::FileExists(temp + "busy\\u.tmp"));
  EXPECT_EQ(app::GetInternetCacheSize(), 500) << "later rows are not cleaned";
  EXPECT_TRUE(recycleCalls.empty());
  app::ClearInternetCache();
}

// Every row that removes files through the shell hands it the main window. A file another
// process holds open cannot go to the recycle bin: the shell's question whether to delete it
// outright belongs to the main window, which is disabled meanwhile. Answered No, the file stays;
// the rest of the row's files go (and, for the temporary folder, its subfolders), every shell
// operation owned by the main window.
class OtherCleanShellRowTest : public OtherCleanTest, public ::testing::WithParamInterface<int> {};

TEST_P(OtherCleanShellRowTest, TheShellsQuestionDisablesTheMainWindow) {
  const int row = GetParam();
  const std::string place = row == app::ocPrefetch ? prefetch : row == app::ocRecent ? recent : temp;
  const bool subfolders = row == app::ocTemp;
  MakeFile(place + "HELD.EXE-1.pf", 30);
  MakeFile(place + "GONE.EXE-2.pf", 30);
  MakeFile(place + "sub\\u.pf", 40);
  std::vector<HWND> owners;
  app::testing::SetShellOperationCall([&owners](SHFILEOPSTRUCTW& op) {
    owners.push_back(op.hwnd);
    return SHFileOperationW(&op);
  });
  Tick({row});
  testing_support::ExpectQuestionOwnedBy(frmMain->GetHandle(), place + "HELD.EXE-1.pf", [&] { Clean(); });
  EXPECT_TRUE(fw::FileExists(place + "HELD.EXE-1.pf"));
  EXPECT_FALSE(fw::FileExists(place + "GONE.EXE-2.pf"));
  EXPECT_EQ(fw::DirectoryExists(place + "sub"), !subfolders);
  EXPECT_EQ(owners, std::vector<HWND>(subfolders ? 3 : 2, frmMain->GetHandle()))
      << "two files, and the temporary folder's subfolder";
  EXPECT_TRUE(scripted->Exceptions.empty());
}

std::string RowName(const ::testing::TestParamInfo<int>& info) {
  return info.param == app::ocPrefetch ? "Prefetch" : info.param == app::ocRecent ? "Recent" : "Temp";
}

INSTANTIATE_TEST_SUITE_P(RowsThatRemoveFiles, OtherCleanShellRowTest,
                         ::testing::Values(app::ocPrefetch, app::ocRecent, app::ocTemp), RowName);

// Data-loss regression: an empty path named the current drive's root, whose files and folders
// went to the recycle bin. Every shell operation is recorded and refused here, so even a wrong
// answer of the guard could delete nothing.
TEST_F(OtherCleanTest, AnEmptyRootOrSystemFolderIsNeitherMeasuredNorCleaned) {
  std::vector<std::string> operations;
  app::testing::SetShellOperationCall([&operations](SHFILEOPSTRUCTW& op) {
    operations.push_back(fw::WideToUtf8(op.pFrom));
    return static_cast<int>(ERROR_ACCESS_DENIED);
  });
  char cwd[MAX_PATH] = {};
  GetCurrentDirectoryA(sizeof cwd, cwd);
  SetCurrentDirectoryA(folder.c_str());
  MakeFile(folder + "cwd-file.pf", 10);

  struct TCase {
    std::string Prefetch, Recent;
  };
  std::string windows = svc::ReadWindowsFolder();
  for (const TCase& c : std::vector<TCase>{
           {"", ""}, {"C:\\", "C:"}, {windows, svc::ReadSystemFolder() + "\\"}, {folder + "missing", "."}}) {
    SCOPED_TRACE("prefetch \"" + c.Prefetch + "\", recent \"" + c.Recent + "\"");
    // The prefetch seam treats "" as "the real one"; a blank path stands in for it.
    app::testing::SetPrefetchFolder(c.Prefetch.empty() ? " " : c.Prefetch);
    recentFolder.Path = c.Recent;
    EXPECT_EQ(tool->RowFolder(0), "");
    EXPECT_EQ(tool->RowFolder(1), "");
    tool->Show();
    EXPECT_EQ(SizeText(0), "");
    EXPECT_EQ(SizeBytes(0), "");
    EXPECT_EQ(SizeText(1), "");
    EXPECT_EQ(SizeBytes(1), "");
    Tick({0, 1});
    Clean();
    EXPECT_EQ(SizeText(0), "");
    EXPECT_EQ(SizeText(1), "");
  }
  SetCurrentDirectoryA(cwd);
  EXPECT_TRUE(operations.empty()) << operations.front();
  EXPECT_TRUE(fw::FileExists(folder + "cwd-file.pf"));
}

// Data-loss regression: with TEMP and TMP set to C:\users, Clean recycled the user's documents
// and desktop. A folder that is, or holds, the user's profile, one of the user's shell folders,
// the Windows, system or program files folder is never measured or cleaned, by any row. The
// shell folders are the test's own, through the special-folder seam, each with a canary.
TEST_F(OtherCleanTest, FoldersHoldingTheUsersOrTheSystemsFilesAreNeverCleaned) {
  const std::string users = folder + "users\\", home = users + "me\\", windows = folder + "windows\\";
  const std::map<int, std::string> places{
      {CSIDL_PROFILE, home},
      {CSIDL_DESKTOPDIRECTORY, home + "Desktop\\"},
      {CSIDL_PERSONAL, home + "Documents\\"},
      {CSIDL_MYPICTURES, home + "Pictures\\"},
      {CSIDL_MYMUSIC, home + "Music\\"},
      {CSIDL_MYVIDEO, home + "Videos\\"},
      {CSIDL_FAVORITES, home + "Favorites\\"},
      {CSIDL_STARTMENU, home + "AppData\\Roaming\\Start Menu\\"},
      {CSIDL_APPDATA, home + "AppData\\Roaming\\"},
      {CSIDL_LOCAL_APPDATA, home + "AppData\\Local\\"},
      {CSIDL_WINDOWS, windows},
      {CSIDL_SYSTEM, windows + "system32\\"},
      {CSIDL_PROGRAM_FILES, folder + "Program Files\\"},
  };
  std::vector<std::string> canaries;
  for (const auto& [csidl, place] : places) {
    recentFolder.Others[csidl] = fw::ExcludeTrailingBackslash(place);
    MakeFile(place + "canary.txt", 5);
    MakeFile(place + "inner\\canary.txt", 5);
    canaries.push_back(place + "canary.txt");
    canaries.push_back(place + "inner\\canary.txt");
  }
  MakeFile(users + "canary.txt", 5);
  canaries.push_back(users + "canary.txt");
  // Each place, and folders above them: the folder of all profiles, and AppData.
  std::vector<std::string> refused{users, home + "AppData\\"};
  for (const auto& entry : places) refused.push_back(entry.second);
  // A link to a place counts as the place.
  const std::string linkToDocuments = folder + "docs-link";
  const bool linked = testing_sandbox::MakeLink(linkToDocuments, home + "Documents", true);
  testing_sandbox::TLinkGuard unlink(linkToDocuments);
  if (linked) refused.push_back(linkToDocuments);

  const std::string fallback = folder + "Tmp\\";  // TMP: a temporary folder that may be emptied
  for (const std::string& candidate : refused) {
    SCOPED_TRACE(candidate);
    for (const std::string& form : {candidate, fw::ExcludeTrailingBackslash(candidate), fw::LowerCase(candidate)})
      EXPECT_FALSE(svc::IsCleanableFolder(form)) << form;
    MakeFile(fallback + "junk.tmp", 7);
    SetEnvironmentVariableA("TEMP", fw::ExcludeTrailingBackslash(candidate).c_str());
    recentFolder.Path = fw::ExcludeTrailingBackslash(candidate);
    EXPECT_EQ(tool->RowFolder(1), "");
    EXPECT_EQ(tool->RowFolder(2), fw::ExcludeTrailingBackslash(fallback));
    Tick({1, 2});
    Clean();
    EXPECT_EQ(SizeText(1), "");
    EXPECT_FALSE(fw::FileExists(fallback + "junk.tmp")) << "the usable temporary folder is emptied";
    for (const std::string& canary : canaries) EXPECT_TRUE(fw::FileExists(canary)) << canary;
  }
  // Below a place is not above it: a temporary folder inside the profile may be emptied.
  MakeFile(home + "AppData\\Local\\Temp\\junk.tmp", 7);
  EXPECT_TRUE(svc::IsCleanableFolder(home + "AppData\\Local\\Temp"));
  // Nor is a folder beside a place whose name begins the place's name (Doc beside Documents).
  for (const std::string& sibling : {home + "Doc", home + "Desk", home + "AppData\\Roam"}) {
    fw::ForceDirectories(sibling);
    EXPECT_TRUE(svc::IsCleanableFolder(sibling)) << sibling;
  }
  SetEnvironmentVariableA("TEMP", (home + "AppData\\Local\\Temp").c_str());
  Clean();
  EXPECT_FALSE(fw::FileExists(home + "AppData\\Local\\Temp\\junk.tmp"));
  for (const std::string& canary : canaries) EXPECT_TRUE(fw::FileExists(canary)) << canary;
}

// Data-loss regression: a symbolic link in the Recent folder sent the file it leads to (outside
// that folder) to the recycle bin. A link is removed by itself or left alone; what it leads to
// keeps its bytes and its place, also behind a link to a folder in the temporary folder.
TEST_F(OtherCleanTest, LinksAreNeverFollowedWhenCleaning) {
  const std::string outside = folder + "outside\\";
  MakeFile(outside + "target.txt", 0);
  testing_sandbox::WriteFile(outside + "target.txt", "precious");
  MakeFile(outside + "dir\\kept.txt", 0);
  testing_sandbox::WriteFile(outside + "dir\\kept.txt", "kept too");
  // Names of their own: the sandbox's trash outlives the test.
  const std::string unique = std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount());
  const std::string fileLink = recent + "ptr-" + unique + ".lnk", dirLink = temp + "dirlink-" + unique;
  const bool madeFile = testing_sandbox::MakeLink(fileLink, outside + "target.txt", false);
  testing_sandbox::TLinkGuard unlinkFile(fileLink);
  const bool madeDir = testing_sandbox::MakeLink(dirLink, outside + "dir", true);
  testing_sandbox::TLinkGuard unlinkDir(dirLink);
  if (!madeFile || !madeDir) GTEST_SKIP() << "no links here";
  MakeFile(recent + "doc.lnk", 10);
  MakeFile(temp + "t.tmp", 10);

  tool->Show();
  Tick({1, 2});
  fw::Barrier([this] { Clean(); }, tool->btnOCClean);
  EXPECT_FALSE(fw::FileExists(recent + "doc.lnk"));
  EXPECT_FALSE(fw::FileExists(temp + "t.tmp"));
  EXPECT_EQ(testing_sandbox::ReadFile(outside + "target.txt"), "precious");
  EXPECT_EQ(testing_sandbox::ReadFile(outside + "dir\\kept.txt"), "kept too");
  const char* trash = std::getenv("VORLET_SANDBOX_TRASH");
  ASSERT_NE(trash, nullptr);
  EXPECT_FALSE(testing_sandbox::Exists(std::string(trash) + "\\" + fw::ExtractFileName(fileLink)));
  EXPECT_FALSE(testing_sandbox::Exists(std::string(trash) + "\\" + fw::ExtractFileName(dirLink)));
  // Where a link cannot be removed by itself (Wine shows it as its target), the temporary
  // folder's cleaning stops with a message naming it.
  if (testing_sandbox::Exists(dirLink)) {
    ASSERT_EQ(scripted->Exceptions.size(), 1u);
    EXPECT_NE(scripted->Exceptions[0].find("dirlink"), std::string::npos) << scripted->Exceptions[0];
  }
}

TEST(OtherCleanFolders, OnlyExistingFullPathsBelowTheRootsOutsideTheSystemFoldersMayBeCleaned) {
  std::string folder = testing_sandbox::TestFolder();
  fw::CreateDir(folder + "sub");
  EXPECT_TRUE(svc::IsCleanableFolder(folder + "sub"));
  EXPECT_TRUE(svc::IsCleanableFolder(folder + "sub\\"));
  EXPECT_TRUE(svc::IsCleanableFolder(fw::LowerCase(folder)));

  std::string windows = svc::ReadWindowsFolder();
  std::string system = svc::ReadSystemFolder();
  for (const std::string& path : {std::string(), std::string("\\"), std::string("C:"), std::string("C:\\"),
                                  std::string("c:\\\\"), std::string("C:\\sandbox\\.."), std::string("sub"),
                                  std::string("C:sub"), folder.substr(0, 2) + folder.substr(3),
                                  folder + "missing", windows, fw::LowerCase(windows) + "\\", system,
                                  windows + "\\..\\" + fw::ExtractFileName(windows),
                                  std::string("\\\\server\\share"), std::string("\\\\server\\share\\")})
    EXPECT_FALSE(svc::IsCleanableFolder(path)) << "\"" << path << "\"";
  // The system's own: the folder of all profiles, the profile and its shell folders, the Windows,
  // system and program files folders.
  std::string profile = svc::ShellFolderPath(CSIDL_PROFILE);
  ASSERT_FALSE(profile.empty());
  for (const std::string& path :
       {fw::ExtractFileDir(profile), profile, svc::ShellFolderPath(CSIDL_PERSONAL),
        svc::ShellFolderPath(CSIDL_DESKTOPDIRECTORY), svc::ShellFolderPath(CSIDL_APPDATA),
        svc::ShellFolderPath(CSIDL_LOCAL_APPDATA), svc::ShellFolderPath(CSIDL_COMMON_APPDATA),
        svc::ReadProgramFilesFolder(), windows + "\\system32"})
    if (fw::DirectoryExists(path)) { EXPECT_FALSE(svc::IsCleanableFolder(path)) << "\"" << path << "\""; }
}

}  // namespace
