#include "framework/forms/application.h"

#include "framework/controls/control_canvas.h"
#include "framework/controls/mouse_tracker.h"
#include "framework/forms/dialog_service.h"
#include "framework/forms/screen.h"
#include "framework/menus/popup_menu.h"
#include "framework/msg/allocate_hwnd.h"
#include "framework/msg/exception_barrier.h"
#include "framework/rtl/file_utils.h"
#include "framework/rtl/wide_path.h"
#include "framework/rtl/wide_text.h"

namespace fw {

TApplication* Application = nullptr;

namespace {
UINT ReflectedKeyMessage(UINT msg) {
  switch (msg) {
    case WM_KEYDOWN: return CN_KEYDOWN;
    case WM_SYSKEYDOWN: return CN_SYSKEYDOWN;
    case WM_KEYUP: return CN_KEYUP;
    case WM_CHAR: return CN_CHAR;
    case WM_SYSCHAR: return CN_SYSCHAR;
    default: return 0;
  }
}

bool IsMouseMessage(UINT msg) {
  return (msg >= WM_MOUSEFIRST && msg <= WM_MBUTTONDBLCLK) || msg == WM_MOUSELEAVE || msg == WM_NCMOUSELEAVE;
}
}  // namespace

TApplication::TApplication(TComponent* owner) : TComponent(owner) {
  FTitle = ChangeFileExt(ExtractFileName(GetExeName()), "");
  FHandle = AllocateHWnd([this](TMessage& m) { WndProc(m); });
  if (FHandle) SetWindowTextA(FHandle, ValidUtf8(FTitle).c_str());
  FHint = std::make_unique<TApplicationHint>(FHandle);
  SetMouseControlListener([this](TControl* c) { FHint->MouseControlChanged(c, FShowHint, FHintPause); });
}

TApplication::~TApplication() { FreeHandle(); }

void TApplication::FreeHandle() {
  SetMouseControlListener(nullptr);
  FHint.reset();
  DeallocateHWnd(FHandle);
  FHandle = nullptr;
}

std::string TApplication::GetExeName() const {
  return ModuleFileName(nullptr);
}

void TApplication::SetTitle(const std::string& title) {
  FTitle = title;
  if (FHandle) SetWindowTextA(FHandle, ValidUtf8(title).c_str());
}

void TApplication::WndProc(TMessage& msg) {
  if (msg.Msg == CM_SYNCHRONIZE) {
    // A worker thread waits in SendMessage while its closure runs here, on the GUI thread.
    auto* fn = reinterpret_cast<std::function<void()>*>(msg.LParam);
    Barrier([fn] { (*fn)(); }, this);
    return;
  }
  if (msg.Msg == WM_TIMER && msg.WParam == TApplicationHint::kTimerId && FHint) {
    FHint->PauseElapsed(GetMouseControl());
    return;
  }
  std::vector<std::pair<int, TWindowHook>> hooks = FHooks;
  for (auto it = hooks.rbegin(); it != hooks.rend(); ++it)
    if (it->second(msg)) return;
  msg.Result = DefWindowProcA(FHandle, msg.Msg, msg.WParam, msg.LParam);
}

int TApplication::HookMainWindow(TWindowHook hook) {
  FHooks.emplace_back(FNextHookId, std::move(hook));
  return FNextHookId++;
}

void TApplication::UnhookMainWindow() {
  if (!FHooks.empty()) FHooks.pop_back();
}

void TApplication::UnhookMainWindow(int id) {
  for (auto it = FHooks.begin(); it != FHooks.end(); ++it)
    if (it->first == id) {
      FHooks.erase(it);
      return;
    }
}

// --- message loop ---

bool TApplication::IsKeyMsg(MSG& msg) {
  UINT reflected = ReflectedKeyMessage(msg.message);
  if (!reflected) return false;
  TWinControl* control = TWinControl::FindOwningControl(msg.hwnd);
  if (!control) return false;
  TMessage m{reflected, msg.wParam, msg.lParam, 0};
  Barrier([&] { control->Perform(m); }, control);
  if (m.Result != 0) return true;
  msg.wParam = m.WParam;
  return false;
}

void TApplication::PostPendingReleases() {
  for (auto it = FPendingReleases.begin(); it != FPendingReleases.end();) {
    TCustomForm* form = *it;
    if (form->GetDispatchDepth() == 0 && form->HandleAllocated()) {
      it = FPendingReleases.erase(it);
      PostMessageA(form->GetHandleNoCreate(), CM_RELEASE, 0, 0);
    } else {
      ++it;
    }
  }
}

bool TApplication::ProcessMessage(MSG& msg) {
  PostPendingReleases();
  if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (msg.message == WM_QUIT) {
    FTerminated = true;
    return true;
  }
  bool handled = false;
  if (msg.message == WM_MOUSEWHEEL) {
    // The focused control and then its parents may take the wheel.
    for (TWinControl* c = TWinControl::FindOwningControl(GetFocus()); c && !handled; c = c->GetParent()) {
      TMessage m{CM_MOUSEWHEEL, msg.wParam, msg.lParam, 0};
      Barrier([&] { c->Perform(m); }, c);
      handled = m.Result != 0;
    }
  }
  if (!handled && !IsKeyMsg(msg)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  if (IsMouseMessage(msg.message)) CheckMouseControl();
  return true;
}

void TApplication::Idle() {
  CheckMouseControl();
  TControlCanvas::FreeDeviceContexts();
  WaitMessage();
}

void TApplication::HandleMessage() {
  MSG msg;
  if (!ProcessMessage(msg)) Idle();
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (ProcessMessage(msg))
    if (msg.message == WM_QUIT) break;
}

void TApplication::Terminate() { PostQuitMessage(0); }

void TApplication::Run() {
  if (FMainForm && !FMainForm->GetVisible()) Barrier([this] { FMainForm->Show(); }, this);
  while (!FTerminated) {
    try {
      HandleMessage();
    } catch (...) {
      HandleException(this);
    }
  }
}

// --- exceptions and messages ---

void TApplication::HandleException(TObject* sender) {
  try {
    throw;
  } catch (const EAbort&) {
  } catch (Exception& e) {
    if (OnException) {
      OnException(sender, e);
    } else {
      ShowException(e);
    }
  } catch (const std::exception& e) {
    Exception wrapped(e.what());
    if (OnException) {
      OnException(sender, wrapped);
    } else {
      ShowException(wrapped);
    }
  } catch (...) {
    Exception wrapped("Unknown exception");
    if (OnException) {
      OnException(sender, wrapped);
    } else {
      ShowException(wrapped);
    }
  }
}

void TApplication::ShowException(const Exception& e) {
  std::string text = e.GetMessage();
  if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
  DialogService().ShowException(text, FTitle);
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, UINT flags) {
  return DialogService().MessageBox(text, caption, flags);
}

HWND DialogOwner() {
  if (!Application) return nullptr;
  if (TCustomForm* modal = Application->GetModalForm(); modal && modal->HandleAllocated())
    return modal->GetHandleNoCreate();
  if (TCustomForm* main = Application->GetMainForm(); main && main->HandleAllocated()) return main->GetHandleNoCreate();
  return Application->GetHandle();
}

void StartupForms() {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_USEREX_CLASSES};
  InitCommonControlsEx(&icc);
  if (!Screen) Screen = New<TScreen>(nullptr);
  if (!Application) Application = New<TApplication>(nullptr);
  SetExceptionSink([](TObject* sender) {
    if (Application) {
      Application->HandleException(sender);
    } else {
      throw;
    }
  });
}

void ShutdownForms() {
  FreeAndNil(Application);
  FreePopupList();
  FreeAndNil(Screen);
  SetExceptionSink(nullptr);
}

}  // namespace fw
