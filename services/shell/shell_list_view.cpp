#include "services/shell/shell_list_view.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "framework/classes/registry.h"
#include "framework/controls/control.h"
#include "framework/forms/screen.h"
#include "framework/menus/menu_item.h"
#include "framework/menus/popup_menu.h"
#include "framework/rtl/file_utils.h"
#include "framework/rtl/seams.h"
#include "framework/rtl/sys_utils.h"
#include "framework/rtl/wide_path.h"
#include "services/containers/sv_dictionary.h"
#include "services/containers/sv_regex.h"
#include "services/shell/shell32_functions.h"
#include "services/shell/shell_comparers.h"
#include "services/shell/shell_combo_box.h"
#include "services/shell/shell_tree_view.h"
#include "services/shell/shell_view_support.h"
#include "services/shell/shell_controller.h"
#include "services/shell/shell_item.h"
#include "services/shell/sv_exception.h"
#include "services/shell/sv_strings.h"

namespace svc {

namespace {

const IID kIidShellDetails = {0x000214EC, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// Ids of the ten captions: "Name", "Size", "Type", "Modified", "Attributes", "File Folder",
// "System Folder", "Original Location", "Date Deleted", "File".
enum { capName, capSize, capType, capModified, capAttributes, capFileFolder, capSystemFolder, capOriginal,
       capDeleted, capFile };
constexpr uint32_t kFirstCaptionId = 230;
constexpr int kRecycleBinCsidl = 10;
constexpr int kMaxName = 260;

std::string WideToText(const wchar_t* wide) {
  int size = WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
  std::string text(size > 0 ? size - 1 : 0, '\0');
  if (size > 1) WideCharToMultiByte(CP_ACP, 0, wide, -1, text.data(), size, nullptr, nullptr);
  return text;
}

// IShellDetails of a folder: asked directly, then through a view object.
TComRef<IShellDetails> DetailsOf(IShellFolder* folder) {
  TComRef<IShellDetails> details;
  if (!folder) return details;
  if (FAILED(folder->QueryInterface(kIidShellDetails, details.PutVoid())) || !details) {
    details.Reset();
    if (FAILED(folder->CreateViewObject(nullptr, kIidShellDetails, details.PutVoid()))) details.Reset();
  }
  return details;
}

// From the last "." after the last "\" or ":", empty when there is none.
std::string ExtensionOf(const std::string& path) {
  size_t dot = path.find_last_of(".\\:");
  return dot != std::string::npos && path[dot] == '.' ? path.substr(dot) : "";
}

// The locale's short date, and its short time without seconds unless it is midnight; nothing
// for an entry whose time could not be read (date 0).
std::string DateText(fw::TDateTime date) {
  if (date == 0) return std::string();
  SYSTEMTIME time = fw::DateTimeToSystemTime(date);
  char buffer[128] = {};
  GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, buffer, sizeof buffer);
  std::string text = buffer;
  if (time.wHour != 0 || time.wMinute != 0 || time.wSecond != 0) {
    GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &time, nullptr, buffer, sizeof buffer);
    text += ' ';
    text += buffer;
  }
  return text;
}

bool IsRecycleBin(LPCITEMIDLIST pidl) {
  TPidl bin;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, kRecycleBinCsidl, bin.Put())) || !bin || !pidl) return false;
  return Shell32().ILIsEqual(pidl, bin.Get());
}

// Whether item stands for the same entry as key: by path for file-system entries, else by ID list.
bool SameEntry(const TSvShellItem* item, const TSvShellItem* key) {
  if (key->GetIsFileSystem()) return fw::AnsiSameText(item->GetPath(), key->GetPath());
  return SamePidl(item->GetPidl(), key->GetPidl());
}

}  // namespace

std::string KilobyteText(int64_t bytes) {
  int64_t kb = bytes / 1024;
  if (kb == 0 && bytes != 0) kb = bytes < 0 ? -1 : 1;
  std::string digits = std::to_string(kb < 0 ? -kb : kb);
  for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3) digits.insert(static_cast<size_t>(i), ",");
  return (kb < 0 ? "-" : "") + digits + "KB";
}

std::string DragImageText(const std::vector<const TSvShellItem*>& items) {
  int files = 0, folders = 0;
  for (const TSvShellItem* item : items) {
    if (item->GetIsFile()) ++files;
    else if (item->GetIsFolder() && item->GetIsFileSystem()) ++folders;
  }
  std::string text;
  if (files > 0) text = std::to_string(files) + (files > 1 ? kSvFiles : kSvFile);
  if (folders > 0) text += (files > 0 ? ", " : "") + std::to_string(folders) + (folders > 1 ? kSvFolders : kSvFolder);
  if (text.empty()) text = std::to_string(items.size()) + kSvObjects;
  return text;
}

std::string StrRetText(STRRET& value, LPCITEMIDLIST pidl) {
  switch (value.uType) {
    case STRRET_WSTR: {
      if (!value.pOleStr) return "";
      std::string text = WideToText(value.pOleStr);
      CoTaskMemFree(value.pOleStr);
      return text;
    }
    case STRRET_OFFSET: return pidl ? std::string(reinterpret_cast<const char*>(pidl) + value.uOffset) : "";
    case STRRET_CSTR: return std::string(value.cStr, strnlen(value.cStr, kMaxName));
    default: return "";
  }
}

// --- construction ---

TSvCustomShellListView::TSvCustomShellListView(fw::TComponent* owner) : fw::TCustomListView(owner) {
  if (!Shell32FunctionsLoaded()) LoadShell32Functions();
  FOptions = TSvListOptions{loAllowRename, loAllowDrag, loAllowDrop, loShellMenu};
  FAllItems = fw::New<TSvShellItemList>();
  FFilteredItems = fw::New<TSvShellItemList>();
  FSelectedItems = fw::New<TSvShellItemList>();
  SetSortColumn(0);
  SetSortAscending(true);
  SetBounds(GetLeft(), GetTop(), 270, 180);
  SetMultiSelect(true);
  SetOwnerData(true);
}

void TSvCustomShellListView::AfterConstruction() {
  fw::TCustomListView::AfterConstruction();
  if (GetComponentState().Contains(fw::csDesigning)) return;
  FViewMenu = fw::New<fw::TPopupMenu>(this);
  const char* captions[] = {kSvLargeIcons, kSvSmallIcons, kSvList, kSvDetails};
  for (int i = 0; i < 4; ++i) {
    auto* entry = fw::New<fw::TMenuItem>(FViewMenu);
    entry->SetCaption(captions[i]);
    entry->SetRadioItem(true);
    entry->SetTag(i);
    entry->OnClick = [this](fw::TObject* sender) { ViewMenuClick(sender); };
    FViewMenu->GetItems()->Add(entry);
  }
  SetPopupMenu(FViewMenu);
  for (int i = 0; i < 10; ++i) FCaptions[i] = SvStrById(kFirstCaptionId + i);
  BuildFileTypes();
  FNotification = fw::New<TSvShellNotification>(this);
  // Wine tells a watch without subfolders only of the folder itself, never of its entries: the
  // list watches the whole subtree and takes the changes of the folder and its own entries.
  FNotification->SetWatchSubFolders(true);
  FNotification->SetMaxNotifications(5);
  FNotification->OnShellChangeNotify = [this](fw::TObject* sender, TSvShellItem* a, TSvShellItem* b,
                                              TSvNotifyEventsSet events) { ListShellChanged(sender, a, b, events); };
}

