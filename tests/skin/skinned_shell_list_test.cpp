// The skinned shell list view rooted in the test's sandbox folder: mask words and matching,
// incremental search, the listed rows (filtered, folders first), navigation up and down, Refresh
// keeping the selection, report columns (Wine's folders, and a mock folder that offers only
// IShellDetails or no details at all), files started through the shell-call hook, a linked
// shell tree followed once either way, and the views across a skin change and without a manager.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "skin/controls/shell_combo_box.h"
#include "skin/controls/shell_list_view.h"
#include "skin/controls/web_label.h"
#include "skin/engine/skin_manager.h"
#include "support/message_pump.h"
#include "support/mock_shell_folder.h"
#include "support/panel_form_fixture.h"
#include "support/sandbox.h"

namespace {

using testing_sandbox::WriteFile;

// The list with its input handlers reachable, counting its listings.
class ProbeList : public skin::TkShellListView {
  FW_CLASS(ProbeList, skin::TkShellListView)
 public:
  using skin::TkShellListView::TkShellListView;
  using skin::TkShellListView::DblClick;
  using skin::TkShellListView::KeyDown;
  using skin::TkShellListView::OwnerDataFind;
  void Populate() override {
    ++listings;
    skin::TkShellListView::Populate();
  }
  int listings = 0;

 protected:
  ~ProbeList() override = default;
};

// The combo with its user-change handler reachable.
class ProbeCombo : public skin::TkShellComboBox {
  FW_CLASS(ProbeCombo, fw::TWinControl)
 public:
  using skin::TkShellComboBox::TkShellComboBox;
  using skin::TkShellComboBox::Change;

 protected:
  ~ProbeCombo() override = default;
};

LPITEMIDLIST PidlOf(const std::string& path) {
  wchar_t wide[MAX_PATH] = {};
  MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, wide, MAX_PATH);
  LPITEMIDLIST pidl = nullptr;
  skin::DesktopShellFolder()->ParseDisplayName(nullptr, nullptr, wide, nullptr, &pidl, nullptr);
  return pidl;
}

TEST(ShellListMask, WordsAndMatching) {
  EXPECT_TRUE(skin::MaskWords("*.*").empty());
  EXPECT_TRUE(skin::MaskWords("").empty());
  EXPECT_EQ((std::vector<std::string>{"TXT", "INI"}), skin::MaskWords("*.txt;*.ini"));
  std::vector<std::string> all = skin::MaskWords("*.*");
  EXPECT_TRUE(skin::MatchesMaskWords("noext", all));
  EXPECT_TRUE(skin::MatchesMaskWords("a.zip", all));
  std::vector<std::string> text = skin::MaskWords("*.txt;*.ini");
  EXPECT_TRUE(skin::MatchesMaskWords("Read.Me.TXT", text));
  EXPECT_TRUE(skin::MatchesMaskWords("boot.ini", text));
  EXPECT_FALSE(skin::MatchesMaskWords("noext", text));
  EXPECT_FALSE(skin::MatchesMaskWords("txt", text));
  EXPECT_FALSE(skin::MatchesMaskWords("a.txt.bak", text));
}

TEST(ShellListFind, PrefixesWithAndWithoutWrap) {
  std::vector<std::string> names{"alpha", "Beta", "gamma", "Bravo", "delta"};
  EXPECT_EQ(1, skin::FindNamePrefix(names, "b", 0, false));
  EXPECT_EQ(3, skin::FindNamePrefix(names, "B", 2, false));
  EXPECT_EQ(-1, skin::FindNamePrefix(names, "alp", 1, false));
  EXPECT_EQ(0, skin::FindNamePrefix(names, "ALP", 1, true));
  // The last row is found, and a search starting there without wrap looks at it alone.
  EXPECT_EQ(4, skin::FindNamePrefix(names, "del", 0, false));
  EXPECT_EQ(4, skin::FindNamePrefix(names, "DEL", 4, false));
  EXPECT_EQ(-1, skin::FindNamePrefix(names, "g", 4, false));
  EXPECT_EQ(2, skin::FindNamePrefix(names, "g", 4, true));
  EXPECT_EQ(-1, skin::FindNamePrefix(names, "zz", 3, true));
}

