#include "skin/controls/bevel.h"

namespace skin {

TkBevel::TkBevel(fw::TComponent* owner) : fw::TBevel(owner) {}

}  // namespace skin
