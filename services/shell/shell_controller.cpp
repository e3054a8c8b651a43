#include "services/shell/shell_controller.h"

#include "framework/classes/registry.h"
#include "framework/comctrls/animate.h"
#include "framework/rtl/file_utils.h"
#include "framework/rtl/sys_utils.h"
#include "framework/rtl/wide_text.h"
#include "services/shell/shell32_functions.h"

namespace svc {

namespace {

// The shell's overlay interface, as shell32 exposes it on file-system folders.
const IID kIidShellIconOverlay = {0x7D688A70, 0xC613, 0x11D0, {0x99, 0x9B, 0x00, 0xC0, 0x4F, 0xD6, 0x55, 0xE1}};

struct IShellIconOverlayLocal : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE GetOverlayIndex(LPCITEMIDLIST pidl, int* index) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetOverlayIconIndex(LPCITEMIDLIST pidl, int* iconIndex) = 0;
};

constexpr UINT kExtendedMenu = 128;

testing::TSvContextMenuChooser menuChooser;

// The temporary folder's "temp.lnk", made for the overlay probe only when no file of that name
// exists, and then removed again; a file of the user's is only read.
class TProbeLink {
 public:
  explicit TProbeLink(const std::string& path) : FPath(path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      CloseHandle(file);
      FCreated = true;
    }
  }
  ~TProbeLink() {
    if (FCreated) DeleteFileA(FPath.c_str());
  }
  TProbeLink(const TProbeLink&) = delete;
  TProbeLink& operator=(const TProbeLink&) = delete;

 private:
  std::string FPath;
  bool FCreated = false;
};

bool IsNetworkOrRemovableRoot(const std::string& path) {
  switch (GetDriveTypeA(path.c_str())) {
    case DRIVE_REMOVABLE: case DRIVE_NO_ROOT_DIR: case DRIVE_CDROM: case DRIVE_REMOTE: return true;
    default: return false;
  }
}

}  // namespace

TSvCustomShellController::TSvCustomShellController(fw::TComponent* owner) : TSvComponent(owner) {
  if (!Shell32FunctionsLoaded()) LoadShell32Functions();
  FItems = fw::New<TSvShellItemList>();
  SHGetDesktopFolder(FDesktopFolder.Put());
  // The system image lists, asked for with the desktop's (empty) ID list: an empty path would
  // name the current folder, which need not be one the shell can parse.
  static const USHORT desktop = 0;
  auto systemImages = [](UINT size) {
    SHFILEINFOA info{};
    auto* images = fw::New<fw::TImageList>(nullptr);
    images->SetShareImages(true);
    images->SetHandle(reinterpret_cast<HIMAGELIST>(SHGetFileInfoA(reinterpret_cast<LPCSTR>(&desktop), 0, &info,
                                                                  sizeof info, SHGFI_PIDL | SHGFI_SYSICONINDEX | size)));
    return images;
  };
  FSmallImages = systemImages(SHGFI_SMALLICON);
  FLargeImages = systemImages(0);
  if (fw::Win32Platform() == VER_PLATFORM_WIN32_NT) ProbeOverlays();
  RegisterClipboardFormatA("FileContents");
  RegisterClipboardFormatA("FileGroupDescriptor");
}

TSvCustomShellController::~TSvCustomShellController() {
  HideBusyAnimation();
  FDesktopFolder.Reset();
  fw::Free(FItems);
  fw::Free(FSmallImages);
  fw::Free(FLargeImages);
}

void TSvCustomShellController::ProbeOverlays() {
  if (!FDesktopFolder) return;
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  std::string folderPath = temp;
  TProbeLink probe(fw::IncludeTrailingBackslash(folderPath) + "temp.lnk");
  TComRef<IShellFolder> folder;
  TPidl folderPidl;
  if (SUCCEEDED(PathToPidl(folderPath, FDesktopFolder.Get(), folderPidl)))
    BindToFolder(FDesktopFolder.Get(), folderPidl.Get(), folder);
  if (!folder) folder = FDesktopFolder.Share();
  TComRef<IShellIconOverlayLocal> overlay;
  if (FAILED(folder->QueryInterface(kIidShellIconOverlay, overlay.PutVoid())) || !overlay) return;
  TPidl link;
  if (SUCCEEDED(PathToPidl("temp.lnk", folder.Get(), link))) {
    int index = 0;
    if (SUCCEEDED(overlay->GetOverlayIndex(link.Get(), &index))) FLinkOverlayIndex = index;
  }
  fw::TRegistry registry(KEY_READ);
  registry.SetRootKey(HKEY_LOCAL_MACHINE);
  if (registry.OpenKeyReadOnly("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Setup")) {
    std::string bootFile = registry.ReadString("BootDir") + "ntdetect.com";
    SHFILEINFOA info{};
    if (SHGetFileInfoA(bootFile.c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX)) FSystemFileIconIndex = info.iIcon;
  }
}

