#include "framework/menus/menu_item.h"

#include <algorithm>
#include <map>

#include "framework/graphics/bitmap.h"
#include "framework/menus/menu.h"
#include "framework/rtl/exceptions.h"
#include "framework/rtl/sys_utils.h"
#include "framework/rtl/wide_text.h"
#include "framework/sys/owned_handle.h"

namespace fw {

namespace {
std::map<UINT, TMenuItem*>& Commands() {
  static std::map<UINT, TMenuItem*> commands;
  return commands;
}

UINT NewCommand() {
  static UINT last = 0;
  do {
    last = last >= 0xEFFF ? 1 : last + 1;
  } while (Commands().count(last));
  return last;
}
std::string KeyName(unsigned key) {
  if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return std::string(1, static_cast<char>(key));
  if (key >= VK_F1 && key <= VK_F24) return Format("F%d", static_cast<int>(key - VK_F1 + 1));
  if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9) return Format("Num %d", static_cast<int>(key - VK_NUMPAD0));
  switch (key) {
    case VK_BACK: return "BkSp";
    case VK_TAB: return "Tab";
    case VK_RETURN: return "Enter";
    case VK_ESCAPE: return "Esc";
    case VK_SPACE: return "Space";
    case VK_PRIOR: return "PgUp";
    case VK_NEXT: return "PgDn";
    case VK_END: return "End";
    case VK_HOME: return "Home";
    case VK_LEFT: return "Left";
    case VK_UP: return "Up";
    case VK_RIGHT: return "Right";
    case VK_DOWN: return "Down";
    case VK_INSERT: return "Ins";
    case VK_DELETE: return "Del";
    default: return "";
  }
}
}  // namespace

std::string ShortCutToText(TShortCut shortCut) {
  std::string name = KeyName(shortCut & 0xFF);
  if (name.empty()) return "";
  std::string text;
  if (shortCut & scShift) text += "Shift+";
  if (shortCut & scCtrl) text += "Ctrl+";
  if (shortCut & scAlt) text += "Alt+";
  return text + name;
}

TOwnerDrawState OwnerDrawStateFromItemState(UINT itemState) {
  TOwnerDrawState s;
  if (itemState & ODS_SELECTED) s.Include(odSelected);
  if (itemState & ODS_GRAYED) s.Include(odGrayed);
  if (itemState & ODS_DISABLED) s.Include(odDisabled);
  if (itemState & ODS_CHECKED) s.Include(odChecked);
  if (itemState & ODS_FOCUS) s.Include(odFocused);
  if (itemState & ODS_DEFAULT) s.Include(odDefault);
  if (itemState & ODS_HOTLIGHT) s.Include(odHotLight);
  if (itemState & ODS_INACTIVE) s.Include(odInactive);
  if (itemState & ODS_NOACCEL) s.Include(odNoAccel);
  if (itemState & ODS_NOFOCUSRECT) s.Include(odNoFocusRect);
  if (itemState & 0x1000) s.Include(odComboBoxEdit);
  return s;
}

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), FCommand(NewCommand()) {
  Commands()[FCommand] = this;
}

TMenuItem::~TMenuItem() {
  Commands().erase(FCommand);
  if (FHandle) {
    while (GetMenuItemCount(FHandle) > 0) RemoveMenu(FHandle, 0, MF_BYPOSITION);
    DestroyMenu(FHandle);
  }
}

void TMenuItem::FreeParentLinks() {
  while (!FItems.empty()) {
    TMenuItem* child = FItems.back();
    Remove(child);
    child->Free();
  }
  if (FParent) FParent->Remove(this);
}

TMenuItem* TMenuItem::GetItems(int index) const {
  if (index < 0 || index >= GetCount()) throw EListError(Format("List index out of bounds (%d)", index));
  return FItems[index];
}

