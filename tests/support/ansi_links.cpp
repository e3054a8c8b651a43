#include "support/ansi_links.h"

#include <gtest/gtest.h>

#include "framework/rtl/wide_text.h"
#include "support/helper_program.h"
#include "support/sandbox.h"

namespace testing_support {

namespace {

// What the tool answers when the prefix's ANSI code page is not the one these tests need.
constexpr int kOtherCodePage = 3;
constexpr DWORD kToolTime = 30000;

// Runs the tool with its three arguments; its exit code, or -1 when it could not run.
int RunTool(const std::string& command, const std::string& link, const std::string& third) {
  HANDLE process =
      StartHelperProgram("ansi_link_tool.exe", command + " \"" + link + "\" \"" + third + "\"", CREATE_NO_WINDOW);
  if (!process) return -1;
  DWORD code = static_cast<DWORD>(-1);
  if (WaitForSingleObject(process, kToolTime) == WAIT_OBJECT_0)
    GetExitCodeProcess(process, &code);
  else
    TerminateProcess(process, code);
  CloseHandle(process);
  return static_cast<int>(code);
}

void ExpectDone(int code) {
  EXPECT_NE(code, kOtherCodePage) << "the ordinary program does not run in code page 1252";
  EXPECT_EQ(code, 0) << "ansi_link_tool failed";
}

}  // namespace

void DropItemIdList(const std::string& link) {
  // The header: 76 bytes, the link flags at 20 (bit 0: an item ID list follows, after its size).
  constexpr size_t kHeader = 76, kFlags = 20;
  std::string bytes = testing_sandbox::ReadFile(link);
  ASSERT_GE(bytes.size(), kHeader + 2);
  ASSERT_TRUE(bytes[kFlags] & 1) << "the link holds an item ID list";
  size_t size = static_cast<unsigned char>(bytes[kHeader]) | static_cast<unsigned char>(bytes[kHeader + 1]) << 8;
  ASSERT_LE(kHeader + 2 + size, bytes.size());
  bytes[kFlags] = static_cast<char>(bytes[kFlags] & ~1);
  bytes.erase(kHeader, 2 + size);
  testing_sandbox::WriteFile(link, bytes);
}

void WriteAnsiLink(const std::string& link, const std::string& target, TAnsiLinkCall call) {
  ExpectDone(RunTool(call == TAnsiLinkCall::Narrow ? "write-narrow" : "write-wide", link, target));
}

std::string ReadAnsiLink(const std::string& link) {
  std::string out = link + ".target";
  int code = RunTool("read", link, out);
  ExpectDone(code);
  if (code != 0) return "";
  std::string bytes = testing_sandbox::ReadFile(out);
  testing_sandbox::RemoveTree(out);
  return fw::WideToUtf8(std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2));
}

}  // namespace testing_support
