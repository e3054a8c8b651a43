// The real shell link object, installed through the shortcut component's link-object seam, with
// what this Wine cannot show answered by the test:
//   - Resolve answered as the test says (Wine's Resolve never fails);
//   - the narrow interface (IShellLinkA) as a system whose ANSI code page is another one (e.g.
//     1252) answers it: every text converted from and to that code page, a character outside it
//     becoming "?". The test programs run in the UTF-8 code page, where the narrow interface
//     gives the same text as the wide one; with this object a reader that slips back to the
//     narrow interface reads what it would read on such a system ("Prögram" comes as the byte F6
//     for "ö", which taken as UTF-8 becomes U+FFFD and names another file; "日本" comes as "??").
//   - its file interface (IPersistFile) with the file name rule of Windows, which Wine does not
//     keep: a name of MAX_PATH characters or more is refused unless it carries "\\?\".
// The wide interface (IShellLinkW) is the real one.
#pragma once
#include <gtest/gtest.h>
#include <shlobj.h>

#include <optional>
#include <string>

#include "services/shell/com_ref.h"
#include "services/shell/shortcut.h"

namespace testing_support {

// The link object's IPersistFile, loading and saving only names Windows would take.
class TStrictNameFile final : public IPersistFile {
 public:
  TStrictNameFile(IPersistFile* inner, IUnknown* link) : FInner(inner), FLink(link) { link->AddRef(); }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (IsEqualIID(riid, IID_IPersistFile)) {
      *out = static_cast<IPersistFile*>(this);
      AddRef();
      return S_OK;
    }
    return FLink->QueryInterface(riid, out);
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++FRefs; }
  ULONG STDMETHODCALLTYPE Release() override {
    ULONG refs = --FRefs;
    if (refs == 0) delete this;
    return refs;
  }
  HRESULT STDMETHODCALLTYPE GetClassID(CLSID* id) override { return FInner->GetClassID(id); }
  HRESULT STDMETHODCALLTYPE IsDirty() override { return FInner->IsDirty(); }
  HRESULT STDMETHODCALLTYPE Load(LPCOLESTR name, DWORD mode) override {
    return Refused(name) ? HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND) : FInner->Load(name, mode);
  }
  HRESULT STDMETHODCALLTYPE Save(LPCOLESTR name, BOOL remember) override {
    return Refused(name) ? HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND) : FInner->Save(name, remember);
  }
  HRESULT STDMETHODCALLTYPE SaveCompleted(LPCOLESTR name) override { return FInner->SaveCompleted(name); }
  HRESULT STDMETHODCALLTYPE GetCurFile(LPOLESTR* name) override { return FInner->GetCurFile(name); }

  // How many names the object refused since the last Use...
  static inline int refusals = 0;

 private:
  ~TStrictNameFile() { FLink->Release(); }
  static bool Refused(LPCOLESTR name) {
    bool refused = name && wcslen(name) >= MAX_PATH && wcsncmp(name, L"\\\\?\\", 4) != 0;
    if (refused) ++refusals;
    return refused;
  }

  svc::TComRef<IPersistFile> FInner;
  IUnknown* FLink;
  ULONG FRefs = 1;
};

