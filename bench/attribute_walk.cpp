// Benchmark: the Attribute manager's Change attribute run on a tree of 20,000 files in 200
// folders (all files and folders, "Include subfolders", a mix of attribute boxes and "Use
// DateTime"), through the dialog's OK handler with the tree's root folder chosen, against a bare
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
#include "app/main/main_form.h"
#include "bench/support/main_window.h"
#include "bench/support/scratch.h"
#include "framework/forms/application.h"
#include "framework/win.h"
#include "services/shell/shell_item_list.h"

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

svc::TSvShellItem* ChosenItem(const std::string& path) {
  IShellFolder* desktop = nullptr;
  SHGetDesktopFolder(&desktop);
  LPITEMIDLIST pidl = nullptr;
  std::wstring wide(path.begin(), path.end());
  HRESULT parsed = desktop->ParseDisplayName(nullptr, nullptr, wide.data(), nullptr, &pidl, nullptr);
  desktop->Release();
  if (FAILED(parsed)) throw std::runtime_error("cannot parse " + path);
  svc::TSvShellItem* item = svc::TSvShellItem::CreateFromPidl(pidl, nullptr);
  CoTaskMemFree(pidl);
  return item;
}

double ToolRun(svc::TSvShellItemList* chosen, int round) {
  auto* dialog = fw::New<app::TfrmChangeAttribute>(fw::Application);
  dialog->changeMode = 2;
  dialog->selItems = chosen;
  const DWORD attributes = RoundAttributes(round);
  dialog->kCheckBox1->SetChecked(true);
  dialog->kCheckBox2->SetChecked(false);
  dialog->kCheckBox3->SetChecked(attributes & FILE_ATTRIBUTE_ARCHIVE);
  dialog->kCheckBox4->SetChecked(attributes & FILE_ATTRIBUTE_SYSTEM);
  dialog->kCheckBox5->SetChecked(attributes & FILE_ATTRIBUTE_HIDDEN);
  dialog->kCheckBox6->SetChecked(true);
  SYSTEMTIME st{};
  st.wYear = 2004;
  st.wMonth = 5;
  st.wDay = static_cast<WORD>(1 + round);
  st.wHour = 12;
  for (fw::TDateTimePicker* picker : {dialog->DateTimePicker1, dialog->DateTimePicker2, dialog->DateTimePicker3,
                                      dialog->DateTimePicker4, dialog->DateTimePicker5, dialog->DateTimePicker6})
    picker->SetDateTime(fw::SystemTimeToDateTime(st));
  auto start = std::chrono::steady_clock::now();
  dialog->kBitBtn1Click(dialog->kBitBtn1);
  double t = Seconds(std::chrono::steady_clock::now() - start);
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
    auto* chosen = fw::New<svc::TSvShellItemList>();
    chosen->Add(ChosenItem(fw::ExcludeTrailingBackslash(tree)));

    int entries = BareWalk(tree, FILE_ATTRIBUTE_ARCHIVE, RoundTime(0));  // warm-up
    ToolRun(chosen, 0);
    double bare = 1e9, tool = 1e9;
    for (int r = 1; r <= kRounds; ++r) {
      bare = std::min(bare, [&] {
        auto start = std::chrono::steady_clock::now();
        entries = BareWalk(tree, RoundAttributes(r + 1), RoundTime(r + 1));
        return Seconds(std::chrono::steady_clock::now() - start);
      }());
      tool = std::min(tool, ToolRun(chosen, r));
    }
    fw::Free(chosen);
    BareWalk(tree, FILE_ATTRIBUTE_NORMAL, RoundTime(0));
    std::printf("attribute_walk: %d entries, %d expected\n", entries, kFolders + kFolders * kFilesPerFolder);
    std::printf("attribute_walk: bare walk %.3f s, tool %.3f s\n", bare, tool);
    std::printf("attribute_walk ratio: %.2f (target <= 1.50)\n", tool / bare);
    return entries != kFolders + kFolders * kFilesPerFolder ? 1 : 0;
  });
}
