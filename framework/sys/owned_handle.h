// Owners of system handles: each closes the one handle it holds exactly once, when it goes or
// when told, so no way out of a function (an early return, an exception) leaves one open.
//   TFindHandle   FindFirstFileA ... FindClose
//   TFileHandle   CreateFileA, processes, threads ... CloseHandle
//   TRegKey       RegOpenKeyExA, RegCreateKeyExA ... RegCloseKey (never a predefined root key)
//   TTaskMem<T>   memory the shell hands out (item ID lists) ... CoTaskMemFree
//   TWindowDC     GetDC ... ReleaseDC
//   TMemoryDC     CreateCompatibleDC with a bitmap selected ... the bitmap deselected, DeleteDC
#pragma once
#include "framework/win.h"

#include <utility>

namespace fw {

template <class Traits>
class TOwnedHandle {
 public:
  using Type = typename Traits::Type;

  TOwnedHandle() = default;
  explicit TOwnedHandle(Type handle) : FHandle(handle) {}
  ~TOwnedHandle() { Close(); }
  TOwnedHandle(TOwnedHandle&& other) noexcept : FHandle(other.Release()) {}
  TOwnedHandle& operator=(TOwnedHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  TOwnedHandle(const TOwnedHandle&) = delete;
  TOwnedHandle& operator=(const TOwnedHandle&) = delete;

  Type Get() const { return FHandle; }
  bool Valid() const { return Traits::Valid(FHandle); }
  explicit operator bool() const { return Valid(); }

  // Where a call that opens a handle writes it; the handle held before is closed first.
  Type* Receive() {
    Close();
    return &FHandle;
  }
  // Gives the handle up without closing it.
  Type Release() { return std::exchange(FHandle, Traits::Empty()); }
  // Closes the handle held and takes another.
  void Reset(Type handle) {
    Close();
    FHandle = handle;
  }
  // Closes the handle now; false when there was none or the system reports a failure.
  bool Close() {
    if (!Valid()) return false;
    return Traits::Close(Release());
  }

 private:
  Type FHandle = Traits::Empty();
};

struct TFindHandleTraits {
  using Type = HANDLE;
  static HANDLE Empty() { return INVALID_HANDLE_VALUE; }
  static bool Valid(HANDLE handle) { return handle != INVALID_HANDLE_VALUE; }
  static bool Close(HANDLE handle) { return ::FindClose(handle) != FALSE; }
};

struct TKernelHandleTraits {
  using Type = HANDLE;
  static HANDLE Empty() { return nullptr; }
  // CreateFileA fails with INVALID_HANDLE_VALUE, most other calls with null.
  static bool Valid(HANDLE handle) { return handle && handle != INVALID_HANDLE_VALUE; }
  static bool Close(HANDLE handle) { return ::CloseHandle(handle) != FALSE; }
};

struct TRegKeyTraits {
  using Type = HKEY;
  static HKEY Empty() { return nullptr; }
  static bool Valid(HKEY key) { return key != nullptr; }
  static bool Close(HKEY key) { return ::RegCloseKey(key) == ERROR_SUCCESS; }
};

template <class T>
struct TTaskMemTraits {
  using Type = T*;
  static T* Empty() { return nullptr; }
  static bool Valid(T* memory) { return memory != nullptr; }
  static bool Close(T* memory) {
    ::CoTaskMemFree(memory);
    return true;
  }
};

using TFindHandle = TOwnedHandle<TFindHandleTraits>;
using TFileHandle = TOwnedHandle<TKernelHandleTraits>;
using TRegKey = TOwnedHandle<TRegKeyTraits>;
template <class T>
using TTaskMem = TOwnedHandle<TTaskMemTraits<T>>;

// The device context of a window (null: the screen), released when it goes.
class TWindowDC {
 public:
  explicit TWindowDC(HWND wnd = nullptr) : FWnd(wnd), FDC(::GetDC(wnd)) {}
  ~TWindowDC() {
    if (FDC) ::ReleaseDC(FWnd, FDC);
  }
  TWindowDC(const TWindowDC&) = delete;
  TWindowDC& operator=(const TWindowDC&) = delete;
  HDC Get() const { return FDC; }

 private:
  HWND FWnd;
  HDC FDC;
};

// A memory DC compatible with the screen, with one bitmap selected while it lives.
class TMemoryDC {
 public:
  explicit TMemoryDC(HBITMAP bitmap) : FDC(::CreateCompatibleDC(nullptr)), FOld(::SelectObject(FDC, bitmap)) {}
  ~TMemoryDC() {
    ::SelectObject(FDC, FOld);
    ::DeleteDC(FDC);
  }
  TMemoryDC(const TMemoryDC&) = delete;
  TMemoryDC& operator=(const TMemoryDC&) = delete;
  HDC Get() const { return FDC; }

 private:
  HDC FDC;
  HGDIOBJ FOld;
};

}  // namespace fw
