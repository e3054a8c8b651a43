// The component base of the system-information and search components: a plain component
// that adds nothing of its own, so the family shares one ancestor.
#pragma once
#include "framework/core/component.h"

namespace svc {

class TDsComponent : public fw::TComponent {
  FW_CLASS(TDsComponent, fw::TComponent)
 public:
  explicit TDsComponent(fw::TComponent* owner) : fw::TComponent(owner) {}

 protected:
  ~TDsComponent() override = default;
};

}  // namespace svc
