#include "services/system/protected_folders.h"

#include <utility>
#include <vector>

#include "framework/rtl/file_links.h"
#include "framework/rtl/file_utils.h"
#include "framework/rtl/sys_utils.h"
#include "framework/rtl/wide_path.h"
#include "framework/win.h"
#include "services/system/system_folders.h"

namespace svc {
namespace {

const int kUserFolders[] = {
    CSIDL_PROFILE,          CSIDL_DESKTOP,          CSIDL_DESKTOPDIRECTORY,        CSIDL_PERSONAL,
    CSIDL_MYPICTURES,       CSIDL_MYMUSIC,          CSIDL_MYVIDEO,                 CSIDL_FAVORITES,
    CSIDL_STARTMENU,        CSIDL_PROGRAMS,         CSIDL_APPDATA,                 CSIDL_LOCAL_APPDATA,
    CSIDL_COMMON_DOCUMENTS, CSIDL_COMMON_APPDATA,   CSIDL_COMMON_DESKTOPDIRECTORY, CSIDL_COMMON_STARTMENU,
    CSIDL_COMMON_PROGRAMS,  CSIDL_WINDOWS,          CSIDL_SYSTEM,                  CSIDL_PROGRAM_FILES,
    CSIDL_PROGRAM_FILESX86, CSIDL_PROGRAM_FILES_COMMON};

std::wstring Comparable(const std::string& path) {
  std::wstring wide = fw::Utf8ToWide(fw::ExcludeTrailingBackslash(path));
  if (!wide.empty()) CharUpperBuffW(wide.data(), static_cast<DWORD>(wide.size()));
  return wide;
}

// The forms a folder is compared in: its full long path and where it really lies.
std::vector<std::wstring> Forms(const std::string& folder) {
  std::vector<std::wstring> forms;
  if (folder.empty() || fw::ExtractFileDrive(folder).empty()) return forms;
  forms.push_back(Comparable(LongPathName(fw::ExpandFileName(folder))));
  std::string final = fw::FinalPathName(folder);
  if (!final.empty()) forms.push_back(Comparable(final));
  return forms;
}

// True when inner is outer or lies below it.
bool Encloses(const std::wstring& outer, const std::wstring& inner) {
  if (outer.empty() || inner.size() < outer.size() || inner.compare(0, outer.size(), outer) != 0) return false;
  return inner.size() == outer.size() || inner[outer.size()] == L'\\' || outer.back() == L'\\';
}

}  // namespace

TProtectedFolders::TProtectedFolders() {
  std::vector<std::string> folders;
  for (int csidl : kUserFolders) folders.push_back(ShellFolderPath(csidl));
  std::string profile;
  ReadEnvironmentVariable("USERPROFILE", profile, false);
  folders.push_back(profile);
  folders.push_back(ReadWindowsFolder());
  folders.push_back(ReadSystemFolder());
  folders.push_back(ReadProgramFilesFolder());
  folders.push_back(ReadCommonFilesFolder());
  for (const std::string& folder : folders)
    for (std::wstring& form : Forms(folder)) FForms.push_back(std::move(form));
}

bool TProtectedFolders::Covers(const std::string& path) const {
  for (const std::wstring& outer : Forms(path))
    for (const std::wstring& inner : FForms)
      if (Encloses(outer, inner)) return true;
  return false;
}

bool IsCleanableFolder(const std::string& folder) { return IsCleanableFolder(folder, TProtectedFolders()); }

bool IsCleanableFolder(const std::string& folder, const TProtectedFolders& protectedFolders) {
  // Only a full path below a root: "C:" is how a drive root reads without its backslash, and a
  // relative path ("", "\", "C:temp") would be taken from the current folder or drive.
  std::string root = fw::ExtractFileDrive(folder);
  if (root.empty() || folder.size() <= root.size() + 1 || folder[root.size()] != '\\') return false;
  std::string path = fw::ExcludeTrailingBackslash(fw::ExpandFileName(folder));
  std::string drive = fw::ExtractFileDrive(path);
  if (drive.empty() || fw::SameText(path, fw::ExcludeTrailingBackslash(drive))) return false;
  if (!fw::DirectoryExists(path)) return false;
  return !protectedFolders.Covers(path);
}

}  // namespace svc
