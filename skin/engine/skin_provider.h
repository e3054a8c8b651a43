// TkSkinProvider: the component on each form that makes the skin draw the whole form. At run
// time it takes over the form's window procedure (NewWndProc) and paints the non-client area
// (frame, title, app icon, caption buttons, caption text, menu line, grip) into the 24-bit
// cache of its SkinData, copies it to the window, cuts the frame's transparent corners out of
// the window region, answers the hit test and the mouse on the frame itself, and shows its own
// system menu. Without an active skin the form keeps its system look; destroying the provider
// puts the form's previous window procedure back.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "framework/core/component.h"
#include "framework/forms/custom_form.h"
#include "framework/msg/messages.h"
#include "framework/stdctrls/text_painter.h"
#include "skin/engine/common_data.h"
#include "skin/engine/system_menu.h"

namespace fw {
class TBitmap;
}

namespace skin {

class TkScrollBar;
class TkGrip;
class TkMDIForm;
class TkSkinProvider;

// The provider of the MDI form (set when its TkMDIForm is made), the provider of the MDI child
// being maximized, and whether a child is being made while another one is maximized.
extern TkSkinProvider* MDIParentProvider;
extern TkSkinProvider* MaximizedChildProvider;
extern bool PendingMaximize;

enum TkGripMode { gmNone, gmRightBottom };
enum TkResizeMode { rmStandard, rmBorder };
using TkBorderIcons = fw::TBorderIcons;

// Hit codes of the skin's own buttons.
constexpr int HTMDICLOSE = 101, HTMDIMAX = 102, HTMDIMIN = 103, HTTITLEBUTTON = 1000;

// The move/size frame of rmBorder, one at a time.
struct TkResizeTracking {
  bool Active = false;
  bool FirstMove = false;
  bool Moving = false;
  int Edge = 0;
  fw::TRect Frame;
  fw::TPoint Last;
  int MinWidth = 0;
  int MinHeight = 0;
};
extern TkResizeTracking ResizeTracking;

class TkSkinProvider : public fw::TComponent {
  FW_CLASS(TkSkinProvider, fw::TComponent)
 public:
  explicit TkSkinProvider(fw::TComponent* owner);
  void AfterConstruction() override;
  void Loaded() override;
  void Notification(fw::TComponent* component, fw::TOperation operation) override;

  // --- properties ---
  TkBorderIcons GetBorderIcons() const { return FBorderIcons; }
  void SetBorderIcons(TkBorderIcons v) { FBorderIcons = v; }
  fw::TAlignment GetCaptionAlignment() const { return FCaptionAlignment; }
  void SetCaptionAlignment(fw::TAlignment v);
  TkCommonData* GetSkinData() const { return FSkinData.get(); }
  const std::string& GetSkinSection() const { return FSkinData->GetSkinSection(); }
  void SetSkinSection(const std::string& v) { FSkinData->SetSkinSection(v); }
  TkGripMode GetGripMode() const { return FGripMode; }
  void SetGripMode(TkGripMode v) { FGripMode = v; }
  bool GetMakeSkinMenu() const { return FMakeSkinMenu; }
  void SetMakeSkinMenu(bool v) { FMakeSkinMenu = v; }
  const std::string& GetMenuLineSkin() const { return FMenuLineSkin; }
  void SetMenuLineSkin(const std::string& v) { FMenuLineSkin = v; }
  TkResizeMode GetResizeMode() const { return FResizeMode; }
  void SetResizeMode(TkResizeMode v) { FResizeMode = v; }
  bool GetScreenSnap() const { return FScreenSnap; }
  void SetScreenSnap(bool v) { FScreenSnap = v; }
  int GetSnapBuffer() const { return FSnapBuffer; }
  void SetSnapBuffer(int v) { FSnapBuffer = v; }
  bool GetShowAppIcon() const { return FShowAppIcon; }
  void SetShowAppIcon(bool v);
  TkTitleButtons* GetTitleButtons() const { return FTitleButtons.get(); }
  TkTitleIcon* GetTitleIcon() const { return FTitleIcon.get(); }
  const std::string& GetTitleSkin() const { return FTitleSkin; }
  void SetTitleSkin(const std::string& v);
  bool GetUseGlobalColor() const { return FUseGlobalColor; }
  void SetUseGlobalColor(bool v);

  fw::TCustomForm* GetForm() const { return FForm; }
  TkSystemMenu* GetSystemMenu() const { return FSystemMenu; }
  fw::TBorderIcons GetSavedBorderIcons() const { return FSavedBorderIcons; }
  TkCaptionButton& Button(int code);
  int GetHotButtonCode() const { return FHotButtonCode; }
  bool GetFormActive() const { return FFormActive; }
  const std::vector<fw::TRect>& GetRegionRects() const { return FRegionRects; }
  fw::TBitmap* GetButtonsBgBmp() const { return FButtonsBgBmp.get(); }
  TkScrollBar* GetVertBar() const { return FBars[1]; }
  TkScrollBar* GetHorzBar() const { return FBars[0]; }
  TkGrip* GetGrip() const { return FGrip; }

