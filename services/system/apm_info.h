// Power status: line, battery state and life (GetSystemPowerStatus on every read).
#pragma once
#include "services/system/ds_info_base.h"
#include "services/system/system_info_types.h"

namespace svc {

class TDsAPMInfo : public TDsReadOnlyInfo {
  FW_CLASS(TDsAPMInfo, TDsReadOnlyInfo)
 public:
  TDsLineStatus GetLineStatus() const;
  TDsBatteryFlag GetBatteryFlag() const;
  // Percent, or 255 when unknown; 0 when the status cannot be read.
  int GetBatteryLifePercent() const;
  // Seconds, or -1 when unknown; 0 when the status cannot be read.
  int GetBatteryLifeTime() const;
  int GetBatteryFullLifeTime() const;
};

}  // namespace svc
