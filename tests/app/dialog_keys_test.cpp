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
#include "app/main/cleaners_frame.h"
#include "app/tools/drive_cleaner.h"
#include "app/tools/duplicate_finder.h"
#include "framework/dialogs/file_dialog_service.h"
#include "framework/forms/dialog_service.h"
#include "main_window_fixture.h"
#include "skin/controls/message_dialogs.h"
#include "skin/controls/path_dialog_form.h"
#include "support/real_input.h"

using app::frmMain;
using testing_input::MiddleOf;
using testing_input::SendClick;
using testing_input::SendKeys;

namespace {

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

// At start-up the Drive cleaner's Add has the focus. A click on the Other clean tile hides it:
// Space then opens no folder picker, and Tab lands on a control of the Other clean.
TEST_F(DialogKeysTest, AfterATileClickSpaceReachesNoHiddenButtonAndTabStartsInTheShownTool) {
  Start();
  SetForegroundWindow(frmMain->GetHandle());
  Pump();
  ASSERT_EQ(GetFocus(), frmMain->DriveCleaner().btnDCAddPath->GetHandle());
  ClickOn(frmMain->frmCleaners1->kSpeedButton2);
  ASSERT_TRUE(frmMain->pnlOC->GetVisible());
  ExpectFocusOnScreen();
  SendKeys({VK_SPACE});
  PumpFor(300);
  EXPECT_EQ(scriptedFiles->Browses.size(), 0u) << "Space pressed the hidden Add";
  SendKeys({VK_TAB});
  PumpFor(300);
  EXPECT_TRUE(IsChild(frmMain->pnlOC->GetHandle(), GetFocus())) << "Tab did not start in the Other clean";
  ExpectFocusOnScreen();
}

// A tab clicked on the Duplicate finder hides the page whose Add had the focus: Space then
// opens no folder picker, and the focus is on the page control the user clicked.
TEST_F(DialogKeysTest, AClickedTabTakesTheFocusFromItsHiddenPage) {
  Start();
  ClickOn(frmMain->frmCleaners1->kSpeedButton3);
  app::TDuplicateFinder& finder = frmMain->DuplicateFinder();
  ASSERT_TRUE(frmMain->pnlDF->GetVisible());
  ASSERT_EQ(finder.kPageControl1->GetActivePage(), finder.tsDFPath);
  finder.kBitBtn9->SetFocus();
  Pump();
  ASSERT_EQ(GetFocus(), finder.kBitBtn9->GetHandle());

  const fw::TRect tab = finder.kPageControl1->TabRect(finder.tsDFGroup->GetTabIndex());
  POINT at{(tab.Left + tab.Right) / 2, (tab.Top + tab.Bottom) / 2};
  ClientToScreen(finder.kPageControl1->GetHandle(), &at);
  SetCursorPos(at.x, at.y);
  Pump();
  SendClick();
  PumpFor(300);
  ASSERT_EQ(finder.kPageControl1->GetActivePage(), finder.tsDFGroup);
  ExpectFocusOnScreen();
  EXPECT_FALSE(finder.tsDFPath->ContainsControl(fw::TWinControl::FindOwningControl(GetFocus())));

  EXPECT_EQ(SpacesAsked(1), std::vector<std::string>{});
  EXPECT_EQ(scriptedFiles->Browses.size(), 0u);
}

}  // namespace
