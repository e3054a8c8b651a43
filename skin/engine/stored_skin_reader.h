// Reads stored skins from their text: one block per item ([StoredSkin], then its [General],
// [Image] and [Pattern] items), each with Property=Value lines set through the item's setters
// in the order they stand. Pictures are named by resource: BITMAP resources for bitmaps, RCDATA
// resources for JPEG pictures.
#pragma once
#include <string>

#include "framework/win.h"

namespace skin {

class TkStoredSkins;

// The name of the RCDATA resource holding the program's stored skins.
inline constexpr char kStoredSkinsResource[] = "STOREDSKINS";

// Adds the skins of the text to skins. A line that names no property of its item, or a value
// that does not convert, raises EConvertError naming the line.
void ReadStoredSkins(const std::string& text, HINSTANCE pictures, TkStoredSkins& skins);
// The same from the program's own resource.
void LoadStoredSkinResource(TkStoredSkins& skins);

}  // namespace skin
