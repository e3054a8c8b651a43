// The Duplicate finder's search, result list and file actions.
#include "app/tools/duplicate_finder.h"

#include <chrono>
#include <utility>
#include <vector>

#include "app/dialogs/file_group_form.h"
#include "app/shared/config_files.h"
#include "app/shared/file_procedures.h"
#include "app/shared/shell_file_operation.h"
#include "app/tools/file_digests.h"
#include "app/tools/search_run.h"
#include "framework/core/component.h"
#include "framework/forms/application.h"
#include "framework/rtl/file_utils.h"
#include "framework/classes/ini_file.h"
#include "framework/rtl/seams.h"
#include "framework/rtl/sys_utils.h"
#include "services/system/system_folders.h"
#include "skin/controls/message_dialogs.h"

namespace app {

namespace {

// Sub-items of a result row: extension, folder, size text, digest, size in bytes.
constexpr int kFolderSubItem = 1;
constexpr int kDigestSubItem = 3;
constexpr int kSizeSubItem = 4;
// How often, at most, a running search lets window messages through, and writes its counts
// into the status bar (each write repaints the bar).
constexpr DWORD kPumpInterval = 25;
constexpr DWORD kStatusInterval = 60;

std::string& WindowsFolderOverride() {
  static std::string folder;
  return folder;
}

std::string LineName(const std::string& line) { return line.substr(0, line.find('=')); }

// A row's file: its folder, a backslash and its name.
std::string RowFileName(fw::TListItem* row) {
  return fw::IncludeTrailingBackslash(row->GetSubItems()->GetStrings(kFolderSubItem)) + row->GetCaption();
}

// Sorts the lines in the string list's standard order (case-insensitive, locale-aware text
// comparison of whole lines) at the cost of few such comparisons: the names (text before the
// first "=") are sizes in decimal digits or digests in upper-case hexadecimal, which that order
// puts as their plain characters do, "=" before any digit; lines of one name compare whole.
void SortByName(fw::TStringList& list) {
  std::vector<std::string> names(static_cast<size_t>(list.GetCount()));
  for (int i = 0; i < list.GetCount(); ++i) names[i] = LineName(list.GetStrings(i));
  list.CustomSort([&names](fw::TStringList* sorted, int a, int b) {
    if (int c = names[a].compare(names[b])) return c;
    return fw::AnsiCompareText(sorted->GetStrings(a), sorted->GetStrings(b));
  });
}

void Inform(const std::string& text) {
  skin::kMessageDlg(text, fw::mtInformation, fw::TMsgDlgButtons{fw::mbOK}, 0);
}

// Adds the time its scope took to a total.
class TTimeSpent {
 public:
  explicit TTimeSpent(double& total) : FTotal(total), FStart(std::chrono::steady_clock::now()) {}
  ~TTimeSpent() { FTotal += std::chrono::duration<double>(std::chrono::steady_clock::now() - FStart).count(); }
  TTimeSpent(const TTimeSpent&) = delete;
  TTimeSpent& operator=(const TTimeSpent&) = delete;

