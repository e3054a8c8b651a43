#include "services/system/system_utils.h"

#include "framework/rtl/seams.h"
#include "framework/win.h"

namespace svc {

int64_t PerformanceMilliseconds() {
  LARGE_INTEGER frequency, counter;
  if (!QueryPerformanceFrequency(&frequency) || frequency.QuadPart == 0 || !QueryPerformanceCounter(&counter))
    return fw::GetTickCount();
  // Whole seconds and the remainder apart, so counter * 1000 cannot overflow.
  int64_t seconds = counter.QuadPart / frequency.QuadPart;
  int64_t rest = counter.QuadPart % frequency.QuadPart;
  return seconds * 1000 + rest * 1000 / frequency.QuadPart;
}

uint16_t ReadFpuControlWord() {
  uint16_t word = 0;
  __asm__ __volatile__("fnstcw %0" : "=m"(word));
  return word;
}

}  // namespace svc
