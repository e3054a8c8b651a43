#include "skin/engine/skinable_menus.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "framework/forms/application.h"
#include "framework/forms/screen.h"
#include "framework/graphics/bitmap.h"
#include "framework/graphics/image_list.h"
#include "framework/rtl/wide_text.h"
#include "framework/sys/owned_handle.h"
#include "skin/engine/glyphs_text.h"
#include "skin/engine/mask_paint.h"
#include "skin/engine/section_paint.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/skin_provider.h"

namespace skin {

namespace {

constexpr char kDefaultExtraLineCaption[] = "Don`t forget OnGetExtraLineData event...";
constexpr char kSkinSelectItem[] = "SkinSelectItem";
constexpr char kMDIIconItem[] = "kMDICII";
// The popup window's frame that the system keeps around the items.
constexpr int kPopupFrame = 3;

// One popup is drawn at a time; this is what the painter knows of it.
struct PopupState {
  std::unique_ptr<fw::TBitmap> Background;
  UINT FirstCommand = 0;  // the command id of the popup's first item, 0 for none
  std::string Section;
  std::string Caption;
  std::unique_ptr<fw::TBitmap> Glyph;
  bool LineVisible = false;
  bool Fetched = false;
  int GlyphWidth = 0;
  int IconLineWidth = 0;
  TkMenuItemType LastKind = smNormal;
};
PopupState popup;

bool ReadIsNT() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;  // 148 bytes
  return GetVersionExA(&info) && info.dwPlatformId == VER_PLATFORM_WIN32_NT;
}
const bool systemIsNT = ReadIsNT();
std::optional<bool> isNTOverride;

// The handlers the painter assigns; a hooked event is recognised by its handler's type and
// painter, so events the application assigned itself are never cleared.
struct PopupMeasure {
  TkSkinableMenus* Menus;
  void operator()(fw::TObject* s, fw::TCanvas* c, int& w, int& h) const { Menus->MeasureMenuItem(s, c, w, h); }
};
struct PopupDraw {
  TkSkinableMenus* Menus;
  void operator()(fw::TObject* s, fw::TCanvas* c, fw::TRect r, fw::TOwnerDrawState st) const {
    Menus->DrawMenuItem(s, c, r, st);
  }
};
struct LineMeasure {
  TkSkinableMenus* Menus;
  void operator()(fw::TObject* s, fw::TCanvas* c, int& w, int& h) const { Menus->MeasureMenuLineItem(s, c, w, h); }
};
struct LineDraw {
  TkSkinableMenus* Menus;
  void operator()(fw::TObject* s, fw::TCanvas* c, fw::TRect r, fw::TOwnerDrawState st) const {
    Menus->DrawMenuLineItem(s, c, r, st);
  }
};

template <class Handler, class Event>
void Unhook(Event& event, const TkSkinableMenus* menus) {
  const Handler* handler = event.template target<Handler>();
  if (handler && handler->Menus == menus) event = nullptr;
}

bool Destroying(const fw::TComponent* c) { return c->GetComponentState().Contains(fw::csDestroying); }

fw::TMenuItem* FirstItemOf(fw::TMenuItem* item) {
  fw::TMenuItem* parent = item->GetParent();
  return parent && parent->GetCount() > 0 ? parent->GetItems(0) : item;
}

// The item's visible siblings (itself among them when visible).
std::vector<fw::TMenuItem*> VisibleSiblings(const fw::TMenuItem* item) {
  std::vector<fw::TMenuItem*> items;
  if (const fw::TMenuItem* parent = item->GetParent())
    for (int i = 0; i < parent->GetCount(); ++i)
      if (parent->GetItems(i)->GetVisible()) items.push_back(parent->GetItems(i));
  return items;
}

// Where the item stands in its native menu, which leaves invisible items out.
int NativePosition(const fw::TMenuItem* item) {
  const std::vector<fw::TMenuItem*> items = VisibleSiblings(item);
  const auto it = std::find(items.begin(), items.end(), item);
  return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

// The text's width as DrawText lays out a single line (accelerator marks not counted).
int LineTextWidth(fw::TCanvas* canvas, const std::string& text) {
  canvas->TextHeight("W");  // selects the canvas font
  RECT r{0, 0, 0, 0};
  fw::DrawTextUtf8(canvas->GetHandle(), text, r, DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | DT_SINGLELINE);
  return r.right - r.left;
}

void UseMenuFont(fw::TCanvas* canvas, bool bold) {
  if (fw::Screen) canvas->SetFont(fw::Screen->GetMenuFont());
  fw::TFontStyles style = canvas->GetFont()->GetStyle();
  if (bold) style.Include(fw::fsBold);
  else style.Exclude(fw::fsBold);
  canvas->GetFont()->SetStyle(style);
}

unsigned AlignmentFlag(fw::TAlignment alignment) {
  switch (alignment) {
    case fw::taRightJustify: return DT_RIGHT;
    case fw::taCenter: return DT_CENTER;
    default: return DT_LEFT;
  }
}

void CopyFrom(HDC dst, int x, int y, int w, int h, fw::TBitmap* src, int sx, int sy) {
  if (w > 0 && h > 0) BitBlt(dst, x, y, w, h, src->GetCanvas()->GetHandle(), sx, sy, SRCCOPY);
}

// The same place of the background on a window's whole-window DC.
void CopyToWindow(HWND wnd, fw::TBitmap* bmp, int x, int y, int w, int h) {
  HDC dc = GetWindowDC(wnd);
  CopyFrom(dc, x, y, w, h, bmp, x, y);
  ReleaseDC(wnd, dc);
}

int builds = 0;

}  // namespace

bool IsNT() { return isNTOverride.value_or(systemIsNT); }

fw::TBitmap* MenuBackground() { return popup.Background.get(); }

int MenuBackgroundBuilds() { return builds; }

void ClearMenuCache() {
  popup.FirstCommand = 0;
  popup.Background.reset();
  popup.LineVisible = false;
  popup.Fetched = false;
}

void FreeMenuBackground() { popup.Background.reset(); }

LRESULT CALLBACK MenuWindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_ERASEBKGND:
    case WM_NCPAINT:
      return 1;
    case WM_DESTROY:
      ClearMenuCache();
      break;
    default:
      break;
  }
  const auto old = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(wnd, GWLP_USERDATA));
  return old ? CallWindowProcA(old, wnd, msg, wParam, lParam) : DefWindowProcA(wnd, msg, wParam, lParam);
}

