#include "framework/sys/thread.h"

#include <process.h>

#include "framework/forms/application.h"
#include "framework/msg/exception_barrier.h"
#include "framework/rtl/exceptions.h"

namespace fw {

TThread::TThread(bool createSuspended) {
  FHandle.Reset(
      reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, ThreadProc, this, CREATE_SUSPENDED, &FThreadId)));
  if (!FHandle) RaiseLastOSError();
  if (!createSuspended) Start();
}

TThread::~TThread() {
  if (!FHandle) return;
  if (FStarted && !FFinished && GetCurrentThreadId() != FThreadId) {
    FTerminated = true;
    WaitFor();
  } else if (!FStarted) {
    // Never started: let the thread run to its end without calling Execute.
    FTerminated = true;
    ResumeThread(FHandle.Get());
    WaitForSingleObject(FHandle.Get(), INFINITE);
  }
}

void TThread::Start() {
  if (FStarted.exchange(true)) return;
  ResumeThread(FHandle.Get());
}

int TThread::WaitFor() {
  HANDLE h = FHandle.Get();
  while (MsgWaitForMultipleObjects(1, &h, FALSE, INFINITE, QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1) {
    MSG msg;
    // Only sent messages are served here; PeekMessage delivers them.
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
  }
  return ReturnValue;
}

void TThread::Synchronize(const std::function<void()>& fn) {
  if (FTerminated || !Application || !Application->GetHandle()) return;
  std::function<void()> call = fn;
  SendMessageA(Application->GetHandle(), CM_SYNCHRONIZE, 0, reinterpret_cast<LPARAM>(&call));
}

void TThread::DoTerminate() {
  if (OnTerminate) Barrier([this] { OnTerminate(this); }, this);
  if (FFatalException) Barrier([this] { std::rethrow_exception(FFatalException); }, this);
}

unsigned __stdcall TThread::ThreadProc(void* param) {
  auto* thread = static_cast<TThread*>(param);
  if (!thread->FStarted) return 0;  // freed before it was started
  try {
    thread->Execute();
  } catch (...) {
    thread->FFatalException = std::current_exception();
  }
  bool freeIt = thread->FFreeOnTerminate;
  if (thread->OnTerminate || thread->FFatalException) {
    if (Application && Application->GetHandle()) {
      std::function<void()> done = [thread] { thread->DoTerminate(); };
      SendMessageA(Application->GetHandle(), CM_SYNCHRONIZE, 0, reinterpret_cast<LPARAM>(&done));
    } else if (thread->FFatalException) {
      // No GUI thread to report to: a plain report, never a window on this thread.
      try {
        std::rethrow_exception(thread->FFatalException);
      } catch (...) {
        ReportPlainly();
      }
    }
  }
  thread->FFinished = true;
  unsigned result = static_cast<unsigned>(thread->ReturnValue);
  if (freeIt) thread->Free();
  return result;
}

}  // namespace fw
