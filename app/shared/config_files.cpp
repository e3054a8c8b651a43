#include "app/shared/config_files.h"

#include "app/shared/config_defaults.h"
#include "framework/rtl/exceptions.h"
#include "framework/rtl/file_utils.h"
#include "framework/classes/ini_file.h"
#include "framework/classes/string_list.h"
#include "framework/rtl/sys_utils.h"
#include "framework/rtl/wide_path.h"

namespace app {
namespace {

const char kRemoveSection[] = "Remove";
const char kSkinSection[] = "Skin";

// Writes the lines to the file when the file does not exist (CRLF after every line, no BOM).
void WriteWhenMissing(const std::string& path, const std::vector<std::string>& lines) {
  if (fw::FileExists(path)) return;
  fw::TStringList list;
  for (const std::string& line : lines) list.Add(line);
  list.SaveToFile(path);
}

}  // namespace

std::string AppPath(const std::string& appDir, const std::string& relative) {
  std::string path = appDir;
  if (!path.empty() && path.back() != '\\') path.push_back('\\');
  return path + relative;
}

void EnsureConfigFolders(const std::string& appDir) {
  for (const char* folder : {kConfigFolder, kDisabledRegistryFolder, kDisabledStartupAllFolder,
                             kDisabledStartupCurrentFolder, kDeletedFolder}) {
    std::string path = fw::ExcludeTrailingBackslash(AppPath(appDir, folder));
    if (!fw::DirectoryExists(path) && !fw::CreateDir(path))
      throw fw::EOSError(fw::Format("Cannot create the folder \"%s\".", fw::DisplayPath(path)), GetLastError());
  }
}

void EnsureProgramIni(const std::string& appDir) {
  EnsureConfigFolders(appDir);
  WriteWhenMissing(AppPath(appDir, kProgramIni), DefaultProgramIniLines());
}

void EnsureExtIni(const std::string& appDir) {
  EnsureConfigFolders(appDir);
  WriteWhenMissing(AppPath(appDir, kExtIni), DefaultExtIniLines());
}

void EnsureDupFinderExtIni(const std::string& appDir) {
  EnsureConfigFolders(appDir);
  WriteWhenMissing(AppPath(appDir, kDupFinderExtIni), DefaultDupFinderExtIniLines());
}

void EnsureUserFoldersFile(const std::string& appDir) {
  EnsureConfigFolders(appDir);
  WriteWhenMissing(AppPath(appDir, kUserFoldersFile), {});
}

void AppendUserFolder(const std::string& appDir, const std::string& folder) {
  std::string fileName = AppPath(appDir, kUserFoldersFile);
  fw::TStringList folders;
  if (fw::FileExists(fileName)) folders.LoadFromFile(fileName);
  folders.Add(folder);
  EnsureConfigFolders(appDir);
  folders.SaveToFile(fileName);
}

void EnsureDisabledRegistryFiles(const std::string& appDir) {
  EnsureConfigFolders(appDir);
  for (const std::string& name : DisabledRegistryFileNames())
    WriteWhenMissing(AppPath(appDir, kDisabledRegistryFolder) + name, {});
}

int ReadRemoveMethod(const std::string& appDir) {
  EnsureProgramIni(appDir);
  int method = fw::TIniFile(AppPath(appDir, kProgramIni)).ReadInteger(kRemoveSection, "Method", 1);
  return method >= 1 && method <= 3 ? method : 1;
}

std::string ReadRemoveFolder(const std::string& appDir) {
  EnsureProgramIni(appDir);
  std::string folder = fw::TIniFile(AppPath(appDir, kProgramIni)).ReadString(kRemoveSection, "Folder", "");
  return folder.empty() ? AppPath(appDir, kDeletedFolder) : folder;
}

int ReadRemoveScan(const std::string& appDir) {
  EnsureProgramIni(appDir);
  return fw::TIniFile(AppPath(appDir, kProgramIni)).ReadInteger(kRemoveSection, "Scan", 0);
}

std::string ReadScanFolder(const std::string& appDir) {
  return ReadRemoveScan(appDir) == 0 ? ReadRemoveFolder(appDir) : std::string();
}

void SaveRemoveSettings(const std::string& appDir, int method, const std::string& folder, bool doNotScan) {
  EnsureProgramIni(appDir);
  fw::TIniFile ini(AppPath(appDir, kProgramIni));
  ini.WriteInteger(kRemoveSection, "Method", method);
  if (folder.empty()) return;
  ini.WriteString(kRemoveSection, "Folder", folder);
  ini.WriteInteger(kRemoveSection, "Scan", doNotScan ? 0 : 1);
}

void SaveRemoveFolder(const std::string& appDir, const std::string& folder) {
  EnsureProgramIni(appDir);
  fw::TIniFile(AppPath(appDir, kProgramIni)).WriteString(kRemoveSection, "Folder", folder);
}

std::string ReadSkinDirectory(const std::string& appDir) {
  std::string folder = fw::TIniFile(AppPath(appDir, kProgramIni)).ReadString(kSkinSection, "SkinDirectory", "");
  return folder.empty() ? AppPath(appDir, "Skins") : folder;
}

std::string ReadSkinName(const std::string& appDir, const std::string& fallback) {
  std::string name = fw::TIniFile(AppPath(appDir, kProgramIni)).ReadString(kSkinSection, "SkinName", "");
  return name.empty() ? fallback : name;
}

void SaveSkinDirectory(const std::string& appDir, const std::string& folder) {
  EnsureProgramIni(appDir);
  fw::TIniFile(AppPath(appDir, kProgramIni)).WriteString(kSkinSection, "SkinDirectory", folder);
}

void SaveSkinName(const std::string& appDir, const std::string& name) {
  EnsureProgramIni(appDir);
  fw::TIniFile(AppPath(appDir, kProgramIni)).WriteString(kSkinSection, "SkinName", name);
}

TExtensionRow ParseExtensionLine(const std::string& line) {
  TExtensionRow row;
  size_t first = line.find('=');
  row.Mask = line.substr(0, first);
  if (first == std::string::npos) return row;
  size_t second = line.find('=', first + 1);
  row.Description = line.substr(first + 1, second == std::string::npos ? std::string::npos : second - first - 1);
  if (second != std::string::npos) row.Checked = fw::LowerCase(fw::Trim(line.substr(second + 1))) == "true";
  return row;
}

void SaveExtensionList(const std::vector<TExtensionRow>& rows, const std::string& appDir) {
  EnsureConfigFolders(appDir);
  fw::TStringList list;
  for (const TExtensionRow& row : rows)
    list.Add(row.Mask + "=" + row.Description + (row.Checked ? "=true" : "=false"));
  list.SaveToFile(AppPath(appDir, kExtIni));
}

}  // namespace app
