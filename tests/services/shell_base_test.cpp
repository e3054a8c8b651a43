// The message table and its exceptions; version blocks stamped into real module copies and
// read back; the shell version; the short-string helpers; the counted start of the services.
#include <gtest/gtest.h>

#include <set>

#include "framework/rtl/file_utils.h"
#include "framework/rtl/sys_utils.h"
#include "services/shell/shell32_functions.h"
#include "services/shell/shell_component.h"
#include "services/shell/shell_services.h"
#include "services/shell/short_strings.h"
#include "services/shell/root_folder.h"
#include "services/shell/sv_exception.h"
#include "services/shell/sv_version_info.h"
#include "support/sandbox.h"
#include "support/version_block_builder.h"

using namespace svc;

namespace {

std::string SystemFile(const char* name) {
  char folder[MAX_PATH];
  GetSystemDirectoryA(folder, MAX_PATH);
  return std::string(folder) + "\\" + name;
}

// A version block with the fixed versions 1.2.3.4 and the given strings under 0409/04b0.
std::string VersionBlock(const std::vector<std::pair<std::string, std::string>>& strings) {
  TBlockBuilder b(true);
  std::vector<std::string> items;
  for (const auto& [key, value] : strings) items.push_back(b.Node(key, value, true));
  VS_FIXEDFILEINFO fixed{};
  fixed.dwSignature = 0xFEEF04BD;
  fixed.dwStrucVersion = 0x10000;
  fixed.dwFileVersionMS = MAKELONG(2, 1);
  fixed.dwFileVersionLS = MAKELONG(4, 3);
  fixed.dwProductVersionMS = MAKELONG(6, 5);
  fixed.dwFileOS = VOS_NT_WINDOWS32;
  DWORD translation = MAKELONG(0x0409, 0x04B0);
  return b.Node("VS_VERSION_INFO", std::string(reinterpret_cast<const char*>(&fixed), sizeof fixed), false,
                {b.Node("StringFileInfo", "", true, {b.Node("040904b0", "", true, items)}),
                 b.Node("VarFileInfo", "", true,
                        {b.Node("Translation", std::string(reinterpret_cast<const char*>(&translation), 4),
                                false)})});
}

// A copy of a small system module in folder whose resources are replaced by block (none when
// block is empty).
std::string StampedModule(const std::string& folder, const std::string& name, const std::string& block) {
  std::string file = folder + name;
  EXPECT_TRUE(CopyFileA(SystemFile("version.dll").c_str(), file.c_str(), FALSE));
  HANDLE update = BeginUpdateResourceA(file.c_str(), TRUE);
  EXPECT_NE(update, nullptr);
  if (!block.empty()) {
    EXPECT_TRUE(UpdateResourceA(update, MAKEINTRESOURCEA(16), MAKEINTRESOURCEA(1), 0x0409,
                                const_cast<char*>(block.data()), static_cast<DWORD>(block.size())));
  }
  EXPECT_TRUE(EndUpdateResourceA(update, FALSE));
  return file;
}

template <class E>
uint32_t RaisedCode(const std::function<void()>& action, std::string* message = nullptr) {
  try {
    action();
  } catch (const E& e) {
    if (message) *message = e.GetMessage();
    return e.GetErrorCode();
  }
  ADD_FAILURE() << "nothing raised";
  return ~0u;
}

}  // namespace

TEST(MessageTable, TextsById) {
  EXPECT_EQ(SvStrById(240), "Invalid folder");
  EXPECT_EQ(SvStrById(134), "The specified key cannnot be found in version info");
  EXPECT_EQ(SvStrById(68), "");
  std::string text = "stale";
  SvStrById(99999, text);
  EXPECT_EQ(text, "");

  ASSERT_EQ(SvStrCount(), 87);
  std::set<uint32_t> ids;
  for (int i = 0; i < SvStrCount(); ++i) {
    if (i > 0) {
      EXPECT_LT(SvStrTable()[i - 1].ID, SvStrTable()[i].ID);
    }
    ids.insert(SvStrTable()[i].ID);
    EXPECT_FALSE(std::string(SvStrTable()[i].Str).empty());
  }
  EXPECT_EQ(ids.size(), 87u);
}

