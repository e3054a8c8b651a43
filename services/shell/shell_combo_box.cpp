#include "services/shell/shell_combo_box.h"

#include <commctrl.h>

#include "framework/graphics/canvas.h"
#include "framework/rtl/wide_path.h"
#include "services/shell/shell32_functions.h"
#include "services/shell/shell_comparers.h"
#include "services/shell/shell_controller.h"
#include "services/shell/shell_item.h"
#include "services/shell/shell_list_view.h"
#include "services/shell/shell_view_support.h"

namespace svc {

namespace {

constexpr int kDrivesCsidl = 17;
constexpr int kNetworkCsidl = 18;

TPidl SpecialPidl(int csidl) {
  TPidl pidl;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, pidl.Put()))) pidl.Reset();
  return pidl;
}

// The number of IDs in the list.
int IdCount(LPCITEMIDLIST pidl) {
  int count = 0;
  for (LPCITEMIDLIST id = pidl; id && id->mkid.cb != 0; id = Shell32().ILGetNext(id)) ++count;
  return count;
}

}  // namespace

TSvCustomShellComboBox::TSvCustomShellComboBox(fw::TComponent* owner) : fw::TCustomComboBox(owner) {
  if (!Shell32FunctionsLoaded()) LoadShell32Functions();
  SetStyle(fw::csOwnerDrawVariable);
  FFolderList = fw::New<TSvShellFolderList>();
}

void TSvCustomShellComboBox::AfterConstruction() {
  fw::TCustomComboBox::AfterConstruction();
  FNotifier = fw::New<TSvShellNotification>(this);
  // Wine tells a watch without subfolders only of the watched folder itself: the desktop's
  // whole tree is watched for drives instead.
  FNotifier->SetWatchSubFolders(true);
  FNotifier->SetNotifyEvents(TSvNotifyEventsSet{neDriveAdd, neDriveRemove, neShellDriveAdd});
  FNotifier->SetSpecialWatchFolder(sfDesktop);
  FNotifier->OnShellChangeNotify = [this](fw::TObject*, TSvShellItem*, TSvShellItem*, TSvNotifyEventsSet) {
    DrivesChanged();
  };
  FNotifier->SetActive(true);
}

TSvCustomShellComboBox::~TSvCustomShellComboBox() {
  if (FNotifier) FNotifier->SetActive(false);
  DestroyHandle();
  fw::Free(FFolderList);
  fw::Free(FSelectedFolder);
  if (FController && FController->ComboBox == this) FController->ComboBox = nullptr;
  ReleaseController(FController);
}

void TSvCustomShellComboBox::SetUpController() {
  if (!FController) FController = UseController(FListView ? FListView->GetController() : nullptr);
}

void TSvCustomShellComboBox::CreateWnd() {
  fw::TCustomComboBox::CreateWnd();
  if (GetComponentState().Contains(fw::csLoading)) return;
  SetUpController();
  if (FFolderList->GetCount() == 0) {
    FillFolders();
  } else {
    for (int i = 0; i < FFolderList->GetCount(); ++i) GetItems()->Add(FFolderList->GetItem(i)->GetDisplayName());
  }
}

void TSvCustomShellComboBox::Loaded() {
  fw::TCustomComboBox::Loaded();
  if (GetComponentState().Contains(fw::csLoading)) return;
  SetUpController();
  if (HandleAllocated() && FFolderList->GetCount() == 0) FillFolders();
}

void TSvCustomShellComboBox::Notification(fw::TComponent* component, fw::TOperation operation) {
  fw::TCustomComboBox::Notification(component, operation);
  if (operation != fw::opRemove) return;
  if (component == FListView) FListView = nullptr;
}

void TSvCustomShellComboBox::SetListView(TSvCustomShellListView* value) {
  LinkToListView(this, FListView, value, FController);
}

void TSvCustomShellComboBox::Dispatch(fw::TMessage& msg) {
  if (msg.Msg == kFillFoldersMessage) {
    FillFolders();
    return;
  }
  if (msg.Msg == fw::CN_KEYDOWN && msg.WParam == VK_RETURN) ChooseEntry();
  fw::TCustomComboBox::Dispatch(msg);
}

// --- filling ---

void TSvCustomShellComboBox::AddFolder(TSvShellFolder* folder) {
  folder->IndentLevel = -1;
  folder->SetOwnerList(FFolderList);
  FFolderList->Add(folder);
}

