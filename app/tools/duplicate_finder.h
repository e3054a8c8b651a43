// The Duplicate finder tool of the main window: finds files of equal content among the files of
// the ticked folders that match the ticked file groups of dfext.ini and the size range, and
// copies, moves or deletes the ticked results. A search runs in four steps on one list of lines
// (the main window's dupList): collect the candidates, keep the sizes another candidate shares,
// hash each remaining file with MD5, keep the digests another candidate shares.
#pragma once
#include <cstdint>
#include <string>
#include <unordered_map>

#include "app/main/main_form.h"
#include "skin/controls/bit_btn.h"
#include "skin/controls/check_box.h"
#include "skin/controls/check_list_box.h"
#include "skin/controls/combo_box.h"
#include "skin/controls/label.h"
#include "skin/controls/list_view.h"
#include "skin/controls/page_control.h"
#include "skin/controls/panel.h"
#include "skin/controls/spin_edit.h"

namespace app {

class TSearchRun;

// The text after the first "=" of a line; the whole line when it has none.
std::string SplitNameValue(const std::string& line);

// True when fullName contains folder, compared without regard to letter case; false for an
// empty folder.
bool ContainsFolder(const std::string& fullName, const std::string& folder);

// The key under which two reported names are the same file: upper-cased, with runs of
// backslashes made one.
std::string SameFileKey(const std::string& fullName);

// Where a search spent its time, in seconds. Status-bar writes and message handling are also
// counted in the step during which they happened.
struct TDupSearchTimes {
  double Collect = 0;   // step 1: the walks of the ticked folders
  double Sizes = 0;     // step 2
  double Hashing = 0;   // step 3
  double Digests = 0;   // step 4
  double Fill = 0;      // the result rows
  double Status = 0;    // status-bar texts
  double Messages = 0;  // letting window messages through
};

// Its controls belong to the panel and it binds the main window's dfSearcher to itself, so it
// must live as long as the window can search; its destruction touches neither (it may die with
// the window object after the window's components are gone).
class TDuplicateFinder {
 public:
  TDuplicateFinder(TfrmMain& form, skin::TkPanel& panel);
  ~TDuplicateFinder() = default;
  TDuplicateFinder(const TDuplicateFinder&) = delete;
  TDuplicateFinder& operator=(const TDuplicateFinder&) = delete;

  // The frame button's action: shows the panel and fills the group list.
  void Show();
  // Makes sure dfext.ini exists and lists its groups, unticked.
  void FillGroup();

  // Controls (created on the panel by the layout, owned by it).
  skin::TkPageControl* kPageControl1 = nullptr;  // "Search path", "Files groups"
  skin::TkPageControl* kPageControl2 = nullptr;  // "Search options", "File size"
  skin::TkTabSheet* tsDFPath = nullptr;
  skin::TkTabSheet* tsDFGroup = nullptr;
  skin::TkTabSheet* tsDFOptions = nullptr;
  skin::TkTabSheet* tsDFSize = nullptr;
  skin::TkCheckListBox* lvDFPath = nullptr;
  skin::TkBitBtn* kBitBtn9 = nullptr;
  skin::TkBitBtn* kBitBtn10 = nullptr;
  skin::TkBitBtn* kBitBtn11 = nullptr;
  skin::TkCheckListBox* clbDFGroup = nullptr;
  skin::TkBitBtn* kBitBtn12 = nullptr;
  skin::TkBitBtn* kBitBtn13 = nullptr;
  skin::TkCheckBox* kCheckBox1 = nullptr;
  skin::TkCheckBox* kCheckBox2 = nullptr;
  skin::TkCheckBox* kCheckBox3 = nullptr;
  skin::TkCheckBox* kCheckBox4 = nullptr;
  skin::TkSpinEdit* fSizeMinEdit = nullptr;
  skin::TkSpinEdit* fSizeMaxEdit = nullptr;
  skin::TkComboBox* fSizeMinCB = nullptr;
  skin::TkComboBox* fSizeMaxCB = nullptr;
  skin::TkListView* lvDFRes = nullptr;
  skin::TkBitBtn* btnDFSearch = nullptr;
  skin::TkBitBtn* btnDFStop = nullptr;
  skin::TkBitBtn* btnDFCopy = nullptr;
  skin::TkBitBtn* btnDFMove = nullptr;
  skin::TkBitBtn* btnDFDelete = nullptr;

