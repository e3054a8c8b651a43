// TSvComObject<I>: the base of the services' own COM objects: one interface besides IUnknown,
// a reference count that starts at the creator's one reference, deletion with the last
// Release, and a count of the live objects of each kind for leak checks.
#pragma once
#include <atomic>

#include "framework/win.h"

namespace svc {

template <class I>
class TSvComObject : public I {
 public:
  TSvComObject() { ++FLive; }
  TSvComObject(const TSvComObject&) = delete;
  TSvComObject& operator=(const TSvComObject&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, __uuidof(I))) {
      *object = static_cast<I*>(this);
      this->AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&FRefCount)); }
  ULONG STDMETHODCALLTYPE Release() override {
    LONG count = InterlockedDecrement(&FRefCount);
    if (count == 0) delete this;
    return static_cast<ULONG>(count);
  }

  // Objects of this kind alive now.
  static int Instances() { return FLive; }

 protected:
  virtual ~TSvComObject() { --FLive; }

 private:
  LONG FRefCount = 1;
  static inline std::atomic<int> FLive{0};
};

}  // namespace svc
