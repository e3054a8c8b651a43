// TCustomLabel/TLabel: a windowless caption. It measures and draws its text with the same
// DoDrawText, sizes itself to the text when AutoSize is on, and moves the focus to
// FocusControl when its accelerator is pressed.
#pragma once
#include "framework/controls/graphic_control.h"
#include "framework/stdctrls/text_painter.h"

namespace fw {

class TCustomLabel : public TGraphicControl {
  FW_CLASS(TCustomLabel, TGraphicControl)
 public:
  explicit TCustomLabel(TComponent* owner);

  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment v);
  TTextLayout GetLayout() const { return FLayout; }
  void SetLayout(TTextLayout v);
  bool GetWordWrap() const { return FWordWrap; }
  void SetWordWrap(bool v);
  bool GetTransparent() const { return !FControlStyle.Contains(csOpaque); }
  void SetTransparent(bool v);
  bool GetShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool v);
  TWinControl* GetFocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* control);
  void SetAutoSize(bool v) override;

  void Dispatch(TMessage& msg) override;

 protected:
  ~TCustomLabel() override = default;
  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;
  void Paint() override;
  virtual std::string GetLabelText() const { return GetCaption(); }
  // Measures (flags with DT_CALCRECT: rect receives the text's extent) or draws the text.
  virtual void DoDrawText(TRect& rect, UINT flags);
  // Fits the bounds to the text when AutoSize is on; the aligned edge stays in place.
  virtual void AdjustBounds();
  // The DC the label draws on right now (the canvas DC while painting, else a screen DC).
  HDC FDrawDC = nullptr;

 private:
  TAlignment FAlignment = taLeftJustify;
  TTextLayout FLayout = tlTop;
  bool FWordWrap = false;
  bool FShowAccelChar = true;
  TWinControl* FFocusControl = nullptr;
};

class TLabel : public TCustomLabel {
  FW_CLASS(TLabel, TCustomLabel)
 public:
  using TCustomLabel::TCustomLabel;

 protected:
  ~TLabel() override = default;
};

}  // namespace fw
