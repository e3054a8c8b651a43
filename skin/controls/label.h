// TkLabel: the skinned caption label.
// For now it draws and behaves as the framework's control.
#pragma once
#include "framework/stdctrls/custom_label.h"

namespace skin {

class TkLabel : public fw::TLabel {
  FW_CLASS(TkLabel, fw::TLabel)
 public:
  explicit TkLabel(fw::TComponent* owner);

 protected:
  ~TkLabel() override = default;
};

}  // namespace skin

namespace skin {

// TkEditLabel: the caption label an edit-like control carries beside it (its bound label).
class TkEditLabel : public TkLabel {
  FW_CLASS(TkEditLabel, TkLabel)
 public:
  using TkLabel::TkLabel;

 protected:
  ~TkEditLabel() override = default;
};

}  // namespace skin
