// TCriticalSection: a re-entrant lock over CRITICAL_SECTION, with the scoped guard TLock.
#pragma once
#include "framework/win.h"

namespace fw {

class TCriticalSection {
 public:
  TCriticalSection() { InitializeCriticalSection(&FSection); }
  ~TCriticalSection() { DeleteCriticalSection(&FSection); }
  TCriticalSection(const TCriticalSection&) = delete;
  TCriticalSection& operator=(const TCriticalSection&) = delete;

  // The owning thread may enter again; each Enter needs one Leave.
  void Enter() { EnterCriticalSection(&FSection); }
  void Leave() { LeaveCriticalSection(&FSection); }
  void Acquire() { Enter(); }
  void Release() { Leave(); }

 private:
  CRITICAL_SECTION FSection;
};

class TLock {
 public:
  explicit TLock(TCriticalSection& section) : FSection(section) { FSection.Enter(); }
  ~TLock() { FSection.Leave(); }
  TLock(const TLock&) = delete;
  TLock& operator=(const TLock&) = delete;

 private:
  TCriticalSection& FSection;
};

}  // namespace fw
