// TkEdit: the skinned single-line edit. For now it draws and behaves as the framework's control.
#pragma once
#include "framework/stdctrls/custom_edit.h"

namespace skin {

class TkEdit : public fw::TEdit {
  FW_CLASS(TkEdit, fw::TEdit)
 public:
  explicit TkEdit(fw::TComponent* owner);

 protected:
  ~TkEdit() override = default;
};

}  // namespace skin
