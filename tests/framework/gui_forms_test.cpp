// Forms, the application loop and timers: dialog keys, the modal loop and its test hook,
// deferred release, closing rules, timers freed in their own tick, menu commands, the automatic
// scroll range of frames.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "framework/comctrls/page_control.h"
#include "framework/controls/custom_control.h"
#include "framework/extctrls/custom_panel.h"
#include "framework/controls/graphic_control.h"
#include "framework/forms/application.h"
#include "framework/forms/dialog_service.h"
#include "framework/forms/frame.h"
#include "framework/graphics/icon.h"
#include "framework/menus/main_menu.h"
#include "framework/menus/popup_menu.h"
#include "framework/msg/allocate_hwnd.h"
#include "framework/sys/thread.h"
#include "framework/stdctrls/button.h"
#include "framework/sys/timer.h"
#include "support/gui_test_support.h"

using namespace fw;

namespace {

using testing_gui::Note;

class GuiForms : public testing_gui::GuiTest {
 protected:
  // Handles messages until the condition holds (false after about two seconds).
  template <class F>
  bool PumpUntil(F done) {
    for (int i = 0; i < 200 && !done(); ++i) {
      Application->ProcessMessages();
      Sleep(10);
    }
    return done();
  }
};

// A focusable push button made the way the skinned buttons are: it answers Enter when it is
// the default button and Esc when it is the cancel button, and sets the form's ModalResult
// before its OnClick.
class TKeyButton : public TCustomControl {
  FW_CLASS(TKeyButton, TCustomControl)
 public:
  explicit TKeyButton(TComponent* owner) : TCustomControl(owner) {
    SetTabStop(true);
    SetBounds(0, 0, 60, 20);
  }
  bool Default = false;
  bool Cancel = false;
  TModalResult ModalResult = mrNone;
  void Click() override {
    if (ModalResult != mrNone) GetParentForm(this)->SetModalResult(ModalResult);
    TCustomControl::Click();
  }
  void Dispatch(TMessage& msg) override {
    if (msg.Msg == CM_DIALOGKEY && ((CharCode(msg) == VK_RETURN && Default) || (CharCode(msg) == VK_ESCAPE && Cancel))) {
      Click();
      msg.Result = 1;
      return;
    }
    if (msg.Msg == CM_ENTER) Note("enter " + GetName());
    if (msg.Msg == CM_EXIT) Note("exit " + GetName());
    TCustomControl::Dispatch(msg);
  }
};

class TDialogForm : public TForm {
  FW_CLASS(TDialogForm, TForm)
 public:
  using TForm::TForm;
  TKeyButton* Ok = nullptr;
  TKeyButton* Other = nullptr;
  TKeyButton* CancelButton = nullptr;

 protected:
  void CreateComponents() override {
    SetBounds(100, 100, 300, 200);
    CancelButton = Add("cancel", 150);
    Ok = Add("ok", 10);
    Other = Add("other", 80);
    // Tab order differs from creation order.
    Ok->SetTabOrder(0);
    Other->SetTabOrder(1);
    CancelButton->SetTabOrder(2);
    Ok->Default = true;
    Ok->ModalResult = mrOk;
    CancelButton->Cancel = true;
    CancelButton->ModalResult = mrCancel;
  }

