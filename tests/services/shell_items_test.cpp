// The shell item model on a sandbox folder: enumeration into recording views, the items'
// names, kinds, sizes, dates and attributes, the comparers, the lists' bounds, the temporary
// link of the overlay probe and a context menu closed without a choice.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <vector>

#include "framework/rtl/date_time.h"
#include "framework/rtl/file_utils.h"
#include "framework/rtl/sys_utils.h"
#include "services/shell/shell_comparers.h"
#include "services/shell/shell_controller.h"
#include "services/shell/shell_item.h"
#include "support/sandbox.h"

using namespace svc;
namespace sandbox = testing_sandbox;

namespace {

class TRecordingList : public ISvShellListLink {
 public:
  TRecordingList() : FItems(fw::New<TSvShellItemList>()) {}
  ~TRecordingList() { fw::Free(FItems); }
  bool ShowsHidden() const override { return hidden; }
  bool AllowsRename() const override { return false; }
  bool ExtendedMenu() const override { return false; }
  bool OptimizesDisplay() const override { return false; }
  bool DoFilterItem(TSvShellItem* item) override {
    filtered.push_back(fw::ExtractFileName(item->GetPath()));
    return fw::ExtractFileName(item->GetPath()) != "reject.me";
  }
  TSvShellItemList* ItemList() override { return FItems; }
  void AddItem(TSvShellItem* item) override { FItems->Add(item); }
  fw::TWinControl* AnimationHost() override { return nullptr; }

  TSvShellItem* Find(const std::string& name) const {
    for (int i = 0; i < FItems->GetCount(); ++i)
      if (fw::ExtractFileName(FItems->GetItem(i)->GetPath()) == name) return FItems->GetItem(i);
    return nullptr;
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (int i = 0; i < FItems->GetCount(); ++i) names.push_back(fw::ExtractFileName(FItems->GetItem(i)->GetPath()));
    std::sort(names.begin(), names.end());
    return names;
  }

  bool hidden = false;
  std::vector<std::string> filtered;

 private:
  TSvShellItemList* FItems;
};

class TRecordingTree : public ISvShellTreeLink {
 public:
  TRecordingTree() : FFolders(fw::New<TSvShellFolderList>()) {}
  ~TRecordingTree() { fw::Free(FFolders); }
  bool ShowsHidden() const override { return false; }
  bool AllowsRename() const override { return true; }
  bool ExtendedMenu() const override { return false; }
  bool ShowsFiles() const override { return false; }
  bool DoFilterItem(TSvShellFolder*) override { return true; }
  TSvShellFolderList* FolderList() override { return FFolders; }
  void AddFolderNode(TSvShellFolder* folder, bool) override {
    nodes.push_back(folder->GetDisplayName());
    FFolders->Add(folder);
  }
  std::vector<std::string> nodes;

 private:
  TSvShellFolderList* FFolders;
};

void CALLBACK CloseMenu(HWND, UINT, UINT_PTR, DWORD) { EndMenu(); }

void SetWriteTime(const std::string& path, int year, int month, int day, int hour, int minute, int second, int ms) {
  SYSTEMTIME local{};
  local.wYear = year;
  local.wMonth = month;
  local.wDay = day;
  local.wHour = hour;
  local.wMinute = minute;
  local.wSecond = second;
  local.wMilliseconds = ms;
  FILETIME localTime, utc;
  SystemTimeToFileTime(&local, &localTime);
  LocalFileTimeToFileTime(&localTime, &utc);
  HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  SetFileTime(file, nullptr, nullptr, &utc);
  CloseHandle(file);
}

class ShellItems : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = sandbox::TestFolder();
    controller = fw::New<TSvCustomShellController>(nullptr);
  }
  void TearDown() override { fw::Free(controller); }
  TPidl FolderPidl(const std::string& path) {
    TPidl pidl;
    EXPECT_EQ(controller->PathToPidl(path, controller->GetDesktopFolder(), pidl), S_OK) << path;
    return pidl;
  }

  std::string dir;
  TSvCustomShellController* controller = nullptr;
};

}  // namespace

