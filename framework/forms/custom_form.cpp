#include "framework/forms/custom_form.h"

#include <vector>

#include "framework/forms/application.h"
#include "framework/forms/paint_hold.h"
#include "framework/forms/screen.h"
#include "framework/graphics/icon.h"
#include "framework/menus/main_menu.h"
#include "framework/msg/exception_barrier.h"

namespace fw {

namespace {

constexpr DWORD kBorderStyleBits = WS_POPUP | WS_CAPTION | WS_BORDER | WS_THICKFRAME | WS_DLGFRAME | WS_SYSMENU |
                                   WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
constexpr DWORD kBorderExStyleBits = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_TOOLWINDOW | WS_EX_CONTEXTHELP;

struct TDisabledWindows {
  HWND Keep;
  std::vector<HWND> List;
};

BOOL CALLBACK DisableWindow(HWND wnd, LPARAM data) {
  auto* d = reinterpret_cast<TDisabledWindows*>(data);
  if (wnd != d->Keep && IsWindowVisible(wnd) && IsWindowEnabled(wnd)) {
    d->List.push_back(wnd);
    EnableWindow(wnd, FALSE);
  }
  return TRUE;
}

}  // namespace

TCustomForm* ApplicationMDIForm() {
  if (Application && Application->GetMainForm() && Application->GetMainForm()->GetFormStyle() == fsMDIForm)
    return Application->GetMainForm();
  if (!Screen) return nullptr;
  for (int i = 0; i < Screen->GetFormCount(); ++i)
    if (Screen->GetForms(i)->GetFormStyle() == fsMDIForm) return Screen->GetForms(i);
  return nullptr;
}

TCustomForm* GetParentForm(const TControl* control) {
  return control ? dynamic_cast<TCustomForm*>(control->GetTopParent()) : nullptr;
}

TCustomForm::TCustomForm(TComponent* owner)
    : TScrollingWinControl(owner), FCanvas(std::make_unique<TControlCanvas>(this)), FIcon(std::make_unique<TIcon>()) {
  FVisible = false;
  FColor = clBtnFace;
  SetParentColor(false);
  FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  StoreBounds(0, 0, 320, 240);
  if (Screen) Screen->AddForm(this);
}

TCustomForm::~TCustomForm() {
  if (Screen) Screen->RemoveForm(this);
}

void TCustomForm::AfterConstruction() {
  TScrollingWinControl::AfterConstruction();
  FFormState.Include(fsCreating);
  try {
    RunLayout([this] { CreateComponents(); });
  } catch (...) {
    FFormState.Exclude(fsCreating);
    throw;
  }
  DoCreate();
  FFormState.Exclude(fsCreating);
  // A form laid out as visible shows itself once created.
  if (FVisible) {
    FVisible = false;
    SetVisible(true);
  }
}

void TCustomForm::BeforeDestruction() {
  if (OnDestroy) Barrier([this] { OnDestroy(this); }, this);
  if (Screen) Screen->RemoveForm(this);
  if (Application) {
    if (Application->FMainForm == this) Application->FMainForm = nullptr;
    for (auto* list : {&Application->FModalForms, &Application->FPendingReleases})
      for (auto it = list->begin(); it != list->end();) it = *it == this ? list->erase(it) : it + 1;
  }
  TScrollingWinControl::BeforeDestruction();
}

void TCustomForm::DoCreate() {
  if (OnCreate) Barrier([this] { OnCreate(this); }, this);
}

void TCustomForm::DoShow() {
  if (OnShow) OnShow(this);
}

void TCustomForm::DoHide() {
  if (OnHide) OnHide(this);
}

void TCustomForm::DoClose(TCloseAction& action) {
  if (OnClose) OnClose(this, action);
}

void TCustomForm::Activate() {
  if (OnActivate) OnActivate(this);
}

void TCustomForm::Deactivate() {
  if (OnDeactivate) OnDeactivate(this);
}

// --- window ---

void TCustomForm::BorderStyles(DWORD& style, DWORD& exStyle) const {
  style = 0;
  exStyle = 0;
  switch (FBorderStyle) {
    case bsNone: style = WS_POPUP; break;
    case bsSingle: style = WS_CAPTION | WS_BORDER; break;
    case bsSizeable: style = WS_CAPTION | WS_THICKFRAME; break;
    case bsDialog:
      style = WS_POPUP | WS_CAPTION;
      exStyle = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
      break;
    case bsToolWindow:
      style = WS_CAPTION | WS_BORDER;
      exStyle = WS_EX_TOOLWINDOW;
      break;
    case bsSizeToolWin:
      style = WS_CAPTION | WS_THICKFRAME;
      exStyle = WS_EX_TOOLWINDOW;
      break;
  }
  if (FBorderStyle != bsNone && FBorderIcons.Contains(biSystemMenu)) style |= WS_SYSMENU;
  if (FBorderStyle == bsSingle || FBorderStyle == bsSizeable) {
    if (FBorderIcons.Contains(biMinimize)) style |= WS_MINIMIZEBOX;
    if (FBorderIcons.Contains(biMaximize)) style |= WS_MAXIMIZEBOX;
  }
  if (FBorderIcons.Contains(biHelp) && FBorderIcons.Contains(biSystemMenu) &&
      (FBorderStyle == bsDialog || !(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX))))
    exStyle |= WS_EX_CONTEXTHELP;
}

