// The message chain, the control tree and the windowless children: what the skinned controls
// and the application rely on (answers through LParam, WindowProc replacement order, loading
// order, destruction with handles, painting into a given DC, mouse routing and tracking,
// reflection of native notifications).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/comctrls/tool_bar.h"
#include "framework/controls/custom_control.h"
#include "framework/controls/graphic_control.h"
#include "framework/controls/mouse_tracker.h"
#include "framework/forms/application.h"
#include "framework/forms/dialog_service.h"
#include "framework/forms/frame.h"
#include "framework/msg/subclass_window.h"
#include "support/gui_test_support.h"

using namespace fw;

namespace {

constexpr UINT kQuery = WM_APP + 5;

using testing_gui::Note;

class GuiControls : public testing_gui::GuiTest {};

// A windowed control that answers kQuery through LParam and SM_SKINCMD like a skinned control.
class TAnswering : public TCustomControl {
  FW_CLASS(TAnswering, TCustomControl)
 public:
  using TCustomControl::TCustomControl;
  void Dispatch(TMessage& msg) override {
    if (msg.Msg == kQuery || msg.Msg == SM_SKINCMD) {
      msg.LParam = 42;
      return;
    }
    TCustomControl::Dispatch(msg);
  }
};

// Records its Loaded call and whether it was loading when its Caption was set.
class TLoadProbe : public TGraphicControl {
  FW_CLASS(TLoadProbe, TGraphicControl)
 public:
  using TGraphicControl::TGraphicControl;
  void SetText(const std::string& s) override {
    Note(s + (GetComponentState().Contains(csLoading) ? " set while loading" : " set after loading"));
    TGraphicControl::SetText(s);
  }

 protected:
  void Loaded() override {
    Note("Loaded " + GetName() + (GetControlState().Contains(csReadingState) ? " reading" : ""));
    TGraphicControl::Loaded();
  }
};

class TLoadForm : public TForm {
  FW_CLASS(TLoadForm, TForm)
 public:
  using TForm::TForm;

 protected:
  void CreateComponents() override {
    Note(std::string("form loading: ") + (GetComponentState().Contains(csLoading) ? "yes" : "no"));
    for (const char* name : {"first", "second"}) {
      auto* p = New<TLoadProbe>(this);
      p->SetName(name);
      p->SetParent(this);
      p->SetCaption(name);
    }
    OnCreate = [](TObject*) { Note("OnCreate"); };
  }
  void Loaded() override {
    Note("Loaded form");
    TForm::Loaded();
  }
};

// Paints its whole area red and records the mouse it gets, in its own coordinates.
class TRedBox : public TGraphicControl {
  FW_CLASS(TRedBox, TGraphicControl)
 public:
  using TGraphicControl::TGraphicControl;
  void Dispatch(TMessage& msg) override {
    if (msg.Msg == CM_MOUSEENTER) Note(GetName() + " enter");
    if (msg.Msg == CM_MOUSELEAVE) Note(GetName() + " leave");
    TGraphicControl::Dispatch(msg);
  }

