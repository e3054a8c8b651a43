// The shell list view on a shown form over sandbox folders: the rows and their details, the
// sort orders and column clicks, the column sets (the shell-details routine with a small fake),
// navigation, the file filter, in-place rename, announced changes and the context menu.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/win.h"

#include <commctrl.h>
#include <shlobj.h>

#include "framework/classes/registry.h"
#include "framework/forms/custom_form.h"
#include "framework/menus/menu_item.h"
#include "framework/menus/popup_menu.h"
#include "framework/rtl/file_utils.h"
#include "framework/rtl/seams.h"
#include "services/shell/com_object.h"
#include "services/shell/shell_comparers.h"
#include "services/shell/shell_component.h"
#include "services/shell/shell_controller.h"
#include "services/shell/shell_data_object.h"
#include "services/shell/shell_drag_loop.h"
#include "services/shell/shell_services.h"
#include "services/shell/shell_item.h"
#include "services/shell/shell_list_view.h"
#include "services/shell/sv_exception.h"
#include "support/counting_data_object.h"
#include "support/gui_test_support.h"
#include "support/message_pump.h"
#include "support/sandbox.h"

__CRT_UUID_DECL(IShellDetails, 0x000214EC, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46)

using namespace svc;
using testing_shell::TCountingData;
namespace sandbox = testing_sandbox;
using testing_pump::Pump;
using testing_pump::PumpUntil;

namespace {

void SetWriteTime(const std::string& path, int year, int month, int day, int hour, int minute) {
  SYSTEMTIME local{};
  local.wYear = static_cast<WORD>(year);
  local.wMonth = static_cast<WORD>(month);
  local.wDay = static_cast<WORD>(day);
  local.wHour = static_cast<WORD>(hour);
  local.wMinute = static_cast<WORD>(minute);
  FILETIME localTime, utc;
  SystemTimeToFileTime(&local, &localTime);
  LocalFileTimeToFileTime(&localTime, &utc);
  HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                            FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
  SetFileTime(file, nullptr, nullptr, &utc);
  CloseHandle(file);
}

// A file of the given length whose content is never written (sparse on the host).
void MakeLongFile(const std::string& path, int64_t length) {
  ASSERT_EQ(path.rfind("C:\\sandbox\\", 0), 0u);
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD unused = 0;
  DeviceIoControl(file, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &unused, nullptr);
  LARGE_INTEGER end;
  end.QuadPart = length;
  SetFilePointerEx(file, end, nullptr, FILE_BEGIN);
  SetEndOfFile(file);
  CloseHandle(file);
}

std::string Locale(const SYSTEMTIME& time, bool withTime) {
  char date[128] = {}, clock[128] = {};
  GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, date, sizeof date);
  if (!withTime) return date;
  GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &time, nullptr, clock, sizeof clock);
  return std::string(date) + " " + clock;
}

void Announce(LONG event, const std::string& path, const std::string& second = "") {
  SHChangeNotify(event, SHCNF_PATHA | SHCNF_FLUSH, path.c_str(), second.empty() ? nullptr : second.c_str());
}

bool SamePidl(LPCITEMIDLIST a, LPCITEMIDLIST b) { return a && b && ILIsEqual(a, b); }

std::string PathOfPidl(LPCITEMIDLIST pidl) {
  char path[MAX_PATH] = {};
  return SHGetPathFromIDListA(pidl, path) ? path : "";
}

// The paths of the items a data object's "Shell IDList Array" holds (the first limit of them),
// and their count.
std::vector<std::string> DraggedPaths(IDataObject* data, UINT limit = ~0u, UINT* count = nullptr) {
  std::vector<std::string> paths;
  FORMATETC format{static_cast<CLIPFORMAT>(ShellIdListFormat()), nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  STGMEDIUM medium{};
  if (FAILED(data->GetData(&format, &medium))) return paths;
  auto* cida = static_cast<CIDA*>(GlobalLock(medium.hGlobal));
  auto at = [&](UINT i) { return reinterpret_cast<LPCITEMIDLIST>(reinterpret_cast<BYTE*>(cida) + cida->aoffset[i]); };
  if (count) *count = cida->cidl;
  for (UINT i = 1; i <= cida->cidl && i <= limit; ++i) {
    LPITEMIDLIST whole = ILCombine(at(0), at(i));
    paths.push_back(PathOfPidl(whole));
    ILFree(whole);
  }
  GlobalUnlock(medium.hGlobal);
  ReleaseStgMedium(&medium);
  return paths;
}

class ShellListView : public testing_gui::GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    dir = sandbox::TestFolder();
    form = fw::New<fw::TForm>(nullptr);
    form->SetBounds(0, 0, 820, 620);
    list = MakeList();
    form->Show();
    Pump(20);
  }
  void TearDown() override {
    fw::Free(form);
    GuiTest::TearDown();
  }
  TSvShellListView* MakeList() {
    auto* view = fw::New<TSvShellListView>(form);
    view->SetParent(form);
    view->SetBounds(0, 0, 800, 580);
    return view;
  }
  // Lists dir in the report style.
  void ListReport(const std::string& path) {
    list->SetViewStyle(fw::vsReport);
    list->SetRootFolder(path);
  }
  std::vector<std::string> Captions() const {
    std::vector<std::string> captions;
    for (int i = 0; i < list->GetItems()->GetCount(); ++i) captions.push_back(list->GetItems()->GetItem(i)->GetCaption());
    return captions;
  }
  int Row(const std::string& caption) const {
    for (int i = 0; i < list->GetItems()->GetCount(); ++i)
      if (list->ItemOfRow(i)->GetDisplayName() == caption) return i;
    return -1;
  }
  // Column c (1..4) of the row with caption.
  std::string Text(const std::string& caption, int column) const {
    int row = Row(caption);
    if (row < 0) return "(no row " + caption + ")";
    fw::TStrings* texts = list->GetItems()->GetItem(row)->GetSubItems();
    return column - 1 < texts->GetCount() ? texts->GetStrings(column - 1) : "(no text)";
  }
  void ClickColumn(int column) {
    NMLISTVIEW nm{};
    nm.hdr.hwndFrom = list->GetHandle();
    nm.hdr.code = LVN_COLUMNCLICK;
    nm.iItem = -1;
    nm.iSubItem = column;
    list->Perform(fw::CN_NOTIFY, 0, reinterpret_cast<LPARAM>(&nm));
  }
  void Notify(UINT code) {
    NMITEMACTIVATE nm{};
    nm.hdr.hwndFrom = list->GetHandle();
    nm.hdr.code = code;
    nm.iItem = list->GetItemIndex();
    list->Perform(fw::CN_NOTIFY, 0, reinterpret_cast<LPARAM>(&nm));
  }
  void Select(const std::vector<std::string>& captions) {
    list->ClearSelection();
    for (const std::string& caption : captions) {
      int row = Row(caption);
      ASSERT_GE(row, 0) << caption;
      list->GetItems()->GetItem(row)->SetSelected(true);
    }
  }
  // Edits the caption of the row in place and ends the edit with Enter (or Escape).
  void EditRow(const std::string& caption, const std::string& text, bool accept = true) {
    int row = Row(caption);
    ASSERT_GE(row, 0) << caption;
    HWND edit = list->GetItems()->GetItem(row)->EditCaption();
    ASSERT_NE(edit, nullptr);
    SetWindowTextA(edit, text.c_str());
    SendMessageA(edit, WM_KEYDOWN, accept ? VK_RETURN : VK_ESCAPE, 0);
    Pump(20);
  }
  // Starts a drag from the row as the control does; the drag loop seam receives it.
  void BeginDrag(const std::string& caption) {
    NMLISTVIEW nm{};
    nm.hdr.hwndFrom = list->GetHandle();
    nm.hdr.code = LVN_BEGINDRAG;
    nm.iItem = Row(caption);
    list->Perform(fw::CN_NOTIFY, 0, reinterpret_cast<LPARAM>(&nm));
  }
  // The screen point at the middle of the row.
  POINTL RowPoint(const std::string& caption) const {
    fw::TRect r = list->GetItems()->GetItem(Row(caption))->DisplayRect(fw::drLabel);
    POINT p{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    ClientToScreen(list->GetHandle(), &p);
    return POINTL{p.x, p.y};
  }
  // A data object over files of a sandbox folder.
  TComRef<IDataObject> FilesObject(const std::vector<std::string>& paths) {
    absolute.clear();
    relative.clear();
    for (const std::string& path : paths) {
      TPidl pidl;
      EXPECT_EQ(list->GetController()->PathToPidl(path, list->GetController()->GetDesktopFolder(), pidl), S_OK);
      absolute.push_back(std::move(pidl));
      relative.push_back(ILFindLastID(absolute.back().Get()));
    }
    return TComRef<IDataObject>(new TSvDataObject(relative.data(), static_cast<int>(relative.size()), absolute[0].Get()));
  }
  std::vector<std::string> SelectedNames() {
    std::vector<std::string> names;
    TSvShellItemList* items = list->GetSelectedItems();
    for (int i = 0; i < items->GetCount(); ++i) names.push_back(items->GetItem(i)->GetDisplayName());
    return names;
  }

  std::string dir;
  fw::TForm* form = nullptr;
  TSvShellListView* list = nullptr;
  std::vector<TPidl> absolute;
  std::vector<LPCITEMIDLIST> relative;
};

