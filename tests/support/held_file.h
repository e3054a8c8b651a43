// A file held open by the test, sharing only what it is told to (nothing by default): while it
// is held it cannot be moved or deleted.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "framework/win.h"

namespace testing_support {

class THeldFile {
 public:
  explicit THeldFile(const std::string& path, DWORD share = 0)
      : FHandle(CreateFileA(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, 0, nullptr)) {
    EXPECT_NE(FHandle, INVALID_HANDLE_VALUE) << path;
  }
  ~THeldFile() {
    if (FHandle != INVALID_HANDLE_VALUE) CloseHandle(FHandle);
  }
  THeldFile(const THeldFile&) = delete;
  THeldFile& operator=(const THeldFile&) = delete;

 private:
  HANDLE FHandle;
};

}  // namespace testing_support
