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
  if (wnd && control->GetControlState().Contains(csLButtonDown) &&
      !PeekMessageA(&pending, wnd, WM_LBUTTONUP, WM_LBUTTONUP, PM_NOREMOVE))
    control->Perform(WM_LBUTTONUP, msg.WParam & ~static_cast<WPARAM>(MK_LBUTTON), msg.LParam);
}

}  // namespace fw
