// The folders of the system: special shell folders by number, the Windows, system, program
// files and temporary folders, and the current directory. Every read asks the system again.
#pragma once
#include <string>

#include "framework/win.h"
#include "services/system/ds_info_base.h"

namespace svc {

class TDsSystemFolders : public TDsWriteableInfo {
  FW_CLASS(TDsSystemFolders, TDsWriteableInfo)
 public:
  // False (the default): every path reads without a trailing backslash, so a drive root reads
  // as "C:"; true: every non-empty path ends with one.
  bool GetTrailingPathDelimiter() const { return FTrailingPathDelimiter; }
  void SetTrailingPathDelimiter(bool value) { FTrailingPathDelimiter = value; }

  std::string GetCommonFiles() const;
  std::string GetCurrent() const;
  std::string GetProgramFiles() const;
  std::string GetWindows() const;
  std::string GetSystem() const;
  // TEMP when set, else TMP, else the system's temporary folder, else the user's TEMP or TMP
  // setting in the registry: the first that exists and is neither a drive root nor the
  // profile, Windows or system folder (the program empties this folder); "" when none is.
  std::string GetTemp() const;
  // Changes the current directory when the object is writable; otherwise raises.
  void SetCurrent(const std::string& value);
  // All other folders are read-only: their setters raise EDsComputerInfoEx.
  void SetCommonFiles(const std::string& value);
  void SetProgramFiles(const std::string& value);
  void SetWindows(const std::string& value);
  void SetSystem(const std::string& value);
  void SetTemp(const std::string& value);

  // The path of shell folder number index (CSIDL), "" when the system has none.
  std::string GetSpecialFolder(int index) const;
  void SetSpecialFolder(int index, const std::string& value);

  std::string GetDesktop() const { return GetSpecialFolder(CSIDL_DESKTOP); }
  std::string GetPrograms() const { return GetSpecialFolder(CSIDL_PROGRAMS); }
  std::string GetPersonal() const { return GetSpecialFolder(CSIDL_PERSONAL); }
  std::string GetFavorites() const { return GetSpecialFolder(CSIDL_FAVORITES); }
  std::string GetStartup() const { return GetSpecialFolder(CSIDL_STARTUP); }
  std::string GetRecent() const { return GetSpecialFolder(CSIDL_RECENT); }
  std::string GetSendTo() const { return GetSpecialFolder(CSIDL_SENDTO); }
  std::string GetStartMenu() const { return GetSpecialFolder(CSIDL_STARTMENU); }
  std::string GetDesktopDirectory() const { return GetSpecialFolder(CSIDL_DESKTOPDIRECTORY); }
  std::string GetNethood() const { return GetSpecialFolder(CSIDL_NETHOOD); }
  std::string GetFonts() const { return GetSpecialFolder(CSIDL_FONTS); }
  std::string GetCommonStartmenu() const { return GetSpecialFolder(CSIDL_COMMON_STARTMENU); }
  std::string GetCommonPrograms() const { return GetSpecialFolder(CSIDL_COMMON_PROGRAMS); }
  std::string GetCommonStartup() const { return GetSpecialFolder(CSIDL_COMMON_STARTUP); }
  std::string GetCommonDesktopDirectory() const { return GetSpecialFolder(CSIDL_COMMON_DESKTOPDIRECTORY); }
  std::string GetCommonAppData() const { return GetSpecialFolder(CSIDL_COMMON_APPDATA); }
  std::string GetAppData() const { return GetSpecialFolder(CSIDL_APPDATA); }
  std::string GetPrinthood() const { return GetSpecialFolder(CSIDL_PRINTHOOD); }
  std::string GetCommonFavorites() const { return GetSpecialFolder(CSIDL_COMMON_FAVORITES); }
  std::string GetTemplates() const { return GetSpecialFolder(CSIDL_TEMPLATES); }
  std::string GetInternetCache() const { return GetSpecialFolder(CSIDL_INTERNET_CACHE); }
  std::string GetCookies() const { return GetSpecialFolder(CSIDL_COOKIES); }
  std::string GetHistory() const { return GetSpecialFolder(CSIDL_HISTORY); }
  std::string GetProfile() const { return GetSpecialFolder(CSIDL_PROFILE); }

 private:
  std::string ApplyTrailingDelimiter(const std::string& path) const;

  bool FTrailingPathDelimiter = false;
};

// The routines behind the folder properties.
std::string ShellFolderPath(int csidl);
// The file-system path of an item ID list, "" when it has none.
std::string IdListToPath(LPCITEMIDLIST pidl);
// False (and value emptied) when the variable is not set or empty.
bool ReadEnvironmentVariable(const std::string& name, std::string& value, bool expand);
// The text with %VARIABLES% expanded; unchanged when the expansion fails.
std::string ExpandEnvironmentText(const std::string& text);
std::string ReadCurrentFolder();
std::string ReadWindowsFolder();
std::string ReadSystemFolder();
std::string ReadCommonFilesFolder();
std::string ReadProgramFilesFolder();
// The long form of a path; the path unchanged when it cannot be had.
std::string LongPathName(const std::string& path);

}  // namespace svc
