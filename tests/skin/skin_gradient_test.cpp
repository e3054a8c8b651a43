// Gradients on 24-bit bitmaps: exact rows and columns of modes 0 and 1 (rounded halves, shared
// rows, the last stop stretched, clipping, a negative offset), coarse checks of the triangles
// of mode 2, stops that paint nothing, and long gradient texts parsed in one pass.
#include <gtest/gtest.h>

#include <chrono>

#include "framework/rtl/exceptions.h"
#include "skin/engine/gradients.h"
#include "support/skin_paint_fixture.h"

namespace {

using namespace testing_paint;
using test_skins::PixelOf;

skin::TkGradArray Stops(const std::string& text) {
  skin::TkGradArray stops;
  skin::ParseGradientData(text, stops);
  return stops;
}

const std::vector<int> kBlackToRed = {0, 28, 57, 85, 113, 142, 170, 198, 227, 255};

TEST(SkinGradient, VerticalAndHorizontalSteps) {
  auto bmp = Filled(6, 12);
  skin::PaintGradient(bmp.get(), fw::TRect(1, 1, 5, 11), Stops("0;255;100;0;0"));
  for (int y = 0; y < 10; ++y) {
    EXPECT_EQ(PixelOf(*bmp, 1, y + 1), kBlackToRed[y]) << y;
    EXPECT_EQ(PixelOf(*bmp, 4, y + 1), kBlackToRed[y]) << y;
  }
  EXPECT_TRUE(CanaryOutside(*bmp, fw::TRect(1, 1, 5, 11)));

  bmp = Filled(12, 4);
  skin::PaintGradient(bmp.get(), fw::TRect(2, 0, 12, 3), Stops("0;255;100;1;0"));
  for (int x = 0; x < 10; ++x)
    for (int y = 0; y < 3; ++y) EXPECT_EQ(PixelOf(*bmp, x + 2, y), kBlackToRed[x]) << x << "," << y;
  EXPECT_TRUE(CanaryOutside(*bmp, fw::TRect(2, 0, 12, 3)));

  // Four fields are no stop; an unknown mode paints nothing.
  bmp = Filled(6, 6);
  skin::PaintGradient(bmp.get(), fw::TRect(0, 0, 6, 6), Stops("0;255;100;0"));
  skin::PaintGradient(bmp.get(), fw::TRect(0, 0, 6, 6), Stops("0;255;100;3;0"));
  EXPECT_TRUE(CanaryOutside(*bmp, fw::TRect()));
}

TEST(SkinGradient, StopsShareRowsAndTheLastIsStretched) {
  // Black to red over the top half, blue to green below: row 5 belongs to both and is blue.
  auto bmp = Filled(4, 10);
  skin::PaintGradient(bmp.get(), fw::TRect(0, 0, 4, 10), Stops("0;255;50;0;0;16711680;65280;50;0;0"));
  EXPECT_EQ(PixelOf(*bmp, 0, 0), 0);
  EXPECT_EQ(PixelOf(*bmp, 0, 4), 204);
  EXPECT_EQ(PixelOf(*bmp, 0, 5), 0xFF0000);
  EXPECT_EQ(PixelOf(*bmp, 0, 9), 0x00FF00);
  // Percentages under 100 still reach the last row and column.
  bmp = Filled(10, 10);
  skin::PaintGradient(bmp.get(), fw::TRect(0, 0, 10, 10), Stops("0;255;20;0;0;255;16711680;20;0;0"));
  EXPECT_EQ(PixelOf(*bmp, 3, 9), 0xFF0000);
  EXPECT_EQ(PixelOf(*bmp, 3, 2), 255);
  bmp = Filled(10, 10);
  skin::PaintGradient(bmp.get(), fw::TRect(0, 0, 10, 10), Stops("0;255;20;1;0;255;16711680;20;1;0"));
  EXPECT_EQ(PixelOf(*bmp, 9, 3), 0xFF0000);
  EXPECT_EQ(PixelOf(*bmp, 2, 3), 255);
}

TEST(SkinGradient, ParsingKeepsAHundredStopsInOnePass) {
  // 20,000 stops parse at once (a word found by scanning from the start each time took minutes);
  // the first hundred are kept.
  std::string text;
  for (int i = 0; i < 20000; ++i) text += std::to_string(i) + ";;2;1;0;0;";
  const auto start = std::chrono::steady_clock::now();
  const skin::TkGradArray stops = Stops(text);
  EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 1.0);
  ASSERT_EQ(stops.size(), 100u);
  EXPECT_EQ(stops[99].Color1, 99);
  EXPECT_EQ(stops[99].Color2, 2);
  EXPECT_EQ(stops[99].Mode, 0);
  // The percent is held to 0..100; what lies beyond the hundredth stop is not read.
  EXPECT_EQ(Stops("1;2;-5;0;0")[0].Percent, 0);
  EXPECT_EQ(Stops("1;2;300;0;0")[0].Percent, 100);
  EXPECT_EQ(Stops(text + "x;x;x;x;x").size(), 100u);
  EXPECT_THROW(Stops("1;2;3;0;0;4;x;1;0;0"), fw::EConvertError);
}

