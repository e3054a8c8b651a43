// Pixel access and mask painting: binding, the three blends and the grey pass, the disabled
// look, and DrawSkinRect / DrawMaskGlyphFrame laying the frames of known colours into canary
// bitmaps, with every mask and rectangle that cannot be painted drawing nothing.
#include <gtest/gtest.h>

#include "skin/engine/fast_pixels.h"
#include "skin/engine/gradients.h"
#include "skin/engine/mask_paint.h"
#include "support/skin_paint_fixture.h"

namespace {

using namespace testing_paint;
using skin::TkMaskData;
using test_skins::Picture;
using test_skins::PixelOf;

constexpr fw::TColor kMarkL = 0x0000EE, kMarkT = 0x00EE00;

fw::TColor Grey(int v) { return v | v << 8 | v << 16; }

// Zone z (0 top-left, 1 top, 2 top-right, 3 left, 4 centre, 5 right, 6 bottom-left, 7 bottom,
// 8 bottom-right) of frame k.
fw::TColor Zone(int k, int z) { return (k + 1) << 20 | (z + 1) << 4; }

// Frames of 24 x 24 with borders of 8 in zone colours, $FF00FF in each frame's top-left pixel;
// with markers the left zone's first row and the top zone's first column are marked.
Picture Zoned(int frames, bool markers) {
  Picture p(24 * frames, 24);
  for (int k = 0; k < frames; ++k) {
    for (int z = 0; z < 9; ++z) p.Fill(k * 24 + z % 3 * 8, z / 3 * 8, 8, 8, Zone(k, z));
    p.Set(k * 24, 0, test_skins::kFuchsia);
    if (!markers) continue;
    p.Fill(k * 24, 8, 8, 1, kMarkL);
    p.Fill(k * 24 + 8, 0, 1, 8, kMarkT);
  }
  return p;
}

class SkinPixels : public SkinPaintTest {
 protected:
  void SetUp() override {
    SkinPaintTest::SetUp();
    LoadSkin(Zoned(3, true), {{"GLOBALINFO", ""}});
  }
  TkMaskData Frames(int frames = 3, bool markers = true) { return OwnMask(Zoned(frames, markers), frames, 0, 8, 8, 8, 8); }
};

TEST_F(SkinPixels, BindingAndTheBlender) {
  skin::TkFast24 pixels;
  auto flat = Filled(5, 1);
  EXPECT_FALSE(pixels.Attach(flat.get()));
  EXPECT_EQ(pixels.Width, 0);
  auto twoByTwo = FromPicture(Picture(2, 2, 0x112233));
  ASSERT_TRUE(pixels.Attach(twoByTwo.get()));
  EXPECT_EQ(pixels.Pixels(1, 1), 0x112233);
  EXPECT_LT(pixels.Delta, 0);  // bottom-up rows

  // Alpha is the weight of the destination; the weights add up to 255.
  auto src = FromPicture(Picture(3, 2, 0x0080FF)), dst = Filled(3, 2, 0);
  ASSERT_TRUE(skin::FastBlender->Attach(src.get(), dst.get()));
  skin::FastBlender->Alpha = 0;
  skin::FastBlender->DstRect = fw::TRect(0, 0, 3, 2);
  skin::FastBlender->SrcRect = fw::TRect(0, 0, 3, 2);
  skin::FastBlender->BlendBitmaps();
  EXPECT_EQ(PixelOf(*dst, 2, 1), 0x007FFE);  // 255 -> 254, 128 -> 127, 0 -> 0
  auto black = Filled(3, 2, 0), white = Filled(3, 2, 0xFFFFFF);
  ASSERT_TRUE(skin::FastBlender->Attach(black.get(), white.get()));
  skin::FastBlender->Alpha = 255;
  skin::FastBlender->BlendBitmaps();
  EXPECT_EQ(PixelOf(*white, 0, 0), 0xFEFEFE);
  EXPECT_FALSE(skin::FastBlender->Attach(flat.get(), white.get()));
}

TEST_F(SkinPixels, ColourAndBitmapBlendsRoundHalvesToEven) {
  auto bmp = Filled(6, 4, 0xFFFFFF);
  skin::BlendColorRect(bmp.get(), fw::TRect(1, 1, 2, 2), 50, 0);  // inclusive corners
  EXPECT_EQ(PixelOf(*bmp, 1, 1), 0x808080);                       // 127.5 -> 128
  EXPECT_EQ(PixelOf(*bmp, 2, 2), 0x808080);
  EXPECT_EQ(PixelOf(*bmp, 3, 2), 0xFFFFFF);
  EXPECT_EQ(PixelOf(*bmp, 1, 0), 0xFFFFFF);
  // Past the bitmap it is clipped; a percent above 100 keeps the old pixel.
  skin::BlendColorRect(bmp.get(), fw::TRect(4, -3, 40, 40), 300, 0);
  EXPECT_EQ(PixelOf(*bmp, 5, 3), 0xFFFFFF);
  skin::BlendColorRect(bmp.get(), fw::TRect(4, -3, 40, 40), 0, 0x0000FF);
  EXPECT_EQ(PixelOf(*bmp, 5, 3), 0x0000FF);
  EXPECT_EQ(PixelOf(*bmp, 3, 3), 0xFFFFFF);

  auto src = FromPicture(Picture(3, 3, Grey(253)));
  src = [&] { Picture p(3, 3, Grey(253)); p.Set(1, 1, test_skins::kFuchsia); return FromPicture(p); }();
  auto dst = Filled(4, 4, 0);
  skin::BlendBitmapRect(dst.get(), 2, 2, test_skins::kFuchsia, 0.5, fw::TRect(0, 0, 2, 2), src.get());
  EXPECT_EQ(PixelOf(*dst, 2, 2), Grey(126));  // 126.5 -> 126
  EXPECT_EQ(PixelOf(*dst, 3, 3), 0);          // the transparent pixel is left out
  EXPECT_EQ(PixelOf(*dst, 1, 1), 0);
  // A negative source origin moves the destination start; no transparent colour.
  skin::BlendBitmapRect(dst.get(), 0, 0, skin::kNoTransColor, 0.0, fw::TRect(-1, -1, 1, 1), src.get());
  EXPECT_EQ(PixelOf(*dst, 0, 0), 0);
  EXPECT_EQ(PixelOf(*dst, 1, 1), Grey(253));
  EXPECT_EQ(PixelOf(*dst, 2, 2), test_skins::kFuchsia);
}

TEST_F(SkinPixels, GreyAndTheDisabledLook) {
  auto bmp = Filled(4, 4, 0x1F140A);  // red 10, green 20, blue 31
  EXPECT_EQ(skin::GrayscaleBitmap(bmp.get()), bmp.get());
  EXPECT_EQ(PixelOf(*bmp, 3, 3), Grey(20));

  // Grey first, then 40 % of the image over 60 % of the parent's picture (200) ...
  auto parent = Filled(20, 20, Grey(200));
  bmp = Filled(4, 4, 0x1F140A);
  skin::TkBgRef bg;
  skin::InitBgRef(bg, parent.get(), 3, 3);
  skin::ApplyDisabledKind(bmp.get(), skin::TkDisabledKind{skin::dkBlended, skin::dkGrayed}, nullptr, fw::Point(2, 2), bg);
  EXPECT_EQ(PixelOf(*bmp, 0, 0), Grey(128));  // 200 - 180 * 0.4
  EXPECT_EQ(PixelOf(*bmp, 3, 3), Grey(128));
  // ... or an even mix with the parent's colour.
  bmp = Filled(4, 4, 0x1F140A);
  skin::ParentBgColor = Grey(100);
  skin::ApplyDisabledKind(bmp.get(), skin::TkDisabledKind{skin::dkBlended, skin::dkGrayed}, nullptr, fw::TPoint(), skin::EmptyBgRef);
  EXPECT_EQ(PixelOf(*bmp, 3, 3), Grey(60));
  bmp = Filled(4, 4, 0x1F140A);
  skin::ApplyDisabledKind(bmp.get(), skin::TkDisabledKind{skin::dkBlended}, nullptr, fw::TPoint(), skin::EmptyBgRef);
  EXPECT_EQ(PixelOf(*bmp, 0, 0), 0x423C37);  // (31+100)/2 = 65.5 -> 66, 60, 55
}

TEST_F(SkinPixels, BordersShrinkSymmetricallyAndStatesClamp) {
  const TkMaskData mask = Frames();
  for (int width : {10, 9}) {
    SCOPED_TRACE(width);
    auto bmp = Filled(20, 40);
    const fw::TRect r(2, 2, 2 + width, 38);
    skin::DrawSkinRect(bmp.get(), r, true, skin::EmptyBgRef, mask, 0, false);
    for (int x = 2; x < 7; ++x) EXPECT_EQ(PixelOf(*bmp, x, 21), Zone(0, 3)) << x;
    for (int x = 7; x < r.Right; ++x) EXPECT_EQ(PixelOf(*bmp, x, 21), Zone(0, 5)) << x;
    EXPECT_TRUE(CanaryOutside(*bmp, r));
  }
  // A 1-pixel-wide rectangle draws nothing.
  auto bmp = Filled(20, 40);
  skin::DrawSkinRect(bmp.get(), fw::TRect(2, 2, 3, 38), true, skin::EmptyBgRef, mask, 0, false);
  EXPECT_TRUE(CanaryOutside(*bmp, fw::TRect()));
  // State 5 of three frames draws frame 2.
  skin::DrawSkinRect(bmp.get(), fw::TRect(0, 0, 20, 40), true, skin::EmptyBgRef, mask, 5, false);
  EXPECT_EQ(PixelOf(*bmp, 10, 20), Zone(2, 4));
  EXPECT_EQ(PixelOf(*bmp, 19, 39), Zone(2, 8));
}

TEST_F(SkinPixels, PlainFramesTileStretchAndKeepTheirCentre) {
  // Tiled: whole pieces, then one piece cut to what remains (markers at every tile's start).
  auto bmp = Filled(40, 40);
  const fw::TRect r(2, 2, 32, 32);
  skin::DrawSkinRect(bmp.get(), r, true, skin::EmptyBgRef, Frames(), 0, false);
  for (int x = 10; x < 24; ++x) EXPECT_EQ(PixelOf(*bmp, x, 5), x == 10 || x == 18 ? kMarkT : Zone(0, 1)) << x;
  for (int y = 10; y < 24; ++y) EXPECT_EQ(PixelOf(*bmp, 3, y), y == 10 || y == 18 ? kMarkL : Zone(0, 3)) << y;
  EXPECT_EQ(PixelOf(*bmp, 24, 5), Zone(0, 2));
  EXPECT_EQ(PixelOf(*bmp, 20, 20), Zone(0, 4));
  EXPECT_EQ(PixelOf(*bmp, 2, 2), kCanary);  // the corner's $FF00FF pixel keeps the destination
  EXPECT_TRUE(CanaryOutside(*bmp, r));

  // Stretched single-colour sides fill their spans.
  TkMaskData stretched = Frames(1, false);
  stretched.StretchMode = 1;
  bmp = Filled(44, 44);
  skin::DrawSkinRect(bmp.get(), fw::TRect(2, 2, 42, 42), true, skin::EmptyBgRef, stretched, 0, false);
  EXPECT_EQ(CountColour(*bmp, fw::TRect(10, 2, 34, 10), Zone(0, 1)), 24 * 8);
  EXPECT_EQ(CountColour(*bmp, fw::TRect(2, 10, 10, 34), Zone(0, 3)), 24 * 8);
  EXPECT_EQ(CountColour(*bmp, fw::TRect(10, 10, 34, 34), Zone(0, 4)), 24 * 24);
  EXPECT_EQ(CountColour(*bmp, fw::TRect(34, 34, 42, 42), Zone(0, 8)), 64);

  // A border width keeps the centre; so does Filling False.
  TkMaskData bordered = Frames();
  bordered.BorderWidth = 3;
  for (auto [mask, filling] : {std::pair{bordered, true}, std::pair{Frames(), false}}) {
    bmp = Filled(40, 40);
    skin::DrawSkinRect(bmp.get(), r, filling, skin::EmptyBgRef, mask, 0, false);
    EXPECT_EQ(CountColour(*bmp, fw::TRect(10, 10, 24, 24), kCanary), 14 * 14);
    EXPECT_EQ(PixelOf(*bmp, 5, 27), Zone(0, 6));
  }
}

TEST_F(SkinPixels, PlainCornersShowTheParentOnlyWhenAsked) {
  Picture parentPicture(60, 60);
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 60; ++x) parentPicture.Set(x, y, x | y << 8);
  auto parent = FromPicture(parentPicture);
  skin::TkBgRef bg;
  skin::InitBgRef(bg, parent.get(), 7, 9);
  auto bmp = Filled(40, 40);
  skin::DrawSkinRect(bmp.get(), fw::TRect(2, 2, 32, 32), true, bg, Frames(), 0, false);
  EXPECT_EQ(PixelOf(*bmp, 2, 2), kCanary);
  skin::DrawSkinRect(bmp.get(), fw::TRect(2, 2, 32, 32), true, bg, Frames(), 0, true);
  EXPECT_EQ(PixelOf(*bmp, 2, 2), (7 + 2) | (9 + 2) << 8);
  EXPECT_EQ(PixelOf(*bmp, 3, 2), Zone(0, 0));
}

