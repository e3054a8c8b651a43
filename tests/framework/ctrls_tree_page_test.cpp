// Tree view and page control on real windows: lazy expansion from OnExpanding, node round
// trips, OnClick after the click's selection change, and page switching with its events.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/comctrls/page_control.h"
#include "framework/comctrls/tree_view.h"
#include "framework/forms/application.h"
#include "framework/forms/custom_form.h"
#include "framework/rtl/sys_utils.h"
#include "framework/stdctrls/button.h"
#include "support/gui_test_support.h"

using namespace fw;

namespace {

class CtrlsTreePage : public testing_gui::GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    form = New<TForm>(Application);
    form->SetBounds(30, 30, 420, 320);
  }
  void ShowForm() {
    form->Show();
    Application->ProcessMessages();
  }
  void ClickAt(HWND wnd, int x, int y) {
    PostMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(x, y));
    PostMessageA(wnd, WM_LBUTTONUP, 0, PointToLParam(x, y));
    for (int i = 0; i < 5; ++i) Application->ProcessMessages();
  }
  TForm* form = nullptr;
};

std::string NativeText(HWND tree, HTREEITEM item) {
  char buffer[128] = "";
  TVITEMA tv{};
  tv.mask = TVIF_TEXT | TVIF_HANDLE;
  tv.hItem = item;
  tv.pszText = buffer;
  tv.cchTextMax = sizeof buffer;
  SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
  return buffer;
}

}  // namespace

TEST_F(CtrlsTreePage, ChildrenAreMadeWhenANodeIsFirstExpanded) {
  TTreeView* tree = New<TTreeView>(form);
  tree->SetParent(form);
  tree->SetBounds(8, 8, 200, 260);
  TTreeNode* drive = tree->GetItems()->Add(nullptr, "C:");
  drive->SetHasChildren(true);
  TTreeNode* empty = tree->GetItems()->Add(nullptr, "empty");
  empty->SetHasChildren(true);
  int expanding = 0;
  tree->OnExpanding = [&](TObject*, TTreeNode* node, bool& allow) {
    ++expanding;
    if (node == drive && node->GetCount() == 0) {
      TTreeNode* win = tree->GetItems()->AddChild(node, "Windows");
      win->SetHasChildren(true);
      tree->GetItems()->AddChild(node, "Temp");
    }
    allow = true;
  };
  ShowForm();
  HWND wnd = tree->GetHandle();
  EXPECT_EQ(NativeText(wnd, drive->GetItemId()), "C:");
  drive->Expand(false);
  EXPECT_EQ(expanding, 1);
  ASSERT_EQ(drive->GetCount(), 2);
  EXPECT_TRUE(drive->GetExpanded());
  EXPECT_EQ(drive->GetItem(1)->GetText(), "Temp");
  EXPECT_EQ(drive->GetItem(1)->GetLevel(), 1);
  HTREEITEM child = reinterpret_cast<HTREEITEM>(
      SendMessageA(wnd, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(drive->GetItemId())));
  EXPECT_EQ(tree->NodeOf(child), drive->GetItem(0));
  EXPECT_EQ(tree->GetItems()->GetCount(), 4);
  EXPECT_EQ(tree->GetItems()->GetItem(2)->GetText(), "Temp");
  EXPECT_EQ(drive->GetItem(1)->GetAbsoluteIndex(), 2);
  // Expanding a node the handler leaves empty takes its button away.
  empty->Expand(false);
  EXPECT_FALSE(empty->GetHasChildren());
  // A refusing handler keeps the node closed.
  tree->OnExpanding = [&](TObject*, TTreeNode*, bool& allow) { allow = false; };
  TTreeNode* win = drive->GetItem(0);
  win->Expand(false);
  EXPECT_FALSE(win->GetExpanded());

  std::vector<std::string> deleted;
  tree->OnDeletion = [&](TObject*, TTreeNode* node) { deleted.push_back(node->GetText()); };
  drive->DeleteChildren();
  EXPECT_EQ(deleted, (std::vector<std::string>{"Temp", "Windows"}));
  EXPECT_EQ(SendMessageA(wnd, TVM_GETCOUNT, 0, 0), 2);
  tree->GetItems()->Clear();
  EXPECT_EQ(SendMessageA(wnd, TVM_GETCOUNT, 0, 0), 0);
}

