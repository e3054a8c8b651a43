#include "skin/controls/shell_change_notifier.h"

#include <mutex>

#include "framework/sys/thread.h"

namespace skin {

namespace {
// Guards the watcher's directory settings and its event.
std::mutex settingsLock;
}  // namespace

DWORD NotifyFilterFlags(TkNotifyFilters filters) {
  const std::pair<TkNotifyFilter, DWORD> map[] = {{nfFileNameChange, FILE_NOTIFY_CHANGE_FILE_NAME},
                                                  {nfDirNameChange, FILE_NOTIFY_CHANGE_DIR_NAME},
                                                  {nfAttributeChange, FILE_NOTIFY_CHANGE_ATTRIBUTES},
                                                  {nfSizeChange, FILE_NOTIFY_CHANGE_SIZE},
                                                  {nfWriteChange, FILE_NOTIFY_CHANGE_LAST_WRITE},
                                                  {nfSecurityChange, FILE_NOTIFY_CHANGE_SECURITY}};
  DWORD flags = 0;
  for (auto [member, flag] : map)
    if (filters.Contains(member)) flags |= flag;
  return flags;
}

// The watcher: waits on the change handle, the settings event (auto-reset) and the wake-up
// event. Its notifier owns it and waits for its end, which the wake-up brings at once.
class TkShellChangeThread : public fw::TThread {
  FW_CLASS(TkShellChangeThread, fw::TThread)
 public:
  explicit TkShellChangeThread(TThreadMethod event)
      : fw::TThread(true),
        FWake(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
        FSettingsEvent(CreateEventA(nullptr, FALSE, FALSE, nullptr)),
        FEvent(std::move(event)) {}

  // Any thread: stores the settings and wakes the watcher to watch them.
  void SetDirectoryOptions(const std::string& directory, bool watchSubTree, DWORD filters) {
    {
      std::lock_guard<std::mutex> guard(settingsLock);
      FDirectory = directory;
      FWatchSubTree = watchSubTree;
      FFilters = filters;
      FSettingsChanged = true;
    }
    ::SetEvent(FSettingsEvent);
  }
  void SetChangeEvent(TThreadMethod event) {
    std::lock_guard<std::mutex> guard(settingsLock);
    FEvent = std::move(event);
  }
  // GUI thread: whether the event is running (its notifier may be freed from inside it).
  bool InEvent() const { return FInEvent; }
  // GUI thread: no event runs from now on; the watcher ends.
  void Stop() {
    SetChangeEvent(TThreadMethod());
    Terminate();
    ::SetEvent(FWake);
  }

 protected:
  ~TkShellChangeThread() override {
    if (GetCurrentThreadId() != GetThreadID()) WaitFor();
    if (FChange != INVALID_HANDLE_VALUE) FindCloseChangeNotification(FChange);
    CloseHandle(FWake);
    CloseHandle(FSettingsEvent);
  }

  void Execute() override {
    {
      std::lock_guard<std::mutex> guard(settingsLock);
      FChange = FindFirstChangeNotificationA(FDirectory.c_str(), FWatchSubTree, FFilters);
      FSettingsChanged = false;
    }
    if (FChange == INVALID_HANDLE_VALUE) return;
    while (!GetTerminated()) {
      HANDLE waitSet[] = {FChange, FSettingsEvent, FWake};
      DWORD woken = WaitForMultipleObjects(3, waitSet, FALSE, INFINITE);
      if (woken == WAIT_FAILED || GetTerminated()) break;
      if (woken == WAIT_OBJECT_0) {
        // Looked up when the GUI thread runs it: a notifier gone meanwhile left none.
        Synchronize([this] {
          TThreadMethod event;
          {
            std::lock_guard<std::mutex> guard(settingsLock);
            event = FEvent;
          }
          if (!event || GetTerminated()) return;
          FInEvent = true;
          event();
          FInEvent = false;
        });
        FindNextChangeNotification(FChange);
      }
      std::lock_guard<std::mutex> guard(settingsLock);
      if (FSettingsChanged) {
        FindCloseChangeNotification(FChange);
        FChange = FindFirstChangeNotificationA(FDirectory.c_str(), FWatchSubTree, FFilters);
        FSettingsChanged = false;
        if (FChange == INVALID_HANDLE_VALUE) break;
      }
    }
  }

 private:
  HANDLE FWake;
  HANDLE FSettingsEvent;
  HANDLE FChange = INVALID_HANDLE_VALUE;
  TThreadMethod FEvent;
  std::string FDirectory;
  bool FWatchSubTree = true;
  bool FSettingsChanged = false;
  DWORD FFilters = 0;
  bool FInEvent = false;
};

TkCustomShellChangeNotifier::TkCustomShellChangeNotifier(fw::TComponent* owner) : fw::TComponent(owner) {}

TkCustomShellChangeNotifier::~TkCustomShellChangeNotifier() {
  TkShellChangeThread* thread = FThread;
  FThread = nullptr;
  if (!thread) return;
  thread->Stop();
  if (thread->InEvent()) {
    // Freed from inside the event: the watcher waits for this call to return, so it ends
    // after it and frees itself.
    thread->SetFreeOnTerminate(true);
    return;
  }
  // Waits (serving sent messages) for the watcher, which the wake-up ends at once.
  thread->Free();
}

void TkCustomShellChangeNotifier::PassSettings() {
  if (FThread) FThread->SetDirectoryOptions(FRoot, FWatchSubTree, NotifyFilterFlags(FNotifyFilters));
}

void TkCustomShellChangeNotifier::SetNotifyFilters(TkNotifyFilters value) {
  FNotifyFilters = value;
  PassSettings();
}

void TkCustomShellChangeNotifier::SetRoot(const TkRoot& value) {
  FRoot = value;
  PassSettings();
}

void TkCustomShellChangeNotifier::SetWatchSubTree(bool value) {
  FWatchSubTree = value;
  PassSettings();
}

void TkCustomShellChangeNotifier::SetOnChange(TThreadMethod value) {
  FOnChange = std::move(value);
  if (FThread)
    FThread->SetChangeEvent(FOnChange);
  else
    Start();
}

void TkCustomShellChangeNotifier::Start() {
  if (!FOnChange) return;
  FThread = new TkShellChangeThread(FOnChange);
  PassSettings();
  FThread->Start();
}

}  // namespace skin
