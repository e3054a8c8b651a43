// TFolderWalker: the entries of one folder that match a mask, "." and ".." left out, in the
// order the file system lists them. Folders and names are UTF-8 of any length. The find handle
// closes with the walker.
//
//   for (fw::TFolderWalker entry(folder, "*.tmp"); entry.Next();)
//     if (!entry.IsDirectory()) Use(entry.Path());
#pragma once
#include "framework/win.h"

#include <cstdint>
#include <string>

#include "framework/sys/owned_handle.h"

namespace fw {

class TFolderWalker {
 public:
  // folder with or without its trailing backslash; mask with "*" and "?".
  explicit TFolderWalker(const std::string& folder, const std::string& mask = "*");

  // Moves to the next entry: false when there is none left, or the folder cannot be listed.
  bool Next();

  const WIN32_FIND_DATAA& Data() const { return FData; }
  // The whole UTF-8 name (Data().cFileName may be cut short).
  const std::string& Name() const { return FName; }
  // The folder, a backslash and the entry's name.
  std::string Path() const { return FFolder + FName; }
  DWORD Attributes() const { return FData.dwFileAttributes; }
  bool IsDirectory() const { return (FData.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
  int64_t Size() const {
    return static_cast<int64_t>((static_cast<uint64_t>(FData.nFileSizeHigh) << 32) | FData.nFileSizeLow);
  }

 private:
  std::string FFolder;  // with its trailing backslash
  std::string FMask;
  TFindHandle FFind;
  bool FStarted = false;
  WIN32_FIND_DATAA FData{};
  std::string FName;
};

}  // namespace fw
