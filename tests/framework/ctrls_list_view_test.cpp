// The list view wrapper on a real SysListView32: check-box clicks and the events they fire
// (OnChange, and OnMouseUp even when the native control eats the button-up), items and
// sub-items round trips with the window, re-creation, sorting and owner-data requests. The
// behaviour of items runs twice: with the rows in the window and with rows on demand.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/comctrls/list_view.h"
#include "framework/forms/application.h"
#include "framework/forms/custom_form.h"
#include "support/gui_test_support.h"
#include "support/real_input.h"

using namespace fw;

namespace {

class CtrlsListView : public testing_gui::GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    form = New<TForm>(Application);
    form->SetBounds(50, 50, 400, 300);
    list = New<TListView>(form);
    list->SetParent(form);
    list->SetBounds(8, 8, 360, 240);
    list->SetViewStyle(vsReport);
    list->SetCheckboxes(true);
    list->SetRowSelect(true);
    list->SetReadOnly(true);
    TListColumn* name = list->GetColumns()->Add();
    name->SetCaption("Name");
    name->SetWidth(120);
    list->GetColumns()->Add()->SetCaption("Size");
  }

  TListItem* AddRow(const std::string& caption, const std::string& size) {
    TListItem* item = list->GetItems()->Add();
    item->SetCaption(caption);
    item->GetSubItems()->Add(size);
    return item;
  }
  void ShowForm() {
    form->Show();
    Application->ProcessMessages();
  }
  // The client point of the row's check box.
  TPoint StateIconPoint(TListItem* item) {
    TRect r = item->DisplayRect(LVIR_BOUNDS);
    int y = (r.Top + r.Bottom) / 2;
    for (int x = r.Left; x < r.Right; ++x)
      if (list->GetHitTestInfoAt(x, y).Contains(htOnStateIcon)) return TPoint(x + 3, y);
    ADD_FAILURE() << "no state icon found";
    return TPoint(0, 0);
  }
  std::string NativeText(int index, int sub) {
    char buffer[128] = "";
    LVITEMA item{};
    item.iSubItem = sub;
    item.pszText = buffer;
    item.cchTextMax = sizeof buffer;
    SendMessageA(list->GetHandle(), LVM_GETITEMTEXTA, index, reinterpret_cast<LPARAM>(&item));
    return buffer;
  }

  TForm* form = nullptr;
  TListView* list = nullptr;
};

// The same behaviour whether the window holds the rows or asks for them (rows on demand).
class CtrlsListViewRows : public CtrlsListView, public ::testing::WithParamInterface<bool> {
 protected:
  void SetUp() override {
    CtrlsListView::SetUp();
    list->SetRowsOnDemand(GetParam());
  }
};

}  // namespace

INSTANTIATE_TEST_SUITE_P(Modes, CtrlsListViewRows, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "OnDemand" : "InWindow"; });

TEST_P(CtrlsListViewRows, ACheckBoxClickTogglesTheRowAndStillDeliversMouseUp) {
  AddRow("a.tmp", "1");
  TListItem* second = AddRow("b.tmp", "2");
  ShowForm();
  std::vector<std::string> log;
  list->OnChange = [&](TObject*, TListItem* item, TItemChange change) {
    if (change == ctState && item) log.push_back("change " + item->GetCaption() + (item->GetChecked() ? " on" : " off"));
  };
  list->OnMouseUp = [&](TObject*, TMouseButton button, TShiftState, int, int) {
    if (button == mbLeft) log.push_back("up " + std::string(second->GetChecked() ? "on" : "off"));
  };
  TPoint p = StateIconPoint(second);
  HWND wnd = list->GetHandle();
  // A real click: both messages are queued, the native control may eat the button-up.
  PostMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(p.X, p.Y));
  PostMessageA(wnd, WM_LBUTTONUP, 0, PointToLParam(p.X, p.Y));
  for (int i = 0; i < 5; ++i) Application->ProcessMessages();
  EXPECT_TRUE(second->GetChecked());
  EXPECT_FALSE(list->GetItems()->GetItem(0)->GetChecked());
  ASSERT_FALSE(log.empty());
  EXPECT_NE(std::find(log.begin(), log.end(), "change b.tmp on"), log.end());
  EXPECT_EQ(std::count(log.begin(), log.end(), "up on"), 1) << "one OnMouseUp, after the tick";
  EXPECT_EQ(log.back(), "up on");
  EXPECT_FALSE(list->GetControlState().Contains(csLButtonDown));

  // A button-down alone (the button-up swallowed by the native control) still ends in MouseUp.
  log.clear();
  SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(p.X, p.Y));
  Application->ProcessMessages();
  EXPECT_FALSE(second->GetChecked());
  EXPECT_EQ(std::count(log.begin(), log.end(), "up off"), 1);
}

