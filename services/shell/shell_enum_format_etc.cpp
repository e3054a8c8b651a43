#include "services/shell/shell_enum_format_etc.h"

namespace svc {

TSvEnumFormatEtc::TSvEnumFormatEtc(const TSvFormatTable& formats) : FFormats(formats) {
  while (FCount < static_cast<int>(FFormats.size()) && FFormats[FCount].cfFormat != 0) ++FCount;
}

HRESULT TSvEnumFormatEtc::Next(ULONG count, FORMATETC* formats, ULONG* fetched) {
  ULONG copied = 0;
  while (copied < count && FPosition < FCount) formats[copied++] = FFormats[FPosition++];
  if (fetched) *fetched = copied;
  return copied == count ? S_OK : S_FALSE;
}

HRESULT TSvEnumFormatEtc::Skip(ULONG count) {
  if (count >= static_cast<ULONG>(FCount - FPosition)) {
    FPosition = FCount;
    return S_FALSE;
  }
  FPosition += static_cast<int>(count);
  return S_OK;
}

HRESULT TSvEnumFormatEtc::Reset() {
  FPosition = 0;
  return S_OK;
}

HRESULT TSvEnumFormatEtc::Clone(IEnumFORMATETC** enumerator) {
  if (!enumerator) return E_POINTER;
  *enumerator = new TSvEnumFormatEtc(FFormats);
  return S_OK;
}

}  // namespace svc