TEST_F(ShellListView, RowsShowTheDetailsOfTheirFiles) {
  sandbox::WriteFile(dir + "empty.bin", "");
  sandbox::WriteFile(dir + "one.bin", "x");
  sandbox::WriteFile(dir + "mid.bin", std::string(1536000, 'm'));
  MakeLongFile(dir + "huge.img", int64_t{5} << 30);
  sandbox::WriteFile(dir + "readme", "text");
  sandbox::WriteFile(dir + "notes.abc", "abc");
  sandbox::WriteFile(dir + "flags.dat", "f");
  sandbox::MakeFolders(dir + "sub");
  SetWriteTime(dir + "one.bin", 2021, 3, 4, 5, 6);
  SetWriteTime(dir + "empty.bin", 2021, 3, 5, 0, 0);
  SetFileAttributesA((dir + "flags.dat").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY);
  ASSERT_NE(list->GetSelectedItems(), nullptr);

  list->SetOptions(list->GetOptions() + loShowHidden);
  ListReport(dir);
  EXPECT_EQ(Text("empty.bin", 1), "0KB");
  EXPECT_EQ(Text("one.bin", 1), "1KB");
  EXPECT_EQ(Text("mid.bin", 1), "1,500KB");
  EXPECT_EQ(Text("huge.img", 1), "5,242,880KB");
  EXPECT_EQ(Text("readme", 2), "File");
  EXPECT_EQ(Text("notes.abc", 2), "ABC File");
  EXPECT_EQ(Text("sub", 1), "");
  EXPECT_EQ(Text("sub", 2), "File Folder");
  SYSTEMTIME stamp{2021, 3, 0, 4, 5, 6, 0, 0};
  EXPECT_EQ(Text("one.bin", 3), Locale(stamp, true));
  SYSTEMTIME midnight{2021, 3, 0, 5, 0, 0, 0, 0};
  EXPECT_EQ(Text("empty.bin", 3), Locale(midnight, false));
  std::string letters = AttributeLetters(GetFileAttributesA((dir + "flags.dat").c_str()));
  EXPECT_NE(letters.find('R'), std::string::npos);
  EXPECT_EQ(Text("flags.dat", 4), letters);
  EXPECT_EQ(list->GetSelectedItems()->GetCount(), 0);

  // Icons come from the system image lists, which outlive the list.
  SHFILEINFOA info{};
  auto system = reinterpret_cast<HIMAGELIST>(
      SHGetFileInfoA((dir + "mid.bin").c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
  for (const char* name : {"mid.bin", "readme", "sub", "notes.abc"}) {
    SHGetFileInfoA((dir + name).c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
    EXPECT_EQ(list->GetItems()->GetItem(Row(name))->GetImageIndex(), info.iIcon) << name;
  }
  EXPECT_EQ(list->GetSmallImages()->GetHandle(), system);
  EXPECT_EQ(reinterpret_cast<HIMAGELIST>(list->Perform(LVM_GETIMAGELIST, LVSIL_SMALL, 0)), system);
  int images = ImageList_GetImageCount(system);
  fw::FreeAndNil(list);
  EXPECT_EQ(ImageList_GetImageCount(system), images);
  EXPECT_GT(images, 0);
  SetFileAttributesA((dir + "flags.dat").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(ShellListView, RegisteredExtensionsShowTheirTypeNames) {
  fw::TRegistry registry;
  registry.SetRootKey(HKEY_CLASSES_ROOT);
  ASSERT_TRUE(registry.OpenKey(".vltst", true));
  registry.WriteString("", "VorletTest.Document");
  registry.CloseKey();
  ASSERT_TRUE(registry.OpenKey("VorletTest.Document", true));
  registry.WriteString("", "Vorlet test document");
  registry.CloseKey();
  sandbox::WriteFile(dir + "paper.vltst", "p");
  fw::Free(list);
  list = MakeList();
  ListReport(dir);
  EXPECT_EQ(Text("paper.vltst", 2), "Vorlet test document");
  registry.DeleteKey(".vltst");
  registry.DeleteKey("VorletTest.Document");
}

class ShellListSorting : public ShellListView {
 protected:
  void SetUp() override {
    ShellListView::SetUp();
    sandbox::MakeFolders(dir + "beta");
    sandbox::MakeFolders(dir + "alpha");
    sandbox::WriteFile(dir + "x.qqc", std::string(10, 'x'));
    sandbox::WriteFile(dir + "y.qqa", std::string(3000, 'y'));
    sandbox::WriteFile(dir + "z.qqb", std::string(10, 'z'));
    MakeLongFile(dir + "w.qqd", (int64_t{4} << 30) + 10);
    SetWriteTime(dir + "x.qqc", 2020, 1, 1, 12, 0);
    SetWriteTime(dir + "y.qqa", 2022, 1, 1, 12, 0);
    SetWriteTime(dir + "z.qqb", 2021, 1, 1, 12, 0);
    SetWriteTime(dir + "w.qqd", 2019, 1, 1, 12, 0);
    SetFileAttributesA((dir + "x.qqc").c_str(), FILE_ATTRIBUTE_READONLY);
  }
  void TearDown() override {
    SetFileAttributesA((dir + "x.qqc").c_str(), FILE_ATTRIBUTE_NORMAL);
    ShellListView::TearDown();
  }
  using TOrder = std::vector<std::string>;
};

TEST_F(ShellListSorting, EachColumnSortsItsOwnWay) {
  ListReport(dir);
  EXPECT_EQ(Captions(), (TOrder{"alpha", "beta", "w.qqd", "x.qqc", "y.qqa", "z.qqb"}));
  ClickColumn(1);
  EXPECT_EQ(Captions(), (TOrder{"alpha", "beta", "x.qqc", "z.qqb", "y.qqa", "w.qqd"}));
  ClickColumn(2);
  EXPECT_EQ(Captions(), (TOrder{"alpha", "beta", "y.qqa", "z.qqb", "x.qqc", "w.qqd"}));
  ClickColumn(3);
  EXPECT_EQ(Captions(), (TOrder{"alpha", "beta", "y.qqa", "z.qqb", "x.qqc", "w.qqd"}));
  ClickColumn(4);
  TOrder byAttributes = Captions();
  EXPECT_EQ(TOrder(byAttributes.begin(), byAttributes.begin() + 2), (TOrder{"alpha", "beta"}));
  EXPECT_EQ(byAttributes.back(), "x.qqc");
}

TEST_F(ShellListSorting, ClicksFlipTheOrderAndKeepTheSelection) {
  ListReport(dir);
  ClickColumn(1);
  TOrder bySize = Captions();
  ClickColumn(1);
  EXPECT_EQ(Captions(), TOrder(bySize.rbegin(), bySize.rend()));
  EXPECT_FALSE(GetSortAscending());
  ClickColumn(1);
  EXPECT_EQ(Captions(), bySize);

  ClickColumn(1);
  ClickColumn(3);  // another column starts ascending
  EXPECT_TRUE(GetSortAscending());
  EXPECT_EQ(Captions(), (TOrder{"alpha", "beta", "y.qqa", "z.qqb", "x.qqc", "w.qqd"}));

  Select({"z.qqb", "x.qqc"});
  list->GetItems()->GetItem(Row("x.qqc"))->SetFocused(true);
  ClickColumn(1);
  EXPECT_EQ(Captions(), bySize);
  std::vector<std::string> selected;
  for (int i = 0; i < list->GetItems()->GetCount(); ++i)
    if (list->GetItems()->GetItem(i)->GetSelected()) selected.push_back(list->GetItems()->GetItem(i)->GetCaption());
  EXPECT_EQ(selected, (TOrder{"x.qqc", "z.qqb"}));
  ASSERT_NE(list->GetItemFocused(), nullptr);
  EXPECT_EQ(list->GetItemFocused()->GetCaption(), "x.qqc");
}

TEST_F(ShellListSorting, TheReportStyleStartsByTheFirstColumn) {
  list->SetRootFolder(dir);
  EXPECT_EQ(list->GetColumns()->GetCount(), 0);
  SetSortAscending(false);
  // The view menu's "Details" entry; it checks itself alone.
  fw::TMenuItem* entries = list->GetViewMenu()->GetItems();
  ASSERT_EQ(entries->GetCount(), 4);
  EXPECT_EQ(entries->GetItems(3)->GetCaption(), "&Details");
  entries->GetItems(3)->Click();
  EXPECT_EQ(list->GetViewStyle(), fw::vsReport);
  EXPECT_TRUE(entries->GetItems(3)->GetChecked());
  EXPECT_FALSE(entries->GetItems(0)->GetChecked());
  EXPECT_EQ(list->GetColumns()->GetCount(), 5);
  EXPECT_EQ(GetSortColumn(), 0);
  EXPECT_TRUE(GetSortAscending());
  EXPECT_EQ(Captions(), (TOrder{"alpha", "beta", "w.qqd", "x.qqc", "y.qqa", "z.qqb"}));
  EXPECT_EQ(Text("y.qqa", 1), "2KB");
}

// An IShellDetails with three columns, whose captions come in the three STRRET kinds.
class TFakeDetails : public TSvComObject<IShellDetails> {
 public:
  HRESULT STDMETHODCALLTYPE GetDetailsOf(LPCITEMIDLIST pidl, UINT column, SHELLDETAILS* details) override {
    if (column > 3) return E_FAIL;
    details->fmt = LVCFMT_LEFT;
    details->cxChar = static_cast<int>(10 + column);
    if (!pidl) {
      switch (column) {
        case 0: return Wide(L"Title", details);
        case 1: details->str.uType = STRRET_CSTR; strcpy(details->str.cStr, "Size"); return S_OK;
        case 2: details->str.uType = STRRET_OFFSET; details->str.uOffset = 2; return S_OK;  // "Modified"
        default: return Wide(L"Type", details);
      }
    }
    if (column == 3) return E_FAIL;  // the Type column asks the list
    return Wide(column == 1 ? L"many bytes" : L"some day", details);
  }
  HRESULT STDMETHODCALLTYPE ColumnClick(UINT) override { return S_OK; }

 private:
  static HRESULT Wide(const wchar_t* text, SHELLDETAILS* details) {
    details->str.uType = STRRET_WSTR;
    size_t bytes = (wcslen(text) + 1) * sizeof(wchar_t);
    details->str.pOleStr = static_cast<LPWSTR>(CoTaskMemAlloc(bytes));
    memcpy(details->str.pOleStr, text, bytes);
    return S_OK;
  }
};

TEST_F(ShellListView, ColumnSetsFollowTheFolder) {
  ListReport(dir);
  std::vector<std::pair<std::string, int>> columns;
  for (int i = 0; i < list->GetColumns()->GetCount(); ++i)
    columns.emplace_back(list->GetColumn(i)->GetCaption(), list->GetColumn(i)->GetWidth());
  EXPECT_EQ(columns, (std::vector<std::pair<std::string, int>>{
                         {"Name", 175}, {"Size", 75}, {"Type", 125}, {"Modified", 125}, {"Attributes", 60}}));
  EXPECT_EQ(list->GetColumn(1)->GetAlignment(), fw::taRightJustify);

  list->SetSpecialRootFolder(sfBitBucket);
  std::vector<std::string> captions;
  for (int i = 0; i < list->GetColumns()->GetCount(); ++i) captions.push_back(list->GetColumn(i)->GetCaption());
  EXPECT_EQ(captions, (std::vector<std::string>{"Name", "Original Location", "Date Deleted", "Type", "Size"}));

  list->SetSpecialRootFolder(sfDrives);
  ASSERT_EQ(list->GetColumns()->GetCount(), 1);
  EXPECT_EQ(list->GetColumn(0)->GetCaption(), "Name");
  EXPECT_GE(Row("C:"), -1);
}

TEST_F(ShellListView, ShellDetailsGiveColumnsAndTexts) {
  sandbox::WriteFile(dir + "item.qqz", std::string(2048, 'i'));
  SetWriteTime(dir + "item.qqz", 2020, 6, 7, 8, 9);
  ListReport(dir);
  // A folder ID list whose first ID holds "Modified" after its size field.
  std::vector<BYTE> folderPidl(2 + 9 + 2, 0);
  folderPidl[0] = 2 + 9;
  memcpy(folderPidl.data() + 2, "Modified", 9);
  auto* fake = new TFakeDetails();
  list->GetColumns()->Clear();
  list->BuildShellDetailColumns(fake, reinterpret_cast<LPCITEMIDLIST>(folderPidl.data()));
  SIZE a{};
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, list->GetFont()->GetHandle());
  GetTextExtentPoint32A(dc, "a", 1, &a);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  ASSERT_EQ(list->GetColumns()->GetCount(), 4);
  EXPECT_EQ(list->GetColumn(0)->GetCaption(), "Title");
  EXPECT_EQ(list->GetColumn(1)->GetCaption(), "Size");
  EXPECT_EQ(list->GetColumn(2)->GetCaption(), "Modified");
  EXPECT_EQ(list->GetColumn(3)->GetCaption(), "Type");
  EXPECT_EQ(list->GetColumn(2)->GetWidth(), 12 * a.cx);

  TSvShellItem* item = list->ItemOfRow(Row("item.qqz"));
  ASSERT_NE(item, nullptr);
  TSvShellItem* fresh = item;
  list->FillShellDetails(fake, fresh);
  fw::TStringList* texts = fresh->GetColumnTexts();
  ASSERT_EQ(texts->GetCount(), 3);
  EXPECT_EQ(texts->GetStrings(0), "many bytes");
  EXPECT_EQ(texts->GetStrings(1), "some day");
  EXPECT_EQ(texts->GetStrings(2), "QQZ File");
  EXPECT_EQ(fresh->GetSize(), 2048);
  EXPECT_EQ(fresh->GetDate(), fw::EncodeDateTime(2020, 6, 7, 8, 9, 0, 0));
  fake->Release();
}

TEST_F(ShellListView, RootFolderAndClimbing) {
  list->SetRootFolder("C:");
  EXPECT_EQ(list->GetRootFolder(), "C:\\");
  ASSERT_NE(list->GetFolder(), nullptr);
  EXPECT_EQ(list->GetFolder()->GetPath(), "C:\\");
  EXPECT_GE(Row("sandbox"), 0);

  try {
    list->SetRootFolder("C:\\sandbox\\no such folder\\at all");
    FAIL() << "no error";
  } catch (const ESvInvalidFolder& e) {
    EXPECT_EQ(e.GetErrorCode(), 240u);
    EXPECT_EQ(std::string(e.what()), "Invalid folder");
  }
  EXPECT_EQ(list->GetRootFolder(), "");
  EXPECT_EQ(list->GetItems()->GetCount(), 0);

  // A shell older than 4.7 knows no History folder.
  svc::testing::SetShellVersion(4.0);
  try {
    list->SetSpecialRootFolder(sfHistory);
    FAIL() << "no error";
  } catch (const ESvShellError& e) {
    EXPECT_EQ(e.GetErrorCode(), 110u);
  }
  svc::testing::SetShellVersion(std::nullopt);

  sandbox::MakeFolders(dir + "inner");
  list->SetRootFolder(dir + "inner");
  list->MoveUpOneLevel();
  EXPECT_EQ(list->GetFolder()->GetPath() + "\\", dir);
  EXPECT_GE(Row("inner"), 0);
  for (int i = 0; i < 8; ++i) list->MoveUpOneLevel();
  EXPECT_TRUE(list->GetFolder()->GetIsDesktop());
  list->MoveUpOneLevel();
  EXPECT_TRUE(list->GetFolder()->GetIsDesktop());
}

TEST_F(ShellListView, DoubleClicksEnterFoldersOnly) {
  sandbox::MakeFolders(dir + "inner\\deeper");
  sandbox::WriteFile(dir + "inner\\doc.txt", "d");
  list->SetRootFolder(dir);
  Select({"inner"});
  Notify(NM_DBLCLK);
  EXPECT_EQ(list->GetFolder()->GetPath(), dir + "inner");
  EXPECT_EQ(Captions(), (std::vector<std::string>{"deeper", "doc.txt"}));

  list->SetOpenDialogMode(true);
  Select({"doc.txt"});
  Notify(NM_DBLCLK);
  EXPECT_EQ(list->GetFolder()->GetPath(), dir + "inner");
  list->SetOpenDialogMode(false);

  bool asked = false;
  list->OnItemDblClick = [&](fw::TObject*, TSvShellItem* item, bool& defaultAction) {
    asked = item->GetDisplayName() == "doc.txt";
    defaultAction = false;
  };
  Notify(NM_DBLCLK);
  EXPECT_TRUE(asked);
  EXPECT_EQ(Captions(), (std::vector<std::string>{"deeper", "doc.txt"}));
}

// Files open through the shell by path; folders asked to open in a new window, and anything that
// is neither, run through the shell by their ID list. The seam stands in for the shell.
TEST_F(ShellListView, DoubleClicksOpenFilesAndRunFoldersInNewWindows) {
  sandbox::MakeFolders(dir + "inner");
  sandbox::WriteFile(dir + "doc.txt", "d");
  std::vector<std::string> opened, run;
  svc::testing::SetShellRun([&](const std::string& path, LPCITEMIDLIST pidl) {
    if (pidl) run.push_back(PathOfPidl(pidl));
    else opened.push_back(path);
    return true;
  });
  list->SetRootFolder(dir);
  Select({"doc.txt"});
  Notify(NM_DBLCLK);
  EXPECT_EQ(opened, std::vector<std::string>{dir + "doc.txt"});
  EXPECT_TRUE(run.empty());

  list->SetOptions(list->GetOptions() + loOpenFoldersInNewWindow);
  Select({"inner"});
  Notify(NM_DBLCLK);
  EXPECT_EQ(run, std::vector<std::string>{dir + "inner"});
  EXPECT_EQ(list->GetFolder()->GetPath() + "\\", dir);
  EXPECT_EQ(opened.size(), 1u);
}

// With hot tracking one click does what a double click does; without it a click only selects.
TEST_F(ShellListView, HotTrackingOpensOnOneClick) {
  sandbox::MakeFolders(dir + "inner\\deeper");
  sandbox::WriteFile(dir + "doc.txt", "d");
  int runs = 0;
  svc::testing::SetShellRun([&](const std::string&, LPCITEMIDLIST) { return ++runs, true; });
  list->SetRootFolder(dir);
  Select({"inner"});
  Notify(NM_CLICK);
  EXPECT_EQ(list->GetFolder()->GetPath() + "\\", dir);

  list->SetHotTrack(true);
  EXPECT_TRUE(SendMessageA(list->GetHandle(), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_TRACKSELECT);
  bool asked = false;
  list->OnItemDblClick = [&](fw::TObject*, TSvShellItem*, bool&) { asked = true; };
  Select({"inner"});
  Notify(NM_CLICK);
  EXPECT_TRUE(asked);
  EXPECT_EQ(list->GetFolder()->GetPath(), dir + "inner");
  EXPECT_EQ(Captions(), std::vector<std::string>{"deeper"});

  list->OnItemDblClick = [&](fw::TObject*, TSvShellItem*, bool& defaultAction) { defaultAction = false; };
  Select({"deeper"});
  Notify(NM_CLICK);
  EXPECT_EQ(list->GetFolder()->GetPath(), dir + "inner");
  EXPECT_EQ(runs, 0);
}

TEST_F(ShellListView, RefreshKeepsTheSelectedRowAndFindSearchesForward) {
  for (const char* name : {"apple.txt", "banana.txt", "cherry.txt", "pineapple.txt"})
    sandbox::WriteFile(dir + name, name);
  list->SetRootFolder(dir);
  Select({"cherry.txt"});
  sandbox::WriteFile(dir + "aaa.txt", "first");
  list->Refresh();
  EXPECT_EQ(Row("aaa.txt"), 0);
  ASSERT_NE(list->GetSelected(), nullptr);
  EXPECT_EQ(list->GetSelected()->GetCaption(), "cherry.txt");
  EXPECT_EQ(SelectedNames(), (std::vector<std::string>{"cherry.txt"}));

  auto find = [&](UINT flags, const char* text, int start) {
    LVFINDINFOA info{};
    info.flags = flags;
    info.psz = text;
    return static_cast<int>(list->Perform(LVM_FINDITEMA, static_cast<WPARAM>(start), reinterpret_cast<LPARAM>(&info)));
  };
  EXPECT_EQ(find(LVFI_STRING, "banana.txt", -1), Row("banana.txt"));
  EXPECT_EQ(find(LVFI_PARTIAL | LVFI_STRING, "apple", -1), Row("apple.txt"));
  EXPECT_EQ(find(LVFI_PARTIAL | LVFI_STRING, "apple", Row("apple.txt") + 1), Row("pineapple.txt"));
  EXPECT_EQ(find(LVFI_STRING | LVFI_WRAP, "apple.txt", Row("pineapple.txt")), -1);
}

TEST_F(ShellListView, TheFileFilterKeepsMatchingFilesAndEveryFolder) {
  for (const char* name : {"a.txt", "B.TXT", "c.txt.bak", "d.doc"}) sandbox::WriteFile(dir + name, name);
  sandbox::MakeFolders(dir + "folder.bin");
  list->SetRootFolder(dir);
  list->SetFileFilter("\\.txt$");
  EXPECT_EQ(list->GetItems()->GetCount(), 5);
  list->SetFiltered(true);
  EXPECT_EQ(Captions(), (std::vector<std::string>{"folder.bin", "a.txt", "B.TXT"}));
  list->SetFiltered(false);
  EXPECT_EQ(list->GetItems()->GetCount(), 3);
  list->Refresh();
  EXPECT_EQ(list->GetItems()->GetCount(), 5);

  list->SetFiltered(true);
  try {
    list->SetFileFilter("[ab");
    FAIL() << "no error";
  } catch (const ESvRegExError& e) {
    EXPECT_EQ(e.GetErrorCode(), 291u);
  }
  EXPECT_EQ(list->GetItems()->GetCount(), 5);
  EXPECT_EQ(Row("d.doc") >= 0, true);
}

TEST_F(ShellListView, InPlaceRenameGoesThroughTheShell) {
  sandbox::WriteFile(dir + "old.txt", "o");
  sandbox::WriteFile(dir + "taken.txt", "t");
  list->SetRootFolder(dir);
  EditRow("old.txt", "new.txt");
  EXPECT_TRUE(sandbox::Exists(dir + "new.txt"));
  EXPECT_FALSE(sandbox::Exists(dir + "old.txt"));
  ASSERT_GE(Row("new.txt"), 0);
  TSvShellItem* item = list->ItemOfRow(Row("new.txt"));
  EXPECT_EQ(item->GetPath(), dir + "new.txt");
  EXPECT_EQ(item->GetDisplayName(), "new.txt");
  EXPECT_EQ(PathOfPidl(item->GetPidl()), dir + "new.txt");

  EditRow("new.txt", "new.txt");
  EditRow("new.txt", "");
  EXPECT_TRUE(sandbox::Exists(dir + "new.txt"));
  EXPECT_EQ(Row("new.txt"), item == list->ItemOfRow(Row("new.txt")) ? Row("new.txt") : -2);

  EditRow("new.txt", "taken.txt");
  EXPECT_TRUE(sandbox::Exists(dir + "new.txt"));
  EXPECT_EQ(sandbox::ReadFile(dir + "taken.txt"), "t");
  EXPECT_GE(Row("new.txt"), 0);
  EXPECT_EQ(item->GetPath(), dir + "new.txt");

  // A drag carries the new name.
  std::vector<std::string> dragged;
  svc::testing::SetDragLoop([&](IDataObject* data, IDropSource*, DWORD, DWORD* effect) {
    dragged = DraggedPaths(data);
    *effect = DROPEFFECT_NONE;
    return DRAGDROP_S_CANCEL;
  });
  Select({"new.txt"});
  BeginDrag("new.txt");
  EXPECT_EQ(dragged, (std::vector<std::string>{dir + "new.txt"}));
}

TEST_F(ShellListView, AnnouncedChangesReachTheRows) {
  for (const char* name : {"keep.txt", "gone.txt", "before.txt"}) sandbox::WriteFile(dir + name, name);
  sandbox::MakeFolders(dir + "sub");
  ListReport(dir);
  EXPECT_TRUE(list->GetNotification()->GetRegistered());
  int heard = 0;
  list->OnShellChangeNotify = [&](fw::TObject*, TSvShellItem*, TSvShellItem*, TSvNotifyEventsSet) { ++heard; };
  sandbox::WriteFile(dir + "fresh.txt", "f");
  Announce(SHCNE_CREATE, dir + "fresh.txt");
  EXPECT_TRUE(PumpUntil([&] { return Row("fresh.txt") >= 0; }));
  EXPECT_EQ(heard, 1);
  sandbox::RemoveTree(dir + "gone.txt");
  Announce(SHCNE_DELETE, dir + "gone.txt");
  EXPECT_TRUE(PumpUntil([&] { return Row("gone.txt") < 0; }));
  ASSERT_TRUE(MoveFileA((dir + "before.txt").c_str(), (dir + "after.txt").c_str()));
  Announce(SHCNE_RENAMEITEM, dir + "before.txt", dir + "after.txt");
  EXPECT_TRUE(PumpUntil([&] { return Row("after.txt") >= 0 && Row("before.txt") < 0; }));

  Select({"keep.txt"});
  EXPECT_EQ(Text("keep.txt", 4).find('R'), std::string::npos);
  SetFileAttributesA((dir + "keep.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  Announce(SHCNE_ATTRIBUTES, dir + "keep.txt");
  EXPECT_TRUE(PumpUntil([&] { return Text("keep.txt", 4).find('R') != std::string::npos; }));
  ASSERT_NE(list->GetSelected(), nullptr);
  EXPECT_EQ(list->GetSelected()->GetCaption(), "keep.txt");
  SetFileAttributesA((dir + "keep.txt").c_str(), FILE_ATTRIBUTE_NORMAL);

  // What happens deeper down is no change of the listed folder.
  int before = heard;
  sandbox::WriteFile(dir + "sub\\deep.txt", "d");
  Announce(SHCNE_CREATE, dir + "sub\\deep.txt");
  Pump(300);
  EXPECT_EQ(heard, before);

  // Nothing changes under an open caption editor.
  HWND edit = list->GetItems()->GetItem(Row("keep.txt"))->EditCaption();
  ASSERT_NE(edit, nullptr);
  sandbox::WriteFile(dir + "later.txt", "l");
  Announce(SHCNE_CREATE, dir + "later.txt");
  Pump(300);
  EXPECT_LT(Row("later.txt"), 0);
  SendMessageA(edit, WM_KEYDOWN, VK_ESCAPE, 0);
}

TEST_F(ShellListView, TheContextMenuShowsTheSelectedItems) {
  for (const char* name : {"a.txt", "b.txt", "c.txt"}) sandbox::WriteFile(dir + name, name);
  list->SetRootFolder(dir);
  std::vector<svc::testing::TSvContextMenuCall> calls;
  int answer = -1;
  int entries = 0;
  svc::testing::SetContextMenuChooser([&](const svc::testing::TSvContextMenuCall& call) {
    calls.push_back(call);
    entries = GetMenuItemCount(call.Menu);
    return answer;
  });
  auto item = [&](const char* name) { return list->ItemOfRow(Row(name)); };
  Select({"b.txt"});
  list->Perform(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list->GetHandle()), MAKELPARAM(100, 120));
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].Point.x, 100);
  EXPECT_EQ(calls[0].Point.y, 120);
  EXPECT_EQ(calls[0].Folder, item("b.txt")->GetParentFolder());
  ASSERT_EQ(calls[0].Items.size(), 1u);
  EXPECT_TRUE(SamePidl(calls[0].Items[0], item("b.txt")->GetRelativePidl()));
  EXPECT_GT(entries, 0);
  EXPECT_FALSE(list->IsEditing());

  Select({"a.txt", "c.txt", "b.txt"});
  answer = 19;
  list->Perform(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list->GetHandle()), MAKELPARAM(5, 6));
  ASSERT_EQ(calls.size(), 2u);
  ASSERT_EQ(calls[1].Items.size(), 3u);
  EXPECT_TRUE(SamePidl(calls[1].Items[0], item("b.txt")->GetRelativePidl()));
  EXPECT_TRUE(SamePidl(calls[1].Items[1], item("a.txt")->GetRelativePidl()));
  EXPECT_TRUE(SamePidl(calls[1].Items[2], item("c.txt")->GetRelativePidl()));
  EXPECT_TRUE(list->IsEditing());
  SendMessageA(reinterpret_cast<HWND>(list->Perform(LVM_GETEDITCONTROL, 0, 0)), WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_TRUE(sandbox::Exists(dir + "b.txt"));
}

TEST_F(ShellListView, ADragCarriesTheSelectionSelectedItemFirst) {
  sandbox::WriteFile(dir + "a.txt", "a");
  sandbox::WriteFile(dir + "b.txt", "b");
  sandbox::MakeFolders(dir + "c");
  list->SetRootFolder(dir);
  std::vector<std::string> dragged;
  DWORD allowed = 0;
  bool sourceKnown = false;
  svc::testing::SetDragLoop([&](IDataObject* data, IDropSource* source, DWORD effects, DWORD* effect) {
    dragged = DraggedPaths(data);
    allowed = effects;
    sourceKnown = source && list->GetController()->DragSource == list;
    *effect = DROPEFFECT_NONE;
    return DRAGDROP_S_CANCEL;
  });
  Select({"a.txt", "c", "b.txt"});
  BeginDrag("b.txt");
  EXPECT_EQ(dragged, (std::vector<std::string>{dir + "b.txt", dir + "c", dir + "a.txt"}));
  EXPECT_EQ(allowed & (DROPEFFECT_COPY | DROPEFFECT_MOVE), DROPEFFECT_COPY | DROPEFFECT_MOVE);
  EXPECT_TRUE(sourceKnown);
  EXPECT_EQ(list->GetController()->DragSource, nullptr);

  list->SetOptions(list->GetOptions() - loAllowDrag);
  dragged.clear();
  BeginDrag("b.txt");
  EXPECT_TRUE(dragged.empty());
}

TEST_F(ShellListView, TheDragPictureCountsFilesAndFolders) {
  sandbox::WriteFile(dir + "a.txt", "a");
  sandbox::MakeFolders(dir + "c");
  sandbox::MakeFolders(dir + "d");
  list->SetRootFolder(dir);
  auto item = [&](const char* name) -> const TSvShellItem* { return list->ItemOfRow(Row(name)); };
  EXPECT_EQ(DragImageText({item("c"), item("d")}), "2 folders");
  EXPECT_EQ(DragImageText({item("a.txt"), item("c")}), "1 file, 1 folder");
  std::vector<fw::Owned<TSvShellItem>> virtuals;
  std::vector<const TSvShellItem*> items;
  for (int csidl : {CSIDL_DRIVES, CSIDL_BITBUCKET, CSIDL_CONTROLS}) {
    TPidl pidl;
    ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, csidl, pidl.Put()), S_OK);
    virtuals.emplace_back(TSvShellItem::CreateFromPidl(pidl.Get(), list->GetController()));
    items.push_back(virtuals.back().get());
  }
  EXPECT_EQ(DragImageText(items), "3 objects");
}

TEST_F(ShellListView, TwentyThousandSelectedRowsDragWhole) {
  // Wine makes and removes files slowly: the folder of 20,000 empty files is made once and
  // kept (only read) by later runs; its last file is written last.
  const int kRows = 20000;
  const std::string rows = "C:\\sandbox\\shell_list_rows\\";
  if (!sandbox::Exists(rows + "f" + std::to_string(kRows - 1) + ".dat")) {
    sandbox::MakeFolders(rows);
    for (int i = 0; i < kRows; ++i) {
      std::string path = rows + "f" + std::to_string(i) + ".dat";
      HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
      ASSERT_NE(file, INVALID_HANDLE_VALUE);
      CloseHandle(file);
    }
  }
  list->SetRootFolder(rows);
  ASSERT_EQ(list->GetItems()->GetCount(), kRows);
  Select({"f7.dat"});
  list->SelectAll();
  std::vector<std::string> firstTwo;
  UINT count = 0;
  svc::testing::SetDragLoop([&](IDataObject* data, IDropSource*, DWORD, DWORD* effect) {
    firstTwo = DraggedPaths(data, 2, &count);
    *effect = DROPEFFECT_NONE;
    return DRAGDROP_S_CANCEL;
  });
  BeginDrag("f7.dat");
  EXPECT_EQ(count, static_cast<UINT>(kRows));
  EXPECT_EQ(firstTwo, (std::vector<std::string>{rows + "f7.dat", rows + "f0.dat"}));
}

TEST_F(ShellListView, DropsGoToTheFolderUnderTheCursor) {
  sandbox::MakeFolders(dir + "src");
  sandbox::WriteFile(dir + "src\\s1.txt", "one");
  sandbox::WriteFile(dir + "src\\s2.txt", "two");
  sandbox::MakeFolders(dir + "list\\box");
  sandbox::WriteFile(dir + "list\\f.txt", "f");
  ListReport(dir + "list");
  IDropTarget* target = list->GetDropTarget();
  ASSERT_NE(target, nullptr);
  TComRef<IDataObject> files = FilesObject({dir + "src\\s1.txt", dir + "src\\s2.txt"});
  TCountingData data(files.Get());

  DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
  EXPECT_EQ(target->Drop(&data, 0, RowPoint("box"), &effect), E_FAIL);
  EXPECT_EQ(target->DragEnter(&data, 0, RowPoint("box"), &effect), S_OK);
  EXPECT_GT(data.refs, 1);
  int before = data.calls;
  effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
  EXPECT_EQ(target->DragOver(0, RowPoint("box"), &effect), S_OK);
  EXPECT_NE(effect, static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_GT(data.calls, before);  // the folder's own target looked at the data
  EXPECT_TRUE(list->GetItems()->GetItem(Row("box"))->GetDropTarget());
  ASSERT_NE(list->GetDropItem(), nullptr);
  EXPECT_EQ(list->GetDropItem()->GetDisplayName(), "box");
  effect = DROPEFFECT_COPY;
  target->DragOver(0, RowPoint("f.txt"), &effect);
  EXPECT_FALSE(list->GetItems()->GetItem(Row("box"))->GetDropTarget());
  EXPECT_TRUE(list->GetItems()->GetItem(Row("f.txt"))->GetDropTarget());
  EXPECT_EQ(target->DragLeave(), S_OK);
  EXPECT_FALSE(list->GetItems()->GetItem(Row("f.txt"))->GetDropTarget());
  EXPECT_EQ(list->GetDropItem(), nullptr);
  EXPECT_EQ(data.refs, 1);

  // A drop hands the folder's target the object the drop was given; every reference comes back.
  effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
  target->DragEnter(&data, 0, RowPoint("box"), &effect);
  effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
  target->DragOver(0, RowPoint("box"), &effect);
  before = data.calls;
  effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
  EXPECT_EQ(target->Drop(&data, MK_CONTROL, RowPoint("box"), &effect), S_OK);
  EXPECT_GT(data.calls, before);
  EXPECT_TRUE(sandbox::Exists(dir + "src\\s1.txt"));
  EXPECT_FALSE(list->GetItems()->GetItem(Row("box"))->GetDropTarget());
  EXPECT_EQ(data.refs, 1);

  // Without a file list the effect is none.
  TCountingData noFiles(files.Get(), true);
  effect = DROPEFFECT_COPY;
  target->DragEnter(&noFiles, 0, RowPoint("box"), &effect);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
  effect = DROPEFFECT_COPY;
  target->DragOver(0, RowPoint("box"), &effect);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
  target->DragLeave();
  EXPECT_EQ(noFiles.refs, 1);
}

// Records the pauses instead of sleeping.
class TPauses : public fw::testing::TClock {
 public:
  void Sleep(DWORD milliseconds) override { taken.push_back(milliseconds); }
  std::vector<DWORD> taken;
};

// Held near an edge over a row, a drag brings the neighbouring row that way into view and pauses
// for the style's time; away from the edges nothing scrolls and nothing pauses.
TEST_F(ShellListView, DragsNearTheEdgesScrollAndPause) {
  sandbox::WriteFile(dir + "s.txt", "s");
  sandbox::MakeFolders(dir + "many");
  for (int i = 0; i < 80; ++i) sandbox::WriteFile(dir + "many\\f" + std::to_string(100 + i) + ".txt", "x");
  list->SetBounds(0, 0, 300, 200);
  ListReport(dir + "many");
  TPauses pauses;
  fw::testing::TClock* real = fw::testing::SetClock(&pauses);
  IDropTarget* target = list->GetDropTarget();
  TComRef<IDataObject> files = FilesObject({dir + "s.txt"});
  HWND window = list->GetHandle();
  RECT client;
  auto over = [&](POINT p) {
    ClientToScreen(window, &p);
    DWORD effect = DROPEFFECT_COPY;
    target->DragOver(0, POINTL{p.x, p.y}, &effect);
  };
  // A point over a row within depth pixels of the edge ('T', 'B', 'L' or 'R'), from the middle
  // of that edge on (not a row that is first of its column).
  auto edge = [&](char side, int depth) {
    GetClientRect(window, &client);
    int length = side == 'T' || side == 'B' ? client.right : client.bottom;
    for (int d = 1; d < depth; ++d)
      for (int a = length / 2; a < length; a += 3) {
        POINT p = side == 'T' ? POINT{a, d} : side == 'B' ? POINT{a, client.bottom - 1 - d}
                : side == 'L' ? POINT{d, a} : POINT{client.right - 1 - d, a};
        if (list->GetItemAt(p.x, p.y)) return p;
      }
    ADD_FAILURE() << "no row along " << side;
    return POINT{client.right / 2, client.bottom / 2};
  };
  auto middle = [&] {
    GetClientRect(window, &client);
    return POINT{40, client.bottom / 2};
  };
  DWORD effect = DROPEFFECT_COPY;
  target->DragEnter(files.Get(), 0, POINTL{0, 0}, &effect);

  // Report: rows above and below, 30 ms.
  int start = GetScrollPos(window, SB_VERT);
  over(middle());
  EXPECT_TRUE(pauses.taken.empty());
  over(edge('B', 30));
  int down = GetScrollPos(window, SB_VERT);
  EXPECT_GT(down, start);
  over(edge('B', 30));
  int further = GetScrollPos(window, SB_VERT);
  EXPECT_GT(further, down);
  over(edge('T', 30));
  EXPECT_LT(GetScrollPos(window, SB_VERT), further);
  EXPECT_EQ(pauses.taken, (std::vector<DWORD>{30, 30, 30}));

  // List: columns to the left (within 10 pixels) and right (within 30), 400 ms.
  pauses.taken.clear();
  list->SetViewStyle(fw::vsList);
  Pump(5);
  start = GetScrollPos(window, SB_HORZ);
  over(middle());
  EXPECT_TRUE(pauses.taken.empty());
  over(edge('R', 30));
  int right = GetScrollPos(window, SB_HORZ);
  EXPECT_GT(right, start);
  over(edge('L', 10));
  EXPECT_LT(GetScrollPos(window, SB_HORZ), right);
  EXPECT_EQ(pauses.taken, (std::vector<DWORD>{400, 400}));

  // Icons: the icon below, 100 ms.
  pauses.taken.clear();
  list->SetViewStyle(fw::vsIcon);
  Pump(5);
  start = GetScrollPos(window, SB_VERT);
  over(edge('B', 30));
  EXPECT_GT(GetScrollPos(window, SB_VERT), start);
  EXPECT_EQ(pauses.taken, (std::vector<DWORD>{100}));

  target->DragLeave();
  fw::testing::SetClock(real);
}

TEST_F(ShellListView, ItsOwnDragFindsNoTargetInEmptySpace) {
  sandbox::WriteFile(dir + "a.txt", "a");
  ListReport(dir);
  DWORD seen = 12345;
  svc::testing::SetDragLoop([&](IDataObject* data, IDropSource*, DWORD effects, DWORD* effect) {
    IDropTarget* target = list->GetDropTarget();
    POINT empty{400, 500};
    ClientToScreen(list->GetHandle(), &empty);
    DWORD over = effects;
    target->DragEnter(data, 0, POINTL{empty.x, empty.y}, &over);
    over = effects;
    target->DragOver(0, POINTL{empty.x, empty.y}, &over);
    seen = over;
    target->DragLeave();
    *effect = DROPEFFECT_NONE;
    return DRAGDROP_S_CANCEL;
  });
  Select({"a.txt"});
  BeginDrag("a.txt");
  EXPECT_EQ(seen, static_cast<DWORD>(DROPEFFECT_NONE));
}

}  // namespace

// Entries the file system gives no time ("/" and "Documents" on the desktop) leave the date empty.
TEST_F(ShellListView, EntriesWithoutATimeShowNoDate) {
  list->SetViewStyle(fw::vsReport);
  list->SetSpecialRootFolder(sfDesktop);
  int timeless = 0;
  for (int i = 0; i < list->GetItems()->GetCount(); ++i) {
    TSvShellItem* item = list->ItemOfRow(i);
    if (!item->GetIsFileSystem() || item->GetDate() != 0) continue;
    ++timeless;
    EXPECT_EQ(Text(item->GetDisplayName(), 3), "") << item->GetPath();
  }
  EXPECT_GT(timeless, 0);
}
