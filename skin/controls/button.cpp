#include "skin/controls/button.h"

namespace skin {

TkButton::TkButton(fw::TComponent* owner) : fw::TButton(owner) {}

}  // namespace skin
