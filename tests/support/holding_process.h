// A file held open by another process: file_holder.exe (beside the test program) opens it for
// reading without sharing deletion and keeps it until this object goes, so that while it lives
// the file can be neither deleted nor moved, nor sent to the recycle bin.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "framework/rtl/file_utils.h"
#include "framework/rtl/wide_path.h"
#include "framework/rtl/wide_text.h"
#include "framework/win.h"

namespace testing_support {

class THoldingProcess {
 public:
  explicit THoldingProcess(const std::string& path) {
    static int counter = 0;
    std::wstring stem = L"vorlet-file-holder-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                        std::to_wstring(++counter);
    std::wstring ready = stem + L"-ready", release = stem + L"-release";
    FReady = CreateEventW(nullptr, TRUE, FALSE, ready.c_str());
    FRelease = CreateEventW(nullptr, TRUE, FALSE, release.c_str());
    std::wstring tool = fw::Utf8ToWide(fw::ExtractFilePath(fw::ModuleFileName(nullptr)) + "file_holder.exe");
    std::wstring command = L"\"" + tool + L"\" \"" + fw::Utf8ToWide(path) + L"\" " + ready + L" " + release;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (FReady && FRelease &&
        CreateProcessW(tool.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
      CloseHandle(process.hThread);
      FProcess = process.hProcess;
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
