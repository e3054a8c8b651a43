#include "skin/controls/skinned_control.h"

#include "framework/graphics/canvas.h"
#include "skin/engine/glyphs_text.h"

namespace skin {

bool PartlyOutside(const fw::TControl* control) {
  const fw::TWinControl* parent = control->GetParent();
  if (!parent) return false;
  const fw::TRect client = parent->GetClientRect();
  return control->GetLeft() < client.Left || control->GetTop() < client.Top ||
         control->GetLeft() + control->GetWidth() > client.Right ||
         control->GetTop() + control->GetHeight() > client.Bottom;
}

void TakeSkinWhenPlaced(fw::TControl* control, TkCommonData* d) {
  if (!ControlIsReady(control) || !d->SkinIsActive()) return;
  const LPARAM manager = reinterpret_cast<LPARAM>(d->GetSkinManager());
  control->Perform(SM_SKINCMD, SkinCmdWParam(cmdNewSkin), manager);
  control->Perform(SM_SKINCMD, SkinCmdWParam(cmdRefresh), manager);
}

void PaintSkinnedCache(fw::TControl* control, TkCommonData* d, TkDisabledKind disabledKind,
                       const std::function<void(const TkBgRef&)>& paintFace, const std::function<void()>& paintContent) {
  d->InitCacheBmp();
  d->CacheBmp->GetCanvas()->GetFont()->Assign(control->GetFont());
  fw::TWinControl* parent = control->GetParent();
  TkBgRef bg;
  d->GetParentBG(bg);
  if (!bg.Ready && parent) {
    ParentBgColor = fw::ColorToRGB(parent->GetColor());
  } else if (parent && !d->NeedsParentBackground() && ParentBgColor == fw::clFuchsia) {
    GetControlColor(parent);
    ParentBgColor = QueriedColor;
  }
  // A disabled caption's letters come over a blended disabled look, which would fade them into
  // the face.
  const bool blends = !control->GetEnabled() && disabledKind.Contains(dkBlended);
  TkHeldDisabledText held(blends ? d->CacheBmp->GetCanvas() : nullptr);
  paintFace(bg);
  paintContent();
  if (!control->GetEnabled() && parent) {
    TkBgRef fresh;
    d->GetParentBG(fresh);
    ApplyDisabledKind(d->CacheBmp.get(), disabledKind, parent, fw::Point(control->GetLeft(), control->GetTop()), fresh);
  }
  held.Write();
  ParentBgColor = MaskFillColor = QueriedColor = fw::clFuchsia;
  d->BGChanged = false;
  d->HalfVisible = PartlyOutside(control);
}

void PaintFromCache(fw::TControl* control, TkCommonData* d, HDC dc, bool fading, int state,
                    const std::function<void()>& rebuild) {
  const int saved = SaveDC(dc);
  if (!d->Updating && !fading) {
    fw::TWinControl* parent = control->GetParent();
    if (d->BGChanged || d->HalfVisible || !d->CacheBmp || (parent && ControlAnswersCmd(parent, cmdIsPartlyHidden)))
      rebuild();
    PaintSkinBordersAll(d, state);
    fw::TBitmap* cache = d->CacheBmp.get();
    BitBlt(dc, 0, 0, cache->GetWidth(), cache->GetHeight(), cache->GetCanvas()->GetHandle(), 0, 0, SRCCOPY);
    if (auto* windowed = dynamic_cast<fw::TWinControl*>(control)) PaintGraphicChildren(dc, windowed);
  }
  RestoreDC(dc, saved);
}

}  // namespace skin
