#include "framework/controls/win_control.h"

#include <algorithm>
#include <map>
#include <unordered_map>

#include "framework/forms/screen.h"
#include "framework/msg/exception_barrier.h"
#include "framework/rtl/exceptions.h"
#include "framework/rtl/wide_text.h"

namespace fw {

namespace {

// Per registered window class: the procedure its messages default to.
struct TClassRecord {
  WNDPROC DefProc;
  bool Native;
};

std::map<std::string, TClassRecord>& Classes() {
  static std::map<std::string, TClassRecord> classes;
  return classes;
}

const char* ControlProp() {
  static ATOM atom = GlobalAddAtomA("VorletControl");
  return MAKEINTATOM(atom);
}

// The control of each framework window. The window property is the platform's record; this map
// answers the frequent look-ups (every reflected notification) without asking the window
// server, which under Wine costs a round trip each time.
std::unordered_map<HWND, TWinControl*>& ControlMap() {
  static std::unordered_map<HWND, TWinControl*> map;
  return map;
}

void BindControl(HWND wnd, TWinControl* control) {
  SetPropA(wnd, ControlProp(), control);
  ControlMap()[wnd] = control;
}

void UnbindControl(HWND wnd) {
  RemovePropA(wnd, ControlProp());
  ControlMap().erase(wnd);
}

// The control whose CreateWindowEx is running; its window binds at the first message.
thread_local TWinControl* creationControl = nullptr;

UINT NextControlId() {
  static UINT id = 100;
  return ++id;
}

HINSTANCE Module() { return GetModuleHandleA(nullptr); }

bool IsWindowed(const TControl* c) { return dynamic_cast<const TWinControl*>(c) != nullptr; }

struct TEndPaint {
  HWND Wnd;
  PAINTSTRUCT* Ps;
  ~TEndPaint() {
    if (Wnd) EndPaint(Wnd, Ps);
  }
};

}  // namespace

LRESULT CALLBACK ControlWndProc(HWND wnd, UINT msg, WPARAM w, LPARAM l) {
  TWinControl* control = TWinControl::FindControl(wnd);
  if (!control) {
    if (creationControl && !creationControl->FHandle) {
      control = creationControl;
      control->FHandle = wnd;
      BindControl(wnd, control);
    } else {
      char name[256] = "";
      GetClassNameA(wnd, name, sizeof name);
      auto it = Classes().find(name);
      WNDPROC def = it != Classes().end() ? it->second.DefProc : DefWindowProcA;
      return CallWindowProcA(def, wnd, msg, w, l);
    }
  }
  // The top-level window counts the messages in progress (deferred release waits for them).
  TWinControl* top = control->GetTopParent();
  HWND topWnd = top ? top->FHandle : nullptr;
  if (top) ++top->FDispatchDepth;
  TMessage m{msg, w, l, 0};
  Barrier([&] { control->Perform(m); }, control);
  if (msg == SM_SKINCMD && m.LParam != l && m.Result == 0) m.Result = m.LParam;
  if (top && TWinControl::FindControl(topWnd) == top) --top->FDispatchDepth;
  if (msg == WM_NCDESTROY) {
    if (TWinControl::FindControl(wnd) == control) {
      UnbindControl(wnd);
      control->FHandle = nullptr;
    }
  }
  return m.Result;
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
  FreeBrush();
  if (FHandle) {
    UnbindControl(FHandle);
    DestroyWindow(FHandle);
  }
  for (TControl* c : FControls) c->FParent = nullptr;
  // No window may keep leading to a freed control, whatever way its window went.
  std::erase_if(ControlMap(), [this](const auto& entry) { return entry.second == this; });
}

TWinControl* TWinControl::FindControl(HWND wnd) {
  if (!wnd) return nullptr;
  auto it = ControlMap().find(wnd);
  return it == ControlMap().end() ? nullptr : it->second;
}

TWinControl* TWinControl::FindOwningControl(HWND wnd) {
  while (wnd) {
    if (TWinControl* c = FindControl(wnd)) return c;
    if (!(GetWindowLongA(wnd, GWL_STYLE) & WS_CHILD)) return nullptr;
    wnd = ::GetParent(wnd);
  }
  return nullptr;
}

// --- life cycle ---

void TWinControl::FreeHandle() { DestroyHandle(); }

void TWinControl::FreeParentLinks() {
  // Children still parented here (frames without an owner, or controls of other owners) go too.
  while (!FControls.empty()) {
    TControl* child = FControls.back();
    RemoveControl(child);
    child->Free();
  }
  TControl::FreeParentLinks();
}

void TWinControl::Loaded() {
  TControl::Loaded();
  Realign();
}

// --- handle ---

HWND TWinControl::GetHandle() {
  HandleNeeded();
  return FHandle;
}

void TWinControl::HandleNeeded() {
  if (FHandle) return;
  if (FParent) FParent->HandleNeeded();
  if (!FHandle) CreateHandle();
}

void TWinControl::CreateHandle() {
  if (FHandle) return;
  CreateWnd();
  if (!FHandle) return;
  BindControl(FHandle, this);
  Perform(WM_SETFONT, reinterpret_cast<WPARAM>(FFont->GetHandle()), 0);
  UpdateBounds();
  CreateChildHandles();
  Realign();
}

void TWinControl::CreateChildHandles() {
  // A hidden child gets its window when it shows, or when something asks for it.
  std::vector<TControl*> children = FControls;
  for (TControl* c : children)
    if (auto* win = dynamic_cast<TWinControl*>(c); win && !win->FHandle && win->FVisible && ContainsControl(win))
      win->CreateHandle();
}

void TWinControl::CreateParams(TCreateParams& params) {
  params = TCreateParams{};
  params.Caption = FText;
  params.Style = WS_CHILD | WS_CLIPSIBLINGS;
  if (FControlStyle.Contains(csAcceptsControls)) {
    params.Style |= WS_CLIPCHILDREN;
    params.ExStyle |= WS_EX_CONTROLPARENT;
  }
  if (FVisible) params.Style |= WS_VISIBLE;
  if (!FEnabled) params.Style |= WS_DISABLED;
  if (FTabStop) params.Style |= WS_TABSTOP;
  params.X = FLeft;
  params.Y = FTop;
  params.Width = FWidth;
  params.Height = FHeight;
  if (FParent) params.WndParent = FParent->GetHandle();
  params.WindowClass.style = CS_VREDRAW | CS_HREDRAW;
  if (FControlStyle.Contains(csDoubleClicks)) params.WindowClass.style |= CS_DBLCLKS;
  params.WindowClass.lpfnWndProc = DefWindowProcA;
  // Loaded once: under Wine each load asks the display for its resolution.
  static const HCURSOR arrow = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  params.WindowClass.hCursor = arrow;
  params.WinClassName = ClassName();
}

void TWinControl::CreateSubClass(TCreateParams& params, const char* nativeClass) {
  WNDCLASSA wc{};
  if (!GetClassInfoA(nullptr, nativeClass, &wc)) return;
  UINT keep = params.WindowClass.style & CS_DBLCLKS;
  params.WindowClass = wc;
  params.WindowClass.style = (wc.style & ~(CS_OWNDC | CS_CLASSDC | CS_PARENTDC | CS_GLOBALCLASS)) | keep;
  params.WindowClass.hInstance = nullptr;
  params.NativeSuperclass = true;
}

void TWinControl::CreateWnd() {
  TCreateParams params;
  CreateParams(params);
  auto it = Classes().find(params.WinClassName);
  if (it == Classes().end()) {
    WNDCLASSA wc = params.WindowClass;
    TClassRecord rec{wc.lpfnWndProc ? wc.lpfnWndProc : DefWindowProcA, params.NativeSuperclass};
    wc.lpszMenuName = nullptr;
    wc.lpfnWndProc = ControlWndProc;
    wc.hInstance = Module();
    wc.lpszClassName = params.WinClassName.c_str();
    WNDCLASSA existing{};
    if (!GetClassInfoA(Module(), wc.lpszClassName, &existing) && !RegisterClassA(&wc)) RaiseLastOSError();
    it = Classes().emplace(params.WinClassName, rec).first;
  }
  FDefWndProc = it->second.DefProc;
  FNativeClass = it->second.Native;
  FControlState.Include(csCreating);
  try {
    CreateWindowHandle(params);
  } catch (...) {
    FControlState.Exclude(csCreating);
    throw;
  }
  FControlState.Exclude(csCreating);
  if (!FHandle) RaiseLastOSError();
}

void TWinControl::CreateWindowHandle(const TCreateParams& params) {
  HMENU id = (params.Style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(NextControlId())) : nullptr;
  TWinControl* outer = creationControl;
  creationControl = this;
  std::string caption = ValidUtf8(params.Caption);
  HWND wnd = nullptr;
  if (params.ExStyle & WS_EX_MDICHILD) {
    // An MDI child is made by its MDI client, which keeps the list of its children.
    MDICREATESTRUCTA mdi{params.WinClassName.c_str(), caption.c_str(), Module(), params.X, params.Y, params.Width,
                         params.Height, params.Style, reinterpret_cast<LPARAM>(params.Param)};
    wnd = reinterpret_cast<HWND>(SendMessageA(params.WndParent, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mdi)));
  } else {
    wnd = CreateWindowExA(params.ExStyle, params.WinClassName.c_str(), caption.c_str(), params.Style, params.X,
                          params.Y, params.Width, params.Height, params.WndParent, id, Module(), params.Param);
  }
  creationControl = outer;
  if (wnd && !FHandle) {
    FHandle = wnd;
    BindControl(wnd, this);
  }
}