 private:
  TKeyButton* Add(const char* name, int left) {
    auto* b = New<TKeyButton>(this);
    b->SetName(name);
    b->SetLeft(left);
    b->SetParent(this);
    b->OnClick = [name](TObject*) { Note(std::string("click ") + name); };
    return b;
  }
};

void PostKey(HWND wnd, WORD key) {
  PostMessageA(wnd, WM_KEYDOWN, key, 1);
  PostMessageA(wnd, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
}

}  // namespace

TEST_F(GuiForms, TabMovesInTabOrderAndEnterEscPressDefaultAndCancel) {
  TDialogForm* form = nullptr;
  Application->CreateForm(form);
  form->Show();
  form->SetFocus();
  Application->ProcessMessages();
  EXPECT_EQ(form->GetActiveControl(), form->Ok);
  ASSERT_EQ(GetFocus(), form->Ok->GetHandle());
  log.clear();
  PostKey(GetFocus(), VK_TAB);
  Application->ProcessMessages();
  EXPECT_EQ(GetFocus(), form->Other->GetHandle());
  PostKey(GetFocus(), VK_TAB);
  Application->ProcessMessages();
  EXPECT_EQ(GetFocus(), form->CancelButton->GetHandle());
  PostKey(GetFocus(), VK_TAB);
  Application->ProcessMessages();
  EXPECT_EQ(form->GetActiveControl(), form->Ok);
  PostKey(GetFocus(), VK_RETURN);
  PostKey(GetFocus(), VK_ESCAPE);
  Application->ProcessMessages();
  EXPECT_EQ(log, (std::vector<std::string>{"exit ok", "enter other", "exit other", "enter cancel", "exit cancel",
                                           "enter ok", "click ok", "click cancel"}));
}

// A control that holds the focus and is hidden or disabled, itself or by its container, gives
// the focus up: a page's to its page control, anything else's to the form. Space, Enter and
// Escape then press no button the user cannot see or use, and Tab starts on what is shown.
TEST_F(GuiForms, WhatHidesOrDisablesTheFocusedControlTakesTheFocusFromIt) {
  TForm* form = New<TForm>(Application);
  form->SetBounds(40, 40, 420, 320);
  TPageControl* pages = New<TPageControl>(form);
  pages->SetParent(form);
  pages->SetBounds(8, 8, 250, 150);
  std::vector<TTabSheet*> sheets;
  for (const char* caption : {"One", "Two"}) {
    sheets.push_back(New<TTabSheet>(form));
    sheets.back()->SetPageControl(pages);
    sheets.back()->SetCaption(caption);
  }
  TPanel* panel = New<TPanel>(form);
  panel->SetParent(form);
  panel->SetBounds(8, 170, 250, 100);
  auto button = [&](TWinControl* parent, const char* name) {
    TButton* b = New<TButton>(form);
    b->SetParent(parent);
    b->SetBounds(10, 10, 75, 25);
    b->SetCaption(name);
    b->OnClick = [name](TObject*) { Note(std::string("click ") + name); };
    return b;
  };
  TButton* onPage = button(sheets[0], "page");
  TButton* inPanel = button(panel, "panel");
  TButton* shown = button(sheets[1], "shown");
  form->Show();
  SetForegroundWindow(form->GetHandle());
  Application->ProcessMessages();
  // The hidden or disabled button is the default and the cancel button too.
  auto defaultAndCancel = [](TButton* b, bool v) {
    b->SetDefault(v);
    b->SetCancel(v);
  };
  auto pressKeys = [&] {
    for (WORD key : {WORD{VK_SPACE}, WORD{VK_RETURN}, WORD{VK_ESCAPE}}) PostKey(GetFocus(), key);
    for (int i = 0; i < 5; ++i) Application->ProcessMessages();
  };

  // A page switched away from under its focused button.
  defaultAndCancel(onPage, true);
  onPage->SetFocus();
  Application->ProcessMessages();
  ASSERT_EQ(GetFocus(), onPage->GetHandle());
  pages->SetActivePage(sheets[1]);
  EXPECT_EQ(GetFocus(), pages->GetHandle());
  EXPECT_EQ(form->GetActiveControl(), pages);
  log.clear();
  pressKeys();
  EXPECT_EQ(log, std::vector<std::string>{});
  PostKey(GetFocus(), VK_TAB);
  Application->ProcessMessages();
  EXPECT_EQ(GetFocus(), shown->GetHandle()) << "Tab goes on into the page shown";

  // A panel disabled, then hidden, around its focused button.
  defaultAndCancel(onPage, false);
  defaultAndCancel(inPanel, true);
  for (bool hide : {false, true}) {
    panel->SetEnabled(true);
    panel->SetVisible(true);
    inPanel->SetFocus();
    Application->ProcessMessages();
    ASSERT_EQ(GetFocus(), inPanel->GetHandle());
    if (hide)
      panel->SetVisible(false);
    else
      panel->SetEnabled(false);
    EXPECT_EQ(GetFocus(), form->GetHandle()) << (hide ? "hidden" : "disabled");
    EXPECT_EQ(form->GetActiveControl(), nullptr);
    log.clear();
    pressKeys();
    EXPECT_EQ(log, std::vector<std::string>{}) << (hide ? "hidden" : "disabled");
  }
  PostKey(GetFocus(), VK_TAB);
  Application->ProcessMessages();
  EXPECT_EQ(GetFocus(), pages->GetHandle()) << "Tab starts at the first control shown";

  // The focused button itself hidden; a button elsewhere hidden leaves the focus alone.
  pages->SetActivePage(sheets[0]);
  onPage->SetFocus();
  Application->ProcessMessages();
  shown->SetVisible(false);
  EXPECT_EQ(GetFocus(), onPage->GetHandle());
  onPage->SetVisible(false);
  EXPECT_EQ(GetFocus(), pages->GetHandle());
}

TEST_F(GuiForms, KeyPreviewSeesKeysFirstAndMayTakeThem) {
  TDialogForm* form = nullptr;
  Application->CreateForm(form);
  form->SetKeyPreview(true);
  form->OnKeyDown = [](TObject*, WORD& key, TShiftState) {
    Note("form key " + std::to_string(key));
    if (key == VK_RETURN) key = 0;
  };
  form->Ok->OnKeyDown = [](TObject*, WORD& key, TShiftState) { Note("button key " + std::to_string(key)); };
  form->Show();
  form->SetFocus();
  Application->ProcessMessages();
  log.clear();
  PostKey(form->Ok->GetHandle(), 'A');
  PostKey(form->Ok->GetHandle(), VK_RETURN);
  Application->ProcessMessages();
  EXPECT_EQ(log, (std::vector<std::string>{"form key 65", "button key 65", "form key 13"}));
}

TEST_F(GuiForms, ShowModalReturnsWhatTheHookChose) {
  TForm* main = nullptr;
  Application->CreateForm(main);
  main->Show();
  auto dialog = MakeOwned<TDialogForm>(nullptr);
  // The hook runs inside the loop, with the other windows disabled.
  Application->ModalHook = [&](TCustomForm& f) {
    Note(std::string("hook, main enabled: ") + (IsWindowEnabled(main->GetHandle()) ? "yes" : "no"));
    static_cast<TDialogForm&>(f).Ok->Click();
  };
  EXPECT_EQ(dialog->ShowModal(), mrOk);
  EXPECT_FALSE(dialog->GetVisible());
  EXPECT_TRUE(IsWindowEnabled(main->GetHandle()));
  // The close box of a modal form means Cancel; a refused close keeps the loop going.
  int asked = 0;
  dialog->OnCloseQuery = [&](TObject*, bool& canClose) { canClose = ++asked > 1; };
  Application->ModalHook = [&](TCustomForm& f) {
    PostMessageA(f.GetHandle(), WM_CLOSE, 0, 0);
    PostMessageA(f.GetHandle(), WM_CLOSE, 0, 0);
  };
  EXPECT_EQ(dialog->ShowModal(), mrCancel);
  EXPECT_EQ(asked, 2);
  EXPECT_EQ(log, (std::vector<std::string>{"enter ok", "hook, main enabled: no", "click ok"}));
}

TEST_F(GuiForms, ModalFormsNestAndExceptionsInsideDoNotEndTheLoop) {
  auto outer = MakeOwned<TDialogForm>(nullptr);
  auto inner = MakeOwned<TDialogForm>(nullptr);
  Application->ModalHook = [&](TCustomForm& f) {
    if (&f == outer.get()) {
      Note("outer shown");
      EXPECT_EQ(Application->GetModalForm(), outer.get());
      int r = inner->ShowModal();
      Note("inner gave " + std::to_string(r));
      EXPECT_EQ(DialogOwner(), outer->GetHandle());
      outer->SetModalResult(mrRetry);
    } else {
      Note("inner shown");
      EXPECT_FALSE(IsWindowEnabled(outer->GetHandle()));
      PostMessageA(f.GetHandle(), WM_CLOSE, 0, 0);
      throw Exception("Access denied");
    }
  };
  EXPECT_EQ(outer->ShowModal(), mrRetry);
  EXPECT_EQ(Application->GetModalForm(), nullptr);
  EXPECT_EQ(log, (std::vector<std::string>{"enter ok", "outer shown", "enter ok", "inner shown", "inner gave 2"}));
  EXPECT_EQ(scripted->Exceptions, (std::vector<std::string>{"Access denied."}));
}

TEST_F(GuiForms, TerminateEndsAModalLoopWithCancel) {
  auto dialog = MakeOwned<TDialogForm>(nullptr);
  Application->ModalHook = [](TCustomForm&) { Application->Terminate(); };
  EXPECT_EQ(dialog->ShowModal(), mrCancel);
  EXPECT_TRUE(Application->GetTerminated());
}

TEST_F(GuiForms, ReleaseWaitsUntilTheFormsHandlersReturn) {
  TForm* main = nullptr;
  Application->CreateForm(main);
  auto* other = New<TForm>(Application);
  auto* button = New<TKeyButton>(other);
  button->SetParent(other);
  other->OnDestroy = [](TObject*) { Note("destroyed"); };
  button->OnClick = [&](TObject*) {
    other->Release();
    // A handler that pumps messages must not lose its own form.
    Application->ProcessMessages();
    Note("handler still alive");
  };
  HWND wnd = button->GetHandle();
  SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
  SendMessageA(wnd, WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
  EXPECT_TRUE(PumpUntil([&] { return log.size() >= 2; }));
  EXPECT_EQ(log, (std::vector<std::string>{"handler still alive", "destroyed"}));
  EXPECT_FALSE(IsWindow(wnd));
  EXPECT_EQ(Application->GetComponentCount(), 1);
}

TEST_F(GuiForms, ClosingRules) {
  TForm* main = nullptr;
  Application->CreateForm(main);
  auto* other = New<TForm>(Application);
  other->Show();
  TCloseAction chosen = caHide;
  other->OnClose = [&](TObject*, TCloseAction& action) { action = chosen; };
  other->Close();
  EXPECT_FALSE(other->GetVisible());
  chosen = caNone;
  other->Show();
  other->Close();
  EXPECT_TRUE(other->GetVisible());
  chosen = caFree;
  other->OnDestroy = [](TObject*) { Note("other freed"); };
  other->Close();
  EXPECT_TRUE(PumpUntil([&] { return !log.empty(); }));
  // The main form's close ends the application.
  main->Close();
  EXPECT_TRUE(PumpUntil([] { return Application->GetTerminated(); }));
}

TEST_F(GuiForms, OnCreateExceptionIsShownAndCreationGoesOn) {
  class TFailing : public TForm {
    FW_CLASS(TFailing, TForm)
   public:
    using TForm::TForm;

   protected:
    void CreateComponents() override {
      OnCreate = [](TObject*) { throw Exception("Skin not found"); };
    }
  };
  TFailing* form = nullptr;
  Application->CreateForm(form);
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(Application->GetMainForm(), form);
  EXPECT_EQ(scripted->Exceptions, (std::vector<std::string>{"Skin not found."}));
}

TEST_F(GuiForms, TimerMayBeFreedInItsOwnTick) {
  auto owner = MakeOwned<TForm>(nullptr);
  auto* timer = New<TTimer>(owner.get());
  timer->SetName("timer");
  timer->SetInterval(10);
  int ticks = 0;
  timer->SetOnTimer([&](TObject* sender) {
    ++ticks;
    static_cast<TTimer*>(sender)->SetEnabled(false);
    static_cast<TTimer*>(sender)->SetEnabled(true);
    if (ticks == 2) sender->Free();
  });
  EXPECT_TRUE(timer->IsTicking());
  EXPECT_TRUE(PumpUntil([&] { return owner->GetComponentCount() == 0; }));
  EXPECT_EQ(ticks, 2);
  Application->ProcessMessages();
  Sleep(30);
  Application->ProcessMessages();
  EXPECT_EQ(ticks, 2);

  // A tick given directly does the same: the timer lives to the end of the tick that frees it.
  auto* direct = New<TTimer>(owner.get());
  direct->SetName("direct");
  std::string seenAfterFree;
  direct->SetOnTimer([&](TObject* sender) {
    sender->Free();
    seenAfterFree = static_cast<TTimer*>(sender)->GetName();
  });
  direct->Tick();
  EXPECT_EQ(seenAfterFree, "direct");
  EXPECT_EQ(owner->GetComponentCount(), 0);
}

TEST_F(GuiForms, TimerRunsOnlyWithAHandlerAndThrowsAreCaught) {
  auto* timer = New<TTimer>(Application);
  EXPECT_FALSE(timer->IsTicking());  // no handler yet
  timer->SetInterval(0);
  timer->SetOnTimer([](TObject*) { throw Exception("Tick failed"); });
  EXPECT_FALSE(timer->IsTicking());  // no interval
  timer->SetInterval(5);
  EXPECT_TRUE(timer->IsTicking());
  EXPECT_TRUE(PumpUntil([&] { return !scripted->Exceptions.empty(); }));
  timer->SetEnabled(false);
  EXPECT_FALSE(timer->IsTicking());
  EXPECT_EQ(scripted->Exceptions.front(), "Tick failed.");
}

TEST_F(GuiForms, MenuCommandsReachTheirItems) {
  auto menu = MakeOwned<TPopupMenu>(nullptr);
  auto* open = New<TMenuItem>(menu.get());
  open->SetCaption("Open");
  auto* hidden = New<TMenuItem>(menu.get());
  hidden->SetCaption("Hidden");
  hidden->SetVisible(false);
  auto* check = New<TMenuItem>(menu.get());
  check->SetCaption("Check");
  check->SetAutoCheck(true);
  menu->GetItems()->Add(open);
  menu->GetItems()->Add(hidden);
  menu->GetItems()->Add(check);
  open->OnClick = [](TObject*) { Note("open"); };
  HMENU handle = menu->GetHandle();
  ASSERT_EQ(GetMenuItemCount(handle), 2);  // invisible items are left out
  EXPECT_EQ(GetMenuItemID(handle, 1), check->GetCommand());
  SendMessageA(PopupListWindow(), WM_COMMAND, open->GetCommand(), 0);
  SendMessageA(PopupListWindow(), WM_COMMAND, check->GetCommand(), 0);
  EXPECT_TRUE(check->GetChecked());
  EXPECT_EQ(GetMenuState(menu->GetHandle(), 1, MF_BYPOSITION) & MF_CHECKED, static_cast<UINT>(MF_CHECKED));
  EXPECT_EQ(log, (std::vector<std::string>{"open"}));
  UINT command = open->GetCommand();
  open->Free();
  EXPECT_EQ(TMenuItem::FindByCommand(command), nullptr);
  EXPECT_EQ(menu->GetItems()->GetCount(), 2);
}

TEST_F(GuiForms, ShortCutsReadAsKeyNames) {
  EXPECT_EQ(ShortCutToText(scAlt | VK_F4), "Alt+F4");
  EXPECT_EQ(ShortCutToText(scShift | scCtrl | 'A'), "Shift+Ctrl+A");
  EXPECT_EQ(ShortCutToText(scCtrl | VK_DELETE), "Ctrl+Del");
  EXPECT_EQ(ShortCutToText(scNone), "");
  EXPECT_EQ(ShortCutToText(scAlt), "");  // a modifier alone names no key
  auto menu = MakeOwned<TPopupMenu>(nullptr);
  auto* close = New<TMenuItem>(menu.get());
  close->SetCaption("&Close");
  close->SetShortCut(scAlt | VK_F4);
  menu->GetItems()->Add(close);
  char text[64] = {};
  GetMenuStringA(menu->GetHandle(), 0, text, sizeof text, MF_BYPOSITION);
  EXPECT_STREQ(text, "&Close\tAlt+F4");
}

// The menu bar: the form shows the native bar, leaves invisible items out so that item
// rectangles are visible positions, hears of every change, routes owner-draw messages of bar
// items to their handlers and never destroys the bar with its window.
TEST_F(GuiForms, MainMenuIsTheFormsBar) {
  auto form = MakeOwned<TForm>(nullptr);
  auto* menu = New<TMainMenu>(form.get());
  TMenuItem* items[3];
  const char* captions[] = {"File", "Hidden", "Help"};
  for (int i = 0; i < 3; ++i) {
    items[i] = New<TMenuItem>(form.get());
    items[i]->SetCaption(captions[i]);
    auto* sub = New<TMenuItem>(form.get());
    sub->SetCaption("Sub");
    items[i]->Add(sub);
    menu->GetItems()->Add(items[i]);
  }
  items[1]->SetVisible(false);
  form->SetMenu(menu);
  form->SetBounds(100, 100, 400, 300);
  HWND wnd = form->GetHandle();
  form->Show();
  HMENU bar = GetMenu(wnd);
  ASSERT_EQ(bar, menu->GetHandle());
  ASSERT_EQ(GetMenuItemCount(bar), 2);
  RECT file{}, help{};
  ASSERT_TRUE(GetMenuItemRect(wnd, bar, 0, &file));
  ASSERT_TRUE(GetMenuItemRect(wnd, bar, 1, &help));
  EXPECT_GT(help.left, file.left);
  EXPECT_EQ(GetMenuItemID(GetSubMenu(bar, 1), 0), items[2]->GetItems(0)->GetCommand());

  int changes = 0;
  TWndMethodProc old = form->GetWindowProc();
  form->SetWindowProc([&](TMessage& msg) {
    if (msg.Msg == CM_MENUCHANGED) ++changes;
    old(msg);
  });
  items[1]->SetVisible(true);
  EXPECT_EQ(GetMenu(wnd), bar);  // rebuilt in place
  EXPECT_EQ(GetMenuItemCount(bar), 3);
  EXPECT_GE(changes, 1);

  // Owner-draw bar items: measuring and drawing reach the item's handlers by command id.
  items[0]->OnMeasureItem = [](TObject*, TCanvas*, int& w, int& h) {
    w = 77;
    h = 19;
  };
  items[0]->OnAdvancedDrawItem = [](TObject*, TCanvas*, TRect r, TOwnerDrawState) { Note("drawn " + std::to_string(r.Width())); };
  menu->SetOwnerDraw(true);
  EXPECT_NE(GetMenuState(bar, 0, MF_BYPOSITION) & MF_OWNERDRAW, 0u);
  MEASUREITEMSTRUCT mis{ODT_MENU, 0, items[0]->GetCommand(), 10, 10, 0};
  EXPECT_EQ(SendMessageA(wnd, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis)), 1);
  EXPECT_EQ(mis.itemWidth, 77u);
  EXPECT_EQ(mis.itemHeight, 19u);
  DRAWITEMSTRUCT dis{};
  dis.CtlType = ODT_MENU;
  dis.itemID = items[0]->GetCommand();
  dis.hDC = GetDC(wnd);
  dis.rcItem = RECT{0, 0, 30, 10};
  log.clear();
  SendMessageA(wnd, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
  ReleaseDC(wnd, dis.hDC);
  EXPECT_EQ(log, (std::vector<std::string>{"drawn 30"}));
  form->SetWindowProc(old);

  // A new window gets the same bar back; the old window did not destroy it.
  form->RecreateWnd();
  EXPECT_TRUE(IsMenu(bar));
  EXPECT_EQ(GetMenu(form->GetHandle()), bar);
  // Freeing the menu takes the bar off the window first.
  wnd = form->GetHandle();
  menu->Free();
  EXPECT_EQ(form->GetMenu(), nullptr);
  EXPECT_EQ(GetMenu(wnd), nullptr);
}

TEST_F(GuiForms, FormIconIsTheWindowsIcon) {
  auto form = MakeOwned<TForm>(nullptr);
  HWND wnd = form->GetHandle();
  EXPECT_EQ(SendMessageA(wnd, WM_GETICON, ICON_BIG, 0), 0);
  TIcon icon;
  icon.SetHandle(CopyIcon(LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_WARNING))));
  form->SetIcon(&icon);
  ASSERT_FALSE(form->GetIcon()->GetEmpty());
  EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(wnd, WM_GETICON, ICON_BIG, 0)), form->GetIcon()->GetHandle());
  form->RecreateWnd();
  EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(form->GetHandle(), WM_GETICON, ICON_SMALL, 0)), form->GetIcon()->GetHandle());
}

