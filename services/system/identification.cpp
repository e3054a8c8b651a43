#include "services/system/identification.h"

#include "framework/rtl/wide_text.h"
#include "framework/win.h"
#include "services/system/module_utils.h"
#include "services/system/os_version_info.h"
#include "services/system/registry_utils.h"

namespace svc {
namespace {

struct TWkstaInfo100 {
  DWORD PlatformId;
  wchar_t* ComputerName;
  wchar_t* LanGroup;
  DWORD VerMajor;
  DWORD VerMinor;
};

std::string NtWorkgroup() {
  using GetInfo = DWORD(WINAPI*)(const wchar_t*, DWORD, BYTE**);
  using FreeBuffer = DWORD(WINAPI*)(void*);
  static HMODULE netapi = nullptr;
  if (!LoadModuleOnce(netapi, "netapi32.dll")) return "";
  const auto getInfo = reinterpret_cast<GetInfo>(ModuleFunction(netapi, "NetWkstaGetInfo"));
  const auto freeBuffer = reinterpret_cast<FreeBuffer>(ModuleFunction(netapi, "NetApiBufferFree"));
  if (!getInfo || !freeBuffer) return "";
  BYTE* buffer = nullptr;
  std::string group;
  if (getInfo(nullptr, 100, &buffer) == 0 && buffer) {
    const auto* info = reinterpret_cast<const TWkstaInfo100*>(buffer);
    if (info->LanGroup) group = fw::WideToUtf8(info->LanGroup);
  }
  if (buffer) freeBuffer(buffer);
  return group;
}

}  // namespace

std::string TDsIdentification::GetIPAddress() const {
  WSADATA data;
  if (WSAStartup(MAKEWORD(1, 1), &data) != 0) return "";
  std::string address;
  char name[256] = {};
  if (gethostname(name, sizeof name) == 0) {
    const hostent* host = gethostbyname(name);
    if (host && host->h_addr_list && host->h_addr_list[0]) {
      in_addr in;
      memcpy(&in, host->h_addr_list[0], sizeof in);
      address = inet_ntoa(in);
    }
  }
  WSACleanup();
  return address;
}

std::string TDsIdentification::GetLocalComputerName() const {
  char name[MAX_COMPUTERNAME_LENGTH + 1] = {};
  DWORD size = sizeof name;
  return GetComputerNameA(name, &size) ? std::string(name, size) : "";
}

std::string TDsIdentification::GetLocalUserName() const {
  char name[257] = {};
  DWORD size = sizeof name;
  return GetUserNameA(name, &size) ? std::string(name) : "";
}

std::string TDsIdentification::GetLocalWorkgroup() const {
  if (IsNtPlatform()) return NtWorkgroup();
  return ReadRegistryStringDefault(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Services\\Vxd\\VNETSUP", "Workgroup", "");
}

std::string TDsIdentification::GetDomainName() const {
  const std::string user = GetLocalUserName();
  if (user.empty()) return "";
  BYTE sid[SECURITY_MAX_SID_SIZE];
  DWORD sidSize = sizeof sid;
  char domain[256] = {};
  DWORD domainSize = sizeof domain;
  SID_NAME_USE use;
  return LookupAccountNameA(nullptr, user.c_str(), sid, &sidSize, domain, &domainSize, &use) ? std::string(domain) : "";
}

std::string TDsIdentification::GetRegisteredCompany() const {
  return ReadRegistryStringDefault(HKEY_LOCAL_MACHINE, ProductKey(), "RegisteredOrganization", "");
}

std::string TDsIdentification::GetRegisteredOwner() const {
  return ReadRegistryStringDefault(HKEY_LOCAL_MACHINE, ProductKey(), "RegisteredOwner", "");
}

std::string TDsIdentification::GetComment() const {
  if (IsNtPlatform())
    return ReadRegistryStringDefault(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Services\\lanmanserver\\parameters",
                                     "srvcomment", "");
  return ReadRegistryStringDefault(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Services\\VxD\\VNETSUP", "Comment", "");
}

}  // namespace svc
