#include "services/system/bios_info.h"

#include <cstdio>

#include "framework/win.h"
#include "services/system/os_version_info.h"
#include "services/system/registry_utils.h"

namespace svc {
namespace {

const char kNineXKey[] = "Enum\\Root\\*PNP0C01\\0000";

std::string BiosMemoryText(uintptr_t address) {
  if (IsNtPlatform()) return "";
  const char* text = reinterpret_cast<const char*>(address);
  if (IsBadReadPtr(text, 256)) return "";
  return std::string(text, strnlen(text, 256));
}

}  // namespace

fw::TDateTime ParseBiosDate(const std::string& text, bool yearFirst) {
  int a = 0, b = 0, c = 0;
  if (std::sscanf(text.c_str(), "%d/%d/%d", &a, &b, &c) != 3) return 0;
  int year = yearFirst ? a : c;
  const int month = yearFirst ? b : a;
  const int day = yearFirst ? c : b;
  if (year < 100) year += year < 80 ? 2000 : 1900;
  fw::TDateTime value = 0;
  return fw::TryEncodeDate(year, month, day, value) ? value : 0;
}

std::string TDsBIOSInfo::GetName() const {
  return IsNtPlatform() ? "" : ReadRegistryStringDefault(HKEY_LOCAL_MACHINE, kNineXKey, "BIOSName", "");
}

std::string TDsBIOSInfo::GetCopyright() const { return BiosMemoryText(0xFE091); }
std::string TDsBIOSInfo::GetExtendedInfo() const { return BiosMemoryText(0xFEC71); }

fw::TDateTime TDsBIOSInfo::GetDate() const {
  if (IsNtPlatform())
    return ParseBiosDate(ReadRegistryStringDefault(HKEY_LOCAL_MACHINE, "HARDWARE\\DESCRIPTION\\System", "SystemBiosDate", ""), false);
  const std::string text = ReadRegistryStringDefault(HKEY_LOCAL_MACHINE, kNineXKey, "BiosDate", "");
  // A four-digit first number is a year.
  return ParseBiosDate(text, text.find('/') == 4);
}

}  // namespace svc
