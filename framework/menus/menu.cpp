#include "framework/menus/menu.h"

#include "framework/graphics/image_list.h"

namespace fw {

TMenu::TMenu(TComponent* owner) : TComponent(owner), FItems(New<TMenuItem>(nullptr)) { FItems->FMenu = this; }

TMenu::~TMenu() {
  if (FItems) {
    FItems->FMenu = nullptr;
    FItems->Free();
  }
}

void TMenu::FreeParentLinks() {
  TMenuItem* items = FItems;
  FItems = nullptr;
  items->FMenu = nullptr;
  items->Free();
  TComponent::FreeParentLinks();
}

void TMenu::SetImages(TCustomImageList* images) {
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = images;
  if (images) images->FreeNotification(this);
}

void TMenu::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove && component == FImages) FImages = nullptr;
}

void TMenu::SetOwnerDraw(bool v) {
  if (v == FOwnerDraw) return;
  FOwnerDraw = v;
  FItems->Changed();
}

}  // namespace fw