void TCustomForm::CreateParams(TCreateParams& params) {
  TScrollingWinControl::CreateParams(params);
  DWORD style, exStyle;
  BorderStyles(style, exStyle);
  params.Style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS | style;
  if (!FEnabled) params.Style |= WS_DISABLED;
  params.ExStyle = exStyle;
  params.WndParent = nullptr;
  if (FFormStyle == fsMDIChild) {
    // The MDI form's client makes the window (WM_MDICREATE) and is its parent.
    TCustomForm* frame = ApplicationMDIForm();
    if (!frame || frame == this) throw EInvalidOperation("Cannot create form. No MDI forms are currently active");
    frame->HandleNeeded();
    params.Style &= ~WS_POPUP;
    params.ExStyle |= WS_EX_MDICHILD;
    params.WndParent = frame->FClientHandle;
  } else if (Application) {
    // The main form has its own taskbar button; other forms belong to the modal form or the
    // main form.
    TCustomForm* ownerForm = Application->GetModalForm();
    if (!ownerForm || ownerForm == this) ownerForm = Application->GetMainForm();
    if (ownerForm && ownerForm != this && ownerForm->HandleAllocated()) params.WndParent = ownerForm->GetHandleNoCreate();
  }
  params.WindowClass.style = CS_DBLCLKS;
  if (FBorderStyle == bsDialog) params.WindowClass.style |= CS_SAVEBITS;
  params.WindowClass.hIcon = LoadIconA(GetModuleHandleA(nullptr), "MAINICON");
  if (!params.WindowClass.hIcon) params.WindowClass.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
}

void TCustomForm::CreateWnd() {
  TScrollingWinControl::CreateWnd();
  // An MDI child has no bar of its own: its menu is the MDI form's business.
  if (FMenu && FFormStyle != fsMDIChild) FMenu->SetWindowHandle(FHandle);
  if (FFormStyle == fsMDIForm) CreateClientWindow();
  ApplyIcon();
}

void TCustomForm::CreateClientWindow() {
  CLIENTCREATESTRUCT ccs{nullptr, 0xFF00};
  const TRect r = GetClientRect();
  FClientHandle = CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr,
                                  WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_HSCROLL | WS_VSCROLL,
                                  0, 0, r.Width(), r.Height(), FHandle, nullptr, GetModuleHandleA(nullptr), &ccs);
  if (!FClientHandle) RaiseLastOSError();
}

void TCustomForm::DestroyWnd() {
  // The bar belongs to the menu: the window must not destroy it with itself.
  if (FMenu && FFormStyle != fsMDIChild) FMenu->SetWindowHandle(nullptr);
  TScrollingWinControl::DestroyWnd();
  FClientHandle = nullptr;  // went with the form's window
}

void TCustomForm::SetFormStyle(TFormStyle style) {
  if (style == FFormStyle) return;
  FFormStyle = style;
  RecreateWnd();
}

