// The glyph routines of the skinned buttons: the glyph's place for every layout and alignment,
// glyph bitmaps and image-list images drawn in each look (hot, grey, translucent, disabled
// blended or grey) with their transparent colour left out, the two-frame framework glyph made
// from an image list, and the tool-button glyph's list and position.
#include <gtest/gtest.h>

#include "framework/graphics/image_list.h"
#include "skin/controls/button_glyphs.h"
#include "skin/engine/glyphs_text.h"
#include "support/skin_paint_fixture.h"

namespace {

using namespace testing_paint;
using test_skins::Picture;
using test_skins::PixelOf;

constexpr fw::TColor kInk = 0x306090, kInkGrey = 0x606060;  // (0x30 + 0x60 + 0x90) / 3
constexpr fw::TColor kKey = 0x00FF00;

fw::TColor Grey(int v) { return v | v << 8 | v << 16; }

// A size x size picture of the colour framed by one pixel of kKey.
Picture Framed(int size, fw::TColor colour) {
  Picture p(size, size, kKey);
  p.Fill(1, 1, size - 2, size - 2, colour);
  return p;
}

class ButtonGlyphs : public SkinPaintTest {
 protected:
  void TearDown() override {
    fw::Free(list);
    SkinPaintTest::TearDown();
  }
  // A list of 6 x 6 images, each a framed square of the colour, the frame transparent.
  void MakeList(std::initializer_list<fw::TColor> colours) {
    list = fw::New<fw::TImageList>(nullptr);
    list->SetWidth(6);
    list->SetHeight(6);
    for (fw::TColor c : colours) list->AddMasked(FromPicture(Framed(6, c)).get(), kKey);
  }
  // The source drawn at (2, 2) over grey 100; returns the target.
  std::unique_ptr<fw::TBitmap> Drawn(const skin::TkGlyphSource& source, bool speed = false) {
    auto dst = Filled(12, 12, Grey(100));
    const fw::TRect at(2, 2, 8, 8);
    if (speed)
      skin::DrawSpeedButtonGlyph(source, dst.get(), at);
    else
      skin::DrawBitBtnGlyph(source, dst.get(), at);
    return dst;
  }
  fw::TImageList* list = nullptr;
};

TEST(GlyphRect, EveryLayoutAndAlignment) {
  // 100 x 40 button, 16 x 16 glyph, 30 x 12 caption, Margin 2 (5 with the inset), Spacing 4:
  // the free width is 50, so the centred block starts 25 in.
  skin::TkGlyphLayout l;
  l.Width = 100, l.Height = 40, l.Glyph = {16, 16}, l.Text = {30, 12}, l.Margin = 2, l.Spacing = 4;
  auto at = [&](fw::TButtonLayout layout, fw::TAlignment alignment) {
    l.Layout = layout, l.Alignment = alignment;
    return skin::GlyphRect(l).TopLeft();
  };
  EXPECT_EQ(at(fw::blGlyphLeft, fw::taLeftJustify), fw::TPoint(5, 12));
  EXPECT_EQ(at(fw::blGlyphLeft, fw::taCenter), fw::TPoint(25, 12));
  EXPECT_EQ(at(fw::blGlyphLeft, fw::taRightJustify), fw::TPoint(45, 12));
  EXPECT_EQ(at(fw::blGlyphRight, fw::taLeftJustify), fw::TPoint(35, 12));
  EXPECT_EQ(at(fw::blGlyphRight, fw::taCenter), fw::TPoint(59, 12));  // after the caption 25 + 30 + 4
  EXPECT_EQ(at(fw::blGlyphRight, fw::taRightJustify), fw::TPoint(79, 12));
  EXPECT_EQ(at(fw::blGlyphTop, fw::taCenter), fw::TPoint(43, 4));
  EXPECT_EQ(at(fw::blGlyphBottom, fw::taCenter), fw::TPoint(43, 20));
  l.Down = true;
  EXPECT_EQ(skin::GlyphRect(l), fw::TRect(44, 21, 60, 37));
  l.Down = false;
  // No caption shown: no spacing; Margin -1: no inset.
  l.Spaced = false;
  EXPECT_EQ(at(fw::blGlyphLeft, fw::taCenter), fw::TPoint(27, 12));
  l.Spaced = true, l.Margin = -1;
  EXPECT_EQ(at(fw::blGlyphLeft, fw::taCenter), fw::TPoint(25, 12));
  EXPECT_EQ(at(fw::blGlyphLeft, fw::taLeftJustify), fw::TPoint(0, 12));
}

TEST_F(ButtonGlyphs, GlyphBitmapLooks) {
  auto glyph = FromPicture(Framed(6, kInk));
  skin::TkGlyphSource s;
  s.Glyph = glyph.get();
  EXPECT_EQ(s.Size().cx, 6);
  auto dst = Drawn(s);
  EXPECT_EQ(PixelOf(*dst, 4, 4), kInk);
  EXPECT_EQ(PixelOf(*dst, 2, 2), Grey(100));  // the glyph's bottom-left colour is transparent
  s.Grayed = true;
  EXPECT_EQ(PixelOf(*Drawn(s), 4, 4), kInkGrey);
  s.Hot = true;
  EXPECT_EQ(PixelOf(*Drawn(s), 4, 4), kInk);  // hot: in colour
  auto pale = FromPicture(Framed(6, Grey(200)));
  s = skin::TkGlyphSource();
  s.Glyph = pale.get();
  s.Blend = 25;
  EXPECT_EQ(PixelOf(*Drawn(s), 4, 4), Grey(175));
  s.Hot = true;
  EXPECT_EQ(PixelOf(*Drawn(s), 4, 4), Grey(200));
  s.Hot = false, s.Enabled = false;
  EXPECT_EQ(PixelOf(*Drawn(s), 4, 4), Grey(150));  // disabled: half
}

TEST_F(ButtonGlyphs, ImageListLooks) {
  MakeList({kInk, Grey(200)});
  skin::TkGlyphSource s;
  s.Images = list;
  s.ImageIndex = 0;
  EXPECT_EQ(skin::ImagesCount(list), 2);
  EXPECT_EQ(skin::ImagesCount(nullptr), 0);
  EXPECT_EQ(s.Size().cx, 6);
  for (bool speed : {false, true}) {
    auto dst = Drawn(s, speed);
    EXPECT_EQ(PixelOf(*dst, 4, 4), kInk) << speed;
    EXPECT_EQ(PixelOf(*dst, 2, 2), Grey(100)) << speed;  // the list's background is transparent
    EXPECT_EQ(PixelOf(*dst, 2, 7), Grey(100)) << speed;
  }
  s.Grayed = true;
  auto grey = Drawn(s);
  EXPECT_EQ(PixelOf(*grey, 4, 4), kInkGrey);
  EXPECT_EQ(PixelOf(*grey, 2, 2), Grey(100));
  EXPECT_EQ(PixelOf(*Drawn(s, true), 4, 4), kInkGrey);
  s.Hot = true;
  EXPECT_EQ(PixelOf(*Drawn(s), 4, 4), kInk);

  // Disabled: blended by half, grey, both, or neither.
  s.Hot = false, s.Grayed = false, s.Enabled = false;
  s.ImageIndex = 1;
  EXPECT_EQ(PixelOf(*Drawn(s), 4, 4), Grey(150));
  s.ImageIndex = 0;
  s.DisabledGlyphKind = {skin::dgGrayed};
  EXPECT_EQ(PixelOf(*Drawn(s), 4, 4), kInkGrey);
  s.DisabledGlyphKind = {};
  EXPECT_EQ(PixelOf(*Drawn(s), 4, 4), kInk);

  // Enabled with Blend, not hot.
  s = skin::TkGlyphSource();
  s.Images = list, s.ImageIndex = 1, s.Blend = 25;
  EXPECT_EQ(PixelOf(*Drawn(s), 4, 4), Grey(175));

  // An index outside the list draws nothing; a list background colour is transparent too.
  for (int index : {2, -1}) {
    s.ImageIndex = index;
    EXPECT_EQ(PixelOf(*Drawn(s), 4, 4), Grey(100)) << index;
  }
  list->SetBkColor(0x0000FF);
  s.ImageIndex = 0, s.Blend = 0;
  auto keyed = Drawn(s);
  EXPECT_EQ(PixelOf(*keyed, 4, 4), kInk);
  EXPECT_EQ(PixelOf(*keyed, 2, 2), Grey(100));
}

TEST_F(ButtonGlyphs, FrameworkGlyphFromAnImageList) {
  MakeList({kInk});
  fw::TBitmap glyph;
  EXPECT_EQ(skin::CopyListImageToGlyph(nullptr, 1, 1, {skin::dgBlended}, &glyph, list), 1);  // outside
  EXPECT_TRUE(glyph.GetEmpty());

  EXPECT_EQ(skin::CopyListImageToGlyph(nullptr, 0, 1, {}, &glyph, list), 2);
  ASSERT_EQ(glyph.GetWidth(), 12);
  ASSERT_EQ(glyph.GetHeight(), 6);
  EXPECT_EQ(PixelOf(glyph, 3, 3), kInk);
  EXPECT_EQ(PixelOf(glyph, 9, 3), kInk);  // the disabled frame is the same image
  EXPECT_EQ(PixelOf(glyph, 0, 5), test_skins::kFuchsia);

  const fw::TColor face = fw::ColorToRGB(fw::clBtnFace);
  EXPECT_EQ(skin::CopyListImageToGlyph(nullptr, 0, 1, {skin::dgBlended}, &glyph, list), 2);
  EXPECT_EQ(PixelOf(glyph, 3, 3), kInk);
  EXPECT_EQ(PixelOf(glyph, 9, 3), skin::MixColorsByFactor(kInk, face, 0.5));
  EXPECT_EQ(PixelOf(glyph, 6, 0), face);
  EXPECT_EQ(glyph.GetTransparentColor(), test_skins::kFuchsia);

  EXPECT_EQ(skin::CopyListImageToGlyph(nullptr, 0, 1, {skin::dgGrayed}, &glyph, list), 2);
  EXPECT_EQ(PixelOf(glyph, 3, 3), kInk);
  EXPECT_EQ(PixelOf(glyph, 9, 3), kInkGrey);
  EXPECT_EQ(PixelOf(glyph, 6, 0), face);
  EXPECT_EQ(PixelOf(glyph, 6, 5), test_skins::kFuchsia);  // the disabled frame's bottom-left pixel
}

TEST_F(ButtonGlyphs, ToolButtonGlyphListAndPlace) {
  MakeList({kInk});
  auto hot = fw::New<fw::TImageList>(nullptr);
  hot->SetWidth(6);
  hot->SetHeight(6);
  hot->AddMasked(FromPicture(Framed(6, Grey(200))).get(), kKey);
  const fw::TSize button{40, 36};
  skin::TkToolGlyph g = skin::PlaceToolButtonGlyph(list, hot, 0, true, false, button, false, 13, false);
  EXPECT_EQ(g.Images, hot);
  EXPECT_EQ(g.At, fw::TPoint(18, 7));  // (40 - 6) / 2 + 1, (36 - 6 - 16) / 2
  EXPECT_EQ(skin::PlaceToolButtonGlyph(list, hot, 1, true, false, button, false, 13, false).Images, list);
  EXPECT_EQ(skin::PlaceToolButtonGlyph(list, hot, 0, false, false, button, false, 13, false).Images, list);
  EXPECT_EQ(skin::PlaceToolButtonGlyph(list, hot, 0, false, false, button, false, 0, false).At, fw::TPoint(18, 15));
  EXPECT_EQ(skin::PlaceToolButtonGlyph(list, hot, 0, false, false, button, true, 0, true).At, fw::TPoint(11, 16));
  EXPECT_EQ(skin::PlaceToolButtonGlyph(list, hot, 0, false, true, button, false, 13, false).At, fw::TPoint(5, 15));

  auto dst = Filled(40, 36, Grey(100));
  skin::DrawToolButtonGlyph(g, 0, dst.get());
  EXPECT_EQ(PixelOf(*dst, 20, 9), Grey(200));
  EXPECT_EQ(PixelOf(*dst, 18, 7), Grey(100));
  hot->Free();
}

}  // namespace
