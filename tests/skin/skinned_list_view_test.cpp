// The skinned list view against the control test skin: the scroll information turned into bar
// settings, the rows over the "EDIT" face and the frame strips from the cache, the header hooked
// and painted from "COLHEADER" (or "BUTTON") in its normal, hot and pressed looks, the skinned
// bars over the native ones kept in step both ways and hidden with the list, a column without an
// image, a style change whose message pump frees the list, and the skin protocol: a second skin,
// the skin removed, no manager at all.
#include <gtest/gtest.h>


#include "framework/core/component.h"
#include "framework/controls/mouse_tracker.h"
#include "framework/forms/application.h"
#include "framework/forms/custom_form.h"
#include "skin/controls/label.h"
#include "skin/controls/list_view.h"
#include "skin/engine/scroll_bar.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/stored_skins.h"
#include "support/control_skin.h"

namespace {

using namespace control_skin;

constexpr fw::TColor kFormColour = 0x5A6A7A;
constexpr UINT kFreeList = WM_APP + 7;

SCROLLINFO Info(int min, int max, int page, int pos) {
  return SCROLLINFO{sizeof(SCROLLINFO), SIF_ALL, min, max, static_cast<UINT>(page), pos, 0};
}

TEST(ListBarSettings, FromScrollInformation) {
  // 100 rows, 20 a page, the fifth at the top.
  skin::TkListBarSettings v = skin::ListBarSettings(Info(0, 99, 20, 5), true);
  EXPECT_TRUE(v.Shown);
  EXPECT_EQ(v.Min, 0);
  EXPECT_EQ(v.Max, 80);
  EXPECT_EQ(v.PageSize, 20);
  EXPECT_EQ(v.Position, 5);
  EXPECT_EQ(v.SmallChange, 9);
  EXPECT_EQ(v.LargeChange, 20);
  // 800 pixels of columns, 300 shown: a step of 500 div 23 + 1.
  skin::TkListBarSettings h = skin::ListBarSettings(Info(0, 799, 300, 40), false);
  EXPECT_TRUE(h.Shown);
  EXPECT_EQ(h.Max, 500);
  EXPECT_EQ(h.SmallChange, 22);
  EXPECT_EQ(h.LargeChange, 300);
  EXPECT_EQ(h.Position, 40);
  EXPECT_EQ(skin::ListBarSettings(Info(0, 22, 1, 0), false).SmallChange, 1);
  // An empty range: everything fits, no page, a page beyond the range, no range at all.
  for (const SCROLLINFO& empty : {Info(0, 10, 11, 0), Info(0, 99, 0, 0), Info(0, 0, 0, 0), Info(5, 5, 1, 0)}) {
    const skin::TkListBarSettings e = skin::ListBarSettings(empty, true);
    EXPECT_FALSE(e.Shown);
    EXPECT_EQ(e.Max, 1);
    EXPECT_EQ(e.PageSize, 1);
    EXPECT_EQ(e.Position, 0);
  }
}

class SkinnedListViewTest : public ControlSkinTest {
 protected:
  void SetUp() override {
    ControlSkinTest::SetUp();
    form = fw::New<fw::TForm>(fw::Application);
    form->SetBounds(40, 40, 420, 320);
    form->SetColor(kFormColour);
    inner = form->GetWindowProc();
    form->SetWindowProc([this](fw::TMessage& m) {
      if (m.Msg == kFreeList && list) {
        list->Free();
        list = nullptr;
        return;
      }
      inner(m);
    });
  }
  void TearDown() override {
    if (form) form->Free();
    ControlSkinTest::TearDown();
  }
  // A report list of 300 x 200 at (20, 20) with two columns, made as a layout makes it.
  void MakeList(int rows = 3) {
    {
      fw::TLoadScope loading;
      list = fw::New<skin::TkListView>(form);
      list->GetSkinData()->SetSkinSection("EDIT");
      list->SetViewStyle(fw::vsReport);
      list->SetRowSelect(true);
      for (const auto& [caption, width] : {std::pair{"Name", 120}, std::pair{"Size", 80}}) {
        fw::TListColumn* column = list->GetColumns()->Add();
        column->SetCaption(caption);
        column->SetWidth(width);
      }
      list->SetBounds(20, 20, 300, 200);
      list->SetParent(form);
    }
    AddRows(rows);
    form->Show();
    Settle();
  }
  void AddRows(int rows) {
    list->GetItems()->BeginUpdate();
    for (int i = 0; i < rows; ++i) {
      fw::TListItem* item = list->GetItems()->Add();
      item->SetCaption("Row " + std::to_string(i));
      item->GetSubItems()->Add(std::to_string(i * 10));
    }
    list->GetItems()->EndUpdate();
    Settle();
  }
  HWND Header() const { return list->GetHeaderHandle(); }
  fw::TRect Section(int i) const {
    RECT r{};
    SendMessageA(Header(), HDM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
    return fw::TRect(r.left, r.top, r.right, r.bottom);
  }
  // The screen colour of a section's face, right of its caption, and of its edge band (the
  // section colour fills the face in the normal look, the hot colour in the hot and pressed
  // looks; the mask's band has a colour per look).
  fw::TColor SectionFace(int i) {
    Settle();
    const fw::TRect r = Section(i);
    return WindowPixelOf(Header(), r.Right - 5, r.Height() / 2);
  }
  fw::TColor SectionEdge(int i) {
    Settle();
    const fw::TRect r = Section(i);
    return WindowPixelOf(Header(), r.Right - 2, r.Height() / 2);
  }
  // The mouse over a point of the header, as the system asks the window.
  void HoverHeader(int x, int y) {
    POINT p{x, y};
    ClientToScreen(Header(), &p);
    SendMessageA(Header(), WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
    Settle();
  }
  int TopIndex() const { return static_cast<int>(SendMessageA(list->GetHandle(), LVM_GETTOPINDEX, 0, 0)); }
  SCROLLINFO NativeInfo(int bar) const {
    SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(list->GetHandle(), bar, &si);
    return si;
  }

  fw::TForm* form = nullptr;
  fw::TWndMethodProc inner;
  skin::TkListView* list = nullptr;
};

TEST_F(SkinnedListViewTest, RowsOverTheEditFaceInsideFrameStripsFromTheCache) {
  MakeList();
  const TSectionColours& edit = SectionOf(kFirst, "EDIT");
  EXPECT_EQ(list->GetColor(), edit.Face[kNormal]);
  EXPECT_EQ(list->GetFont()->GetColor(), edit.Font);
  HWND wnd = list->GetHandle();
  // Left, right and bottom strips: the mask's edge band (its corner pixels aside).
  EXPECT_EQ(WindowPixelOf(wnd, 1, 100), edit.Edge[kNormal]);
  EXPECT_EQ(WindowPixelOf(wnd, 298, 100), edit.Edge[kNormal]);
  EXPECT_EQ(WindowPixelOf(wnd, 150, 198), edit.Edge[kNormal]);
  // Beside the rows and below them, the face.
  const fw::TRect row = list->GetItems()->GetItem(0)->DisplayRect(LVIR_BOUNDS);
  EXPECT_EQ(WindowPixelOf(wnd, 2 + 250, 2 + (row.Top + row.Bottom) / 2), edit.Face[kNormal]);
  EXPECT_EQ(WindowPixelOf(wnd, 150, 180), edit.Face[kNormal]);
}

TEST_F(SkinnedListViewTest, ATexturedFaceIsCopiedUnderTheRows) {
  // A gradient makes the face more than a plain colour: the cache (the mask's centre over the
  // gradient) is copied under the rows, its edge band included, and the native colours are none.
  constexpr fw::TColor kGradient = 0x4080C0;
  skin::TkStoredSkin* stored = manager->GetInternalSkins()->GetItem(0);
  skin::TkSkinGeneral* edit = testing_paint::SectionOf(*stored, "EDIT");
  edit->SetGradientPercent(100);
  const std::string colour = std::to_string(kGradient);
  edit->SetGradientData(colour + ";" + colour + ";100;0;0;");
  manager->SetSkinName(kSecondName);
  UseFirstSkin();
  MakeList();
  HWND wnd = list->GetHandle();
  EXPECT_EQ(SendMessageA(wnd, LVM_GETBKCOLOR, 0, 0), static_cast<LRESULT>(CLR_NONE));
  EXPECT_EQ(SendMessageA(wnd, LVM_GETTEXTBKCOLOR, 0, 0), static_cast<LRESULT>(CLR_NONE));
  const fw::TRect row = list->GetItems()->GetItem(1)->DisplayRect(LVIR_BOUNDS);
  EXPECT_EQ(WindowPixelOf(wnd, 2 + 250, 2 + (row.Top + row.Bottom) / 2), kFirst.Edit.Face[kNormal]);
  // The client's last row is the cache's third pixel from the bottom: the edge band.
  EXPECT_EQ(WindowPixelOf(wnd, 150, 197), kFirst.Edit.Edge[kNormal]);
}

TEST_F(SkinnedListViewTest, HeaderSectionsInTheirLooks) {
  MakeList();
  ASSERT_NE(Header(), nullptr);
  EXPECT_EQ(GetParent(Header()), list->GetHandle());
  const TSectionColours& header = SectionOf(kFirst, "COLHEADER");
  EXPECT_EQ(SectionFace(0), header.Face[kNormal]);
  EXPECT_EQ(SectionEdge(0), header.Edge[kNormal]);
  EXPECT_EQ(SectionFace(1), header.Face[kNormal]);
  // Past the last section the header's rest is a section of its own, never hot.
  const fw::TRect last = Section(1);
  EXPECT_EQ(WindowPixelOf(Header(), last.Right + 40, last.Height() / 2), header.Face[kNormal]);

  HoverHeader(Section(1).Left + 10, 5);
  EXPECT_EQ(list->GetHotSection(), 1);
  EXPECT_EQ(SectionFace(1), header.Face[kHot]);
  EXPECT_EQ(SectionEdge(1), header.Edge[kHot]);
  EXPECT_EQ(SectionFace(0), header.Face[kNormal]);
  HoverHeader(last.Right + 40, 5);
  EXPECT_EQ(list->GetHotSection(), -2);
  EXPECT_EQ(SectionFace(1), header.Face[kNormal]);

  const int y = Section(0).Height() / 2;
  SendMessageA(Header(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, y));
  EXPECT_EQ(list->GetPressedSection(), 0);
  EXPECT_EQ(SectionEdge(0), header.Edge[kPressed]);
  EXPECT_EQ(SectionEdge(1), header.Edge[kNormal]);
  SendMessageA(Header(), WM_LBUTTONUP, 0, MAKELPARAM(10, y));
  EXPECT_EQ(list->GetPressedSection(), -1);
  EXPECT_EQ(SectionEdge(0), header.Edge[kNormal]);

  // A press on the divider between two sections starts a resize, not a press.
  SendMessageA(Header(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(Section(0).Right, y));
  EXPECT_EQ(list->GetPressedSection(), -1);
  EXPECT_EQ(SectionEdge(0), header.Edge[kNormal]);
  SendMessageA(Header(), WM_LBUTTONUP, 0, MAKELPARAM(Section(0).Right, y));
}

// A hot section cools when the mouse leaves the program's windows straight from the header, with
// no other mouse message on the way (as when the header was under the cursor as the window
// appeared): the header, the window under the cursor, is the one the system watches for the
// leave, and the leave cools the section.
TEST_F(SkinnedListViewTest, AHotSectionCoolsWhenTheMouseLeavesTheWindowFromTheHeader) {
  MakeList();
  const TSectionColours& header = SectionOf(kFirst, "COLHEADER");
  POINT over{Section(0).Left + 10, 5};
  ClientToScreen(Header(), &over);
  SetCursorPos(over.x, over.y);
  HoverHeader(Section(0).Left + 10, 5);
  fw::UpdateMouseControl(fw::TPoint(over.x, over.y));
  ASSERT_EQ(list->GetHotSection(), 0);
  TRACKMOUSEEVENT watched{sizeof watched, TME_QUERY, nullptr, 0};
  ASSERT_TRUE(TrackMouseEvent(&watched));
  EXPECT_EQ(watched.hwndTrack, Header());
  EXPECT_TRUE(watched.dwFlags & TME_LEAVE);

  SetCursorPos(1275, 1019);  // past every window of the test
  for (int i = 0; i < 50 && list->GetHotSection() >= 0; ++i) Settle(1, 20);
  EXPECT_EQ(list->GetHotSection(), -2);
  EXPECT_EQ(SectionFace(0), header.Face[kNormal]);
}

TEST_F(SkinnedListViewTest, WithoutColumnClickNoSectionIsHotOrPressed) {
  MakeList();
  list->SetColumnClick(false);
  Settle();
  const TSectionColours& header = SectionOf(kFirst, "COLHEADER");
  HoverHeader(10, 5);
  SendMessageA(Header(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 5));
  EXPECT_EQ(list->GetHotSection(), -2);
  EXPECT_EQ(list->GetPressedSection(), -1);
  EXPECT_EQ(SectionFace(0), header.Face[kNormal]);
  EXPECT_EQ(SectionEdge(0), header.Edge[kNormal]);
  SendMessageA(Header(), WM_LBUTTONUP, 0, MAKELPARAM(10, 5));
}

TEST_F(SkinnedListViewTest, ASkinWithoutColumnHeadersPaintsThemAsButtons) {
  for (const char* name : {kFirstName, kSecondName}) {
    skin::TkStoredSkins& skins = *manager->GetInternalSkins();
    skin::TkStoredSkin* stored = skins.GetItem(skins.IndexOf(name));
    testing_paint::SectionOf(*stored, "COLHEADER")->SetSectionName("NOTAHEADER");
  }
  UseSecondSkin();
  UseFirstSkin();
  MakeList();
  EXPECT_EQ(SectionFace(0), kFirst.Button.Face[kNormal]);
  HoverHeader(Section(1).Left + 10, 5);
  EXPECT_EQ(SectionFace(1), kFirst.Button.Face[kHot]);
}

TEST_F(SkinnedListViewTest, AVerticalBarMirrorsTheListAndScrollsNineRowsAStep) {
  MakeList(100);
  skin::TkIntScrollBar* bar = list->GetVertBar();
  ASSERT_NE(bar, nullptr);
  EXPECT_TRUE(bar->GetVisible());
  EXPECT_FALSE(list->GetHorzBar()->GetVisible());
  EXPECT_EQ(bar->GetParent(), form);
  const SCROLLINFO si = NativeInfo(SB_VERT);
  EXPECT_EQ(bar->GetMin(), si.nMin);
  EXPECT_EQ(bar->GetMax(), si.nMax - static_cast<int>(si.nPage) + 1);
  EXPECT_EQ(bar->GetPageSize(), static_cast<int>(si.nPage));
  EXPECT_EQ(bar->GetPosition(), 0);
  EXPECT_EQ(bar->GetSmallChange(), 9);
  const int w = GetSystemMetrics(SM_CYVSCROLL);
  EXPECT_EQ(bar->GetLeft(), 20 + 300 - w - 2);
  EXPECT_EQ(bar->GetTop(), 22);
  EXPECT_EQ(bar->GetHeight(), 196);
  // The down arrow, clicked: nine rows.
  HWND wnd = bar->GetHandle();
  const LPARAM arrow = MAKELPARAM(bar->GetWidth() / 2, bar->GetHeight() - 3);
  PostMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, arrow);
  PostMessageA(wnd, WM_LBUTTONUP, 0, arrow);
  Settle();
  EXPECT_EQ(TopIndex(), 9);
  EXPECT_EQ(bar->GetPosition(), 9);
  // The list scrolled by itself: the bar follows.
  list->Scroll(0, 20 * list->GetItems()->GetItem(0)->DisplayRect(LVIR_BOUNDS).Height());
  Settle();
  EXPECT_EQ(TopIndex(), 29);
  EXPECT_EQ(bar->GetPosition(), NativeInfo(SB_VERT).nPos);
  EXPECT_EQ(bar->GetPosition(), 29);
}

// Columns wider than the list: its first column, an auto-size one with the rows' check boxes,
// keeps room for them and its texts, and the skinned bar scrolls the list to the right and back
// to that column, in step with it.
TEST_F(SkinnedListViewTest, ANarrowListScrollsBackToItsFirstColumn) {
  MakeList();
  list->SetCheckboxes(true);
  list->GetColumn(0)->SetAutoSize(true);
  for (const char* caption : {"File system", "Serial", "Total size"}) {
    fw::TListColumn* column = list->GetColumns()->Add();
    column->SetCaption(caption);
    column->SetWidth(80);
  }
  Settle();
  skin::TkIntScrollBar* bar = list->GetHorzBar();
  ASSERT_TRUE(bar->GetVisible());
  HWND wnd = list->GetHandle();
  const fw::TColor ink = SectionOf(kFirst, "EDIT").Font;
  // The caption's ink inside the first column's cell of the first row, on the screen.
  auto firstColumnInk = [&] {
    RECT cell{};
    cell.top = 0;
    cell.left = LVIR_BOUNDS;
    SendMessageA(wnd, LVM_GETSUBITEMRECT, 0, reinterpret_cast<LPARAM>(&cell));
    cell.right = std::min<LONG>(cell.left + static_cast<LONG>(SendMessageA(wnd, LVM_GETCOLUMNWIDTH, 0, 0)), cell.right);
    Settle();
    // The screen under the list, its 2-pixel frame included.
    auto shot = ScreenOf(list);
    return testing_paint::CountColour(*shot, fw::TRect(cell.left + 2, cell.top + 2, cell.right + 2, cell.bottom + 2), ink);
  };
  bar->SetPosition(bar->GetMax());
  Settle();
  EXPECT_EQ(NativeInfo(SB_HORZ).nPos, bar->GetPosition());
  EXPECT_GT(bar->GetPosition(), 0);
  bar->SetPosition(0);
  Settle();
  EXPECT_EQ(NativeInfo(SB_HORZ).nPos, 0);
  EXPECT_GT(firstColumnInk(), 10);
}

TEST_F(SkinnedListViewTest, HidingTheListHidesItsBars) {
  MakeList(100);
  list->GetColumn(0)->SetWidth(400);
  Settle();
  list->SetBounds(20, 20, 301, 200);
  Settle();
  ASSERT_TRUE(list->GetVertBar()->GetVisible());
  ASSERT_TRUE(list->GetHorzBar()->GetVisible());
  list->SetVisible(false);
  Settle();
  EXPECT_FALSE(list->GetVertBar()->GetVisible());
  EXPECT_FALSE(list->GetHorzBar()->GetVisible());
  list->SetVisible(true);
  Settle();
  EXPECT_TRUE(list->GetVertBar()->GetVisible());
  EXPECT_TRUE(list->GetHorzBar()->GetVisible());
}

TEST_F(SkinnedListViewTest, AColumnWithoutImageIsInsertedWithoutOne) {
  MakeList();
  LVCOLUMNA column{};
  char caption[] = "Extra";
  column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_IMAGE;
  column.pszText = caption;
  column.cx = 50;
  column.iImage = -1;
  SendMessageA(list->GetHandle(), LVM_INSERTCOLUMNA, 2, reinterpret_cast<LPARAM>(&column));
  HDITEMA item{};
  item.mask = HDI_IMAGE | HDI_FORMAT;
  item.iImage = -1;
  SendMessageA(Header(), HDM_GETITEMA, 2, reinterpret_cast<LPARAM>(&item));
  EXPECT_NE(item.iImage, -1);
  EXPECT_EQ(item.fmt & HDF_IMAGE, 0);
}

TEST_F(SkinnedListViewTest, TheBoundLabelFollowsTheList) {
  MakeList();
  list->SetName("lvPaths");
  skin::TkBoundLabel* bound = list->GetBoundLabel();
  bound->SetLayout(skin::sclTopLeft);
  bound->SetCaption("Paths");
  bound->SetActive(true);
  skin::TkEditLabel* label = bound->GetLabel();
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->GetName(), "lvPathsLabel");
  EXPECT_EQ(label->GetLeft(), 20);
  EXPECT_EQ(label->GetTop() + label->GetHeight(), 20);
  list->SetBounds(40, 60, 300, 200);
  Settle();
  EXPECT_EQ(label->GetLeft(), 40);
  EXPECT_EQ(label->GetTop() + label->GetHeight(), 60);
  list->SetVisible(false);
  EXPECT_FALSE(label->GetVisible());
  list->SetEnabled(false);
  EXPECT_FALSE(label->GetEnabled());
}

TEST_F(SkinnedListViewTest, AListFreedWhileItsStyleChangeLetsMessagesThroughIsLeftAlone) {
  MakeList();
  PostMessageA(form->GetHandle(), kFreeList, 0, 0);
  HWND wnd = list->GetHandle();
  const LONG style = GetWindowLongA(wnd, GWL_STYLE);
  SetWindowLongA(wnd, GWL_STYLE, (style & ~LVS_TYPEMASK) | LVS_LIST);
  EXPECT_EQ(list, nullptr);
  EXPECT_FALSE(IsWindow(wnd));
  Settle();
}

TEST_F(SkinnedListViewTest, SkinChangesRepaintListHeaderAndBars) {
  MakeList(100);
  skin::TkIntScrollBar* bar = list->GetVertBar();
  ASSERT_TRUE(bar->GetVisible());
  auto trackPixel = [&] { return WindowPixelOf(bar->GetHandle(), bar->GetWidth() / 2, bar->GetHeight() * 3 / 4); };
  const fw::TColor track = trackPixel();
  EXPECT_EQ(track, SectionOf(kFirst, "SCROLLBAR2V").Face[kNormal]);
  UseSecondSkin();
  Settle();
  HWND wnd = list->GetHandle();
  const TSectionColours& edit = SectionOf(kSecond, "EDIT");
  EXPECT_EQ(list->GetColor(), edit.Face[kNormal]);
  EXPECT_EQ(WindowPixelOf(wnd, 1, 100), edit.Edge[kNormal]);
  EXPECT_EQ(SectionFace(0), SectionOf(kSecond, "COLHEADER").Face[kNormal]);
  // The bar shows over the list in the new skin.
  EXPECT_TRUE(bar->GetVisible());
  EXPECT_EQ(trackPixel(), SectionOf(kSecond, "SCROLLBAR2V").Face[kNormal]);
  EXPECT_EQ(bar->GetSkinData()->GetSkinManager(), manager);

  // Without the skin: the native bars, the window's colours, the native header.
  manager->SetActive(false);
  Settle();
  EXPECT_FALSE(bar->GetVisible());
  EXPECT_FALSE(list->GetHorzBar()->GetVisible());
  EXPECT_EQ(list->GetColor(), fw::clWindow);
  EXPECT_EQ(list->GetFont()->GetColor(), fw::clWindowText);
  EXPECT_EQ(SendMessageA(wnd, LVM_GETBKCOLOR, 0, 0), static_cast<LRESULT>(fw::ColorToRGB(fw::clWindow)));
  EXPECT_NE(SectionFace(0), SectionOf(kSecond, "COLHEADER").Face[kNormal]);
  EXPECT_TRUE(GetWindowLongA(wnd, GWL_STYLE) & WS_VSCROLL);
}

// Deleting the last row of a list scrolled to its end scrolls it back by a row: the screen
// shows the rows the list holds, as a full repaint would, with the skin and without.
TEST_F(SkinnedListViewTest, DeletingTheLastRowAtTheEndShowsTheRowsHeld) {
  for (bool skinned : {true, false}) {
    if (!skinned) {
      list->Free();
      manager->Free();
      manager = nullptr;
    }
    MakeList(30);
    list->GetItems()->GetItem(29)->MakeVisible(false);
    Settle();
    const int top = TopIndex();
    ASSERT_GT(top, 0);
    list->GetItems()->Delete(29);
    Settle();
    EXPECT_EQ(TopIndex(), top - 1) << skinned;
    const auto shown = ScreenOf(list);
    RedrawWindow(list->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    Settle();
    EXPECT_TRUE(SamePixels(*shown, *ScreenOf(list))) << skinned;
  }
}

TEST_F(SkinnedListViewTest, WithoutAManagerItIsTheFrameworkList) {
  manager->Free();
  manager = nullptr;
  MakeList(100);
  EXPECT_FALSE(list->GetVertBar()->GetVisible());
  EXPECT_EQ(list->GetColor(), fw::clWindow);
  EXPECT_EQ(SendMessageA(list->GetHandle(), LVM_GETBKCOLOR, 0, 0),
            static_cast<LRESULT>(fw::ColorToRGB(fw::clWindow)));
  // Scrolling is the list's own.
  list->Scroll(0, 5 * list->GetItems()->GetItem(0)->DisplayRect(LVIR_BOUNDS).Height());
  Settle();
  EXPECT_EQ(TopIndex(), 5);
  EXPECT_EQ(list->GetVertBar()->GetPosition(), 0);
}

}  // namespace

namespace {

// Row check boxes are the skin's box glyphs while a skin is active, in each skin it changes to,
// and the system's again without a skin.
TEST_F(SkinnedListViewTest, RowCheckBoxesAreTheSkinsBoxGlyphs) {
  {
    fw::TLoadScope loading;
    list = fw::New<skin::TkListView>(form);
    list->GetSkinData()->SetSkinSection("EDIT");
    list->SetViewStyle(fw::vsReport);
    list->SetCheckboxes(true);
    fw::TListColumn* column = list->GetColumns()->Add();
    column->SetCaption("Name");
    column->SetWidth(150);
    list->SetBounds(20, 20, 300, 200);
    list->SetParent(form);
  }
  AddRows(2);
  list->GetItems()->GetItem(0)->SetChecked(true);
  form->Show();
  Settle();
  // The glyph colour within the first 24 pixels of a row.
  auto glyphPixels = [&](int row, fw::TColor colour) {
    Settle();
    RECT r{LVIR_BOUNDS, 0, 0, 0};
    SendMessageA(list->GetHandle(), LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
    auto shot = ScreenOf(list);
    const int frame = 2;  // the skinned frame round the client area
    return testing_paint::CountColour(*shot, fw::TRect(r.left + frame, r.top + frame, r.left + frame + 24, r.bottom + frame), colour);
  };
  EXPECT_GT(glyphPixels(0, GlyphColour(kFirst, "BOXCHECKED", kNormal)), 0);
  EXPECT_GT(glyphPixels(1, GlyphColour(kFirst, "BOXUNCHECKED", kNormal)), 0);
  UseSecondSkin();
  EXPECT_GT(glyphPixels(0, GlyphColour(kSecond, "BOXCHECKED", kNormal)), 0);
  EXPECT_GT(glyphPixels(1, GlyphColour(kSecond, "BOXUNCHECKED", kNormal)), 0);
  EXPECT_TRUE(list->GetItems()->GetItem(0)->GetChecked());
  EXPECT_FALSE(list->GetItems()->GetItem(1)->GetChecked());
  manager->SetActive(false);
  EXPECT_EQ(glyphPixels(0, GlyphColour(kSecond, "BOXCHECKED", kNormal)), 0);
  EXPECT_EQ(glyphPixels(1, GlyphColour(kSecond, "BOXUNCHECKED", kNormal)), 0);
}

}  // namespace
