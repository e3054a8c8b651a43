// The change notifier in a sandbox folder: real changes announced to the shell and dispatched
// by kind in order, the queue and its limit, renames, the watched folder and special folders,
// hand-built shell messages for what the shell will not send, and the items' one controller.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "framework/rtl/file_utils.h"
#include "framework/win.h"
#include "services/shell/shell_component.h"
#include "services/shell/shell_controller.h"
#include "services/shell/shell_item.h"
#include "services/shell/shell_notification.h"
#include "services/shell/sv_exception.h"
#include "support/message_pump.h"
#include "support/sandbox.h"

using namespace svc;
namespace sandbox = testing_sandbox;
using testing_pump::Pump;
using testing_pump::PumpUntil;

namespace {

std::string PathOf(TSvShellItem* item) { return item ? item->GetPath() : "(nil)"; }

TPidl PidlOf(const std::string& path) {
  TPidl pidl;
  ULONG eaten = 0;
  TComRef<IShellFolder> desktop;
  SHGetDesktopFolder(desktop.Put());
  std::wstring wide(path.begin(), path.end());
  desktop->ParseDisplayName(nullptr, nullptr, wide.data(), &eaten, pidl.Put(), nullptr);
  return pidl;
}

class ShellNotification : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = sandbox::TestFolder();
    notifier = fw::New<TSvShellNotification>(nullptr);
    notifier->OnShellChangeNotify = [this](fw::TObject*, TSvShellItem* a, TSvShellItem* b, TSvNotifyEventsSet events) {
      log.push_back("notify " + std::to_string(events.Bits()) + " " + PathOf(a) + " " + PathOf(b));
      ++notifies;
      Check(a);
      Check(b);
    };
    notifier->OnFileCreate = [this](fw::TObject*, TSvShellItem* item) {
      log.push_back("create " + PathOf(item));
      Check(item);
    };
    notifier->OnFolderChange = [this](fw::TObject*, TSvShellItem* item) { log.push_back("folder " + PathOf(item)); };
    notifier->OnAttributeChange = [this](fw::TObject*, TSvShellItem* item, TSvShellItem*) {
      log.push_back("attributes " + PathOf(item));
    };
    notifier->OnFileRename = [this](fw::TObject*, TSvShellItem* a, TSvShellItem* b) {
      log.push_back("rename " + PathOf(a) + " " + PathOf(b));
    };
    notifier->OnDriveSpaceChange = [this](fw::TObject*, uint32_t drive) {
      log.push_back("space " + std::to_string(drive));
    };
  }
  void TearDown() override {
    fw::Free(notifier);
    svc::testing::SetShellVersion(previousVersion);
  }

  // Every event's items come from the notifier's one controller.
  void Check(TSvShellItem* item) {
    if (item && item->GetController() != notifier->GetController()) ++foreignControllers;
  }

  // Wine reports a change only to registrations of the changed item itself or, recursively, of
  // a folder above it, so the sandbox folder is watched with its subfolders.
  void Watch() {
    notifier->SetWatchFolder(folder);
    notifier->SetWatchSubFolders(true);
    notifier->SetActive(true);
    ASSERT_TRUE(notifier->GetRegistered());
  }

  std::string Announce(LONG event, const std::string& name) {
    std::string path = folder + name;
    SHChangeNotify(event, SHCNF_PATHA | SHCNF_FLUSH, path.c_str(), nullptr);
    return path;
  }

  std::string folder;
  TSvShellNotification* notifier = nullptr;
  std::vector<std::string> log;
  int notifies = 0;
  int foreignControllers = 0;
  std::optional<double> previousVersion = svc::testing::SetShellVersion(std::nullopt);
};

std::string Bits(std::initializer_list<TSvNotifyEvent> members) {
  return std::to_string(TSvNotifyEventsSet(members).Bits());
}

}  // namespace

TEST_F(ShellNotification, ARealCreationIsDispatchedThenTheCatchAll) {
  Watch();
  sandbox::WriteFile(folder + "new.txt", "x");
  std::string path = Announce(SHCNE_CREATE, "new.txt");
  ASSERT_TRUE(PumpUntil([&] { return notifies > 0; }));
  Pump(100);
  EXPECT_EQ((std::vector<std::string>{"create " + path, "notify " + Bits({neFileCreate}) + " " + path + " (nil)"}), log);
  EXPECT_EQ(0, foreignControllers);

  // One change with two kinds: each kind's event in order, then one catch-all with both.
  log.clear();
  sandbox::WriteFile(folder + "two.txt", "x");
  path = Announce(SHCNE_CREATE | SHCNE_UPDATEDIR, "two.txt");
  ASSERT_TRUE(PumpUntil([&] { return notifies > 1; }));
  Pump(100);
  EXPECT_EQ((std::vector<std::string>{"create " + path, "folder " + path,
                                      "notify " + Bits({neFileCreate, neFolderUpdate}) + " " + path + " (nil)"}),
            log);
}

