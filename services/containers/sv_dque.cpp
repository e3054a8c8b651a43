#include "services/containers/sv_dque.h"

#include "framework/classes/class_registry.h"

namespace svc {

namespace {

const bool registered = (fw::RegisterClass(TSvDQue::StaticClassInfo()), true);

}  // namespace

TSvDQue::TSvDQue(const TSvNodeClass* nodeClass) : TSvList(nodeClass) { (void)registered; }

void TSvDQue::Head(void*& data) {
  fw::TLock lock(FLock);
  data = FHead ? FHead->Data : nullptr;
}

void TSvDQue::PopHead() {
  fw::TLock lock(FLock);
  if (FCount > 0) Delete(FHead);
}

}  // namespace svc
