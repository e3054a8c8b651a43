// TkMaskEdit: the skinned edit on the framework's mask edit (section "EDIT"; no input mask),
// the base of the combo edits, which replace its painting operations (skinned_edit.h).
#pragma once
#include "framework/stdctrls/custom_edit.h"
#include "skin/controls/skinned_edit.h"

namespace skin {

class TkMaskEdit : public TkSkinnedEdit<fw::TMaskEdit> {
  FW_CLASS(TkMaskEdit, fw::TMaskEdit)
 public:
  explicit TkMaskEdit(fw::TComponent* owner);

 protected:
  ~TkMaskEdit() override = default;
  // OnChange runs only once the control is loaded.
  void Change() override;
};

}  // namespace skin
