#include "skin/engine/section_loader.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "framework/rtl/exceptions.h"
#include "framework/classes/mem_ini_file.h"
#include "framework/classes/string_list.h"
#include "framework/rtl/sys_utils.h"
#include "skin/engine/ini_view.h"
#include "skin/engine/skin_limits.h"
#include "skin/engine/skin_load_error.h"
#include "skin/engine/skin_utils.h"
#include "skin/engine/stored_skins.h"

namespace skin {

namespace {

// The keys of a section in reading order, with their skin-file defaults.
enum TKeyKind { kInt, kText, kBool };
struct TKeyRule {
  const char* Key;
  TKeyKind Kind;
  int IntDefault;
  const char* TextDefault;
};

// Where each key lands in an entry.
void StoreInt(TkGeneralData& d, int index, int value);
int LoadInt(const TkGeneralData& d, int index);

const TKeyRule kKeys[] = {
    {"COLOR", kInt, 0xFFFFFF, nullptr},       {"BEVEL", kInt, 0, nullptr},
    {"SHADOWBLUR", kInt, 6, nullptr},         {"SHADOWOFFSET", kInt, 3, nullptr},
    {"SHADOWCOLOR", kInt, 0, nullptr},        {"SHADOWTRANSPARENCY", kInt, 50, nullptr},
    {"SHADOWENABLED", kBool, 0, "FALSE"},     {"RESERVEDBOOLEAN", kBool, 0, "FALSE"},
    {"FONTCOLOR", kInt, 0, nullptr},          {"TCLEFT", kInt, -1, nullptr},
    {"TCTOP", kInt, -1, nullptr},             {"TCRIGHT", kInt, -1, nullptr},
    {"TCBOTTOM", kInt, -1, nullptr},          {"HOTFONTCOLOR", kInt, 0, nullptr},
    {"HOTTCLEFT", kInt, -1, nullptr},         {"HOTTCTOP", kInt, -1, nullptr},
    {"HOTTCRIGHT", kInt, -1, nullptr},        {"HOTTCBOTTOM", kInt, -1, nullptr},
    {"TRANSPARENCY", kInt, 0, nullptr},       {"GRADIENTPERCENT", kInt, 0, nullptr},
    {"IMAGEPERCENT", kInt, 0, nullptr},       {"GRADIENTDATA", kText, 0, " "},
    {"SHOWFOCUS", kBool, 0, "FALSE"},         {"FADINGENABLED", kBool, 0, "FALSE"},
    {"FADINGINTERVALIN", kInt, 5, nullptr},   {"FADINGINTERVALOUT", kInt, 5, nullptr},
    {"FADINGITERATIONS", kInt, 5, nullptr},   {"HOTCOLOR", kInt, 0xFFFFFF, nullptr},
    {"HOTTRANSPARENCY", kInt, 0, nullptr},    {"HOTBEVEL", kInt, 0, nullptr},
    {"HOTGRADIENTPERCENT", kInt, 0, nullptr}, {"HOTGRADIENTDATA", kText, 0, ""},
    {"HOTIMAGEPERCENT", kInt, 0, nullptr},    {"BORDERCOLOR1", kInt, 0, nullptr},
    {"BORDERCOLOR2", kInt, 0, nullptr},
};

// Integer keys by their position in kKeys.
void StoreInt(TkGeneralData& d, int index, int value) {
  switch (index) {
    case 0: d.Color = value; break;
    case 1: d.Bevel = BevelFromInt(value); break;
    case 2: d.ShadowBlur = value; break;
    case 3: d.ShadowOffset = value; break;
    case 4: d.ShadowColor = value; break;
    case 5: d.ShadowTransparency = value; break;
    case 8: case 9: case 10: case 11: case 12: d.FontColor[index - 8] = value; break;
    case 13: case 14: case 15: case 16: case 17: d.HotFontColor[index - 13] = value; break;
    case 18: d.Transparency = value; break;
    case 19: d.GradientPercent = value; break;
    case 20: d.ImagePercent = value; break;
    case 24: d.FadingIntervalIn = value; break;
    case 25: d.FadingIntervalOut = value; break;
    case 26: d.FadingIterations = value; break;
    case 27: d.HotColor = value; break;
    case 28: d.HotTransparency = value; break;
    case 29: d.HotBevel = BevelFromInt(value); break;
    case 30: d.HotGradientPercent = value; break;
    case 32: d.HotImagePercent = value; break;
    case 33: d.BorderColor1 = value; break;
    case 34: d.BorderColor2 = value; break;
    default: break;
  }
}

int LoadInt(const TkGeneralData& d, int index) {
  switch (index) {
    case 0: return d.Color;
    case 1: return d.Bevel;
    case 2: return d.ShadowBlur;
    case 3: return d.ShadowOffset;
    case 4: return d.ShadowColor;
    case 5: return d.ShadowTransparency;
    case 8: case 9: case 10: case 11: case 12: return d.FontColor[index - 8];
    case 13: case 14: case 15: case 16: case 17: return d.HotFontColor[index - 13];
    case 18: return d.Transparency;
    case 19: return d.GradientPercent;
    case 20: return d.ImagePercent;
    case 24: return d.FadingIntervalIn;
    case 25: return d.FadingIntervalOut;
    case 26: return d.FadingIterations;
    case 27: return d.HotColor;
    case 28: return d.HotTransparency;
    case 29: return d.HotBevel;
    case 30: return d.HotGradientPercent;
    case 32: return d.HotImagePercent;
    case 33: return d.BorderColor1;
    case 34: return d.BorderColor2;
    default: return 0;
  }
}

// Text keys by name.
bool* BoolField(TkGeneralData& d, std::string_view key) {
  if (key == "SHADOWENABLED") return &d.ShadowEnabled;
  if (key == "RESERVEDBOOLEAN") return &d.ReservedBoolean;
  if (key == "SHOWFOCUS") return &d.ShowFocus;
  return &d.FadingEnabled;
}

// Parses a gradient text unless it is exactly one blank; a bad word names section and key.
void ParseGradientOf(const std::string& text, TkGradArray& stops, const std::string& section, const char* key) {
  stops.clear();
  if (text == " ") return;
  try {
    ParseGradientData(text, stops);
  } catch (const fw::EConvertError& e) {
    throw ESkinLoadError(SkinValuePlace(section, key), e.GetMessage());
  }
}

void SetText(TkGeneralData& d, std::string_view key, const std::string& value) {
  if (key == "GRADIENTDATA") {
    d.GradientData = value;
    ParseGradientOf(value, d.Gradient, d.SectionName, "GRADIENTDATA");
  } else if (key == "HOTGRADIENTDATA") {
    d.HotGradientData = value;
    ParseGradientOf(value, d.HotGradient, d.SectionName, "HOTGRADIENTDATA");
  } else {
    *BoolField(d, key) = fw::UpperCase(value) == "TRUE";
  }
}

std::string Upper(const std::string& s) { return fw::UpperCase(s); }

// The sections a key of section start is looked for in, nearest first: start, then the one
// parentOf(start) names, and so on up. The walk stops at -1, at a section already in the chain (a
// loop, the section itself included) and after kMaxParentDepth parents; so every section costs
// at most that many steps.
template <class ParentOf>
std::vector<int> ParentChain(int start, const ParentOf& parentOf) {
  std::vector<int> chain;
  chain.reserve(kMaxParentDepth + 1);
  chain.push_back(start);
  while (static_cast<int>(chain.size()) <= kMaxParentDepth) {
    const int next = parentOf(chain.back());
    if (next < 0 || std::find(chain.begin(), chain.end(), next) != chain.end()) break;
    chain.push_back(next);
  }
  return chain;
}

// The position of the section a section's PARENTCLASS names; -1 for none, "?" or a missing one.
int ParentOf(const TkIniView& file, int section) {
  const std::string* parent = file.Value(section, "PARENTCLASS");
  return !parent || parent->empty() || *parent == "?" ? -1 : file.IndexOf(*parent);
}

// The first value along the chain that is not "?"; valueOf(section) is null when it lacks the key.
template <class ValueOf>
std::string ChainString(const std::vector<int>& chain, const ValueOf& valueOf, const std::string& defaultValue) {
  for (int index : chain) {
    const std::string* value = valueOf(index);
    if (value && *value != "?") return *value;
  }
  return defaultValue;
}

// The first number along the chain other than -1.
template <class ValueOf>
int ChainInteger(const std::vector<int>& chain, const ValueOf& valueOf, int defaultValue) {
  for (int index : chain) {
    const std::string* text = valueOf(index);
    int value;
    if (text && fw::TryStrToInt(*text, value) && value != -1) return value;
  }
  return defaultValue;
}

// A key of the file against one of kKeys, without regard to ASCII case.
bool SameKey(const std::string& key, std::string_view rule) {
  return key.size() == rule.size() &&
         std::equal(key.begin(), key.end(), rule.begin(), [](char a, char b) { return (a >= 'a' && a <= 'z' ? a - 32 : a) == b; });
}

// What every section of a skin file writes of the keys of kKeys, and its parent, read once: the
// loader resolves each section from these without searching the file again.
struct TKeySlots {
  using TOwn = std::array<const std::string*, std::size(kKeys)>;
  std::vector<TOwn> Own;       // per section: the value of each key, null when not written
  std::vector<int> Parent;     // per section: ParentOf
  std::vector<char> WritesAny;  // per section: whether it writes any of the keys