void TWinControl::DestroyHandle() {
  if (!FHandle) return;
  std::vector<TControl*> children = FControls;
  for (TControl* c : children)
    if (auto* win = dynamic_cast<TWinControl*>(c)) win->DestroyHandle();
  DestroyWnd();
}

void TWinControl::DestroyWnd() {
  FText = GetText();
  if (GetCaptureControl() == this || (GetCaptureControl() && GetCaptureControl()->GetParent() == this))
    SetCaptureControl(nullptr);
  HWND wnd = FHandle;
  if (GetWindowLongA(wnd, GWL_EXSTYLE) & WS_EX_MDICHILD)
    SendMessageA(::GetParent(wnd), WM_MDIDESTROY, reinterpret_cast<WPARAM>(wnd), 0);
  else
    DestroyWindow(wnd);
  if (FHandle == wnd) {
    UnbindControl(wnd);
    FHandle = nullptr;
  }
}

void TWinControl::RecreateWnd() {
  if (!FHandle) return;
  DestroyHandle();
  HandleNeeded();
}

// --- children ---

bool TWinControl::ContainsControl(const TControl* control) const {
  for (const TControl* c = control; c; c = c->FParent)
    if (c == this) return true;
  return false;
}

TControl* TWinControl::ControlAtPos(TPoint pos, bool allowDisabled, bool allowWinControls) const {
  for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
    TControl* c = *it;
    if (!allowWinControls && IsWindowed(c)) continue;
    if (!c->FVisible || (!c->FEnabled && !allowDisabled)) continue;
    if (pos.X >= c->FLeft && pos.X < c->FLeft + c->FWidth && pos.Y >= c->FTop && pos.Y < c->FTop + c->FHeight)
      return c;
  }
  return nullptr;
}

