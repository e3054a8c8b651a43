// The skinned form's own system menu, title icon settings and extra title buttons. The menu's
// visibility and enabling tests also decide which caption buttons the provider draws and
// hit-tests. With MakeSkinMenu the menu starts with an "Available skins" submenu.
#pragma once
#include <memory>
#include <string>

#include "framework/core/collection.h"
#include "framework/core/events.h"
#include "framework/forms/custom_form.h"
#include "framework/graphics/bitmap.h"
#include "framework/menus/popup_menu.h"

namespace skin {

class TkSkinProvider;

// A caption button's state (0 normal, 1 hot, 2 pressed), its image and its place in window
// coordinates of the form's cache.
struct TkCaptionButton {
  int State = 0;
  int ImageIndex = -1;
  fw::TRect Rect;
};

class TkSystemMenu : public fw::TPopupMenu {
  FW_CLASS(TkSystemMenu, fw::TPopupMenu)
 public:
  explicit TkSystemMenu(TkSkinProvider* provider);

  fw::TCustomForm* GetForm() const { return FForm; }
  void SetForm(fw::TCustomForm* form) { FForm = form; }
  // Shows, hides, enables and disables the items by the tests below.
  void UpdateItems();
  // Inserts the "Available skins" submenu (a radio item per skin, a new column every 20).
  void MakeSkinItems();
  // Takes the submenu and its separator out again.
  void RemoveSkinItems();

  bool VisibleClose() const;
  bool VisibleMax() const;
  bool VisibleMin() const;
  bool VisibleRestore() const;
  bool VisibleSize() const;
  bool EnabledRestore() const;
  bool EnabledMove() const;
  bool EnabledSize() const;
  bool EnabledMin() const;
  bool EnabledMax() const;

  fw::TMenuItem* ItemRestore = nullptr;
  fw::TMenuItem* ItemMove = nullptr;
  fw::TMenuItem* ItemSize = nullptr;
  fw::TMenuItem* ItemMinimize = nullptr;
  fw::TMenuItem* ItemMaximize = nullptr;
  fw::TMenuItem* ItemClose = nullptr;

 protected:
  ~TkSystemMenu() override = default;

 private:
  fw::TMenuItem* MakeItem(const std::string& caption, const std::string& name, fw::TNotifyEvent click);
  void SysCommand(WPARAM command);
  bool Iconic() const;

  TkSkinProvider* FProvider;
  fw::TCustomForm* FForm = nullptr;
};

// The title icon's own glyph and size; 0 takes the size from the caption height.
class TkTitleIcon : public fw::TPersistent {
  FW_CLASS(TkTitleIcon, fw::TPersistent)
 public:
  TkTitleIcon();
  fw::TBitmap* GetGlyph() const { return FGlyph.get(); }
  void SetGlyph(const fw::TBitmap* glyph) { FGlyph->Assign(glyph); }
  int GetHeight() const { return FHeight; }
  void SetHeight(int v) { FHeight = v; }
  int GetWidth() const { return FWidth; }
  void SetWidth(int v) { FWidth = v; }

 private:
  std::unique_ptr<fw::TBitmap> FGlyph;
  int FHeight = 0;
  int FWidth = 0;
};

// An extra button beside the caption buttons (hit code 1000 + its index).
class TkTitleButton : public fw::TCollectionItem {
  FW_CLASS(TkTitleButton, fw::TCollectionItem)
 public:
  explicit TkTitleButton(fw::TCollection* collection);
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool v) { FEnabled = v; }
  fw::TBitmap* GetGlyph() const { return FGlyph.get(); }
  void SetGlyph(const fw::TBitmap* glyph) { FGlyph->Assign(glyph); }
  const std::string& GetName() const { return FName; }
  void SetName(const std::string& v) { FName = v; }
  bool GetUseSkinData() const { return FUseSkinData; }
  void SetUseSkinData(bool v) { FUseSkinData = v; }
  void MouseDown(fw::TMouseButton button, fw::TShiftState shift, int x, int y);
  void MouseUp(fw::TMouseButton button, fw::TShiftState shift, int x, int y);

  TkCaptionButton Data;
  fw::TMouseEvent OnMouseDown;
  fw::TMouseEvent OnMouseUp;

 private:
  bool FEnabled = true;
  std::unique_ptr<fw::TBitmap> FGlyph;
  std::string FName;
  bool FUseSkinData = true;
};

class TkTitleButtons : public fw::TCollection {
  FW_CLASS(TkTitleButtons, fw::TCollection)
 public:
  explicit TkTitleButtons(TkSkinProvider* provider);
  TkTitleButton* GetItem(int index) const { return static_cast<TkTitleButton*>(GetItems(index)); }
};

}  // namespace skin