namespace {
class TCounting : public TThread {
  FW_CLASS(TCounting, TThread)
 public:
  TCounting() : TThread(true) {}
  DWORD SyncThread = 0;

 protected:
  void Execute() override {
    Synchronize([this] { SyncThread = GetCurrentThreadId(); });
    ReturnValue = 7;
  }
};
}  // namespace

TEST_F(GuiForms, ThreadSynchronizesWithTheGuiThreadWhileItWaits) {
  auto thread = Owned<TCounting>(new TCounting());
  DWORD terminatedOn = 0;
  thread->OnTerminate = [&](TObject*) { terminatedOn = GetCurrentThreadId(); };
  thread->Start();
  EXPECT_EQ(thread->WaitFor(), 7);
  EXPECT_EQ(thread->SyncThread, GetCurrentThreadId());
  EXPECT_EQ(terminatedOn, GetCurrentThreadId());
}

namespace {
class TFailing : public TThread {
  FW_CLASS(TFailing, TThread)
 public:
  TFailing() : TThread(true) {}

 protected:
  void Execute() override { throw Exception("the worker failed"); }
};

class TPolling : public TThread {
  FW_CLASS(TPolling, TThread)
 public:
  TPolling() : TThread(false) {}
  std::atomic<int> Rounds{0};

