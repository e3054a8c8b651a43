// System folders against what the platform answers, the read-only rule, and the temporary
// folder under every TMP/TEMP combination (set and cleared inside the test process).
#include <gtest/gtest.h>

#include <map>

#include "framework/rtl/file_utils.h"
#include "framework/rtl/seams.h"
#include "framework/rtl/sys_utils.h"
#include "services/system/system_folders.h"
#include "support/gui_test_support.h"
#include "support/sandbox.h"

using namespace svc;

namespace {

std::string PlatformFolder(int csidl) {
  char path[MAX_PATH] = {};
  return SHGetSpecialFolderPathA(nullptr, path, csidl, FALSE) ? std::string(path) : std::string();
}

std::string Environment(const char* name) {
  char value[4096];
  DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
  return std::string(value, length);
}

// Restores TMP and TEMP (and the current directory) as they were.
class TEnvironmentGuard {
 public:
  TEnvironmentGuard() {
    for (const char* name : {"TMP", "TEMP"}) {
      char value[4096];
      DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
      FSaved[name] = length ? std::string(value, length) : std::string();
      FWasSet[name] = length != 0;
    }
    FCurrent = fw::GetCurrentDir();
  }
  ~TEnvironmentGuard() {
    for (auto& [name, value] : FSaved)
      SetEnvironmentVariableA(name.c_str(), FWasSet[name] ? value.c_str() : nullptr);
    SetCurrentDirectoryA(FCurrent.c_str());
  }
  static void Set(const char* name, const std::string& value) {
    SetEnvironmentVariableA(name, value.empty() ? nullptr : value.c_str());
  }

 private:
  std::map<std::string, std::string> FSaved;
  std::map<std::string, bool> FWasSet;
  std::string FCurrent;
};

// Answers fixed paths for some folder numbers, the real ones for the rest.
class TScriptedFolders : public fw::testing::TSpecialFolders {
 public:
  std::string GetPath(int csidl) override {
    auto found = Paths.find(csidl);
    return found != Paths.end() ? found->second : fw::testing::TSpecialFolders::GetPath(csidl);
  }
  std::map<int, std::string> Paths;
};

class SystemFolders : public testing_gui::SeamTest {
 protected:
  TDsSystemFolders folders;
  TEnvironmentGuard environment;
};

TEST_F(SystemFolders, ShellFoldersAreThePlatformsOwn) {
  const int numbers[] = {0, 2, 5, 6, 7, 8, 9, 11, 16, 19, 20, 22, 23, 24, 25, 35, 26, 27, 31, 21, 32, 33, 34, 40};
  for (int csidl : numbers) {
    std::string expected = PlatformFolder(csidl);
    EXPECT_EQ(folders.GetSpecialFolder(csidl), fw::ExcludeTrailingBackslash(expected)) << csidl;
  }
  EXPECT_FALSE(folders.GetStartup().empty());
  EXPECT_FALSE(folders.GetCommonStartup().empty());
  EXPECT_NE(folders.GetStartup(), folders.GetCommonStartup());
  EXPECT_EQ(folders.GetDesktop(), folders.GetSpecialFolder(CSIDL_DESKTOP));
  EXPECT_EQ(folders.GetRecent(), fw::ExcludeTrailingBackslash(PlatformFolder(CSIDL_RECENT)));
  // Numbers the system does not know read as empty text in both delimiter modes.
  EXPECT_EQ(folders.GetSpecialFolder(0x7E), "");
  folders.SetTrailingPathDelimiter(true);
  EXPECT_EQ(folders.GetSpecialFolder(0x7E), "");
}

TEST_F(SystemFolders, TrailingDelimiterAndDriveRoots) {
  char windows[MAX_PATH];
  GetWindowsDirectoryA(windows, MAX_PATH);
  char system[MAX_PATH];
  GetSystemDirectoryA(system, MAX_PATH);
  EXPECT_EQ(folders.GetWindows(), fw::ExcludeTrailingBackslash(windows));
  EXPECT_EQ(folders.GetSystem(), fw::ExcludeTrailingBackslash(system));
  EXPECT_EQ(folders.GetCurrent(), fw::ExcludeTrailingBackslash(fw::GetCurrentDir()));

  TScriptedFolders scripted;
  scripted.Paths[CSIDL_RECENT] = "C:\\";
  scripted.Paths[CSIDL_PERSONAL] = "";
  fw::testing::TSpecialFolders* previous = fw::testing::SetSpecialFolders(&scripted);
  EXPECT_EQ(folders.GetRecent(), "C:");
  EXPECT_EQ(folders.GetPersonal(), "");
  folders.SetTrailingPathDelimiter(true);
  EXPECT_EQ(folders.GetRecent(), "C:\\");
  EXPECT_EQ(folders.GetPersonal(), "");
  EXPECT_EQ(folders.GetWindows(), fw::IncludeTrailingBackslash(windows));
  fw::testing::SetSpecialFolders(previous);
}

TEST_F(SystemFolders, ProgramFoldersFromTheRegistry) {
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", 0, KEY_READ, &key),
            ERROR_SUCCESS);
  auto value = [&](const char* name) {
    char text[MAX_PATH] = {};
    DWORD size = sizeof text;
    return RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size) == ERROR_SUCCESS
               ? std::string(text)
               : std::string();
  };
  EXPECT_EQ(folders.GetProgramFiles(), fw::ExcludeTrailingBackslash(value("ProgramFilesDir")));
  EXPECT_EQ(folders.GetCommonFiles(), fw::ExcludeTrailingBackslash(value("CommonFilesDir")));
  EXPECT_FALSE(folders.GetProgramFiles().empty());
  RegCloseKey(key);
}

