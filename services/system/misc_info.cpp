#include "services/system/misc_info.h"

#include "framework/win.h"

#include <nb30.h>
#include <winioctl.h>

#include "framework/rtl/sys_utils.h"
#include "framework/rtl/wide_text.h"
#include "services/system/module_utils.h"
#include "services/system/registry_utils.h"
#include "services/system/system_utils.h"

namespace svc {
namespace {

const char kDesktopKey[] = "Control Panel\\Desktop";

std::string DesktopText(const char* name, const char* defaultValue) {
  return ReadRegistryStringDefault(HKEY_CURRENT_USER, kDesktopKey, name, defaultValue);
}

struct TDvdRegion {
  UCHAR CopySystem;
  UCHAR RegionData;
  UCHAR SystemRegion;
  UCHAR ResetCount;
};

int DriveRegion(char letter) {
  const std::string device = std::string("\\\\.\\") + letter + ":";
  HANDLE drive = CreateFileA(device.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  if (drive == INVALID_HANDLE_VALUE) return 0;
  TDvdRegion region{};
  DWORD read = 0;
  const DWORD kGetRegion = CTL_CODE(0x33 /* FILE_DEVICE_DVD */, 0x0401, METHOD_BUFFERED, FILE_READ_ACCESS);
  const bool ok = DeviceIoControl(drive, kGetRegion, nullptr, 0, &region, sizeof region, &read, nullptr) != 0;
  CloseHandle(drive);
  if (!ok) return 0;
  // The system region is a mask of the regions the drive may not play.
  for (int bit = 0; bit < 8; ++bit)
    if ((region.SystemRegion & (1 << bit)) == 0) return bit + 1;
  return 0;
}

}  // namespace

TDsMiscInfo::TDsMiscInfo()
    : FVersions(std::make_unique<TDsAppVersions>()), FHardwareProfile(std::make_unique<TDsHardwareProfile>()) {}

TDsMiscInfo::~TDsMiscInfo() = default;

int64_t TDsMiscInfo::GetTimeRunning() const { return PerformanceMilliseconds(); }

std::string TDsMiscInfo::GetTimeRunningAsString() const {
  const int64_t seconds = GetTimeRunning() / 1000;
  if (seconds >= 86400) return fw::Format("%d %s", static_cast<int>(seconds / 86400), "days");
  if (seconds >= 3600) return fw::Format("%d %s", static_cast<int>(seconds / 3600), "hours");
  if (seconds >= 60) return fw::Format("%d %s", static_cast<int>(seconds / 60), "minutes");
  return fw::Format("%d %s", static_cast<int>(seconds), "seconds");
}

bool TDsMiscInfo::GetOnline() const {
  using Connected = BOOL(WINAPI*)(DWORD*, DWORD);
  static HMODULE wininet = nullptr;
  if (!LoadModuleOnce(wininet, "wininet.dll")) return false;
  const auto call = reinterpret_cast<Connected>(ModuleFunction(wininet, "InternetGetConnectedState"));
  DWORD flags = 0;
  return call && call(&flags, 0);
}

std::string TDsMiscInfo::GetScreenSaver() const { return DesktopText("SCRNSAVE.EXE", ""); }

void TDsMiscInfo::SetScreenSaver(const std::string& value) {
  if (CanWrite()) RegistryWriteText(HKEY_CURRENT_USER, kDesktopKey, "SCRNSAVE.EXE", value);
}

int TDsMiscInfo::GetDVDRegion() const {
  const DWORD drives = GetLogicalDrives();
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    if (!(drives & (1u << (letter - 'A')))) continue;
    const char root[] = {letter, ':', '\\', 0};
    if (GetDriveTypeA(root) != DRIVE_CDROM) continue;
    if (const int region = DriveRegion(letter)) return region;
  }
  return 0;
}

bool TDsMiscInfo::GetNetBIOS() const {
  using NetbiosCall = UCHAR(WINAPI*)(NCB*);
  static HMODULE netapi = nullptr;
  if (!LoadModuleOnce(netapi, "netapi32.dll")) return false;
  const auto call = reinterpret_cast<NetbiosCall>(ModuleFunction(netapi, "Netbios"));
  if (!call) return false;
  LANA_ENUM lanas{};
  NCB ncb{};
  ncb.ncb_command = NCBENUM;
  ncb.ncb_buffer = reinterpret_cast<UCHAR*>(&lanas);
  ncb.ncb_length = sizeof lanas;
  return call(&ncb) == NRC_GOODRET && lanas.length > 0;
}

bool TDsMiscInfo::GetWallpaperTiled() const { return DesktopText("TileWallpaper", "0") == "1"; }
std::string TDsMiscInfo::GetWallpaper() const { return DesktopText("Wallpaper", ""); }

TDsWallpaperStyle TDsMiscInfo::GetWallpaperStyle() const {
  const int style = fw::StrToIntDef(DesktopText("WallpaperStyle", "0"), 0);
  return style == 2 ? wsStretch : style == 1 ? wsUnused : wsCenter;
}

std::string TDsMiscInfo::GetPattern() const { return DesktopText("Pattern", ""); }

void TDsMiscInfo::GetColorSchemes(fw::TStrings& schemes) const {
  schemes.Clear();
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Appearance\\Schemes", 0, KEY_READ, &key) != ERROR_SUCCESS) return;
  wchar_t name[512];
  for (DWORD i = 0;; ++i) {
    DWORD size = 512;
    if (RegEnumValueW(key, i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    schemes.Add(fw::WideToUtf8(name, static_cast<int>(size)));
  }
  RegCloseKey(key);
}

std::string TDsMiscInfo::GetCurrentColorScheme() const {
  return ReadRegistryStringDefault(HKEY_CURRENT_USER, "Control Panel\\Current", "Color Schemes", "");
}

}  // namespace svc
