#include "skin/engine/frame_adapter.h"

namespace skin {

TkFrameAdapter::TkFrameAdapter(fw::TComponent* owner) : fw::TComponent(owner) {}

}  // namespace skin
