// Hostile skins: copies of the shipped Slate skin with one absurd change (a shadow blur of
// 2^31 - 1, a gradient of 20,000 stops, a ring of 3,000 PARENTCLASS sections, absurd sizes,
// counts and offsets) load in the skin manager within a few seconds, without a warning, and a
// skinned form with a panel and a shadowed label still paints as under Slate.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>

#include "framework/forms/application.h"
#include "framework/forms/custom_form.h"
#include "framework/rtl/seams.h"
#include "skin/controls/label_fx.h"
#include "skin/controls/panel.h"
#include "skin/engine/skin_limits.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/skin_provider.h"
#include "skin/engine/stored_skin_reader.h"
#include "support/hostile_skins.h"
#include "support/sandbox.h"
#include "support/skin_paint_fixture.h"

namespace {

using hostile_skins::WithFirstLines;

class HostileSkinTest : public testing_paint::SkinPaintTest {
 protected:
  void SetUp() override {
    SkinPaintTest::SetUp();
    root = testing_sandbox::TestFolder();
    fw::testing::SetProgramFolder(root);
    manager = fw::New<skin::TkSkinManager>(nullptr);
    skin::LoadStoredSkinResource(*manager->GetInternalSkins());
    form = fw::New<fw::TForm>(fw::Application);
    form->SetBounds(60, 60, 420, 320);
    fw::New<skin::TkSkinProvider>(form);
    panel = fw::New<skin::TkPanel>(form);
    panel->SetBounds(20, 20, 360, 220);
    panel->SetParent(form);
    auto* label = fw::New<skin::TkLabelFX>(form);
    label->SetCaption("Found files");
    label->GetShadow()->SetMode(skin::smSkin1);
    label->SetBounds(10, 10, 120, 24);
    label->SetParent(panel);
    form->Show();
    LoadAndPaint("Plain", nullptr);
    slatePanel = PanelPixel();
  }
  void TearDown() override {
    fw::Free(form);
    fw::testing::SetProgramFolder("");
    SkinPaintTest::TearDown();
  }
  // Copies Slate into <root><variant>\, its Options.dat changed by edit, loads it and lets the
  // form repaint; answers the seconds that took.
  double LoadAndPaint(const std::string& variant, const std::function<std::string(const std::string&)>& edit) {
    const std::string skins = root + variant + "\\", options = test_skins::CopyShippedSkin(skins, "Slate") + "Options.dat";
    if (edit) testing_sandbox::WriteFile(options, edit(testing_sandbox::ReadFile(options)));
    scripted->Texts.clear();
    const auto start = std::chrono::steady_clock::now();
    manager->SetSkinDirectory(skins);
    manager->SetSkinName("Slate");
    form->Repaint();
    Settle();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }
  // Loaded without a warning, quickly, and the panel painted as under Slate.
  void ExpectLoadedAndPainted(double seconds) {
    EXPECT_LT(seconds, 3.0);
    EXPECT_TRUE(scripted->Texts.empty()) << scripted->Texts.front();
    EXPECT_EQ(manager->GetSkinData()->SkinPath, root + skinVariant + "\\Slate\\");
    EXPECT_EQ(PanelPixel(), slatePanel);
  }
  fw::TColor PanelPixel() { return WindowPixelOf(panel->GetHandle(), 300, 180); }
  const skin::TkGeneralData& Section(const std::string& name) const {
    return manager->GetSections().at(manager->GetSkinIndex(name));
  }

