#include "skin/engine/skin_pictures.h"

#include "framework/rtl/sys_utils.h"
#include "skin/engine/image_loader.h"

namespace skin {

namespace {

// The picture of the file: the first time decoded by load and kept in decoded, after that a copy
// of it made fresh by fresh.
template <class T, class Load, class Fresh>
std::shared_ptr<T> FirstOrCopy(std::map<std::string, std::shared_ptr<T>>& decoded, const std::string& fileName,
                               Load load, Fresh fresh) {
  std::shared_ptr<T>& first = decoded[fw::UpperCase(fileName)];
  if (!first) return first = load(fileName);
  auto copy = std::make_shared<T>();
  copy->Assign(first.get());
  fresh(*copy);
  return copy;
}

}  // namespace

std::shared_ptr<fw::TBitmap> TkSkinPictures::Bitmap(const std::string& fileName) {
  return FirstOrCopy(FBitmaps, fileName, LoadSkinBitmap, [](fw::TBitmap& copy) {
    // The first user may have made its picture transparent (the master bitmap does).
    copy.SetTransparent(false);
    copy.SetTransparentColor(fw::clDefault);
  });
}

std::shared_ptr<fw::TJPEGImage> TkSkinPictures::Jpeg(const std::string& fileName) {
  return FirstOrCopy(FJpegs, fileName, LoadSkinJpeg, [](fw::TJPEGImage&) {});
}

}  // namespace skin
