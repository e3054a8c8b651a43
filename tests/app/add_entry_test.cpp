// The Add new entry dialog, opened by the Startup manager's New button on the real main window:
// shortcuts in the two Startup folders inside the test's folder, values in the sandbox prefix's
// run keys, scripted message, file and folder dialogs.
#include <functional>
#include <memory>

#include "app/dialogs/add_entry_form.h"
#include "framework/dialogs/file_dialog_service.h"
#include "skin/controls/speed_button.h"
#include "skin/engine/skin_manager.h"
#include "startup_fixture.h"

using namespace startup_testing;

namespace {

struct TLocation {
  HKEY Hive;
  int RunKey;
};

// The run key of each registry location of the dialog, from location 2 on.
const TLocation kLocations[] = {
    {HKEY_CURRENT_USER, app::rkRun},          {HKEY_CURRENT_USER, app::rkRunOnce},
    {HKEY_CURRENT_USER, app::rkRunOnceEx},    {HKEY_CURRENT_USER, app::rkRunServices},
    {HKEY_LOCAL_MACHINE, app::rkRun},         {HKEY_LOCAL_MACHINE, app::rkRunOnce},
    {HKEY_LOCAL_MACHINE, app::rkRunOnceEx},   {HKEY_LOCAL_MACHINE, app::rkRunServices},
    {HKEY_LOCAL_MACHINE, app::rkRunServicesOnce}};

void Touch(const std::string& path) {
  fw::ForceDirectories(fw::ExtractFilePath(path));
  testing_sandbox::WriteFile(path, "x");
}

}  // namespace

class AddEntry : public StartupTest {
 protected:
  void TearDown() override {
    fw::Application->ModalHook = nullptr;
    fw::testing::SetFileDialogService(nullptr);
    StartupTest::TearDown();
  }

  // Presses New and runs body on the dialog once it is shown; answers whether the dialog closed
  // by itself (else the test closes it).
  bool WithDialog(const std::function<void(app::TfrmAddEntry&)>& body) {
    bool shown = false;
    const bool closed = WithModal<app::TfrmAddEntry>([&] { tool->newBtn->Click(); }, body, shown);
    EXPECT_TRUE(shown);
    return closed;
  }
  void Fill(app::TfrmAddEntry& dialog, const std::string& command, const std::string& name, int location,
            const std::string& parameters = "", const std::string& workingFolder = "") {
    dialog.commandEdit->SetText(command);
    dialog.nameEdit->SetText(name);
    dialog.paramEdit->SetText(parameters);
    dialog.wdEdit->SetText(workingFolder);
    dialog.locationCB->SetItemIndex(location);
    dialog.locationCBChange(dialog.locationCB);
  }
  // A real press of the button, so what it raises goes where the program's errors go.
  void Press(fw::TWinControl* button) {
    SendMessageA(button->GetHandle(), BM_CLICK, 0, 0);
    Pump();
  }
  bool Shown(const std::string& text) {
    for (const std::string& shown : scripted->Texts)
      if (shown == text) return true;
    return false;
  }
};

TEST_F(AddEntry, OpensEmptyWithTheFirstLocation) {
  WithDialog([&](app::TfrmAddEntry& dialog) {
    EXPECT_EQ(dialog.GetCaption(), "Add new entry");
    EXPECT_EQ(dialog.locationCB->GetItemIndex(), 0);
    EXPECT_EQ(dialog.locationCB->GetItems()->GetCount(), 11);
    EXPECT_EQ(dialog.locationCB->GetItems()->GetStrings(10), "Registry\\Local machine\\RunServicesOnce");
    EXPECT_EQ(dialog.commandEdit->GetText(), "");
    EXPECT_FALSE(dialog.activeCB->GetChecked());
    EXPECT_TRUE(dialog.kSpeedButton1->GetEnabled());
  });
}

TEST_F(AddEntry, ShortcutsGoIntoEitherStartupFolder) {
  std::string command = folder + "tool.exe";
  Touch(command);
  std::string workingFolder = fw::ExcludeTrailingBackslash(folder);
  for (int location : {0, 1}) {
    SCOPED_TRACE(location);
    scripted->Texts.clear();
    EXPECT_TRUE(WithDialog([&](app::TfrmAddEntry& dialog) {
      Fill(dialog, command, "Tool", location, "/min", workingFolder);
      EXPECT_TRUE(dialog.wdEdit->GetEnabled());
      EXPECT_EQ(dialog.wdEdit->GetColor(), fw::clWhite);
      Press(dialog.okBtn);
    }));
    std::string link = (location == 0 ? userStartup : commonStartup) + "\\Tool.lnk";
    ASSERT_TRUE(fw::FileExists(link));
    TLinkFields fields = ReadLink(link);
    EXPECT_EQ(fields.Target, command);
    EXPECT_EQ(fields.Arguments, "/min");
    EXPECT_EQ(fields.Folder, workingFolder);
    EXPECT_EQ(fields.Description, "Tool");
    EXPECT_TRUE(Shown("Shortcut created"));
  }
}

