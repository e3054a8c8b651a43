// TBrush: a solid or clear (hollow) brush with a cached HBRUSH.
#pragma once
#include "framework/graphics/colors.h"
#include "framework/graphics/graphics_object.h"

namespace fw {

enum TBrushStyle { bsSolid, bsClear };

class TBrush : public TGraphicsObject {
  FW_CLASS(TBrush, TGraphicsObject)
 public:
  TBrush() = default;

  void Assign(const TPersistent* source) override;

  TColor GetColor() const { return FColor; }
  void SetColor(TColor color);
  TBrushStyle GetStyle() const { return FStyle; }
  void SetStyle(TBrushStyle style);

  // Created on first use; a clear brush is the stock NULL_BRUSH.
  HBRUSH GetHandle();

 private:
  TColor FColor = clWhite;
  TBrushStyle FStyle = bsSolid;
};

}  // namespace fw
