// The shell combo box on a test form, linked with a shell list view: its entries and their
// indents, the ancestors inserted for a folder the list shows, the open-dialog filter, drive
// changes, and an entry chosen by the user.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "framework/win.h"

#include <commctrl.h>
#include <shlobj.h>

#include "framework/forms/custom_form.h"
#include "framework/graphics/image_list.h"
#include "framework/msg/messages.h"
#include "services/shell/shell_combo_box.h"
#include "services/shell/shell_controller.h"
#include "services/shell/shell_item.h"
#include "services/shell/shell_list_view.h"
#include "support/gui_test_support.h"
#include "support/message_pump.h"
#include "support/sandbox.h"

using namespace svc;
namespace sandbox = testing_sandbox;
using testing_pump::Pump;
using testing_pump::PumpUntil;

namespace {

bool IsSpecial(const TSvShellItem* item, int csidl) {
  TPidl pidl;
  return SUCCEEDED(SHGetSpecialFolderLocation(nullptr, csidl, pidl.Put())) && ILIsEqual(pidl.Get(), item->GetPidl());
}

class ShellComboBox : public testing_gui::GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    dir = sandbox::TestFolder();
    form = fw::New<fw::TForm>(nullptr);
    form->SetBounds(0, 0, 800, 600);
    combo = fw::New<TSvShellComboBox>(form);
    combo->SetBounds(0, 0, 300, 24);
    list = fw::New<TSvShellListView>(form);
    list->SetBounds(0, 30, 780, 540);
    combo->SetListView(list);
    list->SetComboBox(combo);
    combo->SetParent(form);
    list->SetParent(form);
    form->Show();
    Pump(20);
  }
  void TearDown() override {
    fw::Free(form);
    GuiTest::TearDown();
  }
  int EntryOf(const std::string& path) const {
    for (int i = 0; i < combo->GetFolderList()->GetCount(); ++i)
      if (combo->GetFolderList()->GetItem(i)->GetPath() == path) return i;
    return -1;
  }
  TSvShellFolder* Entry(int i) const { return combo->GetFolderList()->GetItem(i); }

  std::string dir;
  fw::TForm* form = nullptr;
  TSvShellComboBox* combo = nullptr;
  TSvShellListView* list = nullptr;
};

TEST_F(ShellComboBox, TheDesktopItsChildrenAndMyComputersChildren) {
  TSvShellFolderList* entries = combo->GetFolderList();
  ASSERT_GT(entries->GetCount(), 2);
  EXPECT_EQ(combo->GetItems()->GetCount(), entries->GetCount());
  EXPECT_TRUE(IsSpecial(Entry(0), CSIDL_DESKTOP));
  EXPECT_EQ(Entry(0)->IndentLevel, 0);
  bool myComputer = false;
  for (int i = 1; i < entries->GetCount(); ++i) {
    if (IsSpecial(Entry(i), CSIDL_DRIVES)) {
      myComputer = true;
      EXPECT_EQ(Entry(i)->IndentLevel, 1);
    }
    EXPECT_EQ(combo->GetItems()->GetStrings(i), Entry(i)->GetDisplayName());
  }
  EXPECT_TRUE(myComputer);
  int c = EntryOf("C:\\");
  ASSERT_GE(c, 0);
  EXPECT_EQ(Entry(c)->IndentLevel, 2);
}

TEST_F(ShellComboBox, AShownFolderBringsItsAncestors) {
  sandbox::MakeFolders(dir + "a");
  list->SetRootFolder(dir + "a");
  int c = EntryOf("C:\\");
  ASSERT_GE(c, 0);
  std::string test = dir.substr(0, dir.size() - 1);
  EXPECT_EQ(EntryOf("C:\\sandbox"), c + 1);
  EXPECT_EQ(EntryOf(test), c + 2);
  EXPECT_EQ(EntryOf(dir + "a"), c + 3);
  EXPECT_EQ(Entry(c + 1)->IndentLevel, 3);
  EXPECT_EQ(Entry(c + 2)->IndentLevel, 4);
  EXPECT_EQ(Entry(c + 3)->IndentLevel, 5);
  EXPECT_TRUE(Entry(c + 3)->Inserted);
  EXPECT_EQ(combo->GetItemIndex(), c + 3);

  list->SetRootFolder("C:\\windows");
  EXPECT_EQ(EntryOf(dir + "a"), -1);
  EXPECT_EQ(EntryOf("C:\\sandbox"), -1);
  EXPECT_EQ(EntryOf("C:\\windows"), c + 1);
  EXPECT_EQ(combo->GetItems()->GetCount(), combo->GetFolderList()->GetCount());
}

