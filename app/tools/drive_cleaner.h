// TDriveCleaner: the Drive cleaner tool of the main window. It lists the drives and the user's
// own folders, searches the ticked ones for junk files by the enabled masks of ext.ini (leaving
// out the excluded files and folders), lists each file with its size and a running count and
// total, and removes the ticked files by the configured removal method.
#pragma once
#include <string>

#include "skin/controls/bit_btn.h"
#include "skin/controls/group_box.h"
#include "skin/controls/label.h"
#include "skin/controls/list_view.h"
#include "skin/controls/panel.h"

namespace app {

class TfrmMain;
class TSearchRun;

class TDriveCleaner {
 public:
  // Creates the tool's controls on panel (owned by the form), sets up the form's dcSearcher and
  // binds the handlers. The searcher then reports to this object, which must live as long as
  // the window can search; its destruction touches neither.
  TDriveCleaner(TfrmMain& form, skin::TkPanel& panel);
  TDriveCleaner(const TDriveCleaner&) = delete;
  TDriveCleaner& operator=(const TDriveCleaner&) = delete;

  // The Drive clean button's action after its frame set the buttons: fills the path list and
  // shows the panel.
  void Show();

  skin::TkListView* lvDCDrive = nullptr;
  skin::TkListView* lvDCResult = nullptr;
  skin::TkGroupBox* kGroupBox1 = nullptr;
  skin::TkBitBtn* kBitBtn5 = nullptr;
  skin::TkBitBtn* kBitBtn6 = nullptr;
  skin::TkBitBtn* kBitBtn7 = nullptr;
  skin::TkBitBtn* btnDCAddPath = nullptr;
  skin::TkBitBtn* btnDCRemovePath = nullptr;
  skin::TkBitBtn* btnDCSearch = nullptr;
  skin::TkBitBtn* btnDCStop = nullptr;
  skin::TkBitBtn* btnDCDelete = nullptr;
  skin::TkLabel* lblDCFileCount = nullptr;
  skin::TkLabel* lblDCFileSize = nullptr;

  void btnDCAddPathClick(fw::TObject* Sender);
  void btnDCRemovePathClick(fw::TObject* Sender);
  void btnDCSearchClick(fw::TObject* Sender);
  void btnDCStopClick(fw::TObject* Sender);
  void btnDCDeleteClick(fw::TObject* Sender);
  void kBitBtn5Click(fw::TObject* Sender);
  void kBitBtn6Click(fw::TObject* Sender);
  void kBitBtn7Click(fw::TObject* Sender);
  void dcSearcherBeginScanDir(fw::TObject* Sender, const std::string& AName);
  void dcSearcherFindFile(fw::TObject* Sender, const std::string& AName);
  void dcSearcherProgress(fw::TObject* Sender);

 private:
  void CreateComponents();  // drive_cleaner_layout.cpp
  void AddDriveRows();
  void AddUserFolderRows();
  void AddUserFolderRow(const std::string& path);
  void SaveUserFolderRows();
  void UpdateTotals();
  void SetChecks(int mode);
  // Reads the enabled, non-blank masks of ext.ini into the search engine, letting messages
  // through the running search as it goes, until Stop is pressed; false when none was read.
  bool LoadMasks();
  // Runs the search over every ticked path; false when no mask is enabled.
  bool SearchTickedPaths();

  TfrmMain& FForm;
  skin::TkPanel& FPanel;
  // The folder whose own files are not listed, with one trailing backslash, upper-cased
  // (empty when none); read once per search.
  std::string FScanFolder;
  // The status text of the folder being searched, shown at the next turn of messages.
  std::string FScanning;
  // The running search, while there is one.
  TSearchRun* FRun = nullptr;
};

}  // namespace app