void TWinControl::InsertControl(TControl* control) {
  control->FParent = this;
  FControls.push_back(control);
  auto* win = dynamic_cast<TWinControl*>(control);
  if (win) FTabList.push_back(win);
  control->Perform(CM_PARENTCOLORCHANGED);
  control->Perform(CM_PARENTFONTCHANGED);
  control->Perform(CM_PARENTSHOWHINTCHANGED);
  control->Perform(CM_PARENTBIDIMODECHANGED);
  control->UpdateAnchorRules();
  if (win) {
    if (win->FHandle) {
      if (FHandle) {
        ::SetParent(win->FHandle, FHandle);
      } else {
        win->DestroyHandle();
      }
    } else if (FHandle && win->FVisible) {
      win->CreateHandle();
    }
  } else {
    control->Invalidate();
  }
  control->RequestAlign();
}

void TWinControl::RemoveControl(TControl* control) {
  auto it = std::find(FControls.begin(), FControls.end(), control);
  if (it == FControls.end()) return;
  if (TWinControl* top = GetTopParent()) top->ControlRemoving(control);
  if (!IsWindowed(control)) control->Invalidate();
  FControls.erase(std::find(FControls.begin(), FControls.end(), control));
  auto tab = std::find(FTabList.begin(), FTabList.end(), control);
  if (tab != FTabList.end()) FTabList.erase(tab);
  control->FParent = nullptr;
  if (control->FAlign != alNone && !GetComponentState().Contains(csDestroying)) Realign();
}

void TWinControl::SetParent(TWinControl* parent) {
  if (parent == FParent) return;
  if (!parent && FHandle && !GetComponentState().Contains(csDestroying)) DestroyHandle();
  TControl::SetParent(parent);
}

void TWinControl::Broadcast(TMessage& msg) {
  std::vector<TControl*> children = FControls;
  for (TControl* c : children) {
    if (!ContainsControl(c)) continue;
    c->Perform(msg);
    if (msg.Result != 0) return;
  }
}

void TWinControl::NotifyControls(UINT msg) {
  std::vector<TControl*> children = FControls;
  for (TControl* c : children)
    if (ContainsControl(c)) c->Perform(msg);
}

// --- alignment ---

void TWinControl::EnableAlign() {
  if (FAlignLevel > 0) --FAlignLevel;
  if (FAlignLevel == 0 && FControlState.Contains(csAlignmentNeeded)) Realign();
}

