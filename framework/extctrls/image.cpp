#include "framework/extctrls/image.h"

#include "framework/graphics/graphic.h"

namespace fw {

TImage::TImage(TComponent* owner) : TGraphicControl(owner), FPicture(std::make_unique<TPicture>()) {
  FControlStyle.Include(csOpaque);
  FWidth = 105;
  FHeight = 105;
  FPicture->OnChange = [this](TObject*) { PictureChanged(); };
}

TImage::~TImage() { FPicture->OnChange = nullptr; }

void TImage::SetCenter(bool v) {
  FCenter = v;
  Invalidate();
}

void TImage::SetStretch(bool v) {
  FStretch = v;
  Invalidate();
}

void TImage::SetTransparent(bool v) {
  FTransparent = v;
  PictureChanged();
}

void TImage::PictureChanged() {
  TGraphic* graphic = FPicture->GetGraphic();
  if (graphic && graphic->GetTransparent() != FTransparent) {
    auto saved = std::move(FPicture->OnChange);
    graphic->SetTransparent(FTransparent);
    FPicture->OnChange = std::move(saved);
  }
  if (graphic && FTransparent) {
    FControlStyle.Exclude(csOpaque);
  } else {
    FControlStyle.Include(csOpaque);
  }
  AdjustSize();
  Invalidate();
}

bool TImage::CanAutoSize(int& newWidth, int& newHeight) {
  if (!FPicture->GetGraphic()) return false;
  newWidth = FPicture->GetWidth();
  newHeight = FPicture->GetHeight();
  return true;
}

TRect TImage::DestRect() const {
  int w = FPicture->GetWidth(), h = FPicture->GetHeight();
  if (FStretch) return TRect(0, 0, FWidth, FHeight);
  if (FCenter) return Bounds((FWidth - w) / 2, (FHeight - h) / 2, w, h);
  return TRect(0, 0, w, h);
}

void TImage::Paint() {
  TGraphic* graphic = FPicture->GetGraphic();
  if (!graphic || graphic->GetEmpty()) return;
  GetCanvas()->StretchDraw(DestRect(), graphic);
}

}  // namespace fw