 protected:
  void Execute() override {
    while (!GetTerminated()) {
      ++Rounds;
      ::Sleep(1);
    }
    ReturnValue = 3;
  }
};
}  // namespace

// The exception is reported on the GUI thread after OnTerminate, never on the worker thread.
TEST_F(GuiForms, AnExceptionOfTheThreadIsReportedOnTheGuiThreadWhenItEnds) {
  auto thread = Owned<TFailing>(new TFailing());
  std::vector<std::string> seen;
  DWORD reportedOn = 0;
  thread->OnTerminate = [&](TObject*) { seen.push_back("terminate"); };
  Application->OnException = [&](TObject* sender, Exception& e) {
    reportedOn = GetCurrentThreadId();
    EXPECT_EQ(sender, thread.get());
    seen.push_back(e.GetMessage());
  };
  thread->Start();
  thread->WaitFor();
  EXPECT_EQ(reportedOn, GetCurrentThreadId());
  EXPECT_EQ(seen, (std::vector<std::string>{"terminate", "the worker failed"}));
  EXPECT_TRUE(thread->GetFatalException());
  EXPECT_TRUE(thread->GetFinished());
}

TEST_F(GuiForms, TerminateStopsAThreadThatPolls) {
  auto thread = Owned<TPolling>(new TPolling());
  while (thread->Rounds == 0) ::Sleep(1);
  thread->Terminate();
  EXPECT_EQ(thread->WaitFor(), 3);
  EXPECT_TRUE(thread->GetFinished());
  EXPECT_FALSE(thread->GetFatalException());
  EXPECT_TRUE(scripted->Exceptions.empty());
}

