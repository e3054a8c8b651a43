#include "skin/controls/list_view.h"

namespace skin {

TkListView::TkListView(fw::TComponent* owner) : fw::TListView(owner) {}

}  // namespace skin
