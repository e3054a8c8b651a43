#include "skin/engine/stored_skin_reader.h"

#include <functional>
#include <map>

#include "framework/rtl/exceptions.h"
#include "framework/classes/resource_stream.h"
#include "framework/classes/streams.h"
#include "framework/classes/string_list.h"
#include "framework/rtl/sys_utils.h"
#include "skin/engine/stored_skins.h"

namespace skin {

namespace {

using TSetter = std::function<void(const std::string& value)>;

int Int(const std::string& v) { return fw::StrToInt(v); }
bool Bool(const std::string& v) {
  if (fw::SameText(v, "True")) return true;
  if (fw::SameText(v, "False")) return false;
  throw fw::EConvertError("\"" + v + "\" is not a Boolean value");
}

// The picture setters read their resource into a temporary picture and hand it over, as the
// stored picture would be read and assigned.
struct TPictures {
  HINSTANCE Instance;
  void Bitmap(const std::string& name, fw::TBitmap& bitmap) const {
    if (!name.empty()) bitmap.LoadFromResourceName(Instance, name);
  }
  void Jpeg(const std::string& name, fw::TJPEGImage& image) const {
    if (name.empty()) return;
    fw::TResourceStream stream(Instance, name, RT_RCDATA);
    image.LoadFromStream(stream);
  }
};

#define SET(Item, Prop, Conv) {#Prop, [item](const std::string& v) { item->Set##Prop(Conv(v)); }}
#define SET_TEXT(Item, Prop) {#Prop, [item](const std::string& v) { item->Set##Prop(v); }}

std::map<std::string, TSetter> StoredSkinSetters(TkStoredSkin* item, const TPictures& pictures) {
  return {
      SET_TEXT(item, Name),
      {"MasterBitmap", [item, pictures](const std::string& v) { fw::TBitmap b; pictures.Bitmap(v, b); item->SetMasterBitmap(&b); }},
      SET(item, Shadow1Color, Int), SET(item, Shadow1Offset, Int), SET(item, Shadow1Blur, Int),
      SET(item, Shadow1Transparency, Int), SET(item, Version, fw::StrToFloatDot), SET_TEXT(item, Author),
      SET_TEXT(item, Description),
  };
}

TkControlBevel Bevel(const std::string& v) { return BevelFromInt(Int(v)); }

std::map<std::string, TSetter> GeneralSetters(TkSkinGeneral* item) {
  return {
      SET_TEXT(item, SectionName), SET_TEXT(item, ParentClass), SET(item, Color, Int), SET(item, Bevel, Bevel),
      SET(item, ShadowBlur, Int), SET(item, ShadowColor, Int), SET(item, ShadowDontUse, Bool),
      SET(item, ShadowEnabled, Bool), SET(item, ReservedBoolean, Bool), SET(item, ShadowOffset, Int),
      SET(item, ShadowTransparency, Int), SET_TEXT(item, FontColor), SET_TEXT(item, HotFontColor),
      SET(item, Transparency, Int), SET(item, GradientPercent, Int), SET_TEXT(item, GradientData),
      SET(item, ImagePercent, Int), SET(item, ShowFocus, Bool), SET(item, FadingEnabled, Bool),
      SET(item, FadingIntervalIn, Int), SET(item, FadingIntervalOut, Int), SET(item, FadingIterations, Int),
      SET(item, HotColor, Int), SET(item, HotTransparency, Int), SET(item, HotBevel, Bevel),
      SET(item, HotGradientPercent, Int), SET_TEXT(item, HotGradientData), SET(item, HotImagePercent, Int),
      SET(item, BorderColor1, Int), SET(item, BorderColor2, Int), SET_TEXT(item, Name),
  };
}

TkImgType ImgType(const std::string& v) { return ImgTypeFromInt(Int(v)); }

std::map<std::string, TSetter> ImageSetters(TkSkinImage* item, const TPictures& pictures) {
  return {
      SET_TEXT(item, SectionName),
      {"Image", [item, pictures](const std::string& v) { fw::TBitmap b; pictures.Bitmap(v, b); item->SetImage(&b); }},
      SET_TEXT(item, Name), SET_TEXT(item, PropertyName), SET(item, Left, Int), SET(item, Top, Int),
      SET(item, Right, Int), SET(item, Bottom, Int), SET(item, ImageCount, Int), SET(item, MaskType, Int),
      SET(item, BorderWidth, Int), SET(item, StretchMode, Int), SET(item, ImgType, ImgType), SET(item, WL, Int),
      SET(item, WR, Int), SET(item, WT, Int), SET(item, WB, Int),
  };
}

std::map<std::string, TSetter> PatternSetters(TkSkinPattern* item, const TPictures& pictures) {
  return {
      SET_TEXT(item, SectionName),
      {"Image", [item, pictures](const std::string& v) { fw::TJPEGImage j; pictures.Jpeg(v, j); item->SetImage(&j); }},
      SET_TEXT(item, Name), SET_TEXT(item, PropertyName),
  };
}

#undef SET
#undef SET_TEXT

}  // namespace

void ReadStoredSkins(const std::string& text, HINSTANCE instance, TkStoredSkins& skins) {
  fw::TStringList lines;
  lines.SetText(text);
  const TPictures pictures{instance};
  TkStoredSkin* skin = nullptr;
  std::map<std::string, TSetter> setters;
  for (int i = 0; i < lines.GetCount(); ++i) {
    const std::string line = lines.GetStrings(i);
    auto fail = [&](const std::string& why) {
      throw fw::EConvertError("Stored skin line " + fw::IntToStr(i + 1) + " \"" + line + "\": " + why);
    };
    if (line.empty() || line[0] == ';') continue;
    if (line.front() == '[') {
      if (line == "[StoredSkin]") {
        skin = skins.AddItem();
        setters = StoredSkinSetters(skin, pictures);
      } else if (!skin) {
        fail("no [StoredSkin] before it");
      } else if (line == "[General]") {
        setters = GeneralSetters(skin->GetGeneralData()->AddItem());
      } else if (line == "[Image]") {
        setters = ImageSetters(skin->GetImages()->AddItem(), pictures);
      } else if (line == "[Pattern]") {
        setters = PatternSetters(skin->GetPatterns()->AddItem(), pictures);
      } else {
        fail("unknown block");
      }
      continue;
    }
    const size_t eq = line.find('=');
    auto setter = eq == std::string::npos ? setters.end() : setters.find(line.substr(0, eq));
    if (setter == setters.end()) fail("no such property");
    try {
      setter->second(line.substr(eq + 1));
    } catch (const fw::Exception& e) {
      fail(e.GetMessage());
    }
  }
}

void LoadStoredSkinResource(TkStoredSkins& skins) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  fw::TResourceStream stream(instance, kStoredSkinsResource, RT_RCDATA);
  const auto* data = static_cast<const char*>(stream.GetMemory());
  ReadStoredSkins(std::string(data, static_cast<size_t>(stream.GetSize())), instance, skins);
}

}  // namespace skin