 protected:
  void Paint() override {
    GetCanvas()->GetBrush()->SetColor(clRed);
    GetCanvas()->FillRect(GetClientRect());
  }
  void MouseDown(TMouseButton, TShiftState, int x, int y) override {
    Note("down " + std::to_string(x) + "," + std::to_string(y) + (GetMouseCapture() ? " captured" : ""));
  }
  void MouseMove(TShiftState, int x, int y) override { Note("move " + std::to_string(x) + "," + std::to_string(y)); }
  void MouseUp(TMouseButton, TShiftState, int x, int y) override {
    Note("up " + std::to_string(x) + "," + std::to_string(y));
  }
};

class TPanelLike : public TCustomControl {
  FW_CLASS(TPanelLike, TCustomControl)
 public:
  explicit TPanelLike(TComponent* owner) : TCustomControl(owner) {
    SetControlStyle(GetControlStyle() + csAcceptsControls);
    SetColor(clWhite);
  }
  void Dispatch(TMessage& msg) override {
    if (msg.Msg == CM_MOUSEENTER || msg.Msg == CM_MOUSELEAVE) {
      auto* from = reinterpret_cast<TControl*>(msg.LParam);
      Note(GetName() + (msg.Msg == CM_MOUSEENTER ? " hears enter of " : " hears leave of ") +
           (from ? from->GetName() : std::string("itself")));
    }
    TCustomControl::Dispatch(msg);
  }
};

// A native button under our own class name that records what is reflected to it.
class TReflectedButton : public TWinControl {
  FW_CLASS(TReflectedButton, TWinControl)
 public:
  explicit TReflectedButton(TComponent* owner) : TWinControl(owner) {
    SetControlStyle(TControlStyle{csSetCaption, csDoubleClicks});
  }
  void Dispatch(TMessage& msg) override {
    if (msg.Msg == CN_COMMAND) {
      Note("CN_COMMAND " + std::to_string(HiWord(msg.WParam)));
      return;
    }
    if (msg.Msg == CN_NOTIFY) {
      Note("CN_NOTIFY " + std::to_string(static_cast<int>(NMHdr(msg)->code)));
      msg.Result = 77;
      return;
    }
    TWinControl::Dispatch(msg);
  }

 protected:
  void CreateParams(TCreateParams& params) override {
    TWinControl::CreateParams(params);
    CreateSubClass(params, "BUTTON");
    params.Style |= BS_PUSHBUTTON;
  }
};

class TNotified : public TComponent {
  FW_CLASS(TNotified, TComponent)
 public:
  using TComponent::TComponent;
  void Notification(TComponent* c, TOperation op) override {
    if (op == opRemove) Note("removed " + c->GetName());
    TComponent::Notification(c, op);
  }
};

class TFreeProbe : public TCustomControl {
  FW_CLASS(TFreeProbe, TCustomControl)
 public:
  using TCustomControl::TCustomControl;
  void Dispatch(TMessage& msg) override {
    if (msg.Msg == WM_DESTROY) Note("window of " + GetName() + " destroyed");
    TCustomControl::Dispatch(msg);
  }

 protected:
  ~TFreeProbe() override { Note("object " + GetName() + " deleted"); }
};

}  // namespace

TEST_F(GuiControls, PerformAndSendMessageAnswerThroughLParam) {
  auto form = MakeOwned<TForm>(nullptr);
  auto* c = New<TAnswering>(form.get());
  c->SetParent(form.get());
  TMessage m{kQuery, 0, 0, 0};
  c->Perform(m);
  EXPECT_EQ(m.LParam, 42);
  EXPECT_EQ(m.Result, 0);
  // Through the window the skin command's answer is mirrored into the result.
  EXPECT_EQ(SendMessageA(c->GetHandle(), SM_SKINCMD, 7, 0), 42);
  EXPECT_EQ(TWinControl::FindControl(c->GetHandle()), c);
}

TEST_F(GuiControls, WindowProcReplacementsChainAndRestoreLastFirst) {
  auto form = MakeOwned<TForm>(nullptr);
  auto* c = New<TAnswering>(form.get());
  TWndMethodProc original = c->GetWindowProc();
  c->SetWindowProc([&](TMessage& m) {
    if (m.Msg == kQuery) Note("A");
    original(m);
  });
  TWndMethodProc savedA = c->GetWindowProc();
  c->SetWindowProc([&](TMessage& m) {
    if (m.Msg == kQuery) Note("B");
    savedA(m);
  });
  TMessage m{kQuery, 0, 0, 0};
  c->Perform(m);
  EXPECT_EQ(log, (std::vector<std::string>{"B", "A"}));
  EXPECT_EQ(m.LParam, 42);
  log.clear();
  c->SetWindowProc(savedA);
  c->Perform(kQuery);
  c->SetWindowProc(original);
  c->Perform(kQuery);
  EXPECT_EQ(log, (std::vector<std::string>{"A"}));
}

