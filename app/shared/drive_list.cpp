#include "app/shared/drive_list.h"

#include <cstdio>

#include "framework/win.h"

namespace app {

std::string FormatVolumeSerial(unsigned serial) {
  char text[16];
  std::snprintf(text, sizeof text, "%.4X-%.4X", (serial >> 16) & 0xFFFFu, serial & 0xFFFFu);
  return text;
}

void GetDriveList(std::vector<TDriveInfo>& list) {
  char roots[105] = {};
  DWORD length = GetLogicalDriveStringsA(sizeof roots - 1, roots);
  if (length == 0 || length >= sizeof roots) return;
  for (const char* root = roots; *root; root += std::char_traits<char>::length(root) + 1) {
    UINT type = GetDriveTypeA(root);
    if (type != DRIVE_REMOVABLE && type != DRIVE_FIXED && type != DRIVE_REMOTE) continue;
    TDriveInfo& drive = list.emplace_back();
    drive.Root = root;
    drive.DriveType = static_cast<int>(type);

    char label[261] = {};
    char fileSystem[16] = {};
    DWORD serial = 0, maxNameLength = 0, flags = 0;
    if (GetVolumeInformationA(root, label, sizeof label, &serial, &maxNameLength, &flags, fileSystem,
                              sizeof fileSystem)) {
      drive.VolumeLabel = label;
      drive.FileSystem = fileSystem;
      drive.Serial = FormatVolumeSerial(serial);
    }
    ULARGE_INTEGER available{}, total{}, totalFree{};
    if (GetDiskFreeSpaceExA(root, &available, &total, &totalFree)) {
      drive.TotalSize = static_cast<int64_t>(total.QuadPart);
      drive.FreeSize = static_cast<int64_t>(totalFree.QuadPart);
    }
  }
}

}  // namespace app
