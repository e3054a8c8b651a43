#include "skin/controls/shell_folder.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "framework/core/object.h"
#include "framework/forms/application.h"
#include "framework/rtl/exceptions.h"
#include "skin/controls/web_label.h"

namespace skin {

namespace {

TkShellFolder* desktopFolder = nullptr;
testing::TkFolderBinder folderBinder;
IContextMenu2* openContextMenu = nullptr;

struct TRootName {
  const char* name;
  int csidl;
};
// In TkRootFolder order.
constexpr TRootName kRoots[] = {
    {"rfDesktop", 0}, {"rfMyComputer", 17}, {"rfNetwork", 18}, {"rfRecycleBin", 10}, {"rfAppData", 26},
    {"rfCommonDesktopDirectory", 25}, {"rfCommonPrograms", 23}, {"rfCommonStartMenu", 22},
    {"rfCommonStartup", 24}, {"rfControlPanel", 3}, {"rfDesktopDirectory", 16}, {"rfFavorites", 6},
    {"rfFonts", 20}, {"rfInternet", 1}, {"rfPersonal", 5}, {"rfPrinters", 4}, {"rfPrintHood", 27},
    {"rfPrograms", 2}, {"rfRecent", 8}, {"rfSendTo", 9}, {"rfStartMenu", 11}, {"rfStartup", 7},
    {"rfTemplates", 21}};

void OleCheck(HRESULT result) {
  if (FAILED(result)) throw fw::EOSError(fw::SysErrorMessage(static_cast<DWORD>(result)), static_cast<DWORD>(result));
}

IMalloc* ShellMalloc() {
  static IMalloc* malloc = nullptr;
  if (!malloc) OleCheck(SHGetMalloc(&malloc));
  return malloc;
}

const SHITEMID* LastItem(LPCITEMIDLIST pidl) {
  const SHITEMID* last = nullptr;
  for (auto* p = pidl; p && p->mkid.cb; p = NextItemId(p)) last = &p->mkid;
  return last;
}

std::string FromStrRet(STRRET& value, LPCITEMIDLIST pidl) {
  switch (value.uType) {
    case STRRET_WSTR: {
      std::string text;
      if (value.pOleStr) {
        int n = WideCharToMultiByte(CP_UTF8, 0, value.pOleStr, -1, nullptr, 0, nullptr, nullptr);
        text.resize(n > 0 ? n - 1 : 0);
        WideCharToMultiByte(CP_UTF8, 0, value.pOleStr, -1, text.data(), n, nullptr, nullptr);
        CoTaskMemFree(value.pOleStr);
      }
      return text;
    }
    case STRRET_OFFSET:
      return reinterpret_cast<const char*>(pidl) + value.uOffset;
    default:
      return value.cStr;
  }
}

std::string Extension(const std::string& name) {
  size_t dot = name.find_last_of(".\\:");
  return dot != std::string::npos && name[dot] == '.' ? name.substr(dot) : std::string();
}

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return static_cast<char>(tolower(c)); });
  return text;
}

// A folder answers for its own items only (the desktop under Wine gives every list below My
// Computer the attributes of My Computer), so a list of several items is asked of the folder
// holding its last item.
ULONG Attributes(IShellFolder* folder, LPCITEMIDLIST pidl, ULONG mask) {
  svc::TComRef<IShellFolder> holder;
  if (CountItemIds(pidl) > 1) {
    LPITEMIDLIST path = CopyPidl(pidl);
    StripLastItemId(path);
    if (SUCCEEDED(folder->BindToObject(path, nullptr, IID_IShellFolder, holder.PutVoid())) && holder) {
      folder = holder.Get();
      pidl = reinterpret_cast<LPCITEMIDLIST>(LastItem(pidl));
    }
    FreePidl(path);
  }
  folder->GetAttributesOf(1, &pidl, &mask);
  return mask;
}

// The shell's interface iid for the item, through the ways the shell offers one.
template <class T>
T* ItemInterface(IShellFolder* folder, IShellFolder* parent, LPCITEMIDLIST relative, LPCITEMIDLIST absolute,
                 REFIID iid) {
  void* found = nullptr;
  if (parent && SUCCEEDED(parent->BindToObject(relative, nullptr, iid, &found)) && found) return static_cast<T*>(found);
  if (parent && SUCCEEDED(parent->GetUIObjectOf(nullptr, 1, &relative, iid, nullptr, &found)) && found)
    return static_cast<T*>(found);
  if (folder && SUCCEEDED(folder->CreateViewObject(nullptr, iid, &found)) && found) return static_cast<T*>(found);
  if (SUCCEEDED(DesktopShellFolder()->BindToObject(absolute, nullptr, iid, &found)) && found)
    return static_cast<T*>(found);
  return nullptr;
}

}  // namespace