  // --- set-up ---
  void PrepareForm();
  // Makes (true) or frees (false) the skin of an MDI form's client.
  void SetMDIHelper(bool create);
  TkMDIForm* GetMDIForm() const { return FMDIForm.get(); }
  // Skin commands of a form being designed; there is no form designer, so nothing happens.
  void DesignTimeCommand(fw::TMessage&) {}

  // --- measures ---
  int CaptionHeight() const;
  int FrameOffset() const { return SysBorderHeight(); }
  int CaptionButtonHeight() const;
  int CaptionButtonWidth(const TkCaptionButton& button) const;
  int TitleReservedWidth(int maskIndex) const;
  int SystemButtonCount() const;
  int AppIconWidth() const;
  int AppIconHeight() const;
  static int IconSizeFor(int n);
  bool HasBorder() const;
  int SysBorderWidth() const;
  int SysBorderHeight() const;
  int NonClientWidth() const;
  int TopNonClientHeight() const;
  int ClientOffsetX() const;
  int ClientOffsetY() const;
  std::string TitleSectionName() const { return FTitleSkin.empty() ? "FORMTITLE" : FTitleSkin; }
  fw::TRect AppIconRect() const;
  bool AppIconVisible() const;
  int CaptionButtonsWidth() const;
  int TitleButtonWidth(const TkTitleButton* item) const;
  int DefaultMenuHeight() const;
  bool MenuPresent() const;
  int MenuLineRows();
  fw::TPoint GripImagePos() const;
  // The grip image is drawn and sizes the form: GripMode asks for it and the form can be resized
  // (it is not maximised).
  bool ShowsGrip() const;
  // An MDI form with a main menu whose active child is maximized.
  bool MDIChildMaximized() const;
  int MDIButtonWidth() const;
  int MDIButtonHeight() const;

  // --- painting ---
  void PaintAll();
  void PaintCaption(const fw::TRect& r);
  void PaintCaptionButtons();
  void PaintCaptionButton(int code);
  void SetHotButton(int code);
  void SetPressedButton(int code);
  void BlitNonClient(HDC dc);
  void PaintClientArea(HDC dc);
  void WMPaintForm(fw::TMessage& m);
  void PaintAppIcon();
  void RepaintMenuLineItem(fw::TMenuItem* item, const fw::TRect& r, fw::TOwnerDrawState state);
  // Hooks (or unhooks) the skin's menu painters on the form's menus: the menu bar, its popups
  // and every popup menu of the form.
  void SkinFormMenus(bool on);
  // The form gained components (menus among them) after the skin came: they are drawn by the
  // skin as those it had then.
  void ComponentsAdded() { SkinFormMenus(Skinned()); }
  void RefreshMainMenu();
  void UpdateCaptionButtonIndexes();
  void RepaintNonClient();
  void SaveTitleBackground();
  bool TestMouseLeave(fw::TPoint screen);
  // After a maximized child's state changed: the MDI form's menu line and client anew.
  void RefreshMDIParent();
  void StopRedraw(bool withParent);
  void ResumeRedraw(bool withParent);

  // --- geometry ---
  void UpdateFormRegion();
  bool CacheSizeChanged() const;
  fw::TPoint FormScreenOrigin() const;
  fw::TPoint ScreenToWindowPoint(int x, int y) const;
  void BeginFrameDrag(int x, int y);
  void DrawDragFrame(int x, int y);
  void EndFrameDrag();
  // The rmBorder frame moved by the cursor at p (screen) while tracking.
  void TrackFrameTo(fw::TPoint p);
  void UpdateFormScrollBars();
  int ChildrenExtent(bool vertical) const;
  void ScrollChildren(int dx, int dy);
  void ResetScroll(bool vertical);
  int ScrollOffset(bool vertical) const { return FScrollOffset[vertical ? 1 : 0]; }

  // --- window procedure ---
  void NewWndProc(fw::TMessage& m);
  int HitTest(fw::TMessage& m);
  int ButtonOrdinalAt(int x) const;
  void PopupSystemMenu(int x, int y);
  // Shows the system menu under the title icon, where a click on the icon shows it.
  void PopupSystemMenuAtIcon();
  // The position snapped to the edge when it ends within SnapBuffer of it.
  void SnapToEdge(int& position, int edge, int size) const;

 protected:
  ~TkSkinProvider() override;
  void BeforeDestruction() override;

