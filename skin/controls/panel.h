// TkPanel: the skinned container. It paints its section face ("PANEL") and caption into its
// cache, copies the cache around its child windows, lays its graphic children over it and tells
// its windowed children that their background is painted (command 6). It passes the skin
// commands 1, 2 and 3 on to its children, whoever sent them. Without an active skin it is the
// framework's panel; OnPaint, OnMouseEnter and OnMouseLeave fire skinned or not.
#pragma once
#include <functional>

#include "framework/extctrls/custom_panel.h"
#include "framework/graphics/canvas.h"
#include "skin/controls/skinned_control.h"

namespace skin {

// Sender and the canvas to paint on.
using TPaintEvent = std::function<void(fw::TObject* sender, fw::TCanvas* canvas)>;

class TkPanel : public TkSkinned<fw::TPanel> {
  FW_CLASS(TkPanel, fw::TPanel)
 public:
  explicit TkPanel(fw::TComponent* owner);

  // With an active skin: after the cache is rebuilt, on the cache's canvas; without one, after
  // the framework painted, on the panel's canvas.
  TPaintEvent OnPaint;

  void WndProc(fw::TMessage& m) override;
  // The whole skinned paint of the panel into DC (the panel's canvas when DC is null).
  virtual void PaintAll(HDC dc);

 protected:
  ~TkPanel() override = default;
  void Paint() override;
  void PaintWindow(HDC dc) override;
  int StateIndex() const override { return 0; }
  void PaintContent() override;
  bool SkinnedMessage(fw::TMessage& m) override;
  // The rebuilt cache, then OnPaint on it when asked.
  void RebuildCache(bool withOnPaint);
};

}  // namespace skin
