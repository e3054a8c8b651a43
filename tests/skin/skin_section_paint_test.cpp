// Section painting: faces of colour, gradient and texture mixed by their percentages, over the
// parent by their transparency; every fill mode of the texture with the part it leaves; masked
// textures; the border mask laid over the face; regions from transparent runs and from a border
// mask's corners; and what cannot be painted drawing nothing.
#include <gtest/gtest.h>

#include <cmath>

#include "framework/classes/streams.h"
#include "framework/graphics/jpeg_image.h"
#include "skin/engine/section_paint.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/stored_skins.h"
#include "support/skin_paint_fixture.h"

namespace {

using namespace testing_paint;
using skin::TkMaskData;
using test_skins::Picture;
using test_skins::PixelOf;

constexpr fw::TColor kTexture = 0x112233, kMarker = 0x0000EE, kBorder = 0x0000AA, kMaskedTex = 0xC8C8C8;
const fw::TRect kNothingLeft(-1, -1, -1, -1);
const std::vector<int> kBlackToRed = {0, 28, 57, 85, 113, 142, 170, 198, 227, 255};

fw::TColor Grey(int v) { return v | v << 8 | v << 16; }

// The master: an 8 x 8 texture (its first column marked) at (0, 0); a 12 x 12 border frame with
// 4-pixel borders and a $FF00FF top-left corner pixel at (8, 0); a 4 x 4 masked texture of grey
// 200 over weights 128 at (20, 0).
Picture Master() {
  Picture p(32, 16, 0);
  p.Fill(0, 0, 8, 8, kTexture);
  p.Fill(0, 0, 1, 8, kMarker);
  p.Fill(8, 0, 12, 12, kBorder);
  p.Fill(12, 4, 4, 4, 0x00AA00);
  p.Set(8, 0, test_skins::kFuchsia);
  p.Fill(20, 0, 4, 4, kMaskedTex);
  p.Fill(20, 4, 4, 4, Grey(128));
  return p;
}

std::unique_ptr<fw::TJPEGImage> JpegOf(const std::string& data) {
  auto jpeg = std::make_unique<fw::TJPEGImage>();
  fw::TMemoryStream stream;
  stream.Write(data.data(), static_cast<int>(data.size()));
  stream.Seek(0, fw::soBeginning);
  jpeg->LoadFromStream(stream);
  return jpeg;
}

class SkinSectionPaint : public SkinPaintTest {
 protected:
  void SetUp() override {
    SkinPaintTest::SetUp();
    LoadSkin(Master(),
             {{"GLOBALINFO", ""}, {"PLAIN", ""}, {"GRAD", ""}, {"SEE", ""}, {"HALF", ""}, {"TEX", ""}, {"BTN", ""},
              {"DOTS", ""}, {"MIXED", ""}, {"FAINT", ""}, {"PHOTO", ""}},
             [](skin::TkStoredSkin& stored) {
               SectionOf(stored, "PLAIN")->SetColor(0x203040);
               SectionOf(stored, "PLAIN")->SetHotColor(0x405060);
               SectionOf(stored, "GRAD")->SetColor(0x00FF00);
               SectionOf(stored, "GRAD")->SetGradientPercent(30);
               SectionOf(stored, "GRAD")->SetGradientData("0;255;100;0;0");
               SectionOf(stored, "SEE")->SetTransparency(100);
               SectionOf(stored, "HALF")->SetColor(0xFFFFFF);
               SectionOf(stored, "HALF")->SetTransparency(40);
               SectionOf(stored, "TEX")->SetColor(0x0000FF);
               SectionOf(stored, "TEX")->SetImagePercent(100);
               AddImage(stored, "TEX", "PATTERN", fw::TRect(0, 0, 8, 8), 0, 2, 0);
               SectionOf(stored, "BTN")->SetColor(0x444444);
               AddImage(stored, "BTN", "BORDERSMASK", fw::TRect(8, 0, 20, 12), 0, 0, 4);
               SectionOf(stored, "MIXED")->SetImagePercent(50);
               SectionOf(stored, "MIXED")->SetGradientPercent(50);
               SectionOf(stored, "MIXED")->SetGradientData("255;255;100;0;0");
               AddImage(stored, "MIXED", "PATTERN", fw::TRect(0, 0, 8, 8), 0, 0, 0);
               SectionOf(stored, "FAINT")->SetColor(0xFFFFFF);
               SectionOf(stored, "FAINT")->SetImagePercent(40);
               AddImage(stored, "FAINT", "PATTERN", fw::TRect(0, 0, 8, 8), 0, 0, 0);
               SectionOf(stored, "PHOTO")->SetImagePercent(100);
               auto* pattern = stored.GetPatterns()->AddItem();
               pattern->SetSectionName("PHOTO");
               pattern->SetPropertyName("PATTERN");
               pattern->SetName("PHOTO.JPG");
               pattern->SetImage(JpegOf(test_skins::Jpeg(6, 6, 0x2080C0)).get());
               SectionOf(stored, "DOTS")->SetColor(0x000080);
               SectionOf(stored, "DOTS")->SetHotColor(0x008000);
               AddImage(stored, "DOTS", "PATTERN", fw::TRect(20, 0, 24, 8), 1, 10, 0);
             });
  }
  int Section(const std::string& name) const { return manager->GetSkinIndex(name); }
  const TkMaskData& MaskOf(const std::string& section, const std::string& property) const {
    return manager->GetMasks()[manager->GetMaskIndex(Section(section), section, property)];
  }
  void Paint(const std::string& name, fw::TBitmap* bmp, fw::TRect r, const skin::TkBgRef& bg = skin::EmptyBgRef,
             int state = 0, fw::TPoint offset = fw::TPoint()) {
    skin::PaintSkinSection(Section(name), name, r, fw::clFuchsia, -1, -1, manager, bmp, offset, bg, state);
  }
};

TEST_F(SkinSectionPaint, ColourGradientAndTransparency) {
  auto bmp = Filled(20, 20);
  Paint("PLAIN", bmp.get(), fw::TRect(2, 2, 18, 18));
  EXPECT_EQ(CountColour(*bmp, fw::TRect(2, 2, 18, 18), 0x203040), 256);
  EXPECT_TRUE(CanaryOutside(*bmp, fw::TRect(2, 2, 18, 18)));
  Paint("PLAIN", bmp.get(), fw::TRect(2, 2, 18, 18), skin::EmptyBgRef, 1);
  EXPECT_EQ(PixelOf(*bmp, 5, 5), 0x405060);

  // 30 % gradient, 70 % colour (green).
  bmp = Filled(6, 12);
  Paint("GRAD", bmp.get(), fw::TRect(1, 1, 5, 11));
  for (int y = 0; y < 10; ++y) {
    const int red = static_cast<int>(std::nearbyint(kBlackToRed[y] * 0.3));
    EXPECT_EQ(PixelOf(*bmp, 4, y + 1), red | 178 << 8) << y;  // 255 * 0.7 = 178.5 -> 178
  }
  EXPECT_TRUE(CanaryOutside(*bmp, fw::TRect(1, 1, 5, 11)));

  // Transparency 100 over a ready parent copies the parent from its offset.
  Picture parentPicture(40, 40);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) parentPicture.Set(x, y, x | y << 8 | 0x400000);
  auto parent = FromPicture(parentPicture);
  skin::TkBgRef bg;
  skin::InitBgRef(bg, parent.get(), 3, 4);
  bmp = Filled(20, 20);
  Paint("SEE", bmp.get(), fw::TRect(0, 0, 10, 10), bg, 0, fw::Point(1, 1));
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) ASSERT_EQ(PixelOf(*bmp, x, y), parentPicture.At(x + 4, y + 5)) << x << "," << y;
  EXPECT_TRUE(CanaryOutside(*bmp, fw::TRect(0, 0, 10, 10)));
  // ... or fills with the parent's colour when one is set (not the background twin).
  skin::ParentBgColor = 0x0A0B0C;
  Paint("SEE", bmp.get(), fw::TRect(0, 0, 10, 10), bg);
  EXPECT_EQ(PixelOf(*bmp, 9, 9), 0x0A0B0C);
  skin::PaintSectionBackground(Section("SEE"), "SEE", fw::TRect(0, 0, 10, 10), fw::clFuchsia, -1, -1, manager,
                               bmp.get(), fw::TPoint(), bg, 0);
  EXPECT_EQ(PixelOf(*bmp, 9, 9), parentPicture.At(12, 13));
  skin::ParentBgColor = fw::clFuchsia;
  // Without a parent picture the face is painted (colour; black by default).
  Paint("SEE", bmp.get(), fw::TRect(0, 0, 10, 10));
  EXPECT_EQ(PixelOf(*bmp, 5, 5), 0);

  // Transparency 40: the face blended over the parent at alpha 40 * 255 div 100 = 102.
  auto grey = Filled(30, 30, Grey(100));
  skin::InitBgRef(bg, grey.get(), 0, 0);
  bmp = Filled(20, 20);
  Paint("HALF", bmp.get(), fw::TRect(2, 2, 12, 12), bg);
  EXPECT_EQ(PixelOf(*bmp, 2, 2), Grey((255 * 153 + 100 * 102 + 127) >> 8));
  EXPECT_EQ(PixelOf(*bmp, 11, 11), Grey(192));
  EXPECT_TRUE(CanaryOutside(*bmp, fw::TRect(2, 2, 12, 12)));
}

