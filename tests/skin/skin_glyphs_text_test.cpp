// Glyphs, skinned text and the small routines: captions cut and written on the same DC they are
// measured on (emboss and contour passes counted by colour), colour mixing, whole-bitmap
// blends, button and skin glyphs in every state, image-list images, soft shapes, bevel lines
// and focus dots, exact to the pixel.
#include <gtest/gtest.h>

#include <set>

#include "framework/graphics/image_list.h"
#include "framework/rtl/wide_text.h"
#include "framework/stdctrls/text_painter.h"
#include "skin/engine/glyphs_text.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/stored_skins.h"
#include "support/skin_paint_fixture.h"

namespace {

using namespace testing_paint;
using test_skins::Picture;
using test_skins::PixelOf;

fw::TColor Grey(int v) { return v | v << 8 | v << 16; }

class SkinGlyphsText : public SkinPaintTest {};

TEST_F(SkinGlyphsText, CutTextToWidthOnTheSameDC) {
  auto bmp = Filled(200, 40);
  fw::TCanvas* canvas = bmp->GetCanvas();
  std::string result = "old";
  skin::CutTextToWidth(canvas, "Caption text", 0, result);
  EXPECT_EQ(result, "");
  const std::string text = "Caption text";
  const int full = canvas->TextWidth(text);
  skin::CutTextToWidth(canvas, text, full, result);
  EXPECT_EQ(result, text);  // fits: no "..."
  skin::CutTextToWidth(canvas, text, full - 1, result);
  ASSERT_GE(result.size(), 4u);
  EXPECT_EQ(result.substr(result.size() - 3), "...");
  EXPECT_LE(canvas->TextWidth(result), full - 1);
  EXPECT_EQ(text.rfind(result.substr(0, result.size() - 3), 0), 0u);
  // Whole characters go: the result stays valid UTF-8.
  const std::string wide = "\u00DCn\u00EFc\u00F8d\u00E9 \u65E5\u672C\u8A9E";
  for (int width = 1; width < canvas->TextWidth(wide); width += 3) {
    skin::CutTextToWidth(canvas, wide, width, result);
    EXPECT_EQ(fw::ValidUtf8(result), result) << width;
    if (!result.empty()) {
      EXPECT_LE(canvas->TextWidth(result), width);
    }
  }
  // A width smaller than "..." leaves nothing.
  skin::CutTextToWidth(canvas, text, 2, result);
  EXPECT_EQ(result, "");
  // The extent of a font on a screen DC is the canvas's with the same font.
  const fw::TSize size = skin::TextExtentOfFont(canvas->GetFont()->GetHandle(), wide);
  EXPECT_EQ(size.cx, canvas->TextWidth(wide));
  EXPECT_EQ(skin::TextExtentOfFont(nullptr, wide).cx, 0);
}

TEST_F(SkinGlyphsText, EmbossedAndContouredPasses) {
  LoadSkin(Picture(4, 4), {{"GLOBALINFO", ""}, {"LABEL", ""}}, [](skin::TkStoredSkin& stored) {
    auto* label = static_cast<skin::TkSkinGeneral*>(stored.GetGeneralData()->GetItem(1));
    label->SetFontColor("0 -1 255 -1 16711680");  // black; top red, bottom blue
    label->SetHotFontColor("65280 -1 -1 -1 -1");
  });
  const int section = manager->GetSkinIndex("LABEL");
  const std::string text = "Wg";
  // One pass in the canvas font's colour: the pixels of the text.
  auto single = Filled(60, 30, 0xFFFFFF);
  single->GetCanvas()->GetFont()->SetColor(0);
  fw::TRect r(5, 5, 55, 25);
  skin::WriteTextPlain(single->GetCanvas(), text, true, DT_CENTER | DT_SINGLELINE, r);
  EXPECT_EQ(r.Width(), single->GetCanvas()->TextWidth(text) + 2);  // fitted, grown by one pixel
  std::set<std::pair<int, int>> ink;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 60; ++x)
      if (PixelOf(*single, x, y) != 0xFFFFFF) ink.insert({x, y});
  ASSERT_FALSE(ink.empty());
  for (auto [x, y] : ink) ASSERT_EQ(PixelOf(*single, x, y), 0) << "text painted with other shades";

