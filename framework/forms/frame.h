// TCustomFrame/TFrame: a reusable panel of controls with its own layout (CreateComponents,
// run inside a nested loading bracket). A frame may have no owner; its parent frees it then.
// Frames scroll automatically: their scroll bars' Range follows their children.
#pragma once
#include "framework/controls/scrolling_win_control.h"

namespace fw {

class TCustomFrame : public TScrollingWinControl {
  FW_CLASS(TCustomFrame, TScrollingWinControl)
 public:
  explicit TCustomFrame(TComponent* owner);
  void AfterConstruction() override;

 protected:
  ~TCustomFrame() override = default;
  // The frame's layout: creates its components with their properties and handlers.
  virtual void CreateComponents() {}
};

class TFrame : public TCustomFrame {
  FW_CLASS(TFrame, TCustomFrame)
 public:
  using TCustomFrame::TCustomFrame;

 protected:
  ~TFrame() override = default;
};

}  // namespace fw