TEST_F(AddEntry, RegistryLocationsWriteTheQuotedCommandAndOneBlank) {
  ListSource(12);
  for (int location = 2; location <= 10; ++location) {
    SCOPED_TRACE(location);
    std::string parameters = location % 2 ? "/min" : "";
    EXPECT_TRUE(WithDialog([&](app::TfrmAddEntry& dialog) {
      Fill(dialog, "C:\\Apps\\tool.exe", Caption("loc" + std::to_string(location)), location, parameters,
           "C:\\typed before");
      EXPECT_FALSE(dialog.wdEdit->GetEnabled());
      EXPECT_FALSE(dialog.kSpeedButton2->GetEnabled());
      EXPECT_EQ(dialog.wdEdit->GetColor(), fw::clBtnFace);
      Press(dialog.okBtn);
    }));
    const TLocation& target = kLocations[location - 2];
    DWORD type = 0;
    std::string bytes;
    ASSERT_TRUE(GetValue(target.Hive, target.RunKey, Name("loc" + std::to_string(location)), type, bytes));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(bytes, Sz(app::Widen("\"C:\\Apps\\tool.exe\" " + parameters)));
  }
  EXPECT_NE(Row(Caption("loc2")), nullptr) << "the list is read again after OK";
  EXPECT_TRUE(scripted->Texts.empty());
}

TEST_F(AddEntry, AMissingCommandFileRaisesAndWritesNothing) {
  EXPECT_TRUE(WithDialog([&](app::TfrmAddEntry& dialog) {
    Fill(dialog, folder + "missing.exe", "Tool", 0);
    Press(dialog.okBtn);
  }));
  ASSERT_EQ(scripted->Exceptions.size(), 1u);
  EXPECT_NE(scripted->Exceptions[0].find("Target file does not exist"), std::string::npos);
  EXPECT_FALSE(fw::FileExists(userStartup + "\\Tool.lnk"));
}

TEST_F(AddEntry, UnsafeNamesAreRefusedAndTheDialogStaysOpen) {
  Touch(folder + "tool.exe");
  for (const char* name : {"..\\x", "a\\b", "a<>b"}) {
    SCOPED_TRACE(name);
    scripted->Texts.clear();
    EXPECT_FALSE(WithDialog([&](app::TfrmAddEntry& dialog) {
      Fill(dialog, folder + "tool.exe", name, 0);
      Press(dialog.okBtn);
      EXPECT_EQ(dialog.nameEdit->GetText(), name) << "what was typed stays";
    }));
    EXPECT_TRUE(Shown("Invalid entry name"));
  }
  EXPECT_FALSE(fw::FileExists(folder + "x.lnk"));
  EXPECT_FALSE(fw::FileExists(userStartup + "\\a\\b.lnk"));
  scripted->Texts.clear();
  EXPECT_FALSE(WithDialog([&](app::TfrmAddEntry& dialog) {
    Fill(dialog, "C:\\x.exe", Caption("a<>b"), 2);
    Press(dialog.okBtn);
  }));
  EXPECT_TRUE(Shown("Invalid entry name"));
  EXPECT_FALSE(HasValue(HKEY_CURRENT_USER, app::rkRun, Name("a<>b")));
}

TEST_F(AddEntry, TakenNamesAreRefusedAndKept) {
  Touch(folder + "tool.exe");
  Touch(folder + "other.exe");
  MakeLink(userStartup + "\\Tool.lnk", folder + "other.exe");
  SetValue(HKEY_CURRENT_USER, app::rkRun, Name("taken"), REG_SZ, Sz(L"C:\\kept.exe"));
  EXPECT_FALSE(WithDialog([&](app::TfrmAddEntry& dialog) {
    Fill(dialog, folder + "tool.exe", "Tool", 0);
    Press(dialog.okBtn);
  }));
  EXPECT_TRUE(Shown("Entry already exists"));
  EXPECT_EQ(ReadLink(userStartup + "\\Tool.lnk").Target, folder + "other.exe");
  scripted->Texts.clear();
  EXPECT_FALSE(WithDialog([&](app::TfrmAddEntry& dialog) {
    Fill(dialog, "C:\\new.exe", Caption("taken"), 2);
    Press(dialog.okBtn);
  }));
  EXPECT_TRUE(Shown("Entry already exists"));
  DWORD type = 0;
  std::string bytes;
  ASSERT_TRUE(GetValue(HKEY_CURRENT_USER, app::rkRun, Name("taken"), type, bytes));
  EXPECT_EQ(bytes, Sz(L"C:\\kept.exe"));
}