void TMenuItem::Add(TMenuItem* item) { Insert(GetCount(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
  if (!item) return;
  if (item->FParent) throw EInvalidOperation("Menu inserted twice");
  if (index < 0 || index > GetCount()) throw EListError(Format("List index out of bounds (%d)", index));
  FItems.insert(FItems.begin() + index, item);
  item->FParent = this;
  Changed();
}

void TMenuItem::Delete(int index) {
  TMenuItem* item = GetItems(index);
  Remove(item);
  item->Free();
}

void TMenuItem::Remove(TMenuItem* item) {
  auto it = std::find(FItems.begin(), FItems.end(), item);
  if (it == FItems.end()) return;
  FItems.erase(it);
  item->FParent = nullptr;
  Changed();
}

void TMenuItem::Clear() {
  while (!FItems.empty()) Delete(GetCount() - 1);
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
  auto it = std::find(FItems.begin(), FItems.end(), item);
  return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

void TMenuItem::SetMenuIndex(int index) {
  if (!FParent) return;
  TMenuItem* parent = FParent;
  parent->Remove(this);
  if (index < 0 || index > parent->GetCount()) index = parent->GetCount();
  parent->Insert(index, this);
}

TMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* root = this;
  while (root->FParent) root = root->FParent;
  return root->FMenu;
}

void TMenuItem::SetCaption(const std::string& caption) {
  if (caption == FCaption) return;
  FCaption = caption;
  Changed();
}

void TMenuItem::TurnSiblingsOff() {
  if (!FParent) return;
  for (TMenuItem* sibling : FParent->FItems)
    if (sibling != this && sibling->FRadioItem && sibling->FGroupIndex == FGroupIndex && sibling->FChecked) {
      sibling->FChecked = false;
      sibling->Changed();
    }
}

void TMenuItem::SetChecked(bool v) {
  if (v == FChecked) return;
  FChecked = v;
  if (v && FRadioItem) TurnSiblingsOff();
  Changed();
}

void TMenuItem::SetRadioItem(bool v) {
  if (v == FRadioItem) return;
  FRadioItem = v;
  if (v && FChecked) TurnSiblingsOff();
  Changed();
}

void TMenuItem::SetEnabled(bool v) {
  if (v == FEnabled) return;
  FEnabled = v;
  Changed();
}

void TMenuItem::SetVisible(bool v) {
  if (v == FVisible) return;
  FVisible = v;
  Changed();
}

void TMenuItem::SetDefault(bool v) {
  if (v == FDefault) return;
  FDefault = v;
  Changed();
}

TBitmap* TMenuItem::GetBitmap() {
  if (!FBitmap) FBitmap = std::make_unique<TBitmap>();
  return FBitmap.get();
}

void TMenuItem::SetBitmap(const TBitmap* bitmap) {
  GetBitmap()->Assign(bitmap);
  Changed();
}

void TMenuItem::SetShortCut(TShortCut v) {
  if (v == FShortCut) return;
  FShortCut = v;
  Changed();
}

void TMenuItem::SetBreak(TMenuBreak v) {
  if (v == FBreak) return;
  FBreak = v;
  Changed();
}

void TMenuItem::Changed() {
  for (TMenuItem* i = this; i; i = i->FParent) i->FDirty = true;
  if (TMenu* menu = GetParentMenu()) menu->MenuChanged(this);
}

HMENU TMenuItem::GetHandle() {
  if (!FHandle || FDirty) RebuildHandle();
  return FHandle;
}

void TMenuItem::RebuildHandle() {
  if (!FHandle) {
    FHandle = (FMenu && FMenu->IsMenuBar()) ? CreateMenu() : CreatePopupMenu();
  } else {
    while (GetMenuItemCount(FHandle) > 0) RemoveMenu(FHandle, 0, MF_BYPOSITION);
  }
  FDirty = false;
  TMenu* menu = GetParentMenu();
  bool ownerDraw = menu && menu->GetOwnerDraw();
  UINT pos = 0;
  for (TMenuItem* item : FItems) {
    if (!item->FVisible) continue;
    std::string caption = item->FCaption;
    if (std::string keys = ShortCutToText(item->FShortCut); !keys.empty()) caption += "\t" + keys;
    caption = ValidUtf8(caption);
    MENUITEMINFOA mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STATE | MIIM_DATA;
    mii.wID = item->FCommand;
    mii.dwItemData = reinterpret_cast<ULONG_PTR>(item);
    if (item->IsLine()) {
      mii.fType = MFT_SEPARATOR;
    } else {
      mii.fMask |= MIIM_STRING;
      mii.dwTypeData = caption.data();
      mii.cch = static_cast<UINT>(caption.size());
    }
    if (ownerDraw) mii.fType |= MFT_OWNERDRAW;
    if (item->FRadioItem) mii.fType |= MFT_RADIOCHECK;
    if (item->FBreak == mbBreak) mii.fType |= MFT_MENUBREAK;
    if (item->FBreak == mbBarBreak) mii.fType |= MFT_MENUBARBREAK;
    if (item->FChecked) mii.fState |= MFS_CHECKED;
    if (!item->FEnabled) mii.fState |= MFS_GRAYED;
    if (item->FDefault) mii.fState |= MFS_DEFAULT;
    if (item->GetCount() > 0) {
      mii.fMask |= MIIM_SUBMENU;
      mii.hSubMenu = item->GetHandle();
    }
    InsertMenuItemA(FHandle, pos++, TRUE, &mii);
  }
}

TMenuItem* TMenuItem::FindItem(UINT command) {
  if (FCommand == command) return this;
  for (TMenuItem* item : FItems)
    if (TMenuItem* found = item->FindItem(command)) return found;
  return nullptr;
}

TMenuItem* TMenuItem::FindByCommand(UINT command) {
  auto it = Commands().find(command);
  return it == Commands().end() ? nullptr : it->second;
}

TMenuItem* TMenuItem::FindBySubmenu(HMENU menu) {
  if (!menu) return nullptr;
  for (auto& [command, item] : Commands())
    if (item->FHandle == menu) return item;
  return nullptr;
}

void TMenuItem::Click() {
  if (FAutoCheck) SetChecked(!FChecked);
  if (OnClick) {
    TNotifyEvent handler = OnClick;
    handler(this);
  }
}

bool DispatchMenuCommand(UINT command) {
  TMenuItem* item = TMenuItem::FindByCommand(command);
  if (!item) return false;
  item->Click();
  return true;
}

bool DispatchMenuMeasure(MEASUREITEMSTRUCT* mis) {
  if (mis->CtlType != ODT_MENU) return false;
  TMenuItem* item = TMenuItem::FindByCommand(mis->itemID);
  if (!item) return false;
  if (item->OnMeasureItem) {
    TWindowDC dc;
    TCanvas canvas;
    canvas.SetHandle(dc.Get());
    int w = static_cast<int>(mis->itemWidth), h = static_cast<int>(mis->itemHeight);
    try {
      item->OnMeasureItem(item, &canvas, w, h);
    } catch (...) {
      canvas.SetHandle(nullptr);
      throw;
    }
    canvas.SetHandle(nullptr);
    mis->itemWidth = static_cast<UINT>(w);
    mis->itemHeight = static_cast<UINT>(h);
  }
  return true;
}

bool DispatchMenuDraw(DRAWITEMSTRUCT* dis) {
  if (dis->CtlType != ODT_MENU) return false;
  TMenuItem* item = TMenuItem::FindByCommand(dis->itemID);
  if (!item) return false;
  if (item->OnAdvancedDrawItem) {
    TCanvas canvas;
    canvas.SetHandle(dis->hDC);
    try {
      item->OnAdvancedDrawItem(item, &canvas, dis->rcItem, OwnerDrawStateFromItemState(dis->itemState));
    } catch (...) {
      canvas.SetHandle(nullptr);
      throw;
    }
    canvas.SetHandle(nullptr);
  }
  return true;
}

bool DispatchMenuMessage(TMessage& msg) {
  switch (msg.Msg) {
    case WM_COMMAND:
      return HiWord(msg.WParam) == 0 && DispatchMenuCommand(LoWord(msg.WParam));
    case WM_MEASUREITEM:
      if (!DispatchMenuMeasure(reinterpret_cast<MEASUREITEMSTRUCT*>(msg.LParam))) return false;
      msg.Result = 1;
      return true;
    case WM_DRAWITEM:
      if (!DispatchMenuDraw(reinterpret_cast<DRAWITEMSTRUCT*>(msg.LParam))) return false;
      msg.Result = 1;
      return true;
    default:
      return false;
  }
}

}  // namespace fw