TEST_F(SkinPixels, MaskedFramesBlendByWeight) {
  // 12 x 12 of grey 200 over a mask row weighing 0 / 128 / 255 by thirds; $FF00FF corners.
  const TkMaskData mask = OwnMask(test_skins::MaskPicture({Grey(200)}, 12, 12), 1, 1, 4, 4, 4, 4);
  auto bmp = Filled(16, 16, Grey(100));
  const fw::TRect r(2, 2, 14, 14);
  skin::DrawSkinRect(bmp.get(), r, true, skin::EmptyBgRef, mask, 0, true);
  EXPECT_EQ(PixelOf(*bmp, 2, 7), Grey(200));
  EXPECT_EQ(PixelOf(*bmp, 7, 7), Grey(150));
  EXPECT_EQ(PixelOf(*bmp, 12, 7), Grey(100));
  // Without a parent picture or fill colour the corners keep $FF00FF.
  EXPECT_EQ(PixelOf(*bmp, 2, 2), test_skins::kFuchsia);
  EXPECT_EQ(PixelOf(*bmp, 13, 13), test_skins::kFuchsia);
  EXPECT_EQ(PixelOf(*bmp, 1, 1), Grey(100));
  // A fill colour takes them; a parent picture takes them from the parent.
  skin::MaskFillColor = 0x123456;
  skin::DrawSkinRect(bmp.get(), r, true, skin::EmptyBgRef, mask, 0, true);
  EXPECT_EQ(PixelOf(*bmp, 13, 2), 0x123456);
  skin::MaskFillColor = fw::clFuchsia;
  auto parent = Filled(30, 30, 0x654321);
  skin::TkBgRef bg;
  skin::InitBgRef(bg, parent.get(), 1, 1);
  skin::DrawSkinRect(bmp.get(), r, true, bg, mask, 0, true);
  EXPECT_EQ(PixelOf(*bmp, 2, 13), 0x654321);
  // Without Filling the centre stays.
  bmp = Filled(16, 16, Grey(100));
  skin::DrawSkinRect(bmp.get(), r, false, skin::EmptyBgRef, mask, 0, true);
  EXPECT_EQ(PixelOf(*bmp, 7, 7), Grey(100));
  EXPECT_EQ(PixelOf(*bmp, 7, 3), Grey(150));
}

