// Version blocks read from a system DLL (checked against the platform's own lookup) and built
// by hand for the shapes no file here carries; library binding.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "framework/rtl/file_utils.h"
#include "framework/rtl/sys_utils.h"
#include "services/system/file_version_info.h"
#include "services/system/module_utils.h"
#include "support/sandbox.h"
#include "support/version_block_builder.h"

using namespace svc;

namespace {

std::string SystemDll(const char* name) {
  char folder[MAX_PATH];
  GetSystemDirectoryA(folder, MAX_PATH);
  return std::string(folder) + "\\" + name;
}

// The platform's answer for one string of the file's first translation.
std::string PlatformString(const std::string& file, const std::string& name) {
  DWORD handle = 0;
  DWORD size = GetFileVersionInfoSizeA(file.c_str(), &handle);
  std::vector<char> block(size);
  GetFileVersionInfoA(file.c_str(), 0, size, block.data());
  WORD* translation = nullptr;
  UINT length = 0;
  char translationKey[] = "\\VarFileInfo\\Translation";
  if (!VerQueryValueA(block.data(), translationKey, reinterpret_cast<void**>(&translation), &length)) return "";
  std::string key = fw::Format("\\StringFileInfo\\%.4x%.4x\\%s", translation[0], translation[1], name);
  char* value = nullptr;
  if (!VerQueryValueA(block.data(), key.data(), reinterpret_cast<void**>(&value), &length)) return "";
  return value;
}

std::string SampleBlock(bool wide, DWORD signature = 0xFEEF04BD) {
  TBlockBuilder b(wide);
  DWORD translation = MAKELONG(0x0409, 0x04B0);
  std::string translations(reinterpret_cast<const char*>(&translation), 4);
  translation = MAKELONG(0x0407, 0x04E4);
  translations.append(reinterpret_cast<const char*>(&translation), 4);
  return b.Node(
      "VS_VERSION_INFO", TBlockBuilder::Fixed(signature, 0x3F, 0x25), false,
      {b.Node("StringFileInfo", "", true,
              {b.Node("040904b0", "", true,
                      {b.Node("CompanyName", "Vorlet", true), b.Node("FileVersion", "2.2.0.7", true),
                       b.Node("Comments", "", true)}),
               b.Node("0x040704E4", "", true, {b.Node("FileVersion", "2,2,0,7", true)})}),
       b.Node("VarFileInfo", "", true, {b.Node("Translation", translations, false)})});
}

TEST(FileVersionInfo, SystemDllMatchesThePlatform) {
  std::string file = SystemDll("kernel32.dll");
  ASSERT_TRUE(FileVersionInfoExists(file));
  fw::Owned<TUtFileVersionInfo> info = fw::MakeOwned<TUtFileVersionInfo>(file);

  const VS_FIXEDFILEINFO* fixed = info->GetFixedInfo();
  ASSERT_NE(fixed, nullptr);
  EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  VS_FIXEDFILEINFO copied{};
  ASSERT_TRUE(FixedFileVersion(file, copied));
  EXPECT_EQ(std::memcmp(&copied, fixed, sizeof copied), 0);

  ASSERT_GT(info->GetTranslationCount(), 0);
  ASSERT_GT(info->GetLanguageCount(), 0);
  EXPECT_GT(info->GetItems().GetCount(), 0);
  for (const char* name : {"FileVersion", "ProductVersion", "FileDescription"})
    EXPECT_EQ(info->GetKeyValue(name), PlatformString(file, name)) << name;
}

TEST(FileVersionInfo, FilesWithoutABlock) {
  std::string text = testing_sandbox::TestFolder() + "plain.txt";
  testing_sandbox::WriteFile(text, "no resources here");
  EXPECT_FALSE(FileVersionInfoExists(text));
  VS_FIXEDFILEINFO fixed{};
  EXPECT_FALSE(FixedFileVersion(text, fixed));
  EXPECT_THROW(fw::MakeOwned<TUtFileVersionInfo>(text), EUtFileVersionInfoError);
  EXPECT_THROW(fw::MakeOwned<TUtFileVersionInfo>(testing_sandbox::TestFolder() + "missing.dll"),
               EUtFileVersionInfoError);
}

TEST(FileVersionInfo, WideAndAnsiBlocksParseAlike) {
  for (bool wide : {true, false}) {
    SCOPED_TRACE(wide ? "32-bit block" : "16-bit block");
    fw::Owned<TUtFileVersionInfo> info = fw::MakeOwned<TUtFileVersionInfo>(TUtVersionBlock{SampleBlock(wide)});
    ASSERT_NE(info->GetFixedInfo(), nullptr);
    EXPECT_EQ(info->GetFixedInfo()->dwFileVersionMS, 0x00020002u);
    // Flags 0x3F masked by 0x25: debug, patched, special build.
    EXPECT_TRUE(info->GetFileFlags() == (TUtFileFlags{ffDebug, ffPatched, ffSpecialBuild}));

    ASSERT_EQ(info->GetTranslationCount(), 2);
    EXPECT_EQ(info->GetTranslations(0).LangId, 0x0409);
    EXPECT_EQ(info->GetTranslations(0).CodePage, 0x04B0);
    EXPECT_EQ(info->GetTranslations(1).LangId, 0x0407);

    ASSERT_EQ(info->GetLanguageCount(), 2);
    EXPECT_EQ(info->GetItems().GetText(), "CompanyName=Vorlet\r\nFileVersion=2.2.0.7\r\nComments=\r\n");
    EXPECT_EQ(info->GetKeyValue("FileVersion"), "2.2.0.7");
    EXPECT_EQ(info->GetKeyValue("Missing"), "");
    // A table key with "0x" and mixed case still gives language and code page.
    EXPECT_EQ(info->GetLanguages(1).LangId, 0x0407);
    EXPECT_EQ(info->GetLanguages(1).CodePage, 0x04E4);
    info->SetLanguageIndex(1);
    EXPECT_EQ(info->GetKeyValue("FileVersion"), "2,2,0,7");
    EXPECT_THROW(info->SetLanguageIndex(2), fw::EListError);
  }
}

TEST(FileVersionInfo, DamagedBlocksRaise) {
  EXPECT_THROW(fw::MakeOwned<TUtFileVersionInfo>(TUtVersionBlock{SampleBlock(true, 0x12345678)}),
               EUtFileVersionInfoError);
  std::string cut = SampleBlock(true);
  cut.resize(cut.size() / 2);
  EXPECT_THROW(fw::MakeOwned<TUtFileVersionInfo>(TUtVersionBlock{cut}), EUtFileVersionInfoError);
  EXPECT_THROW(fw::MakeOwned<TUtFileVersionInfo>(TUtVersionBlock{"xy"}), EUtFileVersionInfoError);
  TBlockBuilder b(true);
  EXPECT_THROW(fw::MakeOwned<TUtFileVersionInfo>(TUtVersionBlock{b.Node("NOT_VERSION", "", false)}),
               EUtFileVersionInfoError);
  // A block without a fixed part is fine and has no flags.
  fw::Owned<TUtFileVersionInfo> bare =
      fw::MakeOwned<TUtFileVersionInfo>(TUtVersionBlock{b.Node("VS_VERSION_INFO", "", false)});
  EXPECT_EQ(bare->GetFixedInfo(), nullptr);
  EXPECT_TRUE(bare->GetFileFlags().Empty());
  EXPECT_EQ(bare->GetItems().GetCount(), 0);
}

TEST(ModuleUtils, LateBindingAndItsErrors) {
  using TNetbios = UCHAR(WINAPI*)(void*);
  TNetbios netbios = nullptr;
  BindLibraryFunction(netbios, "netapi32.dll", "Netbios");
  ASSERT_NE(netbios, nullptr);
  EXPECT_EQ(reinterpret_cast<FARPROC>(netbios), GetProcAddress(GetModuleHandleA("netapi32.dll"), "Netbios"));
  // A filled slot is kept as it is.
  TNetbios before = netbios;
  BindLibraryFunction(netbios, "kernel32.dll", "GetTickCount");
  EXPECT_EQ(netbios, before);

  FARPROC slot = nullptr;
  try {
    BindLibraryFunction(slot, "vorlet-no-such-library.dll", "X");
    FAIL() << "nothing raised";
  } catch (const EUtError& e) {
    EXPECT_STREQ(e.what(), "Library not found: vorlet-no-such-library.dll");
  }
  try {
    BindLibraryFunction(slot, "kernel32.dll", "VorletNoSuchFunction");
    FAIL() << "nothing raised";
  } catch (const EUtError& e) {
    EXPECT_STREQ(e.what(), "Function not found: kernel32.dll.VorletNoSuchFunction");
  }
  EXPECT_EQ(slot, nullptr);
}

TEST(ModuleUtils, LoadingOnceAndLookups) {
  HMODULE module = nullptr;
  ASSERT_TRUE(LoadModuleOnce(module, "version.dll"));
  HMODULE first = module;
  EXPECT_TRUE(LoadModuleOnce(module, "no-such.dll"));
  EXPECT_EQ(module, first);
  EXPECT_EQ(ModuleFunction(nullptr, "GetFileVersionInfoSizeA"), nullptr);
  EXPECT_TRUE(fw::AnsiSameText(fw::ExtractFileName(ModuleFileName(nullptr)), "system_version_test.exe"));
  FreeLibrary(module);
}

}  // namespace
