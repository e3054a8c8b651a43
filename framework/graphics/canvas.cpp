#include "framework/graphics/canvas.h"

#include <vector>

#include "framework/graphics/graphic.h"
#include "framework/rtl/exceptions.h"
#include "framework/rtl/wide_text.h"

namespace fw {

TCanvas::TCanvas() {
  // A changed object is selected again before the next drawing; the old handle is put out of
  // the DC here, before its owner deletes it.
  FFont.OnChange = [this](TObject*) {
    if (FState.Contains(csFontValid)) {
      ::SelectObject(FHandle, ::GetStockObject(SYSTEM_FONT));
      FState.Exclude(csFontValid);
    }
  };
  FBrush.OnChange = [this](TObject*) {
    if (FState.Contains(csBrushValid)) {
      ::SelectObject(FHandle, ::GetStockObject(HOLLOW_BRUSH));
      FState.Exclude(csBrushValid);
    }
  };
  FPen.OnChange = [this](TObject*) {
    if (FState.Contains(csPenValid)) {
      ::SelectObject(FHandle, ::GetStockObject(BLACK_PEN));
      FState.Exclude(csPenValid);
    }
  };
}

TCanvas::~TCanvas() { SetHandle(nullptr); }

HDC TCanvas::GetHandle() {
  RequiredState(TCanvasState{csHandleValid});
  return FHandle;
}

void TCanvas::SetHandle(HDC dc) {
  if (dc == FHandle) return;
  if (FHandle) DeselectHandles();
  FHandle = dc;
  FState = dc ? TCanvasState{csHandleValid} : TCanvasState{};
}

void TCanvas::DeselectHandles() {
  if (FOldFont) ::SelectObject(FHandle, FOldFont);
  if (FOldBrush) ::SelectObject(FHandle, FOldBrush);
  if (FOldPen) ::SelectObject(FHandle, FOldPen);
  FOldFont = FOldBrush = FOldPen = nullptr;
  FState -= TCanvasState{csFontValid, csBrushValid, csPenValid};
}

void TCanvas::RequiredState(TCanvasState required) {
  if (!FHandle) {
    CreateHandle();
    if (!FHandle) throw EInvalidOperation("Canvas does not allow drawing");
  }
  if (required.Contains(csFontValid) && !FState.Contains(csFontValid)) SelectFont();
  if (required.Contains(csBrushValid) && !FState.Contains(csBrushValid)) SelectBrush();
  if (required.Contains(csPenValid) && !FState.Contains(csPenValid)) SelectPen();
}

void TCanvas::SelectFont() {
  HGDIOBJ old = ::SelectObject(FHandle, FFont.GetHandle());
  if (!FOldFont) FOldFont = old;
  ::SetTextColor(FHandle, static_cast<COLORREF>(ColorToRGB(FFont.GetColor())));
  FState.Include(csFontValid);
}

void TCanvas::SelectBrush() {
  HBRUSH brush = FBrush.GetHandle();
  ::UnrealizeObject(brush);
  HGDIOBJ old = ::SelectObject(FHandle, brush);
  if (!FOldBrush) FOldBrush = old;
  ::SetBkColor(FHandle, static_cast<COLORREF>(ColorToRGB(FBrush.GetColor())));
  ::SetBkMode(FHandle, FBrush.GetStyle() == bsSolid ? OPAQUE : TRANSPARENT);
  FState.Include(csBrushValid);
}

void TCanvas::SelectPen() {
  HGDIOBJ old = ::SelectObject(FHandle, FPen.GetHandle());
  if (!FOldPen) FOldPen = old;
  ::SetROP2(FHandle, FPen.GetRop2());
  FState.Include(csPenValid);
}

TPoint TCanvas::GetPenPos() {
  RequiredState(TCanvasState{csHandleValid});
  POINT p{};
  ::GetCurrentPositionEx(FHandle, &p);
  return p;
}

void TCanvas::FillRect(const TRect& rect) {
  RequiredState(TCanvasState{csBrushValid});
  ::FillRect(FHandle, AsRECT(rect), FBrush.GetHandle());
}

void TCanvas::FrameRect(const TRect& rect) {
  RequiredState(TCanvasState{csBrushValid});
  ::FrameRect(FHandle, AsRECT(rect), FBrush.GetHandle());
}

void TCanvas::DrawFocusRect(const TRect& rect) {
  RequiredState(TCanvasState{csBrushValid});
  ::DrawFocusRect(FHandle, AsRECT(rect));
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  RequiredState(TCanvasState{csPenValid, csBrushValid});
  ::Rectangle(FHandle, x1, y1, x2, y2);
}

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int x3, int y3) {
  RequiredState(TCanvasState{csPenValid, csBrushValid});
  ::RoundRect(FHandle, x1, y1, x2, y2, x3, y3);
}