namespace testing {
std::optional<bool> SetIsNT(std::optional<bool> value) {
  std::optional<bool> previous = isNTOverride;
  isNTOverride = value;
  return previous;
}
}  // namespace testing

// --- settings and measures ---

int TkSkinableMenus::GetSkinBorderWidth() {
  if (FSkinBorderWidth < 0 && FManager) {
    const int index = FManager->GetMaskIndexBySection("MAINMENU", "BORDERSMASK");
    if (index < 0) {
      FSkinBorderWidth = 0;
    } else {
      const int width = FManager->GetMasks()[index].BorderWidth;
      FSkinBorderWidth = width < 1 ? 3 : width;
    }
  }
  return std::max(FSkinBorderWidth, 0);
}

bool TkSkinableMenus::SkinActive() const { return FManager && FManager->GetActive() && !FManager->GetSections().empty(); }

bool TkSkinableMenus::SkinsPopups() const { return FManager && FManager->GetSkinnedPopups(); }

bool TkSkinableMenus::IsCaptionItem(const fw::TMenuItem* item) {
  const std::string& c = item->GetCaption();
  return c.size() > 1 && c.front() == '-' && c.back() == '-';
}

bool TkSkinableMenus::IsTopLineItem(const fw::TMenuItem* item) {
  const fw::TMenu* menu = item->GetParentMenu();
  return menu && menu->IsMenuBar() && item->GetParent() == menu->GetItems();
}

fw::TSize TkSkinableMenus::GetMenuGlyphSize(fw::TMenuItem* item, bool ownBitmapOnly) {
  fw::TBitmap* bitmap = item->GetBitmap();
  if (!bitmap->GetEmpty()) return fw::TSize{bitmap->GetWidth(), bitmap->GetHeight()};
  if (ownBitmapOnly) return fw::TSize{0, 0};
  if (const fw::TMenu* menu = item->GetParentMenu(); menu && menu->GetImages())
    return fw::TSize{menu->GetImages()->GetWidth(), menu->GetImages()->GetHeight()};
  return fw::TSize{16, 16};
}

bool TkSkinableMenus::ItemAfterColumnBreak(const fw::TMenuItem* item) const {
  if (!popup.Fetched || !item->GetParent()) return false;
  const fw::TMenuItem* parent = item->GetParent();
  for (int i = 0; i < parent->GetCount(); ++i) {
    if (parent->GetItems(i)->GetBreak() != fw::mbNone) return true;
    if (parent->GetItems(i) == item) break;
  }
  return false;
}

int TkSkinableMenus::ExtraLineWidth(bool adjusted) {
  const TkMenuSupport* support = FManager ? FManager->GetMenuSupport() : nullptr;
  if (!support || !support->GetUseExtraLine() || !popup.LineVisible) return 0;
  int width = support->GetExtraLineWidth();
  if (adjusted && GetSkinBorderWidth() < FBorderWidth) width -= FBorderWidth - GetSkinBorderWidth();
  return width;
}

int TkSkinableMenus::ItemHeight(fw::TMenuItem* item, fw::TCanvas* canvas) {
  if (item->IsLine()) return 2;
  int h = static_cast<int>(std::nearbyint(canvas->TextHeight("W") * 1.25));
  if (!IsCaptionItem(item)) h = std::max<int>(h, GetMenuGlyphSize(item, false).cy);
  return h + 2 * FMargin;
}

