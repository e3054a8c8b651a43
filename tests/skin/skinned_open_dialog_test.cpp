// The open dialog: the Open button's decisions as functions (the name it works on, DefaultExt,
// typed full paths, an empty edit, the prompts and errors on real files), and the skinned form
// driven through the modal hook in the test's sandbox folder (the filter and the list's mask,
// history and Back through a folder named with "&", a typed name, a missing file), and the file
// dialog service answering in its place.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "framework/classes/string_list.h"
#include "framework/dialogs/file_dialog_service.h"
#include "framework/forms/application.h"
#include "framework/forms/dialog_service.h"
#include "framework/menus/menu_item.h"
#include "framework/menus/popup_menu.h"
#include "framework/rtl/file_utils.h"
#include "skin/controls/button.h"
#include "skin/controls/check_box.h"
#include "skin/controls/edit.h"
#include "skin/controls/filter_combo_box.h"
#include "skin/controls/open_dialog.h"
#include "skin/controls/open_dialog_form.h"
#include "skin/controls/shell_combo_box.h"
#include "skin/controls/shell_list_view.h"
#include "skin/controls/speed_button.h"
#include "skin/controls/web_label.h"
#include "skin/engine/skin_manager.h"
#include "support/control_skin.h"
#include "support/modal_run.h"
#include "support/message_pump.h"
#include "support/sandbox.h"

namespace {

TEST(OpenButtonName, JoinsTheTypedNameAddsDefaultExtAndKeepsFullPaths) {
  const std::string folder = "C:\\sandbox\\x\\";
  EXPECT_EQ(skin::OpenButtonName(folder, "notes", nullptr, "txt"), folder + "notes.txt");
  EXPECT_EQ(skin::OpenButtonName(folder, "notes.ini", nullptr, "txt"), folder + "notes.ini") << "has an extension";
  EXPECT_EQ(skin::OpenButtonName(folder, "notes", nullptr, ""), folder + "notes") << "no DefaultExt";
  EXPECT_EQ(skin::OpenButtonName(folder, "D:\\tools\\x.exe", nullptr, "txt"), "D:\\tools\\x.exe")
      << "a typed drive path is used as it is";
  EXPECT_EQ(skin::OpenButtonName(folder, "\\\\server\\share\\x", nullptr, "exe"), "\\\\server\\share\\x.exe")
      << "so is a typed share path";
  EXPECT_EQ(skin::OpenButtonName(folder, "sub\\x.exe", nullptr, ""), folder + "sub\\x.exe");
  EXPECT_EQ(skin::OpenButtonName(folder, "", nullptr, "txt"), "") << "nothing typed: no name";
  fw::Owned<fw::TStringList> files = fw::MakeOwned<fw::TStringList>();
  files->Add(folder + "a.txt");
  EXPECT_EQ(skin::OpenButtonName(folder, "", files.get(), "txt"), "") << "one selected file is no multi-selection";
  files->Add(folder + "b.txt");
  EXPECT_EQ(skin::OpenButtonName(folder, "", files.get(), ""), folder + "b.txt") << "the last of several";
  EXPECT_EQ(skin::OpenButtonName(folder, "\"a.txt\" \"b.txt\"", files.get(), ""), folder + "b.txt");
}

class AcceptOpenNameTest : public testing_gui::GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    folder = testing_sandbox::TestFolder();
    testing_sandbox::WriteFile(folder + "here.txt", "x");
  }
  std::string LastText() const { return scripted->Texts.empty() ? "" : scripted->Texts.back(); }
  std::string folder;
};

TEST_F(AcceptOpenNameTest, PathAndFileMustExist) {
  EXPECT_TRUE(skin::AcceptOpenName(folder + "here.txt", fw::TOpenOptions{fw::ofFileMustExist, fw::ofPathMustExist}, false));
  EXPECT_TRUE(skin::AcceptOpenName(folder + "gone.txt", fw::TOpenOptions{fw::ofPathMustExist}, false))
      << "a missing file in an existing folder is fine without ofFileMustExist";
  EXPECT_TRUE(scripted->Texts.empty());
  EXPECT_FALSE(skin::AcceptOpenName(folder + "none\\x.txt", fw::TOpenOptions{fw::ofPathMustExist}, false));
  EXPECT_EQ(LastText(), folder + "none\\\r\nPath not found");
  EXPECT_FALSE(skin::AcceptOpenName(folder + "gone.txt", fw::TOpenOptions{fw::ofFileMustExist}, false));
  EXPECT_EQ(LastText(), folder + "gone.txt\r\nFile not found");
  EXPECT_EQ(scripted->Texts.size(), 2u);
}

