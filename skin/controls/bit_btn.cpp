#include "skin/controls/bit_btn.h"

namespace skin {

TkBitBtn::TkBitBtn(fw::TComponent* owner) : fw::TBitBtn(owner) {}

}  // namespace skin
