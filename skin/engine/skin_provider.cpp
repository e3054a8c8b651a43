#include "skin/engine/skin_provider.h"

#include <algorithm>

#include "framework/forms/application.h"
#include "framework/graphics/icon.h"
#include "framework/menus/main_menu.h"
#include "framework/rtl/seams.h"
#include "skin/controls/grip.h"
#include "skin/engine/glyphs_text.h"
#include "skin/engine/mask_paint.h"
#include "skin/engine/mdi_form.h"
#include "skin/engine/scroll_bar.h"
#include "skin/engine/section_paint.h"
#include "skin/engine/skin_command.h"
#include "skin/engine/skin_engine.h"
#include "skin/engine/skin_manager.h"

namespace skin {

TkResizeTracking ResizeTracking;
TkSkinProvider* MDIParentProvider = nullptr;
TkSkinProvider* MaximizedChildProvider = nullptr;
bool PendingMaximize = false;

namespace {

constexpr int kProviderCtrlType = 224;
constexpr int kFallbackButton = 21;
constexpr int kFallbackMdiButton = 16;
constexpr int kLargeChange = 80;

bool IsDestroying(const fw::TComponent* c) { return c && c->GetComponentState().Contains(fw::csDestroying); }
bool IsLoading(const fw::TComponent* c) { return c && c->GetComponentState().Contains(fw::csLoading); }

// The width of one frame of a mask; fallback for a mask that is no valid image.
int FrameWidthOf(const TkSkinManager* m, int index, int fallback) {
  if (!m || !m->IsValidImgIndex(index)) return fallback;
  const TkMaskData& mask = m->GetMasks()[index];
  if (mask.ImageCount < 1) return fallback;
  return (mask.Bmp ? mask.Bmp->GetWidth() : mask.R.Width()) / mask.ImageCount;
}

int FrameHeightOf(const TkSkinManager* m, int index, int fallback) {
  if (!m || !m->IsValidImgIndex(index)) return fallback;
  const TkMaskData& mask = m->GetMasks()[index];
  if (mask.ImageCount < 1) return fallback;
  return mask.Bmp ? mask.Bmp->GetHeight() / 2 : mask.R.Height() / (mask.MaskType + 1);
}

bool Inside(const fw::TRect& r, fw::TPoint p) {
  return p.X >= r.Left && p.X <= r.Right && p.Y >= r.Top && p.Y <= r.Bottom;
}

}  // namespace

// --- construction ---

TkSkinProvider::TkSkinProvider(fw::TComponent* owner)
    : fw::TComponent(owner),
      FForm(GetOwnerForm(owner)),
      FSkinData(std::make_unique<TkCommonData>(this, true)),
      FTitleButtons(std::make_unique<TkTitleButtons>(this)),
      FTitleIcon(std::make_unique<TkTitleIcon>()) {
  FSkinData->SetSkinSection("FORM");
  FSkinData->CtrlTypeIndex = kProviderCtrlType;
  FButtonMin.ImageIndex = FButtonMax.ImageIndex = FButtonClose.ImageIndex = FButtonHelp.ImageIndex = -1;
  if (!FForm) return;
  FFormHadAutoScroll = FForm->GetAutoScroll();
  FForm->SetDoubleBuffered(false);
  FButtonsBgBmp = CreateBitmap24(0, 0);
  FMenuLineBmp = CreateBitmap24(0, 0);
  FForm->SetAutoScroll(false);
  FSavedBorderIcons = FForm->GetBorderIcons();
  FBorderIconsPending = true;
  FSavedBorderStyle = FForm->GetBorderStyle();
  FOldWndProc = FForm->GetWindowProc();
  FForm->SetWindowProc([this](fw::TMessage& m) { NewWndProc(m); });
  FFormActive = true;
}

TkSkinProvider::~TkSkinProvider() = default;

void TkSkinProvider::BeforeDestruction() {
  if (FForm && FOldWndProc) {
    FForm->SetWindowProc(FOldWndProc);
    FOldWndProc = nullptr;
  }
  if (IsMDIChild() && FForm->GetMenu())
    if (TkSkinProvider* parent = LiveParent()) {
      parent->FSkinData->BGChanged = true;
      parent->FMenuLineRows = -1;
      if (parent->FForm->HandleAllocated()) SendMessageA(parent->FForm->GetHandle(), WM_NCPAINT, 0, 0);
    }
  FMDIForm.reset();
  if (MDIParentProvider == this) MDIParentProvider = nullptr;
  if (MaximizedChildProvider == this) MaximizedChildProvider = nullptr;
  if (ResizeTracking.Active) ResizeTracking = TkResizeTracking{};
  fw::TComponent::BeforeDestruction();
}

void TkSkinProvider::AfterConstruction() {
  fw::TComponent::AfterConstruction();
  if (FSkinData->GetSkinManager() && !Designing()) PrepareForm();
}

void TkSkinProvider::Loaded() {
  fw::TComponent::Loaded();
  TkSkinManager* m = FSkinData->GetSkinManager();
  if (!m || Designing() || !Skinned()) return;
  PrepareForm();
  if (FSystemMenu) FSystemMenu->UpdateItems();
  for (int i = 0; i < FTitleButtons->GetCount(); ++i) {
    TkTitleButton* b = FTitleButtons->GetItem(i);
    b->Data.ImageIndex = b->GetUseSkinData() ? FTitleButtonMask : -1;
  }
  if (FMDIForm) {
    fw::Application->ProcessMessages();
    FMDIForm->ConnectToClient();
  }
}

void TkSkinProvider::SetMDIHelper(bool create) {
  if (!create) {
    FMDIForm.reset();
    return;
  }
  if (FMDIForm) return;
  MDIParentProvider = this;
  FMDIForm = std::make_unique<TkMDIForm>(this);
}

TkSkinProvider* TkSkinProvider::LiveParent() const {
  TkSkinProvider* parent = MDIParentProvider;
  if (!parent || parent == this || IsDestroying(parent) || IsDestroying(parent->FForm)) return nullptr;
  return parent;
}

bool TkSkinProvider::MDIChildMaximized() const {
  if (!MDIParentProvider || !IsMDIForm() || !FForm->GetMenu() || !FForm->HandleAllocated()) return false;
  fw::TCustomForm* child = FForm->GetActiveMDIChild();
  return child && IsZoomed(child->GetHandle());
}

void TkSkinProvider::RefreshMDIParent() {
  TkSkinProvider* parent = MDIParentProvider;
  if (!parent) return;
  fw::Application->ProcessMessages();
  parent->FSkinData->BGChanged = true;
  parent->FMenuLineRows = -1;
  if (parent->FMDIForm) parent->FMDIForm->UpdateMDIIconItem();
  parent->FSkinData->EndUpdate();
  if (!parent->FForm->HandleAllocated()) return;
  SendMessageA(parent->FForm->GetHandle(), WM_NCPAINT, 0, 0);
  if (TkMDIForm* mdi = parent->FMDIForm.get()) {
    RECT area{0, 0, mdi->MDIClientWidth(), mdi->MDIClientHeight()};
    InvalidateRect(parent->FForm->GetClientHandle(), &area, TRUE);
  }
}

void TkSkinProvider::Notification(fw::TComponent* component, fw::TOperation operation) {
  fw::TComponent::Notification(component, operation);
  if (operation == fw::opRemove && FMDIForm) FMDIForm->ComponentFreed(component);
  auto* manager = dynamic_cast<TkSkinManager*>(component);
  if (!manager) return;
  if (operation == fw::opInsert && !FSkinData->GetSkinManager()) FSkinData->SetSkinManager(manager);
  if (operation == fw::opRemove && FSkinData->GetSkinManager() == manager) FSkinData->DropManager();
  if (operation == fw::opRemove && component == FSystemMenu) FSystemMenu = nullptr;
}

void TkSkinProvider::PrepareForm() {
  TkSkinManager* m = FSkinData->GetSkinManager();
  if (!m || !FForm) return;
  FSkinData->Loaded();
  if (!FSystemMenu) {
    FSystemMenu = fw::New<TkSystemMenu>(this);
    FSystemMenu->SetForm(FForm);
    FSystemMenu->UpdateItems();
  }
  // The skin takes the caption buttons over only when it has the form's section; a skin without
  // it leaves the form the system's caption, buttons and all (a later skin with it clears them).
  if (FBorderIconsPending && m->GetSkinData() && m->GetSkinData()->SkinReady &&
      m->IsValidSkinIndex(m->GetSkinIndex(FSkinData->GetSkinSection()))) {
    FBorderIconsPending = false;
    if (!FForm->GetBorderIcons().Empty()) FForm->SetBorderIcons(fw::TBorderIcons{});
    if (IsMDIForm() && !Designing()) SetMDIHelper(true);
  }
  FSkinData->UpdateIndexes();
  UpdateCaptionButtonIndexes();
  if (IsMDIChild() && Skinned())
    if (TkSkinProvider* parent = LiveParent()) {
      parent->FSkinData->BGChanged = true;
      parent->FMenuLineRows = -1;
      if (parent->FMDIForm) parent->FMDIForm->UpdateMDIScrollBars();
    }
  const fw::TControlState formState = FForm->GetControlState();
  if (!formState.Contains(fw::csCreating) && !formState.Contains(fw::csReadingState) && !IsLoading(this) &&
      FUseGlobalColor && !FSkinData->GetCustomColor())
    FForm->SetColor(m->GetGlobalColor());
}

// --- setters ---

void TkSkinProvider::SetCaptionAlignment(fw::TAlignment v) {
  if (v == FCaptionAlignment) return;
  FCaptionAlignment = v;
  RepaintNonClient();
}

void TkSkinProvider::SetShowAppIcon(bool v) {
  if (v == FShowAppIcon) return;
  FShowAppIcon = v;
  RepaintNonClient();
}

void TkSkinProvider::SetTitleSkin(const std::string& v) {
  if (v == FTitleSkin) return;
  FTitleSkin = v;
  RepaintNonClient();
}

void TkSkinProvider::SetUseGlobalColor(bool v) {
  if (v == FUseGlobalColor) return;
  FUseGlobalColor = v;
  if (!FForm) return;
  if (Skinned() && v && !FSkinData->GetCustomColor())
    FForm->SetColor(FSkinData->GetSkinManager()->GetGlobalColor());
  else if (!FSkinData->GetCustomColor())
    FForm->SetColor(fw::clBtnFace);  // a custom colour stays the form's own
}

// --- measures ---

TkCaptionButton& TkSkinProvider::Button(int code) {
  switch (code) {
    case HTMINBUTTON: return FButtonMin;
    case HTMAXBUTTON: return FButtonMax;
    case HTHELP: return FButtonHelp;
    case HTMDIMIN: return FMDIMin;
    case HTMDIMAX: return FMDIMax;
    case HTMDICLOSE: return FMDIClose;
    default:
      if (code >= HTTITLEBUTTON && code - HTTITLEBUTTON < FTitleButtons->GetCount())
        return FTitleButtons->GetItem(code - HTTITLEBUTTON)->Data;
      return FButtonClose;
  }
}

bool TkSkinProvider::HasBorder() const { return FForm && FForm->GetBorderStyle() != fw::bsNone; }

bool TkSkinProvider::Iconic() const { return FForm && FForm->HandleAllocated() && IsIconic(FForm->GetHandle()); }

bool TkSkinProvider::Maximized() const { return FForm && FForm->HandleAllocated() && IsZoomed(FForm->GetHandle()); }

bool TkSkinProvider::FormShowing() const {
  return FForm && FForm->HandleAllocated() && IsWindowVisible(FForm->GetHandle());
}

int TkSkinProvider::CaptionHeight() const {
  switch (FForm->GetBorderStyle()) {
    case fw::bsNone: return 0;
    case fw::bsToolWindow:
    case fw::bsSizeToolWin: return GetSystemMetrics(SM_CYSMCAPTION);
    default: return GetSystemMetrics(SM_CYCAPTION);
  }
}

int TkSkinProvider::CaptionButtonHeight() const {
  return FrameHeightOf(FSkinData->GetSkinManager(), FButtonClose.ImageIndex, kFallbackButton);
}

int TkSkinProvider::CaptionButtonWidth(const TkCaptionButton& button) const {
  return FrameWidthOf(FSkinData->GetSkinManager(), button.ImageIndex, kFallbackButton);
}

int TkSkinProvider::TitleReservedWidth(int maskIndex) const {
  const TkSkinManager* m = FSkinData->GetSkinManager();
  int image = 0;
  if (m && m->IsValidImgIndex(maskIndex)) {
    const TkMaskData& mask = m->GetMasks()[maskIndex];
    // A mask without frames is no valid image here.
    if (mask.ImageCount >= 1) image = (mask.Bmp ? mask.Bmp->GetWidth() : mask.R.Width()) / (mask.ImageCount * 3);
  }
  return 2 * image + CaptionButtonsWidth();
}

int TkSkinProvider::SystemButtonCount() const {
  if (!FBorderIcons.Contains(fw::biSystemMenu) || !FSystemMenu) return 0;
  return 1 + (FSystemMenu->VisibleMax() ? 1 : 0) + (FSystemMenu->VisibleMin() ? 1 : 0) +
         (FBorderIcons.Contains(fw::biHelp) ? 1 : 0);
}

bool TkSkinProvider::AppIconVisible() const {
  const fw::TFormBorderStyle style = FForm->GetBorderStyle();
  return FShowAppIcon && (style == fw::bsSingle || style == fw::bsSizeable);
}

int TkSkinProvider::IconSizeFor(int n) {
  if (n < 9) return 0;
  if (n <= 16) return 8;
  if (n <= 27) return 16;
  return 32;
}

int TkSkinProvider::AppIconWidth() const {
  if (!AppIconVisible()) return 0;
  return FTitleIcon->GetWidth() ? FTitleIcon->GetWidth() : IconSizeFor(CaptionHeight());
}

int TkSkinProvider::AppIconHeight() const {
  if (!AppIconVisible()) return 0;
  return FTitleIcon->GetHeight() ? FTitleIcon->GetHeight() : IconSizeFor(CaptionHeight());
}

int TkSkinProvider::SysBorderWidth() const {
  const fw::TFormBorderStyle style = FForm->GetBorderStyle();
  if (IsMDIChild() && style != fw::bsNone)
    return GetSystemMetrics(style == fw::bsSingle || style == fw::bsToolWindow ? SM_CXDLGFRAME : SM_CXFRAME);
  switch (style) {
    case fw::bsNone: return 0;
    case fw::bsSingle:
    case fw::bsDialog:
    case fw::bsToolWindow: return GetSystemMetrics(SM_CXDLGFRAME);
    default: return GetSystemMetrics(SM_CXFRAME);
  }
}

int TkSkinProvider::SysBorderHeight() const {
  const fw::TFormBorderStyle style = FForm->GetBorderStyle();
  if (IsMDIChild() && style != fw::bsNone)
    return GetSystemMetrics(style == fw::bsSingle || style == fw::bsToolWindow ? SM_CYDLGFRAME : SM_CYFRAME);
  switch (style) {
    case fw::bsNone: return 0;
    case fw::bsSingle:
    case fw::bsDialog:
    case fw::bsToolWindow: return GetSystemMetrics(SM_CYDLGFRAME);
    default: return GetSystemMetrics(SM_CYFRAME);
  }
}

int TkSkinProvider::NonClientWidth() const {
  if (Iconic()) {
    RECT r{};
    GetWindowRect(FForm->GetHandle(), &r);
    return r.right - r.left;
  }
  return FForm->GetWidth();
}

namespace {
fw::TRect WindowRect(HWND wnd) {
  RECT r{};
  GetWindowRect(wnd, &r);
  return fw::TRect(r.left, r.top, r.right, r.bottom);
}
fw::TSize ClientSize(HWND wnd) {
  RECT r{};
  GetClientRect(wnd, &r);
  return fw::TSize{r.right, r.bottom};
}
}  // namespace

int TkSkinProvider::TopNonClientHeight() const {
  if (!FForm->HandleAllocated()) return CaptionHeight() + SysBorderHeight();
  const HWND wnd = FForm->GetHandle();
  int h = WindowRect(wnd).Height() - ClientSize(wnd).cy - (HasBorder() ? SysBorderHeight() : 0);
  if (h < 0) h = 0;
  if (Iconic()) h += SysBorderHeight();
  return h;
}

int TkSkinProvider::ClientOffsetX() const {
  const HWND wnd = FForm->GetHandle();
  return (WindowRect(wnd).Width() - ClientSize(wnd).cx) / 2;
}

int TkSkinProvider::ClientOffsetY() const {
  const HWND wnd = FForm->GetHandle();
  return WindowRect(wnd).Height() - ClientSize(wnd).cy - (HasBorder() ? SysBorderHeight() : 0);
}

fw::TRect TkSkinProvider::AppIconRect() const {
  fw::TRect r;
  r.Left = SysBorderWidth();
  r.Right = r.Left + AppIconWidth();
  r.Top = (CaptionHeight() + SysBorderHeight() - AppIconHeight()) / 2;
  r.Bottom = r.Top + AppIconHeight();
  return r;
}

int TkSkinProvider::TitleButtonWidth(const TkTitleButton* item) const {
  const int glyph = item->GetGlyph()->GetEmpty() ? 0 : item->GetGlyph()->GetWidth() + 2;
  return std::max(glyph, FrameWidthOf(FSkinData->GetSkinManager(), FTitleButtonMask, kFallbackButton));
}

int TkSkinProvider::CaptionButtonsWidth() const {
  int w = 0;
  if (FBorderIcons.Contains(fw::biSystemMenu) && FSystemMenu) {
    w += CaptionButtonWidth(FButtonClose);
    if (FSystemMenu->VisibleMax()) w += CaptionButtonWidth(FButtonMax);
    if (FSystemMenu->VisibleMin()) w += CaptionButtonWidth(FButtonMin);
    if (FBorderIcons.Contains(fw::biHelp)) w += CaptionButtonWidth(FButtonHelp);
  }
  for (int i = 0; i < FTitleButtons->GetCount(); ++i) w += TitleButtonWidth(FTitleButtons->GetItem(i));
  return w;
}

int TkSkinProvider::DefaultMenuHeight() const { return FForm->GetMenu() ? GetSystemMetrics(SM_CYMENU) - 1 : 0; }

namespace {
bool HasVisibleItem(fw::TMainMenu* menu) {
  if (!menu) return false;
  for (int i = 0; i < menu->GetItems()->GetCount(); ++i)
    if (menu->GetItems()->GetItems(i)->GetVisible()) return true;
  return false;
}
}  // namespace

bool TkSkinProvider::MenuPresent() const {
  fw::TMainMenu* menu = FForm->GetMenu();
  if (FForm->GetBorderStyle() == fw::bsDialog || !menu || IsMDIChild()) return false;
  if (HasVisibleItem(menu)) return true;
  fw::TCustomForm* child = IsMDIForm() && FForm->HandleAllocated() ? FForm->GetActiveMDIChild() : nullptr;
  return child && HasVisibleItem(child->GetMenu());
}

namespace {
// The bar items the menu line draws: visible and hooked for drawing.
std::vector<fw::TMenuItem*> LineItems(fw::TMainMenu* menu) {
  std::vector<fw::TMenuItem*> items;
  if (!menu) return items;
  for (int i = 0; i < menu->GetItems()->GetCount(); ++i) {
    fw::TMenuItem* item = menu->GetItems()->GetItems(i);
    if (item->GetVisible() && item->OnAdvancedDrawItem && item->OnMeasureItem) items.push_back(item);
  }
  return items;
}

// The bar item's width as the system lays it out (its position among the visible items).
int BarItemWidth(HWND wnd, fw::TMainMenu* menu, fw::TMenuItem* item) {
  int pos = 0;
  for (int i = 0; i < menu->GetItems()->GetCount(); ++i) {
    fw::TMenuItem* it = menu->GetItems()->GetItems(i);
    if (it == item) break;
    if (it->GetVisible()) ++pos;
  }
  RECT r{};
  if (!GetMenuItemRect(wnd, menu->GetHandle(), pos, &r)) return 0;
  return r.right - r.left;
}
}  // namespace

int TkSkinProvider::MenuLineRows() {
  if (FMenuLineRows != -1) return FMenuLineRows;
  int rows = 1, x = SysBorderWidth();
  for (fw::TMenuItem* item : MenuLineItems()) {
    const int w = MenuLineItemWidth(item);
    if (FForm->GetWidth() - 2 * SysBorderWidth() < x + w) {
      ++rows;
      x = SysBorderWidth();
    }
    x += w;
  }
  FMenuLineRows = rows;
  return rows;
}

std::vector<fw::TMenuItem*> TkSkinProvider::MenuLineItems() const {
  std::vector<fw::TMenuItem*> own = LineItems(FForm->GetMenu());
  fw::TCustomForm* child = IsMDIForm() && FForm->HandleAllocated() ? FForm->GetActiveMDIChild() : nullptr;
  const std::vector<fw::TMenuItem*> merged = child ? LineItems(child->GetMenu()) : std::vector<fw::TMenuItem*>{};
  if (merged.empty()) return own;
  // The child's items of the groups after `last` up to `group`, in their order.
  std::vector<fw::TMenuItem*> items;
  auto takeChildItems = [&](int last, int group) {
    for (fw::TMenuItem* c : merged)
      if (c->GetGroupIndex() > last && c->GetGroupIndex() <= group) items.push_back(c);
  };
  int last = -1;
  bool first = true;
  for (fw::TMenuItem* item : own) {
    const int group = item->GetGroupIndex();
    if (first || group != last) takeChildItems(first ? -1 : last, group);
    const bool replaced = std::any_of(merged.begin(), merged.end(),
                                      [group](fw::TMenuItem* c) { return c->GetGroupIndex() == group; });
    if (!replaced) items.push_back(item);
    last = group;
    first = false;
  }
  takeChildItems(last, 99999);
  return items;
}

int TkSkinProvider::MenuLineItemWidth(fw::TMenuItem* item) const {
  fw::TMainMenu* menu = FForm->GetMenu();
  if (menu && item->GetParentMenu() == menu) return BarItemWidth(FForm->GetHandle(), menu, item);
  // A merged child item has no place in the form's own bar: it measures itself.
  int width = 0, height = 0;
  item->OnMeasureItem(item, FSkinData->CacheBmp->GetCanvas(), width, height);
  return width;
}

bool TkSkinProvider::ShowsGrip() const {
  return FGripMode == gmRightBottom && FForm &&
         (FForm->GetBorderStyle() == fw::bsSizeable || FForm->GetBorderStyle() == fw::bsSizeToolWin) &&
         !(FForm->HandleAllocated() && IsZoomed(FForm->GetHandleNoCreate()));
}

fw::TPoint TkSkinProvider::GripImagePos() const {
  const TkSkinManager* m = FSkinData->GetSkinManager();
  const int grip = GlobalMask("GRIPIMAGE");
  const fw::TBitmap* cache = FSkinData->CacheBmp.get();
  return fw::TPoint(cache->GetWidth() - FrameWidthOf(m, grip, kFallbackMdiButton) - SysBorderWidth(),
                    cache->GetHeight() - FrameHeightOf(m, grip, kFallbackMdiButton) - SysBorderHeight());
}

int TkSkinProvider::MaskIndex(const std::string& section, const std::string& property) const {
  const TkSkinManager* m = FSkinData->GetSkinManager();
  if (!m) return -1;
  return m->GetMaskIndex(m->GetSkinIndex(section), section, property);
}

int TkSkinProvider::GlobalMask(const std::string& property) const {
  const int index = MaskIndex("GLOBALINFO", property);
  return index >= 0 ? index : MaskIndex(FSkinData->GetSkinSection(), property);
}

void TkSkinProvider::UpdateCaptionButtonIndexes() {
  TkSkinManager* m = FSkinData->GetSkinManager();
  if (!m || !m->IsValidSkinIndex(m->GetSkinIndex("GLOBALINFO"))) return;
  if (MaskIndex("GLOBALINFO", "BICONCLOSE") >= 0) {
    const fw::TFormBorderStyle style = FForm->GetBorderStyle();
    const bool small = style != fw::bsSingle && style != fw::bsSizeable;
    FButtonClose.ImageIndex = MaskIndex("GLOBALINFO", small ? "SICONCLOSE" : "BICONCLOSE");
    FButtonMin.ImageIndex = MaskIndex("GLOBALINFO", small ? "SICONMIN" : "BICONMIN");
    FButtonMax.ImageIndex = MaskIndex("GLOBALINFO", small ? "SICONMAX" : "BICONMAX");
    FButtonHelp.ImageIndex = MaskIndex("GLOBALINFO", "BICONHELP");
    if (FButtonClose.ImageIndex < 0) {
      FButtonClose.ImageIndex = MaskIndex("GLOBALINFO", "BICONCLOSE");
      FButtonMin.ImageIndex = MaskIndex("GLOBALINFO", "BICONMIN");
      FButtonMax.ImageIndex = MaskIndex("GLOBALINFO", "BICONMAX");
    }
  } else {
    const std::string& own = FSkinData->GetSkinSection();
    FButtonClose.ImageIndex = m->GetMaskIndex(FSkinData->SkinIndex, own, "BICONCLOSE");
    FButtonMin.ImageIndex = m->GetMaskIndex(FSkinData->SkinIndex, own, "BICONMIN");
    FButtonMax.ImageIndex = m->GetMaskIndex(FSkinData->SkinIndex, own, "BICONMAX");
    FButtonHelp.ImageIndex = m->GetMaskIndex(FSkinData->SkinIndex, own, "BICONHELP");
  }
  FMDIMin.ImageIndex = FButtonMin.ImageIndex;
  FMDIMax.ImageIndex = FButtonMax.ImageIndex;
  FMDIClose.ImageIndex = FButtonClose.ImageIndex;
  // The maximized child's buttons take the small images where the skin has them.
  if (IsMDIForm() && !Designing() && MaskIndex("GLOBALINFO", "BICONCLOSE") >= 0 &&
      MaskIndex("GLOBALINFO", "SICONMIN") >= 0) {
    FMDIMin.ImageIndex = MaskIndex("GLOBALINFO", "SICONMIN");
    FMDIMax.ImageIndex = MaskIndex("GLOBALINFO", "SICONMAX");
    FMDIClose.ImageIndex = MaskIndex("GLOBALINFO", "SICONCLOSE");
  }
  FTitleButtonMask = MaskIndex("GLOBALINFO", "TITLEBUTTON");
}

void TkSkinProvider::StopRedraw(bool withParent) {
  FSkinData->BeginUpdate();
  if (FForm->HandleAllocated()) SendMessageA(FForm->GetHandle(), WM_SETREDRAW, 0, 0);
  if (withParent && IsMDIChild() && MDIParentProvider && MDIParentProvider != this) MDIParentProvider->StopRedraw(false);
}

void TkSkinProvider::ResumeRedraw(bool withParent) {
  FSkinData->EndUpdate();
  if (FForm->HandleAllocated()) SendMessageA(FForm->GetHandle(), WM_SETREDRAW, 1, 0);
  if (withParent && IsMDIChild() && MDIParentProvider && MDIParentProvider != this)
    MDIParentProvider->ResumeRedraw(false);
}

// --- painting ---

void TkSkinProvider::PaintAppIcon() {
  if (!AppIconVisible() || AppIconWidth() == 0) return;
  const fw::TRect r = AppIconRect();
  HDC dc = FSkinData->CacheBmp->GetCanvas()->GetHandle();
  fw::TBitmap* glyph = FTitleIcon->GetGlyph();
  if (!glyph->GetEmpty()) {
    glyph->SetTransparentColor(fw::clFuchsia);
    glyph->SetTransparent(true);
    FSkinData->CacheBmp->GetCanvas()->StretchDraw(r, glyph);
    return;
  }
  HICON icon = FForm->GetIcon()->GetHandle();
  if (!icon) icon = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), "MAINICON", IMAGE_ICON, 0, 0, LR_SHARED));
  if (!icon) icon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
  DrawIconEx(dc, r.Left, r.Top, icon, AppIconWidth(), AppIconHeight(), 0, nullptr, DI_NORMAL);
}

