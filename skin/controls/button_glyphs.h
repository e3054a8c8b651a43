// The glyph routines the skinned bitmap button, speed button and tool bar share: the size and
// place of a button glyph, its drawing into a cache from a glyph bitmap or an image list with
// the hot, grey, translucent and disabled looks, the two-frame framework glyph made from an
// image list for the unskinned button, and the tool-button glyph's list and position.
#pragma once
#include "framework/buttons/button_glyph.h"
#include "framework/core/sets.h"
#include "framework/stdctrls/text_painter.h"

namespace fw {
class TControl;
class TCustomImageList;
}  // namespace fw

namespace skin {

enum TkDisabledGlyphKindItem { dgBlended, dgGrayed };
using TkDisabledGlyphKind = fw::TSet<TkDisabledGlyphKindItem>;

// The number of images of the list; 0 without one.
int ImagesCount(fw::TCustomImageList* list);
// The background of a list's images, $FF00FF when it has none: their transparent colour.
fw::TColor ListBackground(const fw::TCustomImageList* list);

// What a button glyph is drawn from and how it looks.
struct TkGlyphSource {
  fw::TBitmap* Glyph = nullptr;  // used when it has a positive width
  int NumGlyphs = 1;
  fw::TCustomImageList* Images = nullptr;  // else image ImageIndex of this list
  int ImageIndex = -1;
  int Blend = 0;  // percent of transparency while not hot
  bool Grayed = false;
  bool Hot = false;
  bool Enabled = true;
  TkDisabledGlyphKind DisabledGlyphKind{dgBlended};

  bool BitmapMode() const;
  // One frame's size: the glyph's width div NumGlyphs by its height, else the list's image
  // size when an index is set, else 0 x 0.
  fw::TSize Size() const;
};

// The numbers a button's glyph place is computed from.
struct TkGlyphLayout {
  int Width = 0, Height = 0;  // the button (less any drop-down area)
  fw::TSize Glyph;            // one glyph frame
  fw::TSize Text;             // the caption's size
  fw::TButtonLayout Layout = fw::blGlyphLeft;
  fw::TAlignment Alignment = fw::taCenter;
  int Margin = -1;
  int Spacing = 4;
  bool Spaced = true;  // the caption is shown and not empty: Spacing parts glyph and caption
  bool Down = false;   // pressed: the glyph moves by (1, 1)
};

// Where the glyph goes in the button.
fw::TRect GlyphRect(const TkGlyphLayout& layout);

// The glyph into Dst at the rectangle's top-left, in its look: a glyph bitmap through
// DrawGlyphBitmap; an image-list image over its list's background colour, grey (but for the
// colour of one corner) when disabled with dgGrayed or, not hot, Grayed; half transparent when
// disabled with dgBlended; Blend percent transparent when enabled and not hot. An index outside
// the list draws nothing. The bitmap button keeps the colour of the image's top-left corner out
// of the grey, the speed button that of its bottom-left corner.
void DrawBitBtnGlyph(const TkGlyphSource& source, fw::TBitmap* dst, const fw::TRect& at);
void DrawSpeedButtonGlyph(const TkGlyphSource& source, fw::TBitmap* dst, const fw::TRect& at);

// Makes Glyph a two-frame framework glyph (normal, disabled) of image Index of the list, the
// disabled frame by DisabledGlyphKind; returns the new NumGlyphs (2), or numGlyphs unchanged
// when nothing was done (the control loading at design time, Index outside the list).
int CopyListImageToGlyph(fw::TControl* control, int index, int numGlyphs, TkDisabledGlyphKind disabledGlyphKind,
                         fw::TBitmap* glyph, fw::TCustomImageList* images);

// A tool button's glyph: the hot list when the button is hot and that list holds its image,
// else the normal one; List: captions beside the images; LetterHeight: the height of "A" in the
// bar's font, 0 when captions are not shown.
struct TkToolGlyph {
  fw::TCustomImageList* Images = nullptr;
  fw::TPoint At;
};
TkToolGlyph PlaceToolButtonGlyph(fw::TCustomImageList* images, fw::TCustomImageList* hotImages, int imageIndex,
                                 bool hot, bool list, fw::TSize button, bool dropDown, int letterHeight, bool pressed);
// Draws image Index of the placed list into Dst with its background colour transparent.
void DrawToolButtonGlyph(const TkToolGlyph& glyph, int index, fw::TBitmap* dst);

}  // namespace skin