  // Contours top and bottom, then the main colour: three passes, in that order.
  auto contoured = Filled(60, 30, 0xFFFFFF);
  r = fw::TRect(5, 5, 55, 25);
  skin::WriteTextColored(contoured->GetCanvas(), text, true, manager, false, section, DT_CENTER | DT_SINGLELINE, r);
  auto disabled = Filled(60, 30, 0xFFFFFF);
  r = fw::TRect(5, 5, 55, 25);
  skin::WriteTextColored(disabled->GetCanvas(), text, false, manager, false, section, DT_CENTER | DT_SINGLELINE, r);
  const fw::TColor light = fw::ColorToRGB(fw::clBtnHighlight), shadow = fw::ColorToRGB(fw::clBtnShadow);
  for (int y = 1; y < 29; ++y)
    for (int x = 1; x < 59; ++x) {
      const bool at = ink.count({x, y}), above = ink.count({x, y + 1}), below = ink.count({x, y - 1});
      const fw::TColor want = at ? 0 : below ? 0xFF0000 : above ? 0x0000FF : 0xFFFFFF;
      EXPECT_EQ(PixelOf(*contoured, x, y), want) << x << "," << y;
      // Disabled: the highlight one pixel right and down, the shadow on top in place.
      const bool lit = ink.count({x - 1, y - 1});
      const fw::TColor embossed = at ? shadow : lit ? light : 0xFFFFFF;
      EXPECT_EQ(PixelOf(*disabled, x, y), embossed) << x << "," << y;
    }
  // Hot takes the hot set: one pass in green.
  auto hot = Filled(60, 30, 0xFFFFFF);
  r = fw::TRect(5, 5, 55, 25);
  skin::WriteTextColored(hot->GetCanvas(), text, true, manager, true, section, DT_CENTER | DT_SINGLELINE, r);
  EXPECT_EQ(CountColour(*hot, fw::TRect(0, 0, 60, 30), 0x00FF00), static_cast<int>(ink.size()));
  EXPECT_EQ(CountColour(*hot, fw::TRect(0, 0, 60, 30), 0xFFFFFF), 60 * 30 - static_cast<int>(ink.size()));
}

// A left or right aligned caption lies in its rectangle as the text would alone, at the left or
// right edge, centred in height: no column lost at the edge and nothing moved.
TEST_F(SkinGlyphsText, AlignedTextKeepsItsEdgeColumns) {
  const std::string text = "Of files";
  auto ink = [](const fw::TBitmap& bmp) {
    std::set<std::pair<int, int>> set;
    for (int y = 0; y < bmp.GetHeight(); ++y)
      for (int x = 0; x < bmp.GetWidth(); ++x)
        if (PixelOf(bmp, x, y) != 0xFFFFFF) set.insert({x, y});
    return set;
  };
  for (unsigned align : {DT_LEFT, DT_RIGHT}) {
    SCOPED_TRACE(align == DT_LEFT ? "left" : "right");
    auto alone = Filled(80, 30, 0xFFFFFF), written = Filled(80, 30, 0xFFFFFF);
    const fw::TSize size = alone->GetCanvas()->TextExtent(text);
    const fw::TRect r(10, 5, 70, 25);
    const int left = align == DT_LEFT ? r.Left : r.Right - size.cx;
    SetBkMode(alone->GetCanvas()->GetHandle(), TRANSPARENT);
    RECT at{left, r.Top + (r.Height() - size.cy) / 2, left + size.cx, 0};
    at.bottom = at.top + size.cy;
    fw::DrawTextUtf8(alone->GetCanvas()->GetHandle(), text, at, DT_SINGLELINE | DT_NOCLIP);
    const auto expected = ink(*alone);
    ASSERT_FALSE(expected.empty());
    fw::TRect out = r;
    skin::WriteTextPlain(written->GetCanvas(), text, true, align | DT_SINGLELINE | DT_VCENTER, out);
    EXPECT_TRUE(ink(*written) == expected) << "the text moved or lost pixels";
    EXPECT_EQ(out, fw::TRect(left - 1, at.top - 1, left + size.cx + 1, at.bottom + 1)) << "fitted, grown by one pixel";
  }
}

