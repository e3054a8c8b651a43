// The drives the cleaning tools offer: removable, fixed and remote drives with their volume data.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace app {

// One listed drive. Fields a failed query cannot fill stay empty or 0.
struct TDriveInfo {
  std::string Root;        // "C:\"
  std::string VolumeLabel;
  std::string FileSystem;
  std::string Serial;      // "1A2B-3C4D": high 16 bits first
  int64_t TotalSize = 0;
  int64_t FreeSize = 0;
  int DriveType = 0;       // GetDriveTypeA: 2 removable, 3 fixed, 4 remote
};

// Appends one record per removable, fixed or remote drive, in the order the system lists them.
// CD-ROM drives, RAM disks and drives of unknown type are left out.
void GetDriveList(std::vector<TDriveInfo>& list);

// "XXXX-XXXX" in upper-case hexadecimal, high word first.
std::string FormatVolumeSerial(unsigned serial);

}  // namespace app
