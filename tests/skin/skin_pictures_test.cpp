// The picture files of one skin load: each decoded once, later askers given copies of their
// own, and nothing kept from one load to the next.
#include <gtest/gtest.h>

#include "skin/engine/skin_load_error.h"
#include "skin/engine/skin_pictures.h"
#include "support/sandbox.h"
#include "support/test_skins.h"

namespace {

using test_skins::Picture;

TEST(SkinPictures, AFileIsDecodedOnceInALoadAndAgainInTheNext) {
  const std::string folder = testing_sandbox::TestFolder();
  const std::string bmp = folder + "pic.bmp", jpg = folder + "pic.jpg";
  const Picture before(20, 10, 0x0000FF), after(20, 10, 0x00FF00);
  testing_sandbox::WriteFile(bmp, test_skins::Bmp24(before));
  testing_sandbox::WriteFile(jpg, test_skins::Jpeg(30, 30, 0x0000FF));

  skin::TkSkinPictures load;
  std::shared_ptr<fw::TBitmap> first = load.Bitmap(bmp);
  std::shared_ptr<fw::TJPEGImage> firstJpeg = load.Jpeg(jpg);
  first->SetTransparent(true);
  // The files change while the load runs: the load keeps what it decoded first.
  testing_sandbox::WriteFile(bmp, test_skins::Bmp24(after));
  testing_sandbox::WriteFile(jpg, test_skins::Jpeg(50, 30, 0x00FF00));
  std::shared_ptr<fw::TBitmap> second = load.Bitmap(folder + "PIC.BMP");
  std::shared_ptr<fw::TJPEGImage> secondJpeg = load.Jpeg(jpg);
  ASSERT_NE(first, second);
  EXPECT_TRUE(test_skins::SamePixels(*second, before));
  EXPECT_FALSE(second->GetTransparent());
  EXPECT_EQ(second->GetPixelFormat(), fw::pf24bit);
  ASSERT_NE(firstJpeg, secondJpeg);
  EXPECT_EQ(secondJpeg->GetWidth(), 30);
  EXPECT_EQ(test_skins::PixelOf(*secondJpeg->GetBitmap(), 15, 15), test_skins::PixelOf(*firstJpeg->GetBitmap(), 15, 15));

  // The next load reads the files as they are now.
  skin::TkSkinPictures next;
  EXPECT_TRUE(test_skins::SamePixels(*next.Bitmap(bmp), after));
  EXPECT_EQ(next.Jpeg(jpg)->GetWidth(), 50);
}

TEST(SkinPictures, AFileThatFailsFailsEachTimeItIsAskedFor) {
  const std::string folder = testing_sandbox::TestFolder();
  testing_sandbox::WriteFile(folder + "bad.bmp", "not a picture");
  skin::TkSkinPictures load;
  EXPECT_THROW(load.Bitmap(folder + "bad.bmp"), skin::ESkinLoadError);
  EXPECT_THROW(load.Bitmap(folder + "bad.bmp"), skin::ESkinLoadError);
  // Made readable, it loads on the next ask.
  testing_sandbox::WriteFile(folder + "bad.bmp", test_skins::Bmp24(Picture(4, 4, 0x123456)));
  EXPECT_EQ(load.Bitmap(folder + "bad.bmp")->GetWidth(), 4);
}

}  // namespace
