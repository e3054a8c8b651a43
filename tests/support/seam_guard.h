// TSeamGuard: every seam a test (or a benchmark) may script, taken out and put back to the real
// platform while the guard lives, and restored as it was when the guard goes. A forgotten reset
// in one test can therefore never reach the next. Needs no GoogleTest.
#pragma once
#include <functional>
#include <memory>
#include <vector>

namespace testing_seams {

class TSeamGuard {
 public:
  TSeamGuard();
  ~TSeamGuard();
  TSeamGuard(const TSeamGuard&) = delete;
  TSeamGuard& operator=(const TSeamGuard&) = delete;

 private:
  // A seam's setter installs its argument and returns what it replaces; the empty value is
  // the real platform.
  template <class T>
  void Keep(T (*setter)(T)) {
    auto saved = std::make_shared<T>(setter(T{}));
    FRestore.push_back([setter, saved] { setter(std::move(*saved)); });
  }

  std::vector<std::function<void()>> FRestore;
};

}  // namespace testing_seams
