// TThread: a worker thread running Execute(). Synchronize runs a closure on the GUI thread
// (a message sent to the application window, so it is served by every message loop, modal
// and menu loops included); WaitFor keeps serving sent messages while it waits.
#pragma once
#include <functional>

#include "framework/core/events.h"
#include "framework/core/object.h"

namespace fw {

class TThread : public TObject {
  FW_CLASS(TThread, TObject)
 public:
  explicit TThread(bool createSuspended);

  // Starts a thread created suspended.
  void Start();
  void Resume() { Start(); }
  // Asks Execute to stop (it polls GetTerminated).
  void Terminate() { FTerminated = true; }
  bool GetTerminated() const { return FTerminated; }
  // Waits for the end of Execute and returns ReturnValue; sent messages are served meanwhile.
  int WaitFor();
  bool GetFreeOnTerminate() const { return FFreeOnTerminate; }
  void SetFreeOnTerminate(bool v) { FFreeOnTerminate = v; }
  HANDLE GetHandle() const { return FHandle; }
  DWORD GetThreadID() const { return FThreadId; }
  bool GetFinished() const { return FFinished; }

  // Runs on the GUI thread when Execute has ended (before a FreeOnTerminate thread frees itself).
  TNotifyEvent OnTerminate;

 protected:
  // Terminates and waits for the thread, then closes it.
  ~TThread() override;
  virtual void Execute() = 0;
  // Runs fn on the GUI thread and waits for it; skipped once Terminated.
  void Synchronize(const std::function<void()>& fn);
  int ReturnValue = 0;

 private:
  static unsigned __stdcall ThreadProc(void* param);

  HANDLE FHandle = nullptr;
  unsigned FThreadId = 0;
  bool FSuspended;
  bool FStarted = false;
  volatile bool FTerminated = false;
  volatile bool FFinished = false;
  bool FFreeOnTerminate = false;
};

}  // namespace fw
