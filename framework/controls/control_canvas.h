// TControlCanvas: a canvas bound to a control. Outside painting it gets a DC of its own
// (GetDC of the window; for a windowless control the parent's DC, moved to the control's
// origin and clipped to its bounds); while painting, the paint DC is lent to it.
#pragma once
#include "framework/graphics/canvas.h"

namespace fw {

class TControl;

class TControlCanvas : public TCanvas {
  FW_CLASS(TControlCanvas, TCanvas)
 public:
  explicit TControlCanvas(TControl* control) : FControl(control) {}
  ~TControlCanvas() override;

  TControl* GetControl() const { return FControl; }
  // Gives back a DC the canvas got for itself (a lent DC is left alone).
  void FreeHandle();
  // Paints through the canvas into a DC that belongs to someone else.
  void Lend(HDC dc) {
    FreeHandle();
    SetHandle(dc);
  }
  // Releases the DCs every control canvas got for itself (the application does it when idle).
  static void FreeDeviceContexts();

 protected:
  void CreateHandle() override;

 private:
  TControl* FControl;
  HWND FDCWindow = nullptr;
  HDC FOwnDC = nullptr;
};

// Lends a DC to the canvas (when one is given) for a scope and takes the canvas's handle back at
// its end, also when the painting throws.
class TCanvasLoan {
 public:
  explicit TCanvasLoan(TControlCanvas* canvas, HDC dc = nullptr) : FCanvas(canvas) {
    if (dc) canvas->Lend(dc);
  }
  ~TCanvasLoan() { FCanvas->SetHandle(nullptr); }
  TCanvasLoan(const TCanvasLoan&) = delete;
  TCanvasLoan& operator=(const TCanvasLoan&) = delete;

 private:
  TControlCanvas* FCanvas;
};

}  // namespace fw