// Input through the system's queue, as a hand gives it: the button may still be down when the
// press is handled, or the native drag loop may take the button-up; either way one OnMouseUp.
TEST_P(CtrlsListViewRows, EachPressFromTheInputQueueEndsInOneMouseUp) {
  AddRow("a.tmp", "1");
  TListItem* second = AddRow("b.tmp", "2");
  ShowForm();
  int ups = 0;
  list->OnMouseUp = [&](TObject*, TMouseButton button, TShiftState, int, int) { ups += button == mbLeft; };
  auto pointAt = [&](TPoint p) {
    POINT at{p.X, p.Y};
    ClientToScreen(list->GetHandle(), &at);
    SetForegroundWindow(form->GetHandle());
    SetCursorPos(at.x, at.y);
    Application->ProcessMessages();
  };
  auto send = [](std::initializer_list<DWORD> flags) {
    testing_input::SendLeftButtons(flags);
    for (int i = 0; i < 5; ++i) Application->ProcessMessages();
  };
  pointAt(StateIconPoint(second));
  send({MOUSEEVENTF_LEFTDOWN});
  EXPECT_TRUE(second->GetChecked());
  EXPECT_EQ(ups, 0) << "the button is still down";
  send({MOUSEEVENTF_LEFTUP});
  EXPECT_EQ(ups, 1);
  TRect label = second->DisplayRect(LVIR_LABEL);
  pointAt(TPoint(label.Left + 5, (label.Top + label.Bottom) / 2));
  send({MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP});
  EXPECT_EQ(ups, 2);
  EXPECT_TRUE(second->GetSelected());
  EXPECT_FALSE(list->GetControlState().Contains(csLButtonDown));
}

// A click on a row anywhere but its box (its other columns included) chooses the row and leaves
// its tick; the hit test names the box only where the box is.
TEST_P(CtrlsListViewRows, AClickBesideTheBoxLeavesTheTick) {
  TListItem* first = AddRow("a.tmp", "1");
  TListItem* second = AddRow("b.tmp", "2");
  first->SetChecked(true);
  ShowForm();
  TRect bounds = second->DisplayRect(LVIR_BOUNDS);
  int y = (bounds.Top + bounds.Bottom) / 2;
  int inSize = list->GetColumns()->GetItems(0)->GetWidth() + 20;
  EXPECT_EQ(list->GetHitTestInfoAt(inSize, y), THitTests{htOnItem});
  EXPECT_TRUE(list->GetHitTestInfoAt(StateIconPoint(second).X, y).Contains(htOnStateIcon));
  for (TListItem* row : {second, first}) {
    TRect r = row->DisplayRect(LVIR_BOUNDS);
    POINT at{inSize, (r.Top + r.Bottom) / 2};
    ClientToScreen(list->GetHandle(), &at);
    SetForegroundWindow(form->GetHandle());
    SetCursorPos(at.x, at.y);
    Application->ProcessMessages();
    Sleep(600);  // not a double click with the one before
    testing_input::SendClick();
    for (int i = 0; i < 5; ++i) Application->ProcessMessages();
    EXPECT_EQ(list->GetSelected(), row);
  }
  EXPECT_TRUE(first->GetChecked());
  EXPECT_FALSE(second->GetChecked());
}

TEST_P(CtrlsListViewRows, CheckStateSetInCodeReachesTheWindowAndSurvivesRecreation) {
  TListItem* a = AddRow("a", "1");
  TListItem* b = AddRow("b", "2");
  b->SetChecked(true);  // before the window exists
  ShowForm();
  EXPECT_FALSE(a->GetChecked());
  EXPECT_TRUE(b->GetChecked());
  EXPECT_EQ(SendMessageA(list->GetHandle(), LVM_GETITEMSTATE, 1, LVIS_STATEIMAGEMASK) >> 12, 2);
  int changes = 0;
  list->OnChange = [&](TObject*, TListItem* item, TItemChange change) {
    if (change == ctState && item == a) ++changes;
  };
  a->SetChecked(true);
  EXPECT_TRUE(a->GetChecked());
  EXPECT_EQ(changes, 1);
  list->OnChange = nullptr;
  a->SetSelected(true);
  list->SetBorderStyle(bsNone);  // a new window
  EXPECT_TRUE(a->GetChecked());
  EXPECT_TRUE(b->GetChecked());
  EXPECT_EQ(list->GetSelected(), a);
  EXPECT_EQ(NativeText(1, 1), "2");
}

