// TSvDataObject: the data object of a drag of shell items. It offers the items as the shell's
// "Shell IDList Array" and as a CF_HDROP file list, each rendered once into its cache and handed
// out in fresh movable global memory that the caller owns; CF_TEXT is listed but not rendered.
#pragma once
#include <memory>
#include <vector>

#include "services/shell/com_object.h"
#include "services/shell/com_ref.h"
#include "services/shell/shell_enum_format_etc.h"

namespace svc {

class TSvDataObject : public TSvComObject<IDataObject> {
 public:
  // items: count ID lists relative to the folder that holds them (not copied: they must outlive
  // the object); absolute: the absolute ID list of one of the items.
  TSvDataObject(const LPCITEMIDLIST* items, int count, LPCITEMIDLIST absolute);

  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override;
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC* format, STGMEDIUM* medium) override;
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override;
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC* in, FORMATETC* out) override;
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) override;
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** enumerator) override;
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC* format, DWORD flags, IAdviseSink* sink, DWORD* connection) override;
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD connection) override;
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA** enumerator) override;

 private:
  using TBytes = std::vector<BYTE>;
  void RenderIdListArray(TBytes& bytes) const;
  void RenderDropFiles(TBytes& bytes) const;

  TPidl FParent;
  std::vector<LPCITEMIDLIST> FItems;
  TSvFormatTable FFormats{};
  std::unique_ptr<TBytes> FIdListCache;
  std::unique_ptr<TBytes> FDropCache;
};

}  // namespace svc