DWORD ObjectTypeFlags(TkShellObjectTypes types) {
  DWORD flags = 0;
  if (types.Contains(otFolders)) flags |= SHCONTF_FOLDERS;
  if (types.Contains(otNonFolders)) flags |= SHCONTF_NONFOLDERS;
  if (types.Contains(otHidden)) flags |= SHCONTF_INCLUDEHIDDEN;
  return flags;
}

// --- PIDL helpers ---

LPITEMIDLIST AllocPidl(UINT size) {
  auto* pidl = static_cast<LPITEMIDLIST>(ShellMalloc()->Alloc(size));
  if (pidl) std::memset(pidl, 0, size);
  return pidl;
}

LPITEMIDLIST NextItemId(LPCITEMIDLIST pidl) {
  return reinterpret_cast<LPITEMIDLIST>(const_cast<BYTE*>(reinterpret_cast<const BYTE*>(pidl)) + pidl->mkid.cb);
}

void StripLastItemId(LPITEMIDLIST pidl) {
  if (auto* last = const_cast<SHITEMID*>(LastItem(pidl))) last->cb = 0;
}

int CountItemIds(LPCITEMIDLIST pidl) {
  int count = 0;
  for (auto* p = pidl; p && p->mkid.cb; p = NextItemId(p)) ++count;
  return count;
}

UINT PidlSize(LPCITEMIDLIST pidl) {
  if (!pidl) return 0;
  UINT size = 2;
  for (auto* p = pidl; p->mkid.cb; p = NextItemId(p)) size += p->mkid.cb;
  return size;
}

LPITEMIDLIST CopyPidl(LPCITEMIDLIST pidl) {
  if (!pidl) return nullptr;
  UINT size = PidlSize(pidl);
  LPITEMIDLIST copy = AllocPidl(size);
  if (copy) std::memcpy(copy, pidl, size);
  return copy;
}

LPITEMIDLIST ConcatPidls(LPCITEMIDLIST a, LPCITEMIDLIST b) {
  UINT sizeA = a ? PidlSize(a) - 2 : 0;
  UINT sizeB = b ? PidlSize(b) : 2;
  LPITEMIDLIST joined = AllocPidl(sizeA + sizeB);
  if (!joined) return nullptr;
  if (a) std::memcpy(joined, a, sizeA);
  if (b) std::memcpy(reinterpret_cast<BYTE*>(joined) + sizeA, b, sizeB);
  return joined;
}

void FreePidl(LPITEMIDLIST pidl) {
  if (pidl) ShellMalloc()->Free(pidl);
}

LPITEMIDLIST LastItemIdCopy(LPCITEMIDLIST pidl) {
  const SHITEMID* last = LastItem(pidl);
  if (!last) return AllocPidl(2);
  LPITEMIDLIST copy = AllocPidl(last->cb + 2);
  if (copy) std::memcpy(copy, last, last->cb);
  return copy;
}

std::vector<LPITEMIDLIST> PidlToList(LPCITEMIDLIST pidl) {
  std::vector<LPITEMIDLIST> list;
  LPITEMIDLIST rest = CopyPidl(pidl);
  if (!rest) return list;
  // Each round keeps a copy of what is left, shortened by its last item.
  while (rest->mkid.cb) {
    StripLastItemId(rest);
    list.insert(list.begin(), CopyPidl(rest));
  }
  FreePidl(rest);
  return list;
}

void FreePidlList(std::vector<LPITEMIDLIST>& list) {
  for (LPITEMIDLIST pidl : list) FreePidl(pidl);
  list.clear();
}

bool SamePidls(LPCITEMIDLIST a, LPCITEMIDLIST b) {
  return static_cast<short>(HRESULT_CODE(DesktopShellFolder()->CompareIDs(0, a, b))) == 0;
}

LPITEMIDLIST DesktopPidl() {
  LPITEMIDLIST pidl = nullptr;
  OleCheck(SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, &pidl));
  return pidl;
}

