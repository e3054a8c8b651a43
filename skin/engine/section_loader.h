// Filling the section table from the three sources of a skin: its "Options.dat", a stored
// skin, and the manager's CommonSections text.
#pragma once
#include <string>

#include "skin/engine/ini_view.h"
#include "skin/engine/section_data.h"

namespace skin {

class TkStoredSkin;

// A key of a skin-file section; a missing key or "?" asks the section named by PARENTCLASS,
// and so on up, through at most kMaxParentDepth parents; what is still "?" (or a loop of
// parents) gives the default.
std::string ReadInheritedString(const TkIniView& file, const std::string& section, const std::string& key,
                                const std::string& defaultValue);
// The same for integers, with -1 (also a text that is no number) in the place of "?".
int ReadInheritedInteger(const TkIniView& file, const std::string& section, const std::string& key,
                         int defaultValue);

// GLOBALINFO into data, then one entry per section of the file, in file order. A shadow value
// or a gradient word that is not a number raises ESkinLoadError naming section and key.
void LoadSectionsFromFile(const TkIniView& file, TkGeneralDataArray& sections, TkSkinData& data);
void LoadSectionsFromFile(const fw::TMemIniFile& file, TkGeneralDataArray& sections, TkSkinData& data);
// The stored skin's general values into data and one entry per stored section; an item whose
// text does not convert keeps what was copied before the bad value.
void LoadSectionsFromStored(const TkStoredSkin& skin, TkGeneralDataArray& sections, TkSkinData& data);
// One more entry per block of the CommonSections text, a missing value taken from the block's
// parent entry (one level) or the skin-file default.
void AppendCommonSections(const fw::TStrings& lines, TkGeneralDataArray& sections);

}  // namespace skin
