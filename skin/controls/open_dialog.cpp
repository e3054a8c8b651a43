#include "skin/controls/open_dialog.h"

namespace skin {

TkOpenDialog::TkOpenDialog(fw::TComponent* owner) : fw::TOpenDialog(owner) {}

}  // namespace skin
