// TBevel: a windowless box, frame or line drawn lowered or raised.
#pragma once
#include "framework/controls/graphic_control.h"

namespace fw {

enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum TBevelStyle { bsLowered, bsRaised };

class TBevel : public TGraphicControl {
  FW_CLASS(TBevel, TGraphicControl)
 public:
  explicit TBevel(TComponent* owner);

  TBevelShape GetShape() const { return FShape; }
  void SetShape(TBevelShape v);
  TBevelStyle GetStyle() const { return FStyle; }
  void SetStyle(TBevelStyle v);

 protected:
  ~TBevel() override = default;
  void Paint() override;

 private:
  TBevelShape FShape = bsBox;
  TBevelStyle FStyle = bsLowered;
};

}  // namespace fw
