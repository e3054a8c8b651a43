// Benchmark: the Attribute manager's Change attribute run on a tree of 20,000 files in 200
// folders (all files and folders, "Include subfolders", a mix of attribute boxes and "Use
// DateTime"), through the dialog's OK handler with the tree's folder chosen in the tool's list
// ("Change all attribute"), against a bare
// walk of the same tree that sets the same attributes and times (FindFirstFileA/FindNextFileA,
// SetFileAttributesA, and CreateFileA, SetFileTime, CloseHandle per entry). Prints both times
// and their ratio (target: at most 1.5).
//
//   bench_attribute_walk [scratch folder under C:\sandbox\]
//
// The scratch folder (default C:\sandbox\bench_attribute_walk\) is built first and removed on
// every way out; the window's program folder lies inside it. Needs a display (run it under Xvfb).
#include <chrono>
#include <cstdio>
#include <stdexcept>
#include <string>

#include "app/dialogs/change_attribute_form.h"
#include "app/main/file_frame.h"
#include "app/main/main_form.h"
#include "app/tools/attribute_manager.h"
#include "bench/support/main_window.h"
#include "bench/support/scratch.h"
#include "framework/forms/application.h"
#include "framework/win.h"
#include "services/shell/shell_list_view.h"

namespace {

constexpr int kFolders = 200;
constexpr int kFilesPerFolder = 100;
constexpr int kRounds = 3;

double Seconds(const std::chrono::steady_clock::duration& d) { return std::chrono::duration<double>(d).count(); }

bool BuildTree(const std::string& tree) {
  if (!CreateDirectoryA(tree.c_str(), nullptr)) return false;
  for (int f = 0; f < kFolders; ++f) {
    // Ten folders at the top, each holding nineteen more.
    std::string dir = f < 10 ? tree + "top" + std::to_string(f) + "\\"
                             : tree + "top" + std::to_string(f % 10) + "\\sub" + std::to_string(f) + "\\";
    if (!CreateDirectoryA(dir.c_str(), nullptr)) return false;
    for (int i = 0; i < kFilesPerFolder; ++i) {
      HANDLE h = CreateFileA((dir + "file" + std::to_string(i) + ".dat").c_str(), GENERIC_WRITE, 0, nullptr,
                             CREATE_NEW, 0, nullptr);
      if (h == INVALID_HANDLE_VALUE) return false;
      CloseHandle(h);
    }
  }
  return true;
}

DWORD RoundAttributes(int round) {
  return round % 2 ? FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN : FILE_ATTRIBUTE_SYSTEM;
}

FILETIME RoundTime(int round) {
  SYSTEMTIME st{};
  st.wYear = 2004;
  st.wMonth = 5;
  st.wDay = static_cast<WORD>(1 + round);
  st.wHour = 12;
  FILETIME local{}, utc{};
  SystemTimeToFileTime(&st, &local);
  LocalFileTimeToFileTime(&local, &utc);
  return utc;
}

// The bare walk: every entry below folder gets the attributes and the three times.
int BareWalk(const std::string& folder, DWORD attributes, const FILETIME& time) {
  int entries = 0;
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((folder + "*.*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return 0;
  do {
    const std::string name = data.cFileName;
    if (name == "." || name == "..") continue;
    const std::string path = folder + name;
    HANDLE h = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
      SetFileTime(h, &time, &time, &time);
      CloseHandle(h);
    }
    SetFileAttributesA(path.c_str(), attributes);
    ++entries;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) entries += BareWalk(path + "\\", attributes, time);
  } while (FindNextFileA(find, &data));
  FindClose(find);
  return entries;
}

// One run of the tool: the Change attribute dialog opened with "Change all attribute" on the
// selected row, its boxes set, and the OK handler timed.
double ToolRun(int round) {
  double t = 0;
  fw::Application->ModalHook = [&](fw::TCustomForm& form) {
    auto* dialog = dynamic_cast<app::TfrmChangeAttribute*>(&form);
    if (!dialog) return;
    const DWORD attributes = RoundAttributes(round);
    dialog->kCheckBox1->SetChecked(true);
    dialog->kCheckBox2->SetChecked(false);
    dialog->kCheckBox3->SetChecked(attributes & FILE_ATTRIBUTE_ARCHIVE);
    dialog->kCheckBox4->SetChecked(attributes & FILE_ATTRIBUTE_SYSTEM);
    dialog->kCheckBox5->SetChecked(attributes & FILE_ATTRIBUTE_HIDDEN);
    dialog->kCheckBox6->SetChecked(true);
    FILETIME utc = RoundTime(round), local{};
    SYSTEMTIME st{};
    FileTimeToLocalFileTime(&utc, &local);
    FileTimeToSystemTime(&local, &st);
    for (fw::TDateTimePicker* picker : {dialog->DateTimePicker1, dialog->DateTimePicker2, dialog->DateTimePicker3,
                                        dialog->DateTimePicker4, dialog->DateTimePicker5, dialog->DateTimePicker6})
      picker->SetDateTime(fw::SystemTimeToDateTime(st));
    auto start = std::chrono::steady_clock::now();
    dialog->kBitBtn1Click(dialog->kBitBtn1);
    t = Seconds(std::chrono::steady_clock::now() - start);
  };
  app::frmMain->AttributeManager().ToolButton4->Click();
  fw::Application->ModalHook = nullptr;
  fw::Application->ProcessMessages();
  return t;
}

}  // namespace