TEST(MessageTable, RaisingHelpers) {
  std::string message;
  EXPECT_EQ(RaisedCode<ESvContainerError>([] { RaiseContainerErrorFmt(57, "TSvDeque"); }, &message), 57u);
  EXPECT_EQ(message, "Container class name TSvDeque read from stream is unregistered");
  EXPECT_EQ(RaisedCode<ESvContainerError>([] { RaiseNoCompare(); }, &message), 0u);
  EXPECT_EQ(message, "Compare property must be set");
  EXPECT_EQ(RaisedCode<ESvShortcutError>([] { RaiseSsError<ESvShortcutError>(126); }, &message), 126u);
  EXPECT_EQ(message, "File is not a shortcut");
  // Every class of the family is caught as an ESvException and as the framework's Exception.
  EXPECT_THROW(RaiseContainerError(55), ESvException);
  EXPECT_THROW(RaiseSsError<ESvRegExError>(293), fw::Exception);

  ESvException made = ESvException::CreateByIdFmt(58, "TNode");
  EXPECT_EQ(made.GetMessage(), "Node class name TNode read from stream is unregistered");
  EXPECT_EQ(made.GetErrorCode(), 0u);
  EXPECT_EQ(ESvException::CreateById(110).GetMessage(), "Operation not supported in this version of the shell");

  EXPECT_TRUE(IsOrInheritsFrom(TSvVersionInfo::StaticClassInfo(), TSvCustomVersionInfo::StaticClassInfo()));
  EXPECT_TRUE(IsOrInheritsFrom(TSvVersionInfo::StaticClassInfo(), TSvVersionInfo::StaticClassInfo()));
  EXPECT_FALSE(IsOrInheritsFrom(TSvCustomVersionInfo::StaticClassInfo(), TSvVersionInfo::StaticClassInfo()));
}

TEST(VersionInfo, FileVersionTextsAsNumbers) {
  std::string folder = testing_sandbox::TestFolder();
  struct {
    const char* text;
    double number;
  } cases[] = {{"4.72.3110.0", 4.72}, {"4.71", 4.71}, {"100000.1.2", 0}, {"10.0.19041.1", 10.0}};
  // The locale's decimal separator plays no part.
  fw::TFormatSettings saved = fw::FormatSettings;
  fw::FormatSettings.DecimalSeparator = ',';
  int n = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    std::string file = StampedModule(folder, "v" + std::to_string(n++) + ".dll",
                                     VersionBlock({{"FileVersion", c.text}, {"ProductVersion", "2.5"}}));
    fw::Owned<TSvVersionInfo> info = fw::MakeOwned<TSvVersionInfo>();
    info->SetFileName(file);
    EXPECT_FALSE(info->GetLoaded());
    EXPECT_DOUBLE_EQ(info->GetFileVersionFloat(), c.number);
    EXPECT_TRUE(info->GetLoaded());
    EXPECT_EQ(info->GetFileVersion(), c.text);
    EXPECT_EQ(info->GetProductVersion(), "2.5");
    EXPECT_DOUBLE_EQ(info->GetProductVersionFloat(), 2.5);
    EXPECT_EQ(info->GetFileVersionMS(), 0x00010002u);
    EXPECT_EQ(info->GetFileVersionLS(), 0x00030004u);
    EXPECT_EQ(info->GetProductVersionMS(), 0x00050006u);
    EXPECT_EQ(info->GetFileOS(), static_cast<DWORD>(VOS_NT_WINDOWS32));
  }
  fw::FormatSettings = saved;
}

TEST(VersionInfo, KeysAndFailures) {
  std::string folder = testing_sandbox::TestFolder();
  std::string file = StampedModule(folder, "keys.dll", VersionBlock({{"CompanyName", "Vorlet"}}));
  fw::Owned<TSvVersionInfo> info = fw::MakeOwned<TSvVersionInfo>();
  info->SetFileName(file);
  std::string value;
  info->LoadVersionInfo("CompanyName", value);
  EXPECT_EQ(value, "Vorlet");
  EXPECT_EQ(RaisedCode<ESvVersionInfoError>([&] { info->LoadVersionInfo("LegalCopyright", value); }), 134u);
  EXPECT_EQ(value, "");
  // A block without FileVersion reads as empty and 0.
  info->LoadVersionInfo("", value);
  EXPECT_EQ(info->GetFileVersion(), "");
  EXPECT_EQ(info->GetFileVersionFloat(), 0);

  // Without a version resource the system answers 1812 or 1813; both are "no version info".
  info->SetFileName(StampedModule(folder, "bare.dll", ""));
  std::string message;
  EXPECT_EQ(RaisedCode<ESvVersionInfoError>([&] { info->GetFileVersionFloat(); }, &message), 100u);
  EXPECT_EQ(message, "File does not contain version info");

  std::string missing = folder + "missing.dll";
  EXPECT_EQ(RaisedCode<ESvVersionInfoError>([&] { info->SetFileName(missing); }), 73u);
}

