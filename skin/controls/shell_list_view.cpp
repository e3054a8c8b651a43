#include "skin/controls/shell_list_view.h"

#include <algorithm>

#include "framework/forms/application.h"
#include "services/shell/shell_view_support.h"
#include "skin/controls/shell_combo_box.h"
#include "skin/controls/web_label.h"

namespace skin {

namespace {

std::string Upper(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return static_cast<char>(toupper(c)); });
  return text;
}

std::string FromStrRet(STRRET& ret) {
  if (ret.uType != STRRET_WSTR) return ret.uType == STRRET_CSTR ? ret.cStr : "";
  char text[MAX_PATH] = {};
  WideCharToMultiByte(CP_UTF8, 0, ret.pOleStr, -1, text, MAX_PATH, nullptr, nullptr);
  CoTaskMemFree(ret.pOleStr);
  return text;
}

fw::TAlignment AlignmentOf(int format) {
  if (format == LVCFMT_RIGHT) return fw::taRightJustify;
  return format == LVCFMT_CENTER ? fw::taCenter : fw::taLeftJustify;
}

}  // namespace

std::vector<std::string> MaskWords(const std::string& mask) {
  std::vector<std::string> words;
  std::string word;
  for (char c : mask + ";") {
    if (c == '*' || c == '.' || c == ';') {
      if (!word.empty()) words.push_back(Upper(word));
      word.clear();
    } else {
      word += c;
    }
  }
  return words;
}

bool MatchesMaskWords(const std::string& fileName, const std::vector<std::string>& words) {
  if (words.empty()) return true;
  size_t dot = fileName.find_last_of('.');
  if (dot == std::string::npos) return false;
  std::string ext = Upper(fileName.substr(dot + 1));
  return std::find(words.begin(), words.end(), ext) != words.end();
}

int FindNamePrefix(const std::vector<std::string>& names, const std::string& what, int start, bool wrap) {
  int count = static_cast<int>(names.size());
  if (start < 0 || start >= count) start = 0;
  std::string wanted = Upper(what);
  int index = start;
  while (index < count) {
    if (Upper(names[index]).rfind(wanted, 0) == 0) return index;
    ++index;
    if (index == count && wrap) index = 0;
    if (index == start) break;
  }
  return -1;
}

