// The control test skin every skinned-control test stands on: each section paints its face and
// its mask edge in the colours of the state asked for, the corners stay transparent, the arrow
// and the global values are there, and the second skin shares no colour with the first.
#include <gtest/gtest.h>

#include <set>

#include "skin/engine/mask_paint.h"
#include "skin/engine/section_paint.h"
#include "skin/engine/skin_manager.h"
#include "support/control_skin.h"

namespace {

using namespace control_skin;
using test_skins::PixelOf;
using testing_paint::Filled;
using testing_paint::kCanary;

class ControlSkinHelperTest : public ControlSkinTest {
 protected:
  // The sections' faces in every state, the corners and the arrow frames, read back.
  void ExpectPaints(const TControlSkin& skin) {
    for (const char* section : {"BUTTON", "SPEEDBUTTON", "PANEL", "EDIT", "DIALOG", "DIVIDER", "WEBBUTTON"}) {
      const TSectionColours& c = control_skin::SectionOf(skin, section);
      const int index = manager->GetSkinIndex(section);
      ASSERT_GE(index, 0) << section;
      EXPECT_EQ(manager->GetSections()[index].FontColor[0], static_cast<int>(c.Font)) << section;
      EXPECT_EQ(manager->GetSections()[index].HotFontColor[0], static_cast<int>(c.HotFont)) << section;
      EXPECT_TRUE(manager->GetSections()[index].ShowFocus) << section;
      for (int state : {kNormal, kHot, kPressed}) {
        auto bmp = Filled(40, 30);
        skin::PaintBordersMask(index, section, skin::TkBgRef(), -1, -1, manager, bmp.get(), fw::TPoint(0, 0),
                               fw::TRect(0, 0, 40, 30), state, true);
        EXPECT_EQ(PixelOf(*bmp, 20, 15), c.Face[state]) << section << " " << state;
        EXPECT_EQ(PixelOf(*bmp, 20, 1), c.Edge[state]) << section << " " << state;
        EXPECT_EQ(PixelOf(*bmp, 1, 15), c.Edge[state]) << section << " " << state;
        // The corner pixel lets the section's own fill (normal or hot) through.
        EXPECT_EQ(PixelOf(*bmp, 39, 29), c.Face[state == kNormal ? kNormal : kHot]) << section << " " << state;
      }
    }
    const int arrow = manager->GetCommonIndexes().ScrollBtnGlyphs[1];
    ASSERT_TRUE(manager->IsValidImgIndex(arrow));
    for (int state : {kNormal, kHot, kPressed}) {
      auto bmp = Filled(kArrowWidth, kArrowHeight);
      skin::DrawMaskGlyphFrame(bmp.get(), fw::TPoint(0, 0), state, manager->GetMasks()[arrow], 1);
      EXPECT_EQ(PixelOf(*bmp, kArrowWidth / 2, kArrowHeight - 1), skin.Arrow[state]);
      EXPECT_EQ(PixelOf(*bmp, 0, 0), skin.Arrow[state]);
      EXPECT_EQ(PixelOf(*bmp, 0, kArrowHeight - 1), kCanary);
    }
    EXPECT_EQ(manager->GetGlobalFontColor(), skin.GlobalFont);
    EXPECT_EQ(manager->GetSkinData()->Shadow1Color, static_cast<int>(skin.Shadow));
    EXPECT_EQ(manager->GetSkinData()->Shadow1Blur, skin.ShadowBlur);
    EXPECT_EQ(manager->GetSkinData()->Shadow1Offset, skin.ShadowOffset);
  }
};

TEST_F(ControlSkinHelperTest, BothSkinsPaintTheirOwnColours) {
  ASSERT_EQ(manager->GetSkinName(), kFirstName);
  ExpectPaints(kFirst);
  UseSecondSkin();
  ASSERT_EQ(manager->GetSkinName(), kSecondName);
  ExpectPaints(kSecond);

  // No colour appears twice, within a skin or across the two.
  std::set<fw::TColor> all;
  size_t count = 0;
  for (const TControlSkin* skin : {&kFirst, &kSecond}) {
    for (const TSectionColours* s : {&skin->Button, &skin->SpeedButton, &skin->Panel, &skin->Edit, &skin->Dialog,
                                     &skin->Divider, &skin->WebButton}) {
      for (int k = 0; k < 3; ++k) all.insert({s->Face[k], s->Edge[k]}), count += 2;
      all.insert({s->Font, s->HotFont}), count += 2;
    }
    all.insert({skin->GlobalFont, skin->GlobalHotFont, skin->Shadow, skin->Arrow[0], skin->Arrow[1], skin->Arrow[2]});
    count += 6;
  }
  EXPECT_EQ(all.size(), count);
  EXPECT_FALSE(all.count(test_skins::kFuchsia));
}

}  // namespace
