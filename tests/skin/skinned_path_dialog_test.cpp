// The folder dialog: "New folderN" numbering as a function, and the skinned picker driven
// through the modal hook in the test's sandbox folder (Create, offered only with sdAllowCreate,
// a folder that cannot be created, OK on virtual items, Enter while renaming, Cancel, the start
// node), the platform's browser without a skin, and the file dialog service answering in place
// of both.
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <utility>

#include "framework/comctrls/tree_node.h"
#include "framework/dialogs/file_dialog_service.h"
#include "framework/forms/application.h"
#include "framework/rtl/file_utils.h"
#include "skin/controls/bit_btn.h"
#include "skin/controls/path_dialog.h"
#include "skin/controls/path_dialog_form.h"
#include "skin/controls/shell_tree_view.h"
#include "skin/engine/skin_manager.h"
#include "support/control_skin.h"
#include "support/modal_run.h"
#include "support/message_pump.h"
#include "support/sandbox.h"

namespace {

TEST(NewFolderName, TheFirstFreeNumberFromOne) {
  std::set<std::string> taken;
  auto exists = [&](const std::string& name) { return taken.count(name) > 0; };
  EXPECT_EQ(skin::NewFolderName("C:\\sandbox\\x", exists), "C:\\sandbox\\x\\New folder1");
  taken = {"C:\\sandbox\\x\\New folder1", "C:\\sandbox\\x\\New folder3"};
  EXPECT_EQ(skin::NewFolderName("C:\\sandbox\\x\\", exists), "C:\\sandbox\\x\\New folder2") << "a gap is filled";
  taken.insert("C:\\sandbox\\x\\New folder2");
  EXPECT_EQ(skin::NewFolderName("C:\\sandbox\\x", exists), "C:\\sandbox\\x\\New folder4");
  EXPECT_EQ(skin::NewFolderName("C:\\", exists), "C:\\New folder1") << "a drive root keeps one backslash";
}

class PathDialogTest : public control_skin::ControlSkinTest {
 protected:
  void SetUp() override {
    ControlSkinTest::SetUp();
    folder = testing_sandbox::TestFolder();
    testing_sandbox::MakeFolders(folder + "tree\\inner");
    dialog = fw::New<skin::TkPathDialog>(fw::Application);
    dialog->SetNoChangeDir(true);
    // The scripted chooser answers in place of the dialog; these tests want the form itself.
    chooser = fw::testing::SetFileDialogService(nullptr);
  }
  void TearDown() override {
    fw::Application->ModalHook = nullptr;
    fw::testing::SetFileDialogService(std::move(chooser));
    dialog->Free();
    ControlSkinTest::TearDown();
  }

  // Runs Execute with hook driving the form; counts the forms shown.
  bool Run(const std::function<void(skin::TPathDialogForm&)>& hook) {
    return testing_gui::RunModal<skin::TPathDialogForm>([this] { return dialog->Execute(); }, hook, shown);
  }
  static std::string SelectedPath(skin::TPathDialogForm& form) {
    skin::TkShellFolder* selected = form.kShellTreeView1->SelectedFolder();
    return selected ? selected->PathName() : "";
  }

