// Benchmark: the File wiper's Delete button (six passes of CryptoAPI random data, each flushed,
// then the delete) on one ticked row holding a 256 MiB file, against the host's
// "shred -n 6 --remove=unlink" on another 256 MiB file in the same folder, and against the floor
// under Wine: the bare passes (six of CryptGenRandom into a buffer of the tool's block size, each
// written and flushed, then the delete) on a third, in the same run. Best of three, with fresh
// files each round. Prints the times and the ratios tool / shred (target: at most 1.5) and
// tool / bare passes (target: at most 1.1).
//
//   bench_file_wiper
//
// The scratch folder C:\sandbox\bench_file_wiper\ (on the host, under the sandbox prefix's
// drive_c, so all wipes write to one file system) must not exist yet; it is removed on every
// exit. Needs a display (run it under Xvfb) and the host's shred (bench/file_wiper.sh sees to
// both).
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <algorithm>
#include <exception>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/main/main_form.h"
#include "app/tools/file_wiper.h"
#include "bench/support/main_window.h"
#include "bench/support/scratch.h"
#include "framework/forms/application.h"
#include "framework/forms/custom_form.h"
#include "framework/forms/dialog_service.h"
#include "framework/rtl/seams.h"
#include "framework/win.h"
#include "tests/support/host_links.h"

#include <wincrypt.h>

namespace {

constexpr char kScratch[] = "C:\\sandbox\\bench_file_wiper\\";
constexpr int64_t kFileSize = int64_t(256) << 20;
constexpr int kRounds = 3;
constexpr char kShred[] = "/usr/bin/shred";
// The File wiper's write block.
constexpr DWORD kBlockSize = 1 << 20;

double Seconds(const std::chrono::steady_clock::duration& d) { return std::chrono::duration<double>(d).count(); }

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Writes size bytes of pseudo-random data (xorshift: the content only has to be incompressible)
// and flushes them, so no timed wipe pays for the writing of its file.
bool WriteRandomFile(const std::string& path, int64_t size, uint64_t seed) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  std::vector<uint64_t> block((1 << 20) / sizeof(uint64_t));
  bool ok = true;
  for (int64_t left = size; ok && left > 0; left -= static_cast<int64_t>(block.size() * sizeof(uint64_t))) {
    for (uint64_t& word : block) {
      seed ^= seed << 13;
      seed ^= seed >> 7;
      seed ^= seed << 17;
      word = seed;
    }
    DWORD count = static_cast<DWORD>(std::min<int64_t>(left, block.size() * sizeof(uint64_t)));
    DWORD written = 0;
    ok = WriteFile(file, block.data(), count, &written, nullptr) && written == count;
  }
  ok = ok && FlushFileBuffers(file);
  CloseHandle(file);
  return ok;
}

// The File wiper's Delete on one ticked row holding file; the warning is answered OK.
double WiperRound(const std::string& file) {
  auto* dialogs = dynamic_cast<fw::testing::TScriptedDialogs*>(&fw::DialogService());
  if (!dialogs) throw std::runtime_error("the dialogs are not scripted");
  app::TFileWiper& wiper = app::frmMain->FileWiper();
  wiper.kBitBtn4Click(nullptr);
  wiper.fwSearcherFindFile(nullptr, file);  // the row a pick of the file makes
  wiper.fwLV->GetItems()->GetItem(0)->SetChecked(true);
  dialogs->Answers.push_back(fw::mrOk);
  auto start = std::chrono::steady_clock::now();
  wiper.btnFWDelete->Click();
  double t = Seconds(std::chrono::steady_clock::now() - start);
  if (dialogs->Texts.empty() || dialogs->Texts.back() != "Complete.")
    throw std::runtime_error("the File wiper did not wipe " + file);
  return t;
}

