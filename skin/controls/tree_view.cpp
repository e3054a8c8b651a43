#include "skin/controls/tree_view.h"

#include <algorithm>

#include "skin/engine/scroll_bar.h"

namespace skin {

namespace {

constexpr int kTreeCtrlType = 96;
// Below this width or height the tree has no skinned bars.
constexpr int kMinBarExtent = 16;
// The frame painted from the cache in the non-client area.
constexpr int kTreeFrame = 3;

void CopyFromCache(HDC dc, HDC cache, int x, int y, int w, int h) { BitBlt(dc, x, y, w, h, cache, x, y, SRCCOPY); }

}  // namespace

bool TreeBarNeeded(int min, int max, unsigned page) {
  return max - min > static_cast<int>(page) - 1 && page > 1;
}

TkTreeView::TkTreeView(fw::TComponent* owner)
    : TkSkinned(owner, kTreeCtrlType, true), FBoundLabel(std::make_unique<TkBoundLabel>(GetSkinData())) {
  SetAnimatEvents(TkAnimatEvents());
}

TkTreeView::~TkTreeView() = default;

void TkTreeView::AfterConstruction() {
  TkSkinned::AfterConstruction();
  FSavedBorderStyle = GetBorderStyle();
  UpdateScrolls();
}

void TkTreeView::Loaded() {
  TkSkinned::Loaded();
  UpdateScrolls();
  if (GetSkinData()->SkinIsActive()) GetSkinData()->ApplyEditColours();
}

void TkTreeView::Notification(fw::TComponent* component, fw::TOperation operation) {
  TkSkinned::Notification(component, operation);
  if (operation != fw::opRemove) return;
  if (component == FVertBar) FVertBar = nullptr;
  if (component == FHorzBar) FHorzBar = nullptr;
}

void TkTreeView::UpdateScrolls() {
  const fw::TComponentState state = GetComponentState();
  if (GetControlState().Contains(fw::csCreating) || state.Contains(fw::csDestroying) || !HandleAllocated()) return;
  if (!GetSkinData()->SkinIsActive() || !GetVisible() || GetWidth() < kMinBarExtent || GetHeight() < kMinBarExtent) {
    FreeBars();
    return;
  }
  bool needed[2];
  for (const bool vertical : {true, false}) {
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    bool& need = needed[vertical ? 0 : 1];
    need = GetScrollInfo(GetHandle(), vertical ? SB_VERT : SB_HORZ, &info) &&
           TreeBarNeeded(info.nMin, info.nMax, info.nPage);
    TkScrollBar*& bar = vertical ? FVertBar : FHorzBar;
    if (!need) {
      if (bar) bar->SetVisible(false);
      continue;
    }
    if (!bar) bar = MakeBar(vertical);
    FSyncing = true;
    bar->SetDrawingForbidden(true);
    bar->SetEnabled(GetEnabled());
    const int max = info.nMax - static_cast<int>(info.nPage) + 1;
    if (info.nMax >= info.nMin && max != 0) {
      bar->SetParams(info.nPos, info.nMin, max);
      bar->SetPageSize(static_cast<int>(info.nPage));
      bar->SetLargeChange(std::max(bar->GetPageSize(), 1));
    } else {
      bar->SetParams(0, 0, 1);
      bar->SetPageSize(static_cast<int>(info.nPage));
    }
    bar->SetDrawingForbidden(false);
    FSyncing = false;
    if (vertical) {
      bar->SetVisible(true);
      ShowWindowNoActivate(bar);
    }
    bar->Invalidate();
  }
  PlaceScrollBars(needed[0], needed[1]);
}

void TkTreeView::PlaceScrollBars(bool showVert, bool showHorz) {
  const int b = kTreeFrame;
  auto show = [](TkScrollBar* bar) {
    if (bar->GetVisible() && IsWindowVisible(bar->GetHandle())) return;
    bar->SetVisible(true);
    ShowWindowNoActivate(bar);
  };
  if (showVert && FVertBar) {
    const int w = FVertBar->GetWidth();
    const int x = UseRightToLeftAlignment() ? GetLeft() + b : GetLeft() + GetWidth() - w - b;
    FVertBar->SetBounds(x, GetTop() + b, w, GetHeight() - 2 * b - (showHorz && FHorzBar ? FHorzBar->GetHeight() : 0));
    show(FVertBar);
  }
  if (showHorz && FHorzBar) {
    const int h = FHorzBar->GetHeight();
    FHorzBar->SetBounds(GetLeft() + b, GetTop() + GetHeight() - h - b,
                        GetWidth() - 2 * b - (showVert && FVertBar ? FVertBar->GetWidth() : 0), h);
    show(FHorzBar);
  }
}

TkScrollBar* TkTreeView::MakeBar(bool vertical) {
  auto* bar = fw::New<TkScrollBar>(this);
  bar->GetSkinData()->SetSkinManager(GetSkinData()->GetSkinManager());
  bar->SetVisible(false);
  bar->SetDrawingForbidden(true);
  bar->SetLinkedControl(this);
  bar->OnPosChange = [this, vertical](fw::TObject* sender, int) {
    if (FSyncing || !HandleAllocated()) return;
    const int position = static_cast<TkScrollBar*>(sender)->GetPosition();
    SendMessageA(GetHandle(), vertical ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, position), 0);
  };
  bar->SetParent(GetParent());
  bar->SetTabStop(false);
  bar->SetKind(vertical ? fw::sbVertical : fw::sbHorizontal);
  if (vertical)
    bar->SetWidth(std::min(GetSystemMetrics(SM_CXVSCROLL), GetWidth() - 6));
  else
    bar->SetHeight(GetSystemMetrics(SM_CYHSCROLL));
  bar->SetSmooth(true);
  return bar;
}

