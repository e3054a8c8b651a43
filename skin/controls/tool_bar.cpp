#include "skin/controls/tool_bar.h"

namespace skin {

TkToolBar::TkToolBar(fw::TComponent* owner) : fw::TToolBar(owner) {}

}  // namespace skin
