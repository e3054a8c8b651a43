// The Duplicate finder's search, result list and file actions.
#include "app/tools/duplicate_finder.h"

#include <utility>
#include <vector>

#include "app/dialogs/file_group_form.h"
#include "app/shared/config_files.h"
#include "app/shared/file_procedures.h"
#include "app/shared/shell_file_operation.h"
#include "app/tools/file_digests.h"
#include "framework/forms/application.h"
#include "framework/rtl/file_utils.h"
#include "framework/rtl/ini_file.h"
#include "framework/rtl/seams.h"
#include "framework/rtl/sys_utils.h"
#include "services/system/system_folders.h"
#include "skin/controls/message_dialogs.h"

namespace app {

namespace {

// Sub-items of a result row: extension, folder, size text, digest, size in bytes.
constexpr int kFolderSubItem = 1;
// How often, at most, a running search lets window messages through.
constexpr DWORD kPumpInterval = 25;
// The message after a copy, move or removal in which a ticked file failed.
constexpr char kSomeFailed[] = "Complete. Some files can not be deleted.";

std::string& WindowsFolderOverride() {
  static std::string folder;
  return folder;
}

std::string LineName(const std::string& line) { return line.substr(0, line.find('=')); }

void Inform(const std::string& text) {
  skin::kMessageDlg(text, fw::mtInformation, fw::TMsgDlgButtons{fw::mbOK}, 0);
}

// Runs an action when the scope is left, whichever way.
class TOnExit {
 public:
  explicit TOnExit(std::function<void()> action) : FAction(std::move(action)) {}
  ~TOnExit() { FAction(); }
  TOnExit(const TOnExit&) = delete;
  TOnExit& operator=(const TOnExit&) = delete;