void TkSkinProvider::SaveTitleBackground() {
  fw::TBitmap* cache = FSkinData->CacheBmp.get();
  FTitleBgBmp = CreateBitmap24(cache->GetWidth(), CaptionHeight() + SysBorderHeight());
  BitBlt(FTitleBgBmp->GetCanvas()->GetHandle(), 0, 0, FTitleBgBmp->GetWidth(), FTitleBgBmp->GetHeight(),
         cache->GetCanvas()->GetHandle(), 0, 0, SRCCOPY);
}

void TkSkinProvider::PaintCaptionText(const fw::TRect& strip, bool keepSize) {
  fw::TCanvas* canvas = FSkinData->CacheBmp->GetCanvas();
  canvas->GetFont()->Assign(FForm->GetFont());
  if (!keepSize) {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    const int height = SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)
                           ? metrics.lfStatusFont.lfHeight
                           : 0;
    if (height) canvas->GetFont()->SetSize(std::abs(height));
  }
  canvas->GetFont()->SetStyle(canvas->GetFont()->GetStyle() + fw::fsBold);
  const int width = NonClientWidth() - AppIconRect().Right - CaptionButtonsWidth() - 6;
  std::string text;
  CutTextToWidth(canvas, FForm->GetCaption(), width, text);
  if (text.empty()) return;
  // Centred in the whole title strip, as the caption buttons are: a tool window's caption is
  // lower than the text, which between the top frame and the caption's height lost its top and
  // bottom rows.
  fw::TRect r(AppIconWidth() * (AppIconVisible() ? 1 : 0) + SysBorderWidth() + 4, keepSize ? strip.Top : 0,
              NonClientWidth() - CaptionButtonsWidth() - 6,
              keepSize ? strip.Bottom : CaptionHeight() + SysBorderHeight());
  TkSkinManager* m = FSkinData->GetSkinManager();
  SetBkMode(canvas->GetHandle(), TRANSPARENT);
  WriteTextColored(canvas, text, FForm->GetEnabled(), m, FFormActive, m->GetSkinIndex(TitleSectionName()),
                   TextFlagsForAlignment(FForm, FCaptionAlignment), r);
}

