#include "services/system/apm_info.h"

#include "framework/win.h"

namespace svc {
namespace {

bool ReadStatus(SYSTEM_POWER_STATUS& status) {
  status = SYSTEM_POWER_STATUS{};
  return GetSystemPowerStatus(&status) != 0;
}

}  // namespace

TDsLineStatus TDsAPMInfo::GetLineStatus() const {
  SYSTEM_POWER_STATUS status;
  if (!ReadStatus(status)) return alsUnknown;
  if (status.ACLineStatus == 0) return alsOffline;
  return status.ACLineStatus == 1 ? alsOnline : alsUnknown;
}

TDsBatteryFlag TDsAPMInfo::GetBatteryFlag() const {
  SYSTEM_POWER_STATUS status;
  if (!ReadStatus(status) || status.BatteryFlag == 255) return abfUnknown;
  const BYTE flag = status.BatteryFlag;
  if (flag & 128) return abfNoBattery;
  if (flag & 8) return abfCharging;
  if (flag & 4) return abfCritical;
  if (flag & 2) return abfLow;
  if (flag & 1) return abfHigh;
  return abfUnknown;
}

int TDsAPMInfo::GetBatteryLifePercent() const {
  SYSTEM_POWER_STATUS status;
  return ReadStatus(status) ? status.BatteryLifePercent : 0;
}

int TDsAPMInfo::GetBatteryLifeTime() const {
  SYSTEM_POWER_STATUS status;
  return ReadStatus(status) ? static_cast<int>(status.BatteryLifeTime) : 0;
}

int TDsAPMInfo::GetBatteryFullLifeTime() const {
  SYSTEM_POWER_STATUS status;
  return ReadStatus(status) ? static_cast<int>(status.BatteryFullLifeTime) : 0;
}

}  // namespace svc
