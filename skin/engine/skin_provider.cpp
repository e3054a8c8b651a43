#include "skin/engine/skin_provider.h"

namespace skin {

TkSkinProvider::TkSkinProvider(fw::TComponent* owner) : fw::TComponent(owner) {}

}  // namespace skin
