// The dialogs a tool opens, answered on screen, with the control test skin active and with no
// skin: the Duplicate finder's Add path (the folder dialog), the Add wildcard of its group dialog
// (the input box) and its Delete confirmations (the message dialog). The message and input
// dialogs are the program's own service in both cases, the skin's colours on their buttons only
// while a skin is active; the folder dialog is the skinned picker under a skin and the shell's
// folder browser without one. Each answer is checked where the tool keeps it: the path list, the
// group file and list, the files on disk.
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/dialogs/file_group_form.h"
#include "app/shared/config_files.h"
#include "app/tools/duplicate_finder.h"
#include "framework/classes/ini_file.h"
#include "framework/dialogs/file_dialog_service.h"
#include "framework/stdctrls/button.h"
#include "framework/stdctrls/custom_edit.h"
#include "main_window_fixture.h"
#include "skin/controls/bit_btn.h"
#include "skin/controls/check_list_box.h"
#include "skin/controls/label.h"
#include "skin/controls/message_dialogs.h"
#include "skin/controls/path_dialog_form.h"
#include "skin/controls/shell_tree_view.h"
#include "skin/controls/speed_button.h"
#include "skin/engine/skin_engine.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/stored_skins.h"
#include "support/browse_dialog_driver.h"
#include "support/control_skin.h"

using app::frmMain;

namespace {

// The program's dialog service, with an exception that reaches it noted as a failure.
class TTestedService : public skin::TkDialogService {
 public:
  void ShowException(const std::string& text, const std::string&) override { ADD_FAILURE() << text; }
};

// Answers the folder browser a tool opens while no skin is active: for a path, asks the browser
// to select it until its tree shows the folder and presses OK (Cancel when it never does); for
// "", presses Cancel. Runs on a thread timer, which the browser's own message loop dispatches.
class TBrowserAnswer {
 public:
  explicit TBrowserAnswer(const std::string& path)
      : FPath(path), FName(fw::ExtractFileName(fw::ExcludeTrailingBackslash(path))) {
    testing_browse::WarmUp();
    Current() = this;
    FTimer = SetTimer(nullptr, 0, 20, &Tick);
  }
  ~TBrowserAnswer() {
    if (FTimer) KillTimer(nullptr, FTimer);
    Current() = nullptr;
  }
  TBrowserAnswer(const TBrowserAnswer&) = delete;
  TBrowserAnswer& operator=(const TBrowserAnswer&) = delete;
  // Whether a browser was shown and answered.
  bool Answered() const { return FAnswered; }

 private:
  static TBrowserAnswer*& Current() {
    static TBrowserAnswer* current = nullptr;
    return current;
  }
  struct TSearch {
    const char* ClassName;
    HWND Found;
  };
  static BOOL CALLBACK Match(HWND wnd, LPARAM data) {
    auto* search = reinterpret_cast<TSearch*>(data);
    char name[64] = "";
    GetClassNameA(wnd, name, sizeof name);
    if (!IsWindowVisible(wnd) || std::string(name) != search->ClassName) return TRUE;
    search->Found = wnd;
    return FALSE;
  }
  // The first visible window of the class: among the thread's windows, or parent's children.
  static HWND Find(HWND parent, const char* className) {
    TSearch search{className, nullptr};
    if (parent)
      EnumChildWindows(parent, &Match, reinterpret_cast<LPARAM>(&search));
    else
      EnumThreadWindows(GetCurrentThreadId(), &Match, reinterpret_cast<LPARAM>(&search));
    return search.Found;
  }
  static std::string SelectedName(HWND tree) {
    char text[MAX_PATH] = "";
    TVITEMA item{};
    item.mask = TVIF_TEXT;
    item.hItem = TreeView_GetSelection(tree);
    item.pszText = text;
    item.cchTextMax = sizeof text;
    if (!item.hItem || !SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return "";
    return text;
  }
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    TBrowserAnswer* self = Current();
    HWND dialog = self && !self->FAnswered ? Find(nullptr, "#32770") : nullptr;
    if (!dialog) return;
    int answer = 0;
    if (self->FPath.empty()) {
      answer = IDCANCEL;
    } else if (HWND tree = Find(dialog, "SysTreeView32"); tree && fw::AnsiSameText(SelectedName(tree), self->FName)) {
      answer = IDOK;
    } else if (++self->FTicks > 200) {
      answer = IDCANCEL;
    } else {
      SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(self->FPath.c_str()));
    }
    if (!answer) return;
    self->FAnswered = true;
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
  }