TEST_F(SkinGlyphsText, ColourMixing) {
  EXPECT_EQ(skin::AverageColors(0xFFFFFF, 0), Grey(126));
  EXPECT_EQ(skin::AverageColors(0, 0xFFFFFF), Grey(128));
  EXPECT_EQ(skin::MixChannelsHalf(0x0000FF, 0xFF0000), 0x80007E);
  EXPECT_EQ(skin::MixColorsByFactor(0x123456, 0xABCDEF, 1), 0x123456);
  EXPECT_EQ(skin::MixColorsByFactor(0x123456, 0xABCDEF, 0), 0xABCDEF);
  EXPECT_EQ(skin::MixColorsByFactor(0xFFFFFF, 0, 0.5), Grey(128));
  EXPECT_EQ(skin::ColorValue(fw::clBtnFace), fw::clBtnFace);
}

TEST_F(SkinGlyphsText, WholeBitmapBlends) {
  auto dst = Filled(4, 4, 0), src = Filled(4, 5, 0xFFFFFF);
  skin::BlendBitmapsPercent(dst.get(), src.get(), 0);
  EXPECT_EQ(CountColour(*dst, fw::TRect(0, 0, 4, 4), 0), 16);  // heights differ: nothing
  src = Filled(4, 4, 0xFFFFFF);
  skin::BlendBitmapsPercent(dst.get(), src.get(), 128);
  EXPECT_EQ(PixelOf(*dst, 3, 3), Grey(127));  // (255 * 127 + 0 + 127) shr 8
  // A rectangle laid at a negative point loses its overshoot; the rest is cut to both bitmaps.
  dst = Filled(6, 6, 0);
  Picture picture(5, 5, 0xFFFFFF);
  picture.Set(1, 1, 0x0000FF);
  src = FromPicture(picture);
  skin::BlendBitmapsRect(dst.get(), src.get(), 0, fw::Point(-1, -1), fw::TRect(0, 0, 5, 5));
  EXPECT_EQ(PixelOf(*dst, 0, 0), 0x0000FE);
  EXPECT_EQ(PixelOf(*dst, 3, 3), Grey(254));
  EXPECT_EQ(PixelOf(*dst, 4, 4), 0);
  dst = Filled(6, 6, 0);
  skin::BlendTransRectangle(dst.get(), src.get(), 0, fw::Point(4, 4), fw::TRect(1, 1, 9, 9));
  EXPECT_EQ(PixelOf(*dst, 4, 4), 0x0000FE);
  EXPECT_EQ(PixelOf(*dst, 5, 5), Grey(254));
  EXPECT_EQ(PixelOf(*dst, 3, 3), 0);
  EXPECT_EQ(CountColour(*dst, fw::TRect(0, 0, 6, 6), 0), 32);

  auto made = skin::CreateBitmap24(7, 3);
  EXPECT_EQ(made->GetPixelFormat(), fw::pf24bit);
  EXPECT_EQ(made->GetWidth(), 7);
  EXPECT_EQ(skin::CreateBitmap24As(src.get())->GetHeight(), 5);
  skin::FillDCRect(made->GetCanvas()->GetHandle(), fw::TRect(1, 1, 3, 2), 0x123456);
  EXPECT_EQ(CountColour(*made, fw::TRect(0, 0, 7, 3), 0x123456), 2);
  EXPECT_EQ(PixelOf(*made, 1, 1), 0x123456);
}