TEST_F(SkinSectionPaint, TextureRowLeavesTheRestToTheColour) {
  auto bmp = Filled(12, 22);
  Paint("TEX", bmp.get(), fw::TRect(1, 1, 11, 21));
  for (int x = 1; x < 11; ++x) {
    EXPECT_EQ(PixelOf(*bmp, x, 4), x == 1 || x == 9 ? kMarker : kTexture) << x;
    EXPECT_EQ(PixelOf(*bmp, x, 8), x == 1 || x == 9 ? kMarker : kTexture) << x;
  }
  EXPECT_EQ(CountColour(*bmp, fw::TRect(1, 9, 11, 21), 0x0000FF), 10 * 12);
  EXPECT_TRUE(CanaryOutside(*bmp, fw::TRect(1, 1, 11, 21)));
}

TEST_F(SkinSectionPaint, TextureGradientAndColourShares) {
  // Half texture, half gradient (red): the gradient is blended over the texture at alpha 127.
  auto bmp = Filled(20, 20);
  Paint("MIXED", bmp.get(), fw::TRect(2, 2, 18, 18));
  const auto mix = [](int texture, int red) { return (red * 128 + texture * 127 + 127) >> 8; };
  const fw::TColor overTexture = mix(0x33, 255) | mix(0x22, 0) << 8 | mix(0x11, 0) << 16;
  const fw::TColor overMarker = mix(0xEE, 255) | mix(0, 0) << 8 | mix(0, 0) << 16;
  EXPECT_EQ(PixelOf(*bmp, 3, 3), overTexture);
  EXPECT_EQ(PixelOf(*bmp, 2, 3), overMarker);
  EXPECT_EQ(PixelOf(*bmp, 10, 17), overMarker);  // tiled from R's corner, the last tiles cut
  EXPECT_TRUE(CanaryOutside(*bmp, fw::TRect(2, 2, 18, 18)));
  // A JPEG pattern is tiled from its decoded picture, cut at R's edges.
  bmp = Filled(20, 20);
  Paint("PHOTO", bmp.get(), fw::TRect(2, 2, 17, 17));
  const fw::TColor photo = PixelOf(*bmp, 2, 2);
  EXPECT_NEAR(photo & 0xFF, 0xC0, 6);
  EXPECT_NEAR(photo >> 16 & 0xFF, 0x20, 6);
  EXPECT_EQ(CountColour(*bmp, fw::TRect(2, 2, 17, 17), photo), 15 * 15);
  EXPECT_TRUE(CanaryOutside(*bmp, fw::TRect(2, 2, 17, 17)));
  // 40 % texture: the colour (white) takes the other 60 %.
  bmp = Filled(20, 20);
  Paint("FAINT", bmp.get(), fw::TRect(2, 2, 18, 18));
  const auto faint = [](int texture) { return (texture * 40 + 255 * 60 + 50) / 100; };  // no halves here
  EXPECT_EQ(PixelOf(*bmp, 3, 3), faint(0x33) | faint(0x22) << 8 | faint(0x11) << 16);
  EXPECT_TRUE(CanaryOutside(*bmp, fw::TRect(2, 2, 18, 18)));
}

