#include "skin/controls/page_control.h"

#include <algorithm>

#include "framework/forms/application.h"
#include "framework/forms/application_hint.h"
#include "framework/graphics/canvas.h"
#include "framework/rtl/wide_text.h"
#include "skin/controls/skinned_control.h"
#include "skin/engine/glyphs_text.h"
#include "skin/engine/mask_paint.h"
#include "skin/engine/section_paint.h"
#include "skin/engine/skin_command.h"
#include "skin/engine/skin_manager.h"

namespace skin {

namespace {

constexpr int kPageControlCtrlType = 141;
constexpr fw::TColor kScrollerShapeColor = 0xFF0100;
const char* const kTabSections[] = {"TABTOP", "TABBOTTOM", "TABLEFT", "TABRIGHT"};
const char* const kPageSuffix[] = {"", "BOTTOM", "LEFT", "RIGHT"};

bool IsEmpty(const fw::TRect& r) { return r.Right <= r.Left || r.Bottom <= r.Top; }

fw::TRect Moved(fw::TRect r, fw::TPoint by) {
  OffsetRect(fw::AsRECT(r), by.X, by.Y);
  return r;
}

int CALLBACK OutlineFound(const LOGFONTW*, const TEXTMETRICW*, DWORD type, LPARAM found) {
  if (type & TRUETYPE_FONTTYPE) *reinterpret_cast<bool*>(found) = true;
  return 1;
}

// "Arial" is there as an outline font (only those turn); else the control's own face.
bool ArialInstalled() {
  static const bool installed = [] {
    LOGFONTW wanted{};
    wcscpy(wanted.lfFaceName, L"Arial");
    wanted.lfCharSet = DEFAULT_CHARSET;
    bool found = false;
    HDC dc = GetDC(nullptr);
    EnumFontFamiliesExW(dc, &wanted, OutlineFound, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, dc);
    return found;
  }();
  return installed;
}

// A rotated "Arial" of the control's font, always of normal weight.
HFONT RotatedFont(fw::TFont* font, int escapement) {
  const LOGFONTA base = font->GetLogFont();
  LOGFONTW lf{};
  lf.lfHeight = base.lfHeight;
  lf.lfCharSet = base.lfCharSet;
  lf.lfItalic = base.lfItalic;
  lf.lfUnderline = base.lfUnderline;
  lf.lfStrikeOut = base.lfStrikeOut;
  lf.lfWeight = FW_NORMAL;
  lf.lfEscapement = lf.lfOrientation = escapement;
  if (ArialInstalled())
    wcscpy(lf.lfFaceName, L"Arial");
  else
    MultiByteToWideChar(CP_ACP, 0, base.lfFaceName, -1, lf.lfFaceName, LF_FACESIZE);
  return CreateFontIndirectW(&lf);
}

}  // namespace

// --- rectangle functions ---

fw::TRect SkinTabRectOf(fw::TRect r, fw::TTabPosition position, bool active) {
  if (IsEmpty(r)) return r;
  const int a = active ? 1 : 0;
  if (active) {
    r.Bottom -= 1;
  } else {
    r.Bottom += 3;
    r.Right -= 1;
  }
  RECT* w = fw::AsRECT(r);
  switch (position) {
    case fw::tpTop:
      InflateRect(w, 2 * a, a);
      r.Bottom += 2;
      break;
    case fw::tpBottom:
      InflateRect(w, 2 * a, a);
      r.Top -= 2;
      r.Bottom += active ? 1 : -3;
      break;
    case fw::tpLeft:
      InflateRect(w, 0, 1);
      r.Right += 2;
      if (active) {
        InflateRect(w, 1, 1);
      } else {
        r.Bottom -= 4;
        r.Right += 2;
      }
      break;
    case fw::tpRight:
      InflateRect(w, 1, 0);
      OffsetRect(w, -1, -1);
      if (active) {
        InflateRect(w, 1, 1);
        r.Bottom += 3;
      } else {
        r.Bottom -= 2;
      }
      break;
  }
  return r;
}

namespace {

// The control cut in two at the edge of the display rectangle that faces the tabs.
void SplitAtDisplay(int width, int height, const fw::TRect& display, fw::TTabPosition position, fw::TRect& tabs,
                    fw::TRect& page) {
  tabs = page = fw::TRect(0, 0, width, height);
  switch (position) {
    case fw::tpTop:
      tabs.Bottom = page.Top = display.Top - 4;
      break;
    case fw::tpBottom:
      tabs.Top = page.Bottom = display.Bottom + 1;
      break;
    case fw::tpLeft:
      tabs.Right = page.Left = display.Left - 1;
      break;
    case fw::tpRight:
      tabs.Left = page.Right = display.Right + 1;
      break;
  }
}

}  // namespace

fw::TRect TabsRectOf(int width, int height, const fw::TRect& display, fw::TTabPosition position) {
  fw::TRect tabs, page;
  SplitAtDisplay(width, height, display, position, tabs, page);
  return tabs;
}

fw::TRect PageRectOf(int width, int height, const fw::TRect& display, fw::TTabPosition position) {
  fw::TRect tabs, page;
  SplitAtDisplay(width, height, display, position, tabs, page);
  return page;
}

int TabRowOf(const fw::TRect& t, const fw::TRect& s, int rows, fw::TTabPosition position) {
  const int h = t.Height(), w = t.Width();
  if (rows < 2 || h <= 0 || w <= 0) return 1;
  switch (position) {
    case fw::tpTop:
      return (t.Bottom + h / 2) / h;
    case fw::tpLeft:
      return (t.Right + w / 2) / w;
    case fw::tpBottom:
      return rows - (t.Bottom - s.Top + h / 2) / h + 1;
    case fw::tpRight:
      return rows - (t.Right - s.Left + w / 2) / w + 1;
  }
  return 1;
}

// --- TkTabSheet ---

TkTabSheet::TkTabSheet(fw::TComponent* owner) : fw::TTabSheet(owner), FSkinData(std::make_unique<TkTabSkinData>()) {}

TkPageControl* TkTabSheet::SkinnedControl() const { return dynamic_cast<TkPageControl*>(GetPageControl()); }

void TkTabSheet::SetButtonSkin(const std::string& value) {
  if (value == FButtonSkin) return;
  FButtonSkin = value;
  if (TkPageControl* control = SkinnedControl()) control->GetSkinData()->RepaintOwner();
}

void TkTabSheet::Paint(HDC dc) {
  TkPageControl* control = SkinnedControl();
  TkCommonData* d = control->GetSkinData();
  if (d->GetUpdating() || !d->CacheBmp) {
    d->SetUpdating(true);
    return;
  }
  const fw::TRect source(GetLeft(), GetTop(), 0, 0);
  CopyWinControlCache(this, d, source, fw::TRect(0, 0, GetWidth(), GetHeight()), dc, false);
  PaintGraphicChildren(dc, this);
  SendCmdToChildWindows(this);
}

void TkTabSheet::WndProc(fw::TMessage& m) {
  TkPageControl* control = SkinnedControl();
  if (!control) {
    fw::TTabSheet::WndProc(m);
    return;
  }
  TkCommonData* d = control->GetSkinData();
  const bool active = d->SkinIsActive() && !GetComponentState().Contains(fw::csDestroying);
  if (m.Msg == WM_ERASEBKGND && active) return;
  if (m.Msg == WM_PAINT && active) {
    PAINTSTRUCT ps{};
    HDC dc = m.WParam ? reinterpret_cast<HDC>(m.WParam) : BeginPaint(GetHandle(), &ps);
    Paint(dc);
    if (!m.WParam) EndPaint(GetHandle(), &ps);
    return;
  }
  if (m.Msg == SM_SKINCMD) {
    const bool own = m.LParam == reinterpret_cast<LPARAM>(d->GetSkinManager());
    switch (SkinCmdOf(m.WParam)) {
      case cmdNewSkin:
        BroadcastToChildControls(this, m);
        break;
      case cmdRemoveSkin:
      case cmdRefresh:
        if (own && GetVisible() && HandleAllocated()) Invalidate();
        BroadcastToChildControls(this, m);
        break;
      case cmdGetParentBg:
        if (!active) break;
        ParentBgAnswer.Ready = false;
        SendCmdToControl(control, cmdGetParentBg);
        ParentBgAnswer.X += GetLeft();
        ParentBgAnswer.Y += GetTop();
        return;
      case cmdIsSkinned:
        m.LParam = 1;
        if (active) return;
        break;
      case cmdIsUpdating:
        m.LParam = ControlAnswersCmd(control, cmdIsUpdating) ? 1 : 0;
        if (active) return;
        break;
      case cmdIsTextured:
        if (const TkGeneralData* section = d->Section())
          m.LParam = section->GradientPercent + section->ImagePercent > 0 || d->NeedsParentBackground() ? 1 : 0;
        break;
      case cmdGetColor:
        if (control->HandleAllocated()) SendMessageA(control->GetHandle(), m.Msg, m.WParam, m.LParam);
        break;
      default:
        break;
    }
  }
  fw::TTabSheet::WndProc(m);
}

// --- TkPageControl ---

TkPageControl::TkPageControl(fw::TComponent* owner)
    : fw::TPageControl(owner), FSkinData(std::make_unique<TkCommonData>(this, true)) {
  FSkinData->CtrlTypeIndex = kPageControlCtrlType;
}

TkPageControl::~TkPageControl() { *FAlive = false; }

void TkPageControl::AfterConstruction() {
  fw::TPageControl::AfterConstruction();
  FSkinData->Loaded();
}

void TkPageControl::Loaded() {
  fw::TPageControl::Loaded();
  FSkinData->Loaded();
}

bool TkPageControl::SkinActive() const { return ControlIsReady(this) && FSkinData->SkinIsActive(); }
bool TkPageControl::Designing() const { return GetComponentState().Contains(fw::csDesigning); }
bool TkPageControl::Loading() const { return GetComponentState().Contains(fw::csLoading); }

int TkPageControl::VisibleTabCount() const {
  int count = 0;
  for (int i = 0; i < GetPageCount(); ++i)
    if (GetPages(i)->GetTabVisible()) ++count;
  return count;
}

fw::TRect TkPageControl::SkinTabRect(int tabIndex, bool active) {
  fw::TRect r = TabRect(tabIndex);
  if (tabIndex < 0 || tabIndex >= VisibleTabCount() || !fw::TPageControl::GetActivePage()) return r;
  if (GetStyle() != fw::tsTabs) return r;
  return SkinTabRectOf(r, GetTabPosition(), active);
}

fw::TRect TkPageControl::TabsRect() {
  if (GetPageCount() == 0) return fw::TRect(0, 0, GetWidth(), GetHeight());
  return TabsRectOf(GetWidth(), GetHeight(), GetDisplayRect(), GetTabPosition());
}

fw::TRect TkPageControl::PageRect() {
  if (GetPageCount() == 0) return fw::TRect(0, 0, GetWidth(), GetHeight());
  return PageRectOf(GetWidth(), GetHeight(), GetDisplayRect(), GetTabPosition());
}

int TkPageControl::TabRow(int tabIndex) { return TabRowOf(TabRect(tabIndex), TabsRect(), RowCount(), GetTabPosition()); }

int TkPageControl::TabAtPos(fw::TPoint p) {
  fw::TTabSheet* active = fw::TPageControl::GetActivePage();
  for (int i = 0; i < GetPageCount(); ++i) {
    fw::TTabSheet* page = GetPages(i);
    if (!page->GetTabVisible()) continue;
    const fw::TRect r = SkinTabRect(page->GetTabIndex(), page == active);
    if (p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom) return i;
  }
  return -1;
}

int TkPageControl::HiddenTabCount() {
  const int limit = GetWidth() - (FScroller ? FScroller->GetWidth() : 0) - 3;
  int count = 0;
  for (int i = 0; i < GetPageCount(); ++i) {
    fw::TTabSheet* page = GetPages(i);
    if (!page->GetTabVisible()) continue;
    const fw::TRect r = TabRect(page->GetTabIndex());
    if (!IsEmpty(r) && (r.Right > limit || r.Right < 5)) ++count;
  }
  return count;
}

void TkPageControl::TabSection(fw::TTabSheet* page, std::string& section, int& skinIndex, int& maskIndex) {
  TkSkinManager* manager = FSkinData->GetSkinManager();
  if (GetStyle() == fw::tsTabs) {
    const int position = GetTabPosition();
    section = kTabSections[position];
    skinIndex = manager->GetCommonIndexes().Tabs[position];
    maskIndex = manager->GetCommonIndexes().TabBorders[position];
    return;
  }
  auto* sheet = dynamic_cast<TkTabSheet*>(page);
  section = sheet && !sheet->GetButtonSkin().empty() ? sheet->GetButtonSkin()
            : GetStyle() == fw::tsButtons                ? "BUTTON"
                                                         : "TOOLBUTTON";
  skinIndex = manager->GetSkinIndex(section);
  maskIndex = manager->GetMaskIndexBySection(section, "BORDERSMASK");
}

void TkPageControl::PaintTab(int pageIndex, int state, fw::TPoint offset, fw::TBitmap* target) {
  if (pageIndex < 0 || pageIndex >= GetPageCount()) return;
  fw::TTabSheet* page = GetPages(pageIndex);
  const int tabIndex = page->GetTabIndex();
  const fw::TRect r0 = TabRect(tabIndex);
  if (tabIndex < 0 || (state == tsHot && r0.Left < 0)) return;
  const bool active = state == tsActive && page == fw::TPageControl::GetActivePage();
  fw::TRect r = SkinTabRect(tabIndex, active);
  TkSkinManager* manager = FSkinData->GetSkinManager();
  std::string section;
  int skinIndex = -1, maskIndex = -1;
  TabSection(page, section, skinIndex, maskIndex);
  fw::TBitmap* cache = FSkinData->CacheBmp.get();
  if (manager->GetCommonIndexes().Tabs[0] > 0 && manager->IsValidImgIndex(maskIndex) && !IsEmpty(r)) {
    auto face = CreateBitmap24(r.Width(), r.Height());
    TkBgRef bg;
    std::unique_ptr<fw::TBitmap> under;
    fw::TPoint at(r.Left, r.Top);
    if (active) {
      // The background under the active tab: the cache, the native tab's place from the parent.
      under = CreateBitmap24(r.Width(), r.Height());
      HDC u = under->GetCanvas()->GetHandle();
      BitBlt(u, 0, 0, r.Width(), r.Height(), cache->GetCanvas()->GetHandle(), r.Left, r.Top, SRCCOPY);
      const fw::TRect place = Moved(r0, fw::TPoint(-r.Left, -r.Top));
      TkBgRef parentBg;
      FSkinData->GetParentBG(parentBg);
      if (QueriedColor != fw::clFuchsia) {
        FillDCRect(u, place, QueriedColor);
      } else if (parentBg.Ready) {
        BitBlt(u, place.Left, place.Top, place.Width(), place.Height(), parentBg.Bmp->GetCanvas()->GetHandle(),
               parentBg.X + GetLeft() + r0.Left, parentBg.Y + GetTop() + r0.Top, SRCCOPY);
      } else if (GetParent()) {
        FillDCRect(u, place, fw::ColorToRGB(GetParent()->GetColor()));
      }
      MakeBgRef(bg, under.get(), 0, 0);
      at = fw::TPoint(0, 0);
    } else {
      MakeBgRef(bg, cache, 0, 0);
    }
    PaintBordersMask(skinIndex, section, bg, -1, -1, manager, face.get(), at, fw::TRect(0, 0, r.Width(), r.Height()),
                     state, true);
    HDC t = target->GetCanvas()->GetHandle();
    const int saved = SaveDC(t);
    const fw::TTabPosition position = GetTabPosition();
    if (!active && (position == fw::tpTop || position == fw::tpLeft)) {
      const fw::TRect page = Moved(PageRect(), offset);
      ExcludeClipRect(t, page.Left, page.Top, page.Right, page.Bottom);
    }
    BitBlt(t, r.Left + offset.X, r.Top + offset.Y, r.Width(), r.Height(), face->GetCanvas()->GetHandle(), 0, 0,
           SRCCOPY);
    RestoreDC(t, saved);
  }
  r = Moved(r, offset);
  if (GetOwnerDraw()) {
    DrawTab(tabIndex, r, state != tsNormal);
    return;
  }
  fw::TCanvas* canvas = target->GetCanvas();
  if (GetTabPosition() == fw::tpLeft || GetTabPosition() == fw::tpRight) {
    PaintSideCaption(canvas, page, r, state, skinIndex);
    return;
  }
  // Every caption along the strip sits on the active tab's line: an inactive tab reaches under
  // the page area, which would cover the lower part of a caption centred in all of it.
  const fw::TRect line = Moved(SkinTabRect(tabIndex, true), offset);
  r.Top = line.Top;
  r.Bottom = line.Bottom;
  canvas->GetFont()->Assign(GetFont());
  canvas->GetBrush()->SetStyle(fw::bsClear);
  const std::string caption = page->GetCaption();
  fw::TCustomImageList* images = GetImages();
  const int image = page->GetImageIndex();
  if (images && image >= 0 && image < images->GetCount()) {
    const int x = r.Left + (r.Width() - (canvas->TextWidth(caption) + images->GetWidth() + 8)) / 2;
    images->Draw(canvas, x, r.Top + (r.Height() - images->GetHeight()) / 2, image, true);
    r.Left += images->GetWidth();
  }
  WriteTextColored(canvas, caption, GetEnabled(), manager, state != tsNormal, skinIndex,
                   DT_CENTER | DT_VCENTER | DT_SINGLELINE, r);
  if (Focused() && state == tsActive && !caption.empty()) {
    InflateRect(fw::AsRECT(r), 1, 0);
    DrawFocusDots(canvas, r);
  }
}

void TkPageControl::PaintSideCaption(fw::TCanvas* canvas, fw::TTabSheet* page, fw::TRect r, int state,
                                     int skinIndex) {
  const bool left = GetTabPosition() == fw::tpLeft;
  if (!left) r = Moved(r, fw::TPoint(-2, -1));
  HDC dc = canvas->GetHandle();
  HFONT font = RotatedFont(GetFont(), left ? -2700 : -900);
  HGDIOBJ old = SelectObject(dc, font);
  const std::wstring text = fw::ShownWide(page->GetCaption());
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  const int tw = size.cx, th = size.cy;
  fw::TColor colour = 0x808080;
  TkSkinManager* manager = FSkinData->GetSkinManager();
  if (GetEnabled() && manager->IsValidSkinIndex(skinIndex)) {
    const TkGeneralData& section = manager->GetSections()[skinIndex];
    colour = state == tsNormal ? section.FontColor[0] : section.HotFontColor[0];
  } else if (GetEnabled()) {
    colour = fw::ColorToRGB(GetFont()->GetColor());
  }
  fw::TCustomImageList* images = GetImages();
  const int image = page->GetImageIndex();
  const bool withImage = images && image >= 0 && image < images->GetCount();
  if (withImage && page == fw::TPageControl::GetActivePage()) r = Moved(r, fw::TPoint(2, 0));
  // Along the tab: the caption alone, or image, a 4-pixel gap and caption as one block.
  const int block = withImage ? images->GetHeight() + 4 + tw : tw;
  const int start = r.Top + (r.Height() - block) / 2;
  int captionTop = start;
  if (withImage) {
    const int imageX = r.Left + (r.Width() - images->GetWidth()) / 2;
    // The image comes first in reading order: at the bottom for left tabs, at the top for right.
    const int imageY = left ? start + tw + 4 : start;
    images->Draw(canvas, imageX, imageY, image, true);
    if (!left) captionTop = start + images->GetHeight() + 4;
  }
  const int x = r.Left + (r.Width() - th) / 2 + (left ? 0 : th);
  const int y = left ? captionTop + tw : captionTop;
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colour);
  ExtTextOutW(dc, x, y, ETO_CLIPPED, fw::AsRECT(r), text.c_str(), static_cast<UINT>(text.size()), nullptr);
  SelectObject(dc, old);
  DeleteObject(font);
  if (Focused() && state != tsNormal) {
    fw::TRect box = left ? fw::TRect(x, captionTop, x + th, captionTop + tw) : fw::TRect(x - th, captionTop, x, captionTop + tw);
    InflateRect(fw::AsRECT(box), 0, 1);
    DrawFocusDots(canvas, box);
  }
}

