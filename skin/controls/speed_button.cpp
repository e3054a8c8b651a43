#include "skin/controls/speed_button.h"

namespace skin {

TkSpeedButton::TkSpeedButton(fw::TComponent* owner) : fw::TSpeedButton(owner) {}

}  // namespace skin
