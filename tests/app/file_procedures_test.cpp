// Shared file procedures against the real system: byte counts as text, folder sizes, the
// drive list, the prefix's URL cache and recycle bin (both the sandbox's), starting programs.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/shared/drive_list.h"
#include "app/shared/file_procedures.h"
#include "app/shared/internet_cache.h"
#include "framework/rtl/file_utils.h"
#include "framework/rtl/sys_utils.h"
#include "framework/win.h"
#include "support/hard_paths.h"
#include "support/sandbox.h"
#include <wininet.h>

using namespace app;

namespace {

bool IsSerialText(const std::string& s) {
  if (s.size() != 9 || s[4] != '-') return false;
  for (size_t i = 0; i < s.size(); ++i)
    if (i != 4 && !(std::isdigit(static_cast<unsigned char>(s[i])) || (s[i] >= 'A' && s[i] <= 'F')))
      return false;
  return true;
}

}  // namespace

TEST(DriveList, SerialIsHighWordFirstInUpperCaseHex) {
  EXPECT_EQ(FormatVolumeSerial(0x1A2B3C4Du), "1A2B-3C4D");
  EXPECT_EQ(FormatVolumeSerial(0), "0000-0000");
  EXPECT_EQ(FormatVolumeSerial(0xFFFF000Fu), "FFFF-000F");
}

TEST(DriveList, ListsOnlyRemovableFixedAndRemoteDrives) {
  std::vector<TDriveInfo> drives;
  GetDriveList(drives);

  // Every drive the system has of an accepted type appears once, in the system's order.
  std::vector<std::string> expected;
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    if (!(GetLogicalDrives() & (1u << (letter - 'A')))) continue;
    std::string root = std::string(1, letter) + ":\\";
    UINT type = GetDriveTypeA(root.c_str());
    if (type == DRIVE_REMOVABLE || type == DRIVE_FIXED || type == DRIVE_REMOTE) expected.push_back(root);
  }
  ASSERT_EQ(drives.size(), expected.size());
  for (size_t i = 0; i < drives.size(); ++i) {
    EXPECT_EQ(drives[i].Root, expected[i]);
    EXPECT_EQ(drives[i].DriveType, static_cast<int>(GetDriveTypeA(expected[i].c_str())));
  }

  // C: is the prefix's fixed drive; its volume data are filled in.
  const TDriveInfo* c = nullptr;
  for (const TDriveInfo& d : drives)
    if (d.Root == "C:\\") c = &d;
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->DriveType, 3);
  EXPECT_FALSE(c->FileSystem.empty());
  EXPECT_TRUE(IsSerialText(c->Serial)) << c->Serial;
  EXPECT_GT(c->TotalSize, 0);
  EXPECT_GE(c->TotalSize, c->FreeSize);
  // Sizes are 64-bit: the host disk behind C: is far above 4 GB in any build machine we use,
  // but at least they must not have wrapped negative.
  EXPECT_GE(c->FreeSize, 0);
}

