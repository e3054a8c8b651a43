// Section data: the defaults, inheritance through PARENTCLASS (with loops), value syntax, the
// stored-skin copy and the CommonSections blocks.
#include <gtest/gtest.h>

#include "framework/classes/mem_ini_file.h"
#include "framework/classes/string_list.h"
#include "skin/engine/ini_view.h"
#include "skin/engine/section_loader.h"
#include "skin/engine/skin_load_error.h"
#include "skin/engine/stored_skins.h"

namespace {

using skin::TkGeneralData;
using skin::TkGeneralDataArray;

struct LoadedFile {
  explicit LoadedFile(const std::string& text) : File("") {
    fw::TStringList lines;
    lines.SetText(text);
    File.SetStrings(lines);
    skin::LoadSectionsFromFile(File, Sections, Data);
  }
  const TkGeneralData& operator[](const std::string& name) const {
    for (const auto& d : Sections)
      if (d.SectionName == name) return d;
    throw std::runtime_error("no section " + name);
  }
  fw::TMemIniFile File;
  TkGeneralDataArray Sections;
  skin::TkSkinData Data;
};

TEST(SkinSections, EmptySectionTakesTheDefaults) {
  LoadedFile skin("[EMPTY]\n[QUESTION]\nCOLOR=?\nSHOWFOCUS=?\nTCLEFT=?\n");
  ASSERT_EQ(skin.Sections.size(), 2u);
  for (const char* name : {"EMPTY", "QUESTION"}) {
    const TkGeneralData& d = skin[name];
    EXPECT_EQ(d.Color, 0xFFFFFF) << name;
    EXPECT_EQ(d.Bevel, skin::cbNone);
    EXPECT_EQ(d.ShadowBlur, 6);
    EXPECT_EQ(d.ShadowOffset, 3);
    EXPECT_EQ(d.ShadowTransparency, 50);
    EXPECT_EQ(d.FontColor[0], 0);
    EXPECT_EQ(d.FontColor[1], -1);
    EXPECT_EQ(d.HotFontColor[4], -1);
    EXPECT_EQ(d.FadingIntervalIn, 5);
    EXPECT_EQ(d.FadingIterations, 5);
    EXPECT_EQ(d.HotColor, 0xFFFFFF);
    EXPECT_FALSE(d.ShowFocus);
    EXPECT_EQ(d.GradientData, " ");
    EXPECT_TRUE(d.Gradient.empty());
    EXPECT_EQ(d.HotGradientData, "");
    EXPECT_EQ(d.ParentClass, "");
  }
  EXPECT_EQ(skin.Data.Shadow1Blur, -1);
  EXPECT_EQ(skin.Data.Version, 0);
}

TEST(SkinSections, InheritanceThroughParents) {
  LoadedFile skin(
      "[GLOBALINFO]\nVERSION=4.8\nSHADOW1COLOR=$10\nAUTHOR=me\n"
      "[BASE]\nTCLEFT=255\nSHADOWCOLOR=77\nCOLOR=$00FF00\nBEVEL=9\nHOTBEVEL=2\n"
      "[CHILD]\nPARENTCLASS=BASE\nTCLEFT=-1\nCOLOR=?\n"
      "[GRANDCHILD]\nPARENTCLASS=CHILD\n"
      "[SELF]\nPARENTCLASS=SELF\n"
      "[A]\nPARENTCLASS=B\n[B]\nPARENTCLASS=C\n[C]\nPARENTCLASS=A\n"
      "[LOWER]\nPARENTCLASS=lower\n");
  EXPECT_EQ(skin.Data.Version, 4.8);
  EXPECT_EQ(skin.Data.Shadow1Color, 16);
  EXPECT_EQ(skin.Data.Author, "me");
  EXPECT_EQ(skin["CHILD"].FontColor[1], 255);
  EXPECT_EQ(skin["GRANDCHILD"].FontColor[1], 255);
  EXPECT_EQ(skin["GRANDCHILD"].Color, 0x00FF00);
  EXPECT_EQ(skin["BASE"].Bevel, skin::cbNone);  // out of range
  EXPECT_EQ(skin["GRANDCHILD"].HotBevel, skin::cbLoweredSoft);
  // SHADOWCOLOR is never inherited in a skin file.
  EXPECT_EQ(skin["BASE"].ShadowColor, 77);
  EXPECT_EQ(skin["CHILD"].ShadowColor, 0);
  EXPECT_EQ(skin["CHILD"].ParentClass, "BASE");
  // A section naming itself, a ring of three and a case-only self reference give the default.
  for (const char* name : {"SELF", "A", "B", "C", "LOWER"}) {
    EXPECT_EQ(skin[name].Color, 0xFFFFFF) << name;
    EXPECT_EQ(skin[name].GradientData, " ") << name;
  }
  const skin::TkIniView view(skin.File);
  EXPECT_EQ(skin::ReadInheritedString(view, "A", "NOTHING", "dflt"), "dflt");
  EXPECT_EQ(skin::ReadInheritedInteger(view, "C", "NOTHING", 42), 42);
}

TEST(SkinSections, LoopsSelfParentsAndLongChainsStopSensibly) {
  // Two sections naming each other each take what the other has; a self parent reads its own.
  std::string text =
      "[A]\nPARENTCLASS=B\nCOLOR=$0000AA\n[B]\nPARENTCLASS=A\nTCLEFT=5\n[SELF]\nPARENTCLASS=SELF\nTCTOP=7\n";
  // D0 names D1, and so on to D20, which alone has a colour: D4 reaches it, 16 parents up.
  for (int i = 0; i < 20; ++i) text += "[D" + std::to_string(i) + "]\nPARENTCLASS=D" + std::to_string(i + 1) + "\n";
  text += "[D20]\nCOLOR=$00BB00\n";
  LoadedFile skin(text);
  EXPECT_EQ(skin["A"].FontColor[1], 5);
  EXPECT_EQ(skin["B"].Color, 0xAA);
  EXPECT_EQ(skin["B"].FontColor[1], 5);
  EXPECT_EQ(skin["SELF"].FontColor[2], 7);
  EXPECT_EQ(skin["SELF"].Color, 0xFFFFFF);
  EXPECT_EQ(skin["D4"].Color, 0xBB00);
  EXPECT_EQ(skin["D3"].Color, 0xFFFFFF);
  const skin::TkIniView view(skin.File);
  EXPECT_EQ(skin::ReadInheritedInteger(view, "D4", "COLOR", 1), 0xBB00);
  EXPECT_EQ(skin::ReadInheritedInteger(view, "D3", "COLOR", 1), 1);
}

TEST(SkinSections, ValueSyntax) {
  LoadedFile skin(
      "[S]\nCOLOR=-16777201\nHOTCOLOR=-16777201\nSHOWFOCUS=true\nFADINGENABLED=1\nSHADOWENABLED=TRUE\n"
      "FONTCOLOR=0x00FF\nTRANSPARENCY=abc\nGRADIENTDATA=255;0;50;1;0\nHOTGRADIENTDATA= \n");
  const TkGeneralData& d = skin["S"];
  EXPECT_EQ(d.Color, fw::ColorToRGB(fw::clBtnFace));
  EXPECT_EQ(d.HotColor, -16777201);
  EXPECT_TRUE(d.ShowFocus);
  EXPECT_FALSE(d.FadingEnabled);
  EXPECT_TRUE(d.ShadowEnabled);
  EXPECT_EQ(d.FontColor[0], 255);
  EXPECT_EQ(d.Transparency, 0);  // not a number: absent
  ASSERT_EQ(d.Gradient.size(), 1u);
  EXPECT_EQ(d.Gradient[0].Color1, 255);
  EXPECT_EQ(d.Gradient[0].Mode, 1);
  EXPECT_TRUE(d.HotGradient.empty());
}

// Keys are the same words in any case, in a skin file and in CommonSections blocks alike.
TEST(SkinSections, KeysReadWithoutRegardToCase) {
  LoadedFile skin(
      "[GLOBALINFO]\nversion=2.5\nShadow1Color=$10\n"
      "[BASE]\ncolor=$00FF00\nTcLeft=255\nshadowcolor=77\nshowfocus=TRUE\ngradientdata=1;2;3;0;0\nhotBevel=2\n"
      "[CHILD]\nparentclass=BASE\n");
  const TkGeneralData& base = skin["BASE"];
  EXPECT_EQ(skin.Data.Version, 2.5);
  EXPECT_EQ(skin.Data.Shadow1Color, 16);
  EXPECT_EQ(base.Color, 0x00FF00);
  EXPECT_EQ(base.FontColor[1], 255);
  EXPECT_EQ(base.ShadowColor, 77);
  EXPECT_TRUE(base.ShowFocus);
  EXPECT_EQ(base.Gradient.size(), 1u);
  EXPECT_EQ(base.HotBevel, skin::cbLoweredSoft);
  EXPECT_EQ(skin["CHILD"].ParentClass, "BASE");
  EXPECT_EQ(skin["CHILD"].Color, 0x00FF00);
  const skin::TkIniView view(skin.File);
  EXPECT_EQ(skin::ReadInheritedInteger(view, "CHILD", "COLOR", 1), 0x00FF00);

  fw::TStringList lines;
  lines.SetText("[MINE]\nParentClass=base\ncolor=5\nbevel=3\nShowFocus=true\n");
  skin::AppendCommonSections(lines, skin.Sections);
  const TkGeneralData& mine = skin.Sections.back();
  EXPECT_EQ(mine.ParentClass, "BASE");
  EXPECT_EQ(mine.Color, 5);
  EXPECT_EQ(mine.Bevel, skin::cbRaisedHard);
  EXPECT_TRUE(mine.ShowFocus);
  EXPECT_EQ(mine.FontColor[1], 255);
}

TEST(SkinSections, BadNumbersNameTheirPlace) {
  auto failure = [](const std::string& text) {
    try {
      LoadedFile skin(text);
    } catch (const skin::ESkinLoadError& e) {
      return e.GetWhere();
    }
    return std::string("no error");
  };
  EXPECT_EQ(failure("[GLOBALINFO]\nSHADOW1OFFSET=two\n"), "[GLOBALINFO] SHADOW1OFFSET");
  EXPECT_EQ(failure("[FORM]\nGRADIENTDATA=1;2;x;0;0\n"), "[FORM] GRADIENTDATA");
  EXPECT_EQ(failure("[BASE]\nHOTGRADIENTDATA=1;2;3;4;z\n[FORM]\nPARENTCLASS=BASE\n"), "no error");  // word 5 is never read
}

TEST(SkinSections, StoredSkinCopiesItemByItem) {
  skin::TkStoredSkins skins(nullptr);
  skin::TkStoredSkin* stored = skins.AddItem();
  stored->SetName("Stored");
  stored->SetVersion(4.8);
  stored->SetShadow1Offset(1);
  auto* good = stored->GetGeneralData()->AddItem();
  good->SetSectionName("GOOD");
  good->SetColor(-16777201);
  good->SetFontColor("1 2 3 4");
  good->SetHotFontColor("9 8 7 6 5");
  good->SetGradientData(" ");
  good->SetBorderColor2(12);
  auto* bad = stored->GetGeneralData()->AddItem();
  bad->SetSectionName("BAD");
  bad->SetImagePercent(30);
  bad->SetGradientData("1;2;x;4;5");
  bad->SetShowFocus(true);
  TkGeneralDataArray sections;
  skin::TkSkinData data;
  skin::LoadSectionsFromStored(*stored, sections, data);
  ASSERT_EQ(sections.size(), 2u);
  EXPECT_EQ(data.Version, 4.8);
  EXPECT_EQ(data.Shadow1Offset, 1);
  EXPECT_EQ(data.Shadow1Blur, -1);
  EXPECT_EQ(sections[0].Color, -16777201);  // not converted
  EXPECT_EQ(sections[0].FontColor[0], 0);
  EXPECT_EQ(sections[0].FontColor[4], -1);
  EXPECT_EQ(sections[0].HotFontColor[0], 9);
  EXPECT_EQ(sections[0].HotFontColor[4], 5);
  EXPECT_EQ(sections[0].BorderColor2, 12);
  // The bad gradient abandons the rest of its item.
  EXPECT_EQ(sections[1].ImagePercent, 30);
  EXPECT_FALSE(sections[1].ShowFocus);
}

TEST(SkinSections, CommonSectionsBlocks) {
  LoadedFile skin("[BASE]\nSHADOWCOLOR=77\nTCLEFT=255\nSHOWFOCUS=TRUE\nGRADIENTDATA=1;2;3;0;0\n");
  fw::TStringList lines;
  lines.SetText(
      ";MY SECTION comment\n[MY SECTION]\nPARENTCLASS=base\nCOLOR=-16777201\nTCLEFT=-1\n"
      "[LONE]\nBEVEL=3\n\n[BASE]\nCOLOR=5\n");
  skin::AppendCommonSections(lines, skin.Sections);
  ASSERT_EQ(skin.Sections.size(), 4u);
  const TkGeneralData& mine = skin.Sections[1];
  EXPECT_EQ(mine.SectionName, "MY SECTION");
  EXPECT_EQ(mine.ParentClass, "BASE");
  EXPECT_EQ(mine.Color, -16777201);   // kept as written
  EXPECT_EQ(mine.ShadowColor, 77);    // inherited here
  EXPECT_EQ(mine.FontColor[1], 255);
  EXPECT_TRUE(mine.ShowFocus);
  EXPECT_EQ(mine.GradientData, "1;2;3;0;0");
  EXPECT_EQ(mine.Gradient.size(), 1u);
  const TkGeneralData& lone = skin.Sections[2];
  EXPECT_EQ(lone.ParentClass, "-1");
  EXPECT_EQ(lone.Bevel, skin::cbRaisedHard);
  EXPECT_EQ(lone.Color, 0xFFFFFF);
  EXPECT_EQ(lone.GradientData, " ");
  EXPECT_EQ(lone.HotGradientData, "");
  EXPECT_EQ(lone.ShadowTransparency, 50);
  // A second BASE is appended after the first.
  EXPECT_EQ(skin.Sections[3].SectionName, "BASE");
  EXPECT_EQ(skin.Sections[3].Color, 5);
  EXPECT_EQ(skin.Sections[0].Color, 0xFFFFFF);
}

}  // namespace