  std::string FPath, FName;
  UINT_PTR FTimer = 0;
  int FTicks = 0;
  bool FAnswered = false;
};

// What a modal form showed: its message (else its caption), and whether its button wore the
// skin's face.
struct TShown {
  std::string Text;
  bool Skinned = false;
};

// One answer to a modal form; it may open further forms, which take the next answers.
using TAnswer = std::function<void(fw::TCustomForm&)>;

class ToolDialogsTest : public MainWindowTest, public ::testing::WithParamInterface<bool> {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    skin::StartSkinEngine();
    tree = folder + "tree\\";
    testing_sandbox::MakeFolders(tree);
    testing_sandbox::MakeFolders(appDir + "config");
    testing_sandbox::WriteFile(appDir + "config\\dfext.ini", "[All]\r\n1=*.*\r\n");
    scriptedDialogs = fw::testing::SetDialogService(std::make_unique<TTestedService>());
    Start();
    skin::TkSkinManager* manager = frmMain->skinManager;
    if (Skinned()) {
      control_skin::AddControlSkin(*manager->GetInternalSkins(), control_skin::kFirstName, control_skin::kFirst);
      manager->SetSkinName(control_skin::kFirstName);
    } else {
      manager->SetActive(false);
    }
    // The real folder dialogs: the chooser would answer in place of both.
    chooser = fw::testing::SetFileDialogService(nullptr);
    Pump();
    tool = &frmMain->DuplicateFinder();
    tool->Show();
    fw::Application->ModalHook = [this](fw::TCustomForm& form) { Answer(form); };
  }
  void TearDown() override {
    fw::Application->ModalHook = nullptr;
    EXPECT_TRUE(answers.empty()) << answers.size() << " answers left";
    tool = nullptr;
    MainWindowTest::TearDown();
    skin::StopSkinEngine();
  }
  static bool Skinned() { return GetParam(); }

  // The next answer, for any modal form the tool shows.
  void Answer(fw::TCustomForm& form) {
    Pump();
    if (answers.empty()) {
      ADD_FAILURE() << "no answer for " << form.ClassName();
      form.SetModalResult(fw::mrCancel);
      return;
    }
    TAnswer answer = std::move(answers.front());
    answers.pop_front();
    answer(form);
  }

  static fw::TButton* ButtonOf(fw::TCustomForm& form, int modalResult) {
    for (int i = 0; i < form.GetComponentCount(); ++i)
      if (auto* button = dynamic_cast<fw::TButton*>(form.GetComponents(i)))
        if (button->GetModalResult() == modalResult) return button;
    return nullptr;
  }
  // Whether the button shows the skin's button face on the screen (normal, or hot under the mouse).
  static bool WearsSkin(fw::TWinControl& button) {
    GdiFlush();
    fw::TPoint p = button.ClientToScreen(fw::TPoint{button.GetWidth() / 2, control_skin::kBorder + 1});
    HDC screen = GetDC(nullptr);
    const auto c = static_cast<fw::TColor>(GetPixel(screen, p.X, p.Y));
    ReleaseDC(nullptr, screen);
    const control_skin::TSectionColours& face = control_skin::kFirst.Button;
    return c == face.Face[control_skin::kNormal] || c == face.Face[control_skin::kHot];
  }
  // A mouse click in the middle of the button.
  static void ClickOn(fw::TWinControl& button) {
    LPARAM at = MAKELPARAM(button.GetWidth() / 2, button.GetHeight() / 2);
    SendMessageA(button.GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(button.GetHandle(), WM_LBUTTONUP, 0, at);
  }
  // Notes the dialog and clicks its button of that result (or presses Escape, which must close
  // it with that result), after typing text into the focused edit when there is text.
  void Dialog(fw::TCustomForm& form, int modalResult, const std::string& typed = "", bool escape = false) {
    auto* dialog = dynamic_cast<skin::TkMessageForm*>(&form);
    ASSERT_NE(dialog, nullptr) << form.ClassName();
    fw::TButton* button = ButtonOf(form, modalResult);
    ASSERT_NE(button, nullptr);
    auto* message = dynamic_cast<skin::TkLabel*>(form.FindComponent("Message"));
    shown.push_back({message ? message->GetCaption() : form.GetCaption(), WearsSkin(*button)});
    for (char c : typed) SendMessageA(GetFocus(), WM_CHAR, static_cast<unsigned char>(c), 1);
    if (!escape) {
      ClickOn(*button);
      return;
    }
    PressKey(VK_ESCAPE);
    EXPECT_EQ(form.GetModalResult(), modalResult) << "Escape on " << form.GetCaption();
    if (form.GetModalResult() == fw::mrNone) ClickOn(*button);
  }
  TAnswer Press(int modalResult) {
    return [this, modalResult](fw::TCustomForm& form) { Dialog(form, modalResult); };
  }
  TAnswer Escape(int modalResult, const std::string& typed = "") {
    return [this, modalResult, typed](fw::TCustomForm& form) { Dialog(form, modalResult, typed, true); };
  }
  TAnswer Type(const std::string& text, int modalResult) {
    return [this, text, modalResult](fw::TCustomForm& form) {
      std::string preset;
      for (int i = 0; i < form.GetComponentCount(); ++i)
        if (auto* edit = dynamic_cast<fw::TCustomEdit*>(form.GetComponents(i))) preset = edit->GetText();
      presets.push_back(preset);
      Dialog(form, modalResult, text);
    };
  }
  // Clicks Add path and answers the folder dialog with the path, "" to cancel: under a skin the
  // picker's tree is sent there and OK (or Cancel) clicked; without one the folder browser is.
  void AddPath(const std::string& path) {
    if (Skinned()) {
      answers.push_back([this, path](fw::TCustomForm& form) {
        auto* picker = dynamic_cast<skin::TPathDialogForm*>(&form);
        ASSERT_NE(picker, nullptr) << form.ClassName();
        shown.push_back({form.GetCaption(), WearsSkin(*picker->kBitBtn2)});
        if (!path.empty()) picker->kShellTreeView1->SetPath(path);
        ClickOn(path.empty() ? *picker->kBitBtn2 : *picker->kBitBtn1);
      });
      tool->kBitBtn9->Click();
      return;
    }
    TBrowserAnswer browser(path);
    tool->kBitBtn9->Click();
    EXPECT_TRUE(browser.Answered()) << "the folder browser was shown";
  }
  // The texts of the forms noted since the last call, each checked to wear the skin exactly when
  // one is active.
  std::vector<std::string> TakeTexts() {
    std::vector<std::string> texts;
    for (const TShown& s : shown) {
      EXPECT_EQ(s.Skinned, Skinned()) << s.Text;
      texts.push_back(s.Text);
    }
    shown.clear();
    return texts;
  }

  std::string tree;
  app::TDuplicateFinder* tool = nullptr;
  std::deque<TAnswer> answers;
  std::vector<TShown> shown;
  std::vector<std::string> presets;  // the input boxes' texts when shown

 private:
  std::unique_ptr<fw::TDialogService> scriptedDialogs;
  std::unique_ptr<fw::TFileDialogService> chooser;
};

