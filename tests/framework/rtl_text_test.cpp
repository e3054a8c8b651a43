// Text and number conversions, Format, rounding, dates and DOS file dates.
#include <gtest/gtest.h>

#include "framework/rtl/date_time.h"
#include "framework/rtl/exceptions.h"
#include "framework/rtl/seams.h"
#include "framework/rtl/sys_utils.h"
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

}  // namespace