 private:
  double& FTotal;
  std::chrono::steady_clock::time_point FStart;
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
  fw::TLoadScope loading;
  CreateControls();
}

void TDuplicateFinder::Show() {
  FForm.ShowToolPanel(&FPanel, [this] { FillGroup(); });
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
  searchTimes = TDupSearchTimes();
  {
    TSearchRun run(FForm.Anim,
                   {FForm.barMenu, kPageControl1, kPageControl2, btnDFSearch, btnDFCopy, btnDFMove, btnDFDelete},
                   btnDFStop, kPumpInterval);
    // The status bar can only show a text when messages run, so the latest one is written then.
    run.OnPump = [this] {
      if (fw::GetTickCount() - FLastStatus >= kStatusInterval) WriteCounts();
    };
    run.OnEnd = [this] {
      FRun = nullptr;
      FForm.dupList.reset();
      FCounts = TCounts();
    };
    FRun = &run;
    FForm.canceled = false;
    FForm.dupList = std::make_unique<fw::TStringList>();
    FScanned.clear();
    FWindowsFolder = WindowsFolderOverride().empty() ? svc::ReadWindowsFolder() : WindowsFolderOverride();
    FLastStatus = fw::GetTickCount();
    {
      TTimeSpent spent(searchTimes.Collect);
      fw::TStrings* paths = lvDFPath->GetItems();
      for (int i = 0; i < paths->GetCount() && !FForm.canceled; ++i) {
        if (!lvDFPath->GetChecked(i) || !fw::DirectoryExists(paths->GetStrings(i))) continue;
        FForm.dfSearcher->SetRootDirectory(paths->GetStrings(i));
        panels->GetItems(0)->SetText("Searching for duplicate");
        FForm.dfSearcher->Search();
        Pump(true);
      }
      WriteCounts();
    }
    AnalyzeDuplicates();
    TTimeSpent spent(searchTimes.Fill);
    ShowDuplicateGroups();
    KeepScannedOfRows();
  }
  {
    TTimeSpent spent(searchTimes.Status);
    panels->GetItems(0)->SetText(FForm.canceled ? "Canceled by user" : "Search done");
    panels->GetItems(2)->SetText("    " + fw::IntToStr(lvDFRes->GetItems()->GetCount()) + " duplicate found");
    FForm.kBar->Repaint();
  }
  if (!FForm.canceled) Inform("Complete.");
}

void TDuplicateFinder::btnDFStopClick(fw::TObject*) {
  FForm.dfSearcher->Abort();
  FForm.canceled = true;
}

void TDuplicateFinder::dfSearcherAbort(fw::TObject*) {
  FForm.kBar->GetPanels()->GetItems(0)->SetText("Canceled by user...");
  FForm.Anim->SetActive(false);
  FCounts = TCounts();
  FForm.kBar->GetPanels()->GetItems(2)->SetText("");
}

void TDuplicateFinder::dfSearcherProgress(fw::TObject*) { Pump(); }

void TDuplicateFinder::dfSearcherFindFile(fw::TObject*, const std::string& AName) {
  const WIN32_FIND_DATAA& found = FForm.dfSearcher->GetFindData();
  uint64_t size = svc::FindDataSize(found);
  // A symbolic link or mount point is never a candidate: removing it would not remove the
  // copy it stands for, and keeping it would keep nothing.
  bool link = (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
  bool protectedFile = kCheckBox1->GetChecked() && ContainsFolder(AName, FWindowsFolder);
  bool skippedEmpty = size == 0 && !kCheckBox4->GetChecked();
  // A file reached twice (overlapping search paths) is one candidate, not its own duplicate.
  if (!link && !protectedFile && !skippedEmpty && FForm.dupList &&
      FScanned.emplace(SameFileKey(AName), found.ftLastWriteTime).second) {
    FForm.dupList->Add(fw::IntToStr(size) + "=" + AName);
    ++dupFileCount;
  }
  SetCounts(1, dupFileCount);
}

void TDuplicateFinder::SetCounts(int step, int64_t position) {
  FCounts.Step = step;
  FCounts.Position = position;
}

void TDuplicateFinder::WriteCounts() {
  if (FCounts.Step == 0) return;
  TTimeSpent spent(searchTimes.Status);
  std::string text = "Step " + fw::IntToStr(FCounts.Step) + " of 4 -   " + fw::IntToStr(FCounts.Position);
  text += FCounts.Step == 1 ? " files loaded" : " files from " + fw::IntToStr(dupFileCount) + " analized";
  FForm.kBar->GetPanels()->GetItems(2)->SetText(text);
  FCounts = TCounts();
  FLastStatus = fw::GetTickCount();
}

void TDuplicateFinder::Pump(bool force) {
  if (!FRun) return;
  // The status texts written at a turn count as such, not as message handling.
  double status = searchTimes.Status;
  {
    TTimeSpent spent(searchTimes.Messages);
    FRun->Pump(force);
  }
  searchTimes.Messages -= searchTimes.Status - status;
}

void TDuplicateFinder::AnalyzeDuplicates() {
  if (!FForm.dupList) return;
  {
    TTimeSpent spent(searchTimes.Sizes);
    SortByName(*FForm.dupList);
    KeepPartnered(2);
  }
  {
    TTimeSpent spent(searchTimes.Hashing);
    HashLines();
    WriteCounts();
  }
  TTimeSpent spent(searchTimes.Digests);
  SortByName(*FForm.dupList);
  KeepPartnered(4);
  Pump(true);
}

void TDuplicateFinder::KeepPartnered(int step) {
  fw::TStringList& list = *FForm.dupList;
  int count = list.GetCount();
  std::vector<std::string> names(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) names[i] = LineName(list.GetStrings(i));
  std::vector<std::string> kept;
  for (int i = 0; i < count; ++i) {
    // Sorted, so the lines of one name stand together: a line keeps its place when a
    // neighbour carries the same name (compared exactly).
    bool partnered = (i > 0 && names[i] == names[i - 1]) || (i + 1 < count && names[i] == names[i + 1]);
    if (partnered)
      kept.push_back(list.GetStrings(i));
    else if (i > 0 && i + 1 < count)
      SetCounts(step, i);
    Pump();
  }
  WriteCounts();
  list.BeginUpdate();
  list.Clear();
  for (const std::string& line : kept) list.Add(line);
  list.EndUpdate();
}

void TDuplicateFinder::HashLines() {
  fw::TStringList& list = *FForm.dupList;
  std::vector<TDigestCandidate> candidates(static_cast<size_t>(list.GetCount()));
  for (int i = 0; i < list.GetCount(); ++i) {
    std::string line = list.GetStrings(i);
    candidates[i].FileName = SplitNameValue(line);
    candidates[i].Size = fw::StrToInt64Def(LineName(line), 0);
  }
  // A file that cannot be read, that can equal no other candidate, or that is another name of
  // a file already listed has no digest and takes no part in the result.
  std::vector<std::string> digests = FileDigests(candidates, [&](int settled) {
    if (settled > 0) SetCounts(3, settled - 1);
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

void TDuplicateFinder::KeepScannedOfRows() {
  std::unordered_map<std::string, FILETIME> kept;
  if (FForm.dupList) {
    for (int i = 0; i < FForm.dupList->GetCount(); ++i) {
      std::string key = SameFileKey(SplitNameValue(SplitNameValue(FForm.dupList->GetStrings(i))));
      auto found = FScanned.find(key);
      if (found != FScanned.end()) kept.insert(*found);
    }
  }
  FScanned.swap(kept);
}

int TDuplicateFinder::WholeTickedGroups() {
  std::unordered_map<std::string, bool> allTicked;  // digest -> every row ticked
  fw::TListItems* rows = lvDFRes->GetItems();
  for (int i = 0; i < rows->GetCount(); ++i) {
    fw::TListItem* row = rows->GetItem(i);
    auto [at, added] = allTicked.emplace(row->GetSubItems()->GetStrings(kDigestSubItem), true);
    at->second = at->second && row->GetChecked();
  }
  int count = 0;
  for (const auto& [digest, ticked] : allTicked) count += ticked ? 1 : 0;
  return count;
}

bool TDuplicateFinder::ConfirmWholeGroups(int groups, const std::string& question) {
  std::string text = "Every file of " + fw::IntToStr(groups) + (groups == 1 ? " group" : " groups") + " is ticked: " + (groups == 1 ? "that group" : "those groups") + " would lose every copy.\r\n" +
                     question;
  return skin::kMessageDlg(text, fw::mtWarning, fw::TMsgDlgButtons{fw::mbYes, fw::mbNo}, 0) == fw::mrYes;
}

TDuplicateFinder::TActionOutcome TDuplicateFinder::RunOnTicked(const std::string& target, int mode,
                                                               bool wholeGroups) {
  TActionOutcome outcome;
  fw::TListItems* rows = lvDFRes->GetItems();
  // The files of each group that stay (unticked), as they stand before anything is done.
  std::unordered_map<std::string, std::vector<std::string>> keepers;
  for (int i = 0; i < rows->GetCount(); ++i) {
    fw::TListItem* row = rows->GetItem(i);
    std::vector<std::string>& group = keepers[row->GetSubItems()->GetStrings(kDigestSubItem)];
    if (!row->GetChecked()) group.push_back(RowFileName(row));
  }
  for (int i = rows->GetCount() - 1; i >= 0; --i) {
    if (i >= rows->GetCount() || !rows->GetItem(i)->GetChecked()) continue;
    fw::Application->ProcessMessages();
    if (i >= rows->GetCount()) continue;
    fw::TListItem* item = rows->GetItem(i);
    const std::vector<std::string>& stay = keepers[item->GetSubItems()->GetStrings(kDigestSubItem)];
    // A group whose every file is ticked is left whole unless the user said otherwise.
    if (stay.empty() && !wholeGroups) continue;
    TScannedFile file;
    file.FileName = RowFileName(item);
    file.Size = fw::StrToInt64Def(item->GetSubItems()->GetStrings(kSizeSubItem), -1);
    auto scanned = FScanned.find(SameFileKey(file.FileName));
    // Just before acting: still the file the search saw, and still equal to a copy that stays.
    TRecheck check = scanned == FScanned.end() ? TRecheck::Changed
                                               : StillDuplicate({file.FileName, file.Size, scanned->second}, stay);
    if (check != TRecheck::Still) {
      (check == TRecheck::Unreadable ? outcome.Unreadable : outcome.Unverified) = true;
      continue;
    }
    bool done = false;
    try {
      done = ShellFileOperation(file.FileName, target, mode, FForm.GetHandle());
    } catch (...) {
      done = false;
    }
    if (!done) {
      outcome.Failed = true;
      continue;
    }
    fw::Application->ProcessMessages();
    if (mode != rmCopy && i < rows->GetCount()) rows->GetItem(i)->Delete();
  }
  return outcome;
}

void TDuplicateFinder::Report(const TActionOutcome& outcome, const std::string& done) {
  const std::string changed = "changed since the search, or no longer equal a copy that stays";
  const std::string inUse = "could not be read (in use by another program)";
  if (outcome.Unverified && outcome.Unreadable)
    Inform("Complete. Some files were not " + done + ": some " + changed + "; some " + inUse + ".");
  else if (outcome.Unverified || outcome.Unreadable)
    Inform("Complete. Some files were not " + done + ": they " + (outcome.Unverified ? changed : inUse) + ".");
  else if (outcome.Failed)
    Inform("Complete. Some files can not be " + done + ".");
  else
    Inform("Complete.");
}

void TDuplicateFinder::btnDFCopyClick(fw::TObject*) {
  if (!FForm.kBrowser->Execute() || !fw::DirectoryExists(FForm.kBrowser->GetPath())) return;
  Report(RunOnTicked(FForm.kBrowser->GetPath(), rmCopy, true), "copied");
}

void TDuplicateFinder::btnDFMoveClick(fw::TObject*) {
  if (!FForm.kBrowser->Execute() || !fw::DirectoryExists(FForm.kBrowser->GetPath())) return;
  int whole = WholeTickedGroups();
  bool wholeGroups = whole > 0 && ConfirmWholeGroups(whole, "Move them too?");
  Report(RunOnTicked(FForm.kBrowser->GetPath(), rmMove, wholeGroups), "moved");
}

void TDuplicateFinder::btnDFDeleteClick(fw::TObject*) {
  if (skin::kMessageDlg("Delete files?", fw::mtConfirmation, fw::TMsgDlgButtons{fw::mbYes, fw::mbNo}, 0) != fw::mrYes)
    return;
  int whole = WholeTickedGroups();
  bool wholeGroups = whole > 0 && ConfirmWholeGroups(whole, "Delete them too?");
  int method = ReadRemoveMethod(FForm.appDir);
  std::string folder = ReadRemoveFolder(FForm.appDir);
  Report(RunOnTicked(folder, method, wholeGroups), "deleted");
}

}  // namespace app
