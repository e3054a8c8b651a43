#include "services/search/search_params.h"

#include <utility>

#include "framework/rtl/exceptions.h"
#include "services/search/wildcard_match.h"

namespace svc {

namespace {

// The local date-time as a UTC file time through its DOS form.
FILETIME UtcFileTime(fw::TDateTime value) {
  uint32_t dos = DosDateTime(value);
  FILETIME local, utc;
  if (!DosDateTimeToFileTime(static_cast<WORD>(dos >> 16), static_cast<WORD>(dos & 0xFFFF), &local) ||
      !LocalFileTimeToFileTime(&local, &utc))
    fw::RaiseLastOSError();
  return utc;
}

void UpperCaseInPlace(std::string& text) {
  if (!text.empty()) CharUpperBuffA(text.data(), static_cast<DWORD>(text.size()));
}

}  // namespace

uint32_t DosDateTime(fw::TDateTime value) {
  int year, month, day, hour, minute, second, msec;
  fw::DecodeDate(value, year, month, day);
  fw::DecodeTime(value, hour, minute, second, msec);
  if (year < 1980 || year > 2107) return 0;
  uint32_t date = static_cast<uint32_t>(day | (month << 5) | ((year - 1980) << 9));
  uint32_t time = static_cast<uint32_t>((second >> 1) | (minute << 5) | (hour << 11));
  return (date << 16) | time;
}

TDsSearchParams::TDsSearchParams()
    : FAttributes(std::make_unique<TDsSearchAttributes>()),
      FFileMasks(std::make_unique<fw::TStringList>()),
      FCaseFileMasks(std::make_unique<fw::TStringList>()) {
  FFileMasks->OnChange = [this](fw::TObject*) { UpdateCaseMasks(); };
  FCaseFileMasks->OnChange = [this](fw::TObject*) {
    FMatchMasks.clear();
    for (int i = 0; i < FCaseFileMasks->GetCount(); ++i) {
      std::string mask = FCaseFileMasks->GetStrings(i);
      char last = mask.empty() || mask.back() == '*' || mask.back() == '?' ? '\0' : mask.back();
      FMatchMasks.push_back({std::move(mask), last});
    }
  };
}

TDsSearchParams::~TDsSearchParams() {
  FFileMasks->OnChange = nullptr;
  FCaseFileMasks->OnChange = nullptr;
}

void TDsSearchParams::SetSearchTypes(TDsSearchTypes value) {
  bool caseChanged = value.Contains(stFileMaskCaseSensitive) != FSearchTypes.Contains(stFileMaskCaseSensitive);
  FSearchTypes = value;
  if (caseChanged) UpdateCaseMasks();
}

void TDsSearchParams::SetLastChangeAfter(fw::TDateTime value) {
  FAfterTime = UtcFileTime(value);
  FLastChangeAfter = value;
}

void TDsSearchParams::SetLastChangeBefore(fw::TDateTime value) {
  FBeforeTime = UtcFileTime(value);
  FLastChangeBefore = value;
}

void TDsSearchParams::UpdateCaseMasks() {
  const bool upper = !FSearchTypes.Contains(stFileMaskCaseSensitive);
  FCaseFileMasks->BeginUpdate();
  FCaseFileMasks->Clear();
  for (int i = 0; i < FFileMasks->GetCount(); ++i) {
    std::string mask = FFileMasks->GetStrings(i);
    if (upper) UpperCaseInPlace(mask);
    FCaseFileMasks->Add(mask);
  }
  FCaseFileMasks->EndUpdate();
}

bool TDsSearchParams::Check(const WIN32_FIND_DATAA& data, const std::string& entryName) const {
  if (FSearchTypes.Contains(stAttribute) && !FAttributes->Check(data.dwFileAttributes)) return false;
  if (FSearchTypes.Contains(stMinSize) && FindDataSize(data) < static_cast<uint64_t>(FMinSize)) return false;
  if (FSearchTypes.Contains(stMaxSize) && FindDataSize(data) > static_cast<uint64_t>(FMaxSize)) return false;
  if (FSearchTypes.Contains(stLastChangeAfter) && CompareFileTime(&data.ftLastWriteTime, &FAfterTime) < 0)
    return false;
  if (FSearchTypes.Contains(stLastChangeBefore) && CompareFileTime(&data.ftLastWriteTime, &FBeforeTime) > 0)
    return false;
  if (FSearchTypes.Contains(stFileMask) && FFileMasks->GetCount() > 0) {
    std::string name = entryName;
    if (!FSearchTypes.Contains(stFileMaskCaseSensitive)) UpperCaseInPlace(name);
    const char last = name.empty() ? '\0' : name.back();
    for (const TMatchMask& mask : FMatchMasks)
      if ((mask.Last == '\0' || mask.Last == last) && WildcardMatch(mask.Mask, name, 1)) return true;
    return false;
  }
  return true;
}

void TDsSearchParams::Assign(const fw::TPersistent* Source) {
  if (auto* other = dynamic_cast<const TDsSearchParams*>(Source)) {
    SetMaxSize(other->FMaxSize);
    SetMinSize(other->FMinSize);
    SetLastChangeBefore(other->FLastChangeBefore);
    SetLastChangeAfter(other->FLastChangeAfter);
    SetSearchTypes(other->FSearchTypes);
    SetFileMasks(other->FFileMasks.get());
    SetAttributes(other->FAttributes.get());
    return;
  }
  fw::TPersistent::Assign(Source);
}

}  // namespace svc
