// TControl: the base of every visual component, windowed or not. Messages reach a control
// through its replaceable WindowProc (default: WndProc), then Dispatch and DefaultHandler.
#pragma once
#include <functional>
#include <memory>
#include <string>

#include "framework/core/component.h"
#include "framework/core/events.h"
#include "framework/graphics/colors.h"
#include "framework/graphics/font.h"
#include "framework/graphics/geometry.h"
#include "framework/msg/messages.h"

namespace fw {

class TWinControl;
class TPopupMenu;

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
using TBorderStyle = TFormBorderStyle;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TAnchorKind { akLeft, akTop, akRight, akBottom };
using TAnchors = TSet<TAnchorKind>;

enum TControlStyleFlag {
  csAcceptsControls,
  csCaptureMouse,
  csClickEvents,
  csOpaque,
  csDoubleClicks,
  csSetCaption,
  csFramed,
  csParentBackground,
  csNoDesignVisible,
};
using TControlStyle = TSet<TControlStyleFlag>;

enum TControlStateFlag {
  csCreating,       // inside CreateWnd
  csReadingState,   // created inside a loading scope, until Loaded
  csLButtonDown,    // the left button went down on the control and is not up yet
  csClicked,        // a click is pending (left button down with csClickEvents)
  csCustomPaint,
  csFocusing,
  csPaintCopy,
  csAlignmentNeeded,
};
using TControlState = TSet<TControlStateFlag>;

// Reading order and alignment of a control's text and scroll bars.
enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };

using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crDrag = -12;
constexpr TCursor crNoDrop = -13;
constexpr TCursor crHSplit = -14;
constexpr TCursor crVSplit = -15;
constexpr TCursor crMultiDrag = -16;
constexpr TCursor crSQLWait = -17;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;

using TContextPopupEvent = std::function<void(TObject* Sender, TPoint MousePos, bool& Handled)>;
using TWndMethodProc = std::function<void(TMessage&)>;

// Minimum and maximum sizes; 0 means "no limit".
struct TSizeConstraints {
  int MinWidth = 0;
  int MinHeight = 0;
  int MaxWidth = 0;
  int MaxHeight = 0;
};

// Shift state from the current keyboard state (GetKeyState) plus the MK_* mouse flags.
TShiftState KeysToShiftState(WORD keys);
TShiftState KeyDataToShiftState(LPARAM keyData);

class TControl : public TComponent {
  FW_CLASS(TControl, TComponent)
 public:
  explicit TControl(TComponent* owner);

  // --- messages ---
  const TWndMethodProc& GetWindowProc() const { return FWindowProc; }
  // Installs a new window procedure; whoever replaces it saves the old one, calls it for the
  // messages it does not take, and puts it back when done (last replaced, first restored).
  void SetWindowProc(TWndMethodProc proc) { FWindowProc = std::move(proc); }
  // Synchronous, same-thread call through WindowProc; not SendMessage.
  LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
  // The caller reads back LParam/Result from the record.
  LRESULT Perform(TMessage& msg);
  virtual void WndProc(TMessage& msg);
  virtual void Dispatch(TMessage& msg);
  virtual void DefaultHandler(TMessage& msg);

  // --- geometry ---
  int GetLeft() const { return FLeft; }
  int GetTop() const { return FTop; }
  int GetWidth() const { return FWidth; }
  int GetHeight() const { return FHeight; }
  void SetLeft(int v) { SetBounds(v, FTop, FWidth, FHeight); }
  void SetTop(int v) { SetBounds(FLeft, v, FWidth, FHeight); }
  void SetWidth(int v) { SetBounds(FLeft, FTop, v, FHeight); }
  void SetHeight(int v) { SetBounds(FLeft, FTop, FWidth, v); }
  virtual void SetBounds(int left, int top, int width, int height);
  TRect GetBoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
  void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
  virtual TRect GetClientRect() const;
  int GetClientWidth() const { return GetClientRect().Width(); }
  int GetClientHeight() const { return GetClientRect().Height(); }
  virtual void SetClientWidth(int v);
  virtual void SetClientHeight(int v);
  // Screen position of the client area's top-left corner.
  virtual TPoint GetClientOrigin() const;
  TPoint ClientToScreen(TPoint p) const;
  TPoint ScreenToClient(TPoint p) const;
  TAlign GetAlign() const { return FAlign; }
  void SetAlign(TAlign align);
  TAnchors GetAnchors() const { return FAnchors; }
  void SetAnchors(TAnchors anchors);
  TSizeConstraints& GetConstraints() { return FConstraints; }
  void SetConstraints(const TSizeConstraints& c);
  bool GetAutoSize() const { return FAutoSize; }
  virtual void SetAutoSize(bool v);
  virtual bool CanAutoSize(int& newWidth, int& newHeight);
  void AdjustSize();

