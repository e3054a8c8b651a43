#include "skin/controls/group_box.h"

#include <algorithm>

#include "framework/controls/control_canvas.h"
#include "skin/engine/glyphs_text.h"
#include "skin/engine/section_paint.h"
#include "skin/engine/skin_manager.h"

namespace skin {

namespace {

constexpr int kGroupBoxCtrlType = 74;
// The framework's bevel width, by which a too narrow caption plate is widened on both sides.
constexpr int kBevelWidth = 1;
// The sides PaintSkinBorders repaints below the caption line: the two bottom corners.
constexpr unsigned char kGroupSides = kCornerBottomLeft | kCornerBottomRight;

}  // namespace

TkGroupBox::TkGroupBox(fw::TComponent* owner) : TkSkinned(owner, kGroupBoxCtrlType, true) {
  FControlStyle.Exclude(fw::csOpaque);
}

void TkGroupBox::Changed() {
  GetSkinData()->BGChanged = true;
  Invalidate();
}

void TkGroupBox::SetCaptionLayout(TkCaptionLayout value) {
  FCaptionLayout = value;
  if (!GetCaption().empty()) Changed();
}

void TkGroupBox::SetCaptionYOffset(int value) {
  FCaptionYOffset = value;
  Realign();
  Changed();
}

void TkGroupBox::SetCaptionSkin(const std::string& value) {
  FCaptionSkin = value;
  Changed();
}

int TkGroupBox::GroupCaptionHeight() const {
  fw::TCanvas* canvas = GetSkinData()->CacheBmp->GetCanvas();
  canvas->GetFont()->Assign(GetFont());
  return std::max(4, canvas->TextHeight("W")) + 2;
}

fw::TRect TkGroupBox::GroupCaptionRect() const {
  fw::TRect r;
  r.Top = 0;
  if (GetSkinData()->SkinIsActive()) {
    r.Bottom = GroupCaptionHeight() + FCaptionYOffset;
    if (FCaptionYOffset < 0) r.Top += FCaptionYOffset;
  } else {
    r.Bottom = GroupCaptionHeight();
  }
  const int textWidth = GetSkinData()->CacheBmp->GetCanvas()->TextWidth(GetCaption());
  switch (FCaptionLayout) {
    case clTopLeft: r.Left = 6; break;
    case clTopCenter: r.Left = (GetWidth() - textWidth - 10) / 2; break;
    case clTopRight: r.Left = GetWidth() - textWidth - 14; break;
  }
  r.Left = std::max(r.Left, 0);
  r.Right = std::min(textWidth + r.Left + 8, GetWidth());
  if (r.Width() < 2 * kBevelWidth) {
    r.Left -= kBevelWidth;
    r.Right += kBevelWidth;
  }
  return r;
}

void TkGroupBox::AdjustClientRect(fw::TRect& rect) {
  fw::TGroupBox::AdjustClientRect(rect);
  if (!GetComponentState().Contains(fw::csDestroying)) rect.Top += FCaptionYOffset;
}

void TkGroupBox::PaintFace(const TkBgRef& bg) {
  TkCommonData* d = GetSkinData();
  fw::TBitmap* cache = d->CacheBmp.get();
  FPaintBg = bg;
  const fw::TRect c = GroupCaptionRect();
  if (bg.Ready) {
    BitBlt(cache->GetCanvas()->GetHandle(), 0, 0, GetWidth(), c.Height(), bg.Bmp->GetCanvas()->GetHandle(),
           GetLeft() + bg.X, GetTop() + bg.Y, SRCCOPY);
  } else if (GetParent()) {
    FillDCRect(cache->GetCanvas()->GetHandle(), fw::TRect(0, 0, GetWidth(), c.Bottom),
               fw::ColorToRGB(GetParent()->GetColor()));
  }
  const int y = FCaptionYOffset >= 0 ? c.Height() / 2 : 0;
  PaintControlFace(d, bg, true, true, cache, fw::Point(GetLeft(), GetTop() + y), fw::TRect(0, y, GetWidth(), GetHeight()),
                   0);
}

void TkGroupBox::PaintContent() {
  if (!GetCaption().empty()) DrawGroupCaption(GroupCaptionRect(), FPaintBg);
  PaintSkinBorders(GetSkinData(), 0, kGroupSides);
}

void TkGroupBox::DrawGroupCaption(const fw::TRect& c, const TkBgRef& bg) {
  TkCommonData* d = GetSkinData();
  TkSkinManager* manager = d->GetSkinManager();
  fw::TBitmap* cache = d->CacheBmp.get();
  if (!FCaptionSkin.empty()) {
    TkBgRef self;
    SetBgRefValues(cache, 0, 0, self);
    PaintBordersMask(manager->GetSkinIndex(FCaptionSkin), FCaptionSkin, self, -1, -1, manager, cache,
                     fw::Point(c.Left, c.Top), c, Focused() ? 1 : 0, true);
  } else if (bg.Ready || !GetParent()) {
    PaintBordersMask(manager->GetSkinIndex("CHECKBOX"), "CHECKBOX", bg, -1, -1, manager, cache,
                     fw::Point(GetLeft() + c.Left, GetTop() + c.Top), c, 0, true);
  } else {
    FillDCRect(cache->GetCanvas()->GetHandle(), c, fw::ColorToRGB(GetParent()->GetColor()));
  }
  fw::TCanvas* canvas = cache->GetCanvas();
  canvas->GetFont()->Assign(GetFont());
  canvas->GetBrush()->SetStyle(fw::bsClear);
  fw::TRect r = c;
  WriteSkinText(canvas, GetCaption(), true, 0, d, DT_CENTER | DT_NOPREFIX, r);
}

void TkGroupBox::Paint() {
  TkCommonData* d = GetSkinData();
  if (!ControlIsReady(this) || !d->SkinIsActive()) {
    fw::TGroupBox::Paint();
    return;
  }
  if (GetComponentState().Contains(fw::csDestroying)) return;
  if (!GetVisible() && !GetComponentState().Contains(fw::csDesigning)) return;
  d->Updating = d->GetUpdating();
  if (d->Updating) return;
  const bool changed = d->HalfVisible || d->BGChanged || !d->CacheBmp || d->CacheBmp->GetWidth() != GetWidth() ||
                       d->CacheBmp->GetHeight() != GetHeight();
  if (changed && !d->Cmd9Flag) PaintCache();
  d->HalfVisible = d->NeedsParentBackground() && PartlyOutside(this);
  HDC dc = GetCanvas()->GetHandle();
  CopyWinControlCache(this, d, fw::TRect(), fw::TRect(0, 0, GetWidth(), GetHeight()), dc, false);
  PaintGraphicChildren(dc, this);
  SendCmdToChildWindows(this);
}

bool TkGroupBox::SkinnedMessage(fw::TMessage& m) {
  TkCommonData* d = GetSkinData();
  switch (m.Msg) {
    case fw::CM_VISIBLECHANGED:
    case WM_WINDOWPOSCHANGED:
      d->BGChanged = true;
      return false;
    case WM_MOVE:
      if (d->NeedsParentBackground()) d->BGChanged = true;
      return false;
    case fw::CM_TEXTCHANGED:
      fw::TGroupBox::WndProc(m);
      Changed();
      return true;
    case fw::CM_FONTCHANGED:
      fw::TGroupBox::WndProc(m);
      if (!GetCaption().empty()) Changed();
      return true;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      fw::TGroupBox::WndProc(m);
      return true;
    case WM_ERASEBKGND:
      m.Result = 1;
      return true;
    default:
      break;
  }
  if (m.Msg == SM_SKINCMD) {
    switch (SkinCmdOf(m.WParam)) {
      case cmdParentPainted:
        d->Updating = false;
        if (GetVisible() || GetComponentState().Contains(fw::csDesigning)) Invalidate();
        return true;
      case cmdIsUpdating:
        m.LParam = d->BGChanged || d->GetUpdating() ? 1 : 0;
        return true;
      default:
        return TkSkinned::SkinnedMessage(m);
    }
  }
  return false;
}

}  // namespace skin
