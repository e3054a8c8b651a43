#include "skin/controls/panel.h"

#include "framework/controls/control_canvas.h"
#include "skin/engine/glyphs_text.h"

namespace skin {

namespace {

constexpr int kPanelCtrlType = 51;

// The point lies outside the parent's client rectangle.
bool OutsideParent(const fw::TControl* control, int x, int y) {
  const fw::TRect client = control->GetParent()->GetClientRect();
  return x < client.Left || y < client.Top || x >= client.Right || y >= client.Bottom;
}

}  // namespace

TkPanel::TkPanel(fw::TComponent* owner) : TkSkinned(owner, kPanelCtrlType, true) {
  FControlStyle.Include(fw::csOpaque);
}

void TkPanel::WndProc(fw::TMessage& m) {
  TkCommonData* d = GetSkinData();
  if (m.Msg == SM_SKINCMD) {
    const bool own = m.LParam == reinterpret_cast<LPARAM>(d->GetSkinManager());
    switch (SkinCmdOf(m.WParam)) {
      case cmdNewSkin:
        BroadcastToChildControls(this, m);
        if (own) CommonMessage(m, d);
        return;
      case cmdRemoveSkin:
        if (own) {
          CommonMessage(m, d);
          Invalidate();
        }
        BroadcastToChildControls(this, m);
        return;
      case cmdRefresh:
        // The children hear a refresh from any manager.
        if (own) CommonMessage(m, d);
        BroadcastToChildControls(this, m);
        if (own && ControlShown(this)) Repaint();
        return;
      default:
        break;
    }
  }
  const bool skinned = ControlIsReady(this) && d->SkinIsActive();
  // Unskinned, a panel painted by OnPaint is not erased first.
  if (!(m.Msg == WM_ERASEBKGND && !skinned && OnPaint)) TkSkinned::WndProc(m);
  if (m.Msg == fw::CM_MOUSEENTER && OnMouseEnter) OnMouseEnter(this);
  if (m.Msg == fw::CM_MOUSELEAVE && OnMouseLeave) OnMouseLeave(this);
}

bool TkPanel::SkinnedMessage(fw::TMessage& m) {
  TkCommonData* d = GetSkinData();
  switch (m.Msg) {
    case fw::CM_VISIBLECHANGED:
      d->BGChanged = true;
      d->Updating = false;
      Repaint();
      fw::TPanel::WndProc(m);
      return true;
    case fw::CM_TEXTCHANGED:
      if (GetParent()) d->RepaintOwner();
      return true;
    case WM_ERASEBKGND:
      return true;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      fw::TPanel::WndProc(m);
      return true;
    case WM_PAINT: {
      if (!GetVisible() && !GetComponentState().Contains(fw::csDesigning)) {
        fw::TPanel::WndProc(m);
        return true;
      }
      PAINTSTRUCT ps{};
      HDC dc = reinterpret_cast<HDC>(m.WParam);
      if (!dc) dc = BeginPaint(GetHandle(), &ps);
      const int saved = SaveDC(dc);
      {
        fw::TCanvasLoan loan(static_cast<fw::TControlCanvas*>(GetCanvas()), dc);
        PaintAll(dc);
      }
      RestoreDC(dc, saved);
      if (!m.WParam) EndPaint(GetHandle(), &ps);
      return true;
    }
    default:
      break;
  }
  if (m.Msg == SM_SKINCMD) {
    switch (SkinCmdOf(m.WParam)) {
      case cmdParentPainted:
        d->Updating = false;
        Repaint();
        break;
      case cmdSetCmd9Flag:
        CommonMessage(m, d);
        if (d->Cmd9Flag) RebuildCache(false);
        break;
      case cmdGetParentBg:
        // A child repainting before this panel (a refresh reaches the children first) gets the
        // face of the skin in use, not the one the cache still holds; a panel behind it that is
        // as stale answers the same way while this one rebuilds.
        if (d->BGChanged && !d->Cmd9Flag && !d->Updating && d->SkinIsActive()) RebuildCache(true);
        CommonWndProc(m, d);
        break;
      default:
        CommonWndProc(m, d);
        break;
    }
    return true;
  }
  CommonMessage(m, d);
  fw::TPanel::WndProc(m);
  if (m.Msg == WM_SETFONT && !GetCaption().empty()) {
    d->BGChanged = true;
    Repaint();
  }
  return true;
}

void TkPanel::PaintAll(HDC dc) {
  TkCommonData* d = GetSkinData();
  if (GetComponentState().Contains(fw::csDestroying) || !d->SkinIsActive()) return;
  if (GetParent() && GetParent()->GetControlState().Contains(fw::csCreating)) return;
  d->Updating = d->GetUpdating();
  if (d->Updating) return;
  const bool changed = d->BGChanged || d->HalfVisible;
  const bool outside = GetParent() && d->NeedsParentBackground() &&
                       (OutsideParent(this, GetLeft() + 1, GetTop() + 1) ||
                        OutsideParent(this, GetLeft() + GetWidth() - 1, GetTop() + GetHeight() - 1));
  if (changed && !d->Cmd9Flag) RebuildCache(true);
  d->HalfVisible = outside;
  if (!dc) dc = GetCanvas()->GetHandle();
  CopyWinControlCache(this, d, fw::TRect(), GetClientRect(), dc, false);
  PaintGraphicChildren(dc, this);
  SendCmdToChildWindows(this);
}

void TkPanel::RebuildCache(bool withOnPaint) {
  PaintCache();
  if (withOnPaint && OnPaint) OnPaint(this, GetSkinData()->CacheBmp->GetCanvas());
}

void TkPanel::PaintContent() {
  fw::TCanvas* canvas = GetSkinData()->CacheBmp->GetCanvas();
  canvas->GetFont()->Assign(GetFont());
  canvas->GetBrush()->SetStyle(fw::bsClear);
  const int t = canvas->TextHeight("W");
  fw::TRect r = GetClientRect();
  r.Top = (r.Top + r.Bottom - t) / 2;
  r.Bottom = r.Top + t;
  WriteSkinText(canvas, GetCaption(), GetEnabled(), 0, GetSkinData(),
                TextFlagsForAlignment(this, GetAlignment()) | DT_NOPREFIX, r);
}

void TkPanel::Paint() {
  fw::TPanel::Paint();
  if (OnPaint) OnPaint(this, GetCanvas());
}

void TkPanel::PaintWindow(HDC dc) {
  fw::TPanel::PaintWindow(dc);
  PaintAll(dc);
}

}  // namespace skin