  std::string root, skinVariant;
  fw::TForm* form = nullptr;
  skin::TkPanel* panel = nullptr;
  fw::TColor slatePanel = 0;
};

TEST_F(HostileSkinTest, HugeShadowBlurIsHeldToWhatALabelCanUse) {
  skinVariant = "Blur";
  const double seconds = LoadAndPaint(skinVariant, [](const std::string& text) {
    return WithFirstLines(text, "GLOBALINFO", "SHADOW1BLUR=2147483647\r\n");
  });
  ExpectLoadedAndPainted(seconds);
  EXPECT_EQ(manager->GetSkinData()->Shadow1Blur, skin::kMaxShadowBlur);
}

TEST_F(HostileSkinTest, GradientOfTwentyThousandStopsKeepsTheFirstHundred) {
  skinVariant = "Gradient";
  const double seconds = LoadAndPaint(skinVariant, [](const std::string& text) {
    return WithFirstLines(text, "FORMTITLE", "GRADIENTDATA=" + hostile_skins::ManyStops(20000) + "\r\n");
  });
  ExpectLoadedAndPainted(seconds);
  const skin::TkGradArray& stops = Section("FORMTITLE").Gradient;
  ASSERT_EQ(stops.size(), static_cast<size_t>(skin::kMaxGradientStops));
  EXPECT_EQ(stops[99].Color1, 99 * 7919);
  EXPECT_EQ(stops[99].Percent, 1);
}

TEST_F(HostileSkinTest, RingOfThreeThousandParentsLoadsAtOnce) {
  skinVariant = "Ring";
  const double seconds =
      LoadAndPaint(skinVariant, [](const std::string& text) { return hostile_skins::WithParentRing(text, "PANEL", 3000); });
  ExpectLoadedAndPainted(seconds);
  // PANEL keeps its own values; a section of the ring finds PANEL's colour only within reach.
  EXPECT_EQ(Section("PANEL").ParentClass, "CHAIN0");
  EXPECT_EQ(Section("CHAIN2999").Color, Section("PANEL").Color);  // two parents up
  EXPECT_EQ(Section("CHAIN2000").Color, 0xFFFFFF);                // 1,001 up: the default
  EXPECT_EQ(manager->GetMaskIndex(manager->GetSkinIndex("CHAIN2990"), "CHAIN2990", "BORDERSMASK"),
            manager->GetMaskIndexBySection("PANEL", "BORDERSMASK"));
  EXPECT_EQ(manager->GetMaskIndex(manager->GetSkinIndex("CHAIN10"), "CHAIN10", "BORDERSMASK"), -1);
}

TEST_F(HostileSkinTest, AbsurdSizesCountsAndOffsetsAreClamped) {
  skinVariant = "Absurd";
  const double seconds = LoadAndPaint(skinVariant, [](const std::string& text) {
    std::string t = WithFirstLines(text, "GLOBALINFO",
                                   "SHADOW1OFFSET=-2147483648\r\nSHADOW1TRANSPARENCY=999\r\nSHADOW1BLUR=-9\r\n");
    t = WithFirstLines(t, "BUTTON",
                       "TRANSPARENCY=2147483647\r\nHOTTRANSPARENCY=-3\r\nGRADIENTPERCENT=-7\r\nIMAGEPERCENT=100000\r\n"
                       "SHADOWBLUR=2147483647\r\nSHADOWOFFSET=2147483647\r\nFADINGITERATIONS=2147483647\r\n"
                       "FADINGINTERVALIN=-5\r\nBORDERSMASK=#M (0,-5,2147483647,99999) (99999,9999,70000,1)\r\n"
                       "GLYPHMASK=!DIVIDER.BMP!99999!-3!2!-70000!5!70000!0\r\n");
    return t;
  });
  ExpectLoadedAndPainted(seconds);
  const skin::TkSkinData& info = *manager->GetSkinData();
  EXPECT_EQ(info.Shadow1Offset, -skin::kMaxShadowOffset);
  EXPECT_EQ(info.Shadow1Transparency, 100);
  EXPECT_EQ(info.Shadow1Blur, -1);
  const skin::TkGeneralData& button = Section("BUTTON");
  EXPECT_EQ(button.Transparency, 100);
  EXPECT_EQ(button.HotTransparency, 0);
  EXPECT_EQ(button.GradientPercent, 0);
  EXPECT_EQ(button.ImagePercent, 100);
  EXPECT_EQ(button.ShadowBlur, skin::kMaxShadowBlur);
  EXPECT_EQ(button.ShadowOffset, skin::kMaxShadowOffset);
  EXPECT_EQ(button.FadingIterations, skin::kMaxFadingIterations);
  EXPECT_EQ(button.FadingIntervalIn, 0);
  const skin::TkMaskData& border = manager->GetMasks().at(manager->GetMaskIndexBySection("BUTTON", "BORDERSMASK"));
  EXPECT_EQ(border.R, fw::TRect(0, 0, skin::kMaxSkinPictureSide, skin::kMaxSkinPictureSide));
  EXPECT_EQ(border.ImageCount, skin::kMaxMaskFrames);
  EXPECT_EQ(border.MaskType, skin::kMaxMaskFrames - 1);
  EXPECT_EQ(border.BorderWidth, skin::kMaxSkinPictureSide);
  const skin::TkMaskData& glyph = manager->GetMasks().at(manager->GetMaskIndexBySection("BUTTON", "GLYPHMASK"));
  EXPECT_EQ(glyph.ImageCount, skin::kMaxMaskFrames);
  EXPECT_EQ(glyph.MaskType, 0);
  EXPECT_EQ(glyph.WL, 0);
  EXPECT_EQ(glyph.WT, 5);
  EXPECT_EQ(glyph.WR, skin::kMaxSkinPictureSide);
}

}  // namespace