TEST_F(SkinSectionPaint, EveryFillModeAndWhatItLeaves) {
  const TkMaskData& texture = MaskOf("TEX", "PATTERN");
  const fw::TRect area(1, 1, 21, 21);
  struct Mode { int mode; fw::TRect covered; fw::TRect left; bool stretched; };
  const Mode modes[] = {
      {0, area, kNothingLeft, false},           {10, area, kNothingLeft, false},
      {11, area, kNothingLeft, false},          {1, area, kNothingLeft, true},
      {2, fw::TRect(1, 1, 21, 9), fw::TRect(1, 9, 21, 21), false},
      {3, fw::TRect(1, 1, 9, 21), fw::TRect(9, 1, 21, 21), false},
      {4, fw::TRect(1, 1, 21, 9), fw::TRect(1, 9, 21, 21), true},
      {5, fw::TRect(1, 1, 9, 21), fw::TRect(9, 1, 21, 21), true},
      {6, fw::TRect(1, 13, 21, 21), fw::TRect(1, 1, 21, 13), false},
      {7, fw::TRect(13, 1, 21, 21), fw::TRect(1, 1, 13, 21), false},
  };
  for (const Mode& m : modes) {
    SCOPED_TRACE(m.mode);
    auto bmp = Filled(22, 22);
    fw::TRect r = area;
    skin::TileSkinImage(bmp->GetCanvas(), r, nullptr, m.mode, texture);
    GdiFlush();
    EXPECT_EQ(r, m.left);
    EXPECT_TRUE(CanaryOutside(*bmp, m.covered));
    EXPECT_EQ(CountColour(*bmp, m.covered, kCanary), 0);
    if (m.stretched) continue;
    // Whole tiles from the span's corner, then cut ones: the marker column starts every tile.
    for (int x = m.covered.Left; x < m.covered.Right; ++x)
      EXPECT_EQ(PixelOf(*bmp, x, m.covered.Top + 1), (x - m.covered.Left) % 8 == 0 ? kMarker : kTexture) << x;
  }
  // A zero-sized picture paints nothing and leaves R (this returns).
  TkMaskData empty = texture;
  empty.R = fw::TRect(0, 0, 0, 8);
  auto bmp = Filled(22, 22);
  fw::TRect r = area;
  skin::TileSkinImage(bmp->GetCanvas(), r, nullptr, 0, empty);
  EXPECT_EQ(r, area);
  EXPECT_TRUE(CanaryOutside(*bmp, fw::TRect()));
  // A picture of its own is tiled over everything, whatever the mode; so is a JPEG's picture.
  Picture own(5, 5, 0x00CC00);
  own.Set(0, 0, kMarker);
  auto ownBitmap = FromPicture(own);
  skin::TileSkinImage(bmp->GetCanvas(), r, ownBitmap.get(), 2, texture);
  GdiFlush();
  EXPECT_EQ(r, kNothingLeft);
  EXPECT_EQ(CountColour(*bmp, area, kMarker), 16);
  EXPECT_TRUE(CanaryOutside(*bmp, area));
  auto jpeg = JpegOf(test_skins::Jpeg(16, 16, 0x808080));
  bmp = Filled(22, 22);
  skin::TileGraphic(bmp->GetCanvas(), fw::TRect(1, 1, 21, 21), jpeg.get());
  GdiFlush();
  EXPECT_TRUE(CanaryOutside(*bmp, area));
  EXPECT_EQ(CountColour(*bmp, area, kCanary), 0);
}

