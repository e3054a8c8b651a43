#include "skin/controls/check_box.h"

#include "framework/graphics/image_list.h"

namespace skin {

TkCheckBox::TkCheckBox(fw::TComponent* owner) : TkCheckButton<fw::TCheckBox>(owner, 32) {}

void TkCheckBox::SetImages(fw::TCustomImageList* value) {
  FImages = value;
  AdjustSize();
  GetSkinData()->RepaintOwner();
}

void TkCheckBox::SetImgChecked(int value) {
  FImgChecked = value;
  AdjustSize();
  if (GetChecked()) GetSkinData()->RepaintOwner();
}

void TkCheckBox::SetImgUnchecked(int value) {
  FImgUnchecked = value;
  AdjustSize();
  if (!GetChecked()) GetSkinData()->RepaintOwner();
}

void TkCheckBox::SetChecked(bool value) { SetState(value ? fw::cbChecked : fw::cbUnchecked); }

void TkCheckBox::SetState(fw::TCheckBoxState value) {
  if (GetComponentState().Contains(fw::csLoading)) {
    fw::TCheckBox::SetState(value);
    return;
  }
  const bool changed = value != GetState();
  if (changed) GetSkinData()->BGChanged = true;
  fw::TCheckBox::SetState(value);
  if (changed) Repaint();
}

std::string TkCheckBox::GlyphProperty() const {
  switch (GetState()) {
    case fw::cbChecked: return "BOXCHECKED";
    case fw::cbGrayed: return "BOXGRAYED";
    default: return "BOXUNCHECKED";
  }
}

bool TkCheckBox::ImageListMode() const { return FImages && FImgChecked >= 0 && FImgUnchecked >= 0; }

fw::TSize TkCheckBox::ImageListFrameSize() const { return {FImages->GetWidth() / 3, FImages->GetHeight() / 2}; }

void TkCheckBox::ImageListPicture(fw::TBitmap& picture) const {
  CopyImageListImage(&picture, FImages, GetChecked() ? FImgChecked : FImgUnchecked);
}

void TkCheckBox::OwnSkinCommand(int command) {
  if (command == cmdRemoveSkin && HandleAllocated()) {
    fw::TMessage check{BM_SETCHECK, static_cast<WPARAM>(GetState()), 0, 0};
    fw::TCheckBox::WndProc(check);
  } else if (command == cmdRefresh) {
    AdjustSize();
  }
}

bool TkCheckBox::SkinnedMessage(fw::TMessage& m) {
  switch (m.Msg) {
    case BM_SETCHECK:
      StopFading(FadeTimer());
      return true;
    case fw::CM_CHANGED:
      StateChangedLook();
      return false;
    default:
      return TkCheckButton<fw::TCheckBox>::SkinnedMessage(m);
  }
}

bool TkCheckBox::UnskinnedMessage(fw::TMessage& m) {
  switch (m.Msg) {
    case WM_KEYDOWN:
    case WM_LBUTTONDOWN:
      FHeld = true;
      return false;
    case WM_KEYUP:
    case WM_LBUTTONUP:
      TkSkinnedWinControl<fw::TCheckBox>::WndProc(m);
      FHeld = false;
      return true;
    case BM_SETCHECK:
    case BM_SETSTATE:
      return FHeld && !GetControlState().Contains(fw::csCreating) && GetReadOnly();
    case WM_LBUTTONDBLCLK:
      return GetReadOnly();
    default:
      return false;
  }
}

}  // namespace skin
