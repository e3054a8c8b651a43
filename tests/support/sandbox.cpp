#include "support/sandbox.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>

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
  HANDLE h = CreateFileW(ApiPath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE) << path;
  DWORD written = 0;
  BOOL ok = ::WriteFile(h, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
  CloseHandle(h);
  ASSERT_TRUE(ok && written == content.size()) << path;
}

std::string ReadFile(const std::string& path) {
  std::string out;
  HANDLE h = CreateFileW(ApiPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return out;
  char buf[4096];
  DWORD n = 0;
  while (::ReadFile(h, buf, sizeof buf, &n, nullptr) && n > 0) out.append(buf, n);
  CloseHandle(h);
  return out;
}

void MakeFolders(const std::string& path) {
  RequireInSandbox(path);
  std::string full = FullPath(path);
  for (size_t i = Root().size(); i <= full.size(); ++i)
    if (i == full.size() || full[i] == '\\') CreateDirectoryW(ApiPath(full.substr(0, i)).c_str(), nullptr);
  DWORD attr = GetFileAttributesW(ApiPath(full).c_str());
  ASSERT_TRUE(attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY)) << path;
}

bool Exists(const std::string& path) {
  return !path.empty() && GetFileAttributesW(ApiPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

void MakeShellFixture(const std::string& folder) {
  MakeFolders(folder + "b");
  MakeFolders(folder + "a\\sub");
  MakeFolders(folder + "Tom & Jerry\\inner");
  WriteFile(folder + "archive.zip", "PK");
  WriteFile(folder + "noext", "x");
  WriteFile(folder + "hidden.txt", "h");
  SetFileAttributesA((folder + "hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
}

}  // namespace testing_sandbox
