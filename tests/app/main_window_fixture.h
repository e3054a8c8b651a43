// The main window built in-process on a fresh program folder inside the test's sandbox folder,
// with scripted dialogs and a pump for the message loop.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/main/main_form.h"
#include "framework/forms/application.h"
#include "framework/forms/dialog_service.h"
#include "framework/rtl/file_utils.h"
#include "framework/rtl/seams.h"
#include "services/search/search_files.h"
#include "skin/controls/path_dialog.h"
#include "support/sandbox.h"

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = testing_sandbox::TestFolder();
    appDir = folder + "app\\";
    fw::CreateDir(appDir);
    fw::testing::SetProgramFolder(appDir);
    // Test programs are console programs; the window's searches must still let messages through.
    svc::SetIsConsole(false);
    fw::StartupForms();
    auto dialogs = std::make_unique<fw::testing::TScriptedDialogs>();
    scripted = dialogs.get();
    fw::testing::SetDialogService(std::move(dialogs));
  }
  void TearDown() override {
    fw::ShutdownForms();
    EXPECT_EQ(app::frmMain, nullptr);
    fw::testing::SetDialogService(nullptr);
    fw::testing::SetProgramFolder("");
    skin::testing::SetFolderChooser({});
    svc::SetIsConsole(true);
  }
  // Creates and shows the main window the way the program's entry does.
  app::TfrmMain* Start() {
    fw::Application->CreateForm(app::frmMain);
    app::frmMain->Show();
    Pump();
    return app::frmMain;
  }
  void Pump() {
    for (int i = 0; i < 5; ++i) {
      fw::Application->ProcessMessages();
      Sleep(5);
    }
  }
  std::string folder;
  std::string appDir;
  fw::testing::TScriptedDialogs* scripted = nullptr;
};
