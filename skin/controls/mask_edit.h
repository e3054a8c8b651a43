// TkMaskEdit: the skinned edit on the framework's mask edit (section "EDIT"; no input mask),
// the base of the combo edits, which replace its painting operations (skinned_edit.h). A new
// skin gives it a single 3-D border; the skin's removal makes its window again. Its idle look
// writes a text that is not empty in (3, 3, Width - 3, Height - 3).
#pragma once
#include "framework/stdctrls/custom_edit.h"
#include "skin/controls/skinned_edit.h"

namespace skin {

class TkMaskEdit : public TkSkinnedEdit<fw::TMaskEdit> {
  FW_CLASS(TkMaskEdit, fw::TMaskEdit)
 public:
  explicit TkMaskEdit(fw::TComponent* owner);

  void PaintCachedText() override;

 protected:
  ~TkMaskEdit() override = default;
  // OnChange runs only once the control is loaded.
  void Change() override;
  void OwnSkinCommand(int command) override;
  fw::TRect TextRect() const override;
};

}  // namespace skin
