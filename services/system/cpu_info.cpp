#include "services/system/cpu_info.h"

#include <cpuid.h>
#include <x86intrin.h>

#include <cmath>
#include <cstdint>
#include <cstring>

#include "framework/rtl/sys_utils.h"
#include "framework/win.h"

namespace svc {
namespace {

struct TCpuRecord {
  bool HasInstruction = false;
  unsigned MaxLeaf = 0, MaxExtendedLeaf = 0;
  unsigned Features = 0, Features2 = 0, ExtFeatures = 0, Signature = 0;
  char Vendor[13] = {};
  std::string Brand;
  int L1Data = 0, L1Code = 0, L2 = 0, L3 = 0;
  double MHz = 0;
};

void Leaf(unsigned leaf, unsigned sub, unsigned (&r)[4]) { __cpuid_count(leaf, sub, r[0], r[1], r[2], r[3]); }

// Intel's deterministic cache leaf 4: one sub-leaf per cache.
void IntelCaches(TCpuRecord& cpu) {
  if (cpu.MaxLeaf < 4) return;
  for (unsigned sub = 0; sub < 16; ++sub) {
    unsigned r[4];
    Leaf(4, sub, r);
    const unsigned type = r[0] & 31;
    if (type == 0) break;
    const unsigned level = (r[0] >> 5) & 7;
    const int kb = static_cast<int>(((r[1] >> 22) + 1) * (((r[1] >> 12) & 0x3FF) + 1) * ((r[1] & 0xFFF) + 1) * (r[2] + 1) / 1024);
    if (level == 1 && type == 1) cpu.L1Data = kb;
    if (level == 1 && type == 2) cpu.L1Code = kb;
    if (level == 2) cpu.L2 = kb;
    if (level == 3) cpu.L3 = kb;
  }
}

// AMD's extended cache leaves.
void ExtendedCaches(TCpuRecord& cpu) {
  unsigned r[4];
  if (cpu.MaxExtendedLeaf >= 0x80000005) {
    Leaf(0x80000005, 0, r);
    cpu.L1Data = static_cast<int>(r[2] >> 24);
    cpu.L1Code = static_cast<int>(r[3] >> 24);
  }
  if (cpu.MaxExtendedLeaf >= 0x80000006) {
    Leaf(0x80000006, 0, r);
    cpu.L2 = static_cast<int>(r[2] >> 16);
    cpu.L3 = static_cast<int>((r[3] >> 18) * 512);
  }
}

double MeasureMHz(const TCpuRecord& cpu) {
  LARGE_INTEGER frequency;
  if (!(cpu.Features & (1u << 4)) || !QueryPerformanceFrequency(&frequency) || frequency.QuadPart < 10) return 0;
  HANDLE thread = GetCurrentThread();
  double totalCycles = 0, totalMicros = 0;
  int64_t estimates[20] = {};
  for (int round = 0; round < 20; ++round) {
    const int priority = GetThreadPriority(thread);
    if (priority != THREAD_PRIORITY_ERROR_RETURN) SetThreadPriority(thread, 15);
    LARGE_INTEGER start, now;
    QueryPerformanceCounter(&start);
    do QueryPerformanceCounter(&now);
    while (now.QuadPart - start.QuadPart < 50);
    const uint64_t cycles0 = __rdtsc();
    start = now;
    do QueryPerformanceCounter(&now);
    while (now.QuadPart - start.QuadPart < 1000);
    const uint64_t cycles1 = __rdtsc();
    if (priority != THREAD_PRIORITY_ERROR_RETURN) SetThreadPriority(thread, priority);
    const double micros = static_cast<double>(now.QuadPart - start.QuadPart) * 100000.0 / (frequency.QuadPart / 10);
    const double cycles = static_cast<double>(cycles1 - cycles0);
    totalCycles += cycles;
    totalMicros += micros;
    estimates[round] = std::llround(cycles / micros);
    if (round >= 2) {
      const int64_t a = estimates[round - 2], b = estimates[round - 1], c = estimates[round];
      const int64_t sum = a + b + c;
      if (std::llabs(a * 3 - sum) <= 3 && std::llabs(b * 3 - sum) <= 3 && std::llabs(c * 3 - sum) <= 3) break;
    }
  }
  return totalMicros > 0 ? totalCycles / totalMicros : 0;
}

TCpuRecord Detect() {
  TCpuRecord cpu;
  unsigned r[4];
  cpu.MaxLeaf = __get_cpuid_max(0, nullptr);
  cpu.HasInstruction = cpu.MaxLeaf != 0;
  if (!cpu.HasInstruction) return cpu;
  Leaf(0, 0, r);
  std::memcpy(cpu.Vendor, &r[1], 4);
  std::memcpy(cpu.Vendor + 4, &r[3], 4);
  std::memcpy(cpu.Vendor + 8, &r[2], 4);
  if (cpu.MaxLeaf >= 1) {
    Leaf(1, 0, r);
    cpu.Signature = r[0];
    cpu.Features2 = r[2];
    cpu.Features = r[3];
  }
  cpu.MaxExtendedLeaf = __get_cpuid_max(0x80000000, nullptr);
  if (cpu.MaxExtendedLeaf >= 0x80000001) {
    Leaf(0x80000001, 0, r);
    cpu.ExtFeatures = r[3];
  }
  if (cpu.MaxExtendedLeaf >= 0x80000004) {
    char brand[49] = {};
    for (unsigned i = 0; i < 3; ++i) {
      Leaf(0x80000002 + i, 0, r);
      std::memcpy(brand + i * 16, r, 16);
    }
    cpu.Brand = fw::Trim(brand);
  }
  if (std::strcmp(cpu.Vendor, "GenuineIntel") == 0) IntelCaches(cpu);
  else ExtendedCaches(cpu);
  cpu.MHz = MeasureMHz(cpu);
  return cpu;
}

const TCpuRecord& Cpu() {
  static const TCpuRecord cpu = Detect();
  return cpu;
}

int BaseFamily() { return static_cast<int>((Cpu().Signature >> 8) & 15); }

}  // namespace

int NormalizeFrequency(double mhz) {
  const long long hundredths = std::llround(mhz * 100);
  int freq = static_cast<int>(hundredths / 100);
  int first = static_cast<int>((hundredths / 10) % 10);
  const int second = static_cast<int>(hundredths % 10);
  if (second >= 6) ++first;
  if (first >= 6) ++freq;
  static const int kSteps[] = {0, 20, 33, 50, 60, 66, 80, 90, 100};
  const int rest = freq % 100;
  int best = 0;
  for (int step : kSteps)
    if (std::abs(step - rest) <= std::abs(best - rest)) best = step;
  return freq - rest + best;
}

bool TDsCPUInfo::GetHasInstruction() const { return Cpu().HasInstruction; }
bool TDsCPUInfo::GetMMX() const { return (Cpu().Features >> 23) & 1; }

TDsSSEVersion TDsCPUInfo::GetSSE() const {
  if (Cpu().Features2 & 1) return vSSE3;
  if (Cpu().Features & (1u << 26)) return vSSE2;
  if (Cpu().Features & (1u << 25)) return vSSE1;
  return vNoSSE;
}

bool TDsCPUInfo::GetIsFDIVOK() const {
  return !(GetCPUType() == cpuIntel && BaseFamily() == 5 && (GetModel() == 1 || GetModel() == 2));
}

bool TDsCPUInfo::GetHasCacheInfo() const { return Cpu().MaxLeaf >= 2; }
bool TDsCPUInfo::GetHasExtendedInfo() const { return Cpu().MaxExtendedLeaf >= 0x80000001; }

TDsCPUType TDsCPUInfo::GetCPUType() const {
  const std::string vendor = Cpu().Vendor;
  if (vendor == "GenuineIntel") return cpuIntel;
  if (vendor == "AuthenticAMD") return cpuAMD;
  if (vendor == "CyrixInstead") return cpuCyrix;
  if (vendor == "GenuineTMx86") return cpuCrusoe;
  return cpuUnknown;
}

int TDsCPUInfo::GetFamily() const {
  const int family = BaseFamily();
  return family == 15 ? family + static_cast<int>((Cpu().Signature >> 20) & 0xFF) : family;
}

int TDsCPUInfo::GetModel() const {
  const int model = static_cast<int>((Cpu().Signature >> 4) & 15);
  const int family = BaseFamily();
  return family == 6 || family == 15 ? model | static_cast<int>(((Cpu().Signature >> 16) & 15) << 4) : model;
}

int TDsCPUInfo::GetStepping() const { return static_cast<int>(Cpu().Signature & 15); }
std::string TDsCPUInfo::GetVendorIDString() const { return Cpu().Vendor; }

std::string TDsCPUInfo::GetManufacturer() const {
  switch (GetCPUType()) {
    case cpuIntel: return "Intel";
    case cpuAMD: return "AMD";
    case cpuCyrix: return "Cyrix";
    case cpuCrusoe: return "Transmeta";
    default: return Cpu().Vendor;
  }
}

std::string TDsCPUInfo::GetName() const {
  if (!Cpu().Brand.empty()) return Cpu().Brand;
  const int family = BaseFamily();
  if (family == 6) return fw::Format("P6 (Model %d)", GetModel());
  if (family >= 5) return fw::Format("P%d", family);
  return fw::Format("%dx86", family);
}

int TDsCPUInfo::GetProcessorCount() const {
  SYSTEM_INFO info{};
  GetSystemInfo(&info);
  return static_cast<int>(info.dwNumberOfProcessors);
}

bool TDsCPUInfo::GetIs64Bits() const { return (Cpu().ExtFeatures >> 29) & 1; }
bool TDsCPUInfo::GetExMMX() const { return GetCPUType() != cpuIntel && ((Cpu().ExtFeatures >> 22) & 1); }
bool TDsCPUInfo::Get_3DNow() const { return (Cpu().ExtFeatures >> 31) & 1; }
bool TDsCPUInfo::GetEx3DNow() const { return (Cpu().ExtFeatures >> 30) & 1; }
int TDsCPUInfo::GetL1DataCache() const { return Cpu().L1Data; }
int TDsCPUInfo::GetL1CodeCache() const { return Cpu().L1Code; }
int TDsCPUInfo::GetL2Cache() const { return Cpu().L2; }
int TDsCPUInfo::GetL3Cache() const { return Cpu().L3; }
int TDsCPUInfo::GetRawFreq() const { return static_cast<int>(std::lround(Cpu().MHz)); }
int TDsCPUInfo::GetNormFreq() const { return Cpu().MHz > 0 ? NormalizeFrequency(Cpu().MHz) : 0; }

}  // namespace svc
