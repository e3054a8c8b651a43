// Memory: the application address range and the memory status (every read asks again).
#pragma once
#include <cstdint>

#include "services/system/ds_info_base.h"

namespace svc {

class TDsMemInfo : public TDsReadOnlyInfo {
  FW_CLASS(TDsMemInfo, TDsReadOnlyInfo)
 public:
  uintptr_t GetMaxAppAddress() const;
  uintptr_t GetMinAppAddress() const;
  int GetMemoryLoad() const;
  // Page file beyond physical memory, and the share of the page file in use (percent).
  int64_t GetSwapFileSize() const;
  int GetSwapFileUsage() const;
  int64_t GetTotalPhysicalMemory() const;
  int64_t GetFreePhysicalMemory() const;
  int64_t GetTotalPageFileMemory() const;
  int64_t GetFreePageFileMemory() const;
  int64_t GetTotalVirtualMemory() const;
  int64_t GetFreeVirtualMemory() const;
};

}  // namespace svc