void TkPageControl::PaintTabsRow(const TkBgRef& bg) {
  if (GetComponentState().Contains(fw::csDestroying)) return;
  fw::TBitmap* cache = FSkinData->CacheBmp.get();
  const fw::TRect strip = TabsRect();
  HDC c = cache->GetCanvas()->GetHandle();
  if (bg.Ready) {
    BitBlt(c, strip.Left, strip.Top, std::min(strip.Width(), bg.Bmp->GetWidth()),
           std::min(strip.Height(), bg.Bmp->GetHeight()), bg.Bmp->GetCanvas()->GetHandle(), bg.X + GetLeft() + strip.Left,
           bg.Y + GetTop() + strip.Top, SRCCOPY);
  } else if (GetParent()) {
    FillDCRect(c, strip, fw::ColorToRGB(GetParent()->GetColor()));
  }
  const int rows = std::max(1, RowCount());
  for (int row = 1; row <= rows; ++row)
    for (int i = 0; i < GetPageCount(); ++i) {
      fw::TTabSheet* page = GetPages(i);
      if (page->GetTabVisible() && TabRow(page->GetTabIndex()) == row) PaintTab(i, tsNormal, fw::TPoint(0, 0), cache);
    }
}

void TkPageControl::PaintTabToDC(int pageIndex, int state, HDC dc) {
  if (pageIndex < 0 || GetPages(pageIndex)->GetTabIndex() < 0) return;
  const fw::TRect r = SkinTabRect(GetPages(pageIndex)->GetTabIndex(), state == tsActive);
  if (IsEmpty(r)) return;
  auto bmp = CreateBitmap24(r.Width(), r.Height());
  PaintTab(pageIndex, state, fw::TPoint(-r.Left, -r.Top), bmp.get());
  BitBlt(dc, r.Left, r.Top, r.Width(), r.Height(), bmp->GetCanvas()->GetHandle(), 0, 0, SRCCOPY);
}

