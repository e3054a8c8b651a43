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
  std::string_view Key;
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

// A key of the file against one of kKeys (or another upper-case word), without regard to ASCII
// case.
bool SameKey(std::string_view key, std::string_view rule) {
  return key.size() == rule.size() &&
         std::equal(key.begin(), key.end(), rule.begin(), [](char a, char b) { return (a >= 'a' && a <= 'z' ? a - 32 : a) == b; });
}

void SetText(TkGeneralData& d, std::string_view key, std::string_view value) {
  if (key == "GRADIENTDATA") {
    d.GradientData = value;
    ParseGradientOf(d.GradientData, d.Gradient, d.SectionName, "GRADIENTDATA");
  } else if (key == "HOTGRADIENTDATA") {
    d.HotGradientData = value;
    ParseGradientOf(d.HotGradientData, d.HotGradient, d.SectionName, "HOTGRADIENTDATA");
  } else {
    *BoolField(d, key) = SameKey(value, "TRUE");
  }
}

std::string Upper(const std::string& s) { return fw::UpperCase(s); }

// Sections by position, nearest first, at most kMaxParentDepth + 1 of them.
struct TChain {
  std::array<int, kMaxParentDepth + 1> At;
  int Count = 0;
  const int* begin() const { return At.data(); }
  const int* end() const { return At.data() + Count; }
};

// The sections a key of section start is looked for in, nearest first: start, then the one
// parentOf(start) names, and so on up. The walk stops at -1, at a section already in the chain (a
// loop, the section itself included) and after kMaxParentDepth parents; so every section costs
// at most that many steps.
template <class ParentOf>
TChain ParentChain(int start, const ParentOf& parentOf) {
  TChain chain;
  chain.At[chain.Count++] = start;
  while (chain.Count <= kMaxParentDepth) {
    const int next = parentOf(chain.At[chain.Count - 1]);
    if (next < 0 || std::find(chain.begin(), chain.end(), next) != chain.end()) break;
    chain.At[chain.Count++] = next;
  }
  return chain;
}

// The position of the section a PARENTCLASS value names; -1 for none, "?" or a missing one.
int ParentIndex(const TkIniView& file, const std::string_view* parent) {
  return !parent || parent->empty() || *parent == "?" ? -1 : file.IndexOf(*parent);
}

// The position of the section a section's PARENTCLASS names.
int ParentOf(const TkIniView& file, int section) { return ParentIndex(file, file.Value(section, "PARENTCLASS")); }

// The first value along the chain that is not "?"; valueOf(section) is null when it lacks the key.
template <class ValueOf>
std::string_view ChainString(const TChain& chain, const ValueOf& valueOf, std::string_view defaultValue) {
  for (int index : chain) {
    const std::string_view* value = valueOf(index);
    if (value && *value != "?") return *value;
  }
  return defaultValue;
}

// The first number along the chain other than -1.
template <class ValueOf>
int ChainInteger(const TChain& chain, const ValueOf& valueOf, int defaultValue) {
  for (int index : chain) {
    const std::string_view* text = valueOf(index);
    int value;
    if (text && fw::TryStrToInt(std::string(*text), value) && value != -1) return value;
  }
  return defaultValue;
}

// The position in kKeys of a key of the file, -1 for none of them.
int KeyRule(std::string_view key) {
  for (size_t k = 0; k < std::size(kKeys); ++k)
    if (SameKey(key, kKeys[k].Key)) return static_cast<int>(k);
  return -1;
}

// What the sections of a skin file write of the keys of kKeys, and their parents, read in one
// pass over their lines: the loader resolves each section from these without searching the file
// again. Only the sections that write any of the keys take a row of values.
struct TKeySlots {
  using TOwn = std::array<const std::string_view*, std::size(kKeys)>;
  std::vector<TOwn> Own;   // per writing section: the value of each key, null when not written
  std::vector<int> OwnOf;  // per section: its row in Own, -1 when it writes none of the keys
  std::vector<const std::string_view*> ParentClass;  // per section: its PARENTCLASS, null when none
  std::vector<int> Parent;  // per section: ParentOf