void TkSkinableMenus::FetchExtraLineData(fw::TMenuItem* firstItem) {
  if (firstItem->GetName() == kSkinSelectItem) {
    popup.LineVisible = false;
    return;
  }
  popup.Section = "EXTRALINE";
  popup.Glyph.reset();
  popup.LineVisible = true;
  popup.Caption = kDefaultExtraLineCaption;
  if (FManager && FManager->OnGetMenuExtraLineData) {
    fw::TBitmap* glyph = nullptr;
    FManager->OnGetMenuExtraLineData(firstItem, popup.Section, popup.Caption, glyph, popup.LineVisible);
    // A glyph handed back belongs to the painter from now on.
    popup.Glyph.reset(glyph);
    std::erase(popup.Caption, '&');
    if (!popup.LineVisible) popup.Glyph.reset();
  }
  popup.Fetched = true;
}

fw::TSize TkSkinableMenus::PopupSizeEstimate(fw::TMenuItem* item) {
  fw::TWindowDC dc;
  fw::TCanvas canvas;
  canvas.SetHandle(dc.Get());
  int width = 0, height = 0, columnWidth = 0, columnHeight = 0;
  bool first = true;
  for (fw::TMenuItem* sibling : VisibleSiblings(item)) {
    if (sibling->GetBreak() != fw::mbNone) {
      if (!first) width += columnWidth + 12;
      width += 4;
      height = std::max(height, columnHeight);
      columnWidth = columnHeight = 0;
    }
    first = false;
    int w = 0, h = 0;
    MeasureMenuItem(sibling, &canvas, w, h);
    columnWidth = std::max(columnWidth, w);
    columnHeight += h;
  }
  canvas.SetHandle(nullptr);
  width += columnWidth + 12;
  height = std::max(height, columnHeight);
  return fw::TSize{width + 2 * FBorderWidth, height + 2 * FBorderWidth};
}

// --- hooking ---

void TkSkinableMenus::UpdateMenus() {
  if (!FManager) return;
  const bool ready = FManager->GetSkinData()->SkinReady;
  // Hooked already: walk again, so that a change of SkinnedPopups reaches the popups.
  if (ready && FActive) InitMenus(true);
  else SetActive(ready);
}

void TkSkinableMenus::SetActive(bool value) {
  if (value == FActive) return;
  FActive = value;
  try {
    InitMenus(value);
  } catch (...) {
  }
}

void TkSkinableMenus::InitMenus(bool activate) {
  FActive = activate;
  if (!FManager || FManager->GetComponentState().Contains(fw::csDesigning) || !fw::Application) return;
  HookComponents(fw::Application, activate);
}

void TkSkinableMenus::HookComponents(fw::TComponent* owner, bool activate) {
  for (int i = 0; i < owner->GetComponentCount(); ++i) {
    fw::TComponent* c = owner->GetComponents(i);
    if (auto* bar = dynamic_cast<fw::TMainMenu*>(c)) {
      HookMainMenu(bar, activate);
      for (int j = 0; j < bar->GetItems()->GetCount(); ++j) HookItem(bar->GetItems()->GetItems(j), activate);
    } else if (auto* menu = dynamic_cast<fw::TPopupMenu*>(c)) {
      HookPopupMenu(menu, activate && SkinsPopups());
    } else if (auto* item = dynamic_cast<fw::TMenuItem*>(c)) {
      const fw::TMenu* parent = item->GetParentMenu();
      if (!parent || !parent->IsMenuBar()) HookItem(item, activate && SkinsPopups());
    }
    HookComponents(c, activate);
  }
}

void TkSkinableMenus::HookMainMenu(fw::TMainMenu* menu, bool activate) {
  fw::TMenuItem* root = menu->GetItems();
  for (int i = 0; i < root->GetCount(); ++i) {
    fw::TMenuItem* item = root->GetItems(i);
    if (activate) {
      if (SkinActive()) item->OnAdvancedDrawItem = LineDraw{this};
      item->OnMeasureItem = LineMeasure{this};
    } else {
      Unhook<LineDraw>(item->OnAdvancedDrawItem, this);
      Unhook<LineMeasure>(item->OnMeasureItem, this);
    }
  }
  if (!Destroying(menu)) menu->SetOwnerDraw(activate);
}

void TkSkinableMenus::HookPopupMenu(fw::TPopupMenu* menu, bool activate) {
  menu->SetOwnerDraw(activate);
  fw::TMenuAnimation animation = menu->GetMenuAnimation();
  if (activate) animation.Include(fw::maNone);
  else animation.Exclude(fw::maNone);
  menu->SetMenuAnimation(animation);
  HookItem(menu->GetItems(), activate);
}

void TkSkinableMenus::HookItem(fw::TMenuItem* item, bool activate) {
  for (int i = 0; i < item->GetCount(); ++i) {
    fw::TMenuItem* sub = item->GetItems(i);
    if (activate) {
      if (!IsTopLineItem(sub)) {
        if (!sub->OnAdvancedDrawItem) sub->OnAdvancedDrawItem = PopupDraw{this};
        if (!sub->OnMeasureItem) sub->OnMeasureItem = PopupMeasure{this};
      }
    } else {
      Unhook<PopupDraw>(sub->OnAdvancedDrawItem, this);
      Unhook<PopupMeasure>(sub->OnMeasureItem, this);
    }
    HookItem(sub, activate);
  }
}