TkCustomShellListView::TkCustomShellListView(fw::TComponent* owner) : TkCustomListView(owner) {
  SHFILEINFOA info{};
  FLargeImages = reinterpret_cast<HIMAGELIST>(SHGetFileInfoA("C:\\", 0, &info, sizeof info, SHGFI_SYSICONINDEX));
  FSmallImages = reinterpret_cast<HIMAGELIST>(
      SHGetFileInfoA("C:\\", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
  SetOwnerData(true);
  SetHideSelection(false);
  SetReadOnly(true);
}

TkCustomShellListView::~TkCustomShellListView() {
  SetShellTreeView(nullptr);
  SetShellComboBox(nullptr);
  ClearRows();
  delete FCurrentFolder;
}

void TkCustomShellListView::ClearRows() {
  for (TkShellFolder* row : FRows) delete row;
  FRows.clear();
}

void TkCustomShellListView::SetShellTreeView(TkCustomShellTreeView* value) {
  if (value == FTreeView) return;
  TkCustomShellTreeView* old = FTreeView;
  FTreeView = value;
  if (old && old->GetShellListView() == this) old->SetShellListView(nullptr);
  if (value) {
    value->FreeNotification(this);
    if (value->GetShellListView() != this) value->SetShellListView(this);
  }
}

void TkCustomShellListView::SetShellComboBox(TkCustomShellComboBox* value) {
  if (value == FComboBox) return;
  TkCustomShellComboBox* old = FComboBox;
  FComboBox = value;
  if (old && old->GetShellListView() == this) old->SetShellListView(nullptr);
  if (value) {
    value->FreeNotification(this);
    if (value->GetShellListView() != this) value->SetShellListView(this);
  }
}

void TkCustomShellListView::Notification(fw::TComponent* component, fw::TOperation operation) {
  TkCustomListView::Notification(component, operation);
  if (operation != fw::opRemove) return;
  if (component == FTreeView) FTreeView = nullptr;
  if (component == FComboBox) FComboBox = nullptr;
}

// --- properties ---

void TkCustomShellListView::SetRoot(const TkRoot& value) {
  if (value == FRoot && FCurrentFolder) return;
  FRoot = value;
  FCurrentFolder = CreateRootFolder(FCurrentFolder, FRoot);
  FRootChanged = true;
  PopulateAndSync();
}

void TkCustomShellListView::LinkRoot(const TkRoot& root) {
  if (FChanging) return;
  FChanging = true;
  FRoot = root;
  FCurrentFolder = CreateRootFolder(FCurrentFolder, FRoot);
  FChanging = false;
  Populate();
}

void TkCustomShellListView::SetAutoRefresh(bool value) {
  FAutoRefresh = value;
  if (GetComponentState().Contains(fw::csLoading) || GetComponentState().Contains(fw::csDesigning)) return;
  if (FNotifier) FNotifier->Free();
  FNotifier = nullptr;
  if (!value || !FCurrentFolder) return;
  FNotifier = new TkShellChangeNotifier(this);
  FNotifier->SetWatchSubTree(false);
  FNotifier->SetRoot(FCurrentFolder->PathName());
  FNotifier->SetOnChange([this] { Refresh(); });
}

void TkCustomShellListView::SetObjectTypes(TkShellObjectTypes value) {
  FObjectTypes = value;
  if (FCurrentFolder) PopulateAndSync();
}

void TkCustomShellListView::SetMask(const std::string& value) {
  if (value == FMask) return;
  FMask = value;
  if (FCurrentFolder) Populate();
}

void TkCustomShellListView::SetSorted(bool value) {
  if (value == FSorted) return;
  FSorted = value;
  if (FCurrentFolder) Populate();
}

// --- navigation ---

void TkCustomShellListView::SetFolderPidl(LPCITEMIDLIST pidl) {
  if (FChanging || (FCurrentFolder && SamePidls(FCurrentFolder->AbsoluteID(), pidl))) return;
  TkShellFolder* next = CreateFolderFromPidl(pidl);
  delete FCurrentFolder;
  FCurrentFolder = next;
  FRootChanged = false;
  PopulateAndSync();
}

void TkCustomShellListView::FollowFolder(LPCITEMIDLIST absolute) { SetFolderPidl(absolute); }

void TkCustomShellListView::UpOneLevel() {
  if (!FCurrentFolder) return;
  LPITEMIDLIST parent = CopyPidl(FCurrentFolder->AbsoluteID());
  StripLastItemId(parent);
  SetFolderPidl(parent);
  FreePidl(parent);
}

void TkCustomShellListView::Refresh() {
  if (!FCurrentFolder) return;
  int selected = GetItemIndex();
  LPITEMIDLIST pidl = CopyPidl(FCurrentFolder->AbsoluteID());
  TkShellFolder* fresh = CreateFolderFromPidl(pidl);
  FreePidl(pidl);
  delete FCurrentFolder;
  FCurrentFolder = fresh;
  Populate();
  if (selected >= 0 && selected < RowCount()) {
    SetItemIndex(selected);
    if (fw::TListItem* item = GetSelected()) item->MakeVisible(false);
  }
}

void TkCustomShellListView::PopulateAndSync() {
  if (FChanging) return;
  FChanging = true;
  bool autoRefresh = FAutoRefresh;
  if (autoRefresh) SetAutoRefresh(false);
  if (FRootChanged) {
    if (FTreeView) FTreeView->SetRoot(FRoot);
    if (FComboBox) FComboBox->LinkRoot(FRoot);
  } else if (FCurrentFolder) {
    if (FTreeView) FTreeView->SelectPidl(FCurrentFolder->AbsoluteID());
    if (FComboBox) FComboBox->FollowFolder(FCurrentFolder->AbsoluteID());
  }
  FRootChanged = false;
  Populate();
  if (GetViewStyle() == fw::vsReport) CreateDetailColumns();
  if (autoRefresh) SetAutoRefresh(true);
  FChanging = false;
}

void TkCustomShellListView::Populate() {
  if (!HandleAllocated() || !FCurrentFolder) return;
  svc::TSvBusyCursor busy;
  GetItems()->BeginUpdate();
  ClearRows();
  GetItems()->SetCount(0);
  std::vector<std::string> words = MaskWords(FMask);
  IShellFolder* shell = FCurrentFolder->ShellFolder();
  svc::TComRef<IEnumIDList> items;
  if (shell && SUCCEEDED(shell->EnumObjects(fw::Application->GetHandle(), ObjectTypeFlags(FObjectTypes), items.Put())) &&
      items) {
    LPITEMIDLIST item = nullptr;
    ULONG fetched = 0;
    while (items->Next(1, &item, &fetched) == S_OK && fetched) {
      svc::TComRef<IShellFolder> own;
      shell->BindToObject(item, nullptr, IID_IShellFolder, own.PutVoid());
      auto* folder = new TkShellFolder(FCurrentFolder, own.Get(), item);
      CoTaskMemFree(item);
      item = nullptr;
      bool keep = folder->IsFolder() || MatchesMaskWords(folder->DisplayName(seShow), words);
      if (keep && OnAddFolder) OnAddFolder(this, folder, keep);
      if (keep)
        FRows.push_back(folder);
      else
        delete folder;
    }
  }
  if (FSorted && shell)
    std::stable_sort(FRows.begin(), FRows.end(), [shell](TkShellFolder* a, TkShellFolder* b) {
      bool aFolder = a->IsFolder(), bFolder = b->IsFolder();
      if (aFolder != bFolder) return aFolder;
      return static_cast<short>(HRESULT_CODE(shell->CompareIDs(0, a->RelativeID(), b->RelativeID()))) < 0;
    });
  GetItems()->SetCount(RowCount());
  GetItems()->EndUpdate();
}

TkShellFolder* TkCustomShellListView::FolderAt(int index) const {
  return index >= 0 && index < RowCount() ? FRows[index] : nullptr;
}

TkShellFolder* TkCustomShellListView::SelectedFolder() const { return FolderAt(GetItemIndex()); }

// --- columns ---

bool TkCustomShellListView::AddColumn(const std::string& title, fw::TAlignment alignment, int chars) {
  for (int n = 0; n < GetColumns()->GetCount(); ++n)
    if (GetColumn(n)->GetCaption() == title) return false;
  fw::TListColumn* column = GetColumns()->Add();
  column->SetCaption(title);
  column->SetAlignment(alignment);
  SIZE x{};
  HDC dc = GetDC(GetHandle());
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(GetHandle(), WM_GETFONT, 0, 0)));
  GetTextExtentPoint32A(dc, "X", 1, &x);
  SelectObject(dc, old);
  ReleaseDC(GetHandle(), dc);
  column->SetWidth(chars * x.cx);
  return true;
}

