// Files, streams, ini files and the registry, against real files in the sandbox folder and the
// sandbox prefix's registry (HKCU\Software\VorletTest\Core).
#include <gtest/gtest.h>

#include <algorithm>

#include "framework/rtl/exceptions.h"
#include "framework/rtl/file_utils.h"
#include "framework/rtl/folder_walker.h"
#include "framework/classes/ini_file.h"
#include "framework/classes/mem_ini_file.h"
#include "framework/classes/registry.h"
#include "framework/classes/resource_stream.h"
#include "framework/rtl/seams.h"
#include "framework/rtl/wide_path.h"
#include "framework/classes/streams.h"
#include "framework/classes/string_list.h"
#include "support/hard_paths.h"
#include "support/host_links.h"
#include "framework/sys/owned_handle.h"
#include "support/gui_test_support.h"
#include "support/sandbox.h"

namespace {

using Strings = std::vector<std::string>;

Strings Lines(const fw::TStrings& list) {
  Strings lines;
  for (int i = 0; i < list.GetCount(); ++i) lines.push_back(list.GetStrings(i));
  return lines;
}

TEST(StreamTest, FileStreamReadsToTheEndAndReportsOpenErrorsWithTheName) {
  std::string folder = testing_sandbox::TestFolder();
  std::string name = folder + "data.bin";
  {
    fw::TFileStream out(name, fw::fmCreate);
    out.WriteBuffer("0123456789", 10);
    EXPECT_EQ(10, out.GetSize());
  }
  fw::TFileStream in(name, fw::fmOpenRead | fw::fmShareDenyWrite);
  char buffer[8];
  EXPECT_EQ(8, in.Read(buffer, 8));
  EXPECT_EQ(2, in.Read(buffer, 8));
  EXPECT_EQ(0, in.Read(buffer, 8));
  in.SetPosition(4);
  EXPECT_THROW(in.ReadBuffer(buffer, 7), fw::EReadError);
  in.Seek(-3, fw::soEnd);
  in.ReadBuffer(buffer, 3);
  EXPECT_EQ("789", std::string(buffer, 3));

  try {
    fw::TFileStream missing(folder + "missing.bin", fw::fmOpenRead);
    FAIL() << "opened a missing file";
  } catch (const fw::EFOpenError& e) {
    EXPECT_EQ(folder + "missing.bin", e.GetFileName());
    EXPECT_EQ(0u, e.GetMessage().find("Cannot open file \"" + folder + "missing.bin\". "));
  }
  EXPECT_THROW(fw::TFileStream(folder + "no\\such\\folder.bin", fw::fmCreate), fw::EFCreateError);
}

TEST(StreamTest, FailedReadFileRaisesInsteadOfLookingLikeTheEnd) {
  std::string name = testing_sandbox::TestFolder() + "locked.bin";
  testing_sandbox::WriteFile(name, "content");
  // A handle without read access makes ReadFile fail.
  fw::TFileStream writeOnly(name, fw::fmOpenWrite | fw::fmShareDenyNone);
  char buffer[4];
  EXPECT_THROW(writeOnly.Read(buffer, 4), fw::EReadError);
  fw::TFileStream exclusive(name, fw::fmOpenRead | fw::fmShareDenyNone);
  EXPECT_THROW(fw::TFileStream(name, fw::fmOpenRead | fw::fmShareExclusive), fw::EFOpenError);
}

TEST(StreamTest, MemoryStreamGrowsAndCopies) {
  std::string folder = testing_sandbox::TestFolder();
  fw::TMemoryStream memory;
  memory.WriteBuffer("abc", 3);
  memory.SetPosition(5);
  memory.WriteBuffer("z", 1);
  EXPECT_EQ(6, memory.GetSize());
  EXPECT_EQ(std::string("abc\0\0z", 6), std::string(static_cast<const char*>(memory.GetMemory()), 6));
  memory.SaveToFile(folder + "m.bin");
  fw::TMemoryStream copy;
  copy.LoadFromFile(folder + "m.bin");
  EXPECT_EQ(6, copy.GetSize());
  fw::TMemoryStream target;
  copy.SetPosition(3);
  EXPECT_EQ(3, target.CopyFrom(copy, 3));
  EXPECT_EQ(6, target.CopyFrom(copy, 0));
  EXPECT_EQ(9, target.GetSize());
  char byte;
  target.SetPosition(9);
  EXPECT_EQ(0, target.Read(&byte, 1));
}

TEST(IniFileTest, ValuesRoundTripWithDefaultsAndWindowsSemantics) {
  std::string name = testing_sandbox::TestFolder() + "settings.ini";
  fw::TIniFile ini(name);
  EXPECT_EQ("dflt", ini.ReadString("Main", "Missing", "dflt"));
  EXPECT_EQ(7, ini.ReadInteger("Main", "Missing", 7));
  EXPECT_FALSE(fw::FileExists(name));

  ini.WriteString("Main", "Skin", "Blue");
  ini.WriteInteger("Main", "Count", -3);
  ini.WriteBool("Main", "Active", true);
  ini.WriteString("Other", "Empty", "");
  ini.UpdateFile();
  EXPECT_TRUE(fw::FileExists(name));
  EXPECT_EQ("Blue", ini.ReadString("MAIN", "skin", ""));
  EXPECT_EQ(-3, ini.ReadInteger("Main", "Count", 0));
  EXPECT_TRUE(ini.ReadBool("Main", "Active", false));
  EXPECT_EQ("", ini.ReadString("Other", "Empty", "dflt"));
  EXPECT_EQ(5, ini.ReadInteger("Other", "Empty", 5));

  testing_sandbox::WriteFile(name, "[Main]\r\nQuoted=\"  spaced  \"\r\nPadded =  x  \r\nHex=0x10\r\nBad=12z\r\n"
                                   "[Second]\r\na=1\r\nb=2\r\n");
  EXPECT_EQ("  spaced  ", ini.ReadString("Main", "Quoted", ""));
  EXPECT_EQ("x", ini.ReadString("Main", "Padded", ""));
  EXPECT_EQ(16, ini.ReadInteger("Main", "Hex", 0));
  EXPECT_EQ(9, ini.ReadInteger("Main", "Bad", 9));

  fw::TStringList list;
  ini.ReadSections(list);
  EXPECT_EQ((Strings{"Main", "Second"}), Lines(list));
  ini.ReadSection("Second", list);
  EXPECT_EQ((Strings{"a", "b"}), Lines(list));
  ini.ReadSectionValues("Second", list);
  EXPECT_EQ((Strings{"a=1", "b=2"}), Lines(list));
  EXPECT_TRUE(ini.SectionExists("second"));
  EXPECT_TRUE(ini.ValueExists("Second", "B"));
  ini.DeleteKey("Second", "b");
  EXPECT_FALSE(ini.ValueExists("Second", "b"));
  ini.EraseSection("Second");
  EXPECT_FALSE(ini.SectionExists("Second"));
  EXPECT_EQ("x", ini.ReadString("Main", "Padded", ""));
}

TEST(IniFileTest, MemIniFileParsesInFileOrderAndNeverWrites) {
  std::string name = testing_sandbox::TestFolder() + "Options.dat";
  std::string text =
      "orphan=1\r\n[Button]\r\n  ; comment\r\n  Glyph=btn.bmp  \r\nEMPTY=\r\nglyph=second\r\n"
      "Color=0x1F\r\nShort=0x\r\nScale=1.5\r\n\r\n[Alpha]\r\nb=2\r\na=1\r\n[button]\r\nExtra=1\r\n";
  testing_sandbox::WriteFile(name, text);
  fw::TMemIniFile ini(name);
  EXPECT_EQ("btn.bmp", ini.ReadString("BUTTON", "glyph", "d"));
  EXPECT_EQ("", ini.ReadString("Button", "Empty", "d"));
  EXPECT_EQ("d", ini.ReadString("Button", "Extra", "d"));  // only the first [button] counts
  EXPECT_EQ("d", ini.ReadString("", "orphan", "d"));
  EXPECT_EQ(31, ini.ReadInteger("Button", "Color", 0));
  EXPECT_EQ(4, ini.ReadInteger("Button", "Short", 4));
  EXPECT_DOUBLE_EQ(1.5, ini.ReadFloat("Button", "Scale", 0));
  EXPECT_TRUE(ini.ValueExists("alpha", "A"));
  EXPECT_FALSE(ini.SectionExists("Missing"));
  fw::TStringList list;
  ini.ReadSections(list);
  EXPECT_EQ((Strings{"Button", "Alpha", "button"}), Lines(list));
  ini.ReadSection("Alpha", list);
  EXPECT_EQ((Strings{"b", "a"}), Lines(list));
  EXPECT_EQ(text, testing_sandbox::ReadFile(name));

  fw::TMemIniFile fromLines("1.tmp");
  list.SetText("[Main]\nKey=Value");
  fromLines.SetStrings(list);
  EXPECT_EQ("Value", fromLines.ReadString("main", "key", ""));
  EXPECT_FALSE(fw::FileExists(fw::ExpandFileName("1.tmp")));
}

TEST(StreamTest, ResourceStreamReadsAModuleResource) {
  HMODULE module = GetModuleHandleA("kernel32.dll");
  fw::TResourceStream version(module, 1, MAKEINTRESOURCEA(16));  // the version resource
  ASSERT_GT(version.GetSize(), 40);
  WORD length = 0;
  version.ReadBuffer(&length, 2);
  EXPECT_EQ(version.GetSize(), length);
  EXPECT_THROW(version.WriteBuffer("x", 1), fw::EStreamError);
  EXPECT_THROW(fw::TResourceStream(module, "NO_SUCH_SKIN", MAKEINTRESOURCEA(10)), fw::EResNotFound);
}

class RegistryTest : public ::testing::Test {
 protected:
  void TearDown() override {
    fw::TRegistry reg;
    reg.DeleteKey("\\Software\\VorletTest\\Core");
  }
};

TEST_F(RegistryTest, StringsAndIntegersRoundTripAndOtherTypesRaise) {
  fw::TRegistry reg;
  EXPECT_EQ(HKEY_CURRENT_USER, reg.GetRootKey());
  ASSERT_TRUE(reg.OpenKey("\\Software\\VorletTest\\Core\\Values", true));
  EXPECT_EQ("Software\\VorletTest\\Core\\Values", reg.GetCurrentPath());
  reg.WriteString("Name", "Vorlet");
  reg.WriteExpandString("Path", "%TEMP%\\x");
  reg.WriteInteger("Count", -5);
  EXPECT_EQ("Vorlet", reg.ReadString("Name"));
  EXPECT_EQ("%TEMP%\\x", reg.ReadString("Path"));
  EXPECT_EQ(-5, reg.ReadInteger("Count"));
  EXPECT_EQ("", reg.ReadString("Missing"));
  EXPECT_EQ(fw::rdInteger, reg.GetDataType("Count"));
  EXPECT_EQ(fw::rdExpandString, reg.GetDataType("Path"));
  EXPECT_EQ(fw::rdUnknown, reg.GetDataType("Missing"));
  EXPECT_EQ(7, reg.GetDataSize("Name"));
  try {
    reg.ReadString("Count");
    FAIL() << "read a number as a string";
  } catch (const fw::ERegistryException& e) {
    EXPECT_EQ("Invalid data type for 'Count'", e.GetMessage());
  }
  EXPECT_THROW(reg.ReadInteger("Name"), fw::ERegistryException);
  EXPECT_THROW(reg.ReadInteger("Missing"), fw::ERegistryException);

  fw::TStringList names;
  reg.GetValueNames(names);
  names.SetSorted(true);
  EXPECT_EQ((Strings{"Count", "Name", "Path"}), Lines(names));
  EXPECT_TRUE(reg.DeleteValue("Name"));
  EXPECT_FALSE(reg.ValueExists("Name"));
  EXPECT_FALSE(reg.DeleteValue("Name"));
  reg.CloseKey();

  fw::TRegistry reader;
  ASSERT_TRUE(reader.OpenKeyReadOnly("Software\\VorletTest\\Core\\Values"));
  EXPECT_EQ(-5, reader.ReadInteger("Count"));
  EXPECT_THROW(reader.WriteInteger("Count", 1), fw::ERegistryException);
  EXPECT_EQ(static_cast<REGSAM>(KEY_ALL_ACCESS), reader.GetAccess());
  EXPECT_FALSE(reader.OpenKey("\\Software\\VorletTest\\Core\\Nothing", false));
  EXPECT_EQ("Software\\VorletTest\\Core\\Values", reader.GetCurrentPath());
}

TEST_F(RegistryTest, KeysListAndDeleteRecursivelyButNeverWithAnEmptyName) {
  fw::TRegistry reg;
  ASSERT_TRUE(reg.OpenKey("\\Software\\VorletTest\\Core\\Tree", true));
  ASSERT_TRUE(reg.OpenKey("Child", true));  // relative to the open key
  EXPECT_EQ("Software\\VorletTest\\Core\\Tree\\Child", reg.GetCurrentPath());
  ASSERT_TRUE(reg.OpenKey("Grandchild", true));
  reg.WriteString("v", "1");
  ASSERT_TRUE(reg.OpenKey("\\Software\\VorletTest\\Core\\Tree", false));
  reg.CreateKey("Second");
  EXPECT_TRUE(reg.HasSubKeys());
  fw::TStringList keys;
  reg.GetKeyNames(keys);
  keys.SetSorted(true);
  EXPECT_EQ((Strings{"Child", "Second"}), Lines(keys));

  EXPECT_FALSE(reg.DeleteKey(""));
  EXPECT_FALSE(reg.DeleteKey("\\"));
  EXPECT_TRUE(reg.KeyExists("Child"));
  EXPECT_TRUE(reg.DeleteKey("Child"));
  EXPECT_FALSE(reg.KeyExists("Child"));
  EXPECT_TRUE(reg.KeyExists("Second"));
  EXPECT_TRUE(reg.KeyExists("\\Software\\VorletTest\\Core\\Tree"));
}

TEST(FileUtilsTest, PathPartsFollowTheLastDelimiter) {
  EXPECT_EQ("C:\\dir\\", fw::ExtractFilePath("C:\\dir\\file.tar.gz"));
  EXPECT_EQ("file.tar.gz", fw::ExtractFileName("C:\\dir\\file.tar.gz"));
  EXPECT_EQ(".gz", fw::ExtractFileExt("C:\\dir\\file.tar.gz"));
  EXPECT_EQ("", fw::ExtractFileExt("C:\\dir.x\\file"));
  EXPECT_EQ("C:", fw::ExtractFileDrive("C:\\dir"));
  EXPECT_EQ("\\\\srv\\share", fw::ExtractFileDrive("\\\\srv\\share\\x"));
  EXPECT_EQ("C:\\dir", fw::ExtractFileDir("C:\\dir\\file"));
  EXPECT_EQ("C:\\", fw::ExtractFileDir("C:\\file"));
  EXPECT_EQ("D:", fw::ExtractFilePath("D:x.txt").substr(0, 2));
  EXPECT_EQ("C:\\a.ini", fw::ChangeFileExt("C:\\a.exe", ".ini"));
  EXPECT_EQ("C:\\a.b\\c.ini", fw::ChangeFileExt("C:\\a.b\\c", ".ini"));
  EXPECT_EQ("C:\\x\\", fw::IncludeTrailingBackslash("C:\\x"));
  EXPECT_EQ("C:\\x\\", fw::IncludeTrailingBackslash("C:\\x\\"));
  EXPECT_EQ("C:\\x", fw::ExcludeTrailingBackslash("C:\\x\\"));
  EXPECT_EQ("C:\\a\\c", fw::ExpandFileName("C:\\a\\b\\..\\c"));
}

TEST(FileUtilsTest, FoldersAreCreatedAndSearched) {
  std::string folder = testing_sandbox::TestFolder();
  std::string deep = folder + "one\\two\\three";
  EXPECT_TRUE(fw::ForceDirectories(deep));
  EXPECT_TRUE(fw::DirectoryExists(deep));
  EXPECT_FALSE(fw::FileExists(deep));
  EXPECT_FALSE(fw::CreateDir(deep));
  testing_sandbox::WriteFile(folder + "one\\a.txt", "12345");
  testing_sandbox::WriteFile(folder + "one\\hidden.txt", "x");
  SetFileAttributesA((folder + "one\\hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
  EXPECT_TRUE(fw::FileExists(folder + "one\\a.txt"));
  EXPECT_FALSE(fw::DirectoryExists(folder + "one\\a.txt"));

  Strings files, all;
  fw::TSearchRec rec;
  for (int r = fw::FindFirst(folder + "one\\*", 0, rec); r == 0; r = fw::FindNext(rec)) {
    files.push_back(rec.Name);
    if (rec.Name == "a.txt") {
      EXPECT_EQ(5, rec.Size);
      EXPECT_NE(0, rec.Time);
    }
  }
  fw::FindClose(rec);
  for (int r = fw::FindFirst(folder + "one\\*", fw::faAnyFile, rec); r == 0; r = fw::FindNext(rec))
    all.push_back(rec.Name);
  fw::FindClose(rec);
  EXPECT_EQ((Strings{"a.txt"}), files);
  std::sort(all.begin(), all.end());
  EXPECT_EQ((Strings{".", "..", "a.txt", "hidden.txt", "two"}), all);
  EXPECT_NE(0, fw::FindFirst(folder + "none\\*", fw::faAnyFile, rec));
  fw::FindClose(rec);

  std::string saved = fw::GetCurrentDir();
  EXPECT_TRUE(fw::SetCurrentDir(folder + "one"));
  EXPECT_EQ(folder + "one\\a.txt", fw::ExpandFileName("a.txt"));
  fw::SetCurrentDir(saved);
}

// The file primitives reach names outside the ANSI code page and paths beyond MAX_PATH.
// Messages show a path as the user types it: a drive or share path without the "\\?\" the file
// calls may carry, any other prefixed path (Wine's "\\?\unix\..." for a folder no drive reaches) whole.
TEST(FileUtilsTest, MessagesShowPathsAsTheUserTypesThem) {
  EXPECT_EQ(fw::DisplayPath("\\\\?\\C:\\sandbox\\x.txt"), "C:\\sandbox\\x.txt");
  EXPECT_EQ(fw::DisplayPath("\\\\?\\UNC\\server\\share\\x"), "\\\\server\\share\\x");
  EXPECT_EQ(fw::DisplayPath("\\\\?\\unix\\tmp\\app\\config"), "\\\\?\\unix\\tmp\\app\\config");
  EXPECT_EQ(fw::DisplayPath("\\\\.\\pipe\\x"), "\\\\.\\pipe\\x");
  EXPECT_EQ(fw::DisplayPath("C:\\x"), "C:\\x");

  std::string folder = testing_sandbox::TestFolder();
  try {
    fw::TFileStream missing("\\\\?\\" + folder + "missing.bin", fw::fmOpenRead);
    FAIL() << "opened a missing file";
  } catch (const fw::EFOpenError& e) {
    EXPECT_EQ(0u, e.GetMessage().find("Cannot open file \"" + folder + "missing.bin\". ")) << e.GetMessage();
  }
}

// Puts a copy of a small system library at name (a sandbox path of any length).
bool CopyLibrary(const std::string& name) {
  wchar_t system[MAX_PATH] = {};
  if (GetSystemDirectoryW(system, MAX_PATH) == 0) return false;
  testing_sandbox::MakeFolders(fw::ExtractFilePath(name));
  return CopyFileW((std::wstring(system) + L"\\msvcp60.dll").c_str(), fw::FileApiPath(name).c_str(), FALSE) != 0;
}

// A module loaded by a name too long for the plain form is named with the "\\?\" it was loaded
// with, as Windows names it (Wine leaves the prefix out), so its folder reaches every file call;
// one of a plain path keeps its plain name.
TEST(FileUtilsTest, ModuleFileNamesKeepTheLongPathPrefix) {
  std::string folder = testing_sandbox::TestFolder();
  const std::string longName = testing_sandbox::LengthenedFolder(folder + "long\\", "lib.dll", 300) + "lib.dll";
  const std::string shortName = folder + "short\\lib.dll";
  for (const std::string& name : {longName, shortName}) {
    SCOPED_TRACE(name);
    ASSERT_TRUE(CopyLibrary(name));
    HMODULE module = LoadLibraryW(fw::FileApiPath(name).c_str());
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(fw::ModuleFileName(module), name == longName ? "\\\\?\\" + name : name);
    FreeLibrary(module);
  }
}

// Wine names a module of a host folder no drive letter reaches (as here one loaded by its host
// name) "unix\...", a relative path; it is named with the "\\?\" it was loaded by, so a program
// started from such a folder finds the files beside it.
TEST(FileUtilsTest, ModuleFileNamesOfHostFoldersKeepTheirPrefix) {
  const std::string name = testing_sandbox::TestFolder() + "host\\lib.dll";
  ASSERT_TRUE(CopyLibrary(name));
  std::string host = testing_sandbox::UnixName(name);
  ASSERT_FALSE(host.empty());
  std::replace(host.begin(), host.end(), '/', '\\');
  const std::string hostName = "\\\\?\\unix" + host;
  HMODULE module = LoadLibraryW(fw::Utf8ToWide(hostName).c_str());
  ASSERT_NE(module, nullptr) << hostName;
  const std::string moduleName = fw::ModuleFileName(module);
  EXPECT_EQ(moduleName, hostName);
  EXPECT_TRUE(fw::FileExists(fw::ExtractFilePath(moduleName) + "lib.dll")) << moduleName;
  FreeLibrary(module);
}

TEST(FileUtilsTest, ForeignNamesAndLongPathsWorkInEveryPrimitive) {
  std::string folder = testing_sandbox::TestFolder();
  for (const testing_sandbox::THardPath& c : testing_sandbox::HardPaths(folder, "z.tmp")) {
    SCOPED_TRACE(c.Label + ": " + c.Path());
    {
      fw::TFileStream out(c.Path(), fw::fmCreate);
      out.WriteBuffer("long and foreign", 16);
    }
    EXPECT_EQ(testing_sandbox::ReadFile(c.Path()), "long and foreign");
    fw::TFileStream in(c.Path(), fw::fmOpenRead | fw::fmShareDenyWrite);
    EXPECT_EQ(in.GetSize(), 16);
    char bytes[16];
    in.ReadBuffer(bytes, 16);
    EXPECT_EQ(std::string(bytes, 16), "long and foreign");

    EXPECT_TRUE(fw::FileExists(c.Path()));
    EXPECT_FALSE(fw::DirectoryExists(c.Path()));
    EXPECT_TRUE(fw::DirectoryExists(c.Folder));
    EXPECT_EQ(fw::FileAttributes(c.Path()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
    EXPECT_EQ(fw::ExpandFileName(c.Path()), c.Path());
    std::string deeper = c.Folder + "new\\" + testing_sandbox::kForeignFolderName + "\\deeper";
    EXPECT_TRUE(fw::ForceDirectories(deeper));
    EXPECT_TRUE(testing_sandbox::Exists(deeper));
    EXPECT_TRUE(fw::RemoveDir(deeper));
    EXPECT_FALSE(testing_sandbox::Exists(deeper));

    Strings names;
    fw::TSearchRec rec;
    for (int r = fw::FindFirst(c.Folder + "*.tmp", 0, rec); r == 0; r = fw::FindNext(rec)) {
      names.push_back(rec.Name);
      EXPECT_EQ(rec.Size, 16);
    }
    fw::FindClose(rec);
    EXPECT_EQ(names, Strings{c.Name});
  }
}

TEST(FileUtilsTest, TheFolderWalkerListsOneFolderWithoutItsDotEntries) {
  std::string folder = testing_sandbox::TestFolder();
  fw::CreateDir(folder + "sub");
  testing_sandbox::WriteFile(folder + "a.tmp", "12345");
  testing_sandbox::WriteFile(folder + "b.txt", "x");
  testing_sandbox::WriteFile(folder + "sub\\deep.tmp", "x");
  Strings all, temporary;
  for (fw::TFolderWalker entry(folder); entry.Next();) {
    all.push_back(entry.Name() + (entry.IsDirectory() ? "\\" : ""));
    if (entry.Name() == "a.tmp") {
      EXPECT_EQ(5, entry.Size());
    }
  }
  for (fw::TFolderWalker entry(fw::ExcludeTrailingBackslash(folder), "*.tmp"); entry.Next();)
    temporary.push_back(entry.Path());
  std::sort(all.begin(), all.end());
  EXPECT_EQ((Strings{"a.tmp", "b.txt", "sub\\"}), all);
  EXPECT_EQ((Strings{folder + "a.tmp"}), temporary) << "one level only";
  fw::TFolderWalker missing(folder + "none");
  EXPECT_FALSE(missing.Next());
  EXPECT_FALSE(missing.Next());
}

// Each owner closes its handle exactly once: when it goes, when it takes another, or when told.
TEST(OwnedHandleTest, AFileIsClosedOnceByWhicheverOwnerHoldsIt) {
  std::string folder = testing_sandbox::TestFolder();
  testing_sandbox::WriteFile(folder + "a.txt", "a");
  testing_sandbox::WriteFile(folder + "b.txt", "b");
  auto openAlone = [](const std::string& path) {  // no sharing: fails while another holds it
    return CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  };
  auto canOpen = [&](const std::string& path) { return fw::TFileHandle(openAlone(path)).Valid(); };
  {
    fw::TFileHandle first(openAlone(folder + "a.txt"));
    ASSERT_TRUE(first.Valid());
    EXPECT_FALSE(canOpen(folder + "a.txt"));
    fw::TFileHandle second(std::move(first));
    EXPECT_FALSE(first.Valid());
    EXPECT_FALSE(canOpen(folder + "a.txt"));
    *second.Receive() = openAlone(folder + "b.txt");
    EXPECT_TRUE(canOpen(folder + "a.txt")) << "the handle held before is closed";
    EXPECT_FALSE(canOpen(folder + "b.txt"));
    EXPECT_TRUE(second.Close());
    EXPECT_FALSE(second.Close());
    EXPECT_TRUE(canOpen(folder + "b.txt"));
    fw::TFileHandle failed(openAlone(folder + "missing.txt"));
    EXPECT_FALSE(failed.Valid()) << "INVALID_HANDLE_VALUE holds nothing";
  }

  fw::TRegKey key;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\VorletTest\\Owned", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            key.Receive(), nullptr),
            ERROR_SUCCESS);
  DWORD value = 7;
  EXPECT_EQ(RegSetValueExA(key.Get(), "Seven", 0, REG_DWORD, reinterpret_cast<BYTE*>(&value), sizeof value),
            ERROR_SUCCESS);
  EXPECT_TRUE(key.Close());
  fw::TRegistry registry;
  EXPECT_TRUE(registry.OpenKeyReadOnly("\\Software\\VorletTest\\Owned"));
  EXPECT_EQ(registry.ReadInteger("Seven"), 7);
  registry.CloseKey();
  EXPECT_TRUE(registry.DeleteKey("\\Software\\VorletTest\\Owned"));
}

class TFakeFolders : public fw::testing::TSpecialFolders {
 public:
  std::string GetPath(int csidl) override { return csidl == CSIDL_PERSONAL ? "C:\\sandbox\\docs" : ""; }
};

using Seams = testing_gui::SeamTest;

TEST_F(Seams, ProgramFolderAndSpecialFoldersCanBeRedirected) {
  std::string real = fw::ProgramFolder();
  EXPECT_EQ('\\', real.back());
  EXPECT_TRUE(fw::DirectoryExists(real));
  std::string folder = testing_sandbox::TestFolder();
  EXPECT_EQ(fw::testing::SetProgramFolder(fw::ExcludeTrailingBackslash(folder)), "");
  EXPECT_EQ(folder, fw::ProgramFolder());
  EXPECT_EQ(fw::testing::SetProgramFolder(""), folder) << "the replaced folder comes back";
  EXPECT_EQ(real, fw::ProgramFolder());

  EXPECT_FALSE(fw::GetSpecialFolderPath(CSIDL_WINDOWS).empty());
  TFakeFolders fake;
  fw::testing::SetSpecialFolders(&fake);
  EXPECT_EQ("C:\\sandbox\\docs", fw::GetSpecialFolderPath(CSIDL_PERSONAL));
  EXPECT_EQ("", fw::GetSpecialFolderPath(CSIDL_DESKTOP));
}

TEST(SeamTest, OsErrorsCarryTheCodeAndTheSystemText) {
  try {
    fw::RaiseLastOSError(ERROR_FILE_NOT_FOUND);
    FAIL() << "no exception";
  } catch (const fw::EOSError& e) {
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), e.GetErrorCode());
    EXPECT_EQ("System Error.  Code: 2.\r\n" + fw::SysErrorMessage(ERROR_FILE_NOT_FOUND), e.GetMessage());
    EXPECT_FALSE(fw::SysErrorMessage(ERROR_FILE_NOT_FOUND).empty());
  }
  EXPECT_THROW(fw::Abort(), fw::EAbort);
}

}  // namespace
