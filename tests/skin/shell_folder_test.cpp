// The shell folder layer of the skinned shell views: the item-ID list helpers on lists made up
// here, display names (the "?digit" rule, shown and hidden extensions) and the ".zip" rules, root
// folders, column details through Wine's folders and through a folder that is only an
// IShellFolder, renaming a nested item, and the change watcher on the sandbox's folders.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <vector>

#include "framework/forms/application.h"
#include "framework/rtl/exceptions.h"
#include "skin/controls/shell_change_notifier.h"
#include "skin/controls/shell_folder.h"
#include "skin/controls/web_label.h"
#include "support/message_pump.h"
#include "support/mock_shell_folder.h"
#include "support/sandbox.h"

namespace {

using testing_sandbox::TestFolder;
using testing_sandbox::WriteFile;
using testing_shell::TMockFolder;

// A list of the given items, each carrying its own byte as payload.
LPITEMIDLIST MadeUp(const std::vector<BYTE>& items) {
  UINT size = 2;
  for (BYTE b : items) size += 3 + b % 2;
  LPITEMIDLIST pidl = skin::AllocPidl(size);
  BYTE* at = reinterpret_cast<BYTE*>(pidl);
  for (BYTE b : items) {
    USHORT cb = static_cast<USHORT>(3 + b % 2);
    std::memcpy(at, &cb, 2);
    at[2] = b;
    at += cb;
  }
  return pidl;
}

// The payload bytes of a made-up list.
std::vector<BYTE> Payload(LPCITEMIDLIST pidl) {
  std::vector<BYTE> bytes;
  for (auto* p = pidl; p->mkid.cb; p = skin::NextItemId(p)) bytes.push_back(p->mkid.abID[0]);
  return bytes;
}

class ShellFolderTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    fw::StartupForms();
    skin::StartShellFolders();
  }
  static void TearDownTestSuite() {
    skin::StopShellFolders();
    fw::ShutdownForms();
  }
};

TEST_F(ShellFolderTest, PidlHelpersCountSizeJoinStripAndSplitMadeUpLists) {
  LPITEMIDLIST abc = MadeUp({1, 2, 3});
  EXPECT_EQ(3, skin::CountItemIds(abc));
  EXPECT_EQ(4u + 3u + 4u + 2u, skin::PidlSize(abc));
  EXPECT_EQ(0u, skin::PidlSize(nullptr));
  EXPECT_EQ(2, skin::NextItemId(abc)->mkid.abID[0]);

  LPITEMIDLIST last = skin::LastItemIdCopy(abc);
  EXPECT_EQ(std::vector<BYTE>{3}, Payload(last));
  LPITEMIDLIST de = MadeUp({4, 5});
  LPITEMIDLIST joined = skin::ConcatPidls(abc, de);
  EXPECT_EQ((std::vector<BYTE>{1, 2, 3, 4, 5}), Payload(joined));
  LPITEMIDLIST alone = skin::ConcatPidls(nullptr, de);
  EXPECT_EQ((std::vector<BYTE>{4, 5}), Payload(alone));

  skin::StripLastItemId(joined);
  EXPECT_EQ((std::vector<BYTE>{1, 2, 3, 4}), Payload(joined));
  skin::StripLastItemId(nullptr);
  LPITEMIDLIST copy = skin::CopyPidl(abc);
  EXPECT_EQ(Payload(abc), Payload(copy));
  EXPECT_NE(abc, copy);

  std::vector<LPITEMIDLIST> prefixes = skin::PidlToList(abc);
  ASSERT_EQ(3u, prefixes.size());
  EXPECT_EQ(0, skin::CountItemIds(prefixes[0]));
  EXPECT_EQ(std::vector<BYTE>{1}, Payload(prefixes[1]));
  EXPECT_EQ((std::vector<BYTE>{1, 2}), Payload(prefixes[2]));
  // The list given stays whole.
  EXPECT_EQ(3, skin::CountItemIds(abc));
  skin::FreePidlList(prefixes);
  EXPECT_TRUE(prefixes.empty());
  for (LPITEMIDLIST p : {abc, last, de, joined, alone, copy}) skin::FreePidl(p);
}

