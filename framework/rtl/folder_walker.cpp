#include "framework/rtl/folder_walker.h"

#include "framework/rtl/file_utils.h"

namespace fw {

namespace {
bool IsDotEntry(const char* name) {
  return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}
}  // namespace

TFolderWalker::TFolderWalker(const std::string& folder, const std::string& mask)
    : FFolder(IncludeTrailingBackslash(folder)), FMask(mask) {}

bool TFolderWalker::Next() {
  do {
    if (!FStarted) {
      FStarted = true;
      FFind.Reset(FindFirstFileA((FFolder + FMask).c_str(), &FData));
      if (!FFind) return false;
    } else if (!FFind || !FindNextFileA(FFind.Get(), &FData)) {
      FFind.Close();
      return false;
    }
  } while (IsDotEntry(FData.cFileName));
  return true;
}

}  // namespace fw
