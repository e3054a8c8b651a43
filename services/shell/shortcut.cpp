#include "services/shell/shortcut.h"

#include <ole2.h>

#include "framework/controls/win_control.h"
#include "framework/forms/application.h"
#include "framework/rtl/file_utils.h"
#include "framework/rtl/wide_path.h"
#include "framework/rtl/seams.h"
#include "framework/rtl/sys_utils.h"
#include "framework/rtl/wide_text.h"
#include "services/shell/com_ref.h"
#include "services/shell/sv_exception.h"

namespace svc {

namespace {

constexpr uint32_t kErrOpenFile = 73;
constexpr uint32_t kErrShellVersion = 110;
constexpr uint32_t kErrNoDestination = 124;
constexpr uint32_t kErrNoShellLink = 125;
constexpr uint32_t kErrNotShortcut = 126;
constexpr uint32_t kErrNoTarget = 130;
constexpr WORD kSilentTimeoutMs = 1000;

testing::TShellLinkFactory linkFactory;

// The link object and its file interface; ESvShortcutError 125 when either is missing.
struct TLinkObject {
  TComRef<IShellLinkA> Link;
  TComRef<IPersistFile> File;
};

TLinkObject MakeLinkObject() {
  TLinkObject object;
  HRESULT hr = CreateShellLink(object.Link.Put());
  if (SUCCEEDED(hr) && object.Link) object.Link->QueryInterface(IID_IPersistFile, object.File.PutVoid());
  if (!object.Link || !object.File) RaiseSsError<ESvShortcutError>(kErrNoShellLink);
  return object;
}

// Reads one text of the link through getter; empty when the call fails.
template <class Getter>
std::string LinkText(Getter getter) {
  char buffer[MAX_PATH] = {};
  if (getter(buffer, MAX_PATH) != S_OK) return "";
  buffer[MAX_PATH - 1] = '\0';
  return buffer;
}

int NativeShowCommand(TShowState state) {
  switch (state) {
    case ssMinimized: return SW_SHOWMINIMIZED;
    case ssMaximized: return SW_SHOWMAXIMIZED;
    default: return SW_SHOWNORMAL;
  }
}

TShowState ShowState(int command) {
  switch (command) {
    case SW_SHOWMINIMIZED: return ssMinimized;
    case SW_SHOWMAXIMIZED: return ssMaximized;
    default: return ssNormal;
  }
}

}  // namespace

HRESULT CreateShellLink(IShellLinkA** link) {
  *link = nullptr;
  return linkFactory ? linkFactory(link)
                     : CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                        reinterpret_cast<void**>(link));
}

DWORD ShortcutResolveFlags(bool silent) {
  if (silent) return SLR_NO_UI | SLR_ANY_MATCH | (static_cast<DWORD>(kSilentTimeoutMs) << 16);
  return SLR_ANY_MATCH | SLR_UPDATE;
}

TSvCustomShortcut::TSvCustomShortcut(fw::TComponent* owner) : TSvShellComponent(owner) {}

void TSvCustomShortcut::SetSpecialFolder(TSvSpecialRootFolder v) {
  FSpecialFolder = v;
  if (GetComponentState().Contains(fw::csDesigning)) return;
  if (SpecialFolderNeedsShell47(v) && GetShellVersion() < 4.7) RaiseSsError<ESvShellError>(kErrShellVersion);
}

HWND TSvCustomShortcut::OwnerWindow() const {
  fw::TComponent* owner = GetOwner();
  if (auto* control = dynamic_cast<fw::TWinControl*>(owner)) return control->GetHandle();
  if (owner && owner == fw::Application) return fw::Application->GetHandle();
  return nullptr;
}

std::string TSvCustomShortcut::GetDestinationPath() {
  std::string folder;
  switch (FLocationType) {
    case ltWorkingDir: {
      folder = fw::ExtractFilePath(fw::ModuleFileName(nullptr));
      break;
    }
    case ltSpecialFolder:
      if (FSpecialFolder != sfNone) folder = fw::GetSpecialFolderPath(SpecialFolderCsidl(FSpecialFolder));
      break;
    case ltDirectory: folder = FDestinationDir; break;
  }
  return folder.empty() ? "" : fw::IncludeTrailingBackslash(folder);
}