void TkSkinableMenus::HookMenuLine(fw::TMenuItem* item, bool activate) {
  if (fw::TMenu* menu = item->GetParentMenu()) menu->SetOwnerDraw(activate);
  if (!activate) {
    Unhook<PopupDraw>(item->OnAdvancedDrawItem, this);
    Unhook<PopupMeasure>(item->OnMeasureItem, this);
  } else if (IsTopLineItem(item)) {
    item->OnAdvancedDrawItem = LineDraw{this};
    item->OnMeasureItem = LineMeasure{this};
  } else if (SkinsPopups()) {
    if (!item->OnAdvancedDrawItem) item->OnAdvancedDrawItem = PopupDraw{this};
    if (!item->OnMeasureItem) item->OnMeasureItem = PopupMeasure{this};
  }
}

// --- popup items ---

void TkSkinableMenus::MeasureMenuItem(fw::TObject* sender, fw::TCanvas* canvas, int& width, int& height) {
  auto* item = dynamic_cast<fw::TMenuItem*>(sender);
  if (!item || Destroying(item)) return;
  fw::TMenuItem* first = FirstItemOf(item);
  if (first->GetCommand() != popup.FirstCommand) {
    ClearMenuCache();
    popup.FirstCommand = first->GetCommand();
  }
  popup.LastKind = item->IsLine() ? smDivider : IsCaptionItem(item) ? smCaption : smNormal;
  if (!popup.Fetched && !FFetching) {
    FFetching = true;
    try {
      FetchExtraLineData(first);
    } catch (...) {
      FFetching = false;
      throw;
    }
    FFetching = false;
  }
  UseMenuFont(canvas, false);
  int text = 0;
  if (popup.LastKind == smCaption)
    text = canvas->TextWidth("-" + item->GetCaption() + "-");
  else if (popup.LastKind == smNormal)
    text = LineTextWidth(canvas, item->GetCaption() + fw::ShortCutToText(item->GetShortCut()));
  width = 2 * GetMenuGlyphSize(item, false).cx + text + 3 * FMargin + FSpacing;
  if (!ItemAfterColumnBreak(item)) width += ExtraLineWidth(false);
  height = ItemHeight(item, canvas);
}

void TkSkinableMenus::PrepareMenuBackground(fw::TMenuItem* firstItem, int width, int height, HWND wnd) {
  if (popup.Background && popup.FirstCommand == firstItem->GetCommand()) return;
  if (!popup.Fetched) FetchExtraLineData(firstItem);
  popup.FirstCommand = firstItem->GetCommand();
  popup.Background = CreateBitmap24(std::max(width, 0), std::max(height, 0));
  ++builds;
  popup.GlyphWidth = GetMenuGlyphSize(firstItem, false).cx;
  popup.IconLineWidth = FMargin + popup.GlyphWidth + FSpacing;
  fw::TBitmap* bg = popup.Background.get();
  const int mainIndex = FManager ? FManager->GetSkinIndex("MAINMENU") : -1;
  if (!FManager || !FManager->IsValidSkinIndex(mainIndex)) {
    popup.Glyph.reset();
    return;
  }
  PaintBordersMask(mainIndex, "MAINMENU", EmptyBgRef, -1, -1, FManager, bg, fw::TPoint(0, 0),
                   fw::TRect(0, 0, width, height), 0, true);
  if (FManager->GetMenuSupport()->GetUseExtraLine() && popup.LineVisible) PaintExtraLine(bg, width, height);
  popup.Glyph.reset();
  const int sbw = GetSkinBorderWidth();
  const std::string& icoSection = FManager->GetMenuSupport()->GetIcoLineSkin();
  const int icoIndex = FManager->GetSkinIndex(icoSection);
  const int stripHeight = height - 2 * sbw;
  if (FManager->IsValidSkinIndex(icoIndex) && popup.IconLineWidth > 0 && stripHeight > 0) {
    const int x = ExtraLineWidth(false) + sbw;
    auto strip = CreateBitmap24(popup.IconLineWidth, stripHeight);
    TkBgRef ref;
    MakeBgRef(ref, bg, x, sbw);
    PaintBordersMask(icoIndex, icoSection, ref, -1, -1, FManager, strip.get(), fw::TPoint(0, 0),
                     fw::TRect(0, 0, popup.IconLineWidth, stripHeight), 0, true);
    CopyFrom(bg->GetCanvas()->GetHandle(), x, sbw, popup.IconLineWidth, stripHeight, strip.get(), 0, 0);
  }
  CollectCornerRects(width, height);
  if (wnd) SkinMenuWindow(wnd, bg);
}

