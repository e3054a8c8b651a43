#include "services/system/util_window.h"

#include "framework/msg/exception_barrier.h"

namespace svc {
namespace {

const char* const kDefaultClassName = "TPUtilWindowEx";

TUtilWndMethod* WindowMethod(HWND wnd) {
  return reinterpret_cast<TUtilWndMethod*>(GetWindowLongPtrA(wnd, 0));
}

LRESULT CALLBACK ForwardingProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  TUtilWndMethod* method = WindowMethod(wnd);
  LRESULT result;
  if (method && *method) {
    fw::TMessage message{msg, wParam, lParam, 0};
    fw::Barrier([&] { (*method)(message); });
    result = message.Result;
  } else {
    result = DefWindowProcA(wnd, msg, wParam, lParam);
  }
  if (msg == WM_NCDESTROY && method) {
    SetWindowLongPtrA(wnd, 0, 0);
    delete method;
  }
  return result;
}

void RegisterUtilClass(const char* className, HINSTANCE instance) {
  WNDCLASSA existing{};
  bool registered = GetClassInfoA(instance, className, &existing) != FALSE;
  if (registered && existing.lpfnWndProc != DefWindowProcA) {
    UnregisterClassA(className, instance);
    registered = false;
  }
  if (registered) return;
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.cbWndExtra = sizeof(TUtilWndMethod*);
  wc.hInstance = instance;
  wc.lpszClassName = className;
  RegisterClassA(&wc);
}

}  // namespace

HWND AllocateUtilWindow(const std::string& className, TUtilWndMethod method) {
  const char* name = className.empty() ? kDefaultClassName : className.c_str();
  HINSTANCE instance = GetModuleHandleA(nullptr);
  RegisterUtilClass(name, instance);
  HWND wnd = CreateWindowExA(WS_EX_TOOLWINDOW, name, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance,
                             nullptr);
  if (wnd && method) {
    SetWindowLongPtrA(wnd, 0, reinterpret_cast<LONG_PTR>(new TUtilWndMethod(std::move(method))));
    SetWindowLongPtrA(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ForwardingProc));
  }
  return wnd;
}

void DeallocateUtilWindow(HWND wnd) {
  if (wnd) DestroyWindow(wnd);
}

}  // namespace svc
