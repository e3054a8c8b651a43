#include "skin/controls/check_box.h"

namespace skin {

TkCheckBox::TkCheckBox(fw::TComponent* owner) : fw::TCheckBox(owner) {}

}  // namespace skin