void TWinControl::Realign(TControl* control) {
  if (FAlignLevel > 0 || GetComponentState().Contains(csReading)) {
    FControlState.Include(csAlignmentNeeded);
    return;
  }
  ++FAlignLevel;
  try {
    TRect r = GetClientRect();
    AdjustClientRect(r);
    AlignControls(control, r);
  } catch (...) {
    --FAlignLevel;
    throw;
  }
  --FAlignLevel;
  FControlState.Exclude(csAlignmentNeeded);
}

void TWinControl::AdjustClientRect(TRect&) {}

void TWinControl::AlignControls(TControl* control, TRect& rect) {
  TRect client = GetClientRect();
  // Anchored controls keep their distances to the right and bottom edges.
  for (TControl* c : FControls) {
    if (c->FAlign != alNone) continue;
    bool right = c->FAnchors.Contains(akRight), bottom = c->FAnchors.Contains(akBottom);
    if (!right && !bottom) continue;
    int l = c->FLeft, t = c->FTop, w = c->FWidth, h = c->FHeight;
    if (right) {
      if (c->FAnchors.Contains(akLeft)) {
        w = client.Width() - c->FAnchorRight - l;
      } else {
        l = client.Width() - c->FAnchorRight - w;
      }
    }
    if (bottom) {
      if (c->FAnchors.Contains(akTop)) {
        h = client.Height() - c->FAnchorBottom - t;
      } else {
        t = client.Height() - c->FAnchorBottom - h;
      }
    }
    if (w < 0) w = 0;
    if (h < 0) h = 0;
    int keepRight = c->FAnchorRight, keepBottom = c->FAnchorBottom;
    c->SetBounds(l, t, w, h);
    c->FAnchorRight = keepRight;
    c->FAnchorBottom = keepBottom;
  }
  // Aligned controls, side by side in the order of their positions, as a loaded form has them.
  for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
    // The control that asked comes first; the others go before an earlier one only when they
    // lie strictly closer to the side they align to.
    auto before = [align](TControl* a, TControl* b) {
      switch (align) {
        case alTop: return a->FTop < b->FTop;
        case alBottom: return a->FTop + a->FHeight > b->FTop + b->FHeight;
        case alLeft: return a->FLeft < b->FLeft;
        case alRight: return a->FLeft + a->FWidth > b->FLeft + b->FWidth;
        default: return false;
      }
    };
    std::vector<TControl*> list;
    if (control && control->FAlign == align && control->FVisible && ContainsControl(control)) list.push_back(control);
    for (TControl* c : FControls) {
      if (c == control || c->FAlign != align || !c->FVisible) continue;
      size_t j = 0;
      while (j < list.size() && !before(c, list[j])) ++j;
      list.insert(list.begin() + static_cast<long>(j), c);
    }
    for (TControl* c : list) {
      switch (align) {
        case alTop:
          c->SetBounds(rect.Left, rect.Top, rect.Width(), c->FHeight);
          rect.Top += c->FHeight;
          break;
        case alBottom:
          c->SetBounds(rect.Left, rect.Bottom - c->FHeight, rect.Width(), c->FHeight);
          rect.Bottom -= c->FHeight;
          break;
        case alLeft:
          c->SetBounds(rect.Left, rect.Top, c->FWidth, rect.Height());
          rect.Left += c->FWidth;
          break;
        case alRight:
          c->SetBounds(rect.Right - c->FWidth, rect.Top, c->FWidth, rect.Height());
          rect.Right -= c->FWidth;
          break;
        default:
          c->SetBounds(rect.Left, rect.Top, rect.Width(), rect.Height());
          break;
      }
    }
  }
}

TRect TWinControl::GetClientRect() const {
  if (FHandle) {
    RECT r;
    ::GetClientRect(FHandle, &r);
    return r;
  }
  return TControl::GetClientRect();
}

