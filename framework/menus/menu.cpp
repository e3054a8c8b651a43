#include "framework/menus/menu.h"

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

void TMenu::SetOwnerDraw(bool v) {
  if (v == FOwnerDraw) return;
  FOwnerDraw = v;
  FItems->Changed();
}

}  // namespace fw