void TCustomForm::AlignControls(TControl* control, TRect& rect) {
  TScrollingWinControl::AlignControls(control, rect);
  // The MDI client takes what the aligned controls leave, beneath them.
  if (FClientHandle)
    SetWindowPos(FClientHandle, HWND_BOTTOM, rect.Left, rect.Top, rect.Width(), rect.Height(), SWP_NOACTIVATE);
}

void TCustomForm::DefaultHandler(TMessage& msg) {
  if (FHandle && FFormStyle == fsMDIForm && msg.Msg != WM_SIZE) {
    // The client is sized by the alignment, not by the frame procedure.
    msg.Result = DefFrameProcA(FHandle, FClientHandle, msg.Msg, msg.WParam, msg.LParam);
  } else if (FHandle && FFormStyle == fsMDIChild) {
    msg.Result = DefMDIChildProcA(FHandle, msg.Msg, msg.WParam, msg.LParam);
  } else {
    TScrollingWinControl::DefaultHandler(msg);
  }
}

TCustomForm* TCustomForm::GetActiveMDIChild() const {
  if (!FClientHandle) return nullptr;
  const HWND active = reinterpret_cast<HWND>(SendMessageA(FClientHandle, WM_MDIGETACTIVE, 0, 0));
  return dynamic_cast<TCustomForm*>(FindControl(active));
}

std::vector<TCustomForm*> TCustomForm::MDIChildList() const {
  std::vector<TCustomForm*> list;
  if (!FClientHandle || !Screen) return list;
  for (int i = 0; i < Screen->GetFormCount(); ++i) {
    TCustomForm* f = Screen->GetForms(i);
    if (f->FFormStyle == fsMDIChild && f->FHandle && ::GetParent(f->FHandle) == FClientHandle) list.push_back(f);
  }
  return list;
}

int TCustomForm::GetMDIChildCount() const { return static_cast<int>(MDIChildList().size()); }

TCustomForm* TCustomForm::GetMDIChildren(int index) const { return MDIChildList().at(index); }

void TCustomForm::SetMenu(TMainMenu* menu) {
  if (menu == FMenu) return;
  if (FMenu) {
    FMenu->SetWindowHandle(nullptr);
    FMenu->RemoveFreeNotification(this);
  }
  FMenu = menu;
  if (!menu) return;
  menu->FreeNotification(this);
  if (FHandle && FFormStyle != fsMDIChild) menu->SetWindowHandle(FHandle);
}

void TCustomForm::SetIcon(const TIcon* icon) {
  FIcon->Assign(icon);
  ApplyIcon();
}