void TkPageControl::RepaintTab(int pageIndex, int state) {
  if (pageIndex < 0 || pageIndex >= GetPageCount() || !HandleAllocated()) return;
  HDC dc = GetDC(GetHandle());
  const int saved = SaveDC(dc);
  const fw::TRect native = TabRect(GetPages(pageIndex)->GetTabIndex());
  IntersectClipRect(dc, native.Left, native.Top, native.Right, native.Bottom);
  if (fw::TTabSheet* active = fw::TPageControl::GetActivePage()) {
    const fw::TRect a = SkinTabRect(active->GetTabIndex(), true);
    ExcludeClipRect(dc, a.Left, a.Top, a.Right, a.Bottom);
  }
  PaintTabToDC(pageIndex, state, dc);
  RestoreDC(dc, saved);
  ReleaseDC(GetHandle(), dc);
}

void TkPageControl::FullPaint() {
  TkCommonData* d = FSkinData.get();
  PAINTSTRUCT ps{};
  HDC dc = BeginPaint(GetHandle(), &ps);
  d->SetUpdating(d->GetUpdating());
  if (!d->Updating && !FStripRepaint) {
    fw::TWinControl* parent = GetParent();
    d->BGChanged = d->BGChanged || d->HalfVisible || (parent && ControlAnswersCmd(parent, cmdIsPartlyHidden));
    d->HalfVisible = PartlyOutside(this);
    TkSkinManager* manager = d->GetSkinManager();
    FPageSection = d->GetSkinSection() + kPageSuffix[GetTabPosition()];
    if (const int index = manager->GetSkinIndex(FPageSection); index >= 0) d->SkinIndex = index;
    TkBgRef bg;
    d->GetParentBG(bg);
    if (!d->CacheBmp || d->CacheBmp->GetWidth() != GetWidth() || d->CacheBmp->GetHeight() != GetHeight())
      d->BGChanged = true;
    d->InitCacheBmp();
    const bool tabs = VisibleTabCount() > 0;
    if (d->BGChanged) {
      if (tabs) PaintTabsRow(bg);
      if (parent) ParentBgColor = fw::ColorToRGB(parent->GetColor());
      PaintBordersMask(d->SkinIndex, FPageSection, bg, -1, -1, manager, d->CacheBmp.get(),
                       fw::TPoint(GetLeft(), GetTop()), PageRect(), 0, true);
      ParentBgColor = fw::clFuchsia;
      d->BGChanged = false;
    }
    fw::TTabSheet* active = fw::TPageControl::GetActivePage();
    const int saved = SaveDC(dc);
    if (tabs && active) {
      const fw::TRect a = SkinTabRect(active->GetTabIndex(), true);
      ExcludeClipRect(dc, a.Left, a.Top, a.Right, a.Bottom);
    }
    CopyWinControlCache(this, d, fw::TRect(0, 0, 0, 0), fw::TRect(0, 0, GetWidth(), GetHeight()), dc, false);
    PaintGraphicChildren(dc, this);
    // A hot tab stays hot over the copied cache (the native control invalidates it as well).
    if (FHotTab >= 0 && FHotTab < GetPageCount() && GetPages(FHotTab) != active)
      PaintTabToDC(FHotTab, tsHot, dc);
    RestoreDC(dc, saved);
    if (tabs && active) PaintTabToDC(active->GetPageIndex(), tsActive, dc);
  }
  FPaintedTabCount = VisibleTabCount();
  EndPaint(GetHandle(), &ps);
}

