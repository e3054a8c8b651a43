// TkSkinPictures: the picture files of one skin load, each read and decoded once however many
// of the skin's values name it. The first value that names a file gets the decoded picture
// itself; each later one gets a copy of it as fresh from the file (not transparent), so that no
// two entries of the tables share a picture that one of them changes, as the colour passes do.
// It is made for one load and dropped after it: the next load reads the files again.
#pragma once
#include <map>
#include <memory>
#include <string>

#include "framework/graphics/bitmap.h"
#include "framework/graphics/jpeg_image.h"

namespace skin {

class TkSkinPictures {
 public:
  // A BMP file in 24 bits, and a JPEG file, by full path (the same file under another case of
  // its name included); a file that cannot be read raises ESkinLoadError naming it, as
  // LoadSkinBitmap and LoadSkinJpeg do, and is read again when it is asked for again.
  std::shared_ptr<fw::TBitmap> Bitmap(const std::string& fileName);
  std::shared_ptr<fw::TJPEGImage> Jpeg(const std::string& fileName);

 private:
  // The first picture decoded from each file, by the file's upper-cased path.
  std::map<std::string, std::shared_ptr<fw::TBitmap>> FBitmaps;
  std::map<std::string, std::shared_ptr<fw::TJPEGImage>> FJpegs;
};

}  // namespace skin
