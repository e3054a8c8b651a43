// TSvShellComponent: the base of the shell components; it learns the version of shell32.dll
// (major and minor, as 6.0 or 4.72) when it is made, for the components to compare with.
#pragma once
#include <optional>

#include "services/shell/sv_component.h"

namespace svc {

class TSvShellComponent : public TSvComponent {
  FW_CLASS(TSvShellComponent, TSvComponent)
 public:
  explicit TSvShellComponent(fw::TComponent* owner);
  double GetShellVersion() const { return FShellVersion; }

 protected:
  ~TSvShellComponent() override = default;

 private:
  double FShellVersion = 0;
};

// The version of the system folder's shell32.dll (0 when it cannot be read).
double ReadShellVersion();

namespace testing {
// The shell version the components see instead of the real one; nullopt restores the real
// one. Returns the previous setting.
std::optional<double> SetShellVersion(std::optional<double> version);
}  // namespace testing

}  // namespace svc
