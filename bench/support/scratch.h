// Scratch folders of the benchmark programs, and the frame every benchmark's main runs in.
#pragma once
#include <cstdio>
#include <exception>
#include <stdexcept>
#include <string>

#include "framework/rtl/file_utils.h"
#include "framework/sys/owned_handle.h"
#include "framework/win.h"
#include "tests/support/sandbox_guard.h"

namespace bench {

// A scratch folder inside C:\sandbox\, made at the start and removed with the tests' guarded
// removal on every way out of its scope (an exception included). It carries a marker file, so
// a folder left by a run that died is known and removed first; any other folder that exists
// already is refused, as is a path outside the sandbox: both raise std::runtime_error.
class TScratchFolder {
 public:
  explicit TScratchFolder(const std::string& path) : FPath(fw::IncludeTrailingBackslash(path)) {
    if (!testing_sandbox::InSandbox(FPath))
      throw std::runtime_error("the scratch folder must lie inside " + testing_sandbox::Root() + ": " + FPath);
    CreateDirectoryA(testing_sandbox::Root().c_str(), nullptr);
    if (fw::FileExists(Marker())) {
      std::printf("removing %s, left by an earlier run\n", FPath.c_str());
      testing_sandbox::RemoveSandboxTree(FPath);
    }
    if (!CreateDirectoryA(FPath.c_str(), nullptr))
      throw std::runtime_error("cannot create " + FPath + " (it must not exist yet)");
    fw::TFileHandle marker(CreateFileA(Marker().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
  }
  ~TScratchFolder() {
    if (!FRemoved && !Remove()) std::fprintf(stderr, "could not remove %s\n", FPath.c_str());
  }
  TScratchFolder(const TScratchFolder&) = delete;
  TScratchFolder& operator=(const TScratchFolder&) = delete;

  // With its trailing backslash.
  const std::string& Path() const { return FPath; }
  // Removes the folder now; false when something is left.
  bool Remove() {
    FRemoved = true;
    return testing_sandbox::RemoveSandboxTree(FPath);
  }

 private:
  std::string Marker() const { return FPath + "vorlet-bench-scratch"; }
  std::string FPath;
  bool FRemoved = false;
};

// Runs a benchmark's main; whatever it throws is printed and ends the program with code 1,
// after its scratch folder has gone with the unwinding.
template <class F>
int Run(F&& body) {
  try {
    return body();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "benchmark failed: %s\n", e.what());
  } catch (...) {
    std::fprintf(stderr, "benchmark failed: unknown exception\n");
  }
  return 1;
}

}  // namespace bench