  explicit TKeySlots(const TkIniView& file)
      : OwnOf(file.SectionCount(), -1), ParentClass(OwnOf.size()), Parent(OwnOf.size()) {
    for (int s = 0; s < file.SectionCount(); ++s) {
      for (const TkIniView::TEntry& entry : file.Entries(s)) {
        if (!entry.First) continue;
        const int k = KeyRule(entry.Key);
        if (k < 0) {
          if (SameKey(entry.Key, "PARENTCLASS")) ParentClass[s] = &entry.Value;
          continue;
        }
        if (OwnOf[s] < 0) {
          OwnOf[s] = static_cast<int>(Own.size());
          Own.emplace_back().fill(nullptr);
        }
        Own[OwnOf[s]][k] = &entry.Value;
      }
      Parent[s] = ParentIndex(file, ParentClass[s]);
    }
  }
  // The value key (a position in kKeys) of a section has of its own, null when none.
  const std::string_view* Value(int section, int key) const {
    return section < 0 || OwnOf[section] < 0 ? nullptr : Own[OwnOf[section]][key];
  }
  // The places a key of the section at index is looked for: those of its chain that write any.
  TChain Chain(int index) const {
    const TChain all = ParentChain(index, [this](int s) { return Parent[s]; });
    TChain writers;
    for (int s : all)
      if (OwnOf[s] >= 0) writers.At[writers.Count++] = s;
    return writers;
  }
};

// The keys of kKeys into d, each from the first section of chain that has it (SHADOWCOLOR only
// from self, the section's own position, -1 for none), else the default.
void ResolveKeys(TkGeneralData& d, const TKeySlots& slots, const TChain& chain, int self) {
  for (int i = 0; i < static_cast<int>(std::size(kKeys)); ++i) {
    const TKeyRule& rule = kKeys[i];
    auto valueOf = [&](int section) { return slots.Value(section, i); };
    if (rule.Kind != kInt) {
      SetText(d, rule.Key, ChainString(chain, valueOf, rule.TextDefault));
    } else if (i == 4) {
      d.ShadowColor = valueOf(self) ? fw::StrToIntDef(std::string(*valueOf(self)), rule.IntDefault) : rule.IntDefault;
    } else {
      StoreInt(d, i, ChainInteger(chain, valueOf, rule.IntDefault));
    }
  }
  d.Color = fw::ColorToRGB(d.Color);
}

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
  const TChain chain = ParentChain(file.IndexOf(section), [&](int s) { return ParentOf(file, s); });
  return std::string(ChainString(chain, [&](int s) { return file.Value(s, key); }, defaultValue));
}

int ReadInheritedInteger(const TkIniView& file, const std::string& section, const std::string& key,
                         int defaultValue) {
  const TChain chain = ParentChain(file.IndexOf(section), [&](int s) { return ParentOf(file, s); });
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
  sections.reserve(file.SectionCount());
  const TKeySlots slots(file);
  // What a section takes that neither writes nor inherits any of the keys, worked out once.
  TkGeneralData defaults;
  ResolveKeys(defaults, slots, TChain(), -1);
  for (int s = 0; s < file.SectionCount(); ++s) {
    const int self = file.FirstOfName(s);  // a name that stands twice reads as its first section
    const TChain chain = slots.Chain(self);
    TkGeneralData& d = chain.Count == 0 ? sections.emplace_back(defaults) : sections.emplace_back();
    d.SectionName = file.SectionName(s);
    const std::string_view* parent = slots.ParentClass[self];
    d.ParentClass = parent ? *parent : std::string_view();
    if (chain.Count > 0) ResolveKeys(d, slots, chain, self);
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
          int value = ReadListInteger(blocks, block, std::string(rule.Key), -1);
          if (value == -1) value = parent >= 0 ? LoadInt(sections[parent], i) : rule.IntDefault;
          StoreInt(d, i, value);
          continue;
        }
        std::string value = ReadListString(blocks, block, std::string(rule.Key), "?");
        if (rule.Kind == kBool) value = Upper(value);
        if (value != "?") {
          SetText(d, rule.Key, value);
        } else if (rule.Kind == kBool) {
          *BoolField(d, rule.Key) = parent >= 0 && *BoolField(sections[parent], rule.Key);
        } else {
          const bool hot = rule.Key == "HOTGRADIENTDATA";
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
