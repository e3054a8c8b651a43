#include "skin/controls/scroll_box.h"

#include <algorithm>

#include "framework/controls/graphic_control.h"
#include "skin/engine/skin_manager.h"

namespace skin {

namespace {
constexpr int kScrollBoxCtrlType = 58;
}

TkScrollBox::TkScrollBox(fw::TComponent* owner)
    : TkSkinnedWinControl<fw::TScrollingWinControl>(owner, kScrollBoxCtrlType, true),
      FCanvas(std::make_unique<fw::TControlCanvas>(this)) {
  SetControlStyle(GetControlStyle() + fw::csAcceptsControls);
  SetAutoScroll(true);
  SetBounds(GetLeft(), GetTop(), 185, 41);
}

TkScrollBox::~TkScrollBox() = default;

void TkScrollBox::CreateParams(fw::TCreateParams& params) {
  TkSkinnedWinControl<fw::TScrollingWinControl>::CreateParams(params);
  // The framework's controls are always three-dimensional: a single border is a client edge.
  if (FBorderStyle == fw::bsSingle) params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TkScrollBox::SetBorderStyle(fw::TBorderStyle value) {
  if (FBorderStyle == value) return;
  FBorderStyle = value;
  if (HandleAllocated()) RecreateWnd();
}

bool TkScrollBox::SkinActive() const {
  TkSkinManager* manager = DefaultManager();
  return manager && manager->GetActive() && GetSkinData()->SkinIsActive();
}

fw::TRect TkScrollBox::GetClientRect() const {
  fw::TRect r = fw::TScrollingWinControl::GetClientRect();
  if (FVertBar && FVertBar->GetVisible()) r.Right -= FVertBar->GetWidth();
  if (FHorzBar && FHorzBar->GetVisible()) r.Bottom -= FHorzBar->GetHeight();
  return r;
}

void TkScrollBox::AdjustClientRect(fw::TRect& rect) {
  fw::TScrollingWinControl::AdjustClientRect(rect);
  const bool vert = FVertBar && FVertBar->GetVisible(), horz = FHorzBar && FHorzBar->GetVisible();
  if (horz) {
    rect.Left = -FHorzBar->GetPosition();
    rect.Right = std::max(GetHorzScrollBar()->GetRange(), GetClientWidth()) + rect.Left;
  }
  if (vert) {
    rect.Top = -FVertBar->GetPosition();
    rect.Bottom = std::max(GetVertScrollBar()->GetRange(), GetClientHeight()) + rect.Top;
  }
  if (vert) rect.Right -= FVertBar->GetWidth() + 1;
  if (horz) rect.Bottom -= FHorzBar->GetHeight() + 1;
}

// --- skin start ---

void TkScrollBox::InitSkin() {
  GetSkinData()->Loaded();
  if (!SkinActive()) return;
  HideNativeScrollBars();
  UpdateSkinScrollBars();
  FSkinInitialised = true;
}

void TkScrollBox::Loaded() {
  TkSkinnedWinControl<fw::TScrollingWinControl>::Loaded();
  if (FSkinInitialised) return;
  InitSkin();
  // A saved position goes to its bar only when that bar exists; else it waits.
  if (FSkinInitialised && FSavedVertPos != 0 && FVertBar) {
    FVertBar->SetPosition(FSavedVertPos);
    FSavedVertPos = 0;
    // A bar made while loading tells of no change: the content follows it here.
    if (const int old = GetVertScrollBar()->GetPosition(); old != FVertBar->GetPosition())
      ScrollChanged(fw::sbVertical, old);
  }
}

void TkScrollBox::SetParent(fw::TWinControl* parent) {
  TkSkinnedWinControl<fw::TScrollingWinControl>::SetParent(parent);
  if (parent && !FSkinInitialised && !GetComponentState().Contains(fw::csLoading)) InitSkin();
}

void TkScrollBox::HideNativeScrollBars() {
  if (Designing() || FNativeHidden) return;
  fw::TControlScrollBar* vert = GetVertScrollBar();
  fw::TControlScrollBar* horz = GetHorzScrollBar();
  FSavedVertPos = vert->GetPosition();
  FSavedHorzPos = horz->GetPosition();
  FSavedVertVisible = vert->GetVisible();
  FSavedHorzVisible = horz->GetVisible();
  // The content goes back to its origin: the skinned bars take the saved positions from there.
  vert->SetPosition(0);
  horz->SetPosition(0);
  vert->SetVisible(false);
  horz->SetVisible(false);
  FNativeHidden = true;
}

void TkScrollBox::HideSkinScrollBar(fw::TScrollBarKind kind) {
  TkScrollBar* bar = kind == fw::sbVertical ? FVertBar : FHorzBar;
  if (!bar) return;
  bar->SetPosition(bar->GetMin());
  bar->SetVisible(false);
}

// --- the skinned bars ---

TkBarInfo TkScrollBox::GetVertBarInfo() {
  TkBarInfo info;
  fw::TControlScrollBar* own = GetVertScrollBar();
  if (Designing() || !FSavedVertVisible) return info;
  info.Range = own->GetRange();
  if (FVertBar) own->SetPosition(FVertBar->GetPosition());
  info.Page = GetClientHeight();
  info.Max = info.Range - info.Page;
  info.Visible = info.Max >= 1 && info.Page >= 1;
  const int w = GetSystemMetrics(SM_CXVSCROLL), b = BorderSize();
  const int left = GetLeft(), top = GetTop();
  info.Bounds = fw::TRect(left + GetWidth() - w - b, top + b, left + GetWidth() - b, top + GetHeight() - b + 1);
  return info;
}

TkBarInfo TkScrollBox::GetHorzBarInfo() {
  TkBarInfo info;
  fw::TControlScrollBar* own = GetHorzScrollBar();
  if (Designing() || !FSavedHorzVisible) return info;
  info.Range = own->GetRange();
  if (FHorzBar) {
    own->SetPosition(FHorzBar->GetPosition());
    info.Range += FHorzBar->GetPosition();
  }
  info.Page = GetClientWidth();
  info.Max = info.Range - info.Page;
  info.Visible = info.Max >= 1 && info.Page >= 1;
  const int h = GetSystemMetrics(SM_CYHSCROLL), b = BorderSize();
  const int left = GetLeft(), top = GetTop();
  info.Bounds = fw::TRect(left + b, top + GetHeight() - h - b, left + GetWidth() - b + 1, top + GetHeight() - b);
  return info;
}

TkScrollBar* TkScrollBox::MakeBar(fw::TScrollBarKind kind) {
  auto* bar = fw::New<TkScrollBar>(this);
  bar->GetSkinData()->SetSkinManager(GetSkinData()->GetSkinManager());
  bar->SetVisible(false);
  bar->OnPosChange = [this, kind](fw::TObject*, int oldPosition) { ScrollChanged(kind, oldPosition); };
  bar->SetLinkedControl(this);
  bar->SetTabStop(false);
  bar->SetKind(kind);
  bar->SetParent(GetParent());
  fw::TControlScrollBar* own = kind == fw::sbVertical ? GetVertScrollBar() : GetHorzScrollBar();
  bar->SetSmooth(own->GetTracking() || own->GetSmooth());
  return bar;
}

void TkScrollBox::PlaceBar(TkScrollBar* bar, const TkBarInfo& info, int lessLength, fw::TControlScrollBar* own) {
  bar->SetDrawingForbidden(true);
  bar->SetParams(bar->GetPosition(), 0, info.Max);
  bar->SetSmallChange(own->GetIncrement());
  bar->SetPageSize(info.Page);
  bar->SetLargeChange(info.Page);
  const fw::TRect& r = info.Bounds;
  if (bar->GetKind() == fw::sbVertical)
    bar->SetBounds(r.Left, r.Top, r.Width(), r.Height() - lessLength);
  else
    bar->SetBounds(r.Left, r.Top, r.Width() - lessLength, r.Height());
  bar->SetVisible(true);
  bar->SetDrawingForbidden(false);
  ShowWindowNoActivate(bar);
}

void TkScrollBox::UpdateSkinScrollBars() {
  if (GetComponentState().Contains(fw::csDestroying) || Designing()) return;
  DisableAutoRange();
  EnableAutoRange();
  // The bars take room from the client: their need is measured once without them, once with.
  TkBarInfo vert = GetVertBarInfo(), horz = GetHorzBarInfo();
  if (!SkinActive() || !GetVisible()) {
    HideSkinScrollBar(fw::sbVertical);
    HideSkinScrollBar(fw::sbHorizontal);
    return;
  }
  if (!vert.Visible) HideSkinScrollBar(fw::sbVertical);
  if (!horz.Visible) HideSkinScrollBar(fw::sbHorizontal);
  if (vert.Visible) {
    if (!FVertBar) FVertBar = MakeBar(fw::sbVertical);
    PlaceBar(FVertBar, vert, horz.Visible ? horz.Bounds.Height() : 0, GetVertScrollBar());
  }
  if (horz.Visible) {
    if (!FHorzBar) FHorzBar = MakeBar(fw::sbHorizontal);
    PlaceBar(FHorzBar, horz, vert.Visible ? vert.Bounds.Width() : 0, GetHorzScrollBar());
  }
  // With a bar shown the page is smaller: feed the bars again with the new client.
  if (vert.Visible || horz.Visible) {
    const TkBarInfo v2 = GetVertBarInfo(), h2 = GetHorzBarInfo();
    if (vert.Visible && v2.Max != vert.Max && v2.Max >= 1) PlaceBar(FVertBar, v2, h2.Visible ? h2.Bounds.Height() : 0, GetVertScrollBar());
    if (horz.Visible && h2.Max != horz.Max && h2.Max >= 1) PlaceBar(FHorzBar, h2, v2.Visible ? v2.Bounds.Width() : 0, GetHorzScrollBar());
  }
}

void TkScrollBox::ScrollChanged(fw::TScrollBarKind kind, int oldPosition) {
  const bool vertical = kind == fw::sbVertical;
  TkScrollBar* bar = vertical ? FVertBar : FHorzBar;
  if (!bar || (vertical && FScrolling)) return;
  const int delta = oldPosition - bar->GetPosition();
  if (delta == 0) return;
  fw::TControlScrollBar* own = vertical ? GetVertScrollBar() : GetHorzScrollBar();
  if (!HandleAllocated()) {
    // Before the window exists (a box being loaded) the children only move.
    ScrollBy(vertical ? 0 : delta, vertical ? delta : 0);
    own->SetPosition(bar->GetPosition());
    return;
  }
  FScrolling = true;
  if (OnBeforeScroll) OnBeforeScroll(this);
  HWND wnd = GetHandle();
  // Redraw stays on: Wine takes a window whose redraw is off for hidden and scrolls nothing of it.
  bar->SetDrawingForbidden(true);
  RECT clip = {0, 0, GetWidth(), GetHeight()};
  if (!FFullRepaint && GetSkinData()->NeedsParentBackground()) clip = RECT{-1, -1, 0, 0};
  fw::TMessage updating{SM_SKINCMD, SkinCmdWParam(cmdSetUpdating, 1), 0, 0};
  Broadcast(updating);
  ScrollWindowEx(wnd, vertical ? 0 : delta, vertical ? delta : 0, nullptr, &clip, nullptr, &clip,
                 SW_SCROLLCHILDREN | SW_INVALIDATE);
  for (int i = 0; i < GetControlCount(); ++i) {
    fw::TControl* child = GetControls(i);
    if (auto* win = dynamic_cast<fw::TWinControl*>(child); win && win->HandleAllocated()) {
      // The window moved: its bounds follow it.
      win->Perform(WM_WINDOWPOSCHANGED, 0, 0);
    } else if (vertical) {
      child->SetTop(child->GetTop() + delta);
    } else {
      child->SetLeft(child->GetLeft() + delta);
    }
  }
  own->SetPosition(bar->GetPosition());
  bar->SetDrawingForbidden(false);
  fw::TMessage done{SM_SKINCMD, SkinCmdWParam(cmdSetUpdating, 0), 0, 0};
  Broadcast(done);
  SendMessageA(wnd, SM_SKINCMD, SkinCmdWParam(cmdBackgroundChanged, 1), 0);
  FScrolling = false;
  RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_NOERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
  if (OnAfterScroll) OnAfterScroll(this);
}

void TkScrollBox::SkinScrollInView(fw::TControl* control) {
  if (!control) return;
  fw::TRect r = control->GetClientRect();
  r.Left -= GetHorzScrollBar()->GetMargin();
  r.Right += GetHorzScrollBar()->GetMargin();
  r.Top -= GetVertScrollBar()->GetMargin();
  r.Bottom += GetVertScrollBar()->GetMargin();
  const fw::TPoint a = ScreenToClient(control->ClientToScreen(fw::TPoint(r.Left, r.Top)));
  const fw::TPoint z = ScreenToClient(control->ClientToScreen(fw::TPoint(r.Right, r.Bottom)));
  r = fw::TRect(a.X, a.Y, z.X, z.Y);
  const int width = GetClientWidth(), height = GetClientHeight();
  if (FHorzBar) {
    if (r.Left < 0) {
      FHorzBar->SetPosition(FHorzBar->GetPosition() + r.Left);
    } else if (r.Right > width) {
      if (r.Width() > width) r.Right = r.Left + width;
      FHorzBar->SetPosition(FHorzBar->GetPosition() + r.Right - width);
    }
  }
  if (FVertBar) {
    if (r.Top < 0) {
      FVertBar->SetPosition(FVertBar->GetPosition() + r.Top);
    } else if (r.Bottom > height) {
      if (r.Height() > height) r.Bottom = r.Top + height;
      FVertBar->SetPosition(FVertBar->GetPosition() + r.Bottom - height);
    }
  }
}

// --- cache and painting ---

void TkScrollBox::UpdateCache() {
  if (FSavedHorzPos != 0 && FHorzBar) {
    FHorzBar->SetPosition(FSavedHorzPos);
    FSavedHorzPos = 0;
  }
  TkCommonData* d = GetSkinData();
  if (d->BGChanged && !d->Cmd9Flag) PaintCache();
}

void TkScrollBox::CachePainted() {
  if (OnPaint) OnPaint(GetSkinData()->CacheBmp.get());
  for (TkScrollBar* bar : {FVertBar, FHorzBar})
    if (bar && bar->GetVisible()) bar->Invalidate();
}

void TkScrollBox::PaintSkinned(fw::TMessage& m) {
  TkCommonData* d = GetSkinData();
  PAINTSTRUCT ps{};
  HWND wnd = GetHandle();
  HDC dc = m.WParam ? reinterpret_cast<HDC>(m.WParam) : BeginPaint(wnd, &ps);
  d->Updating = d->GetUpdating();
  if (ControlIsReady(this) && !d->Updating && !FScrolling) {
    UpdateCache();
    PaintSkinBordersAll(d, 0);
    FCanvas->SetHandle(dc);
    const int b = BorderSize();
    CopyWinControlCache(this, d, fw::TRect(b, b, 0, 0), fw::TRect(0, 0, GetWidth(), GetHeight()), dc, false);
    PaintGraphicChildren(dc, this);
    SendCmdToChildWindows(this);
    FCanvas->SetHandle(nullptr);
  }
  if (!m.WParam) EndPaint(wnd, &ps);
  m.Result = 0;
}

void TkScrollBox::PaintBorderStrips(HDC dc) {
  TkCommonData* d = GetSkinData();
  if (d->BGChanged) PaintCache();
  PaintSkinBordersAll(d, 0);
  HDC cache = d->CacheBmp->GetCanvas()->GetHandle();
  const int b = BorderSize(), w = GetWidth(), h = GetHeight();
  if (b > 0) {
    BitBlt(dc, 0, 0, b, h, cache, 0, 0, SRCCOPY);
    BitBlt(dc, b, 0, w - b, b, cache, b, 0, SRCCOPY);
    BitBlt(dc, b, h - b, w - b, b, cache, b, h - b, SRCCOPY);
    BitBlt(dc, w - b, b, b, h - 2 * b, cache, w - b, b, SRCCOPY);
  }
  if (FVertBar && FHorzBar && FVertBar->GetVisible() && FHorzBar->GetVisible()) {
    const int x = w - b - FVertBar->GetWidth(), y = h - b - FHorzBar->GetHeight();
    BitBlt(dc, x, y, FVertBar->GetWidth(), FHorzBar->GetHeight(), cache, x, y, SRCCOPY);
  }
}

// --- messages ---

void TkScrollBox::OwnSkinCommand(int command) {
  switch (command) {
    case cmdNewSkin:
      if (!GetComponentState().Contains(fw::csLoading)) HideNativeScrollBars();
      break;
    case cmdRemoveSkin:
      if (GetComponentState().Contains(fw::csDestroying)) break;
      GetSkinData()->SkinIndex = -1;
      if (Designing() || GetComponentState().Contains(fw::csLoading)) break;
      for (TkScrollBar** bar : {&FVertBar, &FHorzBar})
        if (TkScrollBar* gone = *bar) {
          *bar = nullptr;
          gone->Free();
        }
      {
        // The content goes back to its origin with the bars.
        const int dx = GetHorzScrollBar()->GetPosition(), dy = GetVertScrollBar()->GetPosition();
        GetHorzScrollBar()->SetPosition(0);
        GetVertScrollBar()->SetPosition(0);
        ScrollBy(dx, dy);
      }
      GetVertScrollBar()->SetVisible(FSavedVertVisible);
      GetHorzScrollBar()->SetVisible(FSavedHorzVisible);
      FNativeHidden = false;
      FSkinInitialised = false;
      Invalidate();
      break;
    case cmdRefresh:
      if (HandleAllocated()) RedrawWindow(GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME);
      if (!Designing()) UpdateSkinScrollBars();
      break;
    default:
      break;
  }
}

void TkScrollBox::ScrollMessage(fw::TMessage& m) {
  const bool vertical = m.Msg == WM_VSCROLL;
  TkScrollBar* bar = vertical ? FVertBar : FHorzBar;
  const int code = LOWORD(m.WParam);
  const bool thumb = code == SB_THUMBPOSITION || code == SB_THUMBTRACK;
  if (!bar) {
    if (!vertical) TkSkinnedWinControl<fw::TScrollingWinControl>::WndProc(m);
    return;
  }
  if (vertical && bar->GetVisible()) {
    bar->DoScrollMessage(m);
    UpdateSkinScrollBars();
  } else if (thumb) {
    bar->SetPosition(static_cast<short>(HIWORD(m.WParam)));
  } else if (!vertical) {
    TkSkinnedWinControl<fw::TScrollingWinControl>::WndProc(m);
  }
}

bool TkScrollBox::SkinnedMessage(fw::TMessage& m) {
  TkCommonData* d = GetSkinData();
  switch (m.Msg) {
    case WM_PAINT:
      PaintSkinned(m);
      return true;
    case WM_NCPAINT:
    case WM_PRINT: {
      if (!HandleAllocated()) return true;
      HDC dc = m.Msg == WM_PRINT && m.WParam ? reinterpret_cast<HDC>(m.WParam) : GetWindowDC(GetHandle());
      PaintBorderStrips(dc);
      if (dc != reinterpret_cast<HDC>(m.WParam)) ReleaseDC(GetHandle(), dc);
      m.Result = 0;
      return true;
    }
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (m.LParam) return false;
      ScrollMessage(m);
      return true;
    case WM_NCHITTEST:
      m.Result = DefWindowProcA(GetHandle(), m.Msg, m.WParam, m.LParam);
      return true;
    case WM_PARENTNOTIFY: {
      const UINT event = LOWORD(m.WParam);
      if (event == WM_CREATE || event == WM_DESTROY) {
        char name[32] = {};
        GetClassNameA(reinterpret_cast<HWND>(m.LParam), name, sizeof name);
        if (std::string(name) != "TkIntScrollBar") UpdateSkinScrollBars();
      }
      return false;
    }
    case fw::CM_VISIBLECHANGED:
      d->BGChanged = true;
      fw::TScrollingWinControl::WndProc(m);
      if (!FScrolling) UpdateSkinScrollBars();
      return true;
    case fw::CM_FOCUSCHANGED: {
      fw::TScrollingWinControl::WndProc(m);
      auto* focused = reinterpret_cast<fw::TControl*>(m.LParam);
      if (!focused || focused == this) return true;
      bool inside = false;
      for (fw::TWinControl* p = focused->GetParent(); p && !inside; p = p->GetParent()) inside = p == this;
      if (!inside) return true;
      const fw::TPoint a = focused->ClientToScreen(fw::TPoint(0, 0));
      const fw::TPoint z = focused->ClientToScreen(fw::TPoint(focused->GetWidth(), focused->GetHeight()));
      const fw::TPoint o = ClientToScreen(fw::TPoint(0, 0));
      auto within = [&](fw::TPoint p) {
        return p.X >= o.X && p.Y >= o.Y && p.X <= o.X + GetWidth() + 1 && p.Y <= o.Y + GetHeight() + 1;
      };
      if (!within(a) || !within(z)) SkinScrollInView(focused);
      return true;
    }
    case fw::CM_ENTER:
    case fw::CM_EXIT:
      d->BeginUpdate();
      fw::TScrollingWinControl::WndProc(m);
      d->EndUpdate();
      return true;
    default:
      break;
  }
  if (m.Msg == SM_SKINCMD) {
    switch (SkinCmdOf(m.WParam)) {
      case cmdParentPainted:
        d->Updating = false;
        if (HandleAllocated())
          RedrawWindow(GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_UPDATENOW | RDW_FRAME);
        return true;
      case cmdGetParentBg:
        ParentBgAnswer.Bmp = d->CacheBmp.get();
        ParentBgAnswer.X = BorderSize();
        ParentBgAnswer.Y = BorderSize();
        ParentBgAnswer.Ready = d->CacheBmp != nullptr;
        return true;
      case cmdIsUpdating:
        m.LParam = d->BGChanged || d->Updating ? 1 : 0;
        return true;
      default:
        break;
    }
  }
  return TkSkinnedWinControl<fw::TScrollingWinControl>::SkinnedMessage(m);
}

void TkScrollBox::WndProc(fw::TMessage& m) {
  TkSkinnedWinControl<fw::TScrollingWinControl>::WndProc(m);
  if (!FSkinInitialised || !SkinActive()) return;
  if (m.Msg == WM_SIZE && GetVisible()) {
    GetSkinData()->Updating = false;
    if (HandleAllocated()) SendMessageA(GetHandle(), WM_NCPAINT, 1, 0);
    if (!FScrolling) UpdateSkinScrollBars();
  } else if (m.Msg == fw::CM_CONTROLLISTCHANGE && !GetSkinData()->Updating) {
    UpdateSkinScrollBars();
  }
}

}  // namespace skin