void TkPageControl::UpdateActivePage() {
  if (!SkinActive()) {
    fw::TPageControl::UpdateActivePage();
    return;
  }
  FHotTab = -1;
  fw::TPageControl::UpdateActivePage();
  TkCommonData* d = FSkinData.get();
  if (!d->GetUpdating() && HandleAllocated() && d->CacheBmp) {
    fw::TTabSheet* active = fw::TPageControl::GetActivePage();
    if (VisibleTabCount() == FPaintedTabCount && d->CacheBmp->GetWidth() == GetWidth()) {
      d->BGChanged = false;
      if (active) {
        TkBgRef bg;
        d->GetParentBG(bg);
        PaintTabsRow(bg);
        const fw::TRect strip = TabsRect();
        HDC dc = GetDC(GetHandle());
        fw::TRect band = strip;
        band.Bottom += 2;
        band.Bottom = std::min(band.Bottom, GetHeight());
        CopyWinControlCache(this, d, fw::TRect(0, 0, 0, 0), band, dc, false);
        PaintTabToDC(active->GetPageIndex(), tsActive, dc);
        ReleaseDC(GetHandle(), dc);
        active->Invalidate();
      } else {
        d->RepaintOwner();
      }
    } else {
      d->BGChanged = true;
      Invalidate();
      if (active) active->Invalidate();
    }
  }
  FStripRepaint = false;
}