void TCustomForm::ApplyIcon() {
  if (!FHandle) return;
  HICON icon = FIcon->GetHandle();
  SendMessageA(FHandle, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  SendMessageA(FHandle, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

void TCustomForm::Notification(TComponent* component, TOperation operation) {
  TScrollingWinControl::Notification(component, operation);
  if (operation == opRemove && component == FMenu) FMenu = nullptr;
}

void TCustomForm::ApplyBorderStyles() {
  if (!FHandle) return;
  DWORD style, exStyle;
  BorderStyles(style, exStyle);
  DWORD cur = static_cast<DWORD>(GetWindowLongA(FHandle, GWL_STYLE));
  DWORD curEx = static_cast<DWORD>(GetWindowLongA(FHandle, GWL_EXSTYLE));
  SetWindowLongA(FHandle, GWL_STYLE, static_cast<LONG>((cur & ~kBorderStyleBits) | style));
  SetWindowLongA(FHandle, GWL_EXSTYLE, static_cast<LONG>((curEx & ~kBorderExStyleBits) | exStyle));
  SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle style) {
  if (style == FBorderStyle) return;
  FBorderStyle = style;
  ApplyBorderStyles();
}

void TCustomForm::SetBorderIcons(TBorderIcons icons) {
  if (icons == FBorderIcons) return;
  FBorderIcons = icons;
  ApplyBorderStyles();
}

TWindowState TCustomForm::GetWindowState() const {
  if (FHandle) {
    if (IsIconic(FHandle)) return wsMinimized;
    if (IsZoomed(FHandle)) return wsMaximized;
    if (IsWindowVisible(FHandle)) return wsNormal;
  }
  return FWindowState;
}

void TCustomForm::SetWindowState(TWindowState state) {
  FWindowState = state;
  if (!FHandle || !IsWindowVisible(FHandle)) return;
  ShowWindow(FHandle, state == wsMinimized ? SW_MINIMIZE : state == wsMaximized ? SW_MAXIMIZE : SW_RESTORE);
}

bool TCustomForm::GetActive() const { return FHandle && GetActiveWindow() == FHandle; }

TRect TCustomForm::GetClientRect() const {
  if (FHandle) return TScrollingWinControl::GetClientRect();
  DWORD style, exStyle;
  BorderStyles(style, exStyle);
  RECT frame{0, 0, 0, 0};
  AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  int w = FWidth - (frame.right - frame.left), h = FHeight - (frame.bottom - frame.top);
  return TRect(0, 0, w < 0 ? 0 : w, h < 0 ? 0 : h);
}

void TCustomForm::SetClientWidth(int v) { SetWidth(FWidth - GetClientRect().Width() + v); }

void TCustomForm::SetClientHeight(int v) { SetHeight(FHeight - GetClientRect().Height() + v); }

void TCustomForm::ApplyPosition() {
  if (FPositioned) return;
  FPositioned = true;
  TRect area;
  switch (FPosition) {
    case poScreenCenter:
    case poDesktopCenter:
      area = TRect(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
      break;
    case poMainFormCenter:
    case poOwnerFormCenter: {
      TCustomForm* center = FPosition == poOwnerFormCenter ? dynamic_cast<TCustomForm*>(GetOwner()) : nullptr;
      if (!center && Application) center = Application->GetMainForm();
      if (center && center != this) {
        area = center->GetBoundsRect();
      } else {
        area = TRect(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
      }
      break;
    }
    default:
      return;
  }
  SetBounds(area.Left + (area.Width() - FWidth) / 2, area.Top + (area.Height() - FHeight) / 2, FWidth, FHeight);
}

void TCustomForm::SetVisible(bool v) {
  if (GetComponentState().Contains(csLoading) || FFormState.Contains(fsCreating)) {
    FVisible = v;
    return;
  }
  if (v == FVisible && (!FHandle || (IsWindowVisible(FHandle) != 0) == v)) return;
  if (v) {
    HandleNeeded();
    ApplyPosition();
    DoShow();
    FVisible = true;
    if (!FActiveControl) FActiveControl = FindNextControl(nullptr, true, true, false);
    if (FWindowState == wsNormal && FFormStyle != fsMDIChild) {
      // The window shows its first picture whole: it is painted before it takes the activation
      // (whose handling lets the screen catch up) and within a moment of the screen's last update.
      ShowScreenAsItIs();
      ShowWindow(FHandle, SW_SHOWNA);
      RedrawWindow(FHandle, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
      SetWindowPos(FHandle, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    } else {
      ShowWindow(FHandle, FWindowState == wsMaximized   ? SW_SHOWMAXIMIZED
                          : FWindowState == wsMinimized ? SW_SHOWMINIMIZED
                                                        : SW_SHOW);
    }
    if (GetActive()) FocusActiveControl();
  } else {
    FVisible = false;
    if (FHandle) ShowWindow(FHandle, SW_HIDE);
    DoHide();
  }
  Perform(CM_VISIBLECHANGED, v ? 1 : 0);
}

void TCustomForm::Show() {
  SetVisible(true);
  if (FHandle) SetWindowPos(FHandle, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void TCustomForm::SetFocus() {
  if (!CanFocus()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
  if (!GetActive()) SetActiveWindow(GetHandle());
  FocusActiveControl();
}

// --- focus ---

void TCustomForm::FocusActiveControl() {
  if (!FHandle) return;
  if (FActiveControl && FActiveControl != this && FActiveControl->CanFocus()) {
    ::SetFocus(FActiveControl->GetHandle());
  } else if (GetFocus() != FHandle && !IsChild(FHandle, GetFocus())) {
    ::SetFocus(FHandle);
  }
}

void TCustomForm::SetActiveControl(TWinControl* control) {
  if (control == FActiveControl) return;
  FActiveControl = control;
  if (!control || GetComponentState().Contains(csLoading)) return;
  if (GetActive() && control->CanFocus()) ::SetFocus(control->GetHandle());
}

void TCustomForm::FocusControl(TWinControl* control) {
  if (control == this) {
    SetFocus();
    return;
  }
  FActiveControl = control;
  if (!FHandle || !IsWindowVisible(FHandle)) return;
  if (!GetActive()) SetActiveWindow(FHandle);
  ::SetFocus(control->GetHandle());
}

void TCustomForm::SetFocusedControl(TWinControl* control) {
  if (control == FFocusedControl) return;
  if (control != this) FActiveControl = control;
  // Exit from the old control up to the first container of the new one, then enter down.
  TWinControl* c = FFocusedControl;
  FFocusedControl = control;
  while (c && !c->ContainsControl(control)) {
    c->Perform(CM_EXIT);
    c = c->GetParent();
  }
  std::vector<TWinControl*> entering;
  for (TWinControl* e = control; e && e != c; e = e->GetParent()) entering.push_back(e);
  for (auto it = entering.rbegin(); it != entering.rend(); ++it) (*it)->Perform(CM_ENTER);
  Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(control));
}

void TCustomForm::ControlRemoving(TControl* control) {
  auto contains = [control](TWinControl* target) {
    if (!target) return false;
    if (target == control) return true;
    auto* win = dynamic_cast<TWinControl*>(control);
    return win && win->ContainsControl(target);
  };
  if (contains(FActiveControl)) FActiveControl = nullptr;
  if (contains(FFocusedControl)) FFocusedControl = nullptr;
}

void TCustomForm::DefocusControl(TWinControl* control) {
  const HWND own = control->GetHandleNoCreate();
  const HWND focus = own ? GetFocus() : nullptr;
  const bool hasFocus = focus && (focus == own || IsChild(own, focus));
  const bool wasActive = FActiveControl && control->ContainsControl(FActiveControl);
  if (!hasFocus && !wasActive) return;
  // A page's control takes what its page held, as the system's tab strips do; anything else
  // leaves the focus to the form, where no key presses a control the user cannot see.
  TWinControl* heir = nullptr;
  for (TWinControl* p = control->GetParent(); p && p != this; p = p->GetParent())
    if (p->GetTabStop() && p->CanFocus()) {
      heir = p;
      break;
    }
  FActiveControl = heir;
  if (hasFocus) ::SetFocus(heir ? heir->GetHandle() : FHandle);
}

// --- closing ---

bool TCustomForm::CloseQuery() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  return canClose;
}

void TCustomForm::Close() {
  if (FFormState.Contains(fsModal)) {
    FModalResult = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = caHide;
  DoClose(action);
  if (action == caNone) return;
  if (Application && Application->GetMainForm() == this) {
    Application->Terminate();
  } else if (action == caHide) {
    Hide();
  } else if (action == caMinimize) {
    SetWindowState(wsMinimized);
  } else {
    Release();
  }
}

void TCustomForm::Release() { PostMessageA(GetHandle(), CM_RELEASE, 0, 0); }

void TCustomForm::CloseModal() {
  try {
    TCloseAction action = caNone;
    if (CloseQuery()) {
      action = caHide;
      DoClose(action);
    }
    if (action == caNone) {
      FModalResult = mrNone;
    } else if (action == caFree) {
      Release();
    }
  } catch (...) {
    FModalResult = mrNone;
    HandleCurrentException(this);
  }
}

TModalResult TCustomForm::ShowModal() {
  if (FVisible || !FEnabled || FFormState.Contains(fsModal))
    throw EInvalidOperation("Cannot make a visible window modal");
  if (HWND capture = GetCapture()) SendMessageA(capture, WM_CANCELMODE, 0, 0);
  ReleaseCapture();
  HWND previous = GetActiveWindow();
  FFormState.Include(fsModal);
  Application->FModalForms.push_back(this);
  // The modal loop counts as a handler of the form: a Release inside waits for it.
  ++FDispatchDepth;
  HandleNeeded();
  TDisabledWindows disabled{FHandle, {}};
  EnumThreadWindows(GetCurrentThreadId(), DisableWindow, reinterpret_cast<LPARAM>(&disabled));
  struct TRestore {
    TCustomForm* Form;
    TDisabledWindows& Disabled;
    HWND Previous;
    ~TRestore() {
      for (HWND w : Disabled.List)
        if (IsWindow(w)) EnableWindow(w, TRUE);
      Barrier([this] { Form->Hide(); }, Form);
      Form->FFormState.Exclude(fsModal);
      auto& modal = Application->FModalForms;
      for (auto it = modal.begin(); it != modal.end();) it = *it == Form ? modal.erase(it) : it + 1;
      --Form->FDispatchDepth;
      if (Previous && IsWindow(Previous)) SetActiveWindow(Previous);
    }
  } restore{this, disabled, previous};
  Show();
  SetActiveWindow(FHandle);
  FModalResult = mrNone;
  if (Application->ModalHook) PostMessageA(FHandle, CM_INVOKEHOOK, 0, 0);
  do {
    try {
      Application->HandleMessage();
    } catch (...) {
      HandleCurrentException(this);
    }
    if (Application->GetTerminated()) {
      FModalResult = mrCancel;
    } else if (FModalResult != mrNone) {
      CloseModal();
    }
  } while (FModalResult == mrNone);
  return FModalResult;
}

// --- painting ---

void TCustomForm::PaintWindow(HDC dc) {
  TCanvasLoan loan(FCanvas.get(), dc);
  Paint();
}

void TCustomForm::Paint() {
  if (OnPaint) OnPaint(this);
}

// --- messages ---

void TCustomForm::Dispatch(TMessage& msg) {
  switch (msg.Msg) {
    case WM_CLOSE:
      Close();
      return;
    case CM_RELEASE:
      // Wait until no handler of this form is running any more.
      if (FDispatchDepth > 1) {
        // Posted again by the loop once the handlers have returned.
        if (Application) Application->FPendingReleases.push_back(this);
      } else {
        Free();
      }
      return;
    case CM_INVOKEHOOK:
      if (Application && Application->ModalHook && FFormState.Contains(fsModal)) {
        TModalHook hook = Application->ModalHook;
        hook(*this);
      }
      return;
    case WM_ACTIVATE:
      if (LoWord(msg.WParam) != WA_INACTIVE) {
        FFormState.Include(fsActivated);
        Perform(CM_ACTIVATE);
        if (!HiWord(msg.WParam)) {
          FocusActiveControl();
          return;
        }
      } else {
        Perform(CM_DEACTIVATE);
      }
      break;
    case CM_ACTIVATE:
      Activate();
      return;
    case CM_DEACTIVATE:
      Deactivate();
      return;
    case WM_GETMINMAXINFO: {
      // An MDI child maximizes into its client: the child procedure says how large that is.
      if (FFormStyle == fsMDIChild) DefaultHandler(msg);
      auto* info = reinterpret_cast<MINMAXINFO*>(msg.LParam);
      const TSizeConstraints& c = GetConstraints();
      if (c.MinWidth > 0) info->ptMinTrackSize.x = c.MinWidth;
      if (c.MinHeight > 0) info->ptMinTrackSize.y = c.MinHeight;
      if (c.MaxWidth > 0) info->ptMaxTrackSize.x = c.MaxWidth;
      if (c.MaxHeight > 0) info->ptMaxTrackSize.y = c.MaxHeight;
      msg.Result = 0;
      return;
    }
    case WM_COMMAND:
      if (msg.LParam == 0 && DispatchMenuMessage(msg)) return;  // a control's command has its window in LParam
      break;
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
      if (DispatchMenuMessage(msg)) return;
      break;
    case CM_DIALOGKEY:
      if (GetKeyState(VK_MENU) >= 0) {
        switch (CharCode(msg)) {
          case VK_TAB:
            if (GetKeyState(VK_CONTROL) >= 0) {
              SelectNext(FActiveControl, GetKeyState(VK_SHIFT) >= 0, true);
              msg.Result = 1;
              return;
            }
            break;
          case VK_LEFT:
          case VK_RIGHT:
          case VK_UP:
          case VK_DOWN:
            if (FActiveControl && FActiveControl->GetParent()) {
              FActiveControl->GetParent()->SelectNext(FActiveControl,
                                                      CharCode(msg) == VK_RIGHT || CharCode(msg) == VK_DOWN, false);
              msg.Result = 1;
            }
            return;
          default:
            break;
        }
      }
      break;
    default:
      break;
  }
  TScrollingWinControl::Dispatch(msg);
}

}  // namespace fw