void TSvCustomShellComboBox::FillFolders() {
  if (!FController) return;
  int height = FController->GetSmallImages()->GetHeight();
  HDC screen = GetDC(nullptr);
  HGDIOBJ old = SelectObject(screen, GetFont()->GetHandle());
  SIZE text{};
  GetTextExtentPoint32A(screen, "Aj", 2, &text);
  SelectObject(screen, old);
  ReleaseDC(nullptr, screen);
  SetItemHeight(std::max(height, static_cast<int>(text.cy)));

  FFolderList->Clear();
  FController->ComboBox = this;
  TPidl desktop = SpecialPidl(0);
  fw::Owned<TSvShellItem> top(TSvShellItem::CreateFromPidl(desktop.Get(), FController));
  auto* first = fw::New<TSvShellFolder>(FController);
  first->Assign(top.get());
  AddFolder(first);
  first->IndentLevel = 0;
  FController->EnumerateFolder(desktop.Get(), ekCombo);
  for (int i = 0; i < FFolderList->GetCount(); ++i)
    if (FFolderList->GetItem(i)->IndentLevel == -1) FFolderList->GetItem(i)->IndentLevel = 1;
  TPidl drives = SpecialPidl(kDrivesCsidl);
  FController->EnumerateFolder(drives.Get(), ekCombo);
  for (int i = 0; i < FFolderList->GetCount(); ++i)
    if (FFolderList->GetItem(i)->IndentLevel == -1) FFolderList->GetItem(i)->IndentLevel = 2;

  if (FListView && FListView->GetOpenDialogMode()) {
    TPidl network = SpecialPidl(kNetworkCsidl);
    for (int i = FFolderList->GetCount() - 1; i >= 0; --i) {
      TSvShellFolder* entry = FFolderList->GetItem(i);
      if (entry->GetIsFileSystem()) continue;
      bool special = SamePidl(entry->GetPidl(), drives.Get()) || SamePidl(entry->GetPidl(), network.Get());
      if (entry->IndentLevel == 2 || !special) FFolderList->Delete(i);
    }
  }
  FFolderList->Sort(ComboCompareIds);
  for (int i = 0; i < FFolderList->GetCount(); ++i)
    if (SamePidl(FFolderList->GetItem(i)->GetPidl(), desktop.Get())) {
      FFolderList->Move(i, 0);
      break;
    }
  GetItems()->Clear();
  if (HandleAllocated())
    for (int i = 0; i < FFolderList->GetCount(); ++i) GetItems()->Add(FFolderList->GetItem(i)->GetDisplayName());
  if (!FListView && FFolderList->GetCount() > 0) {
    SetItemIndex(0);
    FSelectedIndex = 0;
    KeepSelection(FFolderList->GetItem(0));
  }
}

// --- showing folders ---

void TSvCustomShellComboBox::InsertEntry(int position, TSvShellFolder* folder) {
  FFolderList->Insert(position, folder);
  GetItems()->Insert(position, folder->GetDisplayName());
}

void TSvCustomShellComboBox::RemoveEntry(int index) {
  FFolderList->Delete(index);
  if (index < GetItems()->GetCount()) GetItems()->Delete(index);
}

void TSvCustomShellComboBox::ShowFolder(TSvShellItem* folder) {
  if (!folder || !FController) return;
  for (int i = FFolderList->GetCount() - 1; i >= 0; --i) {
    TSvShellFolder* entry = FFolderList->GetItem(i);
    if (entry->GetPath() == folder->GetPath() && !entry->Inserted) {
      SelectFolder(folder);
      return;
    }
    if (entry->Inserted) RemoveEntry(i);
  }
  IShellFolder* desktop = FController->GetDesktopFolder();
  auto levelName = [&](LPCITEMIDLIST pidl) {
    TComRef<IShellFolder> parent = FController->GetParentFolder(pidl);
    std::string name = parent ? FController->GetDisplayName(parent.Get(), Shell32().ILFindLastID(pidl), SHGDN_NORMAL)
                              : FController->GetDisplayName(desktop, pidl, SHGDN_NORMAL);
    if (name.empty()) name = FController->GetDisplayName(desktop, pidl, SHGDN_NORMAL);
    return name;
  };
  // The nearest ancestor with an entry of its name.
  TPidl ancestor(Shell32().ILClone(folder->GetPidl()));
  int position = -1;
  std::string ancestorName;
  while (position < 0 && ancestor && Shell32().ILRemoveLastID(ancestor.Get())) {
    ancestorName = levelName(ancestor.Get());
    for (int i = 0; i < GetItems()->GetCount() && position < 0; ++i)
      if (GetItems()->GetStrings(i) == ancestorName) position = i + 1;
  }
  if (position < 0 || ancestorName == FFolderList->GetItem(0)->GetDisplayName()) return;
  TPidl level(Shell32().ILClone(folder->GetPidl()));
  while (level && level.Get()->mkid.cb != 0) {
    std::string name = levelName(level.Get());
    if (name.empty() || name == ancestorName) break;
    fw::Owned<TSvShellItem> item(TSvShellItem::CreateFromPidl(level.Get(), FController));
    auto* entry = fw::New<TSvShellFolder>(FController);
    entry->Assign(item.get());
    entry->Inserted = true;
    entry->IndentLevel = IdCount(level.Get());
    entry->SetOwnerList(FFolderList);
    InsertEntry(position, entry);
    if (!Shell32().ILRemoveLastID(level.Get())) break;
  }
  SelectFolder(folder);
  Invalidate();
}