TEST_F(SkinPixels, MasksThatCannotBePaintedDrawNothing) {
  TkMaskData noFrames = Frames();
  noFrames.ImageCount = 0;
  TkMaskData badType = Frames();
  badType.MaskType = -1;
  TkMaskData noManager = Frames();
  noManager.Manager = nullptr;
  TkMaskData noSource = MasterMask(fw::TRect(0, 0, 24, 24), 1, 0, 8, 8, 8, 8);
  noSource.Manager = nullptr;
  for (const TkMaskData* mask : {&noFrames, &badType, &noManager, &noSource}) {
    auto bmp = Filled(40, 40);
    skin::DrawSkinRect(bmp.get(), fw::TRect(2, 2, 32, 32), true, skin::EmptyBgRef, *mask, 0, true);
    // A glyph with a picture of its own needs no manager.
    if (mask != &noManager) skin::DrawMaskGlyphFrame(bmp.get(), fw::Point(1, 1), 0, *mask, 1);
    EXPECT_TRUE(CanaryOutside(*bmp, fw::TRect()));
  }
  // Rectangles reaching past the bitmap are clipped; a bitmap under 2 x 2 is left alone.
  auto bmp = Filled(20, 20);
  skin::DrawSkinRect(bmp.get(), fw::TRect(12, 12, 60, 60), true, skin::EmptyBgRef, Frames(), 0, false);
  EXPECT_TRUE(CanaryOutside(*bmp, fw::TRect(12, 12, 20, 20)));
  EXPECT_EQ(PixelOf(*bmp, 13, 12), Zone(0, 0));
  skin::DrawSkinRect(bmp.get(), fw::TRect(-30, -30, 8, 8), true, skin::EmptyBgRef, Frames(), 0, false);
  EXPECT_EQ(PixelOf(*bmp, 7, 7), Zone(0, 8));
  auto flat = Filled(30, 1);
  skin::DrawSkinRect(flat.get(), fw::TRect(0, 0, 30, 1), true, skin::EmptyBgRef, Frames(), 0, false);
  EXPECT_EQ(CountColour(*flat, fw::TRect(0, 0, 30, 1), kCanary), 30);
  // The master bitmap serves masks without a picture of their own.
  bmp = Filled(30, 30);
  skin::DrawSkinRect(bmp.get(), fw::TRect(0, 0, 30, 30), true, skin::EmptyBgRef,
                     MasterMask(fw::TRect(24, 0, 48, 24), 1, 0, 8, 8, 8, 8), 0, false);
  EXPECT_EQ(PixelOf(*bmp, 15, 15), Zone(1, 4));
}

