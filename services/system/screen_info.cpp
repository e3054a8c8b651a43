#include "services/system/screen_info.h"

#include "framework/win.h"

namespace svc {
namespace {

DEVMODEA CurrentMode() {
  DEVMODEA mode{};
  mode.dmSize = sizeof mode;
  if (!EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode)) {
    mode = DEVMODEA{};
    mode.dmSize = sizeof mode;
  }
  return mode;
}

}  // namespace

int TDsScreenInfo::GetBitsPerPixel() const { return static_cast<int>(CurrentMode().dmBitsPerPel); }

TDsDisplayFlags TDsScreenInfo::GetFlags() const {
  static const unsigned kBits[] = {1 /* DM_GRAYSCALE */, 2 /* DM_INTERLACED */};
  return SetFromBits<TDsDisplayFlag>(CurrentMode().dmDisplayFlags, kBits);
}

int TDsScreenInfo::GetWidth() const { return static_cast<int>(CurrentMode().dmPelsWidth); }
int TDsScreenInfo::GetHeight() const { return static_cast<int>(CurrentMode().dmPelsHeight); }
int TDsScreenInfo::GetHz() const { return static_cast<int>(CurrentMode().dmDisplayFrequency); }

}  // namespace svc
