// Text and number conversions, Format, rounding, dates and DOS file dates, and UTF-8 made valid
// for Windows with its UTF-16 forms.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "framework/rtl/date_time.h"
#include "framework/rtl/exceptions.h"
#include "framework/rtl/seams.h"
#include "framework/rtl/sys_utils.h"
#include "framework/rtl/wide_text.h"
#include "support/gui_test_support.h"

namespace {

// Restores FormatSettings after a test changes the separators.
class TextTest : public testing_gui::SeamTest {
 protected:
  void SetUp() override { saved = fw::FormatSettings; }
  void TearDown() override { fw::FormatSettings = saved; }
  fw::TFormatSettings saved;
};

TEST_F(TextTest, FormatCoversThePascalSubset) {
  using fw::Format;
  EXPECT_EQ("a=5, b=-7, 100%", Format("a=%d, b=%d, 100%%", 5, -7));
  EXPECT_EQ("[   42][42   ][007]", Format("[%5d][%-5d][%.3d]", 42, 42, 7));
  EXPECT_EQ("FF 00FF 4294967295", Format("%x %.4x %u", 255, 255, -1));
  EXPECT_EQ("3.14 2.50 0.500", Format("%.2f %f %.3f", 3.14159, 2.5, 0.5));
  EXPECT_EQ("1.5 0.1 1E20 1E-5", Format("%g %g %g %g", 1.5, 0.1, 1e20, 1e-5));
  EXPECT_EQ("1,234,567.89", Format("%.2n", 1234567.891));
  EXPECT_EQ("ab|  abc|ab   ", Format("%.2s|%5s|%-5s", "abcdef", std::string("abc"), "ab"));
  EXPECT_EQ("9876543210 x", Format("%d %s", int64_t(9876543210), 'x'));
  EXPECT_EQ("b a b", Format("%1:s %0:s %s", "a", "b"));
  EXPECT_EQ("[  7] 2", Format("[%*d] %d", 3, 7, fw::ffFixed));
  fw::FormatSettings.DecimalSeparator = ',';
  fw::FormatSettings.ThousandSeparator = '.';
  EXPECT_EQ("1.234,50 0,25", Format("%.2n %g", 1234.5, 0.25));
  EXPECT_THROW(Format("%d", 1.5), fw::EConvertError);
  EXPECT_THROW(Format("%s", 3), fw::EConvertError);
  EXPECT_THROW(Format("%d %d", 3), fw::EConvertError);
  EXPECT_THROW(Format("%", 3), fw::EConvertError);
}

TEST_F(TextTest, StrToIntAcceptsPascalSyntaxOnly) {
  EXPECT_EQ(-12, fw::StrToInt("-12"));
  EXPECT_EQ(0xFF00FF, fw::StrToInt("$FF00FF"));
  EXPECT_EQ(16, fw::StrToInt("0x10"));
  EXPECT_EQ(-1, fw::StrToInt("$FFFFFFFF"));
  EXPECT_EQ(7, fw::StrToInt("  +7"));
  EXPECT_EQ(INT32_MIN, fw::StrToInt("-2147483648"));
  for (const char* bad : {"", " ", "12a", "1 2", "$", "0x", "--1", "2147483648", "$100000000", "1.0", "7 "}) {
    try {
      fw::StrToInt(bad);
      ADD_FAILURE() << "accepted '" << bad << "'";
    } catch (const fw::EConvertError& e) {
      EXPECT_EQ(std::string("'") + bad + "' is not a valid integer value", e.GetMessage());
    }
  }
  EXPECT_EQ(5, fw::StrToIntDef("x", 5));
  EXPECT_EQ(int64_t(1) << 40, fw::StrToInt64("1099511627776"));
  EXPECT_EQ(-3, fw::StrToInt64Def("-3", 0));
  EXPECT_EQ("-42", fw::IntToStr(-42));
  EXPECT_EQ("9876543210", fw::IntToStr(int64_t(9876543210)));
  EXPECT_EQ("00FF", fw::IntToHex(255, 4));
}

TEST_F(TextTest, RoundIsHalfToEvenAndTruncCutsTowardZero) {
  EXPECT_EQ(2, fw::Round(2.5));
  EXPECT_EQ(4, fw::Round(3.5));
  EXPECT_EQ(-2, fw::Round(-2.5));
  EXPECT_EQ(1, fw::Round(0.51));
  EXPECT_EQ(0, fw::Round(0.5));
  EXPECT_EQ(-2, fw::Trunc(-2.9));
  EXPECT_EQ(0, fw::ClampToByte(-5));
  EXPECT_EQ(255, fw::ClampToByte(300));
}

TEST_F(TextTest, CaseTrimAndOneBasedHelpers) {
  EXPECT_EQ("ABC\xC3\xA9", fw::UpperCase("abc\xC3\xA9"));  // ASCII only
  EXPECT_EQ(0, fw::CompareText("Hello", "hELLO"));
  EXPECT_LT(fw::CompareText("apple", "Banana"), 0);
  EXPECT_TRUE(fw::SameText("Skin", "SKIN"));
  EXPECT_EQ(0, fw::AnsiCompareText("Zebra", "zebra"));
  EXPECT_LT(fw::AnsiCompareText("apple", "Banana"), 0);
  EXPECT_EQ("ABC", fw::AnsiUpperCase("abc"));
  EXPECT_EQ("a b", fw::Trim("\t a b \r\n"));
  EXPECT_EQ("a ", fw::TrimLeft("  a "));
  EXPECT_EQ("  a", fw::TrimRight("  a \x01"));

  EXPECT_EQ("2345", fw::Copy1("123456", 2, 4));
  EXPECT_EQ("123", fw::Copy1("123", 0, 10));
  EXPECT_EQ("", fw::Copy1("123", 5, 1));
  EXPECT_EQ(3, fw::Pos1("cd", "abcd"));
  EXPECT_EQ(0, fw::Pos1("x", "abcd"));
  std::string s = "abcdef";
  fw::Delete1(s, 2, 2);
  EXPECT_EQ("adef", s);
  fw::Delete1(s, 10, 1);
  EXPECT_EQ("adef", s);
  fw::Insert1("XY", s, 2);
  EXPECT_EQ("aXYdef", s);
  fw::Insert1("!", s, 100);
  EXPECT_EQ("aXYdef!", s);
}

TEST_F(TextTest, FloatTextUsesTheLocaleSeparatorExceptTheDotForms) {
  fw::FormatSettings.DecimalSeparator = ',';
  fw::FormatSettings.ThousandSeparator = ' ';
  EXPECT_EQ("1 234,57", fw::FloatToStrF(1234.567, fw::ffNumber, 15, 2));
  EXPECT_EQ("1234,6", fw::FloatToStrF(1234.567, fw::ffFixed, 15, 1));
  EXPECT_EQ("1 234,50 KB", fw::FormatFloat("#,##0.00 KB", 1234.5));
  EXPECT_EQ("0,5", fw::FormatFloat("0.##", 0.5));
  EXPECT_EQ("12", fw::FormatFloat("0", 12.4));
  EXPECT_DOUBLE_EQ(2.5, fw::StrToFloat("2,5"));
  EXPECT_THROW(fw::StrToFloat("2.5"), fw::EConvertError);
  EXPECT_DOUBLE_EQ(4.8, fw::StrToFloatDot("4.8"));
  EXPECT_EQ("4.8", fw::FloatToStrDot(4.8));
  EXPECT_DOUBLE_EQ(1.0, fw::StrToFloatDotDef("abc", 1.0));
}

TEST_F(TextTest, DatesEncodeDecodeAndConvertToDosAndFileTimes) {
  EXPECT_DOUBLE_EQ(29221.0, fw::EncodeDate(1980, 1, 1));
  EXPECT_DOUBLE_EQ(0.0, fw::EncodeDate(1899, 12, 30));
  EXPECT_DOUBLE_EQ(0.5, fw::EncodeTime(12, 0, 0, 0));
  EXPECT_THROW(fw::EncodeDate(2023, 2, 29), fw::EConvertError);
  EXPECT_NO_THROW(fw::EncodeDate(2024, 2, 29));
  EXPECT_THROW(fw::EncodeTime(24, 0, 0, 0), fw::EConvertError);

  fw::TDateTime t = fw::EncodeDateTime(2024, 2, 29, 13, 45, 31, 0);
  int y, m, d, h, n, s, ms;
  fw::DecodeDate(t, y, m, d);
  fw::DecodeTime(t, h, n, s, ms);
  EXPECT_EQ(2024, y);
  EXPECT_EQ(2, m);
  EXPECT_EQ(29, d);
  EXPECT_EQ(13, h);
  EXPECT_EQ(45, n);
  EXPECT_EQ(31, s);

  // DOS times keep even seconds: 31 s is stored as 30 s.
  int dos = fw::DateTimeToFileDate(t);
  EXPECT_EQ(((2024 - 1980) << 25) | (2 << 21) | (29 << 16) | (13 << 11) | (45 << 5) | 15, dos);
  EXPECT_DOUBLE_EQ(fw::EncodeDateTime(2024, 2, 29, 13, 45, 30, 0), fw::FileDateToDateTime(dos));
  EXPECT_DOUBLE_EQ(29221.0, fw::FileDateToDateTime((1 << 21) | (1 << 16)));
  EXPECT_EQ(0, fw::DateTimeToFileDate(fw::EncodeDate(1979, 12, 31)));
  EXPECT_THROW(fw::FileDateToDateTime(0), fw::EConvertError);

  FILETIME ft = fw::DateTimeToFileTime(t);
  SYSTEMTIME st;
  ASSERT_TRUE(FileTimeToSystemTime(&ft, &st));
  EXPECT_EQ(2024, st.wYear);
  EXPECT_EQ(29, st.wDay);
  EXPECT_EQ(13, st.wHour);
  EXPECT_EQ(4, st.wDayOfWeek);  // Thursday
  EXPECT_NEAR(t, fw::FileTimeToDateTime(ft), 1e-9);
  EXPECT_EQ(4, fw::DateTimeToSystemTime(t).wDayOfWeek);
}

TEST_F(TextTest, DateTimeTextFollowsTheSettingsAndDropsMidnight) {
  fw::FormatSettings.ShortDateFormat = "dd/mm/yyyy";
  fw::FormatSettings.LongTimeFormat = "hh:nn:ss";
  fw::FormatSettings.DateSeparator = '.';
  EXPECT_EQ("05.03.2024 07:08:09", fw::DateTimeToStr(fw::EncodeDateTime(2024, 3, 5, 7, 8, 9, 0)));
  EXPECT_EQ("05.03.2024", fw::DateTimeToStr(fw::EncodeDate(2024, 3, 5)));
  EXPECT_EQ("Tue 5 March 24, 7:08 PM",
            fw::FormatDateTime("ddd d mmmm yy, h:nn AM/PM", fw::EncodeDateTime(2024, 3, 5, 19, 8, 0, 0)));
  EXPECT_EQ("at 07h", fw::FormatDateTime("'at' hh'h'", fw::EncodeTime(7, 0, 0, 0)));
}

class TFixedClock : public fw::testing::TClock {
 public:
  DWORD GetTickCount() override { return Ticks; }
  fw::TDateTime Now() override { return fw::EncodeDateTime(2020, 6, 1, 18, 0, 0, 0); }
  void Sleep(DWORD ms) override { Ticks += ms; }
  DWORD Ticks = 1000;
};

TEST_F(TextTest, ClockSeamDrivesNowTicksAndSleep) {
  TFixedClock clock;
  EXPECT_EQ(fw::testing::SetClock(&clock), nullptr);
  fw::Sleep(250);
  EXPECT_EQ(1250u, fw::GetTickCount());
  EXPECT_DOUBLE_EQ(fw::EncodeDate(2020, 6, 1), fw::Date());
  EXPECT_DOUBLE_EQ(0.75, fw::Time());
  EXPECT_EQ(fw::testing::SetClock(nullptr), &clock);
  EXPECT_GT(fw::Now(), fw::EncodeDate(2020, 1, 1));
}

// --- UTF-8 for Windows ---

// U+FFFD, the replacement character.
const std::string kFFFD = "\xEF\xBF\xBD";
const std::string kUnicodeName = reinterpret_cast<const char*>(u8"Ünïcødé 日本");

TEST(ValidUtf8Test, ReplacesEachBrokenSequenceAndStopsAtTheFirstNul) {
  using fw::ValidUtf8;
  // Valid text, from one to four bytes a character, U+FFFD itself and the edges of the ranges.
  for (std::string valid :
       std::vector<std::string>{"", "plain *.tmp", kUnicodeName, "\xF0\x9F\x98\x80", kFFFD, "\x7F", "\xC2\x80",
                                "\xED\x9F\xBF", "\xEE\x80\x80", "\xF4\x8F\xBF\xBF", "\xEF\xBF\xBF"})
    EXPECT_EQ(ValidUtf8(valid), valid);
  // Sequences cut short, at the end or before another character: one U+FFFD each.
  EXPECT_EQ(ValidUtf8("ab\xE6\x97"), "ab" + kFFFD);
  EXPECT_EQ(ValidUtf8("\xE6\x97x"), kFFFD + "x");
  EXPECT_EQ(ValidUtf8("\xF0\x9F\x98"), kFFFD);
  EXPECT_EQ(ValidUtf8("\xF0\x9F\x98\xC3\xA9"), kFFFD + "\xC3\xA9");
  EXPECT_EQ(ValidUtf8("\xC3"), kFFFD);
  EXPECT_EQ(ValidUtf8("\xE6\xE6\x97\xA5"), kFFFD + "\xE6\x97\xA5");
  // A line ending in 7F EF: DEL stays, the lone lead byte is replaced, nothing follows.
  EXPECT_EQ(ValidUtf8("abc\x7F\xEF"), "abc\x7F" + kFFFD);
  // Bytes that never occur in UTF-8, and trail bytes without a lead.
  EXPECT_EQ(ValidUtf8("\xFE\xFF"), kFFFD + kFFFD);
  EXPECT_EQ(ValidUtf8("[\xFE[[C"), "[" + kFFFD + "[[C");
  EXPECT_EQ(ValidUtf8("\x80\xBFz"), kFFFD + kFFFD + "z");
  EXPECT_EQ(ValidUtf8("\xF5\x80\x80\x80"), kFFFD + kFFFD + kFFFD + kFFFD);
  // Overlong forms: every byte is replaced, none decodes to the character it spells.
  EXPECT_EQ(ValidUtf8("\xC0\xAF"), kFFFD + kFFFD);
  EXPECT_EQ(ValidUtf8("\xC1\xBF"), kFFFD + kFFFD);
  EXPECT_EQ(ValidUtf8("\xE0\x80\xAF"), kFFFD + kFFFD + kFFFD);
  EXPECT_EQ(ValidUtf8("\xE0\x9F\xBF"), kFFFD + kFFFD + kFFFD);
  EXPECT_EQ(ValidUtf8("\xF0\x80\x80\xAF"), kFFFD + kFFFD + kFFFD + kFFFD);
  EXPECT_EQ(ValidUtf8("\xF0\x8F\xBF\xBF"), kFFFD + kFFFD + kFFFD + kFFFD);
  // Surrogates, paired or not, and code points above U+10FFFF.
  EXPECT_EQ(ValidUtf8("\xED\xA0\x80"), kFFFD + kFFFD + kFFFD);
  EXPECT_EQ(ValidUtf8("\xED\xBF\xBF"), kFFFD + kFFFD + kFFFD);
  EXPECT_EQ(ValidUtf8("\xED\xA0\xBD\xED\xB8\x80"), kFFFD + kFFFD + kFFFD + kFFFD + kFFFD + kFFFD);
  EXPECT_EQ(ValidUtf8("\xF4\x90\x80\x80"), kFFFD + kFFFD + kFFFD + kFFFD);
  // A NUL ends the text, as Windows reads a C string.
  EXPECT_EQ(ValidUtf8(std::string("ab\0\xFFxy", 6)), "ab");
  EXPECT_EQ(ValidUtf8(std::string("\0[=\0\xFF", 5)), "");
  EXPECT_EQ(ValidUtf8(std::string("\xE6\x97\0x", 4)), kFFFD);
  // A limit for a fixed buffer cuts before the first character that does not fit whole.
  EXPECT_EQ(ValidUtf8("ab\xE6\x97\xA5", 4), "ab");
  EXPECT_EQ(ValidUtf8("ab\xE6\x97\xA5", 5), "ab\xE6\x97\xA5");
  EXPECT_EQ(ValidUtf8("a\xFF", 3), "a");
  EXPECT_EQ(ValidUtf8("a\xFFz", 4), "a" + kFFFD);
  EXPECT_EQ(ValidUtf8("abc", 0), "");
}

TEST(ValidUtf8Test, WideFormsAgreeWithTheValidText) {
  EXPECT_EQ(fw::Utf8ToWide(kUnicodeName), L"\u00DCn\u00EFc\u00F8d\u00E9 \u65E5\u672C");
  EXPECT_EQ(fw::Utf8ToWide("\xF0\x9F\x98\x80"), std::wstring(L"\xD83D\xDE00"));
  EXPECT_EQ(fw::Utf8ToWide("abc\x7F\xEF"), L"abc\x7F\xFFFD");
  EXPECT_EQ(fw::Utf8ToWide("\xC0\xAF\xED\xA0\x80"), std::wstring(5, L'\xFFFD'));
  // The wide form of the bytes keeps NULs (registry data, lists of names); what is shown of a
  // text ends at the first.
  EXPECT_EQ(fw::Utf8ToWide(std::string("a\0b", 3)), std::wstring(L"a\0b", 3));
  EXPECT_EQ(fw::ShownWide(std::string("a\xFF\0b", 4)), L"a\xFFFD");
  EXPECT_EQ(fw::WideToUtf8(L"\xD83D\xDE00 \u65E5"), "\xF0\x9F\x98\x80 \xE6\x97\xA5");
  // A lone surrogate, high or low, is no character.
  EXPECT_EQ(fw::WideToUtf8(std::wstring(L"a\xD83Dz\xDE00")), "a" + kFFFD + "z" + kFFFD);
  EXPECT_EQ(fw::WideToUtf8(std::wstring(L"\xD83D")), kFFFD);
  // Random bytes: the valid text is UTF-8 by Windows' own strict check, converts both ways
  // unchanged, and its wide form is the wide form of the bytes up to their first NUL.
  std::srand(35);
  for (int round = 0; round < 2000; ++round) {
    std::string bytes(std::rand() % 24, '\0');
    for (char& c : bytes) c = static_cast<char>(std::rand() % 256);
    if (round % 2) std::replace(bytes.begin(), bytes.end(), '\0', '\x80');
    std::string valid = fw::ValidUtf8(bytes);
    SCOPED_TRACE(testing::PrintToString(bytes));
    ASSERT_EQ(valid.find('\0'), std::string::npos);
    if (!valid.empty()) {
      ASSERT_GT(
          MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, valid.data(), static_cast<int>(valid.size()), nullptr, 0),
          0);
    }
    ASSERT_EQ(fw::WideToUtf8(fw::Utf8ToWide(valid)), valid);
    ASSERT_EQ(fw::Utf8ToWide(valid), fw::Utf8ToWide(bytes.substr(0, bytes.find('\0'))));
  }
}

}  // namespace
