#include "services/search/search_attributes.h"

namespace svc {

TDsAttrFlagKind TDsSearchAttributes::GetAttributeFlag(uint32_t bit) const {
  if (FIncludeAttr & bit) return tsMustBeSet;
  if (FExcludeAttr & bit) return tsMustBeUnSet;
  return tsDontCare;
}

void TDsSearchAttributes::SetAttributeFlag(uint32_t bit, TDsAttrFlagKind kind) {
  switch (kind) {
    case tsMustBeSet:
      FIncludeAttr |= bit;
      FExcludeAttr &= ~bit;
      break;
    case tsDontCare:
      FIncludeAttr &= ~bit;
      FExcludeAttr &= ~bit;
      break;
    case tsMustBeUnSet:
      FIncludeAttr &= ~bit;
      FExcludeAttr |= bit;
      break;
  }
}

void TDsSearchAttributes::Assign(const fw::TPersistent* Source) {
  if (auto* other = dynamic_cast<const TDsSearchAttributes*>(Source)) {
    FIncludeAttr = other->FIncludeAttr;
    FExcludeAttr = other->FExcludeAttr;
    return;
  }
  fw::TPersistent::Assign(Source);
}

}  // namespace svc
