// The skinned spin edits: TkBaseSpinEdit, a TkEdit carrying a TkSpinButton (a small window of
// two auto-repeating speed buttons of section "SPEEDBUTTON_SMALL" with drawn arrows) at its right
// edge, stepping up and down by the buttons and the arrow keys; TkSpinEdit, the whole-number
// spin edit with Increment, MinValue, MaxValue and Value. A held button clicks after 400 ms and
// then every 100 ms.
#pragma once
#include <memory>

#include "framework/sys/timer.h"
#include "skin/controls/edit.h"
#include "skin/controls/speed_button.h"

namespace skin {

class TkBaseSpinEdit;

// A speed button that repeats its click while held.
class TkTimerSpeedButton : public TkSpeedButton {
  FW_CLASS(TkTimerSpeedButton, TkSpeedButton)
 public:
  // The button-state flags: the focus rectangle shows; the repeat timer may run.
  enum : unsigned { tbFocusRect = 1, tbAllowTimer = 2 };
  using TkSpeedButton::TkSpeedButton;

  unsigned GetButtonState() const { return FButtonState; }
  void SetButtonState(unsigned value) { FButtonState = value; }
  // The repeat timer, made at the first press (null before).
  fw::TTimer* RepeatTimer() const { return FRepeatTimer; }

 protected:
  ~TkTimerSpeedButton() override = default;
  void Paint() override;
  void MouseDown(fw::TMouseButton button, fw::TShiftState shift, int x, int y) override;
  void MouseUp(fw::TMouseButton button, fw::TShiftState shift, int x, int y) override;

 private:
  void TimerExpired();

  fw::TTimer* FRepeatTimer = nullptr;  // owned by the button
  unsigned FButtonState = 0;
};

// The width a spin button takes for a proposed width: never below 15.
int SpinButtonWidth(int proposed);
// The 9 x 5 arrow a spin button draws without a glyph of its own: a black triangle outlined in
// the colour, pointing up or down, on white (the glyph's transparent colour).
std::unique_ptr<fw::TBitmap> SpinArrowGlyph(bool up, fw::TColor outline);

// The two halves of a spin edit, up over down.
class TkSpinButton : public fw::TWinControl {
  FW_CLASS(TkSpinButton, fw::TWinControl)
 public:
  // owner: the spin edit whose manager and cache the buttons use.
  explicit TkSpinButton(fw::TComponent* owner);

  TkTimerSpeedButton* GetUpButton() const { return FUpButton; }
  TkTimerSpeedButton* GetDownButton() const { return FDownButton; }
  fw::TWinControl* GetFocusControl() const { return FFocusControl; }
  void SetFocusControl(fw::TWinControl* value);
  // A null glyph draws the arrow; a given one is copied into the button.
  void SetUpGlyph(const fw::TBitmap* glyph);
  void SetDownGlyph(const fw::TBitmap* glyph);
  // Draws the arrows again (in the edit's font colour) where no glyph was given.
  void UpdateArrows();

  void SetBounds(int left, int top, int width, int height) override;
  void WndProc(fw::TMessage& m) override;

  fw::TNotifyEvent OnUpClick;
  fw::TNotifyEvent OnDownClick;

 protected:
  ~TkSpinButton() override = default;
  void Loaded() override;
  void Notification(fw::TComponent* component, fw::TOperation operation) override;

 private:
  TkTimerSpeedButton* MakeButton();
  void ButtonMouseDown(TkTimerSpeedButton* button);
  // Width and height as the spin button takes them; places the halves.
  void AdjustSize(int& width, int& height);

  TkBaseSpinEdit* FEdit;
  TkTimerSpeedButton* FUpButton = nullptr;
  TkTimerSpeedButton* FDownButton = nullptr;
  TkTimerSpeedButton* FFocusedButton = nullptr;
  fw::TWinControl* FFocusControl = nullptr;
  bool FUpGlyphGiven = false;
  bool FDownGlyphGiven = false;
  // The colour the arrows were last drawn in, while FArrowsDrawn.
  bool FArrowsDrawn = false;
  fw::TColor FArrowsColour = fw::clNone;
};

// Whether a spin edit takes a typed character: a character outside the allowed set is refused
// when printable or Enter; the rest is taken while typing is allowed, else only control
// characters other than Backspace.
bool SpinKeyAccepted(char key, bool inSet, bool editorEnabled);

class TkBaseSpinEdit : public TkEdit {
  FW_CLASS(TkBaseSpinEdit, TkEdit)
 public:
  explicit TkBaseSpinEdit(fw::TComponent* owner);

  TkSpinButton* GetButton() const { return FButton; }
  bool GetEditorEnabled() const { return FEditorEnabled; }
  void SetEditorEnabled(bool value) { FEditorEnabled = value; }
  // The least height the font allows.
  int MinHeight();

  // Signs, digits and the decimal separator (see SpinKeyAccepted).
  virtual bool AcceptsKey(char key);
  virtual void StepUp(fw::TObject*) {}
  virtual void StepDown(fw::TObject*) {}

  void AfterConstruction() override;
  void WndProc(fw::TMessage& m) override;

 protected:
  ~TkBaseSpinEdit() override;
  void Loaded() override;
  void CreateParams(fw::TCreateParams& params) override;
  void CreateWnd() override;
  void KeyDown(WORD& key, fw::TShiftState shift) override;
  void KeyPress(char& key) override;

 private:
  // The native edit rectangle leaves room for the buttons.
  void SetEditRect();
  void PlaceButton();
  // Every button: hot look off, fading stopped, repainted.
  template <class Each>
  void EachSpinButton(const Each& each);

  TkSpinButton* FButton = nullptr;
  bool FEditorEnabled = true;
};

// The text read as a whole number: fallback when it is empty, not a number or beyond 32 bits.
int SpinTextValue(const std::string& text, int fallback);
// The value kept within MinValue..MaxValue; unchanged when the two are equal.
int ClampSpinValue(int value, int minValue, int maxValue);

class TkSpinEdit : public TkBaseSpinEdit {
  FW_CLASS(TkSpinEdit, TkBaseSpinEdit)
 public:
  explicit TkSpinEdit(fw::TComponent* owner);

  int GetIncrement() const { return FIncrement; }
  void SetIncrement(int value) { FIncrement = value; }
  int GetMinValue() const { return FMinValue; }
  void SetMinValue(int value) { FMinValue = value; }
  int GetMaxValue() const { return FMaxValue; }
  void SetMaxValue(int value) { FMaxValue = value; }
  // The text read as a whole number (MinValue when it is none), not clamped.
  int GetValue() const;
  // Writes the clamped value as text.
  void SetValue(int value);

  // Digits only.
  bool AcceptsKey(char key) override;
  // A read-only spin edit beeps and keeps its value.
  void StepUp(fw::TObject* sender) override;
  void StepDown(fw::TObject* sender) override;

  void WndProc(fw::TMessage& m) override;

 protected:
  ~TkSpinEdit() override = default;

 private:
  void Step(int delta);

  int FIncrement = 1;
  int FMinValue = 0;
  int FMaxValue = 0;
};

}  // namespace skin