void TkSkinableMenus::PaintExtraLine(fw::TBitmap* bg, int width, int height) {
  const int index = FManager->GetSkinIndex(popup.Section);
  const int sbw = GetSkinBorderWidth();
  const int w = FManager->GetMenuSupport()->GetExtraLineWidth(), h = height - 2 * sbw;
  if (!FManager->IsValidSkinIndex(index) || w <= 0 || h <= 0 || width <= 0) return;
  auto strip = CreateBitmap24(w, h);
  TkBgRef ref;
  MakeBgRef(ref, bg, sbw, sbw);
  PaintBordersMask(index, popup.Section, ref, -1, -1, FManager, strip.get(), fw::TPoint(0, 0), fw::TRect(0, 0, w, h),
                   0, true);
  fw::TCanvas* canvas = strip->GetCanvas();
  int bottom = 12;
  if (popup.Glyph && !popup.Glyph->GetEmpty()) {
    bottom = 12 + popup.Glyph->GetHeight() + 8;
    canvas->Draw((w - popup.Glyph->GetWidth()) / 2, h - 12 - popup.Glyph->GetHeight(), popup.Glyph.get());
  }
  if (!popup.Caption.empty()) {
    fw::TFont* source = FManager->GetMenuSupport()->GetExtraLineFont();
    LOGFONTA lf = source->GetLogFont();
    lf.lfHeight = source->GetSize();
    lf.lfWidth = 0;
    lf.lfWeight = FW_NORMAL;
    lf.lfEscapement = lf.lfOrientation = -2700;  // the text runs upwards
    HFONT font = CreateFontIndirectA(&lf);
    HDC dc = canvas->GetHandle();
    HGDIOBJ old = SelectObject(dc, font);
    const std::wstring text = fw::ShownWide(popup.Caption);
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, static_cast<COLORREF>(FManager->GetSections()[index].FontColor[0]));
    TextOutW(dc, (w - extent.cy) / 2, h - bottom, text.c_str(), static_cast<int>(text.size()));
    SelectObject(dc, old);
    DeleteObject(font);
  }
  CopyFrom(bg->GetCanvas()->GetHandle(), sbw, sbw, w, h, strip.get(), 0, 0);
}

void TkSkinableMenus::CollectCornerRects(int width, int height) {
  FCornerRects.clear();
  const int index = FManager->GetMaskIndexBySection("MAINMENU", "BORDERSMASK");
  if (index < 0) return;
  const TkMaskData& mask = FManager->GetMasks()[index];
  const int frameHeight = mask.Bmp ? mask.Bmp->GetHeight() / 6 : mask.R.Height() / (3 * (std::max<int>(mask.MaskType, 0) + 1));
  AddCornerRects(FCornerRects, width, mask, false, 0);
  AddCornerRects(FCornerRects, width, mask, true, height - frameHeight);
}

void TkSkinableMenus::SkinMenuWindow(HWND wnd, fw::TBitmap* bmp) {
  if (FSkinningWindow || !wnd) return;
  FSkinningWindow = true;
  const auto proc = reinterpret_cast<LONG_PTR>(&MenuWindowProc);
  if (GetWindowLongPtrA(wnd, GWLP_WNDPROC) != proc) {
    SetWindowLongPtrA(wnd, GWLP_USERDATA, GetWindowLongPtrA(wnd, GWLP_WNDPROC));
    SetWindowLongPtrA(wnd, GWLP_WNDPROC, proc);
  }
  if (IsNT() && bmp && !bmp->GetEmpty()) {
    const int w = bmp->GetWidth(), h = bmp->GetHeight();
    if (FCornerRects.empty()) {
      CopyToWindow(wnd, bmp, 0, 0, ExtraLineWidth(false) + kPopupFrame, h);
      CopyToWindow(wnd, bmp, kPopupFrame, 0, w, kPopupFrame);
      CopyToWindow(wnd, bmp, w - kPopupFrame, kPopupFrame, kPopupFrame, h - kPopupFrame);
      CopyToWindow(wnd, bmp, kPopupFrame, h - kPopupFrame, w - 2 * kPopupFrame, kPopupFrame);
    } else {
      HRGN region = CreateRectRgn(0, 0, w, h);
      for (const fw::TRect& r : FCornerRects) {
        HRGN piece = CreateRectRgn(r.Left, r.Top, r.Right, r.Bottom);
        CombineRgn(region, region, piece, RGN_DIFF);
        DeleteObject(piece);
      }
      if (!SetWindowRgn(wnd, region, TRUE)) DeleteObject(region);
    }
  }
  FSkinningWindow = false;
}

void TkSkinableMenus::SkinItemWindow(HMENU menu, UINT command) {
  const fw::TMenuItem* item = fw::TMenuItem::FindByCommand(command);
  if (!item || !menu || !item->GetParent()) return;
  const int position = NativePosition(item);
  RECT r{};
  if (!GetMenuItemRect(nullptr, menu, position, &r) && !GetMenuItemRect(fw::PopupListWindow(), menu, position, &r))
    return;
  if (HWND wnd = WindowFromPoint(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}))
    SkinMenuWindow(wnd, popup.Background.get());
}