void TkSkinProvider::PaintCaption(const fw::TRect& strip) {
  TkSkinManager* m = FSkinData->GetSkinManager();
  fw::TBitmap* cache = FSkinData->CacheBmp.get();
  TkBgRef self{cache, 0, 0, true};
  const std::string title = TitleSectionName();
  const int titleIndex = m->GetSkinIndex(title);
  const int state = FFormActive ? 1 : 0;
  if (m->IsValidSkinIndex(titleIndex))
    PaintBordersMask(titleIndex, title, self, -1, -1, m, cache, fw::TPoint(0, 0),
                     Iconic() ? fw::TRect(0, 0, cache->GetWidth(), cache->GetHeight())
                              : fw::TRect(0, 0, cache->GetWidth(), CaptionHeight() + SysBorderHeight()),
                     state, true);
  PaintAppIcon();
  if (SystemButtonCount() > 0) {
    const int bar = MaskIndex("FORM", "TITLEBAR");
    if (m->IsValidImgIndex(bar))
      DrawSkinRect(cache,
                   fw::TRect(NonClientWidth() - TitleReservedWidth(bar), 0, cache->GetWidth(),
                             CaptionHeight() + SysBorderHeight()),
                   true, self, m->GetMasks()[bar], state, true);
  }
  // The title bar under the buttons, kept to erase a button before it is drawn anew.
  const int bgWidth = CaptionButtonsWidth() + SysBorderWidth();
  FButtonsBgBmp->SetSize(bgWidth, TopNonClientHeight());
  BitBlt(FButtonsBgBmp->GetCanvas()->GetHandle(), 0, 0, bgWidth, FButtonsBgBmp->GetHeight(), cache->GetCanvas()->GetHandle(),
         NonClientWidth() - bgWidth, 0, SRCCOPY);
  PaintCaptionButtons();
  PaintCaptionText(strip, strip.Bottom > 0);
}

void TkSkinProvider::PaintMenuLine() {
  TkSkinManager* m = FSkinData->GetSkinManager();
  fw::TBitmap* cache = FSkinData->CacheBmp.get();
  const std::string section =
      !FMenuLineSkin.empty() && m->GetSkinIndex(FMenuLineSkin) >= 0 ? FMenuLineSkin : std::string("MENULINE");
  const int index = m->GetSkinIndex(section);
  const int top = CaptionHeight() + SysBorderHeight();
  const int height = MenuLineRows() * DefaultMenuHeight();
  TkBgRef self{cache, 0, 0, true};
  if (m->IsValidSkinIndex(index))
    PaintBordersMask(index, section, self, -1, -1, m, cache, fw::TPoint(0, 0),
                     fw::TRect(0, top, cache->GetWidth(), top + height), 0, true);
  FMenuLineBmp->SetSize(NonClientWidth(), height);
  BitBlt(FMenuLineBmp->GetCanvas()->GetHandle(), 0, 0, NonClientWidth(), height, cache->GetCanvas()->GetHandle(), 0, top,
         SRCCOPY);
  if (MDIChildMaximized()) {
    // The maximized child's icon at the start of the line.
    fw::TCustomForm* child = FForm->GetActiveMDIChild();
    HICON icon = child->GetIcon()->GetHandle();
    if (!icon && ProgramSmallIcon()) icon = ProgramSmallIcon()->GetHandle();
    if (!icon) icon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
    const int size = DefaultMenuHeight() - 2;
    DrawIconEx(cache->GetCanvas()->GetHandle(), SysBorderWidth() + 1, top + 1, icon, size, size, 0, nullptr, DI_NORMAL);
  }
  int x = SysBorderWidth(), y = top;
  for (fw::TMenuItem* item : MenuLineItems()) {
    const int w = MenuLineItemWidth(item);
    if (FForm->GetWidth() - 2 * SysBorderWidth() < x + w) {
      x = SysBorderWidth();
      y += DefaultMenuHeight();
    }
    item->OnAdvancedDrawItem(item, cache->GetCanvas(), fw::TRect(x, y, x + w, y + DefaultMenuHeight()),
                             fw::TOwnerDrawState{});
    x += w;
  }
}

void TkSkinProvider::PaintAll() {
  if (!FForm || FForm->GetControlState().Contains(fw::csCreating) || !FSkinData->BGChanged) return;
  TkSkinManager* m = FSkinData->GetSkinManager();
  fw::TBitmap* cache = FSkinData->CacheBmp.get();
  fw::TRect r(0, 0, NonClientWidth(), FForm->GetHeight());
  if (Iconic()) r.Bottom = CaptionHeight() + SysBorderHeight() + 1;
  const int formIndex = m ? m->GetSkinIndex("FORM") : -1;
  const bool reuse = !FNeedFullPaint && m && m->IsValidSkinIndex(formIndex) &&
                     m->GetSections()[formIndex].ReservedBoolean && FTitleBgBmp &&
                     FTitleBgBmp->GetWidth() == NonClientWidth() && cache->GetHeight() == FForm->GetHeight() &&
                     HasBorder();
  if (reuse) {
    BitBlt(cache->GetCanvas()->GetHandle(), 0, 0, FTitleBgBmp->GetWidth(), FTitleBgBmp->GetHeight(),
           FTitleBgBmp->GetCanvas()->GetHandle(), 0, 0, SRCCOPY);
    PaintCaption(fw::TRect(0, 0, NonClientWidth(), CaptionHeight() + SysBorderHeight()));
  } else {
    cache->SetSize(NonClientWidth(), FForm->GetHeight());
    if (m && m->IsValidSkinIndex(FSkinData->SkinIndex)) {
      // The face: fill, texture and border frame of the form's section.
      if (!HasBorder())
        PaintSkinSection(FSkinData->SkinIndex, FSkinData->GetSkinSection(), r, fw::clFuchsia, -1, -1, m, cache,
                         fw::TPoint(0, 0), TkBgRef{}, 0);
      else
        PaintBordersMask(FSkinData->SkinIndex, FSkinData->GetSkinSection(), TkBgRef{}, FSkinData->HotTexture,
                         FSkinData->Texture, m, cache, fw::TPoint(0, 0), r, 0, true);
      const int grip = GlobalMask("GRIPIMAGE");
      if (ShowsGrip() && m->IsValidImgIndex(grip))
        DrawMaskGlyphFrame(cache, GripImagePos(), 0, m->GetMasks()[grip], 1);
      if (m->IsValidSkinIndex(formIndex) && m->GetSections()[formIndex].ReservedBoolean &&
          (!FTitleBgBmp || FTitleBgBmp->GetWidth() != cache->GetWidth()))
        SaveTitleBackground();
      if (MenuPresent() && DefaultMenuHeight() > 0) PaintMenuLine();
      if (HasBorder()) PaintCaption(fw::TRect());
      if (FMDIForm)
        PaintSectionToDC(m->GetSkinIndex("MDIAREA"), "MDIAREA", TkBgRef{}, m, cache->GetCanvas()->GetHandle(),
                         fw::TPoint(0, 0),
                         fw::TRect(FMDIForm->OffsetX(), FMDIForm->OffsetY(),
                                   FMDIForm->OffsetX() + FMDIForm->MDIClientWidth(),
                                   FMDIForm->OffsetY() + FMDIForm->MDIClientHeight()),
                         0, true);
    }
    FNeedFullPaint = false;
    FFirstPaintDone = true;
  }
  FSkinData->BGChanged = false;
  FSkinData->Updating = false;
}

bool TkSkinProvider::ButtonEnabled(int code) const {
  switch (code) {
    case HTMAXBUTTON:
      return FSystemMenu->EnabledMax() || (Maximized() && FSystemMenu->EnabledRestore());
    case HTMINBUTTON:
      return FSystemMenu->EnabledMin() || (Iconic() && FSystemMenu->EnabledRestore());
    case HTMDIMIN:
    case HTMDIMAX: {
      // The maximized child's own menu says what it allows.
      const TkSystemMenu* menu = MaximizedChildProvider && MaximizedChildProvider->FSystemMenu
                                     ? MaximizedChildProvider->FSystemMenu
                                     : FSystemMenu;
      return code == HTMDIMIN ? menu->EnabledMin() : menu->EnabledRestore();
    }
    default:
      if (code >= HTTITLEBUTTON && code - HTTITLEBUTTON < FTitleButtons->GetCount())
        return FTitleButtons->GetItem(code - HTTITLEBUTTON)->GetEnabled();
      return true;
  }
}

int TkSkinProvider::ImageOf(int code) const {
  if (code == HTMAXBUTTON && Maximized()) return GlobalMask("BICONNORM");
  if (code == HTMINBUTTON && Iconic()) return GlobalMask("BICONNORM");
  if (code == HTMAXBUTTON && Iconic()) return GlobalMask("BICONMAX");
  if (code == HTMDIMAX && MDIChildMaximized()) {
    const int norm = MaskIndex("GLOBALINFO", "SICONNORM");
    return norm >= 0 ? norm : MaskIndex(FSkinData->GetSkinSection(), "BICONNORM");
  }
  if (code >= HTTITLEBUTTON) {
    const TkTitleButton* b = FTitleButtons->GetItem(code - HTTITLEBUTTON);
    return b->GetUseSkinData() ? FTitleButtonMask : -1;
  }
  return const_cast<TkSkinProvider*>(this)->Button(code).ImageIndex;
}

void TkSkinProvider::PlaceCaptionButton(TkCaptionButton& button, int& x, int width) {
  const int height = CaptionButtonHeight();
  button.Rect.Right = x;
  button.Rect.Left = x - width;
  button.Rect.Top = (CaptionHeight() - height + SysBorderHeight()) / 2 + (height < 16 ? 2 : 0);
  button.Rect.Bottom = button.Rect.Top + height;
  x = button.Rect.Left;
}

void TkSkinProvider::PaintCaptionButtons() {
  int x = NonClientWidth() - SysBorderWidth();
  auto place = [&](int code) {
    TkCaptionButton& b = Button(code);
    const int width = code >= HTTITLEBUTTON ? TitleButtonWidth(FTitleButtons->GetItem(code - HTTITLEBUTTON))
                                            : CaptionButtonWidth(b);
    if (code < HTTITLEBUTTON && !FSkinData->GetSkinManager()->IsValidImgIndex(b.ImageIndex)) return;
    PlaceCaptionButton(b, x, width);
    PaintCaptionButton(code);
  };
  if (FBorderIcons.Contains(fw::biSystemMenu) && FSystemMenu) {
    place(HTCLOSE);
    if (FSystemMenu->VisibleMax()) place(HTMAXBUTTON);
    if (FSystemMenu->VisibleMin()) place(HTMINBUTTON);
    if (FBorderIcons.Contains(fw::biHelp)) place(HTHELP);
  }
  for (int i = 0; i < FTitleButtons->GetCount(); ++i) place(HTTITLEBUTTON + i);
  PaintMDIButtons();
}

