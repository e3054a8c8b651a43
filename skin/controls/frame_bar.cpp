#include "skin/controls/frame_bar.h"

#include <algorithm>
#include <cmath>

#include "framework/forms/application.h"
#include "framework/rtl/seams.h"
#include "skin/controls/label.h"
#include "skin/engine/fade_animation.h"
#include "skin/engine/frame_adapter.h"

namespace skin {

namespace {

constexpr int kFrameBarCtrlType = 19;
constexpr int kTitleButtonCtrlType = 20;
constexpr int kAnimationSteps = 4;
constexpr DWORD kPassPause = 10;

// Set around the rearrangements that must not slide (property writes, new items, OpenItem
// without animation).
bool AnimationSuppressed = false;

}  // namespace

int SlideHeight(int full, int steps, int pass, bool opening) {
  if (steps == 0) return opening ? full : 0;
  // Halves go to the even neighbour.
  return static_cast<int>(std::nearbyint(static_cast<double>(full) / steps * (opening ? pass : steps - pass)));
}

// --- title button ---

namespace kFrameBar {

TkTitleButton::TkTitleButton(fw::TComponent* owner, int index) : TkSpeedButton(owner) {
  GetSkinData()->CtrlTypeIndex = kTitleButtonCtrlType;
  SetName("kTitleButton" + std::to_string(index + 1));
  SetAlignment(fw::taLeftJustify);
  SetSpacing(8);
  SetMargin(5);
}

void TkTitleButton::SetOpen(bool value) {
  if (FOpen == value) return;
  FOpen = value;
  GetSkinData()->BGChanged = true;
  RepaintWithParent();
}

int TkTitleButton::CurrentState() const {
  const int state = TkSpeedButton::CurrentState();
  return FOpen && state != 1 ? 1 : state;
}

}  // namespace kFrameBar

// --- items ---

TkTitleItem::TkTitleItem(fw::TCollection* collection) : fw::TCollectionItem(collection) {
  TkFrameBar* bar = Bar();
  FButton = fw::New<kFrameBar::TkTitleButton>(bar, GetIndex());
  FButton->Item = this;
  FButton->OnClick = [this](fw::TObject* sender) { TitleButtonClick(sender); };
  if (bar) {
    FButton->SetParent(bar);
    AnimationSuppressed = true;
    bar->Rearrange();
    AnimationSuppressed = false;
  }
}

TkTitleItem::~TkTitleItem() {
  TkFrameBar* bar = Bar();
  if (!bar || bar->Destroying()) return;
  FButton->SetVisible(false);
  fw::Free(FButton);
  if (FFrame) fw::Free(FFrame);
  SetCollection(nullptr);
  bar->Rearrange();
}

TkFrameBar* TkTitleItem::Bar() const {
  auto* titles = dynamic_cast<TkTitles*>(GetCollection());
  return titles ? titles->GetBar() : nullptr;
}

void TkTitleItem::SetCaption(const std::string& value) {
  FCaption = value;
  FButton->SetCaption(value);
}

void TkTitleItem::SetImageIndex(int value) {
  FImageIndex = value;
  FButton->SetImageIndex(value);
  if (TkFrameBar* bar = Bar(); bar && FButton->GetImages() != bar->GetImages()) FButton->SetImages(bar->GetImages());
}

std::string TkTitleItem::GetSkinSection() const { return FButton->GetSkinData()->GetSkinSection(); }

void TkTitleItem::SetSkinSection(const std::string& value) { FButton->GetSkinData()->SetSkinSection(value); }

void TkTitleItem::SetVisible(bool value) {
  FVisible = value;
  TkFrameBar* bar = Bar();
  FButton->SetParent(value ? bar : nullptr);
  if (bar) bar->Rearrange();
}

void TkTitleItem::TitleButtonClick(fw::TObject* sender) {
  TkFrameBar* bar = Bar();
  if (!bar || bar->GetComponentState().Contains(fw::csDesigning)) return;
  if (OnClick) OnClick(sender);
  if (FState == tsClosed) {
    FState = tsOpening;
    if (!bar->FAllowAllOpen)
      for (int i = 0; i < bar->FItems->GetCount(); ++i)
        if (TkTitleItem* other = bar->FItems->GetItems(i); other->FState == tsOpen) other->FState = tsClosing;
  } else if (FState == tsOpen && bar->FAllowAllClose) {
    FState = tsClosing;
  }
  bar->Rearrange();
}

TkTitles::TkTitles(TkFrameBar* bar) : fw::TCollection(bar, fw::TCollection::ItemFactory<TkTitleItem>()), FBar(bar) {}

TkTitles::~TkTitles() { FBar = nullptr; }

// --- bar ---

TkFrameBar::TkFrameBar(fw::TComponent* owner) : TkScrollBox(owner), FItems(std::make_unique<TkTitles>(this)) {
  GetSkinData()->CtrlTypeIndex = kFrameBarCtrlType;
  SetText(" ");
  SetAlign(fw::alLeft);
  // The bar sets its vertical range itself.
  SetAutoScroll(false);
  GetVertScrollBar()->SetTracking(true);
  GetHorzScrollBar()->SetVisible(false);
  FBorderWidth = -1;
  SetBorderWidth(2);
}

TkFrameBar::~TkFrameBar() = default;

void TkFrameBar::BeforeDestruction() {
  TkScrollBox::BeforeDestruction();
  // The items go first: the bar frees the buttons and frames it owns with itself.
  FItems->Clear();
}

void TkFrameBar::Loaded() {
  TkScrollBox::Loaded();
  for (int i = 0; i < FItems->GetCount(); ++i)
    FItems->GetItems(i)->FButton->GetSkinData()->SetSkinManager(GetSkinData()->GetSkinManager());
}

void TkFrameBar::Notification(fw::TComponent* component, fw::TOperation operation) {
  TkScrollBox::Notification(component, operation);
  if (operation != fw::opRemove) return;
  if (component == FImages) FImages = nullptr;
  if (component == GetVertSkinBar() || component == GetHorzSkinBar()) return;
  if (!FItems) return;
  for (int i = 0; i < FItems->GetCount(); ++i) {
    TkTitleItem* item = FItems->GetItems(i);
    if (item->FFrame == component) item->FFrame = nullptr;
    if (item->FButton == component) item->FButton = nullptr;
  }
}

void TkFrameBar::SetImages(fw::TCustomImageList* images) {
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = images;
  if (FImages) FImages->FreeNotification(this);
  for (int i = 0; i < FItems->GetCount(); ++i)
    if (TkTitleItem* item = FItems->GetItems(i); item->FVisible && item->FButton) item->FButton->SetImages(images);
}

void TkFrameBar::RearrangeAtOnce() {
  AnimationSuppressed = true;
  Rearrange();
  AnimationSuppressed = false;
}

void TkFrameBar::SetTitleHeight(int value) {
  if (FTitleHeight == value) return;
  FTitleHeight = value;
  RearrangeAtOnce();
}

void TkFrameBar::SetSpacing(int value) {
  if (FSpacing == value) return;
  FSpacing = value;
  RearrangeAtOnce();
}

void TkFrameBar::SetBorderWidth(int value) {
  if (FBorderWidth == value) return;
  FBorderWidth = value;
  RearrangeAtOnce();
}

void TkFrameBar::OpenItem(int index, bool animated) {
  TkTitleItem* item = FItems->GetItems(index);
  item->FState = animated ? tsOpening : tsOpen;
  if (!FAllowAllOpen) {
    for (int i = 0; i < FItems->GetCount(); ++i)
      if (TkTitleItem* other = FItems->GetItems(i); other->FState == tsOpen) other->FState = tsClosing;
    item->FState = tsOpen;
  }
  // Always rearranged; only the slide depends on animated.
  if (animated)
    Rearrange();
  else
    RearrangeAtOnce();
}

fw::TRect TkFrameBar::ItemsRect() const {
  const int b = BorderSize(), inset = FBorderWidth + b;
  return fw::TRect(inset, inset, GetWidth() - 2 * b - inset, GetHeight() - inset);
}

int TkFrameBar::ScrollOffset() const {
  if (TkScrollBar* bar = GetVertSkinBar(); bar && bar->GetVisible()) return bar->GetPosition();
  return 0;
}

fw::TFrame* TkFrameBar::CreateDefaultFrame() {
  auto* frame = fw::New<fw::TFrame>(this);
  frame->SetHeight(150);
  auto* adapter = fw::New<TkFrameAdapter>(frame);
  adapter->GetSkinData()->SetSkinManager(GetSkinData()->GetSkinManager());
  adapter->GetSkinData()->SetSkinSection("BARPANEL");
  auto* notice = fw::New<TkLabel>(frame);
  notice->SetAlign(fw::alClient);
  notice->SetCaption("Frame creation\r\nevent has not been defined.");
  notice->SetAlignment(fw::taCenter);
  notice->SetLayout(fw::tlCenter);
  notice->SetWordWrap(true);
  notice->SetUseSkinColor(false);  // the notice stays red under every skin
  notice->GetFont()->SetColor(0x0000FF);
  notice->SetParent(frame);
  return frame;
}

bool TkFrameBar::UpdateFrame(int index, int top, int width, int height) {
  TkTitleItem* item = FItems->GetItems(index);
  if (!item->FFrame && !GetComponentState().Contains(fw::csDesigning)) {
    fw::TFrame* frame = nullptr;
    if (item->OnCreateFrame)
      item->OnCreateFrame(item, frame);
    else
      frame = CreateDefaultFrame();
    if (frame) {
      item->FFrame = frame;
      frame->FreeNotification(this);
      frame->SetVisible(false);
      frame->SetParent(this);
    }
  }
  fw::TFrame* frame = item->FFrame;
  if (!frame) return false;
  if (item->FFullHeight == 0) item->FFullHeight = frame->GetHeight();
  const int full = frame->GetHeight();
  if (height < 0) height = full;
  HWND wnd = frame->GetHandle();
  if (height == 0) {
    SetWindowRgn(wnd, CreateRectRgn(-1, -1, -1, -1), FALSE);
    frame->SetVisible(false);
  } else if (height < full) {
    SetWindowRgn(wnd, CreateRectRgn(0, full - height, width, full), TRUE);
    frame->SetVisible(true);
  } else {
    // Skinned children take their background anew at the frame's final place.
    fw::TMessage move{WM_MOVE, 0, 0, 0};
    frame->Broadcast(move);
    SetWindowRgn(wnd, nullptr, TRUE);
    frame->SetVisible(true);
  }
  frame->SetBounds(item->FButton->GetLeft(), top - (full - height), width, full);
  return true;
}

bool TkFrameBar::DestroyFrame(TkTitleItem* item) {
  if (!item->FFrame) return true;
  bool canDestroy = true;
  fw::TFrame* frame = item->FFrame;
  if (item->OnFrameDestroy) item->OnFrameDestroy(this, frame, canDestroy);
  if (!canDestroy) return false;
  item->FFrame = nullptr;
  fw::Free(frame);
  return true;
}

void TkFrameBar::Rearrange() {
  if (FRearranging) {
    // Acted on once the running rearrangement ends.
    FPendingRearrange = true;
    return;
  }
  const bool reading = GetComponentState().Contains(fw::csLoading) || GetComponentState().Contains(fw::csReading);
  // A slide nobody can see is not played: the bar of a window not yet on the screen opens at once.
  const int steps = !AnimationSuppressed && !GetComponentState().Contains(fw::csDesigning) && FAnimation &&
                            IsShowing() && !reading
                        ? kAnimationSteps
                        : 0;
  const fw::TRect rect = ItemsRect();
  FRearranging = true;
  FollowHeight();
  const bool showHint = fw::Application->GetShowHint();
  fw::Application->SetShowHint(false);
  FadingForbidden = true;
  FrameBarAnimating = true;
  int y = rect.Top;
  try {
    for (int pass = 0; pass <= steps; ++pass) {
      GetSkinData()->BeginUpdate();
      if (HandleAllocated()) SendMessageA(GetHandle(), WM_SETREDRAW, 0, 0);
      y = rect.Top;
      int w = rect.Width();
      if (FBarWasVisible && GetVertSkinBar()) w -= GetVertSkinBar()->GetWidth();
      const int offset = ScrollOffset();
      for (int i = 0; i < FItems->GetCount(); ++i) {
        TkTitleItem* item = FItems->GetItems(i);
        if (!item->FButton || !item->FVisible) continue;
        if (item->FButton->GetParent() != this) item->FButton->SetParent(this);
        item->FButton->SetBounds(rect.Left, y - offset, w, FTitleHeight);
        y += FTitleHeight;
        int f = item->FFullHeight;
        if (f == 0 && item->FState == tsOpening && !FAnimation) item->FState = tsOpen;
        bool finished = false;
        switch (item->FState) {
          case tsClosed:
            DestroyFrame(item);
            break;
          case tsOpen:
            UpdateFrame(i, y - offset, w, -1);
            f = item->FFullHeight;
            break;
          case tsClosing: {
            const int h = SlideHeight(f, steps, pass, false);
            if (pass == steps) {
              if (DestroyFrame(item)) item->FFullHeight = 0;
              y += FBorderWidth;
              item->FState = tsClosed;
              item->FButton->SetOpen(false);
              finished = true;
              break;
            }
            UpdateFrame(i, y - offset, w, h);
            f = h;
            if (steps > 0) fw::Sleep(kPassPause);
            break;
          }
          case tsOpening:
            // The gap only while the frame slides: the last pass lays it out as an open section,
            // where every other way of opening puts it.
            if (pass < steps) y += FSpacing;
            f = SlideHeight(f, steps, pass, true);
            if (UpdateFrame(i, y - offset, w, f)) {
              if (pass == steps) item->FState = tsOpen;
              if (steps > 0) fw::Sleep(kPassPause);
            }
            break;
          default:
            break;
        }
        if (finished) continue;
        if (item->FFrame && item->FState != tsClosed) {
          if (!item->FFrame->GetParent()) item->FFrame->SetParent(this);
          y += FBorderWidth + f;
        }
        y += FBorderWidth;
        if (item->FState == tsClosed || item->FState == tsOpen) item->FButton->SetOpen(item->FState == tsOpen);
      }
      if (HandleAllocated()) SendMessageA(GetHandle(), WM_SETREDRAW, 1, 0);
      Repaint();
      GetSkinData()->EndUpdate();
      if (GetParent() && HandleAllocated()) {
        RedrawWindow(GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        SendCmdToChildWindows(this);
      }
      fw::Application->ProcessMessages();
      if (Destroying()) break;
    }
  } catch (...) {
    FadingForbidden = false;
    FRearranging = false;
    FrameBarAnimating = false;
    fw::Application->SetShowHint(showHint);
    throw;
  }
  FadingForbidden = false;
  y += BorderSize() + FBorderWidth;
  if (GetVertScrollBar()->GetRange() != y) GetVertScrollBar()->SetRange(y);
  FRearranging = false;
  UpdateSkinScrollBars();
  UpdateWidths();
  FrameBarAnimating = false;
  fw::Application->SetShowHint(showHint);
  // A title clicked while this one ran: its states are acted on now.
  if (FPendingRearrange && !Destroying()) {
    FPendingRearrange = false;
    Rearrange();
  }
}

void TkFrameBar::FollowHeight() {
  const int change = GetHeight() - FLaidOutHeight;
  FLaidOutHeight = GetHeight();
  if (change == 0) return;
  for (int i = 0; i < FItems->GetCount(); ++i) {
    TkTitleItem* item = FItems->GetItems(i);
    if (item->FState != tsOpen || !item->FFrame || !item->FVisible) continue;
    item->FFrame->SetHeight(std::max(0, item->FFrame->GetHeight() + change));
    item->FFullHeight = item->FFrame->GetHeight();
  }
}

void TkFrameBar::UpdateWidths() {
  const bool was = FRearranging;
  FRearranging = true;
  TkScrollBar* bar = GetVertSkinBar();
  FBarWasVisible = bar && bar->GetVisible();
  int w = ItemsRect().Width();
  if (FBarWasVisible) w -= bar->GetWidth();
  for (int i = 0; i < FItems->GetCount(); ++i) {
    TkTitleItem* item = FItems->GetItems(i);
    if (!item->FVisible || !item->FButton) continue;
    if (item->FButton->GetWidth() != w) {
      item->FButton->GetSkinData()->BGChanged = true;
      item->FButton->SetWidth(w);
    }
    if (item->FFrame && item->FFrame->GetWidth() != w) item->FFrame->SetWidth(w);
  }
  FRearranging = was;
}

void TkFrameBar::WndProc(fw::TMessage& m) {
  TkScrollBox::WndProc(m);
  if (!FItems) return;
  if (m.Msg == WM_SIZE) {
    // Laid out anew at every size; one that comes during a rearrangement is acted on after it.
    if (!Destroying()) RearrangeAtOnce();
  } else if (m.Msg == fw::CM_ENABLEDCHANGED) {
    const bool enabled = GetEnabled();
    for (int i = 0; i < FItems->GetCount(); ++i) {
      TkTitleItem* item = FItems->GetItems(i);
      if (item->FButton) item->FButton->SetEnabled(enabled);
      if (item->FFrame) item->FFrame->SetEnabled(enabled);
    }
    if (GetVertSkinBar()) GetVertSkinBar()->SetEnabled(enabled);
    Repaint();
  } else if (m.Msg == SM_SKINCMD && SkinCmdOf(m.WParam) == cmdRefresh &&
             m.LParam == reinterpret_cast<LPARAM>(GetSkinData()->GetSkinManager()) && GetSkinData()->SkinIsActive()) {
    if (!FRearranging) UpdateWidths();
  }
}

}  // namespace skin