TEST_P(ToolDialogsTest, AddPathListsTheChosenFolderAndNothingOnCancel) {
  AddPath("");
  EXPECT_EQ(tool->lvDFPath->GetItems()->GetCount(), 0) << "cancelled";

  AddPath(tree);
  ASSERT_EQ(tool->lvDFPath->GetItems()->GetCount(), 1);
  EXPECT_EQ(tool->lvDFPath->GetItems()->GetStrings(0), folder + "tree") << "no trailing backslash";
  EXPECT_TRUE(tool->lvDFPath->GetChecked(0));

  const std::vector<std::string> pickers = {"Select directory", "Select directory"};
  EXPECT_EQ(TakeTexts(), Skinned() ? pickers : std::vector<std::string>()) << "the skinned picker only under a skin";
}

TEST_P(ToolDialogsTest, AddWildcardTakesTheTypedTextAndCancelKeepsTheGroup) {
  answers.push_back([this](fw::TCustomForm& form) {
    auto* groups = dynamic_cast<app::TfrmAddDFGroup*>(&form);
    ASSERT_NE(groups, nullptr) << form.ClassName();
    groups->kSpeedButton4->Click();
    EXPECT_EQ(groups->kListBox1->GetItems()->GetText(), "*.*\r\n") << "cancelled: nothing added";
    groups->kSpeedButton4->Click();
    EXPECT_EQ(groups->kListBox1->GetItems()->GetText(), "*.*\r\n*.txt\r\n");
    ClickOn(*groups->kBitBtn1);
  });
  answers.push_back(Type("*.log", fw::mrCancel));
  answers.push_back(Type("*.txt", fw::mrOk));
  tool->kBitBtn12->Click();

  EXPECT_EQ(TakeTexts(), (std::vector<std::string>{"Add new wildcard", "Add new wildcard"}));
  EXPECT_EQ(presets, (std::vector<std::string>{"*.*", "*.*"}));
  EXPECT_EQ(testing_sandbox::ReadFile(appDir + "config\\dfext.ini").find("*.log"), std::string::npos);
  fw::TIniFile file(appDir + "config\\dfext.ini");
  EXPECT_EQ(file.ReadString("All", "2", ""), "*.txt");
  ASSERT_EQ(tool->clbDFGroup->GetItems()->GetCount(), 1);
  EXPECT_EQ(tool->clbDFGroup->GetItems()->GetStrings(0), "All   (*.*,*.txt)") << "the tool's group list";
}

