// Minimal owners for the shell services: a COM interface reference and an item-ID list.
#pragma once
#include <utility>

#include "framework/win.h"
#include "services/shell/shell32_functions.h"

namespace svc {

// Holds one reference to a COM interface and releases it.
template <class T>
class TComRef {
 public:
  TComRef() = default;
  explicit TComRef(T* adopted) : FPtr(adopted) {}
  TComRef(const TComRef&) = delete;
  TComRef& operator=(const TComRef&) = delete;
  TComRef(TComRef&& other) noexcept : FPtr(std::exchange(other.FPtr, nullptr)) {}
  TComRef& operator=(TComRef&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.FPtr, nullptr));
    return *this;
  }
  ~TComRef() { Reset(); }

  T* Get() const { return FPtr; }
  T* operator->() const { return FPtr; }
  explicit operator bool() const { return FPtr != nullptr; }
  // Releases the held reference; the out-parameter form for calls that return a new one.
  T** Put() {
    Reset();
    return &FPtr;
  }
  void** PutVoid() { return reinterpret_cast<void**>(Put()); }
  void Reset(T* adopted = nullptr) {
    if (FPtr) FPtr->Release();
    FPtr = adopted;
  }
  // A new reference to the same object.
  TComRef Share() const {
    if (FPtr) FPtr->AddRef();
    return TComRef(FPtr);
  }
  T* Detach() { return std::exchange(FPtr, nullptr); }

 private:
  T* FPtr = nullptr;
};

// Owns one item-ID list and frees it with the shell's ILFree.
class TPidl {
 public:
  TPidl() = default;
  explicit TPidl(LPITEMIDLIST adopted) : FPidl(adopted) {}
  TPidl(const TPidl&) = delete;
  TPidl& operator=(const TPidl&) = delete;
  TPidl(TPidl&& other) noexcept : FPidl(std::exchange(other.FPidl, nullptr)) {}
  TPidl& operator=(TPidl&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.FPidl, nullptr));
    return *this;
  }
  ~TPidl() { Reset(); }

  LPITEMIDLIST Get() const { return FPidl; }
  explicit operator bool() const { return FPidl != nullptr; }
  LPITEMIDLIST* Put() {
    Reset();
    return &FPidl;
  }
  void Reset(LPITEMIDLIST adopted = nullptr) {
    FreePidl(FPidl);
    FPidl = adopted;
  }
  LPITEMIDLIST Detach() { return std::exchange(FPidl, nullptr); }

 private:
  LPITEMIDLIST FPidl = nullptr;
};

}  // namespace svc
