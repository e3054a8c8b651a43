// The main window built in-process on a fresh program folder inside the test's sandbox folder,
// with scripted dialogs and a pump for the message loop.
#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/main/main_form.h"
#include "framework/dialogs/file_dialog_service.h"
#include "framework/forms/application.h"
#include "framework/forms/dialog_service.h"
#include "framework/rtl/file_utils.h"
#include "framework/rtl/seams.h"
#include "services/search/search_files.h"
#include "skin/controls/bit_btn.h"
#include "skin/controls/frame_bar.h"
#include "skin/controls/message_dialogs.h"
#include "skin/controls/path_dialog_form.h"
#include "skin/controls/shell_tree_view.h"
#include "skin/engine/skin_engine.h"
#include "support/gui_test_support.h"
#include "support/real_input.h"
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

  // Lets the window's messages through until done() or about the given time; true when done.
  template <class Done>
  bool PumpUntil(Done done, DWORD milliseconds) {
    const DWORD start = GetTickCount();
    for (;;) {
      fw::Application->ProcessMessages();
      if (done()) return true;
      if (GetTickCount() - start >= milliseconds) return false;
      Sleep(5);
    }
  }
  void PumpFor(DWORD milliseconds) {
    PumpUntil([] { return false; }, milliseconds);
  }
  // A real click in the middle of control, the main window in front.
  void ClickOn(fw::TControl* control) {
    const POINT at = testing_input::MiddleOf(control);
    SetForegroundWindow(app::frmMain->GetHandle());
    SetCursorPos(at.x, at.y);
    Pump();
    testing_input::SendClick();
    PumpFor(300);
  }
  // Opens a section of the navigation bar as a user does, by a real click on its title (an
  // open section stays as it is), and lets it slide open.
  void ClickSection(int index) {
    skin::TkTitleItem* item = app::frmMain->barMenu->GetItems()->GetItems(index);
    if (item->GetFrame() && item->GetFrame()->GetVisible()) return;
    ClickOn(item->GetTitleButton());
    PumpFor(700);
    ASSERT_NE(item->GetFrame(), nullptr) << "the section did not open";
  }
  // Presses Space count times through the input queue and lets the window take the keys. Each
  // modal form they open is noted by its caption and left to the keys that follow; one that
  // is still open after a while is closed unanswered.
  std::vector<std::string> SpacesAsked(int count) {
    std::vector<std::string> asked;
    const fw::TModalHook outer = fw::Application->ModalHook;
    fw::Application->ModalHook = [&](fw::TCustomForm& form) {
      asked.push_back(form.GetCaption());
      if (!PumpUntil([&] { return form.GetModalResult() != fw::mrNone; }, 1500)) form.Close();
    };
    testing_input::SendKeys(std::vector<WORD>(count, VK_SPACE));
    PumpFor(500);
    fw::Application->ModalHook = outer;
    return asked;
  }
  // The user leaves a tool with focused holding the focus by a real click on the tile of the
  // tool shown; questions are asked through the skinned dialogs, as the program asks them.
  void LeaveByTile(fw::TWinControl* focused, fw::TControl* tile, fw::TControl* left, fw::TControl* shown) {
    fw::testing::SetDialogService(std::make_unique<skin::TkDialogService>());
    SetForegroundWindow(app::frmMain->GetHandle());
    focused->SetFocus();
    Pump();
    ASSERT_EQ(GetFocus(), focused->GetHandle());
    ClickOn(tile);
    ASSERT_TRUE(shown->GetVisible());
    ASSERT_FALSE(left->GetVisible());
    ExpectFocusOnScreen();
  }
  // The focus is on a window the user sees, enabled, of the main window.
  void ExpectFocusOnScreen() {
    const HWND focus = GetFocus(), main = app::frmMain->GetHandle();
    EXPECT_TRUE(focus == main || IsChild(main, focus)) << "the focus left the main window";
    EXPECT_TRUE(IsWindowVisible(focus)) << "the focus stays on a hidden window";
    for (HWND w = focus; w && w != main; w = GetParent(w))
      EXPECT_TRUE(IsWindowEnabled(w)) << "the focus stays on a disabled window";
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
