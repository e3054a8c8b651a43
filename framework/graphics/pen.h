// TPen: colour, width, line style and raster mode, with a cached HPEN.
#pragma once
#include "framework/graphics/colors.h"
#include "framework/graphics/graphics_object.h"

namespace fw {

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TPenMode { pmCopy, pmNot, pmXor };

class TPen : public TGraphicsObject {
  FW_CLASS(TPen, TGraphicsObject)
 public:
  TPen() = default;

  void Assign(const TPersistent* source) override;

  TColor GetColor() const { return FColor; }
  void SetColor(TColor color);
  int GetWidth() const { return FWidth; }
  void SetWidth(int width);
  TPenStyle GetStyle() const { return FStyle; }
  void SetStyle(TPenStyle style);
  // The raster operation a canvas applies with this pen (SetROP2); not part of the HPEN.
  TPenMode GetMode() const { return FMode; }
  void SetMode(TPenMode mode);
  int GetRop2() const;

  HPEN GetHandle();

 private:
  TColor FColor = clBlack;
  int FWidth = 1;
  TPenStyle FStyle = psSolid;
  TPenMode FMode = pmCopy;
};

}  // namespace fw