TEST_F(ShellItems, EnumerationReadsTheFolder) {
  sandbox::WriteFile(dir + "a.txt", std::string(100, 'a'));
  sandbox::WriteFile(dir + "b.doc", "b");
  sandbox::WriteFile(dir + "h.txt", "h");
  sandbox::WriteFile(dir + "s.sys", "s");
  sandbox::WriteFile(dir + "r.txt", "r");
  sandbox::WriteFile(dir + "old.txt", "1975");
  sandbox::WriteFile(dir + "reject.me", "x");
  SetFileAttributesA((dir + "h.txt").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
  SetFileAttributesA((dir + "s.sys").c_str(), FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE);
  SetFileAttributesA((dir + "r.txt").c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);
  SetWriteTime(dir + "old.txt", 1975, 6, 15, 10, 20, 30, 500);
  SetWriteTime(dir + "a.txt", 2020, 1, 2, 3, 4, 5, 0);
  fw::CreateDir(dir + "sub");
  // A sparse file just above 4 GiB: its low 32 bits alone would say 10 bytes.
  HANDLE big = CreateFileA((dir + "big.bin").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  ASSERT_NE(big, INVALID_HANDLE_VALUE);
  LARGE_INTEGER end;
  end.QuadPart = (int64_t(1) << 32) + 10;
  SetFilePointerEx(big, end, nullptr, FILE_BEGIN);
  SetEndOfFile(big);
  CloseHandle(big);

  TPidl folder = FolderPidl(dir);
  TRecordingList list;
  controller->ListView = &list;
  controller->EnumerateFolder(folder.Get(), ekList);
  EXPECT_EQ(list.Names(), (std::vector<std::string>{"a.txt", "b.doc", "big.bin", "old.txt", "r.txt", "s.sys", "sub"}));
  EXPECT_NE(std::find(list.filtered.begin(), list.filtered.end(), "reject.me"), list.filtered.end());

  TSvShellItem* a = list.Find("a.txt");
  ASSERT_NE(a, nullptr);
  EXPECT_TRUE(fw::SameText(a->GetPath(), dir + "a.txt"));
  EXPECT_EQ(a->GetDisplayName().rfind("a", 0), 0u);
  EXPECT_TRUE(a->GetIsFile() && a->GetIsFileSystem() && !a->GetIsFolder());
  EXPECT_EQ(a->GetOwnerList(), list.ItemList());
  EXPECT_FALSE(a->GetSizeRead());
  EXPECT_EQ(a->GetSize(), 100);
  EXPECT_EQ(a->GetDate(), fw::EncodeDateTime(2020, 1, 2, 3, 4, 4, 0));  // DOS time: even seconds
  EXPECT_EQ(a->GetAttributeLetters(), "A");
  TSvShellItem* sub = list.Find("sub");
  ASSERT_NE(sub, nullptr);
  EXPECT_TRUE(sub->GetIsFolder() && !sub->GetIsFile());
  EXPECT_EQ(sub->GetSize(), 0);
  list.Find("r.txt")->LoadFileData();
  EXPECT_EQ(list.Find("r.txt")->GetAttributeLetters(), "RA");
  EXPECT_EQ(list.Find("s.sys")->GetSize(), 1);
  EXPECT_EQ(list.Find("s.sys")->GetAttributeLetters(), "SA");
  TSvShellItem* old = list.Find("old.txt");
  EXPECT_EQ(old->GetDate(), fw::EncodeDateTime(1975, 6, 15, 10, 20, 30, 0));
  EXPECT_EQ(old->GetDosDateTime(), 0u);
  TSvShellItem* bigItem = list.Find("big.bin");
  EXPECT_EQ(bigItem->GetSize(), (int64_t(1) << 32) + 10);

  // The comparers on these items.
  EXPECT_LT(ListCompareSize(sub, a), 0);
  EXPECT_GT(ListCompareSize(a, sub), 0);
  EXPECT_LT(ListCompareSize(a, bigItem), 0);
  EXPECT_GT(ListCompareSize(bigItem, a), 0);
  EXPECT_LT(ListCompareDate(a, old), 0);
  EXPECT_GT(ListCompareDate(old, a), 0);
  EXPECT_EQ(ListCompareDate(a, a), 0);
  EXPECT_GT(ListCompareExtension(a, list.Find("b.doc")), 0);
  EXPECT_LT(ListCompareExtension(sub, list.Find("b.doc")), 0);
  EXPECT_EQ(ListCompareIds(a, a), 0);
  EXPECT_NE(ListCompareIds(a, old), 0);
  EXPECT_LT(CaseBlindCompare("abc", "ABCD"), 0);
  EXPECT_EQ(CaseBlindCompare("Path", "pATH"), 0);

  // With hidden items.
  TRecordingList withHidden;
  withHidden.hidden = true;
  controller->ListView = &withHidden;
  controller->EnumerateFolder(folder.Get(), ekList);
  ASSERT_NE(withHidden.Find("h.txt"), nullptr);
  EXPECT_EQ(withHidden.Find("h.txt")->GetAttributeLetters(), "");
  withHidden.Find("h.txt")->LoadFileData();
  EXPECT_EQ(withHidden.Find("h.txt")->GetAttributeLetters(), "HA");

  // The tree takes folders only.
  TRecordingTree tree;
  controller->TreeView = &tree;
  controller->EnumerateFolder(folder.Get(), ekTree);
  EXPECT_EQ(tree.nodes, std::vector<std::string>{"sub"});
  EXPECT_EQ(tree.FolderList()->GetItem(0)->GetOwnerList(), tree.FolderList());
  controller->ListView = nullptr;
  controller->TreeView = nullptr;
}

TEST_F(ShellItems, ItemsFromItemIdLists) {
  sandbox::WriteFile(dir + "one.txt", "1");
  TPidl file = FolderPidl(dir + "one.txt");
  fw::Owned<TSvShellItem> item(TSvShellItem::CreateFromPidl(file.Get(), controller));
  EXPECT_TRUE(fw::SameText(item->GetPath(), dir + "one.txt"));
  EXPECT_TRUE(item->GetIsFile());
  EXPECT_FALSE(item->GetIsDesktop());
  EXPECT_FALSE(item->GetOwnsController());
  fw::Owned<TSvShellItem> copy(fw::New<TSvShellItem>(controller));
  copy->Assign(item.get());
  EXPECT_EQ(copy->GetPath(), item->GetPath());
  EXPECT_NE(copy->GetPidl(), item->GetPidl());
  EXPECT_FALSE(copy->GetIsFile());  // not copied

  // My Computer lies directly under the desktop: no parent is found, the desktop stands in.
  TPidl drives;
  ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, drives.Put()), S_OK);
  EXPECT_FALSE(controller->GetParentFolder(drives.Get()));
  fw::Owned<TSvShellItem> computer(TSvShellItem::CreateFromPidl(drives.Get(), nullptr));
  EXPECT_TRUE(computer->GetOwnsController());
  ASSERT_NE(computer->GetParentFolder(), nullptr);
  EXPECT_TRUE(fw::SameText(computer->GetPath(), "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}"));
  EXPECT_FALSE(computer->GetIsFileSystem());
  EXPECT_EQ(computer->GetSize(), -1);

  fw::Owned<TSvShellItem> empty(TSvShellItem::CreateFromPidl(nullptr, controller));
  EXPECT_EQ(empty->GetPidl(), nullptr);
  EXPECT_EQ(empty->GetPath(), "");

  TPidl none;
  EXPECT_TRUE(FAILED(controller->PathToPidl(dir + "missing\\nothing.txt", controller->GetDesktopFolder(), none)));
  EXPECT_FALSE(none);

  fw::Owned<TSvShellFolderList> folders(fw::New<TSvShellFolderList>());
  folders->Add(fw::New<TSvShellFolder>(controller));
  EXPECT_NE(folders->GetItem(0), nullptr);
  EXPECT_EQ(folders->GetItem(1), nullptr);
  EXPECT_EQ(folders->GetItem(-1), nullptr);
  EXPECT_EQ(folders->GetItem(0)->IndentLevel, -1);
  fw::Owned<TSvShellItemList> items(fw::New<TSvShellItemList>());
  EXPECT_EQ(items->GetItem(0), nullptr);
}

