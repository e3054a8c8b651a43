#include "skin/engine/mask_frames.h"

#include <algorithm>

#include "skin/engine/mask_paint.h"

namespace skin {

namespace {

void CutRun(HRGN region, int left, int top, int right) {
  HRGN run = CreateRectRgn(left, top, right, top + 1);
  CombineRgn(region, region, run, RGN_DIFF);
  DeleteObject(run);
}

}  // namespace

void CopySkinPiece(int dstX, int dstY, int dstRight, bool cutRegion, const TkMaskData& mask, HRGN region,
                   fw::TBitmap* dst, int srcBottom, int srcRight, int srcTop, int srcLeft, int dstBottom) {
  TkFast24 s, d;
  if (dstX < 0 || dstY < 0 || dstRight < 0 || dstBottom < 0 || !mask.Manager || !d.Attach(dst) ||
      !s.Attach(MaskSource(mask)))
    return;
  // A source origin before the picture skips as many destination pixels.
  if (srcLeft < 0) dstX -= srcLeft, srcLeft = 0;
  if (srcTop < 0) dstY -= srcTop, srcTop = 0;
  const bool masked = mask.MaskType >= 1;
  const int half = masked ? RectHeight(mask.R) / 2 : 0;
  const int columns = std::min({dstRight - dstX, srcRight - srcLeft}) + 1;
  const int cols = std::min({columns, d.Width - dstX, s.Width - srcLeft});
  const int rows = std::min({srcBottom - srcTop + 1, dstBottom - dstY + 1, d.Height - dstY, s.Height - half - srcTop});
  if (cols <= 0 || rows <= 0 || half < 0) return;
  cutRegion = cutRegion && region;
  for (int row = 0; row < rows; ++row) {
    const unsigned char* sp = s.Row(srcTop + row) + srcLeft * 3;
    const unsigned char* mp = s.Row(srcTop + row + half) + srcLeft * 3;
    unsigned char* dp = d.Row(dstY + row) + dstX * 3;
    int runStart = -1;
    for (int col = 0; col < cols; ++col, sp += 3, mp += 3, dp += 3) {
      if (cutRegion && PixelAt(sp) == fw::clFuchsia) {
        if (runStart < 0) runStart = col;
        continue;
      }
      if (runStart >= 0) CutRun(region, dstX + runStart, dstY + row, dstX + col);
      runStart = -1;
      if (masked)
        for (int c = 0; c < 3; ++c) dp[c] = MaskBlend(sp[c], dp[c], mp[c]);
      else
        dp[0] = sp[0], dp[1] = sp[1], dp[2] = sp[2];
    }
    if (runStart >= 0) CutRun(region, dstX + runStart, dstY + row, dstX + cols);
  }
}

void PaintMaskFrameRgn(fw::TBitmap* dst, HRGN region, bool fillCentre, const TkMaskData& mask, int state) {
  // ImageCount below 1 or MaskType below 0 leaves no source (nothing is divided by them).
  if (!dst || dst->GetWidth() < 2 || dst->GetHeight() < 2 || !mask.Manager || !MaskSource(mask)) return;
  const int width = dst->GetWidth(), height = dst->GetHeight();
  int l = mask.WL, t = mask.WT, r = mask.WR, b = mask.WB;
  FitBorders(width, l, r);
  FitBorders(height, t, b);
  state = std::clamp(state, 0, mask.ImageCount - 1);
  const int frameW = RectWidth(mask.R) / mask.ImageCount, frameH = RectHeight(mask.R) / (mask.MaskType + 1);
  const int w = std::max(0, frameW - mask.WL - mask.WR), h = frameH - mask.WT - mask.WB;
  if (h < 0) return;
  const int ox = mask.R.Left + frameW * state, oy = mask.R.Top;
  // One piece: w x h source pixels from (sx, sy) to (x, y).
  auto piece = [&](int x, int y, int pw, int ph, int sx, int sy, bool cut) {
    if (pw <= 0 || ph <= 0) return;
    CopySkinPiece(x, y, x + pw - 1, cut, mask, region, dst, sy + ph - 1, sx + pw - 1, sy, sx, y + ph - 1);
  };
  piece(0, 0, l, t, ox, oy, true);
  piece(width - r, 0, r, t, ox + frameW - mask.WR, oy, true);
  piece(0, height - b, l, b, ox, oy + frameH - mask.WB, true);
  piece(width - r, height - b, r, b, ox + frameW - mask.WR, oy + frameH - mask.WB, true);
  // Edges and centre: a span whose tile is 0 pixels long stays unpainted.
  auto tiles = [&](int x, int y, int spanW, int spanH, int tileW, int tileH, int sx, int sy) {
    ForEachTile(x, y, spanW, spanH, tileW, tileH, [&](int tx, int ty, int cw, int ch) { piece(tx, ty, cw, ch, sx, sy, false); });
  };
  tiles(l, 0, width - r - l, t, w, t, ox + mask.WL, oy);
  tiles(l, height - b, width - r - l, b, w, b, ox + mask.WL, oy + frameH - mask.WB);
  tiles(0, t, l, height - b - t, l, h, ox, oy + mask.WT);
  tiles(width - r, t, r, height - b - t, r, h, ox + frameW - mask.WR, oy + mask.WT);
  if (fillCentre) tiles(l, t, width - r - l, height - b - t, w, h, ox + mask.WL, oy + mask.WT);
}

}  // namespace skin
