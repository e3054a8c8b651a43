#include "framework/core/object.h"

#include "framework/rtl/exceptions.h"
#include "framework/rtl/sys_utils.h"

namespace fw {

const TClassInfo* TObject::StaticClassInfo() {
  static const TClassInfo info{"TObject", nullptr};
  return &info;
}

bool TObject::IsOrInheritsFrom(const std::string& className) const {
  for (const TClassInfo* info = ClassInfo(); info; info = info->Parent)
    if (SameText(info->Name, className)) return true;
  return false;
}

void TObject::DoFree() {
  BeforeDestruction();
  delete this;
}

void TPersistent::Assign(const TPersistent* source) {
  if (source) {
    source->AssignTo(this);
    return;
  }
  AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* dest) const { dest->AssignError(this); }

void TPersistent::AssignError(const TPersistent* source) const {
  std::string sourceName = source ? source->ClassName() : "nil";
  throw EConvertError(Format("Cannot assign a %s to a %s", sourceName, ClassName()));
}

}  // namespace fw