class ShellListTest : public control_shots::PanelFormTest {
 protected:
  void SetUp() override {
    PanelFormTest::SetUp();
    dir = testing_sandbox::TestFolder();
    testing_sandbox::MakeShellFixture(dir);
    WriteFile(dir + "notes.txt", "x");
    WriteFile(dir + "Zeta.TXT", "x");
    MakeForm(700, 420, fw::TRect(0, 0, 680, 380));
    tree = Place<skin::TkShellTreeView>(panel, 10, 10, 200, 340);
    list = Place<ProbeList>(panel, 220, 40, 440, 310);
    combo = Place<ProbeCombo>(panel, 220, 10, 440, 24);
    list->SetViewStyle(fw::vsList);
    list->SetShowExt(skin::seShow);
    tree->SetRoot(dir);
    list->SetRoot(dir);
    ShowForm();
    combo->SetRoot(dir);
  }
  void TearDown() override {
    skin::testing::SetShellOpen(nullptr);
    PanelFormTest::TearDown();
  }
  std::vector<std::string> Rows() const {
    std::vector<std::string> rows;
    for (int n = 0; n < list->RowCount(); ++n) rows.push_back(list->FolderAt(n)->DisplayName(skin::seShow));
    return rows;
  }
  std::string Listed() const { return list->GetCurrentFolder()->PathName(); }
  int RowNamed(const std::string& name) const {
    std::vector<std::string> rows = Rows();
    for (size_t n = 0; n < rows.size(); ++n)
      if (rows[n] == name) return static_cast<int>(n);
    return -1;
  }

  std::string dir;
  skin::TkShellTreeView* tree = nullptr;
  ProbeList* list = nullptr;
  ProbeCombo* combo = nullptr;
};

TEST_F(ShellListTest, ListsFoldersFirstAndFiltersByMask) {
  EXPECT_EQ((std::vector<std::string>{"a", "b", "Tom & Jerry", "archive.zip", "noext", "notes.txt", "Zeta.TXT"}),
            Rows());
  EXPECT_EQ(list->RowCount(), list->GetItems()->GetCount());
  EXPECT_GE(list->GetItems()->GetItem(0)->GetImageIndex(), 0);
  list->SetMask("*.txt");
  EXPECT_EQ((std::vector<std::string>{"a", "b", "Tom & Jerry", "notes.txt", "Zeta.TXT"}), Rows());
  list->SetMask("*.*");
  EXPECT_EQ(7, list->RowCount());
  list->SetObjectTypes({skin::otFolders, skin::otNonFolders, skin::otHidden});
  EXPECT_NE(-1, RowNamed("hidden.txt"));
  // Incremental search over the rows, the last one included.
  EXPECT_EQ(RowNamed("Zeta.TXT"), list->OwnerDataFind(fw::ifPartialString, "zet", {}, nullptr, 0, fw::sdAll, false));
  EXPECT_EQ(list->RowCount() - 1, RowNamed("Zeta.TXT"));
  EXPECT_EQ(-1, list->OwnerDataFind(fw::ifData, "zet", {}, nullptr, 0, fw::sdAll, false));
}

TEST_F(ShellListTest, NavigatesDownUpAndStaysOnTheDesktop) {
  list->SetItemIndex(RowNamed("a"));
  list->DblClick();
  EXPECT_EQ(dir + "a", Listed());
  EXPECT_EQ((std::vector<std::string>{"sub"}), Rows());
  WORD key = VK_BACK;
  list->KeyDown(key, {});
  EXPECT_EQ(dir.substr(0, dir.size() - 1), Listed());
  list->SetItemIndex(RowNamed("Tom & Jerry"));
  key = VK_RETURN;
  list->KeyDown(key, {});
  EXPECT_EQ(dir + "Tom & Jerry", Listed());
  list->UpOneLevel();
  EXPECT_EQ(dir.substr(0, dir.size() - 1), Listed());
  // The desktop has no parent: Backspace leaves the list where it is.
  list->SetObjectTypes({skin::otFolders});
  LPITEMIDLIST desktop = skin::DesktopPidl();
  list->SetFolderPidl(desktop);
  int listings = list->listings;
  key = VK_BACK;
  list->KeyDown(key, {});
  EXPECT_TRUE(skin::SamePidls(desktop, list->GetCurrentFolder()->AbsoluteID()));
  EXPECT_EQ(listings, list->listings);
  skin::FreePidl(desktop);
}

