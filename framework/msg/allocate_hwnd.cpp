#include "framework/msg/allocate_hwnd.h"

#include "framework/msg/exception_barrier.h"

namespace fw {

namespace {
const char kUtilClass[] = "TPUtilWindow";
const char kMethodProp[] = "VorletWndMethod";

LRESULT CALLBACK UtilWndProc(HWND wnd, UINT msg, WPARAM w, LPARAM l) {
  auto* method = static_cast<TWndMethod*>(GetPropA(wnd, kMethodProp));
  if (!method) return DefWindowProcA(wnd, msg, w, l);
  TMessage m{msg, w, l, 0};
  Barrier([&] { (*method)(m); });
  return m.Result;
}

void RegisterUtilClass() {
  static bool registered = false;
  if (registered) return;
  WNDCLASSA wc{};
  wc.lpfnWndProc = UtilWndProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = kUtilClass;
  RegisterClassA(&wc);
  registered = true;
}
}  // namespace

HWND AllocateHWnd(TWndMethod method) {
  RegisterUtilClass();
  HWND wnd = CreateWindowExA(WS_EX_TOOLWINDOW, kUtilClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
  if (!wnd) return nullptr;
  SetPropA(wnd, kMethodProp, new TWndMethod(std::move(method)));
  return wnd;
}

void DeallocateHWnd(HWND wnd) {
  if (!wnd) return;
  auto* method = static_cast<TWndMethod*>(RemovePropA(wnd, kMethodProp));
  DestroyWindow(wnd);
  delete method;
}

}  // namespace fw
