#include "app/dialogs/change_attribute_form.h"

#include <utility>

#include "app/shared/file_times.h"
#include "framework/rtl/exceptions.h"
#include "framework/rtl/file_links.h"
#include "framework/rtl/folder_walker.h"
#include "framework/rtl/wide_path.h"
#include "skin/controls/message_dialogs.h"

namespace app {
namespace {

const DWORD kOffered = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
// What SetFileAttributes takes besides the offered four.
const DWORD kKept = FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_OFFLINE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED |
                    0x8000 /* integrity stream */ | 0x20000 /* no scrub data */;
const size_t kReportLines = 20;

bool IsFolder(DWORD attributes) { return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

// A folder the walk may enter: no reparse point, and nothing that opens elsewhere.
bool MayEnter(const std::string& path, DWORD attributes) {
  return IsFolder(attributes) && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT) && !fw::IsLink(path);
}

fw::TDateTime Joined(const fw::TDateTimePicker* date, const fw::TDateTimePicker* time) {
  return date->GetDate() + time->GetTime();
}

void SetCurrent(fw::TDateTimePicker* date, fw::TDateTimePicker* time) {
  const fw::TDateTime now = fw::Now();
  date->SetDateTime(now);
  time->SetDateTime(now);
}

testing::TAttributeCalls realCalls;
testing::TAttributeCalls* attributeCalls = nullptr;

testing::TAttributeCalls& Calls() { return attributeCalls ? *attributeCalls : realCalls; }

}  // namespace

DWORD ChangedAttributeWord(DWORD current, DWORD ticked) {
  const DWORD word = (current & kKept) | (ticked & kOffered);
  return word != 0 ? word : FILE_ATTRIBUTE_NORMAL;
}

std::string FailureReport(const std::vector<std::string>& lines) {
  std::string text = "Some items could not be changed:";
  for (size_t i = 0; i < lines.size() && i < kReportLines; ++i) text += "\n" + lines[i];
  if (lines.size() > kReportLines) text += "\nand " + std::to_string(lines.size() - kReportLines) + " more";
  return text;
}

TfrmChangeAttribute::TfrmChangeAttribute(fw::TComponent* owner) : fw::TForm(owner) {}

void TfrmChangeAttribute::FormKeyDown(fw::TObject*, WORD& Key, fw::TShiftState) {
  if (Key == VK_ESCAPE) Close();
}

void TfrmChangeAttribute::FormClose(fw::TObject*, fw::TCloseAction& Action) { Action = fw::caFree; }

void TfrmChangeAttribute::kButton1Click(fw::TObject*) { SetCurrent(DateTimePicker1, DateTimePicker2); }
void TfrmChangeAttribute::kButton2Click(fw::TObject*) { SetCurrent(DateTimePicker3, DateTimePicker4); }
void TfrmChangeAttribute::kButton3Click(fw::TObject*) { SetCurrent(DateTimePicker5, DateTimePicker6); }

void TfrmChangeAttribute::kBitBtn2Click(fw::TObject*) { Close(); }

void TfrmChangeAttribute::Note(const std::string& path, const std::string& reason) {
  FFailures.push_back(fw::DisplayPath(path) + ": " + reason);
}

void TfrmChangeAttribute::Fail(const std::string& path, DWORD error) {
  std::string reason = fw::SysErrorMessage(error);
  if (reason.empty()) reason = "error " + std::to_string(error);
  Note(path, reason);
}

bool TfrmChangeAttribute::Apply(const std::string& path, DWORD attributes, const TIsItself& isItself) {
  // One handle takes the times and the attribute word, and tells what it opened.
  const fw::TFileHandle file = OpenForAttributeWrites(path);
  if (!file) {
    Fail(path, GetLastError());
    return false;
  }
  // A link changes only as itself: where the system follows it even so (as Wine does with a
  // host's symbolic link), what it leads to, which nobody chose, would change instead.
  if (!isItself(file.Get())) {
    Note(path, "a link that cannot be changed by itself");
    return false;
  }
  if (FUseTimes && !Calls().SetTimes(file.Get(), path, FCreated, FAccessed, FModified)) {
    Fail(path, GetLastError());
    return false;
  }
  if (!Calls().SetAttributes(file.Get(), path, ChangedAttributeWord(attributes, FTicked))) {
    Fail(path, GetLastError());
    return false;
  }
  return true;
}

void TfrmChangeAttribute::FindFile(int mode, const std::string& folder) {
  fw::TFolderWalker entry(folder);
  const fw::TOpenedEntries entries(folder);
  const TIsItself isListedEntry = [&](HANDLE file) { return entries.IsItself(file, entry.Name()); };
  bool listed = false;
  while (entry.Next()) {
    listed = true;
    const std::string path = entry.Path();
    const DWORD attributes = entry.Attributes();
    const bool folderEntry = IsFolder(attributes);
    if (MayEnter(path, attributes)) FindFile(mode, path);
    if (mode == 2 || (mode == 0 && folderEntry) || (mode == 1 && !folderEntry)) Apply(path, attributes, isListedEntry);
  }
  const DWORD error = GetLastError();
  if (!listed && error != ERROR_NO_MORE_FILES && error != ERROR_FILE_NOT_FOUND) Fail(folder, error);
}

bool TfrmChangeAttribute::ApplyChosen(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(fw::FileApiPath(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    Fail(path, GetLastError());
    return false;
  }
  const bool folder = IsFolder(attributes);
  if (kCheckBox1->GetChecked() && MayEnter(path, attributes)) FindFile(changeMode, path);
  // Folders only takes no file, files only no folder.
  return ((changeMode == 0 && folder) || (changeMode == 1 && !folder) || changeMode == 2) &&
         Apply(path, attributes, [&](HANDLE file) { return fw::OpensAsItself(file, path); });
}

void TfrmChangeAttribute::kBitBtn1Click(fw::TObject*) {
  FTicked = (kCheckBox2->GetChecked() ? FILE_ATTRIBUTE_READONLY : 0) | (kCheckBox3->GetChecked() ? FILE_ATTRIBUTE_ARCHIVE : 0) |
            (kCheckBox4->GetChecked() ? FILE_ATTRIBUTE_SYSTEM : 0) | (kCheckBox5->GetChecked() ? FILE_ATTRIBUTE_HIDDEN : 0);
  FUseTimes = kCheckBox6->GetChecked();
  if (FUseTimes && !(DateTimeToUTCFileTime(Joined(DateTimePicker1, DateTimePicker2), FCreated) &&
                     DateTimeToUTCFileTime(Joined(DateTimePicker3, DateTimePicker4), FModified) &&
                     DateTimeToUTCFileTime(Joined(DateTimePicker5, DateTimePicker6), FAccessed))) {
    skin::kMessageDlg("Please choose dates between 1980 and 2107.", fw::mtWarning, fw::TMsgDlgButtons{fw::mbOK}, 0);
    return;
  }
  std::vector<std::string> paths;
  for (int i = 0; selItems && i < selItems->GetCount(); ++i) paths.push_back(selItems->GetItem(i)->GetPath());
  std::vector<std::string> changed;
  for (const std::string& path : paths)
    if (ApplyChosen(path)) changed.push_back(path);
  for (const std::string& path : changed) SHChangeNotify(SHCNE_ATTRIBUTES, SHCNF_PATHA, path.c_str(), nullptr);
  if (!FFailures.empty())
    skin::kMessageDlg(FailureReport(FFailures), fw::mtWarning, fw::TMsgDlgButtons{fw::mbOK}, 0);
  FFailures.clear();
  SetModalResult(fw::mrOk);
  Close();
}

namespace testing {

bool TAttributeCalls::SetTimes(HANDLE file, const std::string&, const FILETIME& creation, const FILETIME& lastAccess,
                               const FILETIME& lastWrite) {
  return SetFileTimes(file, creation, lastAccess, lastWrite);
}

bool TAttributeCalls::SetAttributes(HANDLE file, const std::string&, DWORD attributes) {
  return SetAttributeWord(file, attributes);
}

TAttributeCalls* SetAttributeCalls(TAttributeCalls* calls) {
  std::swap(attributeCalls, calls);
  return calls;
}

}  // namespace testing

}  // namespace app
