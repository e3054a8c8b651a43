// TkBitBtn: the skinned push button with a glyph.
// For now it draws and behaves as the framework's control.
#pragma once
#include "framework/buttons/bit_btn.h"

namespace skin {

class TkBitBtn : public fw::TBitBtn {
  FW_CLASS(TkBitBtn, fw::TBitBtn)
 public:
  explicit TkBitBtn(fw::TComponent* owner);

 protected:
  ~TkBitBtn() override = default;
};

}  // namespace skin
