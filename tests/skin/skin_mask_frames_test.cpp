// Mask frames with regions: corners shrunk on small bitmaps, $FF00FF corner runs cut from the
// caller's region (also where shrunk corners overlap), frames without them leaving it whole,
// and masks, tiles and rectangles that cannot be painted touching nothing.
#include <gtest/gtest.h>

#include "skin/engine/mask_frames.h"
#include "support/skin_paint_fixture.h"

namespace {

using namespace testing_paint;
using skin::TkMaskData;
using test_skins::Picture;
using test_skins::PixelOf;

fw::TColor Grey(int v) { return v | v << 8 | v << 16; }
// Zone z (0 top-left ... 8 bottom-right, row by row) of frame k.
fw::TColor Zone(int k, int z) { return (k + 1) << 20 | (z + 1) << 4; }

// Frames of 24 x 24 with borders of 8 in zone colours; fuchsia marks the pixels listed.
Picture Zoned(int frames, const std::vector<std::pair<int, int>>& fuchsia = {}) {
  Picture p(24 * frames, 24);
  for (int k = 0; k < frames; ++k)
    for (int z = 0; z < 9; ++z) p.Fill(k * 24 + z % 3 * 8, z / 3 * 8, 8, 8, Zone(k, z));
  for (auto [x, y] : fuchsia) p.Set(x, y, test_skins::kFuchsia);
  return p;
}

struct Region {
  HRGN Handle;
  Region(int w, int h) : Handle(CreateRectRgn(0, 0, w, h)) {}
  ~Region() { DeleteObject(Handle); }
  bool Has(int x, int y) const { return PtInRegion(Handle, x, y) != 0; }
  int Count(int w, int h) const {
    int n = 0;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) n += Has(x, y);
    return n;
  }
};

class SkinMaskFrames : public SkinPaintTest {
 protected:
  void SetUp() override {
    SkinPaintTest::SetUp();
    LoadSkin(Picture(4, 4), {{"GLOBALINFO", ""}});
  }
};

TEST_F(SkinMaskFrames, CornersShrinkAndRegionsStayWholeWithoutFuchsia) {
  const TkMaskData mask = OwnMask(Zoned(3), 3, 0, 8, 8, 8, 8);
  for (int width : {10, 9}) {
    SCOPED_TRACE(width);
    auto bmp = Filled(width, 30);
    Region region(width, 30);
    skin::PaintMaskFrameRgn(bmp.get(), region.Handle, true, mask, 1);
    for (int x = 0; x < width; ++x) EXPECT_EQ(PixelOf(*bmp, x, 12), Zone(1, x < 5 ? 3 : 5)) << x;
    EXPECT_EQ(PixelOf(*bmp, 0, 0), Zone(1, 0));
    EXPECT_EQ(PixelOf(*bmp, width - 1, 29), Zone(1, 8));
    EXPECT_EQ(region.Count(width, 30), width * 30);
  }
  // A larger bitmap: edges tiled between the corners, the centre filled; past the last frame
  // the last one is painted.
  auto bmp = Filled(40, 30);
  Region region(40, 30);
  skin::PaintMaskFrameRgn(bmp.get(), region.Handle, true, mask, 9);
  EXPECT_EQ(CountColour(*bmp, fw::TRect(8, 0, 32, 8), Zone(2, 1)), 24 * 8);
  EXPECT_EQ(CountColour(*bmp, fw::TRect(8, 8, 32, 22), Zone(2, 4)), 24 * 14);
  EXPECT_EQ(CountColour(*bmp, fw::TRect(32, 8, 40, 22), Zone(2, 5)), 8 * 14);
  EXPECT_EQ(CountColour(*bmp, fw::TRect(0, 0, 40, 30), kCanary), 0);
  bmp = Filled(40, 30);
  skin::PaintMaskFrameRgn(bmp.get(), region.Handle, false, mask, 0);
  EXPECT_EQ(CountColour(*bmp, fw::TRect(8, 8, 32, 22), kCanary), 24 * 14);
}

TEST_F(SkinMaskFrames, FuchsiaCornerRunsAreCut) {
  // Runs in the top-left corner (ended by an opaque pixel and at the corner's end) and in the
  // bottom-right corner; one in an edge stays in the region.
  const TkMaskData mask = OwnMask(Zoned(1, {{0, 0}, {1, 0}, {5, 1}, {6, 1}, {7, 1}, {23, 23}, {12, 0}}), 1, 0, 8, 8, 8, 8);
  auto bmp = Filled(30, 30);
  Region region(30, 30);
  skin::PaintMaskFrameRgn(bmp.get(), region.Handle, true, mask, 0);
  for (auto [x, y] : {std::pair{0, 0}, {1, 0}, {5, 1}, {6, 1}, {7, 1}, {29, 29}}) EXPECT_FALSE(region.Has(x, y)) << x << "," << y;
  EXPECT_EQ(region.Count(30, 30), 30 * 30 - 6);
  EXPECT_EQ(PixelOf(*bmp, 0, 0), kCanary);  // cut pixels are not copied
  EXPECT_EQ(PixelOf(*bmp, 2, 0), Zone(0, 0));
  EXPECT_EQ(PixelOf(*bmp, 12, 0), test_skins::kFuchsia);  // edges copy every pixel

  // Shrunk corners overlapping by a pixel: a run cut by the left corner stays cut when the
  // right corner's run over the same pixel ends at an opaque one.
  const TkMaskData overlapping = OwnMask(Zoned(1, {{7, 0}, {21, 0}}), 1, 0, 8, 3, 3, 3);
  bmp = Filled(10, 10);
  Region small(10, 10);
  skin::PaintMaskFrameRgn(bmp.get(), small.Handle, true, overlapping, 0);
  EXPECT_FALSE(small.Has(7, 0));
  EXPECT_TRUE(small.Has(8, 0));
  EXPECT_EQ(small.Count(10, 10), 99);
}

