// TPoint, TRect and TSize: plain records laid out exactly like POINT and RECT, so a pointer to one can be
// handed to Win32 (AsPOINT/AsRECT). Right and Bottom are exclusive, as in Win32.
#pragma once
#include "framework/win.h"

namespace fw {

struct TPoint {
  int X = 0;
  int Y = 0;

  constexpr TPoint() = default;
  constexpr TPoint(int x, int y) : X(x), Y(y) {}
  TPoint(const POINT& p) : X(p.x), Y(p.y) {}
  operator POINT() const { return POINT{X, Y}; }
  constexpr bool operator==(const TPoint&) const = default;
};

struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;

  constexpr TRect() = default;
  constexpr TRect(int left, int top, int right, int bottom)
      : Left(left), Top(top), Right(right), Bottom(bottom) {}
  constexpr TRect(TPoint topLeft, TPoint bottomRight)
      : Left(topLeft.X), Top(topLeft.Y), Right(bottomRight.X), Bottom(bottomRight.Y) {}
  TRect(const RECT& r) : Left(r.left), Top(r.top), Right(r.right), Bottom(r.bottom) {}
  operator RECT() const { return RECT{Left, Top, Right, Bottom}; }
  constexpr bool operator==(const TRect&) const = default;

  constexpr int Width() const { return Right - Left; }
  constexpr int Height() const { return Bottom - Top; }
  constexpr TPoint TopLeft() const { return TPoint(Left, Top); }
  constexpr TPoint BottomRight() const { return TPoint(Right, Bottom); }
};

// Width and height as Win32 gives them (cx, cy).
using TSize = SIZE;

static_assert(sizeof(TPoint) == sizeof(POINT) && sizeof(TRect) == sizeof(RECT),
              "TPoint/TRect must keep the Win32 layout");

inline RECT* AsRECT(TRect& r) { return reinterpret_cast<RECT*>(&r); }
inline const RECT* AsRECT(const TRect& r) { return reinterpret_cast<const RECT*>(&r); }
inline POINT* AsPOINT(TPoint& p) { return reinterpret_cast<POINT*>(&p); }
inline const POINT* AsPOINT(const TPoint& p) { return reinterpret_cast<const POINT*>(&p); }

constexpr TPoint Point(int x, int y) { return TPoint(x, y); }
constexpr TRect Rect(int left, int top, int right, int bottom) {
  return TRect(left, top, right, bottom);
}
constexpr TRect Bounds(int left, int top, int width, int height) {
  return TRect(left, top, left + width, top + height);
}

}  // namespace fw
