// TSvCustomShellNotification and TSvShellNotification: a non-visual component that registers
// with the shell for the changes of one watched folder, receives them on a hidden window and
// fires one event per kind of change, then a catch-all event. Attribute changes are dispatched
// at once; every other change waits in a queue that a message posted to itself drains.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "framework/core/events.h"
#include "framework/core/sets.h"
#include "framework/msg/messages.h"
#include "framework/win.h"
#include "services/shell/shell_component.h"
#include "services/shell/root_folder.h"

namespace svc {

class TSvShellItem;
class TSvCustomShellController;
class TSvDQue;

enum TSvNotifyEvent {
  neAssociationChange, neAttributesChange, neFileChange, neFileCreate, neFileDelete, neFileRename, neDriveAdd,
  neDriveRemove, neShellDriveAdd, neDriveSpaceChange, neMediaInsert, neMediaRemove, neFolderCreate,
  neFolderDelete, neFolderRename, neFolderUpdate, neNetShare, neNetUnShare, neServerDisconnect,
  neImageListChange
};
using TSvNotifyEventsSet = fw::TSet<TSvNotifyEvent>;

// The shell's event bit of each member.
LONG NotifyEventBit(TSvNotifyEvent event);
// Every member.
TSvNotifyEventsSet AllNotifyEvents();

using TSvShellNotifyEvent1 = std::function<void(fw::TObject* sender, TSvShellItem* item)>;
using TSvShellNotifyEvent2 = std::function<void(fw::TObject* sender, TSvShellItem* oldItem, TSvShellItem* newItem)>;
using TSvShellNotifyEvent3 = std::function<void(fw::TObject* sender, TSvShellItem* oldItem, TSvShellItem* newItem,
                                                TSvNotifyEventsSet events)>;
using TSvShellNotifyEvent4 = std::function<void(fw::TObject* sender, uint32_t drive)>;

// One queued change: clones of its two ID lists (null where the shell gave none) and its
// event value.
class TSvNotificationItem : public fw::TObject {
  FW_CLASS(TSvNotificationItem, fw::TObject)
 public:
  TSvNotificationItem(LPCITEMIDLIST pidl1, LPCITEMIDLIST pidl2, LONG events);
  ~TSvNotificationItem() override;
  // Items alive now (for leak checks).
  static int Instances();
  LPITEMIDLIST Pidl1 = nullptr;
  LPITEMIDLIST Pidl2 = nullptr;
  LONG Events = 0;
};

// The shell's message of a change, and the component's own message that drains the queue.
inline constexpr UINT kShellChangeMessage = WM_USER + 1;
inline constexpr UINT kDrainQueueMessage = WM_USER + 2;

class TSvCustomShellNotification : public TSvShellComponent {
  FW_CLASS(TSvCustomShellNotification, TSvShellComponent)
 public:
  explicit TSvCustomShellNotification(fw::TComponent* owner);

  void Loaded() override;

  bool GetActive() const { return FActive; }
  void SetActive(bool value);
  int GetMaxNotifications() const { return FMaxNotifications; }
  void SetMaxNotifications(int value) { FMaxNotifications = value; }
  TSvNotifyEventsSet GetNotifyEvents() const { return FNotifyEvents; }
  void SetNotifyEvents(TSvNotifyEventsSet value);
  TSvSpecialRootFolder GetSpecialWatchFolder() const { return FSpecialWatchFolder; }
  // Folders that need shell 4.7 raise ESvShellError 110 on an older shell.
  void SetSpecialWatchFolder(TSvSpecialRootFolder value);
  const std::string& GetWatchFolder() const { return FWatchFolder; }
  // A bare drive ("C:") watches its root; a path the desktop cannot parse raises
  // ESvInvalidFolder 240 and registers nothing.
  void SetWatchFolder(const std::string& value);
  LPITEMIDLIST GetWatchPidl() const { return FWatchPidl; }
  // Watches the list (not copied: the caller keeps it alive while it is watched).
  void SetWatchPidl(LPITEMIDLIST pidl);
  bool GetWatchSubFolders() const { return FWatchSubFolders; }
  void SetWatchSubFolders(bool value);
  bool GetRegistered() const { return FRegistered; }
  ULONG GetNotifyHandle() const { return FNotifyHandle; }
  HWND GetHandle() const { return FHandle; }
  TSvNotifyEventsSet GetCurrentEvents() const { return FCurrentEvents; }
  // Entries waiting for the drain.
  int QueuedCount() const;
  // The controller every event's items are made with (made on first use).
  TSvCustomShellController* GetController();

