#include "services/system/ds_rect.h"

namespace svc {

void TDsPoint::SetX(int value) {
  if (value == FX) return;
  FX = value;
  Changed();
}

void TDsPoint::SetY(int value) {
  if (value == FY) return;
  FY = value;
  Changed();
}

void TDsPoint::Assign(const fw::TPersistent* source) {
  auto point = dynamic_cast<const TDsPoint*>(source);
  if (!point) {
    fw::TPersistent::Assign(source);
    return;
  }
  FX = point->FX;
  FY = point->FY;
  Changed();
}

void TDsPoint::Changed() {
  if (OnChange) OnChange(this);
}

TDsRect::TDsRect() : FTopLeft(std::make_unique<TDsPoint>()), FBottomRight(std::make_unique<TDsPoint>()) {
  FTopLeft->OnChange = [this](fw::TObject*) { Changed(); };
  FBottomRight->OnChange = [this](fw::TObject*) { Changed(); };
}

void TDsRect::Assign(const fw::TPersistent* source) {
  auto rect = dynamic_cast<const TDsRect*>(source);
  if (!rect) {
    fw::TPersistent::Assign(source);
    return;
  }
  // Copied without the corners' own notifications, so the change is signalled once.
  fw::TNotifyEvent topLeft = std::move(FTopLeft->OnChange), bottomRight = std::move(FBottomRight->OnChange);
  FTopLeft->OnChange = nullptr;
  FBottomRight->OnChange = nullptr;
  FTopLeft->Assign(rect->FTopLeft.get());
  FBottomRight->Assign(rect->FBottomRight.get());
  FTopLeft->OnChange = std::move(topLeft);
  FBottomRight->OnChange = std::move(bottomRight);
  Changed();
}

void TDsRect::Changed() {
  if (OnChange) OnChange(this);
}

}  // namespace svc
