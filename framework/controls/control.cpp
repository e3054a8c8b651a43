#include "framework/controls/control.h"

#include <algorithm>

#include "framework/controls/mouse_tracker.h"
#include "framework/controls/win_control.h"
#include "framework/menus/popup_menu.h"

namespace fw {

namespace {
// The windowless control that receives the mouse while its parent holds the capture.
TControl* captureGraphic = nullptr;
}  // namespace

TShiftState KeysToShiftState(WORD keys) {
  TShiftState s;
  if (keys & MK_SHIFT) s.Include(ssShift);
  if (keys & MK_CONTROL) s.Include(ssCtrl);
  if (keys & MK_LBUTTON) s.Include(ssLeft);
  if (keys & MK_RBUTTON) s.Include(ssRight);
  if (keys & MK_MBUTTON) s.Include(ssMiddle);
  if (GetKeyState(VK_MENU) < 0) s.Include(ssAlt);
  return s;
}

TShiftState KeyDataToShiftState(LPARAM keyData) {
  TShiftState s;
  if (GetKeyState(VK_SHIFT) < 0) s.Include(ssShift);
  if (GetKeyState(VK_CONTROL) < 0) s.Include(ssCtrl);
  if (keyData & 0x20000000) s.Include(ssAlt);
  return s;
}

TControl* GetCaptureControl() {
  TWinControl* holder = TWinControl::FindControl(GetCapture());
  if (holder && captureGraphic && captureGraphic->GetParent() == holder) return captureGraphic;
  return holder;
}

void SetCaptureControl(TControl* control) {
  captureGraphic = nullptr;
  if (!control) {
    ReleaseCapture();
    return;
  }
  auto* win = dynamic_cast<TWinControl*>(control);
  if (!win && !control->GetParent()) return;
  HWND target = win ? win->GetHandle() : control->GetParent()->GetHandle();
  // A window that holds the capture already (a native button while pressed) keeps it.
  if (GetCapture() != target) SetCapture(target);
  if (!win) captureGraphic = control;
}

TControl::TControl(TComponent* owner) : TComponent(owner) {
  FWindowProc = [this](TMessage& m) { WndProc(m); };
  FFont = std::make_unique<TFont>();
  FFont->OnChange = [this](TObject*) { FontChangedByUser(); };
  FControlStyle = TControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  if (GetComponentState().Contains(csLoading)) FControlState.Include(csReadingState);
}

TControl::~TControl() {
  // Normally FreeParentLinks has run; this covers a constructor that threw.
  if (FParent) FParent->RemoveControl(this);
}

void TControl::Loaded() {
  FControlState.Exclude(csReadingState);
  TComponent::Loaded();
}

void TControl::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove && component == FPopupMenu) FPopupMenu = nullptr;
}

void TControl::FreeParentLinks() {
  if (captureGraphic == this) SetCaptureControl(nullptr);
  ControlGoingAway(this);
  if (FParent) FParent->RemoveControl(this);
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
  TMessage m{msg, wParam, lParam, 0};
  return Perform(m);
}

LRESULT TControl::Perform(TMessage& msg) {
  if (FWindowProc) {
    FWindowProc(msg);
  } else {
    WndProc(msg);
  }
  return msg.Result;
}

void TControl::WndProc(TMessage& msg) {
  switch (msg.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      FControlState.Include(csLButtonDown);
      break;
    case WM_LBUTTONUP:
      FControlState.Exclude(csLButtonDown);
      break;
    default:
      break;
  }
  Dispatch(msg);
}

