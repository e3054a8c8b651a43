#include "skin/controls/list_control.h"

namespace skin {

namespace {
constexpr int kListControlCtrlType = 1;
}  // namespace

TkCustomListControl::TkCustomListControl(fw::TComponent* owner)
    : TkSkinned(owner, kListControlCtrlType, true), FBoundLabel(std::make_unique<TkBoundLabel>(GetSkinData())) {
  if (GetSkinData()->GetSkinSection().empty()) GetSkinData()->SetSkinSection("COMBOBOX");
  SetAnimatEvents(TkAnimatEvents());
}

TkCustomListControl::~TkCustomListControl() = default;

void TkCustomListControl::MoveSelection(TkCustomListControl* destination) {
  CopySelection(destination);
  DeleteSelected();
}

void TkCustomListControl::Loaded() {
  TkSkinned::Loaded();
  if (GetSkinData()->SkinIsActive()) GetSkinData()->ApplyEditColours();
}

void TkCustomListControl::OwnSkinCommand(int command) {
  TkCommonData* d = GetSkinData();
  if (command == cmdRemoveSkin) {
    if (!d->GetCustomColor()) SetColor(fw::clWindow);
    if (!d->GetCustomFont()) GetFont()->SetColor(fw::clWindowText);
  } else if (command == cmdRefresh && d->SkinIsActive()) {
    d->ApplyEditColours();
  }
}

void TkCustomListControl::RepaintAll() {
  GetSkinData()->BGChanged = true;
  Repaint();
  if (HandleAllocated()) SendMessageA(GetHandle(), WM_NCPAINT, 0, 0);
}

bool TkCustomListControl::SkinnedMessage(fw::TMessage& m) {
  TkCommonData* d = GetSkinData();
  const bool designing = GetComponentState().Contains(fw::csDesigning);
  switch (m.Msg) {
    case fw::CM_VISIBLECHANGED:
    case fw::CM_ENABLEDCHANGED:
    case WM_MOUSEWHEEL:
    case WM_MOVE:
    case WM_SIZE:
      CommonMessage(m, d);
      fw::TWinControl::WndProc(m);
      RepaintAll();
      return true;
    case fw::CM_MOUSEENTER:
    case fw::CM_MOUSELEAVE:
      if (Focused() || designing) return false;
      d->MouseAbove = m.Msg == fw::CM_MOUSEENTER;
      fw::TWinControl::WndProc(m);
      RepaintAll();
      return true;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case fw::CM_ENTER:
    case fw::CM_EXIT:
      d->FocusSet = m.Msg == WM_SETFOCUS || m.Msg == fw::CM_ENTER;
      d->MouseAbove = false;
      fw::TWinControl::WndProc(m);
      RepaintAll();
      return true;
    case WM_VSCROLL:
      return true;
    default:
      return TkSkinned::SkinnedMessage(m);
  }
}

void TkCustomListControl::WndProc(fw::TMessage& m) {
  TkSkinned::WndProc(m);
  if (m.Msg == WM_SETFONT && GetSkinData()->SkinIsActive()) RepaintAll();
  FBoundLabel->Follow(m);
}

}  // namespace skin