TEST_F(ShellNotification, AttributeChangesGoFirstAndTheQueueHasALimit) {
  Watch();
  std::vector<std::string> paths;
  for (int i = 0; i < 3; ++i) {
    sandbox::WriteFile(folder + "f" + std::to_string(i), "x");
    paths.push_back(Announce(SHCNE_CREATE, "f" + std::to_string(i)));
  }
  std::string changed = Announce(SHCNE_ATTRIBUTES, "f0");
  ASSERT_TRUE(PumpUntil([&] { return notifies == 4; }));
  Pump(100);
  std::vector<std::string> kinds;
  for (const std::string& line : log)
    if (line.rfind("notify", 0) != 0) kinds.push_back(line);
  EXPECT_EQ((std::vector<std::string>{"attributes " + changed, "create " + paths[0], "create " + paths[1],
                                      "create " + paths[2]}),
            kinds);

  log.clear();
  notifies = 0;
  notifier->SetMaxNotifications(5);
  for (int i = 0; i < 10; ++i) Announce(SHCNE_CREATE, "f0");
  Pump(500);
  EXPECT_EQ(6, notifies);
  EXPECT_EQ(0, notifier->QueuedCount());
  EXPECT_EQ(0, foreignControllers);
}

TEST_F(ShellNotification, ARenameCarriesTheOldAndTheNewItem) {
  Watch();
  sandbox::WriteFile(folder + "old.txt", "x");
  TPidl before = PidlOf(folder + "old.txt");
  ASSERT_TRUE(MoveFileA((folder + "old.txt").c_str(), (folder + "new.txt").c_str()));
  TPidl after = PidlOf(folder + "new.txt");
  ASSERT_TRUE(before && after);
  SHChangeNotify(SHCNE_RENAMEITEM, SHCNF_IDLIST | SHCNF_FLUSH, before.Get(), after.Get());
  ASSERT_TRUE(PumpUntil([&] { return notifies > 0; }));
  ASSERT_FALSE(log.empty());
  EXPECT_EQ("rename " + folder + "old.txt " + folder + "new.txt", log[0]);
}

TEST_F(ShellNotification, WatchedFoldersAndSpecialFolders) {
  notifier->SetWatchFolder("C:");
  EXPECT_EQ("C:\\", notifier->GetWatchFolder());
  ASSERT_NE(nullptr, notifier->GetWatchPidl());
  notifier->SetActive(true);
  EXPECT_TRUE(notifier->GetRegistered());

  try {
    notifier->SetWatchFolder(folder + "missing\\deeper");
    ADD_FAILURE() << "a missing folder was watched";
  } catch (const ESvInvalidFolder& e) {
    EXPECT_EQ(240u, e.GetErrorCode());
    EXPECT_EQ("Invalid folder", e.GetMessage());
  }
  EXPECT_EQ(nullptr, notifier->GetWatchPidl());
  EXPECT_FALSE(notifier->GetRegistered());
  EXPECT_EQ(0u, notifier->GetNotifyHandle());

  notifier->SetWatchFolder(folder);
  ASSERT_TRUE(notifier->GetRegistered());
  notifier->SetSpecialWatchFolder(sfDesktop);
  EXPECT_EQ("", notifier->GetWatchFolder());
  EXPECT_EQ(nullptr, notifier->GetWatchPidl());
  EXPECT_TRUE(notifier->GetRegistered());
  notifier->SetSpecialWatchFolder(sfHistory);
  EXPECT_NE(nullptr, notifier->GetWatchPidl());
  notifier->SetActive(false);
  EXPECT_FALSE(notifier->GetRegistered());

  // An older shell: the Internet folders are refused.
  svc::testing::SetShellVersion(4.0);
  auto older = fw::MakeOwned<fw::TComponent>(nullptr);
  auto* old = fw::New<TSvShellNotification>(older.get());
  try {
    old->SetSpecialWatchFolder(sfHistory);
    ADD_FAILURE() << "sfHistory on shell 4.0";
  } catch (const ESvShellError& e) {
    EXPECT_EQ(110u, e.GetErrorCode());
  }
  EXPECT_EQ(sfNone, old->GetSpecialWatchFolder());
  old->SetSpecialWatchFolder(sfPersonal);
  EXPECT_EQ(sfPersonal, old->GetSpecialWatchFolder());
}

