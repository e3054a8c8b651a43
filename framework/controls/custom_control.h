// TCustomControl: a windowed control that paints itself on its Canvas in Paint().
#pragma once
#include <memory>

#include "framework/controls/control_canvas.h"
#include "framework/controls/win_control.h"

namespace fw {

class TCustomControl : public TWinControl {
  FW_CLASS(TCustomControl, TWinControl)
 public:
  explicit TCustomControl(TComponent* owner);
  TCanvas* GetCanvas() const { return FCanvas.get(); }

  void Dispatch(TMessage& msg) override;

 protected:
  ~TCustomControl() override;
  void DestroyWnd() override;
  void PaintWindow(HDC dc) override;
  virtual void Paint() {}

 private:
  std::unique_ptr<TControlCanvas> FCanvas;
};

}  // namespace fw