int main(int argc, char** argv) {
  return bench::Run([&] {
    bench::TScratchFolder scratch(argc > 1 ? argv[1] : "C:\\sandbox\\bench_attribute_walk\\");
    std::string tree = scratch.Path() + "tree\\";
    std::string appDir = scratch.Path() + "app\\";
    CreateDirectoryA(appDir.c_str(), nullptr);
    if (!BuildTree(tree)) throw std::runtime_error("cannot build the tree in " + tree);

    bench::TMainWindow mainWindow(appDir);
    // The tree's folder chosen in the tool's list.
    app::frmMain->frmFile1->kSpeedButton1->Click();
    svc::TSvShellListView* list = app::frmMain->AttributeManager().amShellLV;
    // The tree fills itself and lists the desktop once the panel has been painted.
    for (int i = 0; i < 200 && !list->GetFolder(); ++i) {
      fw::Application->ProcessMessages();
      Sleep(10);
    }
    list->SetRootFolder(fw::ExcludeTrailingBackslash(scratch.Path()));
    for (int row = 0; row < list->GetItems()->GetCount(); ++row)
      list->GetItems()->GetItem(row)->SetSelected(list->ItemOfRow(row)->GetDisplayName() == "tree");
    if (list->GetSelCount() != 1)
      throw std::runtime_error("the tree's folder is not in the list of " + (list->GetFolder() ? list->GetFolder()->GetPath() : std::string("nothing")) + ", " + std::to_string(list->GetItems()->GetCount()) + " rows");

    int entries = BareWalk(tree, FILE_ATTRIBUTE_ARCHIVE, RoundTime(0));  // warm-up
    ToolRun(0);
    double bare = 1e9, tool = 1e9;
    for (int r = 1; r <= kRounds; ++r) {
      bare = std::min(bare, [&] {
        auto start = std::chrono::steady_clock::now();
        entries = BareWalk(tree, RoundAttributes(r + 1), RoundTime(r + 1));
        return Seconds(std::chrono::steady_clock::now() - start);
      }());
      tool = std::min(tool, ToolRun(r));
    }
    BareWalk(tree, FILE_ATTRIBUTE_NORMAL, RoundTime(0));
    std::printf("attribute_walk: %d entries, %d expected\n", entries, kFolders + kFolders * kFilesPerFolder);
    std::printf("attribute_walk: bare walk %.3f s, tool %.3f s\n", bare, tool);
    std::printf("attribute_walk ratio: %.2f (target <= 1.50)\n", tool / bare);
    return entries != kFolders + kFolders * kFilesPerFolder ? 1 : 0;
  });
}
