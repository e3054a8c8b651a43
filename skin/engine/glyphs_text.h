// Glyphs, skinned text and small painting routines: captions in a section's font colours with
// the skin's one-pixel contour copies and the embossed disabled look, captions cut to a width,
// button and skin glyphs with transparency and a disabled look, soft rounded shapes, whole-bitmap
// blends through the shared blender, 24-bit bitmap creation, colour mixing, bevel lines and
// focus dots. Text is measured and painted in UTF-16 (GetTextExtentPoint32W, DrawTextW).
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "framework/graphics/bitmap.h"
#include "framework/graphics/canvas.h"
#include "skin/engine/fast_pixels.h"

namespace fw {
class TCustomImageList;
}

namespace skin {

class TkSkinManager;

// Text: without DT_WORDBREAK, R is first fitted around the text by the alignment flags and
// grown by one pixel on every side (R comes back so). Disabled text is drawn in clBtnHighlight
// one pixel right and down, then in clBtnShadow (WriteTextColored leaves the whole text to a
// TkHeldDisabledText that holds its canvas). WriteTextColored draws the section's contour
// colours (left, top, right, bottom; -1 none) and then its font colour, hot or normal (the
// canvas font's colour without a valid section); WriteTextPlain the canvas font's colour only.
void WriteTextColored(fw::TCanvas* canvas, const std::string& text, bool enabled, TkSkinManager* manager, bool hot,
                      int skinIndex, unsigned flags, fw::TRect& r);
void WriteTextPlain(fw::TCanvas* canvas, const std::string& text, bool enabled, unsigned flags, fw::TRect& r);

// Holds back the disabled texts WriteTextColored writes onto one canvas in a section's colours
// while it lives (nothing of them is drawn then); Write draws each once, in the middle of the
// section's font and face colours, with no light copy beside it (over a dark face that copy
// would double every stroke). A skinned control's cache painting writes them over its finished
// disabled look, which would otherwise fade the letters into the face along with everything
// else (the skin has no colour of its own for disabled text). Holders nest; a null canvas holds
// nothing.
class TkHeldDisabledText {
 public:
  explicit TkHeldDisabledText(fw::TCanvas* canvas);
  ~TkHeldDisabledText();
  TkHeldDisabledText(const TkHeldDisabledText&) = delete;
  TkHeldDisabledText& operator=(const TkHeldDisabledText&) = delete;
  // The innermost holder of the canvas, or null.
  static TkHeldDisabledText* Of(const fw::TCanvas* canvas);
  // Keeps letters to draw in the DC's current font, clipped to clip, placed in at by the flags.
  void Keep(HDC dc, const std::string& text, const fw::TRect& clip, const fw::TRect& at, unsigned flags,
            fw::TColor color);
  // Draws the held letters and lets them go.
  void Write();

 private:
  struct Letters {
    std::string Text;
    fw::TRect Clip, At;
    unsigned Flags;
    fw::TColor Color;
    LOGFONTW Font;
  };
  fw::TCanvas* FCanvas;
  TkHeldDisabledText* FOuter;
  std::vector<Letters> FLetters;
};

// Text itself when it fits width on the canvas, else its longest beginning that fits with "..."
// after it (whole characters); "" for a width under 1.
void CutTextToWidth(fw::TCanvas* canvas, const std::string& text, int width, std::string& result);
// The text's size in the font on a screen DC; (0, 0) on failure.
fw::TSize TextExtentOfFont(HFONT font, const std::string& text);

// A button glyph at P; its transparent colour is its bottom-left pixel. One frame: grey when
// Grayed (not hot) or disabled with dkGrayed, blended by BlendPercent (not hot) or at 0.5
// disabled with dkBlended. Two frames: the first enabled (blended when not hot), the second
// disabled. An empty glyph draws nothing.
void DrawGlyphBitmap(fw::TBitmap* glyph, fw::TBitmap* dst, fw::TPoint p, int blendPercent, bool hot,
                     TkDisabledKind disabledKind, bool grayed, bool enabled, int numGlyphs);
// A glyph whose bitmap holds the image over its mask (half the bitmap's height lower);
// $FF00FF pixels take the parent's pixel (UseParent, BgInfo ready), else are left out.
void PaintSkinGlyph(fw::TRect dstRect, fw::TRect srcRect, fw::TBitmap* dst, bool useParent, const TkBgRef& bgInfo,
                    fw::TBitmap* src);
// A soft-edged rounded shape of Color blended into R: opaque in its centre (less so by
// transparency percent), fading over depth pixels, with corners of the given radius.
void PaintShapeGlyph(fw::TBitmap* bmp, fw::TRect r, int transparency, int depth, int radius, fw::TColor color);
// Bmp takes the list's size, its background colour ($FF00FF for clNone) and image index.
void CopyImageListImage(fw::TBitmap* bmp, fw::TCustomImageList* imageList, int index);
// Every pixel of Src but TransColor's at (X, Y) of Dst.
void CopyTransparentPixels(fw::TBitmap* dst, fw::TBitmap* src, int x, fw::TColor transColor, int y);
// GrayscaleBitmap, leaving TransColor's pixels as they are.
void GrayscaleBitmapTransparent(fw::TBitmap* bmp, fw::TColor transColor);

// dst := (src * (255 - Alpha) + dst * Alpha + 127) shr 8 over two bitmaps of one size, or over
// SrcRect of Src laid at P (clipped to both).
void BlendBitmapsPercent(fw::TBitmap* dst, fw::TBitmap* src, unsigned char alpha);
void BlendBitmapsRect(fw::TBitmap* dst, fw::TBitmap* src, unsigned char alpha, fw::TPoint p, fw::TRect srcRect);
inline void BlendTransRectangle(fw::TBitmap* dst, fw::TBitmap* src, unsigned char alpha, fw::TPoint p, fw::TRect srcRect) {
  BlendBitmapsRect(dst, src, alpha, p, srcRect);
}

std::unique_ptr<fw::TBitmap> CreateBitmap24(int width, int height);
std::unique_ptr<fw::TBitmap> CreateBitmap24As(const fw::TGraphic* graphic);
void FillDCRect(HDC dc, const fw::TRect& r, fw::TColor color);
inline fw::TColor ColorValue(fw::TColor color) { return color; }
// Each channel ((c1 - c2) * 127 + c2 shl 8) shr 8: 126 for white over black, 128 the other way.
fw::TColor AverageColors(fw::TColor c1, fw::TColor c2);
inline fw::TColor MixChannelsHalf(fw::TColor c1, fw::TColor c2) { return AverageColors(c1, c2); }
// Each channel Round((c1 - c2) * Factor + c2): Factor is the weight of C1.
fw::TColor MixColorsByFactor(fw::TColor c1, fw::TColor c2, double factor);
// Width one-pixel bevels inside R (light top and left, dark bottom and right).
void DrawBevelLines(HDC dc, fw::TRect& r, int width, fw::TColor lightColor, fw::TColor darkColor);
// Black dots every third pixel along R's edges, each with a white one up and left of it.
void DrawFocusDots(fw::TCanvas* canvas, const fw::TRect& r);

}  // namespace skin