class TScriptedLink final : public IShellLinkW, public IShellLinkA {
 public:
  // answer: what Resolve answers (S_OK: the real answer). codePage: the ANSI code page the narrow
  // interface converts with (0: the real narrow interface of the link object).
  TScriptedLink(IShellLinkW* inner, HRESULT answer, UINT codePage)
      : FInner(inner), FAnswer(answer), FCodePage(codePage) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IShellLinkW)) {
      *out = static_cast<IShellLinkW*>(this);
      AddRef();
      return S_OK;
    }
    if (IsEqualIID(riid, IID_IShellLinkA)) {
      ++narrowQueries;
      *out = static_cast<IShellLinkA*>(this);
      AddRef();
      return S_OK;
    }
    if (IsEqualIID(riid, IID_IPersistFile)) {
      IPersistFile* file = nullptr;
      HRESULT hr = FInner->QueryInterface(riid, reinterpret_cast<void**>(&file));
      if (FAILED(hr)) return hr;
      *out = new TStrictNameFile(file, static_cast<IShellLinkW*>(this));
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

  // ---- Both interfaces ----
  HRESULT STDMETHODCALLTYPE GetIDList(PIDLIST_ABSOLUTE* p) override { return FInner->GetIDList(p); }
  HRESULT STDMETHODCALLTYPE SetIDList(PCIDLIST_ABSOLUTE p) override { return FInner->SetIDList(p); }
  HRESULT STDMETHODCALLTYPE GetHotkey(WORD* k) override { return FInner->GetHotkey(k); }
  HRESULT STDMETHODCALLTYPE SetHotkey(WORD k) override { return FInner->SetHotkey(k); }
  HRESULT STDMETHODCALLTYPE GetShowCmd(int* c) override { return FInner->GetShowCmd(c); }
  HRESULT STDMETHODCALLTYPE SetShowCmd(int c) override { return FInner->SetShowCmd(c); }
  HRESULT STDMETHODCALLTYPE Resolve(HWND window, DWORD flags) override {
    resolveFlags = flags;
    HRESULT real = FInner->Resolve(window, flags);
    return FAnswer == S_OK ? real : FAnswer;
  }

  // ---- The wide interface: the real one ----
  HRESULT STDMETHODCALLTYPE GetPath(LPWSTR f, int n, WIN32_FIND_DATAW* d, DWORD fl) override {
    return FInner->GetPath(f, n, d, fl);
  }
  HRESULT STDMETHODCALLTYPE GetDescription(LPWSTR s, int n) override { return FInner->GetDescription(s, n); }
  HRESULT STDMETHODCALLTYPE SetDescription(LPCWSTR s) override { return FInner->SetDescription(s); }
  HRESULT STDMETHODCALLTYPE GetWorkingDirectory(LPWSTR s, int n) override { return FInner->GetWorkingDirectory(s, n); }
  HRESULT STDMETHODCALLTYPE SetWorkingDirectory(LPCWSTR s) override { return FInner->SetWorkingDirectory(s); }
  HRESULT STDMETHODCALLTYPE GetArguments(LPWSTR s, int n) override { return FInner->GetArguments(s, n); }
  HRESULT STDMETHODCALLTYPE SetArguments(LPCWSTR s) override { return FInner->SetArguments(s); }
  HRESULT STDMETHODCALLTYPE GetIconLocation(LPWSTR s, int n, int* i) override {
    return FInner->GetIconLocation(s, n, i);
  }
  HRESULT STDMETHODCALLTYPE SetIconLocation(LPCWSTR s, int i) override { return FInner->SetIconLocation(s, i); }
  HRESULT STDMETHODCALLTYPE SetRelativePath(LPCWSTR s, DWORD r) override { return FInner->SetRelativePath(s, r); }
  HRESULT STDMETHODCALLTYPE SetPath(LPCWSTR s) override { return FInner->SetPath(s); }

  // ---- The narrow interface: the real one, or the wide one through FCodePage ----
  HRESULT STDMETHODCALLTYPE GetPath(LPSTR f, int n, WIN32_FIND_DATAA* d, DWORD fl) override {
    if (!FCodePage) return Narrow()->GetPath(f, n, d, fl);
    WIN32_FIND_DATAW found{};
    std::wstring text(32768, L'\0');
    HRESULT hr = FInner->GetPath(text.data(), static_cast<int>(text.size()), &found, fl);
    if (d) {
      *d = WIN32_FIND_DATAA{};
      d->dwFileAttributes = found.dwFileAttributes;
      d->ftCreationTime = found.ftCreationTime;
      d->ftLastAccessTime = found.ftLastAccessTime;
      d->ftLastWriteTime = found.ftLastWriteTime;
      d->nFileSizeHigh = found.nFileSizeHigh;
      d->nFileSizeLow = found.nFileSizeLow;
      ToCodePage(found.cFileName, d->cFileName, MAX_PATH);
      ToCodePage(found.cAlternateFileName, d->cAlternateFileName, 14);
    }
    ToCodePage(text.c_str(), f, n);
    return hr;
  }
  HRESULT STDMETHODCALLTYPE GetDescription(LPSTR s, int n) override {
    return ReadNarrow(s, n, [&](LPWSTR w, int m) { return FInner->GetDescription(w, m); },
                      [&] { return Narrow()->GetDescription(s, n); });
  }
  HRESULT STDMETHODCALLTYPE SetDescription(LPCSTR s) override {
    return FCodePage ? FInner->SetDescription(FromCodePage(s).c_str()) : Narrow()->SetDescription(s);
  }
  HRESULT STDMETHODCALLTYPE GetWorkingDirectory(LPSTR s, int n) override {
    return ReadNarrow(s, n, [&](LPWSTR w, int m) { return FInner->GetWorkingDirectory(w, m); },
                      [&] { return Narrow()->GetWorkingDirectory(s, n); });
  }
  HRESULT STDMETHODCALLTYPE SetWorkingDirectory(LPCSTR s) override {
    return FCodePage ? FInner->SetWorkingDirectory(FromCodePage(s).c_str()) : Narrow()->SetWorkingDirectory(s);
  }
  HRESULT STDMETHODCALLTYPE GetArguments(LPSTR s, int n) override {
    return ReadNarrow(s, n, [&](LPWSTR w, int m) { return FInner->GetArguments(w, m); },
                      [&] { return Narrow()->GetArguments(s, n); });
  }
  HRESULT STDMETHODCALLTYPE SetArguments(LPCSTR s) override {
    return FCodePage ? FInner->SetArguments(FromCodePage(s).c_str()) : Narrow()->SetArguments(s);
  }
  HRESULT STDMETHODCALLTYPE GetIconLocation(LPSTR s, int n, int* i) override {
    return ReadNarrow(s, n, [&](LPWSTR w, int m) { return FInner->GetIconLocation(w, m, i); },
                      [&] { return Narrow()->GetIconLocation(s, n, i); });
  }
  HRESULT STDMETHODCALLTYPE SetIconLocation(LPCSTR s, int i) override {
    return FCodePage ? FInner->SetIconLocation(FromCodePage(s).c_str(), i) : Narrow()->SetIconLocation(s, i);
  }
  HRESULT STDMETHODCALLTYPE SetRelativePath(LPCSTR s, DWORD r) override {
    return FCodePage ? FInner->SetRelativePath(FromCodePage(s).c_str(), r) : Narrow()->SetRelativePath(s, r);
  }
  HRESULT STDMETHODCALLTYPE SetPath(LPCSTR s) override {
    return FCodePage ? FInner->SetPath(FromCodePage(s).c_str()) : Narrow()->SetPath(s);
  }

  static inline std::optional<DWORD> resolveFlags;
  // How often a reader asked any link object made since the last Use... for its narrow interface.
  static inline int narrowQueries = 0;

 private:
  ~TScriptedLink() = default;

  // The real object's own narrow interface.
  IShellLinkA* Narrow() {
    if (!FNarrow) FInner->QueryInterface(IID_IShellLinkA, FNarrow.PutVoid());
    return FNarrow.Get();
  }
  void ToCodePage(const wchar_t* text, char* out, int size) {
    if (!out || size <= 0) return;
    int written = WideCharToMultiByte(FCodePage, 0, text, -1, out, size, nullptr, nullptr);
    if (written == 0) out[size - 1] = '\0';  // cut to the buffer, as the link object does
  }
  std::wstring FromCodePage(const char* text) {
    int size = MultiByteToWideChar(FCodePage, 0, text, -1, nullptr, 0);
    std::wstring wide(size > 0 ? size : 1, L'\0');
    if (size > 0) MultiByteToWideChar(FCodePage, 0, text, -1, wide.data(), size);
    return wide;
  }
  template <class Wide, class Real>
  HRESULT ReadNarrow(LPSTR out, int size, Wide wide, Real real) {
    if (!FCodePage) return real();
    std::wstring text(32768, L'\0');
    HRESULT hr = wide(text.data(), static_cast<int>(text.size()));
    ToCodePage(text.c_str(), out, size);
    return hr;
  }

  svc::TComRef<IShellLinkW> FInner;
  svc::TComRef<IShellLinkA> FNarrow;
  HRESULT FAnswer;
  UINT FCodePage;
  ULONG FRefs = 1;
};

// Every link object made from now on answers Resolve with answer (S_OK: the real answer), and its
// narrow interface as a system of that ANSI code page would (0: the real narrow interface).
inline void UseScriptedLink(HRESULT answer, UINT codePage = 0) {
  TScriptedLink::resolveFlags.reset();
  TScriptedLink::narrowQueries = 0;
  TStrictNameFile::refusals = 0;
  svc::testing::SetShellLinkFactory([answer, codePage](IShellLinkW** link) {
    IShellLinkW* inner = nullptr;
    HRESULT hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                  reinterpret_cast<void**>(&inner));
    if (FAILED(hr)) return hr;
    *link = new TScriptedLink(inner, answer, codePage);
    return S_OK;
  });
}

// Every link object made from now on shows its narrow interface as a system whose ANSI code page
// is codePage (e.g. 1252) would; Resolve gives its real answer.
inline void UseCodePageLink(UINT codePage) { UseScriptedLink(S_OK, codePage); }

// The name of a test's link-object parameter (a code page, 0 for the system's own object).
inline std::string LinkObjectName(const ::testing::TestParamInfo<UINT>& info) {
  return info.param ? "NarrowCodePage" + std::to_string(info.param) : std::string("System");
}

}  // namespace testing_support
