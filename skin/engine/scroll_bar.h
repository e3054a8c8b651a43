// TkScrollBar: a scroll bar the skin draws. Without an active skin it is a native SCROLLBAR
// window; with one its window is a plain child that paints two arrows, a track split at the
// slider and the slider from the skin's scroll sections and runs the mouse (with repeat
// timers) and the keyboard itself. Owners lay it over the scroll bars of other windows: they set
// the linked control, feed it Min, Max, PageSize and Position and hear OnPosChange.
#pragma once
#include <functional>
#include <memory>

#include "framework/controls/scrolling_win_control.h"
#include "framework/core/events.h"
#include "skin/engine/common_data.h"
#include "skin/engine/fast_pixels.h"

namespace fw {
class TTimer;
}

namespace skin {

enum TScrollCode { scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom, scEndScroll };
using TScrollEvent = std::function<void(fw::TObject* Sender, TScrollCode ScrollCode, int& ScrollPos)>;
using TkPosChangeEvent = std::function<void(fw::TObject* Sender, int OldPosition)>;

// The parts of a bar, in the order of their states.
enum TkScrollPart { spFirstArrow, spSecondArrow, spTrack1, spTrack2, spSlider };
// Part states.
constexpr int kPartNormal = 0, kPartHot = 1, kPartPressed = 2;

class TkScrollBar : public fw::TWinControl {
  FW_CLASS(TkScrollBar, fw::TWinControl)
 public:
  explicit TkScrollBar(fw::TComponent* owner);
  void AfterConstruction() override;

  TkCommonData* GetSkinData() const { return FSkinData.get(); }
  bool GetSmooth() const { return FSmooth; }
  void SetSmooth(bool v) { FSmooth = v; }
  TkDisabledKind GetDisabledKind() const { return FDisabledKind; }
  void SetDisabledKind(TkDisabledKind v);
  fw::TScrollBarKind GetKind() const { return FKind; }
  void SetKind(fw::TScrollBarKind v);
  int GetLargeChange() const { return FLargeChange; }
  void SetLargeChange(int v) { FLargeChange = static_cast<short>(v < 1 ? 1 : v > 32767 ? 32767 : v); }
  int GetSmallChange() const { return FSmallChange; }
  void SetSmallChange(int v) { FSmallChange = static_cast<short>(v < 1 ? 1 : v > 32767 ? 32767 : v); }
  int GetMax() const { return FMax; }
  void SetMax(int v) { SetParams(FPosition, FMin, v); }
  int GetMin() const { return FMin; }
  void SetMin(int v) { SetParams(FPosition, v, FMax); }
  int GetPageSize() const { return FPageSize; }
  void SetPageSize(int v);
  int GetPosition() const { return FPosition; }
  void SetPosition(int v);
  // The one place where Position, Min and Max change.
  void SetParams(int position, int min, int max);
  fw::TControl* GetLinkedControl() const { return FLinkedControl; }
  void SetLinkedControl(fw::TControl* c) { FLinkedControl = c; }
  // While set, the bar neither erases nor paints (owners set it while they arrange the bar).
  bool GetDrawingForbidden() const { return FDrawingForbidden; }
  void SetDrawingForbidden(bool v) { FDrawingForbidden = v; }
  // Set while the user scrolls with the mouse; cleared by AttachAndShowControl.
  bool MouseScrolling = false;

  // The measures along the bar (L its length, a the arrow size).
  int ArrowSize() const;
  int TrackLength() const;
  int SliderSize() const;
  int SliderCenter() const;
  int PositionFromPoint(fw::TPoint p) const;
  fw::TRect PartRect(TkScrollPart part) const;
  // -1 for a horizontal bar aligned right to left: its native window runs from Max at the left
  // to Min at the right. 1 otherwise.
  int MirrorFactor() const;
  int PartState(TkScrollPart part) const { return FStates[part]; }
  // The repeat timer of a held arrow, track or slider (null when none runs).
  fw::TTimer* GetRepeatTimer() const { return FTimer; }

  // A WM_HSCROLL/WM_VSCROLL scroll code applied to Position.
  void DoScrollMessage(fw::TMessage& message);

  fw::TNotifyEvent OnChange;
  TScrollEvent OnScroll;
  TkPosChangeEvent OnPosChange;

  void WndProc(fw::TMessage& m) override;
  void Dispatch(fw::TMessage& m) override;

 protected:
  ~TkScrollBar() override;
  void BeforeDestruction() override;
  void Loaded() override;
  void CreateParams(fw::TCreateParams& params) override;
  void CreateWnd() override;
  void MouseDown(fw::TMouseButton button, fw::TShiftState shift, int x, int y) override;
  void MouseUp(fw::TMouseButton button, fw::TShiftState shift, int x, int y) override;
  void KeyDown(WORD& key, fw::TShiftState shift) override;
  virtual void DoChange(int oldPosition);
  virtual void Scroll(TScrollCode code, int& pos);

 private:
  bool Skinned() const;
  int Length() const;
  int Along(fw::TPoint p) const;
  bool Over(TkScrollPart part, fw::TPoint p) const;
  // The native window's position for a position of the bar.
  int NativePos(int position) const { return MirrorFactor() < 0 ? FMax - position : position; }
  // An arrow as painted: as long as its section's frame when the section asks for that.
  fw::TRect ArrowPaintRect(TkScrollPart part, int sectionIndex, const std::string& section) const;
  fw::TPoint CursorPos() const;
  void Recreate(bool plain);
  void StartTimer(unsigned interval, void (TkScrollBar::*tick)());
  void FreeTimer();
  void ArrowTick();
  void TrackTick();
  void ThumbTick();
  void UpdateBar();
  void PaintBar(HDC dc);
  void HoverAt(fw::TPoint p);
  void Release(TkScrollPart part, fw::TPoint p);

  std::unique_ptr<TkCommonData> FSkinData;
  bool FSmooth = true;
  TkDisabledKind FDisabledKind{dkBlended};
  fw::TScrollBarKind FKind = fw::sbHorizontal;
  short FLargeChange = 1;
  short FSmallChange = 1;
  int FMax = 100;
  int FMin = 0;
  int FPageSize = 0;
  int FPosition = 0;
  fw::TControl* FLinkedControl = nullptr;
  int FStates[5] = {0, 0, 0, 0, 0};
  int FPart = scEndScroll;
  int FThumbOffset = 0;
  fw::TTimer* FTimer = nullptr;
  bool FSavedShowHint = false;
  bool FHeld = false;
  int FHeldPosition = 0;
  bool FForceNative = false;
  // The window is the plain one the bar paints itself (not the native scroll bar).
  bool FPlainWindow = false;
  bool FDrawingForbidden = false;
  bool FRepaintNeeded = false;
};

// The list view's bars.
class TkIntScrollBar : public TkScrollBar {
  FW_CLASS(TkIntScrollBar, TkScrollBar)
 public:
  using TkScrollBar::TkScrollBar;

 protected:
  ~TkIntScrollBar() override = default;
};

}  // namespace skin

namespace skin {
// Readies a bar its owner laid over a host control: the mouse-scrolling flag cleared, the host's
// parent as its parent when it has none, shown without activation.
void AttachAndShowControl(TkScrollBar* bar, fw::TWinControl* host);
}  // namespace skin
