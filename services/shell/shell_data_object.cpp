#include "services/shell/shell_data_object.h"

#include <cstring>

#include "services/shell/shell32_functions.h"
#include "services/shell/shell_services.h"

namespace svc {

namespace {

FORMATETC HGlobalFormat(UINT format) {
  FORMATETC entry{};
  entry.cfFormat = static_cast<CLIPFORMAT>(format);
  entry.dwAspect = DVASPECT_CONTENT;
  entry.lindex = -1;
  entry.tymed = TYMED_HGLOBAL;
  return entry;
}

UINT SizeOf(LPCITEMIDLIST pidl) { return pidl && Shell32().ILGetSize ? Shell32().ILGetSize(pidl) : 0; }

void Append(std::vector<BYTE>& bytes, const void* data, size_t size) {
  const BYTE* from = static_cast<const BYTE*>(data);
  bytes.insert(bytes.end(), from, from + size);
}

}  // namespace

TSvDataObject::TSvDataObject(const LPCITEMIDLIST* items, int count, LPCITEMIDLIST absolute)
    : FItems(items, items + (count > 0 ? count : 0)) {
  if (absolute && Shell32().ILClone) {
    FParent.Reset(Shell32().ILClone(absolute));
    if (FParent) Shell32().ILRemoveLastID(FParent.Get());
  }
  FFormats[0] = HGlobalFormat(ShellIdListFormat());
  FFormats[1] = HGlobalFormat(CF_HDROP);
  FFormats[2] = HGlobalFormat(CF_TEXT);
}

void TSvDataObject::RenderIdListArray(TBytes& bytes) const {
  UINT count = static_cast<UINT>(FItems.size());
  Append(bytes, &count, 4);
  UINT offset = 4 * count + 8;
  Append(bytes, &offset, 4);
  offset += SizeOf(FParent.Get());
  for (UINT i = 0; i < count; ++i) {
    Append(bytes, &offset, 4);
    offset += SizeOf(FItems[i]);
  }
  Append(bytes, FParent.Get(), SizeOf(FParent.Get()));
  for (LPCITEMIDLIST item : FItems) Append(bytes, item, SizeOf(item));
}

void TSvDataObject::RenderDropFiles(TBytes& bytes) const {
  DROPFILES header{};
  header.pFiles = sizeof header;
  Append(bytes, &header, sizeof header);
  for (LPCITEMIDLIST item : FItems) {
    char path[MAX_PATH] = {};
    if (Shell32().ILCombine) {
      TPidl full(Shell32().ILCombine(FParent.Get(), item));
      if (!full || !SHGetPathFromIDListA(full.Get(), path)) path[0] = '\0';
    }
    Append(bytes, path, std::strlen(path) + 1);
  }
  bytes.push_back(0);
}

HRESULT TSvDataObject::GetData(FORMATETC* format, STGMEDIUM* medium) {
  if (!medium) return E_POINTER;
  HRESULT answer = QueryGetData(format);
  if (answer != S_OK) return answer;
  std::memset(medium, 0, sizeof *medium);
  medium->tymed = TYMED_HGLOBAL;
  const TBytes* rendered = nullptr;
  if (format->cfFormat == ShellIdListFormat()) {
    if (!FIdListCache) {
      auto bytes = std::make_unique<TBytes>();
      RenderIdListArray(*bytes);
      FIdListCache = std::move(bytes);
    }
    rendered = FIdListCache.get();
  } else if (format->cfFormat == CF_HDROP) {
    if (!FDropCache) {
      auto bytes = std::make_unique<TBytes>();
      RenderDropFiles(*bytes);
      FDropCache = std::move(bytes);
    }
    rendered = FDropCache.get();
  } else if (format->cfFormat != CF_TEXT) {
    return DV_E_FORMATETC;
  }
  if (rendered) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_SHARE, rendered->size());
    if (memory) {
      if (void* target = GlobalLock(memory)) {
        std::memcpy(target, rendered->data(), rendered->size());
        GlobalUnlock(memory);
        medium->hGlobal = memory;
      } else {
        GlobalFree(memory);
      }
    }
  }
  return medium->hGlobal ? S_OK : E_OUTOFMEMORY;
}

HRESULT TSvDataObject::GetDataHere(FORMATETC*, STGMEDIUM*) { return E_NOTIMPL; }

HRESULT TSvDataObject::QueryGetData(FORMATETC* format) {
  if (!format || format->dwAspect != DVASPECT_CONTENT || FFormats[0].cfFormat == 0) return DV_E_FORMATETC;
  HRESULT answer = DV_E_FORMATETC;
  for (const FORMATETC& entry : FFormats) {
    if (entry.cfFormat == 0) break;
    if (entry.cfFormat != format->cfFormat) continue;
    if (entry.tymed & format->tymed) return S_OK;
    answer = DV_E_TYMED;
  }
  return answer;
}

HRESULT TSvDataObject::GetCanonicalFormatEtc(FORMATETC* in, FORMATETC* out) {
  if (!in || !out) return E_INVALIDARG;
  *out = *in;
  out->ptd = nullptr;
  return DATA_S_SAMEFORMATETC;
}

HRESULT TSvDataObject::SetData(FORMATETC*, STGMEDIUM*, BOOL) { return E_NOTIMPL; }

HRESULT TSvDataObject::EnumFormatEtc(DWORD direction, IEnumFORMATETC** enumerator) {
  if (!enumerator) return E_POINTER;
  if (direction != DATADIR_GET) {
    *enumerator = nullptr;
    return E_NOTIMPL;
  }
  *enumerator = new TSvEnumFormatEtc(FFormats);
  return S_OK;
}

HRESULT TSvDataObject::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) { return OLE_E_ADVISENOTSUPPORTED; }

HRESULT TSvDataObject::DUnadvise(DWORD) { return OLE_E_ADVISENOTSUPPORTED; }

HRESULT TSvDataObject::EnumDAdvise(IEnumSTATDATA** enumerator) {
  if (enumerator) *enumerator = nullptr;
  return OLE_E_ADVISENOTSUPPORTED;
}

}  // namespace svc
