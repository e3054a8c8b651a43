#include "skin/controls/panel.h"

namespace skin {

TkPanel::TkPanel(fw::TComponent* owner) : fw::TPanel(owner) {}

}  // namespace skin
