// Benchmark: a live skin switch as the user makes it. The program's main window is started
// in-process with the shipped skins "Slate" and "Neutral" in its skin folder, its Settings
// window is opened, and Apply switches between the two skins 10 times; each switch is timed from
// the press to the settled main window (the messages it left let through). Against it, the same
// run decodes each new skin's pictures with the framework's readers, and repaints the settled
// main window in full with nothing changed (RedrawWindow: invalidate, frame, erase, children,
// at once; then the same settling): decoding plus that repaint is the floor, the least a switch
// can cost under this Wine. Best of three rounds after a warm-up. The main window's full paints
// are counted during every switch.
//   prints: skin_switch ratio: X (target <= 1.50)            switches / decoding
//           skin_switch floor ratio: X                       switches / (decoding + repaints)
//           skin_switch paints: N (the most any switch made; one)
//
//   bench_skin_switch [scratch folder under C:\sandbox\]
//
// The scratch folder (default C:\sandbox\bench_skin_switch\) holds the program folder with a
// copy of the skin folders the build drew (Z:\Skins) and is removed at the end.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "app/settings/settings_form.h"
#include "bench/support/main_window.h"
#include "bench/support/scratch.h"
#include "bench/support/shipped_skin.h"
#include "skin/controls/list_box.h"
#include "skin/controls/button.h"
#include "skin/controls/speed_button.h"
#include "skin/engine/skin_engine.h"
#include "skin/engine/skin_manager.h"

namespace {

constexpr int kSwitches = 10, kRounds = 3;
const char* const kSkins[] = {"Slate", "Neutral"};

double Seconds(const std::chrono::steady_clock::duration& d) { return std::chrono::duration<double>(d).count(); }

// The skin engine for the scope, started before the window as the program's entry does.
struct TSkinEngine {
  TSkinEngine() { skin::StartSkinEngine(); }
  ~TSkinEngine() { skin::StopSkinEngine(); }
};

// Counts the main window's paints of its whole client area while it is watched.
class TPaintCounter {
 public:
  TPaintCounter() : FOriginal(app::frmMain->GetWindowProc()) {
    app::frmMain->SetWindowProc([this](fw::TMessage& m) {
      if (m.Msg == WM_PAINT) {
        // A paint without an update region paints the whole client area from the form's cache.
        HWND window = app::frmMain->GetHandle();
        RECT update{}, client{};
        GetClientRect(window, &client);
        if (!GetUpdateRect(window, &update, FALSE) || EqualRect(&update, &client)) ++Count;
      }
      FOriginal(m);
    });
  }
  ~TPaintCounter() { app::frmMain->SetWindowProc(FOriginal); }
  TPaintCounter(const TPaintCounter&) = delete;
  TPaintCounter& operator=(const TPaintCounter&) = delete;

  int Count = 0;

 private:
  fw::TWndMethodProc FOriginal;
};

}  // namespace

int Measure(const std::string& scratch) {
  const std::string appDir = scratch + "app\\", skins = appDir + "Skins\\";
  CreateDirectoryA(appDir.c_str(), nullptr);
  CreateDirectoryA(skins.c_str(), nullptr);
  const std::vector<std::string> pictures[2] = {bench::CopyShippedSkin(skins, kSkins[0]),
                                                bench::CopyShippedSkin(skins, kSkins[1])};
  if (pictures[0].empty() || pictures[1].empty()) {
    std::fprintf(stderr, "no skin folders under Z:\\Skins (build first)\n");
    return 2;
  }

  TSkinEngine engine;
  bench::TMainWindow window(appDir);
  skin::TkSkinManager* manager = app::frmMain->skinManager;
  double switching = 1e9, decoding = 1e9, repainting = 1e9;
  int mostPaints = 0;
  bool applied = true, shown = false;
  // Lets through the messages left and waits for the painting: the window is settled.
  auto settle = [] {
    fw::Application->ProcessMessages();
    GdiFlush();
  };
  auto timed = [](auto&& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return Seconds(std::chrono::steady_clock::now() - start);
  };
  fw::Application->ModalHook = [&](fw::TCustomForm& form) {
    auto* settings = dynamic_cast<app::TfrmSettings*>(&form);
    if (!settings) return;
    shown = true;
    // Apply with the skin of that name chosen in the list; the time up to the settled window.
    auto apply = [&](const char* name) {
      settings->SkinsListBox->SetItemIndex(settings->SkinsListBox->GetItems()->IndexOf(name));
      TPaintCounter paints;
      const double time = timed([&] {
        settings->kButton1->Click();
        settle();
      });
      applied = applied && manager->GetSkinName() == name;
      mostPaints = std::max(mostPaints, paints.Count);
      return time;
    };
    // The least a switch must paint: the settled main window once in full, nothing changed.
    auto repaint = [&] {
      RedrawWindow(app::frmMain->GetHandle(), nullptr, nullptr,
                   RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME | RDW_ERASE);
      settle();
    };
    apply(kSkins[0]);  // warm-up
    apply(kSkins[1]);
    repaint();
    for (int round = 0; round < kRounds; ++round) {
      double total = 0;
      for (int i = 0; i < kSwitches; ++i) total += apply(kSkins[i % 2]);
      switching = std::min(switching, total);
      decoding = std::min(decoding, timed([&] {
                            for (int i = 0; i < kSwitches; ++i) bench::DecodePictures(pictures[i % 2]);
                          }));
      repainting = std::min(repainting, timed([&] {
                              for (int i = 0; i < kSwitches; ++i) repaint();
                            }));
    }
    settings->Close();
  };
  app::frmMain->btnSettings->Click();
  fw::Application->ModalHook = nullptr;

  if (!shown || !applied) {
    std::printf("skin_switch: %s\n", shown ? "a switch did not apply its skin" : "the Settings window did not open");
    return 1;
  }
  std::printf("skin switches (Apply to the settled window): %d in %.3f s (best of %d)\n", kSwitches, switching,
              kRounds);
  std::printf("picture decoding: %d skins' files in %.3f s\n", kSwitches, decoding);
  std::printf("full repaints of the settled main window: %d in %.3f s\n", kSwitches, repainting);
  std::printf("skin_switch ratio: %.2f (target <= 1.50)\n", switching / decoding);
  std::printf("skin_switch floor ratio: %.2f (switches / (decoding + full repaints))\n",
              switching / (decoding + repainting));
  std::printf("skin_switch paints: %d\n", mostPaints);
  return 0;
}

int main(int argc, char** argv) {
  return bench::Run([&] {
    bench::TScratchFolder scratch(argc > 1 ? argv[1] : "C:\\sandbox\\bench_skin_switch\\");
    return Measure(scratch.Path());
  });
}
