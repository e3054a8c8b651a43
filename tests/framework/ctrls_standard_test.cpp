// Standard controls on real windows: speed-button groups, status-bar panels, the tab order
// across a form with several kinds of controls, check box / radio button / combo box events,
// and the dialogs reached through the dialog seams.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/buttons/bit_btn.h"
#include "framework/buttons/speed_button.h"
#include "framework/comctrls/animate.h"
#include "framework/comctrls/date_time_picker.h"
#include "framework/comctrls/status_bar.h"
#include "framework/dialogs/file_dialog_service.h"
#include "framework/forms/dialog_service.h"
#include "framework/dialogs/open_dialog.h"
#include "framework/dialogs/select_directory.h"
#include "framework/extctrls/custom_panel.h"
#include "framework/forms/application.h"
#include "framework/forms/custom_form.h"
#include "framework/stdctrls/button.h"
#include "framework/stdctrls/check_box.h"
#include "framework/stdctrls/custom_combo_box.h"
#include "framework/stdctrls/custom_edit.h"
#include "framework/stdctrls/custom_group_box.h"
#include "framework/stdctrls/custom_label.h"
#include "framework/stdctrls/radio_button.h"
#include "skin/controls/path_dialog.h"
#include "support/gui_test_support.h"
#include "support/sandbox.h"

using namespace fw;

namespace {

class CtrlsStandard : public testing_gui::GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    form = New<TForm>(Application);
    form->SetBounds(40, 40, 420, 320);
  }
  template <class T>
  T* Add(TWinControl* parent, int left, int top, int width, int height) {
    T* c = New<T>(form);
    c->SetParent(parent);
    c->SetBounds(left, top, width, height);
    return c;
  }
  void ShowForm() {
    form->Show();
    Application->ProcessMessages();
  }
  void Click(TControl* c) {
    TWinControl* parent = c->GetParent();
    LPARAM at = PointToLParam(c->GetLeft() + 3, c->GetTop() + 3);
    SendMessageA(parent->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(parent->GetHandle(), WM_LBUTTONUP, 0, at);
  }

  TForm* form = nullptr;
};

}  // namespace

TEST_F(CtrlsStandard, SpeedButtonsOfAGroupAreExclusiveAndAllowAllUpLetsTheLastOneRise) {
  TPanel* bar = Add<TPanel>(form, 0, 0, 300, 30);
  std::vector<TSpeedButton*> group;
  for (int i = 0; i < 3; ++i) {
    group.push_back(Add<TSpeedButton>(bar, 2 + i * 25, 2, 23, 22));
    group.back()->SetGroupIndex(1);
  }
  TSpeedButton* other = Add<TSpeedButton>(bar, 100, 2, 23, 22);
  other->SetGroupIndex(2);
  other->SetDown(true);
  TSpeedButton* plain = Add<TSpeedButton>(bar, 130, 2, 23, 22);
  int clicks = 0;
  group[1]->OnClick = [&](TObject*) { ++clicks; };
  ShowForm();

  Click(group[0]);
  EXPECT_TRUE(group[0]->GetDown());
  Click(group[1]);
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(group[0]->GetDown());
  EXPECT_TRUE(group[1]->GetDown());
  EXPECT_TRUE(other->GetDown()) << "another group is left alone";
  Click(group[1]);  // the down button of a group without AllowAllUp stays down
  EXPECT_TRUE(group[1]->GetDown());
  EXPECT_EQ(clicks, 2);
  group[1]->SetDown(false);
  EXPECT_TRUE(group[1]->GetDown());

  group[2]->SetAllowAllUp(true);  // shared by the whole group
  EXPECT_TRUE(group[0]->GetAllowAllUp());
  Click(group[1]);
  EXPECT_FALSE(group[1]->GetDown());
  for (TSpeedButton* b : group) EXPECT_FALSE(b->GetDown());

  Click(plain);  // no group: never stays down
  plain->SetDown(true);
  EXPECT_FALSE(plain->GetDown());
  // A press released outside the button neither clicks nor toggles.
  SendMessageA(bar->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(group[1]->GetLeft() + 3, 5));
  SendMessageA(bar->GetHandle(), WM_LBUTTONUP, 0, PointToLParam(250, 25));
  EXPECT_FALSE(group[1]->GetDown());
  EXPECT_EQ(clicks, 3);
}

