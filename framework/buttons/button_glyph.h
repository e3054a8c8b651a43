// TButtonGlyph: lays out and draws the glyph and caption of a bitmap or speed button. The
// glyph is a strip of NumGlyphs frames (up, disabled, down, exclusive) drawn transparently in
// the colour of its bottom-left pixel; an image list with an index may stand in for it.
#pragma once
#include <memory>
#include <string>

#include "framework/graphics/bitmap.h"
#include "framework/graphics/image_list.h"

namespace fw {

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };

class TButtonGlyph {
 public:
  TButtonGlyph();
  ~TButtonGlyph();
  TButtonGlyph(const TButtonGlyph&) = delete;
  TButtonGlyph& operator=(const TButtonGlyph&) = delete;

  TBitmap* GetGlyph() const { return FGlyph.get(); }
  void SetGlyph(const TBitmap* glyph);
  int GetNumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(int v);
  TCustomImageList* GetImages() const { return FImages; }
  void SetImages(TCustomImageList* images) { FImages = images; }
  int GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(int v) { FImageIndex = v; }

  // The size of one glyph frame (0x0 without a glyph).
  SIZE GlyphSize() const;
  // Where the glyph and the caption go inside client; margin -1 centres, spacing -1 spreads.
  void CalcLayout(HDC dc, const TRect& client, const std::string& caption, TButtonLayout layout, int margin,
                  int spacing, TPoint& glyphPos, TRect& textRect) const;
  // Draws glyph and caption (the DC's font is used) for the state, shifted by offset.
  void Draw(HDC dc, const TRect& client, TPoint offset, const std::string& caption, TButtonLayout layout,
            int margin, int spacing, TButtonState state) const;

  // Runs when the glyph bitmap changes.
  TNotifyEvent OnChange;

 private:
  void DrawGlyph(HDC dc, TPoint pos, TButtonState state) const;

  std::unique_ptr<TBitmap> FGlyph;
  int FNumGlyphs = 1;
  TCustomImageList* FImages = nullptr;
  int FImageIndex = -1;
};

}  // namespace fw
