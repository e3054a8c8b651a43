// TGraphicsObject: the base of TFont, TBrush and TPen, a GDI object description whose handle is
// made on demand and dropped when a property changes. OnChange tells the holder (a canvas
// deselects the old handle, a control re-sends WM_SETFONT) before the old handle is deleted.
#pragma once
#include "framework/win.h"

#include "framework/core/events.h"
#include "framework/core/object.h"

namespace fw {

class TGraphicsObject : public TPersistent {
  FW_CLASS(TGraphicsObject, TPersistent)
 public:
  TGraphicsObject() = default;
  TGraphicsObject(const TGraphicsObject&) = delete;
  TGraphicsObject& operator=(const TGraphicsObject&) = delete;
  ~TGraphicsObject() override;

  bool HandleAllocated() const { return FHandle != nullptr; }

  TNotifyEvent OnChange;

 protected:
  // The cached GDI object, created by the descendant's GetHandle.
  HGDIOBJ FHandle = nullptr;
  // When false the handle belongs to the system (stock objects) and is never deleted.
  bool FOwnsHandle = true;

  // Fires OnChange; with dropHandle the cached handle is forgotten first and deleted after
  // the notification, so whoever still has it selected can let it go.
  void Changed(bool dropHandle = true);
  void Adopt(HGDIOBJ handle, bool owns);
};

}  // namespace fw
