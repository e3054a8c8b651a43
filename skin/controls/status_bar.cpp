#include "skin/controls/status_bar.h"

namespace skin {

TkStatusBar::TkStatusBar(fw::TComponent* owner) : fw::TStatusBar(owner) {}

}  // namespace skin