TEST_F(CtrlsStandard, StatusBarPanelsReachTheWindowAndHostAChild) {
  TStatusBar* bar = Add<TStatusBar>(form, 0, 0, 400, 19);
  bar->GetPanels()->Add()->SetWidth(120);
  bar->GetPanels()->Add()->SetWidth(80);
  bar->GetPanels()->Add();
  bar->GetPanels()->GetItems(0)->SetText("before the window");
  TAnimate* anim = Add<TAnimate>(bar, 300, 2, 16, 16);
  anim->SetCommonAVI(aviFindFile);
  anim->SetActive(true);  // a clip that does not open is tolerated
  ShowForm();
  HWND wnd = bar->GetHandle();
  auto text = [&](int i) {
    char buffer[256] = "";
    SendMessageA(wnd, SB_GETTEXTA, i, reinterpret_cast<LPARAM>(buffer));
    return std::string(buffer);
  };
  EXPECT_EQ(SendMessageA(wnd, SB_GETPARTS, 0, 0), 3);
  int edges[3] = {};
  SendMessageA(wnd, SB_GETPARTS, 3, reinterpret_cast<LPARAM>(edges));
  EXPECT_EQ(edges[0], 120);
  EXPECT_EQ(edges[1], 200);
  EXPECT_EQ(text(0), "before the window");
  bar->GetPanels()->GetItems(1)->SetText("12 files");
  bar->GetPanels()->GetItems(2)->SetText("done");
  EXPECT_EQ(text(1), "12 files");
  EXPECT_EQ(text(2), "done");
  bar->GetPanels()->GetItems(2)->SetAlignment(taRightJustify);
  EXPECT_EQ(text(2), "\t\tdone");
  bar->SetSimplePanel(true);
  bar->SetSimpleText("simple");
  EXPECT_NE(SendMessageA(wnd, SB_ISSIMPLE, 0, 0), 0);
  bar->SetSimplePanel(false);
  EXPECT_EQ(text(1), "12 files");
  EXPECT_EQ(GetParent(anim->GetHandle()), wnd);
  EXPECT_TRUE(GetWindowLongA(wnd, GWL_STYLE) & WS_CLIPCHILDREN);
  EXPECT_TRUE(GetWindowLongA(anim->GetHandle(), GWL_STYLE) & WS_CLIPSIBLINGS);
  EXPECT_EQ(bar->GetAlign(), alBottom);
  EXPECT_EQ(bar->GetTop() + bar->GetHeight(), form->GetClientHeight());
}

TEST_F(CtrlsStandard, ATransparentAnimationShowsItsColourAfterAChange) {
  // The clip, once played, is drawn over the brush its parent gave it (smaller than the clip, the
  // control shows nothing else): a colour change must reach that brush too.
  form->SetColor(0x204060);
  TAnimate* anim = Add<TAnimate>(form, 20, 20, 60, 20);
  anim->SetCommonAVI(aviFindFile);
  ShowForm();
  if (!anim->GetOpen()) GTEST_SKIP() << "the system has no find-file clip";
  auto corner = [&] {
    for (int i = 0; i < 5; ++i) {
      Sleep(20);
      Application->ProcessMessages();
    }
    anim->Repaint();
    GdiFlush();
    POINT p{0, 0};
    ClientToScreen(anim->GetHandle(), &p);
    HDC screen = GetDC(nullptr);
    const COLORREF c = GetPixel(screen, p.x, p.y);
    ReleaseDC(nullptr, screen);
    return static_cast<TColor>(c);
  };
  anim->SetActive(true);
  EXPECT_EQ(corner(), 0x204060);
  anim->SetActive(false);
  form->SetColor(0x604020);
  EXPECT_EQ(anim->GetColor(), 0x604020);
  EXPECT_EQ(corner(), 0x604020);
  anim->SetActive(true);
  EXPECT_EQ(corner(), 0x604020);
}

