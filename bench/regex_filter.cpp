// Benchmark: the shell list view's file filter road. One TSvRegEx with IgnoreCase is given the
// masks "*.txt;*.log;report*.doc;~*;*.tmp" once and checks 100,000 generated file names; the
// search engine's WildcardMatch tests the same five masks on the upper-cased names. Both must
// accept exactly the same names. Prints both times (best of three after a warm-up) and
// "regex_filter ratio: <matcher / wildcard>".
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "framework/rtl/sys_utils.h"
#include "services/containers/sv_regex.h"
#include "services/search/wildcard_match.h"

namespace {

constexpr int kNames = 100000;
constexpr int kRounds = 3;
const char* const kMasks = "*.txt;*.log;report*.doc;~*;*.tmp";
const char* const kMaskList[] = {"*.TXT", "*.LOG", "REPORT*.DOC", "~*", "*.TMP"};
const char* const kExtensions[] = {".txt", ".TXT", ".log", ".doc", ".Doc", ".tmp", ".bak", ".exe", ".dll", ".ini",
                                   ".jpg", ".txt.bak", ".logs", ".tmpl", "", ".d", ".html", ".cpp"};

struct TRandom {
  uint32_t x = 2463534242u;
  uint32_t Next() {
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    return x;
  }
  int Below(int n) { return static_cast<int>(Next() % static_cast<uint32_t>(n)); }
};

std::vector<std::string> MakeNames() {
  TRandom random;
  const std::string letters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_- .";
  std::vector<std::string> names;
  names.reserve(kNames);
  while (static_cast<int>(names.size()) < kNames) {
    std::string name;
    int kind = random.Below(10);
    if (kind == 0) name = "~";
    if (kind == 1) name = random.Below(2) ? "report" : "Report";
    std::string extension = kExtensions[random.Below(sizeof kExtensions / sizeof kExtensions[0])];
    int length = 4 + random.Below(57);
    while (static_cast<int>(name.size() + extension.size()) < length)
      name += letters[random.Below(static_cast<int>(letters.size()))];
    name += extension;
    name.resize(std::min<size_t>(name.size(), 60));
    if (name.size() >= 4) names.push_back(name);
  }
  return names;
}

template <class F>
double BestOf(F&& run) {
  run();  // warm-up
  double best = 1e30;
  for (int i = 0; i < kRounds; ++i) {
    auto start = std::chrono::steady_clock::now();
    run();
    best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  return best;
}

}  // namespace

int main() {
  std::vector<std::string> names = MakeNames();
  std::vector<std::string> upper;
  upper.reserve(names.size());
  for (const std::string& name : names) upper.push_back(fw::UpperCase(name));

  auto regex = fw::MakeOwned<svc::TSvRegEx>();
  regex->SetIgnoreCase(true);
  if (!regex->SetFileMasks(kMasks)) {
    std::printf("the masks did not compile\n");
    return 1;
  }
  std::vector<char> byRegex(names.size()), byWildcard(names.size());
  double regexTime = BestOf([&] {
    svc::TSvMatchPosition position;
    for (size_t i = 0; i < names.size(); ++i) byRegex[i] = regex->CheckString(names[i], position);
  });
  double wildcardTime = BestOf([&] {
    for (size_t i = 0; i < upper.size(); ++i) {
      bool accepted = false;
      for (const char* mask : kMaskList) accepted = accepted || svc::WildcardMatch(mask, upper[i]);
      byWildcard[i] = accepted;
    }
  });
  int accepted = 0;
  for (size_t i = 0; i < names.size(); ++i) {
    if (byRegex[i] != byWildcard[i]) {
      std::printf("the two disagree on \"%s\" (matcher %d, wildcard %d)\n", names[i].c_str(), byRegex[i], byWildcard[i]);
      return 1;
    }
    accepted += byRegex[i];
  }
  std::printf("names: %d, accepted by both: %d\n", kNames, accepted);
  std::printf("matcher:  %.3f s\n", regexTime);
  std::printf("wildcard: %.3f s\n", wildcardTime);
  std::printf("regex_filter ratio: %.2f (target <= 5)\n", regexTime / wildcardTime);
  return 0;
}