TSvCustomShellListView::~TSvCustomShellListView() {
  if (FNotification) FNotification->SetActive(false);
  DestroyHandle();
  FDropSite.Revoke();
  fw::Free(FDropItem);
  fw::Free(FFilteredItems);
  fw::Free(FAllItems);
  fw::Free(FSelectedItems);
  if (FController && FController->ListView == this) FController->ListView = nullptr;
  svc::ReleaseController(FController);
  fw::Free(FFolder);
  fw::Free(FFileTypes);
}

void TSvCustomShellListView::BuildFileTypes() {
  FFileTypes = fw::New<TSvDictionary>(250);
  FFileTypes->DisposeData = [](void* data) { delete[] static_cast<char*>(data); };
  fw::TRegistry registry(KEY_READ);
  registry.SetRootKey(HKEY_CLASSES_ROOT);
  if (!registry.OpenKeyReadOnly("")) return;
  fw::TStringList names;
  registry.GetKeyNames(names);
  registry.CloseKey();
  for (int i = 0; i < names.GetCount(); ++i) {
    const std::string& extension = names.GetStrings(i);
    if (extension.empty() || extension[0] != '.') continue;
    if (!registry.OpenKeyReadOnly(extension)) continue;
    std::string className = registry.ReadString("");
    registry.CloseKey();
    if (className.empty() || !registry.OpenKeyReadOnly(className)) continue;
    std::string typeName = registry.ReadString("");
    registry.CloseKey();
    if (typeName.empty()) continue;
    void* existing = nullptr;
    if (FFileTypes->Find(extension, existing)) continue;
    char* copy = new char[typeName.size() + 1];
    std::memcpy(copy, typeName.c_str(), typeName.size() + 1);
    FFileTypes->Add(extension, copy);
  }
}

std::string TSvCustomShellListView::GetVersion() const { return kSvComponentVersion; }

// --- life cycle ---

void TSvCustomShellListView::UseController(TSvCustomShellController* controller) {
  if (controller == FController && controller) return;
  if (FController && FController->ListView == this) FController->ListView = nullptr;
  svc::ReleaseController(FController);
  FController = svc::UseController(controller);
}

void TSvCustomShellListView::SetUpController() {
  TSvCustomShellController* shared = FTreeView ? FTreeView->GetController() : nullptr;
  if (!shared && FComboBox) shared = FComboBox->GetController();
  if (shared || !FController) UseController(shared);
  FController->ListView = this;
  if (!GetSmallImages()) SetSmallImages(FController->GetSmallImages());
  if (!GetLargeImages()) SetLargeImages(FController->GetLargeImages());
}

void TSvCustomShellListView::Notification(fw::TComponent* component, fw::TOperation operation) {
  fw::TCustomListView::Notification(component, operation);
  if (operation != fw::opRemove) return;
  if (component == FTreeView) FTreeView = nullptr;
  if (component == FComboBox) FComboBox = nullptr;
}

void TSvCustomShellListView::SetComboBox(TSvCustomShellComboBox* value) {
  if (FRecreating || value == FComboBox) return;
  if (FComboBox) FComboBox->RemoveFreeNotification(this);
  FComboBox = value;
  if (!FComboBox) return;
  FComboBox->FreeNotification(this);
  if (FComboBox->GetController()) {
    UseController(FComboBox->GetController());
    FController->ListView = this;
  }
}

void TSvCustomShellListView::ShowInCombo(TSvShellItem* folder, bool byText) {
  if (FComboBox && folder) FComboBox->SetSelection(folder, byText);
}

void TSvCustomShellListView::ShowListedFolder() {
  if (!FFolder) return;
  if (FTreeView) FTreeView->SelectFolderNode(FFolder, false);
  ShowInCombo(FFolder, false);
}

void TSvCustomShellListView::SetTreeView(TSvCustomShellTreeView* value) {
  if (value == FTreeView || !value) {
    FTreeView = value;
    if (FTreeView && FTreeView->GetRootShellFolder()) SetFolder(FTreeView->GetRootShellFolder());
    return;
  }
  FRootFolder.clear();
  FSpecialRootFolder = sfNone;
  if (FTreeView) FTreeView->RemoveFreeNotification(this);
  FTreeView = value;
  FTreeView->FreeNotification(this);
  if (FTreeView->GetController()) {
    UseController(FTreeView->GetController());
    FController->ListView = this;
  }
  if (FTreeView->GetSelectedFolder()) SetFolder(FTreeView->GetSelectedFolder());
}

void TSvCustomShellListView::Loaded() {
  fw::TCustomListView::Loaded();
  if (FRecreating) {
    FRecreating = false;
    return;
  }
  if (GetComponentState().Contains(fw::csLoading)) return;
  SetUpController();
  SetFolder(FFolder);
}

void TSvCustomShellListView::CreateWnd() {
  fw::TCustomListView::CreateWnd();
  // Overlay, dimming and drop highlight are asked for with each row.
  Perform(LVM_SETCALLBACKMASK, LVIS_OVERLAYMASK | LVIS_CUT | LVIS_DROPHILITED, 0);
  RegisterDropTarget();
  // A window made again keeps the set-up of the one before; the flag ends with it.
  if (std::exchange(FRecreating, false) || GetComponentState().Contains(fw::csLoading) || FSettingUp) return;
  FSettingUp = true;
  SetUpController();
  try {
    if (FTreeView && FController->TreeView && !FTreeView->GetSelected()) {
      if (TSvShellFolder* root = FTreeView->GetRootShellFolder()) SetFolder(root);
    } else {
      SetFolder(nullptr);
    }
  } catch (...) {
    FSettingUp = false;
    throw;
  }
  FSettingUp = false;
}

void TSvCustomShellListView::DestroyWnd() {
  if (!GetComponentState().Contains(fw::csDestroying)) FRecreating = true;
  FDropSite.Revoke();
  fw::TCustomListView::DestroyWnd();
}

fw::TWinControl* TSvCustomShellListView::AnimationHost() { return HandleAllocated() && IsShowing() ? this : nullptr; }

// --- listing ---

TSvShellItemList* TSvCustomShellListView::GetShownItems() const {
  return FilterApplies() ? FFilteredItems : FAllItems;
}

bool TSvCustomShellListView::FilterApplies() const {
  return !FFileFilter.empty() && FFiltered && !OnFilterItem && FFilterValid;
}

