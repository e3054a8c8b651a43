#include "services/system/ds_info_base.h"

namespace svc {

bool DesignMode = false;

void RaiseReadOnly(bool flag) {
  if (flag || !DesignMode) throw EDsComputerInfoEx("This value is read-only and cannot be changed.");
}

bool TDsWriteableInfo::CanWrite() const {
  if (!FReadOnly && !DesignMode) return true;
  RaiseReadOnly(FReadOnly);
  return false;
}

}  // namespace svc