TEST_F(CtrlsTreePage, ClickRunsAfterTheSelectionChangedAndNodesSurviveANewWindow) {
  TTreeView* tree = New<TTreeView>(form);
  tree->SetParent(form);
  tree->SetBounds(8, 8, 200, 260);
  TTreeNode* a = tree->GetItems()->Add(nullptr, "alpha");
  TTreeNode* b = tree->GetItems()->Add(nullptr, "beta");
  tree->GetItems()->AddChild(b, "beta child");
  b->Expand(false);
  ShowForm();
  tree->SetSelected(a);
  std::vector<std::string> log;
  tree->OnChange = [&](TObject*, TTreeNode* node) { log.push_back("change " + node->GetText()); };
  tree->OnClick = [&](TObject*) {
    TTreeNode* sel = tree->GetSelected();
    log.push_back("click " + (sel ? sel->GetText() : std::string("none")));
  };
  TRect r = b->DisplayRect(true);
  ClickAt(tree->GetHandle(), r.Left + 3, (r.Top + r.Bottom) / 2);
  EXPECT_EQ(log, (std::vector<std::string>{"change beta", "click beta"}));
  EXPECT_TRUE(b->GetSelected());

  tree->OnChange = nullptr;
  tree->SetBorderStyle(bsNone);  // a new window: nodes, texts and expansion come back
  EXPECT_TRUE(b->GetExpanded());
  EXPECT_EQ(NativeText(tree->GetHandle(), b->GetItem(0)->GetItemId()), "beta child");
  tree->AlphaSort();
  tree->GetItems()->Insert(a, "aardvark");
  EXPECT_EQ(tree->GetItems()->GetFirstNode()->GetText(), "aardvark");
  HTREEITEM first = reinterpret_cast<HTREEITEM>(SendMessageA(tree->GetHandle(), TVM_GETNEXTITEM, TVGN_ROOT, 0));
  EXPECT_EQ(NativeText(tree->GetHandle(), first), "aardvark");
  tree->CustomSort([](TTreeNode* x, TTreeNode* y, LPARAM) { return AnsiCompareText(y->GetText(), x->GetText()); }, 0);
  EXPECT_EQ(tree->GetItems()->GetFirstNode(), b);
  first = reinterpret_cast<HTREEITEM>(SendMessageA(tree->GetHandle(), TVM_GETNEXTITEM, TVGN_ROOT, 0));
  EXPECT_EQ(tree->NodeOf(first), b);
}

TEST_F(CtrlsTreePage, ClickingATabSwitchesPagesUnlessOnChangingRefuses) {
  TPageControl* pages = New<TPageControl>(form);
  pages->SetParent(form);
  pages->SetBounds(8, 8, 380, 260);
  std::vector<TTabSheet*> sheets;
  for (const char* caption : {"General", "Hidden", "Advanced"}) {
    TTabSheet* sheet = New<TTabSheet>(form);
    sheet->SetPageControl(pages);
    sheet->SetCaption(caption);
    sheets.push_back(sheet);
  }
  sheets[1]->SetTabVisible(false);
  TButton* inside = New<TButton>(form);
  inside->SetParent(sheets[2]);
  inside->SetBounds(10, 10, 75, 25);
  ShowForm();
  HWND wnd = pages->GetHandle();
  EXPECT_EQ(pages->GetActivePage(), sheets[0]);
  EXPECT_EQ(SendMessageA(wnd, TCM_GETITEMCOUNT, 0, 0), 2);
  EXPECT_EQ(sheets[1]->GetTabIndex(), -1);
  EXPECT_EQ(sheets[2]->GetTabIndex(), 1);
  EXPECT_TRUE(IsWindowVisible(sheets[0]->GetHandle()));
  TRect display = pages->GetDisplayRect();
  EXPECT_EQ(sheets[0]->GetBoundsRect(), display);

  std::vector<std::string> log;
  bool allow = false;
  pages->OnChanging = [&](TObject*, bool& ok) {
    log.push_back("changing from " + pages->GetActivePage()->GetCaption());
    ok = allow;
  };
  pages->OnChange = [&](TObject*) { log.push_back("change to " + pages->GetActivePage()->GetCaption()); };
  RECT tab{};
  SendMessageA(wnd, TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&tab));
  ClickAt(wnd, (tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
  EXPECT_EQ(pages->GetActivePage(), sheets[0]) << "refused";
  EXPECT_EQ(pages->GetTabIndex(), 0);
  allow = true;
  ClickAt(wnd, (tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
  EXPECT_EQ(pages->GetActivePage(), sheets[2]);
  EXPECT_EQ(log, (std::vector<std::string>{"changing from General", "changing from General", "change to Advanced"}));
  EXPECT_FALSE(IsWindowVisible(sheets[0]->GetHandle()));
  EXPECT_TRUE(IsWindowVisible(inside->GetHandle()));
  EXPECT_EQ(sheets[2]->GetBoundsRect(), display);

  sheets[1]->SetTabVisible(true);
  EXPECT_EQ(pages->GetTabIndex(), 2) << "the active tab moved along";
  sheets[2]->SetPageControl(nullptr);
  EXPECT_EQ(pages->GetPageCount(), 2);
  EXPECT_NE(pages->GetActivePage(), sheets[2]);
}
