// The processor: the identification instruction's answers (read once), the clock measured
// against the performance counter, and the processor count.
#pragma once
#include <string>

#include "services/system/ds_info_base.h"
#include "services/system/system_info_types.h"

namespace svc {

class TDsCPUInfo : public TDsReadOnlyInfo {
  FW_CLASS(TDsCPUInfo, TDsReadOnlyInfo)
 public:
  bool GetHasInstruction() const;
  bool GetMMX() const;
  TDsSSEVersion GetSSE() const;
  // False only for a Pentium with the division fault (family 5, models 1 and 2 of Intel).
  bool GetIsFDIVOK() const;
  bool GetHasCacheInfo() const;
  bool GetHasExtendedInfo() const;
  TDsCPUType GetCPUType() const;
  int GetFamily() const;
  int GetModel() const;
  int GetStepping() const;
  // The twelve characters of leaf 0, registers EBX, EDX, ECX.
  std::string GetVendorIDString() const;
  std::string GetManufacturer() const;
  // The brand string where the processor has one, else "P6 (Model %d)", "P%d" or "%dx86".
  std::string GetName() const;
  int GetProcessorCount() const;
  bool GetIs64Bits() const;
  bool GetExMMX() const;
  bool Get_3DNow() const;
  bool GetEx3DNow() const;
  // Cache sizes in KB, 0 when unknown.
  int GetL1DataCache() const;
  int GetL1CodeCache() const;
  int GetL2Cache() const;
  int GetL3Cache() const;
  // MHz; 0 without a time-stamp counter or performance counter.
  int GetRawFreq() const;
  int GetNormFreq() const;
};

// The nominal clock of a measured one: the whole MHz, raised by one when the first decimal
// is 6 or more (that decimal raised first when the second is 6 or more), then its last two
// digits moved to the nearest of 0, 20, 33, 50, 60, 66, 80, 90 and 100 (a tie goes up).
int NormalizeFrequency(double mhz);

}  // namespace svc