TEST_F(GuiControls, LayoutLoadsInCreationOrderBeforeOnCreate) {
  TLoadForm* form = nullptr;
  Application->CreateForm(form);
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(log, (std::vector<std::string>{"form loading: yes", "first set while loading", "second set while loading",
                                           "Loaded first reading", "Loaded second reading", "Loaded form",
                                           "OnCreate"}));
  EXPECT_FALSE(form->GetComponentState().Contains(csLoading));
  EXPECT_FALSE(form->GetControls(0)->GetControlState().Contains(csReadingState));
  EXPECT_EQ(Application->GetMainForm(), form);
}

TEST_F(GuiControls, FreeDestroysWindowsFirstAndFreesUnownedChildren) {
  auto partner = MakeOwned<TNotified>(nullptr);
  TForm* form = New<TForm>(nullptr);
  auto* panel = New<TFreeProbe>(form);
  panel->SetName("panel");
  panel->SetParent(form);
  // A frame without an owner, parented to the panel, as the frame bar makes them.
  auto* frame = New<TFrame>(nullptr);
  frame->SetName("frame");
  frame->SetParent(panel);
  auto* inner = New<TFreeProbe>(frame);
  inner->SetName("inner");
  inner->SetParent(frame);
  inner->FreeNotification(partner.get());
  form->HandleNeeded();
  HWND innerWnd = inner->GetHandleNoCreate();
  ASSERT_TRUE(IsWindow(innerWnd));
  form->Free();
  EXPECT_FALSE(IsWindow(innerWnd));
  auto pos = [&](const std::string& s) { return std::find(log.begin(), log.end(), s) - log.begin(); };
  ASSERT_LT(pos("object inner deleted"), static_cast<long>(log.size()));
  EXPECT_LT(pos("window of inner destroyed"), pos("object inner deleted"));
  EXPECT_LT(pos("window of panel destroyed"), pos("object inner deleted"));
  EXPECT_LT(pos("removed inner"), pos("object inner deleted"));
  EXPECT_LT(pos("object inner deleted"), pos("object panel deleted"));
}

TEST_F(GuiControls, GraphicChildPaintsIntoTheGivenDC) {
  auto form = MakeOwned<TForm>(nullptr);
  auto* panel = New<TPanelLike>(form.get());
  panel->SetBounds(0, 0, 60, 40);
  panel->SetParent(form.get());
  auto* box = New<TRedBox>(form.get());
  box->SetBounds(10, 5, 20, 10);
  box->SetParent(panel);

  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, 80, 60);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bmp);
  RECT all{0, 0, 80, 60};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  panel->PaintTo(dc, 3, 4);
  EXPECT_EQ(GetPixel(dc, 3 + 10, 4 + 5), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc, 3 + 29, 4 + 14), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc, 3 + 30, 4 + 14), RGB(255, 255, 255));  // the panel's own background
  EXPECT_EQ(GetPixel(dc, 3 + 9, 4 + 5), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(dc, 2, 3), RGB(0, 0, 0));  // outside the panel: untouched
  SelectObject(dc, old);
  DeleteObject(bmp);
  DeleteDC(dc);
}

// Creating a window creates its visible children's windows only: a hidden one gets its window
// (with its children's) when it shows, or when its handle is asked for.
TEST_F(GuiControls, AHiddenChildGetsItsWindowWhenItShows) {
  auto form = MakeOwned<TForm>(nullptr);
  form->SetBounds(50, 50, 200, 150);
  auto make = [&](TWinControl* parent, bool visible) {
    auto* panel = New<TPanelLike>(form.get());
    panel->SetBounds(0, 0, 60, 40);
    panel->SetVisible(visible);
    panel->SetParent(parent);
    return panel;
  };
  TPanelLike* shown = make(form.get(), true);
  TPanelLike* hidden = make(form.get(), false);
  TPanelLike* inner = make(hidden, true);
  TPanelLike* asked = make(form.get(), false);
  form->Show();
  EXPECT_TRUE(shown->HandleAllocated());
  EXPECT_FALSE(hidden->HandleAllocated());
  EXPECT_FALSE(inner->HandleAllocated());
  hidden->SetVisible(true);
  ASSERT_TRUE(inner->HandleAllocated());
  EXPECT_TRUE(IsWindowVisible(inner->GetHandle()));
  EXPECT_EQ(GetParent(inner->GetHandle()), hidden->GetHandle());
  EXPECT_TRUE(asked->GetHandle() != nullptr);
  EXPECT_FALSE(IsWindowVisible(asked->GetHandle()));
}

