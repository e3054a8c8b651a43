// Benchmark: the Duplicate finder's whole search (the tool's Search button: collect, keep equal
// sizes, hash with MD5, keep equal digests, list the rows) over a tree that bench/run.sh builds.
// Prints the best time of three rounds and writes the duplicate sets it found, one line per
// file, "digest<TAB>full name", so the script can compare them with another tool's sets.
//
//   bench_duplicate_finder <tree folder> <result file>
//
// The window's program folder lives in C:\sandbox\bench_duplicate_finder\ and is removed on every
// way out. Needs a display (run it under Xvfb).
#include <chrono>
#include <cstdio>
#include <string>

#include "app/main/main_form.h"
#include "app/tools/duplicate_finder.h"
#include "bench/support/main_window.h"
#include "bench/support/scratch.h"
#include "framework/forms/application.h"
#include "framework/rtl/file_utils.h"
#include "framework/win.h"

namespace {

constexpr int kRounds = 3;
constexpr char kWork[] = "C:\\sandbox\\bench_duplicate_finder\\";

double Seconds(const std::chrono::steady_clock::duration& d) { return std::chrono::duration<double>(d).count(); }

bool WriteText(const std::string& fileName, const std::string& text) {
  HANDLE h = CreateFileA(fileName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) && written == text.size();
  CloseHandle(h);
  return ok;
}


}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: bench_duplicate_finder <tree folder> <result file>\n");
    return 2;
  }
  std::string tree = argv[1];
  std::string resultFile = argv[2];
  return bench::Run([&] {
    bench::TScratchFolder work(kWork);
    std::string appDir = work.Path() + "app\\";
    CreateDirectoryA(appDir.c_str(), nullptr);
    CreateDirectoryA((appDir + "config").c_str(), nullptr);
    WriteText(appDir + "config\\dfext.ini", "[All]\r\n1=*.*\r\n");

    bench::TMainWindow mainWindow(appDir);
    app::TDuplicateFinder& tool = *app::frmMain->duplicateFinder;
    tool.Show();
    tool.lvDFPath->SetChecked(tool.lvDFPath->GetItems()->Add(tree), true);
    tool.clbDFGroup->SetChecked(0, true);
    tool.kCheckBox1->SetChecked(false);
    double best = 1e9;
    for (int r = 0; r < kRounds; ++r) {
      auto start = std::chrono::steady_clock::now();
      tool.btnDFSearch->Click();
      best = std::min(best, Seconds(std::chrono::steady_clock::now() - start));
      fw::Application->ProcessMessages();
    }
    fw::TListItems* rows = tool.lvDFRes->GetItems();
    std::string text;
    for (int i = 0; i < rows->GetCount(); ++i) {
      fw::TListItem* row = rows->GetItem(i);
      text += row->GetSubItems()->GetStrings(3) + "\t" +
              fw::IncludeTrailingBackslash(row->GetSubItems()->GetStrings(1)) + row->GetCaption() + "\n";
    }
    std::printf("duplicate_finder: %lld candidates, %d duplicate rows\n", static_cast<long long>(tool.dupFileCount),
                rows->GetCount());
    std::printf("duplicate_finder: search %.3f s (best of %d)\n", best, kRounds);
    return WriteText(resultFile, text) ? 0 : 1;
  });
}
