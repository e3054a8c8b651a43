#include "services/system/util_window.h"

namespace svc {

HWND AllocateUtilWindow(const std::string& className, fw::TWndMethod method) {
  return fw::AllocateHWnd(std::move(method), className.empty() ? "TPUtilWindowEx" : className);
}

void DeallocateUtilWindow(HWND wnd) { fw::DeallocateHWnd(wnd); }

}  // namespace svc
