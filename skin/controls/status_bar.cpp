#include "skin/controls/status_bar.h"

#include "framework/forms/custom_form.h"
#include "skin/engine/glyphs_text.h"
#include "skin/engine/mask_paint.h"
#include "skin/engine/section_paint.h"
#include "skin/engine/skin_manager.h"

namespace skin {

namespace {

constexpr int kStatusBarCtrlType = 151;
// The status-bar messages after which the cache is rebuilt.
constexpr UINT kSbSetText = WM_USER + 1, kSbSimple = WM_USER + 9, kSbGetRect = WM_USER + 10;

// The frame of the grip as it is drawn: its rectangle divided by ImageCount across and by
// MaskType + 1 down (a one-frame grip of its own picture keeps its whole width).
fw::TSize GripFrameSize(const TkMaskData& mask) {
  return fw::TSize{mask.R.Width() / mask.ImageCount, mask.R.Height() / (mask.MaskType + 1)};
}

}  // namespace

TkStatusBar::TkStatusBar(fw::TComponent* owner) : TkSkinned(owner, kStatusBarCtrlType, true) {
  FControlStyle.Include(fw::csAcceptsControls);
  FControlStyle.Include(fw::csOpaque);
}

int TkStatusBar::ValidMask(int skinIndex, const std::string& section, const std::string& property) const {
  TkSkinManager* manager = GetSkinData()->GetSkinManager();
  if (!manager || skinIndex < 0) return -1;
  const int index = manager->GetMaskIndex(skinIndex, section, property);
  if (index < 0 || manager->GetMasks()[index].ImageCount < 1) return -1;
  return index;
}

int TkStatusBar::GripMask() const {
  TkSkinManager* manager = GetSkinData()->GetSkinManager();
  if (!manager) return -1;
  const int global = ValidMask(manager->GetSkinIndex("GLOBALINFO"), "GLOBALINFO", "GRIPIMAGE");
  return global >= 0 ? global : ValidMask(manager->GetSkinIndex("FORM"), "FORM", "GRIPIMAGE");
}

fw::TRect TkStatusBar::StatusPanelRect(int index) const {
  fw::TStatusPanels* panels = GetPanels();
  int left = 0;
  for (int i = 0; i < index; ++i) left += panels->GetItems(i)->GetWidth() + 1;
  const int right = index == panels->GetCount() - 1 ? GetWidth() : left + panels->GetItems(index)->GetWidth() + 1;
  return fw::TRect(left, 0, right, GetHeight());
}

fw::TPoint TkStatusBar::StatusGripPos() const {
  const int grip = GripMask();
  if (grip < 0) return fw::TPoint(GetWidth() - GetBorderWidth(), GetHeight() - GetBorderWidth());
  const fw::TSize frame = GripFrameSize(GetSkinData()->GetSkinManager()->GetMasks()[grip]);
  return fw::TPoint(GetWidth() - frame.cx - GetBorderWidth(), GetHeight() - frame.cy - GetBorderWidth());
}

void TkStatusBar::PaintContent() {
  if (GetSimplePanel()) {
    PaintStatusPanelItem(nullptr, GetSimpleText(), fw::TRect(0, 1, GetWidth() - 1, GetHeight() - 1), false);
  } else {
    fw::TStatusPanels* panels = GetPanels();
    for (int i = 0; i < panels->GetCount(); ++i) {
      fw::TRect r = StatusPanelRect(i);
      fw::TStatusPanel* panel = panels->GetItems(i);
      // The program paints an owner-drawn panel into the cache itself.
      if (panel->GetStyle() == fw::psOwnerDraw && OnDrawPanel) {
        DrawPanelOn(GetSkinData()->CacheBmp->GetCanvas()->GetHandle(), panel, r);
        continue;
      }
      InflateRect(fw::AsRECT(r), -1, -1);
      PaintStatusPanelItem(panel, panel->GetText(), r, i == panels->GetCount() - 1);
    }
  }
  if (ShowsGrip()) PaintStatusGrip();
}

bool TkStatusBar::ShowsGrip() const {
  if (!GetSizeGrip()) return false;
  const fw::TCustomForm* form = fw::GetParentForm(this);
  return !form || !form->HandleAllocated() || !IsZoomed(form->GetHandleNoCreate());
}

void TkStatusBar::PaintStatusPanelItem(const fw::TStatusPanel* panel, const std::string& text, fw::TRect r,
                                       bool last) {
  TkCommonData* d = GetSkinData();
  TkSkinManager* manager = d->GetSkinManager();
  fw::TBitmap* cache = d->CacheBmp.get();
  const int panelMask = ValidMask(d->SkinIndex, d->GetSkinSection(), "STATUSPANELMASK");
  if (panelMask >= 0) {
    const fw::TRect maskRect = panel ? r : fw::TRect(0, 0, GetWidth(), GetHeight());
    TkBgRef none;
    DrawSkinRect(cache, maskRect, true, none, manager->GetMasks()[panelMask], 0, true);
  } else if (panel && !last) {
    const int divider = manager->GetSkinIndex("DIVIDER");
    const int dividerMask = ValidMask(divider, "DIVIDER", "BORDERSMASK");
    if (manager->IsValidSkinIndex(divider) && dividerMask >= 0) {
      const int w = manager->GetMaskFrameSize(dividerMask).cx;
      const int h = GetHeight() - 2;
      if (w > 0 && h > 0) {
        auto piece = CreateBitmap24(w, h);
        BitBlt(piece->GetCanvas()->GetHandle(), 0, 0, w, h, cache->GetCanvas()->GetHandle(), r.Right - w, r.Top,
               SRCCOPY);
        ParentBgColor = QueriedColor = fw::clFuchsia;
        TkBgRef bg;
        SetBgRefValues(cache, 0, 0, bg);
        PaintBordersMask(divider, "DIVIDER", bg, -1, -1, manager, piece.get(), fw::Point(r.Right - w, r.Top),
                         fw::TRect(0, 0, w, h), 0, true);
        BitBlt(cache->GetCanvas()->GetHandle(), r.Right - w, 1, w, h, piece->GetCanvas()->GetHandle(), 0, 0,
               SRCCOPY);
      }
    }
  }
  fw::TRect t = r;
  InflateRect(fw::AsRECT(t), -1, -1);
  t.Left += 2;
  t.Right -= 4;
  t.Bottom -= 1;
  fw::TCanvas* canvas = cache->GetCanvas();
  canvas->GetFont()->Assign(GetFont());
  canvas->GetBrush()->SetStyle(fw::bsClear);
  std::string shown;
  CutTextToWidth(canvas, text, t.Width(), shown);
  const unsigned flags = panel ? TextFlagsForAlignment(this, panel->GetAlignment()) : TextFlagsForAlignment(this, fw::taLeftJustify);
  WriteSkinText(canvas, shown, true, d->CanPaint() ? 1 : 0, d, flags | DT_SINGLELINE | DT_NOPREFIX, t);
}

void TkStatusBar::PaintStatusGrip() {
  const int grip = GripMask();
  if (grip < 0) return;
  DrawMaskGlyphFrame(GetSkinData()->CacheBmp.get(), StatusGripPos(), 0,
                     GetSkinData()->GetSkinManager()->GetMasks()[grip], 1);
}

void TkStatusBar::PrepareStatusCache() {
  TkCommonData* d = GetSkinData();
  fw::TWinControl* parent = GetParent();
  const bool changed = d->BGChanged || d->HalfVisible || !d->CacheBmp || d->CacheBmp->GetWidth() != GetWidth() ||
                       (parent && ControlAnswersCmd(parent, cmdIsPartlyHidden));
  if (changed && !d->Cmd9Flag) PaintCache();
  d->HalfVisible = PartlyOutside(this);
}

void TkStatusBar::SkinnedPaint(HDC dc) {
  TkCommonData* d = GetSkinData();
  const int saved = SaveDC(dc);
  d->Updating = d->GetUpdating();
  if (!d->Updating) {
    PrepareStatusCache();
    const int b = GetBorderWidth();
    CopyWinControlCache(this, d, fw::TRect(b, b, 0, 0), GetClientRect(), dc, false);
    PaintGraphicChildren(dc, this);
    SendCmdToChildWindows(this);
    d->BGChanged = false;
  }
  RestoreDC(dc, saved);
}

void TkStatusBar::PaintStatusFrame() {
  TkCommonData* d = GetSkinData();
  const int b = GetBorderWidth();
  d->Updating = d->GetUpdating();
  if (d->Updating) return;
  PrepareStatusCache();
  HDC dc = GetWindowDC(GetHandle());
  HDC src = d->CacheBmp->GetCanvas()->GetHandle();
  const int w = GetWidth(), h = GetHeight();
  BitBlt(dc, 0, 0, w, b, src, 0, 0, SRCCOPY);
  BitBlt(dc, 0, b, b, h - 2 * b, src, 0, b, SRCCOPY);
  BitBlt(dc, w - b, b, b, h - 2 * b, src, w - b, b, SRCCOPY);
  BitBlt(dc, 0, h - b, w, b, src, 0, h - b, SRCCOPY);
  ReleaseDC(GetHandle(), dc);
}

void TkStatusBar::TakeFaceColour() {
  TkCommonData* d = GetSkinData();
  if (d->GetCustomColor()) return;
  const TkGeneralData* section = d->SkinIsActive() ? d->Section() : nullptr;
  SetColor(section ? section->Color : fw::clBtnFace);
}

void TkStatusBar::Loaded() {
  TkSkinned::Loaded();
  TakeFaceColour();
}

void TkStatusBar::OwnSkinCommand(int command) {
  // A new skin is not announced yet: its colour comes with the refresh after it, so the bar's
  // children (the search animation makes its window again for a colour) see one change.
  if (command != cmdNewSkin) TakeFaceColour();
  // Without the skin the native bar starts afresh (its children with it).
  if (command == cmdRemoveSkin) RecreateWnd();
  if (HandleAllocated())
    RedrawWindow(GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
}

void TkStatusBar::PaintWindow(HDC dc) {
  fw::TStatusBar::PaintWindow(dc);
  if (ControlIsReady(this) && GetSkinData()->SkinIsActive()) SkinnedPaint(dc);
}

bool TkStatusBar::SkinnedMessage(fw::TMessage& m) {
  TkCommonData* d = GetSkinData();
  switch (m.Msg) {
    case WM_NCPAINT:
      if (GetBorderWidth() > 0 && (GetVisible() || GetComponentState().Contains(fw::csDesigning)))
        PaintStatusFrame();
      return true;
    case WM_PRINT:
      Perform(WM_PAINT, m.WParam, m.LParam);
      Perform(WM_NCPAINT, m.WParam, m.LParam);
      return true;
    case WM_ERASEBKGND:
      return true;
    case WM_MOVE:
      if (const TkGeneralData* s = d->Section(); s && (s->Transparency >= 1 || s->HotTransparency >= 1))
        d->BGChanged = true;
      break;
    case WM_PAINT: {
      HDC dc = reinterpret_cast<HDC>(m.WParam);
      PAINTSTRUCT ps{};
      if (!dc) dc = BeginPaint(GetHandle(), &ps);
      SkinnedPaint(dc);
      if (!m.WParam) EndPaint(GetHandle(), &ps);
      return true;
    }
    default:
      break;
  }
  if (m.Msg == SM_SKINCMD) {
    if (SkinCmdOf(m.WParam) != cmdParentPainted) return TkSkinned::SkinnedMessage(m);
    if (d->Updating) {
      d->Updating = false;
      OwnSkinCommand(cmdRefresh);
    }
    return true;
  }
  CommonMessage(m, d);
  fw::TStatusBar::WndProc(m);
  if (m.Msg == WM_SIZE) {
    // The grip, the last panel's edge and the texts move with the size: the whole bar shows the
    // rebuilt cache, not only the part the size uncovered.
    Invalidate();
    if (GetVisible() && GetBorderWidth() > 0) Perform(WM_NCPAINT, 1, 0);
  }
  if (m.Msg == kSbSetText || m.Msg == kSbSimple || m.Msg == kSbGetRect) d->BGChanged = true;
  // The whole bar shows the rebuilt cache (the native bar may leave a changed text unpainted).
  if (m.Msg == kSbSetText || m.Msg == kSbSimple) Invalidate();

  return true;
}

}  // namespace skin
