#include "skin/controls/splitter.h"

#include "framework/forms/application.h"
#include "skin/engine/glyphs_text.h"

namespace skin {

namespace {

constexpr int kSplitterCtrlType = 75;

// The presses of splitters not yet released, and the application's ShowHint before the first.
int PendingPresses = 0;
bool SavedShowHint = true;

}  // namespace

TkSplitter::TkSplitter(fw::TComponent* owner) : TkSkinned(owner, kSplitterCtrlType, false) {
  FControlStyle = fw::TControlStyle{fw::csAcceptsControls, fw::csCaptureMouse, fw::csClickEvents, fw::csOpaque,
                                    fw::csDoubleClicks};
  SetWidth(6);
}

int TkSplitter::StateIndex() const {
  if (FMoving && GetResizeStyle() == fw::rsUpdate) return 2;
  return GetSkinData()->CanPaint() ? 1 : 0;
}

void TkSplitter::Paint() {
  TkCommonData* d = GetSkinData();
  if (!ControlIsReady(this) || !d->SkinIsActive()) {
    fw::TSplitter::Paint();
    return;
  }
  const fw::TRect r = GetClientRect();
  auto face = CreateBitmap24(r.Width(), r.Height());
  TkBgRef bg;
  d->GetParentBG(bg);
  PaintControlFace(d, bg, true, true, face.get(), fw::Point(GetLeft(), GetTop()), r, StateIndex());
  BitBlt(GetCanvas()->GetHandle(), 0, 0, GetWidth(), GetHeight(), face->GetCanvas()->GetHandle(), 0, 0, SRCCOPY);
}

void TkSplitter::MouseDown(fw::TMouseButton button, fw::TShiftState shift, int x, int y) {
  if (PendingPresses++ == 0) SavedShowHint = fw::Application->GetShowHint();
  fw::Application->SetShowHint(false);
  if (GetAutoSnap() && GetParent()) {
    fw::TWinControl* parent = GetParent();
    for (int i = 0; i < parent->GetControlCount(); ++i) {
      fw::TControl* c = parent->GetControls(i);
      if (c == this) continue;
      if (GetAlign() == fw::alTop && c->GetHeight() == 0) c->SetTop(GetTop());
      if (GetAlign() == fw::alLeft && c->GetWidth() == 0) c->SetLeft(GetLeft());
    }
  }
  fw::TSplitter::MouseDown(button, shift, x, y);
  FMoving = true;
  if (GetResizeStyle() == fw::rsUpdate) Repaint();
}

void TkSplitter::MouseUp(fw::TMouseButton button, fw::TShiftState shift, int x, int y) {
  fw::TSplitter::MouseUp(button, shift, x, y);
  FMoving = false;
  if (GetResizeStyle() == fw::rsUpdate) Repaint();
  if (PendingPresses > 0 && --PendingPresses == 0) fw::Application->SetShowHint(SavedShowHint);
}

bool TkSplitter::SkinnedMessage(fw::TMessage& m) {
  TkCommonData* d = GetSkinData();
  switch (m.Msg) {
    case WM_MOVE:
    case WM_SIZE:
    case WM_MOUSEWHEEL:
    case fw::CM_VISIBLECHANGED:
    case fw::CM_ENABLEDCHANGED:
      d->BGChanged = true;
      return false;
    case WM_ERASEBKGND:
    case WM_NCPAINT:
      return true;
    case fw::CM_MOUSEENTER:
    case fw::CM_MOUSELEAVE:
      CommonMessage(m, d);
      fw::TSplitter::WndProc(m);
      if (!d->FocusSet && !GetComponentState().Contains(fw::csDesigning)) {
        d->MouseAbove = m.Msg == fw::CM_MOUSEENTER;
        d->BGChanged = true;
        Repaint();
      }
      return true;
    default:
      break;
  }
  return m.Msg != WM_PAINT && TkSkinned::SkinnedMessage(m);
}

}  // namespace skin