TEST_F(ShellFolderTest, RootNamesAndObjectTypeFlags) {
  EXPECT_EQ(skin::rfMyComputer, skin::RootFolderFromName("rfMyComputer"));
  EXPECT_EQ(skin::rfTemplates, skin::RootFolderFromName("rfTemplates"));
  EXPECT_EQ(-1, skin::RootFolderFromName("C:\\"));
  EXPECT_EQ(17, skin::RootFolderCsidl(skin::rfMyComputer));
  EXPECT_EQ(21, skin::RootFolderCsidl(skin::rfTemplates));
  EXPECT_EQ(4, skin::RootFolderCsidl(skin::rfPrinters));
  EXPECT_EQ(DWORD(0xE0), skin::ObjectTypeFlags({skin::otFolders, skin::otNonFolders, skin::otHidden}));
  EXPECT_EQ(DWORD(0x20), skin::ObjectTypeFlags(skin::otFolders));
}

// The item name of folder parent as a TkShellFolder below it.
skin::TkShellFolder* Child(skin::TkShellFolder* parent, const std::string& name) {
  std::wstring wide(name.begin(), name.end());
  LPITEMIDLIST pidl = nullptr;
  EXPECT_EQ(S_OK, parent->ShellFolder()->ParseDisplayName(nullptr, nullptr, wide.data(), nullptr, &pidl, nullptr));
  IShellFolder* folder = nullptr;
  parent->ShellFolder()->BindToObject(pidl, nullptr, IID_IShellFolder, reinterpret_cast<void**>(&folder));
  auto* child = new skin::TkShellFolder(parent, folder, pidl);
  if (folder) folder->Release();
  CoTaskMemFree(pidl);
  return child;
}

TEST_F(ShellFolderTest, DisplayNamesFollowTheQuestionMarkAndExtensionRules) {
  std::string dir = TestFolder();
  WriteFile(dir + "report.txt", "12345");
  TMockFolder parent;
  LPITEMIDLIST item = MadeUp({7});
  parent.name = "?1?2 Drive?";
  EXPECT_EQ("12 Drive", skin::GetItemDisplayName(&parent, item, SHGDN_INFOLDER, skin::seSystem));
  parent.name = "?Drive?";
  EXPECT_EQ("?Drive?", skin::GetItemDisplayName(&parent, item, SHGDN_INFOLDER, skin::seSystem));

  // The shell shows the file without its extension: seShow gives it back, seHide keeps it off.
  parent.name = "report";
  parent.parsing = dir + "report.txt";
  EXPECT_EQ("report.txt", skin::GetItemDisplayName(&parent, item, SHGDN_INFOLDER, skin::seShow));
  EXPECT_EQ("report", skin::GetItemDisplayName(&parent, item, SHGDN_INFOLDER, skin::seSystem));
  parent.name = "report.txt";
  EXPECT_EQ("report", skin::GetItemDisplayName(&parent, item, SHGDN_INFOLDER, skin::seHide));
  EXPECT_EQ("report.txt", skin::GetItemDisplayName(&parent, item, SHGDN_INFOLDER, skin::seShow));
  // Extension rules apply to existing files only.
  parent.parsing = dir + "missing.txt";
  EXPECT_EQ("report.txt", skin::GetItemDisplayName(&parent, item, SHGDN_INFOLDER, skin::seHide));
  EXPECT_EQ("parentfolder = nil", skin::GetItemDisplayName(nullptr, item, SHGDN_INFOLDER, skin::seShow));
  skin::FreePidl(item);
}