TEST_F(CtrlsStandard, ADatePickerOnADarkParentKeepsTheWindowBackground) {
  // The picker writes its text in the window's text colour; on its parent's dark face the date
  // could not be read.
  TCustomPanel* panel = Add<TCustomPanel>(form, 10, 10, 300, 100);
  panel->SetColor(0x302820);
  TDateTimePicker* date = Add<TDateTimePicker>(panel, 10, 10, 180, 21);
  date->SetDateTime(EncodeDate(2026, 12, 6));
  ShowForm();
  EXPECT_EQ(date->GetColor(), clWindow);
  date->Repaint();
  GdiFlush();
  POINT p{date->GetClientWidth() - 30, date->GetClientHeight() / 2};
  ClientToScreen(date->GetHandle(), &p);
  HDC screen = GetDC(nullptr);
  const COLORREF background = GetPixel(screen, p.x, p.y);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(background, GetSysColor(COLOR_WINDOW));
}

TEST_F(CtrlsStandard, TabWalksThroughSeveralKindsOfControlsInTabOrder) {
  TGroupBox* box = Add<TGroupBox>(form, 8, 8, 200, 120);
  TEdit* edit = Add<TEdit>(box, 8, 20, 120, 21);
  TCheckBox* check = Add<TCheckBox>(box, 8, 50, 120, 17);
  TComboBox* combo = Add<TComboBox>(form, 220, 8, 120, 21);
  TButton* ok = Add<TButton>(form, 220, 100, 75, 25);
  TBitBtn* bit = Add<TBitBtn>(form, 300, 100, 75, 25);
  TLabel* label = Add<TLabel>(form, 220, 40, 60, 13);
  label->SetCaption("&Name:");
  label->SetFocusControl(edit);
  combo->SetTabOrder(0);  // the combo goes first, then the group box's children
  ShowForm();
  combo->SetFocus();
  Application->ProcessMessages();
  std::vector<HWND> seen;
  for (int i = 0; i < 5; ++i) {
    HWND focus = GetFocus();
    PostMessageA(focus, WM_KEYDOWN, VK_TAB, 1);
    PostMessageA(focus, WM_KEYUP, VK_TAB, static_cast<LPARAM>(0xC0000001u));
    Application->ProcessMessages();
    seen.push_back(GetFocus());
  }
  // A combo box's focus sits in its edit child.
  auto owner = [](HWND w) { return TWinControl::FindOwningControl(w); };
  std::vector<TWinControl*> order;
  for (HWND w : seen) order.push_back(owner(w));
  EXPECT_EQ(order, (std::vector<TWinControl*>{edit, check, ok, bit, combo}));
  // The label's accelerator moves the focus to its FocusControl.
  ok->SetFocus();
  EXPECT_EQ(form->Perform(CM_DIALOGCHAR, 'n', 0), 1);
  EXPECT_EQ(GetFocus(), edit->GetHandle());
}

