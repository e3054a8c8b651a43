// The drop target a shell view registers for its window (TSvViewDropTarget forwards each call
// to the view until the view lets go of it), and the helpers both views use to hand a drag on
// to the shell's own drop target of the item under the cursor.
#pragma once
#include "services/shell/com_object.h"
#include "services/shell/com_ref.h"

namespace svc {

// What a view does with a drag held over its window.
class ISvDropTargetOwner {
 public:
  virtual HRESULT DropEnter(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) = 0;
  virtual HRESULT DropOver(DWORD keys, POINTL point, DWORD* effect) = 0;
  virtual HRESULT DropLeave() = 0;
  virtual HRESULT DropOn(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) = 0;

 protected:
  ~ISvDropTargetOwner() = default;
};

class TSvViewDropTarget : public TSvComObject<IDropTarget> {
 public:
  explicit TSvViewDropTarget(ISvDropTargetOwner* owner) : FOwner(owner) {}
  // The view is going: every later call answers E_FAIL.
  void Detach() { FOwner = nullptr; }

  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL point, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragLeave() override;
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override;

 private:
  ISvDropTargetOwner* FOwner;
};

// A view's registration as a drop target, and the data object of the drag held over it.
class TSvDropSite {
 public:
  explicit TSvDropSite(ISvDropTargetOwner* owner) : FOwner(owner) {}
  ~TSvDropSite() { Revoke(); }
  TSvDropSite(const TSvDropSite&) = delete;
  TSvDropSite& operator=(const TSvDropSite&) = delete;

  // Registers a drop target for the window (nothing when one is registered).
  void Register(HWND window);
  void Revoke();
  IDropTarget* GetTarget() const { return FTarget; }
  // The data object of the drag (null when the drag offers no files).
  IDataObject* GetData() const { return FData.Get(); }
  // Keeps data when it offers files (else the effect is none) and shows the drag picture.
  void Enter(IDataObject* data, POINTL point, DWORD* effect);
  void MovePicture(POINTL point);
  // Lets go of the data object and hides the drag picture.
  void Leave();

 private:
  ISvDropTargetOwner* FOwner;
  HWND FWindow = nullptr;
  TSvViewDropTarget* FTarget = nullptr;
  TComRef<IDataObject> FData;
};

// Whether data offers a CF_HDROP file list in global memory.
bool OffersFiles(IDataObject* data);

// The shell's drop target of an item: GetUIObjectOf on its parent folder, or on the desktop
// folder when it has none (then relative is the item's absolute ID list); null when the shell
// offers none.
TComRef<IDropTarget> ShellDropTarget(IShellFolder* parent, LPCITEMIDLIST relative, IShellFolder* desktop, HWND owner);

// Hands a drag held at point to target: DragEnter, then DragOver (or Drop when dropping), then
// DragLeave after DragOver so the target keeps nothing.
void ForwardDragOver(IDropTarget* target, IDataObject* data, DWORD keys, POINTL point, DWORD* effect);
HRESULT ForwardDrop(IDropTarget* target, IDataObject* data, DWORD keys, POINTL point, DWORD* effect);

}  // namespace svc
