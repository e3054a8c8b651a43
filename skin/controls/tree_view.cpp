#include "skin/controls/tree_view.h"

namespace skin {

TkTreeView::TkTreeView(fw::TComponent* owner) : fw::TTreeView(owner) {}

}  // namespace skin
