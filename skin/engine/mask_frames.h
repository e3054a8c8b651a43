// Mask frames with transparency and regions: a skinned control of a non-rectangular shape lays
// its border image into its 24-bit cache and cuts the image's $FF00FF pixels out of its window
// region at the same time. The region belongs to the caller.
#pragma once
#include "framework/graphics/bitmap.h"
#include "skin/engine/mask_data.h"

namespace skin {

// Copies the inclusive source rectangle SrcLeft..SrcRight x SrcTop..SrcBottom of the mask's
// picture to (DstX, DstY) of Dst, clipped to DstRight and DstBottom (inclusive) and to both
// bitmaps. A masked picture (MaskType 1) is blended by its lower half. With CutRegion the
// $FF00FF pixels are not copied but removed from Region, one rectangle per run in a row.
void CopySkinPiece(int dstX, int dstY, int dstRight, bool cutRegion, const TkMaskData& mask, HRGN region,
                   fw::TBitmap* dst, int srcBottom, int srcRight, int srcTop, int srcLeft, int dstBottom);
// Paints frame State of the mask over the whole of Dst: the corners (cut from Region), the
// edges tiled between them and, with FillCentre, the centre.
void PaintMaskFrameRgn(fw::TBitmap* dst, HRGN region, bool fillCentre, const TkMaskData& mask, int state);
inline void PaintGradientRange(fw::TBitmap* dst, HRGN region, bool fillCentre, int state, const TkMaskData& mask) {
  PaintMaskFrameRgn(dst, region, fillCentre, mask, state);
}

}  // namespace skin
