// TPageControl/TTabSheet: a SysTabControl32 whose tabs show the visible sheets. Each sheet is a
// windowed container filling the tab control's display area; only the active one is shown.
// OnChanging may refuse a switch, OnChange follows it.
#pragma once
#include <functional>
#include <vector>

#include "framework/controls/win_control.h"
#include "framework/graphics/image_list.h"

namespace fw {

class TPageControl;

class TTabSheet : public TWinControl {
  FW_CLASS(TTabSheet, TWinControl)
 public:
  explicit TTabSheet(TComponent* owner);

  TPageControl* GetPageControl() const { return FPageControl; }
  void SetPageControl(TPageControl* control);
  int GetPageIndex() const;
  void SetPageIndex(int index);
  // The tab of the sheet among the visible tabs; -1 when the tab is hidden.
  int GetTabIndex() const;
  bool GetTabVisible() const { return FTabVisible; }
  void SetTabVisible(bool v);
  int GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(int v);
  void Dispatch(TMessage& msg) override;

 protected:
  ~TTabSheet() override;
  void CreateParams(TCreateParams& params) override;
  void FreeParentLinks() override;

 private:
  friend class TPageControl;
  TPageControl* FPageControl = nullptr;
  bool FTabVisible = true;
  int FImageIndex = -1;
};

using TTabChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;

enum TTabPosition { tpTop, tpBottom, tpLeft, tpRight };
enum TTabStyle { tsTabs, tsButtons, tsFlatButtons };
// An owner-drawn tab: its index among the visible tabs, its rectangle, whether it is selected.
using TDrawTabEvent = std::function<void(TObject* Control, int TabIndex, const TRect& Rect, bool Active)>;

class TPageControl : public TWinControl {
  FW_CLASS(TPageControl, TWinControl)
 public:
  explicit TPageControl(TComponent* owner);

  int GetPageCount() const { return static_cast<int>(FPages.size()); }
  TTabSheet* GetPages(int index) const { return FPages.at(index); }
  TTabSheet* GetActivePage() const { return FActivePage; }
  void SetActivePage(TTabSheet* page);
  int GetActivePageIndex() const;
  void SetActivePageIndex(int index);
  // The selected tab (-1 when none).
  int GetTabIndex() const;
  TCustomImageList* GetImages() const { return FImages; }
  void SetImages(TCustomImageList* images);
  // The area the sheets fill, in client coordinates.
  TRect GetDisplayRect();
  TTabSheet* FindNextPage(TTabSheet* current, bool goForward, bool checkTabVisible) const;
  // Where the tabs stand; a change makes the window anew.
  TTabPosition GetTabPosition() const { return FTabPosition; }
  void SetTabPosition(TTabPosition v);
  TTabStyle GetStyle() const { return FStyle; }
  void SetStyle(TTabStyle v);
  // Tabs in as many rows as they need (always so for tabs on the left or right).
  bool GetMultiLine() const { return FMultiLine; }
  void SetMultiLine(bool v);
  bool GetHotTrack() const { return FHotTrack; }
  void SetHotTrack(bool v);
  // The tabs are drawn by OnDrawTab.
  bool GetOwnerDraw() const { return FOwnerDraw; }
  void SetOwnerDraw(bool v);
  // The native rectangle of a visible tab (empty without a window or for a bad index).
  TRect TabRect(int tabIndex);
  // The number of tab rows the native control shows.
  int RowCount();
  // The visible tab under the client point, or -1.
  int IndexOfTabAt(int x, int y);
  void SelectNextPage(bool goForward);

  void AdjustClientRect(TRect& rect) override;
  void Dispatch(TMessage& msg) override;

  TNotifyEvent OnChange;
  TTabChangingEvent OnChanging;
  TDrawTabEvent OnDrawTab;

 protected:
  ~TPageControl() override;
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void Notification(TComponent* component, TOperation operation) override;
  virtual bool CanChange();
  virtual void Change();
  // Runs whenever the active page changed: shows it and hides the others.
  virtual void UpdateActivePage();
  virtual void DrawTab(int tabIndex, const TRect& rect, bool active);

 private:
  friend class TTabSheet;
  void InsertPage(TTabSheet* page);
  void RemovePage(TTabSheet* page);
  // Rebuilds the native tabs from the visible sheets and selects the active one.
  void UpdateTabs();
  void ShowActivePage();
  TTabSheet* PageOfTab(int tab) const;

  std::vector<TTabSheet*> FPages;
  TTabSheet* FActivePage = nullptr;
  TCustomImageList* FImages = nullptr;
  TTabPosition FTabPosition = tpTop;
  TTabStyle FStyle = tsTabs;
  bool FMultiLine = false;
  bool FHotTrack = false;
  bool FOwnerDraw = false;
};

}  // namespace fw
