#include "services/shell/shell_component.h"

#include <string>

#include "framework/rtl/exceptions.h"
#include "services/shell/sv_version_info.h"

namespace svc {

namespace {

std::optional<double> shellVersionOverride;

}  // namespace

double ReadShellVersion() {
  if (shellVersionOverride) return *shellVersionOverride;
  char folder[MAX_PATH] = {};
  GetSystemDirectoryA(folder, MAX_PATH);
  try {
    fw::Owned<TSvVersionInfo> info = fw::MakeOwned<TSvVersionInfo>();
    info->SetFileName(std::string(folder) + "\\shell32.dll");
    return info->GetFileVersionFloat();
  } catch (const fw::Exception&) {
    return 0;  // an unreadable shell counts as the oldest one
  }
}

TSvShellComponent::TSvShellComponent(fw::TComponent* owner) : TSvComponent(owner), FShellVersion(ReadShellVersion()) {}

namespace testing {

std::optional<double> SetShellVersion(std::optional<double> version) {
  std::optional<double> previous = shellVersionOverride;
  shellVersionOverride = version;
  return previous;
}

}  // namespace testing

}  // namespace svc