void TControl::HandleMouseDown(TMessage& msg, TMouseButton button, bool dbl) {
  if (FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(true);
  if (button == mbLeft) {
    if (dbl) {
      if (FControlStyle.Contains(csClickEvents)) DblClick();
    } else if (FControlStyle.Contains(csClickEvents)) {
      FControlState.Include(csClicked);
    }
  }
  TShiftState shift = KeysToShiftState(Keys(msg));
  if (dbl) shift.Include(ssDouble);
  MouseDown(button, shift, XPos(msg), YPos(msg));
}

void TControl::HandleMouseUp(TMessage& msg, TMouseButton button) {
  if (FControlStyle.Contains(csCaptureMouse) && GetMouseCapture()) SetMouseCapture(false);
  if (button == mbLeft && FControlState.Contains(csClicked)) {
    FControlState.Exclude(csClicked);
    TRect r = GetClientRect();
    int x = XPos(msg), y = YPos(msg);
    if (x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom) Click();
  }
  MouseUp(button, KeysToShiftState(Keys(msg)), XPos(msg), YPos(msg));
}

void TControl::Dispatch(TMessage& msg) {
  switch (msg.Msg) {
    // The window's own handling runs first (a native control presses its button or toggles
    // its check box), then the framework's mouse handling and events.
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK: {
      DefaultHandler(msg);
      TMouseButton button = msg.Msg <= WM_LBUTTONDBLCLK ? mbLeft : msg.Msg <= WM_RBUTTONDBLCLK ? mbRight : mbMiddle;
      bool dbl = msg.Msg == WM_LBUTTONDBLCLK || msg.Msg == WM_RBUTTONDBLCLK || msg.Msg == WM_MBUTTONDBLCLK;
      HandleMouseDown(msg, button, dbl);
      return;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      DefaultHandler(msg);
      HandleMouseUp(msg, msg.Msg == WM_LBUTTONUP ? mbLeft : msg.Msg == WM_RBUTTONUP ? mbRight : mbMiddle);
      return;
    case WM_MOUSEMOVE:
      DefaultHandler(msg);
      MouseMove(KeysToShiftState(Keys(msg)), XPos(msg), YPos(msg));
      return;
    case WM_CONTEXTMENU: {
      if (msg.Result != 0) return;
      TPoint screen(XPos(msg), YPos(msg));
      bool keyboard = screen.X == -1 && screen.Y == -1;
      TPoint local = keyboard ? TPoint(-1, -1) : ScreenToClient(screen);
      bool handled = false;
      DoContextPopup(local, handled);
      if (handled) {
        msg.Result = 1;
        return;
      }
      if (FPopupMenu && FPopupMenu->GetAutoPopup()) {
        if (keyboard) screen = ClientToScreen(TPoint(0, 0));
        FPopupMenu->SetPopupComponent(this);
        FPopupMenu->Popup(screen.X, screen.Y);
        msg.Result = 1;
        return;
      }
      break;
    }
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
      // The parent hears of its children's enter and leave too, with the child in LParam.
      if (FParent) FParent->Perform(msg.Msg, 0, msg.LParam ? msg.LParam : reinterpret_cast<LPARAM>(this));
      return;
    case CM_PARENTCOLORCHANGED:
      ParentColorChanged();
      return;
    case CM_PARENTFONTCHANGED:
      ParentFontChanged();
      return;
    case CM_PARENTSHOWHINTCHANGED:
      ParentShowHintChanged();
      return;
    case CM_PARENTBIDIMODECHANGED:
      ParentBiDiModeChanged();
      return;
    case WM_CANCELMODE:
      if (GetMouseCapture()) SetMouseCapture(false);
      break;
    default:
      break;
  }
  DefaultHandler(msg);
}

void TControl::DefaultHandler(TMessage&) {}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TControl::Resize() {
  if (OnResize) OnResize(this);
}

void TControl::DoContextPopup(TPoint mousePos, bool& handled) {
  if (OnContextPopup) OnContextPopup(this, mousePos, handled);
}

bool TControl::GetMouseCapture() const { return GetCaptureControl() == this; }

void TControl::SetMouseCapture(bool v) {
  if (GetMouseCapture() == v) return;
  SetCaptureControl(v ? this : nullptr);
}

// --- geometry ---

bool TControl::StoreBounds(int left, int top, int width, int height) {
  bool resized = width != FWidth || height != FHeight;
  FLeft = left;
  FTop = top;
  FWidth = width;
  FHeight = height;
  return resized;
}

void TControl::ApplyConstraints(int& width, int& height) const {
  if (FConstraints.MaxWidth > 0 && width > FConstraints.MaxWidth) width = FConstraints.MaxWidth;
  if (FConstraints.MaxHeight > 0 && height > FConstraints.MaxHeight) height = FConstraints.MaxHeight;
  if (FConstraints.MinWidth > 0 && width < FConstraints.MinWidth) width = FConstraints.MinWidth;
  if (FConstraints.MinHeight > 0 && height < FConstraints.MinHeight) height = FConstraints.MinHeight;
}

void TControl::SetBounds(int left, int top, int width, int height) {
  ApplyConstraints(width, height);
  if (left == FLeft && top == FTop && width == FWidth && height == FHeight) return;
  Invalidate();
  bool resized = StoreBounds(left, top, width, height);
  UpdateAnchorRules();
  Invalidate();
  if (resized && !GetComponentState().Contains(csLoading)) Resize();
  RequestAlign();
}

TRect TControl::GetClientRect() const { return TRect(0, 0, FWidth, FHeight); }

void TControl::SetClientWidth(int v) { SetWidth(v); }
void TControl::SetClientHeight(int v) { SetHeight(v); }

TPoint TControl::GetClientOrigin() const {
  if (!FParent) return TPoint(FLeft, FTop);
  TPoint p = FParent->GetClientOrigin();
  return TPoint(p.X + FLeft, p.Y + FTop);
}

TPoint TControl::ClientToScreen(TPoint p) const {
  TPoint o = GetClientOrigin();
  return TPoint(p.X + o.X, p.Y + o.Y);
}

TPoint TControl::ScreenToClient(TPoint p) const {
  TPoint o = GetClientOrigin();
  return TPoint(p.X - o.X, p.Y - o.Y);
}

void TControl::SetAlign(TAlign align) {
  if (align == FAlign) return;
  FAlign = align;
  RequestAlign();
}

void TControl::SetAnchors(TAnchors anchors) {
  FAnchors = anchors;
  UpdateAnchorRules();
}

void TControl::SetConstraints(const TSizeConstraints& c) {
  FConstraints = c;
  int w = FWidth, h = FHeight;
  ApplyConstraints(w, h);
  if (w != FWidth || h != FHeight) SetBounds(FLeft, FTop, w, h);
}

void TControl::SetAutoSize(bool v) {
  if (v == FAutoSize) return;
  FAutoSize = v;
  if (v) AdjustSize();
}

bool TControl::CanAutoSize(int&, int&) { return false; }

void TControl::AdjustSize() {
  if (!FAutoSize) return;
  int w = FWidth, h = FHeight;
  if (CanAutoSize(w, h)) SetBounds(FLeft, FTop, w, h);
}

void TControl::RequestAlign() {
  if (FParent && (FAlign != alNone || !FAnchors.SubsetOf(TAnchors{akLeft, akTop}))) FParent->Realign(this);
}

void TControl::UpdateAnchorRules() {
  if (!FParent) return;
  TRect r = FParent->GetClientRect();
  FAnchorRight = r.Width() - (FLeft + FWidth);
  FAnchorBottom = r.Height() - (FTop + FHeight);
}

// --- state ---

void TControl::SetParent(TWinControl* parent) {
  if (parent == FParent) return;
  if (parent == this) return;
  if (FParent) FParent->RemoveControl(this);
  if (parent) parent->InsertControl(this);
}

bool TControl::IsShowing() const {
  if (!FVisible) return false;
  return FParent ? FParent->IsShowing() : false;
}

void TControl::SetVisible(bool v) {
  if (v == FVisible) return;
  VisibleChanging();
  FVisible = v;
  if (FParent && FParent->HandleAllocated())
    InvalidateRect(FParent->GetHandleNoCreate(), AsRECT(GetBoundsRect()), !FControlStyle.Contains(csOpaque));
  Perform(CM_VISIBLECHANGED, v ? 1 : 0);
  RequestAlign();
}

void TControl::SetEnabled(bool v) {
  if (v == FEnabled) return;
  FEnabled = v;
  Perform(CM_ENABLEDCHANGED);
  Invalidate();
}

void TControl::SetText(const std::string& s) {
  if (s == FText) return;
  FText = s;
  Perform(CM_TEXTCHANGED);
  Invalidate();
}

void TControl::SetColor(TColor c) {
  FParentColor = false;
  if (c == FColor) return;
  FColor = c;
  Perform(CM_COLORCHANGED);
  ColorChanged();
}

void TControl::SetParentColor(bool v) {
  FParentColor = v;
  if (v) ParentColorChanged();
}

void TControl::ParentColorChanged() {
  if (!FParentColor || !FParent) return;
  TColor c = FParent->GetColor();
  if (c == FColor) return;
  FColor = c;
  Perform(CM_COLORCHANGED);
  ColorChanged();
}

void TControl::SetParentFont(bool v) {
  FParentFont = v;
  if (v) ParentFontChanged();
}

void TControl::ParentFontChanged() {
  if (!FParentFont || !FParent) return;
  FTakingParentFont = true;
  try {
    FFont->Assign(FParent->GetFont());
  } catch (...) {
    FTakingParentFont = false;
    throw;
  }
  FTakingParentFont = false;
}

void TControl::FontChangedByUser() {
  if (!FTakingParentFont) FParentFont = false;
  Perform(CM_FONTCHANGED);
  FontChanged();
}

void TControl::SetShowHint(bool v) {
  FParentShowHint = false;
  if (v == FShowHint) return;
  FShowHint = v;
  Perform(CM_SHOWHINTCHANGED);
}

void TControl::SetParentShowHint(bool v) {
  FParentShowHint = v;
  if (v) ParentShowHintChanged();
}

void TControl::ParentShowHintChanged() {
  if (!FParentShowHint || !FParent || FShowHint == FParent->GetShowHint()) return;
  FShowHint = FParent->GetShowHint();
  Perform(CM_SHOWHINTCHANGED);
}

void TControl::SetBiDiMode(TBiDiMode v) {
  FParentBiDiMode = false;
  if (v == FBiDiMode) return;
  FBiDiMode = v;
  Perform(CM_BIDIMODECHANGED);
}

void TControl::SetParentBiDiMode(bool v) {
  FParentBiDiMode = v;
  if (v) ParentBiDiModeChanged();
}

void TControl::ParentBiDiModeChanged() {
  if (!FParentBiDiMode || !FParent || FBiDiMode == FParent->GetBiDiMode()) return;
  FBiDiMode = FParent->GetBiDiMode();
  Perform(CM_BIDIMODECHANGED);
}

void TControl::SetPopupMenu(TPopupMenu* menu) {
  FPopupMenu = menu;
  if (menu) menu->FreeNotification(this);
}

TWinControl* TControl::GetTopParent() const {
  const TControl* c = this;
  while (c->FParent) c = c->FParent;
  return const_cast<TWinControl*>(dynamic_cast<const TWinControl*>(c));
}

// --- painting ---

void TControl::Invalidate() {
  // A parent that is not shown is painted whole when it shows.
  if (!FParent || !FParent->HandleAllocated() || !FVisible || !IsWindowVisible(FParent->GetHandleNoCreate())) return;
  InvalidateRect(FParent->GetHandleNoCreate(), AsRECT(GetBoundsRect()), !FControlStyle.Contains(csOpaque));
}

void TControl::Repaint() {
  Invalidate();
  Update();
}

void TControl::Update() {
  if (FParent) FParent->Update();
}

void TControl::BringToFront() {
  if (!FParent) return;
  auto& list = FParent->FControls;
  list.erase(std::find(list.begin(), list.end(), this));
  list.push_back(this);
  if (auto* win = dynamic_cast<TWinControl*>(this); win && win->HandleAllocated())
    SetWindowPos(win->GetHandleNoCreate(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  Invalidate();
}

void TControl::SendToBack() {
  if (!FParent) return;
  auto& list = FParent->FControls;
  list.erase(std::find(list.begin(), list.end(), this));
  list.insert(list.begin(), this);
  if (auto* win = dynamic_cast<TWinControl*>(this); win && win->HandleAllocated())
    SetWindowPos(win->GetHandleNoCreate(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  Invalidate();
}

void TControl::RunLayout(const std::function<void()>& create) {
  bool selfLoading = !GetComponentState().Contains(csLoading);
  if (selfLoading) SetComponentState(GetComponentState() + TComponentState{csLoading, csReading});
  try {
    TLoadScope scope;
    create();
    scope.Finish();
  } catch (...) {
    if (selfLoading) SetComponentState(GetComponentState() - TComponentState{csLoading, csReading});
    throw;
  }
  if (selfLoading) {
    SetComponentState(GetComponentState() - csReading);
    Loaded();
  }
}

}  // namespace fw
