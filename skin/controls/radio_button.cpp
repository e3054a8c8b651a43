#include "skin/controls/radio_button.h"

namespace skin {

TkRadioButton::TkRadioButton(fw::TComponent* owner) : fw::TRadioButton(owner) {}

}  // namespace skin
