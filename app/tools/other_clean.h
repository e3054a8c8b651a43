// TOtherClean: the Other clean tool of the main window. It shows the size of five special
// places (the Windows prefetch files, the recent-documents folder, the temporary folder, the
// internet cache and the recycle bin) and empties the ones the user ticks.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "framework/win.h"
#include "services/system/computer_info_ex.h"
#include "services/system/protected_folders.h"
#include "skin/controls/bit_btn.h"
#include "skin/controls/list_view.h"
#include "skin/controls/panel.h"

namespace app {

class TfrmMain;

// The rows of lvOC, in list order.
enum TOtherCleanRow { ocPrefetch, ocRecent, ocTemp, ocInternetCache, ocRecycleBin, ocRowCount };

class TOtherClean {
 public:
  // Creates the tool's controls on panel (owned by the form) and binds their handlers.
  TOtherClean(TfrmMain& form, skin::TkPanel& panel);
  TOtherClean(const TOtherClean&) = delete;
  TOtherClean& operator=(const TOtherClean&) = delete;

  // The preparation when the "Other clean" button is pressed: measures every row.
  void Show();

  skin::TkPanel* pnlOCButtons = nullptr;
  skin::TkBitBtn* btnOCClean = nullptr;
  skin::TkListView* lvOC = nullptr;
  // The main window's system-information component, for the recent-documents and temporary
  // folders.
  svc::TDsComputerInfoEx* compInfo = nullptr;

  // Empties every ticked row, in row order, and measures it again.
  void btnOCCleanClick(fw::TObject* Sender);

  // The folder of a folder row (prefetch, recent, temp) without a trailing backslash, or ""
  // when that folder may not be touched (see svc::IsCleanableFolder) or the row has none.
  std::string RowFolder(int row);
  std::string RowFolder(int row, const svc::TProtectedFolders& protectedFolders);

 private:
  void CreateComponents();  // other_clean_layout.cpp
  // Each run looks the protected folders up once and hands them to every row.
  void MeasureRow(int row, const svc::TProtectedFolders& protectedFolders);
  void CleanRow(int row, const svc::TProtectedFolders& protectedFolders);
  void CleanTempFolder(const std::string& folder);
  // Sets the row's sub-items: the size as text and in bytes; a skipped row shows neither.
  void SetRowSize(int row, const std::string& text, const std::string& bytes);

  TfrmMain& FForm;
  skin::TkPanel& FPanel;
};

namespace testing {
// The prefetch folder instead of the Windows folder's "Prefetch" ("" restores the real one).
// Both setters return what they replace.
std::string SetPrefetchFolder(std::string folder);
// The call that empties the recycle bins (default: EmptyRecycleBin), since the shell's own
// confirmation would block a test. An empty function restores the default.
using TEmptyRecycleBinCall = std::function<bool(HWND owner, DWORD flags)>;
TEmptyRecycleBinCall SetEmptyRecycleBinCall(TEmptyRecycleBinCall call);
}  // namespace testing

}  // namespace app
