// The picture tables of a loaded skin: masks (border frames, glyphs, small textures) and
// patterns (large texture pictures).
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "framework/graphics/bitmap.h"
#include "framework/graphics/geometry.h"
#include "framework/graphics/jpeg_image.h"

namespace skin {

class TkSkinManager;

enum TkImgType : unsigned char { itisaBorder, itisaTexture, itisaGlyph };

// An image type number as a skin writes it; any other number reads as itisaBorder.
TkImgType ImgTypeFromInt(int value);

// One mask. A new entry is all zero. Bmp is the mask's own picture (null when it lies in the
// master bitmap at R); the table owns it.
struct TkMaskData {
  std::shared_ptr<fw::TBitmap> Bmp;
  std::string SectionName;
  std::string PropertyName;
  fw::TRect R;
  short ImageCount = 0;
  short MaskType = 0;
  short BorderWidth = 0;
  short StretchMode = 0;
  TkImgType ImgType = itisaBorder;
  TkSkinManager* Manager = nullptr;
  short WL = 0, WT = 0, WR = 0, WB = 0;
};
using TkMaskArray = std::vector<TkMaskData>;

// One large texture picture, owned by the table.
struct TkPatternData {
  std::shared_ptr<fw::TJPEGImage> Image;
  std::string SectionName;
  std::string PropertyName;
};
using TkPatternArray = std::vector<TkPatternData>;

// Fills the four border widths of a mask whose widths are all 0: all from BorderWidth when it is
// not 0, else a third of one frame (ImageCount taken as at least 1, MaskType as at least 0; the
// stored values stay as read).
void FillMaskWidths(TkMaskData& mask);

// The size of one frame, and the border widths, of a mask (0 where they are undefined).
fw::TSize MaskFrameSize(const TkMaskData& mask);
int MaskLeftWidth(const TkMaskData& mask);
int MaskTopWidth(const TkMaskData& mask);
int MaskRightWidth(const TkMaskData& mask);
int MaskBottomWidth(const TkMaskData& mask);

}  // namespace skin
