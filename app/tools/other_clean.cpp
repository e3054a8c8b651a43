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
#include "framework/rtl/folder_walker.h"
#include "framework/rtl/sys_utils.h"
#include "services/system/protected_folders.h"
#include "services/system/system_folders.h"

namespace app {

namespace {

constexpr int kRecentFolder = CSIDL_RECENT;
constexpr int kSizeTextSubItem = 0;
constexpr int kSizeBytesSubItem = 1;

std::string prefetchOverride;
testing::TEmptyRecycleBinCall emptyRecycleBinCall;

std::string PrefetchFolder() {
  if (!prefetchOverride.empty()) return prefetchOverride;
  std::string windows = svc::ReadWindowsFolder();
  return windows.empty() ? std::string() : fw::ExcludeTrailingBackslash(windows) + "\\Prefetch";
}

bool EmptyRecycleBins(HWND owner) {
  return emptyRecycleBinCall ? emptyRecycleBinCall(owner, 0) : EmptyRecycleBin(owner, 0);
}

}  // namespace

TOtherClean::TOtherClean(TfrmMain& form, skin::TkPanel& panel) : FForm(form), FPanel(panel) {
  fw::TLoadScope loading;
  CreateComponents();
}

void TOtherClean::Show() {
  // The window stays responsive between the rows; nothing is disabled meanwhile.
  TSearchRun run(nullptr, {}, nullptr, 0);
  const svc::TProtectedFolders protectedFolders;
  for (int row = 0; row < ocRowCount; ++row) {
    run.Pump();
    MeasureRow(row, protectedFolders);
  }
}

std::string TOtherClean::RowFolder(int row) { return RowFolder(row, svc::TProtectedFolders()); }

std::string TOtherClean::RowFolder(int row, const svc::TProtectedFolders& protectedFolders) {
  std::string folder;
  switch (row) {
    case ocPrefetch: folder = PrefetchFolder(); break;
    case ocRecent: folder = compInfo->GetFolders()->GetSpecialFolder(kRecentFolder); break;
    case ocTemp: folder = compInfo->GetFolders()->GetTemp(); break;
    default: return std::string();
  }
  return svc::IsCleanableFolder(folder, protectedFolders) ? fw::ExcludeTrailingBackslash(folder) : std::string();
}

void TOtherClean::MeasureRow(int row, const svc::TProtectedFolders& protectedFolders) {
  int64_t size = 0;
  switch (row) {
    case ocInternetCache: size = GetInternetCacheSize(); break;
    case ocRecycleBin: size = GetRecycleBinSize(); break;
    default: {
      std::string folder = RowFolder(row, protectedFolders);
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
  const svc::TProtectedFolders protectedFolders;
  fw::TListItems* rows = lvOC->GetItems();
  for (int row = 0; row < ocRowCount && row < rows->GetCount(); ++row) {
    if (!rows->GetItem(row)->GetChecked()) continue;
    CleanRow(row, protectedFolders);
    run.Pump();
    MeasureRow(row, protectedFolders);
  }
}

void TOtherClean::CleanRow(int row, const svc::TProtectedFolders& protectedFolders) {
  switch (row) {
    case ocInternetCache: ClearInternetCache(); return;
    case ocRecycleBin: EmptyRecycleBins(FForm.GetHandle()); return;
    default: break;
  }
  std::string folder = RowFolder(row, protectedFolders);
  if (folder.empty()) return;
  if (row == ocPrefetch)
    DeleteFilesByMask(folder + "\\", "*.pf", FForm.GetHandle());
  else if (row == ocRecent)
    DeleteFilesByMask(folder + "\\", "*.*", FForm.GetHandle());
  else
    CleanTempFolder(folder);
}

void TOtherClean::CleanTempFolder(const std::string& folder) {
  DeleteFilesByMask(folder + "\\", "*.*", FForm.GetHandle());
  // The subfolders are listed first and removed afterwards, so the listing never runs over
  // entries that are being taken away.
  std::vector<std::string> subfolders;
  // Hidden and system entries are left alone.
  for (fw::TFolderWalker entry(folder, "*.*"); entry.Next();)
    if (!(entry.Attributes() & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) && fw::DirectoryExists(entry.Path()))
      subfolders.push_back(entry.Path());
  // A subfolder the shell cannot remove raises here and stops the cleaning.
  for (const std::string& subfolder : subfolders) DeleteFolderTree(subfolder, FForm.GetHandle());
}

namespace testing {

std::string SetPrefetchFolder(std::string folder) { return std::exchange(prefetchOverride, std::move(folder)); }

TEmptyRecycleBinCall SetEmptyRecycleBinCall(TEmptyRecycleBinCall call) {
  return std::exchange(emptyRecycleBinCall, std::move(call));
}

}  // namespace testing

}  // namespace app