  fw::TNotifyEvent OnAssociationChange;
  fw::TNotifyEvent OnImageListChange;
  TSvShellNotifyEvent2 OnAttributeChange;
  TSvShellNotifyEvent2 OnFileDelete;
  TSvShellNotifyEvent2 OnFileRename;
  TSvShellNotifyEvent2 OnFolderRename;
  TSvShellNotifyEvent1 OnDriveAdd;
  TSvShellNotifyEvent1 OnDriveRemove;
  TSvShellNotifyEvent1 OnFileChange;
  TSvShellNotifyEvent1 OnFileCreate;
  TSvShellNotifyEvent1 OnFolderChange;
  TSvShellNotifyEvent1 OnFolderCreate;
  TSvShellNotifyEvent1 OnFolderDelete;
  TSvShellNotifyEvent1 OnMediaInsert;
  TSvShellNotifyEvent1 OnMediaRemove;
  TSvShellNotifyEvent1 OnNetShare;
  TSvShellNotifyEvent1 OnNetUnShare;
  TSvShellNotifyEvent1 OnServerDisconnect;
  TSvShellNotifyEvent1 OnShellDriveAdd;
  TSvShellNotifyEvent4 OnDriveSpaceChange;
  TSvShellNotifyEvent3 OnShellChangeNotify;

 protected:
  ~TSvCustomShellNotification() override;

  virtual void DoAssociationChange();
  virtual void DoAttributeChange(TSvShellItem* oldItem, TSvShellItem* newItem);
  virtual void DoDriveAdd(TSvShellItem* item);
  virtual void DoDriveRemove(TSvShellItem* item);
  virtual void DoDriveSpaceChange(uint32_t drive);
  virtual void DoFileChange(TSvShellItem* item);
  virtual void DoFileCreate(TSvShellItem* item);
  virtual void DoFileDelete(TSvShellItem* oldItem, TSvShellItem* newItem);
  virtual void DoFileRename(TSvShellItem* oldItem, TSvShellItem* newItem);
  virtual void DoFolderChange(TSvShellItem* item);
  virtual void DoFolderCreate(TSvShellItem* item);
  virtual void DoFolderDelete(TSvShellItem* item);
  virtual void DoFolderRename(TSvShellItem* oldItem, TSvShellItem* newItem);
  virtual void DoImageListChange();
  virtual void DoMediaInsert(TSvShellItem* item);
  virtual void DoMediaRemove(TSvShellItem* item);
  virtual void DoNetShare(TSvShellItem* item);
  virtual void DoNetUnShare(TSvShellItem* item);
  virtual void DoServerDisconnect(TSvShellItem* item);
  virtual void DoShellDriveAdd(TSvShellItem* item);
  virtual void DoShellChangeNotify(TSvShellItem* oldItem, TSvShellItem* newItem, TSvNotifyEventsSet events);

 private:
  void RegisterNotify();
  void DeregisterNotify();
  void WndProc(fw::TMessage& message);
  void ShellChanged(LPCITEMIDLIST const* pidls, LONG events);
  void DrainQueue();
  void Dispatch(TSvShellItem* item1, TSvShellItem* item2, LPCITEMIDLIST pidl1, LONG events);
  TSvShellItem* MakeItem(LPCITEMIDLIST pidl);
  void FreeWatchPidl();

  bool FActive = false;
  int FMaxNotifications = 0;
  TSvNotifyEventsSet FNotifyEvents;
  TSvSpecialRootFolder FSpecialWatchFolder = sfNone;
  std::string FWatchFolder;
  LPITEMIDLIST FWatchPidl = nullptr;
  bool FOwnsWatchPidl = false;  // a list this component made (not one handed to SetWatchPidl)
  bool FWatchSubFolders = false;
  HWND FHandle = nullptr;
  bool FRegistered = false;
  ULONG FNotifyHandle = 0;
  TSvNotifyEventsSet FCurrentEvents;
  TSvDQue* FQueue = nullptr;
  TSvCustomShellController* FController = nullptr;
};

class TSvShellNotification : public TSvCustomShellNotification {
  FW_CLASS(TSvShellNotification, TSvCustomShellNotification)
 public:
  explicit TSvShellNotification(fw::TComponent* owner) : TSvCustomShellNotification(owner) {}

 protected:
  ~TSvShellNotification() override = default;
};

}  // namespace svc
