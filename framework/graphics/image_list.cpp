#include "framework/graphics/image_list.h"

#include <memory>

#include "framework/graphics/bitmap.h"
#include "framework/graphics/canvas.h"
#include "framework/graphics/icon.h"

namespace fw {

TCustomImageList::TCustomImageList(TComponent* owner) : TComponent(owner) {}

TCustomImageList::~TCustomImageList() { FreeHandle(); }

void TCustomImageList::FreeHandle() {
  if (FHandle && !FShareImages) ::ImageList_Destroy(FHandle);
  FHandle = nullptr;
}

HIMAGELIST TCustomImageList::GetHandle() {
  if (!FHandle) {
    FHandle = ::ImageList_Create(FWidth, FHeight, ILC_COLOR24 | (FMasked ? ILC_MASK : 0), 4, 4);
    FShareImages = false;
    if (FBkColor != clNone)
      ::ImageList_SetBkColor(FHandle, static_cast<COLORREF>(ColorToRGB(FBkColor)));
  }
  return FHandle;
}

void TCustomImageList::SetHandle(HIMAGELIST list) {
  if (list == FHandle) return;
  FreeHandle();
  FHandle = list;
  if (list) {
    int width = 0, height = 0;
    if (::ImageList_GetIconSize(list, &width, &height)) {
      FWidth = width;
      FHeight = height;
    }
  }
  Change();
}

void TCustomImageList::Recreate() {
  if (FHandle && FShareImages) {
    // A shared list is never changed: forget it and start an own one on demand.
    FHandle = nullptr;
    FShareImages = false;
  }
  FreeHandle();
  Change();
}

void TCustomImageList::SetWidth(int width) {
  if (width == FWidth || width <= 0) return;
  FWidth = width;
  Recreate();
}

void TCustomImageList::SetHeight(int height) {
  if (height == FHeight || height <= 0) return;
  FHeight = height;
  Recreate();
}

void TCustomImageList::SetMasked(bool masked) {
  if (masked == FMasked) return;
  FMasked = masked;
  Recreate();
}

void TCustomImageList::SetBkColor(TColor color) {
  if (color == FBkColor) return;
  FBkColor = color;
  if (FHandle && !FShareImages) {
    ::ImageList_SetBkColor(FHandle, color == clNone ? CLR_NONE
                                                    : static_cast<COLORREF>(ColorToRGB(color)));
    Change();
  }
}

int TCustomImageList::GetCount() { return FHandle ? ::ImageList_GetImageCount(FHandle) : 0; }

int TCustomImageList::AddMasked(TBitmap* image, TColor maskColor) {
  if (!image || image->GetEmpty()) return -1;
  // The list reads the pixels through its own DC; a private copy is selected nowhere else and
  // keeps the caller's bitmap untouched.
  TBitmap copy;
  copy.Assign(image);
  int index = ::ImageList_AddMasked(GetHandle(), copy.GetHandle(),
                                    static_cast<COLORREF>(ColorToRGB(maskColor)));
  Change();
  return index;
}

int TCustomImageList::AddIcon(TIcon* icon) {
  if (!icon || icon->GetEmpty()) return -1;
  int index = ::ImageList_ReplaceIcon(GetHandle(), -1, icon->GetHandle());
  Change();
  return index;
}

void TCustomImageList::Delete(int index) {
  if (!FHandle || index < 0 || index >= GetCount()) return;
  ::ImageList_Remove(FHandle, index);
  Change();
}

void TCustomImageList::Clear() {
  if (!FHandle) return;
  ::ImageList_Remove(FHandle, -1);
  Change();
}

void TCustomImageList::Draw(TCanvas* canvas, int x, int y, int index, bool enabled) {
  DrawOverlay(canvas, x, y, index, 0, enabled);
}

void TCustomImageList::DrawOverlay(TCanvas* canvas, int x, int y, int index, int overlay,
                                   bool enabled) {
  if (!canvas || !FHandle || index < 0 || index >= GetCount()) return;
  UINT style = ILD_NORMAL;
  if (overlay > 0 && overlay <= 15) style |= INDEXTOOVERLAYMASK(overlay);
  if (!enabled) style |= ILD_BLEND50;
  ::ImageList_Draw(FHandle, index, canvas->GetHandle(), x, y, style);
}

bool TCustomImageList::Overlay(int index, int overlay) {
  return FHandle && ::ImageList_SetOverlayImage(FHandle, index, overlay);
}

void TCustomImageList::GetIcon(int index, TIcon* icon) {
  if (!icon || !FHandle || index < 0 || index >= GetCount()) return;
  icon->SetHandle(::ImageList_GetIcon(FHandle, index, ILD_NORMAL));
}

void TCustomImageList::Change() {
  if (OnChange) OnChange(this);
}

}  // namespace fw
