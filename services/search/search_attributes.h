// The attribute test of a search filter: bits that must be set and bits that must be clear.
#pragma once
#include <cstdint>

#include "framework/core/object.h"
#include "framework/win.h"

namespace svc {

enum TDsAttrFlagKind { tsMustBeSet, tsDontCare, tsMustBeUnSet };

class TDsSearchAttributes : public fw::TPersistent {
  FW_CLASS(TDsSearchAttributes, fw::TPersistent)

 public:
  uint32_t GetIncludeAttr() const { return FIncludeAttr; }
  void SetIncludeAttr(uint32_t value) { FIncludeAttr = value; }
  uint32_t GetExcludeAttr() const { return FExcludeAttr; }
  void SetExcludeAttr(uint32_t value) { FExcludeAttr = value; }

  // tsMustBeSet when the bit is in IncludeAttr, else tsMustBeUnSet when it is in ExcludeAttr.
  TDsAttrFlagKind GetAttributeFlag(uint32_t bit) const;
  void SetAttributeFlag(uint32_t bit, TDsAttrFlagKind kind);

#define DS_ATTRIBUTE_FLAG(Name, Bit)                                              \
  TDsAttrFlagKind Get##Name() const { return GetAttributeFlag(Bit); }             \
  void Set##Name(TDsAttrFlagKind kind) { SetAttributeFlag(Bit, kind); }
  DS_ATTRIBUTE_FLAG(ReadOnly, FILE_ATTRIBUTE_READONLY)
  DS_ATTRIBUTE_FLAG(Hidden, FILE_ATTRIBUTE_HIDDEN)
  DS_ATTRIBUTE_FLAG(System, FILE_ATTRIBUTE_SYSTEM)
  DS_ATTRIBUTE_FLAG(Archive, FILE_ATTRIBUTE_ARCHIVE)
  DS_ATTRIBUTE_FLAG(Normal, FILE_ATTRIBUTE_NORMAL)
  DS_ATTRIBUTE_FLAG(Temporary, FILE_ATTRIBUTE_TEMPORARY)
  DS_ATTRIBUTE_FLAG(SparseFile, FILE_ATTRIBUTE_SPARSE_FILE)
  DS_ATTRIBUTE_FLAG(ReparsePoint, FILE_ATTRIBUTE_REPARSE_POINT)
  DS_ATTRIBUTE_FLAG(Compressed, FILE_ATTRIBUTE_COMPRESSED)
  DS_ATTRIBUTE_FLAG(OffLine, FILE_ATTRIBUTE_OFFLINE)
  DS_ATTRIBUTE_FLAG(NotContentIndexed, FILE_ATTRIBUTE_NOT_CONTENT_INDEXED)
  DS_ATTRIBUTE_FLAG(Encrypted, FILE_ATTRIBUTE_ENCRYPTED)
#undef DS_ATTRIBUTE_FLAG

  // Passes when no bit of ExcludeAttr and every bit of IncludeAttr is set in attributes.
  bool Check(uint32_t attributes) const {
    return (attributes & FExcludeAttr) == 0 && (attributes & FIncludeAttr) == FIncludeAttr;
  }

  void Assign(const fw::TPersistent* Source) override;

 private:
  uint32_t FIncludeAttr = 0;
  uint32_t FExcludeAttr = 0;
};

}  // namespace svc