namespace {

const char kCachedUrl[] = "http://vorlet-test.invalid/page.html";
const char kCookieUrl[] = "http://vorlet-test.invalid/";

// Puts a real entry of the given size into the prefix's URL cache.
void AddCacheEntry(const char* url, const std::string& content) {
  char file[MAX_PATH] = {};
  ASSERT_TRUE(CreateUrlCacheEntryA(url, 0, "html", file, 0));
  HANDLE h = CreateFileA(file, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(h, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
  CloseHandle(h);
  ASSERT_TRUE(CommitUrlCacheEntryA(url, file, FILETIME{}, FILETIME{}, NORMAL_CACHE_ENTRY, nullptr, 0,
                                   nullptr, nullptr));
}

std::string CookieValue() {
  char value[256] = {};
  DWORD size = sizeof value;
  if (!InternetGetCookieA(kCookieUrl, nullptr, value, &size)) return {};
  return value;
}

}  // namespace

TEST(InternetCache, SizeCountsFilesButNotCookiesAndClearingKeepsCookies) {
  ClearInternetCache();
  ASSERT_TRUE(InternetSetCookieA(kCookieUrl, "session", "kept; expires=Sat, 01-Jan-2050 00:00:00 GMT"));
  EXPECT_EQ(GetInternetCacheSize(), 0) << "a cookie is not a cached file";

  AddCacheEntry(kCachedUrl, std::string(1234, 'x'));
  AddCacheEntry("http://vorlet-test.invalid/style.css", std::string(100, 'y'));
  EXPECT_EQ(GetInternetCacheSize(), 1334);

  ClearInternetCache();
  EXPECT_EQ(GetInternetCacheSize(), 0);
  char file[MAX_PATH];
  DWORD size = sizeof file;
  EXPECT_FALSE(GetUrlCacheEntryInfoA(kCachedUrl, nullptr, &size)) << "the cached page is gone";
  (void)file;
  EXPECT_NE(CookieValue().find("session=kept"), std::string::npos) << CookieValue();
}

namespace {

// Puts the test's decimal separator in place and restores the previous one.
class FormatFileSizeTest : public ::testing::Test {
 protected:
  void TearDown() override { fw::FormatSettings = saved; }
  fw::TFormatSettings saved = fw::FormatSettings;
};

}  // namespace

TEST_F(FormatFileSizeTest, UsesTheLocaleDecimalSeparator) {
  char separator[8] = {};
  ASSERT_GT(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, sizeof separator), 0);
  fw::GetLocaleFormatSettings(fw::FormatSettings);
  EXPECT_EQ(FormatFileSize(1536), std::string("1") + separator + "50 Kb");
}

TEST_F(FormatFileSizeTest, UnitsAndRounding) {
  fw::FormatSettings.DecimalSeparator = '.';
  struct Case {
    int64_t bytes;
    const char* text;
  } cases[] = {
      {0, "0 b"},
      {1, "1 b"},
      {1024, "1024 b"},
      {-5, "-5 b"},
      {-3000000000LL, "-3000000000 b"},
      {1025, "1.00 Kb"},
      {1536, "1.50 Kb"},
      {1152, "1.13 Kb"},                 // 1.125 rounds up
      {1029, "1.00 Kb"},                 // 1.0048...
      {1030, "1.01 Kb"},                 // 1.0058...
      {1048575, "1024.00 Kb"},           // 1023.999 rounds into the next whole
      {1048576, "1024.00 Kb"},
      {1048577, "1.00 Mb"},
      {1073741824, "1024.00 Mb"},
      {1073741825, "1.00 Gb"},
      {5497558138880LL, "5120.00 Gb"},
      {9223372036854775807LL, "8589934592.00 Gb"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatFileSize(c.bytes), c.text) << c.bytes;
  fw::FormatSettings.DecimalSeparator = ',';
  EXPECT_EQ(FormatFileSize(1073741825), "1,00 Gb");
  EXPECT_EQ(FormatFileSize(1000), "1000 b");
}

TEST(FolderSize, CountsFilesOfPlainSubfoldersOnly) {
  std::string dir = testing_sandbox::TestFolder();
  testing_sandbox::WriteFile(dir + "a.bin", std::string(1000, 'a'));
  fw::ForceDirectories(dir + "sub\\deeper");
  testing_sandbox::WriteFile(dir + "sub\\b.bin", std::string(200, 'b'));
  testing_sandbox::WriteFile(dir + "sub\\deeper\\c.bin", std::string(30, 'c'));
  // A hidden file counts; a hidden or system folder is not entered.
  testing_sandbox::WriteFile(dir + "hidden.bin", std::string(4, 'h'));
  SetFileAttributesA((dir + "hidden.bin").c_str(), FILE_ATTRIBUTE_HIDDEN);
  fw::CreateDir(dir + "secret");
  testing_sandbox::WriteFile(dir + "secret\\s.bin", std::string(50000, 's'));
  ASSERT_TRUE(SetFileAttributesA((dir + "secret").c_str(), FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN));
  fw::CreateDir(dir + "system");
  testing_sandbox::WriteFile(dir + "system\\y.bin", std::string(70000, 'y'));
  ASSERT_TRUE(SetFileAttributesA((dir + "system").c_str(), FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_SYSTEM));
  ASSERT_EQ(GetFileAttributesA((dir + "secret").c_str()), DWORD(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN))
      << "the file system keeps folder attributes";
  ASSERT_EQ(GetFileAttributesA((dir + "system").c_str()), DWORD(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_SYSTEM));

  EXPECT_EQ(GetFolderSize(dir), 1234);
  EXPECT_EQ(GetFolderSize(dir + "sub"), 230);
  EXPECT_EQ(GetFolderSize(dir + "secret"), 50000) << "asked for directly, it is measured";
  EXPECT_EQ(GetFolderSize(dir + "missing"), 0);
  EXPECT_EQ(GetFolderSize(dir + "sub\\"), 230) << "a trailing backslash is accepted";
}

TEST(FolderSize, CountsForeignNamesAndLongPaths) {
  std::string dir = testing_sandbox::TestFolder();
  int64_t total = 0;
  for (const testing_sandbox::THardPath& c : testing_sandbox::HardPaths(dir, "z.bin")) {
    testing_sandbox::WriteFile(c.Path(), std::string(100, 'z'));
    EXPECT_EQ(GetFolderSize(c.Folder), 100) << c.Label;
    total += 100;
  }
  EXPECT_EQ(GetFolderSize(dir), total);
}

TEST(RunCommandLine, StartsAProgramWithoutWaiting) {
  std::string dir = testing_sandbox::TestFolder();
  std::string marker = dir + "marker.txt";
  ASSERT_TRUE(RunCommandLine("cmd.exe /c echo started> \"" + marker + "\""));
  // The call returns at once; the helper leaves its marker a moment later.
  for (int i = 0; i < 100 && testing_sandbox::ReadFile(marker).empty(); ++i) Sleep(100);
  EXPECT_EQ(testing_sandbox::ReadFile(marker), "started\r\n");

  EXPECT_FALSE(RunCommandLine(dir + "no-such-program.exe"));
  EXPECT_FALSE(RunCommandLine(""));
}
