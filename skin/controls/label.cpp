#include "skin/controls/label.h"

namespace skin {

TkLabel::TkLabel(fw::TComponent* owner) : fw::TLabel(owner) {}

}  // namespace skin
