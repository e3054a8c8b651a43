// TMenuItem: one entry of a menu tree. Items with children own a native submenu, rebuilt when
// anything in the tree changes; invisible items are left out of the native menu, so native
// positions are visible positions. Each item has a process-unique command id.
#pragma once
#include <functional>
#include <memory>
#include <vector>

#include "framework/core/component.h"
#include "framework/core/events.h"
#include "framework/graphics/canvas.h"
#include "framework/msg/messages.h"

namespace fw {

class TBitmap;
class TMenu;

enum TMenuBreak { mbNone, mbBreak, mbBarBreak };
enum TOwnerDrawStateFlag {
  odSelected, odGrayed, odDisabled, odChecked, odFocused, odDefault, odHotLight, odInactive,
  odNoAccel, odNoFocusRect, odReserved1, odReserved2, odComboBoxEdit,
};
using TOwnerDrawState = TSet<TOwnerDrawStateFlag>;

// A key with its modifiers: the virtual key in the low byte, scShift/scCtrl/scAlt above it.
using TShortCut = unsigned short;
constexpr TShortCut scNone = 0;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
// "Ctrl+Shift+Alt+Key" with the key's own name ("F4", "Del", "A"); empty for scNone or a key
// without a name.
std::string ShortCutToText(TShortCut shortCut);
TOwnerDrawState OwnerDrawStateFromItemState(UINT itemState);

using TMenuMeasureItemEvent = std::function<void(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height)>;
using TAdvancedMenuDrawItemEvent =
    std::function<void(TObject* Sender, TCanvas* ACanvas, TRect ARect, TOwnerDrawState State)>;

class TMenuItem : public TComponent {
  FW_CLASS(TMenuItem, TComponent)
 public:
  explicit TMenuItem(TComponent* owner);

  const std::string& GetCaption() const { return FCaption; }
  void SetCaption(const std::string& caption);
  bool GetChecked() const { return FChecked; }
  void SetChecked(bool v);
  bool GetRadioItem() const { return FRadioItem; }
  void SetRadioItem(bool v);
  int GetGroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int v) { FGroupIndex = v; }
  bool GetAutoCheck() const { return FAutoCheck; }
  void SetAutoCheck(bool v) { FAutoCheck = v; }
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool v);
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool v);
  bool GetDefault() const { return FDefault; }
  void SetDefault(bool v);
  TMenuBreak GetBreak() const { return FBreak; }
  void SetBreak(TMenuBreak v);
  int GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(int v) { FImageIndex = v; }
  bool IsLine() const { return FCaption == "-"; }
  // The item's own glyph, empty until a picture is assigned; made on first use.
  TBitmap* GetBitmap();
  void SetBitmap(const TBitmap* bitmap);
  // Shown after a tab in the item's native text; the item does not take the keys itself.
  TShortCut GetShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut v);

  // --- tree ---
  int GetCount() const { return static_cast<int>(FItems.size()); }
  TMenuItem* GetItems(int index) const;
  void Add(TMenuItem* item);
  void Insert(int index, TMenuItem* item);
  // Removes and frees the child at index.
  void Delete(int index);
  // Takes a child out of this item without freeing it.
  void Remove(TMenuItem* item);
  // Frees every child.
  void Clear();
  int IndexOf(const TMenuItem* item) const;
  TMenuItem* GetParent() const { return FParent; }
  int GetMenuIndex() const { return FParent ? FParent->IndexOf(this) : -1; }
  void SetMenuIndex(int index);
  // The menu whose tree this item belongs to (null if none).
  TMenu* GetParentMenu() const;

  UINT GetCommand() const { return FCommand; }
  // The submenu of an item with children (built on demand).
  HMENU GetHandle();
  // The item with the command id anywhere below this one (or this one).
  TMenuItem* FindItem(UINT command);
  // The item of a command id in the whole process.
  static TMenuItem* FindByCommand(UINT command);
  // The item whose submenu handle this is, in the whole process.
  static TMenuItem* FindBySubmenu(HMENU menu);

  virtual void Click();

  TNotifyEvent OnClick;
  TMenuMeasureItemEvent OnMeasureItem;
  TAdvancedMenuDrawItemEvent OnAdvancedDrawItem;

 protected:
  ~TMenuItem() override;
  void FreeParentLinks() override;

 private:
  friend class TMenu;
  // Something in the tree changed: the native menus are rebuilt when next needed.
  void Changed();
  void RebuildHandle();
  void TurnSiblingsOff();

  std::string FCaption;
  bool FChecked = false;
  bool FRadioItem = false;
  int FGroupIndex = 0;
  bool FAutoCheck = false;
  bool FEnabled = true;
  bool FVisible = true;
  bool FDefault = false;
  TMenuBreak FBreak = mbNone;
  int FImageIndex = -1;
  TShortCut FShortCut = scNone;
  std::unique_ptr<TBitmap> FBitmap;
  UINT FCommand;
  HMENU FHandle = nullptr;
  bool FDirty = true;
  TMenuItem* FParent = nullptr;
  TMenu* FMenu = nullptr;  // set on the root item of a menu
  std::vector<TMenuItem*> FItems;
};

// Runs the item of a command id (WM_COMMAND of a menu); false when no item has it.
bool DispatchMenuCommand(UINT command);
// Owner-draw messages of menu items (WM_MEASUREITEM/WM_DRAWITEM with ODT_MENU); false when not
// a menu item of ours.
bool DispatchMenuMeasure(MEASUREITEMSTRUCT* mis);
bool DispatchMenuDraw(DRAWITEMSTRUCT* dis);
// A window's menu messages (WM_COMMAND with notification code 0, WM_MEASUREITEM, WM_DRAWITEM)
// run on our items; true, with the result set, when one of ours took it.
bool DispatchMenuMessage(TMessage& msg);

}  // namespace fw
