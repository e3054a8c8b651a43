#include "skin/controls/edit.h"

namespace skin {

TkEdit::TkEdit(fw::TComponent* owner) : fw::TEdit(owner) {}

}  // namespace skin
