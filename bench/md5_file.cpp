// Benchmark: TCrMD5.HashFile over a 512 MiB file; prints the digest and the throughput in MiB/s.
//
//   bench_md5_file [file]
//
// With a file, that file is hashed (and left alone). Without one, a 512 MiB file is written to
// C:\sandbox\bench_md5_file\data.bin first and removed on every way out.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/support/scratch.h"
#include "framework/win.h"
#include "services/hashing/md5.h"

namespace {

constexpr int64_t kSize = int64_t(512) << 20;
constexpr int kRounds = 3;

bool WriteScratch(const std::string& name) {
  HANDLE h = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  std::vector<uint32_t> block(1 << 18);  // 1 MiB of xorshift noise at a time
  uint32_t x = 2463534242u;
  bool ok = true;
  for (int64_t done = 0; ok && done < kSize; done += int64_t(block.size()) * 4) {
    for (uint32_t& w : block) {
      x ^= x << 13;
      x ^= x >> 17;
      x ^= x << 5;
      w = x;
    }
    DWORD written = 0;
    ok = WriteFile(h, block.data(), DWORD(block.size() * 4), &written, nullptr) && written == block.size() * 4;
  }
  CloseHandle(h);
  return ok;
}

// Hashes the file three times and prints the digest and the best throughput.
int HashAndReport(const std::string& name) {
  WIN32_FILE_ATTRIBUTE_DATA info;
  if (!GetFileAttributesExA(name.c_str(), GetFileExInfoStandard, &info)) {
    std::fprintf(stderr, "cannot find %s\n", name.c_str());
    return 2;
  }
  const double mib = double((int64_t(info.nFileSizeHigh) << 32) | info.nFileSizeLow) / (1 << 20);
  auto md5 = fw::MakeOwned<svc::TCrMD5>(nullptr);
  double best = 1e9;
  for (int round = 0; round < kRounds; ++round) {
    auto a = std::chrono::steady_clock::now();
    md5->HashFile(name);
    best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - a).count());
  }
  svc::TMD5Digest digest;
  md5->GetDigest(digest);
  std::printf("md5 %s  %s\n", svc::BytesToHex(digest.data(), 16).c_str(), name.c_str());
  std::printf("md5_file: %.0f MiB in %.3f s, %.1f MiB/s\n", mib, best, mib / best);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  return bench::Run([&] {
    if (argc > 1) return HashAndReport(argv[1]);
    bench::TScratchFolder scratch("C:\\sandbox\\bench_md5_file\\");
    const std::string name = scratch.Path() + "data.bin";
    if (!WriteScratch(name)) throw std::runtime_error("cannot write " + name);
    return HashAndReport(name);
  });
}
