// A dialog opened by a real click takes the keyboard at once. The click and the keys go through
// the system's input queue, the pointer stays where the click left it (on the dialog's caption,
// or on the window the dialog disabled), and the keys come from another thread once the
// dialog's own modal loop waits for them, as a hand gives them.
#include <atomic>
#include <functional>
#include <thread>
#include <vector>

#include "app/main/about_form.h"
#include "app/settings/add_mask_form.h"
#include "app/settings/settings_form.h"
#include "app/tools/drive_cleaner.h"
#include "framework/dialogs/file_dialog_service.h"
#include "framework/forms/dialog_service.h"
#include "main_window_fixture.h"
#include "skin/controls/message_dialogs.h"
#include "skin/controls/path_dialog_form.h"

using app::frmMain;

namespace {

// Each key pressed and released through the input queue, in order.
void SendKeys(const std::vector<WORD>& keys) {
  std::vector<INPUT> inputs;
  for (WORD key : keys)
    for (DWORD flags : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}}) {
      INPUT input{};
      input.type = INPUT_KEYBOARD;
      input.ki.wVk = key;
      input.ki.dwFlags = flags;
      inputs.push_back(input);
    }
  EXPECT_EQ(SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)), inputs.size());
}

// A left click through the input queue, at the pointer.
void SendClick() {
  INPUT inputs[2] = {};
  inputs[0].type = inputs[1].type = INPUT_MOUSE;
  inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  EXPECT_EQ(SendInput(2, inputs, sizeof(INPUT)), 2u);
}

// The screen point at the middle of a control, windowless or not.
POINT MiddleOf(fw::TControl* control) {
  auto* windowed = dynamic_cast<fw::TWinControl*>(control);
  HWND wnd = windowed ? windowed->GetHandle() : control->GetParent()->GetHandle();
  POINT at{control->GetWidth() / 2 + (windowed ? 0 : control->GetLeft()),
           control->GetHeight() / 2 + (windowed ? 0 : control->GetTop())};
  ClientToScreen(wnd, &at);
  return at;
}

// How long the dialog is left alone before the keys come, how long it may take to answer them,
// and how long the test waits before it closes a dialog that never did.
constexpr DWORD kSettle = 500;
constexpr DWORD kPromptly = 2000;
constexpr DWORD kGiveUp = 5000;

class DialogKeysTest : public MainWindowTest {
 protected:
  // Puts the pointer on control and clicks it through the input queue. When the modal form of
  // type T shows, the keys follow from another thread while the form's own loop runs: they
  // must close the form, promptly. atClose sees the form as it closes.
  template <class T>
  void ClickThenKeys(fw::TControl* control, const std::vector<WORD>& keys,
                     const std::function<void(T&)>& atClose = nullptr) {
    POINT at = MiddleOf(control);
    SetForegroundWindow(GetAncestor(control->GetParent()->GetHandle(), GA_ROOT));
    SetCursorPos(at.x, at.y);
    Pump();
    bool shown = false;
    DWORD sent = 0;
    DWORD closed = 0;
    std::atomic<bool> gaveUp{false};
    HANDLE closing = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::thread typist;
    fw::TModalHook outer = fw::Application->ModalHook;
    fw::Application->ModalHook = [&](fw::TCustomForm& form) {
      auto* dialog = dynamic_cast<T*>(&form);
      if (!dialog || shown) return;
      shown = true;
      dialog->OnClose = [&, dialog, previous = dialog->OnClose](fw::TObject* sender, fw::TCloseAction& action) {
        closed = GetTickCount();
        SetEvent(closing);
        if (atClose && !gaveUp) atClose(*dialog);
        if (previous) previous(sender, action);
      };
      // The typist also closes a dialog that never hears its keys, through a message in its
      // queue (a timer of the dialog's own thread could starve as the keys do).
      typist = std::thread([&, keys, wnd = dialog->GetHandle()] {
        Sleep(kSettle);
        sent = GetTickCount();
        SendKeys(keys);
        if (WaitForSingleObject(closing, kGiveUp) == WAIT_OBJECT_0) return;
        gaveUp = true;
        PostMessageA(wnd, WM_CLOSE, 0, 0);
      });
    };
    SendClick();
    Pump();
    fw::Application->ModalHook = outer;
    SetEvent(closing);
    if (typist.joinable()) typist.join();
    CloseHandle(closing);
    POINT now{};
    GetCursorPos(&now);
    EXPECT_TRUE(now.x == at.x && now.y == at.y) << "the pointer moved";
    ASSERT_TRUE(shown) << "the click opened no " << typeid(T).name();
    ASSERT_FALSE(gaveUp) << "the keys never reached the dialog";
    EXPECT_LT(closed - sent, kPromptly) << "the keys reached the dialog only after " << closed - sent << " ms";
  }