void TkCustomShellListView::CreateDetailColumns() {
  if (!FCurrentFolder || !FCurrentFolder->ShellFolder()) return;

  GetColumns()->Clear();
  svc::TComRef<IShellFolder2> folder2;
  svc::TComRef<IShellDetails> details;
  IShellFolder* shell = FCurrentFolder->ShellFolder();
  shell->QueryInterface(IID_IShellFolder2, folder2.PutVoid());
  if (!folder2) shell->CreateViewObject(GetHandle(), IID_IShellDetails, details.PutVoid());
  if (folder2 || details) {
    bool onSeen = false;
    SHELLDETAILS info{};
    for (UINT column = 0;; ++column) {
      HRESULT hr = folder2 ? folder2->GetDetailsOf(nullptr, column, &info) : details->GetDetailsOf(nullptr, column, &info);
      if (FAILED(hr)) break;
      std::string title = FromStrRet(info.str);
      if (folder2) {
        SHCOLSTATEF state = 0;
        folder2->GetDefaultColumnState(column, &state);
        bool on = (state & SHCOLSTATE_ONBYDEFAULT) != 0;
        if (!on && onSeen) break;
        onSeen = onSeen || on;
      }
      // The older interface's list ends with the first title seen before.
      if (!AddColumn(title, AlignmentOf(info.fmt), info.cxChar) && !folder2) break;
    }
  } else {
    AddColumn("Name", fw::taLeftJustify, 25);
    if (FCurrentFolder->Properties().Contains(prFileSystem)) {
      AddColumn("Size", fw::taRightJustify, 10);
      AddColumn("Type", fw::taLeftJustify, 10);
      AddColumn("Modified", fw::taLeftJustify, 14);
    }
  }

  if (GetSkinData()->SkinIsActive()) UpdateScrolls();
}

// --- owner data ---

bool TkCustomShellListView::OwnerDataFetch(fw::TListItem* item, fw::TItemRequests request) {
  TkShellFolder* folder = FolderAt(item->GetIndex());
  if (!folder) return TkCustomListView::OwnerDataFetch(item, request);
  if (request.Contains(fw::irText)) item->SetCaption(folder->DisplayName(FShowExt));
  if (request.Contains(fw::irImage)) item->SetImageIndex(folder->ImageIndex(GetViewStyle() == fw::vsIcon));
  if (GetViewStyle() == fw::vsReport) {
    int columns = GetColumns()->GetCount();
    folder->LoadColumnDetails(GetHandle(), columns);
    item->GetSubItems()->Clear();
    for (int n = 1; n < columns; ++n) item->GetSubItems()->Add(folder->Details(n));
  }
  return true;
}

