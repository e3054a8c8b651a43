// TkUpDown: the skinned up-down control, its two halves painted from the skin's scroll-button
// sections (or ButtonSkin) with their arrows, hot by hit test, pressed while held, and a half at
// its limit disabled while ShowInaccessibility holds. The first half is the top (vertical) or the
// left (horizontal) one; top moves towards Max, bottom towards Min, left towards Min, right
// towards Max. It has no skin state of its own: the default manager serves it. The same arrow
// painter draws the page control's tab scroller.
#pragma once
#include <string>

#include "framework/comctrls/up_down.h"
#include "framework/graphics/bitmap.h"
#include "skin/engine/fast_pixels.h"

namespace skin {

class TkUpDown;

// The painted kinds of half.
enum TkArrowKind { akTop = 0, akLeft = 1, akBottom = 2, akRight = 3 };

// Paints one half of the up-down into bmp: its section face and border for the half's state,
// the arrow centred, and the disabled look when the control is disabled or the half at its limit
// shows it. Bottom and right first size bmp to the rest of the control.
void PaintUpDownArrowButton(TkUpDown* upDown, fw::TBitmap* bmp, TkArrowKind kind);

class TkUpDown : public fw::TCustomUpDown {
  FW_CLASS(TkUpDown, fw::TCustomUpDown)
 public:
  // The button state: nothing, first half hot, second half hot, first pressed, second pressed.
  enum TState { usNone = 0, usFirstHot = 1, usSecondHot = 2, usFirstPressed = 3, usSecondPressed = 4 };

  explicit TkUpDown(fw::TComponent* owner);

  const std::string& GetButtonSkin() const { return FButtonSkin; }
  void SetButtonSkin(const std::string& value);
  TkDisabledKind GetDisabledKind() const { return FDisabledKind; }
  void SetDisabledKind(TkDisabledKind value);
  bool GetShowInaccessibility() const { return FShowInaccessibility; }
  void SetShowInaccessibility(bool value);
  int GetButtonState() const { return FButtonState; }
  void SetButtonState(int value);
  // The first half (top or left) lies under the client point.
  bool InFirstHalf(int x, int y) const;
  // The half's arrow moves towards the limit Position stands at.
  bool AtLimit(bool firstHalf) const;
  bool AtLimit(TkArrowKind kind) const;
  // The manager's sections this control paints with are there.
  bool Skinned() const;

  void WndProc(fw::TMessage& m) override;

 protected:
  ~TkUpDown() override = default;

 private:
  void Paint(HDC dc);
  void HitTest(int x, int y);
  void Press();
  void Release();

  std::string FButtonSkin;
  TkDisabledKind FDisabledKind{dkBlended};
  bool FShowInaccessibility = true;
  bool FMousePressed = false;
  int FButtonState = usNone;
};

}  // namespace skin
