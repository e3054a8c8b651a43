#include "skin/engine/skin_pictures.h"

#include "framework/rtl/sys_utils.h"
#include "skin/engine/image_loader.h"

namespace skin {

std::shared_ptr<fw::TBitmap> TkSkinPictures::Bitmap(const std::string& fileName) {
  std::shared_ptr<fw::TBitmap>& first = FBitmaps[fw::UpperCase(fileName)];
  if (!first) {
    first = LoadSkinBitmap(fileName);
    return first;
  }
  auto copy = std::make_shared<fw::TBitmap>();
  copy->Assign(first.get());
  // The first user may have made its picture transparent (the master bitmap does).
  copy->SetTransparent(false);
  copy->SetTransparentColor(fw::clDefault);
  return copy;
}

std::shared_ptr<fw::TJPEGImage> TkSkinPictures::Jpeg(const std::string& fileName) {
  std::shared_ptr<fw::TJPEGImage>& first = FJpegs[fw::UpperCase(fileName)];
  if (!first) {
    first = LoadSkinJpeg(fileName);
    return first;
  }
  auto copy = std::make_shared<fw::TJPEGImage>();
  copy->Assign(first.get());
  return copy;
}

}  // namespace skin
