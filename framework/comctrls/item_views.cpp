#include "framework/comctrls/item_views.h"

namespace fw {

void AssignImageList(TWinControl* control, TCustomImageList*& slot, TCustomImageList* images, UINT setMsg,
                     WPARAM kind) {
  if (slot) slot->RemoveFreeNotification(control);
  slot = images;
  if (images) images->FreeNotification(control);
  if (control->HandleAllocated())
    control->Perform(setMsg, kind, reinterpret_cast<LPARAM>(images ? images->GetHandle() : nullptr));
}

void ApplyItemViewParams(TCreateParams& params, DWORD style, TFormBorderStyle border) {
  params.Style |= style;
  if (border == bsSingle) params.ExStyle |= WS_EX_CLIENTEDGE;
  params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

void DeliverEatenButtonUp(TWinControl* control, const TMessage& msg) {
  HWND wnd = control->GetHandleNoCreate();
  MSG pending;
  // Eaten only when the thread has taken the button-up from its input already (the button
  // no longer reads as down) and none waits in the queue; a press handled while the button is
  // still held gets its own button-up later.
  if (wnd && control->GetControlState().Contains(csLButtonDown) && GetKeyState(VK_LBUTTON) >= 0 &&
      !PeekMessageA(&pending, wnd, WM_LBUTTONUP, WM_LBUTTONUP, PM_NOREMOVE))
    control->Perform(WM_LBUTTONUP, msg.WParam & ~static_cast<WPARAM>(MK_LBUTTON), msg.LParam);
}

}  // namespace fw
