// TkToolBar: the skinned tool bar. Through the bar's own custom-draw events it lays its cached
// face (the bar's section, "TOOLBAR" in the application) under the buttons and draws every button
// afresh into a bitmap from "TOOLBUTTON" and its "BORDERSMASK" in the frame of its state, with
// its image, caption, drop-down part and arrow and the disabled look. A bar that is not Flat
// tracks its hot button itself and repaints only the two buttons concerned. The edge strips come
// from the cache. Without an active skin the native bar draws everything.
#pragma once
#include "framework/comctrls/tool_bar.h"
#include "skin/controls/skinned_control.h"

namespace skin {

class TkToolBar : public TkSkinned<fw::TToolBar> {
  FW_CLASS(TkToolBar, fw::TToolBar)
 public:
  explicit TkToolBar(fw::TComponent* owner);
  void AfterConstruction() override;

  TkDisabledKind GetBtnDisabledKind() const { return FBtnDisabledKind; }
  void SetBtnDisabledKind(TkDisabledKind value);
  // The index of the button under the mouse of a bar that is not Flat, -1 when none.
  int GetHotButton() const { return FHotButton; }
  // The button under the point (client coordinates), -1 over none, a separator or a divider.
  int ToolButtonAtPos(fw::TPoint p) const;
  // The state index of a button's custom-draw state: 0 normal (or only disabled), 2 selected or
  // checked, else 1 (hot).
  static int ToolButtonState(fw::TCustomDrawState state);
  // The caption's rectangle in a button of that size and state index.
  fw::TRect ToolCaptionRect(const fw::TToolButton* button, fw::TSize size, int state);

  void WndProc(fw::TMessage& m) override;

 protected:
  ~TkToolBar() override = default;
  void Loaded() override;
  int StateIndex() const override { return 0; }
  void OwnSkinCommand(int command) override;
  bool SkinnedMessage(fw::TMessage& m) override;

 private:
  void TakeCustomDraw();
  void PaintToolBarBackground(fw::TToolBar* sender, const fw::TRect& r, fw::TCustomDrawStage stage,
                              bool& defaultDraw);
  void PaintToolButton(fw::TToolBar* sender, fw::TToolButton* button, fw::TCustomDrawState state,
                       fw::TCustomDrawStage stage, fw::TTBCustomDrawFlags& flags, bool& defaultDraw);
  void PaintDropDownPart(fw::TBitmap* bmp, const fw::TToolButton* button, fw::TCustomDrawState state, int mainWidth,
                         const TkBgRef& bg);
  void RepaintToolButton(int index);
  // The cache's point at the client area's top-left corner.
  fw::TPoint ClientOffset() const;
  void PaintToolBarFrame();

  TkDisabledKind FBtnDisabledKind{dkBlended};
  int FHotButton = -1;
  fw::TToolButton* FDroppedButton = nullptr;
};

}  // namespace skin