TSvShellItem* TSvCustomShellListView::ItemOfRow(int row) const {
  TSvShellItemList* shown = GetShownItems();
  int count = shown->GetCount();
  if (row < 0 || row >= count) return nullptr;
  return shown->GetItem(GetSortAscending() ? row : count - 1 - row);
}

int TSvCustomShellListView::RowOfItem(const TSvShellItem* item) const {
  TSvShellItemList* shown = GetShownItems();
  int count = shown->GetCount();
  for (int i = 0; i < count; ++i)
    if (shown->GetItem(i) == item) return GetSortAscending() ? i : count - 1 - i;
  return -1;
}

void TSvCustomShellListView::SetRedraw(bool on) {
  if (!HandleAllocated()) return;
  Perform(WM_SETREDRAW, on ? 1 : 0, 0);
  if (on) Invalidate();
}

void TSvCustomShellListView::ClearList() {
  SetRedraw(false);
  FSelectedItem = nullptr;
  GetItems()->SetCount(0);
  FFilteredItems->Clear();
  FAllItems->Clear();
  SetSortColumn(0);
}

TSvShellItem* TSvCustomShellListView::CopyOf(const TSvShellItem* item) {
  TSvShellItem* copy = fw::New<TSvShellFolder>(FController);
  copy->Assign(item);
  return copy;
}

bool TSvCustomShellListView::DoFilterItem(TSvShellItem* item) {
  bool accept = true;
  if (OnFilterItem && FFiltered) OnFilterItem(this, item, accept);
  return accept;
}

void TSvCustomShellListView::AddItem(TSvShellItem* item) {
  FAllItems->Add(item);
  if (GetViewStyle() == fw::vsReport) FillItemDetails(item);
}

void TSvCustomShellListView::SetFolder(TSvShellItem* folder) {
  if (FTreeView && !FTreeView->GetTreeReady()) return;
  // The notifier watches Folder's ID list, which the listing may replace.
  if (FNotification) FNotification->SetActive(false);
  FSelectedItems->Clear();
  FSelectedItemsStale = false;
  FDetailsFilled = false;
  FColumnsBuilt = false;
  ClearList();
  TSvShellItem* listed = folder;
  fw::Owned<TSvShellItem> temporary;
  if (folder && !FController) {
    SetRedraw(true);
    return;
  }
  if (folder) {
    TSvBusyCursor busy;
    BeginListingDetails(folder);
    FController->EnumerateFolder(folder->GetPidl(), ekList);
  } else {
    if (!FController || !HandleAllocated()) {
      SetRedraw(true);
      return;
    }
    TPidl pidl;
    if (FSpecialRootFolder == sfNone) {
      if (FRootFolder.empty()) {
        SetRedraw(true);
        return;
      }
      if (FAILED(FController->PathToPidl(FRootFolder, FController->GetDesktopFolder(), pidl)) || !pidl) {
        FRootFolder.clear();
        SetRedraw(true);
        RaiseSsError<ESvInvalidFolder>(240);
      }
    } else if (FAILED(SHGetSpecialFolderLocation(GetHandle(), SpecialFolderCsidl(FSpecialRootFolder), pidl.Put())) ||
               !pidl) {
      SetRedraw(true);
      RaiseSsError<ESvShellError>(110);
    }
    TSvBusyCursor busy;
    temporary.reset(TSvShellItem::CreateFromPidl(pidl.Get(), FController));
    listed = temporary.get();
    BeginListingDetails(listed);
    FController->EnumerateFolder(pidl.Get(), ekList);
  }
  EndListingDetails();
  if (GetViewStyle() == fw::vsReport) BuildColumns(listed);
  if (!FRelisting && listed != FFolder) {
    TSvShellFolder* copy = fw::New<TSvShellFolder>(FController);
    copy->Assign(listed);
    fw::Free(FFolder);
    FFolder = copy;
  }
  temporary.reset();
  if (GetViewStyle() == fw::vsReport) FDetailsFilled = true;
  SortItems();
  if (!FFileFilter.empty() && FFiltered && FFilterValid) FilterItems();
  GetItems()->SetCount(GetShownItems()->GetCount());
  if (GetItems()->GetCount() > 0 && HandleAllocated()) Perform(LVM_ENSUREVISIBLE, 0, FALSE);
  SetRedraw(true);
  if (OnListFilled) DoListFilled();
  if (FNotification && FFolder) {
    FNotification->SetWatchPidl(FFolder->GetPidl());
    FNotification->SetMaxNotifications(5);
    FNotification->SetActive(true);
  }
  if (FComboBox && FFolder) {
    if (FComboBox->GetItemIndex() < 0) FComboBox->SetSelection(FFolder, false);
    FComboBox->SelectFolder(FFolder);
  }
}

void TSvCustomShellListView::Refresh() {
  if (!FFolder) return;
  fw::TListItem* selected = GetSelected();
  std::string caption = selected ? selected->GetCaption() : "";
  fw::Owned<TSvShellItem> copy(CopyOf(FFolder));
  SetFolder(copy.get());
  if (!caption.empty()) Reselect(caption, -1);
}

void TSvCustomShellListView::Reselect(const std::string& caption, int index) {
  fw::TListItem* row = caption.empty() ? nullptr : FindCaption(0, caption, false, true, true);
  int select = row ? row->GetIndex() : index;
  if (select >= 0 && select < GetItems()->GetCount()) {
    SetItemIndex(select);
    Perform(LVM_ENSUREVISIBLE, static_cast<WPARAM>(select), FALSE);
  }
  RebuildSelectedItems();
}

void TSvCustomShellListView::MoveUpOneLevel() {
  if (!FFolder || !FFolder->GetPidl()) return;
  TPidl parent(Shell32().ILClone(FFolder->GetPidl()));
  Shell32().ILRemoveLastID(parent.Get());
  fw::Owned<TSvShellItem> up(TSvShellItem::CreateFromPidl(parent.Get(), FController));
  if (FTreeView && !FTreeView->SelectFolderNode(up.get(), true)) return;
  ShowInCombo(up.get(), true);
  SetFolder(up.get());
}

void TSvCustomShellListView::SetFolderFromTree(TSvShellItem* folder) {
  ShowInCombo(folder, false);
  SetFolder(folder);
}

void TSvCustomShellListView::SetFolderFromCombo(TSvShellItem* folder) {
  SetFolder(folder);
  if (FTreeView && FFolder) FTreeView->SelectFolderNode(FFolder, false);
}

void TSvCustomShellListView::RefreshItems(bool reEnumerate) {
  std::string caption;
  int index = GetItemIndex();
  if (TSvShellItem* selected = ItemOfRow(index)) caption = selected->GetDisplayName();
  SetRedraw(false);
  if (reEnumerate) ClearList();
  GetItems()->SetCount(0);
  FSelectedItem = nullptr;
  if (reEnumerate && FFolder) {
    BeginListingDetails(FFolder);
    FController->EnumerateFolder(FFolder->GetPidl(), ekList);
    EndListingDetails();
  }
  SortItems();
  if (reEnumerate && !FFileFilter.empty() && FFiltered && FFilterValid) FilterItems();
  GetItems()->SetCount(GetShownItems()->GetCount());
  SetRedraw(true);
  Reselect(caption, index);
}

