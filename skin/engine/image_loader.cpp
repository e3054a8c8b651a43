#include "skin/engine/image_loader.h"

#include <algorithm>
#include <cstring>

#include "framework/graphics/jpeg_decoder.h"
#include "framework/rtl/exceptions.h"
#include "framework/rtl/file_utils.h"
#include "framework/classes/mem_ini_file.h"
#include "framework/classes/streams.h"
#include "framework/classes/string_list.h"
#include "framework/rtl/sys_utils.h"
#include "skin/engine/ini_view.h"
#include "skin/engine/skin_load_error.h"
#include "skin/engine/skin_utils.h"
#include "skin/engine/stored_skins.h"
#include "skin/engine/text_scan.h"

namespace skin {

namespace {

// The place of a value in the skin, for error texts.
struct TPlace {
  std::string_view Section;
  std::string_view Key;
  std::string_view Value;
  [[noreturn]] void Fail() const {
    throw ESkinLoadError(SkinValuePlace(Section, Key), "\"" + std::string(Value) + "\" is not a valid image value");
  }
  int Number(const std::string& text) const {
    int value;
    if (!fw::TryStrToInt(text, value)) Fail();
    return value;
  }
  // Columns first..last (1-based) of the value as a number.
  int Columns(int first, int last) const {
    return Number(std::string(Value.substr(std::min<size_t>(first - 1, Value.size()), last - first + 1)));
  }
};

// A number of the skin as a mask field: beyond the field's range it stays at its end (the
// loader then clamps it to what a picture can use).
short ToShort(int value) { return static_cast<short>(std::clamp(value, -32768, 32767)); }

std::string ReadAll(const std::string& fileName) {
  try {
    fw::TFileStream stream(fileName, fw::fmOpenRead | fw::fmShareDenyWrite);
    std::string data(static_cast<size_t>(stream.GetSize()), '\0');
    if (!data.empty() && stream.Read(data.data(), static_cast<int>(data.size())) != static_cast<int>(data.size()))
      throw ESkinLoadError(fileName, "the file could not be read");
    return data;
  } catch (const ESkinLoadError&) {
    throw;
  } catch (const fw::Exception& e) {
    throw ESkinLoadError(fileName, e.GetMessage());
  }
}

int32_t Int32At(const std::string& d, size_t at) {
  int32_t value;
  std::memcpy(&value, d.data() + at, 4);
  return value;
}

// The size a BMP header claims, or 0 x 0 when it is too short to say.
void ClaimedBmpSize(const std::string& d, long long& w, long long& h) {
  w = h = 0;
  if (d.size() < 26) return;
  if (Int32At(d, 14) == 12) {
    w = static_cast<unsigned char>(d[18]) | static_cast<unsigned char>(d[19]) << 8;
    h = static_cast<unsigned char>(d[20]) | static_cast<unsigned char>(d[21]) << 8;
  } else {
    w = Int32At(d, 18);
    h = Int32At(d, 22);
  }
  if (w < 0) w = -w;
  if (h < 0) h = -h;
}

void RefuseHuge(const std::string& fileName, long long w, long long h) {
  if (w > kMaxSkinPictureSide || h > kMaxSkinPictureSide)
    throw ESkinLoadError(fileName, "the picture claims " + fw::IntToStr(w) + " x " + fw::IntToStr(h) +
                                       " pixels, more than " + fw::IntToStr(kMaxSkinPictureSide) + " on a side");
}

// Decodes the file's bytes as they were read, without copying them into a stream first.
template <class T>
void LoadGraphic(T& graphic, const std::string& data, const std::string& fileName) {
  try {
    graphic.LoadFromBytes(data);
  } catch (const fw::Exception& e) {
    throw ESkinLoadError(fileName, e.GetMessage());
  }
}

// The file a value names: as it stands when it holds ":", else in the skin's folder.
std::string SkinFilePath(const std::string& skinPath, const std::string& name) {
  return name.find(':') != std::string::npos ? name : skinPath + name;
}

bool Contains(std::string_view s, std::string_view part) { return s.find(part) != std::string_view::npos; }
bool Contains(std::string_view s, char c) { return FindEither(s, 0, c, c) < s.size(); }

std::string Upper(std::string_view s) { return fw::UpperCase(std::string(s)); }

TkMaskData& NewMask(TkImageTables& t, std::string_view section, std::string_view key) {
  TkMaskData& m = t.Masks.emplace_back();
  m.SectionName = section;
  m.PropertyName = key;
  m.Manager = t.Manager;
  return m;
}

// Drops the last mask when its own picture is less than one pixel wide.
void DropIfEmpty(TkImageTables& t) {
  if (!t.Masks.empty() && t.Masks.back().Bmp && t.Masks.back().Bmp->GetWidth() < 1) t.Masks.pop_back();
}

fw::TRect WholeOf(const fw::TBitmap& bmp) { return fw::TRect(0, 0, bmp.GetWidth(), bmp.GetHeight()); }

// "^", "~" and "@": fixed columns in the master bitmap.
void AddColumnsMask(TkImageTables& t, const TPlace& p) {
  TkMaskData m;
  m.SectionName = std::string(p.Section);
  m.PropertyName = std::string(p.Key);
  m.Manager = t.Manager;
  m.R = fw::TRect(p.Columns(2, 5), p.Columns(7, 10), p.Columns(12, 15), p.Columns(17, 20));
  switch (p.Value[0]) {
    case '^':
      m.ImgType = itisaBorder;
      m.WL = ToShort(p.Columns(22, 25));
      m.WT = ToShort(p.Columns(27, 30));
      m.WR = ToShort(p.Columns(32, 35));
      m.WB = ToShort(p.Columns(37, 40));
      m.ImageCount = ToShort(p.Columns(42, 42));
      m.MaskType = ToShort(p.Columns(44, 44));
      m.StretchMode = ToShort(p.Columns(46, 46));
      m.BorderWidth = ToShort(p.Columns(48, 48));
      FillMaskWidths(m);
      break;
    case '~':
      m.ImgType = itisaTexture;
      m.StretchMode = ToShort(p.Columns(22, 23));
      m.ImageCount = 1;
      m.MaskType = p.Value.size() > 24 ? ToShort(p.Columns(25, 25)) : 0;
      break;
    default:
      m.ImgType = itisaGlyph;
      m.ImageCount = ToShort(p.Columns(22, 22));
      m.MaskType = ToShort(p.Columns(24, 24));
      break;
  }
  t.Masks.push_back(m);
}

// "!name.BMP!count!rows!type[!wl!wt!wr!wb]": a bitmap file of its own.
void AddOwnFileMask(TkImageTables& t, const TPlace& p) {
  const std::string delims = "!", value(p.Value);
  const std::string name = ExtractWordBySet(1, value, delims);
  if (!Contains(name, ".BMP")) return;
  const std::string path = SkinFilePath(t.SkinPath, name);
  if (!fw::FileExists(path)) return;
  const int fields = WordCountBySet(value, delims);
  auto field = [&](int n) { return p.Number(ExtractWordBySet(n, value, delims)); };
  TkMaskData& m = NewMask(t, p.Section, p.Key);
  m.Bmp = std::make_shared<fw::TBitmap>();
  std::exception_ptr failure;
  try {
    m.Bmp = t.Pictures->Bitmap(path);
  } catch (...) {
    failure = std::current_exception();
  }
  m.ImgType = ImgTypeFromInt(field(4));
  m.ImageCount = ToShort(field(2));
  m.MaskType = ToShort(field(3));
  m.R = WholeOf(*m.Bmp);
  if (fields > 4) {
    m.WL = ToShort(field(5));
    m.WT = ToShort(field(6));
    m.WR = ToShort(field(7));
    m.WB = ToShort(field(8));
  } else {
    FillMaskWidths(m);
  }
  if (failure) std::rethrow_exception(failure);
  DropIfEmpty(t);
}

// "text (left,top,right,bottom) (count,rows,border,stretch)": a rectangle of the master bitmap.
void AddRectMask(TkImageTables& t, const TPlace& p) {
  const std::string words = " ()", value(p.Value);
  const std::string rect = ExtractWordBySet(2, value, words), counts = ExtractWordBySet(3, value, words);
  auto number = [&](const std::string& list, int n, int missing) {
    std::string word = ExtractWordBySet(n, list, ",");
    return word.empty() ? missing : p.Number(word);
  };
  auto corner = [&](int n) { return p.Number(ExtractWordBySet(n, rect, ",")); };
  const fw::TRect r(corner(1), corner(2), corner(3), corner(4));
  TkMaskData& m = NewMask(t, Upper(p.Section), Upper(p.Key));
  m.R = r;
  m.ImageCount = ToShort(std::max(number(counts, 1, 1), 1));
  m.MaskType = ToShort(std::max(number(counts, 2, 0), 0));
  m.BorderWidth = ToShort(std::max(number(counts, 3, 0), 0));
  if (m.PropertyName == "PATTERN" || m.PropertyName == "HOTPATTERN") {
    m.ImgType = itisaTexture;
    m.StretchMode = 0;
  } else {
    m.StretchMode = ToShort(number(counts, 4, 1));
  }
  ClampMask(m);  // before the widths are worked out from the rectangle
  FillMaskWidths(m);
}

// A plain bitmap file: three frames of normal, hot and pressed over two rows.
void AddPlainFileMask(TkImageTables& t, const TPlace& p) {
  if (!ContainsUpper(p.Value, ".BMP")) return;  // the system's upper-casing agrees on ASCII
  const std::string name = fw::AnsiUpperCase(std::string(p.Value));
  if (!Contains(name, ".BMP")) return;
  const std::string path = SkinFilePath(t.SkinPath, name);
  if (!fw::FileExists(path)) return;
  auto bmp = t.Pictures->Bitmap(path);
  TkMaskData& m = NewMask(t, Upper(p.Section), Upper(p.Key));
  m.Bmp = std::move(bmp);
  m.ImageCount = 3;
  m.MaskType = 1;
  m.R = WholeOf(*m.Bmp);
  m.WL = m.WR = ToShort(m.Bmp->GetWidth() / 9);
  m.WT = m.WB = ToShort(m.Bmp->GetHeight() / 6);
  DropIfEmpty(t);
}

void PrepareMaster(fw::TBitmap& master) {
  master.SetPixelFormat(fw::pf24bit);
  master.SetTransparent(true);
  master.SetTransparentColor(fw::clFuchsia);
}

// Every key of every section in file order, with the value the section answers for it (a key
// written twice answers its first line), as views into the file: nothing is copied.
template <class Visit>
void EachValue(const TkIniView& ini, const Visit& visit) {
  for (int s = 0; s < ini.SectionCount(); ++s) {
    const int first = ini.FirstOfName(s);  // a name that stands twice reads as its first section
    const std::string_view section = ini.SectionName(s);
    for (const TkIniView::TEntry& entry : ini.Entries(first))
      visit(section, entry.Key, entry.First ? entry.Value : *ini.Value(first, entry.Key));
  }
}

// Whether the upper-cased value names a JPEG file.
bool IsJpegName(std::string_view value) { return ContainsUpper(value, ".JPG") || ContainsUpper(value, ".JPEG"); }

void AddPattern(TkImageTables& t, std::shared_ptr<fw::TJPEGImage> image, std::string_view section,
                std::string_view key, bool sizeRule) {
  const int w = image->GetWidth(), h = image->GetHeight();
  if (sizeRule && static_cast<long long>(w) * h < 90000) {
    TkMaskData& m = NewMask(t, Upper(section), Upper(key));
    m.Bmp = std::make_shared<fw::TBitmap>();
    m.Bmp->Assign(image->GetBitmap());
    m.ImgType = itisaTexture;
    m.ImageCount = 1;
    return;
  }
  if (w < 1) return;
  TkPatternData& p = t.Patterns.emplace_back();
  p.Image = std::move(image);
  p.SectionName = Upper(section);
  p.PropertyName = Upper(key);
}

void PatternsFromIni(const TkIniView& ini, TkImageTables& t, bool sizeRule) {
  EachValue(ini, [&](std::string_view section, std::string_view key, std::string_view value) {
    if (!IsJpegName(value)) return;  // the system's upper-casing agrees on ASCII
    const std::string upper = fw::AnsiUpperCase(std::string(value));
    if (!IsJpegName(upper)) return;
    const std::string path = SkinFilePath(t.SkinPath, upper);
    if (!fw::FileExists(path)) return;
    AddPattern(t, t.Pictures->Jpeg(path), section, key, sizeRule);
  });
}

}  // namespace

std::unique_ptr<fw::TBitmap> LoadSkinBitmap(const std::string& fileName) {
  const std::string data = ReadAll(fileName);
  long long w, h;
  ClaimedBmpSize(data, w, h);
  RefuseHuge(fileName, w, h);
  auto bmp = std::make_unique<fw::TBitmap>();
  LoadGraphic(*bmp, data, fileName);
  bmp->SetPixelFormat(fw::pf24bit);
  return bmp;
}

std::unique_ptr<fw::TJPEGImage> LoadSkinJpeg(const std::string& fileName) {
  const std::string data = ReadAll(fileName);
  jpeg_decoder_info info{};
  if (jpeg_decoder_read_info(reinterpret_cast<const unsigned char*>(data.data()), data.size(), &info) ==
      JPEG_DECODER_OK)
    RefuseHuge(fileName, info.width, info.height);
  auto image = std::make_unique<fw::TJPEGImage>();
  LoadGraphic(*image, data, fileName);
  if (image->GetWarnings() > 0) throw ESkinLoadError(fileName, "damaged JPEG data: " + image->GetWarningText());
  return image;
}

void LoadMasksFromFile(const fw::TMemIniFile& file, TkImageTables& t) { LoadMasksFromFile(TkIniView(file), t); }

void LoadMasksFromFile(const TkIniView& file, TkImageTables& t) {
  const std::string masterName = file.ReadString("GLOBALINFO", "MASTERBITMAP", "");
  const std::string masterPath = masterName.find(':') != std::string::npos ? masterName : t.SkinPath + masterName;
  if (!masterName.empty() && fw::FileExists(masterPath)) {
    t.Master = t.Pictures->Bitmap(masterPath);
    PrepareMaster(*t.Master);
  }
  EachValue(file, [&](std::string_view section, std::string_view key, std::string_view value) {
    if ((section == "GLOBALINFO" && key == "MASTERBITMAP") || value.empty()) return;
    const TPlace place{section, key, value};
    switch (value[0]) {
      case '^': case '~': case '@': AddColumnsMask(t, place); return;
      case '!': AddOwnFileMask(t, place); return;
      default: break;
    }
    if (value == "#") return;
    if (Contains(value, '#'))
      AddRectMask(t, place);
    else
      AddPlainFileMask(t, place);
  });
}

void LoadMasksFromStored(const TkStoredSkin* skin, TkImageTables& t) {
  if (!skin) return;
  t.Master = std::make_unique<fw::TBitmap>();
  t.Master->Assign(skin->GetMasterBitmap());
  PrepareMaster(*t.Master);
  const TkSkinImages& images = *skin->GetImages();
  for (int i = 0; i < images.GetCount(); ++i) {
    const TkSkinImage& item = *images.GetItem(i);
    TkMaskData& m = NewMask(t, fw::UpperCase(item.GetSectionName()), fw::UpperCase(item.GetPropertyName()));
    if (!item.GetImage()->GetEmpty() && !item.GetName().empty()) {
      m.Bmp = std::make_shared<fw::TBitmap>();
      m.Bmp->Assign(item.GetImage());
      m.Bmp->SetPixelFormat(fw::pf24bit);
      m.R = WholeOf(*m.Bmp);
    } else {
      m.R = fw::TRect(item.GetLeft(), item.GetTop(), item.GetRight(), item.GetBottom());
    }
    m.ImageCount = ToShort(item.GetImageCount());
    m.MaskType = ToShort(item.GetMaskType());
    m.BorderWidth = ToShort(item.GetBorderWidth());
    if (m.ImageCount == 0) {
      m.ImageCount = 3;
      m.MaskType = 1;
    }
    if (m.PropertyName == "PATTERN" || m.PropertyName == "HOTPATTERN") {
      m.ImgType = itisaTexture;
      m.StretchMode = ToShort(item.GetImgType() == itisaTexture ? item.GetStretchMode() : 0);
    } else {
      m.StretchMode = ToShort(item.GetStretchMode());
      m.ImgType = item.GetImgType();
    }
    m.WL = ToShort(item.GetWL());
    m.WT = ToShort(item.GetWT());
    m.WR = ToShort(item.GetWR());
    m.WB = ToShort(item.GetWB());
    FillMaskWidths(m);
  }
}

void MergeCommonMasks(const fw::TStrings& lines, TkImageTables& t) {
  if (lines.GetCount() == 0) return;
  fw::TMemIniFile ini("");  // in memory only: no file is read or written
  ini.SetStrings(lines);
  EachValue(TkIniView(ini), [&](std::string_view section, std::string_view key, std::string_view value) {
    if (Upper(section) == "GLOBALINFO") return;
    if (t.Master && Contains(value, '#') && value != "#") {
      AddRectMask(t, TPlace{section, key, value});
      return;
    }
    const std::string upper = fw::AnsiUpperCase(std::string(value));
    const std::string path = SkinFilePath(t.SkinPath, upper);
    if (!Contains(upper, ".BMP") || !fw::FileExists(path)) return;
    auto bmp = t.Pictures->Bitmap(path);
    TkMaskData& m = NewMask(t, Upper(section), Upper(key));
    m.Bmp = std::move(bmp);
    DropIfEmpty(t);
  });
}

void LoadPatternsFromFile(const fw::TMemIniFile& file, TkImageTables& t) { PatternsFromIni(TkIniView(file), t, true); }
void LoadPatternsFromFile(const TkIniView& file, TkImageTables& t) { PatternsFromIni(file, t, true); }

void LoadPatternsFromStored(const TkStoredSkin* skin, TkImageTables& t) {
  if (!skin) return;
  const TkSkinPatterns& patterns = *skin->GetPatterns();
  for (int i = 0; i < patterns.GetCount(); ++i) {
    const TkSkinPattern& item = *patterns.GetItem(i);
    const fw::TJPEGImage* picture = item.GetImage();
    for (int j = 0; picture->GetEmpty() && j < patterns.GetCount(); ++j)
      if (patterns.GetItem(j)->GetName() == item.GetName() && !patterns.GetItem(j)->GetImage()->GetEmpty())
        picture = patterns.GetItem(j)->GetImage();
    TkPatternData& p = t.Patterns.emplace_back();
    p.Image = std::make_shared<fw::TJPEGImage>();
    p.Image->Assign(picture);
    p.SectionName = fw::UpperCase(item.GetSectionName());
    p.PropertyName = fw::UpperCase(item.GetPropertyName());
  }
}

void MergeCommonPatterns(const fw::TStrings& lines, TkImageTables& t) {
  if (lines.GetCount() == 0) return;
  fw::TMemIniFile ini("");
  ini.SetStrings(lines);
  PatternsFromIni(TkIniView(ini), t, false);
}

}  // namespace skin
