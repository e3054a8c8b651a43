// The skinned list box and check list box against the control test skin: the search restart
// and the toggle cycle as functions; lines kept by the window through a re-creation, deletion
// order, index errors and virtual counts; incremental search with the tick count through the
// clock seam; the frame from the "EDIT" cache, the section's colours, the skinned bar overlay
// (hidden and shown with the list); check glyphs per state, a disabled line's glyph blended 0.4,
// header colours; check states and enabled flags through a re-creation, clicks in the check area
// and the space bar; the skin commands.
#include <gtest/gtest.h>

#include <vector>

#include "framework/forms/application.h"
#include "framework/forms/custom_form.h"
#include "framework/rtl/exceptions.h"
#include "framework/rtl/seams.h"
#include "framework/stdctrls/custom_edit.h"
#include "skin/controls/check_list_box.h"
#include "skin/controls/label.h"
#include "skin/controls/list_box.h"
#include "skin/engine/glyphs_text.h"
#include "skin/engine/scroll_bar.h"
#include "skin/engine/skin_manager.h"
#include "support/control_skin.h"

namespace {

using namespace control_skin;
using test_skins::PixelOf;

const TSectionColours kEdit = SectionOf(kFirst, "EDIT");

TEST(ListBoxSearch, RestartsAfterHalfASecond) {
  EXPECT_FALSE(skin::SearchRestarts(1000, 1000));
  EXPECT_FALSE(skin::SearchRestarts(1000, 1499));
  EXPECT_TRUE(skin::SearchRestarts(1000, 1500));
  EXPECT_TRUE(skin::SearchRestarts(0xFFFFFF00u, 0x000001F4u));  // across the wrap of the tick count
}

TEST(CheckListToggle, Cycles) {
  using fw::cbChecked, fw::cbGrayed, fw::cbUnchecked;
  EXPECT_EQ(skin::NextCheckState(cbUnchecked, false), cbChecked);
  EXPECT_EQ(skin::NextCheckState(cbChecked, false), cbUnchecked);
  EXPECT_EQ(skin::NextCheckState(cbUnchecked, true), cbGrayed);
  EXPECT_EQ(skin::NextCheckState(cbGrayed, true), cbChecked);
  EXPECT_EQ(skin::NextCheckState(cbChecked, true), cbUnchecked);
}

// A clock whose tick count the test sets.
struct TSteppedClock : fw::testing::TClock {
  DWORD Tick = 10000;
  DWORD GetTickCount() override { return Tick; }
};

// A list box that notes the lines it deletes.
class TNotingListBox : public skin::TkListBox {
 public:
  using skin::TkListBox::TkListBox;
  std::vector<int> Deleted;

