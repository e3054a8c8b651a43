// TkSplitter: the skinned splitter, painted from its section ("SPLITTER") in its normal, hot and
// (while dragged with ResizeStyle rsUpdate) pressed looks, afresh at every paint. Application
// hints are off from the first press to the last release; the earlier setting comes back then,
// however many presses came before the release. Without an active skin it is the framework's
// splitter.
#pragma once
#include "framework/extctrls/splitter.h"
#include "skin/controls/skinned_control.h"

namespace skin {

class TkSplitter : public TkSkinned<fw::TSplitter> {
  FW_CLASS(TkSplitter, fw::TSplitter)
 public:
  explicit TkSplitter(fw::TComponent* owner);

  bool GetMoving() const { return FMoving; }

 protected:
  ~TkSplitter() override = default;
  int StateIndex() const override;
  void Paint() override;
  void MouseDown(fw::TMouseButton button, fw::TShiftState shift, int x, int y) override;
  void MouseUp(fw::TMouseButton button, fw::TShiftState shift, int x, int y) override;
  bool SkinnedMessage(fw::TMessage& m) override;

 private:
  bool FMoving = false;
};

}  // namespace skin