HRESULT TSvCustomShellController::PathToPidl(const std::string& path, IShellFolder* folder, TPidl& pidl) {
  pidl.Reset();
  if (!folder) return E_POINTER;
  std::wstring wide = fw::Utf8ToWide(path);
  ULONG eaten = 0;
  HRESULT hr = folder->ParseDisplayName(nullptr, nullptr, wide.data(), &eaten, pidl.Put(), nullptr);
  if (FAILED(hr)) pidl.Reset();
  return hr;
}

TComRef<IShellFolder> TSvCustomShellController::GetParentFolder(LPCITEMIDLIST pidl) {
  TComRef<IShellFolder> parent;
  if (!pidl || !FDesktopFolder || !Shell32().ILClone) return parent;
  TPidl copy(Shell32().ILClone(pidl));
  if (!copy) return parent;
  Shell32().ILRemoveLastID(copy.Get());
  if (FAILED(FDesktopFolder->BindToObject(copy.Get(), nullptr, IID_IShellFolder, parent.PutVoid()))) parent.Reset();
  return parent;
}

HRESULT TSvCustomShellController::BindToFolder(IShellFolder* folder, LPCITEMIDLIST relative,
                                               TComRef<IShellFolder>& result) {
  result.Reset();
  if (!folder) return E_POINTER;
  HRESULT hr = folder->BindToObject(relative, nullptr, IID_IShellFolder, result.PutVoid());
  if (FAILED(hr)) result.Reset();
  return hr;
}

std::string TSvCustomShellController::GetDisplayName(IShellFolder* folder, LPCITEMIDLIST relative, DWORD flags) {
  STRRET name{};
  if (!folder || FAILED(folder->GetDisplayNameOf(relative, flags, &name))) return "";
  switch (name.uType) {
    case STRRET_WSTR: {
      if (!name.pOleStr) return "";
      std::string text = fw::WideToUtf8(name.pOleStr);
      CoTaskMemFree(name.pOleStr);
      return text;
    }
    case STRRET_OFFSET: return reinterpret_cast<const char*>(relative) + name.uOffset;
    case STRRET_CSTR: return std::string(name.cStr, strnlen(name.cStr, sizeof name.cStr));
    default: return "";
  }
}

void TSvCustomShellController::GetShellFileInfo(LPCITEMIDLIST pidl, DWORD& attributes, std::string& displayName,
                                                int& openIcon, int& icon) {
  const DWORD asked = SFGAO_FOLDER | SFGAO_SHARE | SFGAO_LINK;
  SHFILEINFOA info{};
  info.dwAttributes = asked;
  SHGetFileInfoA(reinterpret_cast<LPCSTR>(pidl), 0, &info, sizeof info,
                 SHGFI_PIDL | SHGFI_DISPLAYNAME | SHGFI_ATTRIBUTES | SHGFI_SYSICONINDEX | SHGFI_ATTR_SPECIFIED);
  attributes = info.dwAttributes & asked;
  displayName = info.szDisplayName;
  icon = info.iIcon == 2 && FSystemFileIconIndex >= 0 ? FSystemFileIconIndex : info.iIcon;
  openIcon = icon;
  if (attributes & SFGAO_FOLDER) {
    SHFILEINFOA open{};
    if (SHGetFileInfoA(reinterpret_cast<LPCSTR>(pidl), 0, &open, sizeof open,
                       SHGFI_SYSICONINDEX | SHGFI_OPENICON | SHGFI_PIDL))
      openIcon = open.iIcon;
  }
}