TEST_F(SkinGlyphsText, ButtonGlyphsInEveryState) {
  // 4 x 4 of (10, 20, 31) whose bottom-left pixel, green, is its transparent colour.
  Picture one(4, 4, 0x1F140A);
  one.Fill(0, 3, 2, 1, 0x00FF00);
  auto glyph = FromPicture(one);
  const fw::TColor grey = Grey(20), half = 0x746E69;  // (10, 20, 31) halfway to 200: 105, 110, 115.5 -> 116
  struct Case { int blend; bool hot; skin::TkDisabledKind kind; bool grayed; bool enabled; fw::TColor want; };
  const Case cases[] = {
      {0, false, {}, false, true, 0x1F140A},  {0, false, {}, true, true, grey},     {0, true, {}, true, true, 0x1F140A},
      {50, false, {}, false, true, half}, {50, true, {}, false, true, 0x1F140A},
      {0, false, skin::TkDisabledKind{skin::dkGrayed}, false, false, grey},
      {0, false, skin::TkDisabledKind{skin::dkBlended}, false, false, half},
      {0, false, {}, false, false, 0x1F140A},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.blend << c.hot << c.grayed << c.enabled);
    auto dst = Filled(8, 8, Grey(200));
    skin::DrawGlyphBitmap(glyph.get(), dst.get(), fw::Point(2, 2), c.blend, c.hot, c.kind, c.grayed, c.enabled, 1);
    EXPECT_EQ(PixelOf(*dst, 5, 2), c.want);
    EXPECT_EQ(PixelOf(*dst, 2, 5), Grey(200));  // transparent
    EXPECT_EQ(PixelOf(*dst, 3, 5), Grey(200));
    EXPECT_EQ(PixelOf(*dst, 4, 5), c.want);
    EXPECT_EQ(PixelOf(*dst, 6, 2), Grey(200));
  }
  // Two frames: the first enabled (blended when not hot), the second disabled.
  Picture two(8, 4, 0x0000FF);
  two.Fill(4, 0, 4, 4, 0xFF0000);
  two.Set(0, 3, 0x00FF00);
  two.Set(4, 3, 0x00FF00);
  glyph = FromPicture(two);
  auto dst = Filled(10, 10, 0);
  skin::DrawGlyphBitmap(glyph.get(), dst.get(), fw::Point(1, 1), 0, false, {}, false, true, 2);
  EXPECT_EQ(PixelOf(*dst, 4, 1), 0x0000FF);
  EXPECT_EQ(PixelOf(*dst, 5, 1), 0);
  EXPECT_EQ(PixelOf(*dst, 1, 4), 0);
  skin::DrawGlyphBitmap(glyph.get(), dst.get(), fw::Point(1, 1), 0, false, {}, false, false, 2);
  EXPECT_EQ(PixelOf(*dst, 4, 1), 0xFF0000);
  dst = Filled(10, 10, 0);
  skin::DrawGlyphBitmap(glyph.get(), dst.get(), fw::Point(1, 1), 50, false, {}, false, true, 2);
  EXPECT_EQ(PixelOf(*dst, 2, 2), 0x000080);
  // An empty glyph draws nothing.
  fw::TBitmap empty;
  dst = Filled(10, 10);
  for (int frames : {1, 2})
    skin::DrawGlyphBitmap(&empty, dst.get(), fw::Point(1, 1), 50, false, skin::TkDisabledKind{skin::dkBlended}, true, false, frames);
  EXPECT_TRUE(CanaryOutside(*dst, fw::TRect()));
}

TEST_F(SkinGlyphsText, SkinGlyphsAndImageListImages) {
  // 6 x 6 of grey 200 over a mask row 0, 0, 128, 128, 255, 255; $FF00FF corners.
  auto src = FromPicture(test_skins::MaskPicture({Grey(200)}, 6, 6));
  auto dst = Filled(10, 10, Grey(100));
  skin::PaintSkinGlyph(fw::TRect(2, 2, 8, 8), fw::TRect(0, 0, 6, 6), dst.get(), true, skin::EmptyBgRef, src.get());
  EXPECT_EQ(PixelOf(*dst, 2, 2), Grey(100));
  EXPECT_EQ(PixelOf(*dst, 3, 2), Grey(200));
  EXPECT_EQ(PixelOf(*dst, 4, 3), Grey(150));
  EXPECT_EQ(PixelOf(*dst, 6, 3), Grey(100));
  EXPECT_EQ(PixelOf(*dst, 8, 3), Grey(100));
  auto parent = Filled(20, 20, 0x0A0B0C);
  skin::TkBgRef bg;
  skin::InitBgRef(bg, parent.get(), 3, 3);
  skin::PaintSkinGlyph(fw::TRect(2, 2, 8, 8), fw::TRect(0, 0, 6, 6), dst.get(), true, bg, src.get());
  EXPECT_EQ(PixelOf(*dst, 7, 7), 0x0A0B0C);
  skin::PaintSkinGlyph(fw::TRect(-3, -3, 3, 3), fw::TRect(0, 0, 6, 6), dst.get(), false, bg, src.get());
  EXPECT_EQ(PixelOf(*dst, 0, 0), Grey(150));
  EXPECT_EQ(PixelOf(*dst, 2, 2), 0x0A0B0C);  // its own $FF00FF corner is left out

  auto list = fw::New<fw::TImageList>(nullptr);
  list->SetWidth(4);
  list->SetHeight(4);
  Picture picture(4, 4, 0x00FF00);
  picture.Fill(1, 1, 2, 2, 0x102030);
  auto image = FromPicture(picture);
  ASSERT_EQ(list->AddMasked(image.get(), 0x00FF00), 0);
  fw::TBitmap bmp;
  skin::CopyImageListImage(&bmp, list, 0);
  EXPECT_EQ(bmp.GetWidth(), 4);
  EXPECT_EQ(PixelOf(bmp, 0, 0), test_skins::kFuchsia);
  EXPECT_EQ(PixelOf(bmp, 1, 1), 0x102030);
  list->SetBkColor(0x0000FF);
  skin::CopyImageListImage(&bmp, list, 0);
  EXPECT_EQ(PixelOf(bmp, 3, 3), 0x0000FF);
  list->Free();
}