  // Runs body while the Settings window is shown, then closes it.
  void WithSettings(const std::function<void(app::TfrmSettings&)>& body) {
    bool shown = false;
    fw::Application->ModalHook = [&](fw::TCustomForm& form) {
      auto* settings = dynamic_cast<app::TfrmSettings*>(&form);
      if (!settings || shown) return;
      shown = true;
      body(*settings);
      settings->Close();
    };
    frmMain->btnSettingsClick(frmMain);
    fw::Application->ModalHook = nullptr;
    EXPECT_TRUE(shown);
  }
};

// The pointer stays on the Settings button, under the Settings window's caption.
TEST_F(DialogKeysTest, SettingsClosesOnEscape) {
  Start();
  ClickThenKeys<app::TfrmSettings>(frmMain->btnSettings, {VK_ESCAPE});
}

// The pointer stays on the About button, over the main window the About box disabled.
TEST_F(DialogKeysTest, AboutClosesOnEscape) {
  Start();
  ClickThenKeys<app::TfrmAbout1>(frmMain->btnAbout, {VK_ESCAPE});
}

// Letters, Tab and Enter in the mask dialog that the Wildcards page's Add button opens.
TEST_F(DialogKeysTest, MaskDialogTakesLettersTabAndEnter) {
  Start();
  WithSettings([&](app::TfrmSettings& settings) {
    ClickThenKeys<app::TfrmAddMask>(settings.addWC, {'A', 'B', VK_TAB, 'C', VK_RETURN}, [](app::TfrmAddMask& dialog) {
      EXPECT_EQ(dialog.kEdit1->GetText(), "ab");
      EXPECT_EQ(dialog.kEdit2->GetText(), "c");
      EXPECT_EQ(dialog.GetModalResult(), fw::mrOk);
    });
    EXPECT_EQ(settings.maskText, "ab");
    EXPECT_EQ(settings.maskDescription, "c");
  });
}

// Enter answers the skinned question that Delete asks.
TEST_F(DialogKeysTest, DeleteQuestionTakesEnter) {
  fw::testing::SetDialogService(std::make_unique<skin::TkDialogService>());
  Start();
  WithSettings([&](app::TfrmSettings& settings) {
    fw::TListItems* rows = settings.kListView1->GetItems();
    int count = rows->GetCount();
    rows->GetItem(0)->SetSelected(true);
    ClickThenKeys<skin::TkMessageForm>(settings.delWC, {VK_RETURN}, [](skin::TkMessageForm& question) {
      EXPECT_EQ(question.GetModalResult(), fw::mrOk);
    });
    EXPECT_EQ(rows->GetCount(), count - 1);
  });
}

// Escape cancels the folder picker that the Drive cleaner's Add button opens.
TEST_F(DialogKeysTest, FolderPickerClosesOnEscape) {
  auto script = fw::testing::SetFileDialogService(nullptr);
  Start();
  int count = frmMain->DriveCleaner().lvDCDrive->GetItems()->GetCount();
  ClickThenKeys<skin::TPathDialogForm>(frmMain->DriveCleaner().btnDCAddPath, {VK_ESCAPE});
  EXPECT_EQ(frmMain->DriveCleaner().lvDCDrive->GetItems()->GetCount(), count);
}

}  // namespace
