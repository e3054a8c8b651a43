#include "framework/forms/paint_hold.h"

namespace fw {

namespace {

// A message number nothing posts: the look at the queue finds it empty.
constexpr UINT kNeverPosted = WM_APP + 0x3F00;
constexpr char kCoverClass[] = "FwPaintCover";

LRESULT CALLBACK CoverProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window, &ps);
      HDC picture = CreateCompatibleDC(dc);
      HGDIOBJ old = SelectObject(picture, reinterpret_cast<HBITMAP>(GetWindowLongPtrA(window, GWLP_USERDATA)));
      RECT r{};
      GetClientRect(window, &r);
      BitBlt(dc, 0, 0, r.right, r.bottom, picture, 0, 0, SRCCOPY);
      SelectObject(picture, old);
      DeleteDC(picture);
      EndPaint(window, &ps);
      return 0;
    }
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_NCHITTEST:
      return HTTRANSPARENT;
    default:
      return DefWindowProcA(window, msg, wParam, lParam);
  }
}

// A window without frame over the client area of window, showing what the area shows now; it
// takes no activation and no input. Gone with its destructor.
class TCover {
 public:
  explicit TCover(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    if (client.right <= 0 || client.bottom <= 0) return;
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    HDC dc = GetDC(window);
    FPicture = CreateCompatibleBitmap(dc, client.right, client.bottom);
    HDC picture = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(picture, FPicture);
    BitBlt(picture, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
    SelectObject(picture, old);
    DeleteDC(picture);
    ReleaseDC(window, dc);
    WNDCLASSA wc{};
    wc.lpfnWndProc = CoverProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kCoverClass;
    WNDCLASSA existing{};
    if (!GetClassInfoA(wc.hInstance, kCoverClass, &existing)) RegisterClassA(&wc);
    FWindow = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kCoverClass, "", WS_POPUP, origin.x, origin.y,
                              client.right, client.bottom, window, nullptr, wc.hInstance, nullptr);
    if (!FWindow) return;
    SetWindowLongPtrA(FWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(FPicture));
    // Right above the window, under whatever other window covers it.
    HWND above = GetWindow(window, GW_HWNDPREV);
    SetWindowPos(FWindow, above ? above : HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    UpdateWindow(FWindow);
  }
  ~TCover() {
    if (FWindow) DestroyWindow(FWindow);
    if (FPicture) DeleteObject(FPicture);
  }
  TCover(const TCover&) = delete;
  TCover& operator=(const TCover&) = delete;

 private:
  HBITMAP FPicture = nullptr;
  HWND FWindow = nullptr;
};

}  // namespace

void ShowScreenAsItIs() {
  MSG msg;
  PeekMessageA(&msg, nullptr, kNeverPosted, kNeverPosted, PM_NOREMOVE);
}

TPaintHold::TPaintHold(HWND window) {
  if (!window || !IsWindowVisible(window)) return;
  FWindow = window;
  SendMessageA(FWindow, WM_SETREDRAW, FALSE, 0);
}

TPaintHold::~TPaintHold() {
  if (!FWindow || !IsWindow(FWindow)) return;
  // Nothing was painted while held: the window still holds the old picture, which the cover
  // copies; the repaint goes on under it.
  SendMessageA(FWindow, WM_SETREDRAW, TRUE, 0);
  const TCover cover(FWindow);
  RedrawWindow(FWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  // What the first paint left invalid (a shell tree sets itself up at its first paint and paints
  // at the next) paints too.
  RedrawWindow(FWindow, nullptr, nullptr, RDW_ALLCHILDREN | RDW_UPDATENOW);
}

}  // namespace fw