// The hidden utility window: its method gets the messages and answers them, and goes with the
// window whichever way the window goes.
TEST_F(GuiForms, AFramesScrollRangeIsTheExtentOfItsChildrenWhetherItsBarsShowOrNot) {
  auto* frame = New<TFrame>(nullptr);
  frame->SetBounds(0, 0, 100, 80);
  auto child = [frame](int left, int top, int width, int height, TAlign align = alNone) {
    auto* c = New<TCustomControl>(frame);
    c->SetBounds(left, top, width, height);
    c->SetAlign(align);
    c->SetParent(frame);
    return c;
  };
  TControlScrollBar* vert = frame->GetVertScrollBar();
  TControlScrollBar* horz = frame->GetHorzScrollBar();
  EXPECT_TRUE(frame->GetAutoScroll());
  EXPECT_EQ(vert->GetRange(), 0);
  TControl* low = child(10, 30, 40, 95);
  child(5, 0, 120, 20);
  vert->SetVisible(false);
  horz->SetVisible(false);
  EXPECT_EQ(vert->GetRange(), 125);
  EXPECT_EQ(horz->GetRange(), 125);
  // What is scrolled away still counts, and so does the margin.
  vert->SetPosition(15);
  vert->SetMargin(4);
  EXPECT_EQ(vert->GetRange(), 144);
  vert->SetPosition(0);
  vert->SetMargin(0);
  // Hidden children and children anchored to the far edge set no extent; those aligned there
  // add their size.
  low->SetVisible(false);
  EXPECT_EQ(vert->GetRange(), 20);
  low->SetVisible(true);
  low->SetAnchors(TAnchors{akLeft, akTop, akBottom});
  EXPECT_EQ(vert->GetRange(), 20);
  child(0, 0, 10, 12, alBottom);
  EXPECT_EQ(vert->GetRange(), 32);
  // Without AutoScroll, or while the automatic range is held, the range is the one set.
  frame->DisableAutoRange();
  vert->SetRange(7);
  EXPECT_EQ(vert->GetRange(), 7);
  frame->EnableAutoRange();
  EXPECT_EQ(vert->GetRange(), 32);
  frame->SetAutoScroll(false);
  EXPECT_EQ(vert->GetRange(), 7);
  Free(frame);
}

