// The skinned labels: windowless captions that take their text colour from the skin and write
// a softened text when disabled. TkCustomLabel is the base (GetCurrentFont chooses the font
// each paint uses), TkLabel the caption label of the forms (UseSkinColor), and TkEditLabel the
// label a bound label (TkBoundLabel) makes beside an edit-like control.
#pragma once
#include <string>

#include "framework/core/events.h"
#include "framework/stdctrls/custom_label.h"

namespace skin {

class TkBoundLabel;

// The default manager's skin is loaded and announced.
bool DefaultSkinActive();

class TkCustomLabel : public fw::TCustomLabel {
  FW_CLASS(TkCustomLabel, fw::TCustomLabel)
 public:
  explicit TkCustomLabel(fw::TComponent* owner);

  // The font to paint with: Font, coloured with the skin's global font colour while the
  // default manager's skin is active.
  virtual fw::TFont* GetCurrentFont();
  void WndProc(fw::TMessage& m) override;

  fw::TNotifyEvent OnMouseEnter;
  fw::TNotifyEvent OnMouseLeave;

 protected:
  ~TkCustomLabel() override = default;
  void Paint() override;
  // A font changed while the label chooses its font for a paint does not invalidate it.
  void FontChanged() override;
  // Disabled under an active skin: the text in 0.4 of the font colour and 0.6 of the parent's.
  void DoDrawText(fw::TRect& rect, UINT flags) override;
  // The text as DrawText takes it (an empty text or a lone "&" measured as " "), and flags
  // with DT_NOPREFIX unless ShowAccelChar.
  std::string TextToDraw(UINT& flags) const;
  // Skin command 2 (skin removed) from the default manager.
  static bool DefaultSkinRemoved(const fw::TMessage& m);
};

class TkLabel : public TkCustomLabel {
  FW_CLASS(TkLabel, TkCustomLabel)
 public:
  explicit TkLabel(fw::TComponent* owner) : TkCustomLabel(owner) {}

  // True (default): the skin's global font colour; false keeps the label's own.
  bool GetUseSkinColor() const { return FUseSkinColor; }
  void SetUseSkinColor(bool value) { FUseSkinColor = value; }
  fw::TFont* GetCurrentFont() override;
  void WndProc(fw::TMessage& m) override;

 protected:
  ~TkLabel() override = default;

 private:
  bool FUseSkinColor = true;
};

// The label a bound label makes beside its control; it tells the bound label when it goes.
class TkEditLabel : public TkLabel {
  FW_CLASS(TkEditLabel, TkLabel)
 public:
  TkEditLabel(fw::TComponent* owner, TkBoundLabel* boundLabel) : TkLabel(owner), FBoundLabel(boundLabel) {}

 protected:
  ~TkEditLabel() override;

 private:
  TkBoundLabel* FBoundLabel;
};

}  // namespace skin
