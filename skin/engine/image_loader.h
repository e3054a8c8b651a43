// Filling the mask table, the pattern table and the master bitmap from a skin file, a stored
// skin and the manager's CommonSections text. The tables are emptied by the caller.
#pragma once
#include <memory>
#include <string>

#include "skin/engine/ini_view.h"
#include "skin/engine/mask_data.h"
#include "skin/engine/skin_limits.h"
#include "skin/engine/skin_pictures.h"

namespace skin {

class TkStoredSkin;

// Where the loaders put what they read.
struct TkImageTables {
  TkMaskArray& Masks;
  TkPatternArray& Patterns;
  std::shared_ptr<fw::TBitmap>& Master;
  TkSkinManager* Manager;
  // The skin's folder (with its trailing backslash): image names without ":" are found in it.
  std::string SkinPath;
  // The picture files read so far by this load: a file named by several values (or by the
  // skin file and CommonSections) is decoded once.
  std::shared_ptr<TkSkinPictures> Pictures = std::make_shared<TkSkinPictures>();
};

// A picture file of a skin, read in full and closed again; a picture that cannot be read (or
// a JPEG whose data is damaged) raises ESkinLoadError naming the file.
std::unique_ptr<fw::TBitmap> LoadSkinBitmap(const std::string& fileName);
std::unique_ptr<fw::TJPEGImage> LoadSkinJpeg(const std::string& fileName);

// The skin file: MASTERBITMAP, then every key of every section that holds an image value.
void LoadMasksFromFile(const TkIniView& file, TkImageTables& tables);
void LoadMasksFromFile(const fw::TMemIniFile& file, TkImageTables& tables);
// The stored skin (none: nothing).
void LoadMasksFromStored(const TkStoredSkin* skin, TkImageTables& tables);
// The "#" values (with a master bitmap) and bitmap files of CommonSections.
void MergeCommonMasks(const fw::TStrings& lines, TkImageTables& tables);

void LoadPatternsFromFile(const TkIniView& file, TkImageTables& tables);
void LoadPatternsFromFile(const fw::TMemIniFile& file, TkImageTables& tables);
void LoadPatternsFromStored(const TkStoredSkin* skin, TkImageTables& tables);
void MergeCommonPatterns(const fw::TStrings& lines, TkImageTables& tables);

}  // namespace skin