  // --- state ---
  TWinControl* GetParent() const { return FParent; }
  virtual void SetParent(TWinControl* parent);
  bool GetVisible() const { return FVisible; }
  virtual void SetVisible(bool v);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible and every parent visible; a form counts itself.
  virtual bool IsShowing() const;
  bool GetEnabled() const { return FEnabled; }
  virtual void SetEnabled(bool v);
  std::string GetCaption() const { return GetText(); }
  void SetCaption(const std::string& s) { SetText(s); }
  virtual std::string GetText() const { return FText; }
  virtual void SetText(const std::string& s);
  TColor GetColor() const { return FColor; }
  void SetColor(TColor c);
  bool GetParentColor() const { return FParentColor; }
  void SetParentColor(bool v);
  TFont* GetFont() const { return FFont.get(); }
  void SetFont(const TFont* font) { FFont->Assign(font); }
  bool GetParentFont() const { return FParentFont; }
  void SetParentFont(bool v);
  const std::string& GetHint() const { return FHint; }
  void SetHint(const std::string& s) { FHint = s; }
  bool GetShowHint() const { return FShowHint; }
  void SetShowHint(bool v);
  bool GetParentShowHint() const { return FParentShowHint; }
  void SetParentShowHint(bool v);
  TPopupMenu* GetPopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TPopupMenu* menu);
  TCursor GetCursor() const { return FCursor; }
  void SetCursor(TCursor c) { FCursor = c; }
  int GetHelpContext() const { return FHelpContext; }
  void SetHelpContext(int v) { FHelpContext = v; }
  TControlStyle GetControlStyle() const { return FControlStyle; }
  void SetControlStyle(TControlStyle s) { FControlStyle = s; }
  TControlState GetControlState() const { return FControlState; }
  void SetControlState(TControlState s) { FControlState = s; }

  // --- painting ---
  virtual void Invalidate();
  virtual void Repaint();
  virtual void Update();
  void Refresh() { Repaint(); }
  void BringToFront();
  void SendToBack();

  // --- mouse ---
  // For a windowless control the parent holds the capture and routes the mouse here.
  bool GetMouseCapture() const;
  void SetMouseCapture(bool v);
  virtual void Click();
  virtual void DblClick();
  void Changed() { Perform(CM_CHANGED, 0, reinterpret_cast<LPARAM>(this)); }

  // Right to left: the mode is kept and followed from the parent; the controls that read it
  // (the skinned scroll bar, the form skinner's bars) mirror themselves.
  TBiDiMode GetBiDiMode() const { return FBiDiMode; }
  void SetBiDiMode(TBiDiMode v);
  bool GetParentBiDiMode() const { return FParentBiDiMode; }
  void SetParentBiDiMode(bool v);
  bool UseRightToLeftAlignment() const { return FBiDiMode == bdRightToLeft; }
  bool UseRightToLeftReading() const { return FBiDiMode != bdLeftToRight; }
  bool UseRightToLeftScrollBar() const { return FBiDiMode == bdRightToLeft || FBiDiMode == bdRightToLeftNoAlign; }
  int DrawTextBiDiModeFlags(int flags) const { return flags; }
  bool Dragging() const { return false; }
  void BeginDrag(bool, int = -1) {}
  virtual void ActionChange(TObject*, bool) {}

  // The form (or frame-less top control) this control sits on; null if not parented to one.
  TWinControl* GetTopParent() const;

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;
  TNotifyEvent OnResize;
  TContextPopupEvent OnContextPopup;

 protected:
  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;
  void FreeParentLinks() override;

  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  virtual void Resize();
  virtual void DoContextPopup(TPoint mousePos, bool& handled);
  // Asks the parent to realign when this control is aligned or anchored.
  void RequestAlign();
  // Remembers the distances to the parent's right and bottom edges for anchoring.
  void UpdateAnchorRules();
  virtual void VisibleChanging() {}
  // Called when the colour or font come from the parent.
  virtual void ColorChanged() { Invalidate(); }
  virtual void FontChanged() { Invalidate(); }
  // Runs the layout bracket around create: this component is loading while it runs, its
  // children load in a nested scope, and Loaded runs on this one last (unless an enclosing
  // scope is already loading it).
  void RunLayout(const std::function<void()>& create);

  // Stores new bounds without moving a window (used by windowed controls to resynchronise);
  // true when the size changed.
  bool StoreBounds(int left, int top, int width, int height);
  void ApplyConstraints(int& width, int& height) const;

  TWinControl* FParent = nullptr;
  int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
  std::string FText;
  TColor FColor = clWindow;
  std::unique_ptr<TFont> FFont;
  TControlStyle FControlStyle;
  TControlState FControlState;
  bool FVisible = true;
  bool FEnabled = true;
  bool FAutoSize = false;

 private:
  friend class TWinControl;
  void HandleMouseDown(TMessage& msg, TMouseButton button, bool dbl);
  void HandleMouseUp(TMessage& msg, TMouseButton button);
  void ParentColorChanged();
  void ParentShowHintChanged();
  void ParentBiDiModeChanged();
  void ParentFontChanged();
  void FontChangedByUser();

  TWndMethodProc FWindowProc;
  TAlign FAlign = alNone;
  TAnchors FAnchors{akLeft, akTop};
  int FAnchorRight = 0;
  int FAnchorBottom = 0;
  TSizeConstraints FConstraints;
  bool FParentColor = true;
  bool FParentFont = true;
  bool FTakingParentFont = false;
  bool FShowHint = false;
  bool FParentShowHint = true;
  TBiDiMode FBiDiMode = bdLeftToRight;
  bool FParentBiDiMode = true;
  std::string FHint;
  TPopupMenu* FPopupMenu = nullptr;
  TCursor FCursor = crDefault;
  int FHelpContext = 0;

 protected:
  ~TControl() override;
};

// The control that holds the mouse capture (windowed or not); null when none.
TControl* GetCaptureControl();
void SetCaptureControl(TControl* control);

}  // namespace fw