void TSvCustomShellController::GetItemImages(LPCITEMIDLIST pidl, int& icon, std::string& displayName, int& overlay,
                                             int& openIcon) {
  DWORD attributes = 0;
  GetShellFileInfo(pidl, attributes, displayName, openIcon, icon);
  overlay = attributes & SFGAO_SHARE ? 0 : attributes & SFGAO_LINK ? 1 : -1;
}

TComRef<IShellFolder> TSvCustomShellController::FolderToEnumerate(LPCITEMIDLIST pidl) {
  TComRef<IShellFolder> folder;
  TComRef<IShellFolder> parent = GetParentFolder(pidl);
  if (parent)
    BindToFolder(parent.Get(), Shell32().ILFindLastID(pidl), folder);
  else
    BindToFolder(FDesktopFolder.Get(), pidl, folder);
  if (!folder) folder = FDesktopFolder.Share();
  return folder;
}

void TSvCustomShellController::ShowBusyAnimation() {
  fw::TWinControl* host = ListView ? ListView->AnimationHost() : nullptr;
  if (!host || FBusyAnimation) return;
  FBusyAnimation = fw::New<fw::TAnimate>(nullptr);
  FBusyAnimation->SetCommonAVI(fw::aviFindFolder);
  FBusyAnimation->SetCenter(true);
  FBusyAnimation->SetColor(host->GetColor());
  FBusyAnimation->SetBounds((host->GetWidth() - 272) / 2, (host->GetHeight() - 60) / 2, 272, 60);
  FBusyAnimation->SetParent(host);
  FBusyAnimation->SetActive(true);
}

void TSvCustomShellController::HideBusyAnimation() { fw::FreeAndNil(FBusyAnimation); }

bool TSvCustomShellController::NodeHasChildren(IShellFolder* folder, LPCITEMIDLIST relative,
                                               const std::string& path) {
  // Slow or absent media are not looked into.
  if (IsNetworkOrRemovableRoot(path)) return true;
  TComRef<IShellFolder> child;
  if (FAILED(BindToFolder(folder, relative, child))) return false;
  TComRef<IEnumIDList> entries;
  return child->EnumObjects(nullptr, SHCONTF_FOLDERS, entries.Put()) == S_OK && entries;
}

void TSvCustomShellController::AddEnumeratedItem(IShellFolder* folder, LPCITEMIDLIST parent, LPCITEMIDLIST id,
                                                 TSvEnumerationKind kind) {
  ULONG asked = SFGAO_FILESYSTEM | SFGAO_FOLDER | SFGAO_SHARE | (kind == ekTree ? SFGAO_HASSUBFOLDER : 0);
  ULONG attributes = asked;
  if (FAILED(folder->GetAttributesOf(1, &id, &attributes))) attributes = 0;
  attributes &= asked;

  TSvShellItem* item = kind == ekList ? fw::New<TSvShellItem>(this) : fw::New<TSvShellFolder>(this);
  item->FPidl.Reset(Shell32().ILCombine(parent, id));
  item->FRelativePidl.Reset(Shell32().ILClone(id));
  item->FParentFolder.Reset(folder);
  folder->AddRef();
  item->ReadIdentity(folder, attributes);
  if (kind == ekList && ListView && ListView->OptimizesDisplay()) {
    GetItemImages(item->FPidl.Get(), item->FImageIndex, item->FDisplayName, item->FOverlayIndex,
                  item->FOpenImageIndex);
  } else if (kind == ekCombo) {
    GetItemImages(item->FPidl.Get(), item->FImageIndex, item->FDisplayName, item->FOverlayIndex,
                  item->FOpenImageIndex);
  } else {
    item->FDisplayName = GetDisplayName(folder, id, SHGDN_NORMAL);
  }
  item->CutNetworkTail();

  bool accepted = false;
  if (kind == ekList && ListView) {
    item->FOwnerList = ListView->ItemList();
    accepted = ListView->DoFilterItem(item);
    if (accepted) ListView->AddItem(item);
  } else if (kind == ekTree && TreeView) {
    auto* node = static_cast<TSvShellFolder*>(item);
    node->FOwnerList = TreeView->FolderList();
    accepted = TreeView->DoFilterItem(node);
    if (accepted) {
      bool children = (attributes & SFGAO_HASSUBFOLDER) && NodeHasChildren(folder, id, item->FPath);
      TreeView->AddFolderNode(node, children);
    }
  } else if (kind == ekCombo && ComboBox) {
    ComboBox->AddFolder(static_cast<TSvShellFolder*>(item));
    accepted = true;
  }
  if (!accepted) fw::Free(item);
}

