// Section painting: a skin section's face (colour, texture or pattern, gradient, and how much of
// each, over what lies behind by its transparency) painted into a 24-bit bitmap, the section's
// border mask laid over it, the texture fill by fill mode, and window regions from the $FF00FF
// pixels of a picture or of a border mask's corners. (The hue and saturation passes are in
// color_passes.h.)
#pragma once
#include <string>
#include <vector>

#include "framework/graphics/bitmap.h"
#include "framework/graphics/canvas.h"
#include "skin/engine/fast_pixels.h"
#include "skin/engine/gradient_data.h"
#include "skin/engine/mask_data.h"

namespace skin {

class TkSkinManager;

// Paints the face of the section for State (hot values when not 0) into R of Bmp. CustomColor
// clFuchsia takes the section's colour; texture indexes -1 are looked up ("PATTERN",
// "HOTPATTERN"); Manager null is the default manager. With a ready BgInfo the section's
// transparency shows the parent (ParentBgColor when set, else BgInfo's picture at
// BgInfo.X + Offset.X, BgInfo.Y + Offset.Y).
void PaintSkinSection(int skinIndex, const std::string& sectionName, fw::TRect r, fw::TColor customColor,
                      int hotTextureIndex, int textureIndex, TkSkinManager* manager, fw::TBitmap* bmp,
                      fw::TPoint offset, const TkBgRef& bgInfo, int state);
// The same, taking what shows through only from the parent's picture.
void PaintSectionBackground(int skinIndex, const std::string& sectionName, fw::TRect r, fw::TColor customColor,
                            int hotTextureIndex, int textureIndex, TkSkinManager* manager, fw::TBitmap* bmp,
                            fw::TPoint offset, const TkBgRef& bgInfo, int state);

// What one face is made of, resolved from the section for one state.
struct TkFaceParts {
  fw::TColor Color = 0;
  int ImagePercent = 0;
  int GradientPercent = 0;
  int Transparency = 0;
  const TkMaskData* Texture = nullptr;  // a texture mask, or
  fw::TGraphic* Pattern = nullptr;      // a pattern picture
  const TkGradArray* Gradient = nullptr;
};
// Texture (its uncovered part in the colour), gradient blended over it, the colour mixed in by
// what the two leave.
void PaintSectionFace(fw::TBitmap* bmp, fw::TRect r, const TkFaceParts& face, const TkBgRef& bgInfo);

// PaintSkinSection, then the section's "BORDERSMASK" over R in the frame of State.
void PaintBordersMask(int skinIndex, const std::string& sectionName, const TkBgRef& bgInfo, int hotTextureIndex,
                      int textureIndex, TkSkinManager* manager, fw::TBitmap* bmp, fw::TPoint offset, fw::TRect r,
                      int state, bool filling);
// PaintBordersMask into a bitmap of R's size, copied to R on the DC.
void PaintSectionToDC(int skinIndex, const std::string& sectionName, const TkBgRef& bgInfo, TkSkinManager* manager,
                      HDC dc, fw::TPoint offset, fw::TRect r, int state, bool filling);
inline void PaintItemToDC(int skinIndex, const std::string& sectionName, const TkBgRef& bgInfo, TkSkinManager* manager,
                          HDC dc, fw::TPoint offset, fw::TRect r, int state, bool filling) {
  PaintSectionToDC(skinIndex, sectionName, bgInfo, manager, dc, offset, r, state, filling);
}
// PaintSectionBackground, then the mask at MaskIndex over R.
void PaintSectionRect(int skinIndex, int maskIndex, int hotTextureIndex, int textureIndex, TkSkinManager* manager,
                      fw::TBitmap* bmp, fw::TPoint offset, fw::TRect r, int state, bool filling,
                      const TkBgRef& bgInfo, const std::string& sectionName);

// Fills R by the mask's picture (or tiles Graphic over it when given) by fill mode: 0 and 10
// tiled, 1 stretched, 2/6 a row of tiles along the top/bottom, 3/7 a column down the left/right,
// 4/5 stretched across the top/down the left; R becomes the part left uncovered, or
// (-1, -1, -1, -1) when nothing is left. A zero-sized picture paints nothing.
void TileSkinImage(fw::TCanvas* canvas, fw::TRect& r, fw::TGraphic* graphic, int fillMode, const TkMaskData& mask);
// A masked texture (image over its mask half) by fill mode 0 (tiled, cut at the edges) or 10
// (whole tiles; the strips left show the parent's picture or MaskFillColor).
void TileSkinImageMasked(fw::TBitmap* bmp, fw::TRect& r, const TkBgRef& bgInfo, int fillMode, const TkMaskData& mask);
// Tiles a bitmap or a decoded JPEG over R, cutting the last column and row.
void TileGraphic(fw::TCanvas* canvas, const fw::TRect& r, fw::TGraphic* graphic);

// One rectangle (x, y, x + n, y + 1) per run of Color in each row of the bitmap.
void CollectTransparentRuns(std::vector<fw::TRect>& rects, fw::TBitmap* bmp, fw::TColor color);
// The bitmap's rectangle less its runs of TransColor; the caller owns the region.
void CreateRegionFromBitmap(HRGN& rgn, fw::TBitmap* bmp, fw::TColor transColor);
// The $FF00FF runs of the mask's top (Bottom false) or bottom corners of frame 0, as rows from Y
// of a window Width wide (the right corner's runs moved to its right edge).
void AddCornerRegionRects(std::vector<fw::TRect>& rects, int width, const TkMaskData& mask, bool bottom, int y);
inline void AddCornerRects(std::vector<fw::TRect>& rects, int width, const TkMaskData& mask, bool bottom, int y) {
  AddCornerRegionRects(rects, width, mask, bottom, y);
}

}  // namespace skin