TEST(VersionInfo, FileNameKeepsOrClearsLoaded) {
  std::string folder = testing_sandbox::TestFolder();
  std::string first = StampedModule(folder, "a.dll", VersionBlock({{"FileVersion", "1.5"}}));
  std::string second = StampedModule(folder, "b.dll", VersionBlock({{"FileVersion", "1.6"}}));
  fw::Owned<TSvVersionInfo> info = fw::MakeOwned<TSvVersionInfo>();
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  EXPECT_EQ(info->GetFileName(), self);
  info->SetFileName(first);
  EXPECT_DOUBLE_EQ(info->GetFileVersionFloat(), 1.5);
  info->SetFileName(first);
  EXPECT_TRUE(info->GetLoaded());
  info->SetFileName(second);
  EXPECT_FALSE(info->GetLoaded());
  EXPECT_DOUBLE_EQ(info->GetFileVersionFloat(), 1.6);
}

TEST(ShellComponent, ReadsTheShellVersion) {
  fw::Owned<TSvShellComponent> real(fw::New<TSvShellComponent>(nullptr));
  EXPECT_DOUBLE_EQ(real->GetShellVersion(), 6.0);  // Wine's shell32 says 6.0.x
  EXPECT_EQ(real->GetVersion(), "1.02");
  real->SetVersion("9.9");
  EXPECT_EQ(real->GetVersion(), "1.02");

  std::optional<double> previous = svc::testing::SetShellVersion(4.71);
  EXPECT_FALSE(previous.has_value());
  fw::Owned<TSvShellComponent> old(fw::New<TSvShellComponent>(nullptr));
  EXPECT_DOUBLE_EQ(old->GetShellVersion(), 4.71);
  EXPECT_EQ(svc::testing::SetShellVersion(previous), 4.71);
}

TEST(ShortStrings, Helpers) {
  EXPECT_EQ(FormatGrouped(-1234567, ","), "-1,234,567");
  EXPECT_EQ(FormatGrouped(123, "."), "123");
  EXPECT_EQ(FormatThousands(1000), "1,000");
  EXPECT_EQ(PadLeftShort("42", '0', 5), "00042");
  EXPECT_EQ(PadLeftSpaces("long text", 4), "long text");
  EXPECT_EQ(PadLeftShort("x", '.', 300).size(), 255u);
  int position = -1;
  EXPECT_TRUE(CharPosShort("a.b.c", '.', position));
  EXPECT_EQ(position, 2);
  EXPECT_FALSE(CharPosShort("abc", '.', position));
  EXPECT_EQ(position, 0);
  EXPECT_EQ(TrimControlChars("\t\r\n  text \x01"), "text");
  EXPECT_EQ(SpecialFolderCsidl(sfNone), SpecialFolderCsidl(sfDesktop));
  EXPECT_EQ(SpecialFolderCsidl(sfAltStartup), CSIDL_ALTSTARTUP);
  EXPECT_EQ(SpecialFolderCsidl(sfTemplates), CSIDL_TEMPLATES);
}

TEST(ShellServices, StartAndStopAreCounted) {
  // The test main started the services once.
  ASSERT_TRUE(Shell32FunctionsLoaded());
  UINT format = ShellIdListFormat();
  EXPECT_EQ(format, RegisterClipboardFormatA("Shell IDList Array"));

  EXPECT_FALSE(StartShellServices());
  EXPECT_FALSE(StopShellServices());
  EXPECT_TRUE(Shell32FunctionsLoaded());

  EXPECT_TRUE(StopShellServices());
  EXPECT_FALSE(Shell32FunctionsLoaded());
  EXPECT_FALSE(StopShellServices());  // an unmatched stop does nothing

  EXPECT_TRUE(StartShellServices());
  EXPECT_FALSE(StartShellServices());
  EXPECT_TRUE(Shell32FunctionsLoaded());
  EXPECT_NE(Shell32().ILFree, nullptr);
  EXPECT_NE(Shell32().SHChangeNotifyDeregister, nullptr);
  EXPECT_EQ(ShellIdListFormat(), format);
  EXPECT_FALSE(StopShellServices());
  EXPECT_TRUE(Shell32FunctionsLoaded());
}
