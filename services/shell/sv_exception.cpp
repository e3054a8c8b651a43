#include "services/shell/sv_exception.h"

namespace svc {

void RaiseContainerError(uint32_t id) { RaiseSsError<ESvContainerError>(id); }

void RaiseNoCompare() { throw ESvContainerError(SvStrById(51)); }

bool IsOrInheritsFrom(const fw::TClassInfo* cls, const fw::TClassInfo* ancestor) {
  for (; cls; cls = cls->Parent)
    if (cls == ancestor) return true;
  return false;
}

}  // namespace svc
