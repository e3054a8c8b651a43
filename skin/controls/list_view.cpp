#include "skin/controls/list_view.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>


#include "framework/forms/application.h"
#include "framework/graphics/canvas.h"
#include "framework/msg/exception_barrier.h"
#include "framework/rtl/flag_scope.h"
#include "skin/controls/label.h"
#include "skin/controls/skinned_control.h"
#include "skin/engine/glyphs_text.h"
#include "skin/engine/section_paint.h"
#include "skin/engine/skin_command.h"
#include "skin/engine/skin_manager.h"

namespace skin {

namespace {

constexpr int kListViewCtrlType = 10;
constexpr int kRowsPerStep = 9;
constexpr char kHeaderClass[] = "SysHeader32";

// The vertical bar's width and the horizontal bar's height, cached at start-up.
int VertBarWidth = 0;
int HorzBarHeight = 0;
// Set while a list view feeds its bars or scrolls itself from one: the bars' change handlers
// ignore changes meanwhile.
bool ScrollSync = false;

// A cached measure, read now when the engine's start-up has not cached it.
int Measure(int& cached, int metric) {
  if (cached <= 0) cached = GetSystemMetrics(metric);
  return cached;
}

// Posted to a list view after a skin refresh: its bars, whose windows the refresh makes anew
// after the list view took it, go back over it.
UINT PlaceBarsMessage() {
  static const UINT message = RegisterWindowMessageA("VorletListViewPlaceBars");
  return message;
}

// The list view of each hooked header (looked up at every header message, so in the process
// rather than in a window property, which costs a trip to the system).
std::unordered_map<HWND, TkCustomListView*>& HookedHeaders() {
  static std::unordered_map<HWND, TkCustomListView*> headers;
  return headers;
}

}  // namespace

void CacheListViewMetrics() {
  VertBarWidth = GetSystemMetrics(SM_CYVSCROLL);
  HorzBarHeight = GetSystemMetrics(SM_CXHSCROLL);
}

TkListBarSettings ListBarSettings(const SCROLLINFO& info, bool vertical) {
  TkListBarSettings s;
  const int page = static_cast<int>(info.nPage);
  s.Shown = info.nMax > info.nMin && page != 0 && page <= info.nMax && info.nMax - page + 1 != 0;
  if (!s.Shown) return s;
  s.Min = info.nMin;
  s.Max = info.nMax - page + 1;
  s.PageSize = page;
  s.Position = info.nPos;
  s.SmallChange = vertical ? kRowsPerStep : s.Max / 23 + 1;
  s.LargeChange = page > 0 ? page : 1;
  return s;
}

TkCustomListView::TkCustomListView(fw::TComponent* owner)
    : fw::TCustomListView(owner),
      FSkinData(std::make_unique<TkCommonData>(this, true)),
      FBoundLabel(std::make_unique<TkBoundLabel>(FSkinData.get())) {
  FSkinData->CtrlTypeIndex = kListViewCtrlType;
  FSavedCustomDraw = OnAdvancedCustomDraw;
  OnAdvancedCustomDraw = [this](fw::TCustomListView*, const fw::TRect& rect, fw::TCustomDrawStage stage,
                                bool& defaultDraw) { SkinnedAdvancedCustomDraw(rect, stage, defaultDraw); };
  if (GetComponentState().Contains(fw::csDesigning)) return;
  for (const bool vertical : {true, false}) {
    auto* bar = fw::New<TkIntScrollBar>(this);
    bar->SetVisible(false);
    bar->SetLinkedControl(this);
    bar->OnPosChange = [this, vertical](fw::TObject*, int previous) {
      if (vertical)
        VertBarChange(previous);
      else
        HorzBarChange(previous);
    };
    bar->SetDrawingForbidden(true);
    bar->SetTabStop(false);
    bar->SetKind(vertical ? fw::sbVertical : fw::sbHorizontal);
    (vertical ? FVertBar : FHorzBar) = bar;
  }
}

TkCustomListView::~TkCustomListView() = default;

void TkCustomListView::AfterConstruction() {
  FLoading = true;
  fw::TCustomListView::AfterConstruction();
  FSkinData->Loaded();
}

void TkCustomListView::BeforeDestruction() {
  *FAlive = false;
  SetSmallImages(nullptr);
  SetLargeImages(nullptr);
  UnhookHeader();
  OnAdvancedCustomDraw = FSavedCustomDraw;
  fw::TCustomListView::BeforeDestruction();
}

void TkCustomListView::Notification(fw::TComponent* component, fw::TOperation operation) {
  fw::TCustomListView::Notification(component, operation);
  if (operation != fw::opRemove) return;
  if (component == FVertBar) FVertBar = nullptr;
  if (component == FHorzBar) FHorzBar = nullptr;
}

void TkCustomListView::Loaded() {
  FLoading = true;
  fw::TCustomListView::Loaded();
  FSkinData->Loaded();
  if (SkinActive()) {
    ApplySkinColours();
    Arrange();
    UpdateScrolls();
  }
  FLoading = false;
  if (GetComponentState().Contains(fw::csDesigning)) return;
  for (TkIntScrollBar* bar : {FVertBar, FHorzBar}) {
    if (!bar) continue;
    bar->GetSkinData()->SetSkinManager(FSkinData->GetSkinManager());
    bar->SetParent(GetParent());
  }
}

void TkCustomListView::ApplySkinColours() {
  const TkGeneralData* section = FSkinData->Section();
  if (!section) return;
  if (!FSkinData->GetCustomColor()) SetColor(section->Color);
  if (!FSkinData->GetCustomFont()) GetFont()->SetColor(section->FontColor[0]);
  if (HandleAllocated() && GetCheckboxes()) FCheckGlyphs.Take(GetHandleNoCreate(), FSkinData->GetSkinManager(), GetColor());
}

void TkCustomListView::CreateWnd() {
  fw::TCustomListView::CreateWnd();
  if (SkinActive() && !FLoading) ApplySkinColours();
}

void TkCustomListView::DestroyWnd() {
  fw::TCustomListView::DestroyWnd();
  FCheckGlyphs.Forget();
}

void TkCustomListView::Arrange() {
  if (HandleAllocated()) Perform(LVM_ARRANGE, LVA_DEFAULT, 0);
}

bool TkCustomListView::NeedsOwnBackground() {
  return ControlAnswersCmd(this, cmdIsTextured) || FSkinData->NeedsParentBackground();
}

void TkCustomListView::TakeQueriedColour() {
  QueriedColor = fw::clFuchsia;
  if (HandleAllocated()) SendMessageA(GetHandleNoCreate(), SM_SKINCMD, SkinCmdWParam(cmdGetColor), 0);
  if (QueriedColor != fw::clFuchsia && QueriedColor != GetColor()) SetColor(fw::ColorToRGB(QueriedColor));
  QueriedColor = fw::clFuchsia;
}

void TkCustomListView::InvalidateIfTransparent(bool force) {
  const fw::TViewStyle view = GetViewStyle();
  if (!HandleAllocated() || !(force || view == fw::vsList || view == fw::vsReport) || !NeedsOwnBackground()) return;
  InvalidateRect(GetHandleNoCreate(), nullptr, FALSE);
}

void TkCustomListView::PrepareCache() {
  PaintSkinnedCache(
      this, FSkinData.get(), TkDisabledKind{},
      [this](const TkBgRef& bg) {
        fw::TBitmap* cache = FSkinData->CacheBmp.get();
        PaintControlFace(FSkinData.get(), bg, true, true, cache, fw::Point(GetLeft(), GetTop()),
                         fw::TRect(0, 0, GetWidth(), GetHeight()), 0);
      },
      [] {});
}

// --- window procedure ---

void TkCustomListView::WndProc(fw::TMessage& m) {
  TkCommonData* d = FSkinData.get();
  if (m.Msg == SM_SKINCMD) {
    const bool own = m.LParam == reinterpret_cast<LPARAM>(d->GetSkinManager());
    switch (SkinCmdOf(m.WParam)) {
      case cmdNewSkin:
        if (!own) break;
        CommonMessage(m, d);
        return;
      case cmdRemoveSkin:
        if (!own) break;
        CommonMessage(m, d);
        if (!d->GetCustomColor()) SetColor(fw::clWindow);
        if (!d->GetCustomFont()) GetFont()->SetColor(fw::clWindowText);
        FCheckGlyphs.GiveBack(GetHandleNoCreate());
        Arrange();
        // The native bars and header show again.
        HideBars();
        if (HandleAllocated())
          RedrawWindow(GetHandleNoCreate(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
        return;
      case cmdRefresh:
        if (!own) break;
        CommonMessage(m, d);
        if (!SkinActive() || FLoading) return;
        ApplySkinColours();
        Arrange();
        // A list that cannot be seen is painted, frame and header with it, when it shows.
        if (ControlShown(this)) {
          Repaint();
          PaintFrame();
          if (FHeader) RedrawWindow(FHeader, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        }
        UpdateScrolls();
        if (HandleAllocated()) PostMessageA(GetHandleNoCreate(), PlaceBarsMessage(), 0, 0);
        return;
      case cmdParentPainted:
        if (d->Updating) {
          d->Updating = false;
          PaintFrame();
        }
        return;
      case cmdIsSkinned:
        m.LParam = 1;
        return;
      default:
        break;
    }
  }
  if (m.Msg == PlaceBarsMessage()) {
    UpdateScrolls();
    return;
  }
  if (GetControlState().Contains(fw::csCreating)) {
    fw::TCustomListView::WndProc(m);
    FollowWithLabel(m);
    return;
  }
  if (SkinActive()) {
    if (m.Msg == WM_ERASEBKGND) {
      if (NeedsOwnBackground()) return;
      TakeQueriedColour();
    } else if (m.Msg == WM_PRINT) {
      Perform(WM_PAINT, m.WParam, m.LParam);
      Perform(WM_NCPAINT, m.WParam, m.LParam);
      return;
    }
  }
  if ((m.Msg == LVM_SETCOLUMNA || m.Msg == LVM_INSERTCOLUMNA) && m.LParam) {
    // A column without an image is inserted without LVCF_IMAGE.
    auto* column = reinterpret_cast<LVCOLUMNA*>(m.LParam);
    if (column->iImage == -1) column->mask &= ~static_cast<UINT>(LVCF_IMAGE);
  }
  if (CommonMessage(m, d)) return;
  const std::shared_ptr<bool> alive = FAlive;
  fw::TCustomListView::WndProc(m);
  if (!*alive) return;
  if (SkinActive()) {
    AfterMessage(m);
    // The message pump of a style change may have freed the control.
    if (!*alive) return;
  }
  FollowWithLabel(m);
}

void TkCustomListView::AfterMessage(const fw::TMessage& m) {
  const bool reading = GetComponentState().Contains(fw::csReading);
  switch (m.Msg) {
    case WM_STYLECHANGED: {
      if (reading) return;
      const std::shared_ptr<bool> alive = FAlive;
      fw::Application->ProcessMessages();
      if (!*alive) return;
      Arrange();
      UpdateScrolls();
      return;
    }
    case WM_SETREDRAW:
      if (reading) return;
      FRedrawOff = m.WParam == 0;
      Arrange();
      UpdateScrolls();
      return;
    case WM_MOUSEWHEEL:
      if (LOWORD(m.WParam) != 0) return;
      InvalidateIfTransparent(false);
      UpdateScrolls();
      return;
    case LVM_SCROLL:
    case LVM_SETITEMCOUNT:
    case LVM_DELETEALLITEMS:
      UpdateScrolls();
      return;
    case LVM_INSERTITEMA:
    case LVM_INSERTITEMW:
    case LVM_DELETEITEM:
      // Rows put in one by one: the bars follow each, unless the window waits for all of them.
      if (!FRedrawOff) UpdateScrolls();
      return;
    case fw::CN_KEYDOWN:
    case fw::CN_KEYUP:
      if (m.WParam < VK_PRIOR || m.WParam > VK_DOWN) return;
      InvalidateIfTransparent(false);
      UpdateScrolls();
      return;
    case WM_MOVE:
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
    case fw::CM_VISIBLECHANGED:
    case fw::CM_ENABLEDCHANGED:
      if (Destroying()) return;
      PaintFrame();
      FItemsClip = true;
      InvalidateIfTransparent(true);
      FItemsClip = false;
      UpdateScrolls();
      return;
    default:
      return;
  }
}

void TkCustomListView::FollowWithLabel(const fw::TMessage& m) {
  if (FBoundLabel) FBoundLabel->Follow(m);
}

void TkCustomListView::Dispatch(fw::TMessage& m) {
  switch (m.Msg) {
    case WM_NCPAINT:
      if (!SkinActive() || Destroying()) break;
      if (GetComponentState().Contains(fw::csDesigning)) fw::TCustomListView::Dispatch(m);
      PaintFrame();
      m.Result = 0;
      return;
    case WM_PARENTNOTIFY: {
      const UINT event = LOWORD(m.WParam);
      if (event == WM_CREATE || event == WM_DESTROY) {
        HWND child = reinterpret_cast<HWND>(m.LParam);
        char name[97] = "";
        GetClassNameA(child, name, sizeof name);
        if (std::strcmp(name, kHeaderClass) == 0) HookHeader(child);
      }
      break;
    }
    case WM_NCHITTEST:
      fw::TCustomListView::Dispatch(m);
      // The mouse is over the list, not over the header.
      if (SkinActive() && FHighlightHeaders && FHotSection >= 0) {
        FHotSection = -2;
        PaintHeader(false);
      }
      return;
    case fw::CM_MOUSELEAVE:
      if (SkinActive() && GetViewStyle() == fw::vsReport && FHotSection >= 0) {
        FHotSection = -2;
        PaintHeader(false);
      }
      break;
    default:
      break;
  }
  fw::TCustomListView::Dispatch(m);
}

// --- painting ---

void TkCustomListView::SkinnedAdvancedCustomDraw(const fw::TRect& rect, fw::TCustomDrawStage stage,
                                                 bool& defaultDraw) {
  if (!GetComponentState().Contains(fw::csDesigning) && FSavedCustomDraw) {
    FSavedCustomDraw(this, rect, stage, defaultDraw);
    return;
  }
  if (stage == fw::cdPrePaint || stage == fw::cdPreErase) {
    TkCommonData* d = FSkinData.get();
    if (!SkinActive()) return;
    d->Updating = d->GetUpdating();
    if (d->Updating) return;
    if (d->BGChanged) PrepareCache();
    fw::TCanvas* canvas = GetCanvas();
    if (NeedsOwnBackground()) {
      HDC dc = canvas->GetHandle();
      const int saved = SaveDC(dc);
      if (stage == fw::cdPrePaint && FItemsClip) ExcludeItemsFromClip(dc);
      const int from = GetBorderStyle() == fw::bsSingle ? 2 : 0;
      BitBlt(dc, 0, 0, GetClientWidth(), GetClientHeight(), d->CacheBmp->GetCanvas()->GetHandle(), from, from,
             SRCCOPY);
      RestoreDC(dc, saved);
      SetBkMode(dc, TRANSPARENT);
      Perform(LVM_SETTEXTBKCOLOR, 0, CLR_NONE);
      Perform(LVM_SETBKCOLOR, 0, CLR_NONE);
    } else {
      TakeQueriedColour();
    }
  }
  if (stage == fw::cdPreErase || stage == fw::cdPostErase) defaultDraw = false;
}

void TkCustomListView::ExcludeItemsFromClip(HDC dc) {
  const fw::TViewStyle view = GetViewStyle();
  const bool rows = view == fw::vsList || view == fw::vsReport;
  const int first = rows ? static_cast<int>(Perform(LVM_GETTOPINDEX, 0, 0)) : 0;
  const int last = rows ? first + static_cast<int>(Perform(LVM_GETCOUNTPERPAGE, 0, 0)) - 1
                        : GetItems()->GetCount() - 1;
  for (int i = first; i <= last; ++i)
    for (const int part : {LVIR_ICON, LVIR_LABEL}) {
      RECT r{};
      r.left = part;
      if (Perform(LVM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r)))
        ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
    }
}

void TkCustomListView::PaintFrame() {
  TkCommonData* d = FSkinData.get();
  if (!HandleAllocated() || !SkinActive() || Destroying()) return;
  if (d->BGChanged) PrepareCache();
  fw::TBitmap* cache = d->CacheBmp.get();
  if (!cache || cache->GetWidth() < 4 || cache->GetHeight() < 4) return;
  HWND wnd = GetHandleNoCreate();
  HDC dc = GetWindowDC(wnd);
  const int saved = SaveDC(dc);
  HDC src = cache->GetCanvas()->GetHandle();
  const int cw = cache->GetWidth(), ch = cache->GetHeight(), w = GetWidth(), h = GetHeight();
  BitBlt(dc, 0, 0, cw, 2, src, 0, 0, SRCCOPY);
  BitBlt(dc, 0, 2, 2, ch - 2, src, 0, 2, SRCCOPY);
  BitBlt(dc, 2, h - 2, w, 2, src, 2, h - 2, SRCCOPY);
  BitBlt(dc, cw - 2, 2, 2, ch - 4, src, cw - 2, 2, SRCCOPY);
  if (FVertBar && FHorzBar && FVertBar->GetVisible() && FHorzBar->GetVisible()) {
    // The square between the two bars.
    const int x = FVertBar->GetLeft() - GetLeft(), y = FHorzBar->GetTop() - GetTop();
    BitBlt(dc, x, y, FVertBar->GetWidth(), FHorzBar->GetHeight(), src, x, y, SRCCOPY);
  }
  RestoreDC(dc, saved);
  ReleaseDC(wnd, dc);
}

// --- skinned bars ---

void TkCustomListView::HideBars() {
  for (TkIntScrollBar* bar : {FVertBar, FHorzBar})
    if (bar && !bar->GetComponentState().Contains(fw::csDestroying)) bar->SetVisible(false);
}

void TkCustomListView::UpdateScrolls() {
  const fw::TComponentState state = GetComponentState();
  if (!SkinActive() || state.Contains(fw::csDestroying) || state.Contains(fw::csDesigning) ||
      state.Contains(fw::csReading))
    return;
  if (!GetVisible()) {
    // Bars in the parent must not stay over it when the list goes.
    HideBars();
    return;
  }
  if (GetControlState().Contains(fw::csCreating) || !HandleAllocated() || FSyncing || FLoading) return;
  fw::TFlagScope guard(FSyncing);
  try {
    HWND wnd = GetHandleNoCreate();
    SCROLLINFO vert{sizeof vert, SIF_ALL, 0, 0, 0, 0, 0}, horz{sizeof horz, SIF_ALL, 0, 0, 0, 0, 0};
    const bool vertRead = WindowHasScrollBar(wnd, 1) && GetScrollInfo(wnd, SB_VERT, &vert);
    const bool horzRead = WindowHasScrollBar(wnd, 0) && GetScrollInfo(wnd, SB_HORZ, &horz);
    TkListBarSettings v = ListBarSettings(vert, true), h = ListBarSettings(horz, false);
    v.Shown = v.Shown && vertRead && GetWidth() >= 2;
    h.Shown = h.Shown && horzRead && (GetViewStyle() == fw::vsReport || GetItems()->GetCount() >= 1) &&
              GetHeight() >= 2;
    for (const bool vertical : {true, false}) {
      TkIntScrollBar* bar = vertical ? FVertBar : FHorzBar;
      const TkListBarSettings& s = vertical ? v : h;
      if (!bar) continue;
      if (!s.Shown) {
        bar->SetVisible(false);
        continue;
      }
      if (!bar->GetParent()) {
        bar->GetSkinData()->SetSkinManager(FSkinData->GetSkinManager());
        bar->SetParent(GetParent());
      }
      bar->SetDrawingForbidden(true);
      bar->SetEnabled(GetEnabled());
      fw::TFlagScope sync(ScrollSync);
      bar->SetSmallChange(1);
      bar->SetParams(s.Position, s.Min, s.Max);
      bar->SetPageSize(s.PageSize);
      bar->SetSmallChange(s.SmallChange);
      bar->SetLargeChange(s.LargeChange);
    }
    PlaceScrollBars(v.Shown, h.Shown);
  } catch (...) {
    ScrollSync = false;
    fw::Application->HandleException(this);
  }
}

void TkCustomListView::PlaceScrollBars(bool showVert, bool showHorz) {
  const int hh = FHorzBar && showHorz ? std::min(Measure(HorzBarHeight, SM_CXHSCROLL), GetHeight()) : 0;
  int vw = 0;
  if (FVertBar && showVert) {
    vw = std::min(Measure(VertBarWidth, SM_CYVSCROLL), GetWidth());
    FVertBar->SetBounds(GetLeft() + GetWidth() - vw - 2, GetTop() + 2, vw, GetHeight() - hh - 4);
    FVertBar->SetDrawingForbidden(false);
    AttachAndShowControl(FVertBar, this);
    FVertBar->BringToFront();
  }
  if (FHorzBar && showHorz) {
    FHorzBar->SetBounds(GetLeft() + 2, GetTop() + GetHeight() - hh - 2, GetWidth() - vw - 4, hh);
    FHorzBar->SetDrawingForbidden(false);
    AttachAndShowControl(FHorzBar, this);
    FHorzBar->BringToFront();
  }
}

int TkCustomListView::ItemZeroExtent(bool height) {
  RECT r{};
  r.left = LVIR_BOUNDS;
  if (!Perform(LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r))) return 0;
  return height ? r.bottom - r.top : r.right - r.left;
}

void TkCustomListView::VertBarChange(int previous) {
  if (ScrollSync || !FVertBar || previous == FVertBar->GetPosition()) return;
  const int delta = FVertBar->GetPosition() - previous;
  if (GetViewStyle() == fw::vsReport) {
    Scroll(0, delta * ItemZeroExtent(true));
    InvalidateIfTransparent(false);
  } else {
    Scroll(0, delta);
  }
}

void TkCustomListView::HorzBarChange(int previous) {
  if (ScrollSync || !FHorzBar || previous == FHorzBar->GetPosition()) return;
  fw::TFlagScope sync(ScrollSync);
  const int delta = FHorzBar->GetPosition() - previous;
  if (GetViewStyle() == fw::vsList) {
    int dx = delta * ItemZeroExtent(false);
    if (dx < 0) dx /= 2;
    Scroll(dx, 0);
  } else {
    Scroll(delta, 0);
  }
  InvalidateIfTransparent(false);
}

// --- the header ---

LRESULT CALLBACK TkCustomListView::HeaderProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  const auto it = HookedHeaders().find(wnd);
  if (it == HookedHeaders().end()) return DefWindowProcA(wnd, msg, wParam, lParam);
  TkCustomListView* self = it->second;
  LRESULT result = 0;
  fw::Barrier([&] { result = self->HeaderWndProc(msg, wParam, lParam); }, self);
  return result;
}

void TkCustomListView::HookHeader(HWND header) {
  UnhookHeader();
  FHeader = header;
  HookedHeaders()[header] = this;
  FOldHeaderProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(header, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TkCustomListView::HeaderProc)));
}