void TkPageControl::ClearHot() {
  if (FHotTab < 0) return;
  const int old = FHotTab;
  FHotTab = -1;
  RepaintTab(old, tsNormal);
}

void TkPageControl::TrackHot(fw::TMessage& m) {
  const fw::TPoint p(fw::XPos(m), fw::YPos(m));
  const fw::TRect strip = TabsRect();
  if (!(p.X >= strip.Left && p.X < strip.Right && p.Y >= strip.Top && p.Y < strip.Bottom)) {
    ClearHot();
    fw::TPageControl::WndProc(m);
    return;
  }
  // Pending messages first (the repaints of a page change); the control may be gone after.
  const std::shared_ptr<bool> alive = FAlive;
  fw::Application->ProcessMessages();
  if (!*alive) return;
  const int page = TabAtPos(p);
  if (page == FHotTab) {
    fw::TPageControl::WndProc(m);
    return;
  }
  ClearHot();
  fw::TPageControl::WndProc(m);
  fw::TTabSheet* active = fw::TPageControl::GetActivePage();
  if (page >= 0 && GetPages(page) != active) {
    FHotTab = page;
    RepaintTab(page, tsHot);
  }
}

void TkPageControl::FreeTabScroller() {
  if (!FScroller) return;
  TkUpDown* scroller = FScroller;
  FScroller = nullptr;
  scroller->Free();
}

