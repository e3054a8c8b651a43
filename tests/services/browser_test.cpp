// The browse-for-folder component over the real shell dialog under Xvfb: the dialog is modal, so
// each test drives it from OnShow by moving the selection and posting OK or Cancel.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include "framework/win.h"

#include <commctrl.h>
#include <shlobj.h>

#include "framework/forms/application.h"
#include "framework/rtl/file_utils.h"
#include "services/shell/browser.h"
#include "services/shell/sv_exception.h"
#include "support/browse_dialog_driver.h"
#include "support/gui_test_support.h"
#include "support/sandbox.h"

using namespace svc;
namespace sb = testing_sandbox;

namespace {

class BrowserTest : public testing_gui::GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    testing_browse::WarmUp();
    folder = sb::TestFolder();
    MakeBrowser();
  }
  void TearDown() override {
    browser.reset();
    svc::testing::SetShellVersion(std::nullopt);
    GuiTest::TearDown();
  }
  // A fresh component: the shell version is read when it is made.
  void MakeBrowser() {
    browser.reset(fw::New<TSvBrowser>(fw::Application));
    browser->OnShow = [this](fw::TObject*) {
      ++shows;
      HWND dialog = browser->GetDialogHandle();
      ASSERT_NE(dialog, nullptr);
      if (onShow) onShow(dialog);
      testing_browse::Answer(*browser, want, answer);
    };
  }
  std::string Folder(const std::string& name) {
    std::string path = folder + name;
    fw::ForceDirectories(path);
    return path;
  }

  std::string folder;
  fw::Owned<TSvBrowser> browser;
  std::function<void(HWND)> onShow;
  std::string want;  // the selection the dialog is moved to before it is answered ("": as it opened)
  int answer = IDOK;
  int shows = 0;
};

// The text of the first item of the dialog's tree: the root it shows.
std::string TreeRootText(HWND dialog) {
  HWND tree = FindWindowExA(dialog, nullptr, WC_TREEVIEWA, nullptr);
  if (!tree) return "";
  char text[MAX_PATH] = {};
  TVITEMA item{};
  item.mask = TVIF_TEXT;
  item.hItem = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
  item.pszText = text;
  item.cchTextMax = MAX_PATH;
  SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  return text;
}

}  // namespace

TEST_F(BrowserTest, DefaultsAndFlags) {
  EXPECT_EQ(browser->GetOptions(), TSvBrowseOptionsSet{boReturnOnlyDirs});
  EXPECT_EQ(browser->GetPosition(), bpScreenCenter);
  EXPECT_EQ(browser->GetSpecialRootFolder(), sfDesktop);
  EXPECT_EQ(browser->GetSpecialRootFolderID(), 0);
  EXPECT_EQ(browser->GetVersion(), "1.02");
  EXPECT_EQ(BrowseFlags({boBrowseForComputer, boBrowseForPrinter, boDontGoBelowDomain}, false), 0x3002u);
  EXPECT_EQ(BrowseFlags({boReturnOnlyAncestors, boReturnOnlyDirs, boShowFiles, boEditBox}, false), 0x4019u);
  EXPECT_EQ(BrowseFlags({}, true), UINT(BIF_STATUSTEXT));
  browser->SetSpecialRootFolder(sfPersonal);
  EXPECT_EQ(browser->GetSpecialRootFolderID(), CSIDL_PERSONAL);
}

TEST_F(BrowserTest, SelectedFolderDropsItsTrailingBackslashButNotAfterADrive) {
  browser->SetSelectedFolder("C:\\sandbox\\x\\");
  EXPECT_EQ(browser->GetSelectedFolder(), "C:\\sandbox\\x");
  browser->SetSelectedFolder("C:\\");
  EXPECT_EQ(browser->GetSelectedFolder(), "C:\\");
  browser->SetSelectedFolder("C:");
  EXPECT_EQ(browser->GetSelectedFolder(), "C:\\");
  browser->SetSelectedFolder("");
  EXPECT_EQ(browser->GetSelectedFolder(), "");
}

// The selection is given before the dialog opens: Wine's open dialog does not reliably follow a
// request to move its selection once it is shown.
TEST_F(BrowserTest, ConfirmHandsBackTheSelectionAndFollowsIt) {
  const std::string chosen = Folder("Chosen");
  // Typed in other letter case and with a trailing backslash: the dialog reports the folder as
  // the file system names it, and SelectedFolder follows the dialog.
  browser->SetSelectedFolder(fw::AnsiLowerCase(chosen) + "\\");
  std::string seenAtShow;
  int changes = 0;
  browser->OnSelChanged = [&](fw::TObject* sender) {
    EXPECT_EQ(sender, browser.get());
    ++changes;
  };
  onShow = [&](HWND) { seenAtShow = browser->GetSelectedFolder(); };
  want = chosen;
  EXPECT_TRUE(browser->Execute());
  EXPECT_EQ(shows, 1);
  EXPECT_GT(changes, 0);
  EXPECT_EQ(seenAtShow, chosen);
  EXPECT_EQ(browser->GetSelectedFolder(), chosen);
  EXPECT_EQ(browser->GetPath(), chosen);
  // The display name is the shell's: Wine's dialog gives the full path, Windows the name.
  EXPECT_TRUE(browser->GetDisplayName().ends_with("Chosen")) << browser->GetDisplayName();
  ASSERT_NE(browser->GetIDList(), nullptr);
  char path[MAX_PATH] = {};
  ASSERT_TRUE(SHGetPathFromIDListA(browser->GetIDList(), path));
  EXPECT_EQ(std::string(path), chosen);
  EXPECT_EQ(browser->GetDialogHandle(), nullptr);

  // A second run frees the first list and the copy of the selection before it ends.
  EXPECT_TRUE(browser->Execute());
  EXPECT_EQ(browser->GetPath(), chosen);
}

