#include "skin/controls/page_control.h"

namespace skin {

TkTabSheet::TkTabSheet(fw::TComponent* owner) : fw::TTabSheet(owner) {}

TkPageControl::TkPageControl(fw::TComponent* owner) : fw::TPageControl(owner) {}

}  // namespace skin