// A visible bar drives the window's native bar: it shows while the content exceeds the client,
// its scroll codes and a new Position move windowed and graphic children alike, aligned children
// lie in scrolled coordinates, and a focused child is scrolled into view.
TEST_F(GuiForms, AVisibleBarScrollsTheContentByItsNativeBar) {
  auto* form = New<TForm>(Application);
  form->SetBounds(0, 0, 300, 300);
  auto* frame = New<TFrame>(form);
  frame->SetBounds(0, 0, 120, 100);
  frame->SetParent(form);
  form->Show();
  auto child = [frame](int left, int top, int width, int height, TAlign align = alNone) {
    auto* c = New<TCustomControl>(frame);
    c->SetBounds(left, top, width, height);
    c->SetAlign(align);
    c->SetParent(frame);
    return c;
  };
  auto windowTop = [frame](TWinControl* c) {
    RECT r{};
    GetWindowRect(c->GetHandle(), &r);
    POINT p{r.left, r.top};
    ScreenToClient(frame->GetHandle(), &p);
    return static_cast<int>(p.y);
  };
  TControlScrollBar* vert = frame->GetVertScrollBar();
  TCustomControl* top = child(0, 0, 10, 20, alTop);
  TCustomControl* low = child(10, 150, 40, 40);
  auto* mark = New<TGraphicControl>(frame);
  mark->SetBounds(60, 120, 10, 10);
  mark->SetParent(frame);
  frame->UpdateScrollBars();
  EXPECT_EQ(vert->GetRange(), 190);
  EXPECT_TRUE(vert->IsShowing());
  EXPECT_TRUE(GetWindowLongA(frame->GetHandle(), GWL_STYLE) & WS_VSCROLL);
  EXPECT_FALSE(frame->GetHorzScrollBar()->IsShowing());

  vert->SetPosition(50);
  EXPECT_EQ(vert->GetPosition(), 50);
  EXPECT_EQ(low->GetTop(), 100);
  EXPECT_EQ(windowTop(low), 100);
  EXPECT_EQ(top->GetTop(), -50);
  EXPECT_EQ(mark->GetTop(), 70);
  EXPECT_EQ(vert->GetRange(), 190);
  // Aligned children are laid out in scrolled coordinates.
  frame->Realign();
  EXPECT_EQ(top->GetTop(), -50);

  frame->Perform(WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(vert->GetPosition(), 58);
  EXPECT_EQ(windowTop(low), 92);
  frame->Perform(WM_VSCROLL, SB_BOTTOM, 0);
  EXPECT_EQ(vert->GetPosition(), 190 - vert->ClientExtent());
  frame->Perform(WM_VSCROLL, SB_TOP, 0);
  EXPECT_EQ(vert->GetPosition(), 0);
  EXPECT_EQ(windowTop(low), 150);
  EXPECT_EQ(mark->GetTop(), 120);

  // The focused control comes into view, its margin around it.
  vert->SetMargin(5);
  low->SetTabStop(true);
  low->SetFocus();
  Application->ProcessMessages();
  EXPECT_EQ(vert->GetPosition(), 150 + 40 + 5 - vert->ClientExtent());

  // An invisible bar records a position and moves nothing; the native bar goes.
  vert->SetVisible(false);
  EXPECT_FALSE(vert->IsShowing());
  EXPECT_FALSE(GetWindowLongA(frame->GetHandle(), GWL_STYLE) & WS_VSCROLL);
  const int before = low->GetTop();
  vert->SetPosition(vert->GetPosition() + 7);
  EXPECT_EQ(low->GetTop(), before);
  Free(form);
}

TEST(UtilWindow, TheMethodAnswersAndGoesWithTheWindow) {
  std::vector<UINT> seen;
  auto token = std::make_shared<int>(0);
  std::weak_ptr<int> method = token;
  HWND wnd = AllocateHWnd(
      [&seen, token](TMessage& message) {
        seen.push_back(message.Msg);
        message.Result = message.Msg == WM_APP ? static_cast<LRESULT>(message.WParam + message.LParam) : 0;
      },
      "VorletTestUtilWindow");
  token.reset();
  ASSERT_NE(wnd, nullptr);
  char name[64] = {};
  GetClassNameA(wnd, name, sizeof name);
  EXPECT_STREQ(name, "VorletTestUtilWindow");
  EXPECT_TRUE(GetWindowLongA(wnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  EXPECT_TRUE(static_cast<DWORD>(GetWindowLongA(wnd, GWL_STYLE)) & WS_POPUP);
  EXPECT_EQ(GetParent(wnd), nullptr);
  EXPECT_FALSE(IsWindowVisible(wnd));
  EXPECT_EQ(SendMessageA(wnd, WM_APP, 40, 2), 42);
  // A second window of the same class, without a method, works alongside.
  HWND plain = AllocateHWnd(nullptr, "VorletTestUtilWindow");
  ASSERT_NE(plain, nullptr);
  EXPECT_EQ(SendMessageA(plain, WM_APP, 40, 2), 0);
  DeallocateHWnd(plain);
  DeallocateHWnd(wnd);
  EXPECT_FALSE(IsWindow(wnd));
  EXPECT_EQ(seen.front(), UINT(WM_APP));
  EXPECT_EQ(std::count(seen.begin(), seen.end(), UINT(WM_NCDESTROY)), 0) << "the method is taken off first";
  EXPECT_TRUE(method.expired());

  // Destroyed without DeallocateHWnd, the window frees its method after the last message.
  token = std::make_shared<int>(0);
  method = token;
  seen.clear();
  HWND direct = AllocateHWnd([&seen, token](TMessage& message) { seen.push_back(message.Msg); });
  token.reset();
  GetClassNameA(direct, name, sizeof name);
  EXPECT_STREQ(name, "TPUtilWindow");
  DestroyWindow(direct);
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen.back(), UINT(WM_NCDESTROY));
  EXPECT_TRUE(method.expired());
  DeallocateHWnd(nullptr);
}
