// TkShellChangeNotifier: watches a folder with the platform's change notifications on a thread of
// its own and runs OnChange on the GUI thread after each change. New settings reach a waiting
// watcher at once (it is woken to watch the new folder); once the notifier is gone its event is
// never run again.
#pragma once
#include <functional>
#include <string>

#include "framework/core/component.h"
#include "framework/core/sets.h"
#include "skin/controls/shell_folder.h"

namespace skin {

enum TkNotifyFilter {
  nfFileNameChange, nfDirNameChange, nfAttributeChange, nfSizeChange, nfWriteChange, nfSecurityChange
};
using TkNotifyFilters = fw::TSet<TkNotifyFilter>;
// The FILE_NOTIFY_CHANGE_ flags of a filter set.
DWORD NotifyFilterFlags(TkNotifyFilters filters);

using TThreadMethod = std::function<void()>;

class TkShellChangeThread;

class TkCustomShellChangeNotifier : public fw::TComponent {
  FW_CLASS(TkCustomShellChangeNotifier, fw::TComponent)
 public:
  explicit TkCustomShellChangeNotifier(fw::TComponent* owner);

  TkNotifyFilters GetNotifyFilters() const { return FNotifyFilters; }
  void SetNotifyFilters(TkNotifyFilters value);
  const TkRoot& GetRoot() const { return FRoot; }
  void SetRoot(const TkRoot& value);
  bool GetWatchSubTree() const { return FWatchSubTree; }
  void SetWatchSubTree(bool value);
  const TThreadMethod& GetOnChange() const { return FOnChange; }
  // Stores the event; starts the watcher when none runs, else hands it the new event.
  void SetOnChange(TThreadMethod value);

 protected:
  ~TkCustomShellChangeNotifier() override;

 private:
  void Start();
  void PassSettings();

  TkNotifyFilters FNotifyFilters{nfFileNameChange, nfDirNameChange};
  TkRoot FRoot = "C:\\";
  bool FWatchSubTree = true;
  TThreadMethod FOnChange;
  TkShellChangeThread* FThread = nullptr;
};

class TkShellChangeNotifier : public TkCustomShellChangeNotifier {
  FW_CLASS(TkShellChangeNotifier, TkCustomShellChangeNotifier)
 public:
  using TkCustomShellChangeNotifier::TkCustomShellChangeNotifier;

 protected:
  ~TkShellChangeNotifier() override = default;
};

}  // namespace skin