void TSvCustomShellListView::FilterItems() {
  FFilteredItems->Clear();
  FFilterValid = false;
  auto regex = fw::MakeOwned<TSvRegEx>();
  regex->SetIgnoreCase(true);
  regex->GetMatchPattern()->Add(FFileFilter);
  TSvMatchPosition position{};
  regex->CheckString("", position);
  FFilterValid = true;
  for (int i = 0; i < FAllItems->GetCount(); ++i) {
    TSvShellItem* item = FAllItems->GetItem(i);
    if (item->GetIsFile() && !regex->CheckString(fw::ExtractFileName(item->GetPath()), position)) continue;
    FFilteredItems->Add(CopyOf(item));
  }
}

void TSvCustomShellListView::ApplyFileFilter() {
  try {
    FilterItems();
  } catch (...) {
    RefreshItems(false);
    throw;
  }
  RefreshItems(false);
}

void TSvCustomShellListView::SetFileFilter(const std::string& value) {
  if (value == FFileFilter) return;
  FFileFilter = value;
  FFilteredItems->Clear();
  FFilterValid = true;
  if (FFileFilter.empty() || !FFiltered) return;
  if (!OnFilterItem) {
    ApplyFileFilter();
  } else if (FFolder) {
    FRelisting = true;
    fw::Owned<TSvShellItem> copy(CopyOf(FFolder));
    SetFolder(copy.get());
    FRelisting = false;
  }
}

void TSvCustomShellListView::SetFiltered(bool value) {
  FFiltered = value;
  if (GetComponentState().Contains(fw::csDesigning) || FFileFilter.empty() || !value) return;
  if (!OnFilterItem) {
    ApplyFileFilter();
  } else if (FFolder && !GetComponentState().Contains(fw::csLoading)) {
    FRelisting = true;
    fw::Owned<TSvShellItem> copy(CopyOf(FFolder));
    try {
      SetFolder(copy.get());
    } catch (...) {
      FRelisting = false;
      throw;
    }
    FRelisting = false;
  }
}

// --- columns and details ---

void TSvCustomShellListView::AddColumn(const std::string& caption, int width, bool right) {
  fw::TListColumn* column = GetColumns()->Add();
  column->SetCaption(caption);
  column->SetWidth(width);
  if (right) column->SetAlignment(fw::taRightJustify);
}

void TSvCustomShellListView::BuildColumns(TSvShellItem* folder) {
  GetColumns()->Clear();
  if (!folder) return;
  TComRef<IShellFolder> shellFolder;
  IShellFolder* desktop = FController->GetDesktopFolder();
  if (folder->GetPidl() && Shell32().ILFindLastID(folder->GetPidl())->mkid.cb != 0)
    FController->BindToFolder(desktop, folder->GetPidl(), shellFolder);
  if (!shellFolder && desktop) {
    desktop->AddRef();
    shellFolder.Reset(desktop);
  }
  if (TComRef<IShellDetails> details = DetailsOf(shellFolder.Get())) {
    FStandardColumns = folder->GetIsFileSystem();
    BuildShellDetailColumns(details.Get(), folder->GetPidl());
    return;
  }
  if (folder->GetIsFileSystem() || !folder->GetParentFolder()) {
    AddColumn(FCaptions[capName], 175);
    AddColumn(FCaptions[capSize], 75, true);
    AddColumn(FCaptions[capType], 125);
    AddColumn(FCaptions[capModified], 125);
    AddColumn(FCaptions[capAttributes], 60);
  } else if (IsRecycleBin(folder->GetPidl())) {
    AddColumn(FCaptions[capName], 125);
    AddColumn(FCaptions[capOriginal], 125);
    AddColumn(FCaptions[capDeleted], 100);
    AddColumn(FCaptions[capType], 125);
    AddColumn(FCaptions[capSize], 60);
  } else {
    AddColumn(FCaptions[capName], 175);
  }
  FStandardColumns = true;
}

void TSvCustomShellListView::BuildShellDetailColumns(IShellDetails* details, LPCITEMIDLIST folderPidl) {
  SIZE size{};
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, GetFont()->GetHandle());
  GetTextExtentPoint32A(dc, "a", 1, &size);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  for (int i = 0;; ++i) {
    SHELLDETAILS detail{};
    if (FAILED(details->GetDetailsOf(nullptr, static_cast<UINT>(i), &detail))) break;
    AddColumn(StrRetText(detail.str, folderPidl), detail.cxChar * size.cx);
  }
  FColumnsBuilt = true;
  Invalidate();
}

void TSvCustomShellListView::BeginListingDetails(TSvShellItem* folder) {
  FFolderRecords.clear();
  FFolderDetails.Reset();
  FListingDetails = GetViewStyle() == fw::vsReport && folder;
  if (!FListingDetails) return;
  TComRef<IShellFolder> shellFolder;
  if (folder->GetPidl() && folder->GetPidl()->mkid.cb != 0)
    FController->BindToFolder(FController->GetDesktopFolder(), folder->GetPidl(), shellFolder);
  FFolderDetails = DetailsOf(shellFolder ? shellFolder.Get() : FController->GetDesktopFolder());
  if (!folder->GetIsFileSystem() || folder->GetPath().empty()) return;
  WIN32_FIND_DATAA data{};
  HANDLE search = FindFirstFileA((fw::IncludeTrailingBackslash(folder->GetPath()) + "*").c_str(), &data);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    FFolderRecords.emplace(fw::AnsiUpperCase(data.cFileName), data);
  } while (FindNextFileA(search, &data));
  FindClose(search);
}

void TSvCustomShellListView::EndListingDetails() {
  FListingDetails = false;
  FFolderDetails.Reset();
  FFolderRecords.clear();
}

void TSvCustomShellListView::FillShellDetails(IShellDetails* details, TSvShellItem* item) {
  fw::TStringList* texts = item->GetColumnTexts();
  texts->Clear();
  for (int column = 1; column < GetColumns()->GetCount(); ++column) {
    const std::string& caption = GetColumn(column)->GetCaption();
    SHELLDETAILS detail{};
    std::string text;
    if (SUCCEEDED(details->GetDetailsOf(item->GetRelativePidl(), static_cast<UINT>(column), &detail)))
      text = StrRetText(detail.str, item->GetRelativePidl());
    if (text.empty() && item->GetIsFile() && caption == FCaptions[capType]) text = TypeText(item);
    texts->Add(text);
    if (caption == FCaptions[capSize] || caption == FCaptions[capModified]) item->LoadFileData();
  }
}

