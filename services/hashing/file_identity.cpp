#include "services/hashing/file_identity.h"

namespace svc {

namespace {

// The native query behind the file index of GetFileInformationByHandle, without the volume
// query that comes with it there (which costs far more than the index).
struct TIoStatus {
  union {
    LONG Status;
    void* Pointer;
  };
  ULONG_PTR Information;
};
using TQueryInformationFile = LONG(WINAPI*)(HANDLE, TIoStatus*, void*, ULONG, int);
constexpr int kFileInternalInformation = 6;

TQueryInformationFile QueryInformationFile() {
  static const TQueryInformationFile query = reinterpret_cast<TQueryInformationFile>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationFile")));
  return query;
}

bool ReadHandleInformation(fw::THandleStream& file, BY_HANDLE_FILE_INFORMATION& info) {
  return GetFileInformationByHandle(file.GetHandle(), &info) != 0;
}

}  // namespace

bool ReadFileIndex(fw::THandleStream& file, uint64_t& index) {
  if (TQueryInformationFile query = QueryInformationFile()) {
    TIoStatus status{};
    LARGE_INTEGER number{};
    if (query(file.GetHandle(), &status, &number, sizeof number, kFileInternalInformation) >= 0) {
      index = static_cast<uint64_t>(number.QuadPart);
      return true;
    }
  }
  BY_HANDLE_FILE_INFORMATION info;
  if (!ReadHandleInformation(file, info)) return false;
  index = (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
  return true;
}

TSameFile SameFile(fw::THandleStream& a, fw::THandleStream& b) {
  uint64_t indexA = 0, indexB = 0;
  if (ReadFileIndex(a, indexA) && ReadFileIndex(b, indexB) && indexA != indexB) return sfNo;
  BY_HANDLE_FILE_INFORMATION infoA, infoB;
  if (!ReadHandleInformation(a, infoA) || !ReadHandleInformation(b, infoB)) return sfUnknown;
  bool same = infoA.dwVolumeSerialNumber == infoB.dwVolumeSerialNumber && infoA.nFileIndexHigh == infoB.nFileIndexHigh &&
              infoA.nFileIndexLow == infoB.nFileIndexLow;
  return same ? sfYes : sfNo;
}

bool ReadFileStamp(fw::THandleStream& file, int64_t& size, FILETIME& lastWrite) {
  LARGE_INTEGER length;
  if (!GetFileSizeEx(file.GetHandle(), &length) || !GetFileTime(file.GetHandle(), nullptr, nullptr, &lastWrite))
    return false;
  size = length.QuadPart;
  return true;
}

}  // namespace svc
