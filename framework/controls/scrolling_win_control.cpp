#include "framework/controls/scrolling_win_control.h"

#include <algorithm>

#include "framework/controls/graphic_control.h"
#include "framework/msg/messages.h"

namespace fw {

int TControlScrollBar::GetRange() const {
  if (!FControl || !FControl->AutoRangeEnabled()) return FRange;
  const bool vertical = FKind == sbVertical;
  const TAlign nearSide = vertical ? alTop : alLeft, farSide = vertical ? alBottom : alRight;
  const TAnchorKind nearAnchor = vertical ? akTop : akLeft, farAnchor = vertical ? akBottom : akRight;
  int extent = 0, farAligned = 0;
  for (int i = 0; i < FControl->GetControlCount(); ++i) {
    const TControl* c = FControl->GetControls(i);
    if (!c->GetVisible()) continue;
    const int start = vertical ? c->GetTop() : c->GetLeft(), size = vertical ? c->GetHeight() : c->GetWidth();
    const TAnchors anchors = c->GetAnchors();
    // A child anchored to the far edge moves with the client: it sets no range.
    const bool pinnedNear = anchors.Contains(nearAnchor) && !anchors.Contains(farAnchor);
    if (c->GetAlign() == nearSide || (c->GetAlign() == alNone && pinnedNear))
      extent = std::max(extent, FPosition + start + size);
    else if (c->GetAlign() == farSide)
      farAligned += size;
  }
  return extent + farAligned + FMargin;
}

void TControlScrollBar::SetRange(int v) {
  FRange = v < 0 ? 0 : v;
  if (!FControl->AutoRangeEnabled()) Update();
}

int TControlScrollBar::ClientExtent() const {
  const TRect r = FControl->GetClientRect();
  return FKind == sbVertical ? r.Height() : r.Width();
}

void TControlScrollBar::SetVisible(bool v) {
  if (FVisible == v) return;
  FVisible = v;
  Update();
}

void TControlScrollBar::SetPosition(int v) {
  if (FVisible) v = std::min(v, GetRange() - ClientExtent());
  if (v < 0) v = 0;
  if (v == FPosition) return;
  const int delta = FPosition - v;
  FPosition = v;
  if (!FVisible || FControl->GetComponentState().Contains(csReading)) return;
  if (FKind == sbVertical)
    FControl->ScrollBy(0, delta);
  else
    FControl->ScrollBy(delta, 0);
  Update();
}

void TControlScrollBar::Update() {
  if (!FControl->HandleAllocated()) return;
  const int bar = FKind == sbVertical ? SB_VERT : SB_HORZ;
  const int range = GetRange();
  const bool show = FVisible && range > ClientExtent();
  if (!show) {
    // A bar that never showed is left alone: the window may have no scroll bars at all.
    if (!FShowing) return;
    FShowing = false;
    ShowScrollBar(FControl->GetHandleNoCreate(), bar, FALSE);
    if (FVisible) SetPosition(0);
    return;
  }
  FShowing = true;
  SCROLLINFO si{sizeof si, SIF_ALL, 0, range - 1, static_cast<UINT>(ClientExtent()), FPosition, 0};
  SetScrollInfo(FControl->GetHandleNoCreate(), bar, &si, TRUE);
  // The page may have changed with the other bar: keep the position within the range.
  if (FPosition > range - ClientExtent()) SetPosition(range - ClientExtent());
}

void TControlScrollBar::ScrollMessage(TMessage& msg) {
  const int page = ClientExtent();
  int pos = FPosition;
  switch (LOWORD(msg.WParam)) {
    case SB_LINEUP: pos -= FIncrement; break;
    case SB_LINEDOWN: pos += FIncrement; break;
    case SB_PAGEUP: pos -= page; break;
    case SB_PAGEDOWN: pos += page; break;
    case SB_THUMBTRACK:
      if (!FTracking) return;
      [[fallthrough]];
    case SB_THUMBPOSITION: {
      SCROLLINFO si{sizeof si, SIF_TRACKPOS, 0, 0, 0, 0, 0};
      GetScrollInfo(FControl->GetHandleNoCreate(), FKind == sbVertical ? SB_VERT : SB_HORZ, &si);
      pos = si.nTrackPos;
      break;
    }
    case SB_TOP: pos = 0; break;
    case SB_BOTTOM: pos = GetRange(); break;
    default: return;
  }
  SetPosition(pos);
}

void TScrollingWinControl::SetAutoScroll(bool v) {
  if (FAutoScroll == v) return;
  FAutoScroll = v;
  UpdateScrollBars();
}

void TScrollingWinControl::EnableAutoRange() {
  if (FAutoRangeCount == 0) return;
  if (--FAutoRangeCount == 0) UpdateScrollBars();
}

void TScrollingWinControl::UpdateScrollBars() {
  if (FUpdatingBars || !HandleAllocated()) return;
  FUpdatingBars = true;
  try {
    // Twice: a bar that appears narrows the page of the other.
    for (int pass = 0; pass < 2; ++pass) {
      FHorzScrollBar.Update();
      FVertScrollBar.Update();
    }
  } catch (...) {
    FUpdatingBars = false;
    throw;
  }
  FUpdatingBars = false;
}

void TScrollingWinControl::ScrollBy(int dx, int dy) {
  if (dx == 0 && dy == 0) return;
  if (!HandleAllocated()) {
    for (int i = 0; i < GetControlCount(); ++i) {
      TControl* c = GetControls(i);
      c->SetBounds(c->GetLeft() + dx, c->GetTop() + dy, c->GetWidth(), c->GetHeight());
    }
    return;
  }
  ScrollWindowEx(GetHandleNoCreate(), dx, dy, nullptr, nullptr, nullptr, nullptr,
                 SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
  for (int i = 0; i < GetControlCount(); ++i) {
    TControl* c = GetControls(i);
    if (auto* win = dynamic_cast<TWinControl*>(c); win && win->HandleAllocated())
      win->UpdateBounds();
    else
      c->SetBounds(c->GetLeft() + dx, c->GetTop() + dy, c->GetWidth(), c->GetHeight());
  }
}

void TScrollingWinControl::ScrollInView(TControl* control) {
  if (!control || !control->GetParent()) return;
  TRect r = control->GetClientRect();
  r.Left -= FHorzScrollBar.GetMargin();
  r.Right += FHorzScrollBar.GetMargin();
  r.Top -= FVertScrollBar.GetMargin();
  r.Bottom += FVertScrollBar.GetMargin();
  const TPoint topLeft = ScreenToClient(control->ClientToScreen(TPoint(r.Left, r.Top)));
  const TPoint bottomRight = ScreenToClient(control->ClientToScreen(TPoint(r.Right, r.Bottom)));
  r = TRect(topLeft.X, topLeft.Y, bottomRight.X, bottomRight.Y);
  const int width = GetClientWidth(), height = GetClientHeight();
  if (r.Left < 0) {
    FHorzScrollBar.SetPosition(FHorzScrollBar.GetPosition() + r.Left);
  } else if (r.Right > width) {
    if (r.Right - r.Left > width) r.Right = r.Left + width;
    FHorzScrollBar.SetPosition(FHorzScrollBar.GetPosition() + r.Right - width);
  }
  if (r.Top < 0) {
    FVertScrollBar.SetPosition(FVertScrollBar.GetPosition() + r.Top);
  } else if (r.Bottom > height) {
    if (r.Bottom - r.Top > height) r.Bottom = r.Top + height;
    FVertScrollBar.SetPosition(FVertScrollBar.GetPosition() + r.Bottom - height);
  }
}

void TScrollingWinControl::AdjustClientRect(TRect& rect) {
  TWinControl::AdjustClientRect(rect);
  const int left = rect.Left - FHorzScrollBar.GetPosition(), top = rect.Top - FVertScrollBar.GetPosition();
  rect = TRect(left, top, left + std::max(FHorzScrollBar.GetRange(), rect.Width()),
               top + std::max(FVertScrollBar.GetRange(), rect.Height()));
}

void TScrollingWinControl::AlignControls(TControl* control, TRect& rect) {
  TWinControl::AlignControls(control, rect);
  UpdateScrollBars();
}

void TScrollingWinControl::CreateWnd() {
  TWinControl::CreateWnd();
  UpdateScrollBars();
}

void TScrollingWinControl::Dispatch(TMessage& msg) {
  switch (msg.Msg) {
    case WM_HSCROLL:
    case WM_VSCROLL: {
      // From the window's own bar (a bar control's message names its window).
      TControlScrollBar& bar = msg.Msg == WM_VSCROLL ? FVertScrollBar : FHorzScrollBar;
      if (msg.LParam || !bar.IsShowing()) break;
      bar.ScrollMessage(msg);
      msg.Result = 0;
      return;
    }
    case CM_FOCUSCHANGED:
      TWinControl::Dispatch(msg);
      if (FAutoScroll && (FHorzScrollBar.IsShowing() || FVertScrollBar.IsShowing()))
        if (auto* focused = reinterpret_cast<TControl*>(msg.LParam); focused && focused != this) {
          for (TWinControl* p = focused->GetParent(); p; p = p->GetParent())
            if (p == this) {
              ScrollInView(focused);
              break;
            }
        }
      return;
    default:
      break;
  }
  TWinControl::Dispatch(msg);
}

}  // namespace fw
