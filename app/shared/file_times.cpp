#include "app/shared/file_times.h"

#include "framework/rtl/wide_path.h"

#include <winternl.h>

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

fw::TFileHandle OpenForAttributeWrites(const std::string& path) {
  return fw::TFileHandle(CreateFileW(fw::FileApiPath(path).c_str(), FILE_WRITE_ATTRIBUTES,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                     FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
}

bool SetFileTimes(const std::string& path, fw::TDateTime creation, fw::TDateTime lastAccess, fw::TDateTime lastWrite) {
  FILETIME created, accessed, written;
  if (!DateTimeToUTCFileTime(creation, created) || !DateTimeToUTCFileTime(lastAccess, accessed) ||
      !DateTimeToUTCFileTime(lastWrite, written)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  fw::TFileHandle file = OpenForAttributeWrites(path);
  const bool set = file.Valid() && SetFileTimes(file.Get(), created, accessed, written);
  const DWORD error = GetLastError();
  file.Close();
  SetLastError(error);
  return set;
}

bool SetFileTimes(HANDLE file, const FILETIME& creation, const FILETIME& lastAccess, const FILETIME& lastWrite) {
  return SetFileTime(file, &creation, &lastAccess, &lastWrite) != FALSE;
}

bool SetAttributeWord(HANDLE file, DWORD attributes) {
  // The native call behind SetFileAttributes and SetFileInformationByHandle, which the oldest
  // systems the program runs on lack; present in every ntdll.
  using TSetInformationFile = NTSTATUS(NTAPI*)(HANDLE, IO_STATUS_BLOCK*, void*, ULONG, FILE_INFORMATION_CLASS);
  using TStatusToError = ULONG(NTAPI*)(NTSTATUS);
  static const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  static const auto setInformation = reinterpret_cast<TSetInformationFile>(
      reinterpret_cast<void*>(GetProcAddress(ntdll, "NtSetInformationFile")));
  static const auto statusToError = reinterpret_cast<TStatusToError>(
      reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlNtStatusToDosError")));
  if (!setInformation || !statusToError) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return false;
  }
  // Zero times stay as they are.
  FILE_BASIC_INFORMATION info{};
  info.FileAttributes = attributes != 0 ? attributes : FILE_ATTRIBUTE_NORMAL;
  IO_STATUS_BLOCK status{};
  const NTSTATUS result = setInformation(file, &status, &info, sizeof info, FileBasicInformation);
  if (result < 0) SetLastError(statusToError(result));
  return result >= 0;
}

}  // namespace app
