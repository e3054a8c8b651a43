#include "services/system/mem_info.h"

#include "framework/win.h"
#include "services/system/module_utils.h"

namespace svc {
namespace {

// GlobalMemoryStatusEx, which counts past 4 GiB; GlobalMemoryStatus only where it is missing.
MEMORYSTATUSEX ReadStatus() {
  using StatusEx = BOOL(WINAPI*)(MEMORYSTATUSEX*);
  static const auto statusEx = reinterpret_cast<StatusEx>(ModuleFunction(GetModuleHandleA("kernel32.dll"), "GlobalMemoryStatusEx"));
  MEMORYSTATUSEX ex{};
  ex.dwLength = sizeof ex;
  if (statusEx) {
    if (!statusEx(&ex)) ex = MEMORYSTATUSEX{};
    return ex;
  }
  MEMORYSTATUS old{};
  old.dwLength = sizeof old;
  GlobalMemoryStatus(&old);
  ex.dwMemoryLoad = old.dwMemoryLoad;
  ex.ullTotalPhys = old.dwTotalPhys;
  ex.ullAvailPhys = old.dwAvailPhys;
  ex.ullTotalPageFile = old.dwTotalPageFile;
  ex.ullAvailPageFile = old.dwAvailPageFile;
  ex.ullTotalVirtual = old.dwTotalVirtual;
  ex.ullAvailVirtual = old.dwAvailVirtual;
  return ex;
}

SYSTEM_INFO ReadSystemInfo() {
  SYSTEM_INFO info{};
  GetSystemInfo(&info);
  return info;
}

}  // namespace

uintptr_t TDsMemInfo::GetMaxAppAddress() const {
  return reinterpret_cast<uintptr_t>(ReadSystemInfo().lpMaximumApplicationAddress);
}
uintptr_t TDsMemInfo::GetMinAppAddress() const {
  return reinterpret_cast<uintptr_t>(ReadSystemInfo().lpMinimumApplicationAddress);
}
int TDsMemInfo::GetMemoryLoad() const { return static_cast<int>(ReadStatus().dwMemoryLoad); }

int64_t TDsMemInfo::GetSwapFileSize() const {
  const MEMORYSTATUSEX s = ReadStatus();
  return s.ullTotalPageFile > s.ullTotalPhys ? static_cast<int64_t>(s.ullTotalPageFile - s.ullTotalPhys) : 0;
}

int TDsMemInfo::GetSwapFileUsage() const {
  const MEMORYSTATUSEX s = ReadStatus();
  if (s.ullTotalPageFile == 0) return 0;
  return static_cast<int>((s.ullTotalPageFile - s.ullAvailPageFile) * 100 / s.ullTotalPageFile);
}

int64_t TDsMemInfo::GetTotalPhysicalMemory() const { return static_cast<int64_t>(ReadStatus().ullTotalPhys); }
int64_t TDsMemInfo::GetFreePhysicalMemory() const { return static_cast<int64_t>(ReadStatus().ullAvailPhys); }
int64_t TDsMemInfo::GetTotalPageFileMemory() const { return static_cast<int64_t>(ReadStatus().ullTotalPageFile); }
int64_t TDsMemInfo::GetFreePageFileMemory() const { return static_cast<int64_t>(ReadStatus().ullAvailPageFile); }
int64_t TDsMemInfo::GetTotalVirtualMemory() const { return static_cast<int64_t>(ReadStatus().ullTotalVirtual); }
int64_t TDsMemInfo::GetFreeVirtualMemory() const { return static_cast<int64_t>(ReadStatus().ullAvailVirtual); }

}  // namespace svc