int TkSkinProvider::MDIButtonWidth() const {
  return FrameWidthOf(FSkinData->GetSkinManager(), FMDIClose.ImageIndex, kFallbackMdiButton);
}

int TkSkinProvider::MDIButtonHeight() const {
  return FrameHeightOf(FSkinData->GetSkinManager(), FMDIClose.ImageIndex, kFallbackMdiButton);
}

void TkSkinProvider::PaintMDIButtons() {
  if (!MDIChildMaximized()) {
    FMDIMin.Rect = FMDIMax.Rect = FMDIClose.Rect = fw::TRect();
    return;
  }
  // Right-aligned in the first menu row: minimize, restore, close.
  const int w = MDIButtonWidth(), h = MDIButtonHeight();
  const int x = NonClientWidth() - SysBorderWidth();
  const int y = TopNonClientHeight() - (DefaultMenuHeight() - h) / 2 - h - 1;
  int n = 3;
  for (int code : {HTMDIMIN, HTMDIMAX, HTMDICLOSE}) {
    TkCaptionButton& b = Button(code);
    b.Rect = fw::TRect(x - n * (w + 1), y, x - n * (w + 1) + w, y + h);
    --n;
    PaintCaptionButton(code);
  }
}

void TkSkinProvider::PaintCaptionButton(int code) {
  TkSkinManager* m = FSkinData->GetSkinManager();
  if (!m || !FForm->HandleAllocated()) return;
  TkCaptionButton& b = Button(code);
  if (code != HTCLOSE && &b == &FButtonClose) return;  // a code that names no button
  const fw::TRect r = b.Rect;
  if (r.Width() <= 0) return;
  if (AppIconRect().Right >= r.Left) return;  // the window is too narrow for this button
  fw::TBitmap* cache = FSkinData->CacheBmp.get();
  const bool mdiButton = code == HTMDIMIN || code == HTMDIMAX || code == HTMDICLOSE;
  if (code == HTMDIMIN && !FSystemMenu->EnabledMin()) return;
  // The title bar (the menu line for a maximized child's button) under the button first.
  if (mdiButton)
    BitBlt(cache->GetCanvas()->GetHandle(), r.Left, r.Top, r.Width(), r.Height(), FMenuLineBmp->GetCanvas()->GetHandle(),
           r.Left, r.Top - CaptionHeight() - SysBorderHeight(), SRCCOPY);
  else
    BitBlt(cache->GetCanvas()->GetHandle(), r.Left, r.Top, r.Width(), r.Height(),
           FButtonsBgBmp->GetCanvas()->GetHandle(), FButtonsBgBmp->GetWidth() - (cache->GetWidth() - r.Left), r.Top,
           SRCCOPY);
  const bool enabled = ButtonEnabled(code);
  const int image = ImageOf(code);
  if (m->IsValidImgIndex(image)) {
    const int added = (!FFormActive || !enabled) && (b.State == 0 || !enabled) ? 2 : 1;
    DrawMaskGlyphFrame(cache, fw::TPoint(r.Left, r.Top), enabled ? b.State : 0, m->GetMasks()[image], added);
  }
  if (code >= HTTITLEBUTTON) {
    fw::TBitmap* glyph = FTitleButtons->GetItem(code - HTTITLEBUTTON)->GetGlyph();
    if (!glyph->GetEmpty()) {
      const int shift = b.State == 2 ? 1 : 0;
      glyph->SetTransparentColor(glyph->GetCanvas()->GetPixels(0, glyph->GetHeight() - 1));
      glyph->SetTransparent(true);
      cache->GetCanvas()->Draw((r.Width() - glyph->GetWidth()) / 2 + r.Left + shift,
                               (r.Height() - glyph->GetHeight()) / 2 + r.Top + shift, glyph);
    }
  }
  HDC dc = GetWindowDC(FForm->GetHandle());
  const int saved = SaveDC(dc);
  BitBlt(dc, r.Left, r.Top, r.Width(), r.Height(), cache->GetCanvas()->GetHandle(), r.Left, r.Top, SRCCOPY);
  RestoreDC(dc, saved);
  ReleaseDC(FForm->GetHandle(), dc);
}

void TkSkinProvider::SetHotButton(int code) {
  if (code == FHotButtonCode) return;
  if (FHotButtonCode) {
    Button(FHotButtonCode).State = 0;
    PaintCaptionButton(FHotButtonCode);
  }
  FHotButtonCode = code;
  FPressed = false;
  if (code) {
    Button(code).State = 1;
    PaintCaptionButton(code);
  }
}

void TkSkinProvider::SetPressedButton(int code) {
  if (code == HTMAXBUTTON && !(FSystemMenu->EnabledMax() || (Maximized() && FSystemMenu->EnabledRestore()))) return;
  if (code == HTMDIMAX && !FSystemMenu->EnabledMax()) return;
  if (FHotButtonCode && FHotButtonCode != code) {
    Button(FHotButtonCode).State = 0;
    PaintCaptionButton(FHotButtonCode);
  }
  FHotButtonCode = code;
  if (code) {
    Button(code).State = 2;
    FPressed = true;
    PaintCaptionButton(code);
  }
}

void TkSkinProvider::BlitNonClient(HDC dc) {
  if (FSkinData->BGChanged) PaintAll();
  fw::TBitmap* cache = FSkinData->CacheBmp.get();
  HDC src = cache->GetCanvas()->GetHandle();
  const int sw = SysBorderWidth(), sh = SysBorderHeight(), w = FForm->GetWidth(), h = FForm->GetHeight();
  const int t = CaptionHeight() + sh + (Iconic() ? 1 : 0) + (MenuPresent() ? MenuLineRows() * DefaultMenuHeight() : 0);
  BitBlt(dc, 0, 0, w, TopNonClientHeight(), src, 0, 0, SRCCOPY);
  BitBlt(dc, 0, t, sw, cache->GetHeight(), src, 0, t, SRCCOPY);
  BitBlt(dc, sh, h - sh, w - sh, sh, src, sw, h - sh, SRCCOPY);
  BitBlt(dc, cache->GetWidth() - sw, t, sh, cache->GetHeight(), src, cache->GetWidth() - sw, t, SRCCOPY);
}

fw::TControl* TkSkinProvider::RepaintingChild() const {
  // Only a child of the form counts: the value is a pointer a control left with command 15.
  const LPARAM named = FSkinData->Cmd15Value;
  if (!named) return nullptr;
  for (int i = 0; i < FForm->GetControlCount(); ++i)
    if (reinterpret_cast<LPARAM>(FForm->GetControls(i)) == named) return FForm->GetControls(i);
  return nullptr;
}

void TkSkinProvider::PaintChild(HDC dc, fw::TControl* child) {
  const fw::TRect b = child->GetBoundsRect();
  const fw::TControlState state = child->GetControlState();
  child->SetControlState(state + fw::csPaintCopy);
  const int saved = SaveDC(dc);
  if (child->GetControlStyle().Contains(fw::csOpaque)) {
    OffsetViewportOrgEx(dc, b.Left, b.Top, nullptr);
    IntersectClipRect(dc, 0, 0, b.Width(), b.Height());
    child->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
  } else {
    // The child paints over its piece of the form's face, then the whole piece goes on screen.
    const std::unique_ptr<fw::TBitmap> piece = CreateBitmap24(b.Width(), b.Height());
    HDC pieceDC = piece->GetCanvas()->GetHandle();
    BitBlt(pieceDC, 0, 0, b.Width(), b.Height(), FSkinData->CacheBmp->GetCanvas()->GetHandle(),
           b.Left + ClientOffsetX(), b.Top + ClientOffsetY(), SRCCOPY);
    child->Perform(WM_PAINT, reinterpret_cast<WPARAM>(pieceDC), 0);
    BitBlt(dc, b.Left, b.Top, b.Width(), b.Height(), pieceDC, 0, 0, SRCCOPY);
  }
  RestoreDC(dc, saved);
  child->SetControlState(child->GetControlState() - fw::csPaintCopy);
}

void TkSkinProvider::PaintClientArea(HDC dc) {
  if (FPainting) return;
  FPainting = true;
  if (fw::TControl* child = RepaintingChild()) {
    PaintChild(dc, child);
  } else {
    if (!FSkinData->Cmd9Flag) PaintAll();
    const fw::TSize client = ClientSize(FForm->GetHandle());
    BitBlt(dc, 0, 0, client.cx, client.cy, FSkinData->CacheBmp->GetCanvas()->GetHandle(), SysBorderWidth(),
           ClientOffsetY(), SRCCOPY);
    PaintGraphicChildren(dc, FForm);
    // Children that skipped their paint while the form was updating paint now, as they do
    // after a skinned panel's paint.
    if (FChildrenWaiting) {
      FChildrenWaiting = false;
      SendCmdToChildWindows(FForm);
    }
  }
  FPainting = false;
}

void TkSkinProvider::WMPaintForm(fw::TMessage& m) {
  // BeginPaint and EndPaint always: a paint message left unvalidated comes back at once.
  PAINTSTRUCT ps{};
  HDC dc = m.WParam ? reinterpret_cast<HDC>(m.WParam) : BeginPaint(FForm->GetHandle(), &ps);
  if (!FSkinData->GetUpdating() && !IsDestroying(FForm)) {
    const int saved = SaveDC(dc);
    PaintClientArea(dc);
    RestoreDC(dc, saved);
  }
  if (!m.WParam) EndPaint(FForm->GetHandle(), &ps);
}

void TkSkinProvider::RepaintMenuLineItem(fw::TMenuItem* item, const fw::TRect& r, fw::TOwnerDrawState state) {
  fw::TMainMenu* menu = FForm->GetMenu();
  if (!MenuPresent() || !menu || item->GetParentMenu() != menu || !item->OnAdvancedDrawItem) return;
  fw::TBitmap* cache = FSkinData->CacheBmp.get();
  item->OnAdvancedDrawItem(item, cache->GetCanvas(), r, state);
  HDC dc = GetWindowDC(FForm->GetHandle());
  BitBlt(dc, r.Left, r.Top, r.Width(), r.Height(), cache->GetCanvas()->GetHandle(), r.Left, r.Top, SRCCOPY);
  ReleaseDC(FForm->GetHandle(), dc);
}

void TkSkinProvider::SkinFormMenus(bool on) {
  TkSkinManager* m = FSkinData->GetSkinManager();
  if (Designing() || !m || !m->GetSkinableMenus()) return;
  m->GetSkinableMenus()->SetActive(on);
  m->GetSkinableMenus()->HookComponents(FForm, on);
}

void TkSkinProvider::RefreshMainMenu() {
  fw::TMainMenu* menu = FForm->GetMenu();
  if (!menu || menu->GetItems()->GetCount() == 0) return;
  fw::TMenuItem* first = menu->GetItems()->GetItems(0);
  const std::string caption = first->GetCaption();
  FSkinData->Updating = true;
  first->SetCaption("");
  menu->SetOwnerDraw(Skinned());
  first->SetCaption(caption);
  FSkinData->Updating = false;
}

void TkSkinProvider::RepaintNonClient() {
  FSkinData->BGChanged = true;
  FNeedFullPaint = true;
  FMenuLineRows = -1;
  if (FormShowing()) SendMessageA(FForm->GetHandle(), WM_NCPAINT, 0, 0);
}

bool TkSkinProvider::TestMouseLeave(fw::TPoint screen) {
  const fw::TPoint p = ScreenToWindowPoint(screen.X, screen.Y);
  const fw::TRect inner(2, 2, FForm->GetWidth() - 4, FForm->GetHeight() - 4);
  if (p.X >= inner.Left && p.X < inner.Right && p.Y >= inner.Top && p.Y < inner.Bottom) return false;
  SetHotButton(0);
  return true;
}

// --- geometry ---

void TkSkinProvider::UpdateFormRegion() {
  FRegionUpdating = true;
  HRGN region = CreateRectRgn(0, 0, NonClientWidth(), FForm->GetHeight());
  for (const fw::TRect& r : FRegionRects) {
    HRGN piece = CreateRectRgn(r.Left, r.Top, r.Right, r.Bottom);
    CombineRgn(region, region, piece, RGN_DIFF);
    DeleteObject(piece);
  }
  FRegionSize = fw::TPoint(NonClientWidth(), FForm->GetHeight());
  SetWindowRgn(FForm->GetHandle(), region, TRUE);
}

bool TkSkinProvider::CacheSizeChanged() const {
  const fw::TBitmap* cache = FSkinData->CacheBmp.get();
  return cache->GetWidth() != NonClientWidth() || cache->GetHeight() != FForm->GetHeight();
}

fw::TPoint TkSkinProvider::FormScreenOrigin() const {
  if (IsMDIChild()) {
    const fw::TPoint origin = FForm->ClientToScreen(fw::TPoint(0, 0));
    return fw::TPoint(origin.X - SysBorderWidth(), origin.Y - SysBorderHeight() - (Iconic() ? 0 : CaptionHeight()));
  }
  const fw::TRect r = WindowRect(FForm->GetHandle());
  return fw::TPoint(r.Left, r.Top);
}

