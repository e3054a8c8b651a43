// TCustomImageList/TImageList: a comctl32 image list of equal-sized images, built from bitmap
// strips with a mask colour or from icons. With ShareImages the list is a foreign one (such as
// the shell's system list) that this object never destroys and never recolours.
#pragma once
#include "framework/core/component.h"
#include "framework/core/events.h"
#include "framework/graphics/colors.h"

namespace fw {

class TBitmap;
class TCanvas;
class TIcon;

class TCustomImageList : public TComponent {
  FW_CLASS(TCustomImageList, TComponent)
 public:
  explicit TCustomImageList(TComponent* owner);

  // The list, created on first use with the current Width, Height and Masked.
  HIMAGELIST GetHandle();
  // Adopts another list; the previous one is destroyed unless ShareImages is set.
  void SetHandle(HIMAGELIST list);
  bool HandleAllocated() const { return FHandle != nullptr; }
  bool GetShareImages() const { return FShareImages; }
  void SetShareImages(bool share) { FShareImages = share; }

  // Changing the size or Masked empties an own list.
  int GetWidth() const { return FWidth; }
  void SetWidth(int width);
  int GetHeight() const { return FHeight; }
  void SetHeight(int height);
  bool GetMasked() const { return FMasked; }
  void SetMasked(bool masked);
  // clNone (the default) draws transparently; never applied to a shared list.
  TColor GetBkColor() const { return FBkColor; }
  void SetBkColor(TColor color);

  int GetCount();
  // Adds the bitmap, cut into as many images as its width holds; pixels of maskColor become
  // transparent. Returns the index of the first image added (-1 on failure). The bitmap itself
  // is left unchanged.
  int AddMasked(TBitmap* image, TColor maskColor);
  // Adds a copy of the icon; returns its index (-1 on failure).
  int AddIcon(TIcon* icon);
  void Delete(int index);
  void Clear();

  // Draws image index at (x, y); a disabled image is drawn blended with the highlight colour.
  void Draw(TCanvas* canvas, int x, int y, int index, bool enabled = true);
  // The same with overlay image overlay (1-based overlay number, 0 = none).
  void DrawOverlay(TCanvas* canvas, int x, int y, int index, int overlay, bool enabled = true);
  // Makes image index the overlay image with the 1-based number overlay.
  bool Overlay(int index, int overlay);
  // Puts a new icon made from image index into icon.
  void GetIcon(int index, TIcon* icon);

  TNotifyEvent OnChange;

 protected:
  ~TCustomImageList() override;
  void Change();

 private:
  void FreeHandle();
  void Recreate();

  HIMAGELIST FHandle = nullptr;
  bool FShareImages = false;
  int FWidth = 16;
  int FHeight = 16;
  bool FMasked = true;
  TColor FBkColor = clNone;
};

class TImageList : public TCustomImageList {
  FW_CLASS(TImageList, TCustomImageList)
 public:
  using TCustomImageList::TCustomImageList;
};

}  // namespace fw
