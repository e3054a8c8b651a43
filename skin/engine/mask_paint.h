// 24-bit pixel access and mask painting, second half: the copy kernels (transparent copy,
// masked copy through a mask half) and the painters of a skin element by mask record: four
// corners, four sides and the centre tiled or stretched (DrawSkinRect), and one state frame of
// a small mask image at a point (DrawMaskGlyphFrame). $FF00FF is the transparent colour of every
// skin image. Every routine clips to both bitmaps and paints nothing for a mask it cannot use
// (no manager, no source picture, ImageCount below 1, MaskType below 0).
#pragma once
#include <functional>

#include "skin/engine/fast_pixels.h"
#include "skin/engine/mask_data.h"

namespace skin {

// The picture a mask is cut from (its own bitmap, else its manager's master bitmap), null when
// it has none or its ImageCount and MaskType cannot describe frames.
fw::TBitmap* MaskSource(const TkMaskData& mask);
// Shrinks two border widths evenly (the far one by one more for an odd size) so that they fit
// size; both stay at least 0.
void FitBorders(int size, int& nearWidth, int& farWidth);
// Calls tile(x, y, w, h) for the tiles of a tileW x tileH picture laid over the span from
// (x, y): whole tiles while one fits, then one tile cut to what remains, row by row. A zero-sized
// tile or span calls nothing.
void ForEachTile(int x, int y, int spanW, int spanH, int tileW, int tileH,
                 const std::function<void(int x, int y, int w, int h)>& tile);
// Tiles or stretches the piece (sx, sy, w, h) of the source DC over the span of the destination
// DC with BitBlt/StretchBlt; nothing for an empty piece or span.
void BltPiece(HDC to, const fw::TRect& span, HDC from, int sx, int sy, int w, int h, bool stretch);

// What a masked copy does with a source pixel equal to its transparent colour: blend it like
// any other, else take the parent's pixel at the destination moved by (X, Y) when that lies in
// the parent, else FillColor when Fill is set, else leave the destination.
struct TkTransRule {
  bool Blend = false;
  const TkFast24* Parent = nullptr;
  int X = 0;
  int Y = 0;
  bool Fill = false;
  fw::TColor FillColor = 0;
};
// The masked kernel: copies the exclusive SrcRect of Src to DstRect of Dst, clipped to both
// bitmaps (the mask row, maskOffset rows below, inside Src too); each channel is blended by its
// mask weight plus weightAdd (at most 255).
void CopyMaskedPixels(fw::TRect dstRect, fw::TRect srcRect, fw::TBitmap* dst, fw::TBitmap* src, int maskOffset,
                      fw::TColor transColor, const TkTransRule& rule, int weightAdd = 0);
// The same on bitmaps already bound.
void CopyMaskedPixels(fw::TRect dstRect, fw::TRect srcRect, const TkFast24& dst, const TkFast24& src, int maskOffset,
                      fw::TColor transColor, const TkTransRule& rule, int weightAdd = 0);

// Copies SrcRect (Right and Bottom inclusive) of Src to (X, Y) of Dst, leaving out pixels equal
// to TransColor. With UseParent and a ready BgInfo those pixels take the parent's pixel at
// (BgInfo.X + column, BgInfo.Y + row), counted inside SrcRect.
void CopyTransparentPiece(fw::TBitmap* dst, fw::TBitmap* src, int x, int y, fw::TRect srcRect, fw::TColor transColor,
                          const TkBgRef& bgInfo, bool useParent);
void CopyTransparentRect(fw::TBitmap* dst, fw::TBitmap* src, int x, int y, fw::TRect srcRect, fw::TColor transColor);
// Masked copies (exclusive rectangles; the mask row lies half the mask's height below): every
// pixel blended by its mask weights; a corner's $FF00FF pixels take the parent's pixel
// (BgInfo ready), else MaskFillColor, else stay $FF00FF.
void CopyMaskedPiece(fw::TRect dstRect, fw::TRect srcRect, fw::TBitmap* dst, const TkMaskData& mask, bool isCorner,
                     const TkBgRef& bgInfo, fw::TBitmap* src);
// The same from the mask's picture (its own bitmap or the master bitmap); $FF00FF pixels take
// MaskFillColor, else the parent's pixel, else leave the destination.
void CopyMasterMasked(fw::TRect dstRect, fw::TRect srcRect, fw::TBitmap* dst, const TkMaskData& mask,
                      const TkBgRef& bgInfo);
// A glyph frame: pixels equal to TransColor are left out; Mode other than 1 draws it fainter.
void CopyMaskedGlyph(fw::TRect dstRect, fw::TRect srcRect, fw::TBitmap* dst, const TkMaskData& mask, int mode,
                     fw::TColor transColor, fw::TBitmap* src);

// Paints frame State of the mask into R (exclusive) of Bmp.
void DrawSkinRect(fw::TBitmap* bmp, fw::TRect r, bool filling, const TkBgRef& bgInfo, const TkMaskData& mask,
                  int state, bool updateCorners);
// Draws frame State of a glyph mask with its top-left corner at P; Mode 1 as it is, else faint.
void DrawMaskGlyphFrame(fw::TBitmap* dst, fw::TPoint p, int state, const TkMaskData& mask, int mode);

}  // namespace skin
