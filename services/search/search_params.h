// One filter set of a file search: attributes, size bounds, last-change window and file masks.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/object.h"
#include "framework/core/sets.h"
#include "framework/rtl/date_time.h"
#include "framework/classes/string_list.h"
#include "framework/win.h"
#include "services/search/search_attributes.h"

namespace svc {

enum TDsSearchType {
  stAttribute,
  stFileMask,
  stFileMaskCaseSensitive,
  stLastChangeAfter,
  stLastChangeBefore,
  stMaxSize,
  stMinSize
};
using TDsSearchTypes = fw::TSet<TDsSearchType>;

// The full 64-bit size of a found entry.
inline uint64_t FindDataSize(const WIN32_FIND_DATAA& data) {
  return (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// The packed DOS date and time of a local date-time (date in the high word, time in the low
// word, seconds halved); 0 when the year lies outside 1980 to 2107.
uint32_t DosDateTime(fw::TDateTime value);

class TDsSearchParams : public fw::TPersistent {
  FW_CLASS(TDsSearchParams, fw::TPersistent)

 public:
  static constexpr double kNoDate = 29221.0;  // 1 January 1980

  TDsSearchParams();
  ~TDsSearchParams() override;

  TDsSearchAttributes* GetAttributes() const { return FAttributes.get(); }
  void SetAttributes(const TDsSearchAttributes* value) { FAttributes->Assign(value); }

  TDsSearchTypes GetSearchTypes() const { return FSearchTypes; }
  void SetSearchTypes(TDsSearchTypes value);

  // Inclusive bounds, compared with the entry's size as unsigned 64-bit numbers.
  int64_t GetMinSize() const { return FMinSize; }
  void SetMinSize(int64_t value) { FMinSize = value; }
  int64_t GetMaxSize() const { return FMaxSize; }
  void SetMaxSize(int64_t value) { FMaxSize = value; }

  // Local date-times, kept also as UTC file times through their DOS form; a failing conversion
  // raises the OS error and keeps the old value.
  fw::TDateTime GetLastChangeAfter() const { return FLastChangeAfter; }
  void SetLastChangeAfter(fw::TDateTime value);
  fw::TDateTime GetLastChangeBefore() const { return FLastChangeBefore; }
  void SetLastChangeBefore(fw::TDateTime value);

  fw::TStringList* GetFileMasks() const { return FFileMasks.get(); }
  void SetFileMasks(const fw::TStrings* value) { FFileMasks->Assign(value); }
  // The masks the test compares with: FileMasks, upper-cased unless the test is case-sensitive.
  // Every change of FileMasks makes them afresh from the whole list: add many masks between
  // FileMasks' BeginUpdate and EndUpdate, so that they are made once.
  fw::TStringList* GetCaseFileMasks() const { return FCaseFileMasks.get(); }
  void UpdateCaseMasks();

  // True when the entry passes every test in force; the mask test reads name (the entry's whole
  // UTF-8 name), or the record's own cFileName.
  bool Check(const WIN32_FIND_DATAA& data, const std::string& name) const;
  bool Check(const WIN32_FIND_DATAA& data) const { return Check(data, data.cFileName); }

  void Assign(const fw::TPersistent* Source) override;

 private:
  std::unique_ptr<TDsSearchAttributes> FAttributes;
  TDsSearchTypes FSearchTypes;
  int64_t FMinSize = 0;
  int64_t FMaxSize = 0;
  fw::TDateTime FLastChangeAfter = kNoDate;
  fw::TDateTime FLastChangeBefore = kNoDate;
  FILETIME FAfterTime{};
  FILETIME FBeforeTime{};
  std::unique_ptr<fw::TStringList> FFileMasks;
  std::unique_ptr<fw::TStringList> FCaseFileMasks;
  // CaseFileMasks as the test reads them, each with its last character when that is a literal
  // one (0 otherwise): such a mask can only match a name that ends in the same character.
  struct TMatchMask {
    std::string Mask;
    char Last;
  };
  std::vector<TMatchMask> FMatchMasks;
};

}  // namespace svc