TEST_F(AcceptOpenNameTest, CreatePromptMakesTheFileEmptyOnYes) {
  const fw::TOpenOptions options{fw::ofCreatePrompt, fw::ofFileMustExist};
  scripted->Answers = {fw::mrNo};
  EXPECT_FALSE(skin::AcceptOpenName(folder + "new.txt", options, false));
  EXPECT_EQ(LastText(), folder + "new.txt\r\nFile not found. Create?");
  EXPECT_FALSE(testing_sandbox::Exists(folder + "new.txt"));
  EXPECT_EQ(scripted->Texts.size(), 1u) << "No ends it: no second message";
  scripted->Answers = {fw::mrYes};
  EXPECT_TRUE(skin::AcceptOpenName(folder + "new.txt", options, false));
  EXPECT_EQ(testing_sandbox::ReadFile(folder + "new.txt"), "") << "made, empty";
  EXPECT_TRUE(skin::AcceptOpenName(folder + "here.txt", options, false)) << "no prompt for an existing file";
  EXPECT_EQ(testing_sandbox::ReadFile(folder + "here.txt"), "x");
  EXPECT_EQ(scripted->Texts.size(), 2u);
}

TEST_F(AcceptOpenNameTest, OverwritePromptOnlyForASaveTypeDialog) {
  const fw::TOpenOptions options{fw::ofOverwritePrompt, fw::ofFileMustExist};
  EXPECT_TRUE(skin::AcceptOpenName(folder + "here.txt", options, false));
  EXPECT_TRUE(scripted->Texts.empty()) << "an open dialog does not ask";
  scripted->Answers = {fw::mrNo, fw::mrYes};
  EXPECT_FALSE(skin::AcceptOpenName(folder + "here.txt", options, true));
  EXPECT_EQ(LastText(), "here.txt\r\nFile exists. Overwrite?");
  EXPECT_TRUE(skin::AcceptOpenName(folder + "here.txt", options, true));
  EXPECT_TRUE(skin::AcceptOpenName(folder + "other.txt", fw::TOpenOptions{fw::ofOverwritePrompt}, true))
      << "a new file is not asked about";
  EXPECT_EQ(scripted->Texts.size(), 2u);
  EXPECT_EQ(testing_sandbox::ReadFile(folder + "here.txt"), "x");
}