IShellFolder* DesktopShellFolder() {
  static IShellFolder* desktop = nullptr;
  if (!desktop) OleCheck(SHGetDesktopFolder(&desktop));
  return desktop;
}

std::string FolderOfPath(const std::string& path) {
  size_t slash = path.find_last_of('\\');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string EnterItemDirectory(const TkShellFolder* folder) {
  char current[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, current);
  SetCurrentDirectoryA(FolderOfPath(folder->PathName()).c_str());
  return current;
}

LPITEMIDLIST PidlFromPath(const std::string& path) {
  std::wstring wide(MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, nullptr, 0), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
  LPITEMIDLIST pidl = nullptr;
  HRESULT result = DesktopShellFolder()->ParseDisplayName(nullptr, nullptr, wide.data(), nullptr, &pidl, nullptr);
  if (FAILED(result)) throw fw::EOSError(fw::SysErrorMessage(static_cast<DWORD>(result)), static_cast<DWORD>(result));
  return pidl;
}

int RootFolderFromName(const std::string& name) {
  for (int n = 0; n < static_cast<int>(std::size(kRoots)); ++n)
    if (lstrcmpiA(kRoots[n].name, name.c_str()) == 0) return n;
  return -1;
}

int RootFolderCsidl(TkRootFolder root) { return kRoots[root].csidl; }

int ShellImageIndex(LPCITEMIDLIST pidl, bool large, bool open) {
  SHFILEINFOA info{};
  UINT flags = SHGFI_SYSICONINDEX | SHGFI_PIDL | (open ? SHGFI_OPENICON : 0) | (large ? 0 : SHGFI_SMALLICON);
  SHGetFileInfoA(reinterpret_cast<LPCSTR>(pidl), 0, &info, sizeof info, flags);
  return info.iIcon;
}

int ShellImageIndex(const std::string& path, bool large, bool open) {
  SHFILEINFOA info{};
  UINT flags = SHGFI_SYSICONINDEX | (open ? SHGFI_OPENICON : 0) | (large ? 0 : SHGFI_SMALLICON);
  SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, flags);
  return info.iIcon;
}

bool HasItems(IShellFolder* folder, DWORD flags) {
  UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS);
  bool has = false;
  svc::TComRef<IEnumIDList> items;
  if (SUCCEEDED(folder->EnumObjects(nullptr, flags, items.Put())) && items) {
    LPITEMIDLIST item = nullptr;
    ULONG fetched = 0;
    has = items->Next(1, &item, &fetched) == S_OK;
    FreePidl(item);
  }
  SetErrorMode(oldMode);
  return has;
}

std::string GetItemDisplayName(IShellFolder* parentFolder, LPCITEMIDLIST pidl, DWORD flags, TkShowExtension showExt) {
  if (!parentFolder) return "parentfolder = nil";
  STRRET value{};
  std::string name;
  if (SUCCEEDED(parentFolder->GetDisplayNameOf(pidl, flags, &value))) name = FromStrRet(value, pidl);
  if (name.size() > 1 && name[0] == '?' && isdigit(static_cast<unsigned char>(name[1])))
    name.erase(std::remove(name.begin(), name.end(), '?'), name.end());
  if (showExt != seSystem) {
    STRRET parsing{};
    if (SUCCEEDED(parentFolder->GetDisplayNameOf(pidl, SHGDN_FORPARSING, &parsing))) {
      std::string path = FromStrRet(parsing, pidl);
      DWORD attributes = GetFileAttributesA(path.c_str());
      if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        std::string shown = Extension(name);
        if (showExt == seShow && Lower(shown) != Lower(Extension(path))) name += Extension(path);
        if (showExt == seHide && !shown.empty()) name.resize(name.size() - shown.size());
      }
    }
  }
  if (name.rfind("::{", 0) == 0 && flags != 0) return GetItemDisplayName(parentFolder, pidl, 0, showExt);
  return name;
}

// --- TkShellFolder ---

TkShellFolder::TkShellFolder(TkShellFolder* parent, IShellFolder* shellFolder, LPCITEMIDLIST pidl)
    : FRelative(CopyPidl(pidl)), FParent(parent ? parent : desktopFolder) {
  if (shellFolder) shellFolder->AddRef();
  FShellFolder.Reset(shellFolder);
  if (FParent) {
    FAbsolute = ConcatPidls(FParent->FAbsolute, pidl);
    FLevel = FParent->FLevel + 1;
  } else {
    LPITEMIDLIST desktop = DesktopPidl();
    FAbsolute = ConcatPidls(desktop, pidl);
    FreePidl(desktop);
  }
}

