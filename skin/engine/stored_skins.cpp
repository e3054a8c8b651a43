#include "skin/engine/stored_skins.h"

namespace skin {

TkStoredSkin::TkStoredSkin(fw::TCollection* collection)
    : fw::TCollectionItem(collection),
      FGeneralData(new TkSkinGenerals(this)),
      FImages(new TkSkinImages(this)),
      FPatterns(new TkSkinPatterns(this)),
      FMasterBitmap(new fw::TBitmap) {}

TkStoredSkin::~TkStoredSkin() {
  delete FGeneralData;
  delete FImages;
  delete FPatterns;
  delete FMasterBitmap;
}

int TkStoredSkins::IndexOf(const std::string& name) const {
  for (int i = 0; i < GetCount(); ++i)
    if (GetItem(i)->GetName() == name) return i;
  return -1;
}

}  // namespace skin