void TkSkinableMenus::PaintBorderStrips(HWND wnd, fw::TMenuItem* item, const fw::TRect& r) {
  fw::TBitmap* bg = popup.Background.get();
  if (!bg || bg->GetEmpty()) return;
  const std::vector<fw::TMenuItem*> items = VisibleSiblings(item);
  const int bw = FBorderWidth, w = bg->GetWidth(), h = bg->GetHeight();
  if (!items.empty() && items.front() == item) CopyToWindow(wnd, bg, 0, 0, w, bw);
  if (!items.empty() && items.back() == item) CopyToWindow(wnd, bg, 0, h - bw, w, bw);
  const int left = (ItemAfterColumnBreak(item) ? 0 : ExtraLineWidth(false)) + std::max(GetSkinBorderWidth(), bw);
  CopyToWindow(wnd, bg, 0, bw + r.Top, left, r.Height());
  CopyToWindow(wnd, bg, w - bw, bw + r.Top, bw, r.Height());
}

void TkSkinableMenus::PostSkinRequest(fw::TMenuItem* item) {
  HWND app = fw::Application ? fw::Application->GetHandle() : nullptr;
  if (!app || !item->GetParent()) return;
  MSG queued;
  if (PeekMessageA(&queued, app, SM_SKINMENU, SM_SKINMENUWND, PM_NOREMOVE)) return;
  // The menu handle and the item's command id, not the item: it may be gone when the message
  // is handled.
  PostMessageA(app, SM_SKINMENU, reinterpret_cast<WPARAM>(item->GetParent()->GetHandle()), item->GetCommand());
}

void TkSkinableMenus::CopyColumnGaps(fw::TCanvas* canvas, fw::TMenuItem* item, const fw::TRect& r) {
  fw::TBitmap* bg = popup.Background.get();
  if (!bg || bg->GetEmpty()) return;
  HDC dc = canvas->GetHandle();
  const int bottom = bg->GetHeight() - 2 * kPopupFrame;
  const std::vector<fw::TMenuItem*> items = VisibleSiblings(item);
  const auto it = std::find(items.begin(), items.end(), item);
  const bool last = it != items.end() && it + 1 == items.end();
  const bool nextBreaks = it != items.end() && !last && (*(it + 1))->GetBreak() != fw::mbNone;
  if ((nextBreaks || last) && r.Bottom < bottom)
    CopyFrom(dc, r.Left, r.Bottom, r.Width(), bottom - r.Bottom, bg, r.Left + kPopupFrame, r.Bottom + kPopupFrame);
  if (item->GetBreak() != fw::mbNone)
    CopyFrom(dc, r.Left - 4, r.Top, 4, bottom, bg, r.Left - 4 + kPopupFrame, r.Top + kPopupFrame);
}

void TkSkinableMenus::DrawCheckMark(fw::TBitmap* temp, fw::TMenuItem* item, bool hot) {
  const int global = FManager->GetSkinIndex("GLOBALINFO");
  int index = -1;
  if (item->GetRadioItem()) {
    index = FManager->GetMaskIndex(global, "GLOBALINFO", "RADIOCHECKED");
  } else {
    index = FManager->GetMaskIndex(global, "GLOBALINFO", "CHECK");
    if (index < 0) index = FManager->GetMaskIndex(global, "GLOBALINFO", "BOXCHECKED");
  }
  if (!FManager->IsValidImgIndex(index)) return;
  const TkMaskData& mask = FManager->GetMasks()[index];
  // A mask without frames shows no mark.
  if (mask.ImageCount < 1) return;
  const int frameHeight = mask.R.Height() / (std::max<int>(mask.MaskType, 0) + 1);
  DrawMaskGlyphFrame(temp, fw::TPoint(FMargin, (temp->GetHeight() - frameHeight) / 2), hot ? 1 : 0, mask, 1);
}