void TkCustomListView::UnhookHeader() {
  if (!FHeader) return;
  if (IsWindow(FHeader)) SetWindowLongPtrA(FHeader, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FOldHeaderProc));
  HookedHeaders().erase(FHeader);
  FHeader = nullptr;
  FOldHeaderProc = nullptr;
}

LRESULT TkCustomListView::CallHeader(UINT msg, WPARAM wParam, LPARAM lParam) {
  return CallWindowProcA(FOldHeaderProc, FHeader, msg, wParam, lParam);
}

int TkCustomListView::HeaderCount() const {
  return FHeader ? static_cast<int>(SendMessageA(FHeader, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

LRESULT TkCustomListView::HeaderWndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCDESTROY) {
    // The header goes: its own procedure ends it, and it is forgotten.
    HWND header = FHeader;
    const WNDPROC old = FOldHeaderProc;
    UnhookHeader();
    return CallWindowProcA(old, header, msg, wParam, lParam);
  }
  if (GetViewStyle() != fw::vsReport || !SkinActive()) return CallHeader(msg, wParam, lParam);
  const bool columnClick = GetColumnClick();
  switch (msg) {
    case WM_PAINT:
      PaintHeader(true);
      return 0;
    case WM_ERASEBKGND:
      return 0;
    case WM_NCHITTEST: {
      if (!columnClick) break;
      const LRESULT result = CallHeader(msg, wParam, lParam);
      if (FHighlightHeaders) {
        const int section = HeaderSectionAt(fw::TPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))));
        if (section != FHotSection) {
          FHotSection = section;
          PaintHeader(false);
        }
      }
      return result;
    }
    case WM_LBUTTONUP:
      if (!columnClick) break;
      FPressedSection = -1;
      UpdateScrolls();
      FItemsClip = false;
      break;
    default:
      break;
  }
  HWND header = FHeader;
  const LRESULT result = CallHeader(msg, wParam, lParam);
  if (msg == WM_LBUTTONDOWN && columnClick && FHeader == header) {
    FItemsClip = true;
    HDHITTESTINFO hit{};
    hit.pt = POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    const int index = static_cast<int>(SendMessageA(header, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    FPressedSection = hit.flags & (HHT_ONDIVIDER | HHT_ONDIVOPEN) ? -1 : index;
    RedrawWindow(header, nullptr, nullptr, RDW_INVALIDATE);
  }
  return result;
}

int TkCustomListView::HeaderSectionAt(fw::TPoint screenPoint) {
  POINT p{screenPoint.X, screenPoint.Y};
  ::ScreenToClient(GetHandle(), &p);
  if (FHorzBar) p.x += FHorzBar->GetPosition();
  for (int i = 0; i < HeaderCount(); ++i)
    {
      const RECT r = GetHeaderSectionRect(i);
      if (PtInRect(&r, p)) return i;
    }
  return -2;
}

fw::TRect TkCustomListView::GetHeaderSectionRect(int index) {
  RECT r{};
  if (!FHeader || !SendMessageA(FHeader, HDM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r)))
    return fw::TRect();
  return fw::TRect(r.left, r.top, r.right, r.bottom);
}