  explicit TKeySlots(const TkIniView& file)
      : Own(file.Sections().size()), Parent(Own.size()), WritesAny(Own.size()) {
    for (size_t s = 0; s < Own.size(); ++s) {
      Own[s].fill(nullptr);
      Parent[s] = ParentOf(file, static_cast<int>(s));
      for (const TkIniView::TEntry& entry : file.Entries(static_cast<int>(s))) {
        if (!entry.First) continue;
        for (size_t k = 0; k < std::size(kKeys); ++k)
          if (SameKey(entry.Key, kKeys[k].Key)) Own[s][k] = &entry.Value, WritesAny[s] = true;
      }
    }
  }
  // The places a key of the section at index is looked for: those of its chain that write any.
  std::vector<int> Chain(int index) const {
    std::vector<int> chain = ParentChain(index, [this](int s) { return s < 0 ? -1 : Parent[s]; });
    std::erase_if(chain, [this](int s) { return s < 0 || !WritesAny[s]; });
    return chain;
  }
};

// A GLOBALINFO value read as text and converted strictly.
int StrictGlobal(const TkIniView& file, const char* key, const char* defaultText) {
  std::string text = file.ReadString("GLOBALINFO", key, defaultText);
  int value;
  if (!fw::TryStrToInt(text, value))
    throw ESkinLoadError(SkinValuePlace("GLOBALINFO", key), "\"" + text + "\" is not a number");
  return value;
}

// The five numbers of a stored font-colour text; anything but five words gives 0 -1 -1 -1 -1.
void CopyFontColors(const std::string& text, int (&colors)[5]) {
  if (WordCountBySet(text, " ") != 5) {
    colors[0] = 0;
    std::fill(colors + 1, colors + 5, -1);
    return;
  }
  for (int i = 0; i < 5; ++i) colors[i] = fw::StrToInt(ExtractWordBySet(i + 1, text, " "));
}

void CopyStoredSection(const TkSkinGeneral& g, TkGeneralData& d) {
  d.SectionName = g.GetSectionName();
  d.ParentClass = g.GetParentClass();
  d.Color = g.GetColor();
  d.Bevel = g.GetBevel();
  d.ShadowBlur = g.GetShadowBlur();
  d.ShadowOffset = g.GetShadowOffset();
  d.ShadowColor = g.GetShadowColor();
  d.ShadowTransparency = g.GetShadowTransparency();
  d.ShadowEnabled = g.GetShadowEnabled();
  d.ReservedBoolean = g.GetReservedBoolean();
  d.Transparency = g.GetTransparency();
  d.GradientPercent = g.GetGradientPercent();
  d.ImagePercent = g.GetImagePercent();
  d.GradientData = g.GetGradientData();
  ParseGradientData(d.GradientData == " " ? std::string() : d.GradientData, d.Gradient);
  d.ShowFocus = g.GetShowFocus();
  d.FadingEnabled = g.GetFadingEnabled();
  d.FadingIntervalIn = g.GetFadingIntervalIn();
  d.FadingIntervalOut = g.GetFadingIntervalOut();
  d.FadingIterations = g.GetFadingIterations();
  d.HotColor = g.GetHotColor();
  d.HotTransparency = g.GetHotTransparency();
  d.HotBevel = g.GetHotBevel();
  d.HotGradientPercent = g.GetHotGradientPercent();
  d.HotGradientData = g.GetHotGradientData();
  ParseGradientData(d.HotGradientData == " " ? std::string() : d.HotGradientData, d.HotGradient);
  d.HotImagePercent = g.GetHotImagePercent();
  CopyFontColors(g.GetHotFontColor(), d.HotFontColor);
  CopyFontColors(g.GetFontColor(), d.FontColor);
  d.BorderColor1 = g.GetBorderColor1();
  d.BorderColor2 = g.GetBorderColor2();
}

}  // namespace

TkControlBevel BevelFromInt(int value) {
  return value >= 0 && value <= 4 ? static_cast<TkControlBevel>(value) : cbNone;
}

std::string ReadInheritedString(const TkIniView& file, const std::string& section, const std::string& key,
                                const std::string& defaultValue) {
  const auto chain = ParentChain(file.IndexOf(section), [&](int s) { return ParentOf(file, s); });
  return ChainString(chain, [&](int s) { return file.Value(s, key); }, defaultValue);
}

int ReadInheritedInteger(const TkIniView& file, const std::string& section, const std::string& key,
                         int defaultValue) {
  const auto chain = ParentChain(file.IndexOf(section), [&](int s) { return ParentOf(file, s); });
  return ChainInteger(chain, [&](int s) { return file.Value(s, key); }, defaultValue);
}

void LoadSectionsFromFile(const fw::TMemIniFile& file, TkGeneralDataArray& sections, TkSkinData& data) {
  LoadSectionsFromFile(TkIniView(file), sections, data);
}

void LoadSectionsFromFile(const TkIniView& file, TkGeneralDataArray& sections, TkSkinData& data) {
  data.Version = file.ReadFloat("GLOBALINFO", "VERSION", 0);
  data.Author = file.ReadString("GLOBALINFO", "AUTHOR", "");
  data.Description = file.ReadString("GLOBALINFO", "DESCRIPTION", "");
  data.Shadow1Color = StrictGlobal(file, "SHADOW1COLOR", "0");
  data.Shadow1Offset = StrictGlobal(file, "SHADOW1OFFSET", "0");
  data.Shadow1Blur = StrictGlobal(file, "SHADOW1BLUR", "-1");
  data.Shadow1Transparency = StrictGlobal(file, "SHADOW1TRANSPARENCY", "0");

  sections.clear();
  sections.reserve(file.Sections().size());
  const TKeySlots slots(file);
  for (const std::string& name : file.Sections()) {
    TkGeneralData& d = sections.emplace_back();
    const int self = file.IndexOf(name);  // a name that stands twice reads as its first section
    d.SectionName = name;
    const std::string* parent = file.Value(self, "PARENTCLASS");
    d.ParentClass = parent ? *parent : std::string();
    const std::vector<int> chain = slots.Chain(self);
    for (int i = 0; i < static_cast<int>(std::size(kKeys)); ++i) {
      const TKeyRule& rule = kKeys[i];
      auto valueOf = [&](int s) { return slots.Own[s][i]; };
      if (rule.Kind != kInt) {
        SetText(d, rule.Key, ChainString(chain, valueOf, rule.TextDefault));
      } else if (i == 4) {
        d.ShadowColor = valueOf(self) ? fw::StrToIntDef(*valueOf(self), rule.IntDefault) : rule.IntDefault;
      } else {
        StoreInt(d, i, ChainInteger(chain, valueOf, rule.IntDefault));
      }
    }
    d.Color = fw::ColorToRGB(d.Color);
  }
}

void LoadSectionsFromStored(const TkStoredSkin& skin, TkGeneralDataArray& sections, TkSkinData& data) {
  sections.clear();
  data.Version = skin.GetVersion();
  data.Author = skin.GetAuthor();
  data.Description = skin.GetDescription();
  data.Shadow1Color = skin.GetShadow1Color();
  data.Shadow1Offset = skin.GetShadow1Offset();
  data.Shadow1Blur = skin.GetShadow1Blur();
  data.Shadow1Transparency = skin.GetShadow1Transparency();
  const TkSkinGenerals& generals = *skin.GetGeneralData();
  for (int i = 0; i < generals.GetCount(); ++i) {
    TkGeneralData& d = sections.emplace_back();
    try {
      CopyStoredSection(*generals.GetItem(i), d);
    } catch (const fw::EConvertError&) {
      // The rest of this item is left as it is; the next item follows.
    }
  }
}

void AppendCommonSections(const fw::TStrings& lines, TkGeneralDataArray& sections) {
  if (lines.GetCount() == 0) return;
  fw::TStringList blocks;
  ParseSectionList(lines, blocks);
  try {
    for (int b = 0; b < blocks.GetCount(); ++b) {
      const std::string block = blocks.GetStrings(b);
      sections.emplace_back();
      const size_t self = sections.size() - 1;
      sections[self].SectionName = block;
      sections[self].ParentClass = Upper(ReadListString(blocks, block, "PARENTCLASS", "-1"));
      int parent = -1;
      for (size_t i = 0; i < sections.size() && parent < 0; ++i)
        if (Upper(sections[i].SectionName) == sections[self].ParentClass) parent = static_cast<int>(i);
      for (int i = 0; i < static_cast<int>(std::size(kKeys)); ++i) {
        const TKeyRule& rule = kKeys[i];
        TkGeneralData& d = sections[self];
        if (rule.Kind == kInt) {
          int value = ReadListInteger(blocks, block, rule.Key, -1);
          if (value == -1) value = parent >= 0 ? LoadInt(sections[parent], i) : rule.IntDefault;
          StoreInt(d, i, value);
          continue;
        }
        std::string value = ReadListString(blocks, block, rule.Key, "?");
        if (rule.Kind == kBool) value = Upper(value);
        if (value != "?") {
          SetText(d, rule.Key, value);
        } else if (rule.Kind == kBool) {
          *BoolField(d, rule.Key) = parent >= 0 && *BoolField(sections[parent], rule.Key);
        } else {
          const bool hot = std::string(rule.Key) == "HOTGRADIENTDATA";
          std::string inherited = parent < 0 ? rule.TextDefault
                                  : hot      ? sections[parent].HotGradientData
                                             : sections[parent].GradientData;
          SetText(d, rule.Key, inherited);
        }
      }
    }
  } catch (...) {
    FreeSectionList(blocks);
    throw;
  }
  FreeSectionList(blocks);
}

}  // namespace skin
