// TThread: a worker thread running Execute(). Synchronize runs a closure on the GUI thread
// (a message sent to the application window, so it is served by every message loop, modal
// and menu loops included); WaitFor keeps serving sent messages while it waits. An exception
// that leaves Execute is kept in the thread object (FatalException) and reported on the GUI
// thread when the thread ends, after OnTerminate: never as a dialog on the worker thread.
#pragma once
#include <atomic>
#include <exception>
#include <functional>

#include "framework/core/events.h"
#include "framework/core/object.h"
#include "framework/sys/owned_handle.h"

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
  HANDLE GetHandle() const { return FHandle.Get(); }
  DWORD GetThreadID() const { return FThreadId; }
  bool GetFinished() const { return FFinished; }
  // What Execute threw, if anything (null otherwise); set before OnTerminate runs.
  std::exception_ptr GetFatalException() const { return FFatalException; }

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
  // OnTerminate and the report of FatalException, on the GUI thread.
  void DoTerminate();

  TFileHandle FHandle;
  unsigned FThreadId = 0;
  std::atomic<bool> FStarted{false};
  std::atomic<bool> FTerminated{false};
  std::atomic<bool> FFinished{false};
  std::atomic<bool> FFreeOnTerminate{false};
  std::exception_ptr FFatalException;
};

}  // namespace fw
