// Benchmark: the search engine against a bare FindFirstFileA/FindNextFileA walk of the same
// tree of 100,000 files in 400 folders, with the Drive cleaner's junk masks. Prints both times
// and their ratio (target: at most 1.3).
//
//   bench_search_walk [scratch folder under C:\sandbox\]
//
// The tree is built in the scratch folder (default C:\sandbox\bench_search_walk\), which is removed
// on every way out.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/support/scratch.h"
#include "framework/win.h"
#include "services/search/search_files.h"

namespace {

constexpr int kTopFolders = 20;
constexpr int kSubFolders = 19;  // per top folder: 20 + 20 * 19 = 400 folders
constexpr int kFilesPerFolder = 250;
constexpr int kRounds = 5;

// The masks of the default junk list that are switched on, and "~*.*".
const char* const kJunkMasks[] = {
    "*.$$$", "*.--*", "*.??~", "*._dd", "*._mp", "*.~*", "*.bac", "*.bak", "*.chk", "*.gid", "*.ms", "*.old",
    "*.shd", "*.svs", "*.tmp", "*.wbk", "*.?$?", "*.?^?", "*.^", "*.___", "*._dtemp", "*.nu3", "*.$db", "*.cpy",
    "*.db$", "*.dmp", "*.err", "*.fic", "*.ftg", "*.fts", "*.nav", "*_ofidx.*", "*.nch", "anti-vir.dat",
    "chklist.*", "ffastun.*", "files.bbs", "iebak.dat", "modemdet.txt", "mscreate.dir", "pspbrwse.jbf",
    "scandisk.log", "system.1st", "tewrk.h*", "thumbs.db", "twain???.mtx", "~*.*",
};

// One name in ten is junk; the rest look like ordinary documents and pictures.
std::string FileName(int i) {
  static const char* const junk[] = {"~wrl%04d.tmp", "report%04d.bak", "~$draft%04d.doc", "setup%04d.old"};
  static const char* const plain[] = {"letter%04d.doc", "photo%04d.jpg", "song%04d.mp3", "notes%04d.txt",
                                      "data%04d.dat",   "page%04d.html", "lib%04d.dll",  "tool%04d.exe",
                                      "sheet%04d.xls"};
  char name[64];
  if (i % 10 == 0)
    std::snprintf(name, sizeof name, junk[(i / 10) % 4], i);
  else
    std::snprintf(name, sizeof name, plain[i % 9], i);
  return name;
}

std::vector<std::string> Folders(const std::string& root) {
  std::vector<std::string> folders;
  for (int t = 0; t < kTopFolders; ++t) {
    std::string top = root + "top" + std::to_string(t) + "\\";
    folders.push_back(top);
    for (int s = 0; s < kSubFolders; ++s) folders.push_back(top + "sub" + std::to_string(s) + "\\");
  }
  return folders;
}

bool BuildTree(const std::string& root, const std::vector<std::string>& folders) {
  if (!CreateDirectoryA(root.c_str(), nullptr)) return false;
  int n = 0;
  for (const std::string& folder : folders) {
    if (!CreateDirectoryA(folder.c_str(), nullptr)) return false;
    for (int f = 0; f < kFilesPerFolder; ++f, ++n) {
      HANDLE h = CreateFileA((folder + FileName(n)).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
      if (h == INVALID_HANDLE_VALUE) return false;
      CloseHandle(h);
    }
  }
  return true;
}

// The bare walk: list every folder, count the files.
long BareWalk(const std::string& dir) {
  long files = 0;
  std::vector<std::string> subs;
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((dir + "*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return 0;
  do {
    if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
      ++files;
    else if (std::strcmp(fd.cFileName, ".") != 0 && std::strcmp(fd.cFileName, "..") != 0)
      subs.push_back(fd.cFileName);
  } while (FindNextFileA(h, &fd));
  FindClose(h);
  for (const std::string& sub : subs) files += BareWalk(dir + sub + "\\");
  return files;
}

double Seconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }

}  // namespace

int main(int argc, char** argv) {
  return bench::Run([&] {
    bench::TScratchFolder scratch(argc > 1 ? argv[1] : "C:\\sandbox\\bench_search_walk\\");
    const std::string root = scratch.Path() + "tree\\";
    const std::vector<std::string> folders = Folders(root);
    const long totalFiles = long(folders.size()) * kFilesPerFolder;

    auto t0 = std::chrono::steady_clock::now();
    bool built = BuildTree(root, folders);
    std::printf("tree: %ld files in %zu folders, built in %.1f s\n", totalFiles, folders.size(),
                Seconds(std::chrono::steady_clock::now() - t0));
    if (!built) throw std::runtime_error("building the tree failed (error " + std::to_string(GetLastError()) + ")");

    // The engine as the Drive cleaner sets it up.
    auto search = fw::MakeOwned<svc::TDsSearchFiles>(nullptr);
    search->SetErrorResponse(svc::erIgnore);
    search->GetDirParams()->SetSearchTypes(svc::stFileMask);
    search->GetFileParams()->SetSearchTypes(svc::stFileMask);
    search->GetFileParams()->GetAttributes()->SetExcludeAttr(FILE_ATTRIBUTE_SYSTEM);
    for (const char* mask : kJunkMasks) search->GetFileParams()->GetFileMasks()->Add(mask);
    search->SetRootDirectory(root);
    long found = 0, scanned = 0;
    int64_t bytes = 0;
    search->OnBeginScanDir = [&](fw::TObject*, const std::string&) { ++scanned; };
    search->OnFindFile = [&](fw::TObject*, const std::string&) {
      const WIN32_FIND_DATAA& d = search->GetFindData();
      bytes += (int64_t(d.nFileSizeHigh) << 32) | d.nFileSizeLow;
      ++found;
    };

    double engineBest = 1e9, bareBest = 1e9;
    long bareFiles = 0;
    bool ok = true;
    for (int round = 0; round <= kRounds; ++round) {  // round 0 warms the caches
      auto a = std::chrono::steady_clock::now();
      bareFiles = BareWalk(root);
      auto b = std::chrono::steady_clock::now();
      found = scanned = 0;
      ok = search->Search() && ok;
      auto c = std::chrono::steady_clock::now();
      if (round > 0) {
        bareBest = std::min(bareBest, Seconds(b - a));
        engineBest = std::min(engineBest, Seconds(c - b));
      }
    }
    auto r0 = std::chrono::steady_clock::now();
    bool removed = scratch.Remove();
    std::printf("tree: removed in %.1f s\n", Seconds(std::chrono::steady_clock::now() - r0));

    const double ratio = engineBest / bareBest;
    std::printf("bare walk: %ld files in %.1f ms\n", bareFiles, bareBest * 1000);
    std::printf("engine:    %ld of %ld files matched, %ld folders, %.1f ms (%lld bytes)\n", found, totalFiles,
                scanned, engineBest * 1000, static_cast<long long>(bytes));
    std::printf("search_walk ratio: %.2f (target <= 1.30) %s\n", ratio, ratio <= 1.3 ? "OK" : "MISSED");
    if (!ok || bareFiles != totalFiles || found != totalFiles / 10 || scanned != long(folders.size()) + 1) {
      std::fprintf(stderr, "the walks did not see the whole tree\n");
      return 1;
    }
    if (!removed) {
      std::fprintf(stderr, "could not remove %s\n", scratch.Path().c_str());
      return 1;
    }
    return 0;
  });
}