TEST_F(ShellItems, TheOverlayProbeLeavesTemporaryFilesAlone) {
  std::string temp = dir + "temp\\";
  fw::CreateDir(temp);
  char oldTemp[MAX_PATH] = {}, oldTmp[MAX_PATH] = {};
  GetEnvironmentVariableA("TEMP", oldTemp, MAX_PATH);
  GetEnvironmentVariableA("TMP", oldTmp, MAX_PATH);
  SetEnvironmentVariableA("TEMP", temp.c_str());
  SetEnvironmentVariableA("TMP", temp.c_str());

  std::string users = "the user's own link\r\n\x01\x02";
  sandbox::WriteFile(temp + "temp.lnk", users);
  fw::Free(fw::New<TSvCustomShellController>(nullptr));
  EXPECT_EQ(sandbox::ReadFile(temp + "temp.lnk"), users);

  DeleteFileA((temp + "temp.lnk").c_str());
  fw::Free(fw::New<TSvCustomShellController>(nullptr));
  EXPECT_FALSE(fw::FileExists(temp + "temp.lnk"));

  SetEnvironmentVariableA("TEMP", oldTemp);
  SetEnvironmentVariableA("TMP", oldTmp);
}

// The controller's image lists are the system's, with the icons the items' indexes name,
// whatever the current folder is: here a host folder no drive letter leads to, as when the
// program is started from one.
TEST_F(ShellItems, TheImageListsAreTheSystemsWhateverTheCurrentFolder) {
  char oldFolder[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, oldFolder);
  using TUnixName = char*(CDECL*)(LPCWSTR);
  auto unixName = reinterpret_cast<TUnixName>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name"));
  ASSERT_NE(unixName, nullptr);
  std::wstring wide(dir.begin(), dir.end());
  char* name = unixName(wide.c_str());
  std::string unixFolder = std::string("\\\\?\\unix") + name;
  HeapFree(GetProcessHeap(), 0, name);
  std::replace(unixFolder.begin(), unixFolder.end(), '/', '\\');
  const bool entered = SetCurrentDirectoryA(unixFolder.c_str());
  TSvCustomShellController* other = fw::New<TSvCustomShellController>(nullptr);
  SetCurrentDirectoryA(oldFolder);
  ASSERT_TRUE(entered);

  SHFILEINFOA info{};
  auto small = reinterpret_cast<HIMAGELIST>(
      SHGetFileInfoA(dir.c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
  auto large = reinterpret_cast<HIMAGELIST>(SHGetFileInfoA(dir.c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX));
  ASSERT_NE(small, nullptr);
  EXPECT_EQ(other->GetSmallImages()->GetHandle(), small);
  EXPECT_EQ(other->GetLargeImages()->GetHandle(), large);
  EXPECT_GT(info.iIcon, 0);
  EXPECT_GT(ImageList_GetImageCount(other->GetSmallImages()->GetHandle()), info.iIcon);
  fw::Free(other);
  EXPECT_GT(ImageList_GetImageCount(small), info.iIcon) << "freeing the controller emptied the system's list";
}

TEST_F(ShellItems, ContextMenuClosedWithoutAChoice) {
  sandbox::WriteFile(dir + "menu.txt", "m");
  TPidl folder = FolderPidl(dir);
  TComRef<IShellFolder> shellFolder;
  ASSERT_EQ(controller->BindToFolder(controller->GetDesktopFolder(), folder.Get(), shellFolder), S_OK);
  TPidl file;
  ASSERT_EQ(controller->PathToPidl("menu.txt", shellFolder.Get(), file), S_OK);
  HWND owner = CreateWindowExA(0, "STATIC", "menu owner", WS_POPUP | WS_VISIBLE, 10, 10, 100, 100, nullptr, nullptr,
                               nullptr, nullptr);
  ASSERT_NE(owner, nullptr);
  SetForegroundWindow(owner);
  // The menu is closed from inside its own loop.
  UINT_PTR timer = SetTimer(nullptr, 0, 300, CloseMenu);
  LPCITEMIDLIST items[] = {file.Get()};
  EXPECT_EQ(controller->ShowContextMenu(nullptr, shellFolder.Get(), owner, POINT{20, 20}, 1, items), -1);
  KillTimer(nullptr, timer);
  DestroyWindow(owner);
  EXPECT_EQ(sandbox::ReadFile(dir + "menu.txt"), "m");
}
