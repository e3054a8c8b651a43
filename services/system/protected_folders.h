// The folders a tool may empty although it did not make them: never a root, nor a folder that
// is or holds the user's own files or the system's.
#pragma once
#include <string>

namespace svc {

// True when folder may be measured and emptied: a full path that exists and is neither a drive
// or share root nor equal to, or above, the user's profile, one of the user's shell folders
// (desktop, documents, pictures, music, videos, favorites, start menu and programs,
// application data, and their all-users forms), the Windows, system or program files folder.
// Folders compare without regard to case, in their long form and where they really lie when a
// link leads to them. An empty path, which would otherwise name the current drive's root, is
// refused.
bool IsCleanableFolder(const std::string& folder);

}  // namespace svc