TEST_F(GuiControls, ParentRoutesTheMouseToItsGraphicChildWithCapture) {
  auto form = MakeOwned<TForm>(nullptr);
  form->SetBounds(0, 0, 200, 150);
  auto* box = New<TRedBox>(form.get());
  box->SetBounds(10, 20, 30, 30);
  box->SetParent(form.get());
  int clicks = 0;
  box->OnClick = [&](TObject*) { ++clicks; };
  HWND wnd = form->GetHandle();
  SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(15, 25));
  EXPECT_EQ(GetCapture(), wnd);
  EXPECT_EQ(GetCaptureControl(), box);
  // Outside the box the captured mouse still goes to it.
  SendMessageA(wnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(100, 100));
  SendMessageA(wnd, WM_LBUTTONUP, 0, MAKELPARAM(100, 100));
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(clicks, 0);  // released outside: no click
  SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(12, 22));
  SendMessageA(wnd, WM_LBUTTONUP, 0, MAKELPARAM(13, 23));
  EXPECT_EQ(clicks, 1);
  // Outside every child the form itself gets the mouse.
  SendMessageA(wnd, WM_MOUSEMOVE, 0, MAKELPARAM(150, 100));
  EXPECT_EQ(log, (std::vector<std::string>{"down 5,5 captured", "move 90,80", "up 90,80", "down 2,2 captured",
                                           "up 3,3"}));
}

TEST_F(GuiControls, MouseEnterAndLeaveFollowTheCursor) {
  auto form = MakeOwned<TForm>(nullptr);
  form->SetBorderStyle(bsNone);
  form->SetBounds(50, 60, 200, 150);
  auto* panel = New<TPanelLike>(form.get());
  panel->SetName("panel");
  panel->SetBounds(0, 0, 120, 100);
  panel->SetParent(form.get());
  auto* box = New<TRedBox>(form.get());
  box->SetName("box");
  box->SetBounds(10, 10, 30, 30);
  box->SetParent(panel);
  form->Show();
  TPoint origin = panel->ClientToScreen(TPoint(0, 0));
  UpdateMouseControl(TPoint(origin.X + 15, origin.Y + 15));
  EXPECT_EQ(GetMouseControl(), box);
  UpdateMouseControl(TPoint(origin.X + 16, origin.Y + 16));  // still inside: nothing new
  UpdateMouseControl(TPoint(origin.X + 80, origin.Y + 15));
  EXPECT_EQ(GetMouseControl(), panel);
  UpdateMouseControl(TPoint(origin.X + 150, origin.Y + 15));
  EXPECT_EQ(GetMouseControl(), form.get());
  form->Hide();
  UpdateMouseControl(TPoint(origin.X + 150, origin.Y + 15));
  EXPECT_EQ(GetMouseControl(), nullptr);
  EXPECT_EQ(log, (std::vector<std::string>{"box enter", "panel hears enter of box", "box leave",
                                           "panel hears leave of box", "panel hears enter of itself",
                                           "panel hears leave of itself"}));
}