TEST_F(SkinSectionPaint, MaskedTextures) {
  const TkMaskData& dots = MaskOf("DOTS", "PATTERN");
  ASSERT_EQ(dots.MaskType, 1);
  // Mode 0: tiles cut at the edges, each pixel half over the destination.
  auto bmp = Filled(12, 12, 0);
  fw::TRect r(1, 1, 11, 11);
  skin::TileSkinImageMasked(bmp.get(), r, skin::EmptyBgRef, 0, dots);
  EXPECT_EQ(r, kNothingLeft);
  EXPECT_EQ(CountColour(*bmp, fw::TRect(1, 1, 11, 11), Grey(100)), 100);  // 200 * 128 / 256
  EXPECT_EQ(PixelOf(*bmp, 0, 0), 0);
  // Mode 10: whole tiles only; the strips show the parent, or MaskFillColor.
  bmp = Filled(12, 12, 0);
  r = fw::TRect(1, 1, 11, 11);
  skin::MaskFillColor = 0x010203;
  skin::TileSkinImageMasked(bmp.get(), r, skin::EmptyBgRef, 10, dots);
  EXPECT_EQ(CountColour(*bmp, fw::TRect(1, 1, 9, 9), Grey(100)), 64);
  EXPECT_EQ(CountColour(*bmp, fw::TRect(1, 1, 11, 11), 0x010203), 100 - 64);
  auto parent = Filled(20, 20, 0x070809);
  skin::TkBgRef bg;
  skin::InitBgRef(bg, parent.get(), 2, 2);
  r = fw::TRect(1, 1, 11, 11);
  skin::TileSkinImageMasked(bmp.get(), r, bg, 10, dots);
  EXPECT_EQ(PixelOf(*bmp, 10, 10), 0x070809);
  EXPECT_EQ(PixelOf(*bmp, 9, 1), 0x070809);
  skin::MaskFillColor = fw::clFuchsia;
  // Through the section: its colour, then the mode-10 overlay over the normal face only.
  const int index = manager->GetMaskIndex(Section("DOTS"), "DOTS", "PATTERN");
  for (int state : {0, 1}) {
    bmp = Filled(12, 12);
    skin::PaintSkinSection(Section("DOTS"), "DOTS", fw::TRect(0, 0, 8, 8), fw::clFuchsia, -1, index, manager, bmp.get(),
                           fw::TPoint(), skin::EmptyBgRef, state);
    EXPECT_EQ(PixelOf(*bmp, 3, 3), state == 0 ? 0x6464A4 : 0x008000);  // 200 half over (128, 0, 0)
    EXPECT_TRUE(CanaryOutside(*bmp, fw::TRect(0, 0, 8, 8)));
  }
  // Tiles of no size and masks without frames draw nothing.
  TkMaskData noFrames = dots, flat = dots;
  noFrames.ImageCount = 0;
  flat.R.Bottom = flat.R.Top + 1;
  for (const TkMaskData* mask : {&noFrames, &flat}) {
    bmp = Filled(12, 12);
    r = fw::TRect(1, 1, 11, 11);
    skin::TileSkinImageMasked(bmp.get(), r, bg, 0, *mask);
    skin::TileSkinImageMasked(bmp.get(), r, bg, 10, *mask);
    EXPECT_TRUE(CanaryOutside(*bmp, fw::TRect()));
  }
}