 private:
  std::function<void()> FAction;
};

}  // namespace

namespace testing {
std::string SetProtectedWindowsFolder(std::string folder) {
  return std::exchange(WindowsFolderOverride(), std::move(folder));
}
}  // namespace testing

std::string SplitNameValue(const std::string& line) {
  size_t eq = line.find('=');
  return eq == std::string::npos ? line : line.substr(eq + 1);
}

bool ContainsFolder(const std::string& fullName, const std::string& folder) {
  if (folder.empty()) return false;
  return fw::UpperCase(fullName).find(fw::UpperCase(folder)) != std::string::npos;
}

std::string SameFileKey(const std::string& fullName) {
  std::string key;
  key.reserve(fullName.size());
  for (char c : fw::UpperCase(fullName))
    if (c != '\\' || key.empty() || key.back() != '\\') key += c;
  return key;
}

TDuplicateFinder::TDuplicateFinder(TfrmMain& form, skin::TkPanel& panel) : FForm(form), FPanel(panel) {
  CreateControls();
}

void TDuplicateFinder::Show() {
  FForm.ShowToolPanel(&FPanel);
  FillGroup();
}

void TDuplicateFinder::FillGroup() {
  EnsureDupFinderExtIni(FForm.appDir);
  clbDFGroup->Clear();
  std::string fileName = AppPath(FForm.appDir, kDupFinderExtIni);
  if (!fw::FileExists(fileName)) return;
  fw::TIniFile ini(fileName);
  fw::TStringList sections;
  ini.ReadSections(sections);
  fw::TStringList groups;
  for (int i = 0; i < sections.GetCount(); ++i) {
    fw::TStringList values;
    ini.ReadSectionValues(sections.GetStrings(i), values);
    std::string masks;
    for (int k = 0; k < values.GetCount(); ++k) masks += (k ? "," : "") + SplitNameValue(values.GetStrings(k));
    groups.Add(sections.GetStrings(i) + "   (" + masks + ")");
  }
  clbDFGroup->GetItems()->Assign(&groups);
}

void TDuplicateFinder::kBitBtn9Click(fw::TObject*) {
  if (!FForm.kBrowser->Execute()) return;
  int index = lvDFPath->GetItems()->Add(FForm.kBrowser->GetPath());
  lvDFPath->SetChecked(index, true);
}

void TDuplicateFinder::kBitBtn10Click(fw::TObject*) { lvDFPath->DeleteSelected(); }

void TDuplicateFinder::kBitBtn11Click(fw::TObject*) { lvDFPath->Clear(); }

void TDuplicateFinder::kBitBtn12Click(fw::TObject*) {
  {
    fw::Owned<TfrmAddDFGroup> dialog = fw::MakeOwned<TfrmAddDFGroup>(nullptr);
    dialog->ShowModal();
  }
  FillGroup();
}

void TDuplicateFinder::SetSearching(bool searching) {
  FForm.barMenu->SetEnabled(!searching);
  for (fw::TControl* control : std::initializer_list<fw::TControl*>{kPageControl1, kPageControl2, btnDFSearch,
                                                                    btnDFCopy, btnDFMove, btnDFDelete})
    control->SetEnabled(!searching);
  btnDFStop->SetEnabled(searching);
  FForm.Anim->SetActive(searching);
}

void TDuplicateFinder::ApplySizeLimit(skin::TkSpinEdit* edit, skin::TkComboBox* unit, svc::TDsSearchType test,
                                      bool isMin) {
  svc::TDsSearchParams* params = FForm.dfSearcher->GetFileParams();
  svc::TDsSearchTypes types = params->GetSearchTypes();
  int value = edit->GetValue();
  // Zero or a negative value switches the test off.
  if (value <= 0) {
    types.Exclude(test);
  } else {
    static const int64_t kUnits[] = {1, 1024, 1048576};
    int index = unit->GetItemIndex();
    int64_t limit = static_cast<int64_t>(value) * kUnits[index >= 0 && index <= 2 ? index : 0];
    if (isMin)
      params->SetMinSize(limit);
    else
      params->SetMaxSize(limit);
    types.Include(test);
  }
  params->SetSearchTypes(types);
}

void TDuplicateFinder::ApplyOptions() {
  svc::TDsSearchFiles* searcher = FForm.dfSearcher;
  searcher->SetDirOption(kCheckBox2->GetChecked() ? svc::doIncludeSubDirs : svc::doExcludeSubDirs);
  svc::TDsAttrFlagKind hidden = kCheckBox3->GetChecked() ? svc::tsDontCare : svc::tsMustBeUnSet;
  svc::TDsAttrFlagKind system = kCheckBox1->GetChecked() ? svc::tsMustBeUnSet : svc::tsDontCare;
  for (svc::TDsSearchParams* params : {searcher->GetFileParams(), searcher->GetDirParams()}) {
    params->GetAttributes()->SetHidden(hidden);
    params->GetAttributes()->SetSystem(system);
  }
  ApplySizeLimit(fSizeMinEdit, fSizeMinCB, svc::stMinSize, true);
  ApplySizeLimit(fSizeMaxEdit, fSizeMaxCB, svc::stMaxSize, false);
}

void TDuplicateFinder::LoadMasks() {
  svc::TDsSearchParams* params = FForm.dfSearcher->GetFileParams();
  fw::TStringList* masks = params->GetFileMasks();
  masks->Clear();
  EnsureDupFinderExtIni(FForm.appDir);
  EnsureConfigFolders(FForm.appDir);
  fw::TIniFile ini(AppPath(FForm.appDir, kDupFinderExtIni));
  fw::TStringList sections;
  ini.ReadSections(sections);
  for (int i = 0; i < clbDFGroup->GetItems()->GetCount() && i < sections.GetCount(); ++i) {
    if (!clbDFGroup->GetChecked(i)) continue;
    fw::TStringList values;
    ini.ReadSectionValues(sections.GetStrings(i), values);
    for (int k = 0; k < values.GetCount(); ++k) masks->Add(SplitNameValue(values.GetStrings(k)));
  }
  params->UpdateCaseMasks();
}

void TDuplicateFinder::btnDFSearchClick(fw::TObject*) {
  lvDFRes->GetItems()->Clear();
  dupFileCount = 0;
  bool anyGroup = false;
  for (int i = 0; i < clbDFGroup->GetItems()->GetCount(); ++i) anyGroup = anyGroup || clbDFGroup->GetChecked(i);
  if (lvDFPath->GetItems()->GetCount() == 0 || !anyGroup) {
    Inform("Please enter a path and select file group");
    return;
  }
  ApplyOptions();
  LoadMasks();
  fw::TStatusPanels* panels = FForm.kBar->GetPanels();
  {
    SetSearching(true);
    TOnExit restore([this] {
      FForm.dupList.reset();
      FSeen.clear();
      SetSearching(false);
    });
    FForm.canceled = false;
    FForm.dupList = std::make_unique<fw::TStringList>();
    FWindowsFolder = WindowsFolderOverride().empty() ? svc::ReadWindowsFolder() : WindowsFolderOverride();
    FLastPump = fw::GetTickCount();
    fw::TStringList* paths = lvDFPath->GetItems();
    for (int i = 0; i < paths->GetCount() && !FForm.canceled; ++i) {
      if (!lvDFPath->GetChecked(i) || !fw::DirectoryExists(paths->GetStrings(i))) continue;
      FForm.dfSearcher->SetRootDirectory(paths->GetStrings(i));
      panels->GetItems(0)->SetText("Searching for duplicate");
      FForm.dfSearcher->Search();
      Pump(true);
    }
    AnalyzeDuplicates();
    ShowDuplicateGroups();
  }
  panels->GetItems(0)->SetText(FForm.canceled ? "Canceled by user" : "Search done");
  panels->GetItems(2)->SetText("    " + fw::IntToStr(lvDFRes->GetItems()->GetCount()) + " duplicate found");
  FForm.kBar->Repaint();
  if (!FForm.canceled) Inform("Complete.");
}

void TDuplicateFinder::btnDFStopClick(fw::TObject*) {
  FForm.dfSearcher->Abort();
  FForm.canceled = true;
}

void TDuplicateFinder::dfSearcherAbort(fw::TObject*) {
  FForm.kBar->GetPanels()->GetItems(0)->SetText("Canceled by user...");
  FForm.Anim->SetActive(false);
  FPendingCounts.clear();
  FForm.kBar->GetPanels()->GetItems(2)->SetText("");
}

void TDuplicateFinder::dfSearcherProgress(fw::TObject*) { Pump(); }

void TDuplicateFinder::dfSearcherFindFile(fw::TObject*, const std::string& AName) {
  uint64_t size = svc::FindDataSize(FForm.dfSearcher->GetFindData());
  bool protectedFile = kCheckBox1->GetChecked() && ContainsFolder(AName, FWindowsFolder);
  bool skippedEmpty = size == 0 && !kCheckBox4->GetChecked();
  // A file reached twice (overlapping search paths) is one candidate, not its own duplicate.
  if (!protectedFile && !skippedEmpty && FForm.dupList && FSeen.insert(SameFileKey(AName)).second) {
    FForm.dupList->Add(fw::IntToStr(size) + "=" + AName);
    ++dupFileCount;
  }
  SetCounts("Step 1 of 4 -   " + fw::IntToStr(dupFileCount) + " files loaded");
}

void TDuplicateFinder::SetCounts(const std::string& text) { FPendingCounts = text; }

void TDuplicateFinder::Pump(bool force) {
  DWORD now = fw::GetTickCount();
  if (!force && now - FLastPump < kPumpInterval) return;
  FLastPump = now;
  // The status bar can only show a text when messages run, so the latest one is written here.
  if (!FPendingCounts.empty()) {
    FForm.kBar->GetPanels()->GetItems(2)->SetText(FPendingCounts);
    FPendingCounts.clear();
  }
  fw::Application->ProcessMessages();
}

void TDuplicateFinder::AnalyzeDuplicates() {
  if (!FForm.dupList) return;
  FForm.dupList->Sort();
  KeepPartnered("Step 2 of 4 -   ");
  HashLines();
  FForm.dupList->Sort();
  KeepPartnered("Step 4 of 4 -   ");
  Pump(true);
}

void TDuplicateFinder::KeepPartnered(const char* stepText) {
  fw::TStringList& list = *FForm.dupList;
  int count = list.GetCount();
  std::vector<std::string> names(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) names[i] = LineName(list.GetStrings(i));
  std::vector<std::string> kept;
  std::string total = " files from " + fw::IntToStr(dupFileCount) + " analized";
  for (int i = 0; i < count; ++i) {
    // Sorted, so the lines of one name stand together: a line keeps its place when a
    // neighbour carries the same name (compared exactly).
    bool partnered = (i > 0 && names[i] == names[i - 1]) || (i + 1 < count && names[i] == names[i + 1]);
    if (partnered)
      kept.push_back(list.GetStrings(i));
    else if (i > 0 && i + 1 < count)
      SetCounts(stepText + fw::IntToStr(i) + total);
    Pump();
  }
  list.BeginUpdate();
  list.Clear();
  for (const std::string& line : kept) list.Add(line);
  list.EndUpdate();
}

void TDuplicateFinder::HashLines() {
  fw::TStringList& list = *FForm.dupList;
  std::vector<std::string> paths;
  for (int i = 0; i < list.GetCount(); ++i) paths.push_back(SplitNameValue(list.GetStrings(i)));
  std::string total = " files from " + fw::IntToStr(dupFileCount) + " analized";
  // A file that cannot be opened, or not read to its end, has no digest and takes no part in
  // the result.
  std::vector<std::string> digests = FileDigests(paths, [&](int finished) {
    if (finished > 0) SetCounts("Step 3 of 4 -   " + fw::IntToStr(finished - 1) + total);
    Pump(true);
  });
  std::vector<std::string> hashed;
  for (int i = 0; i < list.GetCount(); ++i)
    if (!digests[i].empty()) hashed.push_back(digests[i] + "=" + list.GetStrings(i));
  list.BeginUpdate();
  list.Clear();
  for (const std::string& line : hashed) list.Add(line);
  list.EndUpdate();
}

void TDuplicateFinder::ShowDuplicateGroups() {
  fw::TListItems* rows = lvDFRes->GetItems();
  // Rows are filled into the list before its window exists (one insert each instead of a
  // string of per-field updates), then the window is made with all of them.
  bool recreate = lvDFRes->HandleAllocated() && rows->GetCount() == 0 && FForm.dupList &&
                  FForm.dupList->GetCount() > 0;
  if (recreate) lvDFRes->DestroyHandle();
  rows->BeginUpdate();
  if (FForm.dupList) {
    for (int i = 0; i < FForm.dupList->GetCount(); ++i) {
      std::string line = FForm.dupList->GetStrings(i);
      std::string digest = LineName(line);
      std::string rest = SplitNameValue(line);
      std::string sizeText = LineName(rest);
      std::string path = SplitNameValue(rest);
      fw::TStringList sub;
      sub.Add(fw::ExtractFileExt(path));
      sub.Add(fw::ExtractFileDir(path));
      sub.Add(FormatFileSize(fw::StrToInt64Def(sizeText, 0)));
      sub.Add(digest);
      sub.Add(sizeText);
      fw::TListItem* item = rows->Add();
      item->SetCaption(fw::ExtractFileName(path));
      item->SetSubItems(&sub);
    }
  }
  rows->EndUpdate();
  if (recreate) lvDFRes->HandleNeeded();
}

bool TDuplicateFinder::RunOnTicked(const std::string& target, int mode) {
  bool allDone = true;
  fw::TListItems* rows = lvDFRes->GetItems();
  for (int i = rows->GetCount() - 1; i >= 0; --i) {
    if (i >= rows->GetCount() || !rows->GetItem(i)->GetChecked()) continue;
    fw::Application->ProcessMessages();
    if (i >= rows->GetCount()) continue;
    fw::TListItem* item = rows->GetItem(i);
    std::string source = fw::IncludeTrailingBackslash(item->GetSubItems()->GetStrings(kFolderSubItem)) +
                         item->GetCaption();
    bool done = false;
    try {
      done = ShellFileOperation(source, target, mode);
    } catch (...) {
      done = false;
    }
    if (!done) {
      allDone = false;
      continue;
    }
    fw::Application->ProcessMessages();
    if (mode != rmCopy && i < rows->GetCount()) rows->GetItem(i)->Delete();
  }
  return allDone;
}

void TDuplicateFinder::btnDFCopyClick(fw::TObject*) {
  if (!FForm.kBrowser->Execute() || !fw::DirectoryExists(FForm.kBrowser->GetPath())) return;
  Inform(RunOnTicked(FForm.kBrowser->GetPath(), rmCopy) ? "Complete." : kSomeFailed);
}

void TDuplicateFinder::btnDFMoveClick(fw::TObject*) {
  if (!FForm.kBrowser->Execute() || !fw::DirectoryExists(FForm.kBrowser->GetPath())) return;
  Inform(RunOnTicked(FForm.kBrowser->GetPath(), rmMove) ? "Complete." : kSomeFailed);
}

void TDuplicateFinder::btnDFDeleteClick(fw::TObject*) {
  if (skin::kMessageDlg("Delete files?", fw::mtConfirmation, fw::TMsgDlgButtons{fw::mbYes, fw::mbNo}, 0) != fw::mrYes)
    return;
  int method = ReadRemoveMethod(FForm.appDir);
  std::string folder = ReadRemoveFolder(FForm.appDir);
  Inform(RunOnTicked(folder, method) ? "Complete." : kSomeFailed);
}

}  // namespace app
