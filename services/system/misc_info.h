// Odds and ends of the running system: uptime, connection, desktop settings, colour schemes,
// the DVD region and NetBIOS, with the application versions and the hardware profile.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "framework/classes/string_list.h"
#include "services/system/app_versions.h"
#include "services/system/ds_info_base.h"
#include "services/system/hardware_profile.h"
#include "services/system/system_info_types.h"

namespace svc {

class TDsMiscInfo : public TDsWriteableInfo {
  FW_CLASS(TDsMiscInfo, TDsWriteableInfo)
 public:
  TDsMiscInfo();
  ~TDsMiscInfo() override;

  // Milliseconds since the system started.
  int64_t GetTimeRunning() const;
  // The time running in its largest whole unit: "%d %s" of days, hours, minutes or seconds.
  std::string GetTimeRunningAsString() const;
  // Whether the system reports a connection (InternetGetConnectedState, bound at run time).
  bool GetOnline() const;
  std::string GetScreenSaver() const;
  // Writes "SCRNSAVE.EXE", the value the getter reads, when the object is writable.
  void SetScreenSaver(const std::string& value);
  // 0 when no DVD drive answers.
  int GetDVDRegion() const;
  // Whether NetBIOS lists at least one adapter (netapi32's Netbios, bound at run time).
  bool GetNetBIOS() const;
  bool GetWallpaperTiled() const;
  std::string GetWallpaper() const;
  TDsWallpaperStyle GetWallpaperStyle() const;
  std::string GetPattern() const;
  // Fills the names of the colour schemes.
  void GetColorSchemes(fw::TStrings& schemes) const;
  std::string GetCurrentColorScheme() const;
  TDsAppVersions* GetVersions() const { return FVersions.get(); }
  TDsHardwareProfile* GetHardwareProfile() const { return FHardwareProfile.get(); }

 private:
  std::unique_ptr<TDsAppVersions> FVersions;
  std::unique_ptr<TDsHardwareProfile> FHardwareProfile;
};

}  // namespace svc