TEST_P(CtrlsListViewRows, ItemsAndSubItemsRoundTripThroughTheWindow) {
  ShowForm();
  TListItem* a = AddRow("first", "10");
  AddRow("second", "20");
  TListItem* mid = list->GetItems()->Insert(1);
  mid->SetCaption("middle");
  mid->GetSubItems()->SetStrings(2, "far");  // past the end: extended with empty texts
  EXPECT_EQ(mid->GetSubItems()->GetCount(), 3);
  EXPECT_EQ(mid->GetSubItems()->GetStrings(0), "");
  ASSERT_EQ(list->GetItems()->GetCount(), 3);
  EXPECT_EQ(SendMessageA(list->GetHandle(), LVM_GETITEMCOUNT, 0, 0), 3);
  EXPECT_EQ(NativeText(1, 0), "middle");
  EXPECT_EQ(NativeText(2, 0), "second");
  EXPECT_EQ(NativeText(2, 1), "20");
  a->GetSubItems()->SetStrings(0, "11");
  a->SetCaption("renamed");
  EXPECT_EQ(NativeText(0, 0), "renamed");
  EXPECT_EQ(NativeText(0, 1), "11");
  int x = 7;
  mid->SetData(&x);
  LVITEMA native{};
  native.mask = LVIF_PARAM;
  native.iItem = 1;
  SendMessageA(list->GetHandle(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&native));
  EXPECT_EQ(reinterpret_cast<TListItem*>(native.lParam), mid);

  std::vector<std::string> deleted;
  list->OnDeletion = [&](TObject*, TListItem* item) { deleted.push_back(item->GetCaption()); };
  mid->Delete();
  EXPECT_EQ(list->GetItems()->GetItem(1)->GetCaption(), "second");
  EXPECT_EQ(list->GetItems()->GetItem(1)->GetIndex(), 1);
  EXPECT_EQ(NativeText(1, 0), "second");
  list->GetItems()->Clear();
  EXPECT_EQ(deleted, (std::vector<std::string>{"middle", "renamed", "second"}));
  EXPECT_EQ(SendMessageA(list->GetHandle(), LVM_GETITEMCOUNT, 0, 0), 0);
}

TEST_P(CtrlsListViewRows, SortingReordersItemsAndSelectionFollowsTheObjects) {
  ShowForm();
  AddRow("pear", "3");
  TListItem* apple = AddRow("Apple", "1");
  AddRow("mango", "2");
  apple->SetSelected(true);
  list->OnSelectItem = nullptr;
  ASSERT_TRUE(list->AlphaSort());
  EXPECT_EQ(list->GetItems()->GetItem(0), apple);
  EXPECT_EQ(apple->GetIndex(), 0);
  EXPECT_EQ(NativeText(1, 0), "mango");
  EXPECT_EQ(list->GetItemIndex(), 0);
  list->CustomSort([](TListItem* a, TListItem* b, LPARAM) {
    return std::stoi(b->GetSubItems()->GetStrings(0)) - std::stoi(a->GetSubItems()->GetStrings(0));
  }, 0);
  EXPECT_EQ(NativeText(0, 0), "pear");
  EXPECT_EQ(list->GetItems()->GetItem(2), apple);
  EXPECT_EQ(list->FindCaption(0, "man", true, true, false), list->GetItems()->GetItem(1));
}

TEST_F(CtrlsListView, OwnerDataRowsAreFetchedOnRequest) {
  list->SetCheckboxes(false);
  list->SetOwnerData(true);
  std::vector<int> fetched;
  list->OnData = [&](TObject*, TListItem* item) {
    fetched.push_back(item->GetIndex());
    item->SetCaption("row " + std::to_string(item->GetIndex()));
    item->GetSubItems()->Add(std::to_string(item->GetIndex() * 10));
  };
  list->OnDataFind = [&](TObject*, TItemFind find, const std::string& text, TPoint, void*, int, TSearchDirection,
                         bool, int& index) {
    if (find != ifData && text.rfind("row ", 0) == 0) index = std::stoi(text.substr(4));
  };
  ShowForm();
  list->GetItems()->SetCount(1000);
  EXPECT_EQ(SendMessageA(list->GetHandle(), LVM_GETITEMCOUNT, 0, 0), 1000);
  fetched.clear();
  EXPECT_EQ(NativeText(734, 0), "row 734");
  EXPECT_EQ(NativeText(734, 1), "7340");
  EXPECT_FALSE(fetched.empty());
  EXPECT_EQ(list->GetItems()->GetItem(5)->GetCaption(), "row 5");
  LVFINDINFOA find{};
  find.flags = LVFI_STRING;
  find.psz = "row 42";
  EXPECT_EQ(SendMessageA(list->GetHandle(), LVM_FINDITEMA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)),
            42);
  EXPECT_THROW(list->GetItems()->Add(), EListError);
}

