#include "app/main/layout_helpers.h"

namespace app {

skin::TkBitBtn* MakeButton(fw::TComponent* owner, fw::TWinControl* parent, const char* name, const char* caption,
                           const char* hint, int left, int top, int width) {
  auto* button = fw::New<skin::TkBitBtn>(owner);
  button->SetName(name);
  button->SetCaption(caption);
  button->SetBounds(left, top, width, 25);
  if (*hint) {
    button->SetHint(hint);
    button->SetShowHint(true);
  }
  button->SetParent(parent);
  return button;
}

}  // namespace app