TEST_F(ShellListTest, RefreshKeepsTheLastRowSelectedAndListsNewFiles) {
  int last = list->RowCount() - 1;
  list->SetItemIndex(last);
  WriteFile(dir + "added.txt", "x");
  list->Refresh();
  EXPECT_EQ(8, list->RowCount());
  EXPECT_EQ(last, list->GetItemIndex());
  list->SetItemIndex(list->RowCount() - 1);
  WORD key = VK_F5;
  list->KeyDown(key, {});
  EXPECT_EQ(list->RowCount() - 1, list->GetItemIndex());
}

TEST_F(ShellListTest, AutoRefreshListsAFileMadeMeanwhileAndFollowsTheFolder) {
  list->SetAutoRefresh(true);
  ASSERT_NE(nullptr, list->GetNotifier());
  EXPECT_EQ(dir.substr(0, dir.size() - 1), list->GetNotifier()->GetRoot());
  testing_pump::Pump(200);
  WriteFile(dir + "made meanwhile.txt", "x");
  EXPECT_TRUE(testing_pump::PumpUntil([&] { return RowNamed("made meanwhile.txt") != -1; }, 5000));
  list->SetItemIndex(RowNamed("b"));
  list->DblClick();
  ASSERT_NE(nullptr, list->GetNotifier());
  EXPECT_EQ(dir + "b", list->GetNotifier()->GetRoot());
  list->SetAutoRefresh(false);
  EXPECT_EQ(nullptr, list->GetNotifier());
}

TEST_F(ShellListTest, TheVerbHookRenamesRefreshesAndEntersTheItemsFolder) {
  list->SetReadOnly(false);
  list->SetFocus();
  list->SetItemIndex(RowNamed("notes.txt"));
  bool handled = false;
  list->BeforeVerb("rename", handled);
  EXPECT_TRUE(handled);
  HWND edit = reinterpret_cast<HWND>(list->Perform(LVM_GETEDITCONTROL, 0, 0));
  ASSERT_NE(nullptr, edit);
  SetWindowTextA(edit, "renamed.txt");
  SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
  testing_pump::Pump(50);
  EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((dir + "renamed.txt").c_str()));
  EXPECT_EQ(dir + "renamed.txt", list->FolderAt(list->GetItemIndex())->PathName());
  // A deleted item goes from the list once its verb succeeded.
  DeleteFileA((dir + "renamed.txt").c_str());
  list->AfterVerb("delete", true);
  EXPECT_EQ(-1, RowNamed("renamed.txt"));
  // Opening an item runs in its folder; the previous current directory comes back afterwards.
  char before[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, before);
  list->SetItemIndex(RowNamed("noext"));
  handled = false;
  list->BeforeVerb("open", handled);
  EXPECT_FALSE(handled);
  char during[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, during);
  EXPECT_EQ(dir, std::string(during) + "\\");
  list->AfterVerb("open", true);
  char after[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, after);
  EXPECT_EQ(std::string(before), after);
}

TEST_F(ShellListTest, ReportViewShowsTheFoldersColumns) {
  list->SetViewStyle(fw::vsReport);
  list->UpOneLevel();
  LPITEMIDLIST pidl = PidlOf(dir);
  list->SetFolderPidl(pidl);
  skin::FreePidl(pidl);
  ASSERT_GE(list->GetColumns()->GetCount(), 2);
  // The file-system folder's own columns (Wine's IShellFolder2), each title once, with a width.
  std::vector<std::string> titles;
  for (int n = 0; n < list->GetColumns()->GetCount(); ++n) {
    EXPECT_FALSE(list->GetColumn(n)->GetCaption().empty());
    EXPECT_GT(list->GetColumn(n)->GetWidth(), 0);
    EXPECT_EQ(titles.end(), std::find(titles.begin(), titles.end(), list->GetColumn(n)->GetCaption()));
    titles.push_back(list->GetColumn(n)->GetCaption());
  }
  // A file row has its size among the sub-items.
  fw::TListItem* row = list->GetItems()->GetItem(RowNamed("notes.txt"));
  ASSERT_NE(nullptr, row);
  EXPECT_EQ(list->GetColumns()->GetCount() - 1, row->GetSubItems()->GetCount());
}

