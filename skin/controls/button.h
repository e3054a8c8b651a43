// TkButton: the skinned push button on the framework's TButton. Its face comes from its section
// ("BUTTON" on the program's forms) for the normal, hot and pressed looks, its caption through
// the section's font colours, with a dotted focus frame when the section shows focus; the
// shared push-button behaviour is TkPushButton's. Without an active skin it is a TButton.
#pragma once
#include "framework/stdctrls/button.h"
#include "skin/controls/push_button.h"

namespace skin {

class TkButton : public TkPushButton<fw::TButton> {
  FW_CLASS(TkButton, fw::TButton)
 public:
  explicit TkButton(fw::TComponent* owner);

 protected:
  ~TkButton() override = default;
  void PaintContent() override;
  // The caption within R with the DrawText flags, in the section's colours.
  virtual void DrawCaptionText(fw::TRect& r, unsigned flags);
  // The caption and the focus frame into the cache.
  virtual void DrawCaption();
  virtual fw::TRect CaptionRect();
};

}  // namespace skin