void TkSkinableMenus::DrawMenuItem(fw::TObject* sender, fw::TCanvas* canvas, fw::TRect r, fw::TOwnerDrawState state) {
  auto* item = dynamic_cast<fw::TMenuItem*>(sender);
  if (!FManager || !item) return;
  fw::TMenuItem* first = FirstItemOf(item);
  if (first->GetCommand() != popup.FirstCommand) ClearMenuCache();
  HWND wnd = IsNT() ? WindowFromDC(canvas->GetHandle()) : nullptr;
  RECT wr{};
  if (wnd && !GetWindowRect(wnd, &wr)) wnd = nullptr;
  const fw::TSize size = wnd ? fw::TSize{wr.right - wr.left, wr.bottom - wr.top} : PopupSizeEstimate(item);
  PrepareMenuBackground(first, size.cx, size.cy, wnd);
  fw::TBitmap* bg = popup.Background.get();
  if (bg && bg->GetEmpty()) bg = nullptr;
  if (wnd) PaintBorderStrips(wnd, item, r);
  else PostSkinRequest(item);
  if (item->IsLine()) {
    DrawDivider(canvas, r, bg);
    return;
  }
  if (IsCaptionItem(item)) {
    DrawCaptionItem(canvas, r);
    return;
  }
  popup.LastKind = smNormal;
  CopyColumnGaps(canvas, item, r);
  const bool firstColumn = !ItemAfterColumnBreak(item);
  const int extra = firstColumn ? ExtraLineWidth(true) : 0;
  const int w = r.Width() - extra, h = r.Height();
  if (w <= 0 || h <= 0) return;
  const bool enabled = item->GetEnabled();
  const bool hot = enabled && state.Contains(fw::odSelected);
  auto temp = CreateBitmap24(w, h);
  fw::TCanvas* tc = temp->GetCanvas();
  TkBgRef ref;
  if (bg) MakeBgRef(ref, bg, kPopupFrame, kPopupFrame);
  const int itemIndex = FManager->GetSkinIndex("MENUITEM");
  PaintItemToDC(itemIndex, "MENUITEM", ref, FManager, tc->GetHandle(), fw::TPoint(r.Left + extra, r.Top),
                fw::TRect(0, 0, w, h), hot ? 1 : 0, true);
  if (state.Contains(fw::odChecked)) DrawCheckMark(temp.get(), item, hot);
  if (fw::TBitmap* glyph = item->GetBitmap(); !glyph->GetEmpty()) {
    const int at = (h - glyph->GetHeight()) / 2;
    tc->Draw(at, at, glyph);
  } else if (fw::TMenu* menu = item->GetParentMenu(); menu && menu->GetImages() && item->GetImageIndex() >= 0) {
    const int at = (h - menu->GetImages()->GetHeight()) / 2;
    menu->GetImages()->Draw(tc, at, at, item->GetImageIndex(), true);
  }
  UseMenuFont(tc, state.Contains(fw::odDefault));
  fw::TRect textRect(GetMenuGlyphSize(item, false).cx + 2 * FMargin + FSpacing, 0, w, h);
  std::string caption = item->GetCaption();
  unsigned flags = AlignmentFlag(FAlignment);
  if (!caption.empty() && caption.front() == '\x08') {
    caption = caption.substr(1) + "      ";
    flags = DT_RIGHT;
  }
  flags |= DT_EXPANDTABS | DT_SINGLELINE | DT_NOCLIP | DT_HIDEPREFIX | DT_VCENTER;
  const bool textHot = enabled && (state.Contains(fw::odSelected) || state.Contains(fw::odHotLight));
  WriteTextColored(tc, caption, enabled, FManager, textHot, itemIndex, flags, textRect);
  // The shortcut keeps clear of the caption: textRect came back fitted round it.
  if (const std::string keys = fw::ShortCutToText(item->GetShortCut()); !keys.empty()) {
    fw::TRect keyRect(textRect.Width(), 0, r.Width() - 8 - extra, h);
    WriteTextColored(tc, keys, enabled, FManager, textHot, itemIndex, DT_RIGHT | DT_VCENTER | DT_SINGLELINE, keyRect);
  }
  if (OnDrawItem) OnDrawItem(item, tc, fw::TRect(0, 0, w, h), state, popup.LastKind);
  if (!enabled && bg) {
    const int x = r.Left + extra + FBorderWidth, y = r.Top + FBorderWidth;
    BlendBitmapRect(temp.get(), 0, 0, kNoTransColor, 0.4, fw::TRect(x, y, x + w - 1, y + h - 1), bg);
  }
  CopyFrom(canvas->GetHandle(), r.Left + extra, r.Top, w, h, temp.get(), 0, 0);
  if (!IsNT() && bg && firstColumn)
    CopyFrom(canvas->GetHandle(), 0, -kPopupFrame, ExtraLineWidth(false), bg->GetHeight(), bg, kPopupFrame, 0);
}

void TkSkinableMenus::DrawDivider(fw::TCanvas* canvas, fw::TRect r, fw::TBitmap* bmp) {
  std::string section = "DIVIDERV";
  int mask = FManager->GetMaskIndexBySection(section, "BORDERSMASK");
  if (mask < 0) {
    section = "TRACKBAR";
    mask = FManager->GetMaskIndexBySection(section, "SLIDERCHANNEL");
  }
  HDC dc = canvas->GetHandle();
  if (mask < 0) {
    FillDCRect(dc, fw::TRect(r.Left, r.Top, r.Right, r.Top + r.Height() / 2), 0x808080);
    FillDCRect(dc, fw::TRect(r.Left, r.Top + r.Height() / 2, r.Right, r.Bottom), 0xFFFFFF);
    return;
  }
  if (r.Width() <= 0 || r.Height() <= 0) return;
  auto temp = CreateBitmap24(r.Width(), r.Height());
  TkBgRef ref;
  if (bmp) {
    CopyFrom(temp->GetCanvas()->GetHandle(), 0, 0, r.Width(), r.Height(), bmp, r.Left + kPopupFrame, r.Top + kPopupFrame);
    MakeBgRef(ref, temp.get(), 0, 0);
  }
  const fw::TRect span(ExtraLineWidth(false) + FMargin + FSpacing, 0, r.Width() - FMargin, r.Height());
  if (span.Width() > 0) DrawSkinRect(temp.get(), span, true, ref, FManager->GetMasks()[mask], 0, true);
  CopyFrom(dc, r.Left, r.Top, r.Width(), r.Height(), temp.get(), 0, 0);
}

