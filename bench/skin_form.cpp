// Benchmark: the skinned main window resized. The program's main window (its stored Neutral
// skin) is set to 50 sizes in turn, each a cache rebuild, a new window region and a full
// repaint with the messages pumped; then the same with the skin manager's Active False (the
// system frame), in the same run. Best of five rounds each.
//   prints: skin_form ratio: X (target <= 3.00)
//
//   bench_skin_form [scratch folder under C:\sandbox\]
#include <algorithm>
#include <chrono>
#include <cstdio>

#include "bench/support/main_window.h"
#include "bench/support/scratch.h"
#include "skin/engine/skin_manager.h"

namespace {

constexpr int kSizes = 50, kRounds = 5;

double Round() {
  HWND wnd = app::frmMain->GetHandle();
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < kSizes; ++i) {
    app::frmMain->SetBounds(20, 20, 600 + (i % 10) * 12, 420 + (i / 10) * 14);
    RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    fw::Application->ProcessMessages();
  }
  GdiFlush();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

double Best() {
  Round();  // warm-up
  double best = 1e300;
  for (int i = 0; i < kRounds; ++i) best = std::min(best, Round());
  return best;
}

int Measure(const std::string& scratch) {
  bench::TMainWindow window(scratch);
  skin::TkSkinManager* manager = app::frmMain->skinManager;
  if (!manager || !manager->GetActive()) {
    std::printf("skin_form: the main window has no active skin\n");
    return 1;
  }
  const double skinned = Best();
  manager->SetActive(false);
  fw::Application->ProcessMessages();
  const double plain = Best();
  std::printf("skinned main window, %d sizes: %.1f ms (best of %d)\n", kSizes, skinned, kRounds);
  std::printf("system frame, %d sizes: %.1f ms (best of %d)\n", kSizes, plain, kRounds);
  std::printf("skin_form ratio: %.2f (target <= 3.00)\n", skinned / plain);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  return bench::Run([&] {
    bench::TScratchFolder scratch(argc > 1 ? argv[1] : "C:\\sandbox\\bench_skin_form\\");
    return Measure(scratch.Path());
  });
}
