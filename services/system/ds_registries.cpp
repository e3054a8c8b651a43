#include "services/system/ds_registries.h"

namespace svc {
namespace {

int starts = 0;
fw::Owned<TDsAppStoragePropertyEngineList> engines;
std::unique_ptr<fw::TThreadList> generatedTypes;

// Lowers the entry's count; at none it is taken off the list and freed. The list is not held
// locked while the entry is freed.
void ReleaseGeneratedType(TDsGeneratedType* type) {
  if (--type->RefCount > 0) return;
  generatedTypes->Remove(type);
  delete type;
}

}  // namespace

TDsAppStoragePropertyEngineList::~TDsAppStoragePropertyEngineList() {
  for (int i = GetCount() - 1; i >= 0; --i) fw::Free(static_cast<fw::TObject*>(GetItems(i)));
}

TDsAppStoragePropertyEngineList* AppStoragePropertyEngines() { return engines.get(); }
fw::TThreadList* GeneratedTypes() { return generatedTypes.get(); }

void StartDsRegistries() {
  if (starts++ > 0) return;
  engines = fw::MakeOwned<TDsAppStoragePropertyEngineList>();
  generatedTypes = std::make_unique<fw::TThreadList>();
}

void StopDsRegistries() {
  if (starts == 0 || --starts > 0) return;
  engines.reset();
  std::vector<TDsGeneratedType*> listed;
  fw::TList& list = generatedTypes->LockList();
  for (int i = 0; i < list.GetCount(); ++i) listed.push_back(static_cast<TDsGeneratedType*>(list.GetItems(i)));
  generatedTypes->UnlockList();
  for (TDsGeneratedType* type : listed) ReleaseGeneratedType(type);
  generatedTypes.reset();
}

}  // namespace svc