std::string TSvCustomShellListView::TypeText(TSvShellItem* item) {
  if (!item->GetTypeName().empty() || !item->GetIsFile()) return item->GetTypeName();
  std::string extension = ExtensionOf(item->GetPath());
  if (extension.empty()) return FCaptions[capFile];
  void* name = nullptr;
  if (FFileTypes && FFileTypes->Find(extension, name)) return static_cast<const char*>(name);
  if (fw::UpperCase(extension) == ".LNK") return "Shortcut";
  return fw::AnsiUpperCase(extension.substr(1)) + " " + FCaptions[capFile];
}

void TSvCustomShellListView::FillItemDetails(TSvShellItem* item) {
  if (GetComponentState().Contains(fw::csDesigning)) return;
  fw::TStringList* texts = item->GetColumnTexts();
  texts->Clear();
  TComRef<IShellDetails> details;
  if (FListingDetails)
    details = FFolderDetails.Share();
  else
    details = DetailsOf(item->GetParentFolder());
  if (details) {
    FillShellDetails(details.Get(), item);
    return;
  }
  auto record = FListingDetails ? FFolderRecords.find(fw::AnsiUpperCase(fw::ExtractFileName(item->GetPath())))
                                : FFolderRecords.end();
  if (record != FFolderRecords.end())
    item->SetFileData(&record->second);
  else
    item->LoadFileData();
  if (!item->GetSizeRead() || (!item->GetIsFileSystem())) {
    texts->Add("");
    texts->Add(FCaptions[capSystemFolder]);
    item->SetColumnsFilled(true);
    return;
  }
  if (item->GetIsFolder()) {
    texts->Add("");
    texts->Add(FCaptions[capFileFolder]);
  } else {
    texts->Add(KilobyteText(item->GetSize()));
    texts->Add(TypeText(item));
  }
  texts->Add(DateText(item->GetDate()));
  texts->Add(item->GetAttributeLetters());
  item->SetColumnsFilled(true);
}

// --- sorting ---

void TSvCustomShellListView::SortItems() {
  TSvShellItemList* shown = GetShownItems();
  int column = GetSortColumn();
  if (!FStandardColumns && column != 0) {
    shown->Sort(ListCompareColumn);
    return;
  }
  if (shown->GetCount() < 2) return;
  switch (column) {
    case 0: shown->Sort(ListCompareIds); break;
    case 1: shown->Sort(ListCompareSize); break;
    case 2: shown->Sort(FOptions.Contains(loSortTypeByExt) ? ListCompareExtension : ListCompareColumnNoCase); break;
    case 3: shown->Sort(ListCompareDate); break;
    case 4: shown->Sort(ListCompareColumnFoldersFirst); break;
    default: break;
  }
}

void TSvCustomShellListView::ColClick(fw::TListColumn* column) {
  fw::TCustomListView::ColClick(column);
  GetSelectedItems();
  fw::Owned<TSvShellItem> focused;
  if (fw::TListItem* row = GetItemFocused())
    if (TSvShellItem* item = ItemOfRow(row->GetIndex())) focused.reset(CopyOf(item));
  int index = column->GetIndex();
  int top = -1;
  if (index != GetSortColumn()) {
    SetSortAscending(true);
    SetSortColumn(index);
    if (fw::TListItem* row = GetTopItem()) top = row->GetIndex();
    SortItems();
  } else {
    SetSortAscending(!GetSortAscending());
  }
  Invalidate();
  if (FSelectedItems->GetCount() > 0 && HandleAllocated()) {
    LVITEMA state{};
    state.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
    Perform(LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
    for (int row = 0; row < GetItems()->GetCount(); ++row) {
      TSvShellItem* item = ItemOfRow(row);
      LVITEMA set{};
      set.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
      if (focused && SameEntry(item, focused.get())) set.state |= LVIS_FOCUSED;
      for (int i = 0; i < FSelectedItems->GetCount(); ++i)
        if (SameEntry(item, FSelectedItems->GetItem(i))) {
          set.state |= LVIS_SELECTED;
          break;
        }
      if (set.state) Perform(LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&set));
    }
  }
  if (top >= 0) Perform(LVM_ENSUREVISIBLE, static_cast<WPARAM>(top), FALSE);
  Invalidate();
}

void TSvCustomShellListView::SetViewStyle(fw::TViewStyle style) {
  fw::TViewStyle old = GetViewStyle();
  fw::TCustomListView::SetViewStyle(style);
  if (GetComponentState().Contains(fw::csDesigning) || !FController) return;
  if (old == fw::vsReport && style != fw::vsReport) SetSortAscending(true);
  if (style != fw::vsReport || old == fw::vsReport) return;
  SetRedraw(false);
  if (GetItems()->GetCount() > 0) {
    if (!FColumnsBuilt) BuildColumns(FFolder);
    if (!FDetailsFilled) {
      TSvShellItemList* shown = GetShownItems();
      for (int i = 0; i < shown->GetCount(); ++i) FillItemDetails(shown->GetItem(i));
      FDetailsFilled = true;
    }
    SetSortAscending(false);
    SetSortColumn(0);
    if (GetColumns()->GetCount() > 0) ColClick(GetColumn(0));
  }
  SetRedraw(true);
}

void TSvCustomShellListView::ViewMenuClick(fw::TObject* sender) {
  auto* entry = static_cast<fw::TMenuItem*>(sender);
  SetViewStyle(static_cast<fw::TViewStyle>(entry->GetTag()));
  for (int i = 0; i < FViewMenu->GetItems()->GetCount(); ++i)
    FViewMenu->GetItems()->GetItems(i)->SetChecked(FViewMenu->GetItems()->GetItems(i) == entry);
}

// --- rows ---

bool TSvCustomShellListView::WantsCustomDrawItem() const {
  return fw::TCustomListView::WantsCustomDrawItem() || FOptions.Contains(loColorCompressed);
}

void TSvCustomShellListView::CustomDrawItem(fw::TListItem* row, fw::TCustomDrawState state, bool& defaultDraw) {
  fw::TCustomListView::CustomDrawItem(row, state, defaultDraw);
  if (!FOptions.Contains(loColorCompressed) || GetComponentState().Contains(fw::csDesigning)) return;
  TSvShellItem* item = ItemOfRow(row->GetIndex());
  if (item && GetDriveTypeA(item->GetPath().c_str()) != DRIVE_REMOVABLE && item->IsCompressed())
    GetCanvas()->GetFont()->SetColor(FCompressedColor);
}

bool TSvCustomShellListView::OwnerDataFetch(fw::TListItem* row, fw::TItemRequests request) {
  TSvShellItem* item = ItemOfRow(row->GetIndex());
  if (!item) return false;
  if (request.Contains(fw::irText)) {
    row->SetCaption(item->GetDisplayName());
    if (GetViewStyle() == fw::vsReport) row->SetSubItems(item->GetColumnTexts());
  }
  if (request.Contains(fw::irImage)) row->SetImageIndex(item->GetImageIndex());
  int count = GetShownItems()->GetCount();
  row->SetData(reinterpret_cast<void*>(static_cast<intptr_t>(GetSortAscending() ? row->GetIndex()
                                                                                 : count - 1 - row->GetIndex())));
  return true;
}

