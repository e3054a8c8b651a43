// TkRadioButton: the skinned radio button (section "RADIOBUTTON"). Its glyph shows Checked
// through the skin's "RADIOCHECKED" and "RADIOUNCHECKED" masks or GlyphChecked/GlyphUnChecked;
// a click or space checks it (a checked one stays checked). Without a skin it is the framework's
// radio button, except that a read-only one keeps its state.
#pragma once
#include "framework/stdctrls/radio_button.h"
#include "skin/controls/check_button.h"

namespace skin {

class TkRadioButton : public TkCheckButton<fw::TRadioButton> {
  FW_CLASS(TkRadioButton, fw::TRadioButton)
 public:
  explicit TkRadioButton(fw::TComponent* owner);

 protected:
  ~TkRadioButton() override = default;
  std::string GlyphProperty() const override { return GetChecked() ? "RADIOCHECKED" : "RADIOUNCHECKED"; }
  void Activate() override { SetChecked(true); }
  void OwnSkinCommand(int command) override;
  bool SkinnedMessage(fw::TMessage& m) override;
  bool UnskinnedMessage(fw::TMessage& m) override;
};

}  // namespace skin
