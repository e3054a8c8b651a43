// The skinned shell tree view rooted in the test's sandbox folder: children listed on expansion
// and sorted, expand buttons by ObjectTypes, OnAddFolder refusing items, Path selecting a nested
// folder, RefreshNode keeping expansion and selection, label renames refreshed after their
// notification, files started through the shell-call hook, and the linked views.
#include <gtest/gtest.h>

#include <vector>

#include "framework/forms/application.h"
#include "skin/controls/shell_tree_view.h"
#include "skin/controls/web_label.h"
#include "support/message_pump.h"
#include "support/panel_form_fixture.h"
#include "support/sandbox.h"

namespace {

using testing_sandbox::MakeFolders;
using testing_sandbox::WriteFile;

// A view that follows the tree; counts what the tree tells it.
class LinkedView : public fw::TComponent, public skin::IkShellTreeLink {
  FW_CLASS(LinkedView, fw::TComponent)
 public:
  using fw::TComponent::TComponent;
  void LinkRoot(const skin::TkRoot& root) override { roots.push_back(root); }
  void LinkTree(skin::TkCustomShellTreeView* t) override { tree = t; }
  void FollowFolder(LPCITEMIDLIST absolute) override {
    ++follows;
    STRRET name{};
    skin::DesktopShellFolder()->GetDisplayNameOf(absolute, SHGDN_FORPARSING, &name);
    char text[MAX_PATH] = {};
    if (name.uType == STRRET_WSTR) {
      WideCharToMultiByte(CP_UTF8, 0, name.pOleStr, -1, text, MAX_PATH, nullptr, nullptr);
      CoTaskMemFree(name.pOleStr);
    }
    followed = text;
  }
  std::vector<skin::TkRoot> roots;
  skin::TkCustomShellTreeView* tree = nullptr;
  int follows = 0;
  std::string followed;

 protected:
  ~LinkedView() override = default;
};

class ShellTreeTest : public control_shots::PanelFormTest {
 protected:
  void SetUp() override {
    PanelFormTest::SetUp();
    dir = testing_sandbox::TestFolder();
    testing_sandbox::MakeShellFixture(dir);
    MakeFolders(dir + "filesonly");
    MakeFolders(dir + "empty");
    WriteFile(dir + "filesonly\\data.txt", "x");
    MakeForm(400, 420, fw::TRect(0, 0, 380, 380));
    tree = Place<skin::TkShellTreeView>(panel, 10, 10, 300, 340);
    ShowForm();
  }
  void TearDown() override {
    skin::testing::SetShellOpen(nullptr);
    PanelFormTest::TearDown();
  }
  // The texts of the children of node.
  static std::vector<std::string> Texts(fw::TTreeNode* node) {
    std::vector<std::string> texts;
    for (int n = 0; n < node->GetCount(); ++n) texts.push_back(node->GetItem(n)->GetText());
    return texts;
  }
  static fw::TTreeNode* ChildNamed(fw::TTreeNode* node, const std::string& text) {
    for (int n = 0; n < node->GetCount(); ++n)
      if (node->GetItem(n)->GetText() == text) return node->GetItem(n);
    return nullptr;
  }
  fw::TTreeNode* Top() { return tree->GetItems()->GetFirstNode(); }
  std::string Bare() { return dir.substr(0, dir.size() - 1); }