void TkPageControl::UpdateTabScroller() {
  if (Loading() || GetControlState().Contains(fw::csCreating) || !HandleAllocated()) return;
  if (!SkinActive()) {
    FreeTabScroller();
    // The native control keeps the arrows it made until its window is made anew.
    if (FNativeScrollerGone) {
      FNativeScrollerGone = false;
      RecreateWnd();
    }
    return;
  }
  HWND native = nullptr;
  while ((native = FindWindowExA(GetHandle(), native, "msctls_updown32", nullptr)))
    if (!FScroller || native != FScroller->GetHandleNoCreate()) {
      DestroyWindow(native);
      FNativeScrollerGone = true;
      break;
    }
  const fw::TTabPosition position = GetTabPosition();
  const int hidden = position == fw::tpLeft || position == fw::tpRight ? 0 : HiddenTabCount();
  if (hidden < 1 || GetMultiLine()) {
    FreeTabScroller();
    return;
  }
  if (FScroller)
    PlaceTabScroller();
  else
    CreateTabScroller();
}

void TkPageControl::CreateTabScroller() {
  fw::TComponent* owner = Designing() ? static_cast<fw::TComponent*>(fw::Application) : this;
  FScroller = fw::New<TkUpDown>(owner);
  FScroller->SetVisible(false);
  FScroller->SetOrientation(fw::udHorizontal);
  FScroller->SetBounds(0, 0, 2 * (GetSystemMetrics(SM_CXHSCROLL) + 1), GetSystemMetrics(SM_CYHSCROLL) + 1);
  FScroller->SetButtonSkin("BUTTON");
  FScroller->SetParent(this);
  FScroller->SetMin(0);
  FScroller->SetMax(HiddenTabCount());
  FScroller->SetIncrement(1);
  FScroller->SetShowInaccessibility(false);
  PlaceTabScroller();
  FScroller->OnClick = [this](fw::TObject*, fw::TUDBtnType) {
    SendMessageA(GetHandle(), WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, FScroller->GetPosition()), 0);
  };
  ShapeTabScroller(false);
  FScroller->SetVisible(true);
}