TPoint TWinControl::GetClientOrigin() const {
  if (FHandle) {
    POINT p{0, 0};
    ::ClientToScreen(FHandle, &p);
    return p;
  }
  return TControl::GetClientOrigin();
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
  ApplyConstraints(width, height);
  if (left == FLeft && top == FTop && width == FWidth && height == FHeight) return;
  if (FHandle && !IsIconic(FHandle)) {
    SetWindowPos(FHandle, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  } else {
    bool resized = StoreBounds(left, top, width, height);
    if (resized) Realign();
  }
  UpdateAnchorRules();
  RequestAlign();
}

bool TWinControl::UpdateBounds() {
  if (!FHandle || IsIconic(FHandle)) return false;
  RECT r;
  GetWindowRect(FHandle, &r);
  if (GetWindowLongA(FHandle, GWL_STYLE) & WS_CHILD) {
    HWND parent = ::GetParent(FHandle);
    if (parent) MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
  }
  // A window standing where the control says keeps the control's distances to its parent's
  // edges: a parent narrower for a while than a child anchored on both sides has squeezed the
  // child to nothing, and its window made then must not take that for the child's place.
  const bool moved = r.left != FLeft || r.top != FTop || r.right - r.left != FWidth || r.bottom - r.top != FHeight;
  bool resized = StoreBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
  if (moved) UpdateAnchorRules();
  return resized;
}

// --- focus and keyboard ---

int TWinControl::GetTabOrder() const {
  if (!FParent) return -1;
  auto& list = FParent->FTabList;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int order) {
  if (!FParent) return;
  auto& list = FParent->FTabList;
  auto it = std::find(list.begin(), list.end(), this);
  if (it == list.end()) return;
  list.erase(it);
  if (order < 0 || order > static_cast<int>(list.size())) order = static_cast<int>(list.size());
  list.insert(list.begin() + order, this);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const {
  for (TWinControl* c : FTabList) {
    list.push_back(c);
    c->GetTabOrderList(list);
  }
}

bool TWinControl::CanFocus() const {
  for (const TControl* c = this; c; c = c->FParent)
    if (!c->FVisible || !c->FEnabled) return false;
  return true;
}

bool TWinControl::Focused() const { return FHandle && GetFocus() == FHandle; }

void TWinControl::SetFocus() {
  if (!CanFocus()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
  TWinControl* top = GetTopParent();
  if (top && top != this) {
    top->FocusControl(this);
  } else {
    FocusControl(this);
  }
}

void TWinControl::FocusControl(TWinControl* control) {
  if (control) ::SetFocus(control->GetHandle());
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool goForward, bool checkTabStop,
                                          bool checkParent) const {
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  if (list.empty()) return nullptr;
  int count = static_cast<int>(list.size());
  auto found = std::find(list.begin(), list.end(), current);
  int start = found == list.end() ? (goForward ? count - 1 : 0) : static_cast<int>(found - list.begin());
  int i = start;
  do {
    i = goForward ? (i + 1) % count : (i + count - 1) % count;
    TWinControl* c = list[i];
    if (c->CanFocus() && (!checkTabStop || c->FTabStop) && (!checkParent || c->FParent == this)) return c;
  } while (i != start);
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool goForward, bool checkTabStop) {
  TWinControl* next = FindNextControl(current, goForward, checkTabStop, !checkTabStop);
  if (next) next->SetFocus();
}

void TWinControl::KeyDown(WORD& key, TShiftState shift) {
  if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(WORD& key, TShiftState shift) {
  if (OnKeyUp) OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(char& key) {
  if (OnKeyPress) OnKeyPress(this, key);
}

bool TWinControl::DoKeyDown(TMessage& msg) {
  TShiftState shift = KeyDataToShiftState(msg.LParam);
  WORD key = CharCode(msg);
  TWinControl* form = GetTopParent();
  if (form && form != this && form->GetKeyPreview()) {
    form->KeyDown(key, shift);
    if (key == 0) {
      msg.WParam = 0;
      return true;
    }
  }
  KeyDown(key, shift);
  msg.WParam = key;
  return key == 0;
}

bool TWinControl::DoKeyUp(TMessage& msg) {
  TShiftState shift = KeyDataToShiftState(msg.LParam);
  WORD key = CharCode(msg);
  TWinControl* form = GetTopParent();
  if (form && form != this && form->GetKeyPreview()) {
    form->KeyUp(key, shift);
    if (key == 0) {
      msg.WParam = 0;
      return true;
    }
  }
  KeyUp(key, shift);
  msg.WParam = key;
  return key == 0;
}

bool TWinControl::DoKeyPress(TMessage& msg) {
  char key = static_cast<char>(msg.WParam);
  TWinControl* form = GetTopParent();
  if (form && form != this && form->GetKeyPreview()) {
    form->KeyPress(key);
    if (key == 0) {
      msg.WParam = 0;
      return true;
    }
  }
  KeyPress(key);
  msg.WParam = static_cast<unsigned char>(key);
  return key == 0;
}

void TWinControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
  if (OnExit) OnExit(this);
}

// --- state ---

std::string TWinControl::GetText() const {
  if (!FHandle) return FText;
  int len = GetWindowTextLengthA(FHandle);
  std::string s(len + 1, '\0');
  len = GetWindowTextA(FHandle, s.data(), len + 1);
  s.resize(len > 0 ? len : 0);
  return s;
}

void TWinControl::SetText(const std::string& s) {
  if (s == GetText()) return;
  FText = s;
  if (FHandle) {
    std::string shown = ValidUtf8(FText);
    Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(shown.c_str()));
  }
  Perform(CM_TEXTCHANGED);
}

void TWinControl::RemoveFocus() {
  TWinControl* top = GetTopParent();
  if (top && top != this) top->DefocusControl(this);
}

void TWinControl::SetVisible(bool v) {
  if (v == FVisible) return;
  VisibleChanging();
  if (!v) RemoveFocus();
  FVisible = v;
  if (FHandle) {
    if (v && FParent) {
      // Children still lacking a window get one now.
      CreateChildHandles();
    }
    SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | (v ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
  } else if (v && FParent && FParent->FHandle) {
    CreateHandle();
  }
  Perform(CM_VISIBLECHANGED, v ? 1 : 0);
  RequestAlign();
}

void TWinControl::SetEnabled(bool v) {
  if (v == FEnabled) return;
  if (!v) RemoveFocus();
  FEnabled = v;
  if (FHandle) EnableWindow(FHandle, v);
  Perform(CM_ENABLEDCHANGED);
  NotifyControls(CM_ENABLEDCHANGED);
}

void TWinControl::ColorChanged() {
  FreeBrush();
  Invalidate();
  NotifyControls(CM_PARENTCOLORCHANGED);
}

HBRUSH TWinControl::GetBrushHandle() {
  if (!FBrush) FBrush = CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(FColor)));
  return FBrush;
}

void TWinControl::FreeBrush() {
  if (FBrush) DeleteObject(FBrush);
  FBrush = nullptr;
}

// --- painting ---

void TWinControl::Invalidate() {
  // A window that is not shown is painted whole when it shows.
  if (FHandle && IsWindowVisible(FHandle)) InvalidateRect(FHandle, nullptr, !FControlStyle.Contains(csOpaque));
}

void TWinControl::Repaint() {
  if (!FHandle) return;
  Invalidate();
  Update();
}

void TWinControl::Update() {
  if (FHandle) UpdateWindow(FHandle);
}

void TWinControl::PaintWindow(HDC dc) {
  // Native controls paint themselves into the given DC; our own classes draw nothing here.
  if (!FNativeClass) return;
  TMessage m{WM_PAINT, reinterpret_cast<WPARAM>(dc), 0, 0};
  DefaultHandler(m);
}

void TWinControl::PaintHandler(TMessage& msg) {
  PAINTSTRUCT ps{};
  HDC dc = reinterpret_cast<HDC>(msg.WParam);
  TEndPaint end{nullptr, &ps};
  if (!dc) {
    dc = BeginPaint(FHandle, &ps);
    end.Wnd = FHandle;
  }
  int saved = SaveDC(dc);
  PaintWindow(dc);
  RestoreDC(dc, saved);
  PaintControls(dc, nullptr);
  msg.Result = 0;
}

void TWinControl::PaintControls(HDC dc, TControl* first) {
  std::vector<TControl*> children = FControls;
  auto start = first ? std::find(children.begin(), children.end(), first) : children.begin();
  for (auto it = start; it != children.end(); ++it) {
    TControl* c = *it;
    if (IsWindowed(c) || !c->FVisible || !ContainsControl(c)) continue;
    RECT bounds = c->GetBoundsRect();
    if (!RectVisible(dc, &bounds)) continue;
    int saved = SaveDC(dc);
    OffsetViewportOrgEx(dc, c->FLeft, c->FTop, nullptr);
    IntersectClipRect(dc, 0, 0, c->FWidth, c->FHeight);
    c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    RestoreDC(dc, saved);
  }
}

void TWinControl::PaintTo(HDC dc, int x, int y) {
  HandleNeeded();
  int saved = SaveDC(dc);
  OffsetViewportOrgEx(dc, x, y, nullptr);
  IntersectClipRect(dc, 0, 0, FWidth, FHeight);
  Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
  std::vector<TControl*> children = FControls;
  for (TControl* c : children)
    if (auto* win = dynamic_cast<TWinControl*>(c); win && win->FVisible) win->PaintTo(dc, win->FLeft, win->FTop);
  RestoreDC(dc, saved);
}

// --- messages ---

bool TWinControl::RouteMouseToChild(TMessage& msg) {
  TControl* target = nullptr;
  if (GetCapture() == FHandle) {
    TControl* capture = GetCaptureControl();
    if (capture && capture != this && capture->FParent == this) target = capture;
  } else {
    target = ControlAtPos(TPoint(XPos(msg), YPos(msg)), false);
  }
  if (!target) return false;
  msg.Result = target->Perform(msg.Msg, msg.WParam, PointToLParam(XPos(msg) - target->FLeft, YPos(msg) - target->FTop));
  return true;
}

void TWinControl::WndProc(TMessage& msg) {
  switch (msg.Msg) {
    case WM_SETFOCUS:
      if (TWinControl* form = GetTopParent()) form->SetFocusedControl(this);
      break;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
      if (RouteMouseToChild(msg)) {
        if (msg.Result == 0 && FHandle) DefWindowProcA(FHandle, msg.Msg, msg.WParam, msg.LParam);
        return;
      }
      break;
    default:
      break;
  }
  TControl::WndProc(msg);
}

void TWinControl::ReflectToChild(TMessage& msg, HWND child) {
  TWinControl* c = FindControl(child);
  if (c && c != this) {
    msg.Result = c->Perform(CN_BASE + msg.Msg, msg.WParam, msg.LParam);
    return;
  }
  DefaultHandler(msg);
}

bool TWinControl::HandleSetCursor(TMessage& msg) {
  TCursor cursor = Screen ? Screen->GetCursor() : crDefault;
  if (cursor == crDefault) {
    if (reinterpret_cast<HWND>(msg.WParam) != FHandle || LoWord(msg.LParam) != HTCLIENT) return false;
    POINT p;
    GetCursorPos(&p);
    TControl* c = ControlAtPos(ScreenToClient(p), false);
    cursor = c && c->GetCursor() != crDefault ? c->GetCursor() : GetCursor();
    if (cursor == crDefault) return false;
  }
  ::SetCursor(TScreen::CursorHandle(cursor));
  msg.Result = 1;
  return true;
}

void TWinControl::Dispatch(TMessage& msg) {
  if (ReflectNotification(msg) || HandleControlColor(msg) || HandlePainting(msg) || HandleGeometry(msg) ||
      HandleMouseMessage(msg) || HandleKeyMessage(msg) || HandleFrameworkMessage(msg))
    return;
  TControl::Dispatch(msg);
}

bool TWinControl::ReflectNotification(TMessage& msg) {
  switch (msg.Msg) {
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
      // From a menu, an accelerator or the window's own scroll bar when LParam is null.
      if (!msg.LParam) return false;
      ReflectToChild(msg, reinterpret_cast<HWND>(msg.LParam));
      return true;
    case WM_NOTIFY:
      ReflectToChild(msg, NMHdr(msg)->hwndFrom);
      return true;
    case WM_DRAWITEM: {
      auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(msg.LParam);
      if (dis->CtlType == ODT_MENU) return false;
      ReflectToChild(msg, dis->hwndItem);
      return true;
    }
    case WM_MEASUREITEM: {
      auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(msg.LParam);
      if (mis->CtlType == ODT_MENU) return false;
      ReflectToChild(msg, GetDlgItem(FHandle, static_cast<int>(mis->CtlID)));
      return true;
    }
    case WM_DELETEITEM:
      ReflectToChild(msg, reinterpret_cast<DELETEITEMSTRUCT*>(msg.LParam)->hwndItem);
      return true;
    case WM_COMPAREITEM:
      ReflectToChild(msg, reinterpret_cast<COMPAREITEMSTRUCT*>(msg.LParam)->hwndItem);
      return true;
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORMSGBOX:
      ReflectToChild(msg, reinterpret_cast<HWND>(msg.LParam));
      return true;
    case WM_NOTIFYFORMAT:
      msg.Result = NFR_ANSI;
      return true;
    default:
      return false;
  }
}

bool TWinControl::HandleControlColor(TMessage& msg) {
  switch (msg.Msg) {
    case CN_CTLCOLORBTN:
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORLISTBOX:
    case CN_CTLCOLORSTATIC:
    case CN_CTLCOLORSCROLLBAR:
    case CN_CTLCOLORMSGBOX: {
      HDC dc = reinterpret_cast<HDC>(msg.WParam);
      SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(FFont->GetColor())));
      SetBkColor(dc, static_cast<COLORREF>(ColorToRGB(FColor)));
      msg.Result = reinterpret_cast<LRESULT>(GetBrushHandle());
      return true;
    }
    default:
      return false;
  }
}