  std::string dir;
  skin::TkShellTreeView* tree = nullptr;
};

TEST_F(ShellTreeTest, ListsTheRootsFoldersSortedWithShellIcons) {
  tree->SetRoot(dir);
  ASSERT_NE(nullptr, Top());
  EXPECT_EQ(1, tree->GetItems()->GetFirstNode() == Top() ? 1 : 0);
  EXPECT_TRUE(Top()->GetExpanded());
  EXPECT_TRUE(Top()->GetSelected());
  EXPECT_EQ(Bare(), tree->GetPath());
  EXPECT_EQ((std::vector<std::string>{"a", "b", "empty", "filesonly", "Tom & Jerry"}), Texts(Top()));
  EXPECT_GE(Top()->GetItem(0)->GetImageIndex(), 0);
  // The tree shows the system's small icons.
  LRESULT system = tree->Perform(TVM_GETIMAGELIST, TVSIL_NORMAL, 0);
  EXPECT_NE(0, system);
  // An image list set from outside is replaced by the control's own choice.
  tree->Perform(TVM_SETIMAGELIST, TVSIL_NORMAL, 0);
  EXPECT_EQ(system, tree->Perform(TVM_GETIMAGELIST, TVSIL_NORMAL, 0));
  tree->SetUseShellImages(false);
  EXPECT_EQ(0, tree->Perform(TVM_GETIMAGELIST, TVSIL_NORMAL, 0));
  tree->SetUseShellImages(true);
  EXPECT_EQ(system, tree->Perform(TVM_GETIMAGELIST, TVSIL_NORMAL, 0));
  // A folder holding only files loses its button once expanded.
  fw::TTreeNode* filesOnly = ChildNamed(Top(), "filesonly");
  filesOnly->Expand(false);
  EXPECT_EQ(0, filesOnly->GetCount());
  EXPECT_FALSE(filesOnly->GetHasChildren());
  // Setting the same root again keeps the nodes.
  fw::TTreeNode* first = Top()->GetItem(0);
  tree->SetRoot(dir);
  EXPECT_EQ(first, Top()->GetItem(0));
}

TEST_F(ShellTreeTest, NonFoldersGiveButtonsToFoldersWithFiles) {
  tree->SetObjectTypes({skin::otFolders, skin::otNonFolders});
  tree->SetRoot(dir);
  std::vector<std::string> texts = Texts(Top());
  EXPECT_NE(texts.end(), std::find(texts.begin(), texts.end(), "archive.zip"));
  EXPECT_NE(texts.end(), std::find(texts.begin(), texts.end(), "noext"));
  EXPECT_EQ(texts.end(), std::find(texts.begin(), texts.end(), "hidden.txt"));
  EXPECT_TRUE(ChildNamed(Top(), "filesonly")->GetHasChildren());
  EXPECT_FALSE(ChildNamed(Top(), "empty")->GetHasChildren());
  tree->SetObjectTypes({skin::otFolders, skin::otNonFolders, skin::otHidden});
  texts = Texts(Top());
  EXPECT_NE(texts.end(), std::find(texts.begin(), texts.end(), "hidden.txt"));
}

TEST_F(ShellTreeTest, ARefusedFolderIsNeverShown) {
  std::vector<std::string> asked;
  tree->OnAddFolder = [&](fw::TObject*, skin::TkShellFolder* folder, bool& canAdd) {
    asked.push_back(folder->DisplayName());
    canAdd = folder->DisplayName() != "b";
  };
  tree->SetRoot(dir);
  EXPECT_EQ((std::vector<std::string>{"a", "empty", "filesonly", "Tom & Jerry"}), Texts(Top()));
  EXPECT_NE(asked.end(), std::find(asked.begin(), asked.end(), "b"));
}

TEST_F(ShellTreeTest, PathSelectsANestedFolderAndExpandsItsChain) {
  tree->SetRoot(dir);
  tree->SetPath(dir + "Tom & Jerry\\inner");
  EXPECT_EQ(dir + "Tom & Jerry\\inner", tree->GetPath());
  fw::TTreeNode* tom = ChildNamed(Top(), "Tom & Jerry");
  EXPECT_TRUE(tom->GetExpanded());
  EXPECT_TRUE(ChildNamed(tom, "inner")->GetSelected());
  EXPECT_EQ("inner", tree->SelectedFolder()->DisplayName());
  EXPECT_THROW(tree->SetPath(dir + "no such\\folder"), fw::Exception);
}

TEST_F(ShellTreeTest, RefreshNodeKeepsExpandedChildrenAndTheSelection) {
  tree->SetRoot(dir);
  ChildNamed(Top(), "Tom & Jerry")->Expand(false);
  tree->SetPath(dir + "a\\sub");
  MakeFolders(dir + "c");
  tree->RefreshNode(Top());
  // Expanded, though the selection is elsewhere.
  EXPECT_TRUE(ChildNamed(Top(), "Tom & Jerry")->GetExpanded());
  EXPECT_EQ((std::vector<std::string>{"a", "b", "c", "empty", "filesonly", "Tom & Jerry"}), Texts(Top()));
  EXPECT_TRUE(ChildNamed(Top(), "a")->GetExpanded());
  EXPECT_EQ(dir + "a\\sub", tree->GetPath());
  EXPECT_TRUE(Top()->GetExpanded());
  EXPECT_EQ(1, tree->GetItems()->GetFirstNode()->GetLevel() + 1);
}

// A refresh keeps the node, its folder and the children still on disk as the same objects, so
// whoever holds them (the folder dialog holds the selected node) goes on using them.
TEST_F(ShellTreeTest, ARefreshedNodeStaysTheNodeItsHoldersHave) {
  tree->SetRoot(dir);
  fw::TTreeNode* top = Top();
  skin::TkShellFolder* topFolder = tree->SelectedFolder();
  fw::TTreeNode* tom = ChildNamed(top, "Tom & Jerry");
  tom->Expand(false);
  fw::TTreeNode* inner = ChildNamed(tom, "inner");
  tree->SetPath(dir + "a\\sub");
  fw::TTreeNode* a = ChildNamed(top, "a");
  fw::TTreeNode* sub = tree->GetSelected();
  MakeFolders(dir + "c");
  MakeFolders(dir + "Tom & Jerry\\later");
  testing_sandbox::RemoveTree(dir + "b");
  tree->RefreshNode(top);
  ASSERT_EQ(top, Top());
  EXPECT_EQ(topFolder, top->GetData());
  EXPECT_EQ(Bare(), topFolder->PathName());
  EXPECT_EQ((std::vector<std::string>{"a", "c", "empty", "filesonly", "Tom & Jerry"}), Texts(top));
  // The children still there are the nodes they were, expanded ones expanded and listed anew.
  ASSERT_EQ(tom, ChildNamed(top, "Tom & Jerry"));
  EXPECT_TRUE(tom->GetExpanded());
  EXPECT_EQ((std::vector<std::string>{"inner", "later"}), Texts(tom));
  EXPECT_EQ(inner, ChildNamed(tom, "inner"));
  ASSERT_EQ(a, ChildNamed(top, "a"));
  EXPECT_TRUE(a->GetExpanded());
  ASSERT_EQ(sub, tree->GetSelected());
  EXPECT_EQ(dir + "a\\sub", tree->GetPath());
  // Refreshing a child node by the pointer held to it: the tree still finds it for its path.
  MakeFolders(dir + "a\\new one");
  testing_sandbox::RemoveTree(dir + "a\\sub");
  tree->RefreshNode(a);
  ASSERT_EQ(a, ChildNamed(Top(), "a"));
  EXPECT_EQ("a", a->GetText());
  EXPECT_EQ(dir + "a", static_cast<skin::TkShellFolder*>(a->GetData())->PathName());
  LPITEMIDLIST pidl = skin::PidlFromPath(dir + "a");
  EXPECT_EQ(a, tree->FindNodeByPidl(pidl, nullptr));
  skin::FreePidl(pidl);
  EXPECT_EQ((std::vector<std::string>{"new one"}), Texts(a));
}

TEST_F(ShellTreeTest, ALabelRenameRefreshesTheParentAfterItsNotification) {
  tree->SetRoot(dir);
  fw::TTreeNode* b = ChildNamed(Top(), "b");
  tree->SetFocus();
  HWND edit = reinterpret_cast<HWND>(
      tree->Perform(TVM_EDITLABELA, 0, reinterpret_cast<LPARAM>(b->GetItemId())));
  ASSERT_NE(nullptr, edit);
  SetWindowTextA(edit, "b2");
  tree->Perform(TVM_ENDEDITLABELNOW, FALSE, 0);
  // Renamed on disk, the node still the one the control edited.
  EXPECT_TRUE(testing_sandbox::Exists(dir + "b2"));
  EXPECT_FALSE(testing_sandbox::Exists(dir + "b"));
  EXPECT_EQ(b, ChildNamed(Top(), "b2"));
  // The parent is listed anew once the message comes: a folder made meanwhile shows; the
  // renamed node stays, with the new name's folder.
  MakeFolders(dir + "c");
  EXPECT_EQ(nullptr, ChildNamed(Top(), "c"));
  EXPECT_TRUE(testing_pump::PumpUntil([&] { return ChildNamed(Top(), "c") != nullptr; }, 2000));
  EXPECT_EQ(b, ChildNamed(Top(), "b2"));
  EXPECT_EQ(dir + "b2", static_cast<skin::TkShellFolder*>(b->GetData())->PathName());
}

TEST_F(ShellTreeTest, AFileNodeIsStartedThroughTheShellCallShownNormally) {
  std::vector<std::pair<std::string, int>> started;
  skin::testing::SetShellOpen([&](const std::string& target, int show) { started.emplace_back(target, show); });
  tree->SetObjectTypes({skin::otFolders, skin::otNonFolders});
  tree->SetRoot(dir);
  fw::TTreeNode* zip = ChildNamed(Top(), "archive.zip");
  ASSERT_NE(nullptr, zip);
  // Where the shell opens archives as folders the node has a button; Wine's does not.
  zip->SetHasChildren(true);
  tree->Perform(TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(zip->GetItemId()));
  ASSERT_EQ(1u, started.size());
  EXPECT_EQ(dir + "archive.zip", started[0].first);
  EXPECT_EQ(SW_SHOWNORMAL, started[0].second);
  EXPECT_EQ(0, zip->GetCount());
}

TEST_F(ShellTreeTest, LinkedViewsFollowOnceWithoutEcho) {
  auto* list = fw::New<LinkedView>(form);
  auto* combo = fw::New<LinkedView>(form);
  tree->SetRoot(dir);
  tree->SetShellListView(list);
  tree->SetShellComboBox(combo);
  EXPECT_EQ(tree, list->tree);
  EXPECT_EQ((std::vector<skin::TkRoot>{dir}), list->roots);
  tree->SetPath(dir + "Tom & Jerry");
  EXPECT_EQ(1, list->follows);
  EXPECT_EQ(1, combo->follows);
  EXPECT_EQ(dir + "Tom & Jerry", list->followed);
  tree->SetRoot(dir + "a");
  EXPECT_EQ(2u, list->roots.size());
  EXPECT_EQ(2u, combo->roots.size());
  // A partner that goes unlinks itself.
  list->Free();
  EXPECT_EQ(nullptr, tree->GetShellListView());
  tree->SetShellComboBox(nullptr);
  EXPECT_EQ(nullptr, combo->tree);
}

TEST_F(ShellTreeTest, TheVerbHookRenamesDeletesAndPastes) {
  tree->SetRoot(dir);
  tree->SetFocus();
  ChildNamed(Top(), "b")->SetSelected(true);
  bool handled = false;
  tree->BeforeVerb("rename", handled);
  EXPECT_TRUE(handled);
  EXPECT_TRUE(tree->IsEditing());
  tree->Perform(TVM_ENDEDITLABELNOW, TRUE, 0);
  EXPECT_TRUE(testing_sandbox::Exists(dir + "b"));

  handled = false;
  tree->BeforeVerb("delete", handled);
  EXPECT_FALSE(handled);
  // Deleting failed: the node stays; deleted on disk: the node goes.
  tree->AfterVerb("delete", false);
  EXPECT_NE(nullptr, ChildNamed(Top(), "b"));
  testing_sandbox::RemoveTree(dir + "b");
  tree->AfterVerb("delete", true);
  EXPECT_EQ(nullptr, ChildNamed(Top(), "b"));

  // A paste into the selected folder lists it anew.
  Top()->SetSelected(true);
  MakeFolders(dir + "pasted");
  tree->AfterVerb("paste", true);
  EXPECT_NE(nullptr, ChildNamed(Top(), "pasted"));
}

TEST_F(ShellTreeTest, AutoRefreshListsAFolderMadeMeanwhile) {
  tree->SetRoot(dir);
  tree->SetAutoRefresh(true);
  ASSERT_NE(nullptr, tree->GetNotifier());
  EXPECT_EQ(Bare(), tree->GetNotifier()->GetRoot());
  testing_pump::Pump(200);
  MakeFolders(dir + "made meanwhile");
  EXPECT_TRUE(testing_pump::PumpUntil([&] { return ChildNamed(Top(), "made meanwhile") != nullptr; }, 5000));
  // The watcher follows the selected folder.
  ChildNamed(Top(), "a")->SetSelected(true);
  EXPECT_EQ(dir + "a", tree->GetNotifier()->GetRoot());
  tree->SetAutoRefresh(false);
  EXPECT_EQ(nullptr, tree->GetNotifier());
}

TEST_F(ShellTreeTest, ARefusedLabelRenameReportsAndKeepsTheText) {
  tree->SetRoot(dir);
  fw::TTreeNode* b = ChildNamed(Top(), "b");
  std::vector<std::string> reported;
  auto previous = fw::Application->OnException;
  fw::Application->OnException = [&](fw::TObject*, fw::Exception& e) { reported.push_back(e.what()); };
  tree->SetFocus();
  HWND edit = reinterpret_cast<HWND>(tree->Perform(TVM_EDITLABELA, 0, reinterpret_cast<LPARAM>(b->GetItemId())));
  ASSERT_NE(nullptr, edit);
  SetWindowTextA(edit, "bad|name");
  tree->Perform(TVM_ENDEDITLABELNOW, FALSE, 0);
  testing_pump::Pump(100);
  fw::Application->OnException = previous;
  EXPECT_EQ(std::vector<std::string>{"Rename to bad|name failed"}, reported);
  EXPECT_EQ(b, ChildNamed(Top(), "b"));
  char text[64] = {};
  TVITEMA item{};
  item.mask = TVIF_TEXT;
  item.hItem = b->GetItemId();
  item.pszText = text;
  item.cchTextMax = sizeof text;
  tree->Perform(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_STREQ("b", text);
  EXPECT_TRUE(testing_sandbox::Exists(dir + "b"));
}

TEST_F(ShellTreeTest, ALoadedTreeIsBuiltOnceLoadingEnds) {
  skin::TkShellTreeView* loaded = nullptr;
  {
    fw::TLoadScope scope;
    loaded = Place<skin::TkShellTreeView>(panel, 320, 10, 50, 100);
    loaded->SetRoot(dir + "Tom & Jerry");
    loaded->SetObjectTypes({skin::otFolders, skin::otNonFolders});
    EXPECT_EQ(nullptr, loaded->GetItems()->GetFirstNode());
  }
  ASSERT_NE(nullptr, loaded->GetItems()->GetFirstNode());
  EXPECT_EQ("Tom & Jerry", loaded->GetItems()->GetFirstNode()->GetText());
  EXPECT_EQ(dir + "Tom & Jerry", loaded->GetPath());
  // A bad root raises and leaves the tree as it was.
  try {
    loaded->SetRoot(dir + "gone\\away");
    ADD_FAILURE() << "a bogus root was taken";
  } catch (const fw::Exception& e) {
    EXPECT_STREQ("Error Setting Path", e.what());
  }
  EXPECT_EQ(dir + "Tom & Jerry", loaded->GetPath());
}

}  // namespace