// --- menu-bar items ---

namespace {
// An MDI child with a menu is maximized in the application's MDI main form.
bool MDIChildMaximizedInMainForm() { return MDIParentProvider && MDIParentProvider->MDIChildMaximized(); }
}  // namespace

void TkSkinableMenus::MeasureMenuLineItem(fw::TObject* sender, fw::TCanvas* canvas, int& width, int& height) {
  auto* item = dynamic_cast<fw::TMenuItem*>(sender);
  if (!item) return;
  height = GetSystemMetrics(SM_CYMENU) - 1;
  if (item->GetName() == kMDIIconItem) {
    width = 8;
    return;
  }
  UseMenuFont(canvas, false);
  int w = LineTextWidth(canvas, item->GetCaption() + fw::ShortCutToText(item->GetShortCut()));
  const std::vector<fw::TMenuItem*> items = VisibleSiblings(item);
  if (!items.empty() && items.back() == item && MDIChildMaximizedInMainForm()) w += 40;
  width = std::max(width, w);
}

void TkSkinableMenus::DrawMenuLineItem(fw::TObject* sender, fw::TCanvas* canvas, fw::TRect r,
                                       fw::TOwnerDrawState state) {
  auto* item = dynamic_cast<fw::TMenuItem*>(sender);
  if (!FManager || !item || item->GetName() == kMDIIconItem) return;
  // The bar is painted over the MDI main form's cache when there is one: a maximized child's
  // merged items stand in that form's bar.
  auto* provider = MDIParentProvider ? MDIParentProvider : reinterpret_cast<TkSkinProvider*>(SendCmdToParentForm(item));
  if (!provider) return;
  const std::vector<fw::TMenuItem*> items = VisibleSiblings(item);
  if (MDIChildMaximizedInMainForm() && !items.empty() && items.back() == item) r.Right -= 40;
  fw::TBitmap* cache = provider->GetSkinData()->CacheBmp.get();
  const int w = r.Width(), h = r.Height();
  if (!cache || w <= 0 || h <= 0) return;
  // The cache holds the whole window as painted, the menu line among it: the item's rectangle
  // is its place there.
  TkBgRef ref;
  MakeBgRef(ref, cache, 0, 0);
  const bool enabled = item->GetEnabled();
  const bool hot = state.Contains(fw::odSelected) || state.Contains(fw::odHotLight);
  const int itemIndex = FManager->GetSkinIndex("MENUITEM");
  std::unique_ptr<fw::TBitmap> temp;
  fw::TCanvas* target = canvas;
  fw::TRect area = r;
  if (enabled) {
    PaintItemToDC(itemIndex, "MENUITEM", ref, FManager, canvas->GetHandle(), r.TopLeft(), r, hot ? 1 : 0, true);
  } else {
    temp = CreateBitmap24(w, h);
    PaintBordersMask(itemIndex, "MENUITEM", ref, -1, -1, FManager, temp.get(), r.TopLeft(), fw::TRect(0, 0, w, h), 0,
                     true);
    target = temp->GetCanvas();
    area = fw::TRect(0, 0, w, h);
  }
  UseMenuFont(target, state.Contains(fw::odDefault));
  const int lineIndex = FManager->GetSkinIndex("MENULINE");
  fw::TRect textRect(area.Left + FMargin, area.Top, area.Right - FMargin, area.Bottom);
  WriteTextColored(target, item->GetCaption(), enabled, FManager, hot, lineIndex,
                   AlignmentFlag(FAlignment) | DT_CENTER | DT_VCENTER | DT_EXPANDTABS | DT_SINGLELINE, textRect);
  if (const std::string keys = fw::ShortCutToText(item->GetShortCut()); !keys.empty()) {
    fw::TRect keyRect(area.Left, area.Top, area.Right - 8, area.Bottom);
    WriteTextColored(target, keys, enabled, FManager, hot, lineIndex, DT_RIGHT | DT_VCENTER | DT_EXPANDTABS | DT_SINGLELINE,
                     keyRect);
  }
  if (OnDrawItem) OnDrawItem(item, target, area, state, smTopLine);
  if (temp) {
    BlendTransRectangle(temp.get(), cache, 102, fw::TPoint(0, 0), r);
    CopyFrom(canvas->GetHandle(), r.Left, r.Top, w, h, temp.get(), 0, 0);
  }
}

}  // namespace skin
