// The folders a tool may empty although it did not make them: never a root, nor a folder that
// is or holds the user's own files or the system's.
#pragma once
#include <string>
#include <vector>

namespace svc {

// The folders no tool may empty, nor any folder above them: the user's profile, the user's
// shell folders (desktop, documents, pictures, music, videos, favorites, start menu and
// programs, application data, and their all-users forms), the Windows, system and program
// files folders. Looking them up takes a while (tens of milliseconds under Wine), so a tool
// makes one list for a run and checks every folder of the run against it.
class TProtectedFolders {
 public:
  // Looks the folders up now.
  TProtectedFolders();
  // True when the full path is one of the folders or lies above one of them.
  bool Covers(const std::string& path) const;

 private:
  // Each folder's comparable forms.
  std::vector<std::wstring> FForms;
};

// True when folder may be measured and emptied: a full path that exists and is neither a drive
// or share root nor a protected folder or above one. Folders compare without regard to case,
// in their long form and where they really lie when a link leads to them. An empty path, which
// would otherwise name the current drive's root, is refused.
bool IsCleanableFolder(const std::string& folder, const TProtectedFolders& protectedFolders);
// The same with the protected folders looked up for this one check.
bool IsCleanableFolder(const std::string& folder);

}  // namespace svc
