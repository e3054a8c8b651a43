#include "skin/controls/splitter.h"

namespace skin {

TkSplitter::TkSplitter(fw::TComponent* owner) : fw::TSplitter(owner) {}

}  // namespace skin