TEST_F(SkinPixels, WideAndPlainPathsAgree) {
  // A masked frame of seeded noise over noise: every blended byte, both ways.
  Picture frame(30, 40), under(64, 48);
  unsigned seed = 12345;
  auto next = [&seed] { return static_cast<fw::TColor>((seed = seed * 1103515245u + 12345u) >> 8 & 0xFFFFFF); };
  for (auto& c : frame.Pixels) c = next();
  for (auto& c : under.Pixels) c = next();
  const TkMaskData noise = OwnMask(frame, 1, 1, 7, 6, 9, 5);
  const skin::TkGradArray stops = {{0x102030, 0xF0E0D0, 60, 0, 0}, {0xF0E0D0, 0x000000, 40, 0, 0}};
  std::unique_ptr<fw::TBitmap> results[2];
  for (bool wide : {false, true}) {
    skin::testing::SetSse2(wide);
    auto bmp = FromPicture(under);
    skin::DrawSkinRect(bmp.get(), fw::TRect(1, 2, 63, 47), true, skin::EmptyBgRef, noise, 0, true);
    skin::PaintGradient(bmp.get(), fw::TRect(20, 10, 45, 40), stops);
    // The known weights too: 200 over 100 gives 200, 150 and 100.
    auto known = Filled(16, 16, Grey(100));
    skin::DrawSkinRect(known.get(), fw::TRect(2, 2, 14, 14), true, skin::EmptyBgRef,
                       OwnMask(test_skins::MaskPicture({Grey(200)}, 12, 12), 1, 1, 4, 4, 4, 4), 0, true);
    EXPECT_EQ(PixelOf(*known, 2, 7), Grey(200)) << wide;
    EXPECT_EQ(PixelOf(*known, 7, 7), Grey(150)) << wide;
    EXPECT_EQ(PixelOf(*known, 12, 7), Grey(100)) << wide;
    results[wide] = std::move(bmp);
  }
  int differing = 0;
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 64; ++x) differing += PixelOf(*results[0], x, y) != PixelOf(*results[1], x, y);
  EXPECT_EQ(differing, 0);
  EXPECT_NE(PixelOf(*results[0], 5, 5), under.At(5, 5));
}

