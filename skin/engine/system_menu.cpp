#include "skin/engine/system_menu.h"

#include "framework/classes/string_list.h"
#include "framework/forms/application.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/skin_provider.h"

namespace skin {

namespace {

constexpr char kSkinItemName[] = "SkinSelectItem";
constexpr int kSkinsPerColumn = 20;

// A caption shows '&' as an accelerator mark; "&&" shows it as itself.
std::string MenuCaptionOf(const std::string& name) {
  std::string caption;
  for (char c : name) {
    caption += c;
    if (c == '&') caption += '&';
  }
  return caption;
}

}  // namespace

TkSystemMenu::TkSystemMenu(TkSkinProvider* provider) : fw::TPopupMenu(provider), FProvider(provider) {
  ItemRestore = MakeItem("Restore", "ItemRestore", [this](fw::TObject*) {
    SysCommand(SC_RESTORE);
    UpdateItems();
  });
  ItemMove = MakeItem("Move", "ItemMove", [this](fw::TObject*) { SysCommand(SC_MOVE); });
  ItemSize = MakeItem("Size", "ItemSize", [this](fw::TObject*) { SysCommand(SC_SIZE); });
  ItemMinimize = MakeItem("Minimize", "ItemMinimize", [this](fw::TObject*) {
    SysCommand(SC_MINIMIZE);
    UpdateItems();
  });
  ItemMaximize = MakeItem("Maximize", "ItemMaximize", [this](fw::TObject*) {
    if (FForm) FForm->SetWindowState(fw::wsMaximized);
    SysCommand(SC_MAXIMIZE);
    UpdateItems();
  });
  MakeItem("-", "", nullptr);
  ItemClose = MakeItem("Close", "ItemClose", [this](fw::TObject*) { SysCommand(SC_CLOSE); });
  ItemClose->SetShortCut(fw::scAlt | VK_F4);
}

fw::TMenuItem* TkSystemMenu::MakeItem(const std::string& caption, const std::string& name, fw::TNotifyEvent click) {
  auto* item = fw::New<fw::TMenuItem>(this);
  item->SetCaption(caption);
  item->SetName(name);
  item->OnClick = std::move(click);
  GetItems()->Add(item);
  return item;
}

void TkSystemMenu::SysCommand(WPARAM command) {
  if (FForm && FForm->HandleAllocated()) SendMessageA(FForm->GetHandle(), WM_SYSCOMMAND, command, 0);
}

bool TkSystemMenu::Iconic() const { return FForm && FForm->HandleAllocated() && IsIconic(FForm->GetHandle()); }

void TkSystemMenu::UpdateItems() {
  if (!FForm) return;
  ItemRestore->SetVisible(VisibleRestore());
  ItemMove->SetVisible(true);
  ItemSize->SetVisible(VisibleSize());
  ItemMinimize->SetVisible(VisibleMin());
  ItemMaximize->SetVisible(VisibleMax());
  ItemClose->SetVisible(VisibleClose());
  ItemRestore->SetEnabled(EnabledRestore());
  ItemMove->SetEnabled(EnabledMove());
  ItemSize->SetEnabled(EnabledSize());
  ItemMinimize->SetEnabled(EnabledMin());
  ItemMaximize->SetEnabled(EnabledMax());
  ItemClose->SetEnabled(true);
}

bool TkSystemMenu::VisibleClose() const { return FProvider->GetBorderIcons().Contains(fw::biSystemMenu); }

bool TkSystemMenu::VisibleMax() const {
  if (!FForm) return false;
  if (Iconic()) return true;
  const fw::TFormBorderStyle style = FForm->GetBorderStyle();
  if (style == fw::bsDialog) return false;
  if (style == fw::bsSingle && !FProvider->GetBorderIcons().Contains(fw::biMaximize)) return false;
  return style != fw::bsNone && style != fw::bsToolWindow && style != fw::bsSizeToolWin && VisibleClose();
}

bool TkSystemMenu::VisibleMin() const {
  if (!FForm) return false;
  if (Iconic()) return true;
  const fw::TFormBorderStyle style = FForm->GetBorderStyle();
  if (style == fw::bsDialog || style == fw::bsNone) return false;
  if (style == fw::bsSingle && !FProvider->GetBorderIcons().Contains(fw::biMinimize)) return false;
  return style != fw::bsToolWindow && style != fw::bsSizeToolWin && VisibleClose();
}

bool TkSystemMenu::VisibleRestore() const {
  const fw::TFormBorderStyle style = FForm->GetBorderStyle();
  return style != fw::bsDialog && style != fw::bsNone && style != fw::bsSizeToolWin && style != fw::bsToolWindow &&
         VisibleClose();
}

bool TkSystemMenu::VisibleSize() const {
  const fw::TFormBorderStyle style = FForm->GetBorderStyle();
  return style != fw::bsDialog && style != fw::bsNone && style != fw::bsToolWindow;
}

bool TkSystemMenu::EnabledRestore() const {
  const fw::TWindowState state = FForm->GetWindowState();
  return (FProvider->GetBorderIcons().Contains(fw::biMaximize) && state != fw::wsNormal) || state == fw::wsMinimized;
}

bool TkSystemMenu::EnabledMove() const { return FForm->GetWindowState() != fw::wsMaximized; }

bool TkSystemMenu::EnabledSize() const { return FForm->GetBorderStyle() != fw::bsSingle && !Iconic(); }

bool TkSystemMenu::EnabledMin() const {
  return FProvider->GetBorderIcons().Contains(fw::biMinimize) && FForm->GetWindowState() != fw::wsMinimized;
}

bool TkSystemMenu::EnabledMax() const {
  const fw::TFormBorderStyle style = FForm->GetBorderStyle();
  return FProvider->GetBorderIcons().Contains(fw::biMaximize) && FForm->GetWindowState() != fw::wsMaximized &&
         (style == fw::bsSingle || style == fw::bsSizeable || style == fw::bsSizeToolWin);
}

void TkSystemMenu::RemoveSkinItems() {
  fw::TMenuItem* root = GetItems();
  if (root->GetCount() == 0 || root->GetItems(0)->GetName() != kSkinItemName) return;
  root->Delete(0);
  // The separator that followed the submenu goes with it.
  if (root->GetCount() > 0 && root->GetItems(0)->IsLine()) root->Delete(0);
}

void TkSystemMenu::MakeSkinItems() {
  TkSkinManager* manager = FProvider->GetSkinData()->GetSkinManager();
  if (!manager) return;
  fw::TStringList names;
  std::string first;
  manager->GetSkinNames(names, first);
  if (names.GetCount() == 0) return;
  auto* sub = fw::New<fw::TMenuItem>(this);
  sub->SetName(kSkinItemName);
  sub->SetCaption("Available skins");
  auto* line = fw::New<fw::TMenuItem>(this);
  line->SetCaption("-");
  GetItems()->Insert(0, sub);
  GetItems()->Insert(1, line);
  for (int i = 0; i < names.GetCount(); ++i) {
    const std::string name = names.GetStrings(i);
    auto* item = fw::New<fw::TMenuItem>(this);
    item->SetName(kSkinItemName + std::to_string(i));
    item->SetCaption(MenuCaptionOf(name));
    item->SetRadioItem(true);
    item->SetChecked(name == manager->GetSkinName());
    if (i > 0 && i % kSkinsPerColumn == 0) item->SetBreak(fw::mbBreak);
    // The item keeps the skin's own name: its caption may carry doubled '&'.
    item->OnClick = [this, name](fw::TObject*) {
      if (TkSkinManager* m = FProvider->GetSkinData()->GetSkinManager()) m->SetSkinName(name);
    };
    sub->Add(item);
  }
}

TkTitleIcon::TkTitleIcon() : FGlyph(std::make_unique<fw::TBitmap>()) {}

TkTitleButton::TkTitleButton(fw::TCollection* collection)
    : fw::TCollectionItem(collection), FGlyph(std::make_unique<fw::TBitmap>()), FName("TkTitleButton") {}

void TkTitleButton::MouseDown(fw::TMouseButton button, fw::TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TkTitleButton::MouseUp(fw::TMouseButton button, fw::TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

TkTitleButtons::TkTitleButtons(TkSkinProvider* provider)
    : fw::TCollection(provider, fw::TCollection::ItemFactory<TkTitleButton>()) {}

}  // namespace skin