// The captions, alignments and widths (in widths of "X") of the list's columns.
struct TColumn {
  std::string Caption;
  fw::TAlignment Alignment;
  int Chars;
  bool operator==(const TColumn&) const = default;
};
void PrintTo(const TColumn& c, std::ostream* out) {
  *out << '"' << c.Caption << "\" align " << c.Alignment << ' ' << c.Chars << " chars";
}
std::vector<TColumn> Columns(skin::TkCustomShellListView* list) {
  SIZE x{};
  HDC dc = GetDC(list->GetHandle());
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(list->GetHandle(), WM_GETFONT, 0, 0)));
  GetTextExtentPoint32A(dc, "X", 1, &x);
  SelectObject(dc, old);
  ReleaseDC(list->GetHandle(), dc);
  std::vector<TColumn> columns;
  for (int n = 0; n < list->GetColumns()->GetCount(); ++n) {
    fw::TListColumn* column = list->GetColumn(n);
    EXPECT_EQ(0, column->GetWidth() % x.cx) << column->GetCaption();
    columns.push_back({column->GetCaption(), column->GetAlignment(), column->GetWidth() / x.cx});
  }
  return columns;
}

TEST_F(ShellListTest, ReportColumnsOfAFolderWithOnlyIShellDetailsOrNoDetailsAtAll) {
  // The folders the list opens from here on are the mock, whatever their place.
  testing_shell::TMockFolder mock;
  mock.name = "Mock";
  skin::testing::SetFolderBinder([&](LPCITEMIDLIST) -> IShellFolder* {
    mock.AddRef();
    return &mock;
  });
  mock.columns = {{"Title", LVCFMT_LEFT, 20}, {"Pages", LVCFMT_RIGHT, 6}, {"Shelf", LVCFMT_CENTER, 12},
                  {"Title", LVCFMT_LEFT, 20}, {"After", LVCFMT_LEFT, 8}};
  list->SetViewStyle(fw::vsReport);
  LPITEMIDLIST pidl = PidlOf(dir + "a");
  list->SetFolderPidl(pidl);
  skin::FreePidl(pidl);
  // The older interface's titles up to the first one seen before.
  EXPECT_EQ((std::vector<TColumn>{
                {"Title", fw::taLeftJustify, 20}, {"Pages", fw::taRightJustify, 6}, {"Shelf", fw::taCenter, 12}}),
            Columns(list));
  EXPECT_TRUE(mock.Asked(IID_IShellFolder2)) << "asked for, not offered";
  EXPECT_TRUE(mock.Asked(IID_IShellDetails));

  // No details at all: the four default columns for a file-system folder...
  mock.offersDetails = false;
  pidl = PidlOf(dir + "b");
  list->SetFolderPidl(pidl);
  skin::FreePidl(pidl);
  EXPECT_EQ((std::vector<TColumn>{{"Name", fw::taLeftJustify, 25},
                                  {"Size", fw::taRightJustify, 10},
                                  {"Type", fw::taLeftJustify, 10},
                                  {"Modified", fw::taLeftJustify, 14}}),
            Columns(list));
  // ...and the name alone for any other.
  pidl = nullptr;
  ASSERT_EQ(S_OK, SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &pidl));
  list->SetFolderPidl(pidl);
  CoTaskMemFree(pidl);
  EXPECT_EQ((std::vector<TColumn>{{"Name", fw::taLeftJustify, 25}}), Columns(list));
  // The mock goes before the list does.
  skin::testing::SetFolderBinder(nullptr);
  list->UpOneLevel();
}

