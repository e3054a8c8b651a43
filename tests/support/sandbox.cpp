#include "support/sandbox.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "framework/win.h"

namespace testing_sandbox {

void RemoveTree(const std::string& path) {
  RequireInSandbox(path);
  RemoveSandboxTree(path);
}

std::string TestFolder() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = info ? std::string(info->test_suite_name()) + "." + info->name() : "global";
  for (char& c : name)
    if (c == '/' || c == '\\' || c == ':') c = '_';
  CreateDirectoryA(Root().c_str(), nullptr);
  std::string dir = Root() + name;
  RemoveTree(dir);
  CreateDirectoryA(dir.c_str(), nullptr);
  return dir + "\\";
}

void WriteFile(const std::string& path, const std::string& content) {
  RequireInSandbox(path);
  FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr) << path;
  std::fwrite(content.data(), 1, content.size(), f);
  std::fclose(f);
}

std::string ReadFile(const std::string& path) {
  std::string out;
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return out;
  char buf[4096];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) out.append(buf, n);
  std::fclose(f);
  return out;
}

}  // namespace testing_sandbox
