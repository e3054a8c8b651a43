// Benchmark: the Drive cleaner's whole search (the main window's Search button: list filling,
// running totals, status texts and message handling) against the bare search engine with the
// same masks over the same tree of 100,000 files, 10,000 of them junk. Prints both times and
// their ratio (target: at most 2.0).
//
//   bench_drive_cleaner [scratch folder under C:\sandbox\]
//
// The scratch folder (default C:\sandbox\bench_drive_cleaner\) is built first and removed on
// every way out; the window's program folder lies inside it. Needs a display (run it under Xvfb).
#include <chrono>
#include <cstdio>
#include <stdexcept>
#include <string>

#include "app/main/main_form.h"
#include "app/shared/config_defaults.h"
#include "app/shared/config_files.h"
#include "app/tools/drive_cleaner.h"
#include "bench/support/main_window.h"
#include "bench/support/scratch.h"
#include "framework/forms/application.h"
#include "framework/rtl/sys_utils.h"
#include "framework/win.h"
#include "services/search/search_files.h"

namespace {

constexpr int kFolders = 100;
constexpr int kFilesPerFolder = 1000;  // one in ten is junk
constexpr int kRounds = 3;

double Seconds(const std::chrono::steady_clock::duration& d) { return std::chrono::duration<double>(d).count(); }

bool BuildTree(const std::string& tree) {
  if (!CreateDirectoryA(tree.c_str(), nullptr)) return false;
  for (int f = 0; f < kFolders; ++f) {
    std::string dir = tree + "folder" + std::to_string(f) + "\\";
    if (!CreateDirectoryA(dir.c_str(), nullptr)) return false;
    for (int i = 0; i < kFilesPerFolder; ++i) {
      char name[32];
      std::snprintf(name, sizeof name, i % 10 == 0 ? "junk%04d.tmp" : "file%04d.dat", i);
      HANDLE h = CreateFileA((dir + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
      if (h == INVALID_HANDLE_VALUE) return false;
      DWORD written = 0;
      WriteFile(h, name, 4, &written, nullptr);
      CloseHandle(h);
    }
  }
  return true;
}


// The bare engine: the enabled default masks, no handler but a counter.
double EngineSearch(const std::string& root, int& found) {
  auto* searcher = fw::New<svc::TDsSearchFiles>(nullptr);
  searcher->SetErrorResponse(svc::erIgnore);
  searcher->GetDirParams()->SetSearchTypes(svc::TDsSearchTypes{svc::stFileMask});
  searcher->GetFileParams()->SetSearchTypes(svc::TDsSearchTypes{svc::stFileMask});
  for (const std::string& line : app::DefaultExtIniLines()) {
    app::TExtensionRow row = app::ParseExtensionLine(line);
    if (row.Checked) searcher->GetFileParams()->GetFileMasks()->Add(row.Mask);
  }
  found = 0;
  searcher->OnFindFile = [&found](fw::TObject*, const std::string&) { ++found; };
  searcher->SetRootDirectory(root);
  auto start = std::chrono::steady_clock::now();
  searcher->Search();
  double t = Seconds(std::chrono::steady_clock::now() - start);
  searcher->Free();
  return t;
}

double WindowSearch(int& found) {
  auto start = std::chrono::steady_clock::now();
  app::frmMain->DriveCleaner().btnDCSearch->Click();
  double t = Seconds(std::chrono::steady_clock::now() - start);
  found = app::frmMain->DriveCleaner().lvDCResult->GetItems()->GetCount();
  return t;
}

}  // namespace

int main(int argc, char** argv) {
  return bench::Run([&] {
    bench::TScratchFolder scratch(argc > 1 ? argv[1] : "C:\\sandbox\\bench_drive_cleaner\\");
    std::string tree = scratch.Path() + "tree\\";
    if (!BuildTree(tree)) throw std::runtime_error("cannot build the tree in " + tree);
    bench::TDriveCleanerWindow mainWindow(scratch.Path() + "app\\", tree);

    int engineFound = 0, windowFound = 0;
    EngineSearch(tree, engineFound);  // warm-up
    double engine = 1e9, window = 1e9;
    for (int r = 0; r < kRounds; ++r) {
      engine = std::min(engine, EngineSearch(tree, engineFound));
      window = std::min(window, WindowSearch(windowFound));
      fw::Application->ProcessMessages();
    }
    std::printf("drive_cleaner: %d files, engine found %d, window listed %d\n", kFolders * kFilesPerFolder,
                engineFound, windowFound);
    std::printf("drive_cleaner: engine %.3f s, window search %.3f s\n", engine, window);
    std::printf("drive_cleaner ratio: %.2f (target <= 1.50)\n", window / engine);
    return engineFound != kFolders * kFilesPerFolder / 10 || windowFound != engineFound ? 1 : 0;
  });
}
