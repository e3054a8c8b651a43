#include "services/system/hardware_profile.h"

#include "framework/win.h"
#include "services/system/module_utils.h"

namespace svc {
namespace {

bool ReadProfile(HW_PROFILE_INFOA& profile) {
  using GetProfile = BOOL(WINAPI*)(HW_PROFILE_INFOA*);
  static HMODULE advapi = nullptr;
  profile = HW_PROFILE_INFOA{};
  if (!LoadModuleOnce(advapi, "advapi32.dll")) return false;
  const auto call = reinterpret_cast<GetProfile>(ModuleFunction(advapi, "GetCurrentHwProfileA"));
  return call && call(&profile);
}

}  // namespace

std::string TDsHardwareProfile::GetGUID() const {
  HW_PROFILE_INFOA profile;
  return ReadProfile(profile) ? profile.szHwProfileGuid : "";
}

std::string TDsHardwareProfile::GetName() const {
  HW_PROFILE_INFOA profile;
  return ReadProfile(profile) ? profile.szHwProfileName : "";
}

TDsHWDockInfo TDsHardwareProfile::GetDockInfo() const {
  HW_PROFILE_INFOA profile;
  TDsHWDockInfo info;
  if (!ReadProfile(profile)) return info;
  const DWORD dock = profile.dwDockInfo;
  if (dock & DOCKINFO_DOCKED) info.Include(diDocked);
  if (dock & DOCKINFO_UNDOCKED) info.Include(diUndocked);
  if (dock & DOCKINFO_USER_SUPPLIED) {
    info.Include(diUserSupplied);
    if (dock & DOCKINFO_DOCKED) info.Include(diUserDocked);
    if (dock & DOCKINFO_UNDOCKED) info.Include(diUserUndocked);
  }
  return info;
}

}  // namespace svc
