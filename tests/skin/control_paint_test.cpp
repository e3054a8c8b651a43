// A control's whole face painted from its skin state into an area of a bitmap against the control
// test skin: the section's fill and border mask and its four corner images ("IMGTOPLEFT" ...),
// each at its corner of the area wherever the area lies, in the frame of the state, and nothing
// outside the area.
#include <gtest/gtest.h>

#include "skin/engine/common_data.h"
#include "skin/engine/control_paint.h"
#include "skin/engine/fast_pixels.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/stored_skins.h"
#include "support/control_skin.h"

namespace {

using namespace control_skin;
using test_skins::PixelOf;

// The corner images of "PANEL", each a picture of its own: three frames of kCornerSide pixels
// (normal, hot, pressed) of Colour(0, number, frame), over a mask row that lets them through.
constexpr int kCornerSide = 4;
struct TCornerDef {
  const char* Name;
  int Number;
};
constexpr TCornerDef kCorners[] = {{"IMGTOPLEFT", 74}, {"IMGTOPRIGHT", 75}, {"IMGBTMLEFT", 76}, {"IMGBTMRIGHT", 77}};

class ControlFaceTest : public ControlSkinTest {
 protected:
  void SetUp() override {
    ControlSkinTest::SetUp();
    skin::TkStoredSkin* stored = AddControlSkin(*manager->GetInternalSkins(), "Corners", kFirst);
    for (const TCornerDef& corner : kCorners) {
      test_skins::Picture picture(3 * kCornerSide, 2 * kCornerSide, 0);
      for (int k = 0; k < 3; ++k) picture.Fill(k * kCornerSide, 0, kCornerSide, kCornerSide, Colour(0, corner.Number, k));
      testing_paint::AddImage(*stored, "PANEL", corner.Name, fw::TRect(0, 0, picture.Width, picture.Height), 1, 0, 0,
                              3);
      skin::TkSkinImage* image = stored->GetImages()->GetItem(stored->GetImages()->GetCount() - 1);
      image->SetName(corner.Name);
      image->SetImage(testing_paint::FromPicture(picture).get());
    }
    manager->SetSkinName("Corners");
    state.SetSkinSection("PANEL");
  }

  skin::TkCommonData state{nullptr, false};
};

TEST_F(ControlFaceTest, CornerImagesSitAtTheCornersOfTheArea) {
  ASSERT_TRUE(manager->IsValidSkinIndex(state.SkinIndex));
  const TSectionColours panel = SectionOf(kFirst, "PANEL");
  for (const fw::TRect area : {fw::TRect(0, 0, 24, 20), fw::TRect(10, 5, 34, 25), fw::TRect(16, 12, 40, 30)}) {
    for (const int face : {kNormal, kHot}) {
      SCOPED_TRACE(testing::Message() << area.Left << "," << area.Top << " state " << face);
      auto bmp = testing_paint::Filled(44, 34);
      skin::PaintControlFace(&state, skin::EmptyBgRef, true, true, bmp.get(), fw::TPoint(), area, face);
      const int right = area.Right - kCornerSide, bottom = area.Bottom - kCornerSide;
      const fw::TPoint at[] = {{area.Left, area.Top}, {right, area.Top}, {area.Left, bottom}, {right, bottom}};
      for (int i = 0; i < 4; ++i) {
        const fw::TColor colour = Colour(0, kCorners[i].Number, face);
        EXPECT_EQ(testing_paint::CountColour(*bmp, fw::TRect(at[i].X, at[i].Y, at[i].X + kCornerSide,
                                                                at[i].Y + kCornerSide), colour),
                  kCornerSide * kCornerSide)
            << kCorners[i].Name;
        EXPECT_EQ(testing_paint::CountColour(*bmp, fw::TRect(0, 0, 44, 34), colour), kCornerSide * kCornerSide)
            << kCorners[i].Name;
      }
      // Between the corners the border mask's edge, inside it the face of the state.
      EXPECT_EQ(PixelOf(*bmp, area.Left + 10, area.Top), panel.Edge[face]);
      EXPECT_EQ(PixelOf(*bmp, area.Left, area.Top + 10), panel.Edge[face]);
      EXPECT_EQ(PixelOf(*bmp, area.Left + 10, area.Top + 8), panel.Face[face]);
      EXPECT_TRUE(testing_paint::CanaryOutside(*bmp, area));
    }
  }
}

}  // namespace
