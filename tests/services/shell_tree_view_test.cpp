// The shell tree view on a shown form, linked with a shell list view, over sandbox folders:
// filling and the first paint, lazy expansion and its filters, selection in both directions,
// rename, announced changes, and drags held over its nodes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/win.h"

#include <commctrl.h>
#include <shlobj.h>

#include "framework/forms/custom_form.h"
#include "services/shell/shell_controller.h"
#include "services/shell/shell_combo_box.h"
#include "services/shell/shell_data_object.h"
#include "services/shell/shell_drag_loop.h"
#include "services/shell/shell_item.h"
#include "services/shell/shell_list_view.h"
#include "services/shell/shell_services.h"
#include "services/shell/shell_tree_view.h"
#include "services/shell/sv_exception.h"
#include "support/counting_data_object.h"
#include "support/gui_test_support.h"
#include "support/message_pump.h"
#include "support/sandbox.h"

using namespace svc;
using testing_shell::TCountingData;
namespace sandbox = testing_sandbox;
using testing_pump::Pump;
using testing_pump::PumpUntil;

namespace {

void Announce(LONG event, const std::string& path, const std::string& second = "") {
  SHChangeNotify(event, SHCNF_PATHA | SHCNF_FLUSH, path.c_str(), second.empty() ? nullptr : second.c_str());
}

std::string Trimmed(const std::string& dir) { return dir.substr(0, dir.size() - 1); }

class ShellTreeView : public testing_gui::GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    dir = sandbox::TestFolder();
    form = fw::New<fw::TForm>(nullptr);
    form->SetBounds(0, 0, 900, 600);
  }
  void TearDown() override {
    fw::Free(form);
    GuiTest::TearDown();
  }
  // A tree (and a linked list) on the form; the form is shown and painted.
  void Make(bool withList, const std::string& root = "") {
    tree = fw::New<TSvShellTreeView>(form);
    tree->SetBounds(0, 0, 300, 580);
    if (!root.empty()) {
      tree->SetSpecialRootFolder(sfNone);
      tree->SetRootFolder(root);
    }
    if (withList) {
      list = fw::New<TSvShellListView>(form);
      list->SetBounds(310, 0, 580, 580);
      list->OnListFilled = [this](fw::TObject*) { ++listings; };
      tree->SetListView(list);
      list->SetTreeView(tree);
    }
    tree->SetParent(form);
    if (list) list->SetParent(form);
    form->Show();
    UpdateWindow(tree->GetHandle());
    Pump(30);
  }
  fw::TTreeNode* Node(const std::string& path) const { return tree->FindNodeByPath(path); }
  std::vector<std::string> Children(const std::string& path) const {
    std::vector<std::string> names;
    fw::TTreeNode* node = Node(path);
    for (int i = 0; node && i < node->GetCount(); ++i) names.push_back(node->GetItem(i)->GetText());
    return names;
  }
  TPidl PidlOf(const std::string& path) {
    TPidl pidl;
    tree->GetController()->PathToPidl(path, tree->GetController()->GetDesktopFolder(), pidl);
    return pidl;
  }
  fw::Owned<TSvShellItem> ItemOf(const std::string& path) {
    TPidl pidl = PidlOf(path);
    return fw::Owned<TSvShellItem>(TSvShellItem::CreateFromPidl(pidl.Get(), tree->GetController()));
  }
  POINTL NodePoint(const std::string& path) const {
    fw::TRect r = Node(path)->DisplayRect(true);
    POINT p{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    ClientToScreen(tree->GetHandle(), &p);
    return POINTL{p.x, p.y};
  }

  std::string dir;
  fw::TForm* form = nullptr;
  TSvShellTreeView* tree = nullptr;
  TSvShellListView* list = nullptr;
  int listings = 0;
};

