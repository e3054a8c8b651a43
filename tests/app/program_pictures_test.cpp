// The program's own pictures in its resources: the image lists hold every index the windows
// use, the header and title images are 32-pixel pictures on a transparent ground, and the
// program icon loads.
#include <gtest/gtest.h>

#include "app/main/program_pictures.h"
#include "framework/extctrls/image.h"
#include "framework/graphics/bitmap.h"
#include "framework/graphics/image_list.h"
#include "framework/graphics/picture.h"
#include "support/gui_test_support.h"
#include "support/test_skins.h"

namespace {

class ProgramPicturesTest : public testing_gui::GuiTest {};

TEST_F(ProgramPicturesTest, ImageListsHoldEveryIndexUsed) {
  auto il16 = fw::MakeOwned<fw::TImageList>(nullptr);
  app::LoadImageStrip(il16.get(), "IL16");
  EXPECT_EQ(il16->GetCount(), 46);  // up to image 45, the special folder
  auto il22 = fw::MakeOwned<fw::TImageList>(nullptr);
  il22->SetWidth(22);
  il22->SetHeight(22);
  app::LoadImageStrip(il22.get(), "IL22");
  EXPECT_EQ(il22->GetCount(), 9);  // three navigation frames of three buttons
  auto suIL = fw::MakeOwned<fw::TImageList>(nullptr);
  app::LoadImageStrip(suIL.get(), "SUIL");
  EXPECT_EQ(suIL->GetCount(), 1);
}

TEST_F(ProgramPicturesTest, HeaderTitlesAndIcon) {
  for (const char* name : {"HEADER", "TITLE_DC", "TITLE_OC", "TITLE_DF", "TITLE_SU", "TITLE_UI", "TITLE_SD",
                           "TITLE_AM", "TITLE_FW"}) {
    fw::TBitmap bitmap;
    bitmap.LoadFromResourceName(GetModuleHandleA(nullptr), name);
    EXPECT_EQ(bitmap.GetWidth(), 32) << name;
    EXPECT_EQ(bitmap.GetHeight(), 32) << name;
    EXPECT_EQ(test_skins::PixelOf(bitmap, 0, 0), test_skins::kFuchsia) << name;
    int drawn = 0;
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) drawn += test_skins::PixelOf(bitmap, x, y) != test_skins::kFuchsia;
    EXPECT_GT(drawn, 100) << name;
  }
  HICON icon = LoadIconA(GetModuleHandleA(nullptr), "MAINICON");
  ASSERT_NE(icon, nullptr);
  auto image = fw::MakeOwned<fw::TImage>(nullptr);
  app::LoadPicture(image.get(), "TITLE_DC");
  EXPECT_EQ(image->GetPicture()->GetBitmap()->GetWidth(), 32);
  EXPECT_TRUE(image->GetTransparent());
}

}  // namespace
