// The real shell link object with its Resolve answered by the test, installed through the
// shortcut component's link-object seam (Wine's Resolve never fails).
#pragma once
#include <shlobj.h>

#include <optional>

#include "services/shell/com_ref.h"
#include "services/shell/shortcut.h"

namespace testing_support {

// The real link object with Resolve answered by the test; it notes the flags it was given.
class TScriptedLink final : public IShellLinkA {
 public:
  TScriptedLink(IShellLinkA* inner, HRESULT answer) : FInner(inner), FAnswer(answer) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IShellLinkA)) {
      *out = static_cast<IShellLinkA*>(this);
      AddRef();
      return S_OK;
    }
    return FInner->QueryInterface(riid, out);
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++FRefs; }
  ULONG STDMETHODCALLTYPE Release() override {
    ULONG refs = --FRefs;
    if (refs == 0) delete this;
    return refs;
  }
  HRESULT STDMETHODCALLTYPE GetPath(LPSTR f, int n, WIN32_FIND_DATAA* d, DWORD fl) override {
    return FInner->GetPath(f, n, d, fl);
  }
  HRESULT STDMETHODCALLTYPE GetIDList(PIDLIST_ABSOLUTE* p) override { return FInner->GetIDList(p); }
  HRESULT STDMETHODCALLTYPE SetIDList(PCIDLIST_ABSOLUTE p) override { return FInner->SetIDList(p); }
  HRESULT STDMETHODCALLTYPE GetDescription(LPSTR s, int n) override { return FInner->GetDescription(s, n); }
  HRESULT STDMETHODCALLTYPE SetDescription(LPCSTR s) override { return FInner->SetDescription(s); }
  HRESULT STDMETHODCALLTYPE GetWorkingDirectory(LPSTR s, int n) override { return FInner->GetWorkingDirectory(s, n); }
  HRESULT STDMETHODCALLTYPE SetWorkingDirectory(LPCSTR s) override { return FInner->SetWorkingDirectory(s); }
  HRESULT STDMETHODCALLTYPE GetArguments(LPSTR s, int n) override { return FInner->GetArguments(s, n); }
  HRESULT STDMETHODCALLTYPE SetArguments(LPCSTR s) override { return FInner->SetArguments(s); }
  HRESULT STDMETHODCALLTYPE GetHotkey(WORD* k) override { return FInner->GetHotkey(k); }
  HRESULT STDMETHODCALLTYPE SetHotkey(WORD k) override { return FInner->SetHotkey(k); }
  HRESULT STDMETHODCALLTYPE GetShowCmd(int* c) override { return FInner->GetShowCmd(c); }
  HRESULT STDMETHODCALLTYPE SetShowCmd(int c) override { return FInner->SetShowCmd(c); }
  HRESULT STDMETHODCALLTYPE GetIconLocation(LPSTR s, int n, int* i) override {
    return FInner->GetIconLocation(s, n, i);
  }
  HRESULT STDMETHODCALLTYPE SetIconLocation(LPCSTR s, int i) override { return FInner->SetIconLocation(s, i); }
  HRESULT STDMETHODCALLTYPE SetRelativePath(LPCSTR s, DWORD r) override { return FInner->SetRelativePath(s, r); }
  HRESULT STDMETHODCALLTYPE Resolve(HWND window, DWORD flags) override {
    resolveFlags = flags;
    HRESULT real = FInner->Resolve(window, flags);
    return FAnswer == S_OK ? real : FAnswer;
  }
  HRESULT STDMETHODCALLTYPE SetPath(LPCSTR s) override { return FInner->SetPath(s); }

  static inline std::optional<DWORD> resolveFlags;

 private:
  ~TScriptedLink() = default;
  svc::TComRef<IShellLinkA> FInner;
  HRESULT FAnswer;
  ULONG FRefs = 1;
};

// Every link object made from now on answers Resolve with answer (S_OK: the real answer).
inline void UseScriptedLink(HRESULT answer) {
  TScriptedLink::resolveFlags.reset();
  svc::testing::SetShellLinkFactory([answer](IShellLinkA** link) {
    IShellLinkA* inner = nullptr;
    HRESULT hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                  reinterpret_cast<void**>(&inner));
    if (FAILED(hr)) return hr;
    *link = new TScriptedLink(inner, answer);
    return S_OK;
  });
}

}  // namespace testing_support
