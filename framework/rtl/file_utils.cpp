#include "framework/rtl/file_utils.h"

#include <algorithm>
#include <cstring>

#include "framework/rtl/wide_path.h"

namespace fw {

namespace {

bool IsPathDelimiter(char c) { return c == '\\' || c == ':'; }

size_t LastDelimiter(const std::string& fileName) {
  size_t i = fileName.find_last_of("\\:");
  return i;
}

// Fills the record's public fields from FindData; false when the entry is excluded.
bool FillRec(TSearchRec& rec) {
  const WIN32_FIND_DATAA& data = rec.FindData;
  if (static_cast<int>(data.dwFileAttributes) & rec.ExcludeAttr) return false;
  FILETIME local;
  WORD dosDate = 0, dosTime = 0;
  FileTimeToLocalFileTime(&data.ftLastWriteTime, &local);
  FileTimeToDosDateTime(&local, &dosDate, &dosTime);
  rec.Time = static_cast<int>((static_cast<unsigned>(dosDate) << 16) | dosTime);
  rec.Size = (static_cast<int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  rec.Attr = static_cast<int>(data.dwFileAttributes);
  return true;
}

int FindMatching(TSearchRec& rec) {
  while (!FillRec(rec))
    if (!FindNextFileUtf8(rec.FindHandle, rec.FindData, rec.Name)) return static_cast<int>(GetLastError());
  return 0;
}

// The UTF-8 name cut to at most size - 1 bytes, never inside a character, and NUL-terminated.
void CopyName(const std::string& name, char* out, size_t size) {
  size_t length = std::min(name.size(), size - 1);
  while (length > 0 && length < name.size() && (static_cast<unsigned char>(name[length]) & 0xC0) == 0x80) --length;
  std::memcpy(out, name.data(), length);
  out[length] = '\0';
}

void ToAnsiRecord(const WIN32_FIND_DATAW& wide, WIN32_FIND_DATAA& data, std::string& name) {
  data.dwFileAttributes = wide.dwFileAttributes;
  data.ftCreationTime = wide.ftCreationTime;
  data.ftLastAccessTime = wide.ftLastAccessTime;
  data.ftLastWriteTime = wide.ftLastWriteTime;
  data.nFileSizeHigh = wide.nFileSizeHigh;
  data.nFileSizeLow = wide.nFileSizeLow;
  data.dwReserved0 = wide.dwReserved0;
  data.dwReserved1 = wide.dwReserved1;
  name = WideToUtf8(wide.cFileName);
  CopyName(name, data.cFileName, sizeof data.cFileName);
  CopyName(WideToUtf8(wide.cAlternateFileName), data.cAlternateFileName, sizeof data.cAlternateFileName);
}

}  // namespace

DWORD FileAttributes(const std::string& fileName) {
  std::wstring path = FileApiPath(fileName);
  return path.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(path.c_str());
}

bool FileExists(const std::string& fileName) {
  DWORD attr = FileAttributes(fileName);
  return attr != INVALID_FILE_ATTRIBUTES && !(attr & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string& directory) {
  DWORD attr = FileAttributes(directory);
  return attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY);
}

bool CreateDir(const std::string& directory) {
  std::wstring path = FileApiPath(directory);
  return !path.empty() && CreateDirectoryW(path.c_str(), nullptr) != FALSE;
}

bool ForceDirectories(const std::string& directory) {
  std::string dir = ExcludeTrailingBackslash(directory);
  if (dir.empty()) return false;
  if (DirectoryExists(dir)) return true;
  std::string parent = ExtractFileDir(dir);
  if (parent.empty() || parent == dir || parent.size() == dir.size() - 1) return CreateDir(dir);
  return ForceDirectories(parent) && (CreateDir(dir) || DirectoryExists(dir));
}

bool RemoveDir(const std::string& directory) {
  std::wstring path = FileApiPath(directory);
  return !path.empty() && RemoveDirectoryW(path.c_str()) != FALSE;
}

std::string ExtractFilePath(const std::string& fileName) {
  size_t i = LastDelimiter(fileName);
  return i == std::string::npos ? std::string() : fileName.substr(0, i + 1);
}

std::string ExtractFileDir(const std::string& fileName) {
  size_t i = LastDelimiter(fileName);
  if (i == std::string::npos) return std::string();
  if (i > 0 && fileName[i] == '\\' && !IsPathDelimiter(fileName[i - 1])) return fileName.substr(0, i);
  return fileName.substr(0, i + 1);
}

std::string ExtractFileName(const std::string& fileName) {
  size_t i = LastDelimiter(fileName);
  return i == std::string::npos ? fileName : fileName.substr(i + 1);
}

std::string ExtractFileExt(const std::string& fileName) {
  size_t i = fileName.find_last_of(".\\:");
  return (i != std::string::npos && fileName[i] == '.') ? fileName.substr(i) : std::string();
}

std::string ExtractFileDrive(const std::string& fileName) {
  if (fileName.size() >= 2 && fileName[1] == ':') return fileName.substr(0, 2);
  if (fileName.size() >= 2 && fileName[0] == '\\' && fileName[1] == '\\') {
    // "\\server\share"
    size_t server = fileName.find('\\', 2);
    if (server == std::string::npos) return fileName;
    size_t share = fileName.find('\\', server + 1);
    return share == std::string::npos ? fileName : fileName.substr(0, share);
  }
  return std::string();
}

std::string ChangeFileExt(const std::string& fileName, const std::string& extension) {
  size_t i = fileName.find_last_of(".\\:");
  if (i == std::string::npos || fileName[i] != '.') return fileName + extension;
  return fileName.substr(0, i) + extension;
}

std::string IncludeTrailingBackslash(const std::string& path) {
  return (!path.empty() && path.back() == '\\') ? path : path + "\\";
}

std::string ExcludeTrailingBackslash(const std::string& path) {
  return (!path.empty() && path.back() == '\\') ? path.substr(0, path.size() - 1) : path;
}

std::string ExpandFileName(const std::string& fileName) {
  return fileName.empty() ? fileName : WideToUtf8(FullWidePath(fileName));
}

std::string ExpandUNCFileName(const std::string& fileName) {
  std::string full = ExpandFileName(fileName);
  if (full.size() >= 3 && full[1] == ':' && full[2] == '\\') {
    // mpr.dll is loaded on demand: only this call needs it.
    using TGetConnection = DWORD(WINAPI*)(LPCSTR, LPSTR, LPDWORD);
    HMODULE mpr = LoadLibraryA("mpr.dll");
    if (mpr) {
      auto getConnection = reinterpret_cast<TGetConnection>(GetProcAddress(mpr, "WNetGetConnectionA"));
      char remote[MAX_PATH * 2];
      DWORD size = sizeof remote;
      std::string drive = full.substr(0, 2);
      bool mapped = getConnection && getConnection(drive.c_str(), remote, &size) == NO_ERROR;
      FreeLibrary(mpr);
      if (mapped) return std::string(remote) + full.substr(2);
    }
  }
  return full;
}

std::string GetCurrentDir() {
  wchar_t buffer[MAX_PATH * 2];
  DWORD length = GetCurrentDirectoryW(MAX_PATH * 2, buffer);
  return length > 0 && length < MAX_PATH * 2 ? WideToUtf8(buffer, static_cast<int>(length)) : std::string();
}

bool SetCurrentDir(const std::string& directory) {
  return SetCurrentDirectoryW(Utf8ToWide(directory).c_str()) != FALSE;
}

int FindFirst(const std::string& path, int attr, TSearchRec& searchRec) {
  searchRec.ExcludeAttr = ~attr & (faHidden | faSysFile | faVolumeID | faDirectory);
  searchRec.FindHandle = FindFirstFileUtf8(path, searchRec.FindData, searchRec.Name);
  if (searchRec.FindHandle == INVALID_HANDLE_VALUE) return static_cast<int>(GetLastError());
  int result = FindMatching(searchRec);
  if (result != 0) FindClose(searchRec);
  return result;
}

int FindNext(TSearchRec& searchRec) {
  if (!FindNextFileUtf8(searchRec.FindHandle, searchRec.FindData, searchRec.Name))
    return static_cast<int>(GetLastError());
  return FindMatching(searchRec);
}

void FindClose(TSearchRec& searchRec) {
  if (searchRec.FindHandle != INVALID_HANDLE_VALUE) {
    ::FindClose(searchRec.FindHandle);
    searchRec.FindHandle = INVALID_HANDLE_VALUE;
  }
}

HANDLE FindFirstFileUtf8(const std::string& pattern, WIN32_FIND_DATAA& data, std::string& name) {
  std::wstring path = FileApiPath(pattern);
  if (path.empty()) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  WIN32_FIND_DATAW wide;
  HANDLE find = FindFirstFileW(path.c_str(), &wide);
  if (find != INVALID_HANDLE_VALUE) ToAnsiRecord(wide, data, name);
  return find;
}

bool FindNextFileUtf8(HANDLE find, WIN32_FIND_DATAA& data, std::string& name) {
  WIN32_FIND_DATAW wide;
  if (!FindNextFileW(find, &wide)) return false;
  ToAnsiRecord(wide, data, name);
  return true;
}

}  // namespace fw