TEST_F(CtrlsListView, AutoSizeColumnsShareTheWidthLeftByTheOthers) {
  list->GetColumn(1)->SetAutoSize(true);
  ShowForm();
  int client = list->GetClientWidth();
  EXPECT_EQ(SendMessageA(list->GetHandle(), LVM_GETCOLUMNWIDTH, 1, 0), client - 120);
  list->SetWidth(list->GetWidth() - 40);
  EXPECT_EQ(SendMessageA(list->GetHandle(), LVM_GETCOLUMNWIDTH, 1, 0), list->GetClientWidth() - 120);
  list->GetColumn(0)->SetWidth(0);  // hidden
  EXPECT_EQ(SendMessageA(list->GetHandle(), LVM_GETCOLUMNWIDTH, 0, 0), 0);
  EXPECT_EQ(SendMessageA(list->GetHandle(), LVM_GETCOLUMNWIDTH, 1, 0), list->GetClientWidth());
}

TEST_P(CtrlsListViewRows, TicksAndSelectionStayWithTheirRowsWhenOthersComeAndGo) {
  ShowForm();
  for (int i = 0; i < 6; ++i) AddRow("row " + std::to_string(i), std::to_string(i));
  list->GetItems()->GetItem(3)->SetSelected(true);
  list->GetItems()->GetItem(3)->SetFocused(true);
  list->GetItems()->GetItem(4)->SetChecked(true);
  // The window has every row once messages ran, asked or not.
  Application->ProcessMessages();
  HWND wnd = list->GetHandle();
  EXPECT_EQ(CallWindowProcA(list->GetDefWndProc(), wnd, LVM_GETITEMCOUNT, 0, 0), 6);

  TListItem* added = list->GetItems()->Insert(0);
  added->SetCaption("new");
  EXPECT_EQ(list->GetItemIndex(), 4);
  EXPECT_EQ(list->GetSelected()->GetCaption(), "row 3");
  EXPECT_TRUE(list->GetItems()->GetItem(5)->GetChecked());
  EXPECT_EQ(SendMessageA(wnd, LVM_GETITEMSTATE, 5, LVIS_STATEIMAGEMASK) >> 12, 2);
  EXPECT_EQ(NativeText(0, 0), "new");

  list->GetItems()->GetItem(0)->Delete();
  list->GetItems()->GetItem(0)->Delete();
  ASSERT_EQ(SendMessageA(wnd, LVM_GETITEMCOUNT, 0, 0), 5);
  EXPECT_EQ(list->GetItemIndex(), 2);
  EXPECT_EQ(list->GetItemFocused(), list->GetItems()->GetItem(2));
  EXPECT_EQ(NativeText(2, 0), "row 3");
  EXPECT_EQ(NativeText(3, 1), "4");
  EXPECT_EQ(SendMessageA(wnd, LVM_GETITEMSTATE, 3, LVIS_STATEIMAGEMASK) >> 12, 2);
  EXPECT_EQ(SendMessageA(wnd, LVM_GETITEMSTATE, 2, LVIS_STATEIMAGEMASK) >> 12, 1);

  // The space bar ticks the focused row; the window finds rows by their captions.
  SendMessageA(wnd, WM_KEYDOWN, VK_SPACE, 0);
  EXPECT_TRUE(list->GetItems()->GetItem(2)->GetChecked());
  EXPECT_EQ(SendMessageA(wnd, LVM_GETITEMSTATE, 2, LVIS_STATEIMAGEMASK) >> 12, 2);
  LVFINDINFOA find{};
  find.flags = LVFI_STRING;
  find.psz = "ROW 4";
  EXPECT_EQ(SendMessageA(wnd, LVM_FINDITEMA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)), 3);
  find.flags = LVFI_PARTIAL | LVFI_STRING | LVFI_WRAP;
  find.psz = "row 1";
  EXPECT_EQ(SendMessageA(wnd, LVM_FINDITEMA, 3, reinterpret_cast<LPARAM>(&find)), 0);
  EXPECT_EQ(list->FindCaption(1, "row", true, false, false), list->GetItems()->GetItem(2));
}

TEST_F(CtrlsListView, HotTrackingIsTheWindowsTrackSelectStyleAndLeavesTheOthers) {
  list->SetHotTrack(true);  // before the window exists
  ShowForm();
  auto ex = [&] { return static_cast<DWORD>(SendMessageA(list->GetHandle(), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0)); };
  const DWORD others = LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT;
  EXPECT_EQ(ex() & (LVS_EX_TRACKSELECT | others), LVS_EX_TRACKSELECT | others);
  list->SetHotTrack(false);
  EXPECT_FALSE(list->GetHotTrack());
  EXPECT_EQ(ex() & (LVS_EX_TRACKSELECT | others), others);
  list->SetHotTrack(true);
  list->SetBorderStyle(bsNone);  // a new window
  EXPECT_EQ(ex() & (LVS_EX_TRACKSELECT | others), LVS_EX_TRACKSELECT | others);
}
