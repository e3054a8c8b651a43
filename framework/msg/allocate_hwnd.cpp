#include "framework/msg/allocate_hwnd.h"

#include "framework/msg/exception_barrier.h"

namespace fw {

namespace {
const char kDefaultClass[] = "TPUtilWindow";

TWndMethod* MethodOf(HWND wnd) { return reinterpret_cast<TWndMethod*>(GetWindowLongPtrA(wnd, 0)); }

LRESULT CALLBACK UtilWndProc(HWND wnd, UINT msg, WPARAM w, LPARAM l) {
  TWndMethod* method = MethodOf(wnd);
  LRESULT result;
  if (method && *method) {
    TMessage m{msg, w, l, 0};
    Barrier([&] { (*method)(m); });
    result = m.Result;
  } else {
    result = DefWindowProcA(wnd, msg, w, l);
  }
  // A window destroyed without DeallocateHWnd takes its method along.
  if (msg == WM_NCDESTROY && method) {
    SetWindowLongPtrA(wnd, 0, 0);
    delete method;
  }
  return result;
}

// Registers the class with UtilWndProc once; a class of that name registered otherwise is
// registered anew.
void RegisterUtilClass(const char* className, HINSTANCE instance) {
  WNDCLASSA existing{};
  if (GetClassInfoA(instance, className, &existing)) {
    if (existing.lpfnWndProc == UtilWndProc) return;
    UnregisterClassA(className, instance);
  }
  WNDCLASSA wc{};
  wc.lpfnWndProc = UtilWndProc;
  wc.cbWndExtra = sizeof(TWndMethod*);
  wc.hInstance = instance;
  wc.lpszClassName = className;
  RegisterClassA(&wc);
}
}  // namespace

HWND AllocateHWnd(TWndMethod method, const std::string& className) {
  const char* name = className.empty() ? kDefaultClass : className.c_str();
  HINSTANCE instance = GetModuleHandleA(nullptr);
  RegisterUtilClass(name, instance);
  HWND wnd = CreateWindowExA(WS_EX_TOOLWINDOW, name, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
  if (wnd && method) SetWindowLongPtrA(wnd, 0, reinterpret_cast<LONG_PTR>(new TWndMethod(std::move(method))));
  return wnd;
}

void DeallocateHWnd(HWND wnd) {
  if (!wnd) return;
  TWndMethod* method = MethodOf(wnd);
  SetWindowLongPtrA(wnd, 0, 0);
  DestroyWindow(wnd);
  delete method;
}

}  // namespace fw
