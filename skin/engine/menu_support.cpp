#include "skin/engine/menu_support.h"

#include "skin/engine/skin_manager.h"

namespace skin {

int TkSkinableMenus::GetSkinBorderWidth() {
  if (FSkinBorderWidth < 0 && FManager) {
    int index = FManager->GetMaskIndexBySection("MAINMENU", "BORDERSMASK");
    if (index < 0) {
      FSkinBorderWidth = 0;
    } else {
      int width = FManager->GetMasks()[index].BorderWidth;
      FSkinBorderWidth = width < 1 ? 3 : width;
    }
  }
  return FSkinBorderWidth;
}

void TkSkinableMenus::UpdateMenus() {
  if (FManager) SetActive(FManager->GetSkinData()->SkinReady);
}

}  // namespace skin
