// TSvShortcut: writes a shell shortcut (".lnk") for a target file and reads one back through
// the shell's link object. Every link of the program is made, loaded and read here, through the
// link object's wide interface (IShellLinkW): texts cross into and out of it as UTF-16, converted
// from and to the program's UTF-8 only by the framework's wide_text routines, so a target,
// argument or folder outside the ANSI code page reads back exactly as the system stores it.
#pragma once
#include <functional>
#include <string>

#include "framework/win.h"
#include "services/shell/shell_component.h"
#include "services/shell/root_folder.h"

namespace svc {

enum TSvLocationType { ltWorkingDir, ltSpecialFolder, ltDirectory };
enum TShowState { ssNormal, ssMinimized, ssMaximized };

class TSvCustomShortcut : public TSvShellComponent {
  FW_CLASS(TSvCustomShortcut, TSvShellComponent)
 public:
  explicit TSvCustomShortcut(fw::TComponent* owner);

  // Writes a link to FileName in the destination folder, named "Shortcut to <file name>.lnk"
  // with AutoName, else "<Description>.lnk"; with the recent-documents folder the file is only
  // added to the shell's recent documents. Raises ESvShortcutError 130 for a missing target,
  // 124 for no destination folder, 125 when the link object cannot be made.
  bool CreateShortcut();
  // The folder a link is created in, with one trailing backslash ("" when there is none).
  std::string GetDestinationPath();
  // Writes the link file; true when the shell saved it (ShortcutFileName is then that file).
  bool SaveShortcut(const std::string& linkName);
  // Reads ShortcutFileName into the properties. Raises ESvShortcutError 73 for a missing file
  // and 126 for a name not ending in ".lnk". False when the file is no link or the link does
  // not resolve; the target, parameters, description and working folder then read empty.
  bool ResolveShortcut();

  bool GetAutoName() const { return FAutoName; }
  void SetAutoName(bool v) { FAutoName = v; }
  const std::string& GetDescription() const { return FDescription; }
  void SetDescription(const std::string& v) { FDescription = v; }
  const std::string& GetDestinationDir() const { return FDestinationDir; }
  void SetDestinationDir(const std::string& v) { FDestinationDir = v; }
  const std::string& GetFileName() const { return FFileName; }
  void SetFileName(const std::string& v) { FFileName = v; }
  WORD GetHotKey() const { return FHotKey; }
  void SetHotKey(WORD v) { FHotKey = v; }
  int GetIconIndex() const { return FIconIndex; }
  void SetIconIndex(int v) { FIconIndex = v; }
  const std::string& GetIconPath() const { return FIconPath; }
  void SetIconPath(const std::string& v) { FIconPath = v; }
  TSvLocationType GetLocationType() const { return FLocationType; }
  void SetLocationType(TSvLocationType v) { FLocationType = v; }
  const std::string& GetParameters() const { return FParameters; }
  void SetParameters(const std::string& v) { FParameters = v; }
  const std::string& GetShortcutFileName() const { return FShortcutFileName; }
  void SetShortcutFileName(const std::string& v) { FShortcutFileName = v; }
  TShowState GetShowCommand() const { return FShowCommand; }
  void SetShowCommand(TShowState v) { FShowCommand = v; }
  TSvSpecialRootFolder GetSpecialFolder() const { return FSpecialFolder; }
  // Stores the folder; one that needs shell 4.7 on an older shell then raises ESvShellError 110.
  void SetSpecialFolder(TSvSpecialRootFolder v);
  const std::string& GetStartInDir() const { return FStartInDir; }
  void SetStartInDir(const std::string& v) { FStartInDir = v; }
  // Resolving without any window and without rewriting the link file (off by default).
  bool GetSilentResolve() const { return FSilentResolve; }
  void SetSilentResolve(bool v) { FSilentResolve = v; }

 protected:
  ~TSvCustomShortcut() override = default;

 private:
  HWND OwnerWindow() const;
  void ClearLinkFields();

  bool FAutoName = true;
  std::string FDescription;
  std::string FDestinationDir;
  std::string FFileName;
  WORD FHotKey = 0;
  int FIconIndex = 0;
  std::string FIconPath;
  TSvLocationType FLocationType = ltSpecialFolder;
  std::string FParameters;
  std::string FShortcutFileName;
  TShowState FShowCommand = ssNormal;
  TSvSpecialRootFolder FSpecialFolder = sfDesktop;
  std::string FStartInDir;
  bool FSilentResolve = false;
};

class TSvShortcut : public TSvCustomShortcut {
  FW_CLASS(TSvShortcut, TSvCustomShortcut)
 public:
  explicit TSvShortcut(fw::TComponent* owner) : TSvCustomShortcut(owner) {}

 protected:
  ~TSvShortcut() override = default;
};

// Makes a shell-link object (through the link-object seam below); null when that fails.
HRESULT CreateShellLink(IShellLinkW** link);

// Loads the link file fileName (UTF-8, any length: a name too long for the plain form goes with
// the "\\?\" prefix, as the framework's file calls do) into link through its IPersistFile,
// read-only; S_OK only when it was read.
HRESULT LoadShellLink(IShellLinkW* link, const std::string& fileName);

// What a loaded link holds, each text read through the wide interface and converted to UTF-8
// once (fw::WideToUtf8). A text reads "" when its call fails, and also when it does not fit the
// longest buffer offered (32,768 characters): a text cut short could name another file.
struct TShellLinkFields {
  // The target: the path the link's item ID list names, which keeps every name whole whatever
  // code page wrote the link; without such a list (no list, or one of an item that is no file),
  // GetPath with the flags given. A path text the link object could not convert holds U+FFFD.
  std::string Path;
  std::string Description;
  std::string Arguments;
  std::string WorkingDirectory;
  std::string IconLocation;
  int IconIndex = 0;
  WORD HotKey = 0;
  int ShowCommand = 0;          // 0 when the call fails
  WIN32_FIND_DATAW FindData{};  // the target's, as the link keeps it
};
TShellLinkFields ReadShellLinkFields(IShellLinkW* link, DWORD pathFlags);

// The Resolve flags: SLR_ANY_MATCH | SLR_UPDATE, or when silent SLR_NO_UI | SLR_ANY_MATCH with
// a short time-out in the high word.
DWORD ShortcutResolveFlags(bool silent);

namespace testing {
// Makes the link object (default: CoCreateInstance of CLSID_ShellLink), so a test can wrap
// the real one. An empty function restores the default; returns the previous one.
using TShellLinkFactory = std::function<HRESULT(IShellLinkW** link)>;
TShellLinkFactory SetShellLinkFactory(TShellLinkFactory factory);
}  // namespace testing

}  // namespace svc