  std::string folder;
  skin::TkPathDialog* dialog = nullptr;
  std::unique_ptr<fw::TFileDialogService> chooser;
  int shown = 0;
};

TEST_F(PathDialogTest, CreateTwiceMakesTheNumberedFoldersAndOkTakesTheSelection) {
  dialog->SetRoot(folder);
  dialog->SetPath(folder + "tree\\");
  ASSERT_TRUE(Run([&](skin::TPathDialogForm& form) {
    EXPECT_EQ(form.GetCaption(), "Select directory");
    EXPECT_EQ(SelectedPath(form), folder + "tree");
    EXPECT_TRUE(form.kBitBtn1->GetEnabled());
    EXPECT_TRUE(form.kBitBtn3->GetVisible());
    for (const char* name : {"New folder1", "New folder2"}) {
      form.kShellTreeView1->SetPath(folder + "tree");
      form.kBitBtn3->Click();
      EXPECT_TRUE(fw::DirectoryExists(folder + "tree\\" + name)) << name;
      EXPECT_EQ(SelectedPath(form), folder + "tree\\" + name) << "the new folder is selected";
      EXPECT_TRUE(form.kShellTreeView1->IsEditing()) << "and its name is being edited";
      form.kBitBtn1->Click();
      EXPECT_FALSE(form.kShellTreeView1->IsEditing());
      EXPECT_EQ(form.GetModalResult(), fw::mrNone) << "OK while renaming only ends the rename";
    }
    form.kBitBtn1->Click();
  }));
  EXPECT_EQ(shown, 1);
  EXPECT_TRUE(scripted->Texts.empty()) << "no warning";
  EXPECT_EQ(dialog->GetPath(), folder + "tree\\New folder2") << "the selection, no trailing backslash";
  EXPECT_FALSE(fw::DirectoryExists(folder + "tree\\New folder3"));
}

TEST_F(PathDialogTest, AFolderThatCannotBeCreatedIsReportedAndTheDialogStays) {
  dialog->SetRoot(folder);
  dialog->SetPath(folder + "tree\\inner");
  EXPECT_FALSE(Run([&](skin::TPathDialogForm& form) {
    ASSERT_EQ(SelectedPath(form), folder + "tree\\inner");
    ASSERT_TRUE(form.kBitBtn3->GetEnabled());
    // The selected folder goes away behind the dialog's back: nothing can be made in it.
    testing_sandbox::RemoveTree(folder + "tree\\inner");
    form.kBitBtn3->Click();
    ASSERT_EQ(scripted->Texts.size(), 1u);
    EXPECT_EQ(scripted->Texts[0], "Directory " + folder + "tree\\inner\\New folder1 can`t be created!");
    EXPECT_FALSE(form.kShellTreeView1->IsEditing());
    EXPECT_EQ(form.GetModalResult(), fw::mrNone) << "the dialog stays";
    form.kBitBtn2->Click();
  }));
  EXPECT_FALSE(testing_sandbox::Exists(folder + "tree\\inner"));
}

TEST_F(PathDialogTest, EnterWhileRenamingEndsTheRenameAndKeepsTheDialog) {
  dialog->SetRoot(folder);
  dialog->SetPath(folder + "tree");
  EXPECT_FALSE(Run([&](skin::TPathDialogForm& form) {
    form.kBitBtn3->Click();
    ASSERT_TRUE(form.kShellTreeView1->IsEditing());
    HWND edit = TreeView_GetEditControl(form.kShellTreeView1->GetHandle());
    ASSERT_NE(edit, nullptr);
    SetWindowTextA(edit, "Renamed");
    SetFocus(edit);
    PostMessageA(edit, WM_KEYDOWN, VK_RETURN, 1);
    PostMessageA(edit, WM_CHAR, VK_RETURN, 1);
    EXPECT_TRUE(testing_pump::PumpUntil([&] { return !form.kShellTreeView1->IsEditing(); }));
    testing_pump::Pump(100);
    EXPECT_EQ(form.GetModalResult(), fw::mrNone) << "the dialog stays";
    EXPECT_TRUE(IsWindowVisible(form.GetHandle()));
    EXPECT_TRUE(fw::DirectoryExists(folder + "tree\\Renamed")) << "the rename is taken";
    form.kBitBtn2->Click();
  })) << "Cancel";
  EXPECT_EQ(dialog->GetPath(), folder + "tree") << "Cancel leaves Path as it was";
}

TEST_F(PathDialogTest, AVirtualItemKeepsOkDisabled) {
  dialog->SetRoot("rfDesktop");
  dialog->SetPath(folder + "tree");
  dialog->SetDialogOptions(skin::TSelectDirOpts{skin::sdPrompt});
  EXPECT_FALSE(Run([&](skin::TPathDialogForm& form) {
    EXPECT_FALSE(form.kBitBtn3->GetVisible()) << "no Create without sdAllowCreate";
    EXPECT_TRUE(form.kBitBtn1->GetEnabled()) << "on the sandbox folder";
    fw::TTreeNode* virtualNode = nullptr;
    fw::TTreeNodes* items = form.kShellTreeView1->GetItems();
    for (int i = 0; i < items->GetCount() && !virtualNode; ++i) {
      auto* item = static_cast<skin::TkShellFolder*>(items->GetItem(i)->GetData());
      if (item && !fw::DirectoryExists(item->PathName())) virtualNode = items->GetItem(i);
    }
    ASSERT_NE(virtualNode, nullptr) << "the desktop lists a virtual folder (My Computer)";
    form.kShellTreeView1->SetSelected(virtualNode);
    EXPECT_FALSE(form.kBitBtn1->GetEnabled());
    EXPECT_FALSE(form.kBitBtn3->GetEnabled());
    form.kBitBtn2->Click();
  }));
  EXPECT_EQ(dialog->GetPath(), folder + "tree");
}

TEST_F(PathDialogTest, CreateIsOfferedExactlyWithAllowCreate) {
  using skin::TSelectDirOpts;
  dialog->SetRoot(folder);
  dialog->SetPath(folder + "tree");
  const std::pair<TSelectDirOpts, bool> cases[] = {
      {TSelectDirOpts{skin::sdAllowCreate}, true},
      {TSelectDirOpts{skin::sdAllowCreate, skin::sdPerformCreate, skin::sdPrompt}, true},
      {TSelectDirOpts{skin::sdPrompt, skin::sdPerformCreate}, false},
      {TSelectDirOpts{}, false}};
  for (const auto& [options, offered] : cases) {
    dialog->SetDialogOptions(options);
    EXPECT_FALSE(Run([&](skin::TPathDialogForm& form) {
      EXPECT_EQ(form.kBitBtn3->GetVisible(), offered) << "options case " << shown;
      form.kBitBtn2->Click();
    }));
  }
  EXPECT_EQ(shown, 4);
}

TEST_F(PathDialogTest, DotOrAMissingFolderStartsOnTheFirstNode) {
  dialog->SetRoot(folder);
  for (const std::string& start : {std::string("."), folder + "missing"}) {
    dialog->SetPath(start);
    EXPECT_FALSE(Run([&](skin::TPathDialogForm& form) {
      fw::TTreeNodes* items = form.kShellTreeView1->GetItems();
      ASSERT_GT(items->GetCount(), 0);
      EXPECT_EQ(form.kShellTreeView1->GetSelected(), items->GetItem(0)) << start;
      form.kBitBtn2->Click();
    }));
    EXPECT_EQ(dialog->GetPath(), start) << "Cancel leaves Path as it was";
  }
}

// Presses Cancel on each folder browser of the thread once it shows, noting it.
std::set<HWND> browsersSeen;
BOOL CALLBACK CancelIfBrowser(HWND wnd, LPARAM) {
  char name[16] = {};
  GetClassNameA(wnd, name, sizeof name);
  if (std::string(name) != "#32770" || !IsWindowVisible(wnd) || !browsersSeen.insert(wnd).second) return TRUE;
  PostMessageA(wnd, WM_COMMAND, IDCANCEL, 0);
  return FALSE;
}
void CALLBACK CancelBrowser(HWND, UINT, UINT_PTR, DWORD) { EnumThreadWindows(GetCurrentThreadId(), CancelIfBrowser, 0); }

TEST_F(PathDialogTest, WithoutASkinOrAManagerThePlatformsBrowserShows) {
  dialog->SetRoot(folder);
  dialog->SetPath(folder + "tree");
  browsersSeen.clear();
  const UINT_PTR timer = SetTimer(nullptr, 0, 100, CancelBrowser);
  manager->SetActive(false);
  Settle();
  EXPECT_FALSE(Run([](skin::TPathDialogForm&) {}));
  EXPECT_EQ(browsersSeen.size(), 1u);
  fw::FreeAndNil(manager);
  Settle();
  EXPECT_FALSE(Run([](skin::TPathDialogForm&) {}));
  KillTimer(nullptr, timer);
  EXPECT_EQ(browsersSeen.size(), 2u);
  EXPECT_EQ(shown, 0) << "no skinned form";
  EXPECT_EQ(dialog->GetPath(), folder + "tree");
}

TEST_F(PathDialogTest, TheChooserAnswersInPlaceOfTheFormAndTheBrowser) {
  fw::testing::SetFileDialogService(std::move(chooser));
  auto* script = dynamic_cast<fw::testing::TScriptedFileDialogs*>(&fw::FileDialogService());
  ASSERT_NE(script, nullptr);
  dialog->SetRoot("rfMyComputer");
  dialog->SetPath(folder + "tree");
  for (bool skinned : {true, false}) {
    manager->SetActive(skinned);
    script->Folders = {folder + "tree\\inner\\"};
    EXPECT_TRUE(Run([](skin::TPathDialogForm&) {}));
    EXPECT_EQ(dialog->GetPath(), folder + "tree\\inner");
    EXPECT_EQ(script->Browses.back().Root, "rfMyComputer");
    dialog->SetPath(folder + "tree");
  }
  // A chosen path that is no existing folder is ignored.
  dialog->SetDialogOptions(skin::TSelectDirOpts{});
  script->Folders = {folder + "missing"};
  Run([](skin::TPathDialogForm&) {});
  EXPECT_EQ(dialog->GetPath(), folder + "tree");
  EXPECT_FALSE(fw::DirectoryExists(folder + "missing"));
  EXPECT_EQ(shown, 0) << "no form shown";
  chooser = fw::testing::SetFileDialogService(nullptr);
}

}  // namespace
