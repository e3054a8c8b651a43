// The floor under the Duplicate finder benchmark: the least a Win32 program does under the same
// Wine to tell a tree's duplicates, without hashing. One thread walks the tree
// (FindFirstFileW/FindNextFileW), reads the first 64 KiB of each file whose size another file
// shares (open, read, close), then reads whole, again from the start, each file larger than that
// block whose size and first block another file shares. Empty files take no part. Prints the
// best of three passes and what the pass read.
//
//   bench_dupfind_floor <tree folder>
//
// The tree may be a Windows name or the host's absolute name; nothing is written.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "framework/win.h"
#include "tests/support/host_links.h"
#include "tests/support/sandbox_guard.h"

namespace {

constexpr DWORD kFirstBlock = 64 << 10;
constexpr DWORD kReadBlock = 1 << 20;
constexpr int kRounds = 3;

struct TFile {
  std::wstring Name;
  uint64_t Size = 0;
};

// What a pass found and read.
struct TPassCounts {
  int Files = 0;
  int SameSize = 0;     // files whose size another file shares: their first block was read
  int SharedStart = 0;  // of those, files whose first block another one of their size shares
  int ReadWhole = 0;    // of those, the ones larger than the first block, read whole
};

void Walk(const std::wstring& folder, std::vector<TFile>& files) {
  WIN32_FIND_DATAW found;
  HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    std::wstring name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
      Walk(folder + L"\\" + name, files);
    else
      files.push_back({folder + L"\\" + name, (uint64_t(found.nFileSizeHigh) << 32) | found.nFileSizeLow});
  } while (FindNextFileW(find, &found));
  FindClose(find);
}

HANDLE OpenToRead(const std::wstring& name) {
  return CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                     FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
}

// Open, one read of the first block, close; the bytes read ("" when the file cannot be read).
std::string ReadStart(const std::wstring& name, std::vector<char>& block) {
  HANDLE file = OpenToRead(name);
  if (file == INVALID_HANDLE_VALUE) return std::string();
  DWORD count = 0;
  std::string start;
  if (ReadFile(file, block.data(), static_cast<DWORD>(block.size()), &count, nullptr)) start.assign(block.data(), count);
  CloseHandle(file);
  return start;
}

// Open, reads to the end a block at a time, close.
void ReadWhole(const std::wstring& name, std::vector<char>& block) {
  HANDLE file = OpenToRead(name);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD count = 0;
  while (ReadFile(file, block.data(), static_cast<DWORD>(block.size()), &count, nullptr) && count > 0) {
  }
  CloseHandle(file);
}

TPassCounts Pass(const std::wstring& root) {
  TPassCounts counts;
  std::vector<TFile> files;
  Walk(root, files);
  counts.Files = static_cast<int>(files.size());
  std::map<uint64_t, std::vector<const TFile*>> bySize;
  for (const TFile& file : files)
    if (file.Size > 0) bySize[file.Size].push_back(&file);
  std::vector<char> firstBlock(kFirstBlock), readBlock(kReadBlock);
  for (const auto& [size, group] : bySize) {
    if (group.size() < 2) continue;
    counts.SameSize += static_cast<int>(group.size());
    std::vector<std::string> starts;
    for (const TFile* file : group) starts.push_back(ReadStart(file->Name, firstBlock));
    for (size_t i = 0; i < group.size(); ++i) {
      bool shared = false;
      for (size_t k = 0; k < group.size() && !shared; ++k) shared = k != i && starts[k] == starts[i];
      if (!shared) continue;
      ++counts.SharedStart;
      if (size <= kFirstBlock) continue;
      ReadWhole(group[i]->Name, readBlock);
      ++counts.ReadWhole;
    }
  }
  return counts;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: bench_dupfind_floor <tree folder>\n");
    return 2;
  }
  std::wstring root = testing_sandbox::Wide(testing_sandbox::WindowsName(argv[1]));
  while (!root.empty() && root.back() == L'\\') root.pop_back();
  if (GetFileAttributesW(root.c_str()) == INVALID_FILE_ATTRIBUTES) {
    std::fprintf(stderr, "bench_dupfind_floor: no folder %s\n", argv[1]);
    return 1;
  }
  double best = 1e9;
  TPassCounts counts;
  for (int round = 0; round < kRounds; ++round) {
    auto start = std::chrono::steady_clock::now();
    counts = Pass(root);
    best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  std::printf("dupfind_floor: %d files, %d of a shared size (first block read), %d of these with a shared first "
              "block, %d read whole\n",
              counts.Files, counts.SameSize, counts.SharedStart, counts.ReadWhole);
  std::printf("dupfind_floor: pass %.3f s (best of %d)\n", best, kRounds);
  return counts.SameSize > 0 ? 0 : 1;
}