void TkTreeView::FreeBars() {
  fw::FreeAndNil(FVertBar);
  fw::FreeAndNil(FHorzBar);
}

void TkTreeView::PaintFrame() {
  TkCommonData* d = GetSkinData();
  d->SetUpdating(d->GetUpdating());
  const fw::TComponentState state = GetComponentState();
  if (state.Contains(fw::csDestroying) || state.Contains(fw::csLoading) || d->Updating || !HandleAllocated()) return;
  if (d->BGChanged || !d->CacheBmp || d->CacheBmp->GetWidth() != GetWidth() ||
      d->CacheBmp->GetHeight() != GetHeight())
    PaintCache();
  PaintSkinBordersAll(d, StateIndex());
  const HWND wnd = GetHandle();
  HDC dc = GetWindowDC(wnd);
  const int saved = SaveDC(dc);
  HDC cache = d->CacheBmp->GetCanvas()->GetHandle();
  const int b = kTreeFrame, w = GetWidth(), h = GetHeight();
  const int cw = d->CacheBmp->GetWidth(), ch = d->CacheBmp->GetHeight();
  CopyFromCache(dc, cache, 0, 0, w, b);
  CopyFromCache(dc, cache, 0, b, b, ch - b);
  CopyFromCache(dc, cache, b, h - b, w, b);
  CopyFromCache(dc, cache, cw - b, b, b, ch - 2 * b);
  if (FVertBar && FHorzBar && FVertBar->GetVisible() && FHorzBar->GetVisible())
    CopyFromCache(dc, cache, FVertBar->GetLeft() - GetLeft(), FHorzBar->GetTop() - GetTop(), FVertBar->GetWidth(),
                  FHorzBar->GetHeight());
  RestoreDC(dc, saved);
  ReleaseDC(wnd, dc);
}

