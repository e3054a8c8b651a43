// The shell combo box on a test form, linked with a shell list view: its entries and their
// indents, the ancestors inserted for a folder the list shows, the open-dialog filter, drive
// changes, and an entry chosen by the user.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/win.h"

#include <shlobj.h>

#include "framework/forms/custom_form.h"
#include "services/shell/shell_combo_box.h"
#include "services/shell/shell_controller.h"
#include "services/shell/shell_item.h"
#include "services/shell/shell_list_view.h"
#include "support/gui_test_support.h"
#include "support/message_pump.h"
#include "support/sandbox.h"

using namespace svc;
namespace sandbox = testing_sandbox;
using testing_pump::Pump;
using testing_pump::PumpUntil;

namespace {

bool IsSpecial(const TSvShellItem* item, int csidl) {
  TPidl pidl;
  return SUCCEEDED(SHGetSpecialFolderLocation(nullptr, csidl, pidl.Put())) && ILIsEqual(pidl.Get(), item->GetPidl());
}

class ShellComboBox : public testing_gui::GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    dir = sandbox::TestFolder();
    form = fw::New<fw::TForm>(nullptr);
    form->SetBounds(0, 0, 800, 600);
    combo = fw::New<TSvShellComboBox>(form);
    combo->SetBounds(0, 0, 300, 24);
    list = fw::New<TSvShellListView>(form);
    list->SetBounds(0, 30, 780, 540);
    combo->SetListView(list);
    list->SetComboBox(combo);
    combo->SetParent(form);
    list->SetParent(form);
    form->Show();
    Pump(20);
  }
  void TearDown() override {
    fw::Free(form);
    GuiTest::TearDown();
  }
  int EntryOf(const std::string& path) const {
    for (int i = 0; i < combo->GetFolderList()->GetCount(); ++i)
      if (combo->GetFolderList()->GetItem(i)->GetPath() == path) return i;
    return -1;
  }
  TSvShellFolder* Entry(int i) const { return combo->GetFolderList()->GetItem(i); }

  std::string dir;
  fw::TForm* form = nullptr;
  TSvShellComboBox* combo = nullptr;
  TSvShellListView* list = nullptr;
};

TEST_F(ShellComboBox, TheDesktopItsChildrenAndMyComputersChildren) {
  TSvShellFolderList* entries = combo->GetFolderList();
  ASSERT_GT(entries->GetCount(), 2);
  EXPECT_EQ(combo->GetItems()->GetCount(), entries->GetCount());
  EXPECT_TRUE(IsSpecial(Entry(0), CSIDL_DESKTOP));
  EXPECT_EQ(Entry(0)->IndentLevel, 0);
  bool myComputer = false;
  for (int i = 1; i < entries->GetCount(); ++i) {
    if (IsSpecial(Entry(i), CSIDL_DRIVES)) {
      myComputer = true;
      EXPECT_EQ(Entry(i)->IndentLevel, 1);
    }
    EXPECT_EQ(combo->GetItems()->GetStrings(i), Entry(i)->GetDisplayName());
  }
  EXPECT_TRUE(myComputer);
  int c = EntryOf("C:\\");
  ASSERT_GE(c, 0);
  EXPECT_EQ(Entry(c)->IndentLevel, 2);
}

TEST_F(ShellComboBox, AShownFolderBringsItsAncestors) {
  sandbox::MakeFolders(dir + "a");
  list->SetRootFolder(dir + "a");
  int c = EntryOf("C:\\");
  ASSERT_GE(c, 0);
  std::string test = dir.substr(0, dir.size() - 1);
  EXPECT_EQ(EntryOf("C:\\sandbox"), c + 1);
  EXPECT_EQ(EntryOf(test), c + 2);
  EXPECT_EQ(EntryOf(dir + "a"), c + 3);
  EXPECT_EQ(Entry(c + 1)->IndentLevel, 3);
  EXPECT_EQ(Entry(c + 2)->IndentLevel, 4);
  EXPECT_EQ(Entry(c + 3)->IndentLevel, 5);
  EXPECT_TRUE(Entry(c + 3)->Inserted);
  EXPECT_EQ(combo->GetItemIndex(), c + 3);

  list->SetRootFolder("C:\\windows");
  EXPECT_EQ(EntryOf(dir + "a"), -1);
  EXPECT_EQ(EntryOf("C:\\sandbox"), -1);
  EXPECT_EQ(EntryOf("C:\\windows"), c + 1);
  EXPECT_EQ(combo->GetItems()->GetCount(), combo->GetFolderList()->GetCount());
}

TEST_F(ShellComboBox, TheOpenDialogModeKeepsFileSystemEntries) {
  list->SetOpenDialogMode(true);
  combo->FillFolders();
  bool myComputer = false;
  for (int i = 0; i < combo->GetFolderList()->GetCount(); ++i) {
    TSvShellFolder* entry = Entry(i);
    bool kept = entry->GetIsFileSystem() || IsSpecial(entry, CSIDL_DRIVES) || IsSpecial(entry, CSIDL_NETWORK) ||
                IsSpecial(entry, CSIDL_DESKTOP);
    EXPECT_TRUE(kept) << entry->GetDisplayName();
    EXPECT_FALSE(IsSpecial(entry, CSIDL_CONTROLS));
    EXPECT_FALSE(IsSpecial(entry, CSIDL_BITBUCKET));
    myComputer = myComputer || IsSpecial(entry, CSIDL_DRIVES);
  }
  EXPECT_TRUE(myComputer);
  EXPECT_GE(EntryOf("C:\\"), 0);
}

TEST_F(ShellComboBox, ADriveChangeRefillsAndKeepsTheEntry) {
  list->SetRootFolder("C:\\");
  int c = EntryOf("C:\\");
  ASSERT_EQ(combo->GetItemIndex(), c);
  std::string text = combo->GetItems()->GetStrings(c);
  TSvShellFolder* before = Entry(0);
  SHChangeNotify(SHCNE_DRIVEADD, SHCNF_PATHA | SHCNF_FLUSH, "C:\\", nullptr);
  EXPECT_TRUE(PumpUntil([&] { return Entry(0) != before; }));
  ASSERT_GE(combo->GetItemIndex(), 0);
  EXPECT_EQ(combo->GetItems()->GetStrings(combo->GetItemIndex()), text);
}

TEST_F(ShellComboBox, ChoosingAnEntryListsItsFolder) {
  sandbox::MakeFolders(dir + "a");
  list->SetRootFolder(dir + "a");
  std::vector<std::string> events;
  combo->OnFolderChanging = [&](fw::TObject*, TSvShellFolder* folder) {
    events.push_back("changing " + (folder ? folder->GetPath() : std::string("(none)")));
  };
  combo->OnFolderSelected = [&](fw::TObject*, TSvShellFolder* folder) {
    events.push_back("selected " + folder->GetPath() + " listed " + list->GetFolder()->GetPath());
  };
  int c = EntryOf("C:\\");
  combo->SetItemIndex(c);
  combo->Perform(fw::CN_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo->GetHandle()));
  EXPECT_EQ(list->GetFolder()->GetPath(), "C:\\");
  EXPECT_EQ(events, (std::vector<std::string>{"changing " + dir + "a", "selected C:\\ listed C:\\"}));
  EXPECT_EQ(EntryOf(dir + "a"), -1);
  EXPECT_EQ(combo->GetItemIndex(), EntryOf("C:\\"));
}

}  // namespace