int TSvCustomShellListView::OwnerDataFind(fw::TItemFind find, const std::string& findString, fw::TPoint, void* findData,
                                          int startIndex, fw::TSearchDirection, bool) {
  std::string wanted = fw::AnsiUpperCase(findString);
  for (int row = std::max(startIndex, 0); row < GetItems()->GetCount(); ++row) {
    TSvShellItem* item = ItemOfRow(row);
    switch (find) {
      case fw::ifData:
        if (item->GetPidl() == findData) return row;
        break;
      case fw::ifPartialString:
        if (fw::AnsiUpperCase(item->GetDisplayName()).find(wanted) != std::string::npos) return row;
        break;
      case fw::ifExactString:
        if (fw::AnsiSameText(item->GetDisplayName(), findString)) return row;
        break;
      default: break;
    }
  }
  return -1;
}

void TSvCustomShellListView::Dispatch(fw::TMessage& msg) {
  fw::TCustomListView::Dispatch(msg);
  if (msg.Msg != fw::CN_NOTIFY) return;
  auto* hdr = reinterpret_cast<NMHDR*>(msg.LParam);
  if (hdr->code != LVN_GETDISPINFOA && hdr->code != LVN_GETDISPINFOW) return;
  LVITEMA& lv = reinterpret_cast<NMLVDISPINFOA*>(hdr)->item;
  if (!(lv.mask & LVIF_STATE)) return;
  TSvShellItem* item = ItemOfRow(lv.iItem);
  if (!item) return;
  int overlay = item->GetOverlayIndex();
  if (overlay >= 0) lv.state |= INDEXTOOVERLAYMASK(static_cast<UINT>(overlay + 1));
  if (item->IsHidden()) lv.state |= LVIS_CUT;
  if (FDropItem && SamePidl(item->GetPidl(), FDropItem->GetPidl())) lv.state |= LVIS_DROPHILITED;
}

// --- selection ---

void TSvCustomShellListView::RebuildSelectedItems() {
  FSelectedItems->Clear();
  FSelectedItemsStale = false;
  if (!HandleAllocated()) return;
  int row = -1;
  while ((row = static_cast<int>(Perform(LVM_GETNEXTITEM, static_cast<WPARAM>(row), LVNI_SELECTED))) >= 0)
    if (TSvShellItem* item = ItemOfRow(row)) FSelectedItems->Add(CopyOf(item));
}

TSvShellItemList* TSvCustomShellListView::GetSelectedItems() {
  if (FSelectedItemsStale) RebuildSelectedItems();
  return FSelectedItems;
}

void TSvCustomShellListView::Change(fw::TListItem* row, fw::TItemChange change) {
  fw::TCustomListView::Change(row, change);
  if (change != fw::ctState) return;
  FSelectedItemsStale = true;
  if (!row) return;
  FSelectedItem = ItemOfRow(row->GetIndex());
  if (FSelectedItem && OnItemSelected && row->GetSelected()) DoItemSelected(FSelectedItem);
}

void TSvCustomShellListView::Click() {
  fw::TCustomListView::Click();
  if (!FSelectedItem) return;
  RebuildSelectedItems();
  if (OnItemSelected) DoItemSelected(FSelectedItem);
  // With hot tracking a single click opens the item.
  if (GetHotTrack()) OpenSelectedItem();
}

void TSvCustomShellListView::EnterFolder(TSvShellItem* folder) {
  fw::Owned<TSvShellItem> copy(CopyOf(folder));
  if (FTreeView) FTreeView->SelectFolderNode(copy.get(), false);
  ShowInCombo(copy.get(), false);
  SetFolder(copy.get());
}

void TSvCustomShellListView::DblClick() {
  fw::TCustomListView::DblClick();
  OpenSelectedItem();
}

void TSvCustomShellListView::OpenSelectedItem() {
  TSvShellItem* item = FSelectedItem;
  if (!item) return;
  bool defaultAction = true;
  DoItemDblClick(item, defaultAction);
  if (!defaultAction) return;
  if (FOpenDialogMode) {
    if (item->IsShellFolder()) EnterFolder(item);
    return;
  }
  bool folder = item->IsShellFolder();
  if (item->GetIsFileSystem() && !folder) {
    SvShellOpenFile(GetHandle(), item->GetPath());
  } else if (folder && !FOptions.Contains(loOpenFoldersInNewWindow)) {
    EnterFolder(item);
  } else {
    item->Execute();
  }
}

// --- rename ---

bool TSvCustomShellListView::CanEdit(fw::TListItem* row) {
  if (!fw::TCustomListView::CanEdit(row)) return false;
  TSvShellItem* item = ItemOfRow(row->GetIndex());
  return item && item->CanRename() && FOptions.Contains(loAllowRename);
}

void TSvCustomShellListView::Edit(const LVITEMA& lvItem) {
  TSvShellItem* item = ItemOfRow(lvItem.iItem);
  if (!item || !lvItem.pszText) return;
  std::string text = lvItem.pszText;
  if (OnEdited) {
    fw::TListItem* row = GetItems()->GetItem(lvItem.iItem);
    OnEdited(this, row, text);
  }
  if (text == item->GetDisplayName() || text.empty() || !item->CanRename() || !item->GetParentFolder()) return;
  TSvBusyCursor busy;
  wchar_t wide[kMaxName] = {};
  MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide, kMaxName);
  wide[kMaxName - 1] = L'\0';
  TPidl renamed;
  if (FAILED(item->GetParentFolder()->SetNameOf(GetHandle(), item->GetRelativePidl(), wide, SHGDN_NORMAL,
                                                 renamed.Put())) ||
      !renamed)
    return;
  item->Renamed(renamed.Get(), FFolder ? FFolder->GetPidl() : nullptr, text);
  if (GetViewStyle() == fw::vsReport) FillItemDetails(item);
  RebuildSelectedItems();
  Invalidate();
}

// --- context menu ---

void TSvCustomShellListView::ShowShellMenu(fw::TMessage& msg) {
  TSvShellItem* selected = FSelectedItem;
  std::vector<LPCITEMIDLIST> ids{selected->GetRelativePidl()};
  if (GetSelCount() > 1) {
    int row = -1;
    while ((row = static_cast<int>(Perform(LVM_GETNEXTITEM, static_cast<WPARAM>(row), LVNI_SELECTED))) >= 0) {
      TSvShellItem* item = ItemOfRow(row);
      if (item && item != selected) ids.push_back(item->GetRelativePidl());
    }
  }
  POINT point{static_cast<short>(LOWORD(msg.LParam)), static_cast<short>(HIWORD(msg.LParam))};
  int command = FController->ShowContextMenu(this, selected->GetParentFolder(), GetHandle(), point,
                                             static_cast<int>(ids.size()), ids.data());
  if (command == 19) {
    int row = RowOfItem(selected);
    if (row >= 0) GetItems()->GetItem(row)->EditCaption();
  }
}