void TCanvas::MoveTo(int x, int y) {
  RequiredState(TCanvasState{csHandleValid});
  ::MoveToEx(FHandle, x, y, nullptr);
}

void TCanvas::LineTo(int x, int y) {
  RequiredState(TCanvasState{csPenValid, csBrushValid});
  ::LineTo(FHandle, x, y);
}

void TCanvas::Polyline(std::span<const TPoint> points) {
  RequiredState(TCanvasState{csPenValid, csBrushValid});
  ::Polyline(FHandle, points.empty() ? nullptr : AsPOINT(points[0]), static_cast<int>(points.size()));
}

void TCanvas::Polygon(std::span<const TPoint> points) {
  RequiredState(TCanvasState{csPenValid, csBrushValid});
  ::Polygon(FHandle, points.empty() ? nullptr : AsPOINT(points[0]), static_cast<int>(points.size()));
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
  RequiredState(TCanvasState{csFontValid, csBrushValid});
  std::wstring wide = ShownWide(text);
  ::ExtTextOutW(FHandle, x, y, 0, nullptr, wide.c_str(), static_cast<UINT>(wide.size()), nullptr);
  MoveTo(x + TextWidth(text), y);
}

void TCanvas::TextRect(const TRect& rect, int x, int y, const std::string& text) {
  RequiredState(TCanvasState{csFontValid, csBrushValid});
  UINT options = ETO_CLIPPED;
  if (FBrush.GetStyle() != bsClear) options |= ETO_OPAQUE;
  std::wstring wide = ShownWide(text);
  ::ExtTextOutW(FHandle, x, y, options, AsRECT(rect), wide.c_str(), static_cast<UINT>(wide.size()), nullptr);
}

TSize TCanvas::TextExtent(const std::string& text) {
  RequiredState(TCanvasState{csFontValid});
  SIZE size{};
  std::wstring wide = ShownWide(text);
  ::GetTextExtentPoint32W(FHandle, wide.c_str(), static_cast<int>(wide.size()), &size);
  return size;
}

void TCanvas::Draw(int x, int y, TGraphic* graphic) {
  if (!graphic || graphic->GetEmpty()) return;
  RequiredState(TCanvasState{csHandleValid});
  graphic->Draw(*this, Bounds(x, y, graphic->GetWidth(), graphic->GetHeight()));
}

void TCanvas::StretchDraw(const TRect& rect, TGraphic* graphic) {
  if (!graphic || graphic->GetEmpty()) return;
  RequiredState(TCanvasState{csHandleValid});
  graphic->Draw(*this, rect);
}

void TCanvas::CopyRect(const TRect& dest, TCanvas* canvas, const TRect& source) {
  RequiredState(TCanvasState{csFontValid, csBrushValid});
  HDC sourceDC = canvas->GetHandle();
  ::StretchBlt(FHandle, dest.Left, dest.Top, dest.Width(), dest.Height(), sourceDC, source.Left,
               source.Top, source.Width(), source.Height(), FCopyMode);
}

TColor TCanvas::GetPixels(int x, int y) {
  RequiredState(TCanvasState{csHandleValid});
  return static_cast<TColor>(::GetPixel(FHandle, x, y));
}

void TCanvas::SetPixels(int x, int y, TColor color) {
  RequiredState(TCanvasState{csPenValid});
  ::SetPixel(FHandle, x, y, static_cast<COLORREF>(ColorToRGB(color)));
}

TRect TCanvas::GetClipRect() {
  RequiredState(TCanvasState{csHandleValid});
  RECT r{};
  ::GetClipBox(FHandle, &r);
  return r;
}

}  // namespace fw