fw::TPoint TkSkinProvider::ScreenToWindowPoint(int x, int y) const {
  const fw::TPoint origin = FormScreenOrigin();
  return fw::TPoint(x - origin.X, y - origin.Y);
}

void TkSkinProvider::DrawDragFrame(int x, int y) {
  HDC dc = GetDC(nullptr);
  const int rop = SetROP2(dc, R2_NOT);
  fw::TRect r = ResizeTracking.Moving ? fw::TRect(x, y, x + FForm->GetWidth(), y + FForm->GetHeight())
                                      : ResizeTracking.Frame;
  if (TkSkinProvider* main = IsMDIChild() ? LiveParent() : nullptr) {
    // An MDI child's frame lies in the MDI form's client area.
    fw::TCustomForm* f = main->FForm;
    const int menu = main->MenuPresent() ? main->MenuLineRows() * main->DefaultMenuHeight() : 0;
    const int dx = f->GetLeft() + main->SysBorderWidth() + 1;
    const int dy = f->GetTop() + 2 * main->SysBorderHeight() + main->CaptionHeight() + menu - 2;
    r = fw::TRect(r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy);
  }
  POINT points[5] = {{r.Left, r.Top}, {r.Right, r.Top}, {r.Right, r.Bottom}, {r.Left, r.Bottom}, {r.Left, r.Top}};
  Polyline(dc, points, 5);
  SetROP2(dc, rop);
  ReleaseDC(nullptr, dc);
}

void TkSkinProvider::BeginFrameDrag(int x, int y) {
  if (FResizeMode != rmBorder) return;
  ResizeTracking.Active = true;
  ResizeTracking.Frame.Left = FForm->GetLeft();
  ResizeTracking.Frame.Top = FForm->GetTop();
  if (ResizeTracking.Moving) {
    ResizeTracking.Last = fw::TPoint(x, y);
  } else {
    ResizeTracking.MinHeight = FForm->GetConstraints().MinHeight;
    ResizeTracking.MinWidth = FForm->GetConstraints().MinWidth;
    ResizeTracking.Frame.Bottom = ResizeTracking.Frame.Top + FForm->GetHeight();
    ResizeTracking.Frame.Right = ResizeTracking.Frame.Left + FForm->GetWidth();
  }
  DrawDragFrame(ResizeTracking.Frame.Left, ResizeTracking.Frame.Top);
}

void TkSkinProvider::TrackFrameTo(fw::TPoint p) {
  TkResizeTracking& t = ResizeTracking;
  if (t.Moving) {
    t.FirstMove = false;
    if (!t.Active) return;
    DrawDragFrame(t.Frame.Left, t.Frame.Top);
    t.Frame.Left += p.X - t.Last.X;
    t.Frame.Top += p.Y - t.Last.Y;
    t.Last = p;
    DrawDragFrame(t.Frame.Left, t.Frame.Top);
    return;
  }
  if (t.FirstMove) {
    t.Last = p;
    t.FirstMove = false;
  }
  if (!t.Active) return;
  DrawDragFrame(t.Frame.Left, t.Frame.Top);
  const int left = FForm->GetLeft(), top = FForm->GetTop(), width = FForm->GetWidth(), height = FForm->GetHeight();
  auto moveTop = [&] {
    t.Frame.Top = top + p.Y - t.Last.Y;
    if (t.Frame.Bottom - t.Frame.Top < t.MinHeight) t.Frame.Top = t.Frame.Bottom - t.MinHeight;
  };
  auto moveBottom = [&] {
    t.Frame.Bottom = top + height + p.Y - t.Last.Y;
    if (t.Frame.Bottom - t.Frame.Top < t.MinHeight) t.Frame.Bottom = top + t.MinHeight;
  };
  auto moveLeft = [&] {
    t.Frame.Left = left + p.X - t.Last.X;
    if (t.Frame.Right - t.Frame.Left < t.MinWidth) t.Frame.Left = t.Frame.Right - t.MinWidth;
  };
  auto moveRight = [&] {
    t.Frame.Right = left + width + p.X - t.Last.X;
    if (t.Frame.Right - t.Frame.Left < t.MinWidth) t.Frame.Right = left + t.MinWidth;
  };
  switch (t.Edge) {
    case HTLEFT: moveLeft(); break;
    case HTRIGHT: moveRight(); break;
    case HTTOP: moveTop(); break;
    case HTBOTTOM: moveBottom(); break;
    case HTTOPLEFT: moveTop(); moveLeft(); break;
    case HTTOPRIGHT: moveTop(); moveRight(); break;
    case HTBOTTOMLEFT: moveBottom(); moveLeft(); break;
    default: moveBottom(); moveRight(); break;
  }
  DrawDragFrame(t.Frame.Left, t.Frame.Top);
}

void TkSkinProvider::EndFrameDrag() {
  if (FResizeMode != rmBorder) return;
  TkResizeTracking& t = ResizeTracking;
  ReleaseCapture();
  t.Active = false;
  DrawDragFrame(t.Frame.Left, t.Frame.Top);
  if (t.Moving)
    MoveWindow(FForm->GetHandle(), t.Frame.Left, t.Frame.Top, FForm->GetWidth(), FForm->GetHeight(), TRUE);
  else if (!t.FirstMove)
    MoveWindow(FForm->GetHandle(), t.Frame.Left, t.Frame.Top, t.Frame.Width(), t.Frame.Height(), TRUE);
  t.FirstMove = false;
  t.Edge = 0;
}

int TkSkinProvider::ChildrenExtent(bool vertical) const {
  int extent = 0;
  for (int i = 0; i < FForm->GetControlCount(); ++i) {
    fw::TControl* c = FForm->GetControls(i);
    if (!c->GetVisible() || c == FBars[0] || c == FBars[1] || c == FGrip) continue;
    const fw::TAlign a = c->GetAlign();
    if (vertical && (a == fw::alNone || a == fw::alTop)) extent = std::max(extent, c->GetTop() + c->GetHeight());
    if (!vertical && (a == fw::alNone || a == fw::alLeft)) extent = std::max(extent, c->GetLeft() + c->GetWidth());
  }
  extent += 2;
  if (TkScrollBar* other = FBars[vertical ? 0 : 1]) extent += vertical ? other->GetHeight() : other->GetWidth();
  return extent;
}