TEST_F(ShellTreeView, TheAttributeManagersSettingsListTheDesktop) {
  Make(true);
  ASSERT_TRUE(PumpUntil([&] { return tree->GetTreeReady(); }));
  fw::TTreeNode* top = tree->GetItems()->GetFirstNode();
  ASSERT_NE(top, nullptr);
  EXPECT_TRUE(top->GetExpanded());
  EXPECT_TRUE(tree->FolderOf(top)->GetIsDesktop());
  EXPECT_GT(top->GetCount(), 0);
  ASSERT_NE(list->GetFolder(), nullptr);
  EXPECT_TRUE(list->GetFolder()->GetIsDesktop());
  EXPECT_EQ(listings, 1);
}

TEST_F(ShellTreeView, RootFolders) {
  Make(false, "C:");
  EXPECT_EQ(tree->GetRootFolder(), "C:\\");
  ASSERT_NE(tree->GetRootShellFolder(), nullptr);
  EXPECT_EQ(tree->GetRootShellFolder()->GetPath(), "C:\\");
  EXPECT_NE(Node("C:\\sandbox"), nullptr);
  try {
    tree->SetRootFolder("C:\\sandbox\\no such\\folder");
    FAIL() << "no error";
  } catch (const ESvInvalidFolder& e) {
    EXPECT_EQ(e.GetErrorCode(), 240u);
  }
}

