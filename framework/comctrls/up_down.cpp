#include "framework/comctrls/up_down.h"

#include "framework/comctrls/common_controls.h"

namespace fw {

TCustomUpDown::TCustomUpDown(TComponent* owner) : TWinControl(owner) {
  FControlStyle = TControlStyle{csDoubleClicks};
  FWidth = 17;
  FHeight = 21;
}

void TCustomUpDown::CreateParams(TCreateParams& params) {
  InitCommonControl(ICC_UPDOWN_CLASS);
  TWinControl::CreateParams(params);
  CreateSubClass(params, UPDOWN_CLASSA);
  params.Style |= UDS_ARROWKEYS | UDS_NOTHOUSANDS | UDS_SETBUDDYINT;
  if (FOrientation == udHorizontal) params.Style |= UDS_HORZ;
}

void TCustomUpDown::CreateWnd() {
  TWinControl::CreateWnd();
  Perform(UDM_SETRANGE32, static_cast<WPARAM>(FMin), FMax);
  UDACCEL accel{0, static_cast<UINT>(FIncrement)};
  Perform(UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
  if (FAssociate) Perform(UDM_SETBUDDY, reinterpret_cast<WPARAM>(FAssociate->GetHandle()), 0);
  Perform(UDM_SETPOS32, 0, FPosition);
}

void TCustomUpDown::SetMin(int v) {
  FMin = v;
  if (HandleAllocated()) Perform(UDM_SETRANGE32, static_cast<WPARAM>(FMin), FMax);
}

void TCustomUpDown::SetMax(int v) {
  FMax = v;
  if (HandleAllocated()) Perform(UDM_SETRANGE32, static_cast<WPARAM>(FMin), FMax);
}

int TCustomUpDown::GetPosition() const {
  if (!HandleAllocated()) return FPosition;
  return static_cast<int>(SendMessageA(GetHandleNoCreate(), UDM_GETPOS32, 0, 0));
}

void TCustomUpDown::SetPosition(int v) {
  if (v < FMin) v = FMin;
  if (v > FMax) v = FMax;
  FPosition = v;
  if (HandleAllocated()) Perform(UDM_SETPOS32, 0, v);
}

void TCustomUpDown::SetIncrement(int v) {
  FIncrement = v;
  if (!HandleAllocated()) return;
  UDACCEL accel{0, static_cast<UINT>(v)};
  Perform(UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
}

void TCustomUpDown::SetOrientation(TUDOrientation v) {
  if (v == FOrientation) return;
  FOrientation = v;
  RecreateWnd();
}

void TCustomUpDown::SetAssociate(TWinControl* control) {
  if (FAssociate) FAssociate->RemoveFreeNotification(this);
  FAssociate = control;
  if (control) control->FreeNotification(this);
  if (!HandleAllocated()) return;
  Perform(UDM_SETBUDDY, control ? reinterpret_cast<WPARAM>(control->GetHandle()) : 0, 0);
  Perform(UDM_SETPOS32, 0, FPosition);  // the buddy shows the position
}

void TCustomUpDown::Notification(TComponent* component, TOperation operation) {
  TWinControl::Notification(component, operation);
  if (operation == opRemove && component == FAssociate) {
    FAssociate = nullptr;
    if (HandleAllocated()) Perform(UDM_SETBUDDY, 0, 0);
  }
}

void TCustomUpDown::Click(TUDBtnType button) {
  if (OnClick) OnClick(this, button);
}

void TCustomUpDown::Dispatch(TMessage& msg) {
  switch (msg.Msg) {
    case CN_HSCROLL:
    case CN_VSCROLL:
      if (LoWord(msg.WParam) == SB_THUMBPOSITION) {
        int old = FPosition;
        FPosition = GetPosition();
        if (FPosition != old) Click(FPosition > old ? btNext : btPrev);
      }
      return;
    default:
      break;
  }
  TWinControl::Dispatch(msg);
}

}  // namespace fw