class OpenDialogTest : public control_skin::ControlSkinTest {
 protected:
  void SetUp() override {
    ControlSkinTest::SetUp();
    folder = testing_sandbox::TestFolder();
    testing_sandbox::MakeShellFixture(folder);
    for (const char* name : {"notes.txt", "prog.exe", "readme.ini", "b\\inner.txt"})
      testing_sandbox::WriteFile(folder + name, "x");
    dialog = fw::New<skin::TkOpenDialog>(fw::Application);
    dialog->SetInitialDir(folder);
    dialog->SetOptions(fw::TOpenOptions{fw::ofHideReadOnly, fw::ofFileMustExist, fw::ofNoChangeDir, fw::ofEnableSizing});
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
  bool Run(const std::function<void(skin::TkOpenDialogForm&)>& hook) {
    return testing_gui::RunModal<skin::TkOpenDialogForm>([this] { return dialog->Execute(); }, hook, shown);
  }
  static std::vector<std::string> Rows(skin::TkOpenDialogForm& form) {
    std::vector<std::string> rows;
    for (int n = 0; n < form.FileListView->RowCount(); ++n)
      rows.push_back(form.FileListView->FolderAt(n)->DisplayName(skin::seShow));
    return rows;
  }
  static bool Listed(skin::TkOpenDialogForm& form, const std::string& name) {
    for (const std::string& row : Rows(form))
      if (row == name) return true;
    return false;
  }
  static std::string Shown(skin::TkOpenDialogForm& form) {
    return form.FileListView->GetCurrentFolder()->PathName();
  }
  // Selects the row of that name and double-clicks it, as the user would.
  static void Open(skin::TkOpenDialogForm& form, const std::string& name) {
    std::vector<std::string> rows = Rows(form);
    for (size_t n = 0; n < rows.size(); ++n)
      if (rows[n] == name) {
        form.FileListView->SetItemIndex(static_cast<int>(n));
        form.FileListView->OnDblClick(form.FileListView);
        return;
      }
    ADD_FAILURE() << "no row " << name;
  }
  // Chooses a file type as the user would: the selection, then the combo's notification.
  static void ChooseType(skin::TkOpenDialogForm& form, int index) {
    HWND combo = form.FileTypeBox->GetHandle();
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(form.GetHandle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
  }
  std::string LastText() const { return scripted->Texts.empty() ? "" : scripted->Texts.back(); }
  // The client point of the row of that name in the list, the list focused.
  static POINT RowPoint(skin::TkOpenDialogForm& form, const std::string& name) {
    form.FileListView->SetFocus();
    EXPECT_TRUE(testing_pump::PumpUntil([&] { return form.FileListView->Focused(); }));
    std::vector<std::string> rows = Rows(form);
    const auto row = std::find(rows.begin(), rows.end(), name);
    EXPECT_NE(row, rows.end()) << "no row " << name;
    RECT r{};
    r.left = LVIR_LABEL;
    SendMessageA(form.FileListView->GetHandle(), LVM_GETITEMRECT, static_cast<WPARAM>(row - rows.begin()),
                 reinterpret_cast<LPARAM>(&r));
    return POINT{r.left + 4, (r.top + r.bottom) / 2};
  }
  // Lets the application's message loop (key messages included) run until the form has an answer.
  static void RunUntilAnswered(skin::TkOpenDialogForm& form) {
    for (int n = 0; n < 100 && form.GetModalResult() == fw::mrNone; ++n) {
      fw::Application->ProcessMessages();
      Sleep(5);
    }
  }

  std::string folder;
  skin::TkOpenDialog* dialog = nullptr;
  std::unique_ptr<fw::TFileDialogService> chooser;
  int shown = 0;
};

TEST_F(OpenDialogTest, TheFilterSetsTheListsMask) {
  dialog->SetFilter("Text files (*.txt)|*.txt|Programs (*.exe)|*.exe|All files (*.*)|*.*");
  dialog->SetFilterIndex(2);
  int typeChanges = 0;
  dialog->OnTypeChange = [&](fw::TObject*) { ++typeChanges; };
  EXPECT_FALSE(Run([&](skin::TkOpenDialogForm& form) {
    EXPECT_EQ(form.GetCaption(), "Open");
    EXPECT_EQ(form.FileTypeBox->GetItemIndex(), 1);
    EXPECT_EQ(form.FileListView->GetMask(), "*.exe");
    EXPECT_EQ(Shown(form) + "\\", folder) << "InitialDir";
    EXPECT_TRUE(Listed(form, "prog.exe"));
    EXPECT_FALSE(Listed(form, "notes.txt"));
    EXPECT_FALSE(Listed(form, "noext"));
    EXPECT_TRUE(Listed(form, "Tom & Jerry")) << "folders stay";
    const int changes = typeChanges;
    ChooseType(form, 0);
    EXPECT_EQ(typeChanges, changes + 1) << "the component hears of it once";
    EXPECT_EQ(form.FileListView->GetMask(), "*.txt");
    EXPECT_TRUE(Listed(form, "notes.txt"));
    EXPECT_FALSE(Listed(form, "prog.exe"));
    ChooseType(form, 2);
    EXPECT_TRUE(Listed(form, "noext")) << "all files";
    EXPECT_TRUE(Listed(form, "prog.exe"));
    ChooseType(form, 0);
    form.kButton2->Click();
  }));
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(dialog->GetFilterIndex(), 1) << "the type chosen last";
}

TEST_F(OpenDialogTest, BackWalksTheHistoryThroughAFolderNamedWithAmpersand) {
  const std::string tom = folder + "Tom & Jerry\\";
  EXPECT_FALSE(Run([&](skin::TkOpenDialogForm& form) {
    EXPECT_EQ(form.GetHistory(), std::vector<std::string>{folder});
    EXPECT_FALSE(form.BackBtn->GetEnabled());
    Open(form, "Tom & Jerry");
    Open(form, "inner");
    EXPECT_EQ(form.GetHistory(), (std::vector<std::string>{folder, tom, tom + "inner\\"}));
    fw::TMenuItem* menu = form.HistMenu->GetItems();
    ASSERT_EQ(menu->GetCount(), 3);
    EXPECT_TRUE(menu->GetItems(0)->GetVisible());
    EXPECT_TRUE(menu->GetItems(1)->GetVisible());
    EXPECT_FALSE(menu->GetItems(2)->GetVisible()) << "the folder shown has no item";
    EXPECT_TRUE(form.BackBtn->GetEnabled());
    EXPECT_TRUE(form.UpBtn->GetEnabled());
    form.BackBtn->Click();
    EXPECT_EQ(Shown(form) + "\\", tom);
    EXPECT_EQ(form.DriveComboBox->GetPath(), tom);
    EXPECT_EQ(form.GetHistory(), (std::vector<std::string>{folder, tom})) << "Back adds nothing";
    ASSERT_EQ(menu->GetCount(), 2);
    EXPECT_FALSE(menu->GetItems(1)->GetVisible());
    form.BackBtn->Click();
    EXPECT_EQ(Shown(form) + "\\", folder);
    EXPECT_FALSE(form.BackBtn->GetEnabled());
    form.BackBtn->Click();
    EXPECT_EQ(Shown(form) + "\\", folder) << "nothing before the first";
    // A history item goes to its own folder, "&" and all.
    Open(form, "Tom & Jerry");
    Open(form, "inner");
    ASSERT_EQ(menu->GetCount(), 3);
    menu->GetItems(1)->Click();
    EXPECT_EQ(Shown(form) + "\\", tom);
    EXPECT_EQ(form.DriveComboBox->GetPath(), tom);
    form.UpBtn->Click();
    EXPECT_EQ(Shown(form) + "\\", folder);
    form.kButton2->Click();
  }));
}

TEST_F(OpenDialogTest, ATypedNameGetsDefaultExtAndAFullPathIsTakenAsItIs) {
  dialog->SetDefaultExt("txt");
  EXPECT_TRUE(Run([&](skin::TkOpenDialogForm& form) {
    form.FileNameEdit->SetText("notes");
    form.kButton1->Click();
  }));
  EXPECT_EQ(dialog->GetFileName(), folder + "notes.txt");
  EXPECT_TRUE(Run([&](skin::TkOpenDialogForm& form) {
    EXPECT_EQ(Shown(form) + "\\", folder) << "the folder of FileName";
    EXPECT_EQ(form.FileNameEdit->GetText(), "notes.txt");
    form.FileNameEdit->SetText(folder + "b\\inner.txt");
    form.kButton1->Click();
  }));
  EXPECT_EQ(dialog->GetFileName(), folder + "b\\inner.txt");
}

TEST_F(OpenDialogTest, AMissingFileShowsTheErrorAndTheDialogStays) {
  EXPECT_TRUE(Run([&](skin::TkOpenDialogForm& form) {
    form.kButton1->Click();
    EXPECT_EQ(form.GetModalResult(), fw::mrNone) << "an empty edit does nothing";
    EXPECT_TRUE(scripted->Texts.empty());
    form.FileNameEdit->SetText("missing.txt");
    form.kButton1->Click();
    EXPECT_EQ(LastText(), folder + "missing.txt\r\nFile not found");
    EXPECT_EQ(form.GetModalResult(), fw::mrNone) << "the dialog stays";
    testing_pump::Pump(50);
    EXPECT_TRUE(IsWindowVisible(form.GetHandle()));
    form.FileNameEdit->SetText("missing");
    form.kButton1->Click();
    EXPECT_EQ(LastText(), folder + "missing\r\nFile not found") << "no DefaultExt: the name as typed";
    // Open with a folder selected in the focused list opens the folder and keeps the dialog.
    form.FileListView->SetFocus();
    ASSERT_TRUE(testing_pump::PumpUntil([&] { return form.FileListView->Focused(); }));
    ASSERT_EQ(Rows(form)[1], "b") << "folders first";
    form.FileListView->SetItemIndex(1);
    form.kButton1->Click();
    EXPECT_EQ(form.GetModalResult(), fw::mrNone);
    EXPECT_EQ(Shown(form), folder + "b");
    form.FileNameEdit->SetText("..\\noext");
    form.kButton1->Click();
    EXPECT_EQ(form.GetModalResult(), fw::mrOk);
  }));
  EXPECT_EQ(scripted->Texts.size(), 2u);
  EXPECT_EQ(dialog->GetFileName(), folder + "b\\..\\noext");
}

TEST_F(OpenDialogTest, SelectingAFileFillsTheEditAndDoubleClickingItOpens) {
  int selections = 0;
  dialog->OnSelectionChange = [&](fw::TObject*) { ++selections; };
  EXPECT_TRUE(Run([&](skin::TkOpenDialogForm& form) {
    EXPECT_FALSE(form.CheckBoxReadOnly->GetVisible()) << "ofHideReadOnly";
    EXPECT_FALSE(form.BtnHelp->GetVisible());
    Open(form, "readme.ini");
  }));
  EXPECT_GE(selections, 1);
  EXPECT_EQ(dialog->GetFileName(), folder + "readme.ini");
}

// The list of the dialog chooses: Enter and a double click on a file take it, as the Open button
// would, and start nothing through the shell; Enter on a folder opens it and the dialog stays.
TEST_F(OpenDialogTest, EnterAndDoubleClickOnAFileChooseItAndStartNothing) {
  std::vector<std::string> started;
  skin::testing::SetShellOpen([&](const std::string& target, int) { started.push_back(target); });
  EXPECT_TRUE(Run([&](skin::TkOpenDialogForm& form) {
    const POINT at = RowPoint(form, "b");
    HWND list = form.FileListView->GetHandle();
    PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    PostMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    PostMessageA(list, WM_KEYDOWN, VK_RETURN, 1);
    PostMessageA(list, WM_KEYUP, VK_RETURN, 0xC0000001);
    RunUntilAnswered(form);
    EXPECT_EQ(form.GetModalResult(), fw::mrNone) << "a folder is opened, not chosen";
    EXPECT_EQ(Shown(form), folder + "b");
    const POINT inner = RowPoint(form, "inner.txt");
    PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(inner.x, inner.y));
    PostMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(inner.x, inner.y));
    PostMessageA(list, WM_KEYDOWN, VK_RETURN, 1);
    PostMessageA(list, WM_KEYUP, VK_RETURN, 0xC0000001);
    RunUntilAnswered(form);
    EXPECT_EQ(form.FileNameEdit->GetText(), "inner.txt");
    EXPECT_EQ(form.GetModalResult(), fw::mrOk);
  }));
  EXPECT_EQ(dialog->GetFileName(), folder + "b\\inner.txt");
  dialog->SetFileName("");
  EXPECT_TRUE(Run([&](skin::TkOpenDialogForm& form) {
    const POINT at = RowPoint(form, "prog.exe");
    HWND list = form.FileListView->GetHandle();
    PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    PostMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    PostMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    RunUntilAnswered(form);
    EXPECT_EQ(form.FileNameEdit->GetText(), "prog.exe");
    EXPECT_EQ(form.GetModalResult(), fw::mrOk);
  }));
  EXPECT_EQ(dialog->GetFileName(), folder + "prog.exe");
  EXPECT_EQ(started, std::vector<std::string>{}) << "nothing started through the shell";
}

