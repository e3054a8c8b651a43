// The Drive cleaner tool of the main window: the list of drives and user folders to search, the
// search for junk files by the enabled masks of ext.ini with the exclusion lists, and the
// removal of the ticked files by the configured removal method.
#include <functional>
#include <utility>

#include "app/main/main_form.h"
#include "app/shared/config_files.h"
#include "app/shared/file_procedures.h"
#include "app/shared/shell_file_operation.h"
#include "framework/forms/application.h"
#include "framework/rtl/file_utils.h"
#include "framework/rtl/seams.h"
#include "framework/rtl/sys_utils.h"
#include "skin/controls/message_dialogs.h"

namespace app {

namespace {

// The "type" value of a user-folder row in the path list.
constexpr char kUserFolderType[] = "-1";
// Sub-item of the "type" column in the path list and of the "real size" column in the results.
constexpr int kTypeSubItem = 5;
constexpr int kRealSizeSubItem = 1;
// How long a running search works between two turns of letting window messages through. The
// result list is redrawn and the totals shown at those turns only: between them the list is
// frozen and its window hidden (nothing is painted then, so nobody sees it hidden), because a
// visible list with check boxes spends more on every new row than the search itself.
constexpr DWORD kProgressInterval = 100;

// Freezes the result list while rows are added / shows it again with its new rows.
void SuspendList(fw::TListView* list) {
  list->GetItems()->BeginUpdate();
  if (list->HandleAllocated()) ShowWindow(list->GetHandle(), SW_HIDE);
}

void ResumeList(fw::TListView* list) {
  if (list->HandleAllocated() && list->GetVisible()) ShowWindow(list->GetHandle(), SW_SHOWNA);
  list->GetItems()->EndUpdate();
}

int DriveImage(int driveType) {
  switch (driveType) {
    case DRIVE_FIXED: return 17;
    case DRIVE_REMOTE: return 15;
    case DRIVE_REMOVABLE: return 19;
    default: return -1;
  }
}

bool IsUserFolderRow(fw::TListItem* item) {
  fw::TStrings* sub = item->GetSubItems();
  return sub->GetCount() > kTypeSubItem && sub->GetStrings(kTypeSubItem) == kUserFolderType;
}

// Loads a list file when it exists; a missing file leaves the list empty.
void LoadIfExists(fw::TStringList& list, const std::string& fileName) {
  if (fw::FileExists(fileName)) list.LoadFromFile(fileName);
}

// The folder with exactly one trailing backslash, upper-cased; empty stays empty.
std::string FolderKey(const std::string& folder) {
  if (folder.empty()) return folder;
  return fw::UpperCase(fw::IncludeTrailingBackslash(fw::ExcludeTrailingBackslash(folder)));
}

// Runs an action when the scope is left, whichever way: a search gives the controls back and
// frees its lists even when an exception leaves it.
class TScopeExit {
 public:
  explicit TScopeExit(std::function<void()> action) : FAction(std::move(action)) {}
  ~TScopeExit() { FAction(); }
  TScopeExit(const TScopeExit&) = delete;
  TScopeExit& operator=(const TScopeExit&) = delete;

