#include "skin/engine/control_paint.h"

#include "framework/controls/win_control.h"
#include "skin/engine/common_data.h"
#include "skin/engine/glyphs_text.h"
#include "skin/engine/mask_paint.h"
#include "skin/engine/section_paint.h"
#include "skin/engine/skin_command.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/skin_provider.h"

namespace skin {

namespace {

fw::TColor CustomColourOf(const TkCommonData* d) {
  if (!d->GetCustomColor()) return fw::clFuchsia;
  if (auto* provider = dynamic_cast<TkSkinProvider*>(d->GetOwnerObject())) {
    auto* form = dynamic_cast<fw::TControl*>(provider->GetOwner());
    return form ? form->GetColor() : fw::clFuchsia;
  }
  return d->OwnerControl ? d->OwnerControl->GetColor() : fw::clFuchsia;
}

// The parent's colour as a plain colour, asked with command 21.
fw::TColor AskedParentColour(fw::TWinControl* parent) {
  GetControlColor(parent);
  return QueriedColor;
}

}  // namespace

void PaintControlSection(TkCommonData* d, const TkBgRef& bgInfo, int state, fw::TBitmap* bmp, fw::TPoint offset,
                         fw::TRect r) {
  PaintSkinSection(d->SkinIndex, d->GetSkinSection(), r, CustomColourOf(d), d->HotTexture, d->Texture,
                   d->GetSkinManager(), bmp, offset, bgInfo, state);
}

void PaintControlFace(TkCommonData* d, const TkBgRef& bgInfo, bool filling, bool updateCorners, fw::TBitmap* bmp,
                      fw::TPoint offset, fw::TRect r, int state) {
  TkSkinManager* manager = d ? d->GetSkinManager() : nullptr;
  if (!bmp || !manager || !manager->IsValidSkinIndex(d->SkinIndex)) return;
  if (r.Left < 0 || r.Top < 0 || r.Right > bmp->GetWidth() || r.Bottom > bmp->GetHeight()) return;
  fw::TWinControl* parent = d->OwnerControl ? d->OwnerControl->GetParent() : nullptr;
  ParentBgColor = fw::clFuchsia;
  if (!bgInfo.Ready && parent) {
    MaskFillColor = ParentBgColor = fw::ColorToRGB(parent->GetColor());
  } else if (bgInfo.Ready && parent && !d->NeedsParentBackground()) {
    ParentBgColor = AskedParentColour(parent);
  }
  PaintControlSection(d, bgInfo, state, bmp, offset, r);
  TkBgRef moved = bgInfo;
  moved.X += offset.X;
  moved.Y += offset.Y;
  if (manager->IsValidImgIndex(d->BorderIndex))
    DrawSkinRect(bmp, r, filling, moved, manager->GetMasks()[d->BorderIndex], state, updateCorners);
  MaskFillColor = ParentBgColor = fw::clFuchsia;
  static const char* const kCorners[] = {"IMGTOPLEFT", "IMGTOPRIGHT", "IMGBTMLEFT", "IMGBTMRIGHT"};
  for (int i = 0; i < 4; ++i) {
    const int index = manager->GetMaskIndex(d->SkinIndex, d->GetSkinSection(), kCorners[i]);
    if (index < 0) continue;
    const TkMaskData& mask = manager->GetMasks()[index];
    if (mask.ImageCount < 1 || mask.MaskType < 0) continue;
    const int w = RectWidth(mask.R) / mask.ImageCount, h = RectHeight(mask.R) / (mask.MaskType + 1);
    const fw::TPoint at(i % 2 ? r.Right - w : r.Left, i / 2 ? r.Bottom - h : r.Top);
    DrawMaskGlyphFrame(bmp, at, state, mask, 1);
  }
}

void PaintSkinBorders(TkCommonData* d, int state, unsigned char corners) {
  TkSkinManager* manager = d ? d->GetSkinManager() : nullptr;
  fw::TControl* owner = d ? d->OwnerControl : nullptr;
  if (!manager || d->BorderIndex < 0 || !manager->IsValidImgIndex(d->BorderIndex) || !owner || !d->CacheBmp) return;
  if (owner->GetWidth() < 2 || owner->GetHeight() < 2 || !FastPixels) return;
  TkBgRef bg;
  d->GetParentBG(bg);
  fw::TWinControl* parent = owner->GetParent();
  if (parent && bg.Ready && !ControlAnswersCmd(parent, cmdIsTextured) && ParentBgColor == fw::clFuchsia)
    ParentBgColor = AskedParentColour(parent);
  else if (parent && !bg.Ready)
    ParentBgColor = fw::ColorToRGB(parent->GetColor());
  else if (!(parent && bg.Ready))
    ParentBgColor = fw::clFuchsia;

  TkMaskData mask = manager->GetMasks()[d->BorderIndex];
  if (mask.Bmp && mask.ImageCount == 0) {
    mask.MaskType = 1;
    mask.ImageCount = 3;
    mask.R = fw::TRect(0, 0, mask.Bmp->GetWidth(), mask.Bmp->GetHeight());
  }
  fw::TBitmap* source = MaskSource(mask);
  fw::TBitmap* cache = d->CacheBmp.get();
  if (!source || cache->GetWidth() < 2 || cache->GetHeight() < 2) {
    ParentBgColor = fw::clFuchsia;
    return;
  }
  if (ParentBgColor == fw::clFuchsia) {
    bg.X += owner->GetLeft();
    bg.Y += owner->GetTop();
  }
  // The parent's picture and the mask are read through two readers: the shared one and a local.
  TkFast24 parentPixels;
  const bool useParent = ParentBgColor == fw::clFuchsia && bg.Ready && bg.Bmp && parentPixels.Attach(bg.Bmp);
  TkFast24 maskPixels;
  if (!maskPixels.Attach(source)) {
    ParentBgColor = fw::clFuchsia;
    return;
  }
  state = MinInt2(state, mask.ImageCount - 1);
  const int frameW = RectWidth(mask.R) / mask.ImageCount;
  const int frameH = RectHeight(mask.R) / (mask.MaskType + 1);
  const int sx = mask.R.Left + RectWidth(mask.R) * state / mask.ImageCount, sy = mask.R.Top;
  const int w = cache->GetWidth(), h = cache->GetHeight();
  struct Zone {
    unsigned char Bit;
    int DstX, DstY, SrcX, SrcY, W, H;
  };
  const Zone zones[] = {
      {kCornerTopLeft, 0, 0, sx, sy, mask.WL, mask.WT},
      {kCornerBottomLeft, 0, h - mask.WB, sx, sy + frameH - mask.WB, mask.WL, mask.WB},
      {kCornerBottomRight, w - mask.WR, h - mask.WB, sx + frameW - mask.WR, sy + frameH - mask.WB, mask.WR, mask.WB},
      {kCornerTopRight, w - mask.WR, 0, sx + frameW - mask.WR, sy, mask.WR, mask.WT},
  };
  for (const Zone& z : zones) {
    if (!(corners & z.Bit)) continue;
    for (int row = 0; row < z.H; ++row)
      for (int col = 0; col < z.W; ++col) {
        const int dx = z.DstX + col, dy = z.DstY + row, mx = z.SrcX + col, my = z.SrcY + row;
        if (dx < 0 || dy < 0 || dx >= w || dy >= h || !maskPixels.Contains(mx, my)) continue;
        if (maskPixels.Pixels(mx, my) != fw::clFuchsia) continue;
        unsigned char* p = static_cast<unsigned char*>(cache->GetScanLine(dy)) + dx * 3;
        if (ParentBgColor != fw::clFuchsia)
          PutPixel(p, ParentBgColor);
        else if (useParent && parentPixels.Contains(bg.X + dx, bg.Y + dy))
          PutPixel(p, parentPixels.Pixels(bg.X + dx, bg.Y + dy));
      }
  }
  ParentBgColor = fw::clFuchsia;
}

void WriteSkinText(fw::TCanvas* canvas, const std::string& text, bool enabled, int state, TkCommonData* d,
                   unsigned flags, fw::TRect& r) {
  if (!canvas) return;
  if (state != 0 && d && d->GetSkinSection() == "WEBBUTTON")
    canvas->GetFont()->SetStyle(canvas->GetFont()->GetStyle() + fw::fsUnderline);
  if (d && !d->GetCustomFont() && d->GetSkinManager() && d->GetSkinManager()->IsValidSkinIndex(d->SkinIndex))
    WriteTextColored(canvas, text, enabled, d->GetSkinManager(), state != 0, d->SkinIndex, flags, r);
  else
    WriteTextPlain(canvas, text, enabled, flags, r);
}

}  // namespace skin
