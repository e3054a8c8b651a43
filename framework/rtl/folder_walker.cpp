#include "framework/rtl/folder_walker.h"

#include "framework/rtl/file_utils.h"

namespace fw {

namespace {
bool IsDotEntry(const std::string& name) { return name == "." || name == ".."; }
}  // namespace

TFolderWalker::TFolderWalker(const std::string& folder, const std::string& mask)
    : FFolder(IncludeTrailingBackslash(folder)), FMask(mask) {}

bool TFolderWalker::Next() {
  do {
    if (!FStarted) {
      FStarted = true;
      FFind.Reset(FindFirstFileUtf8(FFolder + FMask, FData, FName));
      if (!FFind) return false;
    } else if (!FFind || !FindNextFileUtf8(FFind.Get(), FData, FName)) {
      FFind.Close();
      return false;
    }
  } while (IsDotEntry(FName));
  return true;
}

}  // namespace fw