  // The number of candidates collected by the running or last search.
  int64_t dupFileCount = 0;
  // Where the last search spent its time.
  TDupSearchTimes searchTimes;

  // Handlers.
  void kBitBtn9Click(fw::TObject* Sender);
  void kBitBtn10Click(fw::TObject* Sender);
  void kBitBtn11Click(fw::TObject* Sender);
  void kBitBtn12Click(fw::TObject* Sender);
  void btnDFSearchClick(fw::TObject* Sender);
  void btnDFStopClick(fw::TObject* Sender);
  void btnDFCopyClick(fw::TObject* Sender);
  void btnDFMoveClick(fw::TObject* Sender);
  void btnDFDeleteClick(fw::TObject* Sender);
  void dfSearcherFindFile(fw::TObject* Sender, const std::string& AName);
  void dfSearcherAbort(fw::TObject* Sender);
  void dfSearcherProgress(fw::TObject* Sender);

  // Steps 2 to 4 on the main window's dupList, then the result rows.
  void AnalyzeDuplicates();
  void ShowDuplicateGroups();

 private:
  void CreateControls();
  void ApplyOptions();
  void ApplySizeLimit(skin::TkSpinEdit* edit, skin::TkComboBox* unit, svc::TDsSearchType test, bool isMin);
  void LoadMasks();
  // Step 2 or 4: drops the lines whose name no neighbour shares.
  void KeepPartnered(int step);
  void HashLines();
  // The count text of a step ("Step n of 4 - ..."), shown by the next WriteCounts.
  void SetCounts(int step, int64_t position);
  // Shows the pending count text, if any, in panel 2.
  void WriteCounts();
  // Lets pending messages through during a search, at most every few milliseconds, and shows
  // the pending count text at most every few tens of milliseconds.
  void Pump(bool force = false);
  // Forgets how the files that are not listed stood when found.
  void KeepScannedOfRows();

  // What a copy, move or removal of the ticked rows came to.
  struct TActionOutcome {
    bool Unverified = false;  // a file was left alone: changed, or no longer equal to a copy that stays
    bool Unreadable = false;  // a file was left alone: it could not be read to be checked
    bool Failed = false;      // the operation on a file failed
  };
  // The number of groups whose every row is ticked.
  int WholeTickedGroups();
  // Asks whether the groups whose every row is ticked are to be acted on too (default No).
  bool ConfirmWholeGroups(int groups, const std::string& question);
  // Copy (rmCopy), move (rmMove) or removal by the configured method of the ticked rows, each
  // checked just before against the files of its group that stay; the rows of groups whose every
  // row is ticked only with wholeGroups. Rows whose file was moved or removed leave the list.
  TActionOutcome RunOnTicked(const std::string& target, int mode, bool wholeGroups);
  // The closing message; done is "copied", "moved" or "deleted".
  void Report(const TActionOutcome& outcome, const std::string& done);

  // A pending count text: none while Step is 0.
  struct TCounts {
    int Step = 0;
    int64_t Position = 0;
  };

  TfrmMain& FForm;
  skin::TkPanel& FPanel;
  // The last-write time of each candidate as the search found it (by SameFileKey); after the
  // search, of the listed files only.
  std::unordered_map<std::string, FILETIME> FScanned;
  std::string FWindowsFolder;
  // The running search, null between searches.
  TSearchRun* FRun = nullptr;
  DWORD FLastStatus = 0;
  TCounts FCounts;
};

namespace testing {
// Replaces the Windows folder that "Protect System folders" guards ("" restores the real one)
// and returns the one it replaces.
std::string SetProtectedWindowsFolder(std::string folder);
}  // namespace testing

}  // namespace app
