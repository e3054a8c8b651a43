// Benchmark: the Drive cleaner's Search button with a long mask list over a small tree. Times
// the whole click (reading ext.ini, preparing the masks, the search) with 20,000 and with
// 200,000 enabled masks, best of three each, and prints the time per mask for both and their
// ratio (larger list / smaller list; target: at most 2.0, the preparation grows with the list).
//
//   bench_drive_cleaner_masks [scratch folder under C:\sandbox\]
//
// The scratch folder (default C:\sandbox\bench_drive_cleaner_masks\) is built first and removed
// on every way out; the window's program folder lies inside it. Needs a display (run it under
// Xvfb).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <stdexcept>
#include <string>

#include "app/main/main_form.h"
#include "app/tools/drive_cleaner.h"
#include "bench/support/main_window.h"
#include "bench/support/scratch.h"
#include "framework/forms/application.h"
#include "framework/win.h"

namespace {

constexpr int kSmallList = 20000;
constexpr int kLargeList = 200000;
constexpr int kFolders = 5;
constexpr int kFilesPerFolder = 10;  // one in five is junk
constexpr int kRounds = 3;

double Seconds(const std::chrono::steady_clock::duration& d) { return std::chrono::duration<double>(d).count(); }

void WriteText(const std::string& path, const std::string& text) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot write " + path);
  DWORD written = 0;
  bool ok = WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) && written == text.size();
  CloseHandle(h);
  if (!ok) throw std::runtime_error("cannot write " + path);
}

void BuildTree(const std::string& tree) {
  if (!CreateDirectoryA(tree.c_str(), nullptr)) throw std::runtime_error("cannot create " + tree);
  for (int f = 0; f < kFolders; ++f) {
    std::string dir = tree + "folder" + std::to_string(f) + "\\";
    if (!CreateDirectoryA(dir.c_str(), nullptr)) throw std::runtime_error("cannot create " + dir);
    for (int i = 0; i < kFilesPerFolder; ++i)
      WriteText(dir + (i % 5 == 0 ? "junk" : "file") + std::to_string(i) + (i % 5 == 0 ? ".tmp" : ".dat"), "data");
  }
}

// An ext.ini of count enabled masks as a user's own long list looks: mostly extensions, some
// name patterns, in mixed case; "*.tmp" is one of them.
void WriteMaskList(const std::string& path, int count) {
  std::string text = "*.tmp=Temporary files=true\r\n";
  for (int i = 1; i < count; ++i) {
    std::string n = std::to_string(i);
    text += (i % 4 == 0 ? "Report" + n + "*.Doc" : "*.x" + n) + "=Mask " + n + "=true\r\n";
  }
  WriteText(path, text);
}

// The best of kRounds clicks of the Search button; found is the number of rows it listed.
double BestSearch(int& found) {
  double best = 1e9;
  for (int r = 0; r < kRounds; ++r) {
    auto start = std::chrono::steady_clock::now();
    app::frmMain->DriveCleaner().btnDCSearch->Click();
    best = std::min(best, Seconds(std::chrono::steady_clock::now() - start));
    found = app::frmMain->DriveCleaner().lvDCResult->GetItems()->GetCount();
    fw::Application->ProcessMessages();
  }
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  return bench::Run([&] {
    bench::TScratchFolder scratch(argc > 1 ? argv[1] : "C:\\sandbox\\bench_drive_cleaner_masks\\");
    std::string tree = scratch.Path() + "tree\\";
    std::string appDir = scratch.Path() + "app\\";
    BuildTree(tree);
    bench::TDriveCleanerWindow mainWindow(appDir, tree);
    std::string extIni = appDir + "config\\ext.ini";

    const int junk = kFolders * kFilesPerFolder / 5;
    int smallFound = 0, largeFound = 0;
    WriteMaskList(extIni, kSmallList);
    double small = BestSearch(smallFound);
    WriteMaskList(extIni, kLargeList);
    double large = BestSearch(largeFound);
    double smallPerMask = small / kSmallList * 1e6, largePerMask = large / kLargeList * 1e6;
    std::printf("drive_cleaner_masks: %d files, %d junk; listed %d and %d\n", kFolders * kFilesPerFolder, junk,
                smallFound, largeFound);
    std::printf("drive_cleaner_masks: %d masks %.3f s, %.2f us per mask\n", kSmallList, small, smallPerMask);
    std::printf("drive_cleaner_masks: %d masks %.3f s, %.2f us per mask\n", kLargeList, large, largePerMask);
    std::printf("drive_cleaner_masks ratio: %.2f (target <= 2.00)\n", largePerMask / smallPerMask);
    return smallFound != junk || largeFound != junk ? 1 : 0;
  });
}
