#include "services/shell/shell_notification.h"

#include <atomic>
#include <cstring>

#include "framework/msg/allocate_hwnd.h"
#include "services/containers/sv_dque.h"
#include "services/shell/com_ref.h"
#include "services/shell/shell32_functions.h"
#include "services/shell/shell_controller.h"
#include "services/shell/shell_item.h"
#include "services/shell/sv_exception.h"

namespace svc {

namespace {

constexpr LONG kEventBits[] = {
    SHCNE_ASSOCCHANGED, SHCNE_ATTRIBUTES, SHCNE_UPDATEITEM,    SHCNE_CREATE,       SHCNE_DELETE,
    SHCNE_RENAMEITEM,   SHCNE_DRIVEADD,   SHCNE_DRIVEREMOVED,  SHCNE_DRIVEADDGUI,  SHCNE_FREESPACE,
    SHCNE_MEDIAINSERTED, SHCNE_MEDIAREMOVED, SHCNE_MKDIR,      SHCNE_RMDIR,        SHCNE_RENAMEFOLDER,
    SHCNE_UPDATEDIR,    SHCNE_NETSHARE,   SHCNE_NETUNSHARE,    SHCNE_SERVERDISCONNECT, SHCNE_UPDATEIMAGE,
};
static_assert(sizeof kEventBits / sizeof kEventBits[0] == neImageListChange + 1);

// Sources: interrupt-level and shell-level.
constexpr int kNotifySources = 3;
constexpr double kVersionForInternetFolders = 4.7;

bool NeedsNewerShell(TSvSpecialRootFolder folder) {
  switch (SpecialFolderCsidl(folder)) {
    case 1: case 29: case 30: case 31: case 32: case 33: case 34: return true;
    default: return false;
  }
}

LONG RegistrationMask(TSvNotifyEventsSet events) {
  LONG mask = 0;
  for (int e = neAssociationChange; e <= neImageListChange; ++e)
    if (events.Contains(static_cast<TSvNotifyEvent>(e))) mask |= kEventBits[e];
  return mask;
}

LPITEMIDLIST Clone(LPCITEMIDLIST pidl) { return pidl && Shell32().ILClone ? Shell32().ILClone(pidl) : nullptr; }

// The drive mask the shell stores after the first ID's 2-byte length; 0 when there is no
// first ID or it is too short to hold one.
uint32_t DriveMaskOf(LPCITEMIDLIST pidl) {
  if (!pidl || pidl->mkid.cb < 6) return 0;
  uint32_t mask = 0;
  std::memcpy(&mask, reinterpret_cast<const BYTE*>(pidl) + 2, sizeof mask);
  return mask;
}

void DisposeNotificationItem(void* data) { fw::Free(static_cast<TSvNotificationItem*>(data)); }

// An item freed when the drain or the dispatch leaves, by whatever way.
struct TItemHolder {
  TSvShellItem* Item;
  ~TItemHolder() { fw::Free(Item); }
};

}  // namespace

LONG NotifyEventBit(TSvNotifyEvent event) { return kEventBits[event]; }

TSvNotifyEventsSet AllNotifyEvents() {
  TSvNotifyEventsSet all;
  for (int e = neAssociationChange; e <= neImageListChange; ++e) all.Include(static_cast<TSvNotifyEvent>(e));
  return all;
}

namespace {
std::atomic<int> liveItems{0};
}  // namespace

TSvNotificationItem::TSvNotificationItem(LPCITEMIDLIST pidl1, LPCITEMIDLIST pidl2, LONG events)
    : Pidl1(Clone(pidl1)), Pidl2(Clone(pidl2)), Events(events) {
  ++liveItems;
}

int TSvNotificationItem::Instances() { return liveItems; }

TSvNotificationItem::~TSvNotificationItem() {
  --liveItems;
  FreePidl(Pidl1);
  FreePidl(Pidl2);
}

TSvCustomShellNotification::TSvCustomShellNotification(fw::TComponent* owner)
    : TSvShellComponent(owner), FNotifyEvents(AllNotifyEvents()) {
  if (!Shell32FunctionsLoaded()) LoadShell32Functions();
  FQueue = fw::New<TSvDQue>();
  FQueue->DisposeData = DisposeNotificationItem;
  if (!GetComponentState().Contains(fw::csDesigning))
    FHandle = fw::AllocateHWnd([this](fw::TMessage& message) { WndProc(message); });
}

TSvCustomShellNotification::~TSvCustomShellNotification() {
  if (FRegistered) DeregisterNotify();
  fw::DeallocateHWnd(FHandle);
  FHandle = nullptr;
  fw::Free(FQueue);
  FreeWatchPidl();
  fw::Free(FController);
}

void TSvCustomShellNotification::Loaded() {
  TSvShellComponent::Loaded();
  if (FActive && !FRegistered) RegisterNotify();
}

TSvCustomShellController* TSvCustomShellNotification::GetController() {
  if (!FController) FController = fw::New<TSvCustomShellController>(nullptr);
  return FController;
}

int TSvCustomShellNotification::QueuedCount() const { return FQueue->GetCount(); }

void TSvCustomShellNotification::SetActive(bool value) {
  FActive = value;
  if (FActive && !FRegistered)
    RegisterNotify();
  else if (!FActive && FRegistered)
    DeregisterNotify();
}

void TSvCustomShellNotification::SetNotifyEvents(TSvNotifyEventsSet value) {
  FNotifyEvents = value;
  if (FActive) RegisterNotify();
}

void TSvCustomShellNotification::SetWatchSubFolders(bool value) {
  FWatchSubFolders = value;
  if (FActive) RegisterNotify();
}

void TSvCustomShellNotification::FreeWatchPidl() {
  if (FOwnsWatchPidl) FreePidl(FWatchPidl);
  FWatchPidl = nullptr;
  FOwnsWatchPidl = false;
}

void TSvCustomShellNotification::SetWatchPidl(LPITEMIDLIST pidl) {
  if (pidl != FWatchPidl) FreeWatchPidl();
  FWatchPidl = pidl;
  if (FActive) RegisterNotify();
}

void TSvCustomShellNotification::SetWatchFolder(const std::string& value) {
  FWatchFolder = value;
  if (FWatchFolder.size() == 2 && FWatchFolder.find(':') != std::string::npos) FWatchFolder += '\\';
  if (FWatchFolder.empty()) return;
  FSpecialWatchFolder = sfNone;
  TPidl parsed;
  GetController()->PathToPidl(FWatchFolder, GetController()->GetDesktopFolder(), parsed);
  if (FRegistered) DeregisterNotify();
  FreeWatchPidl();
  if (!parsed) RaiseSsError<ESvInvalidFolder>(240);
  FWatchPidl = parsed.Detach();
  FOwnsWatchPidl = true;
  if (FActive) RegisterNotify();
}

void TSvCustomShellNotification::SetSpecialWatchFolder(TSvSpecialRootFolder value) {
  if (!GetComponentState().Contains(fw::csDesigning) && NeedsNewerShell(value) &&
      GetShellVersion() < kVersionForInternetFolders)
    RaiseSsError<ESvShellError>(110);
  if (value == FSpecialWatchFolder) return;
  FSpecialWatchFolder = value;
  if (value == sfNone) return;
  FWatchFolder.clear();
  if (value == sfDesktop) {
    SetWatchPidl(nullptr);
    return;
  }
  TPidl located;
  SHGetSpecialFolderLocation(FHandle, SpecialFolderCsidl(value), located.Put());
  FreeWatchPidl();
  FWatchPidl = located.Detach();
  FOwnsWatchPidl = FWatchPidl != nullptr;
  if (FActive) RegisterNotify();
}

void TSvCustomShellNotification::RegisterNotify() {
  if (GetComponentState().Contains(fw::csDesigning) || GetComponentState().Contains(fw::csLoading)) return;
  if (FRegistered) DeregisterNotify();
  if (!Shell32().SHChangeNotifyRegister) return;
  SHChangeNotifyEntry entry{};
  entry.pidl = FWatchPidl;
  entry.fRecursive = FWatchSubFolders;
  FNotifyHandle = Shell32().SHChangeNotifyRegister(FHandle, kNotifySources, RegistrationMask(FNotifyEvents),
                                                   kShellChangeMessage, 1, &entry);
  FRegistered = FNotifyHandle != 0;
}

void TSvCustomShellNotification::DeregisterNotify() {
  if (Shell32().SHChangeNotifyDeregister) Shell32().SHChangeNotifyDeregister(FNotifyHandle);
  FNotifyHandle = 0;
  FRegistered = false;
}

TSvShellItem* TSvCustomShellNotification::MakeItem(LPCITEMIDLIST pidl) {
  return pidl ? TSvShellItem::CreateFromPidl(pidl, GetController()) : nullptr;
}

void TSvCustomShellNotification::WndProc(fw::TMessage& message) {
  switch (message.Msg) {
    case kShellChangeMessage:
      ShellChanged(reinterpret_cast<LPCITEMIDLIST const*>(message.WParam), static_cast<LONG>(message.LParam));
      break;
    case kDrainQueueMessage: DrainQueue(); break;
    default: message.Result = DefWindowProcA(FHandle, message.Msg, message.WParam, message.LParam);
  }
}

void TSvCustomShellNotification::ShellChanged(LPCITEMIDLIST const* pidls, LONG events) {
  if (FMaxNotifications != 0 && FQueue->GetCount() > FMaxNotifications) return;
  LPCITEMIDLIST pidl1 = pidls ? pidls[0] : nullptr;
  LPCITEMIDLIST pidl2 = pidls ? pidls[1] : nullptr;
  if (events & SHCNE_ATTRIBUTES) {
    TItemHolder item1{MakeItem(pidl1)};
    TItemHolder item2{MakeItem(pidl2)};
    FCurrentEvents = TSvNotifyEventsSet(neAttributesChange);
    DoAttributeChange(item1.Item, item2.Item);
    DoShellChangeNotify(item1.Item, item2.Item, FCurrentEvents);
    return;
  }
  FQueue->Append(fw::New<TSvNotificationItem>(pidl1, pidl2, events));
  if (FQueue->GetCount() == 1) PostMessageA(FHandle, kDrainQueueMessage, 0, 0);
}

void TSvCustomShellNotification::DrainQueue() {
  for (;;) {
    void* head = nullptr;
    FQueue->Head(head);
    if (!head) return;
    auto* entry = static_cast<TSvNotificationItem*>(head);
    {
      TItemHolder item1{MakeItem(entry->Pidl1)};
      TItemHolder item2{MakeItem(entry->Pidl2)};
      try {
        Dispatch(item1.Item, item2.Item, entry->Pidl1, entry->Events);
      } catch (...) {
        // A failing handler loses its own change only: the rest are drained by a new message.
        FQueue->PopHead();
        if (FQueue->GetCount() > 0) PostMessageA(FHandle, kDrainQueueMessage, 0, 0);
        throw;
      }
    }
    FQueue->PopHead();
  }
}

void TSvCustomShellNotification::Dispatch(TSvShellItem* item1, TSvShellItem* item2, LPCITEMIDLIST pidl1,
                                          LONG events) {
  FCurrentEvents = TSvNotifyEventsSet();
  auto fires = [&](LONG bit, TSvNotifyEvent member) {
    if (!(events & bit)) return false;
    FCurrentEvents.Include(member);
    return true;
  };
  if (fires(SHCNE_ASSOCCHANGED, neAssociationChange)) DoAssociationChange();
  if (fires(SHCNE_UPDATEITEM, neFileChange)) DoFileChange(item1);
  if (fires(SHCNE_CREATE, neFileCreate)) DoFileCreate(item1);
  if (fires(SHCNE_DELETE, neFileDelete)) DoFileDelete(item1, item2);
  if (fires(SHCNE_RENAMEITEM, neFileRename)) DoFileRename(item1, item2);
  if (fires(SHCNE_DRIVEADD, neDriveAdd)) DoDriveAdd(item1);
  if (fires(SHCNE_DRIVEREMOVED, neDriveRemove)) DoDriveRemove(item1);
  if (fires(SHCNE_DRIVEADDGUI, neShellDriveAdd)) DoShellDriveAdd(item1);
  if (fires(SHCNE_MEDIAINSERTED, neMediaInsert)) {
    if (item1) item1->RefreshFromShell();
    DoMediaInsert(item1);
  }
  if (fires(SHCNE_MEDIAREMOVED, neMediaRemove)) {
    if (item1) item1->RefreshFromShell();
    DoMediaRemove(item1);
  }
  if (fires(SHCNE_MKDIR, neFolderCreate)) DoFolderCreate(item1);
  if (fires(SHCNE_RMDIR, neFolderDelete)) DoFolderDelete(item1);
  if (fires(SHCNE_RENAMEFOLDER, neFolderRename)) DoFolderRename(item1, item2);
  if (fires(SHCNE_UPDATEDIR, neFolderUpdate)) DoFolderChange(item1);
  if (fires(SHCNE_NETSHARE, neNetShare)) DoNetShare(item1);
  if (fires(SHCNE_NETUNSHARE, neNetUnShare)) DoNetUnShare(item1);
  if (fires(SHCNE_SERVERDISCONNECT, neServerDisconnect)) DoServerDisconnect(item1);
  if (fires(SHCNE_UPDATEIMAGE, neImageListChange)) DoImageListChange();
  if (fires(SHCNE_FREESPACE, neDriveSpaceChange)) DoDriveSpaceChange(DriveMaskOf(pidl1));
  DoShellChangeNotify(item1, item2, FCurrentEvents);
}

void TSvCustomShellNotification::DoAssociationChange() {
  if (OnAssociationChange) OnAssociationChange(this);
}
void TSvCustomShellNotification::DoAttributeChange(TSvShellItem* oldItem, TSvShellItem* newItem) {
  if (OnAttributeChange) OnAttributeChange(this, oldItem, newItem);
}
void TSvCustomShellNotification::DoDriveAdd(TSvShellItem* item) {
  if (OnDriveAdd) OnDriveAdd(this, item);
}
void TSvCustomShellNotification::DoDriveRemove(TSvShellItem* item) {
  if (OnDriveRemove) OnDriveRemove(this, item);
}
void TSvCustomShellNotification::DoDriveSpaceChange(uint32_t drive) {
  if (OnDriveSpaceChange) OnDriveSpaceChange(this, drive);
}
void TSvCustomShellNotification::DoFileChange(TSvShellItem* item) {
  if (OnFileChange) OnFileChange(this, item);
}
void TSvCustomShellNotification::DoFileCreate(TSvShellItem* item) {
  if (OnFileCreate) OnFileCreate(this, item);
}
void TSvCustomShellNotification::DoFileDelete(TSvShellItem* oldItem, TSvShellItem* newItem) {
  if (OnFileDelete) OnFileDelete(this, oldItem, newItem);
}
void TSvCustomShellNotification::DoFileRename(TSvShellItem* oldItem, TSvShellItem* newItem) {
  if (OnFileRename) OnFileRename(this, oldItem, newItem);
}
void TSvCustomShellNotification::DoFolderChange(TSvShellItem* item) {
  if (OnFolderChange) OnFolderChange(this, item);
}
void TSvCustomShellNotification::DoFolderCreate(TSvShellItem* item) {
  if (OnFolderCreate) OnFolderCreate(this, item);
}
void TSvCustomShellNotification::DoFolderDelete(TSvShellItem* item) {
  if (OnFolderDelete) OnFolderDelete(this, item);
}
void TSvCustomShellNotification::DoFolderRename(TSvShellItem* oldItem, TSvShellItem* newItem) {
  if (OnFolderRename) OnFolderRename(this, oldItem, newItem);
}
void TSvCustomShellNotification::DoImageListChange() {
  if (OnImageListChange) OnImageListChange(this);
}
void TSvCustomShellNotification::DoMediaInsert(TSvShellItem* item) {
  if (OnMediaInsert) OnMediaInsert(this, item);
}
void TSvCustomShellNotification::DoMediaRemove(TSvShellItem* item) {
  if (OnMediaRemove) OnMediaRemove(this, item);
}
void TSvCustomShellNotification::DoNetShare(TSvShellItem* item) {
  if (OnNetShare) OnNetShare(this, item);
}
void TSvCustomShellNotification::DoNetUnShare(TSvShellItem* item) {
  if (OnNetUnShare) OnNetUnShare(this, item);
}
void TSvCustomShellNotification::DoServerDisconnect(TSvShellItem* item) {
  if (OnServerDisconnect) OnServerDisconnect(this, item);
}
void TSvCustomShellNotification::DoShellDriveAdd(TSvShellItem* item) {
  if (OnShellDriveAdd) OnShellDriveAdd(this, item);
}
void TSvCustomShellNotification::DoShellChangeNotify(TSvShellItem* oldItem, TSvShellItem* newItem,
                                                     TSvNotifyEventsSet events) {
  if (OnShellChangeNotify) OnShellChangeNotify(this, oldItem, newItem, events);
}

}  // namespace svc
