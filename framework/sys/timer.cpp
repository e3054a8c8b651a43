#include "framework/sys/timer.h"

#include <map>

#include "framework/msg/allocate_hwnd.h"
#include "framework/msg/exception_barrier.h"

namespace fw {

namespace {
HWND timerWindow = nullptr;

std::map<UINT_PTR, TTimer*>& Timers() {
  static std::map<UINT_PTR, TTimer*> timers;
  return timers;
}

void TimerWindowProc(TMessage& msg);

HWND TimerWindow() {
  if (!timerWindow) timerWindow = AllocateHWnd(TimerWindowProc);
  return timerWindow;
}
}  // namespace

void DispatchTimerTick(UINT_PTR id) {
  auto it = Timers().find(id);
  if (it == Timers().end()) return;
  it->second->Tick();
}

void TTimer::Tick() {
  ++FTickDepth;
  Barrier([this] { Timer(); }, this);
  --FTickDepth;
  if (FFreePending && FTickDepth == 0) {
    FFreePending = false;
    TComponent::DoFree();
  }
}

namespace {
void TimerWindowProc(TMessage& msg) {
  if (msg.Msg == WM_TIMER) {
    DispatchTimerTick(msg.WParam);
    return;
  }
  msg.Result = DefWindowProcA(timerWindow, msg.Msg, msg.WParam, msg.LParam);
}
}  // namespace

TTimer::TTimer(TComponent* owner) : TComponent(owner) {}

TTimer::~TTimer() { KillNativeTimer(); }

void TTimer::DoFree() {
  KillNativeTimer();
  FEnabled = false;
  if (FTickDepth > 0) {
    // Freed inside its own tick: finished when the tick returns.
    FFreePending = true;
    return;
  }
  TComponent::DoFree();
}

void TTimer::Loaded() {
  TComponent::Loaded();
  UpdateTimer();
}

void TTimer::SetEnabled(bool v) {
  if (v == FEnabled) return;
  FEnabled = v;
  UpdateTimer();
}

void TTimer::SetInterval(unsigned v) {
  if (v == FInterval) return;
  FInterval = v;
  UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent handler) {
  OnTimer = std::move(handler);
  UpdateTimer();
}

void TTimer::KillNativeTimer() {
  if (!FId) return;
  KillTimer(timerWindow, FId);
  Timers().erase(FId);
  FId = 0;
}

void TTimer::UpdateTimer() {
  KillNativeTimer();
  if (FFreePending || GetComponentState().Contains(csLoading) || GetComponentState().Contains(csDestroying)) return;
  if (!FEnabled || FInterval == 0 || !OnTimer) return;
  static UINT_PTR lastId = 0;
  UINT_PTR id = ++lastId;
  if (!SetTimer(TimerWindow(), id, FInterval, nullptr)) return;
  FId = id;
  Timers()[id] = this;
}

void TTimer::Timer() {
  if (!OnTimer) return;
  // A copy: the handler may free the timer, and with it OnTimer.
  TNotifyEvent handler = OnTimer;
  handler(this);
}

}  // namespace fw
