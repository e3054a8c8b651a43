// Registry helpers against the prefix's real registry, under HKCU\Software\VorletTest\System.
#include <gtest/gtest.h>

#include <cstring>

#include "framework/classes/registry.h"
#include "services/system/registry_utils.h"

using namespace svc;

namespace {

const std::string kBase = "Software\\VorletTest\\System";

class RegistryUtils : public ::testing::Test {
 protected:
  void SetUp() override { Clear(); }
  void TearDown() override { Clear(); }
  static void Clear() {
    fw::TRegistry reg;
    reg.DeleteKey("\\" + kBase);
  }

  template <class F>
  static std::string MessageOf(F&& call) {
    try {
      call();
    } catch (const EUtRegistryError& e) {
      return e.GetMessage();
    }
    return "(nothing raised)";
  }
};

TEST_F(RegistryUtils, TextRoundTripsInEveryAcceptedForm) {
  const std::string key = kBase + "\\Text";
  RegistryWriteText(HKEY_CURRENT_USER, key, "Plain", "C:\\Program Files\\Vorlet");
  RegistryWriteText(HKEY_CURRENT_USER, key, "Expand", "%WINDIR%\\x", REG_EXPAND_SZ);
  RegistryWriteText(HKEY_CURRENT_USER, key, "Bytes", "raw", REG_BINARY);
  RegistryWriteText(HKEY_CURRENT_USER, key, "Unicode", "caf\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC");

  EXPECT_EQ(RegistryReadString(HKEY_CURRENT_USER, key, "Plain"), "C:\\Program Files\\Vorlet");
  EXPECT_EQ(RegistryReadString(HKEY_CURRENT_USER, key, "Expand"), "%WINDIR%\\x");
  EXPECT_EQ(RegistryReadString(HKEY_CURRENT_USER, key, "Bytes"), "raw");
  EXPECT_EQ(RegistryReadString(HKEY_CURRENT_USER, key, "Unicode"), "caf\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC");

  // The platform sees what was written, with its type.
  DWORD type = 0;
  EXPECT_TRUE(RegistryValueExists(HKEY_CURRENT_USER, key, "Expand", &type));
  EXPECT_EQ(type, DWORD(REG_EXPAND_SZ));
  fw::TRegistry reg;
  ASSERT_TRUE(reg.OpenKeyReadOnly("\\" + key));
  EXPECT_EQ(reg.ReadString("Plain"), "C:\\Program Files\\Vorlet");
}

TEST_F(RegistryUtils, RootNamesAreCheckedAndStripped) {
  RegistryWriteText(HKEY_CURRENT_USER, kBase, "Name", "value");
  for (std::string prefix : {"HKEY_CURRENT_USER\\", "hkcu\\", "\\HKCU\\", "\\"})
    EXPECT_EQ(ReadRegistryStringDefault(HKEY_CURRENT_USER, prefix + kBase, "Name", "-"), "value") << prefix;
  EXPECT_EQ(StripRootKeyName(HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE\\SOFTWARE\\A"), "SOFTWARE\\A");
  EXPECT_EQ(StripRootKeyName(HKEY_CLASSES_ROOT, "HKCR\\.txt"), ".txt");

  EXPECT_EQ(MessageOf([] { StripRootKeyName(HKEY_CURRENT_USER, "HKLM\\Software\\X"); }),
            "\"HKLM\\Software\\X\" does not match RootKey");
  EXPECT_EQ(MessageOf([] { RegistryWriteText(HKEY_CURRENT_USER, "HKEY_USERS\\" + kBase, "Name", "x"); }),
            "\"HKEY_USERS\\" + kBase + "\" does not match RootKey");
  // The never-raising read answers its default instead.
  EXPECT_EQ(ReadRegistryStringDefault(HKEY_CURRENT_USER, "HKLM\\" + kBase, "Name", "default"), "default");
  EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, kBase + "\\Missing"));
  EXPECT_TRUE(RegistryKeyExists(HKEY_CURRENT_USER, "HKCU\\" + kBase));
}

TEST_F(RegistryUtils, NumbersFromDataAndFromText) {
  const std::string key = kBase + "\\Numbers";
  DWORD dword = 0xFFFFFFFE;
  uint64_t qword = 0x123456789ull;
  RegistryWriteData(HKEY_CURRENT_USER, key, "Dword", REG_DWORD, &dword, sizeof dword);
  RegistryWriteData(HKEY_CURRENT_USER, key, "Qword", REG_QWORD, &qword, sizeof qword);
  RegistryWriteText(HKEY_CURRENT_USER, key, "Text", " 42 ");
  RegistryWriteText(HKEY_CURRENT_USER, key, "Hex", "$FF");
  RegistryWriteText(HKEY_CURRENT_USER, key, "Word", "forty-two");
  const char nine[9] = "12345678";
  RegistryWriteData(HKEY_CURRENT_USER, key, "Long", REG_BINARY, nine, 9);

  EXPECT_EQ(RegistryReadInteger(HKEY_CURRENT_USER, key, "Dword"), -2);
  EXPECT_EQ(RegistryReadInt64(HKEY_CURRENT_USER, key, "Qword"), 0x123456789ll);
  EXPECT_EQ(RegistryReadInt64(HKEY_CURRENT_USER, key, "Dword"), 0xFFFFFFFEll);
  EXPECT_EQ(RegistryReadInteger(HKEY_CURRENT_USER, key, "Text"), 42);
  EXPECT_EQ(RegistryReadInteger(HKEY_CURRENT_USER, key, "Hex"), 255);
  EXPECT_EQ(RegistryReadIntegerDefault(HKEY_CURRENT_USER, key, "Word", 7), 7);
  EXPECT_EQ(RegistryReadInt64Default(HKEY_CURRENT_USER, key, "Long", -1), -1);
  EXPECT_EQ(RegistryReadIntegerDefault(HKEY_CURRENT_USER, key, "Missing", 9), 9);
  EXPECT_EQ(MessageOf([&] { RegistryReadInteger(HKEY_CURRENT_USER, key, "Word"); }),
            "\"" + key + "\\Word\" is of wrong kind or size");
}

TEST_F(RegistryUtils, ReadFailuresNameKeyAndValue) {
  const std::string key = kBase + "\\Data";
  DWORD dword = 5;
  RegistryWriteData(HKEY_CURRENT_USER, key, "Dword", REG_DWORD, &dword, sizeof dword);

  EXPECT_EQ(MessageOf([&] { RegistryReadString(HKEY_CURRENT_USER, kBase + "\\Nowhere", "X"); }),
            "Unable to open key \"" + kBase + "\\Nowhere\" for read");
  EXPECT_EQ(MessageOf([&] { RegistryReadString(HKEY_CURRENT_USER, key, "Missing"); }),
            "Unable to open key \"" + key + "\" and access value \"Missing\"");
  EXPECT_EQ(MessageOf([&] { RegistryReadString(HKEY_CURRENT_USER, key, "Dword"); }),
            "\"" + key + "\\Dword\" is of wrong kind or size");

  // Typed data: accepted type and a buffer large enough, else the kind-or-size error.
  DWORD value = 0, size = sizeof value, type = 0;
  EXPECT_TRUE(RegistryReadData(HKEY_CURRENT_USER, key, "Dword", RegTypeBit(REG_DWORD), &value, size, type, true));
  EXPECT_EQ(value, 5u);
  EXPECT_EQ(size, sizeof value);
  EXPECT_EQ(type, DWORD(REG_DWORD));
  WORD small = 0;
  size = sizeof small;
  EXPECT_FALSE(RegistryReadData(HKEY_CURRENT_USER, key, "Dword", RegTypeBit(REG_DWORD), &small, size, type, false));
  EXPECT_EQ(MessageOf([&] {
              size = sizeof small;
              RegistryReadData(HKEY_CURRENT_USER, key, "Dword", RegTypeBit(REG_DWORD), &small, size, type, true);
            }),
            "\"" + key + "\\Dword\" is of wrong kind or size");
  size = sizeof value;
  EXPECT_FALSE(RegistryReadData(HKEY_CURRENT_USER, key, "Dword", RegTypeBit(REG_SZ), &value, size, type, false));

  std::string text = "kept";
  EXPECT_FALSE(RegistryReadText(HKEY_CURRENT_USER, key, "Missing", text, false));
  EXPECT_EQ(text, "kept");
  EXPECT_FALSE(RegistryValueExists(HKEY_CURRENT_USER, key, "Missing"));
}

TEST_F(RegistryUtils, MultiStringsOnlyWhenAsked) {
  const std::string key = kBase + "\\Multi";
  const wchar_t multi[] = L"first\0second\0";
  RegistryWriteData(HKEY_CURRENT_USER, key, "List", REG_MULTI_SZ, multi, sizeof multi);
  std::string text;
  EXPECT_FALSE(RegistryReadText(HKEY_CURRENT_USER, key, "List", text, false));
  EXPECT_TRUE(RegistryReadText(HKEY_CURRENT_USER, key, "List", text, false, true));
  EXPECT_EQ(text, "first");
}

TEST_F(RegistryUtils, WriteFailuresRaise) {
  EXPECT_EQ(MessageOf([] {
              DWORD v = 1;
              RegistryWriteText(HKEY_CURRENT_USER, kBase, "Dword", std::string(reinterpret_cast<char*>(&v), 4),
                                REG_DWORD);
            }),
            "\"" + kBase + "\\Dword\" is of wrong kind or size");
  EXPECT_FALSE(RegistryValueExists(HKEY_CURRENT_USER, kBase, "Dword"));

  // A key handle that is no longer valid cannot be written through.
  fw::TRegKey opened;
  RegistryWriteText(HKEY_CURRENT_USER, kBase, "Name", "x");
  ASSERT_TRUE(RegistryOpenKey(HKEY_CURRENT_USER, kBase, opened));
  HKEY closed = opened.Get();
  ASSERT_TRUE(opened.Close());
  EXPECT_EQ(MessageOf([&] { RegistryWriteText(closed, "Child", "Name", "x"); }),
            "Unable to open key \"Child\" for write");
}

}  // namespace
