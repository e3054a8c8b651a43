// The configuration files under the program folder: their paths, default contents, and the
// procedures that create them and read or write the removal settings and the junk masks.
// Every procedure takes the program folder, ending in a backslash, as its first argument
// (SaveExtensionList: second) and opens and closes its file within the one call.
#pragma once
#include <string>
#include <vector>

namespace app {

// Paths relative to the program folder.
inline constexpr char kConfigFolder[] = "config\\";
inline constexpr char kProgramIni[] = "config\\program.ini";
inline constexpr char kExtIni[] = "config\\ext.ini";
inline constexpr char kDupFinderExtIni[] = "config\\dfext.ini";
inline constexpr char kUserFoldersFile[] = "config\\usrfldr.ini";
inline constexpr char kFileExclusionsFile[] = "config\\fileexcl.ini";
inline constexpr char kFolderExclusionsFile[] = "config\\fldrexcl.ini";
inline constexpr char kDisabledRegistryFolder[] = "config\\Disabled Registry\\";
inline constexpr char kDisabledStartupAllFolder[] = "config\\Disabled Startup All\\";
inline constexpr char kDisabledStartupCurrentFolder[] = "config\\Disabled Startup Current\\";
inline constexpr char kDeletedFolder[] = "deleted\\";

// appDir + relative, with exactly one backslash between them.
std::string AppPath(const std::string& appDir, const std::string& relative);

// Creates, one level each, whichever of these is missing: config\, config\Disabled Registry\,
// config\Disabled Startup All\, config\Disabled Startup Current\, deleted\.
void EnsureConfigFolders(const std::string& appDir);
// Each writes its file with the default contents when the file is missing, after
// EnsureConfigFolders; an existing file, even an empty one, is left as it is.
void EnsureProgramIni(const std::string& appDir);
void EnsureExtIni(const std::string& appDir);
void EnsureDupFinderExtIni(const std::string& appDir);
void EnsureUserFoldersFile(const std::string& appDir);  // empty
// Adds folder as the last line of usrfldr.ini (made when missing).
void AppendUserFolder(const std::string& appDir, const std::string& folder);
// The nine stores of disabled registry startup entries, each created empty when missing.
void EnsureDisabledRegistryFiles(const std::string& appDir);

// [Remove] Method of program.ini: 1 recycle bin, 2 delete, 3 move to the folder. Absent,
// empty or out-of-range values read as 1.
int ReadRemoveMethod(const std::string& appDir);
// [Remove] Folder: the target of method 3; absent or empty reads as appDir + "deleted\".
std::string ReadRemoveFolder(const std::string& appDir);
// [Remove] Scan: 0 when the Drive cleaner must not report the files lying directly in the
// removal folder. Absent or empty reads as 0.
int ReadRemoveScan(const std::string& appDir);
// The folder whose own files the Drive cleaner must not report: ReadRemoveFolder when
// ReadRemoveScan is 0, else an empty string.
std::string ReadScanFolder(const std::string& appDir);
// Writes [Remove] Method; when folder is not empty, also Folder and Scan (0 when doNotScan).
void SaveRemoveSettings(const std::string& appDir, int method, const std::string& folder, bool doNotScan);
// Writes [Remove] Folder alone.
void SaveRemoveFolder(const std::string& appDir, const std::string& folder);

// [Skin] SkinDirectory: the folder holding the skin folders; absent or empty reads as
// appDir + "Skins". Reading does not create program.ini.
std::string ReadSkinDirectory(const std::string& appDir);
// [Skin] SkinName; absent or empty reads as fallback. Reading does not create program.ini.
std::string ReadSkinName(const std::string& appDir, const std::string& fallback);
// Write the [Skin] key after EnsureProgramIni.
void SaveSkinDirectory(const std::string& appDir, const std::string& folder);
void SaveSkinName(const std::string& appDir, const std::string& name);

// One row of the Settings window's mask list.
struct TExtensionRow {
  std::string Mask;
  std::string Description;
  bool Checked = false;
};
// One line of ext.ini: the mask before the first "=", the description up to the second, and
// the flag after it, which ticks the row when it reads "true" trimmed and in any case. A line
// without "=" is all mask. The Settings window lists every line; the Drive cleaner searches
// by the ticked rows whose mask is not blank.
TExtensionRow ParseExtensionLine(const std::string& line);
// Rewrites ext.ini whole: "mask=description=true" (or "=false") per row, in row order.
void SaveExtensionList(const std::vector<TExtensionRow>& rows, const std::string& appDir);

}  // namespace app
