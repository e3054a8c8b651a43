// The current hardware profile (GetCurrentHwProfileA, bound at run time).
#pragma once
#include <string>

#include "services/system/ds_info_base.h"
#include "services/system/system_info_types.h"

namespace svc {

class TDsHardwareProfile : public TDsReadOnlyInfo {
  FW_CLASS(TDsHardwareProfile, TDsReadOnlyInfo)
 public:
  std::string GetGUID() const;
  std::string GetName() const;
  TDsHWDockInfo GetDockInfo() const;
};

}  // namespace svc
