#include "app/tools/shortcut_doctor.h"

#include "app/main/main_form.h"
#include "app/shared/config_files.h"
#include "app/shared/file_procedures.h"
#include "app/shared/shell_file_operation.h"
#include "app/shared/shortcut_info.h"
#include "app/tools/search_run.h"
#include "framework/forms/application.h"
#include "framework/rtl/file_utils.h"
#include "framework/rtl/sys_utils.h"
#include "framework/rtl/wide_text.h"
#include "skin/controls/message_dialogs.h"

namespace app {

namespace {

// The first row of the path list: the Desktop alone.
constexpr int kSpecialFolderRow = 0;
// How long a running search works between two turns of letting window messages through.
constexpr DWORD kProgressInterval = 100;

int DriveImage(int driveType) {
  switch (driveType) {
    case DRIVE_FIXED: return 17;
    case DRIVE_REMOTE: return 15;
    default: return -1;
  }
}

void AddRow(fw::TListItems* rows, const std::string& caption, const std::vector<std::string>& subItems, int image) {
  fw::TListItem* item = rows->Add();
  item->SetCaption(caption);
  for (const std::string& text : subItems) item->GetSubItems()->Add(text);
  item->SetImageIndex(image);
}

// What the link object puts for a character of the link's path text it could not convert.
constexpr char kUnreadable[] = "\xEF\xBF\xBD";  // U+FFFD

// Whether a link's target counts as a missing file: it was read exactly (a path holding U+FFFD
// names some other file: whether the real one exists is unknown), its extension (from the last
// dot of its file name, the dot included) is four characters long (counted in UTF-16 units, as
// the system counts them, not in UTF-8 bytes) and nothing of that path exists.
bool IsMissingFile(const std::string& target) {
  return target.find(kUnreadable) == std::string::npos && fw::Utf8ToWide(fw::ExtractFileExt(target)).size() == 4 &&
         !fw::FileExists(target) && !fw::DirectoryExists(target);
}

}  // namespace

TShortcutDoctor::TShortcutDoctor(TfrmMain& form, skin::TkPanel& panel) : FForm(form), FPanel(panel) {
  fw::TLoadScope loading;
  CreateComponents();
}

std::string TShortcutDoctor::ShortcutPath(fw::TListItem* item) {
  const auto* path = static_cast<const std::string*>(item->GetData());
  return path ? *path : std::string();
}

void TShortcutDoctor::Show() {
  FSettingTicks = true;
  fw::TListItems* rows = lvSDPath->GetItems();
  rows->BeginUpdate();
  rows->Clear();
  AddRow(rows, "Only special folder", {}, 45);
  rows->GetItem(kSpecialFolderRow)->SetChecked(true);
  if (driveList) {
    for (const TDriveInfo& drive : *driveList) {
      if (drive.DriveType == DRIVE_REMOVABLE) continue;
      AddRow(rows, drive.Root,
             {drive.VolumeLabel, drive.FileSystem, drive.Serial, FormatFileSize(drive.TotalSize),
              FormatFileSize(drive.FreeSize), fw::IntToStr(drive.DriveType)},
             DriveImage(drive.DriveType));
    }
  }
  rows->EndUpdate();
  FSettingTicks = false;
  RememberTicks();
}

void TShortcutDoctor::RememberTicks() {
  fw::TListItems* rows = lvSDPath->GetItems();
  FTicks.assign(rows->GetCount(), false);
  for (int i = 0; i < rows->GetCount(); ++i) FTicks[i] = rows->GetItem(i)->GetChecked();
}

void TShortcutDoctor::lvSDPathMouseUp(fw::TObject*, fw::TMouseButton, fw::TShiftState, int, int) {
  EnsureDisabledRegistryFiles(FForm.appDir);
}

void TShortcutDoctor::lvSDPathChange(fw::TObject*, fw::TListItem* Item, fw::TItemChange Change) {
  if (FSettingTicks || Change != fw::ctState || !Item) return;
  int index = Item->GetIndex();
  bool ticked = Item->GetChecked();
  bool before = index < static_cast<int>(FTicks.size()) && FTicks[index];
  if (ticked == before) return;  // a change of selection or focus
  fw::TListItems* rows = lvSDPath->GetItems();
  FSettingTicks = true;
  if (index == kSpecialFolderRow) {
    if (ticked)
      for (int i = kSpecialFolderRow + 1; i < rows->GetCount(); ++i) rows->GetItem(i)->SetChecked(false);
  } else {
    bool anyPath = false;
    for (int i = kSpecialFolderRow + 1; i < rows->GetCount(); ++i) anyPath = anyPath || rows->GetItem(i)->GetChecked();
    rows->GetItem(kSpecialFolderRow)->SetChecked(!anyPath);
  }
  FSettingTicks = false;
  RememberTicks();
}

void TShortcutDoctor::btnSDAddPathClick(fw::TObject*) {
  if (!FForm.kBrowser->Execute()) return;
  std::string path = FForm.kBrowser->GetPath();
  FSettingTicks = true;
  AddRow(lvSDPath->GetItems(), path, {"", "", "", "", "", "-1"}, 16);
  FSettingTicks = false;
  RememberTicks();
  AppendUserFolder(FForm.appDir, path);
}

void TShortcutDoctor::SearchRoot(const std::string& root) {
  std::string folder = fw::Trim(root);
  if (folder.empty() || FForm.canceled) return;
  FForm.sdSearcher->SetRootDirectory(folder);
  FForm.sdSearcher->Search();
}

void TShortcutDoctor::btnSDSearchClick(fw::TObject*) {
  FForm.canceled = false;
  lvSDRes->GetItems()->Clear();
  FPaths.clear();
  {
    TSearchRun run(FForm.Anim,
                   {FForm.barMenu, lvSDPath, btnSDAddPath, btnSDRemovePath, btnSDSearch, btnSDRepare, btnSDDelete},
                   btnSDStop, kProgressInterval);
    run.OnPump = [this] { FForm.kBar->GetPanels()->GetItems(2)->SetText(FScanning); };
    run.OnEnd = [this] {
      FRun = nullptr;
      bool found = lvSDRes->GetItems()->GetCount() > 0;
      btnSDRepare->SetEnabled(found);
      btnSDDelete->SetEnabled(found);
    };
    FForm.kBar->GetPanels()->GetItems(0)->SetText("Searching invalid shortcut");
    FScanning.clear();
    FRun = &run;
    fw::TListItems* roots = lvSDPath->GetItems();
    if (roots->GetItem(kSpecialFolderRow)->GetChecked()) {
      SearchRoot(FForm.compInfo->GetFolders()->GetSpecialFolder(CSIDL_DESKTOP));
    } else {
      for (int i = kSpecialFolderRow + 1; i < roots->GetCount() && !FForm.canceled; ++i)
        if (roots->GetItem(i)->GetChecked()) SearchRoot(roots->GetItem(i)->GetCaption());
    }
  }
  fw::TStatusPanels* panels = FForm.kBar->GetPanels();
  panels->GetItems(0)->SetText(FForm.canceled ? "Canceled by user" : "Search done");
  panels->GetItems(2)->SetText("    " + fw::IntToStr(lvSDRes->GetItems()->GetCount()) + " invalid shortcuts found");
  FForm.Anim->SetActive(false);
  FForm.kBar->Repaint();
  if (!FForm.canceled) skin::kMessageDlg("Complete.", fw::mtInformation, fw::TMsgDlgButtons{fw::mbOK}, 0);
}

void TShortcutDoctor::btnSDStopClick(fw::TObject*) {
  FForm.Anim->SetActive(false);
  FForm.canceled = true;
  FForm.sdSearcher->Abort();
}

void TShortcutDoctor::sdSearcherBeginScanDir(fw::TObject*, const std::string& AName) {
  FScanning = "Searching in " + AName + "...";
}

void TShortcutDoctor::sdSearcherFindFile(fw::TObject*, const std::string& AName) {
  TShortcutInfo info;
  info.FileName = AName;  // whole, at any length
  ReadShortcutInfo(info);
  const std::string& target = info.Path;
  if (!IsMissingFile(target)) return;
  FPaths.push_back(AName);
  fw::TListItem* item = lvSDRes->GetItems()->Add();
  item->SetCaption(fw::ExtractFileName(AName));
  item->GetSubItems()->Add(target);
  item->GetSubItems()->Add("file not exist");
  item->SetData(&FPaths.back());
}

void TShortcutDoctor::sdSearcherProgress(fw::TObject*) {
  if (FRun) FRun->Pump();
}

void TShortcutDoctor::sdSearcherAbort(fw::TObject*) {
  FForm.kBar->GetPanels()->GetItems(0)->SetText("Canceled by user...");
  FForm.Anim->SetActive(false);
}

void TShortcutDoctor::btnSDDeleteClick(fw::TObject*) {
  if (skin::kMessageDlg("Delete files?", fw::mtConfirmation, fw::TMsgDlgButtons{fw::mbYes, fw::mbNo}, 0) != fw::mrYes)
    return;
  int method = ReadRemoveMethod(FForm.appDir);
  std::string target = ReadRemoveFolder(FForm.appDir);
  bool failed = false;
  fw::TListItems* rows = lvSDRes->GetItems();
  for (int i = rows->GetCount() - 1; i >= 0; --i) {
    if (i >= rows->GetCount() || !rows->GetItem(i)->GetChecked()) continue;
    fw::Application->ProcessMessages();
    if (i >= rows->GetCount()) continue;
    fw::TListItem* item = rows->GetItem(i);
    std::string path = ShortcutPath(item);
    if (path.empty() || !fw::FileExists(path) || !ShellFileOperation(path, target, method, FForm.GetHandle())) {
      failed = true;
      continue;
    }
    item->Delete();
  }
  skin::kMessageDlg(failed ? "Complete. Some files can not be deleted." : "Complete.", fw::mtInformation,
                    fw::TMsgDlgButtons{fw::mbOK}, 0);
}

}  // namespace app
