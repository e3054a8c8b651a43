// TFont: a font description (Tahoma 8 pt by default) with a cached HFONT.
// Size and Height follow the Pascal rule Height = -MulDiv(Size, PixelsPerInch, 72): a positive
// Size asks for a character height, a negative Size for a cell height.
#pragma once
#include <string>

#include "framework/core/sets.h"
#include "framework/graphics/colors.h"
#include "framework/graphics/graphics_object.h"

namespace fw {

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;
enum TFontPitch { fpDefault, fpVariable, fpFixed };
using TFontCharset = BYTE;

// Logical pixels per inch of the screen (LOGPIXELSY), read once.
int ScreenLogPixels();

class TFont : public TGraphicsObject {
  FW_CLASS(TFont, TGraphicsObject)
 public:
  TFont();

  // Copies name, height, style, colour, charset and pitch from another TFont; a font with
  // another PixelsPerInch takes the source's Size instead of its Height.
  void Assign(const TPersistent* source) override;

  const std::string& GetName() const { return FName; }
  void SetName(const std::string& name);
  int GetSize() const;
  void SetSize(int size);
  int GetHeight() const { return FHeight; }
  void SetHeight(int height);
  TFontStyles GetStyle() const { return FStyle; }
  void SetStyle(TFontStyles style);
  TColor GetColor() const { return FColor; }
  void SetColor(TColor color);
  TFontCharset GetCharset() const { return FCharset; }
  void SetCharset(TFontCharset charset);
  TFontPitch GetPitch() const { return FPitch; }
  void SetPitch(TFontPitch pitch);
  int GetPixelsPerInch() const { return FPixelsPerInch; }
  void SetPixelsPerInch(int pixelsPerInch) { FPixelsPerInch = pixelsPerInch; }

  // The HFONT for the current description, created on first use and owned by the font.
  HFONT GetHandle();
  // Adopts the font's LOGFONT as the description and takes ownership of the handle.
  void SetHandle(HFONT font);

  LOGFONTA GetLogFont() const;
  void SetLogFont(const LOGFONTA& logFont);

 private:
  void ReadLogFont(const LOGFONTA& logFont);

  std::string FName = "Tahoma";
  int FHeight = -11;
  TFontStyles FStyle;
  TColor FColor = clWindowText;
  TFontCharset FCharset = DEFAULT_CHARSET;
  TFontPitch FPitch = fpDefault;
  int FPixelsPerInch;
};

}  // namespace fw