void TkTreeView::OwnSkinCommand(int command) {
  TkCommonData* d = GetSkinData();
  switch (command) {
    case cmdNewSkin:
      // The native border goes and the frame is measured again. A tree that has no border any
      // more keeps its window (and its nodes as they are): its frame alone is measured anew.
      if (GetBorderStyle() != fw::bsNone)
        SetBorderStyle(fw::bsNone);
      else if (HandleAllocated())
        SetWindowPos(GetHandle(), nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
      break;
    case cmdRemoveSkin:
      SetBorderStyle(FSavedBorderStyle);
      UpdateScrolls();
      if (!d->GetCustomColor()) SetColor(fw::clWindow);
      if (!d->GetCustomFont()) GetFont()->SetColor(fw::clWindowText);
      RecreateWnd();
      break;
    case cmdRefresh: {
      if (!d->SkinIsActive()) break;
      d->ApplyEditColours();
      UpdateScrolls();
      const LPARAM manager = reinterpret_cast<LPARAM>(d->GetSkinManager());
      for (TkScrollBar* bar : {FVertBar, FHorzBar})
        if (bar && bar->GetVisible()) bar->Perform(SM_SKINCMD, SkinCmdWParam(cmdRefresh), manager);
      break;
    }
    default:
      break;
  }
}

void TkTreeView::WndProc(fw::TMessage& m) {
  if (m.Msg == SM_SKINCMD) {
    TkCommonData* d = GetSkinData();
    if (SkinCmdOf(m.WParam) == cmdParentPainted) {
      if (d->Updating) {
        d->Updating = false;
        if (HandleAllocated()) SendMessageA(GetHandle(), WM_NCPAINT, 0, 0);
      }
      return;
    }
    TkSkinned::WndProc(m);
    return;
  }
  TkSkinned::WndProc(m);
  FBoundLabel->Follow(m);
}

bool TkTreeView::SkinnedMessage(fw::TMessage& m) {
  TkCommonData* d = GetSkinData();
  switch (m.Msg) {
    case WM_PRINT:
      Perform(WM_PAINT, m.WParam, m.LParam);
      Perform(WM_NCPAINT, m.WParam, m.LParam);
      return true;
    case fw::CM_VISIBLECHANGED:
    case fw::CM_ENABLEDCHANGED:
    case WM_MOUSEWHEEL:
    case WM_MOVE:
      d->BGChanged = true;
      Repaint();
      CommonMessage(m, d);
      fw::TTreeView::WndProc(m);
      // After the tree took the message, so that the bars show where it scrolled to.
      UpdateScrolls();
      return true;
    case fw::CM_ENTER:
    case fw::CM_EXIT:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      fw::TTreeView::WndProc(m);
      return true;
    case WM_ERASEBKGND:
      return true;
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
    case TVM_INSERTITEMA:
      CommonMessage(m, d);
      fw::TTreeView::WndProc(m);
      if (m.Msg == WM_SIZE || !d->Updating) UpdateScrolls();
      if (m.Msg == WM_SIZE) {
        d->BGChanged = true;
        SendMessageA(GetHandle(), WM_NCPAINT, 0, 0);
      }
      return true;
    default:
      return TkSkinned::SkinnedMessage(m);
  }
}

void TkTreeView::Dispatch(fw::TMessage& m) {
  switch (m.Msg) {
    case WM_NCCALCSIZE: {
      fw::TTreeView::Dispatch(m);
      // Measured also while a new skin goes round (the window is made again on its arrival, and
      // nothing may measure it afterwards while painting is held).
      if (GetComponentState().Contains(fw::csDestroying) || !GetSkinData()->SkinIsActive(false)) return;
      const int n = GetBorderStyle() == fw::bsSingle && !GetControlState().Contains(fw::csCreating) ? 1 : kTreeFrame;
      RECT* r = m.WParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(m.LParam)->rgrc[0] : reinterpret_cast<RECT*>(m.LParam);
      InflateRect(r, -n, -n);
      return;
    }
    case WM_NCPAINT:
      if (!GetSkinData()->SkinIsActive()) break;
      PaintFrame();
      return;
    case fw::CN_KEYDOWN:
      fw::TTreeView::Dispatch(m);
      UpdateScrolls();
      return;
    case fw::CN_KEYUP:
      fw::TTreeView::Dispatch(m);
      switch (m.WParam) {
        case VK_PRIOR:
        case VK_NEXT:
        case VK_END:
        case VK_HOME:
        case VK_UP:
        case VK_DOWN:
        case VK_SCROLL:
          UpdateScrolls();
          break;
        default:
          break;
      }
      return;
    case fw::CN_NOTIFY: {
      const UINT code = reinterpret_cast<const NMHDR*>(m.LParam)->code;
      fw::TTreeView::Dispatch(m);
      if ((code == TVN_ITEMEXPANDEDA || code == TVN_DELETEITEMA || code == TVN_ENDLABELEDITA) &&
          !GetComponentState().Contains(fw::csDestroying))
        UpdateScrolls();
      return;
    }
    default:
      break;
  }
  fw::TTreeView::Dispatch(m);
}

bool TkTreeView::CustomDrawItem(fw::TTreeNode*, UINT itemState, COLORREF& textColor) {
  if (!(itemState & CDIS_SELECTED) || Focused() || GetHideSelection()) return false;
  textColor = GetSysColor(COLOR_BTNTEXT);
  return true;
}

}  // namespace skin
