// TkPageControl and TkTabSheet: the skinned page control. The native tab control keeps its
// behaviour (pages, tab positions, styles, rows, hot tracking, scrolling) and lays out the tabs;
// the control paints its tab strip and page area into its cache from the skin: every tab from the
// tab section of its position ("TABTOP" ...; "BUTTON"/"TOOLBUTTON" or the page's ButtonSkin for
// button styles) in its state (normal, hot, active), the page area from SkinSection followed by
// "BOTTOM", "LEFT" or "RIGHT" for those positions. The active tab is larger and painted straight
// to the screen over the copied cache; side tabs write their captions rotated. Hovered tabs are
// repainted one by one. Single-line tabs on top or bottom that do not fit scroll with a skinned
// TkUpDown in place of the native arrows. Each sheet shows the part of the cache under it.
#pragma once
#include <memory>
#include <string>

#include "framework/comctrls/page_control.h"
#include "skin/controls/up_down.h"
#include "skin/engine/common_data.h"
#include "skin/engine/fade_animation.h"

namespace skin {

class TkPageControl;

// Settings kept per page; nothing paints from them.
class TkTabSkinData : public fw::TPersistent {
 public:
  bool GetCustomColor() const { return FCustomColor; }
  void SetCustomColor(bool value) { FCustomColor = value; }
  bool GetCustomFont() const { return FCustomFont; }
  void SetCustomFont(bool value) { FCustomFont = value; }
  const std::string& GetSkinSection() const { return FSkinSection; }
  void SetSkinSection(const std::string& value) { FSkinSection = value; }

 private:
  bool FCustomColor = false;
  bool FCustomFont = false;
  std::string FSkinSection;
};

class TkTabSheet : public fw::TTabSheet {
  FW_CLASS(TkTabSheet, fw::TTabSheet)
 public:
  explicit TkTabSheet(fw::TComponent* owner);

  TkTabSkinData* GetSkinData() const { return FSkinData.get(); }
  // The section of this page's tab in the button styles; empty: the style's own.
  const std::string& GetButtonSkin() const { return FButtonSkin; }
  void SetButtonSkin(const std::string& value);

  void WndProc(fw::TMessage& m) override;

 protected:
  ~TkTabSheet() override = default;

 private:
  TkPageControl* SkinnedControl() const;
  void Paint(HDC dc);

  std::unique_ptr<TkTabSkinData> FSkinData;
  std::string FButtonSkin;
};

// The rectangle functions, from what the native control answers.
// The tab rectangle painted for a native tab rectangle (tabs style): the active tab larger, the
// others reaching 3 pixels towards the page and 1 pixel narrower.
fw::TRect SkinTabRectOf(fw::TRect native, fw::TTabPosition position, bool active);
// The strip and the page area of a control of the size, from the display rectangle.
fw::TRect TabsRectOf(int width, int height, const fw::TRect& display, fw::TTabPosition position);
fw::TRect PageRectOf(int width, int height, const fw::TRect& display, fw::TTabPosition position);
// The row of a tab, counted from the strip's outer edge; 1 with fewer than 2 rows or for an
// empty tab rectangle.
int TabRowOf(const fw::TRect& tab, const fw::TRect& tabs, int rows, fw::TTabPosition position);

class TkPageControl : public fw::TPageControl {
  FW_CLASS(TkPageControl, fw::TPageControl)
 public:
  // The tab states.
  enum { tsNormal = 0, tsHot = 1, tsActive = 2 };

  explicit TkPageControl(fw::TComponent* owner);
  void AfterConstruction() override;

  TkCommonData* GetSkinData() const { return FSkinData.get(); }
  TkAnimatEvents GetAnimatEvents() const { return FAnimatEvents; }
  void SetAnimatEvents(TkAnimatEvents value) { FAnimatEvents = value; }
  TkTabSheet* GetActivePage() const { return dynamic_cast<TkTabSheet*>(fw::TPageControl::GetActivePage()); }

  fw::TRect SkinTabRect(int tabIndex, bool active);
  fw::TRect TabsRect();
  fw::TRect PageRect();
  int TabRow(int tabIndex);
  // The page whose painted tab holds the client point, or -1.
  int TabAtPos(fw::TPoint p);
  // Visible pages whose tabs lie (partly) beyond the strip's free width, or left of it.
  int HiddenTabCount();
  int VisibleTabCount() const;
  // The page of the hot tab, or -1.
  int HotTab() const { return FHotTab; }
  // The skinned tab scroller, or null.
  TkUpDown* TabScroller() const { return FScroller; }
  // The section the page area was last painted from.
  const std::string& PageSection() const { return FPageSection; }
  // The tab of the page into target, its rectangle moved by offset.
  void PaintTab(int pageIndex, int state, fw::TPoint offset, fw::TBitmap* target);

  void WndProc(fw::TMessage& m) override;

 protected:
  ~TkPageControl() override;
  void Loaded() override;
  void UpdateActivePage() override;

 private:
  bool SkinActive() const;
  bool Designing() const;
  bool Loading() const;
  void FullPaint();
  void PaintTabsRow(const TkBgRef& bg);
  void PaintTabToDC(int pageIndex, int state, HDC dc);
  void RepaintTab(int pageIndex, int state);
  void PaintSideCaption(fw::TCanvas* canvas, fw::TTabSheet* page, fw::TRect r, int state, int skinIndex);
  // The hot tab under the client point (or none): old and new tabs repainted.
  void TrackHot(fw::TMessage& m);
  void ClearHot();
  void UpdateTabScroller();
  void CreateTabScroller();
  void PlaceTabScroller();
  void ShapeTabScroller(bool redraw);
  void FreeTabScroller();
  // Section and mask of a page's tab for its position and style.
  void TabSection(fw::TTabSheet* page, std::string& section, int& skinIndex, int& maskIndex);

  std::unique_ptr<TkCommonData> FSkinData;
  TkAnimatEvents FAnimatEvents{aeGlobalDef};
  std::string FPageSection;
  TkUpDown* FScroller = nullptr;
  int FPaintedTabCount = 0;
  int FHotTab = -1;
  bool FStripRepaint = false;
  bool FNativeScrollerGone = false;
  // Set false when the control goes: a message pump run from its own handler tells by it.
  std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};

}  // namespace skin