TkShellFolder::~TkShellFolder() {
  FreePidl(FRelative);
  FreePidl(FAbsolute);
}

IShellFolder* TkShellFolder::ParentShellFolder() const {
  return FParent && FParent->FShellFolder ? FParent->FShellFolder.Get() : DesktopShellFolder();
}

TkShellProperties TkShellFolder::Properties() const {
  ULONG bits = Attributes(ParentShellFolder(), FRelative, SFGAO_HIDDEN | SFGAO_LINK | SFGAO_READONLY | SFGAO_SHARE);
  bits |= Attributes(ParentShellFolder(), FRelative, 0);
  TkShellProperties result;
  const std::pair<ULONG, TkShellProperty> map[] = {
      {SFGAO_HIDDEN, prHidden},         {SFGAO_LINK, prLink},
      {SFGAO_READONLY, prReadOnly},     {SFGAO_SHARE, prShared},
      {SFGAO_FILESYSTEM, prFileSystem}, {SFGAO_FILESYSANCESTOR, prFileSysAncestor},
      {SFGAO_REMOVABLE, prRemovable},   {SFGAO_VALIDATE, prValidate}};
  for (auto [bit, member] : map)
    if (bits & bit) result.Include(member);
  return result;
}

TkShellCapabilities TkShellFolder::Capabilities() const {
  ULONG bits = Attributes(ParentShellFolder(), FRelative, 0x177);
  TkShellCapabilities result;
  const std::pair<ULONG, TkShellCapability> map[] = {
      {SFGAO_CANCOPY, caCopy},     {SFGAO_CANDELETE, caDelete},         {SFGAO_CANLINK, caLink},
      {SFGAO_CANMOVE, caMove},     {SFGAO_CANRENAME, caRename},         {SFGAO_DROPTARGET, caDropTarget},
      {SFGAO_HASPROPSHEET, caPropSheet}};
  for (auto [bit, member] : map)
    if (bits & bit) result.Include(member);
  return result;
}

bool TkShellFolder::SubFolders() const {
  return Attributes(ParentShellFolder(), FRelative, SFGAO_HASSUBFOLDER) & SFGAO_HASSUBFOLDER;
}

bool TkShellFolder::IsFolder(bool openZipFiles) const {
  if (!openZipFiles && Lower(Extension(DisplayName(seShow))) == ".zip") return false;
  return Attributes(ParentShellFolder(), FRelative, SFGAO_FOLDER) & SFGAO_FOLDER;
}

bool TkShellFolder::IsFile(bool openZipFiles) const {
  if (!openZipFiles && Lower(Extension(DisplayName(seShow))) == ".zip") return true;
  ULONG bits = Attributes(ParentShellFolder(), FRelative, SFGAO_FILESYSTEM | SFGAO_FOLDER | SFGAO_LINK);
  return (bits & SFGAO_FILESYSTEM) && !(bits & (SFGAO_FOLDER | SFGAO_LINK));
}

std::string TkShellFolder::PathName() const {
  STRRET value{};
  if (FAILED(DesktopShellFolder()->GetDisplayNameOf(FAbsolute, SHGDN_FORPARSING, &value))) return {};
  return FromStrRet(value, FAbsolute);
}

std::string TkShellFolder::DisplayName(TkShowExtension showExt) const {
  return GetItemDisplayName(ParentShellFolder(), FRelative, SHGDN_INFOLDER, showExt);
}

int TkShellFolder::ImageIndex(bool large) const { return ShellImageIndex(FAbsolute, large, false); }

void TkShellFolder::ExecuteDefault() const { ShellOpen(PathName(), SW_SHOW, nullptr, {}, FAbsolute); }

