// TScrollingWinControl: the base of forms, frames and scroll boxes. It keeps a scroll-bar model
// per direction (TControlScrollBar): Range, Position, Increment, Margin, Tracking and Visible.
// A visible bar drives the window's native scroll bar: it shows while Range exceeds the client
// extent, its messages move Position, and a new Position scrolls the content (windowed children
// moved by ScrollWindowEx and their bounds read back, graphic children moved by hand). A bar
// made invisible only records Position: owners that lay their own bars over the control move the
// content themselves and keep the offset there. With AutoScroll a bar's Range is the extent of
// the control's children, whether the bar shows or not. Aligned children lay out in scrolled
// coordinates (AdjustClientRect).
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
  void SetRange(int v);
  int GetPosition() const { return FPosition; }
  // Visible: clamped to 0 .. Range less the client extent, the content scrolled by the change
  // and the native bar updated. Invisible: only stored (not below 0).
  void SetPosition(int v);
  int GetIncrement() const { return FIncrement; }
  void SetIncrement(int v) { FIncrement = v; }
  int GetMargin() const { return FMargin; }
  void SetMargin(int v) { FMargin = v; }
  bool GetTracking() const { return FTracking; }
  void SetTracking(bool v) { FTracking = v; }
  bool GetSmooth() const { return FSmooth; }
  void SetSmooth(bool v) { FSmooth = v; }
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool v);
  // The client extent along the bar (the page).
  int ClientExtent() const;
  // Whether the native bar is shown now.
  bool IsShowing() const { return FShowing; }

 private:
  friend class TScrollingWinControl;
  // Shows, feeds or hides the native bar.
  void Update();
  // Applies a WM_HSCROLL/WM_VSCROLL scroll code.
  void ScrollMessage(TMessage& msg);

  TScrollingWinControl* FControl;
  TScrollBarKind FKind;
  int FRange = 0;
  int FPosition = 0;
  int FIncrement = 8;
  int FMargin = 0;
  bool FTracking = false;
  bool FSmooth = false;
  bool FVisible = true;
  bool FShowing = false;
};

class TScrollingWinControl : public TWinControl {
  FW_CLASS(TScrollingWinControl, TWinControl)
 public:
  explicit TScrollingWinControl(TComponent* owner)
      : TWinControl(owner), FHorzScrollBar(this, sbHorizontal), FVertScrollBar(this, sbVertical) {}

  TControlScrollBar* GetHorzScrollBar() { return &FHorzScrollBar; }
  TControlScrollBar* GetVertScrollBar() { return &FVertScrollBar; }
  bool GetAutoScroll() const { return FAutoScroll; }
  void SetAutoScroll(bool v);
  void DisableAutoRange() { ++FAutoRangeCount; }
  // Ends a DisableAutoRange; the last one brings the native bars up to date.
  void EnableAutoRange();
  bool AutoRangeEnabled() const { return FAutoScroll && FAutoRangeCount == 0; }
  // Moves the content by (dx, dy): windowed children by ScrollWindowEx (their bounds read back),
  // graphic children by hand.
  void ScrollBy(int dx, int dy);
  // Scrolls so that the control (a descendant) shows, with the bars' margins around it.
  void ScrollInView(TControl* control);
  // Brings both native bars up to date with the ranges.
  void UpdateScrollBars();

  void AdjustClientRect(TRect& rect) override;
  void Dispatch(TMessage& msg) override;

 protected:
  ~TScrollingWinControl() override = default;
  void AlignControls(TControl* control, TRect& rect) override;
  void CreateWnd() override;

 private:
  TControlScrollBar FHorzScrollBar;
  TControlScrollBar FVertScrollBar;
  bool FAutoScroll = false;
  int FAutoRangeCount = 0;
  bool FUpdatingBars = false;
};

}  // namespace fw