bool TWinControl::HandlePainting(TMessage& msg) {
  switch (msg.Msg) {
    case WM_PAINT:
      if (msg.WParam || !FNativeClass || FControlState.Contains(csCustomPaint) ||
          std::any_of(FControls.begin(), FControls.end(), [](TControl* c) { return !IsWindowed(c); })) {
        PaintHandler(msg);
        return true;
      }
      return false;
    case WM_PRINTCLIENT:
      // Rendering into a given DC (window captures, skin caches) paints like WM_PAINT.
      if (!FNativeClass || FControlState.Contains(csCustomPaint)) {
        TMessage paint{WM_PAINT, msg.WParam, 0, 0};
        PaintHandler(paint);
        return true;
      }
      return false;
    case WM_ERASEBKGND:
      if (!FControlStyle.Contains(csOpaque)) {
        RECT r = GetClientRect();
        FillRect(reinterpret_cast<HDC>(msg.WParam), &r, GetBrushHandle());
      }
      msg.Result = 1;
      return true;
    default:
      return false;
  }
}

bool TWinControl::HandleGeometry(TMessage& msg) {
  switch (msg.Msg) {
    case WM_WINDOWPOSCHANGED:
    case WM_MOVE:
      UpdateBounds();
      return false;  // the default handling follows (for WM_WINDOWPOSCHANGED: WM_MOVE and WM_SIZE)
    case WM_SIZE:
      UpdateBounds();
      DefaultHandler(msg);
      Realign();
      if (!GetComponentState().Contains(csLoading)) Resize();
      return true;
    default:
      return false;
  }
}

