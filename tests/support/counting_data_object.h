// TCountingData: a data object around another that counts the references it hands out and the
// calls that reach it, and can hide the file list; for drop targets that must hand on what they
// are given and give every reference back.
#pragma once
#include "framework/win.h"

namespace testing_shell {

class TCountingData : public IDataObject {
 public:
  explicit TCountingData(IDataObject* inner, bool hideFiles = false) : FInner(inner), FHideFiles(hideFiles) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDataObject)) {
      *object = this;
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++refs); }
  ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--refs); }
  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* f, STGMEDIUM* m) override {
    ++calls;
    return Hidden(f) ? DV_E_FORMATETC : FInner->GetData(f, m);
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC* f, STGMEDIUM* m) override {
    ++calls;
    return FInner->GetDataHere(f, m);
  }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* f) override {
    ++calls;
    return Hidden(f) ? DV_E_FORMATETC : FInner->QueryGetData(f);
  }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC* a, FORMATETC* b) override {
    return FInner->GetCanonicalFormatEtc(a, b);
  }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC* f, STGMEDIUM* m, BOOL r) override { return FInner->SetData(f, m, r); }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD d, IEnumFORMATETC** e) override { return FInner->EnumFormatEtc(d, e); }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

  int refs = 1;
  int calls = 0;

 private:
  bool Hidden(const FORMATETC* f) const { return FHideFiles && f && f->cfFormat == CF_HDROP; }
  IDataObject* FInner;
  bool FHideFiles;
};

}  // namespace testing_shell
