#include "services/system/os_version_info.h"

#include "framework/win.h"
#include "services/system/registry_utils.h"

namespace svc {
namespace {

OSVERSIONINFOEXA ReadVersion() {
  OSVERSIONINFOEXA info{};
  info.dwOSVersionInfoSize = sizeof info;
  if (!GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info))) {
    info = OSVERSIONINFOEXA{};
    info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
    if (!GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info))) return OSVERSIONINFOEXA{};
  }
  return info;
}

TWindowsVersion NineXVersion(const OSVERSIONINFOEXA& v) {
  const char csd = v.szCSDVersion[1];
  if (v.dwMajorVersion != 4) return wvUnknown;
  if (v.dwMinorVersion == 0) return csd == 'B' || csd == 'C' ? wvWin95OSR2 : wvWin95;
  if (v.dwMinorVersion == 10) return csd == 'A' ? wvWin98SE : wvWin98;
  if (v.dwMinorVersion == 90) return wvWinME;
  return wvUnknown;
}

TWindowsVersion NtVersion(const OSVERSIONINFOEXA& v) {
  const bool workstation = v.wProductType == VER_NT_WORKSTATION;
  switch (v.dwMajorVersion * 100 + v.dwMinorVersion) {
    case 301: return wvWinNT31;
    case 350: return wvWinNT35;
    case 351: return wvWinNT351;
    case 400: return wvWinNT4;
    case 500: return wvWin2000;
    case 501: return wvWinXP;
    case 502:
      if (workstation) return wvWinXP64;
      return GetSystemMetrics(89 /* SM_SERVERR2 */) != 0 ? wvWin2003R2 : wvWin2003;
    case 600: return workstation ? wvWinVista : wvWinLonghorn;
  }
  return wvUnknown;
}

}  // namespace

bool IsNtPlatform() { return ReadVersion().dwPlatformId == VER_PLATFORM_WIN32_NT; }

std::string ProductKey() {
  return IsNtPlatform() ? "Software\\Microsoft\\Windows NT\\CurrentVersion" : "Software\\Microsoft\\Windows\\CurrentVersion";
}

TWindowsVersion TDsOSVersionInfo::GetOSVersion() const {
  const OSVERSIONINFOEXA v = ReadVersion();
  if (v.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS) return NineXVersion(v);
  if (v.dwPlatformId == VER_PLATFORM_WIN32_NT) return NtVersion(v);
  return wvUnknown;
}

TNtProductType TDsOSVersionInfo::GetProductType() const {
  const std::string type = ReadRegistryStringDefault(
      HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\ProductOptions", "ProductType", "");
  if (_stricmp(type.c_str(), "WINNT") == 0) return ptWorkStation;
  if (_stricmp(type.c_str(), "SERVERNT") == 0) return ptServer;
  if (_stricmp(type.c_str(), "LANMANNT") == 0) return ptAdvancedServer;
  return ptUnknown;
}

std::string TDsOSVersionInfo::GetProductID() const {
  return ReadRegistryStringDefault(HKEY_LOCAL_MACHINE, ProductKey(), "ProductId", "");
}

std::string TDsOSVersionInfo::GetProductName() const {
  return ReadRegistryStringDefault(HKEY_LOCAL_MACHINE, ProductKey(), "ProductName", "");
}

int TDsOSVersionInfo::GetServicePackVersion() const {
  const int value = RegistryReadIntegerDefault(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\Windows",
                                               "CSDVersion", 0);
  return (value >> 8) & 0xFF;
}

int TDsOSVersionInfo::GetVersionBuild() const {
  const OSVERSIONINFOEXA v = ReadVersion();
  // The 9x family keeps the version in the build number's high word.
  return static_cast<int>(v.dwPlatformId == VER_PLATFORM_WIN32_NT ? v.dwBuildNumber : LOWORD(v.dwBuildNumber));
}

int TDsOSVersionInfo::GetVersionMajor() const { return static_cast<int>(ReadVersion().dwMajorVersion); }
int TDsOSVersionInfo::GetVersionMinor() const { return static_cast<int>(ReadVersion().dwMinorVersion); }
std::string TDsOSVersionInfo::GetVersionCSDString() const { return ReadVersion().szCSDVersion; }

}  // namespace svc
