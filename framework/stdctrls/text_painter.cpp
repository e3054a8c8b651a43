#include "framework/stdctrls/text_painter.h"

#include <cctype>

#include "framework/rtl/wide_text.h"
#include "framework/sys/owned_handle.h"

namespace fw {

UINT AlignmentFlags(TAlignment alignment) {
  switch (alignment) {
    case taRightJustify: return DT_RIGHT;
    case taCenter: return DT_CENTER;
    default: return DT_LEFT;
  }
}

TTextPainter::TTextPainter(HDC dc, TFont* font) : FDC(dc) {
  FOldFont = SelectObject(dc, font->GetHandle());
  FOldColor = SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(font->GetColor())));
  FOldMode = SetBkMode(dc, TRANSPARENT);
}

TTextPainter::~TTextPainter() {
  SetBkMode(FDC, FOldMode);
  SetTextColor(FDC, FOldColor);
  SelectObject(FDC, FOldFont);
}

int TTextPainter::Draw(const std::string& text, TRect& rect, UINT flags) {
  return DrawTextUtf8(FDC, text, *AsRECT(rect), flags);
}

void TTextPainter::DrawDisabled(const std::string& text, TRect rect, UINT flags) {
  DrawDisabledText(FDC, text, rect, flags);
}

int DrawTextUtf8(HDC dc, const std::string& text, RECT& rect, UINT flags) {
  std::wstring wide = ShownWide(text);
  return DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &rect, flags);
}

void DrawDisabledText(HDC dc, const std::string& text, TRect rect, UINT flags) {
  COLORREF old = GetTextColor(dc);
  int mode = SetBkMode(dc, TRANSPARENT);
  OffsetRect(AsRECT(rect), 1, 1);
  SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(clBtnHighlight)));
  DrawTextUtf8(dc, text, *AsRECT(rect), flags);
  OffsetRect(AsRECT(rect), -1, -1);
  SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(clBtnShadow)));
  DrawTextUtf8(dc, text, *AsRECT(rect), flags);
  SetTextColor(dc, old);
  SetBkMode(dc, mode);
}

TSize TTextPainter::Extent(const std::string& text) {
  TSize size{0, 0};
  std::wstring wide = ShownWide(text);
  GetTextExtentPoint32W(FDC, wide.c_str(), static_cast<int>(wide.size()), &size);
  return size;
}

TSize FontTextExtent(TFont* font, const std::string& text) {
  TWindowDC dc;
  TTextPainter painter(dc.Get(), font);
  return painter.Extent(text);
}

int FontTextHeight(TFont* font) { return FontTextExtent(font, "0").cy; }

bool IsAccel(char key, const std::string& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;
      continue;
    }
    return std::toupper(static_cast<unsigned char>(caption[i + 1])) == std::toupper(static_cast<unsigned char>(key));
  }
  return false;
}

void Frame3D(HDC dc, TRect& rect, TColor topColor, TColor bottomColor, int width) {
  HBRUSH top = CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(topColor)));
  HBRUSH bottom = CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(bottomColor)));
  for (int i = 0; i < width && rect.Width() > 0 && rect.Height() > 0; ++i) {
    RECT r{rect.Left, rect.Top, rect.Right, rect.Top + 1};
    FillRect(dc, &r, top);
    r = RECT{rect.Left, rect.Top, rect.Left + 1, rect.Bottom};
    FillRect(dc, &r, top);
    r = RECT{rect.Left, rect.Bottom - 1, rect.Right, rect.Bottom};
    FillRect(dc, &r, bottom);
    r = RECT{rect.Right - 1, rect.Top, rect.Right, rect.Bottom};
    FillRect(dc, &r, bottom);
    rect.Left += 1;
    rect.Top += 1;
    rect.Right -= 1;
    rect.Bottom -= 1;
  }
  DeleteObject(top);
  DeleteObject(bottom);
}

}  // namespace fw