// Escape in the group dialog's input boxes and confirmations cancels each, and Escape on the
// dialog itself closes it with Cancel: the group file and the tool's group list stay as they were.
TEST_P(ToolDialogsTest, EscapeInTheGroupDialogChangesNothing) {
  testing_sandbox::WriteFile(appDir + "config\\dfext.ini", "[All]\r\n1=*.*\r\n[Pictures]\r\n1=*.jpg\r\n");
  tool->FillGroup();
  const std::string groups = tool->clbDFGroup->GetItems()->GetText();
  const std::string file = testing_sandbox::ReadFile(appDir + "config\\dfext.ini");
  answers.push_back([this](fw::TCustomForm& form) {
    auto* dialog = dynamic_cast<app::TfrmAddDFGroup*>(&form);
    ASSERT_NE(dialog, nullptr) << form.ClassName();
    dialog->kSpeedButton1->Click();  // add group
    dialog->kSpeedButton2->Click();  // rename group
    dialog->kSpeedButton3->Click();  // delete group
    dialog->kSpeedButton4->Click();  // add wildcard
    dialog->kListBox1->SetItemIndex(0);
    dialog->kSpeedButton5->Click();  // edit wildcard
    dialog->kSpeedButton6->Click();  // delete wildcard
    EXPECT_EQ(dialog->kComboBox1->GetItems()->GetText(), "All\r\nPictures\r\n");
    EXPECT_EQ(dialog->kListBox1->GetItems()->GetText(), "*.*\r\n");
    dialog->kListBox1->SetFocus();
    Pump();
    PressKey(VK_ESCAPE);
    EXPECT_EQ(dialog->GetModalResult(), fw::mrCancel);
    if (dialog->GetModalResult() == fw::mrNone) dialog->Close();
  });
  answers.push_back(Escape(fw::mrCancel, "New"));
  answers.push_back(Escape(fw::mrCancel, "Renamed"));
  answers.push_back(Escape(fw::mrCancel));
  answers.push_back(Escape(fw::mrCancel, "*.log"));
  answers.push_back(Escape(fw::mrCancel, "*.txt"));
  answers.push_back(Escape(fw::mrCancel));
  tool->kBitBtn12->Click();
  EXPECT_EQ(TakeTexts(), (std::vector<std::string>{"Add new file group", "Enter new name of group", "Delete group?",
                                                   "Add new wildcard", "Enter new wildcard", "Delete wildcard?"}));
  EXPECT_EQ(testing_sandbox::ReadFile(appDir + "config\\dfext.ini"), file);
  EXPECT_EQ(tool->clbDFGroup->GetItems()->GetText(), groups);

  // The skinned folder picker too: Escape adds no path.
  if (Skinned()) {
    answers.push_back([this](fw::TCustomForm& form) {
      auto* picker = dynamic_cast<skin::TPathDialogForm*>(&form);
      ASSERT_NE(picker, nullptr) << form.ClassName();
      picker->kShellTreeView1->SetPath(tree);
      picker->kShellTreeView1->SetFocus();
      Pump();
      PressKey(VK_ESCAPE);
      EXPECT_EQ(picker->GetModalResult(), fw::mrCancel);
      if (picker->GetModalResult() == fw::mrNone) picker->Close();
    });
    tool->kBitBtn9->Click();
    EXPECT_EQ(tool->lvDFPath->GetItems()->GetCount(), 0);
  }
}

