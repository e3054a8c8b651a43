// TkBevel: the framework's bevel under its own name; it is not skinned.
#pragma once
#include "framework/extctrls/bevel.h"

namespace skin {

class TkBevel : public fw::TBevel {
  FW_CLASS(TkBevel, fw::TBevel)
 public:
  explicit TkBevel(fw::TComponent* owner);

 protected:
  ~TkBevel() override = default;
};

}  // namespace skin
