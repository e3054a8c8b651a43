#include "skin/engine/skin_command.h"

#include <vector>

#include "framework/controls/graphic_control.h"
#include "framework/controls/win_control.h"
#include "framework/forms/application.h"
#include "framework/forms/custom_form.h"
#include "framework/graphics/bitmap.h"
#include "framework/graphics/canvas.h"
#include "skin/engine/glyphs_text.h"
#include "skin/engine/skin_provider.h"

namespace skin {

UINT SM_SKINCMD = 0xA100;
TkBgRef ParentBgAnswer;
fw::TColor QueriedColor = fw::clFuchsia;

namespace {

bool Destroying(const fw::TComponent* component) {
  return component->GetComponentState().Contains(fw::csDestroying);
}

// One pass over the application's forms; false when the list shrank under it.
bool BroadcastPass(fw::TMessage& message, bool mdiChildren) {
  for (int i = fw::Application->GetComponentCount() - 1; i >= 0; --i) {
    if (i >= fw::Application->GetComponentCount()) return false;
    auto* form = dynamic_cast<fw::TCustomForm*>(fw::Application->GetComponents(i));
    if (!form || Destroying(form) || (form->GetFormStyle() == fw::fsMDIChild) != mdiChildren) continue;
    SendMessageA(form->GetHandle(), message.Msg, message.WParam, message.LParam);
    BroadcastToChildControls(form, message);
    if (form->GetFormStyle() == fw::fsMDIForm && form->GetClientHandle())
      SendMessageA(form->GetClientHandle(), message.Msg, message.WParam, message.LParam);
  }
  return true;
}

}  // namespace

bool ControlAnswersCmd(fw::TControl* control, int command) {
  if (!control) return false;
  fw::TMessage message{SM_SKINCMD, SkinCmdWParam(command), 0, 0};
  // Straight into the handler: an answer written into LParam does not survive SendMessage.
  if (control->GetWindowProc())
    control->GetWindowProc()(message);
  else
    control->WndProc(message);
  return message.LParam == 1;
}

LRESULT SendCmdToHandle(HWND handle, int command) {
  return SendMessageA(handle, SM_SKINCMD, SkinCmdWParam(command), 0);
}

LRESULT SendCmdToControl(fw::TControl* control, int command) {
  if (!control) return 0;
  if (auto* windowed = dynamic_cast<fw::TWinControl*>(control)) {
    if (Destroying(windowed) || !windowed->HandleAllocated()) return 0;
    return SendCmdToHandle(windowed->GetHandleNoCreate(), command);
  }
  return control->Perform(SM_SKINCMD, SkinCmdWParam(command), 0);
}

void SendCmdToChildWindows(fw::TWinControl* container) {
  try {
    for (int i = 0; i < container->GetControlCount(); ++i) {
      fw::TControl* child = container->GetControls(i);
      if (dynamic_cast<fw::TGraphicControl*>(child) || Destroying(child)) continue;
      child->Perform(SM_SKINCMD, SkinCmdWParam(cmdParentPainted), 0);
    }
  } catch (...) {
    // A receiver that fails ends the walk.
  }
}

void SendCmd9ToTree(fw::TControl* control) {
  auto* windowed = dynamic_cast<fw::TWinControl*>(control);
  if (!windowed) {
    control->Perform(SM_SKINCMD, SkinCmdWParam(cmdSetCmd9Flag), 0);
    return;
  }
  SendMessageA(windowed->GetHandle(), SM_SKINCMD, SkinCmdWParam(cmdSetCmd9Flag), 0);
  for (int i = 0; i < windowed->GetControlCount(); ++i) SendCmd9ToTree(windowed->GetControls(i));
}

void GetControlColor(fw::TWinControl* control) {
  QueriedColor = fw::clFuchsia;
  SendMessageA(control->GetHandle(), SM_SKINCMD, SkinCmdWParam(cmdGetColor), 0);
  if (QueriedColor == fw::clFuchsia) QueriedColor = control->GetColor();
  QueriedColor = fw::ColorToRGB(QueriedColor);
}

namespace {

bool Designing(const fw::TComponent* component) {
  return component->GetComponentState().Contains(fw::csDesigning);
}

bool PaintsAsGraphicChild(fw::TControl* child, HDC dc) {
  if (!dynamic_cast<fw::TGraphicControl*>(child)) return false;
  if (!child->GetVisible() && !Designing(child)) return false;
  if (child->GetWidth() + child->GetHeight() < 1) return false;
  if (child->GetControlStyle().Contains(fw::csNoDesignVisible) || Destroying(child)) return false;
  const RECT bounds = child->GetBoundsRect();
  return RectVisible(dc, &bounds) && child->GetWidth() >= 1 && child->GetHeight() >= 1;
}

}  // namespace

void PaintGraphicChildren(HDC dc, fw::TWinControl* container) {
  if (!container || (!container->GetVisible() && !Designing(container)) || container->GetControlCount() == 0) return;
  RECT clip{};
  GetClipBox(dc, &clip);
  if (clip.right - clip.left == 0 || clip.bottom - clip.top == 0) {
    SendCmdToControl(container, cmdPartlyHidden);
    return;
  }
  ParentBgAnswer.Ready = false;
  SendCmdToControl(container, cmdGetParentBg);
  if (!ParentBgAnswer.Ready || !ParentBgAnswer.Bmp) return;
  const TkBgRef answer = ParentBgAnswer;

  std::vector<fw::TControl*> children;
  for (int i = 0; i < container->GetControlCount(); ++i)
    if (PaintsAsGraphicChild(container->GetControls(i), dc)) children.push_back(container->GetControls(i));
  if (!children.empty()) {
    HDC screen = GetDC(nullptr);
    HDC memDC = CreateCompatibleDC(screen);
    HBITMAP memBmp = CreateCompatibleBitmap(screen, container->GetWidth(), container->GetHeight());
    ReleaseDC(nullptr, screen);
    HGDIOBJ oldBmp = SelectObject(memDC, memBmp);
    HDC answerDC = answer.Bmp->GetCanvas()->GetHandle();
    for (fw::TControl* child : children) {
      const fw::TRect b = child->GetBoundsRect();
      if (child->GetControlStyle().Contains(fw::csOpaque))
        FillDCRect(memDC, b, child->GetColor());
      else
        BitBlt(memDC, b.Left, b.Top, b.Width(), b.Height(), answerDC, b.Left + answer.X, b.Top + answer.Y, SRCCOPY);
    }
    for (fw::TControl* child : children) {
      const fw::TRect b = child->GetBoundsRect();
      const int saved = SaveDC(memDC);
      const RECT bounds = b;
      if (!RectVisible(dc, &bounds)) SendCmdToControl(child, cmdPartlyHidden);
      POINT org{};
      SetWindowOrgEx(memDC, -b.Left, -b.Top, &org);
      IntersectClipRect(memDC, 0, 0, b.Width(), b.Height());
      child->Perform(WM_PAINT, reinterpret_cast<WPARAM>(memDC), 0);
      SetWindowOrgEx(memDC, org.x, org.y, nullptr);
      RestoreDC(memDC, saved);
    }
    for (fw::TControl* child : children) {
      const fw::TRect b = child->GetBoundsRect();
      if ((GetPixel(memDC, b.Left, b.Top) & 0xFFFFFF) != fw::clFuchsia)
        BitBlt(dc, b.Left, b.Top, b.Width(), b.Height(), memDC, b.Left, b.Top, SRCCOPY);
    }
    SelectObject(memDC, oldBmp);
    DeleteObject(memBmp);
    DeleteDC(memDC);
  }
  ParentBgAnswer.Ready = false;
}

bool ControlIsReady(const fw::TControl* control) {
  if (!control) return false;
  const auto state = control->GetComponentState();
  if (state.Contains(fw::csLoading) || state.Contains(fw::csDestroying)) return false;
  const auto controlState = control->GetControlState();
  if (controlState.Contains(fw::csCreating) || controlState.Contains(fw::csReadingState)) return false;
  return control->GetParent() != nullptr;
}

bool ControlShown(const fw::TControl* control) {
  if (!control || !control->GetVisible()) return false;
  const auto* windowed = dynamic_cast<const fw::TWinControl*>(control);
  if (!windowed) windowed = control->GetParent();
  return windowed && windowed->HandleAllocated() && IsWindowVisible(windowed->GetHandleNoCreate());
}

fw::TCustomForm* GetOwnerForm(fw::TComponent* component) {
  for (fw::TComponent* c = component; c; c = c->GetOwner())
    if (auto* form = dynamic_cast<fw::TCustomForm*>(c)) return form;
  return nullptr;
}

unsigned TextFlagsForAlignment(const fw::TControl* control, fw::TAlignment alignment) {
  static const unsigned kFlags[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  return control->DrawTextBiDiModeFlags(kFlags[alignment] | DT_EXPANDTABS | DT_VCENTER);
}

bool WindowHasScrollBar(HWND handle, int kind) {
  const LONG style = GetWindowLongA(handle, GWL_STYLE);
  switch (kind) {
    case 0: return (style & WS_HSCROLL) != 0;
    case 1: return (style & WS_VSCROLL) != 0;
    case 3: return (style & WS_HSCROLL) && (style & WS_VSCROLL);
    default: return false;
  }
}

bool GetWorkArea(fw::TRect& r) {
  RECT area{};
  const bool ok = SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0) != 0;
  r = fw::TRect(area.left, area.top, area.right, area.bottom);
  return ok;
}

void ShowWindowNoActivate(fw::TWinControl* control) {
  SetWindowPos(control->GetHandle(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void BroadcastToChildControls(fw::TWinControl* container, fw::TMessage& message) {
  try {
    for (int i = 0; i < container->GetControlCount(); ++i) {
      fw::TControl* child = container->GetControls(i);
      if (Destroying(child)) return;
      auto* windowed = dynamic_cast<fw::TWinControl*>(child);
      if (!windowed) {
        child->Perform(message.Msg, message.WParam, message.LParam);
      } else if (ControlAnswersCmd(windowed, cmdIsSkinned)) {
        windowed->GetWindowProc()(message);
      } else {
        BroadcastToChildControls(windowed, message);
      }
    }
  } catch (...) {
    // A receiver that fails ends the walk; the others keep what they had.
  }
}

void SendToFormProvider(fw::TCustomForm* form, fw::TMessage& message) {
  for (int i = 0; i < form->GetComponentCount(); ++i) {
    auto* provider = dynamic_cast<TkSkinProvider*>(form->GetComponents(i));
    if (provider && !Destroying(provider)) {
      provider->DesignTimeCommand(message);
      return;
    }
  }
}

void BroadcastToAppForms(fw::TMessage& message) {
  if (!fw::Application) return;
  if (BroadcastPass(message, false)) BroadcastPass(message, true);
}

}  // namespace skin
