// Benchmark: the Duplicate finder's whole search (the tool's Search button: collect, keep equal
// sizes, hash with MD5, keep equal digests, list the rows) over a tree that bench/dupfind.sh
// builds. Prints the best time of three rounds, where that round spent its time, and writes the
// duplicate sets it found, one line per file, "digest<TAB>name relative to the tree", so the
// script can compare them with other tools' sets.
//
//   bench_duplicate_finder <tree folder> <result file>
//
// Both may be Windows names or the host's absolute names. The window's program folder lives in
// C:\sandbox\bench_duplicate_finder\, which is made afresh and removed on every way out. Needs a
// display (run it under Xvfb).
#include <chrono>
#include <cstdio>
#include <exception>
#include <memory>
#include <string>

#include "app/main/main_form.h"
#include "app/tools/duplicate_finder.h"
#include "bench/support/main_window.h"
#include "bench/support/scratch.h"
#include "framework/forms/application.h"
#include "framework/rtl/file_utils.h"
#include "framework/win.h"
#include "tests/support/host_links.h"

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

void PrintTimes(const app::TDupSearchTimes& t) {
  std::printf("duplicate_finder: step 1 collecting   %.3f s\n", t.Collect);
  std::printf("duplicate_finder: step 2 sizes        %.3f s\n", t.Sizes);
  std::printf("duplicate_finder: step 3 hashing      %.3f s\n", t.Hashing);
  std::printf("duplicate_finder: step 4 digests      %.3f s\n", t.Digests);
  std::printf("duplicate_finder: result list         %.3f s\n", t.Fill);
  std::printf("duplicate_finder: status-bar texts    %.3f s (within the steps)\n", t.Status);
  std::printf("duplicate_finder: message handling    %.3f s (within the steps)\n", t.Messages);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: bench_duplicate_finder <tree folder> <result file>\n");
    return 2;
  }
  std::string tree = testing_sandbox::WindowsName(argv[1]);
  std::string resultFile = testing_sandbox::WindowsName(argv[2]);
  return bench::Run([&] {
    bench::TScratchFolder work(kWork);
    std::string appDir = work.Path() + "app\\";
    if (!CreateDirectoryA(appDir.c_str(), nullptr) || !CreateDirectoryA((appDir + "config").c_str(), nullptr) ||
        !WriteText(appDir + "config\\dfext.ini", "[All]\r\n1=*.*\r\n")) {
      std::fprintf(stderr, "cannot make the program folder %s\n", appDir.c_str());
      return 2;
    }
    bench::TMainWindow mainWindow(appDir);
    int failures = 0;
    fw::Application->OnException = [&](fw::TObject*, fw::Exception& e) {
      std::fprintf(stderr, "duplicate_finder: exception in the window: %s\n", e.GetMessage().c_str());
      ++failures;
    };
    int rc = 0;
    app::TDuplicateFinder& tool = app::frmMain->DuplicateFinder();
    tool.Show();
    tool.lvDFPath->SetChecked(tool.lvDFPath->GetItems()->Add(tree), true);
    tool.clbDFGroup->SetChecked(0, true);
    tool.kCheckBox1->SetChecked(false);
    double best = 1e9;
    app::TDupSearchTimes bestTimes;
    for (int r = 0; r < kRounds; ++r) {
      auto start = std::chrono::steady_clock::now();
      tool.btnDFSearch->Click();
      double t = Seconds(std::chrono::steady_clock::now() - start);
      if (t < best) {
        best = t;
        bestTimes = tool.searchTimes;
      }
      fw::Application->ProcessMessages();
    }
    fw::TListItems* rows = tool.lvDFRes->GetItems();
    std::string root = fw::IncludeTrailingBackslash(tree);
    std::string text;
    for (int i = 0; i < rows->GetCount(); ++i) {
      fw::TListItem* row = rows->GetItem(i);
      std::string name = fw::IncludeTrailingBackslash(row->GetSubItems()->GetStrings(1)) + row->GetCaption();
      if (fw::UpperCase(name.substr(0, root.size())) == fw::UpperCase(root)) name = name.substr(root.size());
      text += row->GetSubItems()->GetStrings(3) + "\t" + name + "\n";
    }
    if (!WriteText(resultFile, text)) {
      std::fprintf(stderr, "cannot write %s\n", resultFile.c_str());
      rc = 1;
    }
    std::printf("duplicate_finder: %lld candidates, %d duplicate rows\n", static_cast<long long>(tool.dupFileCount),
                rows->GetCount());
    PrintTimes(bestTimes);
    std::printf("duplicate_finder: search %.3f s (best of %d)\n", best, kRounds);
    fw::Application->OnException = nullptr;
    return failures ? 1 : rc;
  });
}