bool TWinControl::HandleMouseMessage(TMessage& msg) {
  switch (msg.Msg) {
    case WM_SETCURSOR:
      return HandleSetCursor(msg);
    case WM_CONTEXTMENU: {
      // A windowless child under the mouse gets the first say.
      if (msg.Result != 0 || XPos(msg) == -1) return false;
      TControl* c = ControlAtPos(ScreenToClient(TPoint(XPos(msg), YPos(msg))), false);
      if (!c || c->Perform(WM_CONTEXTMENU, msg.WParam, msg.LParam) == 0) return false;
      msg.Result = 1;
      return true;
    }
    default:
      return false;
  }
}

bool TWinControl::HandleKeyMessage(TMessage& msg) {
  switch (msg.Msg) {
    case CN_KEYDOWN:
    case CN_SYSKEYDOWN:
      msg.Result = 1;
      if (!DoKeyDown(msg) && !OfferDialogKey(msg)) msg.Result = 0;
      return true;
    case CN_KEYUP:
      msg.Result = DoKeyUp(msg) ? 1 : 0;
      return true;
    case CN_CHAR:
    case CN_SYSCHAR: {
      // Alt+Space is the window menu's key: no control may take it for a space of its own.
      if (msg.Msg == CN_SYSCHAR && msg.WParam == VK_SPACE) {
        msg.Result = 0;
        return true;
      }
      msg.Result = 1;
      if (msg.Msg == CN_CHAR && DoKeyPress(msg)) return true;
      if (msg.Msg == CN_SYSCHAR || !(Perform(WM_GETDLGCODE) & DLGC_WANTCHARS)) {
        TWinControl* form = GetTopParent();
        if (form && form->Perform(CM_DIALOGCHAR, msg.WParam, msg.LParam) != 0) return true;
      }
      msg.Result = 0;
      return true;
    }
    case CM_DIALOGKEY:
    case CM_DIALOGCHAR:
      Broadcast(msg);
      return true;
    default:
      return false;
  }
}

