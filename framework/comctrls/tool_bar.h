// TToolBar/TToolButton: a ToolbarWindow32 whose native buttons mirror the TToolButton objects
// (image, caption, style, state). The buttons have no windows and are not children of the bar's
// control list, so the mouse stays with the native bar; clicks come back as WM_COMMAND ids.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/comctrls/custom_draw.h"
#include "framework/controls/control.h"
#include "framework/controls/control_canvas.h"
#include "framework/controls/win_control.h"
#include "framework/graphics/image_list.h"

namespace fw {

class TToolBar;
class TPopupMenu;

enum TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider, tbsTextButton };

// Posted to the bar when a drop-down menu of one of its buttons has closed.
constexpr UINT WM_TOOLBAR_DROPDOWN_CLOSED = WM_USER + 0x1000;

class TToolButton : public TControl {
  FW_CLASS(TToolButton, TControl)
 public:
  explicit TToolButton(TComponent* owner);

  TToolBar* GetToolBar() const { return FToolBar; }
  void SetToolBar(TToolBar* bar);
  int GetIndex() const;
  TToolButtonStyle GetStyle() const { return FStyle; }
  void SetStyle(TToolButtonStyle v);
  int GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(int v);
  bool GetDown() const;
  void SetDown(bool v);
  void SetEnabled(bool v) override;
  void SetVisible(bool v) override;
  void SetText(const std::string& s) override;
  TPopupMenu* GetDropdownMenu() const { return FDropdownMenu; }
  void SetDropdownMenu(TPopupMenu* menu);
  // The button's rectangle in the bar (TB_GETITEMRECT).
  TRect GetItemRect() const;
  int GetCommand() const { return FCommand; }

 protected:
  ~TToolButton() override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  friend class TToolBar;
  TToolBar* FToolBar = nullptr;
  TToolButtonStyle FStyle = tbsButton;
  int FImageIndex = -1;
  bool FDown = false;
  int FCommand;
  TPopupMenu* FDropdownMenu = nullptr;
};

// What the native bar leaves out of a custom-drawn button.
enum TTBCustomDrawFlag { tbNoEdges, tbHiliteHotTrack, tbNoOffset, tbNoMark, tbNoEtchedEffect };
using TTBCustomDrawFlags = TSet<TTBCustomDrawFlag>;
// The sides that carry an edge, and the edge's look.
enum TEdgeBorder { ebLeft, ebTop, ebRight, ebBottom };
using TEdgeBorders = TSet<TEdgeBorder>;
enum TEdgeStyle { esNone, esRaised, esLowered };

using TTBAdvancedCustomDrawEvent =
    std::function<void(TToolBar* Sender, const TRect& ARect, TCustomDrawStage Stage, bool& DefaultDraw)>;
using TTBAdvancedCustomDrawBtnEvent =
    std::function<void(TToolBar* Sender, TToolButton* Button, TCustomDrawState State, TCustomDrawStage Stage,
                       TTBCustomDrawFlags& Flags, bool& DefaultDraw)>;

class TToolBar : public TWinControl {
  FW_CLASS(TToolBar, TWinControl)
 public:
  explicit TToolBar(TComponent* owner);

  int GetButtonCount() const { return static_cast<int>(FButtons.size()); }
  TToolButton* GetButtons(int index) const { return FButtons.at(index); }
  TCustomImageList* GetImages() const { return FImages; }
  void SetImages(TCustomImageList* images);
  TCustomImageList* GetHotImages() const { return FHotImages; }
  void SetHotImages(TCustomImageList* images);
  bool GetFlat() const { return FFlat; }
  void SetFlat(bool v);
  bool GetList() const { return FList; }
  void SetList(bool v);
  bool GetShowCaptions() const { return FShowCaptions; }
  void SetShowCaptions(bool v);
  int GetButtonWidth() const { return FButtonWidth; }
  void SetButtonWidth(int v);
  int GetButtonHeight() const { return FButtonHeight; }
  void SetButtonHeight(int v);
  // Sends every button again (after a change of any of them).
  void UpdateButtons();
  // The edges drawn in the frame around the buttons (each side one pixel per style not esNone).
  TEdgeBorders GetEdgeBorders() const { return FEdgeBorders; }
  void SetEdgeBorders(TEdgeBorders v);
  TEdgeStyle GetEdgeInner() const { return FEdgeInner; }
  void SetEdgeInner(TEdgeStyle v);
  TEdgeStyle GetEdgeOuter() const { return FEdgeOuter; }
  void SetEdgeOuter(TEdgeStyle v);
  // The width of the edge frame on a side.
  int EdgeWidth(TEdgeBorder side) const;
  // The canvas the custom-draw events paint on (the native bar's DC while they run).
  TCanvas* GetCanvas() const { return FCanvas.get(); }

  // Asked for the bar and for each button while the native bar paints (NM_CUSTOMDRAW).
  TTBAdvancedCustomDrawEvent OnAdvancedCustomDraw;
  TTBAdvancedCustomDrawBtnEvent OnAdvancedCustomDrawButton;

  void Dispatch(TMessage& msg) override;

 protected:
  ~TToolBar() override;
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  friend class TToolButton;
  TToolButton* ButtonOf(int command) const;
  // The visible button at a client point, or null.
  TToolButton* ButtonAt(TPoint p) const;
  // NM_CUSTOMDRAW: the events for the bar and its buttons; the answer to the native bar.
  LRESULT CustomDraw(NMTBCUSTOMDRAW* draw);
  void EdgesChanged();
  void PaintEdges();

  std::vector<TToolButton*> FButtons;
  TToolButton* FHintButton = nullptr;  // the button under the mouse, whose hint shows
  TCustomImageList* FImages = nullptr;
  TCustomImageList* FHotImages = nullptr;
  bool FFlat = false;
  bool FList = false;
  bool FShowCaptions = false;
  int FButtonWidth = 23;
  int FButtonHeight = 22;
  TEdgeBorders FEdgeBorders{ebLeft, ebTop, ebRight, ebBottom};
  TEdgeStyle FEdgeInner = esNone;
  TEdgeStyle FEdgeOuter = esNone;
  std::unique_ptr<TControlCanvas> FCanvas;
};

}  // namespace fw
