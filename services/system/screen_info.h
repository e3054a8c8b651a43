// The display's current mode.
#pragma once
#include "services/system/ds_info_base.h"
#include "services/system/system_info_types.h"

namespace svc {

class TDsScreenInfo : public TDsWriteableInfo {
  FW_CLASS(TDsScreenInfo, TDsWriteableInfo)
 public:
  int GetBitsPerPixel() const;
  TDsDisplayFlags GetFlags() const;
  int GetWidth() const;
  int GetHeight() const;
  int GetHz() const;
};

}  // namespace svc
