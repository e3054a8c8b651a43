// The skinned MDI form: its client painted from the provider's cache, skinned bars and a grip
// over the client's own bars, the maximized child's menu item and buttons in the menu line, and
// the order in which a broadcast reaches MDI forms, their clients and their children.
#include <gtest/gtest.h>

#include "framework/forms/application.h"
#include "framework/menus/main_menu.h"
#include "framework/msg/subclass_window.h"
#include "skin/controls/grip.h"
#include "skin/engine/mdi_form.h"
#include "skin/engine/scroll_bar.h"
#include "skin/engine/skin_command.h"
#include "skin/engine/skin_manager.h"
#include "support/form_skin_fixture.h"

namespace {

using namespace testing_form_skin;

constexpr fw::TColor kItem = 0x10C040;

class MdiSkin : public FormSkinTest {
 protected:
  void TearDown() override {
    for (auto it = children.rbegin(); it != children.rend(); ++it) fw::Free(*it);
    children.clear();
    FormSkinTest::TearDown();
  }
  // A bar item with painters of its own (measured 40 wide, painted kItem), which the skinned
  // menu line replaces while the skin is active.
  static fw::TMenuItem* HookedItem(fw::TComponent* owner, const char* caption, int group) {
    auto* item = fw::New<fw::TMenuItem>(owner);
    item->SetCaption(caption);
    item->SetGroupIndex(group);
    item->OnMeasureItem = [](fw::TObject*, fw::TCanvas*, int& w, int& h) {
      w = 40;
      h = 18;
    };
    item->OnAdvancedDrawItem = [](fw::TObject*, fw::TCanvas* canvas, fw::TRect r, fw::TOwnerDrawState) {
      canvas->GetBrush()->SetColor(kItem);
      canvas->FillRect(r);
    };
    return item;
  }
  // A shown MDI form with a skin provider and a two-item main menu (groups 0 and 5).
  void MakeMDIForm() {
    form = fw::New<fw::TForm>(fw::Application);
    form->SetFormStyle(fw::fsMDIForm);
    form->SetBounds(40, 40, 460, 340);
    menu = fw::New<fw::TMainMenu>(form);
    menu->GetItems()->Add(HookedItem(menu, "File", 0));
    menu->GetItems()->Add(HookedItem(menu, "Window", 5));
    form->SetMenu(menu);
    provider = fw::New<skin::TkSkinProvider>(form);
    provider->SetShowAppIcon(false);
    form->Show();
    Settle(8);
  }
  fw::TForm* MakeChild(int width, int height) {
    auto* child = fw::New<fw::TForm>(fw::Application);
    child->SetFormStyle(fw::fsMDIChild);
    child->SetBounds(0, 0, width, height);
    fw::New<skin::TkSkinProvider>(child)->SetShowAppIcon(false);
    child->Show();
    children.push_back(child);
    Settle(8);
    return child;
  }
  skin::TkMDIForm* Mdi() const { return provider->GetMDIForm(); }
  HWND Client() const { return form->GetClientHandle(); }
  fw::TColor ClientPixel(int x, int y) {
    GdiFlush();
    Settle(8);
    POINT p{x, y};
    ClientToScreen(Client(), &p);
    HDC screen = GetDC(nullptr);
    const COLORREF c = GetPixel(screen, p.x, p.y);
    ReleaseDC(nullptr, screen);
    return static_cast<fw::TColor>(c);
  }
  bool Shown(const fw::TControl* c) const { return c && c->GetVisible(); }
  void Click(int code) {
    const LPARAM at = ScreenAt(provider->Button(code).Rect);
    SendMessageA(form->GetHandle(), WM_NCLBUTTONDOWN, code, at);
    SendMessageA(form->GetHandle(), WM_NCLBUTTONUP, code, at);
    Settle(8);
  }
  void Maximize(fw::TForm* child) {
    SendMessageA(child->GetHandle(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    Settle(8);
  }
  fw::TMenuItem* FirstItem() const { return menu->GetItems()->GetItems(0); }

  fw::TMainMenu* menu = nullptr;
  std::vector<fw::TForm*> children;
};

TEST_F(MdiSkin, FrameworkKeepsTheChildrenInTheClient) {
  MakeMDIForm();
  ASSERT_NE(Client(), nullptr);
  EXPECT_EQ(form->GetMDIChildCount(), 0);
  EXPECT_EQ(form->GetActiveMDIChild(), nullptr);
  fw::TForm* first = MakeChild(200, 150);
  fw::TForm* second = MakeChild(180, 120);
  EXPECT_EQ(GetParent(first->GetHandle()), Client());
  EXPECT_EQ(form->GetMDIChildCount(), 2);
  EXPECT_EQ(form->GetMDIChildren(0), first);
  EXPECT_EQ(form->GetMDIChildren(1), second);
  EXPECT_EQ(form->GetActiveMDIChild(), second);
  // The client fills what the aligned controls leave.
  RECT client{}, inside{};
  GetWindowRect(Client(), &client);
  GetClientRect(form->GetHandle(), &inside);
  EXPECT_EQ(client.right - client.left, inside.right);
  EXPECT_EQ(client.bottom - client.top, inside.bottom);
  // A child's own menu has no bar of its own.
  auto* childMenu = fw::New<fw::TMainMenu>(second);
  childMenu->GetItems()->Add(HookedItem(childMenu, "Edit", 3));
  second->SetMenu(childMenu);
  EXPECT_EQ(childMenu->GetWindowHandle(), nullptr);
  // Freed children leave the client.
  fw::Free(second);
  children.pop_back();
  Settle(8);
  EXPECT_EQ(form->GetMDIChildCount(), 1);
  EXPECT_EQ(form->GetActiveMDIChild(), first);
}

TEST_F(MdiSkin, ClientPaintsFromTheCacheWhileSkinned) {
  MakeMDIForm();
  ASSERT_NE(Mdi(), nullptr);
  EXPECT_EQ(skin::MDIParentProvider, provider);
  // The client answers the skin query once subclassed.
  Mdi()->ConnectToClient();
  EXPECT_TRUE(Mdi()->GetConnected());
  // No child: no skinned bar, and the client shows MDIAREA.
  EXPECT_FALSE(Shown(Mdi()->GetVertBar()));
  EXPECT_FALSE(Shown(Mdi()->GetHorzBar()));
  EXPECT_FALSE(Shown(Mdi()->GetGrip()));
  RECT r{};
  GetClientRect(Client(), &r);
  EXPECT_EQ(ClientPixel(r.right / 2, r.bottom / 2), kMDIArea);
  EXPECT_EQ(ClientPixel(r.right - 3, r.bottom - 3), kMDIArea);
  // Command 2 of another manager leaves the client connected; of its own it disconnects, and a
  // new connection finds the client still subclassed.
  const LPARAM own = reinterpret_cast<LPARAM>(manager);
  SendMessageA(Client(), skin::SM_SKINCMD, skin::SkinCmdWParam(skin::cmdRemoveSkin), 12345);
  EXPECT_TRUE(Mdi()->GetConnected());
  SendMessageA(Client(), skin::SM_SKINCMD, skin::SkinCmdWParam(skin::cmdRemoveSkin), own);
  EXPECT_FALSE(Mdi()->GetConnected());
  Mdi()->ConnectToClient();
  EXPECT_TRUE(Mdi()->GetConnected());
  // The skin gone: the system draws the client again.
  manager->SetActive(false);
  Settle(8);
  EXPECT_EQ(Mdi(), nullptr);
  InvalidateRect(Client(), nullptr, TRUE);
  EXPECT_EQ(ClientPixel(r.right / 2, r.bottom / 2), static_cast<fw::TColor>(GetSysColor(COLOR_APPWORKSPACE)));
  EXPECT_EQ(skin::ControlAnswersCmd(form, skin::cmdIsSkinned), true);
  EXPECT_EQ(SendMessageA(Client(), skin::SM_SKINCMD, skin::SkinCmdWParam(skin::cmdIsSkinned), 0), 0);
  // And back.
  manager->SetActive(true);
  Settle(8);
  ASSERT_NE(Mdi(), nullptr);
  InvalidateRect(Client(), nullptr, TRUE);
  EXPECT_EQ(ClientPixel(r.right / 2, r.bottom / 2), kMDIArea);
}

TEST_F(MdiSkin, LargeChildGetsSkinnedBarsAndGrip) {
  MakeMDIForm();
  MakeChild(700, 520);
  Mdi()->UpdateMDIScrollBars();
  skin::TkScrollBar* v = Mdi()->GetVertBar();
  skin::TkScrollBar* h = Mdi()->GetHorzBar();
  ASSERT_TRUE(Shown(v));
  ASSERT_TRUE(Shown(h));
  ASSERT_TRUE(Shown(Mdi()->GetGrip()));
  // The bars lie over the client's own, the grip where they meet.
  const fw::TRect client = form->GetClientRect();
  EXPECT_EQ(v->GetLeft(), client.Width() - GetSystemMetrics(SM_CXVSCROLL) - 2);
  EXPECT_EQ(h->GetTop(), client.Height() - GetSystemMetrics(SM_CYHSCROLL) - 2);
  EXPECT_EQ(Mdi()->GetGrip()->GetLeft(), v->GetLeft() + 1);
  EXPECT_EQ(Mdi()->GetGrip()->GetTop(), h->GetTop() + 1);
  // Their range: how far the child reaches below the client, from 0.
  RECT child{}, area{};
  GetWindowRect(children[0]->GetHandle(), &child);
  GetClientRect(Client(), &area);
  EXPECT_EQ(v->GetMin(), 0);
  EXPECT_EQ(v->GetMax(), (child.bottom - child.top) - area.bottom);
  EXPECT_EQ(h->GetMax(), (child.right - child.left) - area.right);
  // Scrolling by the skinned bar scrolls the client: the child moves up by as much.
  fw::TMessage bottom{WM_VSCROLL, SB_BOTTOM, 0, 0};
  v->DoScrollMessage(bottom);
  Settle(8);
  RECT after{};
  GetWindowRect(children[0]->GetHandle(), &after);
  EXPECT_EQ(child.top - after.top, v->GetMax());
  // The bars follow the scrolled client: the position is kept.
  Mdi()->UpdateMDIScrollBars();
  EXPECT_EQ(Mdi()->GetVertBar()->GetPosition(), Mdi()->GetVertBar()->GetMax());
  // Back to the top.
  fw::TMessage top{WM_VSCROLL, SB_TOP, 0, 0};
  v->DoScrollMessage(top);
  Settle(8);
  GetWindowRect(children[0]->GetHandle(), &after);
  EXPECT_EQ(after.top, child.top);
  // A child that fits leaves no bars.
  children[0]->SetBounds(0, 0, 120, 90);
  Settle(8);
  Mdi()->UpdateMDIScrollBars();
  EXPECT_FALSE(Shown(Mdi()->GetVertBar()));
  EXPECT_FALSE(Shown(Mdi()->GetHorzBar()));
  EXPECT_FALSE(Shown(Mdi()->GetGrip()));
}

TEST_F(MdiSkin, MaximizedChildButtonsInTheMenuLine) {
  MakeMDIForm();
  fw::TForm* child = MakeChild(700, 520);
  bool closed = false;
  child->OnClose = [&closed](fw::TObject*, fw::TCloseAction& action) {
    closed = true;
    action = fw::caHide;
  };
  Maximize(child);
  ASSERT_TRUE(IsZoomed(child->GetHandle()));
  EXPECT_TRUE(provider->MDIChildMaximized());
  EXPECT_EQ(reinterpret_cast<LRESULT>(skin::MaximizedChildProvider), skin::SendCmdToParentForm(child));
  // No bars over a maximized child; the system-button item leads the menu.
  EXPECT_FALSE(Shown(Mdi()->GetVertBar()));
  EXPECT_FALSE(Shown(Mdi()->GetHorzBar()));
  EXPECT_EQ(FirstItem()->GetName(), "kMDICII");
  ASSERT_EQ(FirstItem()->GetCount(), 4);
  EXPECT_EQ(FirstItem()->GetItems(0)->GetName(), "ItemMDIRestore");
  EXPECT_EQ(FirstItem()->GetItems(3)->GetShortCut(), 16499);
  // The three buttons sit right-aligned in the menu line, minimize, restore, close.
  const fw::TRect mn = provider->Button(skin::HTMDIMIN).Rect, mx = provider->Button(skin::HTMDIMAX).Rect,
                  cl = provider->Button(skin::HTMDICLOSE).Rect;
  const int lineTop = provider->CaptionHeight() + provider->SysBorderHeight();
  EXPECT_GE(mn.Top, lineTop);
  EXPECT_LT(mn.Right, mx.Left);
  EXPECT_LT(mx.Right, cl.Left);
  EXPECT_EQ(cl.Right, provider->NonClientWidth() - provider->SysBorderWidth() - 1);
  EXPECT_EQ(WindowPixel((cl.Left + cl.Right) / 2, (cl.Top + cl.Bottom) / 2), kBtn);
  EXPECT_EQ(WindowPixel(provider->SysBorderWidth() + 60, lineTop + 5), kMenuItem);  // the File item, skinned
  // The hit test answers them.
  EXPECT_EQ(HitAt(cl), skin::HTMDICLOSE);
  EXPECT_EQ(HitAt(mx), skin::HTMDIMAX);
  EXPECT_EQ(HitAt(mn), skin::HTMDIMIN);
  // Restore: the child comes back, the item goes, the bars come back.
  Click(skin::HTMDIMAX);
  EXPECT_FALSE(IsZoomed(child->GetHandle()));
  EXPECT_NE(FirstItem()->GetName(), "kMDICII");
  EXPECT_TRUE(Shown(Mdi()->GetVertBar()));
  EXPECT_EQ(HitAt(cl), HTMENU);
  // Minimize.
  Maximize(child);
  Click(skin::HTMDIMIN);
  EXPECT_TRUE(IsIconic(child->GetHandle()));
  EXPECT_NE(FirstItem()->GetName(), "kMDICII");
  // Close.
  SendMessageA(child->GetHandle(), WM_SYSCOMMAND, SC_RESTORE, 0);
  Maximize(child);
  Click(skin::HTMDICLOSE);
  EXPECT_TRUE(closed);
  // The menu line is the form's own again after all this.
  EXPECT_EQ(WindowPixel(provider->SysBorderWidth() + 20, lineTop + 5), kMenuItem);
}

TEST_F(MdiSkin, ChildCaptionMaximizesAndNewChildrenFollow) {
  MakeMDIForm();
  fw::TForm* first = MakeChild(200, 150);
  auto* own = reinterpret_cast<skin::TkSkinProvider*>(skin::SendCmdToParentForm(first));
  ASSERT_NE(own, nullptr);
  ASSERT_NE(own, provider);
  // The child's own maximize button.
  const fw::TRect max = own->Button(HTMAXBUTTON).Rect;
  RECT w{};
  GetWindowRect(first->GetHandle(), &w);
  const LPARAM at = MAKELPARAM(w.left + (max.Left + max.Right) / 2, w.top + (max.Top + max.Bottom) / 2);
  SendMessageA(first->GetHandle(), WM_NCLBUTTONDOWN, HTMAXBUTTON, at);
  SendMessageA(first->GetHandle(), WM_NCLBUTTONUP, HTMAXBUTTON, at);
  Settle(8);
  ASSERT_TRUE(IsZoomed(first->GetHandle()));
  EXPECT_EQ(skin::MaximizedChildProvider, own);
  EXPECT_EQ(FirstItem()->GetName(), "kMDICII");
  EXPECT_FALSE(provider->GetSkinData()->GetUpdating());
  // A child made meanwhile becomes the active one (Windows maximizes it, Wine leaves it as it
  // is); the item follows the active child and the form paints on.
  fw::TForm* second = MakeChild(180, 120);
  EXPECT_EQ(form->GetActiveMDIChild(), second);
  EXPECT_EQ(FirstItem()->GetName() == "kMDICII", IsZoomed(second->GetHandle()) != 0);
  EXPECT_FALSE(skin::PendingMaximize);
  EXPECT_FALSE(provider->GetSkinData()->GetUpdating());
  Maximize(second);
  EXPECT_EQ(FirstItem()->GetName(), "kMDICII");
  EXPECT_EQ(menu->GetItems()->GetItems(1)->GetCaption(), "File");
  // Restoring it by its menu item restores the MDI form's line.
  FirstItem()->GetItems(0)->Click();
  Settle(8);
  EXPECT_FALSE(IsZoomed(second->GetHandle()));
  EXPECT_NE(FirstItem()->GetName(), "kMDICII");
  EXPECT_FALSE(provider->GetSkinData()->GetUpdating());
}

TEST_F(MdiSkin, FormFreedBeforeItsMaximizedChild) {
  MakeMDIForm();
  fw::TForm* child = MakeChild(300, 200);
  Maximize(child);
  ASSERT_TRUE(provider->MDIChildMaximized());
  // The MDI form goes first: its skin lets go of the client, the child keeps its object.
  fw::FreeAndNil(form);
  EXPECT_EQ(skin::MDIParentProvider, nullptr);
  EXPECT_FALSE(child->HandleAllocated());
  Settle(4);
  fw::Free(child);
  children.clear();
  EXPECT_EQ(skin::MaximizedChildProvider, nullptr);
}

TEST_F(MdiSkin, ChildItemsMergeByGroupIndex) {
  MakeMDIForm();
  fw::TForm* child = MakeChild(200, 150);
  auto* childMenu = fw::New<fw::TMainMenu>(child);
  fw::TMenuItem* edit = HookedItem(childMenu, "Edit", 3);
  fw::TMenuItem* window = HookedItem(childMenu, "ChildWindow", 5);
  fw::TMenuItem* help = HookedItem(childMenu, "Help", 9);
  for (fw::TMenuItem* item : {edit, window, help}) childMenu->GetItems()->Add(item);
  child->SetMenu(childMenu);
  provider->RepaintNonClient();
  Settle(8);
  // Group 3 goes between File (0) and Window (5); the child's 5 takes Window's place; 9 follows.
  fw::TMenuItem* file = menu->GetItems()->GetItems(0);
  std::vector<fw::TMenuItem*> order;
  for (fw::TMenuItem* item : {file, edit, window, help, menu->GetItems()->GetItems(1)}) {
    auto draw = item->OnAdvancedDrawItem;
    item->OnAdvancedDrawItem = [&order, item, draw](fw::TObject* s, fw::TCanvas* c, fw::TRect r, fw::TOwnerDrawState st) {
      order.push_back(item);
      draw(s, c, r, st);
    };
  }
  provider->RepaintNonClient();
  Settle(8);
  ASSERT_GE(order.size(), 4u);
  const std::vector<fw::TMenuItem*> expected = {file, edit, window, help};
  EXPECT_EQ(std::vector<fw::TMenuItem*>(order.begin(), order.begin() + 4), expected);
}

// A skinned control that notes the commands it gets.
class TNoter : public fw::TCustomControl {
  FW_CLASS(TNoter, fw::TCustomControl)
 public:
  TNoter(fw::TComponent* owner, std::vector<std::string>* log) : fw::TCustomControl(owner), FLog(log) {}
  void WndProc(fw::TMessage& m) override {
    if (m.Msg == skin::SM_SKINCMD) {
      if (skin::SkinCmdOf(m.WParam) == skin::cmdIsSkinned)
        m.LParam = 1;
      else
        FLog->push_back("control");
      return;
    }
    fw::TCustomControl::WndProc(m);
  }

 private:
  std::vector<std::string>* FLog;
};

TEST_F(MdiSkin, BroadcastReachesChildrenLastAndTheClientAfterTheControls) {
  std::vector<std::string> log;
  std::vector<int> subclasses;
  auto note = [&](HWND wnd, const std::string& name) {
    subclasses.push_back(fw::SubclassWindow(wnd, [&log, name](fw::TMessage& m, const fw::TCallPrevious& previous) {
      if (m.Msg == skin::SM_SKINCMD && skin::SkinCmdOf(m.WParam) == skin::cmdStopAnimation) log.push_back(name);
      previous(m);
    }));
  };
  // Made in this order: the MDI form, a child, a plain form; the broadcast walks last to first.
  form = fw::New<fw::TForm>(fw::Application);
  form->SetFormStyle(fw::fsMDIForm);
  form->SetBounds(40, 40, 400, 300);
  auto* control = fw::New<TNoter>(form, &log);
  control->SetBounds(0, 0, 100, 20);
  control->SetAlign(fw::alTop);
  control->SetParent(form);
  form->Show();
  fw::TForm* child = MakeChild(150, 100);
  auto* plain = fw::New<fw::TForm>(fw::Application);
  plain->SetBounds(500, 40, 200, 100);
  plain->Show();
  Settle(8);
  note(form->GetHandle(), "mdi form");
  note(form->GetClientHandle(), "client");
  note(child->GetHandle(), "child");
  note(plain->GetHandle(), "plain");
  fw::TMessage m{skin::SM_SKINCMD, skin::SkinCmdWParam(skin::cmdStopAnimation), 0, 0};
  skin::BroadcastToAppForms(m);
  const std::vector<std::string> expected = {"plain", "mdi form", "control", "client", "child"};
  EXPECT_EQ(log, expected);
  for (int id : subclasses) fw::RemoveSubclass(id);
  fw::Free(plain);
}

}  // namespace
