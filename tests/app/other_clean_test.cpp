// The Other clean tool on the real main window over sandbox folders: the recent-documents folder
// comes through the special-folder seam, the temporary folder through TEMP and TMP, the prefetch
// folder and the emptying of the recycle bins through the tool's own seams; the URL cache is the
// prefix's real one. Places that are empty, roots or system folders are never touched.
#include <memory>
#include <vector>

#include "app/shared/file_procedures.h"
#include "app/shared/internet_cache.h"
#include "app/shared/shell_file_operation.h"
#include "app/tools/other_clean.h"
#include "framework/msg/exception_barrier.h"
#include "framework/rtl/sys_utils.h"
#include "main_window_fixture.h"
#include "services/system/system_folders.h"

#include <wininet.h>

using app::frmMain;

namespace {

const char kCachedUrl[] = "http://vorlet-oc.invalid/page.html";
const char kCookieUrl[] = "http://vorlet-oc.invalid/";

// The recent-documents folder the test chooses; every other folder is the real one.
class TRecentFolder : public fw::testing::TSpecialFolders {
 public:
  std::string GetPath(int csidl) override {
    return csidl == CSIDL_RECENT ? Path : fw::testing::TSpecialFolders::GetPath(csidl);
  }
  std::string Path;
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
    tool = frmMain->otherClean.get();
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
  app::testing::SetShellOperationCall([busy](SHFILEOPSTRUCTA& op) {
    if (fw::SameText(op.pFrom, busy)) return static_cast<int>(ERROR_SHARING_VIOLATION);
    return SHFileOperationA(&op);
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

// Data-loss regression: an empty path named the current drive's root, whose files and folders
// went to the recycle bin. Every shell operation is recorded and refused here, so even a wrong
// answer of the guard could delete nothing.
TEST_F(OtherCleanTest, AnEmptyRootOrSystemFolderIsNeitherMeasuredNorCleaned) {
  std::vector<std::string> operations;
  app::testing::SetShellOperationCall([&operations](SHFILEOPSTRUCTA& op) {
    operations.push_back(op.pFrom);
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

TEST(OtherCleanFolders, OnlyExistingFullPathsBelowTheRootsOutsideTheSystemFoldersMayBeCleaned) {
  std::string folder = testing_sandbox::TestFolder();
  fw::CreateDir(folder + "sub");
  EXPECT_TRUE(app::IsCleanableFolder(folder + "sub"));
  EXPECT_TRUE(app::IsCleanableFolder(folder + "sub\\"));
  EXPECT_TRUE(app::IsCleanableFolder(fw::LowerCase(folder)));

  std::string windows = svc::ReadWindowsFolder();
  std::string system = svc::ReadSystemFolder();
  for (const std::string& path : {std::string(), std::string("\\"), std::string("C:"), std::string("C:\\"),
                                  std::string("c:\\\\"), std::string("C:\\sandbox\\.."), std::string("sub"),
                                  std::string("C:sub"), folder.substr(0, 2) + folder.substr(3),
                                  folder + "missing", windows, fw::LowerCase(windows) + "\\", system,
                                  windows + "\\..\\" + fw::ExtractFileName(windows),
                                  std::string("\\\\server\\share"), std::string("\\\\server\\share\\")})
    EXPECT_FALSE(app::IsCleanableFolder(path)) << "\"" << path << "\"";
}

}  // namespace
