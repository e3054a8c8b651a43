// The main window built in-process on a fresh program folder inside the test's sandbox folder,
// with scripted dialogs and a pump for the message loop.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "app/main/main_form.h"
#include "framework/forms/application.h"
#include "framework/rtl/file_utils.h"
#include "framework/rtl/seams.h"
#include "services/search/search_files.h"
#include "support/gui_test_support.h"
#include "support/sandbox.h"

class MainWindowTest : public testing_gui::GuiTest {
 protected:
  void SetUp() override {
    folder = testing_sandbox::TestFolder();
    appDir = folder + "app\\";
    fw::CreateDir(appDir);
    fw::testing::SetProgramFolder(appDir);
    // Test programs are console programs; the window's searches must still let messages through.
    svc::testing::SetIsConsole(false);
    GuiTest::SetUp();
  }
  void TearDown() override {
    GuiTest::TearDown();
    EXPECT_EQ(app::frmMain, nullptr);
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
};