 private:
  std::function<void()> FAction;
};

}  // namespace

void TfrmMain::DriveCleanerShow() {
  lvDCDrive->GetItems()->Clear();
  AddDriveRows();
  ShowToolPanel(pnlDC);
  EnsureUserFoldersFile(appDir);
  AddUserFolderRows();
}

void TfrmMain::AddDriveRows() {
  if (!driveList) return;
  fw::TListItems* rows = lvDCDrive->GetItems();
  rows->BeginUpdate();
  for (const TDriveInfo& drive : *driveList) {
    fw::TListItem* item = rows->Add();
    item->SetCaption(drive.Root);
    fw::TStrings* sub = item->GetSubItems();
    sub->Add(drive.VolumeLabel);
    sub->Add(drive.FileSystem);
    sub->Add(drive.Serial);
    sub->Add(FormatFileSize(drive.TotalSize));
    sub->Add(FormatFileSize(drive.FreeSize));
    sub->Add(fw::IntToStr(drive.DriveType));
    item->SetImageIndex(DriveImage(drive.DriveType));
  }
  rows->EndUpdate();
}

void TfrmMain::AddUserFolderRow(const std::string& path) {
  fw::TListItem* item = lvDCDrive->GetItems()->Add();
  item->SetCaption(path);
  fw::TStrings* sub = item->GetSubItems();
  for (int i = 0; i < kTypeSubItem; ++i) sub->Add("");
  sub->Add(kUserFolderType);
  item->SetImageIndex(16);
}

void TfrmMain::AddUserFolderRows() {
  fw::TStringList folders;
  LoadIfExists(folders, AppPath(appDir, kUserFoldersFile));
  for (int i = 0; i < folders.GetCount(); ++i)
    if (!fw::Trim(folders.GetStrings(i)).empty()) AddUserFolderRow(folders.GetStrings(i));
}

void TfrmMain::SaveUserFolderRows() {
  fw::TStringList folders;
  fw::TListItems* rows = lvDCDrive->GetItems();
  for (int i = 0; i < rows->GetCount(); ++i)
    if (IsUserFolderRow(rows->GetItem(i))) folders.Add(rows->GetItem(i)->GetCaption());
  EnsureConfigFolders(appDir);
  folders.SaveToFile(AppPath(appDir, kUserFoldersFile));
}

void TfrmMain::btnDCAddPathClick(fw::TObject*) {
  if (!kBrowser->Execute()) return;
  std::string path = kBrowser->GetPath();
  AddUserFolderRow(path);
  fw::TStringList folders;
  LoadIfExists(folders, AppPath(appDir, kUserFoldersFile));
  folders.Add(path);
  EnsureConfigFolders(appDir);
  folders.SaveToFile(AppPath(appDir, kUserFoldersFile));
}

void TfrmMain::btnDCRemovePathClick(fw::TObject*) {
  EnsureUserFoldersFile(appDir);
  fw::TListItem* item = lvDCDrive->GetSelected();
  if (!item || !IsUserFolderRow(item)) return;
  item->Delete();
  SaveUserFolderRows();
}

void TfrmMain::SetDCSearching(bool searching) {
  barMenu->SetEnabled(!searching);
  for (fw::TControl* control : std::initializer_list<fw::TControl*>{btnDCAddPath, btnDCRemovePath, btnDCSearch,
                                                                    lvDCDrive, kBitBtn5, kBitBtn6, kBitBtn7})
    control->SetEnabled(!searching);
  btnDCStop->SetEnabled(searching);
  btnDCDelete->SetEnabled(!searching && lvDCResult->GetItems()->GetCount() > 0);
}

void TfrmMain::UpdateDCTotals() {
  lblDCFileCount->SetCaption(fw::IntToStr(fileCount));
  lblDCFileSize->SetCaption(FormatFileSize(fileSize));
}

void TfrmMain::StartAnimation() { Anim->SetActive(true); }

void TfrmMain::StopAnimation() { Anim->SetActive(false); }

bool TfrmMain::LoadDCMasks() {
  if (!fw::FileExists(AppPath(appDir, kExtIni))) EnsureExtIni(appDir);
  fw::TStringList lines;
  LoadIfExists(lines, AppPath(appDir, kExtIni));
  fw::TStringList* masks = dcSearcher->GetFileParams()->GetFileMasks();
  masks->Clear();
  for (int i = 0; i < lines.GetCount(); ++i) {
    const std::string& line = lines.GetStrings(i);
    size_t first = line.find('=');
    if (first == std::string::npos) continue;
    size_t second = line.find('=', first + 1);
    if (second == std::string::npos) continue;
    std::string mask = line.substr(0, first);
    if (fw::Trim(mask).empty()) continue;
    if (fw::Trim(fw::LowerCase(line.substr(second + 1))) == "true") masks->Add(mask);
  }
  dcSearcher->GetFileParams()->UpdateCaseMasks();
  return masks->GetCount() > 0;
}

void TfrmMain::btnDCSearchClick(fw::TObject*) {
  bool searched = false;
  {
    SetDCSearching(true);
    TScopeExit restore([this] {
      exceptFiles.reset();
      exceptFolders.reset();
      SetDCSearching(false);
      StopAnimation();
    });
    lvDCResult->GetItems()->Clear();
    fileCount = 0;
    fileSize = 0;
    lblDCFileCount->SetCaption("0");
    lblDCFileSize->SetCaption("0");
    canceled = false;
    exceptFiles = std::make_unique<fw::TStringList>();
    exceptFolders = std::make_unique<fw::TStringList>();
    LoadIfExists(*exceptFiles, AppPath(appDir, kFileExclusionsFile));
    LoadIfExists(*exceptFolders, AppPath(appDir, kFolderExclusionsFile));
    exceptFiles->SetSorted(true);
    for (int i = 0; i < exceptFolders->GetCount(); ++i)
      exceptFolders->SetStrings(i, fw::UpperCase(exceptFolders->GetStrings(i)));
    StartAnimation();
    kBar->GetPanels()->GetItems(0)->SetText("Search for junk file...");
    if (LoadDCMasks()) {
      searched = true;
      FScanFolder = FolderKey(ReadScanFolder(appDir));
      FLastProgress = fw::GetTickCount() - kProgressInterval;
      SuspendList(lvDCResult);
      TScopeExit redraw([this] {
        ResumeList(lvDCResult);
        UpdateDCTotals();
      });
      fw::TListItems* roots = lvDCDrive->GetItems();
      for (int i = 0; i < roots->GetCount() && !canceled; ++i) {
        fw::TListItem* root = roots->GetItem(i);
        if (!root->GetChecked()) continue;
        dcSearcher->SetRootDirectory(fw::Trim(root->GetCaption()));
        dcSearcher->Search();
      }
    }
  }
  kBar->GetPanels()->GetItems(2)->SetText("");
  if (!searched) {
    kBar->GetPanels()->GetItems(0)->SetText("No junk file mask is enabled");
  } else if (canceled) {
    kBar->GetPanels()->GetItems(0)->SetText("Canceled by user");
  } else {
    kBar->GetPanels()->GetItems(0)->SetText("Search done");
    skin::kMessageDlg("Complete.", fw::mtInformation, fw::TMsgDlgButtons{fw::mbOK}, 0);
  }
}

void TfrmMain::btnDCStopClick(fw::TObject*) {
  StopAnimation();
  canceled = true;
  dcSearcher->Abort();
}

void TfrmMain::dcSearcherBeginScanDir(fw::TObject*, const std::string& AName) {
  kBar->GetPanels()->GetItems(2)->SetText("Searching in " + AName + "...");
}

void TfrmMain::dcSearcherFindFile(fw::TObject*, const std::string& AName) {
  if (exceptFiles && exceptFiles->IndexOf(fw::UpperCase(fw::ExtractFileName(AName))) >= 0) return;
  std::string upper = fw::UpperCase(AName);
  if (exceptFolders) {
    for (int i = 0; i < exceptFolders->GetCount(); ++i) {
      const std::string& folder = exceptFolders->GetStrings(i);
      if (!folder.empty() && upper.find(folder) != std::string::npos) return;
    }
  }
  if (!FScanFolder.empty() && FScanFolder == fw::ExtractFilePath(upper)) return;

  uint64_t size = svc::FindDataSize(dcSearcher->GetFindData());
  fw::TListItem* item = lvDCResult->GetItems()->Add();
  item->SetCaption(AName);
  item->GetSubItems()->Add(FormatFileSize(static_cast<int64_t>(size)));
  item->GetSubItems()->Add(fw::IntToStr(size));
  ++fileCount;
  fileSize += static_cast<int64_t>(size);
}

void TfrmMain::dcSearcherProgress(fw::TObject*) {
  if (fw::GetTickCount() - FLastProgress < kProgressInterval) return;
  UpdateDCTotals();
  ResumeList(lvDCResult);
  fw::Application->ProcessMessages();
  SuspendList(lvDCResult);
  FLastProgress = fw::GetTickCount();
}

void TfrmMain::btnDCDeleteClick(fw::TObject*) {
  if (skin::kMessageDlg("Delete files?", fw::mtConfirmation, fw::TMsgDlgButtons{fw::mbYes, fw::mbNo}, 0) != fw::mrYes)
    return;
  int method = ReadRemoveMethod(appDir);
  fw::Application->ProcessMessages();
  std::string target = ReadRemoveFolder(appDir);
  fw::TListItems* rows = lvDCResult->GetItems();
  for (int i = rows->GetCount() - 1; i >= 0; --i) {
    if (i >= rows->GetCount() || !rows->GetItem(i)->GetChecked()) continue;
    fw::Application->ProcessMessages();
    if (i >= rows->GetCount()) continue;
    EnsureConfigFolders(appDir);
    if (!ShellFileOperation(rows->GetItem(i)->GetCaption(), target, method)) continue;
    fw::Application->ProcessMessages();
    if (i >= rows->GetCount()) continue;
    fw::TListItem* item = rows->GetItem(i);
    --fileCount;
    fileSize -= fw::StrToInt64Def(item->GetSubItems()->GetStrings(kRealSizeSubItem), 0);
    UpdateDCTotals();
    item->Delete();
  }
  skin::kMessageDlg(rows->GetCount() == 0 ? "Complete." : "Complete. Some files can not be deleted.",
                    fw::mtInformation, fw::TMsgDlgButtons{fw::mbOK}, 0);
}

void TfrmMain::SetDCChecks(int mode) {
  fw::TListItems* rows = lvDCResult->GetItems();
  rows->BeginUpdate();
  for (int i = 0; i < rows->GetCount(); ++i) {
    fw::TListItem* item = rows->GetItem(i);
    item->SetChecked(mode == 0 ? true : mode == 1 ? false : !item->GetChecked());
  }
  rows->EndUpdate();
}

void TfrmMain::kBitBtn5Click(fw::TObject*) { SetDCChecks(0); }

void TfrmMain::kBitBtn6Click(fw::TObject*) { SetDCChecks(1); }

void TfrmMain::kBitBtn7Click(fw::TObject*) { SetDCChecks(2); }

}  // namespace app
