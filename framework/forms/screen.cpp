#include "framework/forms/screen.h"

#include <algorithm>

#include "framework/forms/custom_form.h"
#include "framework/sys/owned_handle.h"

namespace fw {

TScreen* Screen = nullptr;

namespace {
LPCSTR StockCursorName(TCursor cursor) {
  switch (cursor) {
    case crArrow: return IDC_ARROW;
    case crCross: return IDC_CROSS;
    case crIBeam: return IDC_IBEAM;
    case crSizeNESW: return IDC_SIZENESW;
    case crSizeNS: return IDC_SIZENS;
    case crSizeNWSE: return IDC_SIZENWSE;
    case crSizeWE: return IDC_SIZEWE;
    case crUpArrow: return IDC_UPARROW;
    case crHourGlass: return IDC_WAIT;
    case crNo: return IDC_NO;
    case crAppStart: return IDC_APPSTARTING;
    case crHelp: return IDC_HELP;
    case crHandPoint: return IDC_HAND;
    case crSizeAll: return IDC_SIZEALL;
    case crHSplit: return IDC_SIZEWE;
    case crVSplit: return IDC_SIZENS;
    case crSQLWait: return IDC_WAIT;
    case crDrag: case crMultiDrag: case crNoDrop: return IDC_ARROW;
    default: return IDC_ARROW;
  }
}
}  // namespace

TScreen::TScreen(TComponent* owner) : TComponent(owner) {
  FPixelsPerInch = GetDeviceCaps(TWindowDC().Get(), LOGPIXELSY);
  // The structure as Windows XP knows it (340 bytes), which every later system accepts.
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = 340;
  if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, 340, &metrics, 0)) {
    FMenuFont->SetHandle(CreateFontIndirectA(&metrics.lfMenuFont));
    FHintFont->SetHandle(CreateFontIndirectA(&metrics.lfStatusFont));
  }
  LOGFONTA icon{};
  if (SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof icon, &icon, 0)) FIconFont->SetHandle(CreateFontIndirectA(&icon));
}

TRect TScreen::GetWorkAreaRect() const {
  RECT r{0, 0, GetWidth(), GetHeight()};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0);
  return r;
}

void TScreen::SetCursor(TCursor cursor) {
  if (cursor == FCursor) return;
  FCursor = cursor;
  if (cursor != crDefault) {
    ::SetCursor(GetCursors(cursor));
    return;
  }
  // Back to the controls' own cursors: ask the window under the mouse.
  POINT p;
  GetCursorPos(&p);
  HWND wnd = WindowFromPoint(p);
  if (wnd && GetWindowThreadProcessId(wnd, nullptr) == GetCurrentThreadId())
    SendMessageA(wnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(wnd),
                 MAKELPARAM(SendMessageA(wnd, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y)), WM_MOUSEMOVE));
}

HCURSOR TScreen::GetCursors(TCursor index) const {
  if (index == crNone) return nullptr;
  auto it = FCursors.find(index);
  if (it != FCursors.end()) return it->second;
  return LoadCursorA(nullptr, StockCursorName(index));
}

void TScreen::SetCursors(TCursor index, HCURSOR cursor) { FCursors[index] = cursor; }

HCURSOR TScreen::CursorHandle(TCursor cursor) {
  if (Screen) return Screen->GetCursors(cursor);
  return cursor == crNone ? nullptr : LoadCursorA(nullptr, StockCursorName(cursor));
}

TCustomForm* TScreen::GetActiveForm() const {
  TWinControl* c = TWinControl::FindControl(GetActiveWindow());
  return dynamic_cast<TCustomForm*>(c);
}

void TScreen::AddForm(TCustomForm* form) { FForms.push_back(form); }

void TScreen::RemoveForm(TCustomForm* form) {
  auto it = std::find(FForms.begin(), FForms.end(), form);
  if (it != FForms.end()) FForms.erase(it);
}

}  // namespace fw
