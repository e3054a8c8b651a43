#include "services/shell/shell_view_support.h"

#include <commctrl.h>

#include "framework/controls/control.h"
#include "framework/forms/screen.h"
#include "services/shell/com_ref.h"
#include "services/shell/shell32_functions.h"
#include "services/shell/shell_data_object.h"
#include "services/shell/shell_drag_loop.h"
#include "services/shell/shell_drop_source.h"
#include "services/shell/shell_controller.h"
#include "services/shell/shell_list_view.h"

namespace svc {

void LinkToListView(fw::TComponent* view, TSvCustomShellListView*& link, TSvCustomShellListView* list,
                    TSvCustomShellController*& controller) {
  if (link) link->RemoveFreeNotification(view);
  link = list;
  if (!link) return;
  link->FreeNotification(view);
  if (!controller && link->GetController()) controller = UseController(link->GetController());
}

TSvCustomShellController* UseController(TSvCustomShellController* shared) {
  TSvCustomShellController* controller = shared ? shared : fw::New<TSvCustomShellController>(nullptr);
  controller->AddUser();
  return controller;
}

void ReleaseController(TSvCustomShellController*& controller) {
  if (controller && controller->RemoveUser() <= 0) fw::Free(controller);
  controller = nullptr;
}

bool SamePidl(LPCITEMIDLIST a, LPCITEMIDLIST b) { return a && b && Shell32().ILIsEqual(a, b); }

TSvBusyCursor::TSvBusyCursor() {
  if (fw::Screen) fw::Screen->SetCursor(fw::crHourGlass);
}

TSvBusyCursor::~TSvBusyCursor() {
  if (fw::Screen) fw::Screen->SetCursor(fw::crDefault);
}

DWORD RunViewDrag(HIMAGELIST image, const LPCITEMIDLIST* items, int count, LPCITEMIDLIST absolute, DWORD effects) {
  ImageList_BeginDrag(image, 0, 0, 0);
  TComRef<IDataObject> data(new TSvDataObject(items, count, absolute));
  TComRef<IDropSource> source(new TSvDropSource());
  DWORD effect = DROPEFFECT_NONE;
  SvDoDragDrop(data.Get(), source.Get(), effects, &effect);
  ImageList_EndDrag();
  if (image) ImageList_Destroy(image);
  return effect;
}

}  // namespace svc
