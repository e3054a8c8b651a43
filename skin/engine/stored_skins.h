// Skins stored inside the program: TkStoredSkins, the manager's InternalSkins, holds complete
// skins (sections, mask images, textures and a master bitmap) as items with published-style
// properties, so a stored-skin text can set them one by one (see stored_skin_reader.h).
#pragma once
#include <string>

#include "framework/core/collection.h"
#include "framework/graphics/bitmap.h"
#include "framework/graphics/jpeg_image.h"
#include "skin/engine/mask_data.h"
#include "skin/engine/section_data.h"

namespace skin {

class TkSkinManager;
class TkStoredSkin;

// A plain stored property: Get<Name> and a Set<Name> that only stores.
#define SKIN_STORED_PROPERTY(Type, Name)             \
 public:                                             \
  const Type& Get##Name() const { return F##Name; }  \
  void Set##Name(const Type& value) { F##Name = value; } \
                                                     \
 private:                                            \
  Type F##Name{};

// One section of a stored skin; FontColor and HotFontColor are texts of five numbers.
class TkSkinGeneral : public fw::TCollectionItem {
  FW_CLASS(TkSkinGeneral, fw::TCollectionItem)
 public:
  explicit TkSkinGeneral(fw::TCollection* collection) : fw::TCollectionItem(collection) {}
  SKIN_STORED_PROPERTY(std::string, SectionName)
  SKIN_STORED_PROPERTY(std::string, ParentClass)
  SKIN_STORED_PROPERTY(int, Color)
  SKIN_STORED_PROPERTY(TkControlBevel, Bevel)
  SKIN_STORED_PROPERTY(int, ShadowBlur)
  SKIN_STORED_PROPERTY(int, ShadowColor)
  SKIN_STORED_PROPERTY(bool, ShadowDontUse)
  SKIN_STORED_PROPERTY(bool, ShadowEnabled)
  SKIN_STORED_PROPERTY(bool, ReservedBoolean)
  SKIN_STORED_PROPERTY(int, ShadowOffset)
  SKIN_STORED_PROPERTY(int, ShadowTransparency)
  SKIN_STORED_PROPERTY(std::string, FontColor)
  SKIN_STORED_PROPERTY(std::string, HotFontColor)
  SKIN_STORED_PROPERTY(int, Transparency)
  SKIN_STORED_PROPERTY(int, GradientPercent)
  SKIN_STORED_PROPERTY(std::string, GradientData)
  SKIN_STORED_PROPERTY(int, ImagePercent)
  SKIN_STORED_PROPERTY(bool, ShowFocus)
  SKIN_STORED_PROPERTY(bool, FadingEnabled)
  SKIN_STORED_PROPERTY(int, FadingIntervalIn)
  SKIN_STORED_PROPERTY(int, FadingIntervalOut)
  SKIN_STORED_PROPERTY(int, FadingIterations)
  SKIN_STORED_PROPERTY(int, HotColor)
  SKIN_STORED_PROPERTY(int, HotTransparency)
  SKIN_STORED_PROPERTY(TkControlBevel, HotBevel)
  SKIN_STORED_PROPERTY(int, HotGradientPercent)
  SKIN_STORED_PROPERTY(std::string, HotGradientData)
  SKIN_STORED_PROPERTY(int, HotImagePercent)
  SKIN_STORED_PROPERTY(int, BorderColor1)
  SKIN_STORED_PROPERTY(int, BorderColor2)
  SKIN_STORED_PROPERTY(std::string, Name)
};

// One mask image: its own picture when Name is not empty, else Left..Bottom in the master
// bitmap.
class TkSkinImage : public fw::TCollectionItem {
  FW_CLASS(TkSkinImage, fw::TCollectionItem)
 public:
  explicit TkSkinImage(fw::TCollection* collection) : fw::TCollectionItem(collection) {}
  SKIN_STORED_PROPERTY(std::string, SectionName)
 public:
  fw::TBitmap* GetImage() { return &FImage; }
  const fw::TBitmap* GetImage() const { return &FImage; }
  void SetImage(const fw::TBitmap* value) { FImage.Assign(value); }
  const std::string& GetName() const { return FName; }
  void SetName(const std::string& value) {
    if (value != FName) FName = value;
  }
  SKIN_STORED_PROPERTY(std::string, PropertyName)
  SKIN_STORED_PROPERTY(int, Left)
  SKIN_STORED_PROPERTY(int, Top)
  SKIN_STORED_PROPERTY(int, Right)
  SKIN_STORED_PROPERTY(int, Bottom)
  SKIN_STORED_PROPERTY(int, ImageCount)
  SKIN_STORED_PROPERTY(int, MaskType)
  SKIN_STORED_PROPERTY(int, BorderWidth)
  SKIN_STORED_PROPERTY(int, StretchMode)
  SKIN_STORED_PROPERTY(TkImgType, ImgType)
  SKIN_STORED_PROPERTY(int, WL)
  SKIN_STORED_PROPERTY(int, WR)
  SKIN_STORED_PROPERTY(int, WT)
  SKIN_STORED_PROPERTY(int, WB)