void TkSkinProvider::ScrollChildren(int dx, int dy) {
  FForm->DisableAlign();
  for (int i = 0; i < FForm->GetControlCount(); ++i) {
    fw::TControl* c = FForm->GetControls(i);
    if (dynamic_cast<TkScrollBar*>(c) || dynamic_cast<TkGrip*>(c)) continue;
    if (FForm->GetVisible()) {
      c->SetBounds(c->GetLeft() + dx, c->GetTop() + dy, c->GetWidth(), c->GetHeight());
    } else if (auto* w = dynamic_cast<fw::TWinControl*>(c); w && w->HandleAllocated()) {
      SetWindowPos(w->GetHandle(), nullptr, c->GetLeft() + dx, c->GetTop() + dy, 0, 0,
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
      c->SetBounds(c->GetLeft() + dx, c->GetTop() + dy, c->GetWidth(), c->GetHeight());
    } else {
      c->SetBounds(c->GetLeft() + dx, c->GetTop() + dy, c->GetWidth(), c->GetHeight());
    }
  }
  FForm->EnableAlign();
}

void TkSkinProvider::ScrollChange(bool vertical, int oldPosition) {
  if (FScrolling) return;
  FScrolling = true;
  TkScrollBar* bar = FBars[vertical ? 1 : 0];
  const int delta = oldPosition - bar->GetPosition();
  FScrollOffset[vertical ? 1 : 0] += delta;
  bar->SetDrawingForbidden(true);
  ScrollChildren(vertical ? 0 : delta, vertical ? delta : 0);
  bar->SetDrawingForbidden(false);
  bar->Repaint();
  FScrolling = false;
}

void TkSkinProvider::ResetScroll(bool vertical) {
  const int i = vertical ? 1 : 0;
  if (FBars[i]) FBars[i]->SetPosition(0);
  // Scrolling forward makes the offset negative: any offset left moves the children back.
  if (FScrollOffset[i] != 0) {
    ScrollChildren(vertical ? 0 : -FScrollOffset[i], vertical ? -FScrollOffset[i] : 0);
    FScrollOffset[i] = 0;
  }
}

void TkSkinProvider::FreeBar(int index) {
  if (!FBars[index]) return;
  TkScrollBar* bar = FBars[index];
  FBars[index] = nullptr;
  bar->Free();
}

void TkSkinProvider::UpdateFormScrollBars() {
  if (!FForm || IsLoading(this) || IsDestroying(this) || FForm->GetControlState().Contains(fw::csCreating)) return;
  if (IsMDIForm() || IsMDIChild()) return;
  const bool active = Skinned() && FormShowing();
  struct TInfo {
    bool Visible = false;
    int Max = 0, Extent = 0, Page = 0, Small = 1;
    fw::TRect Rect;
  } info[2];
  // A right-to-left form has its vertical bar at the left.
  const bool rtl = FForm->UseRightToLeftScrollBar();
  if (active) {
    const fw::TSize client = ClientSize(FForm->GetHandle());
    for (int i = 0; i < 2; ++i) {
      const bool vertical = i == 1;
      fw::TControlScrollBar* own = vertical ? FForm->GetVertScrollBar() : FForm->GetHorzScrollBar();
      if (!FFormHadAutoScroll || !own->GetVisible()) continue;
      const int extent = ChildrenExtent(vertical);
      info[i].Extent = own->GetRange() ? std::max(extent, own->GetRange()) : extent;
      info[i].Page = (vertical ? client.cy : client.cx) - 4;
      info[i].Max = info[i].Extent - info[i].Page;
      info[i].Small = own->GetIncrement();
      if (info[i].Max >= 1) {
        const int across = GetSystemMetrics(SM_CXVSCROLL);
        if (!vertical)
          info[i].Rect = fw::TRect(0, client.cy - GetSystemMetrics(SM_CYHSCROLL), client.cx, client.cy);
        else if (rtl)
          info[i].Rect = fw::TRect(1, 1, across + 1, client.cy - 1);
        else
          info[i].Rect = fw::TRect(client.cx - across, 0, client.cx, client.cy);
        info[i].Visible = FSkinData->SkinIsActive() && info[i].Extent > info[i].Page + 4;
      }
    }
  }
  for (int i = 0; i < 2; ++i)
    if (!info[i].Visible) {
      ResetScroll(i == 1);
      FreeBar(i);
    }
  if (info[0].Visible && info[1].Visible) {
    info[1].Rect.Bottom -= info[0].Rect.Height();
    if (rtl)
      info[0].Rect.Left += info[1].Rect.Width();
    else
      info[0].Rect.Right -= info[1].Rect.Width();
    if (!FGrip) {
      FGrip = fw::New<TkGrip>(this);
      FGrip->GetSkinData()->SetSkinManager(FSkinData->GetSkinManager());
      FGrip->SetLinkedControl(FForm);
      FGrip->SetTransparent(true);
      FGrip->SetParent(FForm);
    }
    FGrip->SetBounds(info[1].Rect.Left, info[0].Rect.Top, info[1].Rect.Width(), info[0].Rect.Height());
    FGrip->SetVisible(true);
  } else if (FGrip) {
    TkGrip* grip = FGrip;
    FGrip = nullptr;
    grip->Free();
  }
  for (int i = 0; i < 2; ++i) {
    if (!info[i].Visible) continue;
    const bool vertical = i == 1;
    if (!FBars[i]) {
      auto* bar = fw::New<TkScrollBar>(FForm);
      bar->GetSkinData()->SetSkinManager(FSkinData->GetSkinManager());
      bar->SetVisible(false);
      bar->SetLinkedControl(FForm);
      bar->OnPosChange = [this, vertical](fw::TObject*, int old) { ScrollChange(vertical, old); };
      bar->SetTabStop(false);
      bar->SetKind(vertical ? fw::sbVertical : fw::sbHorizontal);
      bar->SetParent(FForm);
      FBars[i] = bar;
      FScrollRange[i] = info[i].Extent;
    }
    TkScrollBar* bar = FBars[i];
    bar->GetSkinData()->Updating = true;
    bar->SetParams(bar->GetPosition(), 0, info[i].Max);
    bar->SetSmallChange(info[i].Small);
    bar->SetPageSize(info[i].Page);
    bar->SetLargeChange(kLargeChange);
    bar->GetSkinData()->Updating = false;
    bar->SetBounds(info[i].Rect.Left, info[i].Rect.Top, info[i].Rect.Width(), info[i].Rect.Height());
    bar->SetSmooth((vertical ? FForm->GetVertScrollBar() : FForm->GetHorzScrollBar())->GetTracking());
    AttachAndShowControl(bar, FForm);
  }
}

// --- window procedure ---

void TkSkinProvider::CallOld(fw::TMessage& m) {
  if (FOldWndProc) FOldWndProc(m);
}

void TkSkinProvider::SnapToEdge(int& position, int edge, int size) const {
  const int d = position + size - edge;
  if (std::abs(d) < FSnapBuffer) position = edge - size;
}

void TkSkinProvider::CutTitleStrip() {
  // The system's caption text must never show: the title strip leaves the region meanwhile.
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  if (GetWindowRgn(FForm->GetHandle(), region) == ERROR) {
    DeleteObject(region);
    region = CreateRectRgn(0, 0, NonClientWidth(), FForm->GetHeight());
  }
  HRGN strip = CreateRectRgn(0, 0, FForm->GetWidth(), TopNonClientHeight());
  CombineRgn(region, region, strip, RGN_DIFF);
  DeleteObject(strip);
  SetWindowRgn(FForm->GetHandle(), region, FALSE);
  FRegionChanged = true;
}

void TkSkinProvider::CollectRegionRects() {
  TkSkinManager* m = FSkinData->GetSkinManager();
  FRegionRects.clear();
  try {
    if (m->IsValidImgIndex(FSkinData->BorderIndex)) {
      const TkMaskData& mask = m->GetMasks()[FSkinData->BorderIndex];
      AddCornerRegionRects(FRegionRects, NonClientWidth(), mask, false, 0);
      AddCornerRegionRects(FRegionRects, NonClientWidth(), mask, true, FForm->GetHeight() - mask.WB);
    }
    const int title = MaskIndex(TitleSectionName(), "BORDERSMASK");
    if (m->IsValidImgIndex(title)) AddCornerRegionRects(FRegionRects, NonClientWidth(), m->GetMasks()[title], false, 0);
  } catch (...) {
  }
}

void TkSkinProvider::UpdateRegionIfChanged() {
  if (FRegionUpdating || !FRegionChanged ||
      !(HasBorder() || (GetWindowLongA(FForm->GetHandle(), GWL_STYLE) & WS_THICKFRAME)))
    return;
  CollectRegionRects();
  FRegionChanged = false;
  // What the region's change sends comes back through window procedures, which let no
  // exception out.
  FRegionForPaint = true;
  UpdateFormRegion();
  FRegionForPaint = false;
}

void TkSkinProvider::NonClientPaint() {
  if (FRegionForPaint || !FormShowing() || IsLoading(FForm) || FForm->GetFormState().Contains(fw::fsCreating) ||
      IsDestroying(FForm))
    return;
  FSkinData->Updating = FSkinData->GetUpdating();
  if (FSkinData->Updating) return;
  UpdateRegionIfChanged();
  if (!FMenuRefreshed) {
    RefreshMainMenu();
    FMenuRefreshed = true;
  }
  // WM_PRINT too paints the window itself: nothing of the program captures windows.
  HDC dc = GetWindowDC(FForm->GetHandle());
  const int saved = SaveDC(dc);
  try {
    BlitNonClient(dc);
  } catch (...) {
    RestoreDC(dc, saved);
    ReleaseDC(FForm->GetHandle(), dc);
    throw;
  }
  RestoreDC(dc, saved);
  ReleaseDC(FForm->GetHandle(), dc);
  FRegionUpdating = false;
  if (FMDIForm) FMDIForm->ConnectToClient();
  if (IsMDIChild())
    if (TkSkinProvider* parent = LiveParent(); parent && parent->FMDIForm) parent->FMDIForm->UpdateMDIScrollBars();
}

void TkSkinProvider::SkinArrived(fw::TMessage& m, bool repaint) {
  TkSkinManager* own = FSkinData->GetSkinManager();
  // A manager's announcement goes on to the form's controls right after the form: passing it on
  // from here as well would give every control the new skin twice.
  const bool passOn = !repaint && !NewSkinBroadcasting;
  if (m.LParam != reinterpret_cast<LPARAM>(own)) {
    if (passOn) BroadcastToChildControls(FForm, m);
    return;
  }
  // A form whose painting is held while the skin changes keeps its shape, so that it shows the
  // old skin until it paints in the new one; its region is rebuilt at that paint.
  if (HasBorder() && FormShowing()) SetWindowRgn(FForm->GetHandle(), CreateRectRgn(0, 0, 0, 0), FALSE);
  DropMenuCache();
  FSkinData->UpdateIndexes();
  if (!own) return;
  // A skin without the form's section leaves the form as no skin would: never without a shape.
  // (The skin is announced only after this command went round.)
  const bool skinned = own->IsValidSkinIndex(FSkinData->SkinIndex);
  UpdateCaptionButtonIndexes();
  try {
    if (skinned && !FForm->GetBorderIcons().Empty()) FForm->SetBorderIcons(fw::TBorderIcons{});
  } catch (...) {
  }
  SkinFormMenus(true);
  for (TkScrollBar* bar : FBars)
    if (bar) bar->Perform(m);
  FSkinData->BGChanged = true;
  FMenuLineRows = -1;
  FRegionChanged = true;
  FNeedFullPaint = true;
  if (FUseGlobalColor && !FSkinData->GetCustomColor()) FForm->SetColor(own->GetGlobalColor());
  if (!skinned) {
    if (!IsDestroying(FForm)) GiveBackSystemFrame();
  } else if (IsMDIForm()) {
    SetMDIHelper(true);
    FMDIForm->ConnectToClient();
  }
  if (repaint) {
    if (skinned && FForm->HandleAllocated()) SendMessageA(FForm->GetHandle(), WM_NCPAINT, 0, 0);
  } else if (passOn) {
    BroadcastToChildControls(FForm, m);
  }
}

void TkSkinProvider::SkinRemoved(fw::TMessage& m) {
  if (m.LParam != reinterpret_cast<LPARAM>(FSkinData->GetSkinManager())) {
    BroadcastToChildControls(FForm, m);
    return;
  }
  const bool handle = FForm->HandleAllocated();
  if (HasBorder() && handle) SetWindowRgn(FForm->GetHandle(), CreateRectRgn(0, 0, 0, 0), FALSE);
  CommonWndProc(m, FSkinData.get());
  FMenuLineRows = -1;
  BroadcastToChildControls(FForm, m);
  if (FUseGlobalColor && !FSkinData->GetCustomColor()) FForm->SetColor(fw::clBtnFace);
  if (FSkinData->GetSkinManager()) {
    DropMenuCache();
    SkinFormMenus(false);
  }
  for (int i = 0; i < 2; ++i) {
    ResetScroll(i == 1);
    FreeBar(i);
  }
  // Whatever becomes of the manager, the form gets its system frame, buttons and shape back
  // unless it is going away.
  if (!IsDestroying(FForm)) GiveBackSystemFrame();
  FBorderIconsPending = true;
  FRegionChanged = true;
}

void TkSkinProvider::GiveBackSystemFrame() {
  SetMDIHelper(false);
  if (FForm->GetBorderIcons() != FSavedBorderIcons) FForm->SetBorderIcons(FSavedBorderIcons);
  if (!FForm->HandleAllocated()) return;
  SetWindowRgn(FForm->GetHandle(), nullptr, TRUE);
  if (fw::VisualThemesInUse()) ResetTheme(FForm->GetHandle());
  RedrawWindow(FForm->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_ERASE);
}

void TkSkinProvider::SkinCommand(fw::TMessage& m) {
  TkSkinManager* own = FSkinData->GetSkinManager();
  const bool mine = m.LParam == reinterpret_cast<LPARAM>(own);
  const TkGeneralData* section = FSkinData->Section();
  switch (SkinCmdOf(m.WParam)) {
    case cmdNewSkin:
      if (mine) SkinArrived(m, true);
      return;
    case cmdRefresh: {
      if (!mine) return;
      const bool visible = FormShowing();
      if (visible && HasBorder()) SetWindowRgn(FForm->GetHandle(), CreateRectRgn(0, 0, 0, 0), FALSE);
      FSkinData->BGChanged = true;
      FMenuLineRows = -1;
      FSkinData->Updating = false;
      FTitleBgBmp.reset();
      SkinFormMenus(Skinned());
      if (HasBorder()) FRegionChanged = true;
      if (!visible) return;
      SendMessageA(FForm->GetHandle(), WM_NCPAINT, 0, 0);
      if (MDIChildMaximized()) {
        SendMessageA(FForm->GetActiveMDIChild()->GetHandle(), WM_PAINT, 0, 0);
      } else {
        SendMessageA(FForm->GetHandle(), WM_PAINT, 0, 0);
        if (HWND client = FForm->GetClientHandle()) {
          RECT r{};
          GetClientRect(client, &r);
          SendMessageA(client, WM_SIZE, SIZE_RESTORED, MAKELPARAM(r.right, r.bottom));
          SendMessageA(client, WM_NCPAINT, 0, 0);
        }
      }
      if (FUseGlobalColor && !FSkinData->GetCustomColor()) FForm->SetColor(own->GetGlobalColor());
      if (HasBorder()) {
        FRegionChanged = false;
        CollectRegionRects();
        UpdateFormRegion();
        FRegionUpdating = false;
      }
      return;
    }
    case cmdGetProvider:
      m.Result = reinterpret_cast<LRESULT>(this);
      return;
    case cmdGetParentBg:
      if (IsLoading(this)) return;
      ParentBgAnswer.Bmp = FSkinData->CacheBmp.get();
      ParentBgAnswer.X = ClientOffsetX();
      ParentBgAnswer.Y = ClientOffsetY();
      ParentBgAnswer.Ready = true;
      return;
    case cmdSetUpdating:
      FSkinData->Updating = LOWORD(m.WParam) == 1;
      if (FSkinData->Updating) FSkinData->BGChanged = true;
      return;
    case cmdSetCmd9Flag:
      FSkinData->Cmd9Flag = LOWORD(m.WParam) != 0;
      if (FSkinData->Cmd9Flag) PaintAll();
      CommonMessage(m, FSkinData.get());
      return;
    case cmdIsUpdating:
      m.LParam = FSkinData->BGChanged || FSkinData->Updating ? 1 : 0;
      FChildrenWaiting = FChildrenWaiting || m.LParam;
      return;
    case cmdGraphicRepaints:
      FSkinData->Cmd15Value = m.LParam;
      return;
    case cmdIsTextured:
      m.LParam = section && section->GradientPercent + section->ImagePercent > 0 ? 1 : 0;
      return;
    case cmdGetColor:
      QueriedColor = section && !FSkinData->GetCustomColor() ? section->HotColor : fw::ColorToRGB(FForm->GetColor());
      return;
    default:
      return;
  }
}

void TkSkinProvider::NewWndProc(fw::TMessage& m) {
  if (Designing() || !FForm) {
    CallOld(m);
    return;
  }
  if (m.Msg == SM_SKINCMD) {
    switch (SkinCmdOf(m.WParam)) {
      case cmdNewSkin:
        if (!FSystemMenu) PrepareForm();
        break;
      case cmdRemoveSkin:
        SkinRemoved(m);
        return;
      case cmdIsSkinned:
        m.LParam = 1;
        return;
      default:
        break;
    }
  }
  if (IsDestroying(FForm) || !Skinned()) {
    if (m.Msg == SM_SKINCMD && SkinCmdOf(m.WParam) == cmdNewSkin && !IsDestroying(FForm)) {
      SkinArrived(m, false);
      return;
    }
    CallOld(m);
    if (m.Msg == WM_NCDESTROY && IsMDIChild())
      if (TkSkinProvider* parent = LiveParent(); parent && parent->FMDIForm && parent->Skinned()) {
        parent->FMDIForm->UpdateMDIScrollBars();
        parent->RepaintNonClient();
        if (!parent->FForm->GetActiveMDIChild())
          SendMessageA(parent->FForm->GetClientHandle(), WM_SIZE, 0, 0);
      }
    return;
  }
  if (m.Msg == SM_SKINCMD) {
    SkinCommand(m);
    return;
  }
  if ((IsMDIChild() || IsMDIForm()) &&
      (m.Msg == WM_CREATE || m.Msg == WM_MOVE || m.Msg == WM_SIZE || m.Msg == WM_CHILDACTIVATE ||
       m.Msg == WM_MDIDESTROY || m.Msg == WM_MDIACTIVATE)) {
    MDIWindowMessage(m);
    return;
  }
  switch (m.Msg) {
    case WM_SIZE:
      CallOld(m);
      if (FormShowing()) UpdateFormScrollBars();
      return;
    case WM_ACTIVATE:
      CallOld(m);
      if (FForm->GetFormState().Contains(fw::fsCreating)) return;
      FFormActive = LOWORD(m.WParam) != WA_INACTIVE;
      FSkinData->BGChanged = true;
      FMenuLineRows = -1;
      SendMessageA(FForm->GetHandle(), WM_NCPAINT, 0, 0);
      if (FMDIForm) {
        if (MDIChildMaximized())
          SendMessageA(FForm->GetActiveMDIChild()->GetHandle(), WM_PAINT, 0, 0);
        else
          FMDIForm->UpdateMDIScrollBars();
      }
      SkinFormMenus(true);
      UpdateFormScrollBars();
      if (FSystemMenu) FSystemMenu->UpdateItems();
      return;
    case WM_SETTEXT:
      if (FormShowing() && HasBorder()) {
        CutTitleStrip();
        CallOld(m);
        FSkinData->BGChanged = true;
        SendMessageA(FForm->GetHandle(), WM_NCPAINT, 0, 0);
      } else {
        CallOld(m);
      }
      return;
    case WM_NCACTIVATE: {
      if ((m.WParam || IsMDIChild()) && HasBorder() && !IsLoading(FForm) && FForm->HandleAllocated()) {
        if (IsMDIChild()) {
          CutTitleStrip();
        } else {
          // The system is told to paint no frame of its own (-1): changing the shape of a shown
          // window to hide it costs several times the frame's whole paint under Wine.
          m.LParam = -1;
        }
      }
      CallOld(m);
      if (IsMDIChild() && !FMenuRefreshed && FormShowing())
        if (TkSkinProvider* parent = LiveParent(); parent && parent->FMDIForm) {
          // A child just made and shown: the MDI form's menu line and client follow it.
          PendingMaximize = false;
          parent->FSkinData->BGChanged = true;
          parent->FMenuLineRows = -1;
          parent->FMDIForm->UpdateMDIIconItem();
          SendMessageA(parent->FForm->GetHandle(), WM_NCPAINT, 0, 0);
          SendMessageA(parent->FForm->GetClientHandle(), WM_NCPAINT, 0, 0);
          InvalidateRect(parent->FForm->GetClientHandle(), nullptr, TRUE);
          parent->FMDIForm->UpdateMDIScrollBars();
        }
      if (FForm->GetControlState().Contains(fw::csCreating)) return;
      bool activeNow = m.WParam != 0;
      // The MDI form stays active with its maximized child.
      if (MDIChildMaximized() && MaximizedChildProvider) activeNow = activeNow || MaximizedChildProvider->FFormActive;
      if (HasBorder() && activeNow != FFormActive) {
        FFormActive = activeNow;
        FMenuLineRows = -1;
        FSkinData->BGChanged = true;
      }
      if (IsMDIChild()) FSkinData->BGChanged = true;
      SendMessageA(FForm->GetHandle(), WM_NCPAINT, 0, 0);
      SkinFormMenus(Skinned());
      if (!FMenuRefreshed) {
        RefreshMainMenu();
        FMenuRefreshed = true;
      }
      return;
    }
    case WM_SHOWWINDOW:
      // The frame's shape is given while the window is still hidden: shaping a shown window
      // costs several times as much under Wine.
      if (m.WParam && Skinned() && !IsLoading(FForm) && !FSkinData->GetUpdating()) {
        UpdateRegionIfChanged();
        FRegionUpdating = false;
      }
      CallOld(m);
      return;
    case WM_NCPAINT:
    case WM_PRINT:
      NonClientPaint();
      return;
    case WM_PAINT:
      if (FormShowing() && !FForm->GetControlState().Contains(fw::csCreating)) {
        WMPaintForm(m);
        if (FForm->OnPaint) FForm->OnPaint(FForm);
      } else {
        CallOld(m);
      }
      m.Result = 1;
      if (FSkinData->Cmd9Flag) SendCmd9ToTree(FForm);
      return;
    case WM_ERASEBKGND:
      m.Result = 1;
      if (fw::VisualThemesInUse()) CallOld(m);
      return;
    case WM_SYSCOLORCHANGE:
      CallOld(m);
      RefreshMainMenu();
      return;
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(m.LParam);
      info->ptMaxTrackSize = POINT{-1, -1};
      info->ptMaxPosition = POINT{-1, -1};
      CallOld(m);
      fw::TRect area;
      GetWorkArea(area);
      const int frame = HasBorder() ? SysBorderWidth() : 0;
      if (info->ptMaxTrackSize.x == -1) info->ptMaxTrackSize.x = area.Width() + 2 * frame;
      if (info->ptMaxTrackSize.y == -1) info->ptMaxTrackSize.y = area.Height() + 2 * frame;
      if (info->ptMaxPosition.x == -1) info->ptMaxPosition.x = area.Left - frame;
      if (info->ptMaxPosition.y == -1) info->ptMaxPosition.y = area.Top - frame;
      return;
    }
    case WM_WINDOWPOSCHANGING: {
      auto* pos = reinterpret_cast<WINDOWPOS*>(m.LParam);
      if (!FRegionUpdating && !Maximized() && FScreenSnap && !(pos->flags & SWP_NOMOVE) && (pos->x || pos->y)) {
        fw::TRect area;
        GetWorkArea(area);
        HMONITOR monitor = MonitorFromWindow(FForm->GetHandle(), MONITOR_DEFAULTTONEAREST);
        MONITORINFO mi{};
        mi.cbSize = sizeof mi;
        GetMonitorInfoA(monitor, &mi);
        SnapToEdge(pos->x, area.Right, FForm->GetWidth());
        SnapToEdge(pos->y, area.Bottom, FForm->GetHeight());
        SnapToEdge(pos->x, area.Left, mi.rcMonitor.left);
        SnapToEdge(pos->y, area.Top, mi.rcMonitor.top);
      }
      CallOld(m);
      FScrollRange[1] = ChildrenExtent(true);
      FScrollRange[0] = ChildrenExtent(false);
      return;
    }
    case WM_WINDOWPOSCHANGED:
    case WM_EXITSIZEMOVE:
      if (FRegionUpdating || SkinLoading) return;
      CallOld(m);
      if (fw::TPoint(NonClientWidth(), FForm->GetHeight()) != FRegionSize) FRegionChanged = true;
      if (FormShowing() && CacheSizeChanged()) {
        if (!FForm->GetControlState().Contains(fw::csCreating)) FSkinData->BGChanged = true;
        FMenuLineRows = -1;
        SendMessageA(FForm->GetHandle(), WM_NCPAINT, 0, 0);
        InvalidateRect(FForm->GetHandle(), nullptr, FALSE);
      }
      return;
    case WM_SIZING:
      CallOld(m);
      if (CacheSizeChanged()) {
        FSkinData->BGChanged = true;
        FMenuLineRows = -1;
        if (FMDIForm) FMDIForm->UpdateMDIScrollBars();
      }
      return;
    case fw::CM_COLORCHANGED:
      if (!FSkinData->GetCustomColor()) return;
      if (!FForm->GetControlState().Contains(fw::csCreating)) FSkinData->BGChanged = true;
      CallOld(m);
      return;
    case fw::CM_MENUCHANGED:
      if (FormShowing() && !FForm->GetControlState().Contains(fw::csCreating)) FNeedFullPaint = true;
      CallOld(m);
      return;
    case WM_NCHITTEST:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
    case WM_LBUTTONUP:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
    case WM_MOUSEMOVE:
    case WM_MOUSELEAVE:
    case fw::CM_MOUSELEAVE:
      MouseMessage(m);
      return;
    case WM_SYSCOMMAND:
      SysCommand(m);
      return;
    default:
      CallOld(m);
  }
}

