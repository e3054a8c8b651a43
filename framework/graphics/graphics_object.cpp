#include "framework/graphics/graphics_object.h"

namespace fw {

TGraphicsObject::~TGraphicsObject() {
  if (FHandle && FOwnsHandle) ::DeleteObject(FHandle);
}

void TGraphicsObject::Changed(bool dropHandle) {
  HGDIOBJ old = nullptr;
  bool ownedOld = FOwnsHandle;
  if (dropHandle) {
    old = FHandle;
    FHandle = nullptr;
    FOwnsHandle = true;
  }
  if (OnChange) OnChange(this);
  if (old && ownedOld) ::DeleteObject(old);
}

void TGraphicsObject::Adopt(HGDIOBJ handle, bool owns) {
  HGDIOBJ old = FHandle;
  bool ownedOld = FOwnsHandle;
  FHandle = handle;
  FOwnsHandle = owns;
  if (OnChange) OnChange(this);
  if (old && old != handle && ownedOld) ::DeleteObject(old);
}

}  // namespace fw