 private:
  fw::TBitmap FImage;
  std::string FName;
};

// One large texture; items with the same Name share the picture of the first that has one.
class TkSkinPattern : public fw::TCollectionItem {
  FW_CLASS(TkSkinPattern, fw::TCollectionItem)
 public:
  explicit TkSkinPattern(fw::TCollection* collection) : fw::TCollectionItem(collection) {}
  SKIN_STORED_PROPERTY(std::string, SectionName)
 public:
  fw::TJPEGImage* GetImage() { return &FImage; }
  const fw::TJPEGImage* GetImage() const { return &FImage; }
  void SetImage(const fw::TJPEGImage* value) { FImage.Assign(value); }
  const std::string& GetName() const { return FName; }
  void SetName(const std::string& value) {
    if (value != FName) FName = value;
  }
  SKIN_STORED_PROPERTY(std::string, PropertyName)

 private:
  fw::TJPEGImage FImage;
  std::string FName;
};

// A collection of T items owned by a stored skin (or, for the skins, by the manager).
template <class T>
class TkSkinCollection : public fw::TCollection {
 public:
  explicit TkSkinCollection(fw::TPersistent* owner) : fw::TCollection(owner, fw::TCollection::ItemFactory<T>()) {}
  T* GetItem(int index) const { return static_cast<T*>(GetItems(index)); }
  T* AddItem() { return static_cast<T*>(Add()); }
};

class TkSkinGenerals : public TkSkinCollection<TkSkinGeneral> {
  FW_CLASS(TkSkinGenerals, fw::TCollection)
 public:
  using TkSkinCollection::TkSkinCollection;
};
class TkSkinImages : public TkSkinCollection<TkSkinImage> {
  FW_CLASS(TkSkinImages, fw::TCollection)
 public:
  using TkSkinCollection::TkSkinCollection;
};
class TkSkinPatterns : public TkSkinCollection<TkSkinPattern> {
  FW_CLASS(TkSkinPatterns, fw::TCollection)
 public:
  using TkSkinCollection::TkSkinCollection;
};

// One complete stored skin.
class TkStoredSkin : public fw::TCollectionItem {
  FW_CLASS(TkStoredSkin, fw::TCollectionItem)
 public:
  explicit TkStoredSkin(fw::TCollection* collection);
  ~TkStoredSkin() override;

  const std::string& GetName() const { return FName; }
  void SetName(const std::string& value) {
    if (value != FName) FName = value;
  }
  TkSkinGenerals* GetGeneralData() const { return FGeneralData; }
  TkSkinImages* GetImages() const { return FImages; }
  TkSkinPatterns* GetPatterns() const { return FPatterns; }
  // Writing a collection assigns it, which the items do not support (EConvertError).
  void SetGeneralData(const TkSkinGenerals* value) { FGeneralData->Assign(value); }
  void SetImages(const TkSkinImages* value) { FImages->Assign(value); }
  void SetPatterns(const TkSkinPatterns* value) { FPatterns->Assign(value); }
  fw::TBitmap* GetMasterBitmap() const { return FMasterBitmap; }
  void SetMasterBitmap(const fw::TBitmap* value) { FMasterBitmap->Assign(value); }
  SKIN_STORED_PROPERTY(int, Shadow1Color)
  SKIN_STORED_PROPERTY(int, Shadow1Offset)
 public:
  int GetShadow1Blur() const { return FShadow1Blur; }
  void SetShadow1Blur(int value) { FShadow1Blur = value; }
  SKIN_STORED_PROPERTY(int, Shadow1Transparency)
  SKIN_STORED_PROPERTY(double, Version)
  SKIN_STORED_PROPERTY(std::string, Author)
  SKIN_STORED_PROPERTY(std::string, Description)

 private:
  std::string FName;
  TkSkinGenerals* FGeneralData;
  TkSkinImages* FImages;
  TkSkinPatterns* FPatterns;
  fw::TBitmap* FMasterBitmap;
  int FShadow1Blur = -1;
};

// The manager's InternalSkins.
class TkStoredSkins : public TkSkinCollection<TkStoredSkin> {
  FW_CLASS(TkStoredSkins, fw::TCollection)
 public:
  using TkSkinCollection::TkSkinCollection;
  // The first item whose Name equals name exactly (letter case counts), -1 when none.
  int IndexOf(const std::string& name) const;
};

}  // namespace skin