// The window messages an MDI form or child handles apart from other forms.
void TkSkinProvider::MDIWindowMessage(fw::TMessage& m) {
  TkSkinProvider* parent = IsMDIChild() ? LiveParent() : nullptr;
  TkMDIForm* parentMDI = parent ? parent->FMDIForm.get() : nullptr;
  switch (m.Msg) {
    case WM_CREATE:
      PendingMaximize = parent && parent->MDIChildMaximized();
      CallOld(m);
      return;
    case WM_MOVE:
      CallOld(m);
      if (parentMDI && !Maximized() && !IsLoading(this)) {
        parent->FSkinData->Updating = false;
        parentMDI->UpdateMDIScrollBars();
      }
      return;
    case WM_SIZE:
      CallOld(m);
      if (!FormShowing()) return;
      if (FMDIForm) {
        FMDIForm->UpdateMDIScrollBars();
      } else if (parent && Maximized()) {
        const fw::TBitmap* cache = FSkinData->CacheBmp.get();
        parent->FSkinData->BGChanged =
            cache->GetWidth() == FForm->GetWidth() || cache->GetHeight() == FForm->GetHeight();
        SendMessageA(parent->FForm->GetHandle(), WM_NCPAINT, 0, 0);
      } else if (parentMDI && FResizeMode == rmBorder) {
        parentMDI->UpdateMDIScrollBars();
      }
      return;
    case WM_CHILDACTIVATE:
      CallOld(m);
      RefreshMainMenu();
      if (parentMDI) parentMDI->UpdateMDIScrollBars();
      return;
    default:  // WM_MDIDESTROY, WM_MDIACTIVATE
      CallOld(m);
      if (!parent) return;
      FMenuRefreshed = false;
      parent->FNeedFullPaint = true;
      parent->FSkinData->BGChanged = true;
      parent->FMenuLineRows = -1;
      // The menu line follows the child that becomes active.
      if (m.Msg == WM_MDIACTIVATE && parentMDI && reinterpret_cast<HWND>(m.LParam) == FForm->GetHandle())
        parentMDI->UpdateMDIIconItem();
      SendMessageA(parent->FForm->GetHandle(), WM_NCPAINT, 0, 0);
  }
}

// --- hit test and mouse ---

int TkSkinProvider::ButtonOrdinalAt(int x) const {
  std::vector<const TkCaptionButton*> order;
  if (FBorderIcons.Contains(fw::biSystemMenu) && FSystemMenu) {
    order.push_back(&FButtonClose);
    if (FSystemMenu->VisibleMax()) order.push_back(&FButtonMax);
    if (FSystemMenu->VisibleMin()) order.push_back(&FButtonMin);
    if (FBorderIcons.Contains(fw::biHelp)) order.push_back(&FButtonHelp);
  }
  for (int i = 0; i < FTitleButtons->GetCount(); ++i) order.push_back(&FTitleButtons->GetItem(i)->Data);
  for (size_t i = 0; i < order.size(); ++i)
    if (order[i]->Rect.Left <= x && x <= order[i]->Rect.Right) return static_cast<int>(i) + 1;
  return 0;
}

int TkSkinProvider::HitTest(fw::TMessage& m) {
  const fw::TPoint p = ScreenToWindowPoint(static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam)));
  const int top = FrameOffset(), h = CaptionHeight() - CaptionButtonHeight(), mid = (top + h) / 2;
  auto hot = [&](int code) {
    SetHotButton(code);
    return code;
  };
  if (mid <= p.Y && p.Y <= CaptionButtonHeight() + mid) {
    const fw::TRect icon = AppIconRect();
    // The system menu only over an icon that is there.
    if (icon.Width() > 0 && p.X >= SysBorderWidth() && p.X <= SysBorderWidth() + icon.Width()) return hot(HTSYSMENU);
    const bool iconic = Iconic();
    const bool vMax = FSystemMenu && FSystemMenu->VisibleMax(), vMin = FSystemMenu && FSystemMenu->VisibleMin();
    const bool vClose = FSystemMenu && FSystemMenu->VisibleClose();
    // Help counts only beside the system buttons, as ButtonOrdinalAt and the painting have it.
    const bool help = FBorderIcons.Contains(fw::biHelp) && FBorderIcons.Contains(fw::biSystemMenu);
    const int count = (vClose ? 1 : 0) + (vMax ? 1 : 0) + ((vMin || iconic) ? 1 : 0) + (help ? 1 : 0);
    const int n = ButtonOrdinalAt(p.X);
    if (n >= 1 && n <= count) {
      switch (n) {
        case 1:
          if (vClose) return hot(HTCLOSE);
          break;
        case 2:
          if (vMax) {
            if (FSystemMenu->EnabledMax()) return hot(HTMAXBUTTON);
            if (!FSystemMenu->EnabledRestore()) return hot(HTCAPTION);
            return hot(HTMAXBUTTON);
          }
          if (vMin || iconic) return hot(FSystemMenu->EnabledMin() ? HTMINBUTTON : HTCAPTION);
          if (help) return hot(HTHELP);
          break;
        case 3:
          if (vMax && vMin) return hot(iconic || FSystemMenu->EnabledMin() ? HTMINBUTTON : HTCAPTION);
          if (help) return hot(HTHELP);
          break;
        case 4:
          if (help && vMax) return hot(HTHELP);
          break;
      }
    } else if (n == 0) {
      return hot(HTCAPTION);
    } else {
      const int i = n - count - 1;
      if (i >= FTitleButtons->GetCount() || !FTitleButtons->GetItem(i)->GetEnabled()) return hot(HTCAPTION);
      return hot(HTTITLEBUTTON + i);
    }
  } else {
    TkSkinManager* sm = FSkinData->GetSkinManager();
    if (ShowsGrip() && sm->IsValidImgIndex(MaskIndex("GLOBALINFO", "GRIPIMAGE"))) {
      const fw::TPoint grip = GripImagePos();
      if (p.X > grip.X && p.Y > grip.Y) return HTBOTTOMRIGHT;
    }
    if (MDIChildMaximized()) {
      for (int code : {HTMDICLOSE, HTMDIMAX, HTMDIMIN})
        if (Inside(Button(code).Rect, p)) return hot(code);
    } else {
      SetHotButton(0);
    }
  }
  if (Maximized() &&
      TestMouseLeave(fw::TPoint(static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam)))))
    return HTTRANSPARENT;
  return static_cast<int>(m.Result);
}

void TkSkinProvider::PopupSystemMenu(int x, int y) {
  if (!FSystemMenu) return;
  if (FMakeSkinMenu) {
    FSystemMenu->RemoveSkinItems();
    FSystemMenu->MakeSkinItems();
  }
  FSystemMenu->UpdateItems();
  if (TkSkinManager* m = FSkinData->GetSkinManager(); m && m->GetSkinableMenus())
    m->GetSkinableMenus()->HookPopupMenu(FSystemMenu, m->GetSkinnedPopups() && Skinned());
  FSystemMenu->Popup(x, y);
}

void TkSkinProvider::PopupSystemMenuAtIcon() {
  const fw::TPoint origin = FormScreenOrigin();
  if (IsMDIChild() && MDIParentProvider)
    PopupSystemMenu(origin.X, origin.Y + CaptionHeight() + 4);
  else
    PopupSystemMenu(origin.X + SysBorderWidth(), origin.Y + AppIconRect().Height() + FrameOffset());
}

