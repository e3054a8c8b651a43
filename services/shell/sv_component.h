// TSvComponent: the base of the shell components; its Version always reads "1.02".
#pragma once
#include <string>

#include "framework/core/component.h"

namespace svc {

inline constexpr char kSvComponentVersion[] = "1.02";

class TSvComponent : public fw::TComponent {
  FW_CLASS(TSvComponent, fw::TComponent)
 public:
  explicit TSvComponent(fw::TComponent* owner) : fw::TComponent(owner) {}
  std::string GetVersion() const { return kSvComponentVersion; }
  // Writing the version is ignored.
  void SetVersion(const std::string&) {}

 protected:
  ~TSvComponent() override = default;
};

}  // namespace svc
