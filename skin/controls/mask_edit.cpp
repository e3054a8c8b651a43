#include "skin/controls/mask_edit.h"

namespace skin {

TkMaskEdit::TkMaskEdit(fw::TComponent* owner) : TkSkinnedEdit(owner, 0) {
  FControlStyle.Exclude(fw::csSetCaption);
  if (GetSkinData()->GetSkinSection().empty()) GetSkinData()->SetSkinSection("EDIT");
}

void TkMaskEdit::Change() {
  if (!GetComponentState().Contains(fw::csLoading)) TkSkinnedEdit::Change();
}

void TkMaskEdit::OwnSkinCommand(int command) {
  if (command == cmdNewSkin) {
    // The skin's frame is drawn over a single 3-D border.
    SetBorderStyle(fw::bsSingle);
  } else if (command == cmdRemoveSkin && HandleAllocated()) {
    RecreateWnd();
  }
}

fw::TRect TkMaskEdit::TextRect() const { return fw::TRect(3, 3, GetWidth() - 3, GetHeight() - 3); }

void TkMaskEdit::PaintCachedText() {
  if (!GetText().empty()) TkSkinnedEdit::PaintCachedText();
}

}  // namespace skin
