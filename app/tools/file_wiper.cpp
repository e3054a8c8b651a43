#include "app/tools/file_wiper.h"

#include <set>
#include <utility>

#include "app/main/main_form.h"
#include "app/tools/search_run.h"
#include "app/tools/wipe_file.h"
#include "framework/forms/application.h"
#include "framework/rtl/file_utils.h"
#include "framework/rtl/sys_utils.h"
#include "framework/rtl/wide_path.h"
#include "skin/controls/message_dialogs.h"

namespace app {

namespace {

constexpr int kFolderSubItem = 0;
constexpr int kStatusSubItem = 1;
constexpr char kWaiting[] = "Waiting";
constexpr char kDeleting[] = "Deleting";

void SetStatus(fw::TListItem* row, const std::string& status) {
  fw::TStrings* sub = row->GetSubItems();
  while (sub->GetCount() <= kStatusSubItem) sub->Add("");
  sub->SetStrings(kStatusSubItem, status);
}

bool IsLink(const std::string& path) {
  DWORD attributes = GetFileAttributesW(fw::FileApiPath(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

bool Exists(const std::string& path) { return GetFileAttributesW(fw::FileApiPath(path).c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

TFileWiper::TFileWiper(TfrmMain& form, skin::TkPanel& panel) : FForm(form), FPanel(panel) {
  fw::TLoadScope loading;
  CreateComponents();
}

std::string TFileWiper::RowFileName(fw::TListItem* row) {
  fw::TStrings* sub = row->GetSubItems();
  std::string folder = sub->GetCount() > kFolderSubItem ? sub->GetStrings(kFolderSubItem) : std::string();
  return fw::IncludeTrailingBackslash(folder) + row->GetCaption();
}

void TFileWiper::AddRow(const std::string& fileName) {
  fw::TListItem* row = fwLV->GetItems()->Add();
  row->SetCaption(fw::ExtractFileName(fileName));
  row->GetSubItems()->Add(fw::ExtractFileDir(fileName));
  row->GetSubItems()->Add(kWaiting);
}

void TFileWiper::UpdateClearButton() { kBitBtn4->SetEnabled(fwLV->GetItems()->GetCount() > 0); }

void TFileWiper::kSpeedButton1Click(fw::TObject*) {
  // A cancel, or an item without a file-system path, leaves the edit and the list as they are.
  if (!SvBrowser1->Execute() || SvBrowser1->GetPath().empty()) return;
  kEdit6->SetText(SvBrowser1->GetPath());
  const std::string path = kEdit6->GetText();
  if (fw::FileExists(path)) {
    AddRow(path);
    btnFWDelete->SetEnabled(true);
  } else if (fw::DirectoryExists(path)) {
    if (IsLink(path)) {
      skin::kShowMessage(fw::Format("%s is a link to another folder; its files are not listed.", fw::DisplayPath(path)));
      return;
    }
    ListFolder(path);
  }
  UpdateClearButton();
}

void TFileWiper::ListFolder(const std::string& folder) {
  fw::TStatusPanels* panels = FForm.kBar->GetPanels();
  {
    // The frame bar and the panel are disabled while the tool works.
    TSearchRun run(FForm.Anim, {FForm.barMenu, &FPanel}, nullptr, 0);
    run.OnEnd = [this] { UpdateClearButton(); };
    panels->GetItems(0)->SetText("Searching for files...");
    FForm.fwSearcher->SetRootDirectory(folder);
    FForm.fwSearcher->Search();
  }
  panels->GetItems(0)->SetText("");
  panels->GetItems(2)->SetText("Complete...");
  btnFWDelete->SetEnabled(true);
}

void TFileWiper::fwSearcherBeginScanDir(fw::TObject*, const std::string& AName) {
  FForm.kBar->GetPanels()->GetItems(2)->SetText(fw::Format("Searching in %s...", fw::DisplayPath(AName)));
}

void TFileWiper::fwSearcherFindFile(fw::TObject*, const std::string& AName) { AddRow(AName); }

void TFileWiper::fwSearcherProgress(fw::TObject*) { fw::Application->ProcessMessages(); }

void TFileWiper::kBitBtn4Click(fw::TObject*) {
  fwLV->GetItems()->Clear();
  btnFWDelete->SetEnabled(false);
  UpdateClearButton();
}

void TFileWiper::btnFWDeleteClick(fw::TObject*) {
  if (skin::kMessageDlg("Delete files? Deleted files can not be restored!", fw::mtWarning,
                        fw::TMsgDlgButtons{fw::mbOK, fw::mbCancel}, 0) != fw::mrOk)
    return;
  bool someLeft = false;
  {
    TSearchRun run(FForm.Anim, {FForm.barMenu, &FPanel}, nullptr, 0);
    run.OnEnd = [this] {
      btnFWDelete->SetEnabled(true);
      UpdateClearButton();
    };
    // The same file may be listed twice: once wiped, its other rows go with it.
    std::set<std::string> wiped;
    fw::TListItems* rows = fwLV->GetItems();
    for (int i = rows->GetCount() - 1; i >= 0; --i) {
      fw::TListItem* row = rows->GetItem(i);
      if (!row->GetChecked()) continue;
      const std::string fileName = RowFileName(row);
      const std::string key = fw::AnsiUpperCase(fileName);
      if (wiped.count(key) && !Exists(fileName)) {
        row->Delete();
        continue;
      }
      SetStatus(row, kDeleting);
      TWipeResult result = WipeFile(fileName);
      if (result == wrWiped) {
        wiped.insert(key);
        row->Delete();
      } else {
        SetStatus(row, WipeResultText(result));
        someLeft = true;
      }
    }
  }
  skin::kShowMessage(someLeft ? "Complete. Some files can not be deleted." : "Complete.");
}

}  // namespace app
