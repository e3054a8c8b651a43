// Point and rectangle values that report their changes.
#pragma once
#include <memory>

#include "framework/core/events.h"
#include "framework/core/object.h"

namespace svc {

class TDsPoint : public fw::TPersistent {
  FW_CLASS(TDsPoint, fw::TPersistent)
 public:
  int GetX() const { return FX; }
  void SetX(int value);
  int GetY() const { return FY; }
  void SetY(int value);
  // Copies the coordinates of another point (other sources: the inherited assignment), then
  // signals the change.
  void Assign(const fw::TPersistent* source) override;

  // Called when a coordinate changes.
  fw::TNotifyEvent OnChange;

 private:
  void Changed();

  int FX = 0;
  int FY = 0;
};

class TDsRect : public fw::TPersistent {
  FW_CLASS(TDsRect, fw::TPersistent)
 public:
  TDsRect();

  int GetLeft() const { return FTopLeft->GetX(); }
  void SetLeft(int value) { FTopLeft->SetX(value); }
  int GetTop() const { return FTopLeft->GetY(); }
  void SetTop(int value) { FTopLeft->SetY(value); }
  int GetRight() const { return FBottomRight->GetX(); }
  void SetRight(int value) { FBottomRight->SetX(value); }
  int GetBottom() const { return FBottomRight->GetY(); }
  void SetBottom(int value) { FBottomRight->SetY(value); }
  void Assign(const fw::TPersistent* source) override;

  // Called when a corner changes.
  fw::TNotifyEvent OnChange;

 private:
  void Changed();

  std::unique_ptr<TDsPoint> FTopLeft;
  std::unique_ptr<TDsPoint> FBottomRight;
};

}  // namespace svc
