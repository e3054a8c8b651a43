// TSvEnumFormatEtc: the format enumerator of the drag data object, over its own copy of the
// object's format table (the entries before the first empty slot).
#pragma once
#include <array>

#include "services/shell/com_object.h"

namespace svc {

using TSvFormatTable = std::array<FORMATETC, 256>;

class TSvEnumFormatEtc : public TSvComObject<IEnumFORMATETC> {
 public:
  explicit TSvEnumFormatEtc(const TSvFormatTable& formats);

  HRESULT STDMETHODCALLTYPE Next(ULONG count, FORMATETC* formats, ULONG* fetched) override;
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) override;
  HRESULT STDMETHODCALLTYPE Reset() override;
  // A new enumerator over a copy of the table, at the first entry.
  HRESULT STDMETHODCALLTYPE Clone(IEnumFORMATETC** enumerator) override;

 private:
  TSvFormatTable FFormats;
  int FCount = 0;
  int FPosition = 0;
};

}  // namespace svc
