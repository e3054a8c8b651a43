// Skin images: the fixed-column, "!", "#" and plain forms, JPEG patterns and texture masks,
// stored images and patterns, CommonSections images, frame sizes and widths, picture formats
// and damaged files.
#include <gtest/gtest.h>

#include <set>

#include "framework/rtl/exceptions.h"
#include "framework/classes/mem_ini_file.h"
#include "framework/classes/streams.h"
#include "framework/classes/string_list.h"
#include "skin/engine/image_loader.h"
#include "skin/engine/skin_load_error.h"
#include "skin/engine/stored_skin_reader.h"
#include "skin/engine/stored_skins.h"
#include "support/sandbox.h"
#include "support/test_skins.h"

namespace {

using skin::TkMaskData;
using test_skins::Picture;

struct Loaded {
  skin::TkMaskArray Masks;
  skin::TkPatternArray Patterns;
  std::shared_ptr<fw::TBitmap> Master;
  skin::TkImageTables Tables{Masks, Patterns, Master, nullptr, ""};

  const TkMaskData& Mask(const std::string& section, const std::string& property) const {
    for (const auto& m : Masks)
      if (m.SectionName == section && m.PropertyName == property) return m;
    throw std::runtime_error("no mask " + section + "." + property);
  }
  bool HasMask(const std::string& section, const std::string& property) const {
    for (const auto& m : Masks)
      if (m.SectionName == section && m.PropertyName == property) return true;
    return false;
  }
};

// Loads masks and patterns of a skin folder written with the options and files.
std::unique_ptr<Loaded> LoadFolder(const std::string& options, const std::map<std::string, std::string>& files = {},
                                   const std::string& common = "") {
  auto loaded = std::make_unique<Loaded>();
  const std::string folder = test_skins::WriteSkinFolder(testing_sandbox::TestFolder(), "S", options, files);
  loaded->Tables.SkinPath = folder;
  fw::TMemIniFile file(folder + "Options.dat");
  fw::TStringList lines;
  lines.SetText(common);
  skin::LoadMasksFromFile(file, loaded->Tables);
  skin::MergeCommonMasks(lines, loaded->Tables);
  skin::LoadPatternsFromFile(file, loaded->Tables);
  skin::MergeCommonPatterns(lines, loaded->Tables);
  return loaded;
}

std::string LoadFailure(const std::string& options, const std::map<std::string, std::string>& files = {}) {
  try {
    LoadFolder(options, files);
  } catch (const skin::ESkinLoadError& e) {
    return e.GetWhere();
  }
  return "no error";
}

const Picture kMaster = [] {
  Picture p(120, 80, 0x808080);
  p.Fill(10, 20, 99, 59, 0x102030);
  p.Set(0, 0, test_skins::kFuchsia);
  return p;
}();

TEST(SkinImages, FixedColumnForms) {
  auto skin = LoadFolder(
      "[GLOBALINFO]\nMASTERBITMAP=master.bmp\nAUTHOR=someone\n"
      "[BUTTON]\nBORDERSMASK=^0010,0020,0109,0079,0000,0000,0000,0000,3,1,0,0\n"
      "ZERO=^0000,0000,0030,0030,0000,0000,0000,0000,0,0,0,0\n"
      "BORDERED=^0000,0000,0030,0030,0000,0000,0000,0000,3,1,0,4\n"
      "[TEX]\nSHORT=~0001,0002,0003,0004,05\nLONG=~0001,0002,0003,0004,07,1\n"
      "[GLYPH]\nBOXCHECKED=@0001,0002,0031,0012,3,1\nNONE=@0001,0002,0031,0012,0,0\n",
      {{"master.bmp", test_skins::Bmp24(kMaster)}});
  ASSERT_NE(skin->Master, nullptr);
  EXPECT_TRUE(test_skins::SamePixels(*skin->Master, kMaster));
  EXPECT_EQ(skin->Master->GetPixelFormat(), fw::pf24bit);
  EXPECT_TRUE(skin->Master->GetTransparent());
  EXPECT_EQ(skin->Master->GetTransparentColor(), fw::clFuchsia);
  EXPECT_EQ(skin->Masks.size(), 7u);

  const TkMaskData& m = skin->Mask("BUTTON", "BORDERSMASK");
  EXPECT_EQ(m.R, fw::TRect(10, 20, 109, 79));
  EXPECT_EQ(m.ImageCount, 3);
  EXPECT_EQ(m.MaskType, 1);
  EXPECT_EQ(m.StretchMode, 0);
  EXPECT_EQ(m.BorderWidth, 0);
  EXPECT_EQ(m.WL, 11);
  EXPECT_EQ(m.WR, 11);
  EXPECT_EQ(m.WT, 9);
  EXPECT_EQ(m.WB, 9);
  EXPECT_EQ(m.ImgType, skin::itisaBorder);
  EXPECT_EQ(m.Bmp, nullptr);
  fw::TSize frame = skin::MaskFrameSize(m);
  EXPECT_EQ(frame.cx, 33);
  EXPECT_EQ(frame.cy, 29);
  EXPECT_EQ(skin->Mask("BUTTON", "BORDERED").WL, 4);
  EXPECT_EQ(skin::MaskTopWidth(skin->Mask("BUTTON", "BORDERED")), 4);

  // ImageCount 0: loaded as read, without a division; frame size and widths 0 on demand.
  const TkMaskData& zero = skin->Mask("BUTTON", "ZERO");
  EXPECT_EQ(zero.ImageCount, 0);
  EXPECT_EQ(zero.WL, 10);  // filled with ImageCount taken as 1
  EXPECT_EQ(skin::MaskFrameSize(skin->Mask("GLYPH", "NONE")).cx, 0);
  EXPECT_EQ(skin::MaskLeftWidth(skin->Mask("GLYPH", "NONE")), 0);

  EXPECT_EQ(skin->Mask("TEX", "SHORT").MaskType, 0);
  EXPECT_EQ(skin->Mask("TEX", "SHORT").StretchMode, 5);
  EXPECT_EQ(skin->Mask("TEX", "SHORT").ImgType, skin::itisaTexture);
  EXPECT_EQ(skin->Mask("TEX", "LONG").MaskType, 1);
  EXPECT_EQ(skin->Mask("GLYPH", "BOXCHECKED").ImageCount, 3);
  EXPECT_EQ(skin->Mask("GLYPH", "BOXCHECKED").ImgType, skin::itisaGlyph);
  EXPECT_EQ(skin->Mask("GLYPH", "BOXCHECKED").WL, 0);
}

TEST(SkinImages, OwnBitmapForms) {
  const Picture frames = test_skins::MaskPicture({0x0000FF, 0x00FF00, 0xFF0000}, 30, 20);  // 90 x 40
  auto skin = LoadFolder(
      "[A]\nSMALL=!frame.bmp!1!0!1\nUPPER=!FRAME.BMP!1!1!7!2!3!4!5\nZERO=!FRAME.BMP!0!0!0\nPLAIN=frame.bmp\n"
      "MISSING=gone.bmp\nNOTBMP=frame.png\nTEXT=Some free text\nHASH=#\n",
      {{"frame.bmp", test_skins::Bmp24(frames)}});
  EXPECT_FALSE(skin->HasMask("A", "SMALL"));  // "!" keeps the name as written
  EXPECT_FALSE(skin->HasMask("A", "MISSING"));
  EXPECT_FALSE(skin->HasMask("A", "NOTBMP"));
  EXPECT_FALSE(skin->HasMask("A", "TEXT"));
  EXPECT_FALSE(skin->HasMask("A", "HASH"));

  const TkMaskData& upper = skin->Mask("A", "UPPER");
  ASSERT_NE(upper.Bmp, nullptr);
  EXPECT_TRUE(test_skins::SamePixels(*upper.Bmp, frames));
  EXPECT_EQ(upper.ImgType, skin::itisaBorder);  // type 7 is no type
  EXPECT_EQ(upper.R, fw::TRect(0, 0, 90, 40));
  EXPECT_EQ(upper.WL, 2);
  EXPECT_EQ(upper.WB, 5);
  fw::TSize frame = skin::MaskFrameSize(upper);  // always thirds and halves of an own bitmap
  EXPECT_EQ(frame.cx, 30);
  EXPECT_EQ(frame.cy, 20);
  EXPECT_EQ(skin->Mask("A", "ZERO").WL, 30);

  const TkMaskData& plain = skin->Mask("A", "PLAIN");
  EXPECT_EQ(plain.ImageCount, 3);
  EXPECT_EQ(plain.MaskType, 1);
  EXPECT_EQ(plain.WL, 10);
  EXPECT_EQ(plain.WT, 6);
  EXPECT_EQ(test_skins::PixelOf(*plain.Bmp, 0, 0), test_skins::kFuchsia);
  EXPECT_EQ(test_skins::PixelOf(*plain.Bmp, 31, 1), 0x00FF00);
  EXPECT_EQ(test_skins::PixelOf(*plain.Bmp, 15, 25), 0x808080);
  EXPECT_EQ(test_skins::PixelOf(*plain.Bmp, 25, 25), 0xFFFFFF);
}

TEST(SkinImages, RectangleFormAndCommonSections) {
  const std::string options =
      "[GLOBALINFO]\nMASTERBITMAP=master.bmp\n[B]\nBORDERSMASK=# (1,2,61,42) (3,1,2)\nPATTERN=# (0,0,9,9) (1,0,0,4)\n"
      "GLYPHMASK=# (0,0,30,10) (0,-1,-5)\n";
  const std::string common = "[C]\nBORDERSMASK=# (0,0,30,20) (3,1,0,2)\nOWN=frame.bmp\nBAD=^0000\n[GLOBALINFO]\nOWN=frame.bmp\n";
  const std::map<std::string, std::string> files = {{"master.bmp", test_skins::Bmp24(kMaster)},
                                                    {"frame.bmp", test_skins::Bmp24(Picture(9, 6, 0x123456))}};
  auto skin = LoadFolder(options, files, common);
  const TkMaskData& border = skin->Mask("B", "BORDERSMASK");
  EXPECT_EQ(border.R, fw::TRect(1, 2, 61, 42));
  EXPECT_EQ(border.BorderWidth, 2);
  EXPECT_EQ(border.WL, 2);
  EXPECT_EQ(border.StretchMode, 1);
  EXPECT_EQ(skin->Mask("B", "PATTERN").ImgType, skin::itisaTexture);
  EXPECT_EQ(skin->Mask("B", "PATTERN").StretchMode, 0);
  EXPECT_EQ(skin->Mask("B", "GLYPHMASK").ImageCount, 1);
  EXPECT_EQ(skin->Mask("B", "GLYPHMASK").MaskType, 0);
  EXPECT_EQ(skin->Mask("C", "BORDERSMASK").StretchMode, 2);
  const TkMaskData& own = skin->Mask("C", "OWN");
  EXPECT_EQ(own.ImageCount, 0);
  EXPECT_EQ(own.R, fw::TRect());
  EXPECT_EQ(own.Bmp->GetWidth(), 9);
  EXPECT_FALSE(skin->HasMask("C", "BAD"));
  EXPECT_FALSE(skin->HasMask("GLOBALINFO", "OWN"));

  // Without a master bitmap: "#" from the file still loads, from CommonSections it does not.
  auto bare = LoadFolder("[B]\nBORDERSMASK=# (1,2,61,42) (3,1,2)\n", files, common);
  EXPECT_TRUE(bare->HasMask("B", "BORDERSMASK"));
  EXPECT_FALSE(bare->HasMask("C", "BORDERSMASK"));
  EXPECT_TRUE(bare->HasMask("C", "OWN"));
  EXPECT_EQ(bare->Master, nullptr);
}

TEST(SkinImages, JpegPatternsAndTextureMasks) {
  auto skin = LoadFolder("[FORM]\nPATTERN=big.jpg\nHOTPATTERN=tile.JPEG\nOTHER=none.jpg\n",
                         {{"big.jpg", test_skins::Jpeg(300, 300, 0x2080C0)},
                          {"tile.JPEG", test_skins::Jpeg(299, 300, 0x2080C0)}},
                         "[GLOBALINFO]\nPATTERN=tile.jpeg\n");
  ASSERT_EQ(skin->Patterns.size(), 2u);
  EXPECT_EQ(skin->Patterns[0].SectionName, "FORM");
  EXPECT_EQ(skin->Patterns[0].PropertyName, "PATTERN");
  EXPECT_EQ(skin->Patterns[0].Image->GetWidth(), 300);
  EXPECT_EQ(skin->Patterns[1].SectionName, "GLOBALINFO");  // CommonSections: no size rule
  EXPECT_EQ(skin->Patterns[1].Image->GetWidth(), 299);
  const TkMaskData& tile = skin->Mask("FORM", "HOTPATTERN");
  EXPECT_EQ(tile.ImgType, skin::itisaTexture);
  EXPECT_EQ(tile.ImageCount, 1);
  EXPECT_EQ(tile.R, fw::TRect());
  EXPECT_EQ(tile.Bmp->GetWidth(), 299);
  fw::TColor c = test_skins::PixelOf(*tile.Bmp, 100, 100);
  EXPECT_NEAR(c & 0xFF, 0xC0, 3);
  EXPECT_NEAR((c >> 16) & 0xFF, 0x20, 3);
}

TEST(SkinImages, AFileNamedByManyValuesGivesEachItsOwnPicture) {
  const Picture frames = test_skins::MaskPicture({0x0000FF, 0x00FF00, 0xFF0000}, 30, 20);
  auto skin = LoadFolder(
      "[GLOBALINFO]\nMASTERBITMAP=master.bmp\n"
      "[A]\nPLAIN=frame.bmp\nOWN=!FRAME.BMP!3!1!0\nWHOLE=MASTER.BMP\n[B]\nPLAIN=Frame.bmp\n"
      "[C]\nPATTERN=big.jpg\nHOTPATTERN=tile.jpg\n[D]\nPATTERN=BIG.JPG\nHOTPATTERN=tile.jpg\n",
      {{"master.bmp", test_skins::Bmp24(kMaster)},
       {"frame.bmp", test_skins::Bmp24(frames)},
       {"big.jpg", test_skins::Jpeg(300, 300, 0x2080C0)},
       {"tile.jpg", test_skins::Jpeg(40, 30, 0x2080C0)}},
      "[E]\nOWN=frame.bmp\nPATTERN=tile.jpg\n");
  // Every mask has a picture of its own with the file's pixels.
  std::set<const fw::TBitmap*> pictures{skin->Master.get()};
  for (const auto& [section, key] : {std::pair{"A", "PLAIN"}, {"A", "OWN"}, {"B", "PLAIN"}, {"E", "OWN"}}) {
    const TkMaskData& m = skin->Mask(section, key);
    ASSERT_NE(m.Bmp, nullptr) << section << "." << key;
    EXPECT_TRUE(pictures.insert(m.Bmp.get()).second) << section << "." << key;
    EXPECT_TRUE(test_skins::SamePixels(*m.Bmp, frames)) << section << "." << key;
    EXPECT_FALSE(m.Bmp->GetTransparent()) << section << "." << key;
  }
  // The master bitmap's file as a mask: the same pixels, not made transparent as the master is.
  const TkMaskData& whole = skin->Mask("A", "WHOLE");
  EXPECT_TRUE(pictures.insert(whole.Bmp.get()).second);
  EXPECT_TRUE(test_skins::SamePixels(*whole.Bmp, kMaster));
  EXPECT_FALSE(whole.Bmp->GetTransparent());
  EXPECT_TRUE(skin->Master->GetTransparent());
  EXPECT_TRUE(test_skins::SamePixels(*skin->Master, kMaster));

  // Large JPEGs are patterns, small ones texture masks, each with a picture of its own.
  ASSERT_EQ(skin->Patterns.size(), 3u);
  EXPECT_NE(skin->Patterns[0].Image, skin->Patterns[1].Image);
  for (const skin::TkPatternData& p : skin->Patterns) {
    const int width = p.SectionName == "E" ? 40 : 300;  // CommonSections: no size rule
    EXPECT_EQ(p.Image->GetWidth(), width) << p.SectionName;
    EXPECT_NEAR(test_skins::PixelOf(*p.Image->GetBitmap(), 20, 20) & 0xFF, 0xC0, 3) << p.SectionName;
  }
  const TkMaskData& c = skin->Mask("C", "HOTPATTERN");
  const TkMaskData& d = skin->Mask("D", "HOTPATTERN");
  ASSERT_NE(c.Bmp, d.Bmp);
  for (const TkMaskData* m : {&c, &d}) {
    EXPECT_EQ(m->Bmp->GetWidth(), 40);
    EXPECT_NEAR(test_skins::PixelOf(*m->Bmp, 20, 20) & 0xFF, 0xC0, 3);
  }
}

TEST(SkinImages, PictureFormats) {
  Picture p(13, 5, 0x00FF00);
  p.Fill(0, 0, 4, 5, 0x0000FF);
  p.Set(12, 4, test_skins::kFuchsia);
  auto skin = LoadFolder("[A]\nP8=p8.bmp\nRLE=rle.bmp\n",
                         {{"p8.bmp", test_skins::Bmp8(p)}, {"rle.bmp", test_skins::BmpRle8(p)}});
  for (const char* key : {"P8", "RLE"}) {
    const TkMaskData& m = skin->Mask("A", key);
    EXPECT_EQ(m.Bmp->GetPixelFormat(), fw::pf24bit) << key;
    EXPECT_TRUE(test_skins::SamePixels(*m.Bmp, p)) << key;
  }
}

TEST(SkinImages, DamagedFilesFailNamingThem) {
  const std::string bmp = test_skins::Bmp24(Picture(30, 30, 0x00FF00));
  const std::string jpeg = test_skins::Jpeg(320, 320, 0x336699);
  EXPECT_NE(LoadFailure("[A]\nB=cut.bmp\n", {{"cut.bmp", test_skins::CutAt(bmp, 100)}}).find("CUT.BMP"), std::string::npos);
  EXPECT_NE(LoadFailure("[A]\nB=magic.bmp\n", {{"magic.bmp", test_skins::WrongMagic(bmp)}}).find("MAGIC.BMP"), std::string::npos);
  EXPECT_NE(LoadFailure("[A]\nB=empty.bmp\n", {{"empty.bmp", ""}}).find("EMPTY.BMP"), std::string::npos);
  EXPECT_NE(LoadFailure("[A]\nB=huge.bmp\n", {{"huge.bmp", test_skins::HugeBmpHeader(100000)}}).find("HUGE.BMP"), std::string::npos);
  EXPECT_NE(LoadFailure("[A]\nB=!own.BMP!3!1!0\n", {{"own.BMP", test_skins::CutAt(bmp, 60)}}).find("own.BMP"), std::string::npos);
  EXPECT_NE(LoadFailure("[A]\nP=half.jpg\n", {{"half.jpg", test_skins::CutAt(jpeg, jpeg.size() / 2)}}).find("HALF.JPG"), std::string::npos);
  EXPECT_NE(LoadFailure("[A]\nP=empty.jpg\n", {{"empty.jpg", ""}}).find("EMPTY.JPG"), std::string::npos);
  EXPECT_NE(LoadFailure("[GLOBALINFO]\nMASTERBITMAP=m.bmp\n", {{"m.bmp", "not a picture"}}).find("m.bmp"), std::string::npos);
  // Malformed values name the section and key.
  EXPECT_EQ(LoadFailure("[FORM]\nBORDERSMASK=^00x0,0020,0109,0079,0000,0000,0000,0000,3,1,0,0\n"), "[FORM] BORDERSMASK");
  EXPECT_EQ(LoadFailure("[FORM]\nBORDERSMASK=^0010\n"), "[FORM] BORDERSMASK");
  EXPECT_EQ(LoadFailure("[GLOBALINFO]\nDESCRIPTION=Skin #2\n"), "[GLOBALINFO] DESCRIPTION");
  EXPECT_EQ(LoadFailure("[A]\nB=!own.BMP!x!1!0\n", {{"own.BMP", bmp}}), "[A] B");
}

TEST(SkinImages, StoredImagesAndPatterns) {
  skin::TkStoredSkins skins(nullptr);
  skin::TkStoredSkin* stored = test_skins::AddStoredSkin(skins, "Stored", {{"BUTTON", ""}}, kMaster);
  auto addImage = [&](const char* section, const char* property, int count) {
    skin::TkSkinImage* image = stored->GetImages()->AddItem();
    image->SetSectionName(section);
    image->SetPropertyName(property);
    image->SetLeft(0);
    image->SetTop(0);
    image->SetRight(60);
    image->SetBottom(40);
    image->SetImageCount(count);
    image->SetStretchMode(3);
    return image;
  };
  addImage("button", "bordersmask", 0);
  addImage("BUTTON", "PATTERN", 1)->SetImgType(skin::itisaGlyph);
  skin::TkSkinImage* own = addImage("BUTTON_HUGE", "BORDERSMASK", 3);
  fw::TBitmap picture;
  picture.SetSize(45, 12);
  own->SetImage(&picture);
  own->SetName("BUTTONHUGE.BMP");
  auto addPattern = [&](const char* section, const std::string& data) {
    skin::TkSkinPattern* pattern = stored->GetPatterns()->AddItem();
    pattern->SetSectionName(section);
    pattern->SetPropertyName("pattern");
    pattern->SetName("shared.jpg");
    if (!data.empty()) {
      fw::TMemoryStream stream;
      stream.Write(data.data(), static_cast<int>(data.size()));
      stream.Seek(0, fw::soBeginning);
      pattern->GetImage()->LoadFromStream(stream);
    }
  };
  addPattern("form", test_skins::Jpeg(40, 30, 0x808080));
  addPattern("dialog", "");

  Loaded loaded;
  skin::LoadMasksFromStored(stored, loaded.Tables);
  skin::LoadPatternsFromStored(stored, loaded.Tables);
  ASSERT_NE(loaded.Master, nullptr);
  EXPECT_TRUE(test_skins::SamePixels(*loaded.Master, kMaster));
  const TkMaskData& border = loaded.Mask("BUTTON", "BORDERSMASK");
  EXPECT_EQ(border.ImageCount, 3);
  EXPECT_EQ(border.MaskType, 1);
  EXPECT_EQ(border.WL, 6);
  EXPECT_EQ(border.StretchMode, 3);
  EXPECT_EQ(loaded.Mask("BUTTON", "PATTERN").ImgType, skin::itisaTexture);
  EXPECT_EQ(loaded.Mask("BUTTON", "PATTERN").StretchMode, 0);
  const TkMaskData& huge = loaded.Mask("BUTTON_HUGE", "BORDERSMASK");
  ASSERT_NE(huge.Bmp, nullptr);
  EXPECT_EQ(huge.R, fw::TRect(0, 0, 45, 12));
  ASSERT_EQ(loaded.Patterns.size(), 2u);
  EXPECT_EQ(loaded.Patterns[1].SectionName, "DIALOG");
  EXPECT_EQ(loaded.Patterns[1].PropertyName, "PATTERN");
  EXPECT_EQ(loaded.Patterns[1].Image->GetWidth(), 40);  // shares the first one's picture

  // Names are found with their letter case; the collections cannot be assigned.
  EXPECT_EQ(skins.IndexOf("Stored"), 0);
  EXPECT_EQ(skins.IndexOf("stored"), -1);
  EXPECT_THROW(stored->SetImages(stored->GetImages()), fw::EConvertError);

  // A new stored skin gives empty tables and an empty master bitmap.
  Loaded empty;
  skin::LoadMasksFromStored(skins.AddItem(), empty.Tables);
  EXPECT_TRUE(empty.Masks.empty());
  ASSERT_NE(empty.Master, nullptr);
  EXPECT_TRUE(empty.Master->GetEmpty());
}

TEST(SkinImages, StoredSkinTextSetsPropertiesInOrder) {
  skin::TkStoredSkins skins(nullptr);
  skin::ReadStoredSkins(
      "[StoredSkin]\nName=Text skin\nShadow1Blur=4\nVersion=2.25\n\n[General]\nSectionName=FORM\n"
      "ParentClass=BASE\nColor=255\nBevel=9\nShowFocus=True\nFontColor=1 2 3 4 5\n"
      "[Image]\nSectionName=FORM\nPropertyName=BORDERSMASK\nRight=30\nImgType=2\n"
      "[Pattern]\nSectionName=FORM\nName=shared.jpg\n",
      GetModuleHandleA(nullptr), skins);
  ASSERT_EQ(skins.GetCount(), 1);
  const skin::TkStoredSkin& stored = *skins.GetItem(0);
  EXPECT_EQ(stored.GetName(), "Text skin");
  EXPECT_EQ(stored.GetShadow1Blur(), 4);
  EXPECT_EQ(stored.GetVersion(), 2.25);
  const skin::TkSkinGeneral& general = *stored.GetGeneralData()->GetItem(0);
  EXPECT_EQ(general.GetParentClass(), "BASE");
  EXPECT_EQ(general.GetColor(), 255);
  EXPECT_EQ(general.GetBevel(), skin::cbNone);
  EXPECT_TRUE(general.GetShowFocus());
  EXPECT_EQ(general.GetFontColor(), "1 2 3 4 5");
  EXPECT_EQ(stored.GetImages()->GetItem(0)->GetRight(), 30);
  EXPECT_EQ(stored.GetImages()->GetItem(0)->GetImgType(), skin::itisaGlyph);
  EXPECT_TRUE(stored.GetPatterns()->GetItem(0)->GetImage()->GetEmpty());

  for (const char* bad : {"[StoredSkin]\nColour=1\n", "[General]\nColor=1\n", "[StoredSkin]\n[Other]\n",
                          "[StoredSkin]\nShadow1Blur=x\n", "[StoredSkin]\n[General]\nShowFocus=yes\n",
                          "[StoredSkin]\nMasterBitmap=NO_SUCH_BITMAP\n"}) {
    skin::TkStoredSkins other(nullptr);
    EXPECT_THROW(skin::ReadStoredSkins(bad, GetModuleHandleA(nullptr), other), fw::EConvertError) << bad;
  }
}

}  // namespace
