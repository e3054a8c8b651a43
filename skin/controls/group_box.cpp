#include "skin/controls/group_box.h"

namespace skin {

TkGroupBox::TkGroupBox(fw::TComponent* owner) : fw::TGroupBox(owner) {}

}  // namespace skin
