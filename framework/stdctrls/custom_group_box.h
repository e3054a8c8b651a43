// TCustomGroupBox/TGroupBox: a container with an etched frame and its caption on the top edge;
// aligned children are placed below the caption.
#pragma once
#include "framework/controls/custom_control.h"

namespace fw {

class TCustomGroupBox : public TCustomControl {
  FW_CLASS(TCustomGroupBox, TCustomControl)
 public:
  explicit TCustomGroupBox(TComponent* owner);
  void AdjustClientRect(TRect& rect) override;
  void Dispatch(TMessage& msg) override;

 protected:
  ~TCustomGroupBox() override = default;
  void Paint() override;
};

class TGroupBox : public TCustomGroupBox {
  FW_CLASS(TGroupBox, TCustomGroupBox)
 public:
  using TCustomGroupBox::TCustomGroupBox;

 protected:
  ~TGroupBox() override = default;
};

}  // namespace fw
