// TkTreeView: the skinned tree view ("EDIT"). While a skin is active its native border is off,
// its frame is painted from the cache in the non-client area, and two skinned scroll bars,
// siblings laid over the native ones, are made when the tree needs them and kept in step in
// both directions (they scroll it through WM_VSCROLL/WM_HSCROLL). The bars go when the skin
// goes or the control is smaller than 16 x 16; removing the skin brings back the border style
// it had after construction, nodes and all.
#pragma once
#include <memory>

#include "framework/comctrls/tree_view.h"
#include "skin/controls/bound_label.h"
#include "skin/controls/skinned_control.h"

namespace skin {

class TkScrollBar;

// A native scroll range (nMin, nMax, nPage) that overflows its page and so needs a skinned bar;
// a range that exactly fits its page needs none.
bool TreeBarNeeded(int min, int max, unsigned page);

class TkTreeView : public TkSkinned<fw::TTreeView> {
  FW_CLASS(TkTreeView, fw::TTreeView)
 public:
  explicit TkTreeView(fw::TComponent* owner);
  void AfterConstruction() override;

  TkBoundLabel* GetBoundLabel() const { return FBoundLabel.get(); }
  // The skinned bars, null while not needed.
  TkScrollBar* GetVertBar() const { return FVertBar; }
  TkScrollBar* GetHorzBar() const { return FHorzBar; }
  // Makes, feeds, places or frees the bars after the native scroll state.
  void UpdateScrolls();

  void WndProc(fw::TMessage& m) override;
  void Dispatch(fw::TMessage& m) override;

 protected:
  ~TkTreeView() override;
  void Loaded() override;
  void Notification(fw::TComponent* component, fw::TOperation operation) override;
  void OwnSkinCommand(int command) override;
  bool SkinnedMessage(fw::TMessage& m) override;
  // Unfocused, the system shows the selected node on the button face in the tree's text colour,
  // which a dark skin makes light: under a skin that node takes the button text colour.
  bool WantsCustomDraw() const override { return GetSkinData()->SkinIsActive(); }
  bool CustomDrawItem(fw::TTreeNode* node, UINT itemState, COLORREF& textColor) override;

 private:
  void PlaceScrollBars(bool showVert, bool showHorz);
  TkScrollBar* MakeBar(bool vertical);
  void FreeBars();
  // The frame strips (and the corner between the bars) from the cache onto the window.
  void PaintFrame();

  TkScrollBar* FVertBar = nullptr;
  TkScrollBar* FHorzBar = nullptr;
  fw::TFormBorderStyle FSavedBorderStyle = fw::bsSingle;
  // Set while the bars are fed from the tree, so that they do not scroll it back.
  bool FSyncing = false;
  std::unique_ptr<TkBoundLabel> FBoundLabel;
};

}  // namespace skin
