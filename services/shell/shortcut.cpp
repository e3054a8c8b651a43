#include "services/shell/shortcut.h"

#include <ole2.h>

#include "framework/controls/win_control.h"
#include "framework/forms/application.h"
#include "framework/rtl/file_utils.h"
#include "framework/rtl/seams.h"
#include "framework/rtl/sys_utils.h"
#include "framework/rtl/wide_path.h"
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
  TComRef<IShellLinkW> Link;
  TComRef<IPersistFile> File;
};

TLinkObject MakeLinkObject() {
  TLinkObject object;
  HRESULT hr = CreateShellLink(object.Link.Put());
  if (SUCCEEDED(hr) && object.Link) object.Link->QueryInterface(IID_IPersistFile, object.File.PutVoid());
  if (!object.Link || !object.File) RaiseSsError<ESvShortcutError>(kErrNoShellLink);
  return object;
}

// The buffer sizes a link text is read with, in characters: MAX_PATH and its terminator first,
// then larger ones while the text fills the buffer (the link object cuts a text to the buffer
// without saying so) or the call fails (as it may for a buffer too small), up to the longest
// path the system has.
constexpr int kTextSizes[] = {MAX_PATH + 1, 1024, 4096, 32768};

// Reads one text of the link through getter(buffer, size); "" when the link has none (S_FALSE),
// when every call fails, or when the text fills even the largest buffer.
template <class Getter>
std::string LinkText(Getter getter) {
  std::wstring buffer;
  for (int size : kTextSizes) {
    buffer.assign(size, L'\0');
    HRESULT hr = getter(buffer.data(), size);
    if (hr == S_FALSE) return "";
    if (FAILED(hr)) continue;
    size_t length = buffer.find(L'\0');
    if (length != std::wstring::npos && length + 1 < static_cast<size_t>(size))
      return fw::WideToUtf8(buffer.data(), static_cast<int>(length));
  }
  return "";
}

// The file-system path the link's item ID list names, in UTF-16 as the list keeps each name;
// "" when the link holds no list or the list names no file-system item. Wine's path text is no
// substitute: its link object keeps that text in the ANSI code page of the program that saved the
// link only, and a reader of another code page (a link an ordinary program saved, read in the
// UTF-8 code page) gets another path, a character it cannot convert becoming U+FFFD.
std::string IdListPath(IShellLinkW* link) {
  TPidl items;
  if (link->GetIDList(items.Put()) != S_OK || !items) return "";
  wchar_t path[MAX_PATH] = {};
  if (!SHGetPathFromIDListW(items.Get(), path)) return "";
  return fw::WideToUtf8(path);
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

HRESULT CreateShellLink(IShellLinkW** link) {
  *link = nullptr;
  return linkFactory ? linkFactory(link)
                     : CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                        reinterpret_cast<void**>(link));
}

HRESULT LoadShellLink(IShellLinkW* link, const std::string& fileName) {
  std::wstring name = fw::FileApiPath(fileName);
  if (!link || name.empty()) return E_INVALIDARG;
  TComRef<IPersistFile> file;
  HRESULT hr = link->QueryInterface(IID_IPersistFile, file.PutVoid());
  if (FAILED(hr) || !file) return FAILED(hr) ? hr : E_NOINTERFACE;
  return file->Load(name.c_str(), STGM_READ);
}

TShellLinkFields ReadShellLinkFields(IShellLinkW* link, DWORD pathFlags) {
  TShellLinkFields fields;
  fields.Path = LinkText([&](wchar_t* b, int n) {
    fields.FindData = WIN32_FIND_DATAW{};
    return link->GetPath(b, n, &fields.FindData, pathFlags);
  });
  std::string listed = IdListPath(link);
  if (!listed.empty()) fields.Path = listed;
  fields.Description = LinkText([&](wchar_t* b, int n) { return link->GetDescription(b, n); });
  fields.Arguments = LinkText([&](wchar_t* b, int n) { return link->GetArguments(b, n); });
  fields.WorkingDirectory = LinkText([&](wchar_t* b, int n) { return link->GetWorkingDirectory(b, n); });
  int iconIndex = 0;
  fields.IconLocation = LinkText([&](wchar_t* b, int n) { return link->GetIconLocation(b, n, &iconIndex); });
  fields.IconIndex = iconIndex;
  WORD hotKey = 0;
  if (SUCCEEDED(link->GetHotkey(&hotKey))) fields.HotKey = hotKey;
  int showCommand = 0;
  if (SUCCEEDED(link->GetShowCmd(&showCommand))) fields.ShowCommand = showCommand;
  return fields;
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
  IShellLinkW* link = object.Link.Get();
  auto wide = [](const std::string& text) { return fw::Utf8ToWide(text); };
  bool written =
      SUCCEEDED(link->SetPath(wide(FFileName).c_str())) && SUCCEEDED(link->SetArguments(wide(FParameters).c_str())) &&
      SUCCEEDED(link->SetDescription(wide(FDescription).c_str())) && SUCCEEDED(link->SetHotkey(FHotKey)) &&
      SUCCEEDED(link->SetShowCmd(NativeShowCommand(FShowCommand))) &&
      (FStartInDir.empty() || SUCCEEDED(link->SetWorkingDirectory(wide(FStartInDir).c_str()))) &&
      (FIconPath.empty() || SUCCEEDED(link->SetIconLocation(wide(FIconPath).c_str(), FIconIndex)));
  if (!written) return false;
  std::wstring name = fw::FileApiPath(linkName);
  if (name.empty() || object.File->Save(name.c_str(), FALSE) != S_OK) return false;
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
  IShellLinkW* link = object.Link.Get();
  if (LoadShellLink(link, FShortcutFileName) != S_OK) return false;
  if (link->Resolve(OwnerWindow(), ShortcutResolveFlags(FSilentResolve)) != S_OK) return false;

  TShellLinkFields fields = ReadShellLinkFields(link, SLGP_UNCPRIORITY);
  FFileName = fields.Path;
  FDescription = fields.Description;
  FParameters = fields.Arguments;
  FStartInDir = fields.WorkingDirectory;
  FHotKey = fields.HotKey;
  FShowCommand = ShowState(fields.ShowCommand);
  return true;
}

namespace testing {

TShellLinkFactory SetShellLinkFactory(TShellLinkFactory factory) {
  std::swap(linkFactory, factory);
  return factory;
}

}  // namespace testing

}  // namespace svc
