#include "support/helper_program.h"

#include "framework/rtl/file_utils.h"
#include "framework/rtl/wide_path.h"
#include "framework/rtl/wide_text.h"

namespace testing_support {

HANDLE StartHelperProgram(const std::string& name, const std::string& arguments, DWORD flags) {
  const std::wstring program = fw::Utf8ToWide(fw::ExtractFilePath(fw::ModuleFileName(nullptr)) + name);
  std::wstring line = L"\"" + program + L"\" " + fw::Utf8ToWide(arguments);
  STARTUPINFOW start{};
  start.cb = sizeof start;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, flags, nullptr, nullptr, &start, &process))
    return nullptr;
  CloseHandle(process.hThread);
  return process.hProcess;
}

}  // namespace testing_support
