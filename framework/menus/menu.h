// TMenu: the base of popup and main menus: a root item whose children are the entries.
#pragma once
#include "framework/menus/menu_item.h"

namespace fw {

class TCustomImageList;

class TMenu : public TComponent {
  FW_CLASS(TMenu, TComponent)
 public:
  explicit TMenu(TComponent* owner);

  TMenuItem* GetItems() const { return FItems; }
  // The native menu of the root item.
  HMENU GetHandle() { return FItems->GetHandle(); }
  bool GetOwnerDraw() const { return FOwnerDraw; }
  void SetOwnerDraw(bool v);
  // The pictures of the items' ImageIndex (not owned), or null.
  TCustomImageList* GetImages() const { return FImages; }
  void SetImages(TCustomImageList* images);
  // The item with the command id, or null.
  TMenuItem* FindItem(UINT command) const { return FItems->FindItem(command); }
  // A menu bar (CreateMenu) rather than a popup menu.
  virtual bool IsMenuBar() const { return false; }
  // Told when an item of the tree changed.
  virtual void MenuChanged(TMenuItem*) {}

 protected:
  ~TMenu() override;
  void FreeParentLinks() override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  TCustomImageList* FImages = nullptr;
  TMenuItem* FItems;
  bool FOwnerDraw = false;
};

}  // namespace fw
