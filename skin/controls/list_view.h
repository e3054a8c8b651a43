// TkCustomListView / TkListView: the skinned list view. While skinned, the list's background is
// copied from the control's cache in the custom-draw pre-paint (the native text and background
// colours set to none), its 2-pixel frame comes from the same cache on non-client paint, the
// native header is subclassed and painted section by section from "COLHEADER" ("BUTTON" when the
// skin lacks it) with hot and pressed looks, and two skinned bars lie over the native ones as
// siblings in the parent, kept in step both ways. Without an active skin it is the framework's
// list view.
#pragma once
#include <memory>

#include "framework/comctrls/list_view.h"
#include "skin/controls/bound_label.h"
#include "skin/controls/list_check_glyphs.h"
#include "skin/engine/common_data.h"
#include "skin/engine/scroll_bar.h"

namespace skin {

// What a skinned bar shows for the native bar's scroll information.
struct TkListBarSettings {
  bool Shown = false;  // the range is not empty
  int Min = 0, Max = 1, PageSize = 1, Position = 0, SmallChange = 1, LargeChange = 1;
};
// The settings of the vertical bar (a small step of nine rows) or the horizontal one (a small
// step of Max div 23 + 1); an empty range gives a hidden bar with Max 1, PageSize 1.
TkListBarSettings ListBarSettings(const SCROLLINFO& info, bool vertical);

// The engine's start-up caches the two scroll-bar measures the list views use: the vertical
// bar's width and the horizontal bar's height.
void CacheListViewMetrics();

class TkCustomListView : public fw::TCustomListView {
  FW_CLASS(TkCustomListView, fw::TCustomListView)
 public:
  explicit TkCustomListView(fw::TComponent* owner);
  void AfterConstruction() override;

  TkCommonData* GetSkinData() const { return FSkinData.get(); }
  TkBoundLabel* GetBoundLabel() const { return FBoundLabel.get(); }
  bool GetHighlightHeaders() const { return FHighlightHeaders; }
  void SetHighlightHeaders(bool value) { FHighlightHeaders = value; }
  TkIntScrollBar* GetVertBar() const { return FVertBar; }
  TkIntScrollBar* GetHorzBar() const { return FHorzBar; }
  // The subclassed header window (null while none is hooked).
  HWND GetHeaderHandle() const { return FHeader; }
  // The header section under a left-button press (-1 none) and under the mouse (-2 none).
  int GetPressedSection() const { return FPressedSection; }
  int GetHotSection() const { return FHotSection; }

  // Mirrors the native scroll state into the two skinned bars.
  void UpdateScrolls();
  void PlaceScrollBars(bool showVert, bool showHorz);

  void WndProc(fw::TMessage& m) override;
  void Dispatch(fw::TMessage& m) override;

 protected:
  ~TkCustomListView() override;
  void BeforeDestruction() override;
  void Loaded() override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void Notification(fw::TComponent* component, fw::TOperation operation) override;

 private:
  bool SkinActive() const { return FSkinData->SkinIsActive(); }
  bool Destroying() const { return GetComponentState().Contains(fw::csDestroying); }
  void ApplySkinColours();
  void Arrange();
  // The control answers command 19, or shows its parent's background.
  bool NeedsOwnBackground();
  // The list's Color from its answer to command 21.
  void TakeQueriedColour();
  void InvalidateIfTransparent(bool force);
  void PrepareCache();
  void HideBars();
  void SkinnedAdvancedCustomDraw(const fw::TRect& rect, fw::TCustomDrawStage stage, bool& defaultDraw);
  void ExcludeItemsFromClip(HDC dc);
  void PaintFrame();
  void AfterMessage(const fw::TMessage& m);
  void FollowWithLabel(const fw::TMessage& m);
  void VertBarChange(int previous);
  void HorzBarChange(int previous);
  int ItemZeroExtent(bool height);

  // The header subclass.
  static LRESULT CALLBACK HeaderProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
  void HookHeader(HWND header);
  void UnhookHeader();
  LRESULT CallHeader(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT HeaderWndProc(UINT msg, WPARAM wParam, LPARAM lParam);
  // From the header's WM_PAINT (painting) or on its window DC.
  void PaintHeader(bool painting);
  void PaintHeaderSection(HDC dc, const fw::TRect& r, int index);
  fw::TRect GetHeaderSectionRect(int index);
  int HeaderSectionAt(fw::TPoint screenPoint);
  int HeaderCount() const;

  HWND FHeader = nullptr;
  WNDPROC FOldHeaderProc = nullptr;
  int FPressedSection = -1;
  std::unique_ptr<TkCommonData> FSkinData;
  int FHotSection = -2;
  std::unique_ptr<TkBoundLabel> FBoundLabel;
  bool FHighlightHeaders = true;
  fw::TLVAdvancedCustomDrawEvent FSavedCustomDraw;
  bool FItemsClip = false;
  bool FSyncing = false;
  TkIntScrollBar* FVertBar = nullptr;
  TkIntScrollBar* FHorzBar = nullptr;
  bool FLoading = true;
  // Rows go into the window while its redraw is off: the bars follow when it comes back on.
  bool FRedrawOff = false;
  TkListCheckGlyphs FCheckGlyphs;
  // Cleared when the control goes, for handlers that let messages through.
  std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};

class TkListView : public TkCustomListView {
  FW_CLASS(TkListView, TkCustomListView)
 public:
  using TkCustomListView::TkCustomListView;

 protected:
  ~TkListView() override = default;
};

}  // namespace skin