void TkSkinProvider::ButtonUp(fw::TMessage& m, int code) {
  const HWND wnd = FForm->GetHandle();
  switch (code) {
    case HTCLOSE:
      if (FPressed) {
        FButtonClose.State = 0;
        SendMessageA(wnd, WM_SYSCOMMAND, SC_CLOSE, 0);
      }
      return;
    case HTMAXBUTTON:
      if (Iconic() && !FSystemMenu->EnabledMax()) return;
      if (FPressed) {
        if (IsMDIChild() && MDIParentProvider) MDIParentProvider->FSkinData->BeginUpdate();
        SetHotButton(0);
        if (IsMDIChild()) MaximizedChildProvider = nullptr;
        if (Maximized()) {
          if (!IsMDIChild()) FForm->SetWindowState(fw::wsNormal);
          SendMessageA(wnd, WM_SYSCOMMAND, SC_RESTORE, 0);
        } else {
          if (!IsMDIChild()) FForm->SetWindowState(fw::wsMaximized);
          SendMessageA(wnd, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
        }
        fw::Application->ProcessMessages();
        FSystemMenu->UpdateItems();
      } else {
        SetHotButton(0);
      }
      return;
    case HTMINBUTTON: {
      const fw::TPoint p =
          ScreenToWindowPoint(static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam)));
      if (FPressed && Inside(FButtonMin.Rect, p)) {
        SetHotButton(0);
        SendMessageA(wnd, WM_SYSCOMMAND, Iconic() ? SC_RESTORE : SC_MINIMIZE, 0);
      } else if (FPressed) {
        CallOld(m);
      } else {
        SetHotButton(0);
      }
      return;
    }
    case HTMDICLOSE:
    case HTMDIMAX:
    case HTMDIMIN: {
      const bool pressed = FPressed;
      SetHotButton(0);
      fw::TCustomForm* child = FForm->GetActiveMDIChild();
      if (!pressed || !child) return;
      // The child's own skin ends this update when it has refreshed the MDI form.
      if (code == HTMDIMIN && MaximizedChildProvider) FSkinData->BeginUpdate();
      SendMessageA(child->GetHandle(), WM_SYSCOMMAND,
                   code == HTMDICLOSE ? SC_CLOSE : code == HTMDIMAX ? SC_RESTORE : SC_MINIMIZE, 0);
      return;
    }
    case HTHELP:
      if (FPressed) {
        SendMessageA(wnd, WM_SYSCOMMAND, SC_CONTEXTHELP, 0);
        SetHotButton(0);
        FSystemMenu->UpdateItems();
        FForm->Perform(WM_NCPAINT, 0, 0);
      } else {
        SetHotButton(0);
      }
      return;
    default:
      if (code >= HTTITLEBUTTON && code - HTTITLEBUTTON < FTitleButtons->GetCount()) {
        if (FPressed)
          FTitleButtons->GetItem(code - HTTITLEBUTTON)
              ->MouseUp(fw::mbLeft, fw::TShiftState{}, static_cast<short>(LOWORD(m.LParam)),
                        static_cast<short>(HIWORD(m.LParam)));
        SetHotButton(0);
        return;
      }
      if (Iconic()) {
        if (MDIParentProvider && FSkinData->GetSkinManager()->GetSkinnedPopups()) {
          POINT cursor{};
          GetCursorPos(&cursor);
          PopupSystemMenu(cursor.x + FormScreenOrigin().X, cursor.y);
        } else {
          CallOld(m);
        }
        return;
      }
      if (FResizeMode == rmBorder && !Maximized() && ResizeTracking.Active) {
        const fw::TPoint p = FForm->ClientToScreen(
            fw::TPoint(static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam))));
        (void)p;
        EndFrameDrag();
        ReleaseCapture();
        return;
      }
      CallOld(m);
  }
}

void TkSkinProvider::MouseMessage(fw::TMessage& m) {
  const int code = static_cast<int>(m.WParam);
  switch (m.Msg) {
    case WM_NCHITTEST: {
      if (!HasBorder()) {
        CallOld(m);
        return;
      }
      m.Result = HitTest(m);
      if (m.Result == HTNOWHERE || m.Result == HTCLIENT) {
        CallOld(m);
        SetHotButton(0);
      }
      if (FResizeMode == rmBorder && ResizeTracking.Edge == 0 &&
          (m.Result == HTCAPTION || (m.Result >= HTLEFT && m.Result <= HTBOTTOMRIGHT)))
        ResizeTracking.Edge = static_cast<int>(m.Result);
      return;
    }
    case WM_NCLBUTTONDOWN:
      if (code == HTMINBUTTON || code == HTMAXBUTTON || code == HTCLOSE || code == HTHELP || code == HTMDICLOSE ||
          code == HTMDIMAX || code == HTMDIMIN) {
        if (const TkSkinProvider* child = MaximizedChildProvider; child && child->FSystemMenu) {
          if (code == HTMDIMIN && !child->FSystemMenu->EnabledMin()) return;
          if (code == HTMDIMAX && !child->FSystemMenu->EnabledRestore()) return;
        }
        SetPressedButton(code);
        return;
      }
      if (code == HTSYSMENU) {
        if (!FSkinData->GetSkinManager()->GetSkinnedPopups()) {
          CallOld(m);
          return;
        }
        SetHotButton(0);
        PopupSystemMenuAtIcon();
        return;
      }
      if (code >= HTTITLEBUTTON && code - HTTITLEBUTTON < FTitleButtons->GetCount()) {
        SetPressedButton(code);
        FTitleButtons->GetItem(code - HTTITLEBUTTON)
            ->MouseDown(fw::mbLeft, fw::TShiftState{}, static_cast<short>(LOWORD(m.LParam)),
                        static_cast<short>(HIWORD(m.LParam)));
        return;
      }
      if (Iconic()) {
        FForm->Perform(WM_SYSCOMMAND, 0xF012, 0);
        return;
      }
      SetHotButton(0);
      if (Maximized() &&
          ScreenToWindowPoint(static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam))).Y <=
              SysBorderHeight() + CaptionHeight()) {
        if (!FForm->GetActive()) FForm->SetFocus();
        return;
      }
      if (FResizeMode == rmBorder && code != HTMENU) {
        ResizeTracking.Moving = !(code >= HTLEFT && code <= HTBOTTOMRIGHT);
        FForm->Perform(WM_SYSCOMMAND, ResizeTracking.Moving ? SC_MOVE : SC_SIZE, 0);
        BeginFrameDrag(static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam)));
        return;
      }
      CallOld(m);
      return;
    case WM_NCLBUTTONUP:
      ButtonUp(m, code);
      return;
    case WM_LBUTTONUP:
      // Its WParam holds key flags, no hit code.
      ButtonUp(m, HTNOWHERE);
      return;
    case WM_NCLBUTTONDBLCLK:
      if (FResizeMode == rmBorder && ResizeTracking.Active) {
        EndFrameDrag();
        ReleaseCapture();
        ResizeTracking.Active = false;
      }
      if (code == HTCAPTION && (FSystemMenu->EnabledMax() || FSystemMenu->EnabledRestore())) {
        if (Maximized() || Iconic()) {
          SendMessageA(FForm->GetHandle(), WM_SYSCOMMAND, SC_RESTORE, 0);
        } else {
          if (IsMDIChild())
            MaximizedChildProvider = this;
          else
            FForm->SetWindowState(fw::wsMaximized);
          SendMessageA(FForm->GetHandle(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
        }
        FSystemMenu->UpdateItems();
      } else if (code == HTSYSMENU) {
        FForm->Close();
      }
      return;
    case WM_NCRBUTTONDOWN:
      if ((code == HTCAPTION || code == HTSYSMENU) && FSkinData->GetSkinManager()->GetSkinnedPopups()) return;
      CallOld(m);
      return;
    case WM_NCRBUTTONUP:
      if (!FSkinData->GetSkinManager()->GetSkinnedPopups()) {
        CallOld(m);
        return;
      }
      if (code == HTCAPTION || code == HTSYSMENU) {
        SetHotButton(0);
        PopupSystemMenu(static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam)));
      }
      return;
    case WM_MOUSELEAVE:
    case fw::CM_MOUSELEAVE:
      SetHotButton(0);
      CallOld(m);
      return;
    case WM_MOUSEMOVE:
      CallOld(m);
      if (FResizeMode == rmBorder)
        TrackFrameTo(FForm->ClientToScreen(
            fw::TPoint(static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam)))));
      return;
    default:
      CallOld(m);
  }
}

void TkSkinProvider::SysCommand(fw::TMessage& m) {
  if (LOWORD(m.WParam) == 0xF012) FForm->Repaint();
  if (FResizeMode == rmBorder && !ResizeTracking.Active) {
    if ((m.WParam & 0xFFF0) == SC_MOVE) {
      SetCapture(FForm->GetHandle());
      ResizeTracking.FirstMove = true;
      ResizeTracking.Moving = true;
    } else if ((m.WParam & 0xFFF0) == SC_SIZE) {
      SetCapture(FForm->GetHandle());
      ResizeTracking.Edge = 0;
      ResizeTracking.FirstMove = true;
      ResizeTracking.Moving = false;
    }
  }
  const WPARAM command = m.WParam & 0xFFF0;
  if (IsMDIChild()) {
    MDIChildSysCommand(m);
    return;
  }
  if (command == SC_KEYMENU && m.LParam == VK_SPACE && FSystemMenu && FSystemMenu->VisibleClose() &&
      FSkinData->GetSkinManager()->GetSkinnedPopups()) {
    // Alt+Space: the skinned form has no system menu of its own, so the skinner shows its one.
    PopupSystemMenuAtIcon();
    return;
  }
  CallOld(m);
  if (IsMDIForm()) {
    if ((command == SC_MINIMIZE || command == SC_MAXIMIZE || command == SC_RESTORE) && MDIParentProvider) {
      TkSkinProvider* parent = MDIParentProvider;
      parent->FSkinData->BGChanged = true;
      parent->FMenuLineRows = -1;
      SendMessageA(parent->FForm->GetHandle(), WM_NCPAINT, 0, 0);
      if (parent->FMDIForm) parent->FMDIForm->UpdateMDIScrollBars();
    }
    return;
  }
  if ((command == SC_MAXIMIZE || command == SC_RESTORE) && FSystemMenu && FSystemMenu->VisibleMax()) {
    FHotButtonCode = HTMAXBUTTON;
    SetHotButton(0);
  }
}

void TkSkinProvider::MDIChildSysCommand(fw::TMessage& m) {
  const WPARAM command = m.WParam & 0xFFF0;
  TkSkinProvider* parent = LiveParent();
  TkMDIForm* mdi = parent ? parent->FMDIForm.get() : nullptr;
  const bool hold = Maximized() && command != SC_MAXIMIZE && parent;
  if (hold) parent->FSkinData->BeginUpdate();
  const UINT redraw = RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_UPDATENOW | RDW_FRAME;
  switch (command) {
    case SC_CLOSE:
      MaximizedChildProvider = nullptr;
      CallOld(m);
      if (mdi) {
        if (hold) RefreshMDIParent();
        mdi->UpdateMDIScrollBars();
      } else if (hold) {
        parent->FSkinData->EndUpdate();
      }
      return;
    case SC_RESTORE: {
      MaximizedChildProvider = nullptr;
      if (PendingMaximize) {
        if (hold) parent->FSkinData->EndUpdate();
        return;
      }
      StopRedraw(true);
      CallOld(m);
      ResumeRedraw(true);
      RedrawWindow(FForm->GetHandle(), nullptr, nullptr, redraw);
      if (parent) {
        // A restored child leaves no other one maximized.
        fw::TCustomForm* main = parent->FForm;
        for (int i = 0; i < main->GetMDIChildCount(); ++i) {
          fw::TCustomForm* other = main->GetMDIChildren(i);
          if (other == FForm || !IsZoomed(other->GetHandle())) continue;
          ShowWindow(other->GetHandle(), SW_RESTORE);
          RedrawWindow(other->GetHandle(), nullptr, nullptr, redraw);
        }
      }
      fw::Application->ProcessMessages();
      if (hold) RefreshMDIParent();
      if (mdi) mdi->UpdateMDIScrollBars();
      if (FSystemMenu) FSystemMenu->UpdateItems();
      return;
    }
    case SC_MINIMIZE:
      MaximizedChildProvider = nullptr;
      CallOld(m);
      if (hold) RefreshMDIParent();
      if (mdi) mdi->UpdateMDIScrollBars();
      if (FSystemMenu) FSystemMenu->UpdateItems();
      FTitleBgBmp.reset();
      FSkinData->BGChanged = true;
      if (FForm->HandleAllocated()) SendMessageA(FForm->GetHandle(), WM_NCPAINT, 0, 0);
      return;
    case SC_MAXIMIZE:
      MaximizedChildProvider = this;
      StopRedraw(true);
      CallOld(m);
      ResumeRedraw(true);
      RedrawWindow(FForm->GetHandle(), nullptr, nullptr, redraw);
      if (parent) {
        parent->FMenuLineRows = -1;
        if (mdi) {
          mdi->UpdateMDIIconItem();
          mdi->UpdateMDIScrollBars();
        }
      }
      if (FSystemMenu) FSystemMenu->UpdateItems();
      return;
    case SC_KEYMENU:
      if (parent) parent->FSkinData->EndUpdate();
      return;
    default:
      CallOld(m);
      if (parent) parent->FSkinData->EndUpdate();
  }
}

LRESULT SendCmdToParentForm(fw::TComponent* component) {
  fw::TCustomForm* form = nullptr;
  if (auto* control = dynamic_cast<fw::TControl*>(component)) {
    for (fw::TControl* c = control; c && !form; c = c->GetParent()) form = dynamic_cast<fw::TCustomForm*>(c);
  }
  for (fw::TComponent* c = component; c && !form; c = c->GetOwner()) form = dynamic_cast<fw::TCustomForm*>(c);
  if (!form || !form->HandleAllocated()) return 0;
  return SendMessageA(form->GetHandle(), SM_SKINCMD, SkinCmdWParam(cmdGetProvider), 0);
}

}  // namespace skin