TEST_F(SkinPixels, GlyphFrames) {
  // Two 6 x 6 frames (200, 50) over the mask row 0, 0, 128, 128, 255, 255.
  const TkMaskData glyph = OwnMask(test_skins::MaskPicture({Grey(200), Grey(50)}, 6, 6), 2, 1, 0, 0, 0, 0);
  auto bmp = Filled(12, 12, Grey(100));
  skin::DrawMaskGlyphFrame(bmp.get(), fw::Point(3, 3), 1, glyph, 1);
  EXPECT_EQ(PixelOf(*bmp, 3, 3), Grey(100));  // $FF00FF left out
  EXPECT_EQ(PixelOf(*bmp, 4, 3), Grey(50));
  EXPECT_EQ(PixelOf(*bmp, 5, 4), Grey(75));
  EXPECT_EQ(PixelOf(*bmp, 7, 4), Grey(99));
  EXPECT_EQ(PixelOf(*bmp, 9, 4), Grey(100));
  // Any other mode is fainter; states past the last frame draw the last.
  bmp = Filled(12, 12, Grey(100));
  skin::DrawMaskGlyphFrame(bmp.get(), fw::Point(3, 3), 7, glyph, 2);
  EXPECT_EQ(PixelOf(*bmp, 4, 3), Grey(69));
  // A negative point skips the leading columns and rows.
  bmp = Filled(12, 12, Grey(100));
  skin::DrawMaskGlyphFrame(bmp.get(), fw::Point(-2, -2), 0, glyph, 1);
  EXPECT_EQ(PixelOf(*bmp, 0, 0), Grey(150));
  EXPECT_EQ(PixelOf(*bmp, 4, 0), Grey(100));

  // A plain master glyph: $FF00FF is not drawn; mode 2 blends it half over the destination.
  const TkMaskData plain = MasterMask(fw::TRect(0, 0, 24, 24), 1, 0, 0, 0, 0, 0);
  bmp = Filled(30, 30, 0);
  skin::DrawMaskGlyphFrame(bmp.get(), fw::Point(1, 1), 0, plain, 1);
  EXPECT_EQ(PixelOf(*bmp, 1, 1), 0);
  EXPECT_EQ(PixelOf(*bmp, 2, 1), Zone(0, 0));
  bmp = Filled(30, 30, 0);
  skin::DrawMaskGlyphFrame(bmp.get(), fw::Point(1, 1), 0, plain, 2);
  EXPECT_EQ(PixelOf(*bmp, 1, 1), 0);
  EXPECT_EQ(PixelOf(*bmp, 10, 10), Zone(0, 4) / 2 & 0x7F7F7F);
}

}  // namespace