void TSvCustomShellListView::WndProc(fw::TMessage& msg) {
  if (msg.Msg == WM_CONTEXTMENU && FOptions.Contains(loShellMenu) && FSelectedItem && FController &&
      GetSelCount() > 0) {
    ShowShellMenu(msg);
    return;
  }
  fw::TCustomListView::WndProc(msg);
}

// --- change notification ---

bool TSvCustomShellListView::InListedFolder(const TSvShellItem* item) const {
  if (!item || !item->GetPidl() || !FFolder || !FFolder->GetPidl()) return false;
  if (SamePidl(item->GetPidl(), FFolder->GetPidl())) return true;
  TPidl parent(Shell32().ILClone(item->GetPidl()));
  return parent && Shell32().ILRemoveLastID(parent.Get()) && SamePidl(parent.Get(), FFolder->GetPidl());
}

void TSvCustomShellListView::ListShellChanged(fw::TObject*, TSvShellItem* oldItem, TSvShellItem* newItem,
                                              TSvNotifyEventsSet events) {
  if (IsEditing() || !(InListedFolder(oldItem) || InListedFolder(newItem))) return;
  if (!events.Contains(neAttributesChange)) {
    RefreshItems(true);
  } else if (GetViewStyle() == fw::vsReport && oldItem) {
    FDetailsFilled = false;
    TSvShellItemList* shown = GetShownItems();
    for (int i = 0; i < shown->GetCount(); ++i) {
      TSvShellItem* item = shown->GetItem(i);
      if (!SamePidl(item->GetPidl(), oldItem->GetPidl())) continue;
      FillItemDetails(item);
      int row = RowOfItem(item);
      if (row >= 0) Perform(LVM_REDRAWITEMS, static_cast<WPARAM>(row), row);
    }
    Invalidate();
  }
  DoShellChangeNotify(oldItem, newItem, events);
}

// --- events ---

void TSvCustomShellListView::DoItemDblClick(TSvShellItem* item, bool& defaultAction) {
  if (OnItemDblClick) OnItemDblClick(this, item, defaultAction);
}

void TSvCustomShellListView::DoItemSelected(TSvShellItem* item) {
  if (OnItemSelected) OnItemSelected(this, item);
}

void TSvCustomShellListView::DoListFilled() {
  if (OnListFilled) OnListFilled(this);
}

void TSvCustomShellListView::DoShellChangeNotify(TSvShellItem* oldItem, TSvShellItem* newItem,
                                                 TSvNotifyEventsSet events) {
  if (OnShellChangeNotify) OnShellChangeNotify(this, oldItem, newItem, events);
}

// --- setters ---

void TSvCustomShellListView::SetRootFolder(const std::string& value) {
  FRootFolder = value;
  if (FRootFolder.empty()) {
    ClearList();
    SetRedraw(true);
    return;
  }
  if (FRootFolder.size() == 2 && FRootFolder.find(':') != std::string::npos) FRootFolder += '\\';
  if (GetComponentState().Contains(fw::csLoading)) return;
  FSpecialRootFolder = sfNone;
  SetFolder(nullptr);
  ShowListedFolder();
}

void TSvCustomShellListView::SetSpecialRootFolder(TSvSpecialRootFolder value) {
  if (SpecialFolderNeedsShell47(value) && ReadShellVersion() < 4.7) RaiseSsError<ESvShellError>(110);
  FSpecialRootFolder = value;
  if (value == sfNone) {
    ClearList();
    SetRedraw(true);
    return;
  }
  if (GetComponentState().Contains(fw::csLoading)) return;
  FRootFolder.clear();
  SetFolder(nullptr);
  ShowListedFolder();
}

void TSvCustomShellListView::SetOptions(TSvListOptions value) {
  bool colourChanged = value.Contains(loColorCompressed) != FOptions.Contains(loColorCompressed);
  bool dropChanged = value.Contains(loAllowDrop) != FOptions.Contains(loAllowDrop);
  FOptions = value;
  if (dropChanged) {
    if (FOptions.Contains(loAllowDrop))
      RegisterDropTarget();
    else
      FDropSite.Revoke();
  }
  if (colourChanged) Invalidate();
}

void TSvCustomShellListView::SetCompressedColor(int value) {
  FCompressedColor = value;
  if (FOptions.Contains(loColorCompressed)) Invalidate();
}

// --- drag source ---

void TSvCustomShellListView::NotifyOther(fw::TMessage& msg) {
  auto* hdr = reinterpret_cast<NMHDR*>(msg.LParam);
  if (hdr->code == LVN_BEGINDRAG && FOptions.Contains(loAllowDrag) && FController) {
    BeginDrag();
    return;
  }
  fw::TCustomListView::NotifyOther(msg);
}