TEST(SkinGradient, ClippingAndOffsets) {
  // A rectangle larger than the bitmap is cut to it.
  auto bmp = Filled(10, 10);
  skin::PaintGradient(bmp.get(), fw::TRect(-5, -5, 100, 100), Stops("0;255;100;0;0"));
  EXPECT_EQ(PixelOf(*bmp, 0, 0), 0);
  EXPECT_EQ(PixelOf(*bmp, 9, 9), 255);
  EXPECT_EQ(PixelOf(*bmp, 5, 4), 113);
  skin::PaintGradient(bmp.get(), fw::TRect(-5, -5, 100, 100), Stops("0;255;100;1;0"));
  EXPECT_EQ(PixelOf(*bmp, 9, 0), 255);
  // A negative offset starts above the rectangle and writes only its rows.
  bmp = Filled(10, 20);
  skin::PaintGradient(bmp.get(), fw::TRect(0, 5, 10, 15), Stops("0;255;100;0;0"), -4);
  EXPECT_TRUE(CanaryOutside(*bmp, fw::TRect(0, 5, 10, 15)));
  EXPECT_EQ(PixelOf(*bmp, 0, 5), 78);  // rows 1..14 run from black to red: 255 * 4 / 13
  EXPECT_EQ(PixelOf(*bmp, 0, 14), 255);
  // A positive one starts lower; the rows above stay.
  bmp = Filled(10, 20);
  skin::PaintGradient(bmp.get(), fw::TRect(0, 5, 10, 15), Stops("0;255;100;0;0"), 3);
  EXPECT_EQ(PixelOf(*bmp, 0, 7), kCanary);
  EXPECT_EQ(PixelOf(*bmp, 0, 8), 0);
  EXPECT_EQ(PixelOf(*bmp, 0, 14), 255);
  // Bitmaps under 2 x 2 and empty rectangles are left alone.
  auto flat = Filled(10, 1);
  skin::PaintGradient(flat.get(), fw::TRect(0, 0, 10, 1), Stops("0;255;100;0;0"));
  EXPECT_EQ(CountColour(*flat, fw::TRect(0, 0, 10, 1), kCanary), 10);
  skin::PaintGradient(bmp.get(), fw::TRect(30, 30, 40, 40), Stops("0;255;100;0;0"));
  skin::PaintGradient(bmp.get(), fw::TRect(5, 5, 5, 9), Stops("0;255;100;1;0"));
  EXPECT_EQ(PixelOf(*bmp, 0, 7), kCanary);
}

TEST(SkinGradient, TrianglesAndColourBytes) {
  auto bmp = Filled(40, 40);
  skin::PaintGradient(bmp.get(), fw::TRect(0, 0, 40, 40), Stops("255;0;100;2;0;16711680;0;0;2;0"));
  const fw::TColor corner = PixelOf(*bmp, 1, 1), centre = PixelOf(*bmp, 20, 20), opposite = PixelOf(*bmp, 38, 38);
  EXPECT_GT(corner & 0xFF, 180);
  EXPECT_LT(corner >> 16 & 0xFF, 80);
  EXPECT_GT(centre >> 16 & 0xFF, 180);
  EXPECT_GT(opposite >> 16 & 0xFF, 180);  // the later vertices repeat the last stop's colour
  unsigned char bgr[3];
  skin::ColorToBGR(0x112233, bgr);
  EXPECT_EQ(bgr[0], 0x11);
  EXPECT_EQ(bgr[1], 0x22);
  EXPECT_EQ(bgr[2], 0x33);
}

}  // namespace