 protected:
  void DeleteString(int index) override {
    Deleted.push_back(index);
    skin::TkListBox::DeleteString(index);
  }
};

class SkinnedListBoxTest : public ControlSkinTest {
 protected:
  void SetUp() override {
    ControlSkinTest::SetUp();
    form = fw::New<fw::TForm>(fw::Application);
    form->SetBounds(40, 40, 420, 360);
    form->SetColor(0x5A6A7A);
    list = fw::New<TNotingListBox>(form);
    list->SetName("Lines");
    list->SetBounds(20, 20, 160, 120);
    list->SetParent(form);
    checks = fw::New<skin::TkCheckListBox>(form);
    checks->SetName("Checks");
    checks->SetBounds(200, 20, 160, 150);
    checks->SetParent(form);
    edit = fw::New<fw::TEdit>(form);
    edit->SetBounds(20, 300, 80, 24);
    edit->SetParent(form);
    form->Show();
    edit->SetFocus();
    Settle();
  }
  void TearDown() override {
    fw::Free(form);
    ControlSkinTest::TearDown();
  }
  static void Fill(skin::TkSkinListBox* box, int count) {
    for (int i = 0; i < count; ++i) box->GetItems()->Add("Line " + std::string(i < 10 ? "0" : "") + std::to_string(i));
  }
  // A key typed into the focused list through the message loop.
  void Type(char c) {
    PostMessageA(list->GetHandle(), WM_CHAR, static_cast<unsigned char>(c), 1);
    fw::Application->ProcessMessages();
  }
  void ClickAt(fw::TWinControl* c, int x, int y) {
    SendMessageA(c->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageA(c->GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  }
  // The screen pixel at a client point of the list.
  fw::TColor ClientPixel(fw::TWinControl* c, int x, int y) {
    c->Repaint();
    Settle();
    return PixelOf(*ScreenOf(c), x + 2, y + 2);
  }

  fw::TForm* form = nullptr;
  fw::TEdit* edit = nullptr;
  TNotingListBox* list = nullptr;
  skin::TkCheckListBox* checks = nullptr;
};

TEST_F(SkinnedListBoxTest, LinesSurviveRecreation) {
  Fill(list, 30);
  for (int i = 0; i < 30; ++i) list->GetItems()->SetObjects(i, reinterpret_cast<void*>(static_cast<intptr_t>(100 + i)));
  list->SetTopIndex(10);
  list->SetItemIndex(12);
  const HWND before = list->GetHandle();
  list->SetSorted(true);  // re-creates the window
  ASSERT_NE(list->GetHandle(), before);
  ASSERT_EQ(list->GetItems()->GetCount(), 30);
  EXPECT_EQ(list->GetItems()->GetStrings(29), "Line 29");
  EXPECT_EQ(reinterpret_cast<intptr_t>(list->GetItems()->GetObjects(7)), 107);
  EXPECT_EQ(list->GetTopIndex(), 10);
  EXPECT_EQ(list->GetItemIndex(), 12);
  EXPECT_TRUE(GetWindowLongA(list->GetHandle(), GWL_STYLE) & LBS_SORT);
  // Now sorted by the window.
  list->GetItems()->Add("Line 055");
  EXPECT_EQ(list->GetItems()->IndexOf("Line 055"), 6);
  // Owner-drawn always.
  EXPECT_TRUE(GetWindowLongA(list->GetHandle(), GWL_STYLE) & LBS_OWNERDRAWFIXED);
}

TEST_F(SkinnedListBoxTest, SelectionDeletionAndErrors) {
  Fill(list, 5);
  EXPECT_EQ(list->GetItemIndex(), -1);
  list->DeleteSelected();
  EXPECT_TRUE(list->Deleted.empty());
  list->SetItemIndex(2);
  list->DeleteSelected();
  EXPECT_EQ(list->Deleted, std::vector<int>{2});
  // Multiple selection: the selected lines go last first.
  list->SetMultiSelect(true);
  list->GetItems()->Insert(2, "Line 02");
  ASSERT_EQ(list->GetItems()->GetCount(), 5);
  list->Deleted.clear();
  list->SetSelected(1, true);
  list->SetSelected(3, true);
  EXPECT_TRUE(list->GetSelected(3));
  EXPECT_FALSE(list->GetSelected(2));
  list->DeleteSelected();
  EXPECT_EQ(list->Deleted, (std::vector<int>{3, 1}));
  EXPECT_EQ(list->GetItems()->GetStrings(1), "Line 02");

  try {
    list->GetItems()->GetStrings(9);
    ADD_FAILURE() << "no error";
  } catch (const fw::Exception& e) {
    EXPECT_STREQ(e.what(), "List index out of bounds (9)");
  }
  EXPECT_THROW(list->GetItems()->Delete(-1), fw::Exception);
  EXPECT_THROW(list->GetSelected(40), fw::Exception);

  // Count is for virtual lists only.
  try {
    list->SetCount(10);
    ADD_FAILURE() << "no error";
  } catch (const fw::Exception& e) {
    EXPECT_STREQ(e.what(), "Listbox (Lines) style must be virtual in order to set Count");
  }
  list->OnData = [](fw::TWinControl*, int index, std::string& data) { data = "Virtual " + std::to_string(index); };
  list->SetStyle(skin::lbVirtual);
  EXPECT_EQ(list->GetCount(), 0);
  list->SetCount(1000);
  EXPECT_EQ(list->GetCount(), 1000);
  EXPECT_EQ(list->GetItems()->GetStrings(777), "Virtual 777");
  EXPECT_EQ(SendMessageA(list->GetHandle(), LB_GETCOUNT, 0, 0), 1000);
}

TEST_F(SkinnedListBoxTest, IncrementalSearchRestartsAfterAPause) {
  TSteppedClock clock;
  fw::testing::SetClock(&clock);
  for (const char* line : {"apple", "abacus", "abbey", "banana", "bagel", "cherry"}) list->GetItems()->Add(line);
  list->SetFocus();
  Type('a');
  EXPECT_EQ(list->GetItemIndex(), 0);
  clock.Tick += 300;
  Type('b');
  EXPECT_EQ(list->GetItemIndex(), 1);  // "ab"
  clock.Tick += 499;
  Type('b');
  EXPECT_EQ(list->GetItemIndex(), 2);  // "abb"
  clock.Tick += 500;
  Type('b');
  EXPECT_EQ(list->GetItemIndex(), 3);  // a new search: "b"
  clock.Tick += 10;
  Type('a');
  Type('g');
  EXPECT_EQ(list->GetItemIndex(), 4);  // "bag"
  clock.Tick += 10;
  Type('\b');
  Type('\b');
  Type('\b');  // empty again: the first line
  EXPECT_EQ(list->GetItemIndex(), 0);
}

TEST_F(SkinnedListBoxTest, SkinnedLookAndOverlay) {
  // The section's colours, the frame from the cache.
  EXPECT_EQ(list->GetColor(), kEdit.Face[kNormal]);
  EXPECT_EQ(list->GetFont()->GetColor(), kEdit.Font);
  Fill(list, 3);
  list->SetItemIndex(1);
  Settle();
  auto shot = ScreenOf(list);
  EXPECT_EQ(PixelOf(*shot, 1, 40), kEdit.Edge[kNormal]);
  EXPECT_EQ(PixelOf(*shot, list->GetWidth() - 1, 60), kEdit.Edge[kNormal]);
  EXPECT_EQ(PixelOf(*shot, 80, list->GetHeight() - 1), kEdit.Edge[kNormal]);
  // Lines over the section colour, the selected one highlighted, below them the section colour.
  EXPECT_EQ(PixelOf(*shot, 150, 2 + 8), kEdit.Face[kNormal]);
  EXPECT_EQ(PixelOf(*shot, 150, 2 + 16 + 8), fw::ColorToRGB(fw::clHighlight));
  EXPECT_EQ(PixelOf(*shot, 150, 100), kEdit.Face[kNormal]);
  // All lines fit: no bar. Many lines: a skinned bar over the native one, named after the list.
  EXPECT_TRUE(!list->GetVertBar() || !list->GetVertBar()->GetVisible());
  Fill(list, 40);
  ASSERT_NE(list->GetVertBar(), nullptr);
  EXPECT_TRUE(list->GetVertBar()->GetVisible());
  EXPECT_EQ(list->GetVertBar()->GetName(), "LinesVSBar");
  EXPECT_EQ(list->GetVertBar()->GetParent(), form);
  EXPECT_EQ(list->GetVertBar()->GetLeft() + list->GetVertBar()->GetWidth(), list->GetLeft() + list->GetWidth() - 2);
  // The bar scrolls the list.
  list->GetVertBar()->SetPosition(20);
  list->GetVertBar()->OnPosChange(list->GetVertBar(), 0);
  EXPECT_EQ(list->GetTopIndex(), 20);

  // The second skin's colours; removal gives the window colours and hides the bar.
  UseSecondSkin();
  Settle();
  EXPECT_EQ(list->GetColor(), SectionOf(kSecond, "EDIT").Face[kNormal]);
  EXPECT_EQ(PixelOf(*ScreenOf(list), 1, 40), SectionOf(kSecond, "EDIT").Edge[kNormal]);
  manager->SetActive(false);
  Settle();
  EXPECT_EQ(list->GetColor(), fw::clWindow);
  EXPECT_FALSE(list->GetVertBar()->GetVisible());
  EXPECT_EQ(list->GetItems()->GetCount(), 43);
}

TEST_F(SkinnedListBoxTest, HiddenListHidesItsBars) {
  // The horizontal overlay bar of a multi-column list of many lines.
  list->SetColumns(1);
  Fill(list, 40);
  Settle();
  skin::TkScrollBar* bar = list->GetHorzBar();
  ASSERT_NE(bar, nullptr);
  ASSERT_TRUE(IsWindowVisible(bar->GetHandle()));
  const fw::TPoint where(bar->GetLeft() + bar->GetWidth() / 2, bar->GetTop() + bar->GetHeight() / 2);
  auto formPixel = [&] {
    form->Repaint();
    Settle();
    const fw::TPoint p = form->ClientToScreen(where);
    HDC screen = GetDC(nullptr);
    const COLORREF c = GetPixel(screen, p.X, p.Y);
    ReleaseDC(nullptr, screen);
    return static_cast<fw::TColor>(c);
  };
  EXPECT_NE(formPixel(), 0x5A6A7A);

  // Hidden, the list takes its bars with it: the form shows where they were.
  list->SetVisible(false);
  EXPECT_FALSE(bar->GetVisible());
  EXPECT_FALSE(IsWindowVisible(bar->GetHandle()));
  EXPECT_EQ(formPixel(), 0x5A6A7A);
  // Shown again, the bars come back where they were.
  list->SetVisible(true);
  Settle();
  EXPECT_TRUE(IsWindowVisible(bar->GetHandle()));
  EXPECT_EQ(bar->GetTop() + bar->GetHeight(), list->GetTop() + list->GetHeight() - 2);
  EXPECT_NE(formPixel(), 0x5A6A7A);
  // Also the vertical bar of a one-column list.
  list->SetColumns(0);
  Settle();
  ASSERT_NE(list->GetVertBar(), nullptr);
  ASSERT_TRUE(IsWindowVisible(list->GetVertBar()->GetHandle()));
  list->SetVisible(false);
  EXPECT_FALSE(IsWindowVisible(list->GetVertBar()->GetHandle()));
  list->SetVisible(true);
  Settle();
  EXPECT_TRUE(IsWindowVisible(list->GetVertBar()->GetHandle()));
}

TEST_F(SkinnedListBoxTest, ColumnsBarAndBoundLabel) {
  // One column over a width of 160: lines flow into further columns, a horizontal overlay.
  list->SetColumns(1);
  EXPECT_TRUE(GetWindowLongA(list->GetHandle(), GWL_STYLE) & LBS_MULTICOLUMN);
  EXPECT_EQ(list->ItemRect(0).Width(), (160 + 1 - 3) / 1);
  Fill(list, 40);
  ASSERT_NE(list->GetHorzBar(), nullptr);
  EXPECT_TRUE(list->GetHorzBar()->GetVisible());
  EXPECT_EQ(list->GetHorzBar()->GetName(), "LinesHSBar");
  EXPECT_EQ(list->GetHorzBar()->GetWidth(), 160 - 4);
  EXPECT_EQ(list->GetHorzBar()->GetTop() + list->GetHorzBar()->GetHeight(), list->GetTop() + list->GetHeight() - 2);
  // The bound label follows the list's enabled state and visibility.
  list->GetBoundLabel()->SetCaption("Lines:");
  list->GetBoundLabel()->SetActive(true);
  skin::TkEditLabel* label = list->GetBoundLabel()->GetLabel();
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->GetName(), "LinesLabel");
  list->SetEnabled(false);
  EXPECT_FALSE(label->GetEnabled());
  list->SetVisible(false);
  EXPECT_FALSE(label->GetVisible());
}

TEST_F(SkinnedListBoxTest, CheckGlyphsAndHeaders) {
  for (const char* line : {"Unchecked", "Checked", "Grayed", "Disabled", "Header"}) checks->GetItems()->Add(line);
  EXPECT_FALSE(checks->GetChecked(0));
  checks->SetState(1, fw::cbChecked);
  checks->SetState(2, fw::cbGrayed);
  checks->SetState(3, fw::cbChecked);
  checks->SetItemEnabled(3, false);
  checks->SetHeader(4, true);
  EXPECT_TRUE(checks->GetChecked(1));
  EXPECT_FALSE(checks->GetChecked(2));
  EXPECT_EQ(checks->CheckWidth(), 11 + 2);
  // The glyph centred in the check area of each line (its frame 0).
  auto glyphAt = [&](int line) { return ClientPixel(checks, 13 / 2, line * 16 + 8); };
  EXPECT_EQ(glyphAt(0), GlyphColour(kFirst, "SMALLUNCHECKED", kNormal));
  EXPECT_EQ(glyphAt(1), GlyphColour(kFirst, "SMALLCHECKED", kNormal));
  EXPECT_EQ(glyphAt(2), GlyphColour(kFirst, "SMALLGRAYED", kNormal));
  // Disabled: 0.6 of the glyph, 0.4 of what lies under it.
  EXPECT_EQ(glyphAt(3), skin::MixColorsByFactor(GlyphColour(kFirst, "SMALLCHECKED", kNormal), kEdit.Face[kNormal], 0.6));
  // The header line: GLOBALINFO's colour, no glyph.
  EXPECT_EQ(glyphAt(4), manager->GetGlobalColor());
  EXPECT_EQ(ClientPixel(checks, 140, 4 * 16 + 8), manager->GetGlobalColor());
  // Unskinned, the header takes HeaderBackgroundColor.
  manager->SetActive(false);
  Settle();
  EXPECT_EQ(checks->GetState(2), fw::cbGrayed);  // through the re-creation
  EXPECT_FALSE(checks->GetItemEnabled(3));
  checks->SetHeader(4, true);
  EXPECT_EQ(ClientPixel(checks, 140, 4 * 16 + 8), fw::ColorToRGB(fw::clInfoBk));
  checks->SetHeaderBackgroundColor(0x224466);
  EXPECT_EQ(ClientPixel(checks, 140, 4 * 16 + 8), 0x224466);
}

TEST_F(SkinnedListBoxTest, CheckStatesSurviveRecreationAndToggle) {
  for (const char* line : {"d", "b", "c", "a"}) checks->GetItems()->Add(line);
  checks->GetItems()->SetObjects(0, reinterpret_cast<void*>(intptr_t{42}));
  checks->SetState(0, fw::cbChecked);
  checks->SetState(3, fw::cbGrayed);
  checks->SetItemEnabled(1, false);
  checks->SetSorted(true);
  ASSERT_EQ(checks->GetItems()->GetCount(), 4);
  // Sorted a, b, c, d: states, enabled flags and data went with their lines.
  EXPECT_EQ(checks->GetItems()->GetStrings(0), "a");
  EXPECT_EQ(checks->GetState(0), fw::cbGrayed);
  EXPECT_EQ(checks->GetState(3), fw::cbChecked);
  EXPECT_FALSE(checks->GetItemEnabled(1));
  EXPECT_TRUE(checks->GetItemEnabled(2));
  EXPECT_EQ(reinterpret_cast<intptr_t>(checks->GetItems()->GetObjects(3)), 42);
  EXPECT_FALSE(checks->GetItemEnabled(-1));
  EXPECT_FALSE(checks->GetItemEnabled(4));

  int clicks = 0;
  checks->OnClickCheck = [&](fw::TObject*) { ++clicks; };
  // A click in the check area toggles; on the text it only selects; a disabled line stays.
  ClickAt(checks, 5, 2 * 16 + 8);
  EXPECT_EQ(checks->GetState(2), fw::cbChecked);
  ClickAt(checks, 60, 2 * 16 + 8);
  EXPECT_EQ(checks->GetState(2), fw::cbChecked);
  EXPECT_EQ(checks->GetItemIndex(), 2);
  ClickAt(checks, 5, 1 * 16 + 8);
  EXPECT_EQ(checks->GetState(1), fw::cbUnchecked);
  EXPECT_EQ(clicks, 1);
  // Space toggles the current line by the cycle.
  checks->SetAllowGrayed(true);
  checks->SetItemIndex(1);
  checks->SetItemEnabled(1, true);
  checks->SetFocus();
  for (fw::TCheckBoxState expected : {fw::cbGrayed, fw::cbChecked, fw::cbUnchecked}) {
    PostMessageA(checks->GetHandle(), WM_CHAR, ' ', 1);
    fw::Application->ProcessMessages();
    EXPECT_EQ(checks->GetState(1), expected);
  }
  // No current line: space does nothing.
  checks->SetItemIndex(-1);
  clicks = 0;
  PostMessageA(checks->GetHandle(), WM_CHAR, ' ', 1);
  fw::Application->ProcessMessages();
  EXPECT_EQ(clicks, 0);
  // Deleting and clearing take the wrappers along.
  checks->GetItems()->Delete(0);
  EXPECT_EQ(checks->GetState(0), fw::cbUnchecked);  // was "b"
  checks->Clear();
  EXPECT_EQ(checks->GetItems()->GetCount(), 0);
}

// With no manager at all the lists draw plainly: window colours, the system's check box.
class ListBoxWithoutManagerTest : public testing_gui::GuiTest {};

TEST_F(ListBoxWithoutManagerTest, PlainDrawingAndToggling) {
  auto* form = fw::New<fw::TForm>(fw::Application);
  form->SetBounds(40, 40, 300, 200);
  auto* checks = fw::New<skin::TkCheckListBox>(form);
  checks->SetBounds(10, 10, 200, 120);
  checks->SetParent(form);
  checks->GetItems()->Add("One");
  checks->GetItems()->Add("Two");
  form->Show();
  checks->SetState(1, fw::cbChecked);
  fw::Application->ProcessMessages();
  EXPECT_EQ(checks->GetColor(), fw::clWindow);
  auto shot = ScreenOf(checks);
  EXPECT_EQ(PixelOf(*shot, 2 + 150, 2 + 8), fw::ColorToRGB(fw::clWindow));
  // The check area holds the system check box with its shadow square.
  const fw::TRect area(2, 2 + 16, 2 + checks->CheckWidth(), 2 + 32);
  EXPECT_GT(testing_paint::CountColour(*shot, area, fw::ColorToRGB(fw::clBtnShadow)), 8);
  EXPECT_EQ(checks->GetVertBar(), nullptr);
  SendMessageA(checks->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 8));
  SendMessageA(checks->GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(3, 8));
  EXPECT_TRUE(checks->GetChecked(0));
  fw::Free(form);
}

}  // namespace
