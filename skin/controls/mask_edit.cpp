#include "skin/controls/mask_edit.h"

namespace skin {

TkMaskEdit::TkMaskEdit(fw::TComponent* owner) : TkSkinnedEdit(owner, 0) {
  FControlStyle.Exclude(fw::csSetCaption);
  if (GetSkinData()->GetSkinSection().empty()) GetSkinData()->SetSkinSection("EDIT");
}

void TkMaskEdit::Change() {
  if (!GetComponentState().Contains(fw::csLoading)) TkSkinnedEdit::Change();
}

}  // namespace skin
