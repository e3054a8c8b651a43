#include "services/hashing/file_identity.h"

#include <utility>

#include "framework/rtl/file_utils.h"
#include "framework/rtl/sys_utils.h"

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

testing::TFileInformationCall& FileInformationCall() {
  static testing::TFileInformationCall call;
  return call;
}

bool ReadHandleInformation(fw::THandleStream& file, BY_HANDLE_FILE_INFORMATION& info) {
  const testing::TFileInformationCall& call = FileInformationCall();
  return call ? call(file.GetHandle(), info) : GetFileInformationByHandle(file.GetHandle(), &info) != 0;
}

// The name the system resolves an open file or folder to, without its "\\?\" prefix; "" when
// it cannot tell.
std::string FinalPathName(HANDLE handle) {
  using TGetFinalPathName = DWORD(WINAPI*)(HANDLE, LPSTR, DWORD, DWORD);
  static const TGetFinalPathName get = reinterpret_cast<TGetFinalPathName>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetFinalPathNameByHandleA")));
  if (!get) return "";
  std::string name(MAX_PATH, '\0');
  DWORD length = get(handle, name.data(), static_cast<DWORD>(name.size()), 0);
  if (length >= name.size()) {
    name.resize(length + 1);
    length = get(handle, name.data(), static_cast<DWORD>(name.size()), 0);
  }
  if (length == 0 || length >= name.size()) return "";
  name.resize(length);
  return name.rfind("\\\\?\\", 0) == 0 ? name.substr(4) : name;
}

// A folder can only be opened for its final name with backup semantics, which the file
// streams do not ask for.
std::string FolderFinalPathName(const std::string& folder) {
  HANDLE handle = CreateFileA(folder.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return "";
  std::string name = FinalPathName(handle);
  CloseHandle(handle);
  return name;
}

}  // namespace

bool IsLinkName(fw::THandleStream& file, const std::string& fileName) {
  std::string final = FinalPathName(file.GetHandle());
  std::string folder = FolderFinalPathName(fw::ExtractFilePath(fileName));
  if (final.empty() || folder.empty()) return false;
  return !fw::AnsiSameText(final, fw::IncludeTrailingBackslash(folder) + fw::ExtractFileName(fileName));
}

bool ReadFileIndex(fw::THandleStream& file, uint64_t& index) {
  TQueryInformationFile query = FileInformationCall() ? nullptr : QueryInformationFile();
  if (query) {
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

namespace testing {
TFileInformationCall SetFileInformationCall(TFileInformationCall call) {
  return std::exchange(FileInformationCall(), std::move(call));
}
}  // namespace testing

}  // namespace svc
