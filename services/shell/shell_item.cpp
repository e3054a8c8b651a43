#include "services/shell/shell_item.h"

#include "framework/forms/application.h"
#include "framework/rtl/file_utils.h"
#include "services/shell/shell_controller.h"
#include "services/shell/sv_strings.h"

namespace svc {

namespace {

testing::TSvShellRun shellRun;

LPITEMIDLIST Clone(LPCITEMIDLIST pidl) { return pidl && Shell32().ILClone ? Shell32().ILClone(pidl) : nullptr; }

}  // namespace

std::string AttributeLetters(DWORD attributes) {
  std::string letters;
  if (attributes & FILE_ATTRIBUTE_HIDDEN) letters += 'H';
  if (attributes & FILE_ATTRIBUTE_SYSTEM) letters += 'S';
  if (attributes & FILE_ATTRIBUTE_READONLY) letters += 'R';
  if (attributes & FILE_ATTRIBUTE_COMPRESSED) letters += 'C';
  if (attributes & FILE_ATTRIBUTE_ARCHIVE) letters += 'A';
  return letters;
}

TSvShellItem::TSvShellItem(TSvCustomShellController* controller)
    : FColumnTexts(std::make_unique<fw::TStringList>()), FController(controller) {
  if (!FController) {
    FController = fw::New<TSvCustomShellController>(nullptr);
    FOwnsController = true;
  }
}

TSvShellItem::~TSvShellItem() {
  FSmallIcon.reset();
  FParentFolder.Reset();
  FPidl.Reset();
  FRelativePidl.Reset();
  if (FOwnsController) fw::Free(FController);
}

TSvShellItem* TSvShellItem::CreateFromPidl(LPCITEMIDLIST pidl, TSvCustomShellController* controller) {
  TSvShellItem* item = fw::New<TSvShellItem>(controller);
  if (!pidl) return item;
  item->FPidl.Reset(Clone(pidl));
  item->FRelativePidl.Reset(Clone(Shell32().ILFindLastID(pidl)));
  TComRef<IShellFolder> parent = item->FController->GetParentFolder(pidl);
  if (!parent) SHGetDesktopFolder(parent.Put());
  TPidl desktop;
  SHGetSpecialFolderLocation(fw::Application ? fw::Application->GetHandle() : nullptr, CSIDL_DESKTOP, desktop.Put());
  item->FIsDesktop = desktop && Shell32().ILIsEqual(pidl, desktop.Get());
  ULONG attributes = SFGAO_FILESYSTEM | SFGAO_FOLDER;
  LPCITEMIDLIST relative = item->FRelativePidl.Get();
  if (!parent || FAILED(parent->GetAttributesOf(1, &relative, &attributes))) attributes = 0;
  item->ReadIdentity(parent.Get(), attributes);
  item->FDisplayName = item->FController->GetDisplayName(parent.Get(), relative, SHGDN_NORMAL);
  item->CutNetworkTail();
  item->FParentFolder = std::move(parent);
  return item;
}

void TSvShellItem::ReadIdentity(IShellFolder* parent, ULONG attributes) {
  // Systems answer more bits than asked for; only those asked count.
  attributes &= SFGAO_FILESYSTEM | SFGAO_FOLDER;
  FPath = FController->GetDisplayName(parent, FRelativePidl.Get(), SHGDN_FORPARSING);
  FIsFileSystem = attributes & SFGAO_FILESYSTEM;
  FIsFolder = FIsFileSystem && (attributes & SFGAO_FOLDER);
  FIsFile = FIsFileSystem && !FIsFolder;
}

void TSvShellItem::CutNetworkTail() {
  if (FPath.rfind("\\\\", 0) != 0) return;
  size_t on = FDisplayName.find(kSvNetworkOn);
  if (on != std::string::npos) FDisplayName.erase(on);
}

void TSvShellItem::AssignCommon(const TSvShellItem* source) {
  FDate = source->FDate;
  FSize = source->FSize;
  FSizeRead = source->FSizeRead;
  FDisplayName = source->FDisplayName;
  FImageIndex = source->FImageIndex;
  FIsDesktop = source->FIsDesktop;
  FIsFolder = source->FIsFolder;
  FIsFileSystem = source->FIsFileSystem;
  FOpenImageIndex = source->FOpenImageIndex;
  FOverlayIndex = source->FOverlayIndex;
  FPath = source->FPath;
  FTypeName = source->FTypeName;
  FDosDateTime = source->FDosDateTime;
  FColumnsFilled = source->FColumnsFilled;
  FPidl.Reset(Clone(source->FPidl.Get()));
  FOwnerList = source->FOwnerList;
  FColumnTexts->Assign(source->FColumnTexts.get());
  FParentFolder = FPidl ? FController->GetParentFolder(FPidl.Get()) : TComRef<IShellFolder>();
}

void TSvShellItem::CopyRelativePidl(const TSvShellItem* source) {
  FRelativePidl.Reset(Clone(source->FRelativePidl.Get()));
}

void TSvShellItem::Assign(const TSvShellItem* source) {
  FAttributes = source->FAttributes;
  FAttributeLetters = source->FAttributeLetters;
  AssignCommon(source);
  CopyRelativePidl(source);
  if (source->FController != FController) {
    if (FOwnsController) fw::Free(FController);
    FOwnsController = false;
    FController = source->FController;
  }
}

void TSvShellFolder::Assign(const TSvShellItem* source) {
  AssignCommon(source);
  if (source->GetRelativePidl()) CopyRelativePidl(source);
  if (const auto* folder = dynamic_cast<const TSvShellFolder*>(source)) {
    Value1 = folder->Value1;
    Value2 = folder->Value2;
    Value3 = folder->Value3;
  }
}

bool TSvShellItem::Execute() {
  if (shellRun) return shellRun("", FPidl.Get());
  SHELLEXECUTEINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_INVOKEIDLIST;
  info.nShow = SW_SHOWNORMAL;
  info.lpIDList = FPidl.Get();
  return ShellExecuteExA(&info);
}

bool TSvShellItem::HasAttribute(ULONG bit) const {
  if (!FParentFolder || !FRelativePidl) return false;
  ULONG attributes = bit;
  LPCITEMIDLIST relative = FRelativePidl.Get();
  if (FAILED(FParentFolder->GetAttributesOf(1, &relative, &attributes))) return false;
  return (attributes & bit) != 0;
}

bool TSvShellItem::CanRename() const { return HasAttribute(SFGAO_CANRENAME); }
bool TSvShellItem::HasSubFolder() const { return HasAttribute(SFGAO_HASSUBFOLDER); }
bool TSvShellItem::IsCompressed() const { return HasAttribute(SFGAO_COMPRESSED); }
bool TSvShellItem::IsHidden() const { return HasAttribute(SFGAO_HIDDEN); }
bool TSvShellItem::IsLink() const { return !FIsDesktop && HasAttribute(SFGAO_LINK); }
bool TSvShellItem::IsShared() const { return HasAttribute(SFGAO_SHARE); }
bool TSvShellItem::IsShellFolder() const { return HasAttribute(SFGAO_FOLDER); }

void TSvShellItem::Renamed(LPCITEMIDLIST newRelative, LPCITEMIDLIST parentPidl, const std::string& newName) {
  FRelativePidl.Reset(Clone(newRelative));
  FPidl.Reset(Shell32().ILCombine(parentPidl, newRelative));
  FPath = FController->GetDisplayName(FParentFolder.Get(), FRelativePidl.Get(), SHGDN_FORPARSING);
  FDisplayName = newName;
  FSizeRead = false;
}

void TSvShellItem::RefreshFromShell() {
  ULONG validate = SFGAO_VALIDATE;
  if (FParentFolder) FParentFolder->GetAttributesOf(0, nullptr, &validate);
  if (!FPidl) return;
  SHFILEINFOA info{};
  if (!SHGetFileInfoA(reinterpret_cast<LPCSTR>(FPidl.Get()), 0, &info, sizeof info,
                      SHGFI_SYSICONINDEX | SHGFI_DISPLAYNAME | SHGFI_PIDL))
    return;
  FDisplayName = info.szDisplayName;
  FImageIndex = info.iIcon;
}

int TSvShellItem::GetImageIndex() {
  if (FImageIndex == -1 && FPidl) {
    std::string unusedName;
    FController->GetItemImages(FPidl.Get(), FImageIndex, unusedName, FOverlayIndex, FOpenImageIndex);
  }
  return FImageIndex;
}

int TSvShellItem::GetOpenImageIndex() {
  GetImageIndex();
  return FOpenImageIndex;
}

int TSvShellItem::GetOverlayIndex() {
  GetImageIndex();
  return FOverlayIndex;
}

int64_t TSvShellItem::GetSize() {
  if (!FSizeRead) LoadFileData();
  return FSize;
}

fw::TDateTime TSvShellItem::GetDate() {
  if (!FSizeRead) LoadFileData();
  return FDate;
}

fw::TIcon* TSvShellItem::GetSmallIcon() {
  if (!FSmallIcon) {
    FSmallIcon = std::make_unique<fw::TIcon>();
    SHFILEINFOA info{};
    if (FPidl && SHGetFileInfoA(reinterpret_cast<LPCSTR>(FPidl.Get()), 0, &info, sizeof info,
                                SHGFI_ICON | SHGFI_SMALLICON | SHGFI_PIDL))
      FSmallIcon->SetHandle(info.hIcon);
  }
  return FSmallIcon.get();
}

void TSvShellItem::SetWriteTime(const FILETIME& utc) {
  FILETIME local;
  FileTimeToLocalFileTime(&utc, &local);
  WORD dosDate = 0, dosTime = 0;
  FDosDateTime = FileTimeToDosDateTime(&local, &dosDate, &dosTime) ? MAKELONG(dosTime, dosDate) : 0;
  if (FDosDateTime != 0) {
    FDate = fw::FileDateToDateTime(static_cast<int>(FDosDateTime));
    return;
  }
  // A time the DOS format cannot hold (before 1980): the local time to the second.
  SYSTEMTIME time;
  FileTimeToSystemTime(&local, &time);
  time.wMilliseconds = 0;
  FDate = fw::SystemTimeToDateTime(time);
}

void TSvShellItem::LoadFileData() {
  if (!FIsFileSystem) return;
  // The file system's own record comes first: the shell's copy is the one kept in the item-ID
  // list, which holds the size in 32 bits and the time in DOS form (Wine's does), so large
  // files and times before 1980 would be lost.
  WIN32_FIND_DATAA data{};
  HANDLE search = FPath.find_first_of("*?") == std::string::npos ? FindFirstFileA(FPath.c_str(), &data)
                                                                  : INVALID_HANDLE_VALUE;
  bool found = search != INVALID_HANDLE_VALUE;
  if (found) FindClose(search);
  if (!found && FParentFolder && FRelativePidl)
    found = SUCCEEDED(SHGetDataFromIDListA(FParentFolder.Get(), FRelativePidl.Get(), SHGDFIL_FINDDATA, &data,
                                           sizeof data));
  SetFileData(found ? &data : nullptr);
}

void TSvShellItem::SetFileData(const WIN32_FIND_DATAA* data) {
  if (data) {
    FSize = (static_cast<int64_t>(data->nFileSizeHigh) << 32) | data->nFileSizeLow;
    if (data->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      FIsFolder = true;
      FSize = 0;
    }
    SetWriteTime(data->ftLastWriteTime);
    FAttributes = data->dwFileAttributes;
  } else {
    FSize = 0;
  }
  FSizeRead = true;
  FAttributeLetters = AttributeLetters(FAttributes);
}

bool SvShellOpenFile(HWND window, const std::string& path) {
  if (shellRun) return shellRun(path, nullptr);
  return reinterpret_cast<INT_PTR>(ShellExecuteA(window, "Open", path.c_str(), "", "", SW_SHOWNORMAL)) > 32;
}

namespace testing {

TSvShellRun SetShellRun(TSvShellRun run) {
  TSvShellRun previous = std::move(shellRun);
  shellRun = std::move(run);
  return previous;
}

}  // namespace testing

}  // namespace svc