TEST_P(ToolDialogsTest, DeleteActsOnlyAfterYes) {
  for (const char* name : {"a.txt", "b.txt", "c.txt"}) testing_sandbox::WriteFile(tree + name, "the same bytes");
  app::SaveRemoveSettings(appDir, 2, "", false);
  tool->lvDFPath->SetChecked(tool->lvDFPath->GetItems()->Add(tree), true);
  tool->clbDFGroup->SetChecked(0, true);
  answers.push_back(Press(fw::mrOk));
  tool->btnDFSearch->Click();
  fw::TListItems* rows = tool->lvDFRes->GetItems();
  ASSERT_EQ(rows->GetCount(), 3);
  EXPECT_EQ(TakeTexts(), std::vector<std::string>{"Complete."});
  auto tick = [&](bool all) {
    for (int i = 0; i < rows->GetCount(); ++i)
      rows->GetItem(i)->SetChecked(all || rows->GetItem(i)->GetCaption() == "b.txt");
  };
  auto allThere = [&] {
    return fw::FileExists(tree + "a.txt") && fw::FileExists(tree + "b.txt") && fw::FileExists(tree + "c.txt");
  };

  // No to the confirmation: nothing happens.
  tick(true);
  answers.push_back(Press(fw::mrNo));
  tool->btnDFDelete->Click();
  EXPECT_EQ(TakeTexts(), std::vector<std::string>{"Delete files?"});
  EXPECT_TRUE(allThere());
  // Escape is No.
  answers.push_back(Escape(fw::mrNo));
  tool->btnDFDelete->Click();
  EXPECT_EQ(TakeTexts(), std::vector<std::string>{"Delete files?"});
  EXPECT_TRUE(allThere());
  EXPECT_EQ(rows->GetCount(), 3);

  // Yes, then No to losing the whole group: the group stays.
  answers.push_back(Press(fw::mrYes));
  answers.push_back(Press(fw::mrNo));
  answers.push_back(Press(fw::mrOk));
  tool->btnDFDelete->Click();
  std::vector<std::string> texts = TakeTexts();
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[1], "Every file of 1 group is ticked: that group would lose every copy.\r\nDelete them too?");
  EXPECT_TRUE(allThere());
  EXPECT_EQ(rows->GetCount(), 3);

  // Yes with one row ticked: that file goes, the row with it.
  tick(false);
  answers.push_back(Press(fw::mrYes));
  answers.push_back(Press(fw::mrOk));
  tool->btnDFDelete->Click();
  EXPECT_EQ(TakeTexts(), (std::vector<std::string>{"Delete files?", "Complete."}));
  EXPECT_FALSE(fw::FileExists(tree + "b.txt"));
  EXPECT_TRUE(fw::FileExists(tree + "a.txt"));
  EXPECT_TRUE(fw::FileExists(tree + "c.txt"));
  EXPECT_EQ(rows->GetCount(), 2);
}

INSTANTIATE_TEST_SUITE_P(SkinAndNone, ToolDialogsTest, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return std::string(info.param ? "Skinned" : "NoSkin");
                         });

}  // namespace
