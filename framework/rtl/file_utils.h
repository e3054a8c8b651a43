// File and path helpers: existence tests, folder creation, path splitting, expansion, and
// FindFirst/FindNext/FindClose with TSearchRec. Paths are UTF-8 of any length: the helpers call
// the wide functions of the system (see wide_path.h).
#pragma once
#include "framework/win.h"

#include <cstdint>
#include <string>

namespace fw {

// Attribute bits of TSearchRec::Attr and FindFirst's mask.
constexpr int faReadOnly = 0x01;
constexpr int faHidden = 0x02;
constexpr int faSysFile = 0x04;
constexpr int faVolumeID = 0x08;
constexpr int faDirectory = 0x10;
constexpr int faArchive = 0x20;
constexpr int faAnyFile = 0x3F;

// The file's attributes, INVALID_FILE_ATTRIBUTES when it does not exist.
DWORD FileAttributes(const std::string& fileName);
bool FileExists(const std::string& fileName);  // files only, not folders
bool DirectoryExists(const std::string& directory);
bool CreateDir(const std::string& directory);
// Creates every missing folder of the path; false when one cannot be made.
bool ForceDirectories(const std::string& directory);
bool RemoveDir(const std::string& directory);

// Up to and including the last "\" or ":".
std::string ExtractFilePath(const std::string& fileName);
// ExtractFilePath without the trailing "\" (except after a drive root such as "C:\").
std::string ExtractFileDir(const std::string& fileName);
std::string ExtractFileName(const std::string& fileName);
// From the last "." of the name part, including it ("" when the name has none).
std::string ExtractFileExt(const std::string& fileName);
std::string ExtractFileDrive(const std::string& fileName);
std::string ChangeFileExt(const std::string& fileName, const std::string& extension);
std::string IncludeTrailingBackslash(const std::string& path);
std::string ExcludeTrailingBackslash(const std::string& path);
// Full path through GetFullPathNameW (relative to the current folder).
std::string ExpandFileName(const std::string& fileName);
// ExpandFileName, with a mapped network drive turned into its UNC name.
std::string ExpandUNCFileName(const std::string& fileName);
std::string GetCurrentDir();
bool SetCurrentDir(const std::string& directory);

struct TSearchRec {
  int Time = 0;      // DOS date and time of the last write (local time)
  int64_t Size = 0;  // bytes
  int Attr = 0;      // fa... bits
  std::string Name;  // the whole UTF-8 name (FindData.cFileName may be cut short)
  int ExcludeAttr = 0;
  HANDLE FindHandle = INVALID_HANDLE_VALUE;
  WIN32_FIND_DATAA FindData{};
};

// Returns 0 when an entry was found, else the system error code. Entries with attributes
// outside attr's faHidden/faSysFile/faDirectory bits are skipped. FindClose ends the search
// (also after a failed FindFirst).
int FindFirst(const std::string& path, int attr, TSearchRec& searchRec);
int FindNext(TSearchRec& searchRec);
void FindClose(TSearchRec& searchRec);

// The system's find calls for a UTF-8 pattern of any length: each entry comes as the ANSI
// find record, whose cFileName holds the UTF-8 name when it fits, and as the whole UTF-8 name.
// FindFirstFileUtf8 returns INVALID_HANDLE_VALUE (the last error set) when nothing is found;
// the handle is closed with the system's FindClose.
HANDLE FindFirstFileUtf8(const std::string& pattern, WIN32_FIND_DATAA& data, std::string& name);
bool FindNextFileUtf8(HANDLE find, WIN32_FIND_DATAA& data, std::string& name);

}  // namespace fw