void TSvCustomShellController::EnumerateFolder(LPCITEMIDLIST pidl, TSvEnumerationKind kind) {
  SHCONTF flags = SHCONTF_FOLDERS;
  if (kind == ekTree && TreeView) {
    if (TreeView->ShowsFiles()) flags |= SHCONTF_NONFOLDERS;
    if (TreeView->ShowsHidden()) flags |= SHCONTF_INCLUDEHIDDEN;
  } else if (kind == ekList) {
    flags |= SHCONTF_NONFOLDERS;
    if (ListView && ListView->ShowsHidden()) flags |= SHCONTF_INCLUDEHIDDEN;
  }
  TComRef<IShellFolder> folder = FolderToEnumerate(pidl);
  if (!folder) return;
  TComRef<IEnumIDList> entries;
  if (folder->EnumObjects(nullptr, flags, entries.Put()) != S_OK || !entries) return;

  if (kind == ekList) {
    SHFILEINFOA info{};
    SHGetFileInfoA(reinterpret_cast<LPCSTR>(pidl), 0, &info, sizeof info,
                   SHGFI_PIDL | SHGFI_DISPLAYNAME | SHGFI_ATTRIBUTES);
    if (!(info.dwAttributes & SFGAO_FILESYSTEM)) ShowBusyAnimation();
  }
  for (;;) {
    TPidl id;
    ULONG fetched = 0;
    if (entries->Next(1, id.Put(), &fetched) != S_OK || fetched == 0 || !id) break;
    HideBusyAnimation();
    AddEnumeratedItem(folder.Get(), pidl, id.Get(), kind);
  }
  HideBusyAnimation();
}

int TSvCustomShellController::ShowContextMenu(const ISvShellViewLink* caller, IShellFolder* folder, HWND owner,
                                              POINT point, int count, LPCITEMIDLIST* relativePidls) {
  if (!folder || count <= 0) return -1;
  TComRef<IContextMenu> menu;
  if (FAILED(folder->GetUIObjectOf(owner, count, relativePidls, IID_IContextMenu, nullptr, menu.PutVoid())) || !menu)
    return -1;
  HMENU popup = CreatePopupMenu();
  if (!popup) return -1;
  UINT flags = CMF_EXPLORE;
  bool linked = caller && (caller == static_cast<const ISvShellViewLink*>(TreeView) ||
                           caller == static_cast<const ISvShellViewLink*>(ListView));
  if (linked && caller->AllowsRename()) flags |= CMF_CANRENAME;
  if (linked && caller->ExtendedMenu() && GetKeyState(VK_SHIFT) < 0) flags |= kExtendedMenu;
  int result = -1;
  bool filled = SUCCEEDED(menu->QueryContextMenu(popup, 0, 1, 32767, flags));
  if (filled && menuChooser) {
    result = menuChooser({popup, folder, point, std::vector<LPCITEMIDLIST>(relativePidls, relativePidls + count)});
  } else if (filled) {
    int command = TrackPopupMenu(popup, TPM_RETURNCMD | TPM_RIGHTBUTTON, point.x, point.y, 0, owner, nullptr);
    if (command > 0) {
      CMINVOKECOMMANDINFO invoke{};
      invoke.cbSize = sizeof invoke;
      invoke.hwnd = owner;
      invoke.lpVerb = MAKEINTRESOURCEA(command - 1);
      invoke.nShow = SW_SHOWNORMAL;
      menu->InvokeCommand(&invoke);
      result = command;
    }
  }
  DestroyMenu(popup);
  return result;
}

namespace testing {

TSvContextMenuChooser SetContextMenuChooser(TSvContextMenuChooser chooser) {
  TSvContextMenuChooser previous = std::move(menuChooser);
  menuChooser = std::move(chooser);
  return previous;
}

}  // namespace testing

}  // namespace svc
