// Tiny skins with known pixels for the skin tests: pictures written as BMP (24-bit, 8-bit
// palette, RLE8) and JPEG files, mask pictures whose frames are known solid colours, damaged
// files, skin folders in the sandbox and stored skins in memory.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "framework/graphics/colors.h"

namespace fw {
class TBitmap;
}
namespace skin {
class TkStoredSkin;
class TkStoredSkins;
}  // namespace skin

namespace test_skins {

constexpr fw::TColor kFuchsia = 0xFF00FF;

// A picture of colours written as 0x00BBGGRR, top row first.
struct Picture {
  int Width = 0;
  int Height = 0;
  std::vector<fw::TColor> Pixels;
  Picture() = default;
  Picture(int width, int height, fw::TColor fill = 0);
  fw::TColor At(int x, int y) const { return Pixels[static_cast<size_t>(y) * Width + x]; }
  void Set(int x, int y, fw::TColor c) { Pixels[static_cast<size_t>(y) * Width + x] = c; }
  void Fill(int x, int y, int w, int h, fw::TColor c);
};

// A mask picture of frames side by side: frame k is frameWidth x frameHeight of colours[k],
// with $FF00FF in its four corner pixels; under it (MaskType 1) a mask row whose left third
// weighs 0, middle third 128 and right third 255 (as greys).
Picture MaskPicture(const std::vector<fw::TColor>& colours, int frameWidth, int frameHeight, bool withMaskRow = true);

// File contents.
std::string Bmp24(const Picture& picture);
std::string Bmp8(const Picture& picture);     // at most 256 colours
std::string BmpRle8(const Picture& picture);  // at most 256 colours
std::string Jpeg(int width, int height, fw::TColor colour, int quality = 90);
std::string JpegCmyk(int width, int height);
// Damaged files.
std::string CutAt(const std::string& data, size_t length);
std::string WrongMagic(const std::string& bmp);
std::string HugeBmpHeader(int side);  // a header claiming side x side pixels, no pixels

// The colour of a pixel of a 24-bit bitmap.
fw::TColor PixelOf(const fw::TBitmap& bitmap, int x, int y);
// True when every pixel of the bitmap equals the picture's.
bool SamePixels(const fw::TBitmap& bitmap, const Picture& picture);

// Writes <root><name>\Options.dat with the text and the given files beside it; returns the
// skin's folder with its trailing backslash. Everything stays inside the sandbox.
std::string WriteSkinFolder(const std::string& root, const std::string& name, const std::string& options,
                            const std::map<std::string, std::string>& files = {});

// Copies the skin folders the build drew (Z:\Skins\<name>) into root; returns root + name + "\".
std::string CopyShippedSkin(const std::string& root, const std::string& name);

// Adds a stored skin with the sections (name, parent) and a master bitmap of the picture.
skin::TkStoredSkin* AddStoredSkin(skin::TkStoredSkins& skins, const std::string& name,
                                  const std::vector<std::pair<std::string, std::string>>& sections,
                                  const Picture& master = Picture());

}  // namespace test_skins
