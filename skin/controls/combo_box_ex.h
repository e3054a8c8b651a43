// TkCustomComboBoxEx/TkComboBoxEx: the extended combo box, an owner-drawn skinned combo whose
// items (ItemsEx, TkComboItems of TkComboItem) carry an image, a selected image, an overlay
// image and an indent, drawn from Images. A list row's image sits in its row, moved right by
// 16 pixels per indent level; the edit area shows the selected item's image without indent.
#pragma once
#include <memory>
#include <string>

#include "framework/core/collection.h"
#include "framework/graphics/image_list.h"
#include "skin/controls/common_combo.h"

namespace skin {

class TkCustomComboBoxEx;

// Where an item's image goes: in the edit area (height - image height) div 2 from the control's
// top and left; in a list row offset by the row's origin and centred on its height, then moved
// right by 16 pixels per indent level (an indent of 1 or more).
fw::TRect ComboExImageRect(const fw::TRect& item, bool editArea, int controlHeight, int imageWidth, int imageHeight,
                           int indent);

class TkComboItem : public fw::TCollectionItem {
  FW_CLASS(TkComboItem, fw::TCollectionItem)
 public:
  using fw::TCollectionItem::TCollectionItem;

  const std::string& GetCaption() const { return FCaption; }
  // The shown text; the combo's list follows.
  void SetCaption(const std::string& value);
  int GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(int value) { FImageIndex = value; }
  int GetSelectedImageIndex() const { return FSelectedImageIndex; }
  void SetSelectedImageIndex(int value) { FSelectedImageIndex = value; }
  int GetOverlayImageIndex() const { return FOverlayImageIndex; }
  void SetOverlayImageIndex(int value) { FOverlayImageIndex = value; }
  int GetIndend() const { return FIndend; }
  void SetIndend(int value) { FIndend = value; }
  void* GetData() const { return FData; }
  void SetData(void* value) { FData = value; }

 private:
  std::string FCaption;
  int FImageIndex = -1;
  int FSelectedImageIndex = -1;
  int FOverlayImageIndex = -1;
  int FIndend = -1;
  void* FData = nullptr;
};

class TkComboItems : public fw::TCollection {
  FW_CLASS(TkComboItems, fw::TCollection)
 public:
  explicit TkComboItems(TkCustomComboBoxEx* owner);

  TkComboItem* AddItem(const std::string& caption, int imageIndex, int selectedImageIndex, int overlayImageIndex,
                       int indent, void* data);
  TkComboItem* GetItem(int index) const { return static_cast<TkComboItem*>(GetItems(index)); }
  TkCustomComboBoxEx* Combo() const { return FCombo; }

 private:
  TkCustomComboBoxEx* FCombo;
};

class TkCustomComboBoxEx : public TkCommonComboBox {
  FW_CLASS(TkCustomComboBoxEx, fw::TWinControl)
 public:
  explicit TkCustomComboBoxEx(fw::TComponent* owner);

  TkComboItems* GetItemsEx() const { return FItemsEx.get(); }
  fw::TCustomImageList* GetImages() const { return FImages; }
  void SetImages(fw::TCustomImageList* value);
  void Clear() override;
  // The list takes the items' captions again (now, or when the window is made).
  void ItemsExChanged();

 protected:
  ~TkCustomComboBoxEx() override;
  void CreateWnd() override;
  void Notification(fw::TComponent* component, fw::TOperation operation) override;
  void Changed() override { UpdateMargins(); }
  void DrawItem(int index, const fw::TRect& rect, fw::TOwnerDrawState state) override;
  void DrawSkinItem(int index, const fw::TRect& rect, fw::TOwnerDrawState state) override;

 private:
  TkComboItem* ItemAt(int index) const;
  std::string CaptionOf(int index) const;
  // The item's image (selected one for a selected list row) at r.
  void DrawImage(int index, const fw::TRect& r, bool selectedRow);
  fw::TRect ImageRect(int index, const fw::TRect& rect, bool editArea) const;
  void UpdateMargins();
  void FillItems();

  std::unique_ptr<TkComboItems> FItemsEx;
  fw::TCustomImageList* FImages = nullptr;
  bool FItemsPending = false;
};

class TkComboBoxEx : public TkCustomComboBoxEx {
  FW_CLASS(TkComboBoxEx, fw::TWinControl)
 public:
  using TkCustomComboBoxEx::TkCustomComboBoxEx;

 protected:
  ~TkComboBoxEx() override = default;
};

}  // namespace skin
