// The BIOS: its name and date from the registry, and on the 9x family its copyright and
// extended texts from the BIOS memory.
#pragma once
#include <string>

#include "framework/rtl/date_time.h"
#include "services/system/ds_info_base.h"

namespace svc {

class TDsBIOSInfo : public TDsReadOnlyInfo {
  FW_CLASS(TDsBIOSInfo, TDsReadOnlyInfo)
 public:
  // 9x only ("BIOSName"); empty on NT.
  std::string GetName() const;
  // Empty on NT: the BIOS memory is read only on the 9x family.
  std::string GetCopyright() const;
  std::string GetExtendedInfo() const;
  // 0 when the date cannot be read.
  fw::TDateTime GetDate() const;
};

// A BIOS date text in "m/d/y" or (yearFirst) "y/m/d" order, two-digit years below 80 in the
// 2000s; 0 when it is no date.
fw::TDateTime ParseBiosDate(const std::string& text, bool yearFirst);

}  // namespace svc
