// Text and frame drawing shared by the standard controls: a font selected into a DC for the
// lifetime of a TTextPainter, DrawText with embossed disabled text, and 3-D frames. Text is
// painted and measured in UTF-16 (DrawTextW, GetTextExtentPoint32W): GDI's ANSI text calls do
// not follow the program's UTF-8 code page.
#pragma once
#include <string>

#include "framework/win.h"
#include "framework/graphics/colors.h"
#include "framework/graphics/font.h"
#include "framework/graphics/geometry.h"

namespace fw {

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TTextLayout { tlTop, tlCenter, tlBottom };
using TLeftRight = TAlignment;  // taLeftJustify or taRightJustify only

// DT_LEFT / DT_RIGHT / DT_CENTER for an alignment.
UINT AlignmentFlags(TAlignment alignment);

class TTextPainter {
 public:
  // Selects the font into dc with its colour and a transparent background.
  TTextPainter(HDC dc, TFont* font);
  ~TTextPainter();
  TTextPainter(const TTextPainter&) = delete;
  TTextPainter& operator=(const TTextPainter&) = delete;

  // DrawText; returns the text height. With DT_CALCRECT it measures into rect.
  int Draw(const std::string& text, TRect& rect, UINT flags);
  // Disabled text: the highlight colour one pixel down-right, the shadow colour on top.
  void DrawDisabled(const std::string& text, TRect rect, UINT flags);
  TSize Extent(const std::string& text);
  HDC GetDC() const { return FDC; }

 private:
  HDC FDC;
  HGDIOBJ FOldFont;
  COLORREF FOldColor;
  int FOldMode;
};

// DrawTextW of the UTF-8 text in the DC's current font; returns the text height. With
// DT_CALCRECT it measures into rect.
int DrawTextUtf8(HDC dc, const std::string& text, RECT& rect, UINT flags);

// Embossed disabled text in the DC's current font.
void DrawDisabledText(HDC dc, const std::string& text, TRect rect, UINT flags);

// The height of a line of text in the font (measured on a screen DC).
int FontTextHeight(TFont* font);
// The size of a text in the font (measured on a screen DC).
TSize FontTextExtent(TFont* font, const std::string& text);

// True when key is the accelerator (the character after a single '&') of the caption.
bool IsAccel(char key, const std::string& caption);

// A rectangle frame of width lines: top-left in topColor, bottom-right in bottomColor;
// rect shrinks by width.
void Frame3D(HDC dc, TRect& rect, TColor topColor, TColor bottomColor, int width);

}  // namespace fw
