#include "framework/sys/thread.h"

#include <process.h>

#include "framework/forms/application.h"
#include "framework/msg/exception_barrier.h"
#include "framework/rtl/exceptions.h"

namespace fw {

TThread::TThread(bool createSuspended) : FSuspended(createSuspended) {
  FHandle = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, ThreadProc, this, CREATE_SUSPENDED, &FThreadId));
  if (!FHandle) RaiseLastOSError();
  if (!createSuspended) Start();
}

TThread::~TThread() {
  if (FHandle) {
    if (FStarted && !FFinished && GetCurrentThreadId() != FThreadId) {
      FTerminated = true;
      WaitFor();
    } else if (!FStarted) {
      // Never started: let the thread run to its end without calling Execute.
      FTerminated = true;
      ResumeThread(FHandle);
      WaitForSingleObject(FHandle, INFINITE);
    }
    CloseHandle(FHandle);
  }
}

void TThread::Start() {
  if (FStarted) return;
  FStarted = true;
  FSuspended = false;
  ResumeThread(FHandle);
}

int TThread::WaitFor() {
  HANDLE h = FHandle;
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

unsigned __stdcall TThread::ThreadProc(void* param) {
  auto* thread = static_cast<TThread*>(param);
  if (!thread->FStarted) return 0;  // freed before it was started
  Barrier([thread] { thread->Execute(); }, thread);
  bool freeIt = thread->FFreeOnTerminate;
  if (thread->OnTerminate && Application && Application->GetHandle()) {
    std::function<void()> done = [thread] { thread->OnTerminate(thread); };
    SendMessageA(Application->GetHandle(), CM_SYNCHRONIZE, 0, reinterpret_cast<LPARAM>(&done));
  }
  thread->FFinished = true;
  unsigned result = static_cast<unsigned>(thread->ReturnValue);
  if (freeIt) thread->Free();
  return result;
}

}  // namespace fw
