// Benchmark: loading a hostile skin (a copy of the shipped Slate skin with a gradient of 20,000
// stops and a ring of 3,000 PARENTCLASS sections) against loading Slate itself, each a whole
// load and announcement by a TkSkinManager, best of five rounds of ten loads each. Prints both
// times and their ratio (target: at most 1.50).
//
//   bench_skin_hostile [scratch folder under C:\sandbox\]
//
// The scratch folder (default C:\sandbox\bench_skin_hostile\) receives the two copies of Slate
// and is removed at the end.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <optional>
#include <string>

#include "bench/support/scratch.h"
#include "bench/support/shipped_skin.h"
#include "bench/support/skin_environment.h"
#include "framework/classes/streams.h"
#include "framework/forms/custom_form.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/stored_skin_reader.h"
#include "tests/support/hostile_skins.h"

namespace {

constexpr int kLoads = 10;
constexpr int kRounds = 5;

double Seconds(const std::chrono::steady_clock::duration& d) { return std::chrono::duration<double>(d).count(); }

std::string ReadText(const std::string& fileName) {
  fw::TFileStream stream(fileName, fw::fmOpenRead | fw::fmShareDenyWrite);
  std::string text(static_cast<size_t>(stream.GetSize()), '\0');
  stream.Read(text.data(), static_cast<int>(text.size()));
  return text;
}

void WriteText(const std::string& fileName, const std::string& text) {
  fw::TFileStream stream(fileName, fw::fmCreate);
  stream.Write(text.data(), static_cast<int>(text.size()));
}

// The time of kLoads loads of the skin "Slate" from the folder skins.
double TimeLoads(skin::TkSkinManager& manager, const std::string& skins) {
  manager.SetSkinDirectory(skins);
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < kLoads; ++i) manager.SetSkinName("Slate");
  return Seconds(std::chrono::steady_clock::now() - start);
}

}  // namespace

int Measure(const std::string& scratch) {
  const std::string plain = scratch + "Plain\\", hostile = scratch + "Hostile\\";
  CreateDirectoryA(plain.c_str(), nullptr);
  CreateDirectoryA(hostile.c_str(), nullptr);
  if (bench::CopyShippedSkin(plain, "Slate").empty() || bench::CopyShippedSkin(hostile, "Slate").empty()) {
    std::fprintf(stderr, "no skin folder Z:\\Skins\\Slate (build first)\n");
    return 2;
  }
  const std::string options = hostile + "Slate\\Options.dat";
  std::string text = ReadText(options);
  text = hostile_skins::WithFirstLines(text, "FORMTITLE", "GRADIENTDATA=" + hostile_skins::ManyStops(20000) + "\r\n");
  WriteText(options, hostile_skins::WithParentRing(text, "PANEL", 3000));

  std::optional<bench::TSkinEnvironment> environment(std::in_place, scratch);
  auto* form = fw::New<fw::TForm>(fw::Application);
  form->Show();
  auto* manager = fw::New<skin::TkSkinManager>(nullptr);
  skin::LoadStoredSkinResource(*manager->GetInternalSkins());
  TimeLoads(*manager, plain);  // warm-up
  TimeLoads(*manager, hostile);
  double plainTime = 1e9, hostileTime = 1e9;
  for (int round = 0; round < kRounds; ++round) {
    plainTime = std::min(plainTime, TimeLoads(*manager, plain));
    hostileTime = std::min(hostileTime, TimeLoads(*manager, hostile));
  }
  const bool clean = environment->Messages().empty() && manager->GetSections().size() > 3000;

  manager->Free();
  form->Free();
  environment.reset();

  std::printf("Slate: %d loads in %.3f s (best of %d)\n", kLoads, plainTime, kRounds);
  std::printf("hostile Slate (20,000 gradient stops, 3,000 parents): %d loads in %.3f s\n", kLoads, hostileTime);
  if (!clean) {
    std::printf("skin_hostile: the hostile skin did not load cleanly\n");
    return 1;
  }
  std::printf("skin_hostile ratio: %.2f (target <= 1.50)\n", hostileTime / plainTime);
  return 0;
}

int main(int argc, char** argv) {
  return bench::Run([&] {
    bench::TScratchFolder scratch(argc > 1 ? argv[1] : "C:\\sandbox\\bench_skin_hostile\\");
    return Measure(scratch.Path());
  });
}
