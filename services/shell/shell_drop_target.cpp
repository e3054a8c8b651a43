#include "services/shell/shell_drop_target.h"

#include <commctrl.h>
#include <ole2.h>

namespace svc {

HRESULT TSvViewDropTarget::DragEnter(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) {
  return FOwner ? FOwner->DropEnter(data, keys, point, effect) : E_FAIL;
}

HRESULT TSvViewDropTarget::DragOver(DWORD keys, POINTL point, DWORD* effect) {
  return FOwner ? FOwner->DropOver(keys, point, effect) : E_FAIL;
}

HRESULT TSvViewDropTarget::DragLeave() { return FOwner ? FOwner->DropLeave() : E_FAIL; }

HRESULT TSvViewDropTarget::Drop(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) {
  return FOwner ? FOwner->DropOn(data, keys, point, effect) : E_FAIL;
}

void TSvDropSite::Register(HWND window) {
  if (FTarget || !window) return;
  FTarget = new TSvViewDropTarget(FOwner);
  if (SUCCEEDED(RegisterDragDrop(window, FTarget))) {
    FWindow = window;
    return;
  }
  FTarget->Detach();
  FTarget->Release();
  FTarget = nullptr;
}

void TSvDropSite::Revoke() {
  if (!FTarget) return;
  if (IsWindow(FWindow)) RevokeDragDrop(FWindow);
  FWindow = nullptr;
  FTarget->Detach();
  FTarget->Release();
  FTarget = nullptr;
  FData.Reset();
}

void TSvDropSite::Enter(IDataObject* data, POINTL point, DWORD* effect) {
  FData.Reset();
  if (OffersFiles(data)) {
    data->AddRef();
    FData.Reset(data);
  } else {
    *effect = DROPEFFECT_NONE;
  }
  RECT window{};
  GetWindowRect(FWindow, &window);
  ImageList_DragEnter(FWindow, point.x - window.left, point.y - window.top);
}

void TSvDropSite::MovePicture(POINTL point) {
  RECT window{};
  GetWindowRect(FWindow, &window);
  ImageList_DragMove(point.x - window.left, point.y - window.top);
}

void TSvDropSite::Leave() {
  FData.Reset();
  ImageList_DragLeave(FWindow);
}

bool OffersFiles(IDataObject* data) {
  if (!data) return false;
  FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  return data->QueryGetData(&format) == S_OK;
}

TComRef<IDropTarget> ShellDropTarget(IShellFolder* parent, LPCITEMIDLIST relative, IShellFolder* desktop, HWND owner) {
  TComRef<IDropTarget> target;
  IShellFolder* folder = parent ? parent : desktop;
  if (!folder || !relative) return target;
  if (FAILED(folder->GetUIObjectOf(owner, 1, &relative, IID_IDropTarget, nullptr, target.PutVoid()))) target.Reset();
  return target;
}

void ForwardDragOver(IDropTarget* target, IDataObject* data, DWORD keys, POINTL point, DWORD* effect) {
  DWORD allowed = *effect;
  if (FAILED(target->DragEnter(data, keys, point, effect))) return;
  *effect = allowed;
  target->DragOver(keys, point, effect);
  target->DragLeave();
}

HRESULT ForwardDrop(IDropTarget* target, IDataObject* data, DWORD keys, POINTL point, DWORD* effect) {
  DWORD allowed = *effect;
  HRESULT entered = target->DragEnter(data, keys, point, effect);
  if (FAILED(entered)) return entered;
  *effect = allowed;
  return target->Drop(data, keys, point, effect);
}

}  // namespace svc