TEST_F(AddEntry, AFailingRegistryWriteIsReported) {
  for (app::TRunKeyStep step : {app::rsOpenForWrite, app::rsWriteValue}) {
    SCOPED_TRACE(step);
    scripted->Texts.clear();
    app::testing::SetRunKeyFault([step](app::TRunKeyStep s, const std::string&, const std::wstring&) {
      return s == step ? ERROR_ACCESS_DENIED : ERROR_SUCCESS;
    });
    EXPECT_TRUE(WithDialog([&](app::TfrmAddEntry& dialog) {
      Fill(dialog, "C:\\x.exe", Caption("fails"), 6);
      Press(dialog.okBtn);
    }));
    EXPECT_TRUE(Shown("Can not create entry"));
    EXPECT_FALSE(HasValue(HKEY_LOCAL_MACHINE, app::rkRun, Name("fails")));
  }
}

TEST_F(AddEntry, TheBrowseButtonsFillCommandNameAndFolder) {
  std::string program = folder + "My Tool.exe";
  Touch(program);
  auto files = std::make_unique<fw::testing::TScriptedFileDialogs>();
  files->FileSets.push_back({program});
  files->Folders.push_back(fw::ExcludeTrailingBackslash(folder));
  fw::testing::SetFileDialogService(std::move(files));
  WithDialog([&](app::TfrmAddEntry& dialog) {
    dialog.kSpeedButton1->Click();
    EXPECT_EQ(dialog.commandEdit->GetText(), program);
    EXPECT_EQ(dialog.nameEdit->GetText(), "My Tool");
    dialog.kSpeedButton2->Click();
    EXPECT_EQ(dialog.wdEdit->GetText(), fw::ExcludeTrailingBackslash(folder));
  });
}

// Under the skin the working-folder button shows the skinned picker rooted at My Computer
// without the Create button; the folder taken with OK fills the field.
TEST_F(AddEntry, TheWorkingFolderComesFromMyComputerWithoutCreate) {
  ASSERT_TRUE(skin::DefaultManager() && skin::DefaultManager()->GetActive());
  const std::string chosen = fw::ExcludeTrailingBackslash(folder);
  WithDialog([&](app::TfrmAddEntry& dialog) {
    TPickerSeen seen = PickFolder([&] { dialog.kSpeedButton2->Click(); }, chosen);
    ASSERT_TRUE(seen.Shown);
    EXPECT_EQ(seen.Root, "rfMyComputer");
    EXPECT_FALSE(seen.CreateOffered);
    EXPECT_EQ(dialog.wdEdit->GetText(), chosen);
  });
}

TEST_F(AddEntry, EscapeCancelAndEmptyFieldsWriteNothing) {
  Touch(folder + "tool.exe");
  EXPECT_TRUE(WithDialog([&](app::TfrmAddEntry& dialog) {
    Fill(dialog, folder + "tool.exe", "Tool", 0);
    dialog.nameEdit->SetFocus();
    Pump();
    PressKey(VK_ESCAPE);
  }));
  EXPECT_EQ(modalResult, fw::mrCancel);
  EXPECT_TRUE(WithDialog([&](app::TfrmAddEntry& dialog) {
    Fill(dialog, "C:\\x.exe", Caption("cancel"), 2);
    Press(dialog.cancelBtn);
  }));
  EXPECT_TRUE(WithDialog([&](app::TfrmAddEntry& dialog) {
    Fill(dialog, "  ", Caption("blank"), 2);
    Press(dialog.okBtn);
  }));
  EXPECT_TRUE(WithDialog([&](app::TfrmAddEntry& dialog) {
    Fill(dialog, folder + "tool.exe", " ", 0);
    Press(dialog.okBtn);
  }));
  EXPECT_FALSE(fw::FileExists(userStartup + "\\Tool.lnk"));
  EXPECT_FALSE(HasValue(HKEY_CURRENT_USER, app::rkRun, Name("cancel")));
  EXPECT_FALSE(HasValue(HKEY_CURRENT_USER, app::rkRun, Name("blank")));
  EXPECT_TRUE(scripted->Texts.empty());
}