TEST_F(GuiControls, NativeNotificationsAreReflectedToTheChild) {
  auto form = MakeOwned<TForm>(nullptr);
  auto* button = New<TReflectedButton>(form.get());
  button->SetBounds(5, 5, 80, 24);
  button->SetParent(form.get());
  HWND wnd = button->GetHandle();
  char name[64] = "";
  GetClassNameA(wnd, name, sizeof name);
  EXPECT_STREQ(name, "TReflectedButton");
  SendMessageA(wnd, BM_CLICK, 0, 0);
  NMHDR hdr{wnd, static_cast<UINT_PTR>(GetDlgCtrlID(wnd)), 1234};
  EXPECT_EQ(SendMessageA(form->GetHandle(), WM_NOTIFY, hdr.idFrom, reinterpret_cast<LPARAM>(&hdr)), 77);
  EXPECT_EQ(log, (std::vector<std::string>{"CN_COMMAND 0", "CN_NOTIFY 1234"}));
}

TEST_F(GuiControls, AThrowInAHandlerIsShownAndMessagesGoOn) {
  auto form = MakeOwned<TForm>(nullptr);
  auto* box = New<TRedBox>(form.get());
  box->SetBounds(0, 0, 50, 50);
  box->SetParent(form.get());
  int clicks = 0;
  box->OnClick = [&](TObject*) {
    ++clicks;
    if (clicks == 1) throw Exception("Drive not ready");
    if (clicks == 2) Abort();
  };
  HWND wnd = form->GetHandle();
  for (int i = 0; i < 3; ++i) {
    SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(wnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  }
  EXPECT_EQ(clicks, 3);
  EXPECT_EQ(scripted->Exceptions, (std::vector<std::string>{"Drive not ready."}));
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(GuiControls, HintOfAWindowlessControlShowsAfterThePause) {
  auto form = MakeOwned<TForm>(nullptr);
  form->SetBorderStyle(bsNone);
  form->SetBounds(40, 40, 200, 100);
  auto* box = New<TRedBox>(form.get());
  box->SetBounds(10, 10, 30, 30);
  box->SetParent(form.get());
  box->SetHint("Scan|Scans the selected drives");
  box->SetShowHint(true);
  auto* plain = New<TRedBox>(form.get());
  plain->SetBounds(100, 10, 30, 30);
  plain->SetParent(form.get());
  form->Show();
  Application->SetHintPause(1);
  UpdateMouseControl(box->ClientToScreen(TPoint(5, 5)));
  for (int i = 0; i < 100 && !(Application->GetHintHandle() && IsWindowVisible(Application->GetHintHandle())); ++i) {
    Application->ProcessMessages();
    Sleep(10);
  }
  ASSERT_NE(Application->GetHintHandle(), nullptr);
  EXPECT_TRUE(IsWindowVisible(Application->GetHintHandle()));
  EXPECT_EQ(GetShortHint(box->GetHint()), "Scan");
  UpdateMouseControl(plain->ClientToScreen(TPoint(5, 5)));
  Application->ProcessMessages();
  EXPECT_FALSE(IsWindowVisible(Application->GetHintHandle()));
}

TEST_F(GuiControls, EachToolButtonShowsItsOwnHint) {
  // The buttons of a bar are no windows of their own: the bar tells the hint whose it is, and
  // moving from one button to the next shows the next one's.
  auto form = MakeOwned<TForm>(nullptr);
  form->SetBorderStyle(bsNone);
  form->SetBounds(40, 40, 300, 60);
  auto* bar = New<TToolBar>(form.get());
  bar->SetBounds(0, 0, 300, 30);
  bar->SetShowHint(true);
  bar->SetParent(form.get());
  std::vector<TToolButton*> buttons;
  for (const char* hint : {"Folders only|Changes folders", "Files only", ""}) {
    auto* button = New<TToolButton>(form.get());
    button->SetHint(hint);
    button->SetToolBar(bar);
    buttons.push_back(button);
  }
  form->Show();
  Application->SetHintPause(1);
  auto hintOver = [&](TToolButton* button) -> std::string {
    const TRect r = button->GetItemRect();
    const TPoint at((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    const TPoint screen = bar->ClientToScreen(at);
    SetCursorPos(screen.X, screen.Y);
    SendMessageA(bar->GetHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(at.X, at.Y));
    UpdateMouseControl(screen);
    HWND tip = nullptr;
    for (int i = 0; i < 50; ++i) {
      Application->ProcessMessages();
      Sleep(10);
      tip = Application->GetHintHandle();
      if (tip && IsWindowVisible(tip)) break;
    }
    if (!tip || !IsWindowVisible(tip)) return "";
    char text[80] = "";
    TOOLINFOA ti{};
    ti.cbSize = TTTOOLINFOA_V2_SIZE;
    ti.hwnd = GetWindow(tip, GW_OWNER);
    ti.uId = 1;
    ti.lpszText = text;
    SendMessageA(tip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&ti));
    return text;
  };
  EXPECT_EQ(hintOver(buttons[0]), "Folders only");
  EXPECT_EQ(hintOver(buttons[1]), "Files only");
  EXPECT_EQ(hintOver(buttons[2]), "");
  EXPECT_EQ(hintOver(buttons[0]), "Folders only");
}

TEST_F(GuiControls, SubclassesOfAForeignWindowChainAndComeOffInReverse) {
  auto form = MakeOwned<TForm>(nullptr);
  HWND edit = CreateWindowExA(0, "EDIT", "", WS_CHILD, 0, 0, 50, 20, form->GetHandle(), nullptr,
                              GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(edit, nullptr);
  constexpr UINT kPing = WM_USER + 300;
  int a = SubclassWindow(edit, [](TMessage& m, const TCallPrevious& previous) {
    if (m.Msg == kPing) Note("A");
    previous(m);
  });
  int b = SubclassWindow(edit, [](TMessage& m, const TCallPrevious& previous) {
    if (m.Msg == kPing) {
      Note("B");
      if (m.WParam == 1) throw Exception("Subclass failed");
    }
    previous(m);
  });
  SendMessageA(edit, kPing, 0, 0);
  SendMessageA(edit, kPing, 1, 0);  // the throw is caught at the window procedure
  SetWindowTextA(edit, "still works");
  char text[32] = "";
  GetWindowTextA(edit, text, sizeof text);
  EXPECT_STREQ(text, "still works");
  RemoveSubclass(b);
  SendMessageA(edit, kPing, 0, 0);
  RemoveSubclass(a);
  SendMessageA(edit, kPing, 0, 0);
  EXPECT_EQ(log, (std::vector<std::string>{"B", "A", "B", "A"}));
  EXPECT_EQ(scripted->Exceptions, (std::vector<std::string>{"Subclass failed."}));
  // A window destroyed while subclassed drops its subclasses.
  int c = SubclassWindow(edit, [](TMessage& m, const TCallPrevious& previous) { previous(m); });
  EXPECT_NE(c, 0);
  DestroyWindow(edit);
  RemoveSubclass(c);
}

TEST_F(GuiControls, AlignedAndAnchoredChildrenFollowTheParent) {
  auto form = MakeOwned<TForm>(nullptr);
  form->SetBorderStyle(bsNone);
  form->SetBounds(0, 0, 300, 200);
  auto add = [&](TAlign align, TRect bounds) {
    auto* c = New<TPanelLike>(form.get());
    c->SetBoundsRect(bounds);
    c->SetAlign(align);
    c->SetParent(form.get());
    return c;
  };
  // Two top-aligned panels stack in the order of their positions, not of their creation.
  TControl* top2 = add(alTop, Bounds(0, 50, 10, 20));
  TControl* top1 = add(alTop, Bounds(0, 0, 10, 30));
  TControl* bottom = add(alBottom, Bounds(0, 0, 10, 25));
  TControl* left = add(alLeft, Bounds(0, 0, 40, 10));
  TControl* client = add(alClient, Bounds(0, 0, 1, 1));
  TControl* corner = add(alNone, Bounds(250, 150, 30, 20));
  corner->SetAnchors(TAnchors{akRight, akBottom});
  form->HandleNeeded();
  EXPECT_EQ(top1->GetBoundsRect(), Bounds(0, 0, 300, 30));
  EXPECT_EQ(top2->GetBoundsRect(), Bounds(0, 30, 300, 20));
  EXPECT_EQ(bottom->GetBoundsRect(), Bounds(0, 175, 300, 25));
  EXPECT_EQ(left->GetBoundsRect(), Bounds(0, 50, 40, 125));
  EXPECT_EQ(client->GetBoundsRect(), Bounds(40, 50, 260, 125));
  form->SetBounds(0, 0, 400, 260);
  EXPECT_EQ(bottom->GetBoundsRect(), Bounds(0, 235, 400, 25));
  EXPECT_EQ(client->GetBoundsRect(), Bounds(40, 50, 360, 185));
  EXPECT_EQ(corner->GetBoundsRect(), Bounds(350, 210, 30, 20));
  // A hidden aligned control gives its room away.
  top1->SetVisible(false);
  EXPECT_EQ(top2->GetTop(), 0);
}

// A child anchored on both sides keeps its distance to the right edge through a time when its
// parent is narrower than the child's left, even when its window is made then.
TEST_F(GuiControls, AStretchedChildOutlivesAParentNarrowerThanItsLeft) {
  auto form = MakeOwned<TForm>(nullptr);
  form->SetBorderStyle(bsNone);
  form->SetBounds(0, 0, 300, 200);
  auto* parent = New<TPanelLike>(form.get());
  parent->SetBounds(0, 0, 200, 100);
  auto* child = New<TPanelLike>(form.get());
  child->SetBounds(50, 10, 130, 20);
  child->SetAnchors(TAnchors{akLeft, akTop, akRight});
  child->SetParent(parent);
  parent->SetWidth(30);
  EXPECT_EQ(child->GetWidth(), 0);
  parent->SetParent(form.get());
  form->HandleNeeded();
  ASSERT_TRUE(child->HandleAllocated());
  parent->SetWidth(250);
  EXPECT_EQ(child->GetBoundsRect(), Bounds(50, 10, 180, 20));
}

namespace {
// A native edit under our class name that measures an owner-drawn item when asked.
class TMeasuredEdit : public TWinControl {
  FW_CLASS(TMeasuredEdit, TWinControl)
 public:
  explicit TMeasuredEdit(TComponent* owner) : TWinControl(owner) {
    SetControlStyle(TControlStyle{csSetCaption, csDoubleClicks});
  }
  void Dispatch(TMessage& msg) override {
    if (msg.Msg == CN_MEASUREITEM) {
      reinterpret_cast<MEASUREITEMSTRUCT*>(msg.LParam)->itemHeight = 33;
      msg.Result = 1;
      return;
    }
    TWinControl::Dispatch(msg);
  }

 protected:
  void CreateParams(TCreateParams& params) override {
    TWinControl::CreateParams(params);
    CreateSubClass(params, "EDIT");
  }
};
}  // namespace

TEST_F(GuiControls, FontsAndColorsComeFromTheParentAndReachNativeChildren) {
  auto form = MakeOwned<TForm>(nullptr);
  auto* edit = New<TMeasuredEdit>(form.get());
  edit->SetParent(form.get());
  edit->SetBounds(5, 5, 100, 22);
  HWND wnd = edit->GetHandle();
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(wnd, WM_GETFONT, 0, 0)), edit->GetFont()->GetHandle());
  form->GetFont()->SetSize(12);
  EXPECT_EQ(edit->GetFont()->GetSize(), 12);
  EXPECT_TRUE(edit->GetParentFont());
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(wnd, WM_GETFONT, 0, 0)), edit->GetFont()->GetHandle());
  edit->GetFont()->SetStyle(TFontStyles{fsBold});
  EXPECT_FALSE(edit->GetParentFont());
  form->GetFont()->SetSize(14);
  EXPECT_EQ(edit->GetFont()->GetSize(), 12);  // a font of its own is kept
  // The colour comes from the parent until set, and answers WM_CTLCOLOREDIT with its brush.
  form->SetColor(clYellow);
  EXPECT_EQ(edit->GetColor(), clYellow);
  edit->SetColor(clAqua);
  form->SetColor(clRed);
  EXPECT_EQ(edit->GetColor(), clAqua);
  HDC dc = GetDC(wnd);
  auto brush = reinterpret_cast<HBRUSH>(SendMessageA(form->GetHandle(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                                                     reinterpret_cast<LPARAM>(wnd)));
  EXPECT_EQ(brush, edit->GetBrushHandle());
  EXPECT_EQ(GetBkColor(dc), static_cast<COLORREF>(clAqua));
  ReleaseDC(wnd, dc);
  // Owner-draw measuring finds the child by its control id.
  MEASUREITEMSTRUCT mis{ODT_LISTBOX, static_cast<UINT>(GetDlgCtrlID(wnd)), 0, 0, 0, 0};
  EXPECT_EQ(SendMessageA(form->GetHandle(), WM_MEASUREITEM, mis.CtlID, reinterpret_cast<LPARAM>(&mis)), 1);
  EXPECT_EQ(mis.itemHeight, 33u);
}

TEST_F(GuiControls, RightToLeftModeComesFromTheParentUntilSet) {
  auto form = MakeOwned<TForm>(nullptr);
  form->SetBiDiMode(bdRightToLeftNoAlign);
  auto* edit = New<TMeasuredEdit>(form.get());
  edit->SetParent(form.get());
  EXPECT_EQ(edit->GetBiDiMode(), bdRightToLeftNoAlign);  // taken when parented
  EXPECT_TRUE(edit->UseRightToLeftScrollBar());
  EXPECT_FALSE(edit->UseRightToLeftAlignment());
  form->SetBiDiMode(bdRightToLeft);
  EXPECT_EQ(edit->GetBiDiMode(), bdRightToLeft);
  EXPECT_TRUE(edit->UseRightToLeftAlignment());
  edit->SetBiDiMode(bdLeftToRight);  // its own mode is kept
  EXPECT_FALSE(edit->GetParentBiDiMode());
  form->SetBiDiMode(bdRightToLeftReadingOnly);
  EXPECT_EQ(edit->GetBiDiMode(), bdLeftToRight);
  edit->SetParentBiDiMode(true);
  EXPECT_EQ(edit->GetBiDiMode(), bdRightToLeftReadingOnly);
  EXPECT_TRUE(edit->UseRightToLeftReading());
  EXPECT_FALSE(edit->UseRightToLeftScrollBar());
}

TEST_F(GuiControls, RecreatedWindowsKeepTextAndStyleChangesKeepTheHandle) {
  auto form = MakeOwned<TForm>(nullptr);
  auto* edit = New<TMeasuredEdit>(form.get());
  edit->SetParent(form.get());
  HWND first = edit->GetHandle();
  SetWindowTextA(first, "typed by the user");
  edit->RecreateWnd();
  EXPECT_NE(edit->GetHandleNoCreate(), nullptr);
  EXPECT_EQ(edit->GetText(), "typed by the user");
  EXPECT_EQ(TWinControl::FindControl(edit->GetHandleNoCreate()), edit);
  HWND wnd = form->GetHandle();
  form->SetBorderIcons(TBorderIcons{});
  EXPECT_EQ(form->GetHandleNoCreate(), wnd);
  EXPECT_EQ(GetWindowLongA(wnd, GWL_STYLE) & WS_SYSMENU, 0);
  form->SetBorderIcons(TBorderIcons{biSystemMenu, biMinimize, biMaximize});
  EXPECT_NE(GetWindowLongA(wnd, GWL_STYLE) & WS_MAXIMIZEBOX, 0);
  EXPECT_EQ(form->GetHandleNoCreate(), wnd);
  // Constraints limit the tracking size.
  form->SetConstraints(TSizeConstraints{600, 500, 0, 0});
  EXPECT_EQ(form->GetWidth(), 600);
  MINMAXINFO info{};
  SendMessageA(wnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(info.ptMinTrackSize.x, 600);
  EXPECT_EQ(info.ptMinTrackSize.y, 500);
}
