#include "skin/controls/grip.h"

namespace skin {

namespace {
constexpr int kGripCtrlType = 229;
}

TkGrip::TkGrip(fw::TComponent* owner) : fw::TCustomControl(owner), FSkinData(std::make_unique<TkCommonData>(this, true)) {
  FSkinData->CtrlTypeIndex = kGripCtrlType;
  StoreBounds(0, 0, 20, 20);
}

}  // namespace skin
