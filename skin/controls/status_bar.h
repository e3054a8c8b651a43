// TkStatusBar: the skinned status bar. Its whole window (the BorderWidth frame included) lives in
// the cache: the section's face, each panel's "STATUSPANELMASK" of the section (or, when the skin
// has none, a "DIVIDER" between panels), the panel texts cut with "..." in the section's font
// colours (an owner-drawn panel painted by OnDrawPanel on the bar's Canvas, lent the cache) and
// the size grip from GLOBALINFO's "GRIPIMAGE" (else FORM's), none while the form is maximised.
// The cache is rebuilt after the status-bar text messages, size changes and skin commands; a new
// size shows the whole bar again. It hosts child controls (the main window's search animation):
// while skinned its Color is its section's colour (unless CustomColor), so a child that takes its
// parent's colour (a transparent animation, which fills its background with its own brush) sits
// on the bar's face. Without an active skin it is the framework's bar, clBtnFace.
#pragma once
#include "framework/comctrls/status_bar.h"
#include "skin/controls/skinned_control.h"

namespace skin {

class TkStatusBar : public TkSkinned<fw::TStatusBar> {
  FW_CLASS(TkStatusBar, fw::TStatusBar)
 public:
  explicit TkStatusBar(fw::TComponent* owner);

  // The rectangle of panel index in the cache; the last panel reaches the right edge.
  fw::TRect StatusPanelRect(int index) const;
  // The top-left corner of the grip (its mask's frame against the bottom-right corner).
  fw::TPoint StatusGripPos() const;

 protected:
  ~TkStatusBar() override = default;
  void Loaded() override;
  void PaintWindow(HDC dc) override;
  int StateIndex() const override { return 0; }
  void PaintContent() override;
  bool PassesSkinCommands() const override { return true; }
  void OwnSkinCommand(int command) override;
  bool SkinnedMessage(fw::TMessage& m) override;

 private:
  // The cache rebuilt when it must be.
  void PrepareStatusCache();
  // The cache onto the client DC, the graphic children over it, command 6 to the windowed ones.
  void SkinnedPaint(HDC dc);
  // The BorderWidth frame from the cache onto the window DC.
  void PaintStatusFrame();
  // One panel's face (mask or divider) and its text in R of the cache.
  void PaintStatusPanelItem(const fw::TStatusPanel* panel, const std::string& text, fw::TRect r, bool last);
  void PaintStatusGrip();
  // SizeGrip, unless the form is maximised (it cannot be sized from its corner).
  bool ShowsGrip() const;
  // The valid mask (ImageCount 1 or more) of the section and property, else -1.
  int ValidMask(int skinIndex, const std::string& section, const std::string& property) const;
  int GripMask() const;
  // Color := the section's colour while skinned, clBtnFace without the skin; kept with CustomColor.
  void TakeFaceColour();
};

}  // namespace skin
