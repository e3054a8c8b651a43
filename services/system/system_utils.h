// Small system helpers: a millisecond clock and the processor's floating-point control word.
#pragma once
#include <cstdint>

namespace svc {

// Milliseconds from the performance counter (counter * 1000 / frequency), or the tick count
// when the system has no performance counter.
int64_t PerformanceMilliseconds();

uint16_t ReadFpuControlWord();

}  // namespace svc