TEST_F(CtrlsStandard, ButtonsSetStateBeforeTheMessageAndFireTheirEvents) {
  TCheckBox* check = Add<TCheckBox>(form, 8, 8, 120, 17);
  TRadioButton* r1 = Add<TRadioButton>(form, 8, 30, 120, 17);
  TRadioButton* r2 = Add<TRadioButton>(form, 8, 50, 120, 17);
  TComboBox* combo = Add<TComboBox>(form, 8, 80, 120, 21);
  combo->SetStyle(csDropDownList);
  combo->GetItems()->Add("one");
  combo->GetItems()->Add("two");
  TButton* ok = Add<TButton>(form, 8, 120, 75, 25);
  ok->SetModalResult(mrOk);
  std::vector<std::string> log;
  // A window procedure watching BM_SETCHECK already sees the new state.
  auto old = check->GetWindowProc();
  check->SetWindowProc([&log, old, check](TMessage& m) {
    if (m.Msg == BM_SETCHECK) log.push_back("setcheck " + std::to_string(check->GetState()));
    old(m);
  });
  check->OnClick = [&](TObject*) { log.push_back("click"); };
  r2->OnClick = [&](TObject*) { log.push_back("r2"); };
  combo->OnChange = [&](TObject*) { log.push_back("combo " + combo->GetText()); };
  ok->OnClick = [&](TObject*) { log.push_back("ok mr=" + std::to_string(form->GetModalResult())); };
  ShowForm();
  log.clear();
  SendMessageA(check->GetHandle(), BM_CLICK, 0, 0);
  EXPECT_TRUE(check->GetChecked());
  EXPECT_EQ(SendMessageA(check->GetHandle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  check->SetClicksDisabled(true);
  check->SetChecked(false);
  check->SetClicksDisabled(false);
  r1->SetChecked(true);
  SendMessageA(r2->GetHandle(), BM_CLICK, 0, 0);
  EXPECT_FALSE(r1->GetChecked());
  EXPECT_TRUE(r2->GetChecked());
  combo->SetItemIndex(1);
  EXPECT_EQ(combo->GetText(), "two");
  SendMessageA(combo->GetHandle(), CB_SETCURSEL, 0, 0);
  SendMessageA(form->GetHandle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo->GetHandle()), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(combo->GetHandle()));
  SendMessageA(ok->GetHandle(), BM_CLICK, 0, 0);
  EXPECT_EQ(log, (std::vector<std::string>{"setcheck 1", "click", "setcheck 0", "r2", "combo one", "ok mr=1"}));
  // Items survive a new window.
  combo->SetStyle(csDropDown);
  EXPECT_EQ(SendMessageA(combo->GetHandle(), CB_GETCOUNT, 0, 0), 2);
  EXPECT_EQ(combo->GetItemIndex(), 0);
}

TEST_F(CtrlsStandard, EveryDialogKindIsAnsweredThroughItsSeam) {
  scripted->Answers = {mrYes, mrCancel};
  scripted->Inputs = {"typed"};
  TDialogService& dialogs = DialogService();
  EXPECT_EQ(dialogs.MessageDlg("Delete 3 files?", mtConfirmation, TMsgDlgButtons{mbYes, mbNo}, 0), mrYes);
  EXPECT_EQ(dialogs.MessageDlg("Stop?", mtWarning, TMsgDlgButtons{mbOK, mbCancel}, 0), mrCancel);
  dialogs.ShowMessage("Done.");
  std::string value = "old";
  EXPECT_TRUE(dialogs.InputQuery("Group", "Name:", value));
  EXPECT_EQ(value, "typed");
  EXPECT_FALSE(dialogs.InputQuery("Group", "Name:", value)) << "no answer left: cancelled";
  EXPECT_EQ(value, "typed");
  EXPECT_EQ(scripted->Texts, (std::vector<std::string>{"Delete 3 files?", "Stop?", "Done.", "Name:", "Name:"}));

  fw::testing::TScriptedFileDialogs* fileScript = scriptedFiles;
  fileScript->Folders = {"C:\\sandbox\\x"};
  std::string dir = "C:\\start";
  EXPECT_TRUE(SelectDirectory("Pick a folder", "", dir, BIF_RETURNONLYFSDIRS | BIF_BROWSEINCLUDEFILES));
  EXPECT_EQ(dir, "C:\\sandbox\\x");
  EXPECT_FALSE(SelectDirectory("Again", "", dir));
  EXPECT_EQ(dir, "C:\\sandbox\\x") << "cancel keeps the folder";
  ASSERT_EQ(fileScript->Browses.size(), 2u);
  EXPECT_EQ(fileScript->Browses[0].Directory, "C:\\start");
  EXPECT_TRUE(fileScript->Browses[0].Flags & BIF_BROWSEINCLUDEFILES);

  TOpenDialog* open = New<TOpenDialog>(form);
  open->SetFilter("Text|*.txt|All|*.*");
  open->SetOptions(TOpenOptions{ofAllowMultiSelect, ofFileMustExist});
  fileScript->FileSets = {{"C:\\sandbox\\a.txt", "C:\\sandbox\\b.txt"}};
  ASSERT_TRUE(open->Execute());
  EXPECT_EQ(open->GetFileName(), "C:\\sandbox\\a.txt");
  EXPECT_EQ(open->GetFiles()->GetCount(), 2);
  EXPECT_TRUE(fileScript->Opens[0].Flags & OFN_ALLOWMULTISELECT);
  EXPECT_FALSE(open->Execute());
  EXPECT_EQ(FilterToNative("Text|*.txt"), std::string("Text\0*.txt\0\0", 12));
  const char multi[] = "C:\\dir\0a.txt\0b.txt\0";
  EXPECT_EQ(ParseOpenFileNames(multi), (std::vector<std::string>{"C:\\dir\\a.txt", "C:\\dir\\b.txt"}));
  const char single[] = "C:\\dir\\one.txt\0";
  EXPECT_EQ(ParseOpenFileNames(single), (std::vector<std::string>{"C:\\dir\\one.txt"}));
}

// Without a skin the path dialog asks the folder browser, its root name passed as the root and an
// existing start folder as the start.
TEST_F(CtrlsStandard, ThePathDialogTakesAnExistingFolderFromTheFolderBrowser) {
  std::string folder = testing_sandbox::TestFolder();
  CreateDirectoryA((folder + "chosen").c_str(), nullptr);
  CreateDirectoryA((folder + "start").c_str(), nullptr);
  auto* dialog = New<skin::TkPathDialog>(form);
  dialog->SetCaption("Add a folder");
  dialog->SetRoot("rfMyComputer");
  dialog->SetNoChangeDir(true);
  dialog->SetPath(folder + "start");
  scriptedFiles->Folders = {folder + "chosen\\", "C:\\", folder + "missing"};
  ASSERT_TRUE(dialog->Execute());
  EXPECT_EQ(dialog->GetPath(), folder + "chosen") << "no trailing backslash";
  ASSERT_EQ(scriptedFiles->Browses.size(), 1u);
  EXPECT_EQ(scriptedFiles->Browses[0].Caption, "Add a folder");
  EXPECT_EQ(scriptedFiles->Browses[0].Directory, folder + "start");
  EXPECT_EQ(scriptedFiles->Browses[0].Root, "rfMyComputer");
  EXPECT_TRUE(scriptedFiles->Browses[0].Flags & BIF_NEWDIALOGSTYLE);
  ASSERT_TRUE(dialog->Execute());
  EXPECT_EQ(dialog->GetPath(), "C:\\") << "a drive root keeps its backslash";
  EXPECT_EQ(scriptedFiles->Browses[1].Directory, folder + "chosen") << "the last folder chosen";
  EXPECT_TRUE(dialog->Execute()) << "confirmed, but the folder does not exist";
  EXPECT_EQ(dialog->GetPath(), "C:\\") << "a missing folder is not taken";
  EXPECT_EQ(scriptedFiles->Browses[2].Directory, "C:\\");
  dialog->SetPath(".");
  EXPECT_FALSE(dialog->Execute()) << "cancelled";
  EXPECT_EQ(scriptedFiles->Browses[3].Directory, "") << "\".\" starts nowhere";
  EXPECT_EQ(dialog->GetPath(), ".");
}