TEST_F(SkinSectionPaint, BorderOverTheFace) {
  auto parent = Filled(40, 40, 0x0C0D0E);
  skin::TkBgRef bg;
  skin::InitBgRef(bg, parent.get(), 0, 0);
  for (bool ready : {false, true}) {
    SCOPED_TRACE(ready);
    auto bmp = Filled(24, 24);
    skin::PaintBordersMask(Section("BTN"), "BTN", ready ? bg : skin::EmptyBgRef, -1, -1, manager, bmp.get(),
                           fw::Point(0, 0), fw::TRect(2, 2, 22, 22), 0, false);
    EXPECT_EQ(PixelOf(*bmp, 2, 2), ready ? 0x0C0D0E : 0x444444);  // the corner's $FF00FF pixel
    EXPECT_EQ(PixelOf(*bmp, 3, 2), kBorder);
    EXPECT_EQ(PixelOf(*bmp, 10, 3), kBorder);
    EXPECT_EQ(PixelOf(*bmp, 10, 10), 0x444444);  // the face, no filling
    EXPECT_TRUE(CanaryOutside(*bmp, fw::TRect(2, 2, 22, 22)));
  }
  // Filling lays the mask's centre over the face; the rectangle twin takes a mask index.
  auto bmp = Filled(24, 24);
  const int border = manager->GetMaskIndex(Section("BTN"), "BTN", "BORDERSMASK");
  skin::PaintSectionRect(Section("BTN"), border, -1, -1, manager, bmp.get(), fw::TPoint(), fw::TRect(2, 2, 22, 22), 0,
                         true, skin::EmptyBgRef, "BTN");
  EXPECT_EQ(PixelOf(*bmp, 10, 10), 0x00AA00);
  EXPECT_EQ(PixelOf(*bmp, 21, 21), kBorder);
  // Onto a DC at R; nothing for a negative origin, an empty rectangle or an invalid section.
  auto target = Filled(30, 30);
  HDC dc = target->GetCanvas()->GetHandle();
  skin::PaintSectionToDC(Section("BTN"), "BTN", skin::EmptyBgRef, manager, dc, fw::TPoint(), fw::TRect(5, 5, 25, 25), 0,
                         false);
  skin::PaintItemToDC(Section("BTN"), "BTN", skin::EmptyBgRef, manager, dc, fw::TPoint(), fw::TRect(-1, 0, 4, 4), 0, true);
  skin::PaintItemToDC(Section("BTN"), "BTN", skin::EmptyBgRef, manager, dc, fw::TPoint(), fw::TRect(2, 2, 2, 4), 0, true);
  skin::PaintItemToDC(-1, "BTN", skin::EmptyBgRef, manager, dc, fw::TPoint(), fw::TRect(0, 0, 4, 4), 0, true);
  GdiFlush();
  EXPECT_EQ(PixelOf(*target, 6, 5), kBorder);
  EXPECT_EQ(PixelOf(*target, 15, 15), 0x444444);
  EXPECT_TRUE(CanaryOutside(*target, fw::TRect(5, 5, 25, 25)));
  // Invalid sections paint nothing.
  bmp = Filled(10, 10);
  Paint("NOSUCH", bmp.get(), fw::TRect(0, 0, 10, 10));
  skin::PaintBordersMask(99, "BTN", skin::EmptyBgRef, -1, -1, manager, bmp.get(), fw::TPoint(), fw::TRect(0, 0, 10, 10), 0, true);
  EXPECT_TRUE(CanaryOutside(*bmp, fw::TRect()));
}

