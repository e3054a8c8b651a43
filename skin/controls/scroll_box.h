// TkScrollBox: the skinned scrolling container. It keeps the framework's scrolling model (the
// native bars' Range, Position, Increment, Margin and Tracking) but, while a skin is active,
// hides the native bars once and lays two skinned scroll bars over their places, as siblings in
// the parent, each made only when needed. The bars scroll the content by ScrollWindowEx (graphic
// children moved by hand), between OnBeforeScroll and OnAfterScroll. Face and border strips
// come from the cache ("PANEL_LOW" unless set); a focused child is scrolled into view through
// the bars; removing the skin frees them and gives the native bars back.
#pragma once
#include <functional>

#include "framework/controls/control_canvas.h"
#include "framework/controls/scrolling_win_control.h"
#include "skin/controls/skinned_control.h"
#include "skin/engine/scroll_bar.h"

namespace skin {

using TkPaintEvent = std::function<void(fw::TBitmap* ControlBmp)>;

// What one skinned bar of a scroll box shows and where (Bounds in the parent's coordinates).
struct TkBarInfo {
  bool Visible = false;
  int Max = 0;
  int Range = 0;
  int Page = 0;
  fw::TRect Bounds;
};

class TkScrollBox : public TkSkinnedWinControl<fw::TScrollingWinControl> {
  FW_CLASS(TkScrollBox, fw::TScrollingWinControl)
 public:
  explicit TkScrollBox(fw::TComponent* owner);

  fw::TBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(fw::TBorderStyle value);
  // 2 for bsSingle, else 0.
  int BorderSize() const { return FBorderStyle == fw::bsSingle ? 2 : 0; }
  bool GetFullRepaint() const { return FFullRepaint; }
  void SetFullRepaint(bool value) { FFullRepaint = value; }
  fw::TControlCanvas* GetCanvas() const { return FCanvas.get(); }
  // The skinned bars, null until needed.
  TkScrollBar* GetVertSkinBar() const { return FVertBar; }
  TkScrollBar* GetHorzSkinBar() const { return FHorzBar; }
  bool GetScrolling() const { return FScrolling; }

  TkBarInfo GetVertBarInfo();
  TkBarInfo GetHorzBarInfo();
  // Makes, feeds and places the skinned bars the content needs and hides the others.
  virtual void UpdateSkinScrollBars();
  // The scroll-in-view rule applied to the skinned bars.
  void SkinScrollInView(fw::TControl* control);

  fw::TRect GetClientRect() const override;
  void AdjustClientRect(fw::TRect& rect) override;
  void SetParent(fw::TWinControl* parent) override;
  void WndProc(fw::TMessage& m) override;

  TkPaintEvent OnPaint;
  fw::TNotifyEvent OnBeforeScroll;
  fw::TNotifyEvent OnAfterScroll;

 protected:
  ~TkScrollBox() override;
  void Loaded() override;
  void CreateParams(fw::TCreateParams& params) override;
  bool PassesSkinCommands() const override { return true; }
  void OwnSkinCommand(int command) override;
  bool SkinnedMessage(fw::TMessage& m) override;
  void CachePainted() override;
  void HideNativeScrollBars();
  void HideSkinScrollBar(fw::TScrollBarKind kind);
  // The face painted anew when the background changed, then OnPaint and the bars repainted.
  void UpdateCache();

 private:
  bool Designing() const { return GetComponentState().Contains(fw::csDesigning); }
  bool SkinActive() const;
  void InitSkin();
  TkScrollBar* MakeBar(fw::TScrollBarKind kind);
  void PlaceBar(TkScrollBar* bar, const TkBarInfo& info, int lessLength, fw::TControlScrollBar* own);
  void ScrollChanged(fw::TScrollBarKind kind, int oldPosition);
  void PaintSkinned(fw::TMessage& m);
  // The four border strips (and the corner square between two bars) from the cache onto dc.
  void PaintBorderStrips(HDC dc);
  void ScrollMessage(fw::TMessage& m);

  fw::TBorderStyle FBorderStyle = fw::bsSingle;
  bool FFullRepaint = false;
  std::unique_ptr<fw::TControlCanvas> FCanvas;
  int FSavedVertPos = 0;
  int FSavedHorzPos = 0;
  bool FSavedVertVisible = false;
  bool FSavedHorzVisible = false;
  TkScrollBar* FVertBar = nullptr;
  TkScrollBar* FHorzBar = nullptr;
  bool FSkinInitialised = false;
  bool FNativeHidden = false;
  bool FScrolling = false;
};

}  // namespace skin