bool TSvCustomShortcut::CreateShortcut() {
  if (!fw::FileExists(FFileName)) RaiseSsError<ESvShortcutError>(kErrNoTarget);
  if (FLocationType == ltDirectory && FDestinationDir.empty()) RaiseSsError<ESvShortcutError>(kErrNoDestination);
  if (FLocationType == ltSpecialFolder && FSpecialFolder == sfRecentFiles) {
    SHAddToRecentDocs(SHARD_PATHA, FFileName.c_str());
    return true;
  }
  // A folder that cannot be found would put the link in the current drive's root.
  std::string destination = GetDestinationPath();
  if (destination.empty()) RaiseSsError<ESvShortcutError>(kErrNoDestination);
  std::string name = FAutoName ? kSvShortcutTo + fw::ExtractFileName(FFileName) : FDescription;
  return SaveShortcut(destination + name + ".lnk");
}

bool TSvCustomShortcut::SaveShortcut(const std::string& linkName) {
  TLinkObject object = MakeLinkObject();
  IShellLinkA* link = object.Link.Get();
  bool written = SUCCEEDED(link->SetPath(FFileName.c_str())) && SUCCEEDED(link->SetArguments(FParameters.c_str())) &&
                 SUCCEEDED(link->SetDescription(FDescription.c_str())) && SUCCEEDED(link->SetHotkey(FHotKey)) &&
                 SUCCEEDED(link->SetShowCmd(NativeShowCommand(FShowCommand))) &&
                 (FStartInDir.empty() || SUCCEEDED(link->SetWorkingDirectory(FStartInDir.c_str()))) &&
                 (FIconPath.empty() || SUCCEEDED(link->SetIconLocation(FIconPath.c_str(), FIconIndex)));
  if (!written) return false;
  if (object.File->Save(fw::Utf8ToWide(linkName).c_str(), FALSE) != S_OK) return false;
  FShortcutFileName = linkName;
  return true;
}

void TSvCustomShortcut::ClearLinkFields() {
  FFileName.clear();
  FDescription.clear();
  FParameters.clear();
  FStartInDir.clear();
  FHotKey = 0;
  FShowCommand = ssNormal;
}

bool TSvCustomShortcut::ResolveShortcut() {
  if (!fw::FileExists(FShortcutFileName)) RaiseSsError<ESvShortcutError>(kErrOpenFile);
  if (fw::UpperCase(fw::ExtractFileExt(FShortcutFileName)) != ".LNK") RaiseSsError<ESvShortcutError>(kErrNotShortcut);
  ClearLinkFields();
  TLinkObject object = MakeLinkObject();
  if (object.File->Load(fw::Utf8ToWide(FShortcutFileName).c_str(), STGM_READ) != S_OK) return false;
  IShellLinkA* link = object.Link.Get();
  if (link->Resolve(OwnerWindow(), ShortcutResolveFlags(FSilentResolve)) != S_OK) return false;

  WIN32_FIND_DATAA found{};
  FFileName = LinkText([&](char* b, int n) { return link->GetPath(b, n, &found, SLGP_UNCPRIORITY); });
  FDescription = LinkText([&](char* b, int n) { return link->GetDescription(b, n); });
  FParameters = LinkText([&](char* b, int n) { return link->GetArguments(b, n); });
  FStartInDir = LinkText([&](char* b, int n) { return link->GetWorkingDirectory(b, n); });
  WORD hotKey = 0;
  if (SUCCEEDED(link->GetHotkey(&hotKey))) FHotKey = hotKey;
  int showCommand = SW_SHOWNORMAL;
  if (SUCCEEDED(link->GetShowCmd(&showCommand))) FShowCommand = ShowState(showCommand);
  return true;
}

namespace testing {

TShellLinkFactory SetShellLinkFactory(TShellLinkFactory factory) {
  std::swap(linkFactory, factory);
  return factory;
}

}  // namespace testing

}  // namespace svc
