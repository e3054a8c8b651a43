#include "skin/controls/combo_box.h"

namespace skin {

TkComboBox::TkComboBox(fw::TComponent* owner) : fw::TComboBox(owner) {}

}  // namespace skin
