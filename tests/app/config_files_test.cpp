// The configuration files in a real program folder of the sandbox: default contents byte for
// byte, what existing files keep, and how the removal settings read odd values.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/shared/config_defaults.h"
#include "app/shared/config_files.h"
#include "framework/rtl/exceptions.h"
#include "framework/rtl/file_utils.h"
#include "framework/classes/ini_file.h"
#include "framework/rtl/seams.h"
#include "framework/classes/string_list.h"
#include "support/gui_test_support.h"
#include "support/sandbox.h"

using namespace app;
using testing_sandbox::ReadFile;
using testing_sandbox::WriteFile;

namespace {

std::string Crlf(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

// Each test runs with its own program folder, handed in through the program-folder seam as
// the main window would.
class ConfigFiles : public testing_gui::SeamTest {
 protected:
  void SetUp() override { fw::testing::SetProgramFolder(testing_sandbox::TestFolder()); }
  std::string App() const { return fw::ProgramFolder(); }
  std::string Path(const char* relative) const { return App() + relative; }
  void WriteProgramIni(const std::string& text) {
    fw::CreateDir(Path("config"));
    WriteFile(Path("config\\program.ini"), text);
  }
};

}  // namespace

TEST_F(ConfigFiles, FirstReadCreatesFoldersAndDefaultProgramIni) {
  EXPECT_EQ(ReadRemoveMethod(App()), 1);
  for (const char* folder : {"config", "config\\Disabled Registry", "config\\Disabled Startup All",
                             "config\\Disabled Startup Current", "deleted"})
    EXPECT_TRUE(fw::DirectoryExists(Path(folder))) << folder;
  EXPECT_EQ(ReadFile(Path("config\\program.ini")),
            "[Skin]\r\nSkinName=Neutral\r\n[Remove]\r\nMethod=\r\nFolder=\r\nScan=\r\n[DF]\r\nmode=1\r\n");
  // Only the default file: no store or mask file appears as a side effect.
  EXPECT_FALSE(fw::FileExists(Path("config\\ext.ini")));
  EXPECT_FALSE(fw::FileExists(Path("config\\Disabled Registry\\allRun.ini")));
}

TEST_F(ConfigFiles, DefaultMaskAndGroupFilesAreByteExact) {
  EnsureExtIni(App());
  EnsureDupFinderExtIni(App());
  std::string ext = ReadFile(Path("config\\ext.ini"));
  EXPECT_EQ(ext, Crlf(DefaultExtIniLines()));
  EXPECT_EQ(DefaultExtIniLines().size(), 49u);
  EXPECT_EQ(ext.rfind("*.$$$=MS-DOS Temporary Files=true\r\n*.--*=Temporary Files=true\r\n", 0), 0u);
  EXPECT_NE(ext.find("\r\nanti-vir.dat=Created by F-Prot Anit-Virus=true\r\n"), std::string::npos);
  EXPECT_TRUE(ext.ends_with("\r\nthumbs.db=Multimedia database file=true\r\ntwain???.mtx=Temporary file=true\r\n"));

  std::string df = ReadFile(Path("config\\dfext.ini"));
  EXPECT_EQ(df, Crlf(DefaultDupFinderExtIniLines()));
  EXPECT_EQ(df.rfind("[Office]\r\n1=*.ppt\r\n", 0), 0u);
  EXPECT_NE(df.find("9=*.pdf\r\n[Archives]\r\n1=*.rar\r\n"), std::string::npos);
  EXPECT_TRUE(df.ends_with("9=*.java\r\n[Web pages]\r\n1=*.htm\r\n2=*.html\r\n3=*.shtml\r\n4=*.php\r\n"
                           "5=*.asp\r\n6=*.aspx\r\n7=*.xml\r\n"));
  EXPECT_EQ(fw::TIniFile(Path("config\\dfext.ini")).ReadString("Images", "13", ""), "*.pdf");
}

TEST_F(ConfigFiles, EmptyFilesAndStoresAreCreatedAndUsableAtOnce) {
  EnsureUserFoldersFile(App());
  EnsureDisabledRegistryFiles(App());
  EXPECT_EQ(DisabledRegistryFileNames().size(), 9u);
  for (const std::string& name : DisabledRegistryFileNames()) {
    EXPECT_TRUE(fw::FileExists(Path("config\\Disabled Registry\\") + name)) << name;
    EXPECT_EQ(ReadFile(Path("config\\Disabled Registry\\") + name), "");
  }
  EXPECT_FALSE(fw::FileExists(Path("config\\Disabled Registry\\currRunServicesOnce.ini")));
  EXPECT_TRUE(fw::DirectoryExists(Path("config\\Disabled Startup All")));
  EXPECT_TRUE(fw::DirectoryExists(Path("config\\Disabled Startup Current")));

  // The file is closed again: it can be loaded and saved at once.
  std::string folders = Path("config\\usrfldr.ini");
  EXPECT_EQ(ReadFile(folders), "");
  fw::TStringList list;
  list.LoadFromFile(folders);
  EXPECT_EQ(list.GetCount(), 0);
  list.Add("C:\\sandbox\\some folder");
  list.SaveToFile(folders);
  EXPECT_EQ(ReadFile(folders), "C:\\sandbox\\some folder\r\n");
}

TEST_F(ConfigFiles, ExistingFilesAndFoldersAreKept) {
  // A partial program folder: config exists with a user's program.ini, an emptied ext.ini and
  // two stores holding entries; deleted\ exists with a file in it.
  WriteProgramIni("[Remove]\r\nMethod=2\r\n");
  WriteFile(Path("config\\ext.ini"), "");
  WriteFile(Path("config\\usrfldr.ini"), "D:\\data\r\n");
  fw::CreateDir(Path("config\\Disabled Registry"));
  WriteFile(Path("config\\Disabled Registry\\currRun.ini"), "Tool<>\"C:\\t.exe\"<>-q\r\n");
  fw::CreateDir(Path("deleted"));
  WriteFile(Path("deleted\\kept.txt"), "kept");

  EnsureProgramIni(App());
  EnsureExtIni(App());
  EnsureUserFoldersFile(App());
  EnsureDisabledRegistryFiles(App());
  EnsureDupFinderExtIni(App());

  EXPECT_EQ(ReadFile(Path("config\\program.ini")), "[Remove]\r\nMethod=2\r\n");
  EXPECT_EQ(ReadFile(Path("config\\ext.ini")), "");
  EXPECT_EQ(ReadFile(Path("config\\usrfldr.ini")), "D:\\data\r\n");
  EXPECT_EQ(ReadFile(Path("config\\Disabled Registry\\currRun.ini")), "Tool<>\"C:\\t.exe\"<>-q\r\n");
  EXPECT_EQ(ReadFile(Path("config\\Disabled Registry\\allRun.ini")), "");
  EXPECT_EQ(ReadFile(Path("deleted\\kept.txt")), "kept");
  EXPECT_EQ(ReadFile(Path("config\\dfext.ini")), Crlf(DefaultDupFinderExtIniLines()));
  EXPECT_TRUE(fw::DirectoryExists(Path("config\\Disabled Startup Current")));
}

TEST_F(ConfigFiles, UncreatableFolderRaisesAndOverwritesNothing) {
  // A file named "config" stands where the folder belongs.
  WriteFile(Path("config"), "not a folder");
  try {
    EnsureProgramIni(App());
    FAIL() << "no exception";
  } catch (const fw::Exception& e) {
    EXPECT_NE(std::string(e.what()).find(Path("config")), std::string::npos) << e.what();
  }
  EXPECT_EQ(ReadFile(Path("config")), "not a folder");
  EXPECT_THROW(ReadRemoveMethod(App()), fw::Exception);
}

TEST_F(ConfigFiles, RemoveMethodReadsOddValuesAsRecycleBin) {
  struct Case {
    const char* text;
    int method;
  } cases[] = {
      {"[Remove]\r\n", 1},           {"[Remove]\r\nMethod=\r\n", 1},     {"[Remove]\r\nMethod=2\r\n", 2},
      {"[Remove]\r\nMethod=3\r\n", 3}, {"[Remove]\r\nMethod= 3 \r\n", 3}, {"[Remove]\r\nMethod=abc\r\n", 1},
      {"[Remove]\r\nMethod=0\r\n", 1}, {"[Remove]\r\nMethod=4\r\n", 1},   {"[Remove]\r\nMethod=-2\r\n", 1},
      {"[remove]\r\nmethod=2\r\n", 2}, {"", 1},
  };
  for (const Case& c : cases) {
    WriteProgramIni(c.text);
    EXPECT_EQ(ReadRemoveMethod(App()), c.method) << c.text;
  }
}

TEST_F(ConfigFiles, RemoveFolderAndScanFolderDefaults) {
  const std::string deleted = App() + "deleted\\";
  // Defaults: an empty Folder is the program's deleted folder, and an empty Scan means "do
  // not scan it", as the Settings window shows it.
  EnsureProgramIni(App());
  EXPECT_EQ(ReadRemoveFolder(App()), deleted);
  EXPECT_EQ(ReadScanFolder(App()), deleted);

  struct Case {
    const char* text;
    std::string folder, scanFolder;
  } cases[] = {
      {"[Remove]\r\n", deleted, deleted},
      {"[Remove]\r\nFolder=D:\\trash\r\n", "D:\\trash", "D:\\trash"},
      {"[Remove]\r\nFolder=D:\\trash\r\nScan=0\r\n", "D:\\trash", "D:\\trash"},
      {"[Remove]\r\nFolder=D:\\trash\r\nScan=1\r\n", "D:\\trash", ""},
      {"[Remove]\r\nFolder=D:\\trash\r\nScan=\r\n", "D:\\trash", "D:\\trash"},
      {"[Remove]\r\nFolder=D:\\trash\r\nScan=yes\r\n", "D:\\trash", "D:\\trash"},
      {"[Remove]\r\nFolder=D:\\trash\r\nScan=2\r\n", "D:\\trash", ""},
      {"[Remove]\r\nFolder=\r\nScan=1\r\n", deleted, ""},
      {"[Remove]\r\nFolder=  D:\\spaced  \r\n", "D:\\spaced", "D:\\spaced"},
  };
  for (const Case& c : cases) {
    WriteProgramIni(c.text);
    EXPECT_EQ(ReadRemoveFolder(App()), c.folder) << c.text;
    EXPECT_EQ(ReadScanFolder(App()), c.scanFolder) << c.text;
  }
}

TEST_F(ConfigFiles, SaveRemoveSettingsWritesFolderAndScanOnlyWithAFolder) {
  SaveRemoveSettings(App(), 3, "D:\\moved", true);
  EXPECT_EQ(ReadRemoveMethod(App()), 3);
  EXPECT_EQ(ReadRemoveFolder(App()), "D:\\moved");
  EXPECT_EQ(ReadScanFolder(App()), "D:\\moved");
  fw::TIniFile ini(Path("config\\program.ini"));
  EXPECT_EQ(ini.ReadString("Remove", "Scan", "?"), "0");
  EXPECT_EQ(ini.ReadString("Skin", "SkinName", "?"), "Neutral") << "other sections stay";
  EXPECT_EQ(ini.ReadString("DF", "mode", "?"), "1");

  // "Permanently delete": only Method changes.
  SaveRemoveSettings(App(), 2, "", false);
  EXPECT_EQ(ReadRemoveMethod(App()), 2);
  EXPECT_EQ(ReadRemoveFolder(App()), "D:\\moved");
  EXPECT_EQ(ini.ReadString("Remove", "Scan", "?"), "0");

  SaveRemoveSettings(App(), 3, "D:\\other", false);
  EXPECT_EQ(ini.ReadString("Remove", "Scan", "?"), "1");
  EXPECT_EQ(ReadScanFolder(App()), "");
  EXPECT_EQ(ReadRemoveFolder(App()), "D:\\other");
}

TEST_F(ConfigFiles, SkinKeysReadTheirDefaultsWithoutCreatingTheFile) {
  EXPECT_EQ(ReadSkinDirectory(App()), App() + "Skins");
  EXPECT_EQ(ReadSkinName(App(), "Neutral (internal)"), "Neutral (internal)");
  EXPECT_FALSE(fw::DirectoryExists(Path("config")));
  WriteProgramIni("[Skin]\r\nSkinDirectory=\r\nSkinName=\r\n");
  EXPECT_EQ(ReadSkinDirectory(App()), App() + "Skins");
  EXPECT_EQ(ReadSkinName(App(), ""), "");

  SaveSkinDirectory(App(), "D:\\skins");
  SaveSkinName(App(), "Blue");
  EXPECT_EQ(ReadSkinDirectory(App()), "D:\\skins");
  EXPECT_EQ(ReadSkinName(App(), "Neutral (internal)"), "Blue");
  EXPECT_EQ(ReadFile(Path("config\\program.ini")), "[Skin]\r\nSkinDirectory=D:\\skins\r\nSkinName=Blue\r\n");
}

TEST_F(ConfigFiles, RemoveScanAndFolderAlone) {
  // Absent, empty or unreadable Scan reads as 0; the default file leaves it empty.
  EXPECT_EQ(ReadRemoveScan(App()), 0);
  for (const char* text : {"[Remove]\r\n", "[Remove]\r\nScan=\r\n", "[Remove]\r\nScan=no\r\n"}) {
    WriteProgramIni(text);
    EXPECT_EQ(ReadRemoveScan(App()), 0) << text;
  }
  WriteProgramIni("[Remove]\r\nMethod=3\r\nFolder=D:\\a\r\nScan=1\r\n");
  EXPECT_EQ(ReadRemoveScan(App()), 1);
  SaveRemoveFolder(App(), "D:\\b");
  EXPECT_EQ(ReadFile(Path("config\\program.ini")), "[Remove]\r\nMethod=3\r\nFolder=D:\\b\r\nScan=1\r\n");
}

TEST_F(ConfigFiles, SaveExtensionListRewritesTheMaskFileWhole) {
  EnsureExtIni(App());
  SaveExtensionList({{"*.tmp", "Temporary Files", true}, {"*.bak", "Backup Files", false}, {"x.y", "", true}}, App());
  EXPECT_EQ(ReadFile(Path("config\\ext.ini")), "*.tmp=Temporary Files=true\r\n*.bak=Backup Files=false\r\nx.y==true\r\n");

  // An empty list gives an empty file, which stays empty.
  SaveExtensionList({}, App());
  EXPECT_EQ(ReadFile(Path("config\\ext.ini")), "");
  EnsureExtIni(App());
  EXPECT_EQ(ReadFile(Path("config\\ext.ini")), "");
}
