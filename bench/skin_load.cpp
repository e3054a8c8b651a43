// Benchmark: switching the skin manager between the shipped skins "Slate" and "Neutral" 20 times
// (every load, announcement and repaint broadcast reaching a form) against decoding the same
// picture files 20 times with the framework's BMP and JPEG readers in the same run. Prints both
// times and their ratio (target: at most 1.50).
//
//   bench_skin_load [scratch folder under C:\sandbox\]
//
// The scratch folder (default C:\sandbox\bench_skin_load\) receives a copy of the skin folders
// the build drew (Z:\Skins) and is removed at the end.
#include <chrono>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "bench/support/scratch.h"
#include "bench/support/shipped_skin.h"
#include "bench/support/skin_environment.h"
#include "framework/forms/application.h"
#include "framework/forms/custom_form.h"
#include "framework/forms/dialog_service.h"
#include "framework/rtl/file_utils.h"
#include "framework/rtl/seams.h"
#include "framework/rtl/sys_utils.h"
#include "framework/win.h"
#include "skin/engine/skin_command.h"
#include "skin/engine/skin_engine.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/stored_skin_reader.h"

namespace {

constexpr int kSwitches = 20;
constexpr int kRounds = 3;
const char* const kSkins[] = {"Slate", "Neutral"};

double Seconds(const std::chrono::steady_clock::duration& d) { return std::chrono::duration<double>(d).count(); }

}  // namespace

int Measure(const std::string& scratch) {
  const std::string skins = scratch + "Skins\\";
  CreateDirectoryA(skins.c_str(), nullptr);
  std::vector<std::string> pictures[2] = {bench::CopyShippedSkin(skins, kSkins[0]), bench::CopyShippedSkin(skins, kSkins[1])};
  if (pictures[0].empty() || pictures[1].empty()) {
    std::fprintf(stderr, "no skin folders under Z:\\Skins (build first)\n");
    return 2;
  }

  std::optional<bench::TSkinEnvironment> environment(std::in_place, scratch);

  // A form that counts the announcements it receives.
  int announced = 0;
  auto* form = fw::New<fw::TForm>(fw::Application);
  fw::TWndMethodProc original = form->GetWindowProc();
  form->SetWindowProc([&announced, original](fw::TMessage& m) {
    if (m.Msg == skin::SM_SKINCMD && skin::SkinCmdOf(m.WParam) == skin::cmdNewSkin) ++announced;
    original(m);
  });
  form->Show();

  auto* manager = fw::New<skin::TkSkinManager>(nullptr);
  skin::LoadStoredSkinResource(*manager->GetInternalSkins());
  manager->SetSkinDirectory(skins);
  manager->SetSkinName(kSkins[0]);  // warm-up
  manager->SetSkinName(kSkins[1]);

  double switching = 1e9, decoding = 1e9;
  for (int round = 0; round < kRounds; ++round) {
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kSwitches; ++i) manager->SetSkinName(kSkins[i % 2]);
    switching = std::min(switching, Seconds(std::chrono::steady_clock::now() - start));
    start = std::chrono::steady_clock::now();
    for (int i = 0; i < kSwitches; ++i) bench::DecodePictures(pictures[i % 2]);
    decoding = std::min(decoding, Seconds(std::chrono::steady_clock::now() - start));
  }
  const bool clean = environment->Messages().empty() && manager->GetSkinName() == kSkins[1];
  const int expected = 2 + kRounds * kSwitches;

  manager->Free();
  form->Free();
  environment.reset();

  std::printf("skin switches: %d in %.3f s (best of %d), %d announcements received\n", kSwitches, switching, kRounds,
              announced);
  std::printf("picture decoding: %d skins' files in %.3f s\n", kSwitches, decoding);
  if (!clean || announced != expected) {
    std::printf("skin_load: the switches did not load cleanly (warnings or missed announcements)\n");
    return 1;
  }
  std::printf("skin_load ratio: %.2f (target <= 1.50)\n", switching / decoding);
  return 0;
}

int main(int argc, char** argv) {
  return bench::Run([&] {
    bench::TScratchFolder scratch(argc > 1 ? argv[1] : "C:\\sandbox\\bench_skin_load\\");
    return Measure(scratch.Path());
  });
}