void TkPageControl::PlaceTabScroller() {
  FScroller->SetLeft(GetWidth() - FScroller->GetWidth());
  FScroller->SetTop(GetTabPosition() == fw::tpTop ? 0 : GetHeight() - FScroller->GetHeight());
  int first = 0;
  for (int i = 0; i < GetPageCount(); ++i) {
    fw::TTabSheet* page = GetPages(i);
    if (!page->GetTabVisible()) continue;
    if (TabRect(page->GetTabIndex()).Left > 0) break;
    ++first;
  }
  FScroller->SetMax(HiddenTabCount() + first);
  FScroller->SetPosition(first);
}

void TkPageControl::ShapeTabScroller(bool redraw) {
  TkSkinManager* manager = FSkinData->GetSkinManager();
  if (!manager) return;
  const int mask = manager->GetMaskIndexBySection(FScroller->GetButtonSkin(), "BORDERSMASK");
  if (!manager->IsValidImgIndex(mask)) return;
  // Each half takes the shape of the button's border mask: its transparent pixels are cut away.
  const int w = FScroller->GetWidth(), h = FScroller->GetHeight();
  auto shape = CreateBitmap24(w, h);
  FillDCRect(shape->GetCanvas()->GetHandle(), fw::TRect(0, 0, w, h), kScrollerShapeColor);
  {
    // The key-coloured pixels of the mask's corners take the shape colour too, so they are cut.
    const TkMaskFillScope fill(kScrollerShapeColor);
    for (const fw::TRect& half : {fw::TRect(0, 0, w / 2, h), fw::TRect(w / 2, 0, w, h)})
      DrawSkinRect(shape.get(), half, true, TkBgRef(), manager->GetMasks()[mask], 0, false);
  }
  HRGN region = nullptr;
  CreateRegionFromBitmap(region, shape.get(), kScrollerShapeColor);
  if (region) SetWindowRgn(FScroller->GetHandle(), region, redraw);
}

