#include "skin/controls/edit.h"

namespace skin {

namespace {
constexpr int kEditCtrlType = 3;
}

TkEdit::TkEdit(fw::TComponent* owner) : TkSkinnedEdit(owner, kEditCtrlType) { FControlStyle.Include(fw::csOpaque); }

}  // namespace skin