TEST_F(OpenDialogTest, OptionsShapeTheFormAndTheViewStylesCycle) {
  dialog->SetTitle("Choose a program");
  dialog->SetOptions(fw::TOpenOptions{fw::ofReadOnly, fw::ofShowHelp, fw::ofNoChangeDir});
  EXPECT_FALSE(Run([&](skin::TkOpenDialogForm& form) {
    EXPECT_EQ(form.GetCaption(), "Choose a program");
    EXPECT_TRUE(form.CheckBoxReadOnly->GetVisible());
    EXPECT_TRUE(form.CheckBoxReadOnly->GetChecked()) << "ofReadOnly";
    EXPECT_TRUE(form.BtnHelp->GetVisible()) << "ofShowHelp";
    EXPECT_EQ(form.GetBorderStyle(), fw::bsSingle) << "no ofEnableSizing";
    EXPECT_EQ(form.FileListView->GetViewStyle(), fw::vsList);
    EXPECT_TRUE(form.List1->GetChecked());
    form.KindBtn->Click();
    EXPECT_EQ(form.FileListView->GetViewStyle(), fw::vsIcon);
    EXPECT_TRUE(form.Icons2->GetChecked());
    EXPECT_FALSE(form.List1->GetChecked());
    form.KindBtn->Click();
    EXPECT_EQ(form.FileListView->GetViewStyle(), fw::vsList);
    form.Smallicons1->Click();
    EXPECT_EQ(form.FileListView->GetViewStyle(), fw::vsSmallIcon);
    form.KindBtn->Click();
    EXPECT_EQ(form.FileListView->GetViewStyle(), fw::vsReport);
    EXPECT_TRUE(form.Icons1->GetChecked());
    form.KindBtn->Click();
    EXPECT_EQ(form.FileListView->GetViewStyle(), fw::vsReport) << "report stays";
    form.kButton2->Click();
  }));
}