TEST_F(SystemFolders, WritingIsRefusedUnlessCurrentIsWritable) {
  const std::string message = "This value is read-only and cannot be changed.";
  std::string folder = testing_sandbox::TestFolder();
  try {
    folders.SetCurrent(folder);
    FAIL() << "nothing raised";
  } catch (const EDsComputerInfoEx& e) {
    EXPECT_EQ(e.GetMessage(), message);
  }
  folders.SetReadOnly(false);
  EXPECT_THROW(folders.SetWindows("C:\\x"), EDsComputerInfoEx);
  EXPECT_THROW(folders.SetTemp("C:\\x"), EDsComputerInfoEx);
  EXPECT_THROW(folders.SetSpecialFolder(CSIDL_RECENT, "C:\\x"), EDsComputerInfoEx);
  folders.SetCurrent(folder);
  EXPECT_TRUE(fw::AnsiSameText(folders.GetCurrent(), fw::ExcludeTrailingBackslash(folder)));
  EXPECT_THROW(folders.SetCurrent(folder + "missing"), fw::EOSError);
}

TEST_F(SystemFolders, TempPrefersTempThenTmp) {
  std::string root = testing_sandbox::TestFolder();
  std::string fromTemp = root + "from temp", fromTmp = root + "from tmp";
  fw::ForceDirectories(fromTemp);
  fw::ForceDirectories(fromTmp);

  TEnvironmentGuard::Set("TEMP", fromTemp);
  TEnvironmentGuard::Set("TMP", fromTmp);
  EXPECT_EQ(folders.GetTemp(), fromTemp);
  TEnvironmentGuard::Set("TEMP", "");
  EXPECT_EQ(folders.GetTemp(), fromTmp);
  TEnvironmentGuard::Set("TMP", "");
  TEnvironmentGuard::Set("TEMP", fromTemp + "\\");
  EXPECT_EQ(folders.GetTemp(), fromTemp);
  folders.SetTrailingPathDelimiter(true);
  EXPECT_EQ(folders.GetTemp(), fromTemp + "\\");
}

TEST_F(SystemFolders, TempPassesOverFoldersItMustNeverEmpty) {
  std::string fromTmp = testing_sandbox::TestFolder() + "from tmp";
  fw::ForceDirectories(fromTmp);
  TEnvironmentGuard::Set("TMP", fromTmp);
  // Also every folder above the profile or a shell folder (TEMP set to C:\users emptied the
  // user's documents), the shell folders themselves, and the program files folder.
  std::string profile = Environment("USERPROFILE");
  for (const std::string& wrong :
       {std::string("C:\\"), std::string("C:"), profile, fw::ExtractFileDir(profile), folders.GetWindows(),
        folders.GetSystem(), fromTmp + "\\missing", std::string("."), PlatformFolder(CSIDL_PERSONAL),
        PlatformFolder(CSIDL_DESKTOPDIRECTORY), PlatformFolder(CSIDL_APPDATA), folders.GetProgramFiles()}) {
    TEnvironmentGuard::Set("TEMP", wrong);
    EXPECT_EQ(folders.GetTemp(), fromTmp) << wrong;
  }
}

TEST_F(SystemFolders, TempIsTurnedIntoItsLongForm) {
  std::string longFolder = testing_sandbox::TestFolder() + "A rather long folder name";
  fw::ForceDirectories(longFolder);
  char shortName[MAX_PATH] = {};
  ASSERT_GT(GetShortPathNameA(longFolder.c_str(), shortName, MAX_PATH), 0u);
  ASSERT_NE(std::string(shortName), longFolder);
  TEnvironmentGuard::Set("TMP", "");
  TEnvironmentGuard::Set("TEMP", shortName);
  EXPECT_EQ(folders.GetTemp(), longFolder);
}

TEST_F(SystemFolders, TempWithoutTmpAndTempIsNeverProfileWindowsOrRoot) {
  TEnvironmentGuard::Set("TMP", "");
  TEnvironmentGuard::Set("TEMP", "");
  std::string temp = folders.GetTemp();
  // The system's own fallback (the profile, then the Windows folder) is refused; the user's
  // TEMP setting of the prefix's registry stands in.
  EXPECT_TRUE(fw::DirectoryExists(temp)) << temp;
  for (const std::string& unsafe : {Environment("USERPROFILE"), PlatformFolder(CSIDL_PROFILE), folders.GetWindows(),
                                    folders.GetSystem()})
    EXPECT_FALSE(fw::AnsiSameText(temp, fw::ExcludeTrailingBackslash(unsafe))) << unsafe;
  EXPECT_FALSE(temp.size() <= 3) << temp;
}

TEST_F(SystemFolders, EnvironmentAndPathRoutines) {
  std::string value = "old";
  SetEnvironmentVariableA("VORLET_TEST_VAR", nullptr);
  EXPECT_FALSE(ReadEnvironmentVariable("VORLET_TEST_VAR", value, false));
  EXPECT_EQ(value, "");
  SetEnvironmentVariableA("VORLET_TEST_VAR", "%WINDIR%\\sub");
  EXPECT_TRUE(ReadEnvironmentVariable("VORLET_TEST_VAR", value, true));
  EXPECT_EQ(value, Environment("WINDIR") + "\\sub");
  SetEnvironmentVariableA("VORLET_TEST_VAR", nullptr);

  // Paths without a long form come back unchanged, shell names included.
  std::string missing = testing_sandbox::TestFolder() + "NOT~1\\none.txt";
  EXPECT_EQ(LongPathName(missing), missing);
  EXPECT_EQ(LongPathName("::{20D04FE0-3AEA-1069-A2D8-08002B30309D}"), "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}");
}

}  // namespace
