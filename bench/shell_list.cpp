// Benchmark: the shell list view's listing of a folder of 10,000 files in the report style the
// Attribute manager uses (enumeration, details, sort, item count, first screen painted), against
// a bare IShellFolder enumeration of the same folder with GetDisplayNameOf(SHGDN_NORMAL) and
// ILFree for each ID, in the same run. Prints both times, the icon-style listing time and their
// ratio (target: at most 2).
//
//   bench_shell_list [scratch folder under C:\sandbox\]
//
// The scratch folder (default C:\sandbox\bench_shell_list\) is built first and removed on every
// way out. Needs a display (run it under Xvfb).
#include <chrono>
#include <cstdio>
#include <stdexcept>
#include <string>

#include "bench/support/scratch.h"
#include "framework/forms/application.h"
#include "framework/forms/custom_form.h"
#include "framework/rtl/sys_utils.h"
#include "framework/rtl/wide_path.h"
#include "framework/win.h"
#include "services/shell/com_ref.h"
#include "services/shell/shell_list_view.h"
#include "services/shell/shell_services.h"
#include "tests/support/scripted_forms.h"
#include "tests/support/seam_guard.h"

#include <shlobj.h>

namespace {

constexpr int kFiles = 10000;
constexpr int kRounds = 3;
const char* const kExtensions[] = {"txt", "doc", "jpg", "tmp", "dat", "log", "ini", "exe", "bak", "zip", "", "abc"};

double Seconds(const std::chrono::steady_clock::duration& d) { return std::chrono::duration<double>(d).count(); }

bool BuildFolder(const std::string& folder) {
  for (int i = 0; i < kFiles; ++i) {
    char name[64];
    const char* ext = kExtensions[i % (sizeof kExtensions / sizeof kExtensions[0])];
    std::snprintf(name, sizeof name, "%s%05d%s%s", i % 3 == 0 ? "Report " : i % 3 == 1 ? "img_" : "z", (i * 7919) % kFiles,
                  *ext ? "." : "", ext);
    HANDLE h = CreateFileA((folder + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    WriteFile(h, name, static_cast<DWORD>(i % 50), &written, nullptr);
    CloseHandle(h);
  }
  return true;
}

// The bare shell walk: every ID of the folder, its display name, freed.
double BareEnumeration(const std::string& folder, int& count) {
  auto start = std::chrono::steady_clock::now();
  svc::TComRef<IShellFolder> desktop, shellFolder;
  SHGetDesktopFolder(desktop.Put());
  std::wstring wide = fw::Utf8ToWide(folder);
  LPITEMIDLIST pidl = nullptr;
  ULONG eaten = 0;
  desktop->ParseDisplayName(nullptr, nullptr, wide.data(), &eaten, &pidl, nullptr);
  desktop->BindToObject(pidl, nullptr, IID_IShellFolder, shellFolder.PutVoid());
  ILFree(pidl);
  svc::TComRef<IEnumIDList> entries;
  shellFolder->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS, entries.Put());
  count = 0;
  LPITEMIDLIST id = nullptr;
  ULONG fetched = 0;
  while (entries->Next(1, &id, &fetched) == S_OK && fetched == 1) {
    STRRET name{};
    if (SUCCEEDED(shellFolder->GetDisplayNameOf(id, SHGDN_NORMAL, &name)) && name.uType == STRRET_WSTR)
      CoTaskMemFree(name.pOleStr);
    ILFree(id);
    ++count;
  }
  return Seconds(std::chrono::steady_clock::now() - start);
}

double ListFolder(svc::TSvShellListView* list, const std::string& folder) {
  list->SetRootFolder("");
  auto start = std::chrono::steady_clock::now();
  list->SetRootFolder(folder);
  UpdateWindow(list->GetHandle());
  return Seconds(std::chrono::steady_clock::now() - start);
}

}  // namespace

int main(int argc, char** argv) {
  return bench::Run([&] {
    testing_seams::TSeamGuard seams;
    testing_gui::TScriptedForms forms;
    fw::InitRtl();
    svc::TShellServices shell;
    bench::TScratchFolder scratch(argc > 1 ? argv[1] : "C:\\sandbox\\bench_shell_list\\");
    std::string folder = scratch.Path() + "files\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    if (!BuildFolder(folder)) throw std::runtime_error("cannot build the folder " + folder);

    auto* form = fw::New<fw::TForm>(fw::Application);
    form->SetBounds(0, 0, 900, 700);
    auto* list = fw::New<svc::TSvShellListView>(form);
    list->SetBounds(0, 0, 880, 660);
    list->SetParent(form);
    list->SetViewStyle(fw::vsReport);
    form->Show();
    fw::Application->ProcessMessages();

    int bareCount = 0;
    BareEnumeration(folder, bareCount);  // warm-up
    ListFolder(list, folder);
    double bare = 1e9, report = 1e9, icons = 1e9;
    for (int r = 0; r < kRounds; ++r) {
      bare = std::min(bare, BareEnumeration(folder, bareCount));
      report = std::min(report, ListFolder(list, folder));
      fw::Application->ProcessMessages();
    }
    int rows = list->GetItems()->GetCount();
    list->SetViewStyle(fw::vsIcon);
    for (int r = 0; r < kRounds; ++r) icons = std::min(icons, ListFolder(list, folder));
    list->SetRootFolder("");
    fw::Free(form);
    std::printf("shell_list: %d files, bare enumeration %d, list rows %d\n", kFiles, bareCount, rows);
    std::printf("shell_list: bare %.3f s, report listing %.3f s, icon listing %.3f s\n", bare, report, icons);
    std::printf("shell_list ratio: %.2f (target <= 2)\n", report / bare);
    return bareCount != kFiles || rows != kFiles ? 1 : 0;
  });
}
