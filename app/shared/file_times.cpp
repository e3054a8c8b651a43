#include "app/shared/file_times.h"

#include "framework/rtl/wide_path.h"

namespace app {

bool IsDosDateTime(fw::TDateTime value) { return value >= fw::EncodeDate(1980, 1, 1) && value < fw::EncodeDate(2108, 1, 1); }

bool DateTimeToUTCFileTime(fw::TDateTime value, FILETIME& fileTime) {
  if (!IsDosDateTime(value)) return false;
  int year, month, day, hour, minute, second, msec;
  fw::DecodeDate(value, year, month, day);
  fw::DecodeTime(value, hour, minute, second, msec);
  const WORD date = static_cast<WORD>(((year - 1980) << 9) | (month << 5) | day);
  const WORD time = static_cast<WORD>((hour << 11) | (minute << 5) | (second / 2));
  FILETIME local;
  return DosDateTimeToFileTime(date, time, &local) && LocalFileTimeToFileTime(&local, &fileTime);
}

bool UTCFileTimeToDateTime(const FILETIME& fileTime, fw::TDateTime& value) {
  FILETIME local;
  WORD date = 0, time = 0;
  if (!FileTimeToLocalFileTime(&fileTime, &local) || !FileTimeToDosDateTime(&local, &date, &time)) return false;
  fw::TDateTime day, clock;
  if (!fw::TryEncodeDate(1980 + (date >> 9), (date >> 5) & 15, date & 31, day) ||
      !fw::TryEncodeTime(time >> 11, (time >> 5) & 63, (time & 31) * 2, 0, clock))
    return false;
  value = day + clock;
  return true;
}

bool SetFileTimes(const std::string& path, fw::TDateTime creation, fw::TDateTime lastAccess, fw::TDateTime lastWrite) {
  FILETIME created, accessed, written;
  if (!DateTimeToUTCFileTime(creation, created) || !DateTimeToUTCFileTime(lastAccess, accessed) ||
      !DateTimeToUTCFileTime(lastWrite, written)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  return SetFileTimes(path, created, accessed, written);
}

bool SetFileTimes(const std::string& path, const FILETIME& creation, const FILETIME& lastAccess,
                  const FILETIME& lastWrite) {
  HANDLE file = CreateFileW(fw::FileApiPath(path).c_str(), FILE_WRITE_ATTRIBUTES,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                            FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const bool set = SetFileTime(file, &creation, &lastAccess, &lastWrite) != 0;
  const DWORD error = GetLastError();
  CloseHandle(file);
  if (!set) SetLastError(error);
  return set;
}

}  // namespace app