TEST_F(ShellTreeView, NodesAreReadAtTheirFirstExpansion) {
  sandbox::MakeFolders(dir + "a\\a1");
  sandbox::MakeFolders(dir + "empty");
  sandbox::MakeFolders(dir + "hidden");
  SetFileAttributesA((dir + "hidden").c_str(), FILE_ATTRIBUTE_HIDDEN);
  sandbox::WriteFile(dir + "a\\file.txt", "f");
  Make(false, dir);
  EXPECT_EQ(Children(Trimmed(dir)), (std::vector<std::string>{"a", "empty"}));
  EXPECT_TRUE(Children(dir + "a").empty());
  sandbox::MakeFolders(dir + "a\\a0");
  Node(dir + "a")->Expand(false);
  EXPECT_EQ(Children(dir + "a"), (std::vector<std::string>{"a0", "a1"}));
  sandbox::MakeFolders(dir + "a\\a2");
  Pump(50);
  EXPECT_EQ(Children(dir + "a").size(), 2u);
  Announce(SHCNE_MKDIR, dir + "a\\a2");
  EXPECT_TRUE(PumpUntil([&] { return Children(dir + "a").size() == 3; }));
  EXPECT_EQ(Children(dir + "a"), (std::vector<std::string>{"a0", "a1", "a2"}));

  EXPECT_TRUE(Node(dir + "empty")->GetHasChildren());
  Node(dir + "empty")->Expand(false);
  EXPECT_FALSE(Node(dir + "empty")->GetHasChildren());

  tree->SetOptions(tree->GetOptions() + toShowHidden + toShowFiles);
  tree->FillTree();
  EXPECT_EQ(Children(Trimmed(dir)), (std::vector<std::string>{"a", "empty", "hidden"}));
  Node(dir + "a")->Expand(false);
  EXPECT_EQ(Children(dir + "a"), (std::vector<std::string>{"a0", "a1", "a2", "file.txt"}));

  tree->OnFilterItem = [](fw::TObject*, TSvShellItem* item, bool& accept) { accept = item->GetDisplayName() != "empty"; };
  tree->FillTree();
  EXPECT_EQ(Children(Trimmed(dir)).size(), 3u);
  tree->SetFiltered(true);
  EXPECT_EQ(Children(Trimmed(dir)), (std::vector<std::string>{"a", "hidden"}));
  SetFileAttributesA((dir + "hidden").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(ShellTreeView, TheTreeAndTheListFollowEachOther) {
  sandbox::MakeFolders(dir + "a\\b\\c");
  sandbox::MakeFolders(dir + "d");
  Make(true, dir);
  ASSERT_TRUE(PumpUntil([&] { return tree->GetTreeReady(); }));
  tree->SetSelected(Node(dir + "d"));
  EXPECT_EQ(list->GetFolder()->GetPath(), dir + "d");

  // The list enters a folder: the tree makes its nodes and selects it, and passes nothing back.
  int before = listings;
  auto deep = ItemOf(dir + "a\\b\\c");
  EXPECT_FALSE(tree->SelectFolderNode(deep.get(), true));
  EXPECT_EQ(tree->GetSelected(), Node(dir + "d"));
  EXPECT_TRUE(tree->SelectFolderNode(deep.get(), false));
  ASSERT_NE(tree->GetSelected(), nullptr);
  EXPECT_EQ(tree->GetSelectedFolder()->GetPath(), dir + "a\\b\\c");
  EXPECT_EQ(listings, before);

  list->SetRootFolder(dir + "a");
  EXPECT_EQ(tree->GetSelectedFolder()->GetPath(), dir + "a");
  list->GetItems()->GetItem(0)->SetSelected(true);
  NMITEMACTIVATE nm{};
  nm.hdr.code = NM_DBLCLK;
  before = listings;
  list->Perform(fw::CN_NOTIFY, 0, reinterpret_cast<LPARAM>(&nm));
  EXPECT_EQ(list->GetFolder()->GetPath(), dir + "a\\b");
  EXPECT_EQ(tree->GetSelectedFolder()->GetPath(), dir + "a\\b");
  EXPECT_EQ(listings, before + 1);
  list->MoveUpOneLevel();
  EXPECT_EQ(tree->GetSelectedFolder()->GetPath(), dir + "a");
  EXPECT_EQ(list->GetFolder()->GetPath(), dir + "a");

  auto outside = ItemOf("C:\\windows");
  fw::TTreeNode* selected = tree->GetSelected();
  int nodes = tree->GetItems()->GetCount();
  try {
    tree->SelectFolderNode(outside.get(), false);
    FAIL() << "no error";
  } catch (const ESvInvalidFolder& e) {
    EXPECT_EQ(e.GetErrorCode(), 240u);
  }
  EXPECT_EQ(tree->GetSelected(), selected);
  EXPECT_EQ(tree->GetItems()->GetCount(), nodes);
}

// With hot tracking a click opens the selected node one level; without it a click only selects.
TEST_F(ShellTreeView, HotTrackingExpandsTheClickedNode) {
  sandbox::MakeFolders(dir + "a\\b\\c");
  Make(false, dir);
  ASSERT_TRUE(PumpUntil([&] { return tree->GetTreeReady(); }));
  auto click = [&](const std::string& path) {
    tree->SetSelected(Node(path));
    NMHDR nm{tree->GetHandle(), 0, static_cast<UINT>(NM_CLICK)};
    tree->Perform(fw::CN_NOTIFY, 0, reinterpret_cast<LPARAM>(&nm));
    Pump(10);
  };
  ASSERT_NE(Node(dir + "a"), nullptr);
  click(dir + "a");
  EXPECT_FALSE(Node(dir + "a")->GetExpanded());
  tree->SetHotTrack(true);
  click(dir + "a");
  EXPECT_TRUE(Node(dir + "a")->GetExpanded());
  ASSERT_NE(Node(dir + "a\\b"), nullptr);
  EXPECT_FALSE(Node(dir + "a\\b")->GetExpanded());
}

TEST_F(ShellTreeView, ANodeRenamedInPlaceRenamesItsFolder) {
  sandbox::MakeFolders(dir + "old\\inner\\deep");
  sandbox::MakeFolders(dir + "other");
  Make(false, dir);
  Node(dir + "old")->Expand(false);
  Node(dir + "old\\inner")->Expand(false);
  tree->SetSelected(Node(dir + "old"));
  auto rename = [&](const std::string& from, const std::string& to) {
    tree->SetSelected(Node(from));
    tree->SetFocus();
    auto edit = reinterpret_cast<HWND>(tree->Perform(TVM_EDITLABELA, 0, reinterpret_cast<LPARAM>(Node(from)->GetItemId())));
    ASSERT_NE(edit, nullptr);
    SetWindowTextA(edit, to.c_str());
    tree->Perform(TVM_ENDEDITLABELNOW, FALSE, 0);
    Pump(20);
  };
  rename(dir + "old", "new");
  EXPECT_TRUE(sandbox::Exists(dir + "new\\inner\\deep"));
  EXPECT_FALSE(sandbox::Exists(dir + "old"));
  ASSERT_NE(Node(dir + "new"), nullptr) << ::testing::PrintToString(Children(Trimmed(dir))) << tree->GetItems()->GetCount();
  EXPECT_EQ(tree->GetSelected(), Node(dir + "new"));
  ASSERT_NE(Node(dir + "new\\inner"), nullptr);
  EXPECT_TRUE(Node(dir + "new\\inner")->GetExpanded());
  EXPECT_NE(Node(dir + "new\\inner\\deep"), nullptr);

  rename(dir + "new", "new");
  rename(dir + "new", "");

  // The shell's menu for the selected node; its rename command starts the editor, nothing runs.
  std::vector<std::string> asked;
  int answer = -1;
  svc::testing::SetContextMenuChooser([&](const svc::testing::TSvContextMenuCall& call) {
    asked.push_back(std::to_string(call.Items.size()) + " " + std::to_string(GetMenuItemCount(call.Menu) > 0));
    return answer;
  });
  tree->SetSelected(Node(dir + "new"));
  tree->Perform(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(tree->GetHandle()), MAKELPARAM(10, 10));
  EXPECT_FALSE(tree->IsEditing());
  answer = 19;
  tree->Perform(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(tree->GetHandle()), MAKELPARAM(10, 10));
  EXPECT_TRUE(tree->IsEditing());
  tree->Perform(TVM_ENDEDITLABELNOW, TRUE, 0);
  EXPECT_EQ(asked, (std::vector<std::string>{"1 1", "1 1"}));
  EXPECT_TRUE(sandbox::Exists(dir + "new"));
  EXPECT_EQ(Node(dir + "new")->GetText(), "new");
}

TEST_F(ShellTreeView, AnnouncedChangesReachTheNodes) {
  sandbox::MakeFolders(dir + "b");
  sandbox::MakeFolders(dir + "d");
  sandbox::MakeFolders(dir + "never\\x");
  sandbox::MakeFolders(dir + "old");
  Make(false, dir);
  sandbox::MakeFolders(dir + "c");
  Announce(SHCNE_MKDIR, dir + "c");
  ASSERT_TRUE(PumpUntil([&] { return Node(dir + "c") != nullptr; }));
  EXPECT_EQ(Children(Trimmed(dir)), (std::vector<std::string>{"b", "c", "d", "never", "old"}));
  sandbox::MakeFolders(dir + "never\\y");
  Announce(SHCNE_MKDIR, dir + "never\\y");
  Pump(200);
  EXPECT_EQ(Node(dir + "never")->GetCount(), 0);

  sandbox::WriteFile(dir + "f.txt", "f");
  Announce(SHCNE_CREATE, dir + "f.txt");
  Pump(200);
  EXPECT_EQ(Node(dir + "f.txt"), nullptr);
  tree->SetOptions(tree->GetOptions() + toShowFiles);
  sandbox::WriteFile(dir + "g.txt", "g");
  Announce(SHCNE_CREATE, dir + "g.txt");
  EXPECT_TRUE(PumpUntil([&] { return Node(dir + "g.txt") != nullptr; }));

  tree->SetSelected(Node(dir + "c"));
  RemoveDirectoryA((dir + "c").c_str());
  Announce(SHCNE_RMDIR, dir + "c");
  ASSERT_TRUE(PumpUntil([&] { return Node(dir + "c") == nullptr; }));
  ASSERT_NE(tree->GetSelected(), nullptr);
  EXPECT_EQ(tree->GetSelected()->GetText(), "d");

  ASSERT_TRUE(MoveFileA((dir + "old").c_str(), (dir + "renamed").c_str()));
  Announce(SHCNE_RENAMEFOLDER, dir + "old", dir + "renamed");
  EXPECT_TRUE(PumpUntil([&] { return Node(dir + "renamed") != nullptr; }));
  EXPECT_EQ(Node(dir + "renamed")->GetText(), "renamed");
}

TEST_F(ShellTreeView, DragsHeldOverNodes) {
  sandbox::MakeFolders(dir + "src");
  sandbox::WriteFile(dir + "src\\s.txt", "s");
  sandbox::MakeFolders(dir + "box\\inner");
  sandbox::MakeFolders(dir + "other");
  Make(false, dir);
  IDropTarget* target = tree->GetDropTarget();
  ASSERT_NE(target, nullptr);
  TPidl file = PidlOf(dir + "src\\s.txt");
  LPCITEMIDLIST ids[] = {ILFindLastID(file.Get())};
  TComRef<IDataObject> data(new TSvDataObject(ids, 1, file.Get()));

  tree->SetExpandInterval(0);
  DWORD effect = DROPEFFECT_COPY;
  EXPECT_EQ(target->Drop(data.Get(), 0, NodePoint(dir + "box"), &effect), E_FAIL);
  target->DragEnter(data.Get(), 0, NodePoint(dir + "box"), &effect);
  effect = DROPEFFECT_COPY;
  target->DragOver(0, NodePoint(dir + "box"), &effect);
  EXPECT_EQ(tree->GetDropNode(), Node(dir + "box"));
  EXPECT_TRUE(Node(dir + "box")->GetDropTarget());
  Pump(300);
  EXPECT_FALSE(Node(dir + "box")->GetExpanded());
  effect = DROPEFFECT_COPY;
  target->DragOver(0, NodePoint(dir + "other"), &effect);
  EXPECT_FALSE(Node(dir + "box")->GetDropTarget());
  EXPECT_TRUE(Node(dir + "other")->GetDropTarget());

  tree->SetExpandInterval(100);
  effect = DROPEFFECT_COPY;
  target->DragOver(0, NodePoint(dir + "box"), &effect);
  EXPECT_TRUE(PumpUntil([&] { return Node(dir + "box")->GetExpanded(); }, 2000));
  // The drop hands on the object it was given, and every reference comes back.
  TCountingData counted(data.Get());
  effect = DROPEFFECT_COPY;
  target->DragLeave();
  target->DragEnter(&counted, 0, NodePoint(dir + "box"), &effect);
  int before = counted.calls;
  effect = DROPEFFECT_COPY;
  EXPECT_EQ(target->Drop(&counted, MK_CONTROL, NodePoint(dir + "box"), &effect), S_OK);
  EXPECT_GT(counted.calls, before);
  EXPECT_EQ(counted.refs, 1);
  EXPECT_EQ(tree->GetDropNode(), nullptr);
  EXPECT_FALSE(Node(dir + "box")->GetDropTarget());

  // A drag started from a node carries its folder.
  std::vector<std::string> dragged;
  DWORD allowed = 0;
  svc::testing::SetDragLoop([&](IDataObject* object, IDropSource*, DWORD effects, DWORD* chosen) {
    FORMATETC format{static_cast<CLIPFORMAT>(ShellIdListFormat()), nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    if (SUCCEEDED(object->GetData(&format, &medium))) {
      auto* cida = static_cast<CIDA*>(GlobalLock(medium.hGlobal));
      auto at = [&](UINT i) { return reinterpret_cast<LPCITEMIDLIST>(reinterpret_cast<BYTE*>(cida) + cida->aoffset[i]); };
      for (UINT i = 1; i <= cida->cidl; ++i) {
        LPITEMIDLIST whole = ILCombine(at(0), at(i));
        char path[MAX_PATH] = {};
        SHGetPathFromIDListA(whole, path);
        dragged.push_back(path);
        ILFree(whole);
      }
      GlobalUnlock(medium.hGlobal);
      ReleaseStgMedium(&medium);
    }
    allowed = effects;
    *chosen = DROPEFFECT_NONE;
    return DRAGDROP_S_CANCEL;
  });
  NMTREEVIEWA nm{};
  nm.hdr.code = TVN_BEGINDRAGA;
  nm.itemNew.hItem = Node(dir + "other")->GetItemId();
  tree->Perform(fw::CN_NOTIFY, 0, reinterpret_cast<LPARAM>(&nm));
  EXPECT_EQ(dragged, (std::vector<std::string>{dir + "other"}));
  EXPECT_EQ(allowed & (DROPEFFECT_COPY | DROPEFFECT_MOVE), DROPEFFECT_COPY | DROPEFFECT_MOVE);
}

// The views of a linked group share the tree's controller; when the tree goes first the list and
// the combo box keep it, and their entries with it, and go on listing, sorting and refilling.
TEST_F(ShellTreeView, TheOthersKeepTheSharedControllerWhenTheTreeGoesFirst) {
  sandbox::MakeFolders(dir + "a\\b");
  sandbox::WriteFile(dir + "a\\f.txt", "f");
  Make(true, Trimmed(dir));
  auto* combo = fw::New<TSvShellComboBox>(form);
  combo->SetBounds(310, 0, 300, 24);
  combo->SetListView(list);
  list->SetComboBox(combo);
  combo->SetParent(form);
  Pump(10);
  TSvCustomShellController* shared = tree->GetController();
  ASSERT_EQ(list->GetController(), shared);
  ASSERT_EQ(combo->GetController(), shared);
  list->SetViewStyle(fw::vsReport);
  list->SetRootFolder(dir + "a");

  fw::Free(tree);
  tree = nullptr;
  Pump(10);
  EXPECT_EQ(list->GetController(), shared);
  EXPECT_EQ(combo->GetController(), shared);
  auto captions = [&] {
    std::vector<std::string> names;
    for (int i = 0; i < list->GetItems()->GetCount(); ++i) names.push_back(list->GetItems()->GetItem(i)->GetCaption());
    return names;
  };
  // The rows made before still read their details and sort through it.
  EXPECT_EQ(captions(), (std::vector<std::string>{"b", "f.txt"}));
  list->SetViewStyle(fw::vsIcon);
  list->SetViewStyle(fw::vsReport);
  EXPECT_EQ(list->GetItems()->GetItem(1)->GetSubItems()->GetStrings(0), "1KB");
  list->Refresh();
  EXPECT_EQ(captions(), (std::vector<std::string>{"b", "f.txt"}));
  list->SetRootFolder(dir + "a\\b");
  EXPECT_EQ(list->GetFolder()->GetPath(), dir + "a\\b");
  bool shown = false;
  for (int i = 0; i < combo->GetFolderList()->GetCount(); ++i)
    shown = shown || combo->GetFolderList()->GetItem(i)->GetPath() == dir + "a\\b";
  EXPECT_TRUE(shown);
  list->MoveUpOneLevel();
  EXPECT_EQ(captions(), (std::vector<std::string>{"b", "f.txt"}));

  // The list goes too: the combo box still refills through the controller.
  fw::Free(list);
  list = nullptr;
  EXPECT_EQ(combo->GetController(), shared);
  int changes = 0;
  combo->OnChange = [&](fw::TObject*) { ++changes; };
  Announce(SHCNE_DRIVEADD, "C:\\");
  EXPECT_TRUE(PumpUntil([&] { return changes > 0; }));
  EXPECT_GT(combo->GetFolderList()->GetCount(), 2);
}

}  // namespace