TEST_F(ShellNotification, HandBuiltShellMessages) {
  TPidl file;
  sandbox::WriteFile(folder + "a.txt", "x");
  file = PidlOf(folder + "a.txt");
  // A nil second list gives a nil second item.
  LPCITEMIDLIST pair[2] = {file.Get(), nullptr};
  SendMessageA(notifier->GetHandle(), kShellChangeMessage, reinterpret_cast<WPARAM>(pair), SHCNE_CREATE);
  ASSERT_TRUE(PumpUntil([&] { return notifies == 1; }));
  EXPECT_EQ("notify " + Bits({neFileCreate}) + " " + folder + "a.txt (nil)", log.back());

  // The drive mask of a space change: none without a first list, none from an ID too short to
  // hold it, the mask from a 6-byte ID.
  LPCITEMIDLIST none[2] = {nullptr, nullptr};
  SendMessageA(notifier->GetHandle(), kShellChangeMessage, reinterpret_cast<WPARAM>(none), SHCNE_FREESPACE);
  alignas(4) BYTE shortId[6] = {4, 0, 0x10, 0, 0, 0};  // one 4-byte ID, then the end
  LPCITEMIDLIST shortPair[2] = {reinterpret_cast<LPCITEMIDLIST>(shortId), nullptr};
  SendMessageA(notifier->GetHandle(), kShellChangeMessage, reinterpret_cast<WPARAM>(shortPair), SHCNE_FREESPACE);
  alignas(4) BYTE maskId[8] = {6, 0, 0x0C, 0, 0, 0, 0, 0};  // drives C: and D:
  LPCITEMIDLIST maskPair[2] = {reinterpret_cast<LPCITEMIDLIST>(maskId), nullptr};
  SendMessageA(notifier->GetHandle(), kShellChangeMessage, reinterpret_cast<WPARAM>(maskPair), SHCNE_FREESPACE);
  ASSERT_TRUE(PumpUntil([&] { return notifies == 4; }));
  std::vector<std::string> spaces;
  for (const std::string& line : log)
    if (line.rfind("space", 0) == 0) spaces.push_back(line);
  EXPECT_EQ((std::vector<std::string>{"space 0", "space 0", "space 12"}), spaces);
}

TEST_F(ShellNotification, QueuedEntriesAreFreedWithTheComponent) {
  int before = TSvNotificationItem::Instances();
  TPidl file = PidlOf(folder);
  LPCITEMIDLIST pair[2] = {file.Get(), nullptr};
  for (int i = 0; i < 4; ++i)
    SendMessageA(notifier->GetHandle(), kShellChangeMessage, reinterpret_cast<WPARAM>(pair), SHCNE_UPDATEDIR);
  EXPECT_EQ(4, notifier->QueuedCount());
  EXPECT_EQ(before + 4, TSvNotificationItem::Instances());
  fw::FreeAndNil(notifier);
  EXPECT_EQ(before, TSvNotificationItem::Instances());
  Pump(50);  // the posted drain message finds no window
}

TEST_F(ShellNotification, EventsShareOneControllerAndWriteNoProbeLink) {
  Watch();
  sandbox::WriteFile(folder + "c.txt", "x");
  Announce(SHCNE_CREATE, "c.txt");
  ASSERT_TRUE(PumpUntil([&] { return notifies == 1; }));

  // Watch the temporary folder's names while more events arrive.
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  HANDLE dir = CreateFileA(temp, FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, dir);
  alignas(DWORD) BYTE changes[8192];
  OVERLAPPED overlapped{};
  overlapped.hEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  ASSERT_TRUE(ReadDirectoryChangesW(dir, changes, sizeof changes, FALSE, FILE_NOTIFY_CHANGE_FILE_NAME, nullptr,
                                    &overlapped, nullptr));
  for (int i = 0; i < 3; ++i) {
    Announce(SHCNE_CREATE, "c.txt");
    Announce(SHCNE_ATTRIBUTES, "c.txt");
  }
  ASSERT_TRUE(PumpUntil([&] { return notifies == 7; }));
  bool probeLinkWritten = false;
  if (WaitForSingleObject(overlapped.hEvent, 300) == WAIT_OBJECT_0) {
    DWORD got = 0;
    GetOverlappedResult(dir, &overlapped, &got, FALSE);
    for (DWORD at = 0; got && at < got;) {
      auto* info = reinterpret_cast<FILE_NOTIFY_INFORMATION*>(changes + at);
      std::wstring name(info->FileName, info->FileNameLength / sizeof(WCHAR));
      if (_wcsicmp(name.c_str(), L"temp.lnk") == 0) probeLinkWritten = true;
      if (!info->NextEntryOffset) break;
      at += info->NextEntryOffset;
    }
  } else {
    CancelIo(dir);
    WaitForSingleObject(overlapped.hEvent, 1000);
  }
  CloseHandle(overlapped.hEvent);
  CloseHandle(dir);
  EXPECT_FALSE(probeLinkWritten);
  EXPECT_EQ(0, foreignControllers);
}
