#include "app/shared/file_procedures.h"

#include <vector>

#include "framework/rtl/file_utils.h"
#include "framework/rtl/folder_walker.h"
#include "framework/rtl/sys_utils.h"
#include "framework/sys/owned_handle.h"

namespace app {
namespace {

// Whole units and hundredths of bytes / unit, rounded half up in integers, so no binary
// fraction can tip a ".xx5" either way.
std::string FormatUnits(int64_t bytes, int64_t unit, const char* suffix) {
  int64_t whole = bytes / unit;
  int64_t hundredths = ((bytes % unit) * 100 + unit / 2) / unit;
  if (hundredths == 100) {
    ++whole;
    hundredths = 0;
  }
  const char* pad = hundredths < 10 ? "0" : "";
  return std::to_string(whole) + fw::FormatSettings.DecimalSeparator + pad + std::to_string(hundredths) + suffix;
}

void AddFolderSize(const std::string& path, int64_t& total) {
  for (fw::TFolderWalker entry(path, "*.*"); entry.Next();) {
    if (entry.Attributes() == FILE_ATTRIBUTE_DIRECTORY)
      AddFolderSize(entry.Path(), total);
    else
      total += entry.Size();
  }
}

}  // namespace

std::string FormatFileSize(int64_t bytes) {
  constexpr int64_t kKb = 1024, kMb = kKb * 1024, kGb = kMb * 1024;
  if (bytes <= kKb) return std::to_string(bytes) + " b";
  if (bytes <= kMb) return FormatUnits(bytes, kKb, " Kb");
  if (bytes <= kGb) return FormatUnits(bytes, kMb, " Mb");
  return FormatUnits(bytes, kGb, " Gb");
}

int64_t GetFolderSize(const std::string& path) {
  int64_t total = 0;
  AddFolderSize(path, total);
  return total;
}

int64_t GetRecycleBinSize() {
  SHQUERYRBINFO info{};
  info.cbSize = sizeof info;
  return SUCCEEDED(SHQueryRecycleBinA(nullptr, &info)) ? info.i64Size : 0;
}

bool EmptyRecycleBin(HWND owner, DWORD flags) {
  SHQUERYRBINFO info{};
  info.cbSize = sizeof info;
  if (FAILED(SHQueryRecycleBinA(nullptr, &info))) return false;
  return SUCCEEDED(SHEmptyRecycleBinA(owner, nullptr, flags));
}

bool RunCommandLine(const std::string& command) {
  // CreateProcessA may write into the command line, so it gets a copy of its own.
  std::vector<char> line(command.begin(), command.end());
  line.push_back('\0');
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return false;
  fw::TFileHandle thread(process.hThread), started(process.hProcess);
  return true;
}

}  // namespace app