TEST_F(BrowserTest, CancelReturnsFalseAndKeepsThePath) {
  const std::string kept = Folder("kept");
  browser->SetSelectedFolder(kept);
  want = kept;
  ASSERT_TRUE(browser->Execute());
  answer = IDCANCEL;
  want = Folder("other");
  browser->SetSelectedFolder(want);
  EXPECT_FALSE(browser->Execute());
  EXPECT_EQ(browser->GetPath(), kept);
  EXPECT_EQ(browser->GetIDList(), nullptr);
  EXPECT_EQ(browser->GetDisplayName(), "");
  EXPECT_EQ(browser->GetImageIndex(), 0);
}

TEST_F(BrowserTest, CaptionStatusAndScreenCentre) {
  browser->SetCaption("Pick a folder");
  browser->SetStatusText("first status");
  browser->SetAdditionalText("Folders of the sandbox");
  std::string caption;
  RECT rect{};
  onShow = [&](HWND dialog) {
    char text[256] = {};
    GetWindowTextA(dialog, text, sizeof text);
    caption = text;
    GetWindowRect(dialog, &rect);
    browser->SetStatusText("second status");  // shown at once while open
  };
  EXPECT_TRUE(browser->Execute());
  EXPECT_EQ(caption, "Pick a folder");
  EXPECT_EQ(browser->GetStatusText(), "second status");
  int width = rect.right - rect.left, height = rect.bottom - rect.top;
  ASSERT_GT(width, 0);
  EXPECT_EQ(rect.left, GetSystemMetrics(SM_CXSCREEN) / 2 - width / 2);
  EXPECT_EQ(rect.top, GetSystemMetrics(SM_CYSCREEN) / 2 - height / 2);

  // bpDefault leaves the window where the dialog puts it.
  browser->SetPosition(bpDefault);
  browser->SetCaption("");
  onShow = [&](HWND dialog) {
    char text[256] = {};
    GetWindowTextA(dialog, text, sizeof text);
    caption = text;
  };
  EXPECT_TRUE(browser->Execute());
  EXPECT_NE(caption, "Pick a folder");
}

TEST_F(BrowserTest, RootFolderIsTheRootOfTheTree) {
  const std::string root = Folder("root"), inner = Folder("root\\inner");
  browser->SetSpecialRootFolder(sfNone);
  browser->SetRootFolder(root);
  browser->SetSelectedFolder(inner);
  want = inner;
  std::string top;
  onShow = [&](HWND dialog) { top = TreeRootText(dialog); };
  EXPECT_TRUE(browser->Execute());
  EXPECT_EQ(top, "root");
  EXPECT_EQ(browser->GetPath(), inner);

  // A special root: the recent-documents folder is no parent of the sandbox, the desktop is.
  browser->SetSpecialRootFolder(sfDesktop);
  onShow = [&](HWND dialog) { top = TreeRootText(dialog); };
  EXPECT_TRUE(browser->Execute());
  EXPECT_NE(top, "root");
  EXPECT_EQ(browser->GetPath(), inner);
}

TEST_F(BrowserTest, OldShellRefusesFilesEditBoxAndNewSpecialRoots) {
  svc::testing::SetShellVersion(4.0);
  MakeBrowser();
  for (TSvBrowseOptions option : {boShowFiles, boEditBox}) {
    browser->SetOptions({boReturnOnlyDirs, option});
    try {
      browser->Execute();
      ADD_FAILURE() << "no exception";
    } catch (const ESvShellError& e) {
      EXPECT_EQ(e.GetErrorCode(), 110u);
      EXPECT_EQ(std::string(e.what()), "Operation not supported in this version of the shell");
    }
  }
  EXPECT_EQ(shows, 0);
  for (TSvSpecialRootFolder gated : {sfInternet, sfAltStartup, sfCommonAltStartup, sfCommonFavorites,
                                     sfInternetCache, sfCookies, sfHistory})
    EXPECT_THROW(browser->SetSpecialRootFolder(gated), ESvShellError);
  EXPECT_EQ(browser->GetSpecialRootFolder(), sfDesktop);
  browser->SetSpecialRootFolder(sfPersonal);  // known to every shell

  svc::testing::SetShellVersion(4.71);  // 4.71 is new enough
  MakeBrowser();
  browser->SetOptions({boReturnOnlyDirs, boShowFiles});
  browser->SetSpecialRootFolder(sfAltStartup);
  browser->SetSpecialRootFolder(sfDesktop);
  browser->SetSelectedFolder(Folder("new"));
  want = browser->GetSelectedFolder();
  EXPECT_TRUE(browser->Execute());
  EXPECT_EQ(shows, 1);
}

TEST_F(BrowserTest, ShowFilesLetsAFileBeChosen) {
  const std::string file = folder + "pick.txt";
  sb::WriteFile(file, "data");
  browser->SetOptions({boReturnOnlyDirs, boShowFiles});
  browser->SetSelectedFolder(file);
  want = file;
  EXPECT_TRUE(browser->Execute());
  EXPECT_EQ(browser->GetPath(), file);
  EXPECT_TRUE(browser->GetDisplayName().ends_with("pick.txt")) << browser->GetDisplayName();
}