void TkCustomListView::PaintHeader(bool painting) {
  if (!FHeader) return;
  PAINTSTRUCT ps{};
  HDC dc = painting ? BeginPaint(FHeader, &ps) : GetDC(FHeader);
  const int count = HeaderCount();
  if (count > 0) {
    if (FSkinData->BGChanged) PrepareCache();
    int right = 0;
    for (int i = 0; i < count; ++i) {
      const fw::TRect r = GetHeaderSectionRect(i);
      if (r.Width() <= 0 || r.Height() <= 0) continue;
      PaintHeaderSection(dc, r, i);
      right = std::max(right, static_cast<int>(r.Right));
    }
    RECT client{};
    ::GetClientRect(FHeader, &client);
    if (right < client.right && client.bottom > 0) PaintHeaderSection(dc, fw::TRect(right, 0, client.right, client.bottom), -1);
  }
  if (painting)
    EndPaint(FHeader, &ps);
  else
    ReleaseDC(FHeader, dc);
}

void TkCustomListView::PaintHeaderSection(HDC dc, const fw::TRect& r, int index) {
  TkSkinManager* manager = FSkinData->GetSkinManager();
  if (!manager) return;
  auto bmp = CreateBitmap24(r.Width(), r.Height());
  TkBgRef bg;
  MakeBgRef(bg, FSkinData->CacheBmp.get(), 0, 0);
  const int state = FPressedSection >= 0 ? (index == FPressedSection ? 2 : 0) : (index == FHotSection ? 1 : 0);
  std::string section = "COLHEADER";
  int skinIndex = manager->GetSkinIndex(section);
  if (skinIndex < 0) {
    section = "BUTTON";
    skinIndex = manager->GetSkinIndex(section);
  }
  const fw::TRect whole(0, 0, r.Width(), r.Height());
  PaintBordersMask(skinIndex, section, bg, -1, -1, manager, bmp.get(), fw::Point(0, 0), whole, state, false);
  if (index >= 0 && index < GetColumns()->GetCount()) {
    const fw::TListColumn* column = GetColumn(index);
    const int image = column->GetImageIndex();
    if (!column->GetCaption().empty() || image >= 0) {
      fw::TCanvas* canvas = bmp->GetCanvas();
      canvas->GetFont()->Assign(GetFont());
      canvas->GetBrush()->SetStyle(fw::bsClear);
      const int p = state == 2 ? 1 : 0;
      fw::TRect text(4 + p, 1 + p, whole.Right - 8, whole.Bottom - 1 + p);
      const unsigned flags = TextFlagsForAlignment(this, column->GetAlignment()) | DT_WORDBREAK | DT_EXPANDTABS;
      fw::TCustomImageList* images = GetSmallImages();
      if (images && image >= 0) {
        text.Left += images->GetWidth();
        text.Right += images->GetWidth();
        WriteTextColored(canvas, column->GetCaption(), GetEnabled(), manager, state != 0, skinIndex, flags, text);
        images->Draw(canvas, 4 + p, p, image, GetEnabled());
      } else {
        WriteTextColored(canvas, column->GetCaption(), GetEnabled(), manager, state != 0, skinIndex, flags, text);
      }
    }
  }
  BitBlt(dc, r.Left, r.Top, r.Width(), r.Height(), bmp->GetCanvas()->GetHandle(), 0, 0, SRCCOPY);
}

}  // namespace skin
