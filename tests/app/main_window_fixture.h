// The main window built in-process on a fresh program folder inside the test's sandbox folder,
// with scripted dialogs and a pump for the message loop.
#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "app/main/main_form.h"
#include "framework/dialogs/file_dialog_service.h"
#include "framework/forms/application.h"
#include "framework/rtl/file_utils.h"
#include "framework/rtl/seams.h"
#include "services/search/search_files.h"
#include "skin/controls/bit_btn.h"
#include "skin/controls/path_dialog_form.h"
#include "skin/controls/shell_tree_view.h"
#include "skin/engine/skin_engine.h"
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
  // Runs open, which shows a modal form, and body on the form of type T once it is shown;
  // answers whether the form closed by itself (else it is closed afterwards). shown tells
  // whether it appeared at all, modalResult what the body closed it with.
  template <class T>
  bool WithModal(const std::function<void()>& open, const std::function<void(T&)>& body, bool& shown) {
    bool closed = false;
    shown = false;
    modalResult = fw::mrNone;
    fw::Application->ModalHook = [&](fw::TCustomForm& form) {
      auto* dialog = dynamic_cast<T*>(&form);
      if (!dialog) return;
      shown = true;
      body(*dialog);
      Pump();
      modalResult = dialog->GetModalResult();
      closed = modalResult != fw::mrNone;
      if (!closed) dialog->Close();
    };
    open();
    fw::Application->ModalHook = nullptr;
    return closed;
  }

  // What a tool's folder dialog showed when PickFolder answered it.
  struct TPickerSeen {
    bool Shown = false;
    std::string Root;
    bool CreateOffered = false;
  };
  // Runs open, which executes a tool's folder dialog, with the file dialog script set aside, so
  // that under a skin the skinned picker itself shows; picks path in its tree and presses OK.
  // The modal hook in place before is put back afterwards (open may run inside another dialog).
  TPickerSeen PickFolder(const std::function<void()>& open, const std::string& path) {
    TPickerSeen seen;
    auto script = fw::testing::SetFileDialogService(nullptr);
    auto outer = fw::Application->ModalHook;
    fw::Application->ModalHook = [&](fw::TCustomForm& form) {
      auto* picker = dynamic_cast<skin::TPathDialogForm*>(&form);
      if (!picker) return;
      seen.Shown = true;
      seen.Root = picker->kShellTreeView1->GetRoot();
      seen.CreateOffered = picker->kBitBtn3->GetVisible();
      picker->kShellTreeView1->SetPath(path);
      picker->kBitBtn1->Click();
      if (picker->GetModalResult() == fw::mrNone) picker->SetModalResult(fw::mrCancel);
    };
    open();
    fw::Application->ModalHook = outer;
    fw::testing::SetFileDialogService(std::move(script));
    return seen;
  }

  // A key pressed and released on the window that has the focus, through the message loop (the
  // translated character follows).
  void PressKey(WORD key) {
    HWND focus = GetFocus();
    ASSERT_NE(focus, nullptr);
    PostMessageA(focus, WM_KEYDOWN, key, 1);
    PostMessageA(focus, WM_KEYUP, key, 0xC0000001);
    Pump();
  }

  std::string folder;
  std::string appDir;
  fw::TModalResult modalResult = fw::mrNone;
};

// The main window with the skin engine running, as the program starts it.
class SkinnedMainWindowFixture : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    skin::StartSkinEngine();
  }
  void TearDown() override {
    MainWindowTest::TearDown();
    skin::StopSkinEngine();
  }
};
