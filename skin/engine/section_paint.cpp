#include "skin/engine/section_paint.h"

#include <algorithm>

#include "skin/engine/glyphs_text.h"
#include "skin/engine/gradients.h"
#include "skin/engine/mask_paint.h"
#include "skin/engine/skin_manager.h"

namespace skin {

namespace {

const fw::TRect kNothingLeft(-1, -1, -1, -1);

bool Empty(const fw::TRect& r) { return r.Right <= r.Left || r.Bottom <= r.Top; }

TkBgRef Moved(const TkBgRef& bgInfo, fw::TPoint offset) {
  TkBgRef moved = bgInfo;
  moved.X += offset.X;
  moved.Y += offset.Y;
  return moved;
}

// Fills R with what lies behind: ParentBgColor (when allowed and set), else the parent's
// picture from its offset.
void ShowBehind(fw::TBitmap* bmp, const fw::TRect& r, const TkBgRef& bgInfo, fw::TPoint offset, bool parentColour) {
  if (parentColour && ParentBgColor != fw::clFuchsia) {
    FillDCRect(bmp->GetCanvas()->GetHandle(), r, ParentBgColor);
  } else if (bgInfo.Bmp && bgInfo.Bmp != bmp && !bgInfo.Bmp->GetEmpty()) {
    BitBlt(bmp->GetCanvas()->GetHandle(), r.Left, r.Top, RectWidth(r), RectHeight(r),
           bgInfo.Bmp->GetCanvas()->GetHandle(), bgInfo.X + offset.X, bgInfo.Y + offset.Y, SRCCOPY);
    GdiFlush();
  }
}

// PaintSkinSection and PaintSectionBackground; parentColour: ParentBgColor may show through.
void PaintSection(int skinIndex, const std::string& sectionName, fw::TRect r, fw::TColor customColor,
                  int hotTextureIndex, int textureIndex, TkSkinManager* manager, fw::TBitmap* bmp, fw::TPoint offset,
                  const TkBgRef& bgInfo, int state, bool parentColour) {
  if (!manager) manager = DefaultManager();
  if (!manager || !manager->IsValidSkinIndex(skinIndex) || !bmp || bmp->GetEmpty() || Empty(r)) return;
  const TkGeneralData& section = manager->GetSections()[skinIndex];
  const bool hot = state != 0;
  TkFaceParts face;
  face.Color = fw::ColorToRGB(customColor != fw::clFuchsia ? customColor : hot ? section.HotColor : section.Color);
  face.ImagePercent = hot ? section.HotImagePercent : section.ImagePercent;
  face.GradientPercent = hot ? section.HotGradientPercent : section.GradientPercent;
  face.Transparency = hot ? section.HotTransparency : section.Transparency;
  int texture = hot ? hotTextureIndex : textureIndex;
  if (face.ImagePercent > 0) {
    const std::string property = hot ? "HOTPATTERN" : "PATTERN";
    if (texture == -1)
      texture = manager->GetMaskIndex(skinIndex, sectionName, property);
    else if (manager->IsValidImgIndex(texture) && manager->GetMasks()[texture].MaskType != 0)
      texture = -1;
    if (manager->IsValidImgIndex(texture)) {
      face.Texture = &manager->GetMasks()[texture];
    } else {
      const int pattern = manager->GetPatternIndex(skinIndex, sectionName, property);
      if (pattern >= 0 && pattern < static_cast<int>(manager->GetPatterns().size()))
        face.Pattern = manager->GetPatterns()[pattern].Image.get();
    }
  }
  if (face.GradientPercent > 0) face.Gradient = hot ? &section.HotGradient : &section.Gradient;

  const TkBgRef faceBg = Moved(bgInfo, offset);
  const int t = std::clamp(face.Transparency, 0, 100);
  if (!bgInfo.Ready || t == 0) {
    PaintSectionFace(bmp, r, face, faceBg);
  } else if (t == 100) {
    ShowBehind(bmp, r, bgInfo, offset, parentColour);
  } else {
    auto temp = CreateBitmap24(RectWidth(r), RectHeight(r));
    PaintSectionFace(temp.get(), fw::TRect(0, 0, RectWidth(r), RectHeight(r)), face, Moved(faceBg, r.TopLeft()));
    ShowBehind(bmp, r, bgInfo, offset, parentColour);
    BlendBitmapsRect(bmp, temp.get(), static_cast<unsigned char>(ClampToByte(t * 255 / 100)), r.TopLeft(),
                     fw::TRect(0, 0, RectWidth(r), RectHeight(r)));
  }
  // A masked texture of fill mode 10 lies over the normal face.
  if (hot) return;
  for (int index : {texture, hotTextureIndex}) {
    if (!manager->IsValidImgIndex(index)) continue;
    const TkMaskData& overlay = manager->GetMasks()[index];
    if (overlay.MaskType <= 0) continue;
    if (overlay.StretchMode == 10) {
      fw::TRect rest = r;
      TileSkinImageMasked(bmp, rest, faceBg, 10, overlay);
    }
    break;
  }
}

}  // namespace

void PaintSkinSection(int skinIndex, const std::string& sectionName, fw::TRect r, fw::TColor customColor,
                      int hotTextureIndex, int textureIndex, TkSkinManager* manager, fw::TBitmap* bmp,
                      fw::TPoint offset, const TkBgRef& bgInfo, int state) {
  PaintSection(skinIndex, sectionName, r, customColor, hotTextureIndex, textureIndex, manager, bmp, offset, bgInfo,
               state, true);
}

void PaintSectionBackground(int skinIndex, const std::string& sectionName, fw::TRect r, fw::TColor customColor,
                            int hotTextureIndex, int textureIndex, TkSkinManager* manager, fw::TBitmap* bmp,
                            fw::TPoint offset, const TkBgRef& bgInfo, int state) {
  PaintSection(skinIndex, sectionName, r, customColor, hotTextureIndex, textureIndex, manager, bmp, offset, bgInfo,
               state, false);
}

void PaintSectionFace(fw::TBitmap* bmp, fw::TRect r, const TkFaceParts& face, const TkBgRef& bgInfo) {
  if (!bmp || bmp->GetEmpty() || Empty(r)) return;
  HDC dc = bmp->GetCanvas()->GetHandle();
  bool textured = false;
  if (face.ImagePercent > 0 && (face.Pattern || face.Texture)) {
    fw::TRect rest = r;
    if (face.Pattern)
      TileSkinImage(bmp->GetCanvas(), rest, face.Pattern, 0, TkMaskData());
    else if (face.Texture->MaskType != 0)
      TileSkinImageMasked(bmp, rest, bgInfo, face.Texture->StretchMode, *face.Texture);
    else
      TileSkinImage(bmp->GetCanvas(), rest, face.Texture->Bmp.get(), face.Texture->StretchMode, *face.Texture);
    if (rest != kNothingLeft) FillDCRect(dc, rest, face.Color);
    textured = true;
  }
  if (face.GradientPercent > 0) {
    const bool plain = !face.Gradient || face.Gradient->empty();
    if (textured) {
      auto temp = CreateBitmap24(RectWidth(r), RectHeight(r));
      const fw::TRect all(0, 0, RectWidth(r), RectHeight(r));
      if (plain)
        FillDCRect(temp->GetCanvas()->GetHandle(), all, face.Color);
      else
        PaintGradient(temp.get(), all, *face.Gradient);
      BlendBitmapsRect(bmp, temp.get(), static_cast<unsigned char>(ClampToByte(face.ImagePercent * 255 / 100)),
                       r.TopLeft(), all);
    } else if (plain) {
      FillDCRect(dc, r, face.Color);
    } else {
      PaintGradient(bmp, r, *face.Gradient);
    }
  }
  const int share = face.GradientPercent + face.ImagePercent;
  if (share >= 1 && share <= 99)
    BlendColorRect(bmp, fw::TRect(r.Left, r.Top, r.Right - 1, r.Bottom - 1), share, face.Color);
  else if (share == 0)
    FillDCRect(dc, r, ParentBgColor != fw::clFuchsia && face.Transparency != 0 ? ParentBgColor : face.Color);
}

void PaintBordersMask(int skinIndex, const std::string& sectionName, const TkBgRef& bgInfo, int hotTextureIndex,
                      int textureIndex, TkSkinManager* manager, fw::TBitmap* bmp, fw::TPoint offset, fw::TRect r,
                      int state, bool filling) {
  if (!manager) manager = DefaultManager();
  if (!manager || !manager->IsValidSkinIndex(skinIndex)) return;
  PaintSkinSection(skinIndex, sectionName, r, fw::clFuchsia, hotTextureIndex, textureIndex, manager, bmp, offset,
                   bgInfo, state);
  const int border = manager->GetMaskIndex(skinIndex, sectionName, "BORDERSMASK");
  if (manager->IsValidImgIndex(border))
    DrawSkinRect(bmp, r, filling, Moved(bgInfo, offset), manager->GetMasks()[border], state, true);
}

void PaintSectionToDC(int skinIndex, const std::string& sectionName, const TkBgRef& bgInfo, TkSkinManager* manager,
                      HDC dc, fw::TPoint offset, fw::TRect r, int state, bool filling) {
  if (!manager) manager = DefaultManager();
  if (!dc || r.Left < 0 || r.Top < 0 || Empty(r) || !manager || !manager->IsValidSkinIndex(skinIndex)) return;
  auto temp = CreateBitmap24(RectWidth(r), RectHeight(r));
  PaintBordersMask(skinIndex, sectionName, bgInfo, -1, -1, manager, temp.get(), offset,
                   fw::TRect(0, 0, RectWidth(r), RectHeight(r)), state, filling);
  const int saved = SaveDC(dc);
  BitBlt(dc, r.Left, r.Top, RectWidth(r), RectHeight(r), temp->GetCanvas()->GetHandle(), 0, 0, SRCCOPY);
  RestoreDC(dc, saved);
}

void PaintSectionRect(int skinIndex, int maskIndex, int hotTextureIndex, int textureIndex, TkSkinManager* manager,
                      fw::TBitmap* bmp, fw::TPoint offset, fw::TRect r, int state, bool filling,
                      const TkBgRef& bgInfo, const std::string& sectionName) {
  if (!manager) manager = DefaultManager();
  if (!manager) return;
  PaintSectionBackground(skinIndex, sectionName, r, fw::clFuchsia, hotTextureIndex, textureIndex, manager, bmp, offset,
                         bgInfo, state);
  if (manager->IsValidImgIndex(maskIndex))
    DrawSkinRect(bmp, r, filling, Moved(bgInfo, offset), manager->GetMasks()[maskIndex], state, true);
}

void TileSkinImage(fw::TCanvas* canvas, fw::TRect& r, fw::TGraphic* graphic, int fillMode, const TkMaskData& mask) {
  if (!canvas || Empty(r)) return;
  if (graphic && !graphic->GetEmpty()) {
    TileGraphic(canvas, r, graphic);
    r = kNothingLeft;
    return;
  }
  fw::TBitmap* master = mask.Manager ? mask.Manager->GetMasterBitmap() : nullptr;
  const int w = RectWidth(mask.R), h = RectHeight(mask.R);
  if (!master || master->GetEmpty() || w <= 0 || h <= 0) return;
  HDC to = canvas->GetHandle(), from = master->GetCanvas()->GetHandle();
  const int sx = mask.R.Left, sy = mask.R.Top;
  fw::TRect span = r, rest = kNothingLeft;
  bool stretch = false;
  switch (fillMode) {
    case 1: stretch = true; break;
    case 2: case 4:
      span.Bottom = std::min(r.Bottom, r.Top + h);
      rest = fw::TRect(r.Left, span.Bottom, r.Right, r.Bottom);
      stretch = fillMode == 4;
      break;
    case 3: case 5:
      span.Right = std::min(r.Right, r.Left + w);
      rest = fw::TRect(span.Right, r.Top, r.Right, r.Bottom);
      stretch = fillMode == 5;
      break;
    case 6:
      span.Top = std::max(r.Top, r.Bottom - h);
      rest = fw::TRect(r.Left, r.Top, r.Right, span.Top);
      break;
    case 7:
      span.Left = std::max(r.Left, r.Right - w);
      rest = fw::TRect(r.Left, r.Top, span.Left, r.Bottom);
      break;
    default: break;  // 0, 10 and the undefined modes: tiled over everything
  }
  BltPiece(to, span, from, sx, sy, w, h, stretch);
  r = Empty(rest) ? kNothingLeft : rest;
}

void TileSkinImageMasked(fw::TBitmap* bmp, fw::TRect& r, const TkBgRef& bgInfo, int fillMode, const TkMaskData& mask) {
  if (!mask.Manager || !MaskSource(mask) || !bmp || Empty(r) || (fillMode != 0 && fillMode != 10)) return;
  const int w = RectWidth(mask.R) / mask.ImageCount, h = RectHeight(mask.R) / 2;
  if (w <= 0 || h <= 0) return;
  const int sx = mask.R.Left, sy = mask.R.Top;
  auto tile = [&](int x, int y, int tw, int th) {
    CopyMasterMasked(fw::TRect(x, y, x + tw, y + th), fw::TRect(sx, sy, sx + tw, sy + th), bmp, mask, bgInfo);
  };
  if (fillMode == 0) {
    ForEachTile(r.Left, r.Top, RectWidth(r), RectHeight(r), w, h, tile);
  } else {
    const int coveredW = RectWidth(r) / w * w, coveredH = RectHeight(r) / h * h;
    ForEachTile(r.Left, r.Top, coveredW, coveredH, w, h, tile);
    const fw::TRect strips[2] = {fw::TRect(r.Left + coveredW, r.Top, r.Right, r.Bottom),
                                 fw::TRect(r.Left, r.Top + coveredH, r.Left + coveredW, r.Bottom)};
    for (const fw::TRect& strip : strips) {
      if (Empty(strip)) continue;
      if (bgInfo.Ready && bgInfo.Bmp) {
        BitBlt(bmp->GetCanvas()->GetHandle(), strip.Left, strip.Top, RectWidth(strip), RectHeight(strip),
               bgInfo.Bmp->GetCanvas()->GetHandle(), bgInfo.X + strip.Left, bgInfo.Y + strip.Top, SRCCOPY);
        GdiFlush();
      } else {
        FillDCRect(bmp->GetCanvas()->GetHandle(), strip, MaskFillColor);
      }
    }
  }
  r = kNothingLeft;
}

void TileGraphic(fw::TCanvas* canvas, const fw::TRect& r, fw::TGraphic* graphic) {
  if (!canvas || !graphic || graphic->GetEmpty()) return;
  fw::TBitmap* picture = dynamic_cast<fw::TBitmap*>(graphic);
  if (auto* jpeg = dynamic_cast<fw::TJPEGImage*>(graphic)) picture = jpeg->GetBitmap();
  if (!picture || picture->GetEmpty()) return;
  BltPiece(canvas->GetHandle(), r, picture->GetCanvas()->GetHandle(), 0, 0, picture->GetWidth(), picture->GetHeight(),
           false);
}

void CollectTransparentRuns(std::vector<fw::TRect>& rects, fw::TBitmap* bmp, fw::TColor color) {
  if (!FastPixels || !FastPixels->Attach(bmp)) return;
  const TkFast24& pixels = *FastPixels;
  for (int y = 0; y < pixels.Height; ++y) {
    const unsigned char* p = pixels.Row(y);
    int start = -1;
    for (int x = 0; x <= pixels.Width; ++x, p += 3) {
      const bool match = x < pixels.Width && PixelAt(p) == color;
      if (match && start < 0) start = x;
      if (!match && start >= 0) {
        rects.emplace_back(start, y, x, y + 1);
        start = -1;
      }
    }
  }
}

void CreateRegionFromBitmap(HRGN& rgn, fw::TBitmap* bmp, fw::TColor transColor) {
  if (!bmp) return;
  std::vector<fw::TRect> rects;
  CollectTransparentRuns(rects, bmp, transColor);
  rgn = CreateRectRgn(0, 0, bmp->GetWidth(), bmp->GetHeight());
  for (const fw::TRect& run : rects) {
    HRGN part = CreateRectRgn(run.Left, run.Top, run.Right, run.Bottom);
    CombineRgn(rgn, rgn, part, RGN_DIFF);
    DeleteObject(part);
  }
}

void AddCornerRegionRects(std::vector<fw::TRect>& rects, int width, const TkMaskData& mask, bool bottom, int y) {
  TkFast24 pixels;
  if (!pixels.Attach(MaskSource(mask))) return;
  const int frameW = RectWidth(mask.R) / mask.ImageCount, frameH = RectHeight(mask.R) / (mask.MaskType + 1);
  const int rows = bottom ? mask.WB : mask.WT;
  const int top = mask.R.Top + (bottom ? frameH - mask.WB : 0);
  if (rows <= 0 || top < 0 || top + rows > pixels.Height) return;
  // The columns (inside the frame) of a corner and where they go in the window.
  auto scan = [&](int row, int first, int last, int shift) {
    int start = -1;
    for (int col = first; col <= last + 1; ++col) {
      const int x = mask.R.Left + col;
      const bool match = col <= last && x >= 0 && x < pixels.Width && pixels.Pixels(x, top + row) == fw::clFuchsia;
      if (match && start < 0) start = col;
      if (!match && start >= 0) {
        rects.emplace_back(start + shift, y + row, col + shift, y + row + 1);
        start = -1;
      }
    }
  };
  for (int row = 0; row < rows; ++row) {
    scan(row, 0, mask.WL - 1, 0);
    scan(row, frameW - mask.WR, frameW - 1, width - frameW);
  }
}

}  // namespace skin
