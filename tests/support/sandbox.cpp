#include "support/sandbox.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "framework/win.h"

namespace testing_sandbox {
namespace {

std::string FullPath(const std::string& path) {
  char buf[MAX_PATH * 2];
  DWORD n = GetFullPathNameA(path.c_str(), sizeof buf, buf, nullptr);
  return (n == 0 || n >= sizeof buf) ? std::string() : std::string(buf, n);
}

bool StartsWithNoCase(const std::string& s, const std::string& prefix) {
  return s.size() >= prefix.size() && _strnicmp(s.c_str(), prefix.c_str(), prefix.size()) == 0;
}

}  // namespace

const std::string& Root() {
  static const std::string root = "C:\\sandbox\\";
  return root;
}

bool InSandbox(const std::string& path) {
  std::string full = FullPath(path);
  return !full.empty() && full.size() > Root().size() && StartsWithNoCase(full, Root()) &&
         full.find("..") == std::string::npos;
}

void RequireInSandbox(const std::string& path) {
  if (!InSandbox(path)) {
    std::fprintf(stderr, "refused: %s lies outside %s\n", path.c_str(), Root().c_str());
    std::fflush(stderr);
    std::abort();
  }
}

void RemoveTree(const std::string& path) {
  RequireInSandbox(path);
  std::string dir = path;
  while (!dir.empty() && dir.back() == '\\') dir.pop_back();
  DWORD attr = GetFileAttributesA(dir.c_str());
  if (attr == INVALID_FILE_ATTRIBUTES) return;
  SetFileAttributesA(dir.c_str(), attr & ~(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
  if (!(attr & FILE_ATTRIBUTE_DIRECTORY)) {
    DeleteFileA(dir.c_str());
    return;
  }
  if (!(attr & FILE_ATTRIBUTE_REPARSE_POINT)) {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
      do {
        std::string name = fd.cFileName;
        if (name != "." && name != "..") RemoveTree(dir + "\\" + name);
      } while (FindNextFileA(h, &fd));
      FindClose(h);
    }
  }
  RemoveDirectoryA(dir.c_str());
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