TEST_F(SkinSectionPaint, RegionsFromTransparentRuns) {
  Picture picture(10, 2, 0x123456);
  picture.Fill(2, 0, 3, 1, test_skins::kFuchsia);
  picture.Set(9, 1, test_skins::kFuchsia);
  auto bmp = FromPicture(picture);
  std::vector<fw::TRect> runs;
  skin::CollectTransparentRuns(runs, bmp.get(), test_skins::kFuchsia);
  EXPECT_EQ(runs, (std::vector<fw::TRect>{fw::TRect(2, 0, 5, 1), fw::TRect(9, 1, 10, 2)}));
  HRGN rgn = nullptr;
  skin::CreateRegionFromBitmap(rgn, bmp.get(), test_skins::kFuchsia);
  ASSERT_NE(rgn, nullptr);
  int inside = 0;
  for (int y = -1; y < 3; ++y)
    for (int x = -1; x < 11; ++x) inside += PtInRegion(rgn, x, y) != 0;
  EXPECT_EQ(inside, 16);
  EXPECT_FALSE(PtInRegion(rgn, 3, 0));
  DeleteObject(rgn);
  // One pixel high: the reader does not bind, the region is the whole rectangle.
  auto flat = FromPicture(Picture(10, 1, test_skins::kFuchsia));
  rgn = nullptr;
  skin::CreateRegionFromBitmap(rgn, flat.get(), test_skins::kFuchsia);
  RECT box;
  EXPECT_EQ(GetRgnBox(rgn, &box), SIMPLEREGION);
  EXPECT_EQ(fw::TRect(box), fw::TRect(0, 0, 10, 1));
  DeleteObject(rgn);
}

TEST_F(SkinSectionPaint, CornerRegionRectangles) {
  // Two 10 x 6 frames with borders 3: $FF00FF at the top-left (columns 0..1 of row 0), the
  // top-right (column 9 of row 0) and the bottom-left (column 0 of row 5) of frame 0.
  Picture picture(20, 6, 0x333333);
  picture.Fill(0, 0, 2, 1, test_skins::kFuchsia);
  picture.Set(9, 0, test_skins::kFuchsia);
  picture.Set(0, 5, test_skins::kFuchsia);
  picture.Set(19, 0, test_skins::kFuchsia);  // frame 1 is not read
  const TkMaskData mask = OwnMask(picture, 2, 0, 3, 3, 3, 3);
  std::vector<fw::TRect> rects;
  skin::AddCornerRegionRects(rects, 100, mask, false, 0);
  EXPECT_EQ(rects, (std::vector<fw::TRect>{fw::TRect(0, 0, 2, 1), fw::TRect(99, 0, 100, 1)}));
  skin::AddCornerRects(rects, 50, mask, true, 40);
  EXPECT_EQ(rects.size(), 3u);
  EXPECT_EQ(rects[2], fw::TRect(0, 42, 1, 43));
  // A source too low for its rows adds nothing.
  TkMaskData tall = mask;
  tall.WB = 7;
  skin::AddCornerRegionRects(rects, 50, tall, true, 0);
  tall.ImageCount = 0;
  skin::AddCornerRegionRects(rects, 50, tall, false, 0);
  EXPECT_EQ(rects.size(), 3u);
}

}  // namespace