int TkCustomShellListView::OwnerDataFind(fw::TItemFind find, const std::string& findString, fw::TPoint, void*,
                                         int startIndex, fw::TSearchDirection, bool wrap) {
  if (find != fw::ifPartialString && find != fw::ifExactString) return -1;
  std::vector<std::string> names;
  names.reserve(FRows.size());
  for (TkShellFolder* row : FRows) names.push_back(row->DisplayName(FShowExt));
  return FindNamePrefix(names, findString, startIndex, wrap);
}

// --- input ---

void TkCustomShellListView::OpenSelected() {
  TkShellFolder* folder = SelectedFolder();
  if (!folder) return;
  if (folder->IsFolder()) {
    LPITEMIDLIST pidl = CopyPidl(folder->AbsoluteID());
    SetFolderPidl(pidl);
    FreePidl(pidl);
  } else {
    std::string path = folder->PathName();
    ShellOpen(path, SW_SHOWNORMAL, nullptr, FolderOfPath(path));
  }
}

void TkCustomShellListView::DblClick() {
  if (FAutoNavigate) OpenSelected();
  TkCustomListView::DblClick();
}

void TkDlgShellListView::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

// A control's keys come before the form's dialog keys here, so Enter skips the navigation that
// would run a file's default command and reaches the Open button.
void TkDlgShellListView::KeyDown(WORD& key, fw::TShiftState shift) {
  if (key == VK_RETURN && !shift.Contains(fw::ssAlt))
    TkCustomListView::KeyDown(key, shift);
  else
    TkShellListView::KeyDown(key, shift);
}

void TkCustomShellListView::KeyDown(WORD& key, fw::TShiftState shift) {
  if (FAutoNavigate) {
    bool editing = SendMessageA(GetHandle(), LVM_GETEDITCONTROL, 0, 0) != 0;
    if (key == VK_BACK && !editing) {
      UpOneLevel();
    } else if (key == VK_RETURN && shift.Contains(fw::ssAlt)) {
      if (TkShellFolder* folder = SelectedFolder()) InvokeVerb(folder, "properties");
    } else if (key == VK_RETURN) {
      TkShellFolder* folder = SelectedFolder();
      if (folder && folder->IsFolder())
        OpenSelected();
      else if (folder)
        folder->ExecuteDefault();
    } else if (key == VK_F5) {
      Refresh();
    }
  }
  TkCustomListView::KeyDown(key, shift);
}

void TkCustomShellListView::DoContextPopup(fw::TPoint mousePos, bool& handled) {
  if (FAutoContextMenus && SelectedFolder()) {
    InvokeContextMenu(this, GetHandle(), SelectedFolder(), mousePos.X, mousePos.Y);
    handled = true;
    return;
  }
  TkCustomListView::DoContextPopup(mousePos, handled);
}

void TkCustomShellListView::Edit(const LVITEMA& item) {
  TkShellFolder* folder = FolderAt(item.iItem);
  if (folder && item.pszText && folder->DisplayName(FShowExt) != item.pszText) {
    folder->Rename(item.pszText);
    SendMessageA(GetHandle(), LVM_REDRAWITEMS, item.iItem, item.iItem);
  }
  TkCustomListView::Edit(item);
}

void TkCustomShellListView::BeforeVerb(const std::string& verb, bool& handled) {
  if (verb == "rename" && GetItemIndex() >= 0) {
    SendMessageA(GetHandle(), LVM_EDITLABEL, GetItemIndex(), 0);
    handled = true;
  } else if (verb == "open" && SelectedFolder()) {
    FSavedDirectory = EnterItemDirectory(SelectedFolder());
  }
}

void TkCustomShellListView::AfterVerb(const std::string& verb, bool succeeded) {
  if (!succeeded) return;
  if (verb == "delete" || verb == "paste") Refresh();
  if (verb == "open") SetCurrentDirectoryA(FSavedDirectory.c_str());
}

// --- window ---

void TkCustomShellListView::WndProc(fw::TMessage& m) {
  switch (m.Msg) {
    case WM_INITMENUPOPUP:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_MENUCHAR:
      if (PassToOpenContextMenu(m)) return;
      break;
    default:
      break;
  }
  TkCustomListView::WndProc(m);
}

void TkCustomShellListView::Loaded() {
  TkCustomListView::Loaded();
  SetAutoRefresh(FAutoRefresh);
}

void TkCustomShellListView::CreateWnd() {
  TkCustomListView::CreateWnd();
  SendMessageA(GetHandle(), LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(FSmallImages));
  SendMessageA(GetHandle(), LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(FLargeImages));
  FCurrentFolder = CreateRootFolder(FCurrentFolder, FRoot);
  FRootChanged = true;
  PopulateAndSync();
}

void TkCustomShellListView::DestroyWnd() {
  ClearRows();
  TkCustomListView::DestroyWnd();
}

}  // namespace skin