TEST_F(ShellFolderTest, ItemsOfTheSandboxAndTheZipRules) {
  std::string dir = TestFolder();
  testing_sandbox::MakeFolders(dir + "Tom & Jerry\\inner");
  WriteFile(dir + "Tom & Jerry\\inner\\deep.dat", "x");
  WriteFile(dir + "archive.zip", "PK");
  WriteFile(dir + "noext", "abc");
  WriteFile(dir + "hidden.txt", "h");
  SetFileAttributesA((dir + "hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
  testing_sandbox::MakeFolders(dir + "empty");

  skin::TkShellFolder* root = skin::CreateRootFolder(nullptr, dir);
  EXPECT_EQ(dir.substr(0, dir.size() - 1), root->PathName());
  EXPECT_TRUE(root->IsFolder());
  EXPECT_TRUE(root->SubFolders());
  EXPECT_EQ(1, root->Level());

  skin::TkShellFolder* zip = Child(root, "archive.zip");
  EXPECT_FALSE(zip->IsFolder());
  EXPECT_TRUE(zip->IsFile());
  EXPECT_EQ(dir + "archive.zip", zip->PathName());
  EXPECT_EQ("archive", zip->DisplayName(skin::seHide));
  EXPECT_EQ(2, zip->Level());

  skin::TkShellFolder* plain = Child(root, "noext");
  EXPECT_TRUE(plain->IsFile());
  EXPECT_FALSE(plain->IsFolder());
  EXPECT_EQ("noext", plain->DisplayName(skin::seShow));
  EXPECT_EQ("noext", plain->DisplayName(skin::seHide));

  // The same file made from its absolute list (parented by the desktop) is the same kind of item.
  LPITEMIDLIST absolute = skin::PidlFromPath(dir + "noext");
  skin::TkShellFolder* direct = skin::CreateFolderFromPidl(absolute);
  skin::FreePidl(absolute);
  EXPECT_TRUE(direct->IsFile());
  EXPECT_FALSE(direct->IsFolder());
  EXPECT_TRUE(direct->Properties().Contains(skin::prFileSystem));
  EXPECT_TRUE(root->Properties().Contains(skin::prFileSystem));
  delete direct;

  skin::TkShellFolder* hidden = Child(root, "hidden.txt");
  EXPECT_TRUE(hidden->Properties().Contains(skin::prHidden));
  EXPECT_FALSE(plain->Properties().Contains(skin::prHidden));
  EXPECT_TRUE(plain->Properties().Contains(skin::prFileSystem));

  skin::TkShellFolder* tom = Child(root, "Tom & Jerry");
  EXPECT_TRUE(tom->IsFolder());
  EXPECT_FALSE(tom->IsFile());
  EXPECT_EQ("Tom & Jerry", tom->DisplayName());
  EXPECT_TRUE(tom->SubFolders());
  EXPECT_TRUE(skin::HasItems(tom->ShellFolder(), SHCONTF_FOLDERS));
  skin::TkShellFolder* inner = Child(tom, "inner");
  EXPECT_EQ(dir + "Tom & Jerry\\inner", inner->PathName());
  // Only files below: no folders to list, but items when files count.
  EXPECT_FALSE(skin::HasItems(inner->ShellFolder(), SHCONTF_FOLDERS));
  EXPECT_TRUE(skin::HasItems(inner->ShellFolder(), SHCONTF_FOLDERS | SHCONTF_NONFOLDERS));
  skin::TkShellFolder* empty = Child(root, "empty");
  EXPECT_FALSE(skin::HasItems(empty->ShellFolder(), SHCONTF_FOLDERS | SHCONTF_NONFOLDERS));

  skin::TkShellFolder* again = Child(tom, "inner");
  EXPECT_TRUE(skin::SamePidls(inner->AbsoluteID(), again->AbsoluteID()));
  delete again;
  EXPECT_FALSE(skin::SamePidls(inner->AbsoluteID(), tom->AbsoluteID()));
  EXPECT_GE(inner->ImageIndex(false), 0);
  // The default command goes through the shell call, never starting a program here.
  std::vector<std::pair<std::string, int>> started;
  skin::testing::SetShellOpen([&](const std::string& target, int show) { started.emplace_back(target, show); });
  zip->ExecuteDefault();
  skin::testing::SetShellOpen(nullptr);
  ASSERT_EQ(1u, started.size());
  EXPECT_EQ(dir + "archive.zip", started[0].first);
  EXPECT_EQ(SW_SHOW, started[0].second);
  for (auto* f : {empty, inner, tom, hidden, plain, zip, root}) delete f;
}

TEST_F(ShellFolderTest, RootFoldersFromNamesDrivesAndBadPaths) {
  skin::TkShellFolder* drive = skin::CreateRootFolder(nullptr, "C:");
  EXPECT_EQ("C:\\", drive->PathName());
  // A name takes its special folder and never goes through parsing.
  skin::TkShellFolder* computer = skin::CreateRootFolder(drive, "rfMyComputer");
  LPITEMIDLIST expected = nullptr;
  SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &expected);
  EXPECT_TRUE(skin::SamePidls(expected, computer->AbsoluteID()));
  CoTaskMemFree(expected);
  EXPECT_TRUE(computer->IsFolder());

  std::string dir = TestFolder();
  try {
    skin::CreateRootFolder(computer, dir + "no such folder\\below");
    ADD_FAILURE() << "a bogus path was taken";
  } catch (const fw::Exception& e) {
    EXPECT_STREQ("Error Setting Path", e.what());
  }
  EXPECT_THROW(skin::CreateRootFolder(computer, ""), fw::Exception);
  // The previous folder stays when the new root fails.
  EXPECT_TRUE(computer->IsFolder());
  delete computer;
}

TEST_F(ShellFolderTest, ColumnDetailsThroughWinesFolders) {
  std::string dir = TestFolder();
  testing_sandbox::MakeFolders(dir + "sub");
  WriteFile(dir + "sub\\five.bin", "12345");
  skin::TkShellFolder* root = skin::CreateRootFolder(nullptr, dir);
  skin::TkShellFolder* sub = Child(root, "sub");
  EXPECT_NE(nullptr, sub->ShellFolder2());
  EXPECT_THROW(sub->Details(1), fw::Exception);
  sub->LoadColumnDetails(nullptr, 3);
  // The size column of a folder is empty, its type says folder.
  EXPECT_NE("", sub->Details(2));
  EXPECT_EQ("", sub->Details(9));
  delete sub;
  delete root;
}

TEST_F(ShellFolderTest, AFolderThatIsOnlyAnIShellFolderGetsNoIShellFolder2Calls) {
  std::string dir = TestFolder();
  WriteFile(dir + "seven.bin", "1234567");
  // The item lies in a real folder; its own interface is the mock.
  skin::TkShellFolder* root = skin::CreateRootFolder(nullptr, dir);
  LPITEMIDLIST file = nullptr;
  std::wstring name = L"seven.bin";
  ASSERT_EQ(S_OK, root->ShellFolder()->ParseDisplayName(nullptr, nullptr, name.data(), nullptr, &file, nullptr));

  TMockFolder withDetails;
  auto* folder = new skin::TkShellFolder(root, &withDetails, file);
  EXPECT_EQ(nullptr, folder->ShellFolder2());
  EXPECT_TRUE(withDetails.Asked(IID_IShellFolder2));
  folder->LoadColumnDetails(nullptr, 2);
  EXPECT_EQ(2, withDetails.detailCalls);
  EXPECT_EQ("column 1", folder->Details(1));
  EXPECT_EQ("column 2", folder->Details(2));
  delete folder;

  // No details at all: the file's own find data.
  TMockFolder bare;
  bare.offersDetails = false;
  folder = new skin::TkShellFolder(root, &bare, file);
  folder->LoadColumnDetails(nullptr, 4);
  EXPECT_EQ(0, bare.detailCalls);
  EXPECT_EQ("7", folder->Details(1));
  EXPECT_EQ(".bin", folder->Details(2));
  EXPECT_EQ(std::to_string(GetFileAttributesA((dir + "seven.bin").c_str())), folder->Details(4));
  delete folder;
  CoTaskMemFree(file);
  delete root;
}

TEST_F(ShellFolderTest, RenamingANestedItemKeepsItsPath) {
  std::string dir = TestFolder();
  testing_sandbox::MakeFolders(dir + "outer\\inner");
  WriteFile(dir + "outer\\inner\\old.txt", "x");
  skin::TkShellFolder* root = skin::CreateRootFolder(nullptr, dir);
  skin::TkShellFolder* outer = Child(root, "outer");
  skin::TkShellFolder* inner = Child(outer, "inner");
  skin::TkShellFolder* file = Child(inner, "old.txt");

  EXPECT_TRUE(file->Rename("new.txt"));
  EXPECT_EQ(dir + "outer\\inner\\new.txt", file->PathName());
  EXPECT_EQ(1, skin::CountItemIds(file->RelativeID()));
  EXPECT_TRUE(testing_sandbox::Exists(dir + "outer\\inner\\new.txt"));
  EXPECT_FALSE(testing_sandbox::Exists(dir + "outer\\inner\\old.txt"));

  EXPECT_TRUE(inner->Rename("renamed"));
  EXPECT_EQ(dir + "outer\\renamed", inner->PathName());
  EXPECT_TRUE(testing_sandbox::Exists(dir + "outer\\renamed\\new.txt"));

  // A name the shell refuses leaves the item as it was.
  try {
    outer->Rename("bad|name");
    ADD_FAILURE() << "the refused name was taken";
  } catch (const fw::Exception& e) {
    EXPECT_STREQ("Rename to bad|name failed", e.what());
  }
  EXPECT_EQ(dir + "outer", outer->PathName());
  for (auto* f : {file, inner, outer, root}) delete f;
}

// --- the change watcher ---

class ShellWatcherTest : public ShellFolderTest {
 protected:
  skin::TkShellChangeNotifier* Watch(const std::string& root) {
    auto* notifier = new skin::TkShellChangeNotifier(nullptr);
    notifier->SetWatchSubTree(false);
    notifier->SetRoot(root);
    notifier->SetOnChange([this] { ++changes; });
    return notifier;
  }
  int changes = 0;
};

TEST_F(ShellWatcherTest, RunsItsEventAfterAFileIsCreated) {
  std::string dir = TestFolder();
  skin::TkShellChangeNotifier* notifier = Watch(dir);
  testing_pump::Pump(200);
  EXPECT_EQ(0, changes);
  WriteFile(dir + "new.txt", "x");
  EXPECT_TRUE(testing_pump::PumpUntil([&] { return changes > 0; }, 5000));
  notifier->Free();
}

TEST_F(ShellWatcherTest, FollowsANewRootSetWhileItWaits) {
  std::string dir = TestFolder();
  testing_sandbox::MakeFolders(dir + "first");
  testing_sandbox::MakeFolders(dir + "second");
  skin::TkShellChangeNotifier* notifier = Watch(dir + "first");
  testing_pump::Pump(200);
  notifier->SetRoot(dir + "second");
  testing_pump::Pump(200);
  WriteFile(dir + "second\\new.txt", "x");
  EXPECT_TRUE(testing_pump::PumpUntil([&] { return changes > 0; }, 5000));
  // The first folder is no longer watched.
  testing_pump::Pump(300);
  changes = 0;
  WriteFile(dir + "first\\other.txt", "x");
  testing_pump::Pump(500);
  EXPECT_EQ(0, changes);
  notifier->Free();
}

TEST_F(ShellWatcherTest, CallsNothingOnceDestroyed) {
  std::string dir = TestFolder();
  skin::TkShellChangeNotifier* notifier = Watch(dir);
  testing_pump::Pump(200);
  WriteFile(dir + "a.txt", "x");
  Sleep(300);
  notifier->Free();
  WriteFile(dir + "b.txt", "x");
  testing_pump::Pump(500);
  EXPECT_EQ(0, changes);
}

TEST_F(ShellWatcherTest, MayBeFreedFromItsOwnEvent) {
  std::string dir = TestFolder();
  auto* notifier = new skin::TkShellChangeNotifier(nullptr);
  notifier->SetWatchSubTree(false);
  notifier->SetRoot(dir);
  notifier->SetOnChange([&] {
    ++changes;
    notifier->Free();
  });
  testing_pump::Pump(200);
  WriteFile(dir + "a.txt", "x");
  EXPECT_TRUE(testing_pump::PumpUntil([&] { return changes > 0; }, 5000));
  WriteFile(dir + "b.txt", "x");
  testing_pump::Pump(500);
  EXPECT_EQ(1, changes);
}

}  // namespace
