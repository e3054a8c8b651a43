// TScrollingWinControl: the base of forms and frames. It keeps the scroll-bar settings
// (TControlScrollBar); the forms and frames of the program lay out without scrolling. With
// AutoScroll a bar's Range is the extent of the control's children, whether the bar shows or
// not, so that skinned bars laid over a control can take it.
#pragma once
#include "framework/controls/win_control.h"

namespace fw {

enum TScrollBarKind { sbHorizontal, sbVertical };

class TScrollingWinControl;

class TControlScrollBar {
 public:
  TControlScrollBar(TScrollingWinControl* control, TScrollBarKind kind) : FControl(control), FKind(kind) {}
  TScrollBarKind GetKind() const { return FKind; }
  // With the control's AutoScroll (and its automatic range not disabled): the farthest edge of
  // its visible children along the bar, counted from the unscrolled origin (Position added),
  // plus the sizes of the children aligned to the far side and Margin. Else the range set.
  int GetRange() const;
  void SetRange(int v) { FRange = v < 0 ? 0 : v; }
  int GetPosition() const { return FPosition; }
  void SetPosition(int v) { FPosition = v < 0 ? 0 : v; }
  int GetIncrement() const { return FIncrement; }
  void SetIncrement(int v) { FIncrement = v; }
  int GetMargin() const { return FMargin; }
  void SetMargin(int v) { FMargin = v; }
  bool GetTracking() const { return FTracking; }
  void SetTracking(bool v) { FTracking = v; }
  bool GetSmooth() const { return FSmooth; }
  void SetSmooth(bool v) { FSmooth = v; }
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool v) { FVisible = v; }

 private:
  TScrollingWinControl* FControl;
  TScrollBarKind FKind;
  int FRange = 0;
  int FPosition = 0;
  int FIncrement = 8;
  int FMargin = 0;
  bool FTracking = false;
  bool FSmooth = false;
  bool FVisible = true;
};

class TScrollingWinControl : public TWinControl {
  FW_CLASS(TScrollingWinControl, TWinControl)
 public:
  explicit TScrollingWinControl(TComponent* owner)
      : TWinControl(owner), FHorzScrollBar(this, sbHorizontal), FVertScrollBar(this, sbVertical) {}

  TControlScrollBar* GetHorzScrollBar() { return &FHorzScrollBar; }
  TControlScrollBar* GetVertScrollBar() { return &FVertScrollBar; }
  bool GetAutoScroll() const { return FAutoScroll; }
  void SetAutoScroll(bool v) { FAutoScroll = v; }
  void DisableAutoRange() { ++FAutoRangeCount; }
  void EnableAutoRange() {
    if (FAutoRangeCount > 0) --FAutoRangeCount;
  }
  bool AutoRangeEnabled() const { return FAutoScroll && FAutoRangeCount == 0; }

 protected:
  ~TScrollingWinControl() override = default;

 private:
  TControlScrollBar FHorzScrollBar;
  TControlScrollBar FVertScrollBar;
  bool FAutoScroll = false;
  int FAutoRangeCount = 0;
};

}  // namespace fw
