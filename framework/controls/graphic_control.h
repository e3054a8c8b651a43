// TGraphicControl: a control without a window. Its parent paints it (WM_PAINT with the DC in
// WParam, origin moved to the control and clipped to it) and routes the mouse to it.
#pragma once
#include <memory>

#include "framework/controls/control.h"
#include "framework/controls/control_canvas.h"

namespace fw {

class TGraphicControl : public TControl {
  FW_CLASS(TGraphicControl, TControl)
 public:
  explicit TGraphicControl(TComponent* owner);
  TCanvas* GetCanvas() const { return FCanvas.get(); }

  void Dispatch(TMessage& msg) override;

 protected:
  ~TGraphicControl() override;
  virtual void Paint() {}

 private:
  std::unique_ptr<TControlCanvas> FCanvas;
};

}  // namespace fw
