#include "services/shell/root_folder.h"

namespace svc {

namespace {

constexpr int kCsidl[] = {29, 26, 10, 30, 25, 31, 23, 22, 24, 49, 3, 33, 0, 16, 17, 6,
                          20, 34, 1,  32, 19, 18, 0,  5,  4,  27, 2, 8,  9, 11, 7, 21};
static_assert(sizeof kCsidl / sizeof kCsidl[0] == sfTemplates + 1);

}  // namespace

int SpecialFolderCsidl(TSvSpecialRootFolder folder) { return kCsidl[folder]; }

bool SpecialFolderNeedsShell47(TSvSpecialRootFolder folder) {
  int csidl = SpecialFolderCsidl(folder);
  return csidl == 1 || (csidl >= 29 && csidl <= 34);
}

}  // namespace svc