void TSvCustomShellComboBox::SelectFolder(TSvShellItem* folder) {
  if (!folder) return;
  for (int i = 0; i < FFolderList->GetCount(); ++i)
    if (FFolderList->GetItem(i)->GetPath() == folder->GetPath()) {
      SetItemIndex(i);
      FSelectedIndex = i;
      return;
    }
}

void TSvCustomShellComboBox::KeepSelection(const TSvShellItem* folder) {
  auto* copy = fw::New<TSvShellFolder>(FController);
  copy->Assign(folder);
  fw::Free(FSelectedFolder);
  FSelectedFolder = copy;
}

void TSvCustomShellComboBox::SetSelection(TSvShellItem* folder, bool byText) {
  if (!folder) return;
  if (byText) {
    int index = GetItems()->IndexOf(folder->GetDisplayName());
    if (index >= 0) SetItemIndex(index);
    KeepSelection(folder);
    return;
  }
  DoFolderChanging(FSelectedFolder);
  KeepSelection(folder);
  ShowFolder(folder);
  FSelectedIndex = GetItemIndex();
}

// --- choosing ---

void TSvCustomShellComboBox::ChooseEntry() {
  TSvShellFolder* entry = FFolderList->GetItem(GetItemIndex());
  if (!entry) return;
  DoFolderChanging(FSelectedFolder);
  fw::Owned<TSvShellFolder> chosen(fw::New<TSvShellFolder>(FController));
  chosen->Assign(entry);
  if (FListView) FListView->SetFolderFromCombo(chosen.get());
  ShowFolder(chosen.get());
  DoFolderSelected(chosen.get());
  KeepSelection(chosen.get());
}

void TSvCustomShellComboBox::Click() {
  fw::TCustomComboBox::Click();
  if (!GetDroppedDown()) ChooseEntry();
}

void TSvCustomShellComboBox::DoFolderSelected(TSvShellFolder* folder) {
  if (OnFolderSelected) OnFolderSelected(this, folder);
}

void TSvCustomShellComboBox::DoFolderChanging(TSvShellFolder* folder) {
  if (OnFolderChanging) OnFolderChanging(this, folder);
}

void TSvCustomShellComboBox::DrivesChanged() {
  int index = GetItemIndex();
  std::string text = index >= 0 && index < GetItems()->GetCount() ? GetItems()->GetStrings(index) : "";
  FillFolders();
  if (FListView && FListView->GetFolder()) ShowFolder(FListView->GetFolder());
  int again = text.empty() ? -1 : GetItems()->IndexOf(text);
  SetItemIndex(again >= 0 ? again : index);
  Change();
}

// --- drawing ---

void TSvCustomShellComboBox::DrawItem(int index, const fw::TRect& rect, fw::TOwnerDrawState state) {
  TSvShellFolder* entry = FFolderList->GetItem(index);
  fw::TCanvas* canvas = GetCanvas();
  HDC dc = canvas->GetHandle();
  RECT r{rect.Left, rect.Top, rect.Right, rect.Bottom};
  FillRect(dc, &r, GetSysColorBrush(COLOR_WINDOW));
  if (!entry || !FController) return;
  bool selected = state.Contains(fw::odSelected);
  int left = r.left + 5 + (state.Contains(fw::odComboBoxEdit) ? 0 : 12 * std::max(entry->IndentLevel, 0));
  fw::TImageList* images = FController->GetSmallImages();
  int top = r.top + (r.bottom - r.top - 16) / 2;
  UINT style = ILD_TRANSPARENT;
  if (entry->IsShared() && entry->GetOverlayIndex() >= 0) style |= INDEXTOOVERLAYMASK(entry->GetOverlayIndex() + 1);
  ImageList_Draw(images->GetHandle(), entry->GetImageIndex(), dc, left, top, style);
  std::wstring name = fw::Utf8ToWide(entry->GetDisplayName());
  SIZE extent{};
  GetTextExtentPoint32W(dc, name.c_str(), static_cast<int>(name.size()), &extent);
  RECT box{left + images->GetWidth() + 3, r.top, left + images->GetWidth() + 3 + extent.cx + 4, r.bottom};
  FillRect(dc, &box, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  RECT textRect{box.left + 2, box.top, box.right, box.bottom};
  DrawTextW(dc, name.c_str(), static_cast<int>(name.size()), &textRect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  if (selected) DrawFocusRect(dc, &box);
}

}  // namespace svc
