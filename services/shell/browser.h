// TSvBrowser: the shell's browse-for-folder dialog as a component. Execute shows it modally and
// hands back the chosen folder (or file, with boShowFiles) as a path, its item-ID list, its
// display name and its system image index.
#pragma once
#include <string>

#include "framework/core/events.h"
#include "framework/core/sets.h"
#include "framework/win.h"
#include "services/shell/com_ref.h"
#include "services/shell/shell_component.h"
#include "services/shell/root_folder.h"

namespace svc {

enum TSvBrowseOptions {
  boBrowseForComputer,
  boBrowseForPrinter,
  boDontGoBelowDomain,
  boReturnOnlyAncestors,
  boReturnOnlyDirs,
  boShowFiles,
  boEditBox
};
using TSvBrowseOptionsSet = fw::TSet<TSvBrowseOptions>;

enum TSvBrowsePosition { bpDefault, bpScreenCenter };

// The BIF_ flags of options; BIF_STATUSTEXT is added when withStatusText.
UINT BrowseFlags(TSvBrowseOptionsSet options, bool withStatusText);

class TSvCustomBrowser : public TSvShellComponent {
  FW_CLASS(TSvCustomBrowser, TSvShellComponent)
 public:
  explicit TSvCustomBrowser(fw::TComponent* owner);

  // Shows the dialog; true when the user confirmed. Raises ESvShellError 110 before any window
  // appears when boShowFiles or boEditBox is asked of a shell older than 4.7.
  bool Execute();

  const std::string& GetAdditionalText() const { return FAdditionalText; }
  void SetAdditionalText(const std::string& v) { FAdditionalText = v; }
  const std::string& GetCaption() const { return FCaption; }
  void SetCaption(const std::string& v) { FCaption = v; }
  TSvBrowseOptionsSet GetOptions() const { return FOptions; }
  void SetOptions(TSvBrowseOptionsSet v) { FOptions = v; }
  TSvBrowsePosition GetPosition() const { return FPosition; }
  void SetPosition(TSvBrowsePosition v) { FPosition = v; }
  const std::string& GetRootFolder() const { return FRootFolder; }
  void SetRootFolder(const std::string& v) { FRootFolder = v; }
  const std::string& GetSelectedFolder() const { return FSelectedFolder; }
  // A trailing backslash is dropped, except after a drive ("C:\" stays).
  void SetSelectedFolder(const std::string& v);
  TSvSpecialRootFolder GetSpecialRootFolder() const { return FSpecialRootFolder; }
  // Stores the folder and its CSIDL; a folder that needs shell 4.7 raises ESvShellError 110 on
  // an older shell.
  void SetSpecialRootFolder(TSvSpecialRootFolder v);
  int GetSpecialRootFolderID() const { return FSpecialRootFolderID; }
  const std::string& GetStatusText() const { return FStatusText; }
  // Stores the text and shows it at once when the dialog is open.
  void SetStatusText(const std::string& v);

  fw::TNotifyEvent OnShow;
  fw::TNotifyEvent OnSelChanged;

  // The results of the last Execute.
  const std::string& GetPath() const { return FPath; }
  const std::string& GetDisplayName() const { return FDisplayName; }
  // The chosen item's ID list, owned by the component (null after a cancel).
  LPCITEMIDLIST GetIDList() const { return FIDList.Get(); }
  int GetImageIndex() const { return FImageIndex; }
  // The dialog's window while it is open (null before it has opened).
  HWND GetDialogHandle() const { return FDialog; }

 protected:
  ~TSvCustomBrowser() override = default;

 private:
  static int CALLBACK BrowseCallback(HWND wnd, UINT msg, LPARAM lParam, LPARAM data);
  void Initialized(HWND wnd);
  void SelectionChanged(LPCITEMIDLIST pidl);
  HWND OwnerWindow() const;
  TPidl RootIDList(HWND owner) const;

  std::string FAdditionalText;
  std::string FCaption;
  TSvBrowseOptionsSet FOptions{boReturnOnlyDirs};
  TSvBrowsePosition FPosition = bpScreenCenter;
  std::string FRootFolder;
  std::string FSelectedFolder;
  TSvSpecialRootFolder FSpecialRootFolder = sfDesktop;
  int FSpecialRootFolderID = 0;
  std::string FStatusText;
  std::string FPath;
  std::string FDisplayName;
  TPidl FIDList;
  // A copy of the list the dialog reports as selected: the dialog's own list stays the dialog's.
  TPidl FSelection;
  int FImageIndex = 0;
  HWND FDialog = nullptr;
};

class TSvBrowser : public TSvCustomBrowser {
  FW_CLASS(TSvBrowser, TSvCustomBrowser)
 public:
  explicit TSvBrowser(fw::TComponent* owner) : TSvCustomBrowser(owner) {}

 protected:
  ~TSvBrowser() override = default;
};

}  // namespace svc