TEST_F(SkinGlyphsText, ShapesBevelsAndFocusDots) {
  auto bmp = Filled(20, 20);
  const fw::TRect r(4, 4, 16, 16);
  skin::PaintShapeGlyph(bmp.get(), r, 0, 3, 2, 0x0000FF);
  EXPECT_EQ(PixelOf(*bmp, 10, 10), 0x0000FF);  // opaque in the centre
  EXPECT_TRUE(CanaryOutside(*bmp, r));
  EXPECT_NE(PixelOf(*bmp, 4, 10), 0x0000FF);  // fading towards the edge
  EXPECT_NE(PixelOf(*bmp, 4, 10), kCanary);
  bmp = Filled(20, 20, 0);
  skin::PaintShapeGlyph(bmp.get(), fw::TRect(-10, -10, 40, 40), 60, 0, 0, 0xFFFFFF);
  EXPECT_EQ(PixelOf(*bmp, 10, 10), Grey(102));  // 40 % of white over black
  EXPECT_EQ(PixelOf(*bmp, 0, 19), Grey(102));

  bmp = Filled(12, 12);
  fw::TRect bevel(2, 2, 10, 10);
  skin::DrawBevelLines(bmp->GetCanvas()->GetHandle(), bevel, 1, 0xFFFFFF, 0);
  GdiFlush();
  EXPECT_EQ(bevel, fw::TRect(3, 3, 9, 9));
  EXPECT_EQ(CountColour(*bmp, fw::TRect(0, 0, 12, 12), 0xFFFFFF), 13);
  EXPECT_EQ(CountColour(*bmp, fw::TRect(0, 0, 12, 12), 0), 15);
  EXPECT_EQ(PixelOf(*bmp, 2, 2), 0xFFFFFF);
  EXPECT_EQ(PixelOf(*bmp, 2, 9), 0);
  EXPECT_EQ(PixelOf(*bmp, 9, 2), 0);
  EXPECT_TRUE(CanaryOutside(*bmp, fw::TRect(2, 2, 10, 10)));
  EXPECT_EQ(CountColour(*bmp, fw::TRect(3, 3, 9, 9), kCanary), 36);

  bmp = Filled(14, 12);
  skin::DrawFocusDots(bmp->GetCanvas(), fw::TRect(2, 2, 11, 8));
  GdiFlush();
  std::set<std::pair<int, int>> black, white;
  for (int x : {2, 5, 8, 11})
    for (int y : {2, 8}) black.insert({x, y});
  for (int y : {2, 5, 8}) black.insert({2, y}), black.insert({11, y});
  for (int x : {1, 4, 7, 10})
    for (int y : {1, 7}) white.insert({x, y});
  for (int y : {1, 4, 7}) white.insert({1, y}), white.insert({10, y});
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 14; ++x)
      EXPECT_EQ(PixelOf(*bmp, x, y), black.count({x, y}) ? 0 : white.count({x, y}) ? 0xFFFFFF : kCanary) << x << "," << y;
}

}  // namespace