// A bitmap of the given size in a memory device context, filled with black.
class TPicture {
 public:
  TPicture(int width, int height) : Width(width), Height(height) {
    dc = CreateCompatibleDC(nullptr);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    old = SelectObject(dc, bitmap);
    RECT all{0, 0, width, height};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  }
  ~TPicture() {
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }
  COLORREF At(int x, int y) const { return GetPixel(dc, x, y); }
  // The columns of row y holding colour, first and last (-1 when none).
  std::pair<int, int> Span(int y, COLORREF colour) const {
    int first = -1, last = -1;
    for (int x = 0; x < Width; ++x)
      if (At(x, y) == colour) {
        if (first < 0) first = x;
        last = x;
      }
    return {first, last};
  }
  bool Holds(int left, int top, int right, int bottom, COLORREF colour) const {
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x)
        if (At(x, y) == colour) return true;
    return false;
  }
  HDC dc;
  int Width, Height;

 private:
  HBITMAP bitmap;
  HGDIOBJ old;
};

// Entries are drawn indented 5 pixels plus 12 per level (none in the edit part), the system icon
// first, then the name in a box that is highlighted while the entry is selected.
TEST_F(ShellComboBox, EntriesAreDrawnIndentedWithTheirIconAndAHighlightedName) {
  sandbox::MakeFolders(dir + "a");
  list->SetRootFolder(dir + "a");
  const int kWidth = 320, kHeight = 24;
  HIMAGELIST images = combo->GetController()->GetSmallImages()->GetHandle();
  const COLORREF window = GetSysColor(COLOR_WINDOW), highlight = GetSysColor(COLOR_HIGHLIGHT);
  auto paint = [&](TPicture& picture, int index, UINT state) {
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_COMBOBOX;
    draw.itemID = static_cast<UINT>(index);
    draw.itemAction = ODA_DRAWENTIRE;
    draw.itemState = state;
    draw.hwndItem = combo->GetHandle();
    draw.hDC = picture.dc;
    draw.rcItem = RECT{0, 0, kWidth, kHeight};
    combo->Perform(fw::CN_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
  };
  // The icon of the entry drawn alone at x on the window colour.
  auto iconAlone = [&](TSvShellFolder* entry, int x) {
    auto picture = std::make_unique<TPicture>(kWidth, kHeight);
    RECT all{0, 0, kWidth, kHeight};
    FillRect(picture->dc, &all, GetSysColorBrush(COLOR_WINDOW));
    ImageList_Draw(images, entry->GetImageIndex(), picture->dc, x, (kHeight - 16) / 2, ILD_TRANSPARENT);
    return picture;
  };
  auto sameIcon = [&](const TPicture& drawn, const TPicture& alone, int x) {
    for (int y = 0; y < kHeight; ++y)
      for (int i = 0; i < 16; ++i)
        if (drawn.At(x + i, y) != alone.At(x + i, y)) return false;
    return true;
  };

  int c = EntryOf("C:\\");
  ASSERT_GE(c, 0);
  for (int index : {0, 1, c, c + 3}) {
    TSvShellFolder* entry = Entry(index);
    SCOPED_TRACE(entry->GetDisplayName());
    int left = 5 + 12 * entry->IndentLevel;
    TPicture plain(kWidth, kHeight), chosen(kWidth, kHeight);
    paint(plain, index, 0);
    paint(chosen, index, ODS_SELECTED);
    auto alone = iconAlone(entry, left);
    EXPECT_TRUE(sameIcon(plain, *alone, left));
    EXPECT_TRUE(sameIcon(chosen, *alone, left));
    EXPECT_EQ(plain.Span(1, window), std::make_pair(0, kWidth - 1));  // nothing but the window colour left and right
    EXPECT_EQ(plain.At(left - 1, kHeight / 2), window);
    EXPECT_FALSE(plain.Holds(0, 0, kWidth, kHeight, highlight));
    // The box (its border dotted by the focus frame): from 3 pixels after the icon over the
    // whole name; the rest of the row stays window.
    auto box = chosen.Span(2, highlight);
    EXPECT_EQ(chosen.At(left + 16 + 2, 2), window);
    EXPECT_NE(chosen.At(left + 16 + 3, 2), window);
    EXPECT_EQ(box.first, left + 16 + 4);
    EXPECT_GT(box.second, box.first);
    EXPECT_EQ(chosen.At(box.second + 2, 2), window);
    EXPECT_TRUE(chosen.Holds(box.first, 0, box.second + 1, kHeight, GetSysColor(COLOR_HIGHLIGHTTEXT)));
    EXPECT_FALSE(plain.Holds(box.second + 2, 0, kWidth, kHeight, GetSysColor(COLOR_WINDOWTEXT)));
  }

  // The edit part draws the chosen entry without its indent.
  TSvShellFolder* deep = Entry(c + 3);
  TPicture edit(kWidth, kHeight);
  paint(edit, c + 3, ODS_COMBOBOXEDIT);
  EXPECT_TRUE(sameIcon(edit, *iconAlone(deep, 5), 5));
}

TEST_F(ShellComboBox, TheOpenDialogModeKeepsFileSystemEntries) {
  list->SetOpenDialogMode(true);
  combo->FillFolders();
  bool myComputer = false;
  for (int i = 0; i < combo->GetFolderList()->GetCount(); ++i) {
    TSvShellFolder* entry = Entry(i);
    bool kept = entry->GetIsFileSystem() || IsSpecial(entry, CSIDL_DRIVES) || IsSpecial(entry, CSIDL_NETWORK) ||
                IsSpecial(entry, CSIDL_DESKTOP);
    EXPECT_TRUE(kept) << entry->GetDisplayName();
    EXPECT_FALSE(IsSpecial(entry, CSIDL_CONTROLS));
    EXPECT_FALSE(IsSpecial(entry, CSIDL_BITBUCKET));
    myComputer = myComputer || IsSpecial(entry, CSIDL_DRIVES);
  }
  EXPECT_TRUE(myComputer);
  EXPECT_GE(EntryOf("C:\\"), 0);
}

TEST_F(ShellComboBox, ADriveChangeRefillsAndKeepsTheEntry) {
  list->SetRootFolder("C:\\");
  int c = EntryOf("C:\\");
  ASSERT_EQ(combo->GetItemIndex(), c);
  std::string text = combo->GetItems()->GetStrings(c);
  // The refilled entries may take the old ones' addresses: the refill is seen by its change and
  // by a mark on the old first entry that a new entry does not carry.
  int changes = 0;
  combo->OnChange = [&](fw::TObject*) { ++changes; };
  Entry(0)->IndentLevel = 99;
  SHChangeNotify(SHCNE_DRIVEADD, SHCNF_PATHA | SHCNF_FLUSH, "C:\\", nullptr);
  EXPECT_TRUE(PumpUntil([&] { return changes > 0; }));
  EXPECT_EQ(Entry(0)->IndentLevel, 0);
  ASSERT_GE(combo->GetItemIndex(), 0);
  EXPECT_EQ(combo->GetItems()->GetStrings(combo->GetItemIndex()), text);
}

TEST_F(ShellComboBox, ChoosingAnEntryListsItsFolder) {
  sandbox::MakeFolders(dir + "a");
  list->SetRootFolder(dir + "a");
  std::vector<std::string> events;
  combo->OnFolderChanging = [&](fw::TObject*, TSvShellFolder* folder) {
    events.push_back("changing " + (folder ? folder->GetPath() : std::string("(none)")));
  };
  combo->OnFolderSelected = [&](fw::TObject*, TSvShellFolder* folder) {
    events.push_back("selected " + folder->GetPath() + " listed " + list->GetFolder()->GetPath());
  };
  int c = EntryOf("C:\\");
  combo->SetItemIndex(c);
  combo->Perform(fw::CN_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo->GetHandle()));
  EXPECT_EQ(list->GetFolder()->GetPath(), "C:\\");
  EXPECT_EQ(events, (std::vector<std::string>{"changing " + dir + "a", "selected C:\\ listed C:\\"}));
  EXPECT_EQ(EntryOf(dir + "a"), -1);
  EXPECT_EQ(combo->GetItemIndex(), EntryOf("C:\\"));
}

}  // namespace