// The host's shred; the Windows handle of a host program is signalled before it ends, so the
// end is the moment shred has removed the file (its last step).
double ShredRound(const std::string& file) {
  std::string unixFile = testing_sandbox::UnixName(file);
  if (unixFile.empty() || unixFile.find(' ') != std::string::npos)
    throw std::runtime_error("no host name for " + file);
  auto start = std::chrono::steady_clock::now();
  if (!testing_sandbox::RunHost(kShred, "-n 6 --remove=unlink " + unixFile)) throw std::runtime_error("cannot start shred");
  while (Exists(file)) {
    if (Seconds(std::chrono::steady_clock::now() - start) > 600) throw std::runtime_error("shred did not finish");
    Sleep(1);
  }
  return Seconds(std::chrono::steady_clock::now() - start);
}

// The floor under Wine: six passes of CryptGenRandom into a buffer of the tool's block size,
// each pass written over the file and flushed, then the delete; no checks, no messages.
double FloorRound(const std::string& file) {
  auto start = std::chrono::steady_clock::now();
  HCRYPTPROV provider = 0;
  if (!CryptAcquireContextA(&provider, nullptr, nullptr, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT))
    throw std::runtime_error("no random source");
  HANDLE handle = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  std::vector<BYTE> block(kBlockSize);
  bool ok = handle != INVALID_HANDLE_VALUE;
  for (int pass = 0; ok && pass < 6; ++pass) {
    ok = SetFilePointer(handle, 0, nullptr, FILE_BEGIN) == 0;
    for (int64_t left = kFileSize; ok && left > 0; left -= kBlockSize) {
      DWORD written = 0;
      ok = CryptGenRandom(provider, kBlockSize, block.data()) &&
           WriteFile(handle, block.data(), kBlockSize, &written, nullptr) && written == kBlockSize;
    }
    ok = ok && FlushFileBuffers(handle);
  }
  if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
  CryptReleaseContext(provider, 0);
  if (!ok || !DeleteFileA(file.c_str())) throw std::runtime_error("the bare passes failed on " + file);
  return Seconds(std::chrono::steady_clock::now() - start);
}

int Measure(const std::string& scratch) {
  std::string appDir = scratch + "app\\";
  CreateDirectoryA(appDir.c_str(), nullptr);
  bench::TMainWindow mainWindow(appDir);
  double wiper = 1e9, shred = 1e9, floor = 1e9;
  for (int round = 0; round < kRounds; ++round) {
    std::string wiped = scratch + "wiper" + std::to_string(round) + ".bin";
    std::string shredded = scratch + "shred" + std::to_string(round) + ".bin";
    std::string bare = scratch + "floor" + std::to_string(round) + ".bin";
    if (!WriteRandomFile(wiped, kFileSize, 0x9E3779B97F4A7C15ull + round) ||
        !WriteRandomFile(shredded, kFileSize, 0xD1B54A32D192ED03ull + round) ||
        !WriteRandomFile(bare, kFileSize, 0x94D049BB133111EBull + round))
      throw std::runtime_error("cannot write the files in " + scratch);
    // Each round starts with another of the three, so none always finds the disk busier.
    for (int turn = 0; turn < 3; ++turn) {
      int which = (round + turn) % 3;
      if (which == 0)
        wiper = std::min(wiper, WiperRound(wiped));
      else if (which == 1)
        shred = std::min(shred, ShredRound(shredded));
      else
        floor = std::min(floor, FloorRound(bare));
    }
    if (Exists(wiped) || Exists(shredded) || Exists(bare)) throw std::runtime_error("a wiped file is still there");
    fw::Application->ProcessMessages();
  }
  double mib = static_cast<double>(kFileSize >> 20);
  std::printf("file_wiper: 256 MiB, 6 passes; File wiper %.3f s (%.0f MiB/s), shred %.3f s (%.0f MiB/s), "
              "bare passes %.3f s (%.0f MiB/s)\n",
              wiper, 6 * mib / wiper, shred, 6 * mib / shred, floor, 6 * mib / floor);
  std::printf("file_wiper ratio: %.2f (target <= 1.50)\n", wiper / shred);
  std::printf("file_wiper floor ratio: %.2f (tool / bare passes; target <= 1.10)\n", wiper / floor);
  return 0;
}

}  // namespace

int main() {
  return bench::Run([] {
    bench::TScratchFolder scratch(kScratch);
    return Measure(scratch.Path());
  });
}
