// The engine's small helpers: words, clamps, folders, rectangles, long and short names, file
// icons, the CommonSections readers, and the colour and gradient services of the loader.
#include <gtest/gtest.h>

#include "framework/graphics/icon.h"
#include "framework/rtl/exceptions.h"
#include "framework/rtl/file_utils.h"
#include "framework/classes/string_list.h"
#include "skin/engine/color_passes.h"
#include "skin/engine/gradient_data.h"
#include "skin/engine/skin_utils.h"
#include "support/sandbox.h"

namespace {

TEST(SkinWords, CountPositionAndExtract) {
  const std::string text = "   a   b  ";
  EXPECT_EQ(skin::WordCountBySet(text, " "), 2);
  EXPECT_EQ(skin::WordCountBySet(" ", " "), 0);
  EXPECT_EQ(skin::WordCountBySet("", " "), 0);
  EXPECT_EQ(skin::ExtractWordBySet(1, text, " "), "a");
  EXPECT_EQ(skin::ExtractWordBySet(2, text, " "), "b");
  EXPECT_EQ(skin::ExtractWordBySet(3, text, " "), "");
  EXPECT_EQ(skin::WordPositionBySet(2, text, " "), 8);
  EXPECT_EQ(skin::WordPositionBySet(3, text, " "), 0);
  EXPECT_EQ(skin::WordCountBySet("1;;2;3", ";"), 3);

  int pos = 1;
  EXPECT_EQ(skin::ExtractNextWord("ab,cd", pos, ","), "ab");
  EXPECT_EQ(pos, 4);
  EXPECT_EQ(skin::ExtractNextWord("ab,cd", pos, ","), "cd");
  EXPECT_EQ(pos, 6);
  EXPECT_EQ(skin::DelChars("a b  c", ' '), "abc");
}

TEST(SkinWords, ClampAndSmallHelpers) {
  EXPECT_EQ(skin::ClampToByte(-5), 0);
  EXPECT_EQ(skin::ClampToByte(300), 255);
  EXPECT_EQ(skin::ClampToByte(128), 128);
  EXPECT_TRUE(skin::InRange(3, 3, 4));
  EXPECT_FALSE(skin::InRange(5, 3, 4));
  EXPECT_EQ(skin::MaxInt2(2, 7), 7);
  EXPECT_EQ(skin::MinInt2(2, 7), 2);
  EXPECT_EQ(skin::IffStr(false, "a", "b"), "b");
}

TEST(SkinFolders, NormalDir) {
  EXPECT_EQ(skin::NormalDir(""), "");
  EXPECT_EQ(skin::NormalDir("D"), "D:\\");
  EXPECT_EQ(skin::NormalDir("a/b/"), "a/b\\");
  EXPECT_EQ(skin::NormalDir("C:\\x\\"), "C:\\x\\");
  EXPECT_EQ(skin::NormalDir("C:\\x"), "C:\\x\\");
}

TEST(SkinRects, OverlapAndInside) {
  fw::TRect a(0, 0, 10, 10);
  EXPECT_TRUE(skin::RectsOverlap(a, fw::TRect(5, 5, 15, 15)));
  EXPECT_FALSE(skin::RectsOverlap(a, fw::TRect(10, 0, 20, 10)));  // touching edges only
  EXPECT_FALSE(skin::RectsOverlap(a, fw::TRect(2, 2, 2, 8)));     // empty
  EXPECT_TRUE(skin::RectInRect(a, fw::TRect(0, 0, 10, 10)));
  EXPECT_FALSE(skin::RectInRect(a, fw::TRect(0, 0, 11, 10)));
  EXPECT_EQ(skin::RectWidth(fw::TRect(3, 4, 10, 20)), 7);
  EXPECT_EQ(skin::RectHeight(fw::TRect(3, 4, 10, 20)), 16);
}

TEST(SkinFolders, LongAndShortNamesRoundTrip) {
  const std::string folder = testing_sandbox::TestFolder();
  const std::string longDir = folder + "A rather long folder name";
  ASSERT_TRUE(fw::ForceDirectories(longDir));
  testing_sandbox::WriteFile(longDir + "\\Some long file name.text", "x");
  const std::string full = longDir + "\\Some long file name.text";
  std::string shortName = skin::GetShortFileName(full);
  EXPECT_NE(shortName, full);
  EXPECT_TRUE(fw::FileExists(shortName));
  EXPECT_TRUE(fw::SameText(skin::GetLongFileName(shortName), full)) << skin::GetLongFileName(shortName);
  // A missing element leaves an empty name.
  EXPECT_EQ(skin::GetLongFileName("C:\\no such folder here"), "C:\\");
  std::string name = "x";
  skin::LongNameOf(folder + "nothing", name);
  EXPECT_EQ(name, "");
}

TEST(SkinFolders, FileIconAndStatusFont) {
  const std::string folder = testing_sandbox::TestFolder();
  EXPECT_EQ(skin::GetFileIcon(folder + "missing.exe", true), nullptr);
  testing_sandbox::WriteFile(folder + "present.txt", "x");
  auto icon = skin::GetFileIcon(folder + "present.txt", true);
  ASSERT_NE(icon, nullptr);
  EXPECT_FALSE(icon->GetEmpty());
  EXPECT_NE(skin::GetStatusFontHeight(), 0);
  EXPECT_TRUE(skin::DirectoryExistsA(folder));
  EXPECT_FALSE(skin::DirectoryExistsA(folder + "present.txt"));
}

TEST(SkinSectionList, BlocksAndReaders) {
  fw::TStringList lines, sections;
  lines.SetText("ignored=1\n[MY SECTION]\n;comment=1\n\nCOLOR=0x0000FF\nName=a=b\n[Other]\nBEVEL=two\n");
  skin::ParseSectionList(lines, sections);
  ASSERT_EQ(sections.GetCount(), 2);
  EXPECT_EQ(sections.GetStrings(0), "MY SECTION");
  EXPECT_EQ(skin::ReadListString(sections, "my section", "name", "-"), "a=b");
  EXPECT_EQ(skin::ReadListString(sections, "MY SECTION", "comment", "-"), "-");
  EXPECT_EQ(skin::ReadListString(sections, "MY SECTION", "ignored", "-"), "-");
  EXPECT_EQ(skin::ReadListInteger(sections, "MY SECTION", "COLOR", -1), 0xFF);
  EXPECT_EQ(skin::ReadListInteger(sections, "OTHER", "BEVEL", -1), -1);
  EXPECT_EQ(skin::ReadListInteger(sections, "NONE", "BEVEL", 7), 7);
  skin::FreeSectionList(sections);
}

TEST(SkinColors, SaturationAndHue) {
  EXPECT_EQ(skin::ChangeColorSaturation(0x0000FF, 100), 0x555555);
  EXPECT_EQ(skin::ChangeColorSaturation(0x123456, 0), 0x123456);
  EXPECT_EQ(skin::ChangeSaturation(0x0000FF, 100), 0x555555);
  // The fourth byte passes unchanged; negative amounts move away from grey.
  EXPECT_EQ(static_cast<unsigned>(skin::ChangeColorSaturation(static_cast<int>(0x80000010u), 50)) >> 24, 0x80u);
  EXPECT_EQ(skin::ChangeColorSaturation(0x404080, -100), 0x2B2BAB);
  EXPECT_EQ(skin::ChangeColorHue(120, 0x0000FF), 0x00FF00);
  EXPECT_EQ(skin::ChangeHue(240, 0x0000FF), 0xFF0000);
  EXPECT_EQ(skin::ChangeColorHue(77, 0x808080), 0x808080);
  EXPECT_EQ(skin::ChangeColorHue(-120, 0x0000FF), 0xFF0000);
  EXPECT_EQ(skin::ChangeColorHue(120, fw::clWindowText), skin::ChangeColorHue(120, fw::ColorToRGB(fw::clWindowText)));
}

TEST(SkinGradient, ParseStops) {
  skin::TkGradArray stops;
  skin::ParseGradientData("16777215;12632256;60;0;0;12632256;8421504;150;1;0;7", stops);
  ASSERT_EQ(stops.size(), 2u);
  EXPECT_EQ(stops[0].Color1, 16777215);
  EXPECT_EQ(stops[0].Color2, 12632256);
  EXPECT_EQ(stops[0].Percent, 60);
  EXPECT_EQ(stops[1].Percent, 100);
  EXPECT_EQ(stops[1].Mode, 1);
  skin::ParseGradientData("0;255;100;0", stops);
  EXPECT_TRUE(stops.empty());
  skin::ParseGradientData("$FF;0x10;50;0;0", stops);
  ASSERT_EQ(stops.size(), 1u);
  EXPECT_EQ(stops[0].Color1, 255);
  EXPECT_EQ(stops[0].Color2, 16);
  EXPECT_THROW(skin::ParseGradientData("0;red;100;0;0", stops), fw::EConvertError);
  skin::ParseGradientData("", stops);
  EXPECT_TRUE(stops.empty());
}

}  // namespace
