#include "skin/controls/label_fx.h"

namespace skin {

TkLabelFX::TkLabelFX(fw::TComponent* owner) : fw::TCustomLabel(owner) {}

}  // namespace skin
