// TCanvas: drawing on any device context. The DC is either created by a descendant
// (CreateHandle: bitmap and control canvases) or lent with SetHandle(dc); SetHandle(0) or a new
// DC first puts back the pen, brush and font the DC had before the canvas selected its own.
// Font, Brush and Pen are selected lazily, just before something is drawn with them.
#pragma once
#include <memory>
#include <span>
#include <string>

#include "framework/core/sets.h"
#include "framework/graphics/brush.h"
#include "framework/graphics/font.h"
#include "framework/graphics/geometry.h"
#include "framework/graphics/pen.h"

namespace fw {

class TGraphic;

enum TCanvasStateFlag { csHandleValid, csFontValid, csPenValid, csBrushValid };
using TCanvasState = TSet<TCanvasStateFlag>;
using TCopyMode = DWORD;

class TCanvas : public TPersistent {
  FW_CLASS(TCanvas, TPersistent)
 public:
  TCanvas();
  ~TCanvas() override;
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  // The DC; a canvas without one asks CreateHandle for it (nothing for a plain canvas).
  HDC GetHandle();
  // Lends a DC to the canvas (0 detaches). The previous DC gets its own objects back.
  void SetHandle(HDC dc);
  bool HandleAllocated() const { return FHandle != nullptr; }

  TFont* GetFont() { return &FFont; }
  void SetFont(const TFont* font) { FFont.Assign(font); }
  TBrush* GetBrush() { return &FBrush; }
  void SetBrush(const TBrush* brush) { FBrush.Assign(brush); }
  TPen* GetPen() { return &FPen; }
  void SetPen(const TPen* pen) { FPen.Assign(pen); }
  TCopyMode GetCopyMode() const { return FCopyMode; }
  void SetCopyMode(TCopyMode mode) { FCopyMode = mode; }
  TPoint GetPenPos();
  void SetPenPos(TPoint pos) { MoveTo(pos.X, pos.Y); }

  void FillRect(const TRect& rect);
  void FrameRect(const TRect& rect);
  void DrawFocusRect(const TRect& rect);
  void Rectangle(int x1, int y1, int x2, int y2);
  void Rectangle(const TRect& rect) { Rectangle(rect.Left, rect.Top, rect.Right, rect.Bottom); }
  void RoundRect(int x1, int y1, int x2, int y2, int x3, int y3);
  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  void Polyline(std::span<const TPoint> points);
  void Polygon(std::span<const TPoint> points);

  // Text is drawn in the font's colour on the brush: opaque for bsSolid, transparent for
  // bsClear. TextOut leaves the pen position at the end of the text.
  void TextOut(int x, int y, const std::string& text);
  // The text at (x, y), clipped to rect; a solid brush also fills the rest of rect.
  void TextRect(const TRect& rect, int x, int y, const std::string& text);
  TSize TextExtent(const std::string& text);
  int TextWidth(const std::string& text) { return TextExtent(text).cx; }
  int TextHeight(const std::string& text) { return TextExtent(text).cy; }

  // Draws the graphic at its own size with its top-left corner at (x, y).
  void Draw(int x, int y, TGraphic* graphic);
  void StretchDraw(const TRect& rect, TGraphic* graphic);
  // Copies source of another canvas onto dest of this one with CopyMode.
  void CopyRect(const TRect& dest, TCanvas* canvas, const TRect& source);

  TColor GetPixels(int x, int y);
  void SetPixels(int x, int y, TColor color);
  TRect GetClipRect();

  // Kept for code written against thread-shared canvases; the canvas is used by one thread.
  void Lock() {}
  void Unlock() {}

 protected:
  // Called when a DC is needed and none is set; descendants make one and SetHandle it.
  virtual void CreateHandle() {}
  // Makes sure the DC exists and the named objects are selected into it.
  void RequiredState(TCanvasState required);

 private:
  void SelectFont();
  void SelectBrush();
  void SelectPen();
  void DeselectHandles();

  HDC FHandle = nullptr;
  TCanvasState FState;
  TFont FFont;
  TBrush FBrush;
  TPen FPen;
  TCopyMode FCopyMode = SRCCOPY;
  // What the lent DC had selected before the canvas selected its own objects.
  HGDIOBJ FOldFont = nullptr;
  HGDIOBJ FOldBrush = nullptr;
  HGDIOBJ FOldPen = nullptr;
};

}  // namespace fw