 private:
  bool Designing() const { return GetComponentState().Contains(fw::csDesigning); }
  bool Skinned() const { return FSkinData->SkinIsActive(true); }
  bool FormShowing() const;
  bool Iconic() const;
  bool Maximized() const;
  bool IsMDIChild() const { return FForm && FForm->GetFormStyle() == fw::fsMDIChild; }
  bool IsMDIForm() const { return FForm && FForm->GetFormStyle() == fw::fsMDIForm; }
  // The MDI form's provider while it and its form stay, else null.
  TkSkinProvider* LiveParent() const;
  // The bar items of the menu line, the active MDI child's merged in by GroupIndex.
  std::vector<fw::TMenuItem*> MenuLineItems() const;
  int MenuLineItemWidth(fw::TMenuItem* item) const;
  void PaintMDIButtons();
  void MDIChildSysCommand(fw::TMessage& m);
  void MDIWindowMessage(fw::TMessage& m);
  void CallOld(fw::TMessage& m);
  void SkinCommand(fw::TMessage& m);
  void SkinArrived(fw::TMessage& m, bool repaint);
  // The form's system frame, caption buttons and plain shape, as without a skin.
  void GiveBackSystemFrame();
  void SkinRemoved(fw::TMessage& m);
  void CutTitleStrip();
  // Shapes the window to its frame when the shape no longer fits it.
  void UpdateRegionIfChanged();
  void NonClientPaint();
  void CollectRegionRects();
  void MouseMessage(fw::TMessage& m);
  void ButtonUp(fw::TMessage& m, int code);
  void SysCommand(fw::TMessage& m);
  int MaskIndex(const std::string& section, const std::string& property) const;
  int GlobalMask(const std::string& property) const;
  int ImageOf(int code) const;
  bool ButtonEnabled(int code) const;
  void PlaceCaptionButton(TkCaptionButton& button, int& x, int width);
  void PaintCaptionText(const fw::TRect& r, bool keepSize);
  void PaintMenuLine();
  // The child named by command 15 while it repaints itself alone, or null.
  fw::TControl* RepaintingChild() const;
  void PaintChild(HDC dc, fw::TControl* child);
  void ScrollChange(bool vertical, int oldPosition);
  void FreeBar(int index);

  fw::TCustomForm* FForm = nullptr;
  std::unique_ptr<TkCommonData> FSkinData;
  TkBorderIcons FBorderIcons{fw::biSystemMenu, fw::biMinimize, fw::biMaximize};
  fw::TAlignment FCaptionAlignment = fw::taLeftJustify;
  TkGripMode FGripMode = gmNone;
  bool FMakeSkinMenu = true;
  std::string FMenuLineSkin;
  TkResizeMode FResizeMode = rmStandard;
  bool FScreenSnap = false;
  int FSnapBuffer = 10;
  bool FShowAppIcon = true;
  std::unique_ptr<TkTitleButtons> FTitleButtons;
  std::unique_ptr<TkTitleIcon> FTitleIcon;
  std::string FTitleSkin;
  bool FUseGlobalColor = true;

  std::vector<fw::TRect> FRegionRects;
  bool FRegionChanged = true;
  // The window size the region was last made for: a move, a show or a change of order keeps it.
  fw::TPoint FRegionSize{-1, -1};
  bool FRegionUpdating = false;
  // Set while a non-client paint sets the window region: the frame paint that asks for is the
  // one under way.
  bool FRegionForPaint = false;
  bool FFormHadAutoScroll = false;
  int FHotButtonCode = 0;
  bool FPressed = false;
  std::unique_ptr<fw::TBitmap> FButtonsBgBmp;
  std::unique_ptr<fw::TBitmap> FMenuLineBmp;
  std::unique_ptr<fw::TBitmap> FTitleBgBmp;
  fw::TFormBorderStyle FSavedBorderStyle = fw::bsSizeable;
  fw::TBorderIcons FSavedBorderIcons;
  int FTitleButtonMask = -1;
  bool FBorderIconsPending = false;
  bool FMenuRefreshed = false;
  bool FNeedFullPaint = true;
  bool FFormActive = true;
  bool FPainting = false;
  bool FFirstPaintDone = false;
  // A child asked whether the form was updating while it was: it skipped its paint and waits
  // for the form's next one.
  bool FChildrenWaiting = false;
  bool FScrolling = false;
  TkCaptionButton FButtonMin, FButtonMax, FButtonClose, FButtonHelp, FMDIMin, FMDIMax, FMDIClose;
  fw::TWndMethodProc FOldWndProc;
  TkSystemMenu* FSystemMenu = nullptr;
  int FMenuLineRows = -1;
  TkScrollBar* FBars[2] = {nullptr, nullptr};  // horizontal, vertical
  int FScrollRange[2] = {0, 0};
  int FScrollOffset[2] = {0, 0};
  TkGrip* FGrip = nullptr;
  std::unique_ptr<TkMDIForm> FMDIForm;
};

// The provider behind a control's form (command 4): a control's Parent chain, then its Owner
// chain; a menu item's Owner chain. 0 when no form answers.
LRESULT SendCmdToParentForm(fw::TComponent* component);

}  // namespace skin
