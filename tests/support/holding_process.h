// A file held open by another process: file_holder.exe (beside the test program) opens it for
// reading without sharing deletion and keeps it until this object goes, so that while it lives
// the file can be neither deleted nor moved, nor sent to the recycle bin. Held sharing nothing,
// it cannot even be read meanwhile.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "framework/win.h"
#include "support/helper_program.h"

namespace testing_support {

class THoldingProcess {
 public:
  enum TSharing { ShareReadWrite, ShareNothing };
  explicit THoldingProcess(const std::string& path, TSharing sharing = ShareReadWrite) {
    static int counter = 0;
    const std::string stem =
        "vorlet-file-holder-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
    const std::string ready = stem + "-ready", release = stem + "-release";
    FReady = CreateEventA(nullptr, TRUE, FALSE, ready.c_str());
    FRelease = CreateEventA(nullptr, TRUE, FALSE, release.c_str());
    if (FReady && FRelease)
      FProcess = StartHelperProgram("file_holder.exe", "\"" + path + "\" " + ready + " " + release +
                                                           (sharing == ShareNothing ? " none" : ""));
    if (FProcess) {
      HANDLE either[] = {FReady, FProcess};
      FHeld = WaitForMultipleObjects(2, either, FALSE, 10000) == WAIT_OBJECT_0;
    }
    EXPECT_TRUE(FHeld) << "file_holder.exe does not hold " << path;
  }
  ~THoldingProcess() {
    if (FRelease) SetEvent(FRelease);
    if (FProcess) {
      if (WaitForSingleObject(FProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(FProcess, 1);
      CloseHandle(FProcess);
    }
    if (FRelease) CloseHandle(FRelease);
    if (FReady) CloseHandle(FReady);
  }
  THoldingProcess(const THoldingProcess&) = delete;
  THoldingProcess& operator=(const THoldingProcess&) = delete;

  // Whether the other process has the file open.
  bool Held() const { return FHeld; }

 private:
  HANDLE FReady = nullptr;
  HANDLE FRelease = nullptr;
  HANDLE FProcess = nullptr;
  bool FHeld = false;
};

}  // namespace testing_support
