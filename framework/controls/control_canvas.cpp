#include "framework/controls/control_canvas.h"

#include <algorithm>
#include <vector>

#include "framework/controls/win_control.h"

namespace fw {

namespace {
std::vector<TControlCanvas*>& CanvasesWithDC() {
  static std::vector<TControlCanvas*> list;
  return list;
}
}  // namespace

TControlCanvas::~TControlCanvas() { FreeHandle(); }

void TControlCanvas::CreateHandle() {
  if (!FControl) return;
  auto* win = dynamic_cast<TWinControl*>(FControl);
  TWinControl* host = win ? win : FControl->GetParent();
  if (!host) return;
  HWND wnd = host->GetHandle();
  HDC dc = GetDC(wnd);
  if (!dc) return;
  if (!win) {
    SetViewportOrgEx(dc, FControl->GetLeft(), FControl->GetTop(), nullptr);
    IntersectClipRect(dc, 0, 0, FControl->GetWidth(), FControl->GetHeight());
  }
  FDCWindow = wnd;
  FOwnDC = dc;
  SetHandle(dc);
  CanvasesWithDC().push_back(this);
}

void TControlCanvas::FreeHandle() {
  if (!FOwnDC) return;
  SetHandle(nullptr);
  ReleaseDC(FDCWindow, FOwnDC);
  FOwnDC = nullptr;
  FDCWindow = nullptr;
  auto& list = CanvasesWithDC();
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

void TControlCanvas::FreeDeviceContexts() {
  std::vector<TControlCanvas*> list = CanvasesWithDC();
  for (TControlCanvas* c : list) c->FreeHandle();
}

}  // namespace fw