HIMAGELIST TSvCustomShellListView::MakeDragImage(int row, const std::vector<const TSvShellItem*>& items) {
  if (items.size() == 1) {
    POINT origin{};
    return reinterpret_cast<HIMAGELIST>(Perform(LVM_CREATEDRAGIMAGE, static_cast<WPARAM>(row),
                                                reinterpret_cast<LPARAM>(&origin)));
  }
  int height = GetSystemMetrics(GetViewStyle() == fw::vsIcon ? SM_CYICON : SM_CYSMICON);
  std::wstring text = fw::Utf8ToWide(DragImageText(items));
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ oldFont = SelectObject(dc, GetFont()->GetHandle());
  SIZE extent{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
  int width = height + 4 + extent.cx;
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  ReleaseDC(nullptr, screen);
  HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
  RECT all{0, 0, width, height};
  HBRUSH magenta = CreateSolidBrush(RGB(0xFF, 0x00, 0xFF));
  FillRect(dc, &all, magenta);
  DeleteObject(magenta);
  auto icon = static_cast<HICON>(LoadImageA(GetModuleHandleA("shell32.dll"), MAKEINTRESOURCEA(133), IMAGE_ICON,
                                            height, height, 0));
  if (icon) {
    DrawIconEx(dc, 0, 0, icon, height, height, 0, nullptr, DI_NORMAL);
    DestroyIcon(icon);
  }
  RECT textRect{height + 4, 0, width, height};
  SetBkMode(dc, TRANSPARENT);
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textRect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  SelectObject(dc, oldBitmap);
  SelectObject(dc, oldFont);
  DeleteDC(dc);
  HIMAGELIST images = ImageList_Create(width, height, ILC_COLOR24 | ILC_MASK, 1, 1);
  ImageList_RemoveAll(images);
  ImageList_AddMasked(images, bitmap, RGB(0xFF, 0x00, 0xFF));
  DeleteObject(bitmap);
  return images;
}

void TSvCustomShellListView::BeginDrag() {
  TSvShellItem* selected = FSelectedItem;
  if (!selected) return;
  FController->DragSource = this;
  std::vector<const TSvShellItem*> items{selected};
  int row = -1;
  while ((row = static_cast<int>(Perform(LVM_GETNEXTITEM, static_cast<WPARAM>(row), LVNI_SELECTED))) >= 0) {
    TSvShellItem* item = ItemOfRow(row);
    if (item && item != selected) items.push_back(item);
  }
  std::vector<TPidl> clones;
  std::vector<LPCITEMIDLIST> ids;
  clones.reserve(items.size());
  DWORD effects = 0;
  for (const TSvShellItem* item : items) {
    clones.emplace_back(Shell32().ILClone(item->GetRelativePidl()));
    ids.push_back(clones.back().Get());
    ULONG attributes = SFGAO_CANCOPY | SFGAO_CANMOVE | SFGAO_CANLINK;
    LPCITEMIDLIST id = item->GetRelativePidl();
    IShellFolder* parent = item->GetParentFolder() ? item->GetParentFolder() : FController->GetDesktopFolder();
    if (parent && SUCCEEDED(parent->GetAttributesOf(1, &id, &attributes))) effects |= attributes;
  }
  effects &= DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
  RunViewDrag(MakeDragImage(RowOfItem(selected), items), ids.data(), static_cast<int>(ids.size()),
              selected->GetPidl(), effects);
  FController->DragSource = nullptr;
}

// --- drop target ---

void TSvCustomShellListView::RegisterDropTarget() {
  if (FOptions.Contains(loAllowDrop) && HandleAllocated() && !GetComponentState().Contains(fw::csDesigning))
    FDropSite.Register(GetHandle());
}

TComRef<IDropTarget> TSvCustomShellListView::DropTargetAt(POINT point, TSvShellItem*& item) {
  item = nullptr;
  if (fw::TListItem* row = GetItemAt(point.x, point.y)) item = ItemOfRow(row->GetIndex());
  IShellFolder* desktop = FController ? FController->GetDesktopFolder() : nullptr;
  if (item)
    return ShellDropTarget(item->GetParentFolder(), item->GetParentFolder() ? item->GetRelativePidl() : item->GetPidl(),
                           desktop, GetHandle());
  if (!FFolder || (FController && FController->DragSource == this)) return TComRef<IDropTarget>();
  return ShellDropTarget(FFolder->GetParentFolder(),
                         FFolder->GetParentFolder() ? FFolder->GetRelativePidl() : FFolder->GetPidl(), desktop,
                         GetHandle());
}

void TSvCustomShellListView::HighlightDropItem(TSvShellItem* item) {
  bool same = item && FDropItem ? SamePidl(item->GetPidl(), FDropItem->GetPidl()) : item == FDropItem;
  if (same) return;
  // The window asks for the highlight with each row (the state is in its callback mask).
  ImageList_DragShowNolock(FALSE);
  int oldRow = -1;
  if (FDropItem) {
    for (int row = 0; row < GetItems()->GetCount() && oldRow < 0; ++row)
      if (SamePidl(ItemOfRow(row)->GetPidl(), FDropItem->GetPidl())) oldRow = row;
    fw::FreeAndNil(FDropItem);
  }
  if (item) FDropItem = CopyOf(item);
  for (int row : {oldRow, item ? RowOfItem(item) : -1}) {
    if (row < 0) continue;
    RECT bounds{LVIR_SELECTBOUNDS, 0, 0, 0};
    Perform(LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&bounds));
    if (GetViewStyle() == fw::vsReport) InflateRect(&bounds, 0, 40);
    InvalidateRect(GetHandle(), &bounds, TRUE);
  }
  UpdateWindow(GetHandle());
  ImageList_DragShowNolock(TRUE);
}

void TSvCustomShellListView::AutoScroll(POINT point) {
  fw::TListItem* row = GetItemAt(point.x, point.y);
  if (!row) return;
  RECT client;
  ::GetClientRect(GetHandle(), &client);
  int index = row->GetIndex();
  UINT direction = 0;
  bool orNext = false;  // with no neighbour that way, any next item
  DWORD pause = 30;
  switch (GetViewStyle()) {
    case fw::vsList:
      pause = 400;
      if (point.x < client.left + 10) direction = LVNI_TOLEFT;
      else if (point.x > client.right - 30) direction = LVNI_TORIGHT, orNext = true;
      break;
    default:
      if (GetViewStyle() == fw::vsIcon) pause = 100;
      if (point.y < client.top + 30) direction = LVNI_ABOVE;
      else if (point.y > client.bottom - 30) direction = LVNI_BELOW, orNext = GetViewStyle() == fw::vsIcon;
      break;
  }
  if (!direction) return;
  int next = static_cast<int>(Perform(LVM_GETNEXTITEM, static_cast<WPARAM>(index), direction));
  if (next < 0 && orNext && index + 1 < GetItems()->GetCount()) next = index + 1;
  if (next < 0) return;
  ImageList_DragShowNolock(FALSE);
  Perform(LVM_ENSUREVISIBLE, static_cast<WPARAM>(next), FALSE);
  UpdateWindow(GetHandle());
  ImageList_DragShowNolock(TRUE);
  fw::Sleep(pause);
}

HRESULT TSvCustomShellListView::DropEnter(IDataObject* data, DWORD, POINTL point, DWORD* effect) {
  FDropSite.Enter(data, point, effect);
  return S_OK;
}

HRESULT TSvCustomShellListView::DropOver(DWORD keys, POINTL point, DWORD* effect) {
  if (!FDropSite.GetData()) {
    *effect = DROPEFFECT_NONE;
    return S_OK;
  }
  POINT client{point.x, point.y};
  ::ScreenToClient(GetHandle(), &client);
  AutoScroll(client);
  TSvShellItem* item = nullptr;
  TComRef<IDropTarget> target = DropTargetAt(client, item);
  if (target)
    ForwardDragOver(target.Get(), FDropSite.GetData(), keys, point, effect);
  else
    *effect = DROPEFFECT_NONE;
  HighlightDropItem(item);
  FDropSite.MovePicture(point);
  return S_OK;
}

HRESULT TSvCustomShellListView::DropLeave() {
  FDropSite.Leave();
  HighlightDropItem(nullptr);
  return S_OK;
}

HRESULT TSvCustomShellListView::DropOn(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) {
  if (!FDropSite.GetData()) return E_FAIL;
  // The kept object goes with the leave; the drop hands on the one it was given.
  POINT client{point.x, point.y};
  ::ScreenToClient(GetHandle(), &client);
  TSvShellItem* item = nullptr;
  TComRef<IDropTarget> target = DropTargetAt(client, item);
  DropLeave();
  keys |= MK_LBUTTON;
  if (keys & MK_CONTROL) *effect = DROPEFFECT_COPY;
  if (!target || !data) {
    *effect = DROPEFFECT_NONE;
    return S_OK;
  }
  return ForwardDrop(target.Get(), data, keys, point, effect);
}

}  // namespace svc
