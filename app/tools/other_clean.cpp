#include "app/tools/other_clean.h"

#include <utility>
#include <vector>

#include "app/main/main_form.h"
#include "app/shared/file_procedures.h"
#include "app/shared/internet_cache.h"
#include "app/shared/shell_file_operation.h"
#include "app/tools/search_run.h"
#include "framework/core/component.h"
#include "framework/rtl/file_utils.h"
#include "framework/rtl/sys_utils.h"
#include "services/system/system_folders.h"

namespace app {

namespace {

constexpr int kRecentFolder = CSIDL_RECENT;
constexpr int kSizeTextSubItem = 0;
constexpr int kSizeBytesSubItem = 1;

std::string prefetchOverride;
testing::TEmptyRecycleBinCall emptyRecycleBinCall;

bool SameFolder(const std::string& a, const std::string& b) {
  if (a.empty() || b.empty()) return false;
  return fw::AnsiSameText(fw::ExcludeTrailingBackslash(svc::LongPathName(a)),
                          fw::ExcludeTrailingBackslash(svc::LongPathName(b)));
}

std::string PrefetchFolder() {
  if (!prefetchOverride.empty()) return prefetchOverride;
  std::string windows = svc::ReadWindowsFolder();
  return windows.empty() ? std::string() : fw::ExcludeTrailingBackslash(windows) + "\\Prefetch";
}

bool EmptyRecycleBins(HWND owner) {
  return emptyRecycleBinCall ? emptyRecycleBinCall(owner, 0) : EmptyRecycleBin(owner, 0);
}

}  // namespace

bool IsCleanableFolder(const std::string& folder) {
  // Only a full path below a root: "C:" is how a drive root reads without its backslash, and a
  // relative path ("", "\", "C:temp") would be taken from the current folder or drive.
  std::string root = fw::ExtractFileDrive(folder);
  if (root.empty() || folder.size() <= root.size() + 1 || folder[root.size()] != '\\') return false;
  std::string path = fw::ExcludeTrailingBackslash(fw::ExpandFileName(folder));
  std::string drive = fw::ExtractFileDrive(path);
  if (drive.empty() || fw::SameText(path, fw::ExcludeTrailingBackslash(drive))) return false;
  if (!fw::DirectoryExists(path)) return false;
  return !SameFolder(path, svc::ReadWindowsFolder()) && !SameFolder(path, svc::ReadSystemFolder());
}

TOtherClean::TOtherClean(TfrmMain& form, skin::TkPanel& panel) : FForm(form), FPanel(panel) {
  fw::TLoadScope loading;
  CreateComponents();
}

void TOtherClean::Show() {
  // The window stays responsive between the rows; nothing is disabled meanwhile.
  TSearchRun run(nullptr, {}, nullptr, 0);
  for (int row = 0; row < ocRowCount; ++row) {
    run.Pump();
    MeasureRow(row);
  }
}

std::string TOtherClean::RowFolder(int row) {
  std::string folder;
  switch (row) {
    case ocPrefetch: folder = PrefetchFolder(); break;
    case ocRecent: folder = compInfo->GetFolders()->GetSpecialFolder(kRecentFolder); break;
    case ocTemp: folder = compInfo->GetFolders()->GetTemp(); break;
    default: return std::string();
  }
  return IsCleanableFolder(folder) ? fw::ExcludeTrailingBackslash(folder) : std::string();
}

void TOtherClean::MeasureRow(int row) {
  int64_t size = 0;
  switch (row) {
    case ocInternetCache: size = GetInternetCacheSize(); break;
    case ocRecycleBin: size = GetRecycleBinSize(); break;
    default: {
      std::string folder = RowFolder(row);
      if (folder.empty()) {
        SetRowSize(row, "", "");
        return;
      }
      size = GetFolderSize(folder);
    }
  }
  SetRowSize(row, FormatFileSize(size), fw::IntToStr(size));
}

void TOtherClean::SetRowSize(int row, const std::string& text, const std::string& bytes) {
  fw::TStrings* sub = lvOC->GetItems()->GetItem(row)->GetSubItems();
  while (sub->GetCount() <= kSizeBytesSubItem) sub->Add("");
  sub->SetStrings(kSizeTextSubItem, text);
  sub->SetStrings(kSizeBytesSubItem, bytes);
}

void TOtherClean::btnOCCleanClick(fw::TObject*) {
  TSearchRun run(nullptr, {}, nullptr, 0);
  fw::TListItems* rows = lvOC->GetItems();
  for (int row = 0; row < ocRowCount && row < rows->GetCount(); ++row) {
    if (!rows->GetItem(row)->GetChecked()) continue;
    CleanRow(row);
    run.Pump();
    MeasureRow(row);
  }
}

void TOtherClean::CleanRow(int row) {
  switch (row) {
    case ocInternetCache: ClearInternetCache(); return;
    case ocRecycleBin: EmptyRecycleBins(FForm.GetHandle()); return;
    default: break;
  }
  std::string folder = RowFolder(row);
  if (folder.empty()) return;
  if (row == ocPrefetch)
    DeleteFilesByMask(folder + "\\", "*.pf");
  else if (row == ocRecent)
    DeleteFilesByMask(folder + "\\", "*.*");
  else
    CleanTempFolder(folder);
}

void TOtherClean::CleanTempFolder(const std::string& folder) {
  DeleteFilesByMask(folder + "\\", "*.*");
  // The subfolders are listed first and removed afterwards, so the listing never runs over
  // entries that are being taken away.
  std::vector<std::string> subfolders;
  fw::TSearchRec rec;
  if (fw::FindFirst(folder + "\\*.*", fw::faDirectory, rec) == 0) {
    do {
      if (rec.Name != "." && rec.Name != ".." && fw::DirectoryExists(folder + "\\" + rec.Name))
        subfolders.push_back(folder + "\\" + rec.Name);
    } while (fw::FindNext(rec) == 0);
  }
  fw::FindClose(rec);
  // A subfolder the shell cannot remove raises here and stops the cleaning.
  for (const std::string& subfolder : subfolders) DeleteFolderTree(subfolder);
}

namespace testing {

void SetPrefetchFolder(const std::string& folder) { prefetchOverride = folder; }

void SetEmptyRecycleBinCall(TEmptyRecycleBinCall call) { emptyRecycleBinCall = std::move(call); }

}  // namespace testing

}  // namespace app