bool TWinControl::OfferDialogKey(TMessage& msg) {
  LRESULT mask = 0;
  switch (CharCode(msg)) {
    case VK_TAB: mask = DLGC_WANTTAB; break;
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: mask = DLGC_WANTARROWS; break;
    case VK_RETURN: case VK_EXECUTE: case VK_ESCAPE: case VK_CANCEL: mask = DLGC_WANTALLKEYS; break;
    default: break;
  }
  // Only a key the control does not want itself goes to the form.
  if (!mask || (Perform(WM_GETDLGCODE) & mask)) return false;
  TWinControl* form = GetTopParent();
  return form && form->Perform(CM_DIALOGKEY, CharCode(msg), msg.LParam) != 0;
}

bool TWinControl::HandleFrameworkMessage(TMessage& msg) {
  switch (msg.Msg) {
    case CM_FOCUSCHANGED: {
      std::vector<TControl*> children = FControls;
      for (TControl* c : children)
        if (ContainsControl(c)) c->Perform(CM_FOCUSCHANGED, msg.WParam, msg.LParam);
      return true;
    }
    case CM_ENTER:
      DoEnter();
      return true;
    case CM_EXIT:
      DoExit();
      return true;
    case CM_FONTCHANGED:
      if (FHandle) Perform(WM_SETFONT, reinterpret_cast<WPARAM>(FFont->GetHandle()), 1);
      NotifyControls(CM_PARENTFONTCHANGED);
      return true;
    case CM_SHOWHINTCHANGED:
      NotifyControls(CM_PARENTSHOWHINTCHANGED);
      return true;
    case CM_BIDIMODECHANGED:
      NotifyControls(CM_PARENTBIDIMODECHANGED);
      return true;
    default:
      return false;
  }
}

void TWinControl::DefaultHandler(TMessage& msg) {
  if (!FHandle) return;
  msg.Result = CallWindowProcA(FDefWndProc ? FDefWndProc : DefWindowProcA, FHandle, msg.Msg, msg.WParam, msg.LParam);
}

}  // namespace fw
