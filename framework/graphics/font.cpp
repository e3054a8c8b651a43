#include "framework/graphics/font.h"

#include <cstring>

#include "framework/rtl/wide_text.h"
#include "framework/sys/owned_handle.h"

namespace fw {

int ScreenLogPixels() {
  static int pixels = [] {
    int value = ::GetDeviceCaps(TWindowDC().Get(), LOGPIXELSY);
    return value > 0 ? value : 96;
  }();
  return pixels;
}

TFont::TFont() : FPixelsPerInch(ScreenLogPixels()) {}

void TFont::Assign(const TPersistent* source) {
  auto* font = dynamic_cast<const TFont*>(source);
  if (!font) {
    TGraphicsObject::Assign(source);
    return;
  }
  if (font == this) return;
  FName = font->FName;
  FHeight = font->FPixelsPerInch == FPixelsPerInch
                ? font->FHeight
                : -::MulDiv(font->GetSize(), FPixelsPerInch, 72);
  FStyle = font->FStyle;
  FColor = font->FColor;
  FCharset = font->FCharset;
  FPitch = font->FPitch;
  Changed();
}

void TFont::SetName(const std::string& name) {
  if (name.empty() || name == FName) return;
  FName = name;
  Changed();
}

int TFont::GetSize() const { return -::MulDiv(FHeight, 72, FPixelsPerInch); }

void TFont::SetSize(int size) { SetHeight(-::MulDiv(size, FPixelsPerInch, 72)); }

void TFont::SetHeight(int height) {
  if (height == FHeight) return;
  FHeight = height;
  Changed();
}

void TFont::SetStyle(TFontStyles style) {
  if (style == FStyle) return;
  FStyle = style;
  Changed();
}

void TFont::SetColor(TColor color) {
  if (color == FColor) return;
  FColor = color;
  Changed(false);  // the colour is not part of the HFONT
}

void TFont::SetCharset(TFontCharset charset) {
  if (charset == FCharset) return;
  FCharset = charset;
  Changed();
}

void TFont::SetPitch(TFontPitch pitch) {
  if (pitch == FPitch) return;
  FPitch = pitch;
  Changed();
}

LOGFONTA TFont::GetLogFont() const {
  LOGFONTA lf{};
  lf.lfHeight = FHeight;
  lf.lfWeight = FStyle.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = FStyle.Contains(fsItalic);
  lf.lfUnderline = FStyle.Contains(fsUnderline);
  lf.lfStrikeOut = FStyle.Contains(fsStrikeOut);
  lf.lfCharSet = FCharset;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = FPitch == fpVariable ? VARIABLE_PITCH
                        : FPitch == fpFixed  ? FIXED_PITCH
                                             : DEFAULT_PITCH;
  std::string face = ValidUtf8(FName, LF_FACESIZE - 1);
  std::memcpy(lf.lfFaceName, face.data(), face.size());
  return lf;
}

void TFont::ReadLogFont(const LOGFONTA& lf) {
  FHeight = lf.lfHeight;
  FName.assign(lf.lfFaceName, strnlen(lf.lfFaceName, LF_FACESIZE));
  TFontStyles style;
  if (lf.lfWeight >= FW_BOLD) style.Include(fsBold);
  if (lf.lfItalic) style.Include(fsItalic);
  if (lf.lfUnderline) style.Include(fsUnderline);
  if (lf.lfStrikeOut) style.Include(fsStrikeOut);
  FStyle = style;
  FCharset = lf.lfCharSet;
  switch (lf.lfPitchAndFamily & 0x03) {
    case VARIABLE_PITCH: FPitch = fpVariable; break;
    case FIXED_PITCH: FPitch = fpFixed; break;
    default: FPitch = fpDefault;
  }
}

void TFont::SetLogFont(const LOGFONTA& logFont) {
  ReadLogFont(logFont);
  Changed();
}

HFONT TFont::GetHandle() {
  if (!FHandle) {
    LOGFONTA lf = GetLogFont();
    FHandle = ::CreateFontIndirectA(&lf);
    FOwnsHandle = true;
  }
  return static_cast<HFONT>(FHandle);
}

void TFont::SetHandle(HFONT font) {
  if (font == FHandle) return;
  LOGFONTA lf{};
  if (font && ::GetObjectA(font, sizeof(lf), &lf)) ReadLogFont(lf);
  Adopt(font, true);
}

}  // namespace fw