TEST_F(ShellListTest, ADoubleClickedFileStartsThroughTheShellCallShownNormally) {
  std::vector<std::pair<std::string, int>> started;
  skin::testing::SetShellOpen([&](const std::string& target, int show) { started.emplace_back(target, show); });
  list->SetItemIndex(RowNamed("archive.zip"));
  list->DblClick();
  list->SetItemIndex(RowNamed("notes.txt"));
  list->DblClick();
  ASSERT_EQ(2u, started.size());
  EXPECT_EQ(dir + "archive.zip", started[0].first);
  EXPECT_EQ(dir + "notes.txt", started[1].first);
  EXPECT_EQ(SW_SHOWNORMAL, started[1].second);
  EXPECT_EQ(dir.substr(0, dir.size() - 1), Listed());
}

TEST_F(ShellListTest, ALinkedTreeAndListFollowEachOtherOnce) {
  list->SetShellTreeView(tree);
  EXPECT_EQ(list, tree->GetShellListView());
  int listings = list->listings;
  tree->SetPath(dir + "b");
  EXPECT_EQ(dir + "b", Listed());
  EXPECT_EQ(listings + 1, list->listings);
  tree->SetPath(dir + "b");
  EXPECT_EQ(listings + 1, list->listings);
  list->UpOneLevel();
  list->SetItemIndex(RowNamed("Tom & Jerry"));
  list->DblClick();
  EXPECT_EQ(dir + "Tom & Jerry", tree->GetPath());
  EXPECT_EQ(dir + "Tom & Jerry", Listed());
  EXPECT_EQ(listings + 3, list->listings);
}

// The combo's captions with their indents.
std::vector<std::pair<std::string, int>> ComboItems(skin::TkCustomShellComboBox* combo) {
  std::vector<std::pair<std::string, int>> items;
  for (int n = 0; n < combo->GetItemsEx()->GetCount(); ++n)
    items.emplace_back(combo->GetItemsEx()->GetItem(n)->GetCaption(), combo->GetItemsEx()->GetItem(n)->GetIndend());
  return items;
}

TEST_F(ShellListTest, TheComboShowsTheRootItsFirstLevelAndTheChainIndentedByLevel) {
  std::string name = dir.substr(0, dir.size() - 1);
  name = name.substr(name.find_last_of('\\') + 1);
  using Items = std::vector<std::pair<std::string, int>>;
  EXPECT_EQ((Items{{name, 0}, {"a", 1}, {"b", 1}, {"Tom & Jerry", 1}}), ComboItems(combo));
  EXPECT_EQ(0, combo->GetItemIndex());
  EXPECT_EQ(dir, combo->GetPath());
  EXPECT_GE(combo->GetItemsEx()->GetItem(1)->GetImageIndex(), 0);
  combo->SetPath(dir + "Tom & Jerry\\inner");
  EXPECT_EQ((Items{{name, 0}, {"a", 1}, {"b", 1}, {"Tom & Jerry", 1}, {"inner", 2}}), ComboItems(combo));
  EXPECT_EQ(4, combo->GetItemIndex());
  EXPECT_EQ(dir + "Tom & Jerry\\inner\\", combo->GetPath());
  // Only the chain of the current folder stays below the first level.
  combo->SetPath(dir + "a\\sub");
  EXPECT_EQ((Items{{name, 0}, {"a", 1}, {"sub", 2}, {"b", 1}, {"Tom & Jerry", 1}}), ComboItems(combo));
  EXPECT_EQ(2, combo->GetItemIndex());
  // The image event may change the images of the items below the root.
  combo->OnGetImageIndex = [](fw::TObject*, skin::TkShellFolder* folder, int& image) {
    if (folder->DisplayName() == "b") image = 99;
  };
  combo->SetPath(dir + "b");
  EXPECT_EQ(99, combo->GetItemsEx()->GetItem(2)->GetImageIndex());
  EXPECT_NE(99, combo->GetItemsEx()->GetItem(1)->GetImageIndex());
}