bool TkShellFolder::Rename(const std::string& newName) {
  if (!Capabilities().Contains(caRename)) return false;
  std::wstring wide(MultiByteToWideChar(CP_UTF8, 0, newName.c_str(), -1, nullptr, 0), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, newName.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
  LPITEMIDLIST renamed = nullptr;
  if (FAILED(ParentShellFolder()->SetNameOf(nullptr, FRelative, wide.c_str(), 0, &renamed)) || !renamed)
    throw fw::Exception("Rename to " + newName + " failed");
  // The shell answers with the item relative to its folder; the absolute list is rebuilt on the
  // parent's (the desktop's without a parent).
  LPITEMIDLIST base = FParent ? CopyPidl(FParent->FAbsolute) : DesktopPidl();
  FreePidl(FRelative);
  FreePidl(FAbsolute);
  FRelative = CopyPidl(renamed);
  FAbsolute = ConcatPidls(base, renamed);
  FreePidl(base);
  CoTaskMemFree(renamed);
  return true;
}

void TkShellFolder::ChooseDetailsInterface() {
  if (FDetailsChosen) return;
  FDetailsChosen = true;
  IShellFolder* parent = FParent ? FParent->FShellFolder.Get() : nullptr;
  FShellDetails.Reset(ItemInterface<IShellDetails>(FShellFolder.Get(), parent, FRelative, FAbsolute, IID_IShellDetails));
  // Only what answers for IShellFolder2 is kept; a folder that is none leaves the place empty,
  // so that the IShellDetails and find-data ways apply.
  void* found = nullptr;
  if (FShellFolder && SUCCEEDED(FShellFolder->QueryInterface(IID_IShellFolder2, &found)) && found)
    FShellFolder2.Reset(static_cast<IShellFolder2*>(found));
  else
    FShellFolder2.Reset(ItemInterface<IShellFolder2>(nullptr, parent, FRelative, FAbsolute, IID_IShellFolder2));
}

IShellFolder2* TkShellFolder::ShellFolder2() {
  ChooseDetailsInterface();
  return FShellFolder2.Get();
}

void TkShellFolder::LoadColumnDetails(HWND handle, int count) {
  FOwnerWindow = handle;
  if (!FDetails.empty() || count <= 0) return;
  ChooseDetailsInterface();
  if (FShellFolder2 || FShellDetails) {
    for (int column = 1; column <= count; ++column) {
      SHELLDETAILS details{};
      HRESULT result = FShellFolder2 ? FShellFolder2->GetDetailsOf(FRelative, column, &details)
                                     : FShellDetails->GetDetailsOf(FRelative, column, &details);
      FDetails.push_back(SUCCEEDED(result) ? FromStrRet(details.str, FRelative) : std::string());
    }
    return;
  }
  if (!Properties().Contains(prFileSystem)) return;
  WIN32_FIND_DATAA data{};
  std::string path = PathName();
  HANDLE find = FindFirstFileA(path.c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) {
    char text[32];
    wsprintfA(text, "%x", static_cast<unsigned>(GetLastError()));
    throw fw::Exception("Unable to retrieve folder details for \"" + DisplayName() + "\". Error code $" + text);
  }
  FindClose(find);
  bool directory = data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
  ULONGLONG size = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  FDetails.push_back(directory ? "-1" : std::to_string(size));
  FDetails.push_back(Extension(data.cFileName));
  std::string modified = "-1.0";
  if (!directory) {
    FILETIME local{};
    SYSTEMTIME time{};
    FileTimeToLocalFileTime(&data.ftLastWriteTime, &local);
    FileTimeToSystemTime(&local, &time);
    char text[32];
    wsprintfA(text, "%02d.%02d.%04d %02d:%02d:%02d", time.wDay, time.wMonth, time.wYear, time.wHour, time.wMinute,
              time.wSecond);
    modified = text;
  }
  FDetails.push_back(modified);
  FDetails.push_back(std::to_string(data.dwFileAttributes));
}

std::string TkShellFolder::Details(int index) const {
  if (FDetails.empty()) throw fw::Exception(DisplayName() + ": Missing call to LoadColumnDetails");
  return index >= 1 && index <= static_cast<int>(FDetails.size()) ? FDetails[index - 1] : std::string();
}

// --- folders of lists and roots ---

namespace testing {
TkFolderBinder SetFolderBinder(TkFolderBinder binder) {
  TkFolderBinder previous = std::move(folderBinder);
  folderBinder = std::move(binder);
  return previous;
}
}  // namespace testing

TkShellFolder* CreateFolderFromPidl(LPCITEMIDLIST pidl) {
  svc::TComRef<IShellFolder> folder;
  if (folderBinder) folder.Reset(folderBinder(pidl));
  if (!folder && pidl && pidl->mkid.cb)
    folder.Reset(ItemInterface<IShellFolder>(nullptr, nullptr, pidl, pidl, IID_IShellFolder));
  if (!folder) {
    DesktopShellFolder()->AddRef();
    folder.Reset(DesktopShellFolder());
  }
  return new TkShellFolder(desktopFolder, folder.Get(), pidl);
}

TkShellFolder* CreateRootFolder(TkShellFolder* previous, const TkRoot& root) {
  LPITEMIDLIST pidl = nullptr;
  int named = RootFolderFromName(root);
  HRESULT result = E_FAIL;
  if (named >= 0) {
    result = SHGetSpecialFolderLocation(nullptr, RootFolderCsidl(static_cast<TkRootFolder>(named)), &pidl);
  } else if (!root.empty()) {
    std::string path = root.back() == ':' ? root + "\\" : root;
    std::wstring wide(MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, nullptr, 0), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
    result = DesktopShellFolder()->ParseDisplayName(nullptr, nullptr, wide.data(), nullptr, &pidl, nullptr);
  }
  if (FAILED(result) || !pidl) throw fw::Exception("Error Setting Path");
  delete previous;
  TkShellFolder* folder = CreateFolderFromPidl(pidl);
  CoTaskMemFree(pidl);
  return folder;
}

TkShellFolder* DesktopFolder() { return desktopFolder; }

void StartShellFolders() {
  OleInitialize(nullptr);
  LPITEMIDLIST desktop = AllocPidl(2);
  desktopFolder = new TkShellFolder(nullptr, DesktopShellFolder(), desktop);
  FreePidl(desktop);
}

void StopShellFolders() {
  delete desktopFolder;
  desktopFolder = nullptr;
  OleUninitialize();
}

// --- context menu ---

namespace {
svc::TComRef<IContextMenu> ItemContextMenu(TkShellFolder* folder, HWND owner) {
  svc::TComRef<IContextMenu> menu;
  LPCITEMIDLIST item = folder->RelativeID();
  folder->ParentShellFolder()->GetUIObjectOf(owner, 1, &item, IID_IContextMenu, nullptr, menu.PutVoid());
  return menu;
}
}  // namespace

bool PassToOpenContextMenu(fw::TMessage& m) {
  if (!openContextMenu) return false;
  openContextMenu->HandleMenuMsg(m.Msg, m.WParam, m.LParam);
  m.Result = 0;
  return true;
}

void InvokeContextMenu(fw::TObject* owner, HWND ownerWindow, TkShellFolder* folder, int x, int y) {
  if (!folder) return;
  svc::TComRef<IContextMenu> menu = ItemContextMenu(folder, ownerWindow);
  if (!menu) return;
  POINT at{x, y};
  ClientToScreen(ownerWindow, &at);
  HMENU popup = CreatePopupMenu();
  menu->QueryContextMenu(popup, 0, 1, 32767, CMF_EXPLORE | CMF_CANRENAME);
  svc::TComRef<IContextMenu2> menu2;
  menu->QueryInterface(IID_IContextMenu2, menu2.PutVoid());
  openContextMenu = menu2.Get();
  int command = TrackPopupMenu(popup, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, ownerWindow, nullptr);
  openContextMenu = nullptr;
  menu2.Reset();
  if (command) {
    char verb[256] = {};
    menu->GetCommandString(command - 1, GCS_VERBA, nullptr, verb, sizeof verb);
    auto* hook = dynamic_cast<IkContextVerbHook*>(owner);
    bool handled = false;
    if (hook) hook->BeforeVerb(verb, handled);
    if (!handled) {
      CMINVOKECOMMANDINFO info{};
      info.cbSize = sizeof info;
      info.hwnd = ownerWindow;
      info.lpVerb = MAKEINTRESOURCEA(command - 1);
      info.nShow = SW_SHOWNORMAL;
      bool succeeded = menu->InvokeCommand(&info) == S_OK;
      if (hook) hook->AfterVerb(verb, succeeded);
    }
  }
  DestroyMenu(popup);
}

void InvokeVerb(TkShellFolder* folder, const std::string& verb) {
  svc::TComRef<IContextMenu> menu = ItemContextMenu(folder, fw::Application->GetHandle());
  if (!menu) return;
  CMINVOKECOMMANDINFO info{};
  info.cbSize = sizeof info;
  info.fMask = 0x100000;  // CMIC_MASK_ASYNCOK
  info.lpVerb = verb.c_str();
  info.nShow = SW_SHOWNORMAL;
  menu->InvokeCommand(&info);
}

}  // namespace skin
