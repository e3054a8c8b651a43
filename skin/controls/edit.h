// TkEdit: the skinned single-line edit ("EDIT"), painted idle from its cache and active with
// only its frame from the cache (skinned_edit.h), with a bound label.
#pragma once
#include "framework/stdctrls/custom_edit.h"
#include "skin/controls/skinned_edit.h"

namespace skin {

class TkEdit : public TkSkinnedEdit<fw::TEdit> {
  FW_CLASS(TkEdit, fw::TEdit)
 public:
  explicit TkEdit(fw::TComponent* owner);

 protected:
  ~TkEdit() override = default;
};

}  // namespace skin