TEST_F(ShellListTest, LinkedTreeListAndComboFollowOnceAndTheSameFolderDoesNotListAgain) {
  list->SetShellTreeView(tree);
  list->SetShellComboBox(combo);
  combo->SetShellTreeView(tree);
  EXPECT_EQ(list, combo->GetShellListView());
  EXPECT_EQ(combo, tree->GetShellComboBox());
  int listings = list->listings;
  // The tree leads.
  tree->SetPath(dir + "Tom & Jerry\\inner");
  EXPECT_EQ(dir + "Tom & Jerry\\inner", Listed());
  EXPECT_EQ(dir + "Tom & Jerry\\inner\\", combo->GetPath());
  EXPECT_EQ(listings + 1, list->listings);
  // The combo leads; choosing the listed folder again lists nothing.
  combo->SetItemIndex(2);
  combo->Change();
  EXPECT_EQ(dir + "b", Listed());
  EXPECT_EQ(dir + "b", tree->GetPath());
  EXPECT_EQ(listings + 2, list->listings);
  combo->Change();
  EXPECT_EQ(listings + 2, list->listings);
  // The list leads.
  list->UpOneLevel();
  EXPECT_EQ(dir, combo->GetPath());
  EXPECT_EQ(dir.substr(0, dir.size() - 1), tree->GetPath());
  EXPECT_EQ(listings + 3, list->listings);
  // Partners that go unlink themselves.
  combo->Free();
  EXPECT_EQ(nullptr, list->GetShellComboBox());
  EXPECT_EQ(nullptr, tree->GetShellComboBox());
}

TEST_F(ShellListTest, ASkinChangeRepaintsTheViewsAndWithoutAManagerTheyWorkAsTheirBases) {
  using control_shots::WindowShot;
  using test_skins::PixelOf;
  // A list read as a form's resource would be (a list made outside a load scope never leaves
  // its loading state, a fault of the list view base of its own).
  list->Free();
  {
    fw::TLoadScope loading;
    list = Place<ProbeList>(panel, 220, 40, 440, 310);
    list->SetViewStyle(fw::vsList);
    list->SetShowExt(skin::seShow);
    list->SetRoot(dir);
  }
  Settle();
  const std::vector<std::string> rows = Rows();
  const int nodes = tree->GetItems()->GetCount();
  UseSecondSkin();
  Settle();
  const control_skin::TSectionColours edit = control_skin::SectionOf(control_skin::kSecond, "EDIT");
  EXPECT_EQ(tree->GetColor(), edit.Face[control_skin::kNormal]);
  EXPECT_EQ(list->GetColor(), edit.Face[control_skin::kNormal]);
  // The tree keeps its window through the change, and with it the focus the form gave it: its
  // frame is the focused one of the new skin.
  ASSERT_TRUE(tree->Focused());
  EXPECT_EQ(PixelOf(*WindowShot(tree), 60, 1), edit.Edge[control_skin::kHot]);
  EXPECT_EQ(PixelOf(*WindowShot(list), 1, 100), edit.Edge[control_skin::kNormal]);
  EXPECT_EQ(PixelOf(*WindowShot(combo), 60, 1),
            control_skin::SectionOf(control_skin::kSecond, "COMBOBOX").Edge[control_skin::kNormal]);
  EXPECT_EQ(rows, Rows());
  EXPECT_EQ(nodes, tree->GetItems()->GetCount());

  // No manager at all: the framework's colours; the views still list and follow each other.
  fw::FreeAndNil(manager);
  Settle();
  EXPECT_EQ(fw::clWindow, tree->GetColor());
  EXPECT_EQ(fw::clWindow, list->GetColor());
  list->SetShellTreeView(tree);
  list->SetShellComboBox(combo);
  tree->SetPath(dir + "Tom & Jerry");
  EXPECT_EQ(dir + "Tom & Jerry", Listed());
  EXPECT_EQ((std::vector<std::string>{"inner"}), Rows());
  EXPECT_EQ(dir + "Tom & Jerry\\", combo->GetPath());
  list->UpOneLevel();
  EXPECT_EQ(rows, Rows());
  EXPECT_EQ(dir.substr(0, dir.size() - 1), tree->GetPath());
}

}  // namespace
