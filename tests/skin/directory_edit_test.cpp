// The directory edit on a real form: its folder button opens the folder dialog (answered through
// the dialog's chooser seam) at the edit's folder, and a chosen folder becomes the text.
#include <string>
#include <vector>

#include "framework/forms/application.h"
#include "framework/forms/custom_form.h"
#include "framework/msg/messages.h"
#include "framework/rtl/file_utils.h"
#include "skin/controls/directory_edit.h"
#include "support/gui_test_support.h"
#include "support/sandbox.h"

namespace {

class DirectoryEditTest : public testing_gui::GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    folder = testing_sandbox::TestFolder();
    currentDir = fw::GetCurrentDir();
    form = fw::New<fw::TForm>(fw::Application);
    form->SetBounds(50, 50, 300, 100);
    edit = fw::New<skin::TkDirectoryEdit>(form);
    edit->SetBounds(8, 8, 260, 21);
    edit->SetParent(form);
    edit->OnChange = [this](fw::TObject*) { changes.push_back(edit->GetText()); };
    form->Show();
    fw::Application->ProcessMessages();
    scriptedFiles->OnBrowse = [this](fw::TBrowseFolderRequest& request) {
      std::string& path = request.Directory;
      starts.push_back(path);
      if (answer.empty()) return false;
      path = answer;
      return true;
    };
  }
  void TearDown() override {
    fw::SetCurrentDir(currentDir);
    GuiTest::TearDown();
  }
  // A real click on the folder button inside the edit.
  void ClickButton() {
    skin::TkSpeedButton* button = edit->GetButton();
    LPARAM at = fw::PointToLParam(button->GetLeft() + button->GetWidth() / 2, button->GetTop() + 5);
    SendMessageA(edit->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(edit->GetHandle(), WM_LBUTTONUP, 0, at);
  }

  std::string folder, currentDir, answer;
  std::vector<std::string> starts, changes;
  fw::TForm* form = nullptr;
  skin::TkDirectoryEdit* edit = nullptr;
};

TEST_F(DirectoryEditTest, DesignDefaults) {
  EXPECT_EQ(edit->GetRoot(), "rfDesktop");
  EXPECT_EQ(edit->GetMaxLength(), 255);
  EXPECT_FALSE(edit->GetNoChangeDir());
  EXPECT_EQ(edit->GetButton()->GetWidth(), 22);
  EXPECT_EQ(edit->GetButton()->GetLeft() + 22, edit->GetClientWidth());
}

TEST_F(DirectoryEditTest, ChosenFolderBecomesTheTextFromTheEditsFolder) {
  std::string a = folder + "a", b = folder + "b";
  fw::CreateDir(a);
  fw::CreateDir(b);
  // Empty text: the dialog starts in InitialDir, which becomes the current folder.
  edit->SetInitialDir(a);
  answer = b;
  ClickButton();
  EXPECT_EQ(starts, std::vector<std::string>{a});
  EXPECT_EQ(fw::ExcludeTrailingBackslash(fw::GetCurrentDir()), a);
  EXPECT_EQ(edit->GetText(), b);
  EXPECT_EQ(edit->GetInitialDir(), b);
  EXPECT_EQ(changes, std::vector<std::string>{b});

  // Cancel keeps the text; with NoChangeDir the current folder stays where it is.
  answer.clear();
  edit->SetNoChangeDir(true);
  ClickButton();
  EXPECT_EQ(starts.back(), b);
  EXPECT_EQ(fw::ExcludeTrailingBackslash(fw::GetCurrentDir()), a);
  EXPECT_EQ(edit->GetText(), b);
  EXPECT_EQ(changes.size(), 1u);

  // A text that names no folder is not a start folder.
  edit->SetText(folder + "missing");
  changes.clear();
  ClickButton();
  EXPECT_EQ(starts.back(), "");
  EXPECT_TRUE(changes.empty());

  // A read-only edit's button does nothing.
  edit->SetReadOnly(true);
  answer = a;
  ClickButton();
  EXPECT_EQ(starts.size(), 3u);
  EXPECT_EQ(edit->GetText(), folder + "missing");
}

}  // namespace