TEST_F(OpenDialogTest, SeveralSelectedFilesFillTheEditQuotedAndTheLastIsOpened) {
  dialog->SetOptions(fw::TOpenOptions{fw::ofAllowMultiSelect, fw::ofFileMustExist, fw::ofNoChangeDir});
  EXPECT_TRUE(Run([&](skin::TkOpenDialogForm& form) {
    ASSERT_TRUE(form.FileListView->GetMultiSelect());
    std::vector<std::string> rows = Rows(form);
    for (size_t n = 0; n < rows.size(); ++n)
      if (rows[n] == "notes.txt" || rows[n] == "prog.exe" || rows[n] == "b")
        ListView_SetItemState(form.FileListView->GetHandle(), static_cast<int>(n), LVIS_SELECTED, LVIS_SELECTED);
    testing_pump::Pump(20);
    EXPECT_EQ(form.FileNameEdit->GetText(), "\"notes.txt\" \"prog.exe\"") << "files only";
    EXPECT_EQ(dialog->GetFileName(), folder + "notes.txt");
    form.kButton1->Click();
  }));
  EXPECT_EQ(dialog->GetFiles()->GetText(), folder + "notes.txt\r\n" + folder + "prog.exe\r\n");
  EXPECT_EQ(dialog->GetFileName(), folder + "prog.exe");
}

TEST_F(OpenDialogTest, TheChooserAnswersInPlaceOfTheFormAndWithoutASkinTheFrameworksDialog) {
  fw::testing::SetFileDialogService(std::move(chooser));
  auto* script = dynamic_cast<fw::testing::TScriptedFileDialogs*>(&fw::FileDialogService());
  ASSERT_NE(script, nullptr);
  dialog->SetFilter("Programs (*.exe)|*.exe");
  for (bool skinned : {true, false}) {
    manager->SetActive(skinned);
    script->FileSets = {{folder + "prog.exe"}};
    EXPECT_TRUE(Run([](skin::TkOpenDialogForm&) {}));
    EXPECT_EQ(dialog->GetFileName(), folder + "prog.exe");
    EXPECT_EQ(script->Opens.back().Filter, "Programs (*.exe)|*.exe");
  }
  EXPECT_EQ(shown, 0) << "no form shown";
  chooser = fw::testing::SetFileDialogService(nullptr);
}

}  // namespace
