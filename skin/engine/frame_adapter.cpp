#include "skin/engine/frame_adapter.h"

#include "framework/controls/graphic_control.h"
#include "framework/forms/frame.h"
#include "skin/engine/control_paint.h"
#include "skin/engine/scroll_bar.h"
#include "skin/engine/skin_command.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/skinable_menus.h"
#include "framework/menus/popup_menu.h"

namespace skin {

namespace {

constexpr int kFrameCtrlType = 226;
constexpr int kLargeChange = 80;
// Marks the cache stale when the frame's section lets its parent show through.
constexpr int kCmdTransparencyCheck = 12;

// A skinned bar's place over the frame's edge (in the coordinates of the frame's parent) and
// the values it shows.
struct TkBarPlan {
  bool Needed = false;
  int Max = 0;
  int Page = 0;
  fw::TRect Rect;
};

}  // namespace

TkFrameAdapter::TkFrameAdapter(fw::TComponent* owner)
    : fw::TComponent(owner), FSkinData(std::make_unique<TkCommonData>(this, true)) {
  if (FSkinData->GetSkinSection().empty() || FSkinData->GetSkinSection() == ClassName())
    FSkinData->SetSkinSection("GROUPBOX");
  FSkinData->CtrlTypeIndex = kFrameCtrlType;
  FFrame = dynamic_cast<fw::TFrame*>(owner);
  if (!FFrame) {
    ShowWarningMessage("TkFrameAdapter adapter must be placed on the handled frame");
    return;
  }
  FSkinData->OwnerControl = FFrame;
  if (!Designing()) {
    FOwnVertVisible = FFrame->GetVertScrollBar()->GetVisible();
    FOwnHorzVisible = FFrame->GetHorzScrollBar()->GetVisible();
    FFrame->GetVertScrollBar()->SetVisible(false);
    FFrame->GetHorzScrollBar()->SetVisible(false);
  }
  FOldWndProc = FFrame->GetWindowProc();
  FFrame->SetWindowProc([this](fw::TMessage& m) { NewWndProc(m); });
}

TkFrameAdapter::~TkFrameAdapter() = default;

void TkFrameAdapter::BeforeDestruction() {
  // Adapters on one frame give their procedures back in the reverse order of their making.
  if (FFrame && FOldWndProc) FFrame->SetWindowProc(FOldWndProc);
  FOldWndProc = nullptr;
  FFrame = nullptr;
  fw::TComponent::BeforeDestruction();
}

void TkFrameAdapter::AfterConstruction() {
  fw::TComponent::AfterConstruction();
  if (!FFrame || !ControlAnswersCmd(FFrame, cmdIsSkinned)) return;
  FSkinData->UpdateIndexes();
  RemoveParentBackground();
}

void TkFrameAdapter::Loaded() {
  fw::TComponent::Loaded();
  if (!FFrame || !ControlAnswersCmd(FFrame, cmdIsSkinned) || !FSkinData->GetSkinManager()) return;
  FSkinData->UpdateIndexes();
  if (Designing()) return;
  if (FSkinData->GetSkinManager()->GetActive()) HookPopupMenus();
  if (FSkinData->SkinIsActive()) RemoveParentBackground();
}

void TkFrameAdapter::HookPopupMenus() {
  TkSkinManager* manager = FSkinData->GetSkinManager();
  if (!manager->GetSkinnedPopups()) return;
  for (int i = 0; i < FFrame->GetComponentCount(); ++i)
    if (auto* menu = dynamic_cast<fw::TPopupMenu*>(FFrame->GetComponents(i)))
      manager->GetSkinableMenus()->HookPopupMenu(menu, true);
}

void TkFrameAdapter::Notification(fw::TComponent* component, fw::TOperation operation) {
  fw::TComponent::Notification(component, operation);
  if (operation != fw::opRemove) return;
  // The bars lie on the frame's parent, which frees them when it goes first.
  if (component == FVertBar) FVertBar = nullptr;
  if (component == FHorzBar) FHorzBar = nullptr;
}

bool TkFrameAdapter::Designing() const { return GetComponentState().Contains(fw::csDesigning); }

bool TkFrameAdapter::Destroying() const {
  return GetComponentState().Contains(fw::csDestroying) || !FFrame ||
         FFrame->GetComponentState().Contains(fw::csDestroying);
}

bool TkFrameAdapter::ManagerOwns(const fw::TMessage& m) const {
  return m.LParam == reinterpret_cast<LPARAM>(FSkinData->GetSkinManager());
}

void TkFrameAdapter::CallOld(fw::TMessage& m) {
  if (FOldWndProc) FOldWndProc(m);
}

void TkFrameAdapter::RemoveParentBackground() {
  FFrame->SetControlStyle(FFrame->GetControlStyle() - fw::csParentBackground);
}

// --- window procedure ---

void TkFrameAdapter::NewWndProc(fw::TMessage& m) {
  if (m.Msg == SM_SKINCMD && SkinCommand(m)) return;
  TkSkinManager* manager = FSkinData->GetSkinManager();
  if (Destroying() || !FSkinData->SkinIsActive() || !manager->GetActive()) {
    CallOld(m);
    return;
  }
  SkinnedMessage(m);
}

bool TkFrameAdapter::SkinCommand(fw::TMessage& m) {
  const int command = SkinCmdOf(m.WParam);
  switch (command) {
    case cmdNewSkin:
      if (!ManagerOwns(m)) return false;
      BroadcastToChildControls(FFrame, m);
      CommonMessage(m, FSkinData.get());
      if (FSkinData->GetSkinManager()) HookPopupMenus();
      return true;
    case cmdRemoveSkin:
      if (!ManagerOwns(m)) return false;
      CommonMessage(m, FSkinData.get());
      // Without the skin the skinned bars go, putting the content back where it began, before
      // the frame's own bars (which scroll the content themselves) come back.
      UpdateScrollBars();
      if (!Designing()) {
        FFrame->GetVertScrollBar()->SetVisible(FOwnVertVisible);
        FFrame->GetHorzScrollBar()->SetVisible(FOwnHorzVisible);
      }
      BroadcastToChildControls(FFrame, m);
      if (FFrame->HandleAllocated())
        RedrawWindow(FFrame->GetHandleNoCreate(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
      return true;
    case cmdRefresh:
      if (!ManagerOwns(m)) return false;
      CommonMessage(m, FSkinData.get());
      if (!FSkinData->GetSkinManager()) return true;
      FFrame->Repaint();
      BroadcastToChildControls(FFrame, m);
      if (!FScrolling) UpdateScrollBars();
      return true;
    case cmdIsSkinned:
      m.LParam = 1;
      return true;
    case cmdStopAnimation:
      BroadcastToChildControls(FFrame, m);
      return false;
    default:
      return false;
  }
}

void TkFrameAdapter::SkinnedMessage(fw::TMessage& m) {
  TkCommonData* d = FSkinData.get();
  if (m.Msg == SM_SKINCMD) {
    SkinnedCommand(m);
    return;
  }
  switch (m.Msg) {
    case WM_ERASEBKGND:
      m.Result = 1;
      return;
    case WM_NCPAINT:
      return;
    case WM_MOVE:
    case WM_SIZE:
      d->BGChanged = d->BGChanged || m.Msg == WM_SIZE || d->NeedsParentBackground();
      CallOld(m);
      if (!FScrolling) UpdateScrollBars();
      return;
    case WM_PAINT: {
      if (Designing()) CallOld(m);
      if (!FFrame->GetParent() || GetComponentState().Contains(fw::csDestroying)) return;
      const bool changed = d->BGChanged;
      PaintFrame(m);
      if (changed && !FScrolling) UpdateScrollBars();
      if (d->Cmd9Flag) SendCmd9ToTree(FFrame);
      m.Result = 0;
      return;
    }
    case WM_HSCROLL:
    case WM_VSCROLL:
      FScrolling = true;
      CallOld(m);
      FScrolling = false;
      FFrame->Repaint();
      return;
    case fw::CM_VISIBLECHANGED:
      d->BGChanged = true;
      CallOld(m);
      if (TkSkinManager* manager = d->GetSkinManager(); manager && FFrame->HandleAllocated())
        SendMessageA(FFrame->GetHandleNoCreate(), SM_SKINCMD, SkinCmdWParam(cmdRefresh),
                     reinterpret_cast<LPARAM>(manager));
      if (!FScrolling) UpdateScrollBars();
      return;
    default:
      CallOld(m);
      return;
  }
}

void TkFrameAdapter::SkinnedCommand(fw::TMessage& m) {
  TkCommonData* d = FSkinData.get();
  const int argument = LOWORD(m.WParam);
  switch (SkinCmdOf(m.WParam)) {
    case cmdGetParentBg:
    case cmdGetColor:
      CommonWndProc(m, d);
      return;
    case cmdParentPainted:
      d->SetUpdating(false);
      SendMessageA(FFrame->GetHandle(), WM_PAINT, 0, 0);
      return;
    case cmdSetUpdating:
      d->SetUpdating(argument == 1);
      for (int i = 0; i < FFrame->GetControlCount(); ++i) FFrame->GetControls(i)->Perform(m.Msg, m.WParam, m.LParam);
      return;
    case cmdSetCmd9Flag:
      d->Cmd9Flag = argument != 0;
      if (d->Cmd9Flag) PrepareCache();
      CommonMessage(m, d);
      return;
    case cmdIsUpdating:
      m.LParam = d->BGChanged || d->GetUpdating() ? 1 : 0;
      return;
    case kCmdTransparencyCheck:
      if (d->HasTransparency()) d->BGChanged = true;
      return;
    case cmdIsTextured: {
      const TkGeneralData* section = d->Section();
      m.LParam = section && (section->GradientPercent + section->ImagePercent >= 1 || d->NeedsParentBackground()) ? 1 : 0;
      return;
    }
    default:
      // Every other command stops here.
      return;
  }
}

// --- painting ---

void TkFrameAdapter::UpdateHalfVisible() {
  TkCommonData* d = FSkinData.get();
  fw::TWinControl* parent = FFrame->GetParent();
  if (!parent || !d->NeedsParentBackground()) {
    d->HalfVisible = false;
    return;
  }
  const fw::TRect client = parent->GetClientRect();
  auto outside = [&client](int x, int y) {
    return x < client.Left || y < client.Top || x >= client.Right || y >= client.Bottom;
  };
  d->HalfVisible = outside(FFrame->GetLeft() + 1, FFrame->GetTop() + 1) ||
                   outside(FFrame->GetLeft() + FFrame->GetWidth() - 1, FFrame->GetTop() + FFrame->GetHeight() - 1);
}

void TkFrameAdapter::PaintFrame(const fw::TMessage& m) {
  TkCommonData* d = FSkinData.get();
  HWND wnd = FFrame->GetHandle();
  PAINTSTRUCT ps{};
  BeginPaint(wnd, &ps);
  HDC dc = m.WParam ? reinterpret_cast<HDC>(m.WParam) : GetDC(wnd);
  const int saved = SaveDC(dc);
  d->Updating = d->GetUpdating();
  if (!d->Updating) {
    UpdateHalfVisible();
    d->BGChanged = d->BGChanged || d->HalfVisible;
    if (d->BGChanged && !d->Cmd9Flag) PrepareCache();
    PaintSkinBordersAll(d, 0);
    const fw::TRect whole(0, 0, FFrame->GetWidth(), FFrame->GetHeight());
    CopyWinControlCache(FFrame, d, fw::TRect(0, 0, 0, 0), whole, dc, false);
    PaintGraphicChildren(dc, FFrame);
    SendCmdToChildWindows(FFrame);
  }
  RestoreDC(dc, saved);
  if (!m.WParam) ReleaseDC(wnd, dc);
  EndPaint(wnd, &ps);
}

void TkFrameAdapter::PrepareCache() {
  TkCommonData* d = FSkinData.get();
  if (!d->BGChanged) return;
  d->InitCacheBmp();
  TkSkinManager* manager = d->GetSkinManager();
  if (manager && manager->IsValidSkinIndex(d->SkinIndex)) {
    TkBgRef bg;
    d->GetParentBG(bg);
    PaintControlFace(d, bg, true, true, d->CacheBmp.get(), fw::Point(FFrame->GetLeft(), FFrame->GetTop()),
                     FFrame->GetClientRect(), 0);
  }
  d->BGChanged = false;
}

// --- skinned scroll bars ---

void TkFrameAdapter::UpdateScrollBars() {
  if (!FFrame || GetComponentState().Contains(fw::csDestroying) || !ControlIsReady(FFrame) ||
      !FFrame->HandleAllocated())
    return;
  TkSkinManager* manager = FSkinData->GetSkinManager();
  if (!manager || !FSkinData->SkinIsActive() || !manager->GetActive() || !FFrame->GetVisible()) {
    HideBar(FVertBar);
    HideBar(FHorzBar);
    return;
  }
  const int cx = GetSystemMetrics(SM_CXVSCROLL), cy = GetSystemMetrics(SM_CYHSCROLL);
  const int width = FFrame->GetClientWidth(), height = FFrame->GetClientHeight();
  const int vRange = FFrame->GetVertScrollBar()->GetRange(), hRange = FFrame->GetHorzScrollBar()->GetRange();
  // Whether a bar shows, counting the room the other bar takes when its content overflows.
  const bool vWanted = FOwnVertVisible && vRange - height + (hRange > width ? cy : 0) >= 1;
  const bool hWanted = FOwnHorzVisible && hRange - width + (vRange > height ? cx : 0) >= 1;
  const int left = FFrame->GetLeft(), top = FFrame->GetTop();
  TkBarPlan v, h;
  v.Page = height - (hWanted ? cy : 0);
  v.Max = vRange - v.Page;
  v.Needed = FOwnVertVisible && v.Max >= 1;
  v.Rect = fw::TRect(left + FFrame->GetWidth() - cx, top, left + FFrame->GetWidth(), top + height);
  h.Page = width - (vWanted ? cx : 0);
  h.Max = hRange - h.Page;
  h.Needed = FOwnHorzVisible && h.Max >= 1;
  h.Rect = fw::TRect(left, top + FFrame->GetHeight() - cy, left + width, top + FFrame->GetHeight());
  if (v.Needed && h.Needed) {
    v.Rect.Bottom -= cy;
    h.Rect.Right -= cx;
  }
  for (const bool vertical : {true, false}) {
    TkScrollBar*& bar = vertical ? FVertBar : FHorzBar;
    const TkBarPlan& plan = vertical ? v : h;
    if (!plan.Needed) {
      HideBar(bar);
      continue;
    }
    if (!bar) bar = MakeBar(vertical);
    if (bar->GetParent() != FFrame->GetParent()) bar->SetParent(FFrame->GetParent());
    fw::TControlScrollBar* own = vertical ? FFrame->GetVertScrollBar() : FFrame->GetHorzScrollBar();
    bar->SetDrawingForbidden(true);
    bar->SetParams(bar->GetPosition(), 0, plan.Max);
    bar->SetSmallChange(own->GetIncrement());
    bar->SetPageSize(plan.Page);
    bar->SetLargeChange(kLargeChange);
    bar->SetBounds(plan.Rect.Left, plan.Rect.Top, plan.Rect.Width(), plan.Rect.Height());
    AttachAndShowControl(bar, FFrame);
    bar->BringToFront();
    bar->SetDrawingForbidden(false);
    bar->Invalidate();
  }
}

TkScrollBar* TkFrameAdapter::MakeBar(bool vertical) {
  auto* bar = fw::New<TkScrollBar>(this);
  bar->GetSkinData()->SetSkinManager(FSkinData->GetSkinManager());
  bar->SetVisible(false);
  bar->SetLinkedControl(FFrame);
  bar->OnPosChange = [this, vertical](fw::TObject* sender, int) {
    ScrollTo(vertical, static_cast<TkScrollBar*>(sender)->GetPosition());
  };
  bar->SetTabStop(false);
  bar->SetKind(vertical ? fw::sbVertical : fw::sbHorizontal);
  if (vertical)
    bar->SetWidth(GetSystemMetrics(SM_CXVSCROLL));
  else
    bar->SetHeight(GetSystemMetrics(SM_CYHSCROLL));
  bar->SetParent(FFrame->GetParent());
  fw::TControlScrollBar* own = vertical ? FFrame->GetVertScrollBar() : FFrame->GetHorzScrollBar();
  bar->SetSmooth(own->GetSmooth() || own->GetTracking());
  return bar;
}

void TkFrameAdapter::HideBar(TkScrollBar*& bar) {
  if (!bar) return;
  const bool vertical = bar == FVertBar;
  bar->SetPosition(0);
  // Back at 0 the content is where it began, whether or not the bar told of its change.
  ScrollTo(vertical, 0);
  if (Designing()) {
    TkScrollBar* gone = bar;
    bar = nullptr;
    gone->Free();
    return;
  }
  bar->SetVisible(false);
}

void TkFrameAdapter::ScrollTo(bool vertical, int position) {
  // The frame's own bar keeps the offset the content is scrolled by, so its Range stays the
  // whole content.
  fw::TControlScrollBar* own = vertical ? FFrame->GetVertScrollBar() : FFrame->GetHorzScrollBar();
  const int delta = own->GetPosition() - position;
  if (delta == 0 || !FFrame->HandleAllocated()) return;
  TkScrollBar* bar = vertical ? FVertBar : FHorzBar;
  FScrolling = true;
  if (bar) bar->SetDrawingForbidden(true);
  fw::TMessage updating{SM_SKINCMD, SkinCmdWParam(cmdSetUpdating, 1), 0, 0};
  FFrame->Broadcast(updating);
  RECT clip{-1, -1, 0, 0}, update{-1, -1, 0, 0};
  ScrollWindowEx(FFrame->GetHandleNoCreate(), vertical ? 0 : delta, vertical ? delta : 0, nullptr, &clip, nullptr,
                 &update, SW_SCROLLCHILDREN);
  for (int i = 0; i < FFrame->GetControlCount(); ++i) {
    fw::TControl* child = FFrame->GetControls(i);
    if (!dynamic_cast<fw::TGraphicControl*>(child)) continue;
    if (vertical)
      child->SetTop(child->GetTop() + delta);
    else
      child->SetLeft(child->GetLeft() + delta);
  }
  own->SetPosition(position);
  if (bar) bar->SetDrawingForbidden(false);
  fw::TMessage done{SM_SKINCMD, SkinCmdWParam(cmdSetUpdating, 0), 0, 0};
  FFrame->Broadcast(done);
  RedrawWindow(FFrame->GetHandleNoCreate(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
  FScrolling = false;
  FSkinData->BGChanged = false;
}

}  // namespace skin