void TkPageControl::WndProc(fw::TMessage& m) {
  TkCommonData* d = FSkinData.get();
  const bool own = m.LParam == reinterpret_cast<LPARAM>(d->GetSkinManager());
  if (m.Msg == SM_SKINCMD) {
    switch (SkinCmdOf(m.WParam)) {
      case cmdNewSkin:
        BroadcastToChildControls(this, m);
        if (own) CommonMessage(m, d);
        return;
      case cmdRemoveSkin:
        if (own) {
          CommonMessage(m, d);
          UpdateTabScroller();
          if (HandleAllocated())
            RedrawWindow(GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);
        }
        BroadcastToChildControls(this, m);
        break;
      case cmdRefresh:
        if (own) {
          CommonMessage(m, d);
          if (HandleAllocated())
            RedrawWindow(GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);
          UpdateTabScroller();
          if (FScroller) ShapeTabScroller(true);
        }
        BroadcastToChildControls(this, m);
        return;
      case cmdGetParentBg:
        ParentBgAnswer.Ready = false;
        if (d->SkinIsActive() && d->CacheBmp) MakeBgRef(ParentBgAnswer, d->CacheBmp.get(), 0, 0);
        break;
      case cmdParentPainted:
        if (d->Updating) {
          d->Updating = false;
          Invalidate();
        }
        break;
      case cmdIsSkinned:
        m.LParam = 1;
        return;
      case cmdIsUpdating:
        m.LParam = d->GetUpdating() || FStripRepaint || d->BGChanged ? 1 : 0;
        return;
      default:
        break;
    }
  }
  const bool skinned = SkinActive();
  if (skinned) {
    switch (m.Msg) {
      case WM_SETFOCUS:
      case WM_KILLFOCUS:
        if (GetTabStop() && !Designing()) {
          const bool changed = d->BGChanged;
          CommonMessage(m, d);
          fw::TPageControl::WndProc(m);
          d->BGChanged = changed;
          // The active tab shows the focus dots.
          if (fw::TTabSheet* active = fw::TPageControl::GetActivePage())
            RepaintTab(active->GetPageIndex(), tsActive);
        }
        return;
      case WM_MOUSEMOVE:
        if (GetHotTrack() && !Designing()) {
          TrackHot(m);
          return;
        }
        break;
      case WM_MOUSELEAVE:
      case fw::CM_MOUSELEAVE:
        if (FHotTab >= 0 && GetPages(FHotTab) != fw::TPageControl::GetActivePage()) ClearHot();
        break;
      case fw::CM_HINTSHOW: {
        auto* info = reinterpret_cast<fw::THintInfo*>(m.LParam);
        const int page = TabAtPos(info->CursorPos);
        if (page >= 0) {
          info->HintStr = GetPages(page)->GetHint();
          POINT cursor;
          GetCursorPos(&cursor);
          info->HintPos = fw::TPoint(cursor.x + GetSystemMetrics(SM_CXCURSOR) / 2,
                                     cursor.y + GetSystemMetrics(SM_CYCURSOR) / 2);
        }
        m.Result = 0;
        return;
      }
      case fw::CN_NOTIFY: {
        const UINT code = fw::NMHdr(m)->code;
        if (FScroller && (code == TCN_SELCHANGING || code == TCN_SELCHANGE)) PlaceTabScroller();
        break;
      }
      default:
        break;
    }
    CommonMessage(m, d);
    switch (m.Msg) {
      case WM_PAINT:
        if (!Loading()) {
          FullPaint();
          return;
        }
        break;
      case WM_NCPAINT:
        return;
      case WM_ERASEBKGND:
        m.Result = 1;
        return;
      case WM_STYLECHANGING:
      case WM_STYLECHANGED:
      case WM_HSCROLL:
        fw::TPageControl::WndProc(m);
        d->BGChanged = true;
        Invalidate();
        return;
      case TCM_SETITEMSIZE:
        FStripRepaint = true;
        break;
      default:
        break;
    }
  }
  fw::TPageControl::WndProc(m);
  if (!SkinActive()) return;
  switch (m.Msg) {
    case WM_SIZE:
      if (!Loading()) UpdateTabScroller();
      break;
    case fw::CM_CONTROLLISTCHANGE:
    case TCM_INSERTITEMA:
    case TCM_DELETEITEM:
      UpdateTabScroller();
      break;
    case WM_WINDOWPOSCHANGING:
      if (FStripRepaint) {
        FStripRepaint = false;
        d->BGChanged = true;
        Invalidate();
      }
      break;
    default:
      break;
  }
}

}  // namespace skin
