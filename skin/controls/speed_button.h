// TkSpeedButton: the skinned button without a window (navigation and tool buttons, grouped or
// not). It paints its section face, caption and glyph into its cache over the piece of its
// parent's cache that lies behind it, and repaints through its parent (command 15 around the
// repaint). A change of look fades in steps (TkAnimTimer); a fade interrupted by the opposite
// change goes on from the steps it had left. ButtonStyle makes it a separator (the parent's
// background only), a divider (the "DIVIDER" mask centred) or a drop-down button whose last 16
// pixels are an arrow area with a state of its own and open DropdownMenu under the button.
// The spin, edit and frame-bar title buttons override its virtual operations. Without an
// active skin it is the framework's speed button.
#pragma once
#include <functional>

#include "framework/buttons/speed_button.h"
#include "framework/comctrls/tool_bar.h"
#include "framework/menus/popup_menu.h"
#include "skin/controls/button_glyphs.h"
#include "skin/controls/push_button.h"
#include "skin/controls/skinned_control.h"

namespace skin {

// Set by the frame bar while it rearranges its sections: buttons take no notice of the mouse
// entering or leaving them meanwhile.
extern bool FrameBarAnimating;

using TBmpPaintEvent = std::function<void(fw::TObject* sender, fw::TBitmap* bmp)>;

// The width of a drop-down button's arrow area.
constexpr int kDropDownWidth = 16;

// What the caption and glyph rectangles of a speed button depend on.
struct TkSpeedButtonLayout {
  int Width = 0, Height = 0;
  int DropDownWidth = 0;  // kDropDownWidth for a drop-down button
  int GlyphWidth = 0, GlyphHeight = 0;
  int TextWidth = 0, TextHeight = 0;  // the caption measured (0 x 0 when it is not shown)
  int Margin = -1, Spacing = 4, TextOffset = 0;
  fw::TButtonLayout Layout = fw::blGlyphLeft;
  fw::TAlignment Alignment = fw::taCenter;
  bool HasCaption = false;  // the caption is not empty
  bool ShowCaption = true;
  bool Pushed = false;       // down or exclusive: both rectangles move by (1, 1)
  bool RightToLeft = false;  // the caption reads right to left: glyph left and right swap
};
fw::TRect SpeedButtonCaptionRect(const TkSpeedButtonLayout& l);
// The glyph goes by the bitmap button's rule in the width left of the arrow area.
fw::TRect SpeedButtonGlyphRect(const TkSpeedButtonLayout& l);

class TkSpeedButton : public TkSkinnedGraphicControl<fw::TSpeedButton> {
  FW_CLASS(TkSpeedButton, fw::TSpeedButton)
 public:
  explicit TkSpeedButton(fw::TComponent* owner);

  fw::TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(fw::TAlignment value);
  fw::TAlignment GetTextAlignment() const { return FTextAlignment; }
  void SetTextAlignment(fw::TAlignment value);
  int GetBlend() const { return FBlend; }
  // Stored clamped to 0..100.
  void SetBlend(int value);
  fw::TToolButtonStyle GetButtonStyle() const { return FButtonStyle; }
  // Becoming (or ceasing to be) a drop-down button widens (narrows) the button by the arrow
  // area, except while loading.
  void SetButtonStyle(fw::TToolButtonStyle value);
  fw::TPopupMenu* GetDropdownMenu() const { return FDropdownMenu; }
  void SetDropdownMenu(fw::TPopupMenu* value);
  TkDisabledGlyphKind GetDisabledGlyphKind() const { return FDisabledGlyphKind; }
  void SetDisabledGlyphKind(TkDisabledGlyphKind value);
  bool GetGrayed() const { return FGrayed; }
  void SetGrayed(bool value);
  bool GetShowCaption() const { return FShowCaption; }
  void SetShowCaption(bool value);
  bool GetDrawOverBorder() const { return FDrawOverBorder; }
  void SetDrawOverBorder(bool value);
  int GetTextOffset() const { return FTextOffset; }
  void SetTextOffset(int value);
  void SetImages(fw::TCustomImageList* images);
  void SetImageIndex(int value);
  // The drop-down menu of this button is open.
  bool MenuOpen() const { return FMenuOpen; }
  // The step animation running, or null.
  TkAnimTimer* Animation() const { return FAnimation.get(); }

  // Repaints the button through its parent, which is told (command 15) which child repaints.
  void RepaintWithParent();
  // Rebuilds the cache for the current look, then OnPaint.
  virtual void PrepareCache();
  // 2 while pressed or down, 1 while hot, else 0.
  virtual int CurrentState() const;
  virtual fw::TRect CaptionRect();
  virtual fw::TRect GlyphRect();
  virtual int GlyphWidth() const;
  virtual int GlyphHeight() const;

  void AfterConstruction() override;
  void SetBounds(int left, int top, int width, int height) override;
  void WndProc(fw::TMessage& m) override;

  TBmpPaintEvent OnPaint;

 protected:
  ~TkSpeedButton() override;
  void Loaded() override;
  void BeforeDestruction() override;
  void Notification(fw::TComponent* component, fw::TOperation operation) override;
  void MouseDown(fw::TMouseButton button, fw::TShiftState shift, int x, int y) override;
  void MouseUp(fw::TMouseButton button, fw::TShiftState shift, int x, int y) override;
  void Paint() override;
  int StateIndex() const override { return CurrentState(); }
  void PaintFace(const TkBgRef& bg) override;
  bool SkinnedMessage(fw::TMessage& m) override;
  virtual void DrawCaption();
  virtual void DrawGlyph();

  // A change of look: faded in steps when allowed, else at once.
  void ChangeState(bool half, bool animate);
  void StartAnimation(bool half);
  void StopAnimation();

 private:
  // The glyph and its look for the current state.
  TkGlyphSource GlyphSource() const;
  int DropDownWidth() const { return FButtonStyle == fw::tbsDropDown ? kDropDownWidth : 0; }
  TkSpeedButtonLayout Layout();
  // The state of the arrow area: pressed while the menu is open or the button is down.
  int ArrowState() const;
  // The face of state into r at the offset, the border mask over or under caption and glyph.
  void PaintButtonFace(const TkBgRef& bg, const fw::TRect& r, int state, bool content);
  void PaintArrow(const TkBgRef& bg);
  void PaintParentBackground(const TkBgRef& bg);
  void PaintDivider(const TkBgRef& bg);
  void DropDown();
  // Marks the cache and repaints through the parent.
  void Refresh();
  // csOpaque while a skin serves the button.
  void UpdateOpaque();
  bool Pushed() const { return FState == fw::bsDown || FState == fw::bsExclusive; }

  fw::TAlignment FAlignment = fw::taCenter;
  fw::TAlignment FTextAlignment = fw::taCenter;
  int FBlend = 0;
  fw::TToolButtonStyle FButtonStyle = fw::tbsButton;
  fw::TPopupMenu* FDropdownMenu = nullptr;
  TkDisabledGlyphKind FDisabledGlyphKind{dgBlended};
  bool FGrayed = false;
  bool FShowCaption = true;
  bool FDrawOverBorder = true;
  int FTextOffset = 0;
  fw::Owned<TkAnimTimer> FAnimation;
  bool FMenuOpen = false;
  TkHintSaver FHints;
  // The values of the last paint: a change marks the cache.
  bool FPaintedDown = false;
  int FPaintedNumGlyphs = 1;
  int FPaintedSpacing = 4;
};

}  // namespace skin