TEST_F(SkinMaskFrames, MaskedPiecesBlendAndCutTheirFuchsia) {
  const TkMaskData mask = OwnMask(test_skins::MaskPicture({Grey(200)}, 12, 12), 1, 1, 4, 4, 4, 4);
  auto bmp = Filled(12, 12, Grey(100));
  Region region(12, 12);
  skin::PaintMaskFrameRgn(bmp.get(), region.Handle, true, mask, 0);
  EXPECT_EQ(PixelOf(*bmp, 1, 6), Grey(200));
  EXPECT_EQ(PixelOf(*bmp, 6, 6), Grey(150));
  EXPECT_EQ(PixelOf(*bmp, 10, 6), Grey(100));
  EXPECT_EQ(PixelOf(*bmp, 0, 0), Grey(100));
  EXPECT_FALSE(region.Has(0, 0));
  EXPECT_FALSE(region.Has(11, 11));
  EXPECT_EQ(region.Count(12, 12), 140);
}

TEST_F(SkinMaskFrames, WhatCannotBePaintedTouchesNothing) {
  // Inner width and height 0: the edges have no tiles (this returns).
  const TkMaskData noInside = OwnMask(Zoned(1), 1, 0, 12, 12, 12, 12);
  auto bmp = Filled(60, 60);
  Region region(60, 60);
  skin::PaintMaskFrameRgn(bmp.get(), region.Handle, true, noInside, 0);
  EXPECT_EQ(PixelOf(*bmp, 0, 0), Zone(0, 0));
  EXPECT_EQ(CountColour(*bmp, fw::TRect(12, 0, 48, 60), kCanary), 36 * 60);
  // ImageCount 0, MaskType -1, no manager: skipped.
  TkMaskData noFrames = OwnMask(Zoned(1), 0, 0, 8, 8, 8, 8), badType = OwnMask(Zoned(1), 1, -1, 8, 8, 8, 8);
  TkMaskData noManager = OwnMask(Zoned(1), 1, 0, 8, 8, 8, 8);
  noManager.Manager = nullptr;
  for (const TkMaskData* mask : {&noFrames, &badType, &noManager}) {
    bmp = Filled(30, 30);
    skin::PaintMaskFrameRgn(bmp.get(), region.Handle, true, *mask, 0);
    skin::CopySkinPiece(0, 0, 29, true, *mask, region.Handle, bmp.get(), 23, 23, 0, 0, 29);
    EXPECT_TRUE(CanaryOutside(*bmp, fw::TRect()));
  }
  EXPECT_EQ(region.Count(60, 60), 3600);
  // A source rectangle past the picture, a destination rectangle past the bitmap: clipped.
  const TkMaskData plain = OwnMask(Zoned(1, {{0, 0}}), 1, 0, 8, 8, 8, 8);
  bmp = Filled(30, 30);
  skin::CopySkinPiece(10, 10, 200, false, plain, nullptr, bmp.get(), 300, 300, 0, 0, 200);
  EXPECT_TRUE(CanaryOutside(*bmp, fw::TRect(10, 10, 30, 30)));
  EXPECT_EQ(PixelOf(*bmp, 29, 29), Zone(0, 8));
  EXPECT_EQ(PixelOf(*bmp, 10, 10), test_skins::kFuchsia);
  // Masked: the mask rows must lie inside the picture too.
  const TkMaskData masked = OwnMask(test_skins::MaskPicture({Grey(200)}, 12, 12), 1, 1, 4, 4, 4, 4);
  bmp = Filled(30, 30, Grey(100));
  skin::CopySkinPiece(5, 5, 29, false, masked, nullptr, bmp.get(), 40, 40, 6, 0, 29);
  EXPECT_EQ(PixelOf(*bmp, 5, 5), Grey(200));
  EXPECT_EQ(PixelOf(*bmp, 6, 10), Grey(200));
  EXPECT_EQ(PixelOf(*bmp, 6, 11), Grey(100));  // row 12 of the picture would read past its mask
  EXPECT_EQ(PixelOf(*bmp, 17, 5), Grey(100));
  // A source origin before the picture skips as many destination pixels; a negative
  // destination paints nothing; a destination smaller than the corners gets what fits.
  bmp = Filled(30, 30);
  skin::CopySkinPiece(0, 0, 5, false, plain, nullptr, bmp.get(), 5, 5, -2, -2, 5);
  EXPECT_EQ(PixelOf(*bmp, 1, 1), kCanary);
  EXPECT_EQ(PixelOf(*bmp, 2, 2), test_skins::kFuchsia);
  skin::CopySkinPiece(-1, 0, 5, false, plain, nullptr, bmp.get(), 5, 5, 0, 0, 5);
  EXPECT_EQ(PixelOf(*bmp, 0, 0), kCanary);
  auto tiny = Filled(3, 2);
  Region tinyRegion(3, 2);
  skin::PaintMaskFrameRgn(tiny.get(), tinyRegion.Handle, true, plain, 0);
  EXPECT_EQ(PixelOf(*tiny, 2, 1), Zone(0, 8));
  EXPECT_FALSE(tinyRegion.Has(0, 0));
}

}  // namespace
