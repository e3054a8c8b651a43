// TTimer: calls OnTimer every Interval milliseconds while Enabled. A native timer on the shared
// timer window exists only while Enabled, Interval > 0 and OnTimer is assigned. A timer may be
// freed, disabled or re-enabled inside its own OnTimer: freeing is completed when the tick
// returns. Exceptions in OnTimer go to the application's exception handler.
#pragma once
#include "framework/core/component.h"
#include "framework/core/events.h"

namespace fw {

class TTimer : public TComponent {
  FW_CLASS(TTimer, TComponent)
 public:
  explicit TTimer(TComponent* owner);

  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool v);
  unsigned GetInterval() const { return FInterval; }
  void SetInterval(unsigned v);
  // Assigns OnTimer and starts or stops the native timer accordingly (a direct assignment of
  // OnTimer takes effect at the next change of Enabled or Interval, or at Loaded).
  void SetOnTimer(TNotifyEvent handler);
  // One tick: runs OnTimer.
  virtual void Timer();
  // One tick as the native timer gives it (tests call it directly): Timer inside the exception
  // barrier; a timer freed during its tick is freed when the tick returns.
  void Tick();
  // True while a native timer is running for this object.
  bool IsTicking() const { return FId != 0; }

  TNotifyEvent OnTimer;

 protected:
  ~TTimer() override;
  void Loaded() override;
  void DoFree() override;

 private:
  friend void DispatchTimerTick(UINT_PTR id);
  void UpdateTimer();
  void KillNativeTimer();

  bool FEnabled = true;
  unsigned FInterval = 1000;
  UINT_PTR FId = 0;
  int FTickDepth = 0;
  bool FFreePending = false;
};

}  // namespace fw
