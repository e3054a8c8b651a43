#include "app/tools/drive_cleaner.h"

#include "app/main/main_form.h"
#include "app/shared/config_files.h"
#include "app/shared/file_procedures.h"
#include "app/shared/shell_file_operation.h"
#include "app/tools/search_run.h"
#include "framework/forms/application.h"
#include "framework/rtl/file_utils.h"
#include "framework/rtl/sys_utils.h"
#include "skin/controls/message_dialogs.h"

namespace app {

namespace {

// The "type" value of a user-folder row in the path list.
constexpr char kUserFolderType[] = "-1";
// Sub-item of the "type" column in the path list and of the "real size" column in the results.
constexpr int kTypeSubItem = 5;
constexpr int kRealSizeSubItem = 1;
// How long a running search works between two turns of letting window messages through; the
// totals and the folder being searched are shown at those turns (nobody sees them in between).
constexpr DWORD kProgressInterval = 100;

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

}  // namespace

TDriveCleaner::TDriveCleaner(TfrmMain& form, skin::TkPanel& panel) : FForm(form), FPanel(panel) {
  fw::TLoadScope loading;
  CreateComponents();
}

void TDriveCleaner::Show() {
  lvDCDrive->GetItems()->Clear();
  AddDriveRows();
  FForm.ShowToolPanel(&FPanel, [this] {
    if (FForm.settingsKept) EnsureUserFoldersFile(FForm.appDir);
    AddUserFolderRows();
  });
}

void TDriveCleaner::AddDriveRows() {
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

void TDriveCleaner::AddUserFolderRow(const std::string& path) {
  fw::TListItem* item = lvDCDrive->GetItems()->Add();
  item->SetCaption(path);
  fw::TStrings* sub = item->GetSubItems();
  for (int i = 0; i < kTypeSubItem; ++i) sub->Add("");
  sub->Add(kUserFolderType);
  item->SetImageIndex(16);
}

void TDriveCleaner::AddUserFolderRows() {
  fw::TStringList folders;
  LoadIfExists(folders, AppPath(FForm.appDir, kUserFoldersFile));
  for (int i = 0; i < folders.GetCount(); ++i)
    if (!fw::Trim(folders.GetStrings(i)).empty()) AddUserFolderRow(folders.GetStrings(i));
}

void TDriveCleaner::SaveUserFolderRows() {
  fw::TStringList folders;
  fw::TListItems* rows = lvDCDrive->GetItems();
  for (int i = 0; i < rows->GetCount(); ++i)
    if (IsUserFolderRow(rows->GetItem(i))) folders.Add(rows->GetItem(i)->GetCaption());
  EnsureConfigFolders(FForm.appDir);
  folders.SaveToFile(AppPath(FForm.appDir, kUserFoldersFile));
}

void TDriveCleaner::btnDCAddPathClick(fw::TObject*) {
  if (!FForm.kBrowser->Execute()) return;
  std::string path = FForm.kBrowser->GetPath();
  AddUserFolderRow(path);
  fw::TStringList folders;
  LoadIfExists(folders, AppPath(FForm.appDir, kUserFoldersFile));
  folders.Add(path);
  EnsureConfigFolders(FForm.appDir);
  folders.SaveToFile(AppPath(FForm.appDir, kUserFoldersFile));
}

void TDriveCleaner::btnDCRemovePathClick(fw::TObject*) {
  EnsureUserFoldersFile(FForm.appDir);
  fw::TListItem* item = lvDCDrive->GetSelected();
  if (!item || !IsUserFolderRow(item)) return;
  item->Delete();
  SaveUserFolderRows();
}

void TDriveCleaner::UpdateTotals() {
  lblDCFileCount->SetCaption(fw::IntToStr(FForm.fileCount));
  lblDCFileSize->SetCaption(FormatFileSize(FForm.fileSize));
}

bool TDriveCleaner::LoadMasks() {
  if (!fw::FileExists(AppPath(FForm.appDir, kExtIni))) EnsureExtIni(FForm.appDir);
  fw::TStringList lines;
  LoadIfExists(lines, AppPath(FForm.appDir, kExtIni));
  fw::TStringList* masks = FForm.dcSearcher->GetFileParams()->GetFileMasks();
  // The search parameters follow the list once, when the update ends: each mask is then
  // upper-cased and stored once, not the whole list again for every mask added.
  masks->BeginUpdate();
  try {
    masks->Clear();
    for (int i = 0; i < lines.GetCount() && !FForm.canceled; ++i) {
      TExtensionRow row = ParseExtensionLine(lines.GetStrings(i));
      if (row.Checked && !fw::Trim(row.Mask).empty()) masks->Add(row.Mask);
      FRun->Pump();
    }
  } catch (...) {
    masks->EndUpdate();
    throw;
  }
  masks->EndUpdate();
  return masks->GetCount() > 0;
}

bool TDriveCleaner::SearchTickedPaths() {
  bool searched = false;
  TSearchRun run(FForm.Anim,
                 {FForm.barMenu, btnDCAddPath, btnDCRemovePath, btnDCSearch, lvDCDrive, kBitBtn5, kBitBtn6, kBitBtn7,
                  btnDCDelete},
                 btnDCStop, kProgressInterval);
  run.OnPump = [this] {
    UpdateTotals();
    FForm.kBar->GetPanels()->GetItems(2)->SetText(FScanning);
  };
  run.OnEnd = [this, &searched] {
    FRun = nullptr;
    FForm.exceptFiles.reset();
    FForm.exceptFolders.reset();
    if (searched) UpdateTotals();
    btnDCDelete->SetEnabled(lvDCResult->GetItems()->GetCount() > 0);
    // The rows the list has not shown yet come with its next paint.
    lvDCResult->Invalidate();
  };
  lvDCResult->GetItems()->Clear();
  FForm.fileCount = 0;
  FForm.fileSize = 0;
  lblDCFileCount->SetCaption("0");
  lblDCFileSize->SetCaption("0");
  FForm.canceled = false;
  FForm.exceptFiles = std::make_unique<fw::TStringList>();
  FForm.exceptFolders = std::make_unique<fw::TStringList>();
  LoadIfExists(*FForm.exceptFiles, AppPath(FForm.appDir, kFileExclusionsFile));
  LoadIfExists(*FForm.exceptFolders, AppPath(FForm.appDir, kFolderExclusionsFile));
  FForm.exceptFiles->SetSorted(true);
  for (int i = 0; i < FForm.exceptFolders->GetCount(); ++i)
    FForm.exceptFolders->SetStrings(i, fw::UpperCase(FForm.exceptFolders->GetStrings(i)));
  FForm.kBar->GetPanels()->GetItems(0)->SetText("Search for junk file...");
  FScanning.clear();
  FRun = &run;
  // A long mask list takes a while: Stop ends it as it ends the search.
  if (!LoadMasks() && !FForm.canceled) return false;
  searched = true;
  FScanFolder = FolderKey(ReadScanFolder(FForm.appDir));
  fw::TListItems* roots = lvDCDrive->GetItems();
  for (int i = 0; i < roots->GetCount() && !FForm.canceled; ++i) {
    fw::TListItem* root = roots->GetItem(i);
    if (!root->GetChecked()) continue;
    FForm.dcSearcher->SetRootDirectory(fw::Trim(root->GetCaption()));
    FForm.dcSearcher->Search();
  }
  return true;
}

void TDriveCleaner::btnDCSearchClick(fw::TObject*) {
  bool searched = SearchTickedPaths();
  fw::TStatusPanels* panels = FForm.kBar->GetPanels();
  panels->GetItems(2)->SetText("");
  if (!searched) {
    panels->GetItems(0)->SetText("No junk file mask is enabled");
  } else if (FForm.canceled) {
    panels->GetItems(0)->SetText("Canceled by user");
  } else {
    panels->GetItems(0)->SetText("Search done");
    skin::kMessageDlg("Complete.", fw::mtInformation, fw::TMsgDlgButtons{fw::mbOK}, 0);
  }
}

void TDriveCleaner::btnDCStopClick(fw::TObject*) {
  FForm.Anim->SetActive(false);
  FForm.canceled = true;
  FForm.dcSearcher->Abort();
}

void TDriveCleaner::dcSearcherBeginScanDir(fw::TObject*, const std::string& AName) {
  FScanning = "Searching in " + AName + "...";
}

void TDriveCleaner::dcSearcherFindFile(fw::TObject*, const std::string& AName) {
  const fw::TStringList* files = FForm.exceptFiles.get();
  if (files && files->IndexOf(fw::UpperCase(fw::ExtractFileName(AName))) >= 0) return;
  std::string upper = fw::UpperCase(AName);
  if (const fw::TStringList* folders = FForm.exceptFolders.get()) {
    for (int i = 0; i < folders->GetCount(); ++i) {
      const std::string& folder = folders->GetStrings(i);
      if (!folder.empty() && upper.find(folder) != std::string::npos) return;
    }
  }
  if (!FScanFolder.empty() && FScanFolder == fw::ExtractFilePath(upper)) return;

  uint64_t size = svc::FindDataSize(FForm.dcSearcher->GetFindData());
  fw::TListItem* item = lvDCResult->GetItems()->Add();
  item->SetCaption(AName);
  item->GetSubItems()->Add(FormatFileSize(static_cast<int64_t>(size)));
  item->GetSubItems()->Add(fw::IntToStr(size));
  ++FForm.fileCount;
  FForm.fileSize += static_cast<int64_t>(size);
}

void TDriveCleaner::dcSearcherProgress(fw::TObject*) {
  if (FRun) FRun->Pump();
}

// Nothing ticked: nothing to ask about, remove or report. Otherwise only a ticked file that
// stays counts as a failure; unticked rows are left as the user chose.
void TDriveCleaner::btnDCDeleteClick(fw::TObject*) {
  fw::TListItems* rows = lvDCResult->GetItems();
  bool anyTicked = false;
  for (int i = 0; i < rows->GetCount() && !anyTicked; ++i) anyTicked = rows->GetItem(i)->GetChecked();
  if (!anyTicked) return;
  if (skin::kMessageDlg("Delete files?", fw::mtConfirmation, fw::TMsgDlgButtons{fw::mbYes, fw::mbNo}, 0) != fw::mrYes)
    return;
  int method = ReadRemoveMethod(FForm.appDir);
  fw::Application->ProcessMessages();
  std::string target = ReadRemoveFolder(FForm.appDir);
  bool failed = false;
  for (int i = rows->GetCount() - 1; i >= 0; --i) {
    if (i >= rows->GetCount() || !rows->GetItem(i)->GetChecked()) continue;
    fw::Application->ProcessMessages();
    if (i >= rows->GetCount()) continue;
    EnsureConfigFolders(FForm.appDir);
    if (!ShellFileOperation(rows->GetItem(i)->GetCaption(), target, method, FForm.GetHandle())) {
      failed = true;
      continue;
    }
    fw::Application->ProcessMessages();
    if (i >= rows->GetCount()) continue;
    fw::TListItem* item = rows->GetItem(i);
    --FForm.fileCount;
    FForm.fileSize -= fw::StrToInt64Def(item->GetSubItems()->GetStrings(kRealSizeSubItem), 0);
    UpdateTotals();
    item->Delete();
  }
  skin::kMessageDlg(failed ? "Complete. Some files can not be deleted." : "Complete.",
                    fw::mtInformation, fw::TMsgDlgButtons{fw::mbOK}, 0);
}

void TDriveCleaner::SetChecks(int mode) {
  fw::TListItems* rows = lvDCResult->GetItems();
  rows->BeginUpdate();
  for (int i = 0; i < rows->GetCount(); ++i) {
    fw::TListItem* item = rows->GetItem(i);
    item->SetChecked(mode == 0 ? true : mode == 1 ? false : !item->GetChecked());
  }
  rows->EndUpdate();
}

void TDriveCleaner::kBitBtn5Click(fw::TObject*) { SetChecks(0); }

void TDriveCleaner::kBitBtn6Click(fw::TObject*) { SetChecks(1); }

void TDriveCleaner::kBitBtn7Click(fw::TObject*) { SetChecks(2); }

}  // namespace app
